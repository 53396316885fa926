#include "calibration/text.h"

namespace calibration::text {

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
