#include "ui/alerts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <string>

namespace ui {

namespace {

// Without a window manager nobody hands the keyboard back to the window a dialog came from.
void giveBack(QWidget* owner) {
    if (owner != nullptr && owner->isVisible()) {
        owner->activateWindow();
    }
}

// File dialogs open in the folder last used, also in a later run.
const QString kFolderKey = QStringLiteral("dialogs/folder");

QString lastFolder() {
    return QSettings().value(kFolderKey).toString();
}

void rememberFolder(const QString& path) {
    if (!path.isEmpty()) {
        QSettings().setValue(kFolderKey, QFileInfo(path).absolutePath());
    }
}

// The worksheet's messages come as their marked source texts and are translated here; a text
// built in Qt comes translated already, and finds no entry of the worksheet's.
QString shownMessage(std::string_view text) {
    const std::string source(text);
    if (source.find('\0') != std::string::npos) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    return QCoreApplication::translate("worksheet", source.c_str());
}

} // namespace

void MessageBoxAlerts::message(std::string_view text) {
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Lumetra"), shownMessage(text),
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

Prompts::SaveChoice MessageBoxAlerts::askSave(const QString& question) {
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Question, QStringLiteral("Lumetra"), question,
                    QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    QPushButton* save = box.addButton(QCoreApplication::translate("ui::MessageBoxAlerts", "保存"),
                                      QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QCoreApplication::translate("ui::MessageBoxAlerts", "不保存"),
                      QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QCoreApplication::translate("ui::MessageBoxAlerts", "取消"),
                                        QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    giveBack(owner);
    if (box.clickedButton() == save) {
        return SaveChoice::Save;
    }
    return box.clickedButton() == discard ? SaveChoice::Discard : SaveChoice::Cancel;
}

std::optional<QString> MessageBoxAlerts::askText(const QString& question, const QString& initial) {
    QWidget* owner = QApplication::activeWindow();
    bool ok = false;
    const QString text = QInputDialog::getText(owner, QStringLiteral("Lumetra"), question,
                                               QLineEdit::Normal, initial, &ok);
    giveBack(owner);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

QString MessageBoxAlerts::openFileName(const QString& caption, const QString& filter) {
    QWidget* owner = QApplication::activeWindow();
    const QString path = QFileDialog::getOpenFileName(owner, caption, lastFolder(), filter);
    rememberFolder(path);
    giveBack(owner);
    return path;
}

QString MessageBoxAlerts::saveFileName(const QString& caption, const QString& filter,
                                       const QString& suggestedName) {
    QWidget* owner = QApplication::activeWindow();
    const QString folder = lastFolder();
    const QString start = folder.isEmpty() ? suggestedName : folder + u'/' + suggestedName;
    const QString path = QFileDialog::getSaveFileName(owner, caption, start, filter);
    rememberFolder(path);
    giveBack(owner);
    return path;
}

} // namespace ui
