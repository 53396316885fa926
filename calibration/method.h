#pragma once

// A method validated once and run every day: its name, the settings it fixes, its units and the
// limits its validation found. Applied to a document it sets those and nothing else; a key the
// method's file leaves out leaves the document's setting as it is.

#include "calibration/document.h"
#include "calibration/results.h"

#include <optional>
#include <string>
#include <vector>

namespace calibration {

struct Method {
    std::string name; // "HJ 535-2009 氨氮"; required
    std::optional<std::string> analyte, unit, resultUnit;
    Settings settings;                    // the values of the keys below
    std::vector<std::string> settingKeys; // the keys of a .lumetra file's settings it gives
    MethodValidation validated;
    std::string sha256; // of the method file's bytes, as read or written

    friend bool operator==(const Method&, const Method&) = default;
};

// Every key of a .lumetra file's settings, in the file's order: model, weight, level, alpha, k,
// m, limit, blank_correction, rounding, digits, decimals, switch_at, below, min_r,
// duplicate_max_pct, spike_low_pct, spike_high_pct, check_max_pct, blank_absorbance_max, volume,
// volume_unit, result_unit, factor, calibration, internal_standard, is_recovery_low_pct,
// is_recovery_high_pct, uncertainty (a method made from a document gives the last only when the
// document chose one).
const std::vector<const char*>& settingKeys();

// The document with the method applied: the settings it gives, the curve's unit, the reporting
// unit (its result_unit over the settings' own), the analyte of the header, and the method's name,
// hash and validated limits. The history is left to the caller (methodAppliedEntry).
Document withMethod(const Document& document, const Method& method);

// The one history entry of an application: method_applied {name, sha256, changes}, changes the
// keys of what changed ("blank_correction,rounding,unit"; "analyte" for the header's).
HistoryEntry methodAppliedEntry(const Document& before, const Document& after);

// A method from a document: every setting, its units and analyte, and as validated limits the
// MDL and 4·MDL of the document's own validation when it has them (from its 检出限样 rows or
// blanks), dated `date`. The validation's sha256 is the caller's to set.
Method methodFromDocument(const Document& document, const Results& results, std::string name,
                          std::string date);

} // namespace calibration
