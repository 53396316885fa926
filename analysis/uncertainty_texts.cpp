#include "analysis/uncertainty_texts.h"

#include "analysis/printed_record.h"
#include "analysis/readable.h"
#include "calc/number_format.h"
#include "calibration/results.h"
#include "io/document_text.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace analysis {

namespace {

QString messageText(const calibration::Message& message) {
    return io::fromDocument(calibration::render(message));
}

} // namespace

QString sharePercent(double fraction) {
    return QString::fromStdString(
               calc::formatNumber(fraction * 100, calc::NumberStyle::general(3))) +
           QLatin1Char('%');
}

QString expandedCell(const calibration::SampleResult& result) {
    if (!result.uncertainty) {
        return {};
    }
    return result.uncertainty->value ? io::fromDocument(result.uncertainty->value->expandedText)
                                     : QStringLiteral("—");
}

QString expandedReason(const calibration::SampleResult& result) {
    if (!result.uncertainty) {
        return {};
    }
    const calibration::SampleUncertainty& u = *result.uncertainty;
    if (!u.value) {
        return u.reason ? messageText(*u.reason) : QString();
    }
    return QCoreApplication::translate("analysis::UncertaintyTab", "u_c = %1，u_c,rel = %2，k = %3")
        .arg(readable(u.value->uC), sharePercent(u.value->uRel), readable(u.value->k));
}

QString expandedHeader(const calibration::Document& document) {
    return document.settings.uncertainty.coverage == calc::Coverage::Two
               ? QStringLiteral("U (k=2)")
               : QStringLiteral("U (k=t)");
}

void addUncertaintyToReport(ReportContent& content, const calibration::Document& document,
                            const calibration::Results& results) {
    const calibration::UncertaintySettings& settings = document.settings.uncertainty;
    if (settings.way == calibration::UncertaintyWay::None) {
        return;
    }
    ReportTable& table = content.results;
    // Beside the result, the column after it.
    const int after = std::min<int>(8, int(table.header.size()));
    table.header.insert(after, expandedHeader(document));
    table.rightAligned.insert(table.rightAligned.begin() + after, true);
    std::vector<std::size_t> typical;
    for (std::size_t i = 0; i < table.rows.size() && i < results.samples.size(); ++i) {
        const calibration::SampleResult& result = results.samples[i];
        const QString cell = expandedCell(result);
        table.rows[i].insert(after, cell);
        if (result.uncertainty && result.uncertainty->value &&
            result.type == calibration::SampleType::Sample) {
            typical.push_back(i);
        }
    }
    const QString unit = io::fromDocument(results.batch.resultUnit);
    const QString coverage =
        settings.coverage == calc::Coverage::Two
            ? QStringLiteral("k = 2")
            : QCoreApplication::translate("analysis::UncertaintyTab", "k = t(0.975; ν_eff)");
    content.batch << (settings.way == calibration::UncertaintyWay::BottomUp
                          ? QCoreApplication::translate(
                                "analysis::UncertaintyTab",
                                "测量不确定度：自下而上评定（校准曲线及各分量的相对标准不确定"
                                "度合成），%1；U 取两位有效数字，只进不舍。")
                          : QCoreApplication::translate(
                                "analysis::UncertaintyTab",
                                "测量不确定度：自上而下评定（期间精密度 u(Rw) 与偏倚 "
                                "u(bias)，来自质控数据库），%1；U 取两位有效数字，只进不舍。"))
                         .arg(coverage);
    if (typical.empty()) {
        return;
    }
    std::sort(typical.begin(), typical.end(), [&](std::size_t a, std::size_t b) {
        return *results.samples[a].result.value < *results.samples[b].result.value;
    });
    const std::size_t row = typical[(typical.size() - 1) / 2];
    const calibration::SampleUncertainty& u = *results.samples[row].uncertainty;
    QStringList parts;
    for (std::size_t i = 0; i < u.value->components.size(); ++i) {
        const calc::BudgetLine& line = u.value->components[i];
        parts << QCoreApplication::translate("analysis::UncertaintyTab", "%1 %2（%3；占 %4）")
                     .arg(io::fromDocument(
                              calibration::translate(calibration::componentWord(line.name))),
                          sharePercent(line.uRel),
                          i < u.inputs.size() ? messageText(u.inputs[i]) : QString(),
                          sharePercent(line.share));
    }
    content.batch
        << QCoreApplication::translate(
               "analysis::UncertaintyTab",
               "典型样品“%1”的不确定度评定：%2；u_c,rel = %3，U = %4 %5，结果 %6 ± %4 %5。")
               .arg(io::fromDocument(document.samples[row].name),
                    parts.join(QCoreApplication::translate("analysis::UncertaintyTab", "；")),
                    sharePercent(u.value->uRel), io::fromDocument(u.value->expandedText), unit,
                    io::fromDocument(u.resultText));
}

} // namespace analysis
