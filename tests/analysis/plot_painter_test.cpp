#include "analysis/plot_painter.h"
#include "worked_example.h"

#include <QImage>
#include <QPainter>
#include <cmath>
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

enum class Ink {
    White,
    GridGrey,
    BandTint,
    StandardBlue,
    SampleGreen,
    WarningOrange,
    CurveRed,
    Other
};

const char* name(Ink ink) {
    switch (ink) {
    case Ink::White:
        return "white";
    case Ink::GridGrey:
        return "grid grey";
    case Ink::BandTint:
        return "band tint";
    case Ink::StandardBlue:
        return "standard blue";
    case Ink::SampleGreen:
        return "sample green";
    case Ink::WarningOrange:
        return "warning orange";
    case Ink::CurveRed:
        return "curve red";
    case Ink::Other:
        break;
    }
    return "other";
}

Ink inkAtPixel(const QImage& image, QPointF p) {
    const QColor c = image.pixelColor(qRound(p.x() - 0.5), qRound(p.y() - 0.5));
    const int red = c.red(), green = c.green(), blue = c.blue();
    if (red == 255 && green == 255 && blue == 255) {
        return Ink::White;
    }
    if (red == green && green == blue && red > 200) {
        return Ink::GridGrey;
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
    if (red > 150 && green < 110 && blue < 110) {
        return Ink::CurveRed;
    }
    return Ink::Other;
}

Ink inkAt(const Rendered& r, double x, double y) {
    return inkAtPixel(r.image, r.map.toPixel(x, y));
}

// Standards bending downwards, A = 0.0085 + 0.1102 C - 0.00267 C², no sample.
PlotData saturating() {
    PlotData d = analysis_test::workedExample();
    d.concentrations = {0, 1, 2, 4, 6, 8, 10};
    d.absorbances = {0.012, 0.118, 0.225, 0.41, 0.58, 0.71, 0.84};
    d.a = 0.0085;
    d.b = 0.1102;
    d.c = -0.00267;
    d.bandLow = 0.012;
    d.bandHigh = 0.84;
    d.current.reset();
    return d;
}

double fit(const PlotData& d, double x) {
    return d.a + d.b * x + d.c * x * x;
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

// Along the solid part of the curve, between the standards, the pixel at the mapped point is the
// curve's; a parabola is not drawn as its chord.
TEST(PaintCalibration, CurvePassesThroughItsPixels) {
    PlotData rising = saturating();
    PlotData convex = saturating();
    convex.absorbances = {0.01, 0.05, 0.11, 0.27, 0.5, 0.78, 1.13};
    convex.a = 0.01;
    convex.b = 0.03;
    convex.c = 0.0082;
    convex.bandLow = 0.01;
    convex.bandHigh = 1.13;
    // Highest between the standards: the vertex A = 1 at C = 5 lies above them all.
    PlotData arch = saturating();
    arch.concentrations = {0, 2, 8, 10};
    arch.absorbances = {0, 0.64, 0.64, 0};
    arch.a = 0;
    arch.b = 0.4;
    arch.c = -0.04;
    arch.bandLow = 0;
    arch.bandHigh = 0.64;
    PlotData line = analysis_test::workedExample();
    line.current.reset();
    struct Case {
        const char* name;
        PlotData data;
        double x0, x1;  // the standards' span
        double highest; // of the curve over the span: inside the plot
    };
    const Case cases[] = {
        {"c < 0, rising", rising, 0, 10, 0.8435},
        {"c > 0", convex, 0, 10, 1.13},
        {"vertex inside, above every standard", arch, 0, 10, 1.0},
        {"c = 0, the line", line, 0, 12, 24.682141},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rendered r = renderCalibration(c.data);
        EXPECT_GE(r.map.yRange().high, c.highest);
        for (const double x : {3.0, 5.0, 7.0}) {
            SCOPED_TRACE(x);
            EXPECT_STREQ(name(inkAt(r, x, fit(c.data, x))), name(Ink::CurveRed));
            const double chord = fit(c.data, c.x0) + (fit(c.data, c.x1) - fit(c.data, c.x0)) *
                                                         (x - c.x0) / (c.x1 - c.x0);
            if (c.data.c != 0) {
                EXPECT_STRNE(name(inkAt(r, x, chord)), name(Ink::CurveRed));
            }
        }
    }
}

// An excluded standard off the curve: a ring, its middle the background (the calibrated range's
// tint above, the grid line at C = 8 in the residual plot), in both plots.
TEST(PaintCalibration, ExcludedStandardsAreHollow) {
    PlotData d = analysis_test::workedExample();
    d.absorbances[4] = 20.5;
    d.excluded = {false, false, false, false, true}; // shorter than the standards: the rest count
    const Rendered r = renderCalibration(d);
    EXPECT_STREQ(name(inkAt(r, 8, 20.5)), name(Ink::BandTint));
    EXPECT_STREQ(name(inkAt(r, 10, 21.0)), name(Ink::StandardBlue));

    QImage image(560, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRectF rect(0, 0, 560, 200);
    const PlotMapping map = analysis::residualMapping(painter, rect, d);
    analysis::paintResiduals(painter, rect, d);
    EXPECT_STREQ(name(inkAtPixel(image, map.toPixel(8, 20.5 - (d.a + d.b * 8)))),
                 name(Ink::GridGrey));
    EXPECT_STREQ(name(inkAtPixel(image, map.toPixel(12, 24.7 - (d.a + d.b * 12)))),
                 name(Ink::StandardBlue));
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

// The residuals given are drawn, not A - fit; NaN draws nothing. Without them the curve's own
// residuals A - (a + b*C + c*C²) are drawn.
TEST(PaintResiduals, DrawsTheGivenResiduals) {
    PlotData given = saturating();
    given.residuals = {0.5, NAN, -1.2, 0.3, -0.7, 0.9, 0.1};
    struct Case {
        const char* name;
        PlotData data;
        std::vector<double> drawn; // per standard
    };
    PlotData own = saturating();
    std::vector<double> ownResiduals;
    for (std::size_t i = 0; i < own.concentrations.size(); ++i) {
        ownResiduals.push_back(own.absorbances[i] - fit(own, own.concentrations[i]));
    }
    const Case cases[] = {
        {"given, weighted", given, given.residuals},
        {"none given: A - (a + b*C + c*C^2)", own, ownResiduals},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(560, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QRectF rect(0, 0, 560, 200);
        const PlotMapping map = analysis::residualMapping(painter, rect, c.data);
        analysis::paintResiduals(painter, rect, c.data);
        double largest = 0;
        for (std::size_t i = 0; i < c.drawn.size(); ++i) {
            SCOPED_TRACE(i);
            const double x = c.data.concentrations[i];
            if (std::isnan(c.drawn[i])) {
                // No stem at all (the standard at C = 1 is off the grid lines).
                const QPointF column = map.toPixel(x, 0);
                int blue = 0;
                for (double y = map.pixels().top(); y < map.pixels().bottom(); ++y) {
                    blue += inkAtPixel(image, QPointF(column.x(), y)) == Ink::StandardBlue;
                }
                EXPECT_EQ(blue, 0);
                continue;
            }
            largest = std::max(largest, std::abs(c.drawn[i]));
            EXPECT_STREQ(name(inkAtPixel(image, map.toPixel(x, c.drawn[i]))),
                         name(Ink::StandardBlue));
        }
        EXPECT_GE(map.yRange().high, largest);
        EXPECT_LT(map.yRange().high, 2 * largest);
    }
}

// Wide bands of the worked example's line: confidence +-1.5, prediction +-4.
PlotData withBands() {
    PlotData d = analysis_test::workedExample();
    d.current.reset();
    for (int k = 0; k <= 24; ++k) {
        const double x = 0.5 * k;
        const double y = d.a + d.b * x;
        d.bands.push_back({x, y - 1.5, y + 1.5, y - 4, y + 4});
    }
    return d;
}

// Probes between C = 4.6 and 5.4, clear of the standards: half-way between the line and the
// confidence band's upper bound, and along the prediction band's upper bound.
TEST(PaintCalibration, BandsOnlyWhenAsked) {
    struct Case {
        const char* name;
        bool confidence, prediction, points;
    };
    const Case cases[] = {
        {"none asked", false, false, true},
        {"confidence", true, false, true},
        {"prediction", false, true, true},
        {"both", true, true, true},
        {"both asked, no points", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlotData d = withBands();
        d.showConfidence = c.confidence;
        d.showPrediction = c.prediction;
        if (!c.points) {
            d.bands.clear();
        }
        const Rendered r = renderCalibration(d);
        const double line5 = d.a + d.b * 5;
        const bool tinted = inkAt(r, 5, line5 + 0.75) != Ink::BandTint;
        EXPECT_EQ(tinted, c.confidence && c.points);
        int dots = 0;
        for (double x = 4.6; x <= 5.4; x += 0.02) {
            const QPointF p = r.map.toPixel(x, d.a + d.b * x + 4);
            for (const double dy : {-1.0, 0.0, 1.0}) {
                const QColor colour = r.image.pixelColor(int(p.x()), int(p.y() + dy));
                dots += colour.red() > colour.blue() + 40;
            }
        }
        EXPECT_EQ(dots > 0, c.prediction && c.points) << dots;
        // The y-range takes in the drawn bands: the prediction band's low end at C = 0.
        EXPECT_EQ(r.map.yRange().low < d.a - 4, c.prediction && c.points);
    }
}

bool overlaps(const QRectF& a, const QRectF& b) {
    return a.intersects(b);
}

// Ten samples near the line, named; the current sample labelled too.
PlotData tenNamedSamples() {
    PlotData d = analysis_test::workedExample();
    d.current->label = QStringLiteral("当前样品");
    d.current->shortLabel = QStringLiteral("0");
    for (int i = 0; i < 10; ++i) {
        const double a = 3 + 2.1 * i;
        d.samples.push_back({(a - d.a) / d.b + (i % 2 ? 0.3 : -0.3), a, i == 6,
                             QStringLiteral("样品名称 %1").arg(i + 1), QString::number(i + 1)});
    }
    d.showSampleLabels = true;
    return d;
}

// Two hundred samples along the line, with names too long to fit them all.
PlotData crowded(bool shortLabels) {
    PlotData d = analysis_test::workedExample();
    d.current.reset();
    for (int i = 0; i < 200; ++i) {
        const double a = 2 + 22.0 * ((i * 37) % 200) / 200;
        d.samples.push_back({(a - d.a) / d.b + 0.4 * std::sin(i * 1.3), a, false,
                             QStringLiteral("第%1号样品").arg(i + 1),
                             shortLabels ? QString::number(i + 1) : QString()});
    }
    d.showSampleLabels = true;
    return d;
}

// Where the labels go: clear of one another, of every marker, of the equation box and the legend,
// inside the plot area and beside their own marker; those without room counted.
TEST(SampleLabels, PlacedWithoutOverlap) {
    PlotData corner = tenNamedSamples();
    // Samples under the equation box and beside it, in the upper left corner.
    corner.samples.push_back({0.2, 24, false, QStringLiteral("角落"), QStringLiteral("11")});
    corner.samples.push_back({0.6, 22.5, false, QStringLiteral("角落二"), QStringLiteral("12")});
    // Mirrored: A' = 26.8 - A.
    PlotData falling = tenNamedSamples();
    falling.a = 26.8 - falling.a;
    falling.b = -falling.b;
    for (double& a : falling.absorbances) {
        a = 26.8 - a;
    }
    std::swap(falling.bandLow, falling.bandHigh);
    falling.bandLow = 26.8 - falling.bandLow;
    falling.bandHigh = 26.8 - falling.bandHigh;
    for (analysis::PlotSample& s : falling.samples) {
        s.absorbance = 26.8 - s.absorbance;
    }
    falling.current->absorbance = 26.8 - falling.current->absorbance;
    PlotData unlabelled = tenNamedSamples();
    unlabelled.samples[3].label.clear();
    PlotData notAsked = tenNamedSamples();
    notAsked.showSampleLabels = false;
    struct Case {
        const char* name;
        PlotData data;
        QRectF rect;
        int placed, dropped; // -1: any
        bool shortLabels;
    };
    const Case cases[] = {
        {"ten names with room", tenNamedSamples(), QRectF(0, 0, 900, 600), 11, 0, false},
        // The sample under the box has no room: numbers for all, and its own left out.
        {"a sample under the equation box", corner, QRectF(0, 0, 900, 600), 12, 1, true},
        {"a falling line: the box on the right", falling, QRectF(0, 0, 900, 600), 11, 0, false},
        {"an empty label is no label", unlabelled, QRectF(0, 0, 900, 600), 10, 0, false},
        {"not asked", notAsked, QRectF(0, 0, 900, 600), 0, 0, false},
        {"ten names in a small plot: numbers", tenNamedSamples(), QRectF(0, 0, 300, 220), -1, -1,
         true},
        {"crowded, no short labels", crowded(false), QRectF(0, 0, 560, 360), -1, -1, false},
        {"crowded, numbers", crowded(true), QRectF(0, 0, 560, 360), -1, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(c.rect.size().toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const analysis::SampleLabels labels = analysis::sampleLabels(painter, c.rect, c.data);
        const PlotMapping map = analysis::calibrationMapping(painter, c.rect, c.data);
        analysis::paintCalibration(painter, c.rect, c.data);
        if (c.placed >= 0) {
            EXPECT_EQ(int(labels.placed.size()), c.placed);
            EXPECT_EQ(labels.dropped, c.dropped);
        } else {
            EXPECT_GT(labels.dropped, 0);
            EXPECT_GT(labels.placed.size(), 0u);
            EXPECT_EQ(int(labels.placed.size()) + labels.dropped,
                      int(c.data.samples.size()) + (c.data.current ? 1 : 0));
        }
        EXPECT_EQ(labels.shortLabels, c.shortLabels);
        EXPECT_FALSE(labels.equationBox.isEmpty());
        EXPECT_FALSE(labels.legend.empty());

        // The markers' centres with the markers' half size, 5 points at most, at 96 dpi.
        std::vector<std::pair<int, QPointF>> markers;
        for (std::size_t i = 0; i < c.data.samples.size(); ++i) {
            const analysis::PlotSample& s = c.data.samples[i];
            markers.push_back({int(i), map.toPixel(s.concentration, s.absorbance)});
        }
        if (c.data.current) {
            markers.push_back(
                {-1, map.toPixel(c.data.current->concentration, c.data.current->absorbance)});
        }
        for (std::size_t i = 0; i < c.data.concentrations.size(); ++i) {
            markers.push_back({-2, map.toPixel(c.data.concentrations[i], c.data.absorbances[i])});
        }
        for (std::size_t i = 0; i < labels.placed.size(); ++i) {
            const analysis::PlacedLabel& label = labels.placed[i];
            SCOPED_TRACE(label.text.toStdString());
            const analysis::PlotSample& sample =
                label.sample < 0 ? *c.data.current : c.data.samples[std::size_t(label.sample)];
            EXPECT_EQ(label.text, c.shortLabels ? sample.shortLabel : sample.label);
            ASSERT_TRUE(map.pixels().contains(label.rect));
            EXPECT_FALSE(overlaps(label.rect, labels.equationBox));
            for (const QRectF& item : labels.legend) {
                EXPECT_FALSE(overlaps(label.rect, item));
            }
            for (std::size_t j = 0; j < i; ++j) {
                ASSERT_FALSE(overlaps(label.rect, labels.placed[j].rect))
                    << labels.placed[j].text.toStdString();
            }
            for (const auto& [owner, at] : markers) {
                const double half = 3.2 * 96 / 72;
                if (owner != label.sample) {
                    ASSERT_FALSE(overlaps(label.rect,
                                          QRectF(at.x() - half, at.y() - half, 2 * half, 2 * half)))
                        << owner;
                    continue;
                }
                // Beside its own diamond, which leaves its corners free: clear of it, within a
                // line of text.
                const double dx =
                    std::max({label.rect.left() - at.x(), 0.0, at.x() - label.rect.right()});
                const double dy =
                    std::max({label.rect.top() - at.y(), 0.0, at.y() - label.rect.bottom()});
                EXPECT_GE(dx + dy, half);
                EXPECT_LT(std::max(dx, dy), 20);
            }
        }
        // Drawn: dark text in every box.
        if (!labels.placed.empty()) {
            const QRect box = labels.placed.front().rect.toAlignedRect();
            int dark = 0;
            for (int y = box.top(); y <= box.bottom(); ++y) {
                for (int x = box.left(); x <= box.right(); ++x) {
                    dark += qGray(image.pixel(x, y)) < 100;
                }
            }
            EXPECT_GT(dark, 0);
        }
    }
}

} // namespace
