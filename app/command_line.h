#pragma once

#include <QStringList>

namespace analysis {
struct PdfModule;
}

namespace app {

// Exit codes of the command line, for scripts.
enum ExitCode : int {
    kSuccess = 0,
    kCannotFit = 1, // no curve (too few standards, no spread, a weighting that cannot be used), or
                    // a slope of 0 from which no concentration can be read
    kFailure = 2,   // a usage error, a file that cannot be read, a value that is not a number
    kQualityFailed = 3, // --strict: a quality rule of the batch failed (the report is written)
};

// The program's command line without its windows: `lumetra report FILE` with its options (the
// samples and blanks, the model, validation and batch settings, --json, --pdf, --strict,
// --lang; see --help), `--help` and `--version`. Runs under a QCoreApplication (no display, no
// platform plugin) and returns the exit code; results go to standard output, one line of error to
// standard error.
int runCommandLine(const QStringList& arguments);

// The module that draws the report as a PDF (analysis/pdf_module.h), loaded at the first call and
// kept; nullptr when it cannot be loaded, with the reason as the command line's line of error
// in `whyNot`.
const analysis::PdfModule* pdfModule(QString* whyNot);

} // namespace app
