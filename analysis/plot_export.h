#pragma once

// Saving the calibration plot with the residual plot below it as an image for a report.

#include "analysis/plot_data.h"
#include "io/error.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QPainter;

namespace analysis {

// The saved image: 1600 x 1200 pixels, drawn for 250 dots per inch (a 6.4 x 4.8 inch figure, so
// 9 pt text is as large against the plots as in the window).
inline constexpr int exportWidth = 1600;
inline constexpr int exportHeight = 1200;
inline constexpr int exportDpi = 250;

// A white image of `width` x `height` pixels at `dpi`, painted by `paint`, as PNG bytes; nullopt
// when it cannot be encoded.
std::optional<QByteArray> paintedPng(int width, int height, int dpi,
                                     const std::function<void(QPainter&)>& paint);

// Writes the figure to `path` as PNG or SVG by its suffix (any case), white behind the plots,
// through io::saveFileAtomically: an existing file is replaced only by a complete image. Returns
// nullopt on success, else the error (naming the file) to show after "图像保存失败：".
std::optional<io::Error> savePlotImage(const QString& path, const PlotData& data);

} // namespace analysis
