// Whole uses of the real main window: sessions by keyboard and by mouse alone, the keypad against
// the caret, the unit list, pastes into the count box, a decimal-comma locale, and the signals
// that let other views follow the worksheet.

#include "tests/support/main_window_fixture.h"
#include "ui/worksheet_events.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <locale>
#include <string>
#include <vector>

namespace test {
namespace {

using worksheet::Field;

class Session : public MainWindowTest {};

// Confirm 3, fill, fit, compute a sample, clear the table, confirm 4, fill, fit again: the second
// table starts empty, its results are its own, and only the sample frame carries over.
TEST_F(Session, ByKeyboard) {
    ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
    ASSERT_EQ(text("Text3"), " 1");
    clickAndType(sampleBox(), QStringLiteral(".2"));
    press(Qt::Key_Return);
    ASSERT_EQ(text("Text8"), " 2.002002002002");

    click(button(QStringLiteral("command5")));
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
    click(button(QStringLiteral("command4")));

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
    EXPECT_EQ(state().Intercept.value(), -0.01);
    EXPECT_EQ(state().Slope, 0.059);
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
    click(button(QStringLiteral("command9")));
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

    click(button(QStringLiteral("command4")));
    ASSERT_EQ(caption("Label6"), "y= 0+ .0999x");
    click(sampleBox());
    clickKeys(".2");
    click(button(QStringLiteral("Command7")));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_EQ(text("Text8"), " 2.002002002002");
    EXPECT_EQ(caption("Label13"), "mg");

    click(button(QStringLiteral("command5")));
    click(button(QStringLiteral("Command8")));
    clickKeys("2");
    click(button(QStringLiteral("command9")));

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

class KeypadAndCaret : public MainWindowTest {};

// The keys act on the end of the text, whatever the caret or the selection.
TEST_F(KeypadAndCaret, AppendsAtTheEnd) {
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
TEST_F(KeypadAndCaret, ActsOnTheBoxEnteredLast) {
    confirmCount(5);
    click(text2(3));
    clickKeys("7");
    EXPECT_EQ(text2(3)->text(), QStringLiteral("7"));
    EXPECT_EQ(focusName(), QStringLiteral("Text2(3)"));

    clickAndType(text1(2), QStringLiteral("4"));
    click(combo());
    EXPECT_EQ(state().ActiveField, Field::Concentration);
    clickKeys(".5");
    EXPECT_EQ(text1(2)->text(), QStringLiteral("4.5"));
    EXPECT_EQ(text2(3)->text(), QStringLiteral("7"));
    EXPECT_EQ(focusName(), QStringLiteral("Text1(2)"));
    EXPECT_EQ(describe(state().CurrentRow), "integer 2");
    EXPECT_EQ(takeAlerts(), Alerts{});
}

class CountBox : public MainWindowTest {};

// Pasting passes no key filter; the warning reads a pasted number like a typed one and says
// nothing about a text that is no number. The box cuts what is longer than two UTF-16 units,
// never inside a character.
TEST_F(CountBox, PastedText) {
    struct Case {
        const char* name;
        const char* pasted;
        const char* text;
        Alerts alerts;
    };
    const Case cases[] = {
        {"a number above 10", "42", "42", {kCountOutOfRange}},
        {"a count in range", "7", "7", {}},
        {"letters", "ab", "ab", {}},
        {"a lone point", ".", ".", {}},
        {"a digit and a point", "9.", "9.", {}},
        {"a longer text is cut to two characters", "123", "12", {kCountOutOfRange}},
        {"a Chinese text", "十二", "十二", {}},
        {"a character cut in half is dropped whole", "1😀", "1", {}},
        {"a whole character of two units", "😀", "😀", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        pasteWithContextMenu(box(QStringLiteral("Text4")), QString::fromUtf8(c.pasted));
        EXPECT_EQ(box(QStringLiteral("Text4"))->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(takeAlerts(), c.alerts);
    }
}

// The unit list takes no part in the count: choosing a unit before or after the confirm changes
// nothing there, and the keypad still writes into the box the user was filling.
TEST_F(CountBox, UnitListTakesNoPart) {
    auto* unit = combo();
    click(unit);
    QTest::keyClick(unit, Qt::Key_Down);
    EXPECT_EQ(unit->currentText(), QStringLiteral("ug"));
    EXPECT_EQ(state().ActiveField, Field::Count);
    clickKeys("3");
    EXPECT_EQ(box(QStringLiteral("Text4"))->text(), QStringLiteral("3"));
    press(Qt::Key_Return);
    EXPECT_EQ(focus(), "Text1(0)");

    click(unit);
    QTest::keyClick(unit, Qt::Key_Down);
    EXPECT_EQ(unit->currentText(), QStringLiteral("mg/L"));
    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_FALSE(text1(2)->isHidden());
    EXPECT_TRUE(text1(3)->isHidden());
    EXPECT_EQ(state().ActiveField, Field::Concentration);
    EXPECT_EQ(describe(state().PointCount), "double 3");
}

// The decimal separator is "." whatever the locale: a process and a Qt default locale with a
// decimal comma change no text.
TEST_F(Session, CommaDecimalLocale) {
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

// Other views follow the worksheet through the window's signals, each after what the user sees
// is written.
TEST_F(Session, SignalsFollowTheWorksheet) {
    std::vector<std::string> heard;
    ui::WorksheetEvents* events = window->events();
    ASSERT_NE(events, nullptr);
    const auto shown = [this] {
        return caption("Label6") + "|" + text("Text8") + "|" + caption("Label13");
    };
    QObject::connect(events, &ui::WorksheetEvents::curveFitted, [&](const calc::Curve& curve) {
        heard.push_back("fitted " + curve.equation + " | " + shown());
    });
    QObject::connect(events, &ui::WorksheetEvents::curveCleared,
                     [&] { heard.push_back("curve cleared | " + shown()); });
    QObject::connect(events, &ui::WorksheetEvents::sampleComputed,
                     [&](const QString& absorbance, const QString& result, const QString& unit) {
                         heard.push_back(
                             ("sample " + absorbance + " -> " + result + " " + unit).toStdString() +
                             " | " + shown());
                     });
    QObject::connect(events, &ui::WorksheetEvents::sampleCleared,
                     [&] { heard.push_back("sample cleared | " + shown()); });
    QObject::connect(events, &ui::WorksheetEvents::unitChanged,
                     [&](const QString& unit) { heard.push_back("unit " + unit.toStdString()); });

    ASSERT_EQ(fit({"1", "2", "3"}, {".1", ".2", ".3"}), Alerts{});
    ASSERT_TRUE(window->curve().has_value());
    EXPECT_EQ(window->curve()->equation, "y= 0+ .0999x");
    clickAndType(sampleBox(), QStringLiteral(".2"));
    press(Qt::Key_Return);
    chooseUnit(QStringLiteral("ug"));
    click(button(QStringLiteral("Command7")));
    chooseUnit(QStringLiteral("mL")); // through the list, one unit at a time
    click(button(QStringLiteral("Command8")));
    click(button(QStringLiteral("command5")));

    EXPECT_EQ(takeAlerts(), Alerts{});
    EXPECT_FALSE(window->curve().has_value());
    const std::vector<std::string> expected = {
        "fitted y= 0+ .0999x | y= 0+ .0999x||",
        "sample .2 ->  2.002002002002 mg | y= 0+ .0999x| 2.002002002002|mg",
        "unit ug",
        "sample .2 ->  2.002002002002 ug | y= 0+ .0999x| 2.002002002002|ug",
        "unit mg/L",
        "unit ug/L",
        "unit mL",
        "sample cleared | y= 0+ .0999x||",
        "curve cleared | y=a+bx||",
    };
    EXPECT_EQ(heard, expected);
}

// A typed unit stays exactly as typed, and is the unit shown beside the next result.
TEST_F(Session, TypedUnitStaysAsTyped) {
    ASSERT_EQ(fit({"0", "1"}, {"0", ".5"}), Alerts{});
    const char* const typed[] = {"mmol/L", "M", "u", "mg/", "MG", "Ug/l", "mL"};
    for (const char* unit : typed) {
        SCOPED_TRACE(unit);
        click(combo()->lineEdit());
        combo()->lineEdit()->selectAll();
        type(QString::fromUtf8(unit));
        EXPECT_EQ(combo()->currentText(), QString::fromUtf8(unit));

        retype(sampleBox(), QStringLiteral(".25"));
        press(Qt::Key_Return);

        EXPECT_EQ(takeAlerts(), Alerts{});
        EXPECT_EQ(text("Text8"), " .5");
        EXPECT_EQ(caption("Label13"), unit);
    }
}

} // namespace
} // namespace test
