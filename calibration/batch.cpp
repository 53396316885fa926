// The day's batch: the blank correction, every row's estimate, the limits from the blanks, the
// results in the reporting unit and the acceptance rules of blanks, duplicates, spikes, check
// standards, reference materials and the calibration itself.

#include "calc/number_format.h"
#include "calc/number_text.h"
#include "calc/rounding.h"
#include "calibration/results.h"
#include "calibration/text.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace calibration {
namespace {

using text::quoted;

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
    return calc::formatNumber(value + 0.0, calc::NumberStyle::shortestRoundTrip());
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
    switch (settings.rounding) {
    case Rounding::Significant:
        break;
    case Rounding::Decimals:
        return calc::roundDecimals(value, settings.digits, direction, calc::Notation::Result);
    case Rounding::Switch:
        // On the unrounded value: 0.996 stays below a switch at 1 and is written "1.00".
        if (std::fabs(value) < settings.switchAt) {
            return calc::roundDecimals(value, settings.switchDecimals, direction,
                                       calc::Notation::Result);
        }
        break;
    }
    return calc::roundSignificant(value, settings.digits, direction, calc::Notation::Result);
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

QualityCheck notJudged(const char* rule, Message why) {
    return QualityCheck{
        rule, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::move(why), {}};
}

// A figure beyond a double's range (a nominal of 1e-320 divides to infinity) judges nothing.
QualityCheck within(const char* rule, double value, std::optional<double> low,
                    std::optional<double> high, Message verdict) {
    if (!std::isfinite(value)) {
        return notJudged(rule, outOfRange());
    }
    const bool pass = (!low || value >= *low) && (!high || value <= *high);
    return QualityCheck{rule, value, low, high, pass, std::move(verdict), {}};
}

// The rules that apply to a row of each type, in the order they are shown.
std::vector<const char*> rulesOf(SampleType type, const Settings& settings) {
    switch (type) {
    case SampleType::Sample:
    case SampleType::DetectionLimit:
        return {};
    case SampleType::Blank:
        if (settings.blankAbsorbanceMax) {
            return {"blank", "blank_absorbance"};
        }
        return {"blank"};
    case SampleType::Duplicate:
        return {"duplicate"};
    case SampleType::Spike:
        return {"spike"};
    case SampleType::Check:
        return {"check"};
    case SampleType::Reference:
        return {"reference"};
    }
    return {};
}

// The acceptance rules of one row, from its own figures and those of the row it refers to. Every
// rule that applies gives a verdict, or says why it cannot be judged. The row a duplicate refers
// to, when found, goes to `referent`.
void judge(std::size_t row, const Document& document, std::vector<SampleResult>& samples,
           Names& names, const BatchResult& batch, std::optional<std::size_t>& referent) {
    const Sample& sample = document.samples[row];
    SampleResult& result = samples[row];
    const Settings& s = document.settings;
    if (!result.type) {
        return;
    }
    const std::vector<const char*> rules = rulesOf(*result.type, s);
    if (rules.empty()) {
        return;
    }
    const auto unjudged = [&](const Message& why) {
        for (const char* rule : rules) {
            result.checks.push_back(notJudged(rule, why));
        }
    };
    if (!result.values.ok()) {
        return unjudged(*result.values.problem());
    }
    // The row named in 所指样品, or nullptr with the reason kept both as the type cells' problem
    // and as the verdict.
    const auto referred = [&](const std::string& name) -> const SampleResult* {
        auto found = names.find(name);
        if (const std::size_t* index = std::get_if<std::size_t>(&found); index && *index == row) {
            found = Message(QT_TRANSLATE_NOOP("calibration", "所指样品是本行自身"));
        }
        if (const auto* problem = std::get_if<Message>(&found)) {
            result.batchProblem = *problem;
            unjudged(*problem);
            return nullptr;
        }
        referent = std::get<std::size_t>(found);
        return &samples[*referent];
    };
    // A number the type needs, or nullopt with the reason kept as referred() keeps it.
    const auto number = [&](const std::string& text, Field field) -> std::optional<double> {
        const auto value = needed(text, field);
        if (const auto* problem = std::get_if<Message>(&value)) {
            result.batchProblem = *problem;
            unjudged(*problem);
            return std::nullopt;
        }
        return std::get<double>(value);
    };
    const auto noResult = Message(QT_TRANSLATE_NOOP("calibration", "所指样品没有结果"));
    switch (*result.type) {
    case SampleType::Sample:
    case SampleType::DetectionLimit:
        return;
    case SampleType::Blank: {
        if (!batch.reportedLimit.value) {
            result.checks.push_back(
                notJudged("blank", Message(QT_TRANSLATE_NOOP("calibration", "未设定报告检出限：%1"),
                                           {*batch.reportedLimit.reason})));
        } else if (!result.x0.value) {
            result.checks.push_back(notJudged("blank", *result.x0.reason));
        } else {
            const double x = *result.x0.value / result.values.dilution;
            const double limit = *batch.reportedLimit.value;
            // Below the limit, strictly: equal to it is not below it.
            result.checks.push_back(QualityCheck{
                "blank",
                x,
                std::nullopt,
                limit,
                x < limit,
                Message(QT_TRANSLATE_NOOP("calibration", "空白 %1 浓度 %2 不低于检出限 %3"),
                        {quoted(sample.name), shown(x), shown(limit)}),
                {}});
        }
        if (s.blankAbsorbanceMax) {
            const double limit = *s.blankAbsorbanceMax;
            result.checks.push_back(
                result.meanA
                    ? within("blank_absorbance", *result.meanA, std::nullopt, limit,
                             Message(
                                 QT_TRANSLATE_NOOP("calibration", "空白 %1 平均吸光度 %2，要求≤%3"),
                                 {quoted(sample.name), shown(*result.meanA), limitText(limit)}))
                    : notJudged("blank_absorbance", outOfRange()));
        }
        return;
    }
    case SampleType::Duplicate: {
        const SampleResult* original = referred(sample.of);
        if (!original) {
            return;
        }
        if (!result.result.value) {
            return unjudged(*result.result.reason);
        }
        if (!original->result.value) {
            return unjudged(noResult);
        }
        const double x1 = *original->result.value;
        const double x2 = *result.result.value;
        if (!(x1 + x2 > 0)) {
            return unjudged(
                Message(QT_TRANSLATE_NOOP("calibration", "两个结果之和不大于0，相对偏差无意义")));
        }
        const double rpd = std::fabs(x1 - x2) / (x1 + x2) * 100;
        result.checks.push_back(
            within("duplicate", rpd, std::nullopt, s.duplicateMaxPct,
                   Message(QT_TRANSLATE_NOOP("calibration", "平行样 %1 相对偏差 %2%，要求≤%3%"),
                           {quoted(sample.name), shown(rpd), limitText(s.duplicateMaxPct)})));
        return;
    }
    case SampleType::Spike: {
        const std::optional<double> added = number(sample.added, Field::Added);
        if (!added) {
            return;
        }
        if (*added == 0.0) {
            result.batchProblem = Message(QT_TRANSLATE_NOOP("calibration", "加标量不能为0"));
            return unjudged(*result.batchProblem);
        }
        const SampleResult* original = referred(sample.of);
        if (!original) {
            return;
        }
        if (!result.x0.value) {
            return unjudged(*result.x0.reason);
        }
        if (!original->x0.value) {
            return unjudged(noResult);
        }
        const double recovery = (*result.x0.value - *original->x0.value) / *added * 100;
        result.checks.push_back(within(
            "spike", recovery, s.spikeLowPct, s.spikeHighPct,
            Message(QT_TRANSLATE_NOOP("calibration", "加标回收率 %1%，要求%2–%3%"),
                    {shown(recovery), limitText(s.spikeLowPct), limitText(s.spikeHighPct)})));
        return;
    }
    case SampleType::Check: {
        const std::optional<double> nominal = number(sample.nominal, Field::Nominal);
        if (!nominal) {
            return;
        }
        if (*nominal == 0.0) {
            result.batchProblem = Message(QT_TRANSLATE_NOOP("calibration", "标称浓度不能为0"));
            return unjudged(*result.batchProblem);
        }
        if (!result.x0.value) {
            return unjudged(*result.x0.reason);
        }
        const double error = (*result.x0.value - *nominal) / *nominal * 100;
        result.checks.push_back(
            within("check", error, -s.checkMaxPct, s.checkMaxPct,
                   Message(QT_TRANSLATE_NOOP("calibration", "校准核查相对误差 %1%，要求±%2%"),
                           {shown(error), limitText(s.checkMaxPct)})));
        return;
    }
    case SampleType::Reference: {
        const std::optional<double> certified = number(sample.certified, Field::Certified);
        if (!certified) {
            return;
        }
        const std::optional<double> u = number(sample.u, Field::U);
        if (!u) {
            return;
        }
        if (!result.result.value) {
            return unjudged(*result.result.reason);
        }
        const double difference = std::fabs(*result.result.value - *certified);
        result.checks.push_back(within(
            "reference", difference, std::nullopt, *u,
            Message(QT_TRANSLATE_NOOP("calibration", "质控样 %1 |结果−标准值| %2，要求≤U %3"),
                    {quoted(sample.name), shown(difference), shown(*u)})));
        return;
    }
    }
}

// Where a rule that cannot be judged stands, for the summary: the row's name, or its number.
Message rowLabel(const Document& document, std::size_t row) {
    const std::string_view name = text::trimmed(document.samples[row].name);
    return name.empty() ? samplePlace(row) : Message("%1", {quoted(name)});
}

void summarize(BatchResult& batch, const Document& document,
               const std::vector<SampleResult>& samples, bool limitNote) {
    batch.passed = batch.failed = batch.notJudged = 0;
    batch.failures.clear();
    batch.unjudged.clear();
    const auto count = [&batch](const QualityCheck& check, const Message& where) {
        if (!check.pass) {
            ++batch.notJudged;
            batch.unjudged.push_back(located(where, check.verdict));
        } else if (*check.pass) {
            ++batch.passed;
        } else {
            ++batch.failed;
            batch.failures.push_back(check.verdict);
        }
    };
    if (batch.calibrationCheck) {
        count(*batch.calibrationCheck, Message(QT_TRANSLATE_NOOP("calibration", "校准曲线")));
    }
    for (std::size_t i = 0; i < samples.size(); ++i) {
        for (const QualityCheck& check : samples[i].checks) {
            count(check, rowLabel(document, i));
        }
    }
    // Marked apart from the call that translates it: lupdate reads no mark inside translate().
    static const char* const semicolon = QT_TRANSLATE_NOOP("calibration", "；");
    std::string reasons;
    for (const auto* list : {&batch.failures, &batch.unjudged}) {
        for (const Message& reason : *list) {
            reasons += (reasons.empty() ? "" : translate(semicolon)) + render(reason);
        }
    }
    const std::string passed = std::to_string(batch.passed);
    const std::string failed = std::to_string(batch.failed);
    const std::string unjudged = std::to_string(batch.notJudged);
    if (batch.failed == 0 && batch.notJudged == 0) {
        batch.summary =
            batch.passed == 0
                ? Message(QT_TRANSLATE_NOOP("calibration", "质控：没有质控项"))
                : Message(QT_TRANSLATE_NOOP("calibration", "质控：%1项全部通过"), {passed});
    } else if (batch.notJudged == 0) {
        batch.summary =
            Message(QT_TRANSLATE_NOOP("calibration", "质控：%1项通过，%2项未通过（%3）"),
                    {passed, failed, reasons});
    } else if (batch.failed == 0) {
        batch.summary =
            Message(QT_TRANSLATE_NOOP("calibration", "质控：%1项通过，%2项未判定（%3）"),
                    {passed, unjudged, reasons});
    } else {
        batch.summary = Message(
            QT_TRANSLATE_NOOP("calibration", "质控：%1项通过，%2项未通过，%3项未判定（%4）"),
            {passed, failed, unjudged, reasons});
    }
    if (limitNote) {
        batch.summary =
            Message(QT_TRANSLATE_NOOP("calibration", "%1；未设定报告检出限"), {batch.summary});
    }
}

void estimateRow(const Sample& row, SampleResult& sample, const CurveResult& curve,
                 const BatchResult& batch) {
    prepareInternalStandard(row, sample, curve);
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
    finishInternalStandard(sample);
}

// A result as reported: rounded, or below the limit "未检出", "<0.013" or "0.013L" with the
// limit converted as the result is (at `dilution`). `undiluted` is x0 before the dilution.
std::string reportedText(double result, double undiluted, double dilution, const BatchResult& batch,
                         const Settings& settings, bool& below) {
    const std::optional<double>& limit = batch.reportedLimit.value;
    below = limit && undiluted < *limit;
    if (!below) {
        return rounded(result, settings);
    }
    if (settings.below == BelowLimit::NotDetected) {
        static const char* const notDetected = QT_TRANSLATE_NOOP("calibration", "未检出");
        return translate(notDetected);
    }
    // Rounded upward: "<0.00" would claim less than the limit says.
    const std::string shownLimit =
        rounded(double(*limit * dilution * batch.resultFactor), settings, calc::Direction::Upward);
    return settings.below == BelowLimit::LessThan ? "<" + shownLimit : shownLimit + "L";
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
    if (!sample.x0.value) {
        sample.result =
            batch.reportingProblem ? Figure::missing(*batch.reportingProblem) : sample.x0;
        return;
    }
    // The flags against the reported limit and its own quantitation limit, before the dilution:
    // the limits belong to the measured solution.
    const double undiluted = *sample.x0.value / sample.values.dilution;
    const std::optional<double>& limit = batch.reportedLimit.value;
    const std::optional<double>& quantitation = batch.reportedQuantitationLimit.value;
    sample.flags.belowLod = limit && undiluted < *limit;
    sample.flags.belowLoq = quantitation && undiluted < *quantitation;
    sample.flags.noLimit = !limit && (*sample.type == SampleType::Blank || undiluted < 0);
    if (batch.reportingProblem) {
        sample.result = Figure::missing(*batch.reportingProblem);
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
    sample.resultText = reportedText(*sample.result.value, undiluted, sample.values.dilution, batch,
                                     settings, sample.belowLimit);
}

// A sample whose every duplicate passed reports the mean of its result and theirs; `pairs` holds
// (sample, duplicate) rows.
void duplicateMeans(std::vector<std::pair<std::size_t, std::size_t>>& pairs,
                    const Document& document, const BatchResult& batch,
                    std::vector<SampleResult>& samples) {
    std::sort(pairs.begin(), pairs.end());
    for (std::size_t i = 0; i < pairs.size();) {
        const std::size_t original = pairs[i].first;
        std::size_t end = i;
        bool passed = true;
        while (end < pairs.size() && pairs[end].first == original) {
            const SampleResult& duplicate = samples[pairs[end].second];
            passed = passed && duplicate.qcPass() == true;
            ++end;
        }
        SampleResult& sample = samples[original];
        if (passed && sample.result.value && sample.x0.value) {
            long double sum = *sample.result.value;
            long double undiluted = *sample.x0.value / sample.values.dilution;
            for (std::size_t k = i; k < end; ++k) {
                const SampleResult& duplicate = samples[pairs[k].second];
                sum += *duplicate.result.value;
                undiluted += *duplicate.x0.value / duplicate.values.dilution;
            }
            const auto count = static_cast<long double>(end - i + 1);
            sample.meanResult = finite(sum / count);
            if (sample.meanResult) {
                bool below = false;
                sample.meanResultText =
                    reportedText(*sample.meanResult, double(undiluted / count),
                                 sample.values.dilution, batch, document.settings, below);
            }
        }
        i = end;
    }
}

// The reported MDL: the batch's from its 检出限样 rows, else the method's validated one, else the
// batch's from its blanks.
void chooseMdl(BatchResult& batch, const Document& document) {
    const MethodValidation& validated = document.method.validated;
    if (batch.mdl && batch.mdlFromSpikes) {
        batch.mdlSource = LimitSource::Batch;
    } else if (validated.mdl) {
        batch.mdlSource = LimitSource::Method;
        batch.reportedMdl = Figure{validated.mdl, std::nullopt};
        batch.reportedLoqMdl = Figure::of(
            validated.loqMdl ? validated.loqMdl : finite(4.0L * *validated.mdl), outOfRange());
        return;
    } else if (batch.mdl) {
        batch.mdlSource = LimitSource::Blanks;
    } else {
        batch.reportedMdl = batch.reportedLoqMdl = Figure::missing(batch.mdlReason);
        return;
    }
    batch.reportedMdl = Figure{batch.mdl->mdl, std::nullopt};
    batch.reportedLoqMdl = Figure{batch.mdl->loq, std::nullopt};
}

void rowUncertainty(SampleResult& sample, const Document& document, const CurveResult& curve,
                    const BatchResult& batch) {
    auto made = sampleUncertainty(document.settings, curve, batch, sample);
    sample.uncertainty =
        made ? std::make_shared<const SampleUncertainty>(std::move(*made)) : nullptr;
}

} // namespace

std::string roundedResult(double value, const Settings& settings) {
    return rounded(value, settings);
}

void evaluateRows(const Document& document, const CurveResult& curve, const BatchResult& batch,
                  std::vector<SampleResult>& samples, std::size_t first, std::size_t last) {
    for (std::size_t row = first; row <= last && row < samples.size(); ++row) {
        estimateRow(document.samples[row], samples[row], curve, batch);
        refuseSampleRow(document, samples[row]);
        reportRow(row, document, batch, samples);
        judgeInternalStandard(document.settings, samples[row]);
        rowUncertainty(samples[row], document, curve, batch);
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
    for (std::size_t row = 0; row < samples.size(); ++row) {
        estimateRow(document.samples[row], samples[row], curve, batch);
        refuseSampleRow(document, samples[row]);
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
    chooseMdl(batch, document);
    switch (settings.limit) {
    case ReportedLimit::Lod:
        // Without a curve its LOD is neither a value nor a reason.
        batch.reportedLimit = reading ? curve.lod : Figure::missing(notReadable);
        batch.reportedQuantitationLimit = reading ? curve.loq : Figure::missing(notReadable);
        batch.limitSource = LimitSource::Curve;
        break;
    case ReportedLimit::Xd:
        if (curve.validation.din) {
            batch.reportedLimit = Figure{curve.validation.din->xD, std::nullopt};
            batch.reportedQuantitationLimit = Figure::of(
                curve.validation.din->xQ,
                Message(QT_TRANSLATE_NOOP("calibration", "方程无正根：残差相对于浓度范围太大")));
        } else {
            batch.reportedLimit = batch.reportedQuantitationLimit =
                Figure::missing(curve.fit ? curve.validation.dinReason : notReadable);
        }
        batch.limitSource = LimitSource::Curve;
        break;
    case ReportedLimit::Mdl:
        batch.reportedLimit = reading ? batch.reportedMdl : Figure::missing(notReadable);
        batch.reportedQuantitationLimit =
            reading ? batch.reportedLoqMdl : Figure::missing(notReadable);
        batch.limitSource = batch.mdlSource;
        break;
    }
    if (!batch.reportedLimit.value) {
        batch.limitSource = LimitSource::None;
    }

    // Results in the reporting unit, rounded as the method says, and below the limit reported as
    // not detected, "<" and the limit, or the limit and "L", the limit converted as the result is.
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
    } else if (curve.fit) {
        batch.calibrationCheck = notJudged("calibration", *curve.r.reason);
    }
    Names names(document.samples);
    std::vector<std::pair<std::size_t, std::size_t>> duplicates;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        std::optional<std::size_t> referent;
        judge(i, document, samples, names, batch, referent);
        judgeInternalStandard(settings, samples[i]);
        if (referent && samples[i].type == SampleType::Duplicate) {
            duplicates.emplace_back(*referent, i);
        }
    }
    duplicateMeans(duplicates, document, batch, samples);
    batch.uncertainty = batchUncertainty(settings, samples);
    for (SampleResult& sample : samples) {
        rowUncertainty(sample, document, curve, batch);
    }
    summarize(batch, document, samples, reading && !batch.reportedLimit.value);
    return batch;
}

void addRowChecks(const Document& document, Results& results,
                  std::vector<std::pair<std::size_t, QualityCheck>> checks) {
    if (checks.empty()) {
        return;
    }
    for (auto& [row, check] : checks) {
        if (row < results.samples.size()) {
            results.samples[row].checks.push_back(std::move(check));
        }
    }
    const CurveResult& curve = results.curve;
    const bool reading = curve.fit && !curve.noReading;
    summarize(results.batch, document, results.samples,
              reading && !results.batch.reportedLimit.value);
}

std::optional<bool> verdictOf(const std::vector<QualityCheck>& checks) {
    if (checks.empty()) {
        return std::nullopt;
    }
    bool judged = true;
    for (const QualityCheck& check : checks) {
        if (check.pass == false) {
            return false;
        }
        judged = judged && check.pass.has_value();
    }
    return judged ? std::optional<bool>(true) : std::nullopt;
}

} // namespace calibration
