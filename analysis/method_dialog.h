#pragma once

// "保存为方法": what a method saved from the document carries beyond its settings: its name
// (required) and the method detection limit its validation found, taken from the document's own
// validation when it has one (seven 检出限样 rows or blanks), else typed, with the day of the
// validation and the SHA-256 of the validation's saved file.

#include "ui/prompts.h"
// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/method.h"
#endif

#include <QDialog>

class QLabel;
class QLineEdit;

namespace analysis {

class CurrentCalibration;

class MethodDialog final : public QDialog {
    Q_OBJECT
public:
    MethodDialog(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent);

    // Filled from the document as it stands and opened (window-modal); an accepted dialog emits
    // methodReady.
    void edit();
    void accept() override;

signals:
    void methodReady(const calibration::Method& method);

private:
    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
    QLineEdit* name_ = nullptr;
    QLineEdit* mdl_ = nullptr;
    QLabel* mdlUnit_ = nullptr;
    QLabel* mdlSource_ = nullptr;
    QLineEdit* date_ = nullptr;
    QLabel* validation_ = nullptr;
    bool fromValidation_ = false;
    std::string validationSha256_;
};

} // namespace analysis
