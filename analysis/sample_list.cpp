#include "analysis/sample_list.h"

#include "analysis/readable.h"

#include <QBrush>
#include <QColor>
#include <QRegularExpression>
#include <algorithm>

namespace analysis {

namespace {

const QString kNoCurve = QStringLiteral("尚未计算标准曲线");

QString flagsText(const calc::SampleFlags& flags) {
    QStringList parts;
    if (flags.outOfRange) {
        parts << QStringLiteral("超出线性范围");
    }
    if (flags.belowLod) {
        parts << QStringLiteral("低于检出限");
    }
    if (flags.belowLoq) {
        parts << QStringLiteral("低于定量限");
    }
    return parts.join(QStringLiteral("、"));
}

bool anyFlag(const calc::SampleFlags& flags) {
    return flags.outOfRange || flags.belowLod || flags.belowLoq;
}

} // namespace

SampleListModel::SampleListModel(QObject* parent) : QAbstractTableModel(parent) {}

int SampleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries_.size());
}

int SampleListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant SampleListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    static const QString kTitles[Columns] = {
        QStringLiteral("名称"),       QStringLiteral("读数"),       QStringLiteral("稀释倍数"),
        QStringLiteral("m"),          QStringLiteral("平均吸光度"), QStringLiteral("浓度 x0"),
        QStringLiteral("s(x0)"),      QStringLiteral("95% 半宽"),   QStringLiteral("标记"),
        QStringLiteral("主窗口结果"),
    };
    return section >= 0 && section < Columns ? kTitles[section] : QVariant();
}

Qt::ItemFlags SampleListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() <= Dilution) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

QVariant SampleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const SampleEntry& entry = entries_[std::size_t(index.row())];
    const Parsed& parsed = parsed_[std::size_t(index.row())];
    const int column = index.column();
    const bool badCell = (column == Readings && parsed.readingsError) ||
                         (column == Dilution && parsed.dilutionError);
    switch (role) {
    case Qt::EditRole:
    case Qt::DisplayRole: {
        switch (column) {
        case Name:
            return entry.name;
        case Readings:
            return entry.readings;
        case Dilution:
            return role == Qt::DisplayRole && entry.dilution.trimmed().isEmpty()
                       ? QStringLiteral("1")
                       : entry.dilution;
        case MainResult:
            return entry.mainResult;
        default:
            break;
        }
        if (!parsed.estimate) {
            return {};
        }
        const calc::SampleEstimate& e = *parsed.estimate;
        switch (column) {
        case Count:
            return e.m;
        case MeanA:
            return readable(e.meanA);
        case X0:
            return readable(e.x0);
        case SX0:
            return readable(e.sX0);
        case Ci95X0:
            return readable(e.ci95X0);
        case Flags:
            return flagsText(e.flags);
        default:
            return {};
        }
    }
    case Qt::ToolTipRole:
        if (column == Readings && parsed.readingsError) {
            return *parsed.readingsError;
        }
        if (column == Dilution && parsed.dilutionError) {
            return *parsed.dilutionError;
        }
        if (column >= Count && column <= Flags && !parsed.estimate) {
            return problem(index.row());
        }
        if ((column == SX0 || column == Ci95X0) && parsed.estimate && !parsed.estimate->sX0) {
            return kNeedsThreePoints;
        }
        return {};
    case Qt::BackgroundRole:
        if (badCell) {
            return QBrush(QColor(255, 200, 200));
        }
        if (column == Flags && parsed.estimate && anyFlag(parsed.estimate->flags)) {
            return QBrush(QColor(255, 235, 190));
        }
        return {};
    case Qt::TextAlignmentRole:
        return column >= Count && column <= Ci95X0 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                   : QVariant();
    default:
        return {};
    }
}

bool SampleListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() > Dilution) {
        return false;
    }
    SampleEntry& entry = entries_[std::size_t(index.row())];
    QString* cell = index.column() == Name       ? &entry.name
                    : index.column() == Readings ? &entry.readings
                                                 : &entry.dilution;
    *cell = value.toString();
    parsed_[std::size_t(index.row())] = parse(entry);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), Columns - 1));
    emit samplesChanged();
    return true;
}

// The readings and the dilution are checked apart, so that each bad cell is marked with its own
// reason.
SampleListModel::Parsed SampleListModel::parse(const SampleEntry& entry) const {
    Parsed parsed;
    const auto readings = io::sampleValues(io::Sample{{}, entry.readings, {}, {}});
    if (readings) {
        parsed.readings.assign(readings->readings.cbegin(), readings->readings.cend());
    } else {
        parsed.readingsError = readings.error().reason;
    }
    const auto dilution = io::sampleValues(io::Sample{{}, QStringLiteral("1"), entry.dilution, {}});
    if (dilution) {
        parsed.dilution = dilution->dilution;
    } else {
        parsed.dilutionError = dilution.error().reason;
    }
    estimate(parsed);
    return parsed;
}

void SampleListModel::estimate(Parsed& parsed) const {
    parsed.estimate.reset();
    if (stats_ && !parsed.readingsError && !parsed.dilutionError) {
        parsed.estimate = calc::estimateSample(*stats_, parsed.readings, parsed.dilution);
    }
}

QString SampleListModel::problem(int row) const {
    const Parsed& parsed = parsed_[std::size_t(row)];
    if (parsed.readingsError) {
        return *parsed.readingsError;
    }
    if (parsed.dilutionError) {
        return *parsed.dilutionError;
    }
    return parsed.estimate ? QString() : kNoCurve;
}

void SampleListModel::setStatistics(const std::optional<calc::LineStatistics>& stats) {
    stats_ = stats;
    for (Parsed& parsed : parsed_) {
        estimate(parsed);
    }
    if (!entries_.empty()) {
        emit dataChanged(index(0, Count), index(rowCount() - 1, Flags));
    }
    emit samplesChanged();
}

void SampleListModel::append(const std::vector<SampleEntry>& entries) {
    if (entries.empty()) {
        return;
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + int(entries.size()) - 1);
    for (const SampleEntry& entry : entries) {
        entries_.push_back(entry);
        parsed_.push_back(parse(entry));
    }
    endInsertRows();
    emit samplesChanged();
}

void SampleListModel::removeSampleRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the last row up, so that the earlier indices stay valid.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const int row = *it;
        if (row < 0 || row >= rowCount()) {
            continue;
        }
        beginRemoveRows({}, row, row);
        entries_.erase(entries_.begin() + row);
        parsed_.erase(parsed_.begin() + row);
        endRemoveRows();
    }
    emit samplesChanged();
}

void SampleListModel::clear() {
    beginResetModel();
    entries_.clear();
    parsed_.clear();
    endResetModel();
    emit samplesChanged();
}

QString SampleListModel::nextSampleName() const {
    static const QRegularExpression kNumbered(QStringLiteral("^样品 (\\d{1,9})$"));
    long long highest = 0;
    for (const SampleEntry& entry : entries_) {
        const auto match = kNumbered.match(entry.name);
        if (match.hasMatch()) {
            highest = std::max(highest, match.captured(1).toLongLong());
        }
    }
    return QStringLiteral("样品 %1").arg(highest + 1);
}

std::vector<calc::SampleRow> SampleListModel::reportRows() const {
    std::vector<calc::SampleRow> rows;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Parsed& parsed = parsed_[i];
        if (!parsed.readingsError && !parsed.dilutionError) {
            rows.push_back({entries_[i].name.toStdString(), parsed.readings, parsed.dilution});
        }
    }
    return rows;
}

std::vector<PlotSample> SampleListModel::plotSamples() const {
    std::vector<PlotSample> samples;
    for (const Parsed& parsed : parsed_) {
        if (parsed.estimate) {
            const calc::SampleEstimate& e = *parsed.estimate;
            samples.push_back({e.x0 / parsed.dilution, e.meanA, anyFlag(e.flags)});
        }
    }
    return samples;
}

} // namespace analysis
