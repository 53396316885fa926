#include "analysis/export_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace analysis {

namespace {

using Entry = const ExportModule* (*)();

// Beside an installed program, at the same place relative to its folder; in a build folder,
// where the build put it.
QStringList places() {
    QStringList paths;
    if (QCoreApplication::instance() != nullptr) {
        paths << QDir(QCoreApplication::applicationDirPath())
                     .filePath(QStringLiteral(LUMETRA_EXPORT_MODULE_FROM_BINDIR));
    }
    paths << QStringLiteral(LUMETRA_EXPORT_MODULE_IN_BUILD);
    return paths;
}

} // namespace

const ExportModule* exportModule(QString* whyNot) {
    static const ExportModule* module = nullptr;
    static QString reason;
    if (module == nullptr && reason.isEmpty()) {
        for (const QString& path : places()) {
            QLibrary library(path);
            if (library.load()) {
                if (const auto entry =
                        reinterpret_cast<Entry>(library.resolve("lumetraExportModule"))) {
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
    if (module == nullptr && whyNot != nullptr) {
        *whyNot = QCoreApplication::translate("Export", "无法加载导出模块（%1）").arg(reason);
    }
    return module;
}

} // namespace analysis
