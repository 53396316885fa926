#pragma once

// What the plots share: sizes in points for the painter's device, the pens, the ticks that fit
// their axis, the grid, and the frame with its ticks, value labels and axis titles.

#include "analysis/plot_mapping.h"

#include <QColor>
#include <QFont>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <vector>

class QPainter;

namespace analysis::plot_frame {

inline const QColor inkColour(34, 34, 34);
inline const QColor frameColour(90, 90, 90);
inline const QColor gridColour(228, 228, 228);

// Sizes for the painter's device: a point is 1/72 inch at the device's logical DPI.
struct Style {
    QFont font;
    double perPoint = 96.0 / 72.0;
    double lh = 16;  // a line of text
    double pad = 8;  // space between parts
    double tick = 5; // tick length
    double pt(double points) const { return points * perPoint; }
};

Style styleOf(const QPainter& painter);

// The face of a plot's lesser texts (sample labels, rule keys, line names): 0.85 of `font`.
QFont smallFont(const QFont& font);

// The widest of the texts in the style's font.
double widest(const Style& s, const QPainter& painter, const QStringList& texts);

// Solid, dashed (what continues a line) or dotted, `points` wide.
QPen pen(const Style& s, const QColor& colour, double points, Qt::PenStyle style = Qt::SolidLine);

// Ticks for `pixels` of axis: the target count, fewer while neighbouring labels (or lines of
// text, on the vertical axis) would crowd each other.
Ticks fittingTicks(const Style& s, const QPainter& painter, Range range, int target, double pixels,
                   bool horizontal);

// A plot area with its mapping and the ticks of both axes.
struct Axes {
    QRectF area; // the plot area inside the axes
    PlotMapping map;
    Ticks xTicks, yTicks;
    QStringList xLabels, yLabels;
};

void drawGrid(QPainter& p, const Style& s, const Axes& l);
// The frame, the ticks with their labels, the horizontal axis' title below and the vertical
// one's turned along the left edge of `rect`.
void drawAxes(QPainter& p, const Style& s, const Axes& l, const QRectF& rect, const QString& xTitle,
              const QString& yTitle);

// Legend entries laid out in rows centred over `width` from `left`, wrapping, the first row at
// `top`: each a swatch `swatch` wide, a gap and its text. Each entry's top left corner, and the
// height taken.
struct LegendPlaces {
    std::vector<QPointF> at;
    double height = 0;
};
LegendPlaces layOutLegend(const Style& s, const QPainter& painter, const QStringList& texts,
                          double swatch, double left, double top, double width);

// The same for a plot's own legend items (a `text` each, and the corner `at` set here); the
// height taken.
template <class Item>
double layOutLegend(const Style& s, const QPainter& painter, std::vector<Item>& items,
                    double swatch, double left, double top, double width) {
    QStringList texts;
    for (const Item& item : items) {
        texts.append(item.text);
    }
    const LegendPlaces places = layOutLegend(s, painter, texts, swatch, left, top, width);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].at = places.at[i];
    }
    return places.height;
}

} // namespace analysis::plot_frame
