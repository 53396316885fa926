#include "io/files.h"
#include "io_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

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

// A full disk, as root can meet it: a file size limit makes the writes fail with EFBIG.
TEST_F(SaveFile, FullDiskLeavesTheOldFile) {
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    const auto error = io::saveFileAtomically(oldFile_, QByteArray(1 << 20, 'x'));

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->file, oldFile_);
    EXPECT_TRUE(error->reason.startsWith(u"写入失败（"_s)) << error->reason.toStdString();
    expectOldFileAlone();
}

TEST(ReadFileLimited, Refusals) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ten = dir.filePath(u"ten"_s);
    writeFile(ten, "0123456789");
    struct Case {
        const char* name;
        QString path;
        qint64 limit;
        QString message;
    };
    const Case cases[] = {
        {"at the limit", ten, 10, u"ok"_s},
        {"over the limit", ten, 9, ten + u"：文件太大（上限9字节）"_s},
        {"missing", dir.filePath(u"missing"_s), 10, dir.filePath(u"missing"_s) + u"：文件不存在"_s},
        {"a folder", dir.path(), 10, dir.path() + u"：这是文件夹，不是文件"_s},
        // Its size reads as 0; the limit holds all the same.
        {"a file that claims no size", u"/proc/self/status"_s, 10,
         u"/proc/self/status：文件太大（上限10字节）"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(messageOf(io::readFileLimited(c.path, c.limit)), c.message);
    }
    EXPECT_EQ(io::readFileLimited(ten, 10).value(), QByteArray("0123456789"));
}

} // namespace
