// What goes wrong with a database, said clearly and leaving nothing half-written: a locked
// SQLite file, a full disk, a file that cannot be opened or is no database, a schema from a newer
// program, a server that cannot be reached, and a PostgreSQL role with SELECT and INSERT only.

#include "support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using records::Database;
using records::Fault;
using records_test::freshDatabase;
using records_test::openOrFail;
using records_test::sampleBatch;
using records_test::valueOrFail;

Fault openFault(const records::DatabaseUrl& url) {
    auto opened = Database::open(url);
    EXPECT_FALSE(opened.ok());
    return opened.ok() ? Fault{} : opened.fault();
}

// No server on this socket: unreachable, whatever the engine under test.
TEST(Faults, ServerNotReached) {
    QTemporaryDir empty;
    const auto url = std::get<records::DatabaseUrl>(
        records::parseDatabaseUrl("postgresql://lab@/qc?host=" + empty.path().toStdString()));
    const Fault fault = openFault(url);
    EXPECT_EQ(fault.kind, Fault::Kind::Unreachable);
    EXPECT_STREQ(fault.message.text, "无法连接质控数据库 %1：%2");
    ASSERT_EQ(fault.message.args.size(), 2u);
    EXPECT_EQ(fault.message.args[0], records::databaseText(url));
    EXPECT_FALSE(fault.message.args[1].text.empty()); // libpq's own reason
}

#ifndef LUMETRA_TEST_POSTGRESQL

// Another program holds the file's write lock: the filing waits, then says so, and files
// nothing; once the lock is gone it files.
TEST(Faults, LockedFileWaitsThenSaysSo) {
    const records::DatabaseUrl url = freshDatabase();
    openOrFail(url);
    {
        QSqlDatabase holder =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        holder.setDatabaseName(QString::fromStdString(url.path));
        ASSERT_TRUE(holder.open());
        QSqlQuery lock(holder);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));

        Database waiting = openOrFail(url, {300, 5});
        QElapsedTimer timer;
        timer.start();
        const auto filed = waiting.file(sampleBatch("while locked"));
        EXPECT_GE(timer.elapsed(), 250);
        ASSERT_FALSE(filed.ok());
        EXPECT_EQ(filed.fault().kind, Fault::Kind::Locked);
        EXPECT_EQ(calibration::render(filed.fault().message),
                  "质控数据库 sqlite:" + url.path +
                      " 正被另一个程序占用，等待0.3秒后仍未释放，请稍后再试");
        // Reading goes on while the lock is held.
        EXPECT_TRUE(valueOrFail(waiting.series({"HJ 535 氨氮", ""}, "spike")).empty());

        ASSERT_TRUE(lock.exec(QStringLiteral("ROLLBACK")));
        EXPECT_TRUE(waiting.file(sampleBatch("while locked")).ok());
        holder.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
}

// The disk fills up halfway through a large batch (the filer with writes refused after a budget,
// preloaded): the disk is named as full, the batch is not there in part, and the batches before it
// are untouched.
TEST(Faults, FullDiskLeavesNothingHalfWritten) {
    const records::DatabaseUrl url = freshDatabase();
    std::int64_t before = 0;
    {
        Database db = openOrFail(url);
        before = valueOrFail(db.file(sampleBatch("before"))).batch;
    }
    QString out;
    const int code =
        records_test::run(records_test::filerPath(),
                          {QString::fromStdString(records::databaseText(url)),
                           QStringLiteral("full"), QStringLiteral("1"), QStringLiteral("5000")},
                          &out,
                          {QStringLiteral("LD_PRELOAD=") + QStringLiteral(LUMETRA_FULL_DISK_SHIM),
                           QStringLiteral("LUMETRA_FULL_DISK_AFTER=200000"),
                           // Under AddressSanitizer the shim comes before its runtime, on purpose.
                           QStringLiteral("ASAN_OPTIONS=") + qEnvironmentVariable("ASAN_OPTIONS") +
                               QStringLiteral(":verify_asan_link_order=0")});
    EXPECT_EQ(code, 2) << out.toStdString();
    EXPECT_TRUE(out.startsWith(QStringLiteral("fault %1 ").arg(int(Fault::Kind::DiskFull))))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("所在的磁盘已满，未写入任何内容")))
        << out.toStdString();

    Database db = openOrFail(url);
    EXPECT_EQ(valueOrFail(db.findBatch(records_test::sha256("full-0"))), std::nullopt);
    const auto kept = valueOrFail(db.readBatch(before));
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, sampleBatch("before"));
    EXPECT_EQ(valueOrFail(db.series({"HJ 535 氨氮", ""}, "spike")).size(), 1u);
    EXPECT_TRUE(db.file(sampleBatch("full-0", 5000)).ok()); // with room, it files
}

struct OpenCase {
    const char* name;
    const char* file;    // in a temporary folder
    const char* content; // nullptr: nothing there
    Fault::Kind kind;
};

TEST(Faults, FilesThatCannotBeOpened) {
    QTemporaryDir folder;
    const OpenCase cases[] = {
        {"folder missing", "no/such/folder/qc.sqlite", nullptr, Fault::Kind::Unreachable},
        {"not a database", "notes.txt",
         "浓度,吸光度\n0.5,0.123\nand a lot more text that no "
         "SQLite header looks like at all\n",
         Fault::Kind::Unreachable},
        {"a folder", "", nullptr, Fault::Kind::Unreachable},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromUtf8(c.file));
        if (c.content) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
        }
        records::DatabaseUrl url;
        url.path = path.toStdString();
        const Fault fault = openFault(url);
        EXPECT_EQ(fault.kind, c.kind);
        EXPECT_FALSE(calibration::render(fault.message).empty());
        if (c.content) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), QByteArray(c.content)); // left as it was
        }
    }
}

// A schema written by a newer program: refused before anything is written.
TEST(Faults, NewerSchemaIsLeftAlone) {
    const records::DatabaseUrl url = freshDatabase();
    openOrFail(url);
    {
        QSqlDatabase newer =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
        newer.setDatabaseName(QString::fromStdString(url.path));
        ASSERT_TRUE(newer.open());
        QSqlQuery upgrade(newer);
        ASSERT_TRUE(upgrade.exec(QStringLiteral(
            "INSERT INTO lumetra_schema (version, applied_at) VALUES (99, 'later')")));
        newer.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));
    const Fault fault = openFault(url);
    EXPECT_EQ(fault.kind, Fault::Kind::NewerSchema);
    EXPECT_EQ(calibration::render(fault.message),
              "质控数据库 sqlite:" + url.path +
                  " 由较新版本的 Lumetra 建立（结构版本99，本程序为2），请升级本程序");
}

#else

// A role with SELECT and INSERT on the tables and nothing else files, freezes, charts and
// exports; the schema was made by the database's owner.
TEST(Faults, SelectAndInsertAreEnough) {
    records::DatabaseUrl url = freshDatabase();
    openOrFail(url);
    records_test::postgresqlAdmin(url, "CREATE ROLE filer LOGIN");
    records_test::postgresqlAdmin(url, "GRANT SELECT, INSERT ON ALL TABLES IN SCHEMA public TO "
                                       "filer");
    records_test::postgresqlAdmin(url, "REVOKE CREATE ON SCHEMA public FROM PUBLIC");
    url.user = "filer";
    Database db = openOrFail(url);
    const auto filed = valueOrFail(db.file(sampleBatch("as filer")));
    EXPECT_GT(filed.batch, 0);
    EXPECT_EQ(valueOrFail(db.series({"HJ 535 氨氮", ""}, "check:3")).size(), 2u);
    records::FrozenRecord limits{0,  {"HJ 535 氨氮", ""}, "check:3",    "sd", 3, 0.1,
                                 20, "2026-01-01",        "2026-02-01", "",   ""};
    EXPECT_GT(valueOrFail(db.freeze(limits)), 0);
    EXPECT_EQ(db.exportRecords([](const std::vector<std::string>&) {}), std::nullopt);
    EXPECT_EQ(valueOrFail(db.catalogue()).size(), 1u);

    // Without INSERT: refused, nothing written.
    records_test::postgresqlAdmin(url, "REVOKE INSERT ON batches FROM filer");
    const auto refused = db.file(sampleBatch("no insert"));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.fault().kind, Fault::Kind::NotPermitted);
}

#endif

} // namespace
