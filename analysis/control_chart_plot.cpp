#include "analysis/control_chart_plot.h"

#include "analysis/plot_frame.h"
#include "calc/number_format.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <optional>

namespace analysis {

namespace {

// The chart's texts, translated in the context "Plot" with the calibration plot's.
struct Plot {
    Q_DECLARE_TR_FUNCTIONS(Plot)
};

using namespace plot_frame;

const QColor pointColour(35, 97, 196);
const QColor pointEdge(18, 56, 120);
const QColor joinColour(120, 140, 170);
const QColor centreColour(46, 125, 50);
const QColor oneSColour(140, 140, 140);
const QColor warningColour(230, 126, 0);
const QColor actionColour(198, 40, 40);
const QColor referenceColour(66, 133, 244, 34);
const QColor referenceEdge(66, 133, 244, 110);

constexpr double pointRadius = 2.8; // points
constexpr double markRadius = 4.2;

enum class Line { ActionHigh, WarningHigh, OneSHigh, Centre, OneSLow, WarningLow, ActionLow };

struct DrawnLine {
    Line line;
    QString name; // as drawn at the right edge: the usual abbreviations, not translated
    double value;
};

// The lines the limits have, from the top down.
std::vector<DrawnLine> linesOf(const calc::ChartLimits& l) {
    std::vector<DrawnLine> lines;
    const auto add = [&](Line line, const char* name, const std::optional<double>& value) {
        if (value) {
            lines.push_back({line, QString::fromLatin1(name), *value});
        }
    };
    add(Line::ActionHigh, "UCL", l.action.high);
    add(Line::WarningHigh, "UWL", l.warning.high);
    add(Line::OneSHigh, "+1s", l.oneS.high);
    add(Line::Centre, "CL", l.centre);
    add(Line::OneSLow, "-1s", l.oneS.low);
    add(Line::WarningLow, "LWL", l.warning.low);
    add(Line::ActionLow, "LCL", l.action.low);
    return lines;
}

QPen linePen(const Style& s, Line line) {
    switch (line) {
    case Line::ActionHigh:
    case Line::ActionLow:
        return pen(s, actionColour, 1.2);
    case Line::WarningHigh:
    case Line::WarningLow:
        return pen(s, warningColour, 1.0, Qt::DashLine);
    case Line::OneSHigh:
    case Line::OneSLow:
        return pen(s, oneSColour, 0.9, Qt::DotLine);
    case Line::Centre:
        return pen(s, centreColour, 1.2);
    }
    return pen(s, inkColour, 1);
}

QString lineLabel(const DrawnLine& line) {
    return line.name + u' ' +
           QString::fromStdString(calc::formatNumber(line.value, calc::NumberStyle::general(6)));
}

bool upperOnly(const ControlChartData& d) {
    return d.limits.sides == calc::ChartSides::UpperOnly;
}

bool hasReference(const ControlChartData& d) {
    const int n = int(d.points.size());
    return d.referenceFirst >= 0 && d.referenceFirst <= d.referenceLast && d.referenceLast < n;
}

bool anyMarked(const ControlChartData& d) {
    return std::any_of(d.points.begin(), d.points.end(),
                       [](const ControlChartPoint& p) { return !p.rules.isEmpty(); });
}

// The values' span with every line, a little room around it.
Range valueRange(const ControlChartData& d) {
    double low = d.limits.centre, high = d.limits.centre;
    for (const DrawnLine& line : linesOf(d.limits)) {
        low = std::min(low, line.value);
        high = std::max(high, line.value);
    }
    for (const ControlChartPoint& p : d.points) {
        if (std::isfinite(p.value)) {
            low = std::min(low, p.value);
            high = std::max(high, p.value);
        }
    }
    return paddedRange(low, high, 0.06);
}

enum class Swatch { Centre, OneS, Warning, Action, Reference, Marked };

struct LegendItem {
    Swatch swatch;
    QString text;
    QPointF at;
};

std::vector<LegendItem> legendItems(const ControlChartData& d) {
    const bool up = upperOnly(d);
    std::vector<LegendItem> items{
        {Swatch::Centre, Plot::tr("中心线"), {}},
        {Swatch::OneS, up ? QStringLiteral("+1s") : QStringLiteral("±1s"), {}},
        {Swatch::Warning, up ? Plot::tr("警告限 +2s") : Plot::tr("警告限 ±2s"), {}},
        {Swatch::Action, up ? Plot::tr("控制限 +3s") : Plot::tr("控制限 ±3s"), {}},
    };
    if (hasReference(d)) {
        items.push_back({Swatch::Reference, Plot::tr("参考期"), {}});
    }
    if (anyMarked(d)) {
        items.push_back({Swatch::Marked, Plot::tr("违反规则"), {}});
    }
    return items;
}

double swatchWidth(const Style& s) {
    return 1.6 * s.lh;
}

QFont titleFont(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

struct Layout : Axes {
    std::vector<LegendItem> legend;
    QRectF title, subtitle;
    std::vector<DrawnLine> lines;
    std::vector<QRectF> lineLabels; // per line; empty where there is no room
    std::vector<QPointF> points;
    std::vector<QRectF> ruleLabels;
};

// Integer ticks only: the points are numbered.
Ticks pointTicks(const Style& s, const QPainter& painter, int n, double pixels) {
    Ticks ticks = fittingTicks(s, painter, Range{1, double(std::max(n, 1))}, 8, pixels, true);
    if (ticks.step < 1) {
        ticks.step = 1;
        ticks.values.clear();
        for (int i = 1; i <= n; ++i) {
            ticks.values.push_back(i);
        }
    }
    return ticks;
}

// The names of the lines at the right edge, each centred on its line; where two would overlap,
// the +-1s names give way first, then the warning limits'.
std::vector<QRectF> placeLineLabels(const Style& s, const QPainter& painter, const Layout& l) {
    const QFontMetricsF metrics(smallFont(s.font), painter.device());
    const double h = metrics.height();
    std::vector<QRectF> boxes;
    for (const DrawnLine& line : l.lines) {
        const double y = l.map.pixelY(line.value);
        boxes.emplace_back(l.area.right() + s.pt(3), y - h / 2,
                           metrics.horizontalAdvance(lineLabel(line)), h);
    }
    const auto overlapping = [&] {
        for (std::size_t i = 0; i + 1 < boxes.size(); ++i) {
            for (std::size_t k = i + 1; k < boxes.size(); ++k) {
                if (!boxes[i].isEmpty() && !boxes[k].isEmpty() && boxes[i].intersects(boxes[k])) {
                    return true;
                }
            }
        }
        return false;
    };
    for (const auto& giving : {std::pair{Line::OneSHigh, Line::OneSLow},
                               std::pair{Line::WarningHigh, Line::WarningLow}}) {
        if (!overlapping()) {
            break;
        }
        for (std::size_t i = 0; i < l.lines.size(); ++i) {
            if (l.lines[i].line == giving.first || l.lines[i].line == giving.second) {
                boxes[i] = QRectF();
            }
        }
    }
    return boxes;
}

// Above the marker, else below it, inside the plot area; nothing where both would cover another
// point's keys.
std::vector<QRectF> placeRuleLabels(const Style& s, const QPainter& painter, const Layout& l,
                                    const ControlChartData& d) {
    const QFontMetricsF metrics(smallFont(s.font), painter.device());
    std::vector<QRectF> placed(d.points.size());
    std::vector<QRectF> taken;
    const double off = s.pt(markRadius + 1.5);
    for (std::size_t i = 0; i < d.points.size(); ++i) {
        if (d.points[i].rules.isEmpty()) {
            continue;
        }
        const QString text = d.points[i].rules.join(u' ');
        const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
        const QPointF at = l.points[i];
        // Centred on the point, moved inwards at the area's ends.
        const double left = std::clamp(at.x() - size.width() / 2, l.area.left(),
                                       std::max(l.area.left(), l.area.right() - size.width()));
        for (const double top : {at.y() - off - size.height(), at.y() + off}) {
            const QRectF box(QPointF(left, top), size);
            const bool inside = box.top() >= l.area.top() && box.bottom() <= l.area.bottom();
            const bool clear = std::none_of(taken.begin(), taken.end(),
                                            [&](const QRectF& t) { return t.intersects(box); });
            if (inside && clear) {
                placed[i] = box;
                taken.push_back(box);
                break;
            }
        }
    }
    return placed;
}

Layout layOut(const QPainter& painter, const Style& s, const QRectF& rect,
              const ControlChartData& d) {
    Layout l;
    const int n = int(d.points.size());
    const Range x{0.5, n + 0.5};
    const Range y = valueRange(d);
    l.lines = linesOf(d.limits);

    double top = rect.top() + s.pad;
    l.title = QRectF(rect.left() + s.pad, top, rect.width() - 2 * s.pad, s.lh);
    top += s.lh;
    if (!d.subtitle.isEmpty()) {
        l.subtitle = QRectF(rect.left() + s.pad, top, rect.width() - 2 * s.pad, s.lh);
        top += s.lh;
    }
    top += 0.4 * s.lh;

    const double yLabelWidth = widest(s, painter, tickLabels(niceTicks(y, 6)));
    const double left = s.pad + s.lh + s.pad + yLabelWidth + s.tick + s.pt(2);
    QStringList names;
    for (const DrawnLine& line : l.lines) {
        names << lineLabel(line);
    }
    const QFontMetricsF small(smallFont(s.font), painter.device());
    double namesWidth = 0;
    for (const QString& name : names) {
        namesWidth = std::max(namesWidth, small.horizontalAdvance(name));
    }
    const double right = s.pt(3) + namesWidth + s.pad;
    const double bottom = s.tick + s.pt(2) + s.lh + 0.3 * s.lh + s.lh + s.pad;
    l.legend = legendItems(d);
    top += layOutLegend(s, painter, l.legend, swatchWidth(s), rect.left() + left, top,
                        rect.width() - left - right) +
           0.5 * s.lh;

    l.area = QRectF(QPointF(rect.left() + left, top),
                    QPointF(rect.right() - right, rect.bottom() - bottom));
    l.map = PlotMapping(x, y, l.area);
    l.xTicks = pointTicks(s, painter, n, l.area.width());
    l.yTicks = fittingTicks(s, painter, y, 6, l.area.height(), false);
    l.xLabels = tickLabels(l.xTicks);
    l.yLabels = tickLabels(l.yTicks);
    for (int i = 0; i < n; ++i) {
        l.points.push_back(l.map.toPixel(i + 1, d.points[std::size_t(i)].value));
    }
    l.lineLabels = placeLineLabels(s, painter, l);
    l.ruleLabels = placeRuleLabels(s, painter, l, d);
    return l;
}

bool roomToDraw(const Style& s, const Layout& l) {
    return l.area.width() >= 2 * s.lh && l.area.height() >= 2 * s.lh;
}

QColor markColour(const ControlChartPoint& p) {
    return p.rejecting ? actionColour : warningColour;
}

void drawPoint(QPainter& p, const Style& s, QPointF at, const ControlChartPoint* point) {
    const bool marked = point != nullptr && !point->rules.isEmpty();
    const QColor fill = marked ? markColour(*point) : pointColour;
    p.setPen(pen(s, marked ? fill.darker(150) : pointEdge, 0.6));
    p.setBrush(fill);
    const double r = s.pt(marked ? markRadius : pointRadius);
    p.drawEllipse(at, r, r);
}

void drawSwatch(QPainter& p, const Style& s, Swatch swatch, const QRectF& box) {
    const QPointF c = box.center();
    const auto across = [&](Line line) {
        p.setPen(linePen(s, line));
        p.drawLine(QPointF(box.left(), c.y()), QPointF(box.right(), c.y()));
    };
    switch (swatch) {
    case Swatch::Centre:
        across(Line::Centre);
        break;
    case Swatch::OneS:
        across(Line::OneSHigh);
        break;
    case Swatch::Warning:
        across(Line::WarningHigh);
        break;
    case Swatch::Action:
        across(Line::ActionHigh);
        break;
    case Swatch::Reference:
        p.setPen(pen(s, referenceEdge, 0.6));
        p.setBrush(referenceColour);
        p.drawRect(QRectF(box.left(), c.y() - 0.3 * box.height(), box.width(), 0.6 * box.height()));
        break;
    case Swatch::Marked: {
        ControlChartPoint marked;
        marked.rules = {QStringLiteral("t1")};
        marked.rejecting = true;
        drawPoint(p, s, c, &marked);
        break;
    }
    }
}

void drawReference(QPainter& p, const Style& s, const Layout& l, const ControlChartData& d) {
    if (!hasReference(d)) {
        return;
    }
    const double from = l.map.pixelX(d.referenceFirst + 0.5);
    const double to = l.map.pixelX(d.referenceLast + 1.5);
    const QRectF band(QPointF(from, l.area.top()), QPointF(to, l.area.bottom()));
    p.setPen(Qt::NoPen);
    p.setBrush(referenceColour);
    p.drawRect(band);
    p.setPen(pen(s, referenceEdge, 0.6));
    p.drawLine(band.topRight(), band.bottomRight());
}

void drawLines(QPainter& p, const Style& s, const Layout& l) {
    p.setBrush(Qt::NoBrush);
    p.setFont(smallFont(s.font));
    for (std::size_t i = 0; i < l.lines.size(); ++i) {
        const DrawnLine& line = l.lines[i];
        const double y = l.map.pixelY(line.value);
        p.setPen(linePen(s, line.line));
        p.drawLine(QPointF(l.area.left(), y), QPointF(l.area.right(), y));
        if (!l.lineLabels[i].isEmpty()) {
            p.setPen(line.line == Line::OneSHigh || line.line == Line::OneSLow
                         ? inkColour
                         : linePen(s, line.line).color().darker(120));
            p.drawText(l.lineLabels[i], Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                       lineLabel(line));
        }
    }
}

void drawPoints(QPainter& p, const Style& s, const Layout& l, const ControlChartData& d) {
    // Segment by segment: a stroked polyline is filled as one outline, and the raster engine
    // took 200 ms of CPU over a thousand zigzags where the whole chart now takes 13 ms.
    if (l.points.size() > 1) {
        p.setPen(pen(s, joinColour, 0.8));
        p.setBrush(Qt::NoBrush);
        QList<QLineF> segments;
        segments.reserve(qsizetype(l.points.size() - 1));
        for (std::size_t i = 1; i < l.points.size(); ++i) {
            segments.append(QLineF(l.points[i - 1], l.points[i]));
        }
        p.drawLines(segments);
    }
    for (std::size_t i = 0; i < l.points.size(); ++i) {
        drawPoint(p, s, l.points[i], &d.points[i]);
    }
    p.setFont(titleFont(smallFont(s.font)));
    for (std::size_t i = 0; i < l.points.size(); ++i) {
        if (!l.ruleLabels[i].isEmpty()) {
            p.setPen(markColour(d.points[i]).darker(115));
            p.drawText(l.ruleLabels[i], Qt::AlignCenter | Qt::TextDontClip,
                       d.points[i].rules.join(u' '));
        }
    }
}

void drawHeading(QPainter& p, const Style& s, const Layout& l, const ControlChartData& d) {
    p.setPen(inkColour);
    p.setFont(titleFont(s.font));
    p.drawText(l.title, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip, d.title);
    if (!l.subtitle.isEmpty()) {
        p.setFont(s.font);
        p.drawText(l.subtitle, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip, d.subtitle);
    }
    p.setFont(s.font);
    for (const LegendItem& item : l.legend) {
        drawSwatch(p, s, item.swatch, QRectF(item.at, QSizeF(swatchWidth(s), s.lh)));
        p.setPen(inkColour);
        p.setFont(s.font);
        p.drawText(QRectF(item.at.x() + swatchWidth(s) + 0.3 * s.lh, item.at.y(), 20 * s.lh, s.lh),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, item.text);
    }
}

} // namespace

bool hasChart(const ControlChartData& data) {
    const std::vector<DrawnLine> lines = linesOf(data.limits);
    return !data.points.empty() && std::isfinite(data.limits.s) &&
           std::all_of(data.points.begin(), data.points.end(),
                       [](const ControlChartPoint& p) { return std::isfinite(p.value); }) &&
           std::all_of(lines.begin(), lines.end(),
                       [](const DrawnLine& line) { return std::isfinite(line.value); });
}

ControlChartGeometry controlChartGeometry(const QPainter& painter, const QRectF& rect,
                                          const ControlChartData& data) {
    if (!hasChart(data)) {
        return {};
    }
    const Style s = styleOf(painter);
    Layout l = layOut(painter, s, rect, data);
    if (!roomToDraw(s, l)) {
        return {};
    }
    return {l.map, std::move(l.points), std::move(l.ruleLabels)};
}

void paintControlChart(QPainter& painter, const QRectF& rect, const ControlChartData& data) {
    if (!hasChart(data)) {
        return;
    }
    const Style s = styleOf(painter);
    const Layout l = layOut(painter, s, rect, data);
    if (!roomToDraw(s, l)) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawReference(painter, s, l, data);
    drawGrid(painter, s, l);
    drawLines(painter, s, l);
    drawPoints(painter, s, l, data);
    drawAxes(painter, s, l, rect, data.xTitle, data.yTitle);
    drawHeading(painter, s, l, data);
    painter.restore();
}

} // namespace analysis
