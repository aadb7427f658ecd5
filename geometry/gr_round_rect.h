#pragma once
// The rectangle with rounded corners: four straight edges and four
// quarter-round corners, each corner a one-segment Bezier curve.
#include "geometry/gr_base.h"
#include "geometry/gr_bezier.h"
#include "geometry/gr_line.h"

class QvGRRoundRect : public QvGRBase {
    DECLARE_SERIAL(QvGRRoundRect)
public:
    // Edge k follows corner k: AB, BD, DC, CA.
    QvGRLine edges[4];
    // The roundings at A, B, D and C.
    QvGRBezierCurve corners[4];

    // The quarter-circle tension, and 1 minus it, where the controls sit.
    static constexpr double Kappa = 0.5522847498;
    static constexpr double OneMinusKappa = 0.4477152502;

    QvGRRoundRect();
    QvGRRoundRect(const QvGRRoundRect& other) = default;
    virtual QvGRRoundRect& operator=(const QvGRRoundRect& other);

    // A is a corner, B and C its neighbours, D the corner opposite A.  The
    // radius is held to half the shorter side.  Returns where the rounding
    // at A meets side AB.
    QvPoint Build(QvPoint a, QvPoint b, QvPoint c, QvPoint d, double radius);

    double DistanceTo(QvPoint p) const override;
    // Strictly closer than the tolerance.
    bool HitTest(QvPoint p, double tolerance) const override;
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    bool IsEmpty() const override;
    bool IsOn(QvPoint p) const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;
};
