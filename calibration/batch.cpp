// The day's batch: the blank correction, every row's estimate, the limits from the blanks, the
// results in the reporting unit and the acceptance rules of blanks, duplicates, spikes, check
// standards, reference materials and the calibration itself.

#include "calc/full_precision.h"
#include "calc/number_text.h"
#include "calc/rounding.h"
#include "calibration/results.h"
#include "calibration/text.h"

#include <cmath>
#include <unordered_map>

namespace calibration {
namespace {

std::optional<double> finite(long double value) {
    const auto rounded = static_cast<double>(value);
    return std::isfinite(rounded) ? std::optional<double>(rounded) : std::nullopt;
}

// "12.3": a figure in a verdict, to three significant digits ("1.23E-300" far from 1).
std::string shown(double value) {
    return calc::roundSignificant(value, 3, calc::Direction::HalfEven, calc::Notation::Result);
}

// A limit as the user set it: "80", "0.999".
std::string limitText(double value) {
    return calc::fullPrecision(value + 0.0);
}

// The mean reading of the blank rows, or of the zero standards when there is no blank row.
std::optional<double> blankAbsorbance(const CurveResult& curve,
                                      const std::vector<SampleResult>& samples) {
    long double sum = 0;
    int count = 0;
    for (const SampleResult& sample : samples) {
        if (sample.type == SampleType::Blank && sample.values.ok()) {
            sum += calc::meanOf(sample.values.readings);
            ++count;
        }
    }
    if (count > 0) {
        return finite(sum / count);
    }
    return curve.zeroA;
}

// result = x0 * f / V (x0 with its dilution; V empty: not divided), as one factor.
struct Reporting {
    long double factor = 1;
    std::optional<Message> problem;
};

Reporting reportingOf(const Settings& settings) {
    Reporting reporting;
    if (!text::isBlank(settings.factor)) {
        if (auto problem = scaleProblem(settings.factor, Field::Factor)) {
            reporting.problem = problem;
            return reporting;
        }
        reporting.factor = *calc::strictParse(settings.factor);
    }
    if (!text::isBlank(settings.volume)) {
        if (auto problem = scaleProblem(settings.volume, Field::Volume)) {
            reporting.problem = problem;
            return reporting;
        }
        reporting.factor /= *calc::strictParse(settings.volume);
    }
    return reporting;
}

std::string rounded(double value, const Settings& settings,
                    calc::Direction direction = calc::Direction::HalfEven) {
    return settings.rounding == Rounding::Significant
               ? calc::roundSignificant(value, settings.digits, direction, calc::Notation::Result)
               : calc::roundDecimals(value, settings.digits, direction, calc::Notation::Result);
}

// The names of the rows, for the rows that refer to one: each name once, or marked as not unique.
// Gathered at the first such row (a list of plain samples has none).
class Names {
public:
    explicit Names(const std::vector<Sample>& samples) : samples_(samples) {}

    // The row named `name`, or the reason there is none.
    std::variant<std::size_t, Message> find(std::string_view name) {
        const std::string_view trimmed = text::trimmed(name);
        if (trimmed.empty()) {
            return Message(QT_TRANSLATE_NOOP("calibration", "缺少所指的样品名称"));
        }
        if (!gathered_) {
            gather();
        }
        const auto found = rows_.find(std::string(trimmed));
        if (found == rows_.end()) {
            return Message(QT_TRANSLATE_NOOP("calibration", "找不到样品 %1"), {quoted(trimmed)});
        }
        if (found->second == kAmbiguous) {
            return Message(QT_TRANSLATE_NOOP("calibration", "样品名称 %1 不唯一"),
                           {quoted(trimmed)});
        }
        return found->second;
    }

private:
    void gather() {
        rows_.reserve(samples_.size());
        for (std::size_t i = 0; i < samples_.size(); ++i) {
            const std::string_view name = text::trimmed(samples_[i].name);
            if (name.empty()) {
                continue;
            }
            const auto [found, added] = rows_.emplace(std::string(name), i);
            if (!added) {
                found->second = kAmbiguous;
            }
        }
        gathered_ = true;
    }

    static constexpr std::size_t kAmbiguous = static_cast<std::size_t>(-1);
    const std::vector<Sample>& samples_;
    bool gathered_ = false;
    std::unordered_map<std::string, std::size_t> rows_;
};

// A number a row's type needs, or the reason it has none.
std::variant<double, Message> needed(const std::string& text, Field field) {
    if (auto problem = numberProblem(text, field)) {
        return *problem;
    }
    return *calc::strictParse(text);
}

QualityCheck within(const char* rule, double value, std::optional<double> low,
                    std::optional<double> high, Message verdict) {
    const bool pass = (!low || value >= *low) && (!high || value <= *high);
    return QualityCheck{rule, value, low, high, pass, std::move(verdict)};
}

// The acceptance rule of one row, from its own figures and those of the row it refers to.
void judge(std::size_t row, const Document& document, std::vector<SampleResult>& samples,
           Names& names, const BatchResult& batch) {
    const Sample& sample = document.samples[row];
    SampleResult& result = samples[row];
    const Settings& s = document.settings;
    if (!result.type || !result.values.ok()) {
        return;
    }
    const auto fail = [&result](Message reason) { result.qcReason = std::move(reason); };
    const auto referred = [&](const std::string& name) -> const SampleResult* {
        const auto found = names.find(name);
        if (const auto* problem = std::get_if<Message>(&found)) {
            result.batchProblem = *problem;
            return nullptr;
        }
        return &samples[std::get<std::size_t>(found)];
    };
    switch (*result.type) {
    case SampleType::Sample:
    case SampleType::DetectionLimit:
        return;
    case SampleType::Blank: {
        if (!batch.reportedLimit.value) {
            return fail(*batch.reportedLimit.reason);
        }
        if (!result.x0.value) {
            return fail(*result.x0.reason);
        }
        const double x = *result.x0.value / result.values.dilution;
        const double limit = *batch.reportedLimit.value;
        result.qc = QualityCheck{
            "blank",
            x,
            std::nullopt,
            limit,
            x < limit,
            Message(QT_TRANSLATE_NOOP("calibration", "空白 %1 浓度 %2 不低于检出限 %3"),
                    {quoted(sample.name), shown(x), shown(limit)})};
        return;
    }
    case SampleType::Duplicate: {
        const SampleResult* original = referred(sample.of);
        if (!original) {
            return;
        }
        if (!original->result.value || !result.result.value) {
            return fail(!result.result.value
                            ? *result.result.reason
                            : Message(QT_TRANSLATE_NOOP("calibration", "所指样品没有结果")));
        }
        const double x1 = *original->result.value;
        const double x2 = *result.result.value;
        if (!(x1 + x2 > 0)) {
            return fail(
                Message(QT_TRANSLATE_NOOP("calibration", "两个结果之和不大于0，相对偏差无意义")));
        }
        const double rpd = std::fabs(x1 - x2) / (x1 + x2) * 100;
        result.qc =
            within("duplicate", rpd, std::nullopt, s.duplicateMaxPct,
                   Message(QT_TRANSLATE_NOOP("calibration", "平行样 %1 相对偏差 %2%，要求≤%3%"),
                           {quoted(sample.name), shown(rpd), limitText(s.duplicateMaxPct)}));
        return;
    }
    case SampleType::Spike: {
        const auto added = needed(sample.added, Field::Added);
        if (const auto* problem = std::get_if<Message>(&added)) {
            result.batchProblem = *problem;
            return;
        }
        const SampleResult* original = referred(sample.of);
        if (!original) {
            return;
        }
        if (std::get<double>(added) == 0.0) {
            result.batchProblem = Message(QT_TRANSLATE_NOOP("calibration", "加标量不能为0"));
            return;
        }
        if (!original->x0.value || !result.x0.value) {
            return fail(!result.x0.value
                            ? *result.x0.reason
                            : Message(QT_TRANSLATE_NOOP("calibration", "所指样品没有结果")));
        }
        const double recovery =
            (*result.x0.value - *original->x0.value) / std::get<double>(added) * 100;
        result.qc =
            within("spike", recovery, s.spikeLowPct, s.spikeHighPct,
                   Message(QT_TRANSLATE_NOOP("calibration", "加标回收率 %1%，要求%2–%3%"),
                           {shown(recovery), limitText(s.spikeLowPct), limitText(s.spikeHighPct)}));
        return;
    }
    case SampleType::Check: {
        const auto nominal = needed(sample.nominal, Field::Nominal);
        if (const auto* problem = std::get_if<Message>(&nominal)) {
            result.batchProblem = *problem;
            return;
        }
        if (std::get<double>(nominal) == 0.0) {
            result.batchProblem = Message(QT_TRANSLATE_NOOP("calibration", "标称浓度不能为0"));
            return;
        }
        if (!result.x0.value) {
            return fail(*result.x0.reason);
        }
        const double error =
            (*result.x0.value - std::get<double>(nominal)) / std::get<double>(nominal) * 100;
        result.qc =
            within("check", error, -s.checkMaxPct, s.checkMaxPct,
                   Message(QT_TRANSLATE_NOOP("calibration", "校准核查相对误差 %1%，要求±%2%"),
                           {shown(error), limitText(s.checkMaxPct)}));
        return;
    }
    case SampleType::Reference: {
        const auto certified = needed(sample.certified, Field::Certified);
        const auto u = needed(sample.u, Field::U);
        for (const auto* value : {&certified, &u}) {
            if (const auto* problem = std::get_if<Message>(value)) {
                result.batchProblem = *problem;
                return;
            }
        }
        if (!result.result.value) {
            return fail(*result.result.reason);
        }
        const double difference = std::fabs(*result.result.value - std::get<double>(certified));
        result.qc = within(
            "reference", difference, std::nullopt, std::get<double>(u),
            Message(QT_TRANSLATE_NOOP("calibration", "质控样 %1 |结果−标准值| %2，要求≤U %3"),
                    {quoted(sample.name), shown(difference), shown(std::get<double>(u))}));
        return;
    }
    }
}

void summarize(BatchResult& batch, const std::vector<SampleResult>& samples) {
    const auto count = [&batch](const QualityCheck& check) {
        if (check.pass) {
            ++batch.passed;
        } else {
            ++batch.failed;
            batch.failures.push_back(check.verdict);
        }
    };
    if (batch.calibrationCheck) {
        count(*batch.calibrationCheck);
    }
    for (const SampleResult& sample : samples) {
        if (sample.qc) {
            count(*sample.qc);
        }
    }
    if (batch.failed == 0) {
        batch.summary = batch.passed == 0
                            ? Message(QT_TRANSLATE_NOOP("calibration", "质控：没有质控项"))
                            : Message(QT_TRANSLATE_NOOP("calibration", "质控：%1项全部通过"),
                                      {std::to_string(batch.passed)});
        return;
    }
    // Marked apart from the call that translates it: lupdate reads no mark inside translate().
    static const char* const semicolon = QT_TRANSLATE_NOOP("calibration", "；");
    std::string reasons;
    for (const Message& failure : batch.failures) {
        reasons += (reasons.empty() ? "" : translate(semicolon)) + render(failure);
    }
    batch.summary = Message(QT_TRANSLATE_NOOP("calibration", "质控：%1项通过，%2项未通过（%3）"),
                            {std::to_string(batch.passed), std::to_string(batch.failed), reasons});
}

void estimateRow(SampleResult& sample, const CurveResult& curve, const BatchResult& batch) {
    std::optional<double> subtract;
    if (batch.blankA && sample.type) {
        // Check standards and the blanks themselves are measured as standards are: the zero
        // standards' mean comes off them, so that a blank is judged against the limit by what it
        // adds to a zero standard.
        const bool asStandards =
            *sample.type == SampleType::Check || *sample.type == SampleType::Blank;
        subtract = asStandards ? curve.zeroA : batch.blankA;
    }
    estimateSample(sample, curve, subtract);
}

void reportRow(std::size_t row, const Document& document, const BatchResult& batch,
               std::vector<SampleResult>& samples) {
    SampleResult& sample = samples[row];
    const Settings& settings = document.settings;
    if (!sample.type) {
        if (sample.values.ok()) {
            sample.batchProblem = Message(QT_TRANSLATE_NOOP("calibration", "类型 %1 无法识别"),
                                          {quoted(document.samples[row].type)});
        }
        return;
    }
    if (batch.reportingProblem) {
        sample.result = Figure::missing(*batch.reportingProblem);
        return;
    }
    if (!sample.x0.value) {
        sample.result = sample.x0;
        return;
    }
    // A result below the normal doubles has lost its digits: beyond what can be computed, as an
    // infinite one is.
    std::optional<double> result =
        finite(*sample.x0.value * static_cast<long double>(batch.resultFactor));
    if (result && *result != 0 && std::fabs(*result) < kSmallestScale) {
        result.reset();
    }
    sample.result = Figure::of(result, outOfRange());
    if (!sample.result.value) {
        return;
    }
    const double undiluted = *sample.x0.value / sample.values.dilution;
    const std::optional<double>& limit = batch.reportedLimit.value;
    sample.belowLimit = limit && undiluted < *limit;
    if (!sample.belowLimit) {
        sample.resultText = rounded(*sample.result.value, settings);
    } else if (settings.below == BelowLimit::NotDetected) {
        static const char* const notDetected = QT_TRANSLATE_NOOP("calibration", "未检出");
        sample.resultText = translate(notDetected);
    } else {
        // Rounded upward: "<0.00" would claim less than the limit says.
        const std::string shownLimit =
            rounded(double(*limit * sample.values.dilution * batch.resultFactor), settings,
                    calc::Direction::Upward);
        sample.resultText.reserve(shownLimit.size() + 1);
        sample.resultText.push_back('<');
        sample.resultText.append(shownLimit);
    }
}

} // namespace

void evaluateRows(const Document& document, const CurveResult& curve, const BatchResult& batch,
                  std::vector<SampleResult>& samples, std::size_t first, std::size_t last) {
    for (std::size_t row = first; row <= last && row < samples.size(); ++row) {
        estimateRow(samples[row], curve, batch);
        reportRow(row, document, batch, samples);
    }
}

BatchResult evaluateBatch(const Document& document, const CurveResult& curve,
                          std::vector<SampleResult>& samples) {
    BatchResult batch;
    const Settings& settings = document.settings;

    // The blank correction goes with the standards': both or neither, never the blank twice.
    if (settings.blankCorrection) {
        if (curve.blankCorrectionProblem) {
            batch.blankCorrectionProblem = curve.blankCorrectionProblem;
        } else if (curve.zeroA) {
            batch.blankA = blankAbsorbance(curve, samples);
        }
    }
    for (SampleResult& sample : samples) {
        estimateRow(sample, curve, batch);
    }

    std::vector<double> blankMeans, blankX0, spikeX0;
    for (const SampleResult& sample : samples) {
        if (!sample.values.ok() || !sample.type) {
            continue;
        }
        if (*sample.type == SampleType::Blank && sample.meanA) {
            blankMeans.push_back(*sample.meanA);
            if (sample.x0.value) {
                blankX0.push_back(*sample.x0.value);
            }
        } else if (*sample.type == SampleType::DetectionLimit && sample.x0.value) {
            spikeX0.push_back(*sample.x0.value);
        }
    }
    const bool reading = curve.fit && !curve.noReading;
    const Message notReadable = curve.noReading ? *curve.noReading
                                : curve.problem ? *curve.problem
                                                : noCurve();
    batch.blanksReason = Message(QT_TRANSLATE_NOOP("calibration", "至少需要2个空白"));
    if (!reading) {
        batch.blanksReason = notReadable;
    } else if (blankMeans.size() >= 2) {
        batch.blanks = calc::blankLimits(blankMeans, curve.fit->b, settings.alpha, settings.m);
        batch.blanksReason = outOfRange();
    }
    batch.mdlFromSpikes = spikeX0.size() >= 7;
    const std::vector<double>& mdlRows = batch.mdlFromSpikes ? spikeX0 : blankX0;
    batch.mdlReason = Message(QT_TRANSLATE_NOOP("calibration", "至少需要7个空白或检出限样"));
    if (!reading) {
        batch.mdlReason = notReadable;
    } else if (mdlRows.size() >= 7) {
        batch.mdl = calc::methodDetectionLimit(mdlRows);
        batch.mdlReason = outOfRange();
    }
    switch (settings.limit) {
    case ReportedLimit::Lod:
        // Without a curve its LOD is neither a value nor a reason.
        batch.reportedLimit = reading ? curve.lod : Figure::missing(notReadable);
        break;
    case ReportedLimit::Xd:
        batch.reportedLimit =
            curve.validation.din
                ? Figure{curve.validation.din->xD, std::nullopt}
                : Figure::missing(curve.fit ? curve.validation.dinReason : notReadable);
        break;
    case ReportedLimit::Mdl:
        batch.reportedLimit =
            batch.mdl ? Figure{batch.mdl->mdl, std::nullopt} : Figure::missing(batch.mdlReason);
        break;
    }

    // Results in the reporting unit, rounded as the method says, and below the limit reported as
    // not detected or as "<" and the limit converted as the result is.
    const Reporting reporting = reportingOf(settings);
    batch.reportingProblem = reporting.problem;
    batch.resultFactor = double(reporting.factor);
    batch.resultUnit = text::isBlank(settings.resultUnit) ? document.unit : settings.resultUnit;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        reportRow(i, document, batch, samples);
    }

    // The acceptance rules.
    if (curve.r.value) {
        // A falling curve (a negative slope) is judged by |r|, as a rising one by r.
        const double r = *curve.r.value;
        const std::string limit = limitText(settings.minimumR);
        batch.calibrationCheck = within(
            "calibration", std::fabs(r), settings.minimumR, std::nullopt,
            r < 0 ? Message(QT_TRANSLATE_NOOP("calibration", "校准曲线 |r| = %1，要求|r| ≥ %2"),
                            {calc::roundSignificant(-r, 6), limit})
                  : Message(QT_TRANSLATE_NOOP("calibration", "校准曲线 r = %1，要求r ≥ %2"),
                            {calc::roundSignificant(r, 6), limit}));
    }
    Names names(document.samples);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        judge(i, document, samples, names, batch);
    }
    summarize(batch, samples);
    return batch;
}

} // namespace calibration
