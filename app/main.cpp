#include "app/command_line.h"
#include "app/lumetra.h"
#include "ui/alerts.h"
#include "ui/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    // Any argument is the command line, which needs no display: no widget and no GUI
    // application is created on that path.
    if (argc > 1) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("lumetra"));
        QCoreApplication::setApplicationVersion(QStringLiteral(LUMETRA_VERSION));
        // Qt's own texts of the help ("用法：", the standard options) in Chinese as well.
        QTranslator translator;
        if (translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(&translator);
        }
        return app::runCommandLine(QCoreApplication::arguments());
    }
    QApplication application(argc, argv);
    ui::setUpApplication(application);
    ui::MessageBoxAlerts alerts;
    app::Lumetra lumetra(alerts);
    lumetra.start();
    return QApplication::exec();
}
