#pragma once

#include "analysis/row_table_model.h"

// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/results.h"
#endif

#include <QTableView>
#include <vector>

namespace analysis {

class CurrentCalibration;

// What a statistic measures, for the unit the report gives it: n, r and R² have none; a, s(a)
// and s(y/x) are absorbances; b and s(b) absorbance per concentration unit, c and s(c) per its
// square; the limits are concentrations.
enum class Quantity { None, Absorbance, Slope, Curvature, Concentration };

// One statistic as the window and the report show it: its label, its value (limits with the
// unit) and, for the coefficients, the half-width at the window's level; "—" with the reason
// where a figure does not exist.
struct StatisticText {
    QString label;
    QString value;
    QString valueTooltip;
    QString halfWidth; // "" for the statistics without one
    QString halfWidthTooltip;
    Quantity quantity = Quantity::None;
};

// The rows of the statistics for the document's model, in their order; without a curve the
// values are empty.
std::vector<StatisticText> statisticTexts(const calibration::CurveResult& curve,
                                          const QString& unit);
// After them: a standard addition's x_E with its interval at the level (the formula of s(x_E)
// its tooltip) and s(x_E), and the response-factor method's F.
void appendModeTexts(const calibration::Results& results, const QString& unit,
                     std::vector<StatisticText>& texts);

// The statistics as a model: label, value, half-width; over the current calibration.
class StatisticsModel final : public RowTableModel {
    Q_OBJECT
public:
    explicit StatisticsModel(const CurrentCalibration& calibration, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void refresh();
    int rows() const override { return int(rows_.size()); }

    std::vector<StatisticText> rows_;
    const CurrentCalibration& calibration_;
};

// The statistics a laboratory reports, one per row, selectable for copying. Figures that need
// more degrees of freedom show "—" with a tooltip why.
class StatisticsTable final : public QTableView {
    Q_OBJECT
public:
    StatisticsTable(StatisticsModel& model, QWidget* parent);

protected:
    QSize viewportSizeHint() const override;

private:
    void fitColumns();

    int contentWidth_ = 0; // the columns at their contents' width
};

} // namespace analysis
