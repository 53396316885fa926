#include "worksheet/worksheet.h"

namespace worksheet {

// Back to a new point count: the whole table (all ten rows, whatever the count was), the count
// and the fit results are emptied. The stored curve and the sample frame stay.
void Worksheet::command5_Click() {
    PointCount = std::int16_t{0};
    for (std::int16_t i = 0; i < kRows; ++i) {
        LoopIndex = i;
        c.Text1[i]->SetText("");
        c.Text2[i]->SetText("");
        c.Label1[i]->SetVisible(false);
        c.Text1[i]->SetVisible(false);
        c.Text2[i]->SetVisible(false);
    }
    LoopIndex = std::int16_t{kRows};
    // Emptied, not set back to the texts the window starts with.
    c.Text3->SetText("");
    c.Text4->SetText("");
    c.Text5->SetText("");
    c.Text6->SetText("");
    c.Label6->SetCaption("y=a+bx");
    ActiveField = CountField;
    c.Text4->SetEnabled(true);
    c.Text4->SetFocus();
    c.Text7->SetEnabled(false);
}

// Empties the sample frame only; the focus stays where it is.
void Worksheet::Command8_Click() {
    c.Text7->SetText("");
    c.Text8->SetText("");
    c.Label13->SetCaption("");
}

} // namespace worksheet
