// Standard addition and the internal standard through `lumetra report`: the options, the files'
// columns, the JSON keys, and the runs refused, against the printed worked examples.

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
    QJsonObject json;
    QString err;
};

class CalibrationModesCommand : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    Ran run(QStringList arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_qs, dir.path());
        environment.remove(u"DISPLAY"_qs);
        environment.insert(u"QT_QPA_PLATFORM"_qs, u"no-such-platform"_qs);
        process.setProcessEnvironment(environment);
        arguments.prepend(u"report"_qs);
        process.start(QString::fromUtf8(LUMETRA_BINARY), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(),
                QJsonDocument::fromJson(process.readAllStandardOutput()).object(),
                QString::fromUtf8(process.readAllStandardError()).trimmed()};
    }

    QTemporaryDir dir;
};

} // namespace

// Miller & Miller's silver by AAS (printed: 17.3 +- 1.9 ng/mL at 95 %).
TEST_F(CalibrationModesCommand, StandardAddition) {
    const QString standards = file(u"silver.csv"_qs, "c,a\n0,0.32\n5,0.41\n10,0.52\n15,0.60\n"
                                                     "20,0.70\n25,0.77\n30,0.89\n");
    const Ran r = run({standards, u"--calibration"_qs, u"addition"_qs, u"--json"_qs});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json.value(u"calibration"_qs).toString(), u"addition"_qs);
    const QJsonObject a = r.json.value(u"addition"_qs).toObject();
    EXPECT_NEAR(a.value(u"x_e"_qs).toDouble(), 17.26, 0.005);
    EXPECT_NEAR(a.value(u"ci95_x_e"_qs).toDouble(), 1.92, 0.005);
    EXPECT_EQ(a.value(u"result_text"_qs).toString(), u"17.3"_qs);
    EXPECT_EQ(a.value(u"formula_key"_qs).toString(), u"extrapolation"_qs);
    EXPECT_TRUE(a.value(u"reason"_qs).isNull());
    EXPECT_FALSE(r.json.contains(u"internal_standard"_qs));

    // Harris's serum in the volume form: two rows, no interval, the reason said.
    const QString serum = file(u"serum.csv"_qs, "0,4.27\n5.00,7.98\n");
    const Ran v = run({serum, u"--v0"_qs, u"95.0"_qs, u"--c-std"_qs, u"2.08"_qs, u"--json"_qs});
    ASSERT_EQ(v.exitCode, 0) << v.err.toStdString();
    const QJsonObject s = v.json.value(u"addition"_qs).toObject();
    EXPECT_NEAR(s.value(u"x_e"_qs).toDouble(), 0.1132, 0.00005);
    EXPECT_TRUE(s.value(u"s_x_e"_qs).isNull());
    EXPECT_TRUE(s.value(u"ci95_x_e"_qs).isNull());
    EXPECT_FALSE(s.value(u"reason"_qs).toString().isEmpty());
    EXPECT_TRUE(s.value(u"volume_form"_qs).toBool());
}

// Harris's response factor: F = 0.970, [X] = 0.143 M in the unknown diluted 10 to 25 mL.
TEST_F(CalibrationModesCommand, InternalStandard) {
    const QString standards =
        file(u"x.csv"_qs, "内标浓度;内标响应;吸光度;浓度\n0,0666;347;423;0,0837\n");
    const QString samples =
        file(u"s.csv"_qs, "name,readings,dilution,is,c_is\nX,553,2.5,582,0.0584\n");
    const Ran r = run({standards, u"--internal-standard"_qs, u"--model"_qs, u"origin"_qs,
                       u"--samples"_qs, samples, u"--json"_qs});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.json.value(u"internal_standard"_qs).toBool());
    EXPECT_NEAR(r.json.value(u"response_factor"_qs).toDouble(), 0.970, 0.0005);
    const QJsonObject point = r.json.value(u"points"_qs).toArray().at(0).toObject();
    EXPECT_NEAR(point.value(u"ratio"_qs).toDouble(), 423.0 / 347, 1e-15);
    EXPECT_EQ(point.value(u"is_recovery"_qs).toDouble(), 100.0);
    const QJsonObject sample = r.json.value(u"samples"_qs).toArray().at(0).toObject();
    EXPECT_NEAR(sample.value(u"x0"_qs).toDouble(), 0.143, 0.0005);
    EXPECT_NEAR(sample.value(u"ratio"_qs).toDouble(), 553.0 / 582, 1e-15);
    EXPECT_EQ(sample.value(u"readings"_qs).toArray().at(0).toDouble(), 553.0);
}

TEST_F(CalibrationModesCommand, Refused) {
    const QString plain = file(u"p.csv"_qs, "0,0.1\n1,0.2\n2,0.3\n");
    const QString withIs = file(u"i.csv"_qs, "0,0.1,1000\n1,0.2,1000\n2,0.3,1000\n");
    const struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        QString err; // how the error line ends
    } cases[] = {
        {"V0 alone", {plain, u"--v0"_qs, u"95"_qs}, 2, u"lumetra: --v0 和 --c-std 须同时给出"_qs},
        {"V0 of 0",
         {plain, u"--v0"_qs, u"0"_qs, u"--c-std"_qs, u"1"_qs},
         2,
         u"lumetra: --v0 的值“0”无效，应为大于0的数"_qs},
        {"an unknown type",
         {plain, u"--calibration"_qs, u"internal"_qs},
         2,
         u"lumetra: --calibration 的值“internal”无效，应为 external、addition"_qs},
        {"both modes",
         {plain, u"--calibration"_qs, u"addition"_qs, u"--internal-standard"_qs},
         2,
         u"lumetra: 内标法只用于外标校准，不能与标准加入同用"_qs},
        {"responses without the option",
         {withIs},
         2,
         u"：标准点有内标响应，请给出 --internal-standard"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Ran r = run(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.endsWith(c.err)) << r.err.toStdString();
    }
}
