// The analysis window through real widgets: the three ways of opening it, the empty state, how it
// follows fits, clears and samples, the copied report read back, and the plots saved as files.

#include "analysis/plot_widget.h"
#include "analysis/standards_table.h"
#include "tests/analysis/analysis_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTableView>
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

// The document is the home of the curve: the main window's 清零 empties only the main window,
// its sample frame's 清零 takes the current sample away.
TEST_F(AnalysisWindowTest, FollowsFitsAndSamplesWhetherShownOrNotAndKeepsTheCurveOverAClear) {
    EXPECT_TRUE(showsEmptyState());
    fit(kX, kY); // while the window is closed
    window()->open();
    EXPECT_FALSE(showsEmptyState());
    EXPECT_EQ(statistic(0), u"7"_qs);
    EXPECT_EQ(statistic(1), u"1.51786"_qs);
    EXPECT_EQ(statistic(1, 2), u"0.758157"_qs);
    EXPECT_EQ(statistic(8), u"0.739965 mg"_qs);
    EXPECT_EQ(points()->model()->rowCount(), 7);
    EXPECT_FALSE(window()->plotData().current.has_value());

    sample(u"13.5"_qs);
    ASSERT_TRUE(window()->plotData().current.has_value());
    EXPECT_NEAR(window()->plotData().current->concentration,
                (13.5 - 1.5178571428571) / 1.9303571428571, 1e-9);
    EXPECT_FALSE(window()->plotData().current->flagged);
    QTest::mouseClick(in(main(), u"Command8"_qs), Qt::LeftButton);
    EXPECT_FALSE(window()->plotData().current.has_value());

    QTest::mouseClick(in(main(), u"command5"_qs), Qt::LeftButton);
    EXPECT_EQ(box(u"Text4"_qs), QString());
    EXPECT_FALSE(showsEmptyState());
    EXPECT_EQ(points()->model()->rowCount(), 7);
    EXPECT_EQ(statistic(0), u"7"_qs);
    EXPECT_TRUE(alerts.take().empty());
}

// The copied report's calibration fields, key by value, up to the first empty line.
std::map<QString, QString> reportFields(const QString& report) {
    std::map<QString, QString> fields;
    for (const QString& line : report.split(u'\n')) {
        if (line.isEmpty()) {
            break;
        }
        fields[line.section(u'\t', 0, 0)] = line.section(u'\t', 1);
    }
    return fields;
}

TEST_F(AnalysisWindowTest, TwoStandardsShowADashWithTheReason) {
    fit({u"1"_qs, u"2"_qs}, {u"0.1"_qs, u"0.3"_qs});
    for (int row : {3, 4, 7, 8, 9}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(statistic(row), u"—"_qs);
        EXPECT_EQ(statistic(row, 1, Qt::ToolTipRole), u"至少需要3个标准点"_qs);
    }
    EXPECT_EQ(statistic(1, 2), u"—"_qs);
    const std::map<QString, QString> fields = reportFields(window()->reportText());
    for (const char* key : {"s_a", "s_b", "ci95_a", "ci_b", "s_yx", "lod", "loq"}) {
        EXPECT_EQ(fields.at(QString::fromUtf8(key)), QString()) << key;
    }
    EXPECT_EQ(fields.at(u"b"_qs), u"0.2"_qs);
}

// The weighting comparison lists the weightings the standards allow with the best starred, and a
// double-click on a row applies its weighting.
TEST_F(AnalysisWindowTest, WeightingComparisonAppliesTheRowDoubleClicked) {
    fit(kX, kY);
    activateAnalysis();
    auto* table = in<QTableView>(window(), u"weightingComparison"_qs);
    ASSERT_NE(table, nullptr);
    for (QTabWidget* tabs : window()->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(table)) {
                tabs->setCurrentIndex(i);
            }
        }
    }
    ASSERT_TRUE(table->isVisible());
    const QAbstractItemModel* model = table->model();
    const auto rows = [model] {
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row) {
            names << model->index(row, 0).data().toString();
            EXPECT_FALSE(model->index(row, 1).data().toString().isEmpty());
        }
        return names;
    };
    // The zero standard leaves out 1/x and 1/x², one standard at each concentration 1/s².
    const QStringList before = rows();
    ASSERT_EQ(before.size(), 3);
    EXPECT_EQ(before.filter(u" ★"_qs).size(), 1);
    EXPECT_EQ(before.join(u'|').remove(u" ★"_qs), u"无|1/y|1/y²"_qs);
    // A double-click is a press and a release before the second press.
    const QPoint cell = table->visualRect(model->index(1, 1)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(window()->calibration().document().settings.weighting, calc::Weighting::InverseY);
    EXPECT_EQ(rows(), before); // the standards' comparison does not depend on the weighting chosen
}

// The statistics come from the typed decimals (Results.ExactDecimals): standards exactly on a line
// show no scatter at all, where sums of binary fractions would leave some 1e-17.
TEST_F(AnalysisWindowTest, StandardsExactlyOnALineShowExactZeros) {
    fit({u"1"_qs, u"2"_qs, u"3"_qs}, {u".1"_qs, u".2"_qs, u".3"_qs});
    const QString shown[] = {u"3"_qs, u"0"_qs, u"0.1"_qs, u"0"_qs,    u"0"_qs,
                             u"1"_qs, u"1"_qs, u"0"_qs,   u"0 mg"_qs, u"0 mg"_qs};
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(statistic(row), shown[row]) << statistic(row, 0).toStdString();
    }
}

// The copy holds the report's fields in their order (the figures themselves are evaluate()'s,
// tested against an independent computation in tests/calibration).
TEST_F(AnalysisWindowTest, CopiedReportHoldsTheFieldsInOrderAndFollowsTheUnit) {
    fit(kX, kY);
    activateAnalysis();
    in(window(), u"statistics"_qs)->setFocus(); // the window's copy, not the table's own cell
    QApplication::clipboard()->clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    ASSERT_FALSE(copied.isEmpty());
    EXPECT_EQ(copied, window()->reportText());

    // The calibration's fields in their order: the texts as they are, the others numbers.
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
    const QStringList keys = u"report_version n unit model weight excluded level a b c s_a s_b s_c "
                             "ci95_a ci95_b ci95_c ci_a ci_b ci_c t_intercept r r2 s_yx lod "
                             "loq"_qs.split(u' ');
    const QStringList lines = copied.split(u'\n');
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QStringList cells = lines.value(i).split(u'\t');
        ASSERT_EQ(cells.size(), 2) << lines.value(i).toStdString();
        EXPECT_EQ(cells[0], keys[i]);
        if (texts.count(cells[0])) {
            EXPECT_EQ(cells[1], texts.at(cells[0])) << cells[0].toStdString();
            continue;
        }
        bool ok = false;
        cells[1].toDouble(&ok);
        EXPECT_TRUE(ok) << cells[0].toStdString() << " " << cells[1].toStdString();
    }
    // Then the validation's block, and the standards.
    EXPECT_EQ(lines[keys.size()], QString());
    EXPECT_TRUE(lines[keys.size() + 1].startsWith(u"mandel.pw\t"_qs));
    const qsizetype points = lines.indexOf(QString(), keys.size() + 1) + 1;
    EXPECT_EQ(lines[points], u"C\tA\texcluded\treason\tA_fit\tresidual\tdeviation_pct\tC_back\t"
                             u"recovery_pct\tstudentized\tcooks\toutlier\tinfluential"_qs);
    EXPECT_EQ(lines[points + 1].section(u'\t', 0, 3), u"0\t2.1\tfalse\t"_qs);
    EXPECT_EQ(lines[points + 1].section(u'\t', 8, 8), QString()); // C = 0 has no recovery
    EXPECT_EQ(lines[points + 2].section(u'\t', 0, 0), u"2"_qs);

    auto* unit = in<QComboBox>(main(), u"Combo1"_qs);
    unit->setCurrentText(u"mg/L"_qs);
    EXPECT_EQ(window()->plotData().xTitle, u"浓度 C (mg/L)"_qs);
    EXPECT_EQ(statistic(9), u"2.24232 mg/L"_qs);
    EXPECT_EQ(reportFields(window()->reportText()).at(u"unit"_qs), u"mg/L"_qs);
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
        {"narrow", 35, 46, true, false},
        {"wide again", 50, 46, false, false},
        {"smaller than its content", 20, 12, true, true},
    };
    fit(kX, kY);
    window()->open();
    auto* table = in<QTableView>(window(), u"statistics"_qs);
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
        // 标准点, 样品, 模型, 验证, 不确定度, 记录
        EXPECT_EQ(tabs->count(), c.statisticsInTab ? 7 : 6);
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

// "语言 / Language" shows the language in use, as its owner tells it, and asks for the one chosen;
// keeping it and applying it at the next start are the owner's.
TEST_F(AnalysisWindowTest, TheLanguageMenuShowsTheLanguageInUseAndAsksForTheOneChosen) {
    struct Case {
        const char* name;
        const char* inUse; // nullptr: never told
        const char* chosen;
    };
    const Case cases[] = {
        {"never told: Chinese, the default", nullptr, "en"},
        {"Chinese in use, English chosen", "zh", "en"},
        {"English in use, Chinese chosen", "en", "zh"},
        {"English in use and chosen again", "en", "en"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        auto* menu = in<QMenu>(window(), u"languageMenu"_qs);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), u"语言 / Language"_qs);
        auto* zh = in<QAction>(window(), u"language_zh"_qs);
        auto* en = in<QAction>(window(), u"language_en"_qs);
        ASSERT_TRUE(zh && en);
        EXPECT_EQ(zh->text(), u"中文"_qs);
        EXPECT_EQ(en->text(), u"English"_qs);
        if (c.inUse != nullptr) {
            window()->setLanguage(QString::fromLatin1(c.inUse));
        }
        const QString inUse = c.inUse ? QString::fromLatin1(c.inUse) : u"zh"_qs;
        EXPECT_EQ(zh->isChecked(), inUse == u"zh"_qs);
        EXPECT_EQ(en->isChecked(), inUse == u"en"_qs);
        QSignalSpy asked(window(), &analysis::AnalysisWindow::languageRequested);
        const QString chosen = QString::fromLatin1(c.chosen);
        (chosen == u"zh"_qs ? zh : en)->trigger();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_EQ(asked[0][0].toString(), chosen);
        EXPECT_EQ(zh->isChecked(), chosen == u"zh"_qs);
        EXPECT_EQ(en->isChecked(), chosen == u"en"_qs);
    }
}

// The standards tab, edited through the real table: every edit refits the document and is filled
// into the main window when the main window can show it.
class StandardsTabTest : public AnalysisWindowTest {
public:
    using Standards = std::vector<std::pair<QString, QString>>;

    void SetUp() override {
        AnalysisWindowTest::SetUp();
        activateAnalysis();
        auto* tabs = window()->findChild<QTabWidget*>();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == u"标准点"_qs) {
                tabs->setCurrentIndex(i);
            }
        }
        ASSERT_TRUE(points()->isVisible());
    }

    Standards standards() {
        Standards all;
        for (const calibration::Standard& s : calibration().document().standards) {
            all.emplace_back(io::fromDocument(s.c), io::fromDocument(s.a));
        }
        return all;
    }

    // The analysis window active, as after a click into it.
    void activate() {
        if (!window()->isActiveWindow()) {
            activateAnalysis();
        }
    }
    QPoint centre(int row, int column) {
        activate();
        return points()->visualRect(analysis::fieldIndex(*points()->model(), row, column)).center();
    }
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(points()->viewport(), Qt::LeftButton, modifiers, centre(row, column));
    }
    // A double click (as a mouse sends it: press, release, double click, release) opens the
    // cell's editor; Enter ends the edit.
    void editCell(int row, int column, const QString& text) {
        const QPoint at = centre(row, column);
        QTest::mouseClick(points()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(points()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(points()->viewport(), Qt::LeftButton, {}, at);
        ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents(); // the view commits an edit after the editor's own keys
    }
    // A click on the check box of the column 排除, where the view's delegate draws it.
    void clickExclusion(int row) {
        activate();
        const QModelIndex index =
            analysis::fieldIndex(*points()->model(), row, analysis::StandardsModel::Excluded);
        QStyleOptionViewItem option;
        option.initFrom(points());
        option.rect = points()->visualRect(index);
        option.features =
            QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = index.data().toString();
        const QRect box = points()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator,
                                                            &option, points());
        QTest::mouseClick(points()->viewport(), Qt::LeftButton, {}, box.center());
    }
    void paste(const QString& block) {
        activate();
        QApplication::clipboard()->setText(block);
        QTest::keyClick(points(), Qt::Key_V, Qt::ControlModifier);
    }

    // The main window shows exactly these standards, fitted, and the note is hidden.
    void expectMainWindowShows(const Standards& shown) {
        EXPECT_EQ(box(u"Text4"_qs), QString::number(shown.size()));
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(box(u"Text1(%1)"_qs.arg(i)), shown[i].first) << i;
            EXPECT_EQ(box(u"Text2(%1)"_qs.arg(i)), shown[i].second) << i;
        }
        EXPECT_NE(in<QLabel>(main(), u"Label6"_qs)->text(), u"y=a+bx"_qs);
        EXPECT_TRUE(in(window(), u"mainWindowNote"_qs)->isHidden());
    }
};

// The least-squares slope of the standards, computed apart from the program in long double.
long double slopeOf(const StandardsTabTest::Standards& standards) {
    long double meanX = 0, meanY = 0;
    for (const auto& [c, a] : standards) {
        meanX += c.toDouble() / standards.size();
        meanY += a.toDouble() / standards.size();
    }
    long double sxx = 0, sxy = 0;
    for (const auto& [c, a] : standards) {
        sxx += (c.toDouble() - meanX) * (c.toDouble() - meanX);
        sxy += (c.toDouble() - meanX) * (a.toDouble() - meanY);
    }
    return sxy / sxx;
}

TEST_F(StandardsTabTest, EveryEditRefitsAndIsFilledIntoTheMainWindow) {
    fit(kX, kY);
    Standards fluorescence;
    for (std::size_t i = 0; i < kX.size(); ++i) {
        fluorescence.emplace_back(kX[i], kY[i]);
    }
    Standards edited = fluorescence;
    edited[2].second = u"9.4"_qs;
    Standards inserted = edited;
    inserted.emplace_back(QString(), QString());
    Standards typed = edited;
    typed.emplace_back(u"14"_qs, u"28.6"_qs);
    const Standards deleted(typed.begin() + 1, typed.end() - 1);
    using Column = analysis::StandardsModel::Column;
    struct Step {
        const char* name;
        QString note; // why the main window is cleared; "": it shows the standards
        std::function<void(StandardsTabTest&)> act;
        Standards standards;
    };
    const Step steps[] = {
        {"a cell edited",
         {},
         [](StandardsTabTest& t) { t.editCell(2, Column::A, u"9.4"_qs); },
         edited},
        {"Insert adds an empty row after the current one", u"第8个标准点：浓度为空"_qs,
         [](StandardsTabTest& t) {
             t.clickCell(6, Column::C);
             QTest::keyClick(t.points(), Qt::Key_Insert);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
         },
         inserted},
        {"its cells typed",
         {},
         [](StandardsTabTest& t) {
             t.editCell(7, Column::C, u"14"_qs);
             t.editCell(7, Column::A, u"28.6"_qs);
         },
         typed},
        {"Delete removes the selected rows",
         {},
         [](StandardsTabTest& t) {
             t.clickCell(0, Column::A);
             t.clickCell(7, Column::C, Qt::ControlModifier);
             QTest::keyClick(t.points(), Qt::Key_Delete);
         },
         deleted},
        {"a block pasted over every row, its header and index column skipped",
         {},
         [](StandardsTabTest& t) {
             t.points()->selectAll();
             t.paste(u"序号\t浓度\t吸光度\n1\t0\t0.002\n2\t0.5\t0.101\n3\t1\t0.198"_qs);
         },
         {{u"0"_qs, u"0.002"_qs}, {u"0.5"_qs, u"0.101"_qs}, {u"1"_qs, u"0.198"_qs}}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(*this);
        EXPECT_EQ(standards(), step.standards);
        EXPECT_EQ(points()->model()->rowCount(), int(step.standards.size()));
        if (!step.note.isEmpty()) {
            EXPECT_EQ(box(u"Text4"_qs), QString());
            EXPECT_EQ(in<QLabel>(main(), u"Label6"_qs)->text(), u"y=a+bx"_qs);
            EXPECT_EQ(in<QLabel>(window(), u"mainWindowNote"_qs)->text(), step.note);
            EXPECT_FALSE(in(window(), u"mainWindowNote"_qs)->isHidden());
            EXPECT_EQ(statistic(0), QString()) << "no curve through an empty standard";
            continue;
        }
        expectMainWindowShows(step.standards);
        EXPECT_EQ(statistic(0), QString::number(step.standards.size()));
        const long double b = slopeOf(step.standards);
        EXPECT_NEAR(reportFields(window()->reportText()).at(u"b"_qs).toDouble(), double(b),
                    1e-12 * std::fabs(double(b)));
    }
    EXPECT_EQ(alerts.take(), std::vector<std::string>{});
}

// A standard is excluded only with a reason; a new fit in the main window with the same values
// keeps the exclusion, the k-th of equal standards matching the k-th, whatever their texts.
TEST_F(StandardsTabTest, AnExclusionNeedsAReasonAndAMainWindowFitOfTheSameValuesKeepsIt) {
    fit({u"0"_qs, u"1"_qs, u"1"_qs, u"2"_qs, u"3"_qs},
        {u"0.002"_qs, u"0.1"_qs, u"0.1"_qs, u"0.198"_qs, u"0.31"_qs});
    const std::string asked =
        std::string(test::RecordingPrompts::kAskText) + "排除第3个标准点的原因：";
    struct Case {
        const char* name;
        std::optional<QString> reason; // nullopt: cancelled
        std::vector<std::string> events;
        bool excluded;
    };
    const Case cases[] = {
        {"cancelled", std::nullopt, {asked}, false},
        {"an empty reason", u"  "_qs, {asked, "排除标准点必须说明原因"}, false},
        {"a reason", u"比色皿污染"_qs, {asked}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        alerts.texts = {c.reason};
        clickExclusion(2);
        EXPECT_EQ(alerts.take(), c.events);
        const QModelIndex cell =
            analysis::fieldIndex(*points()->model(), 2, analysis::StandardsModel::Excluded);
        EXPECT_EQ(cell.data(Qt::CheckStateRole).toInt(), c.excluded ? Qt::Checked : Qt::Unchecked);
        EXPECT_EQ(cell.data().toString(), c.excluded ? u"比色皿污染"_qs : QString());
        EXPECT_EQ(statistic(0), c.excluded ? u"4"_qs : u"5"_qs);
    }

    QTest::mouseClick(in(main(), u"command5"_qs), Qt::LeftButton);
    fit({u"1"_qs, u"3"_qs, u"1"_qs, u"0"_qs, u"2"_qs},
        {u"0.10"_qs, u"0.31"_qs, u"0.1"_qs, u"0.002"_qs, u"0.198"_qs});
    std::vector<bool> excluded;
    for (const calibration::Standard& s : calibration().document().standards) {
        excluded.push_back(s.excluded);
    }
    EXPECT_EQ(excluded, (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(point(2, analysis::StandardsModel::Excluded), u"比色皿污染"_qs);
    EXPECT_EQ(statistic(0), u"4"_qs);
    EXPECT_EQ(alerts.take(), std::vector<std::string>{});
}

// Each standard's externally studentized residual and Cook's distance, with its mark: a reading
// far off the line is a suspected outlier (282.5 by hand, against the Bonferroni limit of about
// 5.6; its Cook's distance 0.45 stays below F(0.5; 2, 6) = 0.78). Excluded, or with too few
// standards, the figures show "—" and the reason.
TEST_F(StandardsTabTest, TheOutlierMarksStandBesideEachStandard) {
    using analysis::StandardsModel;
    fit({u"0"_qs, u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"5"_qs, u"6"_qs, u"7"_qs},
        {u".001"_qs, u".100"_qs, u".202"_qs, u".299"_qs, u".900"_qs, u".501"_qs, u".598"_qs,
         u".702"_qs});
    EXPECT_NEAR(point(4, StandardsModel::Studentized).toDouble(), 282.512, 1e-3);
    EXPECT_NEAR(point(4, StandardsModel::Cooks).toDouble(), 0.452, 1e-3);
    EXPECT_NEAR(point(0, StandardsModel::Studentized).toDouble(), -0.261, 1e-3);
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(point(row, StandardsModel::Marks), row == 4 ? u"可疑离群"_qs : QString()) << row;
    }

    alerts.texts = {u"读数错误"_qs};
    clickExclusion(4);
    EXPECT_EQ(point(4, StandardsModel::Studentized), u"—"_qs);
    EXPECT_EQ(point(4, StandardsModel::Marks), QString());

    QTest::mouseClick(in(main(), u"command5"_qs), Qt::LeftButton);
    fit({u"0"_qs, u"1"_qs, u"2"_qs}, {u".001"_qs, u".100"_qs, u".202"_qs});
    const QModelIndex cell = analysis::fieldIndex(*points()->model(), 0, StandardsModel::Cooks);
    EXPECT_EQ(cell.data().toString(), u"—"_qs);
    EXPECT_FALSE(cell.data(Qt::ToolTipRole).toString().isEmpty());
}

} // namespace

namespace {

// A slope of 0 in the decimals: the curve and the figures that exist are shown, and the window
// says why no concentration can be read from it.
TEST_F(AnalysisWindowTest, ASlopeOfZeroSaysNoConcentrationCanBeRead) {
    fit({u"0"_qs, u"1"_qs, u"2"_qs}, {u"0"_qs, u"1"_qs, u"0"_qs});
    window()->open();
    EXPECT_FALSE(showsEmptyState());
    auto* note = in<QLabel>(window(), u"curveNote"_qs);
    EXPECT_TRUE(note->isVisibleTo(window()));
    EXPECT_EQ(note->text(), u"斜率为0，无法由吸光度计算浓度"_qs);
    EXPECT_EQ(statistic(2), u"0"_qs); // b
    EXPECT_EQ(statistic(9), u"—"_qs); // LOD
    fit({u"1"_qs, u"2"_qs, u"3"_qs}, {u".1"_qs, u".2"_qs, u".3"_qs});
    EXPECT_FALSE(note->isVisibleTo(window()));
}

} // namespace

// The calibration type and the internal standard beside the model: a switch keeps every row as
// typed, a standard addition empties the designed main window with its note, and switching back
// fills it again.
TEST_F(AnalysisWindowTest, CalibrationTypeSwitchKeepsTheRows) {
    fit(kX, kY);
    append({{u"S1"_qs, u"10.5"_qs, u"1"_qs, {}}});
    window()->open();
    const calibration::Document before = calibration().document();
    auto* type = in<QComboBox>(window(), u"calibrationType"_qs);
    auto* internal = in<QCheckBox>(window(), u"internalStandard"_qs);
    auto* note = in<QLabel>(window(), u"mainWindowNote"_qs);
    ASSERT_EQ(box(u"Text4"_qs), u"7"_qs);

    QTest::keyClick(type, Qt::Key_Down);
    EXPECT_EQ(type->currentText(), u"标准加入"_qs);
    EXPECT_EQ(calibration().document().settings.calibration,
              calibration::CalibrationType::Addition);
    EXPECT_EQ(box(u"Text4"_qs), QString());
    EXPECT_FALSE(main()->curve().has_value());
    EXPECT_EQ(note->text(), u"标准加入模式，主窗口不显示此曲线"_qs);
    EXPECT_FALSE(internal->isEnabled());
    // The statistics end with x_E = a / b (its interval beside it) and s(x_E), a and b the
    // teaching example's line worked here in long double.
    long double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < kX.size(); ++i) {
        const long double x = kX[i].toDouble(), y = kY[i].toDouble();
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const long double n = kX.size();
    const long double b = (sxy - sx * sy / n) / (sxx - sx * sx / n);
    const long double a = sy / n - b * sx / n;
    auto* statistics = in<QTableView>(window(), u"statistics"_qs)->model();
    const int rows = statistics->rowCount();
    ASSERT_GE(rows, 2);
    EXPECT_EQ(statistic(rows - 2, 0), u"x_E"_qs);
    EXPECT_NEAR(statistic(rows - 2).section(u' ', 0, 0).toDouble(), double(a / b), 5e-4);
    EXPECT_FALSE(statistic(rows - 2, 2).isEmpty());
    EXPECT_EQ(statistic(rows - 1, 0), u"s(x_E)"_qs);

    QTest::keyClick(type, Qt::Key_Up);
    EXPECT_EQ(calibration().document().settings.calibration,
              calibration::CalibrationType::External);
    EXPECT_EQ(box(u"Text4"_qs), u"7"_qs);
    EXPECT_EQ(note->text(), QString());
    ASSERT_TRUE(internal->isEnabled());

    // The internal standard without responses: the curve says which standard lacks one.
    QTest::keyClick(internal, Qt::Key_Space);
    EXPECT_TRUE(calibration().document().settings.internalStandard);
    ASSERT_TRUE(curve().problem);
    EXPECT_EQ(calibration::render(*curve().problem), "第1个标准点：内标响应为空");
    QTest::keyClick(internal, Qt::Key_Space);
    EXPECT_FALSE(calibration().document().settings.internalStandard);

    EXPECT_EQ(calibration().document().standards, before.standards);
    EXPECT_EQ(calibration().document().samples, before.samples);
    EXPECT_EQ(statistic(0), u"7"_qs);

    // A document whose standards carry internal-standard responses keeps them when the main
    // window, which has no place for them, is filled and fits them again.
    calibration::Document withResponses = before;
    for (std::size_t i = 0; i < withResponses.standards.size(); ++i) {
        withResponses.standards[i].is = std::to_string(1000 + i);
    }
    withResponses.settings.internalStandard = true;
    calibration().replaceDocument(withResponses, {}, false);
    EXPECT_EQ(box(u"Text4"_qs), u"7"_qs);
    EXPECT_EQ(calibration().document().standards, withResponses.standards);
    EXPECT_TRUE(internal->isChecked());
    EXPECT_FALSE(curve().problem);
    EXPECT_TRUE(alerts.take().empty());
}
