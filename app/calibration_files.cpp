#include "app/calibration_files.h"

#include "analysis/analysis_window.h"
#include "analysis/current_calibration.h"
#include "analysis/file_names.h"
#include "app/worksheet_link.h"
#include "io/calibration_file.h"
#include "io/csv.h"
#include "io/document_text.h"
#include "io/files.h"
#include "ui/main_window.h"
#include "ui/prompts.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace app {

namespace {

const QString kSuffix = u"lumetra"_s;

QString calibrationFilter() {
    return CalibrationFiles::tr("Lumetra 标准曲线文件 (*.lumetra);;所有文件 (*)");
}

void warn(const QString& line) {
    const QByteArray bytes = (u"lumetra: "_s + line + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

bool holdsData(const calibration::Document& document) {
    return !document.standards.empty() || !document.samples.empty();
}

// The data folder, made when missing; "" with a line on standard error when it cannot be.
QString dataFolder(const QString& lastPath, const QString& what) {
    const QString folder = QFileInfo(lastPath).absolutePath();
    if (!QDir().mkpath(folder)) {
        warn(CalibrationFiles::tr("无法保存%1：无法创建文件夹 %2").arg(what, folder));
        return {};
    }
    return folder;
}

} // namespace

QString lastWorksheetPath() {
    // Named here rather than through AppLocalDataLocation, which would put the organisation's
    // folder in front of the program's.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           u"/lumetra/last.lumetra"_s;
}

CalibrationFiles::CalibrationFiles(ui::MainWindow& main, analysis::AnalysisWindow& analysis,
                                   ui::Prompts& prompts, QString lastPath)
    : QObject(&main), main_(main), analysis_(analysis), calibration_(analysis.calibration()),
      prompts_(prompts), lastPath_(std::move(lastPath)) {
    using analysis::AnalysisWindow;
    connect(&analysis, &AnalysisWindow::openRequested, this, &CalibrationFiles::open);
    connect(&analysis, &AnalysisWindow::saveRequested, this, &CalibrationFiles::save);
    connect(&analysis, &AnalysisWindow::saveAsRequested, this, &CalibrationFiles::saveAs);
    connect(&analysis, &AnalysisWindow::restoreLastRequested, this, &CalibrationFiles::restoreLast);
    connect(&analysis, &AnalysisWindow::importStandardsRequested, this,
            &CalibrationFiles::importStandards);
    connect(&analysis, &AnalysisWindow::openBackupRequested, this,
            [this](const QString& path) { openFile(path); });

    // The main window's context menu; no keys, so that none of the worksheet's is taken.
    const std::tuple<const char*, const char16_t*, void (CalibrationFiles::*)()> entries[] = {
        {QT_TR_NOOP("打开…"), u"openCalibration", &CalibrationFiles::open},
        {QT_TR_NOOP("保存"), u"saveCalibration", &CalibrationFiles::save},
        {QT_TR_NOOP("另存为…"), u"saveCalibrationAs", &CalibrationFiles::saveAs},
    };
    for (const auto& [text, name, command] : entries) {
        auto* action = new QAction(tr(text), &main);
        action->setObjectName(QString::fromUtf16(name));
        connect(action, &QAction::triggered, this, command);
        main.addAction(action);
    }
    main.setContextMenuPolicy(Qt::ActionsContextMenu);

    link_ = new WorksheetLink(main, analysis, [this] { return keepBackup(); });

    // Every change is written within a second; a burst of changes is written once.
    lastTimer_.setSingleShot(true);
    lastTimer_.setInterval(1000);
    connect(&lastTimer_, &QTimer::timeout, this, &CalibrationFiles::keepLast);
    connect(&calibration_, &analysis::CurrentCalibration::documentChanged, this, [this] {
        if (!lastTimer_.isActive()) {
            lastTimer_.start();
        }
    });
}

const QString& CalibrationFiles::currentFile() const {
    return calibration_.file();
}

bool CalibrationFiles::mayReplace(bool samplesToo, const QString& what) {
    const calibration::Document& document = calibration_.document();
    const bool listed = samplesToo && !document.samples.empty();
    if (!worksheetHoldsData(main_) && document.standards.empty() && !listed) {
        return true;
    }
    const QString holding = samplesToo ? tr("工作表或样品列表中已有数据") : tr("工作表中已有数据");
    return prompts_.ask(tr("%1，将被%2替换。是否继续？").arg(holding, what));
}

void CalibrationFiles::open() {
    const QString path = prompts_.openFileName(tr("打开标准曲线文件"), calibrationFilter());
    if (!path.isEmpty()) {
        openFile(path);
    }
}

bool CalibrationFiles::openFile(const QString& path) {
    const auto calibration = io::readCalibrationFile(path);
    if (!calibration) {
        prompts_.tell(tr("无法打开：%1").arg(calibration.error().message()));
        return false;
    }
    if (!mayReplace(true, tr("“%1”的内容").arg(QFileInfo(path).fileName()))) {
        return false;
    }
    calibration_.replaceDocument(calibration.value(), path, false);
    return true;
}

void CalibrationFiles::restoreLast() {
    if (io::isAbsent(lastPath_)) {
        prompts_.tell(tr("没有上次的数据"));
        return;
    }
    const auto calibration = io::readCalibrationFile(lastPath_);
    if (!calibration) {
        prompts_.tell(tr("无法恢复上次的数据：%1").arg(calibration.error().message()));
        return;
    }
    if (!mayReplace(true, tr("上次的数据"))) {
        return;
    }
    // The kept copy is the program's own: 保存 asks where to write.
    calibration_.replaceDocument(calibration.value(), QString(), false);
}

void CalibrationFiles::importStandards() {
    const QString path = prompts_.openFileName(
        tr("导入标准点CSV"), tr("CSV 文件 (*.csv);;文本文件 (*.txt *.tsv);;所有文件 (*)"));
    if (!path.isEmpty()) {
        importStandardsFrom(path);
    }
}

bool CalibrationFiles::importStandardsFrom(const QString& path) {
    const auto csv = io::readStandardsCsvFile(path);
    if (!csv) {
        prompts_.tell(tr("无法导入：%1").arg(csv.error().message()));
        return false;
    }
    if (!mayReplace(false, tr("“%1”中的标准点").arg(QFileInfo(path).fileName()))) {
        return false;
    }
    std::vector<calibration::Standard> standards;
    for (const io::Standard& standard : csv->rows) {
        standards.push_back(io::toDocument(standard));
    }
    calibration_.setStandards(std::move(standards), std::nullopt,
                              analysis::CurrentCalibration::From::Elsewhere, "import");
    return true;
}

void CalibrationFiles::save() {
    if (currentFile().isEmpty()) {
        saveAs();
    } else {
        saveTo(currentFile());
    }
}

void CalibrationFiles::saveAs() {
    // A new file is proposed under the name the batch is filed under (its batch number, else
    // its analyte and date).
    const QString filed = analysis::proposedName(calibration_.document());
    const QString suggested = !currentFile().isEmpty() ? QFileInfo(currentFile()).fileName()
                              : filed.isEmpty()        ? tr("标准曲线.lumetra")
                                                       : filed + u'.' + kSuffix;
    QString path = prompts_.saveFileName(tr("保存标准曲线文件"), calibrationFilter(), suggested);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += u'.' + kSuffix;
    }
    saveTo(path);
}

// Everything typed is saved, rows whose texts are not numbers included: they open again as they
// were, marked with their reasons.
bool CalibrationFiles::saveTo(const QString& path) {
    const calibration::Document& document = calibration_.document();
    if (!holdsData(document)) {
        prompts_.tell(tr("无法保存：没有可保存的数据"));
        return false;
    }
    calibration_.recordSave(path);
    if (const auto error = io::saveCalibration(path, calibration_.document())) {
        calibration_.forgetSave();
        prompts_.tell(tr("保存失败：%1").arg(error->message()));
        return false;
    }
    calibration_.markSaved(path);
    return true;
}

bool CalibrationFiles::mayEnd() {
    flushLast();
    if (!calibration_.isModified() || !holdsData(calibration_.document())) {
        return true;
    }
    switch (prompts_.askSave(tr("标准曲线数据有未保存的修改。是否保存？"))) {
    case ui::Prompts::SaveChoice::Save: {
        if (currentFile().isEmpty()) {
            saveAs();
        } else {
            saveTo(currentFile());
        }
        return !calibration_.isModified();
    }
    case ui::Prompts::SaveChoice::Discard:
        return true;
    case ui::Prompts::SaveChoice::Cancel:
        break;
    }
    return false;
}

void CalibrationFiles::flushLast() {
    if (lastTimer_.isActive()) {
        lastTimer_.stop();
        keepLast();
    }
}

QString CalibrationFiles::keepBackup() {
    const QString folder = dataFolder(lastPath_, tr("备份"));
    if (folder.isEmpty()) {
        return {};
    }
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss-zzz"_s);
    const QString path = folder + u"/backup-"_s + stamp + u".lumetra"_s;
    if (const auto error = io::saveCalibration(path, calibration_.document())) {
        warn(tr("无法保存备份：%1").arg(error->message()));
        return {};
    }
    return path;
}

// Never a message in the middle of the user's work: a failure is one line on standard error.
void CalibrationFiles::keepLast() {
    if (dataFolder(lastPath_, tr("上次的数据")).isEmpty()) {
        return;
    }
    if (const auto error = io::saveCalibration(lastPath_, calibration_.document())) {
        warn(tr("无法保存上次的数据：%1").arg(error->message()));
    }
}

} // namespace app
