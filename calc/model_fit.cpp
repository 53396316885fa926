#include "calc/model_fit.h"

#include "calc/exact_arithmetic.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace calc {
namespace {

using exact::Integer;
using exact::Scale;
using Extended = long double;

// Up to these sizes the arithmetic stays exact; beyond them a column is held in fixed point
// relative to its largest value, and the weights are rounded (see model_fit.h).
constexpr std::int64_t kExactColumnBits = 8192;
constexpr std::int64_t kFixedPointBits = 1024;
constexpr std::int64_t kExactWeightBits = 4096;
constexpr std::int64_t kRoundedWeightBits = 256;

std::int64_t msbOf(const Integer& value) {
    return static_cast<std::int64_t>(boost::multiprecision::msb(value));
}

// The standards' values of one variable as integers times a common scale.
struct Column {
    std::vector<Integer> values;
    Scale scale;
};

Column scaledColumn(std::span<const Decimal> decimals, std::size_t count) {
    Column column;
    column.values.resize(count);
    bool any = false;
    std::int64_t low = 0;  // exponent of the lowest digit
    std::int64_t high = 0; // exponent just above the highest one
    for (std::size_t i = 0; i < count; ++i) {
        const Decimal& d = decimals[i];
        if (d.isZero()) {
            continue;
        }
        const std::int64_t top = d.exponent + static_cast<std::int64_t>(d.digits.size());
        low = any ? std::min(low, d.exponent) : d.exponent;
        high = any ? std::max(high, top) : top;
        any = true;
    }
    if (!any) {
        return column;
    }
    // 10 < 2^3.33
    const bool exactFits = static_cast<double>(high - low) * 3.33 <= kExactColumnBits;
    column.scale = exactFits ? Scale{low, 0} : Scale{high, -kFixedPointBits};
    for (std::size_t i = 0; i < count; ++i) {
        const Decimal& d = decimals[i];
        if (d.isZero()) {
            continue;
        }
        Integer& v = column.values[i];
        if (exactFits) {
            v = exact::integerOfDigits(d.digits) *
                exact::powerOfTen(static_cast<std::uint64_t>(d.exponent - low));
        } else {
            // digits * 10^-k * 2^kFixedPointBits, rounded; 0 when below a quarter.
            const std::int64_t k = high - d.exponent;
            const auto length = static_cast<std::int64_t>(d.digits.size());
            if (static_cast<double>(k - length) * 3.32 > kFixedPointBits + 2) {
                continue;
            }
            const Integer num = exact::integerOfDigits(d.digits) << (kFixedPointBits + 1);
            const Integer den = exact::powerOfTen(static_cast<std::uint64_t>(k));
            v = (num / den + 1) >> 1;
        }
        if (d.negative) {
            v = -v;
        }
    }
    return column;
}

// The weights of the fitted standards as integers: f_i = raw[i] / denominator * scale.
struct WeightSet {
    std::vector<Integer> raw; // 0 for standards not fitted
    Integer denominator = 1;
    Scale scale;
};

// f_i = c[i] / d[i] * scale (c, d > 0 for the fitted standards): exact over the least common
// multiple of the d while it stays small, otherwise rounded to kRoundedWeightBits bits or more.
WeightSet weightsOfFractions(const std::vector<Integer>& c, const std::vector<Integer>& d,
                             const std::vector<bool>& fitted, Scale scale) {
    WeightSet set;
    set.raw.resize(c.size());
    set.scale = scale;
    Integer common = 1;
    const Integer* previous = nullptr;
    bool exactFits = true;
    for (std::size_t i = 0; i < c.size() && exactFits; ++i) {
        if (!fitted[i] || (previous != nullptr && *previous == d[i])) {
            continue;
        }
        // gcd(common, d) = gcd(d, common mod d): the big number is divided once, and Boost's
        // binary gcd then works on numbers the size of d.
        common = common / boost::multiprecision::gcd(d[i], Integer(common % d[i])) * d[i];
        previous = &d[i];
        exactFits = msbOf(common) <= kExactWeightBits;
    }
    if (exactFits) {
        set.denominator = common;
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (fitted[i]) {
                set.raw[i] = c[i] * (common / d[i]);
            }
        }
        return set;
    }
    std::int64_t spread = 0;
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (fitted[i]) {
            spread = std::max(spread, msbOf(d[i]) - msbOf(c[i]));
        }
    }
    const std::int64_t bits = kRoundedWeightBits + spread + 2;
    set.denominator = Integer(1) << bits;
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (fitted[i]) {
            set.raw[i] = ((c[i] << (bits + 1)) / d[i] + 1) >> 1;
        }
    }
    return set;
}

// Weights given as doubles: each is m * 2^e exactly.
WeightSet weightsOfDoubles(std::span<const double> weights, const std::vector<bool>& fitted) {
    WeightSet set;
    set.raw.resize(fitted.size());
    int lowest = 0;
    bool any = false;
    std::vector<std::pair<std::uint64_t, int>> parts(fitted.size());
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        if (!fitted[i]) {
            continue;
        }
        int e = 0;
        const double fraction = std::frexp(weights[i], &e);
        parts[i] = {static_cast<std::uint64_t>(std::ldexp(fraction, 53)), e - 53};
        lowest = any ? std::min(lowest, e - 53) : e - 53;
        any = true;
    }
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        if (fitted[i]) {
            set.raw[i] = Integer(parts[i].first) << (parts[i].second - lowest);
        }
    }
    set.scale = {0, lowest};
    return set;
}

struct Basis {
    int size;
    std::array<int, 3> power; // of x; also the index of a, b, c
};

Basis basisOf(Model model) {
    switch (model) {
    case Model::Origin:
        return {1, {1, 0, 0}};
    case Model::Quadratic:
        return {3, {0, 1, 2}};
    case Model::Line:
        break;
    }
    return {2, {0, 1, 0}};
}

// Groups of fitted standards with equal concentrations, ascending.
struct Levels {
    std::vector<std::vector<std::size_t>> members;
    std::vector<std::size_t> levelOf; // per standard
};

Levels levelsOf(std::span<const Decimal> x, const std::vector<bool>& fitted) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        if (fitted[i]) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t l, std::size_t r) { return x[l] < x[r]; });
    Levels levels;
    levels.levelOf.resize(fitted.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k == 0 || x[order[k]] != x[order[k - 1]]) {
            levels.members.emplace_back();
        }
        levels.members.back().push_back(order[k]);
        levels.levelOf[order[k]] = levels.members.size() - 1;
    }
    return levels;
}

std::optional<FitProblem> weightProblem(std::span<const Decimal> x, std::span<const Decimal> y,
                                        const std::vector<bool>& fitted, Weighting weighting,
                                        const std::span<const double>* given,
                                        const Levels& levels) {
    // 1/s^2: whether each level's absorbances are all equal, once a level.
    std::vector<bool> flat(levels.members.size());
    for (std::size_t l = 0; l < flat.size(); ++l) {
        const auto& level = levels.members[l];
        flat[l] = std::all_of(level.begin(), level.end(),
                              [&](std::size_t k) { return y[k] == y[level.front()]; });
    }
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        if (!fitted[i]) {
            continue;
        }
        const auto problem = [i](FitProblem::Kind kind) { return FitProblem{kind, i}; };
        if (given != nullptr) {
            if (i >= given->size() || !std::isfinite((*given)[i]) || !((*given)[i] > 0)) {
                return problem(FitProblem::Kind::WeightNotPositive);
            }
            continue;
        }
        switch (weighting) {
        case Weighting::InverseX:
        case Weighting::InverseX2:
            if (x[i].isZero() || x[i].negative) {
                return problem(FitProblem::Kind::WeightNotPositive);
            }
            break;
        case Weighting::InverseY:
        case Weighting::InverseY2:
            if (y[i].isZero() || y[i].negative) {
                return problem(FitProblem::Kind::WeightNotPositive);
            }
            break;
        case Weighting::InverseVariance: {
            const auto& level = levels.members[levels.levelOf[i]];
            if (level.size() == 1) {
                return problem(FitProblem::Kind::NoReplicate);
            }
            if (flat[levels.levelOf[i]]) {
                return problem(FitProblem::Kind::NoSpreadAtLevel);
            }
            break;
        }
        case Weighting::None:
            break;
        }
    }
    return std::nullopt;
}

bool hasSpread(std::span<const Decimal> x, const std::vector<bool>& fitted, Model model) {
    std::vector<const Decimal*> distinct;
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        if (!fitted[i]) {
            continue;
        }
        if (model == Model::Origin) {
            if (!x[i].isZero()) {
                return true;
            }
        } else if (std::none_of(distinct.begin(), distinct.end(),
                                [&](const Decimal* d) { return *d == x[i]; })) {
            distinct.push_back(&x[i]);
            if (static_cast<int>(distinct.size()) == basisOf(model).size) {
                return true;
            }
        }
    }
    return false;
}

// The weights of the fitted standards as integers, or the problem of a weight that cannot be
// formed at the precision of the columns (a value held as 0 in fixed point).
std::variant<WeightSet, FitProblem>
weightSet(Weighting weighting, const std::span<const double>* given, const Column& xs,
          const Column& ys, const std::vector<bool>& fitted, const Levels& levels) {
    if (given != nullptr) {
        return weightsOfDoubles(*given, fitted);
    }
    const std::size_t count = fitted.size();
    if (weighting == Weighting::None) {
        WeightSet set;
        set.raw.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            set.raw[i] = fitted[i] ? 1 : 0;
        }
        return set;
    }
    std::vector<Integer> c(count, Integer(1));
    std::vector<Integer> d(count, Integer(1));
    Scale scale;
    FitProblem::Kind kind = FitProblem::Kind::WeightNotPositive;
    switch (weighting) {
    case Weighting::InverseX:
    case Weighting::InverseX2:
    case Weighting::InverseY:
    case Weighting::InverseY2: {
        const bool byX = weighting == Weighting::InverseX || weighting == Weighting::InverseX2;
        const bool squared = weighting == Weighting::InverseX2 || weighting == Weighting::InverseY2;
        const Column& column = byX ? xs : ys;
        for (std::size_t i = 0; i < count; ++i) {
            d[i] = squared ? column.values[i] * column.values[i] : column.values[i];
        }
        scale = Scale{} / column.scale.power(squared ? 2 : 1);
        break;
    }
    case Weighting::InverseVariance:
        // 1/s^2 = k (k - 1) / (k Sum y^2 - (Sum y)^2) for a level of k.
        for (const auto& level : levels.members) {
            Integer sum = 0;
            Integer sumSquares = 0;
            for (std::size_t i : level) {
                sum += ys.values[i];
                sumSquares += ys.values[i] * ys.values[i];
            }
            const auto k = static_cast<long long>(level.size());
            const Integer variance = k * sumSquares - sum * sum;
            for (std::size_t i : level) {
                c[i] = k * (k - 1);
                d[i] = variance;
            }
        }
        scale = Scale{} / ys.scale.power(2);
        kind = FitProblem::Kind::NoSpreadAtLevel;
        break;
    case Weighting::None:
        break;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (fitted[i] && d[i] <= 0) {
            return FitProblem{kind, i};
        }
    }
    return weightsOfFractions(c, d, fitted, scale);
}

} // namespace

int minimumStandards(Model model) {
    return basisOf(model).size;
}

namespace {

// Sums of w x^k (k <= 4), w x^k y (k <= 2) and w y^2 over the fitted standards, exact in the
// scaled integers.
struct Sums {
    std::array<Integer, 5> s;
    std::array<Integer, 3> t;
    Integer syy = 0;
};

Sums weightedSums(const Basis& basis, const Column& xs, const Column& ys, const WeightSet& weights,
                  const std::vector<bool>& fitted) {
    Sums sums;
    std::array<Integer, 5>& s = sums.s;
    std::array<Integer, 3>& t = sums.t;
    const int maxPower = 2 * basis.power[basis.size - 1];
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        if (!fitted[i]) {
            continue;
        }
        Integer wx = weights.raw[i];
        Integer wy = weights.raw[i] * ys.values[i];
        sums.syy += wy * ys.values[i];
        for (int k = 0; k <= maxPower; ++k) {
            s[k] += wx;
            if (k <= 2) {
                t[k] += wy;
                if (k < 2) {
                    wy *= xs.values[i];
                }
            }
            if (k < maxPower) {
                wx *= xs.values[i];
            }
        }
    }
    return sums;
}

// The normal equations M beta = v solved by the adjugate: beta_j = num[j] / det, and the weighted
// residual sum of squares qn / det.
struct Solution {
    std::array<std::array<Integer, 3>, 3> adj;
    Integer det;
    std::array<Integer, 3> num;
    Integer qn;
};

// None where det(M) is 0, which happens only in fixed point.
std::optional<Solution> solveNormalEquations(const Basis& basis, const Sums& sums) {
    const int p = basis.size;
    std::array<std::array<Integer, 3>, 3> m;
    std::array<Integer, 3> v;
    for (int j = 0; j < p; ++j) {
        v[j] = sums.t[basis.power[j]];
        for (int k = 0; k < p; ++k) {
            m[j][k] = sums.s[basis.power[j] + basis.power[k]];
        }
    }
    Solution solution;
    auto& adj = solution.adj;
    Integer& det = solution.det;
    if (p == 1) {
        adj[0][0] = 1;
        det = m[0][0];
    } else if (p == 2) {
        adj[0][0] = m[1][1];
        adj[0][1] = adj[1][0] = -m[0][1];
        adj[1][1] = m[0][0];
        det = m[0][0] * m[1][1] - m[0][1] * m[0][1];
    } else {
        adj[0][0] = m[1][1] * m[2][2] - m[1][2] * m[1][2];
        adj[0][1] = adj[1][0] = m[0][2] * m[1][2] - m[0][1] * m[2][2];
        adj[0][2] = adj[2][0] = m[0][1] * m[1][2] - m[0][2] * m[1][1];
        adj[1][1] = m[0][0] * m[2][2] - m[0][2] * m[0][2];
        adj[1][2] = adj[2][1] = m[0][1] * m[0][2] - m[0][0] * m[1][2];
        adj[2][2] = m[0][0] * m[1][1] - m[0][1] * m[0][1];
        det = m[0][0] * adj[0][0] + m[0][1] * adj[0][1] + m[0][2] * adj[0][2];
    }
    if (det == 0) {
        return std::nullopt;
    }
    for (int j = 0; j < p; ++j) {
        for (int k = 0; k < p; ++k) {
            solution.num[j] += adj[j][k] * v[k];
        }
    }
    solution.qn = sums.syy * det;
    for (int j = 0; j < p; ++j) {
        solution.qn -= v[j] * solution.num[j];
    }
    return solution;
}

// The normalized weights are nu * raw: n / Sum raw, or the scale of weights given as they are.
// The covariance does not depend on nu, s(y/x) does.
struct Normalization {
    bool normalized;
    Integer nuNum, nuDen;
    Scale nuScale;
};

// s(y/x), the coefficients' deviations and covariance, LOD and LOQ of the unweighted line and the
// intercept's t: the figures that need degrees of freedom.
void dispersionFigures(ModelFit& fit, const Basis& basis, const Solution& solution,
                       const Normalization& nu, const Column& xs, const Column& ys,
                       bool unweighted) {
    const Integer& qn = solution.qn;
    const Integer& det = solution.det;
    const Scale xx = xs.scale.power(2);
    const Scale yy = ys.scale.power(2);
    const Integer dof = fit.dof;
    fit.sYX = exact::sqrtToDouble(nu.nuNum * qn, nu.nuDen * det * dof, yy * nu.nuScale);
    fit.varianceYX = exact::toLongDouble(nu.nuNum * qn, nu.nuDen * det * dof, yy * nu.nuScale);
    const Integer det2dof = det * det * dof;
    std::optional<double>* deviation[3] = {&fit.sA, &fit.sB, &fit.sC};
    for (int j = 0; j < basis.size; ++j) {
        const int which = basis.power[j];
        const Scale jj = yy / xs.scale.power(2 * which);
        *deviation[which] = exact::sqrtToDouble(qn * solution.adj[j][j], det2dof, jj);
        for (int k = 0; k < basis.size; ++k) {
            fit.covariance[which][basis.power[k]] = exact::toLongDouble(
                qn * solution.adj[j][k], det2dof, yy / xs.scale.power(which + basis.power[k]));
        }
    }
    const Integer& slope = solution.num[fit.model == Model::Origin ? 0 : 1];
    if (unweighted && fit.model != Model::Quadratic && slope != 0) {
        const Integer limitDen = nu.nuDen * dof * slope * slope;
        fit.lod = exact::sqrtToDouble(1089 * nu.nuNum * qn * det, 100 * limitDen, xx);
        fit.loq = exact::sqrtToDouble(100 * nu.nuNum * qn * det, limitDen, xx);
    }
    if (fit.model == Model::Line && fit.sA && *fit.sA != 0.0) {
        fit.tIntercept =
            exact::sqrtToDouble(solution.num[0] * solution.num[0] * dof, qn * solution.adj[0][0]);
    }
}

// R^2 = 1 - (qn / det) / Syy, Syy about the weighted mean (through the origin about 0), and r
// with the sign of the slope.
void determination(ModelFit& fit, const Sums& sums, const Solution& solution) {
    const Model model = fit.model;
    const Integer& det = solution.det;
    const Integer total =
        model == Model::Origin ? sums.syy : sums.s[0] * sums.syy - sums.t[0] * sums.t[0];
    const Integer explainedShare =
        model == Model::Origin ? det * total - solution.qn : det * total - solution.qn * sums.s[0];
    if (total != 0) {
        fit.r2 = exact::toDouble(explainedShare, det * total);
        const auto root = exact::sqrtToDouble(explainedShare, det * total);
        const Integer& slope = solution.num[model == Model::Origin ? 0 : 1];
        if (root) {
            fit.r = model != Model::Quadratic && slope < 0 ? -*root : *root;
        }
    }
}

// Each standard's weight as normalized, the curve at its concentration and its residual.
void checkStandards(ModelFit& fit, const Basis& basis, const Solution& solution,
                    const Normalization& nu, const Column& xs, const Column& ys,
                    const WeightSet& weights, const std::vector<bool>& fitted, bool unweighted) {
    const std::size_t count = fitted.size();
    fit.standards.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        ModelFit::Standard& standard = fit.standards[i];
        standard.fitted = fitted[i];
        if (fitted[i]) {
            standard.weight = unweighted
                                  ? 1.0
                                  : exact::toDouble(nu.nuNum * weights.raw[i], nu.nuDen, nu.nuScale)
                                        .value_or(0.0);
        }
        // det * (a + b x + c x^2) in the scaled integers
        Integer onCurve = 0;
        for (int j = 0; j < basis.size; ++j) {
            Integer term = solution.num[j];
            for (int k = 0; k < basis.power[j]; ++k) {
                term *= xs.values[i];
            }
            onCurve += term;
        }
        standard.fit = exact::toDouble(onCurve, solution.det, ys.scale);
        standard.residual =
            exact::toDouble(ys.values[i] * solution.det - onCurve, solution.det, ys.scale);
    }
}

// The lowest and highest concentration and absorbance among the fitted standards.
void fittedSpan(ModelFit& fit, std::span<const Decimal> x, std::span<const Decimal> y,
                const std::vector<bool>& fitted) {
    bool first = true;
    for (std::size_t i = 0; i < fitted.size(); ++i) {
        if (!fitted[i]) {
            continue;
        }
        fit.xMin = first ? x[i].value : std::min(fit.xMin, x[i].value);
        fit.xMax = first ? x[i].value : std::max(fit.xMax, x[i].value);
        fit.yMin = first ? y[i].value : std::min(fit.yMin, y[i].value);
        fit.yMax = first ? y[i].value : std::max(fit.yMax, y[i].value);
        first = false;
    }
}

ModelOutcome fitStandards(std::span<const Decimal> x, std::span<const Decimal> y,
                          std::span<const bool> excluded, Model model, Weighting weighting,
                          const std::span<const double>* given) {
    const std::size_t count = std::min(x.size(), y.size());
    std::vector<bool> fitted(count);
    int n = 0;
    for (std::size_t i = 0; i < count; ++i) {
        fitted[i] = !(i < excluded.size() && excluded[i]);
        n += fitted[i] ? 1 : 0;
    }
    const Basis basis = basisOf(model);
    if (n < basis.size) {
        return FitProblem{FitProblem::Kind::TooFewStandards, 0};
    }
    const bool byLevel = given == nullptr && weighting == Weighting::InverseVariance;
    const Levels levels = byLevel ? levelsOf(x, fitted) : Levels{};
    if (auto problem = weightProblem(x, y, fitted, weighting, given, levels)) {
        return *problem;
    }
    if (!hasSpread(x, fitted, model)) {
        return FitProblem{FitProblem::Kind::NoSpread, 0};
    }

    const Column xs = scaledColumn(x, count);
    const Column ys = scaledColumn(y, count);
    auto weightOutcome = weightSet(weighting, given, xs, ys, fitted, levels);
    if (auto* problem = std::get_if<FitProblem>(&weightOutcome)) {
        return *problem;
    }
    const WeightSet& weights = std::get<WeightSet>(weightOutcome);
    const Sums sums = weightedSums(basis, xs, ys, weights, fitted);
    const std::optional<Solution> solution = solveNormalEquations(basis, sums);
    if (!solution) {
        return FitProblem{FitProblem::Kind::NoSpread, 0};
    }

    ModelFit fit;
    fit.model = model;
    fit.weighting = given != nullptr ? Weighting::None : weighting;
    fit.n = n;
    fit.dof = n - basis.size;
    const Scale coefficientScale[3] = {ys.scale, ys.scale / xs.scale, ys.scale / xs.scale.power(2)};
    double* coefficient[3] = {&fit.a, &fit.b, &fit.c};
    for (int j = 0; j < basis.size; ++j) {
        const int which = basis.power[j];
        const auto value =
            exact::toDouble(solution->num[j], solution->det, coefficientScale[which]);
        if (!value) {
            return FitProblem{FitProblem::Kind::OutOfRange, 0};
        }
        *coefficient[which] = *value;
    }

    const bool normalized = given == nullptr;
    const Normalization nu{normalized, normalized ? Integer(n) : Integer(1),
                           normalized ? sums.s[0] : Integer(1),
                           normalized ? Scale{} : weights.scale};
    const std::array<Integer, 5>& s = sums.s;
    fit.sumW = exact::toLongDouble(nu.nuNum * s[0], nu.nuDen, nu.nuScale);
    fit.meanX = exact::toLongDouble(s[1], s[0], xs.scale);
    fit.meanY = exact::toLongDouble(sums.t[0], s[0], ys.scale);
    fit.sxx = exact::toLongDouble(nu.nuNum * (s[0] * s[2] - s[1] * s[1]), nu.nuDen * s[0],
                                  nu.nuScale * xs.scale.power(2));
    fit.meanF =
        normalized ? exact::toLongDouble(s[0], weights.denominator * n, weights.scale) : 1.0L;

    const bool unweighted = given == nullptr && weighting == Weighting::None;
    if (fit.dof > 0) {
        dispersionFigures(fit, basis, *solution, nu, xs, ys, unweighted);
    }
    determination(fit, sums, *solution);
    checkStandards(fit, basis, *solution, nu, xs, ys, weights, fitted, unweighted);
    fittedSpan(fit, x, y, fitted);
    if (byLevel) {
        for (const auto& level : levels.members) {
            fit.levelWeights.emplace_back(x[level.front()].value,
                                          fit.standards[level.front()].weight);
        }
    }
    return fit;
}

} // namespace

ModelOutcome fitModel(std::span<const Decimal> x, std::span<const Decimal> y,
                      std::span<const bool> excluded, Model model, Weighting weighting) {
    return fitStandards(x, y, excluded, model, weighting, nullptr);
}

ModelOutcome fitModelWithWeights(std::span<const Decimal> x, std::span<const Decimal> y,
                                 std::span<const double> weights, Model model) {
    return fitStandards(x, y, {}, model, Weighting::None, &weights);
}

long double predictY(const ModelFit& fit, long double x) {
    return fit.a + x * (fit.b + x * static_cast<Extended>(fit.c));
}

namespace {

// g' V g with g = (1, x, x^2).
Extended curveVariance(const ModelFit& fit, Extended x) {
    if (fit.model == Model::Line) {
        const Extended dx = x - fit.meanX;
        return fit.varianceYX * (1 / fit.sumW + dx * dx / fit.sxx);
    }
    const Extended g[3] = {1, x, x * x};
    Extended sum = 0;
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < 3; ++k) {
            if (fit.covariance[j][k] != 0) {
                sum += g[j] * g[k] * fit.covariance[j][k];
            }
        }
    }
    return sum;
}

bool fitsDouble(Extended value) {
    const Extended magnitude = std::fabs(value);
    return magnitude <= DBL_MAX && (magnitude == 0 || static_cast<double>(magnitude) != 0.0);
}

} // namespace

std::optional<long double> fittedVariance(const ModelFit& fit, long double x) {
    if (fit.dof <= 0) {
        return std::nullopt;
    }
    return curveVariance(fit, x);
}

InversePrediction inversePredict(const ModelFit& fit, long double meanY, int m,
                                 std::optional<double> sampleWeight) {
    InversePrediction out;
    if (!std::isfinite(meanY)) {
        out.problem = InversePrediction::Problem::OutOfRange;
        return out;
    }
    const Extended a = fit.a;
    const Extended b = fit.b;
    const Extended c = fit.c;
    Extended x0 = 0;
    Extended slope = b; // of the curve at x0
    if (c == 0) {
        if (b == 0) {
            out.problem = InversePrediction::Problem::ZeroSlope;
            return out;
        }
        x0 = (meanY - a) / b;
    } else {
        const Extended discriminant = b * b - 4 * c * (a - meanY);
        if (discriminant < 0) {
            out.problem = InversePrediction::Problem::NoRealRoot;
            return out;
        }
        // The branch where the slope b + 2 c x = +-sqrt(discriminant) has the sign of the rise,
        // b + c (xMin + xMax) times the span; of the two forms of that root, the one in which
        // -b and the slope do not cancel.
        const Extended rise = b + c * (static_cast<Extended>(fit.xMin) + fit.xMax);
        slope = rise < 0 ? -std::sqrt(discriminant) : std::sqrt(discriminant);
        if (b != 0 && (b > 0) == (slope > 0)) {
            x0 = 2 * (meanY - a) / (b + slope);
        } else {
            x0 = (slope - b) / (2 * c);
        }
        out.outsideSpan = x0 < fit.xMin || x0 > fit.xMax;
    }
    if (!std::isfinite(x0)) {
        out.problem = InversePrediction::Problem::OutOfRange;
        return out;
    }
    out.extendedX0 = x0;
    if (fitsDouble(x0)) {
        out.x0 = static_cast<double>(x0);
    } else {
        out.problem = InversePrediction::Problem::OutOfRange; // unless a reason below comes first
    }
    if (slope == 0) {
        out.problem = InversePrediction::Problem::FlatAtRoot;
        return out;
    }
    if (fit.dof <= 0) {
        out.problem = InversePrediction::Problem::NoDof;
        return out;
    }

    Extended ws = 1;
    if (sampleWeight) {
        ws = *sampleWeight;
    } else {
        switch (fit.weighting) {
        case Weighting::InverseX:
            ws = x0 > 0 ? 1 / (x0 * fit.meanF) : 0;
            break;
        case Weighting::InverseX2:
            ws = x0 > 0 ? 1 / (x0 * x0 * fit.meanF) : 0;
            break;
        case Weighting::InverseY:
            ws = meanY > 0 ? 1 / (meanY * fit.meanF) : 0;
            break;
        case Weighting::InverseY2:
            ws = meanY > 0 ? 1 / (meanY * meanY * fit.meanF) : 0;
            break;
        case Weighting::InverseVariance: {
            const auto& levels = fit.levelWeights;
            auto above = std::lower_bound(
                levels.begin(), levels.end(), x0,
                [](const std::pair<double, double>& level, Extended v) { return level.first < v; });
            if (above != levels.begin() &&
                (above == levels.end() || x0 - std::prev(above)->first <= above->first - x0)) {
                --above;
            }
            ws = above == levels.end() ? 0 : above->second;
            break;
        }
        case Weighting::None:
            break;
        }
    }
    if (!(ws > 0) || !std::isfinite(ws) || m < 1) {
        out.problem = InversePrediction::Problem::NoWeight;
        return out;
    }

    const Extended readingVariance = fit.varianceYX / (ws * m);
    Extended variance = 0;
    if (fit.model == Model::Line) {
        const Extended dy = meanY - fit.meanY;
        variance =
            fit.varianceYX / (b * b) * (1 / (ws * m) + 1 / fit.sumW + dy * dy / (b * b * fit.sxx));
    } else if (fit.model == Model::Origin) {
        variance =
            readingVariance / (b * b) + meanY * meanY * fit.covariance[1][1] / (b * b * b * b);
    } else {
        variance = (readingVariance + curveVariance(fit, x0)) / (slope * slope);
    }
    const Extended sX0 = std::sqrt(variance);
    if (!std::isfinite(sX0)) {
        out.problem = InversePrediction::Problem::OutOfRange;
        return out;
    }
    out.extendedSX0 = sX0;
    if (fitsDouble(sX0)) {
        out.sX0 = static_cast<double>(sX0);
    } else {
        out.problem = InversePrediction::Problem::OutOfRange;
    }
    return out;
}

long double meanOf(std::span<const double> values) {
    Extended sum = 0;
    for (double value : values) {
        sum += value;
    }
    return values.empty() ? std::numeric_limits<Extended>::quiet_NaN()
                          : sum / static_cast<Extended>(values.size());
}

} // namespace calc
