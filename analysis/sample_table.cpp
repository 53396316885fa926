#include "analysis/sample_table.h"

#include "analysis/change_reason.h"
#include "analysis/current_calibration.h"
#include "analysis/full_text.h"
#include "io/csv.h"
#include "io/document_text.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <algorithm>

namespace analysis {

namespace {

// The type cell is chosen from the types' names, or typed; every other cell is a line.
class TypeDelegate final : public FullTextDelegate {
public:
    using FullTextDelegate::FullTextDelegate;

    static bool isType(const QModelIndex& index) {
        return index.column() == columnOf(*index.model(), SampleListModel::Type);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (!isType(index)) {
            return FullTextDelegate::createEditor(parent, option, index);
        }
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        for (int t = 0; t <= int(calibration::SampleType::DetectionLimit); ++t) {
            box->addItem(io::fromDocument(
                calibration::translate(calibration::typeName(calibration::SampleType(t)))));
        }
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (!isType(index)) {
            FullTextDelegate::setEditorData(editor, index);
            return;
        }
        static_cast<QComboBox*>(editor)->setCurrentText(index.data(Qt::DisplayRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (!isType(index)) {
            FullTextDelegate::setModelData(editor, model, index);
            return;
        }
        model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
    }
};

} // namespace

SampleTable::SampleTable(SampleListModel& model, ui::Prompts& prompts, QWidget* parent)
    : DocumentTable(parent), model_(model), prompts_(prompts) {
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
    setItemDelegate(new TypeDelegate(this)); // FullTextDelegate's tooltips, and the types' list
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // The names: the same model and selection, only the first column, laid over the table's own
    // and scrolled with it up and down, never sideways.
    names_ = new QTableView(this);
    names_->setObjectName(QStringLiteral("sampleNames"));
    names_->setAccessibleName(tr("样品名称"));
    names_->setModel(&model);
    names_->setSelectionModel(selectionModel());
    names_->setSelectionBehavior(QAbstractItemView::SelectRows);
    names_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    names_->setEditTriggers(editTriggers());
    names_->setFocusPolicy(Qt::NoFocus);
    names_->setFrameShape(QFrame::NoFrame);
    names_->setWordWrap(false);
    showFullTexts(*names_);
    names_->verticalHeader()->hide();
    names_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    names_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    names_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    names_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const auto hideBesideNames = [this](int first, int last) {
        for (int column = std::max(first, 1); column <= last; ++column) {
            names_->setColumnHidden(column, true);
        }
    };
    hideBesideNames(1, model.columnCount() - 1);
    connect(&model, &QAbstractItemModel::columnsInserted, this,
            [hideBesideNames](const QModelIndex&, int first, int last) {
                hideBesideNames(first, last);
            });
    viewport()->stackUnder(names_);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column == 0) {
                    names_->setColumnWidth(0, size);
                    placeNames();
                }
            });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { names_->setRowHeight(row, size); });
    connect(names_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, names_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // A context menu asked for over the names is the table's.
    names_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(names_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, names_->viewport()->mapToGlobal(at));
        contextMenuEvent(&event);
    });
    names_->setColumnWidth(0, columnWidth(0));
    placeNames();
    names_->show();
}

// Over the table's first column, below its header's top, as wide as the column.
void SampleTable::placeNames() {
    if (names_ == nullptr) {
        return;
    }
    names_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                        viewport()->height() + horizontalHeader()->height());
}

void SampleTable::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeNames();
}

void SampleTable::updateGeometries() {
    QTableView::updateGeometries();
    placeNames();
}

// Moving left stops beside the names instead of under them.
QModelIndex SampleTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableView::moveCursor(action, modifiers);
    if (names_ != nullptr && action == MoveLeft && current.column() > 0 &&
        visualRect(current).topLeft().x() < names_->columnWidth(0)) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                        visualRect(current).topLeft().x() - names_->columnWidth(0));
    }
    return current;
}

void SampleTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // The names' column never scrolls sideways: for it only the row is brought into view, at
    // the column that stands beside the names.
    if (names_ == nullptr || index.column() > 0 || !index.isValid()) {
        QTableView::scrollTo(index, hint);
        return;
    }
    const int beside = std::max(0, columnAt(names_->columnWidth(0) + 1));
    QTableView::scrollTo(model()->index(index.row(), beside), hint);
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
    const ChangeReason reason(model_.calibration(), prompts_);
    if (!reason) {
        return;
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
    if (rows.empty()) {
        return;
    }
    const ChangeReason reason(model_.calibration(), prompts_);
    if (!reason) {
        return;
    }
    model_.calibration().removeSamples(rows);
}

void SampleTable::clearList() {
    if (model_.rowCount() == 0) {
        return;
    }
    if (!prompts_.ask(tr("清空样品列表中的全部%n个样品？", nullptr, model_.rowCount()))) {
        return;
    }
    const ChangeReason reason(model_.calibration(), prompts_);
    if (reason) {
        model_.calibration().clearSamples();
    }
}

void SampleTable::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(tr("粘贴"), this, &DocumentTable::pasteClipboard);
    auto* remove = menu.addAction(tr("删除所选行"), this, &SampleTable::deleteSelectedRows);
    remove->setEnabled(selectionModel()->hasSelection());
    menu.addSeparator();
    auto* clear = menu.addAction(tr("清空列表"), this, &SampleTable::clearList);
    clear->setEnabled(model_.rowCount() > 0);
    menu.exec(event->globalPos());
}

} // namespace analysis
