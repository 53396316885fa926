#include "io/document_text.h"

#include <algorithm>

namespace io {
namespace {

bool hasSurrogate(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.isSurrogate(); });
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// ED A0..BF xx: a surrogate in the generalized form, which QString::fromUtf8 would replace.
bool hasEncodedSurrogate(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) == 0xED &&
            static_cast<unsigned char>(text[i + 1]) >= 0xA0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string toDocument(const QString& text) {
    if (!hasSurrogate(text)) {
        return text.toStdString();
    }
    std::string out;
    out.reserve(std::size_t(text.size()) * 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            appendUtf8(out, QChar::surrogateToUcs4(ch, text[i + 1]));
            ++i;
        } else {
            appendUtf8(out, ch.unicode());
        }
    }
    return out;
}

QString fromDocument(std::string_view text) {
    if (!hasEncodedSurrogate(text)) {
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    QString out;
    out.reserve(qsizetype(text.size()));
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == 0xED && i + 2 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) >= 0xA0) {
            const char16_t unit = char16_t(((lead & 0x0F) << 12) |
                                           ((static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6) |
                                           (static_cast<unsigned char>(text[i + 2]) & 0x3F));
            out += QChar(unit);
            i += 3;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() &&
               !(static_cast<unsigned char>(text[end]) == 0xED && end + 1 < text.size() &&
                 static_cast<unsigned char>(text[end + 1]) >= 0xA0)) {
            ++end;
        }
        out += QString::fromUtf8(text.data() + i, qsizetype(end - i));
        i = end;
    }
    return out;
}

QString rendered(const calibration::Message& message) {
    return fromDocument(calibration::render(message));
}

} // namespace io
