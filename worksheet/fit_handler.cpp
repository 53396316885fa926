#include "calc/fit.h"
#include "calc/number_text.h"
#include "worksheet/messages.h"
#include "worksheet/worksheet.h"

#include <string>
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
// when the table turns out to be incomplete.
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

    std::visit(Overloaded{
                   [&](const calc::Incomplete& incomplete) {
                       LoopIndex = static_cast<std::int16_t>(incomplete.row);
                       alerts.message(messages::TableIncomplete);
                   },
                   [&](const calc::Degenerate&) {
                       LoopIndex = n;
                       alerts.message(messages::CannotFit);
                   },
                   [&](const calc::Fitted& fit) {
                       LoopIndex = n;
                       c.Text3->SetText(fit.correlation);
                       // The linear range is the last point's pair of texts, as typed.
                       c.Text5->SetText(c.Text1[n - 1]->Text());
                       c.Text6->SetText(c.Text2[n - 1]->Text());
                       Intercept = fit.intercept;
                       Slope = fit.slope;
                       c.Label6->SetCaption(fit.equation);
                   },
               },
               calc::fitCurve(concentrations, absorbances));

    // Also after a refused table: a curve kept from an earlier fit stays usable.
    if (Slope != 0) {
        c.Text7->SetEnabled(true);
    }
}

} // namespace worksheet
