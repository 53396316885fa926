#pragma once

// The names the save dialogs propose: what the laboratory files a batch under.

// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/document.h"
#endif

#include <QString>

namespace analysis {

// A text made fit to be a file's name on any system the file may travel to: each character that
// one of them refuses in a name (/ \ : * ? " < > |, control characters) becomes "-", blanks at the
// ends and dots at the end go: "QL/2026:118" -> "QL-2026-118".
QString fileNameOf(const QString& text);

// The name a document is filed under, without a suffix: the header's batch number ("项目/批号"),
// else its analyte and analysis date ("氨氮 2026-12-07"; the day it was created when no date is
// given); "" when neither names it.
QString proposedName(const calibration::Document& document);

} // namespace analysis
