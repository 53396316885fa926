#pragma once

// Student's t in quadruple precision from its closed form, for the reference computations of the
// tests.

#include <quadmath.h>

namespace {

// P(|T| <= t) for Student's t with nu degrees of freedom (Abramowitz and Stegun 26.7.3-4), with
// theta = atan(t / sqrt(nu)):
//   nu odd:  2/pi * (theta + sin(theta) * (cos + 2/3 cos^3 + 2*4/(3*5) cos^5 + ... cos^(nu-2)))
//   nu even: sin(theta) * (1 + 1/2 cos^2 + 1*3/(2*4) cos^4 + ... cos^(nu-2))
__float128 centralProbability(__float128 t, int nu) {
    const __float128 theta = atanq(t / sqrtq(static_cast<__float128>(nu)));
    const __float128 c = cosq(theta);
    const bool odd = nu % 2 == 1;
    __float128 term = odd ? c : static_cast<__float128>(1);
    __float128 sum = 0;
    for (int power = odd ? 1 : 0; power <= nu - 2; power += 2) {
        sum += term;
        term *= c * c * static_cast<__float128>(power + 1) / static_cast<__float128>(power + 2);
    }
    if (odd) {
        return 2 / acosq(-1) * (theta + sinq(theta) * sum); // M_PIq needs GNU literals
    }
    return sinq(theta) * sum;
}

// The 0.975 quantile: P(|T| <= t) = 0.95.
__float128 referenceT975(int nu) {
    __float128 low = 0;
    __float128 high = 100;
    const __float128 target = static_cast<__float128>(95) / 100;
    for (int i = 0; i < 200; ++i) {
        const __float128 mid = (low + high) / 2;
        (centralProbability(mid, nu) < target ? low : high) = mid;
    }
    return (low + high) / 2;
}

} // namespace
