#include "calc/sample.h"

#include "calc/number_text.h"

#include <cmath>

namespace calc {

Range rangeTest(std::string_view sample, std::string_view upper, std::string_view lower) {
    const std::optional<double> value = strictParse(sample);
    if (!value) {
        return Range::SampleNotNumber;
    }
    const std::optional<double> upperBound = strictParse(upper);
    const std::optional<double> lowerBound = strictParse(lower);
    if (!upperBound || !lowerBound) {
        return Range::BoundsNotNumber;
    }
    if (*value > *upperBound || *value < *lowerBound) {
        return Range::Outside;
    }
    return Range::Inside;
}

std::optional<double> concentration(std::string_view sample, double intercept, double slope) {
    const double difference = lenientParse(sample) - intercept;
    const double result = difference / slope;
    if (!std::isfinite(result)) {
        return std::nullopt;
    }
    return result;
}

} // namespace calc
