#include "calc/distributions.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <compare>
#include <limits>
#include <map>
#include <mutex>
#include <shared_mutex>
#include <stdexcept>

namespace calc {
namespace {

enum class Kind : unsigned char {
    StudentQuantile,
    StudentQuantileFractional,
    FisherQuantile,
    FisherUpperTail
};

struct Key {
    Kind kind;
    double x; // p, or f for the tail; never NaN here
    int d1, d2;
    double nu; // the real degrees of freedom of StudentQuantileFractional; 0 for the others
    auto operator<=>(const Key&) const = default;
};

double evaluate(const Key& key) {
    switch (key.kind) {
    case Kind::StudentQuantile:
        return boost::math::quantile(boost::math::students_t(key.d1), key.x);
    case Kind::StudentQuantileFractional:
        if (std::isinf(key.nu)) {
            return boost::math::quantile(boost::math::normal(), key.x);
        }
        return boost::math::quantile(boost::math::students_t(key.nu), key.x);
    case Kind::FisherQuantile:
        return boost::math::quantile(boost::math::fisher_f(key.d1, key.d2), key.x);
    case Kind::FisherUpperTail:
        return boost::math::cdf(
            boost::math::complement(boost::math::fisher_f(key.d1, key.d2), key.x));
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// Boost's default policy, which throws: any other policy moves some quantiles by a unit in the
// last place (t(0.975; 4229)), and the statistics have always been reported with these.
double compute(const Key& key) {
    try {
        return evaluate(key);
    } catch (const std::overflow_error&) {
        // A quantile for p within a subnormal of 0 or 1.
        return key.x < 0.5 ? -std::numeric_limits<double>::infinity()
                           : std::numeric_limits<double>::infinity();
    } catch (const std::exception&) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

// Quantiles come back to a handful of keys, but every F test asks for the tail of a new f: past
// this many values the cache starts anew rather than grow without bound.
constexpr std::size_t cacheLimit = 4096;

double kept(const Key& key) {
    static std::shared_mutex mutex;
    static std::map<Key, double> values;
    {
        const std::shared_lock lock(mutex);
        const auto found = values.find(key);
        if (found != values.end()) {
            return found->second;
        }
    }
    // Computed under the exclusive lock: two threads asking for the same new value compute it
    // once.
    const std::unique_lock lock(mutex);
    const auto found = values.find(key);
    if (found != values.end()) {
        return found->second;
    }
    if (values.size() >= cacheLimit) {
        values.clear();
    }
    const double value = compute(key);
    values.emplace(key, value);
    return value;
}

bool isProbability(double p) {
    return p > 0.0 && p < 1.0;
}

} // namespace

double studentQuantile(double p, int dof) {
    if (dof < 1 || !isProbability(p)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return kept({Kind::StudentQuantile, p, dof, 0, 0});
}

double studentQuantileFractional(double p, double dof) {
    if (!(dof > 0) || !isProbability(p)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // An integral dof is the integral quantile: the same key, the same value.
    if (dof <= std::numeric_limits<int>::max() && dof == std::floor(dof)) {
        return studentQuantile(p, static_cast<int>(dof));
    }
    return kept({Kind::StudentQuantileFractional, p, 0, 0, dof});
}

double fisherQuantile(double p, int d1, int d2) {
    if (d1 < 1 || d2 < 1 || !isProbability(p)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return kept({Kind::FisherQuantile, p, d1, d2, 0});
}

double fisherUpperTail(double f, int d1, int d2) {
    if (d1 < 1 || d2 < 1 || std::isnan(f)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (f <= 0.0) {
        return 1.0;
    }
    if (std::isinf(f)) {
        return 0.0;
    }
    return kept({Kind::FisherUpperTail, f, d1, d2, 0});
}

} // namespace calc
