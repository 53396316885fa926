#pragma once

// The measurement uncertainty of each result, with its budget, as the document's settings ask
// (uncertainty_settings.h). Bottom-up: the calibration's s(x0) / x0 with the row's own readings,
// the typed components and the recovery (typed, or from the batch's spikes). Top-down: u(Rw) of
// the check standard's chart at the level nearest the result and u(bias) from the filed
// reference-material results, which the document does not hold: they are read from the
// quality-control database above this layer and handed down (applyTopDown). The formulas are
// calc/uncertainty.h's.

#include "calc/uncertainty.h"
#include "calibration/message.h"

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace calibration {

struct Document;
struct Settings;
struct CurveResult;
struct BatchResult;
struct SampleResult;
struct Results;

// A result's uncertainty, or why it has none ("低于定量限", "结果不大于0，没有相对不确定度",
// "没有已归档的质控样结果，无法评定偏倚分量").
struct SampleUncertainty {
    std::optional<calc::Uncertainty> value;
    std::optional<Message> reason; // exactly when !value
    // What each component of the budget came from, one per value->components: "s(x0) = 0.0093,
    // x0 = 0.260", "±2% 矩形分布", "3个加标样".
    std::vector<Message> inputs;
    // The result as reported beside U: written to U's last decimal where it has more.
    std::string resultText;
};

// The top-down way's inputs, read from the quality-control database for the document's method.
struct TopDownInputs {
    // Each check-standard (or reference-material) chart of the method with a reference period:
    // its level, the relative standard deviation over the period and its degrees of freedom.
    struct RwLevel {
        double level = 0;
        double uRw = 0;
        std::optional<double> dof;
        std::string series; // the chart's name, shown as the component's input
    };
    std::vector<RwLevel> rw;
    std::vector<calc::ReferenceResult> references; // the filed reference-material results
    std::optional<Message> problem; // the database could not be read: every result says so
};

// What a batch gives every row's uncertainty: the spikes' recovery term, the top-down inputs.
struct BatchUncertainty {
    std::optional<std::variant<calc::Component, calc::UncertaintyProblem>> spikes;
    std::size_t spikeCount = 0;
    std::shared_ptr<const TopDownInputs> topDown;
};

// The batch's part from its rows as judged (the spikes' recoveries).
BatchUncertainty batchUncertainty(const Settings& settings,
                                  const std::vector<SampleResult>& samples);

// One row's uncertainty; none when the way is none.
std::optional<SampleUncertainty> sampleUncertainty(const Settings& settings,
                                                   const CurveResult& curve,
                                                   const BatchResult& batch,
                                                   const SampleResult& sample);

// The top-down inputs kept in the batch and every row's uncertainty made again with them.
void applyTopDown(const Document& document, Results& results,
                  std::shared_ptr<const TopDownInputs> inputs);

// "u_c" names of the components as the budget shows them: "校准曲线", "取样体积", "稀释",
// "标准物质", "回收率", "期间精密度 u(Rw)", "偏倚 u(bias)" (marked; the key when unknown).
const char* componentWord(const std::string& name);

// "低于定量限": no uncertainty is given below the reported quantitation limit.
Message belowQuantitation();

} // namespace calibration
