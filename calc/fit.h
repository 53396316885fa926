#pragma once

// The least-squares line y = a + b*x through the standard points of the worksheet, x being the
// concentration typed in a row's C box and y the absorbance typed in its A box.

#include "calc/curve.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace calc {

// The "0" put in front of a box text that begins with "." before the fit: ".1" -> "0.1",
// "." -> "0." (read as 0). A text that would then be longer than maxLength characters is left as
// typed, so a full box never loses its last digit: ".1234" in a 5-character box stays ".1234".
std::string zeroPrefixed(std::string_view text, std::size_t maxLength);

// Row (0-based) of the first row whose C or A text is exactly "" (a blank is not empty).
struct Incomplete {
    int row;
};

enum class Box { Concentration, Absorbance };

// Row (0-based) and box of the first text that is not one whole finite number by strictParse:
// "1.2.3", "1,5", "１２", "nan", "1d5", "1e999", a blank. The lenient reading would fit such a
// text as another number than the one the user sees ("1.2.3" as 1.2, "1d5" as 100000).
struct NotANumber {
    int row;
    Box box;
};

// No line can be fitted: all concentrations equal, all absorbances equal, or a value on the
// way (Sxx*Syy, r, a, b, the floored coefficients) is zero where it divides or not finite.
struct Degenerate {};

using FitOutcome = std::variant<Curve, Incomplete, NotANumber, Degenerate>;

// c[i] and a[i] are the C and A texts of row i after the prefix step. The rows are checked in
// ascending order before anything is computed: in each row first whether either text is empty
// (Incomplete), then the C text, then the A text (NotANumber). A row missing from the shorter of
// the two spans counts as empty; no row at all is Degenerate.
FitOutcome fitCurve(std::span<const std::string> c, std::span<const std::string> a);

} // namespace calc
