#include "analysis/sample_list.h"

#include "analysis/change_reason.h"
#include "analysis/current_calibration.h"
#include "analysis/readable.h"
#include "analysis/uncertainty_texts.h"
#include "calc/number_format.h"
#include "calc/number_text.h"
#include "calibration/entries.h"
#include "io/document_text.h"

#include <QBrush>
#include <QColor>

namespace analysis {

namespace {

bool anyFlag(const calibration::SampleFlags& flags) {
    return flags.outOfRange || flags.belowLod || flags.belowLoq || flags.noLimit;
}

QString reasonOf(const calibration::Figure& figure) {
    return figure.reason ? io::fromDocument(calibration::render(*figure.reason)) : QString();
}

QString messageText(const std::optional<calibration::Message>& message) {
    return message ? io::fromDocument(calibration::render(*message)) : QString();
}

const calibration::Figure& figureOf(const calibration::SampleResult& result, int column) {
    switch (column) {
    case SampleListModel::X0:
        return result.x0;
    case SampleListModel::SX0:
        return result.sX0;
    default:
        return result.ci;
    }
}

} // namespace

SampleListModel::SampleListModel(CurrentCalibration& calibration, ui::Prompts& prompts,
                                 QObject* parent)
    : DocumentTableModel(calibration, prompts, Columns, parent) {
    connect(&calibration, &CurrentCalibration::samplesAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(&calibration, &CurrentCalibration::samplesInserted, this,
            &SampleListModel::endInsertRows);
    connect(&calibration, &CurrentCalibration::samplesAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first, last); });
    connect(&calibration, &CurrentCalibration::samplesRemoved, this,
            &SampleListModel::endRemoveRows);
    connect(&calibration, &CurrentCalibration::samplesAboutToBeReset, this,
            &SampleListModel::beginResetModel);
    connect(&calibration, &CurrentCalibration::samplesReset, this, [this] {
        followSettingsSilently();
        endResetModel();
    });
    connect(&calibration, &CurrentCalibration::samplesChanged, this, [this](int first, int last) {
        emit dataChanged(index(first, 0), index(last, columnCount() - 1));
    });
    // The headers name the level and the units.
    connect(&calibration, &CurrentCalibration::resultsChanged, this,
            [this] { emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1); });
}

int SampleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(calibration_.document().samples.size());
}

QVariant SampleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    }
    section = field(section);
    if (role == Qt::ToolTipRole && section == MainResult) {
        return tr("主窗口的结果：主窗口总是用全部标准点作不加权的直线拟合");
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    // "m" and "s(x0)" are symbols, not marked; the half-width and the result are written below.
    static const char* const kTitles[Columns] = {
        QT_TR_NOOP("名称"),
        QT_TR_NOOP("读数"),
        QT_TR_NOOP("内标响应"),
        QT_TR_NOOP("内标浓度"),
        QT_TR_NOOP("稀释倍数"),
        QT_TR_NOOP("类型"),
        QT_TR_NOOP("所指样品"),
        QT_TR_NOOP("加标量"),
        QT_TR_NOOP("标称浓度"),
        QT_TR_NOOP("标准值"),
        QT_TR_NOOP("不确定度U"),
        "m",
        QT_TR_NOOP("平均吸光度"),
        QT_TR_NOOP("浓度 x0"),
        "s(x0)",
        nullptr,
        QT_TR_NOOP("标记"),
        nullptr,
        nullptr,
        QT_TR_NOOP("质控"),
        QT_TR_NOOP("主窗口结果"),
    };
    // Each figure with its unit: the curve's for what is read from it, the reporting unit for
    // the result and a reference material's values.
    const QString curveUnit = io::fromDocument(calibration_.document().unit).trimmed();
    const QString resultUnit = io::fromDocument(calibration_.batch().resultUnit).trimmed();
    const auto withUnit = [](const QString& title, const QString& unit) {
        return unit.isEmpty() ? title
                              : tr("%1 (%2)", "a column's title and its unit").arg(title, unit);
    };
    switch (section) {
    case CiX0:
        return withUnit(tr("%1% 半宽").arg(calibration_.document().settings.level), curveUnit);
    case Result:
        return withUnit(tr("结果"), resultUnit);
    case Added:
    case Nominal:
    case X0:
    case SX0:
        return withUnit(tr(kTitles[section]), curveUnit);
    case Certified:
    case U:
        return withUnit(tr(kTitles[section]), resultUnit);
    case Expanded:
        return expandedHeader(calibration_.document());
    default:
        return section >= 0 && section < Columns ? tr(kTitles[section]) : QVariant();
    }
}

Qt::ItemFlags SampleListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (field(index.column()) <= kLastEditable) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

QVariant SampleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const calibration::Sample& sample = calibration_.document().samples[std::size_t(index.row())];
    const calibration::SampleResult& result =
        calibration_.sampleResults()[std::size_t(index.row())];
    const calibration::SampleValues& values = result.values;
    const int column = field(index.column());
    const bool badCell = (column == Readings && values.readingsProblem) ||
                         (column == Dilution && values.dilutionProblem);
    // Without its numbers or a curve a row has no computed cell: they are empty and say why.
    // The quality cell shows its rules also then: a rule that cannot be judged says why.
    const bool computed = column >= Count && column <= Result;
    const bool badType = result.batchProblem && column >= Type && column <= U;
    const bool estimated = values.ok() && calibration_.curve().hasCurve();
    if (computed && !estimated) {
        return role == Qt::ToolTipRole ? reasonOf(result.x0) : QVariant();
    }
    switch (role) {
    case Qt::EditRole:
    case Qt::DisplayRole:
        switch (column) {
        case Name:
            return io::fromDocument(sample.name);
        case Readings:
            return io::fromDocument(sample.readings);
        case IS:
            return io::fromDocument(sample.is);
        case CIs:
            return io::fromDocument(sample.cIs);
        case Dilution:
            return role == Qt::DisplayRole &&
                           sample.dilution.find_first_not_of(' ') == std::string::npos
                       ? QStringLiteral("1")
                       : io::fromDocument(sample.dilution);
        case MainResult:
            return io::fromDocument(sample.mainResult);
        case Type:
            // A key shows as its name; any other text as typed (marked).
            return role == Qt::DisplayRole && result.type && !sample.type.empty()
                       ? io::fromDocument(
                             calibration::translate(calibration::typeName(*result.type)))
                       : io::fromDocument(sample.type);
        case Of:
            return io::fromDocument(sample.of);
        case Added:
            return io::fromDocument(sample.added);
        case Nominal:
            return io::fromDocument(sample.nominal);
        case Certified:
            return io::fromDocument(sample.certified);
        case U:
            return io::fromDocument(sample.u);
        case Result:
            // A sample whose duplicates passed reports their mean.
            return result.meanResultText.empty()
                       ? io::fromDocument(result.resultText)
                       : tr("%1（平行样均值）").arg(io::fromDocument(result.meanResultText));
        case Expanded:
            return expandedCell(result);
        case Qc:
            return qcCellText(result.checks, io::fromDocument(calibration_.document().unit),
                              io::fromDocument(calibration_.batch().resultUnit));
        case Count:
            return result.m;
        case MeanA:
            return meanAbsorbanceText(sample.readings, result.meanA);
        case X0:
        case SX0:
        case CiX0:
            return readable(figureOf(result, column).value);
        case Flags:
            return flagsText(result.flags);
        default:
            return {};
        }
    case Qt::ToolTipRole:
        if (column == Readings && values.readingsProblem) {
            return messageText(values.readingsProblem);
        }
        if (column == Dilution && values.dilutionProblem) {
            return messageText(values.dilutionProblem);
        }
        if (column == IS && result.isRecoveryPct) {
            return tr("内标回收率 %1%").arg(readable(*result.isRecoveryPct));
        }
        if (column >= X0 && column <= CiX0) {
            return reasonOf(figureOf(result, column));
        }
        if (computed) {
            return reasonOf(result.x0);
        }
        if (column == MainResult && sample.earlierCurve && sample.mainResult.empty()) {
            return tr("由之前的标准曲线计算");
        }
        if (badType) {
            return messageText(result.batchProblem);
        }
        if (column == Result) {
            if (!result.result.value) {
                return reasonOf(result.result);
            }
            return result.meanResult
                       ? tr("平行样均值 %1；本样品 %2")
                             .arg(readable(*result.meanResult), readable(*result.result.value))
                       : readable(*result.result.value);
        }
        if (column == Expanded) {
            return expandedReason(result);
        }
        if (column == Qc) {
            return qcDetails(result.checks);
        }
        return {};
    case Qt::BackgroundRole:
        if (badCell || badType || result.qcPass() == false) {
            return QBrush(QColor(255, 200, 200));
        }
        if (column == Qc && !result.checks.empty() && !result.qcPass()) {
            return QBrush(QColor(255, 235, 190)); // not judged
        }
        if ((column == Flags && anyFlag(result.flags)) || (column == IS && result.isOutside)) {
            return QBrush(QColor(255, 235, 190));
        }
        return {};
    case Qt::TextAlignmentRole:
        return (column >= Count && column <= CiX0) || column == Result || column == Expanded
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
    default:
        return {};
    }
}

bool SampleListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int column = field(index.column());
    if (role != Qt::EditRole || !index.isValid() || column > kLastEditable) {
        return false;
    }
    static constexpr SampleField kFields[kLastEditable + 1] = {
        SampleField::Name,     SampleField::Readings,  SampleField::IS, SampleField::CIs,
        SampleField::Dilution, SampleField::Type,      SampleField::Of, SampleField::Added,
        SampleField::Nominal,  SampleField::Certified, SampleField::U,
    };
    const SampleField typed = kFields[column];
    const std::string text = io::toDocument(value.toString());
    if (!calibration_.changesSample(index.row(), typed, text)) {
        return true; // nothing changes: nothing to ask
    }
    const ChangeReason reason(calibration_, prompts_);
    if (!reason) {
        return false;
    }
    calibration_.editSample(index.row(), typed, text);
    return true;
}

bool SampleListModel::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1) {
        return false;
    }
    calibration_.insertSamples(row, std::vector<calibration::Sample>(std::size_t(count)), "table");
    return true;
}

bool SampleListModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) {
        return false;
    }
    calibration_.removeSamples(rowsFrom(row, count));
    return true;
}

} // namespace analysis
