#pragma once

// Exact integers and the conversions of exact values to binary floating point, for the .cpp files
// of calc/ (decimal.cpp, model_fit.cpp, internal_standard.cpp): Boost.Multiprecision stays out of
// the public headers, which many files include.

#include <boost/multiprecision/cpp_int.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calc::exact {

using Integer = boost::multiprecision::number<boost::multiprecision::cpp_int_backend<>,
                                              boost::multiprecision::et_off>;

// The power of ten and of two that scaled integers stand for: value = integer * 10^p10 * 2^p2.
struct Scale {
    std::int64_t p10 = 0;
    std::int64_t p2 = 0;

    friend Scale operator*(Scale left, Scale right) {
        return {left.p10 + right.p10, left.p2 + right.p2};
    }
    friend Scale operator/(Scale left, Scale right) {
        return {left.p10 - right.p10, left.p2 - right.p2};
    }
    Scale power(int k) const { return {p10 * k, p2 * k}; }
};

// 10^k, k >= 0.
Integer powerOfTen(std::uint64_t k);

// The integer of a string of decimal digits ("" -> 0).
Integer integerOfDigits(std::string_view digits);

// The decimal digits of a non-negative integer, without leading zeros ("" for 0).
std::string digitsOf(Integer value);

// num / den * scale, rounded once to the nearest double (ties to even), subnormals included.
// nullopt when the value is not 0 and rounds to 0 or beyond the largest double. den > 0.
std::optional<double> toDouble(const Integer& num, const Integer& den, Scale scale = {});

// sqrt(num / den * scale) the same way. num >= 0, den > 0.
std::optional<double> sqrtToDouble(const Integer& num, const Integer& den, Scale scale = {});

// num / den * scale to the nearest long double; beyond its range 0 or an infinity of the sign.
long double toLongDouble(const Integer& num, const Integer& den, Scale scale = {});

} // namespace calc::exact
