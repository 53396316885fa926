#pragma once

// The keys and values of the report, in their order, once for every form it is written in
// (tab-separated text, JSON, CSV).

#include "calc/statistics.h"

#include <array>
#include <optional>
#include <utility>

namespace calc {

using ReportField = std::pair<const char*, std::optional<double>>;

// The statistics after "n": a, b, s_a, s_b, ci95_a, ci95_b, r, r2, s_yx, lod, loq.
inline std::array<ReportField, 11> statisticFields(const LineStatistics& line) {
    return {{{"a", line.a},
             {"b", line.b},
             {"s_a", line.sA},
             {"s_b", line.sB},
             {"ci95_a", line.ci95A},
             {"ci95_b", line.ci95B},
             {"r", line.r},
             {"r2", line.r2},
             {"s_yx", line.sYX},
             {"lod", line.lod},
             {"loq", line.loq}}};
}

// One standard: C, A, A_fit, residual, deviation_pct, C_back, recovery_pct.
inline std::array<ReportField, 7> pointFields(const PointCheck& p) {
    return {{{"C", p.c},
             {"A", p.a},
             {"A_fit", p.aFit},
             {"residual", p.residual},
             {"deviation_pct", p.deviationPct},
             {"C_back", p.cBack},
             {"recovery_pct", p.recoveryPct}}};
}

// The figures of a sample after its readings and m: mean_A, dilution, x0, s_x0, ci95_x0.
inline std::array<ReportField, 5> sampleFields(const SampleEstimate& e, double dilution) {
    return {{{"mean_A", e.meanA},
             {"dilution", dilution},
             {"x0", e.x0},
             {"s_x0", e.sX0},
             {"ci95_x0", e.ci95X0}}};
}

// The flag keys in their order, each with whether it is set.
inline std::array<std::pair<bool, const char*>, 3> flagKeys(const SampleFlags& flags) {
    return {{{flags.outOfRange, "out_of_range"},
             {flags.belowLod, "below_lod"},
             {flags.belowLoq, "below_loq"}}};
}

} // namespace calc
