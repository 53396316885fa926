#include "calc/full_precision.h"

#include <charconv>
#include <system_error>

namespace calc {

std::string fullPrecision(double v) {
    char buffer[32]; // the longest shortest form, "-2.2250738585072014e-308", has 24 characters
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

void appendFullPrecision(std::string& out, double v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}

} // namespace calc
