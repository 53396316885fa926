#include "calc/full_precision.h"
#include "calc/report_text.h"
#include "calc/statistics.h"
#include "test_support.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using calc_test::identical;
using Values = std::vector<double>;
using Lines = std::vector<std::string>;

double readBack(const std::string& text) {
    double value = std::numeric_limits<double>::quiet_NaN();
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size()) << text;
    return value;
}

TEST(FullPrecision, Texts) {
    using limits = std::numeric_limits<double>;
    struct Case {
        const char* name;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"a tenth", 0.1, "0.1"},
        {"whole number without a point", 1.0, "1"},
        {"hundred stays plain", 100.0, "100"},
        {"small value in exponent form", 1e-7, "1e-07"},
        {"large value in exponent form", 1e22, "1e+22"},
        {"sum with its rounding error shown", 0.1 + 0.2, "0.30000000000000004"},
        {"0.57 * 10000 just below 5700", 0.57 * 10000, "5699.999999999999"},
        {"negative zero", -0.0, "-0"},
        {"smallest subnormal", limits::denorm_min(), "5e-324"},
        {"smallest normal", limits::min(), "2.2250738585072014e-308"},
        {"largest double", limits::max(), "1.7976931348623157e+308"},
        {"most negative double", limits::lowest(), "-1.7976931348623157e+308"},
        {"infinity", limits::infinity(), "inf"},
        {"negative infinity", -limits::infinity(), "-inf"},
        {"not a number", limits::quiet_NaN(), "nan"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calc::fullPrecision(c.value), c.text);
    }
}

// Every power of two with both neighbours, and random bit patterns, read back to the same bits.
TEST(FullPrecision, RoundTrips) {
    std::vector<double> values;
    for (int exponent = -1074; exponent <= 1023; ++exponent) {
        const double power = std::ldexp(1.0, exponent);
        for (double v : {power, std::nextafter(power, 0.0), std::nextafter(power, HUGE_VAL)}) {
            values.push_back(v);
            values.push_back(-v);
        }
    }
    std::mt19937_64 random(7);
    while (values.size() < 200000) {
        const double v = std::bit_cast<double>(random());
        if (std::isfinite(v)) {
            values.push_back(v);
        }
    }
    for (double v : values) {
        const std::string text = calc::fullPrecision(v);
        ASSERT_TRUE(identical(v, readBack(text))) << text;
    }
}

Lines split(const std::string& text, char separator) {
    Lines parts(1);
    for (char ch : text) {
        if (ch == separator) {
            parts.emplace_back();
        } else {
            parts.back() += ch;
        }
    }
    return parts;
}

// Two standards and two samples, all values exact: the whole text, written out.
TEST(ReportText, LayoutWithTwoStandards) {
    const Values x = {0, 1};
    const Values y = {1, 0};
    const auto line = calc::lineStatistics(x, y);
    ASSERT_TRUE(line);
    const calc::SampleRow samples[] = {
        {"样品\t1\r\n", {0.5, 1.5}, 1.0},
        {"", {2}, 2.5},
    };
    const std::string head = "n\t2\n"
                             "a\t1\n"
                             "b\t-1\n"
                             "s_a\t\n"
                             "s_b\t\n"
                             "ci95_a\t\n"
                             "ci95_b\t\n"
                             "r\t-1\n"
                             "r2\t1\n"
                             "s_yx\t\n"
                             "lod\t\n"
                             "loq\t\n"
                             "\n"
                             "C\tA\tA_fit\tresidual\tdeviation_pct\tC_back\trecovery_pct\n"
                             "0\t1\t1\t0\t0\t0\t\n"    // C_back is -0; C = 0 has no recovery
                             "1\t0\t0\t0\t\t1\t100\n"; // A_fit = 0 has no deviation
    const std::string sampleBlock =
        "\n"
        "name\treadings\tm\tmean_A\tdilution\tx0\ts_x0\tci95_x0\tflags\n"
        "样品 1  \t0.5 1.5\t2\t1\t1\t0\t\t\t\n" // x0 is -0
        "\t2\t1\t2\t2.5\t-2.5\t\t\tout_of_range\n";
    EXPECT_EQ(calc::reportText(x, y, *line, samples), head + sampleBlock);
    EXPECT_EQ(calc::reportText(x, y, *line, {}), head);
}

// A name reaches a terminal: no control character and no bidirectional control passes, each
// becomes one blank; the characters next to them in the encoding stay.
TEST(ReportText, NamesCarryNoControls) {
    const Values x = {0, 1};
    const Values y = {1, 0};
    const auto line = calc::lineStatistics(x, y);
    ASSERT_TRUE(line);
    struct Case {
        const char* name;
        const char* sample;
        const char* shown;
    };
    const Case cases[] = {
        {"C0 and DEL", "a\tb\x7F", "a b "},
        {"C1: CSI and NEL",
         "a\xC2\x9B"
         "1m\xC2\x85",
         "a 1m "},
        {"the first and last C1", "\xC2\x80\xC2\x9F", "  "},
        {"no-break space and é stay", "\xC2\xA0\xC3\xA9", "\xC2\xA0\xC3\xA9"},
        {"right-to-left override and pop",
         "\xE2\x80\xAE"
         "abc\xE2\x80\xAC",
         " abc "},
        {"isolates",
         "\xE2\x81\xA6"
         "x\xE2\x81\xA9",
         " x "},
        {"marks: LRM, RLM, ALM", "\xE2\x80\x8E\xE2\x80\x8F\xD8\x9C", "   "},
        {"zero-width joiner and an emoji stay", "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x94\xAC",
         "\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x94\xAC"},
        {"a cut-off sequence at the end", "a\xE2\x80", "a\xE2\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const calc::SampleRow samples[] = {{c.sample, {0.5}, 1.0}};
        const std::string text = calc::reportText(x, y, *line, samples);
        const std::size_t start = text.rfind('\n', text.size() - 2) + 1;
        EXPECT_EQ(text.substr(start, text.find('\t', start) - start), c.shown);
    }
}

// The fluorescence standards with three samples: the blocks, the keys and the flags, and every
// number read back to the bits of the value it stands for.
TEST(ReportText, ValuesReadBack) {
    const Values x = {0, 2, 4, 6, 8, 10, 12};
    const Values y = {2.1, 5.0, 9.0, 12.6, 17.3, 21.0, 24.7};
    const auto line = calc::lineStatistics(x, y);
    ASSERT_TRUE(line);
    const std::vector<calc::SampleRow> samples = {
        {"below the range", {2.0}, 1.0},
        {"near the LOD", {2.9}, 10.0},
        {"duplicate", {12.5, 12.7}, 5.0},
    };
    const std::string text = calc::reportText(x, y, *line, samples);
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(text.back(), '\n');
    const Lines lines = split(text.substr(0, text.size() - 1), '\n');
    ASSERT_EQ(lines.size(), 12U + 1 + 1 + 7 + 1 + 1 + 3);

    const std::pair<const char*, std::optional<double>> statistics[] = {
        {"a", line->a},          {"b", line->b},          {"s_a", line->sA},  {"s_b", line->sB},
        {"ci95_a", line->ci95A}, {"ci95_b", line->ci95B}, {"r", line->r},     {"r2", line->r2},
        {"s_yx", line->sYX},     {"lod", line->lod},      {"loq", line->loq},
    };
    EXPECT_EQ(lines[0], "n\t7");
    for (std::size_t i = 0; i < std::size(statistics); ++i) {
        const Lines cells = split(lines[1 + i], '\t');
        ASSERT_EQ(cells.size(), 2U);
        EXPECT_EQ(cells[0], statistics[i].first);
        EXPECT_TRUE(identical(*statistics[i].second, readBack(cells[1])));
    }
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(lines[13], "C\tA\tA_fit\tresidual\tdeviation_pct\tC_back\trecovery_pct");
    const auto checks = calc::pointChecks(x, y, *line);
    for (std::size_t i = 0; i < checks.size(); ++i) {
        SCOPED_TRACE(i);
        const Lines cells = split(lines[14 + i], '\t');
        ASSERT_EQ(cells.size(), 7U);
        EXPECT_TRUE(identical(checks[i].c, readBack(cells[0])));
        EXPECT_TRUE(identical(checks[i].a, readBack(cells[1])));
        EXPECT_TRUE(identical(checks[i].aFit, readBack(cells[2])));
        EXPECT_TRUE(identical(checks[i].residual, readBack(cells[3])));
        EXPECT_TRUE(identical(*checks[i].deviationPct, readBack(cells[4])));
        EXPECT_TRUE(identical(*checks[i].cBack, readBack(cells[5])));
        if (i == 0) {
            EXPECT_EQ(cells[6], ""); // C = 0
        } else {
            EXPECT_TRUE(identical(*checks[i].recoveryPct, readBack(cells[6])));
        }
    }
    EXPECT_EQ(lines[21], "");
    EXPECT_EQ(lines[22], "name\treadings\tm\tmean_A\tdilution\tx0\ts_x0\tci95_x0\tflags");
    const char* flags[] = {"out_of_range,below_lod,below_loq", "below_lod,below_loq", ""};
    const char* readings[] = {"2", "2.9", "12.5 12.7"};
    for (std::size_t i = 0; i < samples.size(); ++i) {
        SCOPED_TRACE(samples[i].name);
        const Lines cells = split(lines[23 + i], '\t');
        ASSERT_EQ(cells.size(), 9U);
        const auto e = calc::estimateSample(*line, samples[i].readings, samples[i].dilution);
        EXPECT_EQ(cells[0], samples[i].name);
        EXPECT_EQ(cells[1], readings[i]);
        EXPECT_EQ(cells[2], std::to_string(samples[i].readings.size()));
        EXPECT_TRUE(identical(e.meanA, readBack(cells[3])));
        EXPECT_TRUE(identical(samples[i].dilution, readBack(cells[4])));
        EXPECT_TRUE(identical(e.x0, readBack(cells[5])));
        EXPECT_TRUE(identical(*e.sX0, readBack(cells[6])));
        EXPECT_TRUE(identical(*e.ci95X0, readBack(cells[7])));
        EXPECT_EQ(cells[8], flags[i]);
    }
}

} // namespace
