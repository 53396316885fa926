#include "analysis/statistic_texts.h"

#include "analysis/readable.h"
#include "io/document_text.h"

#include <QCoreApplication>

namespace analysis {

namespace {

using calibration::CurveResult;
using calibration::Figure;

struct Row {
    const char* label; // translated in the statistics model's context
    Figure (*value)(const CurveResult&);
    const Figure CurveResult::*halfWidth; // nullptr: no half-width
    Quantity quantity;
};

template <const Figure CurveResult::*member> Figure figureOf(const CurveResult& curve) {
    return curve.*member;
}

template <double calc::ModelFit::*member> Figure coefficientOf(const CurveResult& curve) {
    return Figure{(*curve.fit).*member, std::nullopt};
}

QString figureText(const Figure& figure) {
    return readable(figure.value);
}

QString reasonText(const Figure& figure) {
    return figure.reason ? io::fromDocument(calibration::render(*figure.reason)) : QString();
}

} // namespace

std::vector<StatisticText> statisticTexts(const CurveResult& curve, const QString& unit) {
    const bool quadratic = curve.fit && curve.fit->model == calc::Model::Quadratic;
    const bool origin = curve.fit && curve.fit->model == calc::Model::Origin;
    std::vector<Row> rows;
    if (!origin) {
        rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "截距 a"),
                        coefficientOf<&calc::ModelFit::a>, &CurveResult::ciA,
                        Quantity::Absorbance});
    }
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "斜率 b"),
                    coefficientOf<&calc::ModelFit::b>, &CurveResult::ciB, Quantity::Slope});
    if (quadratic) {
        rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "二次项 c"),
                        coefficientOf<&calc::ModelFit::c>, &CurveResult::ciC, Quantity::Curvature});
    }
    if (!origin) {
        rows.push_back({"s(a)", figureOf<&CurveResult::sA>, nullptr, Quantity::Absorbance});
    }
    rows.push_back({"s(b)", figureOf<&CurveResult::sB>, nullptr, Quantity::Slope});
    if (quadratic) {
        rows.push_back({"s(c)", figureOf<&CurveResult::sC>, nullptr, Quantity::Curvature});
    }
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "相关系数 r"),
                    figureOf<&CurveResult::r>, nullptr, Quantity::None});
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "决定系数 R²"),
                    figureOf<&CurveResult::r2>, nullptr, Quantity::None});
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "剩余标准差 s(y/x)"),
                    figureOf<&CurveResult::sYX>, nullptr, Quantity::Absorbance});
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "检出限 LOD"),
                    figureOf<&CurveResult::lod>, nullptr, Quantity::Concentration});
    rows.push_back({QT_TRANSLATE_NOOP("analysis::StatisticsModel", "定量限 LOQ"),
                    figureOf<&CurveResult::loq>, nullptr, Quantity::Concentration});

    std::vector<StatisticText> texts;
    texts.push_back(
        {QStringLiteral("n"), curve.fit ? QString::number(curve.fit->n) : QString(), {}, {}, {}});
    for (const Row& row : rows) {
        StatisticText text{QCoreApplication::translate("analysis::StatisticsModel", row.label),
                           {},
                           {},
                           {},
                           {},
                           row.quantity};
        if (curve.fit) {
            const Figure value = row.value(curve);
            text.value = figureText(value);
            if (value.value && row.quantity == Quantity::Concentration &&
                !unit.trimmed().isEmpty()) {
                text.value += QLatin1Char(' ') + unit;
            }
            text.valueTooltip = reasonText(value);
            if (row.halfWidth) {
                const Figure& half = curve.*row.halfWidth;
                text.halfWidth = figureText(half);
                text.halfWidthTooltip = reasonText(half);
            }
        }
        texts.push_back(text);
    }
    return texts;
}

void appendModeTexts(const calibration::Results& results, const QString& unit,
                     std::vector<StatisticText>& texts) {
    const calibration::AdditionResult& a = results.addition;
    const auto reason = [](const std::optional<calibration::Message>& message) {
        return message ? io::fromDocument(calibration::render(*message)) : QString();
    };
    if (a.xE || a.problem) {
        StatisticText xE{QStringLiteral("x_E"),  readable(a.xE), {}, readable(a.ci), {},
                         Quantity::Concentration};
        if (a.xE && !unit.trimmed().isEmpty()) {
            xE.value += QLatin1Char(' ') + unit;
        }
        xE.valueTooltip = a.problem    ? reason(a.problem)
                          : a.addition ? QString::fromUtf8(a.addition->formula)
                                       : QString();
        xE.halfWidthTooltip = reason(a.reason);
        texts.push_back(xE);
        texts.push_back({QStringLiteral("s(x_E)"),
                         readable(a.sXE),
                         reason(a.problem ? a.problem : a.reason),
                         {},
                         {},
                         Quantity::Concentration});
    }
    if (results.curve.responseFactor) {
        texts.push_back({QCoreApplication::translate("analysis::StatisticsModel", "响应因子 F"),
                         readable(results.curve.responseFactor),
                         {},
                         {},
                         {},
                         Quantity::None});
    }
}

} // namespace analysis
