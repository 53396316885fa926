#pragma once

#include <cstdint>

// The character codes the KeyPress handlers judge, and the two key filters built from them.
namespace worksheet::keys {

inline constexpr std::int16_t Backspace = 8;
inline constexpr std::int16_t Enter = 13;
inline constexpr std::int16_t Point = 46;

constexpr bool isDigit(std::int16_t key) {
    return key >= '0' && key <= '9';
}

// The keys of a whole count: digits, Backspace and Enter.
constexpr bool passesCountFilter(std::int16_t key) {
    return isDigit(key) || key == Backspace || key == Enter;
}

// The keys of a plain unsigned decimal number: a count's keys and the point. Each key is judged
// alone, so "007" and "1.2.3" can be typed.
constexpr bool passesNumberFilter(std::int16_t key) {
    return passesCountFilter(key) || key == Point;
}

} // namespace worksheet::keys
