#include "calibration/history.h"

#include "calc/number_format.h"
#include "calibration/entries.h"
#include "calibration/keys.h"
#include "calibration/results.h"
#include "calibration/sample_columns.h"
#include "calibration/text.h"

#include <algorithm>
#include <array>

namespace calibration {
namespace {

using text::quoted;

std::string valueOf(const HistoryEntry& entry, std::string_view key) {
    for (const auto& [name, value] : entry.values) {
        if (name == key) {
            return value;
        }
    }
    return {};
}

// The words of a value that is a key of this program ("main_window", "C", "model"), translated;
// any other value as it stands.
std::string wordOf(const std::string& value) {
    struct Word {
        const char* key;
        const char* text;
    };
    static constexpr std::array kWords{
        Word{"main_window", QT_TRANSLATE_NOOP("calibration", "主窗口的拟合")},
        Word{"import", QT_TRANSLATE_NOOP("calibration", "导入")},
        Word{"paste", QT_TRANSLATE_NOOP("calibration", "粘贴")},
        Word{"table", QT_TRANSLATE_NOOP("calibration", "在表中添加")},
        Word{"file", QT_TRANSLATE_NOOP("calibration", "文件")},
        Word{"command_line", QT_TRANSLATE_NOOP("calibration", "命令行")},
        Word{"C", QT_TRANSLATE_NOOP("calibration", "浓度")},
        Word{"A", QT_TRANSLATE_NOOP("calibration", "吸光度")},
        Word{"unit", QT_TRANSLATE_NOOP("calibration", "浓度单位")},
        Word{"model", QT_TRANSLATE_NOOP("calibration", "模型")},
        Word{"weight", QT_TRANSLATE_NOOP("calibration", "权重")},
        Word{"level", QT_TRANSLATE_NOOP("calibration", "置信水平")},
        Word{"alpha", "α"},
        Word{"k", "k"},
        Word{"m", "m"},
        Word{"limit", QT_TRANSLATE_NOOP("calibration", "报告检出限")},
        Word{"blank_correction", QT_TRANSLATE_NOOP("calibration", "空白校正")},
        Word{"volume", QT_TRANSLATE_NOOP("calibration", "取样量")},
        Word{"volume_unit", QT_TRANSLATE_NOOP("calibration", "取样量单位")},
        Word{"result_unit", QT_TRANSLATE_NOOP("calibration", "结果单位")},
        Word{"factor", QT_TRANSLATE_NOOP("calibration", "换算系数")},
        Word{"rounding", QT_TRANSLATE_NOOP("calibration", "修约")},
        Word{"digits", QT_TRANSLATE_NOOP("calibration", "位数")},
        Word{"decimals", QT_TRANSLATE_NOOP("calibration", "切换值以下的小数位数")},
        Word{"switch_at", QT_TRANSLATE_NOOP("calibration", "修约切换值")},
        Word{"below", QT_TRANSLATE_NOOP("calibration", "低于检出限时")},
        Word{"min_r", QT_TRANSLATE_NOOP("calibration", "r 下限")},
        Word{"duplicate_max_pct", QT_TRANSLATE_NOOP("calibration", "平行样相对偏差上限")},
        Word{"spike_low_pct", QT_TRANSLATE_NOOP("calibration", "加标回收率下限")},
        Word{"spike_high_pct", QT_TRANSLATE_NOOP("calibration", "加标回收率上限")},
        Word{"check_max_pct", QT_TRANSLATE_NOOP("calibration", "校准核查相对误差上限")},
        Word{"blank_absorbance_max", QT_TRANSLATE_NOOP("calibration", "空白吸光度上限")},
        Word{"calibration", QT_TRANSLATE_NOOP("calibration", "校准方式")},
        Word{"v0", QT_TRANSLATE_NOOP("calibration", "样品体积V0")},
        Word{"c_std", QT_TRANSLATE_NOOP("calibration", "加入标准溶液浓度")},
        Word{"addition_dilution", QT_TRANSLATE_NOOP("calibration", "标准加入的稀释倍数")},
        Word{"internal_standard", QT_TRANSLATE_NOOP("calibration", "内标")},
        Word{"is_recovery_low_pct", QT_TRANSLATE_NOOP("calibration", "内标回收率下限")},
        Word{"is_recovery_high_pct", QT_TRANSLATE_NOOP("calibration", "内标回收率上限")},
        Word{"uncertainty", QT_TRANSLATE_NOOP("calibration", "测量不确定度")},
        Word{"validated", QT_TRANSLATE_NOOP("calibration", "方法验证的检出限")},
        Word{"laboratory", QT_TRANSLATE_NOOP("calibration", "实验室")},
        Word{"project", QT_TRANSLATE_NOOP("calibration", "项目/批号")},
        Word{"method", QT_TRANSLATE_NOOP("calibration", "方法")},
        Word{"analyte", QT_TRANSLATE_NOOP("calibration", "分析项目")},
        Word{"instrument", QT_TRANSLATE_NOOP("calibration", "仪器")},
        Word{"instrument_number", QT_TRANSLATE_NOOP("calibration", "仪器编号")},
        Word{"wavelength", QT_TRANSLATE_NOOP("calibration", "波长")},
        Word{"path_length", QT_TRANSLATE_NOOP("calibration", "比色皿光程")},
        Word{"analysis_date", QT_TRANSLATE_NOOP("calibration", "分析日期")},
        Word{"analyst", QT_TRANSLATE_NOOP("calibration", "分析人")},
        Word{"reviewer", QT_TRANSLATE_NOOP("calibration", "校核人")},
        Word{"approver", QT_TRANSLATE_NOOP("calibration", "审核人")},
    };
    for (const Word& word : kWords) {
        if (value == word.key) {
            return translate(word.text);
        }
    }
    for (const SampleColumnName& column : kSampleColumns) {
        if (value == column.key) {
            return translate(column.name);
        }
    }
    return value;
}

// A value the user typed, as an entry shows it: as it stands, "（空）" when empty, and quoted
// (with what cannot be seen escaped) when blanks at its ends or such characters would hide it.
std::string shownValue(const std::string& value) {
    static const char* const empty = QT_TRANSLATE_NOOP("calibration", "（空）");
    if (value.empty()) {
        return translate(empty);
    }
    std::string plain = quoted(value);
    if (plain.size() == value.size() + 2 && text::trimmed(value).size() == value.size()) {
        return value;
    }
    return plain;
}

// A setting's value in words: "直线", "开", "方法检出限"; a number or a typed text as it stands.
std::string settingValue(const std::string& key, const std::string& value) {
    struct Word {
        const char* key;
        const char* value;
        const char* text;
    };
    static constexpr std::array kValues{
        Word{"weight", "none", QT_TRANSLATE_NOOP("calibration", "不加权")},
        Word{"limit", "lod", "LOD"},
        Word{"limit", "xd", "x_d"},
        Word{"limit", "mdl", QT_TRANSLATE_NOOP("calibration", "方法检出限")},
        Word{"blank_correction", "true", QT_TRANSLATE_NOOP("calibration", "开")},
        Word{"blank_correction", "false", QT_TRANSLATE_NOOP("calibration", "关")},
        Word{"rounding", "significant", QT_TRANSLATE_NOOP("calibration", "有效数字")},
        Word{"rounding", "decimals", QT_TRANSLATE_NOOP("calibration", "小数位数")},
        Word{"rounding", "switch", QT_TRANSLATE_NOOP("calibration", "小数位数/有效数字切换")},
        Word{"below", "nd", QT_TRANSLATE_NOOP("calibration", "未检出")},
        Word{"below", "lt", QT_TRANSLATE_NOOP("calibration", "<检出限")},
        Word{"below", "L", QT_TRANSLATE_NOOP("calibration", "检出限L")},
        Word{"blank_absorbance_max", "", QT_TRANSLATE_NOOP("calibration", "关")},
        Word{"calibration", "external", QT_TRANSLATE_NOOP("calibration", "外标")},
        Word{"calibration", "addition", QT_TRANSLATE_NOOP("calibration", "标准加入")},
        Word{"internal_standard", "true", QT_TRANSLATE_NOOP("calibration", "开")},
        Word{"internal_standard", "false", QT_TRANSLATE_NOOP("calibration", "关")},
        Word{"uncertainty", "none", QT_TRANSLATE_NOOP("calibration", "不评定")},
    };
    for (const Word& word : kValues) {
        if (key == word.key && value == word.value) {
            return translate(word.text);
        }
    }
    if (key == "model") {
        for (std::size_t i = 0; i < kModelKeys.size(); ++i) {
            if (value == kModelKeys[i]) {
                return translate(modelName(calc::Model(i)));
            }
        }
    }
    if (key == "weight") {
        for (std::size_t i = 0; i < kWeightKeys.size(); ++i) {
            if (value == kWeightKeys[i]) {
                return translate(weightingName(calc::Weighting(i)));
            }
        }
    }
    return shownValue(value);
}

// "空白校正、修约": keys joined, each in words.
std::string wordsOf(const std::string& keys) {
    static const char* const comma = QT_TRANSLATE_NOOP("calibration", "、");
    std::string out;
    std::size_t start = 0;
    while (start <= keys.size()) {
        std::size_t end = keys.find(',', start);
        end = end == std::string::npos ? keys.size() : end;
        if (end > start) {
            out += (out.empty() ? "" : translate(comma)) + wordOf(keys.substr(start, end - start));
        }
        start = end + 1;
    }
    return out;
}

// How a value of an entry is shown.
enum class Shown { Plain, Quoted, Word, Value };

struct Kind {
    const char* kind;
    const char* text;                // with %1.. for the values below, in order
    std::array<const char*, 4> keys; // nullptr after the last
    std::array<Shown, 4> shown;
};

constexpr std::array kKinds{
    Kind{"history_started", QT_TRANSLATE_NOOP("calibration", "记录从此开始"), {}, {}},
    Kind{"file_opened", QT_TRANSLATE_NOOP("calibration", "打开文件 %1"), {"file"}, {}},
    Kind{"file_saved", QT_TRANSLATE_NOOP("calibration", "保存到文件 %1"), {"file"}, {}},
    Kind{"standards_replaced",
         QT_TRANSLATE_NOOP("calibration", "标准点由%1替换为%2个"),
         {"source", "count"},
         {Shown::Word}},
    Kind{"standard_edited",
         QT_TRANSLATE_NOOP("calibration", "第%1个标准点的%2：%3 → %4"),
         {"number", "field", "from", "to"},
         {Shown::Plain, Shown::Word, Shown::Value, Shown::Value}},
    Kind{"standards_inserted",
         QT_TRANSLATE_NOOP("calibration", "在第%1个位置插入%2个标准点"),
         {"number", "count"},
         {}},
    Kind{"standards_removed", QT_TRANSLATE_NOOP("calibration", "删除标准点 %1"), {"numbers"}, {}},
    Kind{"standard_excluded",
         QT_TRANSLATE_NOOP("calibration", "排除第%1个标准点，原因：%2"),
         {"number", "reason"},
         {Shown::Plain, Shown::Quoted}},
    Kind{"standard_included",
         QT_TRANSLATE_NOOP("calibration", "取消排除第%1个标准点"),
         {"number"},
         {}},
    Kind{"samples_added",
         QT_TRANSLATE_NOOP("calibration", "由%1添加%2个样品（自第%3行）"),
         {"source", "count", "first"},
         {Shown::Word}},
    Kind{"sample_edited",
         QT_TRANSLATE_NOOP("calibration", "第%1个样品的%2：%3 → %4"),
         {"number", "field", "from", "to"},
         {Shown::Plain, Shown::Word, Shown::Value, Shown::Value}},
    Kind{"samples_removed",
         QT_TRANSLATE_NOOP("calibration", "删除%1个样品：%2"),
         {"count", "numbers"},
         {}},
    Kind{"samples_cleared",
         QT_TRANSLATE_NOOP("calibration", "清空样品列表（%1个样品）"),
         {"count"},
         {}},
    Kind{"header_changed",
         QT_TRANSLATE_NOOP("calibration", "报告信息的%1：%2 → %3"),
         {"field", "from", "to"},
         {Shown::Word, Shown::Value, Shown::Value}},
    Kind{"method_saved",
         QT_TRANSLATE_NOOP("calibration", "保存方法 %1 到文件 %2（SHA-256 %3）"),
         {"name", "file", "sha256"},
         {Shown::Quoted}},
};

std::string numberText(double value) {
    return calc::formatNumber(value + 0.0, calc::NumberStyle::shortestRoundTrip());
}

} // namespace

std::vector<Change> settingChanges(const Settings& before, const Settings& after) {
    const auto texts = [](const Settings& s) {
        return std::vector<std::pair<const char*, std::string>>{
            {"model", kModelKeys[std::size_t(s.model)]},
            {"weight", kWeightKeys[std::size_t(s.weighting)]},
            {"level", std::to_string(s.level)},
            {"alpha", numberText(s.alpha)},
            {"k", numberText(s.k)},
            {"m", std::to_string(s.m)},
            {"limit", kLimitKeys[std::size_t(s.limit)]},
            {"blank_correction", s.blankCorrection ? "true" : "false"},
            {"volume", s.volume},
            {"volume_unit", s.volumeUnit},
            {"result_unit", s.resultUnit},
            {"factor", s.factor},
            {"rounding", kRoundingKeys[std::size_t(s.rounding)]},
            {"digits", std::to_string(s.digits)},
            {"decimals", std::to_string(s.switchDecimals)},
            {"switch_at", numberText(s.switchAt)},
            {"below", kBelowKeys[std::size_t(s.below)]},
            {"min_r", numberText(s.minimumR)},
            {"duplicate_max_pct", numberText(s.duplicateMaxPct)},
            {"spike_low_pct", numberText(s.spikeLowPct)},
            {"spike_high_pct", numberText(s.spikeHighPct)},
            {"check_max_pct", numberText(s.checkMaxPct)},
            {"blank_absorbance_max",
             s.blankAbsorbanceMax ? numberText(*s.blankAbsorbanceMax) : std::string()},
            {"calibration", kCalibrationKeys[std::size_t(s.calibration)]},
            {"v0", s.additionV0},
            {"c_std", s.additionCStd},
            {"addition_dilution", s.additionDilution},
            {"internal_standard", s.internalStandard ? "true" : "false"},
            {"is_recovery_low_pct", numberText(s.isRecoveryLowPct)},
            {"is_recovery_high_pct", numberText(s.isRecoveryHighPct)},
            {"uncertainty", uncertaintySettingsText(s.uncertainty)},
        };
    };
    const auto old = texts(before);
    const auto now = texts(after);
    std::vector<Change> changes;
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (old[i].second != now[i].second) {
            changes.push_back({old[i].first, old[i].second, now[i].second});
        }
    }
    return changes;
}

std::vector<Change> headerChanges(const ReportHeader& before, const ReportHeader& after) {
    const std::pair<const char*, std::string ReportHeader::*> fields[] = {
        {"laboratory", &ReportHeader::laboratory},
        {"project", &ReportHeader::project},
        {"method", &ReportHeader::method},
        {"analyte", &ReportHeader::analyte},
        {"instrument", &ReportHeader::instrument},
        {"instrument_number", &ReportHeader::instrumentNumber},
        {"wavelength", &ReportHeader::wavelength},
        {"path_length", &ReportHeader::pathLength},
        {"analysis_date", &ReportHeader::analysisDate},
        {"analyst", &ReportHeader::analyst},
        {"reviewer", &ReportHeader::reviewer},
        {"approver", &ReportHeader::approver},
    };
    std::vector<Change> changes;
    for (const auto& [key, member] : fields) {
        if (before.*member != after.*member) {
            changes.push_back({key, before.*member, after.*member});
        }
    }
    return changes;
}

std::string numberList(const std::vector<int>& rows) {
    std::string text;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t end = i;
        while (end + 1 < rows.size() && rows[end + 1] == rows[end] + 1) {
            ++end;
        }
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(rows[i] + 1);
        if (end > i) {
            text += '-';
            text += std::to_string(rows[end] + 1);
        }
        i = end + 1;
    }
    return text;
}

HistoryEntry historyEntry(std::string kind, HistoryValues values) {
    std::sort(values.begin(), values.end());
    return HistoryEntry{{}, {}, std::move(kind), std::move(values), {}};
}

namespace {

Message words(const HistoryEntry& entry) {
    if (entry.kind == "setting_changed") {
        const std::string key = valueOf(entry, "setting");
        return Message(QT_TRANSLATE_NOOP("calibration", "%1：%2 → %3"),
                       {wordOf(key), settingValue(key, valueOf(entry, "from")),
                        settingValue(key, valueOf(entry, "to"))});
    }
    // A row by its name when the entry keeps it (entries of older files have its number only).
    if (const std::string name = valueOf(entry, "name");
        entry.kind == "sample_edited" && !text::isBlank(name)) {
        return Message(QT_TRANSLATE_NOOP("calibration", "%1 的%2：%3 → %4"),
                       {shownValue(name), wordOf(valueOf(entry, "field")),
                        shownValue(valueOf(entry, "from")), shownValue(valueOf(entry, "to"))});
    }
    if (entry.kind == "method_applied") {
        const std::string changes = valueOf(entry, "changes");
        const std::string name = quoted(valueOf(entry, "name"));
        const std::string sha256 = valueOf(entry, "sha256");
        return changes.empty()
                   ? Message(QT_TRANSLATE_NOOP("calibration",
                                               "应用方法 %1（SHA-256 %2），未改变任何设置"),
                             {name, sha256})
                   : Message(
                         QT_TRANSLATE_NOOP("calibration", "应用方法 %1（SHA-256 %2），改变：%3"),
                         {name, sha256, wordsOf(changes)});
    }
    for (const Kind& kind : kKinds) {
        if (entry.kind != kind.kind) {
            continue;
        }
        Message message(kind.text);
        for (std::size_t i = 0; i < kind.keys.size() && kind.keys[i] != nullptr; ++i) {
            std::string value = valueOf(entry, kind.keys[i]);
            switch (kind.shown[i]) {
            case Shown::Plain:
                break;
            case Shown::Quoted:
                value = quoted(value);
                break;
            case Shown::Word:
                value = wordOf(value);
                break;
            case Shown::Value:
                value = shownValue(value);
                break;
            }
            message.args.push_back(std::move(value));
        }
        return message;
    }
    // A kind of a newer program: its key and values as they stand.
    std::string text = entry.kind;
    for (const auto& [key, value] : entry.values) {
        text += ' ';
        text += key;
        text += '=';
        text += quoted(value);
    }
    return Message("%1", {text});
}

} // namespace

Message describe(const HistoryEntry& entry) {
    Message message = words(entry);
    if (entry.reason.empty()) {
        return message;
    }
    return Message(QT_TRANSLATE_NOOP("calibration", "%1；修改原因：%2"),
                   {message, shownValue(entry.reason)});
}

} // namespace calibration
