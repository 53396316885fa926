#include "app/lumetra.h"
#include "ui/alerts.h"
#include "ui/application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::setUpApplication(application);
    ui::MessageBoxAlerts alerts;
    app::Lumetra lumetra(alerts);
    lumetra.start();
    return QApplication::exec();
}
