// The designed windows and the worksheet's messages through Qt's translation. The same tests run
// twice: in Chinese (the designed texts, unchanged) and, in a test binary of their own started
// with LUMETRA_TEST_LANGUAGE=en, in English, where every text shows its translation from the .ts
// file. The keypad's digits are never translated: the keypad enters its caption.

#include "app/language.h"
#include "app/lumetra.h"
#include "tests/support/qt_printers.h"
#include "tests/support/recording_prompts.h"
#include "ui/alerts.h"
#include "ui/controls.h"
#include "worksheet/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

bool english() {
    return app::currentLanguage() == u"en";
}

// The width a control leaves its caption: a label's contents, a button's face inside its frame, a
// frame's top edge with the title's indent at either end.
int captionWidth(QWidget* control) {
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()
            ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
            .width();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.textAlignment = frame->alignment();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, frame);
        return frame->width() - 2 * title.left();
    }
    auto* label = qobject_cast<QLabel*>(control);
    return label->contentsRect().width() - 2 * label->margin();
}

bool isCaptioned(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return !label->text().isEmpty();
    }
    return qobject_cast<const QAbstractButton*>(control) != nullptr ||
           qobject_cast<const QGroupBox*>(control) != nullptr;
}

QString captionOf(const QWidget* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
        return frame->title();
    }
    return u"<not a captioned control>"_qs;
}

// The English binary is started in English: without the environment it would check Chinese twice.
TEST(TranslationRun, RunsInTheLanguageItIsBuiltFor) {
#ifdef LUMETRA_TEST_LANGUAGE
    EXPECT_EQ(app::currentLanguage(), QStringLiteral(LUMETRA_TEST_LANGUAGE));
#else
    EXPECT_EQ(app::currentLanguage(), u"zh"_qs);
#endif
}

class Translation : public ::testing::Test {
protected:
    void SetUp() override {
        lumetra.start();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&lumetra.cover()));
    }

    test::RecordingPrompts alerts;
    app::Lumetra lumetra{alerts};
};

// Every caption of the two designed windows: its text in the language in use, and its width
// within the control's, measured in the control's own font (an English caption too long for its
// designed size is shortened, never cut off; the Chinese captions are the design's, and fit).
TEST_F(Translation, EveryCaptionShowsItsTranslationAndFitsItsControl) {
    lumetra.run();
    ASSERT_TRUE(QTest::qWaitForWindowActive(lumetra.mainWindow()));
    struct Case {
        const char* name;
        QWidget* window;
        QString control;
        QString chinese, english;
    };
    QWidget* cover = &lumetra.cover();
    QWidget* main = lumetra.mainWindow();
    std::vector<Case> cases = {
        {"the cover's caption", cover, u"Label1"_qs, u"我的野蛮女友，漂亮不漂亮"_qs,
         u"My Sassy Girl: pretty?"_qs},
        {"the cover's run button", cover, u"Command1"_qs, u"运行程序"_qs, u"Run"_qs},
        {"the cover's exit button", cover, u"Command2"_qs, u"退出程序"_qs, u"Exit"_qs},
        {"the table's number head", main, u"Label7"_qs, u"序号"_qs, u"No."_qs},
        {"the C row's head", main, u"Label2"_qs, u"C(x)"_qs, u"C(x)"_qs},
        {"the A row's head", main, u"Label3"_qs, u"A(y)"_qs, u"A(y)"_qs},
        {"the count frame", main, u"Frame1"_qs, u"请输入下列二个参数"_qs,
         u"Enter these two parameters"_qs},
        {"the count's label", main, u"Label8"_qs, u"测点个数(2-10)---"_qs, u"Points (2-10)---"_qs},
        {"the unit's label", main, u"Label4"_qs, u"C(x)单位(选择)---"_qs,
         u"C(x) unit (pick)---"_qs},
        {"the count's confirmation", main, u"command9"_qs, u"测点个数及浓度单位输入完毕"_qs,
         u"Points and unit entered"_qs},
        {"the results frame", main, u"Frame2"_qs, u"Lumetra结果："_qs, u"Lumetra results:"_qs},
        {"the equation before a fit", main, u"Label6"_qs, u"y=a+bx"_qs, u"y=a+bx"_qs},
        {"r's label, shortened", main, u"Label5"_qs, u"相关系数r--"_qs, u"Corr. r--"_qs},
        {"the range frame", main, u"Frame3"_qs, u"线性范围"_qs, u"Linear range"_qs},
        {"the highest C", main, u"Label9"_qs, u"C(最高)"_qs, u"C(max)"_qs},
        {"the highest A", main, u"Label10"_qs, u"A(最高)"_qs, u"A(max)"_qs},
        {"the sample frame", main, u"Frame4"_qs, u"样品浓度计算"_qs, u"Sample concentration"_qs},
        {"the sample's A", main, u"Label11"_qs, u"请输入A"_qs, u"Enter A"_qs},
        {"the sample's C, shortened", main, u"Label12"_qs, u"样品浓度C为:"_qs, u"Sample C:"_qs},
        {"the sample's button", main, u"Command7"_qs, u"计算"_qs, u"Calculate"_qs},
        {"the sample's clearing", main, u"Command8"_qs, u"清零"_qs, u"Clear"_qs},
        {"backspace, shortened", main, u"Command3"_qs, u"退格"_qs, u"Bksp"_qs},
        {"the fit, the same source text as the sample's", main, u"command4"_qs, u"计算"_qs,
         u"Calculate"_qs},
        {"the table's clearing", main, u"command5"_qs, u"清零"_qs, u"Clear"_qs},
        {"back to the cover", main, u"command6"_qs, u"退出"_qs, u"Exit"_qs},
        {"the keypad's point", main, u"Command1(10)"_qs, u"."_qs, u"."_qs},
    };
    // The numbers over the table and the keypad's digits are never translated.
    for (int i = 0; i < 10; ++i) {
        const QString number = QString::number(i + 1);
        cases.push_back({"a number in the table's head", main, QStringLiteral("Label1(%1)").arg(i),
                         number, number});
        const QString digit = QString::number((i + 1) % 10);
        cases.push_back(
            {"a keypad digit", main, QStringLiteral("Command1(%1)").arg(i), digit, digit});
    }
    QStringList listed;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* control = c.window->findChild<QWidget*>(c.control);
        ASSERT_NE(control, nullptr) << c.control.toStdString();
        listed << c.window->objectName() + u'/' + c.control;
        const QString caption = captionOf(control);
        EXPECT_EQ(caption, english() ? c.english : c.chinese);
        EXPECT_LE(QFontMetrics(control->font()).horizontalAdvance(caption), captionWidth(control))
            << caption.toStdString();
    }
    // The table holds every control with a caption.
    QStringList captioned;
    for (QWidget* window : {cover, main}) {
        // The window's own controls: Qt's parts of a control carry no name, and the analysis
        // window, a child of the main window, is a window of its own.
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->window() == window && !control->objectName().isEmpty() &&
                isCaptioned(control)) {
                captioned << window->objectName() + u'/' + control->objectName();
            }
        }
    }
    listed.sort();
    captioned.sort();
    EXPECT_EQ(listed, captioned);
    // A button the design gives no name of its own is announced by its caption as shown.
    EXPECT_EQ(cover->findChild<QWidget*>(u"Command1"_qs)->accessibleName(),
              english() ? u"Run"_qs : u"运行程序"_qs);
    EXPECT_EQ(main->findChild<QWidget*>(u"command4"_qs)->accessibleName(),
              english() ? u"Calculate calibration curve"_qs : u"计算标准曲线"_qs);
}

// The keypad enters the character its caption shows, in either language.
TEST_F(Translation, TheKeypadEntersItsDigits) {
    lumetra.run();
    ui::MainWindow* main = lumetra.mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QTest::keyClicks(QApplication::focusWidget(), u"2"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::mouseClick(main->findChild<QWidget*>(u"Text1(0)"_qs), Qt::LeftButton);
    for (const char* key : {"Command1(0)", "Command1(10)", "Command1(9)", "Command1(4)"}) {
        QTest::mouseClick(main->findChild<QWidget*>(QString::fromUtf8(key)), Qt::LeftButton);
    }
    EXPECT_EQ(main->findChild<QLineEdit*>(u"Text1(0)"_qs)->text(), u"1.05"_qs);
    EXPECT_TRUE(alerts.take().empty());
}

// The message box translates the worksheet's marked texts; a text built in Qt has been
// translated where it was built and passes unchanged.
TEST_F(Translation, TheMessageBoxTranslatesTheWorksheetsMessages) {
    struct Case {
        const char* name;
        std::string text;
        QString chinese, english;
    };
    const Case cases[] = {
        {"a worksheet message with a translation", std::string(worksheet::messages::NoCurve),
         u"没有可用的标准曲线!"_qs, u"No calibration curve is available!"_qs},
        {"one with a leading blank", std::string(worksheet::messages::SampleOutOfRange),
         u" 对不起,超出了曲线的线性范围!"_qs,
         u" Sorry, this is outside the linear range of the curve!"_qs},
        {"the two zeros", std::string(worksheet::messages::TwoZeros),
         u"不能连输二个0,请重新输入!"_qs,
         u"Two zeros in a row are not allowed, please enter again!"_qs},
        {"a text built in Qt", "无法打开：a.lumetra：文件不存在",
         u"无法打开：a.lumetra：文件不存在"_qs, u"无法打开：a.lumetra：文件不存在"_qs},
        {"a text holding a NUL", std::string("a\0b", 3), QString::fromUtf8("a\0b", 3),
         QString::fromUtf8("a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString shown;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->text();
            box->accept();
        });
        ui::MessageBoxAlerts().message(c.text);
        EXPECT_EQ(shown, english() ? c.english : c.chinese);
    }
}

} // namespace
