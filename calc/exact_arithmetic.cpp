#include "calc/exact_arithmetic.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace calc::exact {
namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr double kLog2Of10 = 3.321928094887362;

// A binary floating-point format: `precision` significant bits, the exponent of a normal value's
// leading bit within [minExponent, maxExponent].
struct Format {
    int precision;
    int minExponent;
    int maxExponent;
};
constexpr Format kDouble{53, -1022, 1023};
constexpr Format kLongDouble{64, -16382, 16383};

enum class Outcome { Zero, Finite, Underflow, Overflow };

// value = (negative ? -1 : 1) * mantissa * 2^exponent
struct Rounded {
    Outcome outcome = Outcome::Zero;
    bool negative = false;
    std::uint64_t mantissa = 0;
    std::int64_t exponent = 0;
};

int msbOf(Wide value) {
    const auto high = static_cast<std::uint64_t>(value >> 64);
    if (high != 0) {
        return 127 - __builtin_clzll(high);
    }
    return 63 - __builtin_clzll(static_cast<std::uint64_t>(value));
}

// value < 2^128, read from its 64-bit limbs.
Wide toWide(const Integer& value) {
    static_assert(sizeof(boost::multiprecision::limb_type) == sizeof(std::uint64_t));
    const auto& backend = value.backend();
    Wide result = backend.limbs()[0];
    if (backend.size() > 1) {
        result |= static_cast<Wide>(backend.limbs()[1]) << 64;
    }
    return result;
}

std::int64_t msbOf(const Integer& value) {
    return static_cast<std::int64_t>(boost::multiprecision::msb(value));
}

// Rounds (q + f) * 2^offset, 0 <= f < 1 and f > 0 exactly when `sticky`, to the format, ties to
// even. q holds at least precision + 2 bits, so that the bits dropped decide the rounding.
Rounded roundBits(Wide q, bool sticky, std::int64_t offset, Format format, bool negative) {
    const int top = msbOf(q);
    std::int64_t lsbExponent = std::max<std::int64_t>(top + offset - (format.precision - 1),
                                                      format.minExponent - (format.precision - 1));
    const std::int64_t drop = lsbExponent - offset;
    if (drop > top + 1) {
        return {Outcome::Underflow, negative, 0, 0}; // below half the smallest subnormal
    }
    Wide kept = q >> drop;
    const Wide rest = q & ((Wide(1) << drop) - 1);
    const Wide half = Wide(1) << (drop - 1);
    if (rest > half || (rest == half && (sticky || (kept & 1) != 0))) {
        ++kept;
    }
    if (kept == 0) {
        return {Outcome::Underflow, negative, 0, 0};
    }
    if ((kept >> format.precision) != 0) {
        kept >>= 1;
        ++lsbExponent;
    }
    if (lsbExponent + msbOf(kept) > format.maxExponent) {
        return {Outcome::Overflow, negative, 0, 0};
    }
    return {Outcome::Finite, negative, static_cast<std::uint64_t>(kept), lsbExponent};
}

// The binary exponent of |num / den * scale| to within a few units.
double magnitude(const Integer& num, const Integer& den, Scale scale) {
    return static_cast<double>(msbOf(num) - msbOf(den)) + static_cast<double>(scale.p2) +
           static_cast<double>(scale.p10) * kLog2Of10;
}

void foldPowerOfTen(Integer& num, Integer& den, std::int64_t p10) {
    if (p10 > 0) {
        num *= powerOfTen(static_cast<std::uint64_t>(p10));
    } else if (p10 < 0) {
        den *= powerOfTen(static_cast<std::uint64_t>(-p10));
    }
}

void shiftApart(Integer& num, Integer& den, std::int64_t shift) {
    if (shift > 0) {
        num <<= static_cast<unsigned>(shift);
    } else if (shift < 0) {
        den <<= static_cast<unsigned>(-shift);
    }
}

Rounded roundQuotient(Integer num, Integer den, Scale scale, Format format) {
    if (num == 0) {
        return {};
    }
    const bool negative = num < 0;
    if (negative) {
        num = -num;
    }
    // The estimate is good to a few units; out of range by more than that, the value cannot come
    // back, and nothing huge is formed for it.
    const double estimate = magnitude(num, den, scale);
    if (estimate > format.maxExponent + 8) {
        return {Outcome::Overflow, negative, 0, 0};
    }
    if (estimate < format.minExponent - format.precision - 8) {
        return {Outcome::Underflow, negative, 0, 0};
    }
    foldPowerOfTen(num, den, scale.p10);
    // A quotient of precision + 2 to precision + 4 bits and whether anything remains.
    const std::int64_t shift = format.precision + 3 - (msbOf(num) - msbOf(den));
    shiftApart(num, den, shift);
    Integer q;
    Integer r;
    boost::multiprecision::divide_qr(num, den, q, r);
    return roundBits(toWide(q), r != 0, scale.p2 - shift, format, negative);
}

Wide integerSqrt(Wide n) {
    auto root = static_cast<Wide>(std::sqrt(static_cast<long double>(n)));
    while (root * root > n) {
        --root;
    }
    while ((root + 1) * (root + 1) <= n) {
        ++root;
    }
    return root;
}

} // namespace

Integer powerOfTen(std::uint64_t k) {
    static const std::array<Integer, 64> table = [] {
        std::array<Integer, 64> powers;
        powers[0] = 1;
        for (std::size_t i = 1; i < powers.size(); ++i) {
            powers[i] = powers[i - 1] * 10;
        }
        return powers;
    }();
    if (k < table.size()) {
        return table[k];
    }
    return boost::multiprecision::pow(table[32], static_cast<unsigned>(k / 32)) * table[k % 32];
}

Integer integerOfDigits(std::string_view digits) {
    Integer value = 0;
    std::size_t i = 0;
    while (i < digits.size()) {
        const std::size_t length = std::min<std::size_t>(19, digits.size() - i);
        std::uint64_t chunk = 0;
        for (std::size_t j = i; j < i + length; ++j) {
            chunk = chunk * 10 + static_cast<std::uint64_t>(digits[j] - '0');
        }
        value = i == 0 ? Integer(chunk) : value * powerOfTen(length) + chunk;
        i += length;
    }
    return value;
}

std::string digitsOf(Integer value) {
    // In chunks of 19 digits, lowest first (Boost's own str() trips a GCC 12 warning).
    const Integer chunkBase = powerOfTen(19);
    std::string digits;
    Integer quotient;
    Integer chunk;
    while (value != 0) {
        boost::multiprecision::divide_qr(value, chunkBase, quotient, chunk);
        value.swap(quotient);
        auto low = static_cast<std::uint64_t>(chunk);
        for (int k = 0; k < 19 && (low != 0 || value != 0); ++k) {
            digits += static_cast<char>('0' + low % 10);
            low /= 10;
        }
    }
    return {digits.rbegin(), digits.rend()};
}

std::optional<double> toDouble(const Integer& num, const Integer& den, Scale scale) {
    const Rounded r = roundQuotient(num, den, scale, kDouble);
    if (r.outcome == Outcome::Zero) {
        return 0.0;
    }
    if (r.outcome != Outcome::Finite) {
        return std::nullopt;
    }
    const double value = std::ldexp(static_cast<double>(r.mantissa), static_cast<int>(r.exponent));
    return r.negative ? -value : value;
}

long double toLongDouble(const Integer& num, const Integer& den, Scale scale) {
    const Rounded r = roundQuotient(num, den, scale, kLongDouble);
    long double value = 0.0L;
    if (r.outcome == Outcome::Finite) {
        value = std::ldexp(static_cast<long double>(r.mantissa), static_cast<int>(r.exponent));
    } else if (r.outcome == Outcome::Overflow) {
        value = HUGE_VALL;
    }
    return r.negative ? -value : value;
}

std::optional<double> sqrtToDouble(const Integer& numIn, const Integer& denIn, Scale scale) {
    if (numIn <= 0) {
        return numIn == 0 ? std::optional<double>(0.0) : std::nullopt;
    }
    Integer num = numIn;
    Integer den = denIn;
    // Even powers, so that their roots are exact.
    if (scale.p10 % 2 != 0) {
        num *= 10;
        --scale.p10;
    }
    if (scale.p2 % 2 != 0) {
        num <<= 1;
        --scale.p2;
    }
    const double estimate = magnitude(num, den, scale) / 2;
    if (estimate > kDouble.maxExponent + 8 ||
        estimate < kDouble.minExponent - kDouble.precision - 8) {
        return std::nullopt;
    }
    foldPowerOfTen(num, den, scale.p10);
    // n = floor(num * 4^t / den) of 2 * precision + 6 to 2 * precision + 8 bits: its integer
    // root has precision + 3 or + 4 bits, and the root is exact only when both the division and
    // the root leave nothing.
    std::int64_t twoT = 2 * (kDouble.precision + 3) - (msbOf(num) - msbOf(den));
    if (twoT % 2 != 0) {
        ++twoT;
    }
    shiftApart(num, den, twoT);
    Integer q;
    Integer r;
    boost::multiprecision::divide_qr(num, den, q, r);
    const Wide n = toWide(q);
    const Wide root = integerSqrt(n);
    const Rounded rounded =
        roundBits(root, r != 0 || root * root != n, scale.p2 / 2 - twoT / 2, kDouble, false);
    if (rounded.outcome != Outcome::Finite) {
        return std::nullopt;
    }
    return std::ldexp(static_cast<double>(rounded.mantissa), static_cast<int>(rounded.exponent));
}

} // namespace calc::exact
