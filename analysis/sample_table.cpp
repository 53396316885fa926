#include "analysis/sample_table.h"

#include "analysis/current_calibration.h"
#include "io/csv.h"
#include "io/document_text.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyledItemDelegate>

namespace analysis {

namespace {

// The type cell is chosen from the types' names, or typed.
class TypeDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        for (int t = 0; t <= int(calibration::SampleType::DetectionLimit); ++t) {
            box->addItem(io::fromDocument(
                calibration::translate(calibration::typeName(calibration::SampleType(t)))));
        }
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QComboBox*>(editor)->setCurrentText(index.data(Qt::DisplayRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
    }
};

} // namespace

SampleTable::SampleTable(SampleListModel& model, ui::Prompts& prompts, QWidget* parent)
    : QTableView(parent), model_(model), prompts_(prompts) {
    setObjectName(QStringLiteral("samples"));
    setAccessibleName(tr("样品"));
    setModel(&model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setWordWrap(false);
    setItemDelegateForColumn(SampleListModel::Type, new TypeDelegate(this));
}

// As a CSV file of samples is read: the separator, quotes, decimal commas and a header row of a
// spreadsheet's block are understood the same way. A cell that is not a number still gives its
// row, which the list marks; only a block that cannot be split into rows is refused whole.
void SampleTable::pasteBlock(const QString& block) {
    if (block.trimmed().isEmpty()) {
        return;
    }
    const io::Expected<io::SamplesCsv> samples = io::readSamplesText(block);
    if (!samples) {
        prompts_.tell(tr("粘贴失败：%1").arg(samples.error().message()));
        return;
    }
    std::vector<calibration::Sample> rows;
    rows.reserve(std::size_t(samples->rows.size()));
    for (const io::Sample& row : samples->rows) {
        rows.push_back(io::toDocument(row));
    }
    model_.calibration().appendSamples(std::move(rows));
    scrollTo(model_.index(model_.rowCount() - 1, 0));
}

void SampleTable::deleteSelectedRows() {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    if (rows.empty() && currentIndex().isValid()) {
        rows.push_back(currentIndex().row());
    }
    model_.calibration().removeSamples(rows);
}

void SampleTable::clearList() {
    if (model_.rowCount() == 0) {
        return;
    }
    if (prompts_.ask(tr("清空样品列表中的全部%n个样品？", nullptr, model_.rowCount()))) {
        model_.calibration().clearSamples();
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
    menu.addAction(tr("粘贴"), this, [this] { pasteBlock(QApplication::clipboard()->text()); });
    auto* remove = menu.addAction(tr("删除所选行"), this, &SampleTable::deleteSelectedRows);
    remove->setEnabled(selectionModel()->hasSelection());
    menu.addSeparator();
    auto* clear = menu.addAction(tr("清空列表"), this, &SampleTable::clearList);
    clear->setEnabled(model_.rowCount() > 0);
    menu.exec(event->globalPos());
}

} // namespace analysis
