#include "io/files.h"

#include "calibration/memory.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
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

std::optional<calibration::Message> notRegularProblem(mode_t mode) {
    if (S_ISREG(mode)) {
        return std::nullopt;
    }
    if (S_ISDIR(mode)) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "这是文件夹，不是文件"));
    }
    if (S_ISFIFO(mode)) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "不是普通文件（命名管道）"));
    }
    if (S_ISCHR(mode)) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "不是普通文件（字符设备）"));
    }
    if (S_ISBLK(mode)) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "不是普通文件（块设备）"));
    }
    if (S_ISSOCK(mode)) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "不是普通文件（套接字）"));
    }
    return ioMessage(QT_TRANSLATE_NOOP("io", "不是普通文件"));
}

// Why stat() could not reach the file.
calibration::Message unreachableReason(const QByteArray& native, int code) {
    if (code == ENOENT) {
        struct stat link {};
        if (::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
            return ioMessage(QT_TRANSLATE_NOOP("io", "符号链接指向的文件不存在"));
        }
        return ioMessage(QT_TRANSLATE_NOOP("io", "文件不存在"));
    }
    if (code == EACCES) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "没有进入所在文件夹的权限（%1）"),
                         {shownArgument(QString::fromLocal8Bit(std::strerror(code)))});
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

calibration::Message fileTooLargeReason(qint64 limit) {
    if (limit % (1024 * 1024) == 0) {
        return ioMessage(QT_TRANSLATE_NOOP("io", "文件太大（上限%1 MiB）"),
                         {std::to_string(limit / (1024 * 1024))});
    }
    return ioMessage(QT_TRANSLATE_NOOP("io", "文件太大（上限%1字节）"), {std::to_string(limit)});
}

calibration::Message systemErrorPhrase(int code) {
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
            return ioMessage(phrase.text);
        }
    }
    return shownText(QString::fromLocal8Bit(std::strerror(code)));
}

calibration::Message systemErrorReason(int code) {
    //: A text and, in brackets, what it comes from: 磁盘已满（No space left on device）,
    //: standards[0].C（第3行第5列）
    calibration::Message reason = ioMessage(
        QT_TRANSLATE_NOOP("io", "%1（%2）"),
        {systemErrorPhrase(code), shownArgument(QString::fromLocal8Bit(std::strerror(code)))});
    reason.firstAloneWhenAlike = true;
    return reason;
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
    const auto refuse = [&path](calibration::Message reason) {
        return Error{path, {}, std::move(reason)};
    };
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
            return refuse(ioMessage(QT_TRANSLATE_NOOP("io", "没有读取权限（%1）"),
                                    {shownArgument(QString::fromLocal8Bit(std::strerror(code)))}));
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
                ioMessage(QT_TRANSLATE_NOOP("io", "读取出错：%1"), {systemErrorReason(code)}));
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

namespace {

QByteArray folderOf(const QByteArray& native) {
    const qsizetype slash = native.lastIndexOf('/');
    if (slash < 0) {
        return "."_ba;
    }
    return slash == 0 ? "/"_ba : native.left(slash);
}

// Where the symbolic link at `link` leads, one step: its text, taken from the link's folder when
// it is relative.
QByteArray linkTarget(const QByteArray& link) {
    QByteArray target(4096, '\0');
    const ssize_t length = ::readlink(link.constData(), target.data(), std::size_t(target.size()));
    if (length < 0) {
        return {};
    }
    target.truncate(length);
    return target.startsWith('/') ? target : folderOf(link) + '/' + target;
}

// The first path along a chain of links that does not exist: what a dangling link is missing.
QByteArray missingTarget(const QByteArray& link) {
    QByteArray at = link;
    for (int step = 0; step < 40; ++step) {
        const QByteArray target = linkTarget(at);
        struct stat status {};
        if (target.isEmpty() || ::lstat(target.constData(), &status) != 0 ||
            !S_ISLNK(status.st_mode)) {
            return target;
        }
        at = target;
    }
    return {};
}

// The file a save replaces or creates at `path`, as bytes: the path itself, or for a symbolic link
// the regular file it leads to, so that the link stays a link. Anything that stands there and is
// not a regular file is refused, and so is a link that leads nowhere.
Expected<QByteArray> writeTarget(const QString& path) {
    const auto refuse = [&path](calibration::Message reason) {
        return Error{path, {}, std::move(reason)};
    };
    const QByteArray native = nativePath(path);
    if (native.isEmpty()) {
        return refuse(ioMessage(QT_TRANSLATE_NOOP("io", "文件名为空")));
    }
    struct stat status {};
    if (::lstat(native.constData(), &status) != 0) {
        const int code = errno;
        if (code == ENOENT || code == ENOTDIR) {
            struct stat folder {};
            if (::stat(folderOf(native).constData(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
                return refuse(ioMessage(QT_TRANSLATE_NOOP("io", "所在的文件夹不存在")));
            }
            return native; // a new file
        }
        return refuse(unreachableReason(native, code));
    }
    QByteArray target = native;
    if (S_ISLNK(status.st_mode)) {
        char* resolved = ::realpath(native.constData(), nullptr);
        if (resolved == nullptr) {
            const int code = errno;
            if (code == ENOENT) {
                return refuse(
                    ioMessage(QT_TRANSLATE_NOOP("io", "符号链接指向的文件不存在：%1"),
                              {shownArgument(shownPath(pathFromNative(missingTarget(native))))}));
            }
            return refuse(systemErrorReason(code));
        }
        target = QByteArray(resolved);
        std::free(resolved);
        if (::stat(target.constData(), &status) != 0) {
            return refuse(systemErrorReason(errno));
        }
    }
    if (const auto problem = notRegularProblem(status.st_mode)) {
        return refuse(*problem);
    }
    // A file its owner made read-only is not replaced behind its back; a read-only file system
    // says so when the new file cannot be created.
    if (::access(target.constData(), W_OK) != 0 && errno == EACCES) {
        return refuse(ioMessage(QT_TRANSLATE_NOOP("io", "没有写入权限（%1）"),
                                {shownArgument(QString::fromLocal8Bit(std::strerror(EACCES)))}));
    }
    return target;
}

// `bytes` written whole to the open descriptor, each write checked; errno when one fails.
int writeAll(int fd, const QByteArray& bytes) {
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, std::size_t(std::min<qsizetype>(left, 1 << 30)));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        at += written;
        left -= written;
    }
    return 0;
}

// A name beside `target` that nothing holds yet: "a.pdf.k3Xq9Z".
QByteArray temporaryName(const QByteArray& target) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = target + '.';
    for (int i = 0; i < 6; ++i) {
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    }
    return name;
}

} // namespace

std::optional<Error> checkWriteTarget(const QString& path) {
    const Expected<QByteArray> target = writeTarget(path);
    return target ? std::nullopt : std::optional<Error>(target.error());
}

bool sameFile(const QString& first, const QString& second) {
    struct stat a {};
    struct stat b {};
    return !first.isEmpty() && !second.isEmpty() &&
           ::stat(nativePath(first).constData(), &a) == 0 &&
           ::stat(nativePath(second).constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

std::optional<Error> saveFileAtomically(const QString& path, const QByteArray& bytes) {
    const auto refuse = [&path](calibration::Message reason) {
        return Error{path, {}, std::move(reason)};
    };
    const auto writeFailure = [&refuse](int code) {
        return refuse(
            ioMessage(QT_TRANSLATE_NOOP("io", "写入失败（%1）"), {systemErrorPhrase(code)}));
    };
    const Expected<QByteArray> found = writeTarget(path);
    if (!found) {
        return found.error();
    }
    const QByteArray& target = found.value();
    struct stat old {};
    const bool replacing = ::stat(target.constData(), &old) == 0;
    // A file of no name in the target's folder, given one only when it is whole: a failure or a
    // crash leaves nothing behind. A file system without such files gets a named one.
    bool anonymous = true;
    QByteArray temporary;
    int fd = ::open(folderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        anonymous = false;
        do {
            temporary = temporaryName(target);
            fd = ::open(temporary.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        } while (fd < 0 && errno == EEXIST);
    }
    if (fd < 0) {
        return refuse(
            ioMessage(QT_TRANSLATE_NOOP("io", "无法创建文件（%1）"), {systemErrorPhrase(errno)}));
    }
    const auto abandon = [&](int code) {
        ::close(fd);
        if (!temporary.isEmpty()) {
            ::unlink(temporary.constData());
        }
        return writeFailure(code);
    };
    if (replacing) {
        ::fchmod(fd, old.st_mode & 07777); // the old file's permissions, as far as they go
    }
    if (const int code = writeAll(fd, bytes)) {
        return abandon(code);
    }
    if (::fsync(fd) != 0 && errno != EINVAL) {
        return abandon(errno);
    }
    if (anonymous) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
        int linked = -1;
        do {
            temporary = temporaryName(target);
            linked = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temporary.constData(),
                              AT_SYMLINK_FOLLOW);
        } while (linked != 0 && errno == EEXIST);
        if (linked != 0) {
            const int code = errno;
            temporary.clear();
            return abandon(code);
        }
    }
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporary.constData());
        return writeFailure(code);
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int code = errno;
        ::unlink(temporary.constData());
        return writeFailure(code);
    }
    return std::nullopt;
}

} // namespace io
