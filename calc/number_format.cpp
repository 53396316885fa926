#include "calc/number_format.h"

#include "calc/rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace calc {

namespace {

std::string shortestRoundTrip(double value) {
    char buffer[32]; // the longest shortest form, "-2.2250738585072014e-308", has 24 characters
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

// The shortest digits in printf's %g layout with its default precision of six: the exponent form
// for a decimal exponent below -4 or from 6 on.
std::string shortestGeneral(double value) {
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
    return std::string(buffer, written.ptr);
}

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

// Zero and what is not finite, as shortestRoundTrip writes them; none for any other value.
bool special(double value, std::string& text) {
    if (value == 0.0) {
        // Not `text = "0"`: GCC 12 then warns of an overlapping copy that cannot happen
        // (-Wrestrict on the inlined std::string::assign).
        text.assign(1, '0');
        return true;
    }
    if (!std::isfinite(value)) {
        text = shortestRoundTrip(value);
        return true;
    }
    return false;
}

std::string significant(double value, int digits) {
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

std::string readableShortest(double value) {
    std::string text;
    if (special(value, text)) {
        return text;
    }
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return compose(split(buffer, written.ptr));
}

std::string withDecimals(double value, int wanted, int decimals) {
    std::string text;
    if (special(value, text)) {
        return value == 0.0 && decimals > 0 ? "0." + std::string(std::size_t(decimals), '0') : text;
    }
    decimals = std::clamp(decimals, 0, 15);
    // Enough digits to reach the decimals asked for: the exponent of the value's leading digit.
    const int leading = int(std::floor(std::log10(std::fabs(value))));
    text = significant(value, std::max(wanted, leading + 1 + decimals));
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

// printf's conversions as Qt writes them. std::to_chars rounds an exact tie to even; Qt rounds it
// away from zero: 2.5 to no decimals is "3", 0.125 to two is "0.13". And Qt drops the sign of -0.

// Whether the value lies exactly halfway at the digit after the `kept` significant digits, and
// whether its last kept digit is even (to_chars then rounded it toward zero).
bool tieRoundedDown(double value, long kept) {
    if (kept < 0) {
        return false; // the tie would be a "5" before the first digit: no tie
    }
    // Every digit of a double: at most 767 significant ones.
    char buffer[800];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 780);
    std::string digits;
    for (const char* at = buffer; at != written.ptr && *at != 'e'; ++at) {
        if (*at >= '0' && *at <= '9') {
            digits += *at;
        }
    }
    const auto at = std::size_t(kept);
    if (at >= digits.size() || digits[at] != '5' ||
        digits.find_first_not_of('0', at + 1) != std::string::npos) {
        return false;
    }
    return at == 0 || (digits[at - 1] - '0') % 2 == 0;
}

// One unit added to the last digit of "-12.99" or "9.99e+02", carrying: "-13.00", "1.00e+03".
std::string carried(std::string text) {
    const std::size_t mark = text.find('e');
    std::size_t end = mark == std::string::npos ? text.size() : mark;
    std::size_t i = end;
    while (i > 0) {
        --i;
        if (text[i] == '.') {
            continue;
        }
        if (text[i] == '-') {
            ++i;
            break;
        }
        if (text[i] != '9') {
            ++text[i];
            return text;
        }
        text[i] = '0';
        if (i == 0) {
            break;
        }
    }
    // Carried out of the first digit.
    if (mark == std::string::npos) {
        text.insert(i, 1, '1');
        return text;
    }
    // "0.00e+03" after "9.99e+02": the mantissa "1.00", the exponent one higher.
    text[i] = '1';
    const int exponent = std::atoi(text.c_str() + mark + 1) + 1;
    const int size = std::abs(exponent);
    return text.substr(0, mark) + (exponent < 0 ? "e-" : "e+") + (size < 10 ? "0" : "") +
           std::to_string(size);
}

// The decimal exponent of the value's leading digit, before rounding.
int leadingExponent(double value) {
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    // The exponent is read within what was written: the buffer holds no terminating zero.
    const char* e = std::find(buffer, written.ptr, 'e');
    int exponent = 0;
    if (e != written.ptr) {
        std::from_chars(e + (e[1] == '+' ? 2 : 1), written.ptr, exponent);
    }
    return exponent;
}

std::string qtFixed(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 400);
    if (value == 0) {
        value = 0.0;
    }
    std::string text(std::size_t(decimals) + 340, '\0');
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::fixed, decimals);
    text.resize(std::size_t(written.ptr - text.data()));
    if (std::isfinite(value) && value != 0 &&
        tieRoundedDown(value, long(leadingExponent(value)) + 1 + decimals)) {
        text = carried(text);
    }
    return text;
}

std::string qtExponent(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 400);
    if (value == 0) {
        value = 0.0;
    }
    std::string text(std::size_t(decimals) + 40, '\0');
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::scientific, decimals);
    text.resize(std::size_t(written.ptr - text.data()));
    if (std::isfinite(value) && value != 0 && tieRoundedDown(value, long(decimals) + 1)) {
        text = carried(text);
    }
    return text;
}

// Trailing zeros after the point dropped, and the point with them: "2.500e-05" -> "2.5e-05".
std::string trimmed(const std::string& text) {
    const std::size_t mark = std::min(text.find('e'), text.size());
    std::string digits = text.substr(0, mark);
    if (digits.find('.') != std::string::npos) {
        digits.erase(digits.find_last_not_of('0') + 1);
        if (digits.back() == '.') {
            digits.pop_back();
        }
    }
    return digits + text.substr(mark);
}

// %g: the exponent form when the rounded exponent is below -4 or not below the precision.
std::string qtGeneral(double value, int precision) {
    precision = std::max(precision, 1);
    if (!std::isfinite(value)) {
        return shortestRoundTrip(value);
    }
    const std::string scientific = qtExponent(value, precision - 1);
    const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    if (exponent < -4 || exponent >= precision) {
        return trimmed(scientific);
    }
    return trimmed(qtFixed(value, precision - 1 - exponent));
}

std::string coefficient(double value) {
    if (value == 0.0) {
        return "0"; // never "-0", nor "0.000"
    }
    // Plain digits, as a laboratory writes them, unless they would run long: 1.234e-07.
    const double size = std::fabs(value);
    if (size < 1e-6 || size >= 1e15) {
        return qtExponent(value, 3);
    }
    return roundSignificant(value, 4);
}

std::string worksheetForm(double value) {
    if (std::isnan(value)) {
        return " NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? " Inf" : "-Inf";
    }
    if (value == 0.0) {
        return " 0"; // also -0.0: (0 - 0) / -0.5 is shown as " 0"
    }

    // to_chars with a precision rounds the exact binary value correctly, and an exact tie half
    // to even. Scientific form with 14 decimals gives the 15 significant digits and the decimal
    // exponent after rounding: 999999999999999.9 -> "1.00000000000000e+15".
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t ePos = scientific.find('e');

    std::string digits;
    digits += scientific[0];
    digits += scientific.substr(2, ePos - 2);
    digits.erase(digits.find_last_not_of('0') + 1); // the leading digit is never 0

    const char exponentSign = scientific[ePos + 1];
    const std::string_view exponentDigits = scientific.substr(ePos + 2);
    int exponent = 0;
    std::from_chars(exponentDigits.data(), exponentDigits.data() + exponentDigits.size(), exponent);
    if (exponentSign == '-') {
        exponent = -exponent;
    }

    std::string text(1, value < 0 ? '-' : ' ');
    if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            // 0.000123 -> ".000123": no "0" before the point
            text += '.';
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += digits;
        } else {
            const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= wholeDigits) {
                text += digits; // 100 -> "100": digits "1" and two zeros
                text.append(wholeDigits - digits.size(), '0');
            } else {
                text += digits.substr(0, wholeDigits);
                text += '.';
                text += digits.substr(wholeDigits);
            }
        }
    } else {
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text += digits.substr(1);
        }
        text += 'E';
        text += exponentSign;
        if (exponentDigits.size() < 2) {
            text += '0'; // to_chars already writes at least two digits; keep the rule local
        }
        text += exponentDigits;
    }
    return text;
}

} // namespace

std::string formatNumber(double value, NumberStyle style) {
    using Kind = NumberStyle::Kind;
    switch (style.kind) {
    case Kind::ShortestRoundTrip:
        return shortestRoundTrip(value);
    case Kind::ShortestGeneral:
        return shortestGeneral(value);
    case Kind::Significant:
        return significant(value, style.digits);
    case Kind::ReadableShortest:
        return readableShortest(value);
    case Kind::WithDecimals:
        return withDecimals(value, style.digits, style.decimals);
    case Kind::Coefficient:
        return coefficient(value);
    case Kind::Fixed:
        return qtFixed(value, style.digits);
    case Kind::Exponent:
        return qtExponent(value, style.digits);
    case Kind::General:
        return qtGeneral(value, style.digits);
    case Kind::Tick:
    case Kind::TickExponent: {
        if (value == 0) {
            return "0";
        }
        std::string text = trimmed(style.kind == Kind::Tick ? qtFixed(value, style.digits)
                                                            : qtExponent(value, style.digits));
        return text == "-0" ? "0" : text;
    }
    case Kind::Worksheet:
        return worksheetForm(value);
    }
    return shortestRoundTrip(value);
}

void appendNumber(std::string& out, double value, NumberStyle style) {
    if (style.kind == NumberStyle::Kind::ShortestRoundTrip) {
        char buffer[32];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
        out.append(buffer, written.ptr);
        return;
    }
    out += formatNumber(value, style);
}

} // namespace calc
