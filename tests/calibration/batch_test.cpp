// A day's batch worked by hand: the blank correction, the volume, the dilution, the rounding, each
// acceptance rule at and beyond its limit, "未检出", rows that refer to a missing sample, the rules
// that cannot be judged, the reported limit and where it comes from, and the duplicates' mean.

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

// The one rule of a row.
const calibration::QualityCheck& rule(const calibration::SampleResult& result) {
    EXPECT_EQ(result.checks.size(), 1u);
    static const calibration::QualityCheck none;
    return result.checks.empty() ? none : result.checks.front();
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
    EXPECT_NEAR(*rule(s[3]).value, 2.27126, 1e-4);
    EXPECT_EQ(rule(s[3]).pass, true);
    // P1: .253: 10.144578 µg; (10.144578 - 6.048193) / 4 = 102.41 %. P2: .228: 9.140562 µg,
    // 77.31 %: below 80 %.
    EXPECT_NEAR(*rule(s[4]).value, 102.4096, 1e-3);
    EXPECT_EQ(rule(s[4]).pass, true);
    EXPECT_NEAR(*rule(s[5]).value, 77.3092, 1e-3);
    EXPECT_EQ(rule(s[5]).pass, false);
    // K1 less the zero standard: .095, 1.899598 µg against 2: -5.02 %.
    EXPECT_NEAR(*rule(s[6]).value, -5.0201, 1e-3);
    EXPECT_EQ(rule(s[6]).pass, true);
    // R1: .127: 5.084337 µg, .1016867 mg/L; |.1016867 - .10| = .0016867 <= .01.
    EXPECT_NEAR(*rule(s[7]).value, 0.0016867, 1e-6);
    EXPECT_EQ(rule(s[7]).pass, true);
    // The blanks less the zero standard: .003 and .001, .052209 and .012048 µg, below the LOD.
    EXPECT_NEAR(*rule(s[0]).value, 0.0522088, 1e-6);
    EXPECT_TRUE(rule(s[0]).pass == true && rule(s[1]).pass == true);
    // L1: .015 - .012 = .003, .052209 µg < LOD: not detected.
    EXPECT_TRUE(s[8].belowLimit);
    EXPECT_EQ(s[8].resultText, "未检出");
    // Rows that refer to nothing, or whose type is none, are kept and say why.
    EXPECT_EQ(render(*s[9].batchProblem), "找不到样品 \"none\"");
    EXPECT_EQ(render(*s[10].batchProblem), "类型 \"平行\" 无法识别");

    EXPECT_NEAR(*results.batch.calibrationCheck->value, 0.999847, 1e-6);
    // The spike naming no sample cannot be judged, and is counted so.
    EXPECT_EQ(results.batch.passed, 7);
    EXPECT_EQ(results.batch.failed, 1);
    EXPECT_EQ(results.batch.notJudged, 1);
    EXPECT_EQ(render(results.batch.summary),
              "质控：7项通过，1项未通过，1项未判定（加标回收率 77.3%，要求80–120%；"
              "\"X1\"：找不到样品 \"none\"）");

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
        return rule(calibration::evaluate(document).samples[row]).pass == true;
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
    EXPECT_NEAR(*results.batch.calibrationCheck->value, 0.999847, 1e-6);
    EXPECT_EQ(results.batch.calibrationCheck->pass, true);
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

    // A volume of 0 is refused with the reason; the results say it.
    document.settings.volume = "0";
    results = calibration::evaluate(document);
    EXPECT_EQ(render(*results.batch.reportingProblem), "取样量 \"0\" 必须大于0");
    EXPECT_EQ(render(*results.samples[0].result.reason), "取样量 \"0\" 必须大于0");

    // A duplicate whose sample was deleted, one whose name is not unique, a nominal of 0.
    document = batch();
    document.samples[2].name = "gone";
    document.samples[6].nominal = "0";
    document.samples.push_back(row("S1", "0.1", ""));
    document.samples.push_back(row("S1", "0.1", ""));
    results = calibration::evaluate(document);
    EXPECT_EQ(render(*results.samples[3].batchProblem), "样品名称 \"S1\" 不唯一");
    EXPECT_EQ(render(*results.samples[6].batchProblem), "标称浓度不能为0");

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
        EXPECT_EQ(rule(results.samples[0]).pass, std::nullopt);
        EXPECT_EQ(render(rule(results.samples[0]).verdict),
                  "未设定报告检出限：" + render(*results.batch.reportedLimit.reason));
    }
}

// Every rule that applies but cannot be evaluated is "not judged" with its reason, counted as
// such: the batch never reads "all passed".
TEST(Batch, RulesThatCannotBeJudged) {
    struct Case {
        const char* name;
        void (*change)(Document&);
        std::size_t row;
        const char* reason;
    };
    const Case cases[] = {
        {"a spike without its added amount", [](Document& d) { d.samples[4].added = ""; }, 4,
         "缺少加标量"},
        {"a spike naming a missing sample", [](Document& d) { d.samples[4].of = "S9"; }, 4,
         "找不到样品 \"S9\""},
        {"a duplicate naming an ambiguous name",
         [](Document& d) { d.samples.push_back(row("S1", "0.1", "")); }, 3,
         "样品名称 \"S1\" 不唯一"},
        {"a duplicate naming itself", [](Document& d) { d.samples[3].of = "D1"; }, 3,
         "所指样品是本行自身"},
        {"a duplicate whose readings are no number",
         [](Document& d) { d.samples[3].readings = "x"; }, 3, "读数 \"x\" 不是数字"},
        {"two results whose sum is not above 0",
         [](Document& d) { d.samples[2].readings = d.samples[3].readings = "0.0124"; }, 3,
         "两个结果之和不大于0，相对偏差无意义"},
        {"a check standard whose error is beyond a double",
         [](Document& d) { d.samples[6].nominal = "1e-320"; }, 6, "数值超出可计算的范围"},
        {"a blank without a reported limit",
         [](Document& d) { d.settings.limit = calibration::ReportedLimit::Mdl; }, 0,
         "未设定报告检出限：至少需要7个空白或检出限样"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document = batch();
        document.samples.erase(document.samples.begin() + 9, document.samples.end());
        document.samples[5].added = "3.2"; // P2 passes: 96.6 %
        c.change(document);
        const calibration::Results results = calibration::evaluate(document);
        const calibration::SampleResult& judged = results.samples[c.row];
        EXPECT_EQ(rule(judged).pass, std::nullopt);
        EXPECT_EQ(render(rule(judged).verdict), c.reason);
        EXPECT_EQ(judged.qcPass(), std::nullopt);
        EXPECT_EQ(results.batch.failed + results.batch.notJudged >= 1, true);
        EXPECT_EQ(render(results.batch.summary).find("全部通过"), std::string::npos);
    }
    // Not judged alone: "5 passed, 1 not judged", never "all passed".
    Document document = batch();
    document.samples.erase(document.samples.begin() + 5, document.samples.end());
    document.samples[4].added = "";
    const calibration::Results results = calibration::evaluate(document);
    EXPECT_EQ(render(results.batch.summary), "质控：4项通过，1项未判定（\"P1\"：缺少加标量）");
}

// A row fails when a rule fails; else it is not judged when a rule is not; else it passes.
TEST(Batch, RowVerdict) {
    const auto check = [](std::optional<bool> pass) {
        calibration::QualityCheck c;
        c.pass = pass;
        return c;
    };
    struct Case {
        const char* name;
        std::vector<calibration::QualityCheck> checks;
        std::optional<bool> verdict;
    };
    const Case cases[] = {
        {"no rules", {}, std::nullopt},
        {"one passed", {check(true)}, true},
        {"passed and not judged", {check(true), check(std::nullopt)}, std::nullopt},
        {"not judged and failed", {check(std::nullopt), check(false)}, false},
        {"failed and passed", {check(false), check(true)}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calibration::verdictOf(c.checks), c.verdict);
    }
}

// Seven 检出限样 rows read .0125 .0126 .0124 .0125 .0127 .0123 .0125: less the blanks' .012 and
// a = .0004, over b = .0498. Their absorbances' sum of squares about the mean is 1e-7, so
// S = sqrt(1e-7 / 6) / .0498 = .00259235 µg and MDL = t(0.99; 6) S = 3.142668 S = .00814692 µg
// (HJ 168), 4 MDL = .0325877 µg; the LOD is .105470 µg, the LOQ .319607 µg.
Document withDetectionLimitRows() {
    Document document = batch();
    document.samples.resize(9);
    for (const char* reading : {".0125", ".0126", ".0124", ".0125", ".0127", ".0123", ".0125"}) {
        document.samples.push_back(row("M", reading, "", "mdl"));
    }
    document.samples.push_back(row("L2", ".0134", "")); // .0201 µg: between MDL and 4 MDL
    document.settings.limit = calibration::ReportedLimit::Mdl;
    return document;
}

// Below the limit means below the limit reported, and below its quantitation limit below that
// limit's own: L1 at .0522 µg lies above the MDL and 4 MDL, below the LOD.
TEST(Batch, BelowTheReportedLimit) {
    const calibration::Results results = calibration::evaluate(withDetectionLimitRows());
    EXPECT_NEAR(*results.batch.reportedLimit.value, 0.00814692, 5e-9);
    EXPECT_NEAR(*results.batch.reportedQuantitationLimit.value, 0.0325877, 5e-8);
    const calibration::SampleResult& l1 = results.samples[8];
    EXPECT_FALSE(l1.flags.belowLod || l1.flags.belowLoq || l1.belowLimit);
    EXPECT_EQ(l1.resultText, "0.00104"); // .0522088 µg / 50 mL
    const calibration::SampleResult& l2 = results.samples[16];
    EXPECT_FALSE(l2.flags.belowLod);
    EXPECT_TRUE(l2.flags.belowLoq);

    Document lod = withDetectionLimitRows();
    lod.settings.limit = calibration::ReportedLimit::Lod;
    const calibration::Results byLod = calibration::evaluate(lod);
    EXPECT_TRUE(byLod.samples[8].flags.belowLod && byLod.samples[8].flags.belowLoq);
    EXPECT_EQ(byLod.samples[8].resultText, "未检出");
}

// The reported MDL: the batch's 检出限样 rows, else the method's validated MDL, else seven blanks,
// else none; with none no row is below it and the blanks stand as numbers flagged.
TEST(Batch, WhereTheReportedMdlComesFrom) {
    using calibration::LimitSource;
    const auto sevenBlanks = [](Document& d) {
        for (int i = 0; i < 5; ++i) {
            d.samples.push_back(row("B", i % 2 ? "0.013" : "0.011", "", "blank"));
        }
    };
    struct Case {
        const char* name;
        bool mdlRows, blanks;
        std::optional<double> validated, validatedLoq;
        LimitSource source;
        std::optional<double> limit, quantitation; // none: checked against the batch's own
    };
    const Case cases[] = {
        {"the batch's rows over the method", true, true, 0.5, std::nullopt, LimitSource::Batch,
         std::nullopt, std::nullopt},
        {"the method's MDL and 4 MDL", false, true, 0.5, std::nullopt, LimitSource::Method, 0.5,
         2.0},
        {"the method's own quantitation limit", false, false, 0.5, 1.8, LimitSource::Method, 0.5,
         1.8},
        {"seven blanks", false, true, std::nullopt, std::nullopt, LimitSource::Blanks, std::nullopt,
         std::nullopt},
        {"none", false, false, std::nullopt, std::nullopt, LimitSource::None, std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document = c.mdlRows ? withDetectionLimitRows() : batch();
        document.settings.limit = calibration::ReportedLimit::Mdl;
        if (c.blanks) {
            sevenBlanks(document);
        }
        document.method.validated.mdl = c.validated;
        document.method.validated.loqMdl = c.validatedLoq;
        const calibration::Results results = calibration::evaluate(document);
        EXPECT_EQ(results.batch.limitSource, c.source);
        if (c.limit) {
            EXPECT_EQ(results.batch.reportedLimit.value, c.limit);
            EXPECT_EQ(results.batch.reportedQuantitationLimit.value, c.quantitation);
        } else if (c.source != LimitSource::None) {
            EXPECT_EQ(results.batch.reportedLimit.value, results.batch.mdl->mdl);
            EXPECT_EQ(results.batch.reportedQuantitationLimit.value, results.batch.mdl->loq);
        }
    }
    // With no limit: no row below it, the blank's result a number flagged, and the summary says so.
    Document document = batch();
    document.settings.limit = calibration::ReportedLimit::Mdl;
    const calibration::Results results = calibration::evaluate(document);
    EXPECT_FALSE(results.samples[8].belowLimit);
    EXPECT_EQ(results.samples[0].resultText, "0.00104");
    EXPECT_TRUE(results.samples[0].flags.noLimit);
    EXPECT_FALSE(results.samples[2].flags.noLimit);
    EXPECT_NE(render(results.batch.summary).find("；未设定报告检出限"), std::string::npos);
}

// Straight through the origin at slope 1 (standards 0 and 1 read 0 and 1): a result is its
// reading. Two standards have no LOD, so nothing is below a limit.
TEST(Batch, RoundingSwitch) {
    struct Case {
        const char* reading;
        const char* text;
    };
    // Below 1.00 two decimals, from 1.00 three significant digits, on the unrounded value.
    const Case cases[] = {
        {"0.996", "1.00"},  {"0.125", "0.12"},
        {"0.135", "0.14"},  {"1", "1.00"},
        {"1.235", "1.24"},  {"12.35", "12.4"},
        {"-0.004", "0.00"}, {"-0.5", "-0.50"},
        {"-1.5", "-1.50"},  {"0.99999999999999989", "1.00"},
    };
    Document document;
    document.standards = {{"0", "0", false, {}}, {"1", "1", false, {}}};
    for (const Case& c : cases) {
        document.samples.push_back(row("S", c.reading, ""));
    }
    document.settings.rounding = calibration::Rounding::Switch;
    document.settings.switchDecimals = 2;
    document.settings.digits = 3;
    document.settings.switchAt = 1;
    const calibration::Results results = calibration::evaluate(document);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].reading);
        EXPECT_EQ(results.samples[i].resultText, cases[i].text);
    }
}

TEST(Batch, BelowStyles) {
    Document document = batch();
    const struct {
        calibration::BelowLimit style;
        const char* text;
    } cases[] = {{calibration::BelowLimit::NotDetected, "未检出"},
                 {calibration::BelowLimit::LessThan, "<0.00211"},
                 {calibration::BelowLimit::LetterL, "0.00211L"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        document.settings.below = c.style;
        EXPECT_EQ(calibration::evaluate(document).samples[8].resultText, c.text);
    }
}

// S1 .1209639 and D1 .1265863 mg/L: the sample reports their mean .1237751, "0.124"; a failing or
// unjudged duplicate gives no mean, and the duplicate's own result stays.
TEST(Batch, DuplicateMean) {
    Document document = batch();
    calibration::Results results = calibration::evaluate(document);
    ASSERT_TRUE(results.samples[2].meanResult);
    EXPECT_NEAR(*results.samples[2].meanResult, 0.1237751, 5e-8);
    EXPECT_EQ(results.samples[2].meanResultText, "0.124");
    EXPECT_EQ(results.samples[2].resultText, "0.121");
    EXPECT_FALSE(results.samples[3].meanResult);
    document.settings.duplicateMaxPct = 2;
    EXPECT_FALSE(calibration::evaluate(document).samples[2].meanResult);
    document = batch();
    document.samples[3].dilution = "x";
    EXPECT_FALSE(calibration::evaluate(document).samples[2].meanResult);
}

// The blanks read .013 and .011 as measured: a maximum of .012 fails the first; equal passes.
TEST(Batch, BlankAbsorbance) {
    Document document = batch();
    EXPECT_EQ(calibration::evaluate(document).samples[0].checks.size(), 1u); // off
    for (const auto& [max, first, second] :
         {std::tuple{0.012, false, true}, {0.013, true, true}, {0.0109, false, false}}) {
        SCOPED_TRACE(max);
        document.settings.blankAbsorbanceMax = max;
        const calibration::Results results = calibration::evaluate(document);
        ASSERT_EQ(results.samples[0].checks.size(), 2u);
        EXPECT_STREQ(results.samples[0].checks[1].rule, "blank_absorbance");
        EXPECT_EQ(results.samples[0].checks[1].value, 0.013);
        EXPECT_EQ(results.samples[0].checks[1].pass, first);
        EXPECT_EQ(results.samples[1].checks[1].pass, second);
    }
    EXPECT_EQ(render(calibration::evaluate(document).samples[0].checks[1].verdict),
              "空白 \"B1\" 平均吸光度 0.0130，要求≤0.0109");
}

} // namespace
