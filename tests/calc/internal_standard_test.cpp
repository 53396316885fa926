// The internal standard: a published response-factor example, the ratios and recoveries by hand,
// and randomized ratio calibrations of every model and weighting against an independent weighted
// least-squares fit of the exact ratios in quadruple precision.

#include "calc/internal_standard.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <quadmath.h>
#include <random>
#include <string>
#include <vector>

namespace {

using calc::Decimal;
using calc::Model;
using calc::ModelFit;
using calc::RatioProblem;
using calc::Weighting;
using Quad = __float128;

Decimal decimal(const std::string& text) {
    return calc::parseDecimal(text).value();
}

std::vector<Decimal> decimals(const std::vector<std::string>& texts) {
    std::vector<Decimal> values;
    for (const std::string& text : texts) {
        values.push_back(decimal(text));
    }
    return values;
}

Quad quad(const std::string& text) {
    return strtoflt128(text.c_str(), nullptr);
}

Decimal ratio(const std::string& value, const std::string& internalStandard) {
    return calc::responseRatio(decimal(value), decimal(internalStandard)).value();
}

// Harris, "Quantitative Chemical Analysis", section 5-4 (internal standards): 0.0837 M of X and
// 0.0666 M of the standard S give peak areas 423 and 347, so F = (423/0.0837) / (347/0.0666) =
// 0.970. 10.0 mL of 0.146 M S added to 10.0 mL of the unknown, made up to 25.0 mL, give 553 for X
// and 582 for S: [S] = 0.0584 M, [X] = 553 * 0.0584 / (0.970 * 582) = 0.0572 M in the mixture,
// 0.143 M in the unknown (times 25.0 / 10.0).
TEST(InternalStandard, ResponseFactorWorkedExample) {
    const std::vector<Decimal> x{ratio("0.0837", "0.0666")};
    const std::vector<Decimal> y{ratio("423", "347")};
    const auto outcome = calc::fitModel(x, y, {}, Model::Origin, Weighting::None);
    const auto& fit = std::get<ModelFit>(outcome);
    const auto f = calc::responseFactor(fit);
    ASSERT_TRUE(f.has_value());
    EXPECT_NEAR(*f, 0.970, 0.0005);
    const Quad exactF = quad("423") * quad("0.0666") / (quad("0.0837") * quad("347"));
    EXPECT_LE(fabsq(*f - exactF), 1e-16 * exactF);
    EXPECT_FALSE(fit.sYX || fit.sB || fit.lod || fit.loq);

    const Decimal sampleIS[] = {decimal("582")};
    const auto row = std::get<calc::RowRatio>(calc::rowRatio(decimals({"553"}), sampleIS));
    const calc::InversePrediction mixture = calc::withInternalStandardConcentration(
        calc::inversePredict(fit, row.mean, row.readings), 0.0584);
    ASSERT_TRUE(mixture.x0.has_value());
    EXPECT_FALSE(mixture.sX0.has_value());
    EXPECT_EQ(mixture.problem, calc::InversePrediction::Problem::NoDof);
    EXPECT_NEAR(*mixture.x0, 0.0572, 0.00005);
    EXPECT_NEAR(*mixture.x0 * 25.0 / 10.0, 0.143, 0.0005);
    const Quad exactX = quad("553") / quad("582") / exactF * quad("0.0584");
    EXPECT_LE(fabsq(*mixture.x0 - exactX), 5e-16 * exactX);

    // Two standards through the origin are a calibration, not the response-factor method.
    const std::vector<Decimal> two{x[0], x[0]};
    const auto line =
        calc::fitModel(two, decimals({"1.2", "1.3"}), {}, Model::Origin, Weighting::None);
    EXPECT_EQ(calc::responseFactor(std::get<ModelFit>(line)), std::nullopt);
}

// The quotient itself is decimal.h's; here what a ratio refuses and keeps.
TEST(InternalStandard, Ratios) {
    EXPECT_EQ(ratio("423", "347"), decimal("1.2190201729106628242"));
    EXPECT_EQ(ratio("-2", "4"), decimal("-.5")) << "a response below zero keeps its sign";
    EXPECT_EQ(ratio("0", "5"), decimal("0"));
    for (const char* is : {"0", "-0", "-3"}) {
        EXPECT_EQ(calc::responseRatio(decimal("1"), decimal(is)), std::nullopt) << is;
    }
}

// A row's ratio is the mean of its readings' ratios, not the ratio of the means.
TEST(InternalStandard, RowRatios) {
    struct Case {
        const char* name;
        std::vector<std::string> readings, internalStandards;
        long double mean;
    };
    const Case cases[] = {
        {"one internal standard for all", {"0.50", "0.52"}, {"1.00"}, 0.51L},
        {"one per reading", {"0.50", "0.52"}, {"1.00", "1.04"}, 0.5L},
        {"mean of ratios", {"1", "3"}, {"1", "2"}, 1.25L},
        {"one reading", {"553"}, {"582"}, 553.0L / 582},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto outcome = calc::rowRatio(decimals(c.readings), decimals(c.internalStandards));
        const auto& row = std::get<calc::RowRatio>(outcome);
        EXPECT_EQ(row.readings, static_cast<int>(c.readings.size()));
        EXPECT_EQ(row.ratios.size(), c.readings.size());
        EXPECT_EQ(row.mean, c.mean);
    }
    struct Refusal {
        const char* name;
        std::vector<std::string> readings, internalStandards;
        RatioProblem expected;
    };
    const Refusal refusals[] = {
        {"no reading", {}, {"1"}, {RatioProblem::Kind::NoReading}},
        {"two for three", {"1", "2", "3"}, {"1", "2"}, {RatioProblem::Kind::CountMismatch}},
        {"none for one", {"1"}, {}, {RatioProblem::Kind::CountMismatch}},
        {"a failed one",
         {"1", "2"},
         {"1", "0"},
         {RatioProblem::Kind::InternalStandardNotPositive, 1}},
    };
    for (const Refusal& c : refusals) {
        SCOPED_TRACE(c.name);
        const auto outcome = calc::rowRatio(decimals(c.readings), decimals(c.internalStandards));
        ASSERT_TRUE(std::holds_alternative<RatioProblem>(outcome));
        EXPECT_EQ(std::get<RatioProblem>(outcome), c.expected);
    }
}

// Against the standards' mean, the excluded ones left out: exactly 70 and 130 at the limits.
TEST(InternalStandard, Recovery) {
    const auto standards = decimals({"1000.0", "990", "1010", "10"});
    const bool excluded[] = {false, false, false, true};
    EXPECT_EQ(calc::meanInternalStandard(standards, excluded), 1000.0);
    struct Case {
        const char* name;
        std::vector<std::string> row;
        std::optional<double> recovery;
    };
    const Case cases[] = {
        {"the lower limit", {"700"}, 70.0},
        {"the upper limit", {"1300.0"}, 130.0},
        {"just below", {"699.99"}, 69.999},
        {"one per reading", {"650", "750"}, 70.0},
        {"a third", {"1000", "1000", "1001"}, 100.0 + 1.0 / 30},
        {"zero", {"0"}, 0.0},
        {"no response", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::internalStandardRecovery(decimals(c.row), standards, excluded), c.recovery);
    }
    const bool allExcluded[] = {true, true, true, true};
    EXPECT_EQ(calc::meanInternalStandard(standards, allExcluded), std::nullopt);
    EXPECT_EQ(calc::internalStandardRecovery(decimals({"700"}), standards, allExcluded),
              std::nullopt);
    EXPECT_EQ(calc::internalStandardRecovery(decimals({"700"}), decimals({"0", "-0"}), {}),
              std::nullopt);
}

// Weighted least squares on the exact ratios in quadruple precision: the weights normalized to
// sum to n, the normal equations solved by Gauss-Jordan elimination.
struct QuadFit {
    std::array<Quad, 3> coefficient{}; // a, b, c
    Quad s2 = 0, meanY = 0, sxx = 0, sumW = 0;
};

QuadFit quadFit(const std::vector<Quad>& x, const std::vector<Quad>& y, Model model,
                Weighting weighting, const std::vector<int>& level) {
    const std::size_t n = x.size();
    std::vector<Quad> w(n, 1);
    Quad sumF = 0;
    for (std::size_t i = 0; i < n; ++i) {
        Quad sum = 0, squares = 0;
        int k = 0;
        for (std::size_t j = 0; j < n; ++j) {
            if (level[j] == level[i]) {
                sum += y[j], squares += y[j] * y[j], ++k;
            }
        }
        const Quad f[] = {1,        1 / x[i],          1 / (x[i] * x[i]),
                          1 / y[i], 1 / (y[i] * y[i]), (k - 1) / (squares - sum * sum / k)};
        w[i] = f[static_cast<int>(weighting)];
        sumF += w[i];
    }
    const std::vector<int> powers = model == Model::Origin      ? std::vector<int>{1}
                                    : model == Model::Quadratic ? std::vector<int>{0, 1, 2}
                                                                : std::vector<int>{0, 1};
    const std::size_t p = powers.size();
    Quad m[3][4] = {};
    QuadFit out;
    Quad meanX = 0;
    for (std::size_t i = 0; i < n; ++i) {
        w[i] *= n / sumF;
        out.sumW += w[i];
        out.meanY += w[i] * y[i] / n;
        meanX += w[i] * x[i] / n;
        for (std::size_t j = 0; j < p; ++j) {
            m[j][p] += w[i] * powq(x[i], powers[j]) * y[i];
            for (std::size_t k = 0; k < p; ++k) {
                m[j][k] += w[i] * powq(x[i], powers[j] + powers[k]);
            }
        }
    }
    for (std::size_t col = 0; col < p; ++col) { // X'WX is positive definite: no pivoting
        for (std::size_t r = 0; r < p; ++r) {
            const Quad factor = r == col ? 0 : m[r][col] / m[col][col];
            for (std::size_t k = col; k <= p; ++k) {
                m[r][k] -= factor * m[col][k];
            }
        }
    }
    for (std::size_t j = 0; j < p; ++j) {
        out.coefficient[powers[j]] = m[j][p] / m[j][j];
    }
    Quad rss = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Quad r = y[i] - out.coefficient[0] - out.coefficient[1] * x[i] -
                       out.coefficient[2] * x[i] * x[i];
        rss += w[i] * r * r;
        out.sxx += w[i] * (x[i] - meanX) * (x[i] - meanX);
    }
    out.s2 = rss / (n - p);
    return out;
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Standards at 4 to 7 levels read two or three times, each with its internal standard's response
// (and, in half the runs, its own internal-standard concentration); every model and weighting.
TEST(InternalStandard, RandomizedRatioCalibrations) {
    std::mt19937_64 random(30);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::normal_distribution<double> noise(0.0, 1.0);
    const Model models[] = {Model::Line, Model::Origin, Model::Quadratic};
    const Weighting weightings[] = {Weighting::None,      Weighting::InverseX,
                                    Weighting::InverseX2, Weighting::InverseY,
                                    Weighting::InverseY2, Weighting::InverseVariance};
    for (int trial = 0; trial < 180; ++trial) {
        const Model model = models[trial % 3];
        const Weighting weighting = weightings[trial / 3 % 6];
        // 1/s^2 needs replicates of equal x, which concentrations of their own would part.
        const bool withConcentrations =
            trial / 18 % 2 == 1 && weighting != Weighting::InverseVariance;
        SCOPED_TRACE(trial);
        const double f = 0.5 + unit(random);
        const double curve = model == Model::Quadratic ? 0.02 * (unit(random) - 0.5) : 0.0;
        std::vector<std::string> c, a, is, cIs;
        std::vector<int> level;
        const int levels = 4 + static_cast<int>(random() % 4);
        for (int l = 0; l < levels; ++l) {
            const std::string concentration = fixed(0.5 + 2.0 * l + unit(random), 3);
            const int replicates = 2 + static_cast<int>(random() % 2);
            for (int r = 0; r < replicates; ++r) {
                const double cis = withConcentrations ? 1 + unit(random) : 1;
                const double areaIs = 1000 * cis * (1 + 0.05 * noise(random));
                const double x = std::stod(concentration) / cis;
                const double yRatio = (f * x + curve * x * x) * (1 + 0.01 * noise(random));
                c.push_back(concentration);
                cIs.push_back(fixed(cis, 3));
                is.push_back(fixed(areaIs, 1));
                a.push_back(fixed(yRatio * std::stod(is.back()), 1));
                level.push_back(l);
            }
        }
        std::vector<Decimal> xs, ys;
        std::vector<Quad> xq, yq;
        for (std::size_t i = 0; i < c.size(); ++i) {
            xs.push_back(withConcentrations ? ratio(c[i], cIs[i]) : decimal(c[i]));
            ys.push_back(ratio(a[i], is[i]));
            xq.push_back(withConcentrations ? quad(c[i]) / quad(cIs[i]) : quad(c[i]));
            yq.push_back(quad(a[i]) / quad(is[i]));
        }
        const auto outcome = calc::fitModel(xs, ys, {}, model, weighting);
        ASSERT_TRUE(std::holds_alternative<ModelFit>(outcome));
        const ModelFit& fit = std::get<ModelFit>(outcome);
        const QuadFit expected = quadFit(xq, yq, model, weighting, level);
        const double scale = fabsq(expected.coefficient[1]) + fabsq(expected.coefficient[0]);
        EXPECT_LE(fabsq(fit.a - expected.coefficient[0]), 1e-13 * scale);
        EXPECT_LE(fabsq(fit.b - expected.coefficient[1]), 1e-13 * scale);
        EXPECT_LE(fabsq(fit.c - expected.coefficient[2]), 1e-13 * scale);
        ASSERT_TRUE(fit.sYX.has_value());
        EXPECT_LE(fabsq(*fit.sYX - sqrtq(expected.s2)), 1e-12 * sqrtq(expected.s2));

        if (model != Model::Line || weighting != Weighting::None) {
            continue;
        }
        // A sample read twice, an internal standard per reading, and its own concentration:
        // x0 = (mean ratio - a) / b * C_IS, s(x0) = s/|b| sqrt(1/2 + 1/n + (ybar_s - ybar)^2 /
        // (b^2 Sxx)) * C_IS.
        const std::string sampleCis = withConcentrations ? "1.250" : "1";
        const std::vector<std::string> readingTexts{fixed(3.1 * f * 1000, 1),
                                                    fixed(3.2 * f * 990, 1)};
        const auto row = std::get<calc::RowRatio>(
            calc::rowRatio(decimals(readingTexts), decimals({"1000.0", "990.0"})));
        const calc::InversePrediction x0 = calc::withInternalStandardConcentration(
            calc::inversePredict(fit, row.mean, row.readings), std::stod(sampleCis));
        const Quad meanRatio =
            (quad(readingTexts[0]) / quad("1000") + quad(readingTexts[1]) / quad("990")) / 2;
        const Quad b = expected.coefficient[1];
        const Quad x0q = (meanRatio - expected.coefficient[0]) / b * quad(sampleCis);
        const Quad dy = meanRatio - expected.meanY;
        const Quad sx0q =
            sqrtq(expected.s2) / fabsq(b) *
            sqrtq(1 / static_cast<Quad>(2) + 1 / expected.sumW + dy * dy / (b * b * expected.sxx)) *
            quad(sampleCis);
        ASSERT_TRUE(x0.x0 && x0.sX0);
        EXPECT_LE(fabsq(*x0.x0 - x0q), 1e-13 * fabsq(x0q));
        EXPECT_LE(fabsq(*x0.sX0 - sx0q), 1e-12 * sx0q);
    }
}

TEST(InternalStandard, ConcentrationOfTheSample) {
    calc::InversePrediction p;
    p.x0 = 0.4;
    p.sX0 = 0.01;
    const auto scaled = calc::withInternalStandardConcentration(p, 2.5);
    EXPECT_EQ(scaled.x0, 1.0);
    EXPECT_EQ(scaled.sX0, 0.025);
    p.x0 = 10;
    for (const double cis : {0.0, -1.0, std::nan(""), 1e308 /* x0 beyond the doubles */}) {
        const auto refused = calc::withInternalStandardConcentration(p, cis);
        EXPECT_FALSE(refused.x0 || refused.sX0) << cis;
        EXPECT_EQ(refused.problem, calc::InversePrediction::Problem::OutOfRange);
    }
}

} // namespace
