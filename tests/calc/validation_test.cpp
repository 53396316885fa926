// The validation figures against published worked examples and an independent computation in
// quadruple precision: the fits from raw sums and Gaussian elimination, the studentized residuals
// and Cook's distances by refitting without each standard, the roots of DIN 32645 by bisection of
// the unsquared equation.

#include "calc/distributions.h"
#include "calc/validation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <quadmath.h>
#include <random>
#include <string>
#include <vector>

namespace {

using Quad = __float128;
using Values = std::vector<double>;

struct Line {
    int n;
    Quad meanX, sxx, a, b, ssr;
};

// Least squares from raw sums: Sxx = Sum x^2 - (Sum x)^2 / n, in 113 bits.
Line fitLine(const Values& x, const Values& y) {
    Line line{};
    line.n = static_cast<int>(x.size());
    Quad sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx += x[i];
        sy += y[i];
        sxx += static_cast<Quad>(x[i]) * x[i];
        sxy += static_cast<Quad>(x[i]) * y[i];
    }
    line.meanX = sx / line.n;
    line.sxx = sxx - sx * sx / line.n;
    line.b = (sxy - sx * sy / line.n) / line.sxx;
    line.a = (sy - line.b * sx) / line.n;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const Quad e = y[i] - line.a - line.b * x[i];
        line.ssr += e * e;
    }
    return line;
}

// The residual sum of squares of y = c0 + c1 x + c2 x^2 by Frisch-Waugh: the line's residuals e
// less their projection on z, the part of x^2 that the line in x does not explain.
Quad quadraticSsr(const Values& x, const Values& y) {
    Values x2;
    for (const double v : x) {
        x2.push_back(v * v); // rounded: moves the sums by far less than the digits checked
    }
    const Line line = fitLine(x, y), square = fitLine(x, x2);
    Quad ez = 0, zz = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const Quad z = x2[i] - square.a - square.b * x[i];
        ez += (y[i] - line.a - line.b * x[i]) * z;
        zz += z * z;
    }
    return line.ssr - ez * ez / zz;
}

std::string text(Quad value) {
    char buffer[64];
    quadmath_snprintf(buffer, sizeof buffer, "%.25Qg", value);
    return buffer;
}

::testing::AssertionResult agrees(const char* what, double actual, Quad expected,
                                  double tolerance = 1e-9) {
    if (fabsq(static_cast<Quad>(actual) - expected) <= tolerance * fabsq(expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << what << ": " << text(actual) << " against " << text(expected);
}

// DIN 32645's example: x = 0.05 ... 0.50, ten standards.
const Values dinX = {0.05, 0.10, 0.15, 0.20, 0.25, 0.30, 0.35, 0.40, 0.45, 0.50};
const Values dinY = {3060, 3522, 3707, 4280, 5058, 5510, 5703, 6205, 7156, 7178};

std::optional<calc::Din32645> din(const Values& x, const Values& y, double alpha, double k, int m) {
    const Line line = fitLine(x, y);
    const auto sYX = static_cast<double>(sqrtq(line.ssr / (line.n - 2)));
    return calc::din32645(line.n, static_cast<double>(line.meanX), static_cast<double>(line.sxx),
                          sYX, static_cast<double>(line.a), static_cast<double>(line.b), alpha, k,
                          m);
}

TEST(Din32645, PublishedExample) {
    const auto limits = din(dinX, dinY, 0.01, 3, 1);
    ASSERT_TRUE(limits);
    EXPECT_NEAR(limits->xC, 0.0698, 5e-5);
    EXPECT_NEAR(limits->yC, 3155.39, 5e-3);
    EXPECT_NEAR(limits->xD, 0.14, 5e-3);
    EXPECT_EQ(limits->xD, 2 * limits->xC);
    ASSERT_TRUE(limits->xDExact && limits->xQ);
    EXPECT_NEAR(*limits->xDExact, 0.1329, 5e-5);
    EXPECT_NEAR(*limits->xQ, 0.212, 5e-4);
}

TEST(Din32645, NoLimits) {
    struct Case {
        const char* name;
        int n;
        double sYX, b, alpha;
    };
    const Case cases[] = {
        {"two standards", 2, 0.1, 1, 0.05}, {"s(y/x) = 0", 5, 0, 1, 0.05},
        {"s(y/x) NaN", 5, NAN, 1, 0.05},    {"-0 slope", 5, 0.1, -0.0, 0.05},
        {"alpha 1", 5, 0.1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(calc::din32645(c.n, 3, 10, c.sYX, 0.1, c.b, c.alpha, 3, 1));
    }
    // The slope not significant (|b| < t s(b)): the band widens faster than the line rises.
    const auto flat = calc::din32645(5, 3, 10, 1, 0.1, 0.1, 0.05, 3, 1);
    ASSERT_TRUE(flat);
    EXPECT_GT(flat->xC, 0);
    EXPECT_FALSE(flat->xDExact);
    EXPECT_FALSE(flat->xQ);
}

// The least root x > x0 of x = x0 + c sqrt(q + (x - meanX)^2 / sxx): the right side is convex, so
// f = x - right side is concave with f(x0) < 0. Its maximum is found by bisection on the sign of
// f', then the root by bisection on f.
std::optional<Quad> referenceRoot(Quad x0, Quad c, Quad q, Quad meanX, Quad sxx) {
    const auto band = [&](Quad x) { return sqrtq(q + (x - meanX) * (x - meanX) / sxx); };
    const auto f = [&](Quad x) { return x - x0 - c * band(x); };
    const auto rising = [&](Quad x) { return c * (x - meanX) < sxx * band(x); };
    const auto bisect = [](Quad low, Quad high, const auto& below) {
        for (int i = 0; i < 250; ++i) {
            const Quad mid = (low + high) / 2;
            (below(mid) ? low : high) = mid;
        }
        return (low + high) / 2;
    };
    Quad step = 1 + fabsq(x0) + fabsq(meanX);
    while (f(x0 + step) < 0 && rising(x0 + step)) {
        if (step > 1e40) {
            return std::nullopt;
        }
        step *= 2;
    }
    Quad high = x0 + step;
    if (f(high) < 0) {
        high = bisect(x0, high, rising);
        if (f(high) < 0) {
            return std::nullopt;
        }
    }
    return bisect(x0, high, [&](Quad x) { return f(x) < 0; });
}

// Random lines of 3 to 10 standards, from nearly exact to scattered enough that the roots do not
// exist. The quantiles are the code's own (checked against tables in distributions_test.cpp).
TEST(Din32645, AgreesWithBisection) {
    std::mt19937_64 random(32645);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int withoutRoot = 0;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        const int n = 3 + static_cast<int>(unit(random) * 8);
        const double slope = (unit(random) < 0.3 ? -1 : 1) * std::pow(10.0, 4 * unit(random) - 2);
        const double noise = std::pow(10.0, -3 * unit(random)) * std::fabs(slope);
        const double offset = unit(random) < 0.8 ? 0.0 : 5 * unit(random);
        Values x(n), y(n);
        for (int i = 0; i < n; ++i) {
            x[i] = offset + (i + unit(random)) / n;
            y[i] = 0.1 + slope * x[i] + noise * (2 * unit(random) - 1);
        }
        const double alpha = unit(random) < 0.5 ? 0.05 : 0.01;
        const double k = 2 + unit(random) * 2;
        const int m = 1 + static_cast<int>(unit(random) * 3);
        const auto limits = din(x, y, alpha, k, m);
        ASSERT_TRUE(limits);

        const Line line = fitLine(x, y);
        const Quad sm = sqrtq(line.ssr / (n - 2)) / fabsq(line.b);
        const Quad q = static_cast<Quad>(1) / m + static_cast<Quad>(1) / n;
        const Quad t1 = calc::studentQuantile(1 - alpha, n - 2);
        const Quad t2 = calc::studentQuantile(1 - alpha / 2, n - 2);
        const Quad xC = sm * t1 * sqrtq(q + line.meanX * line.meanX / line.sxx);
        EXPECT_TRUE(agrees("x_c", limits->xC, xC));
        EXPECT_TRUE(agrees("y_c", limits->yC, line.a + line.b * xC));
        const auto xD = referenceRoot(xC, sm * t1, q, line.meanX, line.sxx);
        const auto xQ = referenceRoot(0, k * sm * t2, q, line.meanX, line.sxx);
        ASSERT_EQ(limits->xDExact.has_value(), xD.has_value());
        ASSERT_EQ(limits->xQ.has_value(), xQ.has_value());
        if (xD) {
            EXPECT_TRUE(agrees("x_d", *limits->xDExact, *xD));
        }
        if (xQ) {
            EXPECT_TRUE(agrees("x_q", *limits->xQ, *xQ));
        }
        withoutRoot += !xD + !xQ;
    }
    EXPECT_GT(withoutRoot, 0); // both kinds of case were met
    EXPECT_LT(withoutRoot, 400);
}

TEST(Mandel, PublishedExample) {
    const Quad ssLine = fitLine(dinX, dinY).ssr;
    const Quad ssQuadratic = quadraticSsr(dinX, dinY);
    const auto test =
        calc::mandelTest(10, static_cast<double>(ssLine / 8), static_cast<double>(ssQuadratic / 7));
    ASSERT_TRUE(test);
    EXPECT_NEAR(test->pw, 0.077, 5e-4);
    EXPECT_TRUE(agrees("DS^2", test->ds2, ssLine - ssQuadratic, 1e-12));
    EXPECT_NEAR(test->fCritical, 12.25, 5e-3);
    EXPECT_TRUE(test->linear);

    // Curved: y = x^2 with a little scatter.
    const Values x = {1, 2, 3, 4, 5, 6}, y = {1.1, 3.9, 9.1, 15.9, 25.1, 35.9};
    const auto curved = calc::mandelTest(6, static_cast<double>(fitLine(x, y).ssr / 4),
                                         static_cast<double>(quadraticSsr(x, y) / 3));
    EXPECT_TRUE(curved && curved->pw > curved->fCritical && !curved->linear);

    EXPECT_FALSE(calc::mandelTest(3, 1, 1));
    EXPECT_FALSE(calc::mandelTest(6, 1, 0));
    EXPECT_FALSE(calc::mandelTest(6, 1, -0.0));
    const auto equal = calc::mandelTest(4, 1, 2); // DS^2 = 2 - 2 = 0 exactly
    ASSERT_TRUE(equal);
    EXPECT_EQ(equal->ds2, 0);
    EXPECT_TRUE(equal->linear);
}

TEST(LackOfFit, PublishedExample) {
    const double readings[6][5] = {{4, 3, 4, 5, 4},      {22, 20, 21, 22, 21},
                                   {44, 46, 45, 44, 44}, {60, 63, 60, 63, 63},
                                   {75, 81, 79, 78, 77}, {104, 109, 107, 101, 105}};
    Values x, y;
    std::vector<int> group;
    for (int level = 0; level < 6; ++level) {
        for (const double reading : readings[level]) {
            x.push_back(10.0 * level);
            y.push_back(reading);
            group.push_back(level);
        }
    }
    const Quad ssr = fitLine(x, y).ssr;
    const auto test = calc::lackOfFit(y, group, static_cast<double>(ssr));
    ASSERT_TRUE(test);
    EXPECT_NEAR(test->f, 14.20, 5e-3);
    EXPECT_EQ(test->df1, 4);
    EXPECT_EQ(test->df2, 24);
    EXPECT_TRUE(agrees("SS_pe", test->ssPureError, static_cast<Quad>(756) / 10, 1e-15));
    EXPECT_TRUE(agrees("SS_lof", test->ssLackOfFit, ssr - static_cast<Quad>(756) / 10, 1e-14));
    // P(F > f) for F(4, 24): with w = 24 / (24 + 4 f), w^12 (1 + 12 (1 - w)).
    const Quad w = 24 / (24 + 4 * static_cast<Quad>(test->f));
    EXPECT_TRUE(agrees("p", test->p, powq(w, 12) * (1 + 12 * (1 - w)), 1e-12));
    EXPECT_TRUE(test->significant);
}

TEST(LackOfFit, EdgeCases) {
    struct Case {
        const char* name;
        Values y;
        std::vector<int> group;
        double ssResidual;
        std::optional<double> f; // nullopt: no test
    };
    const std::vector<int> pairs = {0, 0, 1, 1, 2, 2};
    const Case cases[] = {
        {"equal replicates off the line: F infinite", {0, 0, 1, 1, 3, 3}, pairs, 1.0 / 3, HUGE_VAL},
        {"equal replicates on the line: 0/0", {0, 0, 1, 1, 2, 2}, pairs, 0, {}},
        {"line within the pure error", {0, 1, 1, 2, 2, 3}, pairs, 1.5, 0},
        {"a unit below the pure error", {0, 1, 1, 2, 2, 3}, pairs, std::nextafter(1.5, 0.0), 0},
        {"no replicate", {1, 2, 3, 4}, {0, 1, 2, 3}, 0.1, {}},
        {"two levels", {1, 1.1, 2, 2.1}, {0, 0, 1, 1}, 0.1, {}},
        {"a level without standard", {1, 1.1, 2, 4}, {0, 0, 1, 3}, 0.1, {}},
        {"negative level", {1, 1.1, 2, 3}, {0, 0, -1, 2}, 0.1, {}},
        {"more levels than y", {1, 1.1, 2}, {0, 0, 1, 2}, 0.1, {}},
        {"negative residual sum", {1, 1.1, 2, 3}, {0, 0, 1, 2}, -0.1, {}},
        {"NaN reading", {1, NAN, 2, 3}, {0, 0, 1, 2}, 0.1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto test = calc::lackOfFit(c.y, c.group, c.ssResidual);
        ASSERT_EQ(test.has_value(), c.f.has_value());
        if (test) {
            EXPECT_EQ(test->f, *c.f);
            EXPECT_EQ(test->p, std::isinf(*c.f) ? 0.0 : 1.0);
            EXPECT_EQ(test->significant, std::isinf(*c.f));
        }
    }
}

// Each standard by refitting without it: the externally studentized residual is the deleted
// residual over its standard error, Cook's distance the squared shift of all fitted values over
// 2 s^2, the leverage from the raw sums.
struct PointReference {
    Quad leverage, studentized, cooks, residual;
};
std::vector<PointReference> referenceDiagnostics(const Values& x, const Values& y) {
    const Line full = fitLine(x, y);
    const Quad s2 = full.ssr / (full.n - 2);
    Quad sx = 0, sxx = 0;
    for (const double v : x) {
        sx += v;
        sxx += static_cast<Quad>(v) * v;
    }
    std::vector<PointReference> points;
    for (std::size_t i = 0; i < x.size(); ++i) {
        Values xi = x, yi = y;
        xi.erase(xi.begin() + static_cast<long>(i));
        yi.erase(yi.begin() + static_cast<long>(i));
        const Line line = fitLine(xi, yi);
        const Quad deleted = y[i] - line.a - line.b * x[i];
        const Quad s = sqrtq(line.ssr / (line.n - 2));
        const Quad dx = x[i] - line.meanX;
        const Quad se = s * sqrtq(1 + static_cast<Quad>(1) / line.n + dx * dx / line.sxx);
        Quad shift = 0;
        for (const double v : x) {
            const Quad d = (full.a + full.b * v) - (line.a + line.b * v);
            shift += d * d;
        }
        const int n = full.n;
        points.push_back(
            {(sxx - 2 * x[i] * sx + n * static_cast<Quad>(x[i]) * x[i]) / (n * sxx - sx * sx),
             deleted / se, shift / (2 * s2), y[i] - full.a - full.b * x[i]});
    }
    return points;
}

std::optional<calc::Diagnostics> diagnose(const Values& x, const Values& y) {
    const Line line = fitLine(x, y);
    return calc::lineDiagnostics(x, y, static_cast<double>(line.a), static_cast<double>(line.b));
}

TEST(Diagnostics, OutlierAndInfluence) {
    // y = 0.1 x with scatter of a few thousandths, the last standard 0.05 too high.
    const Values x = {1, 2, 3, 4, 5, 6, 7, 8};
    const Values y = {0.101, 0.198, 0.3015, 0.399, 0.502, 0.5985, 0.701, 0.85};
    const auto result = diagnose(x, y);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->tCritical, calc::studentQuantile(1 - 0.05 / 16, 5));
    // The median of F(2, 6): (1 + f/3)^-3 = 1/2.
    EXPECT_TRUE(agrees("F(0.5; 2, 6)", result->cooksCritical, 3 * (cbrtq(2) - 1), 1e-13));
    const auto reference = referenceDiagnostics(x, y);
    for (std::size_t i = 0; i < x.size(); ++i) {
        SCOPED_TRACE(i);
        const calc::PointDiagnostic& point = result->points[i];
        ASSERT_TRUE(point.studentized && point.cooks);
        EXPECT_TRUE(agrees("h", point.leverage, reference[i].leverage, 1e-13));
        EXPECT_TRUE(agrees("t", *point.studentized, reference[i].studentized, 1e-11));
        EXPECT_TRUE(agrees("D", *point.cooks, reference[i].cooks, 1e-11));
        EXPECT_EQ(point.outlier, i == 7);
        EXPECT_EQ(point.influential, i == 7);
    }
}

TEST(Diagnostics, UndefinedFigures) {
    struct Case {
        const char* name;
        Values x, y;
        std::string exist; // per standard: 'b' both figures, 'd' Cook's distance only, '-' neither
    };
    const Case cases[] = {
        {"perfect line", {1, 2, 3, 4, 5}, {3, 5, 7, 9, 11}, "-----"},
        {"perfect line in decimals, not in binary",
         {0.1, 0.2, 0.3, 0.4, 0.5},
         {0.08, 0.11, 0.14, 0.17, 0.2},
         "-----"},
        {"the others on a line: s_(i) = 0", {1, 2, 3, 4, 5}, {1, 2, 3, 4, 6}, "bbbbd"},
        {"the others on a line in decimals",
         {0.1, 0.2, 0.3, 0.4, 0.5},
         {0.08, 0.11, 0.14, 0.17, 0.3},
         "bbbbd"},
        {"a standard alone has leverage 1", {0, 0, 0, 10}, {0.1, 0.12, 0.11, 1}, "bbb-"},
        {"alone first, negative slope, h in binary not 1",
         {0.7, 0.3, 0.3, 0.3, 0.3},
         {-1, 0.4, 0.5, 0.45, 0.52},
         "-bbbb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = diagnose(c.x, c.y);
        ASSERT_TRUE(result);
        for (std::size_t i = 0; i < c.x.size(); ++i) {
            SCOPED_TRACE(i);
            const calc::PointDiagnostic& point = result->points[i];
            EXPECT_EQ(point.studentized.has_value(), c.exist[i] == 'b');
            EXPECT_EQ(point.cooks.has_value(), c.exist[i] != '-');
            EXPECT_FALSE(!point.studentized && point.outlier);
            EXPECT_FALSE(!point.cooks && point.influential);
        }
    }
    EXPECT_EQ(diagnose({0, 0, 0, 10}, {0.1, 0.12, 0.11, 1})->points[3].leverage, 1.0);
    // n = 5: t(1 - 0.005; 2) = (2p - 1) / sqrt(2p (1 - p)).
    EXPECT_NEAR(diagnose({1, 2, 3, 4, 5}, {1, 2, 3, 4, 6})->tCritical,
                0.99 / std::sqrt(1.99 * 0.005), 1e-12);

    EXPECT_FALSE(calc::lineDiagnostics(Values{1, 2, 3}, Values{1, 2, 4}, 0, 1)); // n = 3
    EXPECT_FALSE(calc::lineDiagnostics(Values{2, 2, 2, 2}, Values{1, 2, 3, 4}, 0, 1));
    EXPECT_FALSE(calc::lineDiagnostics(Values{1, 2, 3, 4}, Values{1, 2, 3}, 0, 1));
    EXPECT_FALSE(calc::lineDiagnostics(Values{1, 2, 3, 4}, Values{1, 2, 3, 5}, NAN, 1));
}

TEST(Diagnostics, AgreesWithRefitting) {
    std::mt19937_64 random(168);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const int n = 4 + static_cast<int>(unit(random) * 9);
        const double slope = (unit(random) < 0.3 ? -1 : 1) * std::pow(10.0, 4 * unit(random) - 2);
        const double offset = unit(random) < 0.7 ? 0.0 : 1e3 * unit(random);
        const double noise =
            std::pow(10.0, -1 - 4 * unit(random)) * std::fabs(slope) * (offset + n);
        Values x(n), y(n);
        for (int i = 0; i < n; ++i) {
            x[i] = offset + i + unit(random);
            y[i] = 0.2 + slope * x[i] + noise * (2 * unit(random) - 1);
        }
        y[static_cast<std::size_t>(unit(random) * n)] += 10 * noise * unit(random);
        const auto result = diagnose(x, y);
        ASSERT_TRUE(result);
        const auto reference = referenceDiagnostics(x, y);
        for (int i = 0; i < n; ++i) {
            const calc::PointDiagnostic& point = result->points[i];
            ASSERT_TRUE(point.studentized && point.cooks);
            // The residuals are taken from a and b as doubles, whose last bits alone move a
            // residual by eps times the absorbance: a residual near 0 has fewer digits.
            const double known =
                1e-9 + 1e-15 * std::fabs(y[i] / static_cast<double>(reference[i].residual));
            EXPECT_TRUE(agrees("h", point.leverage, reference[i].leverage));
            EXPECT_TRUE(agrees("t", *point.studentized, reference[i].studentized, known));
            EXPECT_TRUE(agrees("D", *point.cooks, reference[i].cooks, 2 * known));
            EXPECT_EQ(point.outlier, std::fabs(*point.studentized) > result->tCritical);
            EXPECT_EQ(point.influential, *point.cooks > result->cooksCritical);
        }
    }
}

TEST(Blanks, WorkedExamples) {
    // Blank method: blank absorbances 0.010, 0.012, 0.014, 0.012, 0.012, mean 0.012, deviations
    // -2, 0, 2, 0, 0 thousandths, s^2 = 8e-6 / 4, s = 1.41421e-3. With b = 0.5, alpha = 0.05 and
    // m = 1: t(0.95; 4) = 2.13185, x_c = 1.41421e-3 / 0.5 * 2.13185 * sqrt(1 + 1/5) = 6.6053e-3,
    // x_d = 0.013211.
    const Values blanks = {0.010, 0.012, 0.014, 0.012, 0.012};
    const auto limits = calc::blankLimits(blanks, 0.5, 0.05, 1);
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits->n, 5);
    EXPECT_NEAR(limits->s, 1.41421e-3, 5e-9);
    EXPECT_NEAR(limits->xC, 6.6053e-3, 5e-8);
    EXPECT_NEAR(limits->xD, 0.013211, 5e-7);
    EXPECT_EQ(calc::blankLimits(blanks, -0.5, 0.05, 1)->xC, limits->xC);
    EXPECT_FALSE(calc::blankLimits(Values{0.01}, 0.5, 0.05, 1));
    EXPECT_FALSE(calc::blankLimits(blanks, 0, 0.05, 1));

    // HJ 168: seven concentrations 0.010, 0.011, 0.012, 0.012, 0.012, 0.013, 0.014 mg/L, mean
    // 0.012, deviations -2, -1, 0, 0, 0, 1, 2 thousandths, s^2 = 1e-5 / 6, s = 1.29099e-3;
    // t(0.99; 6) = 3.143, MDL = 3.143 * 1.29099e-3 = 0.004057, lower limit 4 MDL = 0.01623.
    const Values seven = {0.010, 0.011, 0.012, 0.012, 0.012, 0.013, 0.014};
    const auto mdl = calc::methodDetectionLimit(seven);
    ASSERT_TRUE(mdl);
    EXPECT_EQ(mdl->n, 7);
    EXPECT_NEAR(mdl->s, 1.29099e-3, 5e-9);
    EXPECT_NEAR(mdl->t, 3.143, 5e-4);
    EXPECT_NEAR(mdl->mdl, 0.004057, 5e-7);
    EXPECT_NEAR(mdl->loq, 0.01623, 5e-6);
    EXPECT_FALSE(calc::methodDetectionLimit(Values(seven.begin(), seven.end() - 1)));
    EXPECT_FALSE(calc::methodDetectionLimit(Values{1, 2, 3, 4, 5, 6, NAN}));
}

} // namespace
