#include "calc/fit.h"

#include "calc/number_text.h"
#include "calc/utf8.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace calc {
namespace {

bool allEqual(const std::vector<double>& values) {
    return std::adjacent_find(values.begin(), values.end(), std::not_equal_to<>()) == values.end();
}

} // namespace

std::string zeroPrefixed(std::string_view text, std::size_t maxLength) {
    if (text.empty() || text.front() != '.' || utf8::characterCount(text) + 1 > maxLength) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size() + 1);
    result += '0';
    result += text;
    return result;
}

FitOutcome fitCurve(std::span<const std::string> c, std::span<const std::string> a) {
    const std::size_t n = std::max(c.size(), a.size());
    if (n == 0) {
        return Degenerate{};
    }

    // The shown digits depend on the order of every operation below: sums in ascending row
    // order, deviations taken as mean minus value, each square as dx * dx (std::pow may differ in
    // the last bit), one square root of the product Sxx * Syy.
    std::vector<double> x(n);
    std::vector<double> y(n);
    double sumX = 0.0;
    double sumY = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const int row = static_cast<int>(i);
        if (i >= c.size() || i >= a.size() || c[i].empty() || a[i].empty()) {
            return Incomplete{row};
        }
        // Where the strict reading succeeds, the lenient one gives the same double.
        const std::optional<double> concentration = strictParse(c[i]);
        if (!concentration) {
            return NotANumber{row, Box::Concentration};
        }
        const std::optional<double> absorbance = strictParse(a[i]);
        if (!absorbance) {
            return NotANumber{row, Box::Absorbance};
        }
        x[i] = *concentration;
        sumX = sumX + x[i];
        y[i] = *absorbance;
        sumY = sumY + y[i];
    }

    // Equal values must be caught before the arithmetic: three concentrations 0.1 have a mean
    // that is not exactly 0.1, so Sxx is about 1e-33 instead of 0 and the line would be
    // meaningless (r near 4.5e-16, "y=- .0667+ 2.6666x").
    if (allEqual(x) || allEqual(y)) {
        return Degenerate{};
    }

    const auto count = static_cast<double>(n);
    const double meanX = sumX / count;
    const double meanY = sumY / count;

    double sxx = 0.0;
    double syy = 0.0;
    double sxy = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = meanX - x[i];
        const double dy = meanY - y[i];
        sxx = sxx + dx * dx;
        syy = syy + dy * dy;
        sxy = sxy + dx * dy;
    }

    const double product = sxx * syy;
    if (product == 0.0 || !std::isfinite(product)) {
        return Degenerate{};
    }
    const double r = sxy / std::sqrt(product);
    const double b = sxy / sxx;
    const double intercept = meanY - meanX * b;
    if (!std::isfinite(r) || !std::isfinite(b) || !std::isfinite(intercept)) {
        return Degenerate{};
    }

    // The equation shows the intercept's sign apart from its digits, and the flag is taken from
    // the unrounded a: a = -2.8e-17 floors to -0.0001 and shows "y=- .0001+...".
    const bool negativeIntercept = intercept < 0;
    const double shownIntercept = std::fabs(floorTo4(intercept));
    const double slope = floorTo4(b);
    if (!std::isfinite(shownIntercept) || !std::isfinite(slope)) {
        return Degenerate{}; // |a| or |b| beyond 1.8e304: the product with 10000 overflows
    }

    std::string equation = "y=";
    if (negativeIntercept) {
        equation += '-';
    }
    equation += strForm(shownIntercept);
    equation += '+';
    equation += strForm(slope); // a negative slope keeps its own "-": "y= .7+-.2x"
    equation += 'x';

    return Curve{
        .concentrations = std::move(x),
        .absorbances = std::move(y),
        .a = intercept,
        .b = b,
        .r = r,
        .intercept = negativeIntercept ? shownIntercept * -1.0 : shownIntercept,
        .slope = slope,
        .equation = std::move(equation),
        .correlation = correlationText(r),
    };
}

} // namespace calc
