#pragma once

#include "worksheet/controls.h"

namespace ui {

// The real message box (modal, text only, one OK button, no icon, titled "Lumetra") and the
// platform's warning beep.
class MessageBoxAlerts final : public worksheet::Alerts {
public:
    void message(std::string_view text) override;
    void beep() override;
};

} // namespace ui
