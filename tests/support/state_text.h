#pragma once

// The worksheet's state as text, for test expectations and failure messages.

#include "worksheet/controls.h"
#include "worksheet/variant.h"
#include "worksheet/worksheet.h"

#include <ostream>
#include <sstream>
#include <string>
#include <utility>

namespace test {

// "empty", "integer 3" or "double 0.0123": the kind of a window-level value matters (a confirmed
// count is the parsed double, a refused one the integer 0).
inline std::string describe(const worksheet::Variant& value) {
    if (value.isEmpty()) {
        return "empty";
    }
    std::ostringstream out;
    out.precision(17);
    out << (value.isInteger() ? "integer " : "double ") << value.value();
    return out.str();
}

// Every text, caption, visibility and enabled state of the worksheet's controls and the six state
// values, one item a line: two snapshots differ exactly where something changed.
inline std::string snapshot(const worksheet::MainControls& c, const worksheet::State& s) {
    std::ostringstream out;
    for (int i = 0; i < worksheet::kRows; ++i) {
        out << "row " << i + 1 << ": '" << c.Text1[i]->Text() << "' '" << c.Text2[i]->Text() << "' "
            << (c.Label1[i]->Visible() ? "shown" : "hidden") << "\n";
    }
    const std::pair<const char*, const worksheet::TextBox*> boxes[] = {
        {"Text3", c.Text3}, {"Text4", c.Text4}, {"Text5", c.Text5},
        {"Text6", c.Text6}, {"Text7", c.Text7}, {"Text8", c.Text8},
    };
    for (const auto& [name, box] : boxes) {
        out << name << ": '" << box->Text() << "'" << (box->Enabled() ? " enabled" : " disabled")
            << "\n";
    }
    out << "Label6: '" << c.Label6->Caption() << "'\nLabel13: '" << c.Label13->Caption() << "'\n";
    out << "Combo1: '" << c.Combo1->Text() << "'\n";
    out.precision(17);
    out << "ActiveField " << static_cast<int>(s.ActiveField) << ", CurrentRow "
        << describe(s.CurrentRow) << ", PointCount " << describe(s.PointCount) << ", LoopIndex "
        << describe(s.LoopIndex) << ", Intercept " << describe(s.Intercept) << ", Slope " << s.Slope
        << "\n";
    return out.str();
}

} // namespace test

namespace worksheet {

// Lets GoogleTest print the values it compares.
inline void PrintTo(const Variant& value, std::ostream* out) {
    *out << test::describe(value);
}

inline void PrintTo(Field field, std::ostream* out) {
    *out << "field " << static_cast<int>(field);
}

inline void PrintTo(const State& state, std::ostream* out) {
    *out << "ActiveField " << static_cast<int>(state.ActiveField) << ", CurrentRow "
         << test::describe(state.CurrentRow) << ", PointCount " << test::describe(state.PointCount)
         << ", LoopIndex " << test::describe(state.LoopIndex) << ", Intercept "
         << test::describe(state.Intercept) << ", Slope " << state.Slope;
}

} // namespace worksheet
