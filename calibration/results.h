#pragma once

// What a calibration document gives: the curve of its model with its statistics, the check of
// every standard, the validation figures, and each sample's estimate. evaluate() is the one place
// that computes them; the window, the reports, the exports and the command line only show them.

#include "calc/model_fit.h"
#include "calc/validation.h"
#include "calibration/budget.h"
#include "calibration/calibration_modes.h"
#include "calibration/document.h"
#include "calibration/entries.h"
#include "calibration/message.h"

#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace calibration {

// A figure that exists, or the reason it does not ("至少需要3个标准点").
struct Figure {
    std::optional<double> value;
    std::optional<Message> reason; // set exactly when value is not

    static Figure of(std::optional<double> value, const Message& whyNot) {
        return value ? Figure{value, std::nullopt} : Figure{std::nullopt, whyNot};
    }
    static Figure missing(const Message& why) { return Figure{std::nullopt, why}; }
};

// One standard as typed and its check against the curve.
struct StandardResult {
    std::optional<double> c, a; // none when the text is not a number
    bool excluded = false;
    std::optional<double> fit;      // the curve at C
    std::optional<double> residual; // A - fit
    // What the fit minimised: sqrt(w) * (A - fit) for a weighted model, else the residual.
    std::optional<double> weightedResidual;
    std::optional<double> deviationPct; // 100 * residual / fit; none where fit == 0
    std::optional<double> cBack;        // the concentration read back from A
    std::optional<double> recoveryPct;  // 100 * cBack / C; none where C == 0
    // The unweighted straight line's diagnostics (fitted standards only).
    std::optional<double> studentized, cooks;
    bool outlier = false, influential = false;
    // With the internal standard: A / A_IS (then also `a`), the recovery of the internal standard
    // against the fitted standards' mean, and whether it lies outside the method's limits.
    std::optional<double> ratio, isRecoveryPct;
    bool isOutside = false;
};

// The figures that check the unweighted straight line through the fitted standards, whatever
// model is chosen: each exists, or says why not.
struct Validation {
    // The intercept test of the chosen straight line: t = |a| / s(a) against t(0.975; n - 2).
    Figure tIntercept;
    Figure tInterceptCritical;
    std::optional<calc::MandelTest> mandel;
    Message mandelReason;
    std::optional<calc::LackOfFit> lackOfFit;
    Message lackOfFitReason;
    std::optional<calc::Diagnostics> diagnostics; // marks in the standards' results
    Message diagnosticsReason;
    std::optional<calc::Din32645> din;
    Message dinReason;
};

// A weighting that can be used with the document's model and standards, with the sum of the
// absolute relative errors of the back-calculated fitted standards with C != 0, in % (the
// criterion of Almeida et al. 2002); `best` marks the smallest sum.
struct WeightingComparison {
    calc::Weighting weighting;
    double sumRelativeErrorPct = 0;
    bool best = false;
};

// The curve at one concentration with its confidence band (of the curve) and its prediction band
// (of one new reading) at the level, as absorbances.
struct BandPoint {
    double x = 0, y = 0;
    double confidenceLow = 0, confidenceHigh = 0;
    double predictionLow = 0, predictionHigh = 0;
};

struct CurveResult {
    // Why there is no curve, or nullopt: no standards, a text that is not a number (with its
    // place), too few fitted standards, a weighting that cannot be used, a figure out of range.
    std::optional<Message> problem;
    std::optional<calc::ModelFit> fit; // exactly when !problem
    // The standards' texts read once for everyone after evaluate(): their decimals as typed
    // (before the ratios and the blank correction), one per standard, where `typed` says the
    // standard's texts are numbers (zero stands in for one that is not); and the first that is
    // not (the problem then says why, with its place).
    std::vector<calc::Decimal> typedC, typedA;
    std::vector<bool> typed;
    std::optional<std::size_t> unreadStandard;
    // Why no concentration can be read from the curve although it exists (a slope of 0).
    std::optional<Message> noReading;
    // With the blank correction: the mean absorbance of the zero standards, taken off every
    // standard before the fit; or why the correction cannot apply.
    std::optional<double> zeroA;
    std::optional<Message> blankCorrectionProblem;
    std::vector<StandardResult> standards; // one per standard of the document

    int level = 95; // of the half-widths below
    Figure t, t95;  // Student's t at the level and at 95 %, dof of the model
    Figure sYX, sA, sB, sC, r, r2, lod, loq;
    Figure ciA, ciB, ciC;       // half-widths at the level
    Figure ci95A, ci95B, ci95C; // at 95 %
    Validation validation;
    // The bands at kBandSteps + 1 evenly spaced concentrations from the lowest to the highest
    // fitted standard, ends included, up to the first where the curve's variance is beyond reach;
    // none without degrees of freedom.
    static constexpr int kBandSteps = 100;
    std::vector<BandPoint> bands;
    // Every weighting that can be used with the model, on the values the curve is fitted to (the
    // internal standard's ratios, the blank taken off), whatever weighting the curve itself uses
    // or whether it could be fitted; none while a standard is no number or its row cannot be
    // formed (an internal standard's response missing).
    std::vector<WeightingComparison> weightings;

    // With the internal standard: the curve is on A / A_IS, over C / C_IS when the standards give
    // C_IS; the fitted standards' internal-standard responses and their mean; F of the
    // response-factor method (one standard through the origin).
    bool internalStandard = false, perConcentration = false;
    std::vector<calc::Decimal> fittedResponses;
    std::optional<double> meanResponse, responseFactor;

    bool hasCurve() const { return fit.has_value(); }
};

// An acceptance rule applied to a row: its figure, the accepted range and the verdict, or why
// it cannot be judged although it applies (a spike without its added amount, a duplicate naming
// a missing sample, a figure beyond a double's range).
struct QualityCheck {
    // "duplicate", "spike", "check", "reference", "blank", "blank_absorbance", "calibration";
    // "control_chart", judged outside evaluate() (see addRowChecks)
    const char* rule = "";
    // Relative deviation %, recovery %, relative error %, |result - certified|, the blank's
    // concentration, its mean absorbance, r; none when not judged, and for control_chart, whose
    // figure is the list of `keys`.
    std::optional<double> value;
    std::optional<double> low, high; // accepted when low <= value <= high
    std::optional<bool> pass;        // none: not judged
    Message verdict; // "加标回收率 76.4%，要求80–120%"; when not judged, why: "缺少加标量"
    // control_chart: the keys of the chart's rules the row's point completes, "t1", "t5" (the
    // rules' own texts, calc::ChartRule::key).
    std::vector<const char*> keys;
};

// A row's verdict over its rules: failed if any failed, else not judged if any was not, else
// passed; none for a row without rules.
std::optional<bool> verdictOf(const std::vector<QualityCheck>& checks);

struct SampleFlags {
    bool outOfRange = false; // the mean reading outside the fitted standards' absorbances
    bool belowLod = false;   // x0 before the dilution below the reported limit
    bool belowLoq = false;   // and below that limit's own quantitation limit
    bool noLimit = false;    // no reported limit exists: a blank's (or a negative) result stands as
                             // a number that nothing judges
};

struct SampleResult {
    SampleValues values; // the readings and dilution, or their reasons
    std::optional<SampleType> type;
    int m = 0;
    std::optional<double> meanA;      // the mean reading as measured
    std::optional<double> subtracted; // the blank absorbance taken off the mean before the curve
    Figure x0, sX0, ci, ci95;         // times the dilution; the reason when missing
    // Where the row was read from the curve, as the plot places it: the concentration before the
    // dilution at the mean reading less the blank taken off; none where x0 is missing.
    std::optional<double> curveX, curveY;
    SampleFlags flags;

    // The batch: why the row's type cells cannot be used (an unknown type, a name that is missing
    // or not unique, a number its type needs), the result in the reporting unit and as reported
    // (rounded, "未检出", "<0.025" or "0.025L"), and the row's acceptance rules.
    std::optional<Message> batchProblem;
    Figure result;
    std::string resultText;
    bool belowLimit = false;
    // A sample whose every duplicate passed reports the mean of its result and theirs (before
    // rounding), "平行样均值"; its own result stays as it is.
    std::optional<double> meanResult;
    std::string meanResultText;
    std::vector<QualityCheck> checks;
    // With the internal standard: the row's ratio (the mean of its readings' ratios, which are
    // then its readings), its recovery of the internal standard, outside the limits or not, and its
    // C_IS when the curve is over C / C_IS.
    std::optional<double> ratio, isRecoveryPct, cIs;
    bool isOutside = false;
    // The measurement uncertainty when the settings ask for one (budget.h): none when the way is
    // none; shared, so that a row stays small and a copy of the results cheap.
    std::shared_ptr<const SampleUncertainty> uncertainty;

    std::optional<bool> qcPass() const { return verdictOf(checks); }
};

// Where the reported MDL comes from: at least seven 检出限样 rows of the batch, the method's
// validated MDL, at least seven blanks; none of them.
enum class LimitSource { None, Curve, Batch, Method, Blanks };

// What the rows of the batch give together: the limits from the blanks and the method detection
// limit, and the limit that is reported.
struct BatchResult {
    // DIN 32645's blank method from the mean readings of the blank rows (at least two).
    std::optional<calc::BlankLimits> blanks;
    Message blanksReason;
    // HJ 168: from at least seven rows of type "检出限样" when there are, else of blanks.
    std::optional<calc::MethodDetectionLimit> mdl;
    Message mdlReason;
    bool mdlFromSpikes = false;
    // The MDL the report uses (from the batch, the method or the blanks, in that order of
    // preference) with its 4·MDL, and where it came from.
    Figure reportedMdl, reportedLoqMdl;
    LimitSource mdlSource = LimitSource::None;
    // The limit chosen for the report, in the curve's unit (of the measured solution), its own
    // quantitation limit (LOD -> LOQ, x_d -> x_q, MDL -> 4·MDL) and where it came from.
    Figure reportedLimit, reportedQuantitationLimit;
    LimitSource limitSource = LimitSource::None;

    // The blank correction: the absorbance taken off every sample's mean (the blank rows' mean,
    // or the zero standards'), or why it cannot apply.
    std::optional<double> blankA;
    std::optional<Message> blankCorrectionProblem;
    // Why results cannot be given in the reporting unit (the volume or factor), and that unit.
    std::optional<Message> reportingProblem;
    double resultFactor = 1; // f / V: the result is x0 (with its dilution) times this
    std::string resultUnit;
    // The calibration's own rule (r), and the summary of every rule.
    std::optional<QualityCheck> calibrationCheck;
    int passed = 0, failed = 0, notJudged = 0;
    std::vector<Message> failures; // the verdicts of the rules that failed
    std::vector<Message> unjudged; // "\"P3\"：缺少加标量" for each rule not judged
    // What every row's uncertainty takes from the batch: the spikes' recovery, the top-down inputs.
    BatchUncertainty uncertainty;
    Message summary; // "质控：5项通过，1项未通过，1项未判定（加标回收率 76.4%，要求80–120%；…）"
};

struct Results {
    CurveResult curve;
    std::vector<SampleResult> samples;
    BatchResult batch;
    AdditionResult addition; // a standard addition's result (empty in an external calibration)
};

// A result as reported when it is above any limit: rounded as the settings say.
std::string roundedResult(double value, const Settings& settings);

// The curve and the standards' checks: everything that depends on the standards and settings
// only.
CurveResult evaluateCurve(const Document& document);

// One sample row's texts read (its numbers or the reasons), and its estimate against a curve
// worked out again from them, with `blankA` taken off its mean first: a new curve needs only the
// second.
SampleResult readSample(const Sample& sample);
void estimateSample(SampleResult& result, const CurveResult& curve,
                    std::optional<double> blankA = std::nullopt);
SampleResult evaluateSample(const Sample& sample, const CurveResult& curve);

// One absorbance as measured read from the curve, as the plot draws the main window's last
// sample: `blankA` taken off first when the curve is blank-corrected, the concentration of a
// single reading, and whether it lies outside the calibrated range. None where no concentration
// can be read.
struct PointReading {
    double x0 = 0, y = 0;
    bool outside = false;
};
std::optional<PointReading> readCurve(const CurveResult& curve, double absorbance,
                                      std::optional<double> blankA);

// The batch from the rows as read: the blank correction, every row's estimate, the limits from
// the blanks, the results in the reporting unit and the acceptance rules. The rows' results are
// filled in.
BatchResult evaluateBatch(const Document& document, const CurveResult& curve,
                          std::vector<SampleResult>& samples);

// Rows first..last again against the batch's figures as they stand: enough for rows of plain
// samples that no other row refers to, which change nothing of the batch.
void evaluateRows(const Document& document, const CurveResult& curve, const BatchResult& batch,
                  std::vector<SampleResult>& samples, std::size_t first, std::size_t last);

// Everything.
Results evaluate(const Document& document);

// Why the main window cannot show the standards whose curve this is (entries.h), from the curve's
// reading of their texts.
inline std::optional<Message> windowProblem(const std::vector<Standard>& standards,
                                            const CurveResult& curve) {
    return windowProblem(standards, curve.unreadStandard,
                         curve.unreadStandard ? curve.problem : std::nullopt);
}

// Rules judged outside evaluate(), from what the document does not hold (a control chart across
// batches: see records/judging.h): each check added to its row (an index of document.samples)
// after the row's own, and the batch's counts and summary made again with them, as evaluate()
// makes them. evaluate() itself stays a function of the document alone.
void addRowChecks(const Document& document, Results& results,
                  std::vector<std::pair<std::size_t, QualityCheck>> checks);

// The model in one line, as the window, the report and the exports show it:
// "直线，权重1/x²，排除1点（第3点：污染）", "直线，不加权".
Message modelLine(const Document& document);
const char* modelName(calc::Model model);             // "直线", "过原点", "二次" (marked)
const char* weightingName(calc::Weighting weighting); // "无", "1/x", ..., "1/s²"

// "尚未计算标准曲线": no standards yet.
Message noCurve();
// "数值超出可计算的范围": a figure beyond the range of a double.
Message outOfRange();

// The message for a figure that needs more standards than the model has degrees of freedom:
// "至少需要3个标准点" for the straight line.
Message needsMoreStandards(calc::Model model);

} // namespace calibration
