#pragma once

// The calibration plot and the residual plot, drawn with QPainter. One drawing serves the window,
// the saved PNG and SVG, the printer and the PDF: text is set in the painter's font (by default
// the application's, 9 pt), line widths and marker sizes are given in points and converted with
// the device's logical DPI, so the plots read the same at 1x, 2x, in a 1600 x 1200 image and on
// A4. A caller that wants another face (the PDF report) sets it on the painter first.

#include "analysis/plot_data.h"
#include "analysis/plot_mapping.h"

class QPainter;
class QRectF;

namespace analysis {

// Nothing is drawn unless the data holds a finite line and at least one standard with finite
// values; the caller shows its own empty state.
bool hasCurve(const PlotData& data);

// The standards, the fitted line, the calibrated range as a band, the samples, the current sample
// with guides to both axes, ticks, grid, axis titles, the equation with R² and a legend.
void paintCalibration(QPainter& painter, const QRectF& rect, const PlotData& data);

// The residuals A - (a + b*C) of the standards as stems from the zero line, over the calibration
// plot's concentration axis. Both plots give their vertical axis the same room, so plots of the
// same width stacked one above the other have their axes aligned.
void paintResiduals(QPainter& painter, const QRectF& rect, const PlotData& data);

// The calibration plot above the residual plot in one rectangle: the saved image, the report.
void paintFigure(QPainter& painter, const QRectF& rect, const PlotData& data);

// Where the painting functions put the data for the same painter, rectangle and data: the
// plot area in pixels and its data ranges (for pointing at the plot, and for tests).
PlotMapping calibrationMapping(const QPainter& painter, const QRectF& rect, const PlotData& data);
PlotMapping residualMapping(const QPainter& painter, const QRectF& rect, const PlotData& data);

} // namespace analysis
