// The uncertainty budget against the EURACHEM/CITAC guide "Quantifying Uncertainty in Analytical
// Measurement" (3rd edition, QUAM:2012.P1), example A5, cadmium released from ceramic ware by AAS,
// and against tables worked by hand in exact decimal arithmetic (40 digits) below.

#include "calc/decimal.h"
#include "calc/distributions.h"
#include "calc/model_fit.h"
#include "calc/uncertainty.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using calc::Component;
using calc::Coverage;
using calc::Distribution;
using calc::Uncertainty;
using calc::UncertaintyProblem;
using Kind = calc::UncertaintyProblem::Kind;

std::vector<calc::Decimal> decimals(const std::vector<const char*>& texts) {
    std::vector<calc::Decimal> values;
    for (const char* text : texts) {
        values.push_back(calc::parseDecimal(text).value());
    }
    return values;
}

Uncertainty evaluated(double result, const std::vector<Component>& components, Coverage coverage) {
    const auto outcome = calc::evaluateUncertainty(result, components, coverage);
    if (const auto* problem = std::get_if<UncertaintyProblem>(&outcome)) {
        ADD_FAILURE() << "problem " << static_cast<int>(problem->kind);
        return {};
    }
    return std::get<Uncertainty>(outcome);
}

// A5.4: five standards 0.1 ... 0.9 mg/L read three times each, B1 = 0.2410, B0 = 0.0087; the
// extraction solution read twice, 0.0712 and 0.0716: c0 = 0.260 mg/L with u(c0) = 0.018 mg/L.
// In exact fractions: a = 87/10000, b = 241/1000, Sum r^2 = 489/1250000, Sxx = 6/5, ybar =
// 323/2500; s(y/x) = 0.0054856456039657; c0 = 0.0627 / 0.241 = 0.26016597510373444;
// u(c0) = s/b * sqrt(1/2 + 1/15 + (c0 - 0.5)^2 / 1.2) = 0.017844611125583096.
TEST(Uncertainty, CadmiumCalibrationTerm) {
    const auto x = decimals({"0.1", "0.1", "0.1", "0.3", "0.3", "0.3", "0.5", "0.5", "0.5", "0.7",
                             "0.7", "0.7", "0.9", "0.9", "0.9"});
    const auto y = decimals({"0.028", "0.029", "0.029", "0.084", "0.083", "0.081", "0.135", "0.131",
                             "0.133", "0.180", "0.181", "0.183", "0.215", "0.230", "0.216"});
    const auto outcome = calc::fitModel(x, y, {}, calc::Model::Line, calc::Weighting::None);
    const auto& fit = std::get<calc::ModelFit>(outcome);
    EXPECT_EQ(fit.a, 0.0087);
    EXPECT_EQ(fit.b, 0.241);
    EXPECT_EQ(fit.dof, 13);
    const double readings[] = {0.0712, 0.0716};
    const calc::InversePrediction c0 = calc::inversePredict(fit, calc::meanOf(readings), 2);
    ASSERT_TRUE(c0.x0 && c0.sX0);
    EXPECT_NEAR(*c0.x0, 0.26016597510373444, 1e-16);
    EXPECT_NEAR(*c0.sX0, 0.017844611125583096, 1e-16);
    EXPECT_NEAR(*c0.x0, 0.260, 0.0005);  // as printed
    EXPECT_NEAR(*c0.sX0, 0.018, 0.0005); // as printed

    const auto term = calc::calibrationComponent(*c0.x0, c0.sX0, fit.dof);
    const auto& component = std::get<Component>(term);
    EXPECT_EQ(component.name, "calibration");
    EXPECT_NEAR(component.uRel, 0.068589334629434229, 1e-16);
    EXPECT_EQ(component.dof, 13.0);
}

// The budget of r = c0 V_L / a_V (d = 1): relative standard uncertainties, the calibration with
// 13 degrees of freedom, the others infinite. r = 0.26 * 0.332 / 5.73 = 0.015064572425828970.
//
// (a) As the guide prints them:
//   component  u_rel    u_rel^2       share
//   c0         0.069    0.004761      0.50217281
//   V_L        0.0054   0.00002916    0.00307569
//   a_V        0.033    0.001089      0.11486372
//   f_acid     0.0008   0.00000064    0.00006751
//   f_time     0.001    0.000001      0.00010548
//   f_temp     0.06     0.0036        0.37971479
//   sum                 0.00948080
//   u_c,rel = sqrt(0.0094808) = 0.097369399710586693 (printed 0.097); u_c(r) = 0.0014668 (printed
//   0.0015); nu_eff = 13 / 0.50217281^2 = 51.550984014246891; t(0.975; 51.55) = 2.00706;
//   U (k = 2) = 0.0029337 -> "0.0030", and r to that place, "0.0151".
// (b) The same from the fit and the typed tolerances: c0 0.068589334629434229 (u^2 0.0047044968),
//   f_time +-0.0015 rectangular 0.00086602540 (7.5e-7), f_temp +-0.1 rectangular 0.057735026919
//   (0.0033333333): sum 0.0091573801, u_c,rel = 0.095694201278038989, share of c0 0.51373829,
//   nu_eff = 49.256038539798615, t = 2.00931.
// (c) (a) with u(a_V) = sqrt(0.042^2 + 0.146^2) = 0.15192 dm^2, the root sum of its own two parts,
//   where the guide prints 0.19 (its slip): 0.026513269130656814, u_c,rel = 0.095366416730391205,
//   nu_eff = 47.438270689331313.
TEST(Uncertainty, CadmiumBudget) {
    const double r = 0.26 * 0.332 / 5.73;
    const auto rectangular = [](double a) {
        return *calc::relativeStandardUncertainty({a, Distribution::Rectangular});
    };
    struct Case {
        const char* name;
        std::vector<Component> components;
        double uRel, nuEff, k, shareOfC0;
        const char* uText;    // k = 2
        const char* rBesideU; // r written to U's last digit
    };
    const std::vector<Component> printed = {{"c0", 0.069, 13},     {"V_L", 0.0054, {}},
                                            {"a_V", 0.033, {}},    {"f_acid", 0.0008, {}},
                                            {"f_time", 0.001, {}}, {"f_temp", 0.06, {}}};
    std::vector<Component> computed = printed;
    computed[0].uRel = 0.068589334629434229;
    computed[4].uRel = rectangular(0.0015);
    computed[5].uRel = rectangular(0.1);
    std::vector<Component> corrected = printed;
    corrected[2].uRel = std::sqrt(0.042 * 0.042 + 0.146 * 0.146) / 5.73;
    const Case cases[] = {
        {"as printed", printed, 0.097369399710586693, 51.550984014246891, 2.00706, 0.50217281,
         "0.0030", "0.0151"},
        {"from the fit and the tolerances", computed, 0.095694201278038989, 49.256038539798615,
         2.00931, 0.51373829, "0.0029", "0.0151"},
        {"u(a_V) mended", corrected, 0.095366416730391205, 47.438270689331313, 2.01125, 0.52348863,
         "0.0029", "0.0151"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Uncertainty k2 = evaluated(r, c.components, Coverage::Two);
        EXPECT_NEAR(k2.uRel, c.uRel, 5e-17);
        EXPECT_NEAR(k2.uC, c.uRel * r, 1e-18);
        EXPECT_EQ(k2.k, 2);
        EXPECT_FALSE(k2.nuEff.has_value());
        EXPECT_NEAR(k2.components[0].share, c.shareOfC0, 5e-9);
        double shares = 0;
        for (const auto& line : k2.components) {
            shares += line.share;
        }
        EXPECT_NEAR(shares, 1, 1e-15);
        EXPECT_EQ(k2.expandedText, c.uText);
        EXPECT_EQ(k2.expandedPlace, -4);
        const calc::ExpandedText u{k2.expandedText, k2.expandedPlace};
        EXPECT_EQ(calc::resultBesideUncertainty(r, "0.015064572", u), c.rBesideU);

        const Uncertainty t = evaluated(r, c.components, Coverage::StudentT);
        ASSERT_TRUE(t.nuEff.has_value());
        EXPECT_NEAR(*t.nuEff, c.nuEff, 1e-12);
        EXPECT_NEAR(t.k, c.k, 5e-5);
        EXPECT_EQ(t.k, calc::studentQuantileFractional(0.975, *t.nuEff));
        EXPECT_NEAR(t.expanded, t.k * t.uC, 1e-18);
    }
}

// Welch-Satterthwaite where it is known in closed form.
TEST(Uncertainty, EffectiveDegreesOfFreedom) {
    struct Case {
        const char* name;
        std::vector<Component> components;
        double nuEff; // +infinity: k is the normal quantile
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"the calibration alone keeps its dof", {{"calibration", 0.02, 5}}, 5},
        {"two equal halves of 4 each", {{"a", 0.01, 4}, {"b", 0.01, 4}}, 8},
        {"a typed part adds dof", {{"calibration", 0.03, 6}, {"volume", 0.04, {}}}, 6 * 625.0 / 81},
        {"only typed components", {{"volume", 0.01, {}}, {"standard", 0.02, {}}}, inf},
        {"an infinite dof given", {{"rw", 0.01, inf}}, inf},
        {"the finite part is 0", {{"calibration", 0, 13}, {"volume", 0.01, {}}}, inf},
        {"nothing at all", {}, inf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Uncertainty u = evaluated(1.5, c.components, Coverage::StudentT);
        ASSERT_TRUE(u.nuEff.has_value());
        if (std::isinf(c.nuEff)) {
            EXPECT_EQ(*u.nuEff, c.nuEff);
        } else {
            EXPECT_NEAR(*u.nuEff, c.nuEff, c.nuEff * 1e-15);
        }
        const double k = std::isinf(c.nuEff) ? 1.959963984540054
                                             : calc::studentQuantileFractional(0.975, c.nuEff);
        EXPECT_NEAR(u.k, k, 1e-12);
    }
    EXPECT_NEAR(evaluated(1, {{"calibration", 0.02, 5}}, Coverage::StudentT).k, 2.5706, 5e-5);
    const Uncertainty none = evaluated(3.2, {}, Coverage::Two);
    EXPECT_EQ(none.uC, 0);
    EXPECT_EQ(none.expandedText, "0.0");
    EXPECT_EQ(calc::resultBesideUncertainty(3.2, "3.2", {none.expandedText, none.expandedPlace}),
              "3.2");
}

TEST(Uncertainty, TypedComponentsConverted) {
    const auto u = [](double value, std::optional<Distribution> tolerance = {}) {
        return calc::relativeStandardUncertainty({value, tolerance});
    };
    EXPECT_EQ(u(0.01), 0.01);
    EXPECT_NEAR(*u(0.01, Distribution::Rectangular), 0.0057735026918962576, 1e-18);
    EXPECT_NEAR(*u(0.01, Distribution::Triangular), 0.0040824829046386302, 1e-18);
    EXPECT_NEAR(*u(0.0098, Distribution::Normal95), 0.005, 1e-18);
    EXPECT_EQ(u(0, Distribution::Rectangular), 0.0);
    EXPECT_FALSE(std::signbit(*u(-0.0))) << "-0 is 0";
    for (const double bad : {-0.01, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(u(bad, Distribution::Triangular), std::nullopt) << bad;
    }
}

// Two significant digits upward on the decimal text, taken to 15 digits.
TEST(Uncertainty, ExpandedText) {
    struct Case {
        const char* name;
        double expanded;
        const char* text;
        int place;
    };
    const Case cases[] = {
        {"exactly on two digits", 0.018, "0.018", -3},
        {"binary noise of 3 * 0.006", 3 * 0.006, "0.018", -3},
        {"a real excess in the 12th digit", 0.0180000000001, "0.019", -3},
        {"an excess in the 15th digit", 0.0180000000000001, "0.019", -3},
        {"just above a digit", 0.01801, "0.019", -3},
        {"the next double above 0.019", std::nextafter(0.019, 1.0), "0.019", -3},
        {"the double below 0.019", std::nextafter(0.019, 0.0), "0.019", -3},
        {"a carry within", 0.0199, "0.020", -3},
        {"a carry to a new decade", 0.0991, "0.10", -2},
        {"to units", 9.91, "10", 0},
        {"to tens", 123.4, "130", 1},
        {"a decade on its place", 100, "100", 1},
        {"one", 1, "1.0", -1},
        {"zero", 0, "0.0", -1},

    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const calc::ExpandedText text = calc::expandedUncertaintyText(c.expanded);
        EXPECT_EQ(text.text, c.text);
        EXPECT_EQ(text.place, c.place);
    }
    const calc::ExpandedText smallest = calc::expandedUncertaintyText(5e-324);
    EXPECT_EQ(smallest.text, "0." + std::string(323, '0') + "50");
    EXPECT_EQ(smallest.place, -325);
    const calc::ExpandedText largest =
        calc::expandedUncertaintyText(std::numeric_limits<double>::max());
    EXPECT_EQ(largest.text, "18" + std::string(307, '0'));
    EXPECT_EQ(largest.place, 307);
}

TEST(Uncertainty, ResultBesideU) {
    struct Case {
        const char* name;
        double result;
        const char* resultText;
        double expanded;
        const char* expected;
    };
    const Case cases[] = {
        {"more decimals than U", 0.26017, "0.26017", 0.036, "0.260"},
        {"fewer decimals than U", 0.26017, "0.26", 0.036, "0.26"},
        {"as many", 0.26017, "0.260", 0.036, "0.260"},
        {"a tie to even from the value", 0.2625, "0.2625", 0.011, "0.262"},
        {"from the value, not the rounded text", 0.26051, "0.2605", 0.011, "0.261"},
        {"U in tens", 1234.5, "1234.5", 123.4, "1230"},
        {"a whole result, U in tens", 1234, "1234", 123.4, "1230"},
        {"a whole result, U in units", 1234, "1234", 9.1, "1234"},
        {"exponent text", 1.5e-7, "1.5e-07", 0.0000000032, "0.0000001500"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::resultBesideUncertainty(c.result, c.resultText,
                                                calc::expandedUncertaintyText(c.expanded)),
                  c.expected);
    }
}

// s of the recoveries / (mean * sqrt(n)), percentages or fractions alike.
TEST(Uncertainty, SpikeRecovery) {
    const auto uRel = [](std::vector<double> recoveries) {
        const auto outcome = calc::spikeRecoveryComponent(recoveries);
        EXPECT_EQ(std::get<Component>(outcome).name, "recovery");
        EXPECT_FALSE(std::get<Component>(outcome).dof.has_value());
        return std::get<Component>(outcome).uRel;
    };
    EXPECT_NEAR(uRel({98, 102, 100}), 2 / (100 * std::sqrt(3.0)), 1e-17);
    EXPECT_NEAR(uRel({0.98, 1.02, 1.00}), 2 / (100 * std::sqrt(3.0)), 1e-16);
    EXPECT_NEAR(uRel({95, 105}), 0.05, 1e-17) << "n = 2";
    EXPECT_EQ(uRel({101, 101, 101, 101}), 0) << "equal values";
}

// Three reference materials and a control chart, worked by hand:
//   biases (10.2 - 10)/10 = 0.02, (4.9 - 5)/5 = -0.02, (20.6 - 20)/20 = 0.03;
//   RMS = sqrt(0.0017 / 3) = 0.023804761428476167;
//   u(C_ref) = mean(0.4/20, 0.2/10, 0.6/40) = 0.055/3 = 0.018333333333333333;
//   u(bias) = sqrt(0.0017/3 + 0.003025/9) = sqrt(0.008125/9) = 0.030046260628866577;
//   with u(Rw) = 0.025: u_c,rel = sqrt(0.000625 + 0.008125/9) = 0.039086797998528580.
// The doubles of 10.2 and 20.6 carry their own 4e-15 of the biases.
TEST(Uncertainty, TopDown) {
    const calc::ReferenceResult results[] = {{10.2, 10, 0.4}, {4.9, 5, 0.2}, {20.6, 20, 0.6}};
    const auto outcome = calc::biasEstimate(results);
    const auto& bias = std::get<calc::BiasEstimate>(outcome);
    EXPECT_EQ(bias.n, 3);
    EXPECT_NEAR(bias.rmsBias, 0.023804761428476167, 1e-16);
    EXPECT_NEAR(bias.uCref, 0.018333333333333333, 1e-17);
    EXPECT_NEAR(bias.uBias, 0.030046260628866577, 1e-16);
    const auto components = std::get<std::vector<Component>>(calc::topDownComponents(0.025, bias));
    ASSERT_EQ(components.size(), 2u);
    EXPECT_EQ(components[0].name, "rw");
    EXPECT_EQ(components[1].name, "bias");
    const Uncertainty u = evaluated(8.0, components, Coverage::Two);
    EXPECT_NEAR(u.uRel, 0.039086797998528580, 1e-16);
    EXPECT_EQ(u.expandedText, "0.63"); // 2 * 8 * 0.0390868 = 0.62539
}

TEST(Uncertainty, Refused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::variant<Component, UncertaintyProblem> outcome;
        UncertaintyProblem expected;
    };
    const Case components[] = {
        {"x0 zero", calc::calibrationComponent(0, 0.01, 5), {Kind::NotPositive}},
        {"x0 -0", calc::calibrationComponent(-0.0, 0.01, 5), {Kind::NotPositive}},
        {"x0 below zero", calc::calibrationComponent(-0.2, 0.01, 5), {Kind::NotPositive}},
        {"x0 NaN", calc::calibrationComponent(nan, 0.01, 5), {Kind::NotPositive}},
        {"x0 <= 0 before s(x0)", calc::calibrationComponent(0, {}, 0), {Kind::NotPositive}},
        {"no s(x0)", calc::calibrationComponent(0.3, {}, 5), {Kind::NoCalibrationUncertainty}},
        {"no dof", calc::calibrationComponent(0.3, 0.01, 0), {Kind::NoDegreesOfFreedom}},
        {"s(x0) NaN", calc::calibrationComponent(0.3, nan, 5), {Kind::InvalidComponent}},
        {"one spike", calc::spikeRecoveryComponent(std::vector<double>{99}), {Kind::TooFewSpikes}},
        {"a spike not finite",
         calc::spikeRecoveryComponent(std::vector<double>{99, inf}),
         {Kind::InvalidComponent, 1}},
        {"spikes' mean 0",
         calc::spikeRecoveryComponent(std::vector<double>{-1, 1}),
         {Kind::SpikeMeanNotPositive}},
    };
    for (const Case& c : components) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(std::holds_alternative<UncertaintyProblem>(c.outcome));
        EXPECT_EQ(std::get<UncertaintyProblem>(c.outcome), c.expected);
    }

    struct EvaluateCase {
        const char* name;
        double result;
        std::vector<Component> components;
        UncertaintyProblem expected;
    };
    const EvaluateCase evaluations[] = {
        {"result 0", 0, {{"v", 0.01, {}}}, {Kind::NotPositive}},
        {"result below 0", -1e-300, {{"v", 0.01, {}}}, {Kind::NotPositive}},
        {"result infinite", inf, {{"v", 0.01, {}}}, {Kind::NotPositive}},
        {"negative component", 1, {{"v", 0.01, {}}, {"w", -0.01, {}}}, {Kind::InvalidComponent, 1}},
        {"NaN component", 1, {{"v", nan, {}}}, {Kind::InvalidComponent, 0}},
        {"dof 0", 1, {{"v", 0.01, {}}, {"w", 0.01, 0.0}}, {Kind::NoDegreesOfFreedom, 1}},
        {"dof NaN", 1, {{"v", 0.01, nan}}, {Kind::NoDegreesOfFreedom, 0}},
        {"U beyond the doubles", 1e308, {{"v", 1.0, {}}}, {Kind::OutOfRange}},
    };
    for (const EvaluateCase& c : evaluations) {
        SCOPED_TRACE(c.name);
        const auto outcome = calc::evaluateUncertainty(c.result, c.components, Coverage::Two);
        ASSERT_TRUE(std::holds_alternative<UncertaintyProblem>(outcome));
        EXPECT_EQ(std::get<UncertaintyProblem>(outcome), c.expected);
    }

    EXPECT_EQ(std::get<UncertaintyProblem>(calc::biasEstimate({})),
              UncertaintyProblem{Kind::NoReferenceResults});
    const calc::ReferenceResult bad[] = {{1, 1, 0.1}, {1, 0, 0.1}};
    EXPECT_EQ(std::get<UncertaintyProblem>(calc::biasEstimate(bad)),
              (UncertaintyProblem{Kind::InvalidReference, 1}));
    const calc::ReferenceResult negativeU[] = {{1, 1, -0.1}};
    EXPECT_EQ(std::get<UncertaintyProblem>(calc::biasEstimate(negativeU)),
              (UncertaintyProblem{Kind::InvalidReference, 0}));
    EXPECT_EQ(std::get<UncertaintyProblem>(calc::topDownComponents(-0.01, {})),
              UncertaintyProblem{Kind::InvalidRw});
}

} // namespace
