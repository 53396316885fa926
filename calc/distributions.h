#pragma once

// Quantiles and tail probabilities of Student's t and Fisher's F (Boost.Math), each value computed
// once and kept: one quantile costs microseconds and the window asks for the same few again and
// again. Safe to call from several threads. The tails of F are kept too, up to a few thousand
// values, after which the store starts anew (every test asks for the tail of a new f).

namespace calc {

// The p quantile of Student's t with dof degrees of freedom: t(0.975; 8) = 2.306004...,
// t(0.99; 6) = 3.142668... NaN when dof < 1 or p is not inside (0, 1); -+infinity for a p so close
// to 0 or 1 that the quantile overflows.
double studentQuantile(double p, int dof);

// The same for a real number of degrees of freedom, such as a Welch-Satterthwaite effective one:
// t(0.975; 8.5) lies between t(0.975; 8) and t(0.975; 9). dof = +infinity gives the normal
// quantile (1.959964 for 0.975); an integral dof gives studentQuantile's value. NaN when dof is not
// above 0 (or NaN) or p is not inside (0, 1).
double studentQuantileFractional(double p, double dof);

// The p quantile of F with (d1, d2) degrees of freedom: F(0.99; 1, 6) = 13.745..., F(0.5; 2, 5) =
// 0.7987... NaN when d1 < 1, d2 < 1 or p is not inside (0, 1).
double fisherQuantile(double p, int d1, int d2);

// P(F > f) for F with (d1, d2) degrees of freedom, the p value of an F test: 1 for f <= 0, 0 for
// f = +infinity. NaN when d1 < 1 or d2 < 1 or f is NaN.
double fisherUpperTail(double f, int d1, int d2);

} // namespace calc
