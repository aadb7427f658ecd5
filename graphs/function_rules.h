#pragma once
// What the function language and the column formulas compute alike: the
// angle factor, the five operators and the one-argument functions, with
// their undefined results (QvUndefinedValue, or its negative for the
// logarithms and square roots of invalid arguments).
#include "graphs/function_token.h"

#include <cmath>

// Everything is defined here: it runs in the evaluators' innermost loop.

// The factor a typed angle is multiplied by: 0 degrees, 1 radians, 2 grads.
inline double QvAngleFactor(int angleMode) {
    // Slightly more than a degree, as the program always had it.
    return angleMode == 1 ? 1.0 : angleMode == 2 ? 0.01570796326714907 : 0.017453292520882225;
}

namespace function_rules_detail {

// Roots of a negative base that have a real value: the fraction and
// whether the result is negative (an odd numerator).
struct OddRoot {
    double fraction;
    bool negative;
};
inline constexpr OddRoot kRoots[] = {
    {0.3333333333333, true},
    {0.6666666666667, false},
    {0.2, true},
    {0.4, false},
    {0.6, true},
    {0.8, false},
    {0.14285714285714, true},
    {0.28571428571428, false},
    {0.42857142857142, true},
    {0.57142857142857, false},
    {0.71428571428571, true},
    {0.85714285714285, false},
    {0.11111111111111, true},
    {0.22222222222222, false},
    {0.44444444444444, false},
    {0.55555555555555, true},
    {0.77777777777777, true},
    {0.88888888888888, false},
    {0.0, true},
};

inline double Reciprocal(double r) {
    return std::fabs(r) <= 1e-9 ? QvUndefinedValue : 1.0 / r;
}

} // namespace function_rules_detail

// a^b; anything above e^20 is undefined, except a square.  A negative base
// has a value for whole exponents and for the fractions of odd roots.
[[gnu::always_inline]] inline double QvPower(double a, double b) {
    const double A = std::fabs(a), B = std::fabs(b);
    double r;
    if (B == 2.0)
        r = A * A;
    else if (A == 0.0)
        r = 0.0;
    else if (B == QvUndefinedValue)
        r = QvUndefinedValue;
    else
        r = std::log(A) * B <= 20.0 ? std::exp(std::log(A) * B) : QvUndefinedValue;
    if (b < 0.0)
        r = function_rules_detail::Reciprocal(r);
    if (a < 0.0) {
        if (std::fmod(B, 1.0) == 0.0) {
            if (std::fmod(std::floor(B), 2.0) != 0.0)
                r = -r;
        } else {
            r = QvUndefinedValue;
            bool root = false;
            const double l = std::log(A) * B;
            for (const function_rules_detail::OddRoot& row : function_rules_detail::kRoots) {
                if (std::fabs(B - row.fraction) <= 1e-9 && l <= 20.0) {
                    r = row.negative ? -std::exp(l) : std::exp(l);
                    root = true;
                }
            }
            if (root && b < 0.0)
                r = function_rules_detail::Reciprocal(r);
        }
    }
    return r;
}

// + - * / ^
inline bool QvIsOperator(int code) {
    return code >= TokMultiply && code <= TokPower;
}

// a op b; "/" by a divisor within 1e-9 of 0 is undefined.
[[gnu::always_inline]] inline double QvApplyOperator(int code, double a, double b) {
    switch (code) {
    case TokMultiply:
        return a * b;
    case TokDivide:
        return std::fabs(b) <= 1e-9 ? QvUndefinedValue : a / b;
    case TokAdd:
        return a + b;
    case TokSubtract:
        return a - b;
    case TokPower:
        return QvPower(a, b);
    default:
        return b;
    }
}

// SIN to GINT, LN to COT and EXP.
inline bool QvIsFunction(int code) {
    return (code >= TokSin && code <= TokGint) || (code >= TokLn && code <= TokCot) ||
           code == TokExp;
}

// f(v), k the angle factor.  Anything that is no function gives v.
[[gnu::always_inline]] inline double QvApplyFunction(int code, double v, double k) {
    switch (code) {
    case TokSin:
        return std::sin(v * k);
    case TokCos:
        return std::cos(v * k);
    case TokTan:
        return std::sin(v * k) / std::cos(v * k);
    case TokAsin:
        return std::fabs(v) >= 1.0 ? QvUndefinedValue : std::atan(v / std::sqrt(1.0 - v * v)) / k;
    case TokAcos:
        return std::fabs(v) >= 1.0 ? QvUndefinedValue : std::acos(v) / k;
    case TokAtan:
        return std::atan(v) / k;
    case TokAbs:
        return std::fabs(v);
    case TokGint:
        return std::floor(v); // the greatest integer not above the value
    case TokLn:
        return v <= 0.0 ? -QvUndefinedValue : std::log(v);
    case TokLog:
        return v <= 0.0 ? -QvUndefinedValue : std::log(v) / std::log(10.0);
    case TokSqrt:
        return v < 0.0 ? -QvUndefinedValue : std::sqrt(v);
    case TokCosh:
        return std::fabs(v) > 200.0 ? QvUndefinedValue : (std::exp(v) + std::exp(-v)) * 0.5;
    case TokSinh:
        return std::fabs(v) > 200.0 ? QvUndefinedValue : (std::exp(v) - std::exp(-v)) * 0.5;
    case TokTanh:
        // Bounded by 1: far out it is its limit, not undefined.
        if (std::fabs(v) > 200.0)
            return v > 0.0 ? 1.0 : -1.0;
        return (std::exp(v) - std::exp(-v)) / (std::exp(-v) + std::exp(v));
    case TokSec: {
        const double c = std::cos(v * k);
        return c == 0.0 ? QvUndefinedValue : 1.0 / c;
    }
    case TokCosec: {
        const double s = std::sin(v * k);
        return s == 0.0 ? QvUndefinedValue : 1.0 / s;
    }
    case TokCot: {
        const double s = std::sin(v * k);
        return s == 0.0 ? QvUndefinedValue : std::cos(v * k) / s;
    }
    case TokExp:
        return std::exp(v);
    default:
        return v;
    }
}
