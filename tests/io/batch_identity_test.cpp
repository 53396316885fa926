// A batch's identity: the SHA-256 of the canonical form (the .lumetra bytes without the history,
// the creation day and the main window's result texts). The same batch written or saved otherwise
// is the same identity; any reading, standard or setting changed is another.

#include "io/batch_identity.h"
#include "io/calibration_file.h"
#include "io_test_support.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

using io_test::messageOf;

namespace {

const QByteArray kBatch = R"({
    "format": "lumetra-calibration",
    "version": 3,
    "unit": "mg/L",
    "created": "2026-12-07",
    "settings": {"model": "line", "weight": "none", "blank_correction": true, "result_unit": "mg/L"},
    "header": {"laboratory": "水质实验室", "analysis_date": "2026-12-07"},
    "method": {"name": "HJ 535", "sha256": "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08"},
    "standards": [
        {"C": "0", "A": ".002"},
        {"C": "1", "A": "0.202"},
        {"C": "2", "A": "0.401", "excluded": false}
    ],
    "samples": [
        {"name": "S1", "readings": "0.512 0.515", "dilution": "2", "main_result": " 2.5"},
        {"name": "K", "readings": "0.3", "dilution": "", "type": "check", "nominal": "1.5"}
    ],
    "history": [
        {"time": "2026-12-07T21:04:53+08:00", "user": "li", "kind": "history_started", "values": {}}
    ]
})";

std::string identityOf(const QByteArray& bytes) {
    const auto document = io::readCalibration(bytes);
    EXPECT_TRUE(document) << messageOf(document).toStdString();
    return document ? io::batchIdentity(document.value()) : std::string();
}

QByteArray replaced(QByteArray bytes, const char* from, const char* to) {
    EXPECT_TRUE(bytes.contains(from)) << from;
    return bytes.replace(from, to);
}

TEST(BatchIdentity, SameBatch) {
    const std::string identity = identityOf(kBatch);
    ASSERT_EQ(identity.size(), 64u);
    calibration::Document resaved = io::readCalibration(kBatch).value();
    resaved.history.push_back({"2026-12-08T09:00:00+08:00", "wang", "file_saved", {}, ""});
    resaved.created = "2026-12-08";
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"saved again with a longer history and another day", io::calibrationBytes(resaved)},
        {"keys in another order, on one line",
         R"({"samples": [{"main_result": " 2.5", "dilution": "2", "readings": "0.512 0.515",
             "name": "S1"}, {"nominal": "1.5", "type": "check", "readings": "0.3", "name": "K",
             "dilution": ""}], "standards": [{"A": ".002", "C": "0"}, {"A": "0.202", "C": "1"},
             {"A": "0.401", "C": "2"}], "method": {"sha256":
             "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08", "name": "HJ 535"},
             "header": {"analysis_date": "2026-12-07", "laboratory": "水质实验室"},
             "settings": {"result_unit": "mg/L", "blank_correction": true}, "unit": "mg/L",
             "version": 3, "format": "lumetra-calibration"})"},
        {"without history or creation day",
         replaced(replaced(kBatch, R"("created": "2026-12-07",)", ""),
                  R"(,
    "history": [
        {"time": "2026-12-07T21:04:53+08:00", "user": "li", "kind": "history_started", "values": {}}
    ])",
                  "")},
        {"the main window's result text gone", replaced(kBatch, R"(, "main_result": " 2.5")", "")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(identityOf(c.bytes), identity);
    }
}

TEST(BatchIdentity, AnotherBatch) {
    const std::string identity = identityOf(kBatch);
    struct Case {
        const char* name;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {"one reading of a sample", "0.512 0.515", "0.512 0.516"},
        {"a sample's dilution", R"("dilution": "2")", R"("dilution": "4")"},
        {"a standard's absorbance", R"("A": "0.401")", R"("A": "0.402")"},
        // The texts as typed count, as the file keeps them.
        {"a standard's absorbance written otherwise", R"("A": ".002")", R"("A": "0.002")"},
        {"a standard excluded", R"("excluded": false)", R"("excluded": true, "reason": "污染")"},
        {"a check standard's nominal value", R"("nominal": "1.5")", R"("nominal": "1.6")"},
        {"the blank correction", R"("blank_correction": true)", R"("blank_correction": false)"},
        {"the method's file", R"("sha256": "9f86)", R"("sha256": "0f86)"},
        {"the analysis day", R"("analysis_date": "2026-12-07")", R"("analysis_date": "2026-12-08")"},
        {"the unit", R"("unit": "mg/L",)", R"("unit": "μg",)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(identityOf(replaced(kBatch, c.from, c.to)), identity);
    }
}

// The canonical form is the file's layout itself: a small batch's identity is the SHA-256 of
// these bytes, whatever its history and creation day.
TEST(BatchIdentity, CanonicalForm) {
    const QByteArray canonical = "{\n"
                                 "    \"format\": \"lumetra-calibration\",\n"
                                 "    \"version\": 1,\n"
                                 "    \"unit\": \"mg/L\",\n"
                                 "    \"standards\": [\n"
                                 "        {\"C\": \"0\", \"A\": \"0.002\"},\n"
                                 "        {\"C\": \"1\", \"A\": \"0.202\"}\n"
                                 "    ],\n"
                                 "    \"samples\": [\n"
                                 "        {\"name\": \"S1\", \"readings\": \"0.302\", "
                                 "\"dilution\": \"\"}\n"
                                 "    ]\n"
                                 "}\n";
    const QByteArray file = R"({"version": 2, "format": "lumetra-calibration",
        "created": "2026-12-07", "unit": "mg/L",
        "standards": [{"A": "0.002", "C": "0"}, {"C": "1", "A": "0.202"}],
        "samples": [{"readings": "0.302", "name": "S1", "dilution": "", "main_result": " 1.5",
                     "earlier_curve": true}],
        "history": [{"time": "2026-12-07T21:04:53+08:00", "user": "li",
                     "kind": "history_started", "values": {}}]})";
    const auto document = io::readCalibration(file);
    ASSERT_TRUE(document) << messageOf(document).toStdString();
    EXPECT_EQ(io::canonicalBytes(document.value()), canonical);
    EXPECT_EQ(io::batchIdentity(document.value()),
              QCryptographicHash::hash(canonical, QCryptographicHash::Sha256).toHex().toStdString());
}

} // namespace
