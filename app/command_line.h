#pragma once

#include <QStringList>

namespace app {

// Exit codes of the command line, for scripts.
enum ExitCode : int {
    kSuccess = 0,
    kCannotFit = 1, // fewer than two standards, all concentrations or all absorbances equal
    kFailure = 2,   // a usage error, a file that cannot be read, a value that is not a number
};

// The program's command line without its windows: `lumetra report FILE [--samples CSV]
// [--json]`, `--help` and `--version`. Runs under a QCoreApplication (no display, no platform
// plugin) and returns the exit code; results go to standard output, one line of error to
// standard error.
int runCommandLine(const QStringList& arguments);

} // namespace app
