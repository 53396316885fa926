#pragma once

// A new batch judged against its method's frozen control charts: the value of each of its QC
// rows joins the row's series as the next point after those filed (the batch's rows of one
// series in the list's order), and a point that completes a rule gives the row the QC rule
// "control_chart", failed, its figure the rules' keys ("t1 t5"). Only series with frozen limits
// judge; a series is judged with GB/T 17989.2's tests, the default of the charts (frozen limits
// do not keep the rules a chart was shown with). A row whose unit is not the one the series' points
// carry, or without a value, is not judged.
//
// calibration::evaluate() stays a function of the document: the caller reads what the charts
// hold (readChartContext, from the database), and judgeAgainstCharts adds the rule to the results
// after evaluation. The window and the command line both judge through judgeAgainstCharts.

#include "calibration/document.h"
#include "calibration/results.h"
#include "records/batch_record.h"
#include "records/database.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace records {

class Store;

// One series with frozen limits, as a new batch joins it.
struct FrozenSeries {
    FrozenRecord limits;
    std::string unit; // the unit most of the earlier points carry
    // The last points filed before that carry it, in chart order: as many as the rules look
    // back on (the longest, t7, fifteen in a row), with some to spare.
    std::vector<double> earlier;

    friend bool operator==(const FrozenSeries&, const FrozenSeries&) = default;
};

// What the charts of a group hold for some series: by key, the frozen series or none (no frozen
// limits).
struct ChartContext {
    ChartGroup group;
    std::map<std::string, std::optional<FrozenSeries>> series;

    friend bool operator==(const ChartContext&, const ChartContext&) = default;
};

// The group a document's batch is charted in: its method, else (no method) its analyte.
ChartGroup groupOf(const calibration::Document& document);

// The series keys of the rows ("" left out).
std::set<std::string> seriesOf(const std::vector<BatchRow>& rows);

// Whether the context is of `group` and holds every one of `keys`.
bool covers(const ChartContext& context, const ChartGroup& group,
            const std::set<std::string>& keys);

// The frozen limits of each of `keys` and, where there are, the series' points; the points of the
// record `own` (the batch itself, when it is filed already) are not earlier points. A read that
// fails gives the fault.
Outcome<ChartContext> readChartContext(Store& store, const ChartGroup& group,
                                       const std::set<std::string>& keys,
                                       std::optional<std::int64_t> own = std::nullopt);

// The control_chart rules of the rows that complete a rule, each with the index of its sample
// row.
std::vector<std::pair<std::size_t, calibration::QualityCheck>>
chartChecks(const std::vector<BatchRow>& rows, const ChartContext& context);

// The rules added to the results (calibration::addRowChecks), counted in the batch's summary.
void judgeAgainstCharts(const calibration::Document& document, calibration::Results& results,
                        const ChartContext& context);

} // namespace records
