#include "analysis/pdf_module.h"

#include "analysis/printed_record.h"
#include "calibration/message.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace analysis {

namespace {

QCoreApplication* application(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
}

// The module holds its own copy of the calibration layer, whose texts on the pages are
// translated through Qt like the program's (app/language.cpp).
std::string translateCalibration(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

std::optional<io::Error> write(const QString& path, const calibration::Document& document,
                               const calibration::Results& results, const ReportSource& source) {
    calibration::setTranslator(&translateCalibration);
    return saveReportPdf(path, reportContent(document, results, source));
}

const PdfModule functions{&application, &write};

} // namespace

} // namespace analysis

extern "C" Q_DECL_EXPORT const analysis::PdfModule* lumetraPdfModule() {
    return &analysis::functions;
}
