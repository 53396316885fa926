#include "calc/shown_number.h"

#include "calc/full_precision.h"
#include "calc/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace calc {

namespace {

// The decimal exponents written plainly: a millionth to below 10^15.
constexpr int kLowestPlain = -6;
constexpr int kHighestPlain = 14;

// A number in scientific form split into its parts: "-1.2300e-05" -> negative, "123", -5 (the
// trailing zeros dropped).
struct Scientific {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Scientific split(const char* first, const char* last) {
    Scientific parts;
    const char* at = first;
    if (at != last && *at == '-') {
        parts.negative = true;
        ++at;
    }
    for (; at != last && *at != 'e'; ++at) {
        if (*at != '.') {
            parts.digits += *at;
        }
    }
    if (at != last) {
        std::from_chars(at + (at[1] == '+' ? 2 : 1), last, parts.exponent);
    }
    while (parts.digits.size() > 1 && parts.digits.back() == '0') {
        parts.digits.pop_back();
    }
    return parts;
}

std::string compose(const Scientific& parts) {
    std::string out = parts.negative ? "-" : "";
    const std::string& d = parts.digits;
    const int e = parts.exponent;
    if (e >= kLowestPlain && e <= kHighestPlain) {
        if (e < 0) {
            out += "0.";
            out.append(std::size_t(-e - 1), '0');
            out += d;
        } else if (std::size_t(e) + 1 >= d.size()) {
            out += d;
            out.append(std::size_t(e) + 1 - d.size(), '0');
        } else {
            out += d.substr(0, std::size_t(e) + 1);
            out += '.';
            out += d.substr(std::size_t(e) + 1);
        }
        return out;
    }
    out += d[0];
    if (d.size() > 1) {
        out += '.';
        out += d.substr(1);
    }
    const int size = std::abs(e);
    out += e < 0 ? "e-" : "e+";
    if (size < 10) {
        out += '0';
    }
    out += std::to_string(size);
    return out;
}

// Zero and what is not finite, as fullPrecision writes them; none for any other value.
bool special(double value, std::string& text) {
    if (value == 0.0) {
        text = "0";
        return true;
    }
    if (!std::isfinite(value)) {
        text = fullPrecision(value);
        return true;
    }
    return false;
}

} // namespace

std::string shownSignificant(double value, int digits) {
    std::string text;
    if (special(value, text)) {
        return text;
    }
    // 17 significant digits tell every double apart; more would only write the binary's tail.
    digits = std::clamp(digits, 1, 17);
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, digits - 1);
    return compose(split(buffer, written.ptr));
}

std::string shownShortest(double value) {
    std::string text;
    if (special(value, text)) {
        return text;
    }
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return compose(split(buffer, written.ptr));
}

std::string shownWithDecimals(double value, int significant, int decimals) {
    std::string text;
    if (special(value, text)) {
        return value == 0.0 && decimals > 0 ? "0." + std::string(std::size_t(decimals), '0') : text;
    }
    decimals = std::clamp(decimals, 0, 15);
    // Enough digits to reach the decimals asked for: the exponent of the value's leading digit.
    const int leading = int(std::floor(std::log10(std::fabs(value))));
    text = shownSignificant(value, std::max(significant, leading + 1 + decimals));
    if (text.find('e') != std::string::npos) {
        return text;
    }
    const std::size_t point = text.find('.');
    const int has = point == std::string::npos ? 0 : int(text.size() - point - 1);
    if (has < decimals) {
        if (point == std::string::npos) {
            text += '.';
        }
        text.append(std::size_t(decimals - has), '0');
    }
    return text;
}

int typedDecimals(std::string_view text) {
    if (!strictParse(text)) {
        return 0;
    }
    const std::size_t start = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    text = text.substr(start, end - start + 1);
    const std::size_t mark = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, mark);
    const std::size_t point = mantissa.find('.');
    long long decimals =
        point == std::string_view::npos ? 0 : (long long)(mantissa.size() - point - 1);
    if (mark != std::string_view::npos) {
        std::string_view exponent = text.substr(mark + 1);
        if (!exponent.empty() && exponent[0] == '+') {
            exponent.remove_prefix(1);
        }
        long long power = 0;
        const auto read =
            std::from_chars(exponent.data(), exponent.data() + exponent.size(), power);
        if (read.ec != std::errc()) {
            // An exponent beyond any count of decimals shown.
            power = exponent.starts_with('-') ? -1000 : 1000;
        }
        decimals -= power;
    }
    return int(std::clamp(decimals, 0LL, 15LL));
}

} // namespace calc
