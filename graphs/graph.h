#pragma once
// The engine behind a function graph: its settings and ten compiled
// functions, the mapping between world and device, and the drawing of the
// whole graph (axes, grid, notation, ticks, labels and curves) into a
// device context.
#include "graphs/function.h"
#include "graphs/graph_data.h"
#include "platform/object.h"

#include <array>
#include <memory>

class CDC;

class QvGraph : public CObject {
    DECLARE_SERIAL(QvGraph)
public:
    static constexpr int kFunctionCount = QvGraphData::kFunctionCount;
    // What SortFunctionsAt writes for a function without a value there.
    static constexpr int kNoFunction = 10;
    // No pass draws more grid lines, ticks or labels than this; one that
    // would draws none.
    static constexpr int kMostMarks = 10000;
    // Ten function indexes by ascending value, then ten flags marking equal
    // neighbours.
    using Order = std::array<int, 2 * kFunctionCount>;

    QvGraph();
    ~QvGraph() override;

    virtual void Init() {}
    // The settings, then the ten function records once more.
    void Serialize(CArchive& ar) override;
    virtual void Draw(CDC* dc, BOOL noFunctions);
    virtual Order SortFunctionsAt(double x);
    // Whether two orders differ only where the first marks equal values or
    // a function has no value.
    static bool SameOrder(const Order& a, const Order& b);

    // World to device on the widened range and the plot rectangle, and
    // back.  Off the range values are held to the rectangle and 15 units
    // past its far end; an x far to the right maps to the left edge.
    virtual double XToDevice(double x) const;
    virtual double YToDevice(double y) const;
    virtual double DeviceToX(double dx) const;
    virtual double DeviceToY(double dy) const;

    QvGraphData data;
    QvFunction functionObjects[kFunctionCount];
    double xMaxValue = 0.0, yMaxValue = 0.0, xMinValue = 0.0, yMinValue = 0.0;
    double xMajorStep = 0.0, yMajorStep = 0.0, xMinorStep = 0.0, yMinorStep = 0.0;
    BYTE yUp = 0;
    double ySign = 1.0;
    CPoint lastPick;
    int pickIndex = 0;
    std::unique_ptr<QvPickedPointList> picked;
    // Digits of the report lines, from the width of the range.
    int digits = 6;

protected:
    // Fills the four values and the step texts from the functions.
    void AutoScale(QString* steps);
    // Hands function i its record, window and rectangles.
    void PrepareFunction(int i);

private:
    // The calculation parts of drawing; the graph calculations fill these in.
    void DrawCalculations(CDC*) {}
    void DrawIntersectionReport(CDC*) {}
};
