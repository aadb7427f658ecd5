#pragma once
// The curve figures: one cubic Bezier segment made with four clicks, and
// the smooth line traced with the mouse through the points it keeps.  Both
// share one attribute record (marks at the ends and the middle, closed or
// open, single, double or triple line) and the drawing of lines and marks.
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/figure.h"
#include "geometry/gr_bezier.h"
#include "platform/command_ids.h"

class QvLineEndDefaults;

class QvEditDataSmoothLine : public QvEditData {
    DECLARE_SERIAL(QvEditDataSmoothLine)
public:
    static constexpr LONG NoMark = 10;
    enum LineType : LONG { Single = 0, Double = 1, Triple = 2 };

    short m_version = 1;
    LONG m_startMark = NoMark;
    LONG m_endMark = NoMark;
    LONG m_midMark = NoMark;
    BYTE m_startSize = 12; // drawn at size x 20 model units
    BYTE m_endSize = 12;
    BYTE m_midSize = 12;
    double m_midPos = 0.5; // fraction of the curve's length from its start
    LONG m_spacing = 750;  // least distance between kept points of a trace
    BYTE m_closed = 0;     // closed and filled, without marks
    LONG m_lineType = Single;
    LONG m_offset = 250; // from the curve to each side line

    // After the common fields: the word 1, then 38 bytes.  A stored version
    // below 1 leaves everything after the common fields as it was.
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

// What both curve figures share: the record, the embedded curve, drawing
// its lines and marks, bounds, hit test and grip drags.
class QvFigCurveBase : public QvFigure {
    DECLARE_SERIAL(QvFigCurveBase)
public:
    // The curves' properties dialog, which lives above the figures: it
    // edits the record it is given, in its Bezier form when told so, and
    // answers true on OK.
    using PropertiesDialog = QvDialogSeam<QvFigCurveBase, bool(QvEditDataSmoothLine& record, bool bezier)>;

    QvFigCurveBase();

    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    std::unique_ptr<QvGRBase> CreateGeometry() const override;
    // The display points' box, grown by the marks or by the pen and the side
    // lines, whichever reaches further.
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    // A curve offers no points by index.
    QvPoint GetPoint(int n) const override;

    QvEditDataSmoothLine* CurveData() const { return m_pCurveData; }
    const QvGRBezierCurve& Curve() const { return m_curve; }

protected:
    // The dialog on the record; the curve is rebuilt whatever the answer.
    void EditCurve(bool bezier);
    // The record from the current style and a defaults group.
    void InitCurve(const QvLineEndDefaults& defaults, int toolId);
    // The line, side lines or both, as the line type says.
    void DrawLines(CDC* dc);
    // The three marks of an open curve; code 10 draws nothing.
    void DrawMarks(CDC* dc);
    void DrawMark(CDC* dc, QvPoint tip, QvVector along, LONG code, BYTE size);

    QvEditDataSmoothLine* m_pCurveData = nullptr; // the record the figure owns, typed
    QvGRBezierCurve m_curve;
};

// Start (point 0), end (point 1), the start's control (point 2) and the
// end's control (point 3), in four clicks.
class QvFigBezier : public QvFigCurveBase {
    DECLARE_SERIAL(QvFigBezier)
public:
    static constexpr int ToolId = ID_DRAW_BEZIER;
    // The control arms' pen.
    static constexpr COLORREF ArmColour = 0x969696;

    QvFigBezier();

    void Serialize(CArchive& ar) override;
    void Draw(CDC* dc, int mode) override;
    void DrawHandles(CDC* dc) override;
    void EditProperties(CPoint, CPoint) override { EditCurve(true); }
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    QString GetDescription() const override;

private:
    void DrawArms(CDC* dc);
};

// A curve through the points kept while the mouse is traced: a point is
// kept each time the pointer has gone the record's spacing (7.5 mm) from
// the last one.  The view ends the trace; the figure never says it is done.
class QvFigSmoothLine : public QvFigCurveBase {
    DECLARE_SERIAL(QvFigSmoothLine)
public:
    static constexpr int ToolId = ID_DRAW_SMOOTH_LINE;
    static constexpr int ArraySize = 1000;
    // The curve goes through no more points than this, so a trace keeps no
    // more: a point past the curve's end would carry the end mark away
    // from it.
    static constexpr int MaxPoints = QvGRBezierCurve::MaxThroughPoints;
    static constexpr double Tension = QvGRBezierCurve::SmoothFactor;

    QvFigSmoothLine();

    // Afterwards the click count is the point count - 1, as after a trace.
    void Serialize(CArchive& ar) override;
    void DrawFill(CDC* dc, int mode) override;
    void Draw(CDC* dc, int mode) override;
    void EditProperties(CPoint, CPoint) override { EditCurve(false); }
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    // Keeps the moving point when it is far enough from the last kept one;
    // always false.
    bool CreateClick() override;
    void BuildFromPoints() override;
    QString GetDescription() const override;

private:
    bool m_bCapHeard = false; // the beep at the point cap, once per trace
};
