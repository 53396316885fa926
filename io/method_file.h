#pragma once

// The method file (.lumetra-method): JSON in UTF-8, one object.
//
//   {
//       "format": "lumetra-method",
//       "version": 1,
//       "name": "HJ 535-2009 氨氮",
//       "analyte": "氨氮",
//       "unit": "μg",
//       "result_unit": "mg/L",
//       "settings": {"model": "line", "blank_correction": true, "rounding": "switch", ...},
//       "validated": {"mdl": 0.653, "loq_mdl": 2.612, "date": "2026-12-01", "sha256": "9f86d0…"}
//   }
//
// - "format", "version" and "name" (not empty) are required; every other key may be absent, and
//   an absent key leaves the document's setting as it is. "settings" holds the keys and values of
//   a .lumetra file's settings; "result_unit" at the top counts over the one in "settings".
// - A file of another program or of a newer version is refused, as is a damaged one (its line and
//   column) or a value out of its range, naming the field ("settings.rounding：…").
// - The method's identity is its name and the SHA-256 of the file's bytes.

#include "calibration/method.h"
#include "io/error.h"

#include <QByteArray>
#include <QString>
#include <string>

namespace io {

inline constexpr char16_t kMethodFormat[] = u"lumetra-method";
inline constexpr int kMethodVersion = 1;

// The method of the file's bytes, its sha256 those bytes' hash; or the first error.
Expected<calibration::Method> readMethod(const QByteArray& bytes);

// readFileLimited and readMethod; the error names the file.
Expected<calibration::Method> readMethodFile(const QString& path);

// The file's bytes: the layout above, LF line ends, the settings of `method.settingKeys` only.
// readMethod gives back the same method.
QByteArray methodBytes(const calibration::Method& method);

// methodBytes through saveFileAtomically: the SHA-256 of the bytes written, or the error.
Expected<std::string> saveMethod(const QString& path, const calibration::Method& method);

// The SHA-256 of the bytes, 64 lowercase hexadecimal digits, as sha256sum writes it.
std::string sha256Hex(const QByteArray& bytes);

} // namespace io
