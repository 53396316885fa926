// The analysis window's file commands: the 文件 menu's calibration entries, the sample list read
// from and written to files, and the CSV export.

#include "analysis/analysis_window.h"
#include "analysis/change_reason.h"
#include "analysis/csv_export.h"
#include "analysis/current_calibration.h"
#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "io/document_text.h"
#include "io/files.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace analysis {

void AnalysisWindow::buildFileMenu(QMenu& file) {
    struct Entry {
        const char* text; // marked for translation
        const char16_t* name;
        void (AnalysisWindow::*command)();
        QKeySequence keys;
    };
    const Entry entries[] = {
        {QT_TR_NOOP("打开…"), u"openFile", &AnalysisWindow::openRequested, QKeySequence::Open},
        {QT_TR_NOOP("保存"), u"saveFile", &AnalysisWindow::saveRequested, QKeySequence::Save},
        {QT_TR_NOOP("另存为…"), u"saveFileAs", &AnalysisWindow::saveAsRequested,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {nullptr, nullptr, nullptr, {}},
        {QT_TR_NOOP("恢复上次的数据"), u"restoreLast", &AnalysisWindow::restoreLastRequested, {}},
        {nullptr, nullptr, nullptr, {}},
        {QT_TR_NOOP("导入标准点CSV…"),
         u"importStandardsCsv",
         &AnalysisWindow::importStandardsRequested,
         {}},
        {QT_TR_NOOP("导入样品CSV…"), u"importSamplesCsv", &AnalysisWindow::importSamplesCsv, {}},
        {QT_TR_NOOP("导出CSV…"), u"exportCsv", &AnalysisWindow::exportCsv, {}},
    };
    for (const Entry& entry : entries) {
        if (entry.text == nullptr) {
            file.addSeparator();
            continue;
        }
        QAction* action = file.addAction(tr(entry.text), this, entry.command);
        action->setObjectName(QString::fromUtf16(entry.name));
        if (!entry.keys.isEmpty()) {
            action->setShortcut(entry.keys);
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
        }
    }
}

void AnalysisWindow::importSamplesCsv() {
    const QString path = prompts_.openFileName(
        tr("导入样品CSV"), tr("CSV 文件 (*.csv);;文本文件 (*.txt *.tsv);;所有文件 (*)"));
    if (path.isEmpty()) {
        return;
    }
    const auto csv = io::readSamplesCsvFile(path);
    if (!csv) {
        prompts_.tell(tr("无法导入：%1").arg(csv.error().message()));
        return;
    }
    const int first = samples_->rowCount();
    std::vector<calibration::Sample> rows;
    rows.reserve(std::size_t(csv->rows.size()));
    for (const io::Sample& row : csv->rows) {
        rows.push_back(io::toDocument(row));
    }
    const ChangeReason reason(calibration_, prompts_);
    if (!reason) {
        return;
    }
    calibration_.appendSamples(std::move(rows), "import");
    tabs_->setCurrentWidget(samplesTab_);
    sampleTable_->scrollTo(samples_->index(first, 0));
}

QList<io::CsvRow> AnalysisWindow::exportTable() const {
    if (!hasCurve()) {
        return {};
    }
    return analysis::exportTable(calibration_.document(), calibration_.results());
}

void AnalysisWindow::exportCsv() {
    if (!hasCurve()) {
        prompts_.tell(tr("尚未计算标准曲线，没有可导出的结果"));
        return;
    }
    const QString path = prompts_.saveFileName(tr("导出CSV"), tr("CSV 文件 (*.csv)"),
                                               proposedFile(tr("标准曲线"), QStringLiteral("csv")));
    if (path.isEmpty()) {
        return;
    }
    auto error = exportTargetProblem(path);
    if (!error) {
        error = io::saveFileAtomically(path, io::writeCsv(exportTable()));
    }
    if (error) {
        prompts_.tell(tr("导出失败：%1").arg(error->message()));
    }
}

std::optional<io::Error> AnalysisWindow::exportTargetProblem(const QString& path) const {
    if (io::sameFile(path, calibration_.file())) {
        return io::Error{
            path,
            {},
            calibration::Message::in("analysis::AnalysisWindow",
                                     QT_TRANSLATE_NOOP("analysis::AnalysisWindow",
                                                       "这是打开的标准曲线文件，导出不能覆盖它"))};
    }
    // Before the export is made, so that a report is not drawn only to be refused.
    return io::checkWriteTarget(path);
}

} // namespace analysis
