#include "io/encoding.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace io {

std::optional<calibration::Message> textBytesProblem(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "文件是空的"));
    }
    const calibration::Message utf16 =
        ioMessage(QT_TRANSLATE_NOOP("io", "文件是UTF-16编码，请另存为UTF-8"));
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)) ||
        bytes.startsWith(QByteArrayView("\0\0\xFE\xFF", 4))) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "文件是UTF-32编码，请另存为UTF-8"));
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        return utf16;
    }
    if (!bytes.contains('\0')) {
        return std::nullopt;
    }
    // UTF-16 without a mark: ASCII characters (digits, separators, line ends) put a NUL in every
    // second byte, on the same side. Chinese characters give few NULs, so a quarter is enough;
    // binary data has its NULs on both sides.
    const qsizetype sampled = std::min<qsizetype>(bytes.size(), 1 << 16);
    qsizetype even = 0;
    qsizetype odd = 0;
    for (qsizetype i = 0; i < sampled; ++i) {
        if (bytes[i] == '\0') {
            ++(i % 2 == 0 ? even : odd);
        }
    }
    const qsizetype half = sampled / 2;
    const auto oneSided = [half](qsizetype many, qsizetype few) {
        return half > 0 && many * 4 >= half && few * 8 <= many;
    };
    if (oneSided(even, odd) || oneSided(odd, even)) {
        return utf16;
    }
    return ioMessage(QT_TRANSLATE_NOOP("io", "文件含有二进制数据，不是文本文件"));
}

std::optional<calibration::Message> controlCharacterProblem(QStringView text) {
    const bool control = std::any_of(text.begin(), text.end(), [](QChar ch) {
        return ch.unicode() < 0x20 && ch != u'\t' && ch != u'\n' && ch != u'\r';
    });
    if (control) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "文件含有二进制数据，不是文本文件"));
    }
    return std::nullopt;
}

Expected<QString> decodeSpreadsheetText(const QByteArray& bytes) {
    if (const auto problem = textBytesProblem(bytes)) {
        return Error{{}, {}, *problem};
    }
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArrayView body = QByteArrayView(bytes).sliced(marked ? 3 : 0);

    // Stateless: a sequence cut off at the end is an error rather than silently dropped.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    bool decoded = !utf8.hasError();
    if (!decoded && !marked) {
        QStringDecoder gb18030("GB18030", QStringDecoder::Flag::Stateless);
        if (gb18030.isValid()) {
            text = gb18030.decode(body);
            decoded = !gb18030.hasError();
        }
    }
    if (!decoded) {
        return Error{
            {}, {}, ioMessage(QT_TRANSLATE_NOOP("io", "文件编码无法识别（应为UTF-8或GB18030）"))};
    }
    if (const auto problem = controlCharacterProblem(text)) {
        return Error{{}, {}, *problem};
    }
    return text;
}

} // namespace io
