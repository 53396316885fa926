#pragma once

// The report of report_text.h as one JSON object, with the same keys:
//   {
//       "n": 7, "a": 1.5178571428571428, "b": ..., "s_a": ..., "s_b": ..., "ci95_a": ...,
//       "ci95_b": ..., "r": ..., "r2": ..., "s_yx": ..., "lod": ..., "loq": ...,
//       "points": [{"C": 0, "A": 2.1, "A_fit": ..., "residual": ..., "deviation_pct": ...,
//                   "C_back": ..., "recovery_pct": null}, ...],
//       "samples": [{"name": "S1", "readings": [2.9], "m": 1, "mean_A": 2.9, "dilution": 1,
//                    "x0": ..., "s_x0": ..., "ci95_x0": ..., "flags": ["below_lod"]}, ...]
//   }
// One key a line, one point and one sample a line, in the order above. Numbers in full
// precision (fullPrecision: the shortest text that reads back as the same double, valid JSON),
// a zero as 0; a statistic that does not exist, or a value that is not finite, is null. A name
// is a JSON string with quotes, backslashes and control characters escaped; "samples" is always
// there, empty when there are none. Written directly rather than through a JSON tree, so that a
// report of 100 000 samples takes a fraction of a second.

#include "calc/report_text.h"
#include "calc/statistics.h"

#include <span>
#include <string>

namespace calc {

std::string reportJson(std::span<const double> x, std::span<const double> y,
                       const LineStatistics& line, std::span<const SampleRow> samples);

} // namespace calc
