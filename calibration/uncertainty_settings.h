#pragma once

// How a document gives the measurement uncertainty of its results: the way (none, bottom-up from
// the calibration and the typed components, top-down from the quality-control charts and filed
// reference-material results), the typed relative components and the coverage. None by default,
// so that a document that never chose has the results, files and reports it always had.

#include "calc/uncertainty.h"

#include <array>
#include <optional>
#include <string>

namespace calibration {

enum class UncertaintyWay { None, BottomUp, TopDown };

// A typed component: a relative standard uncertainty (0.01 is 1 %), or a relative tolerance
// +-value with its distribution.
struct RelativeComponent {
    double value = 0;
    std::optional<calc::Distribution> tolerance;

    calc::TypedComponent typed() const { return calc::TypedComponent{value, tolerance}; }
    friend bool operator==(const RelativeComponent&, const RelativeComponent&) = default;
};

struct UncertaintySettings {
    UncertaintyWay way = UncertaintyWay::None;
    // Bottom-up: each given component applies to every result of the batch.
    std::optional<RelativeComponent> volume, dilution, standard, recovery;
    bool recoveryFromSpikes = false; // the recovery term from the batch's spikes instead
    calc::Coverage coverage = calc::Coverage::Two;

    friend bool operator==(const UncertaintySettings&, const UncertaintySettings&) = default;
};

// The keys as files, reports and the command line write them, in the order of the enums.
inline constexpr std::array<const char*, 3> kUncertaintyWayKeys{"none", "bottom-up", "top-down"};
inline constexpr std::array<const char*, 3> kDistributionKeys{"rectangular", "triangular",
                                                              "normal95"};
inline constexpr std::array<const char*, 2> kCoverageKeys{"2", "t"};

// The typed components by their keys, in the budget's order.
struct UncertaintyComponentField {
    const char* key;
    std::optional<RelativeComponent> UncertaintySettings::*member;
};
inline constexpr std::array<UncertaintyComponentField, 4> kUncertaintyComponents{{
    {"volume", &UncertaintySettings::volume},
    {"dilution", &UncertaintySettings::dilution},
    {"standard", &UncertaintySettings::standard},
    {"recovery", &UncertaintySettings::recovery},
}};

// The settings in one line of keys, as the history records a change:
// "bottom-up volume=0.01 dilution=0.02/rectangular recovery=spikes coverage=t"; "none".
std::string uncertaintySettingsText(const UncertaintySettings& settings);

} // namespace calibration
