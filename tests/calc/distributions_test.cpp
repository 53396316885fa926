// Quantiles and tails of t and F against printed tables and the closed forms of small degrees of
// freedom.

#include "calc/distributions.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <quadmath.h>
#include <thread>
#include <vector>

namespace {

TEST(Distributions, PrintedTables) {
    struct Case {
        const char* name;
        double value, table, half; // half a unit of the table's last digit
    };
    const Case cases[] = {
        {"t(0.975; 4)", calc::studentQuantile(0.975, 4), 2.776, 5e-4},
        {"t(0.99; 6)", calc::studentQuantile(0.99, 6), 3.143, 5e-4},
        {"t(0.99; 8)", calc::studentQuantile(0.99, 8), 2.896, 5e-4},
        {"t(0.995; 8)", calc::studentQuantile(0.995, 8), 3.355, 5e-4},
        {"t(0.95; 120)", calc::studentQuantile(0.95, 120), 1.658, 5e-4},
        {"t(0.975; 120)", calc::studentQuantile(0.975, 120), 1.980, 5e-4},
        {"t(0.975; 100000)", calc::studentQuantile(0.975, 100000), 1.960, 5e-4},
        {"t(0.025; 4), the lower tail", calc::studentQuantile(0.025, 4), -2.776, 5e-4},
        {"F(0.99; 1, 6)", calc::fisherQuantile(0.99, 1, 6), 13.75, 5e-3},
        {"F(0.99; 1, 7)", calc::fisherQuantile(0.99, 1, 7), 12.25, 5e-3},
        {"F(0.95; 4, 24)", calc::fisherQuantile(0.95, 4, 24), 2.78, 5e-3},
        {"F(0.5; 2, 5)", calc::fisherQuantile(0.5, 2, 5), 0.7988, 5e-5},
        {"P(F(1, 6) > 13.745)", calc::fisherUpperTail(13.745, 1, 6), 0.01, 5e-6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.value, c.table, c.half);
    }
}

// t with 1 and 2 degrees of freedom, and F with 2 and d2, have quantiles and tails in closed form,
// evaluated in quadruple precision (in double, tan near pi/2 alone loses six digits).
TEST(Distributions, ClosedForms) {
    using Quad = __float128;
    const Quad pi = acosq(-1);
    const auto near = [](double actual, Quad expected, double relative) {
        return fabsq(actual - expected) <= relative * fabsq(expected) + 1e-300;
    };
    for (const double p : {1e-6, 0.01, 0.3, 0.5, 0.9, 0.975, 0.99, 0.999999}) {
        SCOPED_TRACE(p);
        const Quad q = p;
        EXPECT_TRUE(
            near(calc::studentQuantile(p, 1), tanq(pi * (q - static_cast<Quad>(1) / 2)), 1e-14));
        EXPECT_TRUE(near(calc::studentQuantile(p, 2), (2 * q - 1) / sqrtq(2 * q * (1 - q)), 1e-14));
        // P(F(2, 5) > f) = (1 + 2f/5)^-2.5, so f = 2.5 ((1 - p)^-0.4 - 1).
        EXPECT_TRUE(near(calc::fisherQuantile(p, 2, 5),
                         static_cast<Quad>(5) / 2 * expm1q(-static_cast<Quad>(2) / 5 * log1pq(-q)),
                         1e-14));
    }
    for (const double f : {1e-9, 0.5, 1.0, 3.0, 40.0, 1e6}) {
        SCOPED_TRACE(f);
        const Quad x = f;
        EXPECT_TRUE(near(calc::fisherUpperTail(f, 2, 4), 1 / ((1 + x / 2) * (1 + x / 2)), 1e-14));
        EXPECT_TRUE(near(calc::fisherUpperTail(f, 2, 2), 1 / (1 + x), 1e-14));
    }
}

TEST(Distributions, EdgeCases) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        double value, expected; // NaN: NaN
    };
    const Case cases[] = {
        {"t dof 0", calc::studentQuantile(0.975, 0), nan},
        {"t dof -1", calc::studentQuantile(0.975, -1), nan},
        {"t p 0", calc::studentQuantile(0, 5), nan},
        {"t p -0", calc::studentQuantile(-0.0, 5), nan},
        {"t p 1", calc::studentQuantile(1, 5), nan},
        {"t p NaN", calc::studentQuantile(nan, 5), nan},
        {"t p a subnormal", calc::studentQuantile(1e-320, 1), -inf},
        {"F d1 0", calc::fisherQuantile(0.5, 0, 5), nan},
        {"F d2 0", calc::fisherQuantile(0.5, 5, 0), nan},
        {"F p infinite", calc::fisherQuantile(inf, 1, 5), nan},
        {"tail f NaN", calc::fisherUpperTail(nan, 1, 5), nan},
        {"tail d1 0", calc::fisherUpperTail(2, 0, 5), nan},
        {"tail d2 -3", calc::fisherUpperTail(2, 1, -3), nan},
        {"tail f 0", calc::fisherUpperTail(0, 1, 5), 1},
        {"tail f -0", calc::fisherUpperTail(-0.0, 1, 5), 1},
        {"tail f -infinity", calc::fisherUpperTail(-inf, 1, 5), 1},
        {"tail f infinity", calc::fisherUpperTail(inf, 1, 5), 0},
        {"tail f the largest double", calc::fisherUpperTail(1.7976931348623157e308, 1, 5), 0},
        {"F(d, d) median", calc::fisherQuantile(0.5, 7, 7), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(std::isnan(c.expected) ? std::isnan(c.value) : c.value == c.expected);
    }
    EXPECT_NEAR(calc::studentQuantile(0.975, std::numeric_limits<int>::max()), 1.959964, 1e-6);
}

// Threads asking at once for more values than the cache keeps: every answer is still right.
TEST(Distributions, SharedBetweenThreads) {
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &wrong] {
            for (int i = 0; i < 3000; ++i) {
                const double f = 0.001 * (i % 1500 + 1) + t; // half the values asked twice
                const double tail = calc::fisherUpperTail(f, 2, 2);
                wrong[t] += std::fabs(tail - 1 / (1 + f)) > 1e-13 / (1 + f);
                wrong[t] += calc::studentQuantile(0.5, 1 + i % 50) != 0.0;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

// t of a real number of degrees of freedom against the defining integral: with t = sqrt(nu) tan
// theta, P(0 <= T <= t) = Gamma((nu + 1)/2) / (sqrt(pi) Gamma(nu/2)) * Int_0^theta cos^(nu-1),
// by Simpson's rule in quadruple precision.
TEST(Distributions, FractionalDegreesOfFreedom) {
    using Quad = __float128;
    const auto centralMass = [](double t, double nu) {
        const Quad n = nu;
        const Quad theta = atanq(t / sqrtq(n));
        const int steps = 4000;
        const Quad h = theta / steps;
        Quad sum = 1 + powq(cosq(theta), n - 1);
        for (int i = 1; i < steps; ++i) {
            sum += (i % 2 == 1 ? 4 : 2) * powq(cosq(i * h), n - 1);
        }
        const Quad c = expq(lgammaq((n + 1) / 2) - lgammaq(n / 2)) / sqrtq(acosq(-1));
        return static_cast<double>(c * sum * h / 3);
    };
    for (const double nu : {1.5, 2.5, 8.5, 49.25603853979861, 1000.5, 1e6 + 0.5}) {
        SCOPED_TRACE(nu);
        const double t = calc::studentQuantileFractional(0.975, nu);
        EXPECT_NEAR(centralMass(t, nu), 0.475, 1e-11);
        EXPECT_LT(t, calc::studentQuantile(0.975, static_cast<int>(nu)));
        EXPECT_GT(t, calc::studentQuantile(0.975, static_cast<int>(nu) + 1));
    }
    EXPECT_EQ(calc::studentQuantileFractional(0.975, 8.0), calc::studentQuantile(0.975, 8));
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_NEAR(calc::studentQuantileFractional(0.975, inf), 1.959963984540054, 1e-15);
    for (const double nu : {0.0, -0.0, -1.5, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_TRUE(std::isnan(calc::studentQuantileFractional(0.975, nu))) << nu;
    }
    EXPECT_TRUE(std::isnan(calc::studentQuantileFractional(1.0, 2.5)));
}

} // namespace
