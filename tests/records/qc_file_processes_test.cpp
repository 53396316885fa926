// Two programs filing at once through the command line: each a loop of `lumetra qc file` over 100
// calibration files into one database, 20 of the files the same batch in both and every batch
// carrying one of 10 batch numbers. Nothing is lost, nothing is filed twice, and each batch
// number's records make one chain. Run against the PostgreSQL server the tests start.

#include "support.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string_view>

namespace {

// The i-th calibration file of a set, told apart by its check standard's reading: `batch` 0 to
// 19 are the shared files, 100 up the left set's, 200 up the right's.
QByteArray calibrationFile(int batch, int i) {
    const QByteArray reading = QByteArray::number(0.3 + 1e-5 * batch, 'f', 5);
    return R"({"format": "lumetra-calibration", "version": 2, "unit": "mg/L",
        "header": {"project": "B)" +
           QByteArray::number(i % 10) + R"(", "analyte": "氨氮"},
        "standards": [{"C": "0", "A": "0.002"}, {"C": "1", "A": "0.202"},
                      {"C": "2", "A": "0.401"}, {"C": "3", "A": "0.603"}],
        "samples": [{"name": "K", "readings": ")" +
           reading + R"(", "dilution": "", "type": "check", "nominal": "1.5"},
                    {"name": "B", "readings": "0.003", "dilution": "", "type": "blank"}]})";
}

TEST(QcFileProcesses, TwoFilingAtOnce) {
    if (!records_test::onPostgresql()) {
        GTEST_SKIP() << "run against PostgreSQL (labelled slow)";
    }
    const records::DatabaseUrl url = records_test::freshDatabase();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QProcess first, second;
    for (auto [process, side] : {std::pair{&first, "left"}, std::pair{&second, "right"}}) {
        const QString files = folder.filePath(QString::fromLatin1(side));
        ASSERT_TRUE(QDir().mkpath(files));
        for (int i = 0; i < 100; ++i) {
            const int batch = i < 20 ? i : (side == std::string_view("left") ? 100 : 200) + i;
            QFile file(QStringLiteral("%1/%2.lumetra").arg(files).arg(i, 3, 10, QChar(u'0')));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(calibrationFile(batch, i));
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LUMETRA_DATABASE"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"),
                           folder.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           folder.filePath(QStringLiteral("config")));
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral("/bin/sh"),
                       {QStringLiteral("-c"),
                        QStringLiteral("for f in \"$1\"/*.lumetra; do \"$0\" qc file \"$f\" "
                                       "--database \"$2\" --json || exit 1; done"),
                        QString::fromUtf8(LUMETRA_BINARY), files,
                        QString::fromStdString(records::databaseText(url))});
    }
    ASSERT_TRUE(first.waitForFinished(600000));
    ASSERT_TRUE(second.waitForFinished(600000));
    std::vector<QJsonObject> lines[2];
    for (auto [process, lines_] : {std::pair{&first, &lines[0]}, std::pair{&second, &lines[1]}}) {
        const QByteArray out = process->readAllStandardOutput();
        ASSERT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        for (const QByteArray& line : out.split('\n')) {
            if (!line.isEmpty()) {
                lines_->push_back(QJsonDocument::fromJson(line).object());
            }
        }
        ASSERT_EQ(lines_->size(), 100u);
    }
    // The shared files: one batch each, filed by exactly one of the two.
    for (std::size_t i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[0][i][u"batch"], lines[1][i][u"batch"]);
        EXPECT_NE(lines[0][i][u"duplicate"].toBool(), lines[1][i][u"duplicate"].toBool());
    }

    // In the database: 180 batches, each with its two QC rows, one chain per batch number.
    records::Database db = records_test::openOrFail(url);
    std::vector<std::string> header;
    std::map<std::string, int> rows;             // per batch
    std::map<std::string, std::string> chainOf;  // batch -> batch number
    std::map<std::string, std::string> previous; // batch -> the batch it supersedes
    std::set<std::string> identities;
    const auto fault = db.exportRecords([&](const std::vector<std::string>& cells) {
        if (header.empty()) {
            header = cells;
            return;
        }
        const auto at = [&](const char* name) {
            return cells[std::size_t(std::find(header.begin(), header.end(), name) -
                                     header.begin())];
        };
        ++rows[at("batch")];
        chainOf[at("batch")] = at("batch_number");
        previous[at("batch")] = at("supersedes");
        identities.insert(at("identity"));
    });
    ASSERT_EQ(fault, std::nullopt);
    EXPECT_EQ(rows.size(), 180u);
    EXPECT_EQ(identities.size(), 180u);
    for (const auto& [batch, n] : rows) {
        EXPECT_EQ(n, 2) << batch;
    }
    std::map<std::string, int> firsts;
    std::set<std::string> superseded;
    for (const auto& [batch, before] : previous) {
        if (before.empty()) {
            ++firsts[chainOf[batch]];
        } else {
            EXPECT_TRUE(superseded.insert(before).second) << "a chain forks at " << batch;
            EXPECT_EQ(chainOf[before], chainOf[batch]);
        }
    }
    EXPECT_EQ(firsts.size(), 10u);
    for (const auto& [number, n] : firsts) {
        EXPECT_EQ(n, 1) << number;
    }
}

} // namespace
