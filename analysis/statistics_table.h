#pragma once

#include "analysis/row_table_model.h"
#include "analysis/statistic_texts.h"

// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/results.h"
#endif

#include <QTableView>
#include <vector>

namespace analysis {

class CurrentCalibration;

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
