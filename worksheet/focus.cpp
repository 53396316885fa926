#include "worksheet/worksheet.h"

namespace worksheet {

void Worksheet::Form_Load() {
    c.showWindow();
    c.Text4->SetFocus();
    // No row of the table is shown until a point count is confirmed.
    for (std::int16_t i = 0; i < kRows; ++i) {
        LoopIndex = i;
        c.Label1[i]->SetVisible(false);
        c.Text1[i]->SetVisible(false);
        c.Text2[i]->SetVisible(false);
    }
    LoopIndex = std::int16_t{kRows};
}

// The focus handlers only record which entry box the user is filling, so that the keypad,
// whose buttons take the focus away, can write into it.
void Worksheet::Text1_GotFocus(std::int16_t index) {
    ActiveField = ConcentrationField;
    CurrentRow = index;
}

void Worksheet::Text2_GotFocus(std::int16_t index) {
    ActiveField = AbsorbanceField;
    CurrentRow = index;
}

void Worksheet::Text4_GotFocus() {
    ActiveField = CountField;
}

void Worksheet::Text7_GotFocus() {
    ActiveField = SampleField;
}

} // namespace worksheet
