#pragma once

// The calibration models: a straight line, a line through the origin and a second-order curve,
// each unweighted or weighted, fitted by least squares to the standards' typed decimals.
//
// Every sum is taken in exact arithmetic on the decimals, and every figure is rounded to a double
// once, at the end (a square root or a quotient of exact values, correctly rounded): standards
// exactly on a line give s(y/x) = 0, a slope that is 0 in the decimals is exactly 0, and NIST's
// certified values come out to the last digit or one unit of it.
//
// Weights: w_i = f_i / mean(f) over the fitted standards, so that the weights sum to n, with f
// 1/x, 1/x^2, 1/y, 1/y^2 or 1/s_i^2 (s_i the standard deviation of the fitted absorbances at the
// standard's concentration).
//   line:        b = Sum w(x - xw)(y - yw) / Sum w(x - xw)^2, a = yw - b*xw (xw, yw the weighted
//                means); s(y/x) = sqrt(Sum w r^2 / (n - 2)); R^2 = 1 - Sum w r^2 / Sum w(y - yw)^2;
//                r = sign(b) * sqrt(R^2) (unweighted, Sxy / sqrt(Sxx * Syy), the same value).
//   origin:      b = Sum wxy / Sum wx^2; s(y/x) = sqrt(Sum w r^2 / (n - 1)); s(b) = s(y/x) /
//                sqrt(Sum wx^2); R^2 uncentred, 1 - Sum w r^2 / Sum w y^2; r = sign(b)*sqrt(R^2).
//   quadratic:   the least-squares parabola y = a + b x + c x^2; s(y/x) = sqrt(Sum w r^2 / (n-3));
//                R^2 as for the line; r = sqrt(R^2).
// s(a), s(b), s(c) are the square roots of the diagonal of the covariance matrix
// s(y/x)^2 * (X' W X)^-1.
//
// How exact: the decimals of each variable become integers over a common power of ten, and the
// weights integers over a common denominator (1/x, 1/x^2, 1/y, 1/y^2: the least common multiple of
// the concentrations or absorbances, 1/s^2 that of the levels' variances; weights given as doubles
// are exact binary fractions). The normal equations are then solved in exact integer arithmetic
// (Cramer's rule with the adjugate), and every figure of the fit - a, b, c, s(y/x), s(a), s(b),
// s(c), r, R^2, LOD, LOQ, the t of the intercept, each standard's fit, residual and weight - is the
// exact value rounded once to the nearest double (ties to even, subnormals included), for all
// three models and every weighting. This holds whenever the decimals of a variable span at most
// about 2400 digits from the lowest digit of the smallest to the highest of the largest (every
// text within the double range with up to 1700 significant digits), and the weights' common
// denominator has at most 4096 bits (some 70 distinct concentrations of 17 digits for 1/x).
// Beyond that, extended precision in the same integer arithmetic: such a variable is held in fixed
// point with 1024 bits below its largest value (smaller values lose their low digits, values below
// 2^-1024 of the largest count as 0), and such weights are rounded to 256 significant bits or more;
// the figures are then those of the rounded data, correctly rounded, still far inside double
// precision. The covariance, means and sums for inverse prediction are rounded to long double.

#include "calc/decimal.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace calc {

enum class Model { Line, Origin, Quadratic };
enum class Weighting { None, InverseX, InverseX2, InverseY, InverseY2, InverseVariance };

// The least number of fitted standards each model needs: 2, 1, 3.
int minimumStandards(Model model);

// Why the model cannot be fitted to these standards. `standard` is an index into the spans given
// to fitModel (all standards, the excluded ones included).
struct FitProblem {
    enum class Kind {
        TooFewStandards,   // fewer fitted standards than minimumStandards(model)
        NoSpread,          // all fitted concentrations equal (line), all zero (origin), fewer
                           // than three distinct ones (quadratic)
        WeightNotPositive, // 1/x, 1/x^2: the concentration of `standard` is <= 0; 1/y, 1/y^2: its
                           // absorbance is <= 0
        NoReplicate,       // 1/s^2: `standard` is the only fitted one at its concentration
        NoSpreadAtLevel,   // 1/s^2: the fitted absorbances at the concentration of `standard`
                           // are all equal (s = 0)
        OutOfRange,        // a coefficient does not fit in a double
    };
    Kind kind;
    std::size_t standard = 0; // the standard of a weight problem; 0 for the others

    friend bool operator==(const FitProblem&, const FitProblem&) = default;
};

struct ModelFit {
    Model model = Model::Line;
    Weighting weighting = Weighting::None;
    int n = 0;   // fitted standards
    int dof = 0; // degrees of freedom: n - 2, n - 1 or n - 3

    // y = a + b*x + c*x^2: a = 0 through the origin, c = 0 unless quadratic.
    double a = 0.0, b = 0.0, c = 0.0;
    // Exist when dof > 0 and the value is within the double range (a value that would round to 0
    // or to infinity is absent, an exact 0 is 0); sA not through the origin, sC only quadratic.
    std::optional<double> sYX, sA, sB, sC;
    // R^2 and r as defined above; none where the denominator is 0 (all fitted y equal).
    std::optional<double> r, r2;
    // 3.3 and 10 * s(y/x) / |b|, only for the unweighted line and the unweighted line through the
    // origin (not with weights given), when dof > 0 and b != 0.
    std::optional<double> lod, loq;
    // |a| / s(a), the intercept test (line only, when s(a) exists and is not 0).
    std::optional<double> tIntercept;

    // One entry per standard given, excluded ones included, in the order given.
    struct Standard {
        bool fitted = false;
        double weight = 0.0; // w_i as above (1 unweighted); 0 when excluded or below the doubles
        std::optional<double> fit;      // a + b x + c x^2, correctly rounded
        std::optional<double> residual; // y - fit, from the exact values: 0 exactly on the curve
    };
    std::vector<Standard> standards;

    // What inverse prediction, bands and the validation need, in extended precision:
    long double sumW = 0;             // n; with weights given, their sum
    long double meanX = 0, meanY = 0; // weighted means of the fitted standards
    long double sxx = 0;              // Sum w (x - meanX)^2
    long double meanF = 1; // mean(f): a sample's f is divided by it; 1 with weights given
    // s(y/x)^2, and the covariance matrix of (a, b, c), whose rows and columns of absent
    // coefficients are 0. All 0 when dof == 0; they exist also where s(y/x) or s(b) lies beyond
    // the double range.
    long double varianceYX = 0;
    std::array<std::array<long double, 3>, 3> covariance{};
    // 1/s^2 only: the distinct fitted concentrations with their normalized weights, ascending.
    std::vector<std::pair<double, double>> levelWeights;
    // The fitted standards' span.
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

using ModelOutcome = std::variant<ModelFit, FitProblem>;

// Fits the model to the standards (x[i], y[i]) that are not excluded (excluded may be empty: none
// is; a standard beyond its end is fitted). The standards are the pairs up to the shorter of x and
// y. The decimals are those of parseDecimal or exactDecimal (no leading or trailing zeros):
// concentrations are grouped into levels by equal decimals. The problems are checked in this
// order: too few standards, the weights (standards in order), the spread, then the figures' range.
ModelOutcome fitModel(std::span<const Decimal> x, std::span<const Decimal> y,
                      std::span<const bool> excluded, Model model, Weighting weighting);

// The same with weights given for each standard, taken as they are, not normalized, as a published
// example prints them (s(y/x) then uses them as given, and sumW is their sum); weighting is then
// Weighting::None in name only, and there is no LOD or LOQ. A weight that is not a positive finite
// number, or missing, is WeightNotPositive.
ModelOutcome fitModelWithWeights(std::span<const Decimal> x, std::span<const Decimal> y,
                                 std::span<const double> weights, Model model);

// y at x on the fitted curve.
long double predictY(const ModelFit& fit, long double x);

// The variance of the fitted curve at x, g' V g with g = (1, x, x^2): the square of the
// confidence band's half-width divided by t; add s(y/x)^2 for the prediction band of one new
// reading. None when dof == 0.
std::optional<long double> fittedVariance(const ModelFit& fit, long double x);

// A concentration read back from the curve: a sample's mean reading meanY of m readings.
struct InversePrediction {
    enum class Problem {
        None,
        ZeroSlope,  // b = 0 (and c = 0): no concentration can be read
        NoRealRoot, // quadratic: the reading is beyond the curve's vertex
        FlatAtRoot, // quadratic: b + 2c x0 = 0, x0 but no s(x0)
        NoWeight,   // weighted: f cannot be taken at x0 or meanY (<= 0): x0 but no s(x0)
        NoDof,      // dof == 0, no s(y/x): x0 but no s(x0)
        OutOfRange, // x0 or s(x0) does not fit in a double (or the reading is not finite)
    };
    std::optional<double> x0;        // before any dilution
    std::optional<double> sX0;       // its standard error
    Problem problem = Problem::None; // why x0 or s(x0) is missing
    bool outsideSpan = false;        // quadratic: the root lies outside the fitted concentrations
    // The same two in extended precision, there also where they lie beyond the doubles (x0 or sX0
    // then absent, OutOfRange): a dilution below 1 or a recovery may bring them back. A reading
    // of 1e308 on a slope of 0.5 gives x0 = 2e308, which a dilution of 0.01 makes 2e306.
    std::optional<long double> extendedX0, extendedSX0;
};

// x0: the line's (meanY - a) / b; the parabola's root on the branch the standards lie on, that is
// where b + 2c*x has the sign of the curve's rise from the lowest to the highest fitted standard;
// c = 0 exactly: the line's formulas. s(x0) with ws the sample's weight (f at x0 for 1/x and
// 1/x^2, at meanY for 1/y and 1/y^2, the weight of the nearest level for 1/s^2, divided by meanF;
// 1 unweighted), or `sampleWeight` when given:
//   line:      s(y/x)/|b| * sqrt(1/(ws m) + 1/Sum w + (meanY - yw)^2 / (b^2 * sxx))
//   origin:    s(y/x)/|b| * sqrt(1/(ws m) + meanY^2 / (b^2 * Sum w x^2))
//   quadratic: sqrt(s(y/x)^2/(ws m) + g' V g) / |b + 2c x0|, g = (1, x0, x0^2)
// Computed in extended precision, so that readings near the largest double or a b^2 below the
// smallest one still give their figure. When the rise is 0 the rising branch is taken; the nearest
// level of two at the same distance is the lower one. The problems in this order: ZeroSlope or
// NoRealRoot (nothing computed), OutOfRange of a meanY that is not finite (nothing computed),
// FlatAtRoot, NoDof, NoWeight (also m < 1 or a sampleWeight that is not a positive finite number:
// x0 but no s(x0)), then OutOfRange where x0 or s(x0) lies beyond the doubles.
// Weights given without sampleWeight: ws = 1.
InversePrediction inversePredict(const ModelFit& fit, long double meanY, int m,
                                 std::optional<double> sampleWeight = std::nullopt);

// The mean of readings without overflow: 1e308 and 1e308 give 1e308.
long double meanOf(std::span<const double> values);

} // namespace calc
