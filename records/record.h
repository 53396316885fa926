#pragma once

// What is filed for one batch, and what is read back for the control charts: plain values, so that
// the document's side fills them without knowing the database, and the database knows nothing of
// the document.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// One acceptance rule applied to a QC row.
struct Verdict {
    std::string rule;                // "spike", "check", "control_chart", ...
    std::optional<double> value;     // the figure judged (a recovery, a deviation, ...)
    std::optional<double> low, high; // the accepted range
    std::optional<bool> pass;        // none: the rule could not be judged
    std::string text;                // as shown: "加标回收率 76.4%，要求80–120%"; for
                                     // control_chart the rule keys: "t1 t5"

    friend bool operator==(const Verdict&, const Verdict&) = default;
};

// One row of the batch that a chart follows: a check standard, a reference material, a spike, a
// duplicate or a blank.
struct QcRow {
    std::string type; // "check", "reference", "spike", "duplicate", "blank"
    std::string name;
    std::string nominal, certified, added; // as typed; empty where the type has none
    // The charted value: a check standard's found concentration (x0 times the dilution, in the
    // curve's unit), a reference material's result (reporting unit), a spike's recovery (%), a
    // duplicate's relative deviation (%), a blank's mean absorbance before the correction. None
    // when it cannot be given; the row is filed all the same.
    std::optional<double> value;
    std::string unit; // "mg/L", "%", "" for an absorbance
    std::vector<Verdict> verdicts;

    friend bool operator==(const QcRow&, const QcRow&) = default;
};

struct CurveRecord {
    std::string model;                     // "line", "origin", "quadratic"
    std::string weighting;                 // "none", "1/x", ...
    int n = 0;                             // fitted standards
    std::optional<double> a, b, c, r, sYX; // y = a + b x (+ c x^2)
    std::optional<double> reportedLimit;   // in the curve's unit
    std::string limitKind;                 // "lod", "xd", "mdl"

    friend bool operator==(const CurveRecord&, const CurveRecord&) = default;
};

// The report's header as filed; every field may be empty.
struct BatchHeader {
    std::string laboratory, batchNumber /* 项目/批号 */, method, analyte, instrument,
        instrumentNumber, wavelength, pathLength, analysisDate, analyst, reviewer, approver;

    friend bool operator==(const BatchHeader&, const BatchHeader&) = default;
};

struct BatchRecord {
    // The SHA-256 of the document's canonical form without its history and without any time, 64
    // hexadecimal digits: the same standards and samples filed twice are one batch.
    std::string identity;
    std::string fileName;
    std::string filedAt; // ISO 8601 with its offset, "2026-12-07T21:04:53+08:00"; empty: now
    std::string filedBy; // the login name; empty: this process's user
    std::string created; // the day the document was created, "2026-12-07"
    BatchHeader header;
    std::string methodName, methodHash; // empty without a method file
    std::string analyte;
    std::string curveUnit, resultUnit;
    CurveRecord curve;
    std::vector<QcRow> rows;

    friend bool operator==(const BatchRecord&, const BatchRecord&) = default;
};

// The outcome of filing: the batch's id, whether it was there already (nothing filed), and the
// record it supersedes (the latest earlier record of its batch number and method).
struct Filed {
    std::int64_t batch = 0;
    bool duplicate = false;
    std::optional<std::int64_t> supersedes;

    friend bool operator==(const Filed&, const Filed&) = default;
};

// Which batches a chart follows: those of a method, or, filed without a method, of an analyte.
struct ChartGroup {
    std::string method;  // non-empty: every batch of this method
    std::string analyte; // with an empty method: the batches without a method of this analyte

    friend bool operator==(const ChartGroup&, const ChartGroup&) = default;
};

// A series as the database keys it: "check:3" (a check standard's nominal value as the shortest
// text of its number, so that 3, 3.0 and 3.00 are one series), "reference:NAME", "spike",
// "duplicate", "blank", "slope", "intercept". nullopt for a text that names none: "check:abc",
// "reference:", "rsd".
std::optional<std::string> seriesKey(std::string_view text);
// The series a QC row charts, or "" for a row no chart follows (an unknown type, a check standard
// whose nominal value is not a number).
std::string seriesOfRow(const QcRow& row);

// The day a batch is charted on, "2026-12-07": the header's analysis date when it names a day
// ("2026-12-07", "2026/12/7", "2026年12月7日"), else the document's creation day, else the day of
// the filing (the first ten characters of `filingDay`).
std::string chartDay(const BatchRecord& batch, std::string_view filingDay);

// One point of a series, in chart order: by the day above, then the filing time, then the
// record's id (and the row's place in its batch).
struct SeriesPoint {
    std::int64_t batch = 0;
    std::string date;    // the chart day
    std::string filedAt; // as filed
    std::string name;    // the row's name ("" for the slope and the intercept)
    double value = 0;
    std::string unit;

    friend bool operator==(const SeriesPoint&, const SeriesPoint&) = default;
};

// Control limits stored by 冻结控制限: who froze them and when, and what they came from.
struct FrozenRecord {
    std::int64_t id = 0; // set when read
    ChartGroup group;
    std::string series; // a key as seriesKey gives it
    std::string sigma;  // "sd" or "mr"
    double centre = 0, s = 0;
    int referenceN = 0;
    std::string referenceFrom, referenceTo; // days
    std::string frozenBy, frozenAt;         // empty: this process's user, now

    friend bool operator==(const FrozenRecord&, const FrozenRecord&) = default;
};

// What the database holds, for `qc list`: each method (and each analyte filed without a method)
// with its charted batches and the points of each of its series.
struct SeriesCount {
    std::string series;
    int points = 0;

    friend bool operator==(const SeriesCount&, const SeriesCount&) = default;
};
struct GroupSummary {
    ChartGroup group;
    int batches = 0;                 // the latest record of each chain only
    std::vector<SeriesCount> series; // in key order, slope and intercept included

    friend bool operator==(const GroupSummary&, const GroupSummary&) = default;
};

} // namespace records
