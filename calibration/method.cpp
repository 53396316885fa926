#include "calibration/method.h"

#include "calibration/history.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace calibration {
namespace {

// Each key of the settings and how its value goes from a method to a document.
struct SettingCopy {
    const char* key;
    void (*copy)(const Settings& from, Settings& to);
};

constexpr std::array kCopies{
    SettingCopy{"model", [](const Settings& f, Settings& t) { t.model = f.model; }},
    SettingCopy{"weight", [](const Settings& f, Settings& t) { t.weighting = f.weighting; }},
    SettingCopy{"level", [](const Settings& f, Settings& t) { t.level = f.level; }},
    SettingCopy{"alpha", [](const Settings& f, Settings& t) { t.alpha = f.alpha; }},
    SettingCopy{"k", [](const Settings& f, Settings& t) { t.k = f.k; }},
    SettingCopy{"m", [](const Settings& f, Settings& t) { t.m = f.m; }},
    SettingCopy{"limit", [](const Settings& f, Settings& t) { t.limit = f.limit; }},
    SettingCopy{"blank_correction",
                [](const Settings& f, Settings& t) { t.blankCorrection = f.blankCorrection; }},
    SettingCopy{"rounding", [](const Settings& f, Settings& t) { t.rounding = f.rounding; }},
    SettingCopy{"digits", [](const Settings& f, Settings& t) { t.digits = f.digits; }},
    SettingCopy{"decimals",
                [](const Settings& f, Settings& t) { t.switchDecimals = f.switchDecimals; }},
    SettingCopy{"switch_at", [](const Settings& f, Settings& t) { t.switchAt = f.switchAt; }},
    SettingCopy{"below", [](const Settings& f, Settings& t) { t.below = f.below; }},
    SettingCopy{"min_r", [](const Settings& f, Settings& t) { t.minimumR = f.minimumR; }},
    SettingCopy{"duplicate_max_pct",
                [](const Settings& f, Settings& t) { t.duplicateMaxPct = f.duplicateMaxPct; }},
    SettingCopy{"spike_low_pct",
                [](const Settings& f, Settings& t) { t.spikeLowPct = f.spikeLowPct; }},
    SettingCopy{"spike_high_pct",
                [](const Settings& f, Settings& t) { t.spikeHighPct = f.spikeHighPct; }},
    SettingCopy{"check_max_pct",
                [](const Settings& f, Settings& t) { t.checkMaxPct = f.checkMaxPct; }},
    SettingCopy{
        "blank_absorbance_max",
        [](const Settings& f, Settings& t) { t.blankAbsorbanceMax = f.blankAbsorbanceMax; }},
    SettingCopy{"volume", [](const Settings& f, Settings& t) { t.volume = f.volume; }},
    SettingCopy{"volume_unit", [](const Settings& f, Settings& t) { t.volumeUnit = f.volumeUnit; }},
    SettingCopy{"result_unit", [](const Settings& f, Settings& t) { t.resultUnit = f.resultUnit; }},
    SettingCopy{"factor", [](const Settings& f, Settings& t) { t.factor = f.factor; }},
    // The calibration type and the internal standard are the method's; the volume form's V0 and
    // C_std belong to each sample's preparation and stay the document's.
    SettingCopy{"calibration",
                [](const Settings& f, Settings& t) { t.calibration = f.calibration; }},
    SettingCopy{"internal_standard",
                [](const Settings& f, Settings& t) { t.internalStandard = f.internalStandard; }},
    SettingCopy{"is_recovery_low_pct",
                [](const Settings& f, Settings& t) { t.isRecoveryLowPct = f.isRecoveryLowPct; }},
    SettingCopy{"is_recovery_high_pct",
                [](const Settings& f, Settings& t) { t.isRecoveryHighPct = f.isRecoveryHighPct; }},
    SettingCopy{"uncertainty",
                [](const Settings& f, Settings& t) { t.uncertainty = f.uncertainty; }},
};

} // namespace

const std::vector<const char*>& settingKeys() {
    static const std::vector<const char*> keys = [] {
        std::vector<const char*> all;
        for (const SettingCopy& copy : kCopies) {
            all.push_back(copy.key);
        }
        return all;
    }();
    return keys;
}

Document withMethod(const Document& document, const Method& method) {
    Document applied = document;
    for (const std::string& key : method.settingKeys) {
        const auto found =
            std::find_if(kCopies.begin(), kCopies.end(),
                         [&key](const SettingCopy& copy) { return key == copy.key; });
        if (found != kCopies.end()) {
            found->copy(method.settings, applied.settings);
        }
    }
    if (method.unit) {
        applied.unit = *method.unit;
    }
    if (method.resultUnit) {
        applied.settings.resultUnit = *method.resultUnit;
    }
    if (method.analyte) {
        applied.header.analyte = *method.analyte;
    }
    applied.method = MethodIdentity{method.name, method.sha256, method.validated};
    return applied;
}

HistoryEntry methodAppliedEntry(const Document& before, const Document& after) {
    std::string changes;
    const auto add = [&changes](const std::string& key) {
        changes += (changes.empty() ? "" : ",") + key;
    };
    for (const Change& change : settingChanges(before.settings, after.settings)) {
        add(change.key);
    }
    if (before.unit != after.unit) {
        add("unit");
    }
    if (before.header.analyte != after.header.analyte) {
        add("analyte");
    }
    if (before.method.validated != after.method.validated) {
        add("validated");
    }
    return historyEntry(
        "method_applied",
        {{"name", after.method.name}, {"sha256", after.method.sha256}, {"changes", changes}});
}

Method methodFromDocument(const Document& document, const Results& results, std::string name,
                          std::string date) {
    Method method;
    method.name = std::move(name);
    if (!document.header.analyte.empty()) {
        method.analyte = document.header.analyte;
    }
    method.unit = document.unit;
    method.resultUnit = document.settings.resultUnit;
    method.settings = document.settings;
    for (const char* key : settingKeys()) {
        // The uncertainty only when the document gives one: a method made without stays as
        // methods always were.
        if (std::string_view(key) != "uncertainty" ||
            !(document.settings.uncertainty == UncertaintySettings{})) {
            method.settingKeys.emplace_back(key);
        }
    }
    if (const auto& mdl = results.batch.mdl) {
        method.validated.mdl = mdl->mdl;
        method.validated.loqMdl = mdl->loq;
        method.validated.date = std::move(date);
    }
    return method;
}

} // namespace calibration
