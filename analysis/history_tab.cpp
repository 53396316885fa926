#include "analysis/history_tab.h"

#include "analysis/current_calibration.h"
#include "analysis/full_text.h"
#include "io/document_text.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace analysis {

HistoryModel::HistoryModel(const CurrentCalibration& calibration, QObject* parent)
    : RowTableModel(3, parent), calibration_(calibration) {
    connect(&calibration, &CurrentCalibration::documentChanged, this, &HistoryModel::refresh);
    refresh();
}

// The history only grows between documents: new rows are inserted, a new document resets.
void HistoryModel::refresh() {
    const int rows = int(calibration_.document().history.size());
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows != rows_) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
    }
    if (rows_ > 0) {
        // The last entry may have grown (a setting typed key by key).
        emit dataChanged(index(rows_ - 1, 0), index(rows_ - 1, 2));
    }
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) {
        return {};
    }
    const calibration::HistoryEntry& entry =
        calibration_.document().history[std::size_t(index.row())];
    switch (index.column()) {
    case 0:
        return io::fromDocument(entry.time);
    case 1:
        return io::fromDocument(entry.user);
    default:
        return io::fromDocument(calibration::render(calibration::describe(entry)));
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    static const char* const kTitles[] = {QT_TR_NOOP("时间"), QT_TR_NOOP("用户"),
                                          QT_TR_NOOP("变更")};
    return section >= 0 && section < 3 ? tr(kTitles[section]) : QVariant();
}

HistoryTab::HistoryTab(const CurrentCalibration& calibration, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("historyTab"));
    auto* layout = new QVBoxLayout(this);
    auto* table = new QTableView(this);
    table->setObjectName(QStringLiteral("history"));
    table->setAccessibleName(tr("记录"));
    table->setModel(new HistoryModel(calibration, table));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    showFullTexts(*table);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    auto* note = new QLabel(tr("每次修改都记入文件，只增不删；打开文件不改写它的记录。"), this);
    note->setWordWrap(true);
    layout->addWidget(note);
}

} // namespace analysis
