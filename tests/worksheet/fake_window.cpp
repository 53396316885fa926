#include "tests/worksheet/fake_window.h"

#include "calc/utf8.h"
#include "ui/main_window_design.h"
#include "worksheet/keys.h"

namespace fake {

namespace {

// A box without a designed length takes as much as a QLineEdit does.
constexpr std::size_t kUnlimited = 32767;

// "Text1(3)" for element 3 of a control array, "Text4" for index -1, as the real window names them.
std::string elementName(const char* name, int index = -1) {
    std::string element = name;
    if (index >= 0) {
        element += '(';
        element += std::to_string(index);
        element += ')';
    }
    return element;
}

// The code a typed character arrives with: ASCII as itself, anything else negative.
std::int16_t characterCode(std::string_view character) {
    const auto first = static_cast<unsigned char>(character.front());
    if (first < 0x80) {
        return static_cast<std::int16_t>(first);
    }
    char32_t value = first & (first >= 0xF0 ? 0x07U : first >= 0xE0 ? 0x0FU : 0x1FU);
    for (const char byte : character.substr(1)) {
        value = (value << 6) | (static_cast<unsigned char>(byte) & 0x3FU);
    }
    return static_cast<std::int16_t>(-1 - static_cast<std::int32_t>(value & 0x7FFF));
}

} // namespace

TextBox::TextBox(Window& window, std::string name, std::string text, std::size_t maxLength,
                 bool enabled)
    : name(std::move(name)), window_(window), text_(std::move(text)), maxLength_(maxLength),
      enabled_(enabled) {}

void TextBox::SetText(std::string_view text) {
    const std::string_view kept = calc::utf8::firstCharacters(text, maxLength_);
    if (kept == text_) {
        return;
    }
    text_ = kept;
    if (change) {
        change();
    }
}

void TextBox::SetFocus() {
    if (canTakeFocus()) {
        window_.focusMovedTo(*this);
    }
}

void TextBox::SetVisible(bool visible) {
    visible_ = visible;
    if (!visible) {
        window_.focusLost(name);
    }
}

void TextBox::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled) {
        window_.focusLost(name);
    }
}

void TextBox::edit(std::int16_t code, std::string_view typed) {
    if (code == 0 || code == worksheet::keys::Enter) {
        return;
    }
    if (code == worksheet::keys::Backspace) {
        SetText(calc::utf8::withoutLastCharacter(text_));
        return;
    }
    if (calc::utf8::characterCount(text_) < maxLength_) {
        SetText(text_ + std::string(typed));
    }
}

Window::Window(worksheet::Alerts& alerts) {
    build();
    sheet_ = std::make_unique<worksheet::Worksheet>(controls_, alerts);
    wire();
}

void Window::build() {
    for (const ui::ControlSpec& item : ui::form1::kControls) {
        const std::string name = elementName(item.name, item.index);
        switch (item.kind) {
        case ui::Kind::TextBox:
            boxes_.emplace(name, std::make_unique<TextBox>(
                                     *this, name, item.text,
                                     item.maxLength > 0 ? static_cast<std::size_t>(item.maxLength)
                                                        : kUnlimited,
                                     item.enabled));
            break;
        case ui::Kind::Label:
            labels_.emplace(name, std::make_unique<Label>(name, item.text));
            break;
        case ui::Kind::Button:
            buttons_.emplace(name, std::make_unique<Button>(name, item.text));
            break;
        case ui::Kind::ComboBox:
            combo_.text = item.text;
            break;
        case ui::Kind::Frame:
        case ui::Kind::Picture:
        case ui::Kind::Line:
            break;
        }
    }
    for (int i = 0; i < worksheet::kRows; ++i) {
        controls_.Label1[i] = label(elementName("Label1", i));
        controls_.Text1[i] = box(elementName("Text1", i));
        controls_.Text2[i] = box(elementName("Text2", i));
    }
    for (int k = 0; k < worksheet::kKeypadKeys; ++k) {
        controls_.Command1[k] = button(elementName("Command1", k));
    }
    controls_.Text3 = box("Text3");
    controls_.Text4 = box("Text4");
    controls_.Text5 = box("Text5");
    controls_.Text6 = box("Text6");
    controls_.Text7 = box("Text7");
    controls_.Text8 = box("Text8");
    controls_.Label6 = label("Label6");
    controls_.Label13 = label("Label13");
    controls_.Combo1 = &combo_;
    controls_.showWindow = [this] { shown_ = true; };
}

void Window::wire() {
    using worksheet::Worksheet;
    Worksheet& ws = *sheet_;
    for (std::int16_t i = 0; i < worksheet::kRows; ++i) {
        TextBox* text1 = box(elementName("Text1", i));
        TextBox* text2 = box(elementName("Text2", i));
        text1->gotFocus = [&ws, i] { ws.Text1_GotFocus(i); };
        text2->gotFocus = [&ws, i] { ws.Text2_GotFocus(i); };
        text1->keyPress = [&ws, i](std::int16_t& key) { ws.Text1_KeyPress(i, key); };
        text2->keyPress = [&ws, i](std::int16_t& key) { ws.Text2_KeyPress(i, key); };
    }
    for (std::int16_t k = 0; k < worksheet::kKeypadKeys; ++k) {
        button(elementName("Command1", k))->click = [&ws, k] { ws.Command1_Click(k); };
    }
    TextBox* text4 = box("Text4");
    text4->gotFocus = [&ws] { ws.Text4_GotFocus(); };
    text4->keyPress = [&ws](std::int16_t& key) { ws.Text4_KeyPress(key); };
    text4->change = [&ws] { ws.Text4_Change(); };
    TextBox* text7 = box("Text7");
    text7->gotFocus = [&ws] { ws.Text7_GotFocus(); };
    text7->keyPress = [&ws](std::int16_t& key) { ws.Text7_KeyPress(key); };

    const std::pair<const char*, void (Worksheet::*)()> clicks[] = {
        {"Command3", &Worksheet::Command3_Click}, {"command9", &Worksheet::command9_Click},
        {"command5", &Worksheet::command5_Click}, {"Command8", &Worksheet::Command8_Click},
        {"command4", &Worksheet::command4_Click}, {"Command7", &Worksheet::Command7_Click},
    };
    for (const auto& [name, handler] : clicks) {
        button(name)->click = [&ws, handler] { (ws.*handler)(); };
    }
    button("Command7")->keyPress = [&ws](std::int16_t& key) { ws.Command7_KeyPress(key); };
}

void Window::load() {
    sheet_->Form_Load();
}

TextBox* Window::box(std::string_view name) const {
    const auto found = boxes_.find(name);
    return found == boxes_.end() ? nullptr : found->second.get();
}

Label* Window::label(std::string_view name) const {
    const auto found = labels_.find(name);
    return found == labels_.end() ? nullptr : found->second.get();
}

Button* Window::button(std::string_view name) const {
    const auto found = buttons_.find(name);
    return found == buttons_.end() ? nullptr : found->second.get();
}

void Window::click(TextBox* target) {
    if (target == nullptr || !target->canTakeFocus() || focus_ == target->name) {
        return; // a click into the focused box moves no focus
    }
    focusMovedTo(*target);
}

void Window::click(Button* target) {
    if (target == nullptr) {
        return;
    }
    focus_ = target->name;
    if (target->click) {
        target->click();
    }
}

void Window::tabTo(Button* target) {
    if (target != nullptr) {
        focus_ = target->name;
    }
}

void Window::type(std::string_view text) {
    while (!text.empty()) {
        std::size_t length = 1;
        while (length < text.size() && !calc::utf8::startsCharacter(text[length])) {
            ++length;
        }
        const std::string_view character = text.substr(0, length);
        typeInto(characterCode(character), character);
        text.remove_prefix(length);
    }
}

void Window::press(std::int16_t code) {
    typeInto(code, code > 0 ? std::string(1, static_cast<char>(code)) : std::string());
}

void Window::typeInto(std::int16_t code, std::string_view typed) {
    if (TextBox* target = box(focus_)) {
        std::int16_t key = code;
        if (target->keyPress) {
            target->keyPress(key);
        }
        target->edit(key,
                     key == code ? std::string(typed) : std::string(1, static_cast<char>(key)));
        return;
    }
    if (Button* target = button(focus_)) {
        std::int16_t key = code;
        if (target->keyPress) {
            target->keyPress(key);
        } else if (key == worksheet::keys::Enter && target->click) {
            target->click();
        }
    }
}

void Window::focusMovedTo(const TextBox& target) {
    focus_ = target.name;
    if (target.gotFocus) {
        target.gotFocus();
    }
}

void Window::focusLost(const std::string& name) {
    if (focus_ == name) {
        focus_.clear();
    }
}

} // namespace fake
