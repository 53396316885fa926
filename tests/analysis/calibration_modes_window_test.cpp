// The internal standard's columns of the standards and the samples, typed into as the user types,
// and the formula of a standard addition's s(x_E) shown below the statistics.

#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "analysis/standards_table.h"
#include "tests/analysis/analysis_window_fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using analysis::SampleListModel;
using analysis::StandardsModel;
using analysis_test::AnalysisWindowTest;
using analysis_test::kX;
using analysis_test::kY;

class CalibrationModesWindow : public AnalysisWindowTest {
public:
    void SetUp() override {
        AnalysisWindowTest::SetUp();
        fit(kX, kY);
        activateAnalysis();
    }

    QCheckBox* internalStandard() { return in<QCheckBox>(window(), u"internalStandard"_qs); }
    analysis::SampleTable* samples() { return in<analysis::SampleTable>(window(), u"samples"_qs); }

    // Types into a cell as the user does: the cell made current, F2, everything selected and
    // deleted, the text, Enter.
    void typeInto(QTableView& table, int row, int column, const QString& text) {
        auto* tabs = window()->findChild<QTabWidget*>();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(&table)) {
                tabs->setCurrentIndex(i);
            }
        }
        QApplication::processEvents();
        table.setFocus();
        const QModelIndex index = analysis::fieldIndex(*table.model(), row, column);
        ASSERT_TRUE(index.isValid()) << "field " << column;
        table.setCurrentIndex(index);
        QTest::keyClick(&table, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(editor->parentWidget(), table.viewport()) << "no editor opened";
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the delegate commits what was typed after the key
    }

    // A figure of the statistics by its label, as a number.
    double statisticNamed(const QString& label) {
        auto* model = in<QTableView>(window(), u"statistics"_qs)->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (statistic(row, 0) == label) {
                return statistic(row).section(u' ', 0, 0).toDouble();
            }
        }
        ADD_FAILURE() << "no statistic " << label.toStdString();
        return 0;
    }

    QString sampleCell(int row, int column, int role = Qt::DisplayRole) {
        return analysis::fieldIndex(*samples()->model(), row, column).data(role).toString();
    }
};

// The straight line y = a + b x through the points, worked in long double.
struct Line {
    long double a, b;
};
template <std::size_t N>
Line lineThrough(const std::array<long double, N>& x, const std::array<long double, N>& y) {
    long double sx = 0, sy = 0;
    for (std::size_t i = 0; i < N; ++i) {
        sx += x[i];
        sy += y[i];
    }
    const long double mx = sx / N, my = sy / N;
    long double sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < N; ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (y[i] - my);
    }
    const long double b = sxy / sxx;
    return {my - b * mx, b};
}

// The responses of the internal standard typed into the standards and a sample row read twice
// with one response a reading: the curve on A / A_IS and the sample's concentration from the mean
// of its two ratios, against the same worked in long double. Switching the option off takes the
// columns out of the tables' models and fits A again; switching it on shows every typed figure
// back.
TEST_F(CalibrationModesWindow, InternalStandardColumnsFeedTheFitAndTheSamples) {
    append({{u"S1"_qs, u"10.5 10.7"_qs, {}, {}}});
    QTableView& points = *this->points();
    // Whether both tables have the internal standard's two columns, and have them only then.
    const auto columnsShown = [&] {
        const QAbstractItemModel& standards = *points.model();
        const QAbstractItemModel& rows = *samples()->model();
        const bool shown = analysis::columnOf(standards, StandardsModel::CIs) >= 0;
        EXPECT_EQ(analysis::columnOf(rows, SampleListModel::CIs) >= 0, shown);
        EXPECT_EQ(standards.columnCount(), StandardsModel::Columns - (shown ? 0 : 2));
        EXPECT_EQ(rows.columnCount(), SampleListModel::Columns - (shown ? 0 : 2));
        return shown;
    };
    EXPECT_FALSE(columnsShown());
    const double plainSlope = statisticNamed(u"斜率 b"_qs);

    QTest::keyClick(internalStandard(), Qt::Key_Space);
    ASSERT_TRUE(calibration().document().settings.internalStandard);
    EXPECT_TRUE(columnsShown());
    EXPECT_EQ(points.model()->headerData(2, Qt::Horizontal).toString(), u"内标响应"_qs);
    EXPECT_EQ(points.model()->headerData(3, Qt::Horizontal).toString(), u"内标浓度"_qs);
    EXPECT_EQ(points.model()->headerData(4, Qt::Horizontal).toString(), u"排除"_qs);
    EXPECT_EQ(samples()->model()->headerData(2, Qt::Horizontal).toString(), u"内标响应"_qs);
    const std::array<const char*, 7> responses{"1000", "990", "1010", "1005", "995", "1020", "980"};
    std::array<long double, 7> x{}, ratio{};
    for (std::size_t i = 0; i < responses.size(); ++i) {
        typeInto(points, int(i), StandardsModel::IS, QString::fromUtf8(responses[i]));
        x[i] = std::stold(kX[i].toStdString());
        ratio[i] = std::stold(kY[i].toStdString()) / std::stold(responses[i]);
    }
    typeInto(*samples(), 0, SampleListModel::IS, u"1000 1010"_qs);
    ASSERT_FALSE(curve().problem);
    const Line line = lineThrough(x, ratio);
    EXPECT_NEAR(curve().fit->b, double(line.b), std::fabs(double(line.b)) * 1e-12);
    EXPECT_NEAR(statisticNamed(u"斜率 b"_qs), double(line.b), std::fabs(double(line.b)) * 1e-3);
    const long double sampleRatio = (10.5L / 1000 + 10.7L / 1010) / 2;
    const long double x0 = (sampleRatio - line.a) / line.b;
    EXPECT_NEAR(sampleCell(0, SampleListModel::X0).toDouble(), double(x0), 5e-3);
    EXPECT_NEAR(*calibration().sampleResults()[0].x0.value, double(x0), 1e-12);
    // Each figure of the row as typed, and the recovery of its internal standard beside it.
    EXPECT_EQ(point(1, StandardsModel::IS), u"990"_qs);
    EXPECT_TRUE(point(1, StandardsModel::IS, Qt::ToolTipRole).startsWith(u"内标回收率 "_qs));
    EXPECT_EQ(sampleCell(0, SampleListModel::IS), u"1000 1010"_qs);

    const calibration::Document typed = calibration().document();
    QTest::keyClick(internalStandard(), Qt::Key_Space);
    EXPECT_FALSE(columnsShown());
    EXPECT_EQ(points.model()->headerData(2, Qt::Horizontal).toString(), u"排除"_qs);
    EXPECT_EQ(statisticNamed(u"斜率 b"_qs), plainSlope);
    QTest::keyClick(internalStandard(), Qt::Key_Space);
    EXPECT_TRUE(columnsShown());
    EXPECT_EQ(calibration().document().standards, typed.standards);
    EXPECT_EQ(calibration().document().samples, typed.samples);
    EXPECT_NEAR(curve().fit->b, double(line.b), std::fabs(double(line.b)) * 1e-12);
    EXPECT_TRUE(alerts.take().empty());
}

// The cells say what the curve cannot use, and an emptied cell stays empty: a response removed is
// no response, not the one it held before.
TEST_F(CalibrationModesWindow, InternalStandardCellsSayWhatTheCurveCannotUse) {
    QTest::keyClick(internalStandard(), Qt::Key_Space);
    QTableView& points = *this->points();
    for (int row = 0; row < int(kX.size()); ++row) {
        typeInto(points, row, StandardsModel::IS, u"1000"_qs);
    }
    ASSERT_FALSE(curve().problem);
    const struct {
        const char* name;
        int row, column;
        QString typed;
        const char* problem; // the curve's, and the cell's tooltip after "第N个标准点："
    } cases[] = {
        {"a response removed", 2, StandardsModel::IS, {}, "内标响应为空"},
        {"a response of zero", 2, StandardsModel::IS, u"0"_qs, "内标响应应为正数"},
        {"a response below zero", 2, StandardsModel::IS, u"-5"_qs, "内标响应应为正数"},
        {"a response no number", 2, StandardsModel::IS, u"1O00"_qs, "内标响应 \"1O00\" 不是数字"},
        {"one concentration given: the first standard without one", 3, StandardsModel::CIs, u"2"_qs,
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        typeInto(points, 2, StandardsModel::IS, u"1000"_qs);
        typeInto(points, c.row, c.column, c.typed);
        EXPECT_EQ(io::fromDocument(calibration().document().standards[std::size_t(c.row)].is),
                  c.column == StandardsModel::IS ? c.typed : u"1000"_qs);
        ASSERT_TRUE(curve().problem);
        if (c.problem != nullptr) {
            EXPECT_EQ(calibration::render(*curve().problem),
                      "第3个标准点：" + std::string(c.problem));
            EXPECT_EQ(point(c.row, c.column, Qt::ToolTipRole), QString::fromUtf8(c.problem));
            EXPECT_TRUE(analysis::fieldIndex(*points.model(), c.row, c.column)
                            .data(Qt::BackgroundRole)
                            .isValid());
        } else {
            // The concentrations are then needed in every standard: the first lacking one is
            // marked, the one typed is not.
            EXPECT_EQ(calibration::render(*curve().problem), "第1个标准点：内标浓度为空");
            EXPECT_EQ(point(0, StandardsModel::CIs, Qt::ToolTipRole), u"内标浓度为空"_qs);
            EXPECT_FALSE(analysis::fieldIndex(*points.model(), c.row, c.column)
                             .data(Qt::BackgroundRole)
                             .isValid());
            typeInto(points, c.row, c.column, {});
            EXPECT_FALSE(curve().problem);
            EXPECT_FALSE(analysis::fieldIndex(*points.model(), 0, c.column)
                             .data(Qt::BackgroundRole)
                             .isValid());
        }
    }
}

// A block pasted from a spreadsheet with a header naming the internal standard's columns in
// another order: each standard keeps its response and concentration, and the curve is on C / C_IS.
TEST_F(CalibrationModesWindow, PastedStandardsKeepTheirInternalStandard) {
    QTest::keyClick(internalStandard(), Qt::Key_Space);
    QApplication::clipboard()->setText(u"内标响应\tc\tA\t内标浓度\n"
                                       u"1000\t0\t2.1\t2\n"
                                       u"990\t4\t9.0\t2.5\n"
                                       u"1010\t8\t17.3\t2\n"_qs);
    QTableView& points = *this->points();
    points.clearSelection();
    calibration().setStandards({}, std::nullopt, analysis::CurrentCalibration::From::Elsewhere);
    points.setFocus();
    QTest::keyClick(&points, Qt::Key_V, Qt::ControlModifier);
    const std::vector<calibration::Standard> expected{
        {"0", "2.1", false, {}, "1000", "2"},
        {"4", "9.0", false, {}, "990", "2.5"},
        {"8", "17.3", false, {}, "1010", "2"},
    };
    EXPECT_EQ(calibration().document().standards, expected);
    EXPECT_EQ(point(1, StandardsModel::CIs), u"2.5"_qs);
    ASSERT_FALSE(curve().problem);
    EXPECT_TRUE(curve().perConcentration);
}

// Below the statistics of a standard addition: which formula s(x_E) follows, named as the one
// without a new measurement's prediction term; nothing with two standards (no s(x_E)) or in an
// external calibration.
TEST_F(CalibrationModesWindow, AdditionNamesTheFormulaOfItsUncertainty) {
    auto* formula = in<QLabel>(window(), u"additionFormula"_qs);
    EXPECT_FALSE(formula->isVisibleTo(window()));
    QTest::keyClick(in<QComboBox>(window(), u"calibrationType"_qs), Qt::Key_Down);
    ASSERT_TRUE(calibration().results().addition.sXE);
    EXPECT_TRUE(formula->isVisibleTo(window()));
    EXPECT_EQ(formula->text(), u"标准偏差按外推公式，不含新测量的预测项："
                               u"s(x_E) = s(y/x)/|b| · √(1/n + ȳ²/(b²·Σ(x_i − x̄)²))"_qs);
    // Wrapped to the statistics' width, never widening them.
    EXPECT_LE(formula->width(), in(window(), u"statisticsPanel"_qs)->width());

    std::vector<calibration::Standard> two(calibration().document().standards.begin(),
                                           calibration().document().standards.begin() + 2);
    calibration().setStandards(two, std::nullopt, analysis::CurrentCalibration::From::Elsewhere);
    ASSERT_TRUE(calibration().results().addition.xE);
    EXPECT_FALSE(calibration().results().addition.sXE);
    EXPECT_FALSE(formula->isVisibleTo(window()));
    QTest::keyClick(in<QComboBox>(window(), u"calibrationType"_qs), Qt::Key_Up);
    EXPECT_FALSE(formula->isVisibleTo(window()));
}

} // namespace
