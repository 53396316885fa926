#include "tests/support/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QMenu>
#include <QTest>

namespace test {

void MainWindowTest::SetUp() {
    restart();
}

void MainWindowTest::TearDown() {
    window.reset();
}

void MainWindowTest::restart() {
    window.reset();
    alerts.events.clear();
    window = std::make_unique<ui::MainWindow>(alerts);
    window->display();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

template <class T> T* found(const QWidget& window, const QString& name) {
    auto* control = window.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name.toStdString();
    return control;
}

ui::TextBox* MainWindowTest::box(const QString& name) const {
    return found<ui::TextBox>(*window, name);
}

ui::TextBox* MainWindowTest::text1(int row) const {
    return box(QStringLiteral("Text1(%1)").arg(row));
}

ui::TextBox* MainWindowTest::text2(int row) const {
    return box(QStringLiteral("Text2(%1)").arg(row));
}

ui::Button* MainWindowTest::button(const QString& name) const {
    return found<ui::Button>(*window, name);
}

ui::Button* MainWindowTest::key(int index) const {
    return button(QStringLiteral("Command1(%1)").arg(index));
}

ui::Label* MainWindowTest::label(const QString& name) const {
    return found<ui::Label>(*window, name);
}

ui::ComboBox* MainWindowTest::combo() const {
    return found<ui::ComboBox>(*window, QStringLiteral("Combo1"));
}

std::string MainWindowTest::text(const char* name) const {
    return box(QString::fromUtf8(name))->text().toStdString();
}

std::string MainWindowTest::caption(const char* name) const {
    return label(QString::fromUtf8(name))->text().toStdString();
}

QString MainWindowTest::focusName() const {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

void MainWindowTest::click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
}

void MainWindowTest::type(const QString& text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "no widget has the focus";
    QTest::keyClicks(target, text);
}

void MainWindowTest::press(Qt::Key keyCode, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "no widget has the focus";
    QTest::keyClick(target, keyCode, modifiers);
}

void MainWindowTest::clickAndType(QWidget* target, const QString& text) {
    click(target);
    type(text);
}

ui::Button* MainWindowTest::keypadKey(char caption) const {
    const int index = caption == '.' ? 10 : caption == '0' ? 9 : caption - '1';
    ui::Button* keypad = key(index);
    EXPECT_EQ(keypad->text(), QString(QLatin1Char(caption)));
    return keypad;
}

void MainWindowTest::clickKeys(std::string_view captions) {
    for (const char caption : captions) {
        click(caption == '<' ? button(QStringLiteral("Command3")) : keypadKey(caption));
    }
}

void MainWindowTest::tabTo(QWidget* target) {
    for (int presses = 0; presses < 100 && QApplication::focusWidget() != target; ++presses) {
        press(Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), target) << "Tab never reached it";
}

void MainWindowTest::confirmCount(int n) {
    clickAndType(box(QStringLiteral("Text4")), QString::number(n));
    press(Qt::Key_Return);
}

void MainWindowTest::fillTable(const QTexts& concentrations, const QTexts& absorbances) {
    for (std::size_t i = 0; i < concentrations.size(); ++i) {
        clickAndType(text1(static_cast<int>(i)), concentrations[i]);
    }
    for (std::size_t i = 0; i < absorbances.size(); ++i) {
        clickAndType(text2(static_cast<int>(i)), absorbances[i]);
    }
}

Alerts MainWindowTest::fit(const QTexts& concentrations, const QTexts& absorbances) {
    confirmCount(static_cast<int>(concentrations.size()));
    fillTable(concentrations, absorbances);
    EXPECT_EQ(takeAlerts(), Alerts{}) << "entering the table";
    click(button(QStringLiteral("command4")));
    return takeAlerts();
}

void MainWindowTest::retype(ui::TextBox* target, const QString& typed) {
    click(target);
    press(Qt::Key_End);
    for (qsizetype i = target->text().size(); i > 0; --i) {
        press(Qt::Key_Backspace);
    }
    type(typed);
}

void MainWindowTest::pasteWithContextMenu(ui::TextBox* target, const QString& text) {
    QApplication::clipboard()->setText(text);
    click(target);
    const QPoint inside = target->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, inside, target->mapToGlobal(inside));
    QApplication::sendEvent(target, &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "no context menu opened";
    // The entries are translated; the paste entry is the one showing the paste shortcut.
    const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().endsWith(QLatin1Char('\t') + shortcut)) {
            paste = action;
        }
    }
    ASSERT_NE(paste, nullptr) << "the context menu has no paste entry";
    ASSERT_TRUE(paste->isEnabled());
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(paste).center());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the context menu stayed open";
}

void MainWindowTest::chooseUnit(const QString& unit) {
    ui::ComboBox* units = combo();
    const int wanted = units->findText(unit);
    ASSERT_GE(wanted, 0) << unit.toStdString();
    click(units);
    while (units->currentIndex() != wanted) {
        const int before = units->currentIndex();
        press(units->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_NE(units->currentIndex(), before) << "the arrow keys do not move the list";
    }
    ASSERT_EQ(units->currentText(), unit);
}

std::string MainWindowTest::snapshot() const {
    return test::snapshot(window->worksheetControls(), state());
}

} // namespace test
