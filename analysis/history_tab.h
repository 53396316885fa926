#pragma once

#include "analysis/row_table_model.h"

#include <QWidget>

namespace analysis {

class CurrentCalibration;

// The document's change history, one entry a row: time, user and the change in words.
class HistoryModel final : public RowTableModel {
    Q_OBJECT
public:
    explicit HistoryModel(const CurrentCalibration& calibration, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int rows() const override { return rows_; }
    void refresh();

    const CurrentCalibration& calibration_;
    int rows_ = 0;
};

// The tab "记录".
class HistoryTab final : public QWidget {
    Q_OBJECT
public:
    HistoryTab(const CurrentCalibration& calibration, QWidget* parent);
};

} // namespace analysis
