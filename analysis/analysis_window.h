#pragma once

#include "analysis/plot_data.h"
#include "analysis/report.h"
#include "calc/curve.h"
#include "calc/statistics.h"
#include "io/calibration.h"
#include "io/csv.h"
#include "ui/prompts.h"

#include <QList>
#include <QWidget>
#include <optional>

class QBoxLayout;
class QHBoxLayout;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabWidget;

namespace analysis {

class PlotWidget;
class PointsTable;
class SampleListModel;
class SampleTable;
class StatisticsTable;

// "标准曲线分析": the fitted curve drawn with its residuals, the statistics a laboratory
// reports and the check of every standard. It follows the worksheet whether it is shown or not,
// and changes nothing in it.
class AnalysisWindow final : public QWidget {
    Q_OBJECT
public:
    AnalysisWindow(QWidget* owner, ui::Prompts& prompts);

    // Shows and raises the window; the first time it is placed beside its owner.
    void open();

    // What the worksheet announces.
    void setCurve(const calc::Curve& curve);
    void clearCurve();
    void sampleComputed(const QString& absorbanceText, const QString& result, const QString& unit);
    void sampleCleared();
    void setUnit(const QString& unit);

    // The statistics and the points as tab-separated text, as "复制结果" copies them.
    QString reportText() const;
    void copyResults();
    // "保存图像…": asks for a file name and writes the plots as PNG or SVG.
    void saveImage();

    // "导出PDF…" asks for a file name only; "打印…" opens the print preview and dialog.
    void exportPdf();
    void printReport();
    ReportContent reportContent() const;

    // The sample list's rows as a calibration file keeps them, and the list replaced by a file's.
    QList<io::Sample> listedSamples() const;
    void replaceSamples(const QList<io::Sample>& samples);
    // "导入样品CSV…": asks for a file and adds its rows to the list; a refused file changes
    // nothing and says why.
    void importSamplesCsv();
    // "导出CSV…": the statistics, the standards and the samples (csv_export.h), when there is a
    // curve.
    void exportCsv();
    QList<io::CsvRow> exportTable() const;

    const std::optional<calc::LineStatistics>& statistics() const { return stats_; }
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
protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Widths in lines of text: below the first the statistics move into the tabs; the second
    // is the narrowest the window opens at beside its owner.
    static constexpr double kWideLines = 44;
    static constexpr double kNarrowestLines = 30;

    void buildMenu();
    void buildFileMenu(QMenu& file);
    void refresh();
    void updatePlots();
    bool hasCurve() const { return curve_.has_value() && stats_.has_value(); }
    int lines(double count) const;
    QSize preferredSize() const;
    void placeBesideOwner();
    void arrange();
    void balance();

    ui::Prompts& prompts_;
    std::optional<calc::Curve> curve_;
    std::optional<calc::LineStatistics> stats_;
    std::optional<double> sampleAbsorbance_;
    QString unit_;
    bool placed_ = false;
    bool balanced_ = false;

    QSplitter* split_ = nullptr;
    QStackedWidget* curveArea_ = nullptr;
    QHBoxLayout* contentLayout_ = nullptr;
    QWidget* statisticsPanel_ = nullptr;
    QBoxLayout* statisticsLayout_ = nullptr;
    PlotWidget* calibrationPlot_ = nullptr;
    PlotWidget* residualPlot_ = nullptr;
    StatisticsTable* statisticsTable_ = nullptr;
    PointsTable* pointsTable_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    SampleListModel* samples_ = nullptr;
    SampleTable* sampleTable_ = nullptr;
};

} // namespace analysis
