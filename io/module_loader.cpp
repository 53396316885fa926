#include "io/module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace io {

namespace {

bool addressSanitized() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

QLibrary::LoadHints loadHints(ModuleBinding binding) {
    if (binding == ModuleBinding::OwnLibrariesFirst && !addressSanitized() &&
        qEnvironmentVariableIsEmpty("LD_PRELOAD")) {
        return QLibrary::DeepBindHint;
    }
    return {};
}

} // namespace

QFunctionPointer moduleEntry(const char* fromBinDir, const char* inBuild, const char* symbol,
                             QString& whyNot, ModuleBinding binding) {
    // The program's folder: Qt's answer once the application exists; before it (the windows'
    // module is loaded before their application is made) the folder of the running program.
    QString programFolder;
    if (QCoreApplication::instance() != nullptr) {
        programFolder = QCoreApplication::applicationDirPath();
    } else if (const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
               !program.isEmpty()) {
        programFolder = QFileInfo(program).absolutePath();
    }
    QStringList paths;
    if (!programFolder.isEmpty()) {
        paths << QDir(programFolder).filePath(QString::fromUtf8(fromBinDir));
    }
    paths << QString::fromUtf8(inBuild);
    for (const QString& path : paths) {
        // Never unloaded: the errors and messages a module gives back point into its texts.
        QLibrary library(path);
        library.setLoadHints(loadHints(binding));
        if (library.load()) {
            if (const QFunctionPointer entry = library.resolve(symbol)) {
                whyNot.clear();
                return entry;
            }
        }
        whyNot = library.errorString();
    }
    return nullptr;
}

} // namespace io
