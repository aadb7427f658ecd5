#pragma once
// The angle-mark primitive: four points that the angle-mark figure fills
// from its own, offered as snap targets.
#include "geometry/gr_base.h"

class QvGRAngle : public QvGRBase {
    DECLARE_SERIAL(QvGRAngle)
public:
    // Written by the figure on every rebuild; what each stands for is its matter.
    QvPoint points[4];

    QvGRAngle();
    QvGRAngle(const QvGRAngle& other) = default;
    // Copies the four points, not the type code.
    virtual QvGRAngle& operator=(const QvGRAngle& other);

    // The smallest distance to the four points.
    double DistanceTo(QvPoint p) const override;
    bool HitTest(QvPoint p, double tolerance) const override;
    bool HitTestExtended(QvPoint p, double tolerance) const override;
    // Point 2, whatever is asked.
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    // Only when all four points are the far point.
    bool IsEmpty() const override;
    bool IsOn(QvPoint p) const override;
    bool IsOnExtended(QvPoint p) const override;
    // Points 0, 1 and 2; point 3 is never offered.
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;
};
