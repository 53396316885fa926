#include "analysis/standards_table.h"

#include "analysis/change_reason.h"
#include "analysis/current_calibration.h"
#include "analysis/full_text.h"
#include "analysis/readable.h"
#include "calc/decimal.h"
#include "calibration/entries.h"
#include "calibration/text.h"
#include "io/csv.h"
#include "io/document_text.h"

#include <QBrush>
#include <QColor>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>

namespace analysis {

namespace {

// Empty, not "—": a relative figure has no meaning where its denominator is zero.
QString optional(const std::optional<double>& value) {
    return value ? readable(*value) : QString();
}

// "可疑离群" beyond the Bonferroni limit of the studentized residual, "强影响" beyond Cook's
// limit; both, or neither.
QString marks(const calibration::StandardResult& result) {
    QStringList marks;
    if (result.outlier) {
        marks << StandardsModel::tr("可疑离群");
    }
    if (result.influential) {
        marks << StandardsModel::tr("强影响");
    }
    return marks.join(StandardsModel::tr("，"));
}

// Why an internal-standard cell cannot be used, as the curve reads it: the response a positive
// number; the concentration empty in every standard (the same in every solution) or a positive
// number in each.
std::optional<calibration::Message> cellProblem(const std::vector<calibration::Standard>& standards,
                                                std::size_t row, int column) {
    const bool response = column == StandardsModel::IS;
    const std::string& text = response ? standards[row].is : standards[row].cIs;
    if (!response && calibration::text::isBlank(text) &&
        std::all_of(standards.begin(), standards.end(), [](const calibration::Standard& s) {
            return calibration::text::isBlank(s.cIs);
        })) {
        return std::nullopt;
    }
    const calibration::Field field = response ? calibration::Field::InternalStandard
                                              : calibration::Field::InternalStandardConcentration;
    if (std::optional<calibration::Message> problem = calibration::numberProblem(text, field)) {
        return problem;
    }
    const calc::Decimal value = *calc::parseDecimal(text);
    if (!value.negative && !value.isZero()) {
        return std::nullopt;
    }
    return response ? calibration::Message(QT_TRANSLATE_NOOP("calibration", "内标响应应为正数"))
                    : calibration::Message(QT_TRANSLATE_NOOP("calibration", "内标浓度应为正数"));
}

} // namespace

StandardsModel::StandardsModel(CurrentCalibration& calibration, ui::Prompts& prompts,
                               QObject* parent)
    : DocumentTableModel(calibration, prompts, Columns, parent) {
    connect(&calibration, &CurrentCalibration::standardsAboutToBeReset, this,
            &StandardsModel::beginResetModel);
    connect(&calibration, &CurrentCalibration::standardsReset, this, [this] {
        followSettingsSilently();
        endResetModel();
    });
    connect(&calibration, &CurrentCalibration::standardsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(&calibration, &CurrentCalibration::standardsInserted, this,
            &StandardsModel::endInsertRows);
    connect(&calibration, &CurrentCalibration::standardsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first, last); });
    connect(&calibration, &CurrentCalibration::standardsRemoved, this,
            &StandardsModel::endRemoveRows);
    connect(&calibration, &CurrentCalibration::standardsEdited, this, [this](int first, int last) {
        emit dataChanged(index(first, 0), index(last, columnCount() - 1));
    });
    // A new curve changes every standard's check.
    connect(&calibration, &CurrentCalibration::resultsChanged, this, [this] {
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        if (rowCount() > 0) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
    });
}

int StandardsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(calibration_.document().standards.size());
}

QVariant StandardsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    section = field(section);
    // C and A are symbols, not marked.
    static const char* const kTitles[Columns] = {
        "C",
        "A",
        QT_TR_NOOP("内标响应"),
        QT_TR_NOOP("内标浓度"),
        QT_TR_NOOP("排除"),
        QT_TR_NOOP("拟合 A"),
        QT_TR_NOOP("残差"),
        QT_TR_NOOP("相对偏差 (%)"),
        QT_TR_NOOP("反算 C"),
        QT_TR_NOOP("回收率 (%)"),
        QT_TR_NOOP("学生化残差"),
        QT_TR_NOOP("Cook 距离"),
        QT_TR_NOOP("离群标记"),
    };
    if (section < 0 || section >= Columns) {
        return {};
    }
    // The concentrations with the curve's unit: "C (mg/L)", "反算 C (mg/L)".
    const QString unit = io::fromDocument(calibration_.document().unit).trimmed();
    if ((section == C || section == CBack) && !unit.isEmpty()) {
        return tr("%1 (%2)", "a column's title and its unit")
            .arg(section == C ? QStringLiteral("C") : tr(kTitles[section]), unit);
    }
    return section == C ? QStringLiteral("C") : tr(kTitles[section]);
}

Qt::ItemFlags StandardsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int column = field(index.column());
    if (column <= CIs) {
        f |= Qt::ItemIsEditable;
    } else if (column == Excluded) {
        f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

QVariant StandardsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const calibration::Standard& standard =
        calibration_.document().standards[std::size_t(index.row())];
    // A list replaced whole is announced before its curve is fitted again.
    static const calibration::StandardResult kNotChecked;
    const std::vector<calibration::StandardResult>& checks = calibration_.curve().standards;
    const calibration::StandardResult& result =
        std::size_t(index.row()) < checks.size() ? checks[std::size_t(index.row())] : kNotChecked;
    const int column = field(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (column) {
        case C:
            return io::fromDocument(standard.c);
        case A:
            return io::fromDocument(standard.a);
        case IS:
            return io::fromDocument(standard.is);
        case CIs:
            return io::fromDocument(standard.cIs);
        case Excluded:
            return role == Qt::DisplayRole ? io::fromDocument(standard.reason) : QVariant();
        case Fit:
            return optional(result.fit);
        case Residual:
            return optional(result.residual);
        case DeviationPct:
            return optional(result.deviationPct);
        case CBack:
            return optional(result.cBack);
        case RecoveryPct:
            return optional(result.recoveryPct);
        case Studentized:
        case Cooks: {
            // "—" where the figure is undefined: too few standards, a perfect line, a standard
            // alone with leverage 1, or excluded.
            const std::optional<double>& figure =
                column == Studentized ? result.studentized : result.cooks;
            return figure ? readable(*figure) : QStringLiteral("—");
        }
        case Marks:
            return marks(result);
        default:
            return {};
        }
    case Qt::CheckStateRole:
        return column == Excluded ? QVariant(standard.excluded ? Qt::Checked : Qt::Unchecked)
                                  : QVariant();
    case Qt::TextAlignmentRole:
        return column == Excluded ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        return standard.excluded && column != Excluded ? QVariant(QBrush(Qt::gray)) : QVariant();
    case Qt::BackgroundRole:
        if ((column == C && !result.c) || (column == A && !result.a) ||
            ((column == IS || column == CIs) &&
             cellProblem(calibration_.document().standards, std::size_t(index.row()), column))) {
            return QBrush(QColor(255, 200, 200));
        }
        if (column == IS && result.isOutside) {
            return QBrush(QColor(255, 235, 190));
        }
        return {};
    case Qt::ToolTipRole:
        if (column == IS || column == CIs) {
            if (const std::optional<calibration::Message> problem = cellProblem(
                    calibration_.document().standards, std::size_t(index.row()), column)) {
                return io::rendered(*problem);
            }
            return column == IS && result.isRecoveryPct
                       ? tr("内标回收率 %1%").arg(readable(*result.isRecoveryPct))
                       : QVariant();
        }
        if (column == Excluded && standard.excluded) {
            return tr("已排除：%1").arg(io::fromDocument(standard.reason));
        }
        if (column == Studentized || column == Cooks || column == Marks) {
            const calibration::Validation& validation = calibration_.curve().validation;
            if (!validation.diagnostics) {
                return io::fromDocument(calibration::render(validation.diagnosticsReason));
            }
            if (column == Marks) {
                return tr("标记只作提示：是否排除由使用者决定，并须注明理由");
            }
        }
        return {};
    default:
        return {};
    }
}

bool StandardsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid()) {
        return false;
    }
    const int column = field(index.column());
    if (column == Excluded && role == Qt::CheckStateRole) {
        setExcluded(index.row(), value.toInt() == Qt::Checked);
        return true;
    }
    if (role != Qt::EditRole || column > CIs) {
        return false;
    }
    const std::string text = io::toDocument(value.toString().trimmed());
    const calibration::Standard& standard =
        calibration_.document().standards[std::size_t(index.row())];
    const std::string* const cells[] = {&standard.c, &standard.a, &standard.is, &standard.cIs};
    if (*cells[column] == text) {
        return true; // nothing changes: nothing to ask
    }
    const ChangeReason reason(calibration_, prompts_);
    if (!reason) {
        return false;
    }
    calibration_.editStandard(index.row(), StandardField(column), text);
    return true;
}

bool StandardsModel::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1) {
        return false;
    }
    calibration_.insertStandards(row, std::vector<calibration::Standard>(std::size_t(count)));
    return true;
}

bool StandardsModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) {
        return false;
    }
    calibration_.removeStandards(rowsFrom(row, count));
    return true;
}

// Excluding asks for the exclusion's reason, which a saved record then also carries; including
// again asks for its own once the document has been saved.
void StandardsModel::setExcluded(int row, bool excluded) {
    if (!excluded) {
        const ChangeReason reason(calibration_, prompts_,
                                  tr("取消排除第%1个标准点的原因：").arg(row + 1));
        if (reason) {
            calibration_.setExcluded(row, false, {});
        }
        return;
    }
    const std::optional<QString> reason =
        prompts_.askText(tr("排除第%1个标准点的原因：").arg(row + 1), QString());
    if (!reason) {
        return;
    }
    if (reason->trimmed().isEmpty()) {
        prompts_.tell(tr("排除标准点必须说明原因"));
        return;
    }
    calibration_.setExcluded(row, true, io::toDocument(reason->trimmed()));
}

CurveUnitBox::CurveUnitBox(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent)
    : QWidget(parent), calibration_(calibration), prompts_(prompts) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    box_ = new QLineEdit(this);
    box_->setObjectName(QStringLiteral("curveUnit"));
    box_->setMaximumWidth(box_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12 + 16);
    auto* label = new QLabel(tr("浓度单位"), this);
    label->setBuddy(box_);
    box_->setAccessibleName(label->text());
    row->addWidget(label);
    row->addWidget(box_);
    row->addStretch();
    connect(box_, &QLineEdit::editingFinished, this, &CurveUnitBox::apply);
    connect(&calibration, &CurrentCalibration::standardsChanged, this, &CurveUnitBox::refresh);
    connect(&calibration, &CurrentCalibration::resultsChanged, this, &CurveUnitBox::refresh);
    refresh();
}

void CurveUnitBox::refresh() {
    if (!box_->hasFocus() || !box_->isModified()) {
        box_->setText(io::fromDocument(calibration_.document().unit));
        box_->setModified(false);
    }
}

// The unit as typed, trimmed as the main window's list keeps it.
void CurveUnitBox::apply() {
    const std::string unit = io::toDocument(box_->text().trimmed());
    box_->setModified(false);
    if (unit == calibration_.document().unit) {
        refresh();
        return;
    }
    const ChangeReason reason(calibration_, prompts_);
    if (reason) {
        calibration_.setUnit(unit, CurrentCalibration::From::Elsewhere);
    }
    refresh();
}

StandardsTable::StandardsTable(StandardsModel& model, CurrentCalibration& calibration,
                               ui::Prompts& prompts, QWidget* parent)
    : DocumentTable(parent), calibration_(calibration), prompts_(prompts) {
    setObjectName(QStringLiteral("points"));
    setAccessibleName(tr("标准点"));
    setModel(&model);
    // One line per standard whatever the columns' width: numbers never wrap.
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    showFullTexts(*this);
}

void StandardsTable::pasteBlock(const QString& block) {
    if (block.trimmed().isEmpty()) {
        return;
    }
    const io::Expected<io::StandardsCsv> csv = io::readStandardsText(block);
    if (!csv) {
        prompts_.tell(tr("粘贴失败：%1").arg(csv.error().message()));
        return;
    }
    std::vector<calibration::Standard> pasted;
    for (const io::Standard& standard : csv->rows) {
        pasted.push_back(io::toDocument(standard));
    }
    // Pasted over selected rows, they take their place; otherwise they join at the end.
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.push_back(index.row());
    }
    std::vector<calibration::Standard> standards = calibration_.document().standards;
    int at = int(standards.size());
    if (!rows.empty()) {
        at = *std::min_element(rows.begin(), rows.end());
        const int last = *std::max_element(rows.begin(), rows.end());
        standards.erase(standards.begin() + at, standards.begin() + last + 1);
    }
    standards.insert(standards.begin() + at, pasted.begin(), pasted.end());
    const ChangeReason reason(calibration_, prompts_);
    if (!reason) {
        return;
    }
    calibration_.setStandards(std::move(standards), std::nullopt,
                              CurrentCalibration::From::Elsewhere);
    scrollTo(model()->index(at, 0));
}

void StandardsTable::addRow() {
    const int row = currentIndex().isValid() ? currentIndex().row() + 1 : model()->rowCount();
    const ChangeReason reason(calibration_, prompts_);
    if (!reason) {
        return;
    }
    model()->insertRows(row, 1);
    setCurrentIndex(model()->index(row, StandardsModel::C));
    edit(currentIndex());
}

void StandardsTable::deleteSelectedRows() {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.push_back(index.row());
    }
    if (rows.empty() && currentIndex().isValid()) {
        rows.push_back(currentIndex().row());
    }
    if (rows.empty()) {
        return;
    }
    const ChangeReason reason(calibration_, prompts_);
    if (reason) {
        calibration_.removeStandards(rows);
    }
}

void StandardsTable::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(tr("添加标准点"), this, &StandardsTable::addRow);
    menu.addAction(tr("粘贴"), this, &DocumentTable::pasteClipboard);
    auto* remove = menu.addAction(tr("删除所选标准点"), this, &StandardsTable::deleteSelectedRows);
    remove->setEnabled(selectionModel()->hasSelection());
    const QModelIndex at = indexAt(event->pos());
    if (at.isValid()) {
        menu.addSeparator();
        auto& standards = static_cast<StandardsModel&>(*model());
        const bool excluded = calibration_.document().standards[std::size_t(at.row())].excluded;
        menu.addAction(
            excluded ? tr("取消排除第%1点").arg(at.row() + 1) : tr("排除第%1点…").arg(at.row() + 1),
            this, [&standards, at, excluded] { standards.setExcluded(at.row(), !excluded); });
    }
    menu.exec(event->globalPos());
}

} // namespace analysis
