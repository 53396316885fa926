#include "calc/number_text.h"

#include "calc/number_format.h"
#include "calc/utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace calc {
namespace {

bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// The lenient parse skips these wherever they stand, also between digits.
bool isIgnoredByLenientParse(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n';
}

// Reads the text as the lenient parse sees it: with blanks, tabs and line feeds left out.
class LenientCursor {
public:
    explicit LenientCursor(std::string_view text) : text_(text) {}

    // The next character that counts, or '\0' at the end (a '\0' in the text ends a number
    // just the same).
    char peek() {
        skipIgnored();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() {
        skipIgnored();
        ++pos_;
    }

private:
    void skipIgnored() {
        while (pos_ < text_.size() && isIgnoredByLenientParse(text_[pos_])) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The decimal exponent of the leading digit of a well-formed unsigned numeral such as
// "0012.5e3" (-> 4) or ".0005e-2" (-> -6). Only its sign is used: to tell an overflow from an
// underflow, which from_chars both report as result_out_of_range. The exponent saturates, so
// "1e99999999999999999999" still counts as large.
long long leadingDecimalExponent(std::string_view numeral) {
    constexpr long long saturation = 1'000'000'000'000'000LL;
    const std::size_t ePos = numeral.find_first_of("eE");
    const std::string_view mantissa = numeral.substr(0, ePos);

    long long exponent = 0;
    if (ePos != std::string_view::npos) {
        std::size_t i = ePos + 1;
        const bool negative = numeral[i] == '-';
        if (numeral[i] == '-' || numeral[i] == '+') {
            ++i;
        }
        for (; i < numeral.size(); ++i) {
            exponent = std::min(saturation, exponent * 10 + (numeral[i] - '0'));
        }
        if (negative) {
            exponent = -exponent;
        }
    }

    // Digits of the whole part from the first non-zero one on, or else the zeros between the
    // point and the first non-zero digit of the fraction.
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstNonZero = mantissa.find_first_not_of("0.");
    if (firstNonZero == std::string_view::npos) {
        return std::numeric_limits<long long>::min(); // zero; from_chars never fails on it
    }
    if (firstNonZero < point) {
        return exponent + static_cast<long long>(point - firstNonZero) - 1;
    }
    return exponent - static_cast<long long>(firstNonZero - point);
}

struct Converted {
    double value;
    bool overflow;
};

// Converts an unsigned numeral "digits[.digits][(e|E)[+|-]digits]" holding at least one mantissa
// digit to the nearest double. from_chars leaves its output untouched when the value is out of
// range, so that case is settled here: infinity above the largest double, zero below the smallest
// subnormal (from_chars itself already returns subnormals).
Converted convertNumeral(std::string_view numeral, bool negative) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(numeral.data(), numeral.data() + numeral.size(), value);
    bool overflow = false;
    if (ec == std::errc::result_out_of_range) {
        overflow = leadingDecimalExponent(numeral) > 0;
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc{} || end != numeral.data() + numeral.size()) {
        value = 0.0; // not reached: callers pass only well-formed numerals
    }
    return {negative ? -value : value, overflow};
}

} // namespace

double lenientParse(std::string_view text) {
    LenientCursor cursor(text);
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.advance();
    }

    std::string numeral;
    bool sawDigit = false;
    bool sawPoint = false;
    for (char ch = cursor.peek();; ch = cursor.peek()) {
        if (isDigit(ch)) {
            sawDigit = true;
        } else if (ch == '.' && !sawPoint) {
            sawPoint = true;
        } else {
            break;
        }
        numeral += ch;
        cursor.advance();
    }
    if (!sawDigit) {
        return 0.0; // "", ".", "-", "$5", ".e5"
    }

    // The exponent belongs to the number only when a digit follows the letter and its sign:
    // "1e5" -> 1e5, but "1e" and "1e+" read as 1.
    const char letter = cursor.peek();
    if (letter == 'E' || letter == 'e' || letter == 'D' || letter == 'd') {
        cursor.advance();
        std::string exponent = "e";
        if (cursor.peek() == '+' || cursor.peek() == '-') {
            exponent += cursor.peek();
            cursor.advance();
        }
        while (isDigit(cursor.peek())) {
            exponent += cursor.peek();
            cursor.advance();
        }
        if (isDigit(exponent.back())) {
            numeral += exponent;
        }
    }
    return convertNumeral(numeral, negative).value;
}

std::optional<double> strictParse(std::string_view text) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
    };
    const auto skipDigits = [&] {
        const std::size_t from = i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
        }
        return i - from;
    };

    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t numeralStart = i;
    std::size_t mantissaDigits = skipDigits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissaDigits += skipDigits();
    }
    if (mantissaDigits == 0) {
        return std::nullopt; // "", "   ", ".", "-", "e5"
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (skipDigits() == 0) {
            return std::nullopt; // "1e", "1e+"
        }
    }
    const std::size_t numeralEnd = i;
    skipBlanks();
    if (i != text.size()) {
        return std::nullopt; // "1.2.3", "1,5", "1 000", "1d2"
    }

    const Converted converted =
        convertNumeral(text.substr(numeralStart, numeralEnd - numeralStart), negative);
    if (converted.overflow) {
        return std::nullopt;
    }
    return converted.value;
}

std::string strForm(double value) {
    return formatNumber(value, NumberStyle::worksheet());
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

std::string leftTruncate(std::string_view text, std::size_t n) {
    return std::string(utf8::firstCharacters(text, n));
}

std::string correlationText(double r) {
    constexpr std::size_t width = 8;
    const std::string full = strForm(r);
    const std::size_t ePos = full.find('E');
    if (ePos == std::string::npos) {
        return leftTruncate(full, width);
    }
    const std::string exponentPart = full.substr(ePos); // "E-05"
    std::string head = full.substr(0, std::min(ePos, width - exponentPart.size()));
    if (head.back() == '.') {
        head.pop_back(); // " 4.5E-100" keeps " 4." before "E-100": shown as " 4E-100"
    }
    return head + exponentPart;
}

double floorTo4(double value) {
    return std::floor(value * 10000.0) / 10000.0;
}

namespace {

// Round half to even without depending on the floating-point rounding mode, then check the
// range of Int on the rounded double.
template <typename Int> std::optional<Int> toInteger(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    double rounded = std::floor(value);
    const double fraction = value - rounded; // exact: value and its floor share their exponent
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<std::int16_t> toInt16(double value) {
    return toInteger<std::int16_t>(value);
}

std::optional<std::int32_t> toInt32(double value) {
    return toInteger<std::int32_t>(value);
}

} // namespace calc
