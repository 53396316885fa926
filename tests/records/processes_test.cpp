// Other programs at the same database: two filing at once, and one killed while it files.

#include "support.h"

#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace {

using records::Database;
using records_test::filerPath;
using records_test::freshDatabase;
using records_test::openOrFail;
using records_test::valueOrFail;

struct Line {
    long long id = 0;
    bool duplicate = false;
    long long supersedes = 0;
};

// The filer's "filed ID DUPLICATE SUPERSEDES" lines.
std::vector<Line> filedLines(const QString& output) {
    std::vector<Line> lines;
    for (const QString& text : output.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList parts = text.split(u' ');
        if (parts.size() == 4 && parts[0] == QLatin1String("filed")) {
            lines.push_back(
                {parts[1].toLongLong(), parts[2] == QLatin1String("1"), parts[3].toLongLong()});
        }
    }
    return lines;
}

// Every batch in the export with its number of QC rows and verdict lines.
struct Counted {
    int rows = 0, verdicts = 0;
    std::string identity, batchNumber, supersedes;
};
std::map<long long, Counted> countRecords(Database& db) {
    std::map<long long, Counted> batches;
    std::vector<std::string> header;
    const auto fault = db.exportRecords([&](const std::vector<std::string>& cells) {
        if (header.empty()) {
            header = cells;
            return;
        }
        const auto at = [&](const char* name) {
            return cells[static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                                  header.begin())];
        };
        Counted& c = batches[std::stoll(at("batch"))];
        c.identity = at("identity");
        c.batchNumber = at("batch_number");
        c.supersedes = at("supersedes");
        if (!at("type").empty()) {
            ++c.rows;
            const std::string& verdicts = at("verdicts");
            c.verdicts +=
                verdicts.empty()
                    ? 0
                    : 1 + static_cast<int>(std::count(verdicts.begin(), verdicts.end(), '\n'));
        }
    });
    EXPECT_EQ(fault, std::nullopt);
    return batches;
}

// Two programs file 100 batches each at the same time into a database neither has used (both
// set up its schema at once); 20 of the batches are the same documents in both, and every batch
// carries one of 10 batch numbers. Nothing is lost, nothing is filed twice, and each batch
// number's records make one chain.
TEST(Processes, TwoFilingAtOnce) {
    const records::DatabaseUrl url = freshDatabase();
    const QString where = QString::fromStdString(records::databaseText(url));
    QProcess first, second;
    for (auto [process, prefix] : {std::pair{&first, "left"}, std::pair{&second, "right"}}) {
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(filerPath(),
                       {where, QString::fromLatin1(prefix), QStringLiteral("100"),
                        QStringLiteral("6"), QStringLiteral("20"), QStringLiteral("10")});
    }
    ASSERT_TRUE(first.waitForFinished(300000));
    ASSERT_TRUE(second.waitForFinished(300000));
    const QString out1 = QString::fromUtf8(first.readAllStandardOutput());
    const QString out2 = QString::fromUtf8(second.readAllStandardOutput());
    ASSERT_EQ(first.exitCode(), 0) << out1.toStdString();
    ASSERT_EQ(second.exitCode(), 0) << out2.toStdString();
    const auto lines1 = filedLines(out1);
    const auto lines2 = filedLines(out2);
    ASSERT_EQ(lines1.size(), 100u);
    ASSERT_EQ(lines2.size(), 100u);

    // The shared documents: one id each, filed by exactly one of the two.
    for (std::size_t i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines1[i].id, lines2[i].id);
        EXPECT_NE(lines1[i].duplicate, lines2[i].duplicate);
    }
    Database db = openOrFail(url);
    const auto batches = countRecords(db);
    EXPECT_EQ(batches.size(), 180u);
    std::set<std::string> identities;
    std::map<std::string, int> heads;
    std::set<std::string> superseded;
    for (const auto& [id, c] : batches) {
        EXPECT_EQ(c.rows, 6) << id;
        EXPECT_EQ(c.verdicts, 12) << id;
        identities.insert(c.identity);
        if (c.supersedes.empty()) {
            ++heads[c.batchNumber]; // the first of its chain
        } else {
            EXPECT_TRUE(superseded.insert(c.supersedes).second) << "a chain forks at " << id;
        }
    }
    EXPECT_EQ(identities.size(), 180u);
    EXPECT_EQ(heads.size(), 10u);
    for (const auto& [number, n] : heads) {
        EXPECT_EQ(n, 1) << number;
    }
    // The charts show one batch per batch number: the latest of each chain.
    EXPECT_EQ(valueOrFail(db.series({"HJ 535 氨氮", ""}, "spike")).size(), 10u);
}

// A program killed (SIGKILL) while it files, again and again: each batch is there whole or not at
// all, the last one it reported is there, and the database files on afterwards.
TEST(Processes, KilledWhileFiling) {
    const records::DatabaseUrl url = freshDatabase();
    openOrFail(url);
    const QString where = QString::fromStdString(records::databaseText(url));
    std::mt19937 random(29);
    long long lastReported = 0;
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        QProcess filer;
        filer.start(filerPath(), {where, QStringLiteral("killed%1").arg(round), QStringLiteral("0"),
                                  QStringLiteral("400")});
        ASSERT_TRUE(filer.waitForStarted());
        // Until it has filed one, then a moment into another filing.
        QString out;
        while (!out.contains(QLatin1String("filed")) && filer.state() == QProcess::Running) {
            filer.waitForReadyRead(10000);
            out += QString::fromUtf8(filer.readAllStandardOutput());
        }
        ASSERT_TRUE(out.contains(QLatin1String("filed"))) << out.toStdString();
        QThread::usleep(std::uniform_int_distribution<unsigned>(0, 40000)(random));
        ::kill(static_cast<pid_t>(filer.processId()), SIGKILL);
        filer.waitForFinished();
        out += QString::fromUtf8(filer.readAllStandardOutput());
        const auto lines = filedLines(out);
        ASSERT_FALSE(lines.empty());
        lastReported = lines.back().id;

        Database db = openOrFail(url);
        const auto batches = countRecords(db);
        EXPECT_TRUE(batches.count(lastReported));
        for (const auto& [id, c] : batches) {
            EXPECT_EQ(c.rows, 400) << id;
            EXPECT_EQ(c.verdicts, 800) << id;
        }
    }
    Database db = openOrFail(url);
    EXPECT_FALSE(valueOrFail(db.file(records_test::sampleBatch("after the kills"))).duplicate);
}

} // namespace
