#pragma once

// Every number the program writes as text, in one place: a double and a named style. The decimal
// separator is always ".", whatever the locale (std::to_chars never looks at it).
//
//   style                     what it writes                                  examples
//   shortestRoundTrip()       the shortest text that reads back as the same   0.1 -> "0.1",
//                             double, plain or exponent form, whichever is    1e-07 -> "1e-07",
//                             shorter (plain on a tie); the files, the JSON,  -0.0 -> "-0",
//                             the command line and the copy                   0.1 + 0.2 ->
//                                                                             "0.30000000000000004"
//   significant(n)            n significant digits (1 to 17), correctly       1234567 (6) ->
//                             rounded from the exact binary value, ties to    "1234570",
//                             even, trailing zeros dropped; plain for a       1e15 (6) -> "1e+15",
//                             decimal exponent from -6 to 14 (after the       9.9999e-7 (6) ->
//                             rounding), else "d.ddde-07"; both zeros "0"     "9.9999e-07"
//   shortestGeneral()         every digit of shortestRoundTrip laid out as    1e-04 -> "0.0001",
//                             printf's %g with its default precision: the     1e-05 -> "1e-05",
//                             exponent form below 1e-04 and from 10^6; a      1234567 ->
//                             control chart's series key ("check:0.0001"),    "1.234567e+06",
//                             kept by the database as it was filed            -0.0 -> "-0"
//   readable()                significant(6): the analysis window's cells and the printed report
//   readableShortest()        every digit of shortestRoundTrip in the         1.2e-05 -> "0.000012"
//                             notation of significant(n); both zeros "0"
//   withDecimals(n, d)        significant(n) but at least d decimals, as a    0.053 (6, 4) ->
//                             mean keeps its readings' decimals; zeros are    "0.0530"
//                             added only to a plain text
//   coefficient()             an equation's coefficient: four significant     0.0963 -> "0.0963",
//                             digits of the shortest text (calc::roundSig-    1.234e-7 ->
//                             nificant), "d.ddde-07" outside a millionth to   "1.234e-07", -0 ->
//                             "0" below 10^15
//   fixed(d), exponent(d),    printf's %.*f, %.*e and %.*g as Qt writes them  2.5 fixed(0) -> "3",
//   general(n)                (QString::number): an exact tie rounds away     0.125 fixed(2) ->
//                             from zero, and -0 is written without its sign   "0.13"
//   tick(d), tickExponent(d)  an axis label: fixed(d) or exponent(d) with the 0.50 -> "0.5",
//                             trailing zeros of the digits dropped, never "-0" 2.50e-05 ->
//                             "2.5e-05"
//   worksheet()               the main window's result form (strForm in number_text.h)
//
// What is not finite is written "inf", "-inf" and "nan" by every style but worksheet().

#include <string>

namespace calc {

struct NumberStyle {
    enum class Kind {
        ShortestRoundTrip,
        ShortestGeneral,
        Significant,
        ReadableShortest,
        WithDecimals,
        Coefficient,
        Fixed,
        Exponent,
        General,
        Tick,
        TickExponent,
        Worksheet,
    };
    Kind kind = Kind::ShortestRoundTrip;
    int digits = 0;   // significant digits, or the digits after the point of fixed and exponent
    int decimals = 0; // withDecimals only

    static constexpr NumberStyle shortestRoundTrip() { return {Kind::ShortestRoundTrip}; }
    static constexpr NumberStyle shortestGeneral() { return {Kind::ShortestGeneral}; }
    static constexpr NumberStyle significant(int n) { return {Kind::Significant, n}; }
    static constexpr NumberStyle readable() { return significant(6); }
    static constexpr NumberStyle readableShortest() { return {Kind::ReadableShortest}; }
    static constexpr NumberStyle withDecimals(int n, int d) { return {Kind::WithDecimals, n, d}; }
    static constexpr NumberStyle coefficient() { return {Kind::Coefficient, 4}; }
    static constexpr NumberStyle fixed(int d) { return {Kind::Fixed, d}; }
    static constexpr NumberStyle exponent(int d) { return {Kind::Exponent, d}; }
    static constexpr NumberStyle general(int n) { return {Kind::General, n}; }
    static constexpr NumberStyle tick(int d) { return {Kind::Tick, d}; }
    static constexpr NumberStyle tickExponent(int d) { return {Kind::TickExponent, d}; }
    static constexpr NumberStyle worksheet() { return {Kind::Worksheet}; }
};

std::string formatNumber(double value, NumberStyle style);

// The same text appended to `out`, for reports of many numbers.
void appendNumber(std::string& out, double value, NumberStyle style);

} // namespace calc
