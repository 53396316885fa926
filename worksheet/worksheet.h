#pragma once

#include "worksheet/controls.h"
#include "worksheet/variant.h"

#include <cstdint>

namespace worksheet {

// Which entry box last received the focus.
enum Field : std::int16_t {
    NoField = 0,
    ConcentrationField = 1, // Text1(CurrentRow)
    AbsorbanceField = 2,    // Text2(CurrentRow)
    CountField = 3,         // Text4
    SampleField = 4,        // Text7
};

// The state and event handlers of the main window. Each handler is named after its control and
// event and works on the controls directly; the standard points live only in the box texts.
class Worksheet {
public:
    Worksheet(MainControls& controls, Alerts& alerts) : c(controls), alerts(alerts) {}

    // The six window-level variables.
    std::int16_t ActiveField = NoField;
    Variant CurrentRow;
    Variant PointCount;
    Variant LoopIndex;
    Variant Intercept;
    double Slope = 0.0;

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
    void confirmPointCount();
    TextBox* tableBox(std::int16_t field) const;
    TextBox* keypadTarget() const;

    // Steps shared by the three sample roads; each returns false when the road must stop.
    bool sampleRangeTest();
    bool sampleConcentration();
    void sampleNoCurve();
    void sampleUnit();

    MainControls& c;
    Alerts& alerts;
};

} // namespace worksheet
