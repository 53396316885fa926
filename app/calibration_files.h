#pragma once

#include "io/error.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace analysis {
class AnalysisWindow;
class CurrentCalibration;
} // namespace analysis
namespace ui {
class MainWindow;
class Prompts;
} // namespace ui

namespace app {

class WorksheetLink;

// Where the last worksheet is kept: the program's own data folder
// (QStandardPaths::GenericDataLocation and "lumetra", ~/.local/share/lumetra) and "last.lumetra".
QString lastWorksheetPath();

// The calibration files of both windows: 打开…, 保存 and 另存为… (the analysis window's 文件 menu
// and the main window's context menu), the standards imported from CSV, the last worksheet and
// the backups of standards the main window replaced.
//
// Opening reads and checks the whole file before it touches anything; a refused file is named in
// a message with its row and reason and changes nothing. When what would be replaced holds data
// the user is asked first, and "no" changes nothing.
//
// The last worksheet is the document as it stands, written after every change to it, at most
// once a second (so that a crash loses at most the last second), and when the program ends.
class CalibrationFiles final : public QObject {
    Q_OBJECT

public:
    CalibrationFiles(ui::MainWindow& main, analysis::AnalysisWindow& analysis, ui::Prompts& prompts,
                     QString lastPath = lastWorksheetPath());

    // The commands, each asking for its file.
    void open();
    void save(); // to the file last opened or saved; without one, as saveAs
    void saveAs();
    void restoreLast();
    void importStandards();

    // The same without the file dialog; each returns whether the document was replaced or the
    // file written.
    bool openFile(const QString& path);
    bool saveTo(const QString& path);
    bool importStandardsFrom(const QString& path);

    // Before the program ends: asks what to do with unsaved changes ("保存", "不保存", "取消");
    // false when the user cancels or the save failed. The last worksheet is written either way.
    bool mayEnd();

    // Writes the last worksheet now if a change is waiting.
    void flushLast();

    // A new backup of the document in the data folder; its path, or "" when it failed (said
    // on standard error).
    QString keepBackup();

    const QString& currentFile() const;
    const QString& lastPath() const { return lastPath_; }

private:
    bool mayReplace(bool samplesToo, const QString& what);
    void keepLast();

    ui::MainWindow& main_;
    analysis::AnalysisWindow& analysis_;
    analysis::CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
    WorksheetLink* link_ = nullptr;
    QString lastPath_;
    QTimer lastTimer_;
};

} // namespace app
