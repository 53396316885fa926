#pragma once

// The windows live in a module of their own, liblumetra_windows.so, loaded only when a window is
// shown: the command line, which draws nothing, then loads neither Qt Widgets nor Qt Gui. The
// program and the module are built together, so C++ types cross.

#include <QString>

namespace app {

struct WindowsModule {
    // Makes the QApplication of the arguments, installs `language` ("en" or "zh"; "" for the saved
    // one), shows the cover, or the main window with `file` opened when it is not empty, and runs
    // the event loop to its end; returns the exit code.
    int (*run)(int& argc, char** argv, const QString& language, const QString& file);
};

} // namespace app
