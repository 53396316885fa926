#include "calibration/message.h"

namespace calibration {
namespace {

Translator installed = nullptr;

} // namespace

void setTranslator(Translator translator) {
    installed = translator;
}

std::string translate(const char* context, const char* source) {
    return installed ? installed(context, source) : std::string(source);
}

std::string translate(const char* source) {
    return translate("calibration", source);
}

namespace {

std::string renderArgument(const Argument& argument) {
    return argument.message ? render(*argument.message) : argument.text;
}

} // namespace

std::string render(const Message& message) {
    if (message.firstAloneWhenAlike && message.args.size() >= 2) {
        std::string first = renderArgument(message.args[0]);
        if (first == renderArgument(message.args[1])) {
            return first;
        }
    }
    return render(translate(message.context, message.text), message.args);
}

Message located(const Message& place, const Message& reason) {
    return Message(QT_TRANSLATE_NOOP("calibration", "%1：%2"), {place, reason});
}

std::string render(std::string_view text, const std::vector<Argument>& args) {
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < args.size()) {
                out += renderArgument(args[index]);
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace calibration
