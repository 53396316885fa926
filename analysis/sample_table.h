#pragma once

#include "analysis/sample_list.h"
#include "ui/prompts.h"

#include <QTableView>

namespace analysis {

// The sample list as a table: edited in place, Ctrl+V adds one row per pasted line, Delete and
// the context menu remove the selected rows, "清空列表" empties it after asking. Once the document
// has been saved each of these asks for its reason, a pasted block once. The names stay in view
// while the table scrolls sideways (a copy of the first column over it), and a cell too narrow for
// its text shows the whole text in its tooltip.
class SampleTable final : public DocumentTable {
    Q_OBJECT
public:
    SampleTable(SampleListModel& model, ui::Prompts& prompts, QWidget* parent);

    // Adds one row per line of a block as a spreadsheet copies it: a line of one cell is
    // readings only; otherwise the cells are name, readings and dilution. A block that cannot be
    // read as rows (more than three cells in a line, a quote left open) adds nothing and says why.
    void pasteBlock(const QString& block) override;
    void deleteSelectedRows() override;
    void clearList();

    // The names' column that stays in view over the table's own first column.
    QTableView& names() { return *names_; }

    // A row of the names' column is brought into view without scrolling sideways.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    void placeNames();

    SampleListModel& model_;
    ui::Prompts& prompts_;
    QTableView* names_ = nullptr;
};

} // namespace analysis
