#include "ui/alerts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>

namespace ui {

namespace {

// Without a window manager nobody hands the keyboard back to the window a dialog came from.
void giveBack(QWidget* owner) {
    if (owner != nullptr && owner->isVisible()) {
        owner->activateWindow();
    }
}

} // namespace

void MessageBoxAlerts::message(std::string_view text) {
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Lumetra"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // text only, as everywhere in the windows
    box.exec();
    giveBack(owner);
}

void MessageBoxAlerts::beep() {
    QApplication::beep();
}

bool MessageBoxAlerts::ask(const QString& question) {
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Question, QStringLiteral("Lumetra"), question,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    const bool yes = box.exec() == QMessageBox::Yes;
    giveBack(owner);
    return yes;
}

QString MessageBoxAlerts::openFileName(const QString& caption, const QString& filter) {
    QWidget* owner = QApplication::activeWindow();
    const QString path = QFileDialog::getOpenFileName(owner, caption, QString(), filter);
    giveBack(owner);
    return path;
}

QString MessageBoxAlerts::saveFileName(const QString& caption, const QString& filter,
                                       const QString& suggestedName) {
    QWidget* owner = QApplication::activeWindow();
    const QString path = QFileDialog::getSaveFileName(owner, caption, suggestedName, filter);
    giveBack(owner);
    return path;
}

} // namespace ui
