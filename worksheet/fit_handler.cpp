#include "calc/fit.h"
#include "worksheet/messages.h"
#include "worksheet/worksheet.h"

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace worksheet {

namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };

void putZeroInFront(TextBox& box) {
    const std::string text = box.Text();
    const std::string prefixed = calc::zeroPrefixed(text, box.MaxLength());
    if (prefixed != text) {
        box.SetText(prefixed);
    }
}

} // namespace

// Fits y = a + b·x to the points in use. The "0" put in front of ".5" stays in the box even
// when the table is then refused: for an empty box, for a text that is no number, or for points
// through which no line can be fitted.
void Worksheet::command4_Click() {
    if (!(PointCount.value() > 0)) {
        return;
    }
    const std::int16_t n = PointCount.toInt16().value_or(0);
    if (n < 1 || n > kRows) {
        return;
    }

    std::vector<std::string> concentrations;
    std::vector<std::string> absorbances;
    for (std::int16_t i = 0; i < n; ++i) {
        LoopIndex = i;
        putZeroInFront(*c.Text1[i]);
        putZeroInFront(*c.Text2[i]);
        concentrations.push_back(c.Text1[i]->Text());
        absorbances.push_back(c.Text2[i]->Text());
    }

    bool fitted = false;
    calc::FitOutcome outcome = calc::fitCurve(concentrations, absorbances);
    std::visit(Overloaded{
                   [&](const calc::Incomplete& incomplete) {
                       LoopIndex = static_cast<std::int16_t>(incomplete.row);
                       alerts.message(messages::TableIncomplete);
                   },
                   [&](const calc::NotANumber& notANumber) {
                       LoopIndex = static_cast<std::int16_t>(notANumber.row);
                       alerts.message(messages::TableNotNumber);
                   },
                   [&](const calc::Degenerate&) {
                       LoopIndex = n;
                       alerts.message(messages::CannotFit);
                   },
                   [&](calc::Curve& curve) {
                       LoopIndex = n;
                       c.Text3->SetText(curve.correlation);
                       // The linear range is the last point's pair of texts, as typed; the sample
                       // calculation reads its upper bound back from Text6.
                       c.Text5->SetText(c.Text1[n - 1]->Text());
                       c.Text6->SetText(c.Text2[n - 1]->Text());
                       Intercept = curve.intercept;
                       Slope = curve.slope;
                       c.Label6->SetCaption(curve.equation);
                       curve_ = std::move(curve);
                       fitted = true;
                   },
               },
               outcome);

    // Also after a refused table: a curve kept from an earlier fit stays usable.
    if (Slope != 0) {
        c.Text7->SetEnabled(true);
    }
    if (fitted) {
        announce([this](WorksheetListener& listener) { listener.curveFitted(*curve_); });
    }
}

} // namespace worksheet
