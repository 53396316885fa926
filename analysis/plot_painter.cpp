#include "analysis/plot_painter.h"

#include "analysis/plot_frame.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace analysis {

namespace {

using namespace plot_frame;

// The plots' texts, translated in the context "Plot".
struct Plot {
    Q_DECLARE_TR_FUNCTIONS(Plot)
};

const QColor standardColour(35, 97, 196);
const QColor standardEdge(18, 56, 120);
const QColor lineColour(192, 57, 43);
const QColor bandColour(66, 133, 244, 46);
const QColor bandEdge(66, 133, 244, 130);
const QColor sampleColour(46, 139, 87);
const QColor warningColour(230, 81, 0);
const QColor zeroColour(120, 120, 120);
const QColor boxColour(255, 255, 255, 220);
const QColor confidenceColour(192, 57, 43, 48); // the curve's colour, translucent

enum class Kind { Calibration, Residuals };

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

// A line is evaluated as a line, so that c = 0 draws and subtracts exactly a + b*x.
double fitAt(const PlotData& d, double x) {
    return d.c == 0 ? d.a + d.b * x : d.a + d.b * x + d.c * x * x;
}

struct Standard {
    double x, y;
    bool excluded;
    double residual; // NaN: none
};

std::vector<Standard> standardsOf(const PlotData& d) {
    std::vector<Standard> points;
    const std::size_t n = std::min(d.concentrations.size(), d.absorbances.size());
    for (std::size_t i = 0; i < n; ++i) {
        const double x = d.concentrations[i];
        const double y = d.absorbances[i];
        if (!finitePoint(x, y)) {
            continue;
        }
        double residual = y - fitAt(d, x);
        if (!d.residuals.empty()) {
            residual =
                i < d.residuals.size() ? d.residuals[i] : std::numeric_limits<double>::quiet_NaN();
        }
        points.push_back({x, y, i < d.excluded.size() && d.excluded[i], residual});
    }
    return points;
}

bool anyExcluded(const PlotData& d) {
    const std::vector<Standard> standards = standardsOf(d);
    return std::any_of(standards.begin(), standards.end(),
                       [](const Standard& s) { return s.excluded; });
}

bool showsConfidence(const PlotData& d) {
    return d.showConfidence && !d.bands.empty();
}

bool showsPrediction(const PlotData& d) {
    return d.showPrediction && !d.bands.empty();
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
    for (const Standard& p : standardsOf(d)) {
        e.add(p.x);
    }
    return e;
}

// The span the curve was fitted over: excluded standards at either end lie beyond it.
Extent fittedX(const PlotData& d) {
    Extent e;
    for (const Standard& p : standardsOf(d)) {
        if (!p.excluded) {
            e.add(p.x);
        }
    }
    return e.empty() ? standardsX(d) : e;
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
    if (d.interceptX && std::isfinite(*d.interceptX)) {
        const double half = std::isfinite(d.interceptHalfWidth) ? d.interceptHalfWidth : 0;
        e.add(*d.interceptX - half);
        e.add(*d.interceptX + half);
    }
    return e;
}

Range calibrationX(const PlotData& d) {
    const Extent e = allX(d);
    return e.empty() ? Range{0, 1} : paddedRange(e.low, e.high);
}

// The curve's lowest and highest values where it is drawn: at both ends, and at the vertex of a
// parabola between them.
void addCurve(Extent& e, const PlotData& d) {
    const Extent x = allX(d);
    if (x.empty()) {
        return;
    }
    e.add(fitAt(d, x.low));
    e.add(fitAt(d, x.high));
    if (d.c != 0) {
        const double vertex = -d.b / (2 * d.c);
        if (vertex > x.low && vertex < x.high) {
            e.add(fitAt(d, vertex));
        }
    }
}

// The bands as far as they do not squeeze the data: a wide prediction band of few standards may
// add half the data's height on either side, and is cut at the frame beyond that.
void addBands(Extent& e, const PlotData& d) {
    Extent bands;
    for (const BandPoint& p : d.bands) {
        if (!std::isfinite(p.x)) {
            continue;
        }
        if (showsConfidence(d)) {
            bands.add(p.confidenceLow);
            bands.add(p.confidenceHigh);
        }
        if (showsPrediction(d)) {
            bands.add(p.predictionLow);
            bands.add(p.predictionHigh);
        }
    }
    if (bands.empty() || e.empty()) {
        return;
    }
    const double room = (e.high - e.low) / 2;
    e.add(std::max(bands.low, e.low - room));
    e.add(std::min(bands.high, e.high + room));
}

Range calibrationY(const PlotData& d) {
    Extent e;
    for (const Standard& p : standardsOf(d)) {
        e.add(p.y);
    }
    addCurve(e, d);
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
    addBands(e, d);
    return e.empty() ? Range{0, 1} : paddedRange(e.low, e.high);
}

// Symmetric about zero, so the zero line sits in the middle. Residuals below a billionth of the
// absorbance axis are rounding noise (0.1 + 0.2 is not 0.3): they show on the zero line.
Range residualY(const PlotData& d) {
    const Range absorbances = calibrationY(d);
    double largest = 1e-9 * (absorbances.high - absorbances.low);
    for (const Standard& p : standardsOf(d)) {
        if (std::isfinite(p.residual)) {
            largest = std::max(largest, std::abs(p.residual));
        }
    }
    return paddedRange(-largest, largest, 0.1);
}

constexpr int xTarget = 6;
int yTarget(Kind kind) {
    return kind == Kind::Calibration ? 6 : 5;
}

enum class Swatch { Standard, Excluded, Line, Confidence, Prediction, Band, Sample, Flagged };

struct LegendItem {
    Swatch swatch;
    QString text;
    QPointF at; // top-left of the swatch
};

std::vector<LegendItem> legendItems(const PlotData& d) {
    std::vector<LegendItem> items = {{Swatch::Standard, Plot::tr("标准点"), {}}};
    if (anyExcluded(d)) {
        items.push_back({Swatch::Excluded, Plot::tr("排除的标准点"), {}});
    }
    items.push_back({Swatch::Line, d.c == 0 ? Plot::tr("拟合直线") : Plot::tr("拟合曲线"), {}});
    if (showsConfidence(d)) {
        items.push_back({Swatch::Confidence, Plot::tr("置信带"), {}});
    }
    if (showsPrediction(d)) {
        items.push_back({Swatch::Prediction, Plot::tr("预测带"), {}});
    }
    if (hasBand(d)) {
        items.push_back({Swatch::Band, Plot::tr("校准范围"), {}});
    }
    std::vector<PlotSample> samples = samplesOf(d);
    if (hasCurrent(d)) {
        samples.push_back(*d.current);
    }
    const auto flagged = [](const PlotSample& s) { return s.flagged; };
    if (!std::all_of(samples.begin(), samples.end(), flagged)) {
        items.push_back({Swatch::Sample, Plot::tr("样品"), {}});
    }
    if (std::any_of(samples.begin(), samples.end(), flagged)) {
        items.push_back({Swatch::Flagged, Plot::tr("有标记的样品"), {}});
    }
    return items;
}

double swatchWidth(const Style& s) {
    return 1.4 * s.lh;
}

struct Layout : Axes {
    std::vector<LegendItem> legend;
    QRectF equation; // the box of the equation and R²; empty without them
};

QStringList equationLines(const PlotData& d) {
    QStringList lines;
    for (const QString& t : {d.equation, d.r2Text}) {
        if (!t.isEmpty()) {
            lines.push_back(t);
        }
    }
    return lines;
}

double equationInner(const Style& s) {
    return 0.35 * s.lh;
}

// The equation and R² go in the upper corner the curve leaves free: the left one for a rising
// curve, the right one for a falling curve.
QRectF equationBox(const Style& s, const QPainter& painter, const QRectF& area, const PlotData& d) {
    const QStringList lines = equationLines(d);
    if (lines.isEmpty()) {
        return {};
    }
    const double inner = equationInner(s);
    const QSizeF size(widest(s, painter, lines) + 2 * inner, lines.size() * s.lh + 2 * inner);
    const double inset = 0.4 * s.lh;
    bool rising = d.b >= 0;
    const Extent span = fittedX(d);
    if (d.c != 0 && !span.empty() && span.low < span.high) {
        rising = fitAt(d, span.high) >= fitAt(d, span.low);
    }
    const double x = rising ? area.left() + inset : area.right() - inset - size.width();
    return QRectF(QPointF(x, area.top() + inset), size);
}

std::vector<QRectF> legendRects(const Style& s, const QPainter& painter,
                                const std::vector<LegendItem>& items) {
    std::vector<QRectF> rects;
    for (const LegendItem& item : items) {
        rects.emplace_back(
            item.at, QSizeF(swatchWidth(s) + 0.3 * s.lh + widest(s, painter, {item.text}), s.lh));
    }
    return rects;
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
        top += layOutLegend(s, painter, l.legend, swatchWidth(s), rect.left() + left,
                            rect.top() + s.pad, rect.width() - left - right) +
               0.6 * s.lh;
    }
    l.area = rect.adjusted(left, top, -right, -bottom);
    l.map = PlotMapping(x, y, l.area);
    l.xTicks = fittingTicks(s, painter, x, xTarget, l.area.width(), true);
    l.yTicks = fittingTicks(s, painter, y, yTarget(kind), l.area.height(), false);
    l.xLabels = tickLabels(l.xTicks);
    l.yLabels = tickLabels(l.yTicks);
    if (kind == Kind::Calibration) {
        l.equation = equationBox(s, painter, l.area, d);
    }
    return l;
}

bool roomToDraw(const Style& s, const Layout& l) {
    return l.area.width() >= 2 * s.lh && l.area.height() >= s.lh;
}

constexpr double standardRadius = 3.2; // points
constexpr double residualRadius = 2.6;
constexpr double standardEdgeWidth = 0.6;
constexpr double hollowEdgeWidth = 1.1;

void drawCircle(QPainter& p, const Style& s, QPointF at, double radiusPoints, const QColor& fill,
                const QColor& edge) {
    p.setPen(pen(s, edge, standardEdgeWidth));
    p.setBrush(fill);
    const double r = s.pt(radiusPoints);
    p.drawEllipse(at, r, r);
}

// A ring whose outer edge lies where a filled marker's does; the inside stays the background.
void drawHollowCircle(QPainter& p, const Style& s, QPointF at, double radiusPoints) {
    p.setPen(pen(s, standardEdge, hollowEdgeWidth));
    p.setBrush(Qt::NoBrush);
    const double r = s.pt(radiusPoints + standardEdgeWidth / 2 - hollowEdgeWidth / 2);
    p.drawEllipse(at, r, r);
}

void drawStandard(QPainter& p, const Style& s, QPointF at, double radiusPoints, bool excluded) {
    if (excluded) {
        drawHollowCircle(p, s, at, radiusPoints);
    } else {
        drawCircle(p, s, at, radiusPoints, standardColour, standardEdge);
    }
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

void drawSwatch(QPainter& p, const Style& s, Swatch swatch, const QRectF& box) {
    const QPointF c = box.center();
    switch (swatch) {
    case Swatch::Standard:
        drawCircle(p, s, c, standardRadius, standardColour, standardEdge);
        break;
    case Swatch::Excluded:
        drawHollowCircle(p, s, c, standardRadius);
        break;
    case Swatch::Line:
        p.setPen(pen(s, lineColour, 1.4));
        p.drawLine(QPointF(box.left(), c.y()), QPointF(box.right(), c.y()));
        break;
    case Swatch::Confidence:
        p.setPen(Qt::NoPen);
        p.setBrush(confidenceColour);
        p.drawRect(QRectF(box.left(), c.y() - 0.3 * box.height(), box.width(), 0.6 * box.height()));
        break;
    case Swatch::Prediction:
        p.setPen(pen(s, lineColour, 0.9, Qt::DotLine));
        for (const double dy : {-0.25, 0.25}) {
            const double y = c.y() + dy * box.height();
            p.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
        }
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

void drawEquation(QPainter& p, const Style& s, const Layout& l, const PlotData& d) {
    const QStringList lines = equationLines(d);
    if (lines.isEmpty()) {
        return;
    }
    const QRectF& box = l.equation;
    const double inner = equationInner(s);
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

bool finitePixel(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// The part of the segment a-b inside r (Liang-Barsky); false when none. Clipping is done here
// rather than by the painter, which not every paint engine (the SVG one) honours.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r) {
    if (!finitePixel(a) || !finitePixel(b)) {
        return false;
    }
    const QPointF delta = b - a;
    const double p[] = {-delta.x(), delta.x(), -delta.y(), delta.y()};
    const double q[] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    double t0 = 0, t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
        } else if (p[i] < 0) {
            t0 = std::max(t0, q[i] / p[i]);
        } else {
            t1 = std::min(t1, q[i] / p[i]);
        }
    }
    if (t0 > t1) {
        return false;
    }
    const QPointF from = a;
    a = from + t0 * delta;
    b = from + t1 * delta;
    return true;
}

bool crosses(const QPolygonF& polyline, const QRectF& r) {
    for (qsizetype i = 1; i < polyline.size(); ++i) {
        QPointF a = polyline[i - 1], b = polyline[i];
        if (clipSegment(a, b, r)) {
            return true;
        }
    }
    return false;
}

// The pieces of a polyline inside r.
std::vector<QPolygonF> clipPolyline(const QPolygonF& points, const QRectF& r) {
    std::vector<QPolygonF> runs;
    QPolygonF run;
    const auto flush = [&] {
        if (run.size() >= 2) {
            runs.push_back(run);
        }
        run.clear();
    };
    for (qsizetype i = 1; i < points.size(); ++i) {
        QPointF a = points[i - 1], b = points[i];
        if (!clipSegment(a, b, r)) {
            flush();
            continue;
        }
        if (run.isEmpty() || run.back() != a) {
            flush();
            run << a;
        }
        run << b;
        if (b != points[i]) {
            flush();
        }
    }
    flush();
    return runs;
}

void drawClipped(QPainter& p, const QPolygonF& points, const QRectF& area) {
    for (const QPolygonF& run : clipPolyline(points, area)) {
        p.drawPolyline(run);
    }
}

// The curve from x = from to x = to in pixels: the ends of a line; a parabola a point about
// every point of width, so that it looks smooth at any resolution.
QPolygonF curvePoints(const Style& s, const Layout& l, const PlotData& d, double from, double to) {
    int segments = 1;
    if (d.c != 0) {
        const double pixels = std::abs(l.map.pixelX(to) - l.map.pixelX(from));
        segments = int(std::clamp(std::ceil(pixels / s.pt(1)), 8.0, 4000.0));
    }
    QPolygonF points;
    for (int i = 0; i <= segments; ++i) {
        const double x = i == segments ? to : from + (to - from) * i / segments;
        points << l.map.toPixel(x, fitAt(d, x));
    }
    return points;
}

struct CurvePiece {
    QPolygonF points;
    bool dashed; // beyond the fitted standards
};

// Solid across the fitted standards; dashed on beyond them where samples or excluded standards
// lie outside.
std::vector<CurvePiece> curvePieces(const Style& s, const Layout& l, const PlotData& d) {
    const Extent standards = fittedX(d);
    const Extent all = allX(d);
    std::vector<CurvePiece> pieces;
    if (all.low < standards.low) {
        pieces.push_back({curvePoints(s, l, d, all.low, standards.low), true});
    }
    if (all.high > standards.high) {
        pieces.push_back({curvePoints(s, l, d, standards.high, all.high), true});
    }
    pieces.push_back({curvePoints(s, l, d, standards.low, standards.high), false});
    return pieces;
}

void drawCurve(QPainter& p, const Style& s, const Layout& l,
               const std::vector<CurvePiece>& pieces) {
    p.setBrush(Qt::NoBrush);
    for (const CurvePiece& piece : pieces) {
        p.setPen(piece.dashed ? pen(s, lineColour, 0.9, Qt::DashLine) : pen(s, lineColour, 1.4));
        drawClipped(p, piece.points, l.area);
    }
}

using Bound = double BandPoint::*;

// The low and the high bound in pixels, in runs of points where both are finite.
std::vector<std::pair<QPolygonF, QPolygonF>> boundRuns(const Layout& l, const PlotData& d,
                                                       Bound low, Bound high) {
    std::vector<std::pair<QPolygonF, QPolygonF>> runs(1);
    for (const BandPoint& b : d.bands) {
        if (std::isfinite(b.x) && std::isfinite(b.*low) && std::isfinite(b.*high)) {
            runs.back().first << l.map.toPixel(b.x, b.*low);
            runs.back().second << l.map.toPixel(b.x, b.*high);
        } else if (!runs.back().first.isEmpty()) {
            runs.emplace_back();
        }
    }
    runs.erase(std::remove_if(runs.begin(), runs.end(),
                              [](const auto& run) { return run.first.size() < 2; }),
               runs.end());
    return runs;
}

// The confidence band filled, the prediction band's bounds dotted: apart also in black and white.
void drawBands(QPainter& p, const Style& s, const Layout& l, const PlotData& d) {
    if (showsConfidence(d)) {
        QPainterPath area;
        area.addRect(l.area);
        p.setPen(Qt::NoPen);
        p.setBrush(confidenceColour);
        for (const auto& [low, high] :
             boundRuns(l, d, &BandPoint::confidenceLow, &BandPoint::confidenceHigh)) {
            QPolygonF outline = high;
            for (qsizetype i = low.size(); i-- > 0;) {
                outline << low[i];
            }
            QPainterPath band;
            band.addPolygon(outline);
            band.closeSubpath();
            p.drawPath(band.intersected(area));
        }
    }
    if (showsPrediction(d)) {
        p.setPen(pen(s, lineColour, 0.9, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        for (const auto& [low, high] :
             boundRuns(l, d, &BandPoint::predictionLow, &BandPoint::predictionHigh)) {
            drawClipped(p, low, l.area);
            drawClipped(p, high, l.area);
        }
    }
}

QColor sampleColourOf(const PlotSample& sample) {
    return sample.flagged ? warningColour : sampleColour;
}

// Dashed from the sample to both axes: its absorbance on the left, its concentration below.
std::vector<QPolygonF> guideLines(const Layout& l, const PlotSample& current) {
    const QPointF at = l.map.toPixel(current.concentration, current.absorbance);
    return {QPolygonF({QPointF(l.area.left(), at.y()), at}),
            QPolygonF({at, QPointF(at.x(), l.area.bottom())})};
}

void drawGuides(QPainter& p, const Style& s, const Layout& l, const PlotSample& current) {
    p.setPen(pen(s, sampleColourOf(current), 0.9, Qt::DashLine));
    for (const QPolygonF& guide : guideLines(l, current)) {
        p.drawPolyline(guide);
    }
}

constexpr double sampleHalf = 3.4; // points
constexpr double currentHalf = 5;

struct LabelTarget {
    int sample;
    QPointF at;  // the marker's centre
    double half; // the marker's half size, pixels
    const PlotSample* data;
};

struct Placement {
    std::vector<PlacedLabel> placed;
    int dropped = 0;
};

// Where rectangles lie over an area, on a raster of at most 1024 by 1024 cells: how many touch
// each cell and how many cover it whole, summed from a corner so that any block of cells is
// counted at once. A block of cells wholly inside a label that one rectangle covers whole means
// the two meet; no rectangle touching the cells a label touches means they do not; only what is
// left (a label that just grazes a marker) needs the rectangles themselves. So a label beside
// a dense band of 100 000 markers is decided in a few steps.
class Coverage {
public:
    enum class Answer { Meets, Clear, Unsure };

    Coverage(const QRectF& area, const std::vector<QRectF>& rects) : area_(area) {
        cell_ = std::max({1.0, area.width() / 1024, area.height() / 1024});
        columns_ = std::max(1, int(std::ceil(area.width() / cell_)));
        rows_ = std::max(1, int(std::ceil(area.height() / cell_)));
        touched_.assign(std::size_t(columns_ + 1) * std::size_t(rows_ + 1), 0);
        covered_ = touched_;
        // Each rectangle added at the corners of its blocks; summed twice, the counts per cell;
        // summed twice more, the counts from the corner.
        for (const QRectF& r : rects) {
            const Span t = touching(r);
            const Span c = inside(r);
            mark(touched_, t);
            mark(covered_, c);
        }
        for (auto* counts : {&touched_, &covered_}) {
            sumUp(*counts);
            sumUp(*counts);
        }
    }

    // Whether r meets one of the rectangles other than `except` (or none is excepted).
    Answer meets(const QRectF& r, const std::optional<QRectF>& except) const {
        const Span whole = inside(r);
        const long covering =
            count(covered_, whole) - (except ? shared(inside(*except), whole) : 0);
        if (covering > 0) {
            return Answer::Meets;
        }
        const Span any = touching(r);
        const long touching =
            count(touched_, any) - (except ? shared(this->touching(*except), any) : 0);
        return touching == 0 ? Answer::Clear : Answer::Unsure;
    }

private:
    // Cells [x0, x1) x [y0, y1), empty when x0 >= x1 or y0 >= y1.
    struct Span {
        int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    };

    double u(double x) const { return (x - area_.left()) / cell_; }
    double v(double y) const { return (y - area_.top()) / cell_; }
    Span clamped(double x0, double x1, double y0, double y1) const {
        if (!std::isfinite(x0) || !std::isfinite(x1) || !std::isfinite(y0) || !std::isfinite(y1)) {
            return {};
        }
        const auto fit = [](double value, int limit) {
            return int(std::clamp(value, 0.0, double(limit)));
        };
        return {fit(x0, columns_), fit(x1, columns_), fit(y0, rows_), fit(y1, rows_)};
    }
    // The cells r overlaps by some area, and those that lie wholly within it.
    Span touching(const QRectF& r) const {
        return clamped(std::floor(u(r.left())), std::ceil(u(r.right())), std::floor(v(r.top())),
                       std::ceil(v(r.bottom())));
    }
    Span inside(const QRectF& r) const {
        return clamped(std::ceil(u(r.left())), std::floor(u(r.right())), std::ceil(v(r.top())),
                       std::floor(v(r.bottom())));
    }

    std::size_t at(int x, int y) const {
        return std::size_t(y) * std::size_t(columns_ + 1) + std::size_t(x);
    }
    void mark(std::vector<long>& counts, const Span& s) const {
        if (s.x0 < s.x1 && s.y0 < s.y1) {
            ++counts[at(s.x0, s.y0)];
            --counts[at(s.x1, s.y0)];
            --counts[at(s.x0, s.y1)];
            ++counts[at(s.x1, s.y1)];
        }
    }
    // Running sums along both axes.
    void sumUp(std::vector<long>& counts) const {
        for (int y = 0; y <= rows_; ++y) {
            for (int x = 1; x <= columns_; ++x) {
                counts[at(x, y)] += counts[at(x - 1, y)];
            }
        }
        for (int y = 1; y <= rows_; ++y) {
            for (int x = 0; x <= columns_; ++x) {
                counts[at(x, y)] += counts[at(x, y - 1)];
            }
        }
    }
    // The sum over the cells of s, from the sums from the corner (which lag one cell).
    long count(const std::vector<long>& sums, const Span& s) const {
        if (s.x0 >= s.x1 || s.y0 >= s.y1) {
            return 0;
        }
        const auto sum = [&](int x, int y) {
            return x == 0 || y == 0 ? 0 : sums[at(x - 1, y - 1)];
        };
        return sum(s.x1, s.y1) - sum(s.x0, s.y1) - sum(s.x1, s.y0) + sum(s.x0, s.y0);
    }
    // How many cells two spans share: one rectangle's share of a count.
    static long shared(const Span& a, const Span& b) {
        const long w = std::max(0, std::min(a.x1, b.x1) - std::max(a.x0, b.x0));
        const long h = std::max(0, std::min(a.y1, b.y1) - std::max(a.y0, b.y0));
        return w * h;
    }

    QRectF area_;
    double cell_ = 1;
    int columns_ = 1, rows_ = 1;
    std::vector<long> touched_, covered_;
};

// Rectangles filed by the cells of a grid over an area, so that the ones near a label are found
// without looking at every one: the labels of 100 000 samples are placed in a time that grows
// with their number, not with its square. Only what lies in the area is asked about, and only
// rectangles that reach into it are filed.
class RectGrid {
public:
    RectGrid(const QRectF& area, double cell) : area_(area), cell_(std::max(cell, 1.0)) {
        columns_ = std::clamp(int(std::ceil(area.width() / cell_)), 1, 512);
        rows_ = std::clamp(int(std::ceil(area.height() / cell_)), 1, 512);
        cells_.resize(std::size_t(columns_) * std::size_t(rows_));
    }

    // Files r as the next number (0, 1, ...).
    void add(const QRectF& r) {
        const int number = int(rects_.size());
        rects_.push_back(r);
        if (!r.intersects(area_)) {
            return;
        }
        visit(r, [&](std::size_t cell) {
            cells_[cell].push_back(number);
            return false;
        });
    }

    // Whether a rectangle that meets r, other than the one numbered `except`, is filed. The cells
    // that lie wholly inside r answer first: any rectangle filed there meets r.
    // After `budget` rectangles compared in vain, the answer is that one meets r: in a crowd of
    // markers that dense, a label that no marker quite touches still has no room.
    bool meets(const QRectF& r, std::size_t except = std::size_t(-1),
               long budget = std::numeric_limits<long>::max()) const {
        const auto other = [except](int i) { return std::size_t(i) != except; };
        const auto inside = [&](std::size_t cell) {
            return r.contains(cellRect(cell)) &&
                   std::any_of(cells_[cell].begin(), cells_[cell].end(), other);
        };
        return visit(r, inside) || visit(r, [&](std::size_t cell) {
                   return std::any_of(cells_[cell].begin(), cells_[cell].end(), [&](int i) {
                       return --budget < 0 || (other(i) && rects_[std::size_t(i)].intersects(r));
                   });
               });
    }

private:
    int columnOf(double x) const {
        return std::clamp(int(std::floor((x - area_.left()) / cell_)), 0, columns_ - 1);
    }
    int rowOf(double y) const {
        return std::clamp(int(std::floor((y - area_.top()) / cell_)), 0, rows_ - 1);
    }
    // A cell's square (the last row and column may reach beyond the area).
    QRectF cellRect(std::size_t cell) const {
        const auto x = int(cell % std::size_t(columns_));
        const auto y = int(cell / std::size_t(columns_));
        return QRectF(area_.left() + x * cell_, area_.top() + y * cell_, cell_, cell_);
    }

    // Calls `f` on the index of each cell that r covers until it returns true.
    template <class F> bool visit(const QRectF& r, F&& f) const {
        if (!std::isfinite(r.left()) || !std::isfinite(r.right()) || !std::isfinite(r.top()) ||
            !std::isfinite(r.bottom())) {
            return false;
        }
        for (int y = rowOf(r.top()); y <= rowOf(r.bottom()); ++y) {
            for (int x = columnOf(r.left()); x <= columnOf(r.right()); ++x) {
                if (f(std::size_t(y) * std::size_t(columns_) + std::size_t(x))) {
                    return true;
                }
            }
        }
        return false;
    }

    QRectF area_;
    double cell_;
    int columns_ = 1, rows_ = 1;
    std::vector<QRectF> rects_;
    std::vector<std::vector<int>> cells_;
};

Placement placeLabels(const QPainter& painter, const Style& s, const Layout& l,
                      const std::vector<LabelTarget>& targets, const std::vector<QRectF>& markers,
                      const std::vector<QRectF>& keepClear, const std::vector<QPolygonF>& lines,
                      bool useShort) {
    const QFontMetricsF metrics(smallFont(s.font), painter.device());
    const double gap = s.pt(1.5);
    const double padding = s.pt(1);
    RectGrid nearMarkers(l.area, metrics.height() / 2);
    for (const QRectF& marker : markers) {
        nearMarkers.add(marker);
    }
    // Worth its raster only for many markers.
    const std::optional<Coverage> markerCover =
        markers.size() > 500 ? std::optional<Coverage>(std::in_place, l.area, markers)
                             : std::nullopt;
    RectGrid nearLabels(l.area, metrics.height() / 2);
    Placement result;
    for (std::size_t t = 0; t < targets.size(); ++t) {
        const LabelTarget& target = targets[t];
        const QString& text = useShort ? target.data->shortLabel : target.data->label;
        if (text.isEmpty()) {
            continue;
        }
        // The box is the ink's, so that a label sits as close to its marker on every side.
        const QRectF ink = metrics.tightBoundingRect(text);
        const double w = ink.width() + 2 * padding;
        const double h = ink.height() + 2 * padding;
        const QPointF c = target.at;
        const double off = target.half + gap;
        // A diamond leaves its corners free: the diagonals come in closer.
        const double diagonal = target.half / 2 + gap;
        const QPointF corners[] = {
            {c.x() + off, c.y() - h / 2},
            {c.x() - off - w, c.y() - h / 2},
            {c.x() - w / 2, c.y() - off - h},
            {c.x() - w / 2, c.y() + off},
            {c.x() + diagonal, c.y() - diagonal - h},
            {c.x() + diagonal, c.y() + diagonal},
            {c.x() - diagonal - w, c.y() - diagonal - h},
            {c.x() - diagonal - w, c.y() + diagonal},
        };
        const auto free = [&](const QRectF& r) {
            if (!l.area.contains(r)) {
                return false;
            }
            const Coverage::Answer near =
                markerCover ? markerCover->meets(r, t < markers.size() ? std::optional(markers[t])
                                                                       : std::nullopt)
                            : Coverage::Answer::Unsure;
            if (near == Coverage::Answer::Meets ||
                (near == Coverage::Answer::Unsure &&
                 nearMarkers.meets(r, t, markerCover ? 256 : std::numeric_limits<long>::max()))) {
                return false;
            }
            const auto hits = [&r](const QRectF& other) { return other.intersects(r); };
            return std::none_of(keepClear.begin(), keepClear.end(), hits) && !nearLabels.meets(r);
        };
        const auto clearOfLines = [&](const QRectF& r) {
            return std::none_of(lines.begin(), lines.end(),
                                [&r](const QPolygonF& line) { return crosses(line, r); });
        };
        std::optional<QRectF> chosen;
        for (const bool avoidLines : {true, false}) {
            for (const QPointF& corner : corners) {
                const QRectF r(corner, QSizeF(w, h));
                if (free(r) && (!avoidLines || clearOfLines(r))) {
                    chosen = r;
                    break;
                }
            }
            if (chosen) {
                break;
            }
        }
        if (chosen) {
            nearLabels.add(*chosen);
            result.placed.push_back(
                {target.sample, text, *chosen,
                 chosen->topLeft() + QPointF(padding, padding) - ink.topLeft()});
        } else {
            ++result.dropped;
        }
    }
    return result;
}

SampleLabels labelsFor(const QPainter& painter, const Style& s, const Layout& l, const PlotData& d,
                       const std::vector<CurvePiece>& curve) {
    SampleLabels labels;
    labels.equationBox = l.equation;
    labels.legend = legendRects(s, painter, l.legend);
    if (!d.showSampleLabels) {
        return labels;
    }
    // The targets first, in the order their labels are placed, so that marker m belongs to
    // target m; then the other markers.
    std::vector<LabelTarget> targets;
    if (hasCurrent(d)) {
        targets.push_back({-1, l.map.toPixel(d.current->concentration, d.current->absorbance),
                           s.pt(currentHalf + 0.45), &*d.current});
    }
    for (std::size_t i = 0; i < d.samples.size(); ++i) {
        const PlotSample& sample = d.samples[i];
        if (finitePoint(sample.concentration, sample.absorbance)) {
            targets.push_back({int(i), l.map.toPixel(sample.concentration, sample.absorbance),
                               s.pt(sampleHalf + 0.25), &sample});
        }
    }
    std::vector<QRectF> markers;
    const auto square = [](QPointF c, double half) {
        return QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half);
    };
    for (const LabelTarget& t : targets) {
        markers.push_back(square(t.at, t.half));
    }
    for (const Standard& st : standardsOf(d)) {
        markers.push_back(square(l.map.toPixel(st.x, st.y), s.pt(standardRadius + 0.3)));
    }
    std::vector<QRectF> keepClear = labels.legend;
    if (!l.equation.isEmpty()) {
        keepClear.push_back(l.equation);
    }
    std::vector<QPolygonF> lines;
    for (const CurvePiece& piece : curve) {
        for (const QPolygonF& run : clipPolyline(piece.points, l.area)) {
            lines.push_back(run);
        }
    }
    if (hasCurrent(d)) {
        for (const QPolygonF& guide : guideLines(l, *d.current)) {
            lines.push_back(guide);
        }
    }
    Placement placement = placeLabels(painter, s, l, targets, markers, keepClear, lines, false);
    const bool shortForAll = std::all_of(targets.begin(), targets.end(), [](const LabelTarget& t) {
        return t.data->label.isEmpty() || !t.data->shortLabel.isEmpty();
    });
    if (placement.dropped > 0 && shortForAll) {
        placement = placeLabels(painter, s, l, targets, markers, keepClear, lines, true);
        labels.shortLabels = true;
    }
    labels.placed = std::move(placement.placed);
    labels.dropped = placement.dropped;
    return labels;
}

void drawLabels(QPainter& p, const Style& s, const SampleLabels& labels) {
    p.setFont(smallFont(s.font));
    p.setPen(inkColour);
    for (const PlacedLabel& label : labels.placed) {
        p.drawText(label.baseline, label.text);
    }
}

} // namespace

bool hasCurve(const PlotData& data) {
    return std::isfinite(data.a) && std::isfinite(data.b) && std::isfinite(data.c) &&
           !standardsOf(data).empty();
}

PlotMapping calibrationMapping(const QPainter& painter, const QRectF& rect, const PlotData& data) {
    return layOut(painter, styleOf(painter), rect, data, Kind::Calibration).map;
}

PlotMapping residualMapping(const QPainter& painter, const QRectF& rect, const PlotData& data) {
    return layOut(painter, styleOf(painter), rect, data, Kind::Residuals).map;
}

SampleLabels sampleLabels(const QPainter& painter, const QRectF& rect, const PlotData& data) {
    if (!hasCurve(data)) {
        return {};
    }
    const Style s = styleOf(painter);
    const Layout l = layOut(painter, s, rect, data, Kind::Calibration);
    if (!roomToDraw(s, l)) {
        return {};
    }
    return labelsFor(painter, s, l, data, curvePieces(s, l, data));
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
    const std::vector<CurvePiece> curve = curvePieces(s, l, data);
    const SampleLabels labels = labelsFor(painter, s, l, data, curve);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawGrid(painter, s, l);
    drawBand(painter, s, l, data);
    drawBands(painter, s, l, data);
    drawCurve(painter, s, l, curve);
    if (data.interceptX && std::isfinite(*data.interceptX)) {
        // A standard addition's x_E on the axis: an open circle and its interval as a bar.
        const QPointF at = l.map.toPixel(*data.interceptX, 0);
        painter.setPen(pen(s, lineColour, 1.4));
        painter.setBrush(Qt::NoBrush);
        if (std::isfinite(data.interceptHalfWidth)) {
            const QPointF low = l.map.toPixel(*data.interceptX - data.interceptHalfWidth, 0);
            const QPointF high = l.map.toPixel(*data.interceptX + data.interceptHalfWidth, 0);
            const double tick = s.pt(3);
            painter.drawLine(low, high);
            painter.drawLine(low - QPointF(0, tick), low + QPointF(0, tick));
            painter.drawLine(high - QPointF(0, tick), high + QPointF(0, tick));
        }
        painter.drawEllipse(at, s.pt(3.5), s.pt(3.5));
    }
    if (hasCurrent(data)) {
        drawGuides(painter, s, l, *data.current);
    }
    for (const PlotSample& sample : samplesOf(data)) {
        const QColor colour = sampleColourOf(sample);
        drawDiamond(painter, s, l.map.toPixel(sample.concentration, sample.absorbance), sampleHalf,
                    colour, colour.darker(150), 0.5);
    }
    for (const Standard& standard : standardsOf(data)) {
        drawStandard(painter, s, l.map.toPixel(standard.x, standard.y), standardRadius,
                     standard.excluded);
    }
    if (hasCurrent(data)) {
        // Above the standards, which it may cover.
        const PlotSample& c = *data.current;
        const QColor colour = sampleColourOf(c);
        drawDiamond(painter, s, l.map.toPixel(c.concentration, c.absorbance), currentHalf, colour,
                    colour.darker(170), 0.9);
    }
    drawAxes(painter, s, l, rect, data.xTitle, data.yTitle);
    drawEquation(painter, s, l, data);
    drawLabels(painter, s, labels);
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
    for (const Standard& standard : standardsOf(data)) {
        if (!std::isfinite(standard.residual)) {
            continue;
        }
        const QPointF at = l.map.toPixel(standard.x, standard.residual);
        if (standard.excluded) {
            // Up to the ring, whose middle stays empty.
            const double edge = std::min(s.pt(residualRadius), std::abs(at.y() - zero));
            painter.setPen(pen(s, standardEdge, 0.9, Qt::DashLine));
            painter.drawLine(QPointF(at.x(), zero), at + QPointF(0, at.y() < zero ? edge : -edge));
        } else {
            painter.setPen(pen(s, standardColour, 1.3));
            painter.drawLine(QPointF(at.x(), zero), at);
        }
        drawStandard(painter, s, at, residualRadius, standard.excluded);
    }
    drawAxes(painter, s, l, rect, data.xTitle,
             data.residualTitle.isEmpty() ? Plot::tr("残差") : data.residualTitle);
    painter.restore();
}

void paintFigure(QPainter& painter, const QRectF& rect, const PlotData& data) {
    const double split = rect.top() + rect.height() * 0.63;
    paintCalibration(painter, QRectF(rect.left(), rect.top(), rect.width(), split - rect.top()),
                     data);
    paintResiduals(painter, QRectF(rect.left(), split, rect.width(), rect.bottom() - split), data);
}

} // namespace analysis
