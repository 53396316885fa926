#pragma once

#include "analysis/sample_list.h"
#include "ui/prompts.h"

#include <QTableView>

namespace analysis {

// The sample list as a table: edited in place, Ctrl+V adds one row per pasted line, Delete and
// the context menu remove the selected rows, "清空列表" empties it after asking.
class SampleTable final : public QTableView {
    Q_OBJECT
public:
    SampleTable(SampleListModel& model, ui::Prompts& prompts, QWidget* parent);

    // Adds one row per line of a block as a spreadsheet copies it: a line of one cell is
    // readings only; otherwise the cells are name, readings and dilution. A block that cannot be
    // read as rows (more than three cells in a line, a quote left open) adds nothing and says why.
    void pasteBlock(const QString& block);
    void deleteSelectedRows();
    void clearList();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    SampleListModel& model_;
    ui::Prompts& prompts_;
};

} // namespace analysis
