#include "analysis/statistics_table.h"

#include "analysis/readable.h"

#include <QHeaderView>
#include <algorithm>
#include <array>

namespace analysis {

namespace {

using calc::LineStatistics;
using Figure = std::optional<double>;

struct Row {
    const char16_t* label;
    Figure (*value)(const LineStatistics&);
    Figure (*halfWidth)(const LineStatistics&);
    bool inUnit; // LOD and LOQ are concentrations
};

Figure none(const LineStatistics&) {
    return std::nullopt;
}

const std::array kRows{
    Row{u"n", [](const LineStatistics& s) -> Figure { return s.n; }, none, false},
    Row{u"截距 a", [](const LineStatistics& s) -> Figure { return s.a; },
        [](const LineStatistics& s) { return s.ci95A; }, false},
    Row{u"斜率 b", [](const LineStatistics& s) -> Figure { return s.b; },
        [](const LineStatistics& s) { return s.ci95B; }, false},
    Row{u"s(a)", [](const LineStatistics& s) { return s.sA; }, none, false},
    Row{u"s(b)", [](const LineStatistics& s) { return s.sB; }, none, false},
    Row{u"相关系数 r", [](const LineStatistics& s) -> Figure { return s.r; }, none, false},
    Row{u"决定系数 R²", [](const LineStatistics& s) -> Figure { return s.r2; }, none, false},
    Row{u"剩余标准差 s(y/x)", [](const LineStatistics& s) { return s.sYX; }, none, false},
    Row{u"检出限 LOD", [](const LineStatistics& s) { return s.lod; }, none, true},
    Row{u"定量限 LOQ", [](const LineStatistics& s) { return s.loq; }, none, true},
};

// Rows whose half-width column is part of the figure (a and b); the others leave it blank.
bool hasHalfWidth(const Row& row) {
    return row.halfWidth != none;
}

QTableWidgetItem* cell(const QString& text, const QString& tooltip = {}) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setToolTip(tooltip);
    return item;
}

} // namespace

StatisticsTable::StatisticsTable(QWidget* parent) : QTableWidget(int(kRows.size()), 3, parent) {
    setObjectName(QStringLiteral("statistics"));
    setAccessibleName(QStringLiteral("统计量"));
    setHorizontalHeaderLabels(
        {QStringLiteral("统计量"), QStringLiteral("数值"), QStringLiteral("95% 半宽 (±)")});
    verticalHeader()->hide();
    // Rows one line of text high and the table as tall as its rows, so that all ten
    // statistics show at once without a gap below them.
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // A stretched last section never narrows below the size it had when the stretch was set:
    // the default size, unless that is made small first.
    horizontalHeader()->setDefaultSectionSize(horizontalHeader()->minimumSectionSize());
    horizontalHeader()->setStretchLastSection(true);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
    for (int i = 0; i < int(kRows.size()); ++i) {
        setItem(i, 0, cell(QString::fromUtf16(kRows[i].label)));
    }
    setStatistics(std::nullopt, {});
}

// The columns at their contents' width, also while the last one is stretched to fill a wider
// table: the stretched width fed back into the hint would keep the table from narrowing again.
QSize StatisticsTable::viewportSizeHint() const {
    int width = 0;
    for (int column = 0; column < columnCount(); ++column) {
        width += std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column));
    }
    const QSize standard = QTableWidget::viewportSizeHint();
    return {standard.width() - horizontalHeader()->length() + width, standard.height()};
}

void StatisticsTable::setStatistics(const std::optional<LineStatistics>& stats,
                                    const QString& unit) {
    for (int i = 0; i < int(kRows.size()); ++i) {
        const Row& row = kRows[i];
        if (!stats) {
            setItem(i, 1, cell({}));
            setItem(i, 2, cell({}));
            continue;
        }
        const Figure value = row.value(*stats);
        const QString why = value ? QString() : kNeedsThreePoints;
        QString text = readable(value);
        if (value && row.inUnit && !unit.trimmed().isEmpty()) {
            text += QLatin1Char(' ') + unit;
        }
        setItem(i, 1, cell(text, why));
        if (hasHalfWidth(row)) {
            const Figure half = row.halfWidth(*stats);
            setItem(i, 2, cell(readable(half), half ? QString() : kNeedsThreePoints));
        } else {
            setItem(i, 2, cell({}));
        }
    }
    resizeColumnsToContents();
}

} // namespace analysis
