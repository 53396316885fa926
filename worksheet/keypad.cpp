#include "calc/utf8.h"
#include "worksheet/messages.h"
#include "worksheet/worksheet.h"

namespace worksheet {

namespace {

// A box the keypad can act on: shown and enabled. A click aimed at any other box is ignored.
bool usable(const TextBox* box) {
    return box != nullptr && box->Visible() && box->Enabled();
}

} // namespace

TextBox* Worksheet::tableBox(Field field) const {
    const auto row = CurrentRow.toInt16();
    if (!row || *row < 0 || *row >= kRows) {
        return nullptr;
    }
    return field == Field::Concentration ? c.Text1[*row] : c.Text2[*row];
}

TextBox* Worksheet::keypadTarget() const {
    switch (ActiveField) {
    case Field::Concentration:
    case Field::Absorbance:
        return tableBox(ActiveField);
    case Field::Count:
        return c.Text4;
    case Field::Sample:
        return c.Text7;
    case Field::None:
        break;
    }
    return nullptr;
}

// The keypad appends its caption at the end of the text, whatever the caret, after two content
// rules: no second zero after a lone "0", no second decimal point anywhere in the text.
void Worksheet::Command1_Click(std::int16_t index) {
    if (index < 0 || index >= kKeypadKeys) {
        return;
    }
    const std::string key = c.Command1[index]->Caption();

    if (ActiveField == Field::Count) {
        TextBox& count = *c.Text4;
        bool refused = false;
        if (count.Text() == "0" && key == "0") {
            alerts.message(messages::TwoZeros);
            refused = true;
        }
        count.SetEnabled(true);
        count.SetFocus();
        // The point key adds nothing to a count; the change handling checks the new count.
        if (key != "." && !refused) {
            count.SetText(count.Text() + key);
        }
        return;
    }
    if (ActiveField == Field::Sample && PointCount.value() == 0) {
        return;
    }

    TextBox* box = keypadTarget();
    if (!usable(box)) {
        return;
    }
    const std::string text = box->Text();
    if (text == "0" && key == "0") {
        alerts.message(messages::TwoZeros);
    } else if (key == "." && text.find('.') != std::string::npos) {
        alerts.message(messages::TwoPoints);
    } else {
        // A full box keeps its leading characters: the new one is lost without a message.
        box->SetText(text + key);
    }
    box->SetFocus();
}

// Backspace removes the last character of the box the user was filling and gives it the focus
// back. A confirmed point count cannot be shortened.
void Worksheet::Command3_Click() {
    TextBox* box = keypadTarget();
    if (!usable(box)) {
        return;
    }
    const bool mayShorten = ActiveField != Field::Count || PointCount.value() == 0;
    if (mayShorten && !box->Text().empty()) {
        box->SetText(calc::utf8::withoutLastCharacter(box->Text()));
    }
    box->SetFocus();
}

} // namespace worksheet
