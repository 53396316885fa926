#pragma once

// The rows of standards and samples as CSV files and pasted blocks give them, in Qt's texts, and
// their checks by the calibration's own rules (calibration/entries.h): one number grammar, the
// strict parse, everywhere.

#include "calibration/document.h"
#include "calibration/entries.h"
#include "io/error.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace io {

// One standard point: the texts of its concentration and its absorbance, and with the internal
// standard its response and concentration (empty when not given).
struct Standard {
    QString c;
    QString a;
    QString is{}, cIs{};

    friend bool operator==(const Standard&, const Standard&) = default;
};

// One row of the sample list, as typed.
struct Sample {
    QString name;       // free text, may be empty
    QString readings;   // one to ten absorbances separated by blanks: "0.512 0.515"
    QString dilution;   // the dilution factor; empty counts as 1
    QString mainResult; // the main window's result text (" .556417569880205"), empty if none
    // The batch's cells: the row's type, the sample it refers to and its numbers, as typed.
    QString type{}, of{}, added{}, nominal{}, certified{}, u{};
    // The internal standard's response (one, or one per reading) and concentration.
    QString is{}, cIs{};

    friend bool operator==(const Sample&, const Sample&) = default;
};

// The form calc's strict parse accepts, whether or not the value fits a double: [blanks] [+|-]
// digits with at most one "." and at least one digit [(E|e) [+|-] digits] [blanks].
bool hasNumberForm(QStringView text);

// Why a text is not one whole finite number by the strict parse, or nullopt:
// "浓度为空", "浓度 \"1.2.3\" 不是数字", "浓度 \"1e400\" 超出数值范围".
std::optional<calibration::Message> numberProblem(const QString& text, calibration::Field field);

// Why a standard's texts cannot be used, or nullopt: the concentration first.
std::optional<calibration::Message> standardNumberProblem(const Standard& standard);

// The readings of a readings text, split at any white space (blanks, tabs, the ideographic
// space): "0.512  0.515" -> {"0.512", "0.515"}.
QStringList readingTexts(QStringView readings);

// Why a sample row has no numbers (its readings first, then its dilution), or nullopt:
//   "没有读数", "读数 \"0.5x\" 不是数字", "读数有11个，最多10个",
//   "稀释倍数 \"0\" 应为2.2250738585072014e-308到1.7976931348623157e+308之间的数".
std::optional<calibration::Message> sampleProblem(const Sample& sample);

// The row as the document keeps it.
calibration::Standard toDocument(const Standard& standard);
calibration::Sample toDocument(const Sample& sample);

} // namespace io
