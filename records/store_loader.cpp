#include "io/module_loader.h"
#include "records/store.h"

#include <QFileInfo>

namespace records {

namespace {

const RecordsModule* recordsModule(std::string& whyNot) {
    QString reason;
    const RecordsModule* module = io::loadedModule<RecordsModule>(
        LUMETRA_RECORDS_MODULE_FROM_BINDIR, LUMETRA_RECORDS_MODULE_IN_BUILD, "lumetraRecordsModule",
        reason);
    whyNot = reason.toStdString();
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
