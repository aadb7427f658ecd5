#pragma once
// The straight-segment primitive, and the infinite line through
// it wherever an operation is extended.
#include "geometry/gr_base.h"

// Slope of a vertical line (x2 - x1 exactly 0).
constexpr double QV_VERTICAL_SLOPE = 9733245097332460.0;

class QvGRLine : public QvGRBase {
    DECLARE_SERIAL(QvGRLine)
public:
    QvPoint p1;
    QvPoint p2;
    BYTE flag = 0; // 0 after every construction; no operation of the line reads it

    QvGRLine();
    QvGRLine(double x1, double y1, double x2, double y2);
    QvGRLine(QvPoint first, QvPoint second);
    QvGRLine(const QvGRLine& other) = default;
    QvGRLine& operator=(const QvGRLine& other) = default;

    double GetLength() const;
    // QV_VERTICAL_SLOPE when x2 - x1 is exactly 0.
    double GetSlope() const;
    // The far value for a vertical line.
    double GetIntercept() const;
    // Construction lines through p, 120000 units wide in x.
    QvGRLine PerpendicularThrough(QvPoint p) const;
    QvGRLine ParallelThrough(QvPoint p) const;
    // Meeting point of the infinite lines, or the far point.
    QvPoint IntersectLines(const QvGRLine& other) const;
    // Meeting point of the segments, or the far point.  Only this line's
    // coordinates are bounded (strictly inside +-300000).
    QvPoint IntersectSegments(const QvGRLine& other) const;
    // The angle bisectors with another line, or an empty line.
    QvGRLine GetBisector1(QvGRLine other) const;
    QvGRLine GetBisector2(QvGRLine other) const;
    virtual bool IsSameLine(QvGRLine other) const;

    // The construction line through p with slope m (QV_VERTICAL_SLOPE for a
    // vertical one), 60000 to either side in x (in y when vertical).
    static QvGRLine ConstructionLine(QvPoint p, double m);

    double DistanceTo(QvPoint p) const override;
    bool HitTest(QvPoint p, double tolerance) const override;
    bool HitTestExtended(QvPoint p, double tolerance) const override;
    // The foot of the perpendicular on the infinite line; the end point for
    // a line whose ends coincide.
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    bool IsEmpty() const override;
    bool IsOn(QvPoint p) const override;
    bool IsOnExtended(QvPoint p) const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;
    void AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                            int level) const override;
    void AddSnapPointsReserved(int, int, int) const override {}
    // Defined in gr_cross.cpp: its equal-length guide is a circle.
    void AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const override;
    void AddGuideShapesWith(const QvGRBase* other, QvGuideShapeList* list,
                            int level) const override;
};
