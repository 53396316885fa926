#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QStyleFactory>
#include <QTimer>

namespace ui {

namespace {

// Decoding the seven sizes and handing them to the X server as _NET_WM_ICON is a noticeable part
// of the start-up (figures in bench/STARTUP.md), so it waits until the cover is shown. Each is
// read by Qt's own PNG reader, named: left to find the format itself, the reader loads every
// image plugin to ask whether it reads PNG (the SVG one with all of Qt SVG) before it uses its
// own.
void setWindowIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImageReader reader(QStringLiteral(":/lumetra/icons/%1/lumetra.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    QApplication::setWindowIcon(icon);
}

} // namespace

void setUpApplication(QApplication& app) {
    // The settings in ~/.config/lumetra/lumetra.conf, not under "Unknown Organization".
    QApplication::setOrganizationName(QStringLiteral("lumetra"));
    QApplication::setApplicationName(QStringLiteral("lumetra"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")});
    font.setPointSizeF(9);
    QApplication::setFont(font);

    // The icon is set from the event loop's first turn, after main() has shown the cover:
    // QApplication passes it on to the windows already shown, so every window ends with the same
    // icon as when it is set here, and the cover is mapped without waiting for it.
    QTimer::singleShot(0, &app, &setWindowIcon);
}

} // namespace ui
