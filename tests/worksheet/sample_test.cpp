// The sample concentration on its three roads: Enter in the sample box, a click on its 计算 button
// (Command7), and Enter while that button has the focus. The stored curves come from real fits of
// standard points chosen so that the floored coefficients are the reference ones, e.g. 0.0123 and
// 0.8765.

#include "tests/worksheet/sheet_fixture.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace test {
namespace {

// The worksheets the roads are tried on. Each one ends with the unit switched from "mg" to "ug",
// so that a unit label still reading "mg" shows that the event did not rewrite it.
enum class Sheet {
    BeforeAnyFit,   // nothing fitted, sample box disabled and empty
    Curve,          // y = 0.0123 + 0.8765x, range 0 to .8765, earlier result " .556417569880205"
    NoCurve,        // refitted to a slope that floors to 0, range 0.1 to 0.15, earlier result
    FirstNotNumber, // Curve, then the first absorbance edited to "." after the fit
    Falling,        // first absorbance 0.9 above the last one, 0.1
    Top0800,        // last absorbance written "0.800"
    Cleared,        // Curve, sample box holding "0.45", then the table cleared
};

enum class Input { Typed, Pasted, Kept };

constexpr const char* kEarlier = " .556417569880205";        // 0.5 on the curve 0.0123 + 0.8765x
constexpr const char* kEarlierNoCurve = " 1.40280561122244"; // .12 on 0.05 + 0.0499x

// What one road shows: the messages, the result box, the unit label and where the focus is.
struct Outcome {
    Alerts alerts;
    const char* text8;
    const char* unit;
    const char* focus;
};

// One sample text on one worksheet, with what each road does; none where the road cannot be
// taken (the sample box is disabled).
struct Case {
    const char* name;
    Sheet sheet;
    Input input;
    const char* sample;
    std::optional<Outcome> enter;  // Enter in Text7: the range test first, on the strict reading
    std::optional<Outcome> click;  // a click on Command7: the range test with a curve and a text
    std::optional<Outcome> button; // Enter on the focused Command7: no range test, but a number
};

enum class Road { EnterInSampleBox, ClickOnButton, EnterOnButton };

class Sample : public SheetTest {
protected:
    void prepare(Sheet kind) {
        switch (kind) {
        case Sheet::BeforeAnyFit:
            break;
        case Sheet::Curve:
        case Sheet::FirstNotNumber:
        case Sheet::Cleared:
            ASSERT_EQ(fit({"0", ".5", "1"}, {"0", ".4753", ".8765"}), Alerts{});
            ASSERT_EQ(state().Intercept.value(), 0.0123);
            ASSERT_EQ(state().Slope, 0.8765);
            computeEarlier("0.5", kEarlier);
            if (kind == Sheet::FirstNotNumber) {
                retype(text2(0), ".");
            }
            if (kind == Sheet::Cleared) {
                retype(sampleBox(), "0.45");
                click("command5");
                ASSERT_FALSE(sampleBox()->Enabled());
            }
            break;
        case Sheet::NoCurve:
            ASSERT_EQ(fit({"1", "2"}, {".1", ".15"}), Alerts{});
            ASSERT_EQ(state().Slope, 0.0499);
            computeEarlier(".12", kEarlierNoCurve);
            // The same standards with the second one at 1000: the slope 5e-05 floors to 0. The
            // sample box stays enabled; only the clearing of the table disables it.
            retype(text1(1), "1000");
            click("command4");
            ASSERT_EQ(takeAlerts(), Alerts{});
            ASSERT_EQ(caption("Label6"), "y= .0999+ 0x");
            ASSERT_EQ(state().Slope, 0.0);
            ASSERT_TRUE(sampleBox()->Enabled());
            break;
        case Sheet::Falling:
            ASSERT_EQ(fit({"1", "2", "3"}, {".9", ".5", ".1"}), Alerts{});
            ASSERT_EQ(state().Slope, -0.4);
            break;
        case Sheet::Top0800:
            ASSERT_EQ(fit({"0", "1", "2"}, {"0", "0.400", "0.800"}), Alerts{});
            ASSERT_EQ(text("Text6"), "0.800");
            break;
        }
        chooseUnit("ug");
        ASSERT_EQ(takeAlerts(), Alerts{});
    }

    void computeEarlier(const char* sample, const char* expected) {
        retype(sampleBox(), sample);
        press(kEnter);
        ASSERT_EQ(takeAlerts(), Alerts{});
        ASSERT_EQ(text("Text8"), expected);
        ASSERT_EQ(caption("Label13"), "mg");
    }

    void enterSample(Input input, const char* sample) {
        switch (input) {
        case Input::Typed:
            retype(sampleBox(), sample);
            break;
        case Input::Pasted:
            retype(sampleBox(), "");
            paste(sampleBox(), sample);
            break;
        case Input::Kept:
            break;
        }
        ASSERT_EQ(sampleBox()->Text(), sample);
        ASSERT_EQ(takeAlerts(), Alerts{});
    }

    void take(Road road) {
        switch (road) {
        case Road::EnterInSampleBox:
            ASSERT_EQ(focus(), "Text7");
            press(kEnter);
            break;
        case Road::ClickOnButton:
            click("Command7");
            break;
        case Road::EnterOnButton:
            window->tabTo(button("Command7")); // not a click: a click would be the other road
            press(kEnter);
            break;
        }
    }

    void check(const Case& c, Road road, const Outcome& expected) {
        restart();
        ASSERT_NO_FATAL_FAILURE(prepare(c.sheet));
        ASSERT_NO_FATAL_FAILURE(enterSample(c.input, c.sample));
        const worksheet::State before = state();

        ASSERT_NO_FATAL_FAILURE(take(road));

        EXPECT_EQ(takeAlerts(), expected.alerts);
        EXPECT_EQ(text("Text8"), expected.text8);
        EXPECT_EQ(caption("Label13"), expected.unit);
        EXPECT_EQ(focus(), expected.focus);
        // Nothing here writes the state, the sample text or the result boxes of the fit.
        EXPECT_EQ(state(), before);
        EXPECT_EQ(sampleBox()->Text(), c.sample);
    }
};

// Intercept 0.0123 and slope 0.8765 come from the standards 0, .5, 1 against 0, .4753, .8765;
// -0.0045 and 0.0312 from 0, 10, 20 against 0, .2992, .625; 0.0123 and 12.3456 from 0, .0162
// against .0123, .2123. Each sample lies within its curve's range.
TEST_F(Sample, Examples) {
    struct Curve {
        Texts c, a;
        double intercept, slope;
    };
    struct Row {
        const char* name;
        Curve curve;
        const char* sample;
        const char* text8;
    };
    const Curve first{{"0", ".5", "1"}, {"0", ".4753", ".8765"}, 0.0123, 0.8765};
    const Curve second{{"0", "10", "20"}, {"0", ".2992", ".625"}, -0.0045, 0.0312};
    const Curve third{{"0", ".0162"}, {".0123", ".2123"}, 0.0123, 12.3456};
    const Row rows[] = {
        {"0.5 on 0.0123 + 0.8765x", first, "0.5", " .556417569880205"},
        {"the intercept itself gives 0", first, ".0123", " 0"},
        {"below the intercept gives a negative concentration", first, ".01", "-.00262407301768397"},
        {".3 on -0.0045 + 0.0312x", second, ".3", " 9.75961538461539"},
        {"a tiny concentration in exponent form", third, ".0124", " 8.10005184033173E-06"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        ASSERT_EQ(fit(row.curve.c, row.curve.a), Alerts{});
        ASSERT_EQ(state().Intercept.value(), row.curve.intercept);
        ASSERT_EQ(state().Slope, row.curve.slope);
        clickAndType(sampleBox(), row.sample);

        press(kEnter);

        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(text("Text8"), row.text8);
        EXPECT_EQ(caption("Label13"), "mg");
    }
}

TEST_F(Sample, Roads) {
    using S = Sheet;
    using I = Input;
    const Alerts none{};
    const Alerts out{kOutOfRange};
    const Alerts notNumber{kSampleNotNumber};
    const Alerts noCurve{kNoCurve};
    const Alerts invalid{kRangeInvalid};
    const std::optional<Outcome> unreachable{};
    // clang-format off
    const Case cases[] = {
        {"in range", S::Curve, I::Typed, "0.45",
         Outcome{none, " .49937250427838", "ug", "Text7"},
         Outcome{none, " .49937250427838", "ug", "Command7"},
         Outcome{none, " .49937250427838", "ug", "Command7"}},
        {"the intercept gives 0", S::Curve, I::Typed, ".0123",
         Outcome{none, " 0", "ug", "Text7"},
         Outcome{none, " 0", "ug", "Command7"},
         Outcome{none, " 0", "ug", "Command7"}},
        {"below the intercept", S::Curve, I::Typed, ".01",
         Outcome{none, "-.00262407301768397", "ug", "Text7"},
         Outcome{none, "-.00262407301768397", "ug", "Command7"},
         Outcome{none, "-.00262407301768397", "ug", "Command7"}},
        {"on the upper bound", S::Curve, I::Typed, ".8765",
         Outcome{none, " .985966913861951", "ug", "Text7"},
         Outcome{none, " .985966913861951", "ug", "Command7"},
         Outcome{none, " .985966913861951", "ug", "Command7"}},
        {"on the lower bound", S::Curve, I::Typed, "0",
         Outcome{none, "-.0140330861380491", "ug", "Text7"},
         Outcome{none, "-.0140330861380491", "ug", "Command7"},
         Outcome{none, "-.0140330861380491", "ug", "Command7"}},
        {"0.8 equals the upper bound 0.800", S::Top0800, I::Typed, "0.8",
         Outcome{none, " 2", "ug", "Text7"},
         Outcome{none, " 2", "ug", "Command7"},
         Outcome{none, " 2", "ug", "Command7"}},
        {"just above the upper bound 0.800", S::Top0800, I::Typed, ".8001",
         Outcome{out, "", "", "Text7"},
         Outcome{out, "", "", "Text7"},
         Outcome{none, " 2.00025", "ug", "Command7"}},
        {"above the range", S::Curve, I::Typed, ".9",
         Outcome{out, kEarlier, "mg", "Text7"},
         Outcome{out, kEarlier, "mg", "Text7"},
         Outcome{none, " 1.01277809469481", "ug", "Command7"}},
        {"pasted below the range", S::Curve, I::Pasted, "-1",
         Outcome{out, kEarlier, "mg", "Text7"},
         Outcome{out, kEarlier, "mg", "Text7"},
         Outcome{none, "-1.15493439817456", "ug", "Command7"}},
        {"pasted far below, still finite", S::Curve, I::Pasted, "-1e99",
         Outcome{out, kEarlier, "mg", "Text7"},
         Outcome{out, kEarlier, "mg", "Text7"},
         Outcome{none, "-1.14090131203651E+99", "ug", "Command7"}},
        {"first standard above the last: every sample out", S::Falling, I::Typed, ".5",
         Outcome{out, "", "", "Text7"},
         Outcome{out, "", "", "Text7"},
         Outcome{none, " 2", "ug", "Command7"}},
        {"empty: Enter in the box does nothing, the button only rewrites the unit",
         S::Curve, I::Typed, "",
         Outcome{none, kEarlier, "mg", "Text7"},
         Outcome{none, kEarlier, "ug", "Command7"},
         Outcome{none, kEarlier, "ug", "Command7"}},
        {"no curve, in range", S::NoCurve, I::Typed, ".12",
         Outcome{noCurve, kEarlierNoCurve, "ug", "Text7"},
         Outcome{noCurve, kEarlierNoCurve, "ug", "Command7"},
         Outcome{noCurve, kEarlierNoCurve, "ug", "Command7"}},
        {"no curve, out of range: only Enter in the box tests the range", S::NoCurve, I::Typed, ".5",
         Outcome{out, kEarlierNoCurve, "mg", "Text7"},
         Outcome{noCurve, kEarlierNoCurve, "ug", "Command7"},
         Outcome{noCurve, kEarlierNoCurve, "ug", "Command7"}},
        {"before any fit: nothing", S::BeforeAnyFit, I::Kept, "",
         unreachable,
         Outcome{none, "", "", "Command7"},
         Outcome{none, "", "", "Command7"}},
        {"lone point", S::Curve, I::Typed, ".",
         Outcome{notNumber, kEarlier, "mg", "Text7"},
         Outcome{notNumber, kEarlier, "mg", "Text7"},
         Outcome{notNumber, kEarlier, "mg", "Text7"}},
        {"two points", S::Curve, I::Typed, "1.2.3",
         Outcome{notNumber, kEarlier, "mg", "Text7"},
         Outcome{notNumber, kEarlier, "mg", "Text7"},
         Outcome{notNumber, kEarlier, "mg", "Text7"}},
        {"pasted letters", S::Curve, I::Pasted, "abc",
         Outcome{notNumber, kEarlier, "mg", "Text7"},
         Outcome{notNumber, kEarlier, "mg", "Text7"},
         Outcome{notNumber, kEarlier, "mg", "Text7"}},
        {"pasted 1e999 overflows", S::Curve, I::Pasted, "1e999",
         Outcome{notNumber, kEarlier, "mg", "Text7"},
         Outcome{notNumber, kEarlier, "mg", "Text7"},
         Outcome{notNumber, kEarlier, "mg", "Text7"}},
        {"no curve: a text that is no number is not looked at", S::NoCurve, I::Typed, ".",
         Outcome{notNumber, kEarlierNoCurve, "mg", "Text7"},
         Outcome{noCurve, kEarlierNoCurve, "ug", "Command7"},
         Outcome{noCurve, kEarlierNoCurve, "ug", "Command7"}},
        {"pasted with a leading blank", S::Curve, I::Pasted, " .45",
         Outcome{none, " .49937250427838", "ug", "Text7"},
         Outcome{none, " .49937250427838", "ug", "Command7"},
         Outcome{none, " .49937250427838", "ug", "Command7"}},
        {"first absorbance edited to a lone point", S::FirstNotNumber, I::Typed, "0.45",
         Outcome{invalid, kEarlier, "mg", "Text7"},
         Outcome{invalid, kEarlier, "mg", "Text7"},
         Outcome{none, " .49937250427838", "ug", "Command7"}},
        // The disabled sample box cannot take the focus back.
        {"after clearing the table: no upper bound", S::Cleared, I::Kept, "0.45",
         unreachable,
         Outcome{invalid, kEarlier, "mg", "Command7"},
         Outcome{none, " .49937250427838", "ug", "Command7"}},
    };
    // clang-format on
    const std::pair<Road, std::optional<Outcome> Case::*> roads[] = {
        {Road::EnterInSampleBox, &Case::enter},
        {Road::ClickOnButton, &Case::click},
        {Road::EnterOnButton, &Case::button},
    };
    const char* const roadNames[] = {"Enter in the sample box", "click on Command7",
                                     "Enter on Command7"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [road, outcome] : roads) {
            SCOPED_TRACE(roadNames[static_cast<int>(road)]);
            if (c.*outcome) {
                check(c, road, *(c.*outcome));
            }
        }
    }
}

// The sample box takes digits, points, Backspace and Enter; anything else beeps. A second point
// is not refused here.
TEST_F(Sample, KeyFilter) {
    ASSERT_EQ(fit({"0", ".5", "1"}, {"0", ".4753", ".8765"}), Alerts{});
    click(sampleBox());

    type("-a1.2 .3");

    EXPECT_EQ(takeAlerts(), (Alerts{kBeep, kBeep, kBeep}));
    EXPECT_EQ(sampleBox()->Text(), "1.2.3");
}

// The unit beside the result is the one chosen when the result is shown, not at the fit.
TEST_F(Sample, UnitIsTakenWhenTheResultIsShown) {
    ASSERT_EQ(fit({"0", ".5", "1"}, {"0", ".4753", ".8765"}), Alerts{});
    chooseUnit("mg/L");
    clickAndType(sampleBox(), "0.5");
    press(kEnter);
    ASSERT_EQ(caption("Label13"), "mg/L");

    chooseUnit("mL");
    click("Command7");

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text8"), kEarlier);
    EXPECT_EQ(caption("Label13"), "mL");
}

} // namespace
} // namespace test
