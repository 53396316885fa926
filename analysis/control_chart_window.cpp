#include "analysis/control_chart_window.h"

#include "analysis/control_chart_export.h"
#include "calc/number_format.h"
#include "io/document_text.h"
#include "records/configured.h"
#include "records/store.h"
#include "ui/prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>

namespace analysis {

namespace {

using io::rendered;

QString number(double value) {
    return QString::fromStdString(calc::formatNumber(value, calc::NumberStyle::general(6)));
}

// "2.9 – 3.1", or "— – 3.2" on an upper-only chart.
QString band(const calc::ChartBand& b) {
    return ControlChartWindow::tr("%1 – %2", "a band's low and high line")
        .arg(b.low ? number(*b.low) : QStringLiteral("—"), b.high ? number(*b.high) : QString());
}

// What a series charts, in words: "校准核查 3", "加标回收率".
QString seriesCaption(const std::string& key) {
    const QString text = io::fromDocument(key);
    if (key.starts_with("check:")) {
        return ControlChartWindow::tr("校准核查 %1").arg(text.mid(6));
    }
    if (key.starts_with("reference:")) {
        return ControlChartWindow::tr("质控样 %1").arg(text.mid(10));
    }
    if (key == "spike") {
        return ControlChartWindow::tr("加标回收率");
    }
    if (key == "duplicate") {
        return ControlChartWindow::tr("平行样相对偏差");
    }
    if (key == "blank") {
        return ControlChartWindow::tr("空白吸光度");
    }
    if (key == "slope") {
        return ControlChartWindow::tr("斜率");
    }
    if (key == "intercept") {
        return ControlChartWindow::tr("截距");
    }
    return text;
}

// The vertical axis: what is charted, with its unit.
QString valueTitle(const std::string& key, const std::string& unit) {
    QString title = key.starts_with("check:")       ? ControlChartWindow::tr("测得浓度")
                    : key.starts_with("reference:") ? ControlChartWindow::tr("测定结果")
                    : key == "spike"                ? ControlChartWindow::tr("回收率")
                    : key == "duplicate"            ? ControlChartWindow::tr("相对偏差")
                    : key == "blank"                ? ControlChartWindow::tr("吸光度")
                                                    : seriesCaption(key);
    if (!unit.empty()) {
        title = ControlChartWindow::tr("%1 (%2)", "a quantity and its unit")
                    .arg(title, io::fromDocument(unit));
    }
    return title;
}

QString sigmaText(calc::SigmaEstimate sigma) {
    return sigma == calc::SigmaEstimate::MovingRange ? ControlChartWindow::tr("移动极差")
                                                     : ControlChartWindow::tr("标准偏差");
}

QString rulesText(calc::RuleSet rules) {
    return rules == calc::RuleSet::Westgard ? QStringLiteral("Westgard")
                                            : QStringLiteral("GB/T 17989.2");
}

// Where the limits come from, said in a line above the chart.
QString sourceText(const records::SeriesChart& chart) {
    const calc::ReferenceSummary& r = chart.chart.reference;
    const QString period = ControlChartWindow::tr("参考期%n个点（%1至%2）", nullptr, r.n)
                               .arg(io::fromDocument(r.from), io::fromDocument(r.to));
    QString text = chart.frozen ? ControlChartWindow::tr("控制限已冻结（%1，%2）：%3，σ估计：%4")
                                      .arg(io::fromDocument(chart.frozen->frozenBy),
                                           io::fromDocument(chart.frozen->frozenAt), period,
                                           sigmaText(chart.sigma))
                                : ControlChartWindow::tr("控制限未冻结，取自%1，σ估计：%2")
                                      .arg(period, sigmaText(chart.sigma));
    return ControlChartWindow::tr("%1；规则：%2").arg(text, rulesText(chart.rules));
}

} // namespace

// --- the chart widget ---

ControlChartWidget::ControlChartWidget(QWidget* parent) : QWidget(parent) {
    setAccessibleName(tr("质控图"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
}

void ControlChartWidget::setData(ControlChartData data) {
    data_ = std::move(data);
    setAccessibleDescription(hasChart(data_) ? data_.title + u' ' + data_.subtitle : QString());
    update();
}

QSize ControlChartWidget::minimumSizeHint() const {
    const double line = QFontMetricsF(font()).height();
    return {int(std::ceil(30 * line)), int(std::ceil(16 * line))};
}

QSize ControlChartWidget::sizeHint() const {
    const double line = QFontMetricsF(font()).height();
    return {int(std::ceil(48 * line)), int(std::ceil(24 * line))};
}

ControlChartGeometry ControlChartWidget::geometry() const {
    // The painting's geometry, from a painter on an image of the widget's size and resolution.
    QImage probe(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    probe.setDotsPerMeterX(int(std::lround(logicalDpiX() / 0.0254)));
    probe.setDotsPerMeterY(int(std::lround(logicalDpiY() / 0.0254)));
    QPainter measuring(&probe);
    measuring.setFont(font());
    return controlChartGeometry(measuring, rect(), data_);
}

int ControlChartWidget::pointAt(const QPoint& position) const {
    const ControlChartGeometry g = geometry();
    const double reach = QFontMetricsF(font()).height() * 0.6;
    int nearest = -1;
    double best = reach * reach;
    for (std::size_t i = 0; i < g.points.size(); ++i) {
        const QPointF d = g.points[i] - QPointF(position);
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance <= best) {
            best = distance;
            nearest = int(i);
        }
    }
    return nearest;
}

bool ControlChartWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int point = pointAt(help->pos());
        if (point >= 0) {
            QToolTip::showText(help->globalPos(), data_.points[std::size_t(point)].tip, this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void ControlChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintControlChart(painter, rect(), data_);
}

// --- the window ---

ControlChartWindow::ControlChartWindow(ui::Prompts& prompts, QWidget* owner)
    : QWidget(owner, Qt::Window), prompts_(prompts) {
    setObjectName(QStringLiteral("ControlChartWindow"));
    setWindowTitle(tr("质控图"));
    buildControls();
    const double line = QFontMetricsF(font()).height();
    resize(int(64 * line), int(44 * line));
}

ControlChartWindow::~ControlChartWindow() = default;

void ControlChartWindow::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const auto named = [](QWidget* widget, const char* name) {
        widget->setObjectName(QLatin1StringView(name));
        return widget;
    };
    const auto labelFor = [this](const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        return label;
    };

    database_ = new QLabel(this);
    named(database_, "database");
    database_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* refresh = new QPushButton(tr("刷新"), this);
    named(refresh, "refresh");
    connect(refresh, &QPushButton::clicked, this, &ControlChartWindow::reload);
    grid->addWidget(new QLabel(tr("质控数据库："), this), 0, 0);
    grid->addWidget(database_, 0, 1, 1, 4);
    grid->addWidget(refresh, 0, 5);

    group_ = new QComboBox(this);
    named(group_, "group");
    group_->setAccessibleName(tr("方法或分析项目"));
    series_ = new QComboBox(this);
    named(series_, "series");
    series_->setAccessibleName(tr("质控序列"));
    grid->addWidget(labelFor(tr("方法／分析项目(&M)："), group_), 1, 0);
    grid->addWidget(group_, 1, 1, 1, 2);
    grid->addWidget(labelFor(tr("序列(&S)："), series_), 1, 3);
    grid->addWidget(series_, 1, 4, 1, 2);

    rules_ = new QComboBox(this);
    named(rules_, "rules");
    rules_->addItem(QStringLiteral("GB/T 17989.2"), QStringLiteral("gb"));
    rules_->addItem(QStringLiteral("Westgard"), QStringLiteral("westgard"));
    sigma_ = new QComboBox(this);
    named(sigma_, "sigma");
    sigma_->addItem(tr("标准偏差"), QStringLiteral("sd"));
    sigma_->addItem(tr("移动极差"), QStringLiteral("mr"));
    grid->addWidget(labelFor(tr("规则(&R)："), rules_), 2, 0);
    grid->addWidget(rules_, 2, 1, 1, 2);
    grid->addWidget(labelFor(tr("σ估计："), sigma_), 2, 3);
    grid->addWidget(sigma_, 2, 4, 1, 2);

    auto* reference = new QHBoxLayout;
    byCount_ = new QRadioButton(tr("前"), this);
    named(byCount_, "referenceByCount");
    byCount_->setChecked(true);
    count_ = new QSpinBox(this);
    named(count_, "referenceCount");
    count_->setRange(calc::minimumReferencePoints, 100000);
    count_->setValue(20);
    count_->setAccessibleName(tr("参考期点数"));
    byDate_ = new QRadioButton(tr("日期范围"), this);
    named(byDate_, "referenceByDate");
    from_ = new QDateEdit(this);
    named(from_, "referenceFrom");
    to_ = new QDateEdit(this);
    named(to_, "referenceTo");
    for (QDateEdit* date : {from_, to_}) {
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        date->setCalendarPopup(true);
    }
    from_->setAccessibleName(tr("参考期起始日期"));
    to_->setAccessibleName(tr("参考期结束日期"));
    reference->addWidget(byCount_);
    reference->addWidget(count_);
    reference->addWidget(new QLabel(tr("个点"), this));
    reference->addSpacing(QFontMetricsF(font()).height());
    reference->addWidget(byDate_);
    reference->addWidget(from_);
    reference->addWidget(new QLabel(tr("至"), this));
    reference->addWidget(to_);
    reference->addStretch();
    grid->addWidget(new QLabel(tr("参考期："), this), 3, 0);
    grid->addLayout(reference, 3, 1, 1, 5);

    useFrozen_ = new QCheckBox(tr("按冻结的控制限"), this);
    named(useFrozen_, "useFrozen");
    useFrozen_->setChecked(true);
    freeze_ = new QPushButton(tr("冻结控制限"), this);
    named(freeze_, "freeze");
    connect(freeze_, &QPushButton::clicked, this, &ControlChartWindow::freezeLimits);
    auto* frozenRow = new QHBoxLayout;
    frozenRow->addWidget(useFrozen_);
    frozenRow->addWidget(freeze_);
    frozenRow->addStretch();
    grid->addLayout(frozenRow, 4, 1, 1, 5);

    limits_ = new QLabel(this);
    named(limits_, "limits");
    limits_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_ = new QLabel(this);
    named(status_, "status");
    status_->setWordWrap(true);
    note_ = new QLabel(this);
    named(note_, "note");
    note_->setWordWrap(true);
    layout->addWidget(limits_);
    layout->addWidget(status_);
    layout->addWidget(note_);

    plot_ = new ControlChartWidget(this);
    named(plot_, "controlChart");
    layout->addWidget(plot_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const auto& [name, suffix, text] : {std::tuple{"exportPng", "png", tr("导出PNG…")},
                                             std::tuple{"exportSvg", "svg", tr("导出SVG…")},
                                             std::tuple{"exportPdf", "pdf", tr("导出PDF…")}}) {
        auto* button = new QPushButton(text, this);
        named(button, name);
        const QString chosen = QLatin1StringView(suffix);
        connect(button, &QPushButton::clicked, this, [this, chosen] { exportChart(chosen); });
        buttons->addWidget(button);
        exports_.push_back(button);
    }
    layout->addLayout(buttons);

    connect(group_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) {
            fillSeries();
        }
    });
    const auto changed = [this] {
        if (!filling_) {
            redraw();
        }
    };
    connect(series_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) {
            seedDates();
            redraw();
        }
    });
    connect(rules_, &QComboBox::currentIndexChanged, this, changed);
    connect(sigma_, &QComboBox::currentIndexChanged, this, changed);
    connect(count_, &QSpinBox::valueChanged, this, changed);
    connect(byCount_, &QRadioButton::toggled, this, changed);
    connect(from_, &QDateEdit::dateChanged, this, changed);
    connect(to_, &QDateEdit::dateChanged, this, changed);
    connect(useFrozen_, &QCheckBox::toggled, this, changed);
}

void ControlChartWindow::open() {
    reload();
    show();
    raise();
    activateWindow();
}

void ControlChartWindow::showFault(const calibration::Message& message) {
    const QString text = rendered(message);
    note_->setText(text);
    prompts_.tell(text);
}

void ControlChartWindow::reload() {
    store_.reset();
    groups_.clear();
    const auto url = records::configuredDatabase();
    if (const auto* why = std::get_if<calibration::Message>(&url)) {
        database_->setText(QString());
        fillGroups();
        showFault(*why);
        return;
    }
    const records::DatabaseUrl& chosen = std::get<records::DatabaseUrl>(url);
    database_->setText(io::fromDocument(records::databaseText(chosen)));
    // Nothing filed yet: no file is made for the asking.
    if (records::missingFile(chosen)) {
        fillGroups();
        note_->setText(tr("这个质控数据库中还没有归档的批次"));
        return;
    }
    auto store = records::openStore(chosen);
    if (!store) {
        fillGroups();
        showFault(store.fault().message);
        return;
    }
    store_ = std::move(store).value();
    auto groups = store_->catalogue();
    if (!groups) {
        fillGroups();
        showFault(groups.fault().message);
        return;
    }
    groups_ = std::move(groups).value();
    fillGroups();
}

// The groups as the catalogue lists them, the one chosen before kept when it is still there.
void ControlChartWindow::fillGroups() {
    const int before = group_->currentIndex();
    const std::optional<records::ChartGroup> kept =
        before >= 0 && before < int(groups_.size())
            ? std::optional(groups_[std::size_t(before)].group)
            : std::nullopt;
    filling_ = true;
    group_->clear();
    int chosen = groups_.empty() ? -1 : 0;
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        const records::GroupSummary& g = groups_[i];
        group_->addItem(
            tr("%1（%n批）", nullptr, g.batches).arg(rendered(records::groupName(g.group))));
        if (kept && g.group == *kept) {
            chosen = int(i);
        }
    }
    group_->setCurrentIndex(chosen);
    filling_ = false;
    fillSeries();
}

void ControlChartWindow::fillSeries() {
    const QString before = series_->currentData().toString();
    filling_ = true;
    series_->clear();
    const int g = group_->currentIndex();
    if (g >= 0 && g < int(groups_.size())) {
        for (const records::SeriesCount& s : groups_[std::size_t(g)].series) {
            const QString key = io::fromDocument(s.series);
            series_->addItem(
                tr("%1（%2，%n点）", nullptr, s.points).arg(seriesCaption(s.series), key), key);
        }
    }
    const int kept = series_->findData(before);
    series_->setCurrentIndex(kept >= 0 ? kept : (series_->count() > 0 ? 0 : -1));
    filling_ = false;
    if (kept < 0) {
        seedDates();
    }
    redraw();
}

// The days of a reference period by date start as the series' first and last, until the user
// chooses a range by date.
void ControlChartWindow::seedDates() {
    const int g = group_->currentIndex();
    if (!store_ || byDate_->isChecked() || g < 0 || series_->currentIndex() < 0) {
        return;
    }
    const auto points = store_->series(groups_[std::size_t(g)].group,
                                       series_->currentData().toString().toStdString());
    if (!points || points->empty()) {
        return;
    }
    const auto day = [](const records::SeriesPoint& point) {
        return QDate::fromString(QString::fromStdString(point.date.substr(0, 10)), Qt::ISODate);
    };
    filling_ = true;
    from_->setDate(day(points->front()));
    to_->setDate(day(points->back()));
    filling_ = false;
}

records::ChartRequest ControlChartWindow::request() const {
    records::ChartRequest request;
    const int g = group_->currentIndex();
    if (g >= 0 && g < int(groups_.size())) {
        request.group = groups_[std::size_t(g)].group;
    }
    request.series = series_->currentData().toString().toStdString();
    request.rules = rules_->currentData().toString() == u"westgard" ? calc::RuleSet::Westgard
                                                                    : calc::RuleSet::Gb;
    request.sigma = sigma_->currentData().toString() == u"mr"
                        ? calc::SigmaEstimate::MovingRange
                        : calc::SigmaEstimate::StandardDeviation;
    if (byDate_->isChecked()) {
        request.reference.from = from_->date().toString(Qt::ISODate).toStdString();
        request.reference.to = to_->date().toString(Qt::ISODate).toStdString();
    } else {
        request.reference.count = count_->value();
    }
    request.useFrozen = useFrozen_->isChecked();
    return request;
}

void ControlChartWindow::redraw() {
    chart_.reset();
    note_->clear();
    limits_->clear();
    status_->clear();
    bool frozenThere = false;
    if (store_ && series_->currentIndex() >= 0) {
        const records::ChartRequest asked = request();
        // Whether limits are frozen at all, so that the box can be ticked again.
        auto frozen = store_->frozenLimits(asked.group, asked.series);
        frozenThere = frozen && frozen.value().has_value();
        auto read = records::readChart(*store_, asked);
        if (const auto* failure = std::get_if<records::ChartFailure>(&read)) {
            if (failure->kind == records::ChartFailure::Kind::Database) {
                showFault(failure->message);
            } else {
                note_->setText(rendered(failure->message));
            }
        } else {
            chart_ = std::get<records::SeriesChart>(std::move(read));
        }
    }
    const bool frozenInForce = chart_ && chart_->frozen;
    useFrozen_->setEnabled(frozenThere);
    // The reference period and sigma of frozen limits are theirs: the controls do not apply.
    for (QWidget* control :
         std::initializer_list<QWidget*>{sigma_, byCount_, byDate_, count_, from_, to_}) {
        control->setEnabled(!frozenInForce);
    }
    count_->setEnabled(!frozenInForce && byCount_->isChecked());
    from_->setEnabled(!frozenInForce && byDate_->isChecked());
    to_->setEnabled(!frozenInForce && byDate_->isChecked());
    freeze_->setEnabled(chart_ && !frozenInForce);
    for (QPushButton* button : exports_) {
        button->setEnabled(chart_.has_value());
    }
    if (chart_) {
        const calc::ChartLimits& l = chart_->chart.limits;
        const bool up = l.sides == calc::ChartSides::UpperOnly;
        limits_->setText(tr("中心线 %1　s %2　%3 %4　警告限 %5　控制限 %6")
                             .arg(number(l.centre), number(l.s),
                                  up ? QStringLiteral("+1s") : QStringLiteral("±1s"), band(l.oneS),
                                  band(l.warning), band(l.action)));
        status_->setText(sourceText(*chart_));
        if (chart_->otherUnits > 0) {
            note_->setText(tr("另有%n个点的单位不是 %1，未画入", nullptr, chart_->otherUnits)
                               .arg(io::fromDocument(chart_->unit)));
        }
    }
    plot_->setData(plotData());
}

ControlChartData ControlChartWindow::plotData() const {
    ControlChartData data;
    if (!chart_) {
        return data;
    }
    const records::SeriesChart& c = *chart_;
    data.limits = c.chart.limits;
    data.referenceFirst = c.referenceFirst;
    data.referenceLast = c.referenceLast;
    data.title = tr("%1 · %2").arg(rendered(records::groupName(c.group)), seriesCaption(c.series));
    data.subtitle = sourceText(c);
    data.xTitle = tr("点序号（按分析日期）");
    data.yTitle = valueTitle(c.series, c.unit);
    const QString unit = io::fromDocument(c.unit);
    for (std::size_t i = 0; i < c.points.size(); ++i) {
        const records::SeriesPoint& p = c.points[i];
        ControlChartPoint point;
        point.value = p.value;
        QStringList tip{
            tr("第%1点　批次 %2　%3").arg(i + 1).arg(p.batch).arg(io::fromDocument(p.date)),
            unit.isEmpty() ? number(p.value) : number(p.value) + u' ' + unit};
        for (const calc::ChartRule* rule : c.chart.violations[i]) {
            point.rules << QString::fromLatin1(rule->key);
            point.rejecting = point.rejecting || rule->rejecting;
            tip << tr("%1：%2", "a rule's key and what it says")
                       .arg(QString::fromLatin1(rule->key),
                            io::fromDocument(calibration::translate(rule->caption)));
        }
        point.tip = tip.join(u'\n');
        data.points.push_back(std::move(point));
    }
    return data;
}

void ControlChartWindow::freezeLimits() {
    if (!chart_ || chart_->frozen || !store_) {
        return;
    }
    const records::FrozenRecord record = records::frozenRecordOf(*chart_);
    const QString question =
        tr("冻结%1的控制限？\n中心线 %2，s %3（%4）。\n以后的点将按这些控制限判断；"
           "冻结记录会保存冻结人和时间，不能撤销，只能重新冻结。")
            .arg(rendered(records::groupName(record.group)) + u' ' + seriesCaption(record.series),
                 number(record.centre), number(record.s), sourceText(*chart_));
    if (!prompts_.ask(question)) {
        return;
    }
    const auto stored = store_->freeze(record);
    if (!stored) {
        showFault(stored.fault().message);
        return;
    }
    filling_ = true;
    useFrozen_->setChecked(true);
    filling_ = false;
    redraw();
}

void ControlChartWindow::exportChart(const QString& suffix) {
    if (!chart_) {
        return;
    }
    const QString filter = suffix == u"svg"   ? tr("SVG 图像 (*.svg)")
                           : suffix == u"pdf" ? tr("PDF 文件 (*.pdf)")
                                              : tr("PNG 图像 (*.png)");
    QString name = tr("质控图-%1").arg(io::fromDocument(chart_->series));
    name.replace(u':', u'_').replace(u'/', u'_');
    QString path = prompts_.saveFileName(tr("导出质控图"), filter, name + u'.' + suffix);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += u'.' + suffix;
    }
    if (const auto error = saveControlChart(path, plotData())) {
        prompts_.tell(tr("质控图导出失败：%1").arg(error->message()));
    }
}

void openControlCharts(QWidget* owner, ui::Prompts& prompts) {
    auto* window = owner->findChild<ControlChartWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new ControlChartWindow(prompts, owner);
    }
    window->open();
}

} // namespace analysis
