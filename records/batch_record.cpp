#include "records/batch_record.h"

#include "calibration/entries.h"
#include "calibration/keys.h"

#include <cmath>
#include <string_view>

namespace records {

namespace {

using calibration::SampleType;

std::optional<double> finite(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? value : std::nullopt;
}

// The figure of the row's rule `rule`, when it was judged.
std::optional<double> figureOf(const calibration::SampleResult& result, std::string_view rule) {
    for (const calibration::QualityCheck& check : result.checks) {
        if (rule == check.rule) {
            return check.value;
        }
    }
    return std::nullopt;
}

Verdict verdictRecord(const calibration::QualityCheck& check) {
    Verdict verdict{check.rule,         finite(check.value), finite(check.low),
                    finite(check.high), check.pass,          {}};
    if (check.keys.empty()) {
        verdict.text = calibration::render(check.verdict);
    }
    for (const char* key : check.keys) {
        if (!verdict.text.empty()) {
            verdict.text += ' ';
        }
        verdict.text += key;
    }
    return verdict;
}

} // namespace

std::vector<BatchRow> qcRows(const calibration::Document& document,
                             const calibration::Results& results) {
    std::vector<BatchRow> rows;
    const std::size_t count = std::min(document.samples.size(), results.samples.size());
    for (std::size_t i = 0; i < count; ++i) {
        const calibration::Sample& sample = document.samples[i];
        const calibration::SampleResult& result = results.samples[i];
        if (!result.type) {
            continue;
        }
        QcRow row;
        switch (*result.type) {
        case SampleType::Sample:
        case SampleType::DetectionLimit:
            continue;
        case SampleType::Check:
            row.value = result.x0.value;
            row.unit = document.unit;
            row.nominal = sample.nominal;
            break;
        case SampleType::Reference:
            row.value = result.result.value;
            row.unit = results.batch.resultUnit;
            row.certified = sample.certified;
            break;
        case SampleType::Spike:
            row.value = figureOf(result, "spike");
            row.unit = "%";
            row.added = sample.added;
            break;
        case SampleType::Duplicate:
            row.value = figureOf(result, "duplicate");
            row.unit = "%";
            break;
        case SampleType::Blank:
            row.value = result.meanA;
            break;
        }
        row.type = calibration::typeKey(*result.type);
        row.name = sample.name;
        row.value = finite(row.value);
        for (const calibration::QualityCheck& check : result.checks) {
            row.verdicts.push_back(verdictRecord(check));
        }
        rows.push_back({i, std::move(row)});
    }
    return rows;
}

BatchRecord batchRecord(const calibration::Document& document, const calibration::Results& results,
                        std::string identity, std::string fileName) {
    BatchRecord record;
    record.identity = std::move(identity);
    record.fileName = std::move(fileName);
    record.created = document.created;
    const calibration::ReportHeader& h = document.header;
    record.header = {h.laboratory,   h.project,          h.method,     h.analyte,
                     h.instrument,   h.instrumentNumber, h.wavelength, h.pathLength,
                     h.analysisDate, h.analyst,          h.reviewer,   h.approver};
    record.methodName = document.method.name;
    record.methodHash = document.method.sha256;
    record.analyte = h.analyte;
    record.curveUnit = document.unit;
    record.resultUnit = results.batch.resultUnit;

    const calibration::Settings& s = document.settings;
    const calibration::CurveResult& curve = results.curve;
    CurveRecord& c = record.curve;
    c.model = calibration::kModelKeys[std::size_t(s.model)];
    c.weighting = calibration::kWeightKeys[std::size_t(s.weighting)];
    c.limitKind = calibration::kLimitKeys[std::size_t(s.limit)];
    if (curve.fit) {
        const calc::ModelFit& fit = *curve.fit;
        c.n = fit.n;
        if (fit.model != calc::Model::Origin) {
            c.a = finite(fit.a);
        }
        c.b = finite(fit.b);
        if (fit.model == calc::Model::Quadratic) {
            c.c = finite(fit.c);
        }
        c.r = finite(curve.r.value);
        c.sYX = finite(curve.sYX.value);
    }
    c.reportedLimit = finite(results.batch.reportedLimit.value);
    for (BatchRow& row : qcRows(document, results)) {
        record.rows.push_back(std::move(row.row));
    }
    return record;
}

} // namespace records
