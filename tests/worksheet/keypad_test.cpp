// The on-screen keypad and the backspace key: they act on the entry box the user entered last,
// refuse a second zero after a lone "0" and a second point, always work on the end of the text,
// and give the focus back to that box.

#include "tests/worksheet/sheet_fixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace test {
namespace {

using worksheet::Field;

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

class Keypad : public SheetTest {
protected:
    // Two standards, 1 -> 0.1 and 2 -> 0.2, fitted: the sample box is enabled.
    void fitTwoPoints() {
        ASSERT_EQ(fit({"1", "2"}, {"0.1", "0.2"}), Alerts{});
        ASSERT_TRUE(sampleBox()->Enabled());
    }

    fake::TextBox* prepare(Target target) {
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
            return box("Text4"); // focused by the load step
        case Target::Sample:
            fitTwoPoints();
            click(sampleBox());
            return sampleBox();
        }
        return nullptr;
    }

    // Each row in a new window: prepare the box, type into it, then click the keys one by one,
    // checking the text, the alerts and that the focus is back in the box after every click.
    void run(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            restart();
            fake::TextBox* target = prepare(c.target);
            ASSERT_NE(target, nullptr);
            type(c.typed);
            ASSERT_EQ(target->Text(), c.typed);
            takeAlerts();
            const auto field = state().ActiveField;
            const auto row = state().CurrentRow;
            for (std::size_t i = 0; i < c.steps.size(); ++i) {
                const Step& step = c.steps[i];
                SCOPED_TRACE("click " + std::to_string(i + 1) + " on " + step.key);
                clickKeys(std::string(1, step.key));
                EXPECT_EQ(target->Text(), step.text);
                EXPECT_EQ(takeAlerts(), step.alerts);
                EXPECT_EQ(focus(), target->name);
                EXPECT_EQ(state().ActiveField, field);
                EXPECT_EQ(state().CurrentRow, row);
            }
        }
    }
};

TEST_F(Keypad, ZeroRule) {
    run({
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
    });
}

TEST_F(Keypad, PointRule) {
    run({
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
    });
}

// A key added to a full box is lost without a message; the two rules are still checked first.
TEST_F(Keypad, FullBoxes) {
    run({
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
    });
}

// The count box takes keypad digits while it is the box last entered; its change handling warns
// about a count above 10.
TEST_F(Keypad, CountBox) {
    run({
        {"1, 1 gives 11 and the range warning",
         Target::Count,
         "",
         {{'1', "1"}, {'1', "11", {kCountOutOfRange}}}},
        {"1, 0 gives 10 without a warning", Target::Count, "", {{'1', "1"}, {'0', "10"}}},
        {"9 typed, then 9 warns", Target::Count, "9", {{'9', "99", {kCountOutOfRange}}}},
    });
    EXPECT_EQ(describe(state().PointCount), "empty"); // the keypad never confirms
}

class Backspace : public Keypad {};

TEST_F(Backspace, RemovesTheLastCharacter) {
    run({
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
    });
}

// Pasted text may hold any character; backspace removes one character, not one byte.
TEST_F(Backspace, PastedCharacters) {
    confirmCount(2);
    paste(text1(1), "1中é");
    ASSERT_EQ(text1(1)->Text(), "1中é");
    clickKeys("<");
    EXPECT_EQ(text1(1)->Text(), "1中");
    clickKeys("<");
    EXPECT_EQ(text1(1)->Text(), "1");
    EXPECT_EQ(focus(), "Text1(1)");
    EXPECT_EQ(takeAlerts(), Alerts{});
}

// The count box case enables the box before it gives it the focus. Every road through the
// window that makes the count box the target also enables it, so its focus handling is run
// directly: a confirmed count (box disabled) with the count box as the target.
TEST_F(Keypad, CountBoxIsEnabledFirst) {
    confirmCount(3);
    fake::TextBox* count = box("Text4");
    ASSERT_FALSE(count->Enabled());
    sheet().Text4_GotFocus();

    clickKeys("<");
    EXPECT_FALSE(count->Enabled()); // backspace does not enable it, nor focus it
    EXPECT_EQ(focus(), "Command3");
    EXPECT_EQ(count->Text(), "3");

    clickKeys(".");
    EXPECT_TRUE(count->Enabled());
    EXPECT_EQ(focus(), "Text4");
    EXPECT_EQ(count->Text(), "3");

    // A confirmed count is not shortened; the focus comes back all the same.
    clickKeys("<");
    EXPECT_EQ(count->Text(), "3");
    EXPECT_EQ(focus(), "Text4");
    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(describe(state().PointCount), "double 3");
}

// A target box that is hidden or disabled takes no text and no focus; the clicked key keeps the
// focus. The window's own roads never leave such a target (the clearing of the table makes the
// count box the target), so each row runs the target's focus handling directly.
TEST_F(Keypad, HiddenOrDisabledTarget) {
    struct Case {
        const char* name;
        std::function<fake::TextBox*()> setUp;
        const char* text;
    };
    const Case cases[] = {
        {"a hidden concentration box",
         [this] {
             confirmCount(3);
             text1(5)->SetText("12");
             sheet().Text1_GotFocus(5);
             return text1(5);
         },
         "12"},
        {"a hidden absorbance box",
         [this] {
             confirmCount(2);
             text2(9)->SetText("0.5");
             sheet().Text2_GotFocus(9);
             return text2(9);
         },
         "0.5"},
        {"the sample box before a fit",
         [this] {
             confirmCount(3);
             sampleBox()->SetText("0.1");
             sheet().Text7_GotFocus();
             return sampleBox();
         },
         "0.1"},
        {"the sample box after the clearing of the table",
         [this] {
             fitTwoPoints();
             clickAndType(sampleBox(), "0.15");
             click("command5");
             sheet().Text7_GotFocus();
             return sampleBox();
         },
         "0.15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        fake::TextBox* target = c.setUp();
        ASSERT_TRUE(!target->Visible() || !target->Enabled());
        takeAlerts();
        const auto field = state().ActiveField;
        for (const char key : std::string("10.<")) {
            SCOPED_TRACE(std::string("key ") + key);
            clickKeys(std::string(1, key));
            EXPECT_EQ(target->Text(), c.text);
            EXPECT_EQ(focus(), key == '<' ? std::string("Command3") : keypadKey(key)->name);
            EXPECT_EQ(state().ActiveField, field);
        }
        EXPECT_EQ(takeAlerts(), Alerts{});
    }
}

// The keypad leaves the sample box alone while no count is confirmed; backspace does not ask.
// The sample box is enabled only while a count is confirmed, so after the clearing of the table
// it is enabled directly.
TEST_F(Keypad, SampleBoxNeedsACount) {
    fitTwoPoints();
    clickAndType(sampleBox(), "0.15");
    click("command5");
    ASSERT_EQ(describe(state().PointCount), "integer 0");
    sampleBox()->SetEnabled(true);
    click(sampleBox());
    ASSERT_EQ(state().ActiveField, Field::Sample);

    clickKeys("5");
    EXPECT_EQ(sampleBox()->Text(), "0.15");
    EXPECT_EQ(focus(), keypadKey('5')->name);

    clickKeys("<");
    EXPECT_EQ(sampleBox()->Text(), "0.1");
    EXPECT_EQ(focus(), "Text7");
    EXPECT_EQ(takeAlerts(), Alerts{});
}

// Before the load step no box was ever entered: neither key does anything.
TEST(KeypadBeforeLoading, NothingBeforeAnyBoxWasEntered) {
    RecordingAlerts quiet;
    fake::Window fresh(quiet);
    ASSERT_EQ(fresh.sheet().state().ActiveField, Field::None);
    const std::string before = fresh.box("Text4")->Text() + "|" + fresh.box("Text7")->Text();
    for (int k = 0; k < worksheet::kKeypadKeys; ++k) {
        fresh.click(fresh.button("Command1(" + std::to_string(k) + ")"));
    }
    fresh.click(fresh.button("Command3"));
    EXPECT_EQ(fresh.sheet().state().ActiveField, Field::None);
    EXPECT_EQ(fresh.focus(), "Command3");
    EXPECT_EQ(fresh.box("Text4")->Text() + "|" + fresh.box("Text7")->Text(), before);
    EXPECT_EQ(quiet.take(), Alerts{});
    EXPECT_EQ(describe(fresh.sheet().state().PointCount), "empty");
}

} // namespace
} // namespace test
