#include "analysis/analysis_window.h"

#include "analysis/batch_filing.h"
#include "analysis/batch_panel.h"
#include "analysis/control_chart_window.h"
#include "analysis/current_calibration.h"
#include "analysis/database_dialog.h"
#include "analysis/export_module.h"
#include "analysis/file_names.h"
#include "analysis/header_dialog.h"
#include "analysis/history_tab.h"
#include "analysis/model_panel.h"
#include "analysis/plot_export.h"
#include "analysis/plot_source.h"
#include "analysis/plot_widget.h"
#include "analysis/readable.h"
#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "analysis/standards_table.h"
#include "analysis/statistics_table.h"
#include "analysis/uncertainty_panel.h"
#include "analysis/window_placement.h"
#include "calibration/data_report.h"
#include "io/document_text.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

namespace analysis {

namespace {

// The settings key of the window's size and place, kept after its first opening ever.
const QString kGeometryKey = QStringLiteral("analysis/geometry");
// Whether the printed report carries the change history.
const QString kReportHistoryKey = QStringLiteral("report/history");

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

AnalysisWindow::AnalysisWindow(QWidget* owner, CurrentCalibration& calibration,
                               ui::Prompts& prompts)
    : QWidget(owner, Qt::Window), calibration_(calibration), prompts_(prompts) {
    setObjectName(QStringLiteral("AnalysisWindow"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    filing_ = new BatchFiling(calibration_, prompts_, this);
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
    curveArea_->addWidget(buildEmptyState());
    curveArea_->addWidget(buildCurveContent());

    tabs_ = new QTabWidget(split_);
    tabs_->addTab(buildStandardsPage(), tr("标准点"));
    tabs_->addTab(buildSamplesPage(), tr("样品"));
    addFigureTabs();
    header_ = new HeaderDialog(calibration_, this);
    connect(&calibration_, &CurrentCalibration::resultsChanged, this, &AnalysisWindow::refresh);
    connect(&calibration_, &CurrentCalibration::modifiedChanged, this,
            &AnalysisWindow::updateTitle);
    connect(&calibration_, &CurrentCalibration::fileChanged, this, &AnalysisWindow::updateTitle);
    scroll->setWidget(body);
    layout->addWidget(scroll);

    resize(preferredSize());
    refresh();
}

// Where the plots will be while there is no curve: white, framed like them, with why.
QWidget* AnalysisWindow::buildEmptyState() {
    auto* empty = new QFrame(curveArea_);
    empty->setObjectName(QStringLiteral("emptyState"));
    empty->setFrameShape(QFrame::StyledPanel);
    empty->setBackgroundRole(QPalette::Base);
    empty->setAutoFillBackground(true);
    auto* emptyLayout = new QVBoxLayout(empty);
    emptyLayout->addStretch();
    emptyTitle_ = emptyStateLine(QString(), empty, true);
    emptyTitle_->setObjectName(QStringLiteral("emptyTitle"));
    emptyLayout->addWidget(emptyTitle_);
    emptyHint_ = emptyStateLine(QString(), empty, false);
    emptyLayout->addWidget(emptyHint_);
    emptyLayout->addStretch();
    return empty;
}

// The plots, and the statistics beside them.
QWidget* AnalysisWindow::buildCurveContent() {
    auto* content = new QWidget(curveArea_);
    content->setObjectName(QStringLiteral("curveContent"));
    contentLayout_ = new QHBoxLayout(content);
    contentLayout_->setContentsMargins(0, 0, 0, 0);
    contentLayout_->addLayout(buildPlots(content), 1);
    contentLayout_->addWidget(buildStatisticsPanel(content));
    return content;
}

// The calibration plot above the residuals; a standard's menu excludes or includes it.
QVBoxLayout* AnalysisWindow::buildPlots(QWidget* content) {
    auto* plots = new QVBoxLayout;
    calibrationPlot_ = new PlotWidget(PlotWidget::Mode::Calibration, content);
    calibrationPlot_->setObjectName(QStringLiteral("calibrationPlot"));
    residualPlot_ = new PlotWidget(PlotWidget::Mode::Residuals, content);
    residualPlot_->setObjectName(QStringLiteral("residualPlot"));
    for (PlotWidget* plot : {calibrationPlot_, residualPlot_}) {
        connect(plot, &PlotWidget::standardMenuRequested, this,
                [this](int standard, const QPoint& at) {
                    QMenu menu(this);
                    const bool excluded =
                        calibration_.document().standards[std::size_t(standard)].excluded;
                    menu.addAction(excluded ? tr("取消排除第%1点").arg(standard + 1)
                                            : tr("排除第%1点…").arg(standard + 1),
                                   this, [this, standard, excluded] {
                                       standards_->setExcluded(standard, !excluded);
                                   });
                    menu.exec(at);
                });
    }
    plots->addWidget(calibrationPlot_, 3);
    plots->addWidget(residualPlot_, 2);
    return plots;
}

// The statistics stand beside the plots in a wide window and become the first tab below them in
// a narrow one (see arrange()).
QWidget* AnalysisWindow::buildStatisticsPanel(QWidget* content) {
    statisticsPanel_ = new QWidget(content);
    statisticsPanel_->setObjectName(QStringLiteral("statisticsPanel"));
    statisticsPanel_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    statisticsLayout_ = new QBoxLayout(QBoxLayout::TopToBottom, statisticsPanel_);
    statisticsLayout_->setContentsMargins(0, 0, 0, 0);
    statistics_ = new StatisticsModel(calibration_, this);
    statisticsTable_ = new StatisticsTable(*statistics_, statisticsPanel_);
    auto* tableColumn = new QVBoxLayout;
    addNotes(*tableColumn);
    modelControls_ = new ModelControls(calibration_, prompts_, statisticsPanel_);
    tableColumn->insertWidget(0, modelControls_);
    tableColumn->addWidget(statisticsTable_);
    // Below the figures it belongs to, wrapped to the table's width.
    additionFormula_ = new QLabel(statisticsPanel_);
    additionFormula_->setObjectName(QStringLiteral("additionFormula"));
    additionFormula_->setWordWrap(true);
    additionFormula_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QSizePolicy formulaPolicy = additionFormula_->sizePolicy();
    formulaPolicy.setHorizontalPolicy(QSizePolicy::Ignored);
    additionFormula_->setSizePolicy(formulaPolicy);
    additionFormula_->hide();
    tableColumn->addWidget(additionFormula_);
    statisticsLayout_->addLayout(tableColumn);
    statisticsLayout_->addLayout(buildExtras(), 1);
    return statisticsPanel_;
}

// The notes below the statistics, each shown when it has something to say.
void AnalysisWindow::addNotes(QVBoxLayout& column) {
    note_ = new QLabel(statisticsPanel_);
    note_->setObjectName(QStringLiteral("mainWindowNote"));
    note_->setWordWrap(true);
    note_->hide();
    curveNote_ = new QLabel(statisticsPanel_);
    curveNote_->setObjectName(QStringLiteral("curveNote"));
    curveNote_->setWordWrap(true);
    curveNote_->setStyleSheet(QStringLiteral("color: #b71c1c"));
    curveNote_->hide();
    backupNote_ = new QLabel(statisticsPanel_);
    backupNote_->setObjectName(QStringLiteral("backupNote"));
    backupNote_->setWordWrap(true);
    backupNote_->setTextFormat(Qt::RichText);
    backupNote_->hide();
    connect(backupNote_, &QLabel::linkActivated, this,
            [this] { emit openBackupRequested(backup_); });
    for (QLabel* label : {curveNote_, note_, backupNote_}) {
        QSizePolicy policy = label->sizePolicy();
        policy.setHorizontalPolicy(QSizePolicy::Ignored);
        label->setSizePolicy(policy);
        column.addWidget(label);
    }
}

// The definitions of the limits and the buttons, below or beside the statistics.
QVBoxLayout* AnalysisWindow::buildExtras() {
    auto* extras = new QVBoxLayout;
    extrasLayout_ = extras;
    // One formula a line, so that narrow wrapping never splits one.
    auto* note = new QLabel(tr("由未取整的最小二乘拟合计算：\n"
                               "LOD = 3.3·s(y/x)/|b|\n"
                               "LOQ = 10·s(y/x)/|b|\n"
                               "（s(y/x)：响应的标准差，b：斜率）\n"
                               "半宽 = t·s\n"
                               "（t：所选置信水平、残差自由度的双侧t值）"),
                            statisticsPanel_);
    note->setObjectName(QStringLiteral("definitions"));
    note->setWordWrap(true);
    // The note wraps to the table's width rather than widening the column.
    QSizePolicy notePolicy = note->sizePolicy();
    notePolicy.setHorizontalPolicy(QSizePolicy::Ignored);
    note->setSizePolicy(notePolicy);
    extras->addWidget(note);
    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(tr("复制结果"), statisticsPanel_);
    copy->setObjectName(QStringLiteral("copyResults"));
    connect(copy, &QPushButton::clicked, this, &AnalysisWindow::copyResults);
    auto* save = new QPushButton(tr("保存图像…"), statisticsPanel_);
    save->setObjectName(QStringLiteral("saveImage"));
    connect(save, &QPushButton::clicked, this, &AnalysisWindow::saveImage);
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch();
    extras->addLayout(buttons);
    extras->addStretch();
    return extras;
}

QWidget* AnalysisWindow::buildStandardsPage() {
    standards_ = new StandardsModel(calibration_, prompts_, this);
    auto* standardsPage = new QWidget(tabs_);
    auto* standardsLayout = new QVBoxLayout(standardsPage);
    standardsLayout->addWidget(new CurveUnitBox(calibration_, prompts_, standardsPage));
    standardsTable_ = new StandardsTable(*standards_, calibration_, prompts_, standardsPage);
    standardsLayout->addWidget(standardsTable_);
    auto* standardsHint = new QLabel(
        tr("双击单元格编辑；Ctrl+V 从电子表格粘贴（浓度、吸光度两列，用内标时再加内标响应、"
           "内标浓度）；Insert 添加，"
           "Delete 删除所选标准点；勾选“排除”并说明原因即不参与拟合。"),
        standardsPage);
    standardsHint->setWordWrap(true);
    standardsLayout->addWidget(standardsHint);
    return standardsPage;
}

QWidget* AnalysisWindow::buildSamplesPage() {
    samples_ = new SampleListModel(calibration_, prompts_, this);
    auto* samplePage = new QWidget(tabs_);
    auto* sampleLayout = new QVBoxLayout(samplePage);
    batchPanel_ = new BatchPanel(calibration_, prompts_, samplePage);
    sampleLayout->addWidget(batchPanel_);
    sampleTable_ = new SampleTable(*samples_, prompts_, samplePage);
    sampleLayout->addWidget(sampleTable_);
    auto* sampleButtons = new QHBoxLayout;
    auto* clearList = new QPushButton(tr("清空列表"), samplePage);
    clearList->setObjectName(QStringLiteral("clearSamples"));
    connect(clearList, &QPushButton::clicked, sampleTable_, &SampleTable::clearList);
    auto* hint =
        new QLabel(tr("Ctrl+V 从电子表格粘贴（每行一个样品：名称、读数、稀释倍数、类型、所指样品、"
                      "加标量、标称浓度、标准值、不确定度U、内标响应、内标浓度，或只有读数；"
                      "表头可按任意顺序命名各列）；"
                      "Delete 删除所选行；双击单元格编辑。"),
                   samplePage);
    hint->setWordWrap(true);
    sampleHint_ = hint;
    sampleButtons->addWidget(hint, 1);
    // The list with the window's height: the plots and the settings fold away.
    samplesOnly_ = new QPushButton(tr("放大样品表"), samplePage);
    samplesOnly_->setObjectName(QStringLiteral("samplesOnly"));
    samplesOnly_->setCheckable(true);
    samplesOnly_->setToolTip(tr("隐藏图表和批次设置，样品表占满窗口；再点一次恢复。"));
    connect(samplesOnly_, &QPushButton::toggled, this, &AnalysisWindow::setSamplesOnly);
    sampleButtons->addWidget(samplesOnly_);
    sampleButtons->addWidget(clearList);
    sampleLayout->addLayout(sampleButtons);
    // The batch's settings make the page tall: it scrolls rather than holding the window up.
    auto* sampleScroll = new QScrollArea(tabs_);
    sampleScroll->setObjectName(QStringLiteral("samplesTab"));
    sampleScroll->setFrameShape(QFrame::NoFrame);
    sampleScroll->setWidgetResizable(true);
    sampleScroll->setWidget(samplePage);
    samplesTab_ = sampleScroll;
    return sampleScroll;
}

// The tabs of the model, the validation, the uncertainty and the history.
void AnalysisWindow::addFigureTabs() {
    tabs_->addTab(new ModelTab(calibration_, prompts_, tabs_), tr("模型"));
    validation_ = new ValidationTab(calibration_, prompts_, tabs_);
    connect(validation_, &ValidationTab::bandsChanged, this, &AnalysisWindow::updatePlots);
    tabs_->addTab(validation_, tr("验证"));
    // The budget scrolls, as the samples' page does, rather than holding the window up.
    auto* uncertaintyScroll = new QScrollArea(tabs_);
    uncertaintyScroll->setFrameShape(QFrame::NoFrame);
    uncertaintyScroll->setWidgetResizable(true);
    auto* uncertainty = new UncertaintyTab(calibration_, uncertaintyScroll);
    uncertaintyScroll->setWidget(uncertainty);
    tabs_->addTab(uncertaintyScroll, tr("不确定度"));
    connect(sampleTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, uncertainty,
            [uncertainty](const QModelIndex& current) {
                uncertainty->showRow(current.isValid() ? current.row() : -1);
            });
    // U shown only while a way is chosen (the rows keep their figures either way); the internal
    // standard's columns are the models' own (document_table_model.h).
    const auto hideColumns = [this] {
        sampleTable_->setColumnHidden(samples_->column(SampleListModel::Expanded),
                                      calibration_.document().settings.uncertainty.way ==
                                          calibration::UncertaintyWay::None);
    };
    connect(&calibration_, &CurrentCalibration::resultsChanged, sampleTable_, hideColumns);
    hideColumns();
    tabs_->addTab(new HistoryTab(calibration_, tabs_), tr("记录"));
}

void AnalysisWindow::buildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    // 归档批次 and its mark sit at the menu bar's end, taking no height from the plots.
    bar->setCornerWidget(filing_->bar(), Qt::TopRightCorner);
    auto* edit = bar->addMenu(tr("编辑(&E)"));
    auto* copy = edit->addAction(tr("复制结果"), this, &AnalysisWindow::copyResults);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    addAction(copy);
    auto* file = bar->addMenu(tr("文件(&F)"));
    buildFileMenu(*file);
    buildMethodMenu(*bar->addMenu(tr("方法(&M)")));
    file->addSeparator();
    file->addAction(tr("保存图像…"), this, &AnalysisWindow::saveImage);
    file->addSeparator();
    auto* header = file->addAction(tr("报告信息…"), this, [this] { header_->edit(); });
    header->setObjectName(QStringLiteral("reportHeader"));
    file->addAction(tr("打印…"), this, &AnalysisWindow::printReport);
    file->addAction(tr("导出PDF…"), this, &AnalysisWindow::exportPdf);
    reportHistory_ = file->addAction(tr("报告附修改记录"));
    reportHistory_->setObjectName(QStringLiteral("reportHistory"));
    reportHistory_->setCheckable(true);
    reportHistory_->setChecked(QSettings().value(kReportHistoryKey, false).toBool());
    connect(reportHistory_, &QAction::toggled, this,
            [](bool on) { QSettings().setValue(kReportHistoryKey, on); });

    auto* qc = bar->addMenu(tr("质控(&Q)"));
    qc->setObjectName(QStringLiteral("qcMenu"));
    qc->addAction(filing_->action());
    qc->addSeparator();
    qc->addAction(tr("质控图…"), this, [this] {
          openControlCharts(this, prompts_);
      })->setObjectName(QStringLiteral("controlCharts"));
    qc->addAction(tr("质控数据库…"), this, [this] {
          editQcDatabase(this, prompts_);
      })->setObjectName(QStringLiteral("qcDatabase"));

    // Read in either language, so that a user who cannot read the one shown still finds it: the
    // title and the languages' own names are never translated.
    auto* language = bar->addMenu(QStringLiteral("语言 / Language"));
    language->setObjectName(QStringLiteral("languageMenu"));
    languages_ = new QActionGroup(language);
    for (const auto& [name, code] : {std::pair{QStringLiteral("中文"), QStringLiteral("zh")},
                                     std::pair{QStringLiteral("English"), QStringLiteral("en")}}) {
        QAction* action = language->addAction(name);
        action->setObjectName(QStringLiteral("language_") + code);
        action->setData(code);
        action->setCheckable(true);
        action->setChecked(code == u"zh");
        languages_->addAction(action);
        connect(action, &QAction::triggered, this, [this, code] { emit languageRequested(code); });
    }
}

void AnalysisWindow::setLanguage(const QString& language) {
    for (QAction* action : languages_->actions()) {
        action->setChecked(action->data().toString() == language);
    }
}

void AnalysisWindow::setReportHistory(bool history) {
    reportHistory_->setChecked(history);
}

void AnalysisWindow::open() {
    if (!placed_) {
        placed_ = true;
        const QByteArray kept = QSettings().value(kGeometryKey).toByteArray();
        if (kept.isEmpty() || !restoreGeometry(kept)) {
            placeBesideOwner();
        }
    }
    show();
    raise();
    activateWindow();
}

// Its size and place are kept for the next run once it has been open.
void AnalysisWindow::closeEvent(QCloseEvent* event) {
    QSettings().setValue(kGeometryKey, saveGeometry());
    QWidget::closeEvent(event);
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
    // Beside the formulas the table's column is too narrow for the settings in one line: the
    // calibration type goes below the buttons, where the column has height to spare.
    modelControls_->placeCalibrationType(wide ? nullptr : extrasLayout_);
    if (wide && tab >= 0) {
        tabs_->removeTab(tab);
        contentLayout_->addWidget(statisticsPanel_);
        statisticsPanel_->show();
    } else if (!wide && tab < 0) {
        contentLayout_->removeWidget(statisticsPanel_);
        tabs_->insertTab(0, statisticsPanel_, tr("统计量"));
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

bool AnalysisWindow::hasCurve() const {
    return calibration_.curve().hasCurve();
}

void AnalysisWindow::setCurrentSample(std::optional<double> absorbance) {
    calibration_.setCurrentSample(absorbance);
    updatePlots();
}

void AnalysisWindow::setMainWindowNote(const QString& note) {
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

void AnalysisWindow::setBackup(const QString& path) {
    backup_ = path;
    backupNote_->setText(path.isEmpty() ? QString()
                                        : tr("主窗口的拟合替换了它没有显示的标准点；"
                                             "替换前的数据已备份：<a href=\"open\">打开备份</a>"));
    backupNote_->setToolTip(path);
    backupNote_->setVisible(!path.isEmpty());
}

void AnalysisWindow::updateTitle() {
    const QString file = calibration_.file();
    QString title = tr("标准曲线分析");
    if (!file.isEmpty()) {
        title = QFileInfo(file).fileName() + QStringLiteral(" - ") + title;
    }
    if (calibration_.isModified()) {
        title = u'*' + title;
    }
    setWindowTitle(title);
}

PlotData AnalysisWindow::plotData() const {
    PlotOptions options;
    options.current = calibration_.currentReading();
    options.showConfidence = validation_ && validation_->showConfidence();
    options.showPrediction = validation_ && validation_->showPrediction();
    return analysis::plotData(calibration_.document(), calibration_.curve(),
                              calibration_.sampleResults(), options);
}

void AnalysisWindow::updatePlots() {
    const PlotData data = plotData();
    calibrationPlot_->setData(data);
    residualPlot_->setData(data);
}

void AnalysisWindow::refresh() {
    curveArea_->setCurrentIndex(hasCurve() ? 1 : 0);
    const calibration::CurveResult& curve = calibration_.curve();
    const bool none = calibration_.document().standards.empty();
    emptyTitle_->setText(none || !curve.problem
                             ? io::fromDocument(calibration::render(calibration::noCurve()))
                             : tr("无法拟合标准曲线"));
    emptyHint_->setText(
        none || !curve.problem
            ? tr("在主窗口输入标准点并点击“计算”，或在“标准点”中输入、粘贴或导入标准点，"
                 "这里即显示标准曲线和统计结果。")
            : io::fromDocument(calibration::render(*curve.problem)));
    // A curve from which no concentration can be read says so above its figures.
    curveNote_->setText(curve.noReading ? io::fromDocument(calibration::render(*curve.noReading))
                                        : QString());
    curveNote_->setVisible(curve.noReading.has_value());
    // Texts differ on s(x_E): this one has no term for the scatter of a new measurement, as the
    // sample is the standards themselves. Nothing to name with two rows (no s(x_E)).
    const calibration::AdditionResult& addition = calibration_.results().addition;
    const bool formula = addition.addition && addition.sXE;
    additionFormula_->setText(formula ? tr("标准偏差按外推公式，不含新测量的预测项：%1")
                                            .arg(QString::fromUtf8(addition.addition->formula))
                                      : QString());
    additionFormula_->setVisible(formula);
    updatePlots();
    updateTitle();
}

QString AnalysisWindow::reportText() const {
    if (!hasCurve()) {
        return {};
    }
    return QString::fromStdString(
        calibration::reportText(calibration_.document(), calibration_.results()));
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
    const QString path = prompts_.saveFileName(
        tr("保存图像"), tr("PNG 图像 (*.png);;SVG 图像 (*.svg)"), tr("标准曲线.png"));
    if (path.isEmpty()) {
        return;
    }
    auto error = exportTargetProblem(path);
    if (!error) {
        error = savePlotImage(path, plotData());
    }
    if (error) {
        prompts_.tell(tr("图像保存失败：%1").arg(error->message()));
    }
}

ReportContent AnalysisWindow::reportContent() const {
    const ReportSource source =
        documentSource(calibration_.file(), calibration_.isModified(), QDateTime::currentDateTime(),
                       reportHistory_->isChecked());
    return analysis::reportContent(calibration_.document(), calibration_.results(), source);
}

void AnalysisWindow::exportPdf() {
    if (!hasCurve()) {
        return;
    }
    const QString path =
        prompts_.saveFileName(tr("导出PDF"), tr("PDF 文件 (*.pdf)"),
                              proposedFile(tr("标准曲线报告"), QStringLiteral("pdf")));
    if (path.isEmpty()) {
        return;
    }
    auto error = exportTargetProblem(path);
    if (!error) {
        error = saveReportPdf(path, reportContent());
    }
    if (error) {
        prompts_.tell(tr("PDF导出失败：%1").arg(error->message()));
    }
}

QString AnalysisWindow::proposedFile(const QString& fallback, const QString& suffix) const {
    const QString name = proposedName(calibration_.document());
    return (name.isEmpty() ? fallback : name) + u'.' + suffix;
}

// The sample page keeps the summary of the checks, the table and its buttons; the plots and the
// statistics above, the settings and the hint give the table their room.
void AnalysisWindow::setSamplesOnly(bool only) {
    if (samplesOnly_->isChecked() != only) {
        samplesOnly_->setChecked(only); // comes back here
        return;
    }
    curveArea_->setVisible(!only);
    batchPanel_->setSettingsVisible(!only);
    sampleHint_->setVisible(!only);
    if (only) {
        tabs_->setCurrentWidget(samplesTab_);
    } else {
        balance();
    }
}

void AnalysisWindow::printReport() {
    if (!hasCurve()) {
        return;
    }
    calibration::Message whyNot;
    const ExportModule* module = exportModule(&whyNot);
    if (module == nullptr) {
        prompts_.tell(tr("无法打印：%1").arg(io::rendered(whyNot)));
        return;
    }
    const ReportContent content = reportContent();
    module->printPreview(this,
                         [&content](QPagedPaintDevice& device) { paintReport(device, content); });
}

} // namespace analysis
