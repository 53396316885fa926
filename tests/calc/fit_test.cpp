#include "calc/fit.h"
#include "calc/number_text.h"
#include "test_support.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using calc_test::identical;
using Texts = std::vector<std::string>;

// Maximum lengths of the concentration and absorbance boxes of the point table.
constexpr std::size_t cBoxLength = 6;
constexpr std::size_t aBoxLength = 5;

TEST(ZeroPrefixed, Cases) {
    struct Case {
        const char* name;
        const char* text;
        std::size_t maxLength;
        const char* result;
    };
    const Case cases[] = {
        {".1 gets its zero", ".1", aBoxLength, "0.1"},
        {"lone point", ".", aBoxLength, "0."},
        {"full A box stays as typed", ".1234", aBoxLength, ".1234"},
        {"full C box stays as typed", ".12345", cBoxLength, ".12345"},
        {"one short of full", ".123", aBoxLength, "0.123"},
        {"C box one short of full", ".1234", cBoxLength, "0.1234"},
        {"no point in front", "1", aBoxLength, "1"},
        {"already prefixed", "0.1", aBoxLength, "0.1"},
        {"empty", "", aBoxLength, ""},
        {"blank before the point", " .5", aBoxLength, " .5"},
        {"point later in the text", "1.5", aBoxLength, "1.5"},
        {"pasted text longer than the box", ".123456", cBoxLength, ".123456"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::zeroPrefixed(c.text, c.maxLength), c.result);
    }
}

TEST(ZeroPrefixed, SecondRunFindsNothingToAdd) {
    for (const char* text : {".1", ".", ".123", "0.5"}) {
        const std::string once = calc::zeroPrefixed(text, aBoxLength);
        EXPECT_EQ(calc::zeroPrefixed(once, aBoxLength), once) << text;
    }
}

// The unrounded values behind three of the worked runs (tests/worksheet/fit_test.cpp): the
// reasons their coefficients floor as they do.
TEST(Fit, UnroundedValues) {
    const Texts c1 = {"1", "2", "3"};
    const Texts a1 = {"0.1", "0.2", "0.3"};
    const auto first = std::get<calc::Curve>(calc::fitCurve(c1, a1));
    EXPECT_TRUE(identical(0.09999999999999999, first.b));
    EXPECT_TRUE(identical(5.551115123125783e-17, first.a));
    EXPECT_TRUE(identical(1.0, first.r));

    const Texts c5 = {"0.5", "1", "2"};
    const Texts a5 = {"0.1", "0.2", "0.4"};
    const auto fifth = std::get<calc::Curve>(calc::fitCurve(c5, a5));
    EXPECT_TRUE(identical(0.20000000000000004, fifth.b));
    EXPECT_TRUE(identical(-2.7755575615628914e-17, fifth.a));

    const Texts c2 = {"0", "1", "2", "3", "4"};
    const Texts a2 = {"0.001", "0.201", "0.399", "0.602", "0.8"};
    const auto second = std::get<calc::Curve>(calc::fitCurve(c2, a2));
    EXPECT_TRUE(identical(0.999993618681298, second.r));
}

TEST(Fit, Degenerate) {
    struct Case {
        const char* name;
        Texts c;
        Texts a;
    };
    const Case cases[] = {
        // Without the check: r about 4.5e-16 shown as " 4.53246", "y=- .0667+ 2.6666x".
        {"three concentrations .1", {"0.1", "0.1", "0.1"}, {"0.1", "0.2", "0.3"}},
        // Without the check: "y= .2+ 0x".
        {"three absorbances .2", {"1", "2", "3"}, {"0.2", "0.2", "0.2"}},
        {"equal numbers written differently", {"1", "1.0", "01"}, {"0.1", "0.2", "0.3"}},
        {"equal absorbances written differently", {"1", "2"}, {"0.5", ".50"}},
        {"all zero", {"0", "0"}, {"0", "0"}},
        {"a single point", {"1"}, {"0.1"}},
        {"no point at all", {}, {}},
        {"squares overflow", {"1e200", "2e200", "3e200"}, {"0.1", "0.2", "0.3"}},
        {"squares underflow to zero", {"1e-200", "2e-200", "3e-200"}, {"0.1", "0.2", "0.3"}},
        {"floored slope overflows", {"1e-155", "2e-155"}, {"1e150", "3e150"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const calc::FitOutcome outcome = calc::fitCurve(c.c, c.a);
        EXPECT_TRUE(std::holds_alternative<calc::Degenerate>(outcome));
    }
}

std::string refusal(const calc::FitOutcome& outcome) {
    if (const auto* incomplete = std::get_if<calc::Incomplete>(&outcome)) {
        return "incomplete row " + std::to_string(incomplete->row);
    }
    if (const auto* notANumber = std::get_if<calc::NotANumber>(&outcome)) {
        return "no number in row " + std::to_string(notANumber->row) +
               (notANumber->box == calc::Box::Concentration ? " C" : " A");
    }
    return std::holds_alternative<calc::Curve>(outcome) ? "fitted" : "degenerate";
}

// The rows are checked in order before anything is computed; in each row first whether a box is
// empty, then whether the C text, then the A text is one whole finite number.
TEST(Fit, RefusedRows) {
    struct Case {
        const char* name;
        Texts c;
        Texts a;
        const char* refusal;
    };
    const Case cases[] = {
        {"first C empty", {"", "2", "3"}, {"0.1", "0.2", "0.3"}, "incomplete row 0"},
        {"last A empty", {"1", "2", "3"}, {"0.1", "0.2", ""}, "incomplete row 2"},
        {"the first of two incomplete rows",
         {"1", "", "3"},
         {"0.1", "0.2", ""},
         "incomplete row 1"},
        {"both boxes of a row empty", {"1", ""}, {"0.1", ""}, "incomplete row 1"},
        {"checked before equal values", {"1", "1", ""}, {"0.1", "0.2", "0.3"}, "incomplete row 2"},
        {"absorbance missing from a shorter list",
         {"1", "2", "3"},
         {"0.1", "0.2"},
         "incomplete row 2"},
        {"concentration missing from a shorter list", {"1"}, {"0.1", "0.2"}, "incomplete row 1"},
        {"two points", {"1", "2", "1.2.3"}, {"0.1", "0.2", "0.3"}, "no number in row 2 C"},
        {"a decimal comma", {"1", "2"}, {"0.1", "1,5"}, "no number in row 1 A"},
        {"full-width digits", {"１２", "2"}, {"0.1", "0.2"}, "no number in row 0 C"},
        {"nan", {"1", "2"}, {"nan", "0.2"}, "no number in row 0 A"},
        {"an exponent with D", {"1", "1d5"}, {"0.1", "0.2"}, "no number in row 1 C"},
        {"an overflowing concentration",
         {"1", "2", "1e999"},
         {"0.1", "0.2", "0.3"},
         "no number in row 2 C"},
        {"an overflowing absorbance",
         {"1", "2", "3"},
         {"0.1", "-1e999", "0.3"},
         "no number in row 1 A"},
        {"a blank", {" ", "2"}, {"0.1", "0.2"}, "no number in row 0 C"},
        {"a lone point without its prefix", {"1", "2"}, {".", "0.2"}, "no number in row 0 A"},
        {"digit grouping", {"1 000", "2"}, {"0.1", "0.2"}, "no number in row 0 C"},
        {"C before A in one row", {"1", "x"}, {"0.1", "y"}, "no number in row 1 C"},
        {"an empty box before a text that is no number in its row",
         {"x", "2"},
         {"", "0.2"},
         "incomplete row 0"},
        {"an earlier row that is no number before a later empty one",
         {"1e999", "2"},
         {"0.1", ""},
         "no number in row 0 C"},
        {"checked before equal values, too",
         {"1", "1", "1"},
         {"0.1", "0.2", "0.3.4"},
         "no number in row 2 A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(refusal(calc::fitCurve(c.c, c.a)), c.refusal);
    }
}

// Exact reference for data typed with at most three decimals: with X = p / 1000 and Y = q / 1000
// for integers p and q, the sums below are exact integers, and only the last divisions and the
// square root are rounded (in long double).
struct Reference {
    long double r, a, b;
};

Reference exactReference(const std::vector<std::int64_t>& p, const std::vector<std::int64_t>& q) {
    const auto n = static_cast<std::int64_t>(p.size());
    std::int64_t sp = 0, sq = 0, spp = 0, sqq = 0, spq = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        sp += p[i];
        sq += q[i];
        spp += static_cast<std::int64_t>(p[i]) * p[i];
        sqq += static_cast<std::int64_t>(q[i]) * q[i];
        spq += static_cast<std::int64_t>(p[i]) * q[i];
    }
    // n^2 * Sxx * 10^6 and so on.
    const auto sxx = static_cast<long double>(n * spp - sp * sp);
    const auto syy = static_cast<long double>(n * sqq - sq * sq);
    const auto sxy = static_cast<long double>(n * spq - sp * sq);
    Reference ref{};
    ref.r = sxy / std::sqrt(sxx * syy);
    ref.b = sxy / sxx;
    ref.a = (static_cast<long double>(sq) - ref.b * static_cast<long double>(sp)) /
            (static_cast<long double>(n) * 1000.0L);
    return ref;
}

// Three decimals of a value in thousandths, written as a user might: "2", "2.5", "0.125" or
// ".125", with or without trailing zeros.
std::string typed(std::int64_t thousandths, std::mt19937& generator) {
    std::string text = std::to_string(thousandths / 1000);
    const std::int64_t fraction = thousandths % 1000;
    const bool keepZeros = generator() % 4 == 0;
    if (fraction != 0 || keepZeros) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        if (!keepZeros) {
            digits.erase(digits.find_last_not_of('0') + 1);
        }
        text += "." + digits;
    }
    if (text.rfind("0.", 0) == 0 && generator() % 2 == 0) {
        text.erase(0, 1); // ".125" as typed; the prefix step puts the "0" back if it fits
    }
    return text;
}

TEST(Fit, RandomCrossCheckAgainstExactSums) {
    std::mt19937 generator(4242);
    int fitted = 0;
    for (int set = 0; set < 4000; ++set) {
        const int n = 2 + static_cast<int>(generator() % 9);
        std::vector<std::int64_t> p(static_cast<std::size_t>(n));
        std::vector<std::int64_t> q(static_cast<std::size_t>(n));
        Texts c;
        Texts a;
        std::int64_t concentration = static_cast<std::int64_t>(generator() % 2001);
        const double slope = 0.02 + 0.08 * (generator() % 1000) / 1000.0;
        for (int i = 0; i < n; ++i) {
            if (i > 0) {
                concentration += 1 + static_cast<std::int64_t>(generator() % 10000);
            }
            const auto k = static_cast<std::size_t>(i);
            p[k] = concentration;
            const double noise = static_cast<double>(generator() % 11) - 5.0;
            q[k] = std::max<std::int64_t>(
                0, std::llround(slope * static_cast<double>(concentration) + noise));
            c.push_back(calc::zeroPrefixed(typed(p[k], generator), cBoxLength));
            a.push_back(calc::zeroPrefixed(typed(q[k], generator), aBoxLength));
        }
        SCOPED_TRACE("set " + std::to_string(set));

        const calc::FitOutcome outcome = calc::fitCurve(c, a);
        if (std::all_of(q.begin(), q.end(), [&](std::int64_t v) { return v == q[0]; })) {
            EXPECT_TRUE(std::holds_alternative<calc::Degenerate>(outcome));
            continue;
        }
        const auto* result = std::get_if<calc::Curve>(&outcome);
        ASSERT_NE(result, nullptr);
        ++fitted;

        const Reference ref = exactReference(p, q);
        const long double meanY =
            std::fabs(static_cast<long double>(q[0] + q.back()) / 2000.0L) + 1e-3L;
        EXPECT_NEAR(result->r, ref.r, 1e-9L * std::fabs(ref.r));
        EXPECT_NEAR(result->b, ref.b, 1e-9L * std::fabs(ref.b));
        EXPECT_NEAR(result->a, ref.a, 1e-9L * std::max(std::fabs(ref.a), meanY));

        // The stored coefficients are the floors: never above, and at most one unit of the fourth
        // decimal below (a full unit when the value is a four-decimal number stored just below
        // itself, as 0.57 is).
        EXPECT_LE(result->slope, result->b);
        EXPECT_GE(result->slope, result->b - 0.0001 - 1e-12);
        EXPECT_LE(result->intercept, result->a);
        EXPECT_GE(result->intercept, result->a - 0.0001 - 1e-12);
        EXPECT_LE(result->correlation.size(), 8U);
    }
    EXPECT_GT(fitted, 3900);
}

} // namespace
