#include "ui/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace ui {

void setUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("lumetra"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")});
    font.setPointSizeF(9);
    QApplication::setFont(font);

    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/lumetra/icons/%1/lumetra.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);

    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    auto* translator = new QTranslator(&app);
    if (translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

} // namespace ui
