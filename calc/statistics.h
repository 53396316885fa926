#pragma once

// The statistics a laboratory reports with a calibration line, and a sample's concentration with
// its uncertainty. Ordinary least squares on the standards as parsed, never on the floored
// coefficients of the worksheet.

#include <optional>
#include <span>
#include <vector>

namespace calc {

struct LineStatistics {
    int n = 0;
    double xMean = 0, yMean = 0, sxx = 0, syy = 0, sxy = 0; // sums over deviations from the means
    double a = 0, b = 0, r = 0, r2 = 0;                     // b = Sxy/Sxx, a = yMean - b*xMean
    double yMin = 0, yMax = 0; // lowest and highest standard absorbance (the calibrated range)
    // Exist only when n > 2 (n - 2 degrees of freedom):
    std::optional<double> t95; // 0.975 quantile of Student's t, n-2 dof
    std::optional<double> sYX, sA, sB, ci95A, ci95B, lod, loq;
};

// The line through the points (x[i], y[i]) and its statistics:
//   s(y/x) = sqrt(sum of squared residuals / (n - 2)), the residual y - (a + b*x) being taken
//   as (y - yMean) - b*(x - xMean), which keeps its digits when the standards lie far from zero;
//   s(b) = s(y/x) / sqrt(Sxx); s(a) = s(y/x) * sqrt(sum x^2 / (n * Sxx));
//   ci95A/ci95B = t95 * s, the half-width of the 95 % interval;
//   LOD = 3.3 * s(y/x) / |b|, LOQ = 10 * s(y/x) / |b|, in the unit of x.
// r = Sxy / sqrt(Sxx * Syy) (sqrt(Sxx) * sqrt(Syy) where the product would overflow or
// underflow), kept within [-1, 1] against rounding; r2 = r * r.
// A perfect line gives s(y/x) = 0 and LOD = LOQ = 0 as they are.
// nullopt when no calibration line exists: fewer than two points, spans of different length, all
// x equal, all y equal, a zero slope (no concentration could be read from it), or any input or
// result that is not finite.
std::optional<LineStatistics> lineStatistics(std::span<const double> x, std::span<const double> y);

// The 0.975 quantile of Student's t distribution: t(0.975; 1) = 12.7062..., t(0.975; 8) = 2.3060...
// Each number of degrees of freedom is computed once and kept (one quantile costs microseconds);
// safe to call from several threads. NaN when degreesOfFreedom < 1.
double studentT975(int degreesOfFreedom);

// The acceptance check of one standard against the line.
struct PointCheck {
    // aFit = a + b*C and residual = A - aFit, taken as yMean + b*(C - xMean) and
    // (A - yMean) - b*(C - xMean) as in s(y/x).
    double c, a, aFit, residual;
    std::optional<double> deviationPct; // 100 * (A - aFit) / aFit; none where aFit == 0
    std::optional<double> cBack;        // (A - a) / b, the concentration read back from the line
    std::optional<double> recoveryPct;  // 100 * cBack / C; none where C == 0
};
// One check per pair (x[i], y[i]), up to the shorter span; a value that comes out non-finite is
// left out.
std::vector<PointCheck> pointChecks(std::span<const double> x, std::span<const double> y,
                                    const LineStatistics& line);

struct SampleFlags {
    bool outOfRange = false; // mean absorbance outside [yMin, yMax]; a bound is inside
    bool belowLod = false;   // x0 before the dilution < LOD (strictly)
    bool belowLoq = false;   // x0 before the dilution < LOQ (strictly)
};
struct SampleEstimate {
    int m = 0;                         // number of readings
    double meanA = 0, x0 = 0;          // x0 = (meanA - a) / b * dilution
    std::optional<double> sX0, ci95X0; // both times the dilution; only when n > 2
    SampleFlags flags;                 // belowLod and belowLoq only when n > 2
};
// The concentration of one sample from its replicate readings, with the standard error of an
// inverse prediction:
//   s(x0) = s(y/x) / |b| * sqrt(1/m + 1/n + (meanA - yMean)^2 / (b^2 * Sxx)), ci95X0 = t95 * s(x0).
// Readings and dilution are the caller's to check: with no reading, or a dilution that is not a
// finite number > 0, x0 is NaN and there is neither uncertainty nor a flag.
// Fluorescence standards 0, 2, ..., 12 against 2.1, 5.0, 9.0, 12.6, 17.3, 21.0, 24.7 and one
// reading 2.9 give x0 = 0.716 and s(x0) = 0.265; with dilution 10, x0 = 7.16 and s(x0) = 2.65
// while the LOD/LOQ flags still compare 0.716 against LOD = 0.740.
SampleEstimate estimateSample(const LineStatistics& line, std::span<const double> readings,
                              double dilution);

} // namespace calc
