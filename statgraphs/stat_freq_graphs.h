#pragma once
// What the histogram, the cumulative frequency graph and the frequency
// polygon plot, in data values: their series, limits, classes and points.
// The drawers map these through their frame; tests read them directly.
//
// Working them out recalculates the plotted columns and rewrites their
// class tables, which are caches: the cells stay as the user typed them.
#include "platform/gdi_types.h"
#include "statistics/stat_properties.h"

class CDC;
class QvStatColumn;
class QvStatData;
class QvStatXYAxes;

// The fill of series k under the graph's art type.
const LOGBRUSH& QvSeriesBrush(const QvStatProperties& p, int k);
// Black under line art and hatching, else the series' fill colour.
COLORREF QvSeriesLineColor(const QvStatProperties& p, int k);

// The upper bound of entry i of a group column's class table: the number
// its text holds, else the next class's lower bound, else (the last class)
// its lower bound plus the first class's width, as the column's statistics
// take it.
double QvGroupUpperBound(const QvStatColumn& column, int i);

// ---- Histogram

struct QvHistoSeries {
    QvStatColumn* column = nullptr;
    bool group = false;
    int n = 0;
    // The class width frequencies are measured in: the narrowest class.
    double wmin = 0.0;
    // The largest (scaled) frequency, and the largest divided by n.
    double largest = 0.0;
    double largestShare = 0.0;
};

struct QvHistoPlan {
    bool backToBack = false;
    // 0 when no first column is chosen: only the title is drawn.
    int seriesCount = 0;
    QvHistoSeries series[2];
    double xmin = 0.0, xmax = 1.0, ymin = 0.0, ymax = 0.0;
    bool hasData = false;
};

struct QvHistoBar {
    double lower;
    double upper;
    double length; // the bar's height, or its length from 0 back to back
};

// Groups the plotted plain columns and works out the frame's limits,
// fixed limits included.
QvHistoPlan QvPlanHistogram(QvStatData& data);
// What a frequency is divided by for the kind (`Histo_ShowFreq`): 1, n/100,
// n or the class width; 0 becomes 1 and an unknown kind counts as 0.
double QvHistoDivisor(int kind, int n, double wmin);
// The bars of one planned series into out (room for QvStatColumn::Rows);
// returns how many.  Back to back every automatic class has a bar, an
// empty one included.
int QvHistoBars(const QvHistoSeries& s, int kind, bool backToBack, QvHistoBar* out);

// ---- Cumulative frequency graph and frequency polygon

struct QvFreqSeries {
    // Null for a slot naming no column: a series that draws nothing.
    QvStatColumn* column = nullptr;
    int n = 0;
    // The smallest gap between consecutive table values; 0 below two.
    double gap = 0.0;
};

struct QvFreqPlan {
    // Series count the slots of dc other than -1, in slot order, as the
    // legend does.
    int seriesCount = 0;
    QvFreqSeries series[QvStatProperties::Series];
    double xmin = 0.0, xmax = 1.0, ymin = 0.0, ymax = 0.0;
    bool hasData = false;
};

struct QvFreqPoint {
    double x;
    double y;
    // Drawn even where the axis has no position for it.
    bool kept;
};

// The start point, one point per table entry and the end point.
inline constexpr int QvFreqPointCapacity = 502;

// What a frequency or running total is divided by for the kind: 1, n/100
// or n; 0 becomes 1 and an unknown kind counts as 0.
double QvFreqDivisor(int kind, int n);

// The series of the used slots, each recalculated, its frequency table (or
// running totals) built and its smallest gap found; returns how many.
int QvCollectFreqSeries(QvStatData& data, QvFreqPlan& plan, bool cumulative);
// Builds each series' running totals and works out the limits.
QvFreqPlan QvPlanCumulative(QvStatData& data);
// The polyline of one planned series, in values, ending level at xmax.
int QvCumulativePoints(const QvFreqSeries& s, int kind, double xmax, QvFreqPoint* out);

// Builds each series' frequency table and works out the limits.
QvFreqPlan QvPlanPolygon(QvStatData& data);
// The polygon of one planned series, in values; joinEnds starts and ends
// it on the x axis half a gap beyond the outer points.
int QvPolygonPoints(const QvFreqSeries& s, int kind, bool joinEnds, QvFreqPoint* out);

// ---- Drawing shared by the three

// The positions of count points on the frame's axes into out; a point
// without a position is left out unless it is kept.  Returns how many.
int QvFreqPointsToPositions(QvStatXYAxes& frame, const QvFreqPoint* values, int count, CPoint* out);

// Without data the stored limits whose automatic flags are off replace the
// worked-out ones; with data the axes apply the scale options themselves.
void QvApplyFixedLimits(const QvStatProperties& p, bool hasData, double& xmin, double& xmax,
                        double& ymin, double& ymax);
