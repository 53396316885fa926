#include "analysis/readable.h"

#include "calc/number_format.h"

#include <QCoreApplication>

namespace analysis {

QString readable(double value) {
    return QString::fromStdString(calc::formatNumber(value, calc::NumberStyle::readable()));
}

QString readable(const std::optional<double>& value) {
    return value ? readable(*value) : kMissing;
}

QString concentrationTitle(const QString& unit) {
    const QString trimmed = unit.trimmed();
    return trimmed.isEmpty() ? QCoreApplication::translate("Plot", "浓度 C")
                             : QCoreApplication::translate("Plot", "浓度 C (%1)").arg(unit);
}

} // namespace analysis
