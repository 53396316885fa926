#include "records/judging.h"

#include "calc/control_chart.h"
#include "records/chart.h"
#include "records/store.h"

#include <algorithm>

namespace records {

using calibration::Message;

namespace {

// The most points before a new one that any rule looks at, and some to spare: the longest window
// is GB/T 17989.2's t7, fifteen in a row. The unit of the series is the one most of these carry.
constexpr int kLookBack = 50;

} // namespace

ChartGroup groupOf(const calibration::Document& document) {
    if (!document.method.empty()) {
        return {document.method.name, {}};
    }
    return {{}, document.header.analyte};
}

std::set<std::string> seriesOf(const std::vector<BatchRow>& rows) {
    std::set<std::string> keys;
    for (const BatchRow& row : rows) {
        if (std::string key = seriesOfRow(row.row); !key.empty()) {
            keys.insert(std::move(key));
        }
    }
    return keys;
}

bool covers(const ChartContext& context, const ChartGroup& group,
            const std::set<std::string>& keys) {
    return context.group == group &&
           std::all_of(keys.begin(), keys.end(),
                       [&context](const std::string& key) { return context.series.count(key); });
}

Outcome<ChartContext> readChartContext(Store& store, const ChartGroup& group,
                                       const std::set<std::string>& keys,
                                       std::optional<std::int64_t> own) {
    ChartContext context{group, {}};
    for (const std::string& key : keys) {
        auto frozen = store.frozenLimits(group, key);
        if (!frozen) {
            return frozen.fault();
        }
        if (!frozen.value()) {
            context.series[key] = std::nullopt;
            continue;
        }
        // The rules look back at most kLookBack points: the earlier ones change nothing.
        auto points = store.lastPoints(group, key, kLookBack);
        if (!points) {
            return points.fault();
        }
        std::vector<SeriesPoint> earlier = std::move(points).value();
        std::erase_if(earlier, [own](const SeriesPoint& p) { return own && p.batch == *own; });
        FrozenSeries series{*frozen.value(), commonestUnit(earlier), {}};
        for (const SeriesPoint& point : earlier) {
            if (point.unit == series.unit) {
                series.earlier.push_back(point.value);
            }
        }
        context.series[key] = std::move(series);
    }
    return context;
}

std::vector<std::pair<std::size_t, calibration::QualityCheck>>
chartChecks(const std::vector<BatchRow>& rows, const ChartContext& context) {
    std::vector<std::pair<std::size_t, calibration::QualityCheck>> checks;
    for (const auto& [key, frozen] : context.series) {
        if (!frozen) {
            continue;
        }
        // The batch's points of this series after the earlier ones, in their unit (without
        // earlier points, the first row's).
        std::vector<double> values = frozen->earlier;
        std::vector<std::size_t> joined;
        std::optional<std::string> unit;
        if (!frozen->earlier.empty()) {
            unit = frozen->unit;
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const QcRow& row = rows[i].row;
            if (!row.value || seriesOfRow(row) != key) {
                continue;
            }
            if (!unit) {
                unit = row.unit;
            }
            if (row.unit == *unit) {
                values.push_back(*row.value);
                joined.push_back(i);
            }
        }
        if (joined.empty()) {
            continue;
        }
        const calc::ChartLimits limits =
            calc::limitsAround(frozen->limits.centre, frozen->limits.s, sidesOf(key));
        const calc::Violations violations = calc::judge(values, limits, calc::RuleSet::Gb);
        for (std::size_t k = 0; k < joined.size(); ++k) {
            const auto& rules = violations[frozen->earlier.size() + k];
            if (rules.empty()) {
                continue;
            }
            calibration::QualityCheck check;
            check.rule = "control_chart";
            check.pass = false;
            std::string words;
            for (const calc::ChartRule* rule : rules) {
                check.keys.push_back(rule->key);
                // Marked apart from the call that translates it, as lupdate needs.
                static const char* const semicolon = QT_TRANSLATE_NOOP("calibration", "；");
                if (!words.empty()) {
                    words += calibration::translate(semicolon);
                }
                words += rule->key;
                words += ' ';
                words += calibration::translate(rule->caption);
            }
            check.verdict =
                Message(QT_TRANSLATE_NOOP("calibration", "质控图 %1 失控：%2"), {key, words});
            checks.emplace_back(rows[joined[k]].sample, std::move(check));
        }
    }
    // In the rows' order, as the rules of one row stand in their list.
    std::stable_sort(checks.begin(), checks.end(),
                     [](const auto& left, const auto& right) { return left.first < right.first; });
    return checks;
}

void judgeAgainstCharts(const calibration::Document& document, calibration::Results& results,
                        const ChartContext& context) {
    if (context.group != groupOf(document)) {
        return; // the charts of another method
    }
    calibration::addRowChecks(document, results, chartChecks(qcRows(document, results), context));
}

} // namespace records
