// Every figure evaluate() gives for a document, row by row of one table: the coefficients, r, the
// calibrated ranges, each sample's x0, the bands of the plot, the weighted residuals and the
// comparison of weightings, against a weighted least-squares fit worked in quadruple precision
// (__float128) by Gauss-Jordan elimination of the normal equations, and against the printed
// figures of a published teaching example where one is given.

#include "calibration/results.h"
#include "reference_t.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>
#include <quadmath.h>
#include <string>
#include <vector>

namespace {

using Quad = __float128;
using calc::Model;
using calc::Weighting;
using Texts = std::vector<std::string>;

Quad quad(const std::string& text) {
    return strtoflt128(text.c_str(), nullptr);
}

double toDouble(Quad value) {
    return static_cast<double>(value);
}

struct Fit {
    int p = 0, n = 0;
    std::array<Quad, 3> beta{};                   // a, b, c as the basis holds them
    std::array<std::array<Quad, 3>, 3> cov{};     // of beta
    std::array<int, 3> power{};                   // of x per basis function
    Quad s2 = 0, r2 = 0;                          // s(y/x)^2 with the weights normalized to n
    std::vector<Quad> residual, weightedResidual; // per standard
    Quad at(Quad x) const {
        Quad y = 0;
        for (int j = 0; j < p; ++j) {
            y += beta[j] * powq(x, power[j]);
        }
        return y;
    }
    Quad variance(Quad x) const {
        Quad v = 0;
        for (int j = 0; j < p; ++j) {
            for (int k = 0; k < p; ++k) {
                v += powq(x, power[j]) * powq(x, power[k]) * cov[j][k];
            }
        }
        return v;
    }
    Quad coefficient(int power) const {
        for (int j = 0; j < p; ++j) {
            if (this->power[j] == power) {
                return beta[j];
            }
        }
        return 0;
    }
};

// The raw weight of each fitted standard, or none where the weighting cannot be used.
std::optional<std::vector<Quad>> weightsOf(Weighting weighting, const std::vector<Quad>& x,
                                           const std::vector<Quad>& y,
                                           const std::vector<bool>& fitted) {
    std::vector<Quad> w(x.size(), 0);
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (!fitted[i]) {
            continue;
        }
        switch (weighting) {
        case Weighting::None:
            w[i] = 1;
            break;
        case Weighting::InverseX:
            w[i] = 1 / x[i];
            break;
        case Weighting::InverseX2:
            w[i] = 1 / (x[i] * x[i]);
            break;
        case Weighting::InverseY:
            w[i] = 1 / y[i];
            break;
        case Weighting::InverseY2:
            w[i] = 1 / (y[i] * y[i]);
            break;
        case Weighting::InverseVariance: {
            // 1 / s^2 of the readings at the standard's concentration
            Quad sum = 0, squares = 0;
            int k = 0;
            for (std::size_t j = 0; j < x.size(); ++j) {
                if (fitted[j] && x[j] == x[i]) {
                    sum += y[j];
                    squares += y[j] * y[j];
                    ++k;
                }
            }
            w[i] = k < 2 ? 0 : (k - 1) / (squares - sum * sum / k);
            break;
        }
        }
        // 1/x² and 1/y² ask for positive values as 1/x and 1/y do: a negative is refused,
        // not squared away.
        const bool ofX = weighting == Weighting::InverseX || weighting == Weighting::InverseX2;
        const bool ofY = weighting == Weighting::InverseY || weighting == Weighting::InverseY2;
        if (!(w[i] > 0) || isinfq(w[i]) || (ofX && !(x[i] > 0)) || (ofY && !(y[i] > 0))) {
            return std::nullopt;
        }
    }
    return w;
}

std::optional<Fit> fitOf(Model model, Weighting weighting, const std::vector<Quad>& x,
                         const std::vector<Quad>& y, const std::vector<bool>& fitted) {
    const auto w = weightsOf(weighting, x, y, fitted);
    if (!w) {
        return std::nullopt;
    }
    Fit fit;
    fit.power = model == Model::Origin ? std::array<int, 3>{1, 0, 0} : std::array<int, 3>{0, 1, 2};
    fit.p = model == Model::Line ? 2 : model == Model::Origin ? 1 : 3;
    const int p = fit.p;
    // [M | v | I] reduced to [I | beta | M^-1]
    std::array<std::array<Quad, 7>, 3> m{};
    Quad sumW = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (!fitted[i]) {
            continue;
        }
        ++fit.n;
        sumW += (*w)[i];
        for (int j = 0; j < p; ++j) {
            m[j][p] += (*w)[i] * powq(x[i], fit.power[j]) * y[i];
            for (int k = 0; k < p; ++k) {
                m[j][k] += (*w)[i] * powq(x[i], fit.power[j] + fit.power[k]);
            }
        }
    }
    for (int j = 0; j < p; ++j) {
        m[j][p + 1 + j] = 1;
    }
    for (int j = 0; j < p; ++j) {
        int pivot = j;
        for (int k = j + 1; k < p; ++k) {
            if (fabsq(m[k][j]) > fabsq(m[pivot][j])) {
                pivot = k;
            }
        }
        std::swap(m[j], m[pivot]);
        const Quad diagonal = m[j][j];
        for (Quad& cell : m[j]) {
            cell /= diagonal;
        }
        for (int k = 0; k < p; ++k) {
            if (k != j) {
                const Quad factor = m[k][j];
                for (int l = 0; l < 2 * p + 1; ++l) {
                    m[k][l] -= factor * m[j][l];
                }
            }
        }
    }
    Quad rss = 0, meanY = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        meanY += fitted[i] ? (*w)[i] * y[i] / sumW : 0;
    }
    for (int j = 0; j < p; ++j) {
        fit.beta[j] = m[j][p];
    }
    Quad total = 0;
    const Quad nu = fit.n / sumW;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const Quad r = y[i] - fit.at(x[i]);
        fit.residual.push_back(r);
        const bool weighted = weighting != Weighting::None && fitted[i];
        fit.weightedResidual.push_back(weighted ? sqrtq(nu * (*w)[i]) * r : r);
        if (fitted[i]) {
            rss += (*w)[i] * r * r;
            const Quad d = model == Model::Origin ? y[i] : y[i] - meanY;
            total += (*w)[i] * d * d;
        }
    }
    const int dof = fit.n - p;
    fit.s2 = dof > 0 ? nu * rss / dof : 0;
    for (int j = 0; j < p; ++j) {
        for (int k = 0; k < p; ++k) {
            fit.cov[j][k] = dof > 0 ? rss / dof * m[j][p + 1 + k] : 0;
        }
    }
    fit.r2 = 1 - rss / total;
    return fit;
}

// The concentration where the curve reads y: of a quadratic, the root nearest `near`.
Quad readAt(const Fit& fit, Quad y, Quad near) {
    const Quad a = fit.coefficient(0), b = fit.coefficient(1), c = fit.coefficient(2);
    if (c == 0) {
        return (y - a) / b;
    }
    const Quad root = sqrtq(b * b - 4 * c * (a - y));
    const Quad one = (-b + root) / (2 * c), other = (-b - root) / (2 * c);
    return fabsq(one - near) <= fabsq(other - near) ? one : other;
}

::testing::AssertionResult near(const char* what, std::optional<double> actual, Quad expected,
                                Quad scale = 0) {
    if (!actual) {
        return ::testing::AssertionFailure() << what << " missing";
    }
    const Quad allowed = 1e-9 * fabsq(expected) + 1e-12 * scale;
    if (fabsq(static_cast<Quad>(*actual) - expected) <= allowed) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << what << ": " << *actual << " against " << toDouble(expected);
}

struct Published {
    double a, b, r, half;        // printed to the digits `half` allows
    std::vector<double> x0, sX0; // per sample, to two decimals
};

struct Row {
    const char* name;
    Model model;
    Weighting weighting;
    Texts x, y;
    std::vector<bool> excluded; // empty: none
    Texts samples;              // the readings of each sample
    std::optional<Published> published{};
    // The blank correction, or the internal standard's response per standard: the curve, the
    // samples and the comparison are then of the absorbances less the zero standards' mean, or of
    // the ratios A / A_IS.
    bool blankCorrection = false;
    Texts is{};
};

const Row kRows[] = {
    // The fluorescence standards of a teaching example, whose printed figures are a = 1.52,
    // b = 1.93, r = 0.9989, and x0 = 0.72, 6.21, 11.13 with s(x0) = 0.26, 0.24, 0.26.
    {"published fluorescence line",
     Model::Line,
     Weighting::None,
     {"0", "2", "4", "6", "8", "10", "12"},
     {"2.1", "5.0", "9.0", "12.6", "17.3", "21.0", "24.7"},
     {},
     {"2.9", "13.5", "23.0"},
     Published{1.52, 1.93, 0.9989, 0.005, {0.72, 6.21, 11.13}, {0.26, 0.24, 0.26}}},
    {"falling line, a reading at the standards' mean",
     Model::Line,
     Weighting::None,
     {"1", "2", "3", "4", "5"},
     {"0.91", "0.74", "0.62", "0.43", "0.30"},
     {},
     {"0.6", "0.5 0.7"}},
    {"1/x² with one standard excluded",
     Model::Line,
     Weighting::InverseX2,
     {"0.5", "1", "2", "5", "10", "20"},
     {"0.026", "0.049", "0.101", "0.262", "0.49", "1.03"},
     {false, false, false, true, false, false},
     {"0.3", "0.98 1.01"}},
    {"1/y through the origin",
     Model::Origin,
     Weighting::InverseY,
     {"1", "2", "4", "8"},
     {"0.11", "0.19", "0.42", "0.79"},
     {},
     {"0.5"}},
    {"quadratic, 1/x",
     Model::Quadratic,
     Weighting::InverseX,
     {"1", "2", "3", "4", "5", "6"},
     {"0.10", "0.195", "0.28", "0.36", "0.43", "0.49"},
     {},
     {"0.25", "0.45"}},
    {"1/s² over replicated levels",
     Model::Line,
     Weighting::InverseVariance,
     {"1", "1", "2", "2", "4", "4", "8", "8"},
     {"0.10", "0.11", "0.21", "0.19", "0.40", "0.43", "0.78", "0.83"},
     {},
     {"0.3"}},
    {"n = 2: no degrees of freedom",
     Model::Line,
     Weighting::None,
     {"1", "3"},
     {"0.2", "0.5"},
     {},
     {"0.35"}},
    {"a zero standard: no 1/x rows",
     Model::Line,
     Weighting::None,
     {"0", "1", "2", "3"},
     {"0.01", "0.12", "0.20", "0.31"},
     {},
     {"0.15"}},
    // The blank taken off leaves the zero standards at about 0, where 1/y and 1/y² cannot weigh:
    // the comparison offers neither, as the curve beside it could use neither.
    {"blank-corrected: no 1/y rows",
     Model::Line,
     Weighting::None,
     {"0", "0", "1", "1", "2", "2", "4", "4"},
     {"0.040", "0.044", "0.141", "0.139", "0.238", "0.245", "0.437", "0.441"},
     {},
     {"0.2", "0.3 0.31"},
     std::nullopt,
     true},
    {"internal standard's ratios, 1/x²",
     Model::Line,
     Weighting::InverseX2,
     {"0.5", "1", "2", "5", "10"},
     {"0.052", "0.1", "0.21", "0.49", "1.02"},
     {},
     {},
     std::nullopt,
     false,
     {"1.03", "0.98", "1.07", "0.95", "1.01"}},
};

TEST(EvaluateTable, EveryFigure) {
    const Weighting all[] = {Weighting::None,     Weighting::InverseX,  Weighting::InverseX2,
                             Weighting::InverseY, Weighting::InverseY2, Weighting::InverseVariance};
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        calibration::Document document;
        document.settings.model = row.model;
        document.settings.weighting = row.weighting;
        document.settings.blankCorrection = row.blankCorrection;
        document.settings.internalStandard = !row.is.empty();
        std::vector<Quad> x, y;
        std::vector<bool> fitted;
        for (std::size_t i = 0; i < row.x.size(); ++i) {
            const bool excluded = !row.excluded.empty() && row.excluded[i];
            document.standards.push_back({row.x[i], row.y[i], excluded, excluded ? "test" : ""});
            x.push_back(quad(row.x[i]));
            y.push_back(quad(row.y[i]));
            if (!row.is.empty()) {
                document.standards.back().is = row.is[i];
                y.back() /= quad(row.is[i]);
            }
            fitted.push_back(!excluded);
        }
        Quad blank = 0; // the zero standards' mean absorbance
        if (row.blankCorrection) {
            int zeros = 0;
            for (std::size_t i = 0; i < x.size(); ++i) {
                if (fitted[i] && x[i] == 0) {
                    blank += y[i];
                    ++zeros;
                }
            }
            blank /= zeros;
            for (Quad& value : y) {
                value -= blank;
            }
        }
        for (const std::string& readings : row.samples) {
            calibration::Sample sample;
            sample.readings = readings;
            document.samples.push_back(sample);
        }
        const calibration::Results results = calibration::evaluate(document);
        const calibration::CurveResult& curve = results.curve;
        ASSERT_TRUE(curve.fit);
        const std::optional<Fit> ref = fitOf(row.model, row.weighting, x, y, fitted);
        ASSERT_TRUE(ref);
        const int dof = ref->n - ref->p;
        Quad scale = 0; // of the absorbances: the yardstick of a residual
        Quad xMin = 1e300, xMax = -1e300, yMin = 1e300, yMax = -1e300;
        for (std::size_t i = 0; i < x.size(); ++i) {
            scale = fmaxq(scale, fabsq(y[i]));
            if (fitted[i]) {
                xMin = fminq(xMin, x[i]), xMax = fmaxq(xMax, x[i]);
                yMin = fminq(yMin, y[i]), yMax = fmaxq(yMax, y[i]);
            }
        }

        // The curve, its spread and its ranges.
        EXPECT_EQ(curve.fit->n, ref->n);
        EXPECT_TRUE(near("a", curve.fit->a, ref->coefficient(0), scale));
        EXPECT_TRUE(near("b", curve.fit->b, ref->coefficient(1)));
        EXPECT_TRUE(near("c", curve.fit->c, ref->coefficient(2), scale));
        EXPECT_TRUE(near("R²", curve.r2.value, ref->r2));
        if (row.model != Model::Quadratic) {
            const Quad r = sqrtq(ref->r2);
            EXPECT_TRUE(near("r", curve.r.value, ref->coefficient(1) < 0 ? -r : r));
        }
        EXPECT_EQ(curve.sYX.value.has_value(), dof > 0);
        if (dof > 0) {
            EXPECT_TRUE(near("s(y/x)", curve.sYX.value, sqrtq(ref->s2)));
        }
        EXPECT_EQ(curve.fit->xMin, toDouble(xMin));
        EXPECT_EQ(curve.fit->xMax, toDouble(xMax));
        EXPECT_EQ(curve.fit->yMin, toDouble(yMin));
        EXPECT_EQ(curve.fit->yMax, toDouble(yMax));

        // The residual plot's figures, excluded standards included.
        ASSERT_EQ(curve.standards.size(), x.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            EXPECT_TRUE(near("√w·residual", curve.standards[i].weightedResidual,
                             ref->weightedResidual[i], scale));
        }

        // The bands at both ends of the range and halfway, none without degrees of freedom.
        if (dof == 0) {
            EXPECT_TRUE(curve.bands.empty());
        } else {
            ASSERT_EQ(curve.bands.size(), std::size_t(calibration::CurveResult::kBandSteps) + 1);
            const Quad t = referenceT975(dof);
            for (const int step : {0, 50, 100}) {
                SCOPED_TRACE(step);
                const calibration::BandPoint& band = curve.bands[std::size_t(step)];
                EXPECT_EQ(band.x, curve.fit->xMin + (curve.fit->xMax - curve.fit->xMin) * step /
                                                        calibration::CurveResult::kBandSteps);
                const Quad at = ref->at(band.x);
                const Quad confidence = t * sqrtq(ref->variance(band.x));
                const Quad prediction = t * sqrtq(ref->variance(band.x) + ref->s2);
                EXPECT_TRUE(near("curve", band.y, at, scale));
                EXPECT_TRUE(near("confidence low", band.confidenceLow, at - confidence, scale));
                EXPECT_TRUE(near("confidence high", band.confidenceHigh, at + confidence, scale));
                EXPECT_TRUE(near("prediction low", band.predictionLow, at - prediction, scale));
                EXPECT_TRUE(near("prediction high", band.predictionHigh, at + prediction, scale));
            }
        }

        // Each sample's x0 where the curve reads its mean.
        ASSERT_EQ(results.samples.size(), row.samples.size());
        for (std::size_t s = 0; s < row.samples.size(); ++s) {
            Quad sum = 0;
            int m = 0;
            for (const std::string_view reading : calibration::readingTexts(row.samples[s])) {
                sum += quad(std::string(reading));
                ++m;
            }
            const Quad mean = sum / m - blank;
            EXPECT_TRUE(
                near("x0", results.samples[s].x0.value, readAt(*ref, mean, (xMin + xMax) / 2)));
        }

        // The comparison: every weighting the reference can use on the values the curve is
        // fitted to, with its sum of relative errors, and the smallest marked; the row of the
        // curve's own weighting is the curve's.
        std::vector<std::pair<Weighting, Quad>> expected;
        for (const Weighting weighting : all) {
            if (const auto other = fitOf(row.model, weighting, x, y, fitted)) {
                Quad sum = 0;
                for (std::size_t i = 0; i < x.size(); ++i) {
                    if (fitted[i] && x[i] != 0) {
                        sum += fabsq((readAt(*other, y[i], x[i]) - x[i]) / x[i]) * 100;
                    }
                }
                expected.emplace_back(weighting, sum);
            }
        }
        ASSERT_EQ(curve.weightings.size(), expected.size());
        // Sums equal but for rounding (n = 2: every line passes through both standards) mark
        // the first.
        Quad least = expected.front().second;
        for (const auto& [weighting, sum] : expected) {
            least = fminq(least, sum);
        }
        std::size_t best = 0;
        while (expected[best].second > least + 1e-9 * least + 1e-10) {
            ++best;
        }
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(int(expected[i].first));
            EXPECT_EQ(curve.weightings[i].weighting, expected[i].first);
            EXPECT_TRUE(near("Σ|relative error| %", curve.weightings[i].sumRelativeErrorPct,
                             expected[i].second, 100));
            EXPECT_EQ(curve.weightings[i].best, i == best);
        }

        // The printed figures of a published example, to the digits printed.
        if (row.published) {
            const Published& p = *row.published;
            EXPECT_NEAR(curve.fit->a, p.a, p.half);
            EXPECT_NEAR(curve.fit->b, p.b, p.half);
            EXPECT_NEAR(*curve.r.value, p.r, 0.00005);
            for (std::size_t s = 0; s < p.x0.size(); ++s) {
                EXPECT_NEAR(*results.samples[s].x0.value, p.x0[s], p.half);
                EXPECT_NEAR(*results.samples[s].sX0.value, p.sX0[s], p.half);
            }
        }
    }
}

} // namespace
