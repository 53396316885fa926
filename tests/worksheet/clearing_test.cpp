// The two clear buttons, both "清零": command5 beside the table returns the worksheet to a new
// point count, Command8 empties the sample frame.

#include "tests/worksheet/sheet_fixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <string_view>

namespace test {
namespace {

using worksheet::Field;

class Clearing : public SheetTest {
protected:
    // The snapshot without the lines that start with one of the prefixes.
    std::string snapshotWithout(std::initializer_list<std::string_view> prefixes) const {
        std::istringstream lines(snapshot());
        std::string kept;
        for (std::string line; std::getline(lines, line);) {
            bool drop = false;
            for (const std::string_view prefix : prefixes) {
                drop = drop || line.starts_with(prefix);
            }
            if (!drop) {
                kept += line + '\n';
            }
        }
        return kept;
    }
};

// command5 empties and hides all ten rows, empties the count and the fit results (to "", not to
// the texts the window starts with), puts back "y=a+bx", hands the count box the focus and
// disables the sample box. The stored Intercept and Slope, the sample frame's texts, the current
// row and the unit stay as they were.
TEST_F(Clearing, Table) {
    struct Case {
        const char* name;
        std::function<void()> before;
    };
    const Case cases[] = {
        {"right after start-up", [] {}},
        {"after a refused count",
         [this] {
             confirmCount(1);
             ASSERT_EQ(takeAlerts(), (Alerts{kBeep, kCountOutOfRange}));
         }},
        {"count 3 with text left in the hidden rows",
         [this] {
             confirmCount(3);
             fillTable({"1", "2", "3"}, {".1", ".2", ".3"});
             // A hidden box cannot be typed into; the program's own writing puts text there.
             for (int i = 3; i < worksheet::kRows; ++i) {
                 text1(i)->SetText("9");
                 text2(i)->SetText(".9");
             }
         }},
        {"count 3, fitted, sample computed",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             clickAndType(sampleBox(), ".2");
             press(kEnter);
             ASSERT_EQ(text("Text8"), " 2.002002002002");
             chooseUnit("ug/L");
             click(text2(1));
         }},
        {"ten points, refused as incomplete",
         [this] {
             confirmCount(10);
             fillTable({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
                       {".1", ".2", ".3", ".4", ".5", ".6", ".7", ".8", ".9"});
             click("command4");
             ASSERT_EQ(takeAlerts(), Alerts{kIncomplete});
         }},
        {"cleared twice",
         [this] {
             ASSERT_EQ(fit({"2", "4", "6"}, {"0.21", "0.39", "0.62"}), Alerts{});
             click("command5");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        ASSERT_NO_FATAL_FAILURE(c.before());
        ASSERT_EQ(takeAlerts(), Alerts{});
        const std::string sample = text("Text7");
        const std::string result = text("Text8");
        const std::string unit = caption("Label13");
        const std::string chosenUnit = window->combo().text;
        const worksheet::State before = state();

        click("command5");

        EXPECT_EQ(takeAlerts(), Alerts{});
        for (int i = 0; i < worksheet::kRows; ++i) {
            SCOPED_TRACE("row " + std::to_string(i + 1));
            EXPECT_EQ(text1(i)->Text(), "");
            EXPECT_EQ(text2(i)->Text(), "");
        }
        EXPECT_EQ(rowVisibility(), "0000000000");
        EXPECT_EQ(text("Text3"), "");
        EXPECT_EQ(text("Text5"), "");
        EXPECT_EQ(text("Text6"), "");
        EXPECT_EQ(caption("Label6"), "y=a+bx");
        EXPECT_EQ(text("Text4"), "");
        EXPECT_TRUE(box("Text4")->Enabled());
        EXPECT_EQ(focus(), "Text4");
        EXPECT_FALSE(sampleBox()->Enabled());
        EXPECT_FALSE(sheet().curve().has_value());
        const worksheet::State after = state();
        EXPECT_EQ(after.ActiveField, Field::Count);
        EXPECT_EQ(describe(after.PointCount), "integer 0");
        EXPECT_EQ(describe(after.LoopIndex), "integer 10");
        // Kept.
        EXPECT_EQ(text("Text7"), sample);
        EXPECT_EQ(text("Text8"), result);
        EXPECT_EQ(caption("Label13"), unit);
        EXPECT_EQ(window->combo().text, chosenUnit);
        EXPECT_EQ(after.Intercept, before.Intercept);
        EXPECT_EQ(after.Slope, before.Slope);
        EXPECT_EQ(after.CurrentRow, before.CurrentRow);
    }
}

// After command5 the keypad writes into the count box, and a new count shows empty rows.
TEST_F(Clearing, TableThenNewCount) {
    ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
    click(text2(2));
    click("command5");

    clickKeys("4");
    click("command9");

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text4"), "4");
    EXPECT_FALSE(box("Text4")->Enabled());
    EXPECT_EQ(focus(), "Text1(0)");
    EXPECT_EQ(rowVisibility(), "1111000000");
    for (int i = 0; i < worksheet::kRows; ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(text1(i)->Text(), "");
        EXPECT_EQ(text2(i)->Text(), "");
    }
}

// Command8 empties the sample box, the result and its unit, and nothing else: the sample box
// stays enabled or disabled, the focus stays on the button, the tracked entry box and the curve
// stay.
TEST_F(Clearing, Sample) {
    struct Case {
        const char* name;
        std::function<void()> before;
        bool sampleBoxEnabled;
    };
    const Case cases[] = {
        {"right after start-up", [] {}, false},
        {"result shown",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             clickAndType(sampleBox(), ".2");
             press(kEnter);
             ASSERT_EQ(text("Text8"), " 2.002002002002");
             ASSERT_EQ(caption("Label13"), "mg");
         },
         true},
        {"out-of-range sample after a result",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             clickAndType(sampleBox(), ".2");
             press(kEnter);
             retype(sampleBox(), ".9");
             press(kEnter);
             ASSERT_EQ(takeAlerts(), Alerts{kOutOfRange});
         },
         true},
        {"table cleared: the result and its unit are still shown",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             clickAndType(sampleBox(), ".2");
             press(kEnter);
             click("command5");
             ASSERT_EQ(text("Text8"), " 2.002002002002");
             ASSERT_EQ(caption("Label13"), "mg");
             ASSERT_EQ(text("Text7"), ".2");
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        ASSERT_NO_FATAL_FAILURE(c.before());
        ASSERT_EQ(takeAlerts(), Alerts{});
        const std::string rest = snapshotWithout({"Text7:", "Text8:", "Label13:"});
        const auto curve = sheet().curve();

        click("Command8");

        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(text("Text7"), "");
        EXPECT_EQ(text("Text8"), "");
        EXPECT_EQ(caption("Label13"), "");
        EXPECT_EQ(sampleBox()->Enabled(), c.sampleBoxEnabled);
        EXPECT_EQ(focus(), "Command8");
        EXPECT_EQ(snapshotWithout({"Text7:", "Text8:", "Label13:"}), rest);
        EXPECT_EQ(sheet().curve(), curve);
    }
}

// With a curve stored, a new sample can be entered right after Command8.
TEST_F(Clearing, SampleThenNewSample) {
    ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
    clickAndType(sampleBox(), ".2");
    press(kEnter);
    click("Command8");

    // The keypad still writes into the sample box, which was the box last focused.
    clickKeys(".15");
    ASSERT_EQ(focus(), "Text7");
    press(kEnter);

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text7"), ".15");
    EXPECT_EQ(text("Text8"), " 1.5015015015015");
    EXPECT_EQ(caption("Label13"), "mg");
}

} // namespace
} // namespace test
