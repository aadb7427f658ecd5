#include "document/snap_engine.h"

#include "document/background_grid.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_group.h"
#include "figures/figure.h"
#include "geometry/gr_angle.h"
#include "geometry/gr_arc.h"
#include "geometry/gr_bezier.h"
#include "geometry/gr_circle.h"
#include "geometry/gr_ellipse.h"
#include "geometry/gr_line.h"
#include "geometry/gr_point.h"
#include "geometry/gr_rect.h"
#include "geometry/gr_round_rect.h"
#include "geometry/snap_kind.h"
#include "platform/command_ids.h"

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <typeinfo>
#include <utility>

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

namespace {
constexpr int kSelectTool = ID_DRAW_SELECT;
constexpr int kSectionTool = ID_TOOL_SECTION_SELECT;
// How near the pointer must come to a figure or a construction shape for
// a point on it to be offered.
constexpr double kNearDistance = 200.0;
// Slack round a shape's box for the crossings made with it: segments keep
// points within 0.001 of themselves, circles within rounding of their
// outline.
constexpr double kMargin = 2.0;

using Reach = QvSnapEngine::Reach;
using Box = QvSnapEngine::Box;

QvSnapPoint MakeCandidate(QvPoint point, double priority, const QString& label) {
    QvSnapPoint record;
    record.point = point;
    record.priority = priority;
    record.label = label;
    return record;
}

bool Finite(QvPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

Box BoxAround(QvPoint a, QvPoint b, double margin) {
    return {std::min(a.x, b.x) - margin, std::min(a.y, b.y) - margin, std::max(a.x, b.x) + margin,
            std::max(a.y, b.y) + margin};
}

bool Overlap(const Box& a, const Box& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

double BoxDistance(const Box& b, QvPoint p) {
    const double dx = std::max({b.x0 - p.x, 0.0, p.x - b.x1});
    const double dy = std::max({b.y0 - p.y, 0.0, p.y - b.y1});
    return std::sqrt(dx * dx + dy * dy);
}

// Where a shape's crossings can lie.  A segment keeps only crossings on
// itself with lines and circles, but a curve meeting it is not checked
// against the segment; a circle's and a curve's crossings lie on them; a
// point's crossing is the point.  Null shapes make no crossings with
// segments, circles and curves either way (their type codes are none of
// those the primitives switch on); the rest are never pruned.
Reach ReachOf(const QvGRBase* shape, Box& box) {
    const std::type_info& type = typeid(*shape);
    if (type == typeid(QvGRLine)) {
        const auto& line = static_cast<const QvGRLine&>(*shape);
        if (!Finite(line.p1) || !Finite(line.p2))
            return Reach::Other;
        box = BoxAround(line.p1, line.p2, kMargin);
        return Reach::Line;
    }
    if (type == typeid(QvGRCircle)) {
        const auto& circle = static_cast<const QvGRCircle&>(*shape);
        const double r = std::fabs(circle.radius);
        if (!Finite(circle.centre) || !std::isfinite(r))
            return Reach::Other;
        // A curve meets the circle as the four-point curve close to it.
        const double reach = r * 1.001 + kMargin;
        box = {circle.centre.x - reach, circle.centre.y - reach, circle.centre.x + reach,
               circle.centre.y + reach};
        return Reach::Circle;
    }
    if (type == typeid(QvGRBezierCurve)) {
        // Through-points and controls alike: P[0] to P[last].
        const auto& curve = static_cast<const QvGRBezierCurve&>(*shape);
        const int last = curve.GetLastIndex();
        if (!curve.IsBuilt() || last <= 0 || last >= QvGRBezierCurve::PointSlots)
            return Reach::Other;
        Box b{curve.GetPoint(0).x, curve.GetPoint(0).y, curve.GetPoint(0).x, curve.GetPoint(0).y};
        for (int i = 0; i <= last; ++i) {
            const QvPoint& p = curve.GetPoint(i);
            if (!Finite(p))
                return Reach::Other;
            b = {std::min(b.x0, p.x), std::min(b.y0, p.y), std::max(b.x1, p.x),
                 std::max(b.y1, p.y)};
        }
        // The curve lies inside its control points; its crossings are
        // found to a tolerance.
        const double margin = kMargin + 10.0 + 0.001 * std::max(b.x1 - b.x0, b.y1 - b.y0);
        box = {b.x0 - margin, b.y0 - margin, b.x1 + margin, b.y1 + margin};
        return Reach::Curve;
    }
    if (type == typeid(QvGRPoint)) {
        const QvPoint& p = static_cast<const QvGRPoint&>(*shape).point;
        if (!Finite(p))
            return Reach::Other;
        box = BoxAround(p, p, kMargin);
        return Reach::Point;
    }
    const int code = shape->GetType();
    const bool switchedOn =
        code == QvGRType::Line || code == QvGRType::Circle || code == QvGRType::BezierCurve;
    if (!switchedOn &&
        (type == typeid(QvGRFrameRect) || type == typeid(QvGRBase) || type == typeid(QvGREllipse) ||
         type == typeid(QvGRArc) || type == typeid(QvGRRoundRect) || type == typeid(QvGRAngle)))
        return Reach::Null;
    return Reach::Other;
}

bool Bounded(Reach r) {
    return r == Reach::Line || r == Reach::Circle || r == Reach::Curve || r == Reach::Point;
}

// Every crossing of a pair lies in x's box, whatever x meets.
bool BoundsPair(Reach x, Reach partner) {
    switch (x) {
    case Reach::Point:
        return true;
    case Reach::Line:
        return partner == Reach::Line || partner == Reach::Circle || partner == Reach::Point;
    case Reach::Circle:
    case Reach::Curve:
        return Bounded(partner);
    default:
        return false;
    }
}

// The asking shape makes no crossing with the other.
bool MakesNothing(Reach asking, Reach other) {
    return asking == Reach::Null ||
           (other == Reach::Null &&
            (asking == Reach::Line || asking == Reach::Circle || asking == Reach::Curve));
}

// How near the pointer a crossing bounded by this shape can come.
double ReachDistance(const QvGRBase* shape, Reach reach, const Box& box, QvPoint p) {
    if (reach == Reach::Line) {
        const auto& line = static_cast<const QvGRLine&>(*shape);
        const QvVector d = line.p2 - line.p1;
        const double length2 = d.x * d.x + d.y * d.y;
        double t =
            length2 > 0.0 ? ((p.x - line.p1.x) * d.x + (p.y - line.p1.y) * d.y) / length2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double dx = line.p1.x + d.x * t - p.x, dy = line.p1.y + d.y * t - p.y;
        return std::max(std::sqrt(dx * dx + dy * dy) - kMargin, 0.0);
    }
    if (reach == Reach::Circle) {
        const auto& circle = static_cast<const QvGRCircle&>(*shape);
        const double r = std::fabs(circle.radius);
        const double ring = std::fabs((p - circle.centre).Length() - r);
        return std::max(ring - r * 0.001 - kMargin, 0.0);
    }
    return BoxDistance(box, p);
}

// Puts the records of `incoming` in place of the `count` records from
// `begin`, moving them; answers how far the records after them moved.
template <class Records> int ReplaceRun(Records& target, int begin, int& count, Records& incoming) {
    const auto at = target.begin() + begin;
    target.erase(at, at + count);
    target.insert(target.begin() + begin, std::make_move_iterator(incoming.begin()),
                  std::make_move_iterator(incoming.end()));
    const int shift = int(incoming.size()) - count;
    count = int(incoming.size());
    return shift;
}

// No point at `distance` or further can reach `floor` with `priority`.
bool Beyond(double priority, double distance, double floor) {
    return priority * priority / (distance * distance + 0.05) < floor;
}

// Whether the crossings of two shapes are sure to make nothing that beats
// `floor`: kinds that never meet, boxes apart, or both too far away.
template <class Info>
bool PairCannotWin(const QvGRBase* a, const Info& fa, const QvGRBase* b, const Info& fb,
                   double priority, QvPoint p, double floor) {
    if (MakesNothing(fa.reach, fb.reach))
        return true;
    const bool aBounds = BoundsPair(fa.reach, fb.reach);
    const bool bBounds = BoundsPair(fb.reach, fa.reach);
    if (aBounds && bBounds && !Overlap(fa.box, fb.box))
        return true;
    if (aBounds && Beyond(priority, ReachDistance(a, fa.reach, fa.box, p), floor))
        return true;
    return bBounds && Beyond(priority, ReachDistance(b, fb.reach, fb.box, p), floor);
}

bool InSearch(const QvShapeRecord& record, const QvFigure* exclude) {
    return record.shape && !QvHolds(exclude, record.figure);
}

std::uint64_t CutOffs(int level) {
    std::uint64_t passing = 0;
    for (int k = 0; k < QvSnap::FilledKinds; ++k)
        if (QvSnapKindPasses(k, level))
            passing |= std::uint64_t(1) << k;
    return passing;
}
} // namespace

// ------------------------------------------------------------ the index

struct QvSnapEngine::Index {
    using Point = bg::model::point<double, 2, bg::cs::cartesian>;
    using Rect = bg::model::box<Point>;
    using Value = std::pair<Rect, std::uint32_t>;
    bgi::rtree<Value, bgi::rstar<16>> tree;

    static Rect ToRect(const Box& b) { return Rect(Point(b.x0, b.y0), Point(b.x1, b.y1)); }
};

QvSnapEngine::QvSnapEngine() : m_index(std::make_unique<Index>()) {}

QvSnapEngine::~QvSnapEngine() = default;

bool QvSnapEngine::Best::Beats(double s, const Key& k) const {
    return s > score || (found && s == score && k < key);
}

bool QvSnapEngine::Best::Take(double s, const Key& k) {
    if (!Beats(s, k))
        return false;
    score = s;
    key = k;
    found = true;
    return true;
}

void QvSnapEngine::Clear() {
    m_entries.clear();
    m_points.RemoveAll();
    m_shapes.RemoveAll();
    m_info.clear();
    m_indexOfId.clear();
    m_freeIds.clear();
    m_index->tree.clear();
    m_guides.RemoveAll();
    m_guideInfo.clear();
    m_fromPoints.RemoveAll();
    m_from.valid = false;
    m_level = -1;
    m_needsRebuild = false;
    ++m_generation;
}

// ---------------------------------------------------------------- upkeep

void QvSnapEngine::MakeRecords(QvFigure* figure, QvSnapPointList& points,
                               QvShapeList& shapes) const {
    if (!m_active || !Lumbrel2Doc::FigureStands(figure))
        return;
    figure->AddSpecialPoints(points, m_level);
    figure->AddShapes(shapes, -1);
}

void QvSnapEngine::IndexShapes(int from, int to) {
    std::vector<Index::Value> values;
    for (int i = from; i < to; ++i) {
        ShapeInfo info;
        const QvShapeRecord& record = m_shapes[i];
        if (record.shape)
            info.reach = ReachOf(record.shape.get(), info.box);
        if (m_freeIds.empty()) {
            info.id = std::uint32_t(m_indexOfId.size());
            m_indexOfId.push_back(i);
        } else {
            info.id = m_freeIds.back();
            m_freeIds.pop_back();
            m_indexOfId[info.id] = i;
        }
        if (Bounded(info.reach))
            values.emplace_back(Index::ToRect(info.box), info.id);
        m_info.insert(m_info.begin() + i, info);
    }
    if (from == 0 && m_index->tree.empty()) {
        // Packed in one go: faster to build and to query.
        m_index->tree = decltype(m_index->tree)(values.begin(), values.end());
    } else {
        for (const Index::Value& v : values)
            m_index->tree.insert(v);
    }
}

void QvSnapEngine::UnindexShapes(int from, int to) {
    for (int i = from; i < to; ++i) {
        const ShapeInfo& info = m_info[size_t(i)];
        if (Bounded(info.reach))
            m_index->tree.remove(Index::Value(Index::ToRect(info.box), info.id));
        m_freeIds.push_back(info.id);
    }
    m_info.erase(m_info.begin() + from, m_info.begin() + to);
}

void QvSnapEngine::Rebuild(const std::vector<QvFigure*>& figures, bool lineTool) {
    Clear();
    m_mode = QvGetMADLevel();
    m_active = m_mode == 2 || m_mode == 3;
    m_lineTool = lineTool;
    int parts = 0;
    for (const QvFigure* f : figures)
        parts += f->GetPartCount();
    m_level = parts - 1;
    m_cutOffs = CutOffs(m_level);
    m_entries.reserve(figures.size());
    for (QvFigure* f : figures) {
        Entry e;
        e.figure = f;
        e.parts = f->GetPartCount();
        e.pointBegin = m_points.GetCount();
        e.shapeBegin = m_shapes.GetCount();
        MakeRecords(f, m_points, m_shapes);
        e.pointCount = m_points.GetCount() - e.pointBegin;
        e.shapeCount = m_shapes.GetCount() - e.shapeBegin;
        if (m_active && Lumbrel2Doc::FigureStands(f))
            e.circle = dynamic_cast<const QvGRCircle*>(f->GetShape());
        m_entries.push_back(e);
    }
    m_info.reserve(size_t(m_shapes.GetCount()));
    IndexShapes(0, m_shapes.GetCount());
}

int QvSnapEngine::FindEntry(const QvFigure* figure) const {
    // Changes come mostly to the newest figures.
    for (int i = int(m_entries.size()) - 1; i >= 0; --i)
        if (m_entries[size_t(i)].figure == figure)
            return i;
    return -1;
}

bool QvSnapEngine::CutOffsChange(int level) const {
    return QvGetMADLevel() != m_mode || CutOffs(level) != m_cutOffs;
}

void QvSnapEngine::Splice(int e, QvSnapPointList& points, QvShapeList& shapes) {
    Entry& entry = m_entries[size_t(e)];
    const int pointShift =
        ReplaceRun(m_points.Records(), entry.pointBegin, entry.pointCount, points.Records());
    points.RemoveAll();

    UnindexShapes(entry.shapeBegin, entry.shapeBegin + entry.shapeCount);
    const int shapeShift =
        ReplaceRun(m_shapes.Records(), entry.shapeBegin, entry.shapeCount, shapes.Records());
    shapes.RemoveAll();
    IndexShapes(entry.shapeBegin, entry.shapeBegin + entry.shapeCount);

    for (size_t i = size_t(e) + 1; i < m_entries.size(); ++i) {
        m_entries[i].pointBegin += pointShift;
        m_entries[i].shapeBegin += shapeShift;
    }
    if (shapeShift != 0)
        for (size_t i = size_t(entry.shapeBegin + entry.shapeCount); i < m_info.size(); ++i)
            m_indexOfId[m_info[i].id] = int(i);
}

void QvSnapEngine::Add(QvFigure* figure) {
    ++m_generation;
    Entry e;
    e.figure = figure;
    e.parts = figure->GetPartCount();
    e.pointBegin = m_points.GetCount();
    e.shapeBegin = m_shapes.GetCount();
    m_level += e.parts;
    if (!m_needsRebuild && CutOffsChange(m_level))
        m_needsRebuild = true;
    if (!m_needsRebuild) {
        MakeRecords(figure, m_points, m_shapes);
        e.pointCount = m_points.GetCount() - e.pointBegin;
        e.shapeCount = m_shapes.GetCount() - e.shapeBegin;
        if (m_active && Lumbrel2Doc::FigureStands(figure))
            e.circle = dynamic_cast<const QvGRCircle*>(figure->GetShape());
        m_entries.push_back(e);
        IndexShapes(e.shapeBegin, m_shapes.GetCount());
        return;
    }
    m_entries.push_back(e);
}

void QvSnapEngine::Change(QvFigure* figure) {
    const int e = FindEntry(figure);
    if (e < 0)
        return;
    ++m_generation;
    Entry& entry = m_entries[size_t(e)];
    const int parts = figure->GetPartCount();
    m_level += parts - entry.parts;
    entry.parts = parts;
    if (!m_needsRebuild && CutOffsChange(m_level))
        m_needsRebuild = true;
    if (m_needsRebuild)
        return;
    m_tmpPoints.RemoveAll();
    m_tmpShapes.RemoveAll();
    MakeRecords(figure, m_tmpPoints, m_tmpShapes);
    Splice(e, m_tmpPoints, m_tmpShapes);
    m_entries[size_t(e)].circle = m_active && Lumbrel2Doc::FigureStands(figure)
                                      ? dynamic_cast<const QvGRCircle*>(figure->GetShape())
                                      : nullptr;
}

void QvSnapEngine::Remove(const QvFigure* figure) {
    const int e = FindEntry(figure);
    if (e < 0)
        return;
    ++m_generation;
    // Its records go whatever else follows: nothing may point at it.
    m_tmpPoints.RemoveAll();
    m_tmpShapes.RemoveAll();
    Splice(e, m_tmpPoints, m_tmpShapes);
    m_level -= m_entries[size_t(e)].parts;
    m_entries.erase(m_entries.begin() + e);
    if (!m_needsRebuild && CutOffsChange(m_level))
        m_needsRebuild = true;
}

int QvSnapEngine::EntryOfPoint(int index) const {
    // The last entry whose block starts at or before the index and holds it.
    auto it = std::upper_bound(m_entries.begin(), m_entries.end(), index,
                               [](int i, const Entry& e) { return i < e.pointBegin; });
    while (it != m_entries.begin()) {
        --it;
        if (index < it->pointBegin + it->pointCount)
            return int(it - m_entries.begin());
    }
    return 0;
}

// ---------------------------------------------------------------- search

void QvSnapEngine::NearShapes(QvPoint p, double priority, double floor,
                              std::vector<int>& out) const {
    out.clear();
    if (floor > 0.0 && Beyond(priority, 0.0, floor))
        return;
    const auto keep = [&](int i) {
        const ShapeInfo& info = m_info[size_t(i)];
        const double d = ReachDistance(m_shapes[i].shape.get(), info.reach, info.box, p);
        if (!Beyond(priority, d, floor))
            out.push_back(i);
    };
    if (floor <= 0.0) {
        for (int i = 0; i < int(m_info.size()); ++i)
            if (Bounded(m_info[size_t(i)].reach))
                out.push_back(i);
        return;
    }
    const double r = std::sqrt(std::max(priority * priority / floor - 0.05, 0.0)) + 1.0;
    const Index::Rect query(Index::Point(p.x - r, p.y - r), Index::Point(p.x + r, p.y + r));
    for (auto it = m_index->tree.qbegin(bgi::intersects(query)); it != m_index->tree.qend(); ++it)
        keep(m_indexOfId[it->second]);
    std::sort(out.begin(), out.end());
}

void QvSnapEngine::SearchTangents(const Query& q, Best& best) {
    if (!m_active || !m_lineTool || !QvSnapKindPasses(QvSnap::TangentToBothCircles, m_level))
        return;
    const double priority = QvGetSnapTable()[QvSnap::TangentToBothCircles].priority;
    for (size_t f = 0; f < m_entries.size(); ++f) {
        const Entry& a = m_entries[f];
        if (!a.circle || QvHolds(q.exclude, a.figure))
            continue;
        // Every tangent point lies on the circle itself.
        const double ring =
            std::fabs((q.pointer - a.circle->centre).Length() - std::fabs(a.circle->radius));
        if (Beyond(priority, std::max(ring - kMargin, 0.0), best.score))
            continue;
        for (size_t g = 0; g < m_entries.size(); ++g) {
            const Entry& b = m_entries[g];
            if (g == f || !b.circle)
                continue;
            m_special.RemoveAll();
            QvAddCommonTangentPoints(*a.circle, *b.circle, &m_special, m_level);
            for (int k = 0; k < m_special.GetCount(); ++k) {
                const QvSpecialPoint& s = m_special[k];
                const double score = QvSnapPoint::Attraction(s.priority, s.point, q.pointer);
                const Key key{0, std::uint32_t(f), 1, std::uint32_t(g), std::uint32_t(k)};
                if (!best.Take(score, key))
                    continue;
                best.record = QvSnapPoint(s);
                best.record.figure1 = a.figure;
                best.record.figure2 = b.figure;
                best.record.primitive1 = a.circle;
                best.record.primitive2 = b.circle;
            }
        }
    }
}

void QvSnapEngine::SearchCrossings(const Query& q, Best& best) {
    if (!m_active || !QvSnapKindPasses(QvSnap::Intersection, m_level))
        return;
    const double priority = QvGetSnapTable()[QvSnap::Intersection].priority;
    const QvPoint p = q.pointer;
    NearShapes(p, priority, best.score, m_near);
    std::erase_if(m_near, [&](int i) { return !InSearch(m_shapes[i], q.exclude); });

    m_pairs.clear();
    const auto pair = [&](int a, int b) {
        if (a != b)
            m_pairs.emplace_back(std::min(a, b), std::max(a, b));
    };
    for (size_t i = 0; i < m_near.size(); ++i)
        for (size_t j = i + 1; j < m_near.size(); ++j)
            pair(m_near[i], m_near[j]);
    const int count = int(m_info.size());
    // The partners a near shape bounds that are not near themselves.
    for (int x : m_near) {
        const Reach rx = m_info[size_t(x)].reach;
        if (rx != Reach::Curve && rx != Reach::Point)
            continue;
        for (int y = 0; y < count; ++y) {
            const Reach ry = m_info[size_t(y)].reach;
            if ((rx == Reach::Curve && ry == Reach::Line) ||
                (rx == Reach::Point && ry == Reach::Null))
                if (InSearch(m_shapes[y], q.exclude))
                    pair(x, y);
        }
    }
    for (int o = 0; o < count; ++o) {
        if (m_info[size_t(o)].reach != Reach::Other || !InSearch(m_shapes[o], q.exclude))
            continue;
        for (int y = 0; y < count; ++y)
            if (InSearch(m_shapes[y], q.exclude))
                pair(o, y);
    }
    std::sort(m_pairs.begin(), m_pairs.end());
    m_pairs.erase(std::unique(m_pairs.begin(), m_pairs.end()), m_pairs.end());

    for (const auto& [ia, ib] : m_pairs) {
        const QvShapeRecord& a = m_shapes[ia];
        const QvShapeRecord& b = m_shapes[ib];
        const ShapeInfo& fa = m_info[size_t(ia)];
        const ShapeInfo& fb = m_info[size_t(ib)];
        if (PairCannotWin(a.shape.get(), fa, b.shape.get(), fb, priority, p, best.score))
            continue;
        m_special.RemoveAll();
        a.shape->AddIntersections(b.shape.get(), &m_special, m_level);
        for (int k = 0; k < m_special.GetCount(); ++k) {
            const QvSpecialPoint& s = m_special[k];
            const double score = QvSnapPoint::Attraction(s.priority, s.point, p);
            const Key key{1, std::uint32_t(ia), std::uint32_t(ib), std::uint32_t(k), 0};
            if (!(s.priority > 0.0) || !best.Take(score, key))
                continue;
            best.record = QvSnapPoint(s);
            best.record.figure1 = a.figure;
            best.record.figure2 = b.figure;
            best.record.frame1 = a.frame1;
            best.record.frame2 = b.frame1;
            best.record.primitive1 = a.shape.get();
            best.record.primitive2 = b.shape.get();
        }
    }
}

QvSnapPointList QvSnapEngine::Crossings() const {
    QvSnapPointList out;
    if (!m_active || !QvSnapKindPasses(QvSnap::Intersection, m_level))
        return out;
    QvSpecialPointList scratch;
    for (int i = 0; i < m_shapes.GetCount(); ++i) {
        const QvShapeRecord& a = m_shapes[i];
        if (!a.shape)
            continue;
        for (int j = i + 1; j < m_shapes.GetCount(); ++j) {
            const QvShapeRecord& b = m_shapes[j];
            if (!b.shape)
                continue;
            scratch.RemoveAll();
            a.shape->AddIntersections(b.shape.get(), &scratch, m_level);
            for (int k = 0; k < scratch.GetCount(); ++k) {
                QvSnapPoint record(scratch[k]);
                record.figure1 = a.figure;
                record.figure2 = b.figure;
                record.frame1 = a.frame1;
                record.frame2 = b.frame1;
                record.primitive1 = a.shape.get();
                record.primitive2 = b.shape.get();
                out.Add(record);
            }
        }
    }
    return out;
}

void QvSnapEngine::FillConstructions(const Query& q, QvPoint reference) {
    const int mode = QvGetMADLevel();
    if (m_from.valid && m_from.generation == m_generation && m_from.exclude == q.exclude &&
        m_from.reference == reference && m_from.parts == q.parts && m_from.mode == mode)
        return;
    m_from = {m_generation, q.exclude, reference, q.parts, mode, true};
    m_fromPoints.RemoveAll();
    m_guides.RemoveAll();
    const int n = q.parts;
    for (const Entry& e : m_entries) {
        e.figure->AddSpecialPointsFrom(reference, m_fromPoints, q.exclude, n);
        e.figure->AddGuideShapesFrom(reference, m_guides, n);
    }
    // The bisectors of two lines crossing at the start.
    if (QvSnapKindPasses(QvSnap::AngleBisector, n) && m_active &&
        QvSnapKindPasses(QvSnap::Intersection, m_level)) {
        const QvSnapKind& kind = QvGetSnapTable()[QvSnap::AngleBisector];
        std::vector<int> at;
        const Index::Rect query(Index::Point(reference.x, reference.y),
                                Index::Point(reference.x, reference.y));
        for (auto it = m_index->tree.qbegin(bgi::intersects(query)); it != m_index->tree.qend();
             ++it) {
            const int i = m_indexOfId[it->second];
            if (m_info[size_t(i)].reach == Reach::Line && InSearch(m_shapes[i], q.exclude))
                at.push_back(i);
        }
        std::sort(at.begin(), at.end());
        for (size_t i = 0; i < at.size(); ++i) {
            for (size_t j = i + 1; j < at.size(); ++j) {
                const QvShapeRecord& ra = m_shapes[at[i]];
                const QvShapeRecord& rb = m_shapes[at[j]];
                m_special.RemoveAll();
                ra.shape->AddIntersections(rb.shape.get(), &m_special, m_level);
                const auto* a = static_cast<const QvGRLine*>(ra.shape.get());
                const auto* b = static_cast<const QvGRLine*>(rb.shape.get());
                for (int k = 0; k < m_special.GetCount(); ++k) {
                    if (!(m_special[k].point == reference) || !(m_special[k].priority > 0.0))
                        continue;
                    for (const QvGRLine& bisector : {a->GetBisector1(*b), a->GetBisector2(*b)}) {
                        if (bisector.IsEmpty())
                            continue;
                        QvShapeRecord record;
                        record.SetShape(std::make_unique<QvGRLine>(bisector));
                        record.priority = kind.priority;
                        record.label = kind.name;
                        record.figure = ra.figure;
                        record.figure2 = rb.figure;
                        record.frame1 = ra.frame1;
                        record.frame2 = rb.frame1;
                        m_guides.Add(std::move(record));
                    }
                }
            }
        }
    }
    m_guideInfo.assign(size_t(m_guides.GetCount()), ShapeInfo{});
    for (int i = 0; i < m_guides.GetCount(); ++i)
        if (m_guides[i].shape)
            m_guideInfo[size_t(i)].reach =
                ReachOf(m_guides[i].shape.get(), m_guideInfo[size_t(i)].box);
}

void QvSnapEngine::SearchGuideCrossings(const Query& q, Best& best, std::uint32_t seq) {
    const QvSnapKind& kind = QvGetSnapTable()[QvSnap::IntersectionOfFigureAnd];
    const double priority = kind.priority;
    const QvPoint p = q.pointer;
    NearShapes(p, priority, best.score, m_near);
    std::erase_if(m_near, [&](int i) { return !InSearch(m_shapes[i], q.exclude); });
    const int guides = m_guides.GetCount();
    std::vector<char> guideNear(size_t(guides), 0);
    for (int s = 0; s < guides; ++s) {
        const ShapeInfo& info = m_guideInfo[size_t(s)];
        if (m_guides[s].shape && Bounded(info.reach) &&
            !Beyond(priority, ReachDistance(m_guides[s].shape.get(), info.reach, info.box, p),
                    best.score))
            guideNear[size_t(s)] = 1;
    }

    m_pairs.clear();
    for (int r : m_near)
        for (int s = 0; s < guides; ++s)
            if (guideNear[size_t(s)])
                m_pairs.emplace_back(r, s);
    // Partners a near shape bounds that are not near themselves.
    for (int r : m_near) {
        const Reach rr = m_info[size_t(r)].reach;
        for (int s = 0; s < guides; ++s) {
            const Reach rs = m_guideInfo[size_t(s)].reach;
            if ((rr == Reach::Curve && rs == Reach::Line) ||
                (rr == Reach::Point && (rs == Reach::Null || rs == Reach::Other)))
                m_pairs.emplace_back(r, s);
        }
    }
    const int count = int(m_info.size());
    for (int s = 0; s < guides; ++s) {
        const Reach rs = m_guideInfo[size_t(s)].reach;
        if (rs == Reach::Other || (guideNear[size_t(s)] && rs == Reach::Curve))
            for (int r = 0; r < count; ++r)
                if (InSearch(m_shapes[r], q.exclude))
                    m_pairs.emplace_back(r, s);
    }
    for (int r = 0; r < count; ++r)
        if (m_info[size_t(r)].reach == Reach::Other && InSearch(m_shapes[r], q.exclude))
            for (int s = 0; s < guides; ++s)
                m_pairs.emplace_back(r, s);
    std::sort(m_pairs.begin(), m_pairs.end());
    m_pairs.erase(std::unique(m_pairs.begin(), m_pairs.end()), m_pairs.end());

    for (const auto& [ir, is] : m_pairs) {
        const QvShapeRecord& r = m_shapes[ir];
        const QvShapeRecord& s = m_guides[is];
        if (!s.shape)
            continue;
        const ShapeInfo& fr = m_info[size_t(ir)];
        const ShapeInfo& fs = m_guideInfo[size_t(is)];
        if (PairCannotWin(r.shape.get(), fr, s.shape.get(), fs, priority, p, best.score))
            continue;
        m_special.RemoveAll();
        r.shape->AddIntersections(s.shape.get(), &m_special, q.parts);
        for (int k = 0; k < m_special.GetCount(); ++k) {
            const QvPoint& point = m_special[k].point;
            if (QvSpecialPointList::IsNoTarget(point))
                continue;
            const double score = QvSnapPoint::Attraction(priority, point, p);
            const Key key{2, seq, std::uint32_t(ir), std::uint32_t(is), std::uint32_t(k)};
            if (!best.Take(score, key))
                continue;
            best.record = MakeCandidate(point, priority, kind.name + s.label);
            best.record.figure1 = r.figure;
            best.record.figure2 = s.figure;
            best.record.frame1 = r.frame1;
            best.record.frame2 = s.frame1;
            best.record.primitive1 = r.shape.get();
        }
    }
}

// The search, step by step.  The running order is the order of these
// steps, except that the common tangents belong with the cached points and
// the crossings of figures between those and the search's own candidates:
// both are made last, when the best so far bounds where they can win.
QvSnapEngine::Result QvSnapEngine::Find(const Query& q) {
    Search s(q);
    if (q.exclude) {
        s.reference = q.exclude->GetPoint(q.pointIndex);
        const int tool = q.exclude->GetToolId();
        s.selectLike = tool == kSelectTool || tool == kSectionTool;
        s.angleMark = tool == Lumbrel2Doc::AngleMarkToolId;
    }
    s.figures = q.level > 1 && !q.shift;
    s.hasReference = q.exclude && !QvSpecialPointList::IsNoTarget(s.reference);
    if (q.ctrl || s.selectLike || !s.figures || !s.hasReference || s.angleMark) {
        // The constructions of the last search are not this one's.
        m_guides.RemoveAll();
        m_guideInfo.clear();
        m_from.valid = false;
    }

    Result result;
    result.point = q.pointer;
    if (q.ctrl || s.selectLike)
        return result;

    StepCachedPoints(s);
    StepGrid(s);
    if (s.figures) {
        StepConstructions(s);
        StepPointsOnFigures(s);
        if (!s.angleMark) {
            StepPointsOnGuides(s);
            SearchTangents(q, s.best);
            SearchCrossings(q, s.best);
            if (QvSnapKindPasses(QvSnap::IntersectionOfFigureAnd, q.parts))
                SearchGuideCrossings(q, s.best, s.seq);
        }
    }

    // A mark takes its figures from the search: the line under the pointer
    // must win over a grid point that lies nearer.
    const bool onFigure =
        s.angleMark && s.onFigure.found && !(s.best.found && s.best.record.figure1);
    const QvSnapPoint& best = onFigure ? s.onFigure.record : s.best.record;
    if ((onFigure || s.best.found) && best.priority > 0.0) {
        result.snapped = true;
        result.point = best.point;
        result.label = best.label;
        result.figure1 = best.figure1;
        result.figure2 = best.figure2;
        result.frame1 = best.frame1;
        result.frame2 = best.frame2;
    }
    return result;
}

void QvSnapEngine::Offer(Search& s, const QvSnapPoint& record) {
    const Key key{2, s.seq++, 0, 0, 0};
    if (QvHolds(s.q.exclude, record.figure1))
        return;
    const double score = record.GetAttraction(s.q.pointer);
    if (s.best.Take(score, key))
        s.best.record = record;
}

void QvSnapEngine::OfferTarget(Search& s, const QvSnapPoint& record) {
    // The records a figure adds are filtered as they were stored.
    if (!QvSpecialPointList::IsNoTarget(record.point))
        Offer(s, record);
}

void QvSnapEngine::StepCachedPoints(Search& s) {
    // The cached points come first in the running order: everything later
    // beats them only with a strictly greater score.
    if (!s.figures || s.angleMark)
        return;
    const int winner = m_points.FindBest(s.q.pointer, s.best.record, s.best.score, s.q.exclude);
    if (winner >= 0) {
        s.best.found = true;
        s.best.key = {0, std::uint32_t(EntryOfPoint(winner)), 0, std::uint32_t(winner), 0};
    }
}

void QvSnapEngine::StepGrid(Search& s) {
    const QvSnapTable& kinds = QvGetSnapTable();
    const QvPoint pointer = s.q.pointer;
    s.grid = pointer;
    if (s.q.level <= 0) {
        Offer(s, MakeCandidate(pointer, 1.0, QStringLiteral("Point")));
        return;
    }
    // A grid too fine to have rows (a spacing below 1, or below 2 for the
    // half-spaced isometric rows, say from a damaged file) has no points to
    // offer: the pointer stands in for it.
    const QvBackgroundGrid& grid = *s.q.grid;
    if (grid.GetSpacing() >= (grid.IsIsometric() ? 2 : 1))
        s.grid = grid.NearestGridPoint(int(pointer.x), int(pointer.y));
    if (QvSpecialPointList::IsNoTarget(s.grid))
        s.grid = pointer;
    const QvSnapKind& kind = kinds[QvSnap::GridPoint];
    Offer(s, MakeCandidate(s.grid, kind.priority, kind.name));
}

void QvSnapEngine::StepConstructions(Search& s) {
    if (!s.hasReference || s.angleMark)
        return;
    FillConstructions(s.q, s.reference);
    for (int k = 0; k < m_fromPoints.GetCount(); ++k)
        Offer(s, m_fromPoints[k]);
}

void QvSnapEngine::StepPointsOnFigures(Search& s) {
    const QvSnapTable& kinds = QvGetSnapTable();
    const int n = s.q.parts;
    const bool gridOnFigure = !s.angleMark && QvSnapKindPasses(QvSnap::GridPointOnFigure, n);
    for (int i = 0; i < m_shapes.GetCount(); ++i) {
        const QvShapeRecord& r = m_shapes[i];
        if (!InSearch(r, s.q.exclude) || !r.figure)
            continue;
        if (gridOnFigure && r.figure->IsOn(s.grid)) {
            const QvSnapKind& kind = kinds[QvSnap::GridPointOnFigure];
            QvSnapPoint record = MakeCandidate(s.grid, kind.priority, kind.name);
            record.frame1 = r.frame1;
            record.frame2 = r.frame2;
            OfferTarget(s, record);
        }
        if (r.figure->HitTest(s.q.pointer, kNearDistance)) {
            m_figurePoints.RemoveAll();
            r.figure->AddPointOnFigure(s.q.pointer, m_figurePoints, n);
            for (int k = 0; k < m_figurePoints.GetCount(); ++k) {
                QvSnapPoint& record = m_figurePoints[k];
                record.frame1 = r.frame1;
                record.frame2 = r.frame2;
                OfferTarget(s, record);
                if (s.angleMark && record.figure1 &&
                    !QvSpecialPointList::IsNoTarget(record.point) &&
                    s.onFigure.Take(record.GetAttraction(s.q.pointer), {2, s.seq, 0, 0, 0}))
                    s.onFigure.record = record;
            }
        }
    }
}

void QvSnapEngine::StepPointsOnGuides(Search& s) {
    const QvSnapTable& kinds = QvGetSnapTable();
    const bool gridOnShape = QvSnapKindPasses(QvSnap::GridPointOn, s.q.parts);
    const bool pointOnShape = QvSnapKindPasses(QvSnap::PointOnShape, s.q.parts);
    for (int i = 0; i < m_guides.GetCount(); ++i) {
        const QvShapeRecord& g = m_guides[i];
        if (!g.shape)
            continue;
        if (gridOnShape && g.shape->IsOnExtended(s.grid)) {
            const QvSnapKind& kind = kinds[QvSnap::GridPointOn];
            QvSnapPoint record = MakeCandidate(s.grid, kind.priority, kind.name + g.label);
            record.frame1 = g.frame1;
            record.frame2 = g.frame2;
            OfferTarget(s, record);
        }
        if (pointOnShape && g.shape->HitTestExtended(s.q.pointer, kNearDistance)) {
            QvSnapPoint record =
                MakeCandidate(g.shape->NearestPoint(s.q.pointer), g.priority, g.label);
            record.frame1 = g.frame1;
            record.frame2 = g.frame2;
            OfferTarget(s, record);
        }
    }
}
