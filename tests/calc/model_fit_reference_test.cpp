// Every model and weighting, with standards left out, against an independent computation in
// quadruple precision (__float128): the texts read by strtoflt128, the weights formed from them,
// the normal equations built from raw weighted sums and solved by Gaussian elimination with partial
// pivoting, their inverse by Gauss-Jordan, the residuals from the solved coefficients, and s(x0)
// for every model as sqrt(s^2 / (ws m) + g' V g) / |slope at x0|.

#include "calc/model_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <quadmath.h>
#include <random>
#include <string>
#include <vector>

namespace {

using calc::Model;
using calc::ModelFit;
using calc::Weighting;
using Quad = __float128;

struct Data {
    std::vector<std::string> x, y;
    std::vector<bool> excluded;
    std::vector<double> given; // weights given as they are; empty: `weighting`
};

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Levels with two or three replicates, about a line or a gentle curve with noise; each replicate
// beyond the second of its level may be left out, so that 1/s^2 keeps its replicates.
Data randomData(std::mt19937_64& random, Model model, bool giveWeights, int levels,
                int decimals = 3) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::normal_distribution<double> noise(0.0, 1.0);
    const double a0 = 0.01 + 0.1 * unit(random);
    const double b0 = 0.05 + 0.2 * unit(random);
    const double c0 = model == Model::Quadratic
                          ? 0.004 * (unit(random) - 0.5) * std::min(1.0, 7.0 / levels)
                          : 0.0; // y stays above 0
    Data d;
    for (int level = 0; level < levels; ++level) {
        const std::string x = fixed(0.5 + 2.0 * level + 1.5 * unit(random), decimals);
        const int replicates = 2 + static_cast<int>(random() % 2);
        for (int k = 0; k < replicates; ++k) {
            const double xv = std::stod(x);
            const double y = a0 + b0 * xv + c0 * xv * xv + 0.004 * (1 + xv / 5) * noise(random);
            d.x.push_back(x);
            d.y.push_back(fixed(std::max(y, 0.0005), decimals + 1));
            d.excluded.push_back(k == 2 && random() % 2 == 0 && !giveWeights); // no exclusion there
            if (giveWeights) {
                d.given.push_back(0.1 + 2 * unit(random));
            }
        }
    }
    return d;
}

struct Reference {
    int p = 0;
    std::array<int, 3> power{};
    Quad coefficient[3] = {}; // a, b, c
    Quad s2 = 0;
    Quad covariance[3][3] = {}; // by coefficient
    Quad r2 = 0;
    Quad meanF = 1;
    std::vector<Quad> weight, residual;
    std::vector<std::pair<Quad, Quad>> levels; // 1/s^2: concentration, weight
    Quad xMin = 0, xMax = 0;
};

Quad power(Quad x, int k) {
    Quad result = 1;
    for (int i = 0; i < k; ++i) {
        result *= x;
    }
    return result;
}

Reference reference(const Data& d, Model model, Weighting weighting) {
    const std::size_t count = d.x.size();
    std::vector<Quad> x(count), y(count), f(count, 1);
    for (std::size_t i = 0; i < count; ++i) {
        x[i] = strtoflt128(d.x[i].c_str(), nullptr);
        y[i] = strtoflt128(d.y[i].c_str(), nullptr);
    }
    Reference ref;
    for (std::size_t i = 0; i < count; ++i) {
        switch (weighting) {
        case Weighting::InverseX:
            f[i] = 1 / x[i];
            break;
        case Weighting::InverseX2:
            f[i] = 1 / (x[i] * x[i]);
            break;
        case Weighting::InverseY:
            f[i] = 1 / y[i];
            break;
        case Weighting::InverseY2:
            f[i] = 1 / (y[i] * y[i]);
            break;
        case Weighting::InverseVariance: {
            Quad sum = 0, sum2 = 0;
            int k = 0;
            for (std::size_t j = 0; j < count; ++j) {
                if (!d.excluded[j] && d.x[j] == d.x[i]) {
                    sum += y[j];
                    ++k;
                }
            }
            for (std::size_t j = 0; j < count; ++j) {
                if (!d.excluded[j] && d.x[j] == d.x[i]) {
                    sum2 += (y[j] - sum / k) * (y[j] - sum / k);
                }
            }
            f[i] = (k - 1) / sum2;
            break;
        }
        case Weighting::None:
            break;
        }
        if (!d.given.empty()) {
            f[i] = d.given[i];
        }
    }
    Quad sumF = 0;
    int n = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!d.excluded[i]) {
            sumF += f[i];
            ++n;
        }
    }
    ref.meanF = d.given.empty() ? sumF / n : 1;
    ref.weight.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        ref.weight[i] = d.excluded[i] ? 0 : f[i] / ref.meanF;
    }

    ref.p = model == Model::Origin ? 1 : model == Model::Line ? 2 : 3;
    ref.power = model == Model::Origin ? std::array<int, 3>{1} : std::array<int, 3>{0, 1, 2};
    const int p = ref.p;
    // [A | rhs | I] with A = Sum w g g', rhs = Sum w g y.
    Quad m[3][7] = {};
    for (std::size_t i = 0; i < count; ++i) {
        if (d.excluded[i]) {
            continue;
        }
        for (int j = 0; j < p; ++j) {
            for (int k = 0; k < p; ++k) {
                m[j][k] += ref.weight[i] * power(x[i], ref.power[j] + ref.power[k]);
            }
            m[j][p] += ref.weight[i] * power(x[i], ref.power[j]) * y[i];
        }
    }
    for (int j = 0; j < p; ++j) {
        m[j][p + 1 + j] = 1;
    }
    const int columns = 2 * p + 1;
    for (int col = 0; col < p; ++col) {
        int pivot = col;
        for (int row = col + 1; row < p; ++row) {
            if (fabsq(m[row][col]) > fabsq(m[pivot][col])) {
                pivot = row;
            }
        }
        for (int k = 0; k < columns; ++k) {
            std::swap(m[col][k], m[pivot][k]);
        }
        for (int row = 0; row < p; ++row) {
            if (row != col) {
                const Quad factor = m[row][col] / m[col][col];
                for (int k = 0; k < columns; ++k) {
                    m[row][k] -= factor * m[col][k];
                }
            }
        }
    }
    Quad beta[3] = {};
    for (int j = 0; j < p; ++j) {
        beta[j] = m[j][p] / m[j][j];
        ref.coefficient[ref.power[j]] = beta[j];
    }

    Quad q = 0, sw = 0, swy = 0;
    ref.residual.resize(count);
    bool first = true;
    for (std::size_t i = 0; i < count; ++i) {
        Quad fit = 0;
        for (int j = 0; j < p; ++j) {
            fit += beta[j] * power(x[i], ref.power[j]);
        }
        ref.residual[i] = y[i] - fit;
        if (!d.excluded[i]) {
            q += ref.weight[i] * ref.residual[i] * ref.residual[i];
            sw += ref.weight[i];
            swy += ref.weight[i] * y[i];
            ref.xMin = first ? x[i] : fminq(ref.xMin, x[i]);
            ref.xMax = first ? x[i] : fmaxq(ref.xMax, x[i]);
            first = false;
        }
    }
    Quad total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!d.excluded[i]) {
            const Quad dy = model == Model::Origin ? y[i] : y[i] - swy / sw;
            total += ref.weight[i] * dy * dy;
        }
    }
    ref.r2 = 1 - q / total;
    ref.s2 = q / (n - p);
    for (int j = 0; j < p; ++j) {
        for (int k = 0; k < p; ++k) {
            ref.covariance[ref.power[j]][ref.power[k]] = ref.s2 * m[j][p + 1 + k] / m[j][j];
        }
    }
    if (weighting == Weighting::InverseVariance) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!d.excluded[i]) {
                ref.levels.emplace_back(x[i], ref.weight[i]);
            }
        }
        std::sort(ref.levels.begin(), ref.levels.end(),
                  [](const auto& l, const auto& r) { return l.first < r.first; });
    }
    return ref;
}

struct Inverse {
    Quad x0, sX0, curveVariance;
};

Inverse referenceInverse(const Reference& ref, Weighting weighting, bool given, Quad y0, int m) {
    const Quad a = ref.coefficient[0], b = ref.coefficient[1], c = ref.coefficient[2];
    Quad x0 = (y0 - a) / b;
    if (c != 0) {
        const Quad root = sqrtq(b * b - 4 * c * (a - y0));
        const auto at = [&](Quad x) { return a + b * x + c * x * x; };
        const Quad rise = at(ref.xMax) - at(ref.xMin);
        const Quad x1 = (-b + root) / (2 * c);
        const Quad x2 = (-b - root) / (2 * c);
        x0 = ((b + 2 * c * x1 > 0) == (rise > 0)) ? x1 : x2;
    }
    Quad ws = 1;
    switch (given ? Weighting::None : weighting) {
    case Weighting::InverseX:
        ws = 1 / x0 / ref.meanF;
        break;
    case Weighting::InverseX2:
        ws = 1 / (x0 * x0) / ref.meanF;
        break;
    case Weighting::InverseY:
        ws = 1 / y0 / ref.meanF;
        break;
    case Weighting::InverseY2:
        ws = 1 / (y0 * y0) / ref.meanF;
        break;
    case Weighting::InverseVariance: {
        Quad best = -1;
        for (const auto& [level, weight] : ref.levels) {
            if (best < 0 || fabsq(level - x0) < best) {
                best = fabsq(level - x0);
                ws = weight;
            }
        }
        break;
    }
    case Weighting::None:
        ws = given ? 0.8 : 1;
        break;
    }
    const Quad g[3] = {1, x0, x0 * x0};
    Quad gvg = 0;
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < 3; ++k) {
            gvg += g[j] * g[k] * ref.covariance[j][k];
        }
    }
    const Quad slope = b + 2 * c * x0;
    return {x0, sqrtq(ref.s2 / (ws * m) + gvg) / fabsq(slope), gvg};
}

double relative(double actual, Quad expected) {
    return static_cast<double>(fabsq((static_cast<Quad>(actual) - expected) / expected));
}

struct Worst {
    double figure = 0;
    double inverse = 0;
    int fits = 0;
};

// Fits the data and compares every figure and three inverse predictions with the reference.
void compare(const Data& d, Model model, Weighting weighting, bool given, Worst& worst) {
    std::vector<calc::Decimal> x, y;
    for (std::size_t i = 0; i < d.x.size(); ++i) {
        x.push_back(*calc::parseDecimal(d.x[i]));
        y.push_back(*calc::parseDecimal(d.y[i]));
    }
    const std::unique_ptr<bool[]> excluded(new bool[d.excluded.size()]);
    std::copy(d.excluded.begin(), d.excluded.end(), excluded.get());
    const calc::ModelOutcome outcome =
        given ? calc::fitModelWithWeights(x, y, d.given, model)
              : calc::fitModel(x, y, {excluded.get(), d.excluded.size()}, model, weighting);
    if (std::holds_alternative<calc::FitProblem>(outcome)) {
        // only equal absorbances at a level, which the rounding to 4 decimals can give
        ASSERT_EQ(std::get<calc::FitProblem>(outcome).kind,
                  calc::FitProblem::Kind::NoSpreadAtLevel);
        return;
    }
    const ModelFit& fit = std::get<ModelFit>(outcome);
    const Reference ref = reference(d, model, weighting);
    ++worst.fits;

    std::vector<std::pair<std::optional<double>, Quad>> figures = {
        {fit.b, ref.coefficient[1]},
        {fit.sYX, sqrtq(ref.s2)},
        {fit.sB, sqrtq(ref.covariance[1][1])},
        {fit.r2, ref.r2}};
    if (model != Model::Origin) {
        figures.push_back({fit.a, ref.coefficient[0]});
        figures.push_back({fit.sA, sqrtq(ref.covariance[0][0])});
    }
    if (model == Model::Quadratic) {
        figures.push_back({fit.c, ref.coefficient[2]});
        figures.push_back({fit.sC, sqrtq(ref.covariance[2][2])});
    }
    for (std::size_t i = 0; i < fit.standards.size(); ++i) {
        figures.push_back({fit.standards[i].weight, ref.weight[i]});
        if (fabsq(ref.residual[i]) > 1e-6) { // a residual of 0 has no relative error
            figures.push_back({fit.standards[i].residual, ref.residual[i]});
        }
    }
    for (const auto& [actual, expected] : figures) {
        ASSERT_TRUE(actual.has_value());
        if (expected != 0) {
            worst.figure = std::max(worst.figure, relative(*actual, expected));
        }
    }

    for (const double share : {0.1, 0.5, 0.9}) {
        const double reading = fit.yMin + share * (fit.yMax - fit.yMin);
        const int m = 1 + static_cast<int>(share * 10) % 3;
        const auto sampleWeight = given ? std::optional<double>(0.8) : std::nullopt;
        const calc::InversePrediction p = calc::inversePredict(fit, reading, m, sampleWeight);
        const Inverse expected =
            referenceInverse(ref, weighting, given, static_cast<Quad>(reading), m);
        ASSERT_TRUE(p.x0 && p.sX0) << static_cast<int>(p.problem);
        worst.inverse = std::max(worst.inverse, relative(*p.x0, expected.x0));
        worst.inverse = std::max(worst.inverse, relative(*p.sX0, expected.sX0));
        const auto variance = calc::fittedVariance(fit, *p.x0);
        worst.inverse = std::max(worst.inverse,
                                 relative(static_cast<double>(*variance), expected.curveVariance));
    }
}

const Model models[] = {Model::Line, Model::Origin, Model::Quadratic};
const Weighting weightings[] = {Weighting::None,      Weighting::InverseX,
                                Weighting::InverseX2, Weighting::InverseY,
                                Weighting::InverseY2, Weighting::InverseVariance};

TEST(ModelFitReference, EveryModelAndWeightingAgreesWithQuadruplePrecision) {
    Worst worst;
    for (const Model model : models) {
        for (int w = 0; w <= 6; ++w) {
            const bool given = w == 6; // weights given as they are
            const Weighting weighting = given ? Weighting::None : weightings[w];
            std::mt19937_64 random(1000 + 10 * static_cast<int>(model) + w);
            for (int round = 0; round < 25; ++round) {
                SCOPED_TRACE("model " + std::to_string(static_cast<int>(model)) + " weighting " +
                             std::to_string(w) + " round " + std::to_string(round));
                const int levels = 3 + static_cast<int>(random() % 5);
                compare(randomData(random, model, given, levels), model, weighting, given, worst);
            }
        }
    }
    EXPECT_GT(worst.fits, 500);
    // Correctly rounded from exact values: within half a unit in the last place (2^-53).
    EXPECT_LT(worst.figure, 1.12e-16);
    // In long double from the rounded figures.
    EXPECT_LT(worst.inverse, 1e-13);
    std::printf("%d fits; worst relative difference: figures %.3g, inverse prediction %.3g\n",
                worst.fits, worst.figure, worst.inverse);
}

// 150 levels of 6 decimals: the weights' common denominator is beyond the exact bound (1/x may stay
// below it), and the weights are rounded to 256 bits or more; the figures still agree to a unit
// in the last place.
TEST(ModelFitReference, ManyDistinctWeightsAgreeWithQuadruplePrecision) {
    Worst worst;
    for (const Model model : models) {
        for (int w = 1; w <= 5; ++w) {
            SCOPED_TRACE("model " + std::to_string(static_cast<int>(model)) + " weighting " +
                         std::to_string(w));
            std::mt19937_64 random(2000 + 10 * static_cast<int>(model) + w);
            compare(randomData(random, model, false, 150, 6), model, weightings[w], false, worst);
        }
    }
    EXPECT_EQ(worst.fits, 15);
    EXPECT_LT(worst.figure, 2.3e-16);
    EXPECT_LT(worst.inverse, 1e-13);
}

} // namespace
