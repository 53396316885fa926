// Every number written as text: one table of every style over the hard values, each expected
// text worked out by hand from the double's exact decimal value (written beside the row where
// it decides the rounding), then sweeps over the whole range of doubles checked against glibc's
// printf and std::from_chars, independent conversions.

#include "calc/number_format.h"
#include "calc/number_text.h"
#include "test_support.h"

#include <bit>
#include <charconv>
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

using calc::formatNumber;
using calc_test::identical;
using Style = calc::NumberStyle;
using limits = std::numeric_limits<double>;

constexpr double kLargest = limits::max();
constexpr double kSmallest = limits::denorm_min();
constexpr double kInf = limits::infinity();

double readBack(const std::string& text) {
    double value = std::numeric_limits<double>::quiet_NaN();
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size()) << text;
    return value;
}

TEST(NumberFormat, Styles) {
    struct Case {
        const char* name;
        double value;
        Style style;
        const char* expected;
    };
    const Case cases[] = {
        // The shortest text that reads back: the files, the JSON, the command line.
        {"shortest: a tenth", 0.1, Style::shortestRoundTrip(), "0.1"},
        {"shortest: a whole number has no point", 1.0, Style::shortestRoundTrip(), "1"},
        {"shortest: hundred stays plain", 100.0, Style::shortestRoundTrip(), "100"},
        {"shortest: 1e-4, \"1e-04\" is shorter than \"0.0001\"", 1e-4, Style::shortestRoundTrip(),
         "1e-04"},
        {"shortest: 1e-3, plain on a tie of five", 1e-3, Style::shortestRoundTrip(), "0.001"},
        {"shortest: below it the exponent", 1e-7, Style::shortestRoundTrip(), "1e-07"},
        {"shortest: 1e15, the exponent is shorter", 1e15, Style::shortestRoundTrip(), "1e+15"},
        {"shortest: 10^22", 1e22, Style::shortestRoundTrip(), "1e+22"},
        {"shortest: a sum with its rounding error", 0.1 + 0.2, Style::shortestRoundTrip(),
         "0.30000000000000004"},
        {"shortest: 0.57 * 10000 just below 5700", 0.57 * 10000, Style::shortestRoundTrip(),
         "5699.999999999999"},
        {"shortest: -0 keeps its sign", -0.0, Style::shortestRoundTrip(), "-0"},
        {"shortest: smallest subnormal", kSmallest, Style::shortestRoundTrip(), "5e-324"},
        {"shortest: smallest normal", limits::min(), Style::shortestRoundTrip(),
         "2.2250738585072014e-308"},
        {"shortest: largest double", kLargest, Style::shortestRoundTrip(),
         "1.7976931348623157e+308"},
        {"shortest: most negative double", limits::lowest(), Style::shortestRoundTrip(),
         "-1.7976931348623157e+308"},
        {"shortest: infinity", kInf, Style::shortestRoundTrip(), "inf"},
        {"shortest: minus infinity", -kInf, Style::shortestRoundTrip(), "-inf"},
        {"shortest: not a number", limits::quiet_NaN(), Style::shortestRoundTrip(), "nan"},

        // The shortest digits in printf's %g layout: a control chart's series key.
        {"shortest general: 1e-4 plain at the boundary", 1e-4, Style::shortestGeneral(), "0.0001"},
        {"shortest general: below 1e-4 the exponent", 1.5e-5, Style::shortestGeneral(), "1.5e-05"},
        {"shortest general: 10^5 plain, unlike the shortest", 1e5, Style::shortestGeneral(),
         "100000"},
        {"shortest general: seven digits below 10^6 stay plain", 123456.5, Style::shortestGeneral(),
         "123456.5"},
        {"shortest general: 10^6 takes the exponent", 1e6, Style::shortestGeneral(), "1e+06"},
        {"shortest general: seven digits from 10^6", 1234567, Style::shortestGeneral(),
         "1.234567e+06"},
        {"shortest general: 0.1 and the next double apart", 0.10000000000000002,
         Style::shortestGeneral(), "0.10000000000000002"},
        {"shortest general: 0.57 * 10000 just below 5700", 0.57 * 10000, Style::shortestGeneral(),
         "5699.999999999999"},
        {"shortest general: -0 keeps its sign", -0.0, Style::shortestGeneral(), "-0"},
        {"shortest general: smallest subnormal", kSmallest, Style::shortestGeneral(), "5e-324"},
        {"shortest general: most negative double", limits::lowest(), Style::shortestGeneral(),
         "-1.7976931348623157e+308"},
        {"shortest general: infinity", kInf, Style::shortestGeneral(), "inf"},

        // n significant digits, plain from a millionth to below 10^15.
        {"significant: a small negative figure", -0.0009, Style::readable(), "-0.0009"},
        {"significant: below 1e-4 still plain", 0.00001234567, Style::readable(), "0.0000123457"},
        {"significant: a millionth", 1e-6, Style::readable(), "0.000001"},
        {"significant: rounding carries to a millionth", 9.9999996e-7, Style::readable(),
         "0.000001"},
        {"significant: just below a millionth", 9.9999e-7, Style::readable(), "9.9999e-07"},
        {"significant: a million, rounded", 1234567, Style::readable(), "1234570"},
        {"significant: just below 10^15", 123456789012345, Style::readable(), "123457000000000"},
        {"significant: 10^15", 1e15, Style::readable(), "1e+15"},
        {"significant: rounding carries to 10^15", 999999999999999.9, Style::readable(), "1e+15"},
        {"significant: largest double", kLargest, Style::readable(), "1.79769e+308"},
        // 2^-1074 = 4.9406564584124654...e-324
        {"significant: smallest subnormal", kSmallest, Style::readable(), "4.94066e-324"},
        {"significant: zero", 0.0, Style::readable(), "0"},
        {"significant: -0 without its sign", -0.0, Style::readable(), "0"},
        {"significant: 0.57 just below its decimal", 0.57, Style::readable(), "0.57"},
        // 2.675 is 2.67499999999999982236431605997495353221893310546875
        {"significant: 2.675 lies below its 5", 2.675, Style::significant(3), "2.67"},
        // 123456.5 is exact: the tie goes to the even 6
        {"significant: an exact tie to even", 123456.5, Style::readable(), "123456"},
        {"significant: a third", 1.0 / 3, Style::readable(), "0.333333"},
        {"significant: one digit, 0.25 ties to even", 0.25, Style::significant(1), "0.2"},
        {"significant: digits below 1 count as 1", 7.5, Style::significant(0), "8"},
        {"significant: 17 digits show every digit", 0.1 + 0.2, Style::significant(17),
         "0.30000000000000004"},
        {"significant: a whole number", 250, Style::readable(), "250"},
        {"significant: infinity", kInf, Style::readable(), "inf"},
        {"significant: minus infinity", -kInf, Style::readable(), "-inf"},

        // Every shortest digit in the readable notation.
        {"readable shortest: plain where shortest takes the exponent", 1.2e-05,
         Style::readableShortest(), "0.000012"},
        {"readable shortest: every digit", 0.1 + 0.2, Style::readableShortest(),
         "0.30000000000000004"},
        {"readable shortest: a millionth", 1e-6, Style::readableShortest(), "0.000001"},
        {"readable shortest: below a millionth", 1e-7, Style::readableShortest(), "1e-07"},
        {"readable shortest: 10^22", 1e22, Style::readableShortest(), "1e+22"},
        {"readable shortest: 2^60", 1152921504606846976.0, Style::readableShortest(),
         "1.152921504606847e+18"},
        {"readable shortest: just below 10^15", 999999999999999.0, Style::readableShortest(),
         "999999999999999"},
        {"readable shortest: a negative slope", -0.0963130659767141, Style::readableShortest(),
         "-0.0963130659767141"},
        {"readable shortest: largest double", kLargest, Style::readableShortest(),
         "1.7976931348623157e+308"},
        {"readable shortest: smallest subnormal", kSmallest, Style::readableShortest(), "5e-324"},
        {"readable shortest: -0", -0.0, Style::readableShortest(), "0"},

        // At least d decimals, as a mean keeps its readings'.
        {"decimals: a mean of readings of four decimals", 0.053, Style::withDecimals(6, 4),
         "0.0530"},
        {"decimals: more digits than its readings", 0.0525, Style::withDecimals(6, 3), "0.0525"},
        // 12.345675 is 12.3456749999999992...: not "12.3457" with a zero made up after it
        {"decimals: more decimals than six digits give", 12.345675, Style::withDecimals(6, 5),
         "12.34567"},
        {"decimals: a whole number", 1, Style::withDecimals(6, 2), "1.00"},
        {"decimals: zero", 0.0, Style::withDecimals(6, 3), "0.000"},
        {"decimals: -0 without decimals", -0.0, Style::withDecimals(6, 0), "0"},
        {"decimals: a repeating mean", 0.05233333333333333, Style::withDecimals(6, 3), "0.0523333"},
        {"decimals: a negative mean", -0.0005, Style::withDecimals(6, 4), "-0.0005"},
        {"decimals: exponent form stays", 1e-9, Style::withDecimals(6, 4), "1e-09"},
        {"decimals: beyond fifteen count as fifteen", 0.5, Style::withDecimals(6, 40),
         "0.500000000000000"},
        {"decimals: a large mean", 123456.7, Style::withDecimals(6, 3), "123456.700"},

        // An equation's coefficient: four digits of the shortest text, ties to even.
        {"coefficient: a negative slope", -0.0963130659767141, Style::coefficient(), "-0.09631"},
        {"coefficient: the shortest text 2.6745 ties to even", 2.6745, Style::coefficient(),
         "2.674"},
        {"coefficient: a whole number rounded", 123456, Style::coefficient(), "123500"},
        {"coefficient: -0", -0.0, Style::coefficient(), "0"},
        // 1.2345e-7 is 1.23450000000000010...e-7: above the tie
        {"coefficient: below a millionth", 1.2345e-7, Style::coefficient(), "1.235e-07"},
        {"coefficient: 10^15", 1e15, Style::coefficient(), "1.000e+15"},

        // printf's conversions as Qt writes them: an exact tie away from zero, -0 unsigned.
        {"fixed: 2.5 ties away from zero", 2.5, Style::fixed(0), "3"},
        {"fixed: -2.5 ties away from zero", -2.5, Style::fixed(0), "-3"},
        {"fixed: 0.5 ties away from zero", 0.5, Style::fixed(0), "1"},
        {"fixed: 0.125 is an exact tie", 0.125, Style::fixed(2), "0.13"},
        {"fixed: 2.675 lies below its 5", 2.675, Style::fixed(2), "2.67"},
        {"fixed: -0 unsigned", -0.0, Style::fixed(2), "0.00"},
        {"fixed: a small negative keeps its sign", -0.001, Style::fixed(2), "-0.00"},
        {"exponent: -0 unsigned", -0.0, Style::exponent(3), "0.000e+00"},
        {"exponent: a tie away from zero", 0.125, Style::exponent(1), "1.3e-01"},
        {"exponent: 9.995 lies below its 5", 9.995, Style::exponent(2), "9.99e+00"},
        {"exponent: subnormal", kSmallest, Style::exponent(3), "4.941e-324"},
        {"exponent: largest double", kLargest, Style::exponent(3), "1.798e+308"},
        {"general: a million takes the exponent", 1e6, Style::general(6), "1e+06"},
        {"general: 1e-4 boundary plain", 1e-4, Style::general(6), "0.0001"},
        {"general: below it the exponent", 1e-5, Style::general(6), "1e-05"},
        {"general: an exact tie away from zero", 123456.5, Style::general(6), "123457"},
        {"general: a percentage", 6.8589, Style::general(3), "6.86"},
        {"general: 17 digits of a tenth", 0.1, Style::general(17), "0.10000000000000001"},
        {"general: -0 unsigned", -0.0, Style::general(6), "0"},

        // Axis labels.
        {"tick: trailing zeros dropped", 0.5, Style::tick(2), "0.5"},
        {"tick: a whole number", 2.0, Style::tick(1), "2"},
        {"tick: a small negative is 0", -0.001, Style::tick(2), "0"},
        {"tick: zero", -0.0, Style::tickExponent(3), "0"},
        {"tick exponent: trailing zeros dropped", 2.5e-5, Style::tickExponent(2), "2.5e-05"},
        {"tick exponent: a million", 1e6, Style::tickExponent(2), "1e+06"},

        // The main window's result form (the whole of it is in number_text_test.cpp).
        {"worksheet: -0", -0.0, Style::worksheet(), " 0"},
        {"worksheet: 1e-4 boundary", 1e-4, Style::worksheet(), " .0001"},
        {"worksheet: below it", 9e-5, Style::worksheet(), " 9E-05"},
        {"worksheet: 1e15 boundary", 1e15, Style::worksheet(), " 1E+15"},
        {"worksheet: a negative", -1.5e-7, Style::worksheet(), "-1.5E-07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatNumber(c.value, c.style), c.expected);
        std::string appended = "x";
        calc::appendNumber(appended, c.value, c.style);
        EXPECT_EQ(appended, std::string("x") + c.expected);
    }
}

// Every power of two with both neighbours, and random bit patterns, read back to the same bits
// from both shortest styles.
TEST(NumberFormat, ShortestRoundTripReadsBack) {
    std::vector<double> values;
    for (int exponent = -1074; exponent <= 1023; ++exponent) {
        const double power = std::ldexp(1.0, exponent);
        for (double v : {power, std::nextafter(power, 0.0), std::nextafter(power, HUGE_VAL)}) {
            values.push_back(v);
            values.push_back(-v);
        }
    }
    std::mt19937_64 random(7);
    while (values.size() < 200000) {
        const double v = std::bit_cast<double>(random());
        if (std::isfinite(v)) {
            values.push_back(v);
        }
    }
    for (double v : values) {
        for (const Style style : {Style::shortestRoundTrip(), Style::shortestGeneral()}) {
            const std::string text = formatNumber(v, style);
            ASSERT_TRUE(identical(v, readBack(text))) << text;
        }
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
TEST(NumberFormat, ReadableAgreesWithPrintfOverTheWholeRange) {
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
            const std::string text = formatNumber(value, Style::significant(digits));
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
        const std::string shortest = formatNumber(value, Style::readableShortest());
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
        EXPECT_EQ(calc::typedDecimals(c.text), c.expected);
    }
}

} // namespace
