#pragma once

// The measurement uncertainty of a result, with its budget.
//
// Every component is relative (a fraction: 0.01 is 1 %), so that a component given once applies
// to every result of a batch whatever its size, and the combined relative standard uncertainty is
// their root sum of squares:
//   u_c,rel = sqrt(sum u_i^2),   share_i = u_i^2 / u_c,rel^2,   u_c = u_c,rel * result.
// Bottom-up the components are the calibration (s(x0) / x0, with the calibration's degrees of
// freedom) and those typed in the method: a relative standard uncertainty as it is, or a relative
// tolerance +-a with its distribution, a / sqrt(3) rectangular, a / sqrt(6) triangular, a / 1.96
// normal at 95 %, all with infinitely many degrees of freedom. Top-down (a control chart and
// reference materials) they are u(Rw) and u(bias).
//
// Coverage: k = 2, or k = t(0.975; nu_eff) with the effective degrees of freedom of
// Welch-Satterthwaite,
//   nu_eff = u_c^4 / sum(u_i^4 / nu_i) = 1 / sum(share_i^2 / nu_i),
// not rounded (t of a fractional degree of freedom), components of infinite nu_i left out of the
// sum; +infinity when none is left (k is then the normal quantile 1.959964).
//
// U = k * u_c is written with two significant digits rounded upward, so that an uncertainty is
// never understated (0.01831 -> "0.019", 123.4 -> "130"). The rounding is on U's decimal text,
// taken to the 15 significant digits in which the program writes any result: the last bits of the
// arithmetic (a square root, a quotient, a quantile) are noise of a few units in the 17th digit and
// go, every digit that the inputs determine stays. So 3 * 0.006, which the doubles make
// 0.018000000000000002, is "0.018", while 0.0180000000001 is "0.019".
// A result with more decimals than U is then written to U's last digit (GB/T 8170, from the
// result's value, never from its rounded text): 0.26017 with U "0.036" -> "0.260".

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace calc {

// How a tolerance +-a is spread.
enum class Distribution {
    Rectangular, // a / sqrt(3)
    Triangular,  // a / sqrt(6)
    Normal95,    // a / 1.96: a normal distribution of which +-a holds 95 %
};

// A component as typed in the method: a relative standard uncertainty (tolerance empty), or a
// relative tolerance +-value with its distribution.
struct TypedComponent {
    double value = 0;
    std::optional<Distribution> tolerance;
};

// The relative standard uncertainty of a typed component: 0.01 -> 0.01; +-0.01 rectangular ->
// 0.0057735...; +-0.0098 normal at 95 % -> 0.005. None for a value that is negative, NaN or
// infinite.
std::optional<double> relativeStandardUncertainty(const TypedComponent& typed);

// One component of the budget. `name` is the caller's key ("calibration", "volume", ...); those
// that this file forms are named below.
struct Component {
    std::string name;
    double uRel = 0;           // relative standard uncertainty, >= 0
    std::optional<double> dof; // degrees of freedom; empty: infinite
};

// Why no uncertainty can be given. `index` is the component of InvalidComponent and
// NoDegreesOfFreedom, the reference result of InvalidReference; 0 for the others.
struct UncertaintyProblem {
    enum class Kind {
        NotPositive,              // the result (or x0) is 0 or below, or not finite: no
                                  // relative uncertainty
        NoCalibrationUncertainty, // s(x0) is missing (no degrees of freedom, no weight...)
        InvalidComponent,         // a uRel that is negative, NaN or infinite
        NoDegreesOfFreedom,       // a finite dof that is not above 0 (or is NaN)
        TooFewSpikes,             // fewer than two spike recoveries
        SpikeMeanNotPositive,     // the spikes' mean recovery is 0 or below
        NoReferenceResults,       // top-down: no filed reference-material result
        InvalidReference,         // a certified value <= 0, a certified U < 0, a value not finite
        InvalidRw,                // top-down: u(Rw) negative or not finite
        OutOfRange,               // u_c or U does not fit in a double
    };
    Kind kind;
    std::size_t index = 0;

    friend bool operator==(const UncertaintyProblem&, const UncertaintyProblem&) = default;
};

// The calibration term "calibration": s(x0) / x0 with the calibration's degrees of freedom (n - 2
// for the straight line, the fit's dof for every model). x0 and s(x0) before any dilution, or
// after it: the ratio is the same. NotPositive for x0 <= 0 (checked first), then
// NoCalibrationUncertainty without s(x0), NoDegreesOfFreedom for dof < 1.
std::variant<Component, UncertaintyProblem>
calibrationComponent(double x0, std::optional<double> sX0, int dof);

// The recovery term "recovery" from the batch's spikes: s(R) / (mean(R) * sqrt(n)), s with n - 1
// and infinite degrees of freedom as a typed component. Recoveries as fractions or percentages
// alike (the ratio is the same): 98, 102, 100 -> 2 / (100 * sqrt(3)) = 0.011547. TooFewSpikes
// below two, SpikeMeanNotPositive for a mean <= 0, InvalidComponent (index: the recovery) for a
// value that is not finite.
std::variant<Component, UncertaintyProblem>
spikeRecoveryComponent(std::span<const double> recoveries);

// Top-down. A filed reference-material result: the value found, the certified value and its
// expanded uncertainty U (k = 2), all in one unit.
struct ReferenceResult {
    double measured = 0;
    double certified = 0;
    double certifiedU = 0;
};

// u(bias) = sqrt(RMS_bias^2 + u(C_ref)^2), with the relative biases b_i = (measured - certified) /
// certified, RMS_bias = sqrt(sum b_i^2 / n), and u(C_ref) the mean of the relative standard
// uncertainties of the certified values, U_i / (2 * certified_i).
struct BiasEstimate {
    int n = 0;
    double rmsBias = 0;
    double uCref = 0;
    double uBias = 0;
};
// NoReferenceResults for none (missing data is named, never taken as 0), InvalidReference
// (index: the result) for a certified value <= 0, a certified U < 0 or a value not finite.
std::variant<BiasEstimate, UncertaintyProblem>
biasEstimate(std::span<const ReferenceResult> results);

// The two top-down components: "rw" (u(Rw), the relative standard deviation of the check
// standard's control chart over its reference period, at the level nearest the result, with rwDof
// degrees of freedom when given)
// and "bias" (u(bias), infinite degrees of freedom). InvalidRw for a u(Rw) that is negative or not
// finite.
std::variant<std::vector<Component>, UncertaintyProblem>
topDownComponents(double uRw, const BiasEstimate& bias, std::optional<double> rwDof = {});

enum class Coverage {
    Two,      // k = 2
    StudentT, // k = t(0.975; nu_eff)
};

// One line of the budget: the component, its relative standard uncertainty, its share of
// u_c,rel^2 (all 0 when u_c is 0) and its standard uncertainty in the result's unit.
struct BudgetLine {
    std::string name;
    double uRel = 0;
    double u = 0; // uRel * result
    double share = 0;
    std::optional<double> dof;
};

struct Uncertainty {
    double result = 0;
    double uRel = 0; // u_c,rel
    double uC = 0;   // u_c = u_c,rel * result
    double k = 2;
    std::optional<double> nuEff; // with Coverage::StudentT only; +infinity as above
    double expanded = 0;         // U = k * u_c
    std::string expandedText;    // U to two significant digits, upward: "0.019", "130", "0.0"
    int expandedPlace = 0;       // the power of ten of U's last digit: -3 for "0.019", 1 for "130"
    std::vector<BudgetLine> components; // in the order given
};

// The combined and expanded uncertainty of a result (in its reporting unit, after dilution and
// conversion) from its relative components. Problems in this order: NotPositive (result <= 0 or
// not finite), InvalidComponent, NoDegreesOfFreedom (the first such component), OutOfRange. No
// component at
// all, or all of 0, gives u_c = 0 and U "0.0" at place -1; a result below the reported
// quantitation limit is the caller's to refuse before ("低于定量限").
std::variant<Uncertainty, UncertaintyProblem>
evaluateUncertainty(double result, std::span<const Component> components, Coverage coverage);

// U written with two significant digits rounded upward, and the place of its last digit, as in
// Uncertainty::expandedText and expandedPlace: 0.00293 -> "0.0030" at -4, 9.91 -> "10" at 0.
// U = 0 gives "0.0" at -1.
struct ExpandedText {
    std::string text;
    int place = 0;
};
ExpandedText expandedUncertaintyText(double expanded);

// The result as reported beside U: its own text (written by its rounding rule) when that has no
// digit below U's place, else the result rounded half to even to U's place from its value:
// (0.26017, "0.26017", -3) -> "0.260"; (0.26017, "0.26", -3) -> "0.26"; (1234.5, "1234.5", 1)
// -> "1230". With U = 0 the result's own text stays.
std::string resultBesideUncertainty(double result, const std::string& resultText,
                                    const ExpandedText& expanded);

} // namespace calc
