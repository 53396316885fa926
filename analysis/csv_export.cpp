#include "analysis/csv_export.h"

#include "calc/report_fields.h"
#include "io/calibration.h"

#include <QStringList>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace analysis {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN(); // an empty cell

// A zero is written "0", never "-0".
io::CsvCell number(std::optional<double> value) {
    if (!value) {
        return kNoValue;
    }
    return *value == 0.0 ? 0.0 : *value;
}

io::CsvRow header(std::initializer_list<const char16_t*> keys) {
    io::CsvRow row;
    for (const char16_t* key : keys) {
        row.append(QString::fromUtf16(key));
    }
    return row;
}

QString flagList(const calc::SampleFlags& flags) {
    QStringList keys;
    for (const auto& [set, key] : calc::flagKeys(flags)) {
        if (set) {
            keys << QString::fromLatin1(key);
        }
    }
    return keys.join(u',');
}

io::CsvRow sampleRow(const calc::LineStatistics& line, const SampleEntry& entry) {
    const QString mainResult = entry.mainResult.trimmed();
    const auto values = io::sampleValues(entry); // by the list's own rules
    if (!values) {
        return {entry.name, entry.readings, kNoValue, kNoValue,  entry.dilution,
                kNoValue,   kNoValue,       kNoValue, QString(), mainResult};
    }
    const std::vector<double> readings(values->readings.cbegin(), values->readings.cend());
    const calc::SampleEstimate e = calc::estimateSample(line, readings, values->dilution);
    io::CsvRow row{entry.name, entry.readings, double(e.m)};
    for (const auto& field : calc::sampleFields(e, values->dilution)) {
        row.append(number(field.second));
    }
    row << flagList(e.flags) << mainResult;
    return row;
}

} // namespace

QList<io::CsvRow> exportTable(std::span<const double> x, std::span<const double> y,
                              const calc::LineStatistics& line, const QString& unit,
                              const std::vector<SampleEntry>& samples) {
    QList<io::CsvRow> rows;
    rows.append(header({u"statistic", u"value"}));
    rows.append({u"unit"_s, unit});
    rows.append({u"n"_s, double(line.n)});
    for (const auto& [key, value] : calc::statisticFields(line)) {
        rows.append({QString::fromLatin1(key), number(value)});
    }

    rows.append(io::CsvRow());
    rows.append(
        header({u"C", u"A", u"A_fit", u"residual", u"deviation_pct", u"C_back", u"recovery_pct"}));
    for (const calc::PointCheck& p : calc::pointChecks(x, y, line)) {
        io::CsvRow row;
        for (const auto& field : calc::pointFields(p)) {
            row.append(number(field.second));
        }
        rows.append(row);
    }

    if (!samples.empty()) {
        rows.append(io::CsvRow());
        rows.append(header({u"name", u"readings", u"m", u"mean_A", u"dilution", u"x0", u"s_x0",
                            u"ci95_x0", u"flags", u"main_result"}));
        for (const SampleEntry& entry : samples) {
            rows.append(sampleRow(line, entry));
        }
    }
    return rows;
}

} // namespace analysis
