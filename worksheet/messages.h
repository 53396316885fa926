#pragma once

#include <string_view>

// The texts of the worksheet's message boxes, exactly as the user reads them (ASCII "," and "!").
namespace worksheet::messages {

inline constexpr std::string_view CountOutOfRange = "输入数据不在范围之内,请重新输入!";
inline constexpr std::string_view TwoZeros = "不能连输二个0,请重新输入!";
inline constexpr std::string_view TwoPoints = "不能输入二个小数点,请重新输入!";
inline constexpr std::string_view TableIncomplete = "数据输入没有完成,请检查数据输入";
inline constexpr std::string_view TableNotNumber = "数据输入有误,请检查数据输入";
inline constexpr std::string_view CannotFit = "无法拟合标准曲线,请检查数据输入";
// The leading blank belongs to the message.
inline constexpr std::string_view SampleOutOfRange = " 对不起,超出了曲线的线性范围!";
inline constexpr std::string_view NoCurve = "没有可用的标准曲线!";
inline constexpr std::string_view SampleNotNumber = "样品吸光度输入有误,请重新输入!";
inline constexpr std::string_view RangeInvalid = "线性范围无效,请重新计算标准曲线!";

} // namespace worksheet::messages
