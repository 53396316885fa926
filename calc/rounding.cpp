#include "calc/rounding.h"

#include "calc/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace calc {
namespace {

// A decimal as digits and the place of its point: value = 0.digits * 10^point, the digits without
// leading or trailing zeros ("" for zero). 2.675 -> "2675", 1; 0.025 -> "25", -1.
struct DigitText {
    bool negative = false;
    std::string digits;
    std::int64_t point = 0;
};

// The shortest round-trip text of a finite double, taken apart.
DigitText digitsOf(double value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    DigitText d;
    if (!text.empty() && text.front() == '-') {
        d.negative = true;
        text.remove_prefix(1);
    }
    std::int64_t exponent = 0;
    if (const auto e = text.find('e'); e != std::string_view::npos) {
        std::string_view power = text.substr(e + 1);
        if (!power.empty() && power.front() == '+') {
            power.remove_prefix(1);
        }
        std::from_chars(power.data(), power.data() + power.size(), exponent);
        text = text.substr(0, e);
    }
    std::int64_t before = 0; // digits before the point
    bool seenPoint = false;
    for (const char c : text) {
        if (c == '.') {
            seenPoint = true;
        } else {
            d.digits.push_back(c);
            before += seenPoint ? 0 : 1;
        }
    }
    d.point = before + exponent;
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
        d.point = 0;
        return d;
    }
    d.digits.erase(0, first);
    d.point -= static_cast<std::int64_t>(first);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

// Keeps the first `keep` digits (keep may be <= 0: the rounding place lies before the first
// digit, and what is left is "" or a carried "1"), half to even or upward. A carry out of the
// first digit moves the point.
void roundTo(DigitText& d, std::int64_t keep, Direction direction) {
    const auto size = static_cast<std::int64_t>(d.digits.size());
    if (keep >= size) {
        return;
    }
    // Trailing zeros are gone: a digit dropped is a nonzero rest.
    bool up = direction == Direction::Upward;
    if (!up && keep >= 0) {
        const char next = d.digits[static_cast<std::size_t>(keep)];
        const bool restNonzero = keep + 1 < size;
        const bool previousOdd =
            keep > 0 && (d.digits[static_cast<std::size_t>(keep - 1)] - '0') % 2 == 1;
        up = next > '5' || (next == '5' && (restNonzero || previousOdd));
    }
    d.digits.resize(static_cast<std::size_t>(std::max<std::int64_t>(keep, 0)));
    if (keep < 0) {
        d.point -= keep; // the place rounded to, where a carry leaves its digit
    }
    if (up) {
        auto i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9') {
            d.digits[--i] = '0';
        }
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[i - 1];
        }
    }
}

// Plain notation with `decimals` digits after the point.
std::string render(const DigitText& d, std::int64_t decimals) {
    const auto digitAt = [&](std::int64_t i) {
        return i >= 0 && i < static_cast<std::int64_t>(d.digits.size())
                   ? d.digits[static_cast<std::size_t>(i)]
                   : '0';
    };
    std::string text;
    if (d.negative && !d.digits.empty()) {
        text.push_back('-');
    }
    if (d.point <= 0 || d.digits.empty()) {
        text.push_back('0');
    } else {
        for (std::int64_t i = 0; i < d.point; ++i) {
            text.push_back(digitAt(i));
        }
    }
    if (decimals > 0) {
        text.push_back('.');
        const std::int64_t first = d.digits.empty() ? 0 : d.point;
        for (std::int64_t j = 0; j < decimals; ++j) {
            text.push_back(d.digits.empty() ? '0' : digitAt(first + j));
        }
    }
    return text;
}

// Exponent notation with `count` digits, as strForm writes it: "4.94E-324", "1.80E+308", "1E+22".
std::string renderExponent(const DigitText& d, std::int64_t count) {
    const auto digitAt = [&](std::int64_t i) {
        return i < static_cast<std::int64_t>(d.digits.size())
                   ? d.digits[static_cast<std::size_t>(i)]
                   : '0';
    };
    std::string text;
    if (d.negative) {
        text.push_back('-');
    }
    text.push_back(digitAt(0));
    if (count > 1) {
        text.push_back('.');
        for (std::int64_t i = 1; i < count; ++i) {
            text.push_back(digitAt(i));
        }
    }
    const std::int64_t exponent = d.point - 1;
    text += exponent < 0 ? "E-" : "E+";
    const std::string power = std::to_string(exponent < 0 ? -exponent : exponent);
    if (power.size() < 2) {
        text.push_back('0');
    }
    return text + power;
}

// Plain notation within the decimal exponents strForm writes plainly, -4 to 14.
bool plainFits(const DigitText& d) {
    return d.digits.empty() || (d.point - 1 >= -4 && d.point - 1 <= 14);
}

} // namespace

std::string roundSignificant(double value, int digits, Direction direction, Notation notation) {
    if (!std::isfinite(value)) {
        return formatNumber(value, NumberStyle::shortestRoundTrip());
    }
    const std::int64_t wanted = std::max(digits, 1);
    DigitText d = digitsOf(value);
    if (d.digits.empty()) {
        return render(d, wanted - 1); // zero as if its one digit stood before the point
    }
    roundTo(d, wanted, direction);
    if (notation == Notation::Result && !plainFits(d)) {
        return renderExponent(d, wanted);
    }
    // After a carry (9.995 -> "1000", point 2) the point has moved: "10.0" shows `wanted` digits.
    return render(d, std::max<std::int64_t>(wanted - d.point, 0));
}

std::string roundDecimals(double value, int decimals, Direction direction, Notation notation) {
    return roundToPlace(value, -std::max(decimals, 0), direction, notation);
}

std::string roundToPlace(double value, int place, Direction direction, Notation notation) {
    if (!std::isfinite(value)) {
        return formatNumber(value, NumberStyle::shortestRoundTrip());
    }
    const std::int64_t decimals = -static_cast<std::int64_t>(place);
    DigitText d = digitsOf(value);
    roundTo(d, d.point + decimals, direction);
    // A small figure has at most 15 decimals: only one of 10^15 or more leaves plain notation,
    // with every digit it has (a carry leaves zeros behind its "1") and no decimal beyond them.
    if (notation == Notation::Result && !d.digits.empty() && d.point - 1 > 14) {
        const auto last = d.digits.find_last_not_of('0');
        return renderExponent(d, std::int64_t(last) + 1);
    }
    // Digits between the last one kept and the point are written as zeros.
    return render(d, std::max<std::int64_t>(decimals, 0));
}

} // namespace calc
