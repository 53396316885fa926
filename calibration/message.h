#pragma once

// A message of the Qt-free layers: a source text with %1, %2, ... and its arguments. The source
// texts are marked where they are defined, in the context the message names ("calibration"
// unless said), so that Qt's translation tools find them, and rendered through the translator
// that the program installs at its start (Qt's); without one they stay as written.

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Marks a source text for the translation tools without translating it here (Qt's own macro,
// defined alike when Qt is not included): QT_TRANSLATE_NOOP("calibration", "浓度为空").
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace calibration {

struct Message;

// What fills a %n: a text shown as it is (a number, a quoted value, a name), or a message of its
// own, translated with the one that holds it ("应为%1，不是%2" with the words "数字" and "文字").
struct Argument {
    std::string text;
    std::shared_ptr<const Message> message;

    Argument(std::string shown) : text(std::move(shown)) {}
    Argument(const char* shown) : text(shown) {}
    Argument(Message inner);

    friend bool operator==(const Argument& left, const Argument& right);
};

struct Message {
    const char* context = "calibration"; // the translation context of the source text
    const char* text = "";               // a marked source text, UTF-8
    std::vector<Argument> args;
    // Shown as its first argument alone when the first two read alike once translated: a
    // phrase and, in brackets, the system's own words for it, which are the same text in a
    // language whose phrase is the system's.
    bool firstAloneWhenAlike = false;

    Message() = default;
    Message(const char* source, std::initializer_list<Argument> arguments = {})
        : text(source), args(arguments) {}

    // A source text marked in another context: Message::in("io", "第%1行", {"3"}).
    static Message in(const char* context, const char* source,
                      std::initializer_list<Argument> arguments = {}) {
        Message message(source, arguments);
        message.context = context;
        return message;
    }

    friend bool operator==(const Message& left, const Message& right) {
        return std::string_view(left.context) == right.context &&
               std::string_view(left.text) == right.text && left.args == right.args &&
               left.firstAloneWhenAlike == right.firstAloneWhenAlike;
    }
};

inline Argument::Argument(Message inner)
    : message(std::make_shared<const Message>(std::move(inner))) {}

inline bool operator==(const Argument& left, const Argument& right) {
    if (left.message || right.message) {
        return left.message && right.message && *left.message == *right.message;
    }
    return left.text == right.text;
}

// Translates a marked source text of a context; set once at the start, before any message is
// rendered.
using Translator = std::string (*)(const char* context, const char* source);
void setTranslator(Translator translator);
std::string translate(const char* context, const char* source);
// In the context "calibration".
std::string translate(const char* source);

// The translated source text with %1 .. %9 replaced by the arguments (each once, in one pass, so
// that an argument holding "%2" stays as it is).
std::string render(std::string_view text, const std::vector<Argument>& args);
std::string render(const Message& message);

// "%1：%2": a place and what is wrong there, "第3个标准点：浓度 \"x\" 不是数字".
Message located(const Message& place, const Message& reason);

} // namespace calibration
