// "质控图" and "质控数据库" through their real widgets under the offscreen platform, on an SQLite
// database the test fills through the records API and names in LUMETRA_DATABASE, with message
// boxes and questions recorded. The limits shown are checked against figures computed here in
// __float128 from the values the test filed.

#include "analysis/control_chart_window.h"
#include "analysis/database_dialog.h"
#include "analysis_window_fixture.h"
#include "records/configured.h"
#include "tests/support/qc_database.h"
#include "tests/support/qt_printers.h"
#include "tests/support/recording_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>
#include <quadmath.h>
#include <span>

namespace {

using analysis::ControlChartWindow;
using qc_test::kCheck;

// The mean and the sample standard deviation (or mean moving range / 1.128), in __float128.
std::pair<double, double> figures(std::span<const double> values, bool movingRange) {
    __float128 sum = 0;
    for (const double v : values) {
        sum += v;
    }
    const __float128 n = values.size();
    const __float128 mean = sum / n;
    __float128 spread = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        spread += movingRange ? (i == 0 ? 0 : fabsq(__float128(values[i]) - values[i - 1]))
                              : (values[i] - mean) * (values[i] - mean);
    }
    spread = movingRange ? spread / (n - 1) / __float128(1.128) : sqrtq(spread / (n - 1));
    return {double(mean), double(spread)};
}

class ControlChartWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = folder.filePath(u"qc.sqlite"_qs);
        qc_test::fill(path.toStdString());
        qputenv("LUMETRA_DATABASE", QFile::encodeName(u"sqlite:"_qs + path));
        window = std::make_unique<ControlChartWindow>(prompts, nullptr);
        window->open();
    }
    void TearDown() override {
        window.reset();
        qunsetenv("LUMETRA_DATABASE");
    }

    template <class T = QWidget> T* in(const QString& name) {
        auto* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    // Steps a list with the arrow keys, as a user with the keyboard does, to the item whose text
    // contains `part`.
    void choose(const QString& list, const QString& part) {
        auto* combo = in<QComboBox>(list);
        combo->setFocus();
        const int target = [&] {
            for (int i = 0; i < combo->count(); ++i) {
                if (combo->itemText(i).contains(part)) {
                    return i;
                }
            }
            return -1;
        }();
        ASSERT_GE(target, 0) << part.toStdString();
        while (combo->currentIndex() != target) {
            QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        }
    }
    void chooseMethodCheck() {
        choose(u"group"_qs, QString::fromStdString(qc_test::kMethod));
        choose(u"series"_qs, u"check:0.5"_qs);
    }
    // The numbers of the limits' line, in the order shown: centre, s, 1s, warning, action.
    std::vector<double> limitsShown() {
        std::vector<double> numbers;
        static const QRegularExpression number(u"-?[0-9]+(\\.[0-9]+)?(e[-+][0-9]+)?"_qs);
        auto it = number.globalMatch(in<QLabel>(u"limits"_qs)->text().remove(u"±1s"_qs));
        while (it.hasNext()) {
            numbers.push_back(it.next().captured().toDouble());
        }
        return numbers;
    }
    void expectLimits(double centre, double s) {
        const std::vector<double> shown = limitsShown();
        const std::vector<double> expected{centre,         s,
                                           centre - s,     centre + s,
                                           centre - 2 * s, centre + 2 * s,
                                           centre - 3 * s, centre + 3 * s};
        ASSERT_EQ(shown.size(), expected.size()) << in<QLabel>(u"limits"_qs)->text().toStdString();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            // Six significant digits.
            EXPECT_NEAR(shown[i], expected[i], 5e-6 * std::abs(expected[i])) << i;
        }
    }
    QString tooltipOf(std::size_t point) {
        auto* chart = in<analysis::ControlChartWidget>(u"controlChart"_qs);
        const QPoint at = chart->geometry().points.at(point).toPoint();
        QHelpEvent help(QEvent::ToolTip, at, chart->mapToGlobal(at));
        QApplication::sendEvent(chart, &help);
        const QString text = QToolTip::text();
        QToolTip::hideText();
        return text;
    }

    QTemporaryDir folder;
    QString path;
    test::RecordingPrompts prompts;
    std::unique_ptr<ControlChartWindow> window;
};

TEST_F(ControlChartWindowTest, ChosenSeriesShowsItsLimitsFromTheReferencePeriod) {
    EXPECT_TRUE(prompts.take().empty());
    EXPECT_EQ(in<QLabel>(u"database"_qs)->text(), u"sqlite:"_qs + path);
    auto* group = in<QComboBox>(u"group"_qs);
    ASSERT_EQ(group->count(), 2);
    EXPECT_EQ(group->itemText(0), u"分析项目 总磷（5批）"_qs);
    EXPECT_EQ(group->itemText(1),
              u"方法 %1（26批）"_qs.arg(QString::fromStdString(qc_test::kMethod)));

    chooseMethodCheck();
    EXPECT_EQ(in<QComboBox>(u"series"_qs)->currentText(), u"校准核查 0.5（check:0.5，26点）"_qs);
    const auto [centre, s] = figures(std::span(kCheck).first(20), false);
    expectLimits(centre, s);
    EXPECT_EQ(window->chart()->points.size(), 25u);
    EXPECT_EQ(in<QLabel>(u"note"_qs)->text(), u"另有1个点的单位不是 mg/L，未画入"_qs);
    EXPECT_TRUE(
        in<QLabel>(u"status"_qs)
            ->text()
            .startsWith(
                u"控制限未冻结，取自参考期20个点（2026-01-01至2026-01-20），σ估计：标准偏差"_qs));

    // The moving range, and a reference period of seven points typed into the box.
    choose(u"sigma"_qs, u"移动极差"_qs);
    auto* count = in<QSpinBox>(u"referenceCount"_qs);
    count->setFocus();
    QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(count, u"7"_qs);
    const auto [centre7, mr7] = figures(std::span(kCheck).first(7), true);
    expectLimits(centre7, mr7);
    EXPECT_TRUE(prompts.take().empty());
}

TEST_F(ControlChartWindowTest, ReferencePeriodByDaysTypedIntoTheDateBoxes) {
    chooseMethodCheck();
    QTest::mouseClick(in<QRadioButton>(u"referenceByDate"_qs), Qt::LeftButton);
    for (const auto& [box, day] : {std::pair{u"referenceFrom"_qs, u"2026-01-03"_qs},
                                   std::pair{u"referenceTo"_qs, u"2026-01-12"_qs}}) {
        auto* date = in<QDateEdit>(box);
        date->setFocus();
        QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(date, day);
    }
    EXPECT_EQ(in<QDateEdit>(u"referenceTo"_qs)->date(), QDate(2026, 1, 12));
    const auto [centre, s] = figures(std::span(kCheck).subspan(2, 10), false);
    expectLimits(centre, s);
    EXPECT_EQ(window->chart()->referenceFirst, 2);
    EXPECT_EQ(window->chart()->referenceLast, 11);
}

TEST_F(ControlChartWindowTest, MarkedPointsSayTheirRulesInTheirTooltips) {
    chooseMethodCheck();
    EXPECT_EQ(tooltipOf(23), u"第24点　批次 2　2026-01-24\n0.53 mg/L\nt1：1点超出3s控制限"_qs);
    EXPECT_EQ(tooltipOf(0), u"第1点　批次 25　2026-01-01\n0.502 mg/L"_qs);
    choose(u"rules"_qs, u"Westgard"_qs);
    EXPECT_EQ(tooltipOf(23), u"第24点　批次 2　2026-01-24\n0.53 mg/L\n1-2s：1点超出2s（警告）\n"
                             u"1-3s：1点超出3s"_qs);
    EXPECT_EQ(in<analysis::ControlChartWidget>(u"controlChart"_qs)->data().points[23].rules,
              (QStringList{u"1-2s"_qs, u"1-3s"_qs}));
}

TEST_F(ControlChartWindowTest, FreezingStoresTheLimitsShownAndChartsAgainstThem) {
    chooseMethodCheck();
    auto* useFrozen = in<QCheckBox>(u"useFrozen"_qs);
    auto* freeze = in<QPushButton>(u"freeze"_qs);
    EXPECT_FALSE(useFrozen->isEnabled());
    ASSERT_TRUE(freeze->isEnabled());
    auto* count = in<QSpinBox>(u"referenceCount"_qs);
    count->setFocus();
    QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(count, u"10"_qs);
    const auto [centre, s] = figures(std::span(kCheck).first(10), false);

    // Declined: nothing stored.
    prompts.answers = {false};
    QTest::mouseClick(freeze, Qt::LeftButton);
    std::vector<std::string> asked = prompts.take();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(asked[0]).startsWith(
        u"<ask>冻结方法 %1 校准核查 0.5的控制限？"_qs.arg(
            QString::fromStdString(qc_test::kMethod))));
    EXPECT_FALSE(window->chart()->frozen);

    QTest::mouseClick(freeze, Qt::LeftButton);
    asked = prompts.take();
    ASSERT_EQ(asked.size(), 1u); // the question only, no fault
    ASSERT_TRUE(window->chart()->frozen);
    EXPECT_TRUE(useFrozen->isChecked());
    EXPECT_TRUE(useFrozen->isEnabled());
    EXPECT_FALSE(freeze->isEnabled());
    EXPECT_FALSE(in<QComboBox>(u"sigma"_qs)->isEnabled());
    EXPECT_FALSE(count->isEnabled());
    EXPECT_TRUE(in<QLabel>(u"status"_qs)->text().startsWith(u"控制限已冻结（"_qs));
    expectLimits(centre, s);

    // Stored with who and when, and used by a window opened afterwards whatever it is set to.
    const auto stored =
        qc_test::openStore(path.toStdString())->frozenLimits({qc_test::kMethod, {}}, "check:0.5");
    ASSERT_TRUE(stored.ok() && stored.value());
    EXPECT_EQ(stored.value()->referenceN, 10);
    EXPECT_FALSE(stored.value()->frozenBy.empty());
    EXPECT_FALSE(stored.value()->frozenAt.empty());
    window = std::make_unique<ControlChartWindow>(prompts, nullptr);
    window->open();
    chooseMethodCheck();
    expectLimits(centre, s);

    // Unticked: the reference period's limits again, ready to be frozen anew.
    QTest::mouseClick(in<QCheckBox>(u"useFrozen"_qs), Qt::LeftButton);
    EXPECT_FALSE(window->chart()->frozen);
    EXPECT_TRUE(in<QPushButton>(u"freeze"_qs)->isEnabled());
    const auto [centre20, s20] = figures(std::span(kCheck).first(20), false);
    expectLimits(centre20, s20);
}

TEST_F(ControlChartWindowTest, TooFewPointsSayWhyWithoutAMessageBox) {
    choose(u"group"_qs, u"总磷"_qs);
    choose(u"series"_qs, u"blank"_qs);
    EXPECT_FALSE(window->chart().has_value());
    EXPECT_EQ(in<QLabel>(u"note"_qs)->text(), u"分析项目 总磷，序列 blank：参考期至少需要7个点"_qs);
    EXPECT_TRUE(in<QLabel>(u"limits"_qs)->text().isEmpty());
    EXPECT_FALSE(in<QPushButton>(u"exportPng"_qs)->isEnabled());
    EXPECT_FALSE(in<QPushButton>(u"freeze"_qs)->isEnabled());
    EXPECT_TRUE(prompts.take().empty());
}

TEST_F(ControlChartWindowTest, ExportsTheChartByTheChosenType) {
    chooseMethodCheck();
    for (const char* type : {"Png", "Svg", "Pdf"}) {
        SCOPED_TRACE(type);
        const QString chosen = folder.filePath(u"chart"_qs); // the suffix is added
        prompts.paths = {chosen};
        QTest::mouseClick(in<QPushButton>(u"export"_qs + QLatin1StringView(type)), Qt::LeftButton);
        const QString file = chosen + u'.' + QString::fromLatin1(type).toLower();
        EXPECT_TRUE(QFile::exists(file));
        QFile::remove(file);
        EXPECT_EQ(prompts.take(), (std::vector<std::string>{"<file>导出质控图"}));
    }
    prompts.paths = {folder.filePath(u"chart.jpg"_qs)};
    QTest::mouseClick(in<QPushButton>(u"exportPng"_qs), Qt::LeftButton);
    const std::vector<std::string> told = prompts.take();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(QString::fromStdString(told[1]),
              u"质控图导出失败：%1：不支持的文件类型（请使用 .png、.svg 或 .pdf）"_qs.arg(
                  folder.filePath(u"chart.jpg"_qs)));
}

// What the window says when the database cannot be read: a message box for a fault, a note for a
// database where nothing has been filed yet (and no file made for it).
TEST_F(ControlChartWindowTest, DatabaseFaultsAreTold) {
    const QString notADatabase = folder.filePath(u"notes.sqlite"_qs);
    QFile notes(notADatabase);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write(QByteArray(4096, 'x'));
    notes.close();
    const QString missing = folder.filePath(u"none.sqlite"_qs);
    struct Case {
        const char* name;
        QString variable;
        QString told; // "" when nothing is
        QString note;
    };
    const Case cases[] = {
        {"not a URL",
         u"mysql://db/qc"_qs,
         u"环境变量 LUMETRA_DATABASE：质控数据库地址 \"mysql://db/qc\" 无效：应为 sqlite:文件 或 "
         u"postgresql://用户@主机:端口/数据库"_qs,
         {}},
        {"not a database",
         u"sqlite:"_qs + notADatabase,
         u"无法连接质控数据库 sqlite:%1"_qs.arg(notADatabase),
         {}},
        {"nothing filed yet", u"sqlite:"_qs + missing, {}, u"这个质控数据库中还没有归档的批次"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.take();
        qputenv("LUMETRA_DATABASE", QFile::encodeName(c.variable));
        QTest::mouseClick(in<QPushButton>(u"refresh"_qs), Qt::LeftButton);
        const std::vector<std::string> told = prompts.take();
        if (c.told.isEmpty()) {
            EXPECT_TRUE(told.empty());
            EXPECT_EQ(in<QLabel>(u"note"_qs)->text(), c.note);
        } else {
            ASSERT_EQ(told.size(), 1u);
            EXPECT_TRUE(QString::fromStdString(told[0]).startsWith(c.told)) << told[0];
        }
        EXPECT_EQ(in<QComboBox>(u"group"_qs)->count(), 0);
        EXPECT_FALSE(window->chart().has_value());
    }
    EXPECT_FALSE(QFile::exists(missing));
}

// Through the analysis window's menu: the chart window, and the database setting.
class QcMenuTest : public analysis_test::AnalysisWindowTest {};

TEST_F(QcMenuTest, MenuOpensTheChartsAndTheDatabaseSetting) {
    activateAnalysis();
    in<QAction>(window(), u"controlCharts"_qs)->trigger();
    auto* charts = window()->findChild<ControlChartWindow*>();
    ASSERT_NE(charts, nullptr);
    EXPECT_TRUE(charts->isVisible());
    EXPECT_EQ(charts->windowTitle(), u"质控图"_qs);
    in<QAction>(window(), u"controlCharts"_qs)->trigger();
    EXPECT_EQ(window()->findChildren<ControlChartWindow*>().size(), 1);

    in<QAction>(window(), u"qcDatabase"_qs)->trigger();
    auto* dialog = window()->findChild<analysis::DatabaseDialog*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_TRUE(in<QRadioButton>(dialog, u"local"_qs)->isChecked());
    EXPECT_FALSE(in<QLineEdit>(dialog, u"host"_qs)->isEnabled());
    QTest::mouseClick(in<QRadioButton>(dialog, u"postgresql"_qs), Qt::LeftButton);
    ASSERT_TRUE(in<QLineEdit>(dialog, u"host"_qs)->isEnabled());

    // No database name: refused, the dialog stays.
    QTest::keyClick(dialog, Qt::Key_Return);
    EXPECT_EQ(alerts.take(),
              (std::vector<std::string>{"质控数据库设置为 PostgreSQL，但未填写数据库名"}));
    EXPECT_TRUE(dialog->isVisible());

    // A socket folder where no server listens: the open chart window reads the new setting at
    // once and says that it cannot connect.
    const QTemporaryDir sockets;
    QTest::keyClicks(in<QLineEdit>(dialog, u"host"_qs), sockets.path());
    auto* port = in<QSpinBox>(dialog, u"port"_qs);
    QTest::keyClick(port, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(port, u"5433"_qs);
    QTest::keyClicks(in<QLineEdit>(dialog, u"databaseName"_qs), u"qc"_qs);
    QTest::keyClicks(in<QLineEdit>(dialog, u"user"_qs), u"lab"_qs);
    QTest::keyClick(dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    const QString url = u"postgresql://lab@:5433/qc?host="_qs + sockets.path();
    const std::vector<std::string> told = alerts.take();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(told[0]).startsWith(u"无法连接质控数据库 "_qs + url))
        << told[0];
    EXPECT_EQ(in<QLabel>(charts, u"database"_qs)->text(), url);
    const records::DatabaseSetting saved = records::savedSetting();
    EXPECT_EQ(saved,
              (records::DatabaseSetting{true, sockets.path().toStdString(), 5433, "qc", "lab"}));

    // LUMETRA_DATABASE comes first, and the dialog says so.
    qputenv("LUMETRA_DATABASE", "sqlite:/tmp/elsewhere.sqlite");
    in<QAction>(window(), u"qcDatabase"_qs)->trigger();
    auto* overridden = in<QLabel>(dialog, u"overridden"_qs);
    EXPECT_TRUE(overridden->isVisible());
    EXPECT_TRUE(overridden->text().contains(u"sqlite:/tmp/elsewhere.sqlite"_qs));
    EXPECT_EQ(records::databaseText(std::get<records::DatabaseUrl>(records::configuredDatabase())),
              "sqlite:/tmp/elsewhere.sqlite");
    qunsetenv("LUMETRA_DATABASE");
    dialog->reject();
    records::saveSetting({});
}

} // namespace
