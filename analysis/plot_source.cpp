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
    // The residual plot shows what the fit minimised: sqrt(w)*(A - fit) for a weighted model.
    const bool weighted = fit.weighting != calc::Weighting::None;
    for (std::size_t i = 0; i < curve.standards.size(); ++i) {
        const std::optional<double>& residual = curve.standards[i].residual;
        const double weight = fit.standards[i].weight;
        data.residuals.push_back(!residual                ? std::nan("")
                                 : weighted && weight > 0 ? *residual * std::sqrt(weight)
                                                          : *residual);
    }
    data.residualTitle =
        weighted ? QCoreApplication::translate("Plot", "加权残差 √w·(A − Â)") : QString();
    if (curve.t.value && fit.dof > 0) {
        const double t = *curve.t.value;
        const double s2 = double(fit.varianceYX);
        constexpr int kSteps = 100;
        for (int step = 0; step <= kSteps; ++step) {
            const double x = fit.xMin + (fit.xMax - fit.xMin) * step / kSteps;
            const std::optional<long double> variance = calc::fittedVariance(fit, x);
            if (!variance) {
                break;
            }
            const double y = double(calc::predictY(fit, x));
            const double confidence = t * std::sqrt(double(*variance));
            const double prediction = t * std::sqrt(double(*variance) + s2);
            data.bands.push_back(
                {x, y - confidence, y + confidence, y - prediction, y + prediction});
        }
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
    // The samples where they were read from the curve: the concentration before dilution at the
    // mean reading less the blank taken off it (on the corrected curve). When labels are asked for,
    // each is named, or numbered as the results number it (the window's list may hold 100 000 rows:
    // no texts for them unasked).
    for (std::size_t i = 0; i < samples.size() && i < document.samples.size(); ++i) {
        const calibration::SampleResult& result = samples[i];
        if (!result.x0.value || !result.meanA) {
            continue;
        }
        const calibration::SampleFlags& f = result.flags;
        PlotSample sample{*result.x0.value / result.values.dilution,
                          *result.meanA - result.subtracted.value_or(0.0),
                          f.outOfRange || f.belowLod || f.belowLoq};
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
    if (options.currentSample && !curve.noReading) {
        const double y =
            *options.currentSample - (curve.zeroA ? options.blankA.value_or(0.0) : 0.0);
        const calc::InversePrediction at = calc::inversePredict(fit, y, 1);
        if (at.x0) {
            const bool outside = at.outsideSpan || y < fit.yMin || y > fit.yMax;
            data.current = PlotSample{*at.x0, y, outside, {}};
        }
    }
    return data;
}

} // namespace analysis
