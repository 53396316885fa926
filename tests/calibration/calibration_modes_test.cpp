// Standard addition and the internal standard through the document: printed worked examples with
// their figures, the result converted and rounded as any result, the rows a standard addition
// refuses, and randomized ratio calibrations against a weighted fit worked independently in long
// double.

#include "calc/distributions.h"
#include "calibration/data_report.h"
#include "calibration/results.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using calibration::CalibrationType;
using calibration::Document;
using calibration::render;

Document additionOf(std::vector<std::pair<const char*, const char*>> rows) {
    Document document;
    document.unit = "ng/mL";
    for (const auto& [c, a] : rows) {
        document.standards.push_back({c, a, false, {}});
    }
    document.settings.calibration = CalibrationType::Addition;
    return document;
}

// Miller & Miller, "Statistics and Chemometrics for Analytical Chemistry", section 5.8: silver by
// AAS, 0 ... 30 ng/mL added against 0.32 ... 0.89; printed x_E = 17.3 ng/mL, 17.3 +- 1.9 ng/mL
// at 95 %.
Document silver() {
    return additionOf({{"0", "0.32"},
                       {"5", "0.41"},
                       {"10", "0.52"},
                       {"15", "0.60"},
                       {"20", "0.70"},
                       {"25", "0.77"},
                       {"30", "0.89"}});
}

// The same formula in long double: x_E = a / b and
// s(x_E) = s(y/x) / |b| * sqrt(1/n + ybar^2 / (b^2 Sxx)), unweighted.
struct Extrapolated {
    long double xE, sXE;
};
Extrapolated extrapolated(const std::vector<long double>& x, const std::vector<long double>& y) {
    const auto n = static_cast<long double>(x.size());
    long double mx = 0, my = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        mx += x[i] / n;
        my += y[i] / n;
    }
    long double sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (y[i] - my);
    }
    const long double b = sxy / sxx;
    const long double a = my - b * mx;
    long double ssr = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        ssr += (y[i] - a - b * x[i]) * (y[i] - a - b * x[i]);
    }
    const long double sYX = std::sqrt(ssr / (n - 2));
    return {a / b, sYX / std::fabs(b) * std::sqrt(1 / n + my * my / (b * b * sxx))};
}

} // namespace

TEST(CalibrationModes, SilverByStandardAddition) {
    Document document = silver();
    const calibration::Results results = calibration::evaluate(document);
    const calibration::AdditionResult& a = results.addition;
    ASSERT_FALSE(a.problem) << render(*a.problem);
    ASSERT_TRUE(a.xE && a.sXE && a.ci95 && a.ci);
    // The printed figures...
    EXPECT_NEAR(*a.xE, 17.3, 0.05);
    EXPECT_NEAR(*a.ci95, 1.9, 0.05);
    // ...and the formula in long double, with t(0.975; 5).
    const Extrapolated e =
        extrapolated({0, 5, 10, 15, 20, 25, 30}, {0.32L, 0.41L, 0.52L, 0.60L, 0.70L, 0.77L, 0.89L});
    EXPECT_NEAR(*a.xE, double(e.xE), 1e-13);
    EXPECT_NEAR(*a.sXE, double(e.sXE), 1e-14);
    EXPECT_NEAR(*a.ci95, double(e.sXE) * calc::studentQuantile(0.975, 5), 1e-13);
    EXPECT_EQ(*a.ci, *a.ci95);
    EXPECT_FALSE(a.reason);
    EXPECT_STREQ(a.addition->formulaKey, "extrapolation");
    EXPECT_EQ(a.resultText, "17.3");
    EXPECT_EQ(a.resultUnit, "ng/mL");
    // The curve is the straight line whatever model the external calibration had.
    document.settings.model = calc::Model::Quadratic;
    document.settings.level = 99;
    const calibration::Results line = calibration::evaluate(document);
    ASSERT_TRUE(line.curve.fit);
    EXPECT_EQ(line.curve.fit->model, calc::Model::Line);
    ASSERT_TRUE(line.addition.ci);
    EXPECT_NEAR(*line.addition.ci, double(e.sXE) * calc::studentQuantile(0.995, 5), 1e-13);
}

// x_E belongs to the measured solution: the dilution, the factor over the volume and the
// reporting unit apply to it as to a result, and the rounding as the settings say.
TEST(CalibrationModes, AdditionConvertedAsAResult) {
    const struct Case {
        const char* name;
        const char* dilution;
        const char* volume;
        const char* factor;
        calibration::Rounding rounding;
        int digits;
        long double times;
        const char* text;
    } cases[] = {
        {"as measured", "", "", "1", calibration::Rounding::Significant, 3, 1, "17.3"},
        {"diluted 5 times", "5", "", "1", calibration::Rounding::Significant, 3, 5, "86.3"},
        {"over 25 mL, times 0.001", "", "25", "0.001", calibration::Rounding::Significant, 2,
         0.001L / 25, "0.00069"},
        {"two decimals, diluted 2", "2", "", "1", calibration::Rounding::Decimals, 2, 2, "34.52"},
    };
    const long double xE =
        extrapolated({0, 5, 10, 15, 20, 25, 30}, {0.32L, 0.41L, 0.52L, 0.60L, 0.70L, 0.77L, 0.89L})
            .xE;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document = silver();
        document.settings.additionDilution = c.dilution;
        document.settings.volume = c.volume;
        document.settings.factor = c.factor;
        document.settings.rounding = c.rounding;
        document.settings.digits = c.digits;
        const calibration::AdditionResult a = calibration::evaluate(document).addition;
        ASSERT_TRUE(a.result);
        EXPECT_NEAR(*a.result, double(xE * c.times), 1e-12 * double(xE * c.times));
        EXPECT_EQ(a.resultText, c.text);
    }
}

TEST(CalibrationModes, SinglePointAndVolumeForm) {
    // Harvey, "Modern Analytical Chemistry", example 5.3: the blood made up 1.00 to 5.00 mL reads
    // 0.193, spiked with 0.312 ppb in the measured solution 0.419; Pb2+ in the blood 1.33 ppb.
    Document blood = additionOf({{"0", "0.193"}, {"0.312", "0.419"}});
    blood.settings.additionDilution = "5";
    const calibration::AdditionResult single = calibration::evaluate(blood).addition;
    ASSERT_TRUE(single.xE);
    EXPECT_NEAR(*single.result, 0.193L * 0.312L / 0.226L * 5, 1e-15);
    EXPECT_EQ(single.resultText, "1.33");
    EXPECT_FALSE(single.sXE || single.ci || single.ci95);
    ASSERT_TRUE(single.reason);
    EXPECT_NE(render(*single.reason).find("单点标准加入"), std::string::npos);

    // Harris, "Quantitative Chemical Analysis", section 5-3: serum 4.27 mV; 5.00 mL of 2.08 M NaCl
    // added to 95.0 mL reads 7.98 mV: Na+ 0.113 M. Each row is the volume added and the signal.
    Document serum = additionOf({{"0", "4.27"}, {"5.00", "7.98"}});
    serum.unit = "M";
    serum.settings.additionV0 = "95.0";
    serum.settings.additionCStd = "2.08";
    const calibration::Results results = calibration::evaluate(serum);
    const calibration::AdditionResult& v = results.addition;
    ASSERT_TRUE(v.xE) << (v.problem ? render(*v.problem) : "");
    EXPECT_TRUE(v.volumeForm);
    EXPECT_NEAR(*v.xE, 0.113, 0.0005);
    EXPECT_NEAR(*v.xE, double(405.65L * 10.4L / (392.35L * 95.0L)), 1e-16);
    EXPECT_EQ(v.resultText, "0.113");
    EXPECT_TRUE(v.reason);
    // The curve is the line through the rows formed: x = C_std V, y = S (V0 + V).
    ASSERT_TRUE(results.curve.standards[1].c && results.curve.standards[1].a);
    EXPECT_EQ(*results.curve.standards[1].c, 10.4);
    EXPECT_EQ(*results.curve.standards[1].a, 798.0);

    // Four additions in the volume form against the formula in long double: C_A = a / (b V0),
    // s(C_A) = s(x_E) / V0 on the rows formed.
    Document four = additionOf({{"0", "0.200"}, {"1", "0.301"}, {"2", "0.389"}, {"3", "0.490"}});
    four.settings.additionV0 = "20";
    four.settings.additionCStd = "10";
    const calibration::AdditionResult f = calibration::evaluate(four).addition;
    std::vector<long double> x, y;
    const long double volumes[] = {0, 1, 2, 3}, signals[] = {0.200L, 0.301L, 0.389L, 0.490L};
    for (int i = 0; i < 4; ++i) {
        x.push_back(10 * volumes[i]);
        y.push_back(signals[i] * (20 + volumes[i]));
    }
    const Extrapolated e = extrapolated(x, y);
    ASSERT_TRUE(f.xE && f.sXE && f.ci95);
    EXPECT_NEAR(*f.xE, double(e.xE / 20), 1e-14);
    EXPECT_NEAR(*f.sXE, double(e.sXE / 20), 1e-14);
    EXPECT_NEAR(*f.ci95, double(e.sXE / 20) * calc::studentQuantile(0.975, 2), 1e-13);
    EXPECT_STREQ(f.addition->formulaKey, "volume_extrapolation");
}

TEST(CalibrationModes, AdditionRefused) {
    const struct Case {
        const char* name;
        void (*change)(Document&);
        const char* problem;
    } cases[] = {
        {"V0 without C_std", [](Document& d) { d.settings.additionV0 = "95"; },
         "不定容的标准加入需要同时给出样品体积V0和加入标准溶液浓度"},
        {"C_std not a number",
         [](Document& d) {
             d.settings.additionV0 = "95";
             d.settings.additionCStd = "x";
         },
         "加入标准溶液浓度 \"x\" 不是数字"},
        {"a negative addition", [](Document& d) { d.standards[1].c = "-5"; },
         "第2个标准点：加入量不能为负"},
        {"weighted by 1/x", [](Document& d) { d.settings.weighting = calc::Weighting::InverseX; },
         "权重1/x要求浓度不为0：第1个标准点为0，请排除该点或选择其他权重"},
        {"a flat line",
         [](Document& d) {
             for (auto& standard : d.standards) {
                 standard.a = "0.5";
             }
         },
         "斜率为0，直线与浓度轴不相交"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document = silver();
        c.change(document);
        const calibration::AdditionResult a = calibration::evaluate(document).addition;
        ASSERT_TRUE(a.problem);
        EXPECT_FALSE(a.xE);
        EXPECT_EQ(render(*a.problem), c.problem);
    }
    // Rows of type 样品 have no place in a standard addition; a blank is still read.
    Document document = silver();
    document.samples = {{"S1", "0.5", "", {}, false, "", {}, {}, {}, {}, {}},
                        {"B1", "0.33", "", {}, false, "blank", {}, {}, {}, {}, {}}};
    const calibration::Results results = calibration::evaluate(document);
    ASSERT_TRUE(results.samples[0].batchProblem);
    EXPECT_EQ(render(*results.samples[0].batchProblem),
              "标准加入模式不用样品行：结果由标准点外推得到，样品本身就是标准点");
    EXPECT_FALSE(results.samples[0].x0.value);
    EXPECT_FALSE(results.samples[0].result.value);
    EXPECT_TRUE(results.samples[1].x0.value);
}

// Harris, "Quantitative Chemical Analysis", section 5-4: 0.0837 M of X and 0.0666 M of S give
// areas 423 and 347: F = 0.970. 553 for X and 582 for S with [S] = 0.0584 M in the mixture: [X] =
// 0.0572 M, and 0.143 M in the unknown diluted 10.0 to 25.0 mL.
TEST(CalibrationModes, ResponseFactorMethod) {
    Document document;
    document.unit = "M";
    document.settings.internalStandard = true;
    document.settings.model = calc::Model::Origin;
    document.standards = {{"0.0837", "423", false, {}, "347", "0.0666"}};
    calibration::Sample sample;
    sample.name = "X";
    sample.readings = "553";
    sample.is = "582";
    sample.cIs = "0.0584";
    sample.dilution = "2.5";
    document.samples = {sample};
    const calibration::Results results = calibration::evaluate(document);
    ASSERT_TRUE(results.curve.fit) << render(*results.curve.problem);
    ASSERT_TRUE(results.curve.responseFactor);
    const long double f = (423.0L / 347) / (0.0837L / 0.0666L);
    EXPECT_NEAR(*results.curve.responseFactor, 0.970, 0.0005);
    EXPECT_NEAR(*results.curve.responseFactor, double(f), 1e-15);
    const calibration::SampleResult& x = results.samples[0];
    ASSERT_TRUE(x.x0.value) << render(*x.x0.reason);
    EXPECT_NEAR(*x.x0.value, 0.143, 0.0005);
    EXPECT_NEAR(*x.x0.value, double(553.0L / 582 / f * 0.0584L * 2.5L), 1e-15);
    ASSERT_TRUE(x.ratio);
    EXPECT_NEAR(*x.ratio, double(553.0L / 582), 1e-16);
    // No dispersion figure, each with the reason.
    const std::string why = "响应因子法（一个标准点，过原点）：没有自由度，不计算离散统计量";
    for (const calibration::Figure* figure :
         {&results.curve.sYX, &results.curve.r, &results.curve.sB, &results.curve.lod}) {
        EXPECT_FALSE(figure->value);
        ASSERT_TRUE(figure->reason);
        EXPECT_EQ(render(*figure->reason), why);
    }
    EXPECT_FALSE(x.sX0.value);
}

// The internal standard's recovery: each row's responses against the fitted standards' mean,
// judged at the limits, and the rows that cannot be read.
TEST(CalibrationModes, InternalStandardRecovery) {
    Document document;
    document.unit = "mg/L";
    document.settings.internalStandard = true;
    document.standards = {{"0", "0.01", false, {}, "1000"},
                          {"1", "0.51", false, {}, "1010"},
                          {"2", "1.00", false, {}, "990"},
                          {"3", "1.49", true, "污染", "400"}};
    const struct Case {
        const char* name;
        const char* readings;
        const char* is;
        std::optional<double> recovery;
        std::optional<bool> pass;
        const char* problem;
    } cases[] = {
        {"at the low limit", "0.5", "700", 70.0, true, ""},
        {"just below", "0.5", "699", 69.9, false, ""},
        {"at the high limit", "0.5", "1300", 130.0, true, ""},
        {"one per reading", "0.5 0.6", "1000 1100", 105.0, true, ""},
        {"one for all readings", "0.5 0.6", "1000", 100.0, true, ""},
        {"a count that fits neither", "0.5 0.6 0.7", "1000 1100", std::nullopt, std::nullopt,
         "内标响应有2个，应为1个或与读数相同的3个"},
        {"no response", "0.5", "", std::nullopt, std::nullopt, "内标响应为空"},
        {"a zero response", "0.5", "0", std::nullopt, std::nullopt, "内标响应应为正数"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calibration::Sample sample;
        sample.name = "S";
        sample.readings = c.readings;
        sample.is = c.is;
        document.samples = {sample};
        const calibration::Results results = calibration::evaluate(document);
        const calibration::SampleResult& row = results.samples[0];
        EXPECT_EQ(row.isRecoveryPct, c.recovery);
        if (c.pass) {
            ASSERT_EQ(row.checks.size(), 1u);
            EXPECT_STREQ(row.checks[0].rule, "is_recovery");
            EXPECT_EQ(row.checks[0].pass, c.pass);
            EXPECT_EQ(row.isOutside, !*c.pass);
        } else {
            ASSERT_TRUE(row.x0.reason);
            EXPECT_EQ(render(*row.x0.reason), c.problem);
        }
    }
    // The excluded standard's 400 is no part of the mean, and is marked.
    const calibration::Results results = calibration::evaluate(document);
    EXPECT_EQ(results.curve.meanResponse, 1000.0);
    EXPECT_EQ(results.curve.standards[3].isRecoveryPct, 40.0);
    EXPECT_TRUE(results.curve.standards[3].isOutside);
    EXPECT_FALSE(results.curve.standards[0].isOutside);
    // A standard without its response stops the curve with its place.
    document.standards[1].is = "";
    const calibration::Results missing = calibration::evaluate(document);
    ASSERT_TRUE(missing.curve.problem);
    EXPECT_EQ(render(*missing.curve.problem), "第2个标准点：内标响应为空");
}

// Random ratio calibrations: the fit on A / A_IS (over C / C_IS when given) against a weighted
// least squares worked in long double on the same ratios, and a sample's x0 from its mean ratio.
TEST(CalibrationModes, RandomRatioCalibrations) {
    std::mt19937_64 random(31);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const calc::Weighting weightings[] = {calc::Weighting::None, calc::Weighting::InverseX,
                                          calc::Weighting::InverseX2, calc::Weighting::InverseY,
                                          calc::Weighting::InverseY2};
    const auto text = [](double value, int decimals) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return std::string(buffer);
    };
    for (int run = 0; run < 200; ++run) {
        SCOPED_TRACE(run);
        const calc::Weighting weighting = weightings[run % 5];
        const bool perConcentration = run % 2 == 1;
        Document document;
        document.unit = "mg/L";
        document.settings.internalStandard = true;
        document.settings.weighting = weighting;
        const int n = 3 + run % 6;
        const double slope = 0.1 + unit(random), intercept = 0.05 * unit(random);
        std::vector<long double> x, y;
        for (int i = 0; i < n; ++i) {
            const std::string c = text(0.5 + i + unit(random) * 0.2, 3);
            const std::string is = text(800 + 400 * unit(random), 1);
            const std::string cIs = perConcentration ? text(0.5 + unit(random), 3) : "";
            const long double over = perConcentration ? std::stold(cIs) : 1.0L;
            const long double ratio = intercept + slope * std::stold(c) / over;
            const std::string a =
                text(double(ratio * std::stold(is) * (1 + 0.02 * (unit(random) - 0.5))), 2);
            document.standards.push_back({c, a, false, {}, is, cIs});
            x.push_back(std::stold(c) / over);
            y.push_back(std::stold(a) / std::stold(is));
        }
        calibration::Sample sample;
        sample.name = "S";
        sample.readings = "0.9 1.1";
        sample.is = "1000 1050";
        sample.cIs = perConcentration ? "0.8" : "";
        document.samples = {sample};
        const calibration::Results results = calibration::evaluate(document);
        ASSERT_TRUE(results.curve.fit) << render(*results.curve.problem);

        long double sw = 0, swx = 0, swy = 0;
        std::vector<long double> w(x.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            w[i] = weighting == calc::Weighting::InverseX    ? 1 / x[i]
                   : weighting == calc::Weighting::InverseX2 ? 1 / (x[i] * x[i])
                   : weighting == calc::Weighting::InverseY  ? 1 / y[i]
                   : weighting == calc::Weighting::InverseY2 ? 1 / (y[i] * y[i])
                                                             : 1;
            sw += w[i];
            swx += w[i] * x[i];
            swy += w[i] * y[i];
        }
        const long double mx = swx / sw, my = swy / sw;
        long double sxx = 0, sxy = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            sxx += w[i] * (x[i] - mx) * (x[i] - mx);
            sxy += w[i] * (x[i] - mx) * (y[i] - my);
        }
        const long double b = sxy / sxx, a = my - b * mx;
        EXPECT_NEAR(results.curve.fit->b, double(b), 1e-12 * std::fabs(double(b)));
        EXPECT_NEAR(results.curve.fit->a, double(a), 1e-11);
        const long double ratio = (0.9L / 1000 + 1.1L / 1050) / 2;
        const long double x0 = (ratio - a) / b * (perConcentration ? 0.8L : 1.0L);
        const calibration::SampleResult& row = results.samples[0];
        ASSERT_TRUE(row.ratio && row.x0.value);
        EXPECT_NEAR(*row.ratio, double(ratio), 1e-17);
        EXPECT_NEAR(*row.x0.value, double(x0), 1e-10 * std::fabs(double(x0)) + 1e-12);
    }
}

// A switch of type or option changes what is computed, never the rows: switched back, the
// results are those of the rows alone, the internal standard's and the volume form's texts
// kept aside.
TEST(CalibrationModes, ModeSwitchKeepsRows) {
    Document plain;
    plain.unit = "mg/L";
    plain.standards = {{"0", "0.01", false, {}},
                       {"1", "0.51", false, {}},
                       {"2", "1.00", false, {}},
                       {"3", "1.49", false, {}}};
    plain.samples = {{"S1", "0.7 0.72", "", {}, false, "", {}, {}, {}, {}, {}}};
    Document kept = plain;
    for (std::size_t i = 0; i < kept.standards.size(); ++i) {
        kept.standards[i].is = std::to_string(1000 + 10 * i);
        kept.standards[i].cIs = std::string(1, '2');
    }
    kept.samples[0].is = "990";
    kept.samples[0].cIs = "2";
    kept.settings.additionV0 = "20";
    kept.settings.additionCStd = "10";
    const std::string expected = calibration::reportJson(plain, calibration::evaluate(plain));
    for (const auto& [name, calibrationType, internalStandard] :
         {std::tuple{"internal standard", CalibrationType::External, true},
          std::tuple{"standard addition", CalibrationType::Addition, false}}) {
        SCOPED_TRACE(name);
        Document switched = kept;
        switched.settings.calibration = calibrationType;
        switched.settings.internalStandard = internalStandard;
        const Document before = switched;
        (void)calibration::evaluate(switched);
        switched.settings.calibration = CalibrationType::External;
        switched.settings.internalStandard = false;
        EXPECT_EQ(switched.standards, before.standards);
        EXPECT_EQ(switched.samples, before.samples);
        const calibration::Results back = calibration::evaluate(switched);
        ASSERT_TRUE(back.curve.fit);
        EXPECT_EQ(calibration::reportJson(switched, back), expected);
    }
}
