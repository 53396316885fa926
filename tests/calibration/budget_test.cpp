// Each result's uncertainty from a document: the cadmium example of the EURACHEM/CITAC guide
// (A5), the combination with typed components and Welch-Satterthwaite worked by hand, the
// recovery from a batch's spikes, the top-down way from given chart and reference figures, and
// every result that has none, with its reason.

#include "calc/rounding.h"
#include "calibration/results.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using calibration::Document;
using calibration::render;
using calibration::UncertaintyWay;

// The guide's cadmium calibration: five standards 0.1 to 0.9 mg/L, each read three times, and the
// sample read twice at 0.0712 and 0.0716. The guide gives B1 = 0.2410, B0 = 0.0087,
// S = 0.005486, c0 = 0.260 mg/L and u(c0) = 0.018 mg/L.
constexpr const char* kCadmium[][2] = {
    {"0.1", "0.028"}, {"0.1", "0.029"}, {"0.1", "0.029"}, {"0.3", "0.084"}, {"0.3", "0.083"},
    {"0.3", "0.081"}, {"0.5", "0.135"}, {"0.5", "0.131"}, {"0.5", "0.133"}, {"0.7", "0.180"},
    {"0.7", "0.181"}, {"0.7", "0.183"}, {"0.9", "0.215"}, {"0.9", "0.230"}, {"0.9", "0.216"},
};

Document cadmium(const char* readings = "0.0712 0.0716") {
    Document document;
    document.unit = "mg/L";
    for (const auto& [c, a] : kCadmium) {
        document.standards.push_back({c, a, false, {}});
    }
    // No reported limit (no MDL is known), so that nothing refuses the result for its level.
    document.settings.limit = calibration::ReportedLimit::Mdl;
    document.settings.uncertainty.way = UncertaintyWay::BottomUp;
    calibration::Sample sample;
    sample.name = "Cd";
    sample.readings = readings;
    document.samples.push_back(sample);
    return document;
}

// The same straight line and u(c0) worked in long double from the published readings:
// u(c0) = S / B1 * sqrt(1/p + 1/n + (c0 - mean c)^2 / Sxx).
struct Independent {
    long double c0 = 0, uC0 = 0;
};
Independent independent(long double meanReading, int p) {
    long double sx = 0, sy = 0;
    const int n = 15;
    for (const auto& [c, a] : kCadmium) {
        sx += std::stold(c);
        sy += std::stold(a);
    }
    const long double mx = sx / n, my = sy / n;
    long double sxx = 0, sxy = 0;
    for (const auto& [c, a] : kCadmium) {
        sxx += (std::stold(c) - mx) * (std::stold(c) - mx);
        sxy += (std::stold(c) - mx) * (std::stold(a) - my);
    }
    const long double b1 = sxy / sxx, b0 = my - b1 * mx;
    long double ssr = 0;
    for (const auto& [c, a] : kCadmium) {
        const long double r = std::stold(a) - b0 - b1 * std::stold(c);
        ssr += r * r;
    }
    const long double s = std::sqrt(ssr / (n - 2));
    Independent out;
    out.c0 = (meanReading - b0) / b1;
    out.uC0 = s / b1 * std::sqrt(1.0L / p + 1.0L / n + (out.c0 - mx) * (out.c0 - mx) / sxx);
    return out;
}

const calibration::SampleUncertainty& only(const calibration::Results& results,
                                           std::size_t row = 0) {
    EXPECT_TRUE(results.samples.at(row).uncertainty);
    return *results.samples.at(row).uncertainty;
}

TEST(Budget, CadmiumExampleA5) {
    const calibration::Results results = calibration::evaluate(cadmium());
    const calibration::SampleUncertainty& u = only(results);
    ASSERT_TRUE(u.value) << render(*u.reason);
    const Independent hand = independent(0.0714L, 2);
    // The published figures: c0 = 0.260 mg/L, u(c0) = 0.018 mg/L.
    EXPECT_NEAR(*results.samples[0].x0.value, 0.260, 0.0005);
    EXPECT_NEAR(*results.samples[0].sX0.value, 0.018, 0.0005);
    EXPECT_NEAR(*results.samples[0].sX0.value, double(hand.uC0), 1e-12);
    // The calibration alone: u_c = u(c0), U = 2 u(c0) = 0.0357 written upward as 0.036, and the
    // result 0.260 (three significant digits) already at U's last decimal.
    ASSERT_EQ(u.value->components.size(), 1u);
    EXPECT_EQ(u.value->components[0].name, "calibration");
    EXPECT_EQ(u.value->components[0].dof, 13.0);
    EXPECT_NEAR(u.value->uC, double(hand.uC0), 1e-12);
    EXPECT_NEAR(u.value->uRel, double(hand.uC0 / hand.c0), 1e-12);
    EXPECT_EQ(u.value->k, 2);
    EXPECT_FALSE(u.value->nuEff);
    EXPECT_EQ(u.value->expandedText, "0.036");
    EXPECT_EQ(u.resultText, "0.260");
    EXPECT_EQ(u.value->components[0].share, 1);
}

TEST(Budget, OneReadingGivesTheLargerCalibrationTerm) {
    // Read once at the same mean, the 1/p term is 1 instead of 1/2.
    const calibration::Results once = calibration::evaluate(cadmium("0.0714"));
    const calibration::Results twice = calibration::evaluate(cadmium());
    const Independent hand = independent(0.0714L, 1);
    ASSERT_TRUE(only(once).value);
    EXPECT_NEAR(only(once).value->uC, double(hand.uC0), 1e-12);
    EXPECT_GT(only(once).value->uRel, only(twice).value->uRel);
}

// The combination and Welch-Satterthwaite by hand, with the cadmium result (B1 = 0.2410,
// B0 = 0.0087, S = 0.0054856, c0 = 0.26017, u(c0) = 0.017845):
//
//   component    input              u_rel                          nu    u_rel^4 / nu
//   calibration  s(x0)/x0           0.017845 / 0.26017 = 0.068589  13    1.7025e-6
//   volume       0.01               0.01                           inf   0
//   standard     +-2 % rectangular  0.02 / sqrt(3) = 0.011547      inf   0
//   u_c,rel^2 = 0.0047045 + 0.0001 + 0.00013333 = 0.0049378, u_c,rel = 0.070270
//   shares 0.95275, 0.020252, 0.027002
//   nu_eff = 0.0049378^2 / 1.7025e-6 = 14.322 (not rounded), k = t(0.975; 14.322) = 2.1403
//   U = 2.1403 * 0.070270 * 0.26017 = 0.03913 -> "0.040" upward; the result 0.260.
// The test takes the same steps in long double from the independent u(c0).
TEST(Budget, WelchSatterthwaiteWorkedByHand) {
    Document document = cadmium();
    calibration::UncertaintySettings& settings = document.settings.uncertainty;
    settings.volume = calibration::RelativeComponent{0.01, std::nullopt};
    settings.standard = calibration::RelativeComponent{0.02, calc::Distribution::Rectangular};
    settings.coverage = calc::Coverage::StudentT;
    const calibration::Results results = calibration::evaluate(document);
    const calibration::SampleUncertainty& u = only(results);
    ASSERT_TRUE(u.value) << render(*u.reason);

    const Independent hand = independent(0.0714L, 2);
    const long double cal = hand.uC0 / hand.c0, vol = 0.01L, std = 0.02L / std::sqrt(3.0L);
    const long double uc2 = cal * cal + vol * vol + std * std;
    const long double nu = uc2 * uc2 / (cal * cal * cal * cal / 13);
    const long double k =
        boost::math::quantile(boost::math::students_t_distribution<long double>(nu), 0.975L);
    ASSERT_EQ(u.value->components.size(), 3u);
    const struct {
        const char* name;
        long double uRel;
    } rows[] = {{"calibration", cal}, {"volume", vol}, {"standard", std}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(u.value->components[i].name, rows[i].name);
        EXPECT_NEAR(u.value->components[i].uRel, double(rows[i].uRel), 1e-14);
        EXPECT_NEAR(u.value->components[i].share, double(rows[i].uRel * rows[i].uRel / uc2), 1e-12);
    }
    EXPECT_NEAR(u.value->uRel, double(std::sqrt(uc2)), 1e-14);
    ASSERT_TRUE(u.value->nuEff);
    EXPECT_NEAR(*u.value->nuEff, double(nu), 1e-9);
    EXPECT_NEAR(*u.value->nuEff, 14.322, 0.001);
    EXPECT_NEAR(u.value->k, double(k), 1e-9);
    EXPECT_NEAR(u.value->k, 2.1403, 0.0001);
    EXPECT_NEAR(u.value->expanded, double(k * std::sqrt(uc2) * hand.c0), 1e-12);
    EXPECT_EQ(u.value->expandedText, "0.040");
    EXPECT_EQ(u.resultText, "0.260");
    // Each component's input as the budget shows it.
    ASSERT_EQ(u.inputs.size(), 3u);
    EXPECT_EQ(render(u.inputs[1]), "1%");
    EXPECT_EQ(render(u.inputs[2]), "±2%，矩形分布");
}

// A spiked batch: the sample read at 0.0714 and three spikes of 0.2 mg/L, whose recoveries the
// spike rule reports; their term is s(R) / (mean(R) * sqrt(3)).
TEST(Budget, RecoveryFromTheBatchsSpikes) {
    Document document = cadmium();
    document.settings.uncertainty.recoveryFromSpikes = true;
    for (const char* reading : {"0.1195", "0.1190", "0.1210"}) {
        calibration::Sample spike;
        spike.name = reading;
        spike.readings = reading;
        spike.type = "spike";
        spike.of = "Cd";
        spike.added = "0.2";
        document.samples.push_back(spike);
    }
    const calibration::Results results = calibration::evaluate(document);
    std::vector<long double> recoveries;
    for (std::size_t i = 1; i < 4; ++i) {
        ASSERT_EQ(results.samples[i].checks.size(), 1u);
        recoveries.push_back(*results.samples[i].checks[0].value);
    }
    long double mean = 0;
    for (long double r : recoveries) {
        mean += r / 3;
    }
    long double ss = 0;
    for (long double r : recoveries) {
        ss += (r - mean) * (r - mean);
    }
    const long double term = std::sqrt(ss / 2) / (mean * std::sqrt(3.0L));
    const calibration::SampleUncertainty& u = only(results);
    ASSERT_TRUE(u.value) << render(*u.reason);
    ASSERT_EQ(u.value->components.size(), 2u);
    EXPECT_EQ(u.value->components[1].name, "recovery");
    EXPECT_NEAR(u.value->components[1].uRel, double(term), 1e-12);
    EXPECT_EQ(render(u.inputs[1]), "3个加标样的回收率");
}

// Top-down from figures the database would give: two charts' levels and RSDs, and filed
// reference-material results. The chart nearest the result 0.260 is the one at 0.3.
TEST(Budget, TopDownFromGivenFigures) {
    Document document = cadmium();
    document.settings.uncertainty.way = UncertaintyWay::TopDown;
    calibration::Results results = calibration::evaluate(document);
    ASSERT_FALSE(only(results).value);
    EXPECT_EQ(render(*only(results).reason), "尚未读取质控数据库");

    auto inputs = std::make_shared<calibration::TopDownInputs>();
    inputs->rw = {{0.05, 0.08, 19, "低"}, {0.3, 0.03, 24, "中"}, {0.8, 0.02, 19, "高"}};
    inputs->references = {{0.204, 0.200, 0.010}, {0.196, 0.200, 0.010}, {0.410, 0.400, 0.016}};
    calibration::applyTopDown(document, results, inputs);
    const calibration::SampleUncertainty& u = only(results);
    ASSERT_TRUE(u.value) << render(*u.reason);
    // Biases +2 %, -2 %, +2.5 %: RMS = sqrt((4 + 4 + 6.25) / 3) % = 2.1794 %; u(Cref) the mean of
    // 0.025, 0.025, 0.02 = 0.023333; u(bias) = sqrt(RMS^2 + u(Cref)^2) = 0.031929.
    const long double rms = std::sqrt((0.0004L + 0.0004L + 0.000625L) / 3);
    const long double uCref = (0.025L + 0.025L + 0.02L) / 3;
    const long double uBias = std::sqrt(rms * rms + uCref * uCref);
    ASSERT_EQ(u.value->components.size(), 2u);
    EXPECT_EQ(u.value->components[0].name, "rw");
    EXPECT_NEAR(u.value->components[0].uRel, 0.03, 1e-15);
    EXPECT_EQ(u.value->components[1].name, "bias");
    EXPECT_NEAR(u.value->components[1].uRel, double(uBias), 1e-14);
    EXPECT_NEAR(u.value->uRel, double(std::sqrt(0.0009L + uBias * uBias)), 1e-14);
    EXPECT_EQ(render(u.inputs[0]), "中，水平 0.3，RSD 3%");
}

TEST(Budget, NoUncertaintyAndWhy) {
    const auto topDownWithout = [](bool charts, bool references) {
        auto inputs = std::make_shared<calibration::TopDownInputs>();
        if (charts) {
            inputs->rw = {{0.3, 0.03, 24, "中"}};
        }
        if (references) {
            inputs->references = {{0.204, 0.200, 0.010}};
        }
        return inputs;
    };
    const struct Case {
        const char* name;
        const char* readings;
        UncertaintyWay way;
        bool spikes;
        std::shared_ptr<calibration::TopDownInputs> topDown;
        const char* reason; // nullptr: the way is none, the row has no uncertainty at all
    } cases[] = {
        {"way none", "0.0714", UncertaintyWay::None, false, nullptr, nullptr},
        {"x0 below 0", "0.0050", UncertaintyWay::BottomUp, false, nullptr,
         "结果不大于0，没有相对不确定度"},
        {"x0 exactly 0 (reading at the intercept)", "0.00866", UncertaintyWay::BottomUp, false,
         nullptr, nullptr},
        {"no reading", "", UncertaintyWay::BottomUp, false, nullptr, "没有读数"},
        {"spikes asked, none in the batch", "0.0714", UncertaintyWay::BottomUp, true, nullptr,
         "至少需要2个加标样的回收率"},
        {"top-down without references", "0.0714", UncertaintyWay::TopDown, false,
         topDownWithout(true, false), "没有已归档的质控样结果，无法评定偏倚分量"},
        {"top-down without charts", "0.0714", UncertaintyWay::TopDown, false,
         topDownWithout(false, true), "没有核查标准或质控样的质控图参考期，无法评定期间精密度分量"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document = cadmium(c.readings);
        document.settings.uncertainty.way = c.way;
        document.settings.uncertainty.recoveryFromSpikes = c.spikes;
        calibration::Results results = calibration::evaluate(document);
        if (c.topDown) {
            calibration::applyTopDown(document, results, c.topDown);
        }
        if (c.way == UncertaintyWay::None) {
            EXPECT_FALSE(results.samples[0].uncertainty);
            continue;
        }
        const calibration::SampleUncertainty& u = only(results);
        if (c.reason == nullptr) {
            // Whatever x0 the line gives at its own intercept, 0 or a rounding away from it,
            // a result that is not above 0 has no relative uncertainty; one above 0 has.
            if (*results.samples[0].x0.value <= 0) {
                ASSERT_TRUE(u.reason);
                EXPECT_EQ(render(*u.reason), "结果不大于0，没有相对不确定度");
            }
            continue;
        }
        EXPECT_FALSE(u.value);
        ASSERT_TRUE(u.reason);
        EXPECT_EQ(render(*u.reason), c.reason);
    }
}

TEST(Budget, BelowTheQuantitationLimit) {
    // With the curve's LOD as the reported limit, a reading at 0.95 LOQ has no uncertainty
    // ("低于定量限"), one at 1.05 LOQ has one (also between the LOD and the LOQ, where the result
    // itself is still reported).
    Document document = cadmium();
    document.settings.limit = calibration::ReportedLimit::Lod;
    const calibration::Results curve = calibration::evaluate(document);
    const double loq = *curve.batch.reportedQuantitationLimit.value;
    const double lod = *curve.batch.reportedLimit.value;
    const calc::ModelFit& fit = *curve.curve.fit;
    const struct Case {
        const char* name;
        double at;
        bool given;
    } cases[] = {
        {"0.95 LOQ", 0.95 * loq, false},
        {"between LOD and LOQ", (lod + loq) / 2, false},
        {"0.5 LOD", 0.5 * lod, false},
        {"1.05 LOQ", 1.05 * loq, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document row = document;
        row.samples[0].readings = calc::roundSignificant(fit.a + fit.b * c.at, 10);
        const calibration::Results results = calibration::evaluate(row);
        const calibration::SampleUncertainty& u = only(results);
        EXPECT_EQ(u.value.has_value(), c.given);
        if (!c.given) {
            ASSERT_TRUE(u.reason);
            EXPECT_EQ(render(*u.reason), "低于定量限");
        }
    }
}

} // namespace
