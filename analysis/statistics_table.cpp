#include "analysis/statistics_table.h"

#include "analysis/current_calibration.h"
#include "analysis/full_text.h"
#include "analysis/readable.h"
#include "io/document_text.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

namespace analysis {

namespace {

using calibration::CurveResult;
using calibration::Figure;

struct Row {
    const char* label; // translated in the statistics model's context
    Figure (*value)(const CurveResult&);
    const Figure CurveResult::*halfWidth; // nullptr: no half-width
    Quantity quantity;
};

template <const Figure CurveResult::*member> Figure figureOf(const CurveResult& curve) {
    return curve.*member;
}

template <double calc::ModelFit::*member> Figure coefficientOf(const CurveResult& curve) {
    return Figure{(*curve.fit).*member, std::nullopt};
}

QString figureText(const Figure& figure) {
    return readable(figure.value);
}

QString reasonText(const Figure& figure) {
    return figure.reason ? io::fromDocument(calibration::render(*figure.reason)) : QString();
}

} // namespace

std::vector<StatisticText> statisticTexts(const CurveResult& curve, const QString& unit) {
    const bool quadratic = curve.fit && curve.fit->model == calc::Model::Quadratic;
    const bool origin = curve.fit && curve.fit->model == calc::Model::Origin;
    std::vector<Row> rows;
    if (!origin) {
        rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "截距 a"),
                        coefficientOf<&calc::ModelFit::a>, &CurveResult::ciA,
                        Quantity::Absorbance});
    }
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "斜率 b"),
                    coefficientOf<&calc::ModelFit::b>, &CurveResult::ciB, Quantity::Slope});
    if (quadratic) {
        rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "二次项 c"),
                        coefficientOf<&calc::ModelFit::c>, &CurveResult::ciC, Quantity::Curvature});
    }
    if (!origin) {
        rows.push_back({"s(a)", figureOf<&CurveResult::sA>, nullptr, Quantity::Absorbance});
    }
    rows.push_back({"s(b)", figureOf<&CurveResult::sB>, nullptr, Quantity::Slope});
    if (quadratic) {
        rows.push_back({"s(c)", figureOf<&CurveResult::sC>, nullptr, Quantity::Curvature});
    }
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "相关系数 r"),
                    figureOf<&CurveResult::r>, nullptr, Quantity::None});
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "决定系数 R²"),
                    figureOf<&CurveResult::r2>, nullptr, Quantity::None});
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "剩余标准差 s(y/x)"),
                    figureOf<&CurveResult::sYX>, nullptr, Quantity::Absorbance});
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "检出限 LOD"),
                    figureOf<&CurveResult::lod>, nullptr, Quantity::Concentration});
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "定量限 LOQ"),
                    figureOf<&CurveResult::loq>, nullptr, Quantity::Concentration});

    std::vector<StatisticText> texts;
    texts.push_back(
        {QStringLiteral("n"), curve.fit ? QString::number(curve.fit->n) : QString(), {}, {}, {}});
    for (const Row& row : rows) {
        StatisticText text{StatisticsModel::tr(row.label), {}, {}, {}, {}, row.quantity};
        if (curve.fit) {
            const Figure value = row.value(curve);
            text.value = figureText(value);
            if (value.value && row.quantity == Quantity::Concentration &&
                !unit.trimmed().isEmpty()) {
                text.value += QLatin1Char(' ') + unit;
            }
            text.valueTooltip = reasonText(value);
            if (row.halfWidth) {
                const Figure& half = curve.*row.halfWidth;
                text.halfWidth = figureText(half);
                text.halfWidthTooltip = reasonText(half);
            }
        }
        texts.push_back(text);
    }
    return texts;
}

void appendModeTexts(const calibration::Results& results, const QString& unit,
                     std::vector<StatisticText>& texts) {
    const calibration::AdditionResult& a = results.addition;
    const auto reason = [](const std::optional<calibration::Message>& message) {
        return message ? io::fromDocument(calibration::render(*message)) : QString();
    };
    if (a.xE || a.problem) {
        StatisticText xE{QStringLiteral("x_E"),  readable(a.xE), {}, readable(a.ci), {},
                         Quantity::Concentration};
        if (a.xE && !unit.trimmed().isEmpty()) {
            xE.value += QLatin1Char(' ') + unit;
        }
        xE.valueTooltip = a.problem    ? reason(a.problem)
                          : a.addition ? QString::fromUtf8(a.addition->formula)
                                       : QString();
        xE.halfWidthTooltip = reason(a.reason);
        texts.push_back(xE);
        texts.push_back({QStringLiteral("s(x_E)"),
                         readable(a.sXE),
                         reason(a.problem ? a.problem : a.reason),
                         {},
                         {},
                         Quantity::Concentration});
    }
    if (results.curve.responseFactor) {
        texts.push_back({StatisticsModel::tr("响应因子 F"),
                         readable(results.curve.responseFactor),
                         {},
                         {},
                         {},
                         Quantity::None});
    }
}

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
