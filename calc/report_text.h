#pragma once

// The calibration and its samples as tab-separated text: pasted into a spreadsheet it gives one
// value per cell; a script splits it by lines and tabs.

#include "calc/statistics.h"

#include <span>
#include <string>
#include <vector>

namespace calc {

struct SampleRow {
    std::string name; // free text, UTF-8
    std::vector<double> readings;
    double dilution = 1.0;
};

// Three blocks, separated by an empty line; every line ends with "\n", the last one too.
//   1. The statistics, one per line, key TAB value, in this order:
//        n, a, b, s_a, s_b, ci95_a, ci95_b, r, r2, s_yx, lod, loq
//      (ci95_ is the half-width of the 95 % interval). With n = 2 the statistics that need n - 2
//      degrees of freedom (s_a, s_b, ci95_a, ci95_b, s_yx, lod, loq) are empty cells: "s_a\t".
//   2. The header C A A_fit residual deviation_pct C_back recovery_pct and one line per standard
//      (pointChecks of x and y).
//   3. Only when there are samples: the header
//        name readings m mean_A dilution x0 s_x0 ci95_x0 flags
//      and one line per sample (estimateSample; s_x0 and ci95_x0 empty with n = 2). The readings
//      are separated by one blank (each one written, even one that is not finite, so that their
//      count stays m); the flags are out_of_range, below_lod, below_loq joined by "," in that
//      order, an empty cell when there is none.
//      In a name every control character (tab, line feed, carriage return and the rest below
//      U+0020, DEL and the C1 controls U+0080..U+009F) and every bidirectional control (U+061C,
//      U+200E, U+200F, U+202A..U+202E, U+2066..U+2069) becomes one blank, so that a name never
//      splits a cell or a line, sends a terminal an escape sequence or reorders the line; nothing
//      else of the name changes.
// Numbers are written by fullPrecision, a zero as "0" (never "-0"); a value that does not exist or
// is not finite is an empty cell.
std::string reportText(std::span<const double> x, std::span<const double> y,
                       const LineStatistics& line, std::span<const SampleRow> samples);

} // namespace calc
