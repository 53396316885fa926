#include "ui/alerts.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

void MessageBoxAlerts::message(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Lumetra"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void MessageBoxAlerts::beep() {
    QApplication::beep();
}

} // namespace ui
