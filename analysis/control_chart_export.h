#pragma once

// Saving a control chart for a report: a PNG or SVG image, or a PDF page (A4 landscape).

#include "analysis/control_chart_plot.h"
#include "io/error.h"

#include <QString>
#include <optional>

namespace analysis {

// The image: 2000 x 1200 pixels drawn for 250 dots per inch (an 8 x 4.8 inch figure).
inline constexpr int chartImageWidth = 2000;
inline constexpr int chartImageHeight = 1200;
inline constexpr int chartImageDpi = 250;

// Writes the chart to `path` as PNG, SVG or PDF by its suffix (any case), white behind it, whole
// or not at all (io::saveFileAtomically). Returns nullopt on success, else the error naming the
// file, to show after "质控图导出失败：".
std::optional<io::Error> saveControlChart(const QString& path, const ControlChartData& data);

} // namespace analysis
