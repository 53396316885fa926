#include "analysis/export_module.h"
#include "io/document_text.h"
#include "io/module_loader.h"

#include <QCoreApplication>

namespace analysis {

const ExportModule* exportModule(calibration::Message* whyNot) {
    QString reason;
    const ExportModule* module = io::loadedModule<ExportModule>(LUMETRA_EXPORT_MODULE_FROM_BINDIR,
                                                                LUMETRA_EXPORT_MODULE_IN_BUILD,
                                                                "lumetraExportModule", reason);
    if (module == nullptr && whyNot != nullptr) {
        *whyNot = calibration::Message::in("Export",
                                           QT_TRANSLATE_NOOP("Export", "无法加载导出模块（%1）"),
                                           {io::toDocument(reason)});
    }
    return module;
}

} // namespace analysis
