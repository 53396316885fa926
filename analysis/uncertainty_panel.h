#pragma once

// The measurement uncertainty in the analysis window: its settings in the batch settings (the
// way, the relative components in %, the recovery from the spikes, the coverage), and the tab
// "不确定度" with the budget of the selected sample: each component, its input, its standard and
// relative standard uncertainty, and its share of u_c² as a number and a bar.

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;

namespace calibration {
struct SampleResult;
struct Document;
} // namespace calibration

namespace calibration {
struct Results;
}

namespace analysis {

class CurrentCalibration;
struct ReportContent;

// The printed report with the uncertainty, when a way is chosen: the column U beside the result,
// the way in the batch's lines, and the budget of one typical sample (of the plain samples with
// an uncertainty, the one whose result is the median).
void addUncertaintyToReport(ReportContent& content, const calibration::Document& document,
                            const calibration::Results& results);

// The sample table's cell: U as written, "—" when there is none (the reason in the tooltip),
// nothing when no way is chosen.
QString expandedCell(const calibration::SampleResult& result);
QString expandedReason(const calibration::SampleResult& result);
// "U (k=2)", "U (k=t)".
QString expandedHeader(const calibration::Document& document);

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
