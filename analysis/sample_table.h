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

    // A block as a spreadsheet copies it: lines of tab-separated cells. A line of one cell is
    // readings only; otherwise the cells are name, readings and dilution.
    static std::vector<SampleEntry> entriesFromBlock(const QString& block);

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
