#pragma once

// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/results.h"
#endif

#include "analysis/document_table_model.h"
#include "analysis/sample_texts.h"
#include "ui/prompts.h"

#include <QString>
#include <vector>

namespace analysis {

class CurrentCalibration;

// The samples of the document measured against its curve, each with its concentration,
// uncertainty and flags. Rows are kept when the curve changes or goes: they are computed again,
// or left empty with the reason in their tooltip.
class SampleListModel final : public DocumentTableModel {
    Q_OBJECT
public:
    enum Column {
        Name,
        Readings,
        IS,  // the internal standard's response: one, or one a reading
        CIs, // and its concentration; both columns while the curve uses the internal standard
        Dilution,
        Type,
        Of,
        Added,
        Nominal,
        Certified,
        U,
        Count,
        MeanA,
        X0,
        SX0,
        CiX0,
        Flags,
        Result,
        Expanded, // U of the measurement uncertainty; hidden when no way is chosen
        Qc,
        MainResult,
        Columns
    };
    // The cells a user types: name to U.
    static constexpr int kLastEditable = U;

    // An edit of a row asks for its reason once the document has been saved (change_reason.h).
    SampleListModel(CurrentCalibration& calibration, ui::Prompts& prompts,
                    QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Empty rows inserted, or rows removed, in the document (one history entry each).
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;
};

} // namespace analysis
