#include "records/store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace records {

namespace {

using Entry = const RecordsModule* (*)();

// Beside an installed program, at the same place relative to its folder; in a build folder,
// where the build put it.
QStringList places() {
    QStringList paths;
    if (QCoreApplication::instance() != nullptr) {
        paths << QDir(QCoreApplication::applicationDirPath())
                     .filePath(QStringLiteral(LUMETRA_RECORDS_MODULE_FROM_BINDIR));
    }
    paths << QStringLiteral(LUMETRA_RECORDS_MODULE_IN_BUILD);
    return paths;
}

// The module, loaded at the first call and kept; nullptr with the reason when it cannot be.
const RecordsModule* recordsModule(std::string& whyNot) {
    static const RecordsModule* module = nullptr;
    static QString reason;
    if (module == nullptr && reason.isEmpty()) {
        for (const QString& path : places()) {
            QLibrary library(path);
            if (library.load()) {
                if (const auto entry =
                        reinterpret_cast<Entry>(library.resolve("lumetraRecordsModule"))) {
                    module = entry();
                    break;
                }
            }
            reason = library.errorString();
        }
        if (module != nullptr) {
            reason.clear();
        }
    }
    if (module == nullptr) {
        whyNot = reason.toStdString();
    }
    return module;
}

} // namespace

Outcome<std::unique_ptr<Store>> openStore(const DatabaseUrl& url, const OpenOptions& options) {
    std::string whyNot;
    const RecordsModule* module = recordsModule(whyNot);
    if (module == nullptr) {
        return Fault{
            Fault::Kind::NoDriver,
            calibration::Message(QT_TRANSLATE_NOOP("calibration", "无法打开质控数据库 %1：无法加载"
                                                                  "质控数据库模块（%2）"),
                                 {databaseText(url), whyNot})};
    }
    return module->open(url, options);
}

bool missingFile(const DatabaseUrl& url) {
    return url.engine == DatabaseUrl::Engine::Sqlite &&
           !QFileInfo::exists(QString::fromStdString(url.path));
}

} // namespace records
