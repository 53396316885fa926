#pragma once

// How the worksheet turns box text into numbers and numbers back into text.
//
// Every number is a plain IEEE double. The decimal separator is always ".", whatever the
// process locale: the conversions go through std::from_chars / std::to_chars, which never
// look at the locale.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calc {

// Reads the number at the start of a box text and never fails.
//   - Blanks, tabs and line feeds are dropped wherever they stand: "1 000" -> 1000,
//     "\t-\n.5" -> -0.5.
//   - Then the longest prefix of the form [+|-] digits [. digits] [(E|e|D|d) [+|-] digits] is
//     read and the rest ignored: "1.2.3" -> 1.2, "12.5." -> 12.5, "5." -> 5, "007" -> 7,
//     "1,5" -> 1, "1d2" -> 100, "1e" -> 1 (an exponent without digits is not part of it).
//   - No digit before the exponent gives 0: "" -> 0, "." -> 0, "$5" -> 0, "&H1F" -> 0.
//   - The value is rounded to the nearest double. Too large gives +-infinity
//     ("1e999" -> inf, "-1e999" -> -inf); too small gives a subnormal when one is nearest and
//     otherwise zero of the same sign ("1e-400" -> 0, "-1e-400" -> -0). Never NaN.
double lenientParse(std::string_view text);

// Reads a box text that must be one number as a whole, or nothing.
//   [blanks] [+|-] mantissa [(E|e) [+|-] digits] [blanks], where the mantissa is digits with at
//   most one "." and holds at least one digit, and a blank is the space character only.
//   " .5" -> 0.5, "0.800" -> 0.8, "5." -> 5, "-1.5e-3" -> -0.0015.
//   "", "   ", ".", "1.2.3", "1d2", "1,5", "1 000", "$5", "&H1F", "- 5", "1e" -> nullopt.
// A value too large for a double ("1e999") is nullopt; underflow behaves as in lenientParse.
// Whenever this succeeds, lenientParse of the same text gives the same double.
std::optional<double> strictParse(std::string_view text);

// The decimals a number was typed with, counting its exponent: "0.0530" -> 4, "5" -> 0,
// "5.30e-2" -> 4, "1.5e3" -> 0; at most 15; 0 for a text that is not one number.
int typedDecimals(std::string_view text);

// Writes a double the way every result is shown (NumberStyle::worksheet() of number_format.h).
//   - Both zeros give " 0".
//   - Otherwise the exact binary value is rounded to 15 significant digits and trailing zeros are
//     removed. An exact decimal tie at the 16th digit rounds half to even: 2^-22 is exactly
//     2.384185791015625E-07 and gives " 2.38418579101562E-07", 100000000000003.5 gives
//     " 100000000000004".
//   - Decimal exponent -4..14: plain notation without a "0" before the point:
//     0.5 -> " .5", 0.0001 -> " .0001", 123456789012345 -> " 123456789012345".
//   - Otherwise d.dddE+XX with at least two exponent digits: 0.00009 -> " 9E-05",
//     1e15 -> " 1E+15", -1.5e-7 -> "-1.5E-07", 1.5e100 -> " 1.5E+100".
//   - Rounding can move a value into the next decade: 999999999999999.9 -> " 1E+15",
//     9.999999999999999e-5 -> " .0001".
//   - A negative value starts with "-", any other with one blank.
// Every finite value below 1.7976931348623151e308 in magnitude reads back through strictParse
// within the 15-digit rounding. The four largest doubles of each sign, from 1.7976931348623151e308
// up, round past the largest double to " 1.79769313486232E+308" (or "-..."): strictParse refuses
// that text and lenientParse reads it as infinity.
// The program never shows a non-finite value; they give " Inf", "-Inf" and " NaN".
std::string strForm(double value);

// The first n characters (UTF-8 code points) of a text, or the whole text when it is shorter.
// Cuts, never rounds: (" .99987654", 8) -> " .999876".
std::string leftTruncate(std::string_view text, std::size_t n);

// The correlation coefficient as shown in its 8-character box.
//   Plain notation is cut to 8 characters: 0.999993618681298 -> " .999993", -1 -> "-1".
//   In exponent notation the exponent stays whole and only the digits before it are cut, a "."
//   left at the end is dropped: 3.1234567e-5 -> " 3.1E-05", -3.1e-5 -> "-3.1E-05",
//   4.5e-100 -> " 4E-100". (Cutting the whole text would show " 3.12345", 10^5 times too large.)
std::string correlationText(double r);

// floor(value * 10000) / 10000, three double operations in this order. Because the product is
// taken of the binary value, a number that reads with four decimals can lose one unit in the
// last one: 0.57 -> 0.5699 (0.57 * 10000 is 5699.999999999999), 12.3456 -> 12.3455,
// 0.0123 -> 0.0123. Negative values go down: -0.00123 -> -0.0013, -0.00001 -> -0.0001.
double floorTo4(double value);

// Rounds to the nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), then checks
// the range: nullopt outside -32768..32767 (32767.5 rounds to 32768 and fails) or for a value that
// is not finite.
std::optional<std::int16_t> toInt16(double value);

// The same with the 32-bit range.
std::optional<std::int32_t> toInt32(double value);

} // namespace calc
