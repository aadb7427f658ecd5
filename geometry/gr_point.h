#pragma once
// The point primitive: one snap target, and an intersection wherever
// another primitive passes through it.
#include "geometry/gr_base.h"

class QvGRPoint : public QvGRBase {
    DECLARE_SERIAL(QvGRPoint)
public:
    // Written directly by the point figure.
    QvPoint point;

    QvGRPoint();
    QvGRPoint(const QvGRPoint& other) = default;
    // Copies x and y; the type code stays 3.
    virtual QvGRPoint& operator=(const QvGRPoint& other);

    double DistanceTo(QvPoint p) const override;
    bool HitTest(QvPoint p, double tolerance) const override;
    bool HitTestExtended(QvPoint p, double tolerance) const override;
    // The point itself, whatever is asked.
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    // Never: a point at the page origin is still a point.
    bool IsEmpty() const override;
    bool IsOn(QvPoint p) const override;
    bool IsOnExtended(QvPoint p) const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;
};
