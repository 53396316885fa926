#include "analysis/model_panel.h"

#include "analysis/change_reason.h"
#include "analysis/current_calibration.h"
#include "analysis/full_text.h"
#include "analysis/readable.h"
#include "analysis/validation_rows.h"
#include "io/document_text.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace analysis {

namespace {

constexpr calc::Weighting kWeightings[] = {
    calc::Weighting::None,     calc::Weighting::InverseX,  calc::Weighting::InverseX2,
    calc::Weighting::InverseY, calc::Weighting::InverseY2, calc::Weighting::InverseVariance,
};

QString weightingText(calc::Weighting weighting) {
    return io::fromDocument(calibration::translate(calibration::weightingName(weighting)));
}

QComboBox* combo(QWidget* parent, const QString& name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

void tableLook(QTableView* table) {
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    showFullTexts(*table);
}

} // namespace

// The weighting comparison of the curve's results, a row per weighting that can be used: its
// name (★ on the best) and the sum of the relative errors. Column 0 holds the weighting under
// Qt::UserRole.
class WeightingTable final : public QAbstractTableModel {
public:
    WeightingTable(const CurrentCalibration& calibration, QStringList headers, QObject* parent)
        : QAbstractTableModel(parent), calibration_(calibration), headers_(std::move(headers)) {}

    // The results are new: the rows are read again.
    void reset() {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows().size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) {
            return {};
        }
        const calibration::WeightingComparison& row = rows()[std::size_t(index.row())];
        if (role == Qt::UserRole && index.column() == 0) {
            return int(row.weighting);
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        return index.column() == 0
                   ? weightingText(row.weighting) + (row.best ? QStringLiteral(" ★") : QString())
                   : readable(row.sumRelativeErrorPct);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < headers_.size()) {
            return headers_[section];
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    const std::vector<calibration::WeightingComparison>& rows() const {
        return calibration_.curve().weightings;
    }

    const CurrentCalibration& calibration_;
    QStringList headers_;
};

ModelControls::ModelControls(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent)
    : QWidget(parent), calibration_(calibration), prompts_(prompts) {
    setObjectName(QStringLiteral("modelControls"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    QStringList models;
    for (const calc::Model model :
         {calc::Model::Line, calc::Model::Origin, calc::Model::Quadratic}) {
        models << io::fromDocument(calibration::translate(calibration::modelName(model)));
    }
    QStringList weightings;
    for (const calc::Weighting weighting : kWeightings) {
        weightings << weightingText(weighting);
    }
    type_ = combo(this, QStringLiteral("calibrationType"), {tr("外标"), tr("标准加入")});
    type_->setAccessibleName(tr("校准方式"));
    typeBox_ = new QWidget(this);
    typeLayout_ = new QBoxLayout(QBoxLayout::LeftToRight, typeBox_);
    typeLayout_->setContentsMargins(0, 0, 0, 0);
    auto* typeLabel = new QLabel(tr("校准方式"), this);
    typeLabel->setBuddy(type_);
    typeLayout_->addWidget(typeLabel);
    typeLayout_->addWidget(type_);
    connect(type_, &QComboBox::currentIndexChanged, this, &ModelControls::apply);
    internalStandard_ = new QCheckBox(tr("内标"), this);
    internalStandard_->setObjectName(QStringLiteral("internalStandard"));
    typeLayout_->addWidget(internalStandard_);
    // A line of their own above the model's: beside it they would widen the statistics' column
    // beyond a window of common width.
    layout->addWidget(typeBox_, 0, Qt::AlignLeft);
    column_ = layout;
    typeHolder_ = layout;
    connect(internalStandard_, &QCheckBox::toggled, this, &ModelControls::apply);
    model_ = combo(this, QStringLiteral("model"), models);
    weighting_ = combo(this, QStringLiteral("weighting"), weightings);
    level_ = combo(this, QStringLiteral("level"), {QStringLiteral("95%"), QStringLiteral("99%")});
    const std::pair<QString, QComboBox*> fields[] = {
        {tr("模型"), model_}, {tr("权重"), weighting_}, {tr("置信水平"), level_}};
    for (const auto& [label, box] : fields) {
        auto* text = new QLabel(label, this);
        text->setBuddy(box);
        box->setAccessibleName(label);
        row->addWidget(text);
        row->addWidget(box);
        connect(box, &QComboBox::currentIndexChanged, this, &ModelControls::apply);
    }
    row->addStretch();
    layout->addLayout(row);
    line_ = new QLabel(this);
    line_->setObjectName(QStringLiteral("modelLine"));
    line_->setWordWrap(true);
    layout->addWidget(line_);
    connect(&calibration, &CurrentCalibration::resultsChanged, this, &ModelControls::refresh);
    refresh();
}

void ModelControls::placeCalibrationType(QBoxLayout* column) {
    QBoxLayout* to = column != nullptr ? column : column_;
    if (to == typeHolder_) {
        return;
    }
    typeHolder_->removeWidget(typeBox_);
    typeLayout_->setDirection(column != nullptr ? QBoxLayout::TopToBottom
                                                : QBoxLayout::LeftToRight);
    // In a column they go above its closing stretch; here in their line above the model's.
    if (column != nullptr) {
        column->insertWidget(column->count() - 1, typeBox_);
    } else {
        column_->insertWidget(0, typeBox_, 0, Qt::AlignLeft);
    }
    typeHolder_ = to;
    typeBox_->show();
    // A new parent puts them at its end of the focus chain: back before the model, as built.
    QWidget::setTabOrder(model_->previousInFocusChain(), type_);
    QWidget::setTabOrder(type_, internalStandard_);
}

void ModelControls::refresh() {
    const calibration::Settings& settings = calibration_.document().settings;
    refreshing_ = true;
    const bool addition = settings.calibration == calibration::CalibrationType::Addition;
    type_->setCurrentIndex(addition ? 1 : 0);
    // The internal standard is an option of the external calibration; a standard addition is
    // the straight line.
    internalStandard_->setChecked(settings.internalStandard);
    internalStandard_->setEnabled(!addition);
    model_->setEnabled(!addition);
    model_->setCurrentIndex(int(settings.model));
    weighting_->setCurrentIndex(int(settings.weighting));
    level_->setCurrentIndex(settings.level == 99 ? 1 : 0);
    refreshing_ = false;
    line_->setText(
        io::fromDocument(calibration::render(calibration::modelLine(calibration_.document()))));
}

void ModelControls::apply() {
    if (refreshing_) {
        return;
    }
    calibration::Settings settings = calibration_.document().settings;
    settings.calibration = calibration::CalibrationType(type_->currentIndex());
    settings.internalStandard = internalStandard_->isChecked();
    settings.model = calc::Model(model_->currentIndex());
    settings.weighting = calc::Weighting(weighting_->currentIndex());
    settings.level = level_->currentIndex() == 1 ? 99 : 95;
    if (!changeSettings(calibration_, prompts_, settings)) {
        refresh();
    }
}

ModelTab::ModelTab(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent)
    : QWidget(parent), calibration_(calibration), prompts_(prompts) {
    setObjectName(QStringLiteral("modelTab"));
    auto* layout = new QVBoxLayout(this);
    intercept_ = new QLabel(this);
    intercept_->setObjectName(QStringLiteral("interceptTest"));
    intercept_->setWordWrap(true);
    layout->addWidget(intercept_);
    auto* title =
        new QLabel(tr("权重比较：各权重下未排除、浓度不为0的标准点反算浓度的相对误差绝对值之和"
                      "（最小者标 ★）；双击一行即采用该权重。"),
                   this);
    title->setWordWrap(true);
    layout->addWidget(title);
    weightings_ = new WeightingTable(calibration, {tr("权重"), tr("Σ|相对误差| %")}, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("weightingComparison"));
    table_->setAccessibleName(tr("权重比较"));
    table_->setModel(weightings_);
    tableLook(table_);
    layout->addWidget(table_, 1);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const QVariant weighting = weightings_->index(index.row(), 0).data(Qt::UserRole);
        calibration::Settings settings = calibration_.document().settings;
        settings.weighting = calc::Weighting(weighting.toInt());
        changeSettings(calibration_, prompts_, settings);
    });
    connect(&calibration, &CurrentCalibration::resultsChanged, this, &ModelTab::refresh);
    refresh();
}

void ModelTab::refresh() {
    const calibration::Results& results = calibration_.results();
    const QString verdict = interceptVerdict(results);
    intercept_->setText(verdict.isEmpty() ? tr("截距检验：只用于直线模型，且至少需要3个标准点")
                                          : tr("截距检验：%1").arg(verdict));
    weightings_->reset();
}

ValidationTab::ValidationTab(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* parent)
    : QWidget(parent), calibration_(calibration), prompts_(prompts) {
    setObjectName(QStringLiteral("validationTab"));
    auto* layout = new QVBoxLayout(this);
    auto* settings = new QHBoxLayout;
    alpha_ = combo(this, QStringLiteral("alpha"), {QStringLiteral("0.05"), QStringLiteral("0.01")});
    k_ = new QDoubleSpinBox(this);
    k_->setObjectName(QStringLiteral("k"));
    k_->setRange(1, 10);
    k_->setDecimals(1);
    m_ = new QSpinBox(this);
    m_->setObjectName(QStringLiteral("m"));
    m_->setRange(1, 100); // as a file may hold it
    // A number typed counts when it is finished (Enter, or the focus leaving), not at every key.
    k_->setKeyboardTracking(false);
    m_->setKeyboardTracking(false);
    limit_ = combo(
        this, QStringLiteral("reportedLimit"),
        {QStringLiteral("LOD"), QStringLiteral("x_d (DIN 32645)"), QStringLiteral("MDL (HJ 168)")});
    const std::pair<QString, QWidget*> fields[] = {{QStringLiteral("α"), alpha_},
                                                   {QStringLiteral("k"), k_},
                                                   {QStringLiteral("m"), m_},
                                                   {tr("报告检出限"), limit_}};
    for (const auto& [label, widget] : fields) {
        auto* text = new QLabel(label, this);
        text->setBuddy(widget);
        widget->setAccessibleName(label);
        settings->addWidget(text);
        settings->addWidget(widget);
    }
    connect(alpha_, &QComboBox::currentIndexChanged, this, &ValidationTab::apply);
    connect(limit_, &QComboBox::currentIndexChanged, this, &ValidationTab::apply);
    connect(k_, &QDoubleSpinBox::valueChanged, this, &ValidationTab::apply);
    connect(m_, &QSpinBox::valueChanged, this, &ValidationTab::apply);
    confidence_ = new QCheckBox(tr("置信带"), this);
    confidence_->setObjectName(QStringLiteral("confidenceBand"));
    prediction_ = new QCheckBox(tr("预测带"), this);
    prediction_->setObjectName(QStringLiteral("predictionBand"));
    for (QCheckBox* box : {confidence_, prediction_}) {
        settings->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &ValidationTab::bandsChanged);
    }
    settings->addStretch();
    layout->addLayout(settings);
    rows_ = new ValidationModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("validation"));
    table_->setAccessibleName(tr("验证"));
    table_->setModel(rows_);
    tableLook(table_);
    layout->addWidget(table_, 1);
    connect(&calibration, &CurrentCalibration::resultsChanged, this, &ValidationTab::refresh);
    refresh();
}

bool ValidationTab::showConfidence() const {
    return confidence_->isChecked();
}

bool ValidationTab::showPrediction() const {
    return prediction_->isChecked();
}

void ValidationTab::refresh() {
    const calibration::Settings& settings = calibration_.document().settings;
    refreshing_ = true;
    alpha_->setCurrentIndex(settings.alpha == 0.05 ? 0 : 1);
    k_->setValue(settings.k);
    m_->setValue(settings.m);
    limit_->setCurrentIndex(int(settings.limit));
    refreshing_ = false;
    rows_->setRows(validationRows(calibration_.document(), calibration_.results()));
}

void ValidationTab::apply() {
    if (refreshing_) {
        return;
    }
    calibration::Settings settings = calibration_.document().settings;
    settings.alpha = alpha_->currentIndex() == 0 ? 0.05 : 0.01;
    settings.k = k_->value();
    settings.m = m_->value();
    settings.limit = calibration::ReportedLimit(limit_->currentIndex());
    if (!changeSettings(calibration_, prompts_, settings)) {
        refresh();
    }
}

} // namespace analysis
