#include "analysis/plot_mapping.h"

#include "calc/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace analysis {

namespace {

double along(double value, Range r, double from, double length) {
    const double width = r.high - r.low;
    if (!(width != 0) || !std::isfinite(width)) {
        return from + length / 2;
    }
    return from + (value - r.low) / width * length;
}

double back(double pixel, Range r, double from, double length) {
    if (length == 0) {
        return (r.low + r.high) / 2;
    }
    return r.low + (pixel - from) / length * (r.high - r.low);
}

// k * nice * 10^e, divided by an exact power of ten where there is one, so that 3 * 0.2 is
// written 0.6 and not 0.6000000000000001.
double tickValue(double k, double nice, int e) {
    if (e < 0 && e >= -22) {
        return k * nice / std::pow(10.0, -e);
    }
    return k * nice * std::pow(10.0, e);
}

// Ticks at multiples of nice * 10^e inside low..high, or none when the multiples cannot be
// counted exactly in a double at this magnitude.
std::vector<double> multiplesInside(double low, double high, double nice, int e) {
    // The ends count with some slack (0.35 / 0.05 is 6.999...); the values are checked below.
    const double step = nice * std::pow(10.0, e);
    const double first = std::ceil(low / step - 1e-9);
    const double last = std::floor(high / step + 1e-9);
    constexpr double exact = 4503599627370496.0; // 2^52: k + 1 still differs from k
    std::vector<double> values;
    if (!std::isfinite(first) || !std::isfinite(last) || std::abs(first) > exact ||
        std::abs(last) > exact || last - first > 1000) {
        return values;
    }
    for (double k = first; k <= last; ++k) {
        const double v = tickValue(k, nice, e);
        if (v >= low && v <= high) {
            values.push_back(v == 0 ? 0.0 : v); // no -0
        }
    }
    return values;
}

int decimalExponent(double positive) {
    return static_cast<int>(std::floor(std::log10(positive) + 1e-9));
}

// The largest power of ten that `value` is a multiple of, down to 15 digits below its first:
// 5 -> 1, -0.25 -> 0.01. A lone tick is labelled with all of its digits.
double ownStep(double value) {
    if (value == 0) {
        return 1;
    }
    const int top = decimalExponent(std::abs(value));
    int e = top;
    while (e > top - 15) {
        const double units = value / std::pow(10.0, e);
        if (std::abs(units - std::round(units)) <= 1e-9 * std::abs(units)) {
            break;
        }
        --e;
    }
    return std::pow(10.0, e);
}

} // namespace

PlotMapping::PlotMapping(Range x, Range y, const QRectF& pixels) : x_(x), y_(y), pixels_(pixels) {}

double PlotMapping::pixelX(double x) const {
    return along(x, x_, pixels_.left(), pixels_.width());
}

double PlotMapping::pixelY(double y) const {
    return along(y, y_, pixels_.bottom(), -pixels_.height());
}

double PlotMapping::dataX(double px) const {
    return back(px, x_, pixels_.left(), pixels_.width());
}

double PlotMapping::dataY(double py) const {
    return back(py, y_, pixels_.bottom(), -pixels_.height());
}

Range paddedRange(double low, double high, double margin) {
    if (!std::isfinite(low) || !std::isfinite(high)) {
        return {0, 1};
    }
    const double lo = std::min(low, high);
    const double hi = std::max(low, high);
    const double magnitude = std::max(std::abs(lo), std::abs(hi));
    Range r;
    if (hi - lo <= magnitude * 1e-12) {
        const double mid = lo / 2 + hi / 2;
        const double half = mid == 0 ? 1.0 : std::abs(mid) * 0.1;
        r = {mid - half, mid + half};
    } else {
        const double pad = (hi / 2 - lo / 2) * 2 * margin; // halves: no overflow near the limits
        r = {lo - pad, hi + pad};
    }
    if (!std::isfinite(r.low) || !std::isfinite(r.high)) {
        r = {lo, hi};
    }
    return r;
}

Ticks niceTicks(Range range, int target) {
    const double low = std::min(range.low, range.high);
    const double high = std::max(range.low, range.high);
    if (!std::isfinite(low) || !std::isfinite(high)) {
        return {};
    }
    const double intervals = std::max(target, 2) - 1;
    const double rough = high / intervals - low / intervals;
    if (!(rough > 0)) {
        return {ownStep(low), {low == 0 ? 0.0 : low}};
    }
    int e = decimalExponent(rough);
    const double norm = rough / std::pow(10.0, e);
    static constexpr double nices[] = {1, 2, 5};
    int n = norm < 1.5 ? 0 : norm < 3 ? 1 : norm < 7 ? 2 : 3;
    if (n == 3) {
        n = 0;
        ++e;
    }
    // Too few multiples of the step inside the range: take the next smaller step.
    for (int attempt = 0; attempt < 6; ++attempt) {
        std::vector<double> values = multiplesInside(low, high, nices[n], e);
        if (values.size() >= 2) {
            return {nices[n] * std::pow(10.0, e), std::move(values)};
        }
        if (--n < 0) {
            n = 2;
            --e;
        }
    }
    const double mid = low / 2 + high / 2;
    return {std::pow(10.0, decimalExponent(std::max(std::abs(mid), rough))), {mid}};
}

QStringList tickLabels(const Ticks& ticks) {
    QStringList labels;
    if (ticks.values.empty() || !(ticks.step > 0)) {
        return labels;
    }
    double largest = 0;
    for (const double v : ticks.values) {
        largest = std::max(largest, std::abs(v));
    }
    const int stepExponent = decimalExponent(ticks.step);
    const bool exponentForm = ticks.step < 1e-4 || largest >= 1e6;
    for (const double v : ticks.values) {
        QString text;
        if (v == 0) {
            text = QStringLiteral("0");
        } else if (exponentForm) {
            const int digits = std::clamp(decimalExponent(std::abs(v)) - stepExponent, 0, 16);
            text = QString::fromStdString(
                calc::formatNumber(v, calc::NumberStyle::tickExponent(digits)));
        } else {
            text = QString::fromStdString(
                calc::formatNumber(v, calc::NumberStyle::tick(std::max(0, -stepExponent))));
        }
        labels.push_back(text);
    }
    return labels;
}

} // namespace analysis
