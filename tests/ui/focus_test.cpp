// The worksheet follows the focus: entry boxes record themselves, buttons and the unit list do
// not, and a handler that moves the focus leaves the same state whether or not the window is
// active when it does.

#include "tests/support/main_window_fixture.h"
#include "worksheet/keys.h"

#include <QApplication>
#include <QTest>
#include <optional>
#include <vector>

namespace {

using worksheet::Field;
using worksheet::Variant;

Variant row(int i) {
    return Variant(static_cast<std::int16_t>(i));
}

class FocusTracking : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        confirmCount(10); // all rows shown
        takeAlerts();
    }
};

TEST_F(FocusTracking, EachEntryBoxRecordsItself) {
    struct Case {
        const char* name;
        QString box;
        Field field;
        int row;
    } const cases[] = {
        {"concentration box of point 6", "Text1(5)", Field::Concentration, 5},
        {"absorbance box of point 4", "Text2(3)", Field::Absorbance, 3},
        {"concentration box of point 10", "Text1(9)", Field::Concentration, 9},
        {"absorbance box of point 1", "Text2(0)", Field::Absorbance, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        click(box(c.box));
        EXPECT_EQ(focusName(), c.box);
        EXPECT_EQ(state().ActiveField, c.field);
        EXPECT_EQ(state().CurrentRow, row(c.row));
    }
}

TEST_F(FocusTracking, ButtonsAndTheUnitListLeaveTheStateAlone) {
    click(text2(3));
    QStringList others = {"Combo1",   "command4", "command5", "command6",
                          "command9", "Command3", "Command7", "Command8"};
    for (int k = 0; k < 11; ++k) {
        others << QStringLiteral("Command1(%1)").arg(k);
    }
    for (const QString& name : others) {
        SCOPED_TRACE(name.toStdString());
        auto* w = window->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr);
        w->setFocus(Qt::TabFocusReason); // focus without running the button's action
        EXPECT_EQ(focusName(), name);
        EXPECT_EQ(state().ActiveField, Field::Absorbance);
        EXPECT_EQ(state().CurrentRow, row(3));
    }
}

TEST_F(FocusTracking, AKeypadKeyWritesIntoTheBoxTheUserWasFilling) {
    click(text2(3));
    click(key(4)); // "5"
    EXPECT_EQ(text2(3)->text(), QStringLiteral("5"));
    EXPECT_EQ(focusName(), QStringLiteral("Text2(3)"));
    EXPECT_EQ(state().ActiveField, Field::Absorbance);
    EXPECT_EQ(state().CurrentRow, row(3));
}

TEST_F(FocusTracking, ChoosingAUnitDoesNotChangeTheKeypadTarget) {
    clickAndType(text1(2), QStringLiteral("1"));
    click(combo());
    combo()->setCurrentIndex(2);
    click(key(1)); // "2"
    EXPECT_EQ(text1(2)->text(), QStringLiteral("12"));
}

TEST_F(FocusTracking, TheSampleBoxKeepsTheRowOfTheLastTableBox) {
    std::vector<QString> concentrations, absorbances;
    for (int i = 1; i <= 10; ++i) {
        concentrations.push_back(QString::number(i));
        absorbances.push_back(QString::number(i / 10.0, 'f', 1));
    }
    fillTable(concentrations, absorbances);
    click(button(QStringLiteral("command4")));
    ASSERT_TRUE(box(QStringLiteral("Text7"))->isEnabled());

    click(text2(3));
    click(box(QStringLiteral("Text7")));
    EXPECT_EQ(state().ActiveField, Field::Sample);
    EXPECT_EQ(state().CurrentRow, row(3)) << "the row of the last table box stays";
    click(text1(5));
    EXPECT_EQ(state().ActiveField, Field::Concentration);
    EXPECT_EQ(state().CurrentRow, row(5));
}

// Without a window manager, or while another window is active, Qt sends no FocusIn when a
// handler sets the focus. The focus handling must run all the same, before the handler goes on.
TEST_F(FocusTracking, AHandlerMovingTheFocusOfAnInactiveWindowGivesTheSameState) {
    click(text1(2));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(window->isActiveWindow());

    std::int16_t enter = worksheet::keys::Enter;
    sheet().Text1_KeyPress(2, enter);
    EXPECT_EQ(state().ActiveField, Field::Concentration);
    EXPECT_EQ(state().CurrentRow, row(3));
    sheet().Command1_Click(0); // "1" into the box the walk reached
    EXPECT_EQ(text1(3)->text(), QStringLiteral("1"));

    sheet().command5_Click();
    EXPECT_EQ(state().ActiveField, Field::Count);
    sheet().Command1_Click(2); // "3" into the count box
    EXPECT_EQ(box(QStringLiteral("Text4"))->text(), QStringLiteral("3"));

    // When the window becomes active again the count box really gets the focus; its focus
    // handling runs a second time and changes nothing.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(focusName(), QStringLiteral("Text4"));
    EXPECT_EQ(state().ActiveField, Field::Count);
    EXPECT_EQ(state().CurrentRow, row(3));
}

} // namespace
