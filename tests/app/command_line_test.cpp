// The command line as a script uses it: the real program run with no display and no platform
// plugin, its standard output parsed back, its exit codes and its one line of error.

#include "tests/support/fluorescence_reference.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringConverter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

const char kStandards[] = "C;A\n0;2,1\n2;5,0\n4;9,0\n6;12,6\n8;17,3\n10;21,0\n12;24,7\n";

struct Outcome {
    int exitCode = -1;
    QString out, err;
};

class CommandLine : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    static Outcome run(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_qs);
        environment.remove(u"WAYLAND_DISPLAY"_qs);
        environment.insert(u"QT_QPA_PLATFORM"_qs, u"no-such-platform"_qs);
        process.setProcessEnvironment(environment);
        process.start(QString::fromUtf8(LUMETRA_BINARY), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir dir;
};

void expectReference(const QString& key, double value) {
    const double expected = test::kFluorescenceStatistics.at(key);
    EXPECT_NEAR(value, expected, 1e-9 * std::fabs(expected)) << key.toStdString();
}

TEST_F(CommandLine, TabSeparatedAndJsonReportsAgreeWithTheExactFigures) {
    const QString standards = file(u"standards.csv"_qs, kStandards);
    const QString samples = file(u"samples.csv"_qs, "名称,读数,稀释\nS1,2.9,\n=cmd,13.4 13.6,2\n");

    const Outcome text = run({u"report"_qs, standards, u"--samples"_qs, samples});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.err.isEmpty());
    const QStringList lines = text.out.split(u'\n');
    for (int i = 0; i < 12; ++i) {
        const QStringList cells = lines[i].split(u'\t');
        ASSERT_EQ(cells.size(), 2);
        expectReference(cells[0], cells[1].toDouble());
    }
    EXPECT_EQ(lines[13], u"C\tA\tA_fit\tresidual\tdeviation_pct\tC_back\trecovery_pct"_qs);
    EXPECT_EQ(lines[22], u"name\treadings\tm\tmean_A\tdilution\tx0\ts_x0\tci95_x0\tflags"_qs);
    EXPECT_TRUE(lines[23].startsWith(u"S1\t2.9\t1\t2.9\t1\t0.71"_qs)) << lines[23].toStdString();
    EXPECT_TRUE(lines[24].startsWith(u"=cmd\t13.4 13.6\t2\t13.5\t2\t"_qs))
        << lines[24].toStdString();

    const Outcome json = run({u"report"_qs, standards, u"--json"_qs, u"--samples"_qs, samples});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    for (const auto& [key, value] : test::kFluorescenceStatistics) {
        expectReference(key, root[key].toDouble());
    }
    const QJsonArray points = root[u"points"_qs].toArray();
    ASSERT_EQ(points.size(), 7);
    EXPECT_TRUE(points[0].toObject()[u"recovery_pct"_qs].isNull());
    const QJsonObject second = root[u"samples"_qs].toArray()[1].toObject();
    EXPECT_EQ(second[u"readings"_qs].toArray().size(), 2);
    EXPECT_EQ(second[u"m"_qs].toInt(), 2);
    EXPECT_EQ(second[u"flags"_qs].toArray().size(), 0);
    EXPECT_EQ(root[u"samples"_qs].toArray()[0].toObject()[u"flags"_qs].toArray(),
              QJsonArray({u"below_lod"_qs, u"below_loq"_qs}));
}

TEST_F(CommandLine, TwoStandardsGiveNullForWhatNeedsThree) {
    const Outcome json = run({u"report"_qs, file(u"two.csv"_qs, "1,0.1\n2,0.3\n"), u"--json"_qs});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    for (const char* key : {"s_a", "s_b", "ci95_a", "ci95_b", "s_yx", "lod", "loq"}) {
        EXPECT_TRUE(root[QString::fromUtf8(key)].isNull()) << key;
    }
    EXPECT_EQ(root[u"r"_qs].toDouble(), 1.0);
}

TEST_F(CommandLine, ExitCodesAndOneLineOfError) {
    struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        QString inError; // a part of the one error line
    };
    const QString good = file(u"good.csv"_qs, kStandards);
    const Case cases[] = {
        {"help", {u"--help"_qs}, 0, {}},
        {"version", {u"--version"_qs}, 0, {}},
        {"unknown option", {u"report"_qs, good, u"--frobnicate"_qs}, 2, u"frobnicate"_qs},
        {"unknown command", {u"draw"_qs, good}, 2, u"draw"_qs},
        {"no file", {u"report"_qs}, 2, u"report"_qs},
        {"two files", {u"report"_qs, good, good}, 2, good},
        {"missing file", {u"report"_qs, dir.filePath(u"none.csv"_qs)}, 2, u"none.csv"_qs},
        {"no data rows", {u"report"_qs, file(u"empty.csv"_qs, "C,A\n")}, 2, u"empty.csv"_qs},
        {"not a number", {u"report"_qs, file(u"bad.csv"_qs, "1,0.1\n2,x\n")}, 2, u"第2行"_qs},
        {"bad samples",
         {u"report"_qs, good, u"--samples"_qs, file(u"s.csv"_qs, "a,0.5x,1\n")},
         2,
         u"s.csv"_qs},
        {"one standard", {u"report"_qs, file(u"one.csv"_qs, "1,0.1\n")}, 1, u"one.csv"_qs},
        {"equal concentrations",
         {u"report"_qs, file(u"eqc.csv"_qs, "1,0.1\n1,0.3\n")},
         1,
         u"eqc.csv"_qs},
        {"equal absorbances",
         {u"report"_qs, file(u"eqa.csv"_qs, "1,0.2\n2,0.2\n")},
         1,
         u"eqa.csv"_qs},
        {"a line break in a quoted cell",
         {u"report"_qs, file(u"break.csv"_qs, "\"1\n2\",0.1\n2,0.3\n")},
         2,
         u"第1行：浓度 \"1 2\" 不是数字"_qs},
        {"a standard of a calibration file that is not a number",
         {u"report"_qs,
          file(u"nan.lumetra"_qs, R"({"format":"lumetra-calibration","version":1,"unit":"",
             "standards":[{"C":"1","A":".1"},{"C":"2","A":"NaN"}]})")},
         2,
         u"nan.lumetra：第2个标准点：吸光度 \"NaN\" 不是数字"_qs},
        {"calibration of another program",
         {u"report"_qs, file(u"x.lumetra"_qs, R"({"format":"other","version":1})")},
         2,
         u"x.lumetra"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_FALSE(result.out.isEmpty());
            EXPECT_TRUE(result.err.isEmpty());
        } else {
            EXPECT_TRUE(result.out.isEmpty());
            EXPECT_EQ(result.err.count(u'\n'), 1) << result.err.toStdString();
            EXPECT_TRUE(result.err.contains(c.inError)) << result.err.toStdString();
        }
    }
}

TEST_F(CommandLine, ReadsACalibrationFileWithAnyNumberOfStandards) {
    QByteArray json = R"({"format":"lumetra-calibration","version":1,"unit":"mg/L","standards":[)";
    for (int i = 0; i < 12; ++i) { // more than the window's ten
        json += (i ? "," : "") +
                QStringLiteral(R"({"C":"%1","A":"%2"})").arg(i).arg(0.1 * i + 0.01).toUtf8();
    }
    json += R"(],"samples":[{"name":"s","readings":"0.5","dilution":""},)"
            R"({"name":"引\"号\\和\n换行","readings":"0.5","dilution":""}]})";
    const Outcome result = run({u"report"_qs, file(u"twelve.lumetra"_qs, json)});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(u"n\t12\n"_qs));
    EXPECT_TRUE(result.out.contains(u"\ns\t0.5\t1\t0.5\t1\t"_qs));
    EXPECT_TRUE(result.out.contains(u"\n引\"号\\和 换行\t0.5\t"_qs)) << "no name splits a line";

    const Outcome asJson = run({u"report"_qs, dir.filePath(u"twelve.lumetra"_qs), u"--json"_qs});
    ASSERT_EQ(asJson.exitCode, 0) << asJson.err.toStdString();
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(asJson.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(root[u"n"_qs].toInt(), 12);
    EXPECT_EQ(root[u"points"_qs].toArray().size(), 12);
    EXPECT_EQ(root[u"samples"_qs].toArray()[1].toObject()[u"name"_qs].toString(),
              u"引\"号\\和\n换行"_qs);
}

// Samples given on the command line replace those of the file, and 100 000 of them are reported.
TEST_F(CommandLine, HundredThousandSamplesReplaceThoseOfTheFile) {
    const QString calibration =
        file(u"curve.lumetra"_qs, R"({"format":"lumetra-calibration","version":1,
        "unit":"mg","standards":[{"C":"0","A":"2.1"},{"C":"6","A":"12.6"},{"C":"12","A":"24.7"}],
        "samples":[{"name":"from the file","readings":"9","dilution":""}]})");
    QByteArray csv = "名称;读数;稀释倍数\n";
    for (int i = 0; i < 100'000; ++i) {
        csv += "S" + QByteArray::number(i) + ";" + QByteArray::number(2.5 + i % 200 * 0.1) +
               " 13,5;2\n";
    }
    const Outcome result =
        run({u"report"_qs, calibration, u"--samples"_qs, file(u"many.csv"_qs, csv)});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList lines = result.out.split(u'\n');
    ASSERT_EQ(lines.size(), 12 + 1 + 4 + 1 + 1 + 100'000 + 1);
    EXPECT_FALSE(result.out.contains(u"from the file"_qs));
    EXPECT_TRUE(lines[19].startsWith(u"S0\t2.5 13.5\t2\t8\t2\t"_qs)) << lines[19].toStdString();
    EXPECT_TRUE(lines[19 + 99'999].startsWith(u"S99999\t22.4 13.5\t2\t"_qs));
}

} // namespace
