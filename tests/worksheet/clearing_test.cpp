// The two clear buttons, both "清零": command5 beside the table returns the worksheet to a new
// point count, Command8 empties the sample frame. Then whole sessions, by keyboard and by mouse
// alone, in which a second table must never show anything of the first.

#include "tests/worksheet/calculation_fixture.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using test::Alerts;

class Clearing : public test::CalculationTest {
protected:
    ui::Button* command(const char* name) const { return button(QString::fromUtf8(name)); }

    // The keypad key whose caption is the character: '1'..'9', '0' or '.'; '<' is 退格.
    void clickKeys(std::string_view captions) {
        for (const char caption : captions) {
            if (caption == '<') {
                click(command("Command3"));
                continue;
            }
            const int index = caption == '.' ? 10 : caption == '0' ? 9 : caption - '1';
            ASSERT_EQ(key(index)->text(), QString(QLatin1Char(caption)));
            click(key(index));
        }
    }

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

    void expectEmptyTable() {
        for (int i = 0; i < worksheet::kRows; ++i) {
            SCOPED_TRACE("row " + std::to_string(i + 1));
            EXPECT_EQ(text1(i)->text(), QString());
            EXPECT_EQ(text2(i)->text(), QString());
            EXPECT_TRUE(text1(i)->isHidden());
            EXPECT_TRUE(text2(i)->isHidden());
            EXPECT_TRUE(label(QStringLiteral("Label1(%1)").arg(i))->isHidden());
        }
    }
};

// command5 empties and hides all ten rows, empties the count and the fit results (to "", not to
// the texts the window starts with), puts back "y=a+bx", hands the count box the focus and
// disables the sample box. The stored curve, the sample frame's texts, the current row and the
// unit stay as they were.
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
             ASSERT_EQ(takeAlerts(), (Alerts{test::kBeep, test::kCountOutOfRange}));
         }},
        {"count 3 with text left in the hidden rows",
         [this] {
             confirmCount(3);
             fillTable({"1", "2", "3"}, {".1", ".2", ".3"});
             // A hidden box cannot be typed into; the program's own writing puts text there.
             for (int i = 3; i < worksheet::kRows; ++i) {
                 static_cast<worksheet::TextBox*>(text1(i))->SetText("9");
                 static_cast<worksheet::TextBox*>(text2(i))->SetText(".9");
             }
         }},
        {"count 3, fitted, sample computed",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             clickAndType(sampleBox(), QStringLiteral(".2"));
             press(Qt::Key_Return);
             ASSERT_EQ(text("Text8"), " 2.002002002002");
             chooseUnit(QStringLiteral("ug/L"));
             click(text2(1));
         }},
        {"ten points, refused as incomplete",
         [this] {
             confirmCount(10);
             fillTable({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
                       {".1", ".2", ".3", ".4", ".5", ".6", ".7", ".8", ".9"});
             click(command("command4"));
             ASSERT_EQ(takeAlerts(), Alerts{test::kIncomplete});
         }},
        {"cleared twice",
         [this] {
             ASSERT_EQ(fit({"2", "4", "6"}, {"0.21", "0.39", "0.62"}), Alerts{});
             click(command("command5"));
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
        const QString chosenUnit = combo()->currentText();
        const auto intercept = sheet().Intercept;
        const double slope = sheet().Slope;
        const auto currentRow = sheet().CurrentRow;

        click(command("command5"));

        EXPECT_EQ(takeAlerts(), Alerts{});
        expectEmptyTable();
        EXPECT_EQ(text("Text3"), "");
        EXPECT_EQ(text("Text5"), "");
        EXPECT_EQ(text("Text6"), "");
        EXPECT_EQ(caption("Label6"), "y=a+bx");
        EXPECT_EQ(text("Text4"), "");
        EXPECT_TRUE(box(QStringLiteral("Text4"))->isEnabled());
        EXPECT_EQ(focus(), "Text4");
        EXPECT_EQ(sheet().ActiveField, worksheet::CountField);
        EXPECT_EQ(test::describe(sheet().PointCount), "integer 0");
        EXPECT_EQ(sheet().LoopIndex.value(), worksheet::kRows);
        EXPECT_FALSE(sampleBox()->isEnabled());
        // Kept.
        EXPECT_EQ(text("Text7"), sample);
        EXPECT_EQ(text("Text8"), result);
        EXPECT_EQ(caption("Label13"), unit);
        EXPECT_EQ(combo()->currentText(), chosenUnit);
        EXPECT_EQ(sheet().Intercept, intercept);
        EXPECT_EQ(sheet().Slope, slope);
        EXPECT_EQ(sheet().CurrentRow, currentRow);
    }
}

// After command5 the keypad writes into the count box, and a new count shows empty rows.
TEST_F(Clearing, TableThenNewCount) {
    ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
    click(text2(2));
    click(command("command5"));

    clickKeys("4");
    click(command("command9"));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text4"), "4");
    EXPECT_FALSE(box(QStringLiteral("Text4"))->isEnabled());
    EXPECT_EQ(focus(), "Text1(0)");
    for (int i = 0; i < worksheet::kRows; ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(text1(i)->isHidden(), i >= 4);
        EXPECT_EQ(text2(i)->isHidden(), i >= 4);
        EXPECT_EQ(text1(i)->text(), QString());
        EXPECT_EQ(text2(i)->text(), QString());
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
             clickAndType(sampleBox(), QStringLiteral(".2"));
             press(Qt::Key_Return);
             ASSERT_EQ(text("Text8"), " 2.002002002002");
             ASSERT_EQ(caption("Label13"), "mg");
         },
         true},
        {"out-of-range sample after a result",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             clickAndType(sampleBox(), QStringLiteral(".2"));
             press(Qt::Key_Return);
             retype(sampleBox(), QStringLiteral(".9"));
             press(Qt::Key_Return);
             ASSERT_EQ(takeAlerts(), Alerts{test::kOutOfRange});
         },
         true},
        {"table cleared: the result and its unit are still shown",
         [this] {
             ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
             clickAndType(sampleBox(), QStringLiteral(".2"));
             press(Qt::Key_Return);
             click(command("command5"));
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

        click(command("Command8"));

        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(text("Text7"), "");
        EXPECT_EQ(text("Text8"), "");
        EXPECT_EQ(caption("Label13"), "");
        EXPECT_EQ(sampleBox()->isEnabled(), c.sampleBoxEnabled);
        EXPECT_EQ(focus(), "Command8");
        EXPECT_EQ(snapshotWithout({"Text7:", "Text8:", "Label13:"}), rest);
    }
}

// With a curve stored, a new sample can be entered right after Command8.
TEST_F(Clearing, SampleThenNewSample) {
    ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
    clickAndType(sampleBox(), QStringLiteral(".2"));
    press(Qt::Key_Return);
    click(command("Command8"));

    // The keypad still writes into the sample box, which was the box last focused.
    clickKeys(".15");
    ASSERT_EQ(focus(), "Text7");
    press(Qt::Key_Return);

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text7"), ".15");
    EXPECT_EQ(text("Text8"), " 1.5015015015015");
    EXPECT_EQ(caption("Label13"), "mg");
}

class Session : public Clearing {};

// Confirm 3, fill, fit, compute a sample, clear the table, confirm 4, fill, fit again: the second
// table starts empty, its results are its own, and only the sample frame carries over.
TEST_F(Session, ByKeyboard) {
    ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
    ASSERT_EQ(text("Text3"), " 1");
    clickAndType(sampleBox(), QStringLiteral(".2"));
    press(Qt::Key_Return);
    ASSERT_EQ(text("Text8"), " 2.002002002002");

    click(command("command5"));
    confirmCount(4);

    ASSERT_EQ(takeAlerts(), Alerts{});
    for (int i = 0; i < worksheet::kRows; ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(text1(i)->text(), QString());
        EXPECT_EQ(text2(i)->text(), QString());
        EXPECT_EQ(text1(i)->isHidden(), i >= 4);
    }
    EXPECT_EQ(text("Text3"), "");
    EXPECT_EQ(text("Text5"), "");
    EXPECT_EQ(text("Text6"), "");
    EXPECT_EQ(caption("Label6"), "y=a+bx");
    EXPECT_FALSE(sampleBox()->isEnabled());

    fillTable({"1", "2", "3", "4"}, {"0.050", "0.110", "0.160", "0.230"});
    click(command("command4"));

    EXPECT_EQ(takeAlerts(), Alerts{});
    const char* concentrations[] = {"1", "2", "3", "4"};
    const char* absorbances[] = {"0.050", "0.110", "0.160", "0.230"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(text1(i)->text(), QString::fromUtf8(concentrations[i]));
        EXPECT_EQ(text2(i)->text(), QString::fromUtf8(absorbances[i]));
    }
    EXPECT_EQ(text("Text3"), " .997995");
    EXPECT_EQ(caption("Label6"), "y=- .01+ .059x");
    EXPECT_EQ(text("Text5"), "4");
    EXPECT_EQ(text("Text6"), "0.230");
    EXPECT_EQ(sheet().Intercept.value(), -0.01);
    EXPECT_EQ(sheet().Slope, 0.059);
    // The sample frame is cleared only by its own button.
    EXPECT_TRUE(sampleBox()->isEnabled());
    EXPECT_EQ(text("Text7"), ".2");
    EXPECT_EQ(text("Text8"), " 2.002002002002");
    EXPECT_EQ(caption("Label13"), "mg");

    retype(sampleBox(), QStringLiteral("0.1"));
    press(Qt::Key_Return);

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text8"), " 1.86440677966102");
}

// The same kind of session with the mouse alone: the count, the table and the sample through the
// keypad, a wrong digit taken back with 退格, then both clear buttons.
TEST_F(Session, ByMouseAlone) {
    ASSERT_EQ(focus(), "Text4");
    clickKeys("3");
    click(command("command9"));
    const char* concentrations[] = {"1", "2", "3"};
    const char* absorbances[] = {".1", ".2", ".3"};
    for (int i = 0; i < 3; ++i) {
        click(text1(i));
        clickKeys(concentrations[i]);
    }
    click(text2(0));
    clickKeys(".1");
    click(text2(1));
    clickKeys(".25<");
    click(text2(2));
    clickKeys(".3");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(text1(i)->text(), QString::fromUtf8(concentrations[i]));
        EXPECT_EQ(text2(i)->text(), QString::fromUtf8(absorbances[i]));
    }

    click(command("command4"));
    ASSERT_EQ(caption("Label6"), "y= 0+ .0999x");
    click(sampleBox());
    clickKeys(".2");
    click(command("Command7"));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text8"), " 2.002002002002");
    EXPECT_EQ(caption("Label13"), "mg");

    click(command("command5"));
    click(command("Command8"));
    clickKeys("2");
    click(command("command9"));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text7"), "");
    EXPECT_EQ(text("Text8"), "");
    EXPECT_EQ(caption("Label13"), "");
    EXPECT_EQ(focus(), "Text1(0)");
    for (int i = 0; i < worksheet::kRows; ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(text1(i)->text(), QString());
        EXPECT_EQ(text2(i)->text(), QString());
        EXPECT_EQ(text1(i)->isHidden(), i >= 2);
    }
}

} // namespace
