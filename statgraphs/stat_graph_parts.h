#pragma once
// Pieces several statistics graph drawers share: the title above the plot,
// the legend of the data columns at its right, and the bar slots of a
// category.
#include "platform/gdi_objects.h"
#include "platform/gdi_types.h"
#include "statistics/stat_properties.h"

#include <array>

class CDC;
class QvStatData;

// -1.0 where y grows up the page (MM_HIMETRIC), +1.0 otherwise.
double QvStatYFactor(CDC* dc);

// The row of Brushes to fill with: GraphStyle, kept to a row that exists
// whatever a damaged file holds.
int QvStatFillScheme(const QvStatProperties& p);

// Writes a non-empty Title centred at the top of rect in TitleFont and
// returns the plot's top below it (rect.top without a title).
int QvStatDrawTitle(CDC* dc, const CRect& rect, const QvStatProperties& p);

// A key box filled as each data column in use is, with its name (or its
// symbol when the name is empty), in LabelFont from the plot's top at the
// right of rect.  Returns the plot's right edge left of the legend.
int QvStatDrawLegend(CDC* dc, const CRect& rect, int top, QvStatData* data);

// Bars of `series` columns side by side in a category `spacing` wide: a
// quarter of the slot, rounded up, stays free between groups and the group
// is centred.  thickness is 0 (bars one unit wide) when they would be
// thinner than 1, and also without series.
struct QvStatBarSlots {
    int thickness = 0;
    int offset = 0;
};
QvStatBarSlots QvStatBarSlotsFor(int spacing, int series);

// The fills of the series under the graph's fill scheme, made once for a
// drawing.
class QvStatSeriesBrushes {
public:
    explicit QvStatSeriesBrushes(const QvStatProperties& p);
    CBrush* Get(int series) { return &m_brushes[size_t(series)]; }

private:
    std::array<CBrush, QvStatProperties::Series> m_brushes;
};

// One row of the data columns in use, series in the order of their
// entries.  A column index naming no column has no values.
struct QvStatSeriesRow {
    QvStatSeriesRow(QvStatData* data, int row);
    int series = 0;
    // Whether any series has a value in the row.
    bool any = false;
    std::array<bool, QvStatProperties::Series> has{};
    std::array<double, QvStatProperties::Series> value{};
};
