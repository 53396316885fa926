#include "records/record.h"

#include "calc/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace records {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "3", "3.0", "3.00", ".5", "-0.25", "1e-3" (blanks around allowed) -> the shortest text of the
// number, "3", "0.5", "-0.25", "0.001"; nullopt for anything else, or a number beyond a double.
std::optional<std::string> numberKey(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    // from_chars takes neither "inf" nor "nan" only as a whole: refuse letters but the exponent.
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) {
            return isDigit(c) || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+';
        })) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0) {
        value = 0; // -0 is 0
    }
    return calc::formatNumber(value, calc::NumberStyle::shortestGeneral());
}

// A day as people write it in the header: "2026-12-07", "2026-12-7", "2026/12/07", "2026.12.07",
// "2026年12月7日", a time after it allowed ("2026-12-07 14:30") -> "2026-12-07"; nullopt for what
// is not a day of the calendar.
std::optional<std::string> dayOf(std::string_view text) {
    std::size_t at = 0;
    const auto number = [&](std::size_t most) {
        int value = 0;
        std::size_t digits = 0;
        while (at < text.size() && isDigit(text[at]) && digits < most) {
            value = value * 10 + (text[at++] - '0');
            ++digits;
        }
        return digits == 0 ? -1 : value;
    };
    const auto separator = [&](std::string_view chinese) {
        if (at < text.size() && (text[at] == '-' || text[at] == '/' || text[at] == '.')) {
            ++at;
            return true;
        }
        if (text.substr(at).starts_with(chinese)) {
            at += chinese.size();
            return true;
        }
        return false;
    };
    const std::size_t yearStart = at;
    const int year = number(4);
    if (at - yearStart != 4 || !separator("年")) {
        return std::nullopt;
    }
    const int month = number(2);
    if (month < 1 || month > 12 || !separator("月")) {
        return std::nullopt;
    }
    const int day = number(2);
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (year < 1 || day < 1 || day > days[month - 1] + (month == 2 && leap ? 1 : 0)) {
        return std::nullopt;
    }
    if (text.substr(at).starts_with("日")) {
        at += std::string_view("日").size();
    }
    if (at < text.size() && text[at] != ' ' && text[at] != 'T') {
        return std::nullopt;
    }
    char buffer[11];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return std::string(buffer);
}

} // namespace

std::optional<std::string> seriesKey(std::string_view text) {
    for (const std::string_view plain : {"spike", "duplicate", "blank", "slope", "intercept"}) {
        if (text == plain) {
            return std::string(plain);
        }
    }
    if (text.starts_with("check:")) {
        const auto number = numberKey(text.substr(6));
        if (number) {
            return "check:" + *number;
        }
        return std::nullopt;
    }
    if (text.starts_with("reference:") && text.size() > 10) {
        return std::string(text);
    }
    return std::nullopt;
}

std::string seriesOfRow(const QcRow& row) {
    if (row.type == "check") {
        const auto number = numberKey(row.nominal);
        return number ? "check:" + *number : std::string();
    }
    if (row.type == "reference") {
        return row.name.empty() ? std::string() : "reference:" + row.name;
    }
    if (row.type == "spike" || row.type == "duplicate" || row.type == "blank") {
        return row.type;
    }
    return {};
}

std::string chartDay(const BatchRecord& batch, std::string_view filingDay) {
    if (const auto day = dayOf(batch.header.analysisDate)) {
        return *day;
    }
    if (const auto day = dayOf(batch.created)) {
        return *day;
    }
    return std::string(filingDay.substr(0, 10));
}

} // namespace records
