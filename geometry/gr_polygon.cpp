#include "geometry/gr_polygon.h"

#include "geometry/snap_kind.h"

IMPLEMENT_SERIAL(QvGRPolygon, QvGRBase, 1)

namespace {
constexpr double kNoDistance = 100000000.0;
constexpr double kSideGate = 200.0;
} // namespace

QvGRPolygon::QvGRPolygon() {
    type = QvGRType::Polygon;
}

QvGRPolygon::QvGRPolygon(const QvGRPolygon& other) : QvGRBase(other) {
    type = QvGRType::Polygon;
    CopyPointArray(other.vertices, vertices);
}

QvGRPolygon& QvGRPolygon::operator=(const QvGRPolygon& other) {
    if (this != &other)
        CopyPointArray(other.vertices, vertices);
    return *this;
}

void QvGRPolygon::AddVertex(QvPoint p) {
    vertices.Add(p);
}

void QvGRPolygon::RemoveAllVertices() {
    vertices.SetSize(0);
}

QvGRLine QvGRPolygon::GetSegment(int i) const {
    int count = GetVertexCount();
    return QvGRLine(vertices[i], vertices[(i + 1) % count]);
}

int QvGRPolygon::FindNearestSegment(QvPoint p, double* distance) const {
    int nearest = -1;
    double best = kNoDistance;
    int count = GetVertexCount();
    for (int i = 0; i < count; ++i) {
        QvGRLine segment = GetSegment(i);
        double d = segment.DistanceTo(p);
        if (segment.HitTest(p, kSideGate) && d < best) {
            best = d;
            nearest = i;
        }
    }
    if (distance)
        *distance = best;
    return nearest;
}

double QvGRPolygon::DistanceTo(QvPoint p) const {
    double best;
    FindNearestSegment(p, &best);
    return best;
}

bool QvGRPolygon::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

QvPoint QvGRPolygon::NearestPoint(QvPoint p) const {
    int nearest = FindNearestSegment(p, nullptr);
    if (nearest < 0)
        return QvPoint::Far();
    return GetSegment(nearest).NearestPoint(p);
}

std::unique_ptr<QvGRBase> QvGRPolygon::Clone() const {
    auto clone = std::make_unique<QvGRPolygon>();
    *clone = *this;
    return clone;
}

bool QvGRPolygon::IsEmpty() const {
    return GetVertexCount() == 0;
}

void QvGRPolygon::AddSnapPoints(QvSpecialPointList* list, int level) const {
    int count = GetVertexCount();
    bool vertex = QvSnapKindPasses(QvSnap::PolygonVertex, level);
    bool mid = QvSnapKindPasses(QvSnap::PolygonMidPoint, level);
    // Each vertex, then the mid point of the segment that starts at it.
    for (int i = 0; i < count; ++i) {
        QvPoint from = vertices[i];
        QvPoint to = vertices[(i + 1) % count];
        if (vertex)
            QvAppendSnapPoint(list, QvSnap::PolygonVertex, from);
        if (mid)
            QvAppendSnapPoint(list, QvSnap::PolygonMidPoint, from + (to - from) * 0.5);
    }
}

void QvGRPolygon::AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                                     int level) const {
    ForEachSide([&](const QvGRLine& side) { side.AddPointSnapPoints(from, list, flag, level); });
}

void QvGRPolygon::AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const {
    ForEachSide([&](const QvGRLine& side) { side.AddGuideShapes(from, list, level); });
}
