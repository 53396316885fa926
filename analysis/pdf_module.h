#pragma once

// The printed report as the command line reaches it: `lumetra report --pdf` loads the drawing
// (Qt Gui, the fonts, the PDF writer) from a module of its own, liblumetra_pdf.so, so that every
// other run of the command line loads Qt Core alone. The program and the module are built
// together, so C++ types cross.

#include "analysis/report_source.h"
#include "io/error.h"
// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/document.h"
#include "calibration/results.h"
#endif

#include <QString>
#include <optional>

class QCoreApplication;

namespace analysis {

struct PdfModule {
    // The application the pages need for Qt's fonts: a QGuiApplication on the offscreen platform,
    // whatever the environment says, given only the program's name of the arguments (a -platform
    // among them would choose another). Made once, before any other application.
    QCoreApplication* (*application)(int& argc, char** argv);
    // The report of the document and its results as a PDF at `path`, whole or not at all; the
    // error, naming the file, when it fails. Needs the application above (or another
    // QGuiApplication).
    std::optional<io::Error> (*write)(const QString& path, const calibration::Document& document,
                                      const calibration::Results& results,
                                      const ReportSource& source);
};

} // namespace analysis
