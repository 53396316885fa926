#include "analysis/analysis_window.h"

#include "analysis/export_module.h"
#include "analysis/plot_export.h"
#include "analysis/plot_widget.h"
#include "analysis/points_table.h"
#include "analysis/readable.h"
#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "analysis/statistics_table.h"
#include "analysis/window_placement.h"
#include "calc/number_text.h"
#include "calc/report_text.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

namespace analysis {

namespace {

// "y = 1.51786 + 1.93036x", with a true minus sign for negative terms.
QString equationText(double a, double b) {
    const auto term = [](double v) { return readable(std::fabs(v)); };
    QString text = QStringLiteral("y = ");
    text += (a < 0 ? QStringLiteral("−") : QString()) + term(a);
    text += (b < 0 ? QStringLiteral(" − ") : QStringLiteral(" + ")) + term(b) + QStringLiteral("x");
    return text;
}

QLabel* emptyStateLine(const QString& text, QWidget* parent, bool title) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    if (title) {
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * 1.5);
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

AnalysisWindow::AnalysisWindow(QWidget* owner, ui::Prompts& prompts)
    : QWidget(owner, Qt::Window), prompts_(prompts) {
    setObjectName(QStringLiteral("AnalysisWindow"));
    setWindowTitle(QStringLiteral("标准曲线分析"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildMenu();

    // Below the menu everything scrolls when the window is smaller than its content's least
    // size (a small screen at twice the scale), instead of being cut off.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* body = new QWidget(scroll);
    auto* bodyLayout = new QVBoxLayout(body);
    split_ = new QSplitter(Qt::Vertical, body);
    split_->setChildrenCollapsible(false);
    bodyLayout->addWidget(split_);

    curveArea_ = new QStackedWidget(split_);
    // Where the plots will be: white, framed like them.
    auto* empty = new QFrame(curveArea_);
    empty->setObjectName(QStringLiteral("emptyState"));
    empty->setFrameShape(QFrame::StyledPanel);
    empty->setBackgroundRole(QPalette::Base);
    empty->setAutoFillBackground(true);
    auto* emptyLayout = new QVBoxLayout(empty);
    emptyLayout->addStretch();
    emptyLayout->addWidget(emptyStateLine(QStringLiteral("尚未计算标准曲线"), empty, true));
    emptyLayout->addWidget(emptyStateLine(
        QStringLiteral("在主窗口输入标准点并点击“计算”后，这里显示标准曲线和统计结果。"), empty,
        false));
    emptyLayout->addStretch();
    curveArea_->addWidget(empty);

    auto* content = new QWidget(curveArea_);
    content->setObjectName(QStringLiteral("curveContent"));
    contentLayout_ = new QHBoxLayout(content);
    contentLayout_->setContentsMargins(0, 0, 0, 0);
    auto* plots = new QVBoxLayout;
    calibrationPlot_ = new PlotWidget(PlotWidget::Mode::Calibration, content);
    calibrationPlot_->setObjectName(QStringLiteral("calibrationPlot"));
    residualPlot_ = new PlotWidget(PlotWidget::Mode::Residuals, content);
    residualPlot_->setObjectName(QStringLiteral("residualPlot"));
    plots->addWidget(calibrationPlot_, 3);
    plots->addWidget(residualPlot_, 2);
    contentLayout_->addLayout(plots, 1);

    // The statistics stand beside the plots in a wide window and become the first tab below
    // them in a narrow one (see arrange()).
    statisticsPanel_ = new QWidget(content);
    statisticsPanel_->setObjectName(QStringLiteral("statisticsPanel"));
    statisticsPanel_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    statisticsLayout_ = new QBoxLayout(QBoxLayout::TopToBottom, statisticsPanel_);
    statisticsLayout_->setContentsMargins(0, 0, 0, 0);
    statisticsTable_ = new StatisticsTable(statisticsPanel_);
    statisticsLayout_->addWidget(statisticsTable_);
    auto* extras = new QVBoxLayout;
    // One formula a line, so that narrow wrapping never splits one.
    auto* note = new QLabel(QStringLiteral("由未取整的最小二乘拟合计算：\n"
                                           "LOD = 3.3·s(y/x)/|b|\n"
                                           "LOQ = 10·s(y/x)/|b|\n"
                                           "（s(y/x)：响应的标准差，b：斜率）\n"
                                           "95% 半宽 = t(0.975; n−2)·s"),
                            statisticsPanel_);
    note->setObjectName(QStringLiteral("definitions"));
    note->setWordWrap(true);
    // The note wraps to the table's width rather than widening the column.
    QSizePolicy notePolicy = note->sizePolicy();
    notePolicy.setHorizontalPolicy(QSizePolicy::Ignored);
    note->setSizePolicy(notePolicy);
    extras->addWidget(note);
    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(QStringLiteral("复制结果"), statisticsPanel_);
    copy->setObjectName(QStringLiteral("copyResults"));
    connect(copy, &QPushButton::clicked, this, &AnalysisWindow::copyResults);
    auto* save = new QPushButton(QStringLiteral("保存图像…"), statisticsPanel_);
    save->setObjectName(QStringLiteral("saveImage"));
    connect(save, &QPushButton::clicked, this, &AnalysisWindow::saveImage);
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch();
    extras->addLayout(buttons);
    extras->addStretch();
    statisticsLayout_->addLayout(extras, 1);
    contentLayout_->addWidget(statisticsPanel_);
    curveArea_->addWidget(content);

    tabs_ = new QTabWidget(split_);
    pointsTable_ = new PointsTable(tabs_);
    tabs_->addTab(pointsTable_, QStringLiteral("标准点"));
    samples_ = new SampleListModel(this);
    auto* samplePage = new QWidget(tabs_);
    auto* sampleLayout = new QVBoxLayout(samplePage);
    sampleTable_ = new SampleTable(*samples_, prompts_, samplePage);
    sampleLayout->addWidget(sampleTable_);
    auto* sampleButtons = new QHBoxLayout;
    auto* clearList = new QPushButton(QStringLiteral("清空列表"), samplePage);
    clearList->setObjectName(QStringLiteral("clearSamples"));
    connect(clearList, &QPushButton::clicked, sampleTable_, &SampleTable::clearList);
    auto* hint = new QLabel(
        QStringLiteral("Ctrl+V 从电子表格粘贴（每行一个样品：名称、读数、稀释倍数，或只有读数）；"
                       "Delete 删除所选行；双击单元格编辑。"),
        samplePage);
    hint->setWordWrap(true);
    sampleButtons->addWidget(hint, 1);
    sampleButtons->addWidget(clearList);
    sampleLayout->addLayout(sampleButtons);
    tabs_->addTab(samplePage, QStringLiteral("样品"));
    connect(samples_, &SampleListModel::samplesChanged, this, &AnalysisWindow::updatePlots);
    scroll->setWidget(body);
    layout->addWidget(scroll);

    resize(preferredSize());
    refresh();
}

void AnalysisWindow::buildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    auto* edit = bar->addMenu(QStringLiteral("编辑(&E)"));
    auto* copy = edit->addAction(QStringLiteral("复制结果"), this, &AnalysisWindow::copyResults);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    addAction(copy);
    auto* file = bar->addMenu(QStringLiteral("文件(&F)"));
    buildFileMenu(*file);
    file->addSeparator();
    file->addAction(QStringLiteral("保存图像…"), this, &AnalysisWindow::saveImage);
    file->addSeparator();
    file->addAction(QStringLiteral("打印…"), this, &AnalysisWindow::printReport);
    file->addAction(QStringLiteral("导出PDF…"), this, &AnalysisWindow::exportPdf);
}

void AnalysisWindow::open() {
    if (!placed_) {
        placed_ = true;
        placeBesideOwner();
    }
    show();
    raise();
    activateWindow();
}

// Sizes in lines of text, so that the window grows with its font.
int AnalysisWindow::lines(double count) const {
    return int(std::lround(count * fontMetrics().height()));
}

QSize AnalysisWindow::preferredSize() const {
    return {lines(56), lines(46)};
}

// Beside the main window, on the side with room, narrowed (down to where the statistics move
// into the tabs and the table of points still reads) rather than over the main window's
// controls; never larger than the screen.
void AnalysisWindow::placeBesideOwner() {
    QWidget* owner = parentWidget();
    if (owner == nullptr) {
        return;
    }
    const QScreen* screen = owner->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    // Not shown yet, this window has no frame of its own: a window manager gives it the
    // owner's.
    const QSize frame = owner->frameGeometry().size() - owner->size();
    const QRect placed = placeBeside(owner->frameGeometry(), available, preferredSize() + frame,
                                     lines(kNarrowestLines) + frame.width());
    resize(placed.size() - frame);
    move(placed.topLeft());
}

// Wide, the statistics stand beside the plots; narrow, they are the first tab below them, so
// that the plots keep the width they need, with the note and the buttons beside the table to
// spare height.
void AnalysisWindow::arrange() {
    const bool wide = width() >= lines(kWideLines);
    const int tab = tabs_->indexOf(statisticsPanel_);
    // Beside the plots the note and the buttons go below the table, in a tab beside it.
    statisticsLayout_->setDirection(wide ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    if (wide && tab >= 0) {
        tabs_->removeTab(tab);
        contentLayout_->addWidget(statisticsPanel_);
        statisticsPanel_->show();
    } else if (!wide && tab < 0) {
        contentLayout_->removeWidget(statisticsPanel_);
        tabs_->insertTab(0, statisticsPanel_, QStringLiteral("统计量"));
        tabs_->setCurrentIndex(0);
    } else {
        return;
    }
    balance();
}

// The tabs as tall as their content wants, the plots the rest; the user may move the split.
void AnalysisWindow::balance() {
    const int total = split_->height() - split_->handleWidth();
    const int tabs =
        std::min(tabs_->sizeHint().height(), total - curveArea_->minimumSizeHint().height());
    split_->setSizes({total - tabs, tabs});
}

void AnalysisWindow::showEvent(QShowEvent* event) {
    if (!balanced_) {
        balanced_ = true;
        balance();
    }
    QWidget::showEvent(event);
}

void AnalysisWindow::resizeEvent(QResizeEvent* event) {
    arrange();
    QWidget::resizeEvent(event);
}

void AnalysisWindow::setCurve(const calc::Curve& curve) {
    curve_ = curve;
    stats_ = calc::lineStatistics(curve.concentrations, curve.absorbances);
    refresh();
}

void AnalysisWindow::clearCurve() {
    curve_.reset();
    stats_.reset();
    refresh();
}

// Every sample of the main window joins the list, with the main window's own result beside the
// list's unrounded one.
void AnalysisWindow::sampleComputed(const QString& absorbanceText, const QString& result,
                                    const QString& unit) {
    sampleAbsorbance_ = calc::strictParse(absorbanceText.toStdString());
    unit_ = unit;
    samples_->append(
        {SampleEntry{samples_->nextSampleName(), absorbanceText.trimmed(), QString(), result}});
    refresh();
}

void AnalysisWindow::sampleCleared() {
    sampleAbsorbance_.reset();
    refresh();
}

void AnalysisWindow::setUnit(const QString& unit) {
    if (unit == unit_) {
        return;
    }
    unit_ = unit;
    refresh();
}

PlotData AnalysisWindow::plotData() const {
    PlotData data;
    data.xTitle = concentrationTitle(unit_);
    data.yTitle = QStringLiteral("吸光度 A");
    if (!hasCurve()) {
        return data;
    }
    data.concentrations = curve_->concentrations;
    data.absorbances = curve_->absorbances;
    data.a = stats_->a;
    data.b = stats_->b;
    data.bandLow = stats_->yMin;
    data.bandHigh = stats_->yMax;
    data.equation = equationText(stats_->a, stats_->b);
    data.r2Text = QStringLiteral("R² = ") + readable(stats_->r2);
    data.samples = samples_->plotSamples();
    if (sampleAbsorbance_) {
        const double y = *sampleAbsorbance_;
        const bool outside = y < stats_->yMin || y > stats_->yMax;
        data.current = PlotSample{(y - stats_->a) / stats_->b, y, outside};
    }
    return data;
}

void AnalysisWindow::updatePlots() {
    const PlotData data = plotData();
    calibrationPlot_->setData(data);
    residualPlot_->setData(data);
}

void AnalysisWindow::refresh() {
    curveArea_->setCurrentIndex(hasCurve() ? 1 : 0);
    statisticsTable_->setStatistics(stats_, unit_);
    samples_->setStatistics(stats_); // before the plots, which draw the samples
    updatePlots();
    if (hasCurve()) {
        const auto points = calc::pointChecks(curve_->concentrations, curve_->absorbances, *stats_);
        pointsTable_->setPoints(points);
    } else {
        pointsTable_->setPoints({});
    }
}

QString AnalysisWindow::reportText() const {
    if (!hasCurve()) {
        return {};
    }
    const std::vector<calc::SampleRow> rows = samples_->reportRows();
    return QString::fromStdString(
        calc::reportText(curve_->concentrations, curve_->absorbances, *stats_, rows));
}

void AnalysisWindow::copyResults() {
    const QString text = reportText();
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

void AnalysisWindow::saveImage() {
    if (!hasCurve()) {
        return;
    }
    const QString path = prompts_.saveFileName(QStringLiteral("保存图像"),
                                               QStringLiteral("PNG 图像 (*.png);;SVG 图像 (*.svg)"),
                                               QStringLiteral("标准曲线.png"));
    if (path.isEmpty()) {
        return;
    }
    if (const auto error = savePlotImage(path, plotData())) {
        prompts_.tell(QStringLiteral("图像保存失败：") + error->message());
    }
}

ReportContent AnalysisWindow::reportContent() const {
    ReportContent content;
    content.created = QDateTime::currentDateTime();
    content.unit = unit_;
    content.plot = plotData();
    content.equation = content.plot.equation;
    for (const StatisticText& text : statisticTexts(stats_, unit_)) {
        content.statistics.emplace_back(text.label,
                                        text.halfWidth.isEmpty()
                                            ? text.value
                                            : text.value + QStringLiteral(" ± ") + text.halfWidth);
    }
    auto headerOf = [](const QAbstractItemModel& model, int columns) {
        QStringList header;
        for (int c = 0; c < columns; ++c) {
            header << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        }
        return header;
    };
    auto rowsOf = [](const QAbstractItemModel& model, int columns) {
        std::vector<QStringList> rows;
        for (int r = 0; r < model.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < columns; ++c) {
                cells << model.index(r, c).data(Qt::DisplayRole).toString();
            }
            rows.push_back(cells);
        }
        return rows;
    };
    const QAbstractItemModel& points = *pointsTable_->model();
    content.pointHeader = headerOf(points, points.columnCount());
    content.points = rowsOf(points, points.columnCount());
    content.sampleHeader = headerOf(*samples_, SampleListModel::Columns);
    content.samples = rowsOf(*samples_, SampleListModel::Columns);
    return content;
}

void AnalysisWindow::exportPdf() {
    if (!hasCurve()) {
        return;
    }
    const QString path =
        prompts_.saveFileName(QStringLiteral("导出PDF"), QStringLiteral("PDF 文件 (*.pdf)"),
                              QStringLiteral("标准曲线报告.pdf"));
    if (path.isEmpty()) {
        return;
    }
    if (const auto error = saveReportPdf(path, reportContent())) {
        prompts_.tell(QStringLiteral("PDF导出失败：") + error->message());
    }
}

void AnalysisWindow::printReport() {
    if (!hasCurve()) {
        return;
    }
    QString whyNot;
    const ExportModule* module = exportModule(&whyNot);
    if (module == nullptr) {
        prompts_.tell(QStringLiteral("无法打印：") + whyNot);
        return;
    }
    const ReportContent content = reportContent();
    module->printPreview(this,
                         [&content](QPagedPaintDevice& device) { paintReport(device, content); });
}

} // namespace analysis
