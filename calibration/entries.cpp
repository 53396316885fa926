#include "calibration/entries.h"

#include "calc/number_format.h"
#include "calc/number_text.h"
#include "calibration/message.h"
#include "calibration/text.h"

#include <array>

namespace calibration {
namespace {

struct FieldTexts {
    const char* empty;
    const char* notNumber;
    const char* outOfRange;
};

// Whole sentences, so that each translates as one.
FieldTexts textsOf(Field field) {
    switch (field) {
    case Field::Concentration:
        return {QT_TRANSLATE_NOOP("calibration", "浓度为空"),
                QT_TRANSLATE_NOOP("calibration", "浓度 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "浓度 %1 超出数值范围")};
    case Field::Absorbance:
        return {QT_TRANSLATE_NOOP("calibration", "吸光度为空"),
                QT_TRANSLATE_NOOP("calibration", "吸光度 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "吸光度 %1 超出数值范围")};
    case Field::Reading:
        return {QT_TRANSLATE_NOOP("calibration", "读数为空"),
                QT_TRANSLATE_NOOP("calibration", "读数 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "读数 %1 超出数值范围")};
    case Field::Dilution:
        return {QT_TRANSLATE_NOOP("calibration", "稀释倍数为空"),
                QT_TRANSLATE_NOOP("calibration", "稀释倍数 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "稀释倍数 %1 超出数值范围")};
    case Field::Added:
        return {QT_TRANSLATE_NOOP("calibration", "缺少加标量"),
                QT_TRANSLATE_NOOP("calibration", "加标量 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "加标量 %1 超出数值范围")};
    case Field::Nominal:
        return {QT_TRANSLATE_NOOP("calibration", "缺少标称浓度"),
                QT_TRANSLATE_NOOP("calibration", "标称浓度 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "标称浓度 %1 超出数值范围")};
    case Field::Certified:
        return {QT_TRANSLATE_NOOP("calibration", "缺少标准值"),
                QT_TRANSLATE_NOOP("calibration", "标准值 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "标准值 %1 超出数值范围")};
    case Field::U:
        return {QT_TRANSLATE_NOOP("calibration", "缺少不确定度U"),
                QT_TRANSLATE_NOOP("calibration", "不确定度U %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "不确定度U %1 超出数值范围")};
    case Field::Volume:
        return {QT_TRANSLATE_NOOP("calibration", "取样量为空"),
                QT_TRANSLATE_NOOP("calibration", "取样量 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "取样量 %1 超出数值范围")};
    case Field::Factor:
        return {QT_TRANSLATE_NOOP("calibration", "换算系数为空"),
                QT_TRANSLATE_NOOP("calibration", "换算系数 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "换算系数 %1 超出数值范围")};
    case Field::InternalStandard:
        return {QT_TRANSLATE_NOOP("calibration", "内标响应为空"),
                QT_TRANSLATE_NOOP("calibration", "内标响应 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "内标响应 %1 超出数值范围")};
    case Field::InternalStandardConcentration:
        return {QT_TRANSLATE_NOOP("calibration", "内标浓度为空"),
                QT_TRANSLATE_NOOP("calibration", "内标浓度 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "内标浓度 %1 超出数值范围")};
    case Field::SampleVolume:
        return {QT_TRANSLATE_NOOP("calibration", "样品体积V0为空"),
                QT_TRANSLATE_NOOP("calibration", "样品体积V0 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "样品体积V0 %1 超出数值范围")};
    case Field::StandardConcentration:
        return {QT_TRANSLATE_NOOP("calibration", "加入标准溶液浓度为空"),
                QT_TRANSLATE_NOOP("calibration", "加入标准溶液浓度 %1 不是数字"),
                QT_TRANSLATE_NOOP("calibration", "加入标准溶液浓度 %1 超出数值范围")};
    }
    return {"", "", ""};
}

// The strict parse's form, whether or not the value fits a double: tells "1e400" (out of range)
// from "1e4x" (not a number).
bool numberForm(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        return i - start;
    };
    while (i < n && text[i] == ' ') {
        ++i;
    }
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t mantissa = digits();
    if (i < n && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) {
        return false;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            return false;
        }
    }
    while (i < n && text[i] == ' ') {
        ++i;
    }
    return i == n;
}

struct TypeEntry {
    SampleType type;
    const char* key;
    const char* name;
};

constexpr std::array kTypes{
    TypeEntry{SampleType::Sample, "sample", QT_TRANSLATE_NOOP("calibration", "样品")},
    TypeEntry{SampleType::Blank, "blank", QT_TRANSLATE_NOOP("calibration", "空白")},
    TypeEntry{SampleType::Duplicate, "duplicate", QT_TRANSLATE_NOOP("calibration", "平行样")},
    TypeEntry{SampleType::Spike, "spike", QT_TRANSLATE_NOOP("calibration", "加标样")},
    TypeEntry{SampleType::Check, "check", QT_TRANSLATE_NOOP("calibration", "校准核查")},
    TypeEntry{SampleType::Reference, "reference", QT_TRANSLATE_NOOP("calibration", "质控样")},
    TypeEntry{SampleType::DetectionLimit, "mdl", QT_TRANSLATE_NOOP("calibration", "检出限样")},
};

} // namespace

bool hasNumberForm(std::string_view text) {
    return numberForm(text);
}

std::optional<Message> numberProblem(std::string_view text, Field field) {
    const FieldTexts texts = textsOf(field);
    if (text.empty()) {
        return Message(texts.empty);
    }
    if (calc::strictParse(text)) {
        return std::nullopt;
    }
    return Message(numberForm(text) ? texts.outOfRange : texts.notNumber, {text::quoted(text)});
}

std::optional<Message> scaleProblem(std::string_view text, Field field) {
    const std::optional<double> value = calc::strictParse(text);
    if (value && *value >= kSmallestScale && *value <= kLargestScale) {
        return std::nullopt;
    }
    if (text.empty() || !numberForm(text)) {
        return numberProblem(text, field);
    }
    const char* range = QT_TRANSLATE_NOOP("calibration", "稀释倍数 %1 应为%2到%3之间的数");
    if (field == Field::Volume) {
        range = QT_TRANSLATE_NOOP("calibration", "取样量 %1 应为%2到%3之间的数");
    } else if (field == Field::Factor) {
        range = QT_TRANSLATE_NOOP("calibration", "换算系数 %1 应为%2到%3之间的数");
    }
    return Message(range,
                   {text::quoted(text),
                    calc::formatNumber(kSmallestScale, calc::NumberStyle::shortestRoundTrip()),
                    calc::formatNumber(kLargestScale, calc::NumberStyle::shortestRoundTrip())});
}

std::variant<StandardValues, Message> standardValues(const Standard& standard) {
    if (auto problem = numberProblem(standard.c, Field::Concentration)) {
        return *problem;
    }
    if (auto problem = numberProblem(standard.a, Field::Absorbance)) {
        return *problem;
    }
    return StandardValues{*calc::parseDecimal(standard.c), *calc::parseDecimal(standard.a)};
}

std::vector<std::string_view> readingTexts(std::string_view readings) {
    std::vector<std::string_view> parts;
    std::size_t i = 0;
    while (i < readings.size()) {
        std::size_t start = i;
        while (i < readings.size()) {
            std::size_t next = i;
            if (!text::isSpace(text::decode(readings, next))) {
                break;
            }
            i = next;
        }
        start = i;
        std::size_t end = i;
        while (i < readings.size()) {
            std::size_t next = i;
            if (text::isSpace(text::decode(readings, next))) {
                break;
            }
            i = end = next;
        }
        if (end > start) {
            parts.push_back(readings.substr(start, end - start));
        }
    }
    return parts;
}

SampleValues sampleValues(const Sample& sample) {
    SampleValues values;
    const std::vector<std::string_view> readings = readingTexts(sample.readings);
    if (readings.empty()) {
        values.readingsProblem = Message(QT_TRANSLATE_NOOP("calibration", "没有读数"));
    } else if (readings.size() > kMaxReadings) {
        values.readingsProblem =
            Message(QT_TRANSLATE_NOOP("calibration", "读数有%1个，最多%2个"),
                    {std::to_string(readings.size()), std::to_string(kMaxReadings)});
    } else {
        values.readings.reserve(readings.size());
        for (std::string_view reading : readings) {
            if (const auto number = calc::strictParse(reading)) {
                values.readings.push_back(*number);
            } else {
                values.readingsProblem = numberProblem(reading, Field::Reading);
                values.readings.clear();
                break;
            }
        }
    }
    if (!text::isBlank(sample.dilution)) {
        if (auto problem = scaleProblem(sample.dilution, Field::Dilution)) {
            values.dilutionProblem = std::move(problem);
        } else {
            values.dilution = *calc::strictParse(sample.dilution);
        }
    }
    return values;
}

std::optional<SampleType> sampleType(std::string_view typed) {
    const std::string_view trimmed = text::trimmed(typed);
    if (trimmed.empty()) {
        return SampleType::Sample;
    }
    for (const TypeEntry& entry : kTypes) {
        if (trimmed == entry.key || trimmed == entry.name) {
            return entry.type;
        }
    }
    // The name as the interface shows it ("Duplicate" in English), typed or pasted back.
    for (const TypeEntry& entry : kTypes) {
        if (trimmed == translate(entry.name)) {
            return entry.type;
        }
    }
    return std::nullopt;
}

std::string normalizedType(std::string_view typed) {
    const std::optional<SampleType> type = sampleType(typed);
    if (!type) {
        return std::string(typed);
    }
    return *type == SampleType::Sample ? std::string() : std::string(typeKey(*type));
}

const char* typeKey(SampleType type) {
    return kTypes[static_cast<std::size_t>(type)].key;
}

const char* typeName(SampleType type) {
    return kTypes[static_cast<std::size_t>(type)].name;
}

std::optional<Message> windowProblem(const std::vector<Standard>& standards,
                                     std::optional<std::size_t> unread,
                                     const std::optional<Message>& unreadProblem) {
    if (standards.size() > kMaxWindowStandards) {
        return Message(QT_TRANSLATE_NOOP("calibration", "标准点超过%1个，主窗口不显示此曲线"),
                       {std::to_string(kMaxWindowStandards)});
    }
    if (standards.size() < kMinStandards) {
        return Message(QT_TRANSLATE_NOOP("calibration", "只有%1个标准点，主窗口至少需要%2个"),
                       {std::to_string(standards.size()), std::to_string(kMinStandards)});
    }
    for (std::size_t i = 0; i < standards.size(); ++i) {
        const Standard& standard = standards[i];
        std::optional<Message> problem;
        if (text::utf16Length(standard.c) > kConcentrationBoxLength) {
            problem = Message(
                QT_TRANSLATE_NOOP("calibration", "浓度 %1 超过%2个字符，主窗口不显示此曲线"),
                {text::quoted(standard.c), std::to_string(kConcentrationBoxLength)});
        } else if (text::utf16Length(standard.a) > kAbsorbanceBoxLength) {
            problem = Message(
                QT_TRANSLATE_NOOP("calibration", "吸光度 %1 超过%2个字符，主窗口不显示此曲线"),
                {text::quoted(standard.a), std::to_string(kAbsorbanceBoxLength)});
        }
        if (problem) {
            return located(standardPlace(i), *problem);
        }
        if (unread == i) {
            return unreadProblem;
        }
    }
    return std::nullopt;
}

Message standardPlace(std::size_t index) {
    return Message(QT_TRANSLATE_NOOP("calibration", "第%1个标准点"), {std::to_string(index + 1)});
}

Message samplePlace(std::size_t index) {
    return Message(QT_TRANSLATE_NOOP("calibration", "第%1个样品"), {std::to_string(index + 1)});
}

} // namespace calibration
