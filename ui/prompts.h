#pragma once

#include "worksheet/controls.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <optional>
#include <string_view>

namespace ui {

// Everything that waits for the user beyond the designed message box and beep: a yes/no
// question and the choice of a file. Tests put a recorder in its place, so that no modal
// dialog ever blocks them.
class Prompts : public worksheet::Alerts {
public:
    // Returns true when the user answers yes.
    virtual bool ask(const QString& question) = 0;
    // Unsaved changes before the program ends: "保存", "不保存" or "取消".
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice askSave(const QString& question) = 0;
    // A line of text the user types (a reason); nullopt when the user cancels.
    virtual std::optional<QString> askText(const QString& question, const QString& initial) = 0;
    // The chosen path, "" when the user cancels.
    virtual QString openFileName(const QString& caption, const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& filter,
                                 const QString& suggestedName) = 0;

    // The designed message box with a text built in Qt.
    void tell(const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        message(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    }
};

} // namespace ui
