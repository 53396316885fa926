#pragma once

#include "calc/curve.h"

#include <string>

namespace worksheet {

// A result shown in the sample frame: the absorbance text of Text7, the text written to Text8 and
// the unit written beside it.
struct SampleComputed {
    std::string absorbanceText;
    std::string result;
    std::string unit;
};

// Follows the worksheet without touching it; any number may listen. Each call comes after the
// handler has written everything the event changes.
class WorksheetListener {
public:
    virtual ~WorksheetListener() = default;
    // A fit that stored a curve (the table was complete and a line could be fitted).
    virtual void curveFitted(const calc::Curve&) {}
    // The table was cleared (command5).
    virtual void curveCleared() {}
    // Text8 received a result.
    virtual void sampleComputed(const SampleComputed&) {}
    // The sample frame was cleared (Command8).
    virtual void sampleCleared() {}
};

} // namespace worksheet
