// The report's keys and values as the text and JSON writers give them.

#include "calibration/data_report.h"
#include "calibration/history.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using calibration::Document;

Document threePoints() {
    Document document;
    document.unit = "mg/L";
    for (const auto& [c, a] : {std::pair{"1", ".1"}, {"2", ".2"}, {"3", ".3"}}) {
        document.standards.push_back({c, a, false, {}});
    }
    return document;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(Report, TextBlocks) {
    Document document = threePoints();
    document.standards[1].excluded = true;
    document.standards[1].reason = "污染\t样";
    calibration::Sample good;
    good.name = "S\u0085\u202E1";
    good.readings = "-0 0.2";
    calibration::Sample bad;
    bad.name = "S2";
    bad.readings = "0.2x";
    document.samples = {good, bad};
    const std::vector<std::string> lines =
        linesOf(calibration::reportText(document, calibration::evaluate(document)));
    const std::vector<std::string> head = {"report_version\t2", "n\t2",         "unit\tmg/L",
                                           "model\tline",       "weight\tnone", "excluded\t2",
                                           "level\t95"};
    ASSERT_EQ(lines.size(), 111u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 7), head);
    EXPECT_EQ(lines[7], "a\t0");
    EXPECT_EQ(lines[8], "b\t0.1");
    EXPECT_EQ(lines[9], "c\t");
    EXPECT_EQ(lines[24], "loq\t");
    EXPECT_EQ(lines[25], "");
    // With two fitted standards no validation figure exists; the keys stay, their values empty.
    EXPECT_EQ(lines[26], "mandel.pw\t");
    EXPECT_EQ(lines[33], "din32645.alpha\t0.01");
    EXPECT_EQ(lines[47], "reported_limit.kind\tlod");
    EXPECT_EQ(lines[50], "reported_limit.source\t"); // no LOD with two standards
    EXPECT_EQ(lines[51], "qc_summary.passed\t1");    // the calibration's r
    EXPECT_EQ(lines[53], "qc_summary.not_judged\t0");
    // The record's fields, nested objects as "limits.curve_unit.lod".
    EXPECT_EQ(lines[54], "header.laboratory\t");
    EXPECT_EQ(lines[72], "settings.rounding\tsignificant");
    EXPECT_EQ(lines[84], "settings.method.name\t");
    EXPECT_EQ(lines[100], "limits.unit\tmg/L");
    EXPECT_EQ(lines[102], "");
    EXPECT_EQ(lines[103], "C\tA\texcluded\treason\tA_fit\tresidual\tdeviation_pct\tC_back\t"
                          "recovery_pct\tstudentized\tcooks\toutlier\tinfluential");
    EXPECT_EQ(lines[105], "2\t0.2\ttrue\t污染 样\t0.2\t0\t0\t2\t100\t\t\tfalse\tfalse");
    EXPECT_EQ(lines[108],
              "name\treadings\tm\tmean_A\tdilution\tx0\ts_x0\tci95_x0\tci_x0\tflags\t"
              "type\tof\tadded\tnominal\tcertified\tu\tresult\tresult_text\tmean_result\t"
              "mean_result_text\tresult_unit\tqc\tqc_pass\tbelow_limit\terror");
    // A reading typed "-0" is written 0, as the header promises; a name's C1 and bidirectional
    // controls become blanks.
    EXPECT_EQ(lines[109].substr(0, 16), "S  1\t0 0.2\t2\t0.1");
    EXPECT_EQ(lines[110], "S2\t0.2x\t\t\t\t\t\t\t\t\tsample\t\t\t\t\t\t\t\t\t\t\t\t\t\t"
                          "读数 \"0.2x\" 不是数字");
}

// A name reaches a terminal: no control character and no bidirectional control passes, each
// becomes one blank; the characters next to them in the encoding stay.
TEST(Report, NamesCarryNoControls) {
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
        Document document = threePoints();
        calibration::Sample sample;
        sample.name = c.sample;
        sample.readings = "0.2";
        document.samples = {sample};
        const std::string text = calibration::reportText(document, calibration::evaluate(document));
        const std::string last = linesOf(text).back();
        EXPECT_EQ(last.substr(0, last.find('\t')), c.shown);
    }
}

TEST(Report, Json) {
    Document document = threePoints();
    calibration::Sample sample;
    sample.name = "a\"b\\c\n";
    sample.readings = "0.15";
    calibration::Sample blank;
    blank.name = "B";
    blank.readings = "0.1";
    blank.type = "blank";
    document.samples = {sample, blank};
    document.settings.blankAbsorbanceMax = 0.05;
    document.method.name = "M";
    document.history = {calibration::historyEntry("samples_cleared", {{"count", "2"}})};
    document.history[0].reason = "重做";
    const std::string json = calibration::reportJson(document, calibration::evaluate(document));
    const std::vector<std::string> lines = linesOf(json);
    EXPECT_EQ(lines[0], "{");
    EXPECT_EQ(lines[1], "    \"report_version\": 2,");
    EXPECT_EQ(lines[2], "    \"n\": 3,");
    EXPECT_EQ(lines[3], "    \"unit\": \"mg/L\",");
    EXPECT_EQ(lines[6], "    \"excluded\": [],");
    // The blank (x0 1 mg/L) against an LOD of 0 fails; its absorbance 0.1 fails the maximum.
    EXPECT_NE(
        json.find("\"qc\": [{\"rule\": \"blank\", \"value\": 1, \"low\": null, \"high\": 0, "
                  "\"pass\": false, \"reason\": \"空白 \\\"B\\\" 浓度 1.00 不低于检出限 0.00\"}, "
                  "{\"rule\": \"blank_absorbance\", \"value\": 0.1, \"low\": null, "
                  "\"high\": 0.05, \"pass\": false, \"reason\": \"空白 \\\"B\\\" 平均吸光度 "
                  "0.100，要求≤0.05\"}], \"qc_pass\": false"),
        std::string::npos)
        << json;
    EXPECT_NE(json.find("\"qc_summary\": {\"passed\": 1, \"failed\": 2, \"not_judged\": 0}"),
              std::string::npos);
    EXPECT_NE(json.find("\"settings\": {\"volume\": null,"), std::string::npos);
    EXPECT_NE(json.find("\"blank_absorbance_max\": 0.05, \"method\": {\"name\": \"M\", "
                        "\"sha256\": null}}"),
              std::string::npos);
    EXPECT_NE(json.find("\"reporting_unit\": {\"lod\": null,"), std::string::npos);
    EXPECT_NE(
        json.find("\"reason\": \"重做\", \"text\": \"清空样品列表（2个样品）；修改原因：重做\""),
        std::string::npos);
    EXPECT_NE(json.find("\"c\": null"), std::string::npos);
    EXPECT_NE(json.find("{\"name\": \"a\\\"b\\\\c\\u000a\", \"readings\": [0.15], \"m\": 1"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"flags\": [], \"type\": \"sample\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"qc\": [], \"qc_pass\": null, \"below_limit\": false, \"error\": null}"),
              std::string::npos);
    EXPECT_EQ(lines.back(), "}");
}

// A result beyond what a double can hold (or below its normal range, where its digits are lost)
// is no figure but its reason in `error`; a result far from 1 is written in exponent form, never
// as hundreds of zeros. The standards read 0.1 per unit: a reading of 0.2 is x0 = 2.
TEST(Report, AResultBeyondWhatCanBeComputedSaysWhy) {
    const char* outOfRange = "数值超出可计算的范围";
    struct Case {
        const char* name;
        const char* dilution;
        const char* factor;
        const char* volume;
        std::string resultText; // "" when there is none
        const char* error;      // nullptr when none
    };
    const Case cases[] = {
        {"an ordinary result", "", "1", "", "2.00", nullptr},
        {"x0 overflows with its dilution", "1e308", "1", "", "", outOfRange},
        {"a result near the largest double", "", "8e307", "", "1.60E+308", nullptr},
        {"the result overflows", "", "1e308", "", "", outOfRange},
        {"a small result in exponent form", "", "1e-300", "", "2.00E-300", nullptr},
        {"the smallest normal factor", "", "2.2250738585072014e-308", "2", "2.23E-308", nullptr},
        {"a result below the normal doubles", "", "2.2250738585072014e-308", "4", "", outOfRange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document document = threePoints();
        document.settings.factor = c.factor;
        document.settings.volume = c.volume;
        calibration::Sample sample;
        sample.name = "S";
        sample.readings = "0.2";
        sample.dilution = c.dilution;
        document.samples = {sample};
        const calibration::Results results = calibration::evaluate(document);
        EXPECT_EQ(results.samples[0].resultText, c.resultText);
        const std::string json = calibration::reportJson(document, results);
        const std::string error = c.error == nullptr
                                      ? "\"error\": null}"
                                      : "\"error\": \"" + std::string(c.error) + "\"}";
        EXPECT_NE(json.find(error), std::string::npos) << json;
        const std::vector<std::string> lines = linesOf(calibration::reportText(document, results));
        EXPECT_TRUE(lines.back().ends_with('\t' + std::string(c.error ? c.error : "")))
            << lines.back();
    }
}

// A report handed on in pieces, as the command line writes it: the pieces join to the whole
// report, none splits a row (each ends a line or a JSON object), and the first failed write is
// the last one asked for.
TEST(Report, WrittenInPiecesJoinsToTheWholeAndStopsAtAFailedWrite) {
    Document document = threePoints();
    for (int i = 0; i < 30000; ++i) { // some 2.5 MB of text, 7 MB of JSON: pieces of 1 MiB
        calibration::Sample sample;
        sample.name = "样品 " + std::to_string(i + 1);
        sample.readings = i % 2 == 0 ? "0.15 0.151" : "0.2";
        document.samples.push_back(sample);
    }
    const calibration::Results results = calibration::evaluate(document);
    struct Writer {
        const char* name;
        std::string (*whole)(const Document&, const calibration::Results&);
        bool (*inPieces)(const Document&, const calibration::Results&,
                         const calibration::ReportWriter&);
    };
    for (const Writer& writer :
         {Writer{"text", calibration::reportText, calibration::writeReportText},
          Writer{"json", calibration::reportJson, calibration::writeReportJson}}) {
        SCOPED_TRACE(writer.name);
        std::vector<std::string> pieces;
        EXPECT_TRUE(writer.inPieces(document, results, [&](std::string_view piece) {
            pieces.emplace_back(piece);
            return true;
        }));
        ASSERT_GE(pieces.size(), 2u);
        std::string joined;
        for (const std::string& piece : pieces) {
            EXPECT_TRUE(piece.back() == '\n' || piece.back() == '}')
                << piece.substr(piece.size() - 40);
            joined += piece;
        }
        EXPECT_EQ(joined, writer.whole(document, results));

        int asked = 0;
        EXPECT_FALSE(writer.inPieces(document, results, [&](std::string_view) {
            ++asked;
            return false;
        }));
        EXPECT_EQ(asked, 1);
    }
}

} // namespace
