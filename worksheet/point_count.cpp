#include "calc/number_text.h"
#include "worksheet/keys.h"
#include "worksheet/messages.h"
#include "worksheet/worksheet.h"

namespace worksheet {

namespace {

constexpr double kFewestPoints = 2;
constexpr double kMostPoints = 10;

} // namespace

// Only digits, Backspace and Enter reach the count box; anything else beeps.
void Worksheet::Text4_KeyPress(std::int16_t& keyAscii) {
    if (!keys::passesCountFilter(keyAscii)) {
        alerts.beep();
        keyAscii = 0;
    }
    if (keyAscii == keys::Enter) {
        confirmPointCount();
    }
}

// Warns as soon as the count being typed reads above 10. A pasted text that is no number
// gives no warning; the confirm reads it on its own terms.
void Worksheet::Text4_Change() {
    const std::string text = c.Text4->Text();
    if (text.empty()) {
        return;
    }
    const auto parsed = calc::strictParse(text);
    if (!parsed) {
        return;
    }
    const auto count = calc::toInt16(*parsed);
    if (!count || *count > kMostPoints) {
        alerts.message(messages::CountOutOfRange);
    }
}

void Worksheet::command9_Click() {
    confirmPointCount();
}

void Worksheet::confirmPointCount() {
    PointCount = calc::lenientParse(c.Text4->Text());
    if (PointCount.value() < kFewestPoints || PointCount.value() > kMostPoints) {
        alerts.beep();
        alerts.message(messages::CountOutOfRange);
        c.Text4->SetText("");
        ActiveField = Field::Count;
        PointCount = std::int16_t{0};
        c.Text4->SetEnabled(true);
        c.Text4->SetFocus();
        return; // the rows keep their visibility and their texts
    }

    showRows(PointCount.toInt16().value_or(0));
    ActiveField = Field::Concentration;
    c.Text1[0]->SetFocus();
    c.Text4->SetEnabled(false);
}

} // namespace worksheet
