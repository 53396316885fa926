#pragma once

#include "tests/support/recording_alerts.h"
#include "ui/controls.h"
#include "ui/main_window.h"

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace test {

// A loaded main window, shown and active, with its message boxes and beeps recorded.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    worksheet::Worksheet& sheet() { return window->sheet(); }

    ui::TextBox* box(const QString& name) const;
    ui::TextBox* text1(int row) const;
    ui::TextBox* text2(int row) const;
    ui::Button* button(const QString& name) const;
    ui::Button* key(int index) const; // Command1(index)
    ui::Label* label(const QString& name) const;
    ui::ComboBox* combo() const;

    // Real input: a mouse click on a control, keys into whatever has the focus.
    void click(QWidget* widget);
    void type(const QString& text);
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void clickAndType(QWidget* box, const QString& text);

    // objectName of the widget holding the keyboard focus, "" when none.
    QString focusName() const;

    // Types n into the count box and presses Enter.
    void confirmCount(int n);
    // Types the texts into the first rows' boxes (clicking each box first).
    void fillTable(const std::vector<QString>& concentrations,
                   const std::vector<QString>& absorbances);

    std::vector<std::string> takeAlerts() { return alerts.take(); }

    RecordingAlerts alerts;
    std::unique_ptr<ui::MainWindow> window;
};

// Shorthand for the recorded beep.
inline const std::string kBeep{RecordingAlerts::kBeep};

} // namespace test
