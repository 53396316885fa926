#include "analysis/validation_rows.h"

#include "analysis/readable.h"
#include "calibration/results.h"
#include "calibration/text.h"
#include "io/document_text.h"

#include <QCoreApplication>
#include <QStringList>
#include <cmath>

namespace analysis {

namespace {

// The validation's texts, translated in the context "Validation".
struct Validation {
    Q_DECLARE_TR_FUNCTIONS(Validation)
};

using io::rendered;

// "浓度 0.0698 mg/L" style: a figure with the curve's unit when there is one.
QString inUnit(double value, const QString& unit) {
    return unit.trimmed().isEmpty() ? readable(value) : readable(value) + u' ' + unit;
}

QString numbersOf(const std::vector<int>& standards) {
    QStringList numbers;
    for (int number : standards) {
        numbers << Validation::tr("第%1点").arg(number);
    }
    return numbers.join(Validation::tr("、", "between the standards' numbers"));
}

ValidationRow missing(const QString& item, const calibration::Message& reason,
                      const QString& criterion = {}) {
    return {item, kMissing, criterion, QString(), rendered(reason)};
}

} // namespace

QString interceptVerdict(const calibration::Results& results) {
    const calibration::Validation& v = results.curve.validation;
    if (!v.tIntercept.value || !v.tInterceptCritical.value) {
        return {};
    }
    const double t = *v.tIntercept.value;
    const double critical = *v.tInterceptCritical.value;
    if (t == 0.0 && results.curve.fit && results.curve.fit->a == 0.0) {
        return Validation::tr("截距为0");
    }
    if (std::isinf(t)) {
        return Validation::tr("截距与0有显著差异（各点恰在直线上）");
    }
    return (t < critical ? Validation::tr("截距与0无显著差异 (t = %1 < %2)")
                         : Validation::tr("截距与0有显著差异 (t = %1 ≥ %2)"))
        .arg(readable(t), readable(critical));
}

namespace {

using Rows = std::vector<ValidationRow>;

// A limit in the curve's unit and, with a reporting unit, converted as a result is (· f / V,
// dilution 1): "0.653 μg（0.0131 mg/L）".
class LimitText {
public:
    LimitText(const calibration::Document& document, const calibration::BatchResult& batch)
        : curveUnit_(io::fromDocument(document.unit)),
          resultUnit_(io::fromDocument(batch.resultUnit)), factor_(batch.resultFactor),
          converted_(!calibration::text::isBlank(document.settings.resultUnit) &&
                     !batch.reportingProblem) {}

    QString operator()(double value) const {
        QString text = inUnit(value, curveUnit_);
        if (converted_) {
            text = Validation::tr("%1（%2）", "a limit with its value in the reporting unit")
                       .arg(text, inUnit(value * factor_, resultUnit_));
        }
        return text;
    }

private:
    QString curveUnit_;
    QString resultUnit_;
    double factor_;
    bool converted_;
};

// The tests of the chosen line: its intercept against 0, Mandel's linearity, the lack of fit.
void addLineTests(Rows& rows, const calibration::Results& results) {
    const calibration::CurveResult& curve = results.curve;
    const calibration::Validation& v = curve.validation;
    const int n = curve.fit->n;
    // The intercept test of the chosen line.
    if (v.tIntercept.value && v.tInterceptCritical.value) {
        rows.push_back({Validation::tr("截距检验"),
                        QStringLiteral("t = %1").arg(readable(*v.tIntercept.value)),
                        QStringLiteral("t(0.975; %1) = %2")
                            .arg(curve.fit->dof)
                            .arg(readable(*v.tInterceptCritical.value)),
                        interceptVerdict(results),
                        {}});
    } else {
        rows.push_back(missing(Validation::tr("截距检验"), v.tIntercept.reason
                                                               ? *v.tIntercept.reason
                                                               : *v.tInterceptCritical.reason));
    }

    if (v.mandel) {
        rows.push_back(
            {Validation::tr("Mandel 线性检验"),
             QStringLiteral("PW = %1").arg(readable(v.mandel->pw)),
             QStringLiteral("F(0.99; 1, %1) = %2").arg(n - 3).arg(readable(v.mandel->fCritical)),
             v.mandel->linear ? Validation::tr("线性")
                              : Validation::tr("非线性，建议二次模型或缩小范围"),
             {}});
    } else {
        rows.push_back(missing(Validation::tr("Mandel 线性检验"), v.mandelReason));
    }

    if (v.lackOfFit) {
        const calc::LackOfFit& l = *v.lackOfFit;
        const QString f = std::isinf(l.f) ? QStringLiteral("∞") : readable(l.f);
        rows.push_back({Validation::tr("失拟检验"),
                        QStringLiteral("F = %1 (%2, %3), p = %4")
                            .arg(f)
                            .arg(l.df1)
                            .arg(l.df2)
                            .arg(readable(l.p)),
                        Validation::tr("p < 0.05 为存在失拟"),
                        l.significant
                            ? (std::isinf(l.f) ? Validation::tr("存在失拟（重复读数全部相同）")
                                               : Validation::tr("存在失拟"))
                            : Validation::tr("无显著失拟"),
                        {}});
    } else {
        rows.push_back(missing(Validation::tr("失拟检验"), v.lackOfFitReason));
    }
}

// The standards beyond the limits of the studentized residual and of Cook's distance.
void addDiagnostics(Rows& rows, const calibration::CurveResult& curve) {
    const calibration::Validation& v = curve.validation;
    if (v.diagnostics) {
        std::vector<int> outliers, influential;
        for (std::size_t i = 0; i < curve.standards.size(); ++i) {
            if (curve.standards[i].outlier) {
                outliers.push_back(int(i) + 1);
            }
            if (curve.standards[i].influential) {
                influential.push_back(int(i) + 1);
            }
        }
        rows.push_back({Validation::tr("离群点（学生化残差）"),
                        outliers.empty() ? Validation::tr("无") : numbersOf(outliers),
                        QStringLiteral("|t| > t(1 − 0.05/(2n); n − 3) = %1")
                            .arg(readable(v.diagnostics->tCritical)),
                        outliers.empty() ? Validation::tr("无可疑离群点")
                                         : Validation::tr("可疑离群：%1").arg(numbersOf(outliers)),
                        {}});
        rows.push_back({Validation::tr("强影响点（Cook 距离）"),
                        influential.empty() ? Validation::tr("无") : numbersOf(influential),
                        QStringLiteral("D > F(0.5; 2, n − 2) = %1")
                            .arg(readable(v.diagnostics->cooksCritical)),
                        influential.empty()
                            ? Validation::tr("无强影响点")
                            : Validation::tr("强影响：%1").arg(numbersOf(influential)),
                        {}});
    } else {
        rows.push_back(missing(Validation::tr("离群点（学生化残差）"), v.diagnosticsReason));
    }
}

// The limits of the calibration curve method of DIN 32645: x_c, x_d and x_q.
void addDinLimits(Rows& rows, const calibration::Validation& v,
                  const calibration::Settings& settings, const LimitText& limitIn) {
    const QString din = QStringLiteral("α = %1, k = %2, m = %3")
                            .arg(readable(settings.alpha), readable(settings.k))
                            .arg(settings.m);
    if (v.din) {
        const calc::Din32645& d = *v.din;
        rows.push_back({Validation::tr("判定限 x_c (DIN 32645)"),
                        QStringLiteral("%1 (y_c = %2)").arg(limitIn(d.xC), readable(d.yC)),
                        din,
                        {},
                        {}});
        rows.push_back(
            {Validation::tr("检出限 x_d = 2·x_c (DIN 32645)"),
             d.xDExact ? Validation::tr("%1（精确解 %2）").arg(limitIn(d.xD), readable(*d.xDExact))
                       : limitIn(d.xD),
             din,
             {},
             d.xDExact ? QString() : Validation::tr("精确解不存在")});
        rows.push_back(d.xQ ? ValidationRow{Validation::tr("定量限 x_q (DIN 32645)"),
                                            limitIn(*d.xQ),
                                            din,
                                            {},
                                            {}}
                            : missing(Validation::tr("定量限 x_q (DIN 32645)"),
                                      calibration::Message(QT_TRANSLATE_NOOP(
                                          "calibration", "方程无正根：残差相对于浓度范围太大")),
                                      din));
    } else {
        rows.push_back(missing(Validation::tr("DIN 32645 校准曲线法"), v.dinReason, din));
    }
}

// The limits from the batch's own rows: its blanks (DIN 32645) and the method detection limit.
void addBatchLimits(Rows& rows, const calibration::BatchResult& batch, const LimitText& limitIn) {
    if (batch.blanks) {
        rows.push_back(
            {Validation::tr("空白法 x_c / x_d (DIN 32645)"),
             QStringLiteral("%1 / %2").arg(limitIn(batch.blanks->xC), limitIn(batch.blanks->xD)),
             Validation::tr("n_b = %1, s_空白 = %2")
                 .arg(batch.blanks->n)
                 .arg(readable(batch.blanks->s)),
             {},
             {}});
    } else {
        rows.push_back(missing(Validation::tr("空白法 x_c / x_d (DIN 32645)"), batch.blanksReason));
    }
    if (batch.mdl) {
        rows.push_back({batch.mdlFromSpikes ? Validation::tr("方法检出限 MDL（检出限样，HJ 168）")
                                            : Validation::tr("方法检出限 MDL（空白，HJ 168）"),
                        Validation::tr("%1；测定下限 %2")
                            .arg(limitIn(batch.mdl->mdl), limitIn(batch.mdl->loq)),
                        QStringLiteral("t(0.99; %1) = %2, S = %3")
                            .arg(batch.mdl->n - 1)
                            .arg(readable(batch.mdl->t), readable(batch.mdl->s)),
                        {},
                        {}});
    } else {
        rows.push_back(missing(Validation::tr("方法检出限 MDL (HJ 168)"), batch.mdlReason));
    }
}

// LOD and LOQ from the curve's residual standard deviation.
void addCurveLimits(Rows& rows, const calibration::CurveResult& curve, const LimitText& limitIn) {
    for (const auto& [label, figure] :
         {std::pair{QStringLiteral("LOD = 3.3·s(y/x)/|b|"), &curve.lod},
          std::pair{QStringLiteral("LOQ = 10·s(y/x)/|b|"), &curve.loq}}) {
        rows.push_back(figure->value ? ValidationRow{label,
                                                     limitIn(*figure->value),
                                                     Validation::tr("由校准曲线的剩余标准差"),
                                                     {},
                                                     {}}
                                     : missing(label, *figure->reason));
    }
}

void addReportedLimit(Rows& rows, const calibration::BatchResult& batch,
                      const calibration::Settings& settings, const LimitText& limitIn) {
    // The reported limit, where it comes from, and its own quantitation limit.
    static const QString kLimits[] = {QStringLiteral("LOD"), QStringLiteral("x_d"),
                                      QStringLiteral("MDL")};
    static const char* const kSources[] = {
        nullptr,
        QT_TRANSLATE_NOOP("Validation", "校准曲线"),
        QT_TRANSLATE_NOOP("Validation", "本批检出限样"),
        QT_TRANSLATE_NOOP("Validation", "方法验证"),
        QT_TRANSLATE_NOOP("Validation", "本批空白"),
    };
    const QString chosen = kLimits[int(settings.limit)];
    if (batch.reportedLimit.value) {
        const char* source = kSources[int(batch.limitSource)];
        const calibration::Figure& quantitation = batch.reportedQuantitationLimit;
        rows.push_back(
            {Validation::tr("报告检出限"),
             limitIn(*batch.reportedLimit.value),
             source ? Validation::tr("%1（来自%2）").arg(chosen, Validation::tr(source)) : chosen,
             {},
             {}});
        rows.push_back(quantitation.value
                           ? ValidationRow{Validation::tr("报告检出限的定量限"),
                                           limitIn(*quantitation.value),
                                           settings.limit == calibration::ReportedLimit::Lod
                                               ? QStringLiteral("LOQ")
                                           : settings.limit == calibration::ReportedLimit::Xd
                                               ? QStringLiteral("x_q")
                                               : QStringLiteral("4·MDL"),
                                           {},
                                           {}}
                           : missing(Validation::tr("报告检出限的定量限"), *quantitation.reason));
    } else {
        rows.push_back(
            missing(Validation::tr("报告检出限"),
                    calibration::Message(QT_TRANSLATE_NOOP("calibration", "未设定报告检出限：%1"),
                                         {*batch.reportedLimit.reason}),
                    chosen));
    }
}

} // namespace

std::vector<ValidationRow> validationRows(const calibration::Document& document,
                                          const calibration::Results& results) {
    Rows rows;
    if (!results.curve.fit) {
        return rows;
    }
    const LimitText limitIn(document, results.batch);
    addLineTests(rows, results);
    addDiagnostics(rows, results.curve);
    addDinLimits(rows, results.curve.validation, document.settings, limitIn);
    addBatchLimits(rows, results.batch, limitIn);
    addCurveLimits(rows, results.curve, limitIn);
    addReportedLimit(rows, results.batch, document.settings, limitIn);
    return rows;
}

void ValidationModel::setRows(std::vector<ValidationRow> rows) {
    replaceRows(rows_, std::move(rows));
}

QVariant ValidationModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const ValidationRow& row = rows_[std::size_t(index.row())];
    if (role == Qt::ToolTipRole) {
        return index.column() == 1 ? row.reason : QString();
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const QString* const cells[] = {&row.item, &row.value, &row.criterion, &row.verdict};
    return index.column() < 4 ? *cells[index.column()] : QVariant();
}

QVariant ValidationModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 3) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    // The titles are the tab's: they were its own before the table had a model of its own.
    static const char* const kTitles[] = {
        QT_TRANSLATE_NOOP("analysis::ValidationTab", "项目"),
        QT_TRANSLATE_NOOP("analysis::ValidationTab", "数值"),
        QT_TRANSLATE_NOOP("analysis::ValidationTab", "判据"),
        QT_TRANSLATE_NOOP("analysis::ValidationTab", "结论"),
    };
    return QCoreApplication::translate("analysis::ValidationTab", kTitles[section]);
}

} // namespace analysis
