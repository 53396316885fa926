#include "records/configured.h"

#include <QSettings>
#include <QString>
#include <QtGlobal>

namespace records {

namespace {

using calibration::Message;

const QString kEngine = QStringLiteral("qcDatabase/engine");
const QString kHost = QStringLiteral("qcDatabase/host");
const QString kPort = QStringLiteral("qcDatabase/port");
const QString kName = QStringLiteral("qcDatabase/database");
const QString kUser = QStringLiteral("qcDatabase/user");

std::string textOf(const QSettings& settings, const QString& key) {
    return settings.value(key).toString().trimmed().toStdString();
}

} // namespace

DatabaseSetting savedSetting() {
    const QSettings settings;
    DatabaseSetting setting;
    setting.postgresql = settings.value(kEngine).toString() == u"postgresql";
    setting.host = textOf(settings, kHost);
    const int port = settings.value(kPort).toInt();
    setting.port = port >= 1 && port <= 65535 ? port : 0;
    setting.database = textOf(settings, kName);
    setting.user = textOf(settings, kUser);
    return setting;
}

void saveSetting(const DatabaseSetting& setting) {
    QSettings settings;
    settings.setValue(kEngine,
                      setting.postgresql ? QStringLiteral("postgresql") : QStringLiteral("sqlite"));
    settings.setValue(kHost, QString::fromStdString(setting.host));
    settings.setValue(kPort, setting.port);
    settings.setValue(kName, QString::fromStdString(setting.database));
    settings.setValue(kUser, QString::fromStdString(setting.user));
}

std::variant<DatabaseUrl, Message> urlOf(const DatabaseSetting& setting) {
    if (!setting.postgresql) {
        return defaultDatabase();
    }
    if (setting.database.empty()) {
        return Message(
            QT_TRANSLATE_NOOP("calibration", "质控数据库设置为 PostgreSQL，但未填写数据库名"));
    }
    DatabaseUrl url;
    url.engine = DatabaseUrl::Engine::Postgresql;
    // A folder is the Unix socket's, as libpq takes it for a host.
    (setting.host.starts_with('/') ? url.socketDirectory : url.host) = setting.host;
    url.port = setting.port;
    url.database = setting.database;
    url.user = setting.user;
    return url;
}

std::optional<std::string> environmentDatabase() {
    const QString text = qEnvironmentVariable("LUMETRA_DATABASE").trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return text.toStdString();
}

std::variant<DatabaseUrl, Message> configuredDatabase() {
    if (const auto text = environmentDatabase()) {
        auto url = parseDatabaseUrl(*text);
        if (const Message* why = std::get_if<Message>(&url)) {
            return calibration::located(
                Message(QT_TRANSLATE_NOOP("calibration", "环境变量 LUMETRA_DATABASE")), *why);
        }
        return url;
    }
    return urlOf(savedSetting());
}

} // namespace records
