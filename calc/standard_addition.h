#pragma once

// Standard addition: the standards are the sample itself with known amounts added, and the sample's
// content is where the straight line through them meets the x-axis, x_E = a / b.
//
// The line is fitModel's (Model::Line), exact on the typed decimals, with the weighting it allows:
// none, 1/y, 1/y^2 or 1/s^2; 1/x and 1/x^2 are refused as fitModel refuses them, the unspiked row's
// x being 0 (WeightNotPositive). The figures of the line (a, b, s(y/x), r...) are its own.
//
// The standard deviation of the extrapolated x_E is the first-order propagation through a / b of
// the variances of a and b and their covariance, which comes to
//   s(x_E) = s(y/x) / |b| * sqrt(1/n + ybar^2 / (b^2 * Sum (x_i - xbar)^2)),
// weighted: 1/Sum w_i, the weighted mean of y and Sum w_i (x_i - xbar_w)^2 in their places (the
// weights normalized to sum to n). It has no 1/m term of a new reading, as an inverse prediction
// has: x_E is read from the line itself, not from a sample measured apart. The intervals are
// t(0.975; n - 2) * s(x_E) and t(0.995; n - 2) * s(x_E).
//
// Two rows (the unspiked reading and one addition) are the classic single-point known addition:
// x_E without s(x_E) or an interval, no degree of freedom being left for s(y/x).

#include "calc/decimal.h"
#include "calc/model_fit.h"

#include <cstddef>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace calc {

struct Addition {
    ModelFit fit; // the straight line through the rows (the volume form: through the rows formed)
    // x_E = a / b: the sample's concentration in the measured solution, in the unit of the added
    // concentrations; in the volume form C_A = a / (b V0), in the unit of the standard's
    // concentration. Dilution, volume, factor and the reporting unit apply to it as to a result.
    // It is 0 or below when the line meets the axis at or right of the origin (a <= 0 with
    // b > 0): no analyte found, and no relative uncertainty (evaluateUncertainty refuses it).
    double xE = 0;
    std::optional<double> sXE;        // none with two rows
    std::optional<double> t95, t99;   // t(0.975; n - 2), t(0.995; n - 2)
    std::optional<double> ci95, ci99; // the half-widths t * s(x_E)
    bool singlePoint = false;         // two rows fitted: no s(x_E) and no interval
    // s(x_E)'s formula: a key for files and scripts ("extrapolation", "extrapolation_weighted",
    // "volume_extrapolation", "volume_extrapolation_weighted") and the text written beside the
    // figure.
    const char* formulaKey = "";
    const char* formula = "";
};

struct AdditionProblem {
    enum class Kind {
        Fit,                     // the line cannot be fitted: `fit` says why
        ZeroSlope,               // b = 0: the line never meets the x-axis
        NegativeAddition,        // a fitted row whose added concentration or volume is below 0
        SampleVolumeNotPositive, // the volume form's V0 <= 0
        StandardNotPositive,     // the volume form's standard concentration <= 0
        OutOfRange,              // x_E or s(x_E) does not fit in a double
    };
    Kind kind;
    std::size_t row = 0;           // the row of NegativeAddition
    std::optional<FitProblem> fit; // with Kind::Fit
};

using AdditionOutcome = std::variant<Addition, AdditionProblem>;

// Every solution made up to the same volume: `added` is the concentration added in the measured
// solution, `signal` the response, row by row (up to the shorter span); `excluded` as fitModel
// takes it. Silver by AAS, 0, 5, ..., 30 ng/mL added against 0.32, 0.41, 0.52, 0.60, 0.70, 0.77,
// 0.89, gives x_E = 17.26 ng/mL, s(x_E) = 0.748, and 17.3 +- 1.9 ng/mL at 95 %.
AdditionOutcome standardAddition(std::span<const Decimal> added, std::span<const Decimal> signal,
                                 std::span<const bool> excluded,
                                 Weighting weighting = Weighting::None);

// The rows of the volume form, as fitted: x_i = C_std * V_i, y_i = S_i * (V0 + V_i), exact.
struct VolumeRows {
    std::vector<Decimal> x, y;
};
VolumeRows volumeFormRows(std::span<const Decimal> addedVolume, std::span<const Decimal> signal,
                          const Decimal& sampleVolume, const Decimal& standardConcentration);

// Without dilution to a mark: V0 of sample, each row the volume V_i of a standard of concentration
// C_std added to it (V and V0 in one unit) and the signal S_i of the mixture. S (V0 + V) = k C_A
// V0 + k C_std V is a straight line in x = C_std V, whose a / b is the analyte's amount C_A V0, so
//   C_A = a / (b V0),   s(C_A) = s(x_E) / V0,
// with s(x_E) as above on the rows formed, and V0 and C_std taken as exact (their uncertainties
// belong to the budget's volume and standard components). The serum of 4.27 mV, 95.0 mL spiked
// with 5.00 mL of 2.08 M NaCl to 7.98 mV, gives C_A = 0.1132 M (two rows: no interval).
AdditionOutcome volumeStandardAddition(std::span<const Decimal> addedVolume,
                                       std::span<const Decimal> signal,
                                       std::span<const bool> excluded, const Decimal& sampleVolume,
                                       const Decimal& standardConcentration,
                                       Weighting weighting = Weighting::None);

} // namespace calc
