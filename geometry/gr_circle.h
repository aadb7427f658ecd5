#pragma once
// The full-circle primitive and its constructions with points,
// lines and other circles.  The members that read or make a line
// (IntersectLine1/2, LineThroughCentre, TangentLineAt, AddGuideShapes) are
// defined in gr_cross.cpp, so that the circle and the line never include
// each other.
#include "geometry/gr_base.h"

class QvGRLine;

class QvGRCircle : public QvGRBase {
    DECLARE_SERIAL(QvGRCircle)
public:
    // How near a discriminant or distance counts as touching, and how near
    // to the circle a point offers no line through the centre.
    static constexpr double TouchTolerance = 1e-8;
    static constexpr double NearDistance = 200.0;

    // Written directly by the owning figure; a negative radius is not rejected.
    QvPoint centre;
    double radius = 0.0;

    QvGRCircle();
    QvGRCircle(const QvGRCircle& other) = default;
    // Copies the centre and the radius (the type code is 2 in both).
    virtual QvGRCircle& operator=(const QvGRCircle& other);

    // Constructions.  Each gives one point; "1" and "2" differ
    // in the sign of one square root.  No answer is the far point.
    QvPoint GetTangentPoint1(QvPoint from) const;
    QvPoint GetTangentPoint2(QvPoint from) const;
    // This circle's points where it meets the other (on this circle by
    // construction; callers that need both test the other).
    QvPoint IntersectCircle1(const QvGRCircle* other) const;
    QvPoint IntersectCircle2(const QvGRCircle* other) const;
    // Points on the infinite line through the segment, measured from p2
    // towards p1: "1" is the one farther from p2.
    QvPoint IntersectLine1(const QvGRLine* line) const;
    QvPoint IntersectLine2(const QvGRLine* line) const;
    QvGRLine LineThroughCentre(QvPoint p) const;
    // The tangent construction line at p, or the empty line when p is not on
    // the circle.
    QvGRLine TangentLineAt(QvPoint p) const;

    // The points of this circle touched by the common tangents of the two
    // circles, or the far point when that tangent does not exist (concentric
    // circles, one inside the other for the outer ones, overlapping circles
    // for the inner ones).
    QvPoint GetOuterTangentPoint1(const QvGRCircle* other) const;
    QvPoint GetOuterTangentPoint2(const QvGRCircle* other) const;
    QvPoint GetInnerTangentPoint1(const QvGRCircle* other) const;
    QvPoint GetInnerTangentPoint2(const QvGRCircle* other) const;

    double DistanceTo(QvPoint p) const override;
    bool HitTest(QvPoint p, double tolerance) const override;
    bool HitTestExtended(QvPoint p, double tolerance) const override;
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    bool IsEmpty() const override;
    bool IsOn(QvPoint p) const override;
    bool IsOnExtended(QvPoint p) const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;
    void AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                            int level) const override;
    void AddSnapPointsReserved(int, int, int) const override {}
    // The tangent line and the line through the centre.
    void AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const override;
    void AddGuideShapesWith(const QvGRBase*, QvGuideShapeList*, int) const override {}

private:
    QvPoint TangentPoint(QvPoint from, double sign) const;
    QvPoint IntersectCircle(const QvGRCircle* other, double sign) const;
    QvPoint IntersectLine(const QvGRLine* line, double sign) const;
    QvPoint CommonTangentPoint(const QvGRCircle* other, double otherRadiusSign, double sign) const;
};

// The document's common-tangent step: when kind 18 "Tangent to
// both circles" passes at the level, appends the four points of `first`
// touched by its common tangents with `second`, outer 1, outer 2, inner 1,
// inner 2.  Tangents that do not exist append nothing.  The document still
// decides when to call it (modes 2-3, the line tool, both orders of a pair).
void QvAddCommonTangentPoints(const QvGRCircle& first, const QvGRCircle& second,
                              QvSpecialPointList* list, int level);
