#include "settings/stat_options.h"

#include "settings/settings.h"

// The settings' own defaults until the first document is made.
int g_nQuartileMethod = 0;
int g_nPercentileMethod = 0;
BOOL g_bShowSampleSD = TRUE;
int g_nSeasonalisedMethod = 0;

void QvRefreshStatisticsOptions() {
    const QvStatDefaults& s = TheSettings().m_StatDefaults;
    g_nQuartileMethod = s.CalcQuartile.GetValue();
    g_nPercentileMethod = s.CalcPercentile.GetValue();
    g_bShowSampleSD = s.ShowSampleSD.GetValue() ? TRUE : FALSE;
    g_nSeasonalisedMethod = s.CalcSeasonalised.GetValue();
}
