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
calibration::Message fileTooLargeReason(qint64 limit = kMaxFileBytes);

// A system error (errno) in words: a short Chinese phrase ("磁盘已满", "权限被拒绝",
// "符号链接循环") or, for an error without one, the system's own text.
calibration::Message systemErrorPhrase(int code);
// The phrase with the system's own text after it: "符号链接循环（Too many levels of symbolic
// links）"; the system's text alone when there is no phrase, or when the phrase, translated,
// reads as the system's text (the English phrases are the system's own).
calibration::Message systemErrorReason(int code);

// File names are bytes. A name that is not UTF-8 (written on a system with another encoding)
// still gets a QString that gives back the same bytes: each byte that is not part of a valid
// UTF-8 character becomes the unpaired surrogate U+DC80..U+DCFF, which no valid name holds, and
// shownPath shows as \xFF. QFile::decodeName would turn such bytes into U+FFFD for good.
QString pathFromNative(const QByteArray& name);
QByteArray nativePath(const QString& path);

// True only when nothing at all stands at the path (not even a symbolic link, dangling or looping)
// and the reason is that it does not exist, not that a folder cannot be searched.
bool isAbsent(const QString& path);

// The whole regular file (symbolic links followed), or an error with Error::file = path:
//   "文件不存在", "符号链接指向的文件不存在", "这是文件夹，不是文件", "不是普通文件（命名管道）"
//   (also 字符设备, 块设备, 套接字: refused before opening, so that nothing blocks), the system's
//   reason for a path that cannot be followed or a file that cannot be opened or read
//   ("符号链接循环（Too many levels of symbolic links）", "没有读取权限（Permission denied）"), and
//   fileTooLargeReason(limit). Reads at most limit + 1 bytes whatever the file claims its size is
//   (/proc). The path may hold bytes kept by pathFromNative.
Expected<QByteArray> readFileLimited(const QString& path, qint64 limit = kMaxFileBytes);

// Writes a file whole or not at all: the bytes go to a new file of no name in the folder of the
// file they replace (a named one beside it on a file system without such files), which is put in
// place of the old one only when every write and the sync have succeeded. A save that fails leaves
// the old file as it was and says why, with Error::file = path: the refusals of checkWriteTarget,
// "无法创建文件（…）", "写入失败（…）" (the parentheses hold the system's reason, e.g. "磁盘已满";
// failing to put the finished file in place is a write failure too). The new file keeps the old
// one's permissions. Every file the program writes goes through here.
std::optional<Error> saveFileAtomically(const QString& path, const QByteArray& bytes);

// Why a save to `path` would be refused before anything is written, or nullopt. Only a regular
// file is replaced, and a symbolic link is written through to the regular file it leads to (the
// link stays a link). Refused, with Error::file = path: "所在的文件夹不存在",
// "这是文件夹，不是文件", "不是普通文件（字符设备）" (also 命名管道, 块设备, 套接字),
// "符号链接指向的文件不存在：/tmp/gone.pdf" (the first missing path along the links),
// "符号链接循环（…）", "没有写入权限（…）". The path may hold bytes kept by pathFromNative: the
// file is found or created under exactly them.
std::optional<Error> checkWriteTarget(const QString& path);

// True when both paths lead to one existing file (the same device and inode, links followed): a
// command's output that would replace one of its inputs.
bool sameFile(const QString& first, const QString& second);

} // namespace io
