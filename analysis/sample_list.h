#pragma once

#include "analysis/plot_data.h"
#include "calc/report_text.h"
#include "calc/statistics.h"
#include "io/calibration.h"

#include <QAbstractTableModel>
#include <QString>
#include <optional>
#include <vector>

namespace analysis {

// One sample as the user gave it: the texts of its editable cells, and the main window's result
// when it came from there; the same row the calibration files keep.
using SampleEntry = io::Sample;

// The samples measured against the current curve, each with its concentration, uncertainty and
// flags. Rows are kept when the curve changes or goes: they are computed again, or left empty
// with the reason in their tooltip.
class SampleListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Name,
        Readings,
        Dilution,
        Count,
        MeanA,
        X0,
        SX0,
        Ci95X0,
        Flags,
        MainResult,
        Columns
    };

    explicit SampleListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void setStatistics(const std::optional<calc::LineStatistics>& stats);
    void append(const std::vector<SampleEntry>& entries);
    void removeSampleRows(std::vector<int> rows);
    void clear();

    // "样品 N", N one more than the highest such number in the list.
    QString nextSampleName() const;

    const std::vector<SampleEntry>& entries() const { return entries_; }
    // Rows whose readings and dilution are numbers, in list order, as the report writes them.
    std::vector<calc::SampleRow> reportRows() const;
    std::vector<PlotSample> plotSamples() const;
    // The reason a row has no result, "" when it has one.
    QString problem(int row) const;

signals:
    void samplesChanged();

private:
    struct Parsed {
        std::optional<QString> readingsError, dilutionError; // the reasons, in Chinese
        std::vector<double> readings;
        double dilution = 1.0;
        std::optional<calc::SampleEstimate> estimate;
    };
    Parsed parse(const SampleEntry& entry) const;
    void estimate(Parsed& parsed) const;

    std::vector<SampleEntry> entries_;
    std::vector<Parsed> parsed_;
    std::optional<calc::LineStatistics> stats_;
};

} // namespace analysis
