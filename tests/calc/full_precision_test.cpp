// The shortest text that reads back as the same double, as the reports and the files write it.

#include "calc/full_precision.h"
#include "test_support.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using calc_test::identical;

double readBack(const std::string& text) {
    double value = std::numeric_limits<double>::quiet_NaN();
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size()) << text;
    return value;
}

TEST(FullPrecision, Texts) {
    using limits = std::numeric_limits<double>;
    struct Case {
        const char* name;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"a tenth", 0.1, "0.1"},
        {"whole number without a point", 1.0, "1"},
        {"hundred stays plain", 100.0, "100"},
        {"small value in exponent form", 1e-7, "1e-07"},
        {"large value in exponent form", 1e22, "1e+22"},
        {"sum with its rounding error shown", 0.1 + 0.2, "0.30000000000000004"},
        {"0.57 * 10000 just below 5700", 0.57 * 10000, "5699.999999999999"},
        {"negative zero", -0.0, "-0"},
        {"smallest subnormal", limits::denorm_min(), "5e-324"},
        {"smallest normal", limits::min(), "2.2250738585072014e-308"},
        {"largest double", limits::max(), "1.7976931348623157e+308"},
        {"most negative double", limits::lowest(), "-1.7976931348623157e+308"},
        {"infinity", limits::infinity(), "inf"},
        {"negative infinity", -limits::infinity(), "-inf"},
        {"not a number", limits::quiet_NaN(), "nan"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::fullPrecision(c.value), c.text);
    }
}

// Every power of two with both neighbours, and random bit patterns, read back to the same bits.
TEST(FullPrecision, RoundTrips) {
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
        const std::string text = calc::fullPrecision(v);
        ASSERT_TRUE(identical(v, readBack(text))) << text;
    }
}

} // namespace
