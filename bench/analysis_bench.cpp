// The sample list of the analysis window recomputed for a new curve: 1000 samples against a new
// line, by the document's owner alone and with the table view that shows it. A control chart of
// 1000 points painted at the size of its window.

#include "analysis/control_chart_plot.h"
#include "analysis/current_calibration.h"
#include "analysis/sample_list.h"
#include "ui/alerts.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

const char* const x[] = {"0", "0.5", "1", "2", "3", "4", "5", "6", "8", "10"};
const char* const y[] = {"0.001", "0.026", "0.051", "0.1",   "0.149",
                         "0.2",   "0.252", "0.301", "0.398", "0.5"};
const char* const y2[] = {"0.002", "0.027", "0.05",  "0.101", "0.15",
                          "0.198", "0.25",  "0.303", "0.4",   "0.499"};

std::vector<calibration::Standard> standards(const char* const (&a)[10]) {
    std::vector<calibration::Standard> list;
    for (std::size_t i = 0; i < 10; ++i) {
        list.push_back({x[i], a[i], false, {}});
    }
    return list;
}

// A day's list: 1000 samples of one to three readings typed as texts, a quarter diluted.
std::vector<calibration::Sample> sampleList() {
    std::vector<calibration::Sample> rows(1000);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double base = 0.002 + 0.0005 * static_cast<double>(i % 900);
        std::string readings;
        for (std::size_t k = 0; k <= i % 3; ++k) {
            readings += (k == 0 ? "" : " ") + std::to_string(base + 0.001 * double(k));
        }
        rows[i].name = "样品 " + std::to_string(i + 1);
        rows[i].readings = readings;
        rows[i].dilution = i % 4 == 0 ? "10" : "";
    }
    return rows;
}

// Each iteration is a new curve: the list moves between two lines so that every row changes.
void recompute(benchmark::State& state, analysis::CurrentCalibration& calibration) {
    const std::vector<calibration::Standard> lines[] = {standards(y), standards(y2)};
    std::size_t i = 0;
    for (auto _ : state) {
        calibration.setStandards(lines[i++ % 2], std::nullopt,
                                 analysis::CurrentCalibration::From::Filling);
        benchmark::ClobberMemory();
    }
}

void SampleListRecomputeThousand(benchmark::State& state) {
    analysis::CurrentCalibration calibration;
    calibration.appendSamples(sampleList());
    recompute(state, calibration);
}
BENCHMARK(SampleListRecomputeThousand)->Unit(benchmark::kMicrosecond);

// The same with the list's table view attached and shown (its repaint comes later, from the
// event loop, and is not counted).
void SampleListRecomputeThousandWithView(benchmark::State& state) {
    analysis::CurrentCalibration calibration;
    calibration.appendSamples(sampleList());
    ui::MessageBoxAlerts prompts; // nothing is edited, so nothing is asked
    analysis::SampleListModel model(calibration, prompts);
    QTableView view;
    view.setModel(&model);
    view.resize(900, 400);
    view.show();
    QApplication::processEvents();
    recompute(state, calibration);
}
BENCHMARK(SampleListRecomputeThousandWithView)->Unit(benchmark::kMicrosecond);

// 1000 points about a centre of 3, every 40th beyond the action limit with two rules' keys, the
// first 20 the reference period: painted into an image of the window's chart.
void ControlChartPaintThousand(benchmark::State& state) {
    analysis::ControlChartData data;
    data.limits = calc::limitsAround(3, 0.05, calc::ChartSides::Both);
    for (int i = 0; i < 1000; ++i) {
        analysis::ControlChartPoint point;
        point.value = i % 40 == 39 ? 3.2 : 3 + 0.01 * ((i * 7919) % 13 - 6);
        if (i % 40 == 39) {
            point.rules = {QStringLiteral("t1"), QStringLiteral("t5")};
            point.rejecting = true;
        }
        data.points.push_back(point);
    }
    data.referenceFirst = 0;
    data.referenceLast = 19;
    data.title = QStringLiteral("方法 1 · 校准核查 3");
    data.subtitle = QStringLiteral("控制限未冻结");
    QImage image(1100, 480, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        analysis::paintControlChart(painter, QRectF(image.rect()), data);
    }
}
BENCHMARK(ControlChartPaintThousand)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
