// Rounding half to even on the shortest decimal text: a table of the hard rows, and random doubles
// against integer arithmetic on the same decimal.

#include "calc/rounding.h"
#include "test_support.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

__extension__ typedef unsigned __int128 Wide; // 10^38 fits

enum Mode { Significant, Decimals };

std::string rounded(double value, Mode mode, int n) {
    return mode == Significant ? calc::roundSignificant(value, n) : calc::roundDecimals(value, n);
}

TEST(Rounding, HardRows) {
    struct Case {
        const char* name;
        double value;
        Mode mode;
        int n;
        std::string expected;
    };
    const double max = std::numeric_limits<double>::max();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"2.675 is 2.67499... in binary", 2.675, Decimals, 2, "2.68"},
        {"1.015 is 1.01499... in binary", 1.015, Decimals, 2, "1.02"},
        {"4.35 is 4.34999... in binary", 4.35, Significant, 2, "4.4"},
        {"tie after an even digit", 0.125, Decimals, 2, "0.12"},
        {"tie after an odd digit", 0.135, Decimals, 2, "0.14"},
        {"tie after 4", 4.45, Significant, 2, "4.4"},
        {"above the tie", 0.1251, Decimals, 2, "0.13"},
        {"below the tie", 0.1249, Decimals, 2, "0.12"},
        {"integer tie after 4", 1234.5, Significant, 3, "1230"},
        {"integer tie after 3", 1235, Significant, 3, "1240"},
        {"trailing zeros carried", 0.025, Significant, 3, "0.0250"},
        {"more digits than the value has", 0.1, Significant, 5, "0.10000"},
        {"more decimals than the value has", 0.5, Decimals, 3, "0.500"},
        {"integer to one decimal", 12, Decimals, 1, "12.0"},
        {"integer beyond its significant digits", 123456, Significant, 2, "120000"},
        {"carry adds a digit", 9.995, Significant, 3, "10.0"},
        {"carry adds a digit, decimals", 9.995, Decimals, 2, "10.00"},
        {"carry to a power of ten", 99.95, Significant, 3, "100"},
        {"carry below 1", 0.0995, Significant, 2, "0.10"},
        {"carry at 0 decimals", 9.5, Decimals, 0, "10"},
        {"0.5 to 0 decimals", 0.5, Decimals, 0, "0"},
        {"0.51 to 0 decimals", 0.51, Decimals, 0, "1"},
        {"1.5 to 0 decimals", 1.5, Decimals, 0, "2"},
        {"2.5 to 0 decimals", 2.5, Decimals, 0, "2"},
        {"negative", -2.675, Decimals, 2, "-2.68"},
        {"negative tie to even", -2.5, Decimals, 0, "-2"},
        {"negative significant", -1234.5, Significant, 3, "-1230"},
        {"negative to zero", -0.001, Decimals, 2, "0.00"},
        {"negative tie to zero", -0.005, Decimals, 2, "0.00"},
        {"negative tie away from zero", -0.015, Decimals, 2, "-0.02"},
        {"zero", 0.0, Significant, 3, "0.00"},
        {"-0", -0.0, Significant, 3, "0.00"},
        {"-0 decimals", -0.0, Decimals, 2, "0.00"},
        {"zero to 0 decimals", 0.0, Decimals, 0, "0"},
        {"1e-07", 1e-7, Significant, 2, "0.00000010"},
        {"1e-07 to 3 decimals", 1e-7, Decimals, 3, "0.000"},
        {"0.1 + 0.2 to 16 digits", 0.1 + 0.2, Significant, 16, "0.3000000000000000"},
        {"0.1 + 0.2 to 17 digits", 0.1 + 0.2, Significant, 17, "0.30000000000000004"},
        {"1e22", 1e22, Significant, 1, "1" + std::string(22, '0')},
        {"the smallest double", 5e-324, Significant, 2, "0." + std::string(323, '0') + "50"},
        {"the smallest double to 2 decimals", -5e-324, Decimals, 2, "0.00"},
        {"the largest double", max, Significant, 3, "180" + std::string(306, '0')},
        {"the largest double, all digits", -max, Decimals, 0,
         "-17976931348623157" + std::string(292, '0')},
        {"digits below 1 count as 1", 1234.5, Significant, 0, "1000"},
        {"decimals below 0 count as 0", 2.5, Decimals, -1, "2"},
        {"infinity", inf, Significant, 3, "inf"},
        {"-infinity", -inf, Decimals, 2, "-inf"},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), Decimals, 2, "nan"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rounded(c.value, c.mode, c.n), c.expected);
    }
}

std::string decimalText(Wide value) {
    std::string text;
    for (; value > 0; value /= 10) {
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
    }
    return text;
}

// The shortest text of `value` as an integer n and a power of ten: |value| = n * 10^exponent. A
// large integer is written plain with all its digits when that is shorter, up to 23 of them.
void integerAndPower(double value, Wide& n, int& exponent) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value)).ptr;
    n = 0;
    exponent = 0;
    bool point = false;
    for (const char* p = buffer; p != end; ++p) {
        if (*p == 'e') {
            int power = 0;
            std::from_chars(p + (p[1] == '+' ? 2 : 1), end, power);
            exponent += power;
            break;
        }
        if (*p == '.') {
            point = true;
        } else {
            n = n * 10 + static_cast<unsigned>(*p - '0');
            exponent -= point ? 1 : 0;
        }
    }
}

// Rounds n * 10^exponent to a multiple of 10^place, half to even: the multiple's digits, "" for 0.
std::string roundedDigits(Wide n, int exponent, int& place, Mode mode, int count) {
    const int length = static_cast<int>(decimalText(n).size());
    place = mode == Decimals ? -count : exponent + length - count;
    const int shift = place - exponent;
    if (shift <= 0) {
        return decimalText(n) + std::string(static_cast<std::size_t>(-shift), '0');
    }
    Wide q = 0;
    if (shift <= 38) {
        Wide power = 1;
        for (int i = 0; i < shift; ++i) {
            power *= 10;
        }
        q = n / power;
        const Wide twice = 2 * (n % power);
        q += twice > power || (twice == power && q % 2 == 1);
    }
    if (mode == Significant && decimalText(q).size() > static_cast<std::size_t>(count)) {
        q /= 10; // 999.5 -> 1000 -> 100 at the next place
        ++place;
    }
    return decimalText(q);
}

// Random doubles of every size, and short decimals that land on ties, each rounded to a random
// number of digits or decimals; checked: the digits and the place of the last one against the
// integer rounding of the same decimal, the sign, and that rounding the result again changes
// nothing.
TEST(Rounding, AgreesWithIntegerArithmetic) {
    std::mt19937_64 random(8170);
    for (int round = 0; round < 200000; ++round) {
        double value = 0;
        if (round % 2 == 0) {
            do {
                value = std::bit_cast<double>(random());
            } while (!std::isfinite(value));
        } else {
            const auto digits = static_cast<int>(random() % 9);
            value = static_cast<double>(random() %
                                        static_cast<std::uint64_t>(std::pow(10, digits) + 1)) /
                    std::pow(10.0, static_cast<double>(random() % 12));
            value = random() % 2 ? -value : value;
        }
        const Mode mode = random() % 2 ? Significant : Decimals;
        const int count = static_cast<int>(random() % (mode == Significant ? 20 : 26)) +
                          (mode == Significant ? 1 : 0);
        const std::string text = rounded(value, mode, count);
        SCOPED_TRACE(calc_test::exact(value) + " " + std::to_string(count) + " -> " + text);

        Wide n = 0;
        int exponent = 0;
        integerAndPower(value, n, exponent);
        int place = 0;
        const std::string expected = n == 0 ? "" : roundedDigits(n, exponent, place, mode, count);
        if (n == 0) {
            place = mode == Decimals ? -count : 1 - count;
        }

        const bool negative = !text.empty() && text.front() == '-';
        const auto point = text.find('.');
        const std::string whole = text.substr(negative, point - negative);
        const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
        ASSERT_EQ(fraction.size(), static_cast<std::size_t>(std::max(0, -place)));
        ASSERT_TRUE(whole == "0" || (!whole.empty() && whole.front() != '0'));
        std::string all = whole + fraction;
        all.erase(0, std::min(all.find_first_not_of('0'), all.size()));
        ASSERT_EQ(all,
                  expected.empty()
                      ? ""
                      : expected + std::string(static_cast<std::size_t>(std::max(0, place)), '0'));
        ASSERT_EQ(negative, std::signbit(value) && !expected.empty());

        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        const auto significant = all.find_last_not_of('0') + 1;
        if (significant <= 15 &&
            (back == 0 || std::fabs(back) >= std::numeric_limits<double>::min())) {
            ASSERT_EQ(rounded(back, mode, count), text);
        }
    }
}

} // namespace
