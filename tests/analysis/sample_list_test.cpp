// The sample list of the analysis window through real widgets: the rows the main window adds,
// pasted blocks, the flags at their boundaries, the list across fits and clears, deleting and
// emptying it, and the copied sample lines against an independent computation.

#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "calibration/results.h"
#include "tests/analysis/analysis_window_fixture.h"

#include <QClipboard>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

using analysis::SampleListModel;
using analysis_test::kX;
using analysis_test::kY;

QString chineseFlags(const QString& keys) {
    static const std::map<QString, QString> kChinese{{u"out_of_range"_qs, u"超出线性范围"_qs},
                                                     {u"below_lod"_qs, u"低于检出限"_qs},
                                                     {u"below_loq"_qs, u"低于定量限"_qs}};
    QStringList words;
    for (const QString& key : keys.split(u',', Qt::SkipEmptyParts)) {
        words << kChinese.at(key);
    }
    return words.join(u"、"_qs);
}

// A figure as the copy writes it: the result's double read back, or empty where it has none.
void expectFigure(const QString& cell, std::optional<double> value, const char* key) {
    if (!value) {
        EXPECT_EQ(cell, QString()) << key;
        return;
    }
    bool ok = false;
    EXPECT_EQ(cell.toDouble(&ok), *value) << key << " \"" << cell.toStdString() << '"';
    EXPECT_TRUE(ok) << key;
}

QString flagKeys(const calibration::SampleFlags& flags) {
    QStringList keys;
    for (const auto& [set, key] : {std::pair{flags.outOfRange, u"out_of_range"_qs},
                                   {flags.belowLod, u"below_lod"_qs},
                                   {flags.belowLoq, u"below_loq"_qs}}) {
        if (set) {
            keys << key;
        }
    }
    return keys.join(u',');
}

using SampleLine = std::map<QString, QString>;

class SampleListTest : public analysis_test::AnalysisWindowTest {
public:
    void SetUp() override {
        AnalysisWindowTest::SetUp();
        window()->open();
        window()->findChild<QTabWidget*>()->setCurrentIndex(1);
    }

    SampleListModel& model() { return window()->samples(); }
    analysis::SampleTable& table() { return window()->sampleTable(); }

    QString cell(int row, int field, int role = Qt::DisplayRole) {
        return analysis::fieldIndex(model(), row, field).data(role).toString();
    }

    void paste(const QString& block) {
        QApplication::clipboard()->setText(block);
        QTest::keyClick(&table(), Qt::Key_V, Qt::ControlModifier);
    }

    // Computes a sample in the main window and empties its sample box again; the result it showed.
    QString mainWindowSample(const QString& absorbance) {
        sample(absorbance);
        const QString result = in<QLineEdit>(main(), u"Text8"_qs)->text();
        QTest::mouseClick(in(main(), u"Command8"_qs), Qt::LeftButton);
        return result;
    }

    // The sample lines of "复制结果", by key.
    std::vector<SampleLine> copiedSamples() {
        QApplication::clipboard()->clear();
        QTest::mouseClick(in(window(), u"copyResults"_qs), Qt::LeftButton);
        const QStringList blocks = QApplication::clipboard()->text().split(u"\n\n"_qs);
        // The calibration's fields, the validation's, the standards, the samples.
        EXPECT_EQ(blocks.size(), 4);
        QStringList lines = blocks.value(3).split(u'\n', Qt::SkipEmptyParts);
        const QStringList keys = lines.isEmpty() ? QStringList() : lines.takeFirst().split(u'\t');
        EXPECT_EQ(keys.join(u' '),
                  u"name readings m mean_A dilution x0 s_x0 ci95_x0 ci_x0 flags type of added "
                  u"nominal certified u result result_text mean_result mean_result_text "
                  u"result_unit qc qc_pass below_limit error"_qs);
        std::vector<SampleLine> samples;
        for (const QString& line : lines) {
            const QStringList cells = line.split(u'\t');
            EXPECT_EQ(cells.size(), keys.size()) << line.toStdString();
            SampleLine sample;
            for (qsizetype i = 0; i < keys.size(); ++i) {
                sample[keys[i]] = cells.value(i);
            }
            samples.push_back(sample);
        }
        return samples;
    }

    // Every row of the list shows the results of the document as it stands, evaluated afresh,
    // through the copied text and the flags column (the figures themselves are evaluate()'s,
    // tested against __float128 in tests/calibration).
    void expectRowsShowTheirResults() {
        const std::vector<SampleLine> copied = copiedSamples();
        const std::vector<calibration::SampleResult> results =
            calibration::evaluate(calibration().document()).samples;
        ASSERT_EQ(int(copied.size()), model().rowCount());
        ASSERT_EQ(copied.size(), results.size());
        for (int row = 0; row < model().rowCount(); ++row) {
            SCOPED_TRACE(cell(row, SampleListModel::Name).toStdString());
            const SampleLine& c = copied[std::size_t(row)];
            const calibration::SampleResult& r = results[std::size_t(row)];
            const analysis_test::SampleEntry entry = entries()[std::size_t(row)];
            // A name never splits a cell: its tab is copied as a blank.
            EXPECT_EQ(c.at(u"name"_qs), QString(entry.name).replace(u'\t', u' '));
            EXPECT_EQ(c.at(u"m"_qs), QString::number(r.m));
            expectFigure(c.at(u"mean_A"_qs), r.meanA, "mean_A");
            expectFigure(c.at(u"x0"_qs), r.x0.value, "x0");
            expectFigure(c.at(u"s_x0"_qs), r.sX0.value, "s_x0");
            expectFigure(c.at(u"ci95_x0"_qs), r.ci95.value, "ci95_x0");
            expectFigure(c.at(u"ci_x0"_qs), r.ci.value, "ci_x0");
            EXPECT_EQ(c.at(u"error"_qs), QString());
            EXPECT_EQ(c.at(u"flags"_qs), flagKeys(r.flags));
            EXPECT_EQ(cell(row, SampleListModel::Flags), chineseFlags(flagKeys(r.flags)));
        }
    }
};

TEST_F(SampleListTest, EverySampleOfTheMainWindowBecomesARowWithItsResult) {
    fit(kX, kY);
    const double b = curve().fit->b;
    const QString absorbances[] = {u"2.9"_qs, u"13.5"_qs, u"20"_qs};
    QStringList results;
    for (const QString& a : absorbances) {
        results << mainWindowSample(a);
    }
    // Emptying the sample box removed none of them.
    ASSERT_EQ(model().rowCount(), 3);
    const std::vector<SampleLine> copied = copiedSamples();
    ASSERT_EQ(copied.size(), 3u);
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(cell(row, SampleListModel::Name), QStringLiteral("样品 %1").arg(row + 1));
        EXPECT_EQ(cell(row, SampleListModel::Readings), absorbances[row]);
        EXPECT_EQ(cell(row, SampleListModel::Dilution), u"1"_qs);
        EXPECT_EQ(cell(row, SampleListModel::Count), u"1"_qs);
        EXPECT_EQ(cell(row, SampleListModel::MainResult), results[row]);

        // The list's x0 is the unrounded line's; the main window's differs from it only by its
        // coefficients floored to four decimals.
        const double x0 = copied[std::size_t(row)].at(u"x0"_qs).toDouble();
        EXPECT_EQ(x0, *calibration().sampleResults()[std::size_t(row)].x0.value);
        const double floored = results[row].trimmed().toDouble();
        const double bound = (1e-4 + std::fabs(x0) * 1e-4) / (b - 1e-4);
        EXPECT_LE(std::fabs(floored - x0), bound) << results[row].toStdString();
        EXPECT_NE(floored, x0);
    }
    // The published example: a reading of 2.9 gives x0 = 0.72 with s(x0) = 0.26.
    EXPECT_NEAR(copied[0].at(u"x0"_qs).toDouble(), 0.72, 0.005);
    EXPECT_NEAR(copied[0].at(u"s_x0"_qs).toDouble(), 0.26, 0.005);
    EXPECT_TRUE(alerts.take().empty());
}

TEST_F(SampleListTest, PastedBlocksAddOneRowPerLineAndMarkTheCellsThatAreNoNumbers) {
    fit(kX, kY);
    // As a spreadsheet copies a range with its header: CRLF, tabs, some names and dilutions empty.
    QString block = u"名称\t读数\t稀释倍数\r\n"_qs;
    std::vector<io::Sample> typed;
    for (int i = 0; i < 100; ++i) {
        io::Sample s;
        s.readings = QStringLiteral("%1.%2").arg(3 + i % 20).arg(i % 10);
        if (i % 4 == 0) {
            block += s.readings;
        } else {
            s.name = i % 4 == 1 ? QString() : QStringLiteral("P%1").arg(i);
            s.readings += QStringLiteral(" %1.5").arg(3 + i % 20);
            s.dilution = i % 4 == 3 ? QStringLiteral("%1").arg(i) : QString();
            block += s.name + u'\t' + s.readings + u'\t' + s.dilution;
        }
        block += u"\r\n"_qs;
        typed.push_back(s);
    }
    paste(block);
    ASSERT_EQ(model().rowCount(), 100);
    for (int row = 0; row < 100; ++row) {
        SCOPED_TRACE(row);
        const io::Sample& s = typed[std::size_t(row)];
        EXPECT_EQ(cell(row, SampleListModel::Name), s.name);
        EXPECT_EQ(cell(row, SampleListModel::Readings), s.readings);
        EXPECT_EQ(cell(row, SampleListModel::Dilution),
                  s.dilution.isEmpty() ? u"1"_qs : s.dilution);
        EXPECT_FALSE(cell(row, SampleListModel::X0).isEmpty());
    }
    calibration().clearSamples();

    struct Case {
        const char* name;
        QString line;
        int badColumn; // -1: a good row
        QString reason;
    };
    const Case cases[] = {
        {"a column of readings", u"0.512"_qs, -1, {}},
        {"a reading with a letter", u"B\t0.5x 0.6\t2"_qs, SampleListModel::Readings,
         u"读数 \"0.5x\" 不是数字"_qs},
        {"name and readings, no dilution", u"C\t0.7 0.8"_qs, -1, {}},
        {"a zero dilution", u"D\t0.6\t0"_qs, SampleListModel::Dilution,
         u"稀释倍数 \"0\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"_qs},
        {"a dilution below the normal doubles", u"D2\t0.6\t1e-320"_qs, SampleListModel::Dilution,
         u"稀释倍数 \"1e-320\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"_qs},
        {"no reading", u"E\t\t3"_qs, SampleListModel::Readings, u"没有读数"_qs},
        {"eleven readings", u"F\t1 2 3 4 5 6 7 8 9 10 11\t1"_qs, SampleListModel::Readings,
         u"读数有11个，最多10个"_qs},
        {"a dilution that is no number", u"G\t0.5\tx"_qs, SampleListModel::Dilution,
         u"稀释倍数 \"x\" 不是数字"_qs},
        {"a decimal comma", u"H\t0,55\t1,5"_qs, -1, {}},
    };
    QStringList lines;
    for (const Case& c : cases) {
        lines << c.line;
    }
    paste(lines.join(u'\n'));
    ASSERT_EQ(model().rowCount(), int(std::size(cases)));
    for (int row = 0; row < model().rowCount(); ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.name);
        for (int column : {int(SampleListModel::Readings), int(SampleListModel::Dilution)}) {
            const bool bad = column == c.badColumn;
            EXPECT_EQ(analysis::fieldIndex(model(), row, column).data(Qt::BackgroundRole).isValid(),
                      bad);
            EXPECT_EQ(cell(row, column, Qt::ToolTipRole), bad ? c.reason : QString());
        }
        EXPECT_EQ(cell(row, SampleListModel::X0).isEmpty(), c.badColumn >= 0);
        EXPECT_EQ(cell(row, SampleListModel::X0, Qt::ToolTipRole), c.reason);
    }
    EXPECT_EQ(cell(8, SampleListModel::MeanA), u"0.55"_qs);
    EXPECT_EQ(cell(8, SampleListModel::Dilution), u"1.5"_qs);
    // The copy keeps a row that is not numbers as typed, with its reason.
    const std::vector<SampleLine> copied = copiedSamples();
    ASSERT_EQ(copied.size(), std::size(cases));
    for (std::size_t row = 0; row < copied.size(); ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(copied[row].at(u"error"_qs), c.reason);
        if (c.badColumn >= 0) {
            EXPECT_EQ(copied[row].at(u"readings"_qs), c.line.section(u'\t', 1, 1));
            EXPECT_EQ(copied[row].at(u"dilution"_qs), c.line.section(u'\t', 2, 2));
            EXPECT_EQ(copied[row].at(u"x0"_qs), QString());
        }
    }
    EXPECT_TRUE(alerts.take().empty());

    // A line of twelve cells cannot be told apart: the block is refused whole, with the reason.
    paste(u"I\t0.5\t1\r\nJ\t0.6\t1\tzu\t\t\t\t\t\tu\t1\t2\r\n"_qs);
    EXPECT_EQ(model().rowCount(), int(std::size(cases)));
    const auto events = alerts.take();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0],
              "粘贴失败：第2行：有12列，最多11列（名称、读数、稀释倍数、类型、所指样品、加标量、"
              "标称浓度、标准值、不确定度U、内标响应、内标浓度）");
    // No file is involved: the paste is told what its text holds.
    paste(u"I\t0.5\t1\r\nJ\t0.6\a\t1\r\n"_qs);
    EXPECT_EQ(model().rowCount(), int(std::size(cases)));
    EXPECT_EQ(alerts.take(), std::vector<std::string>{"粘贴失败：第2行：含有控制字符 \\u0007"});
}

TEST_F(SampleListTest, ReplicatesAndDilutionsShowTheirResults) {
    fit(kX, kY);
    paste(u"2.9\n"
          "重复\t5.1 5.3 5.2\n"
          "稀释\t13.5\t2.5\n"
          "重复稀释\t8.02  8.11 7.95 8.07\t10\n"
          "十次\t12 12.1 12.2 11.9 11.8 12.05 12.15 11.95 12.02 11.98\t1\n"
          "\"tab\tin name\"\t23.9 25.3\t0.5\n"_qs);
    ASSERT_EQ(model().rowCount(), 6);
    expectRowsShowTheirResults();
    const std::vector<SampleLine> copied = copiedSamples();
    EXPECT_EQ(copied[3].at(u"readings"_qs), u"8.02 8.11 7.95 8.07"_qs);
    EXPECT_EQ(copied[3].at(u"dilution"_qs), u"10"_qs);
    EXPECT_EQ(copied[4].at(u"m"_qs), u"10"_qs);
    EXPECT_EQ(cell(1, SampleListModel::Count), u"3"_qs);
    // Diluted 2.5 times: x0 and its uncertainty scale, the reading's own x0 does not change.
    EXPECT_NEAR(copied[2].at(u"x0"_qs).toDouble(),
                2.5 * (13.5 - 1.5178571428571428) / 1.9303571428571428, 1e-12);
}

TEST_F(SampleListTest, EachFlagAtItsBoundary) {
    fit(kX, kY);
    // Lowest standard 2.1, highest 24.7; x0 = LOD = 0.73996538 at A = 2.94625460 and
    // x0 = LOQ = 2.24231933 at A = 5.84633428 (the readings below sit 2e-9 to 5e-8 from them).
    struct Case {
        const char* name;
        QString readings;
        QString dilution;
        QString flags;
    };
    const Case cases[] = {
        {"on the lowest standard", u"2.1"_qs, {}, u"below_lod,below_loq"_qs},
        {"just below the lowest standard",
         u"2.0999999"_qs,
         {},
         u"out_of_range,below_lod,below_loq"_qs},
        {"on the highest standard", u"24.7"_qs, {}, {}},
        {"just above the highest standard", u"24.7000001"_qs, {}, u"out_of_range"_qs},
        {"just below the LOD", u"2.9462545"_qs, {}, u"below_lod,below_loq"_qs},
        {"just above the LOD", u"2.9462546"_qs, {}, u"below_loq"_qs},
        {"just below the LOQ", u"5.8463342"_qs, {}, u"below_loq"_qs},
        {"just above the LOQ", u"5.8463343"_qs, {}, {}},
        {"below the LOD, diluted above the LOQ", u"2.9462545"_qs, u"10"_qs,
         u"below_lod,below_loq"_qs},
        {"above the LOD, diluted above the LOQ", u"2.9462546"_qs, u"10"_qs, u"below_loq"_qs},
        {"mean of two inside, one reading outside", u"2.0 2.4"_qs, {}, u"below_lod,below_loq"_qs},
    };
    QStringList lines;
    for (const Case& c : cases) {
        lines << QString::fromUtf8(c.name) + u'\t' + c.readings + u'\t' + c.dilution;
    }
    paste(lines.join(u'\n'));
    ASSERT_EQ(model().rowCount(), int(std::size(cases)));
    const std::vector<SampleLine> copied = copiedSamples();
    const std::vector<analysis::PlotSample> plotted = window()->plotData().samples;
    ASSERT_EQ(copied.size(), std::size(cases));
    ASSERT_EQ(plotted.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(copied[i].at(u"flags"_qs), c.flags);
        EXPECT_EQ(cell(int(i), SampleListModel::Flags), chineseFlags(c.flags));
        // A flagged sample is drawn in the warning colour, where the measured solution lies.
        EXPECT_EQ(plotted[i].flagged, !c.flags.isEmpty());
        EXPECT_NEAR(plotted[i].absorbance, copied[i].at(u"mean_A"_qs).toDouble(), 1e-12);
    }
}

// The quality cell lists each rule's verdict and says why one cannot be judged; the summary line
// counts it, and never reads "all passed" then.
TEST_F(SampleListTest, QualityCellsSayWhatCannotBeJudged) {
    fit(kX, kY);
    paste(u"S1\t9.0\t\t\t\nD1\t9.1\t\tduplicate\tS1\nP1\t12.0\t\tspike\tS1\n"_qs);
    ASSERT_EQ(model().rowCount(), 3);
    EXPECT_TRUE(cell(1, SampleListModel::Qc).startsWith(u"通过 "_qs));
    EXPECT_EQ(cell(2, SampleListModel::Qc), u"未判定"_qs);
    EXPECT_EQ(cell(2, SampleListModel::Qc, Qt::ToolTipRole), u"未判定：缺少加标量"_qs);
    // The sample reports the mean with its passing duplicate.
    EXPECT_TRUE(cell(0, SampleListModel::Result).endsWith(u"（平行样均值）"_qs));
    const QLabel* summary = window()->findChild<QLabel*>(u"qcSummary"_qs);
    ASSERT_TRUE(summary);
    // The fluorescence curve's r of 0.998880 fails the default 0.999.
    EXPECT_EQ(summary->text(), u"质控：1项通过，1项未通过，1项未判定（校准曲线 r = 0.998880，"
                               u"要求r ≥ 0.999；\"P1\"：缺少加标量）"_qs);
}

// The rows follow the document's curve: the main window's 清零 leaves it, a new curve computes
// them again and empties the main window's results, which belong to the curve they were computed
// with; without standards the rows stay, empty, and say why.
TEST_F(SampleListTest, RowsFollowTheCurveAndTheMainWindowsResultBelongsToItsCurve) {
    fit(kX, kY);
    const QString mainResult = mainWindowSample(u"13.5"_qs);
    paste(u"A\t0.25\nB\t0.5 0.52\t5\nC\t3\n"_qs);
    ASSERT_EQ(model().rowCount(), 4);
    expectRowsShowTheirResults();

    const struct {
        const char* name;
        std::vector<QString> x, y;
        bool newCurve;
    } fits[] = {
        {"the same standards fitted again", kX, kY, false},
        {"the same values written otherwise",
         {u"0"_qs, u"2"_qs, u"4"_qs, u"6"_qs, u"8"_qs, u"10"_qs, u"12.0"_qs},
         {u"2.10"_qs, u"5.0"_qs, u"9.0"_qs, u"12.6"_qs, u"17.3"_qs, u"21.0"_qs, u"24.7"_qs},
         false},
        {"three standards",
         {u"1"_qs, u"2"_qs, u"4"_qs},
         {u"0.21"_qs, u"0.39"_qs, u"0.83"_qs},
         true},
        {"two standards", {u"1"_qs, u"3"_qs}, {u"0.2"_qs, u"0.8"_qs}, true},
    };
    for (const auto& f : fits) {
        SCOPED_TRACE(f.name);
        QTest::mouseClick(in(main(), u"command5"_qs), Qt::LeftButton);
        ASSERT_TRUE(curve().hasCurve()) << "the main window's 清零 keeps the document's curve";
        fit(f.x, f.y);
        ASSERT_TRUE(curve().hasCurve());
        expectRowsShowTheirResults();
        EXPECT_EQ(cell(0, SampleListModel::MainResult), f.newCurve ? QString() : mainResult);
        EXPECT_EQ(entries()[0].mainResult, f.newCurve ? QString() : mainResult);
        EXPECT_EQ(cell(0, SampleListModel::MainResult, Qt::ToolTipRole),
                  f.newCurve ? u"由之前的标准曲线计算"_qs : QString());
    }
    // With two standards only x0 and the range flag exist.
    EXPECT_EQ(cell(1, SampleListModel::Flags), QString());
    EXPECT_EQ(cell(3, SampleListModel::Flags), u"超出线性范围"_qs);
    for (int column : {int(SampleListModel::SX0), int(SampleListModel::CiX0)}) {
        EXPECT_EQ(cell(1, column), u"—"_qs);
        EXPECT_EQ(cell(1, column, Qt::ToolTipRole), u"至少需要3个标准点"_qs);
    }

    // Every standard deleted in the standards tab.
    auto* points = in<QTableView>(window(), u"points"_qs);
    points->selectAll();
    QTest::keyClick(points, Qt::Key_Delete);
    ASSERT_FALSE(curve().hasCurve());
    ASSERT_EQ(model().rowCount(), 4);
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        for (int column = SampleListModel::Count; column <= SampleListModel::Flags; ++column) {
            EXPECT_EQ(cell(row, column), QString()) << column;
            EXPECT_EQ(cell(row, column, Qt::ToolTipRole), u"尚未计算标准曲线"_qs) << column;
        }
    }
    EXPECT_EQ(cell(2, SampleListModel::Readings), u"0.5 0.52"_qs);
    EXPECT_TRUE(window()->plotData().samples.empty());
    EXPECT_TRUE(alerts.take().empty());
}

// A volume or factor that no result could be computed with is not taken: the box keeps the text
// typed, marked with the reason and the range accepted, and the document its value.
TEST_F(SampleListTest, AVolumeOrFactorNoResultCanBeComputedWithIsRefusedAndMarked) {
    fit(kX, kY);
    append({{u"S1"_qs, u"13.5"_qs, {}, {}}});
    auto* volume = in<QLineEdit>(window(), u"volume"_qs);
    auto* factor = in<QLineEdit>(window(), u"factor"_qs);
    auto* problem = in<QLabel>(window(), u"batchProblem"_qs);
    const auto type = [](QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    };
    const QString range = u" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"_qs;
    struct Case {
        const char* name;
        QLineEdit* box;
        QString text;
        QString reason; // "" when taken
    };
    const Case cases[] = {
        {"a volume taken", volume, u"50"_qs, {}},
        {"a volume of 0", volume, u"0"_qs, u"取样量 \"0\""_qs + range},
        {"a volume below the normal doubles", volume, u"1e-320"_qs,
         u"取样量 \"1e-320\""_qs + range},
        {"a negative factor", factor, u"-1"_qs, u"换算系数 \"-1\""_qs + range},
        {"a factor beyond the doubles", factor, u"1e400"_qs, u"换算系数 \"1e400\""_qs + range},
        {"a volume that is no number", volume, u"%1"_qs, u"取样量 \"%1\" 不是数字"_qs},
        {"a factor taken", factor, u"2"_qs, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const calibration::Settings before = calibration().document().settings;
        type(c.box, c.text);
        const calibration::Settings& now = calibration().document().settings;
        EXPECT_EQ(c.box->text(), c.text);
        EXPECT_EQ(c.box->toolTip(), c.reason);
        EXPECT_EQ(c.box->styleSheet().isEmpty(), c.reason.isEmpty());
        EXPECT_EQ(problem->text(), c.reason);
        if (c.reason.isEmpty()) {
            EXPECT_EQ(io::fromDocument(c.box == volume ? now.volume : now.factor), c.text);
        } else {
            EXPECT_EQ(now, before);
        }
        EXPECT_TRUE(calibration().batch().reportingProblem == std::nullopt);
        EXPECT_FALSE(cell(0, SampleListModel::Result).isEmpty());
        // A value that can be used takes the mark away.
        type(c.box, c.box == volume ? u"50"_qs : u"2"_qs);
        EXPECT_EQ(c.box->toolTip(), QString());
        EXPECT_EQ(problem->text(), QString());
    }
    EXPECT_TRUE(alerts.take().empty());
}

TEST_F(SampleListTest, DeleteRemovesTheSelectedRowsAndClearingTheListAsksFirst) {
    fit(kX, kY);
    mainWindowSample(u"2.9"_qs);
    paste(u"样品 7\t3\nx\t4\n"_qs);
    mainWindowSample(u"13.5"_qs);
    EXPECT_EQ(cell(3, SampleListModel::Name), u"样品 8"_qs);

    const auto centre = [&](int row) { return table().visualRect(model().index(row, 0)).center(); };
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, centre(0));
    QTest::mouseClick(table().viewport(), Qt::LeftButton, Qt::ControlModifier, centre(2));
    QTest::keyClick(&table(), Qt::Key_Delete);
    ASSERT_EQ(model().rowCount(), 2);
    EXPECT_EQ(cell(0, SampleListModel::Name), u"样品 7"_qs);
    EXPECT_EQ(cell(1, SampleListModel::Name), u"样品 8"_qs);

    auto* clear = in<QPushButton>(window(), u"clearSamples"_qs);
    EXPECT_EQ(clear->text(), u"清空列表"_qs);
    alerts.answers = {false, true};
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_EQ(model().rowCount(), 2);
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_EQ(model().rowCount(), 0);
    const std::string question =
        std::string(test::RecordingPrompts::kAsk) + "清空样品列表中的全部2个样品？";
    EXPECT_EQ(alerts.take(), (std::vector<std::string>{question, question}));

    // Numbering starts again with the emptied list.
    mainWindowSample(u"20"_qs);
    EXPECT_EQ(cell(0, SampleListModel::Name), u"样品 1"_qs);
}

} // namespace
