// The calibration models against certified and published values (NIST StRD Norris, NoInt1,
// NoInt2; the weighted example of Massart et al.), against closed forms derived by hand in exact
// fractions and evaluated in quadruple precision, and every problem kind.

#include "calc/distributions.h"
#include "calc/model_fit.h"
#include "test_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <optional>
#include <quadmath.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using calc::Decimal;
using calc::FitProblem;
using calc::InversePrediction;
using calc::Model;
using calc::ModelFit;
using calc::Weighting;
using calc_test::identical;
using Quad = __float128;
using Texts = std::vector<std::string>;

std::vector<Decimal> decimals(const Texts& texts) {
    std::vector<Decimal> values;
    for (const std::string& text : texts) {
        values.push_back(calc::parseDecimal(text).value());
    }
    return values;
}

Quad quad(const char* text) {
    return strtoflt128(text, nullptr);
}

Quad ratio(long long num, long long den = 1) {
    return static_cast<Quad>(num) / static_cast<Quad>(den);
}

// std::vector<bool> holds no array of bool, which fitModel takes.
struct Flags {
    explicit Flags(const std::vector<bool>& flags)
        : data(new bool[flags.size()]), size(flags.size()) {
        std::copy(flags.begin(), flags.end(), data.get());
    }
    std::span<const bool> span() const { return {data.get(), size}; }
    std::unique_ptr<bool[]> data;
    std::size_t size;
};

ModelFit fitOrFail(const Texts& x, const Texts& y, Model model = Model::Line,
                   Weighting weighting = Weighting::None, const std::vector<bool>& excluded = {}) {
    const auto xs = decimals(x);
    const auto ys = decimals(y);
    const calc::ModelOutcome outcome =
        calc::fitModel(xs, ys, Flags(excluded).span(), model, weighting);
    if (const auto* problem = std::get_if<FitProblem>(&outcome)) {
        ADD_FAILURE() << "fit problem " << static_cast<int>(problem->kind);
        return {};
    }
    return std::get<ModelFit>(outcome);
}

// Correct significant digits, -log10 |relative error|; 16 for an exact match.
double digits(double value, Quad certified) {
    const Quad error = fabsq((static_cast<Quad>(value) - certified) / certified);
    return error == 0 ? 16.0 : -static_cast<double>(log10q(error));
}

// NIST StRD "Norris": 36 observations, certified values to 15 digits (data/Norris.dat).
TEST(ModelFitCertified, NorrisLineToFourteenDigits) {
    std::ifstream file(std::string(LUMETRA_CALC_TEST_DATA) + "/Norris.dat");
    ASSERT_TRUE(file) << "data/Norris.dat";
    Texts x;
    Texts y;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (number >= 61) { // the data: y x
            std::istringstream fields(line);
            std::string yText;
            std::string xText;
            if (fields >> yText >> xText) {
                y.push_back(yText);
                x.push_back(xText);
            }
        }
    }
    ASSERT_EQ(x.size(), 36u);
    const ModelFit fit = fitOrFail(x, y);
    struct Figure {
        const char* name;
        double value;
        const char* certified;
    };
    const Figure figures[] = {
        {"a", fit.a, "-0.262323073774029"},
        {"b", fit.b, "1.00211681802045"},
        {"s_a", fit.sA.value(), "0.232818234301152"},
        {"s_b", fit.sB.value(), "0.429796848199937E-03"},
        {"s_yx", fit.sYX.value(), "0.884796396144373"},
        {"r2", fit.r2.value(), "0.999993745883712"},
    };
    for (const Figure& f : figures) {
        const double d = digits(f.value, quad(f.certified));
        ::testing::Test::RecordProperty(std::string("norris_digits_") + f.name, std::to_string(d));
        EXPECT_GE(d, 14.0) << f.name << " = " << calc_test::exact(f.value);
    }
}

// NIST StRD NoInt1 and NoInt2, the line through the origin (R^2 uncentred).
TEST(ModelFitCertified, NoInterceptToTwelveDigits) {
    struct Case {
        const char* name;
        Texts x, y;
        const char *b, *sB, *sYX, *r2;
    };
    Texts x1;
    Texts y1;
    for (int i = 0; i <= 10; ++i) {
        x1.push_back(std::to_string(60 + i));
        y1.push_back(std::to_string(130 + i));
    }
    const Case cases[] = {
        {"NoInt1", x1, y1, "2.07438016528926", "0.0165289256198347", "3.56753034006338",
         "0.999365492298663"},
        {"NoInt2",
         {"4", "5", "6"},
         {"3", "4", "4"},
         "0.727272727272727",
         "0.0420827318078432",
         "0.369274472937998",
         "0.993348115299335"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ModelFit fit = fitOrFail(c.x, c.y, Model::Origin);
        EXPECT_EQ(fit.a, 0.0);
        EXPECT_FALSE(fit.sA.has_value());
        EXPECT_GE(digits(fit.b, quad(c.b)), 12.0);
        EXPECT_GE(digits(fit.sB.value(), quad(c.sB)), 12.0);
        EXPECT_GE(digits(fit.sYX.value(), quad(c.sYX)), 12.0);
        EXPECT_GE(digits(fit.r2.value(), quad(c.r2)), 12.0);
    }
}

// Massart et al., Handbook of Chemometrics and Qualimetrics, weighted regression: the level means
// with their printed weights, two samples with their printed weights, 95 % intervals.
TEST(ModelFitCertified, MassartWeightedInversePrediction) {
    const auto x = decimals({"0", "10", "20", "30", "40", "50"});
    const auto y = decimals({"4.0", "21.2", "44.6", "61.8", "78.0", "105.2"});
    const std::vector<double> weights = {1.984, 1.417, 1.262, 0.372, 0.199, 0.109};
    const auto fit = std::get<ModelFit>(calc::fitModelWithWeights(x, y, weights, Model::Line));
    const double t = calc::studentQuantile(0.975, 4);
    struct Case {
        const char* name;
        double reading, weight;
        const char *x0, *halfWidth;
    };
    const Case cases[] = {{"low", 15, 1.67, "5.9", "2.5"}, {"high", 90, 0.145, "44.1", "7.9"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const InversePrediction p = calc::inversePredict(fit, c.reading, 1, c.weight);
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", p.x0.value());
        EXPECT_STREQ(text, c.x0);
        std::snprintf(text, sizeof text, "%.1f", t * p.sX0.value());
        EXPECT_STREQ(text, c.halfWidth);
    }
}

// Expected figures as closed forms: the sums worked out in fractions by hand, the square roots
// and powers of ten in quadruple precision, then rounded to a double.
struct Closed {
    std::optional<Quad> value; // nullopt: the figure is absent
    bool check = true;
};
Closed absent() {
    return {std::nullopt};
}
Closed ignored() {
    return {std::nullopt, false};
}

void expectFigure(const char* name, std::optional<double> actual, const Closed& expected) {
    SCOPED_TRACE(name);
    if (!expected.check) {
        return;
    }
    ASSERT_EQ(actual.has_value(), expected.value.has_value());
    if (actual) {
        EXPECT_TRUE(identical(static_cast<double>(*expected.value), *actual));
    }
}

TEST(ModelFitExact, FiguresAreTheExactValuesRoundedOnce) {
    struct Case {
        const char* name;
        Texts x, y;
        Quad a, b;
        Closed sYX, sA, sB, r2, lod;
        bool onTheLine = false; // every residual exactly 0
    };
    const auto root = [](long long num, long long den) { return Closed{sqrtq(ratio(num, den))}; };
    const auto rootTimes = [](long long num, long long den, const char* scale) {
        return Closed{sqrtq(ratio(num, den)) * quad(scale)};
    };
    const Quad e160 = quad("1e-160");
    // clang-format off
    const Case cases[] = {
        {"slope 0 in the decimals", {"1", "2", "3", "4", "5"}, {".15", ".2", ".3", ".1", ".2"},
         ratio(19, 100), 0, root(22, 3000), root(242, 30000), root(22, 30000), {0}, absent()},
        {"on a line", {"1", "2", "3"}, {".1", ".2", ".3"}, 0, ratio(1, 10), {0}, {0}, {0}, {1}, {0},
         true},
        {"all absorbances equal", {"1", "2", "3"}, {".5", "0.50", "5e-1"}, ratio(1, 2), 0, {0}, {0},
         {0}, absent(), absent(), true},
        {"two standards, no degree of freedom", {"1", "2"}, {".1", ".3"}, ratio(-1, 10),
         ratio(2, 10), absent(), absent(), absent(), {1}, absent(), true},
        {"negative slope", {"0", "1", "2"}, {"3", "1.9", "1"}, ratio(89, 30), -1, root(1, 150),
         root(1, 180), root(1, 300), {ratio(300, 301)}, {ratio(33, 10) * sqrtq(ratio(1, 150))}},
        {"residuals of 1/16 about y = x", {"0", "1", "2", "3"}, {".0625", ".9375", "1.9375", "3.0625"},
         0, 1, root(1, 128), root(7, 1280), root(1, 640), {ratio(320, 321)},
         {ratio(33, 10) * sqrtq(ratio(1, 128))}},
        {"huge concentrations about 0", {"-7.071067811865475e153", "0", "7.071067811865475e153"},
         {"1", "2.1", "3"}, ratio(61, 30), 1 / quad("7.071067811865475e153"), root(1, 150),
         root(1, 450), ignored(), {ratio(300, 301)}, ignored()},
        {"absorbances near 1e-155", {"1", "2", "3", "4"},
         {"1e-155", "2.0000001e-155", "3e-155", "4e-155"}, 5 * quad("1e-163"),
         ratio(99999999, 10) * quad("1e-162"), rootTimes(7, 20, "1e-162"),
         rootTimes(21, 40, "1e-162"), rootTimes(7, 100, "1e-162"),
         {ratio(9999999800000001LL) / ratio(9999999800000015LL)}, ignored()},
        {"absorbances near 1e-160", {"1", "2", "3"}, {"1e-160", "2e-160", "3.1e-160"},
         ratio(-1, 15) * e160, ratio(105, 100) * e160, rootTimes(1, 600, "1e-160"),
         rootTimes(7, 1800, "1e-160"), rootTimes(1, 1200, "1e-160"), {ratio(1323, 1324)},
         {ratio(33, 10) * sqrtq(ratio(1, 600)) / ratio(105, 100)}},
        {"the decimals' slope of close concentrations", {"1", "1", "1.0000000000000002"},
         {".1", ".2", ".3"}, ratio(15, 100) - ratio(750000000000000), ratio(750000000000000),
         root(5, 1000), ignored(), rootTimes(1875, 100, "1e14"), {ratio(3, 4)}, ignored()},
        {"concentrations near 1e-200", {"1e-200", "2e-200", "3e-200"}, {".1", ".21", ".32"},
         ratio(-1, 100), ratio(11, 100) * quad("1e200"), {0}, {0}, {0}, {1}, {0}, true},
        {"concentrations near the largest double", {"1e308", "1.5e308", "1.7e308"},
         {".1", ".21", ".32"}, ratio(-133, 650), ratio(77, 2600) * quad("1e-307"),
         root(363, 260000), root(37147, 3380000), rootTimes(363, 6760000, "1e-307"),
         {ratio(49, 52)}, ignored()},
        {"absorbances near the largest double", {"1", "2", "3"}, {"1e308", "1.5e308", "1.7e308"},
         quad("7e307"), quad("3.5e307"), rootTimes(3, 2, "1e307"), rootTimes(7, 2, "1e307"),
         rootTimes(3, 4, "1e307"), {ratio(49, 52)}, {ratio(33, 10) * sqrtq(ratio(3, 2)) / 3.5}},
        {"s(b) beyond the largest double is absent", {"1e-300", "2e-300", "3e-300", "4e-300"},
         {"1e9", "-1e9", "-1e9", "1e9"}, 0, 0, rootTimes(2, 1, "1e9"), rootTimes(3, 1, "1e9"),
         absent(), {0}, absent()},
        {"s(b) below the smallest double is absent, not 0", {"1e300", "2e300", "3e300", "4e300"},
         {"1e-30", "-1e-30", "-1e-30", "1e-30"}, 0, 0, rootTimes(2, 1, "1e-30"),
         rootTimes(3, 1, "1e-30"), absent(), {0}, absent()},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ModelFit fit = fitOrFail(c.x, c.y);
        EXPECT_TRUE(identical(static_cast<double>(c.a), fit.a));
        EXPECT_TRUE(identical(static_cast<double>(c.b), fit.b));
        expectFigure("s(y/x)", fit.sYX, c.sYX);
        expectFigure("s(a)", fit.sA, c.sA);
        expectFigure("s(b)", fit.sB, c.sB);
        expectFigure("R^2", fit.r2, c.r2);
        expectFigure("LOD", fit.lod, c.lod);
        EXPECT_EQ(fit.r.has_value(), fit.r2.has_value());
        for (const ModelFit::Standard& s : fit.standards) {
            ASSERT_TRUE(s.residual.has_value());
            if (c.onTheLine) {
                EXPECT_TRUE(identical(0.0, *s.residual));
            }
        }
    }
}

TEST(ModelFitExact, ExcludedStandardsTakeNoPartButAreChecked) {
    const ModelFit all = fitOrFail({"1", "2", "3", "4"}, {".1", ".2", ".3", ".7"}, Model::Line,
                                   Weighting::None, {false, false, false, true});
    EXPECT_TRUE(identical(0.0, all.a));
    EXPECT_TRUE(identical(0.1, all.b));
    EXPECT_EQ(all.n, 3);
    EXPECT_EQ(all.standards[3].weight, 0.0);
    EXPECT_FALSE(all.standards[3].fitted);
    EXPECT_TRUE(identical(0.4, all.standards[3].fit.value()));
    EXPECT_TRUE(identical(0.3, all.standards[3].residual.value()));
    EXPECT_EQ(all.yMax, 0.3); // the span of the fitted ones
    // A parabola through its points: c exactly, s(c) exactly 0.
    const ModelFit parabola =
        fitOrFail({"0", "1", "2", "3"}, {"1", "2", "5", "10"}, Model::Quadratic);
    EXPECT_TRUE(identical(1.0, parabola.c));
    EXPECT_TRUE(identical(0.0, parabola.b));
    EXPECT_TRUE(identical(0.0, parabola.sC.value()));
    EXPECT_TRUE(identical(1.0, parabola.r.value()));
}

// Decimals spanning more digits than the exact bound are held in fixed point, 1024 bits below the
// largest value of their variable: the fit ends at once, a value below that counting as 0.
TEST(ModelFitExact, TextsBeyondTheExactBoundStillFit) {
    struct Case {
        const char* name;
        Texts x, y;
        double b;
    };
    const Case cases[] = {
        {"1e-3000 beside 1 to 3", {"1e-3000", "1", "2", "3"}, {".1", ".2", ".3", ".4"}, 0.1},
        {"an exponent beyond 10^15",
         {"1e-99999999999999999999", "1", "2"},
         {".1", ".2", ".3"},
         0.1},
        {"3001 significant digits",
         {"1." + std::string(2999, '0') + "1", "2", "3"},
         {"1", "2", "3"},
         1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ModelFit fit = fitOrFail(c.x, c.y);
        EXPECT_TRUE(identical(c.b, fit.b));
        EXPECT_TRUE(fit.sYX.has_value());
    }
}

// Sample readings that the double formulas lose: near the largest double, and a slope whose
// square is below the smallest one. C 1, 2, 3 with A 1, 2, 3.1 (times 10^k): a = -1/15, b = 21/20,
// s^2 = 1/600, mean A = 61/30, Sxx = 2.
TEST(ModelFitExact, InversePredictionBeyondTheDoubles) {
    struct Case {
        const char* name;
        Texts y;
        Quad scale, reading;
    };
    const Case cases[] = {
        {"reading 1e300", {"1", "2", "3.1"}, 1, quad("1e300")},
        {"b^2 below the smallest double",
         {"1e-170", "2e-170", "3.1e-170"},
         quad("1e-170"),
         2 * quad("1e-170")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ModelFit fit = fitOrFail({"1", "2", "3"}, c.y);
        const InversePrediction p =
            calc::inversePredict(fit, static_cast<long double>(c.reading), 2);
        const Quad y0 = c.reading / c.scale;
        const Quad b = ratio(21, 20);
        const Quad x0 = (y0 + ratio(1, 15)) / b;
        const Quad dy = y0 - ratio(61, 30);
        const Quad sX0 =
            sqrtq(ratio(1, 600)) / b * sqrtq(ratio(1, 2) + ratio(1, 3) + dy * dy / (b * b * 2));
        ASSERT_TRUE(p.x0 && p.sX0);
        EXPECT_NEAR(*p.x0 / static_cast<double>(x0), 1.0, 1e-15);
        EXPECT_NEAR(*p.sX0 / static_cast<double>(sX0), 1.0, 1e-15);
    }
    const std::vector<double> readings = {1e308, 1e308};
    EXPECT_EQ(calc::meanOf(readings), static_cast<long double>(1e308));
    const std::vector<double> extremes = {std::numeric_limits<double>::max(),
                                          std::numeric_limits<double>::max(), 0};
    EXPECT_EQ(calc::meanOf(extremes), std::numeric_limits<double>::max() * 2.0L / 3);
}

// Every problem of a fit and of an inverse prediction.
TEST(ModelFitProblems, AreFoundInTheirOrder) {
    using Kind = FitProblem::Kind;
    using P = InversePrediction::Problem;
    struct Case {
        const char* name;
        Model model;
        Weighting weighting;
        Texts x, y;
        std::vector<bool> excluded;
        std::optional<FitProblem> fitProblem;
        double reading = 0;
        P problem = P::None;
        bool x0 = true, sX0 = true, outsideSpan = false;
        std::vector<double> given = {};
    };
    const Model L = Model::Line, O = Model::Origin, Q = Model::Quadratic;
    const Weighting none = Weighting::None;
    // clang-format off
    const Case cases[] = {
        {"one standard left", L, none, {"1", "2"}, {"1", "2"}, {true},
         FitProblem{Kind::TooFewStandards}},
        {"quadratic of two", Q, none, {"1", "2"}, {"1", "2"}, {}, FitProblem{Kind::TooFewStandards}},
        {"equal concentrations", L, none, {"1", "1.0", "1e0"}, {"1", "2", "3"}, {},
         FitProblem{Kind::NoSpread}},
        {"origin, all zero", O, none, {"0", "-0"}, {"1", "2"}, {}, FitProblem{Kind::NoSpread}},
        {"quadratic, two levels", Q, none, {"1", "2", "2", "1"}, {"1", "2", "3", "4"}, {},
         FitProblem{Kind::NoSpread}},
        {"1/x with C = 0 after an excluded C < 0", L, Weighting::InverseX, {"-1", "1", "0", "2"},
         {"1", "2", "3", "4"}, {true}, FitProblem{Kind::WeightNotPositive, 2}},
        {"1/x^2 with C < 0", L, Weighting::InverseX2, {"1", "-2", "3"}, {"1", "2", "3"}, {},
         FitProblem{Kind::WeightNotPositive, 1}},
        {"1/y^2 with A = 0", L, Weighting::InverseY2, {"1", "2", "3"}, {"1", "2", "0"}, {},
         FitProblem{Kind::WeightNotPositive, 2}},
        {"weight problem before the spread", L, Weighting::InverseY, {"1", "1"}, {"1", "-1"}, {},
         FitProblem{Kind::WeightNotPositive, 1}},
        {"1/s^2, the replicate excluded", L, Weighting::InverseVariance, {"1", "1", "2", "2"},
         {"1", "1.1", "2", "2.1"}, {false, false, false, true}, FitProblem{Kind::NoReplicate, 2}},
        {"1/s^2, equal absorbances, and later a single", L, Weighting::InverseVariance,
         {"1", "2", "1", "2", "3"}, {"1", "2", "1.1", "2.00", "3"}, {},
         FitProblem{Kind::NoSpreadAtLevel, 1}},
        {"given weight 0", L, none, {"1", "2", "3"}, {"1", "2", "3"}, {},
         FitProblem{Kind::WeightNotPositive, 1}, 0, P::None, true, true, false, {1, 0, 1}},
        {"given weight missing", L, none, {"1", "2", "3"}, {"1", "2", "3"}, {},
         FitProblem{Kind::WeightNotPositive, 2}, 0, P::None, true, true, false, {1, 1}},
        {"slope beyond the doubles", L, none, {"1e-200", "2e-200"}, {"1e200", "3e200"}, {},
         FitProblem{Kind::OutOfRange}},
        {"exponents beyond 10^15", L, none, {"1e-99999999999999999999", "2e-99999999999999999999"},
         {"1", "2"}, {}, FitProblem{Kind::OutOfRange}},
        {"slope below the doubles", L, none, {"1e200", "2e200"}, {"1e-200", "3e-200"}, {},
         FitProblem{Kind::OutOfRange}},
        {"slope 0", L, none, {"1", "2", "3", "4", "5"}, {".15", ".2", ".3", ".1", ".2"}, {}, {},
         0.2, P::ZeroSlope, false, false},
        {"no degree of freedom", L, none, {"1", "2"}, {"1", "2"}, {}, {}, 1.5, P::NoDof, true,
         false},
        {"x0 beyond the doubles", L, none, {"1", "2", "3"}, {"1e-300", "2e-300", "3.1e-300"}, {}, {},
         1e300, P::OutOfRange, false, false},
        {"beyond the vertex", Q, none, {"0", "1", "2", "3"}, {"0", "1", "4", "9.1"}, {}, {}, -1,
         P::NoRealRoot, false, false},
        {"at the vertex", Q, none, {"0", "1", "2", "3"}, {"1", "2", "5", "10"}, {}, {}, 1,
         P::FlatAtRoot, true, false},
        {"root outside the span", Q, none, {"0", "1", "2", "3"}, {"1", "2", "5", "10.1"}, {}, {},
         17, P::None, true, true, true},
        {"falling parabola, root on its branch", Q, none, {"0", "1", "2", "3"},
         {"10", "5", "2", "1.1"}, {}, {}, 3, P::None, true, true, false},
        {"1/x, x0 below 0", L, Weighting::InverseX, {"1", "2", "3"}, {"1", "2", "3.1"}, {}, {},
         -1, P::NoWeight, true, false},
        {"1/y, reading 0", L, Weighting::InverseY, {"1", "2", "3"}, {"1", "2", "3.1"}, {}, {}, 0,
         P::NoWeight, true, false},
        {"1/s^2 nearest level", L, Weighting::InverseVariance, {"1", "1", "3", "3"},
         {"1", "1.1", "3", "3.3"}, {}, {}, 2, P::None},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto x = decimals(c.x);
        const auto y = decimals(c.y);
        const Flags excluded(c.excluded);
        const calc::ModelOutcome outcome =
            c.given.empty() ? calc::fitModel(x, y, excluded.span(), c.model, c.weighting)
                            : calc::fitModelWithWeights(x, y, c.given, c.model);
        if (c.fitProblem) {
            ASSERT_TRUE(std::holds_alternative<FitProblem>(outcome));
            EXPECT_EQ(std::get<FitProblem>(outcome), *c.fitProblem);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<ModelFit>(outcome));
        const InversePrediction p = calc::inversePredict(std::get<ModelFit>(outcome), c.reading, 1);
        EXPECT_EQ(p.problem, c.problem);
        EXPECT_EQ(p.x0.has_value(), c.x0);
        EXPECT_EQ(p.sX0.has_value(), c.sX0);
        EXPECT_EQ(p.outsideSpan, c.outsideSpan);
        if (c.name == std::string("falling parabola, root on its branch")) {
            // y = 10 - 6.25 x + 1.25 x^2 nearly: the root inside [0, 3], not the one beyond 3
            EXPECT_GT(*p.x0, 1.0);
            EXPECT_LT(*p.x0, 2.0);
        }
    }
}

} // namespace
