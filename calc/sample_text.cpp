#include "calc/sample_text.h"

#include "calc/number_text.h"

#include <cmath>

namespace calc {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<double> finiteNumber(std::string_view text) {
    const auto value = strictParse(text);
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::variant<std::vector<double>, SampleTextError> parseReadings(std::string_view text) {
    std::vector<double> readings;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !isBlank(text[end])) {
            ++end;
        }
        const std::string_view token = text.substr(i, end - i);
        const auto value = finiteNumber(token);
        if (!value) {
            return SampleTextError{SampleTextProblem::ReadingNotNumber, std::string(token)};
        }
        readings.push_back(*value);
        i = end;
    }
    if (readings.empty()) {
        return SampleTextError{SampleTextProblem::NoReading, std::string(text)};
    }
    if (readings.size() > kMaxReadings) {
        return SampleTextError{SampleTextProblem::TooManyReadings, std::string(text)};
    }
    return readings;
}

std::variant<double, SampleTextError> parseDilution(std::string_view text) {
    const std::string_view core = trimmed(text);
    if (core.empty()) {
        return 1.0;
    }
    const auto value = finiteNumber(core);
    if (!value) {
        return SampleTextError{SampleTextProblem::DilutionNotNumber, std::string(core)};
    }
    if (!(*value > 0.0)) {
        return SampleTextError{SampleTextProblem::DilutionNotPositive, std::string(core)};
    }
    return *value;
}

} // namespace calc
