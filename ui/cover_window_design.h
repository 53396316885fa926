#pragma once

#include "ui/design.h"

#include <array>

// The cover window "Form2": client area 8910 x 7665 twips, placed with its client area's
// top-left corner at (2895, 1515) on the screen.
namespace ui::form2 {

inline constexpr int kClientWidth = 8910;
inline constexpr int kClientHeight = 7665;
inline constexpr int kClientLeft = 2895;
inline constexpr int kClientTop = 1515;

using K = Kind;

// For the four lines, left/top is one end and width/height the other end (x2, y2); together
// they draw a rectangle around the two buttons.
// clang-format off
inline constexpr std::array kControls = {
    ControlSpec{"Image1", -1, K::Picture, nullptr, ":/lumetra/cover.jpg", 480, 480, 7695, 4860, {}, kFormBack, -1},
    ControlSpec{"Label1", -1, K::Label, nullptr, QT_TRANSLATE_NOOP("Form2", "我的野蛮女友，漂亮不漂亮"), 2640, 4680, 3600, 300, {15, false}, kFormBack, 2},
    ControlSpec{"Line1", -1, K::Line, nullptr, "", 240, 5640, 8520, 5640, {}, kFormBack, -1},
    ControlSpec{"Line2", -1, K::Line, nullptr, "", 240, 7200, 8520, 7200, {}, kFormBack, -1},
    ControlSpec{"Line3", -1, K::Line, nullptr, "", 240, 5640, 240, 7200, {}, kFormBack, -1},
    ControlSpec{"Line4", -1, K::Line, nullptr, "", 8520, 5640, 8520, 7200, {}, kFormBack, -1},
    ControlSpec{"Command1", -1, K::Button, nullptr, QT_TRANSLATE_NOOP("Form2", "运行程序"), 1080, 6000, 3495, 855, {}, kFormBack, 0},
    ControlSpec{"Command2", -1, K::Button, nullptr, QT_TRANSLATE_NOOP("Form2", "退出程序"), 4560, 6000, 3135, 855, {}, kFormBack, 1},
};
// clang-format on

} // namespace ui::form2
