#include "app/language.h"

#include "calibration/message.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace app {

namespace {

const QString kLanguageKey = QStringLiteral("language");
QString installed = QStringLiteral("zh");

// The Qt-free layers mark their texts in a context of their own ("calibration", "io"), translated
// here through Qt; the worksheet's (context "worksheet") are translated by the message box that
// shows them (ui/alerts.cpp).
std::string translateCalibration(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

} // namespace

QString savedLanguage() {
    return QSettings().value(kLanguageKey).toString() == u"en" ? QStringLiteral("en")
                                                               : QStringLiteral("zh");
}

void saveLanguage(const QString& language) {
    QSettings().setValue(kLanguageKey, language);
}

QString currentLanguage() {
    return installed;
}

void installLanguage(QCoreApplication& application, const QString& language) {
    installed = language == u"en" ? QStringLiteral("en") : QStringLiteral("zh");
    auto* translator = new QTranslator(&application);
    if (installed == u"en") {
        // The program's own texts; Qt's are English already.
        if (translator->load(QStringLiteral(":/lumetra/i18n/lumetra_en.qm"))) {
            QCoreApplication::installTranslator(translator);
        }
    } else {
        // Qt's own texts in Chinese too: the message box's button reads "确定".
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        QLocale::setDefault(chinese);
        if (translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
        }
    }
    calibration::setTranslator(&translateCalibration);
}

} // namespace app
