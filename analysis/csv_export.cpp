#include "analysis/csv_export.h"

#include "calibration/data_report.h"
#include "io/document_text.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace analysis {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN(); // an empty cell

// A report value as one cell: numbers as numbers (a zero as "0", never "-0"), lists as the text
// report joins them, texts as typed.
io::CsvCell cell(const calibration::ReportValue& value) {
    using Kind = calibration::ReportValue::Kind;
    switch (value.kind) {
    case Kind::Null:
        return kNoValue;
    case Kind::Number:
        return value.number == 0.0 ? 0.0 : value.number;
    case Kind::Integer:
        return double(value.integer);
    case Kind::Text:
    case Kind::Key:
        return io::fromDocument(value.text);
    case Kind::Bool:
        return value.flag ? u"true"_s : u"false"_s;
    default:
        break;
    }
    // Lists: the text report's cell.
    return QString::fromStdString(calibration::textCell(value));
}

io::CsvRow header(const std::vector<const char*>& keys) {
    io::CsvRow row;
    for (const char* key : keys) {
        row.append(QString::fromLatin1(key));
    }
    return row;
}

io::CsvRow rowOf(const std::vector<calibration::ReportValue>& values) {
    io::CsvRow row;
    for (const calibration::ReportValue& value : values) {
        row.append(cell(value));
    }
    return row;
}

} // namespace

QList<io::CsvRow> exportTable(const calibration::Document& document,
                              const calibration::Results& results) {
    QList<io::CsvRow> rows;
    rows.append({u"statistic"_s, u"value"_s});
    rows.append({u"report_version"_s, double(calibration::kReportVersion)});
    // A standard addition's object as "addition.x_e" rows.
    const std::vector<calibration::ReportField> fields =
        calibration::calibrationFields(document, results);
    for (const auto& [key, value] : calibration::flatFields(fields)) {
        rows.append({QString::fromStdString(key), cell(*value)});
    }

    // The validation's objects as "mandel.pw" rows, as the text report writes them.
    rows.append(io::CsvRow());
    rows.append({u"validation"_s, u"value"_s});
    std::vector<calibration::ReportField> validation =
        calibration::validationFields(document, results);
    validation.push_back(calibration::qcSummaryField(results));
    for (calibration::ReportField& field : calibration::recordFields(document, results)) {
        validation.push_back(std::move(field));
    }
    for (const auto& [key, value] : calibration::flatFields(validation)) {
        rows.append({QString::fromStdString(key), cell(*value)});
    }

    std::vector<calibration::ReportValue> values;
    rows.append(io::CsvRow());
    rows.append(header(calibration::pointKeys(document)));
    for (std::size_t i = 0; i < document.standards.size(); ++i) {
        calibration::pointRow(document, results, i, values);
        rows.append(rowOf(values));
    }

    if (!document.samples.empty()) {
        rows.append(io::CsvRow());
        io::CsvRow keys = header(calibration::sampleKeys(document));
        keys.append(u"main_result"_s);
        rows.append(keys);
        for (std::size_t i = 0; i < document.samples.size(); ++i) {
            calibration::sampleRow(document, results, i, values);
            io::CsvRow row = rowOf(values);
            row.append(io::fromDocument(document.samples[i].mainResult).trimmed());
            rows.append(row);
        }
    }
    return rows;
}

} // namespace analysis
