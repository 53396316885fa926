#pragma once

// Reading a file with a size limit, and writing one whole or not at all.

#include "io/error.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace io {

// The largest calibration or CSV file read: 64 MiB. A calibration of 100 000 samples with ten
// readings each and Chinese names takes about 20 MiB.
inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// "文件太大（上限64 MiB）"
QString fileTooLargeReason(qint64 limit = kMaxFileBytes);

// The whole file, or an error with Error::file = path: "文件不存在", "这是文件夹，不是文件",
// "无法读取（…）" with the system's reason, and fileTooLargeReason(limit). Reads at most limit + 1
// bytes whatever the file claims its size is (pipes, /proc).
Expected<QByteArray> readFileLimited(const QString& path, qint64 limit = kMaxFileBytes);

// Writes through QSaveFile: the bytes go to a new file beside the old one, which is renamed over
// it only when everything is written. A save that fails leaves the old file as it was and says
// why, with Error::file = path: "所在的文件夹不存在", "这是文件夹，不是文件",
// "无法创建文件（…）", "写入失败（…）" (the parentheses hold the system's reason, e.g. "No space
// left on device").
std::optional<Error> saveFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace io
