#pragma once

// UTF-8 texts of the document read character by character. The texts come from Qt, so they are
// well formed, but for the unpaired surrogates that a QString may hold (ED A0 80 for U+D800); a
// byte that starts no character reads as U+FFFD and moves one byte on.

#include <cstddef>
#include <string>
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

// What would not show in a message, or would move or hide the text around it: C0 and C1
// controls, DEL, the format characters (Unicode category Cf: the soft hyphen, zero-width ones,
// the bidirectional marks, overrides and isolates, the byte-order mark, tags), the line and
// paragraph separators and the surrogates.
bool hiddenInMessage(char32_t code);

// How shown() writes the low surrogates U+DC80..U+DCFF: as their code like any other, or as the
// bytes of a file name that is not UTF-8, which Qt keeps in a QString as those surrogates.
enum class NameBytes { AsCodes, AsBytes };

// The text with each character hiddenInMessage written as its code, \u007F (beyond the BMP
// \U000E0001), and each byte that starts no character as \xFF: "0.2" and DEL -> "0.2\u007F".
std::string shown(std::string_view text, NameBytes bytes = NameBytes::AsCodes);

// A text quoted in a message: "1,2.3" -> "\"1,2.3\"", shown() as above and cut to its first 40
// characters (code points, never inside one) and "…", so that a message stays one short line.
std::string quoted(std::string_view text);

// The length as a Qt text box counts it: UTF-16 code units.
std::size_t utf16Length(std::string_view text);

} // namespace calibration::text
