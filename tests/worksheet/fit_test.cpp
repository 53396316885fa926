// The standard curve fit behind 计算 (command4), driven through the real window: the points are
// typed with key events, the button is clicked, and the result boxes, the equation, the stored
// coefficients and the sample box are read back.

#include "tests/worksheet/calculation_fixture.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using test::Alerts;

class Fit : public test::CalculationTest {
protected:
    std::vector<std::string> concentrationTexts(int n) const {
        std::vector<std::string> texts;
        for (int i = 0; i < n; ++i) {
            texts.push_back(text1(i)->text().toStdString());
        }
        return texts;
    }
    std::vector<std::string> absorbanceTexts(int n) const {
        std::vector<std::string> texts;
        for (int i = 0; i < n; ++i) {
            texts.push_back(text2(i)->text().toStdString());
        }
        return texts;
    }
    void expectUntouchedResults() {
        EXPECT_EQ(text("Text3"), test::kInitialR);
        EXPECT_EQ(text("Text5"), test::kInitialTopC);
        EXPECT_EQ(text("Text6"), test::kInitialTopA);
        EXPECT_EQ(caption("Label6"), test::kInitialEquation);
        EXPECT_EQ(test::describe(sheet().Intercept), "empty");
        EXPECT_EQ(sheet().Slope, 0.0);
        EXPECT_FALSE(sampleBox()->isEnabled());
    }
};

using Texts = std::vector<QString>;
using Strings = std::vector<std::string>;

// Whole runs: the texts as typed, what the boxes hold after the click (a "0" put in front of a
// leading "."), and every result. The first six rows are the reference examples of the program;
// the others add ten points, full boxes, forms the keyboard lets through, a falling line, large
// values, correlation coefficients in exponent form and slopes that floor to 0.
TEST_F(Fit, WorkedRuns) {
    struct Case {
        const char* name;
        Texts c, a;
        Strings cAfter, aAfter;
        const char* r;
        const char* equation;
        const char* topC;
        const char* topA;
        double intercept, slope;
        bool sampleBoxEnabled;
    };
    const Case cases[] = {
        {"exact slope 0.1 computes as 0.09999999999999999 and floors to 0.0999",
         {"1", "2", "3"},
         {".1", ".2", ".3"},
         {"1", "2", "3"},
         {"0.1", "0.2", "0.3"},
         " 1",
         "y= 0+ .0999x",
         "3",
         "0.3",
         0.0,
         0.0999,
         true},
        {"five points, r cut to 8 characters",
         {"0", "1", "2", "3", "4"},
         {".001", ".201", ".399", ".602", ".8"},
         {"0", "1", "2", "3", "4"},
         {"0.001", "0.201", "0.399", "0.602", "0.8"},
         " .999993",
         "y= .0007+ .1999x",
         "4",
         "0.8",
         0.0007,
         0.1999,
         true},
        {"negative intercept, texts copied unchanged",
         {"1", "2", "3", "4"},
         {"0.050", "0.110", "0.160", "0.230"},
         {"1", "2", "3", "4"},
         {"0.050", "0.110", "0.160", "0.230"},
         " .997995",
         "y=- .01+ .059x",
         "4",
         "0.230",
         -0.01,
         0.059,
         true},
        {"negative intercept floored away from zero",
         {"2", "4", "6"},
         {"0.21", "0.39", "0.62"},
         {"2", "4", "6"},
         {"0.21", "0.39", "0.62"},
         " .997530",
         "y=- .0034+ .1025x",
         "6",
         "0.62",
         -0.0034,
         0.1025,
         true},
        {"intercept -2.8e-17 shows as - .0001",
         {".5", "1", "2"},
         {".1", ".2", ".4"},
         {"0.5", "1", "2"},
         {"0.1", "0.2", "0.4"},
         " 1",
         "y=- .0001+ .2x",
         "2",
         "0.4",
         -0.0001,
         0.2,
         true},
        {"two points, negative slope",
         {"1", "2"},
         {"0.5", "0.3"},
         {"1", "2"},
         {"0.5", "0.3"},
         "-1",
         "y= .7+-.2x",
         "2",
         "0.3",
         0.7,
         -0.2,
         true},
        {"ten points",
         {"0", "0.5", "1", "2", "3", "4", "5", "6", "8", "10"},
         {".000", ".052", ".101", ".198", ".302", ".401", ".498", ".603", ".797", ".999"},
         {"0", "0.5", "1", "2", "3", "4", "5", "6", "8", "10"},
         {"0.000", "0.052", "0.101", "0.198", "0.302", "0.401", "0.498", "0.603", "0.797", "0.999"},
         " .999983",
         "y= .0009+ .0997x",
         "10",
         "0.999",
         0.0009,
         0.0997,
         true},
        {"full boxes keep their texts, the others get their 0",
         {".12345", ".2", ".35"},
         {".1234", ".2", ".345"},
         {".12345", "0.2", "0.35"},
         {".1234", "0.2", "0.345"},
         " .999962",
         "y= .0035+ .9765x",
         "0.35",
         "0.345",
         0.0035,
         0.9765,
         true},
        {"lone point reads 0, 007 reads 7, 1.2.3 reads 1.2",
         {".", "007", "1.2.3"},
         {".", ".5", ".9"},
         {"0.", "007", "1.2.3"},
         {"0.", "0.5", "0.9"},
         " .223142",
         "y= .3931+ .0268x",
         "1.2.3",
         "0.9",
         0.3931,
         0.0268,
         true},
        {"falling line over three points",
         {"1", "2", "3"},
         {".9", ".6", ".2"},
         {"1", "2", "3"},
         {"0.9", "0.6", "0.2"},
         "-.996615",
         "y= 1.2666+-.35x",
         "3",
         "0.2",
         1.2666,
         -0.35,
         true},
        {"large values",
         {"100", "200", "999999"},
         {"1", "2", "99999"},
         {"100", "200", "999999"},
         {"1", "2", "99999"},
         " .999999",
         "y=- 13.5017+ .1x",
         "999999",
         "99999",
         -13.5017,
         0.1,
         true},
        {"r 3.16e-05 keeps its exponent, slope floors to 0",
         {"1", "2", "3", "4", "5", "6"},
         {"4.895", "6.972", "8.932", "6.138", "4.217", "7.107"},
         {"1", "2", "3", "4", "5", "6"},
         {"4.895", "6.972", "8.932", "6.138", "4.217", "7.107"},
         " 3.1E-05",
         "y= 6.3767+ 0x",
         "6",
         "7.107",
         6.3767,
         0.0,
         false},
        {"r -3.15e-05 keeps its exponent, slope floors to -0.0001",
         {"1", "2", "3", "4", "5", "6"},
         {"3.614", "6.492", "4.539", "4.831", "7.446", "2.983"},
         {"1", "2", "3", "4", "5", "6"},
         {"3.614", "6.492", "4.539", "4.831", "7.446", "2.983"},
         "-3.1E-05",
         "y= 4.9842+-.0001x",
         "6",
         "2.983",
         4.9842,
         -0.0001,
         true},
        {"no correlation at all: r exactly 0",
         {"1", "2", "3", "4"},
         {".1", ".3", ".3", ".1"},
         {"1", "2", "3", "4"},
         {"0.1", "0.3", "0.3", "0.1"},
         " 0",
         "y= .1999+ 0x",
         "4",
         "0.1",
         0.1999,
         0.0,
         false},
        {"slope 5e-05 floors to 0: no usable curve",
         {"1", "1000"},
         {".1", ".15"},
         {"1", "1000"},
         {"0.1", "0.15"},
         " 1",
         "y= .0999+ 0x",
         "1000",
         "0.15",
         0.0999,
         0.0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        const int n = static_cast<int>(c.c.size());
        confirmCount(n);
        fillTable(c.c, c.a);
        ASSERT_EQ(takeAlerts(), Alerts{});
        const auto activeField = sheet().ActiveField;
        const auto currentRow = sheet().CurrentRow;

        click(button(QStringLiteral("command4")));

        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(concentrationTexts(n), c.cAfter);
        EXPECT_EQ(absorbanceTexts(n), c.aAfter);
        EXPECT_EQ(text("Text3"), c.r);
        EXPECT_EQ(caption("Label6"), c.equation);
        EXPECT_EQ(text("Text5"), c.topC);
        EXPECT_EQ(text("Text6"), c.topA);
        EXPECT_TRUE(sheet().Intercept.isDouble());
        EXPECT_EQ(sheet().Intercept.value(), c.intercept);
        EXPECT_EQ(sheet().Slope, c.slope);
        EXPECT_EQ(sampleBox()->isEnabled(), c.sampleBoxEnabled);
        // The fit leaves the focus, the tracked entry box, the count and the sample frame alone.
        EXPECT_EQ(focus(), "command4");
        EXPECT_EQ(sheet().ActiveField, activeField);
        EXPECT_EQ(sheet().CurrentRow, currentRow);
        EXPECT_EQ(sheet().LoopIndex.value(), n);
        EXPECT_EQ(text("Text4"), std::to_string(n));
        EXPECT_EQ(text("Text8"), "");
        EXPECT_EQ(caption("Label13"), "");
    }
}

// A second click on an unchanged table finds no "." left to prefix and shows the same results.
TEST_F(Fit, SecondClickGivesTheSameResults) {
    ASSERT_EQ(fit({".5", "1", "2"}, {".1", ".2", ".4"}), Alerts{});
    const std::string first = snapshot();
    ASSERT_EQ(caption("Label6"), "y=- .0001+ .2x");

    click(button(QStringLiteral("command4")));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(snapshot(), first);
}

// Only the first n rows are read: rows that are hidden keep whatever they hold, unprefixed.
// A hidden box cannot be typed into, so their texts are written the way the program writes a
// box.
TEST_F(Fit, RowsBeyondTheCountAreIgnored) {
    confirmCount(3);
    fillTable({"1", "2", "3"}, {".1", ".2", ".3"});
    for (int i = 3; i < worksheet::kRows; ++i) {
        static_cast<worksheet::TextBox*>(text1(i))->SetText(".9");
        static_cast<worksheet::TextBox*>(text2(i))->SetText(i == 5 ? "" : ".5");
    }
    ASSERT_EQ(takeAlerts(), Alerts{});

    click(button(QStringLiteral("command4")));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text3"), " 1");
    EXPECT_EQ(caption("Label6"), "y= 0+ .0999x");
    EXPECT_EQ(text("Text5"), "3");
    EXPECT_EQ(text("Text6"), "0.3");
    for (int i = 3; i < worksheet::kRows; ++i) {
        EXPECT_EQ(text1(i)->text(), QStringLiteral(".9")) << "row " << i + 1;
        EXPECT_EQ(text2(i)->text(), i == 5 ? QString() : QStringLiteral(".5")) << "row " << i + 1;
    }
}

// The table is read at every click: a corrected box gives a new line and a new linear range.
TEST_F(Fit, CorrectedTableIsFittedAgain) {
    ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
    ASSERT_EQ(caption("Label6"), "y= 0+ .0999x");

    retype(text2(2), QStringLiteral(".4"));
    click(button(QStringLiteral("command4")));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text2(2)->text(), QStringLiteral("0.4"));
    EXPECT_EQ(text("Text3"), " .981980");
    EXPECT_EQ(caption("Label6"), "y=- .0667+ .15x");
    EXPECT_EQ(text("Text6"), "0.4");
    EXPECT_EQ(sheet().Intercept.value(), -0.0667);
    EXPECT_EQ(sheet().Slope, 0.15);
}

// A row in use with an empty box stops the fit with one message for the first such row. The
// "0" put in front of the texts stays, and nothing else changes.
TEST_F(Fit, Incomplete) {
    struct Case {
        const char* name;
        Texts c, a; // "" leaves the box empty
        Strings cAfter, aAfter;
        int firstIncompleteRow;
    };
    const Case cases[] = {
        {"first concentration empty",
         {"", "2", "3"},
         {".1", ".2", ".3"},
         {"", "2", "3"},
         {"0.1", "0.2", "0.3"},
         0},
        {"last absorbance empty",
         {".5", "2", "3"},
         {".1", ".2", ""},
         {"0.5", "2", "3"},
         {"0.1", "0.2", ""},
         2},
        {"only the first of two incomplete rows counts",
         {"1", "", "3", "4"},
         {"0.1", "0.2", "0.3", ""},
         {"1", "", "3", "4"},
         {"0.1", "0.2", "0.3", ""},
         1},
        {"a row with both boxes empty",
         {"1", "", "3"},
         {".1", "", ".3"},
         {"1", "", "3"},
         {"0.1", "", "0.3"},
         1},
        {"whole table empty", {"", ""}, {"", ""}, {"", ""}, {"", ""}, 0},
        {"ten points, the tenth absorbance missing",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         {".1", ".2", ".3", ".4", ".5", ".6", ".7", ".8", ".9", ""},
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", ""},
         9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        const int n = static_cast<int>(c.c.size());
        confirmCount(n);
        for (int i = 0; i < n; ++i) {
            if (!c.c[i].isEmpty()) {
                clickAndType(text1(i), c.c[i]);
            }
            if (!c.a[i].isEmpty()) {
                clickAndType(text2(i), c.a[i]);
            }
        }
        ASSERT_EQ(takeAlerts(), Alerts{});

        click(button(QStringLiteral("command4")));

        EXPECT_EQ(takeAlerts(), Alerts{test::kIncomplete});
        EXPECT_EQ(concentrationTexts(n), c.cAfter);
        EXPECT_EQ(absorbanceTexts(n), c.aAfter);
        expectUntouchedResults();
        EXPECT_EQ(sheet().LoopIndex.value(), c.firstIncompleteRow);
        EXPECT_EQ(focus(), "command4");
    }
}

// A blank is not an empty box: the fit reads it as 0.
TEST_F(Fit, PastedBlankIsNotEmpty) {
    confirmCount(3);
    fillTable({"", "1", "2"}, {".1", ".2", ".3"});
    paste(text1(0), QStringLiteral(" "));
    ASSERT_EQ(text1(0)->text(), QStringLiteral(" "));

    click(button(QStringLiteral("command4")));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text3"), " 1");
    EXPECT_EQ(caption("Label6"), "y= .1+ .0999x");
    EXPECT_EQ(sheet().Slope, 0.0999);
}

// Data through which no line can be fitted gives its own message and changes no result; the
// "0" prefixes stay. Pasted texts reach the boxes without the key filter.
TEST_F(Fit, Degenerate) {
    struct Paste {
        bool concentration;
        int row;
        const char* text;
    };
    struct Case {
        const char* name;
        Texts c, a; // typed; "" leaves the box for a paste
        std::vector<Paste> pastes;
        Strings cAfter, aAfter;
    };
    const Case cases[] = {
        {"three concentrations .1 (their mean is not exactly 0.1)",
         {".1", ".1", ".1"},
         {".1", ".2", ".3"},
         {},
         {"0.1", "0.1", "0.1"},
         {"0.1", "0.2", "0.3"}},
        {"three absorbances .2",
         {"1", "2", "3"},
         {".2", ".2", ".2"},
         {},
         {"1", "2", "3"},
         {"0.2", "0.2", "0.2"}},
        {"all concentrations 1",
         {"1", "1", "1"},
         {".1", ".2", ".3"},
         {},
         {"1", "1", "1"},
         {"0.1", "0.2", "0.3"}},
        {"equal concentrations written differently",
         {"1", "1.0", "01", "1."},
         {".1", ".2", ".3", ".4"},
         {},
         {"1", "1.0", "01", "1."},
         {"0.1", "0.2", "0.3", "0.4"}},
        {"two points, equal absorbances",
         {"1", "2"},
         {"0.5", ".5"},
         {},
         {"1", "2"},
         {"0.5", "0.5"}},
        {"ten equal concentrations",
         {"5", "5", "5", "5", "5", "5", "5", "5", "5", "5"},
         {".1", ".2", ".3", ".4", ".5", ".6", ".7", ".8", ".9", "1"},
         {},
         {"5", "5", "5", "5", "5", "5", "5", "5", "5", "5"},
         {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
        {"lone points everywhere read 0",
         {".", ".", "."},
         {".", ".", "."},
         {},
         {"0.", "0.", "0."},
         {"0.", "0.", "0."}},
        {"pasted concentration 1e999 overflows",
         {"1", "2", ""},
         {".1", ".2", ".3"},
         {{true, 2, "1e999"}},
         {"1", "2", "1e999"},
         {"0.1", "0.2", "0.3"}},
        {"pasted absorbance 1e999 overflows",
         {"1", "2", "3"},
         {".1", "", ".3"},
         {{false, 1, "1e999"}},
         {"1", "2", "3"},
         {"0.1", "1e999", "0.3"}},
        {"pasted -1e999 overflows",
         {"1", "2", ""},
         {".1", ".2", ".3"},
         {{true, 2, "-1e999"}},
         {"1", "2", "-1e999"},
         {"0.1", "0.2", "0.3"}},
        {"squares of pasted 1e200 overflow",
         {"", ""},
         {".1", ".2"},
         {{true, 0, "1e200"}, {true, 1, "2e200"}},
         {"1e200", "2e200"},
         {"0.1", "0.2"}},
        {"squares of pasted 1e-200 underflow to 0",
         {"", ""},
         {".1", ".2"},
         {{true, 0, "1e-200"}, {true, 1, "2e-200"}},
         {"1e-200", "2e-200"},
         {"0.1", "0.2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        const int n = static_cast<int>(c.c.size());
        confirmCount(n);
        for (int i = 0; i < n; ++i) {
            if (!c.c[i].isEmpty()) {
                clickAndType(text1(i), c.c[i]);
            }
            if (!c.a[i].isEmpty()) {
                clickAndType(text2(i), c.a[i]);
            }
        }
        for (const Paste& p : c.pastes) {
            paste(p.concentration ? text1(p.row) : text2(p.row), QString::fromUtf8(p.text));
        }
        ASSERT_EQ(takeAlerts(), Alerts{});

        click(button(QStringLiteral("command4")));

        EXPECT_EQ(takeAlerts(), Alerts{test::kCannotFit});
        EXPECT_EQ(concentrationTexts(n), c.cAfter);
        EXPECT_EQ(absorbanceTexts(n), c.aAfter);
        expectUntouchedResults();
        EXPECT_EQ(focus(), "command4");
    }
}

// A refused table, incomplete or degenerate, keeps the line of the earlier fit, its results and
// the usable sample box.
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
        Strings cAfter, aAfter;
    };
    const Case cases[] = {
        {"absorbance deleted",
         {{false, 1, ""}},
         test::kIncomplete,
         {"1", "2", "3"},
         {"0.1", "", "0.3"}},
        {"concentration deleted",
         {{true, 0, ""}},
         test::kIncomplete,
         {"", "2", "3"},
         {"0.1", "0.2", "0.3"}},
        {"all absorbances made equal",
         {{false, 0, ".2"}, {false, 2, ".2"}},
         test::kCannotFit,
         {"1", "2", "3"},
         {"0.2", "0.2", "0.2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
        for (const Retype& r : c.retypes) {
            retype(r.concentration ? text1(r.row) : text2(r.row), QString::fromUtf8(r.text));
        }

        click(button(QStringLiteral("command4")));

        EXPECT_EQ(takeAlerts(), Alerts{c.message});
        EXPECT_EQ(concentrationTexts(3), c.cAfter);
        EXPECT_EQ(absorbanceTexts(3), c.aAfter);
        EXPECT_EQ(text("Text3"), " 1");
        EXPECT_EQ(text("Text5"), "3");
        EXPECT_EQ(text("Text6"), "0.3");
        EXPECT_EQ(caption("Label6"), "y= 0+ .0999x");
        EXPECT_EQ(sheet().Intercept.value(), 0.0);
        EXPECT_EQ(sheet().Slope, 0.0999);
        EXPECT_TRUE(sampleBox()->isEnabled());
    }
}

// After the table is cleared the sample box is disabled; a refused table still enables it again
// because a curve from before the clearing is stored.
TEST_F(Fit, KeptCurveEnablesTheSampleBoxAfterClearing) {
    struct Case {
        const char* name;
        Texts c, a;
        std::string message;
    };
    const Case cases[] = {
        {"incomplete table", {"1", "2"}, {".1", ""}, test::kIncomplete},
        {"degenerate table", {"1", "1"}, {".1", ".2"}, test::kCannotFit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        ASSERT_EQ(fit({"2", "4", "6"}, {"0.21", "0.39", "0.62"}), Alerts{});
        click(button(QStringLiteral("command5")));
        ASSERT_FALSE(sampleBox()->isEnabled());
        confirmCount(2);
        fillTable(c.c, c.a);
        ASSERT_EQ(takeAlerts(), Alerts{});

        click(button(QStringLiteral("command4")));

        EXPECT_EQ(takeAlerts(), Alerts{c.message});
        EXPECT_TRUE(sampleBox()->isEnabled());
        EXPECT_EQ(sheet().Intercept.value(), -0.0034);
        EXPECT_EQ(sheet().Slope, 0.1025);
        EXPECT_EQ(text("Text3"), "");
        EXPECT_EQ(text("Text5"), "");
        EXPECT_EQ(text("Text6"), "");
        EXPECT_EQ(caption("Label6"), "y=a+bx");
    }
}

// The decimal separator is "." whatever the locale: a process and a Qt default locale with a
// decimal comma change no text.
TEST_F(Fit, CommaDecimalLocale) {
    struct CommaDecimal : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const QLocale previousQt;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    const Alerts fitAlerts = fit({"0", "1", "2", "3", "4"}, {".001", ".201", ".399", ".602", ".8"});
    clickAndType(sampleBox(), QStringLiteral("0.5"));
    press(Qt::Key_Return);

    QLocale::setDefault(previousQt);
    std::locale::global(previous);
    EXPECT_EQ(fitAlerts, Alerts{});
    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text3"), " .999993");
    EXPECT_EQ(caption("Label6"), "y= .0007+ .1999x");
    EXPECT_EQ(text("Text6"), "0.8");
    EXPECT_EQ(text("Text8"), " 2.49774887443722");
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
            ASSERT_EQ(takeAlerts(), (Alerts{test::kBeep, test::kCountOutOfRange}));
        }
        if (c.clearTable) {
            click(button(QStringLiteral("command5")));
        }
        const std::string before = snapshot();

        click(button(QStringLiteral("command4")));

        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(snapshot(), before);
    }
}

} // namespace
