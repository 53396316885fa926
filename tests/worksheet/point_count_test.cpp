// The point count: the key filter of the count box, the warning while a count above 10 is typed,
// and the confirm by Enter or by the confirm button, which shows the first n rows of the table.

#include "tests/worksheet/sheet_fixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace test {
namespace {

using worksheet::Field;

enum class Road { Enter, Click };

class PointCount : public SheetTest {
protected:
    // Enter in the count box, or a click on the confirm button.
    void confirm(Road road) {
        if (road == Road::Enter) {
            press(kEnter);
        } else {
            click("command9");
        }
    }

    // The state of a count that was refused: an empty, enabled and focused count box, a count of
    // integer 0, and no row shown.
    void expectRefused() {
        EXPECT_EQ(text("Text4"), "");
        EXPECT_TRUE(box("Text4")->Enabled());
        EXPECT_EQ(focus(), "Text4");
        EXPECT_EQ(state().ActiveField, Field::Count);
        EXPECT_EQ(describe(state().PointCount), "integer 0");
        EXPECT_EQ(rowVisibility(), "0000000000");
    }

    // The state of an accepted count n: the first n rows shown, the focus in the first
    // concentration box, the count box disabled and still holding what was typed.
    void expectAccepted(int n, const std::string& countText) {
        EXPECT_EQ(rowVisibility(), std::string(n, '1') + std::string(10 - n, '0'));
        EXPECT_EQ(focus(), "Text1(0)");
        EXPECT_EQ(text("Text4"), countText);
        EXPECT_FALSE(box("Text4")->Enabled());
        EXPECT_EQ(state().ActiveField, Field::Concentration);
        EXPECT_EQ(describe(state().CurrentRow), "integer 0");
        EXPECT_EQ(describe(state().PointCount), "double " + std::to_string(n));
        EXPECT_EQ(describe(state().LoopIndex), "integer " + std::to_string(n));
    }
};

// Right after start-up the count box is empty, enabled and focused, and no row is shown.
TEST_F(PointCount, StartsInTheCountBox) {
    EXPECT_TRUE(window->shown());
    EXPECT_EQ(focus(), "Text4");
    EXPECT_TRUE(box("Text4")->Enabled());
    EXPECT_EQ(text("Text4"), "");
    EXPECT_EQ(state().ActiveField, Field::Count);
    EXPECT_EQ(describe(state().PointCount), "empty");
    EXPECT_EQ(describe(state().LoopIndex), "integer 10");
    EXPECT_EQ(rowVisibility(), "0000000000");
}

TEST_F(PointCount, Refused) {
    struct Case {
        const char* name;
        const char* typed; // keys typed into the count box before the confirm
        Road road;
        Alerts alerts; // everything beeped and shown, in order, from the first key on
    };
    const Case cases[] = {
        {"1 then Enter", "1", Road::Enter, {kBeep, kCountOutOfRange}},
        {"1 then the confirm button", "1", Road::Click, {kBeep, kCountOutOfRange}},
        {"0 then Enter", "0", Road::Enter, {kBeep, kCountOutOfRange}},
        {"0 then the confirm button", "0", Road::Click, {kBeep, kCountOutOfRange}},
        {"00 then Enter", "00", Road::Enter, {kBeep, kCountOutOfRange}},
        {"empty box then Enter", "", Road::Enter, {kBeep, kCountOutOfRange}},
        {"empty box then the confirm button", "", Road::Click, {kBeep, kCountOutOfRange}},
        {"11 warns at its second digit, then Enter refuses it",
         "11",
         Road::Enter,
         {kCountOutOfRange, kBeep, kCountOutOfRange}},
        {"99 then the confirm button",
         "99",
         Road::Click,
         {kCountOutOfRange, kBeep, kCountOutOfRange}},
        {"a refused point typed before 1", ".1", Road::Enter, {kBeep, kBeep, kCountOutOfRange}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        type(c.typed);
        confirm(c.road);
        EXPECT_EQ(takeAlerts(), c.alerts);
        expectRefused();
    }
}

// Refused twice in a row, then accepted: a refusal leaves nothing behind.
TEST_F(PointCount, RefusedThenAccepted) {
    type("1");
    confirm(Road::Enter);
    type("12");
    confirm(Road::Click);
    EXPECT_EQ(takeAlerts(),
              (Alerts{kBeep, kCountOutOfRange, kCountOutOfRange, kBeep, kCountOutOfRange}));
    expectRefused();
    type("4");
    confirm(Road::Enter);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(4, "4");
}

TEST_F(PointCount, Accepted) {
    struct Case {
        const char* name;
        const char* typed;
        Road road;
        int n;
    };
    const Case cases[] = {
        {"2 then Enter", "2", Road::Enter, 2},
        {"2 then the confirm button", "2", Road::Click, 2},
        {"3 then Enter", "3", Road::Enter, 3},
        {"9 then the confirm button", "9", Road::Click, 9},
        {"10 then the confirm button", "10", Road::Click, 10},
        {"10 then Enter", "10", Road::Enter, 10},
        {"05 is read as 5", "05", Road::Enter, 5},
        {"02 is read as 2", "02", Road::Click, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        type(c.typed);
        confirm(c.road);
        EXPECT_EQ(takeAlerts(), Alerts{});
        expectAccepted(c.n, c.typed);
    }
}

// The confirm button stays usable while the count box is disabled: it confirms the same count
// again, and the rows come back with their texts.
TEST_F(PointCount, ConfirmedAgainWithTheButton) {
    type("5");
    confirm(Road::Enter);
    for (int i = 0; i < 5; ++i) {
        clickAndType(text1(i), std::to_string(i + 1));
        clickAndType(text2(i), "0." + std::to_string(i + 1));
    }
    click(text2(3));
    ASSERT_EQ(describe(state().CurrentRow), "integer 3");

    confirm(Road::Click);

    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(5, "5");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(text1(i)->Text(), std::to_string(i + 1)) << i;
        EXPECT_EQ(text2(i)->Text(), "0." + std::to_string(i + 1)) << i;
    }
}

// A smaller count after the table was cleared shows only its own rows.
TEST_F(PointCount, SmallerCountAfterClearing) {
    type("7");
    confirm(Road::Enter);
    click("command5");
    ASSERT_EQ(rowVisibility(), "0000000000");
    type("3");
    confirm(Road::Click);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(3, "3");
}

// Keys typed into the count box: only digits (and Backspace, Enter) reach it; any other key
// beeps. A third digit is refused by the box's length, silently.
TEST_F(PointCount, KeyFilter) {
    struct Case {
        const char* name;
        const char* typed;
        const char* text; // the count box afterwards
        Alerts alerts;
    };
    const Case cases[] = {
        {"the point", ".", "", {kBeep}},
        {"the minus sign", "-", "", {kBeep}},
        {"the plus sign", "+", "", {kBeep}},
        {"a lower-case letter", "a", "", {kBeep}},
        {"an upper-case letter", "Z", "", {kBeep}},
        {"the blank", " ", "", {kBeep}},
        {"a digit, a point and a digit", "1.0", "10", {kBeep}},
        {"two digits", "42", "42", {kCountOutOfRange}},
        {"10 and a third digit", "105", "10", {}},
        {"11 and a third digit", "111", "11", {kCountOutOfRange}},
        {"a digit and a letter", "7x", "7", {kBeep}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        type(c.typed);
        EXPECT_EQ(text("Text4"), c.text);
        EXPECT_EQ(takeAlerts(), c.alerts);
        EXPECT_EQ(focus(), "Text4");
        EXPECT_EQ(describe(state().PointCount), "empty");
        EXPECT_EQ(rowVisibility(), "0000000000");
    }
}

// Backspace shortens the count, and the warning looks at the shortened text.
TEST_F(PointCount, BackspaceInTheCountBox) {
    type("12");
    EXPECT_EQ(takeAlerts(), Alerts{kCountOutOfRange});
    press(kBackspace);
    EXPECT_EQ(text("Text4"), "1");
    press(kBackspace);
    EXPECT_EQ(text("Text4"), "");
    EXPECT_EQ(takeAlerts(), Alerts{});
}

// The warning while a count is typed: shown as soon as the text reads above 10, with no beep;
// the text stays.
TEST_F(PointCount, OverRangeWarning) {
    struct Case {
        const char* name;
        std::string typed;
        std::vector<Alerts> afterEachKey;
    };
    const Case cases[] = {
        {"10 is no warning", "10", {{}, {}}},
        {"11 warns at the second digit", "11", {{}, {kCountOutOfRange}}},
        {"20 warns at the second digit", "20", {{}, {kCountOutOfRange}}},
        {"99 warns at the second digit", "99", {{}, {kCountOutOfRange}}},
        {"01 is no warning", "01", {{}, {}}},
        {"a count below 2 is no warning", "1", {{}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        for (std::size_t i = 0; i < c.typed.size(); ++i) {
            type(c.typed.substr(i, 1));
            EXPECT_EQ(takeAlerts(), c.afterEachKey[i]) << "key " << i;
        }
        EXPECT_EQ(text("Text4"), c.typed);
        EXPECT_TRUE(box("Text4")->Enabled());
        EXPECT_EQ(describe(state().PointCount), "empty");
    }
}

// The confirm reads a pasted text with the lenient parse: "9." is 9, letters are 0.
TEST_F(PointCount, PastedTextConfirmed) {
    paste(box("Text4"), "9.");
    confirm(Road::Enter);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(9, "9.");

    restart();
    paste(box("Text4"), "ab");
    confirm(Road::Click);
    EXPECT_EQ(takeAlerts(), (Alerts{kBeep, kCountOutOfRange}));
    expectRefused();
}

// After a refused count the fit does nothing, and the keypad writes into the count box.
TEST_F(PointCount, AfterRefusal) {
    type("1");
    confirm(Road::Enter);
    ASSERT_EQ(takeAlerts(), (Alerts{kBeep, kCountOutOfRange}));

    click("command4");
    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text3"), kInitialR);
    EXPECT_EQ(caption("Label6"), kInitialEquation);
    EXPECT_FALSE(sampleBox()->Enabled());
    EXPECT_EQ(state().ActiveField, Field::Count);

    clickKeys("4");
    EXPECT_EQ(text("Text4"), "4");
    EXPECT_EQ(focus(), "Text4");
    confirm(Road::Enter);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(4, "4");
}

// The unit takes no part: another unit before or after the confirm changes nothing here.
TEST_F(PointCount, UnitTakesNoPart) {
    chooseUnit("ug");
    clickKeys("3");
    confirm(Road::Enter);
    expectAccepted(3, "3");
    chooseUnit("mg/L");
    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(rowVisibility(), "1110000000");
}

// Typed with the keypad: the count box takes digits while it is the box last entered, and the
// change handling warns as with typed digits.
TEST_F(PointCount, KeypadCount) {
    clickKeys("11");
    EXPECT_EQ(takeAlerts(), Alerts{kCountOutOfRange});
    EXPECT_EQ(text("Text4"), "11");
    clickKeys("<<6");
    EXPECT_EQ(text("Text4"), "6");
    EXPECT_EQ(focus(), "Text4");
    confirm(Road::Click);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(6, "6");
}

} // namespace
} // namespace test
