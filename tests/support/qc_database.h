#pragma once

// A quality-control database filled through the records API, as the control charts' tests read
// it: one method with 25 batches analysed on 25 days of January 2026 (filed in reverse order, so
// that the chart's order is the analysis day's, not the filing's), each with a check standard at
// 0.50 mg/L and a duplicate; a 26th batch whose check standard carries its unit typed otherwise
// (mg/l); and an analyte filed without a method with five blanks.

#include "records/store.h"

#include <QCryptographicHash>
#include <QString>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace qc_test {

inline const std::string kMethod = "亚硝酸盐氮 GB 7493";
inline const std::string kAnalyte = "总磷";

// The check standard's found concentrations, mg/L, in the order of analysis: the first 20 are
// the default reference period, the 24th lies far beyond 3s of them.
inline constexpr std::array<double, 25> kCheck{
    0.502, 0.497, 0.505, 0.499, 0.494, 0.503, 0.500, 0.498, 0.506, 0.496, 0.501, 0.499, 0.504,
    0.495, 0.500, 0.502, 0.497, 0.503, 0.498, 0.501, 0.499, 0.503, 0.500, 0.530, 0.501};
// The duplicates' relative deviations, %.
inline constexpr std::array<double, 25> kDuplicate{1.2, 0.8, 2.1, 1.5, 0.4, 1.9, 1.1, 0.7, 1.6,
                                                   1.3, 0.9, 2.0, 1.4, 0.6, 1.8, 1.0, 1.2, 1.7,
                                                   0.5, 1.1, 1.3, 0.9, 1.5, 4.8, 1.0};
inline constexpr std::array<double, 5> kBlank{0.011, 0.013, 0.010, 0.012, 0.014};

// The day of the i-th point (from 0): 2026-01-01, ...
inline std::string day(std::size_t i) {
    char text[11];
    std::snprintf(text, sizeof text, "2026-01-%02d", int(i + 1));
    return text;
}

inline std::string sha256(const std::string& text) {
    return QCryptographicHash::hash(QByteArray::fromStdString(text), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

inline records::QcRow row(const std::string& type, const std::string& nominal, double value,
                          const std::string& unit) {
    records::QcRow r;
    r.type = type;
    r.name = type + " " + nominal;
    r.nominal = nominal;
    r.value = value;
    r.unit = unit;
    return r;
}

inline records::BatchRecord batch(const std::string& seed, const std::string& method,
                                  const std::string& analyte, const std::string& date) {
    records::BatchRecord b;
    b.identity = sha256(seed);
    b.fileName = seed + ".lumetra";
    b.filedBy = "analyst";
    b.header.analysisDate = date;
    b.methodName = method;
    b.analyte = analyte;
    b.curveUnit = "mg/L";
    b.resultUnit = "mg/L";
    b.curve = {"line", "none", 6, 0.002, 0.61, std::nullopt, 0.9998, 0.001, 0.003, "lod"};
    return b;
}

inline std::unique_ptr<records::Store> openStore(const std::string& path) {
    records::DatabaseUrl url;
    url.path = path;
    auto store = records::openStore(url);
    if (!store) {
        ADD_FAILURE() << calibration::render(store.fault().message);
        return nullptr;
    }
    return std::move(store).value();
}

inline void file(records::Store& store, const records::BatchRecord& b) {
    const auto filed = store.file(b);
    ASSERT_TRUE(filed.ok()) << calibration::render(filed.fault().message);
    ASSERT_FALSE(filed->duplicate);
}

// The database described above, at `path`.
inline void fill(const std::string& path) {
    const auto store = openStore(path);
    ASSERT_NE(store, nullptr);
    for (std::size_t i = kCheck.size(); i-- > 0;) {
        records::BatchRecord b = batch("batch " + std::to_string(i), kMethod, "亚硝酸盐氮", day(i));
        // The nominal value written as typed: 0.5, 0.50 and .5 are one series.
        const char* nominal = i % 3 == 0 ? "0.5" : i % 3 == 1 ? "0.50" : ".5";
        b.rows = {row("check", nominal, kCheck[i], "mg/L"),
                  row("duplicate", "", kDuplicate[i], "%")};
        file(*store, b);
    }
    records::BatchRecord other = batch("other unit", kMethod, "亚硝酸盐氮", "2026-01-26");
    other.rows = {row("check", "0.5", 0.502, "mg/l")};
    file(*store, other);
    for (std::size_t i = 0; i < kBlank.size(); ++i) {
        records::BatchRecord b = batch("blank " + std::to_string(i), "", kAnalyte, day(i));
        b.rows = {row("blank", "", kBlank[i], "")};
        file(*store, b);
    }
}

} // namespace qc_test
