#include "calc/statistics.h"

#include "calc/distributions.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>

namespace calc {
namespace {

bool allFinite(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool allEqual(std::span<const double> values) {
    return std::adjacent_find(values.begin(), values.end(), std::not_equal_to<>()) == values.end();
}

bool finite(const std::optional<double>& value) {
    return !value || std::isfinite(*value);
}

std::optional<double> finiteOrNone(double value) {
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// y - (a + b*x) from the deviations: the rounding of the means is then the same error in every
// row, which leaves the sum of squared residuals almost untouched, where a + b*x would put a
// different error of the size of eps*|b*x| into each row. With concentrations 100000 to 100001 and
// residuals 1e-5 of the absorbances, s(y/x) keeps 10 digits instead of 6. The fitted value is
// taken the same way, so that A - aFit is the residual.
double fitOf(const LineStatistics& line, double x) {
    return line.yMean + line.b * (x - line.xMean);
}

double residualOf(const LineStatistics& line, double x, double y) {
    return (y - line.yMean) - line.b * (x - line.xMean);
}

} // namespace

double studentT975(int degreesOfFreedom) {
    return studentQuantile(0.975, degreesOfFreedom);
}

std::optional<LineStatistics> lineStatistics(std::span<const double> x, std::span<const double> y) {
    const std::size_t count = x.size();
    if (count < 2 || y.size() != count || count > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    // Equal values are caught before the arithmetic: three x of 0.1 have a mean that is not
    // exactly 0.1, and Sxx would come out near 1e-33 instead of 0.
    if (!allFinite(x) || !allFinite(y) || allEqual(x) || allEqual(y)) {
        return std::nullopt;
    }

    LineStatistics s;
    s.n = static_cast<int>(count);
    const auto n = static_cast<double>(count);

    double sumX = 0.0;
    double sumY = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        sumX += x[i];
        sumY += y[i];
    }
    s.xMean = sumX / n;
    s.yMean = sumY / n;

    // Sums over deviations from the means: the raw-sum form Sxx = sum x^2 - (sum x)^2 / n loses
    // every digit when the x lie close together far from zero.
    for (std::size_t i = 0; i < count; ++i) {
        const double dx = x[i] - s.xMean;
        const double dy = y[i] - s.yMean;
        s.sxx += dx * dx;
        s.syy += dy * dy;
        s.sxy += dx * dy;
    }
    if (!(s.sxx > 0.0) || !(s.syy > 0.0)) {
        return std::nullopt;
    }

    s.b = s.sxy / s.sxx;
    s.a = s.yMean - s.b * s.xMean;
    // One square root of the product where it can be formed: two points then give r = +-1
    // exactly, where sqrt(Sxx) * sqrt(Syy) can come out one unit above |Sxy|.
    const double product = s.sxx * s.syy;
    const double scale =
        std::isnormal(product) ? std::sqrt(product) : std::sqrt(s.sxx) * std::sqrt(s.syy);
    s.r = std::clamp(s.sxy / scale, -1.0, 1.0);
    s.r2 = s.r * s.r;
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    s.yMin = *low;
    s.yMax = *high;
    if (s.b == 0.0 || !std::isfinite(s.b) || !std::isfinite(s.a) || !std::isfinite(s.r) ||
        !std::isfinite(s.sxx) || !std::isfinite(s.syy) || !std::isfinite(s.sxy)) {
        return std::nullopt;
    }

    if (count > 2) {
        const int dof = s.n - 2;
        double sumResidual2 = 0.0;
        double sumX2 = 0.0;
        for (std::size_t i = 0; i < count; ++i) {
            const double residual = residualOf(s, x[i], y[i]);
            sumResidual2 += residual * residual;
            sumX2 += x[i] * x[i];
        }
        const double t = studentT975(dof);
        const double sYX = std::sqrt(sumResidual2 / static_cast<double>(dof));
        const double sB = sYX / std::sqrt(s.sxx);
        const double sA = sYX * std::sqrt(sumX2 / (n * s.sxx));
        s.t95 = t;
        s.sYX = sYX;
        s.sA = sA;
        s.sB = sB;
        s.ci95A = t * sA;
        s.ci95B = t * sB;
        s.lod = 3.3 * sYX / std::fabs(s.b);
        s.loq = 10.0 * sYX / std::fabs(s.b);
        for (const auto* value :
             {&s.t95, &s.sYX, &s.sA, &s.sB, &s.ci95A, &s.ci95B, &s.lod, &s.loq}) {
            if (!finite(*value)) {
                return std::nullopt;
            }
        }
    }
    return s;
}

std::vector<PointCheck> pointChecks(std::span<const double> x, std::span<const double> y,
                                    const LineStatistics& line) {
    const std::size_t count = std::min(x.size(), y.size());
    std::vector<PointCheck> checks;
    checks.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        PointCheck check{};
        check.c = x[i];
        check.a = y[i];
        check.aFit = fitOf(line, x[i]);
        check.residual = residualOf(line, x[i], y[i]);
        if (check.aFit != 0.0) {
            check.deviationPct = finiteOrNone(100.0 * check.residual / check.aFit);
        }
        check.cBack = finiteOrNone((y[i] - line.a) / line.b);
        if (check.cBack && x[i] != 0.0) {
            check.recoveryPct = finiteOrNone(100.0 * *check.cBack / x[i]);
        }
        checks.push_back(check);
    }
    return checks;
}

SampleEstimate estimateSample(const LineStatistics& line, std::span<const double> readings,
                              double dilution) {
    SampleEstimate e;
    e.m = static_cast<int>(std::min(readings.size(), static_cast<std::size_t>(INT_MAX)));
    double sum = 0.0;
    for (double reading : readings) {
        sum += reading;
    }
    const auto m = static_cast<double>(readings.size());
    e.meanA = readings.empty() ? std::numeric_limits<double>::quiet_NaN() : sum / m;
    if (readings.empty() || !std::isfinite(dilution) || !(dilution > 0.0)) {
        e.x0 = std::numeric_limits<double>::quiet_NaN();
        return e;
    }

    const double x0 = (e.meanA - line.a) / line.b;
    e.x0 = x0 * dilution;
    e.flags.outOfRange = e.meanA < line.yMin || e.meanA > line.yMax;

    if (line.sYX && line.t95 && line.lod && line.loq) {
        const double d = e.meanA - line.yMean;
        const double s = *line.sYX / std::fabs(line.b) *
                         std::sqrt(1.0 / m + 1.0 / static_cast<double>(line.n) +
                                   d * d / (line.b * line.b * line.sxx));
        e.sX0 = s * dilution;
        e.ci95X0 = *line.t95 * *e.sX0;
        // Before the dilution: the limits belong to the measured solution, not to the sample.
        e.flags.belowLod = x0 < *line.lod;
        e.flags.belowLoq = x0 < *line.loq;
    }
    return e;
}

} // namespace calc
