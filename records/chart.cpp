#include "records/chart.h"

#include "records/store.h"

#include <map>

namespace records {

namespace {

using calibration::Message;

ChartFailure dataFailure(const ChartGroup& group, const std::string& series, const Message& why) {
    return {ChartFailure::Kind::Data,
            calibration::located(Message(QT_TRANSLATE_NOOP("calibration", "%1，序列 %2"),
                                         {groupName(group), series}),
                                 why)};
}

// The first and last index of the points dated from `from` to `to` (days, both included).
std::pair<int, int> pointsWithin(const std::vector<SeriesPoint>& points, const std::string& from,
                                 const std::string& to) {
    int first = -1, last = -1;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::string day = points[i].date.substr(0, 10);
        if (day >= from && day <= to) {
            first = first < 0 ? int(i) : first;
            last = int(i);
        }
    }
    return {first, last};
}

} // namespace

std::string commonestUnit(const std::vector<SeriesPoint>& points) {
    if (points.empty()) {
        return {};
    }
    std::map<std::string, int> counts;
    for (const SeriesPoint& point : points) {
        ++counts[point.unit];
    }
    std::string unit = points.front().unit;
    for (const SeriesPoint& point : points) {
        if (counts[point.unit] > counts[unit]) {
            unit = point.unit;
        }
    }
    return unit;
}

calc::ChartSides sidesOf(const std::string& seriesKey) {
    return seriesKey == "duplicate" ? calc::ChartSides::UpperOnly : calc::ChartSides::Both;
}

Message groupName(const ChartGroup& group) {
    if (group.method.empty()) {
        return Message(QT_TRANSLATE_NOOP("calibration", "分析项目 %1"), {group.analyte});
    }
    return Message(QT_TRANSLATE_NOOP("calibration", "方法 %1"), {group.method});
}

std::variant<SeriesChart, ChartFailure> readChart(Store& store, const ChartRequest& request) {
    const auto key = seriesKey(request.series);
    if (!key) {
        return ChartFailure{
            ChartFailure::Kind::Usage,
            Message(QT_TRANSLATE_NOOP("calibration",
                                      "未知的质控序列 \"%1\"（应为 check:浓度、reference:名称、"
                                      "spike、duplicate、blank、slope 或 intercept）"),
                    {request.series})};
    }
    SeriesChart chart;
    chart.group = request.group;
    chart.series = *key;
    chart.rules = request.rules;
    chart.sigma = request.sigma;
    chart.sides = sidesOf(*key);

    auto points = store.series(request.group, *key);
    if (!points) {
        return ChartFailure{ChartFailure::Kind::Database, points.fault().message};
    }
    if (request.useFrozen) {
        auto frozen = store.frozenLimits(request.group, *key);
        if (!frozen) {
            return ChartFailure{ChartFailure::Kind::Database, frozen.fault().message};
        }
        chart.frozen = frozen.value();
    }
    if (points->empty()) {
        return dataFailure(request.group, *key,
                           Message(QT_TRANSLATE_NOOP("calibration", "数据库中没有这个序列的点")));
    }

    chart.unit = commonestUnit(points.value());
    for (const SeriesPoint& point : points.value()) {
        if (point.unit == chart.unit) {
            chart.points.push_back(point);
        } else {
            ++chart.otherUnits;
        }
    }
    std::vector<calc::ChartPoint> values;
    values.reserve(chart.points.size());
    for (const SeriesPoint& point : chart.points) {
        values.push_back({point.date, point.value});
    }

    std::variant<calc::IndividualsChart, calc::ChartRefusal> computed;
    if (chart.frozen) {
        const FrozenRecord& f = *chart.frozen;
        chart.sigma = calc::parseSigma(f.sigma).value_or(calc::SigmaEstimate::StandardDeviation);
        const calc::FrozenLimits limits{
            f.centre, f.s, {f.referenceN, f.referenceFrom, f.referenceTo, true}};
        computed = calc::individualsChart(values, limits, chart.rules, chart.sides);
    } else {
        computed =
            calc::individualsChart(values, calc::ChartSettings{request.reference, request.sigma,
                                                               chart.rules, chart.sides});
    }
    if (const auto* refusal = std::get_if<calc::ChartRefusal>(&computed)) {
        return dataFailure(request.group, *key, Message(calc::refusalText(*refusal)));
    }
    chart.chart = std::get<calc::IndividualsChart>(std::move(computed));

    const calc::ReferenceSummary& reference = chart.chart.reference;
    if (chart.frozen || request.reference.byDate()) {
        std::tie(chart.referenceFirst, chart.referenceLast) =
            pointsWithin(chart.points, reference.from, reference.to);
    } else if (reference.n > 0) {
        chart.referenceFirst = 0;
        chart.referenceLast = reference.n - 1;
    }
    return chart;
}

FrozenRecord frozenRecordOf(const SeriesChart& chart) {
    FrozenRecord record;
    record.group = chart.group;
    record.series = chart.series;
    record.sigma = calc::sigmaKey(chart.sigma);
    record.centre = chart.chart.limits.centre;
    record.s = chart.chart.limits.s;
    record.referenceN = chart.chart.reference.n;
    record.referenceFrom = chart.chart.reference.from;
    record.referenceTo = chart.chart.reference.to;
    return record;
}

} // namespace records
