// Numbers as people read them: plain from a millionth to below 10^15, the exponent form beyond;
// the examples of shown_number.h, the thresholds on both sides, and every power of two checked
// against glibc's printf, an independent correctly rounded conversion.

#include "calc/shown_number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using calc::shownShortest;
using calc::shownSignificant;
using calc::shownWithDecimals;
using calc::typedDecimals;

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kSmallest = std::numeric_limits<double>::denorm_min();

TEST(ShownSignificant, Examples) {
    struct Case {
        const char* name;
        double value;
        int digits;
        const char* expected;
    };
    const Case cases[] = {
        {"a small negative figure, plain", -0.0009, 6, "-0.0009"},
        {"below 0.0001, still plain", 0.00001234567, 6, "0.0000123457"},
        {"a millionth", 1e-6, 6, "0.000001"},
        {"rounding carries up to a millionth", 9.9999996e-7, 6, "0.000001"},
        {"just below a millionth", 9.9999e-7, 6, "9.9999e-07"},
        {"a million, rounded", 1234567, 6, "1234570"},
        {"just below 10^15", 123456789012345, 6, "123457000000000"},
        {"10^15", 1e15, 6, "1e+15"},
        {"rounding carries up to 10^15", 999999999999999.9, 6, "1e+15"},
        {"the largest double", kLargest, 6, "1.79769e+308"},
        {"the smallest double", kSmallest, 6, "4.94066e-324"},
        {"zero", 0.0, 6, "0"},
        {"minus zero", -0.0, 6, "0"},
        {"just below a decimal boundary: 0.57", 0.57, 6, "0.57"},
        {"2.675 lies below its 5", 2.675, 3, "2.67"},
        {"a third", 1.0 / 3, 6, "0.333333"},
        {"one digit", 0.25, 1, "0.2"},
        {"digits below 1 count as 1", 7.5, 0, "8"},
        {"every digit of a double", 0.1 + 0.2, 17, "0.30000000000000004"},
        {"a whole number", 250, 6, "250"},
        {"infinity", std::numeric_limits<double>::infinity(), 6, "inf"},
        {"minus infinity", -std::numeric_limits<double>::infinity(), 6, "-inf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shownSignificant(c.value, c.digits), c.expected);
    }
}

TEST(ShownShortest, Examples) {
    struct Case {
        const char* name;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {"plain where the shortest text takes the exponent", 1.2e-05, "0.000012"},
        {"every digit", 0.1 + 0.2, "0.30000000000000004"},
        {"a millionth", 1e-6, "0.000001"},
        {"below a millionth", 1e-7, "1e-07"},
        {"10^22", 1e22, "1e+22"},
        {"2^60", 1152921504606846976.0, "1.152921504606847e+18"},
        {"just below 10^15", 999999999999999.0, "999999999999999"},
        {"a negative slope", -0.0963130659767141, "-0.0963130659767141"},
        {"the largest double", kLargest, "1.7976931348623157e+308"},
        {"the smallest double", kSmallest, "5e-324"},
        {"minus zero", -0.0, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shownShortest(c.value), c.expected);
    }
}

// The decimal exponent printf gives the value rounded to `digits` significant digits.
int printfExponent(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    return std::atoi(std::strchr(text, 'e') + 1);
}

double printfRounded(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    return std::strtod(text, nullptr);
}

// Every power of two of either sign and random doubles over the whole range (a fixed seed): the
// text reads back as printf's rounding, is plain exactly where that rounding's exponent is -6 to
// 14, and has no trailing zero after a point; the shortest text reads back as the value itself
// and no text of fewer digits does.
TEST(ShownNumbers, AgreeWithPrintfOverTheWholeRange) {
    std::vector<double> values;
    for (int power = -1074; power <= 1023; ++power) {
        values.push_back(std::ldexp(1.0, power));
        values.push_back(-std::ldexp(1.0, power));
    }
    std::mt19937_64 random(26);
    std::uniform_int_distribution<int> exponent(-330, 320);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    for (int i = 0; i < 4000; ++i) {
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    }
    int failures = 0;
    for (const double value : values) {
        if (!std::isfinite(value) || value == 0) {
            continue;
        }
        for (const int digits : {1, 3, 6, 17}) {
            const std::string text = shownSignificant(value, digits);
            const int e = printfExponent(value, digits);
            const bool plain = text.find('e') == std::string::npos;
            const std::string mantissaPart = text.substr(0, text.find('e'));
            const bool trailing =
                mantissaPart.find('.') != std::string::npos && mantissaPart.back() == '0';
            if (std::strtod(text.c_str(), nullptr) != printfRounded(value, digits) ||
                plain != (e >= -6 && e <= 14) || trailing) {
                ADD_FAILURE() << value << " to " << digits << ": " << text;
                if (++failures > 10) {
                    return;
                }
            }
        }
        const std::string shortest = shownShortest(value);
        // Its significant digits: from the first that is not zero, trailing zeros of a whole
        // number not counted.
        std::string digits;
        for (const char ch : shortest.substr(0, shortest.find('e'))) {
            if ((ch >= '1' && ch <= '9') || (ch == '0' && !digits.empty())) {
                digits += ch;
            }
        }
        while (digits.size() > 1 && digits.back() == '0') {
            digits.pop_back();
        }
        const int significant = int(digits.size());
        const bool shorterReadsBack =
            significant > 1 && printfRounded(value, significant - 1) == value;
        if (std::strtod(shortest.c_str(), nullptr) != value || shorterReadsBack) {
            ADD_FAILURE() << value << ": " << shortest;
            if (++failures > 10) {
                return;
            }
        }
    }
}

TEST(ShownWithDecimals, KeepTheReadingsDecimals) {
    struct Case {
        const char* name;
        double value;
        int significant, decimals;
        const char* expected;
    };
    const Case cases[] = {
        {"a mean of readings of four decimals", 0.053, 6, 4, "0.0530"},
        {"a mean with more digits than its readings", 0.0525, 6, 3, "0.0525"},
        {"more decimals than six digits give", 12.345675, 6, 5, "12.34567"},
        {"a whole number", 1, 6, 2, "1.00"},
        {"zero", 0.0, 6, 3, "0.000"},
        {"minus zero without decimals", -0.0, 6, 0, "0"},
        {"a repeating mean", 0.05233333333333333, 6, 3, "0.0523333"},
        {"a negative mean", -0.0005, 6, 4, "-0.0005"},
        {"exponent form stays", 1e-9, 6, 4, "1e-09"},
        {"decimals beyond fifteen count as fifteen", 0.5, 6, 40, "0.500000000000000"},
        {"a large mean", 123456.7, 6, 3, "123456.700"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(shownWithDecimals(c.value, c.significant, c.decimals), c.expected);
    }
}

TEST(TypedDecimals, CountTheExponent) {
    struct Case {
        const char* name;
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"four decimals with a trailing zero", "0.0530", 4},
        {"a whole number", "5", 0},
        {"an exponent adds decimals", "5.30e-2", 4},
        {"an exponent takes them", "1.5e3", 0},
        {"a capital E", "1.5E-1", 2},
        {"blanks and a leading point", " .5 ", 1},
        {"minus zero", "-0.00", 2},
        {"at most fifteen", "1e-20", 15},
        {"not a number", "abc", 0},
        {"a decimal comma", "1,5", 0},
        {"beyond a double", "1e400", 0},
        {"empty", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(typedDecimals(c.text), c.expected);
    }
}

} // namespace
