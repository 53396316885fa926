// A day's batch worked in the analysis window of a maximised 1280 x 800 screen: the names in view
// while the table scrolls sideways, twenty rows and more with the plots folded away, units in the
// headers and the quality cells, whole texts in the tooltips of cut cells, the curve's unit and
// the batch's settings typed in the window, and figures written as people read them.

#include "analysis/plot_widget.h"
#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "analysis/standards_table.h"
#include "tests/analysis/analysis_window_fixture.h"
#include "tests/analysis/nessler.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolTip>

namespace {

using analysis::SampleListModel;
using analysis::StandardsModel;

class BatchView : public analysis_test::AnalysisWindowTest {
public:
    // The batch in the window as a maximised window on a 1280 x 800 screen holds it: the screen
    // less a panel and the title bar.
    void openBatch() {
        calibration().replaceDocument(nessler::batch(), QString(), false);
        calibration::Settings settings = calibration().document().settings;
        settings.resultUnit = "mg/L";
        settings.volume = "50";
        calibration().setSettings(settings);
        activateAnalysis();
        window()->resize(1280, 740);
        window()->findChild<QTabWidget*>()->setCurrentWidget(in(window(), u"samplesTab"_qs));
        QApplication::processEvents();
    }

    analysis::SampleTable& table() { return window()->sampleTable(); }
    // A cell and a column's title by the field the model names.
    QString cell(int row, int field) {
        return analysis::fieldIndex(*table().model(), row, field).data().toString();
    }
    QString header(int field) {
        const int column = analysis::columnOf(*table().model(), field);
        return table().model()->headerData(column, Qt::Horizontal).toString();
    }

    // The rows whose cells show whole in the table's viewport.
    int rowsInView() {
        int rows = 0;
        for (int row = 0; row < table().model()->rowCount(); ++row) {
            const QRect rect = table().visualRect(table().model()->index(row, 1));
            rows += table().viewport()->rect().contains(rect);
        }
        return rows;
    }

    // The tooltip a cell shows when the mouse rests on it, "" for none.
    static QString toolTipAt(QAbstractItemView& view, const QModelIndex& index) {
        // A tooltip lingers a moment after it is hidden.
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
        const QPoint at = view.visualRect(index).center();
        QHelpEvent event(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
};

TEST_F(BatchView, NamesStayInViewWhileTheTableScrollsSideways) {
    openBatch();
    analysis::SampleTable& samples = table();
    QTest::mouseClick(samples.viewport(), Qt::LeftButton, {},
                      samples.visualRect(samples.model()->index(2, 1)).center());
    QTest::keyClick(&samples, Qt::Key_End);
    EXPECT_EQ(samples.currentIndex().column(),
              analysis::columnOf(*samples.model(), SampleListModel::MainResult));
    ASSERT_GT(samples.horizontalScrollBar()->value(), 0) << "the table did not scroll sideways";
    EXPECT_LT(samples.columnViewportPosition(SampleListModel::Name), 0);
    // What stands where the first column is drawn: the names, row by row.
    QTableView& names = samples.names();
    for (int row : {0, 2, 6}) {
        SCOPED_TRACE(row);
        const QPoint at = names.viewport()->mapTo(
            &samples, names.visualRect(names.model()->index(row, 0)).center());
        QWidget* shown = samples.childAt(at);
        ASSERT_EQ(shown, names.viewport());
        const QModelIndex index = names.indexAt(names.viewport()->mapFrom(&samples, at));
        EXPECT_EQ(index.column(), SampleListModel::Name);
        EXPECT_EQ(index.data().toString(), QString::fromUtf8(nessler::batchRows()[row].name));
    }
    // Scrolling down moves the names with their rows.
    samples.verticalScrollBar()->setValue(samples.verticalScrollBar()->maximum());
    EXPECT_EQ(names.rowAt(0), samples.rowAt(0));
}

TEST_F(BatchView, TwentyRowsInViewWithThePlotsFoldedAway) {
    openBatch();
    auto* only = in<QPushButton>(window(), u"samplesOnly"_qs);
    QTest::mouseClick(only, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(in(window(), u"calibrationPlot"_qs)->isVisible());
    EXPECT_FALSE(in(window(), u"batchSettings"_qs)->isVisible());
    EXPECT_TRUE(in(window(), u"qcSummary"_qs)->isVisible()) << "the summary stays";
    EXPECT_GE(rowsInView(), 20);
    QTest::mouseClick(only, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(in(window(), u"calibrationPlot"_qs)->isVisible());
    EXPECT_TRUE(in(window(), u"batchSettings"_qs)->isVisible());
}

TEST_F(BatchView, HeadersAndQualityCellsCarryTheirUnits) {
    openBatch();
    struct Case {
        const char* name;
        int column;
        const char* expected;
    };
    const Case headers[] = {
        {"the result in the reporting unit", SampleListModel::Result, "结果 (mg/L)"},
        {"x0 in the curve's unit", SampleListModel::X0, "浓度 x0 (μg)"},
        {"s(x0)", SampleListModel::SX0, "s(x0) (μg)"},
        {"the half-width", SampleListModel::CiX0, "95% 半宽 (μg)"},
        {"a spike's amount", SampleListModel::Added, "加标量 (μg)"},
        {"a check's nominal", SampleListModel::Nominal, "标称浓度 (μg)"},
        {"a reference value", SampleListModel::Certified, "标准值 (mg/L)"},
        {"its uncertainty", SampleListModel::U, "不确定度U (mg/L)"},
        {"a count has none", SampleListModel::Count, "m"},
    };
    for (const Case& c : headers) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(header(c.column), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(points()
                  ->model()
                  ->headerData(analysis::columnOf(*points()->model(), StandardsModel::RecoveryPct),
                               Qt::Horizontal)
                  .toString(),
              u"回收率 (%)"_qs);
    EXPECT_EQ(points()->model()->headerData(StandardsModel::C, Qt::Horizontal).toString(),
              u"C (μg)"_qs);
    // Each rule's figure with its unit: percentages, a reference's difference in mg/L, a blank's
    // concentration in μg; a rule not judged has none.
    const struct {
        const char* name;
        int row;
        const char* pattern;
    } cells[] = {
        {"a duplicate", 3, "^通过 [0-9.]+%$"},
        {"a spike", 4, "^(未)?通过 [0-9.]+%$"},
        {"a check", 18, "^通过 -?[0-9.]+%$"},
        {"a reference", 19, "^(未)?通过 [0-9.]+ mg/L$"},
        {"a spike without its amount", 17, "^未判定$"},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.name);
        const QString text = cell(c.row, SampleListModel::Qc);
        EXPECT_TRUE(QRegularExpression(QString::fromUtf8(c.pattern)).match(text).hasMatch())
            << text.toStdString();
    }
    calibration::Settings settings = calibration().document().settings;
    settings.limit = calibration::ReportedLimit::Lod;
    calibration().setSettings(settings);
    EXPECT_TRUE(QRegularExpression(u"^(未)?通过 -?[0-9.e-]+ μg$"_qs)
                    .match(cell(0, SampleListModel::Qc))
                    .hasMatch())
        << cell(0, SampleListModel::Qc).toStdString();
}

TEST_F(BatchView, ACutCellShowsItsWholeTextInItsTooltip) {
    openBatch();
    const QString longName = u"W14 青岚河下游 3 号断面 2026-12-07 上午 第二次采样"_qs;
    calibration().editSample(5, analysis::SampleField::Name, io::toDocument(longName));
    table().setColumnWidth(SampleListModel::Name, 60);
    table().setColumnWidth(analysis::columnOf(*table().model(), SampleListModel::Qc), 40);
    QApplication::processEvents();
    // The name, cut in the names' column over the table.
    EXPECT_EQ(toolTipAt(table().names(), table().model()->index(5, 0)), longName);
    // A cut quality cell: its text, then the rule's words the cell's own tooltip gives.
    const QString qc = cell(3, SampleListModel::Qc);
    const QString tip =
        toolTipAt(table(), analysis::fieldIndex(*table().model(), 3, SampleListModel::Qc));
    EXPECT_TRUE(tip.startsWith(qc + u'\n')) << tip.toStdString();
    EXPECT_TRUE(tip.contains(u"相对偏差"_qs)) << tip.toStdString();
    // A cell that shows whole has no tooltip of its own.
    table().setColumnWidth(analysis::columnOf(*table().model(), SampleListModel::Count), 80);
    EXPECT_EQ(toolTipAt(table(), analysis::fieldIndex(*table().model(), 3, SampleListModel::Count)),
              QString());
}

TEST_F(BatchView, CurveUnitAndBatchSettingsAreTypedInTheWindow) {
    openBatch();
    auto* unit = in<QLineEdit>(window(), u"curveUnit"_qs);
    EXPECT_EQ(unit->text(), u"μg"_qs);
    unit->selectAll();
    QTest::keyClick(unit, Qt::Key_Backspace);
    QTest::keyClicks(unit, u"mg"_qs);
    QTest::keyClick(unit, Qt::Key_Return);
    EXPECT_EQ(calibration().document().unit, "mg");
    EXPECT_EQ(header(SampleListModel::X0), u"浓度 x0 (mg)"_qs);

    // The switch and the style "L" are the last of their lists.
    QTest::keyClick(in<QComboBox>(window(), u"rounding"_qs), Qt::Key_End);
    EXPECT_TRUE(in(window(), u"switchFields"_qs)->isVisibleTo(window()));
    const auto type = [this](const QString& box, const QString& text) {
        auto* edit = in<QLineEdit>(window(), box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    };
    type(u"switchAt"_qs, u"1.00"_qs);
    auto* decimals = in<QSpinBox>(window(), u"switchDecimals"_qs);
    decimals->selectAll();
    QTest::keyClicks(decimals, u"3"_qs);
    QTest::keyClick(decimals, Qt::Key_Return);
    type(u"blankAbsorbanceMax"_qs, u"0.030"_qs);
    QTest::keyClick(in<QComboBox>(window(), u"below"_qs), Qt::Key_End);
    const calibration::Settings& s = calibration().document().settings;
    EXPECT_EQ(s.rounding, calibration::Rounding::Switch);
    EXPECT_EQ(s.switchAt, 1.0);
    EXPECT_EQ(s.switchDecimals, 3);
    EXPECT_EQ(s.blankAbsorbanceMax, 0.030);
    EXPECT_EQ(s.below, calibration::BelowLimit::LetterL);

    // What no result could be computed with is refused, the box marked, the document as it was.
    struct Case {
        const char* name;
        QString box, text;
        const char* reason;
        QString good; // typed after, so that the box no longer holds what was refused
    };
    const Case refused[] = {
        {"a threshold of 0", u"switchAt"_qs, u"0"_qs, "修约切换值 \"0\" 应为大于0的数", u"1"_qs},
        {"a maximum beyond 10", u"blankAbsorbanceMax"_qs, u"11"_qs,
         "空白吸光度上限 \"11\" 应为0到10之间的数", u"0.03"_qs},
        {"a maximum that is no number", u"blankAbsorbanceMax"_qs, u"x"_qs,
         "空白吸光度上限 \"x\" 应为0到10之间的数", u"0.03"_qs},
    };
    const calibration::Settings before = s;
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        type(c.box, c.text);
        EXPECT_EQ(in<QLineEdit>(window(), c.box)->text(), c.text);
        EXPECT_EQ(in<QLabel>(window(), u"batchProblem"_qs)->text(), QString::fromUtf8(c.reason));
        EXPECT_EQ(calibration().document().settings, before);
        type(c.box, c.good);
    }
    type(u"blankAbsorbanceMax"_qs, QString());
    EXPECT_EQ(calibration().document().settings.blankAbsorbanceMax, std::nullopt)
        << "empty turns the rule off";
}

// Plain from a millionth to below 10^15: "-0.00009", not "-9e-05"; "1234570", not
// "1.23457e+06"; a mean keeps the decimals its readings were typed with: "0.0530", not "0.053".
TEST_F(BatchView, FiguresAreWrittenAsPeopleReadThem) {
    calibration::Document d;
    d.unit = "mg/L";
    d.standards = nessler::standards({{"0", "0"}, {"1", "0.1"}, {"2", "0.2"}});
    for (const char* readings : {"-0.000009", "123456.7", "0.0525 0.0535", "0.05 0.06"}) {
        d.samples.push_back(nessler::sample({"S", readings}));
    }
    calibration().replaceDocument(d, QString(), false);
    struct Case {
        const char* name;
        int row, column;
        const char* expected;
    };
    const Case cases[] = {
        {"a tiny negative x0", 0, SampleListModel::X0, "-0.00009"},
        {"a large x0, six digits", 1, SampleListModel::X0, "1234570"},
        {"a mean of four decimals", 2, SampleListModel::MeanA, "0.0530"},
        {"a mean of two decimals", 3, SampleListModel::MeanA, "0.055"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cell(c.row, c.column), QString::fromUtf8(c.expected));
    }
}

} // namespace
