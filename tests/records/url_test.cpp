// Database URLs read and written back, the default file, the series keys and the chart day.

#include "records/record.h"
#include "records/url.h"

#include <QStandardPaths>
#include <QString>
#include <gtest/gtest.h>

namespace {

using records::DatabaseUrl;
using Engine = DatabaseUrl::Engine;

DatabaseUrl sqlite(const std::string& path) {
    DatabaseUrl url;
    url.path = path;
    return url;
}
DatabaseUrl postgresql(const std::string& user, const std::string& host, int port,
                       const std::string& database, const std::string& socket = "") {
    DatabaseUrl url;
    url.engine = Engine::Postgresql;
    url.user = user;
    url.host = host;
    url.port = port;
    url.database = database;
    url.socketDirectory = socket;
    return url;
}

struct UrlCase {
    const char* name;
    const char* text;
    DatabaseUrl url;
    const char* shown; // databaseText of the result
};

TEST(DatabaseUrl, Read) {
    const UrlCase cases[] = {
        {"sqlite, absolute", "sqlite:/home/lab/qc.sqlite", sqlite("/home/lab/qc.sqlite"),
         "sqlite:/home/lab/qc.sqlite"},
        {"sqlite, relative", "sqlite:qc.sqlite", sqlite("qc.sqlite"), "sqlite:qc.sqlite"},
        {"sqlite, three slashes", "sqlite:///tmp/qc.sqlite", sqlite("/tmp/qc.sqlite"),
         "sqlite:/tmp/qc.sqlite"},
        {"sqlite, Chinese and blanks", "sqlite:/实验室/质控 库.sqlite",
         sqlite("/实验室/质控 库.sqlite"), "sqlite:/实验室/质控 库.sqlite"},
        {"postgresql, all parts", "postgresql://lab@db.lab.local:5432/qc",
         postgresql("lab", "db.lab.local", 5432, "qc"), "postgresql://lab@db.lab.local:5432/qc"},
        {"postgres scheme", "postgres://lab@db/qc", postgresql("lab", "db", 0, "qc"),
         "postgresql://lab@db/qc"},
        {"no user, no port", "postgresql://db/qc", postgresql("", "db", 0, "qc"),
         "postgresql://db/qc"},
        {"unix socket", "postgresql://lab@/qc?host=/run/postgresql",
         postgresql("lab", "", 0, "qc", "/run/postgresql"),
         "postgresql://lab@/qc?host=/run/postgresql"},
        {"nothing but the database", "postgresql:///qc", postgresql("", "", 0, "qc"),
         "postgresql:///qc"},
        {"IPv6 and port", "postgresql://lab@[::1]:6543/qc", postgresql("lab", "::1", 6543, "qc"),
         "postgresql://lab@[::1]:6543/qc"},
        {"escaped user and name", "postgresql://lab%40north@db/qc%20main",
         postgresql("lab@north", "db", 0, "qc main"), "postgresql://lab%40north@db/qc%20main"},
        {"highest port", "postgresql://db:65535/qc", postgresql("", "db", 65535, "qc"),
         "postgresql://db:65535/qc"},
    };
    for (const UrlCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = records::parseDatabaseUrl(c.text);
        ASSERT_TRUE(std::holds_alternative<DatabaseUrl>(read))
            << calibration::render(std::get<calibration::Message>(read));
        EXPECT_EQ(std::get<DatabaseUrl>(read), c.url);
        EXPECT_EQ(records::databaseText(c.url), c.shown);
        EXPECT_EQ(records::parseDatabaseUrl(c.shown), read); // written back, read the same
    }
}

struct RefusedCase {
    const char* name;
    const char* text;
    const char* reason;
};

TEST(DatabaseUrl, Refused) {
    const char* invalid = "质控数据库地址 \"%1\" 无效：应为 sqlite:文件 或 "
                          "postgresql://用户@主机:端口/数据库";
    const char* password = "质控数据库地址不得包含密码（请使用 ~/.pgpass 或 PGPASSWORD）";
    const RefusedCase cases[] = {
        {"empty", "", invalid},
        {"sqlite without a path", "sqlite:", invalid},
        {"sqlite, slashes only", "sqlite://", invalid},
        {"other scheme", "mysql://lab@db/qc", invalid},
        {"upper-case scheme", "SQLITE:/tmp/qc", invalid},
        {"no database", "postgresql://lab@db", invalid},
        {"empty database", "postgresql://lab@db/", invalid},
        {"database with a slash", "postgresql://lab@db/qc/x", invalid},
        {"port 0", "postgresql://db:0/qc", invalid},
        {"port 65536", "postgresql://db:65536/qc", invalid},
        {"port not a number", "postgresql://db:5432x/qc", invalid},
        {"bad escape", "postgresql://lab%4@db/qc", invalid},
        {"unknown parameter", "postgresql://lab@/qc?sslmode=require", invalid},
        {"relative socket", "postgresql://lab@/qc?host=run", invalid},
        {"host twice", "postgresql://lab@db/qc?host=/run", invalid},
        {"unclosed bracket", "postgresql://[::1/qc", invalid},
        {"password", "postgresql://lab:secret@db/qc", password},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = records::parseDatabaseUrl(c.text);
        ASSERT_TRUE(std::holds_alternative<calibration::Message>(read));
        EXPECT_STREQ(std::get<calibration::Message>(read).text, c.reason);
    }
}

TEST(DatabaseUrl, DefaultIsBesideTheLastWorksheet) {
    qputenv("XDG_DATA_HOME", "/tmp/lumetra-records-home");
    EXPECT_EQ(records::defaultDatabase(), sqlite("/tmp/lumetra-records-home/lumetra/qc.sqlite"));
    qunsetenv("XDG_DATA_HOME");
}

struct SeriesCase {
    const char* name;
    const char* text;
    std::optional<std::string> key;
};

TEST(SeriesKey, Read) {
    const SeriesCase cases[] = {
        {"check 3", "check:3", "check:3"},
        {"check 3.0", "check:3.0", "check:3"},
        {"check 3.00", "check:3.00", "check:3"},
        {"check +3", "check:+3", "check:3"},
        {"check with blanks", "check: 3.0 ", "check:3"},
        {"check .5", "check:.5", "check:0.5"},
        {"check 0.50", "check:0.50", "check:0.5"},
        {"check 1e-3", "check:1e-3", "check:0.001"},
        {"check -0", "check:-0", "check:0"},
        {"check 0.1 + ulp is another series", "check:0.10000000000000002",
         "check:0.10000000000000002"},
        {"check not a number", "check:abc", std::nullopt},
        {"check empty", "check:", std::nullopt},
        {"check inf", "check:inf", std::nullopt},
        {"check 1e999", "check:1e999", std::nullopt},
        {"check 3,0", "check:3,0", std::nullopt},
        {"reference", "reference:GSB 07-3164", "reference:GSB 07-3164"},
        {"reference without a name", "reference:", std::nullopt},
        {"spike", "spike", "spike"},
        {"duplicate", "duplicate", "duplicate"},
        {"blank", "blank", "blank"},
        {"slope", "slope", "slope"},
        {"intercept", "intercept", "intercept"},
        {"unknown", "rsd", std::nullopt},
        {"case matters", "Spike", std::nullopt},
    };
    for (const SeriesCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(records::seriesKey(c.text), c.key);
    }
}

TEST(SeriesKey, OfRows) {
    records::QcRow check{"check", "核查", "3.00", "", "", 3.01, "mg/L", {}};
    EXPECT_EQ(records::seriesOfRow(check), "check:3");
    check.nominal = "约3";
    EXPECT_EQ(records::seriesOfRow(check), "");
    EXPECT_EQ(records::seriesOfRow({"reference", "GSB", "", "1.5", "", 1.5, "mg/L", {}}),
              "reference:GSB");
    EXPECT_EQ(records::seriesOfRow({"reference", "", "", "1.5", "", 1.5, "mg/L", {}}), "");
    EXPECT_EQ(records::seriesOfRow({"blank", "", "", "", "", 0.01, "", {}}), "blank");
    EXPECT_EQ(records::seriesOfRow({"sample", "S1", "", "", "", 1, "mg/L", {}}), "");
}

struct DayCase {
    const char* name;
    const char* analysisDate;
    const char* created;
    const char* day;
};

TEST(ChartDay, FirstDayGiven) {
    const DayCase cases[] = {
        {"ISO", "2026-12-07", "2026-11-30", "2026-12-07"},
        {"one-digit month and day", "2026-1-7", "", "2026-01-07"},
        {"slashes", "2026/12/07", "", "2026-12-07"},
        {"dots", "2026.12.07", "", "2026-12-07"},
        {"Chinese", "2026年12月7日", "", "2026-12-07"},
        {"with a time", "2026-12-07 14:30", "", "2026-12-07"},
        {"leap day", "2024-02-29", "", "2024-02-29"},
        {"no leap day: the created day", "2026-02-29", "2026-02-28", "2026-02-28"},
        {"free text: the created day", "十二月初", "2026-11-30", "2026-11-30"},
        {"two-digit year: the created day", "26-12-07", "2026-11-30", "2026-11-30"},
        {"trailing text: the created day", "2026-12-07前", "2026-11-30", "2026-11-30"},
        {"nothing: the filing day", "", "", "2026-12-09"},
        {"bad created: the filing day", "", "2026-13-01", "2026-12-09"},
    };
    for (const DayCase& c : cases) {
        SCOPED_TRACE(c.name);
        records::BatchRecord batch;
        batch.header.analysisDate = c.analysisDate;
        batch.created = c.created;
        EXPECT_EQ(records::chartDay(batch, "2026-12-09T08:00:00+08:00"), c.day);
    }
}

} // namespace
