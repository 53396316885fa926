// The decimal separator is "." whatever the locale of the process.

#include "calc/fit.h"
#include "calc/number_format.h"
#include "calc/number_text.h"
#include "calc/sample.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <locale>
#include <string>
#include <vector>

namespace {

struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Everything the conversions produce for a fixed set of inputs, as one list of texts.
std::vector<std::string> snapshot() {
    std::vector<std::string> out;
    for (const char* text : {"0.5", "1,5", "1.2.3", " .5", "1e-3", "12.5."}) {
        out.push_back(calc::strForm(calc::lenientParse(text)));
        const auto strict = calc::strictParse(text);
        out.push_back(strict ? calc::strForm(*strict) : "failure");
    }
    for (double value : {0.5, -0.00000015, 2.0 / 3.0, 1e15, 12.3455}) {
        out.push_back(calc::strForm(value));
    }
    const std::vector<std::string> c = {"0", "1", "2", "3", "4"};
    const std::vector<std::string> a = {"0.001", "0.201", "0.399", "0.602", "0.8"};
    const auto fitted = std::get<calc::Curve>(calc::fitCurve(c, a));
    out.push_back(fitted.correlation);
    out.push_back(fitted.equation);
    out.push_back(calc::strForm(*calc::concentration("0.5", 0.0123, 0.8765)));
    out.push_back(calc::rangeTest("0.8", "0.800", "0.001") == calc::Range::Inside ? "inside"
                                                                                  : "not inside");
    for (double value : {0.5, -1.5e-7, 1234.5678}) {
        out.push_back(calc::formatNumber(value, calc::NumberStyle::shortestRoundTrip()));
    }
    return out;
}

// Restores the C and C++ global locales when the test ends, also on failure.
class LocaleGuard {
public:
    LocaleGuard() : cpp_(std::locale()), c_(std::setlocale(LC_ALL, nullptr)) {}
    ~LocaleGuard() {
        std::locale::global(cpp_);
        std::setlocale(LC_ALL, c_.c_str());
    }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    std::locale cpp_;
    std::string c_;
};

TEST(NumberTextLocale, CommaDecimalLocaleChangesNothing) {
    const std::vector<std::string> expected = snapshot();
    ASSERT_EQ(expected[0], " .5");

    LocaleGuard guard;
    // A system locale with a decimal comma when the machine has one; the C++ locale with a
    // comma facet in any case.
    bool systemLocale = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            systemLocale = true;
            break;
        }
    }
    std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    ASSERT_EQ(std::use_facet<std::numpunct<char>>(std::locale()).decimal_point(), ',');
    if (!systemLocale) {
        std::printf("no system locale with a decimal comma; C++ global locale only\n");
    }

    EXPECT_EQ(snapshot(), expected);
}

} // namespace
