// Every control of both windows against the window designs: name, kind, container, geometry,
// text, font, colour, maximum length, state after loading, and the tab order. The expected
// values are written here from the designs, in twips, independently of the window tables, on
// purpose: a window checked against the table it was built from could not show a mistyped
// coordinate or caption in the table itself.

#include "app/lumetra.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/recording_alerts.h"
#include "tests/support/recording_prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class Is { Label, Box, Button, Combo, Frame, Picture, Line };

struct Expected {
    std::string name;
    Is kind;
    std::string parent;           // objectName of the container
    int left, top, width, height; // twips
    std::string text;
    double points = 0; // 0: the window's default font
    bool bold = false;
    QColor back{};
    int maxLength = 0;
    bool enabled = true;
    bool visible = true;
};

const QColor kForm(255, 224, 192);
const QColor kPink(255, 192, 192);
const QColor kYellow(255, 255, 192);

int px(int twips) {
    return qRound(twips / 15.0);
}

std::vector<Expected> mainWindowControls() {
    std::vector<Expected> e = {
        {"Label7", Is::Label, "Form1", 360, 240, 735, 255, "序号", 12, true, kForm},
        {"Label2", Is::Label, "Form1", 360, 720, 600, 300, "C(x)", 12, true, kForm},
        {"Label3", Is::Label, "Form1", 360, 1560, 600, 300, "A(y)", 12, true, kForm},
        {"Frame1", Is::Frame, "Form1", 240, 2160, 4215, 1815, "请输入下列二个参数", 9, true, kForm},
        {"Label8", Is::Label, "Frame1", 480, 360, 2055, 255, "测点个数(2-10)---", 10.5, true,
         kForm},
        {"Text4", Is::Box, "Frame1", 2640, 360, 1095, 270, "", 9, true, kPink, 2},
        {"Label4", Is::Label, "Frame1", 480, 720, 2055, 255, "C(x)单位(选择)---", 10.5, true,
         kForm},
        {"Combo1", Is::Combo, "Frame1", 2640, 720, 1095, 300, "mg", 0, false, kPink},
        {"command9", Is::Button, "Frame1", 240, 1080, 3735, 585, "测点个数及浓度单位输入完毕", 10.5,
         true, kForm},
        {"Frame2", Is::Frame, "Form1", 240, 4200, 4215, 2655, "Lumetra结果：", 9, true, kForm},
        {"Label6", Is::Label, "Frame2", 720, 360, 3255, 495, "y=a+bx", 14.25, true, kForm},
        {"Label5", Is::Label, "Frame2", 600, 960, 1335, 375, "相关系数r--", 10.5, true, kForm},
        {"Text3", Is::Box, "Frame2", 2040, 960, 1095, 270, "0.000000", 0, false, kYellow, 8, false},
        {"Frame3", Is::Frame, "Frame2", 360, 1320, 3375, 1215, "线性范围", 0, false, kForm},
        {"Label9", Is::Label, "Frame3", 720, 480, 855, 255, "C(最高)", 0, false, kForm},
        {"Text5", Is::Box, "Frame3", 1680, 480, 855, 270, "000000", 0, false, kYellow, 0, false},
        {"Label10", Is::Label, "Frame3", 720, 840, 855, 255, "A(最高)", 0, false, kForm},
        {"Text6", Is::Box, "Frame3", 1680, 840, 855, 270, "0.000", 0, false, kYellow, 0, false},
        {"Frame4", Is::Frame, "Form1", 4560, 5160, 5295, 1695, "样品浓度计算", 10.5, false, kForm},
        {"Label11", Is::Label, "Frame4", 120, 480, 855, 255, "请输入A", 10.5, false, kForm},
        {"Text7", Is::Box, "Frame4", 1080, 480, 975, 270, "", 0, false, kPink, 5, false},
        {"Label12", Is::Label, "Frame4", 2160, 480, 1335, 255, "样品浓度C为:", 10.5, false, kForm},
        {"Text8", Is::Box, "Frame4", 3480, 480, 855, 270, "", 0, false, kYellow, 0, false},
        {"Label13", Is::Label, "Frame4", 4440, 480, 735, 255, "", 10.5, false, kForm},
        {"Command7", Is::Button, "Frame4", 120, 960, 2655, 615, "计算", 12, true, kForm},
        {"Command8", Is::Button, "Frame4", 2760, 960, 2415, 615, "清零", 12, true, kForm},
        {"Command3", Is::Button, "Form1", 7800, 4200, 800, 600, "退格", 10.5, true,
         QColor(192, 192, 192)},
        {"command4", Is::Button, "Form1", 8760, 2280, 1200, 600, "计算", 10.5, true,
         QColor(192, 192, 255)},
        {"command5", Is::Button, "Form1", 8760, 3240, 1200, 600, "清零", 10.5, true,
         QColor(192, 192, 255)},
        {"command6", Is::Button, "Form1", 8760, 4200, 1200, 600, "退出", 10.5, true,
         QColor(192, 192, 255)},
    };
    // The point table: ten columns 800 twips apart; the row labels sit irregularly.
    const int labelLeft[] = {1800, 2604, 3403, 4202, 5001, 5800, 6599, 7398, 8197, 9000};
    for (int i = 0; i < 10; ++i) {
        const bool narrow = i == 0 || i == 9;
        const std::string n = std::to_string(i);
        e.push_back({"Label1(" + n + ")", Is::Label, "Form1", labelLeft[i], 240, narrow ? 255 : 250,
                     narrow ? 195 : 200, std::to_string(i + 1), 10.5, true, kForm, 0, true, false});
        e.push_back({"Text1(" + n + ")", Is::Box, "Form1", 1560 + 800 * i, 720, 750, 350, "", 0,
                     false, kPink, 6, true, false});
        e.push_back({"Text2(" + n + ")", Is::Box, "Form1", 1560 + 800 * i, 1560, 750, 350, "", 0,
                     false, kPink, 5, true, false});
    }
    // The keypad: 1 2 3 4 / 5 6 7 8 / 9 0 . in rows 960 twips apart, columns 1080 apart.
    const char* captions[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "."};
    for (int k = 0; k < 11; ++k) {
        e.push_back({"Command1(" + std::to_string(k) + ")", Is::Button, "Form1",
                     4560 + 1080 * (k % 4), 2280 + 960 * (k / 4), 800, 600, captions[k], 10.5, true,
                     QColor(255, 128, 128)});
    }
    return e;
}

std::vector<Expected> coverControls() {
    return {
        {"Image1", Is::Picture, "Form2", 480, 480, 7695, 4860, ""},
        {"Label1", Is::Label, "Form2", 2640, 4680, 3600, 300, "我的野蛮女友，漂亮不漂亮", 15,
         false},
        {"Command1", Is::Button, "Form2", 1080, 6000, 3495, 855, "运行程序", 0, false, kForm},
        {"Command2", Is::Button, "Form2", 4560, 6000, 3135, 855, "退出程序", 0, false, kForm},
    };
}

bool isKind(QWidget* w, Is kind) {
    switch (kind) {
    case Is::Label:
    case Is::Picture:
        return qobject_cast<QLabel*>(w) != nullptr;
    case Is::Box:
        return qobject_cast<QLineEdit*>(w) != nullptr;
    case Is::Button:
        return qobject_cast<QPushButton*>(w) != nullptr;
    case Is::Combo:
        return qobject_cast<QComboBox*>(w) != nullptr;
    case Is::Frame:
        return qobject_cast<QGroupBox*>(w) != nullptr;
    case Is::Line:
        return true;
    }
    return false;
}

QString textOf(QWidget* w) {
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        return box->text();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        return button->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        return combo->currentText();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        return frame->title();
    }
    return {};
}

QColor backOf(QWidget* w) {
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) {
        return w->palette().color(QPalette::Base);
    }
    if (qobject_cast<QPushButton*>(w)) {
        return w->palette().color(QPalette::Button);
    }
    return w->palette().color(QPalette::Window);
}

bool isSongFace(const QFont& font) {
    const QStringList families = font.families();
    return !families.isEmpty() && families.front() == QStringLiteral("AR PL UMing CN") &&
           families.contains(QStringLiteral("Noto Serif CJK SC"));
}

void checkControls(const QWidget& window, const std::vector<Expected>& expected) {
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        auto* w = window.findChild<QWidget*>(QString::fromStdString(e.name));
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(isKind(w, e.kind));
        ASSERT_NE(w->parentWidget(), nullptr);
        EXPECT_EQ(w->parentWidget()->objectName().toStdString(), e.parent);
        EXPECT_EQ(w->geometry(), QRect(px(e.left), px(e.top), px(e.width), px(e.height)));
        if (e.kind != Is::Picture) {
            EXPECT_EQ(textOf(w).toStdString(), e.text);
        }
        if (e.points > 0) {
            EXPECT_TRUE(isSongFace(w->font()));
            EXPECT_DOUBLE_EQ(w->font().pointSizeF(), e.points);
            EXPECT_EQ(w->font().bold(), e.bold);
        } else if (e.kind != Is::Picture) {
            // The window's default font, not the font of the frame around the control.
            EXPECT_EQ(w->font().families(), QApplication::font().families());
            EXPECT_DOUBLE_EQ(w->font().pointSizeF(), QApplication::font().pointSizeF());
            EXPECT_FALSE(w->font().bold());
        }
        if (e.back.isValid()) {
            EXPECT_EQ(backOf(w), e.back);
        }
        if (auto* box = qobject_cast<QLineEdit*>(w)) {
            EXPECT_EQ(box->maxLength(), e.maxLength > 0 ? e.maxLength : 32767);
        }
        EXPECT_EQ(w->isEnabled(), e.enabled);
        EXPECT_EQ(!w->isHidden(), e.visible);
    }
}

class MainWindowInventory : public test::MainWindowTest {};

TEST_F(MainWindowInventory, EveryControlAsDesignedAfterLoading) {
    EXPECT_EQ(window->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Lumetra"));
    EXPECT_EQ(window->size(), QSize(674, 471));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed size";
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(window->palette().color(QPalette::Window), kForm);
    checkControls(*window, mainWindowControls());
}

TEST_F(MainWindowInventory, UnitListHoldsTheFiveUnitsInOrderAndTakesTypedText) {
    QComboBox* units = combo();
    ASSERT_NE(units, nullptr);
    QStringList items;
    for (int i = 0; i < units->count(); ++i) {
        items << units->itemText(i);
    }
    EXPECT_EQ(items, QStringList({"mg", "ug", "mg/L", "ug/L", "mL"}));
    EXPECT_TRUE(units->isEditable());
    click(units->lineEdit());
    units->lineEdit()->selectAll();
    type(QStringLiteral("mmol/L"));
    EXPECT_EQ(units->currentText(), QStringLiteral("mmol/L"));
}

TEST_F(MainWindowInventory, TabOrderFollowsTheDesignedIndexes) {
    const QStringList expected = {
        "Text4",       "Text1(0)",     "Text1(1)",    "Text1(2)",    "Text1(3)",    "Text1(4)",
        "Text1(5)",    "Text1(6)",     "Text1(7)",    "Text1(8)",    "Text1(9)",    "Text2(0)",
        "Text2(1)",    "Text2(2)",     "Text2(3)",    "Text2(4)",    "Text2(5)",    "Text2(6)",
        "Text2(7)",    "Text2(8)",     "Text2(9)",    "Command1(0)", "Command1(1)", "Command1(2)",
        "Command1(3)", "Command1(4)",  "Command1(5)", "Command1(6)", "Command1(7)", "Command1(8)",
        "Command1(9)", "Command3",     "command4",    "command5",    "command6",    "Combo1",
        "Text3",       "Text6",        "Text5",       "Text7",       "Command7",    "Command8",
        "command9",    "Command1(10)", "Text8"};
    QStringList chain;
    QWidget* w = box(QStringLiteral("Text4"));
    do {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName())) {
            chain << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != box(QStringLiteral("Text4")));
    EXPECT_EQ(chain, expected);
}

TEST_F(MainWindowInventory, TabFromTheCountBoxSkipsHiddenRowsAndTheDisabledSampleBox) {
    EXPECT_EQ(focusName(), QStringLiteral("Text4"));
    press(Qt::Key_Tab);
    EXPECT_EQ(focusName(), QStringLiteral("Command1(0)"));
    for (int i = 0; i < 14; ++i) {
        press(Qt::Key_Tab);
        ASSERT_NE(focusName(), QStringLiteral("Text7"));
    }
}

TEST_F(MainWindowInventory, ControlsAreNamedForScreenReaders) {
    const std::pair<const char*, const char*> names[] = {
        {"Text4", "测点个数"},   {"Text1(3)", "浓度 4"}, {"Text2(3)", "吸光度 4"},
        {"Text7", "样品吸光度"}, {"Text8", "样品浓度"},  {"Text3", "相关系数r"},
        {"Text5", "C(最高)"},    {"Text6", "A(最高)"},   {"Combo1", "浓度单位"},
        {"Command1(0)", "1"},    {"Command3", "退格"},   {"command9", "测点个数及浓度单位输入完毕"},
    };
    for (const auto& [control, name] : names) {
        SCOPED_TRACE(control);
        auto* w = window->findChild<QWidget*>(QString::fromUtf8(control));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->accessibleName(), QString::fromUtf8(name));
    }
    // The two calculate and the two clear buttons share captions; their names tell them apart.
    QStringList actions;
    for (const char* control : {"command4", "Command7", "command5", "Command8"}) {
        actions << window->findChild<QWidget*>(QString::fromUtf8(control))->accessibleName();
    }
    EXPECT_EQ(actions.removeDuplicates(), 0);
}

TEST_F(MainWindowInventory, LabelsAreTiedToTheBoxesTheyExplain) {
    const std::pair<const char*, const char*> pairs[] = {
        {"Label8", "Text4"},  {"Label4", "Combo1"}, {"Label5", "Text3"},  {"Label9", "Text5"},
        {"Label10", "Text6"}, {"Label11", "Text7"}, {"Label12", "Text8"},
    };
    for (const auto& [labelName, boxName] : pairs) {
        SCOPED_TRACE(labelName);
        EXPECT_EQ(label(QString::fromUtf8(labelName))->buddy(),
                  window->findChild<QWidget*>(QString::fromUtf8(boxName)));
    }
}

TEST_F(MainWindowInventory, NoButtonIsADefaultButton) {
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
        SCOPED_TRACE(b->objectName().toStdString());
        EXPECT_FALSE(b->isDefault());
        EXPECT_FALSE(b->autoDefault());
        EXPECT_TRUE(b->focusPolicy() & Qt::TabFocus);
    }
}

TEST(CoverInventory, EveryControlAsDesigned) {
    test::RecordingPrompts alerts;
    app::Lumetra lumetra(alerts);
    ui::CoverWindow& cover = lumetra.cover();
    EXPECT_EQ(cover.objectName(), QStringLiteral("Form2"));
    EXPECT_EQ(cover.windowTitle(), QStringLiteral("Lumetra"));
    EXPECT_EQ(cover.geometry(), QRect(193, 101, 594, 511));
    EXPECT_EQ(cover.palette().color(QPalette::Window), kForm);
    checkControls(cover, coverControls());

    // The picture is decoded when the cover is first painted.
    lumetra.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
    QCoreApplication::processEvents();
    auto* picture = cover.findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixmap().size(), QSize(513, 324)) << "shown at its own size";
    EXPECT_FALSE(picture->hasScaledContents());

    // Four thin lines frame the buttons: (240, 5640) to (8520, 7200).
    const QRect lines[] = {QRect(16, 376, 553, 1), QRect(16, 480, 553, 1), QRect(16, 376, 1, 105),
                           QRect(568, 376, 1, 105)};
    for (int i = 0; i < 4; ++i) {
        auto* line = cover.findChild<QWidget*>(QStringLiteral("Line%1").arg(i + 1));
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->geometry(), lines[i]);
    }
}

TEST(CoverInventory, RunHoldsTheFocusAndTabMovesBetweenTheTwoButtons) {
    test::RecordingPrompts alerts;
    app::Lumetra lumetra(alerts);
    lumetra.start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&lumetra.cover()));
    auto focused = [] { return QApplication::focusWidget()->objectName(); };
    EXPECT_EQ(focused(), QStringLiteral("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focused(), QStringLiteral("Command2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focused(), QStringLiteral("Command1"));
}

} // namespace

namespace {

// Everything the mouse can do, the keyboard can: Enter or the space bar press a focused button.
// The sample's calculate button keeps Enter for its own KeyPress handling.
class KeyboardOnly : public test::MainWindowTest {};

TEST_F(KeyboardOnly, EnterOrSpacePressesTheFocusedButton) {
    struct Case {
        const char* name;
        Qt::Key key;
    } const cases[] = {{"Enter", Qt::Key_Return}, {"space bar", Qt::Key_Space}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window = std::make_unique<ui::MainWindow>(alerts);
        window->display();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        // Tab from the count box to the keypad's "1", then press it: the 1 goes into the count.
        press(Qt::Key_Tab);
        ASSERT_EQ(focusName(), QStringLiteral("Command1(0)"));
        press(c.key);
        EXPECT_EQ(box(QStringLiteral("Text4"))->text(), QStringLiteral("1"));
        EXPECT_EQ(focusName(), QStringLiteral("Text4"));
        type(QStringLiteral("0"));
        button(QStringLiteral("command9"))->setFocus(Qt::TabFocusReason);
        press(c.key);
        EXPECT_FALSE(text1(9)->isHidden()) << "ten rows confirmed";
        EXPECT_EQ(focusName(), QStringLiteral("Text1(0)"));
        EXPECT_TRUE(takeAlerts().empty());
    }
}

TEST_F(KeyboardOnly, EnterOnTheSampleButtonIsItsKeyPressNotAClick) {
    confirmCount(2);
    fillTable({QStringLiteral("1"), QStringLiteral("2")},
              {QStringLiteral(".1"), QStringLiteral(".2")});
    click(button(QStringLiteral("command4")));
    clickAndType(box(QStringLiteral("Text7")), QStringLiteral(".9"));
    button(QStringLiteral("Command7"))->setFocus(Qt::TabFocusReason);
    takeAlerts();
    // Out of range: a click would say so; Enter on the button computes without the range test.
    press(Qt::Key_Return);
    EXPECT_TRUE(takeAlerts().empty());
    EXPECT_EQ(box(QStringLiteral("Text8"))->text(), QStringLiteral(" 9"));
}

} // namespace
