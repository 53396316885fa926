#pragma once

// A control chart as the window and `lumetra qc chart` show it: one series of a method (or of an
// analyte filed without a method) read from the database, its limits in force, every point
// judged by the chosen rules.
//
// Limits in force: the latest frozen limits of the series when there are any (their sigma and
// reference period as stored), else those of the reference period. A series whose points carry
// different units (a reporting unit changed between batches) is charted in the unit most of its
// points carry (of equal counts, the first point's); the others are left out and counted, since
// one line cannot hold both.

#include "calc/control_chart.h"
#include "calibration/message.h"
#include "records/record.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace records {

class Store;

struct ChartRequest {
    ChartGroup group;
    std::string series; // as typed: "check:3.0" is the series "check:3"
    calc::RuleSet rules = calc::RuleSet::Gb;
    calc::SigmaEstimate sigma = calc::SigmaEstimate::StandardDeviation;
    calc::ReferencePeriod reference;
    bool useFrozen = true; // false: the reference period's limits even when some are frozen
};

struct SeriesChart {
    ChartGroup group;
    std::string series; // the key
    std::string unit;
    calc::RuleSet rules = calc::RuleSet::Gb;
    calc::SigmaEstimate sigma = calc::SigmaEstimate::StandardDeviation; // of the limits in force
    calc::ChartSides sides = calc::ChartSides::Both;
    std::vector<SeriesPoint> points;    // those charted, in chart order
    int otherUnits = 0;                 // points left out for another unit
    calc::IndividualsChart chart;       // limits, reference summary, a list of rules per point
    std::optional<FrozenRecord> frozen; // the frozen limits in force
    // The points of the reference period (by count or days; for frozen limits those within their
    // days), first and last index; -1 when none is charted.
    int referenceFirst = -1, referenceLast = -1;
};

struct ChartFailure {
    enum class Kind {
        Usage,    // a series text that names none
        Database, // the database refused or could not be reached
        Data,     // no points, too few in the reference period, no spread
    };
    Kind kind = Kind::Data;
    calibration::Message message;
};

// The unit most of the points carry (of equal counts, the first point's); "" for none.
std::string commonestUnit(const std::vector<SeriesPoint>& points);

// The duplicates' relative deviation is charted above the centre only.
calc::ChartSides sidesOf(const std::string& seriesKey);

std::variant<SeriesChart, ChartFailure> readChart(Store& store, const ChartRequest& request);

// The limits of a chart as they are stored by 冻结控制限 (who and when left to the database).
FrozenRecord frozenRecordOf(const SeriesChart& chart);

// "方法 Nitrite" or "分析项目 Nitrite", as messages name a group.
calibration::Message groupName(const ChartGroup& group);

} // namespace records
