#pragma once

#include <QAbstractTableModel>
#include <utility>

namespace analysis {

// A table of rows the model holds and a fixed number of columns: the row and column counts of
// Qt's table models said once.
class RowTableModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const final {
        return parent.isValid() ? 0 : rows();
    }
    int columnCount(const QModelIndex& parent = {}) const final {
        return parent.isValid() ? 0 : columns_;
    }

protected:
    RowTableModel(int columns, QObject* parent) : QAbstractTableModel(parent), columns_(columns) {}

    // The rows of a new evaluation: the same number of rows changed in place, another number
    // anew.
    template <class Rows> void replaceRows(Rows& held, Rows rows) {
        if (rows.size() != held.size()) {
            beginResetModel();
            held = std::move(rows);
            endResetModel();
            return;
        }
        held = std::move(rows);
        if (!held.empty()) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
    }

private:
    virtual int rows() const = 0;

    int columns_;
};

} // namespace analysis
