#pragma once

// What the calibration plot and the residual plot draw, as plain values: the caller fills it from
// the fit and the sample list and writes the texts; the plots never compute or format a statistic.

#include <QString>
#include <optional>
#include <vector>

namespace analysis {

struct PlotSample {
    double concentration;
    double absorbance;
    bool flagged; // any flag: drawn in the warning colour
};

struct PlotData {
    std::vector<double> concentrations, absorbances; // the standards, pairwise
    std::vector<bool> excluded;                      // per standard: drawn hollow, not fitted
    double a = 0, b = 0, c = 0; // the fitted curve y = a + b*x + c*x^2 (c = 0: a line)
    double bandLow = 0, bandHigh = 0;  // calibrated range: lowest..highest standard absorbance
    std::vector<PlotSample> samples;   // the sample list, small markers
    std::optional<PlotSample> current; // the last computed sample: a larger marker with guides
    QString xTitle;                    // "浓度 C (mg/L)"
    QString yTitle;                    // "吸光度 A"
    QString equation;                  // "y = 1.5179 + 1.9304x", written inside the plot
    QString r2Text;                    // "R² = 0.99776", the line below it
};

} // namespace analysis
