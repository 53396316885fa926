#include "analysis/sample_table.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

namespace analysis {

SampleTable::SampleTable(SampleListModel& model, ui::Prompts& prompts, QWidget* parent)
    : QTableView(parent), model_(model), prompts_(prompts) {
    setObjectName(QStringLiteral("samples"));
    setAccessibleName(QStringLiteral("样品"));
    setModel(&model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setWordWrap(false);
}

std::vector<SampleEntry> SampleTable::entriesFromBlock(const QString& block) {
    QString text = block;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty()) {
        lines.removeLast();
    }
    std::vector<SampleEntry> entries;
    for (const QString& line : lines) {
        const QStringList cells = line.split(u'\t');
        SampleEntry entry;
        if (cells.size() == 1) {
            entry.readings = cells[0].trimmed();
        } else {
            entry.name = cells[0].trimmed();
            entry.readings = cells[1].trimmed();
            entry.dilution = cells.value(2).trimmed();
        }
        entries.push_back(entry);
    }
    return entries;
}

void SampleTable::pasteBlock(const QString& block) {
    const int first = model_.rowCount();
    model_.append(entriesFromBlock(block));
    if (model_.rowCount() > first) {
        scrollTo(model_.index(model_.rowCount() - 1, 0));
    }
}

void SampleTable::deleteSelectedRows() {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    if (rows.empty() && currentIndex().isValid()) {
        rows.push_back(currentIndex().row());
    }
    model_.removeSampleRows(rows);
}

void SampleTable::clearList() {
    if (model_.rowCount() == 0) {
        return;
    }
    if (prompts_.ask(QStringLiteral("清空样品列表中的全部%1个样品？").arg(model_.rowCount()))) {
        model_.clear();
    }
}

void SampleTable::keyPressEvent(QKeyEvent* event) {
    if (state() != QAbstractItemView::EditingState) {
        if (event->matches(QKeySequence::Paste)) {
            pasteBlock(QApplication::clipboard()->text());
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            deleteSelectedRows();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void SampleTable::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("粘贴"), this,
                   [this] { pasteBlock(QApplication::clipboard()->text()); });
    auto* remove = menu.addAction(QStringLiteral("删除所选行"), this, &SampleTable::deleteSelectedRows);
    remove->setEnabled(selectionModel()->hasSelection());
    menu.addSeparator();
    auto* clear = menu.addAction(QStringLiteral("清空列表"), this, &SampleTable::clearList);
    clear->setEnabled(model_.rowCount() > 0);
    menu.exec(event->globalPos());
}

} // namespace analysis
