#include "analysis/readable.h"

namespace analysis {

QString readable(double value) {
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    return QString::number(value, 'g', 6);
}

QString readable(const std::optional<double>& value) {
    return value ? readable(*value) : kMissing;
}

QString concentrationTitle(const QString& unit) {
    const QString trimmed = unit.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("浓度 C") : QStringLiteral("浓度 C (%1)").arg(unit);
}

} // namespace analysis
