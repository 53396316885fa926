#pragma once

// The real main window under the offscreen platform, driven with real mouse and key events, with
// its message boxes and beeps recorded. For what only real widgets show: key delivery, focus,
// the caret, the clipboard, painting and screen readers. The worksheet's rules themselves are
// tested without Qt in tests/worksheet/.

#include "tests/support/recording_alerts.h"
#include "tests/support/state_text.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "worksheet/messages.h"

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace test {

using Alerts = std::vector<std::string>;
using QTexts = std::vector<QString>;

inline const std::string kBeep{RecordingAlerts::kBeep};
inline const std::string kCountOutOfRange{worksheet::messages::CountOutOfRange};
inline const std::string kIncomplete{worksheet::messages::TableIncomplete};
inline const std::string kNotNumber{worksheet::messages::TableNotNumber};
inline const std::string kOutOfRange{worksheet::messages::SampleOutOfRange};
inline const std::string kInitialEquation{"y=a+bx"};

// A loaded main window, shown and active.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new window, as at the program's start; lets one test loop over a table of cases.
    void restart();

    worksheet::Worksheet& sheet() { return window->sheet(); }
    worksheet::State state() const { return window->sheet().state(); }

    ui::TextBox* box(const QString& name) const;
    ui::TextBox* text1(int row) const;
    ui::TextBox* text2(int row) const;
    ui::TextBox* sampleBox() const { return box(QStringLiteral("Text7")); }
    ui::Button* button(const QString& name) const;
    ui::Button* key(int index) const; // Command1(index)
    ui::Label* label(const QString& name) const;
    ui::ComboBox* combo() const;

    std::string text(const char* name) const;
    std::string caption(const char* name) const;
    // objectName of the widget holding the keyboard focus, "" when none.
    QString focusName() const;
    std::string focus() const { return focusName().toStdString(); }

    // Real input: a mouse click on a control, keys into whatever has the focus.
    void click(QWidget* widget);
    void type(const QString& text);
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void clickAndType(QWidget* box, const QString& text);
    // Clicks the keypad keys of the captions in turn: '0'..'9', '.', and '<' for 退格.
    void clickKeys(std::string_view captions);
    ui::Button* keypadKey(char caption) const;
    // Moves the focus with the Tab key until it reaches the widget.
    void tabTo(QWidget* target);

    // Types n into the count box and presses Enter.
    void confirmCount(int n);
    // Types the texts into the first rows' boxes (clicking each box first).
    void fillTable(const QTexts& concentrations, const QTexts& absorbances);
    // Confirms n points, fills the table and clicks 计算; returns what the fit showed.
    Alerts fit(const QTexts& concentrations, const QTexts& absorbances);
    // Clicks into the box, deletes its text with Backspace from the end and types the new one.
    void retype(ui::TextBox* target, const QString& typed);
    // Puts the text on the clipboard and pastes it into the box with the box's own context menu,
    // as a user would with a right click and "Paste".
    void pasteWithContextMenu(ui::TextBox* target, const QString& text);
    // Picks the unit in the list with the arrow keys, as a user does in the drop-down box.
    void chooseUnit(const QString& unit);

    std::string snapshot() const;
    Alerts takeAlerts() { return alerts.take(); }

    RecordingAlerts alerts;
    std::unique_ptr<ui::MainWindow> window;
};

} // namespace test
