#pragma once

// The validation of the calibration as the window and the printed report show it: each figure
// with its value, its criterion and its verdict in words, "—" with the reason where it cannot be
// computed.

#include "analysis/row_table_model.h"

#include <QString>
#include <vector>

namespace calibration {
struct Document;
struct Results;
} // namespace calibration

namespace analysis {

struct ValidationRow {
    QString item;      // "Mandel 线性检验"
    QString value;     // "PW = 0.0770"
    QString criterion; // "F(0.99; 1, 7) = 12.25"
    QString verdict;   // "线性"
    QString reason;    // why the value is "—", for the tooltip
};

std::vector<ValidationRow> validationRows(const calibration::Document& document,
                                          const calibration::Results& results);

// The rows as the validation tab's table: item, value (its tooltip the reason of a "—"),
// criterion and verdict; read only.
class ValidationModel final : public RowTableModel {
    Q_OBJECT
public:
    explicit ValidationModel(QObject* parent = nullptr) : RowTableModel(4, parent) {}

    // The rows of a new evaluation: the same rows changed in place, other rows anew.
    void setRows(std::vector<ValidationRow> rows);

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int rows() const override { return int(rows_.size()); }

    std::vector<ValidationRow> rows_;
};

// The intercept test in one sentence: "截距与0无显著差异 (t = 1.23 < 2.78)"; "" when it does not
// apply.
QString interceptVerdict(const calibration::Results& results);

} // namespace analysis
