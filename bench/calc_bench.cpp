// Timings of the two things a user waits for: the fit of a full table and one sample calculation.

#include "calc/fit.h"
#include "calc/number_text.h"
#include "calc/sample.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

// A full table of ten standards as typed, after the prefix step.
const std::vector<std::string> concentrations = {"0", "0.5", "1", "2", "3",
                                                 "4", "5",   "6", "8", "10"};
const std::vector<std::string> absorbances = {"0",   "0.026", "0.051", "0.1",   "0.149",
                                              "0.2", "0.252", "0.301", "0.398", "0.5"};

void FitTenPoints(benchmark::State& state) {
    for (auto _ : state) {
        calc::FitOutcome outcome = calc::fitCurve(concentrations, absorbances);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(FitTenPoints);

// Range test, concentration and its Str form, as on Enter in the sample box.
void SampleCalculation(benchmark::State& state) {
    const std::string sample = "0.25";
    const std::string upper = "0.5";
    const std::string lower = "0";
    for (auto _ : state) {
        std::string text;
        if (calc::rangeTest(sample, upper, lower) == calc::Range::Inside) {
            if (const auto value = calc::concentration(sample, 0.0005, 0.0499)) {
                text = calc::strForm(*value);
            }
        }
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(SampleCalculation);

} // namespace

BENCHMARK_MAIN();
