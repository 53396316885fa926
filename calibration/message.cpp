#include "calibration/message.h"

namespace calibration {
namespace {

Translator installed = nullptr;

} // namespace

void setTranslator(Translator translator) {
    installed = translator;
}

std::string translate(const char* source) {
    return installed ? installed(source) : std::string(source);
}

std::string render(const Message& message) {
    return render(translate(message.text), message.args);
}

Message located(const Message& place, const Message& reason) {
    return Message(QT_TRANSLATE_NOOP("calibration", "%1：%2"), {render(place), render(reason)});
}

std::string render(std::string_view text, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < args.size()) {
                out += args[index];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace calibration
