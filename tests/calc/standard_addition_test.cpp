// Standard addition against printed textbook examples, rows exactly on a line, and randomized rows
// against the same formulas evaluated independently in quadruple precision.

#include "calc/distributions.h"
#include "calc/standard_addition.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <quadmath.h>
#include <random>
#include <string>
#include <vector>

namespace {

using calc::Addition;
using calc::AdditionProblem;
using calc::Decimal;
using calc::Weighting;
using Quad = __float128;
using Texts = std::vector<std::string>;

std::vector<Decimal> decimals(const Texts& texts) {
    std::vector<Decimal> values;
    for (const std::string& text : texts) {
        values.push_back(calc::parseDecimal(text).value());
    }
    return values;
}

Decimal decimal(const char* text) {
    return calc::parseDecimal(text).value();
}

Addition additionOrFail(const calc::AdditionOutcome& outcome) {
    if (const auto* problem = std::get_if<AdditionProblem>(&outcome)) {
        ADD_FAILURE() << "problem " << static_cast<int>(problem->kind);
        return {};
    }
    return std::get<Addition>(outcome);
}

// Miller & Miller, "Statistics and Chemometrics for Analytical Chemistry", section 5.8 (the
// method of standard additions): silver in photographic waste by AAS, 0 ... 30 ng/mL added against
// 0.32 ... 0.89. Printed: a = 0.3218, b = 0.0186, x_E = 17.3 ng/mL, s_xE = 0.749, and 17.3 +- 1.9
// ng/mL at 95 % (t = 2.57, 5 degrees of freedom). The book's s(y/x) = 0.01094 and s_xE = 0.749
// come from its rounded coefficients; exactly, in fractions: b = 13.05 / 700, a = 4.21/7 - 15 b,
// x_E = 17.260536398467433, s(y/x) = 0.010921799956312801, s(x_E) = 0.74787063604986100, and the
// half-width t(0.975; 5) * s(x_E) = 2.5705818356363146 * 0.74787063604986100 = 1.9224626724355498.
TEST(StandardAddition, SilverByAtomicAbsorption) {
    const auto x = decimals({"0", "5", "10", "15", "20", "25", "30"});
    const auto y = decimals({"0.32", "0.41", "0.52", "0.60", "0.70", "0.77", "0.89"});
    const Addition addition = additionOrFail(calc::standardAddition(x, y, {}));
    EXPECT_NEAR(addition.fit.a, 0.3218, 5e-5);
    EXPECT_NEAR(addition.fit.b, 0.0186, 5e-5);
    EXPECT_NEAR(addition.xE, 17.3, 0.05);
    ASSERT_TRUE(addition.sXE && addition.ci95 && addition.ci99 && addition.t95);
    EXPECT_NEAR(*addition.ci95, 1.9, 0.05);
    EXPECT_NEAR(*addition.t95, 2.57, 0.005);
    EXPECT_NEAR(addition.xE, 17.260536398467433, 4e-15);
    EXPECT_NEAR(*addition.fit.sYX, 0.010921799956312801, 2e-18);
    EXPECT_NEAR(*addition.sXE, 0.74787063604986100, 2e-16);
    EXPECT_NEAR(*addition.ci95, 1.9224626724355498, 5e-15);
    EXPECT_NEAR(*addition.ci99, *addition.sXE * calc::studentQuantile(0.995, 5), 1e-15);
    EXPECT_FALSE(addition.singlePoint);
    EXPECT_STREQ(addition.formulaKey, "extrapolation");
    EXPECT_STREQ(addition.formula, "s(x_E) = s(y/x)/|b| · √(1/n + ȳ²/(b²·Σ(x_i − x̄)²))");
}

// Two rows: the result without an interval.
TEST(StandardAddition, SinglePointKnownAddition) {
    // Harvey, "Modern Analytical Chemistry", example 5.3: 1.00 mL of blood made up to 5.00 mL
    // reads 0.193; a second 1.00 mL spiked with 1.00 uL of 1560 ppb Pb2+ and made up to 5.00 mL
    // reads 0.419: the spike is 1560 * 0.00100 / 5.00 = 0.312 ppb in the measured solution, and
    // Pb2+ in the blood is 1.33 ppb (x_E = 0.193 * 0.312 / 0.226 = 0.26644 ppb, times 5.00 / 1.00).
    const auto x = decimals({"0", "0.312"});
    const auto y = decimals({"0.193", "0.419"});
    const Addition blood = additionOrFail(calc::standardAddition(x, y, {}));
    EXPECT_NEAR(blood.xE, 0.193 * 0.312 / 0.226, 1e-16);
    EXPECT_NEAR(blood.xE * 5.00 / 1.00, 1.33, 0.005);

    // Harris, "Quantitative Chemical Analysis", section 5-3: serum reads 4.27 mV; 5.00 mL of 2.08 M
    // NaCl added to 95.0 mL of it reads 7.98 mV; Na+ in the serum is 0.113 M. In the volume form:
    // y = 4.27 * 95.0 = 405.65 and 7.98 * 100.00 = 798, x = 0 and 2.08 * 5.00 = 10.4, C_A = a /
    // (b V0) = 405.65 * 10.4 / (392.35 * 95.0) = 0.11318466...
    const Addition serum = additionOrFail(calc::volumeStandardAddition(
        decimals({"0", "5.00"}), decimals({"4.27", "7.98"}), {}, decimal("95.0"), decimal("2.08")));
    EXPECT_NEAR(serum.xE, 405.65 * 10.4 / (392.35 * 95.0), 1e-16);
    EXPECT_NEAR(serum.xE, 0.113, 0.0005);

    // Harvey, example 5.4: 5.00 mL of blood reads 0.712; spiked with 5.00 uL of 1560 ppb Pb2+
    // (no making up to volume) it reads 1.546; Pb2+ is 1.33 ppb.
    const Addition spiked = additionOrFail(
        calc::volumeStandardAddition(decimals({"0", "0.00500"}), decimals({"0.712", "1.546"}), {},
                                     decimal("5.00"), decimal("1560")));
    EXPECT_NEAR(spiked.xE, 1.33, 0.005);

    for (const Addition* a : {&blood, &serum, &spiked}) {
        EXPECT_TRUE(a->singlePoint);
        EXPECT_FALSE(a->sXE || a->ci95 || a->ci99 || a->t95 || a->t99);
        EXPECT_FALSE(a->fit.sYX.has_value());
    }
}

// Rows exactly on the line S = (C_A V0 + C_std V) / (V0 + V) with C_A = 2, V0 = 1, C_std = 10:
// C_A comes out exactly, with s = 0, weighted or not; and an excluded row is left out.
TEST(StandardAddition, VolumeFormOnTheLine) {
    const auto volume = decimals({"0", "1", "3", "4", "2"});
    const auto signal = decimals({"2", "6", "8", "8.4", "99"});
    const bool excluded[] = {false, false, false, false, true};
    for (const Weighting weighting : {Weighting::None, Weighting::InverseY, Weighting::InverseY2}) {
        SCOPED_TRACE(static_cast<int>(weighting));
        const Addition a = additionOrFail(calc::volumeStandardAddition(
            volume, signal, excluded, decimal("1"), decimal("10"), weighting));
        EXPECT_EQ(a.xE, 2.0);
        EXPECT_EQ(a.sXE, 0.0);
        EXPECT_EQ(a.ci95, 0.0);
        EXPECT_EQ(a.fit.n, 4);
        EXPECT_STREQ(a.formulaKey, weighting == Weighting::None ? "volume_extrapolation"
                                                                : "volume_extrapolation_weighted");
    }
    const calc::VolumeRows rows = calc::volumeFormRows(volume, signal, decimal("1"), decimal("10"));
    EXPECT_EQ(rows.x, decimals({"0", "10", "30", "40", "20"}));
    EXPECT_EQ(rows.y, decimals({"2", "12", "32", "42", "297"}));
}

struct Reference {
    Quad xE = 0, sXE = 0;
};

// The weighted line through (x, y) by its sums, the weights normalized to sum to n, and
// s(x_E) = s/|b| sqrt(1/n + ybar^2 / (b^2 Sxx)), all in quadruple precision.
Reference reference(const std::vector<Quad>& x, const std::vector<Quad>& y, Weighting weighting,
                    Quad scale) {
    const std::size_t n = x.size();
    std::vector<Quad> w(n);
    Quad sumF = 0, mx = 0, my = 0, sxx = 0, sxy = 0, rss = 0;
    for (std::size_t i = 0; i < n; ++i) {
        w[i] = weighting == Weighting::InverseY    ? 1 / y[i]
               : weighting == Weighting::InverseY2 ? 1 / (y[i] * y[i])
                                                   : 1;
        sumF += w[i];
    }
    for (std::size_t i = 0; i < n; ++i) {
        w[i] *= n / sumF; // so that they sum to n
        mx += w[i] * x[i] / n;
        my += w[i] * y[i] / n;
    }
    for (std::size_t i = 0; i < n; ++i) {
        sxx += w[i] * (x[i] - mx) * (x[i] - mx);
        sxy += w[i] * (x[i] - mx) * (y[i] - my);
    }
    const Quad b = sxy / sxx;
    const Quad a = my - b * mx;
    for (std::size_t i = 0; i < n; ++i) {
        rss += w[i] * (y[i] - a - b * x[i]) * (y[i] - a - b * x[i]);
    }
    const Quad s2 = rss / (n - 2);
    return {a / (b * scale), sqrtq(s2 / (b * b) * (Quad(1) / n + my * my / (b * b * sxx))) / scale};
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

bool near(double actual, Quad expected, double relative) {
    return fabsq(actual - expected) <= relative * fabsq(expected);
}

// Additions made up to volume and additions to the sample itself, 3 to 8 rows, unweighted, 1/y
// and 1/y^2, against the quadruple-precision reference of the same rows.
TEST(StandardAddition, RandomizedAgainstQuadruplePrecision) {
    std::mt19937_64 random(31);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::normal_distribution<double> noise(0.0, 1.0);
    for (int trial = 0; trial < 300; ++trial) {
        const bool volumeForm = trial % 2 == 1;
        const Weighting weightings[] = {Weighting::None, Weighting::InverseY, Weighting::InverseY2};
        const Weighting weighting = weightings[trial / 2 % 3];
        const int rows = 3 + static_cast<int>(random() % 6);
        const double content = 0.5 + 5 * unit(random);
        const double slope = 0.02 + 0.5 * unit(random);
        const std::string v0 = fixed(10 + 40 * unit(random), 2);
        const std::string cStd = fixed(100 + 900 * unit(random), 1);
        Texts added, signal;
        for (int i = 0; i < rows; ++i) {
            const double a = i * (volumeForm ? 0.01 : 1.5) * (1 + 0.2 * unit(random));
            added.push_back(fixed(a, 3));
            const double x =
                volumeForm ? (content * std::stod(v0) + std::stod(cStd) * a) / (std::stod(v0) + a)
                           : content + a;
            signal.push_back(fixed(slope * x * (1 + 0.01 * noise(random)), 4));
        }
        SCOPED_TRACE(trial);
        const auto quad = [](const std::string& text) {
            return strtoflt128(text.c_str(), nullptr);
        };
        std::vector<Quad> x, y;
        for (int i = 0; i < rows; ++i) {
            x.push_back(volumeForm ? quad(cStd) * quad(added[i]) : quad(added[i]));
            y.push_back(volumeForm ? quad(signal[i]) * (quad(v0) + quad(added[i]))
                                   : quad(signal[i]));
        }
        const Reference expected = reference(x, y, weighting, volumeForm ? quad(v0) : 1);
        const Addition got = additionOrFail(
            volumeForm ? calc::volumeStandardAddition(decimals(added), decimals(signal), {},
                                                      decimal(v0.c_str()), decimal(cStd.c_str()),
                                                      weighting)
                       : calc::standardAddition(decimals(added), decimals(signal), {}, weighting));
        EXPECT_TRUE(near(got.xE, expected.xE, 1e-14));
        ASSERT_TRUE(got.sXE.has_value());
        EXPECT_TRUE(near(*got.sXE, expected.sXE, 1e-12));
    }
}

TEST(StandardAddition, Refused) {
    using Kind = AdditionProblem::Kind;
    const auto x = decimals({"0", "1", "2"});
    const auto y = decimals({"1.0", "2.0", "3.1"});
    const bool firstExcluded[] = {true, false, false};
    struct Case {
        const char* name;
        calc::AdditionOutcome outcome;
        Kind kind;
        std::size_t row;
        std::optional<calc::FitProblem::Kind> fit;
    };
    const Case cases[] = {
        {"flat signal",
         calc::standardAddition(x, decimals({"2", "2", "2"}), {}),
         Kind::ZeroSlope,
         0,
         {}},
        {"a negative concentration added",
         calc::standardAddition(decimals({"0", "-1", "2"}), y, {}),
         Kind::NegativeAddition,
         1,
         {}},
        {"a negative volume added",
         calc::volumeStandardAddition(decimals({"0", "1", "-0.5"}), y, {}, decimal("10"),
                                      decimal("5")),
         Kind::NegativeAddition,
         2,
         {}},
        {"V0 zero",
         calc::volumeStandardAddition(x, y, {}, decimal("0"), decimal("5")),
         Kind::SampleVolumeNotPositive,
         0,
         {}},
        {"V0 negative",
         calc::volumeStandardAddition(x, y, {}, decimal("-10"), decimal("5")),
         Kind::SampleVolumeNotPositive,
         0,
         {}},
        {"standard zero",
         calc::volumeStandardAddition(x, y, {}, decimal("10"), decimal("-0")),
         Kind::StandardNotPositive,
         0,
         {}},
        {"one row", calc::standardAddition(decimals({"0"}), decimals({"1"}), {}), Kind::Fit, 0,
         calc::FitProblem::Kind::TooFewStandards},
        {"one level", calc::standardAddition(decimals({"1", "1"}), decimals({"1", "2"}), {}),
         Kind::Fit, 0, calc::FitProblem::Kind::NoSpread},
        {"1/x with the unspiked row", calc::standardAddition(x, y, {}, Weighting::InverseX),
         Kind::Fit, 0, calc::FitProblem::Kind::WeightNotPositive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(std::holds_alternative<AdditionProblem>(c.outcome));
        const auto& problem = std::get<AdditionProblem>(c.outcome);
        EXPECT_EQ(problem.kind, c.kind);
        EXPECT_EQ(problem.row, c.row);
        EXPECT_EQ(problem.fit ? std::optional(problem.fit->kind) : std::nullopt, c.fit);
    }
    // 1/x refuses the unspiked row only while it is fitted; a negative row excluded is no matter.
    const bool negativeExcluded[] = {false, true, false};
    EXPECT_TRUE(std::holds_alternative<Addition>(calc::standardAddition(
        x, decimals({"1", "2", "3.1"}), firstExcluded, Weighting::InverseX)));
    EXPECT_TRUE(std::holds_alternative<Addition>(calc::standardAddition(
        decimals({"0", "-1", "2", "3"}), decimals({"1", "2", "3.1", "4"}), negativeExcluded)));
}

} // namespace
