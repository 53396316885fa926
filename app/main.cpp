#include "app/command_line.h"
#include "app/lumetra.h"
#include "ui/alerts.h"
#include "ui/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// `lumetra FILE`: one argument that is neither an option nor the command line's word "report"
// opens that file in the windows. Everything else with arguments is the command line.
bool opensFileInWindows(int argc, char* argv[]) {
    if (argc != 2) {
        return false;
    }
    const QByteArray argument(argv[1]);
    return !argument.isEmpty() && !argument.startsWith('-') && argument != "report";
}

} // namespace

int main(int argc, char* argv[]) {
    // The command line needs no display: no widget and no GUI application is created on that
    // path.
    if (argc > 1 && !opensFileInWindows(argc, argv)) {
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
    if (argc == 2) {
        lumetra.runWithFile(QFile::decodeName(argv[1]));
    } else {
        lumetra.start();
    }
    return QApplication::exec();
}
