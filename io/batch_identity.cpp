#include "io/batch_identity.h"

#include "io/calibration_file.h"
#include "io/method_file.h"

namespace io {

QByteArray canonicalBytes(const calibration::Document& document) {
    // A copy of the whole, so that a field the document gains counts without being named here.
    calibration::Document batch = document;
    batch.history.clear();
    batch.created.clear();
    for (calibration::Sample& sample : batch.samples) {
        sample.mainResult.clear();
        sample.earlierCurve = false;
    }
    return calibrationBytes(batch);
}

std::string batchIdentity(const calibration::Document& document) {
    return sha256Hex(canonicalBytes(document));
}

} // namespace io
