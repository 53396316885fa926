// The results of a document: its curve's figures, each with the reason it is missing, the check
// of the standards and the samples' estimates.

#include "calc/number_format.h"
#include "calibration/results.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

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
    document.samples.push_back({"S2", "2.7 2.9 3.1", "25", {}, false, {}, {}, {}, {}, {}, {}});
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
    EXPECT_NEAR(*curve.ci95B.value, 2.5705818 * 0.040900, 5e-6);
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

    // Three replicates narrow s(x0) through 1/m: s(y/x)/|b| * sqrt(1/3 + 1/7 + (2.9 - 13.1)^2 /
    // (b^2 * 112)) = 0.224232 * sqrt(1/3 + 1/7 + 0.249291) = 0.190990, against 0.264570 for one
    // reading; the dilution 25 scales x0 and both uncertainties.
    const calibration::SampleResult& replicates = results.samples[1];
    EXPECT_EQ(replicates.m, 3);
    EXPECT_DOUBLE_EQ(*replicates.meanA, 2.9);
    EXPECT_DOUBLE_EQ(*replicates.x0.value, 2.5 * *sample.x0.value);
    EXPECT_NEAR(*replicates.sX0.value, 25 * 0.190990, 25 * 5e-6);
    EXPECT_NEAR(*replicates.ci95.value, 2.570582 * 25 * 0.190990, 1e-4);
    EXPECT_NEAR(*sample.sX0.value, 10 * 0.264570, 10 * 5e-6);
    EXPECT_TRUE(replicates.flags.belowLod); // 0.716 before the dilution, 17.9 after it

    ASSERT_EQ(curve.standards.size(), 7u);
    EXPECT_EQ(curve.standards[0].recoveryPct, std::nullopt); // C = 0
    EXPECT_NEAR(*curve.standards[6].recoveryPct, 100 * (24.7 - 1.517857) / 1.930357 / 12, 1e-4);
}

// A falling line (absorbance that drops with concentration) has the same limits as the rising one
// of the same spread: they divide by |b|.
TEST(Results, FallingLineMirrorsTheRisingOne) {
    Document document = documentOf({{"0", "-2.1"},
                                    {"2", "-5.0"},
                                    {"4", "-9.0"},
                                    {"6", "-12.6"},
                                    {"8", "-17.3"},
                                    {"10", "-21.0"},
                                    {"12", "-24.7"}});
    document.samples.push_back({"S1", "-2.9", "", {}, false, {}, {}, {}, {}, {}, {}});
    const calibration::Results results = calibration::evaluate(document);
    const calibration::CurveResult& curve = results.curve;
    ASSERT_TRUE(curve.fit) << render(*curve.problem);
    EXPECT_NEAR(curve.fit->b, -1.930357, 5e-7);
    EXPECT_NEAR(*curve.r.value, -0.998880, 5e-7);
    EXPECT_NEAR(*curve.lod.value, 0.739965, 5e-7);
    EXPECT_NEAR(*curve.loq.value, 2.242319, 5e-7);
    EXPECT_EQ(curve.fit->yMin, -24.7);
    EXPECT_EQ(curve.fit->yMax, -2.1);
    const calibration::SampleResult& sample = results.samples[0];
    EXPECT_NEAR(*sample.x0.value, 0.716, 5e-4);
    EXPECT_NEAR(*sample.sX0.value, 0.265, 5e-4);
    EXPECT_TRUE(sample.flags.belowLod);
    EXPECT_FALSE(sample.flags.outOfRange);
}

// The flags of a sample at their thresholds. The line with residuals +-1/16 has b = 1 and a = 0
// exactly, so x0 is the reading itself and a reading can sit exactly on the LOD (3.3 *
// sqrt(1/128) = 0.29), the LOQ (0.88) or a bound of the standards' absorbances.
TEST(Results, SampleFlagsAtTheirThresholds) {
    const std::vector<std::pair<std::string, std::string>> sixteenths = {
        {"0", ".0625"}, {"1", ".9375"}, {"2", "1.9375"}, {"3", "3.0625"}};
    const std::vector<std::pair<std::string, std::string>> perfect = {
        {"0", "0"}, {"1", "2"}, {"2", "4"}};
    const std::vector<std::pair<std::string, std::string>> two = {{"1", "2"}, {"2", "4"}};
    const double lod = 3.3 * std::sqrt(1.0 / 128);
    const double loq = 10 * std::sqrt(1.0 / 128);
    const auto below = [](double v) { return std::nextafter(v, -1e300); };
    const auto above = [](double v) { return std::nextafter(v, 1e300); };
    struct Case {
        const char* name;
        const std::vector<std::pair<std::string, std::string>>& standards;
        double reading;
        double dilution;
        bool outOfRange, belowLod, belowLoq;
    };
    const Case cases[] = {
        {"on the LOD: not below it", sixteenths, lod, 1, false, false, true},
        {"just below the LOD: below both", sixteenths, below(lod), 1, false, true, true},
        {"on the LOQ: no flag", sixteenths, loq, 1, false, false, false},
        {"just below the LOQ", sixteenths, below(loq), 1, false, false, true},
        {"below the LOD, diluted 100 times: flags before the dilution", sixteenths, below(lod), 100,
         false, true, true},
        {"above the LOQ only after the dilution: still below it", sixteenths, below(loq), 100,
         false, false, true},
        {"on the lowest absorbance: inside", sixteenths, 0.0625, 1, false, true, true},
        {"just below the lowest absorbance", sixteenths, below(0.0625), 1, true, true, true},
        {"on the highest absorbance: inside", sixteenths, 3.0625, 1, false, false, false},
        {"just above the highest absorbance", sixteenths, above(3.0625), 1, true, false, false},
        {"perfect line, x0 = 0 = LOD: not below", perfect, 0.0, 1, false, false, false},
        {"perfect line, x0 < 0", perfect, -1e-300, 1, true, true, true},
        {"two standards: only the range flag", two, 0.5, 1, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document = documentOf(c.standards);
        calibration::Sample sample;
        sample.readings = calc::formatNumber(c.reading, calc::NumberStyle::shortestRoundTrip());
        sample.dilution = calc::formatNumber(c.dilution, calc::NumberStyle::shortestRoundTrip());
        document.samples.push_back(sample);
        const calibration::Results results = calibration::evaluate(document);
        const calibration::SampleResult& e = results.samples[0];
        ASSERT_TRUE(results.curve.fit);
        EXPECT_EQ(*e.x0.value, c.reading / results.curve.fit->b * c.dilution); // b is 1 or 2
        EXPECT_EQ(e.flags.outOfRange, c.outOfRange);
        EXPECT_EQ(e.flags.belowLod, c.belowLod);
        EXPECT_EQ(e.flags.belowLoq, c.belowLoq);
    }
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

// Residuals +-1/8 about A = 1 - C: the fit is 0 at C = 1, which has no deviation, and C is 0 in
// the first row, which has no recovery.
TEST(Results, StandardChecksWithoutADivisor) {
    const auto curve =
        calibration::evaluateCurve(documentOf({{"0", "1.125"}, {"1", "-0.25"}, {"2", "-0.875"}}));
    ASSERT_TRUE(curve.fit);
    ASSERT_EQ(curve.fit->a, 1);
    ASSERT_EQ(curve.fit->b, -1);
    struct Row {
        const char* name;
        double fit, residual;
        std::optional<double> deviationPct, cBack, recoveryPct;
    };
    const Row rows[] = {
        {"C = 0", 1, 0.125, 12.5, -0.125, std::nullopt},
        {"fit 0", 0, -0.25, std::nullopt, 1.25, 125},
        {"C = 2", -1, 0.125, -12.5, 1.875, 93.75},
    };
    ASSERT_EQ(curve.standards.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(rows[i].name);
        const calibration::StandardResult& s = curve.standards[i];
        EXPECT_EQ(s.fit, rows[i].fit);
        EXPECT_EQ(s.residual, rows[i].residual);
        EXPECT_EQ(s.deviationPct, rows[i].deviationPct);
        EXPECT_EQ(s.cBack, rows[i].cBack);
        EXPECT_EQ(s.recoveryPct, rows[i].recoveryPct);
    }
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

// ----- an independent computation in quadruple precision (GCC's __float128) -----

using Quad = __float128;

struct QuadFit {
    Quad meanX = 0, meanY = 0, sxx = 0, a = 0, b = 0, ssrLine = 0, ssrQuadratic = 0;
    Quad ssPureError = 0;
    int levels = 0;
};

// The line by its centred sums, the parabola by Gaussian elimination of its normal equations,
// the pure error from each concentration's mean (levels by the exact values, X in whole units).
QuadFit quadFit(const std::vector<Quad>& x, const std::vector<Quad>& y) {
    QuadFit f;
    const auto n = static_cast<Quad>(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        f.meanX += x[i] / n;
        f.meanY += y[i] / n;
    }
    Quad sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        f.sxx += (x[i] - f.meanX) * (x[i] - f.meanX);
        sxy += (x[i] - f.meanX) * (y[i] - f.meanY);
    }
    f.b = sxy / f.sxx;
    f.a = f.meanY - f.b * f.meanX;
    Quad m[3][4] = {};
    for (std::size_t i = 0; i < x.size(); ++i) {
        const Quad e = y[i] - f.a - f.b * x[i];
        f.ssrLine += e * e;
        const Quad p[3] = {1, x[i], x[i] * x[i]};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                m[r][c] += p[r] * p[c];
            }
            m[r][3] += p[r] * y[i];
        }
    }
    for (int k = 0; k < 3; ++k) {
        for (int r = k + 1; r < 3; ++r) {
            const Quad factor = m[r][k] / m[k][k];
            for (int c = k; c < 4; ++c) {
                m[r][c] -= factor * m[k][c];
            }
        }
    }
    Quad beta[3];
    for (int k = 2; k >= 0; --k) {
        beta[k] = m[k][3];
        for (int c = k + 1; c < 3; ++c) {
            beta[k] -= m[k][c] * beta[c];
        }
        beta[k] /= m[k][k];
    }
    std::map<double, std::pair<Quad, int>> levels; // X is whole: exact as a double
    for (std::size_t i = 0; i < x.size(); ++i) {
        const Quad e = y[i] - beta[0] - beta[1] * x[i] - beta[2] * x[i] * x[i];
        f.ssrQuadratic += e * e;
        auto& [sum, count] = levels[static_cast<double>(x[i])];
        sum += y[i];
        ++count;
    }
    for (std::size_t i = 0; i < x.size(); ++i) {
        const auto& [sum, count] = levels[static_cast<double>(x[i])];
        const Quad d = y[i] - sum / count;
        f.ssPureError += d * d;
    }
    f.levels = static_cast<int>(levels.size());
    return f;
}

long double root(Quad value) {
    return std::sqrt(static_cast<long double>(value));
}

::testing::AssertionResult relativelyNear(const char* what, std::optional<double> actual,
                                          long double expected, long double tolerance) {
    if (!actual) {
        return ::testing::AssertionFailure() << what << " missing";
    }
    const long double error = std::fabs((*actual - expected) / expected);
    if (error <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << what << " " << *actual << ", expected " << static_cast<double>(expected)
           << " (relative error " << static_cast<double>(error) << ")";
}

// Student's t with 2 degrees of freedom in closed form: F(t) = 1/2 + t / (2 sqrt(t^2 + 2)).
long double studentT2(long double p) {
    const long double q = 2 * p - 1;
    return std::sqrt(2 * q * q / (1 - q * q));
}

// The lack of fit over thousands of standards at levels typed in different forms ("2.25",
// "2.250", "225e-2"), in no order: the same levels, sums of squares and F as the independent
// computation.
TEST(Results, LackOfFitOverLevelsOfEqualDecimals) {
    Document document;
    std::vector<Quad> x, y; // in units of 0.25 and 0.001: whole numbers
    std::mt19937 random(8);
    for (int i = 0; i < 6000; ++i) {
        const int level = static_cast<int>(random() % 40);
        const int milli = 10 + 50 * level + level * level / 8 + static_cast<int>(random() % 7) - 3;
        const std::string forms[] = {std::to_string(level * 25) + "e-2",
                                     std::to_string(level / 4) + "." +
                                         std::to_string(level % 4 * 25 + 100).substr(1) + "0",
                                     std::to_string(level * 0.25)};
        char a[32];
        std::snprintf(a, sizeof a, "%d.%03d", milli / 1000, milli % 1000);
        document.standards.push_back({forms[random() % 3], a, false, {}});
        x.push_back(level);
        y.push_back(milli);
    }
    const auto curve = calibration::evaluateCurve(document);
    ASSERT_TRUE(curve.fit);
    const calibration::Validation& v = curve.validation;
    ASSERT_TRUE(v.lackOfFit) << render(v.lackOfFitReason);
    const QuadFit f = quadFit(x, y);
    ASSERT_EQ(f.levels, 40);
    EXPECT_EQ(v.lackOfFit->df1, 38);
    EXPECT_EQ(v.lackOfFit->df2, 6000 - 40);
    const Quad fStatistic = (f.ssrLine - f.ssPureError) / 38 / (f.ssPureError / (6000 - 40));
    EXPECT_TRUE(relativelyNear("F", v.lackOfFit->f, fStatistic, 1e-12));
    EXPECT_TRUE(relativelyNear("SS_pe", v.lackOfFit->ssPureError, f.ssPureError / 1e6L, 1e-13));
    ASSERT_TRUE(v.mandel);
    EXPECT_TRUE(relativelyNear("PW", v.mandel->pw,
                               (f.ssrLine - f.ssrQuadratic) / (f.ssrQuadratic / (6000 - 3)), 1e-9));
}

// Figures whose sums, squares or intermediate values lie beyond the doubles while the figure
// itself does not: each is given, against the independent computation.
TEST(Results, FiguresBeyondTheDoubles) {
    // Read back, the third standard is at 2e308, beyond the doubles: its recovery is 5/3.
    const auto recovered =
        calibration::evaluateCurve(documentOf({{"0", "0"}, {"1.2e308", "1"}, {"1.2e308", "5"}}));
    ASSERT_TRUE(recovered.fit);
    EXPECT_EQ(recovered.standards[2].cBack, std::nullopt);
    EXPECT_TRUE(relativelyNear("recovery", recovered.standards[2].recoveryPct, 500.0L / 3, 1e-15));
    EXPECT_TRUE(relativelyNear("recovery", recovered.standards[1].recoveryPct, 100.0L / 3, 1e-15));

    // A reading of 1e308 on a slope of 0.49: x0 = 2.04e308 is beyond the doubles, its standard
    // error 8.8e306 is not, and a dilution of 0.01 brings x0 back.
    Document reading = documentOf({{"2", "1"}, {"4", "2"}, {"6", "3.1"}, {"8", "3.9"}});
    reading.samples.push_back({"S1", "1e308", "", {}, false, {}, {}, {}, {}, {}, {}});
    reading.samples.push_back({"S2", "1e308 1e308", "0.01", {}, false, {}, {}, {}, {}, {}, {}});
    const calibration::Results results = calibration::evaluate(reading);
    // b = 0.49, a = 0.05, s(y/x)^2 = 0.018 / 2, Sxx = 20, mean A 2.5.
    const Quad b = Quad(49) / 100;
    const Quad r = 1e308;
    const Quad x0 = (r - Quad(5) / 100) / b;
    const auto sX0 = [&](int m) {
        return root(Quad(9) / 1000) / static_cast<long double>(b) *
               root(Quad(1) / m + Quad(1) / 4 +
                    (r - Quad(5) / 2) * (r - Quad(5) / 2) / (b * b * 20));
    };
    const long double t = studentT2(0.975L);
    const calibration::SampleResult& plain = results.samples[0];
    EXPECT_EQ(plain.x0.value, std::nullopt);
    EXPECT_EQ(reasonOf(plain.x0), "数值超出可计算的范围");
    EXPECT_TRUE(relativelyNear("s(x0)", plain.sX0.value, sX0(1), 1e-15));
    EXPECT_TRUE(relativelyNear("ci95(x0)", plain.ci95.value, t * sX0(1), 1e-14));
    const calibration::SampleResult& diluted = results.samples[1];
    EXPECT_TRUE(
        relativelyNear("x0 diluted", diluted.x0.value, static_cast<long double>(x0) / 100, 1e-15));
    EXPECT_TRUE(relativelyNear("s(x0) diluted", diluted.sX0.value, sX0(2) / 100, 1e-15));

    // Mandel, the lack of fit and DIN 32645 where s(y/x)^2 (absorbances of 1e200) or Sxx
    // (concentrations of 1e200) lies beyond the doubles. Four standards at three concentrations:
    // the parabola passes through the concentrations' means, so that PW is the lack of fit's F,
    // with F(0.99; 1, 1) = tan^2(0.495 pi) and P(F(1, 1) > f) = 1 - 2/pi atan(sqrt(f)).
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> standards;
        long double concentrationUnit;
    };
    const Case cases[] = {
        {"absorbances of 1e200",
         {{"1", "1.0e200"}, {"1", "1.2e200"}, {"2", "2.3e200"}, {"3", "2.9e200"}},
         1},
        {"concentrations of 1e200",
         {{"1e200", "1.0"}, {"1e200", "1.2"}, {"2e200", "2.3"}, {"3e200", "2.9"}},
         1e200L},
    };
    const QuadFit f = quadFit({1, 1, 2, 3}, {10, 12, 23, 29});
    const Quad fStatistic = (f.ssrLine - f.ssPureError) / f.ssPureError;
    // x_c = s(y/x) / |b| t(0.99; 2) sqrt(1/m + 1/n + mean x^2 / Sxx), m = 1, in units of X.
    const long double xC = root(f.ssrLine / 2) / static_cast<long double>(f.b) * studentT2(0.99L) *
                           root(1 + Quad(1) / 4 + f.meanX * f.meanX / f.sxx);
    const long double pi = 3.14159265358979323846264338327950288L;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto curve = calibration::evaluateCurve(documentOf(c.standards));
        ASSERT_TRUE(curve.fit);
        const calibration::Validation& v = curve.validation;
        ASSERT_TRUE(v.mandel) << render(v.mandelReason);
        EXPECT_TRUE(relativelyNear("PW", v.mandel->pw, fStatistic, 1e-14));
        EXPECT_TRUE(relativelyNear("F(0.99; 1, 1)", v.mandel->fCritical,
                                   std::pow(std::tan(0.495L * pi), 2), 1e-12));
        ASSERT_TRUE(v.lackOfFit) << render(v.lackOfFitReason);
        EXPECT_TRUE(relativelyNear("F", v.lackOfFit->f, fStatistic, 1e-14));
        EXPECT_TRUE(relativelyNear(
            "p", v.lackOfFit->p,
            1 - 2 / pi * std::atan(std::sqrt(static_cast<long double>(fStatistic))), 1e-12));
        ASSERT_TRUE(v.din) << render(v.dinReason);
        EXPECT_TRUE(relativelyNear("x_c", v.din->xC, xC * c.concentrationUnit, 1e-13));
    }
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
