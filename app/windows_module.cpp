#include "app/windows_module.h"

#include "app/language.h"
#include "app/lumetra.h"
#include "ui/alerts.h"
#include "ui/application.h"

#include <QApplication>

namespace app {

namespace {

int run(int& argc, char** argv, const QString& language, const QString& file) {
    QApplication application(argc, argv);
    ui::setUpApplication(application);
    installLanguage(application, language.isEmpty() ? savedLanguage() : language);
    ui::MessageBoxAlerts alerts;
    Lumetra lumetra(alerts);
    if (!file.isEmpty()) {
        lumetra.runWithFile(file);
    } else {
        lumetra.start();
    }
    return QApplication::exec();
}

const WindowsModule functions{&run};

} // namespace

} // namespace app

extern "C" Q_DECL_EXPORT const app::WindowsModule* lumetraWindowsModule() {
    return &app::functions;
}
