#include "ui/main_window.h"

#include "ui/controls.h"
#include "ui/main_window_design.h"
#include "ui/window_builder.h"

#include <QCloseEvent>
#include <QLabel>

namespace ui {

namespace {

QString element(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QString::fromUtf8(name)).arg(index);
}

} // namespace

MainWindow::MainWindow(worksheet::Alerts& alerts) : sheet_(controls_, alerts) {
    setUpWindow(*this, QStringLiteral("Form1"), form1::kClientWidth, form1::kClientHeight);
    buildControls(*this, form1::kControls);
    // Each label that explains a box is that box's buddy, so screen readers tie the two.
    for (const auto& [label, box] : form1::kLabelledBoxes) {
        findControl<QLabel>(*this, QString::fromUtf8(label))
            ->setBuddy(findControl<QWidget>(*this, QString::fromUtf8(box)));
    }
    collectControls();
    wireEvents();
}

void MainWindow::collectControls() {
    for (int i = 0; i < worksheet::kRows; ++i) {
        controls_.Label1[i] = findControl<Label>(*this, element("Label1", i));
        controls_.Text1[i] = findControl<TextBox>(*this, element("Text1", i));
        controls_.Text2[i] = findControl<TextBox>(*this, element("Text2", i));
    }
    for (int k = 0; k < worksheet::kKeypadKeys; ++k) {
        controls_.Command1[k] = findControl<Button>(*this, element("Command1", k));
    }
    controls_.Text3 = findControl<TextBox>(*this, QStringLiteral("Text3"));
    controls_.Text4 = findControl<TextBox>(*this, QStringLiteral("Text4"));
    controls_.Text5 = findControl<TextBox>(*this, QStringLiteral("Text5"));
    controls_.Text6 = findControl<TextBox>(*this, QStringLiteral("Text6"));
    controls_.Text7 = findControl<TextBox>(*this, QStringLiteral("Text7"));
    controls_.Text8 = findControl<TextBox>(*this, QStringLiteral("Text8"));
    controls_.Label6 = findControl<Label>(*this, QStringLiteral("Label6"));
    controls_.Label13 = findControl<Label>(*this, QStringLiteral("Label13"));
    controls_.Combo1 = findControl<ComboBox>(*this, QStringLiteral("Combo1"));
    controls_.showWindow = [this] {
        show();
        activateWindow();
    };
}

void MainWindow::wireEvents() {
    using worksheet::Worksheet;
    auto& ws = sheet_;
    for (std::int16_t i = 0; i < worksheet::kRows; ++i) {
        auto* text1 = static_cast<TextBox*>(controls_.Text1[i]);
        auto* text2 = static_cast<TextBox*>(controls_.Text2[i]);
        text1->onGotFocus = [&ws, i] { ws.Text1_GotFocus(i); };
        text2->onGotFocus = [&ws, i] { ws.Text2_GotFocus(i); };
        text1->onKeyPress = [&ws, i](std::int16_t& key) { ws.Text1_KeyPress(i, key); };
        text2->onKeyPress = [&ws, i](std::int16_t& key) { ws.Text2_KeyPress(i, key); };
    }
    for (std::int16_t k = 0; k < worksheet::kKeypadKeys; ++k) {
        static_cast<Button*>(controls_.Command1[k])->onClick = [&ws, k] { ws.Command1_Click(k); };
    }

    auto* text4 = static_cast<TextBox*>(controls_.Text4);
    text4->onGotFocus = [&ws] { ws.Text4_GotFocus(); };
    text4->onKeyPress = [&ws](std::int16_t& key) { ws.Text4_KeyPress(key); };
    text4->onChange = [&ws] { ws.Text4_Change(); };
    auto* text7 = static_cast<TextBox*>(controls_.Text7);
    text7->onGotFocus = [&ws] { ws.Text7_GotFocus(); };
    text7->onKeyPress = [&ws](std::int16_t& key) { ws.Text7_KeyPress(key); };

    const std::pair<const char*, void (Worksheet::*)()> clicks[] = {
        {"Command3", &Worksheet::Command3_Click}, {"command9", &Worksheet::command9_Click},
        {"command5", &Worksheet::command5_Click}, {"Command8", &Worksheet::Command8_Click},
        {"command4", &Worksheet::command4_Click}, {"Command7", &Worksheet::Command7_Click},
    };
    for (const auto& [name, handler] : clicks) {
        findControl<Button>(*this, QString::fromUtf8(name))->onClick = [&ws, handler] {
            (ws.*handler)();
        };
    }
    findControl<Button>(*this, QStringLiteral("Command7"))->onKeyPress = [&ws](std::int16_t& key) {
        ws.Command7_KeyPress(key);
    };
    findControl<Button>(*this, QStringLiteral("command6"))->onClick = [this] {
        if (onBackToCover) {
            onBackToCover();
        }
    };
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
    if (onBackToCover) {
        onBackToCover();
    }
}

} // namespace ui
