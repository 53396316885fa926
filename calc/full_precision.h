#pragma once

// Numbers as copied into a spreadsheet or printed for a script: every digit that the double holds,
// and no more.

#include <string>

namespace calc {

// The shortest text that reads back as the same double (std::to_chars without a format: plain or
// exponent notation, whichever is shorter, plain on a tie). The decimal separator is always ".",
// whatever the locale.
//   0.1 -> "0.1", 1.0 -> "1", 100 -> "100", 1e-07 -> "1e-07", 1e+22 -> "1e+22",
//   0.1 + 0.2 -> "0.30000000000000004", -0.0 -> "-0", 5e-324 -> "5e-324",
//   the largest double -> "1.7976931348623157e+308".
// Not finite: "inf", "-inf", "nan" ("-nan" with the sign bit set).
// This is not the worksheet's result form (strForm, 15 digits and no "0" before the point).
std::string fullPrecision(double v);

// The same text appended to `out`, for reports of many numbers.
void appendFullPrecision(std::string& out, double v);

} // namespace calc
