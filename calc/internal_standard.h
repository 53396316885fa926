#pragma once

// Internal-standard calibration: each standard and sample row carries the response A_IS of an
// internal standard added to it (and, when the internal standard's concentration differs between
// solutions, that concentration C_IS). The calibration is fitModel over the response ratios
// A / A_IS against C, or against C / C_IS when the concentrations are given, with every model and
// weighting; a sample's x0 comes from inversePredict on its ratio, times its C_IS when given.
//
// The ratios are decimals for fitModel: the exact quotient of the typed decimals rounded half to
// even to kRatioDigits significant digits, some four digits beyond a double, so that the fit is
// that of the exact ratios to well within its last bit.
//
// One standard through the origin is the response-factor method: the fit's b is
// F = (A_X / C_X) / (A_IS / C_IS), the sample's x0 = (A / A_IS) / F (times its C_IS); with no
// degree of freedom there is no s(y/x), s(b), LOD or interval, and inversePredict gives x0 with
// Problem::NoDof (its r and R^2 of 1 say nothing and are not shown).

#include "calc/decimal.h"
#include "calc/model_fit.h"

#include <cstddef>
#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace calc {

constexpr int kRatioDigits = 20;

// value / internalStandard to kRatioDigits significant digits: 423 / 347 -> 1.2190201729106628242,
// 0.0837 / 0.0666 -> 1.2567567567567567568. None when internalStandard is 0 or below (a missing or
// failed internal standard). A value of 0 or below keeps its sign.
std::optional<Decimal> responseRatio(const Decimal& value, const Decimal& internalStandard);

struct RatioProblem {
    enum class Kind {
        NoReading,                   // no reading in the row
        CountMismatch,               // internal-standard responses neither 1 nor one per reading
        InternalStandardNotPositive, // the response at `index` is 0 or below
    };
    Kind kind;
    std::size_t index = 0;

    friend bool operator==(const RatioProblem&, const RatioProblem&) = default;
};

// A row read m times: one internal-standard response for all its readings, or one per reading.
// Its ratio is the mean of the readings' ratios, exact on their decimals and rounded once;
// inversePredict takes it with m readings.
struct RowRatio {
    std::vector<Decimal> ratios; // per reading
    long double mean = 0;
    int readings = 0;
};
std::variant<RowRatio, RatioProblem> rowRatio(std::span<const Decimal> readings,
                                              std::span<const Decimal> internalStandards);

// The mean internal-standard response of the standards fitted (excluded as fitModel takes it),
// exact and rounded once; none when no standard is fitted.
std::optional<double> meanInternalStandard(std::span<const Decimal> standards,
                                           std::span<const bool> excluded);

// A row's internal-standard recovery: the mean of its responses as a percentage of the standards'
// mean, 100 * mean(row) / mean(standards), exact and rounded once, so that 700 against a mean of
// 1000 is 70 exactly at the QC limit. None for no response, or a standards' mean <= 0.
std::optional<double> internalStandardRecovery(std::span<const Decimal> row,
                                               std::span<const Decimal> standards,
                                               std::span<const bool> excluded);

// A concentration read from a ratio calibration over C / C_IS, taken back to C with the sample's
// C_IS: x0 and s(x0) times cIS (the problem as it was). cIS <= 0 or not finite: x0 and s(x0)
// empty, Problem::OutOfRange.
InversePrediction withInternalStandardConcentration(const InversePrediction& prediction,
                                                    double cIS);

// F when the fit is the response-factor method (one standard through the origin), else none.
std::optional<double> responseFactor(const ModelFit& fit);

} // namespace calc
