// "归档批次" through the real windows under the offscreen platform, into an SQLite database in a
// temporary folder named by LUMETRA_DATABASE: the mark "未归档", a batch filed once, remembered
// when the program starts again, a fault that loses nothing, and the control chart rule shown in
// the sample list when limits are frozen.

#include "analysis/sample_list.h"
#include "analysis_window_fixture.h"
#include "io/batch_identity.h"
#include "io/calibration_file.h"
#include "records/store.h"
#include "tests/support/qc_database.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// y = 0.002 + 0.2 x; the check standard K at 2 reads 2.000 exactly.
calibration::Document batch(const char* checkReading) {
    calibration::Document d;
    d.unit = "mg/L";
    for (const auto& [c, a] : {std::pair{"0", "0.002"}, std::pair{"1", "0.202"},
                               std::pair{"2", "0.402"}, std::pair{"3", "0.602"}}) {
        d.standards.push_back({c, a, false, ""});
    }
    calibration::Sample check;
    check.name = "K";
    check.readings = checkReading;
    check.type = "check";
    check.nominal = "2";
    d.samples = {check};
    d.method.name = "GB 7493";
    d.method.sha256 = std::string(64, '7');
    return d;
}

class FilingTest : public analysis_test::AnalysisWindowTest {
public:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        database = folder.filePath(u"qc.sqlite"_qs);
        qputenv("LUMETRA_DATABASE", QFile::encodeName(u"sqlite:"_qs + database));
        AnalysisWindowTest::SetUp();
    }
    void TearDown() override { qunsetenv("LUMETRA_DATABASE"); }

    QString save(const calibration::Document& document, const QString& name = u"batch"_qs) {
        const QString path = folder.filePath(name + u".lumetra"_qs);
        EXPECT_FALSE(io::saveCalibration(path, document).has_value());
        return path;
    }
    void open(const QString& path) {
        ASSERT_TRUE(lumetra->files()->openFile(path));
        activateAnalysis();
    }
    QString mark() {
        auto* label = in<QLabel>(window(), u"filingMark"_qs);
        return label->isVisibleTo(window()) ? label->text() : QString();
    }
    QString qcCell(int row = 0) {
        return analysis::fieldIndex(window()->samples(), row, analysis::SampleListModel::Qc)
            .data()
            .toString();
    }
    // The button in the menu bar's corner, as the user clicks it.
    void clickFile() {
        QTest::mouseClick(in<QToolButton>(window(), u"fileBatchButton"_qs), Qt::LeftButton);
    }
    QAction* action() { return in<QAction>(window(), u"fileBatch"_qs); }

    QTemporaryDir folder;
    QString database;
};

TEST_F(FilingTest, FiledOnceAndRemembered) {
    const calibration::Document document = batch("0.402");
    const QString path = save(document);
    open(path);
    EXPECT_TRUE(action()->isEnabled());
    EXPECT_EQ(mark(), u"未归档"_qs);

    clickFile();
    EXPECT_EQ(alerts.take(), std::vector<std::string>{});
    EXPECT_EQ(mark(), u"已归档（批次 1）"_qs);
    {
        const auto store = qc_test::openStore(database.toStdString());
        ASSERT_NE(store, nullptr);
        EXPECT_EQ(store->findBatch(io::batchIdentity(document)).value(), 1);
        const auto record = store->readBatch(1).value();
        ASSERT_TRUE(record);
        EXPECT_EQ(record->fileName, path.toStdString());
        EXPECT_EQ(record->methodName, "GB 7493");
    }

    // Again: nothing filed, the batch named.
    clickFile();
    EXPECT_EQ(alerts.take(), std::vector<std::string>{"此批次已归档（批次 1）"});

    // Changed and not saved: not this batch, and nothing to file until it is saved.
    calibration().editSample(0, analysis::SampleField::Readings, "0.403");
    EXPECT_FALSE(action()->isEnabled());
    EXPECT_EQ(mark(), u"未归档"_qs);
    clickFile();
    EXPECT_EQ(alerts.take(), std::vector<std::string>{});

    // The program started anew: the file opened again is known as filed.
    restart();
    open(path);
    EXPECT_EQ(mark(), u"已归档（批次 1）"_qs);
    // Another file of the same batch is the same batch.
    open(save(document, u"copy"_qs));
    EXPECT_EQ(mark(), u"已归档（批次 1）"_qs);
}

// A file that is no database: the filing says so, the document stays as it was, and once the
// database is sound it files.
TEST_F(FilingTest, FaultLosesNothing) {
    {
        QFile garbage(database);
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'x'));
    }
    const QString path = save(batch("0.402"));
    const QByteArray bytes = [&] {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }();
    open(path);
    auto* note = in<QLabel>(window(), u"chartNote"_qs);
    EXPECT_TRUE(note->isVisibleTo(window()));
    EXPECT_TRUE(note->text().startsWith(u"未按质控图判断：无法连接质控数据库 sqlite:"_qs))
        << note->text().toStdString();

    clickFile();
    const auto events = alerts.take();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(QString::fromStdString(events[0]).left(28),
              (u"归档失败：无法连接质控数据库 sqlite:"_qs + database).left(28));
    EXPECT_EQ(mark(), u"未归档"_qs);
    EXPECT_FALSE(calibration().isModified());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);

    ASSERT_TRUE(QFile::remove(database));
    clickFile();
    EXPECT_EQ(alerts.take(), std::vector<std::string>{});
    EXPECT_EQ(mark(), u"已归档（批次 1）"_qs);
    EXPECT_FALSE(note->isVisibleTo(window()));
}

// Limits frozen in the database while the document is open: back in the window the check
// standard, within its own ±10 %, is 5s above the chart's centre, and the batch is filed with it.
TEST_F(FilingTest, JudgedAgainstFrozenCharts) {
    const auto store = qc_test::openStore(database.toStdString());
    ASSERT_NE(store, nullptr);
    for (int i = 0; i < 12; ++i) {
        records::BatchRecord b =
            qc_test::batch("earlier " + std::to_string(i), "GB 7493", "", qc_test::day(i));
        b.rows = {qc_test::row("check", "2", 1.9 + 0.01 * (i % 3 - 1), "mg/L")};
        qc_test::file(*store, b);
    }
    open(save(batch("0.402")));
    EXPECT_EQ(qcCell(), u"通过 0%"_qs); // the check standard's deviation

    records::FrozenRecord limits;
    limits.group = {"GB 7493", ""};
    limits.series = "check:2";
    limits.sigma = "sd";
    limits.centre = 1.9;
    limits.s = 0.02;
    limits.referenceN = 12;
    ASSERT_TRUE(store->freeze(limits).ok());
    QApplication::setActiveWindow(main());
    activateAnalysis();
    EXPECT_EQ(qcCell(), u"通过 0%；未通过 t1"_qs);
    EXPECT_EQ(calibration().batch().failed, 1);

    clickFile();
    EXPECT_EQ(alerts.take(), std::vector<std::string>{});
    const auto record = store->readBatch(13).value();
    ASSERT_TRUE(record);
    ASSERT_EQ(record->rows.size(), 1u);
    ASSERT_EQ(record->rows[0].verdicts.size(), 2u);
    EXPECT_EQ(record->rows[0].verdicts[1].rule, "control_chart");
    EXPECT_EQ(record->rows[0].verdicts[1].pass, false);
    EXPECT_EQ(record->rows[0].verdicts[1].text, "t1");
    // Filed, its own point is no earlier point: judged the same.
    EXPECT_EQ(qcCell(), u"通过 0%；未通过 t1"_qs);
}

} // namespace
