#include "calc/number_text.h"
#include "test_support.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace {

using calc_test::exact;
using calc_test::identical;

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double largest = std::numeric_limits<double>::max();
constexpr double smallestSubnormal = std::numeric_limits<double>::denorm_min();
constexpr double smallestNormal = std::numeric_limits<double>::min();

// ---------------------------------------------------------------------------------------------
// Str form

struct FormCase {
    const char* name;
    double value;
    const char* text;
};

void expectForms(std::initializer_list<FormCase> cases) {
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::strForm(c.value), c.text) << "value " << exact(c.value);
    }
}

TEST(StrForm, Examples) {
    expectForms({
        {"0.5", 0.5, " .5"},
        {"-0.5", -0.5, "-.5"},
        {"12.3455", 12.3455, " 12.3455"},
        {"100 keeps its zeros", 100.0, " 100"},
        {"1/3", 1.0 / 3.0, " .333333333333333"},
        {"2/3 rounds up", 2.0 / 3.0, " .666666666666667"},
        {"0.1 + 0.2 is .30000000000000004", 0.1 + 0.2, " .3"},
        {"0.0001 plain", 0.0001, " .0001"},
        {"0.00001 exponent", 0.00001, " 1E-05"},
        {"0.000012345", 0.000012345, " 1.2345E-05"},
        {"123456789012345", 123456789012345.0, " 123456789012345"},
        {"10^15", 1e15, " 1E+15"},
        {"-0.00000015", -0.00000015, "-1.5E-07"},
        {"0.00009", 0.00009, " 9E-05"},
        {"1.5E+100", 1.5e100, " 1.5E+100"},
        {"sample result .556417569880205", (0.5 - 0.0123) / 0.8765, " .556417569880205"},
    });
}

TEST(StrForm, Thresholds) {
    expectForms({
        {"exponent -4 is plain", 0.00012345, " .00012345"},
        {"exponent -5 is exponent form", 0.000099999, " 9.9999E-05"},
        {"-0.0001 plain", -0.0001, "-.0001"},
        {"-0.00001 exponent form", -0.00001, "-1E-05"},
        {"exponent 13", 99999999999999.0, " 99999999999999"},
        {"exponent 14 smallest", 1e14, " 100000000000000"},
        {"exponent 14 largest", 999999999999999.0, " 999999999999999"},
        {"exponent 15", 1e15, " 1E+15"},
        {"exponent 15 negative", -1e15, "-1E+15"},
        {"exponent 15 with digits", 1234567890123456.0, " 1.23456789012346E+15"},
        {"9.999999999999999e-5 rounds up to .0001", 9.999999999999999e-5, " .0001"},
        {"9.99999999999999e-5 keeps 15 digits", 9.99999999999999e-5, " 9.99999999999999E-05"},
        {"999999999999999.9 rounds up to 1E+15", 999999999999999.9, " 1E+15"},
        {"largest double below 1 is 1", 0.99999999999999989, " 1"},
        {"9.999999999999999 rounds up to 10", 9.999999999999999, " 10"},
        {"plain with fraction at exponent 14", 100000000000000.5, " 100000000000000"},
        {"two-digit exponent", 1e-10, " 1E-10"},
        {"three-digit exponent up", 1e100, " 1E+100"},
        {"three-digit exponent down", 1e-100, " 1E-100"},
    });
}

TEST(StrForm, SignificantDigits) {
    expectForms({
        {"15 digits below 1 kept", 0.123456789012345, " .123456789012345"},
        {"16 digits below 1 rounded", 0.1234567890123456, " .123456789012346"},
        {"16 digits integer-ish rounded", 123456789012345.6, " 123456789012346"},
        {"16 digits with one decimal", 12345678901234.56, " 12345678901234.6"},
        {"15 digits just above 1", 1.00000000000001, " 1.00000000000001"},
        {"16th digit dropped", 1.000000000000001, " 1"},
        {"one ulp above 1", 1.0000000000000002, " 1"},
        {"0.57 is stored as .56999999999999995", 0.57, " .57"},
        {"trailing zeros of the fraction removed", 1.5, " 1.5"},
        {"no point without a fraction", 10.0, " 10"},
    });
}

// to_chars rounds the exact binary value; when that value is an exact decimal tie at the 16th
// significant digit the 15th digit is rounded to even.
TEST(StrForm, ExactTiesRoundHalfToEven) {
    const double twoToMinus22 = std::ldexp(1.0, -22); // exactly 2.384185791015625E-07
    expectForms({
        {"2^-22 ...562|5 stays even", twoToMinus22, " 2.38418579101562E-07"},
        {"-2^-22 the same", -twoToMinus22, "-2.38418579101562E-07"},
        {"3 * 2^-22 ...687|5 goes up to even", 3.0 * twoToMinus22, " 7.15255737304688E-07"},
        {"100000000000002.5 stays even", 100000000000002.5, " 100000000000002"},
        {"100000000000003.5 goes up to even", 100000000000003.5, " 100000000000004"},
        {"one ulp above the tie rounds up", std::nextafter(twoToMinus22, 1.0),
         " 2.38418579101563E-07"},
        {"one ulp below the odd tie rounds down", std::nextafter(3.0 * twoToMinus22, 0.0),
         " 7.15255737304687E-07"},
    });
}

TEST(StrForm, SpecialValues) {
    expectForms({
        {"zero", 0.0, " 0"},
        {"negative zero", -0.0, " 0"},
        {"zero difference over a negative slope", (0.0123 - 0.0123) / -0.5, " 0"},
        {"smallest subnormal", smallestSubnormal, " 4.94065645841247E-324"},
        {"negative smallest subnormal", -smallestSubnormal, "-4.94065645841247E-324"},
        {"smallest normal", smallestNormal, " 2.2250738585072E-308"},
        {"largest double", largest, " 1.79769313486232E+308"},
        {"negative largest double", -largest, "-1.79769313486232E+308"},
        // The four largest doubles of each sign round past the largest double.
        {"three below the largest double", 1.7976931348623151e308, " 1.79769313486232E+308"},
        {"negative, three below the largest", -1.7976931348623151e308, "-1.79769313486232E+308"},
        {"four below the largest double", 1.7976931348623149e308, " 1.79769313486231E+308"},
        {"infinity", inf, " Inf"},
        {"negative infinity", -inf, "-Inf"},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), " NaN"},
    });
}

// What a Str form says about its number, read independently of how strForm writes it.
struct Reading {
    std::string error; // empty when the text is well formed
    bool negative = false;
    std::string digits; // significant digits, no leading or trailing zeros
    int exponent = 0;   // decimal exponent of the first digit
    bool exponentForm = false;
};

Reading read(const std::string& text) {
    Reading r;
    if (text.size() < 2 || (text[0] != ' ' && text[0] != '-')) {
        r.error = "no sign character";
        return r;
    }
    r.negative = text[0] == '-';
    const std::string body = text.substr(1);
    const auto allDigits = [](const std::string& s) {
        return s.find_first_not_of("0123456789") == std::string::npos;
    };
    const std::size_t ePos = body.find('E');
    if (ePos != std::string::npos) {
        r.exponentForm = true;
        const std::string mantissa = body.substr(0, ePos);
        const std::string exponent = body.substr(ePos + 1);
        if (exponent.size() < 3 || (exponent[0] != '+' && exponent[0] != '-') ||
            !allDigits(exponent.substr(1))) {
            r.error = "bad exponent";
            return r;
        }
        r.exponent = std::stoi(exponent);
        if (mantissa.empty() || mantissa[0] < '1' || mantissa[0] > '9' ||
            (mantissa.size() > 1 && (mantissa[1] != '.' || mantissa.size() < 3 ||
                                     !allDigits(mantissa.substr(2)) || mantissa.back() == '0'))) {
            r.error = "bad mantissa";
            return r;
        }
        r.digits = mantissa.substr(0, 1) + (mantissa.size() > 2 ? mantissa.substr(2) : "");
        return r;
    }
    const std::size_t point = body.find('.');
    const std::string whole = body.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : body.substr(point + 1);
    if (!allDigits(whole) || !allDigits(fraction) ||
        (point != std::string::npos && (fraction.empty() || fraction.back() == '0'))) {
        r.error = "bad plain number";
        return r;
    }
    if (!whole.empty() && whole[0] == '0') {
        r.error = body == "0" ? "" : "a 0 before the point";
        return r;
    }
    if (whole.empty()) {
        const std::size_t firstNonZero = fraction.find_first_not_of('0');
        r.exponent = -static_cast<int>(firstNonZero) - 1;
        r.digits = fraction.substr(firstNonZero);
    } else {
        r.exponent = static_cast<int>(whole.size()) - 1;
        r.digits = whole + fraction;
        r.digits.erase(r.digits.find_last_not_of('0') + 1);
    }
    return r;
}

// The 15-digit rounding as the C library's printf does it (exact, ties to even).
Reading printfReading(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string text(buffer);
    Reading r;
    r.negative = value < 0;
    r.digits = text.substr(0, 1) + text.substr(2, 14);
    r.digits.erase(r.digits.find_last_not_of('0') + 1);
    r.exponent = std::stoi(text.substr(text.find('e') + 1));
    return r;
}

// Checks one nonzero finite value against printf's rounding and the layout rules.
void checkAgainstPrintf(double value) {
    const std::string text = calc::strForm(value);
    const Reading got = read(text);
    ASSERT_EQ(got.error, "") << exact(value) << " -> \"" << text << "\"";
    const Reading want = printfReading(value);
    ASSERT_EQ(got.negative, want.negative) << exact(value) << " -> \"" << text << "\"";
    ASSERT_EQ(got.digits, want.digits) << exact(value) << " -> \"" << text << "\"";
    ASSERT_EQ(got.exponent, want.exponent) << exact(value) << " -> \"" << text << "\"";
    ASSERT_EQ(got.exponentForm, got.exponent < -4 || got.exponent > 14)
        << exact(value) << " -> \"" << text << "\"";
    ASSERT_LE(got.digits.size(), 15U) << exact(value) << " -> \"" << text << "\"";
}

// Every power of two from the smallest subnormal to the largest, both signs.
TEST(StrForm, EveryPowerOfTwo) {
    for (int e = -1074; e <= 1023; ++e) {
        SCOPED_TRACE("2^" + std::to_string(e));
        checkAgainstPrintf(std::ldexp(1.0, e));
        checkAgainstPrintf(-std::ldexp(1.0, e));
    }
}

// Every decade 10^k, and the largest double below it, which rounds up into that decade:
// 999999999999999.9 -> " 1E+15", 9.999999999999999e-5 -> " .0001".
TEST(StrForm, EveryDecade) {
    for (int k = -307; k <= 308; ++k) {
        SCOPED_TRACE("10^" + std::to_string(k));
        const double decade = calc::lenientParse("1e" + std::to_string(k));
        std::string expected;
        if (k >= 0 && k <= 14) {
            expected = " 1" + std::string(static_cast<std::size_t>(k), '0');
        } else if (k < 0 && k >= -4) {
            expected = " ." + std::string(static_cast<std::size_t>(-k - 1), '0') + "1";
        } else {
            char exponent[8];
            std::snprintf(exponent, sizeof exponent, "%+03d", k);
            expected = std::string(" 1E") + exponent;
        }
        EXPECT_EQ(calc::strForm(decade), expected);
        EXPECT_EQ(calc::strForm(std::nextafter(decade, 0.0)), expected);
        std::string negative = expected;
        negative[0] = '-';
        EXPECT_EQ(calc::strForm(-decade), negative);
    }
}

// 200 000 doubles: raw bit patterns over every binary exponent (subnormals included), decimal
// values spread around the plain/exponent boundaries, and short decimals with trailing zeros.
TEST(StrForm, RandomValuesRoundTrip) {
    std::mt19937_64 generator(20240611);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> decade(-8, 18);
    std::uniform_int_distribution<long long> shortDigits(1, 99999);
    for (int i = 0; i < 200000; ++i) {
        double value = 0.0;
        switch (i % 3) {
        case 0:
            do {
                value = std::bit_cast<double>(generator());
            } while (!std::isfinite(value) || value == 0.0);
            break;
        case 1:
            value = mantissa(generator) * std::pow(10.0, decade(generator));
            break;
        default:
            value = static_cast<double>(shortDigits(generator)) / std::pow(10.0, decade(generator));
            break;
        }
        if (i % 2 == 1) {
            value = -value;
        }

        const std::string text = calc::strForm(value);
        SCOPED_TRACE(exact(value) + " -> \"" + text + "\"");
        checkAgainstPrintf(value);
        ASSERT_EQ(text[0], value < 0 ? '-' : ' ');

        // Reading it back lands within the 15-digit rounding (half a unit in the 15th digit,
        // 5e-15 relative) plus the rounding of the parse itself.
        const double back = calc::lenientParse(text);
        const double tolerance = 5.2e-15 * std::fabs(value) + smallestSubnormal;
        ASSERT_LE(std::fabs(back - value), tolerance);
        const std::optional<double> strict = calc::strictParse(text);
        ASSERT_TRUE(strict.has_value());
        ASSERT_TRUE(identical(back, *strict));
    }
}

// ---------------------------------------------------------------------------------------------
// Lenient parse

struct ParseCase {
    const char* name;
    const char* text;
    double value;
};

void expectLenient(std::initializer_list<ParseCase> cases) {
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(identical(c.value, calc::lenientParse(c.text))) << "text \"" << c.text << "\"";
    }
}

TEST(LenientParse, Examples) {
    expectLenient({
        {"0.5", "0.5", 0.5},
        {".5", ".5", 0.5},
        {"5.", "5.", 5.0},
        {"007", "007", 7.0},
        {"1.2.3 stops at the second point", "1.2.3", 1.2},
        {"12.5. stops at the second point", "12.5.", 12.5},
        {"empty", "", 0.0},
        {"lone point", ".", 0.0},
        {"prefixed lone point", "0.", 0.0},
        {"0.800", "0.800", 0.8},
        {"nearest double of 0.57", "0.57", 0.57},
        {"long digit run rounds once", "0.1000000000000000055511151231257827", 0.1},
        {"halfway between doubles rounds to even", "9007199254740993", 9007199254740992.0},
    });
}

TEST(LenientParse, IgnoredCharacters) {
    expectLenient({
        {"blanks around", "  12.5  ", 12.5},
        {"blank between digits", "1 000", 1000.0},
        {"tab and line feed anywhere", "\t-\n.5", -0.5},
        {"blank between sign and digits", "- 5", -5.0},
        {"blank inside the exponent", "1 e - 2", 0.01},
        {"blanks only", "   ", 0.0},
        {"carriage return is not ignored", "1\r2", 1.0},
        {"form feed is not ignored", "\f5", 0.0},
    });
}

TEST(LenientParse, Signs) {
    expectLenient({
        {"plus", "+5", 5.0},
        {"minus", "-5", -5.0},
        {"minus point", "-.5", -0.5},
        {"minus zero keeps its sign", "-0", -0.0},
        {"sign alone", "-", 0.0},
        {"two signs", "--5", 0.0},
        {"plus minus", "+-5", 0.0},
        {"minus after digits", "5-3", 5.0},
    });
}

TEST(LenientParse, Exponents) {
    expectLenient({
        {"E", "1E2", 100.0},
        {"e", "1e2", 100.0},
        {"D", "1D2", 100.0},
        {"d", "1d2", 100.0},
        {"negative exponent", "1e-2", 0.01},
        {"plus exponent", "1E+2", 100.0},
        {"D with fraction and sign", "1.5d-3", 0.0015},
        {"exponent without digits", "1e", 1.0},
        {"exponent sign without digits", "1e+", 1.0},
        {"exponent followed by a letter", "1e-x", 1.0},
        {"point before the exponent", "5.e3", 5000.0},
        {"exponent ends at a point", "1e2.5", 100.0},
        {"second exponent ignored", "1e2e3", 100.0},
        {"exponent without mantissa digit", "e5", 0.0},
        {"point and exponent without digit", ".e5", 0.0},
        {"zero with a huge exponent", "0e99999", 0.0},
        {"exponent with many leading zeros", "1e0000000000000000000002", 100.0},
    });
}

// Pasted text: a radix prefix or a regional form is read like any other text.
TEST(LenientParse, PastedForms) {
    expectLenient({
        {"hexadecimal prefix", "&H1F", 0.0},
        {"octal prefix", "&O17", 0.0},
        {"C hexadecimal", "0x1F", 0.0},
        {"decimal comma", "1,5", 1.0},
        {"currency sign", "$5", 0.0},
        {"underscore grouping", "1_000", 1.0},
        {"percent", "1.5%", 1.5},
        {"inf is no number", "inf", 0.0},
        {"nan is no number", "nan", 0.0},
        {"Infinity is no number", "Infinity", 0.0},
        {"letters after digits", "12abc", 12.0},
    });
}

TEST(LenientParse, OutOfRange) {
    const std::string manyNines(400, '9');
    const std::string tinyFraction = "0." + std::string(400, '0') + "1";
    expectLenient({
        {"1e999 overflows to infinity", "1e999", inf},
        {"-1e999 overflows to minus infinity", "-1e999", -inf},
        {"just above the largest double", "1.8e308", inf},
        {"largest double", "1.7976931348623157e308", largest},
        {"Str form of the largest double", " 1.79769313486232E+308", inf},
        {"negative Str form of the largest double", "-1.79769313486232E+308", -inf},
        {"400 nines", manyNines.c_str(), inf},
        {"exponent beyond any integer", "1e99999999999999999999999", inf},
        {"1e-400 underflows to zero", "1e-400", 0.0},
        {"-1e-400 underflows to minus zero", "-1e-400", -0.0},
        {"smallest subnormal", "5e-324", smallestSubnormal},
        {"3e-324 rounds to the smallest subnormal", "3e-324", smallestSubnormal},
        {"2e-324 is below half of it", "2e-324", 0.0},
        {"400 zeros after the point", tinyFraction.c_str(), 0.0},
        {"negative exponent beyond any integer", "1e-99999999999999999999999", 0.0},
        {"large mantissa, small exponent", "1000000e-320", 1e-314},
    });
}

// ---------------------------------------------------------------------------------------------
// Strict parse

TEST(StrictParse, Numbers) {
    const ParseCase cases[] = {
        {"0.5", "0.5", 0.5},
        {".5", ".5", 0.5},
        {"5.", "5.", 5.0},
        {"Str form with its blank", " .5", 0.5},
        {"0.500", "0.500", 0.5},
        {"0.800 equals 0.8", "0.800", 0.8},
        {"plus", "+5", 5.0},
        {"minus point", "-.5", -0.5},
        {"minus zero", "-0", -0.0},
        {"blanks around", "  12  ", 12.0},
        {"007", "007", 7.0},
        {"exponent", "1e2", 100.0},
        {"negative exponent E", "1E-2", 0.01},
        {"signed exponent and fraction", "-1.5e+3", -1500.0},
        {"Str form in exponent notation", " 8.10005184033173E-06", 8.10005184033173e-06},
        {"underflow gives zero", "1e-400", 0.0},
        {"underflow with E and a fraction", "-0.5E-400", -0.0},
        {"smallest subnormal", "5e-324", smallestSubnormal},
        {"largest double", "1.7976931348623157e308", largest},
        {"largest Str form that reads back", " 1.79769313486231E+308", 1.79769313486231e308},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> value = calc::strictParse(c.text);
        ASSERT_TRUE(value.has_value()) << "text \"" << c.text << "\"";
        EXPECT_TRUE(identical(c.value, *value));
        EXPECT_TRUE(identical(calc::lenientParse(c.text), *value));
    }
}

TEST(StrictParse, Failures) {
    struct Case {
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"empty", ""},
        {"blanks only", "   "},
        {"lone point", "."},
        {"1.2.3", "1.2.3"},
        {"12.5.", "12.5."},
        {"sign alone", "-"},
        {"two signs", "++5"},
        {"blank after the sign", "- 5"},
        {"blank between digits", "1 000"},
        {"blank before the exponent", "1 e2"},
        {"blank in the exponent", "1e 2"},
        {"blank after the point", ". 5"},
        {"tab is not a blank", "\t5"},
        {"line feed is not a blank", "5\n"},
        {"D exponent", "1D2"},
        {"d exponent", "1d2"},
        {"exponent without digits", "1e"},
        {"exponent sign without digits", "1e+"},
        {"exponent without mantissa", "e5"},
        {"trailing sign", "5-"},
        {"decimal comma", "1,5"},
        {"currency sign", "$5"},
        {"hexadecimal prefix", "&H1F"},
        {"C hexadecimal", "0x1F"},
        {"inf", "inf"},
        {"nan", "nan"},
        {"letter after digits", "12a"},
        {"1e999 overflows", "1e999"},
        {"-1e999 overflows", "-1e999"},
        {"1E999 overflows", "1E999"},
        {"overflow with a fraction before E", "0.500841E34050"},
        {"just above the largest double", "1.8e308"},
        {"Str form of the largest double", " 1.79769313486232E+308"},
        {"negative Str form of the largest double", "-1.79769313486232E+308"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(calc::strictParse(c.text).has_value()) << "text \"" << c.text << "\"";
    }
}

TEST(StrictParse, EmbeddedNulIsNoNumber) {
    EXPECT_FALSE(calc::strictParse(std::string_view("5\0", 2)).has_value());
    EXPECT_TRUE(identical(5.0, calc::lenientParse(std::string_view("5\0"
                                                                   "7",
                                                                   3))));
}

// ---------------------------------------------------------------------------------------------
// Left-truncation and the correlation text

TEST(LeftTruncate, Cases) {
    struct Case {
        const char* name;
        const char* text;
        std::size_t n;
        const char* result;
    };
    const Case cases[] = {
        {"cuts, does not round", " .99987654", 8, " .999876"},
        {"negative r", "-.99987654", 8, "-.999876"},
        {"shorter text whole", " 1", 8, " 1"},
        {"exactly n", "12345678", 8, "12345678"},
        {"zero characters", "abc", 0, ""},
        {"empty text", "", 3, ""},
        {"code points, not bytes", "y=\xE6\xB5\x93\xE5\xBA\xA6", 3, "y=\xE6\xB5\x93"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::leftTruncate(c.text, c.n), c.result);
    }
}

TEST(CorrelationText, Cases) {
    struct Case {
        const char* name;
        double r;
        const char* text;
    };
    const Case cases[] = {
        {"cut to 8", 0.999993618681298, " .999993"},
        {"one", 1.0, " 1"},
        {"minus one", -1.0, "-1"},
        {"negative cut", -0.99987654, "-.999876"},
        {"zero", 0.0, " 0"},
        {"0.0001 still plain", 0.000123456789, " .000123"},
        {"exponent kept", 3.1234567e-05, " 3.1E-05"},
        {"negative exponent kept", -3.1e-05, "-3.1E-05"},
        {"three-digit exponent, dangling point dropped", 4.5e-100, " 4E-100"},
        {"single digit fits", 2e-05, " 2E-05"},
        {"no correlation", 8.3266726846886741e-17, " 8.3E-17"},
        {"subnormal", smallestSubnormal, " 4E-324"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = calc::correlationText(c.r);
        EXPECT_EQ(text, c.text);
        EXPECT_LE(text.size(), 8U);
    }
}

// ---------------------------------------------------------------------------------------------
// Flooring to four decimals

TEST(FloorTo4, Cases) {
    struct Case {
        const char* name;
        double value;
        double floored;
    };
    const Case cases[] = {
        {"0.0123 stays", 0.0123, 0.0123},
        {"0.57 loses a unit: 5699.999999999999", 0.57, 0.5699},
        {"12.3456 loses a unit", 12.3456, 12.3455},
        {"0.09999999999999999 slope", 0.09999999999999999, 0.0999},
        {"0.20000000000000004 slope", 0.20000000000000004, 0.2},
        {"-0.00123 goes down", -0.00123, -0.0013},
        {"-0.57 stays", -0.57, -0.57},
        {"-0.20001 goes down", -0.20001, -0.2001},
        {"-0.01234", -0.01234, -0.0124},
        {"positive below 0.0001 gives 0", 0.00005, 0.0},
        {"negative above -0.0001 gives -0.0001", -0.00005, -0.0001},
        {"tiny negative intercept", -2.7755575615628914e-17, -0.0001},
        {"zero", 0.0, 0.0},
        {"negative zero stays negative zero", -0.0, -0.0},
        {"whole number", 3.0, 3.0},
        {"smallest subnormal", smallestSubnormal, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(identical(c.floored, calc::floorTo4(c.value)));
    }
}

TEST(FloorTo4, OverflowIsNotFinite) {
    EXPECT_TRUE(std::isinf(calc::floorTo4(largest)));
    EXPECT_TRUE(std::isinf(calc::floorTo4(-largest)));
}

// Brute force over every four-decimal value 0.0000 .. 9.9999 typed as text: the result is never
// above the value and never more than one unit of the fourth decimal below it.
TEST(FloorTo4, NeverAboveNorAUnitBelow) {
    for (int units = -99999; units <= 99999; ++units) {
        const double value = static_cast<double>(units) / 10000.0;
        const double floored = calc::floorTo4(value);
        ASSERT_LE(floored, value) << units;
        ASSERT_GT(floored, value - 0.00010000001) << units;
    }
}

// ---------------------------------------------------------------------------------------------
// Conversion to integers

TEST(ToInt16, Cases) {
    struct Case {
        const char* name;
        double value;
        std::optional<std::int16_t> result;
    };
    const Case cases[] = {
        {"2.5 to even 2", 2.5, 2},
        {"3.5 to even 4", 3.5, 4},
        {"-2.5 to even -2", -2.5, -2},
        {"-3.5 to even -4", -3.5, -4},
        {"0.5 to 0", 0.5, 0},
        {"2.4999999999999996", 2.4999999999999996, 2},
        {"2.5000000000000004", 2.5000000000000004, 3},
        {"whole", 7.0, 7},
        {"negative zero", -0.0, 0},
        {"largest", 32767.0, 32767},
        {"32767.4 rounds into range", 32767.4, 32767},
        {"32767.5 rounds to 32768", 32767.5, std::nullopt},
        {"smallest", -32768.0, -32768},
        {"-32768.5 rounds to even -32768", -32768.5, -32768},
        {"-32768.6", -32768.6, std::nullopt},
        {"40000", 40000.0, std::nullopt},
        {"infinity", inf, std::nullopt},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), std::nullopt},
        {"largest double", largest, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::toInt16(c.value), c.result);
    }
}

TEST(ToInt32, Cases) {
    struct Case {
        const char* name;
        double value;
        std::optional<std::int32_t> result;
    };
    const Case cases[] = {
        {"2.5 to even 2", 2.5, 2},
        {"3.5 to even 4", 3.5, 4},
        {"40000 fits", 40000.0, 40000},
        {"largest", 2147483647.0, 2147483647},
        {"2147483647.5 rounds to 2^31", 2147483647.5, std::nullopt},
        {"smallest", -2147483648.0, std::numeric_limits<std::int32_t>::min()},
        {"-2147483648.5 rounds to even", -2147483648.5, std::numeric_limits<std::int32_t>::min()},
        {"-2147483649", -2147483649.0, std::nullopt},
        {"negative infinity", -inf, std::nullopt},
        {"2^53 + 2", 9007199254740994.0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::toInt32(c.value), c.result);
    }
}

} // namespace
