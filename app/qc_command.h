#pragma once

#include <QString>
#include <QStringList>

namespace app {

// `lumetra qc COMMAND`: the quality-control database read from the command line.
//   qc chart (--method NAME | --analyte NAME) --series S [--rules gb|westgard] [--sigma sd|mr]
//            [--reference N|FROM..TO] [--unfrozen] [--json]
//   qc freeze (--method NAME | --analyte NAME) --series S [--reference ...] [--sigma ...] [--json]
//   qc list [--json]
//   qc export OUT.csv
//   qc file FILE [the options of `lumetra report` but --pdf, --history] [--json]
// each with [--database URL] (else LUMETRA_DATABASE, else the settings, else the default file).
// Exit codes as the report's: 0 done (a batch filed already too), 1 no chart from the points
// there are (none, too few in the reference period, all equal) or no curve to file, 2 a usage
// error, a database that cannot be opened or read, a file that cannot be read or written, 3 `file`
// with --strict and a quality rule failed or not judged (the batch is filed).

// Whether the command line asks for one of these: its first argument but --lang is "qc".
bool isQcCommand(const QStringList& arguments);

// Runs it, the program's name first in `arguments`; returns the exit code.
int runQcCommand(const QStringList& arguments);

// The lines the program's --help gives these commands.
QString qcCommandsHelp();

} // namespace app
