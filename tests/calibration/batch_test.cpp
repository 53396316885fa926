// A day's batch worked by hand: the blank correction, the volume, the dilution, the rounding, each
// acceptance rule at and beyond its limit, "未检出", and rows that refer to a missing sample.

#include "calibration/results.h"

#include <gtest/gtest.h>

namespace {

using calibration::Document;
using calibration::render;

calibration::Sample row(const char* name, const char* readings, const char* dilution,
                        const char* type = "", const char* of = "") {
    calibration::Sample sample;
    sample.name = name;
    sample.readings = readings;
    sample.dilution = dilution;
    sample.type = type;
    sample.of = of;
    return sample;
}

// Standards C = 0, 1, 2, 3, 4 µg read .010, .060, .112, .158, .210. With the blank correction the
// zero standard's .010 comes off every one: 0, .050, .102, .148, .200, so that mean C = 2,
// mean A = .1, Sxx = 10, Sxy = .2 + .05 + 0 + .048 + .2 = .498: b = .0498, a = .1 - 2 b = .0004.
// Residuals -.0004, -.0002, .002, -.0018, .0004: SSR = 7.6e-6, s(y/x) = sqrt(7.6e-6 / 3) =
// .00159164, LOD = 3.3 s / b = .105470 µg. Syy = .024808, r = .498 / sqrt(10 * .024808) = .999847.
//
// The blanks read .013 and .011: .012 comes off every sample, duplicate, spike and reference; the
// zero standards' .010 off the check standard and the blanks. V = 50 mL, f = 1: µg/mL is mg/L.
Document batch() {
    Document document;
    document.unit = "µg";
    for (const auto& [c, a] :
         {std::pair{"0", ".010"}, {"1", ".060"}, {"2", ".112"}, {"3", ".158"}, {"4", ".210"}}) {
        document.standards.push_back({c, a, false, {}});
    }
    document.settings.blankCorrection = true;
    document.settings.volume = "50";
    document.settings.resultUnit = "mg/L";
    document.samples = {
        row("B1", "0.013", "", "blank"),
        row("B2", "0.011", "", "空白"),
        row("S1", "0.162 0.164", "2"),
        row("D1", "0.170", "2", "duplicate", "S1"),
        row("P1", "0.265", "2", "spike", "S1"),
        row("P2", "0.240", "2", "spike", "S1"),
        row("K1", "0.105", "", "check"),
        row("R1", "0.139", "2", "reference"),
        row("L1", "0.015", ""),
        row("X1", "0.2", "", "spike", "none"),
        row("Y1", "0.2", "", "平行"),
    };
    document.samples[4].added = "4";
    document.samples[5].added = "4";
    document.samples[6].nominal = "2";
    document.samples[7].certified = "0.10";
    document.samples[7].u = "0.01";
    document.samples[9].added = "4";
    return document;
}

TEST(Batch, WorkedByHand) {
    Document document = batch();
    const calibration::Results results = calibration::evaluate(document);
    ASSERT_TRUE(results.curve.fit);
    EXPECT_NEAR(results.curve.fit->b, 0.0498, 1e-15);
    EXPECT_NEAR(results.curve.fit->a, 0.0004, 1e-15);
    EXPECT_NEAR(*results.curve.lod.value, 0.105470, 5e-7);
    EXPECT_NEAR(*results.batch.blankA, 0.012, 1e-15);
    const auto& s = results.samples;
    const auto x0 = [&s](int i) { return *s[std::size_t(i)].x0.value; };

    // S1: .163 - .012 = .151, (.151 - .0004) / .0498 = 3.02410 µg, times 2 = 6.04819, / 50 mL
    // = .120964 mg/L, three significant digits "0.121".
    EXPECT_NEAR(x0(2), 6.048193, 5e-6);
    EXPECT_NEAR(*s[2].result.value, 0.1209639, 5e-7);
    EXPECT_EQ(s[2].resultText, "0.121");
    // D1: .170 - .012 = .158: 6.329317 µg, .1265863 mg/L; RPD = .0056225 / .2475502 = 2.271 %.
    ASSERT_TRUE(s[3].qc);
    EXPECT_NEAR(s[3].qc->value, 2.27126, 1e-4);
    EXPECT_TRUE(s[3].qc->pass);
    // P1: .253: 10.144578 µg; (10.144578 - 6.048193) / 4 = 102.41 %. P2: .228: 9.140562 µg,
    // 77.31 %: below 80 %.
    EXPECT_NEAR(s[4].qc->value, 102.4096, 1e-3);
    EXPECT_TRUE(s[4].qc->pass);
    EXPECT_NEAR(s[5].qc->value, 77.3092, 1e-3);
    EXPECT_FALSE(s[5].qc->pass);
    // K1 less the zero standard: .095, 1.899598 µg against 2: -5.02 %.
    EXPECT_NEAR(s[6].qc->value, -5.0201, 1e-3);
    EXPECT_TRUE(s[6].qc->pass);
    // R1: .127: 5.084337 µg, .1016867 mg/L; |.1016867 - .10| = .0016867 <= .01.
    EXPECT_NEAR(s[7].qc->value, 0.0016867, 1e-6);
    EXPECT_TRUE(s[7].qc->pass);
    // The blanks less the zero standard: .003 and .001, .052209 and .012048 µg, below the LOD.
    EXPECT_NEAR(s[0].qc->value, 0.0522088, 1e-6);
    EXPECT_TRUE(s[0].qc->pass && s[1].qc->pass);
    // L1: .015 - .012 = .003, .052209 µg < LOD: not detected.
    EXPECT_TRUE(s[8].belowLimit);
    EXPECT_EQ(s[8].resultText, "未检出");
    // Rows that refer to nothing, or whose type is none, are kept and say why.
    EXPECT_EQ(render(*s[9].batchProblem), "找不到样品 \"none\"");
    EXPECT_EQ(render(*s[10].batchProblem), "类型 \"平行\" 无法识别");

    EXPECT_NEAR(results.batch.calibrationCheck->value, 0.999847, 1e-6);
    EXPECT_EQ(results.batch.passed, 7);
    EXPECT_EQ(results.batch.failed, 1);
    EXPECT_EQ(render(results.batch.summary),
              "质控：7项通过，1项未通过（加标回收率 77.3%，要求80–120%）");

    // Below the limit as "<" and the limit converted as the result is: .105470 / 50 = .00210940.
    document.settings.below = calibration::BelowLimit::LessThan;
    EXPECT_EQ(calibration::evaluate(document).samples[8].resultText, "<0.00211");
    // Two decimals of 0.125 round to the even digit; of the spike's 0.202892, to 0.20.
    document.settings.rounding = calibration::Rounding::Decimals;
    document.settings.digits = 2;
    EXPECT_EQ(calibration::evaluate(document).samples[4].resultText, "0.20");
    // The limit .00210940 rounded upward, never to "<0.00".
    EXPECT_EQ(calibration::evaluate(document).samples[8].resultText, "<0.01");
}

TEST(Batch, RulesAtAndBeyondTheirLimits) {
    Document document = batch();
    // Each limit moved onto its row's figure passes; a hair beyond fails.
    const auto passes = [&document](std::size_t row) {
        return calibration::evaluate(document).samples[row].qc->pass;
    };
    document.settings.duplicateMaxPct = 2.2713;
    EXPECT_TRUE(passes(3));
    document.settings.duplicateMaxPct = 2.2712;
    EXPECT_FALSE(passes(3));
    document.settings.spikeHighPct = 102.41;
    EXPECT_TRUE(passes(4));
    document.settings.spikeHighPct = 102.40;
    EXPECT_FALSE(passes(4));
    document.settings.checkMaxPct = 5.03;
    EXPECT_TRUE(passes(6));
    document.settings.checkMaxPct = 5.01;
    EXPECT_FALSE(passes(6));
    document.samples[7].u = "0.0017";
    EXPECT_TRUE(passes(7));
    document.samples[7].u = "0.0016";
    EXPECT_FALSE(passes(7));
}

// A falling curve is judged by |r|: the same standards mirrored give the same verdict.
TEST(Batch, CalibrationRuleOnAFallingCurve) {
    Document document = batch();
    for (calibration::Standard& standard : document.standards) {
        standard.a = "-" + standard.a;
    }
    const calibration::Results results = calibration::evaluate(document);
    ASSERT_TRUE(results.batch.calibrationCheck);
    EXPECT_NEAR(results.batch.calibrationCheck->value, 0.999847, 1e-6);
    EXPECT_TRUE(results.batch.calibrationCheck->pass);
    EXPECT_EQ(render(results.batch.calibrationCheck->verdict),
              "校准曲线 |r| = 0.999847，要求|r| ≥ 0.999");
}

TEST(Batch, WhatCannotApply) {
    Document document = batch();
    // Without a zero standard the correction cannot apply, and says why; nothing is subtracted.
    document.standards[0].c = "0.5";
    calibration::Results results = calibration::evaluate(document);
    EXPECT_EQ(render(*results.batch.blankCorrectionProblem),
              "空白校正无法使用：没有浓度为0的标准点");
    EXPECT_FALSE(results.samples[2].subtracted);

    // Without blank rows the zero standards' mean is taken off the samples.
    document = batch();
    document.samples.erase(document.samples.begin(), document.samples.begin() + 2);
    results = calibration::evaluate(document);
    EXPECT_NEAR(*results.batch.blankA, 0.010, 1e-15);

    // A volume of 0 is refused with the reason and the range accepted; the results say it.
    document.settings.volume = "0";
    results = calibration::evaluate(document);
    const std::string refused =
        "取样量 \"0\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数";
    EXPECT_EQ(render(*results.batch.reportingProblem), refused);
    EXPECT_EQ(render(*results.samples[0].result.reason), refused);

    // A duplicate whose sample was deleted, one whose name is not unique, a nominal of 0.
    document = batch();
    document.samples[2].name = "gone";
    document.samples[6].nominal = "0";
    document.samples.push_back(row("S1", "0.1", ""));
    document.samples.push_back(row("S1", "0.1", ""));
    results = calibration::evaluate(document);
    EXPECT_EQ(render(*results.samples[3].batchProblem), "样品名称 \"S1\" 不唯一");
    EXPECT_EQ(render(*results.samples[6].batchProblem), "标称浓度不能为0");
    EXPECT_FALSE(results.samples[3].qc);

    // Without a curve (one standard) no limit exists, for whichever limit is reported: the blank
    // cannot be judged, and says why.
    for (const auto limit : {calibration::ReportedLimit::Lod, calibration::ReportedLimit::Xd,
                             calibration::ReportedLimit::Mdl}) {
        SCOPED_TRACE(int(limit));
        document = batch();
        document.standards.resize(1);
        document.settings.limit = limit;
        results = calibration::evaluate(document);
        EXPECT_FALSE(results.batch.reportedLimit.value);
        ASSERT_TRUE(results.samples[0].qcReason);
        EXPECT_EQ(render(*results.samples[0].qcReason),
                  render(*results.batch.reportedLimit.reason));
        EXPECT_FALSE(results.samples[0].qc);
    }
}

} // namespace
