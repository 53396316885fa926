// The report as "导出PDF…" writes it, read back with poppler's pdftotext: a record a laboratory
// can file (every field of its header, units, verdicts, signatures, "第 N 页 共 M 页" and the
// SHA-256 of the saved file), a batch of 300 samples over pages with its header repeated, and a
// failed export that says so and leaves the old file.

#include "analysis/plot_widget.h"
#include "analysis/readable.h"
#include "analysis/validation_rows.h"
#include "tests/analysis/analysis_window_fixture.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

namespace {

using analysis::CurrentCalibration;
using analysis_test::kX;
using analysis_test::kY;

class ReportTest : public analysis_test::AnalysisWindowTest {
public:
    // The report's text as pdftotext extracts it, one entry a page: with -layout a table's row
    // is a line; without, the lines of one cell follow each other.
    static QStringList pdfPages(const QString& path, bool layout = true) {
        QProcess process;
        QStringList arguments{u"-enc"_qs, u"UTF-8"_qs, path, u"-"_qs};
        if (layout) {
            arguments.prepend(u"-layout"_qs);
        }
        process.start(u"pdftotext"_qs, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
        EXPECT_TRUE(pages.back().trimmed().isEmpty()); // what follows the last form feed
        pages.removeLast();
        return pages;
    }

    // Exported through the window's command, as the user does it.
    QStringList exported(const QString& path) {
        alerts.paths = {path};
        window()->exportPdf();
        EXPECT_EQ(alerts.take(),
                  std::vector<std::string>{std::string(test::RecordingPrompts::kFile) + "导出PDF"});
        return pdfPages(path);
    }

    // The fluorescence standards in mg/L, the fourth excluded with its reason.
    void fitWithExclusion() {
        in<QComboBox>(main(), u"Combo1"_qs)->setEditText(u"mg/L"_qs);
        fit(kX, kY);
        calibration().setExcluded(3, true, "读数漂移");
    }

    QTemporaryDir dir;
};

// Blanks and runs of blanks as one blank, so that the columns' spacing does not matter.
QString simplified(const QString& text) {
    return QString(text).replace(u'\f', u' ').simplified();
}

TEST_F(ReportTest, FiledRecordShowsItsHeaderUnitsVerdictsAndTheSavedFilesHash) {
    fitWithExclusion();
    calibration::ReportHeader header;
    header.laboratory = "青岚环境监测站";
    header.project = "QL-2026-118";
    header.method = "HJ 535-2009 水质 氨氮的测定 纳氏试剂分光光度法";
    header.analyte = "氨氮";
    header.instrument = "紫外可见分光光度计";
    header.instrumentNumber = "UV-07";
    header.wavelength = "420 nm";
    header.pathLength = "10 mm";
    header.analysisDate = "2026-12-07";
    header.analyst = "李明";
    header.reviewer = "王芳";
    header.approver = "张伟";
    calibration().setHeader(header);
    calibration::Settings settings = calibration().document().settings;
    settings.resultUnit = "mg/kg";
    settings.volume = "25";
    settings.volumeUnit = "mL";
    calibration().setSettings(settings);
    // A duplicate and a check standard that pass, a spike recovered far beyond 120 %, blanks.
    const auto row = [](const char* name, const char* readings, const char* type = "",
                        const char* of = "") {
        calibration::Sample sample;
        sample.name = name;
        sample.readings = readings;
        sample.dilution = "2";
        sample.type = type;
        sample.of = of;
        return sample;
    };
    std::vector<calibration::Sample> rows = {row("地表水1", "9.0 9.2"),
                                             row("地表水1平行", "9.3", "duplicate", "地表水1"),
                                             row("加标", "12.0", "spike", "地表水1"),
                                             row("核查", "13.1", "check"),
                                             row("空白1", "2.1", "blank"),
                                             row("空白2", "2.2", "blank")};
    rows[2].added = "1";
    rows[3].nominal = "12";
    calibration().appendSamples(rows);

    const QString saved = dir.filePath(u"批次.lumetra"_qs);
    activateAnalysis();
    alerts.paths = {saved};
    QTest::keyClick(window(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(alerts.take(), std::vector<std::string>{"<file>保存标准曲线文件"});
    ASSERT_FALSE(calibration().isModified());
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());

    const QStringList pages = exported(dir.filePath(u"报告.pdf"_qs));
    ASSERT_GE(pages.size(), 2);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(
            pages[i].contains(QStringLiteral("第 %1 页 共 %2 页").arg(i + 1).arg(pages.size())))
            << i + 1;
        EXPECT_TRUE(pages[i].contains(u"批次.lumetra"_qs)) << i + 1;
    }
    for (const std::string* field :
         {&header.laboratory, &header.project, &header.method, &header.analyte, &header.instrument,
          &header.instrumentNumber, &header.wavelength, &header.pathLength, &header.analysisDate,
          &header.analyst, &header.reviewer, &header.approver}) {
        EXPECT_TRUE(simplified(pages[0]).contains(QString::fromStdString(*field))) << *field;
    }
    const QString text = simplified(pages.join(u' '));
    for (const char* pattern :
         {"Lumetra \\d+\\.\\d+\\.\\d+ "
          "生成时间：\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d",
          "R² = 0\\.99\\d+ r = 0\\.99\\d+"}) {
        EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8(pattern)))) << pattern;
    }
    const calibration::Results results = calibration().results();
    std::vector<QString> expected = {
        // Where the paper comes from, the model with the exclusion's reason.
        u"SHA-256："_qs + hash, u"直线，不加权，排除1点（第4点：读数漂移）"_qs,
        u"排除：读数漂移"_qs,
        // The equation in the laboratory's letters, to four significant digits in the plot and
        // with every digit in the text. Without (6, 12.6): Sxx = 112, Sxy = 216.2, so
        // b = 1.93035714285714..., a = 79.1/6 - 6 b = 1.60119047619047...
        u"A = 1.601 + 1.930·C"_qs, u"A = 1.60119047619047"_qs, u" + 1.93035714285714"_qs,
        // Units: absorbance, absorbance per concentration, the curve's unit, the reporting unit.
        u"斜率 b"_qs, u"A/(mg/L)"_qs, u"浓度 C (mg/L)"_qs, u"x0(mg/L)"_qs, u"(mg/kg)"_qs,
        u"结果单位：mg/kg"_qs, u"V = 25 mL"_qs,
        // The summary, and the signature lines at the end.
        u"分析：______ 日期：______"_qs, u"校核：______ 日期：______"_qs,
        u"审核：______ 日期：______"_qs};
    expected.push_back(io::fromDocument(calibration::render(results.batch.summary)));
    // Every verdict: the validation's in words, and each acceptance rule's.
    for (const analysis::ValidationRow& v :
         analysis::validationRows(calibration().document(), results)) {
        expected.push_back(v.verdict.isEmpty() ? v.reason : v.verdict);
    }
    int failed = 0;
    for (const calibration::SampleResult& sample : results.samples) {
        for (const calibration::QualityCheck& qc : sample.checks) {
            if (qc.pass && std::string_view(qc.rule) != "blank") {
                expected.push_back((*qc.pass ? u"通过："_qs : u"未通过："_qs) +
                                   io::fromDocument(calibration::render(qc.verdict)));
                failed += *qc.pass ? 0 : 1;
            }
        }
    }
    EXPECT_EQ(failed, 1) << "the spike";
    // A cell's text wraps, so blanks and line ends are not compared.
    const QString packed = pdfPages(dir.filePath(u"报告.pdf"_qs), false)
                               .join(QString())
                               .remove(QRegularExpression(u"\\s"_qs));
    for (const QString& e : expected) {
        EXPECT_TRUE(packed.contains(QString(e).remove(u' '))) << e.toStdString();
    }
    EXPECT_FALSE(text.contains(u"未保存"_qs));

    // A change not saved: the paper says so instead of a hash.
    calibration().editSample(0, analysis::SampleField::Readings, "9.0 9.3");
    const QString unsaved = simplified(exported(dir.filePath(u"未保存.pdf"_qs)).join(u' '));
    EXPECT_TRUE(unsaved.contains(u"SHA-256：未保存"_qs));
    EXPECT_FALSE(unsaved.contains(hash));
}

TEST_F(ReportTest, ThreeHundredSamplesPrintEveryRowWithTheHeaderOnEachPage) {
    fitWithExclusion();
    std::vector<calibration::Sample> rows;
    for (int i = 1; i <= 300; ++i) {
        calibration::Sample sample;
        sample.name = QStringLiteral("S%1").arg(i, 3, 10, QChar(u'0')).toStdString();
        sample.readings = QString::number(3 + i * 0.07, 'f', 3).toStdString();
        rows.push_back(sample);
    }
    calibration().appendSamples(rows);
    const QStringList pages = exported(dir.filePath(u"300.pdf"_qs));
    const calibration::Results results = calibration().results();

    // Each row on one line: its number, name, readings and result.
    const QString text = pages.join(u'\n');
    for (const int number : {1, 150, 300}) {
        const calibration::SampleResult& result = results.samples[std::size_t(number - 1)];
        const QString line = QStringLiteral("%1 S%2 样品 %3")
                                 .arg(number)
                                 .arg(number, 3, 10, QChar(u'0'))
                                 .arg(io::fromDocument(rows[std::size_t(number - 1)].readings));
        const qsizetype at = simplified(text).indexOf(line);
        ASSERT_GE(at, 0) << line.toStdString();
        EXPECT_TRUE(simplified(text).mid(at, 200).contains(io::fromDocument(result.resultText)))
            << number;
    }
    // From the page where the results begin to the last with a row, the header leads each page.
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (pages[i].contains(u"样品结果"_qs)) {
            first = i;
        }
        if (first >= 0 && pages[i].contains(QRegularExpression(u" S\\d{3} "_qs))) {
            last = i;
        }
    }
    ASSERT_GE(first, 0);
    ASSERT_GE(last - first, 3) << "several pages of samples";
    for (qsizetype i = first; i <= last; ++i) {
        EXPECT_TRUE(simplified(pages[i]).contains(u"序号 名称 类型 读数 A"_qs)) << i + 1;
    }
    int printed = 0;
    for (int i = 1; i <= 300; ++i) {
        printed += text.contains(QStringLiteral(" S%1 ").arg(i, 3, 10, QChar(u'0'))) ? 1 : 0;
    }
    EXPECT_EQ(printed, 300);
    // No analysis date given: the day the document was created.
    const QString created = io::fromDocument(calibration().document().created);
    ASSERT_FALSE(created.isEmpty());
    EXPECT_TRUE(simplified(pages[0]).contains(u"分析日期： "_qs + created))
        << pages[0].toStdString();
}

// A batch run with a method: the method's name and hash on the first page, its rounding and
// limit in the record, a rule that cannot be judged said so in its row and in the summary, the
// application in the history appendix.
TEST_F(ReportTest, MethodAndWhatCannotBeJudgedReachThePaper) {
    fitWithExclusion();
    calibration::Method method;
    method.name = "HJ 535-2009 氨氮";
    method.sha256 = std::string(64, 'c');
    method.settings.rounding = calibration::Rounding::Switch;
    method.settings.limit = calibration::ReportedLimit::Mdl;
    method.settingKeys = {"rounding", "limit"};
    method.validated.mdl = 0.25;
    calibration().applyMethod(method);
    calibration::Sample sample, spike;
    sample.name = "S1";
    sample.readings = "9.0";
    spike.name = "P1";
    spike.readings = "12.0";
    spike.type = "spike";
    spike.of = "S1";
    calibration().appendSamples({sample, spike});
    window()->findChild<QAction*>(u"reportHistory"_qs)->setChecked(true);

    // A line may wrap anywhere: blanks and line ends are not compared.
    const QString text = exported(dir.filePath(u"方法.pdf"_qs))
                             .join(QString())
                             .remove(QRegularExpression(u"\\s"_qs));
    for (const QString& expected :
         {u"方法：HJ 535-2009 氨氮"_qs, u"方法文件 SHA-256："_qs + QString(64, u'c'),
          u"未判定：缺少加标量"_qs, u"低于 1 时2位小数，不低于 1 时3位有效数字"_qs,
          u"MDL（来自方法验证）"_qs, u"1项未判定"_qs, u"应用方法 \"HJ 535-2009 氨氮\""_qs}) {
        EXPECT_TRUE(text.contains(QString(expected).remove(u' '))) << expected.toStdString();
    }
    EXPECT_FALSE(text.contains(u"全部通过"_qs));
}

// With the blank correction the samples are read from the corrected curve at their corrected
// absorbance: there they are drawn, on the curve, in the window, the saved image and the PDF,
// whose vertical axis says "校正吸光度".
TEST_F(ReportTest, BlankCorrectedSamplesSitOnTheCorrectedCurve) {
    calibration::Document d;
    d.unit = "mg/L";
    for (const auto& [c, a] :
         {std::pair{"0", "0.012"}, std::pair{"0", "0.013"}, std::pair{"1", "0.112"},
          std::pair{"2", "0.212"}, std::pair{"4", "0.412"}}) {
        d.standards.push_back({c, a, false, {}});
    }
    const auto row = [](const char* name, const char* readings, const char* type) {
        calibration::Sample sample;
        sample.name = name;
        sample.readings = readings;
        sample.type = type;
        return sample;
    };
    d.samples = {row("空白", "0.014 0.016", "blank"), row("S1", "0.262", ""),
                 row("S2", "0.371 0.373", "")};
    calibration().replaceDocument(d, QString(), false);
    activateAnalysis();
    window()->findChild<QTabWidget*>()->setCurrentWidget(in(window(), u"samplesTab"_qs));
    QTest::mouseClick(in(window(), u"blankCorrection"_qs), Qt::LeftButton);
    ASSERT_TRUE(calibration().document().settings.blankCorrection);
    window()->setCurrentSample(0.262);

    const double blank = *calibration().batch().blankA;
    EXPECT_DOUBLE_EQ(blank, 0.015);
    const auto onTheCurve = [&](const analysis::PlotData& plot) {
        EXPECT_EQ(plot.yTitle, u"校正吸光度"_qs);
        ASSERT_EQ(plot.samples.size(), 3u);
        for (const analysis::PlotSample& s : plot.samples) {
            EXPECT_NEAR(s.absorbance, plot.a + plot.b * s.concentration, 1e-12)
                << s.concentration << " drawn off the curve";
        }
        EXPECT_NEAR(plot.samples[1].absorbance, 0.262 - blank, 1e-15);
    };
    const analysis::PlotData shown =
        in<analysis::PlotWidget>(window(), u"calibrationPlot"_qs)->data();
    onTheCurve(shown);
    ASSERT_TRUE(shown.current.has_value());
    EXPECT_NEAR(shown.current->absorbance, 0.262 - blank, 1e-15) << "the main window's sample";
    onTheCurve(window()->reportContent().plot);

    // The image and the PDF name the axis as the window does.
    alerts.paths = {dir.filePath(u"曲线.svg"_qs)};
    window()->saveImage();
    QFile svg(dir.filePath(u"曲线.svg"_qs));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(svg.readAll()).contains(u"校正吸光度"_qs));
    alerts.take();
    EXPECT_TRUE(exported(dir.filePath(u"校正.pdf"_qs)).join(u' ').contains(u"校正吸光度"_qs));

    // Without the correction the axis is the absorbance as measured.
    QTest::mouseClick(in(window(), u"blankCorrection"_qs), Qt::LeftButton);
    EXPECT_EQ(window()->plotData().yTitle, u"吸光度 A"_qs);
}

// The signature lines keep the summary of the checks above them on their page: they never start a
// page alone, also where the rows end just at a page's foot (34 to 38 rows here).
TEST_F(ReportTest, SignaturesNeverStandAloneOnAPage) {
    fitWithExclusion();
    for (int count = 1; count <= 40; ++count) {
        calibration::Sample sample;
        sample.name = QStringLiteral("S%1").arg(count).toStdString();
        sample.readings = QString::number(3 + count * 0.3, 'f', 2).toStdString();
        calibration().appendSamples({sample});
        if (count < 32) {
            continue;
        }
        SCOPED_TRACE(count);
        const QStringList pages = exported(dir.filePath(u"签名.pdf"_qs));
        const QString summary =
            io::fromDocument(calibration::render(calibration().batch().summary));
        qsizetype signed_ = -1;
        for (qsizetype i = 0; i < pages.size(); ++i) {
            if (pages[i].contains(u"分析：______"_qs)) {
                signed_ = i;
            }
        }
        ASSERT_GE(signed_, 0);
        EXPECT_TRUE(simplified(pages[signed_]).contains(summary));
        EXPECT_TRUE(pages[signed_].contains(u"审核：______"_qs));
    }
}

TEST_F(ReportTest, FailedExportSaysSoAndLeavesTheOldFile) {
    fit(kX, kY);
    const QString existing = dir.filePath(u"old.pdf"_qs);
    const QByteArray old = "an earlier report";
    struct Case {
        const char* name;
        QString path;
        rlim_t fileSizeLimit; // RLIM_INFINITY: no limit
    };
    const Case cases[] = {
        {"a folder that does not exist", dir.filePath(u"missing/report.pdf"_qs), RLIM_INFINITY},
        {"the disk full while the old file is replaced", existing, 4096},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QFile file(existing);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        alerts.paths = {c.path};
        // Writing past the size limit fails with EFBIG instead of ending the process.
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{c.fileSizeLimit, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
        window()->exportPdf();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        const auto events = alerts.take();
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[1].rfind("PDF导出失败：", 0), 0u) << events[1];
        EXPECT_GT(events[1].size(), std::string("PDF导出失败：").size());
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), old);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"old.pdf"_qs});
    }
}

// A text taller than a page (the analyst, a sample's name, an exclusion's reason of 60 000
// characters) is printed to the foot of a page and cut there with a note of its length; what
// follows it is printed whole, and a text that fits a page is not cut.
TEST_F(ReportTest, TextsTallerThanAPageAreCutWithANoteAndTheRecordGoesOn) {
    fitWithExclusion();
    QString longText;
    while (longText.size() < 60000) {
        longText += u"长文本abcdefg"_qs; // 10 characters
    }
    const std::string text = longText.toStdString();
    calibration::ReportHeader header;
    header.analyst = text;
    header.reviewer = std::string(300, 'r'); // a few lines, not cut
    calibration().setHeader(header);
    calibration().setExcluded(3, true, text);
    std::vector<calibration::Sample> rows(3);
    rows[0].name = "S-before";
    rows[0].readings = "5.0";
    rows[1].name = text;
    rows[1].readings = "6.0";
    rows[2].name = "S-after";
    rows[2].readings = "7.0";
    calibration().appendSamples(rows);

    const QStringList pages = exported(dir.filePath(u"long.pdf"_qs));
    // A cell's lines follow each other without -layout.
    const QString packed = pdfPages(dir.filePath(u"long.pdf"_qs), false)
                               .join(QString())
                               .remove(QRegularExpression(u"\\s"_qs));
    // The analyst and the sample's name; the standard's status "排除：…" and the model line, which
    // carry the reason with words around it.
    EXPECT_EQ(packed.count(u"……（以下从略：全文共60000个字符，见数据文件）"_qs), 2);
    EXPECT_EQ(packed.count(u"……（以下从略：全文共60003个字符，见数据文件）"_qs), 1);
    EXPECT_EQ(packed.count(u"（以下从略"_qs), 4);
    EXPECT_LE(pages.size(), 12);
    EXPECT_TRUE(packed.contains(u"长文本abcdefg长文本abcdefg"_qs));
    EXPECT_TRUE(packed.contains(QString::fromStdString(header.reviewer)));
    for (const QString& name : {u"S-before"_qs, u"S-after"_qs, u"审核：______日期：______"_qs}) {
        EXPECT_TRUE(packed.contains(name)) << name.toStdString();
    }
    for (qsizetype i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(
            pages[i].contains(QStringLiteral("第 %1 页 共 %2 页").arg(i + 1).arg(pages.size())))
            << i + 1;
    }
}

} // namespace

// A standard addition reaches the paper with x_E and s(x_E) after the line's statistics.
TEST_F(ReportTest, StandardAdditionPrintsItsResult) {
    in<QComboBox>(main(), u"Combo1"_qs)->setEditText(u"mg/L"_qs);
    fit(kX, kY);
    calibration::Settings settings = calibration().document().settings;
    settings.calibration = calibration::CalibrationType::Addition;
    calibration().setSettings(settings);
    ASSERT_TRUE(calibration().results().addition.xE);
    const QString xE = analysis::readable(calibration().results().addition.xE);
    const QString text = simplified(exported(dir.filePath(u"addition.pdf"_qs)).join(QString()));
    EXPECT_TRUE(text.contains(u"x_E "_qs + xE)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"s(x_E)"_qs));
}

namespace {

// With a way of uncertainty chosen the results carry U, the batch's lines the way and the budget
// of the typical sample: the same figures as the window and the command line.
TEST_F(ReportTest, UncertaintyColumnWayAndTypicalBudget) {
    fitWithExclusion();
    calibration::Settings settings = calibration().document().settings;
    settings.uncertainty.way = calibration::UncertaintyWay::BottomUp;
    settings.uncertainty.volume = calibration::RelativeComponent{0.01, std::nullopt};
    settings.limit = calibration::ReportedLimit::Mdl;
    calibration().setSettings(settings);
    calibration::Sample low, mid, high;
    low.name = "S1";
    low.readings = "6.0";
    mid.name = "S2";
    mid.readings = "9.0";
    high.name = "S3";
    high.readings = "15.0";
    calibration().appendSamples({low, mid, high});
    const auto& u = calibration().sampleResults()[1].uncertainty;
    ASSERT_TRUE(u && u->value);

    const QString text = exported(dir.filePath(u"不确定度.pdf"_qs))
                             .join(QString())
                             .remove(QRegularExpression(u"\\s"_qs));
    const QString expandedText = QString::fromStdString(u->value->expandedText);
    for (const QString& expected :
         {u"结果U质控"_qs, u"(k=2)"_qs, u"S2样品9.019.03.832873.83"_qs + expandedText,
          u"测量不确定度：自下而上评定"_qs, u"典型样品“S2”的不确定度评定：校准曲线"_qs,
          u"取样体积1%（1%；占"_qs, u"U="_qs + expandedText + u"mg/L"_qs}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
    }
}

} // namespace
