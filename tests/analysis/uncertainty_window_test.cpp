// The measurement uncertainty in the analysis window, through its widgets: the way chosen in the
// batch settings shows the column "U (k=2)" (hidden without one), a component typed in % reaches
// the document, and the tab 不确定度 shows the selected sample's budget with its shares and bars.

#include "analysis/sample_list.h"
#include "tests/analysis/analysis_window_fixture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QTableWidget>

namespace {

using analysis::SampleListModel;

class UncertaintyWindow : public analysis_test::AnalysisWindowTest {};

TEST_F(UncertaintyWindow, ColumnSettingsAndBudget) {
    activateAnalysis();
    // The cadmium calibration of the EURACHEM/CITAC guide; no reported limit (MDL unknown).
    std::vector<calibration::Standard> standards;
    for (const auto& [c, a] : {std::pair{"0.1", "0.028"},
                               {"0.1", "0.029"},
                               {"0.1", "0.029"},
                               {"0.3", "0.084"},
                               {"0.3", "0.083"},
                               {"0.3", "0.081"},
                               {"0.5", "0.135"},
                               {"0.5", "0.131"},
                               {"0.5", "0.133"},
                               {"0.7", "0.180"},
                               {"0.7", "0.181"},
                               {"0.7", "0.183"},
                               {"0.9", "0.215"},
                               {"0.9", "0.230"},
                               {"0.9", "0.216"}}) {
        standards.push_back({c, a, false, {}});
    }
    calibration().setStandards(standards, std::string("mg/L"),
                               analysis::CurrentCalibration::From::Elsewhere);
    calibration::Settings settings = calibration().document().settings;
    settings.limit = calibration::ReportedLimit::Mdl;
    calibration().setSettings(settings);
    append({{u"Cd"_qs, u"0.0712 0.0716"_qs, {}, {}}, {u"Neg"_qs, u"0.0050"_qs, {}, {}}});

    auto* table = in<QTableView>(window(), u"samples"_qs);
    QAbstractItemModel* model = table->model();
    EXPECT_TRUE(table->isColumnHidden(analysis::columnOf(*model, SampleListModel::Expanded)));

    auto* way = in<QComboBox>(window(), u"uncertaintyWay"_qs);
    way->setFocus();
    QTest::keyClick(way, Qt::Key_Down);
    EXPECT_EQ(calibration().document().settings.uncertainty.way,
              calibration::UncertaintyWay::BottomUp);
    EXPECT_FALSE(table->isColumnHidden(analysis::columnOf(*model, SampleListModel::Expanded)));
    EXPECT_EQ(
        model->headerData(analysis::columnOf(*model, SampleListModel::Expanded), Qt::Horizontal)
            .toString(),
        u"U (k=2)"_qs);
    const auto cell = [&](int row, int role = Qt::DisplayRole) {
        return analysis::fieldIndex(*model, row, SampleListModel::Expanded).data(role).toString();
    };
    EXPECT_EQ(cell(0), u"0.036"_qs); // 2 u(c0) = 2 x 0.01784 upward
    EXPECT_EQ(cell(1), u"—"_qs);
    EXPECT_EQ(cell(1, Qt::ToolTipRole), u"结果不大于0，没有相对不确定度"_qs);

    // 1 % for the volume, typed into its box.
    auto* volume = in<QDoubleSpinBox>(window(), u"uVolume"_qs);
    volume->setFocus();
    volume->selectAll();
    QTest::keyClicks(volume, u"1"_qs);
    ASSERT_TRUE(calibration().document().settings.uncertainty.volume);
    EXPECT_EQ(calibration().document().settings.uncertainty.volume->value, 0.01);

    // 2 x 0.26017 x sqrt(0.068589^2 + 0.01^2) = 0.03607: upward 0.037.
    EXPECT_EQ(cell(0), u"0.037"_qs);

    // The budget of the sample selected in the table.
    table->setCurrentIndex(model->index(0, 0));
    auto* budget = in<QTableWidget>(window(), u"uncertaintyBudget"_qs);
    ASSERT_EQ(budget->rowCount(), 2);
    EXPECT_EQ(budget->item(0, 0)->text(), u"校准曲线"_qs);
    EXPECT_EQ(budget->item(1, 0)->text(), u"取样体积"_qs);
    EXPECT_EQ(budget->item(1, 1)->text(), u"1%"_qs);
    // Shares: 0.068589^2 / (0.068589^2 + 0.01^2) = 97.9 %, and 2.08 %.
    EXPECT_EQ(budget->item(0, 4)->text(), u"97.9%"_qs);
    EXPECT_EQ(budget->item(1, 4)->text(), u"2.08%"_qs);
    auto* bar = qobject_cast<QProgressBar*>(budget->cellWidget(0, 5));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), 979);
    const QString summary = in<QLabel>(window(), u"uncertaintySummary"_qs)->text();
    EXPECT_TRUE(summary.startsWith(u"“Cd”：0.260 ± 0.037 mg/L（k = 2；"_qs))
        << summary.toStdString();

    table->setCurrentIndex(model->index(1, 0));
    EXPECT_EQ(budget->rowCount(), 0);
    EXPECT_EQ(in<QLabel>(window(), u"uncertaintySummary"_qs)->text(),
              u"“Neg”：没有不确定度（结果不大于0，没有相对不确定度）"_qs);
}

} // namespace
