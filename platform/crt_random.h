#pragma once
// The random generator the statistics functions were designed around:
// values 0..32767 from seed = seed * 214013 + 2531011.
#include "platform/win_types.h"

constexpr int CRT_RAND_MAX = 0x7FFF;

void CrtSrand(UINT seed);
int CrtRand();
// Seeds from the current time, as start-up does.
void CrtSrandFromTime();
