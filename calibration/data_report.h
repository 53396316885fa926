#pragma once

// The report of a calibration: its keys and values built once, here, from the document and its
// results, and written by thin writers as tab-separated text (the copy and `lumetra report`), as
// JSON (`--json`) and, in the window, as a CSV file. A script reads every form by the same keys.

#include "calibration/document.h"
#include "calibration/results.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace calibration {

struct ReportField;

// One value: nothing (an empty cell, JSON null), a truth value, a whole number, a number in full
// precision (not finite: nothing), a user's text, a key, a list, an object of fields, or a list of
// values (in a text cell the `text` it carries).
struct ReportValue {
    enum class Kind {
        Null,
        Bool,
        Integer,
        Number,
        Text,
        Key,
        NumberList,
        IntegerList,
        KeyList,
        Object,
        List
    };
    Kind kind = Kind::Null;
    bool flag = false;
    long long integer = 0;
    double number = 0;
    std::string text; // Text and Key
    std::vector<double> numbers;
    std::vector<long long> integers;
    std::vector<const char*> keys;
    std::vector<ReportField> fields;
    std::vector<ReportValue> items; // List

    static ReportValue null();
    static ReportValue of(bool value);
    static ReportValue of(int value);
    static ReportValue of(double value);
    static ReportValue of(const std::optional<double>& value); // none: null
    static ReportValue of(const Figure& figure);
    static ReportValue ofText(std::string value);
    static ReportValue ofKey(std::string value);
};

struct ReportField {
    const char* key;
    ReportValue value;
};

// The calibration's own fields, in their order:
//   n, unit, model, weight, excluded, level, a, b, c, s_a, s_b, s_c, ci95_a, ci95_b, ci95_c,
//   ci_a, ci_b, ci_c, t_intercept, r, r2, s_yx, lod, loq
// and, only when used: calibration ("addition"), addition {x_e, s_x_e, ci95_x_e, ci_x_e,
// formula, formula_key, volume_form, result, result_text, result_unit, reason} (x_e in the
// measured solution times the dilution; the volume form's C_A), internal_standard (true),
// response_factor (F of one standard through the origin, else null), mean_is (the fitted
// standards' mean internal-standard response)
// (ci95_ the half-widths at 95 %, ci_ at the level; a, s_a and the ci_a null through the origin,
// c and its figures null unless second order; excluded the 1-based numbers of the excluded
// standards).
std::vector<ReportField> calibrationFields(const Document& document, const Results& results);

// The validation as objects, each null where it cannot be computed:
//   mandel {pw, f_crit, linear}, lack_of_fit {f, df1, df2, p}, din32645 {alpha, k, m, x_c, y_c,
//   x_d, x_d_exact, x_q}, blanks {n, s, x_c, x_d, mdl, loq_mdl}, reported_limit {kind, value}.
// The text report writes them as "mandel.pw" lines.
std::vector<ReportField> validationFields(const Document& document, const Results& results);

// The batch's quality checks counted: qc_summary {passed, failed, not_judged}. The text report
// writes it in the validation's block, the JSON beside "validation".
ReportField qcSummaryField(const Results& results);

// What a laboratory's system files with the results, each an object:
//   header {laboratory, project, method, analyte, instrument, instrument_number, wavelength,
//     path_length, analysis_date, analyst, reviewer, approver} ("" when unset);
//   settings {volume, volume_unit, factor, unit, result_unit, blank_correction, rounding, digits,
//     decimals, switch_at, below, limit, min_r, duplicate_max_pct, spike_low_pct, spike_high_pct,
//     check_max_pct, blank_absorbance_max, method {name, sha256}} (digits, decimals and switch_at
//     null where the rounding does not use them; volume and factor the numbers or null);
//   limits {curve_unit {lod, loq, x_c, x_d, x_q, mdl, loq_mdl}, reporting_unit {the same, converted
//     as a result is: · f / V, dilution 1; null without a reporting unit}, unit, result_unit}.
// The text report writes them as "settings.method.name" lines after qc_summary.
std::vector<ReportField> recordFields(const Document& document, const Results& results);

// The version of the reports' shape: 2 since a row's qc became a list of rules.
inline constexpr int kReportVersion = 2;

// One standard a row: C, A, excluded, reason, A_fit, residual, deviation_pct, C_back,
// recovery_pct, studentized, cooks, outlier, influential.
const std::vector<const char*>& pointKeys();
// The keys of the document's rows: with the internal standard, a point's and a sample's also
// IS, C_IS (a point's as typed), ratio (A / A_IS; a sample's the mean of its readings' ratios)
// and is_recovery (the internal standard's recovery in %); pointRow and sampleRow fill them.
const std::vector<const char*>& pointKeys(const Document& document);
void pointRow(const Document& document, const Results& results, std::size_t index,
              std::vector<ReportValue>& row);

// One sample a row: name, readings, m, mean_A, dilution, x0, s_x0, ci95_x0, ci_x0, flags
// (out_of_range, below_lod: below the reported limit, below_loq: below its quantitation limit,
// no_limit), type (always the key: sample, blank, duplicate, spike, check, reference, mdl), of,
// added, nominal, certified, u, result (in the reporting unit), result_text (as reported: rounded,
// "未检出", "<0.025" or "0.025L"), mean_result and mean_result_text (a sample whose duplicates
// passed: the mean with theirs), result_unit, qc (a list of the rules' objects {rule, value, low,
// high, pass, reason}, pass null when not judged, value for control_chart the list of the chart
// rules' keys; in the text report "rule:verdict:value" joined by ";", the verdict pass, fail or
// not_judged, control_chart's keys joined by ",": "control_chart:fail:t1,t5"), qc_pass (the row's
// verdict: false when a rule failed, else null when one was not judged, else true; null without
// rules), below_limit, error (the reason a row has no values or its type cells cannot be used).
const std::vector<const char*>& sampleKeys();
// With a way of uncertainty chosen, two more: uncertainty {way, u_c, u_rel, U, U_text, k, nu_eff
// (null with k = 2), result_text (the result written to U's last decimal where it has more),
// components [{name, u_rel, share}]} (u_rel and share as fractions; in a text cell U_text) or null,
// and uncertainty_reason, why it is null ("低于定量限", ...), after the internal standard's
// (above). Without either, exactly sampleKeys().
const std::vector<const char*>& sampleKeys(const Document& document);
void sampleRow(const Document& document, const Results& results, std::size_t index,
               std::vector<ReportValue>& row);

// Tab-separated text: report_version and the calibration's fields as key TAB value lines, an
// empty line, the validation's, qc_summary and the record's fields as "object.key" TAB value
// lines, an empty line, the header of the standards and
// one line each, and, when there are samples, an empty line, their
// header and one line each. Every line ends with "\n". A text cell never splits a line: control
// characters, C1 controls and bidirectional controls become one blank.
std::string reportText(const Document& document, const Results& results);

// One JSON object with the same keys: report_version, the calibration's fields one a line,
// "validation", "qc_summary", "header", "settings", "limits", then "points" and "samples" (always
// there), one object a line, and "history": each entry's time, user, kind, values, reason and its
// text in words.
std::string reportJson(const Document& document, const Results& results);

// The same reports handed to `write` a piece at a time (a mebibyte or so, never splitting a row),
// so that a report of 100 000 samples never stands whole in memory. `write` returns whether it
// wrote its piece; the first false stops the report. Whether every piece was written.
using ReportWriter = std::function<bool(std::string_view)>;
bool writeReportText(const Document& document, const Results& results, const ReportWriter& write);
bool writeReportJson(const Document& document, const Results& results, const ReportWriter& write);

// One value as the text report writes it in a cell: lists joined (readings by blanks, numbers and
// keys by commas), a text with its control characters as blanks, nothing as "".
std::string textCell(const ReportValue& value);

// The fields with each object's fields as "object.key" (nested: "limits.curve_unit.lod"), as the
// text report and the CSV export write them.
std::vector<std::pair<std::string, const ReportValue*>>
flatFields(const std::vector<ReportField>& fields);

// A JSON string with quotes, backslashes and control characters escaped. An unpaired surrogate
// kept from a Qt text is escaped (\ud800) where the program reads it back, its own files, and
// written as U+FFFD in a report, which a script reads as Unicode. In the files a byte-order mark
// that opens the text is escaped too (\ufeff), or Qt's reader would drop it.
enum class Surrogates { Escape, Replace };
void appendJsonString(std::string& out, std::string_view text,
                      Surrogates surrogates = Surrogates::Replace);

// One entry of the change history as a JSON object: its time, user, kind and values. The file
// keeps what it reads back (the reason only when one was given, before the values; unpaired
// surrogates escaped); the report adds the reason after the values (null when none) and the
// entry in words, "text".
enum class HistoryJson { File, Report };
void appendHistoryEntry(std::string& out, const HistoryEntry& entry, HistoryJson form);

} // namespace calibration
