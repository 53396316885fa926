#pragma once

#include "ui/prompts.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <vector>

namespace analysis {

class CurrentCalibration;

// A table over the document's standards or samples whose fields 2 and 3 are the internal
// standard's response and concentration. While the curve does not use the internal standard
// those two are no columns of the model at all (a reader of the table never meets them); they
// are inserted and removed as the setting changes. A field is what the derived model's enum
// names, a column where the model shows it: with the internal standard off, field 4 is column 2.
class DocumentTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kInternalStandard = 2; // the response; its concentration follows

    int columnCount(const QModelIndex& parent = {}) const final;
    // The column of a field, -1 while it is not shown.
    int column(int field) const;
    // The field shown in a column.
    int field(int column) const;

    CurrentCalibration& calibration() { return calibration_; }
    ui::Prompts& prompts() { return prompts_; }

protected:
    DocumentTableModel(CurrentCalibration& calibration, ui::Prompts& prompts, int fields,
                       QObject* parent);

    // Rows row .. row + count - 1.
    static std::vector<int> rowsFrom(int row, int count);

    // The columns as the document's settings now say, without announcing them: for a reset.
    void followSettingsSilently();

    CurrentCalibration& calibration_;
    ui::Prompts& prompts_;

private:
    void followSettings();

    int fields_;
    bool internalStandard_ = false;
};

// A table over one of those models: outside an edit (where the keys are the editor's) Ctrl+V
// pastes a block from the clipboard, Delete removes the selected rows, Insert adds one where the
// table adds rows.
class DocumentTable : public QTableView {
    Q_OBJECT
public:
    virtual void pasteBlock(const QString& block) = 0;
    virtual void deleteSelectedRows() = 0;
    void pasteClipboard();

protected:
    using QTableView::QTableView;

    // Adds a row for the Insert key; false where the table adds none.
    virtual bool addRowByKey() { return false; }
    void keyPressEvent(QKeyEvent* event) override;
};

// The column of `field` in a table's model, which is a DocumentTableModel; -1 while not shown.
int columnOf(const QAbstractItemModel& model, int field);
// The cell of a row and a field; invalid while the field is not shown.
QModelIndex fieldIndex(const QAbstractItemModel& model, int row, int field);

} // namespace analysis
