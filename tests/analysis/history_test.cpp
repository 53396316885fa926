// The change history through the real windows: what each kind of change records, a pasted block
// as one entry, the history kept through a save and an opening, and a file whose history was
// removed by hand.

#include "analysis/sample_table.h"
#include "app/calibration_files.h"
#include "io/calibration_file.h"
#include "tests/analysis/analysis_window_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

namespace {

class HistoryTest : public analysis_test::AnalysisWindowTest {
public:
    // The history's kinds, in order.
    std::vector<std::string> kinds() {
        std::vector<std::string> kinds;
        for (const calibration::HistoryEntry& entry : calibration().document().history) {
            kinds.push_back(entry.kind);
        }
        return kinds;
    }

    QTemporaryDir dir;
};

TEST_F(HistoryTest, EveryChangeIsRecordedAndSurvivesSaveAndOpen) {
    fit({u"1"_qs, u"2"_qs, u"3"_qs}, {u".1"_qs, u".2"_qs, u".31"_qs});
    calibration().editStandard(2, analysis::StandardField::A, "0.3");
    calibration().setExcluded(0, true, "气泡");
    calibration::Settings settings = calibration().document().settings;
    settings.level = 99;
    calibration().setSettings(settings);
    window()->open();
    QApplication::setActiveWindow(window());
    QApplication::clipboard()->setText(u"a\t0.1\nb\t0.2\nc\t0.25\n"_qs);
    QTest::keyClick(&window()->sampleTable(), Qt::Key_V, Qt::ControlModifier);
    calibration().removeSamples({0, 2});
    // A row by its name, with the reason given for the change.
    calibration().setReason("读错");
    calibration().editSample(0, analysis::SampleField::Readings, "0.12");
    calibration().setReason("");
    EXPECT_EQ(kinds(),
              (std::vector<std::string>{"history_started", "standards_replaced", "standard_edited",
                                        "standard_excluded", "setting_changed", "samples_added",
                                        "samples_removed", "sample_edited"}));
    EXPECT_EQ(calibration::render(calibration::describe(calibration().document().history.back())),
              "b 的读数：0.2 → 0.12；修改原因：读错");
    const calibration::HistoryEntry& edited = calibration().document().history[2];
    EXPECT_EQ(calibration::render(calibration::describe(edited)),
              "第3个标准点的吸光度：0.31 → 0.3");
    // ISO 8601 with the time zone: "2026-12-07T21:04:53+08:00", or "...Z" at UTC.
    const QDateTime time = QDateTime::fromString(QString::fromStdString(edited.time), Qt::ISODate);
    EXPECT_TRUE(time.isValid()) << edited.time;
    EXPECT_TRUE(edited.time.back() == 'Z' || edited.time[edited.time.size() - 3] == ':');

    // Saved, the file holds the history and its own saving; opened again, the opening is added
    // and nothing of the file is rewritten.
    const QString path = dir.filePath(u"h.lumetra"_qs);
    ASSERT_TRUE(lumetra->files()->saveTo(path));
    EXPECT_EQ(kinds().back(), "file_saved");
    const std::vector<calibration::HistoryEntry> saved = calibration().document().history;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    restart();
    ASSERT_TRUE(lumetra->files()->openFile(path));
    EXPECT_FALSE(calibration().isModified()) << "recording an opening is no change";
    std::vector<calibration::HistoryEntry> opened = calibration().document().history;
    ASSERT_EQ(opened.size(), saved.size() + 1);
    EXPECT_EQ(opened.back().kind, "file_opened");
    opened.pop_back();
    EXPECT_EQ(opened, saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

TEST_F(HistoryTest, AFileWhoseHistoryWasRemovedStartsItAnew) {
    const QString path = dir.filePath(u"edited.lumetra"_qs);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "lumetra-calibration", "version": 1, "unit": "mg",
        "standards": [{"C": "1", "A": ".1"}, {"C": "2", "A": ".2"}, {"C": "4", "A": ".41"}]})");
    file.close();
    ASSERT_TRUE(lumetra->files()->openFile(path));
    calibration().editStandard(2, analysis::StandardField::A, ".4");
    EXPECT_EQ(kinds(),
              (std::vector<std::string>{"history_started", "file_opened", "standard_edited"}));
    // A value typed key by key is one entry.
    auto* unit = in<QComboBox>(main(), u"Combo1"_qs);
    for (const QString& text : {u"m"_qs, u"mg"_qs, u"mg/"_qs, u"mg/L"_qs}) {
        unit->setEditText(text);
    }
    EXPECT_EQ(kinds().back(), "setting_changed");
    EXPECT_EQ(kinds().size(), 4u);
    const auto& values = calibration().document().history.back().values;
    EXPECT_EQ(values,
              (calibration::HistoryValues{{"from", "mg"}, {"setting", "unit"}, {"to", "mg/L"}}));
}

// A method applied is one entry naming it and its hash, and changes the document; a method saved
// from the document is recorded without changing it.
TEST_F(HistoryTest, AMethodAppliedIsOneEntry) {
    const QString path = dir.filePath(u"m.lumetra"_qs);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "lumetra-calibration", "version": 1, "unit": "mg",
        "standards": [{"C": "1", "A": ".1"}, {"C": "2", "A": ".2"}, {"C": "4", "A": ".41"}]})");
    file.close();
    ASSERT_TRUE(lumetra->files()->openFile(path));
    calibration().recordMethodSaved("M", dir.filePath(u"m.lumetra-method"_qs), "ab");
    EXPECT_FALSE(calibration().isModified());
    EXPECT_EQ(calibration::render(calibration::describe(calibration().document().history.back())),
              "保存方法 \"M\" 到文件 m.lumetra-method（SHA-256 ab）");

    calibration::Method method;
    method.name = "M";
    method.sha256 = "ab";
    method.unit = "µg";
    method.settings.blankCorrection = true;
    method.settingKeys = {"blank_correction"};
    calibration().applyMethod(method);
    EXPECT_TRUE(calibration().isModified());
    EXPECT_EQ(kinds(), (std::vector<std::string>{"history_started", "file_opened", "method_saved",
                                                 "method_applied"}));
    EXPECT_EQ(calibration::render(calibration::describe(calibration().document().history.back())),
              "应用方法 \"M\"（SHA-256 ab），改变：空白校正、浓度单位");
    EXPECT_TRUE(calibration().document().settings.blankCorrection);
    EXPECT_EQ(calibration().document().method.name, "M");
    // The main window follows the unit.
    EXPECT_EQ(in<QComboBox>(main(), u"Combo1"_qs)->currentText(), u"µg"_qs);
}

} // namespace
