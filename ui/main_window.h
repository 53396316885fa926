#pragma once

#include "calc/curve.h"
#include "worksheet/worksheet.h"

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

namespace ui {

class Button;
class ComboBox;
class Label;
class TextBox;
class WorksheetEvents;

// The controls of the main window by their design names, as the widgets they are, with the
// buttons whose clicks the window wires itself.
struct MainWindowControls : worksheet::ControlSet<TextBox, Label, Button, ComboBox> {
    Button* Command3 = nullptr;
    Button* command4 = nullptr;
    Button* command5 = nullptr;
    Button* command6 = nullptr;
    Button* Command7 = nullptr;
    Button* Command8 = nullptr;
    Button* command9 = nullptr;
};

// The main window "Form1": the whole worksheet, its controls built from the design table and
// their events wired to the worksheet's handlers.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(worksheet::Alerts& alerts);
    ~MainWindow() override;

    // Shows the window; the first showing runs the load step, which shows it itself.
    void display();

    bool loaded() const { return loaded_; }

    // The worksheet behind the controls. Its handlers are what the controls' events run, so
    // calling one acts as the user's event would.
    worksheet::Worksheet& sheet() { return sheet_; }
    const worksheet::Worksheet& sheet() const { return sheet_; }
    const MainWindowControls& controls() const { return controls_; }
    // The same controls as the worksheet sees them.
    const worksheet::MainControls& worksheetControls() const { return sheetControls_; }

    // The curve of the last successful fit, and the signals to follow the worksheet by.
    const std::optional<calc::Curve>& curve() const { return sheet_.curve(); }
    WorksheetEvents* events() const { return events_.get(); }

signals:
    // The exit button "退出" or the title bar's close control.
    void backToCoverRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void collectControls();
    void wireEvents();

    MainWindowControls controls_;
    worksheet::MainControls sheetControls_;
    worksheet::Worksheet sheet_;
    std::unique_ptr<WorksheetEvents> events_; // stops listening before the worksheet goes
    bool loaded_ = false;
};

} // namespace ui
