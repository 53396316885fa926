#include "analysis/plot_frame.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace analysis::plot_frame {

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

QPen pen(const Style& s, const QColor& colour, double points, Qt::PenStyle style) {
    QPen p(colour, s.pt(points), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (style == Qt::DashLine) {
        p.setDashPattern({4, 3});
    } else if (style == Qt::DotLine) {
        p.setDashPattern({1.5, 2});
    }
    return p;
}

void drawGrid(QPainter& p, const Style& s, const Axes& l) {
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

void drawAxes(QPainter& p, const Style& s, const Axes& l, const QRectF& rect, const QString& xTitle,
              const QString& yTitle) {
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

LegendPlaces layOutLegend(const Style& s, const QPainter& painter, const QStringList& texts,
                          double swatch, double left, double top, double width) {
    const double gap = 0.3 * s.lh;
    const double spacing = s.lh;
    std::vector<std::vector<std::size_t>> rows(1);
    std::vector<double> rowWidths(1, 0);
    for (std::size_t i = 0; i < std::size_t(texts.size()); ++i) {
        const double w = swatch + gap + widest(s, painter, {texts[qsizetype(i)]});
        if (!rows.back().empty() && rowWidths.back() + spacing + w > width) {
            rows.emplace_back();
            rowWidths.push_back(0);
        }
        rowWidths.back() += (rows.back().empty() ? 0 : spacing) + w;
        rows.back().push_back(i);
    }
    LegendPlaces places;
    places.at.resize(std::size_t(texts.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        double x = left + std::max(0.0, (width - rowWidths[r]) / 2);
        for (const std::size_t i : rows[r]) {
            places.at[i] = {x, top + double(r) * s.lh};
            x += swatch + gap + widest(s, painter, {texts[qsizetype(i)]}) + spacing;
        }
    }
    places.height = double(rows.size()) * s.lh;
    return places;
}

QFont smallFont(const QFont& font) {
    QFont small = font;
    if (font.pointSizeF() > 0) {
        small.setPointSizeF(0.85 * font.pointSizeF());
    } else if (font.pixelSize() > 0) {
        small.setPixelSize(std::max(1, int(std::lround(0.85 * font.pixelSize()))));
    }
    return small;
}

} // namespace analysis::plot_frame
