// The sample concentration, driven through the real window on its three roads: Enter in the
// sample box, a click on its 计算 button (Command7), and Enter while that button has the focus.
// The stored curves come from real fits of standard points chosen so that the floored
// coefficients are the reference ones, e.g. 0.0123 and 0.8765.

#include "tests/worksheet/calculation_fixture.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using test::Alerts;
using Texts = std::vector<QString>;

// The worksheets the roads are tried on. Each one ends with the unit list switched from "mg" to
// "ug", so that a unit label still reading "mg" shows that the event did not rewrite it.
enum class Sheet {
    BeforeAnyFit,   // nothing fitted, sample box disabled and empty
    Curve,          // y = 0.0123 + 0.8765x, range 0 to .8765, earlier result " .556417569880205"
    NoCurve,        // refitted to a slope that floors to 0, range 0.1 to 0.15, earlier result
    FirstNotNumber, // Curve, then the first absorbance edited to "." after the fit
    TopNotNumber,   // fitted with the last absorbance "1.2.3", which the fit reads as 1.2
    Falling,        // first absorbance 0.9 above the last one, 0.1
    Top0800,        // last absorbance written "0.800"
    Cleared,        // Curve, sample box holding "0.45", then the table cleared
};

enum class Road { EnterInSampleBox, ClickOnButton, EnterOnButton };

enum class Input { Typed, Pasted, Kept };

constexpr const char* kEarlier = " .556417569880205";        // 0.5 on the curve 0.0123 + 0.8765x
constexpr const char* kEarlierNoCurve = " 1.40280561122244"; // .12 on 0.05 + 0.0499x

struct Case {
    const char* name;
    Sheet kind;
    Input input;
    const char* sample;
    Alerts alerts;
    const char* text8;
    const char* unit;
    const char* focus;
};

class Sample : public test::CalculationTest {
protected:
    ui::Button* command7() const { return button(QStringLiteral("Command7")); }

    void prepare(Sheet kind) {
        switch (kind) {
        case Sheet::BeforeAnyFit:
            break;
        case Sheet::Curve:
        case Sheet::FirstNotNumber:
        case Sheet::Cleared:
            ASSERT_EQ(fit({"0", ".5", "1"}, {"0", ".4753", ".8765"}), Alerts{});
            ASSERT_EQ(sheet().Intercept.value(), 0.0123);
            ASSERT_EQ(sheet().Slope, 0.8765);
            computeEarlier(QStringLiteral("0.5"), kEarlier);
            if (kind == Sheet::FirstNotNumber) {
                retype(text2(0), QStringLiteral("."));
            }
            if (kind == Sheet::Cleared) {
                retype(sampleBox(), QStringLiteral("0.45"));
                click(button(QStringLiteral("command5")));
                ASSERT_FALSE(sampleBox()->isEnabled());
            }
            break;
        case Sheet::NoCurve:
            ASSERT_EQ(fit({"1", "2"}, {".1", ".15"}), Alerts{});
            ASSERT_EQ(sheet().Slope, 0.0499);
            computeEarlier(QStringLiteral(".12"), kEarlierNoCurve);
            // The same standards with the second one at 1000: the slope 5e-05 floors to 0. The
            // sample box stays enabled; only the clearing of the table disables it.
            retype(text1(1), QStringLiteral("1000"));
            click(button(QStringLiteral("command4")));
            ASSERT_EQ(takeAlerts(), Alerts{});
            ASSERT_EQ(caption("Label6"), "y= .0999+ 0x");
            ASSERT_EQ(sheet().Slope, 0.0);
            ASSERT_TRUE(sampleBox()->isEnabled());
            break;
        case Sheet::TopNotNumber:
            ASSERT_EQ(fit({"0", "1"}, {"0", "1.2.3"}), Alerts{});
            ASSERT_EQ(text("Text6"), "1.2.3");
            ASSERT_EQ(sheet().Slope, 1.2);
            break;
        case Sheet::Falling:
            ASSERT_EQ(fit({"1", "2", "3"}, {".9", ".5", ".1"}), Alerts{});
            ASSERT_EQ(sheet().Slope, -0.4);
            break;
        case Sheet::Top0800:
            ASSERT_EQ(fit({"0", "1", "2"}, {"0", "0.400", "0.800"}), Alerts{});
            ASSERT_EQ(text("Text6"), "0.800");
            break;
        }
        chooseUnit(QStringLiteral("ug"));
        ASSERT_EQ(takeAlerts(), Alerts{});
    }

    void computeEarlier(const QString& sample, const char* expected) {
        retype(sampleBox(), sample);
        press(Qt::Key_Return);
        ASSERT_EQ(takeAlerts(), Alerts{});
        ASSERT_EQ(text("Text8"), expected);
        ASSERT_EQ(caption("Label13"), "mg");
    }

    void enterSample(Input input, const char* sample) {
        switch (input) {
        case Input::Typed:
            retype(sampleBox(), QString::fromUtf8(sample));
            break;
        case Input::Pasted:
            retype(sampleBox(), QString());
            paste(sampleBox(), QString::fromUtf8(sample));
            break;
        case Input::Kept:
            break;
        }
        ASSERT_EQ(sampleBox()->text(), QString::fromUtf8(sample));
        ASSERT_EQ(takeAlerts(), Alerts{});
    }

    void take(Road road) {
        switch (road) {
        case Road::EnterInSampleBox:
            ASSERT_EQ(focus(), "Text7");
            press(Qt::Key_Return);
            break;
        case Road::ClickOnButton:
            click(command7());
            break;
        case Road::EnterOnButton:
            // Tab, not a click: a click would be the other road.
            tabTo(command7());
            ASSERT_EQ(takeAlerts(), Alerts{});
            press(Qt::Key_Return);
            break;
        }
    }

    void check(Road road, const Case& c) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(restart());
        ASSERT_NO_FATAL_FAILURE(prepare(c.kind));
        ASSERT_NO_FATAL_FAILURE(enterSample(c.input, c.sample));
        const auto intercept = sheet().Intercept;
        const double slope = sheet().Slope;

        ASSERT_NO_FATAL_FAILURE(take(road));

        EXPECT_EQ(takeAlerts(), c.alerts);
        EXPECT_EQ(text("Text8"), c.text8);
        EXPECT_EQ(caption("Label13"), c.unit);
        EXPECT_EQ(focus(), c.focus);
        // Nothing here writes the curve, the sample text or the result boxes of the fit.
        EXPECT_EQ(sheet().Intercept, intercept);
        EXPECT_EQ(sheet().Slope, slope);
        EXPECT_EQ(sampleBox()->text(), QString::fromUtf8(c.sample));
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
        ASSERT_EQ(sheet().Intercept.value(), row.curve.intercept);
        ASSERT_EQ(sheet().Slope, row.curve.slope);
        clickAndType(sampleBox(), QString::fromUtf8(row.sample));

        press(Qt::Key_Return);

        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(text("Text8"), row.text8);
        EXPECT_EQ(caption("Label13"), "mg");
    }
}

// Enter in the sample box: the range test comes first, on the strict reading of the texts.
TEST_F(Sample, EnterRoad) {
    using S = Sheet;
    using I = Input;
    const std::string notNumber = test::kSampleNotNumber;
    const Case cases[] = {
        {"in range", S::Curve, I::Typed, "0.45", {}, " .49937250427838", "ug", "Text7"},
        {"the intercept gives 0", S::Curve, I::Typed, ".0123", {}, " 0", "ug", "Text7"},
        {"below the intercept",
         S::Curve,
         I::Typed,
         ".01",
         {},
         "-.00262407301768397",
         "ug",
         "Text7"},
        {"on the upper bound", S::Curve, I::Typed, ".8765", {}, " .985966913861951", "ug", "Text7"},
        {"on the lower bound", S::Curve, I::Typed, "0", {}, "-.0140330861380491", "ug", "Text7"},
        {"0.8 equals the upper bound 0.800", S::Top0800, I::Typed, "0.8", {}, " 2", "ug", "Text7"},
        {"just above the upper bound 0.800",
         S::Top0800,
         I::Typed,
         ".8001",
         {test::kOutOfRange},
         "",
         "",
         "Text7"},
        {"above the range", S::Curve, I::Typed, ".9", {test::kOutOfRange}, kEarlier, "mg", "Text7"},
        {"pasted below the range",
         S::Curve,
         I::Pasted,
         "-1",
         {test::kOutOfRange},
         kEarlier,
         "mg",
         "Text7"},
        {"first standard above the last: every sample out",
         S::Falling,
         I::Typed,
         ".5",
         {test::kOutOfRange},
         "",
         "",
         "Text7"},
        {"empty: nothing at all", S::Curve, I::Typed, "", {}, kEarlier, "mg", "Text7"},
        {"no curve, in range",
         S::NoCurve,
         I::Typed,
         ".12",
         {test::kNoCurve},
         kEarlierNoCurve,
         "ug",
         "Text7"},
        {"no curve, out of range",
         S::NoCurve,
         I::Typed,
         ".5",
         {test::kOutOfRange},
         kEarlierNoCurve,
         "mg",
         "Text7"},
        {"lone point", S::Curve, I::Typed, ".", {notNumber}, kEarlier, "mg", "Text7"},
        {"two points", S::Curve, I::Typed, "1.2.3", {notNumber}, kEarlier, "mg", "Text7"},
        {"pasted letters", S::Curve, I::Pasted, "abc", {notNumber}, kEarlier, "mg", "Text7"},
        {"pasted 1e999 overflows",
         S::Curve,
         I::Pasted,
         "1e999",
         {notNumber},
         kEarlier,
         "mg",
         "Text7"},
        {"pasted with a leading blank",
         S::Curve,
         I::Pasted,
         " .45",
         {},
         " .49937250427838",
         "ug",
         "Text7"},
        {"first absorbance edited to a lone point",
         S::FirstNotNumber,
         I::Typed,
         "0.45",
         {test::kRangeInvalid},
         kEarlier,
         "mg",
         "Text7"},
        {"last absorbance 1.2.3 copied as the upper bound",
         S::TopNotNumber,
         I::Typed,
         "0.5",
         {test::kRangeInvalid},
         "",
         "",
         "Text7"},
    };
    for (const Case& c : cases) {
        check(Road::EnterInSampleBox, c);
    }
}

// A click on Command7: the range test only with a curve and a sample text; out of range or no
// number sends the user back to the sample box.
TEST_F(Sample, ClickRoad) {
    using S = Sheet;
    using I = Input;
    const std::string notNumber = test::kSampleNotNumber;
    const Case cases[] = {
        {"in range", S::Curve, I::Typed, "0.45", {}, " .49937250427838", "ug", "Command7"},
        {"below the intercept",
         S::Curve,
         I::Typed,
         ".01",
         {},
         "-.00262407301768397",
         "ug",
         "Command7"},
        {"on the upper bound",
         S::Curve,
         I::Typed,
         ".8765",
         {},
         " .985966913861951",
         "ug",
         "Command7"},
        {"on the lower bound", S::Curve, I::Typed, "0", {}, "-.0140330861380491", "ug", "Command7"},
        {"0.8 equals the upper bound 0.800",
         S::Top0800,
         I::Typed,
         "0.8",
         {},
         " 2",
         "ug",
         "Command7"},
        {"above the range", S::Curve, I::Typed, ".9", {test::kOutOfRange}, kEarlier, "mg", "Text7"},
        {"pasted below the range",
         S::Curve,
         I::Pasted,
         "-1",
         {test::kOutOfRange},
         kEarlier,
         "mg",
         "Text7"},
        {"first standard above the last: every sample out",
         S::Falling,
         I::Typed,
         ".5",
         {test::kOutOfRange},
         "",
         "",
         "Text7"},
        {"empty: only the unit is rewritten",
         S::Curve,
         I::Typed,
         "",
         {},
         kEarlier,
         "ug",
         "Command7"},
        {"no curve, in range",
         S::NoCurve,
         I::Typed,
         ".12",
         {test::kNoCurve},
         kEarlierNoCurve,
         "ug",
         "Command7"},
        {"no curve: no range test",
         S::NoCurve,
         I::Typed,
         ".5",
         {test::kNoCurve},
         kEarlierNoCurve,
         "ug",
         "Command7"},
        {"before any fit: nothing", S::BeforeAnyFit, I::Kept, "", {}, "", "", "Command7"},
        {"lone point", S::Curve, I::Typed, ".", {notNumber}, kEarlier, "mg", "Text7"},
        {"two points", S::Curve, I::Typed, "1.2.3", {notNumber}, kEarlier, "mg", "Text7"},
        {"pasted letters", S::Curve, I::Pasted, "abc", {notNumber}, kEarlier, "mg", "Text7"},
        {"pasted 1e999 overflows",
         S::Curve,
         I::Pasted,
         "1e999",
         {notNumber},
         kEarlier,
         "mg",
         "Text7"},
        {"first absorbance edited to a lone point",
         S::FirstNotNumber,
         I::Typed,
         "0.45",
         {test::kRangeInvalid},
         kEarlier,
         "mg",
         "Text7"},
        {"last absorbance 1.2.3 copied as the upper bound",
         S::TopNotNumber,
         I::Typed,
         "0.5",
         {test::kRangeInvalid},
         "",
         "",
         "Text7"},
        // The disabled sample box cannot take the focus back.
        {"after clearing the table: no upper bound",
         S::Cleared,
         I::Kept,
         "0.45",
         {test::kRangeInvalid},
         kEarlier,
         "mg",
         "Command7"},
    };
    for (const Case& c : cases) {
        check(Road::ClickOnButton, c);
    }
}

// Enter while Command7 has the focus: no range test at all. A text that is no number is read
// the lenient way; only a concentration that is not finite is refused.
TEST_F(Sample, ButtonEnterRoad) {
    using S = Sheet;
    using I = Input;
    const Case cases[] = {
        {"in range", S::Curve, I::Typed, "0.45", {}, " .49937250427838", "ug", "Command7"},
        {"on the upper bound",
         S::Curve,
         I::Typed,
         ".8765",
         {},
         " .985966913861951",
         "ug",
         "Command7"},
        {"on the lower bound", S::Curve, I::Typed, "0", {}, "-.0140330861380491", "ug", "Command7"},
        {"above the range: computed without a message",
         S::Curve,
         I::Typed,
         ".9",
         {},
         " 1.01277809469481",
         "ug",
         "Command7"},
        {"first standard above the last: computed",
         S::Falling,
         I::Typed,
         ".5",
         {},
         " 2",
         "ug",
         "Command7"},
        {"just above the upper bound 0.800: computed",
         S::Top0800,
         I::Typed,
         ".8001",
         {},
         " 2.00025",
         "ug",
         "Command7"},
        {"empty: only the unit is rewritten",
         S::Curve,
         I::Typed,
         "",
         {},
         kEarlier,
         "ug",
         "Command7"},
        {"no curve, in range",
         S::NoCurve,
         I::Typed,
         ".12",
         {test::kNoCurve},
         kEarlierNoCurve,
         "ug",
         "Command7"},
        {"no curve, out of range",
         S::NoCurve,
         I::Typed,
         ".5",
         {test::kNoCurve},
         kEarlierNoCurve,
         "ug",
         "Command7"},
        {"before any fit: nothing", S::BeforeAnyFit, I::Kept, "", {}, "", "", "Command7"},
        {"lone point reads 0", S::Curve, I::Typed, ".", {}, "-.0140330861380491", "ug", "Command7"},
        {"two points read 1.2",
         S::Curve,
         I::Typed,
         "1.2.3",
         {},
         " 1.35504848830576",
         "ug",
         "Command7"},
        {"pasted letters read 0",
         S::Curve,
         I::Pasted,
         "abc",
         {},
         "-.0140330861380491",
         "ug",
         "Command7"},
        {"pasted 1e999: concentration not finite",
         S::Curve,
         I::Pasted,
         "1e999",
         {test::kSampleNotNumber},
         kEarlier,
         "mg",
         "Command7"},
        {"pasted -1e99: far below, still finite",
         S::Curve,
         I::Pasted,
         "-1e99",
         {},
         "-1.14090131203651E+99",
         "ug",
         "Command7"},
        {"first absorbance edited to a lone point",
         S::FirstNotNumber,
         I::Typed,
         "0.45",
         {},
         " .49937250427838",
         "ug",
         "Command7"},
        {"last absorbance 1.2.3 copied as the upper bound",
         S::TopNotNumber,
         I::Typed,
         "0.5",
         {},
         " .416666666666667",
         "ug",
         "Command7"},
        {"after clearing the table",
         S::Cleared,
         I::Kept,
         "0.45",
         {},
         " .49937250427838",
         "ug",
         "Command7"},
    };
    for (const Case& c : cases) {
        check(Road::EnterOnButton, c);
    }
}

// The sample box takes digits, points, Backspace and Enter; anything else beeps. A second point
// is not refused here.
TEST_F(Sample, KeyFilter) {
    ASSERT_EQ(fit({"0", ".5", "1"}, {"0", ".4753", ".8765"}), Alerts{});
    click(sampleBox());

    type(QStringLiteral("-a1.2 .3"));

    EXPECT_EQ(takeAlerts(), (Alerts{test::kBeep, test::kBeep, test::kBeep}));
    EXPECT_EQ(sampleBox()->text(), QStringLiteral("1.2.3"));
}

// The unit beside the result is the one chosen when the result is shown, not at the fit.
TEST_F(Sample, UnitIsTakenWhenTheResultIsShown) {
    ASSERT_EQ(fit({"0", ".5", "1"}, {"0", ".4753", ".8765"}), Alerts{});
    chooseUnit(QStringLiteral("mg/L"));
    clickAndType(sampleBox(), QStringLiteral("0.5"));
    press(Qt::Key_Return);
    ASSERT_EQ(caption("Label13"), "mg/L");

    chooseUnit(QStringLiteral("mL"));
    click(button(QStringLiteral("Command7")));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text8"), kEarlier);
    EXPECT_EQ(caption("Label13"), "mL");
}

} // namespace
