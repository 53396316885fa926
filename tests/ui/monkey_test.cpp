// Random use of the whole main window: clicks on every control, keys into whatever has the
// focus, pastes and input-method commits, from a fixed seed so that a failure replays exactly.
// Message boxes are recorded and dismissed at once. After every single event the worksheet's
// invariants must hold:
//   - ActiveField names the entry box that last received the focus, CurrentRow the row of the
//     table box that last received it;
//   - PointCount is empty, 0 or a whole number 2..10, and no row beyond it is shown;
//   - no entry box holds more characters than its maximum length;
//   - the result boxes Text3, Text5, Text6 and Text8 are never enabled.

#include "tests/support/main_window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using worksheet::kRows;

// Which entry box the focus last went into, seen from outside the program: the FocusIn events
// themselves.
class FocusTracker final : public QObject {
public:
    struct Entry {
        worksheet::Field field;
        int row; // -1 for Text4 and Text7
    };

    std::map<const QObject*, Entry> entries;
    worksheet::Field field = worksheet::Field::None;
    std::optional<int> tableRow;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            const auto found = entries.find(watched);
            if (found != entries.end()) {
                field = found->second.field;
                if (found->second.row >= 0) {
                    tableRow = found->second.row;
                }
            }
        }
        return false;
    }
};

struct MaxLength {
    QString name;
    int characters;
};

class Monkey : public test::MainWindowTest {
protected:
    void SetUp() override {
        // The drop-down list of the units, opened by a click on its arrow, makes the offscreen
        // platform say at every opening that it cannot raise it or grab the keyboard.
        previousHandler = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (message.startsWith(QStringLiteral("This plugin does not support"))) {
                    return;
                }
                if (previousHandler != nullptr) {
                    previousHandler(type, context, message);
                } else {
                    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << "\n";
                }
            });
        MainWindowTest::SetUp();
        for (int i = 0; i < kRows; ++i) {
            tracker.entries[text1(i)] = {worksheet::Field::Concentration, i};
            tracker.entries[text2(i)] = {worksheet::Field::Absorbance, i};
            lengths.push_back({text1(i)->objectName(), 6});
            lengths.push_back({text2(i)->objectName(), 5});
        }
        tracker.entries[box(QStringLiteral("Text4"))] = {worksheet::Field::Count, -1};
        tracker.entries[box(QStringLiteral("Text7"))] = {worksheet::Field::Sample, -1};
        lengths.push_back({QStringLiteral("Text3"), 8});
        lengths.push_back({QStringLiteral("Text4"), 2});
        lengths.push_back({QStringLiteral("Text7"), 5});
        // The load step put the focus into the count box before the tracker was listening.
        ASSERT_EQ(focus(), "Text4");
        tracker.field = worksheet::Field::Count;
        qApp->installEventFilter(&tracker);

        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (!child->objectName().isEmpty()) {
                controls.push_back(child);
            }
        }
        ASSERT_GT(controls.size(), 60u);
    }

    void TearDown() override {
        qApp->removeEventFilter(&tracker);
        MainWindowTest::TearDown();
        qInstallMessageHandler(previousHandler);
    }

    // An empty string when every invariant holds, otherwise what is broken.
    std::string brokenInvariants() {
        std::ostringstream broken;
        const worksheet::State ws = state();
        if (ws.ActiveField != tracker.field) {
            broken << "ActiveField " << static_cast<int>(ws.ActiveField)
                   << " but the focus last went into an entry box of kind "
                   << static_cast<int>(tracker.field) << "; ";
        }
        const auto row = ws.CurrentRow.toInt16();
        if (tracker.tableRow ? ws.CurrentRow.isEmpty() || row != *tracker.tableRow
                             : !ws.CurrentRow.isEmpty()) {
            broken << "CurrentRow " << test::describe(ws.CurrentRow)
                   << " but the last table box focused is "
                   << (tracker.tableRow ? "in row index " + std::to_string(*tracker.tableRow)
                                        : "none")
                   << "; ";
        }
        const double n = ws.PointCount.value();
        const bool wholeCount = n == std::floor(n) && n >= 2 && n <= kRows;
        if (!ws.PointCount.isEmpty() && n != 0 && !wholeCount) {
            broken << "PointCount " << test::describe(ws.PointCount) << "; ";
        }
        for (int i = static_cast<int>(n); i < kRows; ++i) {
            if (!text1(i)->isHidden() || !text2(i)->isHidden() ||
                !label(QStringLiteral("Label1(%1)").arg(i))->isHidden()) {
                broken << "row " << i + 1 << " shown with PointCount "
                       << test::describe(ws.PointCount) << "; ";
            }
        }
        for (const MaxLength& limit : lengths) {
            const auto characters = box(limit.name)->text().toUcs4().size();
            if (characters > limit.characters) {
                broken << limit.name.toStdString() << " holds " << characters << " characters; ";
            }
        }
        for (const char* name : {"Text3", "Text5", "Text6", "Text8"}) {
            if (box(QString::fromUtf8(name))->isEnabled()) {
                broken << name << " is enabled; ";
            }
        }
        return broken.str();
    }

    std::uint32_t pick(std::uint32_t n) { return rng() % n; }
    bool chance(std::uint32_t percent) { return pick(100) < percent; }

    QWidget* focused() const {
        QWidget* widget = QApplication::focusWidget();
        return widget != nullptr ? widget : window.get();
    }

    static std::string nameOf(const QWidget* widget) {
        if (widget == nullptr) {
            return "nothing";
        }
        if (!widget->objectName().isEmpty()) {
            return widget->objectName().toStdString();
        }
        return std::string(widget->metaObject()->className()) + " in " +
               nameOf(widget->parentWidget());
    }

    // One random event; returns what it was, for the replay log.
    std::string randomEvent() {
        if (mouseAlone) {
            return randomClick();
        }
        const std::uint32_t roll = pick(100);
        if (roll < 40) {
            return randomClick();
        }
        if (roll < 80) {
            return randomKey();
        }
        if (roll < 90) {
            return randomNumber();
        }
        if (roll < 97) {
            return randomPaste();
        }
        return randomCommit();
    }

    std::string randomClick() {
        QWidget* target = nullptr;
        if (chance(80)) {
            // A control by name, favouring the ones a user works with.
            static const char* const favourites[] = {
                "Text4",    "Text7",  "command4", "command9", "Command7", "Command8", "command5",
                "Command3", "Combo1", "command6", "Text3",    "Text8",    "Label6",   "Frame4",
            };
            const std::uint32_t kind = pick(100);
            if (kind < 35) {
                target = pick(2) == 0 ? text1(static_cast<int>(pick(kRows)))
                                      : text2(static_cast<int>(pick(kRows)));
            } else if (kind < 65) {
                target = key(static_cast<int>(pick(worksheet::kKeypadKeys)));
            } else if (kind < 90) {
                target = window->findChild<QWidget*>(
                    QString::fromUtf8(favourites[pick(std::size(favourites))]));
            } else {
                target = controls[pick(static_cast<std::uint32_t>(controls.size()))];
            }
            if (!target->isVisible()) {
                return "no click: " + nameOf(target) + " is hidden";
            }
            const QPoint at(1 + static_cast<int>(pick(std::max(1, target->width() - 2))),
                            1 + static_cast<int>(pick(std::max(1, target->height() - 2))));
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
            return "click " + nameOf(target);
        }
        // Anywhere in the window: whatever lies under the pointer gets the click.
        const QPoint at(static_cast<int>(pick(window->width())),
                        static_cast<int>(pick(window->height())));
        target = window->childAt(at);
        if (target == nullptr) {
            target = window.get();
        }
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                          target->mapFrom(window.get(), at));
        return "click at " + std::to_string(at.x()) + "," + std::to_string(at.y()) + " on " +
               nameOf(target);
    }

    std::string randomKey() {
        QWidget* target = focused();
        const std::uint32_t kind = pick(100);
        if (kind < 45) {
            const char digit = static_cast<char>('0' + pick(10));
            QTest::keyClick(target, digit);
            return std::string("key ") + digit + " into " + nameOf(target);
        }
        if (kind < 53) {
            QTest::keyClick(target, '.');
            return "key . into " + nameOf(target);
        }
        if (kind < 70) {
            QTest::keyClick(target, pick(4) == 0 ? Qt::Key_Enter : Qt::Key_Return);
            return "key Enter into " + nameOf(target);
        }
        if (kind < 78) {
            QTest::keyClick(target, Qt::Key_Backspace);
            return "key Backspace into " + nameOf(target);
        }
        if (kind < 86) {
            static const char others[] = "aZ -+/,e*";
            const char other = others[pick(sizeof others - 1)];
            QTest::keyClick(target, other);
            return std::string("key '") + other + "' into " + nameOf(target);
        }
        static const Qt::Key moves[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Left,
                                        Qt::Key_Right,  Qt::Key_Up,      Qt::Key_Down,
                                        Qt::Key_Home,   Qt::Key_End,     Qt::Key_Delete,
                                        Qt::Key_Escape, Qt::Key_Space};
        if (kind < 96) {
            const Qt::Key move = moves[pick(std::size(moves))];
            QTest::keyClick(target, move);
            return "key " + QKeySequence(move).toString().toStdString() + " into " + nameOf(target);
        }
        static const Qt::Key shortcuts[] = {Qt::Key_V, Qt::Key_C, Qt::Key_X,
                                            Qt::Key_Z, Qt::Key_A, Qt::Key_H};
        const Qt::Key shortcut = shortcuts[pick(std::size(shortcuts))];
        QTest::keyClick(target, shortcut, Qt::ControlModifier);
        return "key Ctrl+" + std::string(1, static_cast<char>('A' + (shortcut - Qt::Key_A))) +
               " into " + nameOf(target);
    }

    // A number as a user types it, digit by digit, mostly followed by Enter.
    std::string randomNumber() {
        QWidget* target = focused();
        std::string typed = std::to_string(pick(pick(2) == 0 ? 11 : 1000));
        if (chance(50)) {
            typed.insert(pick(static_cast<std::uint32_t>(typed.size()) + 1), 1, '.');
        }
        QTest::keyClicks(target, QString::fromStdString(typed));
        if (chance(70)) {
            QTest::keyClick(target, Qt::Key_Return);
            typed += " Enter";
        }
        return "keys " + typed + " into " + nameOf(target);
    }

    // A paste from the context menu of the focused box: no key filter on the way.
    std::string randomPaste() {
        static const char* const pasted[] = {
            "1e999", "-1e999", "abc",   "12345678", ".1234", ".12345", "-5",     " ",
            "",      "0.5",    "1.2.3", "5",        "10",    "99",     "1e-200", "中文",
            "0.800", "２",     " .5",   "\t1\n",    "+.5",   "1d2",
        };
        QLineEdit* target = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        const char* text = pasted[pick(std::size(pasted))];
        QApplication::clipboard()->setText(QString::fromUtf8(text));
        if (target == nullptr) {
            return std::string("no paste of '") + text + "': no box has the focus";
        }
        target->paste();
        return std::string("paste '") + text + "' into " + nameOf(target);
    }

    // Text committed by an input method into the focused widget.
    std::string randomCommit() {
        static const char* const committed[] = {"中", "5", "１", "1.5", "a", "。"};
        const char* text = committed[pick(std::size(committed))];
        QWidget* target = focused();
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(text));
        QApplication::sendEvent(target, &commit);
        return std::string("commit '") + text + "' into " + nameOf(target);
    }

    // Closes a drop-down list the click may have opened, as a user would with Escape. The
    // offscreen platform does not hand the activation back to the main window by itself, and in
    // an inactive window Qt sends no focus events at all.
    void closePopups() {
        bool closed = false;
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
            closed = true;
        }
        if (closed || QApplication::activeWindow() != window.get()) {
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }
    }

    // Runs the events and stops at the first broken invariant, printing the events before it.
    void run(std::uint32_t seed, int events) {
        rng.seed(seed);
        std::deque<std::string> recent;
        std::map<std::string, int> shown;
        int fits = 0;
        int results = 0;
        std::string lastEquation = caption("Label6");
        std::string lastResult = text("Text8");
        for (int event = 1; event <= events; ++event) {
            std::string what = randomEvent();
            ASSERT_NO_FATAL_FAILURE(closePopups());
            recent.push_back(std::to_string(event) + ": " + what);
            if (recent.size() > 40) {
                recent.pop_front();
            }
            for (const std::string& alert : takeAlerts()) {
                ++shown[alert];
            }
            if (caption("Label6") != lastEquation) {
                lastEquation = caption("Label6");
                fits += lastEquation != test::kInitialEquation ? 1 : 0;
            }
            if (text("Text8") != lastResult) {
                lastResult = text("Text8");
                results += lastResult.empty() ? 0 : 1;
            }
            const std::string broken = brokenInvariants();
            if (!broken.empty()) {
                std::string log;
                for (const std::string& line : recent) {
                    log += "  " + line + "\n";
                }
                FAIL() << "seed " << seed << ", after event " << event << ": " << broken
                       << "\nthe last events:\n"
                       << log << snapshot();
            }
            if (event % 256 == 0) {
                QCoreApplication::processEvents();
            }
        }
        std::ostringstream seen;
        seen << "seed " << seed << ": " << fits << " new equations, " << results
             << " new sample results";
        for (const auto& [alert, count] : shown) {
            seen << ", " << count << " x '" << alert << "'";
        }
        std::cout << seen.str() << "\n";
        // The walk must reach the deep states, or it tests little. By mouse alone a complete table
        // is rare.
        EXPECT_GT(fits, 0);
        EXPECT_GT(shown[test::kIncomplete], 0);
        EXPECT_GT(shown[test::kCountOutOfRange], 0);
        if (!mouseAlone) {
            EXPECT_GT(results, 0);
            EXPECT_GT(shown[test::kOutOfRange], 0);
            // Random digits and points make texts such as "1.2.3" far more often than a table of
            // equal values, so a refused table is one that is no number.
            EXPECT_GT(shown[test::kNotNumber], 0);
        }
    }

    static inline QtMessageHandler previousHandler = nullptr;
    bool mouseAlone = false; // clicks only: the table filled through the keypad
    FocusTracker tracker;
    std::vector<MaxLength> lengths;
    std::vector<QWidget*> controls;
    std::mt19937 rng;
};

TEST_F(Monkey, TwentyThousandEvents) {
    run(20240607, 20000);
}

TEST_F(Monkey, HundredThousandEvents) {
    run(777, 100000);
}

TEST_F(Monkey, MouseAlone) {
    mouseAlone = true;
    run(4242, 20000);
}

} // namespace
