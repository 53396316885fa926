#include "calc/statistics.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace {

using Values = std::vector<double>;

// Fluorescence standards of a published teaching example (concentration against intensity).
const Values fluorescenceX = {0, 2, 4, 6, 8, 10, 12};
const Values fluorescenceY = {2.1, 5.0, 9.0, 12.6, 17.3, 21.0, 24.7};

// Worked values, by the formulas in full precision, to six decimals.
TEST(Statistics, WorkedExample) {
    const auto line = calc::lineStatistics(fluorescenceX, fluorescenceY);
    ASSERT_TRUE(line);
    ASSERT_TRUE(line->sYX && line->sA && line->sB && line->lod && line->loq);
    const double half = 5e-7;
    EXPECT_EQ(line->n, 7);
    EXPECT_NEAR(line->a, 1.517857, half);
    EXPECT_NEAR(line->b, 1.930357, half);
    EXPECT_NEAR(line->r, 0.998880, half);
    EXPECT_NEAR(*line->sYX, 0.432848, half);
    EXPECT_NEAR(*line->sA, 0.294936, half);
    EXPECT_NEAR(*line->sB, 0.040900, half);
    EXPECT_NEAR(*line->lod, 0.739965, half);
    EXPECT_NEAR(*line->loq, 2.242319, half);
    EXPECT_NEAR(*line->ci95A, 2.5705818 * 0.294936, 5e-6);
    EXPECT_NEAR(*line->ci95B, 2.5705818 * 0.040900, 5e-6);
    EXPECT_EQ(line->yMin, 2.1);
    EXPECT_EQ(line->yMax, 24.7);

    const double reading = 2.9;
    const calc::SampleEstimate sample = calc::estimateSample(*line, {&reading, 1}, 1.0);
    EXPECT_EQ(sample.m, 1);
    EXPECT_NEAR(sample.x0, 0.72, 0.005);
    ASSERT_TRUE(sample.sX0);
    EXPECT_NEAR(*sample.sX0, 0.26, 0.005);
}

// t(0.975; dof) from printed tables, three decimals.
TEST(StudentT, TableValues) {
    struct Case {
        int dof;
        double t;
    };
    const Case cases[] = {{1, 12.706}, {2, 4.303},  {5, 2.571},   {8, 2.306},
                          {10, 2.228}, {30, 2.042}, {120, 1.980}, {100000, 1.960}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dof);
        EXPECT_NEAR(calc::studentT975(c.dof), c.t, 5e-4);
        EXPECT_EQ(calc::studentT975(c.dof), calc::studentT975(c.dof)); // kept, not recomputed
    }
    EXPECT_TRUE(std::isnan(calc::studentT975(0)));
    EXPECT_TRUE(std::isnan(calc::studentT975(-3)));
}

TEST(Statistics, NoLine) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        Values x;
        Values y;
    };
    const Case cases[] = {
        {"no point", {}, {}},
        {"one point", {1}, {0.5}},
        {"more x than y", {1, 2, 3}, {0.1, 0.2}},
        {"more y than x", {1, 2}, {0.1, 0.2, 0.3}},
        {"all x equal", {2, 2, 2}, {0.1, 0.2, 0.3}},
        {"all x 0.1: the mean is not exactly 0.1", {0.1, 0.1, 0.1}, {0.1, 0.2, 0.3}},
        {"all y equal", {1, 2, 3}, {0.4, 0.4, 0.4}},
        {"zero slope with y not all equal", {-1, 0, 1}, {1, 0, 1}},
        {"NaN in x", {1, nan, 3}, {0.1, 0.2, 0.3}},
        {"infinity in y", {1, 2, 3}, {0.1, inf, 0.3}},
        {"Sxx overflows", {-1e308, 1e308, 0}, {0.1, 0.2, 0.3}},
        {"slope overflows", {0, 1e-300}, {0, 1e300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(calc::lineStatistics(c.x, c.y));
    }
}

TEST(Statistics, SmallAndExactLines) {
    struct Case {
        const char* name;
        Values x;
        Values y;
        double a, b, r;
        std::optional<double> sYX; // nullopt: n = 2, nothing that needs n - 2 degrees of freedom
    };
    const Case cases[] = {
        {"two points", {1, 3}, {3, 7}, 1, 2, 1, std::nullopt},
        {"two points, negative slope", {1, 3}, {7, 3}, 9, -2, -1, std::nullopt},
        {"perfect line: s(y/x), LOD and LOQ are 0", {0, 1, 2, 3, 4}, {1, 3, 5, 7, 9}, 1, 2, 1, 0.0},
        {"perfect falling line", {0, 1, 2, 3}, {6, 4, 2, 0}, 6, -2, -1, 0.0},
        // Residuals +-0.0625 orthogonal to 1 and x: b = 1 and a = 0 exactly.
        {"residuals 1/16",
         {0, 1, 2, 3},
         {0.0625, 0.9375, 1.9375, 3.0625},
         0,
         1,
         0.99844115,
         0.088388347648318},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto line = calc::lineStatistics(c.x, c.y);
        ASSERT_TRUE(line);
        EXPECT_EQ(line->a, c.a);
        EXPECT_EQ(line->b, c.b);
        EXPECT_NEAR(line->r, c.r, 1e-8);
        EXPECT_NEAR(line->r2, c.r * c.r, 2e-8);
        EXPECT_EQ(line->t95.has_value(), c.sYX.has_value());
        for (const auto& value :
             {line->sA, line->sB, line->ci95A, line->ci95B, line->lod, line->loq}) {
            EXPECT_EQ(value.has_value(), c.sYX.has_value());
        }
        if (c.sYX) {
            ASSERT_TRUE(line->sYX);
            EXPECT_NEAR(*line->sYX, *c.sYX, 1e-14);
            EXPECT_NEAR(*line->lod, 3.3 * *c.sYX / std::fabs(c.b), 1e-14);
            EXPECT_NEAR(*line->loq, 10 * *c.sYX / std::fabs(c.b), 1e-14);
        }
    }
}

// A falling line (absorbance that drops with concentration) has the same limits as the rising
// one of the same spread: they divide by |b|.
TEST(Statistics, NegativeSlopeMirrorsThePositiveOne) {
    Values falling = fluorescenceY;
    for (double& y : falling) {
        y = -y;
    }
    const auto up = calc::lineStatistics(fluorescenceX, fluorescenceY);
    const auto down = calc::lineStatistics(fluorescenceX, falling);
    ASSERT_TRUE(up && down);
    EXPECT_DOUBLE_EQ(down->b, -up->b);
    EXPECT_DOUBLE_EQ(down->r, -up->r);
    EXPECT_DOUBLE_EQ(*down->lod, *up->lod);
    EXPECT_DOUBLE_EQ(*down->loq, *up->loq);
    EXPECT_DOUBLE_EQ(down->yMin, -24.7);
    EXPECT_DOUBLE_EQ(down->yMax, -2.1);

    const double reading = -2.9;
    const auto sample = calc::estimateSample(*down, {&reading, 1}, 1.0);
    EXPECT_NEAR(sample.x0, 0.716, 5e-4);
    EXPECT_NEAR(*sample.sX0, 0.265, 5e-4);
    EXPECT_TRUE(sample.flags.belowLod);
    EXPECT_FALSE(sample.flags.outOfRange);
}

// The line with residuals +-1/16: b = 1 and a = 0 exactly, so x0 is the reading itself and a
// reading can sit exactly on the LOD, the LOQ or a range bound.
TEST(SampleFlags, Boundaries) {
    const Values x = {0, 1, 2, 3};
    const Values y = {0.0625, 0.9375, 1.9375, 3.0625};
    const auto line = calc::lineStatistics(x, y);
    ASSERT_TRUE(line && line->lod && line->loq);
    const double lod = *line->lod; // 0.29
    const double loq = *line->loq; // 0.88
    const auto below = [](double v) { return std::nextafter(v, -1e300); };
    const auto above = [](double v) { return std::nextafter(v, 1e300); };

    struct Case {
        const char* name;
        double reading;
        double dilution;
        calc::SampleFlags flags;
    };
    const Case cases[] = {
        {"on the LOD: not below it", lod, 1, {false, false, true}},
        {"just below the LOD: below both", below(lod), 1, {false, true, true}},
        {"on the LOQ: no flag", loq, 1, {false, false, false}},
        {"just below the LOQ", below(loq), 1, {false, false, true}},
        {"below the LOD, diluted 100 times: flags before the dilution",
         below(lod),
         100,
         {false, true, true}},
        {"above the LOQ only after the dilution: still below it",
         below(loq),
         100,
         {false, false, true}},
        {"on the lowest absorbance: inside", 0.0625, 1, {false, true, true}},
        {"just below the lowest absorbance", below(0.0625), 1, {true, true, true}},
        {"on the highest absorbance: inside", 3.0625, 1, {false, false, false}},
        {"just above the highest absorbance", above(3.0625), 1, {true, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const calc::SampleEstimate e = calc::estimateSample(*line, {&c.reading, 1}, c.dilution);
        EXPECT_EQ(e.x0, c.reading * c.dilution);
        EXPECT_EQ(e.flags.outOfRange, c.flags.outOfRange);
        EXPECT_EQ(e.flags.belowLod, c.flags.belowLod);
        EXPECT_EQ(e.flags.belowLoq, c.flags.belowLoq);
    }
}

TEST(SampleFlags, PerfectLineAndTwoPoints) {
    struct Case {
        const char* name;
        Values x;
        Values y;
        double reading;
        calc::SampleFlags flags;
    };
    const Case cases[] = {
        {"perfect line, x0 = 0 = LOD: not below", {0, 1, 2}, {0, 2, 4}, 0.0, {false, false, false}},
        {"perfect line, x0 < 0", {0, 1, 2}, {0, 2, 4}, -1e-300, {true, true, true}},
        {"two points: only the range flag", {1, 2}, {2, 4}, 0.5, {true, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto line = calc::lineStatistics(c.x, c.y);
        ASSERT_TRUE(line);
        const calc::SampleEstimate e = calc::estimateSample(*line, {&c.reading, 1}, 1);
        EXPECT_EQ(e.flags.outOfRange, c.flags.outOfRange);
        EXPECT_EQ(e.flags.belowLod, c.flags.belowLod);
        EXPECT_EQ(e.flags.belowLoq, c.flags.belowLoq);
        EXPECT_EQ(e.sX0.has_value(), line->n > 2);
        EXPECT_EQ(e.ci95X0.has_value(), line->n > 2);
    }
}

// Replicates narrow s(x0) through 1/m; the dilution scales x0 and both uncertainties.
TEST(SampleEstimate, ReplicatesAndDilution) {
    const auto line = calc::lineStatistics(fluorescenceX, fluorescenceY);
    ASSERT_TRUE(line);
    const double single = 2.9;
    const Values three = {2.7, 2.9, 3.1};
    const auto one = calc::estimateSample(*line, {&single, 1}, 1);
    const auto mean = calc::estimateSample(*line, three, 1);
    const auto diluted = calc::estimateSample(*line, three, 25);
    EXPECT_EQ(mean.m, 3);
    EXPECT_DOUBLE_EQ(mean.meanA, 2.9);
    EXPECT_DOUBLE_EQ(mean.x0, one.x0);
    // s(x0) = s(y/x)/|b| * sqrt(1/m + 1/7 + (2.9 - 13.1)^2 / (b^2 * 112)):
    // 0.224232 * sqrt(1/3 + 1/7 + 0.249291) = 0.190990 against 0.264570 for one reading.
    EXPECT_NEAR(*mean.sX0, 0.190990, 5e-6);
    EXPECT_NEAR(*one.sX0, 0.264570, 5e-6);
    EXPECT_DOUBLE_EQ(diluted.x0, 25 * mean.x0);
    EXPECT_DOUBLE_EQ(*diluted.sX0, 25 * *mean.sX0);
    EXPECT_NEAR(*diluted.ci95X0, 2.570582 * 25 * 0.190990, 1e-4);
    EXPECT_TRUE(diluted.flags.belowLod); // 0.716 before the dilution, 17.9 after it
}

TEST(SampleEstimate, UnusableInput) {
    const auto line = calc::lineStatistics(fluorescenceX, fluorescenceY);
    ASSERT_TRUE(line);
    const double reading = 5.0;
    struct Case {
        const char* name;
        std::span<const double> readings;
        double dilution;
    };
    const Case cases[] = {
        {"no reading", {}, 1},
        {"dilution 0", {&reading, 1}, 0},
        {"negative dilution", {&reading, 1}, -2},
        {"dilution NaN", {&reading, 1}, std::numeric_limits<double>::quiet_NaN()},
        {"infinite dilution", {&reading, 1}, std::numeric_limits<double>::infinity()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto e = calc::estimateSample(*line, c.readings, c.dilution);
        EXPECT_TRUE(std::isnan(e.x0));
        EXPECT_FALSE(e.sX0 || e.ci95X0);
        EXPECT_FALSE(e.flags.outOfRange || e.flags.belowLod || e.flags.belowLoq);
    }
}

TEST(PointChecks, EmptyCells) {
    // Residuals +-1/8 about A = 1 - C: A_fit is 0 at C = 1, and C is 0 in the first row.
    const Values x = {0, 1, 2};
    const Values y = {1.125, -0.25, -0.875};
    const auto line = calc::lineStatistics(x, y);
    ASSERT_TRUE(line);
    ASSERT_EQ(line->a, 1);
    ASSERT_EQ(line->b, -1);
    struct Row {
        double aFit, residual;
        std::optional<double> deviationPct, cBack, recoveryPct;
    };
    const Row rows[] = {
        {1, 0.125, 12.5, -0.125, std::nullopt},
        {0, -0.25, std::nullopt, 1.25, 125},
        {-1, 0.125, -12.5, 1.875, 93.75},
    };
    const auto checks = calc::pointChecks(x, y, *line);
    ASSERT_EQ(checks.size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(checks[i].c, x[i]);
        EXPECT_EQ(checks[i].a, y[i]);
        EXPECT_EQ(checks[i].aFit, rows[i].aFit);
        EXPECT_EQ(checks[i].residual, rows[i].residual);
        EXPECT_EQ(checks[i].deviationPct, rows[i].deviationPct);
        EXPECT_EQ(checks[i].cBack, rows[i].cBack);
        EXPECT_EQ(checks[i].recoveryPct, rows[i].recoveryPct);
    }
}

} // namespace
