#include "calc/report_json.h"

#include "calc/full_precision.h"
#include "calc/report_fields.h"

#include <cmath>
#include <optional>
#include <utility>

namespace calc {
namespace {

void appendNumber(std::string& out, double value) {
    if (std::isfinite(value)) {
        appendFullPrecision(out, value + 0.0); // -0 + 0 is +0
    } else {
        out += "null";
    }
}

void appendNumber(std::string& out, const std::optional<double>& value) {
    if (value) {
        appendNumber(out, *value);
    } else {
        out += "null";
    }
}

void appendString(std::string& out, const std::string& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (code < 0x20U) {
            out += "\\u00";
            out += kHex[code >> 4U];
            out += kHex[code & 0xFU];
        } else {
            out += ch;
        }
    }
    out += '"';
}

// `"key": ` with the separator before it.
void appendKey(std::string& out, const char* key, bool first = false) {
    if (!first) {
        out += ", ";
    }
    out += '"';
    out += key;
    out += "\": ";
}

} // namespace

std::string reportJson(std::span<const double> x, std::span<const double> y,
                       const LineStatistics& line, std::span<const SampleRow> samples) {
    std::string out;
    out.reserve(512 + samples.size() * 256);
    out += "{\n    \"n\": ";
    out += std::to_string(line.n);
    for (const auto& [key, value] : statisticFields(line)) {
        out += ",\n    \"";
        out += key;
        out += "\": ";
        appendNumber(out, value);
    }

    out += ",\n    \"points\": [";
    const char* separator = "\n        ";
    for (const PointCheck& p : pointChecks(x, y, line)) {
        out += separator;
        separator = ",\n        ";
        out += '{';
        bool first = true;
        for (const auto& [key, value] : pointFields(p)) {
            appendKey(out, key, std::exchange(first, false));
            appendNumber(out, value);
        }
        out += '}';
    }
    out += "\n    ],\n    \"samples\": [";

    separator = "\n        ";
    for (const SampleRow& sample : samples) {
        const SampleEstimate e = estimateSample(line, sample.readings, sample.dilution);
        out += separator;
        separator = ",\n        ";
        out += '{';
        appendKey(out, "name", true);
        appendString(out, sample.name);
        appendKey(out, "readings");
        out += '[';
        for (std::size_t i = 0; i < sample.readings.size(); ++i) {
            if (i > 0) {
                out += ", ";
            }
            appendNumber(out, sample.readings[i]);
        }
        out += ']';
        appendKey(out, "m");
        out += std::to_string(e.m);
        for (const auto& [key, value] : sampleFields(e, sample.dilution)) {
            appendKey(out, key);
            appendNumber(out, value);
        }
        appendKey(out, "flags");
        out += '[';
        const char* flagSeparator = "";
        for (const auto& [set, key] : flagKeys(e.flags)) {
            if (set) {
                out += flagSeparator;
                out += '"';
                out += key;
                out += '"';
                flagSeparator = ", ";
            }
        }
        out += "]}";
    }
    out += samples.empty() ? "]\n}\n" : "\n    ]\n}\n";
    return out;
}

} // namespace calc
