#pragma once

// Once a document has been saved, its record is what a reviewer reads: a change made in the
// analysis window to a reading, a standard, an exclusion or a setting that changes results then
// carries the reason its user gives, kept in the history entry it makes. A document never saved
// (no file) asks nothing, and the main window's designed flow never comes here.
//
//   const ChangeReason reason(calibration, prompts);
//   if (!reason) {
//       return; // cancelled, or no reason given: nothing changes
//   }
//   calibration.editSample(...); // the entry carries the reason
//
// The reason holds for every entry recorded while the object lives, so that a pasted block or
// a removal of several rows asks once.

#include "ui/prompts.h"
// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/document.h"
#endif

#include <QString>

namespace analysis {

class CurrentCalibration;

class ChangeReason {
public:
    // Asks when the document has a file. `question` says what is about to change; an empty
    // answer is refused with a message and counts as cancelled.
    ChangeReason(CurrentCalibration& calibration, ui::Prompts& prompts,
                 const QString& question = {});
    ~ChangeReason();
    ChangeReason(const ChangeReason&) = delete;
    ChangeReason& operator=(const ChangeReason&) = delete;

    // Whether the change may be made.
    explicit operator bool() const { return granted_; }

    // Whether a change in the analysis window asks for its reason now.
    static bool asked(const CurrentCalibration& calibration);

private:
    CurrentCalibration& calibration_;
    bool granted_ = true;
    bool set_ = false;
};

// The settings set on the document, after asking for the reason when one is asked: false when
// the user cancelled (nothing changed). Settings equal to the document's ask nothing.
bool changeSettings(CurrentCalibration& calibration, ui::Prompts& prompts,
                    const calibration::Settings& settings);

} // namespace analysis
