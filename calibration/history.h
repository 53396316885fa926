#pragma once

// The change history of a document: each entry a kind and its values, recorded as the document
// changes and shown in the interface's language from them. The kinds and their values:
//   history_started        {}                       the first entry, or the first after a file
//                                                   whose history was removed
//   file_opened            {file}                   file_saved {file}
//   standards_replaced     {source, count}          the main window's fit, an import, a paste
//   standard_edited        {number, field, from, to}
//   standards_inserted     {number, count}          standards_removed {numbers}
//   standard_excluded      {number, reason}         standard_included {number}
//   setting_changed        {setting, from, to}
//   samples_added          {source, count, first}   a pasted block is one entry
//   sample_edited          {number, field, from, to, name}  name: the row's name before the
//                                                   edit (files of earlier versions lack it)
//   samples_removed        {count, numbers}         samples_cleared {count}
//   header_changed         {field, from, to}
//   method_applied         {name, sha256, changes}  changes: the keys of what the method changed
//                                                   ("blank_correction,unit"), comma-separated
//   method_saved           {name, file, sha256}
// Numbers count from 1, as the tables show them. Any entry may carry the reason the user gave for
// the change (HistoryEntry::reason), shown after its words.

#include "calibration/document.h"
#include "calibration/message.h"

#include <string>
#include <utility>
#include <vector>

namespace calibration {

using HistoryValues = std::vector<std::pair<std::string, std::string>>;

// An entry of a kind with its values, ordered by key as the file keeps them; its time and user
// are the caller's to set.
HistoryEntry historyEntry(std::string kind, HistoryValues values);

// What changed between two settings: each field's key (as the file writes it), old and new text.
struct Change {
    std::string key, from, to;
};
std::vector<Change> settingChanges(const Settings& before, const Settings& after);
std::vector<Change> headerChanges(const ReportHeader& before, const ReportHeader& after);

// "3-5,8": 1-based numbers of sorted 0-based rows, runs joined.
std::string numberList(const std::vector<int>& rows);

// The entry in words, settings by their captions and values, rows by their names:
// "空白校正：关 → 开", "报告检出限：LOD → 方法检出限", "W1 的读数：0.1852 → 0.1952",
// "第3个标准点的吸光度：.12 → .13"; with its reason "…；修改原因：读错". A kind this program does
// not know (a newer one's) is shown with its values as they stand.
Message describe(const HistoryEntry& entry);

} // namespace calibration
