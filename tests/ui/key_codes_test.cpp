// How key events become the character codes the KeyPress handlers judge.

#include "ui/key_codes.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Case {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    std::vector<std::int16_t> codes;
};

TEST(KeyCodes, CharactersControlKeysAndKeysThatTypeNothing) {
    const Case cases[] = {
        {"digit", Qt::Key_5, Qt::NoModifier, "5", {53}},
        {"point", Qt::Key_Period, Qt::NoModifier, ".", {46}},
        {"keypad digit", Qt::Key_7, Qt::KeypadModifier, "7", {55}},
        {"letter", Qt::Key_A, Qt::NoModifier, "a", {97}},
        {"capital", Qt::Key_A, Qt::ShiftModifier, "A", {65}},
        {"blank", Qt::Key_Space, Qt::NoModifier, " ", {32}},
        {"Return", Qt::Key_Return, Qt::NoModifier, "\r", {13}},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", {13}},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", {8}},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", {27}},
        {"Ctrl+V pastes: 22", Qt::Key_V, Qt::ControlModifier, "\x16", {22}},
        {"Ctrl+C copies: 3", Qt::Key_C, Qt::ControlModifier, "", {3}},
        {"Ctrl+X cuts: 24", Qt::Key_X, Qt::ControlModifier, "\x18", {24}},
        {"Ctrl+Z undoes: 26", Qt::Key_Z, Qt::ControlModifier, "", {26}},
        {"Chinese character",
         Qt::Key_unknown,
         Qt::NoModifier,
         QStringLiteral("中"),
         {-(0x4E2D & 0x7FFF) - 1}},
        {"Tab", Qt::Key_Tab, Qt::NoModifier, "\t", {}},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, "\x7f", {}},
        {"Left arrow", Qt::Key_Left, Qt::NoModifier, "", {}},
        {"Home", Qt::Key_Home, Qt::NoModifier, "", {}},
        {"End", Qt::Key_End, Qt::NoModifier, "", {}},
        {"Shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.text);
        EXPECT_EQ(ui::keyCodes(event), c.codes);
    }
}

TEST(KeyCodes, EveryCharacterOutsideAsciiIsNegative) {
    for (const char32_t c :
         {U'\u0080', U'\u00e9', U'\u4e2d', U'\u7fff', U'\u8000', U'\uffff', U'\U0001F600'}) {
        EXPECT_LT(ui::characterCode(c), 0) << static_cast<unsigned>(c);
    }
    for (char32_t c = 0; c < 0x80; ++c) {
        EXPECT_EQ(ui::characterCode(c), static_cast<std::int16_t>(c));
    }
}

} // namespace
