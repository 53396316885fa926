#include "calibration/results.h"

#include "calc/distributions.h"
#include "calc/number_format.h"
#include "calc/validation.h"
#include "calibration/memory.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>
#include <variant>

namespace calibration {
namespace {

std::optional<double> finite(long double value) {
    const auto rounded = static_cast<double>(value);
    return std::isfinite(rounded) ? std::optional<double>(rounded) : std::nullopt;
}

// l * r as the product of doubles the validation has always taken, or in extended precision where
// that product is not a normal double: an s(y/x) of 1e200 squared is 1e400.
long double product(long double l, long double r) {
    const auto narrowL = static_cast<double>(l);
    const auto narrowR = static_cast<double>(r);
    const double narrow = narrowL * narrowR;
    if (narrowL == l && narrowR == r && std::isfinite(narrow) &&
        (std::fabs(narrow) >= DBL_MIN || narrowL == 0 || narrowR == 0)) {
        return narrow;
    }
    return l * r;
}

// The value as the double it rounds to, or as it is where that double is not normal.
long double narrowed(long double value) {
    const auto narrow = static_cast<double>(value);
    return std::isfinite(narrow) && (std::fabs(narrow) >= DBL_MIN || value == 0) ? narrow : value;
}

} // namespace

const char* modelName(calc::Model model) {
    switch (model) {
    case calc::Model::Line:
        return QT_TRANSLATE_NOOP("calibration", "直线");
    case calc::Model::Origin:
        return QT_TRANSLATE_NOOP("calibration", "过原点");
    case calc::Model::Quadratic:
        return QT_TRANSLATE_NOOP("calibration", "二次");
    }
    return "";
}

const char* weightingName(calc::Weighting weighting) {
    switch (weighting) {
    case calc::Weighting::None:
        return QT_TRANSLATE_NOOP("calibration", "无");
    case calc::Weighting::InverseX:
        return "1/x";
    case calc::Weighting::InverseX2:
        return "1/x²";
    case calc::Weighting::InverseY:
        return "1/y";
    case calc::Weighting::InverseY2:
        return "1/y²";
    case calc::Weighting::InverseVariance:
        return "1/s²";
    }
    return "";
}

namespace {

bool weightsConcentration(calc::Weighting weighting) {
    return weighting == calc::Weighting::InverseX || weighting == calc::Weighting::InverseX2;
}

Message fitProblemMessage(const calc::FitProblem& problem, const Document& document,
                          const CurveResult& curve) {
    const std::vector<StandardResult>& standards = curve.standards;
    const Settings& settings = document.settings;
    const std::string number = std::to_string(problem.standard + 1);
    switch (problem.kind) {
    case calc::FitProblem::Kind::TooFewStandards:
        return Message(QT_TRANSLATE_NOOP("calibration", "%1模型至少需要%2个未排除的标准点"),
                       {translate(modelName(settings.model)),
                        std::to_string(calc::minimumStandards(settings.model))});
    case calc::FitProblem::Kind::NoSpread:
        switch (settings.model) {
        case calc::Model::Line:
            return Message(QT_TRANSLATE_NOOP("calibration", "浓度全部相同，无法拟合直线"));
        case calc::Model::Origin:
            return Message(QT_TRANSLATE_NOOP("calibration", "浓度全部为0，无法拟合过原点的直线"));
        case calc::Model::Quadratic:
            break;
        }
        return Message(QT_TRANSLATE_NOOP("calibration", "二次模型至少需要3个不同的浓度"));
    case calc::FitProblem::Kind::WeightNotPositive: {
        const StandardResult& standard = standards[problem.standard];
        const std::optional<double> value =
            weightsConcentration(settings.weighting) ? standard.c : standard.a;
        const bool zero = value && *value == 0.0;
        if (weightsConcentration(settings.weighting)) {
            return Message(
                zero ? QT_TRANSLATE_NOOP(
                           "calibration",
                           "权重%1要求浓度不为0：第%2个标准点为0，请排除该点或选择其他权重")
                     : QT_TRANSLATE_NOOP(
                           "calibration",
                           "权重%1要求浓度为正：第%2个标准点为负，请排除该点或选择其他权重"),
                {weightingName(settings.weighting), number});
        }
        if (curve.zeroA && value) {
            // The number the user typed is not what the weighting refused: say what the blank
            // correction made of it.
            const std::string typed = document.standards[problem.standard].a;
            const std::string blank =
                calc::formatNumber(*curve.zeroA + 0.0, calc::NumberStyle::shortestRoundTrip());
            return zero ? Message(QT_TRANSLATE_NOOP("calibration",
                                                    "权重%1要求吸光度不为0：第%2个标准点的吸光度 "
                                                    "%3 经空白校正（减去零浓度标准点的平均吸光度 "
                                                    "%4）后为0，请排除该点、关闭空白校正或选择其"
                                                    "他权重"),
                                  {weightingName(settings.weighting), number, typed, blank})
                        : Message(QT_TRANSLATE_NOOP("calibration",
                                                    "权重%1要求吸光度为正：第%2个标准点的吸光度 "
                                                    "%3 经空白校正（减去零浓度标准点的平均吸光度 "
                                                    "%4）后为负（%5），请排除该点、关闭空白校正或"
                                                    "选择其他权重"),
                                  {weightingName(settings.weighting), number, typed, blank,
                                   calc::formatNumber(*value + 0.0,
                                                      calc::NumberStyle::shortestRoundTrip())});
        }
        return Message(
            zero ? QT_TRANSLATE_NOOP(
                       "calibration",
                       "权重%1要求吸光度不为0：第%2个标准点为0，请排除该点或选择其他权重")
                 : QT_TRANSLATE_NOOP(
                       "calibration",
                       "权重%1要求吸光度为正：第%2个标准点为负，请排除该点或选择其他权重"),
            {weightingName(settings.weighting), number});
    }
    case calc::FitProblem::Kind::NoReplicate:
        return Message(
            QT_TRANSLATE_NOOP("calibration",
                              "权重1/s²要求每个浓度至少有2个标准点：第%1个标准点的浓度只有它一个，"
                              "请排除该点或选择其他权重"),
            {number});
    case calc::FitProblem::Kind::NoSpreadAtLevel:
        return Message(QT_TRANSLATE_NOOP("calibration",
                                         "权重1/s²无法使用：第%1个标准点所在浓度的吸光度全部相同"),
                       {number});
    case calc::FitProblem::Kind::OutOfRange:
        break;
    }
    return outOfRange();
}

// Student's t for the two-sided interval at `level` percent.
Figure quantile(int level, int dof, const Message& whyNot) {
    if (dof < 1) {
        return Figure::missing(whyNot);
    }
    return Figure::of(calc::studentQuantile(1.0 - (1.0 - level / 100.0) / 2.0, dof), whyNot);
}

Figure times(const Figure& t, const Figure& s) {
    if (!t.value) {
        return t;
    }
    if (!s.value) {
        return s;
    }
    return Figure::of(finite(static_cast<long double>(*t.value) * *s.value), outOfRange());
}

void checkStandards(CurveResult& curve) {
    const calc::ModelFit& fit = *curve.fit;
    for (std::size_t i = 0; i < curve.standards.size(); ++i) {
        StandardResult& standard = curve.standards[i];
        const calc::ModelFit::Standard& fitted = fit.standards[i];
        standard.fit = fitted.fit;
        standard.residual = fitted.residual;
        const bool weighted = fit.weighting != calc::Weighting::None;
        standard.weightedResidual = fitted.residual && weighted && fitted.weight > 0
                                        ? *fitted.residual * std::sqrt(fitted.weight)
                                        : fitted.residual;
        if (standard.fit && standard.residual && *standard.fit != 0.0) {
            standard.deviationPct =
                finite(100.0L * *standard.residual / static_cast<long double>(*standard.fit));
        }
        if (!curve.noReading && standard.a) {
            const calc::InversePrediction back = calc::inversePredict(fit, *standard.a, 1);
            standard.cBack = back.x0;
            // A concentration read back beyond the doubles still has its recovery: 2e308 from
            // a standard of 1.2e308 is 166.67 %.
            const std::optional<long double> cBack =
                back.x0 ? std::optional<long double>(*back.x0) : back.extendedX0;
            if (cBack && standard.c && *standard.c != 0.0) {
                standard.recoveryPct =
                    finite(100.0L * *cBack / static_cast<long double>(*standard.c));
            }
        }
    }
}

void figures(CurveResult& curve, const Settings& settings) {
    const calc::ModelFit& fit = *curve.fit;
    const Message fewer = needsMoreStandards(fit.model);
    curve.level = settings.level;
    curve.t = quantile(settings.level, fit.dof, fewer);
    curve.t95 = quantile(95, fit.dof, fewer);
    curve.sYX = Figure::of(fit.sYX, fewer);
    const Message noIntercept(QT_TRANSLATE_NOOP("calibration", "过原点模型没有截距"));
    const Message notQuadratic(QT_TRANSLATE_NOOP("calibration", "只有二次模型有二次项"));
    curve.sA =
        fit.model == calc::Model::Origin ? Figure::missing(noIntercept) : Figure::of(fit.sA, fewer);
    curve.sB = Figure::of(fit.sB, fewer);
    curve.sC = fit.model != calc::Model::Quadratic ? Figure::missing(notQuadratic)
                                                   : Figure::of(fit.sC, fewer);
    const Message equalA(QT_TRANSLATE_NOOP("calibration", "吸光度全部相同"));
    curve.r = Figure::of(fit.r, equalA);
    curve.r2 = Figure::of(fit.r2, equalA);
    Message noLimit = fewer;
    if (curve.noReading) {
        noLimit = *curve.noReading;
    } else if (fit.model == calc::Model::Quadratic || fit.weighting != calc::Weighting::None) {
        noLimit = Message(QT_TRANSLATE_NOOP("calibration",
                                            "LOD和LOQ只用于不加权的直线模型；请用验证中空白或"
                                            "检出限样的检出限"));
    }
    curve.lod = Figure::of(fit.lod, noLimit);
    curve.loq = Figure::of(fit.loq, noLimit);
    curve.ciA = times(curve.t, curve.sA);
    curve.ciB = times(curve.t, curve.sB);
    curve.ciC = times(curve.t, curve.sC);
    curve.ci95A = times(curve.t95, curve.sA);
    curve.ci95B = times(curve.t95, curve.sB);
    curve.ci95C = times(curve.t95, curve.sC);
}

void bands(CurveResult& curve) {
    const calc::ModelFit& fit = *curve.fit;
    if (!curve.t.value || fit.dof <= 0) {
        return;
    }
    const double t = *curve.t.value;
    const double s2 = double(fit.varianceYX);
    for (int step = 0; step <= CurveResult::kBandSteps; ++step) {
        const double x = fit.xMin + (fit.xMax - fit.xMin) * step / CurveResult::kBandSteps;
        const std::optional<long double> variance = calc::fittedVariance(fit, x);
        if (!variance) {
            break;
        }
        const double y = double(calc::predictY(fit, x));
        const double confidence = t * std::sqrt(double(*variance));
        const double prediction = t * std::sqrt(double(*variance) + s2);
        curve.bands.push_back(
            {x, y, y - confidence, y + confidence, y - prediction, y + prediction});
    }
}

// The standards that take part in the fit, as the validation's functions take them: the
// document's decimals themselves when none is excluded, else copies of the fitted ones.
struct Fitted {
    std::vector<calc::Decimal> xKept, yKept;
    std::span<const calc::Decimal> x, y;
    std::vector<double> xValues, yValues;
    std::vector<std::size_t> index; // into the document's standards
};

Fitted fittedStandards(const std::vector<calc::Decimal>& x, const std::vector<calc::Decimal>& y,
                       const std::vector<StandardResult>& standards) {
    Fitted fitted;
    const bool all = std::none_of(standards.begin(), standards.end(),
                                  [](const StandardResult& s) { return s.excluded; });
    for (std::size_t i = 0; i < standards.size(); ++i) {
        if (!standards[i].excluded) {
            if (!all) {
                fitted.xKept.push_back(x[i]);
                fitted.yKept.push_back(y[i]);
            }
            fitted.xValues.push_back(x[i].value);
            fitted.yValues.push_back(y[i].value);
            fitted.index.push_back(i);
        }
    }
    fitted.x = all ? std::span<const calc::Decimal>(x) : fitted.xKept;
    fitted.y = all ? std::span<const calc::Decimal>(y) : fitted.yKept;
    return fitted;
}

std::optional<calc::ModelFit> unweighted(const Fitted& fitted, calc::Model model) {
    const calc::ModelOutcome outcome =
        calc::fitModel(fitted.x, fitted.y, {}, model, calc::Weighting::None);
    if (const auto* fit = std::get_if<calc::ModelFit>(&outcome)) {
        return *fit;
    }
    return std::nullopt;
}

// The residual standard deviation of the unweighted second-order curve, which Mandel's test
// needs alone. It does not change when the concentrations are scaled by a power of ten: where a
// coefficient lies beyond the doubles (concentrations of 1e200 give c near 1e-400), the curve is
// fitted again to the concentrations scaled to about 1, exactly in the decimals.
std::optional<double> quadraticSYX(const Fitted& fitted) {
    const calc::ModelOutcome outcome =
        calc::fitModel(fitted.x, fitted.y, {}, calc::Model::Quadratic, calc::Weighting::None);
    if (const auto* fit = std::get_if<calc::ModelFit>(&outcome)) {
        return fit->sYX;
    }
    if (std::get<calc::FitProblem>(outcome).kind != calc::FitProblem::Kind::OutOfRange) {
        return std::nullopt;
    }
    std::int64_t top = 0;
    for (const calc::Decimal& x : fitted.x) {
        if (!x.isZero()) {
            top = std::max(top, x.exponent + static_cast<std::int64_t>(x.digits.size()));
        }
    }
    std::vector<calc::Decimal> scaled(fitted.x.begin(), fitted.x.end());
    for (calc::Decimal& x : scaled) {
        if (!x.isZero()) {
            x.exponent -= top;
            x.value = 0; // not read by the residual
        }
    }
    const calc::ModelOutcome again =
        calc::fitModel(scaled, fitted.y, {}, calc::Model::Quadratic, calc::Weighting::None);
    const auto* fit = std::get_if<calc::ModelFit>(&again);
    return fit ? fit->sYX : std::nullopt;
}

void interceptTest(CurveResult& curve) {
    Validation& v = curve.validation;
    const calc::ModelFit& fit = *curve.fit;
    const Message notLine(QT_TRANSLATE_NOOP("calibration", "只用于直线模型"));
    if (fit.model != calc::Model::Line) {
        v.tIntercept = v.tInterceptCritical = Figure::missing(notLine);
        return;
    }
    const Message fewer = needsMoreStandards(fit.model);
    v.tInterceptCritical = quantile(95, fit.dof, fewer);
    if (!curve.sA.value) {
        v.tIntercept = curve.sA;
    } else if (*curve.sA.value == 0.0) {
        // No scatter: an intercept of 0 is 0, any other is significant.
        v.tIntercept = fit.a == 0.0 ? Figure{0.0, std::nullopt}
                                    : Figure{std::numeric_limits<double>::infinity(), std::nullopt};
    } else {
        v.tIntercept = Figure::of(fit.tIntercept, outOfRange());
    }
}

void validate(CurveResult& curve, const Document& document, const Fitted& fitted) {
    Validation& v = curve.validation;
    const Settings& settings = document.settings;
    const int n = int(fitted.x.size());
    interceptTest(curve);
    const Message needFour(QT_TRANSLATE_NOOP("calibration", "至少需要4个未排除的标准点"));
    const std::optional<calc::ModelFit> line =
        curve.fit->model == calc::Model::Line && curve.fit->weighting == calc::Weighting::None
            ? curve.fit
            : unweighted(fitted, calc::Model::Line);
    if (!line) {
        const Message noLine(QT_TRANSLATE_NOOP("calibration", "无法拟合不加权的直线"));
        v.mandelReason = v.lackOfFitReason = v.diagnosticsReason = v.dinReason = noLine;
        return;
    }
    const long double s2Line = line->sYX ? product(*line->sYX, *line->sYX) : 0.0L;

    // Mandel: the second-order curve's residual variance against the line's.
    v.mandelReason = needFour;
    if (n >= 4) {
        if (const auto sYX = quadraticSYX(fitted)) {
            v.mandel = calc::mandelTest(n, s2Line, product(*sYX, *sYX));
            v.mandelReason = Message(
                QT_TRANSLATE_NOOP("calibration", "二次拟合的剩余方差为0：各点恰好在一条曲线上"));
        } else {
            v.mandelReason = Message(QT_TRANSLATE_NOOP("calibration", "无法拟合二次曲线"));
        }
    }

    // Lack of fit: the levels of equal concentration.
    const std::vector<int> group = calc::distinctRanks(fitted.x);
    const std::size_t levels =
        group.empty() ? 0 : std::size_t(*std::max_element(group.begin(), group.end())) + 1;
    if (levels == fitted.x.size()) {
        v.lackOfFitReason = Message(QT_TRANSLATE_NOOP("calibration", "没有重复测定的浓度"));
    } else if (levels < 3) {
        v.lackOfFitReason = Message(QT_TRANSLATE_NOOP("calibration", "至少需要3个不同的浓度"));
    } else if (line->sYX) {
        v.lackOfFit = calc::lackOfFit(fitted.yValues, group, product(s2Line, n - 2));
        v.lackOfFitReason = Message(QT_TRANSLATE_NOOP(
            "calibration", "各浓度的重复读数全部相同，且直线恰好通过各浓度的均值"));
    }

    // Outliers and influential standards.
    v.diagnosticsReason = needFour;
    if (n >= 4) {
        v.diagnostics = calc::lineDiagnostics(fitted.xValues, fitted.yValues, line->a, line->b);
        if (v.diagnostics) {
            for (std::size_t i = 0; i < fitted.index.size(); ++i) {
                const calc::PointDiagnostic& point = v.diagnostics->points[i];
                StandardResult& standard = curve.standards[fitted.index[i]];
                standard.studentized = point.studentized;
                standard.cooks = point.cooks;
                standard.outlier = point.outlier;
                standard.influential = point.influential;
            }
        } else {
            v.diagnosticsReason = Message(QT_TRANSLATE_NOOP("calibration", "无法计算"));
        }
    }

    // DIN 32645 by the calibration method.
    v.dinReason = needsMoreStandards(calc::Model::Line);
    if (line->sYX) {
        if (*line->sYX == 0.0 || line->b == 0.0) {
            v.dinReason = *line->sYX == 0.0
                              ? Message(QT_TRANSLATE_NOOP("calibration", "剩余标准差为0"))
                              : Message(QT_TRANSLATE_NOOP("calibration", "斜率为0"));
        } else {
            v.din = calc::din32645(n, narrowed(line->meanX), narrowed(line->sxx), *line->sYX,
                                   line->a, line->b, settings.alpha, settings.k, settings.m);
            v.dinReason = outOfRange();
        }
    }
}

} // namespace

Message modelLine(const Document& document) {
    // Marked apart from the call that translates them: lupdate reads no mark inside translate().
    static const char* const comma = QT_TRANSLATE_NOOP("calibration", "，");
    static const char* const unweighted = QT_TRANSLATE_NOOP("calibration", "不加权");
    static const char* const semicolon = QT_TRANSLATE_NOOP("calibration", "；");
    const Settings& settings = document.settings;
    std::string line = translate(modelName(settings.model));
    line += translate(comma);
    line += settings.weighting == calc::Weighting::None
                ? translate(unweighted)
                : render(Message(QT_TRANSLATE_NOOP("calibration", "权重%1"),
                                 {weightingName(settings.weighting)}));
    std::vector<std::string> reasons;
    for (std::size_t i = 0; i < document.standards.size(); ++i) {
        const Standard& standard = document.standards[i];
        if (standard.excluded) {
            reasons.push_back(render(Message(QT_TRANSLATE_NOOP("calibration", "第%1点：%2"),
                                             {std::to_string(i + 1), standard.reason})));
        }
    }
    if (!reasons.empty()) {
        std::string joined;
        for (const std::string& reason : reasons) {
            joined += (joined.empty() ? "" : translate(semicolon)) + reason;
        }
        line += render(Message(QT_TRANSLATE_NOOP("calibration", "，排除%1点（%2）"),
                               {std::to_string(reasons.size()), joined}));
    }
    return Message("%1", {line});
}

namespace {

// The fits of every weighting to the standards, x and y the decimals the curve is fitted to.
std::vector<WeightingComparison> compareWeightings(calc::Model model,
                                                   const std::vector<calc::Decimal>& x,
                                                   const std::vector<calc::Decimal>& y,
                                                   std::span<const bool> excluded) {
    std::vector<WeightingComparison> rows;
    for (const calc::Weighting weighting :
         {calc::Weighting::None, calc::Weighting::InverseX, calc::Weighting::InverseX2,
          calc::Weighting::InverseY, calc::Weighting::InverseY2,
          calc::Weighting::InverseVariance}) {
        const calc::ModelOutcome outcome = calc::fitModel(x, y, excluded, model, weighting);
        const auto* fit = std::get_if<calc::ModelFit>(&outcome);
        if (!fit || (fit->b == 0.0 && fit->c == 0.0)) {
            continue;
        }
        long double sum = 0;
        bool complete = true;
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (excluded[i] || x[i].isZero()) {
                continue;
            }
            const calc::InversePrediction back = calc::inversePredict(*fit, y[i].value, 1);
            const std::optional<long double> cBack =
                back.x0 ? std::optional<long double>(*back.x0) : back.extendedX0;
            if (!cBack) {
                complete = false;
                break;
            }
            sum += std::fabs((*cBack - x[i].value) / x[i].value) * 100;
        }
        if (complete && std::isfinite(static_cast<double>(sum))) {
            rows.push_back({weighting, static_cast<double>(sum), false});
        }
    }
    if (!rows.empty()) {
        std::min_element(rows.begin(), rows.end(), [](const auto& l, const auto& r) {
            return l.sumRelativeErrorPct < r.sumRelativeErrorPct;
        })->best = true;
    }
    return rows;
}

} // namespace

Message noCurve() {
    return Message(QT_TRANSLATE_NOOP("calibration", "尚未计算标准曲线"));
}

Message outOfRange() {
    return Message(QT_TRANSLATE_NOOP("calibration", "数值超出可计算的范围"));
}

Message needsMoreStandards(calc::Model model) {
    return Message(QT_TRANSLATE_NOOP("calibration", "至少需要%1个标准点"),
                   {std::to_string(calc::minimumStandards(model) + 1)});
}

CurveResult evaluateCurve(const Document& document) {
    CurveResult curve;
    curve.level = document.settings.level;
    const std::size_t count = document.standards.size();
    curve.standards.resize(count);
    if (count == 0) {
        curve.problem = noCurve();
        return curve;
    }
    std::vector<calc::Decimal> x(count), y(count);
    std::vector<bool> excludedBits(count);
    curve.typed.assign(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        const Standard& standard = document.standards[i];
        StandardResult& result = curve.standards[i];
        result.excluded = standard.excluded;
        excludedBits[i] = standard.excluded;
        const auto values = standardValues(standard);
        if (const auto* problem = std::get_if<Message>(&values)) {
            if (!curve.problem) {
                curve.problem = located(standardPlace(i), *problem);
                curve.unreadStandard = i;
            }
            continue;
        }
        const auto& numbers = std::get<StandardValues>(values);
        x[i] = numbers.c;
        y[i] = numbers.a;
        curve.typed[i] = true;
        result.c = numbers.c.value;
        result.a = numbers.a.value;
    }
    curve.typedC = x;
    curve.typedA = y;
    if (curve.problem) {
        return curve;
    }
    // std::vector<bool> has no contiguous storage to span.
    const std::unique_ptr<bool[]> excluded(new bool[count]);
    for (std::size_t i = 0; i < count; ++i) {
        excluded[i] = excludedBits[i];
    }
    const std::span<const bool> excludedSpan(excluded.get(), count);
    curve.problem = curveRows(document, x, y, curve);
    if (curve.problem) {
        return curve;
    }
    // The blank correction takes the zero standards' mean absorbance off every standard, so
    // that the curve no longer carries the blank in its intercept. A standard addition's zero
    // row is the sample itself, and a ratio is no absorbance: neither takes it.
    const bool otherCalibration =
        isAddition(document.settings) || usesInternalStandard(document.settings);
    if (document.settings.blankCorrection && otherCalibration) {
        curve.blankCorrectionProblem =
            Message(QT_TRANSLATE_NOOP("calibration", "空白校正不用于标准加入和内标法"));
    } else if (document.settings.blankCorrection) {
        std::vector<calc::Decimal> zeros;
        for (std::size_t i = 0; i < count; ++i) {
            if (!excludedBits[i] && x[i].isZero()) {
                zeros.push_back(y[i]);
            }
        }
        if (zeros.empty()) {
            curve.blankCorrectionProblem =
                Message(QT_TRANSLATE_NOOP("calibration", "空白校正无法使用：没有浓度为0的标准点"));
        } else {
            // Exact in the decimals when their mean is a decimal (one or two zero standards),
            // else from the mean in extended precision.
            const std::optional<calc::Decimal> mean = calc::exactMean(zeros);
            long double sum = 0;
            for (const calc::Decimal& zero : zeros) {
                sum += zero.value;
            }
            const long double approximate = sum / static_cast<long double>(zeros.size());
            curve.zeroA = mean ? mean->value : double(approximate);
            for (std::size_t i = 0; i < count; ++i) {
                y[i] = mean ? calc::difference(y[i], *mean)
                            : calc::exactDecimal(double(y[i].value - approximate));
                curve.standards[i].a = y[i].value;
            }
        }
    }
    const Settings& settings = document.settings;
    // A standard addition is the straight line, whatever model the external calibration uses.
    const calc::Model model = isAddition(settings) ? calc::Model::Line : settings.model;
    // On the values the curve is fitted to (the ratios, the blank taken off), so that the row of
    // the chosen weighting is the curve's own.
    curve.weightings = compareWeightings(model, x, y, excludedSpan);
    const calc::ModelOutcome outcome =
        calc::fitModel(x, y, excludedSpan, model, settings.weighting);
    if (const auto* problem = std::get_if<calc::FitProblem>(&outcome)) {
        curve.problem = fitProblemMessage(*problem, document, curve);
        return curve;
    }
    curve.fit = std::get<calc::ModelFit>(outcome);
    if (curve.fit->b == 0.0 && curve.fit->c == 0.0) {
        curve.noReading =
            Message(QT_TRANSLATE_NOOP("calibration", "斜率为0，无法由吸光度计算浓度"));
    }
    figures(curve, settings);
    bands(curve);
    responseFactorFigures(curve);
    checkStandards(curve);
    validate(curve, document, fittedStandards(x, y, curve.standards));
    return curve;
}

SampleResult readSample(const Sample& sample) {
    SampleResult result;
    result.values = sampleValues(sample);
    result.type = sampleType(sample.type);
    return result;
}

SampleResult evaluateSample(const Sample& sample, const CurveResult& curve) {
    SampleResult result = readSample(sample);
    estimateSample(result, curve);
    return result;
}

void estimateSample(SampleResult& result, const CurveResult& curve, std::optional<double> blankA) {
    // Everything but the row as read is worked out anew (field by field: the row is large, and a
    // list of 100 000 is estimated again at every new curve).
    result.m = 0;
    result.meanA.reset();
    result.subtracted.reset();
    result.x0 = result.sX0 = result.ci = result.ci95 = Figure{};
    result.curveX.reset();
    result.curveY.reset();
    result.flags = SampleFlags{};
    result.batchProblem.reset();
    result.result = Figure{};
    result.resultText.clear();
    result.belowLimit = false;
    result.meanResult.reset();
    result.meanResultText.clear();
    result.checks.clear();
    result.uncertainty.reset();
    const auto missing = [&result](const Message& why) {
        result.x0 = result.sX0 = result.ci = result.ci95 = Figure::missing(why);
    };
    if (!result.values.ok()) {
        missing(*result.values.problem());
        return;
    }
    const std::vector<double>& readings = result.values.readings;
    const double dilution = result.values.dilution;
    result.m = static_cast<int>(readings.size());
    long double mean = calc::meanOf(readings);
    result.meanA = finite(mean);
    if (blankA) {
        result.subtracted = blankA;
        mean -= *blankA;
    }
    if (!curve.fit) {
        missing(curve.problem ? *curve.problem : noCurve());
        return;
    }
    if (curve.noReading) {
        missing(*curve.noReading);
        return;
    }
    const calc::ModelFit& fit = *curve.fit;
    const calc::InversePrediction prediction = calc::inversePredict(fit, mean, result.m);
    // The reason is worked out only for a figure that is missing: most rows have none.
    const auto why = [&]() -> Message {
        switch (prediction.problem) {
        case calc::InversePrediction::Problem::None:
        case calc::InversePrediction::Problem::NoDof:
            break;
        case calc::InversePrediction::Problem::ZeroSlope:
            return Message(QT_TRANSLATE_NOOP("calibration", "斜率为0，无法由吸光度计算浓度"));
        case calc::InversePrediction::Problem::NoRealRoot:
            return Message(QT_TRANSLATE_NOOP("calibration", "无实数解"));
        case calc::InversePrediction::Problem::FlatAtRoot:
            return Message(QT_TRANSLATE_NOOP("calibration", "曲线在此处斜率为0"));
        case calc::InversePrediction::Problem::NoWeight:
            return Message(
                QT_TRANSLATE_NOOP("calibration", "此处无法取权重（浓度或吸光度不为正）"));
        case calc::InversePrediction::Problem::OutOfRange:
            return outOfRange();
        }
        return needsMoreStandards(fit.model);
    };
    // Times the dilution from the double where there is one, else from the extended value that
    // lies beyond the doubles (x0 = 2e308 diluted 0.01 is 2e306).
    const auto scaled = [dilution](std::optional<double> value,
                                   std::optional<long double> extended) {
        if (value) {
            return finite(static_cast<long double>(*value) * dilution);
        }
        return extended ? finite(*extended * dilution) : std::nullopt;
    };
    const std::optional<double> x0 = scaled(prediction.x0, prediction.extendedX0);
    const std::optional<double> sX0 = scaled(prediction.sX0, prediction.extendedSX0);
    result.x0 = x0 ? Figure{x0, std::nullopt}
                   : Figure::missing(prediction.extendedX0 ? outOfRange() : why());
    result.sX0 = sX0 ? Figure{sX0, std::nullopt}
                     : Figure::missing(prediction.extendedSX0 ? outOfRange() : why());
    result.ci = times(curve.t, result.sX0);
    result.ci95 = times(curve.t95, result.sX0);
    if (x0 && result.meanA) {
        result.curveX = *x0 / dilution;
        result.curveY = *result.meanA - result.subtracted.value_or(0.0);
    }
    if (result.meanA) {
        const double measured = double(mean);
        result.flags.outOfRange =
            prediction.outsideSpan || measured < fit.yMin || measured > fit.yMax;
    }
}

std::optional<PointReading> readCurve(const CurveResult& curve, double absorbance,
                                      std::optional<double> blankA) {
    if (!curve.fit || curve.noReading) {
        return std::nullopt;
    }
    const calc::ModelFit& fit = *curve.fit;
    const double y = absorbance - (curve.zeroA ? blankA.value_or(0.0) : 0.0);
    const calc::InversePrediction at = calc::inversePredict(fit, y, 1);
    if (!at.x0) {
        return std::nullopt;
    }
    return PointReading{*at.x0, y, at.outsideSpan || y < fit.yMin || y > fit.yMax};
}

Results evaluate(const Document& document) {
    Results results;
    results.curve = evaluateCurve(document);
    results.samples.reserve(document.samples.size());
    preferHugePages(results.samples.data(), results.samples.capacity() * sizeof(SampleResult));
    for (const Sample& sample : document.samples) {
        results.samples.push_back(readSample(sample));
    }
    results.batch = evaluateBatch(document, results.curve, results.samples);
    results.addition = evaluateAddition(document, results.curve, results.batch);
    return results;
}

} // namespace calibration
