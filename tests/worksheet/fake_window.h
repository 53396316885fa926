#pragma once

// The main window without Qt: small controls that implement worksheet/controls.h, built from the
// window's design table and wired to a worksheet, so that the worksheet's rules run as an engine
// without its GUI. They keep what the handlers rely on from the real widgets (ui/controls.h):
//   - a box cuts a text to its maximum length and raises its Change only when the text changes;
//   - a box takes the focus only while shown and enabled, and raises its GotFocus every time a
//     handler gives it the focus, and when the user clicks into it from elsewhere;
//   - a clicked button takes the focus, then runs its Click;
//   - a typed key goes to the focused control's KeyPress, and the box then edits by the code it
//     got back (Backspace removes the last character, Enter edits nothing, 0 nothing at all).
// What only real widgets show (key delivery, caret, painting, screen readers) is tested in
// tests/ui/.

#include "tests/support/recording_alerts.h"
#include "worksheet/controls.h"
#include "worksheet/worksheet.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace fake {

class Window;

using KeyPress = std::function<void(std::int16_t& keyAscii)>;

class TextBox final : public worksheet::TextBox {
public:
    TextBox(Window& window, std::string name, std::string text, std::size_t maxLength,
            bool enabled);

    std::string Text() const override { return text_; }
    void SetText(std::string_view text) override;
    std::size_t MaxLength() const override { return maxLength_; }
    void SetFocus() override;
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override;
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;

    bool canTakeFocus() const { return visible_ && enabled_; }
    // The box's own edit after its KeyPress let the code through.
    void edit(std::int16_t code, std::string_view typed);

    const std::string name;
    KeyPress keyPress;
    std::function<void()> gotFocus;
    std::function<void()> change;

private:
    Window& window_;
    std::string text_;
    std::size_t maxLength_;
    bool visible_ = true;
    bool enabled_;
};

class Label final : public worksheet::Label {
public:
    Label(std::string name, std::string caption)
        : name(std::move(name)), caption_(std::move(caption)) {}
    std::string Caption() const override { return caption_; }
    void SetCaption(std::string_view caption) override { caption_ = caption; }
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }

    const std::string name;

private:
    std::string caption_;
    bool visible_ = true;
};

class Button final : public worksheet::Button {
public:
    Button(std::string name, std::string caption)
        : name(std::move(name)), caption_(std::move(caption)) {}
    std::string Caption() const override { return caption_; }

    const std::string name;
    std::function<void()> click;
    KeyPress keyPress; // none: Enter presses the button

private:
    std::string caption_;
};

class ComboBox final : public worksheet::ComboBox {
public:
    std::string Text() const override { return text; }
    std::string text;
};

// The main window "Form1": its controls by design name, the focus, and a worksheet wired to them
// as ui::MainWindow wires the real one.
class Window {
public:
    explicit Window(worksheet::Alerts& alerts);

    // The load step of the first showing.
    void load();

    worksheet::Worksheet& sheet() { return *sheet_; }
    const worksheet::Worksheet& sheet() const { return *sheet_; }

    TextBox* box(std::string_view name) const;
    Label* label(std::string_view name) const;
    Button* button(std::string_view name) const;
    const worksheet::MainControls& controls() const { return controls_; }
    ComboBox& combo() { return combo_; }
    const ComboBox& combo() const { return combo_; }

    // The control holding the focus: "Text1(0)", "command4"; "" for none.
    const std::string& focus() const { return focus_; }
    bool shown() const { return shown_; }

    // The user: a click into a box or on a button, and keys typed into the focused control; a
    // character outside ASCII is typed with a negative code, as an input method delivers it.
    void click(TextBox* target);
    void click(Button* target);
    // The focus moved onto a button without pressing it, as by the Tab key.
    void tabTo(Button* target);
    void type(std::string_view text);
    void press(std::int16_t code);

    // A handler gave the box the focus; called by the box.
    void focusMovedTo(const TextBox& target);
    // The focused control was hidden or disabled.
    void focusLost(const std::string& name);

private:
    void build();
    void wire();
    void typeInto(std::int16_t code, std::string_view typed);

    std::map<std::string, std::unique_ptr<TextBox>, std::less<>> boxes_;
    std::map<std::string, std::unique_ptr<Label>, std::less<>> labels_;
    std::map<std::string, std::unique_ptr<Button>, std::less<>> buttons_;
    ComboBox combo_;
    worksheet::MainControls controls_;
    std::unique_ptr<worksheet::Worksheet> sheet_;
    std::string focus_;
    bool shown_ = false;
};

} // namespace fake
