#include "worksheet/keys.h"
#include "worksheet/worksheet.h"

namespace worksheet {

namespace {

// Cancels, silently, a key that cannot be part of a plain number; true when the key is Enter.
bool enterAfterTableFilter(std::int16_t& keyAscii) {
    if (!keys::passesNumberFilter(keyAscii)) {
        keyAscii = 0;
    }
    return keyAscii == keys::Enter;
}

void focusRow(const std::array<TextBox*, kRows>& boxes, const Variant& row) {
    const auto index = row.toInt16();
    if (index && *index >= 0 && *index < kRows) {
        boxes[*index]->SetFocus();
    }
}

} // namespace

// Enter walks the concentration boxes of the points in use, then moves on to the first
// absorbance box.
void Worksheet::Text1_KeyPress(std::int16_t /*index*/, std::int16_t& keyAscii) {
    if (!enterAfterTableFilter(keyAscii)) {
        return;
    }
    if (CurrentRow.value() <= PointCount.value() - 1) {
        CurrentRow = CurrentRow + Variant(std::int16_t{1});
        if (CurrentRow.value() < PointCount.value()) {
            focusRow(c.Text1, CurrentRow);
        } else {
            c.Text2[0]->SetFocus();
        }
    }
}

// Enter walks the absorbance boxes and stops at the last point in use.
void Worksheet::Text2_KeyPress(std::int16_t /*index*/, std::int16_t& keyAscii) {
    if (!enterAfterTableFilter(keyAscii)) {
        return;
    }
    if (CurrentRow.value() < PointCount.value() - 1) {
        CurrentRow = CurrentRow + Variant(std::int16_t{1});
        focusRow(c.Text2, CurrentRow);
    }
}

} // namespace worksheet
