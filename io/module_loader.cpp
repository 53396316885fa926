#include "io/module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

namespace io {

QFunctionPointer moduleEntry(const char* fromBinDir, const char* inBuild, const char* symbol,
                             QString& whyNot) {
    QStringList paths;
    if (QCoreApplication::instance() != nullptr) {
        paths
            << QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(fromBinDir));
    }
    paths << QString::fromUtf8(inBuild);
    for (const QString& path : paths) {
        QLibrary library(path);
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
