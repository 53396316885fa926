// The change history in words, from the entries' kinds and values.

#include "calibration/history.h"

#include <gtest/gtest.h>

namespace {

using calibration::describe;
using calibration::historyEntry;
using calibration::render;

TEST(History, EntriesInWords) {
    struct Case {
        const char* name;
        calibration::HistoryEntry entry;
        const char* text;
    };
    calibration::HistoryEntry withReason = historyEntry("sample_edited", {{"number", "2"},
                                                                          {"name", "W1"},
                                                                          {"field", "readings"},
                                                                          {"from", "0.1852"},
                                                                          {"to", "0.1952"}});
    withReason.reason = "读错";
    const Case cases[] = {
        {"a standard typed",
         historyEntry("standard_edited",
                      {{"number", "3"}, {"field", "A"}, {"from", ".12"}, {"to", ".13"}}),
         "第3个标准点的吸光度：.12 → .13"},
        {"a standard's internal-standard response typed",
         historyEntry("standard_edited",
                      {{"number", "2"}, {"field", "is"}, {"from", ""}, {"to", "1020"}}),
         "第2个标准点的内标响应：（空） → 1020"},
        {"a row's internal-standard concentration",
         historyEntry(
             "sample_edited",
             {{"number", "1"}, {"name", "W1"}, {"field", "c_is"}, {"from", "2"}, {"to", "2.5"}}),
         "W1 的内标浓度：2 → 2.5"},
        {"a standard addition's dilution, not the samples'",
         historyEntry("setting_changed",
                      {{"setting", "addition_dilution"}, {"from", ""}, {"to", "5"}}),
         "标准加入的稀释倍数：（空） → 5"},
        {"a main window's fit",
         historyEntry("standards_replaced", {{"source", "main_window"}, {"count", "5"}}),
         "标准点由主窗口的拟合替换为5个"},
        {"an exclusion", historyEntry("standard_excluded", {{"number", "2"}, {"reason", "污染"}}),
         "排除第2个标准点，原因：\"污染\""},
        {"a weighting by its name",
         historyEntry("setting_changed", {{"setting", "weight"}, {"from", "none"}, {"to", "1/x2"}}),
         "权重：不加权 → 1/x²"},
        {"the reported limit",
         historyEntry("setting_changed", {{"setting", "limit"}, {"from", "lod"}, {"to", "mdl"}}),
         "报告检出限：LOD → 方法检出限"},
        {"the blank correction",
         historyEntry("setting_changed",
                      {{"setting", "blank_correction"}, {"from", "false"}, {"to", "true"}}),
         "空白校正：关 → 开"},
        {"the blank absorbance rule set",
         historyEntry("setting_changed",
                      {{"setting", "blank_absorbance_max"}, {"from", ""}, {"to", "0.03"}}),
         "空白吸光度上限：关 → 0.03"},
        {"a typed setting emptied",
         historyEntry("setting_changed", {{"setting", "volume"}, {"from", "50"}, {"to", ""}}),
         "取样量：50 → （空）"},
        {"a row by its name",
         historyEntry("sample_edited", {{"number", "2"},
                                        {"name", "W1"},
                                        {"field", "readings"},
                                        {"from", "0.1852"},
                                        {"to", "0.1952"}}),
         "W1 的读数：0.1852 → 0.1952"},
        {"a row of an earlier file, by its number",
         historyEntry("sample_edited",
                      {{"number", "2"}, {"field", "readings"}, {"from", "0.5"}, {"to", " 0.51"}}),
         "第2个样品的读数：0.5 → \" 0.51\""},
        {"with its reason", withReason, "W1 的读数：0.1852 → 0.1952；修改原因：读错"},
        {"a method applied",
         historyEntry("method_applied", {{"name", "HJ 535-2009 氨氮"},
                                         {"sha256", "9f86d0"},
                                         {"changes", "blank_correction,unit,rounding"}}),
         "应用方法 \"HJ 535-2009 氨氮\"（SHA-256 9f86d0），改变：空白校正、浓度单位、修约"},
        {"a method that changed nothing",
         historyEntry("method_applied", {{"name", "M"}, {"sha256", "ab"}, {"changes", ""}}),
         "应用方法 \"M\"（SHA-256 ab），未改变任何设置"},
        {"a pasted block",
         historyEntry("samples_added", {{"source", "paste"}, {"count", "300"}, {"first", "1"}}),
         "由粘贴添加300个样品（自第1行）"},
        {"rows removed", historyEntry("samples_removed", {{"count", "4"}, {"numbers", "2-4,9"}}),
         "删除4个样品：2-4,9"},
        {"the start", historyEntry("history_started", {}), "记录从此开始"},
        {"a newer program's kind", historyEntry("signed", {{"by", "王"}}), "signed by=\"王\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(render(describe(c.entry)), c.text);
    }
    // The values stand in the order of their keys, as the file keeps them.
    EXPECT_EQ(historyEntry("x", {{"b", "1"}, {"a", "2"}}).values.front().first, "a");
}

TEST(History, WhatChanged) {
    EXPECT_EQ(calibration::numberList({1, 2, 3, 8, 10, 11}), "2-4,9,11-12");
    EXPECT_EQ(calibration::numberList({}), "");
    calibration::Settings before;
    calibration::Settings after = before;
    after.level = 99;
    after.spikeLowPct = 85;
    const auto changes = calibration::settingChanges(before, after);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].key, "level");
    EXPECT_EQ(changes[0].to, "99");
    EXPECT_EQ(changes[1].key, "spike_low_pct");
    EXPECT_EQ(changes[1].from, "80");
    // A standard addition's dilution has a key of its own: the samples' "dilution" names theirs.
    calibration::Settings diluted = before;
    diluted.additionDilution.assign(1, '5'); // GCC 12 takes `= "5"` here for an overlapping copy
    const auto dilution = calibration::settingChanges(before, diluted);
    ASSERT_EQ(dilution.size(), 1u);
    EXPECT_EQ(dilution[0].key, "addition_dilution");
}

} // namespace
