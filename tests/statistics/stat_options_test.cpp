// The statistics options the calculations read, and the data set's options
// record as far as the columns use it.
#include "document/lumbrel2_doc.h"
#include "settings/settings.h"
#include "settings/stat_options.h"
#include "statistics/stat_properties.h"

#include <gtest/gtest.h>

namespace {

// A new document takes the current "Stat" settings into the values every
// calculation reads.
TEST(StatOptions, NewDocumentRefreshesThem) {
    QvStatDefaults& s = TheSettings().m_StatDefaults;
    const int quartile = s.CalcQuartile.GetValue();
    const int percentile = s.CalcPercentile.GetValue();
    const auto sampleSD = s.ShowSampleSD.GetValue();
    s.CalcQuartile.SetValue(2);
    s.CalcPercentile.SetValue(1);
    s.ShowSampleSD.SetValue(0);
    {
        Lumbrel2Doc doc;
        EXPECT_EQ(g_nQuartileMethod, 2);
        EXPECT_EQ(g_nPercentileMethod, 1);
        EXPECT_FALSE(g_bShowSampleSD);
    }
    s.CalcQuartile.SetValue(quartile);
    s.CalcPercentile.SetValue(percentile);
    s.ShowSampleSD.SetValue(sampleSD);
    QvRefreshStatisticsOptions();
    EXPECT_EQ(g_nQuartileMethod, quartile);
}

TEST(StatProperties, DefaultsAndCopy) {
    QvStatProperties a, b;
    EXPECT_FALSE(a.Loaded);
    EXPECT_EQ(a.Label1, QStringLiteral("None"));
    EXPECT_EQ(a.LabelCol1, -1);
    EXPECT_EQ(a.col1, 0);
    EXPECT_EQ(a.col2, 1);
    EXPECT_EQ(a.RegType, 1);
    b.Loaded = true;
    b.Label1 = QStringLiteral("C");
    b.LabelCol1 = 2;
    b.col1 = 3;
    b.col2 = 26;
    b.RegType = 7;
    a.Copy(b);
    EXPECT_EQ(a.Label1, QStringLiteral("C"));
    EXPECT_EQ(a.col1, 3);
    EXPECT_EQ(a.col2, 26);
    EXPECT_EQ(a.RegType, 7);
    // Working fields of the record that holds them.
    EXPECT_EQ(a.LabelCol1, -1);
    EXPECT_FALSE(a.Loaded);
}

} // namespace
