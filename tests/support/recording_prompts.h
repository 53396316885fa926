#pragma once

#include "ui/prompts.h"

#include <QString>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace test {

// Records message boxes, beeps, questions and file dialogs, in order, instead of showing them.
// A message is dismissed at once; a question takes the next queued answer (yes when none is
// queued), a file dialog the next queued path ("" when none: the user cancelled), the question
// about unsaved changes the next queued choice ("不保存" when none), a typed text the next queued
// one (cancelled when none).
class RecordingPrompts final : public ui::Prompts {
public:
    void message(std::string_view text) override { events.push_back(std::string(text)); }
    void beep() override { events.emplace_back(kBeep); }
    bool ask(const QString& question) override {
        events.push_back(std::string(kAsk) + question.toStdString());
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    SaveChoice askSave(const QString& question) override {
        events.push_back(std::string(kAskSave) + question.toStdString());
        if (saveChoices.empty()) {
            return SaveChoice::Discard;
        }
        const SaveChoice choice = saveChoices.front();
        saveChoices.pop_front();
        return choice;
    }
    std::optional<QString> askText(const QString& question, const QString&) override {
        events.push_back(std::string(kAskText) + question.toStdString());
        std::optional<QString> text;
        if (!texts.empty()) {
            text.swap(texts.front());
            texts.pop_front();
        }
        return text;
    }
    QString openFileName(const QString& caption, const QString&) override {
        return nextPath(caption);
    }
    QString saveFileName(const QString& caption, const QString&,
                         const QString& suggestedName) override {
        suggested.push_back(suggestedName);
        return nextPath(caption);
    }

    static constexpr std::string_view kBeep = "<beep>";
    static constexpr std::string_view kAsk = "<ask>";
    static constexpr std::string_view kFile = "<file>";
    static constexpr std::string_view kAskSave = "<ask-save>";
    static constexpr std::string_view kAskText = "<ask-text>";

    std::vector<std::string> take() { return std::exchange(events, {}); }

    std::vector<std::string> events;
    std::deque<bool> answers;
    std::deque<QString> paths;
    std::deque<SaveChoice> saveChoices;       // none queued: "不保存"
    std::deque<std::optional<QString>> texts; // none queued: cancelled
    std::vector<QString> suggested;           // the names the save dialogs proposed, in order

private:
    QString nextPath(const QString& caption) {
        events.push_back(std::string(kFile) + caption.toStdString());
        if (paths.empty()) {
            return {};
        }
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
};

} // namespace test
