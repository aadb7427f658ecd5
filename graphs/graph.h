#pragma once
// The engine behind a function graph: its settings and ten compiled
// functions, the mapping between world and device, and the drawing of the
// whole graph (axes, grid, notation, ticks, labels and curves) into a
// device context.
#include "graphs/function.h"
#include "graphs/graph_data.h"
#include "platform/command_ids.h"
#include "platform/object.h"

#include <array>
#include <memory>

class CDC;

// The integral's two areas by the trapezoid rule: signed (below the axis
// counts negative) and absolute.  Not defined where a sample has no value.
struct QvIntegralValues {
    double signedArea = 0.0;
    double area = 0.0;
    bool defined = true;
};

// The tangent of the derivative record: its point and slope.
struct QvTangentValues {
    double x = 0.0, y = 0.0, slope = 0.0;
    bool defined = true;
};

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
    // A click at device point (x, y): offers the intersection of the first
    // two curves there and the analysed points near it, one per click at
    // the same point, and keeps the pick in the function records.
    virtual BOOL FindPointsAt(int x, int y);

    // Samples of the integral: 250 from the lower to the upper limit.
    static constexpr int kIntegralSamples = 250;
    // The integral record's areas; with polygon, also its 2 * 250 device
    // points (the first curve forwards, the second backwards).
    QvIntegralValues IntegralValues(CPoint* polygon = nullptr) const;
    // The derivative record's point and slope (a backward difference).
    QvTangentValues TangentValues() const;

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
    // What the integral is filled with: the holder of the settings sets
    // them from its own fill before it draws.
    COLORREF integralFillColor = 0xC0C0C0;
    LONG integralFillStyle = LONG(ID_FILL_SOLID);

protected:
    // Fills the four values and the step texts from the functions.
    void AutoScale(QString* steps);
    // Hands function i its record, window and rectangles.
    void PrepareFunction(int i);

private:
    // What the last Auto Scale pass was made from and what it found: a
    // redraw with the same functions and window takes it again instead of
    // compiling every function for its bounds.
    struct AutoScaledFrom {
        bool valid = false;
        QString expression[kFunctionCount], rangeText[kFunctionCount];
        char decimalChar[kFunctionCount] = {};
        double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
        int32_t angleType = 0;
        QvEquationOptions options;
        double values[4] = {}; // x min, y min, x max, y max
        QString steps[4];
    };
    AutoScaledFrom m_autoScaled;
    bool AutoScaledFromThis() const;

    // The integral and the tangent with their report lines, and the report
    // of a picked intersection.
    void DrawCalculations(CDC* dc);
    void DrawIntersectionReport(CDC* dc);
    // The left end of the report line's baseline.
    CPoint ReportPlace(const QvLogFont& reportFont) const;
    QvLogFont ReportFont(CDC* dc) const;
    // Every function's picked point cleared, and no intersection shown.
    void ClearPicks();
};
