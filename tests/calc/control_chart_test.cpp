// The individuals chart: every rule on a sequence that just completes it and one that just does
// not, the limits against quadruple precision, the moving-range chart against a published example,
// and the reference period.

#include "calc/control_chart.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <quadmath.h>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace {

using calc::ChartPoint;
using calc::ChartRefusal;
using calc::ChartSides;
using calc::RuleSet;
using calc::SigmaEstimate;
using Values = std::vector<double>;
using Quad = __float128;

// The doubles next above 1, 2 and 3: the nearest a point can come to a line and be beyond it.
constexpr double over1 = 1.0000000000000002;
constexpr double over2 = 2.0000000000000004;
constexpr double over3 = 3.0000000000000004;

Values repeat(double value, int times) {
    return Values(static_cast<std::size_t>(times), value);
}
Values join(std::initializer_list<Values> parts) {
    Values all;
    for (const Values& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}
// n values alternating between +v and -v, starting with +v.
Values alternate(double v, int n) {
    Values all;
    for (int i = 0; i < n; ++i) {
        all.push_back(i % 2 == 0 ? v : -v);
    }
    return all;
}
Values steps(double from, double step, int n) {
    Values all;
    for (int i = 0; i < n; ++i) {
        all.push_back(from + step * i);
    }
    return all;
}

// The points at which the rule `key` is marked, judged against centre 0 and s 1 (lines at exactly
// +-1, +-2, +-3).
std::vector<std::size_t> marked(const Values& values, RuleSet rules, ChartSides sides,
                                const std::string& key) {
    const calc::Violations violations = calc::judge(values, calc::limitsAround(0, 1, sides), rules);
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < violations.size(); ++i) {
        for (const calc::ChartRule* rule : violations[i]) {
            if (rule->key == key) {
                at.push_back(i);
            }
        }
    }
    return at;
}

struct RuleCase {
    const char* name;
    RuleSet rules;
    ChartSides sides;
    const char* key;
    Values values;
    bool fires; // at the last point only; else nowhere
};

const std::vector<RuleCase>& ruleCases() {
    constexpr auto gb = RuleSet::Gb;
    constexpr auto wg = RuleSet::Westgard;
    constexpr auto both = ChartSides::Both;
    constexpr auto up = ChartSides::UpperOnly;
    static const std::vector<RuleCase> cases{
        {"t1: just above +3s", gb, both, "t1", {0.5, over3}, true},
        {"t1: just below -3s", gb, both, "t1", {-over3}, true},
        {"t1: on +3s", gb, both, "t1", {0.5, 3.0}, false},
        {"t1: on -3s", gb, both, "t1", {-3.0}, false},
        {"t2: nine above", gb, both, "t2", repeat(0.1, 9), true},
        {"t2: nine below", gb, both, "t2", repeat(-1e-300, 9), true},
        {"t2: eight above", gb, both, "t2", repeat(0.1, 8), false},
        {"t2: nine with one on the centre", gb, both, "t2",
         join({repeat(0.1, 4), {0.0}, repeat(0.1, 4)}), false},
        {"t2: -0 on the centre", gb, both, "t2", join({repeat(-0.1, 8), {-0.0}}), false},
        {"t3: six rising", gb, both, "t3", steps(-2.5, 1, 6), true},
        {"t3: six falling", gb, both, "t3", steps(2.5, -1, 6), true},
        {"t3: five rising", gb, both, "t3", join({{0.0}, steps(-2.5, 1, 5)}), false},
        {"t3: six with two equal", gb, both, "t3", {0.1, 0.2, 0.3, 0.3, 0.4, 0.5}, false},
        {"t4: fourteen alternating", gb, both, "t4", alternate(0.1, 14), true},
        {"t4: thirteen alternating", gb, both, "t4", join({{0.1}, alternate(0.1, 13)}), false},
        {"t4: fourteen ending on an equal step", gb, both, "t4", join({alternate(0.1, 13), {0.1}}),
         false},
        {"t5: two of three above 2s", gb, both, "t5", {over2, 0.0, over2}, true},
        {"t5: two of three below 2s", gb, both, "t5", {0.0, -3.5, 0.0, -over2}, true},
        {"t5: the first two points", gb, both, "t5", {over2, over2}, true},
        {"t5: the second on +2s", gb, both, "t5", {over2, 0.0, 2.0}, false},
        {"t5: two of four", gb, both, "t5", {over2, 0.0, 0.0, over2}, false},
        {"t5: one on each side", gb, both, "t5", {over2, -over2}, false},
        {"t6: four of five above 1s", gb, both, "t6", {over1, 0.0, over1, over1, over1}, true},
        {"t6: the first four points below", gb, both, "t6", repeat(-over1, 4), true},
        {"t6: four of six", gb, both, "t6", {over1, 0.0, 0.0, over1, over1, over1}, false},
        {"t6: the fourth on +1s", gb, both, "t6", {over1, 0.0, over1, over1, 1.0}, false},
        {"t7: fifteen on the 1s lines", gb, both, "t7", alternate(1.0, 15), true},
        {"t7: fourteen within 1s", gb, both, "t7", join({{over1}, alternate(1.0, 14)}), false},
        {"t8: eight beyond 1s on both sides", gb, both, "t8", alternate(over1, 8), true},
        {"t8: eight beyond 1s on one side", gb, both, "t8", repeat(over1, 8), true},
        {"t8: seven beyond and one on 1s", gb, both, "t8", join({alternate(over1, 7), {1.0}}),
         false},
        {"1-2s: just above +2s", wg, both, "1-2s", {over2}, true},
        {"1-2s: on -2s", wg, both, "1-2s", {-2.0}, false},
        {"1-3s: just below -3s", wg, both, "1-3s", {-over3}, true},
        {"1-3s: on +3s", wg, both, "1-3s", {3.0}, false},
        {"2-2s: two above 2s", wg, both, "2-2s", {over2, over2}, true},
        {"2-2s: two with a point between", wg, both, "2-2s", {over2, 0.0, over2}, false},
        {"2-2s: one on each side", wg, both, "2-2s", {-over2, over2}, false},
        {"R-4s: +2s then -2s", wg, both, "R-4s", {over2, -over2}, true},
        {"R-4s: -2s then on +2s", wg, both, "R-4s", {-over2, 2.0}, false},
        {"4-1s: four below 1s", wg, both, "4-1s", repeat(-over1, 4), true},
        {"4-1s: three and one on 1s", wg, both, "4-1s", join({repeat(over1, 3), {1.0}}), false},
        {"10x: ten above", wg, both, "10x", repeat(0.1, 10), true},
        {"10x: nine above", wg, both, "10x", join({{-0.1}, repeat(0.1, 9)}), false},
        // An upper-only chart signals upward only.
        {"upper only: t1 above", gb, up, "t1", {over3}, true},
        {"upper only: t1 below", gb, up, "t1", {-4.0}, false},
        {"upper only: t2 above", gb, up, "t2", repeat(0.1, 9), true},
        {"upper only: t2 below", gb, up, "t2", repeat(-0.1, 9), false},
        {"upper only: t3 rising", gb, up, "t3", steps(-2.5, 1, 6), true},
        {"upper only: t3 falling", gb, up, "t3", steps(2.5, -1, 6), false},
        {"upper only: t4", gb, up, "t4", alternate(0.1, 14), false},
        {"upper only: t5 below", gb, up, "t5", {-over2, -over2}, false},
        {"upper only: t7", gb, up, "t7", repeat(0.1, 15), false},
        {"upper only: t8", gb, up, "t8", repeat(over1, 8), false},
        {"upper only: 1-2s above", wg, up, "1-2s", {over2}, true},
        {"upper only: 4-1s below", wg, up, "4-1s", repeat(-over1, 4), false},
        {"upper only: R-4s", wg, up, "R-4s", {over2, -over2}, false},
    };
    return cases;
}

TEST(ControlChart, RulesJustFireAndJustHold) {
    for (const RuleCase& c : ruleCases()) {
        SCOPED_TRACE(c.name);
        const auto at = marked(c.values, c.rules, c.sides, c.key);
        if (c.fires) {
            EXPECT_EQ(at, std::vector<std::size_t>{c.values.size() - 1});
        } else {
            EXPECT_TRUE(at.empty()) << "marked at " << at.front();
        }
    }
}

TEST(ControlChart, EveryRuleHasRowsBothWays) {
    for (RuleSet set : {RuleSet::Gb, RuleSet::Westgard}) {
        for (const calc::ChartRule& rule : calc::chartRules(set)) {
            SCOPED_TRACE(rule.key);
            bool fires = false, holds = false;
            for (const RuleCase& c : ruleCases()) {
                if (c.key == std::string(rule.key) && c.sides == ChartSides::Both) {
                    (c.fires ? fires : holds) = true;
                }
            }
            EXPECT_TRUE(fires && holds);
        }
    }
}

// A run goes on completing the rule: the tenth point on one side completes a second run of nine.
TEST(ControlChart, RunsMarkEveryCompletingPoint) {
    EXPECT_EQ(marked(repeat(0.1, 11), RuleSet::Gb, ChartSides::Both, "t2"),
              (std::vector<std::size_t>{8, 9, 10}));
    // Two of three: the point after the pair completes nothing new.
    EXPECT_EQ(marked({over2, over2, 0.0, over2}, RuleSet::Gb, ChartSides::Both, "t5"),
              (std::vector<std::size_t>{1, 3}));
}

TEST(ControlChart, RuleTables) {
    std::vector<std::string> gb, westgard;
    for (const calc::ChartRule& rule : calc::chartRules(RuleSet::Gb)) {
        gb.push_back(rule.key);
        EXPECT_TRUE(rule.rejecting);
    }
    for (const calc::ChartRule& rule : calc::chartRules(RuleSet::Westgard)) {
        westgard.push_back(rule.key);
        EXPECT_EQ(rule.rejecting, std::string(rule.key) != "1-2s") << rule.key;
    }
    EXPECT_EQ(gb, (std::vector<std::string>{"t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8"}));
    EXPECT_EQ(westgard, (std::vector<std::string>{"1-2s", "1-3s", "2-2s", "R-4s", "4-1s", "10x"}));
    ASSERT_NE(calc::findChartRule("R-4s"), nullptr);
    EXPECT_STREQ(calc::findChartRule("R-4s")->key, "R-4s");
    EXPECT_EQ(calc::findChartRule("r-4s"), nullptr);
}

std::vector<ChartPoint> points(const Values& values, const std::string& firstDay = "2026-01-") {
    std::vector<ChartPoint> all;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int day = static_cast<int>(i) + 1;
        all.push_back({firstDay + (day < 10 ? "0" : "") + std::to_string(day), values[i]});
    }
    return all;
}

template <class T>
std::optional<ChartRefusal> refusalOf(const std::variant<T, ChartRefusal>& outcome) {
    if (const auto* refusal = std::get_if<ChartRefusal>(&outcome)) {
        return *refusal;
    }
    return std::nullopt;
}

template <class T> T expectOk(const std::variant<T, ChartRefusal>& outcome) {
    if (const auto* refusal = std::get_if<ChartRefusal>(&outcome)) {
        ADD_FAILURE() << "refused: " << calc::refusalText(*refusal);
        return T{};
    }
    return std::get<T>(outcome);
}

// NIST/SEMATECH e-Handbook of Statistical Methods, 6.3.2.2 "Individuals Control Charts": ten
// batches' flow rates, x-bar = 50.81, MR-bar = 1.8778, UCL = 55.8041, LCL = 45.8159 (3 MR-bar /
// 1.128 either side).
TEST(ControlChart, MovingRangeMatchesPublishedExample) {
    const Values flow{49.6, 47.6, 49.9, 51.3, 47.8, 51.2, 52.6, 52.4, 53.6, 52.1};
    calc::ChartSettings settings;
    settings.sigma = SigmaEstimate::MovingRange;
    const auto chart = expectOk(calc::individualsChart(points(flow), settings));
    EXPECT_NEAR(chart.limits.centre, 50.81, 5e-13);
    EXPECT_NEAR(chart.limits.s * 1.128, 1.8778, 5e-5);
    EXPECT_NEAR(*chart.limits.action.high, 55.8041, 5e-5);
    EXPECT_NEAR(*chart.limits.action.low, 45.8159, 5e-5);
    EXPECT_EQ(chart.reference.n, 10); // fewer points than the 20 asked for: all of them
    EXPECT_EQ(chart.reference.from, "2026-01-01");
    EXPECT_EQ(chart.reference.to, "2026-01-10");
    EXPECT_FALSE(chart.reference.frozen);
    for (const auto& marks : chart.violations) {
        EXPECT_TRUE(marks.empty()); // the handbook finds the process in control
    }
}

struct QuadFigures {
    Quad centre, sd, mr;
};
// The same figures summed in quadruple precision, each difference and square exact there.
QuadFigures quadFigures(const Values& values) {
    Quad sum = 0;
    for (double v : values) {
        sum += v;
    }
    const Quad n = values.size();
    const Quad mean = sum / n;
    Quad squares = 0, ranges = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        squares += (values[i] - mean) * (values[i] - mean);
        if (i > 0) {
            ranges += fabsq(static_cast<Quad>(values[i]) - values[i - 1]);
        }
    }
    return {mean, sqrtq(squares / (n - 1)), ranges / (n - 1) / static_cast<Quad>(1.128)};
}

struct LimitsCase {
    const char* name;
    Values values;
};

TEST(ControlChart, LimitsAgainstQuadruplePrecision) {
    std::vector<LimitsCase> cases{
        {"seven points, the fewest", {1, 2, 3, 4, 5, 6, 8}},
        {"one point apart", {5, 5, 5, 5, 5, 5, 5.000000000000001}},
        {"far from zero",
         {1e6 + 0.001, 1e6 - 0.002, 1e6 + 0.0005, 1e6, 1e6 + 0.003, 1e6 - 0.001, 1e6 + 0.002,
          1e6 - 0.0015}},
        {"negative, a falling slope",
         {-0.0123, -0.0125, -0.0119, -0.0121, -0.0124, -0.0122, -0.012, -0.0126}},
        {"tiny", {1e-300, 3e-300, 2e-300, 5e-300, 4e-300, 1e-300, 2e-300}},
        {"large", {1e300, 3e300, 2e300, 5e300, 4e300, 1e300, 2e300}},
        {"around -0 and 0", {-0.0, 0.0, 1e-3, -1e-3, 0.0, 2e-3, -2e-3}},
    };
    std::mt19937_64 random(29);
    std::normal_distribution<double> normal(3.0, 0.05);
    for (int set = 0; set < 20; ++set) {
        Values values;
        for (int i = 0; i < 7 + set * 3; ++i) {
            values.push_back(normal(random));
        }
        cases.push_back({"random", values});
    }
    for (const LimitsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QuadFigures q = quadFigures(c.values);
        for (SigmaEstimate sigma : {SigmaEstimate::StandardDeviation, SigmaEstimate::MovingRange}) {
            calc::ReferencePeriod all;
            all.count = static_cast<int>(c.values.size());
            const auto figures = expectOk(calc::referenceFigures(points(c.values), all, sigma));
            const Quad s = sigma == SigmaEstimate::StandardDeviation ? q.sd : q.mr;
            const auto near = [](double got, Quad want, Quad scale) {
                return fabsq(got - want) <= scale * static_cast<Quad>(4e-16L);
            };
            EXPECT_TRUE(near(figures.centre, q.centre, fabsq(q.centre) + s)) << figures.centre;
            EXPECT_TRUE(near(figures.s, s, s * 8)) << figures.s;
            const calc::ChartLimits limits =
                calc::limitsAround(figures.centre, figures.s, ChartSides::Both);
            const Quad width = fabsq(q.centre) + 3 * s;
            EXPECT_TRUE(near(*limits.action.high, q.centre + 3 * s, width * 4));
            EXPECT_TRUE(near(*limits.warning.low, q.centre - 2 * s, width * 4));
            EXPECT_TRUE(near(*limits.oneS.high, q.centre + s, width * 4));
        }
    }
}

TEST(ControlChart, UpperOnlyLines) {
    const calc::ChartLimits limits = calc::limitsAround(2.5, 1.5, ChartSides::UpperOnly);
    EXPECT_FALSE(limits.oneS.low || limits.warning.low || limits.action.low);
    EXPECT_EQ(*limits.oneS.high, 4.0);
    EXPECT_EQ(*limits.warning.high, 5.5);
    EXPECT_EQ(*limits.action.high, 7.0);
}

struct ReferenceTextCase {
    const char* name;
    const char* text;
    std::variant<calc::ReferencePeriod, ChartRefusal> expected;
};

TEST(ControlChart, ReferenceTexts) {
    using calc::ReferencePeriod;
    const std::vector<ReferenceTextCase> cases{
        {"twenty", "20", ReferencePeriod{20, "", ""}},
        {"seven, the fewest", "7", ReferencePeriod{7, "", ""}},
        {"leading zeros", "007", ReferencePeriod{7, "", ""}},
        {"six", "6", ChartRefusal::TooFewReferencePoints},
        {"zero", "0", ChartRefusal::TooFewReferencePoints},
        {"beyond int", "99999999999", ReferencePeriod{2147483647, "", ""}},
        {"empty", "", ChartRefusal::BadReference},
        {"negative", "-20", ChartRefusal::BadReference},
        {"blank after", "20 ", ChartRefusal::BadReference},
        {"a quarter", "2026-01-01..2026-03-31", ReferencePeriod{20, "2026-01-01", "2026-03-31"}},
        {"one day", "2026-01-01..2026-01-01", ReferencePeriod{20, "2026-01-01", "2026-01-01"}},
        {"leap day", "2024-02-29..2024-03-01", ReferencePeriod{20, "2024-02-29", "2024-03-01"}},
        {"no leap day", "2026-02-29..2026-03-01", ChartRefusal::BadReference},
        {"2100 is no leap year", "2100-02-29..2100-03-01", ChartRefusal::BadReference},
        {"2000 is one", "2000-02-29..2000-03-01", ReferencePeriod{20, "2000-02-29", "2000-03-01"}},
        {"reversed", "2026-03-31..2026-01-01", ChartRefusal::ReversedDates},
        {"short month", "2026-1-01..2026-03-31", ChartRefusal::BadReference},
        {"month 13", "2026-13-01..2026-12-31", ChartRefusal::BadReference},
        {"no end", "2026-01-01..", ChartRefusal::BadReference},
        {"day 31 of April", "2026-04-31..2026-05-01", ChartRefusal::BadReference},
    };
    for (const ReferenceTextCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::parseReference(c.text), c.expected);
    }
}

TEST(ControlChart, ReferenceByDatesTakesBothDays) {
    // Two points a day, 2026-01-01 .. 2026-01-10; 01-03..01-06 holds eight of them.
    std::vector<ChartPoint> all;
    for (int day = 1; day <= 10; ++day) {
        const std::string date = "2026-01-" + std::string(day < 10 ? "0" : "") +
                                 std::to_string(day) + (day == 6 ? "T23:59:59+08:00" : "");
        all.push_back({date, static_cast<double>(day)});
        all.push_back({date, static_cast<double>(day) + 0.5});
    }
    calc::ChartSettings settings;
    settings.reference =
        std::get<calc::ReferencePeriod>(calc::parseReference("2026-01-03..2026-01-06"));
    const auto chart = expectOk(calc::individualsChart(all, settings));
    EXPECT_EQ(chart.reference.n, 8);
    EXPECT_EQ(chart.reference.from, "2026-01-03");
    EXPECT_EQ(chart.reference.to, "2026-01-06");
    EXPECT_EQ(chart.limits.centre, 4.75); // (3 + 3.5 + ... + 6.5) / 8
    EXPECT_EQ(chart.violations.size(), all.size());

    settings.reference =
        std::get<calc::ReferencePeriod>(calc::parseReference("2026-01-04..2026-01-06"));
    EXPECT_EQ(refusalOf(calc::individualsChart(all, settings)),
              ChartRefusal::TooFewReferencePoints);
}

TEST(ControlChart, ReferenceByCount) {
    const Values values{4, 2, 5, 3, 6, 1, 7, 100, 200};
    calc::ChartSettings settings;
    settings.reference.count = 7;
    const auto chart = expectOk(calc::individualsChart(points(values), settings));
    EXPECT_EQ(chart.limits.centre, 4);
    EXPECT_EQ(chart.reference.n, 7);
    EXPECT_EQ(chart.reference.to, "2026-01-07");
    EXPECT_TRUE(chart.violations[6].empty());
    ASSERT_FALSE(chart.violations[7].empty()); // judged though outside the reference period
    EXPECT_STREQ(chart.violations[7].front()->key, "t1");

    const Values six{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(refusalOf(calc::referenceFigures(points(six), settings.reference,
                                               SigmaEstimate::MovingRange)),
              ChartRefusal::TooFewReferencePoints);
}

struct RefusalCase {
    const char* name;
    Values values;
    SigmaEstimate sigma;
    ChartRefusal refusal;
};

TEST(ControlChart, Refusals) {
    const std::vector<RefusalCase> cases{
        {"all equal", repeat(0.25, 8), SigmaEstimate::StandardDeviation, ChartRefusal::NoSpread},
        {"all equal, moving range", repeat(-0.0, 8), SigmaEstimate::MovingRange,
         ChartRefusal::NoSpread},
        {"equal, -0 and 0",
         {0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0},
         SigmaEstimate::MovingRange,
         ChartRefusal::NoSpread},
        {"largest doubles, all equal", repeat(1.7976931348623157e308, 7),
         SigmaEstimate::StandardDeviation, ChartRefusal::NoSpread},
        {"smallest doubles, all equal", repeat(4.9406564584124654e-324, 7),
         SigmaEstimate::StandardDeviation, ChartRefusal::NoSpread},
        {"limits overflow",
         {1.7e308, -1.7e308, 1.7e308, -1.7e308, 0, 0, 0},
         SigmaEstimate::MovingRange,
         ChartRefusal::OutOfRange},
        {"s overflows",
         {1.7e308, -1.7e308, 1.7e308, -1.7e308, 0, 0, 0},
         SigmaEstimate::StandardDeviation,
         ChartRefusal::OutOfRange},
        {"not a number",
         {1, 2, 3, NAN, 5, 6, 7},
         SigmaEstimate::StandardDeviation,
         ChartRefusal::OutOfRange},
        {"six points",
         {1, 2, 3, 4, 5, 6},
         SigmaEstimate::StandardDeviation,
         ChartRefusal::TooFewReferencePoints},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        calc::ChartSettings settings;
        settings.sigma = c.sigma;
        EXPECT_EQ(refusalOf(calc::individualsChart(points(c.values), settings)), c.refusal);
    }
    EXPECT_STREQ(calc::refusalText(ChartRefusal::TooFewReferencePoints), "参考期至少需要7个点");
}

TEST(ControlChart, FrozenLimitsAreUsedAsGiven) {
    calc::FrozenLimits frozen{10, 0.5, {20, "2026-01-01", "2026-03-31", false}};
    // Points far from any reference of their own: judged against the frozen lines only.
    const Values values{10.2, 9.9, 11.6, 10, 10, 10, 10};
    const auto& chart =
        expectOk(calc::individualsChart(points(values), frozen, RuleSet::Gb, ChartSides::Both));
    EXPECT_EQ(chart.limits.centre, 10);
    EXPECT_EQ(*chart.limits.action.high, 11.5);
    EXPECT_EQ(*chart.limits.warning.low, 9);
    EXPECT_TRUE(chart.reference.frozen);
    EXPECT_EQ(chart.reference.n, 20);
    EXPECT_EQ(chart.reference.to, "2026-03-31");
    ASSERT_EQ(chart.violations[2].size(), 1u);
    EXPECT_STREQ(chart.violations[2].front()->key, "t1");

    for (double s : {0.0, -1.0, double(NAN), double(INFINITY)}) {
        frozen.s = s;
        EXPECT_EQ(refusalOf(calc::individualsChart(points(values), frozen, RuleSet::Gb,
                                                   ChartSides::Both)),
                  ChartRefusal::BadFrozenLimits);
    }
}

TEST(ControlChart, Keys) {
    EXPECT_EQ(calc::parseSigma("mr"), SigmaEstimate::MovingRange);
    EXPECT_EQ(calc::parseSigma("sd"), SigmaEstimate::StandardDeviation);
    EXPECT_EQ(calc::parseSigma("SD"), std::nullopt);
    EXPECT_STREQ(calc::sigmaKey(SigmaEstimate::MovingRange), "mr");
    EXPECT_EQ(calc::parseRuleSet("westgard"), RuleSet::Westgard);
    EXPECT_EQ(calc::parseRuleSet("gb"), RuleSet::Gb);
    EXPECT_EQ(calc::parseRuleSet(""), std::nullopt);
    EXPECT_STREQ(calc::ruleSetKey(RuleSet::Westgard), "westgard");
}

} // namespace
