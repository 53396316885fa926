// Timings of the things a user waits for: the fit of a full table, one sample calculation, the
// validation figures of ten standards and the reported rounding; the calibration models in exact
// arithmetic and their inverse prediction.

#include "calc/decimal.h"
#include "calc/distributions.h"
#include "calc/fit.h"
#include "calc/model_fit.h"
#include "calc/number_text.h"
#include "calc/rounding.h"
#include "calc/sample.h"
#include "calc/validation.h"

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

// A quantile asked for again: the shared lock and the lookup.
void KeptQuantile(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::studentQuantile(0.975, 8));
    }
}
BENCHMARK(KeptQuantile);

// A figure of the report rounded to four significant digits.
void RoundSignificant(benchmark::State& state) {
    for (auto _ : state) {
        std::string text = calc::roundSignificant(0.0049875629, 4);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(RoundSignificant);

std::vector<calc::Decimal> decimalsOf(const std::vector<std::string>& texts) {
    std::vector<calc::Decimal> values;
    for (const std::string& text : texts) {
        values.push_back(*calc::parseDecimal(text));
    }
    return values;
}

// n standards: the ten above, or a long series of levels 0.01 apart with four-decimal readings.
std::pair<std::vector<calc::Decimal>, std::vector<calc::Decimal>> standards(int n) {
    if (n == 10) {
        return {decimalsOf(concentrations), decimalsOf(absorbances)};
    }
    std::vector<std::string> c;
    std::vector<std::string> a;
    for (int i = 1; i <= n; ++i) {
        c.push_back(std::to_string(i / 100) + "." + std::to_string(100 + i % 100).substr(1));
        a.push_back("0." + std::to_string(10000 + (i * 37 + i % 7) % 10000).substr(1));
    }
    return {decimalsOf(c), decimalsOf(a)};
}

// The unweighted line through the ten standards, as the validation takes it.
calc::ModelOutcome unweightedLine() {
    const auto [x, y] = standards(10);
    return calc::fitModel(x, y, {}, calc::Model::Line, calc::Weighting::None);
}

std::vector<double> valuesOf(const std::vector<std::string>& texts) {
    std::vector<double> values;
    for (const calc::Decimal& d : decimalsOf(texts)) {
        values.push_back(d.value);
    }
    return values;
}

// fitModel on state.range(0) standards; the model and the weighting as named.
template <calc::Model model, calc::Weighting weighting> void FitModel(benchmark::State& state) {
    auto [x, y] = standards(static_cast<int>(state.range(0)));
    if (weighting != calc::Weighting::None) { // 1/x and 1/y need values above 0
        x.erase(x.begin());
        y.erase(y.begin());
    }
    for (auto _ : state) {
        calc::ModelOutcome outcome = calc::fitModel(x, y, {}, model, weighting);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(FitModel<calc::Model::Line, calc::Weighting::None>)
    ->Arg(10)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(FitModel<calc::Model::Quadratic, calc::Weighting::None>)
    ->Arg(10)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(FitModel<calc::Model::Line, calc::Weighting::InverseX2>)
    ->Arg(10)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);

// Leverage, studentized residual and Cook's distance of ten standards, in quadruple precision.
void LineDiagnosticsTenPoints(benchmark::State& state) {
    const auto fit = std::get<calc::ModelFit>(unweightedLine());
    const std::vector<double> x = valuesOf(concentrations);
    const std::vector<double> y = valuesOf(absorbances);
    for (auto _ : state) {
        auto diagnostics = calc::lineDiagnostics(x, y, fit.a, fit.b);
        benchmark::DoNotOptimize(diagnostics);
    }
}
BENCHMARK(LineDiagnosticsTenPoints);

// DIN 32645 of ten standards: x_c, y_c and the two roots.
void Din32645TenPoints(benchmark::State& state) {
    const auto fit = std::get<calc::ModelFit>(unweightedLine());
    for (auto _ : state) {
        auto limits = calc::din32645(fit.n, fit.meanX, fit.sxx, *fit.sYX, fit.a, fit.b, 0.01, 3, 1);
        benchmark::DoNotOptimize(limits);
    }
}
BENCHMARK(Din32645TenPoints);

// One sample read back from the quadratic of ten standards, the reading changing each time.
void InversePredict(benchmark::State& state) {
    const auto [x, y] = standards(10);
    const auto fit = std::get<calc::ModelFit>(
        calc::fitModel(x, y, {}, calc::Model::Quadratic, calc::Weighting::None));
    long double reading = 0.1L;
    for (auto _ : state) {
        calc::InversePrediction p = calc::inversePredict(fit, reading, 2);
        benchmark::DoNotOptimize(p);
        reading += 1e-9L;
    }
}
BENCHMARK(InversePredict);

} // namespace

BENCHMARK_MAIN();
