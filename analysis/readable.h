#pragma once

#include <QString>
#include <optional>

namespace analysis {

// A figure as the analysis window shows it: six significant digits, C locale, "-0" shown as "0".
// The copied report carries the full precision instead.
QString readable(double value);

// "—" for a figure that does not exist.
QString readable(const std::optional<double>& value);

inline const QString kMissing = QStringLiteral("—");

// "浓度 C (mg/L)", or "浓度 C" with no unit.
QString concentrationTitle(const QString& unit);

} // namespace analysis
