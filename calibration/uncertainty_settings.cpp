#include "calibration/uncertainty_settings.h"

#include "calc/number_format.h"

namespace calibration {

std::string uncertaintySettingsText(const UncertaintySettings& settings) {
    std::string out = kUncertaintyWayKeys[std::size_t(settings.way)];
    for (const UncertaintyComponentField& field : kUncertaintyComponents) {
        const std::optional<RelativeComponent>& component = settings.*field.member;
        const bool spikes =
            field.member == &UncertaintySettings::recovery && settings.recoveryFromSpikes;
        if (!component && !spikes) {
            continue;
        }
        out += ' ';
        out += field.key;
        out += '=';
        if (spikes) {
            out += "spikes";
            continue;
        }
        calc::appendNumber(out, component->value, calc::NumberStyle::shortestRoundTrip());
        if (component->tolerance) {
            out += '/';
            out += kDistributionKeys[std::size_t(*component->tolerance)];
        }
    }
    if (settings.coverage != calc::Coverage::Two) {
        out += " coverage=t";
    }
    return out;
}

} // namespace calibration
