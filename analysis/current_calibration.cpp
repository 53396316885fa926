#include "analysis/current_calibration.h"

#include "analysis/header_dialog.h"
#include "calc/decimal.h"
#include "calibration/entries.h"
#include "calibration/text.h"
#include "io/document_text.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <map>
#include <string_view>
#include <utility>
#include <variant>

namespace analysis {

namespace {

using calibration::Document;
using calibration::Sample;
using calibration::Standard;

// A standard's values as one text for matching: equal numbers give equal keys whatever their
// texts ("0.50" and ".5"), a standard whose texts are not both numbers stands for its texts.
std::string valueKey(const calc::Decimal& value) {
    return (value.negative ? "-" : "+") + value.digits + "e" + std::to_string(value.exponent);
}

std::string standardKey(const Standard& standard, const calc::Decimal* c, const calc::Decimal* a) {
    return c && a ? valueKey(*c) + "|" + valueKey(*a) : "t" + standard.c + "|t" + standard.a;
}

// For each standard its key, and how many earlier ones share it: equal pairs match in order.
std::vector<std::string> numberedKeys(std::vector<std::string> keys) {
    std::map<std::string, int> seen;
    for (std::string& key : keys) {
        const int earlier = seen[key]++;
        key += '#';
        key += std::to_string(earlier);
    }
    return keys;
}

// The key of a standard typed as the curve's `i`-th, from the values the curve read.
std::string evaluatedKey(const Standard& standard, const calibration::CurveResult& curve,
                         std::size_t i) {
    const bool typed = curve.typed[i];
    return standardKey(standard, typed ? &curve.typedC[i] : nullptr,
                       typed ? &curve.typedA[i] : nullptr);
}

// The keys of standards the curve was evaluated from, from the values it read.
std::vector<std::string> matchKeys(const std::vector<Standard>& standards,
                                   const calibration::CurveResult& curve) {
    std::vector<std::string> keys;
    keys.reserve(standards.size());
    const bool evaluated = curve.typed.size() == standards.size();
    for (std::size_t i = 0; i < standards.size(); ++i) {
        keys.push_back(evaluated ? evaluatedKey(standards[i], curve, i)
                                 : standardKey(standards[i], nullptr, nullptr));
    }
    return numberedKeys(std::move(keys));
}

// The keys of standards about to be evaluated: one typed as a standard the last evaluation read
// takes the values it read (`evaluated` are the standards of `curve`); only the others are read
// here, as the evaluation reads them.
std::vector<std::string> matchKeys(const std::vector<Standard>& standards,
                                   const std::vector<Standard>& evaluated,
                                   const calibration::CurveResult& curve) {
    std::map<std::pair<std::string_view, std::string_view>, std::size_t> read;
    if (curve.typed.size() == evaluated.size()) {
        for (std::size_t i = 0; i < evaluated.size(); ++i) {
            read.try_emplace({evaluated[i].c, evaluated[i].a}, i);
        }
    }
    std::vector<std::string> keys;
    keys.reserve(standards.size());
    for (const Standard& standard : standards) {
        if (const auto found = read.find({standard.c, standard.a}); found != read.end()) {
            keys.push_back(evaluatedKey(standard, curve, found->second));
            continue;
        }
        const auto values = calibration::standardValues(standard);
        const auto* numbers = std::get_if<calibration::StandardValues>(&values);
        keys.push_back(standardKey(standard, numbers ? &numbers->c : nullptr,
                                   numbers ? &numbers->a : nullptr));
    }
    return numberedKeys(std::move(keys));
}

// The exclusions of `before` (the standards `curve` was evaluated from) carried to the standards
// of `after` with the same values (`oldKeys` the keys of `before`), and their internal-standard
// figures where `after` gives none: the main window, which has no place for them, refits a
// document's standards without losing them. Only when there is something to carry are the new
// standards read here for their keys.
void keepExclusions(const std::vector<Standard>& before, const std::vector<std::string>& oldKeys,
                    const calibration::CurveResult& curve, std::vector<Standard>& after) {
    std::map<std::string, const Standard*> kept;
    for (std::size_t j = 0; j < before.size(); ++j) {
        if (before[j].excluded || !before[j].is.empty() || !before[j].cIs.empty()) {
            kept.emplace(oldKeys[j], &before[j]);
        }
    }
    if (kept.empty()) {
        return;
    }
    const std::vector<std::string> newKeys = matchKeys(after, before, curve);
    for (std::size_t i = 0; i < after.size(); ++i) {
        const auto found = kept.find(newKeys[i]);
        if (found == kept.end()) {
            continue;
        }
        const Standard& old = *found->second;
        if (old.excluded) {
            after[i].excluded = true;
            after[i].reason = old.reason;
        }
        if (after[i].is.empty() && after[i].cIs.empty()) {
            after[i].is = old.is;
            after[i].cIs = old.cIs;
        }
    }
}

// Rows sorted from the last to the first, each once, and grouped into runs of consecutive rows.
std::vector<std::pair<int, int>> rangesFromLast(std::vector<int> rows, int count) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [count](int row) { return row < 0 || row >= count; }),
               rows.end());
    std::vector<std::pair<int, int>> ranges;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (!ranges.empty() && ranges.back().first == *it + 1) {
            ranges.back().first = *it;
        } else {
            ranges.emplace_back(*it, *it);
        }
    }
    return ranges;
}

// The rows of ranges from the last, from the first row to the last.
std::vector<int> rowsOf(const std::vector<std::pair<int, int>>& ranges) {
    std::vector<int> rows;
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
        for (int row = it->first; row <= it->second; ++row) {
            rows.push_back(row);
        }
    }
    return rows;
}

// Whether rows first..last are plain samples that no row refers to: they change nothing of the
// batch (its blanks, limits and checks), so that only they need working out again.
bool plainRows(const std::vector<Sample>& samples, std::size_t first, std::size_t last) {
    for (std::size_t row = first; row <= last; ++row) {
        if (calibration::sampleType(samples[row].type) != calibration::SampleType::Sample) {
            return false;
        }
    }
    for (const Sample& sample : samples) {
        if (sample.of.empty()) {
            continue;
        }
        const std::string_view referred = calibration::text::trimmed(sample.of);
        for (std::size_t row = first; row <= last; ++row) {
            if (calibration::text::trimmed(samples[row].name) == referred) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

CurrentCalibration::CurrentCalibration(QObject* parent) : QObject(parent) {
    document_.created = QDate::currentDate().toString(Qt::ISODate).toStdString();
    document_.header = defaultHeader();
    recomputeCurve();
}

namespace {

// "2026-12-07T21:04:53+08:00": local time with its offset from UTC.
std::string now() {
    const QDateTime local = QDateTime::currentDateTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate).toStdString();
}

// The login name of whoever works.
std::string user() {
    for (const char* name : {"USER", "LOGNAME", "USERNAME"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty()) {
            return io::toDocument(value);
        }
    }
    return {};
}

// "0.5; 0.21", with the internal standard's figures when the row has them: "0.5; 0.21; 1020; ".
std::string standardText(const Standard& standard) {
    std::string text = standard.c + "; " + standard.a;
    if (!standard.is.empty() || !standard.cIs.empty()) {
        text += "; " + standard.is + "; " + standard.cIs;
    }
    return text;
}

} // namespace

// Every change is an entry of the history; a history that is empty (a new document, or a file
// whose history was removed) starts with one saying so. Edits of the same setting one after the
// other (a value typed key by key) are one entry.
void CurrentCalibration::record(const char* kind, calibration::HistoryValues values) {
    std::vector<calibration::HistoryEntry>& history = document_.history;
    calibration::HistoryEntry entry = calibration::historyEntry(kind, std::move(values));
    entry.time = now();
    entry.user = user();
    entry.reason = reason_;
    if (!history.empty() && entry.kind == "setting_changed" && history.back().kind == entry.kind &&
        history.back().reason == entry.reason) {
        calibration::HistoryEntry& last = history.back();
        const auto key = [](const calibration::HistoryEntry& e, std::string_view name) {
            for (const auto& [k, v] : e.values) {
                if (k == name) {
                    return v;
                }
            }
            return std::string();
        };
        if (key(last, "setting") == key(entry, "setting")) {
            const std::string from = key(last, "from");
            last = entry;
            for (auto& [k, v] : last.values) {
                if (k == "from") {
                    v = from;
                }
            }
            return;
        }
    }
    if (history.empty()) {
        calibration::HistoryEntry started = calibration::historyEntry("history_started", {});
        started.time = entry.time;
        started.user = entry.user;
        history.push_back(std::move(started));
    }
    history.push_back(std::move(entry));
}

void CurrentCalibration::touch(bool modifies) {
    if (modifies && !modified_) {
        modified_ = true;
        emit modifiedChanged(true);
    }
    emit documentChanged();
}

void CurrentCalibration::recomputeCurve() {
    results_.curve = calibration::evaluateCurve(document_);
    recomputeBatch();
    emit resultsChanged();
}

// Every row's estimate and the batch's figures: a row's result can depend on the others (the
// blanks taken off, the sample a duplicate or a spike refers to).
void CurrentCalibration::recomputeBatch() {
    results_.batch = calibration::evaluateBatch(document_, results_.curve, results_.samples);
    results_.addition = calibration::evaluateAddition(document_, results_.curve, results_.batch);
    records::judgeAgainstCharts(document_, results_, chartContext_);
    if (topDown_ && document_.settings.uncertainty.way == calibration::UncertaintyWay::TopDown) {
        calibration::applyTopDown(document_, results_, topDown_);
    }
    readCurrentSample();
    if (!results_.samples.empty()) {
        emit samplesChanged(0, int(results_.samples.size()) - 1);
    }
}

void CurrentCalibration::setCurrentSample(std::optional<double> absorbance) {
    currentSample_ = absorbance;
    readCurrentSample();
}

void CurrentCalibration::readCurrentSample() {
    currentReading_.reset();
    if (currentSample_) {
        currentReading_ =
            calibration::readCurve(results_.curve, *currentSample_, results_.batch.blankA);
    }
}

void CurrentCalibration::setTopDownInputs(
    std::shared_ptr<const calibration::TopDownInputs> inputs) {
    if (inputs == topDown_) {
        return;
    }
    topDown_ = std::move(inputs);
    recomputeBatch();
    emit resultsChanged();
}

void CurrentCalibration::setChartContext(records::ChartContext context) {
    if (context == chartContext_) {
        return;
    }
    chartContext_ = std::move(context);
    recomputeBatch();
    emit resultsChanged();
}

void CurrentCalibration::recomputeSamples(int first, int last) {
    for (int row = first; row <= last; ++row) {
        results_.samples[std::size_t(row)] =
            calibration::readSample(document_.samples[std::size_t(row)]);
    }
}

// The main window's results belong to the curve they were computed with: the standards' keys
// before and after the change.
void CurrentCalibration::curveReplaced(const std::vector<std::string>& before,
                                       const std::vector<std::string>& after) {
    if (before == after) {
        return;
    }
    int first = -1;
    int last = -1;
    for (std::size_t i = 0; i < document_.samples.size(); ++i) {
        Sample& sample = document_.samples[i];
        if (!sample.mainResult.empty()) {
            sample.mainResult.clear();
            sample.earlierCurve = true;
            first = first < 0 ? int(i) : first;
            last = int(i);
        }
    }
    if (first >= 0) {
        emit samplesChanged(first, last);
    }
}

void CurrentCalibration::replaceDocument(Document document, const QString& file, bool modified) {
    emit standardsAboutToBeReset();
    emit samplesAboutToBeReset();
    document_ = std::move(document);
    results_.samples.clear();
    results_.samples.reserve(document_.samples.size());
    for (const Sample& sample : document_.samples) {
        results_.samples.push_back(calibration::readSample(sample));
    }
    emit standardsReset();
    emit samplesReset();
    if (!file.isEmpty()) {
        // Recording an opening is no change of the document.
        record("file_opened", {{"file", io::toDocument(QFileInfo(file).fileName())}});
    }
    recomputeCurve();
    if (file_ != file) {
        file_ = file;
        emit fileChanged(file_);
    }
    if (modified_ != modified) {
        modified_ = modified;
        emit modifiedChanged(modified_);
    }
    emit standardsChanged(From::Elsewhere);
    emit documentChanged();
}

void CurrentCalibration::setStandards(std::vector<Standard> standards,
                                      const std::optional<std::string>& unit, From from,
                                      const char* source) {
    if (from != From::Filling) {
        const std::vector<Standard>& before = document_.standards;
        if (before.size() == standards.size()) {
            for (std::size_t i = 0; i < before.size(); ++i) {
                const Standard& after = standards[i];
                // A row given without internal-standard figures keeps its own (keepExclusions).
                const bool isChanged = (!after.is.empty() || !after.cIs.empty()) &&
                                       (before[i].is != after.is || before[i].cIs != after.cIs);
                if (before[i].c != after.c || before[i].a != after.a || isChanged) {
                    record("standard_edited", {{"number", std::to_string(i + 1)},
                                               {"field", "C; A"},
                                               {"from", standardText(before[i])},
                                               {"to", standardText(standards[i])}});
                }
            }
        } else {
            record("standards_replaced",
                   {{"source", source}, {"count", std::to_string(standards.size())}});
        }
    }
    applyStandards(std::move(standards), unit, from);
}

void CurrentCalibration::applyStandards(std::vector<Standard> standards,
                                        const std::optional<std::string>& unit, From from) {
    // The standards as they are were read by the last evaluation, the new ones are read by their
    // own: each standard's texts once, but for new texts read first to carry an exclusion.
    const std::vector<std::string> oldKeys = matchKeys(document_.standards, results_.curve);
    keepExclusions(document_.standards, oldKeys, results_.curve, standards);
    if (standards == document_.standards && (!unit || *unit == document_.unit)) {
        return;
    }
    emit standardsAboutToBeReset();
    document_.standards = std::move(standards);
    if (unit) {
        document_.unit = *unit;
    }
    emit standardsReset();
    recomputeCurve();
    if (from != From::Filling) {
        curveReplaced(oldKeys, matchKeys(document_.standards, results_.curve));
    }
    emit standardsChanged(from);
    touch(from != From::Filling);
}

// After standards edited, inserted or removed in place: each row keeps what it is (its exclusion
// and internal-standard figures go nowhere else), and the curve is fitted again.
void CurrentCalibration::standardsAltered(const std::vector<Standard>& before) {
    const std::vector<std::string> oldKeys = matchKeys(before, results_.curve);
    recomputeCurve();
    curveReplaced(oldKeys, matchKeys(document_.standards, results_.curve));
    emit standardsChanged(From::Elsewhere);
    touch();
}

void CurrentCalibration::editStandard(int row, StandardField field, const std::string& text) {
    if (row < 0 || row >= int(document_.standards.size())) {
        return;
    }
    Standard& standard = document_.standards[std::size_t(row)];
    std::string* const cells[] = {&standard.c, &standard.a, &standard.is, &standard.cIs};
    static constexpr const char* kFields[] = {"C", "A", "is", "c_is"};
    std::string& cell = *cells[int(field)];
    if (cell == text) {
        return;
    }
    record("standard_edited", {{"number", std::to_string(row + 1)},
                               {"field", kFields[int(field)]},
                               {"from", cell},
                               {"to", text}});
    const std::vector<Standard> before = document_.standards;
    cell = text;
    emit standardsEdited(row, row);
    standardsAltered(before);
}

void CurrentCalibration::insertStandards(int row, std::vector<Standard> inserted) {
    if (inserted.empty()) {
        return;
    }
    row = std::clamp(row, 0, int(document_.standards.size()));
    record("standards_inserted",
           {{"number", std::to_string(row + 1)}, {"count", std::to_string(inserted.size())}});
    const std::vector<Standard> before = document_.standards;
    emit standardsAboutToBeInserted(row, row + int(inserted.size()) - 1);
    document_.standards.insert(document_.standards.begin() + row,
                               std::make_move_iterator(inserted.begin()),
                               std::make_move_iterator(inserted.end()));
    // The new rows have no check until the curve is fitted again.
    std::vector<calibration::StandardResult>& checks = results_.curve.standards;
    if (checks.size() + inserted.size() == document_.standards.size()) {
        checks.insert(checks.begin() + row, inserted.size(), calibration::StandardResult{});
    }
    emit standardsInserted();
    standardsAltered(before);
}

void CurrentCalibration::removeStandards(std::vector<int> rows) {
    const auto ranges = rangesFromLast(std::move(rows), int(document_.standards.size()));
    if (ranges.empty()) {
        return;
    }
    const std::vector<int> removed = rowsOf(ranges);
    record("standards_removed", {{"numbers", calibration::numberList(removed)}});
    const std::vector<Standard> before = document_.standards;
    std::vector<calibration::StandardResult>& checks = results_.curve.standards;
    for (const auto& [first, last] : ranges) {
        emit standardsAboutToBeRemoved(first, last);
        if (checks.size() == document_.standards.size()) {
            checks.erase(checks.begin() + first, checks.begin() + last + 1);
        }
        document_.standards.erase(document_.standards.begin() + first,
                                  document_.standards.begin() + last + 1);
        emit standardsRemoved();
    }
    standardsAltered(before);
}

void CurrentCalibration::setExcluded(int row, bool excluded, const std::string& reason) {
    if (row < 0 || row >= int(document_.standards.size())) {
        return;
    }
    Standard& standard = document_.standards[std::size_t(row)];
    if (standard.excluded == excluded && (!excluded || standard.reason == reason)) {
        return;
    }
    if (excluded) {
        record("standard_excluded", {{"number", std::to_string(row + 1)}, {"reason", reason}});
    } else {
        record("standard_included", {{"number", std::to_string(row + 1)}});
    }
    standard.excluded = excluded;
    standard.reason = excluded ? reason : std::string();
    emit standardsEdited(row, row);
    recomputeCurve();
    touch();
}

void CurrentCalibration::setUnit(const std::string& unit, From from) {
    if (unit == document_.unit) {
        return;
    }
    if (from != From::Filling) {
        record("setting_changed", {{"setting", "unit"}, {"from", document_.unit}, {"to", unit}});
    }
    document_.unit = unit;
    emit resultsChanged();
    emit standardsChanged(from);
    touch(from != From::Filling);
}

void CurrentCalibration::setSettings(const calibration::Settings& settings) {
    if (settings == document_.settings) {
        return;
    }
    for (const calibration::Change& change :
         calibration::settingChanges(document_.settings, settings)) {
        record("setting_changed",
               {{"setting", change.key}, {"from", change.from}, {"to", change.to}});
    }
    document_.settings = settings;
    recomputeCurve();
    touch();
}

void CurrentCalibration::setHeader(const calibration::ReportHeader& header) {
    if (header == document_.header) {
        return;
    }
    for (const calibration::Change& change : calibration::headerChanges(document_.header, header)) {
        record("header_changed", {{"field", change.key}, {"from", change.from}, {"to", change.to}});
    }
    document_.header = header;
    touch();
}

void CurrentCalibration::applyMethod(const calibration::Method& method) {
    Document applied = calibration::withMethod(document_, method);
    calibration::HistoryEntry entry = calibration::methodAppliedEntry(document_, applied);
    record(entry.kind.c_str(), std::move(entry.values));
    const bool unitChanged = applied.unit != document_.unit;
    // The history just recorded stays; everything else is the method's.
    applied.history = std::move(document_.history);
    document_ = std::move(applied);
    recomputeCurve();
    if (unitChanged) {
        emit standardsChanged(From::Elsewhere);
    }
    touch();
}

void CurrentCalibration::recordMethodSaved(const std::string& name, const QString& file,
                                           const std::string& sha256) {
    record(
        "method_saved",
        {{"name", name}, {"file", io::toDocument(QFileInfo(file).fileName())}, {"sha256", sha256}});
    touch(false);
}

void CurrentCalibration::appendSamples(std::vector<Sample> samples, const char* source) {
    insertSamples(int(document_.samples.size()), std::move(samples), source);
}

void CurrentCalibration::insertSamples(int row, std::vector<Sample> samples, const char* source) {
    if (samples.empty()) {
        return;
    }
    const int first = std::clamp(row, 0, int(document_.samples.size()));
    const bool atEnd = first == int(document_.samples.size());
    // A pasted block is one entry, not one per cell.
    record("samples_added", {{"source", source},
                             {"count", std::to_string(samples.size())},
                             {"first", std::to_string(first + 1)}});
    const int last = first + int(samples.size()) - 1;
    emit samplesAboutToBeInserted(first, last);
    // Room grows geometrically: a reserve of exactly one more row at every sample would move the
    // whole list each time.
    const std::size_t wanted = document_.samples.size() + samples.size();
    if (wanted > document_.samples.capacity()) {
        document_.samples.reserve(std::max(wanted, 2 * document_.samples.capacity()));
        results_.samples.reserve(document_.samples.capacity());
    }
    if (atEnd) {
        for (Sample& sample : samples) {
            document_.samples.push_back(std::move(sample));
            results_.samples.push_back(calibration::readSample(document_.samples.back()));
        }
    } else {
        std::vector<calibration::SampleResult> read;
        read.reserve(samples.size());
        for (const Sample& sample : samples) {
            read.push_back(calibration::readSample(sample));
        }
        document_.samples.insert(document_.samples.begin() + first,
                                 std::make_move_iterator(samples.begin()),
                                 std::make_move_iterator(samples.end()));
        results_.samples.insert(results_.samples.begin() + first,
                                std::make_move_iterator(read.begin()),
                                std::make_move_iterator(read.end()));
    }
    emit samplesInserted();
    // A row judged by the internal standard's recovery changes the batch's counts; rows placed
    // before others move them, and the batch is worked out whole again.
    if (atEnd && !document_.settings.internalStandard &&
        plainRows(document_.samples, std::size_t(first), std::size_t(last))) {
        calibration::evaluateRows(document_, results_.curve, results_.batch, results_.samples,
                                  std::size_t(first), std::size_t(last));
    } else {
        recomputeBatch();
    }
    emit resultsChanged();
    touch();
}

bool CurrentCalibration::changesSample(int row, SampleField field, const std::string& text) const {
    if (row < 0 || row >= int(document_.samples.size())) {
        return false;
    }
    Sample sample = document_.samples[std::size_t(row)];
    const std::string kept = field == SampleField::Type ? calibration::normalizedType(text) : text;
    return calibration::sampleCell(sample, field) != kept;
}

void CurrentCalibration::editSample(int row, SampleField field, const std::string& text) {
    if (row < 0 || row >= int(document_.samples.size())) {
        return;
    }
    std::string* cell = &calibration::sampleCell(document_.samples[std::size_t(row)], field);
    const std::string kept = field == SampleField::Type ? calibration::normalizedType(text) : text;
    if (*cell == kept) {
        return;
    }
    // The row by its name as it stood, so that the history reads "W1 的读数：…".
    record("sample_edited", {{"number", std::to_string(row + 1)},
                             {"name", document_.samples[std::size_t(row)].name},
                             {"field", calibration::kSampleColumns[std::size_t(field)].key},
                             {"from", *cell},
                             {"to", kept}});
    *cell = kept;
    recomputeSamples(row, row);
    const bool alone = (field == SampleField::Readings || field == SampleField::Dilution) &&
                       !document_.settings.internalStandard &&
                       plainRows(document_.samples, std::size_t(row), std::size_t(row));
    if (alone) {
        calibration::evaluateRows(document_, results_.curve, results_.batch, results_.samples,
                                  std::size_t(row), std::size_t(row));
        emit samplesChanged(row, row);
    } else {
        recomputeBatch();
    }
    emit resultsChanged();
    touch();
}

void CurrentCalibration::removeSamples(std::vector<int> rows) {
    const auto ranges = rangesFromLast(std::move(rows), int(document_.samples.size()));
    if (ranges.empty()) {
        return;
    }
    const std::vector<int> removed = rowsOf(ranges);
    record("samples_removed", {{"count", std::to_string(removed.size())},
                               {"numbers", calibration::numberList(removed)}});
    for (const auto& [first, last] : ranges) {
        emit samplesAboutToBeRemoved(first, last);
        document_.samples.erase(document_.samples.begin() + first,
                                document_.samples.begin() + last + 1);
        results_.samples.erase(results_.samples.begin() + first,
                               results_.samples.begin() + last + 1);
        emit samplesRemoved();
    }
    recomputeBatch();
    emit resultsChanged();
    touch();
}

void CurrentCalibration::clearSamples() {
    if (document_.samples.empty()) {
        return;
    }
    record("samples_cleared", {{"count", std::to_string(document_.samples.size())}});
    emit samplesAboutToBeReset();
    document_.samples.clear();
    results_.samples.clear();
    emit samplesReset();
    recomputeBatch();
    emit resultsChanged();
    touch();
}

// Numbered on from the names in the interface's language; a translation without its number is
// not used.
std::string CurrentCalibration::nextSampleName() const {
    QStringList parts = tr("样品 %1").split(QStringLiteral("%1"));
    if (parts.size() != 2) {
        parts = QString::fromUtf8("样品 %1").split(QStringLiteral("%1"));
    }
    const std::string prefix = io::toDocument(parts[0]);
    const std::string suffix = io::toDocument(parts[1]);
    const std::size_t fixed = prefix.size() + suffix.size();
    long long highest = 0;
    for (const Sample& sample : document_.samples) {
        const std::string& name = sample.name;
        if (name.size() <= fixed || name.size() > fixed + 9 ||
            name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        const std::string digits = name.substr(prefix.size(), name.size() - fixed);
        if (std::all_of(digits.begin(), digits.end(),
                        [](char ch) { return ch >= '0' && ch <= '9'; })) {
            highest = std::max(highest, std::stoll(digits));
        }
    }
    return prefix + std::to_string(highest + 1) + suffix;
}

void CurrentCalibration::recordSave(const QString& file) {
    record("file_saved", {{"file", io::toDocument(QFileInfo(file).fileName())}});
}

void CurrentCalibration::forgetSave() {
    if (!document_.history.empty() && document_.history.back().kind == "file_saved") {
        document_.history.pop_back();
    }
}

void CurrentCalibration::markSaved(const QString& file) {
    if (file_ != file) {
        file_ = file;
        emit fileChanged(file_);
    }
    if (modified_) {
        modified_ = false;
        emit modifiedChanged(false);
    }
}

} // namespace analysis
