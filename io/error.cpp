#include "io/error.h"

#include <QCoreApplication>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace io {

namespace {

bool isInvisible(char32_t code) {
    if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
        return true;
    }
    switch (QChar::category(code)) {
    case QChar::Other_Format: // zero-width characters, the bidirectional controls, the BOM
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString hex(uint value, int digits) {
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

QString codeOf(char32_t code) {
    return code > 0xFFFF ? u"\\U"_s + hex(code, 8) : u"\\u"_s + hex(code, 4);
}

// The text with what would not show written as its code. With `bytes`, the lone surrogates
// U+DC80..U+DCFF that pathFromNative makes of the bytes of a name that are not UTF-8 show as
// those bytes.
QString escaped(QStringView text, bool bytes) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(ch, text[i + 1]);
            if (isInvisible(code)) {
                out += codeOf(code);
            } else {
                out += ch;
                out += text[i + 1];
            }
            ++i;
        } else if (bytes && ch.unicode() >= 0xDC80 && ch.unicode() <= 0xDCFF) {
            out += u"\\x"_s + hex(ch.unicode() - 0xDC00U, 2);
        } else if (ch.isSurrogate() || isInvisible(ch.unicode())) {
            out += codeOf(ch.unicode());
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace

QString Error::message() const {
    QStringList parts;
    if (!file.isEmpty()) {
        parts.append(shownPath(file));
    }
    for (const QString* part : {&location, &reason}) {
        if (!part->isEmpty()) {
            parts.append(*part);
        }
    }
    //: Joins a message's file, place and reason: a.csv：第3行：没有数据行
    return parts.join(QCoreApplication::translate("io", "："));
}

QString quotedForMessage(const QString& text) {
    constexpr qsizetype kShown = 40;
    if (text.size() <= kShown) {
        return u'"' + escaped(text, false) + u'"';
    }
    // Never half a character: a cut pair would show as an unpaired surrogate.
    const qsizetype cut =
        text[kShown - 1].isHighSurrogate() && text[kShown].isLowSurrogate() ? kShown - 1 : kShown;
    return u'"' + escaped(QStringView(text).first(cut), false) + u"…\""_s;
}

QString shownPath(const QString& path) {
    return escaped(path, true);
}

} // namespace io
