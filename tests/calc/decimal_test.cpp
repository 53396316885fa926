// The exact decimals: parseDecimal against strictParse (the same texts accepted, the same double),
// the decimal of a double, and the order by value.

#include "calc/decimal.h"
#include "calc/number_text.h"
#include "test_support.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <compare>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using calc::Decimal;
using calc_test::identical;

// The decimal written back as digits "e" exponent, which strictParse reads to the same double
// when the decimal holds the text's exact value.
std::string canonicalText(const Decimal& d) {
    return (d.negative ? "-" : "") + (d.isZero() ? std::string("0") : d.digits) + "e" +
           std::to_string(d.exponent);
}

// Whatever parseDecimal does with a text, it agrees with strictParse.
void expectAgreesWithStrictParse(const std::string& text) {
    SCOPED_TRACE("text \"" + text + "\"");
    const auto strict = calc::strictParse(text);
    const auto decimal = calc::parseDecimal(text);
    ASSERT_EQ(strict.has_value(), decimal.has_value());
    if (!decimal) {
        return;
    }
    EXPECT_TRUE(identical(*strict, decimal->value));
    EXPECT_TRUE(decimal->digits.empty() ||
                (decimal->digits.front() != '0' && decimal->digits.back() != '0'));
    if (decimal->isZero()) {
        EXPECT_FALSE(decimal->negative);
        EXPECT_EQ(decimal->exponent, 0);
    } else {
        // The value of the decimal is the value of the text: both read to the same double.
        EXPECT_TRUE(identical(*strict, *calc::strictParse(canonicalText(*decimal))));
        EXPECT_EQ(decimal->negative, std::signbit(*strict));
    }
}

TEST(ParseDecimal, TakesTextsApartAsStrictParseReadsThem) {
    struct Case {
        const char* name;
        const char* text;
        bool accepted;
        bool negative = false;
        const char* digits = "";
        std::int64_t exponent = 0;
    };
    const Case cases[] = {
        {"trailing zeros go to the exponent", "0.500", true, false, "5", -1},
        {"no digit before the point", ".5", true, false, "5", -1},
        {"point at the end", "5.", true, false, "5", 0},
        {"exponent and sign", "-120e-3", true, true, "12", -2},
        {"blanks around zero", " 0 ", true},
        {"negative zero is zero", "-0", true},
        {"zero with an exponent", "+0.000e5", true},
        {"leading zeros", "00012300", true, false, "123", 2},
        {"capital E with plus", "1.5E+05", true, false, "15", 4},
        {"digits beyond a double", "0.10000000000000000000000000001", true, false,
         "10000000000000000000000000001", -29},
        {"largest double", "1.7976931348623157e308", true, false, "17976931348623157", 292},
        {"smallest subnormal", "4.9e-324", true, false, "49", -325},
        {"below the subnormals: zero as a double, not as a decimal", "1e-400", true, false, "1",
         -400},
        {"exponent saturates", "-7e-99999999999999999999", true, true, "7", -1'000'000'000'000'000},
        {"beyond the largest double", "1.7976931348623159e308", false},
        {"overflow", "1e999", false},
        {"empty", "", false},
        {"blanks only", "   ", false},
        {"point only", ".", false},
        {"two points", "1.2.3", false},
        {"exponent without digits", "1e", false},
        {"D exponent", "1d2", false},
        {"comma", "1,5", false},
        {"inner blank", "- 5", false},
        {"tab", "\t5", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectAgreesWithStrictParse(c.text);
        const auto d = calc::parseDecimal(c.text);
        ASSERT_EQ(d.has_value(), c.accepted);
        if (d) {
            EXPECT_EQ(d->negative, c.negative);
            EXPECT_EQ(d->digits, c.digits);
            EXPECT_EQ(d->exponent, c.exponent);
        }
    }
}

// Every text of up to five characters from an alphabet that reaches each branch of the grammar.
TEST(ParseDecimal, AcceptsExactlyWhatStrictParseAcceptsOverEveryShortText) {
    const std::string alphabet = "09.eE+- d";
    std::string text;
    for (std::size_t length = 0; length <= 5; ++length) {
        std::size_t combinations = 1;
        for (std::size_t i = 0; i < length; ++i) {
            combinations *= alphabet.size();
        }
        for (std::size_t k = 0; k < combinations; ++k) {
            text.clear();
            for (std::size_t rest = k, i = 0; i < length; ++i, rest /= alphabet.size()) {
                text += alphabet[rest % alphabet.size()];
            }
            expectAgreesWithStrictParse(text);
        }
    }
}

TEST(ExactDecimal, GivesTheBinaryValueInFull) {
    struct Case {
        const char* name;
        double value;
        bool negative;
        const char* digits;
        std::int64_t exponent;
    };
    const Case cases[] = {
        {"0.1", 0.1, false, "1000000000000000055511151231257827021181583404541015625", -55},
        {"negative", -0.5, true, "5", -1},
        {"trailing decimal zeros", 1200.0, false, "12", 2},
        {"zero", 0.0, false, "", 0},
        {"negative zero", -0.0, false, "", 0},
        {"2^64", 18446744073709551616.0, false, "18446744073709551616", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decimal d = calc::exactDecimal(c.value);
        EXPECT_EQ(d.negative, c.negative);
        EXPECT_EQ(d.digits, c.digits);
        EXPECT_EQ(d.exponent, c.exponent);
        EXPECT_TRUE(identical(c.value, d.value));
    }
    // 2^-1074 = 5^1074 * 10^-1074: 751 digits.
    const Decimal tiny = calc::exactDecimal(std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(tiny.exponent, -1074);
    EXPECT_EQ(tiny.digits.size(), 751u);
    EXPECT_EQ(tiny.digits.substr(0, 17), "49406564584124654");
    EXPECT_EQ(calc::exactDecimal(std::numeric_limits<double>::max()).digits.size(), 309u);
}

TEST(ExactDecimal, ReadsBackAsTheSameDouble) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 2000; ++i) {
        const double value = std::bit_cast<double>(random()); // every exponent alike
        if (!std::isfinite(value)) {
            continue;
        }
        const Decimal d = calc::exactDecimal(value);
        const auto back = calc::parseDecimal(canonicalText(d));
        ASSERT_TRUE(back.has_value());
        EXPECT_TRUE(identical(value == 0 ? 0.0 : value, back->value)) << canonicalText(d);
        EXPECT_EQ(*back, d);
    }
}

TEST(DecimalOrder, IsTheOrderOfTheValues) {
    struct Case {
        const char* name;
        const char* left;
        const char* right;
        std::strong_ordering expected;
    };
    const Case cases[] = {
        {"same value, other text", "0.50", "5e-1", std::strong_ordering::equal},
        {"signed zeros", "-0", "0", std::strong_ordering::equal},
        {"one more digit", "1", "1.0000000000000000001", std::strong_ordering::less},
        {"more digits, smaller", "0.09999", "0.1", std::strong_ordering::less},
        {"decade", "9", "10", std::strong_ordering::less},
        {"negatives reversed", "-2", "-1", std::strong_ordering::less},
        {"negative below zero", "-1e-400", "0", std::strong_ordering::less},
        {"tiny above zero", "1e-400", "0", std::strong_ordering::greater},
        {"tiny ones apart", "2e-400", "1e-400", std::strong_ordering::greater},
        {"both signs", "-1e308", "1e-308", std::strong_ordering::less},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decimal left = *calc::parseDecimal(c.left);
        const Decimal right = *calc::parseDecimal(c.right);
        EXPECT_EQ(left <=> right, c.expected);
        EXPECT_EQ(right <=> left, 0 <=> c.expected);
        EXPECT_EQ(left == right, c.expected == 0);
    }
}

// Differences and means in the decimals, their doubles rounded once.
TEST(DecimalArithmetic, DifferenceAndMean) {
    const auto d = [](const char* text) { return *calc::parseDecimal(text); };
    struct Case {
        const char* name;
        const char* left;
        const char* right;
        const char* difference;
    };
    const Case cases[] = {
        {"the blank off a standard", ".210", ".010", ".2"},
        {"to zero", "0.5", ".50", "0"},
        {"below zero", ".010", ".210", "-.2"},
        {"far apart", "1e20", "1e-20", "99999999999999999999.99999999999999999999"},
        {"from zero", "0", "3.5e-400", "-3.5e-400"},
        {"zero off a whole number", "1200", "0", "1200"},
        {"a whole number off zero", "0", "20", "-20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decimal difference = calc::difference(d(c.left), d(c.right));
        EXPECT_EQ(difference, d(c.difference));
        EXPECT_EQ(difference.value, d(c.difference).value);
    }
    const std::vector<Decimal> two{d(".010"), d(".013")};
    EXPECT_EQ(calc::exactMean(two), d(".0115"));
    const std::vector<Decimal> three{d(".010"), d(".011"), d(".013")};
    EXPECT_EQ(calc::exactMean(three), std::nullopt) << ".034 / 3 does not terminate";
    const std::vector<Decimal> thirds{d(".010"), d(".011"), d(".012")};
    EXPECT_EQ(calc::exactMean(thirds), d(".011"));
    EXPECT_EQ(calc::exactMean(std::vector<Decimal>{}), std::nullopt);
}

// Sums and products exact; quotients to their digits, half to even on the exact rest.
TEST(DecimalArithmetic, SumProductQuotient) {
    const auto d = [](const char* text) { return *calc::parseDecimal(text); };
    struct Case {
        const char* name;
        const char* left;
        const char* right;
        const char* sum;
        const char* product;
        const char* quotient; // to 20 digits; nullptr: none
    };
    const Case cases[] = {
        {"a standard onto a sample", "95.0", "5.00", "100", "475", "19"},
        {"binary-inexact", ".1", ".2", ".3", ".02", ".5"},
        {"signs", "-1.5", "0.5", "-1", "-.75", "-3"},
        {"repeating", "423", "347", "770", "146781", "1.2190201729106628242"},
        {"repeating, rounded up", ".0837", ".0666", ".1503", ".00557442", "1.2567567567567567568"},
        {"two thirds", "2", "3", "5", "6", ".66666666666666666667"},
        {"a tie kept even", "1.00000000000000000005", "1", "2.00000000000000000005",
         "1.00000000000000000005", "1"},
        {"a tie rounded to even", "1.00000000000000000015", "1", "2.00000000000000000015",
         "1.00000000000000000015", "1.0000000000000000002"},
        {"carry to a new digit", "9.999999999999999999951", "1", "10.999999999999999999951",
         "9.999999999999999999951", "10"},
        {"zero over", "0", "7", "7", "0", "0"},
        {"over zero", "7", "-0", "7", "0", nullptr},
        {"far apart", "1e20", "1e-20", "100000000000000000000.00000000000000000001", "1", "1e40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Decimal sum = calc::sum(d(c.left), d(c.right));
        EXPECT_EQ(sum, d(c.sum));
        EXPECT_EQ(sum.value, d(c.sum).value);
        const Decimal product = calc::product(d(c.left), d(c.right));
        EXPECT_EQ(product, d(c.product));
        EXPECT_EQ(product.value, d(c.product).value);
        const auto quotient = calc::quotient(d(c.left), d(c.right), 20);
        if (c.quotient == nullptr) {
            EXPECT_EQ(quotient, std::nullopt);
            continue;
        }
        ASSERT_TRUE(quotient.has_value());
        EXPECT_EQ(*quotient, d(c.quotient));
        EXPECT_EQ(quotient->value, d(c.quotient).value);
    }
    EXPECT_EQ(calc::quotient(d("2"), d("3"), 1), d(".7"));
    EXPECT_EQ(calc::quotient(d("2"), d("3"), 0), d(".7")) << "below one digit counts as one";
}

// Equal values share a rank, whatever their texts; the ranks follow the values. Checked against
// every pair by the order itself, on a shuffled set as large as a long calibration.
TEST(DistinctRanks, GroupEqualValuesInOrder) {
    struct Case {
        const char* name;
        std::vector<const char*> texts;
        std::vector<int> ranks;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"one", {"7"}, {0}},
        {"the same value typed four ways", {"0.5", ".50", "5e-1", "0.500"}, {0, 0, 0, 0}},
        {"-0 is 0", {"-0", "0", "0.000"}, {0, 0, 0}},
        {"negative below zero below positive", {"1", "-0", "-1e-300", "1e300"}, {2, 1, 0, 3}},
        {"a digit apart at 17 digits",
         {"0.10000000000000001", "0.1", "0.1000000000000000"},
         {1, 0, 0}},
        {"equal doubles, different decimals", {"1e-400", "0", "2e-400"}, {1, 0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Decimal> values;
        for (const char* text : c.texts) {
            values.push_back(*calc::parseDecimal(text));
        }
        EXPECT_EQ(calc::distinctRanks(values), c.ranks);
    }

    // 20 000 values of 300 levels, each level typed in three ways, shuffled.
    std::mt19937 random(27);
    std::vector<Decimal> values;
    for (int i = 0; i < 20000; ++i) {
        const int level = static_cast<int>(random() % 300) - 150;
        const std::string forms[] = {std::to_string(level) + "e-2",
                                     std::to_string(level * 10) + "e-3",
                                     std::to_string(level / 100.0)};
        values.push_back(*calc::parseDecimal(forms[random() % 3]));
    }
    const std::vector<int> ranks = calc::distinctRanks(values);
    ASSERT_EQ(ranks.size(), values.size());
    for (std::size_t i = 0; i + 1 < values.size(); i += 1 + random() % 7) {
        const std::size_t j = random() % values.size();
        EXPECT_EQ(ranks[i] <=> ranks[j], values[i] <=> values[j]) << i << " " << j;
    }
    EXPECT_EQ(*std::max_element(ranks.begin(), ranks.end()), 299);
}

} // namespace
