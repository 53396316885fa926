// The analysis window's file commands: the 文件 menu's calibration entries, the sample list read
// from and written to files, and the CSV export.

#include "analysis/analysis_window.h"
#include "analysis/csv_export.h"
#include "analysis/current_calibration.h"
#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "io/document_text.h"
#include "io/files.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace analysis {

namespace {

const QString kCsvFilter = u"CSV 文件 (*.csv);;文本文件 (*.txt *.tsv);;所有文件 (*)"_s;

} // namespace

void AnalysisWindow::buildFileMenu(QMenu& file) {
    struct Entry {
        const char16_t* text;
        const char16_t* name;
        void (AnalysisWindow::*command)();
        QKeySequence keys;
    };
    const Entry entries[] = {
        {u"打开…", u"openFile", &AnalysisWindow::openRequested, QKeySequence::Open},
        {u"保存", u"saveFile", &AnalysisWindow::saveRequested, QKeySequence::Save},
        {u"另存为…", u"saveFileAs", &AnalysisWindow::saveAsRequested,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {nullptr, nullptr, nullptr, {}},
        {u"恢复上次的数据", u"restoreLast", &AnalysisWindow::restoreLastRequested, {}},
        {nullptr, nullptr, nullptr, {}},
        {u"导入标准点CSV…", u"importStandardsCsv", &AnalysisWindow::importStandardsRequested, {}},
        {u"导入样品CSV…", u"importSamplesCsv", &AnalysisWindow::importSamplesCsv, {}},
        {u"导出CSV…", u"exportCsv", &AnalysisWindow::exportCsv, {}},
    };
    for (const Entry& entry : entries) {
        if (entry.text == nullptr) {
            file.addSeparator();
            continue;
        }
        QAction* action = file.addAction(QString::fromUtf16(entry.text), this, entry.command);
        action->setObjectName(QString::fromUtf16(entry.name));
        if (!entry.keys.isEmpty()) {
            action->setShortcut(entry.keys);
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
        }
    }
}

void AnalysisWindow::importSamplesCsv() {
    const QString path = prompts_.openFileName(u"导入样品CSV"_s, kCsvFilter);
    if (path.isEmpty()) {
        return;
    }
    const auto csv = io::readSamplesCsvFile(path);
    if (!csv) {
        prompts_.tell(u"无法导入："_s + csv.error().message());
        return;
    }
    const int first = samples_->rowCount();
    std::vector<calibration::Sample> rows;
    rows.reserve(std::size_t(csv->rows.size()));
    for (const io::Sample& row : csv->rows) {
        rows.push_back(io::toDocument(row));
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
        prompts_.tell(io::fromDocument(calibration::render(calibration::noCurve())) +
                      u"，没有可导出的结果"_s);
        return;
    }
    const QString path =
        prompts_.saveFileName(u"导出CSV"_s, u"CSV 文件 (*.csv)"_s, u"标准曲线.csv"_s);
    if (path.isEmpty()) {
        return;
    }
    if (const auto error = io::saveFileAtomically(path, io::writeCsv(exportTable()))) {
        prompts_.tell(u"导出失败："_s + error->message());
    }
}

} // namespace analysis
