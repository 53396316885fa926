#include "analysis/csv_export.h"

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

QString flagKeys(const calc::SampleFlags& flags) {
    QStringList keys;
    if (flags.outOfRange) {
        keys << u"out_of_range"_s;
    }
    if (flags.belowLod) {
        keys << u"below_lod"_s;
    }
    if (flags.belowLoq) {
        keys << u"below_loq"_s;
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
    return {entry.name,   entry.readings, double(e.m),      number(e.meanA),   values->dilution,
            number(e.x0), number(e.sX0),  number(e.ci95X0), flagKeys(e.flags), mainResult};
}

} // namespace

QList<io::CsvRow> exportTable(std::span<const double> x, std::span<const double> y,
                              const calc::LineStatistics& line, const QString& unit,
                              const std::vector<SampleEntry>& samples) {
    QList<io::CsvRow> rows;
    rows.append(header({u"statistic", u"value"}));
    rows.append({u"unit"_s, unit});
    const std::pair<const char16_t*, std::optional<double>> statistics[] = {
        {u"n", double(line.n)},  {u"a", line.a},     {u"b", line.b},
        {u"s_a", line.sA},       {u"s_b", line.sB},  {u"ci95_a", line.ci95A},
        {u"ci95_b", line.ci95B}, {u"r", line.r},     {u"r2", line.r2},
        {u"s_yx", line.sYX},     {u"lod", line.lod}, {u"loq", line.loq},
    };
    for (const auto& [key, value] : statistics) {
        rows.append({QString::fromUtf16(key), number(value)});
    }

    rows.append(io::CsvRow());
    rows.append(
        header({u"C", u"A", u"A_fit", u"residual", u"deviation_pct", u"C_back", u"recovery_pct"}));
    for (const calc::PointCheck& p : calc::pointChecks(x, y, line)) {
        rows.append({number(p.c), number(p.a), number(p.aFit), number(p.residual),
                     number(p.deviationPct), number(p.cBack), number(p.recoveryPct)});
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
