#pragma once

#include "analysis/document_table_model.h"
#include "ui/prompts.h"

#include <QTableView>

class QLineEdit;

namespace analysis {

class CurrentCalibration;

// The standards of the document with the check of each against the curve: C and A as typed
// (editable), the internal standard's response and concentration (editable; columns while the
// curve uses the internal standard), the exclusion with its reason, the fitted
// absorbance, the residual, the relative deviation, the back-calculated concentration and the
// recovery.
class StandardsModel final : public DocumentTableModel {
    Q_OBJECT
public:
    enum Column {
        C,
        A,
        IS,
        CIs,
        Excluded,
        Fit,
        Residual,
        DeviationPct,
        CBack,
        RecoveryPct,
        Studentized, // the unweighted straight line's diagnostics
        Cooks,
        Marks,
        Columns
    };

    StandardsModel(CurrentCalibration& calibration, ui::Prompts& prompts,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // A standard's typed cells are editable, and its exclusion is a check box.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Empty standards inserted, or standards removed, in the document (one history entry each).
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    // Excludes a standard after asking for the reason (no exclusion without one), or includes it
    // again.
    void setExcluded(int row, bool excluded);
};

// The standards as a table: cells edited in place, Ctrl+V pastes a block of standards copied from
// a spreadsheet, Insert adds a row, Delete removes the selected rows.
class StandardsTable final : public DocumentTable {
    Q_OBJECT
public:
    StandardsTable(StandardsModel& model, CurrentCalibration& calibration, ui::Prompts& prompts,
                   QWidget* parent);

    // Replaces the selected rows, or adds after the last, the standards of a block: columns C and
    // A, a header row that names them skipped, a first column 1, 2, ..., n skipped.
    void pasteBlock(const QString& block) override;
    void addRow();
    void deleteSelectedRows() override;

protected:
    bool addRowByKey() override {
        addRow();
        return true;
    }
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
};

// "浓度单位" above the standards: the curve's unit typed here (a curve of more standards than the
// main window shows has no other place for it).
class CurveUnitBox final : public QWidget {
    Q_OBJECT
public:
    CurveUnitBox(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent);

private:
    void refresh();
    void apply();

    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;
    QLineEdit* box_ = nullptr;
};

} // namespace analysis
