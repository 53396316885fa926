// Filing and reading back, on the engine of this executable (an SQLite file, or the tests' own
// PostgreSQL server): a batch read back as filed, the same identity filed once, chains of
// supersedings, the points of a series in chart order, frozen limits, the catalogue and the export.

#include "support.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <pwd.h>
#include <unistd.h>

namespace {

using records::BatchRecord;
using records::ChartGroup;
using records::Database;
using records::Filed;
using records_test::freshDatabase;
using records_test::openOrFail;
using records_test::sampleBatch;
using records_test::valueOrFail;

const ChartGroup ammonia{"HJ 535 氨氮", ""};

// An ISO 8601 time with its offset ("2026-12-07T21:04:53+08:00", "…Z" in UTC) within a minute.
bool isNow(const std::string& text) {
    const QDateTime time = QDateTime::fromString(QString::fromStdString(text), Qt::ISODate);
    return time.isValid() && std::abs(time.secsTo(QDateTime::currentDateTime())) < 60 &&
           (text.ends_with('Z') || text[text.size() - 6] == '+' || text[text.size() - 6] == '-');
}

std::string loginName() {
    const QString user = qEnvironmentVariable("USER");
    if (!user.isEmpty()) {
        return user.toStdString();
    }
    const passwd* entry = ::getpwuid(::geteuid());
    return entry ? entry->pw_name : "";
}

TEST(Filing, ReadBackAsFiled) {
    Database db = openOrFail(freshDatabase());
    BatchRecord batch = sampleBatch("round trip", 12);
    // Hard numbers: the extremes of a double, a value just off a decimal, none at all.
    batch.curve.a = -0.0021;
    batch.curve.c = std::numeric_limits<double>::denorm_min();
    batch.curve.r = 0.1 + 0.2;
    batch.curve.reportedLimit = std::numeric_limits<double>::max();
    batch.curve.sYX = std::nullopt;
    batch.rows[1].value = std::nullopt;
    batch.rows[2].value = -std::numeric_limits<double>::max();
    batch.rows[3].value = std::numeric_limits<double>::min();
    batch.rows[4].verdicts.clear();
    batch.rows[5].name = "引号\"、逗号,与\n换行";
    batch.header.instrument = "UV-1800 \"二号\"";
    const Filed filed = valueOrFail(db.file(batch));
    EXPECT_FALSE(filed.duplicate);
    EXPECT_FALSE(filed.supersedes);

    const auto read = valueOrFail(db.readBatch(filed.batch));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, batch);
    EXPECT_EQ(valueOrFail(db.findBatch(batch.identity)), filed.batch);
    EXPECT_EQ(valueOrFail(db.findBatch(records_test::sha256("never filed"))), std::nullopt);
    EXPECT_EQ(valueOrFail(db.readBatch(filed.batch + 1000)), std::nullopt);
}

TEST(Filing, NonFiniteNumbersAreFiledAsNone) {
    Database db = openOrFail(freshDatabase());
    BatchRecord batch = sampleBatch("not finite", 1);
    batch.curve.b = std::numeric_limits<double>::infinity();
    batch.rows[0].value = std::nan("");
    const Filed filed = valueOrFail(db.file(batch));
    const auto read = valueOrFail(db.readBatch(filed.batch));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->curve.b, std::nullopt);
    EXPECT_EQ(read->rows[0].value, std::nullopt);
}

TEST(Filing, SameIdentityIsFiledOnce) {
    Database db = openOrFail(freshDatabase());
    const BatchRecord batch = sampleBatch("twice");
    const Filed first = valueOrFail(db.file(batch));
    BatchRecord again = batch;
    again.fileName = "copy of it.lumetra"; // the same standards and samples, saved elsewhere
    again.filedAt = "2026-12-08T09:00:00+08:00";
    for (char& c : again.identity) {
        c = static_cast<char>(std::toupper(c)); // the identity's case does not matter
    }
    const Filed second = valueOrFail(db.file(again));
    EXPECT_EQ(second, (Filed{first.batch, true, std::nullopt}));
    EXPECT_EQ(valueOrFail(db.series(ammonia, "spike")).size(), 1u);
}

TEST(Filing, BadRecordsAreRefused) {
    Database db = openOrFail(freshDatabase());
    struct Case {
        const char* name;
        void (*change)(BatchRecord&);
    };
    const Case cases[] = {
        {"identity too short", [](BatchRecord& b) { b.identity.pop_back(); }},
        {"identity not hexadecimal", [](BatchRecord& b) { b.identity[10] = 'g'; }},
        {"identity empty", [](BatchRecord& b) { b.identity.clear(); }},
        {"filing time not a time", [](BatchRecord& b) { b.filedAt = "yesterday"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BatchRecord batch = sampleBatch(c.name);
        c.change(batch);
        const auto filed = db.file(batch);
        ASSERT_FALSE(filed.ok());
        EXPECT_EQ(filed.fault().kind, records::Fault::Kind::BadRecord);
    }
    EXPECT_TRUE(valueOrFail(db.catalogue()).empty()); // nothing filed
}

TEST(Filing, FillsTimeAndUser) {
    Database db = openOrFail(freshDatabase());
    BatchRecord batch = sampleBatch("now");
    batch.filedAt.clear();
    batch.filedBy.clear();
    const auto read = valueOrFail(db.readBatch(valueOrFail(db.file(batch)).batch));
    ASSERT_TRUE(read);
    EXPECT_TRUE(isNow(read->filedAt)) << read->filedAt;
    EXPECT_EQ(read->filedBy, loginName());
}

TEST(Supersede, SameBatchNumberAndMethod) {
    Database db = openOrFail(freshDatabase());
    const auto file = [&](const std::string& seed, const std::string& number,
                          const std::string& method, double value) {
        BatchRecord b = sampleBatch(seed, 4);
        b.header.batchNumber = number;
        b.methodName = method;
        b.rows[3].value = value; // the spike
        return valueOrFail(db.file(b));
    };
    const Filed first = file("first", "2026-031", "HJ 535 氨氮", 95);
    const Filed other = file("other number", "2026-032", "HJ 535 氨氮", 96);
    const Filed second = file("second", " 2026-031 ", "HJ 535 氨氮", 97); // blanks around
    const Filed third = file("third", "2026-031", "HJ 535 氨氮", 98);
    const Filed otherMethod = file("other method", "2026-031", "GB 7479", 99);
    const Filed none1 = file("no number 1", "", "HJ 535 氨氮", 100);
    const Filed none2 = file("no number 2", "", "HJ 535 氨氮", 101);

    EXPECT_EQ(first.supersedes, std::nullopt);
    EXPECT_EQ(other.supersedes, std::nullopt);
    EXPECT_EQ(second.supersedes, first.batch);
    EXPECT_EQ(third.supersedes, second.batch); // the latest of the chain, not the first
    EXPECT_EQ(otherMethod.supersedes, std::nullopt);
    EXPECT_EQ(none1.supersedes, std::nullopt);
    EXPECT_EQ(none2.supersedes, std::nullopt);

    std::vector<double> spikes;
    for (const auto& point : valueOrFail(db.series(ammonia, "spike"))) {
        spikes.push_back(point.value);
    }
    EXPECT_EQ(spikes, (std::vector<double>{96, 98, 100, 101})); // only the chain's latest
}

TEST(Supersede, WithoutMethodByAnalyte) {
    Database db = openOrFail(freshDatabase());
    const auto file = [&](const std::string& seed, const std::string& analyte) {
        BatchRecord b = sampleBatch(seed, 1);
        b.header.batchNumber = "7";
        b.methodName.clear();
        b.analyte = analyte;
        return valueOrFail(db.file(b));
    };
    const Filed nitrogen = file("n1", "总氮");
    const Filed phosphorus = file("p1", "总磷");
    const Filed nitrogen2 = file("n2", "总氮");
    EXPECT_EQ(phosphorus.supersedes, std::nullopt);
    EXPECT_EQ(nitrogen2.supersedes, nitrogen.batch);
    const auto points = valueOrFail(db.series({"", "总氮"}, "check:3.0"));
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].batch, nitrogen2.batch);
}

TEST(Series, ChartOrder) {
    Database db = openOrFail(freshDatabase());
    // Filed out of order: the chart orders by analysis day, then filing time, then id.
    struct Filing {
        const char* seed;
        const char* analysisDate;
        const char* created;
        const char* filedAt;
        double check;
    };
    const Filing filings[] = {
        {"d", "2026-03-02", "", "2026-03-02T10:00:00+08:00", 4},
        {"a", "", "2026-01-05", "2026-03-01T08:00:00+08:00", 1},  // the created day
        {"c2", "2026-03-01", "", "2026-03-01T12:00:00+00:00", 3}, // 20:00 in Beijing
        {"c1", "2026/3/1", "", "2026-03-01T19:00:00+08:00", 2},   // earlier, another zone
        {"e2", "2026-03-05", "", "2026-03-05T09:00:00+08:00", 6},
        {"e1", "2026-03-05", "", "2026-03-05T09:00:00+08:00", 5}, // same time: by id
        {"b", "", "", "2026-02-01T00:30:00+08:00", 1.5},          // the filing day
    };
    std::map<std::string, std::int64_t> ids;
    for (const Filing& f : filings) {
        BatchRecord b = sampleBatch(f.seed, 2);
        b.header.analysisDate = f.analysisDate;
        b.created = f.created;
        b.filedAt = f.filedAt;
        b.rows[0].value = f.check;
        b.rows[1].value = f.check + 10; // check:3.00, the same series as "3"
        ids[f.seed] = valueOrFail(db.file(b)).batch;
    }
    const auto points = valueOrFail(db.series(ammonia, "check:3.0"));
    std::vector<double> values;
    std::vector<std::string> days;
    for (const auto& p : points) {
        values.push_back(p.value);
        days.push_back(p.date);
    }
    EXPECT_EQ(values, (std::vector<double>{1, 11, 1.5, 11.5, 2, 12, 3, 13, 4, 14, 6, 16, 5, 15}));
    EXPECT_EQ(days.front(), "2026-01-05");
    EXPECT_EQ(days[2], "2026-02-01");
    EXPECT_EQ(points[10].batch, ids["e2"]);
    EXPECT_EQ(points[0].name, "QC1");
    EXPECT_EQ(points[0].unit, "mg/L");
    EXPECT_EQ(points[0].filedAt, "2026-03-01T08:00:00+08:00");

    const auto slope = valueOrFail(db.series(ammonia, "slope"));
    ASSERT_EQ(slope.size(), 7u);
    EXPECT_EQ(slope[0].value, 0.1534);
    EXPECT_EQ(valueOrFail(db.series(ammonia, "intercept"))[0].value, 0.0021);
    EXPECT_TRUE(valueOrFail(db.series(ammonia, "check:3.5")).empty());
    EXPECT_TRUE(valueOrFail(db.series({"GB 7479", ""}, "check:3")).empty());
    const auto unknown = db.series(ammonia, "rsd");
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.fault().kind, records::Fault::Kind::BadRecord);
}

TEST(Frozen, LatestInForce) {
    Database db = openOrFail(freshDatabase());
    EXPECT_EQ(valueOrFail(db.frozenLimits(ammonia, "check:3")), std::nullopt);
    records::FrozenRecord limits{0,
                                 ammonia,
                                 "check:3.00",
                                 "sd",
                                 3.0,
                                 0.05,
                                 20,
                                 "2026-01-01",
                                 "2026-03-31",
                                 "李四",
                                 "2026-04-01T09:00:00+08:00"};
    const std::int64_t first = valueOrFail(db.freeze(limits));
    limits.sigma = "mr";
    limits.s = 0.04;
    limits.frozenBy.clear();
    limits.frozenAt.clear();
    const std::int64_t second = valueOrFail(db.freeze(limits));
    EXPECT_GT(second, first);

    const auto read = valueOrFail(db.frozenLimits(ammonia, "check:3"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->id, second);
    EXPECT_EQ(read->series, "check:3");
    EXPECT_EQ(read->sigma, "mr");
    EXPECT_EQ(read->centre, 3.0);
    EXPECT_EQ(read->s, 0.04);
    EXPECT_EQ(read->referenceN, 20);
    EXPECT_EQ(read->referenceTo, "2026-03-31");
    EXPECT_EQ(read->frozenBy, loginName());
    EXPECT_TRUE(isNow(read->frozenAt)) << read->frozenAt;
    // Another series, another group: none.
    EXPECT_EQ(valueOrFail(db.frozenLimits(ammonia, "spike")), std::nullopt);
    EXPECT_EQ(valueOrFail(db.frozenLimits({"", "氨氮"}, "check:3")), std::nullopt);

    for (double s : {0.0, -0.1, std::nan("")}) {
        limits.s = s;
        const auto refused = db.freeze(limits);
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.fault().kind, records::Fault::Kind::BadRecord);
    }
}

TEST(Catalogue, GroupsSeriesAndCounts) {
    Database db = openOrFail(freshDatabase());
    for (int i = 0; i < 3; ++i) {
        valueOrFail(db.file(sampleBatch("m" + std::to_string(i), 6)));
    }
    BatchRecord without = sampleBatch("no method", 2);
    without.methodName.clear();
    without.analyte = "总磷";
    without.rows[1].value = std::nullopt; // not charted
    valueOrFail(db.file(without));
    BatchRecord superseded = sampleBatch("old", 1);
    superseded.header.batchNumber = "X";
    valueOrFail(db.file(superseded));
    BatchRecord latest = sampleBatch("new", 1);
    latest.header.batchNumber = "X";
    valueOrFail(db.file(latest));

    const auto all = valueOrFail(db.catalogue());
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].group, (ChartGroup{"", "总磷"}));
    EXPECT_EQ(all[0].batches, 1);
    EXPECT_EQ(all[0].series,
              (std::vector<records::SeriesCount>{{"check:3", 1}, {"intercept", 1}, {"slope", 1}}));
    EXPECT_EQ(all[1].group, ammonia);
    EXPECT_EQ(all[1].batches, 4);
    EXPECT_EQ(all[1].series, (std::vector<records::SeriesCount>{{"blank", 3},
                                                                {"check:3", 7},
                                                                {"duplicate", 3},
                                                                {"intercept", 4},
                                                                {"reference:GSB 07-3164", 3},
                                                                {"slope", 4},
                                                                {"spike", 3}}));
}

// A CSV cell list back from the exported file (quotes and line breaks inside quotes).
std::vector<std::vector<std::string>> readCsv(const QByteArray& bytes) {
    std::vector<std::vector<std::string>> rows(1);
    std::string cell;
    bool quoted = false;
    for (qsizetype i = 3; i < bytes.size(); ++i) { // after the byte-order mark
        const char c = bytes[i];
        if (quoted) {
            if (c == '"' && i + 1 < bytes.size() && bytes[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().push_back(cell);
            cell.clear();
        } else if (c == '\r') {
            rows.back().push_back(cell);
            cell.clear();
            rows.emplace_back();
            ++i; // \n
        } else {
            cell += c;
        }
    }
    rows.pop_back(); // after the last CRLF
    return rows;
}

TEST(Export, EveryRecordOneRowPerQcRow) {
    Database db = openOrFail(freshDatabase());
    BatchRecord first = sampleBatch("export 1", 2);
    first.header.batchNumber = "E";
    first.rows[0].name = "名称,带\"引号\"";
    first.rows[1].value = 0.1 + 0.2;
    const Filed a = valueOrFail(db.file(first));
    BatchRecord second = sampleBatch("export 2", 0); // no QC rows at all
    second.header.batchNumber = "E";
    const Filed b = valueOrFail(db.file(second));

    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("qc.csv")).toStdString();
    ASSERT_EQ(db.exportCsv(path), std::nullopt);
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const auto rows = readCsv(bytes);
    ASSERT_EQ(rows.size(), 4u); // the header, two QC rows, the batch without any
    const auto& header = rows[0];
    const auto column = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                        header.begin());
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.size(), header.size());
    }
    EXPECT_EQ(rows[1][column("batch")], std::to_string(a.batch));
    EXPECT_EQ(rows[1][column("identity")], first.identity);
    EXPECT_EQ(rows[1][column("name")], "名称,带\"引号\"");
    EXPECT_EQ(rows[1][column("series")], "check:3");
    EXPECT_EQ(rows[1][column("verdicts")],
              "check;pass;1.5;;10;相对误差 1.5%，要求≤10%\ncontrol_chart;fail;;;;t1");
    EXPECT_EQ(rows[2][column("value")], "0.30000000000000004");
    EXPECT_EQ(rows[2][column("b")], "0.1534");
    EXPECT_EQ(rows[2][column("laboratory")], "水质实验室");
    EXPECT_EQ(rows[3][column("batch")], std::to_string(b.batch));
    EXPECT_EQ(rows[3][column("supersedes")], std::to_string(a.batch));
    EXPECT_EQ(rows[3][column("type")], "");

    // A folder that does not exist: a fault, and no file.
    const std::string nowhere = folder.filePath(QStringLiteral("no/such/qc.csv")).toStdString();
    const auto fault = db.exportCsv(nowhere);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->kind, records::Fault::Kind::Failed);
}

TEST(Schema, OpenedAgainKeepsRecords) {
    const records::DatabaseUrl url = freshDatabase();
    std::int64_t id = 0;
    {
        Database db = openOrFail(url);
        id = valueOrFail(db.file(sampleBatch("kept"))).batch;
    }
    Database again = openOrFail(url);
    EXPECT_EQ(valueOrFail(again.findBatch(records_test::sha256("kept"))), id);
    EXPECT_EQ(Database::currentSchemaVersion(), 2);
}

// A database of the first schema (without the indexes of the group's order) is brought up to
// this program's when opened, its records kept.
TEST(Schema, UpgradedFromTheFirst) {
    const records::DatabaseUrl url = freshDatabase();
    {
        Database db = openOrFail(url);
        valueOrFail(db.file(sampleBatch("first schema")));
    }
    records_test::runSql(url,
                         {"DROP INDEX batches_method_order", "DROP INDEX batches_analyte_order",
                          "DELETE FROM lumetra_schema WHERE version = 2"});
    Database again = openOrFail(url);
    EXPECT_EQ(valueOrFail(again.findBatch(records_test::sha256("first schema"))), 1);
    EXPECT_EQ(valueOrFail(again.series({"HJ 535 氨氮", ""}, "spike")).size(), 1u);
    EXPECT_EQ(records_test::sqlCount(url, "SELECT COUNT(*) FROM lumetra_schema WHERE version = 2"),
              1);
}

} // namespace
