#pragma once

// What the typed texts of a calibration mean: a standard's concentration and absorbance, a
// sample's readings and dilution, each one number by the strict parse or the reason it is not.

#include "calc/decimal.h"
#include "calibration/document.h"
#include "calibration/message.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace calibration {

// The most readings one sample row holds.
inline constexpr std::size_t kMaxReadings = 10;

// The values a number text stands for.
enum class Field {
    Concentration,
    Absorbance,
    Reading,
    Dilution,
    Added,
    Nominal,
    Certified,
    U,
    Volume,
    Factor,
    InternalStandard,              // the internal standard's response
    InternalStandardConcentration, // and its concentration C_IS
    SampleVolume,                  // standard addition's V0
    StandardConcentration          // and the added standard's concentration C_std
};

// The strict parse's form, whether or not the value fits a double: "1e400" has it, "1e4x" not.
bool hasNumberForm(std::string_view text);

// Why a text is not one whole finite number by the strict parse, or nullopt:
//   "浓度为空", "浓度 \"1.2.3\" 不是数字", "浓度 \"1e400\" 超出数值范围".
std::optional<Message> numberProblem(std::string_view text, Field field);

// The smallest and largest value a volume, factor or dilution may take: every positive, finite,
// normal double. Below the smallest a result loses its digits or becomes infinite.
inline constexpr double kSmallestScale = 2.2250738585072014e-308;
inline constexpr double kLargestScale = 1.7976931348623157e308;

// Why a volume, factor or dilution text is not a number from kSmallestScale to kLargestScale, or
// nullopt: the number problems above for a text that is not a number ("nan", "x"), and for one
// of the number's form outside the range, "0", "-5", "1e-320" and "1e400" alike:
//   "取样量 \"0\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数".
std::optional<Message> scaleProblem(std::string_view text, Field field);

// A standard's two numbers, or the first reason (the concentration first).
struct StandardValues {
    calc::Decimal c, a;
};
std::variant<StandardValues, Message> standardValues(const Standard& standard);

// The readings of a readings text, split at any white space (blanks, tabs, the ideographic
// space): "0.512  0.515" -> {"0.512", "0.515"}.
std::vector<std::string_view> readingTexts(std::string_view readings);

// A sample row's readings and dilution as numbers, each cell with its own reason:
//   readings: "没有读数", "读数 \"0.5x\" 不是数字", "读数 \"1e999\" 超出数值范围",
//             "读数有11个，最多10个";
//   dilution: scaleProblem's ("稀释倍数 \"x\" 不是数字", "稀释倍数 \"0\"
//   应为2.2250738585072014e-308到
//             1.7976931348623157e+308之间的数"); empty (or blanks) is 1.
struct SampleValues {
    std::vector<double> readings;
    double dilution = 1.0;
    std::optional<Message> readingsProblem, dilutionProblem;

    bool ok() const { return !readingsProblem && !dilutionProblem; }
    // The readings' problem first.
    std::optional<Message> problem() const {
        return readingsProblem ? readingsProblem : dilutionProblem;
    }
};
SampleValues sampleValues(const Sample& sample);

// The type of a row from its cell: "" and "sample"/"样品" are samples, the other keys and Chinese
// names their types; nullopt for any other text.
std::optional<SampleType> sampleType(std::string_view text);
const char* typeKey(SampleType type); // "sample", "blank", ...
// The type as the document keeps it: the key of a type typed by its key or name ("空白" ->
// "blank"), "" for a sample, any other text as typed.
std::string normalizedType(std::string_view typed);
const char* typeName(SampleType type); // "样品", "空白", ... (a marked source text)

// What the designed main window can show: 2 to 10 standards, each text within its box's length
// (6 characters of concentration, 5 of absorbance, as the box counts: UTF-16 units) and a number.
inline constexpr std::size_t kMinStandards = 2;
inline constexpr std::size_t kMaxWindowStandards = 10;
inline constexpr std::size_t kConcentrationBoxLength = 6;
inline constexpr std::size_t kAbsorbanceBoxLength = 5;

// Why the main window cannot show these standards, or nullopt: "标准点超过10个", "只有1个标准点",
// "第3个标准点的浓度 \"1234567\" 超过6个字符", or the number problem of the first standard
// that is no number, `unread`, as the evaluation read it (its texts are not read again here:
// results.h has the form that takes the curve).
std::optional<Message> windowProblem(const std::vector<Standard>& standards,
                                     std::optional<std::size_t> unread,
                                     const std::optional<Message>& unreadProblem);

// "第3个标准点", "第12个样品": places counted from 1.
Message standardPlace(std::size_t index);
Message samplePlace(std::size_t index);

} // namespace calibration
