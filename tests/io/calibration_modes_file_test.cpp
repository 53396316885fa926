// Standard addition and the internal standard in the .lumetra file and the method file: their
// keys only when used, each of them raising the file to version 3, and read back as written.

#include "calibration/method.h"
#include "io/calibration_file.h"
#include "io/method_file.h"
#include "io_test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using calibration::Document;
using io_test::messageOf;

namespace {

Document plainDocument() {
    Document document;
    document.unit = "mg/L";
    document.standards = {{"0", ".10", false, {}, {}, {}}, {"1", ".30", false, {}, {}, {}}};
    document.samples = {{"S1", ".2", "", {}, false, {}, {}, {}, {}, {}, {}, {}, {}}};
    return document;
}

} // namespace

TEST(CalibrationModesFile, KeysOnlyWhenUsed) {
    const QByteArray plain = io::calibrationBytes(plainDocument());
    EXPECT_TRUE(plain.contains("\"version\": 1,"));
    for (const char* key : {"\"calibration\"", "internal_standard", "is_recovery", "\"IS\"",
                            "\"is\"", "c_is", "C_IS", "\"v0\"", "c_std"}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(plain.contains(key));
    }
    // Each use alone raises the file to version 3, so that an older program refuses it rather
    // than read an addition as an external calibration.
    const std::pair<const char*, void (*)(Document&)> uses[] = {
        {"standard addition",
         [](Document& d) { d.settings.calibration = calibration::CalibrationType::Addition; }},
        {"the volume form's V0", [](Document& d) { d.settings.additionV0 = std::string("95.0"); }},
        {"the standard's concentration",
         [](Document& d) { d.settings.additionCStd = std::string("2.08"); }},
        {"the internal standard", [](Document& d) { d.settings.internalStandard = true; }},
        {"the recovery's low limit", [](Document& d) { d.settings.isRecoveryLowPct = 60; }},
        {"the recovery's high limit", [](Document& d) { d.settings.isRecoveryHighPct = 140; }},
        {"a standard's IS response", [](Document& d) { d.standards[0].is = std::string("1000"); }},
        {"a standard's C_IS", [](Document& d) { d.standards[1].cIs = std::string("2"); }},
        {"a sample's IS response", [](Document& d) { d.samples[0].is = std::string("990 1010"); }},
        {"a sample's C_IS", [](Document& d) { d.samples[0].cIs = std::string("2"); }},
    };
    for (const auto& [name, use] : uses) {
        SCOPED_TRACE(name);
        Document document = plainDocument();
        use(document);
        const QByteArray bytes = io::calibrationBytes(document);
        EXPECT_TRUE(bytes.contains("\"version\": 3,"));
        auto read = io::readCalibration(bytes);
        ASSERT_TRUE(read) << messageOf(read).toStdString();
        EXPECT_EQ(read.value(), document);
        EXPECT_EQ(io::calibrationBytes(read.value()), bytes);
        auto tree = io::readCalibrationThroughTree(bytes);
        ASSERT_TRUE(tree) << messageOf(tree).toStdString();
        EXPECT_EQ(tree.value(), document);
    }
}

TEST(CalibrationModesFile, EverythingRoundTrips) {
    Document document = plainDocument();
    document.settings.calibration = calibration::CalibrationType::Addition;
    document.settings.additionV0 = "95.0";
    document.settings.additionCStd = "2.08";
    document.settings.internalStandard = true;
    document.settings.isRecoveryLowPct = 75;
    document.settings.isRecoveryHighPct = 125.5;
    document.standards[0].is = "1000";
    document.standards[0].cIs = "0.5";
    document.standards[1].is = "980";
    document.samples[0].is = "990 1010";
    document.samples[0].cIs = "0.5";
    const QByteArray bytes = io::calibrationBytes(document);
    EXPECT_TRUE(bytes.contains(R"("calibration": "addition", "v0": "95.0", "c_std": "2.08", )"
                               R"("internal_standard": true, "is_recovery_low_pct": 75, )"
                               R"("is_recovery_high_pct": 125.5})"))
        << bytes.toStdString();
    EXPECT_TRUE(bytes.contains(R"({"C": "0", "A": ".10", "IS": "1000", "C_IS": "0.5"})"));
    EXPECT_TRUE(bytes.contains(R"("is": "990 1010", "c_is": "0.5")"));
    auto read = io::readCalibration(bytes);
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    EXPECT_EQ(read.value(), document);
}

TEST(CalibrationModesFile, Refused) {
    const struct Case {
        const char* name;
        const char* settings;
        const char* message;
    } cases[] = {
        {"an unknown type", R"("calibration": "internal")",
         "settings.calibration：应为external、addition之一，不是 \"internal\""},
        {"a flag as text", R"("internal_standard": "yes")",
         "settings.internal_standard：应为真假值，不是文字"},
        {"a negative limit", R"("is_recovery_low_pct": -1)",
         "settings.is_recovery_low_pct：数值 -1 无效，应为0到1000之间的数"},
        {"V0 as a number", R"("v0": 95)", "settings.v0：应为文字，不是数字"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes =
            QByteArray(R"({"format": "lumetra-calibration", "version": 3, "unit": "mg/L", )"
                       R"("standards": [], "settings": {)") +
            c.settings + "}}";
        const auto read = io::readCalibration(bytes);
        EXPECT_EQ(messageOf(read).toStdString(), c.message);
    }
}

TEST(CalibrationModesFile, MethodCarriesTheTypeAndLimits) {
    Document document = plainDocument();
    document.settings.calibration = calibration::CalibrationType::Addition;
    document.settings.additionV0 = "95.0";
    document.settings.internalStandard = true;
    document.settings.isRecoveryLowPct = 80;
    calibration::Method method = calibration::methodFromDocument(
        document, calibration::evaluate(document), "M", "2026-12-01");
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"m.lumetra-method"_s);
    const auto saved = io::saveMethod(path, method);
    ASSERT_TRUE(saved) << messageOf(saved).toStdString();
    auto read = io::readMethodFile(path);
    ASSERT_TRUE(read) << messageOf(read).toStdString();
    const Document applied = calibration::withMethod(plainDocument(), read.value());
    EXPECT_EQ(applied.settings.calibration, calibration::CalibrationType::Addition);
    EXPECT_TRUE(applied.settings.internalStandard);
    EXPECT_EQ(applied.settings.isRecoveryLowPct, 80);
    EXPECT_EQ(applied.settings.isRecoveryHighPct, 130);
    // V0 belongs to the sample's preparation, not to the method.
    EXPECT_EQ(applied.settings.additionV0, "");
}
