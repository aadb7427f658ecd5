#pragma once
// The tokens of the expression languages: the function texts of the graphs
// and the column formulas of the statistics share these codes.
#include <cstdint>

enum QvTokenCode : int32_t {
    TokEnd = 0, // also every text the table does not know
    TokX = 1,
    TokMultiply = 2,
    TokDivide = 3,
    TokAdd = 4,
    TokSubtract = 5,
    TokPower = 6,
    TokSin = 7,
    TokCos = 8,
    TokTan = 9,
    TokAsin = 10,
    TokAcos = 11,
    TokAtan = 12,
    TokAbs = 13,
    TokGint = 14,
    TokOpen = 15,
    TokClose = 16,
    TokNumber = 17,
    TokLn = 18,
    TokLog = 19,
    TokSqrt = 20,
    TokCosh = 21,
    TokSinh = 22,
    TokTanh = 23,
    TokSec = 24,
    TokCosec = 25,
    TokCot = 26,
    TokEquals = 27,
    TokPi = 28,
    TokE = 29,
    TokT = 30,
    TokY = 31,
    TokR = 32,
    TokF = 33,
    TokQ = 34,
    TokNormal = 35,
    TokExp = 100, // also the relation ">", read only on a left side or in a domain
    TokGreater = 100,
    TokGreaterEqual = 101,
    TokLess = 102,
    TokLessEqual = 103,
    TokSeparator = 104, // ";" between the parts of a two-part function
    TokNotEqual = 105,
};

struct QvFunctionToken {
    int32_t code = TokEnd;
    double value = 0.0; // the number's value; see QvFunction for the one "*" that uses it
};

// What an evaluation gives where an operation has no finite value; its
// negative for logarithms and square roots of invalid arguments.
inline constexpr double QvUndefinedValue = 1000000000001.5;
