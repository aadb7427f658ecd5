#include "text/equation_tables.h"

const QvSymbolWord kSymbolWords[kSymbolWordCount] = {
    {"pi", 'p'},     {"th", 'q'},  {"`", 176},    {"*", kMultiplyCross}, {"|", 231},
    {">=", 179},     {"<=", 163},  {"<>", 185},   {"!=", 185},           {"=/", 185},
    {"=~", '@'},     {"+-", 177},  {"al", 'a'},   {"be", 'b'},           {"ch", 'c'},
    {"de", 'd'},     {"ph", 'f'},  {"ga", 'g'},   {"la", 'l'},           {"mu", 'm'},
    {"rh", 'r'},     {"->", 174},  {"=>", 222},   {"/ ", 184},           {"tri", 'D'},
    {"ang", 208},    {"inf", 165}, {"perp", '^'}, {"para", 2},           {"~=", '@'},
    {"~~", 187},     {"SI", 'S'},  {"and", 199},  {"or", 200},           {"element", 206},
    {"subset", 204}, {"tf", '\\'}, {"SI", 'S'},   {"^^", 173},           {"-=", 186},
    {"prop", 181},   {"om", 'w'},  {"OM", 'W'},   {"si", 's'},
};

const char* const kBigOperators[kBigOperatorCount] = {"int", "sgma", "lim", "product"};

// clang-format off
const char* const kFunctionNames[kFunctionNameCount] = {
    "sin", "cos", "tan", "asin", "acos", "atan", "sec", "cosec", "cot", "cosh", "sinh",
    "tanh", "ln", "log", "sqrt", "abs", "sr", "arg", "root", "normal", "fisher", "rank",
    "standardize", "zscore", "inc", "rand", "normp", "normq", "normpdf", "randbetween",
    "standardise", "mpa", "sort", "sorta", "sortd", "deviation", "freqtable",
    "randnormal", "round", "sortcol", "sortcola", "sortcold", "rank", "ranka", "rankd",
    "percentile", "stanine", "decile", "cumfreqtable", "group", "groupn", "groupw",
    "groupe", "randbinomial", "randbernoulli", "randhypergeometric", "randgeometric",
    "randnegbinomial", "predictx", "predicty", "residualx", "residualy", "residual",
    "predict", "seasonalise", "row", "fibonacci", "tribonacci", "triangular",
};
// clang-format on
