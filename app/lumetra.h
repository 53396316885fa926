#pragma once

#include "analysis/analysis_window.h"
#include "analysis/current_calibration.h"
#include "app/calibration_files.h"
#include "ui/cover_window.h"
#include "ui/main_window.h"
#include "ui/prompts.h"

#include <memory>

namespace app {

// The program's two windows and the switching between them. The cover exists from the start;
// the main window is created and loaded at the first run and then kept, hidden or shown, until
// the program ends. The analysis window belongs to the main window: it hides with it and comes
// back with it when it was open.
class Lumetra {
public:
    explicit Lumetra(ui::Prompts& prompts);

    void start();       // shows the cover
    void run();         // "运行程序": shows the main window, then hides the cover
    void backToCover(); // "退出": hides the main window, then shows the cover
    // "退出程序" or the cover's close control: ends the event loop, after asking what to do with
    // unsaved changes of the document; false when the user chose to stay.
    bool exitProgram();
    // `lumetra FILE`: the main window as after "运行程序", the analysis window open beside it
    // and the file opened as 打开… opens it.
    void runWithFile(const QString& path);

    ui::CoverWindow& cover() { return cover_; }
    ui::MainWindow* mainWindow() { return main_.get(); }
    analysis::AnalysisWindow* analysisWindow() { return analysis_; }
    analysis::CurrentCalibration* calibration() { return calibration_.get(); }
    CalibrationFiles* files() { return files_; }

private:
    ui::Prompts& prompts_;
    ui::CoverWindow cover_;
    // Declared before the main window, so that it outlives every view of it: a window closing
    // as it is destroyed still asks its tables for their headers.
    std::unique_ptr<analysis::CurrentCalibration> calibration_;
    std::unique_ptr<ui::MainWindow> main_;
    analysis::AnalysisWindow* analysis_ = nullptr; // a child of the main window
    CalibrationFiles* files_ = nullptr;            // a child of the main window
    bool analysisWasOpen_ = false;
};

} // namespace app
