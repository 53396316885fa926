// libFuzzer target for the CSV readers.
//
// Checked on every input:
//   - a refusal has a reason, and its message stays one short line;
//   - rows and their line numbers match, the lines counted from 1 and rising;
//   - every standard read is a number pair, and the standards written as CSV (with the internal
//     standard's columns when they have them) read back the same;
//   - every sample has a dilution text (an empty cell gives "1");
//   - the window's and the report's checks run on whatever was read.

#include "calibration/entries.h"
#include "calibration/results.h"
#include "io/calibration.h"
#include "io/csv.h"
#include "io/document_text.h"

#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkRefusal(const io::Error& error) {
    check(!io::rendered(error.reason).isEmpty());
    check(error.message().size() <= 1000);
}

void checkLines(const QList<qsizetype>& lines, qsizetype rows) {
    check(lines.size() == rows && rows > 0);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        check(lines[i] >= 1 && (i == 0 || lines[i] > lines[i - 1]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const io::Expected<io::StandardsCsv> standards = io::readStandardsCsv(bytes);
    if (!standards) {
        checkRefusal(standards.error());
    } else {
        checkLines(standards->lines, standards->rows.size());
        // Written with as many columns as the standards use: C and A, then the internal
        // standard's response and concentration.
        qsizetype columns = 2;
        for (const io::Standard& standard : standards->rows) {
            check(!io::standardNumberProblem(standard));
            const qsizetype used = !standard.cIs.isEmpty() ? 4 : !standard.is.isEmpty() ? 3 : 2;
            columns = std::max(columns, used);
        }
        QList<io::CsvRow> rows;
        for (const io::Standard& standard : standards->rows) {
            rows.append(
                io::CsvRow{standard.c, standard.a, standard.is, standard.cIs}.first(columns));
        }
        const io::Expected<io::StandardsCsv> again = io::readStandardsCsv(io::writeCsv(rows));
        check(again.ok());
        check(again->rows == standards->rows);
        // Any number of standards is a document the window can hold, shown or not in the main
        // window.
        calibration::Document read;
        for (const io::Standard& standard : standards->rows) {
            read.standards.push_back(io::toDocument(standard));
        }
        if (const auto problem =
                calibration::windowProblem(read.standards, calibration::evaluateCurve(read))) {
            check(!calibration::render(*problem).empty());
        }
    }

    const io::Expected<io::SamplesCsv> samples = io::readSamplesCsv(bytes);
    if (!samples) {
        checkRefusal(samples.error());
    } else {
        checkLines(samples->lines, samples->rows.size());
        for (const io::Sample& sample : samples->rows) {
            check(!sample.dilution.isEmpty());
        }
        if (const auto error = io::checkNumbers(samples.value())) {
            checkRefusal(*error);
        }
    }
    return 0;
}
