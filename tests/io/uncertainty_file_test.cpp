// The uncertainty settings in a .lumetra file and in a method: written only when chosen (a
// document that never chose keeps its bytes and its version), read back as written, and refused
// with its place and reason.

#include "calibration/method.h"
#include "calibration/results.h"
#include "io/calibration_file.h"
#include "io/method_file.h"
#include "io_test_support.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using io_test::messageOf;

namespace {

calibration::Document chosen() {
    calibration::Document document;
    document.unit = "mg/L";
    document.standards = {{"0.1", "0.028", false, {}}, {"0.5", "0.133", false, {}}};
    calibration::UncertaintySettings& u = document.settings.uncertainty;
    u.way = calibration::UncertaintyWay::BottomUp;
    u.volume = calibration::RelativeComponent{0.005, std::nullopt};
    u.dilution = calibration::RelativeComponent{0.02, calc::Distribution::Triangular};
    u.standard = calibration::RelativeComponent{0.0098, calc::Distribution::Normal95};
    u.recoveryFromSpikes = true;
    u.coverage = calc::Coverage::StudentT;
    return document;
}

TEST(UncertaintyFile, WrittenOnlyWhenChosen) {
    calibration::Document plain = chosen();
    plain.settings.uncertainty = {};
    const QByteArray bytes = io::calibrationBytes(plain);
    EXPECT_FALSE(bytes.contains("uncertainty"));
    EXPECT_TRUE(bytes.contains("\"version\": 1"));

    const QByteArray chosenBytes = io::calibrationBytes(chosen());
    EXPECT_TRUE(chosenBytes.contains("\"version\": 3"));
    EXPECT_TRUE(chosenBytes.contains(
        R"("uncertainty": {"way": "bottom-up", "volume": 0.005, "dilution": {"tolerance": 0.02, )"
        R"("distribution": "triangular"}, "standard": {"tolerance": 0.0098, "distribution": )"
        R"("normal95"}, "recovery": "spikes", "coverage": "t"})"));
    const auto read = io::readCalibration(chosenBytes);
    ASSERT_TRUE(read) << read.error().message().toStdString();
    EXPECT_EQ(read.value().settings.uncertainty, chosen().settings.uncertainty);
    EXPECT_EQ(io::calibrationBytes(read.value()), chosenBytes);
}

TEST(UncertaintyFile, MethodCarriesIt) {
    const calibration::Document document = chosen();
    const calibration::Results results = calibration::evaluate(document);
    const calibration::Method method =
        calibration::methodFromDocument(document, results, "Cd", "2026-12-08");
    const auto read = io::readMethod(io::methodBytes(method));
    ASSERT_TRUE(read);
    calibration::Document applied = calibration::withMethod(calibration::Document{}, read.value());
    EXPECT_EQ(applied.settings.uncertainty, document.settings.uncertainty);

    // A method made from a document that never chose says nothing of it, and leaves a
    // document's own choice as it is.
    calibration::Document plain = document;
    plain.settings.uncertainty = {};
    const calibration::Method without =
        calibration::methodFromDocument(plain, calibration::evaluate(plain), "Cd", "2026-12-08");
    EXPECT_FALSE(io::methodBytes(without).contains("uncertainty"));
    EXPECT_EQ(calibration::withMethod(document, without).settings.uncertainty,
              document.settings.uncertainty);
}

TEST(UncertaintyFile, Refused) {
    const auto file = [](const char* uncertainty) {
        return QByteArray(R"({"format": "lumetra-calibration", "version": 3, "unit": "mg/L", )"
                          R"("settings": {"uncertainty": )") +
               uncertainty + R"(}, "standards": []})";
    };
    const struct {
        const char* name;
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"not an object", file("1"), u"settings.uncertainty：应为对象，不是数字"_s},
        {"an unknown way", file(R"({"way": "guess"})"),
         u"settings.uncertainty.way：应为none、bottom-up、top-down之一，不是 \"guess\""_s},
        {"a coverage of 3", file(R"({"way": "bottom-up", "coverage": "3"})"),
         u"settings.uncertainty.coverage：应为2、t之一，不是 \"3\""_s},
        {"a negative volume", file(R"({"way": "bottom-up", "volume": -0.01})"),
         u"settings.uncertainty.volume：数值 -0.01 无效，应为0到1之间的数"_s},
        {"above 100 %", file(R"({"way": "bottom-up", "standard": 1.5})"),
         u"settings.uncertainty.standard：数值 1.5 无效，应为0到1之间的数"_s},
        {"a tolerance without its value", file(R"({"way": "bottom-up", "dilution": {}})"),
         u"settings.uncertainty.dilution.tolerance：缺少此项"_s},
        {"an unknown distribution",
         file(R"({"way": "bottom-up", "dilution": {"tolerance": 0.01, "distribution": "u"}})"),
         u"settings.uncertainty.dilution.distribution：应为rectangular、triangular、normal95之一，"
         u"不是 \"u\""_s},
        {"spikes for the volume", file(R"({"way": "bottom-up", "volume": "spikes"})"),
         u"settings.uncertainty.volume：应为数字，不是文字"_s},
        {"recovery of another word", file(R"({"way": "bottom-up", "recovery": "all"})"),
         u"settings.uncertainty.recovery：应为数字、对象或 \"spikes\""_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(messageOf(io::readCalibration(c.bytes)), c.message);
    }
}

} // namespace
