#pragma once

// The calibration file (.lumetra): JSON in UTF-8, one object.
//
//   {
//       "format": "lumetra-calibration",
//       "version": 2,
//       "unit": "mg/L",
//       "standards": [
//           {"C": "0.5", "A": ".123"},
//           {"C": "1", "A": ".246"}
//       ],
//       "samples": [
//           {"name": "样品 1", "readings": ".512 .515", "dilution": "1", "main_result": " .5564"}
//       ]
//   }
//
// - "format" (text, exactly "lumetra-calibration") and "version" (number, 1 to 3) come first: a
//   file of another program, or of a newer version of this one, is refused before anything else.
//   Version 2 is written only when the document holds what changes results beyond version 1's
//   fields (a model, exclusions, batch settings, row types), version 3 only when it holds what
//   version 2 does not know (the rounding switch, the style "L", the blank absorbance maximum, a
//   method), so that older programs refuse it.
// - "unit": the unit list's text. "standards": the texts of the concentration (C) and the
//   absorbance (A) boxes, as texts; a JSON number there is refused ("应为文字，不是数字"), since
//   no number can say which text stood in the box (".5" or "0.50").
// - "samples" (may be absent: no samples): the sample list's rows as typed (kSampleKeys:
//   name, readings, dilution required; main_result, type, of, added, nominal, certified, u and
//   earlier_curve may be absent); "main_result" is the main window's result text for the rows
//   it added.
// - Version 2 also: "settings" (model, weighting, levels, limits, the batch), a standard's
//   "excluded" and "reason", "header" (the report's record), "created" and "history" (each entry
//   with an optional "reason"). Version 3: "method" {name, sha256, validated}.
// - Keys the program does not know are ignored. When a key is given twice, the last one counts
//   (Qt's reader keeps the last).
// - Errors name the field as a path with indexes from 0 ("standards[3].A：应为文字，不是数字")
//   or, for a file that is not valid JSON, the line and column with the field where one can be
//   told ("standards[0].C（第3行第15列）：数值 NaN 无效，JSON中不能有NaN或Infinity").
// - At most kMaxFileBytes (64 MiB); JSON nested deeper than Qt's limit of 1024 is refused.

#include "calibration/document.h"
#include "io/error.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace io {

inline constexpr char16_t kCalibrationFormat[] = u"lumetra-calibration";
inline constexpr int kCalibrationVersion = 3;

// Checks the whole file and gives the calibration, or the first error. The calibration's texts
// are not checked as numbers here (checkForWindow, checkNumbers).
Expected<calibration::Document> readCalibration(const QByteArray& bytes);

// The same with every field read through Qt's JSON tree, as readCalibration does for what its
// quicker reader of the sample rows declines: for tests that compare the two.
Expected<calibration::Document> readCalibrationThroughTree(const QByteArray& bytes);

// The file's bytes: the layout above, one standard or sample per line, UTF-8 without a
// byte-order mark, LF line ends. readCalibration gives back the same value.
QByteArray calibrationBytes(const calibration::Document& document);

// readFileLimited and readCalibration; the error names the file.
Expected<calibration::Document> readCalibrationFile(const QString& path);

// calibrationBytes through saveFileAtomically.
std::optional<Error> saveCalibration(const QString& path, const calibration::Document& document);

} // namespace io
