// Real keys into the real boxes: every character code through the filters of the table boxes,
// the count box and the sample box, keys with modifiers, text from input methods, the clipboard
// and drops, and the Enter key passed on to the box it leaves. The rules behind the filters and
// the Enter walk are tested without Qt in tests/worksheet/.

#include "tests/support/main_window_fixture.h"
#include "ui/key_codes.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QString>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace test {
namespace {

// One key as the keyboard delivers it: the key, its modifiers and the text it types.
struct Stroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

Stroke ctrl(Qt::Key key, int code, Qt::KeyboardModifiers more = Qt::NoModifier) {
    return {key, Qt::ControlModifier | more, QString(QChar(static_cast<char16_t>(code)))};
}

// The key that types the code. Control codes come from Ctrl combinations, as on a real keyboard:
// Ctrl+@ is 0, Ctrl+A to Ctrl+Z are 1 to 26, Ctrl+[ \ ] ^ _ are 27 to 31. Backspace (8), Enter
// (13) and Escape (27) are their own keys. No key of a PC keyboard types DEL (127); a Ctrl event
// carrying it stands in.
Stroke strokeFor(int code) {
    switch (code) {
    case 0:
        return ctrl(Qt::Key_At, 0, Qt::ShiftModifier);
    case 8:
        return {Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")};
    case 13:
        return {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")};
    case 27:
        return {Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")};
    case 28:
        return ctrl(Qt::Key_Backslash, 28);
    case 29:
        return ctrl(Qt::Key_BracketRight, 29);
    case 30:
        return ctrl(Qt::Key_AsciiCircum, 30, Qt::ShiftModifier);
    case 31:
        return ctrl(Qt::Key_Underscore, 31, Qt::ShiftModifier);
    case 127:
        return ctrl(Qt::Key_unknown, 127);
    default:
        break;
    }
    if (code < 27) {
        return ctrl(static_cast<Qt::Key>(Qt::Key_A + code - 1), code);
    }
    const char ascii = static_cast<char>(code);
    const bool upper = ascii >= 'A' && ascii <= 'Z';
    return {QTest::asciiToKey(ascii), upper ? Qt::ShiftModifier : Qt::NoModifier,
            QString(QLatin1Char(ascii))};
}

std::vector<Stroke> codes(int first, int last) {
    std::vector<Stroke> strokes;
    for (int code = first; code <= last; ++code) {
        strokes.push_back(strokeFor(code));
    }
    return strokes;
}

// The key with Ctrl, Alt, Shift, and Ctrl and Shift held.
std::vector<Stroke> modified(Qt::Key key, const QString& text) {
    std::vector<Stroke> strokes;
    for (const Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier),
          Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        strokes.push_back({key, modifiers, text});
    }
    return strokes;
}

// Characters outside ASCII, each typed by one key; their codes are negative.
std::vector<Stroke> characters(const QString& text) {
    std::vector<Stroke> strokes;
    for (const char32_t character : text.toUcs4()) {
        strokes.push_back({Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&character, 1)});
    }
    return strokes;
}

// "key 86 modifiers 67108864 text ^22" for Ctrl+V: control characters as ^code.
std::string spell(const Stroke& stroke) {
    QString text;
    for (const QChar c : stroke.text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            text += QStringLiteral("^%1").arg(c.unicode());
        } else {
            text += c;
        }
    }
    return QStringLiteral("key %1 modifiers %2 text %3")
        .arg(stroke.key)
        .arg(stroke.modifiers.toInt())
        .arg(text)
        .toStdString();
}

void send(QWidget* target, const Stroke& stroke) {
    QTest::sendKeyEvent(QTest::Click, target, stroke.key, stroke.text, stroke.modifiers);
}

// What a key does to the box it is typed into.
enum class Edit {
    Kept,    // the text stays
    Typed,   // the character is added at the caret (the end)
    Erased,  // the character before the caret (the last) is removed
    Emptied, // the text becomes ""
};

struct Outcome {
    Edit edit;
    Alerts alerts;
    const char* focus = nullptr; // where the focus goes; nullptr: it stays in the box
};

const Outcome kSilent{Edit::Kept, {}};
const Outcome kBeeped{Edit::Kept, {kBeep}};
const Outcome kTyped{Edit::Typed, {}};
const Outcome kErased{Edit::Erased, {}};

struct FilterCase {
    const char* name;
    std::vector<Stroke> strokes;
    Outcome concentration; // Text1(0), holding "1"
    Outcome absorbance;    // Text2(0), holding "0.1"
    Outcome count;         // Text4 before a count is confirmed, holding "0"
    Outcome sample;        // Text7 after a fit, holding "0.15"
};

// Every code from 0 to 127 and a few negative ones, in the four boxes that filter keys. The
// table boxes cancel a key silently, the count box and the sample box with a beep.
const std::vector<FilterCase>& filterCases() {
    static const std::vector<FilterCase> cases = {
        {"0, Ctrl+@", codes(0, 0), kSilent, kSilent, kBeeped, kBeeped},
        {"1 to 7, Ctrl+A to Ctrl+G", codes(1, 7), kSilent, kSilent, kBeeped, kBeeped},
        {"8, Backspace", codes(8, 8), kErased, kErased, kErased, kErased},
        {"9 to 12, Ctrl+I to Ctrl+L", codes(9, 12), kSilent, kSilent, kBeeped, kBeeped},
        {"8, Backspace with Ctrl, Alt or Shift", modified(Qt::Key_Backspace, QStringLiteral("\b")),
         kErased, kErased, kErased, kErased},
        {"13, Enter",
         codes(13, 13),
         {Edit::Kept, {}, "Text1(1)"},
         {Edit::Kept, {}, "Text2(1)"},
         {Edit::Emptied, {kBeep, kCountOutOfRange}},
         {Edit::Kept, {}}},
        {"13, Enter with Ctrl, Alt or Shift",
         modified(Qt::Key_Return, QStringLiteral("\r")),
         {Edit::Kept, {}, "Text1(1)"},
         {Edit::Kept, {}, "Text2(1)"},
         {Edit::Emptied, {kBeep, kCountOutOfRange}},
         {Edit::Kept, {}}},
        {"14 to 26, Ctrl+N to Ctrl+Z with the clipboard shortcuts", codes(14, 26), kSilent, kSilent,
         kBeeped, kBeeped},
        {"27, Escape", codes(27, 27), kSilent, kSilent, kBeeped, kBeeped},
        {"28 to 31, Ctrl+\\ ] ^ _", codes(28, 31), kSilent, kSilent, kBeeped, kBeeped},
        {"32 to 45, blank to minus", codes(32, 45), kSilent, kSilent, kBeeped, kBeeped},
        {"46, the point", codes(46, 46), kTyped, kTyped, kBeeped, kTyped},
        {"47, the slash", codes(47, 47), kSilent, kSilent, kBeeped, kBeeped},
        {"48 to 57, the digits", codes(48, 57), kTyped, kTyped, kTyped, kTyped},
        {"58 to 126, colon to tilde", codes(58, 126), kSilent, kSilent, kBeeped, kBeeped},
        {"127, DEL", codes(127, 127), kSilent, kSilent, kBeeped, kBeeped},
        {"-1, U+8000", characters(QStringLiteral("\u8000")), kSilent, kSilent, kBeeped, kBeeped},
        {"negative, Chinese and other characters", characters(QStringLiteral("中。，é€０５½😀")),
         kSilent, kSilent, kBeeped, kBeeped},
    };
    return cases;
}

class KeyFilter : public MainWindowTest {
protected:
    // Two standards, 1 -> 0.1 and 2 -> 0.2, fitted: the sample box is enabled.
    void fitTwoPoints() {
        ASSERT_EQ(fit({QStringLiteral("1"), QStringLiteral("2")},
                      {QStringLiteral("0.1"), QStringLiteral("0.2")}),
                  Alerts{});
        ASSERT_TRUE(sampleBox()->isEnabled());
    }

    // Types each stroke of each row into the box, starting every time from the same text with the
    // caret at the end, and checks the box, the alerts and the focus.
    void check(const char* boxName, const QString& start, Outcome FilterCase::*outcome) {
        ui::TextBox* target = box(QString::fromUtf8(boxName));
        for (const FilterCase& c : filterCases()) {
            SCOPED_TRACE(c.name);
            const Outcome& expected = c.*outcome;
            for (const Stroke& stroke : c.strokes) {
                SCOPED_TRACE(spell(stroke));
                target->setText(start);
                click(target);
                QTest::keyClick(target, Qt::Key_End);
                ASSERT_EQ(focusName(), target->objectName());
                takeAlerts();

                send(target, stroke);

                QString text = start;
                switch (expected.edit) {
                case Edit::Kept:
                    break;
                case Edit::Typed:
                    text += stroke.text;
                    break;
                case Edit::Erased:
                    text.chop(1);
                    break;
                case Edit::Emptied:
                    text.clear();
                    break;
                }
                EXPECT_EQ(target->text(), text);
                EXPECT_EQ(takeAlerts(), expected.alerts);
                EXPECT_EQ(focusName(),
                          QString::fromUtf8(expected.focus ? expected.focus : boxName));
            }
        }
    }
};

TEST_F(KeyFilter, EveryCode) {
    // The negative row really holds code -1, and every character of the other row is negative.
    ASSERT_EQ(ui::characterCode(U'\u8000'), -1);
    for (const Stroke& stroke : filterCases().back().strokes) {
        EXPECT_LT(ui::characterCode(stroke.text.toUcs4().front()), 0) << spell(stroke);
    }

    {
        SCOPED_TRACE("count box");
        check("Text4", QStringLiteral("0"), &FilterCase::count);
        EXPECT_EQ(describe(state().PointCount), "integer 0"); // only refused counts
    }
    fitTwoPoints();
    {
        SCOPED_TRACE("concentration box");
        check("Text1(0)", QStringLiteral("1"), &FilterCase::concentration);
    }
    {
        SCOPED_TRACE("absorbance box");
        check("Text2(0)", QStringLiteral("0.1"), &FilterCase::absorbance);
    }
    {
        SCOPED_TRACE("sample box");
        check("Text7", QStringLiteral("0.15"), &FilterCase::sample);
        EXPECT_EQ(box(QStringLiteral("Text8"))->text(), QStringLiteral(" 1.5"));
    }
}

// Backspace with a modifier erases one character, as the plain key does: Ctrl+Backspace deletes
// no word, Alt+Backspace undoes nothing.
TEST_F(KeyFilter, ModifiedBackspaceErasesOneCharacter) {
    struct Target {
        const char* name;
        bool afterFit; // the count box before a confirm, the others after a fit
        Alerts typing; // what typing "34" shows
    };
    const Target targets[] = {{"Text4", false, {kCountOutOfRange}},
                              {"Text1(1)", true, {}},
                              {"Text2(1)", true, {}},
                              {"Text7", true, {}}};
    for (const Target& t : targets) {
        SCOPED_TRACE(t.name);
        restart();
        if (t.afterFit) {
            fitTwoPoints();
        }
        ui::TextBox* target = box(QString::fromUtf8(t.name));
        for (const Stroke& stroke : modified(Qt::Key_Backspace, QStringLiteral("\b"))) {
            SCOPED_TRACE(spell(stroke));
            target->setText(QString());
            clickAndType(target, QStringLiteral("34"));
            EXPECT_EQ(takeAlerts(), t.typing);

            send(target, stroke);

            EXPECT_EQ(target->text(), QStringLiteral("3"));
            EXPECT_EQ(takeAlerts(), Alerts{});
        }
    }
}

// Keys spelled with Ctrl that stand for Backspace and Enter act as those keys.
TEST_F(KeyFilter, CtrlSpellingsOfBackspaceAndEnter) {
    confirmCount(3);
    clickAndType(text1(0), QStringLiteral("12"));
    send(text1(0), ctrl(Qt::Key_H, 8));
    EXPECT_EQ(text1(0)->text(), QStringLiteral("1"));
    send(text1(0), ctrl(Qt::Key_M, 13));
    EXPECT_EQ(focusName(), QStringLiteral("Text1(1)"));
    EXPECT_EQ(describe(state().CurrentRow), "integer 1");
    EXPECT_EQ(takeAlerts(), Alerts{});
}

// Text committed by an input method passes the same filter, one character at a time.
struct CommitCase {
    const char* name;
    const char* commit;
    const char* table;  // what a concentration and an absorbance box take
    const char* count;  // what the count box takes
    Alerts countAlerts; // the count box beeps once per refused character
    const char* sample;
    Alerts sampleAlerts;
};

const CommitCase kCommits[] = {
    {"a Chinese character", "中", "", "", {kBeep}, "", {kBeep}},
    {"two Chinese characters", "十二", "", "", {kBeep, kBeep}, "", {kBeep, kBeep}},
    {"digits around a Chinese character",
     "1中2",
     "12",
     "12",
     {kBeep, kCountOutOfRange},
     "12",
     {kBeep}},
    {"full-width digits", "１２", "", "", {kBeep, kBeep}, "", {kBeep, kBeep}},
    {"ASCII digits and a point", "0.5", "0.5", "05", {kBeep}, "0.5", {}},
};

class InputMethod : public KeyFilter {
protected:
    void commit(ui::TextBox* target, const char* text) {
        target->setText(QString());
        click(target);
        takeAlerts();
        QInputMethodEvent event;
        event.setCommitString(QString::fromUtf8(text));
        QApplication::sendEvent(target, &event);
    }
};

TEST_F(InputMethod, CommittedTextIsFiltered) {
    for (const CommitCase& c : kCommits) {
        SCOPED_TRACE(c.name);
        restart();
        commit(box(QStringLiteral("Text4")), c.commit);
        EXPECT_EQ(box(QStringLiteral("Text4"))->text(), QString::fromUtf8(c.count));
        EXPECT_EQ(takeAlerts(), c.countAlerts);

        box(QStringLiteral("Text4"))->setText(QString());
        takeAlerts();
        fitTwoPoints();
        for (ui::TextBox* target : {text1(1), text2(1)}) {
            SCOPED_TRACE(target->objectName().toStdString());
            commit(target, c.commit);
            EXPECT_EQ(target->text(), QString::fromUtf8(c.table));
            EXPECT_EQ(takeAlerts(), Alerts{});
        }
        commit(box(QStringLiteral("Text7")), c.commit);
        EXPECT_EQ(box(QStringLiteral("Text7"))->text(), QString::fromUtf8(c.sample));
        EXPECT_EQ(takeAlerts(), c.sampleAlerts);
    }
}

// The clipboard shortcuts are control codes like any other: with text on the clipboard and the
// box's text selected, none of them copies, cuts, pastes or undoes anything.
struct ShortcutCase {
    const char* name;
    Qt::Key key;
    int code;
};

const ShortcutCase kShortcuts[] = {
    {"Ctrl+V", Qt::Key_V, 22}, {"Ctrl+C", Qt::Key_C, 3},  {"Ctrl+X", Qt::Key_X, 24},
    {"Ctrl+Z", Qt::Key_Z, 26}, {"Ctrl+Y", Qt::Key_Y, 25}, {"Ctrl+A", Qt::Key_A, 1},
};

TEST_F(KeyFilter, ClipboardShortcuts) {
    fitTwoPoints();
    struct Target {
        const char* name;
        const char* text;
        Alerts alerts;
    };
    const Target targets[] = {
        {"Text1(1)", "2", {}},
        {"Text2(1)", "0.2", {}},
        {"Text7", "0.15", {kBeep}},
    };
    for (const Target& t : targets) {
        SCOPED_TRACE(t.name);
        ui::TextBox* target = box(QString::fromUtf8(t.name));
        for (const ShortcutCase& c : kShortcuts) {
            SCOPED_TRACE(c.name);
            QApplication::clipboard()->setText(QStringLiteral("34"));
            target->setText(QString());
            clickAndType(target, QString::fromUtf8(t.text));
            QTest::keyClick(target, Qt::Key_Home, Qt::ShiftModifier); // select all
            ASSERT_EQ(target->selectedText(), QString::fromUtf8(t.text));
            takeAlerts();

            QTest::keyClick(target, c.key, Qt::ControlModifier);

            EXPECT_EQ(target->text(), QString::fromUtf8(t.text));
            EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("34"));
            EXPECT_EQ(takeAlerts(), t.alerts);
        }
    }
}

// The count box refuses Ctrl+V with a beep, too.
TEST_F(KeyFilter, ClipboardShortcutInTheCountBox) {
    QApplication::clipboard()->setText(QStringLiteral("5"));
    QTest::keyClick(box(QStringLiteral("Text4")), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box(QStringLiteral("Text4"))->text(), QString());
    EXPECT_EQ(takeAlerts(), Alerts{kBeep});
}

// The context menu's paste stays a way to put any text into a box; no filter, no sound.
struct PasteCase {
    const char* name;
    const char* box;
    const char* pasted;
    const char* text;
};

const PasteCase kPastes[] = {
    {"letters", "Text1(0)", "abc", "abc"},
    {"an exponent", "Text1(1)", "1e999", "1e999"},
    {"a sign", "Text2(0)", "-0.5", "-0.5"},
    {"a Chinese character", "Text2(1)", "1中", "1中"},
    {"a concentration cut to six characters", "Text1(2)", "1234567", "123456"},
    {"an absorbance cut to five characters", "Text2(2)", "0.12345", "0.123"},
    {"blanks", "Text1(0)", " 1 ", " 1 "},
    {"a character cut in half at the box's length is dropped whole", "Text2(2)", "1234😀", "1234"},
};

TEST_F(KeyFilter, ContextMenuPasteIsNotFiltered) {
    confirmCount(3);
    for (const PasteCase& c : kPastes) {
        SCOPED_TRACE(c.name);
        ui::TextBox* target = box(QString::fromUtf8(c.box));
        target->setText(QString());
        pasteWithContextMenu(target, QString::fromUtf8(c.pasted));
        EXPECT_EQ(target->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(takeAlerts(), Alerts{});
    }
}

TEST_F(KeyFilter, ContextMenuPasteIntoTheSampleBox) {
    fitTwoPoints();
    ui::TextBox* sample = box(QStringLiteral("Text7"));
    pasteWithContextMenu(sample, QStringLiteral("-x1"));
    EXPECT_EQ(sample->text(), QStringLiteral("-x1"));
    EXPECT_EQ(takeAlerts(), Alerts{});
}

// A drop is refused by every entry box: the one unfiltered way in is the platform's paste.
TEST_F(KeyFilter, DropsAreRefused) {
    fitTwoPoints();
    for (const char* name : {"Text1(1)", "Text2(1)", "Text7"}) {
        SCOPED_TRACE(name);
        ui::TextBox* target = box(QString::fromUtf8(name));
        const QString before = target->text();
        EXPECT_FALSE(target->acceptDrops());
        QMimeData dragged;
        dragged.setText(QStringLiteral("12"));
        const QPoint inside = target->rect().center();
        QDragEnterEvent enter(inside, Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_FALSE(enter.isAccepted());
        QDropEvent drop(QPointF(inside), Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        EXPECT_FALSE(drop.isAccepted());
        EXPECT_EQ(target->text(), before);
    }
    restart();
    ui::TextBox* count = box(QStringLiteral("Text4"));
    QMimeData dragged;
    dragged.setText(QStringLiteral("42"));
    QDropEvent drop(QPointF(count->rect().center()), Qt::CopyAction, &dragged, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(count, &drop);
    EXPECT_EQ(count->text(), QString());
    EXPECT_EQ(takeAlerts(), Alerts{});
}

class EnterWalk : public MainWindowTest {};

// With three points, five presses from the first box visit points 2 and 3, then the absorbance
// boxes of points 1, 2 and 3; a sixth stays. Every Enter key walks alike.
TEST_F(EnterWalk, ThreePoints) {
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Case cases[] = {
        {"Return", Qt::Key_Return, Qt::NoModifier},
        {"the keypad's Enter", Qt::Key_Enter, Qt::KeypadModifier},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        confirmCount(3);
        const char* const visited[] = {"Text1(1)", "Text1(2)", "Text2(0)",
                                       "Text2(1)", "Text2(2)", "Text2(2)"};
        for (const char* name : visited) {
            press(c.key, c.modifiers);
            EXPECT_EQ(focusName(), QString::fromUtf8(name));
        }
        EXPECT_EQ(describe(state().CurrentRow), "integer 2");
        EXPECT_EQ(takeAlerts(), Alerts{});
    }
}

// Enter checks nothing in the box it leaves and changes no text; the key itself is passed on to
// the box (it is not cancelled).
TEST_F(EnterWalk, BoxContentsAreNotChecked) {
    confirmCount(4);
    const char* const texts[] = {"", "1.2.3", "007", "."};
    for (int i = 0; i < 4; ++i) {
        clickAndType(text1(i), QString::fromUtf8(texts[i]));
        clickAndType(text2(i), QString::fromUtf8(texts[3 - i]));
    }
    click(text1(0));
    for (int step = 0; step < 8; ++step) {
        SCOPED_TRACE("Enter number " + std::to_string(step + 1));
        auto* left = qobject_cast<ui::TextBox*>(QApplication::focusWidget());
        ASSERT_NE(left, nullptr);
        QSignalSpy returned(left, &QLineEdit::returnPressed);
        press(Qt::Key_Return);
        EXPECT_EQ(returned.count(), 1) << left->objectName().toStdString();
    }
    EXPECT_EQ(focusName(), QStringLiteral("Text2(3)"));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(text1(i)->text(), QString::fromUtf8(texts[i]));
        EXPECT_EQ(text2(i)->text(), QString::fromUtf8(texts[3 - i]));
    }
    EXPECT_EQ(takeAlerts(), Alerts{});
}

} // namespace
} // namespace test
