#pragma once

// The worksheet's rules on the fake main window: a loaded window, the user's clicks and keys, and
// the message boxes and beeps recorded.

#include "tests/support/recording_alerts.h"
#include "tests/support/state_text.h"
#include "tests/worksheet/fake_window.h"
#include "worksheet/keys.h"
#include "worksheet/messages.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace test {

using Alerts = std::vector<std::string>;
using Texts = std::vector<std::string>;

inline const std::string kBeep{RecordingAlerts::kBeep};
inline const std::string kCountOutOfRange{worksheet::messages::CountOutOfRange};
inline const std::string kTwoZeros{worksheet::messages::TwoZeros};
inline const std::string kTwoPoints{worksheet::messages::TwoPoints};
inline const std::string kIncomplete{worksheet::messages::TableIncomplete};
inline const std::string kNotNumber{worksheet::messages::TableNotNumber};
inline const std::string kCannotFit{worksheet::messages::CannotFit};
inline const std::string kOutOfRange{worksheet::messages::SampleOutOfRange};
inline const std::string kNoCurve{worksheet::messages::NoCurve};
inline const std::string kSampleNotNumber{worksheet::messages::SampleNotNumber};
inline const std::string kRangeInvalid{worksheet::messages::RangeInvalid};

inline constexpr std::int16_t kEnter = worksheet::keys::Enter;
inline constexpr std::int16_t kBackspace = worksheet::keys::Backspace;

// The texts a fresh window shows in its result boxes.
inline constexpr const char* kInitialR = "0.000000";
inline constexpr const char* kInitialTopC = "000000";
inline constexpr const char* kInitialTopA = "0.000";
inline constexpr const char* kInitialEquation = "y=a+bx";

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override { restart(); }

    // A new window after its load step, as at the program's start.
    void restart();

    worksheet::Worksheet& sheet() { return window->sheet(); }
    worksheet::State state() const { return window->sheet().state(); }

    fake::TextBox* box(std::string_view name) const;
    fake::TextBox* text1(int row) const;
    fake::TextBox* text2(int row) const;
    fake::TextBox* sampleBox() const { return box("Text7"); }
    fake::Button* button(std::string_view name) const;
    fake::Label* label(std::string_view name) const;

    std::string text(std::string_view name) const { return box(name)->Text(); }
    std::string caption(std::string_view name) const { return label(name)->Caption(); }
    std::string focus() const { return window->focus(); }

    void click(fake::TextBox* target) { window->click(target); }
    void click(fake::Button* target) { window->click(target); }
    void click(std::string_view buttonName) { window->click(button(buttonName)); }
    void type(std::string_view typed) { window->type(typed); }
    void press(std::int16_t code) { window->press(code); }
    void clickAndType(fake::TextBox* target, std::string_view typed);

    // Clicks the keypad keys of the captions in turn: '0'..'9', '.', and '<' for 退格.
    void clickKeys(std::string_view captions);
    fake::Button* keypadKey(char caption) const;

    // Types n into the count box and presses Enter.
    void confirmCount(int n);
    // Types the texts into the first rows' boxes, clicking each box first; "" leaves one alone.
    void fillTable(const Texts& concentrations, const Texts& absorbances);
    // Confirms n points, fills the table and clicks 计算; returns what the fit showed.
    Alerts fit(const Texts& concentrations, const Texts& absorbances);
    // Clicks into the box, erases its text with Backspace and types the new one.
    void retype(fake::TextBox* target, std::string_view typed);
    // Clicks into the box and pastes: no key filter, the text cut to the box's length.
    void paste(fake::TextBox* target, std::string_view pasted);
    void chooseUnit(std::string_view unit) { window->combo().text = unit; }

    // One character per table row: '1' when its label and both boxes are shown, '0' when all
    // three are hidden, '?' for anything in between.
    std::string rowVisibility() const;
    // Every text, caption, visibility and enabled state and the six state values, one item a
    // line: two snapshots differ exactly where something changed.
    std::string snapshot() const;

    Alerts takeAlerts() { return alerts.take(); }

    RecordingAlerts alerts;
    std::unique_ptr<fake::Window> window;
};

} // namespace test
