#pragma once

// Standard addition and the internal standard as the document uses them: the rows the curve is
// fitted on in either mode, the extrapolated result of a standard addition in the reporting unit,
// and each row's ratio and internal-standard recovery. The formulas are calc's
// (standard_addition.h, internal_standard.h); here they meet the document's texts and settings.

#include "calc/decimal.h"
#include "calc/standard_addition.h"
#include "calibration/document.h"
#include "calibration/message.h"

#include <optional>
#include <string>
#include <vector>

namespace calibration {

struct CurveResult;
struct BatchResult;
struct SampleResult;

// Whether the document's standards are a standard addition, and in the volume form (V0 or C_std
// given: the form needs both, and says so when one is missing).
bool isAddition(const Settings& settings);
bool isVolumeForm(const Settings& settings);
// Whether the curve is fitted on response ratios: the internal standard of an external
// calibration (a standard addition has none).
bool usesInternalStandard(const Settings& settings);

// The rows the curve is fitted on, from the standards' numbers as read (x the concentrations, y
// the responses): in the volume form x = C_std * V and y = S * (V0 + V); with the internal standard
// y = A / A_IS and, when any standard gives its C_IS, x = C / C_IS. Fills the standards' ratio and
// recovery in `curve`. nullopt, or why the rows cannot be formed ("第2个标准点的内标响应为空").
std::optional<Message> curveRows(const Document& document, std::vector<calc::Decimal>& x,
                                 std::vector<calc::Decimal>& y, CurveResult& curve);

// The extrapolated result of a standard addition: x_E = a / b (the volume form's C_A), s(x_E)
// and its intervals, converted as a result is (times the dilution, the factor over the volume) and
// rounded as the settings say.
struct AdditionResult {
    bool volumeForm = false;
    std::optional<Message> problem;         // why there is no x_E
    std::optional<calc::Addition> addition; // exactly when !problem
    double dilution = 1;
    // In the measured solution (the volume form: the sample's own concentration), then
    // converted; the intervals' half-widths at the document's level and at 95 %.
    std::optional<double> xE, sXE, ci, ci95;
    std::optional<double> result; // x_E times the dilution and f / V
    std::string resultText, resultUnit;
    // Why s(x_E) and the intervals are missing (two rows: a single-point known addition), or why
    // the result is (the volume or factor).
    std::optional<Message> reason;
};
AdditionResult evaluateAddition(const Document& document, const CurveResult& curve,
                                const BatchResult& batch);

// What a standard addition makes of the sample rows: a row of type 样品 has no place in it (the
// sample is the standards themselves) and is refused with the reason.
Message additionRefusesSamples();
void refuseSampleRow(const Document& document, SampleResult& sample);

// A sample row with the internal standard, around estimateSample: before, its readings become
// the readings' ratios to their internal-standard responses (one for all, or one per reading),
// with the row's ratio (their mean), its recovery of the internal standard against the standards'
// mean and its C_IS; a row that cannot be read so says why in its readings' problem. After, x0,
// s(x0) and the intervals are taken back to C with the C_IS when the curve is over C / C_IS.
void prepareInternalStandard(const Sample& sample, SampleResult& result, const CurveResult& curve);
void finishInternalStandard(SampleResult& result);

// The rule is_recovery on a row with an internal-standard recovery, and its mark when outside.
void judgeInternalStandard(const Settings& settings, SampleResult& sample);

// One standard through the origin with the internal standard is the response-factor method: F
// and, for every dispersion figure, the reason there is none.
void responseFactorFigures(CurveResult& curve);

} // namespace calibration
