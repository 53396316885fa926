#include "analysis/sample_texts.h"

#include "analysis/readable.h"
#include "calc/number_format.h"
#include "calc/number_text.h"
#include "calibration/entries.h"
#include "io/document_text.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace analysis {

namespace {

QString messageText(const std::optional<calibration::Message>& message) {
    return message ? io::fromDocument(calibration::render(*message)) : QString();
}

} // namespace

QString meanAbsorbanceText(const std::string& readings, const std::optional<double>& mean) {
    if (!mean) {
        return kMissing;
    }
    int decimals = 0;
    for (const std::string_view reading : calibration::readingTexts(readings)) {
        decimals = std::max(decimals, calc::typedDecimals(reading));
    }
    return QString::fromStdString(
        calc::formatNumber(*mean, calc::NumberStyle::withDecimals(6, decimals)));
}

QString flagsText(const calibration::SampleFlags& flags) {
    QStringList parts;
    if (flags.outOfRange) {
        parts << QCoreApplication::translate("analysis::SampleListModel", "超出线性范围");
    }
    if (flags.belowLod) {
        parts << QCoreApplication::translate("analysis::SampleListModel", "低于检出限");
    }
    if (flags.belowLoq) {
        parts << QCoreApplication::translate("analysis::SampleListModel", "低于定量限");
    }
    if (flags.noLimit) {
        parts << QCoreApplication::translate("analysis::SampleListModel", "无检出限");
    }
    return parts.join(
        QCoreApplication::translate("analysis::SampleListModel", "、", "between the flags"));
}

QString qcCellText(const std::vector<calibration::QualityCheck>& checks, const QString& curveUnit,
                   const QString& resultUnit) {
    QStringList parts;
    for (const calibration::QualityCheck& check : checks) {
        if (!check.pass) {
            parts << QCoreApplication::translate("analysis::SampleListModel", "未判定");
            continue;
        }
        const std::string_view rule = check.rule;
        QString value = readable(check.value);
        if (!check.keys.empty()) {
            // A control chart's figure is the rules its point completes, "t1 t5".
            QStringList keys;
            for (const char* key : check.keys) {
                keys << QString::fromLatin1(key);
            }
            value = keys.join(u' ');
        } else if (rule == "duplicate" || rule == "spike" || rule == "check") {
            value += u'%';
        } else if (const QString unit = (rule == "reference" ? resultUnit
                                         : rule == "blank"   ? curveUnit
                                                             : QString())
                                            .trimmed();
                   !unit.isEmpty()) {
            value += u' ' + unit;
        }
        parts << (*check.pass
                      ? QCoreApplication::translate("analysis::SampleListModel", "通过 %1")
                      : QCoreApplication::translate("analysis::SampleListModel", "未通过 %1"))
                     .arg(value);
    }
    return parts.join(QCoreApplication::translate("analysis::SampleListModel", "；",
                                                  "between the verdicts of a row's rules"));
}

QString qcDetails(const std::vector<calibration::QualityCheck>& checks) {
    QStringList lines;
    for (const calibration::QualityCheck& check : checks) {
        const QString words = messageText(check.verdict);
        lines << (!check.pass
                      ? QCoreApplication::translate("analysis::SampleListModel", "未判定：%1")
                            .arg(words)
                  : *check.pass
                      ? QCoreApplication::translate("analysis::SampleListModel", "通过：%1")
                            .arg(words)
                      : QCoreApplication::translate("analysis::SampleListModel", "未通过：%1")
                            .arg(words));
    }
    return lines.join(u'\n');
}

} // namespace analysis
