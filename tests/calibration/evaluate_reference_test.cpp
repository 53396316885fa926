// The figures of evaluate() for the unweighted straight line against an independent computation
// in quadruple precision (__float128, 113-bit mantissa) from the same typed texts: raw sums instead
// of deviations from the means, the residual sum of squares as Syy - b*Sxy instead of a sum of
// squared residuals, and Student's t from its closed form for an integer number of degrees of
// freedom, solved by bisection.

#include "calc/distributions.h"
#include "calc/number_format.h"
#include "calibration/results.h"
#include "reference_t.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <quadmath.h>
#include <random>
#include <string>
#include <vector>

namespace {

using Quad = __float128;
using Values = std::vector<double>;
using Texts = std::vector<std::string>;

std::string text(Quad value) {
    char buffer[64];
    quadmath_snprintf(buffer, sizeof buffer, "%.25Qg", value);
    return buffer;
}

struct Reference {
    Quad a, b, r, sYX, sA, sB, t, lod, loq, yMean, sxx;
};

// From the texts as typed: the decimals the program fits, not the doubles nearest them.
Reference reference(const Texts& x, const Texts& y) {
    const auto n = static_cast<Quad>(x.size());
    Quad sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const Quad xi = strtoflt128(x[i].c_str(), nullptr);
        const Quad yi = strtoflt128(y[i].c_str(), nullptr);
        sx += xi;
        sy += yi;
        sxx += xi * xi;
        syy += yi * yi;
        sxy += xi * yi;
    }
    Reference ref{};
    const Quad rawSxx = sxx;
    ref.sxx = sxx - sx * sx / n;
    const Quad Syy = syy - sy * sy / n;
    const Quad Sxy = sxy - sx * sy / n;
    ref.b = Sxy / ref.sxx;
    ref.a = (sy - ref.b * sx) / n;
    ref.r = Sxy / sqrtq(ref.sxx * Syy);
    ref.yMean = sy / n;
    const int dof = static_cast<int>(x.size()) - 2;
    ref.sYX = sqrtq((Syy - ref.b * Sxy) / dof);
    ref.sB = ref.sYX / sqrtq(ref.sxx);
    ref.sA = ref.sYX * sqrtq(rawSxx / (n * ref.sxx));
    static std::map<int, Quad> known; // the bisection is the slow part of the reference
    if (!known.contains(dof)) {
        known[dof] = referenceT975(dof);
    }
    ref.t = known[dof];
    ref.lod = 33 * ref.sYX / (10 * fabsq(ref.b));
    ref.loq = 10 * ref.sYX / fabsq(ref.b);
    return ref;
}

::testing::AssertionResult agrees(const char* what, std::optional<double> actual, Quad expected,
                                  double tolerance = 1e-9) {
    if (!actual) {
        return ::testing::AssertionFailure() << what << " missing";
    }
    if (fabsq(static_cast<Quad>(*actual) - expected) <= tolerance * fabsq(expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << what << ": " << text(*actual) << " against " << text(expected);
}

// The t of every half-width evaluate() gives.
TEST(StudentT, AgreesWithTheClosedForm) {
    for (int dof = 1; dof <= 60; ++dof) {
        SCOPED_TRACE(dof);
        EXPECT_TRUE(agrees("t", calc::studentQuantile(0.975, dof), referenceT975(dof), 1e-13));
    }
}

// Random lines of 3 to 12 standards at several scales, each with noise, and a sample read against
// each with replicates and a dilution, all typed as the shortest texts of their doubles. The
// concentrations may lie close together far from zero (100000 to 100001), where raw sums in
// double precision would lose every digit of Sxx.
TEST(EvaluateReference, AgreesWithQuadPrecision) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double spreads[] = {1e-3, 1.0, 1e3};
    const double offsets[] = {0.0, 10.0, 1e5}; // in units of the spread

    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE(round);
        const double spread = spreads[round % 3];
        const double offset = offsets[(round / 3) % 3] * spread;
        const int n = 3 + static_cast<int>(unit(random) * 10);
        const double slope = (unit(random) < 0.2 ? -1 : 1) * std::pow(10.0, 4 * unit(random) - 2);
        // The absorbance at the low end of the range, where the line starts; the absorbances stay
        // within a few spreads of zero wherever the concentrations lie.
        const double start = (unit(random) < 0.5 ? -1 : 1) * (0.2 + unit(random)) * slope * spread;
        const double noise = std::pow(10.0, -2 - 3 * unit(random)) * std::fabs(slope) * spread;

        calibration::Document document;
        Texts xs(n);
        Texts ys(n);
        for (int i = 0; i < n; ++i) {
            const double x = offset + spread * (i + 0.5 + 0.5 * unit(random)) / n;
            const double y = start + slope * (x - offset) + noise * (2 * unit(random) - 1);
            xs[i] = calc::formatNumber(x, calc::NumberStyle::shortestRoundTrip());
            ys[i] = calc::formatNumber(y, calc::NumberStyle::shortestRoundTrip());
            document.standards.push_back({xs[i], ys[i], false, {}});
        }
        const int m = 1 + static_cast<int>(unit(random) * 5);
        const double dilution = unit(random) < 0.5 ? 1.0 : 1 + std::floor(99 * unit(random));
        const double level = offset + spread * (0.2 + 0.8 * unit(random));
        Values readings(m);
        calibration::Sample sample;
        sample.dilution = calc::formatNumber(dilution, calc::NumberStyle::shortestRoundTrip());
        Quad sum = 0;
        for (double& reading : readings) {
            reading = start + slope * (level - offset) + noise * (2 * unit(random) - 1);
            sum += reading;
            if (!sample.readings.empty()) {
                sample.readings += ' ';
            }
            sample.readings += calc::formatNumber(reading, calc::NumberStyle::shortestRoundTrip());
        }
        document.samples.push_back(sample);

        const calibration::Results results = calibration::evaluate(document);
        const calibration::CurveResult& curve = results.curve;
        ASSERT_TRUE(curve.fit);
        const Reference ref = reference(xs, ys);

        EXPECT_EQ(curve.fit->n, n);
        EXPECT_TRUE(agrees("a", curve.fit->a, ref.a));
        EXPECT_TRUE(agrees("b", curve.fit->b, ref.b));
        EXPECT_TRUE(agrees("r", curve.r.value, ref.r));
        EXPECT_TRUE(agrees("r2", curve.r2.value, ref.r * ref.r));
        EXPECT_TRUE(agrees("t95", curve.t95.value, ref.t, 1e-13));
        EXPECT_TRUE(agrees("s_yx", curve.sYX.value, ref.sYX));
        EXPECT_TRUE(agrees("s_a", curve.sA.value, ref.sA));
        EXPECT_TRUE(agrees("s_b", curve.sB.value, ref.sB));
        EXPECT_TRUE(agrees("ci95_a", curve.ci95A.value, ref.t * ref.sA));
        EXPECT_TRUE(agrees("ci95_b", curve.ci95B.value, ref.t * ref.sB));
        EXPECT_TRUE(agrees("lod", curve.lod.value, ref.lod));
        EXPECT_TRUE(agrees("loq", curve.loq.value, ref.loq));

        // A fitted absorbance and a residual are what is left of a + b*x: the rounding of the
        // typed values to doubles alone moves them by eps times those terms, against which they
        // are measured.
        double scale = 0;
        for (int i = 0; i < n; ++i) {
            scale = std::max(scale, std::fabs(std::stod(ys[i])) +
                                        std::fabs(curve.fit->b * std::stod(xs[i])));
        }
        const auto tolerance = [scale](Quad value) {
            return std::max(1e-9, 1e-12 * scale / std::fabs(static_cast<double>(value)));
        };
        ASSERT_EQ(curve.standards.size(), static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            const calibration::StandardResult& s = curve.standards[i];
            const Quad x = strtoflt128(xs[i].c_str(), nullptr);
            const Quad y = strtoflt128(ys[i].c_str(), nullptr);
            const Quad fit = ref.a + ref.b * x;
            const Quad residual = y - fit;
            const Quad back = (y - ref.a) / ref.b;
            EXPECT_TRUE(agrees("A_fit", s.fit, fit, tolerance(fit)));
            EXPECT_TRUE(agrees("residual", s.residual, residual, tolerance(residual)));
            EXPECT_TRUE(agrees("deviation_pct", s.deviationPct, 100 * residual / fit,
                               tolerance(residual) + tolerance(fit)));
            EXPECT_TRUE(agrees("C_back", s.cBack, back));
            EXPECT_TRUE(agrees("recovery_pct", s.recoveryPct, 100 * back / x));
        }

        const Quad meanA = sum / m;
        const Quad x0 = (meanA - ref.a) / ref.b;
        const Quad d = meanA - ref.yMean;
        const Quad sX0 = ref.sYX / fabsq(ref.b) *
                         sqrtq(static_cast<Quad>(1) / m + static_cast<Quad>(1) / n +
                               d * d / (ref.b * ref.b * ref.sxx));
        ASSERT_EQ(results.samples.size(), 1u);
        const calibration::SampleResult& e = results.samples[0];
        EXPECT_EQ(e.m, m);
        EXPECT_TRUE(agrees("mean_A", e.meanA, meanA));
        EXPECT_TRUE(agrees("x0", e.x0.value, x0 * dilution));
        EXPECT_TRUE(agrees("s_x0", e.sX0.value, sX0 * dilution));
        EXPECT_TRUE(agrees("ci95_x0", e.ci95.value, ref.t * sX0 * dilution));
    }
}

} // namespace
