#include "analysis/points_table.h"

#include "analysis/readable.h"

#include <QHeaderView>

namespace analysis {

namespace {

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// Empty, not "—": a relative figure has no meaning where its denominator is zero.
QString optional(const std::optional<double>& value) {
    return value ? readable(*value) : QString();
}

} // namespace

PointsTable::PointsTable(QWidget* parent) : QTableWidget(0, 7, parent) {
    setObjectName(QStringLiteral("points"));
    setAccessibleName(QStringLiteral("标准点"));
    setHorizontalHeaderLabels({QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("拟合 A"),
                               QStringLiteral("残差"), QStringLiteral("相对偏差 %"),
                               QStringLiteral("反算 C"), QStringLiteral("回收率 %")});
    // One line per standard whatever the columns' width: numbers never wrap. A fixed height
    // rather than ResizeToContents, which would measure every row again for each cell written.
    setWordWrap(false);
    setRowCount(1);
    setItem(0, 0, cell(QStringLiteral("0")));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(sizeHintForRow(0));
    setRowCount(0);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
}

void PointsTable::setPoints(std::span<const calc::PointCheck> points) {
    setRowCount(int(points.size()));
    for (int i = 0; i < int(points.size()); ++i) {
        const calc::PointCheck& p = points[std::size_t(i)];
        const QString texts[] = {readable(p.c),           readable(p.a),
                                 readable(p.aFit),        readable(p.residual),
                                 optional(p.deviationPct), optional(p.cBack),
                                 optional(p.recoveryPct)};
        for (int column = 0; column < 7; ++column) {
            setItem(i, column, cell(texts[column]));
        }
    }
}

} // namespace analysis
