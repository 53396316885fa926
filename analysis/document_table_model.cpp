#include "analysis/document_table_model.h"

#include "analysis/current_calibration.h"
#include "calibration/calibration_modes.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <algorithm>
#include <numeric>

namespace analysis {

namespace {

constexpr int kHidden = 2; // the internal standard's response and concentration

} // namespace

DocumentTableModel::DocumentTableModel(CurrentCalibration& calibration, ui::Prompts& prompts,
                                       int fields, QObject* parent)
    : QAbstractTableModel(parent), calibration_(calibration), prompts_(prompts), fields_(fields) {
    followSettingsSilently();
    // Connected before the derived model's own: its columns are right when it announces results.
    connect(&calibration, &CurrentCalibration::resultsChanged, this,
            &DocumentTableModel::followSettings);
}

int DocumentTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : fields_ - (internalStandard_ ? 0 : kHidden);
}

int DocumentTableModel::column(int field) const {
    if (internalStandard_ || field < kInternalStandard) {
        return field;
    }
    return field < kInternalStandard + kHidden ? -1 : field - kHidden;
}

int DocumentTableModel::field(int column) const {
    return internalStandard_ || column < kInternalStandard ? column : column + kHidden;
}

std::vector<int> DocumentTableModel::rowsFrom(int row, int count) {
    std::vector<int> rows(static_cast<std::size_t>(std::max(count, 0)));
    std::iota(rows.begin(), rows.end(), row);
    return rows;
}

void DocumentTableModel::followSettingsSilently() {
    internalStandard_ = calibration::usesInternalStandard(calibration_.document().settings);
}

void DocumentTableModel::followSettings() {
    const bool shown = calibration::usesInternalStandard(calibration_.document().settings);
    if (shown == internalStandard_) {
        return;
    }
    const int last = kInternalStandard + kHidden - 1;
    if (shown) {
        beginInsertColumns({}, kInternalStandard, last);
        internalStandard_ = true;
        endInsertColumns();
    } else {
        beginRemoveColumns({}, kInternalStandard, last);
        internalStandard_ = false;
        endRemoveColumns();
    }
}

void DocumentTable::pasteClipboard() {
    pasteBlock(QApplication::clipboard()->text());
}

void DocumentTable::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState) {
        if (event->matches(QKeySequence::Paste)) {
            pasteClipboard();
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            deleteSelectedRows();
            return;
        }
        if (event->key() == Qt::Key_Insert && addRowByKey()) {
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

int columnOf(const QAbstractItemModel& model, int field) {
    return static_cast<const DocumentTableModel&>(model).column(field);
}

QModelIndex fieldIndex(const QAbstractItemModel& model, int row, int field) {
    return model.index(row, columnOf(model, field));
}

} // namespace analysis
