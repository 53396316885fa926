#pragma once

// The plots of a calibration document: what the window draws, the saved images, the printed
// report and the command line's PDF, all built here from the document and its results.

#include "analysis/plot_data.h"
// moc cannot parse the standard library's concepts, which the calibration headers bring.
#ifndef Q_MOC_RUN
#include "calibration/document.h"
#include "calibration/results.h"
#endif

#include <QString>
#include <optional>
#include <vector>

namespace analysis {

struct PlotOptions {
    // The main window's last sample read from the curve (calibration::readCurve), drawn with
    // guides to both axes.
    std::optional<calibration::PointReading> current;
    bool showConfidence = false, showPrediction = false;
    // Each sample's name beside its marker, or its row number in the results when the names do
    // not all find room.
    bool sampleLabels = false;
};

PlotData plotData(const calibration::Document& document, const calibration::Results& results,
                  const PlotOptions& options = {});
// The same from the parts the window keeps, without a copy of every sample's result.
PlotData plotData(const calibration::Document& document, const calibration::CurveResult& curve,
                  const std::vector<calibration::SampleResult>& samples,
                  const PlotOptions& options = {});

// A coefficient as the plot writes it, to four significant digits ("0.09704", "1.930", rounded
// half to even; "1.234e-07" below a millionth and from 10^15 on), or in full precision, every
// digit of the shortest text that reads back as the same double, plain from a millionth to below
// 10^15 ("0.097041234567891", "0.000012"); zero is "0".
enum class Digits { Four, Full };
QString coefficientText(double value, Digits digits);

// The fitted curve in the laboratory's letters: "A = 0.006656 + 0.09704·C", "A = 0.09704·C"
// through the origin, "A = 0.01 + 0.1·C − 0.0002·C²" of second order, with a true minus sign.
QString equationText(const calc::ModelFit& fit, Digits digits);

} // namespace analysis
