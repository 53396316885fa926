#pragma once

// The typed cells of a sample row, once: their keys and Chinese names as a CSV header names them,
// in the order a CSV block without a header gives them, and where each is kept in a Sample. The
// CSV reader, the document's edits and the sample list read this table.

#include "calibration/document.h"
#include "calibration/message.h"

#include <array>
#include <cstddef>
#include <string>

namespace calibration {

// clang-format off
enum class SampleColumn { Name, Readings, Dilution, Type, Of, Added, Nominal, Certified, U, IS, CIs };
// clang-format on

struct SampleColumnName {
    SampleColumn column;
    const char* key;  // as a header may write it, in any letter case
    const char* name; // as a header may write it instead, and the history shows it translated
    std::string Sample::*cell;
};

inline constexpr std::array<SampleColumnName, 11> kSampleColumns{{
    {SampleColumn::Name, "name", QT_TRANSLATE_NOOP("calibration", "名称"), &Sample::name},
    {SampleColumn::Readings, "readings", QT_TRANSLATE_NOOP("calibration", "读数"),
     &Sample::readings},
    {SampleColumn::Dilution, "dilution", QT_TRANSLATE_NOOP("calibration", "稀释倍数"),
     &Sample::dilution},
    {SampleColumn::Type, "type", QT_TRANSLATE_NOOP("calibration", "类型"), &Sample::type},
    {SampleColumn::Of, "of", QT_TRANSLATE_NOOP("calibration", "所指样品"), &Sample::of},
    {SampleColumn::Added, "added", QT_TRANSLATE_NOOP("calibration", "加标量"), &Sample::added},
    {SampleColumn::Nominal, "nominal", QT_TRANSLATE_NOOP("calibration", "标称浓度"),
     &Sample::nominal},
    {SampleColumn::Certified, "certified", QT_TRANSLATE_NOOP("calibration", "标准值"),
     &Sample::certified},
    {SampleColumn::U, "u", QT_TRANSLATE_NOOP("calibration", "不确定度U"), &Sample::u},
    {SampleColumn::IS, "is", QT_TRANSLATE_NOOP("calibration", "内标响应"), &Sample::is},
    {SampleColumn::CIs, "c_is", QT_TRANSLATE_NOOP("calibration", "内标浓度"), &Sample::cIs},
}};

inline std::string& sampleCell(Sample& sample, SampleColumn column) {
    return sample.*kSampleColumns[std::size_t(column)].cell;
}

} // namespace calibration
