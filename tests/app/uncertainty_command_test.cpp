// lumetra report with the measurement uncertainty: the JSON's uncertainty of each sample for the
// cadmium calibration of the EURACHEM/CITAC guide, the reason where there is none, no key at all
// when no way is chosen, and the options' refusals.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The guide's standards (0.1 to 0.9 mg/L in triplicate).
const char kCadmium[] = "C,A\n0.1,0.028\n0.1,0.029\n0.1,0.029\n0.3,0.084\n0.3,0.083\n0.3,0.081\n"
                        "0.5,0.135\n0.5,0.131\n0.5,0.133\n0.7,0.180\n0.7,0.181\n0.7,0.183\n"
                        "0.9,0.215\n0.9,0.230\n0.9,0.216\n";
const char kSamples[] = "name,readings\nCd,0.0712 0.0716\nNeg,0.0050\n";

struct Outcome {
    int exitCode = -1;
    QString out, err;
};

class UncertaintyCommand : public ::testing::Test {
protected:
    void SetUp() override {
        standards = write(u"cd.csv"_s, kCadmium);
        samples = write(u"s.csv"_s, kSamples);
    }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    Outcome run(const QStringList& options) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, dir.path());
        environment.remove(u"LUMETRA_DATABASE"_s);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"no-such-platform"_s);
        process.setProcessEnvironment(environment);
        process.start(QString::fromUtf8(LUMETRA_BINARY),
                      QStringList{u"report"_s, standards, u"--samples"_s, samples, u"--json"_s,
                                  u"--limit"_s, u"mdl"_s} +
                          options);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QJsonArray rows(const QStringList& options) {
        const Outcome outcome = run(options);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
        return QJsonDocument::fromJson(outcome.out.toUtf8()).object()[u"samples"_s].toArray();
    }

    QTemporaryDir dir;
    QString standards, samples;
};

TEST_F(UncertaintyCommand, CadmiumInJson) {
    const QJsonArray samples = rows({u"--uncertainty"_s, u"bottom-up"_s});
    const QJsonObject cd = samples[0].toObject();
    ASSERT_TRUE(cd[u"uncertainty"_s].isObject());
    const QJsonObject u = cd[u"uncertainty"_s].toObject();
    // u(c0) = 0.018 mg/L as the guide gives it; U = 2 u(c0) = 0.0357 upward to 0.036.
    EXPECT_EQ(u[u"way"_s].toString(), u"bottom-up"_s);
    EXPECT_NEAR(u[u"u_c"_s].toDouble(), 0.018, 0.0005);
    EXPECT_EQ(u[u"U_text"_s].toString(), u"0.036"_s);
    EXPECT_EQ(u[u"k"_s].toDouble(), 2);
    EXPECT_TRUE(u[u"nu_eff"_s].isNull());
    EXPECT_EQ(u[u"result_text"_s].toString(), u"0.260"_s);
    const QJsonArray components = u[u"components"_s].toArray();
    ASSERT_EQ(components.size(), 1);
    EXPECT_EQ(components[0].toObject()[u"name"_s].toString(), u"calibration"_s);
    EXPECT_EQ(components[0].toObject()[u"share"_s].toDouble(), 1);
    EXPECT_TRUE(cd[u"uncertainty_reason"_s].isNull());

    const QJsonObject negative = samples[1].toObject();
    EXPECT_TRUE(negative[u"uncertainty"_s].isNull());
    EXPECT_EQ(negative[u"uncertainty_reason"_s].toString(), u"结果不大于0，没有相对不确定度"_s);

    // With typed components and t: nu_eff is a number, k above 2.
    const QJsonObject t =
        rows({u"--uncertainty"_s, u"bottom-up"_s, u"--u-volume"_s, u"0.01"_s, u"--u-standard"_s,
              u"0.011547005383792516"_s, u"--coverage"_s, u"t"_s})[0]
            .toObject()[u"uncertainty"_s]
            .toObject();
    EXPECT_NEAR(t[u"nu_eff"_s].toDouble(), 14.3215, 0.0001);
    EXPECT_EQ(t[u"U_text"_s].toString(), u"0.040"_s);
    EXPECT_EQ(t[u"components"_s].toArray().size(), 3);

    // Top-down without a database: named, never a figure.
    const QJsonObject topDown = rows({u"--uncertainty"_s, u"top-down"_s})[0].toObject();
    EXPECT_TRUE(topDown[u"uncertainty"_s].isNull());
    EXPECT_EQ(topDown[u"uncertainty_reason"_s].toString(),
              u"没有可读取的质控数据库（--database）"_s);
}

TEST_F(UncertaintyCommand, NoKeysWithoutAWay) {
    for (const QStringList& options : {QStringList{}, QStringList{u"--uncertainty"_s, u"none"_s}}) {
        SCOPED_TRACE(options.join(u' ').toStdString());
        const QJsonObject cd = rows(options)[0].toObject();
        EXPECT_FALSE(cd.contains(u"uncertainty"_s));
        EXPECT_FALSE(cd.contains(u"uncertainty_reason"_s));
    }
}

TEST_F(UncertaintyCommand, Refused) {
    const struct {
        const char* name;
        QStringList options;
        QString error;
    } cases[] = {
        {"an unknown way",
         {u"--uncertainty"_s, u"guess"_s},
         u"lumetra: --uncertainty 的值“guess”无效，应为 none、bottom-up、top-down\n"_s},
        {"a coverage of 3",
         {u"--coverage"_s, u"3"_s},
         u"lumetra: --coverage 的值“3”无效，应为 2、t\n"_s},
        {"a component above 1",
         {u"--uncertainty"_s, u"bottom-up"_s, u"--u-volume"_s, u"1.5"_s},
         u"lumetra: --u-volume 的值“1.5”无效，应为0到1之间的数\n"_s},
        {"a negative component",
         {u"--uncertainty"_s, u"bottom-up"_s, u"--u-dilution"_s, u"-0.01"_s},
         u"lumetra: --u-dilution 的值“-0.01”无效，应为0到1之间的数\n"_s},
        {"recovery of another word",
         {u"--uncertainty"_s, u"bottom-up"_s, u"--u-recovery"_s, u"all"_s},
         u"lumetra: --u-recovery 的值“all”无效，应为0到1之间的数或 spikes\n"_s},
        {"a component without bottom-up",
         {u"--u-standard"_s, u"0.01"_s},
         u"lumetra: --u-standard 只用于 --uncertainty bottom-up\n"_s},
        {"a component with top-down",
         {u"--uncertainty"_s, u"top-down"_s, u"--u-recovery"_s, u"spikes"_s},
         u"lumetra: --u-recovery 只用于 --uncertainty bottom-up\n"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = run(c.options);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.err, c.error);
        EXPECT_TRUE(outcome.out.isEmpty());
    }
}

} // namespace
