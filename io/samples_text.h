#pragma once

// The top-level "samples" list of a calibration file, read straight from the JSON text into
// rows. A JSON tree of 100 000 rows costs most of the time of reading such a file; this reader
// costs a tenth of it. It reads only what the tree's reader would read alike, and declines the
// rest: the caller then reads the whole file through the tree, which also finds the errors.

#include "calibration/document.h"
#include "calibration/sample_columns.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace io {

// The text keys of a sample row in the file, in the order written: the typed cells
// (calibration::kSampleColumns), the first three required and the others may be absent (an empty
// text), with the main window's result text, the one key that is not a typed cell, after the
// required ones. "earlier_curve" (true or false, may be absent) is the row's only other key.
struct SampleKey {
    const char* key = nullptr;
    std::string calibration::Sample::*member = nullptr;
};
inline constexpr std::size_t kRequiredSampleKeys = 3;
inline constexpr SampleKey kMainResultKey{"main_result", &calibration::Sample::mainResult};

inline constexpr auto kSampleKeys = [] {
    using calibration::kSampleColumns;
    std::array<SampleKey, kSampleColumns.size() + 1> keys{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < kSampleColumns.size(); ++i) {
        if (i == kRequiredSampleKeys) {
            keys[at++] = kMainResultKey;
        }
        keys[at++] = {kSampleColumns[i].key, kSampleColumns[i].cell};
    }
    return keys;
}();
static_assert(calibration::kSampleColumns[kRequiredSampleKeys - 1].column ==
                  calibration::SampleColumn::Dilution,
              "a row requires its name, readings and dilution");

struct SamplesText {
    std::size_t begin = 0, end = 0; // the list's bytes, from its '[' to just after its ']'
    std::vector<calibration::Sample> samples;
};

// The list when the text is one object whose key "samples" appears once, unescaped, with a list
// of rows that each have the keys of a row exactly once (texts, "earlier_curve" true or false,
// no other key) in valid JSON and UTF-8, without escaped surrogates. nullopt otherwise. The rest
// of the object is only skipped, not checked: the caller reads it through the tree with "[]" in
// the list's place.
std::optional<SamplesText> readSamplesText(std::string_view json);

} // namespace io
