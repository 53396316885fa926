#pragma once

// The settings of the document's model and validation, and what helps choosing them: the model
// and weighting above the statistics with the model in one line, the intercept test and the
// comparison of weightings, and the validation tab.

#include "ui/prompts.h"

#include <QWidget>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QTableView;

namespace analysis {

class CurrentCalibration;
class ValidationModel;
class WeightingTable;

// "校准方式" (外标 or 标准加入) with "内标" in a line above "模型", "权重" and "置信水平", above
// the statistics (the first two may stand elsewhere, see placeCalibrationType()), and the model in
// one line below them. A switch of type or option keeps every row as typed.
class ModelControls final : public QWidget {
    Q_OBJECT
public:
    ModelControls(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent);

    // "校准方式" and "内标" stacked at the end of the given column (where a narrow window has
    // room to spare), or with nullptr back in their line above the model's.
    void placeCalibrationType(QBoxLayout* column);

private:
    void refresh();
    void apply();

    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
    QBoxLayout* column_ = nullptr; // the controls' own: the type's line, the model's, the line
    QWidget* typeBox_ = nullptr;
    QBoxLayout* typeLayout_ = nullptr;
    QBoxLayout* typeHolder_ = nullptr; // the layout holding typeBox_
    QComboBox* type_ = nullptr;
    QCheckBox* internalStandard_ = nullptr;
    QComboBox* model_ = nullptr;
    QComboBox* weighting_ = nullptr;
    QComboBox* level_ = nullptr;
    QLabel* line_ = nullptr;
    bool refreshing_ = false;
};

// The tab "模型": whether the intercept differs from 0, and each usable weighting with the sum of
// the relative errors of the back-calculated standards; choosing a row applies its weighting.
class ModelTab final : public QWidget {
    Q_OBJECT
public:
    ModelTab(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent);

private:
    void refresh();

    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
    QLabel* intercept_ = nullptr;
    WeightingTable* weightings_ = nullptr;
    QTableView* table_ = nullptr;
};

// The tab "验证": α, k, m, the reported limit and the bands of the plot, and every validation
// figure with its criterion and verdict.
class ValidationTab final : public QWidget {
    Q_OBJECT
public:
    ValidationTab(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent);

    bool showConfidence() const;
    bool showPrediction() const;

signals:
    void bandsChanged();

private:
    void refresh();
    void apply();

    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
    QComboBox* alpha_ = nullptr;
    QDoubleSpinBox* k_ = nullptr;
    QSpinBox* m_ = nullptr;
    QComboBox* limit_ = nullptr;
    QCheckBox* confidence_ = nullptr;
    QCheckBox* prediction_ = nullptr;
    ValidationModel* rows_ = nullptr;
    QTableView* table_ = nullptr;
    bool refreshing_ = false;
};

} // namespace analysis
