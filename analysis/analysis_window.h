#pragma once

#include "analysis/plot_data.h"
#include "analysis/printed_record.h"
#include "io/csv.h"
// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/method.h"
#endif
#include "ui/prompts.h"

#include <QList>
#include <QWidget>
#include <optional>

class QAction;
class QActionGroup;
class QBoxLayout;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QPushButton;

namespace analysis {

class BatchFiling;
class BatchPanel;
class CurrentCalibration;
class HeaderDialog;
class MethodDialog;
class ModelControls;
class PlotWidget;
class SampleListModel;
class SampleTable;
class StandardsModel;
class StandardsTable;
class StatisticsModel;
class StatisticsTable;
class ValidationTab;

// "标准曲线分析": the document's curve drawn with its residuals, the statistics a laboratory
// reports, the standards with their check and the sample list. Everything it shows comes from the
// current calibration, which it follows whether it is shown or not.
class AnalysisWindow final : public QWidget {
    Q_OBJECT
public:
    AnalysisWindow(QWidget* owner, CurrentCalibration& calibration, ui::Prompts& prompts);

    // Shows and raises the window; the first time it is placed beside its owner.
    void open();

    // The main window's last sample, drawn with guides to both axes; nullopt: none.
    void setCurrentSample(std::optional<double> absorbance);
    // Why the main window does not show the document's curve, "" when it does.
    void setMainWindowNote(const QString& note);
    // The document replaced by the main window was kept as a backup at this path ("" for none):
    // the window says so and offers to open it.
    void setBackup(const QString& path);

    // The statistics and the points as tab-separated text, as "复制结果" copies them.
    QString reportText() const;
    void copyResults();
    // "保存图像…": asks for a file name and writes the plots as PNG or SVG.
    void saveImage();

    // "导出PDF…" asks for a file name only; "打印…" opens the print preview and dialog. Both
    // print the document with the SHA-256 of its file when it is saved as it stands, and the
    // change history as an appendix when "报告附修改记录" is checked.
    void exportPdf();
    void printReport();
    ReportContent reportContent() const;
    void setReportHistory(bool history);

    // The language the "语言 / Language" menu shows checked, "zh" or "en": the saved choice, as
    // its owner knows it ("zh" until told).
    void setLanguage(const QString& language);

    // "导入样品CSV…": asks for a file and adds its rows to the list; a refused file changes
    // nothing and says why.
    void importSamplesCsv();
    // "导出CSV…": the statistics, the standards and the samples (csv_export.h), when there is a
    // curve.
    void exportCsv();
    QList<io::CsvRow> exportTable() const;

    // "方法" menu. "保存为方法…": the dialog for the method's name and validated MDL, then a file
    // name; the method file is written through io::saveMethod and the saving recorded.
    // "应用方法…": a method file applied to the document as one history entry; a damaged,
    // foreign or newer file changes nothing and says why.
    void saveAsMethod();
    void applyMethodFile();

    // The sample list with the window's height: the plots and the batch's settings fold away
    // ("放大样品表"), or come back.
    void setSamplesOnly(bool only);

    // Why an export (PDF, CSV, image) may not be written to `path`: it is the open document's
    // file, which only saving the document replaces, or io::checkWriteTarget refuses it. nullopt
    // when it may.
    std::optional<io::Error> exportTargetProblem(const QString& path) const;

    CurrentCalibration& calibration() { return calibration_; }
    SampleListModel& samples() { return *samples_; }
    SampleTable& sampleTable() { return *sampleTable_; }
    PlotData plotData() const;

signals:
    // The file commands that change the worksheet; whoever sees the main window carries them out.
    void openRequested();            // "打开…" (Ctrl+O)
    void saveRequested();            // "保存" (Ctrl+S)
    void saveAsRequested();          // "另存为…" (Ctrl+Shift+S)
    void restoreLastRequested();     // "恢复上次的数据"
    void importStandardsRequested(); // "导入标准点CSV…"
    void openBackupRequested(const QString& path);
    // "中文" or "English" chosen in the "语言 / Language" menu: "zh" or "en", for its owner to keep
    // and apply at the next start.
    void languageRequested(const QString& language);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Widths in lines of text: below the first the statistics move into the tabs; the second
    // is the narrowest the window opens at beside its owner.
    static constexpr double kWideLines = 44;
    static constexpr double kNarrowestLines = 30;

    // The window's parts, built in this order (which is also the order of the keyboard focus).
    QWidget* buildEmptyState();
    QWidget* buildCurveContent();
    QVBoxLayout* buildPlots(QWidget* content);
    QWidget* buildStatisticsPanel(QWidget* content);
    void addNotes(QVBoxLayout& column);
    QVBoxLayout* buildExtras();
    QWidget* buildStandardsPage();
    QWidget* buildSamplesPage();
    void addFigureTabs();
    void buildMenu();
    void buildFileMenu(QMenu& file);
    void buildMethodMenu(QMenu& method);
    void writeMethod(const calibration::Method& method);
    // The file name a save dialog proposes with `suffix` ("pdf"): the name the document is filed
    // under, else `fallback`.
    QString proposedFile(const QString& fallback, const QString& suffix) const;
    void refresh();
    void updatePlots();
    void updateTitle();
    bool hasCurve() const;
    int lines(double count) const;
    QSize preferredSize() const;
    void placeBesideOwner();
    void arrange();
    void balance();

    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
    QString backup_;
    bool placed_ = false;
    QAction* reportHistory_ = nullptr;
    QActionGroup* languages_ = nullptr;
    bool balanced_ = false;

    QSplitter* split_ = nullptr;
    QStackedWidget* curveArea_ = nullptr;
    QHBoxLayout* contentLayout_ = nullptr;
    QWidget* statisticsPanel_ = nullptr;
    QBoxLayout* statisticsLayout_ = nullptr;
    ModelControls* modelControls_ = nullptr;
    QBoxLayout* extrasLayout_ = nullptr; // the formulas and the buttons
    PlotWidget* calibrationPlot_ = nullptr;
    PlotWidget* residualPlot_ = nullptr;
    QLabel* emptyTitle_ = nullptr;
    QLabel* emptyHint_ = nullptr;
    QLabel* curveNote_ = nullptr; // why no concentration can be read from the curve
    QLabel* note_ = nullptr;
    QLabel* backupNote_ = nullptr;
    QLabel* additionFormula_ = nullptr; // which formula s(x_E) of a standard addition follows
    StatisticsModel* statistics_ = nullptr;
    StatisticsTable* statisticsTable_ = nullptr;
    StandardsModel* standards_ = nullptr;
    StandardsTable* standardsTable_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QWidget* samplesTab_ = nullptr; // the sample list's page
    HeaderDialog* header_ = nullptr;
    BatchFiling* filing_ = nullptr; // "归档批次" and its mark "未归档"
    MethodDialog* methodDialog_ = nullptr;
    BatchPanel* batchPanel_ = nullptr;
    QWidget* sampleHint_ = nullptr;
    QPushButton* samplesOnly_ = nullptr;
    ValidationTab* validation_ = nullptr;
    SampleListModel* samples_ = nullptr;
    SampleTable* sampleTable_ = nullptr;
};

} // namespace analysis
