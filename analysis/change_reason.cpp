#include "analysis/change_reason.h"

#include "analysis/current_calibration.h"
#include "io/document_text.h"

#include <QCoreApplication>

namespace analysis {

bool ChangeReason::asked(const CurrentCalibration& calibration) {
    return !calibration.file().isEmpty();
}

ChangeReason::ChangeReason(CurrentCalibration& calibration, ui::Prompts& prompts,
                           const QString& question)
    : calibration_(calibration) {
    if (!asked(calibration)) {
        return;
    }
    const std::optional<QString> reason = prompts.askText(
        question.isEmpty()
            ? QCoreApplication::translate("analysis::ChangeReason", "记录已保存，请说明修改原因：")
            : question,
        QString());
    if (!reason) {
        granted_ = false;
        return;
    }
    if (reason->trimmed().isEmpty()) {
        prompts.tell(
            QCoreApplication::translate("analysis::ChangeReason", "修改已保存的记录必须说明原因"));
        granted_ = false;
        return;
    }
    calibration_.setReason(io::toDocument(reason->trimmed()));
    set_ = true;
}

ChangeReason::~ChangeReason() {
    if (set_) {
        calibration_.setReason({});
    }
}

bool changeSettings(CurrentCalibration& calibration, ui::Prompts& prompts,
                    const calibration::Settings& settings) {
    if (settings == calibration.document().settings) {
        return true;
    }
    const ChangeReason reason(calibration, prompts);
    if (!reason) {
        return false;
    }
    calibration.setSettings(settings);
    return true;
}

} // namespace analysis
