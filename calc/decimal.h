#pragma once

// Numbers exactly as typed. 0.1 + 0.2 is not 0.3 in binary, but it is in the digits the user
// typed: the statistics of a calibration are computed from these digits, so that standards
// exactly on a line give a residual of exactly 0 and a slope that is 0 in its decimals is 0.

#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

struct Decimal {
    bool negative = false;     // never set for zero
    std::string digits;        // significant digits without leading or trailing zeros; "" for zero
    std::int64_t exponent = 0; // value = (negative ? -1 : 1) * digits * 10^exponent; 0 for zero
    double value = 0.0;        // the double of the same text (strictParse: correctly rounded)

    bool isZero() const { return digits.empty(); }

    // By exact value: "0.50" == ".5" == "5e-1", "-0" == "0".
    friend bool operator==(const Decimal& left, const Decimal& right) {
        return left.negative == right.negative && left.digits == right.digits &&
               left.exponent == right.exponent;
    }
    friend std::strong_ordering operator<=>(const Decimal& left, const Decimal& right);
};

// The decimal of a text that strictParse reads, with the same grammar: nullopt exactly where
// strictParse gives nullopt (so also for "1e999", whose value is beyond the largest double).
// "0.500" -> {digits "5", exponent -1}, "-120e-3" -> {negative, "12", -2}, " 0 " -> zero.
// A written exponent beyond +-10^15 counts as +-10^15 (the value is then 0 as a double, or
// refused).
std::optional<Decimal> parseDecimal(std::string_view text);

// The exact decimal value of a finite double: 0.1 -> 0.1000000000000000055511151231257827...
// (digits "1000000000000000055511151231257827021181583404541015625", exponent -55).
// Infinities and NaN give zero digits with `value` kept.
Decimal exactDecimal(double value);

// The exact difference left - right, its double correctly rounded: .210 - .010 is .2 exactly,
// where the doubles' difference is 0.19999999999999998.
Decimal difference(const Decimal& left, const Decimal& right);

// The exact sum and product, their doubles correctly rounded: .1 + .2 is .3, 2.08 * 5.00 is 10.4.
Decimal sum(const Decimal& left, const Decimal& right);
Decimal product(const Decimal& left, const Decimal& right);

// The quotient left / right rounded half to even to `digits` significant digits (at least 1), its
// double the correctly rounded double of those digits: 423 / 347 to 20 digits is
// 1.2190201729106628242; 1 / 8 is .125 exactly. None when right is zero.
std::optional<Decimal> quotient(const Decimal& left, const Decimal& right, int digits);

// The mean of the values when it is a decimal (the count divides the sum into a terminating
// decimal: .010 and .012 give .011), else nullopt (.010, .011, .013 give .011333...). None of
// no value.
std::optional<Decimal> exactMean(std::span<const Decimal> values);

// Equal values grouped: the rank of each value among the distinct values, ascending from 0, so
// that equal decimals share a rank ("1", "1.0", "2", ".5" -> 1, 1, 2, 0). By sorting: n log n.
std::vector<int> distinctRanks(std::span<const Decimal> values);

} // namespace calc
