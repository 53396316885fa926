#include "calibration/budget.h"

#include "calc/rounding.h"
#include "calibration/results.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace calibration {
namespace {

// Significant digits without the trailing zeros that roundSignificant keeps: 0.0100 -> "0.01".
std::string trimmed(std::string text) {
    if (text.find('.') != std::string::npos && text.find_first_of("eE") == std::string::npos) {
        while (text.back() == '0') {
            text.pop_back();
        }
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}
std::string figure(double value) {
    return trimmed(calc::roundSignificant(value, 4));
}
std::string percent(double fraction) {
    return trimmed(calc::roundSignificant(fraction * 100, 3)) + "%";
}

Message problemMessage(const calc::UncertaintyProblem& problem) {
    using Kind = calc::UncertaintyProblem::Kind;
    switch (problem.kind) {
    case Kind::NotPositive:
        return Message(QT_TRANSLATE_NOOP("calibration", "结果不大于0，没有相对不确定度"));
    case Kind::NoCalibrationUncertainty:
        return Message(QT_TRANSLATE_NOOP("calibration", "没有s(x0)，无法评定校准曲线分量"));
    case Kind::InvalidComponent:
        return Message(QT_TRANSLATE_NOOP("calibration", "不确定度分量无效"));
    case Kind::NoDegreesOfFreedom:
        return Message(QT_TRANSLATE_NOOP("calibration", "校准曲线没有自由度"));
    case Kind::TooFewSpikes:
        return Message(QT_TRANSLATE_NOOP("calibration", "至少需要2个加标样的回收率"));
    case Kind::SpikeMeanNotPositive:
        return Message(QT_TRANSLATE_NOOP("calibration", "加标回收率的均值不大于0"));
    case Kind::NoReferenceResults:
        return Message(
            QT_TRANSLATE_NOOP("calibration", "没有已归档的质控样结果，无法评定偏倚分量"));
    case Kind::InvalidReference:
        return Message(QT_TRANSLATE_NOOP("calibration", "第%1个已归档的质控样结果无效"),
                       {std::to_string(problem.index + 1)});
    case Kind::InvalidRw:
        return Message(QT_TRANSLATE_NOOP("calibration", "期间精密度无效"));
    case Kind::OutOfRange:
        break;
    }
    return outOfRange();
}

Message distributionWord(calc::Distribution distribution) {
    switch (distribution) {
    case calc::Distribution::Rectangular:
        return Message(QT_TRANSLATE_NOOP("calibration", "±%1，矩形分布"));
    case calc::Distribution::Triangular:
        return Message(QT_TRANSLATE_NOOP("calibration", "±%1，三角分布"));
    case calc::Distribution::Normal95:
        break;
    }
    return Message(QT_TRANSLATE_NOOP("calibration", "±%1，正态分布（95%）"));
}

// The bottom-up components of one result, with their inputs, or why there are none.
std::optional<Message> bottomUp(const UncertaintySettings& u, const CurveResult& curve,
                                const BatchResult& batch, const SampleResult& sample,
                                std::vector<calc::Component>& components,
                                std::vector<Message>& inputs) {
    const auto calibration =
        calc::calibrationComponent(*sample.x0.value, sample.sX0.value, curve.fit->dof);
    if (const auto* problem = std::get_if<calc::UncertaintyProblem>(&calibration)) {
        return problemMessage(*problem);
    }
    components.push_back(std::get<calc::Component>(calibration));
    inputs.push_back(
        Message(QT_TRANSLATE_NOOP("calibration", "s(x0) = %1，x0 = %2，%3次读数"),
                {figure(*sample.sX0.value), figure(*sample.x0.value), std::to_string(sample.m)}));
    for (const UncertaintyComponentField& field : kUncertaintyComponents) {
        const bool recovery = field.member == &UncertaintySettings::recovery;
        if (recovery && u.recoveryFromSpikes) {
            if (!batch.uncertainty.spikes) {
                return problemMessage({calc::UncertaintyProblem::Kind::TooFewSpikes});
            }
            const auto& spikes = *batch.uncertainty.spikes;
            if (const auto* problem = std::get_if<calc::UncertaintyProblem>(&spikes)) {
                return problemMessage(*problem);
            }
            components.push_back(std::get<calc::Component>(spikes));
            inputs.push_back(Message(QT_TRANSLATE_NOOP("calibration", "%1个加标样的回收率"),
                                     {std::to_string(batch.uncertainty.spikeCount)}));
            continue;
        }
        const std::optional<RelativeComponent>& typed = u.*field.member;
        if (!typed) {
            continue;
        }
        const std::optional<double> relative = calc::relativeStandardUncertainty(typed->typed());
        if (!relative) {
            return problemMessage({calc::UncertaintyProblem::Kind::InvalidComponent});
        }
        components.push_back(calc::Component{field.key, *relative, std::nullopt});
        if (typed->tolerance) {
            Message input = distributionWord(*typed->tolerance);
            input.args = {percent(typed->value)};
            inputs.push_back(input);
        } else {
            inputs.push_back(Message("%1", {percent(typed->value)}));
        }
    }
    return std::nullopt;
}

std::optional<Message> topDown(const std::shared_ptr<const TopDownInputs>& data, double result,
                               std::vector<calc::Component>& components,
                               std::vector<Message>& inputs) {
    if (!data) {
        return Message(QT_TRANSLATE_NOOP("calibration", "尚未读取质控数据库"));
    }
    if (data->problem) {
        return data->problem;
    }
    if (data->rw.empty()) {
        return Message(QT_TRANSLATE_NOOP(
            "calibration", "没有核查标准或质控样的质控图参考期，无法评定期间精密度分量"));
    }
    // The chart whose level lies nearest the result; the first of two as near.
    const TopDownInputs::RwLevel* nearest = &data->rw.front();
    for (const TopDownInputs::RwLevel& level : data->rw) {
        if (std::fabs(level.level - result) < std::fabs(nearest->level - result)) {
            nearest = &level;
        }
    }
    const auto bias = calc::biasEstimate(data->references);
    if (const auto* problem = std::get_if<calc::UncertaintyProblem>(&bias)) {
        return problemMessage(*problem);
    }
    const calc::BiasEstimate& estimate = std::get<calc::BiasEstimate>(bias);
    const auto made = calc::topDownComponents(nearest->uRw, estimate, nearest->dof);
    if (const auto* problem = std::get_if<calc::UncertaintyProblem>(&made)) {
        return problemMessage(*problem);
    }
    components = std::get<std::vector<calc::Component>>(made);
    inputs.push_back(Message(QT_TRANSLATE_NOOP("calibration", "%1，水平 %2，RSD %3"),
                             {nearest->series, figure(nearest->level), percent(nearest->uRw)}));
    inputs.push_back(
        Message(QT_TRANSLATE_NOOP("calibration", "%1个质控样结果，RMS偏倚 %2，u(Cref) %3"),
                {std::to_string(estimate.n), percent(estimate.rmsBias), percent(estimate.uCref)}));
    return std::nullopt;
}

} // namespace

Message belowQuantitation() {
    return Message(QT_TRANSLATE_NOOP("calibration", "低于定量限"));
}

const char* componentWord(const std::string& name) {
    static const std::pair<const char*, const char*> kWords[] = {
        {"calibration", QT_TRANSLATE_NOOP("calibration", "校准曲线")},
        {"volume", QT_TRANSLATE_NOOP("calibration", "取样体积")},
        {"dilution", QT_TRANSLATE_NOOP("calibration", "稀释")},
        {"standard", QT_TRANSLATE_NOOP("calibration", "标准物质")},
        {"recovery", QT_TRANSLATE_NOOP("calibration", "回收率")},
        {"rw", QT_TRANSLATE_NOOP("calibration", "期间精密度 u(Rw)")},
        {"bias", QT_TRANSLATE_NOOP("calibration", "偏倚 u(bias)")},
    };
    for (const auto& [key, word] : kWords) {
        if (name == key) {
            return word;
        }
    }
    return name.c_str();
}

BatchUncertainty batchUncertainty(const Settings& settings,
                                  const std::vector<SampleResult>& samples) {
    BatchUncertainty batch;
    const UncertaintySettings& u = settings.uncertainty;
    if (u.way != UncertaintyWay::BottomUp || !u.recoveryFromSpikes) {
        return batch;
    }
    std::vector<double> recoveries;
    for (const SampleResult& sample : samples) {
        for (const QualityCheck& check : sample.checks) {
            if (std::strcmp(check.rule, "spike") == 0 && check.value) {
                recoveries.push_back(*check.value);
            }
        }
    }
    batch.spikeCount = recoveries.size();
    const auto component = calc::spikeRecoveryComponent(recoveries);
    if (const auto* made = std::get_if<calc::Component>(&component)) {
        batch.spikes = *made;
    } else {
        batch.spikes = std::get<calc::UncertaintyProblem>(component);
    }
    return batch;
}

std::optional<SampleUncertainty> sampleUncertainty(const Settings& settings,
                                                   const CurveResult& curve,
                                                   const BatchResult& batch,
                                                   const SampleResult& sample) {
    const UncertaintySettings& u = settings.uncertainty;
    if (u.way == UncertaintyWay::None) {
        return std::nullopt;
    }
    SampleUncertainty out;
    const auto refuse = [&out](const Message& why) {
        out.reason = why;
        out.inputs.clear();
        return out;
    };
    if (!sample.result.value) {
        return refuse(sample.batchProblem    ? *sample.batchProblem
                      : sample.result.reason ? *sample.result.reason
                                             : noCurve());
    }
    // Below the reported limit, or below its quantitation limit, no uncertainty is given.
    if (sample.belowLimit || sample.flags.belowLoq) {
        return refuse(belowQuantitation());
    }
    const double result = *sample.result.value;
    if (!(result > 0) || !sample.x0.value || !(*sample.x0.value > 0)) {
        return refuse(problemMessage({calc::UncertaintyProblem::Kind::NotPositive}));
    }
    std::vector<calc::Component> components;
    const std::optional<Message> problem =
        u.way == UncertaintyWay::BottomUp
            ? bottomUp(u, curve, batch, sample, components, out.inputs)
            : topDown(batch.uncertainty.topDown, result, components, out.inputs);
    if (problem) {
        return refuse(*problem);
    }
    auto evaluated = calc::evaluateUncertainty(result, components, u.coverage);
    if (const auto* failed = std::get_if<calc::UncertaintyProblem>(&evaluated)) {
        return refuse(problemMessage(*failed));
    }
    out.value = std::move(std::get<calc::Uncertainty>(evaluated));
    out.resultText = calc::resultBesideUncertainty(
        result, sample.resultText,
        calc::ExpandedText{out.value->expandedText, out.value->expandedPlace});
    return out;
}

void applyTopDown(const Document& document, Results& results,
                  std::shared_ptr<const TopDownInputs> inputs) {
    results.batch.uncertainty.topDown = std::move(inputs);
    for (SampleResult& sample : results.samples) {
        const auto made =
            sampleUncertainty(document.settings, results.curve, results.batch, sample);
        sample.uncertainty = made ? std::make_shared<const SampleUncertainty>(*made) : nullptr;
    }
}

} // namespace calibration
