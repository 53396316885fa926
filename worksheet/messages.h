#pragma once

#include <string_view>

// Marks a source text for Qt's translation tools without translating it here (Qt's own macro,
// defined alike when Qt is not included); the ui layer translates the message when it shows it,
// in the context "worksheet".
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// The texts of the worksheet's message boxes, exactly as the user reads them (ASCII "," and "!").
namespace worksheet::messages {

inline constexpr std::string_view CountOutOfRange =
    QT_TRANSLATE_NOOP("worksheet", "输入数据不在范围之内,请重新输入!");
inline constexpr std::string_view TwoZeros =
    QT_TRANSLATE_NOOP("worksheet", "不能连输二个0,请重新输入!");
inline constexpr std::string_view TwoPoints =
    QT_TRANSLATE_NOOP("worksheet", "不能输入二个小数点,请重新输入!");
inline constexpr std::string_view TableIncomplete =
    QT_TRANSLATE_NOOP("worksheet", "数据输入没有完成,请检查数据输入");
inline constexpr std::string_view TableNotNumber =
    QT_TRANSLATE_NOOP("worksheet", "数据输入有误,请检查数据输入");
inline constexpr std::string_view CannotFit =
    QT_TRANSLATE_NOOP("worksheet", "无法拟合标准曲线,请检查数据输入");
// The leading blank belongs to the message.
inline constexpr std::string_view SampleOutOfRange =
    QT_TRANSLATE_NOOP("worksheet", " 对不起,超出了曲线的线性范围!");
inline constexpr std::string_view NoCurve = QT_TRANSLATE_NOOP("worksheet", "没有可用的标准曲线!");
inline constexpr std::string_view SampleNotNumber =
    QT_TRANSLATE_NOOP("worksheet", "样品吸光度输入有误,请重新输入!");
inline constexpr std::string_view RangeInvalid =
    QT_TRANSLATE_NOOP("worksheet", "线性范围无效,请重新计算标准曲线!");

} // namespace worksheet::messages
