// The on-screen keypad and the backspace key: they act on the entry box the user entered last,
// refuse a second zero after a lone "0" and a second point, always work on the end of the text,
// and give the focus back to that box.

#include "tests/worksheet/entry_fixture.h"

#include <QApplication>
#include <QSignalSpy>
#include <QString>
#include <QTest>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace test {
namespace {

enum class Target {
    Concentration, // Text1(1) of three rows
    Absorbance,    // Text2(2) of three rows
    Count,         // Text4 right after start-up
    Sample,        // Text7 after a fit
};

// One click: a keypad caption, or '<' for the backspace key, with the box's text and the alerts
// that follow it.
struct Step {
    char key;
    const char* text;
    Alerts alerts = {};
};

struct Case {
    const char* name;
    Target target;
    const char* typed; // typed at the keyboard into the box first
    std::vector<Step> steps;
};

class Keypad : public EntryTest {
protected:
    ui::TextBox* prepare(Target target) {
        switch (target) {
        case Target::Concentration:
            confirmCount(3);
            click(text1(1));
            return text1(1);
        case Target::Absorbance:
            confirmCount(3);
            click(text2(2));
            return text2(2);
        case Target::Count:
            return box(QStringLiteral("Text4")); // focused by the load step
        case Target::Sample:
            fitTwoPoints();
            click(box(QStringLiteral("Text7")));
            return box(QStringLiteral("Text7"));
        }
        return nullptr;
    }

    // Each row in a new window: prepare the box, type into it, then click the keys one by one,
    // checking the text, the alerts and that the focus is back in the box after every click.
    void run(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            restart();
            ui::TextBox* target = prepare(c.target);
            ASSERT_NE(target, nullptr);
            type(QString::fromUtf8(c.typed));
            ASSERT_EQ(target->text(), QString::fromUtf8(c.typed));
            takeAlerts();
            const auto field = sheet().ActiveField;
            const std::string row = describe(sheet().CurrentRow);
            for (std::size_t i = 0; i < c.steps.size(); ++i) {
                const Step& step = c.steps[i];
                SCOPED_TRACE("click " + std::to_string(i + 1) + " on " + step.key);
                clickKeys(std::string(1, step.key));
                EXPECT_EQ(target->text(), QString::fromUtf8(step.text));
                EXPECT_EQ(takeAlerts(), step.alerts);
                EXPECT_EQ(focusName(), target->objectName());
                EXPECT_EQ(sheet().ActiveField, field);
                EXPECT_EQ(describe(sheet().CurrentRow), row);
            }
        }
    }
};

TEST_F(Keypad, ZeroRule) {
    const std::vector<Case> cases = {
        {"0, 0, ., 0, 5 in an empty concentration box",
         Target::Concentration,
         "",
         {{'0', "0"}, {'0', "0", {kTwoZeros}}, {'.', "0."}, {'0', "0.0"}, {'5', "0.05"}}},
        {"0, 0, ., 0, 5 in an empty absorbance box",
         Target::Absorbance,
         "",
         {{'0', "0"}, {'0', "0", {kTwoZeros}}, {'.', "0."}, {'0', "0.0"}, {'5', "0.05"}}},
        {"0, 0, ., 0, 5 in an empty sample box",
         Target::Sample,
         "",
         {{'0', "0"}, {'0', "0", {kTwoZeros}}, {'.', "0."}, {'0', "0.0"}, {'5', "0.05"}}},
        {"0, 0 in the count box gives one zero and the message",
         Target::Count,
         "",
         {{'0', "0"}, {'0', "0", {kTwoZeros}}, {'0', "0", {kTwoZeros}}}},
        {"a zero typed at the keyboard, then the 0 key",
         Target::Absorbance,
         "0",
         {{'0', "0", {kTwoZeros}}}},
        {"0 and 5 give 05", Target::Concentration, "0", {{'5', "05"}}},
        {"0 and 5 give 05 in the count box", Target::Count, "", {{'0', "0"}, {'5', "05"}}},
        {"00 typed at the keyboard takes a third zero",
         Target::Concentration,
         "00",
         {{'0', "000"}, {'0', "0000"}}},
        {"10 takes a zero", Target::Concentration, "10", {{'0', "100"}}},
        {"0. takes zeros", Target::Sample, "0.", {{'0', "0.0"}, {'0', "0.00"}}},
        {"a digit other than 0 is never refused", Target::Absorbance, "0", {{'1', "01"}}},
    };
    run(cases);
}

TEST_F(Keypad, PointRule) {
    const std::vector<Case> cases = {
        {"an empty box takes a point, then refuses a second",
         Target::Concentration,
         "",
         {{'.', "."}, {'.', ".", {kTwoPoints}}}},
        {"1.2 refuses the point", Target::Concentration, "1.2", {{'.', "1.2", {kTwoPoints}}}},
        {".5 refuses the point", Target::Absorbance, ".5", {{'.', ".5", {kTwoPoints}}}},
        {"a point anywhere in the text counts",
         Target::Absorbance,
         "1.23",
         {{'.', "1.23", {kTwoPoints}}, {'4', "1.234"}}},
        {"1.2.3 typed at the keyboard refuses the point",
         Target::Concentration,
         "1.2.3",
         {{'.', "1.2.3", {kTwoPoints}}}},
        {"the sample box refuses a second point and takes a digit",
         Target::Sample,
         "0.1",
         {{'.', "0.1", {kTwoPoints}}, {'5', "0.15"}}},
        {"a point after a zero", Target::Concentration, "", {{'0', "0"}, {'.', "0."}}},
        {"the count box: the point adds nothing and shows nothing",
         Target::Count,
         "",
         {{'.', ""}, {'1', "1"}, {'.', "1"}}},
    };
    run(cases);
}

// A key added to a full box is lost without a message; the two rules are still checked first.
TEST_F(Keypad, FullBoxes) {
    const std::vector<Case> cases = {
        {"a concentration of six characters with a point",
         Target::Concentration,
         "1.2345",
         {{'6', "1.2345"}, {'.', "1.2345", {kTwoPoints}}, {'0', "1.2345"}}},
        {"a concentration of six digits",
         Target::Concentration,
         "123456",
         {{'7', "123456"}, {'.', "123456"}}},
        {"an absorbance of five digits",
         Target::Absorbance,
         "12345",
         {{'6', "12345"}, {'.', "12345"}}},
        {"an absorbance of five characters with a point",
         Target::Absorbance,
         "0.123",
         {{'4', "0.123"}, {'.', "0.123", {kTwoPoints}}}},
        {"a sample of five characters", Target::Sample, "0.125", {{'1', "0.125"}}},
        {"the count box holding 10", Target::Count, "10", {{'5', "10"}, {'0', "10"}, {'.', "10"}}},
    };
    run(cases);
}

// The count box takes keypad digits while it is the box last entered; its change handling warns
// about a count above 10.
TEST_F(Keypad, CountBox) {
    const std::vector<Case> cases = {
        {"1, 1 gives 11 and the range warning",
         Target::Count,
         "",
         {{'1', "1"}, {'1', "11", {kCountOutOfRange}}}},
        {"1, 0 gives 10 without a warning", Target::Count, "", {{'1', "1"}, {'0', "10"}}},
        {"9 typed, then 9 warns", Target::Count, "9", {{'9', "99", {kCountOutOfRange}}}},
    };
    run(cases);
    EXPECT_EQ(describe(sheet().PointCount), "empty"); // the keypad never confirms
}

// The keys act on the end of the text, whatever the caret or the selection.
TEST_F(Keypad, AppendsAtTheEnd) {
    confirmCount(3);
    clickAndType(text1(0), QStringLiteral("12"));
    QTest::keyClick(text1(0), Qt::Key_Home);
    ASSERT_EQ(text1(0)->cursorPosition(), 0);
    clickKeys("3");
    EXPECT_EQ(text1(0)->text(), QStringLiteral("123"));

    click(text1(0));
    QTest::keyClick(text1(0), Qt::Key_Home);
    QTest::keyClick(text1(0), Qt::Key_Right);
    clickKeys("<");
    EXPECT_EQ(text1(0)->text(), QStringLiteral("12"));

    click(text1(0));
    QTest::keyClick(text1(0), Qt::Key_End);
    QTest::keyClick(text1(0), Qt::Key_Home, Qt::ShiftModifier);
    ASSERT_EQ(text1(0)->selectedText(), QStringLiteral("12"));
    clickKeys("4");
    EXPECT_EQ(text1(0)->text(), QStringLiteral("124"));
    EXPECT_EQ(focusName(), QStringLiteral("Text1(0)"));
    EXPECT_EQ(takeAlerts(), Alerts{});
}

// The keys write into the box the user entered last, even after a visit to the unit list.
TEST_F(Keypad, ActsOnTheBoxEnteredLast) {
    confirmCount(5);
    click(text2(3));
    clickKeys("7");
    EXPECT_EQ(text2(3)->text(), QStringLiteral("7"));
    EXPECT_EQ(focusName(), QStringLiteral("Text2(3)"));

    clickAndType(text1(2), QStringLiteral("4"));
    click(combo());
    EXPECT_EQ(sheet().ActiveField, worksheet::ConcentrationField);
    clickKeys(".5");
    EXPECT_EQ(text1(2)->text(), QStringLiteral("4.5"));
    EXPECT_EQ(text2(3)->text(), QStringLiteral("7"));
    EXPECT_EQ(focusName(), QStringLiteral("Text1(2)"));
    EXPECT_EQ(describe(sheet().CurrentRow), "integer 2");
    EXPECT_EQ(takeAlerts(), Alerts{});
}

// The count box case enables the box before it gives it the focus. Every road through the
// window that makes the count box the target also enables it, so the state is set here directly:
// a confirmed count (box disabled) with the count box as the target.
TEST_F(Keypad, CountBoxIsEnabledFirst) {
    confirmCount(3);
    ui::TextBox* count = box(QStringLiteral("Text4"));
    ASSERT_FALSE(count->isEnabled());
    sheet().ActiveField = worksheet::CountField;

    clickKeys("<");
    EXPECT_FALSE(count->isEnabled()); // backspace does not enable it, nor focus it
    EXPECT_EQ(focusName(), QStringLiteral("Command3"));
    EXPECT_EQ(count->text(), QStringLiteral("3"));

    clickKeys(".");
    EXPECT_TRUE(count->isEnabled());
    EXPECT_EQ(focusName(), QStringLiteral("Text4"));
    EXPECT_EQ(count->text(), QStringLiteral("3"));

    // A confirmed count is not shortened; the focus comes back all the same.
    clickKeys("<");
    EXPECT_EQ(count->text(), QStringLiteral("3"));
    EXPECT_EQ(focusName(), QStringLiteral("Text4"));
    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(describe(sheet().PointCount), "double 3");
}

// A target box that is hidden or disabled takes no text and no focus; the clicked key keeps the
// focus. The window's own roads never leave such a target (the clearing of the table makes the
// count box the target), so each row sets the state directly.
struct UnusableCase {
    const char* name;
    std::function<ui::TextBox*()> setUp;
    const char* text;
};

TEST_F(Keypad, HiddenOrDisabledTarget) {
    const UnusableCase cases[] = {
        {"a hidden concentration box",
         [this] {
             confirmCount(3);
             text1(5)->setText(QStringLiteral("12"));
             sheet().ActiveField = worksheet::ConcentrationField;
             sheet().CurrentRow = std::int16_t{5};
             return text1(5);
         },
         "12"},
        {"a hidden absorbance box",
         [this] {
             confirmCount(2);
             text2(9)->setText(QStringLiteral("0.5"));
             sheet().ActiveField = worksheet::AbsorbanceField;
             sheet().CurrentRow = std::int16_t{9};
             return text2(9);
         },
         "0.5"},
        {"the sample box before a fit",
         [this] {
             confirmCount(3);
             box(QStringLiteral("Text7"))->setText(QStringLiteral("0.1"));
             sheet().ActiveField = worksheet::SampleField;
             return box(QStringLiteral("Text7"));
         },
         "0.1"},
        {"the sample box after the clearing of the table",
         [this] {
             fitTwoPoints();
             clickAndType(box(QStringLiteral("Text7")), QStringLiteral("0.15"));
             click(button(QStringLiteral("command5")));
             sheet().ActiveField = worksheet::SampleField;
             return box(QStringLiteral("Text7"));
         },
         "0.15"},
    };
    for (const UnusableCase& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        ui::TextBox* target = c.setUp();
        ASSERT_TRUE(target->isHidden() || !target->isEnabled());
        takeAlerts();
        const auto field = sheet().ActiveField;
        for (const char key : std::string("10.<")) {
            SCOPED_TRACE(std::string("key ") + key);
            clickKeys(std::string(1, key));
            EXPECT_EQ(target->text(), QString::fromUtf8(c.text));
            EXPECT_EQ(focusName(),
                      key == '<' ? QStringLiteral("Command3") : keypadKey(key)->objectName());
            EXPECT_EQ(sheet().ActiveField, field);
        }
        EXPECT_EQ(takeAlerts(), Alerts{});
    }
}

// The keypad leaves the sample box alone while no count is confirmed; backspace does not ask.
// With the sample box enabled the count is always confirmed, so the count is set to 0 directly.
TEST_F(Keypad, SampleBoxNeedsACount) {
    fitTwoPoints();
    ui::TextBox* sample = box(QStringLiteral("Text7"));
    clickAndType(sample, QStringLiteral("0.15"));
    sheet().PointCount = std::int16_t{0};

    clickKeys("5");
    EXPECT_EQ(sample->text(), QStringLiteral("0.15"));
    EXPECT_EQ(focusName(), keypadKey('5')->objectName());

    clickKeys("<");
    EXPECT_EQ(sample->text(), QStringLiteral("0.1"));
    EXPECT_EQ(focusName(), QStringLiteral("Text7"));
    EXPECT_EQ(takeAlerts(), Alerts{});
}

// Before the load step no box was ever entered: neither key does anything. The window is
// created and never shown, so its load step has not run.
TEST_F(Keypad, NothingBeforeAnyBoxWasEntered) {
    RecordingAlerts quiet;
    ui::MainWindow fresh(quiet);
    ASSERT_FALSE(fresh.loaded());
    ASSERT_EQ(fresh.sheet().ActiveField, worksheet::NoField);
    const QList<ui::TextBox*> boxes = fresh.findChildren<ui::TextBox*>();
    QStringList before;
    for (const ui::TextBox* b : boxes) {
        before << b->text();
    }

    QList<ui::Button*> keys;
    for (int k = 0; k < worksheet::kKeypadKeys; ++k) {
        keys << fresh.findChild<ui::Button*>(QStringLiteral("Command1(%1)").arg(k));
    }
    keys << fresh.findChild<ui::Button*>(QStringLiteral("Command3"));
    for (ui::Button* pressed : keys) {
        ASSERT_NE(pressed, nullptr);
        SCOPED_TRACE(pressed->objectName().toStdString());
        QSignalSpy clicked(pressed, &QPushButton::clicked);
        QTest::mouseClick(pressed, Qt::LeftButton);
        ASSERT_EQ(clicked.count(), 1);
        EXPECT_EQ(fresh.sheet().ActiveField, worksheet::NoField);
        EXPECT_EQ(qobject_cast<ui::TextBox*>(fresh.focusWidget()), nullptr);
    }
    QStringList after;
    for (const ui::TextBox* b : boxes) {
        after << b->text();
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(quiet.take(), Alerts{});
    EXPECT_EQ(describe(fresh.sheet().PointCount), "empty");
}

class Backspace : public Keypad {};

TEST_F(Backspace, RemovesTheLastCharacter) {
    const std::vector<Case> cases = {
        {"a concentration down to nothing",
         Target::Concentration,
         "12",
         {{'<', "1"}, {'<', ""}, {'<', ""}}},
        {"an absorbance", Target::Absorbance, "0.5", {{'<', "0."}, {'<', "0"}, {'<', ""}}},
        {"a sample", Target::Sample, "0.15", {{'<', "0.1"}, {'<', "0."}}},
        {"an unconfirmed count", Target::Count, "7", {{'<', ""}, {'<', ""}}},
        {"an unconfirmed count above 10 warns no more",
         Target::Count,
         "12",
         {{'<', "1"}, {'<', ""}}},
        {"an empty box only gets the focus back", Target::Absorbance, "", {{'<', ""}}},
        {"keypad and backspace in turn",
         Target::Concentration,
         "",
         {{'1', "1"}, {'<', ""}, {'.', "."}, {'<', ""}, {'0', "0"}, {'<', ""}, {'0', "0"}}},
        {"a wrong digit corrected",
         Target::Sample,
         "0.1",
         {{'7', "0.17"}, {'<', "0.1"}, {'5', "0.15"}}},
    };
    run(cases);
}

// Pasted text may hold any character; backspace removes one character, not one byte.
TEST_F(Backspace, PastedCharacters) {
    confirmCount(2);
    pasteWithContextMenu(text1(1), QStringLiteral("1中é"));
    ASSERT_EQ(text1(1)->text(), QStringLiteral("1中é"));
    clickKeys("<");
    EXPECT_EQ(text1(1)->text(), QStringLiteral("1中"));
    clickKeys("<");
    EXPECT_EQ(text1(1)->text(), QStringLiteral("1"));
    EXPECT_EQ(focusName(), QStringLiteral("Text1(1)"));
    EXPECT_EQ(takeAlerts(), Alerts{});
}

} // namespace
} // namespace test
