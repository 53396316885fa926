#include "analysis/uncertainty_panel.h"

#include "analysis/current_calibration.h"
#include "analysis/readable.h"
#include "analysis/uncertainty_texts.h"
#include "calc/number_format.h"
#include "calibration/results.h"
#include "io/document_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

QString messageText(const calibration::Message& message) {
    return io::fromDocument(calibration::render(message));
}

QDoubleSpinBox* percentBox(QWidget* parent, const QString& name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, 100);
    box->setDecimals(3);
    box->setSuffix(QStringLiteral(" %"));
    box->setSpecialValueText(QStringLiteral("—")); // 0: the component is not given
    return box;
}

} // namespace

UncertaintySettingsRow::UncertaintySettingsRow(CurrentCalibration& calibration, QWidget* parent)
    : QWidget(parent), calibration_(calibration) {
    setObjectName(QStringLiteral("uncertaintySettings"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    way_ = new QComboBox(this);
    way_->setObjectName(QStringLiteral("uncertaintyWay"));
    way_->addItems({tr("不评定"), tr("自下而上"), tr("自上而下（质控数据）")});
    volume_ = percentBox(this, QStringLiteral("uVolume"));
    dilution_ = percentBox(this, QStringLiteral("uDilution"));
    standard_ = percentBox(this, QStringLiteral("uStandard"));
    recovery_ = percentBox(this, QStringLiteral("uRecovery"));
    spikes_ = new QCheckBox(tr("由加标样"), this);
    spikes_->setObjectName(QStringLiteral("uRecoverySpikes"));
    coverage_ = new QComboBox(this);
    coverage_->setObjectName(QStringLiteral("coverage"));
    coverage_->addItems({QStringLiteral("k = 2"), QStringLiteral("k = t(0.975; ν_eff)")});
    const std::pair<QString, QWidget*> fields[] = {
        {tr("不确定度"), way_},      {tr("体积"), volume_},     {tr("稀释"), dilution_},
        {tr("标准物质"), standard_}, {tr("回收率"), recovery_}, {QString(), spikes_},
        {tr("包含因子"), coverage_},
    };
    for (const auto& [label, widget] : fields) {
        if (!label.isEmpty()) {
            auto* text = new QLabel(label, this);
            text->setBuddy(widget);
            widget->setAccessibleName(label);
            row->addWidget(text);
        }
        row->addWidget(widget);
    }
    row->addStretch();
    setToolTip(
        tr("各分量为相对标准不确定度（%），对本批每个结果都适用；方法文件中的容差按其分布换算。"));
    for (QComboBox* box : {way_, coverage_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &UncertaintySettingsRow::apply);
    }
    for (QDoubleSpinBox* box : {volume_, dilution_, standard_, recovery_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &UncertaintySettingsRow::apply);
    }
    connect(spikes_, &QCheckBox::toggled, this, &UncertaintySettingsRow::apply);
    connect(&calibration, &CurrentCalibration::resultsChanged, this,
            &UncertaintySettingsRow::refresh);
    refresh();
}

void UncertaintySettingsRow::refresh() {
    const calibration::UncertaintySettings& u = calibration_.document().settings.uncertainty;
    refreshing_ = true;
    way_->setCurrentIndex(int(u.way));
    coverage_->setCurrentIndex(int(u.coverage));
    for (const auto& [box, component] :
         {std::pair{volume_, &u.volume}, std::pair{dilution_, &u.dilution},
          std::pair{standard_, &u.standard}, std::pair{recovery_, &u.recovery}}) {
        // A tolerance shows as the standard uncertainty it converts to.
        const auto relative =
            *component ? calc::relativeStandardUncertainty((*component)->typed()) : std::nullopt;
        box->setValue(relative ? *relative * 100 : 0);
    }
    spikes_->setChecked(u.recoveryFromSpikes);
    const bool bottomUp = u.way == calibration::UncertaintyWay::BottomUp;
    for (QWidget* widget : {static_cast<QWidget*>(volume_), static_cast<QWidget*>(dilution_),
                            static_cast<QWidget*>(standard_), static_cast<QWidget*>(spikes_)}) {
        widget->setEnabled(bottomUp);
    }
    recovery_->setEnabled(bottomUp && !u.recoveryFromSpikes);
    coverage_->setEnabled(u.way != calibration::UncertaintyWay::None);
    refreshing_ = false;
}

void UncertaintySettingsRow::apply() {
    if (refreshing_) {
        return;
    }
    calibration::Settings settings = calibration_.document().settings;
    calibration::UncertaintySettings& u = settings.uncertainty;
    u.way = calibration::UncertaintyWay(way_->currentIndex());
    u.coverage = calc::Coverage(coverage_->currentIndex());
    u.recoveryFromSpikes = spikes_->isChecked();
    for (const auto& [box, component] :
         {std::pair{volume_, &u.volume}, std::pair{dilution_, &u.dilution},
          std::pair{standard_, &u.standard}, std::pair{recovery_, &u.recovery}}) {
        const auto shown =
            *component ? calc::relativeStandardUncertainty((*component)->typed()) : std::nullopt;
        const double typed = box->value() / 100;
        // Only a box the user changed replaces its component: a tolerance from a method stays.
        if (std::fabs(typed - (shown ? *shown : 0)) < 5e-6) {
            continue;
        }
        if (typed > 0) {
            *component = calibration::RelativeComponent{typed, std::nullopt};
        } else {
            component->reset();
        }
    }
    if (!(settings == calibration_.document().settings)) {
        calibration_.setSettings(settings);
    }
}

UncertaintyTab::UncertaintyTab(CurrentCalibration& calibration, QWidget* parent)
    : QWidget(parent), calibration_(calibration) {
    setObjectName(QStringLiteral("uncertaintyTab"));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("uncertaintySummary"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    budget_ = new QTableWidget(0, 6, this);
    budget_->setObjectName(QStringLiteral("uncertaintyBudget"));
    budget_->setHorizontalHeaderLabels({tr("分量"), tr("输入"), tr("标准不确定度"),
                                        tr("相对标准不确定度"), tr("占比"), QString()});
    budget_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    budget_->verticalHeader()->hide();
    budget_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(budget_, 1);
    connect(&calibration, &CurrentCalibration::resultsChanged, this, &UncertaintyTab::refresh);
    refresh();
}

void UncertaintyTab::showRow(int row) {
    row_ = row;
    refresh();
}

void UncertaintyTab::refresh() {
    budget_->setRowCount(0);
    const calibration::Document& document = calibration_.document();
    if (document.settings.uncertainty.way == calibration::UncertaintyWay::None) {
        summary_->setText(tr("未选择不确定度的评定方式（样品页的批次设置）。"));
        return;
    }
    const auto& results = calibration_.sampleResults();
    if (row_ < 0 || std::size_t(row_) >= results.size()) {
        summary_->setText(tr("在样品表中选择一个样品，显示其不确定度评定。"));
        return;
    }
    const calibration::SampleResult& result = results[std::size_t(row_)];
    const QString name = io::fromDocument(document.samples[std::size_t(row_)].name);
    if (!result.uncertainty || !result.uncertainty->value) {
        summary_->setText(tr("“%1”：没有不确定度（%2）").arg(name, expandedReason(result)));
        return;
    }
    const calibration::SampleUncertainty& u = *result.uncertainty;
    const calc::Uncertainty& value = *u.value;
    const QString unit = io::fromDocument(calibration_.batch().resultUnit);
    QString coverage = tr("k = %1").arg(readable(value.k));
    if (value.nuEff) {
        coverage +=
            tr("，ν_eff = %1")
                .arg(std::isfinite(*value.nuEff) ? QString::fromStdString(calc::formatNumber(
                                                       *value.nuEff, calc::NumberStyle::fixed(2)))
                                                 : QStringLiteral("∞"));
    }
    summary_->setText(tr("“%1”：%2 ± %3 %4（%5；u_c,rel = %6）")
                          .arg(name, io::fromDocument(u.resultText),
                               io::fromDocument(value.expandedText), unit, coverage,
                               sharePercent(value.uRel)));
    budget_->setRowCount(int(value.components.size()));
    for (std::size_t i = 0; i < value.components.size(); ++i) {
        const calc::BudgetLine& line = value.components[i];
        const QString cells[] = {
            io::fromDocument(calibration::translate(calibration::componentWord(line.name))),
            i < u.inputs.size() ? messageText(u.inputs[i]) : QString(),
            readable(line.u),
            sharePercent(line.uRel),
            sharePercent(line.share),
        };
        for (int column = 0; column < 5; ++column) {
            budget_->setItem(int(i), column, new QTableWidgetItem(cells[column]));
        }
        auto* bar = new QProgressBar(budget_);
        bar->setRange(0, 1000);
        bar->setValue(int(std::lround(line.share * 1000)));
        bar->setTextVisible(false);
        budget_->setCellWidget(int(i), 5, bar);
    }
    budget_->resizeColumnsToContents();
}

} // namespace analysis
