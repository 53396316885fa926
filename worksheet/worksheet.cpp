#include "worksheet/worksheet.h"

#include <algorithm>

namespace worksheet {

void Worksheet::addListener(WorksheetListener* listener) {
    if (listener != nullptr &&
        std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void Worksheet::removeListener(WorksheetListener* listener) {
    std::erase(listeners_, listener);
}

// Hides all ten rows, then shows the first n; LoopIndex is left as the designed loops leave it:
// at 10 with nothing shown, at n otherwise.
void Worksheet::showRows(std::int16_t n) {
    for (std::int16_t i = 0; i < kRows; ++i) {
        LoopIndex = i;
        c.Label1[i]->SetVisible(false);
        c.Text1[i]->SetVisible(false);
        c.Text2[i]->SetVisible(false);
    }
    LoopIndex = std::int16_t{kRows};
    if (n <= 0) {
        return;
    }
    for (std::int16_t i = 0; i < n && i < kRows; ++i) {
        LoopIndex = i;
        c.Label1[i]->SetVisible(true);
        c.Text1[i]->SetVisible(true);
        c.Text2[i]->SetVisible(true);
    }
    LoopIndex = n;
}

} // namespace worksheet
