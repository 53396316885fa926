#pragma once

#include <cstdint>
#include <span>

// The captions and accessible names that are words are marked for Qt's translation tools in the
// tables (the window's design name as the context: "Form1", "Form2") and translated when the
// window is built. The tables are also read without Qt (the worksheet's tests), hence Qt's own
// macro, defined alike.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// The vocabulary of the window design tables: positions and sizes in twips (15 to a pixel at
// 96 dots per inch), relative to the client area of the container.
namespace ui {

enum class Kind { Label, TextBox, Button, ComboBox, Frame, Picture, Line };

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// A font the design sets is always the Song face ("宋体"); points 0 means the window's
// default font.
struct FontSpec {
    double points = 0;
    bool bold = false;
};

inline constexpr Rgb kFormBack{255, 224, 192};
inline constexpr Rgb kEntryBack{255, 192, 192};
inline constexpr Rgb kResultBack{255, 255, 192};
inline constexpr Rgb kKeypadBack{255, 128, 128};
inline constexpr Rgb kBackspaceBack{192, 192, 192};
inline constexpr Rgb kActionBack{192, 192, 255};

struct ControlSpec {
    const char* name; // design name, without the index
    int index;        // element of a control array, or -1
    Kind kind;
    const char* container; // nullptr: the window
    const char* text;      // caption or initial text (UTF-8), the source text when marked
    int left, top, width, height;
    FontSpec font;
    Rgb back;
    int tabIndex;
    int maxLength = 0;        // text boxes: 0 = no limit
    bool enabled = true;      // text boxes
    bool displayOnly = false; // result boxes the program alone writes
    const char* accessibleName = nullptr;
    std::span<const char* const> items{}; // the entries of a list
};

constexpr int pixels(int twips) {
    return (twips + 7) / 15;
}

} // namespace ui
