#include "ui/main_window.h"

#include "ui/controls.h"
#include "ui/main_window_design.h"
#include "ui/window_builder.h"
#include "ui/worksheet_events.h"

#include <QCloseEvent>
#include <QLabel>

namespace ui {

MainWindow::MainWindow(worksheet::Alerts& alerts) : sheet_(sheetControls_, alerts) {
    setUpWindow(*this, QStringLiteral("Form1"), form1::kClientWidth, form1::kClientHeight);
    buildControls(*this, form1::kControls, "Form1");
    // Each label that explains a box is that box's buddy, so screen readers tie the two.
    for (const auto& [label, box] : form1::kLabelledBoxes) {
        findControl<QLabel>(*this, controlName(label))
            ->setBuddy(findControl<QWidget>(*this, controlName(box)));
    }
    collectControls();
    events_ = std::make_unique<WorksheetEvents>(sheet_, nullptr);
    wireEvents();
}

MainWindow::~MainWindow() = default;

void MainWindow::collectControls() {
    MainWindowControls& w = controls_;
    worksheet::MainControls& s = sheetControls_;
    for (int i = 0; i < worksheet::kRows; ++i) {
        s.Label1[i] = w.Label1[i] = findControl<Label>(*this, controlName("Label1", i));
        s.Text1[i] = w.Text1[i] = findControl<TextBox>(*this, controlName("Text1", i));
        s.Text2[i] = w.Text2[i] = findControl<TextBox>(*this, controlName("Text2", i));
    }
    for (int k = 0; k < worksheet::kKeypadKeys; ++k) {
        s.Command1[k] = w.Command1[k] = findControl<Button>(*this, controlName("Command1", k));
    }
    s.Text3 = w.Text3 = findControl<TextBox>(*this, controlName("Text3"));
    s.Text4 = w.Text4 = findControl<TextBox>(*this, controlName("Text4"));
    s.Text5 = w.Text5 = findControl<TextBox>(*this, controlName("Text5"));
    s.Text6 = w.Text6 = findControl<TextBox>(*this, controlName("Text6"));
    s.Text7 = w.Text7 = findControl<TextBox>(*this, controlName("Text7"));
    s.Text8 = w.Text8 = findControl<TextBox>(*this, controlName("Text8"));
    s.Label6 = w.Label6 = findControl<Label>(*this, controlName("Label6"));
    s.Label13 = w.Label13 = findControl<Label>(*this, controlName("Label13"));
    s.Combo1 = w.Combo1 = findControl<ComboBox>(*this, controlName("Combo1"));
    w.Command3 = findControl<Button>(*this, controlName("Command3"));
    w.command4 = findControl<Button>(*this, controlName("command4"));
    w.command5 = findControl<Button>(*this, controlName("command5"));
    w.command6 = findControl<Button>(*this, controlName("command6"));
    w.Command7 = findControl<Button>(*this, controlName("Command7"));
    w.Command8 = findControl<Button>(*this, controlName("Command8"));
    w.command9 = findControl<Button>(*this, controlName("command9"));
    s.showWindow = [this] {
        show();
        activateWindow();
    };
}

void MainWindow::wireEvents() {
    using worksheet::Worksheet;
    Worksheet& ws = sheet_;
    const MainWindowControls& w = controls_;
    for (std::int16_t i = 0; i < worksheet::kRows; ++i) {
        connect(w.Text1[i], &TextBox::gotFocus, this, [&ws, i] { ws.Text1_GotFocus(i); });
        connect(w.Text2[i], &TextBox::gotFocus, this, [&ws, i] { ws.Text2_GotFocus(i); });
        w.Text1[i]->onKeyPress = [&ws, i](std::int16_t& key) { ws.Text1_KeyPress(i, key); };
        w.Text2[i]->onKeyPress = [&ws, i](std::int16_t& key) { ws.Text2_KeyPress(i, key); };
    }
    for (std::int16_t k = 0; k < worksheet::kKeypadKeys; ++k) {
        connect(w.Command1[k], &Button::clicked, this, [&ws, k] { ws.Command1_Click(k); });
    }

    connect(w.Text4, &TextBox::gotFocus, this, [&ws] { ws.Text4_GotFocus(); });
    connect(w.Text4, &TextBox::textChanged, this, [&ws] { ws.Text4_Change(); });
    w.Text4->onKeyPress = [&ws](std::int16_t& key) { ws.Text4_KeyPress(key); };
    connect(w.Text7, &TextBox::gotFocus, this, [&ws] { ws.Text7_GotFocus(); });
    w.Text7->onKeyPress = [&ws](std::int16_t& key) { ws.Text7_KeyPress(key); };

    const std::pair<Button*, void (Worksheet::*)()> clicks[] = {
        {w.Command3, &Worksheet::Command3_Click}, {w.command9, &Worksheet::command9_Click},
        {w.command5, &Worksheet::command5_Click}, {w.Command8, &Worksheet::Command8_Click},
        {w.command4, &Worksheet::command4_Click}, {w.Command7, &Worksheet::Command7_Click},
    };
    for (const auto& [button, handler] : clicks) {
        connect(button, &Button::clicked, this, [&ws, handler] { (ws.*handler)(); });
    }
    w.Command7->onKeyPress = [&ws](std::int16_t& key) { ws.Command7_KeyPress(key); };
    connect(w.command6, &Button::clicked, this, &MainWindow::backToCoverRequested);
    connect(w.Combo1, &ComboBox::currentTextChanged, events_.get(), &WorksheetEvents::unitChanged);
}

void MainWindow::display() {
    if (!loaded_) {
        loaded_ = true;
        sheet_.Form_Load();
        return;
    }
    show();
    activateWindow();
}

// The close control does what the exit button does: back to the cover, never a program
// without a visible window.
void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit backToCoverRequested();
}

} // namespace ui
