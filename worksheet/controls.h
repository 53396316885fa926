#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// What the handlers may do with the controls of the main window. The window layer implements
// these over the real widgets; texts are UTF-8.
namespace worksheet {

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string Text() const = 0;
    // Cuts the text to the box's maximum length and raises the box's change handling.
    virtual void SetText(std::string_view text) = 0;
    virtual std::size_t MaxLength() const = 0;
    // Raises the box's focus handling before it returns, whether or not the window is active.
    virtual void SetFocus() = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

class Button {
public:
    virtual ~Button() = default;
    virtual std::string Caption() const = 0;
};

class ComboBox {
public:
    virtual ~ComboBox() = default;
    virtual std::string Text() const = 0;
};

// The modal message box and the warning beep. Tests put a recorder in its place.
class Alerts {
public:
    virtual ~Alerts() = default;
    // Returns when the user has dismissed the box.
    virtual void message(std::string_view text) = 0;
    virtual void beep() = 0;
};

constexpr int kRows = 10;
constexpr int kKeypadKeys = 11;

// The controls of the main window that the handlers read and write, by their design names. The
// window layer keeps the same set as its own widget types.
template <class TextBoxT, class LabelT, class ButtonT, class ComboBoxT> struct ControlSet {
    std::array<LabelT*, kRows> Label1{};
    std::array<TextBoxT*, kRows> Text1{};
    std::array<TextBoxT*, kRows> Text2{};
    std::array<ButtonT*, kKeypadKeys> Command1{};
    TextBoxT* Text3 = nullptr;
    TextBoxT* Text4 = nullptr;
    TextBoxT* Text5 = nullptr;
    TextBoxT* Text6 = nullptr;
    TextBoxT* Text7 = nullptr;
    TextBoxT* Text8 = nullptr;
    LabelT* Label6 = nullptr;
    LabelT* Label13 = nullptr;
    ComboBoxT* Combo1 = nullptr;
};

struct MainControls : ControlSet<TextBox, Label, Button, ComboBox> {
    // Makes the window visible (the load step shows the window before it sets the focus).
    std::function<void()> showWindow;
};

} // namespace worksheet
