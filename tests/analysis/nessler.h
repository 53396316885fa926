#pragma once

// Ammonia nitrogen by Nessler's reagent as a laboratory runs it: a validation of 14 standards
// (μg in 50 mL) with seven low-level spiked replicates for the method detection limit, and a
// day's batch of 23 rows (blanks, samples, duplicates, spikes, a check standard and a reference
// material) on a curve of eight standards, reported in mg/L.

#include "calibration/document.h"

#include <string>
#include <vector>

namespace nessler {

struct Row {
    const char* name;
    const char* readings;
    const char* type = "";
    const char* of = "";
    const char* added = "";
    const char* nominal = "";
    const char* certified = "";
    const char* u = "";
};

inline calibration::Sample sample(const Row& row) {
    calibration::Sample s;
    s.name = row.name;
    s.readings = row.readings;
    s.type = row.type;
    s.of = row.of;
    s.added = row.added;
    s.nominal = row.nominal;
    s.certified = row.certified;
    s.u = row.u;
    return s;
}

inline std::vector<calibration::Standard>
standards(const std::vector<std::pair<const char*, const char*>>& pairs) {
    std::vector<calibration::Standard> out;
    for (const auto& [c, a] : pairs) {
        out.push_back({c, a, false, {}});
    }
    return out;
}

// The validation: its curve, the seven replicates spiked at 1 μg, HJ 535's way of reporting.
inline calibration::Document validation() {
    calibration::Document d;
    d.unit = "μg";
    d.standards = standards({{"0", "0.011"},
                             {"0", "0.012"},
                             {"2", "0.033"},
                             {"4", "0.053"},
                             {"6", "0.073"},
                             {"10", "0.113"},
                             {"14", "0.154"},
                             {"20", "0.215"},
                             {"30", "0.319"},
                             {"40", "0.420"},
                             {"50", "0.522"},
                             {"60", "0.623"},
                             {"70", "0.726"},
                             {"80", "0.829"}});
    for (const char* reading :
         {"0.0230", "0.0227", "0.0230", "0.0232", "0.0210", "0.0222", "0.0221"}) {
        d.samples.push_back(sample({"MDL", reading, "mdl"}));
    }
    for (std::size_t i = 0; i < d.samples.size(); ++i) {
        d.samples[i].name = "MDL-" + std::to_string(i + 1);
    }
    calibration::Settings& s = d.settings;
    s.blankCorrection = true;
    s.limit = calibration::ReportedLimit::Mdl;
    s.rounding = calibration::Rounding::Switch;
    s.digits = 3;
    s.switchDecimals = 2;
    s.switchAt = 1;
    s.below = calibration::BelowLimit::LetterL;
    s.volume = "50";
    s.volumeUnit = "mL";
    s.resultUnit = "mg/L";
    s.blankAbsorbanceMax = 0.030;
    s.spikeLowPct = 85;
    s.spikeHighPct = 115;
    d.header.analyte = "氨氮";
    d.header.method = "HJ 535-2009 氨氮";
    d.header.analysisDate = "2026-12-01";
    return d;
}

// The day's batch as typed, with the default settings: a method brings the rest.
inline const std::vector<Row>& batchRows() {
    static const std::vector<Row> rows = {
        {"空白 1", "0.0125 0.0131", "blank"},
        {"空白 2", "0.0120 0.0128", "blank"},
        {"W1", "0.0530 0.0536"},
        {"W1 平行", "0.0541 0.0537", "duplicate", "W1"},
        {"W1 加标", "0.1538 0.1546", "spike", "W1", "10"},
        {"W2", "0.2150 0.2158"},
        {"W3", "0.6240 0.6228"},
        {"W3 平行", "0.6262 0.6250", "duplicate", "W3"},
        {"W4", "0.0142 0.0139"},
        {"W5", "0.3210 0.3226"},
        {"W6", "0.5190 0.5204"},
        {"W6 加标", "0.7240 0.7252", "spike", "W6", "20"},
        {"W7", "0.1010 0.1022"},
        {"W8", "0.4180 0.4194"},
        {"W8 平行", "0.5300 0.5310", "duplicate", "W8"},
        {"W9", "0.0870 0.0876"},
        {"W10", "0.2660 0.2668"},
        {"W10 加标", "0.3650 0.3662", "spike", "W10"},
        {"核查 40", "0.4190 0.4204", "check", "", "", "40"},
        {"CRM 0.500", "0.2660 0.2652", "reference", "", "", "", "0.500", "0.025"},
        {"W11", "0.0335 0.0341"},
        {"W12", "0.0228 0.0231"},
        {"W13", "0.1740 0.1752"},
    };
    return rows;
}

inline calibration::Document batch() {
    calibration::Document d;
    d.unit = "μg";
    d.standards = standards({{"0", "0.013"},
                             {"0", "0.011"},
                             {"2", "0.034"},
                             {"10", "0.115"},
                             {"20", "0.217"},
                             {"40", "0.419"},
                             {"60", "0.624"},
                             {"80", "0.828"}});
    for (const Row& row : batchRows()) {
        d.samples.push_back(sample(row));
    }
    d.header.project = "QL-2026-118";
    d.header.analysisDate = "2026-12-07";
    return d;
}

} // namespace nessler
