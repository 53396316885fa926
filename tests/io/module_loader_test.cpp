#include "io/module_loader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A module that is missing, is no library, or lacks its entry gives no entry and the loader's
// reason, never a crash; the second place is tried when the first fails. The program and the
// windows turn that reason into their one line of error.
TEST(ModuleEntry, FailsWithAReasonAndFallsBackToTheBuild) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray missing = folder.filePath(QStringLiteral("missing.so")).toUtf8();
    const QByteArray notALibrary = folder.filePath(QStringLiteral("broken.so")).toUtf8();
    QFile broken(QString::fromUtf8(notALibrary));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a shared object\n");
    broken.close();
    struct Case {
        const char* name;
        const char* fromBinDir;
        const char* inBuild;
        const char* symbol;
        bool found;
    };
    const Case cases[] = {
        {"neither place exists", "../lib/none/missing.so", missing.constData(),
         "lumetraRecordsModule", false},
        {"a file that is not a library", "../lib/none/missing.so", notALibrary.constData(),
         "lumetraRecordsModule", false},
        {"a library without the entry", "../lib/none/missing.so", LUMETRA_TEST_MODULE,
         "lumetraNoSuchEntry", false},
        {"the installed place missing, the build's found", "../lib/none/missing.so",
         LUMETRA_TEST_MODULE, "lumetraRecordsModule", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString whyNot = QStringLiteral("unchanged");
        const QFunctionPointer entry = io::moduleEntry(c.fromBinDir, c.inBuild, c.symbol, whyNot);
        EXPECT_EQ(entry != nullptr, c.found);
        EXPECT_EQ(whyNot.isEmpty(), c.found) << whyNot.toStdString();
        EXPECT_FALSE(whyNot.contains(u'\n'));
    }
}

} // namespace
