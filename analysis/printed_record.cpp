#include "analysis/printed_record.h"

#include "analysis/plot_painter.h"
#include "analysis/plot_source.h"
#include "analysis/readable.h"
#include "analysis/report_layout.h"
#include "analysis/sample_texts.h"
#include "analysis/statistic_texts.h"
#include "analysis/uncertainty_texts.h"
#include "analysis/validation_rows.h"
#include "calibration/entries.h"
#include "calibration/history.h"
#include "calibration/text.h"
#include "io/document_text.h"
#include "io/files.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

// The printed report's texts, translated in the context "Report".
struct Report {
    Q_DECLARE_TR_FUNCTIONS(Report)
};

// A user's text on paper: control characters, and the bidirectional controls that would reorder
// what stands around them, as blanks; an unpaired surrogate as U+FFFD.
QString printable(const QString& text) {
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < out.size() && out[i + 1].isLowSurrogate()) {
            ++i;
        } else if (QChar::isSurrogate(c)) {
            out[i] = QChar(QChar::ReplacementCharacter);
        } else if (calibration::text::unsafeInText(c)) {
            out[i] = u' ';
        }
    }
    return out;
}

QString fromDocument(const std::string& text) {
    return printable(io::fromDocument(text));
}

using io::rendered;

// ISO 8601 with the offset of the time zone, as the history writes its times:
// "2026-12-07T21:04:53+08:00" (also "+00:00", never "Z").
QString isoTime(const QDateTime& time) {
    const int offset = time.offsetFromUtc() / 60;
    const int minutes = std::abs(offset);
    return time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) + (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// The concentration unit, "浓度单位" when the document names none, in parentheses where a
// quotient would otherwise read wrong: "A/(mg/L)".
QString concentrationUnit(const QString& unit) {
    const QString trimmed = unit.trimmed();
    return trimmed.isEmpty() ? Report::tr("浓度单位") : trimmed;
}

QString perUnit(const QString& unit) {
    const QString shown = concentrationUnit(unit);
    return shown.contains(u'/') || shown.contains(u' ') ? u'(' + shown + u')' : shown;
}

QString unitOf(Quantity quantity, const QString& unit) {
    switch (quantity) {
    case Quantity::Absorbance:
        return QStringLiteral("A");
    case Quantity::Slope:
        return QStringLiteral("A/") + perUnit(unit);
    case Quantity::Curvature:
        return QStringLiteral("A/") + perUnit(unit) + QStringLiteral("²");
    case Quantity::Concentration:
        return concentrationUnit(unit);
    case Quantity::None:
        break;
    }
    return {};
}

// "浓度 C (mg/L)" as a column's title: the unit in parentheses, or none.
QString withUnit(const QString& title, const QString& unit) {
    const QString trimmed = unit.trimmed();
    return trimmed.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, trimmed);
}

// The laboratory and the method (a standard's number and title) take a row of the form each.
QString laboratoryLabel() {
    return Report::tr("实验室");
}

QString methodLabel() {
    return Report::tr("分析方法");
}

// The analysis date left empty is the day the document was created.
std::vector<std::pair<QString, QString>> headerFields(const calibration::Document& document) {
    const calibration::ReportHeader& h = document.header;
    return {
        {laboratoryLabel(), fromDocument(h.laboratory)},
        {Report::tr("项目/批号"), fromDocument(h.project)},
        {Report::tr("分析项目"), fromDocument(h.analyte)},
        {methodLabel(), fromDocument(h.method)},
        {Report::tr("仪器"), fromDocument(h.instrument)},
        {Report::tr("仪器编号"), fromDocument(h.instrumentNumber)},
        {Report::tr("波长"), fromDocument(h.wavelength)},
        {Report::tr("比色皿光程"), fromDocument(h.pathLength)},
        {Report::tr("分析日期"),
         fromDocument(h.analysisDate.empty() ? document.created : h.analysisDate)},
        {Report::tr("分析人"), fromDocument(h.analyst)},
        {Report::tr("校核人"), fromDocument(h.reviewer)},
        {Report::tr("审核人"), fromDocument(h.approver)},
    };
}

ReportTable statisticsTable(const calibration::Document& document,
                            const calibration::Results& results) {
    const QString unit = fromDocument(document.unit);
    ReportTable table;
    table.header = {Report::tr("统计量"), Report::tr("数值"),
                    Report::tr("%1% 半宽 (±)").arg(document.settings.level), Report::tr("单位")};
    table.rightAligned = {false, true, true, false};
    // The limits' unit stands in the unit column like every other.
    std::vector<StatisticText> texts = statisticTexts(results.curve, QString());
    appendModeTexts(results, QString(), texts);
    for (const StatisticText& text : texts) {
        QString value = text.value;
        if (value == kMissing && !text.valueTooltip.isEmpty()) {
            value = Report::tr("%1（%2）", "a value with why it is missing")
                        .arg(value, text.valueTooltip);
        }
        table.rows.push_back({text.label, value, text.halfWidth, unitOf(text.quantity, unit)});
    }
    return table;
}

ReportTable standardsTable(const calibration::Document& document,
                           const calibration::Results& results) {
    const QString unit = fromDocument(document.unit);
    ReportTable table;
    table.header = {Report::tr("序号"),
                    withUnit(Report::tr("浓度 C"), unit),
                    Report::tr("吸光度 A"),
                    Report::tr("拟合值 Â"),
                    Report::tr("残差 A − Â"),
                    Report::tr("相对偏差 (%)"),
                    withUnit(Report::tr("回算浓度 Ĉ"), unit),
                    Report::tr("回收率 (%)"),
                    Report::tr("状态")};
    table.rightAligned = {true, true, true, true, true, true, true, true, false};
    const std::vector<calibration::StandardResult>& checks = results.curve.standards;
    for (std::size_t i = 0; i < document.standards.size(); ++i) {
        const calibration::Standard& standard = document.standards[i];
        const calibration::StandardResult check =
            i < checks.size() ? checks[i] : calibration::StandardResult{};
        QStringList status;
        if (standard.excluded) {
            status << Report::tr("排除：%1").arg(fromDocument(standard.reason));
        } else {
            status << Report::tr("参与拟合");
        }
        if (check.outlier) {
            status << Report::tr("可疑离群");
        }
        if (check.influential) {
            status << Report::tr("强影响");
        }
        table.rows.push_back({QString::number(i + 1), fromDocument(standard.c),
                              fromDocument(standard.a), readable(check.fit),
                              readable(check.residual), readable(check.deviationPct),
                              readable(check.cBack), readable(check.recoveryPct),
                              status.join(Report::tr("、", "between the words of a list"))});
    }
    return table;
}

ReportTable validationTable(const calibration::Document& document,
                            const calibration::Results& results) {
    ReportTable table;
    table.header = {Report::tr("项目"), Report::tr("数值"), Report::tr("判据"), Report::tr("结论")};
    table.rightAligned = {false, false, false, false};
    for (const ValidationRow& row : validationRows(document, results)) {
        table.rows.push_back(
            {row.item, row.value, row.criterion, row.verdict.isEmpty() ? row.reason : row.verdict});
    }
    return table;
}

// A row's type as the results table shows it: its name, with the sample it refers to.
QString typeText(const calibration::Sample& sample, const calibration::SampleResult& result) {
    if (!result.type) {
        return fromDocument(sample.type);
    }
    QString text = io::fromDocument(calibration::translate(calibration::typeName(*result.type)));
    const QString of = fromDocument(sample.of).trimmed();
    if ((*result.type == calibration::SampleType::Duplicate ||
         *result.type == calibration::SampleType::Spike) &&
        !of.isEmpty()) {
        text = Report::tr("%1（%2）", "a row's type with the sample it refers to").arg(text, of);
    }
    return text;
}

// The verdict of each of a row's acceptance rules in words, or why it cannot be judged.
QString qcText(const calibration::SampleResult& result) {
    QStringList verdicts;
    for (const calibration::QualityCheck& qc : result.checks) {
        if (!qc.pass) {
            verdicts << Report::tr("未判定：%1").arg(rendered(qc.verdict));
        } else if (std::string_view(qc.rule) == "blank" && *qc.pass && qc.value && qc.high) {
            // The blank's words say what fails; one that passes is below the limit.
            verdicts << Report::tr("通过：浓度 %1 低于检出限 %2")
                            .arg(readable(qc.value), readable(*qc.high));
        } else {
            verdicts << (*qc.pass ? Report::tr("通过：%1") : Report::tr("未通过：%1"))
                            .arg(rendered(qc.verdict));
        }
    }
    return verdicts.join(Report::tr("；", "between the verdicts of a row's rules"));
}

ReportTable resultsTable(const calibration::Document& document,
                         const calibration::Results& results) {
    const QString unit = fromDocument(document.unit);
    const QString resultUnit = fromDocument(results.batch.resultUnit);
    ReportTable table;
    table.header = {Report::tr("序号"),
                    Report::tr("名称"),
                    Report::tr("类型"),
                    Report::tr("读数 A"),
                    Report::tr("稀释倍数"),
                    Report::tr("平均吸光度"),
                    withUnit(QStringLiteral("x0"), unit),
                    withUnit(Report::tr("结果"), resultUnit),
                    Report::tr("质控"),
                    Report::tr("说明")};
    table.rightAligned = {true, false, false, false, true, true, true, true, false, false};
    for (std::size_t i = 0; i < document.samples.size() && i < results.samples.size(); ++i) {
        const calibration::Sample& sample = document.samples[i];
        const calibration::SampleResult& result = results.samples[i];
        QStringList notes;
        if (const QString flags = flagsText(result.flags); !flags.isEmpty()) {
            notes << flags;
        }
        if (const auto problem = result.values.problem()) {
            notes << rendered(*problem);
        } else if (!result.x0.value && result.x0.reason) {
            notes << rendered(*result.x0.reason);
        } else if (!result.result.value && result.result.reason) {
            notes << rendered(*result.result.reason);
        }
        if (result.batchProblem) {
            notes << rendered(*result.batchProblem);
        }
        // A sample whose duplicates passed reports their mean; its own result stands beside.
        QString shown = fromDocument(result.resultText);
        if (!result.meanResultText.empty()) {
            notes << Report::tr("本样品结果 %1").arg(shown);
            shown = Report::tr("%1（平行样均值）").arg(fromDocument(result.meanResultText));
        }
        const QString dilution = fromDocument(sample.dilution).trimmed();
        table.rows.push_back({QString::number(i + 1), fromDocument(sample.name),
                              typeText(sample, result), fromDocument(sample.readings).simplified(),
                              dilution.isEmpty() ? QStringLiteral("1") : dilution,
                              meanAbsorbanceText(sample.readings, result.meanA),
                              readable(result.x0.value), shown.isEmpty() ? kMissing : shown,
                              qcText(result),
                              notes.join(Report::tr("；", "between the notes of a row"))});
    }
    return table;
}

// How the results are given, the blank correction, the calibration's own rule and the summary.
QStringList batchLines(const calibration::Document& document, const calibration::Results& results) {
    const calibration::Settings& s = document.settings;
    const calibration::BatchResult& batch = results.batch;
    QStringList lines;
    const QString resultUnit = fromDocument(batch.resultUnit).trimmed();
    const bool volume = !calibration::text::isBlank(s.volume);
    const QString formula = volume ? Report::tr("结果 = x0·f/V") : Report::tr("结果 = x0·f");
    const QString values = volume ? Report::tr("f = %1，V = %2 %3")
                                        .arg(fromDocument(s.factor), fromDocument(s.volume),
                                             fromDocument(s.volumeUnit))
                                        .trimmed()
                                  : QStringLiteral("f = %1").arg(fromDocument(s.factor));
    QString rounding;
    switch (s.rounding) {
    case calibration::Rounding::Significant:
        rounding = Report::tr("%n位有效数字", nullptr, s.digits);
        break;
    case calibration::Rounding::Decimals:
        rounding = Report::tr("%n位小数", nullptr, s.digits);
        break;
    case calibration::Rounding::Switch:
        rounding = Report::tr("低于 %1 时%2，不低于 %1 时%3")
                       .arg(readable(s.switchAt), Report::tr("%n位小数", nullptr, s.switchDecimals),
                            Report::tr("%n位有效数字", nullptr, s.digits));
        break;
    }
    const QString below = s.below == calibration::BelowLimit::NotDetected ? Report::tr("“未检出”")
                          : s.below == calibration::BelowLimit::LessThan ? Report::tr("“<检出限”")
                                                                         : Report::tr("“检出限L”");
    lines << Report::tr("%1（x0 为样品溶液浓度乘以稀释倍数；%2），结果单位：%3；"
                        "修约：%4（四舍六入五成双）；低于检出限报告为：%5。")
                 .arg(formula, values, resultUnit.isEmpty() ? Report::tr("同浓度单位") : resultUnit,
                      rounding, below);
    if (s.blankAbsorbanceMax) {
        lines << Report::tr("空白吸光度要求：每个空白的平均吸光度（校正前）≤ %1。")
                     .arg(readable(*s.blankAbsorbanceMax));
    }
    if (batch.reportingProblem) {
        lines << Report::tr("无法换算结果：%1").arg(rendered(*batch.reportingProblem));
    }
    if (batch.blankA) {
        lines << Report::tr("空白校正：各样品的平均吸光度减去 %1。").arg(readable(*batch.blankA));
    } else if (batch.blankCorrectionProblem) {
        lines << Report::tr("空白校正无法进行：%1").arg(rendered(*batch.blankCorrectionProblem));
    }
    if (batch.calibrationCheck) {
        lines << (batch.calibrationCheck->pass ? Report::tr("校准曲线：通过，%1")
                                               : Report::tr("校准曲线：未通过，%1"))
                     .arg(rendered(batch.calibrationCheck->verdict));
    }
    lines << rendered(batch.summary);
    return lines;
}

ReportTable historyTable(const calibration::Document& document) {
    ReportTable table;
    table.header = {Report::tr("序号"), Report::tr("时间"), Report::tr("用户"), Report::tr("内容")};
    table.rightAligned = {true, false, false, false};
    for (std::size_t i = 0; i < document.history.size(); ++i) {
        const calibration::HistoryEntry& entry = document.history[i];
        table.rows.push_back({QString::number(i + 1), fromDocument(entry.time),
                              fromDocument(entry.user), rendered(calibration::describe(entry))});
    }
    return table;
}

// ----- the page -----

// The record's fields two to a row; the laboratory, the method and any long value take a row
// of their own.
std::vector<ReportLayout::FormRow>
formRows(const std::vector<std::pair<QString, QString>>& fields) {
    const auto wide = [&fields](std::size_t i) {
        const auto& [label, value] = fields[i];
        return value.size() > 18 || label == laboratoryLabel() || label == methodLabel();
    };
    const auto labelled = [](const std::pair<QString, QString>& field) {
        return ReportLayout::Field{Report::tr("%1：", "a field's label").arg(field.first),
                                   field.second};
    };
    std::vector<ReportLayout::FormRow> rows;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i + 1 == fields.size() || wide(i) || wide(i + 1)) {
            rows.push_back({labelled(fields[i]), std::nullopt});
        } else {
            rows.push_back({labelled(fields[i]), labelled(fields[i + 1])});
            ++i;
        }
    }
    return rows;
}

void build(ReportLayout& page, const ReportContent& content) {
    page.paragraph(content.title, 16, true, Qt::AlignHCenter, 3);
    page.form(formRows(content.header));
    page.paragraph(Report::tr("%1　　生成时间：%2").arg(content.program, content.made), 9);
    for (const QString& line : content.source) {
        page.paragraph(line, 9);
    }

    int at = page.heading(Report::tr("标准曲线"));
    page.paragraph(Report::tr("模型：%1").arg(content.modelLine), 9);
    page.paragraph(Report::tr("方程：%1").arg(content.equation), 9);
    page.table(content.statistics, at, 8.5);
    for (const QString& note : content.statisticsNotes) {
        page.paragraph(note, 8);
    }

    at = page.heading(Report::tr("校准曲线图与残差图"));
    page.plot(content.plot, 115);
    page.keep(at, page.position());

    at = page.heading(Report::tr("标准点"));
    page.table(content.standards, at);
    for (const QString& note : content.standardsNotes) {
        page.paragraph(note, 8);
    }

    at = page.heading(Report::tr("验证"));
    page.table(content.validation, at);

    at = page.heading(Report::tr("样品结果"));
    if (content.results.rows.empty()) {
        page.paragraph(Report::tr("（无样品）"), 9);
    } else {
        page.table(content.results, at);
    }
    // The signatures stay together and never stand alone on a page: they keep the last line
    // before them (the summary of the checks) with them, so that what is signed shows above the
    // names.
    int before = page.position() + 1;
    for (const QString& line : content.batch) {
        before = page.position() + 1;
        page.paragraph(line, 9);
    }
    for (const QString& line : content.signatures) {
        page.paragraph(line, 10.5, false, Qt::AlignLeft, 6);
    }
    page.keep(before, page.position());

    if (content.history) {
        at = page.heading(
            Report::tr("附录：修改记录（共%n条）", nullptr, int(content.history->rows.size())),
            true);
        if (content.history->rows.empty()) {
            page.paragraph(Report::tr("（无记录）"), 9);
        } else {
            page.table(*content.history, at);
        }
    }
}

} // namespace

QString sha256Hex(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

ReportSource documentSource(const QString& file, bool modified, const QDateTime& made,
                            bool history) {
    ReportSource source;
    source.made = made;
    source.history = history;
    source.fileName = file.isEmpty() ? QString() : io::shownPath(QFileInfo(file).fileName());
    const QString shown = file.isEmpty() ? Report::tr("（无文件）") : source.fileName;
    if (file.isEmpty() || modified) {
        source.files.push_back({shown, Report::tr("未保存")});
        return source;
    }
    const io::Expected<QByteArray> bytes = io::readFileLimited(file);
    source.files.push_back(
        {shown, bytes ? sha256Hex(bytes.value())
                      : Report::tr("无法读取（%1）").arg(rendered(bytes.error().reason))});
    return source;
}

ReportContent reportContent(const calibration::Document& document,
                            const calibration::Results& results, const ReportSource& source) {
    ReportContent content;
    content.title = Report::tr("标准曲线分析报告");
    content.header = headerFields(document);
    content.program = QStringLiteral("Lumetra %1").arg(QStringLiteral(LUMETRA_VERSION));
    content.made = isoTime(source.made);
    for (const auto& [file, hash] : source.files) {
        // The hash on a line of its own, so that a long path never parts it from its label.
        content.source << Report::tr("数据文件：%1").arg(printable(file))
                       << Report::tr("SHA-256：%1").arg(hash);
    }
    if (!document.method.empty()) {
        content.source << Report::tr("方法：%1").arg(fromDocument(document.method.name))
                       << Report::tr("方法文件 SHA-256：%1")
                              .arg(document.method.sha256.empty()
                                       ? Report::tr("（未知）")
                                       : fromDocument(document.method.sha256));
    }
    if (!source.options.isEmpty()) {
        content.source
            << Report::tr("改变结果的命令行选项：%1").arg(printable(source.options.join(u' ')));
    }
    content.fileName =
        source.fileName.isEmpty() ? Report::tr("（未保存的标准曲线）") : printable(source.fileName);

    const calibration::CurveResult& curve = results.curve;
    const QString unit = fromDocument(document.unit);
    content.modelLine = rendered(calibration::modelLine(document));
    content.equation =
        curve.fit ? Report::tr("%1（A：吸光度，C：浓度，%2；系数未修约）")
                        .arg(equationText(*curve.fit, Digits::Full), concentrationUnit(unit))
                  : rendered(curve.problem ? *curve.problem : calibration::noCurve());
    content.statistics = statisticsTable(document, results);
    content.statisticsNotes << Report::tr(
        "LOD = 3.3·s(y/x)/|b|，LOQ = 10·s(y/x)/|b|；半宽 = t·s，t 取置信水平与模型自由度下的 t "
        "分布分位数；“—”为该项无法计算，括号内为原因。");

    PlotOptions options;
    options.sampleLabels = true;
    content.plot = plotData(document, results, options);
    content.standards = standardsTable(document, results);
    if (curve.zeroA) {
        content.standardsNotes << Report::tr(
                                      "空白校正：拟合前各标准点的吸光度减去零浓度标准点的平均"
                                      "吸光度 %1。")
                                      .arg(readable(*curve.zeroA));
    } else if (curve.blankCorrectionProblem) {
        content.standardsNotes
            << Report::tr("空白校正无法进行：%1").arg(rendered(*curve.blankCorrectionProblem));
    }
    content.validation = validationTable(document, results);
    content.results = resultsTable(document, results);
    content.batch = batchLines(document, results);
    addUncertaintyToReport(content, document, results);
    content.signatures = {Report::tr("分析：______ 日期：______"),
                          Report::tr("校核：______ 日期：______"),
                          Report::tr("审核：______ 日期：______")};
    if (source.history) {
        content.history = historyTable(document);
    }
    return content;
}

int paintReport(QPagedPaintDevice& device, const ReportContent& content) {
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    const double mm = device.logicalDpiY() / 25.4;
    const double width = device.width();
    const double footer = 9 * mm;
    ReportLayout layout(device, device.height() - footer);
    build(layout, content);
    const QFont footFont = reportFont(8);
    layout.paint(device, painter, [&](QPainter& on, int page, int pages) {
        on.setFont(footFont);
        on.setPen(QPen(QColor(110, 110, 110), 0));
        const double ruleY = device.height() - footer + 3 * mm;
        on.drawLine(QPointF(0, ruleY), QPointF(width, ruleY));
        on.setPen(Qt::black);
        const QRectF band(0, ruleY + mm, width, footer - 4 * mm);
        on.drawText(band, Qt::AlignLeft | Qt::AlignVCenter,
                    Report::tr("%1　%2", "the page's foot: the file, the title")
                        .arg(content.fileName, content.title));
        on.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                    Report::tr("第 %1 页 共 %2 页").arg(page + 1).arg(pages));
    });
    return layout.pageCount();
}

std::optional<io::Error> saveReportPdf(const QString& path, const ReportContent& content) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(content.title);
        writer.setCreator(content.program);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        paintReport(writer, content);
    }
    return io::saveFileAtomically(path, buffer.data());
}

} // namespace analysis
