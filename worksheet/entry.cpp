#include "worksheet/worksheet.h"

namespace worksheet {

namespace {

constexpr std::int16_t kBackspace = 8;
constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kPoint = 46;

// Only the keys of a plain unsigned decimal number pass. The filter judges each key alone:
// "007" and "1.2.3" can be typed.
bool passesTableFilter(std::int16_t key) {
    return key == kBackspace || key == kEnter || key == kPoint || (key >= '0' && key <= '9');
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
    if (!passesTableFilter(keyAscii)) {
        keyAscii = 0;
        return;
    }
    if (keyAscii != kEnter) {
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
    if (!passesTableFilter(keyAscii)) {
        keyAscii = 0;
        return;
    }
    if (keyAscii != kEnter) {
        return;
    }
    if (CurrentRow.value() < PointCount.value() - 1) {
        CurrentRow = CurrentRow + Variant(std::int16_t{1});
        focusRow(c.Text2, CurrentRow);
    }
}

} // namespace worksheet
