#pragma once

// The individuals chart of a quality-control series across batches: one value per point (a check
// standard's found concentration, a recovery, a slope, ...), in the order the batches were
// analysed.
//
// Limits: the centre is the mean of the reference points and s either their sample standard
// deviation or their mean moving range / 1.128 (the moving range of two consecutive points, d2 for
// n = 2). The lines are the centre, centre +- 1s, the warning limits +- 2s and the action limits
// +- 3s; a chart of a spread (the duplicates' relative deviation) has the upper lines only, since
// a duplicate closer than usual is never a fault. Frozen limits (a centre and s stored earlier)
// are used as given instead of a reference period.
//
// Rules: a point is "beyond ks" when it lies strictly outside centre +- ks, "within 1s" when it
// does not; a point exactly on the centre is on neither side. Each rule marks the point that
// completes it, the last of its run, and every later point that completes it again (a tenth point
// on one side completes a second run of nine).
//   GB/T 17989.2: t1 one point beyond 3s; t2 nine in a row on one side of the centre; t3 six in a
//   row increasing or decreasing (each strictly above or below the one before); t4 fourteen in a
//   row alternating up and down; t5 two of three in a row beyond 2s on one side; t6 four of five
//   in a row beyond 1s on one side; t7 fifteen in a row within 1s; t8 eight in a row beyond 1s on
//   either side. In t5 and t6 the completing point is itself beyond, and the first two (four)
//   points of a chart can complete them before a whole window of three (five) exists.
//   Westgard: 1-2s one point beyond 2s (a warning); 1-3s one beyond 3s; 2-2s two in a row beyond 2s
//   on one side; R-4s two in a row, one beyond +2s and the other beyond -2s; 4-1s four in a row
//   beyond 1s on one side; 10x ten in a row on one side of the centre (the rejecting rules).
// On an upper-only chart only upward signals count: points above the centre and above the upper
// lines, and increasing runs; t4, t7, t8 and R-4s, which need both sides, do not apply.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace calc {

enum class SigmaEstimate { StandardDeviation, MovingRange }; // "sd", "mr"
enum class ChartSides { Both, UpperOnly };
enum class RuleSet { Gb, Westgard }; // "gb", "westgard"

// d2 for moving ranges of two points, as the individuals chart uses it.
inline constexpr double movingRangeD2 = 1.128;
// The fewest reference points that give limits.
inline constexpr int minimumReferencePoints = 7;

struct ChartPoint {
    std::string date; // the analysis day, "2026-03-31" (a longer text is compared on its day)
    double value = 0;
};

// The points whose values set the limits: the first `count` points (all of them when there are
// fewer), or those dated from `from` to `to`, both days included.
struct ReferencePeriod {
    int count = 20;
    std::string from, to; // "2026-01-01", "2026-03-31"; both empty: by count

    bool byDate() const { return !from.empty(); }
    friend bool operator==(const ReferencePeriod&, const ReferencePeriod&) = default;
};

enum class ChartRefusal {
    TooFewReferencePoints, // fewer than 7 points in the reference period
    BadReference,          // a text that is neither a count nor a range of two dates
    ReversedDates,         // the range's first day after its last
    NoSpread,              // s = 0: every reference value the same
    OutOfRange,            // a value or a figure beyond the range of a double
    BadFrozenLimits,       // frozen limits with s <= 0 or not a number
};
// The reason in words, a source text marked for translation in the context "calibration" (render
// it as a calibration::Message): "参考期至少需要7个点".
const char* refusalText(ChartRefusal refusal);

// "20" (a count of at least 7), "2026-01-01..2026-03-31" (real calendar days, the first not after
// the last). "5" gives TooFewReferencePoints, "2026-02-30..2026-03-01" BadReference.
std::variant<ReferencePeriod, ChartRefusal> parseReference(std::string_view text);

// "sd" and "mr", as files and the command line write them; nullopt for anything else.
std::optional<SigmaEstimate> parseSigma(std::string_view key);
const char* sigmaKey(SigmaEstimate sigma);
std::optional<RuleSet> parseRuleSet(std::string_view key);
const char* ruleSetKey(RuleSet rules);

// A pair of lines; `low` is missing on an upper-only chart.
struct ChartBand {
    std::optional<double> low, high;
};

struct ChartLimits {
    double centre = 0, s = 0;
    ChartSides sides = ChartSides::Both;
    ChartBand oneS, warning, action; // centre -+ 1s, 2s, 3s
};
// The lines around a centre, each centre + k*s rounded once.
ChartLimits limitsAround(double centre, double s, ChartSides sides);

// Where the limits came from: the reference points (how many, the first and last day), or limits
// frozen earlier (with the period they were taken from).
struct ReferenceSummary {
    int n = 0;
    std::string from, to;
    bool frozen = false;
};

struct FrozenLimits {
    double centre = 0, s = 0;
    ReferenceSummary reference; // as stored when they were frozen
};

struct ReferenceFigures {
    double centre = 0, s = 0;
    ReferenceSummary reference;
};
// The centre and s of the reference period of `points`.
std::variant<ReferenceFigures, ChartRefusal> referenceFigures(std::span<const ChartPoint> points,
                                                              const ReferencePeriod& period,
                                                              SigmaEstimate sigma);

struct ChartRule {
    const char* key;     // "t1", "2-2s"
    const char* caption; // marked source text (context "calibration"): "1点超出3s"
    bool rejecting;      // false: a warning (1-2s)
    int window;          // the points the rule looks at, the completing one last
};
// The rules of a set, in the order they are listed and reported.
std::span<const ChartRule> chartRules(RuleSet rules);
// The rule with this key in either set, or nullptr.
const ChartRule* findChartRule(std::string_view key);

// The rules each point completes, one list per value, each in the set's order.
using Violations = std::vector<std::vector<const ChartRule*>>;
Violations judge(std::span<const double> values, const ChartLimits& limits, RuleSet rules);

struct IndividualsChart {
    ChartLimits limits;
    ReferenceSummary reference;
    Violations violations; // one list per point
};

struct ChartSettings {
    ReferencePeriod reference;
    SigmaEstimate sigma = SigmaEstimate::StandardDeviation;
    RuleSet rules = RuleSet::Gb;
    ChartSides sides = ChartSides::Both;
};

// Limits from the reference period of `points`, every point judged against them.
std::variant<IndividualsChart, ChartRefusal> individualsChart(std::span<const ChartPoint> points,
                                                              const ChartSettings& settings);
// Every point judged against frozen limits.
std::variant<IndividualsChart, ChartRefusal> individualsChart(std::span<const ChartPoint> points,
                                                              const FrozenLimits& frozen,
                                                              RuleSet rules, ChartSides sides);

} // namespace calc
