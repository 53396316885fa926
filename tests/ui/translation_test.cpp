// The designed windows and the worksheet's messages through Qt's translation. The same tests run
// twice: in Chinese (the designed texts, unchanged) and, in a test binary of their own started
// with LUMETRA_TEST_LANGUAGE=en, in English, where a text with a translation in the .ts file shows
// it and one without shows the design's text. The keypad's digits are never translated: the
// keypad enters its caption.

#include "app/language.h"
#include "app/lumetra.h"
#include "tests/support/recording_prompts.h"
#include "ui/alerts.h"
#include "ui/controls.h"
#include "worksheet/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>

namespace {

bool english() {
    return app::currentLanguage() == u"en";
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

TEST_F(Translation, CaptionsShowTheirTranslationWhereOneExists) {
    lumetra.run();
    ASSERT_TRUE(QTest::qWaitForWindowActive(lumetra.mainWindow()));
    struct Case {
        const char* name;
        QWidget* window;
        const char* control;
        QString chinese, english;
    };
    QWidget* cover = &lumetra.cover();
    QWidget* main = lumetra.mainWindow();
    const Case cases[] = {
        {"the cover's run button", cover, "Command1", u"运行程序"_qs, u"Run"_qs},
        {"the cover's exit button", cover, "Command2", u"退出程序"_qs, u"Exit"_qs},
        {"the fit", main, "command4", u"计算"_qs, u"Calculate"_qs},
        {"the sample's button, the same source text", main, "Command7", u"计算"_qs,
         u"Calculate"_qs},
        {"a caption without a translation yet", main, "command5", u"清零"_qs, u"清零"_qs},
        {"a frame", main, "Frame4", u"样品浓度计算"_qs, u"样品浓度计算"_qs},
        {"a keypad digit", main, "Command1(9)", u"0"_qs, u"0"_qs},
        {"the keypad's point", main, "Command1(10)", u"."_qs, u"."_qs},
        {"a number in the table's head", main, "Label1(9)", u"10"_qs, u"10"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* control = c.window->findChild<QWidget*>(QString::fromUtf8(c.control));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(captionOf(control), english() ? c.english : c.chinese);
    }
    // A button the design gives no name of its own is announced by its caption as shown.
    EXPECT_EQ(cover->findChild<QWidget*>(u"Command1"_qs)->accessibleName(),
              english() ? u"Run"_qs : u"运行程序"_qs);
    EXPECT_EQ(main->findChild<QWidget*>(u"command4"_qs)->accessibleName(), u"计算标准曲线"_qs);
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
        {"one without a translation yet", std::string(worksheet::messages::TwoZeros),
         u"不能连输二个0,请重新输入!"_qs, u"不能连输二个0,请重新输入!"_qs},
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
