#pragma once

// A message of the Qt-free layers: a source text with %1, %2, ... and its arguments. The source
// texts are marked where they are defined, so that Qt's translation tools find them, and rendered
// through the translator that the program installs at its start (Qt's, in the context
// "calibration"); without one they stay as written.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Marks a source text for the translation tools without translating it here (Qt's own macro,
// defined alike when Qt is not included): QT_TRANSLATE_NOOP("calibration", "浓度为空").
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace calibration {

struct Message {
    const char* text = ""; // a marked source text, UTF-8
    std::vector<std::string> args;

    Message() = default;
    Message(const char* source, std::initializer_list<std::string> arguments = {})
        : text(source), args(arguments) {}

    friend bool operator==(const Message& left, const Message& right) {
        return std::string_view(left.text) == right.text && left.args == right.args;
    }
};

// Translates a marked source text; set once at the start, before any message is rendered.
using Translator = std::string (*)(const char* source);
void setTranslator(Translator translator);
std::string translate(const char* source);

// The translated source text with %1 .. %9 replaced by the arguments (each once, in one pass, so
// that an argument holding "%2" stays as it is).
std::string render(std::string_view text, const std::vector<std::string>& args);
std::string render(const Message& message);

// "%1：%2": a place and what is wrong there, "第3个标准点：浓度 \"x\" 不是数字".
Message located(const Message& place, const Message& reason);

} // namespace calibration
