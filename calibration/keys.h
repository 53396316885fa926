#pragma once

// The keys of the settings' choices as files, reports and the command line write them, in the
// order of their enums.

#include <array>

namespace calibration {

inline constexpr std::array<const char*, 3> kModelKeys{"line", "origin", "quadratic"};
inline constexpr std::array<const char*, 6> kWeightKeys{"none", "1/x",  "1/x2",
                                                        "1/y",  "1/y2", "1/s2"};
inline constexpr std::array<const char*, 3> kLimitKeys{"lod", "xd", "mdl"};
inline constexpr std::array<const char*, 3> kBelowKeys{"nd", "lt", "L"};
inline constexpr std::array<const char*, 3> kRoundingKeys{"significant", "decimals", "switch"};
inline constexpr std::array<const char*, 2> kCalibrationKeys{"external", "addition"};
// Where the reported limit comes from (LimitSource); "" for none.
inline constexpr std::array<const char*, 5> kSourceKeys{"", "curve", "batch", "method", "blanks"};

} // namespace calibration
