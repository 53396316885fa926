// The two windows: the cover first, the main window created and loaded at the first run, kept
// with all its state while the cover is shown again, and the program ended from the cover, after
// a question when the document has changes that are not saved.

#include "analysis/analysis_window.h"
#include "app/language.h"
#include "app/lumetra.h"
#include "io/calibration_file.h"
#include "tests/analysis/analysis_window_fixture.h"
#include "tests/support/qt_printers.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/state_text.h"
#include "ui/controls.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
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

// The choice is saved for the next start, and the user told so in the language in use (Chinese
// here); choosing the language in use again leaves nothing to tell.
TEST_F(Lifecycle, TheLanguageIsChosenInTheContextMenuForTheNextStart) {
    clickRun();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    auto* menu = control<QMenu>(main(), "languageMenu");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), u"语言 / Language"_qs);
    ASSERT_EQ(main()->contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_TRUE(main()->actions().contains(menu->menuAction()));
    struct Case {
        const char* name;
        const char* action;
        QString saved;
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"English", "languageEn", u"en"_qs, {"界面语言将在下次启动时切换为English。"}},
        {"English again", "languageEn", u"en"_qs, {"界面语言将在下次启动时切换为English。"}},
        {"Chinese, the language in use", "languageZh", u"zh"_qs, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* chosen = control<QAction>(main(), c.action);
        ASSERT_NE(chosen, nullptr);
        menu->popup(main()->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(app::savedLanguage(), c.saved);
        EXPECT_EQ(alerts.take(), c.told);
        EXPECT_EQ(control<QAction>(main(), "languageEn")->isChecked(), c.saved == u"en"_qs);
        EXPECT_EQ(control<QAction>(main(), "languageZh")->isChecked(), c.saved == u"zh"_qs);
    }
    EXPECT_EQ(app::currentLanguage(), u"zh"_qs) << "nothing changes before the next start";

    // The analysis window's menu chooses alike, and both menus check the saved choice.
    auto* analysis = main()->findChild<analysis::AnalysisWindow*>();
    ASSERT_NE(analysis, nullptr);
    control<QAction>(analysis, "language_en")->trigger();
    EXPECT_EQ(app::savedLanguage(), u"en"_qs);
    EXPECT_EQ(alerts.take(), std::vector<std::string>{"界面语言将在下次启动时切换为English。"});
    EXPECT_TRUE(control<QAction>(analysis, "language_en")->isChecked());
    menu->popup(main()->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    EXPECT_TRUE(control<QAction>(main(), "languageEn")->isChecked());
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(control<QAction>(main(), "languageZh")).center());
    emit control<QMenu>(analysis, "languageMenu")->aboutToShow();
    EXPECT_TRUE(control<QAction>(analysis, "language_zh")->isChecked());
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
    EXPECT_EQ(alerts.take(), std::vector<std::string>{});
}

// The same with a fit not saved: the question first, "不保存", then the end.
TEST_F(Lifecycle, ExitFromTheCoverWithUnsavedChangesAsksFirst) {
    clickRun();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    for (const char* typed : {"2", "1", "2", ".1", ".2"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QTest::mouseClick(control(main(), "command4"), Qt::LeftButton);
    ASSERT_TRUE(main()->curve().has_value());
    clickBack();
    alerts.take();
    alerts.saveChoices = {ui::Prompts::SaveChoice::Discard};
    expectEventLoopEnds(
        [this] { QTest::mouseClick(control(cover(), "Command2"), Qt::LeftButton); });
    EXPECT_EQ(alerts.take(),
              std::vector<std::string>{"<ask-save>标准曲线数据有未保存的修改。是否保存？"});
}

TEST_F(Lifecycle, ClosingTheCoverEndsTheProgram) {
    expectEventLoopEnds([this] { cover()->close(); });
}

class EndingTheProgram : public analysis_test::AnalysisWindowTest {
public:
    // How many standards the last worksheet holds, -1 when there is none.
    static int lastStandards() {
        const auto last = io::readCalibrationFile(app::lastWorksheetPath());
        return last ? int(last->standards.size()) : -1;
    }
};

// What ending the program does with changes not saved: 取消 stays, 保存 writes the file (asking for
// one when there is none), 不保存 ends. Opening a file and filling the main window from it are no
// change. The last worksheet is written at the end either way. Each case runs app::Lumetra's
// exitProgram, which the cover's 退出程序 and its close control run; ending the program leaves no
// event loop running, and these cases run none.
TEST_F(EndingTheProgram, ChangesNotSavedAreAskedAboutFirst) {
    using Choice = ui::Prompts::SaveChoice;
    QTemporaryDir dir;
    const QString opened = dir.filePath(u"opened.lumetra"_qs);
    const QString chosen = dir.filePath(u"chosen.lumetra"_qs);
    const auto typeAFit = [](EndingTheProgram& t) {
        t.fit({u"1"_qs, u"2"_qs, u"4"_qs}, {u".1"_qs, u".2"_qs, u".41"_qs});
    };
    typeAFit(*this);
    ASSERT_TRUE(lumetra->files()->saveTo(opened));
    const std::string question = "<ask-save>标准曲线数据有未保存的修改。是否保存？";
    struct Case {
        const char* name;
        std::function<void(EndingTheProgram&)> work;
        std::vector<Choice> choices;
        std::vector<std::string> events;
        bool ends;
        QString written; // the file that holds the document afterwards, "" for none
    };
    const Case cases[] = {
        {"nothing done", [](EndingTheProgram&) {}, {}, {}, true, {}},
        {"a fit, 取消", typeAFit, {Choice::Cancel}, {question}, false, {}},
        {"a fit, 不保存", typeAFit, {Choice::Discard}, {question}, true, {}},
        {"a fit, 保存 into the file chosen",
         [&chosen, typeAFit](EndingTheProgram& t) {
             typeAFit(t);
             t.alerts.paths = {chosen};
         },
         {Choice::Save},
         {question, "<file>保存标准曲线文件"},
         true,
         chosen},
        {"a fit, 保存 and the file dialog cancelled",
         typeAFit,
         {Choice::Save},
         {question, "<file>保存标准曲线文件"},
         false,
         {}},
        {"a fit saved",
         [&chosen, typeAFit](EndingTheProgram& t) {
             typeAFit(t);
             t.lumetra->files()->saveTo(chosen);
         },
         {},
         {},
         true,
         chosen},
        {"a file opened, the main window filled",
         [&opened](EndingTheProgram& t) { t.lumetra->files()->openFile(opened); },
         {},
         {},
         true,
         {}},
        {"a file opened, a sample computed, 保存 into that file",
         [&opened](EndingTheProgram& t) {
             t.lumetra->files()->openFile(opened);
             t.sample(u".3"_qs);
         },
         {Choice::Save},
         {question},
         true,
         opened},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(chosen);
        QFile::remove(app::lastWorksheetPath());
        restart();
        c.work(*this);
        alerts.take();
        alerts.saveChoices = {c.choices.begin(), c.choices.end()};
        EXPECT_EQ(lumetra->exitProgram(), c.ends);
        EXPECT_EQ(alerts.take(), c.events);
        if (!c.ends) {
            EXPECT_TRUE(calibration().isModified()) << "the program goes on with the changes";
            EXPECT_TRUE(main()->isVisible());
        }
        EXPECT_EQ(QFile::exists(chosen), c.written == chosen);
        if (!c.written.isEmpty()) {
            const auto saved = io::readCalibrationFile(c.written);
            ASSERT_TRUE(saved);
            EXPECT_EQ(saved->samples.size(), calibration().document().samples.size());
            EXPECT_EQ(saved->standards.size(), calibration().document().standards.size());
        }
        EXPECT_EQ(lastStandards(), calibration().document().standards.empty()
                                       ? -1
                                       : int(calibration().document().standards.size()));
    }
}

// `lumetra FILE`: the main window as after 运行程序, the analysis window open beside it and the
// file opened as 打开… opens it, a CSV file as standards; a refused file says why and leaves the
// empty worksheet.
TEST(OpeningAFileFromTheDesktop, StartsBothWindowsWithTheFileOpen) {
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    QByteArray twelve;
    for (int i = 0; i < 12; ++i) {
        twelve += QByteArray(i ? ", " : "") + "{\"C\": \"" + QByteArray::number(i) +
                  "\", \"A\": \"0.0" + QByteArray::number(i + 10) + "\"}";
    }
    const QByteArray header = R"({"format": "lumetra-calibration", "version": 1, "unit": "mg/L", )";
    struct Case {
        const char* name;
        QString path;
        QString count;   // Text4 of the main window
        QString message; // "" when none
        QString note;
    };
    const QString refused = write("refused.lumetra", "C,A\n1,0.1\n");
    const Case cases[] = {
        {"a calibration file",
         write("three.lumetra",
               header + R"("standards": [{"C": "0", "A": ".01"}, {"C": "1", "A": ".2"},)"
                        R"({"C": "2", "A": ".39"}], "samples": []})"),
         u"3"_qs,
         {},
         {}},
        {"a CSV file of standards",
         write("four.csv", "C,A\n0,0.01\n1,0.2\n2,0.39\n3,0.6\n"),
         u"4"_qs,
         {},
         {}},
        {"twelve standards",
         write("twelve.lumetra", header + R"("standards": [)" + twelve + "]}"),
         {},
         {},
         u"标准点超过10个，主窗口不显示此曲线"_qs},
        {"a standard addition",
         write("addition.lumetra",
               R"({"format": "lumetra-calibration", "version": 3, "unit": "ng/mL", )"
               R"("settings": {"calibration": "addition"}, "standards": [{"C": "0", "A": ".32"},)"
               R"({"C": "5", "A": ".41"}, {"C": "10", "A": ".52"}], "samples": []})"),
         {},
         {},
         u"标准加入模式，主窗口不显示此曲线"_qs},
        {"a refused file",
         refused,
         {},
         u"无法打开："_qs + refused + u"：文件内容不是JSON对象，不是Lumetra校准文件"_qs,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::RecordingPrompts alerts;
        app::Lumetra lumetra(alerts);
        lumetra.runWithFile(c.path);
        ASSERT_NE(lumetra.mainWindow(), nullptr);
        EXPECT_TRUE(lumetra.mainWindow()->isVisible());
        EXPECT_TRUE(lumetra.analysisWindow()->isVisible());
        EXPECT_FALSE(lumetra.cover().isVisible());
        EXPECT_EQ(alerts.take(), c.message.isEmpty()
                                     ? std::vector<std::string>{}
                                     : std::vector<std::string>{c.message.toStdString()});
        EXPECT_EQ(lumetra.mainWindow()->findChild<QLineEdit*>(u"Text4"_qs)->text(), c.count);
        EXPECT_EQ(lumetra.mainWindow()->curve().has_value(), !c.count.isEmpty());
        EXPECT_EQ(lumetra.analysisWindow()->findChild<QLabel*>(u"mainWindowNote"_qs)->text(),
                  c.note);
        EXPECT_EQ(lumetra.calibration()->document().standards.empty(), !c.message.isEmpty());
        // Standards imported from CSV are a change to the new document; a file opened is none.
        EXPECT_EQ(lumetra.calibration()->isModified(), c.path.endsWith(u".csv"_qs));
    }
}

} // namespace
