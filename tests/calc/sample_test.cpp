#include "calc/number_text.h"
#include "calc/sample.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

using calc::Range;

TEST(Sample, ConcentrationTexts) {
    struct Case {
        const char* name;
        const char* sample;
        double intercept;
        double slope;
        const char* text;
    };
    const Case cases[] = {
        {"0.5 on a common curve", "0.5", 0.0123, 0.8765, " .556417569880205"},
        {"sample equal to the intercept", ".0123", 0.0123, 0.8765, " 0"},
        {"below the intercept is negative", ".01", 0.0123, 0.8765, "-.00262407301768397"},
        {"negative intercept", ".3", -0.0045, 0.0312, " 9.75961538461539"},
        {"small result in exponent form", ".0124", 0.0123, 12.3456, " 8.10005184033173E-06"},
        {"zero difference over a negative slope is -0", "0.2", 0.2, -0.5, " 0"},
        {"negative slope", "0.1", 0.7, -0.2, " 3"},
        {"lenient reading of 1.2.3", "1.2.3", 0.0, 0.5, " 2.4"},
        {"Str form with its blank", " .5", 0.0, 0.5, " 1"},
        {"empty sample reads 0", "", 0.0123, 0.8765, "-.0140330861380491"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> value = calc::concentration(c.sample, c.intercept, c.slope);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(calc::strForm(*value), c.text);
    }
}

// Subtraction first, then division, each rounded: not A / b - a / b.
TEST(Sample, ConcentrationOrderOfOperations) {
    const double a = 0.0123;
    const double b = 0.8765;
    const std::optional<double> value = calc::concentration("0.5", a, b);
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(calc_test::identical((0.5 - a) / b, *value));
}

TEST(Sample, ConcentrationNotFinite) {
    struct Case {
        const char* name;
        const char* sample;
        double intercept;
        double slope;
    };
    const Case cases[] = {
        {"1e308 over a small slope overflows", "1e308", 0.0, 0.0001},
        {"negative overflow", "-1e308", 0.0, 0.0001},
        {"pasted 1e999", "1e999", 0.0123, 0.8765},
        {"pasted -1e999", "-1e999", 0.0123, 0.8765},
        {"slope 0", "0.5", 0.0123, 0.0},
        {"slope 0 and sample equal to the intercept", "0.0123", 0.0123, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(calc::concentration(c.sample, c.intercept, c.slope).has_value());
    }
}

TEST(Sample, RangeTest) {
    struct Case {
        const char* name;
        const char* sample;
        const char* upper;
        const char* lower;
        Range range;
    };
    const Case cases[] = {
        {"inside", "0.5", "0.8", "0.001", Range::Inside},
        {"on the upper bound written differently", "0.8", "0.800", "0.001", Range::Inside},
        {"on the lower bound", ".001", "0.8", "0.001", Range::Inside},
        {"above", "0.81", "0.8", "0.001", Range::Outside},
        {"below", "0.0009", "0.8", "0.001", Range::Outside},
        {"lower > upper refuses the middle", "0.5", "0.3", "0.6", Range::Outside},
        {"lower > upper refuses the upper", "0.3", "0.3", "0.6", Range::Outside},
        {"lower = upper admits that value", "0.3", "0.30", ".3", Range::Inside},
        {"Str form with its blank as the sample", " .5", "0.8", "0", Range::Inside},
        {"empty sample", "", "0.8", "0.001", Range::SampleNotNumber},
        {"lone point", ".", "0.8", "0.001", Range::SampleNotNumber},
        {"two points", "1.2.3", "0.8", "0.001", Range::SampleNotNumber},
        {"pasted letters", "abc", "0.8", "0.001", Range::SampleNotNumber},
        {"pasted overflow", "1e999", "0.8", "0.001", Range::SampleNotNumber},
        {"sample reported before bounds", "1.2.3", "", "", Range::SampleNotNumber},
        {"upper bound emptied", "0.5", "", "0.001", Range::BoundsNotNumber},
        {"lower bound emptied", "0.5", "0.8", "", Range::BoundsNotNumber},
        {"lower bound edited to two points", "0.5", "0.8", "0.0.1", Range::BoundsNotNumber},
        {"both bounds empty", "0.5", "", "", Range::BoundsNotNumber},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::rangeTest(c.sample, c.upper, c.lower), c.range);
    }
}

} // namespace
