// The two windows: the cover first, the main window created and loaded at the first run, kept
// with all its state while the cover is shown again, and the program ended from the cover.

#include "app/lumetra.h"
#include "tests/support/qt_printers.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/state_text.h"
#include "ui/controls.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override {
        lumetra.start();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&lumetra.cover()));
    }

    QWidget* cover() { return &lumetra.cover(); }
    ui::MainWindow* main() { return lumetra.mainWindow(); }

    template <class T = QWidget> T* control(QWidget* window, const char* name) {
        auto* found = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void clickRun() { QTest::mouseClick(control(cover(), "Command1"), Qt::LeftButton); }
    void clickBack() { QTest::mouseClick(control(main(), "command6"), Qt::LeftButton); }

    test::RecordingPrompts alerts;
    app::Lumetra lumetra{alerts};
};

TEST_F(Lifecycle, TheCoverComesFirstAndTheMainWindowDoesNotExistYet) {
    EXPECT_TRUE(cover()->isVisible());
    EXPECT_EQ(main(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), control(cover(), "Command1"));
}

TEST_F(Lifecycle, RunLoadsTheMainWindowThenHidesTheCover) {
    clickRun();
    ASSERT_NE(main(), nullptr);
    EXPECT_TRUE(main()->loaded());
    EXPECT_TRUE(main()->isVisible());
    EXPECT_FALSE(cover()->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    EXPECT_EQ(QApplication::focusWidget(), control(main(), "Text4"));
    for (int i = 0; i < 10; ++i) {
        for (const char* row : {"Label1(%1)", "Text1(%1)", "Text2(%1)"}) {
            EXPECT_TRUE(main()->findChild<QWidget*>(QString::fromUtf8(row).arg(i))->isHidden());
        }
    }
    const worksheet::State sheet = main()->sheet().state();
    EXPECT_EQ(sheet.ActiveField, worksheet::Field::Count);
    EXPECT_TRUE(sheet.CurrentRow.isEmpty());
    EXPECT_TRUE(sheet.PointCount.isEmpty());
    EXPECT_TRUE(sheet.Intercept.isEmpty());
    EXPECT_EQ(sheet.Slope, 0.0);
    EXPECT_EQ(sheet.LoopIndex, worksheet::Variant(std::int16_t{10}));
}

TEST_F(Lifecycle, BackToCoverAndRunAgainKeepsEverything) {
    clickRun();
    ui::MainWindow* first = main();
    ASSERT_TRUE(QTest::qWaitForWindowActive(first));
    // Confirm three points, type a concentration, leave the focus in an absorbance box.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1.5"));
    QTest::mouseClick(control(first, "Text2(2)"), Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(".25"));
    const worksheet::State before = first->sheet().state();

    clickBack();
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(cover()->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(cover()));
    clickRun();

    EXPECT_EQ(main(), first) << "the main window is created once";
    EXPECT_FALSE(cover()->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(first));
    EXPECT_EQ(control<QLineEdit>(first, "Text4")->text(), QStringLiteral("3"));
    EXPECT_FALSE(control(first, "Text4")->isEnabled());
    EXPECT_EQ(control<QLineEdit>(first, "Text1(0)")->text(), QStringLiteral("1.5"));
    EXPECT_EQ(control<QLineEdit>(first, "Text2(2)")->text(), QStringLiteral(".25"));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(first->findChild<QWidget*>(QStringLiteral("Text1(%1)").arg(i))->isHidden(),
                  i >= 3);
    }
    // The load step does not run again: the focus is where the user left it, on the exit
    // button, not sent back to the count box.
    EXPECT_EQ(QApplication::focusWidget(), control(first, "command6"));
    EXPECT_EQ(first->sheet().state(), before);
}

TEST_F(Lifecycle, ClosingTheMainWindowReturnsToTheCover) {
    clickRun();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    main()->close();
    EXPECT_FALSE(main()->isVisible());
    EXPECT_TRUE(cover()->isVisible());
}

// Each of these ends the application's event loops, so nothing may run after them in the same
// process: ctest runs every test in a process of its own.
void expectEventLoopEnds(const std::function<void()>& action) {
    QEventLoop loop;
    bool timedOut = false;
    QTimer::singleShot(0, action);
    QTimer::singleShot(5000, [&] {
        timedOut = true;
        loop.quit();
    });
    loop.exec();
    EXPECT_FALSE(timedOut);
}

TEST_F(Lifecycle, ExitFromTheCoverEndsTheProgram) {
    clickRun();
    clickBack();
    expectEventLoopEnds(
        [this] { QTest::mouseClick(control(cover(), "Command2"), Qt::LeftButton); });
}

TEST_F(Lifecycle, ClosingTheCoverEndsTheProgram) {
    expectEventLoopEnds([this] { cover()->close(); });
}

} // namespace
