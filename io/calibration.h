#pragma once

// A calibration as the program keeps it in files: the texts of the worksheet and of the sample
// list, exactly as they stood in their boxes and cells, and the checks that decide whether those
// texts can be shown in the window or used for a report.

#include "io/error.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace io {

// One standard point: the texts of its concentration box and its absorbance box.
struct Standard {
    QString c;
    QString a;

    friend bool operator==(const Standard&, const Standard&) = default;
};

// One row of the sample list, as typed.
struct Sample {
    QString name;       // free text, may be empty
    QString readings;   // one to ten absorbances separated by blanks: "0.512 0.515"
    QString dilution;   // the dilution factor; empty counts as 1
    QString mainResult; // the main window's result text (" .556417569880205"), empty if none

    friend bool operator==(const Sample&, const Sample&) = default;
};

struct Calibration {
    QString unit; // the unit list's text as it stood: "mg/L"
    QList<Standard> standards;
    QList<Sample> samples;

    friend bool operator==(const Calibration&, const Calibration&) = default;
};

// What the designed window can hold.
inline constexpr qsizetype kMinStandards = 2;
inline constexpr qsizetype kMaxWindowStandards = 10;
inline constexpr qsizetype kConcentrationBoxLength = 6; // UTF-16 units, as the box counts
inline constexpr qsizetype kAbsorbanceBoxLength = 5;
inline constexpr qsizetype kMaxReadings = 10;

// The form calc's strict parse accepts, whether or not the value fits a double: [blanks] [+|-]
// digits with at most one "." and at least one digit [(E|e) [+|-] digits] [blanks].
bool hasNumberForm(QStringView text);

// Why a text is not one whole finite number by the strict parse, or nullopt. `what` names the
// value: "浓度" gives "浓度为空", "浓度 \"1.2.3\" 不是数字", "浓度 \"1e400\" 超出数值范围".
std::optional<QString> numberProblem(const QString& text, const QString& what);

// Why a standard's texts cannot be used (numbers only), or nullopt: the concentration first.
std::optional<QString> standardNumberProblem(const Standard& standard);

// The same with the window's box lengths checked before the numbers:
// "浓度 \"1234567\" 超过6个字符", "吸光度 \"0.1234\" 超过5个字符".
std::optional<QString> standardWindowProblem(const Standard& standard);

// "有11个标准点，窗口只接受2到10个", or nullopt.
std::optional<QString> windowCountProblem(qsizetype standards);

// The readings of a readings text, split at any white space (blanks, tabs, the ideographic
// space): "0.512  0.515" -> {"0.512", "0.515"}.
QStringList readingTexts(QStringView readings);

struct SampleValues {
    QList<double> readings; // 1 to kMaxReadings values
    double dilution = 1;    // > 0

    friend bool operator==(const SampleValues&, const SampleValues&) = default;
};

// The numbers of a sample row, or the reason it has none (Error::reason only):
//   "没有读数", "读数 \"0.5x\" 不是数字", "读数 \"1e999\" 超出数值范围", "读数有11个，最多10个",
//   "稀释倍数 \"x\" 不是数字", "稀释倍数 \"0\" 必须大于0".
// Readings as readingTexts splits them, each read with calc's strict parse. An empty dilution
// (or one of blanks) is 1.
Expected<SampleValues> sampleValues(const Sample& sample);

// The first thing that keeps a calibration out of the window, or nullopt: the number of
// standards (2..10, location empty), then each standard in order ("第3个标准点": box length,
// then number), then each sample ("第12个样品": sampleValues). Rows are counted from 1 as the
// window numbers them.
std::optional<Error> checkForWindow(const Calibration& calibration);

// The same without the window's limits, for the report: every standard and sample a number.
// The number of standards is not checked: too few to fit is the fit's own outcome.
std::optional<Error> checkNumbers(const Calibration& calibration);

} // namespace io
