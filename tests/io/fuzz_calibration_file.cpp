// libFuzzer target for the calibration file reader.
//
// Checked on every input:
//   - a refusal has a reason, and its message stays one short line;
//   - a calibration that is read writes out and reads back as the same value, byte for byte the
//     second time;
//   - the window's and the report's checks run on whatever was read.

#include "io/calibration_file.h"

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
    const io::Expected<io::Calibration> read = io::readCalibration(bytes);
    if (!read) {
        check(!read.error().reason.isEmpty());
        check(read.error().message().size() <= 1000);
        return 0;
    }
    const QByteArray written = io::calibrationBytes(read.value());
    const io::Expected<io::Calibration> again = io::readCalibration(written);
    check(again.ok());
    check(again.value() == read.value());
    check(io::calibrationBytes(again.value()) == written);

    const auto forWindow = io::checkForWindow(read.value());
    const auto numbers = io::checkNumbers(read.value());
    // The window's limits include the report's.
    check(!numbers || forWindow);
    return 0;
}
