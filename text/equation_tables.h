#pragma once
// The words the typesetter recognises in typed maths.  They are tried in
// table order and the first match wins, longer or not; each dialect looks
// only at a leading part of the symbol-word and function-name tables.

// A word and the one Symbol-font character that replaces it.
struct QvSymbolWord {
    const char* word;
    unsigned char code;
};

constexpr int kSymbolWordCount = 44;
extern const QvSymbolWord kSymbolWords[kSymbolWordCount];
// "*" is written with a cross, or with a dot when the equation options ask.
constexpr int kMultiplyWord = 3;
constexpr unsigned char kMultiplyCross = 180;
constexpr unsigned char kMultiplyDot = 215;

// Integral, sum, limit and product, in the order they are tried.
constexpr int kBigOperatorCount = 4;
extern const char* const kBigOperators[kBigOperatorCount];

constexpr int kFunctionNameCount = 69;
extern const char* const kFunctionNames[kFunctionNameCount];
