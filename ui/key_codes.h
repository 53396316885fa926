#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class QKeyEvent;

// Character codes as the KeyPress handlers see them: Enter 13, Backspace 8, Escape 27,
// printable ASCII its code, Ctrl+letter its control code (Ctrl+V is 22), and a negative code
// for any character outside ASCII. Keys that type no character give no code at all.
namespace ui {

std::int16_t characterCode(char32_t character);

// The codes one key event types, in order; empty for arrows, Home, End, Delete, Tab and the like.
std::vector<std::int16_t> keyCodes(const QKeyEvent& event);

// The text a code stands for, used when a handler passes a key on.
QString characterText(std::int16_t code);

} // namespace ui
