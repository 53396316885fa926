#pragma once

#include "ui/design.h"

#include <array>
#include <utility>

// The main window "Form1" as designed: client area 10110 x 7065 twips. Containers come before
// the controls they hold.
namespace ui::form1 {

inline constexpr int kClientWidth = 10110;
inline constexpr int kClientHeight = 7065;

inline constexpr FontSpec kDefault{};
inline constexpr FontSpec kSong9Bold{9, true};
inline constexpr FontSpec kSong10Bold{10.5, true};
inline constexpr FontSpec kSong10{10.5, false};
inline constexpr FontSpec kSong12Bold{12, true};
inline constexpr FontSpec kSong14Bold{14.25, true};

using K = Kind;

// The entries of the unit list, in order; a unit that is not among them can be typed.
inline constexpr std::array<const char*, 5> kUnits = {"mg", "ug", "mg/L", "ug/L", "mL"};

// clang-format off
inline constexpr std::array kControls = {
    // The point table: ten points side by side, number above, C box, then A box.
    ControlSpec{"Label7", -1, K::Label, nullptr, QT_TRANSLATE_NOOP("Form1", "序号"), 360, 240, 735, 255, kSong12Bold, kFormBack, 52},
    ControlSpec{"Label2", -1, K::Label, nullptr, "C(x)", 360, 720, 600, 300, kSong12Bold, kFormBack, 31},
    ControlSpec{"Label3", -1, K::Label, nullptr, "A(y)", 360, 1560, 600, 300, kSong12Bold, kFormBack, 32},
    ControlSpec{"Label1", 0, K::Label, nullptr, "1", 1800, 240, 255, 195, kSong10Bold, kFormBack, 21},
    ControlSpec{"Label1", 1, K::Label, nullptr, "2", 2604, 240, 250, 200, kSong10Bold, kFormBack, 22},
    ControlSpec{"Label1", 2, K::Label, nullptr, "3", 3403, 240, 250, 200, kSong10Bold, kFormBack, 23},
    ControlSpec{"Label1", 3, K::Label, nullptr, "4", 4202, 240, 250, 200, kSong10Bold, kFormBack, 24},
    ControlSpec{"Label1", 4, K::Label, nullptr, "5", 5001, 240, 250, 200, kSong10Bold, kFormBack, 25},
    ControlSpec{"Label1", 5, K::Label, nullptr, "6", 5800, 240, 250, 200, kSong10Bold, kFormBack, 26},
    ControlSpec{"Label1", 6, K::Label, nullptr, "7", 6599, 240, 250, 200, kSong10Bold, kFormBack, 27},
    ControlSpec{"Label1", 7, K::Label, nullptr, "8", 7398, 240, 250, 200, kSong10Bold, kFormBack, 28},
    ControlSpec{"Label1", 8, K::Label, nullptr, "9", 8197, 240, 250, 200, kSong10Bold, kFormBack, 29},
    ControlSpec{"Label1", 9, K::Label, nullptr, "10", 9000, 240, 255, 195, kSong10Bold, kFormBack, 30},
    ControlSpec{"Text1", 0, K::TextBox, nullptr, "", 1560, 720, 750, 350, kDefault, kEntryBack, 1, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 1")},
    ControlSpec{"Text1", 1, K::TextBox, nullptr, "", 2360, 720, 750, 350, kDefault, kEntryBack, 2, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 2")},
    ControlSpec{"Text1", 2, K::TextBox, nullptr, "", 3160, 720, 750, 350, kDefault, kEntryBack, 3, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 3")},
    ControlSpec{"Text1", 3, K::TextBox, nullptr, "", 3960, 720, 750, 350, kDefault, kEntryBack, 4, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 4")},
    ControlSpec{"Text1", 4, K::TextBox, nullptr, "", 4760, 720, 750, 350, kDefault, kEntryBack, 5, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 5")},
    ControlSpec{"Text1", 5, K::TextBox, nullptr, "", 5560, 720, 750, 350, kDefault, kEntryBack, 6, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 6")},
    ControlSpec{"Text1", 6, K::TextBox, nullptr, "", 6360, 720, 750, 350, kDefault, kEntryBack, 7, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 7")},
    ControlSpec{"Text1", 7, K::TextBox, nullptr, "", 7160, 720, 750, 350, kDefault, kEntryBack, 8, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 8")},
    ControlSpec{"Text1", 8, K::TextBox, nullptr, "", 7960, 720, 750, 350, kDefault, kEntryBack, 9, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 9")},
    ControlSpec{"Text1", 9, K::TextBox, nullptr, "", 8760, 720, 750, 350, kDefault, kEntryBack, 10, 6, true, false, QT_TRANSLATE_NOOP("Form1", "浓度 10")},
    ControlSpec{"Text2", 0, K::TextBox, nullptr, "", 1560, 1560, 750, 350, kDefault, kEntryBack, 11, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 1")},
    ControlSpec{"Text2", 1, K::TextBox, nullptr, "", 2360, 1560, 750, 350, kDefault, kEntryBack, 12, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 2")},
    ControlSpec{"Text2", 2, K::TextBox, nullptr, "", 3160, 1560, 750, 350, kDefault, kEntryBack, 13, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 3")},
    ControlSpec{"Text2", 3, K::TextBox, nullptr, "", 3960, 1560, 750, 350, kDefault, kEntryBack, 14, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 4")},
    ControlSpec{"Text2", 4, K::TextBox, nullptr, "", 4760, 1560, 750, 350, kDefault, kEntryBack, 15, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 5")},
    ControlSpec{"Text2", 5, K::TextBox, nullptr, "", 5560, 1560, 750, 350, kDefault, kEntryBack, 16, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 6")},
    ControlSpec{"Text2", 6, K::TextBox, nullptr, "", 6360, 1560, 750, 350, kDefault, kEntryBack, 17, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 7")},
    ControlSpec{"Text2", 7, K::TextBox, nullptr, "", 7160, 1560, 750, 350, kDefault, kEntryBack, 18, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 8")},
    ControlSpec{"Text2", 8, K::TextBox, nullptr, "", 7960, 1560, 750, 350, kDefault, kEntryBack, 19, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 9")},
    ControlSpec{"Text2", 9, K::TextBox, nullptr, "", 8760, 1560, 750, 350, kDefault, kEntryBack, 20, 5, true, false, QT_TRANSLATE_NOOP("Form1", "吸光度 10")},

    // Point count and unit.
    ControlSpec{"Frame1", -1, K::Frame, nullptr, QT_TRANSLATE_NOOP("Form1", "请输入下列二个参数"), 240, 2160, 4215, 1815, kSong9Bold, kFormBack, 47},
    ControlSpec{"Label8", -1, K::Label, "Frame1", QT_TRANSLATE_NOOP("Form1", "测点个数(2-10)---"), 480, 360, 2055, 255, kSong10Bold, kFormBack, 55},
    ControlSpec{"Text4", -1, K::TextBox, "Frame1", "", 2640, 360, 1095, 270, kSong9Bold, kEntryBack, 0, 2, true, false, QT_TRANSLATE_NOOP("Form1", "测点个数")},
    ControlSpec{"Label4", -1, K::Label, "Frame1", QT_TRANSLATE_NOOP("Form1", "C(x)单位(选择)---"), 480, 720, 2055, 255, kSong10Bold, kFormBack, 49},
    ControlSpec{"Combo1", -1, K::ComboBox, "Frame1", "mg", 2640, 720, 1095, 300, kDefault, kEntryBack, 48, 0, true, false, QT_TRANSLATE_NOOP("Form1", "浓度单位"), kUnits},
    ControlSpec{"command9", -1, K::Button, "Frame1", QT_TRANSLATE_NOOP("Form1", "测点个数及浓度单位输入完毕"), 240, 1080, 3735, 585, kSong10Bold, kFormBack, 67},

    // Fit results.
    ControlSpec{"Frame2", -1, K::Frame, nullptr, QT_TRANSLATE_NOOP("Form1", "Lumetra结果："), 240, 4200, 4215, 2655, kSong9Bold, kFormBack, 50},
    ControlSpec{"Label6", -1, K::Label, "Frame2", "y=a+bx", 720, 360, 3255, 495, kSong14Bold, kFormBack, 51},
    ControlSpec{"Label5", -1, K::Label, "Frame2", QT_TRANSLATE_NOOP("Form1", "相关系数r--"), 600, 960, 1335, 375, kSong10Bold, kFormBack, 54},
    ControlSpec{"Text3", -1, K::TextBox, "Frame2", "0.000000", 2040, 960, 1095, 270, kDefault, kResultBack, 53, 8, false, true, QT_TRANSLATE_NOOP("Form1", "相关系数r")},
    ControlSpec{"Frame3", -1, K::Frame, "Frame2", QT_TRANSLATE_NOOP("Form1", "线性范围"), 360, 1320, 3375, 1215, kDefault, kFormBack, 56},
    ControlSpec{"Label9", -1, K::Label, "Frame3", QT_TRANSLATE_NOOP("Form1", "C(最高)"), 720, 480, 855, 255, kDefault, kFormBack, 60},
    ControlSpec{"Text5", -1, K::TextBox, "Frame3", "000000", 1680, 480, 855, 270, kDefault, kResultBack, 58, 0, false, true, QT_TRANSLATE_NOOP("Form1", "C(最高)")},
    ControlSpec{"Label10", -1, K::Label, "Frame3", QT_TRANSLATE_NOOP("Form1", "A(最高)"), 720, 840, 855, 255, kDefault, kFormBack, 59},
    ControlSpec{"Text6", -1, K::TextBox, "Frame3", "0.000", 1680, 840, 855, 270, kDefault, kResultBack, 57, 0, false, true, QT_TRANSLATE_NOOP("Form1", "A(最高)")},

    // Sample concentration.
    ControlSpec{"Frame4", -1, K::Frame, nullptr, QT_TRANSLATE_NOOP("Form1", "样品浓度计算"), 4560, 5160, 5295, 1695, kSong10, kFormBack, 61},
    ControlSpec{"Label11", -1, K::Label, "Frame4", QT_TRANSLATE_NOOP("Form1", "请输入A"), 120, 480, 855, 255, kSong10, kFormBack, 62},
    ControlSpec{"Text7", -1, K::TextBox, "Frame4", "", 1080, 480, 975, 270, kDefault, kEntryBack, 63, 5, false, false, QT_TRANSLATE_NOOP("Form1", "样品吸光度")},
    ControlSpec{"Label12", -1, K::Label, "Frame4", QT_TRANSLATE_NOOP("Form1", "样品浓度C为:"), 2160, 480, 1335, 255, kSong10, kFormBack, 65},
    ControlSpec{"Text8", -1, K::TextBox, "Frame4", "", 3480, 480, 855, 270, kDefault, kResultBack, 69, 0, false, true, QT_TRANSLATE_NOOP("Form1", "样品浓度")},
    ControlSpec{"Label13", -1, K::Label, "Frame4", "", 4440, 480, 735, 255, kSong10, kFormBack, 70},
    ControlSpec{"Command7", -1, K::Button, "Frame4", QT_TRANSLATE_NOOP("Form1", "计算"), 120, 960, 2655, 615, kSong12Bold, kFormBack, 64, 0, true, false, QT_TRANSLATE_NOOP("Form1", "计算样品浓度")},
    ControlSpec{"Command8", -1, K::Button, "Frame4", QT_TRANSLATE_NOOP("Form1", "清零"), 2760, 960, 2415, 615, kSong12Bold, kFormBack, 66, 0, true, false, QT_TRANSLATE_NOOP("Form1", "清零样品")},

    // Keypad: the caption is the character the key enters.
    ControlSpec{"Command1", 0, K::Button, nullptr, "1", 4560, 2280, 800, 600, kSong10Bold, kKeypadBack, 33},
    ControlSpec{"Command1", 1, K::Button, nullptr, "2", 5640, 2280, 800, 600, kSong10Bold, kKeypadBack, 34},
    ControlSpec{"Command1", 2, K::Button, nullptr, "3", 6720, 2280, 800, 600, kSong10Bold, kKeypadBack, 35},
    ControlSpec{"Command1", 3, K::Button, nullptr, "4", 7800, 2280, 800, 600, kSong10Bold, kKeypadBack, 36},
    ControlSpec{"Command1", 4, K::Button, nullptr, "5", 4560, 3240, 800, 600, kSong10Bold, kKeypadBack, 37},
    ControlSpec{"Command1", 5, K::Button, nullptr, "6", 5640, 3240, 800, 600, kSong10Bold, kKeypadBack, 38},
    ControlSpec{"Command1", 6, K::Button, nullptr, "7", 6720, 3240, 800, 600, kSong10Bold, kKeypadBack, 39},
    ControlSpec{"Command1", 7, K::Button, nullptr, "8", 7800, 3240, 800, 600, kSong10Bold, kKeypadBack, 40},
    ControlSpec{"Command1", 8, K::Button, nullptr, "9", 4560, 4200, 800, 600, kSong10Bold, kKeypadBack, 41},
    ControlSpec{"Command1", 9, K::Button, nullptr, "0", 5640, 4200, 800, 600, kSong10Bold, kKeypadBack, 42},
    ControlSpec{"Command1", 10, K::Button, nullptr, ".", 6720, 4200, 800, 600, kSong10Bold, kKeypadBack, 68, 0, true, false, QT_TRANSLATE_NOOP("Form1", "小数点")},
    ControlSpec{"Command3", -1, K::Button, nullptr, QT_TRANSLATE_NOOP("Form1", "退格"), 7800, 4200, 800, 600, kSong10Bold, kBackspaceBack, 43},

    // Actions.
    ControlSpec{"command4", -1, K::Button, nullptr, QT_TRANSLATE_NOOP("Form1", "计算"), 8760, 2280, 1200, 600, kSong10Bold, kActionBack, 44, 0, true, false, QT_TRANSLATE_NOOP("Form1", "计算标准曲线")},
    ControlSpec{"command5", -1, K::Button, nullptr, QT_TRANSLATE_NOOP("Form1", "清零"), 8760, 3240, 1200, 600, kSong10Bold, kActionBack, 45, 0, true, false, QT_TRANSLATE_NOOP("Form1", "清零数据表")},
    ControlSpec{"command6", -1, K::Button, nullptr, QT_TRANSLATE_NOOP("Form1", "退出"), 8760, 4200, 1200, 600, kSong10Bold, kActionBack, 46, 0, true, false, QT_TRANSLATE_NOOP("Form1", "返回封面")},
};
// clang-format on

// The labels that explain a box: "测点个数(2-10)---" for the count, and so on.
inline constexpr std::pair<const char*, const char*> kLabelledBoxes[] = {
    {"Label8", "Text4"},  {"Label4", "Combo1"}, {"Label5", "Text3"},  {"Label9", "Text5"},
    {"Label10", "Text6"}, {"Label11", "Text7"}, {"Label12", "Text8"},
};

} // namespace ui::form1
