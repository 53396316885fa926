#pragma once

// A batch's identity in the quality-control database: the SHA-256 of the document's canonical
// form, so that the same standards and samples filed twice are one batch and any changed reading
// is another.
//
// The canonical form is the .lumetra file's bytes (calibrationBytes: keys in the program's
// fixed order, every text as typed, LF line ends) of the document with what is not the batch
// itself taken out:
//   - the change history (who changed what, and when);
//   - "created", the day the document was made;
//   - each sample's "main_result" and "earlier_curve": the main window's result text for a row
//     it added, a result and not a reading, emptied whenever a new curve replaces its own.
// Everything else counts: the unit, the standards with their exclusions and reasons, the sample
// rows with their types, the settings, the report's header (its analysis date included: a day
// the user typed, not a time the program took) and the method's name, hash and validated limits.
// Since the form is written from the document as read, a file whose keys stand in another order,
// or that was saved again, gives the same identity.

#include "calibration/document.h"

#include <QByteArray>
#include <string>

namespace io {

QByteArray canonicalBytes(const calibration::Document& document);

// 64 lowercase hexadecimal digits.
std::string batchIdentity(const calibration::Document& document);

} // namespace io
