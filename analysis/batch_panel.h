#pragma once

// The batch's settings above the sample list, stored in the document: the blank correction, the
// sample volume, the factor and the reporting unit, the rounding and what is reported below the
// limit (with the switch's threshold and decimals), the acceptance limits of the quality checks and
// the blank absorbance maximum; and the summary of the checks.

#include "ui/prompts.h"

#include <QString>
#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace analysis {

class CurrentCalibration;

class BatchPanel final : public QWidget {
    Q_OBJECT
public:
    BatchPanel(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent);

    // The settings shown, or folded away with only the problems and the summary left.
    void setSettingsVisible(bool visible);

private:
    void refresh();
    void apply();
    // The boxes marked with the reason their text was not taken, and the problems of the batch.
    void showProblems();

    // A volume, factor, threshold or maximum typed that no result could be computed with.
    struct Refused {
        QLineEdit* box;
        QString text;
        QString reason;
    };
    std::vector<Refused> refused_;

    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
    QWidget* settings_ = nullptr;
    QCheckBox* blankCorrection_ = nullptr;
    QLineEdit* volume_ = nullptr;
    QLineEdit* volumeUnit_ = nullptr;
    QLineEdit* factor_ = nullptr;
    QLineEdit* resultUnit_ = nullptr;
    QComboBox* rounding_ = nullptr;
    QSpinBox* digits_ = nullptr;
    QLabel* digitsUnit_ = nullptr;
    QWidget* switchFields_ = nullptr; // the threshold and the decimals below it
    QLineEdit* switchAt_ = nullptr;
    QSpinBox* switchDecimals_ = nullptr;
    QComboBox* below_ = nullptr;
    QLineEdit* blankAbsorbanceMax_ = nullptr;
    QDoubleSpinBox* minimumR_ = nullptr;
    QDoubleSpinBox* duplicate_ = nullptr;
    QDoubleSpinBox* spikeLow_ = nullptr;
    QDoubleSpinBox* spikeHigh_ = nullptr;
    QDoubleSpinBox* check_ = nullptr;
    QLabel* problem_ = nullptr;
    QLabel* summary_ = nullptr;
    bool refreshing_ = false;
};

} // namespace analysis
