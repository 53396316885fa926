#pragma once

// Helpers shared by the tests of the point count, keyboard entry and the keypad.

#include "tests/support/main_window_fixture.h"
#include "worksheet/messages.h"
#include "worksheet/variant.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace test {

inline const std::string kTwoZeros{worksheet::messages::TwoZeros};
inline const std::string kTwoPoints{worksheet::messages::TwoPoints};
inline const std::string kCountOutOfRange{worksheet::messages::CountOutOfRange};

using Alerts = std::vector<std::string>;

// "empty", "integer 3" or "double 3": the kind matters (a confirmed count is the parsed double,
// a refused one the integer 0).
inline std::string describe(const worksheet::Variant& value) {
    if (value.isEmpty()) {
        return "empty";
    }
    std::ostringstream out;
    out << (value.isInteger() ? "integer " : "double ") << value.value();
    return out.str();
}

class EntryTest : public MainWindowTest {
protected:
    // A new main window, as after start-up, for the next row of a table.
    void restart() {
        window.reset();
        alerts.events.clear();
        SetUp();
    }

    // One character per table row: '1' when its label and both boxes are shown, '0' when all three
    // are hidden, '?' for anything in between.
    std::string rowVisibility() const {
        std::string rows;
        for (int i = 0; i < worksheet::kRows; ++i) {
            const bool shown[] = {!label(QStringLiteral("Label1(%1)").arg(i))->isHidden(),
                                  !text1(i)->isHidden(), !text2(i)->isHidden()};
            if (shown[0] && shown[1] && shown[2]) {
                rows += '1';
            } else if (!shown[0] && !shown[1] && !shown[2]) {
                rows += '0';
            } else {
                rows += '?';
            }
        }
        return rows;
    }

    // The keypad key with this caption: '1'..'9', '0' or '.'.
    ui::Button* keypadKey(char caption) const {
        const int index = caption == '.' ? 10 : caption == '0' ? 9 : caption - '1';
        ui::Button* found = key(index);
        EXPECT_EQ(found->text(), QString(QLatin1Char(caption)));
        return found;
    }

    ui::Button* backspaceKey() const { return button(QStringLiteral("Command3")); }

    // Clicks the keypad keys of the captions in turn; '<' stands for the backspace key.
    void clickKeys(std::string_view captions) {
        for (const char caption : captions) {
            click(caption == '<' ? backspaceKey() : keypadKey(caption));
        }
    }

    // Puts the text on the clipboard and pastes it into the box with the box's own context menu,
    // as a user would with a right click and "Paste".
    void pasteWithContextMenu(ui::TextBox* target, const QString& text) {
        QApplication::clipboard()->setText(text);
        click(target);
        const QPoint inside = target->rect().center();
        QContextMenuEvent request(QContextMenuEvent::Mouse, inside, target->mapToGlobal(inside));
        QApplication::sendEvent(target, &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no context menu opened";
        // The entries are translated; the paste entry is the one showing the paste shortcut.
        const QString shortcut =
            QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().endsWith(QLatin1Char('\t') + shortcut)) {
                paste = action;
            }
        }
        ASSERT_NE(paste, nullptr) << "the context menu has no paste entry";
        ASSERT_TRUE(paste->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(paste).center());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the context menu stayed open";
    }

    // Two standards, 1 -> 0.1 and 2 -> 0.2, fitted: the sample box is enabled, the linear range
    // is 0.1 to 0.2.
    void fitTwoPoints() {
        confirmCount(2);
        fillTable({QStringLiteral("1"), QStringLiteral("2")},
                  {QStringLiteral("0.1"), QStringLiteral("0.2")});
        click(button(QStringLiteral("command4")));
        ASSERT_TRUE(box(QStringLiteral("Text7"))->isEnabled());
        ASSERT_EQ(takeAlerts(), Alerts{});
    }
};

} // namespace test
