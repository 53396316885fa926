// The results of a document: its curve's figures, each with the reason it is missing, the check
// of the standards and the samples' estimates.

#include "calibration/results.h"

#include <gtest/gtest.h>

namespace {

using calibration::Document;
using calibration::render;

Document documentOf(std::vector<std::pair<std::string, std::string>> standards) {
    Document document;
    document.unit = "mg/L";
    for (auto& [c, a] : standards) {
        document.standards.push_back({c, a, false, {}});
    }
    return document;
}

std::string reasonOf(const calibration::Figure& figure) {
    return figure.reason ? render(*figure.reason) : "";
}

// The fluorescence standards of a published teaching example, worked to six decimals.
TEST(Results, WorkedExample) {
    Document document = documentOf({{"0", "2.1"},
                                    {"2", "5.0"},
                                    {"4", "9.0"},
                                    {"6", "12.6"},
                                    {"8", "17.3"},
                                    {"10", "21.0"},
                                    {"12", "24.7"}});
    document.samples.push_back({"S1", "2.9", "10", {}, false, {}, {}, {}, {}, {}, {}});
    const calibration::Results results = calibration::evaluate(document);
    const calibration::CurveResult& curve = results.curve;
    ASSERT_TRUE(curve.fit) << render(*curve.problem);
    const double half = 5e-7;
    EXPECT_EQ(curve.fit->n, 7);
    EXPECT_NEAR(curve.fit->a, 1.517857, half);
    EXPECT_NEAR(curve.fit->b, 1.930357, half);
    EXPECT_NEAR(*curve.r.value, 0.998880, half);
    EXPECT_NEAR(*curve.sYX.value, 0.432848, half);
    EXPECT_NEAR(*curve.sA.value, 0.294936, half);
    EXPECT_NEAR(*curve.sB.value, 0.040900, half);
    EXPECT_NEAR(*curve.lod.value, 0.739965, half);
    EXPECT_NEAR(*curve.loq.value, 2.242319, half);
    EXPECT_NEAR(*curve.ci95A.value, 2.5705818 * 0.294936, 5e-6);
    EXPECT_EQ(curve.ciA.value, curve.ci95A.value); // the level is 95 %
    EXPECT_EQ(curve.sC.value, std::nullopt);
    EXPECT_EQ(reasonOf(curve.sC), "只有二次模型有二次项");

    // x0 = 0.716 and s(x0) = 0.265, times the dilution 10; the limits compare the undiluted 0.716
    // with LOD = 0.740.
    const calibration::SampleResult& sample = results.samples[0];
    EXPECT_NEAR(*sample.x0.value, 7.16, 0.005);
    EXPECT_NEAR(*sample.sX0.value, 2.65, 0.005);
    EXPECT_TRUE(sample.flags.belowLod);
    EXPECT_TRUE(sample.flags.belowLoq);
    EXPECT_FALSE(sample.flags.outOfRange);

    ASSERT_EQ(curve.standards.size(), 7u);
    EXPECT_EQ(curve.standards[0].recoveryPct, std::nullopt); // C = 0
    EXPECT_NEAR(*curve.standards[6].recoveryPct, 100 * (24.7 - 1.517857) / 1.930357 / 12, 1e-4);
}

// From the typed decimals, standards exactly on a line have no scatter at all, and a slope that is
// 0 in the decimals is 0: no concentration can be read from it.
TEST(Results, ExactDecimals) {
    const auto line =
        calibration::evaluateCurve(documentOf({{"1", ".1"}, {"2", ".2"}, {"3", ".3"}}));
    ASSERT_TRUE(line.fit);
    for (const calibration::Figure* figure :
         {&line.sYX, &line.sA, &line.sB, &line.lod, &line.loq}) {
        ASSERT_TRUE(figure->value);
        EXPECT_EQ(*figure->value, 0.0);
    }
    for (const calibration::StandardResult& standard : line.standards) {
        EXPECT_EQ(standard.residual, 0.0);
    }

    const auto flat = calibration::evaluateCurve(
        documentOf({{"1", ".15"}, {"2", ".2"}, {"3", ".3"}, {"4", ".1"}, {"5", ".2"}}));
    ASSERT_TRUE(flat.fit);
    EXPECT_EQ(flat.fit->b, 0.0);
    ASSERT_TRUE(flat.noReading);
    EXPECT_EQ(render(*flat.noReading), "斜率为0，无法由吸光度计算浓度");
    EXPECT_EQ(reasonOf(flat.lod), "斜率为0，无法由吸光度计算浓度");
    EXPECT_TRUE(flat.sYX.value); // the figures that exist are shown

    // The main window fits "y= .3333+ 0x" to these: a line with slope 0, not "no curve".
    const auto vee = calibration::evaluateCurve(documentOf({{"0", "0"}, {"1", "1"}, {"2", "0"}}));
    ASSERT_TRUE(vee.fit);
    EXPECT_EQ(vee.fit->b, 0.0);
    EXPECT_TRUE(vee.noReading);
    calibration::Sample sample;
    sample.readings = "0.5";
    const auto estimate = calibration::evaluateSample(sample, vee);
    EXPECT_EQ(estimate.x0.value, std::nullopt);
    EXPECT_EQ(reasonOf(estimate.x0), "斜率为0，无法由吸光度计算浓度");
}

TEST(Results, WhyThereIsNoCurveOrFigure) {
    struct Case {
        const char* name;
        Document document;
        const char* problem;
    };
    Document excludedAllButOne = documentOf({{"1", ".1"}, {"2", ".2"}});
    excludedAllButOne.standards[1].excluded = true;
    excludedAllButOne.standards[1].reason = "污染";
    const Case cases[] = {
        {"no standards", Document{}, "尚未计算标准曲线"},
        {"a text that is no number", documentOf({{"1", ".1"}, {"2", "0.2x"}}),
         "第2个标准点：吸光度 \"0.2x\" 不是数字"},
        {"all concentrations equal", documentOf({{"1", ".1"}, {"1", ".2"}}),
         "浓度全部相同，无法拟合直线"},
        {"one standard left after an exclusion", excludedAllButOne,
         "直线模型至少需要2个未排除的标准点"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto curve = calibration::evaluateCurve(c.document);
        ASSERT_TRUE(curve.problem);
        EXPECT_EQ(render(*curve.problem), c.problem);
        EXPECT_FALSE(curve.fit);
    }

    // Two standards: the line and nothing that needs degrees of freedom.
    const auto two = calibration::evaluateCurve(documentOf({{"1", ".1"}, {"2", ".25"}}));
    ASSERT_TRUE(two.fit);
    EXPECT_EQ(reasonOf(two.sYX), "至少需要3个标准点");
    EXPECT_EQ(reasonOf(two.ciB), "至少需要3个标准点");
    calibration::Sample sample;
    sample.readings = "0.2";
    const auto estimate = calibration::evaluateSample(sample, two);
    EXPECT_TRUE(estimate.x0.value);
    EXPECT_EQ(reasonOf(estimate.sX0), "至少需要3个标准点");

    // A sample row whose readings are no number keeps its reason and has no figure.
    sample.readings = "0.2 x";
    const auto bad = calibration::evaluateSample(sample, two);
    EXPECT_EQ(reasonOf(bad.x0), "读数 \"x\" 不是数字");
}

// An excluded standard takes no part in the fit but keeps its check.
TEST(Results, ExcludedStandard) {
    Document document = documentOf({{"1", ".1"}, {"2", ".2"}, {"3", ".9"}, {"4", ".4"}});
    document.standards[2].excluded = true;
    document.standards[2].reason = "污染";
    const auto curve = calibration::evaluateCurve(document);
    ASSERT_TRUE(curve.fit);
    EXPECT_EQ(curve.fit->n, 3);
    EXPECT_EQ(*curve.sYX.value, 0.0);
    EXPECT_TRUE(curve.standards[2].excluded);
    EXPECT_NEAR(*curve.standards[2].residual, 0.6, 1e-15);
    EXPECT_NEAR(*curve.standards[2].recoveryPct, 300, 1e-12);
}

} // namespace

namespace {

// A weighting refused for a standard's absorbance says what the blank correction made of the
// number typed, and that the correction did: 0.0253 less the zero standard's 0.0265 is -0.0012.
TEST(Results, WeightRefusalAfterTheBlankCorrection) {
    Document document =
        documentOf({{"0.1", "0.0253"}, {"0", "0.0265"}, {"1", "0.07"}, {"2", "0.12"}});
    document.settings.weighting = calc::Weighting::InverseY;
    EXPECT_FALSE(calibration::evaluateCurve(document).problem); // as typed, all positive
    document.settings.blankCorrection = true;
    EXPECT_EQ(render(*calibration::evaluateCurve(document).problem),
              "权重1/y要求吸光度为正：第1个标准点的吸光度 0.0253 经空白校正（减去零浓度标准点的"
              "平均吸光度 0.0265）后为负（-0.0012），请排除该点、关闭空白校正或选择其他权重");
    document.standards[0].a = "0.0265";
    EXPECT_EQ(render(*calibration::evaluateCurve(document).problem),
              "权重1/y要求吸光度不为0：第1个标准点的吸光度 0.0265 经空白校正（减去零浓度标准点的"
              "平均吸光度 0.0265）后为0，请排除该点、关闭空白校正或选择其他权重");
}

} // namespace
