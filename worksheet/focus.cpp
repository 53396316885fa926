#include "worksheet/worksheet.h"

namespace worksheet {

void Worksheet::Form_Load() {
    c.showWindow();
    c.Text4->SetFocus();
    // No row of the table is shown until a point count is confirmed.
    showRows(0);
}

// The focus handlers only record which entry box the user is filling, so that the keypad,
// whose buttons take the focus away, can write into it.
void Worksheet::Text1_GotFocus(std::int16_t index) {
    ActiveField = Field::Concentration;
    CurrentRow = index;
}

void Worksheet::Text2_GotFocus(std::int16_t index) {
    ActiveField = Field::Absorbance;
    CurrentRow = index;
}

void Worksheet::Text4_GotFocus() {
    ActiveField = Field::Count;
}

void Worksheet::Text7_GotFocus() {
    ActiveField = Field::Sample;
}

} // namespace worksheet
