#include "analysis/batch_filing.h"

#include "analysis/current_calibration.h"
#include "io/batch_identity.h"
#include "io/document_text.h"
#include "records/batch_record.h"
#include "records/configured.h"
#include "records/filing.h"
#include "records/judging.h"
#include "records/store.h"
#include "records/top_down.h"
#include "ui/prompts.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QWidget>

namespace analysis {

namespace {

using io::rendered;

// The configured database, or why there is none.
std::optional<records::DatabaseUrl> configured(QString& whyNot) {
    auto url = records::configuredDatabase();
    if (const auto* why = std::get_if<calibration::Message>(&url)) {
        whyNot = rendered(*why);
        return std::nullopt;
    }
    return std::get<records::DatabaseUrl>(url);
}

} // namespace

BatchFiling::BatchFiling(CurrentCalibration& calibration, ui::Prompts& prompts, QWidget* window)
    : QObject(window), calibration_(calibration), prompts_(prompts), window_(window) {
    action_ = new QAction(tr("归档批次"), this);
    action_->setObjectName(QStringLiteral("fileBatch"));
    connect(action_, &QAction::triggered, this, &BatchFiling::file);

    // The action's button, and beside it the mark and the note, which wraps rather than pushing
    // the others out of the menu bar's corner.
    bar_ = new QWidget(window);
    bar_->setObjectName(QStringLiteral("filingBar"));
    auto* layout = new QHBoxLayout(bar_);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* button = new QToolButton(bar_);
    button->setDefaultAction(action_);
    button->setAutoRaise(true);
    button->setObjectName(QStringLiteral("fileBatchButton"));
    layout->addWidget(button);
    mark_ = new QLabel(bar_);
    mark_->setObjectName(QStringLiteral("filingMark"));
    layout->addWidget(mark_);
    chartNote_ = new QLabel(bar_);
    chartNote_->setObjectName(QStringLiteral("chartNote"));
    chartNote_->setStyleSheet(QStringLiteral("color: #b71c1c"));
    chartNote_->setWordWrap(true);
    QSizePolicy policy = chartNote_->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    chartNote_->setSizePolicy(policy);
    chartNote_->hide();
    layout->addWidget(chartNote_, 1);
    layout->addStretch();

    connect(&calibration_, &CurrentCalibration::documentChanged, this,
            &BatchFiling::documentChanged);
    connect(&calibration_, &CurrentCalibration::modifiedChanged, this,
            &BatchFiling::documentChanged);
    connect(&calibration_, &CurrentCalibration::fileChanged, this, &BatchFiling::documentChanged);
    connect(&calibration_, &CurrentCalibration::resultsChanged, this, &BatchFiling::resultsChanged);
    window_->installEventFilter(this);
    documentChanged();
    resultsChanged();
}

BatchFiling::~BatchFiling() = default;

QString BatchFiling::mark() const {
    return mark_->isVisibleTo(bar_) ? mark_->text() : QString();
}

// The identity of the document as saved, and whether this workstation filed it.
void BatchFiling::documentChanged() {
    const bool saved = !calibration_.file().isEmpty() && !calibration_.isModified();
    if (!saved) {
        identity_.clear();
        filed_.reset();
        supersedes_.reset();
        updateMark();
        return;
    }
    std::string identity = io::batchIdentity(calibration_.document());
    if (identity != identity_) {
        identity_ = std::move(identity);
        supersedes_.reset();
        QString whyNot;
        const auto url = configured(whyNot);
        filed_ = url ? records::rememberedFiling(*url, identity_) : std::nullopt;
        // Another document: its charts read anew.
        readCharts(true);
    }
    updateMark();
}

void BatchFiling::resultsChanged() {
    if (reading_) {
        return;
    }
    readCharts(false);
    updateMark();
}

void BatchFiling::updateMark() {
    const bool saved = !calibration_.file().isEmpty() && !calibration_.isModified();
    action_->setEnabled(saved);
    action_->setToolTip(saved ? tr("把这个批次归档到质控数据库")
                              : tr("先保存文件（没有未保存的修改）才能归档"));
    QString text;
    if (calibration_.curve().hasCurve()) {
        text = !filed_ ? tr("未归档")
               : supersedes_ ? tr("已归档（批次 %1，取代批次 %2）").arg(*filed_).arg(*supersedes_)
                             : tr("已归档（批次 %1）").arg(*filed_);
    }
    mark_->setText(text);
    // Not filed reads as a warning does; filed, as plain text.
    mark_->setStyleSheet(filed_ ? QString() : QStringLiteral("color: #b35c00"));
    mark_->setVisible(!text.isEmpty());
    chartNote_->setText(chartFault_.isEmpty() ? QString()
                                              : tr("未按质控图判断：%1").arg(chartFault_));
    chartNote_->setVisible(!chartFault_.isEmpty());
}

records::Store* BatchFiling::store(const records::DatabaseUrl& url, QString& whyNot) {
    if (store_ && store_->url() == url) {
        return store_.get();
    }
    store_.reset();
    auto opened = records::openStore(url);
    if (!opened) {
        whyNot = rendered(opened.fault().message);
        return nullptr;
    }
    store_ = std::move(opened).value();
    return store_.get();
}

// The charts of the document's group for its series, unless the calibration holds them already
// (`force`: read them anyway).
// With the way top-down, the inputs of the document's method read from the configured database
// (again when forced, for another method, or a result factor that converts the levels otherwise);
// why they cannot be, as every result's reason.
void BatchFiling::readTopDown(bool force) {
    const calibration::Document& document = calibration_.document();
    const auto& current = calibration_.topDownInputs();
    if (document.settings.uncertainty.way != calibration::UncertaintyWay::TopDown) {
        if (current) {
            reading_ = true;
            calibration_.setTopDownInputs(nullptr);
            reading_ = false;
        }
        return;
    }
    const double factor = calibration_.batch().resultFactor;
    if (!force && current && factor == topDownFactor_ &&
        records::groupOf(document) == calibration_.chartContext().group) {
        return;
    }
    topDownFactor_ = factor;
    std::shared_ptr<const calibration::TopDownInputs> inputs;
    QString whyNot;
    const auto url = configured(whyNot);
    records::Store* charts = nullptr;
    if (url && records::missingFile(*url)) {
        inputs = std::make_shared<calibration::TopDownInputs>(); // nothing filed yet
    } else if (url) {
        charts = store(*url, whyNot);
    }
    if (charts != nullptr) {
        inputs = records::readTopDownInputs(*charts, document, calibration_.results());
    } else if (!inputs) {
        auto none = std::make_shared<calibration::TopDownInputs>();
        none->problem = calibration::Message("%1", {whyNot.toStdString()});
        inputs = std::move(none);
    }
    reading_ = true;
    calibration_.setTopDownInputs(std::move(inputs));
    reading_ = false;
}

void BatchFiling::readCharts(bool force) {
    const calibration::Document& document = calibration_.document();
    readTopDown(force);
    const std::set<std::string> keys =
        records::seriesOf(records::qcRows(document, calibration_.results()));
    const records::ChartGroup group = records::groupOf(document);
    if (!force && records::covers(calibration_.chartContext(), group, keys)) {
        return;
    }
    // Until read, and when they cannot be: no frozen charts, so that nothing is tried again at
    // every change.
    records::ChartContext context{group, {}};
    for (const std::string& key : keys) {
        context.series[key] = std::nullopt;
    }
    chartFault_.clear();
    faultDatabase_.clear();
    if (!keys.empty()) {
        QString whyNot;
        if (const auto url = configured(whyNot); !url) {
            chartFault_ = whyNot;
        } else if (!records::missingFile(*url)) {
            faultDatabase_ = QString::fromStdString(records::databaseText(*url));
            if (records::Store* charts = store(*url, whyNot); !charts) {
                chartFault_ = whyNot;
            } else {
                auto read = records::readChartContext(*charts, group, keys,
                                                      identity_.empty() ? std::nullopt : filed_);
                if (read) {
                    context = std::move(read).value();
                } else {
                    chartFault_ = rendered(read.fault().message);
                    store_.reset(); // a lost connection is opened anew next time
                }
            }
        }
    }
    if (chartFault_.isEmpty()) {
        faultDatabase_.clear();
    }
    reading_ = true;
    calibration_.setChartContext(std::move(context));
    reading_ = false;
    updateMark();
}

void BatchFiling::refreshCharts() {
    readCharts(true);
}

// Back in the window the charts are read again, limits may have been frozen meanwhile; after a
// fault only when the setting names another database.
bool BatchFiling::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::ActivationChange &&
        window_->isActiveWindow()) {
        QString whyNot;
        const auto url = configured(whyNot);
        const QString database = url ? QString::fromStdString(records::databaseText(*url)) : whyNot;
        if (chartFault_.isEmpty() || database != faultDatabase_) {
            readCharts(true);
        }
    }
    return QObject::eventFilter(watched, event);
}

void BatchFiling::file() {
    const QString path = calibration_.file();
    if (path.isEmpty() || calibration_.isModified()) {
        return;
    }
    if (!calibration_.curve().hasCurve()) {
        prompts_.tell(tr("尚未计算标准曲线，没有可归档的批次"));
        return;
    }
    QString whyNot;
    const auto url = configured(whyNot);
    records::Store* target = url ? store(*url, whyNot) : nullptr;
    if (target == nullptr) {
        prompts_.tell(tr("归档失败：%1").arg(whyNot));
        return;
    }
    // The verdicts filed are those of the charts as they stand now.
    readCharts(true);
    if (!chartFault_.isEmpty()) {
        prompts_.tell(tr("归档失败：%1").arg(chartFault_));
        return;
    }
    target = store(*url, whyNot);
    if (target == nullptr) {
        prompts_.tell(tr("归档失败：%1").arg(whyNot));
        return;
    }
    if (identity_.empty()) {
        identity_ = io::batchIdentity(calibration_.document());
    }
    const records::BatchRecord record =
        records::batchRecord(calibration_.document(), calibration_.results(), identity_,
                             io::toDocument(QFileInfo(path).absoluteFilePath()));
    const auto filed = records::fileBatch(*target, record);
    if (!filed) {
        store_.reset();
        prompts_.tell(tr("归档失败：%1").arg(rendered(filed.fault().message)));
        return;
    }
    filed_ = filed->batch;
    supersedes_ = filed->duplicate ? std::nullopt : filed->supersedes;
    updateMark();
    if (filed->duplicate) {
        prompts_.tell(tr("此批次已归档（批次 %1）").arg(filed->batch));
    }
    // Its own points are no earlier points of the charts.
    readCharts(true);
}

} // namespace analysis
