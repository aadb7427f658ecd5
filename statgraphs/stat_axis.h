#pragma once
// One numeric axis of a statistics graph.  Given its two end points, the
// data range and the context, it applies the user's manual scale, decides
// on a scale break, picks 1-2-5 steps, rounds and pads the range and says
// how much room its labels need; then it maps values to positions and back
// and draws its line, break, titles, arrows, ticks, labels and grid.
#include "platform/gdi_types.h"

#include <QString>

class CDC;
class QvStatData;

// Samples along an x axis from which a fitted curve is drawn: the caller
// fills the y values.
struct QvStatCurveTable {
    static constexpr int Capacity = 5000;
    int count = 0;
    double values[Capacity][2] = {}; // x value, y value
    CPoint points[Capacity];
};

class QvStatAxis {
public:
    // What a sample's y holds until the caller fills it.
    static constexpr double EmptyCell = 1000000000001.2;
    // Steps giving more lines than this draw no ticks and no grid.
    static constexpr int MaxLines = 2000;

    QvStatAxis() = default;
    virtual ~QvStatAxis() = default;

    // Lays the axis out from (x0, y0) to (x1, y1) for data from min to max;
    // horizontal when x0 != x1.  Returns the label band: the height needed
    // below a horizontal axis or the width left of a vertical one.
    int Setup(int x0, int y0, int x1, int y1, double min, double max, bool labelZero, bool logScale,
              CDC* dc, QvStatData* data, bool plain);
    // The x (horizontal) or y (vertical) of a value; -1 off the axis,
    // except that 0 outside the range gives the given start or end.
    int ValueToPos(double v);
    double PosToValue(int pos) const;
    void Draw(CDC* dc);
    void DrawGrid(CDC* dc);
    void DrawBreak(CDC* dc);
    void SetGridExtent(int from, int to) {
        gridFrom = from;
        gridTo = to;
    }
    static int MeasureLabelHeight(double min, double max, CDC* dc, QvStatData* data);
    static int MeasureLabelWidth(double min, double max, CDC* dc, QvStatData* data);
    // Samples every 70 units along a horizontal axis, at most Capacity.
    void FillSamples(QvStatCurveTable* t);

    // The step tables: 1-2-5 steps and decades, each closed by 10^41.
    static const QString& StepText(int index);
    static constexpr int StepCount = 35;
    static const QString& DecadeText(int index);
    static constexpr int DecadeCount = 12;

    // Read by the drawers after Setup.
    double GetMin() const { return min; }
    double GetMax() const { return max; }
    // A drawer that rounds the scale to its own unit moves the end after
    // Setup; positions and Draw follow it.
    void SetMax(double value) { max = value; }
    QString GetMajorStep() const { return majorStep; }
    QString GetMinorStep() const { return minorStep; }
    bool IsBroken() const { return broken; }
    bool IsHorizontal() const { return horizontal; }
    CPoint GetStart() const { return start; }
    CPoint GetEnd() const { return end; }
    CPoint GetBreakPoint() const { return breakPoint; }
    int GetLabelOffset() const { return labelOffset; }

    // Set by a drawer before drawing: negative labels lose their sign on a
    // horizontal linear axis.
    bool absoluteLabels = false;

private:
    // A step of the 1-2-5 series; past the table's last real entry it goes
    // on by decades, so wide ranges still get ordinary steps.
    static QString SeriesStep(int index);
    bool SkipNearEnd(int pos, double f) const;
    // The step's value when it is usable for ticks and grid lines: above 0
    // and giving at most MaxLines lines over the range; 0 otherwise.
    double UsableStep(const QString& step) const;
    template <class Visit> void ForEachLinear(double step, Visit visit) const;
    // Calls visit(value, text, zero) for every major tick, with the label
    // text Draw gives it; zero marks the tick at 0 of a linear axis.
    template <class Visit> void ForEachMajor(Visit visit) const;
    // The widest number label Draw can give, typeset as it draws them.
    int WidestLabel(CDC* dc) const;
    void Tick(CDC* dc, int pos, int half, double f);

    QvStatData* data = nullptr;
    int labelOffset = 0;
    double logMin = 1.0;
    double logMax = 1.0;
    int topDecade = 0;
    int bottomDecade = 0;
    double lowest = 0.0;
    bool logScale = false;
    int gridFrom = 0;
    int gridTo = 0;
    bool labelZero = false;
    bool plain = false;
    int breakType = 0;
    QString majorStep;
    QString minorStep;
    double min = 0.0;
    double max = 0.0;
    CPoint givenStart;
    CPoint givenEnd;
    CPoint start;
    CPoint end;
    CPoint breakPoint;
    bool broken = false;
    bool horizontal = false;
};
