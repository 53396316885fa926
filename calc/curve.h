#pragma once

#include <string>
#include <vector>

namespace calc {

// The fitted standard curve: the points as read from the table, the unrounded line and the forms
// the main window shows.
struct Curve {
    std::vector<double> concentrations; // x of rows 0..n-1, in row order
    std::vector<double> absorbances;    // y of rows 0..n-1
    double a = 0.0, b = 0.0, r = 0.0;   // unrounded least squares
    // floorTo4(a) and floorTo4(b), the designed Intercept and Slope. The intercept is the value the
    // equation shows with its sign put back, so an a of -0.0 is stored as +0.
    double intercept = 0.0, slope = 0.0;
    std::string equation;    // the text written to Label6: "y=- .01+ .059x"
    std::string correlation; // the text written to Text3: " .997995"

    friend bool operator==(const Curve&, const Curve&) = default;
};

} // namespace calc
