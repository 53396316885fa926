#pragma once

// The document's UTF-8 texts and Qt's UTF-16 ones, both ways without loss: an unpaired surrogate,
// which a QString may hold and UTF-8 cannot, is kept in the generalized form (ED A0 80 for
// U+D800), so that a name read from a file, saved and read again stays as it was.

#include "calibration/message.h"

#include <QString>
#include <string>
#include <string_view>

namespace io {

std::string toDocument(const QString& text);
QString fromDocument(std::string_view text);

// A message rendered through the installed translator, as Qt text.
QString rendered(const calibration::Message& message);

} // namespace io
