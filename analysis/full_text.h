#pragma once

// A table's cell that is too narrow for its text shows the whole text in its tooltip (before the
// tooltip the model gives it, if any), so that no figure or name is ever cut without a way to
// read it.

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace analysis {

class FullTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The tooltip of the cell as the view draws it: its text first when the cell cuts it, then
    // the model's tooltip; "" when neither.
    QString toolTip(const QAbstractItemView* view, const QStyleOptionViewItem& option,
                    const QModelIndex& index) const;
};

// Gives every column of the view the delegate (a column with a delegate of its own keeps it).
void showFullTexts(QAbstractItemView& view);

} // namespace analysis
