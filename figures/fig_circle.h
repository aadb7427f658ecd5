#pragma once
// The circle figures: the record they share with ellipses and points, the
// base that draws, fills, measures and describes every circle, and the four
// ways of making one (centre and point, diameter, three points, square).
#include "figures/edit_data.h"
#include "figures/dialog_seam.h"
#include "figures/figure.h"
#include "geometry/gr_circle.h"
#include "platform/command_ids.h"
#include "platform/dc.h"

#include <vector>

// Circles', ellipses' and points' record: the point-mark code of the centre
// (or of the point itself).
class QvEditDataCircle : public QvEditData {
    DECLARE_SERIAL(QvEditDataCircle)
public:
    short m_version = 1;
    LONG m_markType = 0;

    // After the common fields: the word 1 and the mark type (22 bytes).
    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

class QvFigCircleBase : public QvFigure {
    DECLARE_SERIAL(QvFigCircleBase)
public:
    // The tension that makes four cubic segments a circle.
    static constexpr double CircleFactor = 0.5522847498;

    // The Circle Properties dialog, which lives above the figures: it
    // edits the centre mark it is given, captioned for an ellipse when told
    // so, and answers true on OK.  Ellipses share it.
    using PropertiesDialog = QvDialogSeam<QvFigCircleBase, bool(LONG& markType, bool ellipse)>;
    // Runs the dialog on a record's mark type.
    static void EditCentreMark(QvEditDataCircle& record, bool ellipse);

    QvFigCircleBase();

    void Draw(CDC* dc, int mode) override;
    void DrawFill(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    std::unique_ptr<QvGRBase> CreateGeometry() const override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    QvPoint GetPoint(int n) const override;
    QString GetDescription() const override;

    const QvGRCircle& Circle() const { return m_circle; }
    QvEditDataCircle* CircleData() const { return m_pCircleData; }

protected:
    // Sizes the points, sets the tool id, the primitive and a record from
    // the current style and the circle defaults.
    void InitCircle(int points, int toolId);
    // The four points the outline passes through, after a rebuild.
    virtual void GetQuadrantPoints(QvPoint q[4]) const;
    // From the centre to a point of the circle.
    virtual QvVector RadiusVector() const { return QvVector(m_circle.radius, 0.0); }
    virtual QvPoint CentreMarkPoint() const { return m_circle.centre; }
    virtual bool RebuildBeforeFill() const { return true; }
    // Creation by clicks: point k (the click count) follows pt, and the
    // first also places point 1, so the rubber band starts on the press.
    void TrackClickPoint(QvPoint pt);
    // Counts a click; true (after a rebuild) once `points` clicks are in.
    bool CountClick(int points);
    // Grip n to `to`, then rebuild.
    void MovePoint(int n, QvPoint to);

    QvEditDataCircle* m_pCircleData = nullptr;
    QvGRCircle m_circle;

private:
    // The outline's flattened points, made again only when the quadrant
    // points change, and their device vertices as last drawn.
    const std::vector<CPoint>& FlatOutline();
    struct Outline {
        bool made = false;
        double key[8] = {};
        std::vector<CPoint> flat;
        CDCVertexCache line, fill;
    };
    Outline m_outline;
};

// Centre, then a point on the circle.
class QvFigCircleCR : public QvFigCircleBase {
    DECLARE_SERIAL(QvFigCircleCR)
public:
    static constexpr int ToolId = ID_DRAW_CIRCLE_CR;
    QvFigCircleCR();
    void Serialize(CArchive& ar) override;
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;

protected:
    QvVector RadiusVector() const override;
    QvPoint CentreMarkPoint() const override;
};

// The two ends of a diameter.
class QvFigCircleD : public QvFigCircleBase {
    DECLARE_SERIAL(QvFigCircleD)
public:
    static constexpr int ToolId = ID_DRAW_CIRCLE_D;
    QvFigCircleD();
    void Serialize(CArchive& ar) override;
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;

protected:
    QvVector RadiusVector() const override;
    QvPoint CentreMarkPoint() const override;
};

// Three points on the circle.  Three points on one line have no circle: the
// third click is refused with a beep, and such a figure read from a file is
// not valid.  The geometry then keeps its last circle, never NaN.
class QvFigCircle3C : public QvFigCircleBase {
    DECLARE_SERIAL(QvFigCircle3C)
public:
    static constexpr int ToolId = ID_DRAW_CIRCLE_3P;
    QvFigCircle3C();
    void Serialize(CArchive& ar) override;
    bool IsValid() const override;
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    // The far point for every index.
    QvPoint GetPoint(int n) const override;

    // The circumcentre of three points; false when they are on one line.
    static bool Circumcentre(const QvPoint& p0, const QvPoint& p1, const QvPoint& p2,
                             QvPoint* centre);

protected:
    QvVector RadiusVector() const override;
};

// Pressed at one corner of a square and released at the other.  The click
// count is the creation state: 0 before the press, 2 while dragging, 3 done.
class QvFigCircle : public QvFigCircleBase {
    DECLARE_SERIAL(QvFigCircle)
public:
    static constexpr int ToolId = ID_DRAW_CIRCLE_4C;
    QvFigCircle();
    void Serialize(CArchive& ar) override;
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    CRect GetBoundRect() override;
    QvPoint GetPoint(int n) const override;

protected:
    void GetQuadrantPoints(QvPoint q[4]) const override;
    bool RebuildBeforeFill() const override { return false; }
};
