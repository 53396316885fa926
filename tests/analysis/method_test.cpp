// A method carried from its validation into the day's batch through the 方法 menu: saved from the
// validation document with the MDL that validation found, applied to the batch in the window and
// given to the command line with --method, the three give the same reported limit, rounding,
// quality limits and results in the window, the PDF (read back with pdftotext) and the JSON. A
// damaged, foreign or newer method changes nothing.

#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "app/calibration_files.h"
#include "io/method_file.h"
#include "tests/analysis/analysis_window_fixture.h"
#include "tests/analysis/nessler.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

using analysis::SampleListModel;

class MethodTest : public analysis_test::AnalysisWindowTest {
public:
    void trigger(const QString& action) {
        QAction* found = window()->findChild<QAction*>(action);
        ASSERT_NE(found, nullptr) << action.toStdString();
        found->trigger();
    }

    QDialog* methodDialog() { return window()->findChild<QDialog*>(u"methodDialog"_qs); }

    void clickOk(QDialog* dialog) {
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray sha256(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
    }

    // `lumetra report ARGUMENTS`, run as a script runs it.
    static QProcess* report(const QStringList& arguments) {
        auto* process = new QProcess;
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(QStringLiteral(LUMETRA_BINARY), QStringList{u"report"_qs} + arguments);
        EXPECT_TRUE(process->waitForFinished(60000));
        return process;
    }

    // The report's text as pdftotext extracts it, blanks and line ends taken out.
    static QString pdfText(const QString& path) {
        QProcess process;
        process.start(u"pdftotext"_qs, {u"-enc"_qs, u"UTF-8"_qs, path, u"-"_qs});
        EXPECT_TRUE(process.waitForFinished(60000));
        return QString::fromUtf8(process.readAllStandardOutput())
            .remove(QRegularExpression(u"\\s"_qs));
    }

    QTemporaryDir dir;
};

TEST_F(MethodTest, FromTheValidationToTheBatchInTheWindowThePdfAndTheJson) {
    // The validation, saved: the method names its file by its hash.
    calibration().replaceDocument(nessler::validation(), QString(), false);
    const QString validation = dir.filePath(u"nh3-validation.lumetra"_qs);
    ASSERT_TRUE(lumetra->files()->saveTo(validation));
    activateAnalysis();
    const calibration::BatchResult validated = calibration().batch();
    ASSERT_TRUE(validated.mdl.has_value());
    ASSERT_TRUE(validated.mdlFromSpikes);

    trigger(u"saveAsMethod"_qs);
    QDialog* dialog = methodDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(in<QLineEdit>(dialog, u"methodName"_qs)->text(), u"HJ 535-2009 氨氮"_qs);
    auto* mdl = in<QLineEdit>(dialog, u"methodMdl"_qs);
    EXPECT_TRUE(mdl->isReadOnly()) << "the validation's own MDL";
    // Shown to six significant digits, every digit in the tooltip and in the file.
    EXPECT_EQ(mdl->toolTip().toDouble(), validated.mdl->mdl);
    EXPECT_NEAR(mdl->text().toDouble(), validated.mdl->mdl, 5e-6 * validated.mdl->mdl);
    QString digits = mdl->text();
    digits.remove(u'.');
    while (digits.startsWith(u'0')) {
        digits.remove(0, 1);
    }
    EXPECT_LE(digits.size(), 6) << mdl->text().toStdString();
    const QString method = dir.filePath(u"nh3.lumetra-method"_qs);
    alerts.paths = {method};
    alerts.take();
    clickOk(dialog);
    EXPECT_EQ(alerts.take(), std::vector<std::string>{"<file>保存为方法"});
    EXPECT_EQ(alerts.suggested.back(), u"HJ 535-2009 氨氮.lumetra-method"_qs);
    const io::Expected<calibration::Method> saved = io::readMethodFile(method);
    ASSERT_TRUE(saved) << saved.error().message().toStdString();
    EXPECT_EQ(saved->validated.mdl, validated.mdl->mdl);
    EXPECT_EQ(saved->validated.loqMdl, validated.mdl->loq);
    EXPECT_EQ(saved->validated.date, "2026-12-01");
    EXPECT_EQ(QByteArray::fromStdString(saved->validated.sha256), sha256(validation));
    EXPECT_EQ(calibration().document().history.back().kind, "method_saved");
    EXPECT_FALSE(calibration().isModified()) << "saving a method changes nothing";

    // The day's batch as typed, saved before the method, then the method applied: one entry
    // naming it and its hash, with the reason asked of a saved record.
    restart();
    calibration().replaceDocument(nessler::batch(), QString(), false);
    const QString raw = dir.filePath(u"QL-2026-118.lumetra"_qs);
    ASSERT_TRUE(lumetra->files()->saveTo(raw));
    activateAnalysis();
    alerts.paths = {method};
    alerts.texts = {u"按验证的方法报告"_qs};
    trigger(u"applyMethod"_qs);
    const std::string hash = sha256(method).toStdString();
    const calibration::HistoryEntry& applied = calibration().document().history.back();
    EXPECT_EQ(applied.kind, "method_applied");
    EXPECT_EQ(applied.reason, "按验证的方法报告");
    EXPECT_EQ(calibration().document().method.sha256, hash);
    const calibration::BatchResult& batch = calibration().batch();
    ASSERT_EQ(batch.limitSource, calibration::LimitSource::Method);
    EXPECT_EQ(batch.reportedLimit.value, validated.mdl->mdl);
    EXPECT_EQ(in<QDoubleSpinBox>(window(), u"spikeLowPct"_qs)->value(), 85);

    // The same batch given to the command line with the method.
    std::unique_ptr<QProcess> process(report({raw, u"--method"_qs, method, u"--json"_qs}));
    ASSERT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(process->readAllStandardOutput()).object();
    const QJsonObject settings = json[u"settings"_qs].toObject();
    EXPECT_EQ(settings[u"method"_qs][u"sha256"_qs].toString().toStdString(), hash);
    EXPECT_EQ(settings[u"rounding"_qs].toString(), u"switch"_qs);
    EXPECT_EQ(settings[u"switch_at"_qs].toDouble(), 1.0);
    EXPECT_EQ(settings[u"decimals"_qs].toInt(), 2);
    EXPECT_EQ(settings[u"below"_qs].toString(), u"L"_qs);
    EXPECT_EQ(settings[u"spike_low_pct"_qs].toDouble(), 85);
    EXPECT_EQ(settings[u"spike_high_pct"_qs].toDouble(), 115);
    EXPECT_EQ(settings[u"blank_absorbance_max"_qs].toDouble(), 0.03);
    const QJsonObject limit = json[u"validation"_qs][u"reported_limit"_qs].toObject();
    EXPECT_EQ(limit[u"source"_qs].toString(), u"method"_qs);
    EXPECT_EQ(limit[u"value"_qs].toDouble(), *batch.reportedLimit.value);

    // Row by row: the window's result and verdicts are the JSON's, and the PDF prints them.
    alerts.paths = {dir.filePath(u"QL-2026-118.pdf"_qs)};
    window()->exportPdf();
    const QString pdf = pdfText(dir.filePath(u"QL-2026-118.pdf"_qs));
    const QJsonArray rows = json[u"samples"_qs].toArray();
    const QAbstractItemModel& table = *window()->sampleTable().model();
    ASSERT_EQ(rows.size(), table.rowCount());
    int below = 0, means = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonObject row = rows[i].toObject();
        SCOPED_TRACE(row[u"name"_qs].toString().toStdString());
        const QString text = row[u"result_text"_qs].toString();
        const QString mean = row[u"mean_result_text"_qs].toString();
        const QString shown = mean.isEmpty() ? text : mean + u"（平行样均值）"_qs;
        EXPECT_EQ(analysis::fieldIndex(table, i, SampleListModel::Result).data().toString(), shown);
        EXPECT_TRUE(pdf.contains(shown)) << shown.toStdString();
        const QJsonValue pass = row[u"qc_pass"_qs];
        const std::optional<bool> verdict = calibration().sampleResults()[std::size_t(i)].qcPass();
        EXPECT_EQ(pass.isNull(), !verdict.has_value());
        if (verdict) {
            EXPECT_EQ(pass.toBool(), *verdict);
        }
        below += text.endsWith(u'L') ? 1 : 0;
        means += mean.isEmpty() ? 0 : 1;
    }
    EXPECT_GE(below, 1) << "a result below the method's MDL, written as HJ 168 writes it";
    EXPECT_GE(means, 1) << "a duplicated sample reporting the mean";
    for (const QString& expected :
         {u"方法：HJ535-2009氨氮"_qs, u"方法文件SHA-256："_qs + QString::fromStdString(hash),
          u"低于1时2位小数，不低于1时3位有效数字"_qs, u"要求85–115%"_qs}) {
        EXPECT_TRUE(pdf.contains(expected)) << expected.toStdString();
    }
}

// A method file that cannot be used is refused with its reason, in the window as on the command
// line, and nothing of the document changes.
TEST_F(MethodTest, ADamagedForeignOrNewerMethodChangesNothing) {
    calibration().replaceDocument(nessler::batch(), QString(), false);
    const QString raw = dir.filePath(u"batch.lumetra"_qs);
    ASSERT_TRUE(lumetra->files()->saveTo(raw));
    activateAnalysis();
    const calibration::Document before = calibration().document();
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"damaged", R"({"format": "lumetra-method", "version": 1, "name": "M",)",
         "第1行第56列：对象没有结束（缺少 } 或逗号）"},
        {"foreign", R"({"format": "lumetra-calibration", "version": 1, "name": "M"})",
         "format：应为 \"lumetra-method\"，不是 \"lumetra-calibration\""},
        {"newer", R"({"format": "lumetra-method", "version": 2, "name": "M"})",
         "version：版本2较新，本程序只能读版本1"},
        {"out of range",
         R"({"format": "lumetra-method", "version": 1, "name": "M", "settings": {"switch_at": 0}})",
         "settings.switch_at：应为大于0的数"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(QString::fromUtf8(c.name) + u".lumetra-method"_qs, c.bytes);
        alerts.paths = {path};
        alerts.texts = {u"not asked"_qs};
        trigger(u"applyMethod"_qs);
        const std::vector<std::string> events = alerts.take();
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[1].rfind("无法应用方法：" + path.toStdString(), 0), 0u) << events[1];
        EXPECT_NE(events[1].find(c.reason), std::string::npos) << events[1];
        EXPECT_EQ(calibration().document(), before);
        EXPECT_FALSE(calibration().isModified());
        std::unique_ptr<QProcess> process(report({raw, u"--method"_qs, path}));
        EXPECT_EQ(process->exitCode(), 2);
    }
}

// Without a validation of its own the MDL is typed (4·MDL with it), or left out; the name is
// required; the method is never written over the open document's file.
TEST_F(MethodTest, TheDialogAsksANameAndTakesATypedMdl) {
    calibration().replaceDocument(nessler::batch(), QString(), false);
    const QString document = dir.filePath(u"batch.lumetra"_qs);
    ASSERT_TRUE(lumetra->files()->saveTo(document));
    activateAnalysis();
    alerts.take();
    trigger(u"saveAsMethod"_qs);
    QDialog* dialog = methodDialog();
    auto* name = in<QLineEdit>(dialog, u"methodName"_qs);
    auto* mdl = in<QLineEdit>(dialog, u"methodMdl"_qs);
    ASSERT_FALSE(mdl->isReadOnly());
    EXPECT_EQ(mdl->text(), QString());
    clickOk(dialog);
    EXPECT_EQ(alerts.take(), std::vector<std::string>{"方法名称不能为空"});
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClicks(name, u"NH3-N"_qs);
    QTest::keyClicks(mdl, u"0.65x"_qs);
    clickOk(dialog);
    EXPECT_EQ(alerts.take(), std::vector<std::string>{"方法检出限 \"0.65x\" 应为大于0的数"});
    QTest::keyClick(mdl, Qt::Key_Backspace);
    QTest::keyClicks(mdl, u"3"_qs);
    // Over the open document's own file: refused, and that file stays as it was.
    const QByteArray kept = sha256(document);
    alerts.paths = {document};
    clickOk(dialog);
    std::vector<std::string> events = alerts.take();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_NE(events[1].find("这是打开的标准曲线文件，导出不能覆盖它"), std::string::npos)
        << events[1];
    EXPECT_EQ(sha256(document), kept);

    trigger(u"saveAsMethod"_qs);
    alerts.paths = {dir.filePath(u"nh3"_qs)}; // the suffix is added
    QTest::keyClicks(in<QLineEdit>(methodDialog(), u"methodName"_qs), u"NH3-N"_qs);
    QTest::keyClicks(in<QLineEdit>(methodDialog(), u"methodMdl"_qs), u"0.653"_qs);
    clickOk(methodDialog());
    const io::Expected<calibration::Method> saved =
        io::readMethodFile(dir.filePath(u"nh3.lumetra-method"_qs));
    ASSERT_TRUE(saved) << saved.error().message().toStdString();
    EXPECT_EQ(saved->name, "NH3-N");
    EXPECT_EQ(saved->validated.mdl, 0.653);
    EXPECT_EQ(saved->validated.loqMdl, 4 * 0.653);
    EXPECT_EQ(QByteArray::fromStdString(saved->validated.sha256), kept)
        << "the document saved as it stands is the validation's file";
}

} // namespace
