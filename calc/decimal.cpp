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

// The value as a signed integer times 10^exponent, at the given exponent (<= its own; zero has
// no exponent of its own and is 0 at any).
exact::Integer scaledTo(const Decimal& d, std::int64_t exponent) {
    if (d.isZero()) {
        return 0;
    }
    exact::Integer value =
        exact::integerOfDigits(d.digits) * exact::powerOfTen(std::uint64_t(d.exponent - exponent));
    return d.negative ? exact::Integer(-value) : value;
}

// integer * 10^exponent as a decimal, its double correctly rounded.
Decimal decimalOf(exact::Integer integer, std::int64_t exponent) {
    Decimal d;
    d.negative = integer < 0;
    if (d.negative) {
        integer = -integer;
    }
    d.digits = exact::digitsOf(integer);
    d.exponent = exponent;
    const std::optional<double> magnitude =
        exact::toDouble(integer, exact::Integer(1), exact::Scale{exponent, 0});
    d.value = magnitude ? (d.negative ? -*magnitude : *magnitude) : 0.0;
    normalize(d);
    d.negative = d.negative && !d.isZero();
    return d;
}

} // namespace

Decimal difference(const Decimal& left, const Decimal& right) {
    const std::int64_t exponent = std::min(left.isZero() ? right.exponent : left.exponent,
                                           right.isZero() ? left.exponent : right.exponent);
    return decimalOf(scaledTo(left, exponent) - scaledTo(right, exponent), exponent);
}

Decimal sum(const Decimal& left, const Decimal& right) {
    Decimal negated = right;
    negated.negative = !right.negative && !right.isZero();
    negated.value = -right.value;
    return difference(left, negated);
}

Decimal product(const Decimal& left, const Decimal& right) {
    if (left.isZero() || right.isZero()) {
        return Decimal{};
    }
    exact::Integer value =
        exact::integerOfDigits(left.digits) * exact::integerOfDigits(right.digits);
    if (left.negative != right.negative) {
        value = -value;
    }
    return decimalOf(value, left.exponent + right.exponent);
}

std::optional<Decimal> quotient(const Decimal& left, const Decimal& right, int digits) {
    if (right.isZero()) {
        return std::nullopt;
    }
    if (left.isZero()) {
        return Decimal{};
    }
    const auto wanted = static_cast<std::int64_t>(std::max(digits, 1));
    const auto leftLength = static_cast<std::int64_t>(left.digits.size());
    const auto rightLength = static_cast<std::int64_t>(right.digits.size());
    // n / d * 10^shift has wanted + 1 or wanted + 2 digits before the point: the digits kept and
    // at least one to round on, the rest of the division the sticky part.
    const std::int64_t shift = std::max<std::int64_t>(wanted + 1 - (leftLength - rightLength), 0);
    const exact::Integer numerator =
        exact::integerOfDigits(left.digits) * exact::powerOfTen(static_cast<std::uint64_t>(shift));
    const exact::Integer denominator = exact::integerOfDigits(right.digits);
    exact::Integer whole = numerator / denominator;
    const bool sticky = whole * denominator != numerator;
    std::int64_t exponent = left.exponent - right.exponent - shift;
    // Drop digits down to `wanted`, half to even on what is dropped.
    const auto length = static_cast<std::int64_t>(exact::digitsOf(whole).size());
    if (length > wanted) {
        const exact::Integer unit = exact::powerOfTen(static_cast<std::uint64_t>(length - wanted));
        const exact::Integer kept = whole / unit;
        const exact::Integer rest = whole - kept * unit;
        const exact::Integer half = unit / 2;
        const bool up =
            rest > half || (rest == half && (sticky || boost::multiprecision::bit_test(kept, 0)));
        whole = kept;
        if (up) {
            ++whole;
        }
        exponent += length - wanted;
    }
    if (left.negative != right.negative) {
        whole = -whole;
    }
    return decimalOf(whole, exponent);
}

std::optional<Decimal> exactMean(std::span<const Decimal> values) {
    if (values.empty()) {
        return std::nullopt;
    }
    std::int64_t exponent = 0;
    bool first = true;
    for (const Decimal& value : values) {
        if (!value.isZero()) {
            exponent = first ? value.exponent : std::min(exponent, value.exponent);
            first = false;
        }
    }
    exact::Integer sum = 0;
    for (const Decimal& value : values) {
        if (!value.isZero()) {
            sum += scaledTo(value, exponent);
        }
    }
    // sum / n terminates when n's factors other than 2 and 5 divide the sum; then sum * 10^k / n
    // is whole for the k that takes the 2s and 5s.
    exact::Integer count = static_cast<long long>(values.size());
    std::int64_t shift = 0;
    exact::Integer scaled = sum;
    for (; shift < 64 && scaled % count != 0; ++shift) {
        scaled *= 10;
    }
    if (scaled % count != 0) {
        return std::nullopt;
    }
    return decimalOf(scaled / count, exponent - shift);
}

std::vector<int> distinctRanks(std::span<const Decimal> values) {
    std::vector<std::size_t> order(values.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(),
              [&](std::size_t l, std::size_t r) { return values[l] < values[r]; });
    std::vector<int> ranks(values.size());
    int rank = -1;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k == 0 || values[order[k]] != values[order[k - 1]]) {
            ++rank;
        }
        ranks[order[k]] = rank;
    }
    return ranks;
}

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
