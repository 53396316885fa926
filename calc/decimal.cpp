#include "calc/decimal.h"

#include "calc/exact_arithmetic.h"
#include "calc/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace calc {
namespace {

bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// -1, 0 or 1.
int signOf(const Decimal& d) {
    if (d.isZero()) {
        return 0;
    }
    return d.negative ? -1 : 1;
}

// Leading and trailing zeros go, the exponent follows the trailing ones.
void normalize(Decimal& d) {
    const std::size_t first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
        d.exponent = 0;
        d.negative = false;
        return;
    }
    const std::size_t last = d.digits.find_last_not_of('0');
    d.exponent += static_cast<std::int64_t>(d.digits.size() - 1 - last);
    d.digits = d.digits.substr(first, last + 1 - first);
}

} // namespace

std::strong_ordering operator<=>(const Decimal& left, const Decimal& right) {
    const int leftSign = signOf(left);
    const int rightSign = signOf(right);
    if (leftSign != rightSign || leftSign == 0) {
        return leftSign <=> rightSign;
    }
    // Same sign, both non-zero: the exponent of the leading digit, then the digits, where a
    // longer string with the same start is the larger (no trailing zeros).
    std::strong_ordering magnitude =
        left.exponent + static_cast<std::int64_t>(left.digits.size()) <=>
        right.exponent + static_cast<std::int64_t>(right.digits.size());
    if (magnitude == 0) {
        magnitude = left.digits.compare(right.digits) <=> 0;
    }
    return leftSign > 0 ? magnitude : 0 <=> magnitude;
}

std::optional<Decimal> parseDecimal(std::string_view text) {
    // strictParse decides what is a number and gives its double; its grammar
    // [blanks] [+|-] digits [. digits] [(E|e) [+|-] digits] [blanks] is then only taken apart.
    const std::optional<double> value = strictParse(text);
    if (!value) {
        return std::nullopt;
    }
    Decimal d;
    d.value = *value;

    std::size_t i = text.find_first_not_of(' ');
    const bool negative = text[i] == '-';
    if (text[i] == '+' || text[i] == '-') {
        ++i;
    }
    std::size_t fractionDigits = 0;
    bool inFraction = false;
    for (; i < text.size() && (isDigit(text[i]) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            inFraction = true;
        } else {
            d.digits += text[i];
            fractionDigits += inFraction ? 1 : 0;
        }
    }
    // The written exponent saturates: beyond +-10^15 the value is beyond every double, or zero
    // for strictParse, and only the order among such texts could still tell.
    constexpr std::int64_t saturation = 1'000'000'000'000'000;
    std::int64_t written = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = text[i] == '-';
        if (text[i] == '+' || text[i] == '-') {
            ++i;
        }
        for (; i < text.size() && isDigit(text[i]); ++i) {
            written = std::min(saturation, written * 10 + (text[i] - '0'));
        }
        if (negativeExponent) {
            written = -written;
        }
    }
    d.exponent = written - static_cast<std::int64_t>(fractionDigits);
    normalize(d);
    d.negative = negative && !d.isZero();
    return d;
}

Decimal exactDecimal(double value) {
    Decimal d;
    d.value = value;
    if (value == 0.0 || !std::isfinite(value)) {
        return d;
    }
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(value), &binaryExponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    binaryExponent -= 53;
    const int zeros = __builtin_ctzll(mantissa);
    mantissa >>= zeros;
    binaryExponent += zeros;

    // m * 2^k, or m * 2^-k = m * 5^k * 10^-k
    const unsigned power = static_cast<unsigned>(std::abs(binaryExponent));
    exact::Integer digits =
        boost::multiprecision::pow(exact::Integer(binaryExponent >= 0 ? 2 : 5), power);
    digits *= mantissa;
    if (binaryExponent < 0) {
        d.exponent = binaryExponent;
    }
    d.digits = exact::digitsOf(digits);
    normalize(d);
    d.negative = value < 0;
    return d;
}

} // namespace calc
