#pragma once

#include "calc/curve.h"
#include "worksheet/controls.h"
#include "worksheet/listener.h"
#include "worksheet/variant.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace worksheet {

// Which entry box last received the focus, by its design code.
enum class Field : std::int16_t {
    None = 0,
    Concentration = 1, // Text1(CurrentRow)
    Absorbance = 2,    // Text2(CurrentRow)
    Count = 3,         // Text4
    Sample = 4,        // Text7
};

// The six window-level variables, by their design names, as read from outside.
struct State {
    Field ActiveField = Field::None;
    Variant CurrentRow;
    Variant PointCount;
    Variant LoopIndex;
    Variant Intercept;
    double Slope = 0.0;

    friend bool operator==(const State&, const State&) = default;
};

// The state and event handlers of the main window. Each handler is named after its control and
// event and works on the controls directly; the standard points live in the box texts, and the
// sample calculation reads its range back from them. The window-level variables are the State
// base, read from outside through state().
class Worksheet : private State {
public:
    Worksheet(MainControls& controls, Alerts& alerts) : c(controls), alerts(alerts) {}

    const State& state() const { return *this; }
    // The curve of the last successful fit; none before the first one and after the table was
    // cleared. Intercept and Slope keep their own lives: the clearing leaves them in place.
    const std::optional<calc::Curve>& curve() const { return curve_; }

    // The listener must outlive the worksheet or be removed first.
    void addListener(WorksheetListener* listener);
    void removeListener(WorksheetListener* listener);

    // Load step (runs once, at the first showing of the window).
    void Form_Load();

    // Focus tracking.
    void Text1_GotFocus(std::int16_t index);
    void Text2_GotFocus(std::int16_t index);
    void Text4_GotFocus();
    void Text7_GotFocus();

    // Keyboard entry of the point table.
    void Text1_KeyPress(std::int16_t index, std::int16_t& keyAscii);
    void Text2_KeyPress(std::int16_t index, std::int16_t& keyAscii);

    // On-screen keypad and backspace.
    void Command1_Click(std::int16_t index);
    void Command3_Click();

    // Point count.
    void Text4_KeyPress(std::int16_t& keyAscii);
    void Text4_Change();
    void command9_Click();

    // Clearing.
    void command5_Click();
    void Command8_Click();

    // Standard curve fit.
    void command4_Click();

    // Sample concentration.
    void Text7_KeyPress(std::int16_t& keyAscii);
    void Command7_Click();
    void Command7_KeyPress(std::int16_t& keyAscii);

private:
    // What the concentration step of a sample road did.
    enum class SampleStep { Skipped, Written, Stopped };

    void showRows(std::int16_t n);
    void confirmPointCount();
    TextBox* tableBox(Field field) const;
    TextBox* keypadTarget() const;

    // Steps shared by the three sample roads.
    bool sampleRangeTest(); // false when the road must stop
    SampleStep sampleConcentration();
    void finishSample(SampleStep concentration); // the no-curve and unit steps

    template <class Call> void announce(Call call) {
        const std::vector<WorksheetListener*> listeners = listeners_; // one may remove itself
        for (WorksheetListener* listener : listeners) {
            call(*listener);
        }
    }

    MainControls& c;
    Alerts& alerts;
    std::optional<calc::Curve> curve_;
    std::vector<WorksheetListener*> listeners_;
};

} // namespace worksheet
