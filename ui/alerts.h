#pragma once

#include "ui/prompts.h"

namespace ui {

// The real message box (modal, text only, one OK button, no icon, titled "Lumetra"), the
// platform's warning beep, and the question and file dialogs of the windows beyond the design.
class MessageBoxAlerts final : public Prompts {
public:
    void message(std::string_view text) override;
    void beep() override;
    bool ask(const QString& question) override;
    SaveChoice askSave(const QString& question) override;
    std::optional<QString> askText(const QString& question, const QString& initial) override;
    QString openFileName(const QString& caption, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& filter,
                         const QString& suggestedName) override;
};

} // namespace ui
