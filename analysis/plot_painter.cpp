#include "analysis/plot_painter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>

namespace analysis {

namespace {

const QColor inkColour(34, 34, 34);
const QColor frameColour(90, 90, 90);
const QColor gridColour(228, 228, 228);
const QColor standardColour(35, 97, 196);
const QColor standardEdge(18, 56, 120);
const QColor lineColour(192, 57, 43);
const QColor bandColour(66, 133, 244, 46);
const QColor bandEdge(66, 133, 244, 130);
const QColor sampleColour(46, 139, 87);
const QColor warningColour(230, 81, 0);
const QColor zeroColour(120, 120, 120);
const QColor boxColour(255, 255, 255, 220);

enum class Kind { Calibration, Residuals };

// Sizes for the painter's device: a point is 1/72 inch at the device's logical DPI.
struct Style {
    QFont font;
    double perPoint = 96.0 / 72.0;
    double lh = 16;  // a line of text
    double pad = 8;  // space between parts
    double tick = 5; // tick length
    double pt(double points) const { return points * perPoint; }
};

Style styleOf(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    Style s;
    s.font = painter.font();
    s.perPoint = (device ? device->logicalDpiY() : 96) / 72.0;
    const QFontMetricsF metrics(s.font, device);
    s.lh = metrics.height();
    s.pad = 0.5 * s.lh;
    s.tick = s.pt(3.5);
    return s;
}

double widest(const Style& s, const QPainter& painter, const QStringList& texts) {
    const QFontMetricsF metrics(s.font, painter.device());
    double w = 0;
    for (const QString& t : texts) {
        w = std::max(w, metrics.horizontalAdvance(t));
    }
    return w;
}

struct Extent {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void add(double v) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    bool empty() const { return low > high; }
};

bool finitePoint(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

std::vector<QPointF> standardsOf(const PlotData& d) {
    std::vector<QPointF> points;
    const std::size_t n = std::min(d.concentrations.size(), d.absorbances.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (finitePoint(d.concentrations[i], d.absorbances[i])) {
            points.emplace_back(d.concentrations[i], d.absorbances[i]);
        }
    }
    return points;
}

std::vector<PlotSample> samplesOf(const PlotData& d) {
    std::vector<PlotSample> samples;
    for (const PlotSample& s : d.samples) {
        if (finitePoint(s.concentration, s.absorbance)) {
            samples.push_back(s);
        }
    }
    return samples;
}

bool hasCurrent(const PlotData& d) {
    return d.current && finitePoint(d.current->concentration, d.current->absorbance);
}

bool hasBand(const PlotData& d) {
    return std::isfinite(d.bandLow) && std::isfinite(d.bandHigh) && d.bandLow <= d.bandHigh;
}

Extent standardsX(const PlotData& d) {
    Extent e;
    for (const QPointF& p : standardsOf(d)) {
        e.add(p.x());
    }
    return e;
}

// Everything drawn on the concentration axis: the standards and the samples.
Extent allX(const PlotData& d) {
    Extent e = standardsX(d);
    for (const PlotSample& s : samplesOf(d)) {
        e.add(s.concentration);
    }
    if (hasCurrent(d)) {
        e.add(d.current->concentration);
    }
    return e;
}

Range calibrationX(const PlotData& d) {
    const Extent e = allX(d);
    return e.empty() ? Range{0, 1} : paddedRange(e.low, e.high);
}

Range calibrationY(const PlotData& d) {
    Extent e;
    for (const QPointF& p : standardsOf(d)) {
        e.add(p.y());
    }
    const Extent x = allX(d);
    if (!x.empty()) {
        e.add(d.a + d.b * x.low);
        e.add(d.a + d.b * x.high);
    }
    if (hasBand(d)) {
        e.add(d.bandLow);
        e.add(d.bandHigh);
    }
    for (const PlotSample& s : samplesOf(d)) {
        e.add(s.absorbance);
    }
    if (hasCurrent(d)) {
        e.add(d.current->absorbance);
    }
    return e.empty() ? Range{0, 1} : paddedRange(e.low, e.high);
}

std::vector<QPointF> residualsOf(const PlotData& d) {
    std::vector<QPointF> residuals;
    for (const QPointF& p : standardsOf(d)) {
        residuals.emplace_back(p.x(), p.y() - (d.a + d.b * p.x()));
    }
    return residuals;
}

// Symmetric about zero, so the zero line sits in the middle. Residuals below a billionth of the
// absorbance axis are rounding noise (0.1 + 0.2 is not 0.3): they show on the zero line.
Range residualY(const PlotData& d) {
    const Range absorbances = calibrationY(d);
    double largest = 1e-9 * (absorbances.high - absorbances.low);
    for (const QPointF& r : residualsOf(d)) {
        if (std::isfinite(r.y())) {
            largest = std::max(largest, std::abs(r.y()));
        }
    }
    return paddedRange(-largest, largest, 0.1);
}

constexpr int xTarget = 6;
int yTarget(Kind kind) {
    return kind == Kind::Calibration ? 6 : 5;
}

enum class Swatch { Standard, Line, Band, Sample, Flagged };

struct LegendItem {
    Swatch swatch;
    QString text;
    QPointF at; // top-left of the swatch
};

std::vector<LegendItem> legendItems(const PlotData& d) {
    std::vector<LegendItem> items = {{Swatch::Standard, QStringLiteral("标准点"), {}},
                                     {Swatch::Line, QStringLiteral("拟合直线"), {}}};
    if (hasBand(d)) {
        items.push_back({Swatch::Band, QStringLiteral("校准范围"), {}});
    }
    std::vector<PlotSample> samples = samplesOf(d);
    if (hasCurrent(d)) {
        samples.push_back(*d.current);
    }
    const auto flagged = [](const PlotSample& s) { return s.flagged; };
    if (!std::all_of(samples.begin(), samples.end(), flagged)) {
        items.push_back({Swatch::Sample, QStringLiteral("样品"), {}});
    }
    if (std::any_of(samples.begin(), samples.end(), flagged)) {
        items.push_back({Swatch::Flagged, QStringLiteral("有标记的样品"), {}});
    }
    return items;
}

double swatchWidth(const Style& s) {
    return 1.4 * s.lh;
}

// Lays the legend out in rows centred over `width` from `left`, the first row at `top`; returns
// the height taken.
double layOutLegend(const Style& s, const QPainter& painter, std::vector<LegendItem>& items,
                    double left, double top, double width) {
    const double gap = 0.3 * s.lh;
    const double spacing = 1.0 * s.lh;
    std::vector<std::vector<std::size_t>> rows(1);
    std::vector<double> rowWidths(1, 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const double w = swatchWidth(s) + gap + widest(s, painter, {items[i].text});
        double& rowWidth = rowWidths.back();
        if (!rows.back().empty() && rowWidth + spacing + w > width) {
            rows.emplace_back();
            rowWidths.push_back(0);
        }
        rowWidths.back() += (rows.back().empty() ? 0 : spacing) + w;
        rows.back().push_back(i);
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        double x = left + std::max(0.0, (width - rowWidths[r]) / 2);
        for (const std::size_t i : rows[r]) {
            items[i].at = {x, top + r * s.lh};
            x += swatchWidth(s) + gap + widest(s, painter, {items[i].text}) + spacing;
        }
    }
    return rows.size() * s.lh;
}

struct Layout {
    QRectF area; // the plot area inside the axes
    PlotMapping map;
    Ticks xTicks, yTicks;
    QStringList xLabels, yLabels;
    std::vector<LegendItem> legend;
};

// Ticks for `pixels` of axis: the target count, fewer while neighbouring labels (or lines of
// text, on the vertical axis) would crowd each other.
Ticks fittingTicks(const Style& s, const QPainter& painter, Range range, int target, double pixels,
                   bool horizontal) {
    Ticks ticks = niceTicks(range, target);
    while (target > 2 && ticks.values.size() > 2) {
        const double spacing = ticks.step / (range.high - range.low) * pixels;
        const double needed =
            horizontal ? widest(s, painter, tickLabels(ticks)) + s.lh : 1.6 * s.lh;
        if (spacing >= needed) {
            break;
        }
        ticks = niceTicks(range, --target);
    }
    return ticks;
}

Layout layOut(const QPainter& painter, const Style& s, const QRectF& rect, const PlotData& d,
              Kind kind) {
    Layout l;
    const Range x = calibrationX(d);
    const Range y = kind == Kind::Calibration ? calibrationY(d) : residualY(d);

    // Both plots reserve room for the wider of their two sets of value labels, so that their
    // plot areas start at the same x.
    const double yLabelWidth = std::max(
        widest(s, painter, tickLabels(niceTicks(calibrationY(d), yTarget(Kind::Calibration)))),
        widest(s, painter, tickLabels(niceTicks(residualY(d), yTarget(Kind::Residuals)))));
    const double left = s.pad + s.lh + s.pad + yLabelWidth + s.tick + s.pt(2);
    const double right =
        std::max(2 * s.pad, s.pad + widest(s, painter, tickLabels(niceTicks(x, xTarget))) / 2);
    const double bottom = s.tick + s.pt(2) + s.lh + 0.3 * s.lh + s.lh + s.pad;
    double top = s.pad;
    if (kind == Kind::Calibration) {
        l.legend = legendItems(d);
        top += layOutLegend(s, painter, l.legend, rect.left() + left, rect.top() + s.pad,
                            rect.width() - left - right) +
               0.6 * s.lh;
    }
    l.area = rect.adjusted(left, top, -right, -bottom);
    l.map = PlotMapping(x, y, l.area);
    l.xTicks = fittingTicks(s, painter, x, xTarget, l.area.width(), true);
    l.yTicks = fittingTicks(s, painter, y, yTarget(kind), l.area.height(), false);
    l.xLabels = tickLabels(l.xTicks);
    l.yLabels = tickLabels(l.yTicks);
    return l;
}

bool roomToDraw(const Style& s, const Layout& l) {
    return l.area.width() >= 2 * s.lh && l.area.height() >= s.lh;
}

QPen pen(const Style& s, const QColor& colour, double points, Qt::PenStyle style = Qt::SolidLine) {
    QPen p(colour, s.pt(points), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (style == Qt::DashLine) {
        p.setDashPattern({4, 3});
    }
    return p;
}

void drawCircle(QPainter& p, const Style& s, QPointF at, double radiusPoints, const QColor& fill,
                const QColor& edge) {
    p.setPen(pen(s, edge, 0.6));
    p.setBrush(fill);
    const double r = s.pt(radiusPoints);
    p.drawEllipse(at, r, r);
}

void drawDiamond(QPainter& p, const Style& s, QPointF at, double halfPoints, const QColor& fill,
                 const QColor& edge, double edgePoints) {
    const double h = s.pt(halfPoints);
    const QPolygonF diamond(
        {at + QPointF(0, -h), at + QPointF(h, 0), at + QPointF(0, h), at + QPointF(-h, 0)});
    p.setPen(pen(s, edge, edgePoints));
    p.setBrush(fill);
    p.drawPolygon(diamond);
}

void drawGrid(QPainter& p, const Style& s, const Layout& l) {
    p.setPen(pen(s, gridColour, 0.5));
    for (const double v : l.xTicks.values) {
        const double x = l.map.pixelX(v);
        p.drawLine(QPointF(x, l.area.top()), QPointF(x, l.area.bottom()));
    }
    for (const double v : l.yTicks.values) {
        const double y = l.map.pixelY(v);
        p.drawLine(QPointF(l.area.left(), y), QPointF(l.area.right(), y));
    }
}

void drawAxes(QPainter& p, const Style& s, const Layout& l, const QRectF& rect,
              const QString& xTitle, const QString& yTitle) {
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(s, frameColour, 0.8));
    p.drawRect(l.area);
    const double gap = s.pt(2);
    p.setFont(s.font);
    for (std::size_t i = 0; i < l.xTicks.values.size(); ++i) {
        const double x = l.map.pixelX(l.xTicks.values[i]);
        p.setPen(pen(s, frameColour, 0.8));
        p.drawLine(QPointF(x, l.area.bottom()), QPointF(x, l.area.bottom() + s.tick));
        p.setPen(inkColour);
        p.drawText(QRectF(x - 5 * s.lh, l.area.bottom() + s.tick + gap, 10 * s.lh, s.lh),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, l.xLabels.value(int(i)));
    }
    for (std::size_t i = 0; i < l.yTicks.values.size(); ++i) {
        const double y = l.map.pixelY(l.yTicks.values[i]);
        p.setPen(pen(s, frameColour, 0.8));
        p.drawLine(QPointF(l.area.left() - s.tick, y), QPointF(l.area.left(), y));
        p.setPen(inkColour);
        const double labelRight = l.area.left() - s.tick - gap;
        p.drawText(QRectF(rect.left(), y - s.lh / 2, labelRight - rect.left(), s.lh),
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, l.yLabels.value(int(i)));
    }
    p.setPen(inkColour);
    p.drawText(
        QRectF(l.area.left(), l.area.bottom() + s.tick + gap + 1.3 * s.lh, l.area.width(), s.lh),
        Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, xTitle);
    p.save();
    p.translate(rect.left() + s.pad + s.lh / 2, l.area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-l.area.height() / 2, -s.lh / 2, l.area.height(), s.lh),
               Qt::AlignCenter | Qt::TextDontClip, yTitle);
    p.restore();
}

void drawSwatch(QPainter& p, const Style& s, Swatch swatch, const QRectF& box) {
    const QPointF c = box.center();
    switch (swatch) {
    case Swatch::Standard:
        drawCircle(p, s, c, 3.2, standardColour, standardEdge);
        break;
    case Swatch::Line:
        p.setPen(pen(s, lineColour, 1.4));
        p.drawLine(QPointF(box.left(), c.y()), QPointF(box.right(), c.y()));
        break;
    case Swatch::Band:
        p.setPen(pen(s, bandEdge, 0.6));
        p.setBrush(bandColour);
        p.drawRect(QRectF(box.left(), c.y() - 0.3 * box.height(), box.width(), 0.6 * box.height()));
        break;
    case Swatch::Sample:
        drawDiamond(p, s, c, 3.4, sampleColour, sampleColour.darker(150), 0.5);
        break;
    case Swatch::Flagged:
        drawDiamond(p, s, c, 3.4, warningColour, warningColour.darker(150), 0.5);
        break;
    }
}

void drawLegend(QPainter& p, const Style& s, const std::vector<LegendItem>& items) {
    for (const LegendItem& item : items) {
        drawSwatch(p, s, item.swatch, QRectF(item.at, QSizeF(swatchWidth(s), s.lh)));
        p.setPen(inkColour);
        p.setFont(s.font);
        p.drawText(QRectF(item.at.x() + swatchWidth(s) + 0.3 * s.lh, item.at.y(), 20 * s.lh, s.lh),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, item.text);
    }
}

// The equation and R² in a light box in the upper corner the line leaves free: the left one for
// a rising line, the right one for a falling line.
void drawEquation(QPainter& p, const Style& s, const Layout& l, const PlotData& d) {
    QStringList lines;
    for (const QString& t : {d.equation, d.r2Text}) {
        if (!t.isEmpty()) {
            lines.push_back(t);
        }
    }
    if (lines.isEmpty()) {
        return;
    }
    const double inner = 0.35 * s.lh;
    const QSizeF size(widest(s, p, lines) + 2 * inner, lines.size() * s.lh + 2 * inner);
    const double inset = 0.4 * s.lh;
    const double x = d.b >= 0 ? l.area.left() + inset : l.area.right() - inset - size.width();
    const QRectF box(QPointF(x, l.area.top() + inset), size);
    p.setPen(Qt::NoPen);
    p.setBrush(boxColour);
    p.drawRect(box);
    p.setPen(inkColour);
    p.setFont(s.font);
    for (int i = 0; i < lines.size(); ++i) {
        p.drawText(QRectF(box.left() + inner, box.top() + inner + i * s.lh, box.width(), s.lh),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, lines[i]);
    }
}

void drawBand(QPainter& p, const Style& s, const Layout& l, const PlotData& d) {
    if (!hasBand(d)) {
        return;
    }
    const double top = std::clamp(l.map.pixelY(d.bandHigh), l.area.top(), l.area.bottom());
    const double bottom = std::clamp(l.map.pixelY(d.bandLow), l.area.top(), l.area.bottom());
    p.setPen(Qt::NoPen);
    p.setBrush(bandColour);
    p.drawRect(QRectF(l.area.left(), top, l.area.width(), bottom - top));
    p.setPen(pen(s, bandEdge, 0.6));
    for (const double y : {top, bottom}) {
        p.drawLine(QPointF(l.area.left(), y), QPointF(l.area.right(), y));
    }
}

// Solid across the standards; dashed on beyond them where samples lie outside.
void drawLine(QPainter& p, const Style& s, const Layout& l, const PlotData& d) {
    const Extent standards = standardsX(d);
    const Extent all = allX(d);
    const auto at = [&](double x) { return l.map.toPixel(x, d.a + d.b * x); };
    p.setPen(pen(s, lineColour, 0.9, Qt::DashLine));
    if (all.low < standards.low) {
        p.drawLine(at(all.low), at(standards.low));
    }
    if (all.high > standards.high) {
        p.drawLine(at(standards.high), at(all.high));
    }
    p.setPen(pen(s, lineColour, 1.4));
    p.drawLine(at(standards.low), at(standards.high));
}

QColor sampleColourOf(const PlotSample& sample) {
    return sample.flagged ? warningColour : sampleColour;
}

// Dashed from the sample to both axes: its absorbance on the left, its concentration below.
void drawGuides(QPainter& p, const Style& s, const Layout& l, const PlotSample& current) {
    const QPointF at = l.map.toPixel(current.concentration, current.absorbance);
    p.setPen(pen(s, sampleColourOf(current), 0.9, Qt::DashLine));
    p.drawLine(QPointF(l.area.left(), at.y()), at);
    p.drawLine(at, QPointF(at.x(), l.area.bottom()));
}

} // namespace

bool hasCurve(const PlotData& data) {
    return std::isfinite(data.a) && std::isfinite(data.b) && !standardsOf(data).empty();
}

PlotMapping calibrationMapping(const QPainter& painter, const QRectF& rect, const PlotData& data) {
    return layOut(painter, styleOf(painter), rect, data, Kind::Calibration).map;
}

PlotMapping residualMapping(const QPainter& painter, const QRectF& rect, const PlotData& data) {
    return layOut(painter, styleOf(painter), rect, data, Kind::Residuals).map;
}

void paintCalibration(QPainter& painter, const QRectF& rect, const PlotData& data) {
    if (!hasCurve(data)) {
        return;
    }
    const Style s = styleOf(painter);
    const Layout l = layOut(painter, s, rect, data, Kind::Calibration);
    if (!roomToDraw(s, l)) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawGrid(painter, s, l);
    drawBand(painter, s, l, data);
    drawLine(painter, s, l, data);
    if (hasCurrent(data)) {
        drawGuides(painter, s, l, *data.current);
    }
    for (const PlotSample& sample : samplesOf(data)) {
        const QColor colour = sampleColourOf(sample);
        drawDiamond(painter, s, l.map.toPixel(sample.concentration, sample.absorbance), 3.4, colour,
                    colour.darker(150), 0.5);
    }
    for (const QPointF& standard : standardsOf(data)) {
        drawCircle(painter, s, l.map.toPixel(standard.x(), standard.y()), 3.2, standardColour,
                   standardEdge);
    }
    if (hasCurrent(data)) {
        // Above the standards, which it may cover.
        const PlotSample& c = *data.current;
        const QColor colour = sampleColourOf(c);
        drawDiamond(painter, s, l.map.toPixel(c.concentration, c.absorbance), 5, colour,
                    colour.darker(170), 0.9);
    }
    drawAxes(painter, s, l, rect, data.xTitle, data.yTitle);
    drawEquation(painter, s, l, data);
    drawLegend(painter, s, l.legend);
    painter.restore();
}

void paintResiduals(QPainter& painter, const QRectF& rect, const PlotData& data) {
    if (!hasCurve(data)) {
        return;
    }
    const Style s = styleOf(painter);
    const Layout l = layOut(painter, s, rect, data, Kind::Residuals);
    if (!roomToDraw(s, l)) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawGrid(painter, s, l);
    const double zero = l.map.pixelY(0);
    painter.setPen(pen(s, zeroColour, 0.9));
    painter.drawLine(QPointF(l.area.left(), zero), QPointF(l.area.right(), zero));
    for (const QPointF& r : residualsOf(data)) {
        if (!std::isfinite(r.y())) {
            continue;
        }
        const QPointF at = l.map.toPixel(r.x(), r.y());
        painter.setPen(pen(s, standardColour, 1.3));
        painter.drawLine(QPointF(at.x(), zero), at);
        drawCircle(painter, s, at, 2.6, standardColour, standardEdge);
    }
    drawAxes(painter, s, l, rect, data.xTitle, QStringLiteral("残差"));
    painter.restore();
}

void paintFigure(QPainter& painter, const QRectF& rect, const PlotData& data) {
    const double split = rect.top() + rect.height() * 0.63;
    paintCalibration(painter, QRectF(rect.left(), rect.top(), rect.width(), split - rect.top()),
                     data);
    paintResiduals(painter, QRectF(rect.left(), split, rect.width(), rect.bottom() - split), data);
}

} // namespace analysis
