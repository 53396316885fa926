#include "io/calibration_file.h"

#include "io/encoding.h"
#include "io/files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace io {
namespace {

QString typeName(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Null:
        return u"null"_s;
    case QJsonValue::Bool:
        return u"真假值"_s;
    case QJsonValue::Double:
        return u"数字"_s;
    case QJsonValue::String:
        return u"文字"_s;
    case QJsonValue::Array:
        return u"列表"_s;
    case QJsonValue::Object:
        return u"对象"_s;
    case QJsonValue::Undefined:
        break;
    }
    return u"空"_s;
}

Error fieldError(const QString& path, const QString& reason) {
    return Error{{}, path, reason};
}

// "缺少此项" or "应为文字，不是数字".
Error typeError(const QString& path, const QJsonValue& value, const QString& expected) {
    if (value.isUndefined()) {
        return fieldError(path, u"缺少此项"_s);
    }
    return fieldError(path, u"应为%1，不是%2"_s.arg(expected, typeName(value)));
}

// --- Errors of the JSON text itself --------------------------------------------------------

// The field a byte offset lies in, as a path ("standards[0].C"), found by following the
// brackets, keys and commas before it. Empty at the top level and when nested deeper than any
// calibration is (the path would say nothing).
QString pathAt(QByteArrayView json, qsizetype offset) {
    struct Frame {
        bool object = false;
        bool expectingKey = false;
        QString key;
        qsizetype index = 0;
    };
    constexpr std::size_t kDeepest = 8;
    std::vector<Frame> frames;
    qsizetype i = 0;
    const qsizetype end = std::min(offset, json.size());
    while (i < end) {
        const char ch = json[i];
        if (ch == '"') {
            qsizetype j = i + 1;
            while (j < json.size() && json[j] != '"') {
                j += json[j] == '\\' ? 2 : 1;
            }
            if (!frames.empty() && frames.back().object && frames.back().expectingKey) {
                const QString key =
                    QString::fromUtf8(json.sliced(i + 1, std::min(j, json.size()) - i - 1));
                frames.back().key = key.size() > 40 ? key.first(40) + u'…' : key;
                frames.back().expectingKey = false;
            }
            i = j + 1;
            continue;
        }
        if (ch == '{' || ch == '[') {
            if (frames.size() > kDeepest) {
                return {};
            }
            frames.push_back(Frame{ch == '{', ch == '{', {}, 0});
        } else if ((ch == '}' || ch == ']') && !frames.empty()) {
            frames.pop_back();
        } else if (ch == ',' && !frames.empty()) {
            Frame& frame = frames.back();
            if (frame.object) {
                frame.expectingKey = true;
                frame.key.clear();
            } else {
                ++frame.index;
            }
        }
        ++i;
    }
    QString path;
    for (const Frame& frame : frames) {
        if (!frame.object) {
            path += u"[%1]"_s.arg(frame.index);
        } else if (frame.expectingKey || frame.key.isEmpty()) {
            break;
        } else {
            path += (path.isEmpty() ? u""_s : u"."_s) + frame.key;
        }
    }
    return path;
}

// "第3行第15列", counting characters, not bytes.
QString lineAndColumn(QByteArrayView json, qsizetype offset) {
    qsizetype line = 1;
    qsizetype column = 1;
    const qsizetype end = std::min(offset, json.size());
    for (qsizetype i = 0; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(json[i]);
        if (byte == '\n') {
            ++line;
            column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    return u"第%1行第%2列"_s.arg(line).arg(column);
}

bool isTokenByte(char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
           ch == '+' || ch == '-' || ch == '.';
}

// The number-like word around an offset: Qt points into or just after the word it refused.
struct Token {
    qsizetype start = 0;
    QString text;
};

Token tokenAround(QByteArrayView json, qsizetype offset) {
    qsizetype start = std::min(offset, json.size());
    qsizetype end = start;
    while (start > 0 && isTokenByte(json[start - 1])) {
        --start;
    }
    while (end < json.size() && isTokenByte(json[end])) {
        ++end;
    }
    return Token{start, QString::fromLatin1(json.sliced(start, end - start))};
}

// Qt's reader refuses NaN, Infinity and a number outside a double's range (1e400, 1e-400) all
// as IllegalNumber; the word tells which.
QString illegalNumberReason(const QString& token) {
    const QString shown = token.size() > 40 ? token.first(40) + u'…' : token;
    const QString unsignedToken =
        token.startsWith(u'-') || token.startsWith(u'+') ? token.sliced(1) : token;
    if (!unsignedToken.isEmpty() && unsignedToken.front().isLetter()) {
        return u"数值 %1 无效，JSON中不能有NaN或Infinity"_s.arg(shown);
    }
    if (hasNumberForm(token)) {
        return u"数值 %1 超出范围"_s.arg(shown);
    }
    return u"数值无效"_s;
}

QString syntaxReason(QJsonParseError::ParseError error) {
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return u"对象没有结束（缺少 } 或逗号）"_s;
    case QJsonParseError::MissingNameSeparator:
        return u"缺少冒号"_s;
    case QJsonParseError::UnterminatedArray:
        return u"列表没有结束（缺少 ] 或逗号）"_s;
    case QJsonParseError::MissingValueSeparator:
        return u"缺少逗号"_s;
    case QJsonParseError::IllegalValue:
        return u"不是有效的JSON值"_s;
    case QJsonParseError::TerminationByNumber:
        return u"文件在数字之后意外结束"_s;
    case QJsonParseError::IllegalEscapeSequence:
        return u"转义序列无效"_s;
    case QJsonParseError::IllegalUTF8String:
        return u"不是有效的UTF-8文字"_s;
    case QJsonParseError::UnterminatedString:
        return u"文字没有结束（缺少引号）"_s;
    case QJsonParseError::MissingObject:
        return u"此处应为带引号的键名"_s;
    case QJsonParseError::DeepNesting:
        return u"嵌套太深"_s;
    case QJsonParseError::DocumentTooLarge:
        return u"JSON内容太多"_s;
    case QJsonParseError::GarbageAtEnd:
        return u"JSON对象之后还有多余内容"_s;
    default:
        break;
    }
    return u"不是有效的JSON"_s;
}

// Qt's reader takes what JSON does not allow inside a text: an unknown escape ("\q") and raw
// control characters. The first such place, or nullopt.
struct StringProblem {
    qsizetype offset = 0;
    QString reason;
};

bool isHexDigit(char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

std::optional<StringProblem> stringProblem(QByteArrayView json) {
    bool inString = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char ch = json[i];
        if (!inString) {
            inString = ch == '"';
            continue;
        }
        if (ch == '"') {
            inString = false;
        } else if (static_cast<unsigned char>(ch) < 0x20) {
            const QString code = QString::number(int(ch), 16).toUpper().rightJustified(4, u'0');
            return StringProblem{i, u"文字中有未转义的控制字符 \\u"_s + code};
        } else if (ch == '\\') {
            if (i + 1 >= json.size()) {
                return std::nullopt; // the text is not closed: Qt says so
            }
            const char next = json[i + 1];
            if (next == 'u') {
                qsizetype digits = 0;
                while (digits < 4 && i + 2 + digits < json.size() &&
                       isHexDigit(json[i + 2 + digits])) {
                    ++digits;
                }
                if (digits < 4) {
                    return StringProblem{i, u"转义序列 \\u 之后应为4位十六进制数"_s};
                }
                i += 5;
            } else if (QByteArrayView("\"\\/bfnrt").contains(next)) {
                ++i;
            } else if (next > 0x20 && next < 0x7F) {
                return StringProblem{i, u"转义序列 \\%1 无效"_s.arg(QLatin1Char(next))};
            } else {
                return StringProblem{i, u"转义序列无效"_s};
            }
        }
    }
    return std::nullopt;
}

Error placedError(QByteArrayView json, qsizetype offset, const QString& reason,
                  bool withPath = true) {
    const QString place = lineAndColumn(json, offset);
    const QString path = withPath ? pathAt(json, offset) : QString();
    return Error{{}, path.isEmpty() ? place : u"%1（%2）"_s.arg(path, place), reason};
}

Error syntaxError(QByteArrayView json, const QJsonParseError& error) {
    qsizetype offset = error.offset;
    QString reason = syntaxReason(error.error);
    if (error.error == QJsonParseError::IllegalNumber) {
        const Token token = tokenAround(json, offset);
        offset = token.start;
        reason = illegalNumberReason(token.text);
    }
    return placedError(json, offset, reason, error.error != QJsonParseError::DeepNesting);
}

// --- The calibration's fields -------------------------------------------------------------

// Reads text fields of one object, remembering the first error. The object is the root (no
// list) or element `index` of a list; its path is written only for an error.
class ObjectReader {
public:
    ObjectReader(const QJsonObject& object, QLatin1StringView list = {}, qsizetype index = 0)
        : object_(object), list_(list), index_(index) {}

    QString text(QLatin1StringView key, bool required = true) {
        const QJsonValue value = object_.value(key);
        if (value.isString()) {
            return value.toString();
        }
        if ((required || !value.isUndefined()) && !error_) {
            error_ = typeError(field(key), value, u"文字"_s);
        }
        return {};
    }

    const std::optional<Error>& error() const { return error_; }

private:
    QString field(QLatin1StringView key) const {
        if (list_.isEmpty()) {
            return key.toString();
        }
        return u"%1[%2].%3"_s.arg(list_).arg(index_).arg(key);
    }

    const QJsonObject& object_;
    QLatin1StringView list_;
    qsizetype index_;
    std::optional<Error> error_;
};

QString elementPath(QLatin1StringView list, qsizetype index) {
    return u"%1[%2]"_s.arg(list).arg(index);
}

std::optional<Error> checkFormatAndVersion(const QJsonObject& root) {
    const QJsonValue format = root.value(u"format"_s);
    if (format.isUndefined()) {
        return fieldError(u"format"_s, u"缺少此项，不是Lumetra校准文件"_s);
    }
    if (!format.isString()) {
        return typeError(u"format"_s, format, u"文字"_s);
    }
    const QString expected = QString::fromUtf16(kCalibrationFormat);
    if (format.toString() != expected) {
        return fieldError(u"format"_s, u"应为 \"%1\"，不是 %2"_s.arg(
                                           expected, quotedForMessage(format.toString())));
    }
    const QJsonValue version = root.value(u"version"_s);
    if (!version.isDouble()) {
        return typeError(u"version"_s, version, u"数字"_s);
    }
    const double number = version.toDouble();
    if (number != std::floor(number) || number < 1) {
        return fieldError(u"version"_s, u"版本号 %1 无效"_s.arg(number));
    }
    if (number > kCalibrationVersion) {
        return fieldError(u"version"_s,
                          u"版本%1较新，本程序只能读版本%2"_s.arg(number).arg(kCalibrationVersion));
    }
    return std::nullopt;
}

Expected<QList<Standard>> readStandards(const QJsonObject& root) {
    const QJsonValue value = root.value(u"standards"_s);
    if (!value.isArray()) {
        return typeError(u"standards"_s, value, u"列表"_s);
    }
    const QJsonArray array = value.toArray();
    QList<Standard> standards;
    standards.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonValue element = array.at(i);
        if (!element.isObject()) {
            return typeError(elementPath("standards"_L1, i), element, u"对象"_s);
        }
        const QJsonObject object = element.toObject();
        ObjectReader reader(object, "standards"_L1, i);
        Standard standard{reader.text("C"_L1), reader.text("A"_L1)};
        if (reader.error()) {
            return *reader.error();
        }
        standards.append(std::move(standard));
    }
    return standards;
}

Expected<QList<Sample>> readSamples(const QJsonObject& root) {
    const QJsonValue value = root.value(u"samples"_s);
    if (value.isUndefined()) {
        return QList<Sample>();
    }
    if (!value.isArray()) {
        return typeError(u"samples"_s, value, u"列表"_s);
    }
    const QJsonArray array = value.toArray();
    QList<Sample> samples;
    samples.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonValue element = array.at(i);
        if (!element.isObject()) {
            return typeError(elementPath("samples"_L1, i), element, u"对象"_s);
        }
        const QJsonObject object = element.toObject();
        ObjectReader reader(object, "samples"_L1, i);
        Sample sample;
        sample.name = reader.text("name"_L1);
        sample.readings = reader.text("readings"_L1);
        sample.dilution = reader.text("dilution"_L1);
        sample.mainResult = reader.text("main_result"_L1, false);
        if (reader.error()) {
            return *reader.error();
        }
        samples.append(std::move(sample));
    }
    return samples;
}

// --- Writing -------------------------------------------------------------------------------

// A JSON string. Control characters and unpaired surrogates are escaped, so that every QString
// reads back as it was.
void appendString(QString& out, const QString& text) {
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'"' || ch == u'\\') {
            out += u'\\';
            out += ch;
        } else if (ch == u'\n') {
            out += u"\\n"_s;
        } else if (ch == u'\r') {
            out += u"\\r"_s;
        } else if (ch == u'\t') {
            out += u"\\t"_s;
        } else if (ch.unicode() < 0x20) {
            out += u"\\u%1"_s.arg(uint(ch.unicode()), 4, 16, QChar(u'0'));
        } else if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += ch;
            out += text[++i];
        } else if (ch.isSurrogate()) {
            out += u"\\u%1"_s.arg(uint(ch.unicode()), 4, 16, QChar(u'0'));
        } else {
            out += ch;
        }
    }
    out += u'"';
}

void appendMember(QString& out, QStringView key, const QString& value, bool first = false) {
    if (!first) {
        out += u", "_s;
    }
    out += u'"';
    out += key;
    out += u"\": "_s;
    appendString(out, value);
}

} // namespace

Expected<Calibration> readCalibration(const QByteArray& bytes) {
    if (bytes.size() > kMaxFileBytes) {
        return Error{{}, {}, fileTooLargeReason()};
    }
    if (const auto problem = textBytesProblem(bytes)) {
        return Error{{}, {}, *problem};
    }
    const QByteArrayView json =
        QByteArrayView(bytes).sliced(bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0);
    const QByteArrayView content = json.trimmed();
    if (content.isEmpty()) {
        return Error{{}, {}, u"文件是空的"_s};
    }
    if (content.front() != '{') {
        return Error{{}, {}, u"文件内容不是JSON对象，不是Lumetra校准文件"_s};
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &parseError);
    const bool parsed = parseError.error == QJsonParseError::NoError;
    // The first fault in the file is the one reported, Qt's or that of a text.
    const auto problem = stringProblem(
        json.first(parsed ? json.size() : std::min<qsizetype>(parseError.offset, json.size())));
    if (problem) {
        return placedError(json, problem->offset, problem->reason);
    }
    if (!parsed) {
        return syntaxError(json, parseError);
    }
    const QJsonObject root = document.object();
    if (auto error = checkFormatAndVersion(root)) {
        return *error;
    }
    ObjectReader reader(root);
    Calibration calibration;
    calibration.unit = reader.text("unit"_L1);
    if (reader.error()) {
        return *reader.error();
    }
    Expected<QList<Standard>> standards = readStandards(root);
    if (!standards) {
        return standards.error();
    }
    calibration.standards = std::move(standards).value();
    Expected<QList<Sample>> samples = readSamples(root);
    if (!samples) {
        return samples.error();
    }
    calibration.samples = std::move(samples).value();
    return calibration;
}

QByteArray calibrationBytes(const Calibration& calibration) {
    QString out;
    out += u"{\n    \"format\": "_s;
    appendString(out, QString::fromUtf16(kCalibrationFormat));
    out += u",\n    \"version\": %1,\n    \"unit\": "_s.arg(kCalibrationVersion);
    appendString(out, calibration.unit);
    out += u",\n    \"standards\": ["_s;
    for (qsizetype i = 0; i < calibration.standards.size(); ++i) {
        const Standard& standard = calibration.standards[i];
        out += i == 0 ? u"\n        {"_s : u",\n        {"_s;
        appendMember(out, u"C", standard.c, true);
        appendMember(out, u"A", standard.a);
        out += u'}';
    }
    out += calibration.standards.isEmpty() ? u"],\n    \"samples\": ["_s
                                           : u"\n    ],\n    \"samples\": ["_s;
    for (qsizetype i = 0; i < calibration.samples.size(); ++i) {
        const Sample& sample = calibration.samples[i];
        out += i == 0 ? u"\n        {"_s : u",\n        {"_s;
        appendMember(out, u"name", sample.name, true);
        appendMember(out, u"readings", sample.readings);
        appendMember(out, u"dilution", sample.dilution);
        if (!sample.mainResult.isEmpty()) {
            appendMember(out, u"main_result", sample.mainResult);
        }
        out += u'}';
    }
    out += calibration.samples.isEmpty() ? u"]\n}\n"_s : u"\n    ]\n}\n"_s;
    return out.toUtf8();
}

Expected<Calibration> readCalibrationFile(const QString& path) {
    const Expected<QByteArray> bytes = readFileLimited(path);
    if (!bytes) {
        return bytes.error();
    }
    Expected<Calibration> calibration = readCalibration(bytes.value());
    if (!calibration) {
        Error error = calibration.error();
        error.file = path;
        return error;
    }
    return calibration;
}

std::optional<Error> saveCalibration(const QString& path, const Calibration& calibration) {
    return saveFileAtomically(path, calibrationBytes(calibration));
}

} // namespace io
