#include "analysis/statistics_table.h"

#include "analysis/readable.h"

#include <QHeaderView>
#include <QScrollBar>
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

} // namespace

std::vector<StatisticText> statisticTexts(const std::optional<LineStatistics>& stats,
                                          const QString& unit) {
    std::vector<StatisticText> texts;
    for (const Row& row : kRows) {
        StatisticText text{QString::fromUtf16(row.label), {}, {}, {}, {}};
        if (stats) {
            const Figure value = row.value(*stats);
            text.value = readable(value);
            if (value && row.inUnit && !unit.trimmed().isEmpty()) {
                text.value += QLatin1Char(' ') + unit;
            }
            text.valueTooltip = value ? QString() : kNeedsThreePoints;
            if (hasHalfWidth(row)) {
                const Figure half = row.halfWidth(*stats);
                text.halfWidth = readable(half);
                text.halfWidthTooltip = half ? QString() : kNeedsThreePoints;
            }
        }
        texts.push_back(text);
    }
    return texts;
}

// The table sizes itself: rows of one line and columns at their contents' width, set once per
// update. Sized by the header's ResizeToContents mode instead, every cell written would measure
// the whole table again, some milliseconds per fit.
StatisticsTable::StatisticsTable(QWidget* parent) : QTableWidget(int(kRows.size()), 3, parent) {
    setObjectName(QStringLiteral("statistics"));
    setAccessibleName(QStringLiteral("统计量"));
    setHorizontalHeaderLabels(
        {QStringLiteral("统计量"), QStringLiteral("数值"), QStringLiteral("95% 半宽 (±)")});
    verticalHeader()->hide();
    // A stretched last section never narrows below the size it had when the stretch was set:
    // the default size, unless that is made small first.
    horizontalHeader()->setDefaultSectionSize(horizontalHeader()->minimumSectionSize());
    horizontalHeader()->setStretchLastSection(true);
    // As tall as its rows, so that all ten statistics show at once without a gap below them.
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
    // The labels are also the rows' headers, hidden, so that a screen reader names the row of
    // any cell it reads.
    QStringList labels;
    for (const Row& row : kRows) {
        labels << QString::fromUtf16(row.label);
    }
    setVerticalHeaderLabels(labels);
    for (int i = 0; i < int(kRows.size()); ++i) {
        for (int column = 0; column < 3; ++column) {
            auto* item =
                new QTableWidgetItem(column == 0 ? QString::fromUtf16(kRows[i].label) : QString());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            setItem(i, column, item);
        }
    }
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(sizeHintForRow(0));
    setStatistics(std::nullopt, {});
}

// The columns at their contents' width, also while the last one is stretched to fill a wider
// table: the stretched width fed back into the hint would keep the table from narrowing again.
// The scroll area adds room for both scroll bars to the hint unless they are hidden by hand,
// also while they are not shown: that room is taken off again.
QSize StatisticsTable::viewportSizeHint() const {
    const QSize standard = QTableWidget::viewportSizeHint();
    const int unusedWidth = verticalScrollBar()->isVisible() || verticalScrollBar()->isHidden()
                                ? 0
                                : verticalScrollBar()->sizeHint().width();
    const int unusedHeight = horizontalScrollBar()->isVisible() || horizontalScrollBar()->isHidden()
                                 ? 0
                                 : horizontalScrollBar()->sizeHint().height();
    return {standard.width() - horizontalHeader()->length() + contentWidth_ - unusedWidth,
            standard.height() - unusedHeight};
}

void StatisticsTable::setStatistics(const std::optional<LineStatistics>& stats,
                                    const QString& unit) {
    const auto write = [this](int row, int column, const QString& text, const QString& tooltip) {
        QTableWidgetItem* cell = item(row, column);
        cell->setText(text);
        cell->setToolTip(tooltip);
    };
    const std::vector<StatisticText> texts = statisticTexts(stats, unit);
    for (int i = 0; i < int(texts.size()); ++i) {
        write(i, 1, texts[i].value, texts[i].valueTooltip);
        write(i, 2, texts[i].halfWidth, texts[i].halfWidthTooltip);
    }
    int width = 0;
    for (int column = 0; column < columnCount(); ++column) {
        const int wanted =
            std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column));
        horizontalHeader()->resizeSection(column, wanted);
        width += wanted;
    }
    if (width != contentWidth_) {
        contentWidth_ = width;
        updateGeometry();
    }
}

} // namespace analysis
