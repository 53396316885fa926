#pragma once

#include "ui/cover_window.h"
#include "ui/main_window.h"

#include <memory>

namespace app {

// The program's two windows and the switching between them. The cover exists from the start;
// the main window is created and loaded at the first run and then kept, hidden or shown, until
// the program ends.
class Lumetra {
public:
    explicit Lumetra(worksheet::Alerts& alerts);

    void start();       // shows the cover
    void run();         // "运行程序": shows the main window, then hides the cover
    void backToCover(); // "退出": hides the main window, then shows the cover
    void exitProgram(); // "退出程序": ends the event loop at once

    ui::CoverWindow& cover() { return cover_; }
    ui::MainWindow* mainWindow() { return main_.get(); }

private:
    worksheet::Alerts& alerts_;
    ui::CoverWindow cover_;
    std::unique_ptr<ui::MainWindow> main_;
};

} // namespace app
