#pragma once

// Fluorescence standards of a teaching example, the unrounded line through them and a sample
// read at A = 13.5.

#include "analysis/plot_data.h"

namespace analysis_test {

inline analysis::PlotData workedExample() {
    analysis::PlotData d;
    d.concentrations = {0, 2, 4, 6, 8, 10, 12};
    d.absorbances = {2.1, 5.0, 9.0, 12.6, 17.3, 21.0, 24.7};
    d.a = 1.517857;
    d.b = 1.930357;
    d.bandLow = 2.1;
    d.bandHigh = 24.7;
    d.current = analysis::PlotSample{(13.5 - d.a) / d.b, 13.5, false};
    d.xTitle = QStringLiteral("浓度 C (mg/L)");
    d.yTitle = QStringLiteral("吸光度 A");
    d.equation = QStringLiteral("y = 1.5179 + 1.9304x");
    d.r2Text = QStringLiteral("R² = 0.99776");
    return d;
}

} // namespace analysis_test
