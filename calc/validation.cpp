#include "calc/validation.h"

#include "calc/distributions.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>

namespace calc {
namespace {

// Sums and differences where digits cancel are taken in quadruple precision (113-bit mantissa,
// GCC's soft float: no libquadmath needed for + - * /). The product of two doubles is exact in it.
using Quad = __float128;

constexpr long double epsilon = std::numeric_limits<double>::epsilon();

bool allFinite(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool allEqual(std::span<const double> values) {
    return std::adjacent_find(values.begin(), values.end(), std::not_equal_to<>()) == values.end();
}

Quad mean(std::span<const double> values) {
    Quad sum = 0;
    for (const double v : values) {
        sum += v;
    }
    return sum / static_cast<Quad>(values.size());
}

Quad sumSquaredDeviations(std::span<const double> values, Quad centre) {
    Quad sum = 0;
    for (const double v : values) {
        const Quad d = v - centre;
        sum += d * d;
    }
    return sum;
}

Quad magnitude(Quad value) {
    return value < 0 ? -value : value;
}

long double root(Quad value) {
    return std::sqrt(static_cast<long double>(value));
}

// The standard deviation (n - 1) of finite values, n >= 2.
double standardDeviation(std::span<const double> values) {
    const Quad ss = sumSquaredDeviations(values, mean(values));
    return static_cast<double>(root(ss / static_cast<Quad>(values.size() - 1)));
}

bool isProbability(double p) {
    return p > 0.0 && p < 1.0;
}

// The least x > x0 with x = x0 + c sqrt(q + (x - meanX)^2 / sxx), c > 0, q > 0.
// With u = x - x0 and d = x0 - meanX the squared equation is (1 - g) u^2 - 2 g d u - (c^2 q +
// g d^2) = 0, g = c^2 / sxx, whose positive roots are exactly the roots sought (u > 0 = the
// positive branch of the square root). Its discriminant / 4 is D = g d^2 + (1 - g) c^2 q.
//   g < 1: one positive root (the product of the roots is negative);
//   g >= 1: the band widens at least as fast as x: positive roots only when d < 0 and D >= 0,
//   the least of them taken.
// Each case by the form that adds terms of one sign only.
std::optional<double> leastRootAbove(long double x0, long double c, long double q,
                                     long double meanX, long double sxx) {
    const long double d = x0 - meanX;
    const long double g = c * c / sxx;
    const long double discriminant = g * d * d + (1 - g) * c * c * q;
    if (!(discriminant >= 0)) {
        return std::nullopt;
    }
    const long double w = std::sqrt(discriminant);
    long double u = 0;
    if (d >= 0) {
        if (g >= 1) {
            return std::nullopt;
        }
        u = (g * d + w) / (1 - g);
    } else {
        u = (c * c * q + g * d * d) / (w - g * d);
    }
    const auto x = static_cast<double>(x0 + u);
    if (!std::isfinite(x)) {
        return std::nullopt;
    }
    return x;
}

} // namespace

std::optional<MandelTest> mandelTest(int n, long double s2Line, long double s2Quadratic) {
    if (n < 4 || !std::isfinite(s2Line) || !std::isfinite(s2Quadratic) || s2Line < 0 ||
        !(s2Quadratic > 0)) {
        return std::nullopt;
    }
    // (n - 2) s^2 and (n - 3) s^2 are exact in quadruple precision, so is nearly their difference.
    const Quad ds2 = std::max(static_cast<Quad>(n - 2) * static_cast<Quad>(s2Line) -
                                  static_cast<Quad>(n - 3) * static_cast<Quad>(s2Quadratic),
                              static_cast<Quad>(0));
    MandelTest test;
    test.ds2 = static_cast<double>(ds2);
    test.pw = static_cast<double>(ds2 / static_cast<Quad>(s2Quadratic));
    test.fCritical = fisherQuantile(0.99, 1, n - 3);
    test.linear = test.pw <= test.fCritical;
    return test;
}

std::optional<LackOfFit> lackOfFit(std::span<const double> y, std::span<const int> group,
                                   long double ssResidual) {
    const std::size_t n = y.size();
    if (group.size() != n || n > static_cast<std::size_t>(INT_MAX) || !allFinite(y) ||
        !std::isfinite(ssResidual) || ssResidual < 0 ||
        std::any_of(group.begin(), group.end(),
                    [n](int g) { return g < 0 || static_cast<std::size_t>(g) >= n; })) {
        return std::nullopt;
    }
    const std::size_t k =
        n == 0 ? 0 : static_cast<std::size_t>(*std::max_element(group.begin(), group.end())) + 1;
    std::vector<Quad> sums(k, 0);
    std::vector<int> counts(k, 0);
    for (std::size_t i = 0; i < n; ++i) {
        sums[group[i]] += y[i];
        ++counts[group[i]];
    }
    if (k < 3 || n == k || std::count(counts.begin(), counts.end(), 0) > 0) {
        return std::nullopt;
    }
    Quad ssPe = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Quad d = y[i] - sums[group[i]] / counts[group[i]];
        ssPe += d * d;
    }
    // The line's residuals cannot sum below the pure error: a negative difference is rounding.
    const Quad ssLof = std::max(static_cast<Quad>(ssResidual) - ssPe, static_cast<Quad>(0));
    if (ssPe == 0 && ssLof == 0) {
        return std::nullopt;
    }
    LackOfFit result;
    result.ssLackOfFit = static_cast<double>(ssLof);
    result.ssPureError = static_cast<double>(ssPe);
    result.df1 = static_cast<int>(k) - 2;
    result.df2 = static_cast<int>(n - k);
    if (ssPe == 0) {
        result.f = std::numeric_limits<double>::infinity();
        result.p = 0;
    } else {
        result.f = static_cast<double>((ssLof / result.df1) / (ssPe / result.df2));
        result.p = fisherUpperTail(result.f, result.df1, result.df2);
    }
    result.significant = result.p < 0.05;
    return result;
}

std::optional<Diagnostics> lineDiagnostics(std::span<const double> x, std::span<const double> y,
                                           double a, double b) {
    const std::size_t count = x.size();
    if (count < 4 || y.size() != count || count > static_cast<std::size_t>(INT_MAX) ||
        !allFinite(x) || !allFinite(y) || !std::isfinite(a) || !std::isfinite(b) || allEqual(x)) {
        return std::nullopt;
    }
    const int n = static_cast<int>(count);
    const Quad meanX = mean(x);
    const Quad sxx = sumSquaredDeviations(x, meanX);

    // A standard alone at its concentration has leverage 1 exactly (the line passes through it);
    // found by the values, since 1 - h computed would be a rounding error away from 0.
    std::optional<std::size_t> alone;
    {
        const auto other = std::find_if(x.begin(), x.end(), [&](double v) { return v != x[0]; });
        const double first = x[0];
        const double second = *other;
        if (std::all_of(x.begin(), x.end(), [&](double v) { return v == first || v == second; })) {
            if (std::count(x.begin(), x.end(), first) == 1) {
                alone = 0;
            } else if (std::count(x.begin(), x.end(), second) == 1) {
                alone = static_cast<std::size_t>(other - x.begin());
            }
        }
    }

    // Residuals from the doubles a and b, exact but for one rounding in quadruple precision. The
    // doubles themselves stand for decimals only to half a unit each: a residual within `noise`
    // of 0 may be 0 in the decimals.
    std::vector<Quad> e(count);
    std::vector<Quad> noise(count);
    Quad ssr = 0;
    Quad ssrNoise = 0;
    bool onLine = true;
    for (std::size_t i = 0; i < count; ++i) {
        const Quad bx = static_cast<Quad>(b) * x[i];
        e[i] = y[i] - (a + bx);
        noise[i] = 8 * static_cast<Quad>(epsilon) *
                   (static_cast<Quad>(std::fabs(y[i])) + std::fabs(a) + magnitude(bx));
        onLine = onLine && magnitude(e[i]) <= noise[i];
        ssr += e[i] * e[i];
        ssrNoise += 2 * magnitude(e[i]) * noise[i] + noise[i] * noise[i];
    }
    const Quad s2 = ssr / (n - 2);

    Diagnostics result;
    result.tCritical = studentQuantile(1.0 - 0.05 / (2.0 * n), n - 3);
    result.cooksCritical = fisherQuantile(0.5, 2, n - 2);
    result.points.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        PointDiagnostic& point = result.points[i];
        const Quad dx = x[i] - meanX;
        const Quad h = alone == i ? 1 : static_cast<Quad>(1) / n + dx * dx / sxx;
        point.leverage = static_cast<double>(h);
        if (alone == i || onLine) {
            continue;
        }
        const Quad oneMinusH = 1 - h;
        const Quad e2 = e[i] * e[i];
        const auto cooks = static_cast<double>(e2 * h / (2 * s2 * oneMinusH * oneMinusH));
        if (std::isfinite(cooks)) {
            point.cooks = cooks;
            point.influential = cooks > result.cooksCritical;
        }
        // SSR without standard i; 0 when the other standards lie on a line, which the rounding
        // of e leaves as a difference within its own noise.
        const Quad ssrDeleted = ssr - e2 / oneMinusH;
        const Quad deletedNoise =
            ssrNoise + (2 * magnitude(e[i]) * noise[i] + noise[i] * noise[i]) / oneMinusH;
        if (ssrDeleted > deletedNoise) {
            const auto t = static_cast<double>(static_cast<long double>(e[i]) /
                                               (root(ssrDeleted / (n - 3)) * root(oneMinusH)));
            if (std::isfinite(t)) {
                point.studentized = t;
                point.outlier = std::fabs(t) > result.tCritical;
            }
        }
    }
    return result;
}

std::optional<Din32645> din32645(int n, long double meanX, long double sxx, double sYX, double a,
                                 double b, double alpha, double k, int m) {
    if (n < 3 || !(sYX > 0) || b == 0 || !std::isfinite(sYX) || !std::isfinite(meanX) ||
        !std::isfinite(sxx) || !(sxx > 0) || !std::isfinite(a) || !std::isfinite(b) ||
        !isProbability(alpha) || !(k > 0) || !std::isfinite(k) || m < 1) {
        return std::nullopt;
    }
    const long double sm = static_cast<long double>(sYX) / std::fabs(b);
    const long double t1 = studentQuantile(1.0 - alpha, n - 2);
    const long double t2 = studentQuantile(1.0 - alpha / 2.0, n - 2);
    const long double q = 1.0L / m + 1.0L / n;
    const long double mx = meanX;
    const long double xC = sm * t1 * std::sqrt(q + mx * mx / sxx);

    Din32645 result;
    result.xC = static_cast<double>(xC);
    result.yC = static_cast<double>(a + static_cast<long double>(b) * xC);
    result.xD = static_cast<double>(2 * xC);
    if (!std::isfinite(result.xC) || !std::isfinite(result.yC) || !std::isfinite(result.xD)) {
        return std::nullopt;
    }
    result.xDExact = leastRootAbove(xC, sm * t1, q, mx, sxx);
    result.xQ = leastRootAbove(0, k * sm * t2, q, mx, sxx);
    return result;
}

std::optional<BlankLimits> blankLimits(std::span<const double> blankMeans, double b, double alpha,
                                       int m) {
    const std::size_t count = blankMeans.size();
    if (count < 2 || count > static_cast<std::size_t>(INT_MAX) || b == 0 || !std::isfinite(b) ||
        !allFinite(blankMeans) || !isProbability(alpha) || m < 1) {
        return std::nullopt;
    }
    BlankLimits result;
    result.n = static_cast<int>(count);
    result.s = standardDeviation(blankMeans);
    const long double xC = static_cast<long double>(result.s) / std::fabs(b) *
                           studentQuantile(1.0 - alpha, result.n - 1) *
                           std::sqrt(1.0L / m + 1.0L / result.n);
    result.xC = static_cast<double>(xC);
    result.xD = static_cast<double>(2 * xC);
    if (!std::isfinite(result.xC) || !std::isfinite(result.xD)) {
        return std::nullopt;
    }
    return result;
}

std::optional<MethodDetectionLimit> methodDetectionLimit(std::span<const double> concentrations) {
    const std::size_t count = concentrations.size();
    if (count < 7 || count > static_cast<std::size_t>(INT_MAX) || !allFinite(concentrations)) {
        return std::nullopt;
    }
    MethodDetectionLimit result;
    result.n = static_cast<int>(count);
    result.s = standardDeviation(concentrations);
    result.t = studentQuantile(0.99, result.n - 1);
    const long double mdl = static_cast<long double>(result.t) * result.s;
    result.mdl = static_cast<double>(mdl);
    result.loq = static_cast<double>(4 * mdl);
    if (!std::isfinite(result.s) || !std::isfinite(result.loq)) {
        return std::nullopt;
    }
    return result;
}

} // namespace calc
