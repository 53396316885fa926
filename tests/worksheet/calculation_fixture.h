#pragma once

// Helpers shared by the widget tests of the fit, the sample calculation, the clearing and the
// monkey test: a real main window driven with real mouse and key events.

#include "tests/support/main_window_fixture.h"
#include "worksheet/messages.h"
#include "worksheet/variant.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace test {

using Alerts = std::vector<std::string>;

inline const std::string kIncomplete{worksheet::messages::TableIncomplete};
inline const std::string kCannotFit{worksheet::messages::CannotFit};
inline const std::string kOutOfRange{worksheet::messages::SampleOutOfRange};
inline const std::string kNoCurve{worksheet::messages::NoCurve};
inline const std::string kSampleNotNumber{worksheet::messages::SampleNotNumber};
inline const std::string kRangeInvalid{worksheet::messages::RangeInvalid};
inline const std::string kCountOutOfRange{worksheet::messages::CountOutOfRange};

// The texts a fresh window shows in its result boxes.
inline constexpr const char* kInitialR = "0.000000";
inline constexpr const char* kInitialTopC = "000000";
inline constexpr const char* kInitialTopA = "0.000";
inline constexpr const char* kInitialEquation = "y=a+bx";

// "empty", "integer 3" or "double 0.0123": the kind of a window-level value matters.
inline std::string describe(const worksheet::Variant& value) {
    if (value.isEmpty()) {
        return "empty";
    }
    std::ostringstream out;
    out.precision(17);
    out << (value.isInteger() ? "integer " : "double ") << value.value();
    return out.str();
}

class CalculationTest : public MainWindowTest {
protected:
    // A new window, as at the program's start; lets one test loop over a table of whole runs.
    void restart() {
        window.reset();
        alerts.events.clear();
        window = std::make_unique<ui::MainWindow>(alerts);
        window->display();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::string text(const char* name) const {
        return box(QString::fromUtf8(name))->text().toStdString();
    }
    std::string caption(const char* name) const {
        return label(QString::fromUtf8(name))->text().toStdString();
    }
    std::string focus() const { return focusName().toStdString(); }
    ui::TextBox* sampleBox() const { return box(QStringLiteral("Text7")); }

    // Confirms n points, types the texts into the first rows and clicks 计算. Returns what the
    // fit showed (the confirm itself must be silent).
    Alerts fit(const std::vector<QString>& concentrations,
               const std::vector<QString>& absorbances) {
        confirmCount(static_cast<int>(concentrations.size()));
        fillTable(concentrations, absorbances);
        EXPECT_EQ(takeAlerts(), Alerts{}) << "entering the table";
        click(button(QStringLiteral("command4")));
        return takeAlerts();
    }

    // A paste from the box's context menu: the text reaches the box without the key filter.
    void paste(ui::TextBox* target, const QString& pasted) {
        click(target);
        QApplication::clipboard()->setText(pasted);
        target->paste();
    }

    // Clicks into the box, deletes its text with Backspace from the end and types the new one.
    void retype(ui::TextBox* target, const QString& typed) {
        click(target);
        press(Qt::Key_End);
        for (qsizetype i = target->text().size(); i > 0; --i) {
            press(Qt::Key_Backspace);
        }
        type(typed);
    }

    // Moves the focus with the Tab key until it reaches the widget.
    void tabTo(QWidget* target) {
        for (int presses = 0; presses < 100 && QApplication::focusWidget() != target; ++presses) {
            press(Qt::Key_Tab);
        }
        ASSERT_EQ(QApplication::focusWidget(), target) << "Tab never reached it";
    }

    // Picks the unit in the list with the arrow keys, as a user does in the drop-down box.
    void chooseUnit(const QString& unit) {
        ui::ComboBox* units = combo();
        const int wanted = units->findText(unit);
        ASSERT_GE(wanted, 0) << unit.toStdString();
        click(units);
        while (units->currentIndex() != wanted) {
            const int before = units->currentIndex();
            press(units->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(units->currentIndex(), before) << "the arrow keys do not move the list";
        }
        ASSERT_EQ(units->currentText(), unit);
    }

    // Every text, caption, visibility and enabled state of the worksheet and the six state
    // values, one item a line: two snapshots differ exactly where something changed.
    std::string snapshot() const {
        std::ostringstream out;
        for (int i = 0; i < worksheet::kRows; ++i) {
            out << "row " << i + 1 << ": '" << text1(i)->text().toStdString() << "' '"
                << text2(i)->text().toStdString() << "' "
                << (label(QStringLiteral("Label1(%1)").arg(i))->isHidden() ? "hidden" : "shown")
                << "\n";
        }
        for (const char* name : {"Text3", "Text4", "Text5", "Text6", "Text7", "Text8"}) {
            out << name << ": '" << text(name) << "'"
                << (box(QString::fromUtf8(name))->isEnabled() ? " enabled" : " disabled") << "\n";
        }
        out << "Label6: '" << caption("Label6") << "'\nLabel13: '" << caption("Label13") << "'\n";
        out << "Combo1: '" << combo()->currentText().toStdString() << "'\n";
        const worksheet::Worksheet& ws = window->sheet();
        out.precision(17);
        out << "ActiveField " << ws.ActiveField << ", CurrentRow " << describe(ws.CurrentRow)
            << ", PointCount " << describe(ws.PointCount) << ", Intercept "
            << describe(ws.Intercept) << ", Slope " << ws.Slope << "\n";
        return out.str();
    }
};

} // namespace test
