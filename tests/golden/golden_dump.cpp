// Writes what a calibration file gives besides the command line's reports: the file as the
// program saves it again and the window's CSV export, for the golden-output test.
//   golden_dump IN.lumetra OUT_PREFIX  ->  OUT_PREFIX.saved.lumetra, OUT_PREFIX.export.csv

#include "analysis/csv_export.h"
#include "calibration/results.h"
#include "io/calibration_file.h"
#include "io/csv.h"
#include "io/files.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: golden_dump IN.lumetra OUT_PREFIX\n", stderr);
        return 2;
    }
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const auto document = io::readCalibrationFile(QString::fromLocal8Bit(argv[1]));
    if (!document) {
        std::fputs(qPrintable(document.error().message() + u'\n'), stderr);
        return 2;
    }
    const calibration::Results results = calibration::evaluate(document.value());
    const QByteArray saved = io::calibrationBytes(document.value());
    const QByteArray csv = io::writeCsv(analysis::exportTable(document.value(), results));
    for (const auto& [suffix, bytes] :
         {std::pair{u".saved.lumetra", &saved}, {u".export.csv", &csv}}) {
        if (const auto error =
                io::saveFileAtomically(prefix + QString::fromUtf16(suffix), *bytes)) {
            std::fputs(qPrintable(error->message() + u'\n'), stderr);
            return 2;
        }
    }
    return 0;
}
