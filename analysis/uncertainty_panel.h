#pragma once

// The measurement uncertainty in the analysis window: its settings in the batch settings (the
// way, the relative components in %, the recovery from the spikes, the coverage), and the tab
// "不确定度" with the budget of the selected sample: each component, its input, its standard and
// relative standard uncertainty, and its share of u_c² as a number and a bar.

#include "analysis/uncertainty_texts.h"

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;

namespace analysis {

class CurrentCalibration;

class UncertaintySettingsRow final : public QWidget {
    Q_OBJECT
public:
    UncertaintySettingsRow(CurrentCalibration& calibration, QWidget* parent);

private:
    void refresh();
    void apply();

    CurrentCalibration& calibration_;
    QComboBox* way_ = nullptr;
    QDoubleSpinBox* volume_ = nullptr;
    QDoubleSpinBox* dilution_ = nullptr;
    QDoubleSpinBox* standard_ = nullptr;
    QDoubleSpinBox* recovery_ = nullptr;
    QCheckBox* spikes_ = nullptr;
    QComboBox* coverage_ = nullptr;
    bool refreshing_ = false;
};

class UncertaintyTab final : public QWidget {
    Q_OBJECT
public:
    UncertaintyTab(CurrentCalibration& calibration, QWidget* parent);

    // The budget of sample row `row` (-1: none selected).
    void showRow(int row);

private:
    void refresh();

    CurrentCalibration& calibration_;
    int row_ = -1;
    QLabel* summary_ = nullptr;
    QTableWidget* budget_ = nullptr;
};

} // namespace analysis
