#include "analysis/plot_painter.h"
#include "worked_example.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using analysis::PlotData;
using analysis::PlotMapping;

const QRectF plotRect(0, 0, 560, 360);

struct Rendered {
    QImage image;
    PlotMapping map;
};

Rendered renderCalibration(const PlotData& d) {
    Rendered r{QImage(plotRect.size().toSize(), QImage::Format_RGB32), {}};
    r.image.fill(Qt::white);
    QPainter painter(&r.image);
    r.map = analysis::calibrationMapping(painter, plotRect, d);
    analysis::paintCalibration(painter, plotRect, d);
    return r;
}

enum class Ink { White, BandTint, StandardBlue, SampleGreen, WarningOrange, Other };

const char* name(Ink ink) {
    switch (ink) {
    case Ink::White:
        return "white";
    case Ink::BandTint:
        return "band tint";
    case Ink::StandardBlue:
        return "standard blue";
    case Ink::SampleGreen:
        return "sample green";
    case Ink::WarningOrange:
        return "warning orange";
    case Ink::Other:
        break;
    }
    return "other";
}

Ink inkAt(const Rendered& r, double x, double y) {
    const QPointF p = r.map.toPixel(x, y);
    const QColor c = r.image.pixelColor(qRound(p.x() - 0.5), qRound(p.y() - 0.5));
    const int red = c.red(), green = c.green(), blue = c.blue();
    if (red == 255 && green == 255 && blue == 255) {
        return Ink::White;
    }
    if (blue > 200 && red > 180 && blue - red > 15) {
        return Ink::BandTint;
    }
    if (blue > 150 && red < 80 && green < 130) {
        return Ink::StandardBlue;
    }
    if (green > 110 && red < 80 && blue < 110) {
        return Ink::SampleGreen;
    }
    if (red > 200 && green < 120 && blue < 60) {
        return Ink::WarningOrange;
    }
    return Ink::Other;
}

// Spots of the worked example clear of grid lines, the equation and the line, checked at the
// pixel the mapping gives.
TEST(PaintCalibration, DrawsWhereTheMappingSays) {
    PlotData d = analysis_test::workedExample();
    d.samples = {{11, 1.0, true}};
    const Rendered r = renderCalibration(d);
    struct Case {
        const char* name;
        double c, a;
        Ink ink;
    };
    const Case cases[] = {
        {"inside the band", 11, 7.5, Ink::BandTint},
        {"below the band", 7, 1.2, Ink::White},
        {"above the band", 7, 25.4, Ink::White},
        {"a standard marker", 8, 17.3, Ink::StandardBlue},
        {"the first standard, on the band's edge", 0, 2.1, Ink::StandardBlue},
        {"the current sample", (13.5 - d.a) / d.b, 13.5, Ink::SampleGreen},
        {"a flagged sample of the list", 11, 1.0, Ink::WarningOrange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(name(inkAt(r, c.c, c.a)), name(c.ink));
    }
}

TEST(PaintCalibration, CurrentSampleOutsideTheRangeInWarningColour) {
    PlotData d = analysis_test::workedExample();
    d.current = analysis::PlotSample{(30 - d.a) / d.b, 30, true};
    const Rendered r = renderCalibration(d);
    EXPECT_STREQ(name(inkAt(r, d.current->concentration, 30)), name(Ink::WarningOrange));
}

TEST(PaintCalibration, NothingWithoutACurve) {
    PlotData d = analysis_test::workedExample();
    d.concentrations.clear();
    const Rendered r = renderCalibration(d);
    QImage white(r.image.size(), r.image.format());
    white.fill(Qt::white);
    EXPECT_EQ(r.image, white);
}

// Plots of the same width put their concentration axes at the same pixels, so the residual plot
// lines up under the calibration plot.
TEST(PaintResiduals, SharesTheConcentrationAxis) {
    const PlotData d = analysis_test::workedExample();
    QImage image(560, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    const PlotMapping calibration = analysis::calibrationMapping(painter, {0, 0, 560, 360}, d);
    const PlotMapping residuals = analysis::residualMapping(painter, {0, 360, 560, 200}, d);
    EXPECT_DOUBLE_EQ(calibration.pixels().left(), residuals.pixels().left());
    EXPECT_DOUBLE_EQ(calibration.pixels().right(), residuals.pixels().right());
    EXPECT_DOUBLE_EQ(calibration.xRange().low, residuals.xRange().low);
    EXPECT_DOUBLE_EQ(calibration.xRange().high, residuals.xRange().high);
    // Zero in the middle, the largest residual (0.582 at C = 0) inside.
    EXPECT_DOUBLE_EQ(residuals.yRange().low, -residuals.yRange().high);
    EXPECT_GT(residuals.yRange().high, 2.1 - d.a);
}

} // namespace
