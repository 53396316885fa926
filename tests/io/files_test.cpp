#include "io/files.h"
#include "io_test_support.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using io_test::messageOf;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot read)");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class SaveFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        oldFile_ = dir_.filePath(u"old.lumetra"_s);
        writeFile(oldFile_, "old contents");
    }
    // The folder holds exactly the old file, unchanged: no half-written new one beside it.
    void expectOldFileAlone() {
        EXPECT_EQ(contents(oldFile_), QByteArray("old contents"));
        EXPECT_EQ(
            QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{u"old.lumetra"_s});
    }

    QTemporaryDir dir_;
    QString oldFile_;
};

TEST_F(SaveFile, Replaces) {
    ASSERT_EQ(messageOf(io::saveFileAtomically(oldFile_, "new")), u"ok"_s);
    EXPECT_EQ(contents(oldFile_), QByteArray("new"));
}

// Tests run as root, whom permissions do not stop: the failures come from the path itself.
TEST_F(SaveFile, RefusedPaths) {
    struct Case {
        const char* name;
        QString path;
        QString reason;
    };
    const Case cases[] = {
        {"a missing folder", dir_.filePath(u"missing/new.lumetra"_s), u"所在的文件夹不存在"_s},
        {"a folder whose parent is a file", oldFile_ + u"/new.lumetra"_s, u"所在的文件夹不存在"_s},
        {"a folder in place of the file", dir_.path(), u"这是文件夹，不是文件"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(messageOf(io::saveFileAtomically(c.path, "new")), c.path + u"："_s + c.reason);
        expectOldFileAlone();
    }
}

// A full disk, as root can meet it: a file size limit makes the writes fail with EFBIG. A write
// smaller than QSaveFile's buffer fails only at the flush, which a buffered QSaveFile does not
// report.
TEST_F(SaveFile, FullDiskLeavesTheOldFile) {
    for (const qsizetype size : {qsizetype(500), qsizetype(1) << 20}) {
        SCOPED_TRACE(size);
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 100;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

        const auto error = io::saveFileAtomically(oldFile_, QByteArray(size, 'x'));

        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        EXPECT_EQ(messageOf(error), oldFile_ + u"：写入失败（超出文件大小的限制）"_s);
        expectOldFileAlone();
    }
}

void makeLink(const QString& target, const QString& link) {
    ASSERT_EQ(::symlink(io::nativePath(target).constData(), io::nativePath(link).constData()), 0);
}

TEST_F(SaveFile, KeepsThePermissionsOfTheFileItReplaces) {
    ASSERT_EQ(::chmod(io::nativePath(oldFile_).constData(), 0640), 0);
    ASSERT_EQ(messageOf(io::saveFileAtomically(oldFile_, "new")), u"ok"_s);
    struct stat status {};
    ASSERT_EQ(::stat(io::nativePath(oldFile_).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

// One file by whatever path; nothing is the same as a file that is not there.
TEST(SameFile, DeviceAndInode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString a = dir.filePath(u"a.csv"_s);
    const QString b = dir.filePath(u"b.csv"_s);
    writeFile(a, "1,2\n");
    writeFile(b, "1,2\n");
    ASSERT_EQ(
        ::link(io::nativePath(a).constData(), io::nativePath(dir.filePath(u"hard"_s)).constData()),
        0);
    makeLink(a, dir.filePath(u"soft"_s));
    struct Case {
        const char* name;
        QString first, second;
        bool same;
    };
    const Case cases[] = {
        {"the same path", a, a, true},
        {"another spelling", a, dir.path() + u"/./a.csv"_s, true},
        {"a hard link", a, dir.filePath(u"hard"_s), true},
        {"a symbolic link", dir.filePath(u"soft"_s), a, true},
        {"the same contents", a, b, false},
        {"a missing file", dir.filePath(u"none"_s), dir.filePath(u"none"_s), false},
        {"no path", QString(), QString(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(io::sameFile(c.first, c.second), c.same);
    }
}

TEST(ReadFileLimited, Refusals) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ten = dir.filePath(u"ten"_s);
    writeFile(ten, "0123456789");
    const QString fifo = dir.filePath(u"fifo.csv"_s);
    ASSERT_EQ(::mkfifo(io::nativePath(fifo).constData(), 0600), 0);
    makeLink(ten, dir.filePath(u"link"_s));
    makeLink(dir.filePath(u"missing"_s), dir.filePath(u"dangling"_s));
    makeLink(dir.filePath(u"self"_s), dir.filePath(u"self"_s));
    makeLink(dir.filePath(u"loop2"_s), dir.filePath(u"loop1"_s));
    makeLink(dir.filePath(u"loop1"_s), dir.filePath(u"loop2"_s));
    makeLink(fifo, dir.filePath(u"to fifo"_s));
    // A name written on a system with another encoding: "度" in GB18030. Qt cannot remove it.
    const QString gb = io::pathFromNative(QFile::encodeName(dir.path()) + "/\xB6\xC8.csv");
    const auto removeGb = qScopeGuard([&gb] { ::unlink(io::nativePath(gb).constData()); });
    {
        QFile file;
        const int fd = ::open(io::nativePath(gb).constData(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        file.write("C,A\n");
    }
    const QString loop = u"符号链接循环（Too many levels of symbolic links）"_s;
    struct Case {
        const char* name;
        QString path;
        qint64 limit;
        QString message; // after the path and "："; "ok" when read
    };
    const Case cases[] = {
        {"at the limit", ten, 10, u"ok"_s},
        {"a link to a file", dir.filePath(u"link"_s), 10, u"ok"_s},
        {"a name that is not UTF-8", gb, 10, u"ok"_s},
        {"over the limit", ten, 9, u"文件太大（上限9字节）"_s},
        {"missing", dir.filePath(u"missing"_s), 10, u"文件不存在"_s},
        {"a link to nothing", dir.filePath(u"dangling"_s), 10, u"符号链接指向的文件不存在"_s},
        {"a link to itself", dir.filePath(u"self"_s), 10, loop},
        {"two links to each other", dir.filePath(u"loop1"_s), 10, loop},
        {"a file taken for a folder", ten + u"/x"_s, 10,
         u"路径中有一项不是文件夹（Not a directory）"_s},
        {"a folder", dir.path(), 10, u"这是文件夹，不是文件"_s},
        {"a FIFO", fifo, 10, u"不是普通文件（命名管道）"_s},
        {"a link to a FIFO", dir.filePath(u"to fifo"_s), 10, u"不是普通文件（命名管道）"_s},
        {"a device", u"/dev/null"_s, 10, u"不是普通文件（字符设备）"_s},
        // Its size reads as 0; the limit holds all the same.
        {"a file that claims no size", u"/proc/self/status"_s, 10, u"文件太大（上限10字节）"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString expected = c.message == u"ok"_s ? c.message : c.path + u"："_s + c.message;
        EXPECT_EQ(messageOf(io::readFileLimited(c.path, c.limit)), expected);
    }
    EXPECT_EQ(io::readFileLimited(ten, 10).value(), QByteArray("0123456789"));
    EXPECT_EQ(io::readFileLimited(gb, 10).value(), QByteArray("C,A\n"));
    EXPECT_EQ(messageOf(io::readFileLimited(gb + u'x')),
              dir.path() + u"/\\xB6\\xC8.csvx：文件不存在"_s);
}

// What an ordinary user is told: as root, from a child process that has given up root.
QString messageAsUser(const QString& path) {
    if (::geteuid() != 0) {
        return messageOf(io::readFileLimited(path));
    }
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return u"(no pipe)"_s;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(1);
        }
        const QByteArray message = messageOf(io::readFileLimited(path)).toUtf8();
        const bool written = ::write(pipeEnds[1], message.constData(),
                                     std::size_t(message.size())) == message.size();
        ::_exit(written ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    QByteArray message;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        message.append(buffer, got);
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? QString::fromUtf8(message)
                                                         : u"(the child failed)"_s;
}

TEST(ReadFileLimited, PermissionDenied) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ReadOther |
                                                      QFile::ExeOther));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"locked"_s));
    const QString inLocked = dir.filePath(u"locked/a.csv"_s);
    writeFile(inLocked, "1,2\n");
    // No one may enter it, the owner included (the folder is given back for its removal).
    ASSERT_TRUE(QFile::setPermissions(dir.filePath(u"locked"_s), {}));
    const auto unlock = qScopeGuard([&dir] {
        QFile::setPermissions(dir.filePath(u"locked"_s),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    const QString unreadable = dir.filePath(u"secret.csv"_s);
    writeFile(unreadable, "1,2\n");
    ASSERT_TRUE(QFile::setPermissions(unreadable, QFile::WriteOwner));
    EXPECT_EQ(messageAsUser(inLocked),
              inLocked + u"：没有进入所在文件夹的权限（Permission denied）"_s);
    EXPECT_EQ(messageAsUser(unreadable), unreadable + u"：没有读取权限（Permission denied）"_s);
}

// Names are bytes: every byte sequence comes back as it was, and shows with its stray bytes as
// \xFF.
TEST(NativePaths, BytesComeBackAndShow) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QString shown;
    };
    const Case cases[] = {
        {"ASCII", "/tmp/a.csv", u"/tmp/a.csv"_s},
        {"Chinese and beyond the BMP", "/tmp/\xE6\xB5\x93\xF0\x9F\x98\x80", u"/tmp/浓😀"_s},
        {"GB18030", "/tmp/\xB6\xC8", u"/tmp/\\xB6\\xC8"_s},
        {"a character cut off", "a\xE6\xB5", u"a\\xE6\\xB5"_s},
        {"an overlong slash", "a\xC0\xAF", u"a\\xC0\\xAF"_s},
        {"an encoded surrogate", "a\xED\xA0\x80", u"a\\xED\\xA0\\x80"_s},
        {"beyond U+10FFFF", "a\xF4\x90\x80\x80", u"a\\xF4\\x90\\x80\\x80"_s},
        {"a stray byte before a character", "\xFF\xE6\xB5\x93", u"\\xFF浓"_s},
        {"an invisible character",
         "a\xE2\x80\xAE"
         "b",
         u"a\\u202Eb"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = io::pathFromNative(c.bytes);
        EXPECT_EQ(io::nativePath(path), c.bytes);
        EXPECT_EQ(io::shownPath(path), c.shown);
    }
}

} // namespace
