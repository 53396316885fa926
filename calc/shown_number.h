#pragma once

// Numbers as people read them: the window's cells and the printed report. Plain notation from a
// millionth to below 10^15, where a reader sees the size of a number at a glance, and the exponent
// form beyond, where plain notation would be a run of zeros. The decimal separator is always ".",
// whatever the locale. The command line's text, the JSON and the copy keep fullPrecision's
// shortest form (full_precision.h) instead.

#include <string>
#include <string_view>

namespace calc {

// `digits` significant digits (at least 1), correctly rounded from the double's exact value,
// trailing zeros dropped; plain when the rounded value's decimal exponent is -6 to 14, else
// "d.dddde-07" / "d.dde+15" (at least two exponent digits):
//   -0.0009 -> "-0.0009", 0.00001234567 -> "0.0000123457", 1234567 -> "1234570",
//   123456789012345 to 6 -> "123457000000000", 1e15 -> "1e+15", 9.9999996e-7 -> "0.000001"
//   (rounding carries it to a millionth), 9.9999e-7 -> "9.9999e-07",
//   the largest double -> "1.79769e+308", 5e-324 -> "4.94066e-324".
// Both zeros give "0"; not finite: "inf", "-inf", "nan".
std::string shownSignificant(double value, int digits);

// Every digit of the shortest text that reads back as the same double (fullPrecision's digits),
// in the notation above: 1.2e-05 -> "0.000012", 0.1 + 0.2 -> "0.30000000000000004",
// 1e+22 -> "1e+22", 2^60 -> "1.152921504606847e+18".
std::string shownShortest(double value);

// At least `significant` digits and at least `decimals` decimals, as a mean keeps the decimals of
// the readings it was taken of: 0.053 (6, 4) -> "0.0530", 0.0525 (6, 3) -> "0.0525",
// 12.345675 (6, 5) -> "12.34567" (its double lies just below the 5; not "12.3457" with a zero
// made up after it), 1 (6, 2) ->
// "1.00". Zeros are added only to a plain text; one in exponent form stays as it is.
std::string shownWithDecimals(double value, int significant, int decimals);

// The decimals a number was typed with, counting its exponent: "0.0530" -> 4, "5" -> 0,
// "5.30e-2" -> 4, "1.5e3" -> 0; at most 15; 0 for a text that is not one number.
int typedDecimals(std::string_view text);

} // namespace calc
