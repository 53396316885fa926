#include "calibration/calibration_modes.h"

#include "calc/internal_standard.h"
#include "calc/number_format.h"
#include "calc/number_text.h"
#include "calc/rounding.h"
#include "calibration/entries.h"
#include "calibration/results.h"
#include "calibration/text.h"

#include <cmath>
#include <memory>

namespace calibration {
namespace {

std::optional<double> finite(long double value) {
    const auto rounded = static_cast<double>(value);
    return std::isfinite(rounded) ? std::optional<double>(rounded) : std::nullopt;
}

Message notPositive(Field field) {
    return field == Field::InternalStandard
               ? Message(QT_TRANSLATE_NOOP("calibration", "内标响应应为正数"))
               : Message(QT_TRANSLATE_NOOP("calibration", "内标浓度应为正数"));
}

// A positive decimal of the text, or why not.
std::variant<calc::Decimal, Message> positive(std::string_view text, Field field) {
    if (auto problem = numberProblem(text, field)) {
        return *problem;
    }
    calc::Decimal value = *calc::parseDecimal(text);
    if (value.negative || value.isZero()) {
        return notPositive(field);
    }
    return value;
}

std::optional<Message> volumeFormRows(const Settings& settings, std::vector<calc::Decimal>& x,
                                      std::vector<calc::Decimal>& y, CurveResult& curve) {
    if (text::isBlank(settings.additionV0) || text::isBlank(settings.additionCStd)) {
        return Message(QT_TRANSLATE_NOOP(
            "calibration", "不定容的标准加入需要同时给出样品体积V0和加入标准溶液浓度"));
    }
    if (auto problem = numberProblem(settings.additionV0, Field::SampleVolume)) {
        return problem;
    }
    if (auto problem = numberProblem(settings.additionCStd, Field::StandardConcentration)) {
        return problem;
    }
    const calc::VolumeRows rows = calc::volumeFormRows(
        x, y, *calc::parseDecimal(settings.additionV0), *calc::parseDecimal(settings.additionCStd));
    x = rows.x;
    y = rows.y;
    for (std::size_t i = 0; i < x.size(); ++i) {
        curve.standards[i].c = x[i].value;
        curve.standards[i].a = y[i].value;
    }
    return std::nullopt;
}

std::optional<Message> ratioRows(const Document& document, std::vector<calc::Decimal>& x,
                                 std::vector<calc::Decimal>& y, CurveResult& curve) {
    const std::vector<Standard>& standards = document.standards;
    curve.internalStandard = true;
    curve.perConcentration = false;
    for (const Standard& standard : standards) {
        curve.perConcentration = curve.perConcentration || !text::isBlank(standard.cIs);
    }
    std::vector<calc::Decimal> responses;
    responses.reserve(standards.size());
    for (std::size_t i = 0; i < standards.size(); ++i) {
        auto response = positive(standards[i].is, Field::InternalStandard);
        if (const auto* problem = std::get_if<Message>(&response)) {
            return located(standardPlace(i), *problem);
        }
        if (curve.perConcentration) {
            auto cIs = positive(standards[i].cIs, Field::InternalStandardConcentration);
            if (const auto* problem = std::get_if<Message>(&cIs)) {
                return located(standardPlace(i), *problem);
            }
            const auto over =
                calc::quotient(x[i], std::get<calc::Decimal>(cIs), calc::kRatioDigits);
            if (!over) {
                return located(standardPlace(i), outOfRange());
            }
            x[i] = *over;
        }
        const auto ratio = calc::responseRatio(y[i], std::get<calc::Decimal>(response));
        if (!ratio) {
            return located(standardPlace(i), notPositive(Field::InternalStandard));
        }
        y[i] = *ratio;
        responses.push_back(std::get<calc::Decimal>(response));
        StandardResult& result = curve.standards[i];
        result.c = x[i].value;
        result.a = y[i].value;
        result.ratio = y[i].value;
    }
    curve.fittedResponses.clear();
    for (std::size_t i = 0; i < standards.size(); ++i) {
        if (!standards[i].excluded) {
            curve.fittedResponses.push_back(responses[i]);
        }
    }
    curve.meanResponse = calc::meanInternalStandard(curve.fittedResponses, {});
    for (std::size_t i = 0; i < standards.size(); ++i) {
        curve.standards[i].isRecoveryPct = calc::internalStandardRecovery(
            std::span<const calc::Decimal>(&responses[i], 1), curve.fittedResponses, {});
        const Settings& s = document.settings;
        const auto& recovery = curve.standards[i].isRecoveryPct;
        curve.standards[i].isOutside =
            recovery && (*recovery < s.isRecoveryLowPct || *recovery > s.isRecoveryHighPct);
    }
    return std::nullopt;
}

Message additionProblemMessage(const calc::AdditionProblem& problem) {
    switch (problem.kind) {
    case calc::AdditionProblem::Kind::Fit:
        if (problem.fit && problem.fit->kind == calc::FitProblem::Kind::WeightNotPositive) {
            return Message(QT_TRANSLATE_NOOP("calibration",
                                             "标准加入不能用权重1/x或1/x²：未加标点的加入浓度为0"));
        }
        if (problem.fit && problem.fit->kind == calc::FitProblem::Kind::TooFewStandards) {
            return Message(
                QT_TRANSLATE_NOOP("calibration", "标准加入至少需要2个未排除的点（未加标和加标）"));
        }
        if (problem.fit && problem.fit->kind == calc::FitProblem::Kind::NoSpread) {
            return Message(QT_TRANSLATE_NOOP("calibration", "加入量全部相同，无法外推"));
        }
        return Message(QT_TRANSLATE_NOOP("calibration", "无法拟合标准加入的直线"));
    case calc::AdditionProblem::Kind::ZeroSlope:
        return Message(QT_TRANSLATE_NOOP("calibration", "斜率为0，直线与浓度轴不相交"));
    case calc::AdditionProblem::Kind::NegativeAddition:
        return located(standardPlace(problem.row),
                       Message(QT_TRANSLATE_NOOP("calibration", "加入量不能为负")));
    case calc::AdditionProblem::Kind::SampleVolumeNotPositive:
        return Message(QT_TRANSLATE_NOOP("calibration", "样品体积V0应为正数"));
    case calc::AdditionProblem::Kind::StandardNotPositive:
        return Message(QT_TRANSLATE_NOOP("calibration", "加入标准溶液浓度应为正数"));
    case calc::AdditionProblem::Kind::OutOfRange:
        break;
    }
    return outOfRange();
}

} // namespace

bool isAddition(const Settings& settings) {
    return settings.calibration == CalibrationType::Addition;
}

bool isVolumeForm(const Settings& settings) {
    return isAddition(settings) &&
           (!text::isBlank(settings.additionV0) || !text::isBlank(settings.additionCStd));
}

bool usesInternalStandard(const Settings& settings) {
    return settings.internalStandard && !isAddition(settings);
}

std::optional<Message> curveRows(const Document& document, std::vector<calc::Decimal>& x,
                                 std::vector<calc::Decimal>& y, CurveResult& curve) {
    const Settings& settings = document.settings;
    if (isVolumeForm(settings)) {
        return volumeFormRows(settings, x, y, curve);
    }
    if (usesInternalStandard(settings)) {
        return ratioRows(document, x, y, curve);
    }
    return std::nullopt;
}

AdditionResult evaluateAddition(const Document& document, const CurveResult& curve,
                                const BatchResult& batch) {
    AdditionResult out;
    const Settings& settings = document.settings;
    out.volumeForm = isVolumeForm(settings);
    out.resultUnit = batch.resultUnit;
    if (!isAddition(settings)) {
        return out;
    }
    if (curve.problem) {
        out.problem = curve.problem;
        return out;
    }
    // Every standard is a number: the curve exists.
    const std::vector<calc::Decimal>& x = curve.typedC;
    const std::vector<calc::Decimal>& y = curve.typedA;
    const std::unique_ptr<bool[]> excluded(new bool[x.size() + 1]);
    for (std::size_t i = 0; i < x.size(); ++i) {
        excluded[i] = document.standards[i].excluded;
    }
    const std::span<const bool> mask(excluded.get(), x.size());
    const calc::AdditionOutcome outcome =
        out.volumeForm
            ? calc::volumeStandardAddition(x, y, mask, *calc::parseDecimal(settings.additionV0),
                                           *calc::parseDecimal(settings.additionCStd),
                                           settings.weighting)
            : calc::standardAddition(x, y, mask, settings.weighting);
    if (const auto* problem = std::get_if<calc::AdditionProblem>(&outcome)) {
        out.problem = additionProblemMessage(*problem);
        return out;
    }
    out.addition = std::get<calc::Addition>(outcome);
    const calc::Addition& a = *out.addition;
    if (!text::isBlank(settings.additionDilution)) {
        if (auto problem = scaleProblem(settings.additionDilution, Field::Dilution)) {
            out.problem = problem;
            out.addition.reset();
            return out;
        }
        out.dilution = *calc::strictParse(settings.additionDilution);
    }
    const auto diluted = [&](std::optional<double> value) -> std::optional<double> {
        return value ? finite(static_cast<long double>(*value) * out.dilution) : std::nullopt;
    };
    out.xE = diluted(a.xE);
    out.sXE = diluted(a.sXE);
    out.ci95 = diluted(a.ci95);
    out.ci = diluted(settings.level == 99 ? a.ci99 : a.ci95);
    if (a.singlePoint) {
        out.reason = Message(QT_TRANSLATE_NOOP(
            "calibration",
            "单点标准加入（未加标和一次加标）：没有剩余自由度，无法计算s(x_E)和置信区间"));
    }
    if (!out.xE) {
        out.problem = outOfRange();
        return out;
    }
    if (batch.reportingProblem) {
        out.reason = batch.reportingProblem;
        return out;
    }
    out.result = finite(static_cast<long double>(*out.xE) * batch.resultFactor);
    if (out.result) {
        out.resultText = roundedResult(*out.result, settings);
    } else {
        out.reason = outOfRange();
    }
    return out;
}

Message additionRefusesSamples() {
    return Message(QT_TRANSLATE_NOOP(
        "calibration", "标准加入模式不用样品行：结果由标准点外推得到，样品本身就是标准点"));
}

void refuseSampleRow(const Document& document, SampleResult& sample) {
    if (isAddition(document.settings) && sample.type == SampleType::Sample) {
        const Message why = additionRefusesSamples();
        sample.x0 = sample.sX0 = sample.ci = sample.ci95 = Figure::missing(why);
        sample.curveX.reset();
        sample.curveY.reset();
        sample.batchProblem = why;
    }
}

void prepareInternalStandard(const Sample& sample, SampleResult& result, const CurveResult& curve) {
    result.ratio.reset();
    result.isRecoveryPct.reset();
    result.isOutside = false;
    result.cIs.reset();
    if (!curve.internalStandard) {
        return;
    }
    result.values = sampleValues(sample);
    if (!result.values.ok()) {
        return;
    }
    std::vector<calc::Decimal> readings, responses;
    for (const std::string_view text : readingTexts(sample.readings)) {
        readings.push_back(*calc::parseDecimal(text));
    }
    const auto fail = [&result](const Message& why) { result.values.readingsProblem = why; };
    for (const std::string_view text : readingTexts(sample.is)) {
        if (auto problem = numberProblem(text, Field::InternalStandard)) {
            fail(*problem);
            return;
        }
        responses.push_back(*calc::parseDecimal(text));
    }
    if (responses.empty()) {
        fail(*numberProblem("", Field::InternalStandard));
        return;
    }
    const auto row = calc::rowRatio(readings, responses);
    if (const auto* problem = std::get_if<calc::RatioProblem>(&row)) {
        fail(problem->kind == calc::RatioProblem::Kind::CountMismatch
                 ? Message(QT_TRANSLATE_NOOP("calibration",
                                             "内标响应有%1个，应为1个或与读数相同的%2个"),
                           {std::to_string(responses.size()), std::to_string(readings.size())})
                 : notPositive(Field::InternalStandard));
        return;
    }
    if (curve.perConcentration) {
        auto cIs = positive(sample.cIs, Field::InternalStandardConcentration);
        if (const auto* problem = std::get_if<Message>(&cIs)) {
            fail(*problem);
            return;
        }
        result.cIs = std::get<calc::Decimal>(cIs).value;
    }
    const calc::RowRatio& ratio = std::get<calc::RowRatio>(row);
    result.values.readings.clear();
    for (const calc::Decimal& each : ratio.ratios) {
        result.values.readings.push_back(each.value);
    }
    result.ratio = finite(ratio.mean);
    result.isRecoveryPct = calc::internalStandardRecovery(responses, curve.fittedResponses, {});
}

void finishInternalStandard(SampleResult& result) {
    if (!result.cIs) {
        return;
    }
    const long double cIs = *result.cIs;
    for (Figure* figure : {&result.x0, &result.sX0, &result.ci, &result.ci95}) {
        if (figure->value) {
            *figure = Figure::of(finite(*figure->value * cIs), outOfRange());
        }
    }
}

void judgeInternalStandard(const Settings& settings, SampleResult& sample) {
    if (!sample.isRecoveryPct) {
        return;
    }
    const double recovery = *sample.isRecoveryPct;
    const bool pass =
        recovery >= settings.isRecoveryLowPct && recovery <= settings.isRecoveryHighPct;
    sample.isOutside = !pass;
    const auto text = [](double value) {
        return calc::formatNumber(value + 0.0, calc::NumberStyle::shortestRoundTrip());
    };
    sample.checks.push_back(QualityCheck{
        "is_recovery",
        recovery,
        settings.isRecoveryLowPct,
        settings.isRecoveryHighPct,
        pass,
        Message(
            QT_TRANSLATE_NOOP("calibration", "内标回收率 %1%，要求%2–%3%"),
            {calc::roundSignificant(recovery, 3, calc::Direction::HalfEven, calc::Notation::Result),
             text(settings.isRecoveryLowPct), text(settings.isRecoveryHighPct)}),
        {}});
}

void responseFactorFigures(CurveResult& curve) {
    if (!curve.internalStandard || !curve.fit) {
        return;
    }
    curve.responseFactor = calc::responseFactor(*curve.fit);
    if (!curve.responseFactor) {
        return;
    }
    const Message why(QT_TRANSLATE_NOOP(
        "calibration", "响应因子法（一个标准点，过原点）：没有自由度，不计算离散统计量"));
    curve.r = curve.r2 = Figure::missing(why);
    for (Figure* figure : {&curve.t, &curve.t95, &curve.sYX, &curve.sB, &curve.ciB, &curve.ci95B,
                           &curve.lod, &curve.loq}) {
        if (!figure->value) {
            figure->reason = why;
        }
    }
}

} // namespace calibration
