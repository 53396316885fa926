#include "io/files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace io {

QString fileTooLargeReason(qint64 limit) {
    if (limit % (1024 * 1024) == 0) {
        return u"文件太大（上限%1 MiB）"_s.arg(limit / (1024 * 1024));
    }
    return u"文件太大（上限%1字节）"_s.arg(limit);
}

Expected<QByteArray> readFileLimited(const QString& path, qint64 limit) {
    const auto refuse = [&path](const QString& reason) { return Error{path, {}, reason}; };
    const QFileInfo info(path);
    if (!info.exists()) {
        return refuse(u"文件不存在"_s);
    }
    if (info.isDir()) {
        return refuse(u"这是文件夹，不是文件"_s);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refuse(u"无法读取（%1）"_s.arg(file.errorString()));
    }
    if (file.size() > limit) {
        return refuse(fileTooLargeReason(limit));
    }
    QByteArray bytes;
    bytes.reserve(qsizetype(std::max<qint64>(file.size(), 0)) + 1); // 0 for pipes and /proc
    constexpr qint64 chunk = 1 << 20;
    while (bytes.size() <= limit) {
        const QByteArray part = file.read(std::min(chunk, limit + 1 - bytes.size()));
        if (part.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                return refuse(u"无法读取（%1）"_s.arg(file.errorString()));
            }
            break;
        }
        bytes += part;
    }
    if (bytes.size() > limit) {
        return refuse(fileTooLargeReason(limit));
    }
    return bytes;
}

std::optional<Error> saveFileAtomically(const QString& path, const QByteArray& bytes) {
    const auto refuse = [&path](const QString& reason) { return Error{path, {}, reason}; };
    const QFileInfo info(path);
    if (info.isDir()) {
        return refuse(u"这是文件夹，不是文件"_s);
    }
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir()) {
        return refuse(u"所在的文件夹不存在"_s);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return refuse(u"无法创建文件（%1）"_s.arg(file.errorString()));
    }
    // A short write shows here or, for buffered data, in commit(); either way commit() then
    // removes the new file and leaves the old one.
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        file.commit();
        return refuse(u"写入失败（%1）"_s.arg(reason));
    }
    if (!file.commit()) {
        return refuse(u"写入失败（%1）"_s.arg(file.errorString()));
    }
    return std::nullopt;
}

} // namespace io
