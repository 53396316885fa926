#include "app/language.h"
#include "ui/application.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The program keeps its last worksheet in its data folder: here a folder of the test's own,
    // never the user's home.
    QTemporaryDir dataHome;
    if (!dataHome.isValid()) {
        return 1;
    }
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    // Its settings (the analysis window's place, the folder last used, the report's header) too.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dataHome.path() + u"/config"_qs));
    QApplication application(argc, argv);
    ui::setUpApplication(application);
    // Chinese, as the program starts, unless a test binary asks for English.
    app::installLanguage(application, qEnvironmentVariable("LUMETRA_TEST_LANGUAGE"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
