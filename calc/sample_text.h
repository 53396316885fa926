#pragma once

// The texts of a sample of the sample list: its readings (one to ten absorbances separated by
// blanks) and its dilution factor (a number above zero, 1 when empty). Whatever is typed, pasted
// or read from a file goes through these, so that the window and the command line agree.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace calc {

inline constexpr std::size_t kMaxReadings = 10;

enum class SampleTextProblem {
    NoReading,           // "" or only blanks
    TooManyReadings,     // more than kMaxReadings
    ReadingNotNumber,    // a reading that is not one whole finite number
    DilutionNotNumber,   // "x", "1,5"
    DilutionNotPositive, // "0", "-2"
};

struct SampleTextError {
    SampleTextProblem problem;
    std::string text; // the offending reading or dilution text
};

// "0.512 0.498\t0.505" -> {0.512, 0.498, 0.505}; blanks are spaces and tabs. Each reading must
// be one whole finite number by the strict parse: "0.5.1" or "nan" is refused.
std::variant<std::vector<double>, SampleTextError> parseReadings(std::string_view text);

// "" (or blanks) -> 1; "2.5" -> 2.5; "0" and "-1" are refused.
std::variant<double, SampleTextError> parseDilution(std::string_view text);

} // namespace calc
