// The conversions of exact values to doubles: correctly rounded, ties to even, subnormals, and
// nothing beyond the double range. The references are the operations IEEE arithmetic rounds
// correctly: the division and square root of doubles, and from_chars of a decimal text.

#include "calc/exact_arithmetic.h"
#include "test_support.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace {

using calc::exact::Integer;
using calc::exact::Scale;
using calc_test::identical;

Integer twoTo(unsigned k) {
    return boost::multiprecision::pow(Integer(2), k);
}

void expectValue(std::optional<double> expected, std::optional<double> actual) {
    ASSERT_EQ(expected.has_value(), actual.has_value());
    if (expected) {
        EXPECT_TRUE(identical(*expected, *actual));
    }
}

// The same where the reference is a double: one that comes out 0 or infinite is absent.
void expectRounded(double expected, std::optional<double> actual) {
    if (expected == 0 || std::isinf(expected)) {
        EXPECT_FALSE(actual.has_value());
        return;
    }
    ASSERT_TRUE(actual.has_value());
    EXPECT_TRUE(identical(expected, *actual));
}

TEST(ExactConversion, RoundsAtTheEdgesOfTheDoubles) {
    const double tiny = std::numeric_limits<double>::denorm_min();
    const double largest = std::numeric_limits<double>::max();
    struct Case {
        const char* name;
        Integer num, den;
        Scale scale;
        std::optional<double> quotient;
    };
    const Case cases[] = {
        {"zero", 0, 7, {}, 0.0},
        {"a third, negative", -1, 3, {}, -1.0 / 3},
        {"a tenth by the scale", 1, 1, {-1, 0}, 0.1},
        {"1e308 by the scale", 1, 1, {308, 0}, 1e308},
        {"smallest normal", 1, twoTo(1022), {}, std::numeric_limits<double>::min()},
        {"smallest subnormal", 1, twoTo(1074), {}, tiny},
        {"three quarters of it round up", 3, twoTo(1076), {}, tiny},
        {"half of it ties to 0: absent", 1, twoTo(1075), {}, std::nullopt},
        {"just above half rounds up", twoTo(60) + 1, twoTo(1135), {}, tiny},
        {"1.5 of it ties to the even 2", 3, twoTo(1075), {}, 2 * tiny},
        {"2.5 of it ties to the even 2", 5, twoTo(1075), {}, 2 * tiny},
        {"10^-400 is absent, not 0", 1, 1, {-400, 0}, std::nullopt},
        {"largest double", twoTo(1024) - twoTo(971), 1, {}, largest},
        {"below the midpoint above it", twoTo(1024) - twoTo(970) - 1, 1, {}, largest},
        {"the midpoint ties to 2^1024: absent", twoTo(1024) - twoTo(970), 1, {}, std::nullopt},
        {"by the binary scale", 3, 1, {0, -2}, 0.75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectValue(c.quotient, calc::exact::toDouble(c.num, c.den, c.scale));
    }
    EXPECT_EQ(calc::exact::toLongDouble(1, 1, {400, 0}), 1e400L);
    EXPECT_EQ(calc::exact::toLongDouble(-1, 3), -1.0L / 3);
}

TEST(ExactConversion, SquareRootsRoundAtTheEdges) {
    struct Case {
        const char* name;
        Integer num, den;
        Scale scale;
        std::optional<double> root;
    };
    const Case cases[] = {
        {"zero", 0, 3, {}, 0.0},
        {"two", 2, 1, {}, std::sqrt(2.0)},
        {"an odd power of ten", 4, 1, {-3, 0}, std::sqrt(0.004)},
        {"an odd power of two", 1, 1, {0, -1}, std::sqrt(0.5)},
        {"the smallest subnormal", 1, twoTo(2148), {}, std::numeric_limits<double>::denorm_min()},
        {"half of it is absent", 1, twoTo(2150), {}, std::nullopt},
        {"beyond the largest double", 1, 1, {617, 0}, std::nullopt},
        {"a square", 1089 * 49, 100, {-2, 0}, 2.31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectValue(c.root, calc::exact::sqrtToDouble(c.num, c.den, c.scale));
    }
}

TEST(ExactConversion, AgreesWithCorrectlyRoundedOperations) {
    std::mt19937_64 random(3);
    for (int i = 0; i < 20000; ++i) {
        // p / (q * 2^k) as a division of two exact doubles, q * 2^k normal: the quotient runs
        // from beyond the largest double down through the subnormals.
        const std::uint64_t p = (random() >> (11 + random() % 53)) | 1;
        const std::uint64_t q = (random() >> (11 + random() % 53)) | 1;
        const int k = static_cast<int>(random() % 1960) - 1000;
        const double quotient = static_cast<double>(p) / std::ldexp(static_cast<double>(q), k);
        expectRounded(quotient, calc::exact::toDouble(p, q, {0, -k}));

        // sqrt(p * 2^(2j)) as the square root of an exact double.
        const int j = static_cast<int>(random() % 950) - 500;
        expectRounded(std::sqrt(std::ldexp(static_cast<double>(p), 2 * j)),
                      calc::exact::sqrtToDouble(p, 1, {0, 2 * j}));

        // A decimal of 17 digits as from_chars reads it.
        const std::string digits = std::to_string(p % 100000000000000000ULL);
        const int e = static_cast<int>(random() % 680) - 360;
        const std::string text = digits + "e" + std::to_string(e);
        double parsed = 0; // left as it is when out of range
        std::from_chars(text.data(), text.data() + text.size(), parsed);
        SCOPED_TRACE(text);
        expectRounded(parsed,
                      calc::exact::toDouble(calc::exact::integerOfDigits(digits), 1, {e, 0}));
    }
}

} // namespace
