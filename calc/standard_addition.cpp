#include "calc/standard_addition.h"

#include "calc/distributions.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace calc {
namespace {

using Extended = long double;

struct Formula {
    const char* key;
    const char* text;
};

constexpr const char* kFormula = "s(x_E) = s(y/x)/|b| · √(1/n + ȳ²/(b²·Σ(x_i − x̄)²))";
constexpr const char* kWeightedFormula =
    "s(x_E) = s(y/x)/|b| · √(1/Σw_i + ȳ_w²/(b²·Σw_i(x_i − x̄_w)²))";
constexpr const char* kVolumeFormula =
    "s(C_A) = s(y/x)/(|b|·V0) · √(1/n + ȳ²/(b²·Σ(x_i − x̄)²)), x = C_std·V, y = S·(V0 + V)";
constexpr const char* kWeightedVolumeFormula =
    "s(C_A) = s(y/x)/(|b|·V0) · √(1/Σw_i + ȳ_w²/(b²·Σw_i(x_i − x̄_w)²)), x = C_std·V, "
    "y = S·(V0 + V)";

constexpr Formula kFormulas[2][2] = {
    {{"extrapolation", kFormula}, {"extrapolation_weighted", kWeightedFormula}},
    {{"volume_extrapolation", kVolumeFormula},
     {"volume_extrapolation_weighted", kWeightedVolumeFormula}},
};

Formula formulaOf(bool volumeForm, Weighting weighting) {
    return kFormulas[volumeForm ? 1 : 0][weighting == Weighting::None ? 0 : 1];
}

bool fitsDouble(Extended value) {
    const Extended magnitude = std::fabs(value);
    return std::isfinite(value) && magnitude <= DBL_MAX &&
           (magnitude == 0 || static_cast<double>(magnitude) != 0.0);
}

bool isFitted(std::span<const bool> excluded, std::size_t row) {
    return !(row < excluded.size() && excluded[row]);
}

std::optional<AdditionProblem> negativeAddition(std::span<const Decimal> added,
                                                std::span<const bool> excluded, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (isFitted(excluded, i) && added[i].negative) {
            return AdditionProblem{AdditionProblem::Kind::NegativeAddition, i, std::nullopt};
        }
    }
    return std::nullopt;
}

// The line through (x, y) and its extrapolation to y = 0, every figure divided by `scale` (V0 in
// the volume form, 1 otherwise).
AdditionOutcome extrapolate(std::span<const Decimal> x, std::span<const Decimal> y,
                            std::span<const bool> excluded, Weighting weighting, Extended scale,
                            Formula formula) {
    ModelOutcome outcome = fitModel(x, y, excluded, Model::Line, weighting);
    if (auto* problem = std::get_if<FitProblem>(&outcome)) {
        return AdditionProblem{AdditionProblem::Kind::Fit, 0, *problem};
    }
    Addition out;
    out.fit = std::move(std::get<ModelFit>(outcome));
    out.formulaKey = formula.key;
    out.formula = formula.text;
    const ModelFit& fit = out.fit;
    if (fit.b == 0) {
        return AdditionProblem{AdditionProblem::Kind::ZeroSlope, 0, std::nullopt};
    }
    const Extended b = fit.b;
    const Extended xE = static_cast<Extended>(fit.a) / (b * scale);
    if (!fitsDouble(xE)) {
        return AdditionProblem{AdditionProblem::Kind::OutOfRange, 0, std::nullopt};
    }
    out.xE = static_cast<double>(xE);
    out.singlePoint = fit.n == 2;
    if (fit.dof < 1) {
        return out;
    }
    // (1/Sum w + ybar^2 / (b^2 Sxx)) s^2 / b^2, as written: b^2 * Sxx may lie below the doubles.
    const Extended meanY = fit.meanY;
    const Extended variance =
        fit.varianceYX / (b * b) * (1 / fit.sumW + meanY * meanY / (b * b * fit.sxx));
    const Extended s = std::sqrt(variance) / scale;
    if (!fitsDouble(s)) {
        return AdditionProblem{AdditionProblem::Kind::OutOfRange, 0, std::nullopt};
    }
    out.sXE = static_cast<double>(s);
    out.t95 = studentQuantile(0.975, fit.dof);
    out.t99 = studentQuantile(0.995, fit.dof);
    out.ci95 = static_cast<double>(*out.t95 * s);
    out.ci99 = static_cast<double>(*out.t99 * s);
    return out;
}

} // namespace

AdditionOutcome standardAddition(std::span<const Decimal> added, std::span<const Decimal> signal,
                                 std::span<const bool> excluded, Weighting weighting) {
    const std::size_t count = std::min(added.size(), signal.size());
    if (auto problem = negativeAddition(added, excluded, count)) {
        return *problem;
    }
    return extrapolate(added.first(count), signal.first(count), excluded, weighting, 1,
                       formulaOf(false, weighting));
}

VolumeRows volumeFormRows(std::span<const Decimal> addedVolume, std::span<const Decimal> signal,
                          const Decimal& sampleVolume, const Decimal& standardConcentration) {
    const std::size_t count = std::min(addedVolume.size(), signal.size());
    VolumeRows rows;
    rows.x.reserve(count);
    rows.y.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        rows.x.push_back(product(standardConcentration, addedVolume[i]));
        rows.y.push_back(product(signal[i], sum(sampleVolume, addedVolume[i])));
    }
    return rows;
}

AdditionOutcome volumeStandardAddition(std::span<const Decimal> addedVolume,
                                       std::span<const Decimal> signal,
                                       std::span<const bool> excluded, const Decimal& sampleVolume,
                                       const Decimal& standardConcentration, Weighting weighting) {
    if (sampleVolume.isZero() || sampleVolume.negative) {
        return AdditionProblem{AdditionProblem::Kind::SampleVolumeNotPositive, 0, std::nullopt};
    }
    if (standardConcentration.isZero() || standardConcentration.negative) {
        return AdditionProblem{AdditionProblem::Kind::StandardNotPositive, 0, std::nullopt};
    }
    const std::size_t count = std::min(addedVolume.size(), signal.size());
    if (auto problem = negativeAddition(addedVolume, excluded, count)) {
        return *problem;
    }
    const VolumeRows rows =
        volumeFormRows(addedVolume, signal, sampleVolume, standardConcentration);
    return extrapolate(rows.x, rows.y, excluded, weighting, sampleVolume.value,
                       formulaOf(true, weighting));
}

} // namespace calc
