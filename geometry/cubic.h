#pragma once
// Real roots of a polynomial of degree at most three, closed form: the
// trigonometric method for three real roots, Cardano's cube roots for one,
// the quadratic and linear formulas when the leading coefficients are
// exactly zero.

// coefficients: c0, c1, c2, c3 for c0 + c1 x + c2 x^2 + c3 x^3 = 0.
// roots: room for three, written from index 0, unsorted, equal roots kept.
// Returns how many real roots were written, 0 to 3.
int SolveCubic(const double coefficients[4], double roots[3]);

// The roots SolveCubic finds that lie in [0, 1], in its order: where a
// cubic Bezier segment, t from 0 to 1, meets.
int SolveCubicInUnitInterval(const double coefficients[4], double roots[3]);
