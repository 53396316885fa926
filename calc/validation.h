#pragma once

// The figures with which a calibration is validated: Mandel's test of linearity (ISO 8466-1, DIN
// 38402-51), the lack-of-fit test with repeated standards, outliers and influential standards,
// the decision, detection and quantification limits of DIN 32645 / ISO 11843-2 by the calibration
// method and from blanks, and the method detection limit of HJ 168.
//
// Each takes the figures of fits computed elsewhere (the unweighted straight line and second-order
// curve through the fitted standards) and returns its result, or nullopt where it cannot be
// computed; the caller says why from the same conditions stated here.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace calc {

// Mandel: DS^2 = (n - 2) s^2(line) - (n - 3) s^2(quadratic), PW = DS^2 / s^2(quadratic), compared
// with F(0.99; 1, n - 3). A DS^2 below 0, which only the rounding of the inputs can give, is 0.
// The variances in extended precision, so that an s(y/x) of 1e200 still gives its test (ds2 is
// then +infinity as a double, pw is not). nullopt when n < 4 or s^2(quadratic) = 0 (the points lie
// exactly on a curve), or an input is not finite or negative.
struct MandelTest {
    double ds2 = 0, pw = 0, fCritical = 0;
    bool linear = true; // pw <= fCritical
};
std::optional<MandelTest> mandelTest(int n, long double s2Line, long double s2Quadratic);

// Lack of fit of the straight line: the standards grouped by equal concentration (group[i] is the
// level of standard i, levels 0..k-1), the line's residual sum of squares ssResidual, and the
// absorbances y. SS_pe = Sum over levels of Sum (y - level mean)^2, SS_lof = ssResidual - SS_pe,
// F = (SS_lof / (k - 2)) / (SS_pe / (n - k)), p = P(F(k-2, n-k) > F); significant when p < 0.05.
// SS_pe = 0 with SS_lof > 0 gives F = +infinity and p = 0; an SS_lof below 0, which only rounding
// can give, is 0 (F = 0, p = 1). nullopt when no level is repeated (n == k) or k < 3, when
// SS_pe = SS_lof = 0 (the standards exactly on the line: F = 0/0), and for inputs that do not fit
// together: spans of different length, a level outside 0..n-1 or without a standard, a y that is
// not finite, ssResidual negative or not finite. ssResidual in extended precision, as the sums are
// taken: absorbances of 1e200 give sums of squares beyond the doubles (the two sums of squares are
// then +infinity as doubles, F and p are not).
struct LackOfFit {
    double ssLackOfFit = 0, ssPureError = 0;
    double f = 0; // may be +infinity
    int df1 = 0, df2 = 0;
    double p = 1;
    bool significant = false;
};
std::optional<LackOfFit> lackOfFit(std::span<const double> y, std::span<const int> group,
                                   long double ssResidual);

// Each standard of the unweighted straight line y = a + b x through (x, y): leverage
// h = 1/n + (x - mean x)^2 / Sxx, residual e, externally studentized residual
// t = e / (s_(i) sqrt(1 - h)) with s_(i)^2 = (SSR - e^2 / (1 - h)) / (n - 3), Cook's distance
// D = e^2 h / (2 s^2 (1 - h)^2). An outlier when |t| > t(1 - 0.05/(2n); n - 3) (Bonferroni at 5 %),
// influential when D > F(0.5; 2, n - 2). Needs n >= 4; a figure that is undefined (h = 1, s = 0,
// s_(i) = 0) is nullopt and sets no mark.
//   h = 1: the standard is alone at its concentration, all others at one other (found from the
//   values, h then exactly 1).
//   s = 0: every |e| within 8 eps (|y| + |a| + |b x|), eps = DBL_EPSILON, the rounding of the
//   doubles that stand for the decimals (a and b expected correctly rounded, as from an exact fit):
//   0.1 ... 0.5 against 0.08 ... 0.2 is a perfect line although its doubles are not.
//   s_(i) = 0: SSR - e^2 / (1 - h) within what that rounding of the residuals can move it (the
//   other standards on a line).
// The residuals and sums are taken in quadruple precision. nullopt when n < 4, the spans differ in
// length, all x are equal or an input is not finite.
struct PointDiagnostic {
    double leverage = 0;
    std::optional<double> studentized, cooks;
    bool outlier = false, influential = false;
};
struct Diagnostics {
    double tCritical = 0, cooksCritical = 0;
    std::vector<PointDiagnostic> points; // one per (x, y)
};
std::optional<Diagnostics> lineDiagnostics(std::span<const double> x, std::span<const double> y,
                                           double a, double b);

// DIN 32645 by the calibration method, for the unweighted line with n standards, their mean
// concentration meanX, Sxx, s(y/x), a and b; alpha (0.05 or 0.01), k and m readings per sample.
// s_m = s(y/x) / |b|,
//   x_c = s_m t(1 - alpha; n - 2) sqrt(1/m + 1/n + meanX^2 / Sxx), y_c = a + b x_c,
//   x_d = 2 x_c, and the exact root above x_c of
//       x = x_c + s_m t(1 - alpha; n - 2) sqrt(1/m + 1/n + (x - meanX)^2 / Sxx),
//   x_q the positive root of x = k s_m t(1 - alpha/2; n - 2) sqrt(1/m + 1/n + (x - meanX)^2 / Sxx).
// Both are the least root above x_c or 0, solved in closed form: squared, each is a quadratic whose
// positive roots are those sought. With c the factor before the root, the right side rises for ever
// at the rate c / sqrt(Sxx): below 1 there is exactly one root; at or above it (c >= sqrt(Sxx), in
// effect |b| <= t s(b): the slope is not significant) there are two or none, the lesser taken. A
// root that does not exist, or is beyond the doubles, is nullopt. nullopt as a whole when n < 3,
// s(y/x) is not positive or b = 0, or another input is out of range (not finite, Sxx <= 0, alpha
// not inside (0, 1), k <= 0, m < 1). meanX and Sxx in extended precision: concentrations of 1e200
// have an Sxx beyond the doubles.
struct Din32645 {
    double xC = 0, yC = 0, xD = 0;
    std::optional<double> xDExact, xQ;
};
std::optional<Din32645> din32645(int n, long double meanX, long double sxx, double sYX, double a,
                                 double b, double alpha, double k, int m);

// DIN 32645's blank method: the mean absorbances of n_b >= 2 blank rows, the slope b, alpha and m:
// s_blank the standard deviation of the means, x_c = s_blank / |b| t(1 - alpha; n_b - 1)
// sqrt(1/m + 1/n_b), x_d = 2 x_c. Equal blanks give s = x_c = x_d = 0. nullopt when n_b < 2 or
// b = 0, or a value is not finite, alpha not inside (0, 1) or m < 1.
struct BlankLimits {
    int n = 0;
    double s = 0, xC = 0, xD = 0;
};
std::optional<BlankLimits> blankLimits(std::span<const double> blankMeans, double b, double alpha,
                                       int m);

// HJ 168: MDL = t(0.99; n - 1) S, S the standard deviation of n >= 7 concentrations (blanks or
// low-level spikes read back from the curve), with the lower limit of determination 4 MDL.
// nullopt when n < 7 or a concentration is not finite.
struct MethodDetectionLimit {
    int n = 0;
    double s = 0, t = 0, mdl = 0, loq = 0;
};
std::optional<MethodDetectionLimit> methodDetectionLimit(std::span<const double> concentrations);

} // namespace calc
