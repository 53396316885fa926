#pragma once

// What the calibration file and the method file share: a JSON object read with the place of its
// first error (line and column, and the field where one can be told), and the settings, the
// validated limits and their JSON as a .lumetra file writes them.

#include "calibration/document.h"
#include "io/error.h"

#include <QByteArray>
#include <QJsonObject>
#include <QLatin1StringView>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace io {

// The file's one JSON object: at most kMaxFileBytes, UTF-8 with or without a byte-order mark;
// `notObject` is the reason for a file whose content does not start with "{".
Expected<QJsonObject> readJsonObject(const QByteArray& bytes,
                                     const calibration::Message& notObject);

// A .lumetra file's "settings" object (every key optional: its default), errors named
// "settings.<key>".
Expected<calibration::Settings> readSettingsObject(const QJsonObject& object);

// The "validated" object of `parent` {mdl, loq_mdl, date, sha256} (absent: empty), errors named
// "<path>.<key>".
Expected<calibration::MethodValidation> readValidation(const QJsonObject& parent,
                                                       QLatin1StringView path);

// 64 hexadecimal digits.
bool isSha256(std::string_view text);

// The settings' keys listed, one object on one line, each as a .lumetra file writes it (an unset
// blank absorbance maximum as null); the validated limits likewise; and one member
// ", \"key\": \"text\"" (no comma when first).
std::string settingsJson(const calibration::Settings& settings,
                         const std::vector<std::string>& keys);
std::string validationJson(const calibration::MethodValidation& validated);
std::string jsonMember(const char* key, std::string_view value, bool first = false);

} // namespace io
