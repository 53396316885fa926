#pragma once

#include <QString>

namespace io {

// The entry function `symbol` of the first of two places that loads and has it: the module's
// place relative to the program's folder when installed (found with or without a
// QCoreApplication), and where the build put it. nullptr with the loader's reason when neither
// does. A loaded module stays loaded.
//
// `OwnLibrariesFirst` has the module and the libraries it brings (Qt Gui, Qt Widgets and theirs)
// look their symbols up among themselves before the program's own libraries (RTLD_DEEPBIND).
// Otherwise every one of the many thousand symbols they bind is first looked for in the program
// and Qt Core's dependencies, which made the windows' start some 13% more instructions than a
// program linked to them. Loaded in the ordinary order when a library is preloaded (LD_PRELOAD:
// an allocator or a test's interposed calls must come first, as everywhere else) and under the
// address sanitizer, which refuses the other.
enum class ModuleBinding { Ordinary, OwnLibrariesFirst };

QFunctionPointer moduleEntry(const char* fromBinDir, const char* inBuild, const char* symbol,
                             QString& whyNot, ModuleBinding binding = ModuleBinding::Ordinary);

// A module whose entry returns its table of functions, loaded at the first call and kept; a
// failure is remembered with its reason and not tried again.
template <typename Module>
const Module* loadedModule(const char* fromBinDir, const char* inBuild, const char* symbol,
                           QString& whyNot, ModuleBinding binding = ModuleBinding::Ordinary) {
    static const Module* module = nullptr;
    static QString reason;
    if (module == nullptr && reason.isEmpty()) {
        if (const QFunctionPointer entry =
                moduleEntry(fromBinDir, inBuild, symbol, reason, binding)) {
            module = reinterpret_cast<const Module* (*)()>(entry)();
        }
    }
    if (module == nullptr) {
        whyNot = reason;
    }
    return module;
}

} // namespace io
