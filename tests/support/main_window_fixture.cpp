#include "tests/support/main_window_fixture.h"

#include <QApplication>
#include <QTest>

namespace test {

void MainWindowTest::SetUp() {
    window = std::make_unique<ui::MainWindow>(alerts);
    window->display();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void MainWindowTest::TearDown() {
    window.reset();
}

ui::TextBox* MainWindowTest::box(const QString& name) const {
    auto* found = window->findChild<ui::TextBox*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

ui::TextBox* MainWindowTest::text1(int row) const {
    return box(QStringLiteral("Text1(%1)").arg(row));
}

ui::TextBox* MainWindowTest::text2(int row) const {
    return box(QStringLiteral("Text2(%1)").arg(row));
}

ui::Button* MainWindowTest::button(const QString& name) const {
    auto* found = window->findChild<ui::Button*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

ui::Button* MainWindowTest::key(int index) const {
    return button(QStringLiteral("Command1(%1)").arg(index));
}

ui::Label* MainWindowTest::label(const QString& name) const {
    auto* found = window->findChild<ui::Label*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

ui::ComboBox* MainWindowTest::combo() const {
    return window->findChild<ui::ComboBox*>(QStringLiteral("Combo1"));
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

QString MainWindowTest::focusName() const {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

void MainWindowTest::confirmCount(int n) {
    clickAndType(box(QStringLiteral("Text4")), QString::number(n));
    press(Qt::Key_Return);
}

void MainWindowTest::fillTable(const std::vector<QString>& concentrations,
                               const std::vector<QString>& absorbances) {
    for (std::size_t i = 0; i < concentrations.size(); ++i) {
        clickAndType(text1(static_cast<int>(i)), concentrations[i]);
    }
    for (std::size_t i = 0; i < absorbances.size(); ++i) {
        clickAndType(text2(static_cast<int>(i)), absorbances[i]);
    }
}

} // namespace test
