// The control chart as painted: the points where the mapping puts them in order, each line at its
// pixel row in its colour, the marks of the rules on the points that complete them, and the saved
// PNG, SVG and PDF.

#include "analysis/control_chart_export.h"
#include "analysis/control_chart_plot.h"
#include "io/document_text.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

using analysis::ControlChartData;
using analysis::ControlChartPoint;

const QRectF chartRect(0, 0, 900, 520);

// Centre 10, s 1: the lines at 7 to 13; the 6th point a warning only, the 9th beyond the action
// limit; the first six the reference period.
ControlChartData sample(calc::ChartSides sides = calc::ChartSides::Both) {
    ControlChartData d;
    d.limits = calc::limitsAround(10, 1, sides);
    const double values[] = {10.2, 9.6, 10.9, 9.1, 10.4, 12.3, 9.8, 10.1, 13.6, 10.0, 9.4, 10.6};
    for (const double v : values) {
        d.points.push_back({v, {}, false, {}});
    }
    d.points[5].rules = {QStringLiteral("1-2s")};
    d.points[8].rules = {QStringLiteral("1-3s"), QStringLiteral("2-2s")};
    d.points[8].rejecting = true;
    d.referenceFirst = 0;
    d.referenceLast = 5;
    d.title = QStringLiteral("方法 亚硝酸盐氮 · 校准核查 0.5");
    d.subtitle = QStringLiteral("控制限未冻结");
    d.xTitle = QStringLiteral("点序号");
    d.yTitle = QStringLiteral("测得浓度 (mg/L)");
    return d;
}

struct Rendered {
    QImage image;
    analysis::ControlChartGeometry geometry;
};

Rendered render(const ControlChartData& d) {
    Rendered r{QImage(chartRect.size().toSize(), QImage::Format_RGB32), {}};
    r.image.fill(Qt::white);
    QPainter painter(&r.image);
    r.geometry = analysis::controlChartGeometry(painter, chartRect, d);
    analysis::paintControlChart(painter, chartRect, d);
    return r;
}

enum class Ink { White, Pale, Grey, Green, Orange, Red, Blue, Other };

// Colours told apart by their hue, whatever the antialiasing does to their edges.
Ink inkOf(const QColor& c) {
    const int r = c.red(), g = c.green(), b = c.blue();
    if (r == 255 && g == 255 && b == 255) {
        return Ink::White;
    }
    if (std::min({r, g, b}) > 200) {
        return Ink::Pale; // the grid, the reference period's tint
    }
    if (std::abs(r - g) < 12 && std::abs(g - b) < 12 && r > 100 && r < 190) {
        return Ink::Grey;
    }
    if (g > r + 40 && g > b + 30) {
        return Ink::Green;
    }
    if (r > 190 && g > 90 && g < 170 && b < 80) {
        return Ink::Orange;
    }
    if (r > 150 && g < 80 && b < 80) {
        return Ink::Red;
    }
    if (b > r + 60 && b > g + 20) {
        return Ink::Blue;
    }
    return Ink::Other;
}

// The inks met along a row of pixels across the plot area, away from the points.
std::set<Ink> inksAlongRow(const QImage& image, double y, double from, double to) {
    std::set<Ink> inks;
    for (int x = int(from); x < int(to); ++x) {
        inks.insert(inkOf(image.pixelColor(x, int(std::floor(y)))));
    }
    return inks;
}

TEST(ControlChartPlot, PointsStandInOrderEvenlyAcrossTheArea) {
    const ControlChartData d = sample();
    const Rendered r = render(d);
    const auto& points = r.geometry.points;
    ASSERT_EQ(points.size(), d.points.size());
    const QRectF area = r.geometry.map.pixels();
    // Half a step of room at either end, one step between neighbours.
    const double step = area.width() / double(d.points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(points[i].x(), area.left() + step * (double(i) + 0.5), 1e-9);
        EXPECT_NEAR(r.geometry.map.dataY(points[i].y()), d.points[i].value, 1e-9);
    }
    // Every line and every point inside the vertical range.
    const analysis::Range y = r.geometry.map.yRange();
    EXPECT_LT(y.low, 7);
    EXPECT_GT(y.high, 13.6);
}

TEST(ControlChartPlot, EachLineAtItsRowInItsColour) {
    struct Case {
        const char* name;
        calc::ChartSides sides;
        std::map<double, Ink> lines; // value -> colour; absent values must not be drawn
    };
    const Case cases[] = {
        {"both sides",
         calc::ChartSides::Both,
         {{13, Ink::Red},
          {12, Ink::Orange},
          {11, Ink::Grey},
          {10, Ink::Green},
          {9, Ink::Grey},
          {8, Ink::Orange},
          {7, Ink::Red}}},
        {"upper only",
         calc::ChartSides::UpperOnly,
         {{13, Ink::Red}, {12, Ink::Orange}, {11, Ink::Grey}, {10, Ink::Green}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rendered r = render(sample(c.sides));
        const QRectF area = r.geometry.map.pixels();
        // Across the first point's half step, where no point or joining line lies.
        const double from = area.left() + 2;
        const double to = r.geometry.points[0].x() - 6;
        for (const double v : {13.0, 12.0, 11.0, 10.0, 9.0, 8.0, 7.0}) {
            SCOPED_TRACE(v);
            const double row = r.geometry.map.pixelY(v);
            if (row < area.top() || row > area.bottom()) {
                EXPECT_EQ(c.lines.count(v), 0u);
                continue;
            }
            const std::set<Ink> inks = inksAlongRow(r.image, row, from, to);
            const auto line = c.lines.find(v);
            if (line == c.lines.end()) {
                for (const Ink ink : {Ink::Red, Ink::Orange, Ink::Grey, Ink::Green}) {
                    EXPECT_EQ(inks.count(ink), 0u);
                }
                continue;
            }
            EXPECT_EQ(inks.count(line->second), 1u);
            // Three pixels away the line is gone.
            for (const double off : {-3.0, 3.0}) {
                EXPECT_EQ(inksAlongRow(r.image, row + off, from, to).count(line->second), 0u);
            }
        }
    }
}

TEST(ControlChartPlot, ViolationsAreMarkedOnTheirPointsWithTheRulesBeside) {
    const ControlChartData d = sample();
    const Rendered r = render(d);
    for (std::size_t i = 0; i < d.points.size(); ++i) {
        SCOPED_TRACE(i);
        const Ink centre = inkOf(r.image.pixelColor(r.geometry.points[i].toPoint()));
        const QRectF label = r.geometry.ruleLabels[i];
        if (i == 8) {
            EXPECT_EQ(centre, Ink::Red);
        } else if (i == 5) {
            EXPECT_EQ(centre, Ink::Orange);
        } else {
            EXPECT_EQ(centre, Ink::Blue);
            EXPECT_TRUE(label.isEmpty());
            continue;
        }
        ASSERT_FALSE(label.isEmpty());
        // Beside its point, over it or under it, and written.
        EXPECT_LT(label.left(), r.geometry.points[i].x());
        EXPECT_GT(label.right(), r.geometry.points[i].x());
        EXPECT_GT(std::abs(label.center().y() - r.geometry.points[i].y()), 4);
        int written = 0;
        for (int x = int(label.left()); x < int(label.right()); ++x) {
            for (int y = int(label.top()); y < int(label.bottom()); ++y) {
                const Ink ink = inkOf(r.image.pixelColor(x, y));
                written += ink == Ink::Red || ink == Ink::Orange || ink == Ink::Other;
            }
        }
        EXPECT_GT(written, 10);
    }
}

// Sixty points each completing a rule: the keys that would cover others are left out, never
// drawn over one another.
TEST(ControlChartPlot, CrowdedKeysNeverOverlap) {
    ControlChartData d = sample();
    d.points.clear();
    for (int i = 0; i < 60; ++i) {
        d.points.push_back({13.5, {QStringLiteral("1-3s"), QStringLiteral("2-2s")}, true, {}});
    }
    const Rendered r = render(d);
    std::vector<QRectF> drawn;
    for (const QRectF& label : r.geometry.ruleLabels) {
        if (!label.isEmpty()) {
            EXPECT_TRUE(r.geometry.map.pixels().contains(label));
            for (const QRectF& other : drawn) {
                EXPECT_FALSE(other.intersects(label));
            }
            drawn.push_back(label);
        }
    }
    EXPECT_GT(drawn.size(), 10u);
    EXPECT_LT(drawn.size(), 60u);
}

TEST(ControlChartPlot, NothingIsDrawnWithoutAChart) {
    struct Case {
        const char* name;
        ControlChartData data;
    };
    ControlChartData none = sample();
    none.points.clear();
    ControlChartData infinite = sample();
    infinite.limits = calc::limitsAround(1e308, 1e308, calc::ChartSides::Both);
    ControlChartData notANumber = sample();
    notANumber.points[3].value = std::nan("");
    const Case cases[] = {{"no point", none},
                          {"limits beyond the doubles", infinite},
                          {"a value that is not a number", notANumber}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rendered r = render(c.data);
        EXPECT_TRUE(r.geometry.points.empty());
        QImage white(r.image.size(), r.image.format());
        white.fill(Qt::white);
        EXPECT_EQ(r.image, white);
    }
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SaveControlChart, PngSvgAndPdfBySuffix) {
    QTemporaryDir dir;
    const ControlChartData d = sample();
    ASSERT_EQ(analysis::saveControlChart(dir.filePath(QStringLiteral("chart.PNG")), d),
              std::nullopt);
    QImage image;
    ASSERT_TRUE(image.load(dir.filePath(QStringLiteral("chart.PNG")), "PNG"));
    EXPECT_EQ(image.size(), QSize(analysis::chartImageWidth, analysis::chartImageHeight));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));

    ASSERT_EQ(analysis::saveControlChart(dir.filePath(QStringLiteral("chart.svg")), d),
              std::nullopt);
    const QByteArray svg = contentsOf(dir.filePath(QStringLiteral("chart.svg")));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains(d.title.toUtf8()));
    EXPECT_TRUE(svg.contains("UCL"));

    ASSERT_EQ(analysis::saveControlChart(dir.filePath(QStringLiteral("chart.pdf")), d),
              std::nullopt);
    const QByteArray pdf = contentsOf(dir.filePath(QStringLiteral("chart.pdf")));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
}

TEST(SaveControlChart, RefusalsLeaveTheOldFile) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        const char* file;
        bool chart;
        const char* reason;
    };
    const Case cases[] = {
        {"another suffix", "chart.jpg", true, "不支持的文件类型（请使用 .png、.svg 或 .pdf）"},
        {"no chart", "chart.png", false, "没有可导出的质控图"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromUtf8(c.file));
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older file");
        old.close();
        ControlChartData d = sample();
        if (!c.chart) {
            d.points.clear();
        }
        const auto error = analysis::saveControlChart(path, d);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(io::rendered(error->reason), QString::fromUtf8(c.reason));
        EXPECT_EQ(contentsOf(path), "an older file");
    }
}

} // namespace
