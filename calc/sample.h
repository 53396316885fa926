#pragma once

// A sample's concentration from its absorbance and the stored line: C = (A - a) / b.

#include <optional>
#include <string_view>

namespace calc {

enum class Range { Inside, Outside, SampleNotNumber, BoundsNotNumber };

// Checks the sample absorbance text against the linear range: the upper bound is the last
// standard's absorbance text, the lower bound the first standard's. All three are read with
// strictParse, so "1.2.3" or "." is no number here although the fit would read it.
//   - A sample that is not a number is reported first, then bounds that are not numbers.
//   - Both bounds are inclusive: sample "0.8" with upper "0.800" is Inside.
//   - The bounds are not put in order: with lower > upper every sample is Outside.
Range rangeTest(std::string_view sample, std::string_view upper, std::string_view lower);

// (lenientParse(sample) - intercept) / slope, subtraction first, not rounded.
// nullopt when the result is not finite (slope 0, or a pasted "1e308" with slope 0.0001).
// Intercept 0.0123, slope 0.8765: "0.5" -> 0.556417569880205..., ".0123" -> 0.
std::optional<double> concentration(std::string_view sample, double intercept, double slope);

} // namespace calc
