#pragma once
// Everything that describes one function graph apart from its compiled
// functions: the typed range and steps, the computed window and plot
// rectangle, grid, axes, notation and fonts, the display switches, the last
// integral, derivative and picked intersection, and the ten function slots.
// The graph figure holds one and its engine another.
//
// The integral's fill is not held here: whoever draws the integral asks the
// figure that holds the record, so no copy can point at a figure that is gone.
#include "graphs/graph_data_function.h"
#include "platform/gdi_types.h"
#include "platform/object.h"
#include "platform/win_types.h"
#include "text/log_font.h"

#include <QString>

#include <cstdint>

// The last picked intersection of two functions.
struct QvIntersectionRecord {
    double x = 0.0, y = 0.0;
    int32_t picked = 0;            // 1 once an intersection was picked
    int16_t state = 0;             // 9 while it is shown
    int32_t first = 0, second = 0; // the two function indexes
};

struct QvIntegralRecord {
    QString lowerText, upperText;
    int32_t functionA = -1;
    int32_t functionB = -1; // -1: the area between functionA and the x axis
    int32_t showResult = 0; // not stored: a loaded integral with a function shows it
    QString labelText;      // the engine appends the results
};

struct QvDerivativeRecord {
    QString xText; // the point
    int32_t function = -1;
    int32_t showResult = 0;
    QString labelText;
};

class QvGraphData : public CObject {
    DECLARE_SERIAL(QvGraphData)
public:
    static constexpr WORD kVersion = 2;
    static constexpr int kFunctionCount = 10;

    // From the current "Graph" defaults; each function slot takes its look
    // from its style and is dirty.
    QvGraphData();
    // Takes what Copy takes; the rest as constructed.
    QvGraphData(const QvGraphData& other);
    QvGraphData& operator=(const QvGraphData& other) { return Copy(other); }
    // Everything but showReport, the intersection record and the version.
    virtual QvGraphData& Copy(const QvGraphData& other);

    // Version 2.  The flags are stored as overlapping 4-byte windows of the
    // flag block and read back in file order; version 1 lacks the last byte,
    // version 0 holds nothing after the version.
    void Serialize(CArchive& ar) override;

    WORD version = 0;
    double xMax = 0.0, yMax = 0.0, xMin = 0.0, yMin = 0.0;
    CPoint plotTopLeft, plotBottomRight, frameTopLeft, frameBottomRight;
    QString xMaxShowS, yMaxShowS, xMinShowS, yMinShowS; // the range as typed
    QString xMajorS, yMajorS, xMinorS, yMinorS;         // the tick steps as typed
    COLORREF xGridMajorColor = 0, xGridMinorColor = 0, yGridMajorColor = 0, yGridMinorColor = 0;
    int32_t xGridMajorPen = 0, xGridMinorPen = 0, yGridMajorPen = 0, yGridMinorPen = 0;
    int32_t AngleType = 0; // 0 degrees, 1 radians, 2 grads
    QString xNotate, yNotate;

    // The flag block, in its stored order.
    BYTE ShowGrid = 0;
    BYTE AutoScale = 0;
    BYTE showXAxis = 1;
    BYTE showYAxis = 1;
    BYTE showXTicks = 1;
    BYTE showYTicks = 1;
    BYTE showXLabels = 1;
    BYTE showYLabels = 1;
    BYTE flag8 = 1; // kept and stored
    BYTE forceMarks = 0;
    BYTE ShadeAbove = 0;
    BYTE showReport = 1;
    BYTE calcShown = 0;

    COLORREF xColor = 0, yColor = 0;
    int32_t xLine = 0, yLine = 0;
    BYTE ShowOrigin = 0, ShowNegativeArrows = 0, ShowPositiveArrows = 0;
    int32_t formatWord = 1; // kept and stored
    QvLogFont AxisFont, NotateFont, ReportFont;
    QvIntersectionRecord intersection;
    QvIntegralRecord integral;
    QvDerivativeRecord derivative;
    QvGraphDataFunction functions[kFunctionCount];

private:
    static constexpr int kFlagBlock = 16;
    void ToBlock(BYTE* block) const;
    void FromBlock(const BYTE* block);
};
