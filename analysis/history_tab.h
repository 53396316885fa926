#pragma once

#include <QAbstractTableModel>
#include <QWidget>

namespace analysis {

class CurrentCalibration;

// The document's change history, one entry a row: time, user and the change in words.
class HistoryModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit HistoryModel(const CurrentCalibration& calibration, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
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
