#include "app/calibration_files.h"

#include "analysis/analysis_window.h"
#include "analysis/sample_list.h"
#include "io/calibration_file.h"
#include "io/csv.h"
#include "io/files.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/prompts.h"
#include "ui/worksheet_events.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace app {

namespace {

const QString kCalibrationFilter = u"Lumetra 标准曲线文件 (*.lumetra);;所有文件 (*)"_s;
const QString kSuffix = u"lumetra"_s;

std::string utf8(const QString& text) {
    return text.toStdString();
}

// A refused file's message names the file, the row or field and the reason.
io::Error locatedIn(io::Error error, const QString& path) {
    error.file = path;
    return error;
}

void warn(const QString& line) {
    const QByteArray bytes = (u"lumetra: "_s + line + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

} // namespace

QString lastWorksheetPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           u"/last.lumetra"_s;
}

void fillWorksheet(ui::MainWindow& main, const std::optional<QString>& unit,
                   const QList<io::Standard>& standards) {
    worksheet::Worksheet& sheet = main.sheet();
    const ui::MainWindowControls& c = main.controls();
    sheet.command5_Click();
    sheet.Command8_Click();
    if (unit) {
        const int listed = c.Combo1->findText(*unit);
        if (listed >= 0) {
            c.Combo1->setCurrentIndex(listed);
        }
        c.Combo1->setEditText(*unit);
    }
    c.Text4->SetText(utf8(QString::number(standards.size())));
    sheet.command9_Click();
    for (qsizetype i = 0; i < standards.size() && i < worksheet::kRows; ++i) {
        c.Text1[std::size_t(i)]->SetText(utf8(standards[i].c));
        c.Text2[std::size_t(i)]->SetText(utf8(standards[i].a));
    }
    sheet.command4_Click();
}

bool worksheetHoldsData(const ui::MainWindow& main) {
    const ui::MainWindowControls& c = main.controls();
    for (int i = 0; i < worksheet::kRows; ++i) {
        if (!c.Text1[std::size_t(i)]->text().isEmpty() ||
            !c.Text2[std::size_t(i)]->text().isEmpty()) {
            return true;
        }
    }
    return !c.Text4->text().isEmpty() || !c.Text7->text().isEmpty() || main.curve().has_value();
}

CalibrationFiles::CalibrationFiles(ui::MainWindow& main, analysis::AnalysisWindow& analysis,
                                   ui::Prompts& prompts, QString lastPath)
    : QObject(&main), main_(main), analysis_(analysis), prompts_(prompts),
      lastPath_(std::move(lastPath)) {
    using analysis::AnalysisWindow;
    connect(&analysis, &AnalysisWindow::openRequested, this, &CalibrationFiles::open);
    connect(&analysis, &AnalysisWindow::saveRequested, this, &CalibrationFiles::save);
    connect(&analysis, &AnalysisWindow::saveAsRequested, this, &CalibrationFiles::saveAs);
    connect(&analysis, &AnalysisWindow::restoreLastRequested, this, &CalibrationFiles::restoreLast);
    connect(&analysis, &AnalysisWindow::importStandardsRequested, this,
            &CalibrationFiles::importStandards);

    // The main window's context menu; no keys, so that none of the worksheet's is taken.
    const std::tuple<const char16_t*, const char16_t*, void (CalibrationFiles::*)()> entries[] = {
        {u"打开…", u"openCalibration", &CalibrationFiles::open},
        {u"保存", u"saveCalibration", &CalibrationFiles::save},
        {u"另存为…", u"saveCalibrationAs", &CalibrationFiles::saveAs},
    };
    for (const auto& [text, name, command] : entries) {
        auto* action = new QAction(QString::fromUtf16(text), &main);
        action->setObjectName(QString::fromUtf16(name));
        connect(action, &QAction::triggered, this, command);
        main.addAction(action);
    }
    main.setContextMenuPolicy(Qt::ActionsContextMenu);

    // Connected after the analysis window's own slots, so that a computed sample is already in
    // the list when the worksheet is kept.
    const ui::WorksheetEvents* events = main.events();
    connect(events, &ui::WorksheetEvents::curveFitted, this, &CalibrationFiles::keepLast);
    connect(events, &ui::WorksheetEvents::sampleComputed, this, &CalibrationFiles::keepLast);
}

io::Expected<io::Calibration> CalibrationFiles::current() const {
    const worksheet::State state = main_.sheet().state();
    const int count = state.PointCount.value() > 0 ? state.PointCount.toInt16().value_or(0) : 0;
    if (count < 1 || count > worksheet::kRows) {
        return io::Error{{}, {}, u"没有可保存的标准点"_s};
    }
    const ui::MainWindowControls& c = main_.controls();
    io::Calibration calibration;
    calibration.unit = c.Combo1->currentText();
    for (int i = 0; i < count; ++i) {
        calibration.standards.append(
            {c.Text1[std::size_t(i)]->text(), c.Text2[std::size_t(i)]->text()});
    }
    calibration.samples = analysis_.listedSamples();
    return calibration;
}

bool CalibrationFiles::mayReplace(bool samplesToo, const QString& what) {
    const bool listed = samplesToo && analysis_.samples().rowCount() > 0;
    if (!worksheetHoldsData(main_) && !listed) {
        return true;
    }
    const QString holding = samplesToo ? u"工作表或样品列表中已有数据"_s : u"工作表中已有数据"_s;
    return prompts_.ask(u"%1，将被%2替换。是否继续？"_s.arg(holding, what));
}

void CalibrationFiles::apply(const io::Calibration& calibration, Samples samples) {
    filling_ = true;
    fillWorksheet(main_,
                  samples == Samples::Replace ? std::optional(calibration.unit) : std::nullopt,
                  calibration.standards);
    if (samples == Samples::Replace) {
        analysis_.replaceSamples(calibration.samples);
    }
    filling_ = false;
    if (main_.curve()) {
        keepLast();
    }
}

void CalibrationFiles::open() {
    const QString path = prompts_.openFileName(u"打开标准曲线文件"_s, kCalibrationFilter);
    if (!path.isEmpty()) {
        openFile(path);
    }
}

bool CalibrationFiles::openFile(const QString& path) {
    const auto calibration = io::readCalibrationFile(path);
    if (!calibration) {
        prompts_.tell(u"无法打开："_s + calibration.error().message());
        return false;
    }
    if (const auto error = io::checkForWindow(calibration.value())) {
        prompts_.tell(u"无法打开："_s + locatedIn(*error, path).message());
        return false;
    }
    if (!mayReplace(true, u"“%1”的内容"_s.arg(QFileInfo(path).fileName()))) {
        return false;
    }
    apply(calibration.value(), Samples::Replace);
    currentFile_ = path;
    return true;
}

void CalibrationFiles::restoreLast() {
    // Only a path where nothing stands has no data; a dangling or looping link, a FIFO or a
    // folder that cannot be entered gets its own reason from the reader.
    if (io::isAbsent(lastPath_)) {
        prompts_.tell(u"没有上次的数据"_s);
        return;
    }
    const auto calibration = io::readCalibrationFile(lastPath_);
    if (!calibration) {
        prompts_.tell(u"无法恢复上次的数据："_s + calibration.error().message());
        return;
    }
    if (const auto error = io::checkForWindow(calibration.value())) {
        prompts_.tell(u"无法恢复上次的数据："_s + locatedIn(*error, lastPath_).message());
        return;
    }
    if (!mayReplace(true, u"上次的数据"_s)) {
        return;
    }
    apply(calibration.value(), Samples::Replace);
    // The kept copy is the program's own: 保存 asks where to write.
    currentFile_.clear();
}

void CalibrationFiles::importStandards() {
    const QString path = prompts_.openFileName(
        u"导入标准点CSV"_s, u"CSV 文件 (*.csv);;文本文件 (*.txt *.tsv);;所有文件 (*)"_s);
    if (!path.isEmpty()) {
        importStandardsFrom(path);
    }
}

bool CalibrationFiles::importStandardsFrom(const QString& path) {
    const auto csv = io::readStandardsCsvFile(path);
    if (!csv) {
        prompts_.tell(u"无法导入："_s + csv.error().message());
        return false;
    }
    if (const auto error = io::checkForWindow(csv.value())) {
        prompts_.tell(u"无法导入："_s + locatedIn(*error, path).message());
        return false;
    }
    if (!mayReplace(false, u"“%1”中的标准点"_s.arg(QFileInfo(path).fileName()))) {
        return false;
    }
    io::Calibration calibration;
    calibration.standards = csv->rows;
    apply(calibration, Samples::Keep);
    return true;
}

void CalibrationFiles::save() {
    if (currentFile_.isEmpty()) {
        saveAs();
    } else {
        saveTo(currentFile_);
    }
}

void CalibrationFiles::saveAs() {
    const QString suggested =
        currentFile_.isEmpty() ? u"标准曲线.lumetra"_s : QFileInfo(currentFile_).fileName();
    QString path = prompts_.saveFileName(u"保存标准曲线文件"_s, kCalibrationFilter, suggested);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += u'.' + kSuffix;
    }
    saveTo(path);
}

// Only what the window can open again is saved: a file refused at opening would keep the work in
// a form the user cannot get back.
bool CalibrationFiles::saveTo(const QString& path) {
    const auto calibration = current();
    if (!calibration) {
        prompts_.tell(u"无法保存："_s + calibration.error().message());
        return false;
    }
    if (const auto error = io::checkForWindow(calibration.value())) {
        prompts_.tell(u"无法保存："_s + error->message());
        return false;
    }
    if (const auto error = io::saveCalibration(path, calibration.value())) {
        prompts_.tell(u"保存失败："_s + error->message());
        return false;
    }
    currentFile_ = path;
    return true;
}

// Never a message in the middle of the designed fit or sample: a failure is one line on standard
// error. The worksheet is kept as it stands, even when the window would refuse it (a sample row
// that is not numbers), so that nothing typed is lost; 恢复上次的数据 then names the row.
void CalibrationFiles::keepLast() {
    if (filling_) {
        return;
    }
    const auto calibration = current();
    if (!calibration) {
        return;
    }
    const QString folder = QFileInfo(lastPath_).absolutePath();
    if (!QDir().mkpath(folder)) {
        warn(u"无法保存上次的数据：无法创建文件夹 "_s + folder);
        return;
    }
    if (const auto error = io::saveCalibration(lastPath_, calibration.value())) {
        warn(u"无法保存上次的数据："_s + error->message());
    }
}

} // namespace app
