#include "analysis/plot_painter.h"
#include "analysis/plot_widget.h"
#include "worked_example.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using analysis::PlotWidget;

bool allWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return false;
            }
        }
    }
    return true;
}

TEST(PlotWidget, DescribesAndPaintsItsData) {
    struct Case {
        const char* name;
        PlotWidget::Mode mode;
        std::vector<bool> excluded;
        const char* description;
    };
    const Case cases[] = {
        {"calibration",
         PlotWidget::Mode::Calibration,
         {},
         "标准曲线图：7个标准点，y = 1.5179 + 1.9304x，R² = 0.99776"},
        {"residuals",
         PlotWidget::Mode::Residuals,
         {false, false, false, false, false, false, false},
         "残差图：7个标准点的残差，y = 1.5179 + 1.9304x，R² = 0.99776"},
        {"two excluded",
         PlotWidget::Mode::Calibration,
         {true, false, false, false, false, false, true},
         "标准曲线图：7个标准点，排除2个，y = 1.5179 + 1.9304x，R² = 0.99776"},
        {"one excluded, residuals",
         PlotWidget::Mode::Residuals,
         {false, true},
         "残差图：7个标准点的残差，排除1个，y = 1.5179 + 1.9304x，R² = 0.99776"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlotWidget plot(c.mode);
        plot.resize(plot.sizeHint());
        EXPECT_EQ(plot.accessibleDescription(), QStringLiteral("尚未计算标准曲线"));
        EXPECT_TRUE(allWhite(plot.grab().toImage()));

        analysis::PlotData data = analysis_test::workedExample();
        data.excluded = c.excluded;
        plot.setData(data);
        EXPECT_EQ(plot.accessibleDescription(), QString::fromUtf8(c.description));
        EXPECT_FALSE(allWhite(plot.grab().toImage()));

        plot.setData({});
        EXPECT_EQ(plot.accessibleDescription(), QStringLiteral("尚未计算标准曲线"));
        EXPECT_TRUE(allWhite(plot.grab().toImage()));
    }
}

// Room at the smallest size for a 9 pt plot: about twenty characters across and a dozen lines
// of text down.
TEST(PlotWidget, MinimumSizeFollowsTheFont) {
    PlotWidget plot(PlotWidget::Mode::Calibration);
    const QFontMetricsF metrics(plot.font());
    EXPECT_GE(plot.minimumSizeHint().width(), 20 * metrics.height());
    EXPECT_GE(plot.minimumSizeHint().height(), 12 * metrics.height());
    QFont larger = plot.font();
    larger.setPointSizeF(2 * larger.pointSizeF());
    const QSize before = plot.minimumSizeHint();
    plot.setFont(larger);
    EXPECT_GT(plot.minimumSizeHint().width(), before.width());
}

} // namespace

// The context menu on a standard's marker names that standard; elsewhere, none.
TEST(PlotWidget, FindsTheStandardUnderTheMenu) {
    PlotWidget plot(PlotWidget::Mode::Calibration);
    plot.resize(plot.sizeHint());
    const analysis::PlotData data = analysis_test::workedExample();
    plot.setData(data);
    QImage image(plot.size(), QImage::Format_ARGB32);
    image.setDotsPerMeterX(int(std::lround(plot.logicalDpiX() / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(plot.logicalDpiY() / 0.0254)));
    QPainter painter(&image);
    painter.setFont(plot.font());
    const analysis::PlotMapping mapping =
        analysis::calibrationMapping(painter, QRectF(plot.rect()), data);
    std::vector<int> asked;
    QObject::connect(&plot, &PlotWidget::standardMenuRequested,
                     [&asked](int standard, const QPoint&) { asked.push_back(standard); });
    for (int i : {0, 3, 6}) {
        const QPoint at = (mapping.toPixel(data.concentrations[std::size_t(i)],
                                           data.absorbances[std::size_t(i)]) +
                           QPointF(2, -1))
                              .toPoint();
        EXPECT_EQ(plot.standardAt(at), i);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, plot.mapToGlobal(at));
        QApplication::sendEvent(&plot, &event);
    }
    EXPECT_EQ(asked, (std::vector<int>{0, 3, 6}));
    EXPECT_EQ(plot.standardAt(QPoint(2, 2)), -1) << "far from every marker";
}
