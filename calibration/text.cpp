#include "calibration/text.h"

#include <cstdio>

namespace calibration::text {
namespace {

struct Range {
    char32_t first, last;
};

// The format characters (general category Cf) of Unicode 15.1.
constexpr Range kFormat[] = {
    {0xAD, 0xAD},       {0x600, 0x605},     {0x61C, 0x61C},     {0x6DD, 0x6DD},
    {0x70F, 0x70F},     {0x890, 0x891},     {0x8E2, 0x8E2},     {0x180E, 0x180E},
    {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
    {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
    {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
};

void appendCode(std::string& out, const char* form, unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, form, value);
    out += buffer;
}

// Appends the character at `pos` as shown(), moving `pos` past it.
void appendShown(std::string& out, std::string_view text, std::size_t& pos, NameBytes bytes) {
    const std::size_t start = pos;
    const char32_t code = decode(text, pos);
    if (code == 0xFFFD && pos - start == 1) {
        appendCode(out, "\\x%02X", static_cast<unsigned char>(text[start]));
    } else if (bytes == NameBytes::AsBytes && code >= 0xDC80 && code <= 0xDCFF) {
        appendCode(out, "\\x%02X", unsigned(code - 0xDC00));
    } else if (hiddenInMessage(code)) {
        appendCode(out, code > 0xFFFF ? "\\U%08X" : "\\u%04X", unsigned(code));
    } else {
        out.append(text.substr(start, pos - start));
    }
}

} // namespace

char32_t decode(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0FU;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07U;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0U) != 0x80U) {
            ++pos;
            return 0xFFFD;
        }
        code = (code << 6U) | (next & 0x3FU);
    }
    pos += length;
    return code;
}

bool hiddenInMessage(char32_t code) {
    if (code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029 ||
        (code >= 0xD800 && code <= 0xDFFF)) {
        return true;
    }
    for (const Range& range : kFormat) {
        if (code >= range.first && code <= range.last) {
            return true;
        }
    }
    return false;
}

std::string shown(std::string_view text, NameBytes bytes) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        appendShown(out, text, i, bytes);
    }
    return out;
}

std::string quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        if (count == kShown) {
            out += "…";
            break;
        }
        appendShown(out, text, i, NameBytes::AsCodes);
    }
    out += '"';
    return out;
}

bool unsafeInText(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x061C ||
           (code >= 0x200E && code <= 0x200F) || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069) || code == 0x2028 || code == 0x2029;
}

bool isSpace(char32_t code) {
    return (code >= 0x09 && code <= 0x0D) || code == 0x20 || code == 0x85 || code == 0xA0 ||
           code == 0x1680 || (code >= 0x2000 && code <= 0x200A) || code == 0x2028 ||
           code == 0x2029 || code == 0x202F || code == 0x205F || code == 0x3000;
}

std::string_view trimmed(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t next = start;
        if (!isSpace(decode(text, next))) {
            break;
        }
        start = next;
    }
    std::size_t end = start;
    for (std::size_t i = start; i < text.size();) {
        const bool space = isSpace(decode(text, i));
        if (!space) {
            end = i;
        }
    }
    return text.substr(start, end - start);
}

std::size_t utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        units += decode(text, i) > 0xFFFF ? 2 : 1;
    }
    return units;
}

} // namespace calibration::text
