// libFuzzer target for the two parses and the Str form of what they read.
//
// Checked on every input:
//   - lenientParse never gives NaN;
//   - strictParse, when it succeeds, gives a finite value, bit for bit the lenientParse of the
//     same text (the strict form is a subset of the lenient one: only blanks around, no D
//     exponent, and an overflow is a failure rather than infinity);
//   - the Str form of any value starts with " " or "-";
//   - the Str form of a finite value below 1.7976931348623151e308 in magnitude is accepted by
//     strictParse and reads back within the 15-digit rounding;
//   - the four largest doubles of either sign (1.7976931348623151e308 up to the largest double)
//     round to 15 digits past the largest double: their Str form is exactly
//     " 1.79769313486232E+308" or "-1.79769313486232E+308", which strictParse refuses and
//     lenientParse reads as infinity of the same sign;
//   - correlationText never exceeds 8 characters;
//   - parseDecimal accepts exactly the texts strictParse accepts, with the same double, digits
//     without leading or trailing zeros, never a negative zero, and a value that reads back as
//     that double.

#include "calc/decimal.h"
#include "calc/number_text.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The smallest double whose 15-digit rounding, 1.79769313486232E+308, lies beyond the largest
// double; three steps below the largest one.
constexpr double kRoundsPastLargest = 1.7976931348623151e308;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double lenient = calc::lenientParse(text);
    check(!std::isnan(lenient));

    const std::optional<double> strict = calc::strictParse(text);
    if (strict) {
        check(std::isfinite(*strict));
        check(std::bit_cast<std::uint64_t>(*strict) == std::bit_cast<std::uint64_t>(lenient));
    }

    const std::optional<calc::Decimal> decimal = calc::parseDecimal(text);
    check(decimal.has_value() == strict.has_value());
    if (decimal) {
        check(std::bit_cast<std::uint64_t>(decimal->value) ==
              std::bit_cast<std::uint64_t>(*strict));
        check(decimal->isZero() ? !decimal->negative && decimal->exponent == 0
                                : decimal->digits.front() != '0' && decimal->digits.back() != '0');
        if (!decimal->isZero()) {
            check(decimal->negative == std::signbit(*strict));
            const std::string canonical = (decimal->negative ? "-" : "") + decimal->digits + "e" +
                                          std::to_string(decimal->exponent);
            const std::optional<double> back = calc::strictParse(canonical);
            check(back &&
                  std::bit_cast<std::uint64_t>(*back) == std::bit_cast<std::uint64_t>(*strict));
        }
    }

    const std::string form = calc::strForm(lenient);
    check(form.size() >= 2 && (form[0] == ' ' || form[0] == '-'));
    if (std::isfinite(lenient) && std::fabs(lenient) < kRoundsPastLargest) {
        const std::optional<double> back = calc::strictParse(form);
        check(back.has_value());
        check(std::fabs(*back - lenient) <= 5.2e-15 * std::fabs(lenient) + 4.9406564584124654e-324);
    } else if (std::isfinite(lenient)) {
        check(form == (lenient < 0 ? "-1.79769313486232E+308" : " 1.79769313486232E+308"));
        check(!calc::strictParse(form).has_value());
        check(calc::lenientParse(form) ==
              std::copysign(std::numeric_limits<double>::infinity(), lenient));
    }
    check(calc::correlationText(lenient).size() <= 8);
    return 0;
}
