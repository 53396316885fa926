// The texts of a calibration read as numbers, with the reasons a user reads when they are not.

#include "calibration/entries.h"
#include "calibration/results.h"
#include "calibration/text.h"

#include <gtest/gtest.h>

namespace {

using calibration::Field;
using calibration::Message;
using calibration::render;

std::string problemOf(std::string_view text, Field field) {
    const auto problem = calibration::numberProblem(text, field);
    return problem ? render(*problem) : "ok";
}

// A quoted text shows what would otherwise not show, or would turn the message around it.
TEST(Quoted, HiddenCharactersShowTheirCodes) {
    const std::string ones(39, '1');
    std::string emoji;
    for (int i = 0; i < 40; ++i) {
        emoji += "😀";
    }
    struct Case {
        const char* name;
        std::string text;
        std::string quoted;
    };
    const Case cases[] = {
        {"plain", "1,2.3", "\"1,2.3\""},
        {"Chinese and an emoji stay", "浓度😀", "\"浓度😀\""},
        {"a replacement character stays", "\uFFFD", "\"\uFFFD\""},
        {"DEL", "0.2\x7F", "\"0.2\\u007F\""},
        {"a tab and a line break", "1\t2\n", "\"1\\u00092\\u000A\""},
        {"C1 controls", "0.2\u0085\u009F", "\"0.2\\u0085\\u009F\""},
        {"U+00A0 is no control", "0.2\u00A0", "\"0.2\u00A0\""},
        {"a soft hyphen", "0.2\u00AD", "\"0.2\\u00AD\""},
        {"a zero-width space", "0.2\u200B", "\"0.2\\u200B\""},
        {"a right-to-left mark", "0.2\u200F", "\"0.2\\u200F\""},
        {"a right-to-left override", "\u202E0.2", "\"\\u202E0.2\""},
        {"an isolate", "\u20660.2\u2069", "\"\\u20660.2\\u2069\""},
        {"a byte-order mark", "\uFEFF0.2", "\"\\uFEFF0.2\""},
        {"line and paragraph separators", "0.2\u2028\u2029", "\"0.2\\u2028\\u2029\""},
        {"a format character beyond the BMP", "0.2\U000E0001", "\"0.2\\U000E0001\""},
        {"a tag character", "x\U000E0041", "\"x\\U000E0041\""},
        {"a format character new in Unicode 15", "0.2\U00013439", "\"0.2\\U00013439\""},
        {"an unpaired surrogate as Qt gives it", "a\xED\xA0\x80", "\"a\\uD800\""},
        {"a byte that starts no character", "a\xFF", "\"a\\xFF\""},
        {"a character cut off", "a\xE6\xB5", "\"a\\xE6\\xB5\""},
        {"forty characters are not cut", std::string(40, '9'), "\"" + std::string(40, '9') + "\""},
        {"41 characters are cut", std::string(41, '9'), "\"" + std::string(40, '9') + "…\""},
        {"a character beyond the BMP counts once", ones + "😀😀", "\"" + ones + "😀…\""},
        {"forty emoji are not cut", emoji, "\"" + emoji + "\""},
        {"an escape counts as one character",
         ones + "\x7F"
                "2",
         "\"" + ones + "\\u007F…\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(calibration::text::quoted(c.text), c.quoted);
    }
}

TEST(Entries, NumberProblems) {
    struct Case {
        const char* text;
        Field field;
        const char* problem;
    };
    const Case cases[] = {
        {"0.5", Field::Concentration, "ok"},
        {" .5 ", Field::Absorbance, "ok"},
        {"", Field::Concentration, "浓度为空"},
        {"1.2.3", Field::Concentration, "浓度 \"1.2.3\" 不是数字"},
        {"1e999", Field::Absorbance, "吸光度 \"1e999\" 超出数值范围"},
        {"1,5", Field::Reading, "读数 \"1,5\" 不是数字"},
        {"0.2\x7F", Field::Absorbance, "吸光度 \"0.2\\u007F\" 不是数字"},
        {"1e-400", Field::Dilution, "ok"}, // underflows to 0, still a number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(problemOf(c.text, c.field), c.problem);
    }
}

// A volume, factor or dilution is a positive, finite, normal double, or the reason it is not,
// with the range that is accepted.
TEST(Entries, ScaleProblems) {
    const std::string range = "应为2.2250738585072014e-308到1.7976931348623157e+308之间的数";
    struct Case {
        const char* name;
        const char* text;
        Field field;
        std::string problem;
    };
    const Case cases[] = {
        {"an ordinary volume", "50", Field::Volume, "ok"},
        {"the smallest normal double", "2.2250738585072014e-308", Field::Volume, "ok"},
        {"the largest double", "1.7976931348623157e308", Field::Factor, "ok"},
        {"a large dilution", "1e308", Field::Dilution, "ok"},
        {"just below the smallest", "2.2250738585072009e-308", Field::Volume,
         "取样量 \"2.2250738585072009e-308\" " + range},
        {"a subnormal", "1e-320", Field::Volume, "取样量 \"1e-320\" " + range},
        {"the smallest double", "4.9e-324", Field::Dilution, "稀释倍数 \"4.9e-324\" " + range},
        {"underflow to 0", "1e-400", Field::Dilution, "稀释倍数 \"1e-400\" " + range},
        {"zero", "0", Field::Volume, "取样量 \"0\" " + range},
        {"-0", "-0", Field::Factor, "换算系数 \"-0\" " + range},
        {"a negative factor", "-1", Field::Factor, "换算系数 \"-1\" " + range},
        {"beyond the largest", "1e400", Field::Factor, "换算系数 \"1e400\" " + range},
        {"rounds past the largest", "1.7976931348623159e308", Field::Volume,
         "取样量 \"1.7976931348623159e308\" " + range},
        {"NaN", "nan", Field::Volume, "取样量 \"nan\" 不是数字"},
        {"infinity", "inf", Field::Dilution, "稀释倍数 \"inf\" 不是数字"},
        {"a letter", "x", Field::Factor, "换算系数 \"x\" 不是数字"},
        {"empty", "", Field::Volume, "取样量为空"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto problem = calibration::scaleProblem(c.text, c.field);
        EXPECT_EQ(problem ? render(*problem) : "ok", c.problem);
    }
}

TEST(Entries, SampleValues) {
    struct Case {
        const char* name;
        const char* readings;
        const char* dilution;
        std::vector<double> values;
        double dilutionValue;
        const char* problem; // "" when the row has its numbers
    };
    const Case cases[] = {
        {"two readings, default dilution", "0.512  0.515", "", {0.512, 0.515}, 1, ""},
        {"ideographic space and tab split", "0.5\u30000.6\t0.7", " 2 ", {0.5, 0.6, 0.7}, 2, ""},
        {"no reading", "  ", "", {}, 1, "没有读数"},
        {"eleven readings", "1 1 1 1 1 1 1 1 1 1 1", "", {}, 1, "读数有11个，最多10个"},
        {"a reading that is no number", "0.5 0.5x", "", {}, 1, "读数 \"0.5x\" 不是数字"},
        {"zero dilution",
         "0.5",
         "0",
         {0.5},
         1,
         "稀释倍数 \"0\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"},
        {"negative dilution",
         "0.5",
         "-2",
         {0.5},
         1,
         "稀释倍数 \"-2\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"},
        {"the smallest double",
         "0.5",
         "4.9e-324",
         {0.5},
         1,
         "稀释倍数 \"4.9e-324\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"},
        {"a dilution of 1e308", "0.5", "1e308", {0.5}, 1e308, ""},
        {"dilution no number", "0.5", "x", {0.5}, 1, "稀释倍数 \"x\" 不是数字"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calibration::Sample sample;
        sample.readings = c.readings;
        sample.dilution = c.dilution;
        const calibration::SampleValues values = calibration::sampleValues(sample);
        EXPECT_EQ(values.readings, c.values);
        EXPECT_EQ(values.dilution, c.dilutionValue);
        EXPECT_EQ(values.problem() ? render(*values.problem()) : "", c.problem);
    }
}

TEST(Entries, SampleTypes) {
    using calibration::SampleType;
    EXPECT_EQ(calibration::sampleType(""), SampleType::Sample);
    EXPECT_EQ(calibration::sampleType(" blank "), SampleType::Blank);
    EXPECT_EQ(calibration::sampleType("加标样"), SampleType::Spike);
    EXPECT_EQ(calibration::sampleType("mdl"), SampleType::DetectionLimit);
    EXPECT_EQ(calibration::sampleType("Blank"), std::nullopt);
    for (int t = 0; t <= int(SampleType::DetectionLimit); ++t) {
        const auto type = SampleType(t);
        EXPECT_EQ(calibration::sampleType(calibration::typeKey(type)), type);
        EXPECT_EQ(calibration::sampleType(calibration::typeName(type)), type);
    }
}

TEST(Entries, WhatTheMainWindowCanShow) {
    using calibration::Standard;
    const auto standards = [](int count, const std::string& c = "1", const std::string& a = "0.1") {
        return std::vector<Standard>(std::size_t(count), Standard{c, a, false, {}});
    };
    const auto problem = [](const std::vector<Standard>& s) {
        calibration::Document document;
        document.standards = s;
        const auto found = calibration::windowProblem(s, calibration::evaluateCurve(document));
        return found ? render(*found) : "ok";
    };
    EXPECT_EQ(problem(standards(10)), "ok");
    EXPECT_EQ(problem(standards(2, "123456", ".1234")), "ok");
    EXPECT_EQ(problem(standards(11)), "标准点超过10个，主窗口不显示此曲线");
    EXPECT_EQ(problem(standards(1)), "只有1个标准点，主窗口至少需要2个");
    EXPECT_EQ(problem(standards(3, "1", "0.0105")),
              "第1个标准点：吸光度 \"0.0105\" 超过5个字符，主窗口不显示此曲线");
    EXPECT_EQ(problem(standards(3, "1234567")),
              "第1个标准点：浓度 \"1234567\" 超过6个字符，主窗口不显示此曲线");
    EXPECT_EQ(problem(standards(3, "x")), "第1个标准点：浓度 \"x\" 不是数字");
    // The box counts UTF-16 units: one character beyond the BMP takes two.
    EXPECT_EQ(calibration::text::utf16Length("\U0001F600中1"), 4u);
}

TEST(Entries, RenderFillsEachPlaceOnce) {
    EXPECT_EQ(render("%1：%2", {"%2", "x"}), "%2：x");
    EXPECT_EQ(render("100%", {}), "100%");
    EXPECT_EQ(render(calibration::located(calibration::samplePlace(11), Message("没有读数"))),
              "第12个样品：没有读数");
}

} // namespace
