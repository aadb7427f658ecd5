#pragma once
// The numbers one box of a box and whisker plot is drawn from, worked out
// apart from any drawing.
#include <vector>

class QvStatColumn;

struct QvBoxPlotNumbers {
    // The box runs from lower to upper with its line at centre: the
    // quartiles and median, or the mean less and plus one standard deviation.
    double lower = 0.0;
    double centre = 0.0;
    double upper = 0.0;
    // The fences, 1.5 interquartile ranges beyond the quartiles; set when
    // outliers are shown.
    double lowerFence = 0.0;
    double upperFence = 0.0;
    double lowWhisker = 0.0;
    double highWhisker = 0.0;
    // Values marked beyond the whiskers, in row order.
    std::vector<double> outliers;
};

// From a column that has been recalculated (quartiles by the program-wide
// method).  statType 1 gives the mean and the population standard
// deviation, any other value the quartiles and median.  With showOutliers
// a whisker ends at the last value strictly inside its fence, so a value
// on a fence is an outlier; when no value lies inside a fence the whisker
// ends at the quartile and nothing on that side is marked.
QvBoxPlotNumbers QvBoxPlotFromColumn(const QvStatColumn& column, int statType, bool showOutliers);
