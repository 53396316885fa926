#include "calc/internal_standard.h"

#include "calc/exact_arithmetic.h"

#include <algorithm>
#include <cmath>

namespace calc {
namespace {

using exact::Integer;

// The exact sum of decimals as an integer times 10^exponent.
struct ExactSum {
    Integer value = 0;
    std::int64_t exponent = 0;
    int count = 0;
};

ExactSum exactSum(std::span<const Decimal> values, std::span<const bool> excluded = {}) {
    ExactSum out;
    const auto taken = [&](std::size_t i) { return !(i < excluded.size() && excluded[i]); };
    bool first = true;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!taken(i)) {
            continue;
        }
        ++out.count;
        if (!values[i].isZero()) {
            out.exponent = first ? values[i].exponent : std::min(out.exponent, values[i].exponent);
            first = false;
        }
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!taken(i) || values[i].isZero()) {
            continue;
        }
        Integer v =
            exact::integerOfDigits(values[i].digits) *
            exact::powerOfTen(static_cast<std::uint64_t>(values[i].exponent - out.exponent));
        out.value += values[i].negative ? Integer(-v) : v;
    }
    return out;
}

bool positive(const Decimal& d) {
    return !d.isZero() && !d.negative;
}

} // namespace

std::optional<Decimal> responseRatio(const Decimal& value, const Decimal& internalStandard) {
    if (!positive(internalStandard)) {
        return std::nullopt;
    }
    return quotient(value, internalStandard, kRatioDigits);
}

std::variant<RowRatio, RatioProblem> rowRatio(std::span<const Decimal> readings,
                                              std::span<const Decimal> internalStandards) {
    if (readings.empty()) {
        return RatioProblem{RatioProblem::Kind::NoReading, 0};
    }
    if (internalStandards.size() != 1 && internalStandards.size() != readings.size()) {
        return RatioProblem{RatioProblem::Kind::CountMismatch, 0};
    }
    for (std::size_t i = 0; i < internalStandards.size(); ++i) {
        if (!positive(internalStandards[i])) {
            return RatioProblem{RatioProblem::Kind::InternalStandardNotPositive, i};
        }
    }
    RowRatio out;
    out.readings = static_cast<int>(readings.size());
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const Decimal& is = internalStandards[internalStandards.size() == 1 ? 0 : i];
        out.ratios.push_back(*responseRatio(readings[i], is));
    }
    const ExactSum total = exactSum(out.ratios);
    out.mean =
        exact::toLongDouble(total.value, Integer(total.count), exact::Scale{total.exponent, 0});
    return out;
}

std::optional<double> meanInternalStandard(std::span<const Decimal> standards,
                                           std::span<const bool> excluded) {
    const ExactSum total = exactSum(standards, excluded);
    if (total.count == 0) {
        return std::nullopt;
    }
    if (total.value == 0) {
        return 0.0;
    }
    const bool negative = total.value < 0;
    const auto magnitude = exact::toDouble(negative ? Integer(-total.value) : total.value,
                                           Integer(total.count), exact::Scale{total.exponent, 0});
    if (!magnitude) {
        return std::nullopt;
    }
    return negative ? -*magnitude : *magnitude;
}

std::optional<double> internalStandardRecovery(std::span<const Decimal> row,
                                               std::span<const Decimal> standards,
                                               std::span<const bool> excluded) {
    const ExactSum rowSum = exactSum(row);
    const ExactSum standardSum = exactSum(standards, excluded);
    if (rowSum.count == 0 || standardSum.count == 0 || standardSum.value <= 0) {
        return std::nullopt;
    }
    if (rowSum.value == 0) {
        return 0.0;
    }
    // 100 * (rowSum / k) / (standardSum / n)
    const bool negative = rowSum.value < 0;
    const Integer numerator =
        (negative ? Integer(-rowSum.value) : rowSum.value) * 100 * standardSum.count;
    const Integer denominator = standardSum.value * rowSum.count;
    const auto magnitude = exact::toDouble(numerator, denominator,
                                           exact::Scale{rowSum.exponent - standardSum.exponent, 0});
    if (!magnitude) {
        return std::nullopt;
    }
    return negative ? -*magnitude : *magnitude;
}

InversePrediction withInternalStandardConcentration(const InversePrediction& prediction,
                                                    double cIS) {
    InversePrediction out = prediction;
    if (!(cIS > 0) || !std::isfinite(cIS)) {
        out.x0.reset();
        out.sX0.reset();
        out.problem = InversePrediction::Problem::OutOfRange;
        return out;
    }
    const auto scaled = [cIS](std::optional<double> value) -> std::optional<double> {
        if (!value) {
            return std::nullopt;
        }
        const long double product = static_cast<long double>(*value) * cIS;
        const double rounded = static_cast<double>(product);
        if (!std::isfinite(rounded) || (product != 0 && rounded == 0)) {
            return std::nullopt;
        }
        return rounded;
    };
    out.x0 = scaled(prediction.x0);
    out.sX0 = out.x0 ? scaled(prediction.sX0) : std::nullopt;
    if ((prediction.x0 && !out.x0) || (prediction.sX0 && !out.sX0)) {
        out.problem = InversePrediction::Problem::OutOfRange;
    }
    return out;
}

std::optional<double> responseFactor(const ModelFit& fit) {
    if (fit.model != Model::Origin || fit.n != 1) {
        return std::nullopt;
    }
    return fit.b;
}

} // namespace calc
