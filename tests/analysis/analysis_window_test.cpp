// The analysis window through real widgets: the three ways of opening it, the empty state, how it
// follows fits, clears and samples, the copied report read back, and the plots saved as files.

#include "analysis/plot_widget.h"
#include "tests/analysis/analysis_window_fixture.h"
#include "tests/support/fluorescence_reference.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

using analysis_test::AnalysisWindowTest;
using analysis_test::kX;
using analysis_test::kY;

TEST_F(AnalysisWindowTest, OpensByF2ByDoubleClickOnTheEquationAndFromTheContextMenu) {
    struct Way {
        const char* name;
        std::function<void(AnalysisWindowTest&)> open;
    };
    const Way ways[] = {
        {"F2 in a box of the main window",
         [](AnalysisWindowTest&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2); }},
        {"double click on the equation",
         [](AnalysisWindowTest& t) {
             QTest::mouseDClick(t.in(t.main(), u"Label6"_qs), Qt::LeftButton);
         }},
        {"context menu action",
         [](AnalysisWindowTest& t) {
             auto* action = t.in<QAction>(t.main(), u"openAnalysis"_qs);
             ASSERT_EQ(t.main()->contextMenuPolicy(), Qt::ActionsContextMenu);
             ASSERT_TRUE(t.main()->actions().contains(action));
             EXPECT_EQ(action->text(), u"标准曲线分析 (F2)"_qs);
             action->trigger();
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        window()->hide();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
        const QString focusBefore = QApplication::focusWidget()->objectName();
        way.open(*this);
        EXPECT_TRUE(window()->isVisible());
        EXPECT_EQ(window()->windowTitle(), u"标准曲线分析"_qs);
        EXPECT_TRUE(alerts.take().empty());
        main()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
        EXPECT_EQ(QApplication::focusWidget()->objectName(), focusBefore);
    }
    EXPECT_EQ(in<QLabel>(main(), u"Label6"_qs)->toolTip(), u"双击打开标准曲线分析 (F2)"_qs);
}

TEST_F(AnalysisWindowTest, FollowsFitsClearsAndSamplesWhetherShownOrNot) {
    EXPECT_TRUE(showsEmptyState());
    fit(kX, kY); // while the window is closed
    window()->open();
    EXPECT_FALSE(showsEmptyState());
    EXPECT_EQ(statistic(0), u"7"_qs);
    EXPECT_EQ(statistic(1), u"1.51786"_qs);
    EXPECT_EQ(statistic(1, 2), u"0.758157"_qs);
    EXPECT_EQ(statistic(8), u"0.739965 mg"_qs);
    EXPECT_EQ(in<QTableWidget>(window(), u"points"_qs)->rowCount(), 7);
    EXPECT_FALSE(window()->plotData().current.has_value());

    sample(u"13.5"_qs);
    ASSERT_TRUE(window()->plotData().current.has_value());
    EXPECT_NEAR(window()->plotData().current->concentration,
                (13.5 - 1.5178571428571) / 1.9303571428571, 1e-9);
    EXPECT_FALSE(window()->plotData().current->flagged);
    QTest::mouseClick(in(main(), u"Command8"_qs), Qt::LeftButton);
    EXPECT_FALSE(window()->plotData().current.has_value());

    QTest::mouseClick(in(main(), u"command5"_qs), Qt::LeftButton);
    EXPECT_TRUE(showsEmptyState());
    EXPECT_EQ(in<QTableWidget>(window(), u"points"_qs)->rowCount(), 0);
    EXPECT_TRUE(alerts.take().empty());
}

TEST_F(AnalysisWindowTest, TwoStandardsShowADashWithTheReason) {
    fit({u"1"_qs, u"2"_qs}, {u"0.1"_qs, u"0.3"_qs});
    auto* table = in<QTableWidget>(window(), u"statistics"_qs);
    for (int row : {3, 4, 7, 8, 9}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(table->item(row, 1)->text(), u"—"_qs);
        EXPECT_EQ(table->item(row, 1)->toolTip(), u"至少需要3个标准点"_qs);
    }
    EXPECT_EQ(table->item(1, 2)->text(), u"—"_qs);
    const QStringList lines = window()->reportText().split(u'\n');
    EXPECT_EQ(lines[3], u"s_a\t"_qs);
}

TEST_F(AnalysisWindowTest, CopiedReportAgreesWithTheExactFiguresAndFollowsTheUnit) {
    fit(kX, kY);
    window()->open();
    // The offscreen platform activates only the first window it shows.
    QApplication::setActiveWindow(window());
    in(window(), u"statistics"_qs)->setFocus(); // the window's copy, not the table's own cell
    QApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    ASSERT_FALSE(copied.isEmpty());
    EXPECT_EQ(copied, window()->reportText());

    const QStringList lines = copied.split(u'\n');
    const char* keys[] = {"n",      "a", "b",  "s_a",  "s_b", "ci95_a",
                          "ci95_b", "r", "r2", "s_yx", "lod", "loq"};
    for (int i = 0; i < 12; ++i) {
        const QStringList cells = lines[i].split(u'\t');
        ASSERT_EQ(cells.size(), 2) << lines[i].toStdString();
        EXPECT_EQ(cells[0], QString::fromUtf8(keys[i]));
        bool ok = false;
        const double value = cells[1].toDouble(&ok);
        ASSERT_TRUE(ok) << cells[1].toStdString();
        const double expected = test::kFluorescenceStatistics.at(cells[0]);
        EXPECT_NEAR(value, expected, 1e-9 * std::fabs(expected)) << keys[i];
    }
    EXPECT_EQ(lines[12], QString());
    EXPECT_EQ(lines[13], u"C\tA\tA_fit\tresidual\tdeviation_pct\tC_back\trecovery_pct"_qs);
    EXPECT_EQ(lines[14].split(u'\t').value(6), QString()); // C = 0 has no recovery
    EXPECT_EQ(lines[15].split(u'\t').value(0), u"2"_qs);

    auto* unit = in<QComboBox>(main(), u"Combo1"_qs);
    unit->setCurrentText(u"mg/L"_qs);
    EXPECT_EQ(window()->plotData().xTitle, u"浓度 C (mg/L)"_qs);
    EXPECT_EQ(statistic(9), u"2.24232 mg/L"_qs);
}

TEST_F(AnalysisWindowTest, SavesThePlotsAsPngAndSvgAndSaysWhenItCannot) {
    fit(kX, kY);
    QTemporaryDir dir;
    const QString png = dir.filePath(u"curve.png"_qs);
    const QString svg = dir.filePath(u"curve.SVG"_qs);
    const QString nowhere = dir.filePath(u"no/such/folder/curve.png"_qs);
    alerts.paths = {png, svg, nowhere};
    for (int i = 0; i < 3; ++i) {
        window()->saveImage();
    }
    const QImage image(png);
    EXPECT_GE(image.width(), 1600);
    EXPECT_GE(image.height(), 1200);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    bool sawSvg = false;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"svg"_qs) {
            sawSvg = true;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(sawSvg);
    const auto events = alerts.take();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[3], "图像保存失败：" + nowhere.toStdString() + "：所在的文件夹不存在");
}

// Wide, the statistics stand beside the plots; narrow, they are the first tab below them and
// show every row; smaller than its content, the window scrolls rather than squeezing the plots.
TEST_F(AnalysisWindowTest, ArrangesItselfByItsSize) {
    struct Case {
        const char* name;
        double widthLines, heightLines;
        bool statisticsInTab;
        bool scrolls;
    };
    const Case cases[] = {
        {"wide", 56, 46, false, false},
        {"narrow", 35, 42, true, false},
        {"wide again", 50, 46, false, false},
        {"smaller than its content", 20, 12, true, true},
    };
    fit(kX, kY);
    window()->open();
    auto* table = in<QTableWidget>(window(), u"statistics"_qs);
    auto* tabs = window()->findChild<QTabWidget*>();
    auto* scroll = window()->findChild<QScrollArea*>();
    auto* plot = in(window(), u"calibrationPlot"_qs);
    ASSERT_NE(tabs, nullptr);
    ASSERT_NE(scroll, nullptr);
    const int line = window()->fontMetrics().height();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window()->resize(int(c.widthLines * line), int(c.heightLines * line));
        QApplication::processEvents();
        const bool inTab = tabs->indexOf(table->parentWidget()) >= 0;
        EXPECT_EQ(inTab, c.statisticsInTab);
        EXPECT_EQ(tabs->count(), c.statisticsInTab ? 3 : 2);
        if (inTab) {
            EXPECT_EQ(tabs->tabText(0), u"统计量"_qs);
        }
        EXPECT_TRUE(table->isVisibleTo(window()));
        if (!c.scrolls) {
            EXPECT_GE(table->viewport()->height(), table->verticalHeader()->length());
        }
        EXPECT_EQ(scroll->verticalScrollBar()->isVisibleTo(window()), c.scrolls);
        EXPECT_GE(plot->height(), plot->minimumSizeHint().height());
        EXPECT_EQ(statistic(0), u"7"_qs);
    }
}

TEST_F(AnalysisWindowTest, HidesWithTheMainWindowAndComesBackWithIt) {
    window()->open();
    lumetra->backToCover();
    EXPECT_FALSE(window()->isVisible());
    lumetra->run();
    EXPECT_TRUE(window()->isVisible());
    window()->close();
    lumetra->backToCover();
    lumetra->run();
    EXPECT_FALSE(window()->isVisible());
}

} // namespace
