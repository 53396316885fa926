// `lumetra qc file` as a script uses it, the real program run as a separate process against
// SQLite databases in a temporary folder: the batch's id, a batch filed twice, a batch number
// that supersedes, the JSON, the report's options and faults; and `report` judging a batch against
// frozen control charts when a database is named.

#include "records/store.h"
#include "tests/support/qc_database.h"
#include "tests/support/qt_printers.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Ran {
    int exitCode = -1;
    QString out, err;
};

// y = 0.002 + 0.2 x; the check standard reads 2.000 exactly.
const QByteArray kStandards = "C,A\n0,0.002\n1,0.202\n2,0.402\n3,0.602\n4,0.802\n";
const QByteArray kSamples = "name,readings,type,of,added,nominal\n"
                            "S1,0.302,,,,\n"
                            "S1 平行,0.304,duplicate,S1,,\n"
                            "S1 加标,0.502,spike,S1,1,\n"
                            "K,0.402,check,,,2.0\n";
const QByteArray kMethod = R"({"format": "lumetra-method", "version": 1, "name": "GB 7493"})";

class QcFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        database = folder.filePath(u"qc.sqlite"_qs);
        write(u"standards.csv"_qs, kStandards);
        write(u"samples.csv"_qs, kSamples);
        write(u"method.lumetra-method"_qs, kMethod);
    }

    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QString path(const QString& name) const { return folder.filePath(name); }

    // With a settings and data folder of its own, no LUMETRA_DATABASE unless given.
    Ran run(const QStringList& arguments, const QString& environmentDatabase = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"LUMETRA_DATABASE"_qs);
        if (!environmentDatabase.isEmpty()) {
            environment.insert(u"LUMETRA_DATABASE"_qs, environmentDatabase);
        }
        environment.insert(u"XDG_CONFIG_HOME"_qs, folder.filePath(u"config"_qs));
        environment.insert(u"XDG_DATA_HOME"_qs, folder.filePath(u"data"_qs));
        environment.insert(u"LC_ALL"_qs, u"C.UTF-8"_qs);
        environment.insert(u"QT_QPA_PLATFORM"_qs, u"no-such-platform"_qs);
        process.setProcessEnvironment(environment);
        process.start(QString::fromUtf8(LUMETRA_BINARY), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    // `qc file standards.csv --samples samples.csv --database sqlite:qc.sqlite` and more.
    Ran file(const QStringList& more = {}) {
        return run(QStringList{u"qc"_qs, u"file"_qs, path(u"standards.csv"_qs), u"--samples"_qs,
                               path(u"samples.csv"_qs), u"--database"_qs,
                               u"sqlite:"_qs + database} +
                   more);
    }
    static QJsonObject json(const Ran& run) {
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }

    std::unique_ptr<records::Store> store() { return qc_test::openStore(database.toStdString()); }

    QTemporaryDir folder;
    QString database;
};

TEST_F(QcFile, FiledOnceWithItsId) {
    const Ran first = file();
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, u"1\n"_qs);
    EXPECT_EQ(first.err, QString());

    // The same standards and samples again: nothing filed, the existing id, exit 0.
    const Ran again = file();
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, u"1\n"_qs);
    EXPECT_EQ(again.err, u"lumetra: 此批次已归档（批次 1）\n"_qs);
    const QJsonObject duplicate = json(file({u"--json"_qs}));
    EXPECT_EQ(duplicate, (QJsonObject{{u"batch"_qs, 1},
                                      {u"duplicate"_qs, true},
                                      {u"supersedes"_qs, QJsonValue::Null}}));

    // What `report` with the same arguments reports is what is filed: another model is another
    // batch.
    const QJsonObject origin = json(file({u"--model"_qs, u"origin"_qs, u"--json"_qs}));
    EXPECT_EQ(origin[u"batch"].toInt(), 2);
    EXPECT_FALSE(origin[u"duplicate"].toBool());

    const auto s = store();
    ASSERT_NE(s, nullptr);
    const auto first_ = s->readBatch(1);
    ASSERT_TRUE(first_.ok() && first_.value());
    const records::BatchRecord& record = *first_.value();
    EXPECT_EQ(record.fileName, path(u"standards.csv"_qs).toStdString());
    EXPECT_EQ(record.curve.model, "line");
    ASSERT_EQ(record.rows.size(), 3u);
    EXPECT_EQ(record.rows[2].type, "check");
    EXPECT_EQ(record.rows[2].value, 2.0);
    EXPECT_EQ(s->readBatch(2).value()->curve.model, "origin");
}

TEST_F(QcFile, BatchNumberSupersedes) {
    // A calibration file with 报告信息 项目/批号, analysed again with another reading.
    const auto lumetra = [&](const char* reading, const char* project) {
        return write(u"batch.lumetra"_qs,
                     QByteArray(R"({"format": "lumetra-calibration", "version": 2, "unit": "mg/L",
                        "header": {"project": ")") +
                         project + R"("}, "standards": [{"C": "0", "A": "0.002"},
                        {"C": "1", "A": "0.202"}, {"C": "2", "A": "0.402"}],
                        "samples": [{"name": "K", "readings": ")" +
                         reading + R"(", "dilution": "", "type": "check", "nominal": "1"}]})");
    };
    const auto fileIt = [&](const QStringList& more = {}) {
        return json(run(QStringList{u"qc"_qs, u"file"_qs, path(u"batch.lumetra"_qs),
                                    u"--database"_qs, u"sqlite:"_qs + database, u"--json"_qs} +
                        more));
    };
    struct Case {
        const char* name;
        const char* reading;
        const char* project;
        QStringList options;
        int batch;
        QJsonValue supersedes;
    };
    const Case cases[] = {
        {"the first of batch 2026-7", "0.2", "2026-7", {}, 1, QJsonValue::Null},
        {"batch 2026-7 measured again", "0.21", "2026-7", {}, 2, 1},
        {"and again: the latest is superseded", "0.22", "2026-7", {}, 3, 2},
        {"with a method: another chain",
         "0.22",
         "2026-7",
         {u"--method"_qs, path(u"method.lumetra-method"_qs)},
         4,
         QJsonValue::Null},
        {"without a batch number nothing is superseded", "0.23", "", {}, 5, QJsonValue::Null},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lumetra(c.reading, c.project);
        const QJsonObject filed = fileIt(c.options);
        EXPECT_EQ(filed[u"batch"].toInt(), c.batch);
        EXPECT_EQ(filed[u"duplicate"], QJsonValue(false));
        EXPECT_EQ(filed[u"supersedes"], c.supersedes);
    }
    // The method file holding only its format, version and name.
    EXPECT_EQ(store()->readBatch(4).value()->methodName, "GB 7493");
}

TEST_F(QcFile, Refused) {
    write(u"one.csv"_qs, "C,A\n1,0.2\n");
    struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        QString error;
    };
    const QString db = u"sqlite:"_qs + database;
    const Case cases[] = {
        {"no curve: nothing filed",
         {u"qc"_qs, u"file"_qs, path(u"one.csv"_qs), u"--database"_qs, db},
         1,
         u"lumetra: "_qs + path(u"one.csv"_qs) + u"：直线模型至少需要2个未排除的标准点\n"_qs},
        {"a PDF is the report's",
         {u"qc"_qs, u"file"_qs, path(u"standards.csv"_qs), u"--pdf"_qs, path(u"x.pdf"_qs),
          u"--database"_qs, db},
         2,
         u"lumetra: qc file 不接受 --pdf\n"_qs},
        {"no file",
         {u"qc"_qs, u"file"_qs, u"--database"_qs, db},
         2,
         u"lumetra: qc file 需要一个文件（用法：lumetra qc file FILE）\n"_qs},
        {"a usage error of the report's options",
         {u"qc"_qs, u"file"_qs, path(u"standards.csv"_qs), u"--model"_qs, u"cubic"_qs,
          u"--database"_qs, db},
         2,
         u"lumetra: --model 的值“cubic”无效，应为 line、origin、quadratic\n"_qs},
        {"a database that cannot be reached",
         {u"qc"_qs, u"file"_qs, path(u"standards.csv"_qs), u"--database"_qs,
          u"sqlite:"_qs + path(u"no/such/folder/qc.sqlite"_qs)},
         2,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Ran refused = run(c.arguments);
        EXPECT_EQ(refused.exitCode, c.exitCode);
        EXPECT_EQ(refused.out, QString());
        if (c.error.isEmpty()) {
            EXPECT_TRUE(refused.err.startsWith(u"lumetra: 无法连接质控数据库 sqlite:"_qs))
                << refused.err.toStdString();
        } else {
            EXPECT_EQ(refused.err, c.error);
        }
    }
    EXPECT_FALSE(QFile::exists(database)) << "nothing was filed";
}

// A method whose check standard at 2 is frozen at 1.9 with s 0.02: the batch's check reads 2.000,
// within its own ±10 % but 5s above the chart's centre.
TEST_F(QcFile, JudgedAgainstFrozenCharts) {
    {
        const auto s = store();
        ASSERT_NE(s, nullptr);
        for (int i = 0; i < 12; ++i) {
            records::BatchRecord b = qc_test::batch("earlier " + std::to_string(i), "GB 7493", "",
                                                    qc_test::day(std::size_t(i)));
            b.rows = {qc_test::row("check", "2", 1.9 + 0.01 * (i % 3 - 1), "")};
            qc_test::file(*s, b);
        }
        records::FrozenRecord limits;
        limits.group = {"GB 7493", ""};
        limits.series = "check:2";
        limits.sigma = "sd";
        limits.centre = 1.9;
        limits.s = 0.02;
        limits.referenceN = 12;
        ASSERT_TRUE(s->freeze(limits).ok());
    }
    const QStringList report{
        u"report"_qs,   path(u"standards.csv"_qs),         u"--samples"_qs, path(u"samples.csv"_qs),
        u"--method"_qs, path(u"method.lumetra-method"_qs), u"--json"_qs,    u"--strict"_qs};
    const auto checkRules = [](const Ran& run) {
        QStringList rules;
        const QJsonArray samples = QJsonDocument::fromJson(run.out.toUtf8())[u"samples"].toArray();
        for (const QJsonValue rule : samples[3][u"qc"].toArray()) {
            rules << rule[u"rule"].toString() + u':' +
                         QString::fromUtf8(QJsonDocument(QJsonArray{rule[u"value"]})
                                               .toJson(QJsonDocument::Compact));
        }
        return rules.join(u' ');
    };
    struct Case {
        const char* name;
        QStringList options;
        QString environment;
        int exitCode;
        QString rules;
    };
    const QString db = u"sqlite:"_qs + database;
    const Case cases[] = {
        {"no database named: not judged", {}, {}, 0, u"check:[0]"_qs},
        {"--database", {u"--database"_qs, db}, {}, 3, uR"(check:[0] control_chart:[["t1"]])"_qs},
        {"LUMETRA_DATABASE", {}, db, 3, uR"(check:[0] control_chart:[["t1"]])"_qs},
        {"a database not made yet holds no charts",
         {u"--database"_qs, u"sqlite:"_qs + path(u"new.sqlite"_qs)},
         {},
         0,
         u"check:[0]"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Ran judged = run(report + c.options, c.environment);
        EXPECT_EQ(judged.exitCode, c.exitCode) << judged.err.toStdString();
        EXPECT_EQ(checkRules(judged), c.rules);
    }
    EXPECT_FALSE(QFile::exists(path(u"new.sqlite"_qs)));

    // Filed with its verdict; judged again once filed, it is not one of its own earlier points.
    QStringList filing = report;
    filing[0] = u"file"_qs;
    filing.prepend(u"qc"_qs);
    filing.removeAll(u"--strict"_qs);
    const QJsonObject filed = json(run(filing + QStringList{u"--database"_qs, db}));
    const auto record = store()->readBatch(filed[u"batch"].toInt()).value();
    ASSERT_TRUE(record);
    ASSERT_EQ(record->rows[2].verdicts.size(), 2u);
    EXPECT_EQ(record->rows[2].verdicts[1].rule, "control_chart");
    EXPECT_EQ(record->rows[2].verdicts[1].text, "t1");
    EXPECT_EQ(checkRules(run(report + QStringList{u"--database"_qs, db})),
              uR"(check:[0] control_chart:[["t1"]])"_qs);
}

} // namespace
