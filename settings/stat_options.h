#pragma once
// The statistics options every column calculation and report reads: copies
// of the "Stat" settings "CalcQuartile", "CalcPercentile", "ShowSampleSD" and
// "CalcSeasonalised", taken when a document is created and when the options
// are accepted.
#include "platform/win_types.h"

// 0 the median is left out of both halves, 1 it is in both, 2 the
// quartiles and median are P25, P75 and P50.
extern int g_nQuartileMethod;
// 0 interpolated, any other value discrete.
extern int g_nPercentileMethod;
extern BOOL g_bShowSampleSD;
// Kept with the others; no calculation depends on it.
extern int g_nSeasonalisedMethod;

// Copies the four settings into the values above.
void QvRefreshStatisticsOptions();
