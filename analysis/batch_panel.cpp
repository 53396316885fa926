#include "analysis/batch_panel.h"

#include "analysis/current_calibration.h"
#include "analysis/uncertainty_panel.h"
#include "calibration/entries.h"
#include "calibration/text.h"
#include "io/document_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <tuple>

namespace analysis {

namespace {

QLineEdit* textBox(QWidget* parent, const QString& name, int characters) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * characters + 16);
    return box;
}

QDoubleSpinBox* limitBox(QWidget* parent, const QString& name, double low, double high,
                         int decimals) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setDecimals(decimals);
    return box;
}

// "label [widget]" pairs in a row, each label the widget's buddy and accessible name.
void addFields(QHBoxLayout* row, QWidget* parent,
               std::initializer_list<std::pair<QString, QWidget*>> fields) {
    for (const auto& [label, widget] : fields) {
        if (!label.isEmpty()) {
            auto* text = new QLabel(label, parent);
            text->setBuddy(widget);
            widget->setAccessibleName(label);
            row->addWidget(text);
        }
        row->addWidget(widget);
    }
    row->addStretch();
}

} // namespace

BatchPanel::BatchPanel(CurrentCalibration& calibration, QWidget* parent)
    : QWidget(parent), calibration_(calibration) {
    setObjectName(QStringLiteral("batchPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    blankCorrection_ = new QCheckBox(tr("空白校正"), this);
    blankCorrection_->setObjectName(QStringLiteral("blankCorrection"));
    blankCorrection_->setToolTip(
        tr("标准点减去浓度为0的标准点的平均吸光度后拟合；样品、平行样、加标样和质控样减去空白的"
           "平均吸光度（没有空白时用零浓度标准点的），校准核查和空白本身减去零浓度标准点的。"));
    volume_ = textBox(this, QStringLiteral("volume"), 8);
    volumeUnit_ = textBox(this, QStringLiteral("volumeUnit"), 5);
    factor_ = textBox(this, QStringLiteral("factor"), 8);
    resultUnit_ = textBox(this, QStringLiteral("resultUnit"), 8);
    auto* reporting = new QHBoxLayout;
    reporting->addWidget(blankCorrection_);
    addFields(reporting, this,
              {{tr("取样量 V"), volume_},
               {QString(), volumeUnit_},
               {tr("换算系数 f"), factor_},
               {tr("结果单位"), resultUnit_}});
    layout->addLayout(reporting);

    rounding_ = new QComboBox(this);
    rounding_->setObjectName(QStringLiteral("rounding"));
    rounding_->addItems({tr("有效数字"), tr("小数位数"), tr("小数位数/有效数字切换")});
    digits_ = new QSpinBox(this);
    digits_->setObjectName(QStringLiteral("digits"));
    digits_->setRange(0, 15);
    below_ = new QComboBox(this);
    below_->setObjectName(QStringLiteral("below"));
    below_->addItems({tr("未检出"), tr("<检出限"), tr("检出限L")});
    auto* rounding = new QHBoxLayout;
    addFields(rounding, this,
              {{tr("修约"), rounding_}, {QString(), digits_}, {tr("低于检出限时报告"), below_}});
    layout->addLayout(rounding);

    minimumR_ = limitBox(this, QStringLiteral("minimumR"), 0, 1, 4);
    duplicate_ = limitBox(this, QStringLiteral("duplicateMaxPct"), 0, 1000, 1);
    spikeLow_ = limitBox(this, QStringLiteral("spikeLowPct"), 0, 1000, 1);
    spikeHigh_ = limitBox(this, QStringLiteral("spikeHighPct"), 0, 1000, 1);
    check_ = limitBox(this, QStringLiteral("checkMaxPct"), 0, 1000, 1);
    auto* limits = new QHBoxLayout;
    addFields(limits, this,
              {{tr("质控要求：r ≥"), minimumR_},
               {tr("平行样相对偏差 ≤"), duplicate_},
               {tr("% 加标回收率"), spikeLow_},
               {QStringLiteral("–"), spikeHigh_},
               {tr("% 校准核查 ±"), check_},
               {QStringLiteral("%"), new QWidget(this)}});
    layout->addLayout(limits);
    layout->addWidget(new UncertaintySettingsRow(calibration, this));

    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("batchProblem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b71c1c"));
    layout->addWidget(problem_);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("qcSummary"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    for (QLineEdit* box : {volume_, volumeUnit_, factor_, resultUnit_}) {
        connect(box, &QLineEdit::editingFinished, this, &BatchPanel::apply);
    }
    connect(blankCorrection_, &QCheckBox::toggled, this, &BatchPanel::apply);
    for (QComboBox* box : {rounding_, below_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &BatchPanel::apply);
    }
    connect(digits_, &QSpinBox::valueChanged, this, &BatchPanel::apply);
    for (QDoubleSpinBox* box : {minimumR_, duplicate_, spikeLow_, spikeHigh_, check_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &BatchPanel::apply);
    }
    connect(&calibration, &CurrentCalibration::resultsChanged, this, &BatchPanel::refresh);
    refresh();
}

void BatchPanel::refresh() {
    const calibration::Settings& s = calibration_.document().settings;
    refreshing_ = true;
    blankCorrection_->setChecked(s.blankCorrection);
    volume_->setText(io::fromDocument(s.volume));
    volumeUnit_->setText(io::fromDocument(s.volumeUnit));
    factor_->setText(io::fromDocument(s.factor));
    resultUnit_->setText(io::fromDocument(s.resultUnit));
    resultUnit_->setPlaceholderText(io::fromDocument(calibration_.document().unit));
    rounding_->setCurrentIndex(int(s.rounding));
    digits_->setMinimum(s.rounding == calibration::Rounding::Decimals ? 0 : 1);
    digits_->setValue(s.digits);
    below_->setCurrentIndex(int(s.below));
    minimumR_->setValue(s.minimumR);
    duplicate_->setValue(s.duplicateMaxPct);
    spikeLow_->setValue(s.spikeLowPct);
    spikeHigh_->setValue(s.spikeHighPct);
    check_->setValue(s.checkMaxPct);
    refreshing_ = false;

    refused_.clear();
    showProblems();
    const calibration::BatchResult& batch = calibration_.batch();
    summary_->setText(calibration_.document().samples.empty() &&
                              batch.passed + batch.failed + batch.notJudged == 0
                          ? QString()
                          : io::fromDocument(calibration::render(batch.summary)));
}

void BatchPanel::apply() {
    if (refreshing_) {
        return;
    }
    calibration::Settings s = calibration_.document().settings;
    s.blankCorrection = blankCorrection_->isChecked();
    s.volumeUnit = io::toDocument(volumeUnit_->text().trimmed());
    // A volume or factor that no result could be computed with is not taken: the box keeps the
    // text, marked with the reason, and the document its value.
    std::vector<Refused> refused;
    for (const auto& [box, field, text] :
         {std::tuple{volume_, calibration::Field::Volume, &s.volume},
          std::tuple{factor_, calibration::Field::Factor, &s.factor}}) {
        const std::string typed = io::toDocument(box->text().trimmed());
        const auto problem = calibration::text::isBlank(typed)
                                 ? std::nullopt
                                 : calibration::scaleProblem(typed, field);
        if (problem) {
            refused.push_back({box, box->text(), io::fromDocument(calibration::render(*problem))});
        } else {
            *text = typed;
        }
    }
    s.resultUnit = io::toDocument(resultUnit_->text().trimmed());
    s.rounding = calibration::Rounding(rounding_->currentIndex());
    s.digits = s.rounding == calibration::Rounding::Decimals ? digits_->value()
                                                             : std::max(1, digits_->value());
    s.below = calibration::BelowLimit(below_->currentIndex());
    s.minimumR = minimumR_->value();
    s.duplicateMaxPct = duplicate_->value();
    s.spikeLowPct = spikeLow_->value();
    s.spikeHighPct = spikeHigh_->value();
    s.checkMaxPct = check_->value();
    calibration_.setSettings(s);
    // After the refresh the settings may have caused, which shows the document's values.
    refused_ = std::move(refused);
    showProblems();
}

void BatchPanel::showProblems() {
    for (QLineEdit* box : {volume_, factor_}) {
        box->setStyleSheet(QString());
        box->setToolTip(QString());
    }
    QStringList problems;
    for (const Refused& refused : refused_) {
        refused.box->setText(refused.text);
        refused.box->setStyleSheet(QStringLiteral("background: rgb(255, 200, 200)"));
        refused.box->setToolTip(refused.reason);
        problems << refused.reason;
    }
    const calibration::BatchResult& batch = calibration_.batch();
    for (const std::optional<calibration::Message>* problem :
         {&batch.blankCorrectionProblem, &batch.reportingProblem}) {
        if (*problem) {
            problems << io::fromDocument(calibration::render(**problem));
        }
    }
    problem_->setText(problems.join(u'\n'));
    problem_->setVisible(!problems.isEmpty());
}

} // namespace analysis
