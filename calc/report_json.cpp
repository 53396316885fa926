#include "calc/report_json.h"

#include "calc/full_precision.h"

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
    const std::pair<const char*, std::optional<double>> statistics[] = {
        {"a", line.a},          {"b", line.b},          {"s_a", line.sA},  {"s_b", line.sB},
        {"ci95_a", line.ci95A}, {"ci95_b", line.ci95B}, {"r", line.r},     {"r2", line.r2},
        {"s_yx", line.sYX},     {"lod", line.lod},      {"loq", line.loq},
    };
    for (const auto& [key, value] : statistics) {
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
        appendKey(out, "C", true);
        appendNumber(out, p.c);
        appendKey(out, "A");
        appendNumber(out, p.a);
        appendKey(out, "A_fit");
        appendNumber(out, p.aFit);
        appendKey(out, "residual");
        appendNumber(out, p.residual);
        appendKey(out, "deviation_pct");
        appendNumber(out, p.deviationPct);
        appendKey(out, "C_back");
        appendNumber(out, p.cBack);
        appendKey(out, "recovery_pct");
        appendNumber(out, p.recoveryPct);
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
        appendKey(out, "mean_A");
        appendNumber(out, e.meanA);
        appendKey(out, "dilution");
        appendNumber(out, sample.dilution);
        appendKey(out, "x0");
        appendNumber(out, e.x0);
        appendKey(out, "s_x0");
        appendNumber(out, e.sX0);
        appendKey(out, "ci95_x0");
        appendNumber(out, e.ci95X0);
        appendKey(out, "flags");
        out += '[';
        const char* flagSeparator = "";
        for (const auto& [set, key] : {std::pair{e.flags.outOfRange, "\"out_of_range\""},
                                       std::pair{e.flags.belowLod, "\"below_lod\""},
                                       std::pair{e.flags.belowLoq, "\"below_loq\""}}) {
            if (set) {
                out += flagSeparator;
                out += key;
                flagSeparator = ", ";
            }
        }
        out += "]}";
    }
    out += samples.empty() ? "]\n}\n" : "\n    ]\n}\n";
    return out;
}

} // namespace calc
