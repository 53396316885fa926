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
    const Case cases[] = {
        {"a standard typed",
         historyEntry("standard_edited",
                      {{"number", "3"}, {"field", "A"}, {"from", ".12"}, {"to", ".13"}}),
         "第3个标准点的吸光度由 \".12\" 改为 \".13\""},
        {"a main window's fit",
         historyEntry("standards_replaced", {{"source", "main_window"}, {"count", "5"}}),
         "标准点由主窗口的拟合替换为5个"},
        {"an exclusion", historyEntry("standard_excluded", {{"number", "2"}, {"reason", "污染"}}),
         "排除第2个标准点，原因：\"污染\""},
        {"a setting",
         historyEntry("setting_changed", {{"setting", "weight"}, {"from", "none"}, {"to", "1/x2"}}),
         "权重由 \"none\" 改为 \"1/x2\""},
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
}

} // namespace
