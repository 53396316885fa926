#include "worksheet/messages.h"
#include "worksheet/worksheet.h"

namespace worksheet {

namespace {

// A box the keypad can act on: shown and enabled. A click aimed at any other box is ignored.
bool usable(const TextBox* box) {
    return box != nullptr && box->Visible() && box->Enabled();
}

// Removes the last character (not byte) of a UTF-8 text; pasted text may hold any character.
std::string withoutLastCharacter(std::string text) {
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80) {
            break;
        }
    }
    return text;
}

} // namespace

TextBox* Worksheet::tableBox(std::int16_t field) const {
    const auto row = CurrentRow.toInt16();
    if (!row || *row < 0 || *row >= kRows) {
        return nullptr;
    }
    return field == ConcentrationField ? c.Text1[*row] : c.Text2[*row];
}

TextBox* Worksheet::keypadTarget() const {
    switch (ActiveField) {
    case ConcentrationField:
    case AbsorbanceField:
        return tableBox(ActiveField);
    case CountField:
        return c.Text4;
    case SampleField:
        return c.Text7;
    default:
        return nullptr;
    }
}

// The keypad appends its caption at the end of the text, whatever the caret, after two content
// rules: no second zero after a lone "0", no second decimal point anywhere in the text.
void Worksheet::Command1_Click(std::int16_t index) {
    if (index < 0 || index >= kKeypadKeys) {
        return;
    }
    const std::string key = c.Command1[index]->Caption();

    if (ActiveField == CountField) {
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
    if (ActiveField == SampleField && PointCount.value() == 0) {
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
    const bool mayShorten = ActiveField != CountField || PointCount.value() == 0;
    if (mayShorten && !box->Text().empty()) {
        box->SetText(withoutLastCharacter(box->Text()));
    }
    box->SetFocus();
}

} // namespace worksheet
