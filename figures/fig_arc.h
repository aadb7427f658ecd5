#pragma once
// The arc figures: a piece of a circle or an ellipse, left open or closed
// as a sector or a segment, with optional arrowheads and a centre mark.  The
// base draws, fills, measures and describes every arc from its primitive;
// the kinds (centre and two points, three points, a box) only place the
// primitive from their points.
//
// The geometry follows the defining points at once, as the ellipses' does.
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/figure.h"
#include "geometry/gr_arc.h"
#include "platform/command_ids.h"

class QvGRBezierCurve;

// The arc's attribute record.
class QvEditDataArc : public QvEditData {
    DECLARE_SERIAL(QvEditDataArc)
public:
    static constexpr LONG NoArrowHead = 10;

    short m_version = 1;
    LONG m_markType = 0; // the centre mark
    LONG m_startArrow = NoArrowHead;
    LONG m_stopArrow = NoArrowHead;
    LONG m_midArrow = NoArrowHead;
    BYTE m_startSize = 12; // drawn at size x 20 model units
    BYTE m_stopSize = 12;
    BYTE m_midSize = 12;
    double m_midPos = 0.5; // fraction of the length from the start point
    LONG m_closeType = QvArcClosing::Arc;
    BYTE m_major = 0; // the arc between two directions takes the long way

    // After the common fields: the word 1 and the fields above (34 bytes).
    // A version word below 1 leaves them as they are.
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
    // Everything but the common fields from the "Arc" defaults.
    void SetFromDefaults();
};

// The arc as its properties dialog states it, besides the record.
struct QvArcAngles {
    double rotation = 0.0;     // degrees, where the counter-clockwise sweep begins
    double centralAngle = 0.0; // degrees, the counter-clockwise sweep
    int majorChoice = -1;      // 0 "Major", 1 "Minor", -1 neither
    // A three-point arc: its ends stay, so only the central angle may change.
    bool fixedPoints = false;
};

class QvFigArcBase : public QvFigure {
    DECLARE_SERIAL(QvFigArcBase)
public:
    // The Arc Properties dialog, which lives above the figures: it edits the
    // record and the angles it is given and answers true on OK.  It leaves
    // the record's major flag to the figure.
    using PropertiesDialog = QvDialogSeam<QvFigArcBase, bool(QvEditDataArc& record, QvArcAngles& angles)>;

    // Flattening steps: quarter turns for circles, finer for ellipses.
    static constexpr double QuarterStep = 1.570796327;
    static constexpr double EllipseStep = 0.2;

    QvFigArcBase();

    void Serialize(CArchive& ar) override;
    void Draw(CDC* dc, int mode) override;
    // Sectors and segments; an open arc has no inside.
    void DrawFill(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    std::unique_ptr<QvGRBase> CreateGeometry() const override;
    // The curve, then the chord of a segment or the two radii of a sector.
    void AddShapes(QvShapeList& list, int part) override;
    void Move(QvVector offset) override;
    void Reflect(const QvGRLine& mirror) override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    // An arc offers no point by index: the far point.
    QvPoint GetPoint(int n) const override;
    QString GetDescription() const override;
    // The arc's dialog; OK writes the record and, when the angles changed,
    // moves the ends to them.
    void EditProperties(CPoint, CPoint) override;
    // Sets the arc counter-clockwise from `angles.x` through `angles.y`
    // degrees.  A central angle of 0 or 360 or beyond is no arc: ignored.
    virtual void SetAngles(QvPoint angles);

    // The primitive as last built; its reversed flag tells whether the arc
    // runs clockwise from its start point.
    const QvGRArc& Arc() const { return m_arc; }
    QvEditDataArc* ArcData() const { return m_pArcData; }
    double FlatteningStep() const { return m_step; }
    // False while the points give no arc (three points on one line).
    bool HasArc() const { return m_bHasArc; }
    // The curve the arc is drawn as, oriented from the arc's start: its end
    // directions point out of the arc at the start and end points, and the
    // primitive's reversed flag says whether its points run backwards.
    void MakeCurve(QvGRBezierCurve& curve);

protected:
    // Sizes the points, sets the tool id, step, primitive and a record from
    // the current style and the arc defaults.
    void InitArc(int points, int toolId, double step);
    // Display points from the defining points, then the geometry.
    void Refresh();
    // The arc's third point from its start, its end and the major flag: the
    // short way round when the flag is clear, the long way when it is set.
    // The primitive's reversed flag follows.
    void PlaceThirdPoint();
    // Counts a click; true (after a rebuild) once `points` clicks are in.
    bool CountClick(int points);
    // The start and end points on the ellipse at the rotation and the
    // rotation plus the central angle (degrees); the major flag follows.
    void PlaceEndsAt(QvPoint angles, int startIndex, int endIndex);
    // Runs the dialog; with fixed points only a changed central angle
    // moves the arc.
    void EditWithDialog(bool fixedPoints);

    QvEditDataArc* m_pArcData = nullptr;
    QvGRArc m_arc;
    double m_step = QuarterStep;
    bool m_bHasArc = true;
};

// The centre, a start point that fixes the radius, and a finish point whose
// direction from the centre ends the arc.
class QvFigArcC2P : public QvFigArcBase {
    DECLARE_SERIAL(QvFigArcC2P)
public:
    static constexpr int ToolId = ID_DRAW_ARC_C2P;
    QvFigArcC2P();
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    void SetAngles(QvPoint angles) override;
};

// The start, the end, and a point the arc passes through.  Three points on
// one line have no arc: the third click is refused with a beep, a grip is
// not dragged onto that line, and such a figure read from a file is not
// valid.
class QvFigArc3P : public QvFigArcBase {
    DECLARE_SERIAL(QvFigArc3P)
public:
    static constexpr int ToolId = ID_DRAW_ARC_3P;
    QvFigArc3P();
    bool IsValid() const override;
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    // The arc's dialog with its rotation and major choice fixed.
    void EditProperties(CPoint, CPoint) override;
    // Only the central angle counts: the arc bends about its chord, to the
    // side it bulged to before.
    void SetAngles(QvPoint angles) override;
};

// An elliptical arc in a box dragged from one corner to the opposite one,
// with start and end points on the ellipse.  The click count is the
// creation state: 0 before the press, 2 while dragging, 4 done.  Points:
// the corners 0-3 (1 along the first side, 3 along the second), start 4,
// end 5.
class QvFigArc4P : public QvFigArcBase {
    DECLARE_SERIAL(QvFigArc4P)
public:
    static constexpr int ToolId = ID_DRAW_ARC_4P;
    QvFigArc4P();
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    // With Shift held the box is a square.
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    void SetAngles(QvPoint angles) override;
};
