#pragma once

// Data-to-pixel mapping of a plot and the round tick values of its axes.

#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <vector>

namespace analysis {

struct Range {
    double low = 0;
    double high = 1;
};

// Maps the data rectangle x.low..x.high, y.low..y.high onto a pixel rectangle, y growing upwards:
// (x.low, y.low) lands on the pixel rectangle's bottom-left corner, (x.high, y.high) on its
// top-right. A zero-width range maps all of its values to the middle of the pixels.
class PlotMapping {
public:
    PlotMapping() = default;
    PlotMapping(Range x, Range y, const QRectF& pixels);

    double pixelX(double x) const;
    double pixelY(double y) const;
    QPointF toPixel(double x, double y) const { return {pixelX(x), pixelY(y)}; }
    double dataX(double px) const;
    double dataY(double py) const;
    QPointF toData(const QPointF& pixel) const { return {dataX(pixel.x()), dataY(pixel.y())}; }

    Range xRange() const { return x_; }
    Range yRange() const { return y_; }
    const QRectF& pixels() const { return pixels_; }

private:
    Range x_, y_;
    QRectF pixels_;
};

// The data range shown on an axis: low..high (either order) widened by `margin` of its width on
// each side. A zero-width range becomes value +- 10 % of it (-1..1 around zero); a range too
// narrow for doubles to tell apart at its magnitude is treated as zero-width; non-finite bounds
// give 0..1.
Range paddedRange(double low, double high, double margin = 0.05);

// Tick values at multiples of a step of 1, 2 or 5 x 10^n, about `target` of them (at least two)
// inside low..high, ends included. A zero-width range gets one tick at its value.
struct Ticks {
    double step = 1;
    std::vector<double> values;
};
Ticks niceTicks(Range range, int target = 5);

// Short labels for the ticks, one notation for the whole axis: "0", "2.5", "-0.4", "12000"; in
// exponent form when the step is below 1e-4 or a value reaches 1e6: "1e-05", "2.5e+09".
QStringList tickLabels(const Ticks& ticks);

} // namespace analysis
