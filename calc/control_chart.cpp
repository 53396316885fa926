#include "calc/control_chart.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

// Marks a source text for Qt's translation tools (the calibration layer renders it).
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace calc {

namespace {

// The day of a date text: its first ten characters.
std::string_view dayOf(std::string_view date) {
    return date.substr(0, 10);
}

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// "2026-02-28" is a day, "2026-02-30" and "2026-2-28" are not.
bool isDay(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    const auto number = [&](std::size_t at, std::size_t length, int& value) {
        const char* first = text.data() + at;
        const char* last = first + length;
        if (!std::all_of(first, last, [](char c) { return c >= '0' && c <= '9'; })) {
            return false;
        }
        return std::from_chars(first, last, value).ptr == last;
    };
    int year = 0, month = 0, day = 0;
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day)) {
        return false;
    }
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const int last = days[month - 1] + (month == 2 && leapYear(year) ? 1 : 0);
    return day <= last;
}

// One point as the rules see it: its side of the centre and how far beyond the lines it lies.
struct Mark {
    double value = 0;
    int side = 0;   // +1 above the centre, -1 below, 0 on it
    int beyond = 0; // 0 within 1s; k when strictly beyond ks (k = 1, 2, 3) on its side
};

Mark markOf(double value, const ChartLimits& limits) {
    Mark mark;
    mark.value = value;
    if (value > limits.centre) {
        mark.side = 1;
        mark.beyond = value > *limits.action.high    ? 3
                      : value > *limits.warning.high ? 2
                      : value > *limits.oneS.high    ? 1
                                                     : 0;
    } else if (value < limits.centre) {
        mark.side = -1;
        if (limits.oneS.low) {
            mark.beyond = value < *limits.action.low    ? 3
                          : value < *limits.warning.low ? 2
                          : value < *limits.oneS.low    ? 1
                                                        : 0;
        }
    }
    return mark;
}

using Window = std::span<const Mark>;

// The sides a rule may signal on: both, or above only on an upper-only chart.
std::span<const int> sidesOf(bool upperOnly) {
    static constexpr std::array<int, 2> both{1, -1};
    return upperOnly ? std::span<const int>(both).first(1) : std::span<const int>(both);
}

bool allOnSide(Window w, int side, int beyond) {
    return std::all_of(w.begin(), w.end(),
                       [&](const Mark& m) { return m.side == side && m.beyond >= beyond; });
}

// Every point on one allowed side, at least `beyond` bands out.
bool runOnOneSide(Window w, bool upperOnly, int beyond) {
    const auto sides = sidesOf(upperOnly);
    return std::any_of(sides.begin(), sides.end(),
                       [&](int side) { return allOnSide(w, side, beyond); });
}

// The last point beyond `beyond` on an allowed side, and at least `count` of the window so.
bool countOnOneSide(Window w, bool upperOnly, int beyond, long count) {
    const Mark& last = w.back();
    const auto sides = sidesOf(upperOnly);
    return std::any_of(sides.begin(), sides.end(), [&](int side) {
        return last.side == side && last.beyond >= beyond &&
               std::count_if(w.begin(), w.end(), [&](const Mark& m) {
                   return m.side == side && m.beyond >= beyond;
               }) >= count;
    });
}

bool monotone(Window w, bool upperOnly) {
    const auto rising = [](const Mark& a, const Mark& b) { return a.value < b.value; };
    const auto falling = [](const Mark& a, const Mark& b) { return a.value > b.value; };
    const auto steady = [&](auto step) {
        return std::adjacent_find(w.begin(), w.end(), [&](const Mark& a, const Mark& b) {
                   return !step(a, b);
               }) == w.end();
    };
    return steady(rising) || (!upperOnly && steady(falling));
}

bool alternating(Window w) {
    for (std::size_t i = 1; i < w.size(); ++i) {
        const double step = w[i].value - w[i - 1].value;
        if (!(step > 0 || step < 0)) {
            return false;
        }
        if (i >= 2) {
            const double before = w[i - 1].value - w[i - 2].value;
            if ((step > 0) == (before > 0)) {
                return false;
            }
        }
    }
    return true;
}

using Predicate = bool (*)(Window, bool upperOnly);

struct RuleRow {
    ChartRule rule;
    int least;      // the fewest points that can complete it: the window for a run, the count for
                    // "two of three", so that the first two points of a chart can complete t5
    bool bothSides; // applies only to a chart with both sides
    Predicate fires;
};

// clang-format off
constexpr std::array<RuleRow, 8> gbRules{{
    {{"t1", QT_TRANSLATE_NOOP("calibration", "1点超出3s控制限"), true, 1}, 1, false,
     [](Window w, bool up) { return countOnOneSide(w, up, 3, 1); }},
    {{"t2", QT_TRANSLATE_NOOP("calibration", "连续9点落在中心线同一侧"), true, 9}, 9, false,
     [](Window w, bool up) { return runOnOneSide(w, up, 0); }},
    {{"t3", QT_TRANSLATE_NOOP("calibration", "连续6点递增或递减"), true, 6}, 6, false,
     [](Window w, bool up) { return monotone(w, up); }},
    {{"t4", QT_TRANSLATE_NOOP("calibration", "连续14点交替上下"), true, 14}, 14, true,
     [](Window w, bool) { return alternating(w); }},
    {{"t5", QT_TRANSLATE_NOOP("calibration", "连续3点中有2点在同一侧超出2s"), true, 3}, 2, false,
     [](Window w, bool up) { return countOnOneSide(w, up, 2, 2); }},
    {{"t6", QT_TRANSLATE_NOOP("calibration", "连续5点中有4点在同一侧超出1s"), true, 5}, 4, false,
     [](Window w, bool up) { return countOnOneSide(w, up, 1, 4); }},
    {{"t7", QT_TRANSLATE_NOOP("calibration", "连续15点落在±1s以内"), true, 15}, 15, true,
     [](Window w, bool) {
         return std::all_of(w.begin(), w.end(), [](const Mark& m) { return m.beyond == 0; });
     }},
    {{"t8", QT_TRANSLATE_NOOP("calibration", "连续8点超出±1s（中心线两侧均可）"), true, 8}, 8, true,
     [](Window w, bool) {
         return std::all_of(w.begin(), w.end(), [](const Mark& m) { return m.beyond >= 1; });
     }},
}};

constexpr std::array<RuleRow, 6> westgardRules{{
    {{"1-2s", QT_TRANSLATE_NOOP("calibration", "1点超出2s（警告）"), false, 1}, 1, false,
     [](Window w, bool up) { return countOnOneSide(w, up, 2, 1); }},
    {{"1-3s", QT_TRANSLATE_NOOP("calibration", "1点超出3s"), true, 1}, 1, false,
     [](Window w, bool up) { return countOnOneSide(w, up, 3, 1); }},
    {{"2-2s", QT_TRANSLATE_NOOP("calibration", "连续2点在同一侧超出2s"), true, 2}, 2, false,
     [](Window w, bool up) { return runOnOneSide(w, up, 2); }},
    {{"R-4s", QT_TRANSLATE_NOOP("calibration", "相邻2点一点超出+2s、另一点超出-2s"), true, 2}, 2, true,
     [](Window w, bool) {
         return w[0].beyond >= 2 && w[1].beyond >= 2 && w[0].side == -w[1].side;
     }},
    {{"4-1s", QT_TRANSLATE_NOOP("calibration", "连续4点在同一侧超出1s"), true, 4}, 4, false,
     [](Window w, bool up) { return runOnOneSide(w, up, 1); }},
    {{"10x", QT_TRANSLATE_NOOP("calibration", "连续10点落在中心线同一侧"), true, 10}, 10, false,
     [](Window w, bool up) { return runOnOneSide(w, up, 0); }},
}};
// clang-format on

std::span<const RuleRow> rows(RuleSet rules) {
    if (rules == RuleSet::Westgard) {
        return westgardRules;
    }
    return gbRules;
}

} // namespace

const char* refusalText(ChartRefusal refusal) {
    switch (refusal) {
    case ChartRefusal::TooFewReferencePoints:
        return QT_TRANSLATE_NOOP("calibration", "参考期至少需要7个点");
    case ChartRefusal::BadReference:
        return QT_TRANSLATE_NOOP("calibration",
                                 "参考期应为点数或日期范围，如 20 或 2026-01-01..2026-03-31");
    case ChartRefusal::ReversedDates:
        return QT_TRANSLATE_NOOP("calibration", "参考期的起始日期晚于结束日期");
    case ChartRefusal::NoSpread:
        return QT_TRANSLATE_NOOP("calibration", "参考期的数值全部相同，无法确定控制限");
    case ChartRefusal::OutOfRange:
        return QT_TRANSLATE_NOOP("calibration", "数值超出可计算的范围");
    case ChartRefusal::BadFrozenLimits:
        return QT_TRANSLATE_NOOP("calibration", "冻结的控制限无效");
    }
    return "";
}

std::variant<ReferencePeriod, ChartRefusal> parseReference(std::string_view text) {
    ReferencePeriod period;
    if (const auto dots = text.find(".."); dots != std::string_view::npos) {
        const std::string_view from = text.substr(0, dots);
        const std::string_view to = text.substr(dots + 2);
        if (!isDay(from) || !isDay(to)) {
            return ChartRefusal::BadReference;
        }
        if (from > to) {
            return ChartRefusal::ReversedDates;
        }
        period.from = from;
        period.to = to;
        return period;
    }
    const bool digits = !text.empty() && std::all_of(text.begin(), text.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; });
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (!digits) {
        return ChartRefusal::BadReference;
    }
    // A count too long for an int is surely enough points.
    if (error == std::errc::result_out_of_range) {
        count = std::numeric_limits<int>::max();
    }
    if (count < minimumReferencePoints) {
        return ChartRefusal::TooFewReferencePoints;
    }
    period.count = count;
    return period;
}

std::optional<SigmaEstimate> parseSigma(std::string_view key) {
    if (key == "sd") {
        return SigmaEstimate::StandardDeviation;
    }
    if (key == "mr") {
        return SigmaEstimate::MovingRange;
    }
    return std::nullopt;
}

const char* sigmaKey(SigmaEstimate sigma) {
    return sigma == SigmaEstimate::MovingRange ? "mr" : "sd";
}

std::optional<RuleSet> parseRuleSet(std::string_view key) {
    if (key == "gb") {
        return RuleSet::Gb;
    }
    if (key == "westgard") {
        return RuleSet::Westgard;
    }
    return std::nullopt;
}

const char* ruleSetKey(RuleSet rules) {
    return rules == RuleSet::Westgard ? "westgard" : "gb";
}

ChartLimits limitsAround(double centre, double s, ChartSides sides) {
    ChartLimits limits;
    limits.centre = centre;
    limits.s = s;
    limits.sides = sides;
    const auto band = [&](double k) {
        ChartBand b;
        b.high = centre + k * s;
        if (sides == ChartSides::Both) {
            b.low = centre - k * s;
        }
        return b;
    };
    limits.oneS = band(1);
    limits.warning = band(2);
    limits.action = band(3);
    return limits;
}

std::variant<ReferenceFigures, ChartRefusal> referenceFigures(std::span<const ChartPoint> points,
                                                              const ReferencePeriod& period,
                                                              SigmaEstimate sigma) {
    std::vector<double> values;
    ReferenceFigures figures;
    for (const ChartPoint& point : points) {
        const std::string_view day = dayOf(point.date);
        const bool inside = period.byDate()
                                ? day >= period.from && day <= period.to
                                : values.size() < static_cast<std::size_t>(period.count);
        if (!inside) {
            continue;
        }
        if (values.empty()) {
            figures.reference.from = day;
        }
        figures.reference.to = day;
        values.push_back(point.value);
    }
    figures.reference.n = static_cast<int>(values.size());
    if (values.size() < static_cast<std::size_t>(minimumReferencePoints)) {
        return ChartRefusal::TooFewReferencePoints;
    }
    if (!std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); })) {
        return ChartRefusal::OutOfRange;
    }
    // Long double sums: they neither overflow nor underflow for any double (squares of 1e-300
    // and of 1e300 included), and a double less its mean is exact in them. The sum of squares
    // about the mean is corrected by the square of the deviations' own sum over n, which takes
    // out what the mean lost to rounding (1/7 of one unit in the last place of 5 would otherwise
    // shift s by 8 % in a set whose spread is in that place).
    const auto n = static_cast<long double>(values.size());
    long double sum = 0;
    for (double v : values) {
        sum += v;
    }
    const long double mean = sum / n;
    long double spread = 0;
    if (sigma == SigmaEstimate::StandardDeviation) {
        long double squares = 0, deviations = 0;
        for (double v : values) {
            const long double d = v - mean;
            squares += d * d;
            deviations += d;
        }
        spread = std::sqrt((squares - deviations * deviations / n) / (n - 1));
    } else {
        for (std::size_t i = 1; i < values.size(); ++i) {
            spread += std::fabs(static_cast<long double>(values[i]) - values[i - 1]);
        }
        spread = spread / (n - 1) / static_cast<long double>(movingRangeD2);
    }
    figures.centre = static_cast<double>(mean);
    figures.s = static_cast<double>(spread);
    const ChartLimits limits = limitsAround(figures.centre, figures.s, ChartSides::Both);
    if (!std::isfinite(figures.centre) || !std::isfinite(figures.s) ||
        !std::isfinite(*limits.action.high) || !std::isfinite(*limits.action.low)) {
        return ChartRefusal::OutOfRange;
    }
    if (!(figures.s > 0)) {
        return ChartRefusal::NoSpread;
    }
    return figures;
}

std::span<const ChartRule> chartRules(RuleSet rules) {
    // The rules' public part, gathered once from the rows.
    static const auto gather = [](std::span<const RuleRow> source) {
        std::vector<ChartRule> list;
        for (const RuleRow& row : source) {
            list.push_back(row.rule);
        }
        return list;
    };
    static const std::vector<ChartRule> gb = gather(gbRules);
    static const std::vector<ChartRule> westgard = gather(westgardRules);
    return rules == RuleSet::Westgard ? std::span<const ChartRule>(westgard)
                                      : std::span<const ChartRule>(gb);
}

const ChartRule* findChartRule(std::string_view key) {
    for (RuleSet set : {RuleSet::Gb, RuleSet::Westgard}) {
        for (const ChartRule& rule : chartRules(set)) {
            if (rule.key == key) {
                return &rule;
            }
        }
    }
    return nullptr;
}

Violations judge(std::span<const double> values, const ChartLimits& limits, RuleSet rules) {
    std::vector<Mark> marks;
    marks.reserve(values.size());
    for (double v : values) {
        marks.push_back(markOf(v, limits));
    }
    const bool upperOnly = limits.sides == ChartSides::UpperOnly;
    const std::span<const RuleRow> table = rows(rules);
    const std::span<const ChartRule> published = chartRules(rules);
    Violations violations(values.size());
    for (std::size_t r = 0; r < table.size(); ++r) {
        const RuleRow& row = table[r];
        if (upperOnly && row.bothSides) {
            continue;
        }
        const auto window = static_cast<std::size_t>(row.rule.window);
        const auto least = static_cast<std::size_t>(row.least);
        for (std::size_t last = least - 1; last < marks.size(); ++last) {
            const std::size_t size = std::min(window, last + 1);
            const Window w(marks.data() + last + 1 - size, size);
            if (row.fires(w, upperOnly)) {
                violations[last].push_back(&published[r]);
            }
        }
    }
    return violations;
}

namespace {

std::vector<double> valuesOf(std::span<const ChartPoint> points) {
    std::vector<double> values;
    values.reserve(points.size());
    for (const ChartPoint& point : points) {
        values.push_back(point.value);
    }
    return values;
}

} // namespace

std::variant<IndividualsChart, ChartRefusal> individualsChart(std::span<const ChartPoint> points,
                                                              const ChartSettings& settings) {
    const auto figures = referenceFigures(points, settings.reference, settings.sigma);
    if (const auto* refusal = std::get_if<ChartRefusal>(&figures)) {
        return *refusal;
    }
    const auto& reference = std::get<ReferenceFigures>(figures);
    IndividualsChart chart;
    chart.limits = limitsAround(reference.centre, reference.s, settings.sides);
    chart.reference = reference.reference;
    chart.violations = judge(valuesOf(points), chart.limits, settings.rules);
    return chart;
}

std::variant<IndividualsChart, ChartRefusal> individualsChart(std::span<const ChartPoint> points,
                                                              const FrozenLimits& frozen,
                                                              RuleSet rules, ChartSides sides) {
    const ChartLimits limits = limitsAround(frozen.centre, frozen.s, ChartSides::Both);
    if (!std::isfinite(frozen.centre) || !(frozen.s > 0) || !std::isfinite(frozen.s) ||
        !std::isfinite(*limits.action.high) || !std::isfinite(*limits.action.low)) {
        return ChartRefusal::BadFrozenLimits;
    }
    IndividualsChart chart;
    chart.limits = limitsAround(frozen.centre, frozen.s, sides);
    chart.reference = frozen.reference;
    chart.reference.frozen = true;
    chart.violations = judge(valuesOf(points), chart.limits, rules);
    return chart;
}

} // namespace calc
