#include "io/files.h"

#include "calibration/memory.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace io {

namespace {

// The lone surrogates that stand for the bytes 0x80..0xFF of a name that are not UTF-8.
constexpr char16_t kEscapedByte = 0xDC00;

void appendCode(QString& out, char32_t code) {
    if (code > 0xFFFF) {
        out += QChar(QChar::highSurrogate(code));
        out += QChar(QChar::lowSurrogate(code));
    } else {
        out += QChar(char16_t(code));
    }
}

// The length of the valid UTF-8 character at bytes[i], 0 when there is none.
int utf8Length(const unsigned char* bytes, qsizetype i, qsizetype n, char32_t& code) {
    const unsigned char lead = bytes[i];
    int length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1FU;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0FU;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07U;
        least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > n) {
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        if ((bytes[i + k] & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (bytes[i + k] & 0x3FU);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code >= least && code <= 0x10FFFF && !surrogate ? length : 0;
}

// Qt's own text for a failure, or nothing when it is only the generic "Unknown error".
QString qtReason(const QFileDevice& file) {
    const QString reason = file.errorString();
    if (reason.isEmpty() || reason == QFile().errorString()) {
        return {};
    }
    return reason;
}

// Why a QSaveFile call failed. errno, cleared before the call, is used only when Qt's text is the
// one Qt gives for that errno: a call can fail for a reason of Qt's own after a harmless failed
// probe.
QString saveFailure(const QFileDevice& file, int code) {
    const QString reason = qtReason(file);
    if (code != 0 && (reason.isEmpty() || reason == qt_error_string(code))) {
        return systemErrorPhrase(code);
    }
    return reason.isEmpty() ? QCoreApplication::translate("io", "原因不明") : reason;
}

std::optional<QString> notRegularProblem(mode_t mode) {
    if (S_ISREG(mode)) {
        return std::nullopt;
    }
    if (S_ISDIR(mode)) {
        return QCoreApplication::translate("io", "这是文件夹，不是文件");
    }
    if (S_ISFIFO(mode)) {
        return QCoreApplication::translate("io", "不是普通文件（命名管道）");
    }
    if (S_ISCHR(mode)) {
        return QCoreApplication::translate("io", "不是普通文件（字符设备）");
    }
    if (S_ISBLK(mode)) {
        return QCoreApplication::translate("io", "不是普通文件（块设备）");
    }
    if (S_ISSOCK(mode)) {
        return QCoreApplication::translate("io", "不是普通文件（套接字）");
    }
    return QCoreApplication::translate("io", "不是普通文件");
}

// Why stat() could not reach the file.
QString unreachableReason(const QByteArray& native, int code) {
    if (code == ENOENT) {
        struct stat link {};
        if (::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
            return QCoreApplication::translate("io", "符号链接指向的文件不存在");
        }
        return QCoreApplication::translate("io", "文件不存在");
    }
    if (code == EACCES) {
        return QCoreApplication::translate("io", "没有进入所在文件夹的权限（%1）")
            .arg(QString::fromLocal8Bit(std::strerror(code)));
    }
    return systemErrorReason(code);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

private:
    int fd_;
};

} // namespace

QString fileTooLargeReason(qint64 limit) {
    if (limit % (1024 * 1024) == 0) {
        return QCoreApplication::translate("io", "文件太大（上限%1 MiB）")
            .arg(limit / (1024 * 1024));
    }
    return QCoreApplication::translate("io", "文件太大（上限%1字节）").arg(limit);
}

QString systemErrorPhrase(int code) {
    struct Phrase {
        int code;
        const char* text;
    };
    static constexpr Phrase phrases[] = {
        {ENOENT, QT_TRANSLATE_NOOP("io", "文件不存在")},
        {ELOOP, QT_TRANSLATE_NOOP("io", "符号链接循环")},
        {EACCES, QT_TRANSLATE_NOOP("io", "权限被拒绝")},
        {EPERM, QT_TRANSLATE_NOOP("io", "不允许此操作")},
        {ENOTDIR, QT_TRANSLATE_NOOP("io", "路径中有一项不是文件夹")},
        {ENAMETOOLONG, QT_TRANSLATE_NOOP("io", "文件名太长")},
        {EISDIR, QT_TRANSLATE_NOOP("io", "这是文件夹")},
        {ENOSPC, QT_TRANSLATE_NOOP("io", "磁盘已满")},
        {EDQUOT, QT_TRANSLATE_NOOP("io", "超出磁盘配额")},
        {EFBIG, QT_TRANSLATE_NOOP("io", "超出文件大小的限制")},
        {EROFS, QT_TRANSLATE_NOOP("io", "只读文件系统")},
        {EIO, QT_TRANSLATE_NOOP("io", "输入输出错误")},
        {EBADF, QT_TRANSLATE_NOOP("io", "文件描述符无效或不可写入")},
        {EPIPE, QT_TRANSLATE_NOOP("io", "管道的读取端已关闭")},
        {EMFILE, QT_TRANSLATE_NOOP("io", "打开的文件太多")},
        {ENFILE, QT_TRANSLATE_NOOP("io", "打开的文件太多")},
        {ENOMEM, QT_TRANSLATE_NOOP("io", "内存不足")},
        {ENXIO, QT_TRANSLATE_NOOP("io", "设备不存在")},
        {ETXTBSY, QT_TRANSLATE_NOOP("io", "文件正在被执行")},
    };
    for (const Phrase& phrase : phrases) {
        if (phrase.code == code) {
            return QCoreApplication::translate("io", phrase.text);
        }
    }
    return QString::fromLocal8Bit(std::strerror(code));
}

QString systemErrorReason(int code) {
    const QString system = QString::fromLocal8Bit(std::strerror(code));
    const QString phrase = systemErrorPhrase(code);
    if (phrase == system) {
        return system;
    }
    //: A text and, in brackets, what it comes from: 磁盘已满（No space left on device）,
    //: standards[0].C（第3行第5列）
    return QCoreApplication::translate("io", "%1（%2）").arg(phrase, system);
}

QString pathFromNative(const QByteArray& name) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.constData());
    const qsizetype n = name.size();
    QString out;
    out.reserve(n);
    for (qsizetype i = 0; i < n;) {
        char32_t code = 0;
        const int length = utf8Length(bytes, i, n, code);
        if (length == 0) {
            out += QChar(char16_t(kEscapedByte + bytes[i]));
            ++i;
        } else {
            appendCode(out, code);
            i += length;
        }
    }
    return out;
}

QByteArray nativePath(const QString& path) {
    QByteArray out;
    out.reserve(path.size());
    qsizetype start = 0; // of the run of ordinary characters not yet encoded
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar ch = path[i];
        if (ch.isHighSurrogate() && i + 1 < path.size() && path[i + 1].isLowSurrogate()) {
            ++i;
        } else if (ch.unicode() >= kEscapedByte + 0x80 && ch.unicode() <= kEscapedByte + 0xFF) {
            out += QStringView(path).sliced(start, i - start).toUtf8();
            out += char(ch.unicode() - kEscapedByte);
            start = i + 1;
        }
    }
    out += QStringView(path).sliced(start).toUtf8();
    return out;
}

bool isAbsent(const QString& path) {
    struct stat status {};
    return ::lstat(nativePath(path).constData(), &status) != 0 && errno == ENOENT;
}

Expected<QByteArray> readFileLimited(const QString& path, qint64 limit) {
    const auto refuse = [&path](const QString& reason) { return Error{path, {}, reason}; };
    const QByteArray native = nativePath(path);
    struct stat status {};
    if (::stat(native.constData(), &status) != 0) {
        return refuse(unreachableReason(native, errno));
    }
    if (const auto problem = notRegularProblem(status.st_mode)) {
        return refuse(*problem);
    }
    // Not blocking even should a FIFO take the file's place after the check; fstat then sees it.
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        const int code = errno;
        if (code == EACCES) {
            return refuse(QCoreApplication::translate("io", "没有读取权限（%1）")
                              .arg(QString::fromLocal8Bit(std::strerror(code))));
        }
        return refuse(systemErrorReason(code));
    }
    const Descriptor file(fd);
    if (::fstat(fd, &status) != 0) {
        return refuse(systemErrorReason(errno));
    }
    if (const auto problem = notRegularProblem(status.st_mode)) {
        return refuse(*problem);
    }
    if (status.st_size > limit) {
        return refuse(fileTooLargeReason(limit));
    }
    QByteArray bytes;
    bytes.reserve(qsizetype(status.st_size) + 1); // 0 for /proc, which claims no size
    calibration::preferHugePages(bytes.constData(), std::size_t(bytes.capacity()));
    constexpr qsizetype chunk = 1 << 20;
    while (bytes.size() <= limit) {
        // Into the room reserved while there is some, so that the read that finds the end does
        // not grow the array.
        const qsizetype room = bytes.capacity() - bytes.size();
        const qsizetype wanted =
            qsizetype(std::min<qint64>(room > 0 ? room : chunk, limit + 1 - bytes.size()));
        const qsizetype before = bytes.size();
        bytes.resize(before + wanted);
        const ssize_t got = ::read(fd, bytes.data() + before, std::size_t(wanted));
        if (got < 0) {
            const int code = errno;
            bytes.resize(before);
            if (code == EINTR) {
                continue;
            }
            return refuse(
                QCoreApplication::translate("io", "读取出错：%1").arg(systemErrorReason(code)));
        }
        bytes.resize(before + got);
        if (got == 0) {
            break;
        }
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
        return refuse(QCoreApplication::translate("io", "这是文件夹，不是文件"));
    }
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir()) {
        return refuse(QCoreApplication::translate("io", "所在的文件夹不存在"));
    }
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile of this Qt commits (and replaces the old file with an empty
    // one) although the flush of its buffer failed on a full disk.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return refuse(
            QCoreApplication::translate("io", "无法创建文件（%1）").arg(saveFailure(file, errno)));
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const QString reason = saveFailure(file, errno);
        file.cancelWriting();
        file.commit(); // removes the new file
        return refuse(QCoreApplication::translate("io", "写入失败（%1）").arg(reason));
    }
    errno = 0;
    if (!file.commit()) {
        return refuse(
            QCoreApplication::translate("io", "写入失败（%1）").arg(saveFailure(file, errno)));
    }
    return std::nullopt;
}

} // namespace io
