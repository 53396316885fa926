// The sample list of the analysis window recomputed after a fit: 1000 samples against a new line,
// by the model alone and with the table view that shows it.

#include "analysis/sample_list.h"
#include "calc/statistics.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

const std::vector<double> x = {0, 0.5, 1, 2, 3, 4, 5, 6, 8, 10};
const std::vector<double> y = {0.001, 0.026, 0.051, 0.1, 0.149, 0.2, 0.252, 0.301, 0.398, 0.5};
const std::vector<double> y2 = {0.002, 0.027, 0.05, 0.101, 0.15, 0.198, 0.25, 0.303, 0.4, 0.499};

// A day's list: 1000 samples of one to three readings typed as texts, a quarter diluted.
std::vector<analysis::SampleEntry> sampleList() {
    std::vector<analysis::SampleEntry> rows(1000);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double base = 0.002 + 0.0005 * static_cast<double>(i % 900);
        QStringList readings;
        for (std::size_t k = 0; k <= i % 3; ++k) {
            readings << QString::number(base + 0.001 * double(k), 'g', 6);
        }
        rows[i].name = QStringLiteral("样品 %1").arg(i + 1);
        rows[i].readings = readings.join(u' ');
        rows[i].dilution = i % 4 == 0 ? QStringLiteral("10") : QString();
    }
    return rows;
}

// Each iteration is a fit: the list moves between two lines so that every row changes.
void recompute(benchmark::State& state, analysis::SampleListModel& model) {
    const std::optional<calc::LineStatistics> lines[] = {calc::lineStatistics(x, y),
                                                         calc::lineStatistics(x, y2)};
    std::size_t i = 0;
    for (auto _ : state) {
        model.setStatistics(lines[i++ % 2]);
        benchmark::ClobberMemory();
    }
}

void SampleListRecomputeThousand(benchmark::State& state) {
    analysis::SampleListModel model;
    model.append(sampleList());
    recompute(state, model);
}
BENCHMARK(SampleListRecomputeThousand)->Unit(benchmark::kMicrosecond);

// The same with the list's table view attached and shown (its repaint comes later, from the
// event loop, and is not counted).
void SampleListRecomputeThousandWithView(benchmark::State& state) {
    analysis::SampleListModel model;
    model.append(sampleList());
    QTableView view;
    view.setModel(&model);
    view.resize(900, 400);
    view.show();
    QApplication::processEvents();
    recompute(state, model);
}
BENCHMARK(SampleListRecomputeThousandWithView)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
