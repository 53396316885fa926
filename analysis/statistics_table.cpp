#include "analysis/statistics_table.h"

#include "analysis/current_calibration.h"
#include "analysis/full_text.h"
#include "io/document_text.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

namespace analysis {

StatisticsModel::StatisticsModel(const CurrentCalibration& calibration, QObject* parent)
    : RowTableModel(3, parent), calibration_(calibration) {
    connect(&calibration, &CurrentCalibration::resultsChanged, this, &StatisticsModel::refresh);
    refresh();
}

void StatisticsModel::refresh() {
    const QString unit = io::fromDocument(calibration_.document().unit);
    std::vector<StatisticText> rows = statisticTexts(calibration_.curve(), unit);
    appendModeTexts(calibration_.results(), unit, rows);
    replaceRows(rows_, std::move(rows));
    emit headerDataChanged(Qt::Horizontal, 2, 2);
}

QVariant StatisticsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const StatisticText& row = rows_[std::size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case 0:
            return row.label;
        case 1:
            return row.value;
        default:
            return row.halfWidth;
        }
    }
    if (role == Qt::ToolTipRole) {
        return index.column() == 1   ? row.valueTooltip
               : index.column() == 2 ? row.halfWidthTooltip
                                     : QVariant();
    }
    return {};
}

// The labels are also the rows' headers, hidden, so that a screen reader names the row of any
// cell it reads.
QVariant StatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section >= 0 && section < rowCount() ? rows_[std::size_t(section)].label
                                                    : QVariant();
    }
    switch (section) {
    case 0:
        return tr("统计量");
    case 1:
        return tr("数值");
    case 2:
        return tr("%1% 半宽 (±)").arg(calibration_.document().settings.level);
    default:
        return {};
    }
}

// The table sizes itself: rows of one line and columns at their contents' width, set once per
// update. Sized by the header's ResizeToContents mode instead, every cell written would measure
// the whole table again, some milliseconds per fit.
StatisticsTable::StatisticsTable(StatisticsModel& model, QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("statistics"));
    setAccessibleName(StatisticsModel::tr("统计量"));
    setModel(&model);
    verticalHeader()->hide();
    // A stretched last section never narrows below the size it had when the stretch was set:
    // the default size, unless that is made small first.
    horizontalHeader()->setDefaultSectionSize(horizontalHeader()->minimumSectionSize());
    horizontalHeader()->setStretchLastSection(true);
    // As tall as its rows, so that every statistic shows at once without a gap below them; never
    // squeezed below that (with the model's controls above it the plots' split would): a window
    // smaller than its content scrolls as a whole.
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
    showFullTexts(*this);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(&model, &QAbstractItemModel::dataChanged, this, &StatisticsTable::fitColumns);
    connect(&model, &QAbstractItemModel::modelReset, this, &StatisticsTable::fitColumns);
    fitColumns();
}

// The columns at their contents' width, also while the last one is stretched to fill a wider
// table: the stretched width fed back into the hint would keep the table from narrowing again.
// The scroll area adds room for both scroll bars to the hint unless they are hidden by hand,
// also while they are not shown: that room is taken off again.
QSize StatisticsTable::viewportSizeHint() const {
    const QSize standard = QTableView::viewportSizeHint();
    const int unusedWidth = verticalScrollBar()->isVisible() || verticalScrollBar()->isHidden()
                                ? 0
                                : verticalScrollBar()->sizeHint().width();
    const int unusedHeight = horizontalScrollBar()->isVisible() || horizontalScrollBar()->isHidden()
                                 ? 0
                                 : horizontalScrollBar()->sizeHint().height();
    return {standard.width() - horizontalHeader()->length() + contentWidth_ - unusedWidth,
            standard.height() - unusedHeight};
}

void StatisticsTable::fitColumns() {
    int width = 0;
    for (int column = 0; column < model()->columnCount(); ++column) {
        const int wanted =
            std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column));
        horizontalHeader()->resizeSection(column, wanted);
        width += wanted;
    }
    if (width != contentWidth_) {
        contentWidth_ = width;
    }
    updateGeometry();
}

} // namespace analysis
