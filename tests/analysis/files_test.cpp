// Calibration files through the real windows: saved, the windows started anew, opened again with
// the same texts and results; hostile files refused with nothing changed; the question before
// data is replaced; CSV of standards from a spreadsheet; a save that fails; the last worksheet
// kept and restored; the CSV export read back; every save onto a full disk; what is not a regular
// file. 100 000 samples: files_large_test.cpp.

#include "analysis/sample_list.h"
#include "analysis/sample_table.h"
#include "io/calibration_file.h"
#include "tests/analysis/analysis_window_fixture.h"
#include "tests/support/file_standing.h"
#include "tests/support/fluorescence_reference.h"
#include "tests/support/state_text.h"
#include "ui/controls.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <tuple>
#include <unistd.h>

namespace {

using Events = std::vector<std::string>;

std::string utf8(const QString& text) {
    return text.toStdString();
}

class CalibrationFilesTest : public analysis_test::AnalysisWindowTest {
public:
    void SetUp() override {
        QFile::remove(app::lastWorksheetPath());
        AnalysisWindowTest::SetUp();
    }

    app::CalibrationFiles& files() { return *lumetra->files(); }

    // Runs an action of a window by its name, as its menu entry does.
    void trigger(QWidget* owner, const QString& name) {
        auto* action = in<QAction>(owner, name);
        ASSERT_NE(action, nullptr);
        action->trigger();
    }

    // Opens the file from the main window's context menu.
    void openFromMainWindow(const QString& path) {
        alerts.paths.push_back(path);
        trigger(main(), u"openCalibration"_qs);
    }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray read(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << utf8(path);
        return file.readAll();
    }

    QString box(const char* name) { return in<QLineEdit>(main(), QString::fromUtf8(name))->text(); }

    // Everything the worksheet and the sample list hold: two of them differ exactly where
    // something changed.
    std::string everything() {
        std::string text = test::snapshot(main()->worksheetControls(), main()->sheet().state());
        for (const analysis_test::SampleEntry& e : entries()) {
            text += utf8(u"sample '%1' '%2' '%3' '%4'\n"_qs.arg(e.name, e.readings, e.dilution,
                                                                e.mainResult));
        }
        return text;
    }

    // A worksheet with a fit, a sample of the main window and a row pasted into the list.
    void fillWindows() {
        fit(analysis_test::kX, analysis_test::kY);
        sample(u"13.5"_qs);
        append({{u"=1+1"_qs, u"13.4 13.6"_qs, u"2"_qs, QString()}});
        ASSERT_EQ(alerts.take(), Events{});
    }

    void addRowThatIsNotNumbers() { append({{u"样品 B"_qs, u"x"_qs, {}, {}}}); }

    using Standards = std::vector<std::pair<QString, QString>>;

    // A calibration file of these standards in mg, without samples.
    QString writeStandards(const QString& name, const Standards& standards) {
        QByteArray list;
        for (const auto& [c, a] : standards) {
            list += (list.isEmpty() ? "" : ", ") +
                    u"{\"C\": \"%1\", \"A\": \"%2\"}"_qs.arg(c, a).toUtf8();
        }
        return write(name, R"({"format": "lumetra-calibration", "version": 1, "unit": "mg", )"
                           R"("standards": [)" +
                               list + R"(], "samples": []})");
    }

    Standards documentStandards() {
        Standards standards;
        for (const calibration::Standard& s : calibration().document().standards) {
            standards.emplace_back(io::fromDocument(s.c), io::fromDocument(s.a));
        }
        return standards;
    }

    QLabel* note() { return in<QLabel>(window(), u"mainWindowNote"_qs); }

    QTemporaryDir dir;
};

TEST_F(CalibrationFilesTest, SavedAndOpenedInNewWindowsGivesTheSameTextsAndResults) {
    in<QComboBox>(main(), u"Combo1"_qs)->setEditText(u"µg/100mL"_qs);
    fillWindows();
    window()->open();
    QApplication::setActiveWindow(window());
    const QString path = dir.filePath(u"curve"_qs); // the suffix is added
    alerts.paths = {path};
    QTest::keyClick(window(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(alerts.take(), Events{"<file>保存标准曲线文件"});
    ASSERT_TRUE(QFile::exists(path + u".lumetra"_qs));
    EXPECT_EQ(files().currentFile(), path + u".lumetra"_qs);

    const char* shown[] = {"Text3", "Text5", "Text6", "Text8"};
    std::map<std::string, QString> before;
    for (const char* name : shown) {
        before[name] = box(name);
    }
    before["Label6"] = in<QLabel>(main(), u"Label6"_qs)->text();
    const std::vector<analysis_test::SampleEntry> rows = entries();
    const QString report = window()->reportText();
    const std::string table = test::snapshot(main()->worksheetControls(), main()->sheet().state());

    restart();
    EXPECT_EQ(box("Text4"), QString()) << "nothing is restored unasked";
    EXPECT_EQ(window()->samples().rowCount(), 0);
    openFromMainWindow(path + u".lumetra"_qs);
    EXPECT_EQ(alerts.take(), Events{"<file>打开标准曲线文件"});
    for (const char* name : {"Text3", "Text5", "Text6"}) {
        EXPECT_EQ(box(name), before[name]) << name;
    }
    EXPECT_EQ(box("Text8"), QString()) << "the sample frame is cleared";
    EXPECT_EQ(in<QLabel>(main(), u"Label6"_qs)->text(), before["Label6"]);
    EXPECT_EQ(in<QComboBox>(main(), u"Combo1"_qs)->currentText(), u"µg/100mL"_qs);
    ASSERT_EQ(entries().size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const analysis_test::SampleEntry e = entries()[i];
        EXPECT_EQ(std::tie(e.name, e.readings, e.dilution, e.mainResult),
                  std::tie(rows[i].name, rows[i].readings, rows[i].dilution, rows[i].mainResult));
    }
    EXPECT_EQ(window()->reportText(), report);
    // The same table, count and stored curve; only the focus and the sample frame differ.
    std::string opened = test::snapshot(main()->worksheetControls(), main()->sheet().state());
    EXPECT_EQ(opened.substr(0, opened.find("Text7")), table.substr(0, table.find("Text7")));

    // Ctrl+S writes to the file opened, without asking.
    window()->open();
    QApplication::setActiveWindow(window());
    QFile::remove(path + u".lumetra"_qs);
    QTest::keyClick(window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(alerts.take(), Events{});
    EXPECT_TRUE(QFile::exists(path + u".lumetra"_qs));
    alerts.paths = {QString()};
    QTest::keyClick(window(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(alerts.take(), Events{"<file>打开标准曲线文件"});
}

TEST_F(CalibrationFilesTest, AHostileFileGetsItsMessageAndChangesNothing) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QString message; // after "无法打开：" and the path
    };
    const auto withStandards = [](const QByteArray& standards, const QByteArray& samples = "[]") {
        return R"({"format": "lumetra-calibration", "version": 1, "unit": "mg", "standards": [)" +
               standards + R"(], "samples": )" + samples + "}";
    };
    const Case cases[] = {
        {"not JSON", "C,A\n1,0.1\n", u"文件内容不是JSON对象，不是Lumetra校准文件"_qs},
        {"wrong format name", R"({"format": "lumetra-report", "version": 1})",
         u"format：应为 \"lumetra-calibration\"，不是 \"lumetra-report\""_qs},
        {"newer version", R"({"format": "lumetra-calibration", "version": 4})",
         u"version：版本4较新，本程序只能读版本3"_qs},
        {"NaN", withStandards(R"({"C": "0", "A": NaN})"), QString()},
    };
    fillWindows();
    const std::string held = everything();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(u"hostile.lumetra"_qs, c.bytes);
        openFromMainWindow(path);
        const Events events = alerts.take();
        ASSERT_EQ(events.size(), 2u) << "no question before a refused file";
        const std::string prefix = "无法打开：" + utf8(path) + "：";
        EXPECT_EQ(events[1].substr(0, prefix.size()), prefix) << events[1];
        if (!c.message.isEmpty()) {
            EXPECT_EQ(events[1].substr(prefix.size()), utf8(c.message));
        }
        EXPECT_EQ(everything(), held);
        EXPECT_EQ(files().currentFile(), QString());
    }
}

TEST_F(CalibrationFilesTest, AsksBeforeReplacingDataAndNoChangesNothing) {
    const QString path = write(u"two.lumetra"_qs, R"({"format": "lumetra-calibration", "version": 1,
        "unit": "mg/L", "standards": [{"C": "1", "A": ".1"}, {"C": "2", "A": ".3"}],
        "samples": [{"name": "s", "readings": ".2", "dilution": ""}]})");
    const QString csv = write(u"two.csv"_qs, "1,0.1\n3,0.2\n");
    const std::string kAskOpen =
        "<ask>工作表或样品列表中已有数据，将被“two.lumetra”的内容替换。是否继续？";
    const std::string kAskImport = "<ask>工作表中已有数据，将被“two.csv”中的标准点替换。是否继续？";
    struct Case {
        const char* name;
        std::function<void(CalibrationFilesTest&)> hold; // what the windows hold before
        bool import;                                     // the CSV of standards, not the file
        std::string question;                            // "" when none is asked
    };
    const Case cases[] = {
        {"nothing", [](CalibrationFilesTest&) {}, false, ""},
        {"a count typed", [](CalibrationFilesTest& t) { t.clickAndType(u"Text4"_qs, u"3"_qs); },
         false, kAskOpen},
        {"a row in the sample list",
         [](CalibrationFilesTest& t) {
             t.append({{{}, u"0.5"_qs, {}, {}}});
         },
         false, kAskOpen},
        {"a row in the sample list, standards imported",
         [](CalibrationFilesTest& t) {
             t.append({{{}, u"0.5"_qs, {}, {}}});
         },
         true, ""},
        {"a fitted curve, standards imported",
         [](CalibrationFilesTest& t) {
             t.fit({u"1"_qs, u"2"_qs}, {u".2"_qs, u".4"_qs});
         },
         true, kAskImport},
    };
    for (const Case& c : cases) {
        for (const bool yes : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (yes ? ", yes" : ", no"));
            restart();
            c.hold(*this);
            alerts.take();
            const std::string held = everything();
            const int rowsBefore = window()->samples().rowCount();
            alerts.answers = {yes};
            const bool filled =
                c.import ? files().importStandardsFrom(csv) : files().openFile(path);
            const Events events = alerts.take();
            if (c.question.empty()) {
                EXPECT_EQ(events, Events{});
                EXPECT_TRUE(filled);
            } else {
                EXPECT_EQ(events, Events{c.question});
                EXPECT_EQ(filled, yes);
            }
            if (!filled) {
                EXPECT_EQ(everything(), held);
                continue;
            }
            EXPECT_EQ(box("Text5"), c.import ? u"3"_qs : u"2"_qs);
            EXPECT_EQ(window()->samples().rowCount(), c.import ? rowsBefore : 1);
        }
    }
}

TEST_F(CalibrationFilesTest, ASpreadsheetsGb18030SemicolonCsvImportsAsStandards) {
    QStringEncoder gb18030("GB18030");
    ASSERT_TRUE(gb18030.isValid());
    QString text = u"浓度(μg/mL);吸光度\r\n"_qs;
    for (qsizetype i = 0; i < qsizetype(analysis_test::kX.size()); ++i) {
        text += analysis_test::kX[std::size_t(i)] + u';' +
                QString(analysis_test::kY[std::size_t(i)]).replace(u'.', u',') + u"\r\n"_qs;
    }
    const QByteArray bytes = gb18030.encode(text);
    ASSERT_FALSE(QString::fromUtf8(bytes).contains(u"浓度"_qs)) << "not UTF-8";
    const QString path = write(u"标准.csv"_qs, bytes);

    in<QComboBox>(main(), u"Combo1"_qs)->setEditText(u"ug/mL"_qs);
    append({{u"kept"_qs, u"9"_qs, {}, {}}});
    alerts.paths = {path};
    trigger(window(), u"importStandardsCsv"_qs);
    EXPECT_EQ(alerts.take(), Events{"<file>导入标准点CSV"});
    for (qsizetype i = 0; i < qsizetype(analysis_test::kX.size()); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(box(utf8(u"Text1(%1)"_qs.arg(i)).c_str()), analysis_test::kX[std::size_t(i)]);
        EXPECT_EQ(box(utf8(u"Text2(%1)"_qs.arg(i)).c_str()), analysis_test::kY[std::size_t(i)]);
    }
    EXPECT_EQ(box("Text4"), u"7"_qs);
    ASSERT_TRUE(curve().hasCurve());
    EXPECT_NEAR(curve().fit->b, test::kFluorescenceStatistics.at(u"b"_qs), 1e-12);
    EXPECT_EQ(in<QComboBox>(main(), u"Combo1"_qs)->currentText(), u"ug/mL"_qs);
    ASSERT_EQ(window()->samples().rowCount(), 1);
    EXPECT_EQ(entries()[0].name, u"kept"_qs);
    EXPECT_EQ(files().currentFile(), QString());

    // Eleven rows import too: the main window cannot show them, is cleared and the window says
    // why; the sample list stays.
    QByteArray eleven;
    for (int i = 0; i < 11; ++i) {
        eleven += QByteArray::number(i) + ";0," + QByteArray::number(i + 1) + "\n";
    }
    EXPECT_TRUE(files().importStandardsFrom(write(u"eleven.csv"_qs, eleven)));
    EXPECT_EQ(alerts.take(),
              Events{"<ask>工作表中已有数据，将被“eleven.csv”中的标准点替换。是否继续？"});
    EXPECT_EQ(box("Text4"), QString());
    EXPECT_EQ(statistic(0), u"11"_qs);
    EXPECT_EQ(in<QLabel>(window(), u"mainWindowNote"_qs)->text(),
              u"标准点超过10个，主窗口不显示此曲线"_qs);
    EXPECT_EQ(entries().size(), 1u);
}

// Everything typed is saved, a sample row that is not numbers included, and opens again marked
// with its reason; only an empty document is not saved. A save that fails says so and leaves the
// old file.
TEST_F(CalibrationFilesTest, EverythingTypedIsSavedAndAFailedSaveLeavesTheOldFile) {
    EXPECT_FALSE(files().saveTo(dir.filePath(u"none.lumetra"_qs)));
    EXPECT_EQ(alerts.take(), Events{"无法保存：没有可保存的数据"});
    // A table typed but not fitted is the main window's, not yet the document's.
    clickAndType(u"Text4"_qs, u"3"_qs);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    clickAndType(u"Text1(0)"_qs, u"1"_qs);
    EXPECT_FALSE(files().saveTo(dir.filePath(u"half.lumetra"_qs)));
    EXPECT_EQ(alerts.take(), Events{"无法保存：没有可保存的数据"});
    EXPECT_FALSE(QFile::exists(dir.filePath(u"half.lumetra"_qs)));

    restart();
    fillWindows();
    addRowThatIsNotNumbers();
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"work"_qs));
    const QString path = dir.filePath(u"work/curve.lumetra"_qs);
    ASSERT_TRUE(files().saveTo(path));
    EXPECT_EQ(alerts.take(), Events{});
    restart();
    ASSERT_TRUE(files().openFile(path));
    ASSERT_EQ(entries().size(), 3u);
    EXPECT_EQ(entries()[2].readings, u"x"_qs);
    const QModelIndex readings =
        analysis::fieldIndex(window()->samples(), 2, analysis::SampleListModel::Readings);
    EXPECT_EQ(readings.data(Qt::ToolTipRole).toString(), u"读数 \"x\" 不是数字"_qs);

    const QByteArray saved = read(path);
    // The folder goes away while the file is open in the window.
    ASSERT_TRUE(QDir(dir.path()).rename(u"work"_qs, u"moved"_qs));
    sample(u"5"_qs);
    alerts.take();
    trigger(main(), u"saveCalibration"_qs);
    EXPECT_EQ(alerts.take(), Events{"保存失败：" + utf8(path) + "：所在的文件夹不存在"});
    EXPECT_EQ(read(dir.filePath(u"moved/curve.lumetra"_qs)), saved);
    EXPECT_FALSE(QFile::exists(path));
    // Saved as elsewhere, it is the file 保存 writes from then on.
    alerts.paths = {dir.filePath(u"elsewhere.lumetra"_qs)};
    trigger(main(), u"saveCalibrationAs"_qs);
    EXPECT_EQ(alerts.take(), Events{"<file>保存标准曲线文件"});
    EXPECT_EQ(files().currentFile(), dir.filePath(u"elsewhere.lumetra"_qs));
    const auto reread = io::readCalibrationFile(files().currentFile());
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->samples.size(), 4);
}

TEST_F(CalibrationFilesTest, TheLastWorksheetIsKeptAfterEveryChangeAndRestoredOnlyWhenAsked) {
    const QString last = app::lastWorksheetPath();
    EXPECT_EQ(last, qEnvironmentVariable("XDG_DATA_HOME") + u"/lumetra/last.lumetra"_qs);
    trigger(window(), u"restoreLast"_qs);
    EXPECT_EQ(alerts.take(), Events{"没有上次的数据"});

    fit({u"1"_qs, u"2"_qs, u"4"_qs}, {u".1"_qs, u".21"_qs, u".4"_qs});
    files().flushLast();
    auto kept = io::readCalibrationFile(last);
    ASSERT_TRUE(kept) << utf8(kept.error().message());
    EXPECT_EQ(kept->standards,
              (std::vector<calibration::Standard>{
                  {"1", "0.1", false, {}}, {"2", "0.21", false, {}}, {"4", "0.4", false, {}}}));
    EXPECT_TRUE(kept->samples.empty());
    sample(u".3"_qs);
    files().flushLast();
    kept = io::readCalibrationFile(last);
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept->samples.size(), 1);
    EXPECT_EQ(io::fromDocument(kept->samples[0].mainResult), box("Text8"));
    // A row pasted into the sample list, as every change of the document, is kept too.
    window()->open();
    QApplication::clipboard()->setText(u"粘贴\t0.25 0.26\t2"_qs);
    QTest::keyClick(&window()->sampleTable(), Qt::Key_V, Qt::ControlModifier);
    files().flushLast();
    kept = io::readCalibrationFile(last);
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept->samples.size(), 2);
    EXPECT_EQ(kept->samples[1].name, "粘贴");
    EXPECT_EQ(kept->samples[1].readings, "0.25 0.26");
    const std::string table = test::snapshot(main()->worksheetControls(), main()->sheet().state());
    const QString label6 = in<QLabel>(main(), u"Label6"_qs)->text();

    restart();
    EXPECT_EQ(box("Text4"), QString());
    EXPECT_FALSE(main()->curve().has_value());
    trigger(window(), u"restoreLast"_qs);
    EXPECT_EQ(alerts.take(), Events{});
    EXPECT_EQ(in<QLabel>(main(), u"Label6"_qs)->text(), label6);
    std::string restored = test::snapshot(main()->worksheetControls(), main()->sheet().state());
    EXPECT_EQ(restored.substr(0, restored.find("Text7")), table.substr(0, table.find("Text7")));
    ASSERT_EQ(window()->samples().rowCount(), 2);
    EXPECT_EQ(entries()[1].dilution, u"2"_qs);
    EXPECT_EQ(files().currentFile(), QString()) << "保存 does not write into the kept copy";
}

TEST_F(CalibrationFilesTest, TheCsvExportReadsBackWithItsMarkAndNoFormula) {
    trigger(window(), u"exportCsv"_qs);
    EXPECT_EQ(alerts.take(), Events{"尚未计算标准曲线，没有可导出的结果"});
    fillWindows();
    addRowThatIsNotNumbers();
    const QString path = dir.filePath(u"export.csv"_qs);
    alerts.paths = {path};
    trigger(window(), u"exportCsv"_qs);
    EXPECT_EQ(alerts.take(), Events{"<file>导出CSV"});
    const QByteArray bytes = read(path);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_qs);
    EXPECT_EQ(lines[0], u"statistic,value"_qs);
    // The calibration's fields by the copy's keys: the texts as they are, the others numbers
    // (the figures themselves are evaluate()'s, tested in tests/calibration).
    const QStringList keys = u"report_version n unit model weight excluded level a b c s_a s_b s_c "
                             "ci95_a ci95_b ci95_c ci_a ci_b ci_c t_intercept r r2 s_yx lod "
                             "loq"_qs.split(u' ');
    const std::map<QString, QString> texts{
        {u"report_version"_qs, u"2"_qs},
        {u"unit"_qs, u"mg"_qs},
        {u"model"_qs, u"line"_qs},
        {u"weight"_qs, u"none"_qs},
        {u"excluded"_qs, {}},
        {u"level"_qs, u"95"_qs},
        {u"c"_qs, {}},
        {u"s_c"_qs, {}},
        {u"ci95_c"_qs, {}},
        {u"ci_c"_qs, {}},
    };
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QStringList cells = lines.value(i + 1).split(u',');
        ASSERT_EQ(cells.size(), 2) << utf8(lines.value(i + 1));
        EXPECT_EQ(cells[0], keys[i]);
        if (texts.count(cells[0])) {
            EXPECT_EQ(cells[1], texts.at(cells[0]));
            continue;
        }
        bool ok = false;
        cells[1].toDouble(&ok);
        EXPECT_TRUE(ok) << utf8(cells[0]) << " " << utf8(cells[1]);
    }
    // The validation's block, then the standards.
    EXPECT_EQ(lines[keys.size() + 1], QString());
    EXPECT_EQ(lines[keys.size() + 2], u"validation,value"_qs);
    const qsizetype points = lines.indexOf(QString(), keys.size() + 2) + 1;
    EXPECT_EQ(lines[points], u"C,A,excluded,reason,A_fit,residual,deviation_pct,C_back,"
                             u"recovery_pct,studentized,cooks,outlier,influential"_qs);
    EXPECT_TRUE(lines[points + 1].startsWith(u"0,2.1,false,,1.51785714285714"_qs))
        << utf8(lines[points + 1]);
    EXPECT_EQ(lines[points + 1].section(u',', 8, 8), QString()) << "C = 0 has no recovery";
    const qsizetype samples = points + 9;
    EXPECT_EQ(lines[samples - 1], QString());
    EXPECT_EQ(lines[samples],
              u"name,readings,m,mean_A,dilution,x0,s_x0,ci95_x0,ci_x0,flags,type,of,added,nominal,"
              u"certified,u,result,result_text,mean_result,mean_result_text,result_unit,qc,qc_pass,"
              u"below_limit,error,main_result"_qs);
    EXPECT_TRUE(lines[samples + 1].startsWith(u"样品 1,13.5,1,13.5,1,6.2"_qs))
        << utf8(lines[samples + 1]);
    EXPECT_TRUE(lines[samples + 1].endsWith(u",,"_qs + box("Text8").trimmed()))
        << "the main window's result";
    EXPECT_TRUE(lines[samples + 2].startsWith(u"'=1+1,13.4 13.6,2,13.5,2,12.4"_qs))
        << utf8(lines[samples + 2]);
    // A row that is not numbers: its texts and its reason.
    EXPECT_EQ(lines[samples + 3],
              u"样品 B,x,,,,,,,,,sample,,,,,,,,,,,,,,\"读数 \"\"x\"\" 不是数字\","_qs);
    EXPECT_EQ(lines[samples + 4], QString());
    EXPECT_EQ(lines.size(), samples + 5);
}

// No file is refused only because the main window cannot show its standards: it opens, the main
// window is cleared as its two 清零 buttons clear it, and the analysis window says why. Standards
// that fit are filled into the main window.
TEST_F(CalibrationFilesTest, StandardsTheMainWindowCannotShowOpenAndTheWindowSaysWhy) {
    Standards twelve;
    for (int i = 0; i < 12; ++i) {
        twelve.emplace_back(QString::number(i), QString::number(0.01 + 0.08 * i, 'f', 2));
    }
    struct Case {
        const char* name;
        Standards standards;
        QString note; // "": the main window shows them
        QString n;    // the statistics' n, "" without a curve
    };
    const Case cases[] = {
        {"twelve standards", twelve, u"标准点超过10个，主窗口不显示此曲线"_qs, u"12"_qs},
        {"an absorbance of four decimals",
         {{u"0.05"_qs, u"0.0105"_qs}, {u"0.5"_qs, u"0.101"_qs}, {u"1"_qs, u"0.199"_qs}},
         u"第1个标准点：吸光度 \"0.0105\" 超过5个字符，主窗口不显示此曲线"_qs,
         u"3"_qs},
        {"a concentration of seven characters",
         {{u"0"_qs, u"0.01"_qs}, {u"1234567"_qs, u"0.5"_qs}},
         u"第2个标准点：浓度 \"1234567\" 超过6个字符，主窗口不显示此曲线"_qs,
         u"2"_qs},
        {"one standard", {{u"0"_qs, u"0.01"_qs}}, u"只有1个标准点，主窗口至少需要2个"_qs, {}},
        {"a text that is not a number",
         {{u"0"_qs, u"0.01"_qs}, {u"1"_qs, u"0.5x"_qs}},
         u"第2个标准点：吸光度 \"0.5x\" 不是数字"_qs,
         {}},
        {"three standards that fit",
         {{u"0"_qs, u"0.002"_qs}, {u"0.5"_qs, u"0.101"_qs}, {u"1"_qs, u"0.198"_qs}},
         {},
         u"3"_qs},
    };
    // The main window after a fit, cleared by its two 清零 buttons.
    const auto typeAFit = [this] { fit({u"1"_qs, u"2"_qs}, {u".1"_qs, u".2"_qs}); };
    typeAFit();
    QTest::mouseClick(in(main(), u"command5"_qs), Qt::LeftButton);
    QTest::mouseClick(in(main(), u"Command8"_qs), Qt::LeftButton);
    const std::string cleared =
        test::snapshot(main()->worksheetControls(), main()->sheet().state());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        typeAFit();
        alerts.take();
        openFromMainWindow(writeStandards(u"a.lumetra"_qs, c.standards));
        EXPECT_EQ(
            alerts.take(),
            (Events{"<file>打开标准曲线文件",
                    "<ask>工作表或样品列表中已有数据，将被“a.lumetra”的内容替换。是否继续？"}));
        EXPECT_EQ(documentStandards(), c.standards);
        EXPECT_EQ(statistic(0), c.n);
        EXPECT_EQ(note()->text(), c.note);
        EXPECT_EQ(note()->isHidden(), c.note.isEmpty());
        if (!c.note.isEmpty()) {
            EXPECT_EQ(test::snapshot(main()->worksheetControls(), main()->sheet().state()),
                      cleared);
            continue;
        }
        EXPECT_EQ(box("Text4"), QString::number(c.standards.size()));
        for (std::size_t i = 0; i < c.standards.size(); ++i) {
            EXPECT_EQ(box(utf8(u"Text1(%1)"_qs.arg(i)).c_str()), c.standards[i].first);
            EXPECT_EQ(box(utf8(u"Text2(%1)"_qs.arg(i)).c_str()), c.standards[i].second);
        }
        EXPECT_TRUE(main()->curve().has_value());
    }
}

// The window's title names the file, with "*" while the document has changes that are not saved;
// opening a file and filling the main window from it change nothing.
TEST_F(CalibrationFilesTest, TheTitleNamesTheFileWithAStarWhileThereAreUnsavedChanges) {
    const QString path = dir.filePath(u"a.lumetra"_qs);
    struct Step {
        const char* name;
        std::function<void(CalibrationFilesTest&)> act;
        QString title;
    };
    const Step steps[] = {
        {"new", [](CalibrationFilesTest&) {}, u"标准曲线分析"_qs},
        {"a fit in the main window",
         [](CalibrationFilesTest& t) {
             t.fit({u"1"_qs, u"2"_qs}, {u".1"_qs, u".2"_qs});
         },
         u"*标准曲线分析"_qs},
        {"saved", [&path](CalibrationFilesTest& t) { t.files().saveTo(path); },
         u"a.lumetra - 标准曲线分析"_qs},
        {"a sample computed in the main window",
         [](CalibrationFilesTest& t) { t.sample(u".15"_qs); }, u"*a.lumetra - 标准曲线分析"_qs},
        {"saved by 保存",
         [](CalibrationFilesTest& t) { t.trigger(t.main(), u"saveCalibration"_qs); },
         u"a.lumetra - 标准曲线分析"_qs},
        {"opened in new windows, the main window filled",
         [&path](CalibrationFilesTest& t) {
             t.restart();
             t.files().openFile(path);
         },
         u"a.lumetra - 标准曲线分析"_qs},
        {"a standard edited",
         [](CalibrationFilesTest& t) {
             t.calibration().editStandard(1, analysis::StandardField::A, "0.21");
         },
         u"*a.lumetra - 标准曲线分析"_qs},
        {"the last worksheet restored",
         [](CalibrationFilesTest& t) {
             t.files().flushLast();
             t.trigger(t.window(), u"restoreLast"_qs);
         },
         u"标准曲线分析"_qs},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(*this);
        EXPECT_EQ(window()->windowTitle(), step.title);
    }
    EXPECT_EQ(box("Text2(1)"), u"0.21"_qs);
    EXPECT_EQ(alerts.take(),
              (Events{"<ask>工作表或样品列表中已有数据，将被上次的数据替换。是否继续？"}));
}

// Clicks the label's link, wherever its text put it, as the user does.
void clickLink(QLabel* label) {
    bool clicked = false;
    const QMetaObject::Connection connection =
        QObject::connect(label, &QLabel::linkActivated, [&clicked] { clicked = true; });
    const int step = std::max(2, label->fontMetrics().height() / 3);
    for (int y = 1; y < label->height() && !clicked; y += step) {
        for (int x = 1; x < label->width() && !clicked; x += step) {
            QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(x, y));
        }
    }
    QObject::disconnect(connection);
    EXPECT_TRUE(clicked) << "no link in " << label->text().toStdString();
}

// Nothing typed is lost when the main window takes over: its fit over standards it did not show
// keeps the document as a backup beside the last worksheet, which the window offers to open.
TEST_F(CalibrationFilesTest, AMainWindowFitOverStandardsItDidNotShowKeepsThemAsABackup) {
    const QDir data = QFileInfo(files().lastPath()).absoluteDir();
    const auto backups = [&data] {
        return data.entryList({u"backup-*.lumetra"_qs}, QDir::Files, QDir::Name);
    };
    const QStringList before = backups();
    Standards twelve;
    for (int i = 0; i < 12; ++i) {
        twelve.emplace_back(QString::number(i * 0.5), QString::number(0.003 + 0.1 * i, 'g', 4));
    }
    ASSERT_TRUE(files().openFile(writeStandards(u"twelve.lumetra"_qs, twelve)));
    window()->open();
    auto* backupNote = in<QLabel>(window(), u"backupNote"_qs);
    EXPECT_TRUE(backupNote->isHidden());

    fit({u"1"_qs, u"2"_qs, u"3"_qs}, {u".1"_qs, u".2"_qs, u".3"_qs});
    EXPECT_EQ(documentStandards().size(), 3u);
    QStringList added = backups();
    for (const QString& old : before) {
        added.removeAll(old);
    }
    ASSERT_EQ(added.size(), 1);
    const QString backup = data.filePath(added[0]);
    EXPECT_FALSE(backupNote->isHidden());
    EXPECT_EQ(backupNote->toolTip(), backup);
    EXPECT_TRUE(note()->isHidden());
    EXPECT_EQ(alerts.take(), Events{}) << "the designed fit shows no new question";

    // A fit over standards the main window showed keeps no backup.
    QTest::mouseClick(in(main(), u"command5"_qs), Qt::LeftButton);
    fit({u"1"_qs, u"2"_qs}, {u".1"_qs, u".25"_qs});
    EXPECT_EQ(backups().size(), before.size() + 1);

    window()->open();
    QApplication::setActiveWindow(window());
    clickLink(backupNote);
    EXPECT_EQ(alerts.take(), Events{"<ask>工作表或样品列表中已有数据，将被“" + utf8(added[0]) +
                                    "”的内容替换。是否继续？"});
    EXPECT_EQ(documentStandards(), twelve);
    EXPECT_EQ(statistic(0), u"12"_qs);
    EXPECT_EQ(note()->text(), u"标准点超过10个，主窗口不显示此曲线"_qs);
    EXPECT_EQ(box("Text4"), QString());
}

// What stands at a path instead of a file is refused at once, with the true reason; only a path
// where nothing stands has no last worksheet.
TEST_F(CalibrationFilesTest, WhatIsNotARegularFileIsRefusedAtOnceWithItsReason) {
    const QString last = files().lastPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(last).absolutePath()));
    const QString fifo = dir.filePath(u"fifo.lumetra"_qs);
    const auto makeFifo = [](const QString& path) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    };
    const QString loop = u"符号链接循环（Too many levels of symbolic links）"_qs;
    struct Case {
        const char* name;
        std::function<void()> make; // what stands at the path
        QString path;
        bool restore; // 恢复上次的数据, not 打开…
        QString message;
    };
    const Case cases[] = {
        {"a FIFO opened", [&] { makeFifo(fifo); }, fifo, false,
         u"无法打开："_qs + fifo + u"：不是普通文件（命名管道）"_qs},
        {"a FIFO as the last worksheet", [&] { makeFifo(last); }, last, true,
         u"无法恢复上次的数据："_qs + last + u"：不是普通文件（命名管道）"_qs},
        {"a link to itself as the last worksheet", [&] { QFile::link(last, last); }, last, true,
         u"无法恢复上次的数据："_qs + last + u"："_qs + loop},
        {"a link to nothing as the last worksheet",
         [&] { QFile::link(dir.filePath(u"gone"_qs), last); }, last, true,
         u"无法恢复上次的数据："_qs + last + u"：符号链接指向的文件不存在"_qs},
        {"nothing", [] {}, last, true, u"没有上次的数据"_qs},
    };
    fillWindows();
    const std::string held = everything();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(c.path);
        c.make();
        if (c.restore) {
            trigger(window(), u"restoreLast"_qs);
        } else {
            alerts.paths = {c.path};
            trigger(window(), u"openFile"_qs);
            EXPECT_EQ(alerts.events.front(), "<file>打开标准曲线文件");
            alerts.events.erase(alerts.events.begin());
        }
        EXPECT_EQ(alerts.take(), Events{utf8(c.message)});
        EXPECT_EQ(everything(), held);
        QFile::remove(c.path);
    }
}

// Standard error while `run` runs, through a pipe: a file limit or a full disk cannot touch it.
std::string standardErrorOf(const std::function<void()>& run) {
    int ends[2];
    if (::pipe(ends) != 0) {
        return "(no pipe)";
    }
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(ends[1], 2);
    ::close(ends[1]);
    run();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(ends[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, std::size_t(got));
    }
    ::close(ends[0]);
    return text;
}

// Every save of the program onto a disk that takes nothing more, or onto what is not a regular
// file: what stood there stays as it was, no new file is left beside it, and the user is told the
// file and the reason. The files stand in the program's data folder, beside the last worksheet.
class EverySaveTest : public CalibrationFilesTest {
public:
    void SetUp() override {
        CalibrationFilesTest::SetUp();
        folder_ = QFileInfo(app::lastWorksheetPath()).absolutePath();
        ASSERT_TRUE(QDir().mkpath(folder_));
    }
    void TearDown() override {
        CalibrationFilesTest::TearDown();
        if (mounted_) {
            EXPECT_EQ(::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH), 0)
                << std::strerror(errno);
        }
    }

    // A file system of 64 KiB of its own at the data folder; skipped unless the test may mount.
    void mountSmallDisk() {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "mounting a file system needs root";
        }
        ASSERT_EQ(::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", 0, "size=64k"),
                  0)
            << std::strerror(errno);
        mounted_ = true;
    }

    // Fills the disk to its last byte.
    void fill() {
        QFile filler(folder_ + u"/filler"_qs);
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray page(4096, 'f');
        while (filler.write(page) == page.size()) {
        }
        while (filler.write("f", 1) == 1) {
        }
        struct statvfs disk {};
        ASSERT_EQ(::statvfs(QFile::encodeName(folder_).constData(), &disk), 0);
        ASSERT_EQ(disk.f_bavail, 0u);
    }

    // Every save of the program, each with its file in the data folder, the file dialog's event
    // ("" when none is asked) and the start of its message (a message box, or a line on standard
    // error for the last worksheet).
    struct Save {
        const char* name;
        const char* file;
        std::function<void(const QString&)> save;
        std::string dialog;
        std::string message;
    };
    std::vector<Save> everySave() {
        const auto asked = [this](void (analysis::AnalysisWindow::*command)()) {
            return [this, command](const QString& path) {
                alerts.paths = {path};
                (window()->*command)();
            };
        };
        return {
            {"calibration file", "a.lumetra", [this](const QString& path) { files().saveTo(path); },
             "", "保存失败："},
            {"CSV export", "a.csv", asked(&analysis::AnalysisWindow::exportCsv), "<file>导出CSV",
             "导出失败："},
            {"PNG", "a.png", asked(&analysis::AnalysisWindow::saveImage), "<file>保存图像",
             "图像保存失败："},
            {"SVG", "a.svg", asked(&analysis::AnalysisWindow::saveImage), "<file>保存图像",
             "图像保存失败："},
            {"PDF", "a.pdf", asked(&analysis::AnalysisWindow::exportPdf), "<file>导出PDF",
             "PDF导出失败："},
            {"the last worksheet", "last.lumetra",
             [this](const QString&) {
                 QTest::mouseClick(in(main(), u"Command8"_qs), Qt::LeftButton);
                 sample(u"5"_qs);
                 files().flushLast();
             },
             "", "lumetra: 无法保存上次的数据："},
        };
    }

    // Runs a save and checks what the user is told: the dialog's event, then `message` in a box,
    // or on standard error for the last worksheet.
    void expectSaveRefused(const Save& save, const QString& path, const std::string& message) {
        const std::string printed = standardErrorOf([&] { save.save(path); });
        Events expected;
        if (!save.dialog.empty()) {
            expected.push_back(save.dialog);
        }
        if (path == app::lastWorksheetPath()) {
            EXPECT_EQ(printed, message + "\n");
        } else {
            expected.push_back(message);
            EXPECT_EQ(printed, "");
        }
        EXPECT_EQ(alerts.take(), expected);
    }

    // Each save path once, between `limit` and `unlimit`, onto a file that holds older contents.
    void expectEverySaveKeepsTheOldFile(const QString& reason, const std::function<void()>& limit,
                                        const std::function<void()>& unlimit) {
        fillWindows();
        files().flushLast();
        const std::vector<Save> cases = everySave();
        QStringList names{u"last.lumetra"_qs};
        for (const Save& c : cases) {
            if (QString::fromUtf8(c.file) != u"last.lumetra"_qs) {
                QFile file(folder_ + u'/' + QString::fromUtf8(c.file));
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(QByteArray("the older ") + c.file);
                names << QString::fromUtf8(c.file);
            }
        }
        std::map<std::string, QByteArray> before;
        for (const QString& name : names) {
            before[utf8(name)] = read(folder_ + u'/' + name);
        }
        limit();
        for (const Save& c : cases) {
            SCOPED_TRACE(c.name);
            const QString path = folder_ + u'/' + QString::fromUtf8(c.file);
            expectSaveRefused(c, path, c.message + utf8(path + u"："_qs + reason));
            EXPECT_EQ(read(path), before[c.file]);
        }
        unlimit();
        names << (QFile::exists(folder_ + u"/filler"_qs) ? QStringList{u"filler"_qs}
                                                         : QStringList());
        QStringList left = QDir(folder_).entryList(QDir::Files | QDir::Hidden);
        left.sort();
        names.sort();
        EXPECT_EQ(left, names) << "no new file is left beside the old";
    }

    QString folder_;
    bool mounted_ = false;
};

TEST_F(EverySaveTest, OnAFullFileSystemEverySaveKeepsTheOldFileAndSaysWhy) {
    mountSmallDisk();
    expectEverySaveKeepsTheOldFile(
        u"写入失败（磁盘已满）"_qs, [this] { fill(); }, [] {});
}

TEST_F(EverySaveTest, OverTheFileSizeLimitEverySaveKeepsTheOldFileAndSaysWhy) {
    // Writing past the limit fails with EFBIG instead of ending the process.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*previous)(int) = SIG_DFL;
    expectEverySaveKeepsTheOldFile(
        u"写入失败（超出文件大小的限制）"_qs,
        [&] {
            previous = std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{100, saved.rlim_max};
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        },
        [&] {
            ::setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, previous);
        });
}

TEST_F(EverySaveTest, OnAReadOnlyFileSystemEverySaveKeepsTheOldFileAndSaysWhy) {
    mountSmallDisk();
    expectEverySaveKeepsTheOldFile(
        u"无法创建文件（只读文件系统）"_qs,
        [this] {
            ASSERT_EQ(::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs",
                              MS_REMOUNT | MS_RDONLY, "size=64k"),
                      0)
                << std::strerror(errno);
        },
        [] {});
}

// The hostile targets, for every save of the program: what is not a regular file, or a link that
// leads nowhere, is never replaced; each is refused with its reason and left exactly as it was. (A
// read-only file system and a full disk: above; the open document's file: below.)
TEST_F(EverySaveTest, EverySaveRefusesWhatIsNotARegularFileAndLeavesItAsItWas) {
    fillWindows();
    files().flushLast();
    struct Target {
        const char* name;
        std::function<void(const QByteArray&)> make;
        QString reason;
    };
    const QByteArray gone = QFile::encodeName(folder_) + "/gone";
    const QByteArray between = QFile::encodeName(folder_) + "/between";
    const Target targets[] = {
        {"a FIFO", [](const QByteArray& path) { ASSERT_EQ(::mkfifo(path.constData(), 0600), 0); },
         u"不是普通文件（命名管道）"_qs},
        {"a character device",
         [](const QByteArray& path) {
             ASSERT_EQ(::mknod(path.constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
         },
         u"不是普通文件（字符设备）"_qs},
        {"a folder holding a file",
         [](const QByteArray& path) {
             ASSERT_EQ(::mkdir(path.constData(), 0700), 0);
             QFile inside(QFile::decodeName(path + "/inside"));
             ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
         },
         u"这是文件夹，不是文件"_qs},
        {"a link to nothing",
         [&gone](const QByteArray& path) {
             ASSERT_EQ(::symlink(gone.constData(), path.constData()), 0);
         },
         u"符号链接指向的文件不存在："_qs + QFile::decodeName(gone)},
        {"links that end in nothing",
         [&gone, &between](const QByteArray& path) {
             ASSERT_EQ(::symlink(gone.constData(), between.constData()), 0);
             ASSERT_EQ(::symlink(between.constData(), path.constData()), 0);
         },
         u"符号链接指向的文件不存在："_qs + QFile::decodeName(gone)},
        {"a link to itself",
         [](const QByteArray& path) {
             ASSERT_EQ(::symlink(path.constData(), path.constData()), 0);
         },
         u"符号链接循环（Too many levels of symbolic links）"_qs},
        {"a link to a FIFO",
         [&gone](const QByteArray& path) {
             ASSERT_EQ(::mkfifo(gone.constData(), 0600), 0);
             ASSERT_EQ(::symlink(gone.constData(), path.constData()), 0);
         },
         u"不是普通文件（命名管道）"_qs},
    };
    for (const Target& target : targets) {
        SCOPED_TRACE(target.name);
        if (std::string_view(target.name) == "a character device" && ::geteuid() != 0) {
            continue;
        }
        for (const Save& save : everySave()) {
            SCOPED_TRACE(save.name);
            const QString path = folder_ + u'/' + QString::fromUtf8(save.file);
            const QByteArray native = QFile::encodeName(path);
            QDir(path).removeRecursively();
            QFile::remove(path);
            target.make(native);
            const std::string before = test::standing(native.toStdString());
            expectSaveRefused(save, path, save.message + utf8(path + u"："_qs + target.reason));
            EXPECT_EQ(test::standing(native.toStdString()), before);
            QDir(path).removeRecursively();
            QFile::remove(path);
            for (const QByteArray& left : {gone, between}) {
                ::unlink(left.constData());
            }
        }
    }
}

// No export replaces the file of the open document, by whatever path it is reached; saving the
// document itself does. A name holding "%1" stays as it is in the message.
TEST_F(CalibrationFilesTest, AnExportNeverReplacesTheOpenDocumentsFile) {
    fillWindows();
    const QString document = dir.filePath(u"%1%2.lumetra"_qs);
    files().saveTo(document);
    ASSERT_EQ(alerts.take(), Events{});
    const QByteArray saved = read(document);
    const QString symbolic = dir.filePath(u"plot.png"_qs);
    ASSERT_TRUE(QFile::link(document, symbolic));
    const QString hard = dir.filePath(u"report.pdf"_qs);
    ASSERT_EQ(::link(QFile::encodeName(document).constData(), QFile::encodeName(hard).constData()),
              0);
    struct Case {
        const char* name;
        void (analysis::AnalysisWindow::*command)();
        QString path;
        std::string dialog, message;
    };
    const Case cases[] = {
        {"CSV onto the file", &analysis::AnalysisWindow::exportCsv, document, "<file>导出CSV",
         "导出失败："},
        {"PDF onto the file", &analysis::AnalysisWindow::exportPdf, document, "<file>导出PDF",
         "PDF导出失败："},
        {"an image through a link", &analysis::AnalysisWindow::saveImage, symbolic,
         "<file>保存图像", "图像保存失败："},
        {"PDF through a hard link", &analysis::AnalysisWindow::exportPdf, hard, "<file>导出PDF",
         "PDF导出失败："},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        alerts.paths = {c.path};
        (window()->*c.command)();
        EXPECT_EQ(alerts.take(),
                  (Events{c.dialog,
                          c.message + utf8(c.path) + "：这是打开的标准曲线文件，导出不能覆盖它"}));
        EXPECT_EQ(read(document), saved);
    }
    sample(u"7"_qs);
    files().saveTo(document);
    EXPECT_EQ(alerts.take(), Events{});
    EXPECT_NE(read(document), saved);
}

} // namespace
