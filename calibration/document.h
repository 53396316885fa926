#pragma once

// The calibration a laboratory works on, as one value: the standards and the samples exactly as
// typed, the unit, the model and the settings of the validation and the batch, the report's
// header and the change history. Every view, file, report and the command line reads this value;
// results are computed from it (results.h) and never stored in it.
//
// Texts are UTF-8. A text that came from Qt with an unpaired surrogate keeps it in the generalized
// form (the three bytes ED A0 80 for U+D800), so that it reads back into Qt as it was.

#include "calc/model_fit.h"
#include "calibration/uncertainty_settings.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace calibration {

struct Standard {
    std::string c; // the concentration as typed: "0.50"
    std::string a; // the absorbance as typed: ".123"
    bool excluded = false;
    std::string reason; // why it is excluded (a recorded reason is required to exclude)
    // With the internal standard: its response in this solution, and its concentration when it
    // differs between solutions ("" when it does not). Kept whatever the mode, so that switching
    // the option off and on loses nothing.
    std::string is{}, cIs{}; // {}: rows brace-initialized without them stay warning-free

    friend bool operator==(const Standard&, const Standard&) = default;
};

// The kinds of rows of the sample list, with the keys files and reports use.
enum class SampleType {
    Sample,         // "sample", "样品"
    Blank,          // "blank", "空白": a reagent blank
    Duplicate,      // "duplicate", "平行样": repeats the sample named in `of`
    Spike,          // "spike", "加标样": spikes the sample named in `of` by `added`
    Check,          // "check", "校准核查": a check standard of concentration `nominal`
    Reference,      // "reference", "质控样": a reference material, `certified` +- `u`
    DetectionLimit, // "mdl", "检出限样": a low-level spiked replicate for the method detection
                    // limit
};

struct Sample {
    std::string name;     // free text, may be empty
    std::string readings; // one to ten absorbances separated by blanks: "0.512 0.515"
    std::string dilution; // the dilution factor; empty counts as 1
    // The main window's result text for a row it added (" .556417569880205"); emptied when a
    // new curve replaces the one it was computed with, which `earlierCurve` then records.
    std::string mainResult;
    bool earlierCurve = false;
    // The type as typed or chosen: a key ("blank"), a Chinese name ("空白") or "" for a sample;
    // anything else is kept and marked.
    std::string type;
    std::string of;        // the name of the sample a duplicate or spike refers to
    std::string added;     // a spike's added amount, in the curve's unit
    std::string nominal;   // a check standard's concentration, in the curve's unit
    std::string certified; // a reference material's certified value, in the reporting unit
    std::string u;         // and its expanded uncertainty U
    // With the internal standard: its response, one for all the readings or one per reading
    // ("1020" or "1020 1011"), and its concentration ("" when the standards' is the same).
    std::string is{}, cIs{}; // {}: rows brace-initialized without them stay warning-free

    friend bool operator==(const Sample&, const Sample&) = default;
};

enum class ReportedLimit { Lod, Xd, Mdl };
// Below the reported limit: "未检出", "<0.013", or "0.013L" (the same number followed by "L").
enum class BelowLimit { NotDetected, LessThan, LetterL };
// Significant digits, decimals, or the switch most methods state: below `switchAt` (compared on
// the unrounded result's magnitude in the reporting unit) `switchDecimals` decimals, at or above
// it `digits` significant digits.
enum class Rounding { Significant, Decimals, Switch };
// External calibration (the standards apart from the sample), or standard addition (the standards
// are the sample itself with known amounts added).
enum class CalibrationType { External, Addition };

struct Settings {
    calc::Model model = calc::Model::Line;
    calc::Weighting weighting = calc::Weighting::None;
    int level = 95; // the confidence level of every half-width shown: 95 or 99

    // DIN 32645
    double alpha = 0.01; // 0.05 or 0.01
    double k = 3;        // the quantification limit's k
    int m = 1;           // readings per sample
    ReportedLimit limit = ReportedLimit::Lod;

    // The batch
    bool blankCorrection = false;
    std::string volume;     // the sample volume V; empty: not divided
    std::string volumeUnit; // "mL"
    std::string resultUnit; // the reporting unit; empty: the curve's unit
    std::string factor = "1";
    Rounding rounding = Rounding::Significant;
    int digits = 3; // significant digits or decimals (with the switch: the significant digits)
    int switchDecimals = 2; // with the switch: the decimals below switchAt
    double switchAt = 1;
    BelowLimit below = BelowLimit::NotDetected;

    // Acceptance limits of the quality checks.
    double minimumR = 0.999;
    double duplicateMaxPct = 10;
    double spikeLowPct = 80, spikeHighPct = 120;
    double checkMaxPct = 10;
    // A blank's mean absorbance as measured (before any correction) must not exceed this; none:
    // the rule is off.
    std::optional<double> blankAbsorbanceMax;

    // Standard addition; with the volume form's sample volume V0 and the added standard's
    // concentration C_std both given, each standard's C is the added volume (in V0's unit) and
    // the solutions are not made up to a mark.
    CalibrationType calibration = CalibrationType::External;
    std::string additionV0, additionCStd;
    std::string additionDilution; // the measured solution's dilution of the sample; empty: 1
    // The internal standard (external calibration only): the fit on A / A_IS, and each row's
    // recovery of the internal standard judged against these limits.
    bool internalStandard = false;
    double isRecoveryLowPct = 70, isRecoveryHighPct = 130;
    // The measurement uncertainty of the results (uncertainty_settings.h); none by default.
    UncertaintySettings uncertainty;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The method a document runs, as applied from its file: its name, the SHA-256 of the method
// file's bytes, and the limits its validation found (in the curve's unit), with the day and the
// SHA-256 of the validation's own document. An empty name: no method.
struct MethodValidation {
    std::optional<double> mdl, loqMdl;
    std::string date, sha256;

    friend bool operator==(const MethodValidation&, const MethodValidation&) = default;
};

struct MethodIdentity {
    std::string name, sha256;
    MethodValidation validated;

    bool empty() const { return name.empty(); }
    friend bool operator==(const MethodIdentity&, const MethodIdentity&) = default;
};

// The record's header; every field optional.
struct ReportHeader {
    std::string laboratory, project, method, analyte, instrument, instrumentNumber, wavelength,
        pathLength, analysisDate, analyst, reviewer, approver;

    friend bool operator==(const ReportHeader&, const ReportHeader&) = default;
};

// One change, as a kind and its values ("standard_edited", {{"from", ".12"}, {"index", "3"}, ...},
// ordered by key as the file keeps them); shown in the interface's language from these, never
// stored as a sentence.
struct HistoryEntry {
    std::string time; // ISO 8601 with the time zone: "2026-12-07T21:04:53+08:00"
    std::string user; // the login name
    std::string kind;
    std::vector<std::pair<std::string, std::string>> values;
    std::string reason; // why the change was made, as the user gave it; "" when none was asked

    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

struct Document {
    std::string unit; // the concentration unit: "mg/L"
    std::vector<Standard> standards;
    std::vector<Sample> samples;
    Settings settings;
    ReportHeader header;
    MethodIdentity method;
    std::string created; // the day the document was created, "2026-12-07"
    std::vector<HistoryEntry> history;

    friend bool operator==(const Document&, const Document&) = default;
};

} // namespace calibration
