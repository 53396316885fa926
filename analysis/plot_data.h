#pragma once

// What the calibration plot and the residual plot draw, as plain values: the caller fills it from
// the fit and the sample list and writes the texts; the plots never compute or format a statistic.

#include <QString>
#include <limits>
#include <optional>
#include <vector>

namespace analysis {

struct PlotSample {
    double concentration;
    double absorbance;
    bool flagged;    // any flag: drawn in the warning colour
    QString label{}; // the sample's name, or the number the results table gives it; may be empty
    // Drawn in place of every label when not all labels find room in the plot (the number the
    // results table gives the sample); empty: labels without room are left out.
    QString shortLabel{};
};

// The bands of the fitted curve at one concentration: the confidence band of the curve and the
// prediction band of one new reading (absorbances).
struct BandPoint {
    double x;
    double confidenceLow, confidenceHigh;
    double predictionLow, predictionHigh;
};

struct PlotData {
    std::vector<double> concentrations, absorbances; // the standards, pairwise
    std::vector<bool> excluded;                      // per standard: drawn hollow, not fitted
    double a = 0, b = 0, c = 0; // the fitted curve y = a + b*x + c*x^2 (c = 0: a line)
    // One per standard, as the residual plot shows them (A - fit, or sqrt(w)*(A - fit) for a
    // weighted model); NaN where none. Empty: the residual plot computes A - (a + b*C + c*C^2).
    std::vector<double> residuals;
    QString residualTitle; // the residual plot's vertical axis; empty: "残差"
    // Sampled along the curve over the standards' span, ascending in x; drawn only when asked.
    std::vector<BandPoint> bands;
    bool showConfidence = false, showPrediction = false;
    bool showSampleLabels = false;     // each sample's label beside its marker
    double bandLow = 0, bandHigh = 0;  // calibrated range: lowest..highest standard absorbance
    std::vector<PlotSample> samples;   // the sample list, small markers
    std::optional<PlotSample> current; // the last computed sample: a larger marker with guides
    QString xTitle;                    // "浓度 C (mg/L)"
    QString yTitle;                    // "吸光度 A"
    QString equation;                  // "y = 1.5179 + 1.9304x", written inside the plot
    QString r2Text;                    // "R² = 0.99776", the line below it
    // A standard addition: where the line meets the concentration axis (-a/b, the sample's
    // content with its sign turned) and the half-width of its interval at the level (NaN: none).
    // The line is drawn on to it, and the point marked with its interval.
    std::optional<double> interceptX;
    double interceptHalfWidth = std::numeric_limits<double>::quiet_NaN();
};

} // namespace analysis
