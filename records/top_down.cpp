#include "records/top_down.h"

#include "calc/number_text.h"
#include "calibration/results.h"
#include "records/chart.h"
#include "records/judging.h"
#include "records/store.h"

#include <set>
#include <string_view>

namespace records {
namespace {

calibration::Message unreadable(const Fault& fault) {
    return fault.message;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

std::shared_ptr<const calibration::TopDownInputs>
readTopDownInputs(Store& store, const calibration::Document& document,
                  const calibration::Results& results) {
    auto inputs = std::make_shared<calibration::TopDownInputs>();
    const ChartGroup group = groupOf(document);
    const auto catalogue = store.catalogue();
    if (!catalogue) {
        inputs->problem = unreadable(catalogue.fault());
        return inputs;
    }
    std::vector<std::string> keys;
    for (const GroupSummary& summary : catalogue.value()) {
        if (summary.group == group) {
            for (const SeriesCount& series : summary.series) {
                keys.push_back(series.series);
            }
        }
    }
    for (const std::string& key : keys) {
        const bool check = startsWith(key, "check:");
        const bool reference = startsWith(key, "reference:");
        if (!check && !reference) {
            continue;
        }
        // The reference material's results as filed, each with its certified value and its U
        // (the bound of the row's "reference" rule): all of them, also when too few for a chart.
        if (reference) {
            const auto points = store.series(group, key);
            if (!points) {
                inputs->problem = unreadable(points.fault());
                return inputs;
            }
            const std::string name = key.substr(std::string_view("reference:").size());
            std::set<std::int64_t> batches;
            for (const SeriesPoint& point : points.value()) {
                batches.insert(point.batch);
            }
            for (const std::int64_t id : batches) {
                const auto batch = store.readBatch(id);
                if (!batch) {
                    inputs->problem = unreadable(batch.fault());
                    return inputs;
                }
                if (!batch.value()) {
                    continue;
                }
                for (const QcRow& row : batch.value()->rows) {
                    if (row.type != "reference" || row.name != name || !row.value) {
                        continue;
                    }
                    const std::optional<double> certified = calc::strictParse(row.certified);
                    for (const Verdict& verdict : row.verdicts) {
                        if (verdict.rule == "reference" && verdict.high && certified) {
                            inputs->references.push_back({*row.value, *certified, *verdict.high});
                        }
                    }
                }
            }
        }
        ChartRequest request;
        request.group = group;
        request.series = key;
        const auto chart = readChart(store, request);
        if (const auto* failure = std::get_if<ChartFailure>(&chart)) {
            if (failure->kind == ChartFailure::Kind::Database) {
                inputs->problem = failure->message;
                return inputs;
            }
            continue; // too few points, no spread: this chart gives no u(Rw)
        }
        const SeriesChart& read = std::get<SeriesChart>(chart);
        const calc::ChartLimits& limits = read.chart.limits;
        if (!(limits.centre > 0)) {
            continue;
        }
        calibration::TopDownInputs::RwLevel level;
        level.level = check ? limits.centre * results.batch.resultFactor : limits.centre;
        level.uRw = limits.s / limits.centre;
        if (read.chart.reference.n > 1) {
            level.dof = read.chart.reference.n - 1;
        }
        level.series = key;
        inputs->rw.push_back(level);
    }
    return inputs;
}

} // namespace records
