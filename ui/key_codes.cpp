#include "ui/key_codes.h"

#include "worksheet/keys.h"

#include <QKeyEvent>

namespace ui {

namespace {

constexpr std::int16_t kEscape = 27;

} // namespace

std::int16_t characterCode(char32_t character) {
    if (character < 0x80) {
        return static_cast<std::int16_t>(character);
    }
    // Always negative, like the double-byte codes of an input method.
    return static_cast<std::int16_t>(-1 - static_cast<std::int32_t>(character & 0x7FFF));
}

std::vector<std::int16_t> keyCodes(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {worksheet::keys::Enter};
    case Qt::Key_Backspace:
        return {worksheet::keys::Backspace};
    case Qt::Key_Escape:
        return {kEscape};
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    const bool control = mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier);
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return {static_cast<std::int16_t>(key - Qt::Key_A + 1)};
    }
    std::vector<std::int16_t> codes;
    for (const char32_t character : event.text().toUcs4()) {
        // Control characters other than those above come only from Ctrl combinations.
        if (character < 0x20 || character == 0x7F) {
            if (!control) {
                continue;
            }
        }
        codes.push_back(characterCode(character));
    }
    return codes;
}

QString characterText(std::int16_t code) {
    if (code > 0) {
        return QString(QChar(static_cast<char16_t>(code)));
    }
    return {};
}

} // namespace ui
