#pragma once

// UTF-8 texts of the document read character by character. The texts come from Qt, so they are
// well formed, but for the unpaired surrogates that a QString may hold (ED A0 80 for U+D800); a
// byte that starts no character reads as U+FFFD and moves one byte on.

#include <cstddef>
#include <string_view>

namespace calibration::text {

// The character at `pos`, moving `pos` past it.
char32_t decode(std::string_view text, std::size_t& pos);

// White space as Qt's QChar::isSpace sees it: tab to carriage return, blank, U+0085, U+00A0,
// U+1680, U+2000..U+200A, U+2028, U+2029, U+202F, U+205F and the ideographic space U+3000.
bool isSpace(char32_t code);

// Without the white space at both ends.
std::string_view trimmed(std::string_view text);
inline bool isBlank(std::string_view text) {
    return trimmed(text).empty();
}

// Controls, C1 controls and bidirectional controls would split a line or turn a terminal's text
// or a printed line around: the report and the printed record show each as one blank.
bool unsafeInText(char32_t code);

// The length as a Qt text box counts it: UTF-16 code units.
std::size_t utf16Length(std::string_view text);

} // namespace calibration::text
