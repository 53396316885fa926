#include "analysis/plot_mapping.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

using analysis::niceTicks;
using analysis::paddedRange;
using analysis::PlotMapping;
using analysis::Range;
using analysis::tickLabels;
using analysis::Ticks;

std::string joined(const Ticks& ticks) {
    return tickLabels(ticks).join(u' ').toStdString();
}

// 1, 2 or 5 times a power of ten.
bool niceStep(double step) {
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (std::abs(mantissa - m) < 1e-9 * m) {
            return true;
        }
    }
    return false;
}

TEST(NiceTicks, Table) {
    struct Case {
        const char* name;
        double low, high;
        int target;
        const char* labels;
    };
    const Case cases[] = {
        {"the worked example's padded concentrations", -0.6, 12.6, 6, "0 2 4 6 8 10 12"},
        {"absorbances, step 5", 0.37, 25.83, 6, "5 10 15 20 25"},
        {"crossing zero: 0 exactly, no -0", -0.55, 0.62, 5, "-0.4 -0.2 0 0.2 0.4 0.6"},
        {"all negative", -37, -3, 5, "-30 -20 -10"},
        {"reversed bounds", 10, 0, 6, "0 2 4 6 8 10"},
        {"multiples of 0.05 written exactly", 0.1, 0.35, 6, "0.1 0.15 0.2 0.25 0.3 0.35"},
        {"1e-9 scale", 1.2e-9, 8.7e-9, 5, "2e-09 4e-09 6e-09 8e-09"},
        {"1e9 scale", 0, 4.4e9, 5, "0 1e+09 2e+09 3e+09 4e+09"},
        {"exponent form with a mantissa digit", 1e6, 1.9e6, 5,
         "1e+06 1.2e+06 1.4e+06 1.6e+06 1.8e+06"},
        {"step 1e-05 in exponent form", 0, 4e-5, 5, "0 1e-05 2e-05 3e-05 4e-05"},
        {"step 1e-04 still plain", 0, 4e-4, 5, "0 0.0001 0.0002 0.0003 0.0004"},
        {"large plain values", 0, 120000, 5, "0 50000 100000"},
        {"a range too short for the first step", 0.31, 0.89, 2, "0.4 0.6 0.8"},
        {"zero width: one tick", 5, 5, 5, "5"},
        {"zero width at zero", 0, 0, 5, "0"},
        {"zero width below zero", -0.25, -0.25, 5, "-0.25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Ticks ticks = niceTicks({c.low, c.high}, c.target);
        EXPECT_EQ(joined(ticks), c.labels);
        EXPECT_TRUE(niceStep(ticks.step)) << ticks.step;
    }
}

TEST(NiceTicks, NonFiniteGivesNone) {
    EXPECT_TRUE(niceTicks({0, INFINITY}).values.empty());
    EXPECT_TRUE(niceTicks({NAN, 1}).values.empty());
}

// Any range of any magnitude: at least two ticks, inside it, rising by a nice step, each with
// a label of its own.
TEST(NiceTicks, SweepOfMagnitudes) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-300, 300), unit(-1, 1), width(1e-6, 1);
    for (int i = 0; i < 20000; ++i) {
        const double scale = std::pow(10.0, exponent(random));
        const double low = unit(random) * scale;
        const double high = low + width(random) * scale;
        const int target = 2 + i % 8;
        const Ticks ticks = niceTicks({low, high}, target);
        SCOPED_TRACE(testing::Message() << low << " .. " << high << " target " << target);
        ASSERT_GE(ticks.values.size(), 2u);
        ASSERT_LE(ticks.values.size(), std::size_t(2 * target + 1));
        ASSERT_TRUE(niceStep(ticks.step));
        for (std::size_t k = 0; k < ticks.values.size(); ++k) {
            ASSERT_GE(ticks.values[k], low);
            ASSERT_LE(ticks.values[k], high);
            if (k > 0) {
                ASSERT_NEAR(ticks.values[k] - ticks.values[k - 1], ticks.step, ticks.step * 1e-6);
            }
        }
        QStringList labels = tickLabels(ticks);
        ASSERT_EQ(labels.size(), qsizetype(ticks.values.size()));
        ASSERT_EQ(labels.removeDuplicates(), 0) << labels.join(u' ').toStdString();
    }
}

TEST(PaddedRange, Table) {
    struct Case {
        const char* name;
        double low, high;
        double paddedLow, paddedHigh;
    };
    const Case cases[] = {
        {"5 % each side", 0, 10, -0.5, 10.5},
        {"either order", 10, 0, -0.5, 10.5},
        {"zero width: 10 % of the value", 5, 5, 4.5, 5.5},
        {"zero width below zero", -5, -5, -5.5, -4.5},
        {"zero width at zero", 0, 0, -1, 1},
        {"too narrow for its magnitude", 1e9, 1e9 + 1e-7, 0.9e9, 1.1e9},
        {"not finite", 0, NAN, 0, 1},
        {"no padding past the largest double", -1.75e308, 1.75e308, -1.75e308, 1.75e308},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Range r = paddedRange(c.low, c.high);
        EXPECT_DOUBLE_EQ(r.low, c.paddedLow);
        EXPECT_DOUBLE_EQ(r.high, c.paddedHigh);
    }
}

TEST(PlotMapping, CornersAndBack) {
    const PlotMapping map({-2, 8}, {10, 30}, QRectF(50, 20, 400, 300));
    struct Case {
        const char* name;
        double x, y;
        QPointF pixel;
    };
    const Case cases[] = {
        {"lowest values at the bottom left", -2, 10, {50, 320}},
        {"highest values at the top right", 8, 30, {450, 20}},
        {"low x, high y at the top left", -2, 30, {50, 20}},
        {"high x, low y at the bottom right", 8, 10, {450, 320}},
        {"the middle", 3, 20, {250, 170}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(map.toPixel(c.x, c.y).x(), c.pixel.x());
        EXPECT_DOUBLE_EQ(map.toPixel(c.x, c.y).y(), c.pixel.y());
        EXPECT_NEAR(map.toData(c.pixel).x(), c.x, 1e-12);
        EXPECT_NEAR(map.toData(c.pixel).y(), c.y, 1e-12);
    }
}

TEST(PlotMapping, ZeroWidthRangeMapsToTheMiddle) {
    const PlotMapping map({3, 3}, {1, 1}, QRectF(0, 0, 100, 50));
    EXPECT_EQ(map.toPixel(3, 1), QPointF(50, 25));
    EXPECT_EQ(map.toPixel(7, -4), QPointF(50, 25));
}

} // namespace
