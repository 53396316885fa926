#include "calc/uncertainty.h"

#include "calc/distributions.h"
#include "calc/rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace calc {
namespace {

using Extended = long double;

bool isNonNegative(double value) {
    return std::isfinite(value) && value >= 0;
}

UncertaintyProblem problem(UncertaintyProblem::Kind kind, std::size_t index = 0) {
    return {kind, index};
}

// sqrt(sum u_i^2) scaled by the largest, so that neither tiny nor huge components under- or
// overflow in the squares.
Extended rootSumOfSquares(std::span<const Component> components) {
    Extended largest = 0;
    for (const Component& c : components) {
        largest = std::max<Extended>(largest, c.uRel);
    }
    if (largest == 0) {
        return 0;
    }
    Extended sum = 0;
    for (const Component& c : components) {
        const Extended scaled = c.uRel / largest;
        sum += scaled * scaled;
    }
    return largest * std::sqrt(sum);
}

bool anyNonZeroDigit(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char ch) { return ch >= '1' && ch <= '9'; });
}

} // namespace

std::optional<double> relativeStandardUncertainty(const TypedComponent& typed) {
    if (!isNonNegative(typed.value)) {
        return std::nullopt;
    }
    const double value = typed.value + 0.0; // -0 is 0
    if (!typed.tolerance) {
        return value;
    }
    switch (*typed.tolerance) {
    case Distribution::Rectangular:
        return value / std::sqrt(3.0);
    case Distribution::Triangular:
        return value / std::sqrt(6.0);
    case Distribution::Normal95:
        return value / 1.96;
    }
    return std::nullopt;
}

std::variant<Component, UncertaintyProblem>
calibrationComponent(double x0, std::optional<double> sX0, int dof) {
    if (!(x0 > 0) || !std::isfinite(x0)) {
        return problem(UncertaintyProblem::Kind::NotPositive);
    }
    if (!sX0) {
        return problem(UncertaintyProblem::Kind::NoCalibrationUncertainty);
    }
    if (dof < 1) {
        return problem(UncertaintyProblem::Kind::NoDegreesOfFreedom);
    }
    const double uRel = static_cast<double>(static_cast<Extended>(*sX0) / x0);
    if (!isNonNegative(*sX0) || !std::isfinite(uRel)) {
        return problem(UncertaintyProblem::Kind::InvalidComponent);
    }
    return Component{"calibration", uRel, static_cast<double>(dof)};
}

std::variant<Component, UncertaintyProblem>
spikeRecoveryComponent(std::span<const double> recoveries) {
    if (recoveries.size() < 2) {
        return problem(UncertaintyProblem::Kind::TooFewSpikes);
    }
    Extended sum = 0;
    for (std::size_t i = 0; i < recoveries.size(); ++i) {
        if (!std::isfinite(recoveries[i])) {
            return problem(UncertaintyProblem::Kind::InvalidComponent, i);
        }
        sum += recoveries[i];
    }
    const auto n = static_cast<Extended>(recoveries.size());
    const Extended mean = sum / n;
    if (!(mean > 0)) {
        return problem(UncertaintyProblem::Kind::SpikeMeanNotPositive);
    }
    Extended squares = 0;
    for (const double r : recoveries) {
        squares += (r - mean) * (r - mean);
    }
    const Extended s = std::sqrt(squares / (n - 1));
    return Component{"recovery", static_cast<double>(s / (mean * std::sqrt(n))), std::nullopt};
}

std::variant<BiasEstimate, UncertaintyProblem>
biasEstimate(std::span<const ReferenceResult> results) {
    if (results.empty()) {
        return problem(UncertaintyProblem::Kind::NoReferenceResults);
    }
    Extended biasSquares = 0;
    Extended cref = 0;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const ReferenceResult& r = results[i];
        if (!std::isfinite(r.measured) || !std::isfinite(r.certified) || !(r.certified > 0) ||
            !isNonNegative(r.certifiedU)) {
            return problem(UncertaintyProblem::Kind::InvalidReference, i);
        }
        const Extended bias = (static_cast<Extended>(r.measured) - r.certified) / r.certified;
        biasSquares += bias * bias;
        cref += static_cast<Extended>(r.certifiedU) / (2 * static_cast<Extended>(r.certified));
    }
    const auto n = static_cast<Extended>(results.size());
    BiasEstimate out;
    out.n = static_cast<int>(results.size());
    const Extended rms = std::sqrt(biasSquares / n);
    const Extended uCref = cref / n;
    out.rmsBias = static_cast<double>(rms);
    out.uCref = static_cast<double>(uCref);
    out.uBias = static_cast<double>(std::sqrt(rms * rms + uCref * uCref));
    return out;
}

std::variant<std::vector<Component>, UncertaintyProblem>
topDownComponents(double uRw, const BiasEstimate& bias, std::optional<double> rwDof) {
    if (!isNonNegative(uRw)) {
        return problem(UncertaintyProblem::Kind::InvalidRw);
    }
    return std::vector<Component>{{"rw", uRw, rwDof}, {"bias", bias.uBias, std::nullopt}};
}

std::variant<Uncertainty, UncertaintyProblem>
evaluateUncertainty(double result, std::span<const Component> components, Coverage coverage) {
    if (!(result > 0) || !std::isfinite(result)) {
        return problem(UncertaintyProblem::Kind::NotPositive);
    }
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (!isNonNegative(components[i].uRel)) {
            return problem(UncertaintyProblem::Kind::InvalidComponent, i);
        }
    }
    for (std::size_t i = 0; i < components.size(); ++i) {
        const auto& dof = components[i].dof;
        if (dof && !(*dof > 0)) {
            return problem(UncertaintyProblem::Kind::NoDegreesOfFreedom, i);
        }
    }

    Uncertainty out;
    out.result = result;
    const Extended uRel = rootSumOfSquares(components);
    out.uRel = static_cast<double>(uRel);
    const Extended uC = uRel * result;
    out.uC = static_cast<double>(uC);

    Extended inverseNu = 0; // sum share_i^2 / nu_i
    for (const Component& c : components) {
        BudgetLine line{c.name, c.uRel, static_cast<double>(c.uRel * static_cast<Extended>(result)),
                        0, c.dof};
        if (uRel > 0) {
            const Extended ratio = c.uRel / uRel;
            line.share = static_cast<double>(ratio * ratio);
            if (c.dof && std::isfinite(*c.dof)) {
                inverseNu += ratio * ratio * ratio * ratio / *c.dof;
            }
        }
        out.components.push_back(std::move(line));
    }

    if (coverage == Coverage::StudentT) {
        const double nu = inverseNu > 0 ? static_cast<double>(1 / inverseNu)
                                        : std::numeric_limits<double>::infinity();
        out.nuEff = nu;
        out.k = studentQuantileFractional(0.975, nu);
    } else {
        out.k = 2;
    }
    const Extended expanded = out.k * uC;
    out.expanded = static_cast<double>(expanded);
    if (!std::isfinite(out.expanded) || !std::isfinite(out.uC)) {
        return problem(UncertaintyProblem::Kind::OutOfRange);
    }
    const ExpandedText text = expandedUncertaintyText(out.expanded);
    out.expandedText = text.text;
    out.expandedPlace = text.place;
    return out;
}

ExpandedText expandedUncertaintyText(double expanded) {
    if (!std::isfinite(expanded) || expanded < 0) {
        return {roundSignificant(expanded, 2), 0};
    }
    if (expanded == 0) {
        return {"0.0", -1};
    }
    // 15 significant digits first (they read back as the same digits), then two upward.
    const std::string fifteen = roundSignificant(expanded, 15);
    double cleaned = expanded;
    std::from_chars(fifteen.data(), fifteen.data() + fifteen.size(), cleaned);
    ExpandedText out;
    out.text = roundSignificant(cleaned, 2, Direction::Upward);
    const auto point = out.text.find('.');
    out.place = point != std::string::npos
                    ? -static_cast<int>(out.text.size() - point - 1)
                    : static_cast<int>(out.text.size()) - 2; // "130": two digits, then zeros
    return out;
}

std::string resultBesideUncertainty(double result, const std::string& resultText,
                                    const ExpandedText& expanded) {
    if (!anyNonZeroDigit(expanded.text)) {
        return resultText;
    }
    const auto point = resultText.find('.');
    const bool plain = resultText.find_first_of("eE") == std::string::npos;
    const int resultPlace =
        point == std::string::npos ? 0 : -static_cast<int>(resultText.size() - point - 1);
    if (plain && resultPlace >= expanded.place) {
        return resultText;
    }
    return roundToPlace(result, expanded.place);
}

} // namespace calc
