#pragma once
// The smooth-curve primitive: a chain of cubic Bezier segments
// through a list of through-points, with two control points between each
// pair of neighbours.  Through-point i is P[3i]; segment k runs from P[3k] to
// P[3k+3] with controls P[3k+1] and P[3k+2].
#include "geometry/gr_base.h"

#include <vector>

class CDC;
class QvGRCircle;
class QvGRLine;

// The point of a cubic given by its coefficients in ascending powers, by
// Horner's rule.
QvPoint QvEvalCubic(const double cx[4], const double cy[4], double t);

class QvGRBezierCurve : public QvGRBase {
    DECLARE_SERIAL(QvGRBezierCurve)
public:
    static constexpr int MaxThroughPoints = 66; // AddPoint takes no more
    static constexpr int PointSlots = 200;      // 66 through-points, one to close, controls
    static constexpr int MaxSamples = 3000;     // flattening samples, the closing point besides
    // Tension factors: the smooth line's, and the circle's quarter arcs'.
    static constexpr double SmoothFactor = 0.35;
    static constexpr double CircleFactor = 0.5522847498;

    QvGRBezierCurve();
    QvGRBezierCurve(const QvGRBezierCurve& other) = default;
    // A full copy: a copied curve draws and measures like its source.
    virtual QvGRBezierCurve& operator=(const QvGRBezierCurve& other);

    void Reset();
    // Ignored on a built curve and beyond 66 through-points.
    void AddPoint(QvPoint p);
    // Every control point from the neighbouring through-points.  A closed
    // curve first appends its first through-point once more.
    void ComputeControlPoints(bool closed, double factor);
    // A curve of one segment with the given controls.
    void SetSegment(QvPoint start, QvPoint end, QvPoint control1, QvPoint control2);

    bool IsBuilt() const { return m_built; }
    bool IsClosed() const { return m_closed; }
    int GetCount() const { return m_count; }
    // The last index when built, else 0.
    int GetLastIndex() const;
    // P[3i]; (0, 0) for an index outside the through-points.
    QvPoint GetThroughPoint(int i) const;
    const QvPoint& GetPoint(int index) const { return m_points[size_t(index)]; }
    // Replaces one point of a built curve (a control, usually); the flattened
    // points are made again on the next Flatten.
    void SetPoint(int index, QvPoint p);
    // Pointing out of the curve at its ends: P[0] - P[1] and P[n] - P[n-1];
    // the zero vector for a curve of fewer than two through-points.
    QvVector GetStartDirection() const;
    QvVector GetEndDirection() const;
    // The directions stored by the last build, and by PointAtFraction.
    QvVector startDirection;
    QvVector endDirection;
    QvVector middleDirection;

    // Samples the curve into integer points for drawing, once per build.
    void Flatten();
    bool IsFlattened() const { return m_flattened; }
    int GetFlattenedCount() const { return int(m_flat.size()); }
    const CPoint* GetFlattenedPoints() const { return m_flat.data(); }
    // The two lines `distance` to either side of the flattened curve, as the
    // double line draws them.
    void GetDoubleLines(int distance, std::vector<CPoint>& left, std::vector<CPoint>& right);

    // Drawing through the device context.
    void DrawPolyline(CDC& dc);
    void DrawDouble(CDC& dc, int distance);
    void DrawPolygon(CDC& dc);

    // 299 chords per segment; 0 unless built.
    double GetLength() const;
    // The point at fraction f of the length, and its direction in
    // middleDirection.  Fractions up to 1 give points on the curve (1 its end).
    QvPoint PointAtFraction(double f);
    // The integer box of every point, controls included.
    CRect GetBounds() const;

    // Where the curve meets the infinite line through `line`, at most
    // `limit` points written to `out`.  Defined in gr_cross.cpp.
    int IntersectLine(const QvGRLine* line, QvPoint* out, int limit) const;
    // Points of this curve where it meets the other, at most `limit`.  Only
    // curves of at most four segments are intersected.
    int IntersectCurve(const QvGRBezierCurve* other, QvPoint* out, int limit) const;
    // The closed four-point curve that stands for a circle in intersections.
    // Defined in gr_cross.cpp.
    static void MakeCircleCurve(const QvGRCircle& circle, QvGRBezierCurve& curve);

    double DistanceTo(QvPoint p) const override;
    // Strictly closer than the tolerance.
    bool HitTest(QvPoint p, double tolerance) const override;
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    bool IsEmpty() const override;
    bool IsOn(QvPoint p) const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;

private:
    struct Segment {
        double cx[4];
        double cy[4];
    };
    int SegmentCount() const;
    Segment GetSegmentCoefficients(int k) const;
    struct Candidates;
    void SegmentCandidates(int k, QvPoint p, Candidates& c) const;

    int m_lastIndex = -3;
    int m_count = 0;
    bool m_built = false;
    bool m_flattened = false;
    bool m_closed = false;
    QvPoint m_points[PointSlots];
    std::vector<CPoint> m_flat;
};

// One step of the curve-curve search: pieces A(a0..a1) and B(b0..b1) of
// two cubics (coefficients x then y for each), meeting points of A appended
// at out[*count] while *count < limit, halving the longer piece while the
// ends' quadrant pattern says the pieces may cross, to depth 50.
void QvIntersectPieces(const double ax[4], const double ay[4], const double bx[4],
                       const double by[4], double a0, double a1, double b0, double b1, QvPoint* out,
                       int* count, int limit, int depth);
