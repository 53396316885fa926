// The record a reviewer reads: once a document has been saved, a change made in the analysis
// window asks for its reason, keeps it in the history entry, the 记录 tab and the report's
// appendix; a cancelled or empty reason changes nothing; the main window's designed flow never
// asks. And the dialogs around the record: 报告信息 wide enough for its fields, the save dialog
// proposing the batch's own name.

#include "analysis/history_tab.h"
#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "analysis/standards_table.h"
#include "app/calibration_files.h"
#include "tests/analysis/analysis_window_fixture.h"
#include "tests/analysis/nessler.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <functional>

namespace {

using analysis::SampleListModel;
using analysis::StandardsModel;
using test::RecordingPrompts;

const std::string kAskReason =
    std::string(RecordingPrompts::kAskText) + "记录已保存，请说明修改原因：";

class RecordTest : public analysis_test::AnalysisWindowTest {
public:
    // The batch as a file of its own, opened in the window.
    void openSavedBatch() {
        calibration().replaceDocument(nessler::batch(), QString(), false);
        ASSERT_TRUE(lumetra->files()->saveTo(dir.filePath(u"batch.lumetra"_qs)));
        activateAnalysis();
        alerts.take();
    }

    // Types into a cell of a table as the user does: F2, the text, Enter.
    void typeInto(QTableView& table, int row, int column, const QString& text) {
        show(table);
        const QModelIndex index = analysis::fieldIndex(*table.model(), row, column);
        table.setCurrentIndex(index);
        QTest::keyClick(&table, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(editor->parentWidget(), table.viewport()) << "no editor opened";
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the delegate commits what was typed after the key
    }

    // The tab that holds the widget brought to the front, the widget given the focus.
    void show(QWidget& widget) {
        auto* tabs = window()->findChild<QTabWidget*>();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(&widget)) {
                tabs->setCurrentIndex(i);
            }
        }
        QApplication::processEvents();
        widget.setFocus();
    }

    const calibration::HistoryEntry& last() { return calibration().document().history.back(); }
    std::string lastWords() { return calibration::render(calibration::describe(last())); }

    QTemporaryDir dir;
};

TEST_F(RecordTest, ASavedRecordAsksTheReasonAndKeepsIt) {
    openSavedBatch();
    analysis::SampleTable& samples = window()->sampleTable();
    // A reading typed: asked once, kept in the entry and shown in words with it.
    alerts.texts = {u"读数抄错"_qs};
    typeInto(samples, 2, SampleListModel::Readings, u"0.0531 0.0536"_qs);
    EXPECT_EQ(alerts.take(), std::vector<std::string>{kAskReason});
    EXPECT_EQ(calibration().document().samples[2].readings, "0.0531 0.0536");
    EXPECT_EQ(last().reason, "读数抄错");
    EXPECT_EQ(lastWords(), "W1 的读数：0.0530 0.0536 → 0.0531 0.0536；修改原因：读数抄错");
    // The 记录 tab shows the entry with its reason, and so does the report's appendix.
    auto* history = in<QTableView>(window(), u"history"_qs);
    const QAbstractItemModel* entries = history->model();
    EXPECT_EQ(entries->index(entries->rowCount() - 1, 2).data().toString().toStdString(),
              lastWords());
    window()->setReportHistory(true);
    const std::optional<analysis::ReportTable> appendix = window()->reportContent().history;
    ASSERT_TRUE(appendix.has_value());
    EXPECT_EQ(appendix->rows.back().back().toStdString(), lastWords());

    // Cancelled, or given as blanks: nothing changes, nothing is recorded.
    const calibration::Document before = calibration().document();
    typeInto(samples, 2, SampleListModel::Readings, u"0.9"_qs);
    EXPECT_EQ(alerts.take(), std::vector<std::string>{kAskReason});
    alerts.texts = {u"   "_qs};
    typeInto(samples, 2, SampleListModel::Dilution, u"2"_qs);
    EXPECT_EQ(alerts.take(),
              (std::vector<std::string>{kAskReason, "修改已保存的记录必须说明原因"}));
    EXPECT_EQ(calibration().document(), before);
    EXPECT_EQ(
        analysis::fieldIndex(*samples.model(), 2, SampleListModel::Readings).data().toString(),
        u"0.0531 0.0536"_qs);
    // The same text again is no change and asks nothing.
    typeInto(samples, 2, SampleListModel::Readings, u"0.0531 0.0536"_qs);
    EXPECT_EQ(alerts.take(), std::vector<std::string>{});
}

TEST_F(RecordTest, EveryKindOfChangeAsksOnceAndAPasteOnce) {
    openSavedBatch();
    struct Case {
        const char* name;
        std::function<void()> change;
        std::string question;
        const char* kind; // of the last entry, carrying the reason
    };
    const Case cases[] = {
        {"a standard typed", [this] { typeInto(*points(), 2, 1, u"0.035"_qs); }, kAskReason,
         "standard_edited"},
        {"a standard excluded: its own reason is the question",
         [this] {
             show(*points());
             points()->setCurrentIndex(
                 analysis::fieldIndex(*points()->model(), 3, StandardsModel::Excluded));
             QTest::keyClick(points(), Qt::Key_Space);
         },
         std::string(RecordingPrompts::kAskText) + "排除第4个标准点的原因：", "standard_excluded"},
        {"a standard included again",
         [this] {
             show(*points());
             points()->setCurrentIndex(
                 analysis::fieldIndex(*points()->model(), 3, StandardsModel::Excluded));
             QTest::keyClick(points(), Qt::Key_Space);
         },
         std::string(RecordingPrompts::kAskText) + "取消排除第4个标准点的原因：",
         "standard_included"},
        {"the model chosen",
         [this] { QTest::keyClick(in<QComboBox>(window(), u"model"_qs), Qt::Key_End); }, kAskReason,
         "setting_changed"},
        {"a block pasted: one question for all its rows",
         [this] {
             show(window()->sampleTable());
             QApplication::clipboard()->setText(u"W20\t0.1\nW21\t0.2\nW22\t0.3\n"_qs);
             QTest::keyClick(&window()->sampleTable(), Qt::Key_V, Qt::ControlModifier);
         },
         kAskReason, "samples_added"},
        {"rows deleted",
         [this] {
             window()->sampleTable().selectRow(22);
             QTest::keyClick(&window()->sampleTable(), Qt::Key_Delete);
         },
         kAskReason, "samples_removed"},
        {"the curve's unit",
         [this] {
             auto* unit = in<QLineEdit>(window(), u"curveUnit"_qs);
             unit->selectAll();
             QTest::keyClicks(unit, u"mg"_qs);
             QTest::keyClick(unit, Qt::Key_Return);
         },
         kAskReason, "setting_changed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t entries = calibration().document().history.size();
        alerts.texts = {QString::fromUtf8(c.name)};
        c.change();
        EXPECT_EQ(alerts.take(), std::vector<std::string>{c.question});
        ASSERT_GT(calibration().document().history.size(), entries);
        EXPECT_EQ(last().kind, c.kind);
        EXPECT_EQ(last().reason, c.kind == std::string("standard_excluded") ? "" : c.name)
            << "an exclusion keeps its reason in its words";
    }
    // Asking stops with the change: a later entry of the program's own carries no reason.
    calibration().recordSave(dir.filePath(u"x.lumetra"_qs));
    EXPECT_EQ(last().reason, "");
}

// The main window's designed flow asks nothing, of a saved record too; a document never saved
// asks nothing either.
TEST_F(RecordTest, TheMainWindowAndANewDocumentNeverAsk) {
    fit(analysis_test::kX, analysis_test::kY);
    activateAnalysis();
    alerts.texts = {u"should not be asked"_qs};
    typeInto(*points(), 1, 1, u"5.1"_qs);
    EXPECT_EQ(calibration().document().standards[1].a, "5.1");
    ASSERT_TRUE(lumetra->files()->saveTo(dir.filePath(u"a.lumetra"_qs)));
    in<QLineEdit>(main(), u"Text2(1)"_qs)->clear();
    clickAndType(u"Text2(1)"_qs, u"5.2"_qs);
    QTest::mouseClick(in(main(), u"command4"_qs), Qt::LeftButton);
    sample(u"6.3"_qs);
    EXPECT_EQ(calibration().document().standards[1].a, "5.2");
    EXPECT_EQ(calibration().document().samples.size(), 1u);
    for (const std::string& event : alerts.take()) {
        EXPECT_FALSE(event.starts_with(RecordingPrompts::kAskText)) << event;
    }
}

TEST_F(RecordTest, HeaderDialogHoldsAMethodsFullTitle) {
    activateAnalysis();
    for (QAction* action : window()->findChildren<QAction*>(u"reportHeader"_qs)) {
        action->trigger();
    }
    auto* dialog = window()->findChild<QDialog*>(u"headerDialog"_qs);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    auto* method = in<QLineEdit>(dialog, u"method"_qs);
    const QString title = u"HJ 535-2009 水质 氨氮的测定 纳氏试剂分光光度法"_qs;
    // Typed as an input method hands a text over: one key event carrying it.
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, title);
    QApplication::sendEvent(method, &typed);
    ASSERT_EQ(method->text(), title);
    QApplication::processEvents();
    const QRect room = method->contentsRect();
    EXPECT_LE(method->fontMetrics().horizontalAdvance(title), room.width() - 8)
        << "the method's title does not fit its box";
    EXPECT_LE(dialog->width(), 1280);
    EXPECT_LE(dialog->height(), 740);
    dialog->reject();
}

TEST_F(RecordTest, SaveDialogProposesTheBatchsName) {
    struct Case {
        const char* name;
        const char* project;
        const char* analyte;
        const char* date;
        const char* expected;
    };
    const Case cases[] = {
        {"the batch number", "QL-2026-118", "氨氮", "", "QL-2026-118.lumetra"},
        {"a batch number no system refuses", "QL/2026:118?", "", "", "QL-2026-118-.lumetra"},
        {"the analyte and the analysis date", "", "氨氮", "2026-12-07", "氨氮 2026-12-07.lumetra"},
        {"the analyte and the day it was created", "  ", "氨氮", "", "氨氮 2026-12-01.lumetra"},
        {"neither", "", "", "2026-12-07", "标准曲线.lumetra"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calibration::Document d = nessler::batch();
        d.created = "2026-12-01";
        d.header.project = c.project;
        d.header.analyte = c.analyte;
        d.header.analysisDate = c.date;
        calibration().replaceDocument(d, QString(), false);
        alerts.suggested.clear();
        lumetra->files()->saveAs(); // cancelled: no path queued
        ASSERT_EQ(alerts.suggested.size(), 1u);
        EXPECT_EQ(alerts.suggested[0], QString::fromUtf8(c.expected));
    }
    // A document with a file is proposed under its own name; the PDF under the batch's.
    ASSERT_TRUE(lumetra->files()->saveTo(dir.filePath(u"mine.lumetra"_qs)));
    calibration::ReportHeader header = calibration().document().header;
    header.project = "QL-2026-118";
    calibration().setHeader(header);
    alerts.suggested.clear();
    lumetra->files()->saveAs();
    window()->exportPdf();
    EXPECT_EQ(alerts.suggested, (std::vector<QString>{u"mine.lumetra"_qs, u"QL-2026-118.pdf"_qs}));
}

} // namespace
