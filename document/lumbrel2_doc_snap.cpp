// The point caches and the snap search.
#include "document/lumbrel2_doc.h"

#include "figures/fig_angle_mark.h"
#include "figures/fig_group.h"
#include "figures/figure.h"
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry/snap_kind.h"
#include "platform/key_state.h"
#include "shell/lumbrel2_app.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <typeinfo>

namespace {
constexpr UINT kLineTool = 32771;
constexpr int kSelectTool = 32774;
constexpr int kSectionTool = 34790;
// How near the pointer must come to a figure or a construction shape for
// a point on it to be offered.
constexpr double kNearDistance = 200.0;

QvSnapPoint MakeCandidate(QvPoint point, double priority, const QString& label) {
    QvSnapPoint record;
    record.point = point;
    record.priority = priority;
    record.label = label;
    return record;
}

// Above the score of any crossing a figure segment can offer with kind
// priority `priority`, or infinity when that cannot be told.  A segment
// keeps only crossings within its on-tolerance (0.001) of itself, so none
// lies nearer the pointer than the box of its ends, less a wide margin.
double CrossingScoreBound(const QvGRBase* shape, QvPoint pointer, double priority) {
    constexpr double kMargin = 2.0;
    const double inf = std::numeric_limits<double>::infinity();
    if (typeid(*shape) != typeid(QvGRLine))
        return inf;
    const auto& line = static_cast<const QvGRLine&>(*shape);
    for (double v : {line.p1.x, line.p1.y, line.p2.x, line.p2.y})
        if (!std::isfinite(v))
            return inf;
    const double dx = std::max({std::min(line.p1.x, line.p2.x) - pointer.x, 0.0,
                                pointer.x - std::max(line.p1.x, line.p2.x)});
    const double dy = std::max({std::min(line.p1.y, line.p2.y) - pointer.y, 0.0,
                                pointer.y - std::max(line.p1.y, line.p2.y)});
    const double d = std::sqrt(dx * dx + dy * dy) - kMargin;
    if (!(d > 0.0))
        return inf;
    return priority * priority / (d * d + 0.05);
}

// A cached record still offered to a search that leaves out `exclude`.
bool InSearch(const QvShapeRecord& record, const QvFigure* exclude) {
    return record.shape && !record.released && !QvHolds(exclude, record.figure);
}

// A cached crossing offered to a search that leaves out `exclude`.
bool InSearch(const QvSnapPoint& record, const QvFigure* exclude) {
    return record.priority > 0.0 && !QvHolds(exclude, record.figure1) &&
           !QvHolds(exclude, record.figure2);
}
} // namespace

void Lumbrel2Doc::RebuildPointCaches() {
    // Every change ends here: figures follow their defining points (as the
    // drawing maps them through the empty frame), so caches, hit tests and
    // bounds never lag behind a change that has not been drawn yet.
    MapAllToDefaultFrame();
    for (QvFigure* f : m_figures)
        f->BuildFromPoints();
    // The cached points point into the shape list, so all go together.
    m_allPoints.RemoveAll();
    m_derivedPoints.RemoveAll();
    m_shapes.Clear();
    m_shapes2.Clear();

    int mode = QvGetMADLevel();
    if (mode != 2 && mode != 3)
        return;

    m_specialPoints.RemoveAll();
    const int level = GetTotalPartCount();
    const Lumbrel2App* app = TheApp();
    const bool tangents = QvSnapKindPasses(QvSnap::TangentToBothCircles, level) && app &&
                          app->m_nCurrentTool == kLineTool;

    for (QvFigure* f : m_figures) {
        // A figure that cannot stand (say one read from a damaged file)
        // offers nothing, but stays in the drawing for the user to mend.
        if (!FigureStands(f))
            continue;
        f->AddSpecialPoints(m_allPoints, level);

        m_shapes1.Clear();
        f->AddShapes(m_shapes1, -1);
        for (int i = 0; i < m_shapes1.GetCount(); ++i)
            m_shapes.Add(m_shapes1[i]);
        m_shapes1.Clear();

        if (!tangents)
            continue;
        auto* circle = dynamic_cast<const QvGRCircle*>(f->GetShape());
        if (!circle)
            continue;
        for (QvFigure* g : m_figures) {
            auto* other = dynamic_cast<const QvGRCircle*>(g->GetShape());
            if (g == f || !other || !FigureStands(g))
                continue;
            m_specialPoints.RemoveAll();
            QvAddCommonTangentPoints(*circle, *other, &m_specialPoints, level);
            for (int i = 0; i < m_specialPoints.GetCount(); ++i) {
                QvSnapPoint record(m_specialPoints[i]);
                record.figure1 = f;
                record.figure2 = g;
                record.primitive1 = circle;
                record.primitive2 = other;
                m_allPoints.Add(record);
            }
        }
    }

    // Every pair once, the earlier shape asked about the later.  Every
    // primitive offers its crossings as "Intersection", so past that kind's
    // range the pairs need not be walked at all.
    const int count = QvSnapKindPasses(QvSnap::Intersection, level) ? m_shapes.GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        const QvShapeRecord& a = m_shapes[i];
        if (!a.shape)
            continue;
        for (int j = i + 1; j < count; ++j) {
            const QvShapeRecord& b = m_shapes[j];
            if (!b.shape)
                continue;
            m_specialPoints.RemoveAll();
            a.shape->AddIntersections(b.shape, &m_specialPoints, level);
            for (int k = 0; k < m_specialPoints.GetCount(); ++k) {
                QvSnapPoint record(m_specialPoints[k]);
                record.figure1 = a.figure;
                record.figure2 = b.figure;
                record.frame1 = a.frame1;
                record.frame2 = b.frame1;
                record.primitive1 = a.shape;
                record.primitive2 = b.shape;
                m_derivedPoints.Add(record);
            }
        }
    }
    m_specialPoints.RemoveAll();
}

QvPoint Lumbrel2Doc::FindSnapPoint(int x, int y, int level, QvFigure* exclude, int pointIndex) {
    // Kept from call to call so that their storage is reused on every move.
    static QvSnapPointList figurePoints;
    static QvSpecialPointList scratch;

    const QvPoint pointer(x, y);
    Lumbrel2App* app = TheApp();
    if (app)
        app->m_nSnapCounter = 0;
    QvSnapPoint best;
    double bestScore = 0.0;
    m_pSnapFigure1 = m_pSnapFigure2 = nullptr;
    QvFigAngleMark::SetSnappedFigure(nullptr);
    figurePoints.RemoveAll();
    scratch.RemoveAll();
    m_shapes2.Clear();

    QvPoint reference = QvPoint::Far();
    bool selectLike = false;
    bool angleMark = false;
    if (exclude) {
        reference = exclude->GetPoint(pointIndex);
        int tool = exclude->GetToolId();
        selectLike = tool == kSelectTool || tool == kSectionTool;
        angleMark = tool == AngleMarkToolId;
    }

    if (GetKeyState(VK_CONTROL) < 0 || selectLike)
        return pointer;

    const bool searchFigures = level > 1 && GetKeyState(VK_SHIFT) >= 0;
    const int n = GetTotalPartCount();
    // The figure being moved or drawn must not snap to itself: this search
    // passes over its cached shapes and crossings, which stay as they are
    // for the next search.
    // The cached points come first in the running order, then the
    // candidates in the order they are made; a later one needs a strictly
    // greater score.  No candidate is stored: only a new best is copied.
    if (searchFigures && !angleMark) {
        m_allPoints.FindBest(pointer, best, bestScore, exclude);
        m_derivedPoints.FindBest(pointer, best, bestScore, exclude, true);
    }
    const auto offer = [&](const QvSnapPoint& record) {
        if (QvHolds(exclude, record.figure1))
            return;
        const double score = record.GetAttraction(pointer);
        if (score > bestScore) {
            bestScore = score;
            best = record;
        }
    };
    // The records a figure adds are filtered as they were stored.
    const auto offerTarget = [&](const QvSnapPoint& record) {
        if (!QvSpecialPointList::IsNoTarget(record.point))
            offer(record);
    };

    const QvSnapTable& kinds = QvGetSnapTable();
    QvPoint grid = pointer;
    if (level <= 0) {
        offer(MakeCandidate(pointer, 1.0, QStringLiteral("Point")));
    } else {
        // A grid too fine to have rows (a spacing below 1, or below 2 for
        // the half-spaced isometric rows, say from a damaged file) has no
        // points to offer: the pointer stands in for it.
        const int spacing = m_grid.GetSpacing();
        if (spacing >= (m_grid.IsIsometric() ? 2 : 1))
            grid = m_grid.NearestGridPoint(x, y);
        if (QvSpecialPointList::IsNoTarget(grid))
            grid = pointer;
        const QvSnapKind& kind = kinds[QvSnap::GridPoint];
        offer(MakeCandidate(grid, kind.priority, kind.name));
    }

    if (searchFigures) {
        const bool hasReference = exclude && !QvSpecialPointList::IsNoTarget(reference);

        if (hasReference && !angleMark) {
            for (QvFigure* f : m_figures) {
                figurePoints.RemoveAll();
                f->AddSpecialPointsFrom(reference, figurePoints, exclude, n);
                for (int k = 0; k < figurePoints.GetCount(); ++k)
                    offer(figurePoints[k]);
                f->AddGuideShapesFrom(reference, m_shapes2, n);
            }
            if (QvSnapKindPasses(QvSnap::AngleBisector, n)) {
                const QvSnapKind& kind = kinds[QvSnap::AngleBisector];
                for (int i = 0; i < m_derivedPoints.GetCount(); ++i) {
                    const QvSnapPoint& p = m_derivedPoints[i];
                    if (!InSearch(p, exclude) || !(p.point == reference))
                        continue;
                    auto* a = dynamic_cast<const QvGRLine*>(p.primitive1);
                    auto* b = dynamic_cast<const QvGRLine*>(p.primitive2);
                    if (!a || !b)
                        continue;
                    for (const QvGRLine& bisector : {a->GetBisector1(*b), a->GetBisector2(*b)}) {
                        if (bisector.IsEmpty())
                            continue;
                        QvShapeRecord record;
                        record.SetShape(std::make_unique<QvGRLine>(bisector));
                        record.priority = kind.priority;
                        record.label = kind.name;
                        record.figure = p.figure1;
                        record.figure2 = p.figure2;
                        record.frame1 = p.frame1;
                        record.frame2 = p.frame2;
                        m_shapes2.Add(record);
                    }
                }
            }
        }

        const bool gridOnFigure = !angleMark && QvSnapKindPasses(QvSnap::GridPointOnFigure, n);
        for (int i = 0; i < m_shapes.GetCount(); ++i) {
            const QvShapeRecord& r = m_shapes[i];
            if (!InSearch(r, exclude) || !r.figure)
                continue;
            if (gridOnFigure && r.figure->IsOn(grid)) {
                const QvSnapKind& kind = kinds[QvSnap::GridPointOnFigure];
                QvSnapPoint record = MakeCandidate(grid, kind.priority, kind.name);
                record.frame1 = r.frame1;
                record.frame2 = r.frame2;
                offerTarget(record);
            }
            if (r.figure->HitTest(pointer, kNearDistance)) {
                figurePoints.RemoveAll();
                r.figure->AddPointOnFigure(pointer, figurePoints, n);
                for (int k = 0; k < figurePoints.GetCount(); ++k) {
                    QvSnapPoint& record = figurePoints[k];
                    record.frame1 = r.frame1;
                    record.frame2 = r.frame2;
                    offerTarget(record);
                }
            }
        }

        if (!angleMark) {
            const bool gridOnShape = QvSnapKindPasses(QvSnap::GridPointOn, n);
            const bool pointOnShape = QvSnapKindPasses(QvSnap::PointOnShape, n);
            for (int i = 0; i < m_shapes2.GetCount(); ++i) {
                const QvShapeRecord& s = m_shapes2[i];
                if (!s.shape)
                    continue;
                if (gridOnShape && s.shape->IsOnExtended(grid)) {
                    const QvSnapKind& kind = kinds[QvSnap::GridPointOn];
                    QvSnapPoint record = MakeCandidate(grid, kind.priority, kind.name + s.label);
                    record.frame1 = s.frame1;
                    record.frame2 = s.frame2;
                    offerTarget(record);
                }
                if (pointOnShape && s.shape->HitTestExtended(pointer, kNearDistance)) {
                    QvSnapPoint record =
                        MakeCandidate(s.shape->NearestPoint(pointer), s.priority, s.label);
                    record.frame1 = s.frame1;
                    record.frame2 = s.frame2;
                    offerTarget(record);
                }
            }

            // Every figure shape crossed with every construction shape: the
            // slow case.  A crossing is scored from its point alone, and the
            // record (label, figures, frames) is made only for a new best.
            if (QvSnapKindPasses(QvSnap::IntersectionOfFigureAnd, n)) {
                const QvSnapKind& kind = kinds[QvSnap::IntersectionOfFigureAnd];
                for (int i = 0; i < m_shapes.GetCount(); ++i) {
                    const QvShapeRecord& r = m_shapes[i];
                    if (!InSearch(r, exclude))
                        continue;
                    const double reach = CrossingScoreBound(r.shape, pointer, kind.priority);
                    for (int j = 0; j < m_shapes2.GetCount(); ++j) {
                        const QvShapeRecord& s = m_shapes2[j];
                        if (!s.shape)
                            continue;
                        // A curve's crossings with a segment are not checked
                        // against the segment, so only they are always made.
                        if (reach <= bestScore && s.shape->GetType() != QvGRType::BezierCurve)
                            continue;
                        scratch.RemoveAll();
                        r.shape->AddIntersections(s.shape, &scratch, n);
                        for (int k = 0; k < scratch.GetCount(); ++k) {
                            const QvPoint& point = scratch[k].point;
                            if (QvSpecialPointList::IsNoTarget(point))
                                continue;
                            const double score =
                                QvSnapPoint::Attraction(kind.priority, point, pointer);
                            if (!(score > bestScore))
                                continue;
                            bestScore = score;
                            best = MakeCandidate(point, kind.priority, kind.name + s.label);
                            best.figure1 = r.figure;
                            best.figure2 = s.figure;
                            best.frame1 = r.frame1;
                            best.frame2 = s.frame1;
                            best.primitive1 = r.shape;
                        }
                    }
                }
            }
        }
    }

    QvPoint result = pointer;
    if (best.priority > 0.0) {
        m_pSnapFigure1 = best.figure1;
        m_pSnapFigure2 = best.figure2;
        m_snapFrame1 = best.frame1;
        m_snapFrame2 = best.frame2;
        if (app)
            app->m_strStatusText = best.label;
        result = best.point;
    }
    // The figure under the pointer, for an angle mark being made. A mark
    // refers only to figures of its own list, never to a group's member.
    const bool topLevel = m_pSnapFigure1 && std::find(m_figures.begin(), m_figures.end(),
                                                      m_pSnapFigure1) != m_figures.end();
    QvFigAngleMark::SetSnappedFigure(topLevel ? m_pSnapFigure1 : nullptr);
    return result;
}
