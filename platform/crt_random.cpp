#include "platform/crt_random.h"

#include <ctime>

namespace {
UINT g_seed = 1;
}

void CrtSrand(UINT seed) {
    g_seed = seed;
}

int CrtRand() {
    g_seed = g_seed * 214013u + 2531011u;
    return int((g_seed >> 16) & 0x7FFF);
}

void CrtSrandFromTime() {
    CrtSrand(UINT(std::time(nullptr)));
}
