#pragma once

#include <QString>
#include <optional>

namespace analysis {

// A figure as the analysis window and the printed report show it: six significant digits, plain
// from a millionth to below 10^15 and in exponent form beyond (calc::NumberStyle::readable()), "-0"
// shown as "0": "-0.0009", "1234567", "1.5e-07". The copied report carries the full precision
// instead.
QString readable(double value);

// "—" for a figure that does not exist.
QString readable(const std::optional<double>& value);

inline const QString kMissing = QStringLiteral("—");

// "浓度 C (mg/L)", or "浓度 C" with no unit.
QString concentrationTitle(const QString& unit);

} // namespace analysis
