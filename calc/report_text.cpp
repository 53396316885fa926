#include "calc/report_text.h"

#include "calc/full_precision.h"
#include "calc/report_fields.h"

#include <cmath>
#include <optional>
#include <utility>

namespace calc {
namespace {

void appendNumber(std::string& out, double value) {
    if (std::isfinite(value)) {
        appendFullPrecision(out, value + 0.0); // -0 + 0 is +0: a spreadsheet shows no "-0"
    }
}

void appendNumber(std::string& out, const std::optional<double>& value) {
    if (value) {
        appendNumber(out, *value);
    }
}

// The length of the UTF-8 sequence at name[i] when it is a C1 control (U+0080..U+009F, which
// terminals take for escape sequences) or a bidirectional control (U+061C, U+200E, U+200F,
// U+202A..U+202E, U+2066..U+2069, which reorder the line); 0 otherwise.
std::size_t controlLength(const std::string& name, std::size_t i) {
    const auto byte = [&name](std::size_t k) {
        return k < name.size() ? static_cast<unsigned char>(name[k]) : 0U;
    };
    const unsigned first = byte(i);
    const unsigned second = byte(i + 1);
    const unsigned third = byte(i + 2);
    if ((first == 0xC2U && second >= 0x80U && second <= 0x9FU) ||
        (first == 0xD8U && second == 0x9CU)) {
        return 2;
    }
    if (first == 0xE2U && ((second == 0x80U && (third == 0x8EU || third == 0x8FU ||
                                                (third >= 0xAAU && third <= 0xAEU))) ||
                           (second == 0x81U && third >= 0xA6U && third <= 0xA9U))) {
        return 3;
    }
    return 0;
}

void appendName(std::string& out, const std::string& name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto code = static_cast<unsigned char>(name[i]);
        if (code < 0x20U || code == 0x7FU) {
            out += ' ';
        } else if (const std::size_t length = controlLength(name, i); length > 0) {
            out += ' ';
            i += length - 1;
        } else {
            out += name[i];
        }
    }
}

} // namespace

std::string reportText(std::span<const double> x, std::span<const double> y,
                       const LineStatistics& line, std::span<const SampleRow> samples) {
    std::string out;
    out.reserve(512 + samples.size() * 128);
    out += "n\t";
    out += std::to_string(line.n);
    out += '\n';
    for (const auto& [key, value] : statisticFields(line)) {
        out += key;
        out += '\t';
        appendNumber(out, value);
        out += '\n';
    }

    out += "\nC\tA\tA_fit\tresidual\tdeviation_pct\tC_back\trecovery_pct\n";
    for (const PointCheck& check : pointChecks(x, y, line)) {
        const char* separator = "";
        for (const auto& field : pointFields(check)) {
            out += separator;
            appendNumber(out, field.second);
            separator = "\t";
        }
        out += '\n';
    }

    if (samples.empty()) {
        return out;
    }
    out += "\nname\treadings\tm\tmean_A\tdilution\tx0\ts_x0\tci95_x0\tflags\n";
    for (const SampleRow& sample : samples) {
        const SampleEstimate e = estimateSample(line, sample.readings, sample.dilution);
        appendName(out, sample.name);
        out += '\t';
        for (std::size_t i = 0; i < sample.readings.size(); ++i) {
            if (i > 0) {
                out += ' ';
            }
            appendFullPrecision(out, sample.readings[i]); // "inf" rather than a gap in the list
        }
        out += '\t';
        out += std::to_string(e.m);
        for (const auto& field : sampleFields(e, sample.dilution)) {
            out += '\t';
            appendNumber(out, field.second);
        }
        out += '\t';
        const char* separator = "";
        for (const auto& [set, key] : flagKeys(e.flags)) {
            if (set) {
                out += separator;
                out += key;
                separator = ",";
            }
        }
        out += '\n';
    }
    return out;
}

} // namespace calc
