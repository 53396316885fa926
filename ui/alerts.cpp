#include "ui/alerts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QMessageBox>

namespace ui {

void MessageBoxAlerts::message(std::string_view text) {
    QWidget* owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Lumetra"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // text only, as everywhere in the windows
    box.exec();
    // Without a window manager nobody hands the keyboard back to the window the box came from.
    if (owner != nullptr && owner->isVisible()) {
        owner->activateWindow();
    }
}

void MessageBoxAlerts::beep() {
    QApplication::beep();
}

} // namespace ui
