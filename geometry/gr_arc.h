#pragma once
// The arc primitive: an ellipse with a start, an end and a third point
// that picks which of the two arcs between the ends is meant, left open or
// closed as a sector or a segment.
#include "geometry/gr_ellipse.h"

class QvGRBezierCurve;

namespace QvArcClosing {
constexpr int Arc = 0;     // open
constexpr int Sector = 1;  // closed by the radii to the centre
constexpr int Segment = 2; // closed by the chord
} // namespace QvArcClosing

class QvGRArc : public QvGREllipse {
    DECLARE_SERIAL(QvGRArc)
public:
    // Written by the owning figure, which then calls UpdateAngles.
    QvPoint startPoint;
    QvPoint endPoint;
    QvPoint thirdPoint;
    BYTE between = 0;  // the third angle lies strictly between the end angles
    BYTE reversed = 0; // the last quarter-step Bezier runs from the end to the start
    BYTE major = 0;    // the central angle exceeds 180 degrees
    int closingType = QvArcClosing::Arc;
    // Parameter angles in radians, a cache of the three points.
    double startAngle = 0.0;
    double thirdAngle = 0.0;
    double endAngle = 0.0;

    QvGRArc();
    QvGRArc(const QvGRArc& other) = default;
    using QvGREllipse::operator=;
    // The ellipse part, the points, the flags, the closing type and the angles.
    QvGRArc& operator=(const QvGRArc& other);

    void UpdateAngles();
    // The parameter angle of the point's radial projection, in (-pi, pi].
    double GetParameterAngle(QvPoint p) const;
    // Strictly between the smaller and the larger end angle.
    bool IsWithinAngles(double theta) const;
    // x: where the counter-clockwise sweep begins, y: the central angle, both
    // in degrees rounded to hundredths.  Sets the major flag.
    QvPoint GetStartAndCentralAngle();
    // Where the ray from the centre through p meets the whole ellipse.
    QvPoint ProjectToEllipse(QvPoint p) const;
    QvPoint NearestPointOnEllipse(QvPoint p) const;

    // Fills a freshly constructed curve with through-points at equal steps
    // of the parameter angle (radians, positive) across the sweep.  Steps of
    // a quarter turn or more get the ellipse's own quarter-arc controls, the
    // curve's end directions as seen from the arc, and the reversed flag.
    void ToBezierCurve(QvGRBezierCurve& curve, double step);
    // The quarter-arc control vector at parameter angle t: the ellipse's
    // tangent there, times 0.5522847498.
    QvVector ControlVectorAt(double t) const;

    double DistanceTo(QvPoint p) const override;
    bool HitTest(QvPoint p, double tolerance) const override;
    bool HitTestExtended(QvPoint p, double tolerance) const override;
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    bool IsOn(QvPoint p) const override;
    bool IsOnExtended(QvPoint p) const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;

private:
    // Within the arc's sweep, by the stored angles and between flag.
    bool InSweep(double theta) const { return IsWithinAngles(theta) == (between != 0); }
};
