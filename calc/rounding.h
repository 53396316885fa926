#pragma once

// Results rounded for the report by GB/T 8170 ("四舍六入五成双"): on the decimal value as
// written in full precision (the shortest text that reads back as the same double), never on its
// binary form, a 5 followed by nothing rounding to the even digit.
//   2.675 to 2 decimals -> "2.68" (the double is 2.67499999..., its shortest text "2.675"),
//   0.125 -> "0.12", 0.135 -> "0.14", 0.1251 -> "0.13", 1234.5 to 3 significant digits -> "1230",
//   0.02500 to 3 significant digits -> "0.0250".
// Plain notation with the trailing zeros that the digits carry; a result that rounds to zero has
// no sign ("-0.001" to 2 decimals -> "0.00"). A carry may add a digit: 9.995 to 3 significant
// digits -> "10.0". Zero (and -0) to 3 significant digits is "0.00", as if its one digit stood
// before the point. The full-precision text of a large integral double may be its plain digits
// (2^60 -> "1152921504606846976"); those are the digits rounded.
// Notation::Result, as results and their verdicts are written: plain within the decimal
// exponents strForm writes plainly (-4 to 14: from 0.0001 to below 10^15), strForm's exponent
// notation beyond, instead of hundreds of zeros: 4.94e-324 to 3 significant digits ->
// "4.94E-324", 1e-7 to 2 -> "1.0E-07", the largest double to 3 -> "1.80E+308". To N decimals (at
// most 15 of them) a small figure stays plain ("0.000"), and one of 10^15 or more has every digit
// of its shortest text and no decimal ("1E+22", "-1.7976931348623157E+308").
// Not finite: "inf", "-inf", "nan" as NumberStyle::shortestRoundTrip() writes them. digits below 1
// count as 1, decimals below 0 as 0.
//
// Upward, a limit is rounded away from zero whenever a digit it drops is not zero, so that a
// limit written "<0.01" is never below the limit computed: 0.0021 to 2 decimals -> "0.01",
// 0.0100 -> "0.01", 0.00210940 to 3 significant digits -> "0.00211".

#include <string>

namespace calc {

enum class Direction { HalfEven, Upward };
enum class Notation { Plain, Result };

std::string roundSignificant(double value, int digits, Direction direction = Direction::HalfEven,
                             Notation notation = Notation::Plain);
std::string roundDecimals(double value, int decimals, Direction direction = Direction::HalfEven,
                          Notation notation = Notation::Plain);

// To the digit at 10^place, places before the point included: 1234.5 to place 1 -> "1230",
// 0.26017 to place -3 -> "0.260", 4 to place 1 -> "0". For place <= 0 the same as roundDecimals
// with -place decimals.
std::string roundToPlace(double value, int place, Direction direction = Direction::HalfEven,
                         Notation notation = Notation::Plain);

} // namespace calc
