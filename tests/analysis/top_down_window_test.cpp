// The top-down uncertainty in the analysis window, from the database LUMETRA_DATABASE names: the
// method's check-standard chart gives u(Rw), and without a filed reference-material result the
// bias is named as missing, never taken as 0; once results of a reference material are filed
// and the charts are read again, every result has its uncertainty.

#include "analysis/sample_list.h"
#include "analysis_window_fixture.h"
#include "records/store.h"
#include "tests/support/qc_database.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using analysis::SampleListModel;

class TopDownWindow : public analysis_test::AnalysisWindowTest {
public:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        database = folder.filePath(u"qc.sqlite"_qs);
        qc_test::fill(database.toStdString());
        qputenv("LUMETRA_DATABASE", QFile::encodeName(u"sqlite:"_qs + database));
        AnalysisWindowTest::SetUp();
    }
    void TearDown() override { qunsetenv("LUMETRA_DATABASE"); }

    QTemporaryDir folder;
    QString database;
};

TEST_F(TopDownWindow, FromTheConfiguredDatabase) {
    activateAnalysis();
    // y = 0.002 + 0.2 x: the sample reads 0.5 mg/L, the level of the method's check standard.
    calibration::Document d;
    d.unit = "mg/L";
    for (const auto& [c, a] : {std::pair{"0", "0.002"}, std::pair{"0.25", "0.052"},
                               std::pair{"0.5", "0.1015"}, std::pair{"1", "0.203"}}) {
        d.standards.push_back({c, a, false, ""});
    }
    calibration::Sample sample;
    sample.name = "W1";
    sample.readings = "0.102";
    d.samples = {sample};
    d.method.name = qc_test::kMethod;
    d.settings.limit = calibration::ReportedLimit::Mdl;
    d.settings.uncertainty.way = calibration::UncertaintyWay::TopDown;
    calibration().replaceDocument(d, QString(), false);

    const auto cell = [&](int role) {
        return analysis::fieldIndex(window()->samples(), 0, SampleListModel::Expanded)
            .data(role)
            .toString();
    };
    EXPECT_EQ(cell(Qt::DisplayRole), u"—"_qs);
    EXPECT_EQ(cell(Qt::ToolTipRole), u"没有已归档的质控样结果，无法评定偏倚分量"_qs);

    // Two results of a reference material (certified 0.500 ± 0.020 mg/L) filed, the charts read
    // again as when the window comes back.
    {
        const auto store = qc_test::openStore(database.toStdString());
        for (const auto& [seed, value] : {std::pair{"crm 1", 0.510}, std::pair{"crm 2", 0.495}}) {
            records::BatchRecord b = qc_test::batch(seed, qc_test::kMethod, "亚硝酸盐氮",
                                                    "2026-02-0" + std::string(seed).substr(4));
            records::QcRow crm = qc_test::row("reference", "", value, "mg/L");
            crm.name = "CRM";
            crm.certified = "0.500";
            crm.verdicts.push_back(
                {"reference", std::fabs(value - 0.5), std::nullopt, 0.020, true, ""});
            b.rows = {crm};
            qc_test::file(*store, b);
        }
    }
    QApplication::setActiveWindow(main());
    QApplication::setActiveWindow(window());
    QApplication::processEvents();
    ASSERT_TRUE(calibration().sampleResults()[0].uncertainty);
    const auto& u = *calibration().sampleResults()[0].uncertainty;
    ASSERT_TRUE(u.value) << (u.reason ? calibration::render(*u.reason) : std::string());
    ASSERT_EQ(u.value->components.size(), 2u);
    EXPECT_EQ(u.value->components[0].name, "rw");
    EXPECT_EQ(cell(Qt::DisplayRole), QString::fromStdString(u.value->expandedText));
}

} // namespace
