#pragma once
// What the line graph, the scatter graph and the residuals graph plot, in
// data values: their series or pairs, the formulas of their computed curves
// and their limits.  The drawers map these through their frames; tests read
// them directly.
#include "platform/gdi_types.h"
#include "statistics/stat_column.h"
#include "statistics/stat_properties.h"

#include <QString>

#include <array>
#include <initializer_list>
#include <memory>

class QvStatData;

// ---- Formulas of the computed curves

// What a line graph series' second curve shows (`Smoothing`).
enum QvStatSmoothing {
    QvSmoothNone = 0,
    QvSmoothMovingAverage,
    QvSmoothSeasonalised,
    QvSmoothPredicted
};

// The name by which a formula reads a column: its symbol, else its letter
// ("@" for the row numbers).
QString QvStatFormulaName(QvStatData& data, int column);

// "(name(a,b,...))" with the formula language's list separator between the
// arguments.
QString QvStatCallText(const char* name, std::initializer_list<QString> args, QChar separator);

// The formula of the second curve of a line graph series read as `column`:
// "(mpa(A,4))", "(seasonalise(A,4))" or "(predicty(@,A,1))".  Empty where
// nothing is drawn: no smoothing or an unknown one, a moving average over
// fewer than 1 row, a seasonal cycle shorter than 2 rows.
QString QvLineCurveFormula(int smoothing, const QString& column, int cycleLen, int regType,
                           QChar separator);
// The residuals of y fitted on x: "(residualy(A,B,1))"; an empty x stands
// for the row number, "(residualy(@,A,1))".
QString QvResidualFormula(const QString& x, const QString& y, int regType, QChar separator);

// ---- Line graph

struct QvLinePlan {
    // Series count the entries of dc other than -1, in slot order; a series
    // naming no column has none.
    int seriesCount = 0;
    std::array<QvStatColumn*, QvStatProperties::Series> series{};
    std::array<int, QvStatProperties::Series> columns{};
    double xmin = 0.0, xmax = 1.0, ymin = 0.0, ymax = 1.0;
    bool hasData = false;
};

// Recalculates the series' columns and works out the limits: x from 0 to
// the last row holding a value in any series plus 1, y over the values;
// without values the stored limits whose automatic flags are off.
QvLinePlan QvPlanLine(QvStatData& data);

// Fills `out` with the cells a second curve's formula gives, rows 0 to 499
// evaluated with target column 0; a restart request leaves its row empty.
// A formula that does not compile gives an empty column.
void QvEvaluateCurve(QvStatData& data, const QString& formula, QvStatColumn& out);

// ---- Scatter and residuals graphs

// Pairs of columns, x and y, from the entries of dc other than -1 taken two
// by two in slot order; an odd one out is no pair.
struct QvStatPairs {
    int count = 0;
    std::array<int, 5> x{};
    std::array<int, 5> y{};
    // One data column, plotted against the row numbers (residuals only).
    bool singleColumn = false;
};
QvStatPairs QvPackPairs(const QvStatProperties& p, bool allowSingle);

// The 0-based row of the last cell holding a value in both columns (in
// `y` alone when x is null); -1 when there is none.
int QvLastPairedRow(const QvStatColumn* x, const QvStatColumn& y);

struct QvXYLimits {
    double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;
};

// The first pair's extent (x of the row numbers to the y column's last row
// plus 1, counted from 1), widened by every further pair's; the stored
// limits replace it only when the first pair holds no value.
QvXYLimits QvPlanScatter(QvStatData& data, const QvStatPairs& pairs);

struct QvResidualPlan {
    QvStatPairs pairs;
    // Each pair's residuals, row by row; empty where the fit gives none.
    std::array<std::unique_ptr<QvStatColumn>, 5> residuals;
    std::array<int, 5> last{};
    QvXYLimits limits;
    bool hasData = false;
};

// Computes each pair's residuals through the column formulas and works out
// the limits: x from 0 to the last paired row plus 1 (row numbers) or to
// the x column's maximum, y over the residuals.
void QvPlanResidual(QvStatData& data, QvResidualPlan& plan);

// ---- Drawing shared by the line and residuals graphs

// Walks rows 0 to 499 into runs of points: pointOf(row, point) answers -1
// for a gap, which ends the run unless fillGaps, 0 for a value without a
// position (left out; the run goes on) and 1 for a point.  flush(points, n)
// gets each run of at least one point.
template <class PointOf, class Flush>
void QvStatWalkRuns(bool fillGaps, CPoint* points, PointOf pointOf, Flush flush) {
    int n = 0;
    for (int r = 0; r < QvStatColumn::Rows; ++r) {
        CPoint at;
        const int kind = pointOf(r, at);
        if (kind < 0) {
            if (!fillGaps) {
                if (n > 0)
                    flush(points, n);
                n = 0;
            }
            continue;
        }
        if (kind > 0)
            points[n++] = at;
    }
    if (n > 0)
        flush(points, n);
}
