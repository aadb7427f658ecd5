#pragma once
// The whole-ellipse primitive: a centre, two semi-axes and the direction of
// the first.  Distances are measured along the ray from the centre.
#include "geometry/gr_base.h"

class QvGREllipse : public QvGRBase {
    DECLARE_SERIAL(QvGREllipse)
public:
    // Written directly by the owning figure.
    QvPoint centre;
    double a = 0.0; // along the axis
    double b = 0.0; // across it
    QvVector axis;  // only its direction counts

    QvGREllipse();
    QvGREllipse(const QvGREllipse& other) = default;
    // Copies the centre, the semi-axes and the axis, not the type code.
    virtual QvGREllipse& operator=(const QvGREllipse& other);

    // The axis scaled to a, and its quarter turn scaled to b.
    QvVector GetU() const;
    QvVector GetV() const;
    // centre + cos t * U + sin t * V.
    QvPoint PointAt(double t) const;
    // A zero semi-axis or a zero axis: no curve to measure against.
    bool IsDegenerate() const;

    // The far value for a degenerate ellipse.
    double DistanceTo(QvPoint p) const override;
    bool HitTest(QvPoint p, double tolerance) const override;
    bool HitTestExtended(QvPoint p, double tolerance) const override;
    // The radial projection; the far point for a degenerate ellipse.
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    bool IsEmpty() const override;
    bool IsOn(QvPoint p) const override;
    bool IsOnExtended(QvPoint p) const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;
    void AddPointSnapPoints(const QvPoint*, QvSpecialPointList*, int, int) const override {}
    void AddSnapPointsReserved(int, int, int) const override {}
    void AddGuideShapes(const QvPoint*, QvGuideShapeList*, int) const override {}
    void AddGuideShapesWith(const QvGRBase*, QvGuideShapeList*, int) const override {}

protected:
    // The polar radius about the centre in the direction of d.  A direction
    // with no defined radius (only possible when degenerate) gives 0.
    double RadiusToward(QvVector d) const;
};
