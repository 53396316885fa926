#include "analysis/batch_panel.h"

#include "analysis/change_reason.h"
#include "analysis/current_calibration.h"
#include "analysis/uncertainty_panel.h"
#include "calc/number_format.h"
#include "calc/number_text.h"
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
#include <cmath>
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
    // A number typed counts when it is finished (Enter, or the focus leaving), not at every key.
    box->setKeyboardTracking(false);
    return box;
}

QString blankAbsorbanceHint() {
    return BatchPanel::tr("每个空白的平均吸光度（校正前）不得超过此值；空着即不检查。");
}

// A number as the document holds it, every digit: "1", "0.03"; "" for none.
QString numberText(const std::optional<double>& value) {
    return value ? QString::fromStdString(
                       calc::formatNumber(*value + 0.0, calc::NumberStyle::shortestRoundTrip()))
                 : QString();
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

BatchPanel::BatchPanel(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent)
    : QWidget(parent), calibration_(calibration), prompts_(prompts) {
    setObjectName(QStringLiteral("batchPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    settings_ = new QWidget(this);
    settings_->setObjectName(QStringLiteral("batchSettings"));
    auto* settingsLayout = new QVBoxLayout(settings_);
    settingsLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(settings_);

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
    settingsLayout->addLayout(reporting);

    rounding_ = new QComboBox(this);
    rounding_->setObjectName(QStringLiteral("rounding"));
    rounding_->addItems({tr("有效数字"), tr("小数位数"), tr("小数位数/有效数字切换")});
    digits_ = new QSpinBox(this);
    digits_->setObjectName(QStringLiteral("digits"));
    digits_->setRange(0, 15);
    digits_->setKeyboardTracking(false);
    digitsUnit_ = new QLabel(this);
    digitsUnit_->setObjectName(QStringLiteral("digitsUnit"));
    // With the switch: "3 位有效数字，低于 1 时 2 位小数".
    switchFields_ = new QWidget(this);
    switchFields_->setObjectName(QStringLiteral("switchFields"));
    auto* switchRow = new QHBoxLayout(switchFields_);
    switchRow->setContentsMargins(0, 0, 0, 0);
    switchAt_ = textBox(switchFields_, QStringLiteral("switchAt"), 6);
    switchDecimals_ = new QSpinBox(switchFields_);
    switchDecimals_->setObjectName(QStringLiteral("switchDecimals"));
    switchDecimals_->setRange(0, 15);
    switchDecimals_->setKeyboardTracking(false);
    const QString below = tr("低于", "the rounding switch: below the threshold");
    const QString decimals = tr("位小数", "the rounding switch: the decimals below the threshold");
    switchAt_->setAccessibleName(tr("修约切换值"));
    switchDecimals_->setAccessibleName(tr("低于切换值时的小数位数"));
    for (QWidget* widget : std::initializer_list<QWidget*>{
             new QLabel(below, switchFields_), switchAt_,
             new QLabel(tr("时", "the rounding switch: then"), switchFields_), switchDecimals_,
             new QLabel(decimals, switchFields_)}) {
        switchRow->addWidget(widget);
    }
    below_ = new QComboBox(this);
    below_->setObjectName(QStringLiteral("below"));
    below_->addItems({tr("未检出"), tr("<检出限"), tr("检出限L")});
    blankAbsorbanceMax_ = textBox(this, QStringLiteral("blankAbsorbanceMax"), 6);
    blankAbsorbanceMax_->setPlaceholderText(tr("不限"));
    blankAbsorbanceMax_->setToolTip(blankAbsorbanceHint());
    auto* rounding = new QHBoxLayout;
    addFields(rounding, this,
              {{tr("修约"), rounding_},
               {QString(), digits_},
               {QString(), digitsUnit_},
               {QString(), switchFields_},
               {tr("低于检出限时报告"), below_},
               {tr("空白吸光度 ≤"), blankAbsorbanceMax_}});
    settingsLayout->addLayout(rounding);

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
    settingsLayout->addLayout(limits);
    settingsLayout->addWidget(new UncertaintySettingsRow(calibration, this));

    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("batchProblem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b71c1c"));
    layout->addWidget(problem_);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("qcSummary"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    for (QLineEdit* box :
         {volume_, volumeUnit_, factor_, resultUnit_, switchAt_, blankAbsorbanceMax_}) {
        connect(box, &QLineEdit::editingFinished, this, &BatchPanel::apply);
    }
    connect(blankCorrection_, &QCheckBox::toggled, this, &BatchPanel::apply);
    for (QComboBox* box : {rounding_, below_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &BatchPanel::apply);
    }
    for (QSpinBox* box : {digits_, switchDecimals_}) {
        connect(box, &QSpinBox::valueChanged, this, &BatchPanel::apply);
    }
    for (QDoubleSpinBox* box : {minimumR_, duplicate_, spikeLow_, spikeHigh_, check_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &BatchPanel::apply);
    }
    connect(&calibration, &CurrentCalibration::resultsChanged, this, &BatchPanel::refresh);
    refresh();
}

void BatchPanel::setSettingsVisible(bool visible) {
    settings_->setVisible(visible);
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
    digitsUnit_->setText(s.rounding == calibration::Rounding::Decimals ? tr("位小数")
                                                                       : tr("位有效数字"));
    switchFields_->setVisible(s.rounding == calibration::Rounding::Switch);
    switchAt_->setText(numberText(s.switchAt));
    switchDecimals_->setValue(s.switchDecimals);
    below_->setCurrentIndex(int(s.below));
    blankAbsorbanceMax_->setText(numberText(s.blankAbsorbanceMax));
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
    // The switch's threshold above 0, the blank absorbance maximum from 0 to 10 (empty: none), as
    // a file may hold them.
    const QString threshold = switchAt_->text().trimmed();
    const std::optional<double> at = calc::strictParse(io::toDocument(threshold));
    if (at && *at > 0 && std::isfinite(*at)) {
        s.switchAt = *at;
    } else {
        refused.push_back(
            {switchAt_, switchAt_->text(), tr("修约切换值 \"%1\" 应为大于0的数").arg(threshold)});
    }
    const QString maximum = blankAbsorbanceMax_->text().trimmed();
    const std::optional<double> most = calc::strictParse(io::toDocument(maximum));
    if (maximum.isEmpty()) {
        s.blankAbsorbanceMax.reset();
    } else if (most && *most >= 0 && *most <= 10) {
        s.blankAbsorbanceMax = *most + 0.0;
    } else {
        refused.push_back({blankAbsorbanceMax_, blankAbsorbanceMax_->text(),
                           tr("空白吸光度上限 \"%1\" 应为0到10之间的数").arg(maximum)});
    }
    s.resultUnit = io::toDocument(resultUnit_->text().trimmed());
    s.rounding = calibration::Rounding(rounding_->currentIndex());
    s.digits = s.rounding == calibration::Rounding::Decimals ? digits_->value()
                                                             : std::max(1, digits_->value());
    s.switchDecimals = switchDecimals_->value();
    s.below = calibration::BelowLimit(below_->currentIndex());
    s.minimumR = minimumR_->value();
    s.duplicateMaxPct = duplicate_->value();
    s.spikeLowPct = spikeLow_->value();
    s.spikeHighPct = spikeHigh_->value();
    s.checkMaxPct = check_->value();
    if (!changeSettings(calibration_, prompts_, s)) {
        refresh(); // cancelled: the document's values again
        return;
    }
    // After the refresh the settings may have caused, which shows the document's values.
    refused_ = std::move(refused);
    showProblems();
}

void BatchPanel::showProblems() {
    for (QLineEdit* box : {volume_, factor_, switchAt_, blankAbsorbanceMax_}) {
        box->setStyleSheet(QString());
        box->setToolTip(box == blankAbsorbanceMax_ ? blankAbsorbanceHint() : QString());
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
