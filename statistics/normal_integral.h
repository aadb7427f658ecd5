#pragma once
// The standard normal distribution: both tails and the density, by Hill's
// algorithm AS 66 (about 1e-12 absolute).

struct QvNormalTails {
    double lower = 0.0; // probability of at most z
    double upper = 0.0; // probability of more than z
    double density = 0.0;
};

// Beyond |z| = 12.7 the far tail and the density are 0.
QvNormalTails QvNormalIntegral(double z);
double QvNormalLowerTail(double z);
double QvNormalUpperTail(double z);
double QvNormalDensity(double z);
