#include "calibration/entries.h"
#include "calibration/results.h"
#include "calibration/sample_columns.h"
#include "io/calibration.h"
#include "io/calibration_file.h"
#include "io/document_text.h"
#include "io/files.h"
#include "io/samples_text.h"
#include "io_test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using namespace Qt::StringLiterals;
using calibration::Document;
using io_test::messageOf;

namespace {

calibration::Sample sampleOf(const QString& name, const QString& readings, const QString& dilution,
                             const QString& mainResult = {}) {
    calibration::Sample sample;
    sample.name = io::toDocument(name);
    sample.readings = io::toDocument(readings);
    sample.dilution = io::toDocument(dilution);
    sample.mainResult = io::toDocument(mainResult);
    return sample;
}

calibration::Standard standardOf(const QString& c, const QString& a) {
    return {io::toDocument(c), io::toDocument(a), false, {}};
}

// A file whose second standard (line 7, from column 9) is the given text.
QByteArray withSecondStandard(const QByteArray& entry) {
    return R"({
    "format": "lumetra-calibration",
    "version": 1,
    "unit": "mg/L",
    "standards": [
        {"C": "0.1", "A": ".012"},
        )" +
           entry + R"(
    ]
}
)";
}

// A file whose third line is the given text.
QByteArray withVersionLine(const QByteArray& line) {
    return R"({
    "format": "lumetra-calibration",
)" + line + R"(
    "unit": "mg",
    "standards": []
}
)";
}

struct HostileCase {
    const char* name;
    QByteArray bytes;
    QString message;
};

// A file of version 2 with these settings.
QByteArray settingsWith(const char* settings) {
    return R"({"format": "lumetra-calibration", "version": 2, "unit": "", "standards": [],
             "settings": {)" +
           QByteArray(settings) + "}}";
}

const QString kScaleRange = u"应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"_s;

TEST(CalibrationFile, HostileFiles) {
    QByteArray deep = R"({"format": "lumetra-calibration", "x": )";
    deep += QByteArray(2000, '[') + QByteArray(2000, ']') + "}";
    const QByteArray valid = withSecondStandard(R"({"C": "0.5", "A": ".056"})");

    const HostileCase cases[] = {
        {"empty", "", u"文件是空的"_s},
        {"blanks only", " \r\n\t\n", u"文件是空的"_s},
        {"binary", io_test::pngBytes(), u"文件含有二进制数据，不是文本文件"_s},
        {"UTF-16", io_test::encoded(QStringEncoder::Utf16LE, QString::fromUtf8(valid), true),
         u"文件是UTF-16编码，请另存为UTF-8"_s},
        {"UTF-16 without a mark",
         io_test::encoded(QStringEncoder::Utf16BE, QString::fromUtf8(valid), false),
         u"文件是UTF-16编码，请另存为UTF-8"_s},
        {"over the size limit", QByteArray(io::kMaxFileBytes + 1, ' '),
         u"文件太大（上限64 MiB）"_s},
        {"deeply nested", deep, u"第1行第1064列：嵌套太深"_s},
        {"plain text", "C,A\n1,0.1\n", u"文件内容不是JSON对象，不是Lumetra校准文件"_s},
        {"a JSON list", "[1, 2]", u"文件内容不是JSON对象，不是Lumetra校准文件"_s},
        {"another program's JSON", R"({"name": "package", "version": "1.0"})",
         u"format：缺少此项，不是Lumetra校准文件"_s},
        {"wrong format name", R"({"format": "lumetra-report", "version": 1})",
         u"format：应为 \"lumetra-calibration\"，不是 \"lumetra-report\""_s},
        {"format as a number", R"({"format": 1, "version": 1})", u"format：应为文字，不是数字"_s},
        {"newer version", withVersionLine(R"(    "version": 4,)"),
         u"version：版本4较新，本程序只能读版本3"_s},
        {"a switch at 0",
         R"({"format": "lumetra-calibration", "version": 3, "unit": "", "standards": [],
             "settings": {"switch_at": 0}})",
         u"settings.switch_at：应为大于0的数"_s},
        {"a method without its name",
         R"({"format": "lumetra-calibration", "version": 3, "unit": "", "standards": [],
             "method": {"sha256": "ab"}})",
         u"method.name：缺少此项"_s},
        {"an unknown model",
         R"({"format": "lumetra-calibration", "version": 2, "unit": "", "standards": [],
             "settings": {"model": "cubic"}})",
         u"settings.model：应为line、origin、quadratic之一，不是 \"cubic\""_s},
        {"a level that is no choice",
         R"({"format": "lumetra-calibration", "version": 2, "unit": "", "standards": [],
             "settings": {"level": 90}})",
         u"settings.level：应为95或99"_s},
        {"a level between the choices", settingsWith(R"("level": 96)"),
         u"settings.level：应为95或99"_s},
        {"an alpha beyond the choices", settingsWith(R"("alpha": 0.1)"),
         u"settings.alpha：应为0.05或0.01"_s},
        {"a volume of 0", settingsWith(R"("volume": "0")"),
         u"settings.volume：取样量 \"0\" "_s + kScaleRange},
        {"a negative volume", settingsWith(R"("volume": "-5")"),
         u"settings.volume：取样量 \"-5\" "_s + kScaleRange},
        {"a volume below the normal doubles", settingsWith(R"("volume": "1e-320")"),
         u"settings.volume：取样量 \"1e-320\" "_s + kScaleRange},
        {"a volume that is NaN", settingsWith(R"("volume": "nan")"),
         u"settings.volume：取样量 \"nan\" 不是数字"_s},
        {"a factor that is no number", settingsWith(R"("factor": "%1")"),
         u"settings.factor：换算系数 \"%1\" 不是数字"_s},
        {"a factor beyond the doubles", settingsWith(R"("factor": "1e400")"),
         u"settings.factor：换算系数 \"1e400\" "_s + kScaleRange},
        {"a factor of 0", settingsWith(R"("volume": "50", "factor": "0")"),
         u"settings.factor：换算系数 \"0\" "_s + kScaleRange},
        {"an alpha that is no choice",
         R"({"format": "lumetra-calibration", "version": 2, "unit": "", "standards": [],
             "settings": {"alpha": 0.02}})",
         u"settings.alpha：应为0.05或0.01"_s},
        {"an exclusion that is text",
         withSecondStandard(R"({"C": "0.5", "A": ".056", "excluded": "yes"})"),
         u"standards[1].excluded：应为真假值，不是文字"_s},
        {"version as text", withVersionLine(R"(    "version": "1",)"),
         u"version：应为数字，不是文字"_s},
        {"version not whole", withVersionLine(R"(    "version": 1.5,)"),
         u"version：版本号 1.5 无效"_s},
        {"version missing", withVersionLine(""), u"version：缺少此项"_s},
        {"version 1e400", withVersionLine(R"(    "version": 1e400,)"),
         u"version（第3行第16列）：数值 1e400 超出范围"_s},
        {"NaN", withSecondStandard(R"({"C": "0.5", "A": NaN})"),
         u"standards[1].A（第7行第27列）：数值 NaN 无效，JSON中不能有NaN或Infinity"_s},
        {"Infinity", withSecondStandard(R"({"C": Infinity, "A": ".056"})"),
         u"standards[1].C（第7行第15列）：数值 Infinity 无效，JSON中不能有NaN或Infinity"_s},
        {"-Infinity", withSecondStandard(R"({"C": -Infinity, "A": ".056"})"),
         u"standards[1].C（第7行第15列）：数值 -Infinity 无效，JSON中不能有NaN或Infinity"_s},
        {"1e-400", withSecondStandard(R"({"C": "0.5", "A": 1e-400})"),
         u"standards[1].A（第7行第27列）：数值 1e-400 超出范围"_s},
        {"a number where the box text belongs", withSecondStandard(R"({"C": 0.5, "A": ".056"})"),
         u"standards[1].C：应为文字，不是数字"_s},
        {"a standard that is not an object", withSecondStandard(R"(["0.5", ".056"])"),
         u"standards[1]：应为对象，不是列表"_s},
        {"a standard without its absorbance", withSecondStandard(R"({"C": "0.5"})"),
         u"standards[1].A：缺少此项"_s},
        {"a missing comma", withSecondStandard(R"({"C": "0.5" "A": ".056"})"),
         u"standards[1].C（第7行第22列）：对象没有结束（缺少 } 或逗号）"_s},
        {"a missing comma between standards",
         withSecondStandard(R"({"C": "0.5", "A": ".056"} {"C": "1", "A": ".1"})"),
         u"standards[1]（第7行第36列）：缺少逗号"_s},
        {"a string not closed", R"({"format": "lumetra-calibration", "unit": "mg)",
         u"unit（第1行第46列）：文字没有结束（缺少引号）"_s},
        {"invalid UTF-8", withSecondStandard("{\"C\": \"0.5\xff\", \"A\": \".056\"}"),
         u"standards[1].C（第7行第19列）：不是有效的UTF-8文字"_s},
        // Qt's reader takes these; JSON does not.
        {"an unknown escape", withSecondStandard(R"({"C": "0.5\q", "A": ".056"})"),
         u"standards[1].C（第7行第19列）：转义序列 \\q 无效"_s},
        {"a short \\u escape", withSecondStandard(R"({"C": "0.5\u12", "A": ".056"})"),
         u"standards[1].C（第7行第19列）：转义序列 \\u 之后应为4位十六进制数"_s},
        {"a raw tab in a text", withSecondStandard("{\"C\": \"0.5\t\", \"A\": \".056\"}"),
         u"standards[1].C（第7行第19列）：文字中有未转义的控制字符 \\u0009"_s},
        {"a raw line break in a text, before a syntax error",
         withSecondStandard("{\"C\": \"0.5\n\", \"A\" .056}"),
         u"standards[1].C（第7行第19列）：文字中有未转义的控制字符 \\u000A"_s},
        {"something after the object", valid + "x", u"第10行第1列：JSON对象之后还有多余内容"_s},
        {"no standards", R"({"format": "lumetra-calibration", "version": 1, "unit": "mg"})",
         u"standards：缺少此项"_s},
        {"unit null", R"({"format": "lumetra-calibration", "version": 1, "unit": null})",
         u"unit：应为文字，不是null"_s},
        {"samples not a list",
         R"({"format": "lumetra-calibration", "version": 1, "unit": "", "standards": [], "samples": {}})",
         u"samples：应为列表，不是对象"_s},
        {"a sample without readings",
         R"({"format": "lumetra-calibration", "version": 1, "unit": "", "standards": [],
             "samples": [{"name": "a", "dilution": "1"}]})",
         u"samples[0].readings：缺少此项"_s},
        {"a main result that is a number",
         R"({"format": "lumetra-calibration", "version": 1, "unit": "", "standards": [],
             "samples": [{"name": "a", "readings": "1", "dilution": "1", "main_result": 0.5}]})",
         u"samples[0].main_result：应为文字，不是数字"_s},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(messageOf(io::readCalibration(c.bytes)), c.message);
        EXPECT_EQ(messageOf(io::readCalibrationThroughTree(c.bytes)), c.message);
    }
}

// The sample list is read by a reader of its own when it can; whatever it takes, declines or
// refuses, the file reads as the tree reads it.
TEST(CalibrationFile, SampleListReadAsTheTreeReadsIt) {
    const auto file = [](const QByteArray& samples) {
        return "{\"format\": \"lumetra-calibration\", \"version\": 2, \"unit\": \"mg\",\n"
               " \"standards\": [{\"C\": \"1\", \"A\": \".1\"}],\n \"samples\": " +
               samples + "}";
    };
    const QByteArray row = R"({"name": "a", "readings": "0.1", "dilution": "1"})";
    const struct {
        const char* name;
        QByteArray bytes;
        bool read;        // else refused
        bool own = false; // read by the sample list's own reader
    } cases[] = {
        {"no rows", file("[]"), true, true},
        {"one row", file("[" + row + "]"), true, true},
        {"every key, blanks between tokens",
         file(
             " [ {\"name\" :\"a\" ,\"readings\":\"1 2\",\"dilution\":\"2\",\"main_result\":\" "
             "0.5\","
             "\"type\":\"spike\",\"of\":\"b\",\"added\":\"1\",\"nominal\":\"\",\"certified\":\"3\","
             "\"u\":\"0.1\",\"earlier_curve\":true}\r\n,\t" +
             row + " ] "),
         true, true},
        {"escapes",
         file(
             R"([{"name": "\"\\\/\b\f\n\r\t\u00B5\uD83E\uDDEA", "readings": "1", "dilution": "1"}])"),
         true},
        {"escaped key", file(R"([{"n\u0061me": "a", "readings": "1", "dilution": "1"}])"), true},
        {"NUL escaped", file(R"([{"name": "a\u0000b", "readings": "1", "dilution": "1"}])"), true,
         true},
        {"lone surrogate escaped",
         file(R"([{"name": "\uD800", "readings": "1", "dilution": "1"}])"), true},
        {"UTF-8 text",
         file(
             "[{\"name\": \"样品 1 \xF0\x9F\xA7\xAA\", \"readings\": \"1\", \"dilution\": \"1\"}]"),
         true, true},
        {"unknown key", file(R"([{"name": "a", "readings": "1", "dilution": "1", "x": [1, {}]}])"),
         true},
        {"a key twice", file(R"([{"name": "a", "readings": "1", "dilution": "1", "name": "b"}])"),
         true},
        {"the list twice", file("[" + row + "], \"samples\": []"), true},
        {"null", file("null"), false},
        {"an object", file("{}"), false},
        {"a row not an object", file("[1]"), false},
        {"a missing key", file(R"([{"name": "a", "readings": "1"}])"), false},
        {"a number for a text", file(R"([{"name": 1, "readings": "1", "dilution": "1"}])"), false},
        {"earlier_curve as text",
         file(R"([{"name": "a", "readings": "1", "dilution": "1", "earlier_curve": "yes"}])"),
         false},
        {"a trailing comma", file("[" + row + ",]"), false},
        {"a raw tab", file("[{\"name\": \"a\tb\", \"readings\": \"1\", \"dilution\": \"1\"}]"),
         false},
        {"invalid UTF-8",
         file("[{\"name\": \"\xC0\xAF\", \"readings\": \"1\", \"dilution\": \"1\"}]"), false},
        {"encoded surrogate",
         file("[{\"name\": \"\xED\xA0\x80\", \"readings\": \"1\", \"dilution\": \"1\"}]"), false},
        {"not closed", file("[" + row), false},
        {"a byte-order mark leading a name in Latin letters",
         file("[{\"name\": \"\xEF\xBB\xBF"
              "a\", \"readings\": \"1\", \"dilution\": \"1\"}]"),
         true, true},
        {"a byte-order mark leading a name",
         file("[{\"name\": \"\xEF\xBB\xBF\xE5\x93\x81 1\", \"readings\": \"1\", \"dilution\": "
              "\"1\"}]"),
         true, true},
        {"two byte-order marks leading a name",
         file("[{\"name\": \"\xEF\xBB\xBF\xEF\xBB\xBF\", \"readings\": \"1\", \"dilution\": "
              "\"1\"}]"),
         true, true},
        {"a byte-order mark inside a name",
         file("[{\"name\": \"a\xEF\xBB\xBF\", \"readings\": \"1\", \"dilution\": \"1\"}]"), true,
         true},
        {"a byte-order mark leading a name with an escape after it",
         file("[{\"name\": \"\xEF\xBB\xBF\\\"\", \"readings\": \"1\", \"dilution\": \"1\"}]"), true,
         true},
        {"a byte-order mark escaped",
         file(R"([{"name": "\uFEFFa", "readings": "1", "dilution": "1"}])"), true, true},
        {"noncharacters",
         file("[{\"name\": \"\xEF\xBF\xBE\\uFDD0\xF0\x9F\xBF\xBF\", \"readings\": "
              "\"1\", \"dilution\": \"1\"}]"),
         true, true},
        // Qt's reader keeps the key "name" without its mark but does not find it by that name.
        {"a byte-order mark leading a key",
         file("[{\"\xEF\xBB\xBFname\": \"a\", \"readings\": \"1\", "
              "\"dilution\": \"1\"}]"),
         false},
        {"the list twice, the second key with a byte-order mark",
         file("[" + row + "], \"\xEF\xBB\xBFsamples\": []"), true},
        {"after a byte-order mark", "\xEF\xBB\xBF" + file("[" + row + "]"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto fast = io::readCalibration(c.bytes);
        const auto tree = io::readCalibrationThroughTree(c.bytes);
        ASSERT_EQ(fast.ok(), c.read) << messageOf(fast).toStdString();
        ASSERT_EQ(tree.ok(), c.read) << messageOf(tree).toStdString();
        if (c.own) {
            EXPECT_TRUE(io::readSamplesText(std::string_view(c.bytes.constData(), c.bytes.size())));
        }
        if (c.read) {
            EXPECT_EQ(fast.value(), tree.value());
        } else {
            EXPECT_EQ(messageOf(fast), messageOf(tree));
        }
    }
}

// Generated documents with every field filled from hard pieces of text (quotes, backslashes,
// controls, a byte-order mark, Chinese and a character beyond the BMP, number-like texts): the
// file read with the quick sample reader gives the same document, field by field, as the JSON
// tree gives, and the same message where both refuse it.
TEST(CalibrationFile, QuickReaderEqualsTheTreeForGeneratedDocuments) {
    std::mt19937 random(28);
    const char* const pieces[] = {"a",
                                  "0.5",
                                  " ",
                                  "\"",
                                  "\\",
                                  "/",
                                  "\t",
                                  "\n",
                                  "1e-3",
                                  "-0",
                                  "样",
                                  "\xF0\x9F\xA7\xAA",
                                  "\xEF\xBB\xBF",
                                  "\xEF\xBF\xBE",
                                  "\x7F",
                                  "\x01",
                                  "é",
                                  "1/x",
                                  ".512 .515"};
    const auto text = [&] {
        std::string out;
        for (int n = int(random() % 4); n > 0; --n) {
            out += pieces[random() % std::size(pieces)];
        }
        return out;
    };
    const auto coin = [&] { return random() % 2 == 0; };
    int read = 0, quick = 0;
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        Document d;
        d.unit = text();
        for (int i = int(random() % 4); i > 0; --i) {
            calibration::Standard s{text(), text(), coin(), {}, text(), text()};
            s.reason = s.excluded ? text() : std::string();
            d.standards.push_back(s);
        }
        for (int i = int(random() % 5); i > 0; --i) {
            calibration::Sample s;
            for (const auto& column : calibration::kSampleColumns) {
                s.*column.cell = text();
            }
            s.mainResult = text();
            s.earlierCurve = coin();
            d.samples.push_back(s);
        }
        d.settings.blankCorrection = coin();
        d.settings.volumeUnit = text();
        d.settings.resultUnit = text();
        d.settings.internalStandard = coin();
        for (std::string* field :
             {&d.header.laboratory, &d.header.project, &d.header.method, &d.header.analyte,
              &d.header.instrument, &d.header.instrumentNumber, &d.header.wavelength,
              &d.header.pathLength, &d.header.analysisDate, &d.header.analyst, &d.header.reviewer,
              &d.header.approver, &d.method.name, &d.created}) {
            *field = text();
        }
        for (int i = int(random() % 3); i > 0; --i) {
            calibration::HistoryEntry entry{text(), text(), text(), {}, text()};
            for (int v = int(random() % 3); v > 0; --v) {
                entry.values.emplace_back(text(), text());
            }
            d.history.push_back(entry);
        }
        const QByteArray bytes = io::calibrationBytes(d);
        const auto fast = io::readCalibration(bytes);
        const auto tree = io::readCalibrationThroughTree(bytes);
        ASSERT_EQ(fast.ok(), tree.ok())
            << messageOf(fast).toStdString() << messageOf(tree).toStdString();
        if (fast.ok()) {
            ++read;
            EXPECT_EQ(fast.value(), tree.value());
        } else {
            EXPECT_EQ(messageOf(fast), messageOf(tree));
        }
        quick += io::readSamplesText(std::string_view(bytes.constData(), bytes.size())) ? 1 : 0;
    }
    // Every generated document reads, and the quick reader takes every one: what it declines (a
    // key with an escape or a byte-order mark, an escaped surrogate, a key unknown, missing or
    // given twice) the program never writes. A document it declines goes to the tree: still
    // read alike, but the test above would no longer prove it.
    RecordProperty("read_by_the_quick_reader", quick);
    EXPECT_EQ(read, 300);
    EXPECT_EQ(quick, read) << "the quick reader declined " << read - quick << " of " << read;
}

// A byte-order mark is a character like any other in a text: it survives saving and opening
// wherever it stands, although Qt's reader drops one that opens a text written without escapes.
TEST(CalibrationFile, ByteOrderMarksSurviveSavingAndOpening) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"opening a text", "\xEF\xBB\xBF"
                           "a"},
        {"the whole text", "\xEF\xBB\xBF"},
        {"two opening a text", "\xEF\xBB\xBF\xEF\xBB\xBF"},
        {"closing a text", "a\xEF\xBB\xBF"},
        {"opening a text with a quote", "\xEF\xBB\xBF\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document d;
        d.unit = c.text;
        d.standards.push_back({c.text, "1", false, {}, {}, {}});
        calibration::Sample sample;
        sample.name = c.text;
        sample.readings = c.text;
        d.samples.push_back(sample);
        d.history.push_back({"t", "u", "edit", {{c.text, c.text}}, {}});
        const QByteArray bytes = io::calibrationBytes(d);
        for (const auto& read :
             {io::readCalibration(bytes), io::readCalibrationThroughTree(bytes)}) {
            ASSERT_TRUE(read) << messageOf(read).toStdString();
            EXPECT_EQ(read.value(), d);
        }
    }
}

Document tenStandards() {
    Document document;
    document.unit = "mg/L";
    for (int i = 0; i < 10; ++i) {
        document.standards.push_back(
            standardOf(QString::number(i * 0.5), QString::number(0.0123 + i * 0.0437, 'f', 3)));
    }
    return document;
}

TEST(CalibrationFile, HundredThousandSamples) {
    Document document = tenStandards();
    for (int i = 0; i < 100'000; ++i) {
        document.samples.push_back(sampleOf(
            u"样品 %1"_s.arg(i + 1), u"0.512 0.515 0.517 0.52 0.511 0.509 0.514 0.518 0.51 0.516"_s,
            u"2.5"_s, u" .556417569880205"_s));
    }
    const QByteArray bytes = io::calibrationBytes(document);
    EXPECT_LT(bytes.size(), io::kMaxFileBytes / 2);
    const auto read = io::readCalibration(bytes);
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    EXPECT_EQ(read.value(), document);
}

// Qt's reader keeps the last of two equal keys.
TEST(CalibrationFile, DuplicateKeysKeepTheLast) {
    const auto read = io::readCalibration(R"({
        "format": "lumetra-calibration", "version": 1,
        "unit": "mg", "unit": "ug",
        "standards": [{"C": "1", "A": ".1", "C": "2"}, {"C": "3", "A": ".3"}],
        "standards": [{"C": "1", "A": ".1", "C": "2"}]
    })");
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    EXPECT_EQ(read->unit, "ug");
    EXPECT_EQ(read->standards, (std::vector<calibration::Standard>{standardOf(u"2"_s, u".1"_s)}));
}

TEST(CalibrationFile, AcceptedForms) {
    const auto read = io::readCalibration("\xEF\xBB\xBF"
                                          R"({
        "version": 1.0, "format": "lumetra-calibration", "comment": {"unknown": [1, 2]},
        "unit": "\"\\\/\b\f\n\r\t\u00B5\uD83E\uDDEA", "standards": [{"C": " .5", "A": "5."}]
    })");
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    Document expected;
    expected.unit = io::toDocument(u"\"\\/\b\f\n\r\tµ🧪"_s);
    expected.standards = {standardOf(u" .5"_s, u"5."_s)};
    EXPECT_EQ(read.value(), expected);
}

// Every text survives writing and reading, whatever it holds; every field of the document too.
TEST(CalibrationFile, RoundTrip) {
    Document document;
    document.unit = io::toDocument(u"µg/L \"quoted\" \\ back"_s);
    document.standards = {standardOf(u"0.500"_s, u".5"_s), standardOf({}, u"1.2.3"_s),
                          standardOf(u"1e5"_s, u"-0"_s)};
    document.samples = {
        sampleOf(u"样品 1"_s, u"0.5  0.52\t0.54"_s, u"1"_s, u" .556417569880205"_s),
        sampleOf(u"line\nbreak\r\x01"_s, u"𝟏 emoji 🧪"_s, u""_s),
        sampleOf(QString(QChar(0xD800)) + u"lone surrogate"_s + QChar(0xDC00), u"x"_s, u"0"_s,
                 u"-.5"_s),
    };
    const QByteArray plain = io::calibrationBytes(document);
    EXPECT_TRUE(plain.contains("\"version\": 1,")) << "nothing beyond what version 1 knows";

    document.created = "2026-12-07";
    document.standards[2].excluded = true;
    document.standards[2].reason = "污染\t";
    document.samples[1].type = "加标样";
    document.samples[1].of = io::toDocument(u"样品 1"_s);
    document.samples[1].added = "0.5";
    document.samples[2].earlierCurve = true;
    document.settings.model = calc::Model::Quadratic;
    document.settings.weighting = calc::Weighting::InverseX2;
    document.settings.level = 99;
    document.settings.alpha = 0.05;
    document.settings.k = 2.5;
    document.settings.m = 3;
    document.settings.limit = calibration::ReportedLimit::Mdl;
    document.settings.blankCorrection = true;
    document.settings.volume = "50";
    document.settings.volumeUnit = "mL";
    document.settings.resultUnit = "mg/L";
    document.settings.factor = "0.001";
    document.settings.rounding = calibration::Rounding::Decimals;
    document.settings.digits = 2;
    document.settings.below = calibration::BelowLimit::LessThan;
    document.settings.minimumR = 0.995;
    document.settings.spikeLowPct = 85;
    document.header.laboratory = "实验室";
    document.header.approver = "王";
    document.history = {{"2026-12-07T21:04:53+08:00",
                         "lab",
                         "standard_edited",
                         {{"from", ".12"}, {"index", "3"}, {"to", ".13"}},
                         {}}};
    const QByteArray bytes = io::calibrationBytes(document);
    EXPECT_TRUE(bytes.contains("\"version\": 2,")) << "an exclusion changes results";
    auto read = io::readCalibration(bytes);
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    EXPECT_EQ(read.value(), document);
    EXPECT_EQ(io::calibrationBytes(read.value()), bytes);

    // What version 2 does not know raises the version to 3, each setting and the method alone,
    // so that a program of version 2 refuses the file rather than drop a rule.
    const std::pair<const char*, void (*)(Document&)> newer[] = {
        {"the rounding switch",
         [](Document& d) { d.settings.rounding = calibration::Rounding::Switch; }},
        {"the decimals below the switch", [](Document& d) { d.settings.switchDecimals = 1; }},
        {"the switch's value", [](Document& d) { d.settings.switchAt = 0.1; }},
        {"the style L", [](Document& d) { d.settings.below = calibration::BelowLimit::LetterL; }},
        {"the blank absorbance rule", [](Document& d) { d.settings.blankAbsorbanceMax = 0; }},
        {"a method", [](Document& d) { d.method.name = "M"; }},
    };
    for (const auto& [name, change] : newer) {
        SCOPED_TRACE(name);
        Document v3 = document;
        change(v3);
        EXPECT_TRUE(io::calibrationBytes(v3).contains("\"version\": 3,"));
    }
    document.settings.rounding = calibration::Rounding::Switch;
    document.settings.switchDecimals = 1;
    document.settings.switchAt = 0.5;
    document.settings.below = calibration::BelowLimit::LetterL;
    document.settings.blankAbsorbanceMax = 0.03;
    document.method = {"HJ 535 \"氨氮\"", std::string(64, 'f'), {0.653, 2.6, "2026-12-01", {}}};
    document.history[0].reason = "读错\n";
    const QByteArray v3 = io::calibrationBytes(document);
    read = io::readCalibration(v3);
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    EXPECT_EQ(read.value(), document);
    EXPECT_EQ(io::calibrationBytes(read.value()), v3);
}

TEST(CalibrationFile, SavedAndOpened) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"标准曲线.lumetra"_s);
    const Document document = tenStandards();
    ASSERT_EQ(messageOf(io::saveCalibration(path, document)), u"ok"_s);
    const auto read = io::readCalibrationFile(path);
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    EXPECT_EQ(read.value(), document);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "lumetra-calibration", "version": 4})");
    file.close();
    EXPECT_EQ(messageOf(io::readCalibrationFile(path)),
              path + u"：version：版本4较新，本程序只能读版本3"_s);
}

// ---------------------------------------------------------------------------------------------
// The window's limits and the numbers

struct CheckCase {
    const char* name;
    QList<io::Standard> standards;
    QList<io::Sample> samples;
    QString forWindow;
    QString numbers;
};

// What keeps the standards out of the main window, and the first text that is no number, as the
// window and the command line say them.
QString windowProblemOf(const Document& document) {
    const auto problem =
        calibration::windowProblem(document.standards, calibration::evaluateCurve(document));
    return problem ? io::fromDocument(calibration::render(*problem)) : u"ok"_s;
}

QString numbersProblemOf(const Document& document) {
    for (std::size_t i = 0; i < document.standards.size(); ++i) {
        const auto values = calibration::standardValues(document.standards[i]);
        if (const auto* problem = std::get_if<calibration::Message>(&values)) {
            return io::fromDocument(
                calibration::render(calibration::located(calibration::standardPlace(i), *problem)));
        }
    }
    for (std::size_t i = 0; i < document.samples.size(); ++i) {
        const auto values = calibration::sampleValues(document.samples[i]);
        if (!values.ok()) {
            return io::fromDocument(calibration::render(
                calibration::located(calibration::samplePlace(i), *values.problem())));
        }
    }
    return u"ok"_s;
}

TEST(CalibrationChecks, WindowAndNumbers) {
    const QList<io::Standard> two{{"0", ".012"}, {"1", ".5"}};
    QList<io::Standard> eleven;
    for (int i = 0; i < 11; ++i) {
        eleven.append({QString::number(i), u".1"_s});
    }
    const CheckCase cases[] = {
        {"two standards", two, {}, u"ok"_s, u"ok"_s},
        {"one standard", {{"1", ".5"}}, {}, u"只有1个标准点，主窗口至少需要2个"_s, u"ok"_s},
        {"eleven standards", eleven, {}, u"标准点超过10个，主窗口不显示此曲线"_s, u"ok"_s},
        {"seven characters",
         {{"0", ".1"}, {"1234567", ".2"}},
         {},
         u"第2个标准点：浓度 \"1234567\" 超过6个字符，主窗口不显示此曲线"_s,
         u"ok"_s},
        {"six characters of absorbance",
         {{"0", "0.1234"}, {"1", ".2"}},
         {},
         u"第1个标准点：吸光度 \"0.1234\" 超过5个字符，主窗口不显示此曲线"_s,
         u"ok"_s},
        {"box length in UTF-16 units",
         {{"0", ".1"}, {"𝟏𝟐𝟑𝟒", ".2"}},
         {},
         u"第2个标准点：浓度 \"𝟏𝟐𝟑𝟒\" 超过6个字符，主窗口不显示此曲线"_s,
         u"第2个标准点：浓度 \"𝟏𝟐𝟑𝟒\" 不是数字"_s},
        {"empty concentration",
         {{"", ".1"}, {"1", ".2"}},
         {},
         u"第1个标准点：浓度为空"_s,
         u"第1个标准点：浓度为空"_s},
        {"1.2.3",
         {{"0", ".1"}, {"1.2.3", ".2"}},
         {},
         u"第2个标准点：浓度 \"1.2.3\" 不是数字"_s,
         u"第2个标准点：浓度 \"1.2.3\" 不是数字"_s},
        {"NaN as text",
         {{"NaN", ".1"}, {"1", ".2"}},
         {},
         u"第1个标准点：浓度 \"NaN\" 不是数字"_s,
         u"第1个标准点：浓度 \"NaN\" 不是数字"_s},
        {"1e400 as text",
         {{"0", "1e400"}, {"1", ".2"}},
         {},
         u"第1个标准点：吸光度 \"1e400\" 超出数值范围"_s,
         u"第1个标准点：吸光度 \"1e400\" 超出数值范围"_s},
        {"samples with defaults",
         two,
         {{"", "0.5", "", ""}, {"a", " 0.5\u30000.6 ", "2", ""}},
         u"ok"_s,
         u"ok"_s},
        {"a reading that is not a number",
         two,
         {{"a", "0.5", "1", ""}, {"b", "0.5x", "1", ""}},
         u"ok"_s,
         u"第2个样品：读数 \"0.5x\" 不是数字"_s},
        {"no readings", two, {{"a", " ", "1", ""}}, u"ok"_s, u"第1个样品：没有读数"_s},
        {"eleven readings",
         two,
         {{"a", "1 2 3 4 5 6 7 8 9 10 11", "1", ""}},
         u"ok"_s,
         u"第1个样品：读数有11个，最多10个"_s},
        {"dilution zero",
         two,
         {{"a", "1", "-0", ""}},
         u"ok"_s,
         u"第1个样品：稀释倍数 \"-0\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"_s},
        {"dilution not a number",
         two,
         {{"a", "1", "1:10", ""}},
         u"ok"_s,
         u"第1个样品：稀释倍数 \"1:10\" 不是数字"_s},
        {"a long text cut in the message",
         two,
         {{"a", QString(50, u'x'), "1", ""}},
         u"ok"_s,
         u"第1个样品：读数 \"%1…\" 不是数字"_s.arg(QString(40, u'x'))},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        Document document;
        for (const io::Standard& standard : c.standards) {
            document.standards.push_back(io::toDocument(standard));
        }
        for (const io::Sample& sample : c.samples) {
            document.samples.push_back(io::toDocument(sample));
        }
        // Samples never keep the standards out of the main window: they are not its.
        EXPECT_EQ(windowProblemOf(document), c.forWindow);
        EXPECT_EQ(numbersProblemOf(document), c.numbers);
    }
}

TEST(CalibrationChecks, SampleValues) {
    const calibration::SampleValues values =
        calibration::sampleValues(sampleOf(u"a"_s, u" 0.5  0.52\t1e-1\u3000.54 "_s, u" 2.5"_s));
    ASSERT_TRUE(values.ok());
    EXPECT_EQ(values.readings, (std::vector<double>{0.5, 0.52, 0.1, 0.54}));
    EXPECT_EQ(values.dilution, 2.5);
}

} // namespace
