// libFuzzer target for the calibration file reader.
//
// Checked on every input:
//   - the file reads as it reads with every field through Qt's JSON tree: the same value, or the
//     same refusal;
//   - a refusal has a reason, and its message stays one short line;
//   - a calibration that is read writes out and reads back as the same value, byte for byte the
//     second time;
//   - whatever was read is evaluated, and its reports written, without a fault.

#include "calibration/data_report.h"
#include "calibration/results.h"
#include "io/calibration_file.h"
#include "io/document_text.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const io::Expected<calibration::Document> read = io::readCalibration(bytes);
    const io::Expected<calibration::Document> tree = io::readCalibrationThroughTree(bytes);
    check(read.ok() == tree.ok());
    if (read.ok()) {
        check(read.value() == tree.value());
    } else {
        check(read.error().message() == tree.error().message());
    }
    if (!read) {
        check(!io::rendered(read.error().reason).isEmpty());
        check(read.error().message().size() <= 1000);
        return 0;
    }
    const QByteArray written = io::calibrationBytes(read.value());
    const io::Expected<calibration::Document> again = io::readCalibration(written);
    check(again.ok());
    check(again.value() == read.value());
    check(io::calibrationBytes(again.value()) == written);

    const calibration::Results results = calibration::evaluate(read.value());
    check(results.samples.size() == read->samples.size());
    check(!calibration::reportJson(read.value(), results).empty());
    check(results.curve.problem.has_value() != results.curve.fit.has_value());
    return 0;
}
