#pragma once

#include "worksheet/worksheet.h"

#include <QWidget>
#include <functional>

namespace ui {

// The main window "Form1": the whole worksheet, its controls built from the design table and
// their events wired to the worksheet's handlers.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(worksheet::Alerts& alerts);

    // Shows the window; the first showing runs the load step, which shows it itself.
    void display();

    bool loaded() const { return loaded_; }
    worksheet::Worksheet& sheet() { return sheet_; }

    // The exit button "退出" and the title bar's close control.
    std::function<void()> onBackToCover;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void collectControls();
    void wireEvents();

    worksheet::MainControls controls_;
    worksheet::Worksheet sheet_;
    bool loaded_ = false;
};

} // namespace ui
