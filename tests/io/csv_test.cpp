#include "calibration/results.h"
#include "io/csv.h"
#include "io/document_text.h"
#include "io/files.h"
#include "io_test_support.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;
using io::Sample;
using io::Standard;
using io_test::messageOf;

namespace {

// ---------------------------------------------------------------------------------------------
// Standards

struct StandardsCase {
    const char* name;
    QByteArray bytes;
    QList<Standard> rows;
    QList<qsizetype> lines;
};

TEST(StandardsCsv, Read) {
    const StandardsCase cases[] = {
        {"comma, LF, no header", "1,0.1\n2,0.2\n", {{"1", "0.1"}, {"2", "0.2"}}, {1, 2}},
        {"semicolon, decimal commas, header",
         "C;A\n1,5;0,25\n2;0,5\n",
         {{"1.5", "0.25"}, {"2", "0.5"}},
         {2, 3}},
        {"tab, CRLF, no final line end",
         "0.5\t.123\r\n1\t.246",
         {{"0.5", ".123"}, {"1", ".246"}},
         {1, 2}},
        {"CR line ends", "1,0.1\r2,0.2\r", {{"1", "0.1"}, {"2", "0.2"}}, {1, 2}},
        {"UTF-8 with BOM, Chinese header",
         "\xEF\xBB\xBF"
         "浓度(mg/L),吸光度\r\n1,0.1\r\n",
         {{"1", "0.1"}},
         {2}},
        {"quoted header with a doubled quote and a line break",
         "\"C \"\"mg\"\"\",\"A\nabs\"\n1,0.1\n2,0.2\n",
         {{"1", "0.1"}, {"2", "0.2"}},
         {3, 4}},
        {"quoted decimal commas in a tab file", "\"1,5\"\t\"0,25\"\n", {{"1.5", "0.25"}}, {1}},
        {"blank lines anywhere, trailing empty lines",
         "\n1,0.1\n\n2,0.2\n\n\n",
         {{"1", "0.1"}, {"2", "0.2"}},
         {2, 4}},
        {"empty cells a spreadsheet adds at the end",
         "1;0,1;;\n;;;\n2;0,2;;\n",
         {{"1", "0.1"}, {"2", "0.2"}},
         {1, 3}},
        {"blanks around cells", " 1 , 0.1 \n", {{"1", "0.1"}}, {1}},
        {"a stray semicolon in a comma file's header does not decide",
         "C;mg,A\n1,0.1\n2,0.2\n",
         {{"1", "0.1"}, {"2", "0.2"}},
         {2, 3}},
        {"a number with an exponent is data, not a header", "1e1,2E-1\n", {{"1e1", "2E-1"}}, {1}},
        {"an index column 1..n and its header left out",
         "序号;浓度;吸光度\n1;0;0,002\n2;0,5;0,101\n3;1;0,198\n",
         {{"0", "0.002"}, {"0.5", "0.101"}, {"1", "0.198"}},
         {2, 3, 4}},
        {"an index column without a header",
         "1,0,0.002\n2,5,0.101\n",
         {{"0", "0.002"}, {"5", "0.101"}},
         {1, 2}},
    };
    for (const StandardsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = io::readStandardsCsv(c.bytes);
        ASSERT_TRUE(read) << messageOf(read).toStdString();
        EXPECT_EQ(read->rows, c.rows);
        EXPECT_EQ(read->lines, c.lines);
    }
}

// What a spreadsheet program on a Chinese system writes for a decimal-comma locale.
TEST(StandardsCsv, Gb18030WithSemicolonsAndDecimalCommas) {
    const QByteArray bytes =
        io_test::gb18030(u"浓度(微克/升);吸光度\r\n0,5;0,123\r\n1,0;0,246\r\n"_s);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8.decode(bytes);
    ASSERT_TRUE(utf8.hasError()) << "these bytes must not read as UTF-8";
    const auto read = io::readStandardsCsv(bytes);
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    EXPECT_EQ(read->rows, (QList<Standard>{{"0.5", "0.123"}, {"1.0", "0.246"}}));
    EXPECT_EQ(read->lines, (QList<qsizetype>{2, 3}));
}

struct RefusedCase {
    const char* name;
    QByteArray bytes;
    QString message;
};

TEST(StandardsCsv, Refused) {
    const RefusedCase cases[] = {
        {"empty", "", u"文件是空的"_s},
        {"UTF-16 with a byte-order mark",
         io_test::encoded(QStringEncoder::Utf16LE, u"1,0.1\n2,0.2\n"_s, true),
         u"文件是UTF-16编码，请另存为UTF-8"_s},
        {"UTF-16 without a mark",
         io_test::encoded(QStringEncoder::Utf16BE, u"浓度,吸光度\n1,0.1\n2,0.2\n"_s, false),
         u"文件是UTF-16编码，请另存为UTF-8"_s},
        {"UTF-32", io_test::encoded(QStringEncoder::Utf32LE, u"1,0.1\n"_s, true),
         u"文件是UTF-32编码，请另存为UTF-8"_s},
        {"binary", io_test::pngBytes(), u"文件含有二进制数据，不是文本文件"_s},
        {"a control character", "1,0.1\x01\n", u"文件含有二进制数据，不是文本文件"_s},
        {"neither UTF-8 nor GB18030", "1,0.1\x80\n", u"文件编码无法识别（应为UTF-8或GB18030）"_s},
        {"GB18030 cut off in a character", io_test::gb18030(u"1,0.1\n浓度"_s).chopped(1),
         u"文件编码无法识别（应为UTF-8或GB18030）"_s},
        {"header only", "C,A\r\n", u"没有数据行"_s},
        {"blank lines only", "\n \n\n", u"没有数据行"_s},
        {"one column", "1\n2\n",
         u"第1行：有1列，应为浓度、吸光度两列（内标法再加内标响应、内标浓度两列）"_s},
        {"five columns", "1,0.1,1000,2,7\n",
         u"第1行：有5列，应为浓度、吸光度两列（内标法再加内标响应、内标浓度两列）"_s},
        {"a third column that is no response", "1,0.1,x\n", u"第1行：内标响应 \"x\" 不是数字"_s},
        {"a header naming C twice", "c,浓度,a\n1,1,0.1\n",
         u"第1行：表头的第2列 \"浓度\" 与第1列重复"_s},
        {"a header without A", "c,is\n1,1000\n", u"第1行：表头缺少 a 列"_s},
        {"more cells than the header names", "a,c\n0.1,1,1000\n", u"第2行：有3列，表头只有2列"_s},
        {"decimal comma where the comma separates", "C,A\n\"1,5\",0.1\n",
         u"第2行：浓度 \"1,5\" 不是数字"_s},
        {"a cell quoted as in the file", "C;A\n1;0,1\n1,2.3;0,2\n",
         u"第3行：浓度 \"1,2.3\" 不是数字"_s},
        {"a first row without letters is data", "1,2.3;abc\n1;0,1\n",
         u"第1行：浓度 \"1,2.3\" 不是数字"_s},
        {"empty absorbance", "1,0.1\n2,\n", u"第2行：吸光度为空"_s},
        {"too large for a double", "1,0.1\n2,1e999\n", u"第2行：吸光度 \"1e999\" 超出数值范围"_s},
        {"line counted after a quoted line break", "\"a\nb\",A\n1,x\n",
         u"第3行：吸光度 \"x\" 不是数字"_s},
        {"quote never closed", "1,0.1\n\"2,0.2\n3,0.3\n", u"第2行：引号没有闭合"_s},
        {"over the size limit", QByteArray(io::kMaxFileBytes + 1, '1'),
         u"文件太大（上限64 MiB）"_s},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(messageOf(io::readStandardsCsv(c.bytes)), c.message);
    }
}

TEST(StandardsCsv, WindowLimits) {
    QByteArray eleven;
    for (int i = 1; i <= 11; ++i) {
        eleven += QByteArray::number(i) + ",0.1\n";
    }
    const RefusedCase cases[] = {
        {"two to ten", "1,0.1\n2,0.2\n", u"ok"_s},
        {"one", "1,0.1\n", u"只有1个标准点，主窗口至少需要2个"_s},
        {"eleven", eleven, u"标准点超过10个，主窗口不显示此曲线"_s},
        {"seven characters of concentration", "C,A\n1,0.1\n1234567,0.2\n",
         u"第2个标准点：浓度 \"1234567\" 超过6个字符，主窗口不显示此曲线"_s},
        {"six characters of absorbance", "1,0.1\n2,0.1234\n",
         u"第2个标准点：吸光度 \"0.1234\" 超过5个字符，主窗口不显示此曲线"_s},
    };
    // Every file of standards is read, whatever the main window can show; what it cannot is said
    // beside the curve.
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = io::readStandardsCsv(c.bytes);
        ASSERT_TRUE(read) << messageOf(read).toStdString();
        calibration::Document document;
        for (const Standard& standard : read->rows) {
            document.standards.push_back(io::toDocument(standard));
        }
        const auto problem =
            calibration::windowProblem(document.standards, calibration::evaluateCurve(document));
        EXPECT_EQ(problem ? io::fromDocument(calibration::render(*problem)) : u"ok"_s, c.message);
    }
}

// ---------------------------------------------------------------------------------------------
// Samples

struct SamplesCase {
    const char* name;
    QString text;
    QList<Sample> rows;
    QList<qsizetype> lines;
};

TEST(SamplesCsv, ReadAsPasted) {
    const SamplesCase cases[] = {
        {"a column of readings",
         u"0.512\n0.515 0.517\n"_s,
         {{"", "0.512", "1", ""}, {"", "0.515 0.517", "1", ""}},
         {1, 2}},
        {"name, readings, dilution under a header",
         u"名称,读数,稀释倍数\r\nS1,0.5 0.52,2\r\nS2,0.6,\r\n"_s,
         {{"S1", "0.5 0.52", "2", ""}, {"S2", "0.6", "1", ""}},
         {2, 3}},
        {"name and readings from a spreadsheet's clipboard",
         u"S1\t0.5\n"_s,
         {{"S1", "0.5", "1", ""}},
         {1}},
        {"an empty name stays empty", u";0,5;2\n"_s, {{"", "0.5", "2", ""}}, {1}},
        {"decimal commas in readings and dilution",
         u"P1;0,51 0,52;2,5\n"_s,
         {{"P1", "0.51 0.52", "2.5", ""}},
         {1}},
        {"a single column with decimal commas",
         u"Extinktion\n0,523\n0,61 0,62\n"_s,
         {{"", "0.523", "1", ""}, {"", "0.61 0.62", "1", ""}},
         {2, 3}},
        {"a comma file with points is not a decimal-comma column",
         u"1,2.5\n2,3\n"_s,
         {{"1", "2.5", "1", ""}, {"2", "3", "1", ""}},
         {1, 2}},
        {"cells that are not numbers are kept",
         u"S1,abc,1\nS2,0.5,0\n,,\n"_s,
         {{"S1", "abc", "1", ""}, {"S2", "0.5", "0", ""}},
         {1, 2}},
        {"a name that looks like a formula stays as written",
         u"=A1,0.5\n"_s,
         {{"=A1", "0.5", "1", ""}},
         {1}},
    };
    for (const SamplesCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = io::readSamplesText(c.text);
        ASSERT_TRUE(read) << messageOf(read).toStdString();
        EXPECT_EQ(read->rows, c.rows);
        EXPECT_EQ(read->lines, c.lines);
    }
}

TEST(SamplesCsv, Refused) {
    const RefusedCase cases[] = {
        {"twelve columns", "S1;0,5;1;x;;;;;;1000;2;y\n",
         u"第1行：有12列，最多11列（名称、读数、稀释倍数、类型、所指样品、加标量、标称浓度、标准值"
         u"、"
         u"不确定度U、内标响应、内标浓度）"_s},
        {"more cells than the header names", "名称;读数\nS1;0,5;2\n",
         u"第2行：有3列，表头只有2列"_s},
        {"header only", "名称,读数\n", u"没有数据行"_s},
        {"a column named twice", "name,readings,name\nA,0.5,T\n",
         u"第1行：表头的第3列 \"name\" 与第1列重复"_s},
        {"a column named by its key and its name", "读数,name,dilution,名称\n0.5,A,1,B\n",
         u"第1行：表头的第4列 \"名称\" 与第2列重复"_s},
        {"binary", io_test::pngBytes(), u"文件含有二进制数据，不是文本文件"_s},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(messageOf(io::readSamplesCsv(c.bytes)), c.message);
    }
}

TEST(SamplesCsv, NumbersForTheReport) {
    const RefusedCase cases[] = {
        {"all numbers", "S1,0.5 0.52,2\nS2,0.6\n", u"ok"_s},
        {"a reading that is not a number", "S1,0.5\nS2,0.5 abc\n",
         u"第2行：读数 \"abc\" 不是数字"_s},
        {"no readings", "S1,,2\n", u"第1行：没有读数"_s},
        {"dilution zero", "名称;读数;稀释\nS1;0,5;0\n",
         u"第2行：稀释倍数 \"0\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数"_s},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = io::readSamplesCsv(c.bytes);
        ASSERT_TRUE(read) << messageOf(read).toStdString();
        EXPECT_EQ(messageOf(io::checkNumbers(read.value())), c.message);
    }
}

// ---------------------------------------------------------------------------------------------
// Writing

struct WriteCase {
    const char* name;
    QList<io::CsvRow> rows;
    QByteArray text; // after the byte-order mark
};

TEST(CsvWriter, Cells) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const WriteCase cases[] = {
        {"numbers in shortest form, a negative one stays a number",
         {{1.0, -0.5, 0.1, 1e-7, 0.1 + 0.2, nan}},
         "1,-0.5,0.1,1e-07,0.30000000000000004,\r\n"},
        {"texts that would start a formula",
         {{u"=1+1"_s, u"+cmd"_s, u"-2+3"_s, u"@SUM(A1)"_s, u"\tx"_s, u"\rx"_s}},
         "'=1+1,'+cmd,'-2+3,'@SUM(A1),'\tx,\"'\rx\"\r\n"},
        {"texts that are whole numbers are left alone",
         {{u"-.5"_s, u" .556417569880205"_s, u"+1"_s, u"-1.5E-07"_s}},
         "-.5, .556417569880205,+1,-1.5E-07\r\n"},
        {"quoting",
         {{u"a,b"_s, u"say \"hi\""_s, u"two\nlines"_s, u"a;b"_s}},
         "\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",a;b\r\n"},
        {"a formula that needs quotes too",
         {{u"=HYPERLINK(\"x\",\"y\")"_s}},
         "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\"\r\n"},
        {"Chinese text and an empty row", {{u"样品 1"_s, u""_s}, {}}, "样品 1,\r\n\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = io::writeCsv(c.rows);
        ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_EQ(bytes.sliced(3), c.text);
    }
}

// Written standards and samples read back as they were.
TEST(CsvWriter, ReadsBack) {
    const QList<Standard> standards{{"0.5", ".123"}, {"1", "-.5"}, {"1e-3", "2"}};
    QList<io::CsvRow> rows{{u"C"_s, u"A"_s}};
    for (const Standard& s : standards) {
        rows.append({s.c, s.a});
    }
    const auto read = io::readStandardsCsv(io::writeCsv(rows));
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    EXPECT_EQ(read->rows, standards);

    const QList<Sample> samples{{"样品, \"甲\"", "0.5 0.52", "2", ""}, {"", "0.6", "1", ""}};
    QList<io::CsvRow> sampleRows{{u"name"_s, u"readings"_s, u"dilution"_s}};
    for (const Sample& s : samples) {
        sampleRows.append({s.name, s.readings, s.dilution});
    }
    const auto readSamples = io::readSamplesCsv(io::writeCsv(sampleRows));
    ASSERT_TRUE(readSamples) << messageOf(readSamples).toStdString();
    EXPECT_EQ(readSamples->rows, samples);
}

} // namespace
