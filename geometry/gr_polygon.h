#pragma once
// The closed polygon primitive: vertices in order, with a closing
// side from the last vertex back to the first.  Each side answers the snap
// search as a line does.
#include "geometry/gr_base.h"
#include "geometry/gr_line.h"

class QvGRPolygon : public QvGRBase {
    DECLARE_SERIAL(QvGRPolygon)
public:
    // Any number of vertices; the array grows as they are added.
    QvPointArray vertices;

    QvGRPolygon();
    QvGRPolygon(const QvGRPolygon& other);
    virtual QvGRPolygon& operator=(const QvGRPolygon& other);

    void AddVertex(QvPoint p);
    void RemoveAllVertices();
    int GetVertexCount() const { return vertices.GetSize(); }
    // Always false.
    virtual bool IsSame(QvGRPolygon) const { return false; }

    // Segment i runs from vertex i to vertex i + 1; the last, numbered
    // count - 1, closes the outline back to vertex 0.
    QvGRLine GetSegment(int i) const;
    // The segment nearest to p among those whose drawn part lies within 200
    // units, or -1; the distance to its line goes to *distance
    // (100000000.0 when there is none).
    int FindNearestSegment(QvPoint p, double* distance) const;

    double DistanceTo(QvPoint p) const override;
    bool HitTest(QvPoint p, double tolerance) const override;
    // The foot on the nearest segment's line within 200 units, or the far
    // point.
    QvPoint NearestPoint(QvPoint p) const override;
    std::unique_ptr<QvGRBase> Clone() const override;
    bool IsEmpty() const override;
    void AddSnapPoints(QvSpecialPointList* list, int level) const override;
    void AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                            int level) const override;
    void AddSnapPointsReserved(int, int, int) const override {}
    void AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const override;
    void AddGuideShapesWith(const QvGRBase*, QvGuideShapeList*, int) const override {}

    // The sides the snap operations walk: every segment of non-zero length,
    // the closing one included, in segment order.
    template <typename F> void ForEachSide(F&& visit) const;
};

template <typename F> void QvGRPolygon::ForEachSide(F&& visit) const {
    int count = GetVertexCount();
    if (count < 2)
        return;
    for (int i = 0; i < count; ++i) {
        QvGRLine side = GetSegment(i);
        // A repeated vertex (a figure that stores its first point again at
        // the end) makes a side of length 0, which no line operation can
        // answer sensibly.
        if (side.p1 == side.p2)
            continue;
        visit(side);
    }
}
