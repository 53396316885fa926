#include "calc/number_text.h"
#include "calc/sample.h"
#include "worksheet/keys.h"
#include "worksheet/messages.h"
#include "worksheet/worksheet.h"

#include <string>

namespace worksheet {

// The sample must lie within the standards' absorbances, Text2(0) to Text6, both bounds
// included and not put in order. Texts that are no number stop the road with their own
// message, and the user is sent back to the sample box.
bool Worksheet::sampleRangeTest() {
    switch (calc::rangeTest(c.Text7->Text(), c.Text6->Text(), c.Text2[0]->Text())) {
    case calc::Range::Inside:
        return true;
    case calc::Range::Outside:
        alerts.message(messages::SampleOutOfRange);
        break;
    case calc::Range::SampleNotNumber:
        alerts.message(messages::SampleNotNumber);
        break;
    case calc::Range::BoundsNotNumber:
        alerts.message(messages::RangeInvalid);
        break;
    }
    c.Text7->SetFocus();
    return false;
}

// C = (A - a) / b with the stored curve; runs only with a curve and a sample text.
Worksheet::SampleStep Worksheet::sampleConcentration() {
    if (Slope == 0 || c.Text7->Text().empty()) {
        return SampleStep::Skipped;
    }
    const auto concentration = calc::concentration(c.Text7->Text(), Intercept.value(), Slope);
    if (!concentration) {
        alerts.message(messages::SampleNotNumber);
        return SampleStep::Stopped;
    }
    c.Text8->SetText(calc::strForm(*concentration));
    return SampleStep::Written;
}

// The no-curve message, then the unit, taken from the list at the moment a result is shown.
void Worksheet::finishSample(SampleStep concentration) {
    if (Slope == 0 && !c.Text7->Text().empty()) {
        alerts.message(messages::NoCurve);
    }
    if (!c.Text8->Text().empty()) {
        c.Label13->SetCaption(c.Combo1->Text());
    }
    if (concentration == SampleStep::Written) {
        const SampleComputed computed{c.Text7->Text(), c.Text8->Text(), c.Combo1->Text()};
        announce([&](WorksheetListener& listener) { listener.sampleComputed(computed); });
    }
}

void Worksheet::Text7_KeyPress(std::int16_t& keyAscii) {
    if (PointCount.value() == 0) {
        return; // without a confirmed count the box is left to itself
    }
    if (!keys::passesNumberFilter(keyAscii)) {
        alerts.beep();
        keyAscii = 0;
    }
    if (keyAscii != keys::Enter || c.Text7->Text().empty()) {
        return;
    }
    if (!sampleRangeTest()) {
        return;
    }
    const SampleStep concentration = sampleConcentration();
    if (concentration != SampleStep::Stopped) {
        finishSample(concentration);
    }
}

void Worksheet::Command7_Click() {
    SampleStep concentration = SampleStep::Skipped;
    if (Slope != 0 && !c.Text7->Text().empty()) {
        if (!sampleRangeTest()) {
            return;
        }
        concentration = sampleConcentration();
        if (concentration == SampleStep::Stopped) {
            return;
        }
    }
    finishSample(concentration);
}

// Enter on the focused button computes without the range test, but does not read a sample that
// is no number as one (".", "1.2.3", letters): it sends the user back to the sample box.
void Worksheet::Command7_KeyPress(std::int16_t& keyAscii) {
    if (keyAscii != keys::Enter) {
        return;
    }
    const std::string sample = c.Text7->Text();
    if (Slope != 0 && !sample.empty() && !calc::strictParse(sample)) {
        alerts.message(messages::SampleNotNumber);
        c.Text7->SetFocus();
        return;
    }
    const SampleStep concentration = sampleConcentration();
    if (concentration != SampleStep::Stopped) {
        finishSample(concentration);
    }
}

} // namespace worksheet
