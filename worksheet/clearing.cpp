#include "worksheet/worksheet.h"

namespace worksheet {

// Back to a new point count: the whole table (all ten rows, whatever the count was), the count
// and the fit results are emptied. The stored Intercept and Slope and the sample frame stay.
void Worksheet::command5_Click() {
    PointCount = std::int16_t{0};
    for (std::int16_t i = 0; i < kRows; ++i) {
        LoopIndex = i;
        c.Text1[i]->SetText("");
        c.Text2[i]->SetText("");
    }
    showRows(0);
    // Emptied, not set back to the texts the window starts with.
    c.Text3->SetText("");
    c.Text4->SetText("");
    c.Text5->SetText("");
    c.Text6->SetText("");
    c.Label6->SetCaption("y=a+bx");
    ActiveField = Field::Count;
    c.Text4->SetEnabled(true);
    c.Text4->SetFocus();
    c.Text7->SetEnabled(false);
    curve_.reset();
    announce([](WorksheetListener& listener) { listener.curveCleared(); });
}

// Empties the sample frame only; the focus stays where it is.
void Worksheet::Command8_Click() {
    c.Text7->SetText("");
    c.Text8->SetText("");
    c.Label13->SetCaption("");
    announce([](WorksheetListener& listener) { listener.sampleCleared(); });
}

} // namespace worksheet
