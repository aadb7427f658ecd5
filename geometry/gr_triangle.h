#pragma once
// The triangle solver: a triangle ABC described by eleven measurements,
// solved from any three that define it, laid out on the page, and answering
// the snap search as its three edges.
#include "geometry/gr_base.h"
#include "geometry/gr_line.h"

#include <QString>

// Indexes into the given and solved measurements.  Angles are in degrees,
// lengths in millimetres, the area in square millimetres.
namespace QvTri {
enum Measure : int {
    AngleA,
    AngleB,
    AngleC,
    SideA,
    SideB,
    SideC,
    HeightA,
    HeightB,
    HeightC,
    Area,
    Perimeter,
    Count
};
} // namespace QvTri

class QvGRTriangle : public QvGRBase {
    DECLARE_SERIAL(QvGRTriangle)
public:
    // A value above 0 is given; 0 or below is not.
    double given[QvTri::Count] = {};
    double solved[QvTri::Count] = {};
    QvPoint vertices[3]; // A, B, C in model units
    // 0 AB, 1 BC, 2 CA, -1 none: written by every DistanceTo.
    mutable int nearestEdge = -1;
    BYTE measureFromVertices = 0; // the figure's; only copied and stored here
    BYTE isSolved = 0;
    int givenCount = 0;
    WORD version = 0;
    QString pattern; // '1' given, '0' not, '-' after the angles, sides, heights

    QvGRTriangle();
    QvGRTriangle(const QvGRTriangle& other) = default;
    QvGRTriangle& operator=(const QvGRTriangle& other) = default;

    // Works out the measurements that were not given and says how it went.
    // Never changes the vertices.
    QString Solve();
    // Lays the solved triangle out with A at start, keeping the direction of
    // AC and the side of AC that B lies on.
    void PlaceVertices(QvPoint start);
    // Renames the vertices cyclically: A takes B's values, B C's, C A's.
    virtual void RotateLabels();
    // No value given, the vertices at the origin, the measure flag clear;
    // the solved values stay.
    void ClearGiven();

    // The steps of Solve.
    void BuildPattern();
    // The strict triangle inequality.
    bool IsTriangle(double a, double b, double c) const;
    void AnglesFromSides();
    void CompleteAngles();
    // From the solved a (1), the given b (2) or the given c (3).
    void SidesFromAngles(int which);
    // The angle opposite q, from the angle theta opposite p, or
    // AmbiguousAngle or NoAngle.
    double AngleFromSine(double theta, double p, double q);
    void SidesFromArea();
    static constexpr double AmbiguousAngle = -1.0;
    static constexpr double NoAngle = -2.0;

    // Edge 0 AB, 1 BC, 2 CA.
    QvGRLine GetEdge(int i) const;

    void Serialize(CArchive& ar) override;

    // Distance to the nearest edge line within 200 units of its segment,
    // else 100000000.0.
    double DistanceTo(QvPoint p) const override;
    bool HitTest(QvPoint p, double tolerance) const override;
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    // Whether it has vertices: all three at the page origin is a triangle
    // not yet drawn.
    bool IsEmpty() const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;
    void AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                            int level) const override;
    void AddSnapPointsReserved(int, int, int) const override {}
    void AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const override;
    void AddGuideShapesWith(const QvGRBase*, QvGuideShapeList*, int) const override {}

private:
    // The completion step: area, heights and perimeter from the solved
    // angles and sides.
    void Complete();
    // The solved values describe a real triangle that keeps the given values.
    bool SolvedIsTriangle() const;
};
