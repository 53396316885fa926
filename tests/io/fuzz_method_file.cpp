// libFuzzer target for the method file reader.
//
// Checked on every input:
//   - a refusal has a reason, and its message stays one short line;
//   - a method that is read writes out and reads back as the same method (its hash that of the
//     bytes written), byte for byte the second time;
//   - applied to a document it gives one the calibration file writes and reads back as it is, and
//     whose results and reports are made without a fault.

#include "calibration/data_report.h"
#include "calibration/method.h"
#include "io/calibration_file.h"
#include "io/document_text.h"
#include "io/method_file.h"

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
    const io::Expected<calibration::Method> read = io::readMethod(bytes);
    if (!read) {
        check(!io::rendered(read.error().reason).isEmpty());
        check(read.error().message().size() <= 1000);
        return 0;
    }
    check(read->sha256 == io::sha256Hex(bytes));
    const QByteArray written = io::methodBytes(read.value());
    io::Expected<calibration::Method> again = io::readMethod(written);
    check(again.ok());
    check(again->sha256 == io::sha256Hex(written));
    calibration::Method expected = read.value();
    expected.sha256 = again->sha256;
    check(again.value() == expected);
    check(io::methodBytes(again.value()) == written);

    calibration::Document document;
    document.standards = {
        {"0", "0.01", false, {}}, {"1", "0.11", false, {}}, {"2", "0.2", false, {}}};
    document.samples.push_back({"B", "0.012", "", {}, false, "blank", {}, {}, {}, {}, {}});
    document = calibration::withMethod(document, read.value());
    const io::Expected<calibration::Document> file =
        io::readCalibration(io::calibrationBytes(document));
    check(file.ok());
    check(file.value() == document);
    const calibration::Results results = calibration::evaluate(document);
    check(!calibration::reportJson(document, results).empty());
    return 0;
}
