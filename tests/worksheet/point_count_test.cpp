// The point count: the key filter of the count box, the warning while a count above 10 is typed,
// and the confirm by Enter or by the confirm button, which shows the first n rows of the table.

#include "tests/worksheet/entry_fixture.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>

namespace test {
namespace {

const QString kCountBox = QStringLiteral("Text4");

enum class Road { Enter, Click };

class PointCount : public EntryTest {
protected:
    // Enter in the count box, or a click on the confirm button.
    void confirm(Road road) {
        if (road == Road::Enter) {
            press(Qt::Key_Return);
        } else {
            click(button(QStringLiteral("command9")));
        }
    }

    // The state of a count that was refused: an empty, enabled and focused count box, a count of
    // integer 0, and no row shown.
    void expectRefused() {
        EXPECT_EQ(box(kCountBox)->text(), QString());
        EXPECT_TRUE(box(kCountBox)->isEnabled());
        EXPECT_EQ(focusName(), kCountBox);
        EXPECT_EQ(sheet().ActiveField, worksheet::CountField);
        EXPECT_EQ(describe(sheet().PointCount), "integer 0");
        EXPECT_EQ(rowVisibility(), "0000000000");
    }

    // The state of an accepted count n: the first n rows shown, the focus in the first
    // concentration box, the count box disabled and still holding what was typed.
    void expectAccepted(int n, const QString& countText) {
        EXPECT_EQ(rowVisibility(), std::string(n, '1') + std::string(10 - n, '0'));
        EXPECT_EQ(focusName(), QStringLiteral("Text1(0)"));
        EXPECT_EQ(box(kCountBox)->text(), countText);
        EXPECT_FALSE(box(kCountBox)->isEnabled());
        EXPECT_EQ(sheet().ActiveField, worksheet::ConcentrationField);
        EXPECT_EQ(describe(sheet().CurrentRow), "integer 0");
        EXPECT_EQ(describe(sheet().PointCount), "double " + std::to_string(n));
        EXPECT_EQ(describe(sheet().LoopIndex), "integer " + std::to_string(n));
    }
};

// Right after start-up the count box is empty, enabled and focused, and no row is shown.
TEST_F(PointCount, StartsInTheCountBox) {
    EXPECT_EQ(focusName(), kCountBox);
    EXPECT_TRUE(box(kCountBox)->isEnabled());
    EXPECT_EQ(box(kCountBox)->text(), QString());
    EXPECT_EQ(sheet().ActiveField, worksheet::CountField);
    EXPECT_EQ(describe(sheet().PointCount), "empty");
    EXPECT_EQ(rowVisibility(), "0000000000");
}

struct RefusedCase {
    const char* name;
    const char* typed; // keys typed into the count box before the confirm
    Road road;
    Alerts alerts; // everything beeped and shown, in order, from the first key on
};

const RefusedCase kRefused[] = {
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
    {"99 then the confirm button", "99", Road::Click, {kCountOutOfRange, kBeep, kCountOutOfRange}},
    {"a refused point typed before 1", ".1", Road::Enter, {kBeep, kBeep, kCountOutOfRange}},
};

TEST_F(PointCount, Refused) {
    for (const RefusedCase& c : kRefused) {
        SCOPED_TRACE(c.name);
        restart();
        type(QString::fromUtf8(c.typed));
        confirm(c.road);
        EXPECT_EQ(takeAlerts(), c.alerts);
        expectRefused();
    }
}

// Refused twice in a row, then accepted: a refusal leaves nothing behind.
TEST_F(PointCount, RefusedThenAccepted) {
    type(QStringLiteral("1"));
    confirm(Road::Enter);
    type(QStringLiteral("12"));
    confirm(Road::Click);
    EXPECT_EQ(takeAlerts(),
              (Alerts{kBeep, kCountOutOfRange, kCountOutOfRange, kBeep, kCountOutOfRange}));
    expectRefused();
    type(QStringLiteral("4"));
    confirm(Road::Enter);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(4, QStringLiteral("4"));
}

struct AcceptedCase {
    const char* name;
    const char* typed;
    Road road;
    int n;
};

const AcceptedCase kAccepted[] = {
    {"2 then Enter", "2", Road::Enter, 2},
    {"2 then the confirm button", "2", Road::Click, 2},
    {"3 then Enter", "3", Road::Enter, 3},
    {"9 then the confirm button", "9", Road::Click, 9},
    {"10 then the confirm button", "10", Road::Click, 10},
    {"10 then Enter", "10", Road::Enter, 10},
    {"05 is read as 5", "05", Road::Enter, 5},
    {"02 is read as 2", "02", Road::Click, 2},
};

TEST_F(PointCount, Accepted) {
    for (const AcceptedCase& c : kAccepted) {
        SCOPED_TRACE(c.name);
        restart();
        type(QString::fromUtf8(c.typed));
        confirm(c.road);
        EXPECT_EQ(takeAlerts(), Alerts{});
        expectAccepted(c.n, QString::fromUtf8(c.typed));
    }
}

// The confirm button stays usable while the count box is disabled: it confirms the same count
// again, and the rows come back with their texts.
TEST_F(PointCount, ConfirmedAgainWithTheButton) {
    type(QStringLiteral("5"));
    confirm(Road::Enter);
    for (int i = 0; i < 5; ++i) {
        clickAndType(text1(i), QString::number(i + 1));
        clickAndType(text2(i), QStringLiteral("0.%1").arg(i + 1));
    }
    click(text2(3));
    ASSERT_EQ(describe(sheet().CurrentRow), "integer 3");

    confirm(Road::Click);

    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(5, QStringLiteral("5"));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(text1(i)->text(), QString::number(i + 1)) << i;
        EXPECT_EQ(text2(i)->text(), QStringLiteral("0.%1").arg(i + 1)) << i;
    }
}

// A smaller count after the table was cleared shows only its own rows.
TEST_F(PointCount, SmallerCountAfterClearing) {
    type(QStringLiteral("7"));
    confirm(Road::Enter);
    click(button(QStringLiteral("command5")));
    ASSERT_EQ(rowVisibility(), "0000000000");
    type(QStringLiteral("3"));
    confirm(Road::Click);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(3, QStringLiteral("3"));
}

// Keys typed into the count box: only digits (and Backspace, Enter) reach it; any other key
// beeps. A third digit is refused by the box's length, silently.
struct KeyCase {
    const char* name;
    const char* typed;
    const char* text; // the count box afterwards
    Alerts alerts;
};

const KeyCase kCountKeys[] = {
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

TEST_F(PointCount, KeyFilter) {
    for (const KeyCase& c : kCountKeys) {
        SCOPED_TRACE(c.name);
        restart();
        type(QString::fromUtf8(c.typed));
        EXPECT_EQ(box(kCountBox)->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(takeAlerts(), c.alerts);
        EXPECT_EQ(focusName(), kCountBox);
        EXPECT_EQ(describe(sheet().PointCount), "empty");
        EXPECT_EQ(rowVisibility(), "0000000000");
    }
}

// Backspace at the keyboard shortens the count, and the warning looks at the shortened text.
TEST_F(PointCount, BackspaceInTheCountBox) {
    type(QStringLiteral("12"));
    EXPECT_EQ(takeAlerts(), Alerts{kCountOutOfRange});
    press(Qt::Key_Backspace);
    EXPECT_EQ(box(kCountBox)->text(), QStringLiteral("1"));
    press(Qt::Key_Backspace);
    EXPECT_EQ(box(kCountBox)->text(), QString());
    EXPECT_EQ(takeAlerts(), Alerts{});
}

// The warning while a count is typed: shown as soon as the text reads above 10, with no beep;
// the text stays.
struct WarningCase {
    const char* name;
    const char* typed;
    std::vector<Alerts> afterEachKey;
};

const WarningCase kWarnings[] = {
    {"10 is no warning", "10", {{}, {}}},
    {"11 warns at the second digit", "11", {{}, {kCountOutOfRange}}},
    {"20 warns at the second digit", "20", {{}, {kCountOutOfRange}}},
    {"99 warns at the second digit", "99", {{}, {kCountOutOfRange}}},
    {"01 is no warning", "01", {{}, {}}},
    {"a count below 2 is no warning", "1", {{}}},
};

TEST_F(PointCount, OverRangeWarning) {
    for (const WarningCase& c : kWarnings) {
        SCOPED_TRACE(c.name);
        restart();
        const QString typed = QString::fromUtf8(c.typed);
        for (qsizetype i = 0; i < typed.size(); ++i) {
            type(typed.mid(i, 1));
            EXPECT_EQ(takeAlerts(), c.afterEachKey[static_cast<std::size_t>(i)]) << "key " << i;
        }
        EXPECT_EQ(box(kCountBox)->text(), typed);
        EXPECT_TRUE(box(kCountBox)->isEnabled());
        EXPECT_EQ(describe(sheet().PointCount), "empty");
    }
}

// Pasting passes no key filter; the warning reads a pasted number like a typed one and says
// nothing about a text that is no number.
struct PasteCase {
    const char* name;
    const char* pasted;
    const char* text;
    Alerts alerts;
};

const PasteCase kPastes[] = {
    {"a number above 10", "42", "42", {kCountOutOfRange}},
    {"a count in range", "7", "7", {}},
    {"letters", "ab", "ab", {}},
    {"a lone point", ".", ".", {}},
    {"a digit and a point", "9.", "9.", {}},
    {"a longer text is cut to two characters", "123", "12", {kCountOutOfRange}},
    {"a Chinese text", "十二", "十二", {}},
};

TEST_F(PointCount, PastedText) {
    for (const PasteCase& c : kPastes) {
        SCOPED_TRACE(c.name);
        restart();
        pasteWithContextMenu(box(kCountBox), QString::fromUtf8(c.pasted));
        EXPECT_EQ(box(kCountBox)->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(takeAlerts(), c.alerts);
    }
}

// The confirm reads a pasted text with the lenient parse: "9." is 9, letters are 0.
TEST_F(PointCount, PastedTextConfirmed) {
    pasteWithContextMenu(box(kCountBox), QStringLiteral("9."));
    confirm(Road::Enter);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(9, QStringLiteral("9."));

    restart();
    pasteWithContextMenu(box(kCountBox), QStringLiteral("ab"));
    confirm(Road::Click);
    EXPECT_EQ(takeAlerts(), (Alerts{kBeep, kCountOutOfRange}));
    expectRefused();
}

// After a refused count the fit does nothing, and the keypad writes into the count box.
TEST_F(PointCount, AfterRefusal) {
    type(QStringLiteral("1"));
    confirm(Road::Enter);
    ASSERT_EQ(takeAlerts(), (Alerts{kBeep, kCountOutOfRange}));

    click(button(QStringLiteral("command4")));
    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(box(QStringLiteral("Text3"))->text(), QStringLiteral("0.000000"));
    EXPECT_EQ(label(QStringLiteral("Label6"))->text(), QStringLiteral("y=a+bx"));
    EXPECT_FALSE(box(QStringLiteral("Text7"))->isEnabled());
    EXPECT_EQ(sheet().ActiveField, worksheet::CountField);

    clickKeys("4");
    EXPECT_EQ(box(kCountBox)->text(), QStringLiteral("4"));
    EXPECT_EQ(focusName(), kCountBox);
    confirm(Road::Enter);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(4, QStringLiteral("4"));
}

// The unit list takes no part: choosing a unit before or after the confirm changes nothing here,
// and the keypad still writes into the box the user was filling.
TEST_F(PointCount, UnitListTakesNoPart) {
    auto* unit = combo();
    ASSERT_NE(unit, nullptr);
    click(unit);
    QTest::keyClick(unit, Qt::Key_Down);
    EXPECT_EQ(unit->currentText(), QStringLiteral("ug"));
    EXPECT_EQ(sheet().ActiveField, worksheet::CountField);
    clickKeys("3");
    EXPECT_EQ(box(kCountBox)->text(), QStringLiteral("3"));
    confirm(Road::Enter);
    expectAccepted(3, QStringLiteral("3"));

    click(unit);
    QTest::keyClick(unit, Qt::Key_Down);
    EXPECT_EQ(unit->currentText(), QStringLiteral("mg/L"));
    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(rowVisibility(), "1110000000");
    EXPECT_EQ(sheet().ActiveField, worksheet::ConcentrationField);
    EXPECT_EQ(describe(sheet().PointCount), "double 3");
}

// Typed with the keypad: the count box takes digits while it is the box last entered, and the
// change handling warns as with typed digits.
TEST_F(PointCount, KeypadCount) {
    clickKeys("11");
    EXPECT_EQ(takeAlerts(), Alerts{kCountOutOfRange});
    EXPECT_EQ(box(kCountBox)->text(), QStringLiteral("11"));
    clickKeys("<<6");
    EXPECT_EQ(box(kCountBox)->text(), QStringLiteral("6"));
    EXPECT_EQ(focusName(), kCountBox);
    confirm(Road::Click);
    EXPECT_EQ(takeAlerts(), Alerts{});
    expectAccepted(6, QStringLiteral("6"));
}

} // namespace
} // namespace test
