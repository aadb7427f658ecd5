#pragma once
// The rectangle primitive, in any orientation, and the frame that
// figures map their points through (frame coordinates are thousandths of the
// sides: (0,0) is corner 0, (1000,1000) corner 2).
#include "geometry/gr_base.h"
#include "geometry/gr_line.h"

class QvGRRect : public QvGRBase {
    DECLARE_SERIAL(QvGRRect)
public:
    // Corner 1 lies along side 0 from corner 0, corner 3 along side 1, and
    // corner 2 opposite corner 0.  The corners are the master data.
    QvPoint corner[4];
    // corner 1 - corner 0 and corner 3 - corner 0.
    QvVector side[2];
    // The outline for nearest point, intersections, feet and guides.  The
    // owning figure writes them; the rectangle itself never does, and copies
    // leave them as they were (empty for a new rectangle).
    QvGRLine edge[4];
    QvVector unit[2];

    QvGRRect();
    // Copies the corners and refreshes; the edges stay empty.
    QvGRRect(const QvGRRect& other);
    QvGRRect(QvPoint c0, QvPoint c1, QvPoint c2, QvPoint c3);
    // The first four points; fewer than four give the empty rectangle.
    explicit QvGRRect(const QvPointArray& points);
    // Copies the corners and refreshes; the edges keep their own values.
    virtual QvGRRect& operator=(const QvGRRect& other);

    void SetCorners(QvPoint c0, QvPoint c1, QvPoint c2, QvPoint c3);
    // Corner 0 = (left, top), corner 2 = (right, bottom).
    void SetFromRect(const CRect& r);
    // Moves the corners outward by dx and dy along the page axes.
    void Inflate(double dx, double dy);
    // Corner drags: the opposite corner stays.  An index outside 0-3 changes
    // nothing.
    void MoveCorner(int index, QvPoint p);
    void MoveCornerKeepAspect(int index, QvPoint p);

    double GetWidth() const;
    QvPoint GetCentre() const;
    // Inside or on the outline, with 0.0001 of slack on each side's
    // parameter.  Recomputes and stores the sides first.
    bool ContainsPoint(QvPoint p);
    // The same test on sides taken afresh from the corners, storing nothing.
    bool IsInside(QvPoint p) const;
    bool IsDifferent(const QvGRRect& other) const;
    // The integer box that holds every corner.
    CRect GetBounds() const;
    QvPoint FrameToDocument(QvPoint framePoint) const;
    QvPoint FrameToDocument(double x, double y) const;
    QvPoint DocumentToFrame(QvPoint p) const;
    bool HasZeroSides() const;
    void UpdateUnitVectors();

    // The nearest side within 200 units, or 100000000.0.
    double DistanceTo(QvPoint p) const override;
    // The foot on the nearest edge line, or the far point without edges.
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    bool IsEmpty() const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;
    void AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                            int level) const override;
    void AddSnapPointsReserved(int, int, int) const override {}
    void AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const override;
    void AddGuideShapesWith(const QvGRBase*, QvGuideShapeList*, int) const override {}

protected:
    // Sides, unit vectors, squaring.
    void Refresh();
    void UpdateSides();
    void Square();
    // The corner drag's table: fixed corner, the corners along side 0 and
    // side 1 from it, and the two directions.
    struct DragFrame {
        int fixed, alongFirst, alongSecond;
        QvVector u, w;
    };
    DragFrame GetDragFrame(int index) const;
};

// An empty frame, for figure operations whose caller has none.
extern const QvGRRect NullFrame;

// A box that holds content (graphs, text): hit anywhere inside, and it
// offers the snap search nothing.  It has no run-time class of its own and
// must never be archived under one.
class QvGRFrameRect : public QvGRRect {
public:
    QvGRFrameRect() = default;
    QvGRFrameRect(const QvGRFrameRect& other) = default;
    QvGRFrameRect& operator=(const QvGRRect& other) override;
    QvGRFrameRect& operator=(const QvGRFrameRect& other);

    // 0 anywhere inside, else the rectangle's distance.
    double DistanceTo(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    void AddSnapPoints(QvSpecialPointList*, int) const override {}
    void AddPointSnapPoints(const QvPoint*, QvSpecialPointList*, int, int) const override {}
    void AddGuideShapes(const QvPoint*, QvGuideShapeList*, int) const override {}
};
