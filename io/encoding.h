#pragma once

// How the readers tell text from what is not text, and which encoding a text file has.

#include "io/error.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace io {

// Bytes that cannot be a text in an 8-bit encoding: nullopt, or the reason.
//   - "" -> "文件是空的";
//   - a UTF-32 or UTF-16 byte-order mark, or NULs standing mostly at every second byte (UTF-16
//     without a mark) -> "文件是UTF-16编码，请另存为UTF-8" (or UTF-32);
//   - any other NUL -> "文件含有二进制数据，不是文本文件".
std::optional<calibration::Message> textBytesProblem(const QByteArray& bytes);

// A character no text file of data holds (a C0 control other than tab, line feed and carriage
// return): nullopt, or the binary reason above.
std::optional<calibration::Message> controlCharacterProblem(QStringView text);

// The text of a spreadsheet file: UTF-8 with or without a byte-order mark, otherwise GB18030
// (what a spreadsheet program on a Chinese system writes). A file that is valid UTF-8 is read as
// UTF-8: GB18030 text of Chinese characters is almost never valid UTF-8, and pure ASCII reads the
// same in both. The byte-order mark is not part of the text. Refuses what textBytesProblem and
// controlCharacterProblem refuse, and bytes that neither encoding reads whole (a cut-off
// sequence at the end included): "文件编码无法识别（应为UTF-8或GB18030）".
Expected<QString> decodeSpreadsheetText(const QByteArray& bytes);

} // namespace io
