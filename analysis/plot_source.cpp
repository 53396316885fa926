#include "analysis/plot_source.h"

#include "analysis/readable.h"
#include "calc/number_format.h"
#include "calc/rounding.h"
#include "io/document_text.h"

#include <QCoreApplication>
#include <cmath>

namespace analysis {

QString coefficientText(double value, Digits digits) {
    return QString::fromStdString(
        calc::formatNumber(value, digits == Digits::Full ? calc::NumberStyle::readableShortest()
                                                         : calc::NumberStyle::coefficient()));
}

QString equationText(const calc::ModelFit& fit, Digits digits) {
    QString text = QStringLiteral("A = ");
    bool first = true;
    const auto add = [&](double value, const QString& power) {
        const bool negative = value < 0;
        if (first) {
            text += negative ? QStringLiteral("−") : QString();
            first = false;
        } else {
            text += negative ? QStringLiteral(" − ") : QStringLiteral(" + ");
        }
        text += coefficientText(std::fabs(value), digits) + power;
    };
    if (fit.model != calc::Model::Origin) {
        add(fit.a, QString());
    }
    add(fit.b, QStringLiteral("·C"));
    if (fit.model == calc::Model::Quadratic) {
        add(fit.c, QStringLiteral("·C²"));
    }
    return text;
}

PlotData plotData(const calibration::Document& document, const calibration::Results& results,
                  const PlotOptions& options) {
    PlotData data = plotData(document, results.curve, results.samples, options);
    const calibration::AdditionResult& addition = results.addition;
    if (addition.addition && results.curve.fit && results.curve.fit->b != 0) {
        const calc::Addition& a = *addition.addition;
        const double meets = -results.curve.fit->a / results.curve.fit->b;
        data.interceptX = meets;
        // The interval of x_E on the line's own axis (the volume form's is of C_A = x_E / V0).
        const std::optional<double>& half = document.settings.level == 99 ? a.ci99 : a.ci95;
        if (half && a.xE != 0) {
            data.interceptHalfWidth = std::fabs(*half * (meets / a.xE));
        }
    }
    return data;
}

PlotData plotData(const calibration::Document& document, const calibration::CurveResult& curve,
                  const std::vector<calibration::SampleResult>& samples,
                  const PlotOptions& options) {
    PlotData data;
    data.xTitle = concentrationTitle(io::fromDocument(document.unit));
    // With the internal standard the curve is drawn on the response ratios; with the blank
    // correction the standards are fitted, and the samples read, at absorbances with the blank
    // taken off: the axis says so.
    data.yTitle = curve.internalStandard ? QCoreApplication::translate("Plot", "响应比 A/A内标")
                  : curve.zeroA          ? QCoreApplication::translate("Plot", "校正吸光度")
                                         : QCoreApplication::translate("Plot", "吸光度 A");
    if (!curve.hasCurve()) {
        return data;
    }
    const calc::ModelFit& fit = *curve.fit;
    for (const calibration::StandardResult& standard : curve.standards) {
        data.concentrations.push_back(standard.c.value_or(0.0));
        data.absorbances.push_back(standard.a.value_or(0.0));
        data.excluded.push_back(standard.excluded);
    }
    data.a = fit.a;
    data.b = fit.b;
    data.c = fit.c;
    // The residual plot shows what the fit minimised.
    for (const calibration::StandardResult& standard : curve.standards) {
        data.residuals.push_back(standard.weightedResidual.value_or(std::nan("")));
    }
    data.residualTitle = fit.weighting != calc::Weighting::None
                             ? QCoreApplication::translate("Plot", "加权残差 √w·(A − Â)")
                             : QString();
    for (const calibration::BandPoint& band : curve.bands) {
        data.bands.push_back({band.x, band.confidenceLow, band.confidenceHigh, band.predictionLow,
                              band.predictionHigh});
    }
    data.showConfidence = options.showConfidence;
    data.showPrediction = options.showPrediction;
    data.bandLow = fit.yMin;
    data.bandHigh = fit.yMax;
    data.equation = equationText(fit, Digits::Four);
    // Chinese practice reports r beside R².
    if (curve.r2.value) {
        data.r2Text = QStringLiteral("R² = ") + readable(*curve.r2.value);
        if (curve.r.value) {
            data.r2Text += QStringLiteral("  r = ") + readable(*curve.r.value);
        }
    }
    // The samples where they were read from the curve (the results place them). When labels are
    // asked for,
    // each is named, or numbered as the results number it (the window's list may hold 100 000 rows:
    // no texts for them unasked).
    for (std::size_t i = 0; i < samples.size() && i < document.samples.size(); ++i) {
        const calibration::SampleResult& result = samples[i];
        if (!result.curveX || !result.curveY) {
            continue;
        }
        const calibration::SampleFlags& f = result.flags;
        PlotSample sample{*result.curveX, *result.curveY, f.outOfRange || f.belowLod || f.belowLoq};
        if (options.sampleLabels) {
            sample.shortLabel = QString::number(i + 1);
            sample.label = io::fromDocument(document.samples[i].name).simplified();
            if (sample.label.isEmpty()) {
                sample.label = sample.shortLabel;
            }
        }
        data.samples.push_back(std::move(sample));
    }
    data.showSampleLabels = options.sampleLabels;
    if (options.current) {
        data.current =
            PlotSample{options.current->x0, options.current->y, options.current->outside, {}};
    }
    return data;
}

} // namespace analysis
