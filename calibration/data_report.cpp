#include "calibration/data_report.h"

#include "calc/number_format.h"
#include "calc/number_text.h"
#include "calibration/history.h"
#include "calibration/keys.h"
#include "calibration/memory.h"
#include "calibration/text.h"

#include <cmath>

namespace calibration {
namespace {

using Kind = ReportValue::Kind;

const char* modelKey(calc::Model model) {
    return kModelKeys[std::size_t(model)];
}

const char* weightKey(calc::Weighting weighting) {
    return kWeightKeys[std::size_t(weighting)];
}

void appendTextCell(std::string& out, std::string_view value) {
    for (std::size_t i = 0; i < value.size();) {
        const std::size_t start = i;
        const char32_t code = text::decode(value, i);
        if (text::unsafeInText(code)) {
            out += ' ';
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            out += "\uFFFD"; // an unpaired surrogate has no UTF-8 form
        } else {
            out.append(value.substr(start, i - start));
        }
    }
}

void appendNumber(std::string& out, double value, const char* missing) {
    if (std::isfinite(value)) {
        // -0 + 0 is +0: no "-0" in a report.
        calc::appendNumber(out, value + 0.0, calc::NumberStyle::shortestRoundTrip());
    } else {
        out += missing;
    }
}

// The kinds a cell and the JSON write alike: a truth value, an integer, a number (or `missing`
// for one that is not finite). False for any other kind, nothing written.
bool appendScalar(std::string& out, const ReportValue& value, const char* missing) {
    switch (value.kind) {
    case Kind::Bool:
        out += value.flag ? "true" : "false";
        return true;
    case Kind::Integer:
        out += std::to_string(value.integer);
        return true;
    case Kind::Number:
        appendNumber(out, value.number, missing);
        return true;
    default:
        return false;
    }
}

template <typename T, typename Each>
void appendJoined(std::string& out, const std::vector<T>& items, const char* separator, Each each) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out += separator;
        }
        each(items[i]);
    }
}

void appendText(std::string& out, const ReportValue& value) {
    if (appendScalar(out, value, "")) {
        return;
    }
    switch (value.kind) {
    case Kind::Null:
    case Kind::Bool:
    case Kind::Integer:
    case Kind::Number:
        break;
    case Kind::Text:
        appendTextCell(out, value.text);
        break;
    case Kind::Key:
        out += value.text;
        break;
    case Kind::NumberList:
        // Every reading, even one that is not finite ("inf"), so that their count stays m.
        appendJoined(out, value.numbers, " ", [&out](double v) {
            calc::appendNumber(out, v + 0.0, calc::NumberStyle::shortestRoundTrip());
        });
        break;
    case Kind::IntegerList:
        appendJoined(out, value.integers, ",", [&out](long long v) { out += std::to_string(v); });
        break;
    case Kind::KeyList:
        appendJoined(out, value.keys, ",", [&out](const char* v) { out += v; });
        break;
    case Kind::Object:
        // The objects of the validation are written as lines of their own (appendTextFields); a
        // row's object in a cell by its text (a sample's uncertainty: U).
        out += value.text;
        break;
    case Kind::List:
        out += value.text; // made of keys and numbers by its maker
        break;
    }
}

void appendJson(std::string& out, const ReportValue& value);

void appendJsonFields(std::string& out, const std::vector<ReportField>& fields) {
    out += '{';
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += i == 0 ? "\"" : ", \"";
        out += fields[i].key;
        out += "\": ";
        appendJson(out, fields[i].value);
    }
    out += '}';
}

void appendJson(std::string& out, const ReportValue& value) {
    if (appendScalar(out, value, "null")) {
        return;
    }
    switch (value.kind) {
    case Kind::Null:
        out += "null";
        break;
    case Kind::Bool:
    case Kind::Integer:
    case Kind::Number:
        break;
    case Kind::Text:
    case Kind::Key:
        appendJsonString(out, value.text);
        break;
    case Kind::NumberList:
        out += '[';
        appendJoined(out, value.numbers, ", ", [&out](double v) { appendNumber(out, v, "null"); });
        out += ']';
        break;
    case Kind::IntegerList:
        out += '[';
        appendJoined(out, value.integers, ", ", [&out](long long v) { out += std::to_string(v); });
        out += ']';
        break;
    case Kind::KeyList:
        out += '[';
        appendJoined(out, value.keys, ", ", [&out](const char* v) {
            out += '"';
            out += v;
            out += '"';
        });
        out += ']';
        break;
    case Kind::Object:
        appendJsonFields(out, value.fields);
        break;
    case Kind::List:
        out += '[';
        appendJoined(out, value.items, ", ", [&out](const ReportValue& v) { appendJson(out, v); });
        out += ']';
        break;
    }
}

// key TAB value lines; an object's fields as "key.field" lines.
void appendTextFields(std::string& out, const std::vector<ReportField>& fields,
                      const std::string& prefix = {}) {
    for (const ReportField& field : fields) {
        if (field.value.kind == Kind::Object) {
            appendTextFields(out, field.value.fields, prefix + field.key + ".");
            continue;
        }
        out += prefix;
        out += field.key;
        out += '\t';
        appendText(out, field.value);
        out += '\n';
    }
}

void appendTextRow(std::string& out, const std::vector<ReportValue>& row) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) {
            out += '\t';
        }
        appendText(out, row[i]);
    }
    out += '\n';
}

void appendHeader(std::string& out, const std::vector<const char*>& keys) {
    appendJoined(out, keys, "\t", [&out](const char* key) { out += key; });
    out += '\n';
}

void appendJsonRow(std::string& out, const std::vector<const char*>& keys,
                   const std::vector<ReportValue>& row) {
    out += '{';
    for (std::size_t i = 0; i < row.size(); ++i) {
        out += i == 0 ? "\"" : ", \"";
        out += keys[i];
        out += "\": ";
        appendJson(out, row[i]);
    }
    out += '}';
}

} // namespace

std::string textCell(const ReportValue& value) {
    std::string out;
    appendText(out, value);
    return out;
}

std::vector<std::pair<std::string, const ReportValue*>>
flatFields(const std::vector<ReportField>& fields) {
    std::vector<std::pair<std::string, const ReportValue*>> flat;
    const auto add = [&flat](const auto& self, const std::vector<ReportField>& level,
                             const std::string& prefix) -> void {
        for (const ReportField& field : level) {
            if (field.value.kind == Kind::Object) {
                self(self, field.value.fields, prefix + field.key + ".");
            } else {
                flat.emplace_back(prefix + field.key, &field.value);
            }
        }
    };
    add(add, fields, {});
    return flat;
}

ReportValue ReportValue::null() {
    return {};
}

ReportValue ReportValue::of(const Figure& figure) {
    return of(figure.value);
}

ReportValue ReportValue::of(bool value) {
    ReportValue v;
    v.kind = Kind::Bool;
    v.flag = value;
    return v;
}

ReportValue ReportValue::of(int value) {
    ReportValue v;
    v.kind = Kind::Integer;
    v.integer = value;
    return v;
}

ReportValue ReportValue::of(double value) {
    ReportValue v;
    v.kind = Kind::Number;
    v.number = value;
    return v;
}

ReportValue ReportValue::of(const std::optional<double>& value) {
    return value ? of(*value) : null();
}

ReportValue ReportValue::ofText(std::string value) {
    ReportValue v;
    v.kind = Kind::Text;
    v.text = std::move(value);
    return v;
}

ReportValue ReportValue::ofKey(std::string value) {
    ReportValue v;
    v.kind = Kind::Key;
    v.text = std::move(value);
    return v;
}

void appendJsonString(std::string& out, std::string_view text, Surrogates surrogates) {
    static constexpr char kHex[] = "0123456789abcdef";
    const auto escape = [&out](unsigned code) {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) {
            out += kHex[(code >> unsigned(shift)) & 0xFU];
        }
    };
    out += '"';
    std::size_t i = 0;
    // Qt's reader drops a byte-order mark that opens a text written without escapes: where the
    // program reads the text back it writes that mark as an escape, which Qt keeps.
    if (surrogates == Surrogates::Escape && text.starts_with("\xEF\xBB\xBF")) {
        escape(0xFEFF);
        i = 3;
    }
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        const auto code = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (code < 0x20U) {
            escape(code);
        } else if (code == 0xED && i + 2 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0xA0) {
            // An unpaired surrogate kept from a Qt text: never raw, so that the JSON is UTF-8.
            if (surrogates == Surrogates::Escape) {
                escape(((code & 0x0FU) << 12U) | ((unsigned(text[i + 1]) & 0x3FU) << 6U) |
                       (unsigned(text[i + 2]) & 0x3FU));
            } else {
                out += "\uFFFD";
            }
            i += 2;
        } else {
            out += ch;
        }
    }
    out += '"';
}

void appendHistoryEntry(std::string& out, const HistoryEntry& entry, HistoryJson form) {
    const Surrogates surrogates =
        form == HistoryJson::File ? Surrogates::Escape : Surrogates::Replace;
    const auto member = [&](const char* key, std::string_view value) {
        out += key;
        appendJsonString(out, value, surrogates);
    };
    member("{\"time\": ", entry.time);
    member(", \"user\": ", entry.user);
    member(", \"kind\": ", entry.kind);
    if (form == HistoryJson::File && !entry.reason.empty()) {
        member(", \"reason\": ", entry.reason);
    }
    out += ", \"values\": {";
    for (std::size_t v = 0; v < entry.values.size(); ++v) {
        member(v == 0 ? "" : ", ", entry.values[v].first);
        member(": ", entry.values[v].second);
    }
    out += '}';
    if (form == HistoryJson::Report) {
        if (entry.reason.empty()) {
            out += ", \"reason\": null";
        } else {
            member(", \"reason\": ", entry.reason);
        }
        member(", \"text\": ", render(describe(entry)));
    }
    out += '}';
}

namespace {

// Standard addition's and the internal standard's fields, only when the document uses them, so
// that an external calibration's report stays as it was.
void appendModeFields(const Document& document, const Results& results,
                      std::vector<ReportField>& fields) {
    const Settings& settings = document.settings;
    if (isAddition(settings)) {
        const AdditionResult& a = results.addition;
        const std::optional<Message>& why = a.problem ? a.problem : a.reason;
        ReportValue addition;
        addition.kind = Kind::Object;
        addition.fields = {
            {"x_e", ReportValue::of(a.xE)},
            {"s_x_e", ReportValue::of(a.sXE)},
            {"ci95_x_e", ReportValue::of(a.ci95)},
            {"ci_x_e", ReportValue::of(a.ci)},
            {"formula",
             a.addition ? ReportValue::ofText(a.addition->formula) : ReportValue::null()},
            {"formula_key",
             a.addition ? ReportValue::ofKey(a.addition->formulaKey) : ReportValue::null()},
            {"volume_form", ReportValue::of(a.volumeForm)},
            {"result", ReportValue::of(a.result)},
            {"result_text",
             a.resultText.empty() ? ReportValue::null() : ReportValue::ofText(a.resultText)},
            {"result_unit", ReportValue::ofText(a.resultUnit)},
            {"reason", why ? ReportValue::ofText(render(*why)) : ReportValue::null()},
        };
        fields.push_back({"calibration", ReportValue::ofKey(kCalibrationKeys[1])});
        fields.push_back({"addition", std::move(addition)});
    }
    if (usesInternalStandard(settings)) {
        fields.push_back({"internal_standard", ReportValue::of(true)});
        fields.push_back({"response_factor", ReportValue::of(results.curve.responseFactor)});
        fields.push_back({"mean_is", ReportValue::of(results.curve.meanResponse)});
    }
}

} // namespace

std::vector<ReportField> calibrationFields(const Document& document, const Results& results) {
    const CurveResult& curve = results.curve;
    const Settings& settings = document.settings;
    const bool fitted = curve.fit.has_value();
    const bool origin = settings.model == calc::Model::Origin;
    const bool quadratic = settings.model == calc::Model::Quadratic;
    ReportValue excluded;
    excluded.kind = Kind::IntegerList;
    for (std::size_t i = 0; i < document.standards.size(); ++i) {
        if (document.standards[i].excluded) {
            excluded.integers.push_back(static_cast<long long>(i + 1));
        }
    }
    const auto coefficient = [fitted](bool exists, double value) {
        return fitted && exists ? ReportValue::of(value) : ReportValue::null();
    };
    const auto figure = [](bool exists, const Figure& value) {
        return exists ? ReportValue::of(value) : ReportValue::null();
    };
    std::vector<ReportField> fields;
    fields.push_back({"n", ReportValue::of(fitted ? curve.fit->n : 0)});
    fields.push_back({"unit", ReportValue::ofText(document.unit)});
    fields.push_back({"model", ReportValue::ofKey(modelKey(settings.model))});
    fields.push_back({"weight", ReportValue::ofKey(weightKey(settings.weighting))});
    fields.push_back({"excluded", excluded});
    fields.push_back({"level", ReportValue::of(settings.level)});
    fields.push_back({"a", coefficient(!origin, fitted ? curve.fit->a : 0)});
    fields.push_back({"b", coefficient(true, fitted ? curve.fit->b : 0)});
    fields.push_back({"c", coefficient(quadratic, fitted ? curve.fit->c : 0)});
    fields.push_back({"s_a", figure(!origin, curve.sA)});
    fields.push_back({"s_b", figure(true, curve.sB)});
    fields.push_back({"s_c", figure(quadratic, curve.sC)});
    fields.push_back({"ci95_a", figure(!origin, curve.ci95A)});
    fields.push_back({"ci95_b", figure(true, curve.ci95B)});
    fields.push_back({"ci95_c", figure(quadratic, curve.ci95C)});
    fields.push_back({"ci_a", figure(!origin, curve.ciA)});
    fields.push_back({"ci_b", figure(true, curve.ciB)});
    fields.push_back({"ci_c", figure(quadratic, curve.ciC)});
    fields.push_back({"t_intercept", ReportValue::of(curve.validation.tIntercept)});
    fields.push_back({"r", ReportValue::of(curve.r)});
    fields.push_back({"r2", ReportValue::of(curve.r2)});
    fields.push_back({"s_yx", ReportValue::of(curve.sYX)});
    fields.push_back({"lod", ReportValue::of(curve.lod)});
    fields.push_back({"loq", ReportValue::of(curve.loq)});
    appendModeFields(document, results, fields);
    return fields;
}

namespace {

ReportValue object(std::vector<ReportField> fields) {
    ReportValue value;
    value.kind = Kind::Object;
    value.fields = std::move(fields);
    return value;
}

// An object whose every field is null: a figure that cannot be computed keeps its keys.
ReportValue nullObject(std::initializer_list<const char*> keys) {
    std::vector<ReportField> fields;
    for (const char* key : keys) {
        fields.push_back({key, ReportValue::null()});
    }
    return object(std::move(fields));
}

} // namespace

std::vector<ReportField> validationFields(const Document& document, const Results& results) {
    const Validation& v = results.curve.validation;
    const BatchResult& batch = results.batch;
    const Settings& settings = document.settings;
    std::vector<ReportField> fields;
    fields.push_back({"mandel", v.mandel ? object({{"pw", ReportValue::of(v.mandel->pw)},
                                                   {"f_crit", ReportValue::of(v.mandel->fCritical)},
                                                   {"linear", ReportValue::of(v.mandel->linear)}})
                                         : nullObject({"pw", "f_crit", "linear"})});
    fields.push_back({"lack_of_fit", v.lackOfFit
                                         ? object({{"f", ReportValue::of(v.lackOfFit->f)},
                                                   {"df1", ReportValue::of(v.lackOfFit->df1)},
                                                   {"df2", ReportValue::of(v.lackOfFit->df2)},
                                                   {"p", ReportValue::of(v.lackOfFit->p)}})
                                         : nullObject({"f", "df1", "df2", "p"})});
    std::vector<ReportField> din{{"alpha", ReportValue::of(settings.alpha)},
                                 {"k", ReportValue::of(settings.k)},
                                 {"m", ReportValue::of(settings.m)}};
    const auto& d = v.din;
    din.push_back({"x_c", d ? ReportValue::of(d->xC) : ReportValue::null()});
    din.push_back({"y_c", d ? ReportValue::of(d->yC) : ReportValue::null()});
    din.push_back({"x_d", d ? ReportValue::of(d->xD) : ReportValue::null()});
    din.push_back({"x_d_exact", d ? ReportValue::of(d->xDExact) : ReportValue::null()});
    din.push_back({"x_q", d ? ReportValue::of(d->xQ) : ReportValue::null()});
    fields.push_back({"din32645", object(std::move(din))});
    const auto& b = batch.blanks;
    const auto& mdl = batch.mdl;
    fields.push_back(
        {"blanks", object({{"n", b ? ReportValue::of(b->n) : ReportValue::null()},
                           {"s", b ? ReportValue::of(b->s) : ReportValue::null()},
                           {"x_c", b ? ReportValue::of(b->xC) : ReportValue::null()},
                           {"x_d", b ? ReportValue::of(b->xD) : ReportValue::null()},
                           {"mdl", mdl ? ReportValue::of(mdl->mdl) : ReportValue::null()},
                           {"loq_mdl", mdl ? ReportValue::of(mdl->loq) : ReportValue::null()}})});
    const char* source = kSourceKeys[std::size_t(batch.limitSource)];
    fields.push_back(
        {"reported_limit",
         object({{"kind", ReportValue::ofKey(kLimitKeys[std::size_t(settings.limit)])},
                 {"value", ReportValue::of(batch.reportedLimit)},
                 {"quantitation_limit", ReportValue::of(batch.reportedQuantitationLimit)},
                 {"source", *source ? ReportValue::ofKey(source) : ReportValue::null()}})});
    return fields;
}

ReportField qcSummaryField(const Results& results) {
    return {"qc_summary", object({{"passed", ReportValue::of(results.batch.passed)},
                                  {"failed", ReportValue::of(results.batch.failed)},
                                  {"not_judged", ReportValue::of(results.batch.notJudged)}})};
}

namespace {

ReportValue textOrNull(const std::string& text) {
    return text::isBlank(text) ? ReportValue::null() : ReportValue::ofText(text);
}

ReportValue numberOrNull(const std::string& text) {
    return text::isBlank(text) ? ReportValue::null() : ReportValue::of(calc::strictParse(text));
}

std::vector<ReportField> headerFields(const ReportHeader& h) {
    return {{"laboratory", ReportValue::ofText(h.laboratory)},
            {"project", ReportValue::ofText(h.project)},
            {"method", ReportValue::ofText(h.method)},
            {"analyte", ReportValue::ofText(h.analyte)},
            {"instrument", ReportValue::ofText(h.instrument)},
            {"instrument_number", ReportValue::ofText(h.instrumentNumber)},
            {"wavelength", ReportValue::ofText(h.wavelength)},
            {"path_length", ReportValue::ofText(h.pathLength)},
            {"analysis_date", ReportValue::ofText(h.analysisDate)},
            {"analyst", ReportValue::ofText(h.analyst)},
            {"reviewer", ReportValue::ofText(h.reviewer)},
            {"approver", ReportValue::ofText(h.approver)}};
}

std::vector<ReportField> settingsFields(const Document& document) {
    const Settings& s = document.settings;
    const bool significant = s.rounding != Rounding::Decimals;
    const bool decimals = s.rounding != Rounding::Significant;
    const auto number = [](double value) { return ReportValue::of(value); };
    return {
        {"volume", numberOrNull(s.volume)},
        {"volume_unit", textOrNull(s.volumeUnit)},
        {"factor", text::isBlank(s.factor) ? ReportValue::of(1.0) : numberOrNull(s.factor)},
        {"unit", ReportValue::ofText(document.unit)},
        {"result_unit", textOrNull(s.resultUnit)},
        {"blank_correction", ReportValue::of(s.blankCorrection)},
        {"rounding", ReportValue::ofKey(kRoundingKeys[std::size_t(s.rounding)])},
        {"digits", significant ? ReportValue::of(s.digits) : ReportValue::null()},
        {"decimals", !decimals                        ? ReportValue::null()
                     : s.rounding == Rounding::Switch ? ReportValue::of(s.switchDecimals)
                                                      : ReportValue::of(s.digits)},
        {"switch_at", s.rounding == Rounding::Switch ? number(s.switchAt) : ReportValue::null()},
        {"below", ReportValue::ofKey(kBelowKeys[std::size_t(s.below)])},
        {"limit", ReportValue::ofKey(kLimitKeys[std::size_t(s.limit)])},
        {"min_r", number(s.minimumR)},
        {"duplicate_max_pct", number(s.duplicateMaxPct)},
        {"spike_low_pct", number(s.spikeLowPct)},
        {"spike_high_pct", number(s.spikeHighPct)},
        {"check_max_pct", number(s.checkMaxPct)},
        {"blank_absorbance_max", ReportValue::of(s.blankAbsorbanceMax)},
        {"method", object({{"name", textOrNull(document.method.name)},
                           {"sha256", textOrNull(document.method.sha256)}})},
    };
}

// The limits in the curve's unit and, with a reporting unit, converted as a result is.
std::vector<ReportField> limitsFields(const Document& document, const Results& results) {
    const CurveResult& curve = results.curve;
    const BatchResult& batch = results.batch;
    const std::optional<calc::Din32645>& din = curve.validation.din;
    const std::optional<double> values[] = {
        curve.lod.value,
        curve.loq.value,
        din ? std::optional<double>(din->xC) : std::nullopt,
        din ? std::optional<double>(din->xD) : std::nullopt,
        din ? din->xQ : std::nullopt,
        batch.reportedMdl.value,
        batch.reportedLoqMdl.value,
    };
    static constexpr const char* kAll[] = {"lod", "loq", "x_c", "x_d", "x_q", "mdl", "loq_mdl"};
    const bool converted = !text::isBlank(document.settings.resultUnit) && !batch.reportingProblem;
    std::vector<ReportField> curveUnit, reportingUnit;
    for (std::size_t i = 0; i < std::size(kAll); ++i) {
        curveUnit.push_back({kAll[i], ReportValue::of(values[i])});
        const std::optional<double> value =
            converted && values[i] ? std::optional<double>(*values[i] * batch.resultFactor)
                                   : std::nullopt;
        reportingUnit.push_back({kAll[i], ReportValue::of(value)});
    }
    return {
        {"curve_unit", object(std::move(curveUnit))},
        {"reporting_unit", object(std::move(reportingUnit))},
        {"unit", ReportValue::ofText(document.unit)},
        {"result_unit", converted ? ReportValue::ofText(batch.resultUnit) : ReportValue::null()}};
}

} // namespace

std::vector<ReportField> recordFields(const Document& document, const Results& results) {
    return {{"header", object(headerFields(document.header))},
            {"settings", object(settingsFields(document))},
            {"limits", object(limitsFields(document, results))}};
}

const std::vector<const char*>& pointKeys() {
    static const std::vector<const char*> keys = {
        "C",
        "A",
        "excluded",
        "reason",
        "A_fit",
        "residual",
        "deviation_pct",
        "C_back",
        "recovery_pct",
        "studentized",
        "cooks",
        "outlier",
        "influential",
    };
    return keys;
}

const std::vector<const char*>& pointKeys(const Document& document) {
    static const std::vector<const char*> withInternalStandard = [] {
        std::vector<const char*> keys = pointKeys();
        keys.insert(keys.end(), {"IS", "C_IS", "ratio", "is_recovery"});
        return keys;
    }();
    return usesInternalStandard(document.settings) ? withInternalStandard : pointKeys();
}

namespace {

// Fills a row in place, slot by slot: each value takes the slot of the row before with its
// buffers, so that a report of 100 000 samples costs no allocation a cell.
class RowFill {
public:
    explicit RowFill(std::vector<ReportValue>& row) : row_(row) {}
    RowFill(const RowFill&) = delete;
    RowFill& operator=(const RowFill&) = delete;
    ~RowFill() { row_.erase(row_.begin() + std::ptrdiff_t(used_), row_.end()); }

    void null() { slot(Kind::Null); }
    void put(bool value) { slot(Kind::Bool).flag = value; }
    void put(int value) { slot(Kind::Integer).integer = value; }
    void put(double value) { slot(Kind::Number).number = value; }
    void put(const std::optional<double>& value) { value ? put(*value) : null(); }
    void put(const Figure& figure) { put(figure.value); }
    void put(ReportValue value) { slot(value.kind) = std::move(value); }
    void text(std::string_view value) { slot(Kind::Text).text.assign(value); }
    void textOrNull(std::string_view value) { value.empty() ? null() : text(value); }
    void key(std::string_view value) { slot(Kind::Key).text.assign(value); }
    std::vector<double>& numbers() { return cleared(slot(Kind::NumberList).numbers); }
    std::vector<const char*>& keys() { return cleared(slot(Kind::KeyList).keys); }
    // A list of values and its text cell, both emptied.
    ReportValue& list() {
        ReportValue& value = slot(Kind::List);
        value.items.clear();
        value.text.clear();
        return value;
    }

private:
    ReportValue& slot(Kind kind) {
        if (used_ == row_.size()) {
            row_.emplace_back();
        }
        ReportValue& value = row_[used_++];
        value.kind = kind;
        return value;
    }
    template <typename T> static std::vector<T>& cleared(std::vector<T>& items) {
        items.clear();
        return items;
    }

    std::vector<ReportValue>& row_;
    std::size_t used_ = 0;
};

} // namespace

void pointRow(const Document& document, const Results& results, std::size_t index,
              std::vector<ReportValue>& row) {
    const Standard& standard = document.standards[index];
    const StandardResult& result = results.curve.standards[index];
    RowFill fill(row);
    fill.put(result.c);
    fill.put(result.a);
    fill.put(standard.excluded);
    if (standard.excluded) {
        fill.text(standard.reason);
    } else {
        fill.null();
    }
    for (const std::optional<double>* figure :
         {&result.fit, &result.residual, &result.deviationPct, &result.cBack, &result.recoveryPct,
          &result.studentized, &result.cooks}) {
        fill.put(*figure);
    }
    fill.put(result.outlier);
    fill.put(result.influential);
    if (usesInternalStandard(document.settings)) {
        fill.textOrNull(standard.is);
        fill.textOrNull(standard.cIs);
        fill.put(result.ratio);
        fill.put(result.isRecoveryPct);
    }
}

const std::vector<const char*>& sampleKeys() {
    static const std::vector<const char*> keys = {
        "name",        "readings", "m",           "mean_A",      "dilution",
        "x0",          "s_x0",     "ci95_x0",     "ci_x0",       "flags",
        "type",        "of",       "added",       "nominal",     "certified",
        "u",           "result",   "result_text", "mean_result", "mean_result_text",
        "result_unit", "qc",       "qc_pass",     "below_limit", "error",
    };
    return keys;
}

namespace {

// A row's rules: the list of their objects (its text "duplicate:pass:2.27;blank:not_judged:")
// and the row's verdict.
void qcCells(RowFill& fill, const std::vector<QualityCheck>& checks) {
    ReportValue& list = fill.list();
    for (const QualityCheck& check : checks) {
        const char* verdict = !check.pass ? "not_judged" : *check.pass ? "pass" : "fail";
        // A control chart's figure is the list of the rules its point completes.
        ReportValue value = ReportValue::of(check.value);
        if (!check.keys.empty()) {
            value.kind = ReportValue::Kind::KeyList;
            value.keys = check.keys;
        }
        list.items.push_back(
            object({{"rule", ReportValue::ofKey(check.rule)},
                    {"value", value},
                    {"low", ReportValue::of(check.low)},
                    {"high", ReportValue::of(check.high)},
                    {"pass", check.pass ? ReportValue::of(*check.pass) : ReportValue::null()},
                    // Why it failed or cannot be judged; a rule that passed needs none.
                    {"reason", check.pass == true ? ReportValue::null()
                                                  : ReportValue::ofText(render(check.verdict))}}));
        if (!list.text.empty()) {
            list.text += ';';
        }
        list.text += check.rule;
        list.text += ':';
        list.text += verdict;
        list.text += ':';
        if (check.value) {
            appendNumber(list.text, *check.value, "");
        }
        appendJoined(list.text, check.keys, ",", [&list](const char* key) { list.text += key; });
    }
    const std::optional<bool> pass = verdictOf(checks);
    pass ? fill.put(*pass) : fill.null();
}

} // namespace

namespace {

void sampleCells(const Document& document, const Results& results, std::size_t index,
                 std::vector<ReportValue>& row) {
    const Sample& sample = document.samples[index];
    const SampleResult& result = results.samples[index];
    RowFill fill(row);
    fill.text(sample.name);
    const bool internalStandard = usesInternalStandard(document.settings);
    const auto internalStandardCells = [&] {
        if (internalStandard) {
            fill.textOrNull(sample.is);
            fill.textOrNull(sample.cIs);
            fill.put(result.ratio);
            fill.put(result.isRecoveryPct);
        }
    };
    const auto batchCells = [&](bool computed) {
        // The type always by its key, whatever the interface's language; a text that is none as
        // typed.
        if (result.type) {
            fill.key(typeKey(*result.type));
        } else {
            fill.text(sample.type);
        }
        for (const std::string* text :
             {&sample.of, &sample.added, &sample.nominal, &sample.certified, &sample.u}) {
            fill.textOrNull(*text);
        }
        if (computed) {
            fill.put(result.result);
            fill.textOrNull(result.resultText);
            fill.put(result.meanResult);
            fill.textOrNull(result.meanResultText);
            fill.text(results.batch.resultUnit);
        } else {
            for (int i = 0; i < 5; ++i) {
                fill.null();
            }
        }
        // A row whose readings are not numbers still has its rules, not judged.
        qcCells(fill, result.checks);
        if (computed) {
            fill.put(result.belowLimit);
        } else {
            fill.null();
        }
    };
    if (!result.values.ok()) {
        // Kept as typed, with the reason it has no values.
        fill.text(sample.readings);
        for (int i = 2; i <= 9; ++i) {
            if (i == 4) {
                fill.text(sample.dilution);
            } else {
                fill.null();
            }
        }
        batchCells(false);
        fill.text(render(*result.values.problem()));
        internalStandardCells();
        return;
    }
    // With the internal standard the row's values hold the readings' ratios: the readings are
    // reported as typed.
    fill.numbers() = internalStandard ? sampleValues(sample).readings : result.values.readings;
    fill.put(result.m);
    fill.put(result.meanA);
    fill.put(result.values.dilution);
    fill.put(result.x0);
    fill.put(result.sX0);
    fill.put(result.ci95);
    fill.put(result.ci);
    std::vector<const char*>& flags = fill.keys();
    for (const auto& [set, key] : {std::pair{result.flags.outOfRange, "out_of_range"},
                                   {result.flags.belowLod, "below_lod"},
                                   {result.flags.belowLoq, "below_loq"},
                                   {result.flags.noLimit, "no_limit"}}) {
        if (set) {
            flags.push_back(key);
        }
    }
    batchCells(true);
    // A row read whole whose result cannot be computed says why, as one whose cells cannot be used.
    if (result.batchProblem) {
        fill.text(render(*result.batchProblem));
    } else if (!result.result.value && result.result.reason) {
        fill.text(render(*result.result.reason));
    } else {
        fill.null();
    }
    internalStandardCells();
}

// A row's uncertainty: {way, u_c, u_rel, U, U_text, k, nu_eff, result_text, components [{name,
// u_rel, share}]} (its text cell U_text) or null, and the reason beside it or null.
void uncertaintyCells(const Document& document, const SampleResult& result,
                      std::vector<ReportValue>& row) {
    const SampleUncertainty* u = result.uncertainty.get();
    if (u == nullptr || !u->value) {
        row.push_back(ReportValue::null());
        row.push_back(u != nullptr && u->reason ? ReportValue::ofText(render(*u->reason))
                                                : ReportValue::null());
        return;
    }
    const calc::Uncertainty& value = *u->value;
    ReportValue components;
    components.kind = Kind::List;
    for (const calc::BudgetLine& line : value.components) {
        components.items.push_back(object({{"name", ReportValue::ofKey(line.name)},
                                           {"u_rel", ReportValue::of(line.uRel)},
                                           {"share", ReportValue::of(line.share)}}));
    }
    ReportValue cell = object({
        {"way",
         ReportValue::ofKey(kUncertaintyWayKeys[std::size_t(document.settings.uncertainty.way)])},
        {"u_c", ReportValue::of(value.uC)},
        {"u_rel", ReportValue::of(value.uRel)},
        {"U", ReportValue::of(value.expanded)},
        {"U_text", ReportValue::ofText(value.expandedText)},
        {"k", ReportValue::of(value.k)},
        {"nu_eff", ReportValue::of(value.nuEff)},
        {"result_text", ReportValue::ofText(u->resultText)},
        {"components", std::move(components)},
    });
    cell.text = value.expandedText;
    row.push_back(std::move(cell));
    row.push_back(ReportValue::null());
}

} // namespace

void sampleRow(const Document& document, const Results& results, std::size_t index,
               std::vector<ReportValue>& row) {
    sampleCells(document, results, index, row);
    if (document.settings.uncertainty.way != UncertaintyWay::None) {
        uncertaintyCells(document, results.samples[index], row);
    }
}

const std::vector<const char*>& sampleKeys(const Document& document) {
    // In the order sampleRow fills them: the internal standard's after the others, the
    // uncertainty's last.
    const auto keys = [](bool internalStandard, bool uncertainty) {
        std::vector<const char*> keys = sampleKeys();
        if (internalStandard) {
            keys.insert(keys.end(), {"is", "c_is", "ratio", "is_recovery"});
        }
        if (uncertainty) {
            keys.insert(keys.end(), {"uncertainty", "uncertainty_reason"});
        }
        return keys;
    };
    static const std::vector<const char*> withInternalStandard = keys(true, false);
    static const std::vector<const char*> withUncertainty = keys(false, true);
    static const std::vector<const char*> withBoth = keys(true, true);
    const bool internalStandard = usesInternalStandard(document.settings);
    const bool uncertainty = document.settings.uncertainty.way != UncertaintyWay::None;
    return internalStandard && uncertainty ? withBoth
           : internalStandard              ? withInternalStandard
           : uncertainty                   ? withUncertainty
                                           : sampleKeys();
}

namespace {

// The report's text as it is made: the whole of it (no writer), or handed to the writer a piece
// at a time, each piece at least kPiece bytes, so that a large report never stands whole in
// memory and the buffer stays in the cache.
class Pieces {
public:
    static constexpr std::size_t kPiece = std::size_t(1) << 20;

    Pieces(std::string& out, const ReportWriter* write) : out_(out), write_(write) {}

    // After a row: hands the buffer on when it holds a piece. False once a write failed.
    bool next() { return out_.size() >= kPiece ? hand() : ok_; }

    // After the last row: hands on the rest. Whether every piece was written.
    bool finish() { return hand(); }

private:
    bool hand() {
        if (write_ != nullptr && ok_ && !out_.empty()) {
            ok_ = (*write_)(out_);
            out_.clear();
        }
        return ok_;
    }

    std::string& out_;
    const ReportWriter* write_;
    bool ok_ = true;
};

bool buildText(const Document& document, const Results& results, std::string& out, Pieces& pieces) {
    out += "report_version\t" + std::to_string(kReportVersion) + '\n';
    appendTextFields(out, calibrationFields(document, results));
    out += '\n';
    std::vector<ReportField> validation = validationFields(document, results);
    validation.push_back(qcSummaryField(results));
    for (ReportField& field : recordFields(document, results)) {
        validation.push_back(std::move(field));
    }
    appendTextFields(out, validation);
    out += '\n';
    appendHeader(out, pointKeys(document));
    std::vector<ReportValue> row;
    for (std::size_t i = 0; i < document.standards.size() && pieces.next(); ++i) {
        pointRow(document, results, i, row);
        appendTextRow(out, row);
    }
    if (!document.samples.empty()) {
        out += '\n';
        appendHeader(out, sampleKeys(document));
        for (std::size_t i = 0; i < document.samples.size() && pieces.next(); ++i) {
            sampleRow(document, results, i, row);
            appendTextRow(out, row);
        }
    }
    return pieces.finish();
}

bool buildJson(const Document& document, const Results& results, std::string& out, Pieces& pieces) {
    out += "{\n    \"report_version\": " + std::to_string(kReportVersion);
    for (const ReportField& field : calibrationFields(document, results)) {
        out += ",\n    \"";
        out += field.key;
        out += "\": ";
        appendJson(out, field.value);
    }
    out += ",\n    \"validation\": ";
    appendJsonFields(out, validationFields(document, results));
    out += ",\n    \"qc_summary\": ";
    appendJson(out, qcSummaryField(results).value);
    for (const ReportField& field : recordFields(document, results)) {
        out += ",\n    \"";
        out += field.key;
        out += "\": ";
        appendJson(out, field.value);
    }
    std::vector<ReportValue> row;
    const auto appendRows = [&](const char* name, std::size_t count,
                                const std::vector<const char*>& keys, auto fill) {
        out += ",\n    \"";
        out += name;
        out += "\": [";
        for (std::size_t i = 0; i < count && pieces.next(); ++i) {
            out += i == 0 ? "\n        " : ",\n        ";
            fill(i);
            appendJsonRow(out, keys, row);
        }
        out += count == 0 ? "]" : "\n    ]";
    };
    appendRows("points", document.standards.size(), pointKeys(document),
               [&](std::size_t i) { pointRow(document, results, i, row); });
    appendRows("samples", document.samples.size(), sampleKeys(document),
               [&](std::size_t i) { sampleRow(document, results, i, row); });
    // The change history, each entry with its values and in words.
    out += ",\n    \"history\": [";
    for (std::size_t i = 0; i < document.history.size() && pieces.next(); ++i) {
        out += i == 0 ? "\n        " : ",\n        ";
        appendHistoryEntry(out, document.history[i], HistoryJson::Report);
    }
    out += document.history.empty() ? "]" : "\n    ]";
    out += "\n}\n";
    return pieces.finish();
}

// The whole report in one string, reserved for its rows (bytes a sample row, about).
template <typename Build>
std::string whole(const Document& document, const Results& results, std::size_t perSample,
                  Build build) {
    std::string out;
    out.reserve(1024 + document.samples.size() * perSample);
    preferHugePages(out.data(), out.capacity());
    Pieces pieces(out, nullptr);
    build(document, results, out, pieces);
    return out;
}

template <typename Build>
bool inPieces(const Document& document, const Results& results, const ReportWriter& write,
              Build build) {
    std::string out;
    out.reserve(Pieces::kPiece + 64 * 1024);
    Pieces pieces(out, &write);
    return build(document, results, out, pieces);
}

} // namespace

std::string reportText(const Document& document, const Results& results) {
    return whole(document, results, 200, buildText); // about 180 bytes a sample row
}

std::string reportJson(const Document& document, const Results& results) {
    return whole(document, results, 512, buildJson);
}

bool writeReportText(const Document& document, const Results& results, const ReportWriter& write) {
    return inPieces(document, results, write, buildText);
}

bool writeReportJson(const Document& document, const Results& results, const ReportWriter& write) {
    return inPieces(document, results, write, buildJson);
}

} // namespace calibration
