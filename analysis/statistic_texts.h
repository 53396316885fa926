#pragma once

// The statistics' rows as the window and the printed record show them.

// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/results.h"
#endif

#include <QString>
#include <vector>

namespace analysis {

// What a statistic measures, for the unit the report gives it: n, r and R² have none; a, s(a)
// and s(y/x) are absorbances; b and s(b) absorbance per concentration unit, c and s(c) per its
// square; the limits are concentrations.
enum class Quantity { None, Absorbance, Slope, Curvature, Concentration };

// One statistic as the window and the report show it: its label, its value (limits with the
// unit) and, for the coefficients, the half-width at the window's level; "—" with the reason
// where a figure does not exist.
struct StatisticText {
    QString label;
    QString value;
    QString valueTooltip;
    QString halfWidth; // "" for the statistics without one
    QString halfWidthTooltip;
    Quantity quantity = Quantity::None;
};

// The rows of the statistics for the document's model, in their order; without a curve the
// values are empty.
std::vector<StatisticText> statisticTexts(const calibration::CurveResult& curve,
                                          const QString& unit);
// After them: a standard addition's x_E with its interval at the level (the formula of s(x_E)
// its tooltip) and s(x_E), and the response-factor method's F.
void appendModeTexts(const calibration::Results& results, const QString& unit,
                     std::vector<StatisticText>& texts);

} // namespace analysis
