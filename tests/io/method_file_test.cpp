// The method file: read, written and read back, refused with its reason and place; and a method
// applied to a document sets what it gives and nothing else.

#include "calibration/history.h"
#include "calibration/method.h"
#include "io/document_text.h"
#include "io/method_file.h"
#include "io_test_support.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using io_test::messageOf;

namespace {

const QByteArray kMethod = R"({
    "format": "lumetra-method",
    "version": 1,
    "name": "HJ 535-2009 氨氮",
    "analyte": "氨氮",
    "unit": "μg",
    "result_unit": "mg/L",
    "settings": {"blank_correction": true, "limit": "mdl", "rounding": "switch", "digits": 3, "decimals": 2, "switch_at": 1, "below": "L", "blank_absorbance_max": 0.03, "volume": "50"},
    "validated": {"mdl": 0.653, "date": "2026-12-01"}
}
)";

TEST(MethodFile, ReadAndApplied) {
    const auto read = io::readMethod(kMethod);
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    const calibration::Method& method = read.value();
    EXPECT_EQ(method.name, "HJ 535-2009 氨氮");
    // The identity is the hash of the bytes, as sha256sum gives it.
    EXPECT_EQ(method.sha256,
              QCryptographicHash::hash(kMethod, QCryptographicHash::Sha256).toHex().toStdString());
    EXPECT_EQ(method.settingKeys.size(), 9u);

    calibration::Document document;
    document.unit = "mg";
    document.settings.weighting = calc::Weighting::InverseX;
    document.settings.digits = 4;
    document.settings.duplicateMaxPct = 20;
    const calibration::Document applied = calibration::withMethod(document, method);
    const calibration::Settings& s = applied.settings;
    // What the method gives...
    EXPECT_EQ(applied.unit, "μg");
    EXPECT_EQ(applied.header.analyte, "氨氮");
    EXPECT_TRUE(s.blankCorrection);
    EXPECT_EQ(s.limit, calibration::ReportedLimit::Mdl);
    EXPECT_EQ(s.rounding, calibration::Rounding::Switch);
    EXPECT_EQ(s.digits, 3);
    EXPECT_EQ(s.switchDecimals, 2);
    EXPECT_EQ(s.below, calibration::BelowLimit::LetterL);
    EXPECT_EQ(s.blankAbsorbanceMax, 0.03);
    EXPECT_EQ(s.volume, "50");
    EXPECT_EQ(s.resultUnit, "mg/L");
    EXPECT_EQ(applied.method.name, method.name);
    EXPECT_EQ(applied.method.sha256, method.sha256);
    EXPECT_EQ(applied.method.validated.mdl, 0.653);
    // ...and the settings it leaves out stay.
    EXPECT_EQ(s.weighting, calc::Weighting::InverseX);
    EXPECT_EQ(s.duplicateMaxPct, 20);

    const calibration::HistoryEntry entry = calibration::methodAppliedEntry(document, applied);
    EXPECT_EQ(entry.kind, "method_applied");
    EXPECT_EQ(calibration::render(calibration::describe(entry)),
              "应用方法 \"HJ 535-2009 氨氮\"（SHA-256 " + method.sha256 +
                  "），改变：报告检出限、空白校正、取样量、结果单位、修约、位数、低于检出限时、"
                  "空白吸光度上限、浓度单位、分析项目、方法验证的检出限");
}

// A method saved from a document reads back as it was written, every setting and limit.
TEST(MethodFile, WrittenAndReadBack) {
    calibration::Document document;
    document.unit = "μg";
    document.header.analyte = "氨氮";
    document.settings.rounding = calibration::Rounding::Switch;
    document.settings.switchAt = 0.5;
    document.settings.k = 2.5;
    document.settings.factor = "0.001";
    calibration::Method method = calibration::methodFromDocument(
        document, calibration::evaluate(document), "方法 \"A\"", "2026-12-01");
    method.validated.mdl = 0.0123;
    method.validated.loqMdl = 0.05;
    method.validated.sha256 = std::string(64, 'a');
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"a.lumetra-method"_s);
    const auto saved = io::saveMethod(path, method);
    ASSERT_TRUE(saved) << messageOf(saved).toStdString();
    auto read = io::readMethodFile(path);
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    EXPECT_EQ(read->sha256, saved.value());
    method.sha256 = saved.value();
    EXPECT_EQ(read.value(), method);
    // An unset blank absorbance maximum is written as the rule off, and applies as such.
    calibration::Document other;
    other.settings.blankAbsorbanceMax = 0.02;
    EXPECT_FALSE(calibration::withMethod(other, read.value()).settings.blankAbsorbanceMax);
}

// A damaged, foreign or newer file is refused with its reason; nothing is read.
TEST(MethodFile, Refused) {
    const auto withLine = [](const QByteArray& line) {
        return "{\n    \"format\": \"lumetra-method\",\n    \"version\": 1,\n" + line +
               "\n    \"name\": \"M\"\n}\n";
    };
    const struct {
        const char* name;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"empty", "", u"文件是空的"_s},
        {"a calibration file", R"({"format": "lumetra-calibration", "version": 2})",
         u"format：应为 \"lumetra-method\"，不是 \"lumetra-calibration\""_s},
        {"no format", R"({"name": "M"})", u"format：缺少此项，不是Lumetra方法文件"_s},
        {"plain text", "name,M\n", u"文件内容不是JSON对象，不是Lumetra方法文件"_s},
        {"newer", R"({"format": "lumetra-method", "version": 2, "name": "M"})",
         u"version：版本2较新，本程序只能读版本1"_s},
        {"no name", R"({"format": "lumetra-method", "version": 1})", u"name：缺少此项"_s},
        {"a blank name", R"({"format": "lumetra-method", "version": 1, "name": "  "})",
         u"name：方法名称不能为空"_s},
        {"a missing comma", withLine(R"(    "unit": "mg")"),
         u"unit（第5行第6列）：对象没有结束（缺少 } 或逗号）"_s},
        {"NaN", withLine(R"(    "settings": {"k": NaN},)"),
         u"settings.k（第4行第23列）：数值 NaN 无效，JSON中不能有NaN或Infinity"_s},
        {"a rounding of no kind", withLine(R"(    "settings": {"rounding": "up"},)"),
         u"settings.rounding：应为significant、decimals、switch之一，不是 \"up\""_s},
        {"a switch at 0", withLine(R"(    "settings": {"switch_at": 0},)"),
         u"settings.switch_at：应为大于0的数"_s},
        {"an MDL of 0", withLine(R"(    "validated": {"mdl": 0},)"),
         u"validated.mdl：应为大于0的数"_s},
        {"a hash that is none", withLine(R"(    "validated": {"sha256": "abc"},)"),
         u"validated.sha256：应为64位十六进制数字（SHA-256）"_s},
        {"a unit that is a number", withLine(R"(    "unit": 1,)"), u"unit：应为文字，不是 1"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(messageOf(io::readMethod(c.bytes)), c.message);
    }
}

} // namespace
