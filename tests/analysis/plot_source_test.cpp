// The curve written in the laboratory's letters: four significant digits in the plot, rounded
// half to even on the decimal value, every digit in the text, a true minus sign.

#include "analysis/plot_source.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using analysis::Digits;

TEST(EquationText, InTheLaboratorysLetters) {
    struct Case {
        const char* name;
        calc::Model model;
        double a, b, c;
        Digits digits;
        const char* expected;
    };
    constexpr double kLargest = std::numeric_limits<double>::max();
    constexpr double kSmallest = std::numeric_limits<double>::denorm_min();
    const Case cases[] = {
        {"the worked line", calc::Model::Line, 0.006656, 0.09704, 0, Digits::Four,
         "A = 0.006656 + 0.09704·C"},
        {"trailing zeros kept", calc::Model::Line, 1.5178571428571406, 1.930357142857143, 0,
         Digits::Four, "A = 1.518 + 1.930·C"},
        {"every digit", calc::Model::Line, 1.5178571428571406, 1.930357142857143, 0, Digits::Full,
         "A = 1.5178571428571406 + 1.930357142857143·C"},
        {"half to even on the decimal value", calc::Model::Line, 1.2345, 2.6755, 0, Digits::Four,
         "A = 1.234 + 2.676·C"},
        {"a carry adds a digit", calc::Model::Line, 9.9995, 1, 0, Digits::Four,
         "A = 10.00 + 1.000·C"},
        {"a negative intercept and slope", calc::Model::Line, -0.01, -2.5, 0, Digits::Four,
         "A = −0.01000 − 2.500·C"},
        {"zero and minus zero", calc::Model::Line, -0.0, 0.0, 0, Digits::Full, "A = 0 + 0·C"},
        {"through the origin", calc::Model::Origin, 0, 0.09704, 0, Digits::Four, "A = 0.09704·C"},
        {"second order", calc::Model::Quadratic, 0.01, 0.1, -0.0002, Digits::Four,
         "A = 0.01000 + 0.1000·C − 0.0002000·C²"},
        {"a millionth and just below", calc::Model::Line, 1e-6, 9.999e-7, 0, Digits::Four,
         "A = 0.000001000 + 9.999e-07·C"},
        {"10⁹ stays plain, 10^15 does not", calc::Model::Line, 1e9, 1e15, 0, Digits::Four,
         "A = 1000000000 + 1.000e+15·C"},
        {"every digit, plain from a millionth", calc::Model::Line, -1.2e-05, 1e-6, 0, Digits::Full,
         "A = −0.000012 + 0.000001·C"},
        {"every digit, exponent form beyond", calc::Model::Line, 9.5e-7, 1e15, 0, Digits::Full,
         "A = 9.5e-07 + 1e+15·C"},
        {"the largest and smallest doubles", calc::Model::Line, kLargest, kSmallest, 0,
         Digits::Four, "A = 1.798e+308 + 4.941e-324·C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calc::ModelFit fit;
        fit.model = c.model;
        fit.a = c.a;
        fit.b = c.b;
        fit.c = c.c;
        EXPECT_EQ(analysis::equationText(fit, c.digits).toStdString(), c.expected);
    }
}

} // namespace

// With the internal standard the vertical axis is the response ratio, the points the ratios.
TEST(PlotSource, InternalStandardAxis) {
    calibration::Document document;
    document.unit = "mg/L";
    document.standards = {{"0", "0.05", false, {}, "1000"},
                          {"1", "0.5", false, {}, "1000"},
                          {"2", "1.0", false, {}, "800"}};
    const analysis::PlotData external =
        analysis::plotData(document, calibration::evaluate(document), {});
    EXPECT_EQ(external.yTitle, QStringLiteral("吸光度 A"));
    document.settings.internalStandard = true;
    const analysis::PlotData ratio =
        analysis::plotData(document, calibration::evaluate(document), {});
    EXPECT_EQ(ratio.yTitle, QStringLiteral("响应比 A/A内标"));
    ASSERT_EQ(ratio.absorbances.size(), 3u);
    EXPECT_EQ(ratio.absorbances[2], 0.00125);
}

// A standard addition: the line meets the concentration axis at -x_E, marked with its interval
// (Miller & Miller's silver: x_E = 17.26 ng/mL, +- 1.92 at 95 %).
TEST(PlotSource, StandardAdditionMeetsTheAxis) {
    calibration::Document document;
    document.unit = "ng/mL";
    for (const auto& [c, a] : {std::pair{"0", "0.32"},
                               {"5", "0.41"},
                               {"10", "0.52"},
                               {"15", "0.60"},
                               {"20", "0.70"},
                               {"25", "0.77"},
                               {"30", "0.89"}}) {
        document.standards.push_back({c, a, false, {}});
    }
    EXPECT_FALSE(analysis::plotData(document, calibration::evaluate(document), {}).interceptX);
    document.settings.calibration = calibration::CalibrationType::Addition;
    const analysis::PlotData data =
        analysis::plotData(document, calibration::evaluate(document), {});
    ASSERT_TRUE(data.interceptX);
    EXPECT_NEAR(*data.interceptX, -17.260536398467433, 1e-12);
    EXPECT_NEAR(data.interceptHalfWidth, 1.9224626724355498, 1e-12);
}
