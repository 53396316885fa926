#pragma once

#include "io/calibration.h"
#include "io/error.h"

#include <QObject>
#include <QString>
#include <optional>

namespace analysis {
class AnalysisWindow;
}
namespace ui {
class MainWindow;
class Prompts;
} // namespace ui

namespace app {

// Where the last worksheet is kept: the program's own data folder
// (QStandardPaths::AppLocalDataLocation, ~/.local/share/lumetra) and "last.lumetra".
QString lastWorksheetPath();

// Fills the main window as the user would, through its designed handlers, so that every rule of
// the design applies: the table cleared (command5) and the sample frame (Command8), the unit (when
// given) into the unit list's text, the count into Text4 and confirmed (command9), each text into
// its box, then the fit (command4). The standards must have passed io::checkForWindow.
void fillWorksheet(ui::MainWindow& main, const std::optional<QString>& unit,
                   const QList<io::Standard>& standards);

// Whether the main window holds anything typed or computed: a text in the table, the count box or
// the sample box, or a fitted curve.
bool worksheetHoldsData(const ui::MainWindow& main);

// The calibration files of both windows: 打开…, 保存 and 另存为… (the analysis window's 文件 menu
// and the main window's context menu), the standards imported from CSV, and the last worksheet,
// written after every fit and every sample and brought back by 恢复上次的数据.
//
// Opening reads and checks the whole file before it touches anything; a refused file is named in
// a message with its row and reason and changes nothing. When what would be replaced holds data
// (worksheetHoldsData, or rows in the sample list when the list is replaced too) the user is asked
// first, and "no" changes nothing.
class CalibrationFiles final : public QObject {
public:
    CalibrationFiles(ui::MainWindow& main, analysis::AnalysisWindow& analysis, ui::Prompts& prompts,
                     QString lastPath = lastWorksheetPath());

    // The commands, each asking for its file.
    void open();
    void save(); // to the file last opened or saved; without one, as saveAs
    void saveAs();
    void restoreLast();
    void importStandards();

    // The same without the file dialog; each returns whether the windows were filled or the file
    // written.
    bool openFile(const QString& path);
    bool saveTo(const QString& path);
    bool importStandardsFrom(const QString& path);

    // The calibration as it stands in the windows: the unit list's text, the texts of the rows in
    // use (0..PointCount-1) and the sample list's rows. Without a confirmed count there are no
    // standards to keep: "没有可保存的标准点".
    io::Expected<io::Calibration> current() const;

    // The file that 保存 writes to: the one last opened or saved, "" when none.
    const QString& currentFile() const { return currentFile_; }
    const QString& lastPath() const { return lastPath_; }

private:
    enum class Samples { Replace, Keep };
    bool mayReplace(bool samplesToo, const QString& what);
    void apply(const io::Calibration& calibration, Samples samples);
    void keepLast();

    ui::MainWindow& main_;
    analysis::AnalysisWindow& analysis_;
    ui::Prompts& prompts_;
    QString lastPath_;
    QString currentFile_;
    bool filling_ = false; // the fit of a filling keeps the last worksheet once, at its end
};

} // namespace app
