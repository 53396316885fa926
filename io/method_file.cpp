#include "io/method_file.h"

#include "calibration/data_report.h"
#include "calibration/text.h"
#include "io/document_text.h"
#include "io/files.h"
#include "io/json_object.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <cmath>

using namespace Qt::StringLiterals;

namespace io {
namespace {

Error fieldError(const QString& field, calibration::Message reason) {
    return Error{{}, shownText(field), std::move(reason)};
}

// A value as JSON writes it, for a message: 1, true, {…}.
QString jsonText(const QJsonValue& value) {
    if (value.isString()) {
        return quotedForMessage(value.toString());
    }
    if (value.isObject() || value.isArray()) {
        return value.isObject() ? u"{…}"_s : u"[…]"_s;
    }
    const QByteArray list = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(list.sliced(1, list.size() - 2));
}

std::optional<Error> checkFormatAndVersion(const QJsonObject& root) {
    const QString expected = QString::fromUtf16(kMethodFormat);
    const QJsonValue format = root.value(u"format"_s);
    if (format.isUndefined()) {
        return fieldError(u"format"_s,
                          ioMessage(QT_TRANSLATE_NOOP("io", "缺少此项，不是Lumetra方法文件")));
    }
    if (format.toString() != expected) {
        return fieldError(u"format"_s,
                          ioMessage(QT_TRANSLATE_NOOP("io", "应为 \"%1\"，不是 %2"),
                                    {shownArgument(expected), shownArgument(jsonText(format))}));
    }
    const QJsonValue version = root.value(u"version"_s);
    if (!version.isDouble()) {
        return fieldError(u"version"_s,
                          version.isUndefined()
                              ? ioMessage(QT_TRANSLATE_NOOP("io", "缺少此项"))
                              : ioMessage(QT_TRANSLATE_NOOP("io", "应为数字，不是 %1"),
                                          {shownArgument(jsonText(version))}));
    }
    const double number = version.toDouble();
    if (number != std::floor(number) || number < 1) {
        return fieldError(u"version"_s, ioMessage(QT_TRANSLATE_NOOP("io", "版本号 %1 无效"),
                                                  {shownArgument(u"%1"_s.arg(number))}));
    }
    if (number > kMethodVersion) {
        return fieldError(u"version"_s,
                          ioMessage(QT_TRANSLATE_NOOP("io", "版本%1较新，本程序只能读版本%2"),
                                    {shownArgument(u"%1"_s.arg(number)),
                                     shownArgument(u"%1"_s.arg(kMethodVersion))}));
    }
    return std::nullopt;
}

// An optional text at the top: none when absent; an error when it is not a text.
std::optional<Error> optionalText(const QJsonObject& root, QLatin1StringView key,
                                  std::optional<std::string>& text) {
    const QJsonValue value = root.value(key);
    if (value.isUndefined()) {
        return std::nullopt;
    }
    if (!value.isString()) {
        return fieldError(key.toString(), ioMessage(QT_TRANSLATE_NOOP("io", "应为文字，不是 %1"),
                                                    {shownArgument(jsonText(value))}));
    }
    text = toDocument(value.toString());
    return std::nullopt;
}

} // namespace

std::string sha256Hex(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

Expected<calibration::Method> readMethod(const QByteArray& bytes) {
    auto parsed = readJsonObject(
        bytes, ioMessage(QT_TRANSLATE_NOOP("io", "文件内容不是JSON对象，不是Lumetra方法文件")));
    if (!parsed) {
        return parsed.error();
    }
    const QJsonObject& root = parsed.value();
    if (auto error = checkFormatAndVersion(root)) {
        return *error;
    }
    calibration::Method method;
    std::optional<std::string> name;
    if (auto error = optionalText(root, "name"_L1, name)) {
        return *error;
    }
    if (!name || calibration::text::isBlank(*name)) {
        return fieldError(u"name"_s, name ? ioMessage(QT_TRANSLATE_NOOP("io", "方法名称不能为空"))
                                          : ioMessage(QT_TRANSLATE_NOOP("io", "缺少此项")));
    }
    method.name = *name;
    for (const auto& [key, text] :
         {std::pair{"analyte"_L1, &method.analyte}, std::pair{"unit"_L1, &method.unit},
          std::pair{"result_unit"_L1, &method.resultUnit}}) {
        if (auto error = optionalText(root, key, *text)) {
            return *error;
        }
    }
    const QJsonValue settings = root.value(u"settings"_s);
    if (!settings.isUndefined()) {
        if (!settings.isObject()) {
            return fieldError(u"settings"_s, ioMessage(QT_TRANSLATE_NOOP("io", "应为对象，不是 %1"),
                                                       {shownArgument(jsonText(settings))}));
        }
        const QJsonObject object = settings.toObject();
        auto read = readSettingsObject(object);
        if (!read) {
            return read.error();
        }
        method.settings = std::move(read).value();
        for (const char* key : calibration::settingKeys()) {
            if (object.contains(QLatin1StringView(key))) {
                method.settingKeys.emplace_back(key);
            }
        }
    }
    auto validated = readValidation(root, "validated"_L1);
    if (!validated) {
        return validated.error();
    }
    method.validated = std::move(validated).value();
    method.sha256 = sha256Hex(bytes);
    return method;
}

Expected<calibration::Method> readMethodFile(const QString& path) {
    const Expected<QByteArray> bytes = readFileLimited(path);
    if (!bytes) {
        return bytes.error();
    }
    Expected<calibration::Method> method = readMethod(bytes.value());
    if (!method) {
        Error error = method.error();
        error.file = path;
        return error;
    }
    return method;
}

QByteArray methodBytes(const calibration::Method& method) {
    std::string out = "{\n    \"format\": \"lumetra-method\",\n    \"version\": ";
    out += std::to_string(kMethodVersion);
    out += ",\n    " + jsonMember("name", method.name, true);
    for (const auto& [key, text] :
         {std::pair{"analyte", &method.analyte}, std::pair{"unit", &method.unit},
          std::pair{"result_unit", &method.resultUnit}}) {
        if (*text) {
            out += ",\n    " + jsonMember(key, **text, true);
        }
    }
    if (!method.settingKeys.empty()) {
        out += ",\n    \"settings\": " + settingsJson(method.settings, method.settingKeys);
    }
    if (!(method.validated == calibration::MethodValidation{})) {
        out += ",\n    \"validated\": " + validationJson(method.validated);
    }
    out += "\n}\n";
    return QByteArray(out.data(), qsizetype(out.size()));
}

Expected<std::string> saveMethod(const QString& path, const calibration::Method& method) {
    const QByteArray bytes = methodBytes(method);
    if (auto error = saveFileAtomically(path, bytes)) {
        return *error;
    }
    return sha256Hex(bytes);
}

} // namespace io
