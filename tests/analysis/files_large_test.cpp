// 100 000 samples opened in the window from the main window's context menu, then one more
// computed in the main window and the last worksheet written with all of them. Labelled slow: it
// takes about a second.

#include "analysis/sample_list.h"
#include "app/calibration_files.h"
#include "io/calibration_file.h"
#include "tests/analysis/analysis_window_fixture.h"
#include "tests/support/fluorescence_reference.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Events = std::vector<std::string>;

class LargeFiles : public analysis_test::AnalysisWindowTest {};

TEST_F(LargeFiles, HundredThousandSamplesOpenInTheWindow) {
    calibration::Document document;
    document.unit = "mg/L";
    for (std::size_t i = 0; i < analysis_test::kX.size(); ++i) {
        document.standards.push_back({io::toDocument(analysis_test::kX[i]),
                                      io::toDocument(analysis_test::kY[i]),
                                      false,
                                      {}});
    }
    for (int i = 0; i < 100'000; ++i) {
        calibration::Sample sample;
        sample.name = "样品 " + std::to_string(i + 1);
        sample.readings = "13.4 13.6 13.5";
        sample.dilution = "2";
        document.samples.push_back(sample);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u"many.lumetra"_qs);
    ASSERT_FALSE(io::saveCalibration(path, document).has_value());
    window()->open();
    alerts.paths = {path};
    in<QAction>(main(), u"openCalibration"_qs)->trigger();
    EXPECT_EQ(alerts.take(), Events{"<file>打开标准曲线文件"});
    ASSERT_EQ(window()->samples().rowCount(), 100'000);
    EXPECT_EQ(analysis::fieldIndex(window()->samples(), 99'999, analysis::SampleListModel::Name)
                  .data()
                  .toString(),
              u"样品 100000"_qs);
    EXPECT_EQ(analysis::fieldIndex(window()->samples(), 99'999, analysis::SampleListModel::X0)
                  .data()
                  .toString(),
              analysis::fieldIndex(window()->samples(), 0, analysis::SampleListModel::X0)
                  .data()
                  .toString());
    QApplication::setActiveWindow(main());
    sample(u"5"_qs);
    lumetra->files()->flushLast();
    const auto kept = io::readCalibrationFile(app::lastWorksheetPath());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->samples.size(), 100'001);
}

} // namespace
