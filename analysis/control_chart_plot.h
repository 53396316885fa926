#pragma once

// The control chart of a quality-control series, drawn with QPainter by the same frame as the
// calibration plot (plot_frame.h): one drawing for the window, the PNG and SVG images and the PDF.
//
// The points in order, numbered from 1 along the horizontal axis and joined by a thin line; the
// centre line, the lines at +-1s (dotted), the warning limits at +-2s (dashed) and the action
// limits at +-3s (solid), each named at the right edge with its value (an upper-only chart has
// the lines above the centre only); the reference period shaded behind its points; a point that
// completes a rule drawn larger, red (orange when its only rule is a warning), with the rules'
// keys beside it. The title and a line saying where the limits come from (frozen or not) stand
// above the legend.

#include "analysis/plot_mapping.h"
#include "calc/control_chart.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QPainter;

namespace analysis {

struct ControlChartPoint {
    double value = 0;
    QStringList rules;      // the keys of the rules it completes: "t1", "2-2s"
    bool rejecting = false; // one of them is not only a warning
    QString tip;            // what its tooltip says
};

struct ControlChartData {
    std::vector<ControlChartPoint> points;
    calc::ChartLimits limits;
    int referenceFirst = -1, referenceLast = -1; // indexes of the points; -1: none
    QString title;                               // "方法 亚硝酸盐氮 · check:0.5"
    QString subtitle;                            // where the limits come from
    QString xTitle, yTitle;
};

// Nothing is drawn without a point or with limits that are not finite numbers.
bool hasChart(const ControlChartData& data);

// Where the painting puts things for the same painter, rectangle and data.
struct ControlChartGeometry {
    PlotMapping map;             // x: the point's number from 1; y: its value
    std::vector<QPointF> points; // each point's centre
    // Per point: the box of its rules' keys; empty where it completes none, or where the keys
    // find no room clear of the neighbouring ones (its marker and tooltip still say it).
    std::vector<QRectF> ruleLabels;
};
ControlChartGeometry controlChartGeometry(const QPainter& painter, const QRectF& rect,
                                          const ControlChartData& data);

void paintControlChart(QPainter& painter, const QRectF& rect, const ControlChartData& data);

} // namespace analysis
