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

std::string rounded(double value, Mode mode, int n,
                    calc::Direction direction = calc::Direction::HalfEven,
                    calc::Notation notation = calc::Notation::Plain) {
    return mode == Significant ? calc::roundSignificant(value, n, direction, notation)
                               : calc::roundDecimals(value, n, direction, notation);
}

struct Case {
    const char* name;
    double value;
    Mode mode;
    int n;
    std::string expected;
};

// A limit rounded upward: away from zero whenever a digit dropped is not zero.
TEST(Rounding, Upward) {
    const Case cases[] = {
        {"below the place", 0.0021094, Decimals, 2, "0.01"},
        {"far below the place", 0.00021, Decimals, 2, "0.01"},
        {"just above a whole place", 0.0149, Decimals, 2, "0.02"},
        {"on the place", 0.01, Decimals, 2, "0.01"},
        {"on the place, with digits beyond", 0.0100000001, Decimals, 2, "0.02"},
        {"below the tie", 0.1241, Decimals, 2, "0.13"},
        {"0 decimals", 2.01, Decimals, 0, "3"},
        {"carry adds a digit", 9.991, Significant, 3, "10.0"},
        {"significant", 0.0021094, Significant, 3, "0.00211"},
        {"significant, exact", 0.00211, Significant, 3, "0.00211"},
        {"zero", 0.0, Decimals, 2, "0.00"},
        {"the smallest double", 5e-324, Decimals, 3, "0.001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rounded(c.value, c.mode, c.n, calc::Direction::Upward), c.expected);
    }
}

// A result's notation: plain within the decimal exponents strForm writes plainly (-4 to 14), its
// exponent notation beyond, decided on the value as rounded.
TEST(Rounding, ResultNotation) {
    const Case cases[] = {
        {"0.0001 is plain", 0.0001, Significant, 3, "0.000100"},
        {"below 0.0001", 0.0000999, Significant, 3, "9.99E-05"},
        {"a carry up to 0.0001", 0.00009999, Significant, 3, "0.000100"},
        {"negative, below 0.0001", -0.0000123, Significant, 3, "-1.23E-05"},
        {"below 10^15", 123456789012345, Significant, 3, "123000000000000"},
        {"a carry up to 10^15", 999999999999999, Significant, 3, "1.00E+15"},
        {"10^15 to 2 decimals", 1e15, Decimals, 2, "1E+15"},
        {"a carry up to 10^15 at 0 decimals", 999999999999999.9, Decimals, 0, "1E+15"},
        {"below 10^15 to 2 decimals", 123456789012345.67, Decimals, 2, "123456789012345.67"},
        {"a small figure to decimals", 1e-300, Decimals, 3, "0.000"},
        {"a small figure to 15 decimals", 0.0000048139377, Decimals, 15, "0.000004813937700"},
        {"a three-digit exponent", 1.5e-300, Significant, 2, "1.5E-300"},
        {"the smallest double", 5e-324, Significant, 2, "5.0E-324"},
        {"the largest double", std::numeric_limits<double>::max(), Significant, 3, "1.80E+308"},
        {"the largest double, all digits", -std::numeric_limits<double>::max(), Decimals, 0,
         "-1.7976931348623157E+308"},
        {"1e22", 1e22, Significant, 1, "1E+22"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rounded(c.value, c.mode, c.n, calc::Direction::HalfEven, calc::Notation::Result),
                  c.expected);
    }
    // A limit rounded upward as a result is written: "<1.01E-05", never "<0.0000101".
    EXPECT_EQ(
        rounded(0.0000100001, Significant, 3, calc::Direction::Upward, calc::Notation::Result),
        "1.01E-05");
}

TEST(Rounding, HardRows) {
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

// The shortest text rounded by integer division: n * 10^exponent to a multiple of 10^place, half
// to even, written out with -place decimals.
std::string reference(double value, Mode mode, int count) {
    Wide n = 0;
    int exponent = 0;
    integerAndPower(value, n, exponent);
    std::string digits = decimalText(n);
    const int length = static_cast<int>(digits.size());
    int place = mode == Decimals ? -count : (n == 0 ? 1 : exponent + length) - count;
    const int shift = place - exponent;
    if (shift <= 0) {
        digits += std::string(static_cast<std::size_t>(-shift), '0');
    } else {
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
        digits = decimalText(q);
        if (mode == Significant && digits.size() > static_cast<std::size_t>(count)) {
            digits.pop_back(); // 999.5 -> 1000 -> 100 at the next place
            ++place;
        }
    }
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    if (place > 0 && !zero) {
        digits += std::string(static_cast<std::size_t>(place), '0');
    }
    const auto decimals = static_cast<std::size_t>(std::max(0, -place));
    if (digits.size() <= decimals) {
        digits.insert(0, decimals + 1 - digits.size(), '0');
    }
    std::string text = std::signbit(value) && !zero ? "-" : "";
    text.append(digits, 0, digits.size() - decimals);
    if (decimals > 0) {
        text.append(".").append(digits, digits.size() - decimals);
    }
    return text;
}

// The plain text in exponent notation when its first digit stands beyond 10^-4 .. 10^14 (to
// decimals only above): the significant digits asked for, or to decimals every digit up to the
// last that is not zero.
std::string notation(const std::string& plain, Mode mode, int count) {
    const bool negative = plain.front() == '-';
    const std::string body = negative ? plain.substr(1) : plain;
    const auto point = body.find('.');
    const auto before = static_cast<int>(point == std::string::npos ? body.size() : point);
    std::string digits = body;
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return plain;
    }
    const int exponent = before - 1 - static_cast<int>(first);
    if ((exponent >= -4 || mode == Decimals) && exponent <= 14) {
        return plain;
    }
    digits.erase(0, first);
    if (mode == Significant) {
        digits.resize(static_cast<std::size_t>(count), '0');
    } else {
        digits.erase(digits.find_last_not_of('0') + 1);
    }
    std::string text = negative ? "-" : "";
    text.push_back(digits.front());
    if (digits.size() > 1) {
        text.push_back('.');
        text.append(digits, 1);
    }
    const std::string power = std::to_string(std::abs(exponent));
    return text + (exponent < 0 ? "E-" : "E+") + (power.size() < 2 ? "0" : "") + power;
}

// Random doubles of every size, and short decimals that land on ties, each rounded to a random
// number of digits or decimals; checked against the integer rounding of the same decimal, and
// that rounding the result again changes nothing.
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
        const bool result = random() % 2 == 0;
        const std::string text = rounded(value, mode, count, calc::Direction::HalfEven,
                                         result ? calc::Notation::Result : calc::Notation::Plain);
        SCOPED_TRACE(calc_test::exact(value) + " " + std::to_string(count));
        const std::string plain = reference(value, mode, count);
        ASSERT_EQ(text, result ? notation(plain, mode, count) : plain);

        // Fifteen digits read back as the same decimal, unless the double is subnormal.
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        const std::string mantissa = text.substr(0, text.find('E'));
        const auto first = mantissa.find_first_not_of("-0.");
        const auto last = mantissa.find_last_not_of("0.");
        const bool fifteen = first == std::string::npos ||
                             std::count_if(mantissa.begin() + static_cast<long>(first),
                                           mantissa.begin() + static_cast<long>(last) + 1,
                                           [](char c) { return c != '.'; }) <= 15;
        if (fifteen && (back == 0 || std::fabs(back) >= std::numeric_limits<double>::min())) {
            ASSERT_EQ(rounded(back, mode, count, calc::Direction::HalfEven,
                              result ? calc::Notation::Result : calc::Notation::Plain),
                      text);
        }
    }
}

// To a place before or after the point: a result written to its uncertainty's last digit.
TEST(Rounding, ToPlace) {
    struct PlaceCase {
        const char* name;
        double value;
        int place;
        calc::Direction direction;
        std::string expected;
    };
    const auto even = calc::Direction::HalfEven;
    const auto up = calc::Direction::Upward;
    const PlaceCase cases[] = {
        {"thousandths", 0.26017, -3, even, "0.260"},
        {"units", 17.26, 0, even, "17"},
        {"tens", 1234.5, 1, even, "1230"},
        {"hundreds, a tie to even", 1250, 2, even, "1200"},
        {"hundreds, a tie up to the even digit", 1350, 2, even, "1400"},
        {"tens, a carry", 995, 1, even, "1000"},
        {"below the place rounds to 0", 4, 1, even, "0"},
        {"below the place, above half", 7, 1, even, "10"},
        {"below the place, upward", 0.4, 2, up, "100"},
        {"negative", -1234.5, 1, even, "-1230"},
        {"negative to zero has no sign", -4, 1, even, "0"},
        {"zero", 0.0, 1, even, "0"},
        {"-0", -0.0, -2, even, "0.00"},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::roundToPlace(c.value, c.place, c.direction), c.expected);
    }
    EXPECT_EQ(calc::roundToPlace(2.675, -2), calc::roundDecimals(2.675, 2));
}

} // namespace
