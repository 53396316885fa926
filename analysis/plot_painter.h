#pragma once

// The calibration plot and the residual plot, drawn with QPainter. One drawing serves the window,
// the saved PNG and SVG, the printer and the PDF: text is set in the painter's font (by default
// the application's, 9 pt), line widths and marker sizes are given in points and converted with
// the device's logical DPI, so the plots read the same at 1x, 2x, in a 1600 x 1200 image and on
// A4. A caller that wants another face (the PDF report) sets it on the painter first.

#include "analysis/plot_data.h"
#include "analysis/plot_mapping.h"

#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace analysis {

// Nothing is drawn unless the data holds a finite line and at least one standard with finite
// values; the caller shows its own empty state.
bool hasCurve(const PlotData& data);

// The standards (the excluded ones hollow), the fitted line or second-order curve, the
// calibrated range as a band, the confidence and prediction bands when asked, the samples with
// their labels when asked, the current sample with guides to both axes, ticks, grid, axis titles,
// the equation with R² and a legend.
void paintCalibration(QPainter& painter, const QRectF& rect, const PlotData& data);

// The residuals of the standards as stems from the zero line, over the calibration plot's
// concentration axis: those given in the data, else A - (a + b*C + c*C²). Both plots give their
// vertical axis the same room, so plots of the same width stacked one above the other have their
// axes aligned.
void paintResiduals(QPainter& painter, const QRectF& rect, const PlotData& data);

// The calibration plot above the residual plot in one rectangle: the saved image, the report.
void paintFigure(QPainter& painter, const QRectF& rect, const PlotData& data);

// Where the painting functions put the data for the same painter, rectangle and data: the
// plot area in pixels and its data ranges (for pointing at the plot, and for tests).
PlotMapping calibrationMapping(const QPainter& painter, const QRectF& rect, const PlotData& data);
PlotMapping residualMapping(const QPainter& painter, const QRectF& rect, const PlotData& data);

// Where paintCalibration puts the sample labels for the same painter, rectangle and data. Each
// label is tried around its marker (right, left, above, below, then the diagonals), the current
// sample's first, then the list's in order, and takes the first place inside the plot area that
// overlaps no marker, no other label, the equation box and the legend, preferring one that neither
// the curve nor the current sample's guides cross. When some labels find no place and every
// sample with a label has a short label, the short labels are placed instead, all of them; labels
// that still find no place are not drawn, and counted. Empty labels are none. Nothing is placed
// when the plot is not drawn or labels are not asked for.
struct PlacedLabel {
    int sample; // the index in PlotData::samples, or -1 for PlotData::current
    QString text;
    QRectF rect;      // the text's ink with a little room, in the painter's coordinates
    QPointF baseline; // where the text is drawn from
};
struct SampleLabels {
    std::vector<PlacedLabel> placed;
    int dropped = 0;          // labels not drawn for want of room
    bool shortLabels = false; // the short labels were placed, not the labels
    QRectF equationBox;       // what the labels keep clear of, for checking: empty when none
    std::vector<QRectF> legend;
};
SampleLabels sampleLabels(const QPainter& painter, const QRectF& rect, const PlotData& data);

} // namespace analysis
