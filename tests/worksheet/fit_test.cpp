// The standard curve fit behind 计算 (command4): the points are entered, the button is clicked,
// and the box texts, the result boxes, the equation, the stored coefficients, the stored curve
// and the sample box are read back.

#include "calc/number_text.h"
#include "tests/calc/test_support.h"
#include "tests/worksheet/sheet_fixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace test {
namespace {

using calc_test::identical;

class Fit : public SheetTest {
protected:
    Texts concentrationTexts(int n) const {
        Texts texts;
        for (int i = 0; i < n; ++i) {
            texts.push_back(text1(i)->Text());
        }
        return texts;
    }
    Texts absorbanceTexts(int n) const {
        Texts texts;
        for (int i = 0; i < n; ++i) {
            texts.push_back(text2(i)->Text());
        }
        return texts;
    }
    // Confirms the count and puts the texts into the boxes the way a paste does, without the key
    // filter, so that a blank can stand in a box; "" leaves a box empty.
    void enter(const Texts& c, const Texts& a) {
        confirmCount(static_cast<int>(c.size()));
        for (std::size_t i = 0; i < c.size(); ++i) {
            paste(text1(static_cast<int>(i)), c[i]);
            paste(text2(static_cast<int>(i)), a[i]);
        }
        ASSERT_EQ(takeAlerts(), Alerts{});
    }
    void expectUntouchedResults() {
        EXPECT_EQ(text("Text3"), kInitialR);
        EXPECT_EQ(text("Text5"), kInitialTopC);
        EXPECT_EQ(text("Text6"), kInitialTopA);
        EXPECT_EQ(caption("Label6"), kInitialEquation);
        EXPECT_EQ(describe(state().Intercept), "empty");
        EXPECT_EQ(state().Slope, 0.0);
        EXPECT_FALSE(sampleBox()->Enabled());
        EXPECT_FALSE(sheet().curve().has_value());
    }
};

// Whole runs: the texts as entered, what the boxes hold after the click (a "0" put in front of a
// leading "." where it fits), and every result. The linear range is the last row's pair of texts
// and the sample box is enabled when the stored slope is not 0. The first six rows are the
// reference examples of the program; the others add ten points, full boxes, forms the keyboard
// lets through, falling lines, large values, correlation coefficients in exponent form and
// slopes that floor to 0.
TEST_F(Fit, WorkedRuns) {
    struct Case {
        const char* name;
        Texts c, a;
        Texts cAfter, aAfter;
        const char* r;
        const char* equation;
        double intercept, slope;
    };
    const Case cases[] = {
        {"exact slope 0.1 computes as 0.09999999999999999 and floors to 0.0999, intercept "
         "5.6e-17 to 0",
         {"1", "2", "3"},
         {".1", ".2", ".3"},
         {"1", "2", "3"},
         {"0.1", "0.2", "0.3"},
         " 1",
         "y= 0+ .0999x",
         0.0,
         0.0999},
        {"five points from zero, r cut to 8 characters",
         {"0", "1", "2", "3", "4"},
         {".001", ".201", ".399", ".602", ".8"},
         {"0", "1", "2", "3", "4"},
         {"0.001", "0.201", "0.399", "0.602", "0.8"},
         " .999993",
         "y= .0007+ .1999x",
         0.0007,
         0.1999},
        {"negative intercept, texts with trailing zeros copied unchanged",
         {"1", "2", "3", "4"},
         {"0.050", "0.110", "0.160", "0.230"},
         {"1", "2", "3", "4"},
         {"0.050", "0.110", "0.160", "0.230"},
         " .997995",
         "y=- .01+ .059x",
         -0.01,
         0.059},
        {"negative intercept floored away from zero, r ending in 0",
         {"2", "4", "6"},
         {"0.21", "0.39", "0.62"},
         {"2", "4", "6"},
         {"0.21", "0.39", "0.62"},
         " .997530",
         "y=- .0034+ .1025x",
         -0.0034,
         0.1025},
        {"exact intercept 0 comes out -2.8e-17 and shows - .0001",
         {".5", "1", "2"},
         {".1", ".2", ".4"},
         {"0.5", "1", "2"},
         {"0.1", "0.2", "0.4"},
         " 1",
         "y=- .0001+ .2x",
         -0.0001,
         0.2},
        {"two points, negative slope keeps its sign after +",
         {"1", "2"},
         {"0.5", "0.3"},
         {"1", "2"},
         {"0.5", "0.3"},
         "-1",
         "y= .7+-.2x",
         0.7,
         -0.2},
        {"ten points",
         {"0", ".5", "1", "2", "3", "4", "5", "6", "8", "10"},
         {"0", ".026", ".051", ".1", ".149", ".2", ".252", ".301", ".398", ".5"},
         {"0", "0.5", "1", "2", "3", "4", "5", "6", "8", "10"},
         {"0", "0.026", "0.051", "0.1", "0.149", "0.2", "0.252", "0.301", "0.398", "0.5"},
         " .999978",
         "y= .0005+ .0499x",
         0.0005,
         0.0499},
        {"ten points with trailing zeros",
         {"0", "0.5", "1", "2", "3", "4", "5", "6", "8", "10"},
         {".000", ".052", ".101", ".198", ".302", ".401", ".498", ".603", ".797", ".999"},
         {"0", "0.5", "1", "2", "3", "4", "5", "6", "8", "10"},
         {"0.000", "0.052", "0.101", "0.198", "0.302", "0.401", "0.498", "0.603", "0.797", "0.999"},
         " .999983",
         "y= .0009+ .0997x",
         0.0009,
         0.0997},
        {"full boxes are fitted as typed",
         {".12345", "1.5", "3"},
         {".1234", ".5", ".9"},
         {".12345", "1.5", "3"},
         {".1234", "0.5", "0.9"},
         " .999972",
         "y= .0918+ .2699x",
         0.0918,
         0.2699},
        {"full boxes keep their texts, the others get their 0",
         {".12345", ".2", ".35"},
         {".1234", ".2", ".345"},
         {".12345", "0.2", "0.35"},
         {".1234", "0.2", "0.345"},
         " .999962",
         "y= .0035+ .9765x",
         0.0035,
         0.9765},
        {"lone point reads 0, 007 reads 7",
         {".", "007", "1.2"},
         {".", ".5", ".9"},
         {"0.", "007", "1.2"},
         {"0.", "0.5", "0.9"},
         " .223142",
         "y= .3931+ .0268x",
         0.3931,
         0.0268},
        {"descending standards are not reordered",
         {"4", "3", "2", "1"},
         {"0.230", "0.160", "0.110", "0.050"},
         {"4", "3", "2", "1"},
         {"0.230", "0.160", "0.110", "0.050"},
         " .997995",
         "y=- .01+ .059x",
         -0.01,
         0.059},
        {"falling line over three points",
         {"1", "2", "3"},
         {".9", ".6", ".2"},
         {"1", "2", "3"},
         {"0.9", "0.6", "0.2"},
         "-.996615",
         "y= 1.2666+-.35x",
         1.2666,
         -0.35},
        {"large values",
         {"100", "200", "999999"},
         {"1", "2", "99999"},
         {"100", "200", "999999"},
         {"1", "2", "99999"},
         " .999999",
         "y=- 13.5017+ .1x",
         -13.5017,
         0.1},
        {"r 3.16e-05 keeps its exponent, slope floors to 0: no usable curve",
         {"1", "2", "3", "4", "5", "6"},
         {"4.895", "6.972", "8.932", "6.138", "4.217", "7.107"},
         {"1", "2", "3", "4", "5", "6"},
         {"4.895", "6.972", "8.932", "6.138", "4.217", "7.107"},
         " 3.1E-05",
         "y= 6.3767+ 0x",
         6.3767,
         0.0},
        {"r -3.15e-05 keeps its exponent, slope floors to -0.0001",
         {"1", "2", "3", "4", "5", "6"},
         {"3.614", "6.492", "4.539", "4.831", "7.446", "2.983"},
         {"1", "2", "3", "4", "5", "6"},
         {"3.614", "6.492", "4.539", "4.831", "7.446", "2.983"},
         "-3.1E-05",
         "y= 4.9842+-.0001x",
         4.9842,
         -0.0001},
        {"no correlation: r 8.3e-17 keeps its exponent, slope floors to 0",
         {"1", "2", "3", "4"},
         {".6", ".2", ".8", ".4"},
         {"1", "2", "3", "4"},
         {"0.6", "0.2", "0.8", "0.4"},
         " 8.3E-17",
         "y= .4999+ 0x",
         0.4999,
         0.0},
        {"no correlation, tiny negative slope floors to -.0001",
         {"1", "2", "3", "4"},
         {".5", ".9", ".6", ".6"},
         {"1", "2", "3", "4"},
         {"0.5", "0.9", "0.6", "0.6"},
         "-8.2E-17",
         "y= .65+-.0001x",
         0.65,
         -0.0001},
        {"no correlation at all: r exactly 0",
         {"1", "2", "3", "4"},
         {".1", ".3", ".3", ".1"},
         {"1", "2", "3", "4"},
         {"0.1", "0.3", "0.3", "0.1"},
         " 0",
         "y= .1999+ 0x",
         0.1999,
         0.0},
        {"slope 5e-05 floors to 0: no usable curve",
         {"1", "1000"},
         {".1", ".15"},
         {"1", "1000"},
         {"0.1", "0.15"},
         " 1",
         "y= .0999+ 0x",
         0.0999,
         0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        const int n = static_cast<int>(c.c.size());
        ASSERT_NO_FATAL_FAILURE(enter(c.c, c.a));
        const worksheet::State before = state();

        click("command4");

        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(concentrationTexts(n), c.cAfter);
        EXPECT_EQ(absorbanceTexts(n), c.aAfter);
        EXPECT_EQ(text("Text3"), c.r);
        EXPECT_EQ(caption("Label6"), c.equation);
        EXPECT_EQ(text("Text5"), c.cAfter.back());
        EXPECT_EQ(text("Text6"), c.aAfter.back());
        const worksheet::State after = state();
        EXPECT_TRUE(after.Intercept.isDouble());
        EXPECT_TRUE(identical(c.intercept, after.Intercept.value()));
        EXPECT_TRUE(identical(c.slope, after.Slope));
        EXPECT_EQ(sampleBox()->Enabled(), c.slope != 0.0);
        // The fit leaves the focus, the tracked entry box, the count and the sample frame alone.
        EXPECT_EQ(focus(), "command4");
        EXPECT_EQ(after.ActiveField, before.ActiveField);
        EXPECT_EQ(after.CurrentRow, before.CurrentRow);
        EXPECT_EQ(describe(after.LoopIndex), "integer " + std::to_string(n));
        EXPECT_EQ(text("Text4"), std::to_string(n));
        EXPECT_EQ(text("Text8"), "");
        EXPECT_EQ(caption("Label13"), "");

        // The stored curve holds what the window shows, and the points as read.
        ASSERT_TRUE(sheet().curve().has_value());
        const calc::Curve& curve = *sheet().curve();
        EXPECT_EQ(curve.correlation, c.r);
        EXPECT_EQ(curve.equation, c.equation);
        EXPECT_TRUE(identical(c.intercept, curve.intercept));
        EXPECT_TRUE(identical(c.slope, curve.slope));
        std::vector<double> x, y;
        for (int i = 0; i < n; ++i) {
            x.push_back(calc::lenientParse(c.cAfter[i]));
            y.push_back(calc::lenientParse(c.aAfter[i]));
        }
        EXPECT_EQ(curve.concentrations, x);
        EXPECT_EQ(curve.absorbances, y);

        // A second click finds no "." left to prefix and shows the same results.
        const std::string first = snapshot();
        click("command4");
        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(snapshot(), first);
    }
}

// Only the first n rows are read: rows that are hidden keep whatever they hold, unprefixed.
// A hidden box cannot be typed into, so their texts are written the way the program writes a
// box.
TEST_F(Fit, RowsBeyondTheCountAreIgnored) {
    confirmCount(3);
    fillTable({"1", "2", "3"}, {".1", ".2", ".3"});
    for (int i = 3; i < worksheet::kRows; ++i) {
        text1(i)->SetText(".9");
        text2(i)->SetText(i == 5 ? "" : ".5");
    }
    ASSERT_EQ(takeAlerts(), Alerts{});

    click("command4");

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text3"), " 1");
    EXPECT_EQ(caption("Label6"), "y= 0+ .0999x");
    EXPECT_EQ(text("Text5"), "3");
    EXPECT_EQ(text("Text6"), "0.3");
    EXPECT_EQ(sheet().curve()->concentrations.size(), 3U);
    for (int i = 3; i < worksheet::kRows; ++i) {
        EXPECT_EQ(text1(i)->Text(), ".9") << "row " << i + 1;
        EXPECT_EQ(text2(i)->Text(), i == 5 ? "" : ".5") << "row " << i + 1;
    }
}

// The table is read at every click: a corrected box gives a new line and a new linear range.
TEST_F(Fit, CorrectedTableIsFittedAgain) {
    ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
    ASSERT_EQ(caption("Label6"), "y= 0+ .0999x");

    retype(text2(2), ".4");
    click("command4");

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text2(2)->Text(), "0.4");
    EXPECT_EQ(text("Text3"), " .981980");
    EXPECT_EQ(caption("Label6"), "y=- .0667+ .15x");
    EXPECT_EQ(text("Text6"), "0.4");
    EXPECT_EQ(state().Intercept.value(), -0.0667);
    EXPECT_EQ(state().Slope, 0.15);
    EXPECT_EQ(sheet().curve()->absorbances.back(), 0.4);
}

// A table that is refused gives one message; the "0" put in front of the texts stays, and
// nothing else changes. The rows are checked in order, in each row first for an empty box, then
// the C text, then the A text, which must be one whole finite number; through other data no line
// can be fitted.
TEST_F(Fit, Refused) {
    struct Case {
        const char* name;
        Texts c, a; // "" leaves the box empty
        Texts cAfter, aAfter;
        std::string message;
        int loopIndex; // the row refused, or n
    };
    const Case cases[] = {
        {"first concentration empty",
         {"", "2", "3"},
         {".1", ".2", ".3"},
         {"", "2", "3"},
         {"0.1", "0.2", "0.3"},
         kIncomplete,
         0},
        {"last absorbance empty",
         {".5", "2", "3"},
         {".1", ".2", ""},
         {"0.5", "2", "3"},
         {"0.1", "0.2", ""},
         kIncomplete,
         2},
        {"only the first of two incomplete rows counts",
         {"1", "", "3", "4"},
         {"0.1", "0.2", "0.3", ""},
         {"1", "", "3", "4"},
         {"0.1", "0.2", "0.3", ""},
         kIncomplete,
         1},
        {"a row with both boxes empty",
         {"1", "", "3"},
         {".1", "", ".3"},
         {"1", "", "3"},
         {"0.1", "", "0.3"},
         kIncomplete,
         1},
        {"whole table empty", {"", ""}, {"", ""}, {"", ""}, {"", ""}, kIncomplete, 0},
        {"ten points, the tenth absorbance missing",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         {".1", ".2", ".3", ".4", ".5", ".6", ".7", ".8", ".9", ""},
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", ""},
         kIncomplete,
         9},
        {"three concentrations .1 (their mean is not exactly 0.1)",
         {".1", ".1", ".1"},
         {".1", ".2", ".3"},
         {"0.1", "0.1", "0.1"},
         {"0.1", "0.2", "0.3"},
         kCannotFit,
         3},
        {"three absorbances .2",
         {"1", "2", "3"},
         {".2", ".2", ".2"},
         {"1", "2", "3"},
         {"0.2", "0.2", "0.2"},
         kCannotFit,
         3},
        {"all concentrations 1",
         {"1", "1", "1"},
         {".1", ".2", ".3"},
         {"1", "1", "1"},
         {"0.1", "0.2", "0.3"},
         kCannotFit,
         3},
        {"equal concentrations written differently",
         {"1", "1.0", "01", "1."},
         {".1", ".2", ".3", ".4"},
         {"1", "1.0", "01", "1."},
         {"0.1", "0.2", "0.3", "0.4"},
         kCannotFit,
         4},
        {"two points, equal absorbances",
         {"1", "2"},
         {"0.5", ".5"},
         {"1", "2"},
         {"0.5", "0.5"},
         kCannotFit,
         2},
        {"ten equal concentrations",
         {"5", "5", "5", "5", "5", "5", "5", "5", "5", "5"},
         {".1", ".2", ".3", ".4", ".5", ".6", ".7", ".8", ".9", "1"},
         {"5", "5", "5", "5", "5", "5", "5", "5", "5", "5"},
         {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"},
         kCannotFit,
         10},
        {"lone points everywhere read 0",
         {".", ".", "."},
         {".", ".", "."},
         {"0.", "0.", "0."},
         {"0.", "0.", "0."},
         kCannotFit,
         3},
        {"1.2.3 typed into a concentration box: the prefixes before it stay",
         {".5", "1", "1.2.3"},
         {".1", ".2", ".25"},
         {"0.5", "1", "1.2.3"},
         {"0.1", "0.2", "0.25"},
         kNotNumber,
         2},
        {"1.2.3 typed into an absorbance box",
         {"1", "2", "3"},
         {".1", "1.2.3", ".3"},
         {"1", "2", "3"},
         {"0.1", "1.2.3", "0.3"},
         kNotNumber,
         1},
        {"a pasted decimal comma",
         {"1", "2"},
         {"1,5", ".2"},
         {"1", "2"},
         {"1,5", "0.2"},
         kNotNumber,
         0},
        {"pasted full-width digits",
         {"1", "１２"},
         {".1", ".2"},
         {"1", "１２"},
         {"0.1", "0.2"},
         kNotNumber,
         1},
        {"pasted nan", {"nan", "2"}, {".1", ".2"}, {"nan", "2"}, {"0.1", "0.2"}, kNotNumber, 0},
        {"a pasted exponent with D",
         {"1", "1d5"},
         {".1", ".2"},
         {"1", "1d5"},
         {"0.1", "0.2"},
         kNotNumber,
         1},
        {"a pasted blank is not empty, and no number",
         {" ", "1"},
         {".1", ".2"},
         {" ", "1"},
         {"0.1", "0.2"},
         kNotNumber,
         0},
        {"pasted concentration 1e999 overflows",
         {"1", "2", "1e999"},
         {".1", ".2", ".3"},
         {"1", "2", "1e999"},
         {"0.1", "0.2", "0.3"},
         kNotNumber,
         2},
        {"pasted absorbance 1e999 overflows",
         {"1", "2", "3"},
         {".1", "1e999", ".3"},
         {"1", "2", "3"},
         {"0.1", "1e999", "0.3"},
         kNotNumber,
         1},
        {"an empty box comes before a text that is no number in a later row",
         {"1", "1.2.3"},
         {"", ".2"},
         {"1", "1.2.3"},
         {"", "0.2"},
         kIncomplete,
         0},
        {"squares of pasted 1e200 overflow",
         {"1e200", "2e200"},
         {".1", ".2"},
         {"1e200", "2e200"},
         {"0.1", "0.2"},
         kCannotFit,
         2},
        {"squares of pasted 1e-200 underflow to 0",
         {"1e-200", "2e-200"},
         {".1", ".2"},
         {"1e-200", "2e-200"},
         {"0.1", "0.2"},
         kCannotFit,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        const int n = static_cast<int>(c.c.size());
        ASSERT_NO_FATAL_FAILURE(enter(c.c, c.a));

        click("command4");

        EXPECT_EQ(takeAlerts(), Alerts{c.message});
        EXPECT_EQ(concentrationTexts(n), c.cAfter);
        EXPECT_EQ(absorbanceTexts(n), c.aAfter);
        expectUntouchedResults();
        EXPECT_EQ(describe(state().LoopIndex), "integer " + std::to_string(c.loopIndex));
        EXPECT_EQ(focus(), "command4");
    }
}

// A refused table keeps the line of the earlier fit, its results, the stored curve and the usable
// sample box.
TEST_F(Fit, RefusedTableKeepsTheEarlierCurve) {
    struct Retype {
        bool concentration;
        int row;
        const char* text;
    };
    struct Case {
        const char* name;
        std::vector<Retype> retypes;
        std::string message;
        Texts cAfter, aAfter;
    };
    const Case cases[] = {
        {"absorbance deleted", {{false, 1, ""}}, kIncomplete, {"1", "2", "3"}, {"0.1", "", "0.3"}},
        {"concentration deleted",
         {{true, 0, ""}},
         kIncomplete,
         {"", "2", "3"},
         {"0.1", "0.2", "0.3"}},
        {"all absorbances made equal",
         {{false, 0, ".2"}, {false, 2, ".2"}},
         kCannotFit,
         {"1", "2", "3"},
         {"0.2", "0.2", "0.2"}},
        {"an absorbance retyped as 1.2.3",
         {{false, 2, "1.2.3"}},
         kNotNumber,
         {"1", "2", "3"},
         {"0.1", "0.2", "1.2.3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
        const auto curve = sheet().curve();
        for (const Retype& r : c.retypes) {
            retype(r.concentration ? text1(r.row) : text2(r.row), r.text);
        }

        click("command4");

        EXPECT_EQ(takeAlerts(), Alerts{c.message});
        EXPECT_EQ(concentrationTexts(3), c.cAfter);
        EXPECT_EQ(absorbanceTexts(3), c.aAfter);
        EXPECT_EQ(text("Text3"), " 1");
        EXPECT_EQ(text("Text5"), "3");
        EXPECT_EQ(text("Text6"), "0.3");
        EXPECT_EQ(caption("Label6"), "y= 0+ .0999x");
        EXPECT_EQ(state().Intercept.value(), 0.0);
        EXPECT_EQ(state().Slope, 0.0999);
        EXPECT_TRUE(sampleBox()->Enabled());
        EXPECT_EQ(sheet().curve(), curve);
    }
}

// After the table is cleared the sample box is disabled; a refused table still enables it again
// because the Slope from before the clearing is kept (the stored curve is not).
TEST_F(Fit, KeptSlopeEnablesTheSampleBoxAfterClearing) {
    struct Case {
        const char* name;
        Texts c, a;
        std::string message;
    };
    const Case cases[] = {
        {"incomplete table", {"1", "2"}, {".1", ""}, kIncomplete},
        {"degenerate table", {"1", "1"}, {".1", ".2"}, kCannotFit},
        {"a table with no number", {"1", "2"}, {".1", "1.2.3"}, kNotNumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        ASSERT_EQ(fit({"2", "4", "6"}, {"0.21", "0.39", "0.62"}), Alerts{});
        click("command5");
        ASSERT_FALSE(sampleBox()->Enabled());
        confirmCount(2);
        fillTable(c.c, c.a);
        ASSERT_EQ(takeAlerts(), Alerts{});

        click("command4");

        EXPECT_EQ(takeAlerts(), Alerts{c.message});
        EXPECT_TRUE(sampleBox()->Enabled());
        EXPECT_EQ(state().Intercept.value(), -0.0034);
        EXPECT_EQ(state().Slope, 0.1025);
        EXPECT_FALSE(sheet().curve().has_value());
        EXPECT_EQ(text("Text3"), "");
        EXPECT_EQ(text("Text5"), "");
        EXPECT_EQ(text("Text6"), "");
        EXPECT_EQ(caption("Label6"), "y=a+bx");
    }
}

// Without a confirmed point count the button does nothing at all, silently.
TEST_F(Fit, WithoutCountNothingHappens) {
    struct Case {
        const char* name;
        bool refuseCount;
        bool clearTable;
    };
    const Case cases[] = {
        {"right after start-up", false, false},
        {"after a refused count", true, false},
        {"after clearing the table", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        if (c.refuseCount) {
            confirmCount(1);
            ASSERT_EQ(takeAlerts(), (Alerts{kBeep, kCountOutOfRange}));
        }
        if (c.clearTable) {
            click("command5");
        }
        const std::string before = snapshot();

        click("command4");

        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(snapshot(), before);
    }
}

} // namespace
} // namespace test
