#pragma once
// The texts and display settings of one function slot of a function graph:
// the function as typed and its evaluable form, the domain text, the
// asymptote, arrow and end-mark switches, the curve and shading styles, and
// what the engine hands in and reads back (window, rectangles, kind, the
// picked point).  Every function holds one; the graph settings hold ten.
#include "platform/command_ids.h"
#include "platform/gdi_types.h"
#include "platform/object.h"
#include "platform/win_types.h"

#include <QString>

class QvGraphDataFunction : public CObject {
    DECLARE_SERIAL(QvGraphDataFunction)
public:
    static constexpr WORD kVersion = 1;

    QvGraphDataFunction();
    // A copy takes everything but the frame rectangle and decimalChar:
    // those belong to the graph and the user that hold the copy.
    QvGraphDataFunction(const QvGraphDataFunction& other);
    QvGraphDataFunction& operator=(const QvGraphDataFunction& other) { return Copy(other); }
    virtual QvGraphDataFunction& Copy(const QvGraphDataFunction& other);

    // Version 1: the window, the four corners, the three texts and the
    // switches and styles.  Loading any version leaves the record dirty;
    // dirty and decimalChar are never stored.
    void Serialize(CArchive& ar) override;

    WORD version = 0;
    double xMax = 0.0, yMax = 0.0, xMin = 0.0, yMin = 0.0;
    CPoint plotTopLeft, plotBottomRight, frameTopLeft, frameBottomRight;
    QString caption;    // as the user typed it
    QString expression; // the evaluable form the tokeniser reads
    QString rangeText;  // the domain restriction as typed
    int VAsym = 1;
    int HAsym = 0;
    int RangeArrows = 1;
    int ShowLow = 1;
    int ShowHigh = 1;
    COLORREF m_Color = 0;
    COLORREF m_ShadeColor = 0;
    int m_ShadeType = 0;
    int m_HatchType = 0;
    int lineCommand = int(ID_LINE_SOLID1); // a Format>Line command id
    int dirty = 0;                         // 1: compile the expression again before use
    int markFlag = 0;
    char decimalChar; // the user's decimal separator
    int shadeAbove = 0;
    int kind = 0; // 1 y of x, 2 polar, 3 x of y, 4 two-part
    int selectedPoint = -1;
};
