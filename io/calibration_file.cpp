#include "io/calibration_file.h"

#include "calc/number_format.h"
#include "calibration/data_report.h"
#include "calibration/entries.h"
#include "calibration/keys.h"
#include "calibration/memory.h"
#include "calibration/text.h"
#include "io/calibration.h"
#include "io/document_text.h"
#include "io/encoding.h"
#include "io/files.h"
#include "io/json_object.h"
#include "io/samples_text.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;

namespace io {
namespace {

calibration::Message typeName(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Null:
        return shownText(u"null"_s);
    case QJsonValue::Bool:
        return ioMessage(QT_TRANSLATE_NOOP("io", "真假值"));
    case QJsonValue::Double:
        return ioMessage(QT_TRANSLATE_NOOP("io", "数字"));
    case QJsonValue::String:
        return ioMessage(QT_TRANSLATE_NOOP("io", "文字"));
    case QJsonValue::Array:
        return ioMessage(QT_TRANSLATE_NOOP("io", "列表"));
    case QJsonValue::Object:
        return ioMessage(QT_TRANSLATE_NOOP("io", "对象"));
    case QJsonValue::Undefined:
        break;
    }
    return ioMessage(QT_TRANSLATE_NOOP("io", "空"));
}

Error fieldError(const QString& path, calibration::Message reason) {
    return Error{{}, shownText(path), std::move(reason)};
}

// "缺少此项" or "应为文字，不是数字".
Error typeError(const QString& path, const QJsonValue& value, calibration::Message expected) {
    if (value.isUndefined()) {
        return fieldError(path, ioMessage(QT_TRANSLATE_NOOP("io", "缺少此项")));
    }
    return fieldError(path, ioMessage(QT_TRANSLATE_NOOP("io", "应为%1，不是%2"),
                                      {std::move(expected), typeName(value)}));
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
calibration::Message lineAndColumn(QByteArrayView json, qsizetype offset) {
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
    return ioMessage(QT_TRANSLATE_NOOP("io", "第%1行第%2列"),
                     {std::to_string(line), std::to_string(column)});
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
calibration::Message illegalNumberReason(const QString& token) {
    const QString shown = token.size() > 40 ? token.first(40) + u'…' : token;
    const QString unsignedToken =
        token.startsWith(u'-') || token.startsWith(u'+') ? token.sliced(1) : token;
    if (!unsignedToken.isEmpty() && unsignedToken.front().isLetter()) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "数值 %1 无效，JSON中不能有NaN或Infinity"),
                         {shownArgument(shown)});
    }
    if (hasNumberForm(token)) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "数值 %1 超出范围"), {shownArgument(shown)});
    }
    return ioMessage(QT_TRANSLATE_NOOP("io", "数值无效"));
}

calibration::Message syntaxReason(QJsonParseError::ParseError error) {
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return ioMessage(QT_TRANSLATE_NOOP("io", "对象没有结束（缺少 } 或逗号）"));
    case QJsonParseError::MissingNameSeparator:
        return ioMessage(QT_TRANSLATE_NOOP("io", "缺少冒号"));
    case QJsonParseError::UnterminatedArray:
        return ioMessage(QT_TRANSLATE_NOOP("io", "列表没有结束（缺少 ] 或逗号）"));
    case QJsonParseError::MissingValueSeparator:
        return ioMessage(QT_TRANSLATE_NOOP("io", "缺少逗号"));
    case QJsonParseError::IllegalValue:
        return ioMessage(QT_TRANSLATE_NOOP("io", "不是有效的JSON值"));
    case QJsonParseError::TerminationByNumber:
        return ioMessage(QT_TRANSLATE_NOOP("io", "文件在数字之后意外结束"));
    case QJsonParseError::IllegalEscapeSequence:
        return ioMessage(QT_TRANSLATE_NOOP("io", "转义序列无效"));
    case QJsonParseError::IllegalUTF8String:
        return ioMessage(QT_TRANSLATE_NOOP("io", "不是有效的UTF-8文字"));
    case QJsonParseError::UnterminatedString:
        return ioMessage(QT_TRANSLATE_NOOP("io", "文字没有结束（缺少引号）"));
    case QJsonParseError::MissingObject:
        return ioMessage(QT_TRANSLATE_NOOP("io", "此处应为带引号的键名"));
    case QJsonParseError::DeepNesting:
        return ioMessage(QT_TRANSLATE_NOOP("io", "嵌套太深"));
    case QJsonParseError::DocumentTooLarge:
        return ioMessage(QT_TRANSLATE_NOOP("io", "JSON内容太多"));
    case QJsonParseError::GarbageAtEnd:
        return ioMessage(QT_TRANSLATE_NOOP("io", "JSON对象之后还有多余内容"));
    default:
        break;
    }
    return ioMessage(QT_TRANSLATE_NOOP("io", "不是有效的JSON"));
}

// Qt's reader takes what JSON does not allow inside a text: an unknown escape ("\q") and raw
// control characters. The first such place, or nullopt.
struct StringProblem {
    qsizetype offset = 0;
    calibration::Message reason;
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
            return StringProblem{
                i, followedBy(ioMessage(QT_TRANSLATE_NOOP("io", "文字中有未转义的控制字符 \\u")),
                              code)};
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
                    return StringProblem{i, ioMessage(QT_TRANSLATE_NOOP(
                                                "io", "转义序列 \\u 之后应为4位十六进制数"))};
                }
                i += 5;
            } else if (QByteArrayView("\"\\/bfnrt").contains(next)) {
                ++i;
            } else if (next > 0x20 && next < 0x7F) {
                return StringProblem{i, ioMessage(QT_TRANSLATE_NOOP("io", "转义序列 \\%1 无效"),
                                                  {std::string(1, next)})};
            } else {
                return StringProblem{i, ioMessage(QT_TRANSLATE_NOOP("io", "转义序列无效"))};
            }
        }
    }
    return std::nullopt;
}

Error placedError(QByteArrayView json, qsizetype offset, calibration::Message reason,
                  bool withPath = true) {
    calibration::Message place = lineAndColumn(json, offset);
    const QString path = withPath ? pathAt(json, offset) : QString();
    if (path.isEmpty()) {
        return Error{{}, std::move(place), std::move(reason)};
    }
    return Error{
        {},
        ioMessage(QT_TRANSLATE_NOOP("io", "%1（%2）"), {shownArgument(path), std::move(place)}),
        std::move(reason)};
}

Error syntaxError(QByteArrayView json, const QJsonParseError& error) {
    qsizetype offset = error.offset;
    calibration::Message reason = syntaxReason(error.error);
    if (error.error == QJsonParseError::IllegalNumber) {
        const Token token = tokenAround(json, offset);
        offset = token.start;
        reason = illegalNumberReason(token.text);
    }
    return placedError(json, offset, reason, error.error != QJsonParseError::DeepNesting);
}

// --- The calibration's fields -------------------------------------------------------------

// Reads the fields of one object, remembering the first error. The object's path ("settings",
// "standards[3]") is written only for an error.
class ObjectReader {
public:
    // The object's path is "list" or "list[index]" (index -1: none), written only for an error:
    // a file of 100 000 samples has as many objects.
    ObjectReader(const QJsonObject& object, QLatin1StringView list = {}, qsizetype index = -1)
        : object_(object), list_(list), index_(index) {}

    std::string text(QLatin1StringView key, bool required = true) {
        const QJsonValue value = object_.value(key);
        if (value.isString()) {
            return toDocument(value.toString());
        }
        fail(key, value, ioMessage(QT_TRANSLATE_NOOP("io", "文字")), required);
        return {};
    }

    bool flag(QLatin1StringView key, bool otherwise) {
        const QJsonValue value = object_.value(key);
        if (value.isBool()) {
            return value.toBool();
        }
        fail(key, value, ioMessage(QT_TRANSLATE_NOOP("io", "真假值")), false);
        return otherwise;
    }

    // A number within [low, high]; `whole` asks for a whole number.
    double number(QLatin1StringView key, double otherwise, double low, double high,
                  bool whole = false) {
        const QJsonValue value = object_.value(key);
        if (value.isUndefined()) {
            return otherwise;
        }
        if (!value.isDouble()) {
            fail(key, value, ioMessage(QT_TRANSLATE_NOOP("io", "数字")), false);
            return otherwise;
        }
        const double number = value.toDouble();
        if (number < low || number > high || (whole && number != std::floor(number))) {
            setError(key, ioMessage(QT_TRANSLATE_NOOP("io", "数值 %1 无效，应为%2到%3之间的%4"),
                                    {shownArgument(QString::number(number)),
                                     shownArgument(QString::number(low)),
                                     shownArgument(QString::number(high)),
                                     whole ? ioMessage(QT_TRANSLATE_NOOP("io", "整数"))
                                           : ioMessage(QT_TRANSLATE_NOOP("io", "数"))}));
            return otherwise;
        }
        return number;
    }

    // One of the keys of `names` (index into it), or `otherwise` when the field is absent.
    template <std::size_t N>
    int choice(QLatin1StringView key, const std::array<const char*, N>& names, int otherwise) {
        const QJsonValue value = object_.value(key);
        if (value.isUndefined()) {
            return otherwise;
        }
        if (!value.isString()) {
            fail(key, value, ioMessage(QT_TRANSLATE_NOOP("io", "文字")), false);
            return otherwise;
        }
        for (std::size_t i = 0; i < N; ++i) {
            if (value.toString() == QLatin1StringView(names[i])) {
                return int(i);
            }
        }
        // "line、origin、quadratic", the separator translated with the reason.
        calibration::Message allowed = shownText(QString::fromLatin1(names[0]));
        for (std::size_t i = 1; i < N; ++i) {
            //: Between the allowed values of a field: line、origin、quadratic
            calibration::Message separator = ioMessage(QT_TRANSLATE_NOOP("io", "、"));
            allowed = followedBy(calibration::Message::in("io", "%1%2", {allowed, separator}),
                                 QString::fromLatin1(names[i]));
        }
        setError(key, ioMessage(QT_TRANSLATE_NOOP("io", "应为%1之一，不是 %2"),
                                {allowed, shownArgument(quotedForMessage(value.toString()))}));
        return otherwise;
    }

    QString field(QLatin1StringView key) const {
        if (list_.isEmpty()) {
            return key.toString();
        }
        const QString path = index_ < 0 ? list_.toString() : u"%1[%2]"_s.arg(list_).arg(index_);
        return path + u'.' + key;
    }
    const std::optional<Error>& error() const { return error_; }

private:
    void fail(QLatin1StringView key, const QJsonValue& value, calibration::Message expected,
              bool required) {
        if ((required || !value.isUndefined()) && !error_) {
            error_ = typeError(field(key), value, std::move(expected));
        }
    }
    void setError(QLatin1StringView key, calibration::Message reason) {
        if (!error_) {
            error_ = fieldError(field(key), std::move(reason));
        }
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
        return fieldError(u"format"_s,
                          ioMessage(QT_TRANSLATE_NOOP("io", "缺少此项，不是Lumetra校准文件")));
    }
    if (!format.isString()) {
        return typeError(u"format"_s, format, ioMessage(QT_TRANSLATE_NOOP("io", "文字")));
    }
    const QString expected = QString::fromUtf16(kCalibrationFormat);
    if (format.toString() != expected) {
        return fieldError(u"format"_s,
                          ioMessage(QT_TRANSLATE_NOOP("io", "应为 \"%1\"，不是 %2"),
                                    {shownArgument(expected),
                                     shownArgument(quotedForMessage(format.toString()))}));
    }
    const QJsonValue version = root.value(u"version"_s);
    if (!version.isDouble()) {
        return typeError(u"version"_s, version, ioMessage(QT_TRANSLATE_NOOP("io", "数字")));
    }
    const double number = version.toDouble();
    if (number != std::floor(number) || number < 1) {
        return fieldError(u"version"_s, ioMessage(QT_TRANSLATE_NOOP("io", "版本号 %1 无效"),
                                                  {shownArgument(u"%1"_s.arg(number))}));
    }
    if (number > kCalibrationVersion) {
        return fieldError(u"version"_s,
                          ioMessage(QT_TRANSLATE_NOOP("io", "版本%1较新，本程序只能读版本%2"),
                                    {shownArgument(u"%1"_s.arg(number)),
                                     shownArgument(u"%1"_s.arg(kCalibrationVersion))}));
    }
    return std::nullopt;
}

// The keys of the settings' choices, in the order of their enums.
using calibration::kBelowKeys;
using calibration::kCalibrationKeys;
using calibration::kLimitKeys;
using calibration::kModelKeys;
using calibration::kRoundingKeys;
using calibration::kWeightKeys;

// The settings' number fields, read and written from one table.
struct NumberField {
    const char* key;
    double calibration::Settings::*member;
    double low, high;
};
constexpr NumberField kNumberFields[] = {
    {"k", &calibration::Settings::k, 1, 10},
    {"min_r", &calibration::Settings::minimumR, 0, 1},
    {"duplicate_max_pct", &calibration::Settings::duplicateMaxPct, 0, 1000},
    {"spike_low_pct", &calibration::Settings::spikeLowPct, 0, 1000},
    {"spike_high_pct", &calibration::Settings::spikeHighPct, 0, 1000},
    {"check_max_pct", &calibration::Settings::checkMaxPct, 0, 1000},
};
struct TextField {
    const char* key;
    std::string calibration::Settings::*member;
};
constexpr TextField kTextFields[] = {
    {"volume", &calibration::Settings::volume},
    {"volume_unit", &calibration::Settings::volumeUnit},
    {"result_unit", &calibration::Settings::resultUnit},
    {"factor", &calibration::Settings::factor},
};

// The calibration type and the internal standard: absent keys leave the defaults (external, no
// internal standard, recovery 70 % to 130 %).
void readCalibrationSettings(ObjectReader& reader, const QJsonObject& object,
                             calibration::Settings& settings) {
    settings.calibration =
        calibration::CalibrationType(reader.choice("calibration"_L1, kCalibrationKeys, 0));
    for (const auto& [key, member] :
         {std::pair{"v0"_L1, &calibration::Settings::additionV0},
          std::pair{"c_std"_L1, &calibration::Settings::additionCStd},
          std::pair{"dilution"_L1, &calibration::Settings::additionDilution}}) {
        if (object.contains(key)) {
            settings.*member = reader.text(key);
        }
    }
    settings.internalStandard = reader.flag("internal_standard"_L1, false);
    settings.isRecoveryLowPct =
        reader.number("is_recovery_low_pct"_L1, settings.isRecoveryLowPct, 0, 1000);
    settings.isRecoveryHighPct =
        reader.number("is_recovery_high_pct"_L1, settings.isRecoveryHighPct, 0, 1000);
}

// settings.uncertainty: {"way": "bottom-up", "volume": 0.01, "dilution": {"tolerance": 0.02,
// "distribution": "rectangular"}, "recovery": "spikes", "coverage": "t"}; each component a
// relative standard uncertainty, or a relative tolerance with its distribution.
Expected<calibration::UncertaintySettings> readUncertainty(const QJsonValue& value) {
    const QString path = u"settings.uncertainty"_s;
    if (!value.isObject()) {
        return typeError(path, value, ioMessage(QT_TRANSLATE_NOOP("io", "对象")));
    }
    const QJsonObject object = value.toObject();
    calibration::UncertaintySettings settings;
    ObjectReader reader(object, "settings.uncertainty"_L1);
    settings.way =
        calibration::UncertaintyWay(reader.choice("way"_L1, calibration::kUncertaintyWayKeys, 0));
    settings.coverage = calc::Coverage(reader.choice("coverage"_L1, calibration::kCoverageKeys, 0));
    if (reader.error()) {
        return *reader.error();
    }
    for (const calibration::UncertaintyComponentField& field :
         calibration::kUncertaintyComponents) {
        const QLatin1StringView key(field.key);
        const QJsonValue component = object.value(key);
        if (component.isUndefined() || component.isNull()) {
            continue;
        }
        if (field.member == &calibration::UncertaintySettings::recovery && component.isString()) {
            if (component.toString() != "spikes"_L1) {
                return fieldError(path + u'.' + key, ioMessage(QT_TRANSLATE_NOOP(
                                                         "io", "应为数字、对象或 \"spikes\"")));
            }
            settings.recoveryFromSpikes = true;
            continue;
        }
        calibration::RelativeComponent relative;
        if (component.isObject()) {
            const QJsonObject tolerance = component.toObject();
            const QByteArray innerPath = "settings.uncertainty." + QByteArray(field.key);
            ObjectReader inner(tolerance, QLatin1StringView(innerPath));
            if (!tolerance.contains("tolerance"_L1)) {
                return fieldError(path + u'.' + key + u".tolerance"_s,
                                  ioMessage(QT_TRANSLATE_NOOP("io", "缺少此项")));
            }
            relative.value = inner.number("tolerance"_L1, 0, 0, 1);
            relative.tolerance = calc::Distribution(
                inner.choice("distribution"_L1, calibration::kDistributionKeys, 0));
            if (inner.error()) {
                return *inner.error();
            }
        } else {
            relative.value = reader.number(key, 0, 0, 1);
            if (reader.error()) {
                return *reader.error();
            }
        }
        settings.*field.member = relative;
    }
    return settings;
}

} // namespace

Expected<calibration::Settings> readSettingsObject(const QJsonObject& object) {
    calibration::Settings settings;
    ObjectReader reader(object, "settings"_L1);
    settings.model = calc::Model(reader.choice("model"_L1, kModelKeys, 0));
    settings.weighting = calc::Weighting(reader.choice("weight"_L1, kWeightKeys, 0));
    // Two choices, so the message names them rather than a range of numbers they lie in.
    constexpr double kAnyNumber = std::numeric_limits<double>::max();
    const double level = reader.number("level"_L1, 95, -kAnyNumber, kAnyNumber);
    if (level != 95 && level != 99 && !reader.error()) {
        return fieldError(reader.field("level"_L1),
                          ioMessage(QT_TRANSLATE_NOOP("io", "应为95或99")));
    }
    settings.level = int(level);
    // α as the validation tab offers it and the command line takes it.
    settings.alpha = reader.number("alpha"_L1, settings.alpha, -kAnyNumber, kAnyNumber);
    if (settings.alpha != 0.05 && settings.alpha != 0.01 && !reader.error()) {
        return fieldError(reader.field("alpha"_L1),
                          ioMessage(QT_TRANSLATE_NOOP("io", "应为0.05或0.01")));
    }
    settings.m = int(reader.number("m"_L1, 1, 1, 100, true));
    settings.limit = calibration::ReportedLimit(reader.choice("limit"_L1, kLimitKeys, 0));
    settings.blankCorrection = reader.flag("blank_correction"_L1, false);
    settings.rounding = calibration::Rounding(reader.choice("rounding"_L1, kRoundingKeys, 0));
    settings.digits = int(reader.number("digits"_L1, 3, 0, 15, true));
    settings.switchDecimals = int(reader.number("decimals"_L1, 2, 0, 15, true));
    settings.switchAt = reader.number("switch_at"_L1, 1, 0, std::numeric_limits<double>::max());
    if (!(settings.switchAt > 0) && !reader.error()) {
        return fieldError(reader.field("switch_at"_L1),
                          ioMessage(QT_TRANSLATE_NOOP("io", "应为大于0的数")));
    }
    settings.below = calibration::BelowLimit(reader.choice("below"_L1, kBelowKeys, 0));
    for (const NumberField& field : kNumberFields) {
        settings.*field.member = reader.number(QLatin1StringView(field.key), settings.*field.member,
                                               field.low, field.high);
    }
    // null: the rule off, as a method writes it.
    if (object.contains("blank_absorbance_max"_L1) &&
        !object.value("blank_absorbance_max"_L1).isNull()) {
        settings.blankAbsorbanceMax = reader.number("blank_absorbance_max"_L1, 0, 0, 10);
    }
    for (const TextField& field : kTextFields) {
        if (object.contains(QLatin1StringView(field.key))) {
            settings.*field.member = reader.text(QLatin1StringView(field.key));
        }
    }
    readCalibrationSettings(reader, object, settings);
    if (reader.error()) {
        return *reader.error();
    }
    if (object.contains("uncertainty"_L1)) {
        auto uncertainty = readUncertainty(object.value("uncertainty"_L1));
        if (!uncertainty) {
            return uncertainty.error();
        }
        settings.uncertainty = std::move(uncertainty).value();
    }
    // A volume or factor that no result could be computed with is refused with the file.
    for (const auto& [key, field, text] :
         {std::tuple{"volume", calibration::Field::Volume, &settings.volume},
          std::tuple{"factor", calibration::Field::Factor, &settings.factor}}) {
        if (calibration::text::isBlank(*text)) {
            continue;
        }
        if (const auto problem = calibration::scaleProblem(*text, field)) {
            return fieldError(reader.field(QLatin1StringView(key)), *problem);
        }
    }
    return settings;
}

bool isSha256(std::string_view text) {
    return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char ch) {
               return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') ||
                      (ch >= 'A' && ch <= 'F');
           });
}

Expected<calibration::MethodValidation> readValidation(const QJsonObject& parent,
                                                       QLatin1StringView path) {
    calibration::MethodValidation validated;
    const QJsonValue value = parent.value(u"validated"_s);
    if (value.isUndefined()) {
        return validated;
    }
    if (!value.isObject()) {
        return typeError(path.toString(), value, ioMessage(QT_TRANSLATE_NOOP("io", "对象")));
    }
    const QJsonObject object = value.toObject();
    ObjectReader reader(object, path);
    for (const auto& [key, member] :
         {std::pair{"mdl"_L1, &calibration::MethodValidation::mdl},
          std::pair{"loq_mdl"_L1, &calibration::MethodValidation::loqMdl}}) {
        if (!object.contains(key)) {
            continue;
        }
        const double number = reader.number(key, 0, 0, std::numeric_limits<double>::max());
        if (!(number > 0) && !reader.error()) {
            return fieldError(reader.field(key),
                              ioMessage(QT_TRANSLATE_NOOP("io", "应为大于0的数")));
        }
        validated.*member = number;
    }
    validated.date = reader.text("date"_L1, false);
    validated.sha256 = reader.text("sha256"_L1, false);
    if (reader.error()) {
        return *reader.error();
    }
    if (!validated.sha256.empty() && !isSha256(validated.sha256)) {
        return fieldError(reader.field("sha256"_L1),
                          ioMessage(QT_TRANSLATE_NOOP("io", "应为64位十六进制数字（SHA-256）")));
    }
    return validated;
}

namespace {

Expected<calibration::Settings> readSettings(const QJsonObject& root) {
    const QJsonValue value = root.value(u"settings"_s);
    if (value.isUndefined()) {
        return calibration::Settings{};
    }
    if (!value.isObject()) {
        return typeError(u"settings"_s, value, ioMessage(QT_TRANSLATE_NOOP("io", "对象")));
    }
    return readSettingsObject(value.toObject());
}

// The method the document runs: {name, sha256, validated {mdl, loq_mdl, date, sha256}}.
Expected<calibration::MethodIdentity> readMethodIdentity(const QJsonObject& root) {
    calibration::MethodIdentity method;
    const QJsonValue value = root.value(u"method"_s);
    if (value.isUndefined()) {
        return method;
    }
    if (!value.isObject()) {
        return typeError(u"method"_s, value, ioMessage(QT_TRANSLATE_NOOP("io", "对象")));
    }
    const QJsonObject object = value.toObject();
    ObjectReader reader(object, "method"_L1);
    method.name = reader.text("name"_L1);
    method.sha256 = reader.text("sha256"_L1, false);
    if (reader.error()) {
        return *reader.error();
    }
    if (!method.sha256.empty() && !isSha256(method.sha256)) {
        return fieldError(reader.field("sha256"_L1),
                          ioMessage(QT_TRANSLATE_NOOP("io", "应为64位十六进制数字（SHA-256）")));
    }
    auto validated = readValidation(object, "method.validated"_L1);
    if (!validated) {
        return validated.error();
    }
    method.validated = std::move(validated).value();
    return method;
}

// The report's header: every field a text, each optional.
struct HeaderField {
    const char* key;
    std::string calibration::ReportHeader::*member;
};
constexpr HeaderField kHeaderFields[] = {
    {"laboratory", &calibration::ReportHeader::laboratory},
    {"project", &calibration::ReportHeader::project},
    {"method", &calibration::ReportHeader::method},
    {"analyte", &calibration::ReportHeader::analyte},
    {"instrument", &calibration::ReportHeader::instrument},
    {"instrument_number", &calibration::ReportHeader::instrumentNumber},
    {"wavelength", &calibration::ReportHeader::wavelength},
    {"path_length", &calibration::ReportHeader::pathLength},
    {"analysis_date", &calibration::ReportHeader::analysisDate},
    {"analyst", &calibration::ReportHeader::analyst},
    {"reviewer", &calibration::ReportHeader::reviewer},
    {"approver", &calibration::ReportHeader::approver},
};

Expected<calibration::ReportHeader> readHeader(const QJsonObject& root) {
    calibration::ReportHeader header;
    const QJsonValue value = root.value(u"header"_s);
    if (value.isUndefined()) {
        return header;
    }
    if (!value.isObject()) {
        return typeError(u"header"_s, value, ioMessage(QT_TRANSLATE_NOOP("io", "对象")));
    }
    const QJsonObject object = value.toObject();
    ObjectReader reader(object, "header"_L1);
    for (const HeaderField& field : kHeaderFields) {
        header.*field.member = reader.text(QLatin1StringView(field.key), false);
    }
    if (reader.error()) {
        return *reader.error();
    }
    return header;
}

// The elements of a list of objects, each read by `read`; an absent list is empty unless
// required.
template <typename T, typename Read>
Expected<std::vector<T>> readList(const QJsonObject& root, QLatin1StringView key, bool required,
                                  Read read) {
    const QJsonValue value = root.value(key);
    if (value.isUndefined() && !required) {
        return std::vector<T>();
    }
    if (!value.isArray()) {
        return typeError(key.toString(), value, ioMessage(QT_TRANSLATE_NOOP("io", "列表")));
    }
    const QJsonArray array = value.toArray();
    std::vector<T> items;
    items.reserve(std::size_t(array.size()));
    calibration::preferHugePages(items.data(), items.capacity() * sizeof(T));
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonValue element = array.at(i);
        if (!element.isObject()) {
            return typeError(elementPath(key, i), element,
                             ioMessage(QT_TRANSLATE_NOOP("io", "对象")));
        }
        const QJsonObject object = element.toObject();
        ObjectReader reader(object, key, i);
        T item = read(reader, object);
        if (reader.error()) {
            return *reader.error();
        }
        items.push_back(std::move(item));
    }
    return items;
}

calibration::Standard readStandard(ObjectReader& reader, const QJsonObject&) {
    calibration::Standard standard;
    standard.c = reader.text("C"_L1);
    standard.a = reader.text("A"_L1);
    standard.excluded = reader.flag("excluded"_L1, false);
    standard.reason = reader.text("reason"_L1, false);
    standard.is = reader.text("IS"_L1, false);
    standard.cIs = reader.text("C_IS"_L1, false);
    return standard;
}

calibration::Sample readSample(ObjectReader& reader, const QJsonObject&) {
    calibration::Sample sample;
    for (std::size_t i = 0; i < std::size(kSampleKeys); ++i) {
        sample.*kSampleKeys[i].member =
            reader.text(QLatin1StringView(kSampleKeys[i].key), i < kRequiredSampleKeys);
    }
    sample.earlierCurve = reader.flag("earlier_curve"_L1, false);
    return sample;
}

calibration::HistoryEntry readEntry(ObjectReader& reader, const QJsonObject& object) {
    calibration::HistoryEntry entry;
    entry.time = reader.text("time"_L1);
    entry.user = reader.text("user"_L1, false);
    entry.kind = reader.text("kind"_L1);
    entry.reason = reader.text("reason"_L1, false);
    // The values are the entry's own: texts, or numbers and truth values written as texts.
    const QJsonObject values = object.value(u"values"_s).toObject();
    for (auto it = values.begin(); it != values.end(); ++it) {
        const QJsonValue value = it.value();
        const QString text = value.isString() ? value.toString()
                             : value.isDouble()
                                 ? QString::fromStdString(calc::formatNumber(
                                       value.toDouble(), calc::NumberStyle::general(17)))
                             : value.isBool() ? (value.toBool() ? u"true"_s : u"false"_s)
                                              : QString();
        entry.values.emplace_back(toDocument(it.key()), toDocument(text));
    }
    return entry;
}

// --- Writing -------------------------------------------------------------------------------

void appendMember(std::string& out, const char* key, std::string_view value, bool first = false) {
    if (!first) {
        out += ", ";
    }
    out += '"';
    out += key;
    out += "\": ";
    calibration::appendJsonString(out, value, calibration::Surrogates::Escape);
}

// Whether the document holds anything that changes results beyond what version 1 files know:
// such a file says version 2, so that an older program refuses it rather than ignore it.
bool needsVersion2(const calibration::Document& document) {
    if (!(document.settings == calibration::Settings{})) {
        return true;
    }
    for (const calibration::Standard& standard : document.standards) {
        if (standard.excluded) {
            return true;
        }
    }
    for (const calibration::Sample& sample : document.samples) {
        if (!sample.type.empty() || !sample.of.empty() || !sample.added.empty() ||
            !sample.nominal.empty() || !sample.certified.empty() || !sample.u.empty()) {
            return true;
        }
    }
    return false;
}

// Whether the document uses standard addition or the internal standard: a setting of theirs
// that is not its default, or a standard's internal-standard figures.
bool usesCalibrationKeys(const calibration::Document& document) {
    const calibration::Settings& s = document.settings;
    const calibration::Settings defaults;
    if (s.calibration != defaults.calibration || !s.additionV0.empty() || !s.additionCStd.empty() ||
        !s.additionDilution.empty() || s.internalStandard ||
        s.isRecoveryLowPct != defaults.isRecoveryLowPct ||
        s.isRecoveryHighPct != defaults.isRecoveryHighPct) {
        return true;
    }
    return std::any_of(document.standards.begin(), document.standards.end(),
                       [](const calibration::Standard& standard) {
                           return !standard.is.empty() || !standard.cIs.empty();
                       }) ||
           std::any_of(document.samples.begin(), document.samples.end(),
                       [](const calibration::Sample& sample) {
                           return !sample.is.empty() || !sample.cIs.empty();
                       });
}

// Whether the document holds what version 2 files do not know: a setting of version 3 (the
// rounding switch, the "L" style, the blank absorbance rule, standard addition, the internal
// standard, the measurement uncertainty) or a method.
bool needsVersion3(const calibration::Document& document) {
    const calibration::Settings& s = document.settings;
    const calibration::Settings defaults;
    return s.rounding == calibration::Rounding::Switch ||
           s.below == calibration::BelowLimit::LetterL ||
           s.switchDecimals != defaults.switchDecimals || s.switchAt != defaults.switchAt ||
           s.blankAbsorbanceMax || !document.method.empty() || usesCalibrationKeys(document) ||
           !(s.uncertainty == calibration::UncertaintySettings{});
}

void appendValidation(std::string& out, const calibration::MethodValidation& v) {
    out += "{";
    bool first = true;
    for (const auto& [key, value] : {std::pair{"mdl", &v.mdl}, std::pair{"loq_mdl", &v.loqMdl}}) {
        if (*value) {
            out += first ? "\"" : ", \"";
            out += key;
            out += "\": ";
            calc::appendNumber(out, **value, calc::NumberStyle::shortestRoundTrip());
            first = false;
        }
    }
    for (const auto& [key, value] : {std::pair{"date", &v.date}, std::pair{"sha256", &v.sha256}}) {
        if (!value->empty()) {
            appendMember(out, key, *value, first);
            first = false;
        }
    }
    out += '}';
}

// settings.uncertainty as readUncertainty reads it, the components that are given only.
void appendUncertainty(std::string& out, const calibration::UncertaintySettings& u) {
    out += "{\"way\": \"";
    out += calibration::kUncertaintyWayKeys[std::size_t(u.way)];
    out += '"';
    for (const calibration::UncertaintyComponentField& field :
         calibration::kUncertaintyComponents) {
        const std::optional<calibration::RelativeComponent>& component = u.*field.member;
        const bool spikes =
            field.member == &calibration::UncertaintySettings::recovery && u.recoveryFromSpikes;
        if (!component && !spikes) {
            continue;
        }
        out += ", \"";
        out += field.key;
        out += "\": ";
        if (spikes) {
            out += "\"spikes\"";
        } else if (component->tolerance) {
            out += "{\"tolerance\": ";
            calc::appendNumber(out, component->value, calc::NumberStyle::shortestRoundTrip());
            out += ", \"distribution\": \"";
            out += calibration::kDistributionKeys[std::size_t(*component->tolerance)];
            out += "\"}";
        } else {
            calc::appendNumber(out, component->value, calc::NumberStyle::shortestRoundTrip());
        }
    }
    out += ", \"coverage\": \"";
    out += calibration::kCoverageKeys[std::size_t(u.coverage)];
    out += "\"}";
}

// The settings as one object. A .lumetra file (`only` null) writes every key of version 2 and
// those of version 3 only when they are not their defaults; a method writes exactly the keys
// `only` lists (an unset blank absorbance maximum as null: the rule off).
void appendSettings(std::string& out, const calibration::Settings& s,
                    const std::vector<std::string>* only = nullptr) {
    const calibration::Settings defaults;
    bool first = true;
    const auto wanted = [&](const char* key, bool inFile) {
        if (only != nullptr ? std::find(only->begin(), only->end(), key) == only->end() : !inFile) {
            return false;
        }
        out += first ? "\"" : ", \"";
        out += key;
        out += "\": ";
        first = false;
        return true;
    };
    const auto text = [&](const char* key, std::string_view value, bool inFile = true) {
        if (wanted(key, inFile)) {
            calibration::appendJsonString(out, value, calibration::Surrogates::Escape);
        }
    };
    const auto number = [&](const char* key, double value, bool inFile = true) {
        if (wanted(key, inFile)) {
            calc::appendNumber(out, value, calc::NumberStyle::shortestRoundTrip());
        }
    };
    out += "{";
    text("model", kModelKeys[std::size_t(s.model)]);
    text("weight", kWeightKeys[std::size_t(s.weighting)]);
    number("level", s.level);
    number("m", s.m);
    text("limit", kLimitKeys[std::size_t(s.limit)]);
    if (wanted("blank_correction", true)) {
        out += s.blankCorrection ? "true" : "false";
    }
    text("rounding", kRoundingKeys[std::size_t(s.rounding)]);
    number("digits", s.digits);
    // The switch's figures only when they are not the defaults: a version-2 file has none.
    const bool switchFigures = s.rounding == calibration::Rounding::Switch ||
                               s.switchDecimals != defaults.switchDecimals ||
                               s.switchAt != defaults.switchAt;
    number("decimals", s.switchDecimals, switchFigures);
    number("switch_at", s.switchAt, switchFigures);
    text("below", kBelowKeys[std::size_t(s.below)]);
    number("alpha", s.alpha);
    for (const NumberField& field : kNumberFields) {
        number(field.key, s.*field.member);
    }
    if (wanted("blank_absorbance_max", s.blankAbsorbanceMax.has_value())) {
        if (s.blankAbsorbanceMax) {
            calc::appendNumber(out, *s.blankAbsorbanceMax, calc::NumberStyle::shortestRoundTrip());
        } else {
            out += "null";
        }
    }
    for (const TextField& field : kTextFields) {
        text(field.key, s.*field.member);
    }
    // Standard addition and the internal standard only when used.
    text("calibration", kCalibrationKeys[std::size_t(s.calibration)],
         s.calibration != defaults.calibration);
    text("v0", s.additionV0, !s.additionV0.empty());
    text("c_std", s.additionCStd, !s.additionCStd.empty());
    text("dilution", s.additionDilution, !s.additionDilution.empty());
    if (wanted("internal_standard", s.internalStandard)) {
        out += s.internalStandard ? "true" : "false";
    }
    number("is_recovery_low_pct", s.isRecoveryLowPct,
           s.isRecoveryLowPct != defaults.isRecoveryLowPct);
    number("is_recovery_high_pct", s.isRecoveryHighPct,
           s.isRecoveryHighPct != defaults.isRecoveryHighPct);
    if (wanted("uncertainty", !(s.uncertainty == calibration::UncertaintySettings{}))) {
        appendUncertainty(out, s.uncertainty);
    }
    out += '}';
}

} // namespace

namespace {

// The text of a file that should hold one JSON object: its size and bytes checked, after a byte
// order mark (shared, not copied, when there is none); an empty file, or one whose first character
// is not "{" (`notObject`), refused.
Expected<QByteArray> objectSource(const QByteArray& bytes, const calibration::Message& notObject) {
    if (bytes.size() > kMaxFileBytes) {
        return Error{{}, {}, fileTooLargeReason()};
    }
    if (const auto problem = textBytesProblem(bytes)) {
        return Error{{}, {}, *problem};
    }
    const QByteArray source = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    const QByteArrayView content = QByteArrayView(source).trimmed();
    if (content.isEmpty()) {
        return Error{{}, {}, ioMessage(QT_TRANSLATE_NOOP("io", "文件是空的"))};
    }
    if (content.front() != '{') {
        return Error{{}, {}, notObject};
    }
    return source;
}

Expected<calibration::Document> readCalibrationAs(const QByteArray& bytes, bool samplesAsText) {
    const Expected<QByteArray> checked = objectSource(
        bytes, ioMessage(QT_TRANSLATE_NOOP("io", "文件内容不是JSON对象，不是Lumetra校准文件")));
    if (!checked) {
        return checked.error();
    }
    const QByteArray& source = checked.value();
    const QByteArrayView json(source);
    // The sample rows straight from the text where they can be, the rest through the tree with
    // "[]" in their place; when that text is not valid JSON the whole is read again, so that
    // errors are told in the file's own lines and columns.
    std::optional<SamplesText> samplesText;
    if (samplesAsText) {
        samplesText =
            readSamplesText(std::string_view(source.constData(), std::size_t(source.size())));
    }
    QJsonParseError parseError;
    QJsonDocument parsedDocument;
    if (samplesText) {
        QByteArray rest;
        rest.reserve(source.size() - qsizetype(samplesText->end - samplesText->begin) + 2);
        rest.append(json.first(qsizetype(samplesText->begin)));
        rest.append("[]");
        rest.append(json.sliced(qsizetype(samplesText->end)));
        parsedDocument = QJsonDocument::fromJson(rest, &parseError);
        if (parseError.error != QJsonParseError::NoError) {
            samplesText.reset();
        }
    }
    if (!samplesText) {
        parsedDocument = QJsonDocument::fromJson(source, &parseError);
    }
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
    const QJsonObject root = parsedDocument.object();
    if (auto error = checkFormatAndVersion(root)) {
        return *error;
    }
    ObjectReader reader(root);
    calibration::Document document;
    document.unit = reader.text("unit"_L1);
    document.created = reader.text("created"_L1, false);
    if (reader.error()) {
        return *reader.error();
    }
    auto settings = readSettings(root);
    if (!settings) {
        return settings.error();
    }
    document.settings = std::move(settings).value();
    auto header = readHeader(root);
    if (!header) {
        return header.error();
    }
    document.header = std::move(header).value();
    auto method = readMethodIdentity(root);
    if (!method) {
        return method.error();
    }
    document.method = std::move(method).value();
    auto standards = readList<calibration::Standard>(root, "standards"_L1, true, readStandard);
    if (!standards) {
        return standards.error();
    }
    document.standards = std::move(standards).value();
    auto samples = readList<calibration::Sample>(root, "samples"_L1, false, readSample);
    if (!samples) {
        return samples.error();
    }
    document.samples = samplesText ? std::move(samplesText->samples) : std::move(samples).value();
    auto history = readList<calibration::HistoryEntry>(root, "history"_L1, false, readEntry);
    if (!history) {
        return history.error();
    }
    document.history = std::move(history).value();
    return document;
}

} // namespace

Expected<calibration::Document> readCalibration(const QByteArray& bytes) {
    return readCalibrationAs(bytes, true);
}

Expected<calibration::Document> readCalibrationThroughTree(const QByteArray& bytes) {
    return readCalibrationAs(bytes, false);
}

QByteArray calibrationBytes(const calibration::Document& document) {
    std::string out;
    out.reserve(1024 + document.samples.size() * 96);
    out += "{\n    \"format\": \"lumetra-calibration\",\n    \"version\": ";
    out += needsVersion3(document) ? "3" : needsVersion2(document) ? "2" : "1";
    out += ",\n    ";
    appendMember(out, "unit", document.unit, true);
    if (!document.created.empty()) {
        out += ",\n    ";
        appendMember(out, "created", document.created, true);
    }
    if (!(document.settings == calibration::Settings{})) {
        out += ",\n    \"settings\": ";
        appendSettings(out, document.settings);
    }
    if (!(document.header == calibration::ReportHeader{})) {
        out += ",\n    \"header\": {";
        bool first = true;
        for (const HeaderField& field : kHeaderFields) {
            if (!(document.header.*field.member).empty()) {
                appendMember(out, field.key, document.header.*field.member, first);
                first = false;
            }
        }
        out += '}';
    }
    if (!document.method.empty()) {
        out += ",\n    \"method\": {";
        appendMember(out, "name", document.method.name, true);
        if (!document.method.sha256.empty()) {
            appendMember(out, "sha256", document.method.sha256);
        }
        if (!(document.method.validated == calibration::MethodValidation{})) {
            out += ", \"validated\": ";
            appendValidation(out, document.method.validated);
        }
        out += '}';
    }
    out += ",\n    \"standards\": [";
    for (std::size_t i = 0; i < document.standards.size(); ++i) {
        const calibration::Standard& standard = document.standards[i];
        out += i == 0 ? "\n        {" : ",\n        {";
        appendMember(out, "C", standard.c, true);
        appendMember(out, "A", standard.a);
        if (standard.excluded) {
            out += ", \"excluded\": true";
            appendMember(out, "reason", standard.reason);
        }
        if (!standard.is.empty()) {
            appendMember(out, "IS", standard.is);
        }
        if (!standard.cIs.empty()) {
            appendMember(out, "C_IS", standard.cIs);
        }
        out += '}';
    }
    out += document.standards.empty() ? "],\n    \"samples\": [" : "\n    ],\n    \"samples\": [";
    for (std::size_t i = 0; i < document.samples.size(); ++i) {
        const calibration::Sample& sample = document.samples[i];
        out += i == 0 ? "\n        {" : ",\n        {";
        for (std::size_t k = 0; k < std::size(kSampleKeys); ++k) {
            const std::string& text = sample.*kSampleKeys[k].member;
            if (k < kRequiredSampleKeys || !text.empty()) {
                appendMember(out, kSampleKeys[k].key, text, k == 0);
            }
        }
        if (sample.earlierCurve) {
            out += ", \"earlier_curve\": true";
        }
        out += '}';
    }
    out += document.samples.empty() ? "]" : "\n    ]";
    if (!document.history.empty()) {
        out += ",\n    \"history\": [";
        for (std::size_t i = 0; i < document.history.size(); ++i) {
            out += i == 0 ? "\n        " : ",\n        ";
            calibration::appendHistoryEntry(out, document.history[i],
                                            calibration::HistoryJson::File);
        }
        out += "\n    ]";
    }
    out += "\n}\n";
    return QByteArray(out.data(), qsizetype(out.size()));
}

Expected<calibration::Document> readCalibrationFile(const QString& path) {
    const Expected<QByteArray> bytes = readFileLimited(path);
    if (!bytes) {
        return bytes.error();
    }
    Expected<calibration::Document> document = readCalibration(bytes.value());
    if (!document) {
        Error error = document.error();
        error.file = path;
        return error;
    }
    return document;
}

std::optional<Error> saveCalibration(const QString& path, const calibration::Document& document) {
    return saveFileAtomically(path, calibrationBytes(document));
}

Expected<QJsonObject> readJsonObject(const QByteArray& bytes,
                                     const calibration::Message& notObject) {
    const Expected<QByteArray> checked = objectSource(bytes, notObject);
    if (!checked) {
        return checked.error();
    }
    const QByteArray& source = checked.value();
    const QByteArrayView json(source);
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(source, &parseError);
    const bool ok = parseError.error == QJsonParseError::NoError;
    const auto problem = stringProblem(
        json.first(ok ? json.size() : std::min<qsizetype>(parseError.offset, json.size())));
    if (problem) {
        return placedError(json, problem->offset, problem->reason);
    }
    if (!ok) {
        return syntaxError(json, parseError);
    }
    return parsed.object();
}

std::string settingsJson(const calibration::Settings& settings,
                         const std::vector<std::string>& keys) {
    std::string out;
    appendSettings(out, settings, &keys);
    return out;
}

std::string validationJson(const calibration::MethodValidation& validated) {
    std::string out;
    appendValidation(out, validated);
    return out;
}

std::string jsonMember(const char* key, std::string_view value, bool first) {
    std::string out;
    appendMember(out, key, value, first);
    return out;
}

} // namespace io
