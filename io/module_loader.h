#pragma once

#include <QString>

namespace io {

// The entry function `symbol` of the first of two places that loads and has it: the module's
// place relative to the program's folder when installed (found with or without a
// QCoreApplication), and where the build put it. nullptr with the loader's reason when neither
// does. A loaded module stays loaded.
QFunctionPointer moduleEntry(const char* fromBinDir, const char* inBuild, const char* symbol,
                             QString& whyNot);

// A module whose entry returns its table of functions, loaded at the first call and kept; a
// failure is remembered with its reason and not tried again.
template <typename Module>
const Module* loadedModule(const char* fromBinDir, const char* inBuild, const char* symbol,
                           QString& whyNot) {
    static const Module* module = nullptr;
    static QString reason;
    if (module == nullptr && reason.isEmpty()) {
        if (const QFunctionPointer entry = moduleEntry(fromBinDir, inBuild, symbol, reason)) {
            module = reinterpret_cast<const Module* (*)()>(entry)();
        }
    }
    if (module == nullptr) {
        whyNot = reason;
    }
    return module;
}

} // namespace io
