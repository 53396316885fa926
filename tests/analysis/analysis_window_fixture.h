#pragma once

// The real main window and its analysis window, started as the program starts them, under the
// offscreen platform, with message boxes, questions and file dialogs recorded.

#include "analysis/analysis_window.h"
#include "analysis/current_calibration.h"
#include "analysis/document_table_model.h"
#include "app/lumetra.h"
#include "io/document_text.h"
#include "tests/support/qt_printers.h"
#include "tests/support/recording_prompts.h"

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace analysis_test {

// The fluorescence standards of a published teaching example.
inline const std::vector<QString> kX{u"0"_qs, u"2"_qs,  u"4"_qs, u"6"_qs,
                                     u"8"_qs, u"10"_qs, u"12"_qs};
inline const std::vector<QString> kY{u"2.1"_qs,  u"5.0"_qs,  u"9.0"_qs, u"12.6"_qs,
                                     u"17.3"_qs, u"21.0"_qs, u"24.7"_qs};

// A row of the sample list as the user typed it, in Qt's texts.
struct SampleEntry {
    QString name, readings, dilution, mainResult;
};

class AnalysisWindowTest : public ::testing::Test {
public:
    void SetUp() override { restart(); }

    // The windows as at the program's start, the old ones gone (the recorded prompts stay).
    void restart() {
        lumetra.reset();
        lumetra = std::make_unique<app::Lumetra>(alerts);
        lumetra->start();
        lumetra->run();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    }

    ui::MainWindow* main() { return lumetra->mainWindow(); }
    analysis::AnalysisWindow* window() { return lumetra->analysisWindow(); }

    template <class T = QWidget> T* in(QWidget* parent, const QString& name) {
        auto* found = parent->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    // Into a box of the main window, activated first as a click into it does.
    void clickAndType(const QString& box, const QString& text) {
        if (!main()->isActiveWindow()) {
            QApplication::setActiveWindow(main());
        }
        QTest::mouseClick(in(main(), box), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

    void fit(const std::vector<QString>& x, const std::vector<QString>& y) {
        clickAndType(u"Text4"_qs, QString::number(x.size()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        for (std::size_t i = 0; i < x.size(); ++i) {
            clickAndType(QStringLiteral("Text1(%1)").arg(i), x[i]);
            clickAndType(QStringLiteral("Text2(%1)").arg(i), y[i]);
        }
        QTest::mouseClick(in(main(), u"command4"_qs), Qt::LeftButton);
    }

    void sample(const QString& absorbance) {
        clickAndType(u"Text7"_qs, absorbance);
        QTest::mouseClick(in(main(), u"Command7"_qs), Qt::LeftButton);
    }

    analysis::CurrentCalibration& calibration() { return window()->calibration(); }
    const calibration::CurveResult& curve() { return calibration().curve(); }

    std::vector<SampleEntry> entries() {
        std::vector<SampleEntry> rows;
        for (const calibration::Sample& s : calibration().document().samples) {
            rows.push_back({io::fromDocument(s.name), io::fromDocument(s.readings),
                            io::fromDocument(s.dilution), io::fromDocument(s.mainResult)});
        }
        return rows;
    }

    void append(const std::vector<SampleEntry>& rows) {
        std::vector<calibration::Sample> samples;
        for (const SampleEntry& row : rows) {
            calibration::Sample sample;
            sample.name = io::toDocument(row.name);
            sample.readings = io::toDocument(row.readings);
            sample.dilution = io::toDocument(row.dilution);
            sample.mainResult = io::toDocument(row.mainResult);
            samples.push_back(sample);
        }
        calibration().appendSamples(samples);
    }

    bool showsEmptyState() { return in(window(), u"emptyState"_qs)->isVisibleTo(window()); }

    // A cell of the statistics or of the standards, read through the table's model.
    QString statistic(int row, int column = 1, int role = Qt::DisplayRole) {
        auto* table = in<QTableView>(window(), u"statistics"_qs);
        return table->model()->index(row, column).data(role).toString();
    }
    QTableView* points() { return in<QTableView>(window(), u"points"_qs); }
    QString point(int row, int column, int role = Qt::DisplayRole) {
        return analysis::fieldIndex(*points()->model(), row, column).data(role).toString();
    }

    // The text of a box of the main window.
    QString box(const QString& name) { return in<QLineEdit>(main(), name)->text(); }

    // The analysis window shown and active, as after the user clicked into it (the offscreen
    // platform activates only the first window it shows).
    void activateAnalysis() {
        window()->open();
        QApplication::setActiveWindow(window());
    }

    test::RecordingPrompts alerts;
    std::unique_ptr<app::Lumetra> lumetra;
};

} // namespace analysis_test
