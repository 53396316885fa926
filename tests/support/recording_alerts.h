#pragma once

#include "worksheet/controls.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace test {

// Records message boxes and beeps, in order, instead of showing or sounding them. A message
// is dismissed at once, as if the user had clicked its OK button.
class RecordingAlerts final : public worksheet::Alerts {
public:
    void message(std::string_view text) override { events.push_back(std::string(text)); }
    void beep() override { events.emplace_back(kBeep); }

    static constexpr std::string_view kBeep = "<beep>";

    std::vector<std::string> take() { return std::exchange(events, {}); }

    std::vector<std::string> events;
};

} // namespace test
