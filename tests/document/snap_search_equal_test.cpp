// The snap search keeps only its running best, keeps its caches figure by
// figure and makes crossings and common tangents only near the pointer;
// this holds it to the plain search that rebuilds every cache, stores every
// candidate and then picks, on a seeded random drawing, at every level,
// with and without a line being drawn, with and without the Line tool, and
// after edits the caches followed one figure at a time.
#include "document_test_support.h"
#include "figures/fig_ellipse.h"
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry/snap_kind.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <algorithm>
#include <random>

namespace {

int g_mode = 3;

struct Result {
    QvPoint point;
    QString label;
    QvFigure* figure1 = nullptr;
    QvFigure* figure2 = nullptr;
    QvGRRect frame1;
    QvGRRect frame2;
    bool snapped = false;
};

// Every cache made afresh from the figures, as a full rebuild made them:
// each figure's points (and, with the Line tool, its common tangents with
// every other circle), its shapes, and every crossing of two shapes.
struct Stored {
    QvSnapPointList points;
    QvShapeList shapes;
    QvSnapPointList crossings;
};

void Store(const Lumbrel2Doc& doc, bool lineTool, Stored& stored) {
    const int mode = QvGetMADLevel();
    if (mode != 2 && mode != 3)
        return;
    const int level = doc.GetTotalPartCount();
    const bool tangents = lineTool && QvSnapKindPasses(QvSnap::TangentToBothCircles, level);
    QvSpecialPointList scratch;
    for (QvFigure* f : doc.Figures()) {
        if (!Lumbrel2Doc::FigureStands(f))
            continue;
        f->AddSpecialPoints(stored.points, level);
        f->AddShapes(stored.shapes, -1);
        auto* circle = dynamic_cast<const QvGRCircle*>(f->GetShape());
        if (!tangents || !circle)
            continue;
        for (QvFigure* g : doc.Figures()) {
            auto* other = dynamic_cast<const QvGRCircle*>(g->GetShape());
            if (g == f || !other || !Lumbrel2Doc::FigureStands(g))
                continue;
            scratch.RemoveAll();
            QvAddCommonTangentPoints(*circle, *other, &scratch, level);
            for (int i = 0; i < scratch.GetCount(); ++i) {
                QvSnapPoint record(scratch[i]);
                record.figure1 = f;
                record.figure2 = g;
                stored.points.Add(record);
            }
        }
    }
    if (!QvSnapKindPasses(QvSnap::Intersection, level))
        return;
    for (int i = 0; i < stored.shapes.GetCount(); ++i) {
        const QvShapeRecord& a = stored.shapes[i];
        for (int j = i + 1; j < stored.shapes.GetCount(); ++j) {
            const QvShapeRecord& b = stored.shapes[j];
            if (!a.shape || !b.shape)
                continue;
            scratch.RemoveAll();
            a.shape->AddIntersections(b.shape.get(), &scratch, level);
            for (int k = 0; k < scratch.GetCount(); ++k) {
                QvSnapPoint record(scratch[k]);
                record.figure1 = a.figure;
                record.figure2 = b.figure;
                record.frame1 = a.frame1;
                record.frame2 = b.frame1;
                record.primitive1 = a.shape.get();
                record.primitive2 = b.shape.get();
                stored.crossings.Add(record);
            }
        }
    }
}

// The search as it was before: every candidate is stored, then the cached
// points, the intersections and the candidates are scanned in that order.
// Keys are up, and `exclude` is a line under creation or nothing.  The
// crossings of figures with construction shapes go to `crossings` if given.
Result StoreEverything(Lumbrel2Doc& doc, const Stored& stored, QvPoint pointer, int level,
                       QvFigure* exclude, QvSnapPointList* crossings = nullptr) {
    QvSnapPointList candidates;
    QvSnapPointList nearPoints;
    QvSpecialPointList scratch;
    QvShapeList shapes2;
    QvSnapPoint best;
    double bestScore = 0.0;
    const QvSnapTable& kinds = QvGetSnapTable();
    const QvShapeList& shapes = stored.shapes;
    const int n = doc.GetTotalPartCount();
    const QvPoint reference = exclude ? exclude->GetPoint(1) : QvPoint::Far();
    const auto add = [&](const QvSnapPoint& record) {
        if (!QvSpecialPointList::IsNoTarget(record.point))
            candidates.Add(record);
    };
    const auto make = [](QvPoint point, double priority, const QString& label) {
        QvSnapPoint record;
        record.point = point;
        record.priority = priority;
        record.label = label;
        return record;
    };
    const auto inSearch = [&](const QvShapeRecord& r) { return r.shape && r.figure != exclude; };

    QvPoint grid = pointer;
    if (level <= 0) {
        candidates.Add(make(pointer, 1.0, QStringLiteral("Point")));
    } else {
        if (doc.Grid().GetSpacing() >= (doc.Grid().IsIsometric() ? 2 : 1))
            grid = doc.Grid().NearestGridPoint(int(pointer.x), int(pointer.y));
        if (QvSpecialPointList::IsNoTarget(grid))
            grid = pointer;
        candidates.Add(
            make(grid, kinds[QvSnap::GridPoint].priority, kinds[QvSnap::GridPoint].name));
    }
    if (level > 1) {
        if (exclude && !QvSpecialPointList::IsNoTarget(reference)) {
            for (QvFigure* f : doc.Figures()) {
                f->AddSpecialPointsFrom(reference, candidates, exclude, n);
                f->AddGuideShapesFrom(reference, shapes2, n);
            }
            if (QvSnapKindPasses(QvSnap::AngleBisector, n)) {
                const QvSnapKind& kind = kinds[QvSnap::AngleBisector];
                const QvSnapPointList& derived = stored.crossings;
                for (int i = 0; i < derived.GetCount(); ++i) {
                    const QvSnapPoint& p = derived[i];
                    auto* a = dynamic_cast<const QvGRLine*>(p.primitive1);
                    auto* b = dynamic_cast<const QvGRLine*>(p.primitive2);
                    if (p.priority <= 0.0 || !(p.point == reference) || !a || !b)
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
                        shapes2.Add(record);
                    }
                }
            }
        }
        const bool gridOnFigure = QvSnapKindPasses(QvSnap::GridPointOnFigure, n);
        for (int i = 0; i < shapes.GetCount(); ++i) {
            const QvShapeRecord& r = shapes[i];
            if (!inSearch(r) || !r.figure)
                continue;
            if (gridOnFigure && r.figure->IsOn(grid)) {
                const QvSnapKind& kind = kinds[QvSnap::GridPointOnFigure];
                QvSnapPoint record = make(grid, kind.priority, kind.name);
                record.frame1 = r.frame1;
                record.frame2 = r.frame2;
                add(record);
            }
            if (r.figure->HitTest(pointer, 200.0)) {
                nearPoints.RemoveAll();
                r.figure->AddPointOnFigure(pointer, nearPoints, n);
                for (int k = 0; k < nearPoints.GetCount(); ++k) {
                    QvSnapPoint record = nearPoints[k];
                    record.frame1 = r.frame1;
                    record.frame2 = r.frame2;
                    add(record);
                }
            }
        }
        for (int i = 0; i < shapes2.GetCount(); ++i) {
            const QvShapeRecord& s = shapes2[i];
            if (QvSnapKindPasses(QvSnap::GridPointOn, n) && s.shape->IsOnExtended(grid)) {
                const QvSnapKind& kind = kinds[QvSnap::GridPointOn];
                QvSnapPoint record = make(grid, kind.priority, kind.name + s.label);
                record.frame1 = s.frame1;
                record.frame2 = s.frame2;
                add(record);
            }
            if (QvSnapKindPasses(QvSnap::PointOnShape, n) &&
                s.shape->HitTestExtended(pointer, 200.0)) {
                QvSnapPoint record = make(s.shape->NearestPoint(pointer), s.priority, s.label);
                record.frame1 = s.frame1;
                record.frame2 = s.frame2;
                add(record);
            }
        }
        if (QvSnapKindPasses(QvSnap::IntersectionOfFigureAnd, n)) {
            const QvSnapKind& kind = kinds[QvSnap::IntersectionOfFigureAnd];
            for (int i = 0; i < shapes.GetCount(); ++i) {
                const QvShapeRecord& r = shapes[i];
                if (!inSearch(r))
                    continue;
                for (int j = 0; j < shapes2.GetCount(); ++j) {
                    const QvShapeRecord& s = shapes2[j];
                    scratch.RemoveAll();
                    r.shape->AddIntersections(s.shape.get(), &scratch, n);
                    for (int k = 0; k < scratch.GetCount(); ++k) {
                        QvSnapPoint record =
                            make(scratch[k].point, kind.priority, kind.name + s.label);
                        record.figure1 = r.figure;
                        record.figure2 = s.figure;
                        record.frame1 = r.frame1;
                        record.frame2 = s.frame1;
                        add(record);
                        if (crossings)
                            crossings->Add(record);
                    }
                }
            }
        }
        stored.points.FindBest(pointer, best, bestScore, exclude);
        stored.crossings.FindBest(pointer, best, bestScore, exclude, true);
    }
    candidates.FindBest(pointer, best, bestScore, exclude);

    Result result;
    result.point = pointer;
    if (best.priority > 0.0) {
        result = {best.point,
                  best.label,
                  best.figure1,
                  best.figure2,
                  best.frame1 ? *best.frame1 : QvGRRect(),
                  best.frame2 ? *best.frame2 : QvGRRect(),
                  true};
    }
    return result;
}

bool SameFrame(const QvGRRect& a, const QvGRRect& b) {
    for (int i = 0; i < 4; ++i) {
        if (a.corner[i].x != b.corner[i].x || a.corner[i].y != b.corner[i].y)
            return false;
    }
    return true;
}

class SnapSearchEqualTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        m_previousReader = QvSetMADLevelReader([] { return g_mode; });
        doc.Grid().SetSpacing(500);
        doc.Grid().SetIsometric(false);
    }
    void TearDown() override { QvSetMADLevelReader(m_previousReader); }

    Lumbrel2App app;
    Lumbrel2Doc doc;
    QvMADLevelReader m_previousReader;
};

// Lines and circles crowded into a small page so that figures, their
// constructions and their crossings lie close together; pointers at random,
// on the crossings, on figure ends and on exact grid points (ties).
TEST_F(SnapSearchEqualTest, RunningBestPicksWhatTheStoredListPicks) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> coord(0.0, 12000.0);
    std::uniform_real_distribution<double> radius(100.0, 3000.0);
    const auto randomPoint = [&] {
        return QvPoint(std::round(coord(random)), std::round(coord(random)));
    };
    // Mostly lines and circles; now and then an arc or an ellipse (outlined
    // by curves) or a point.
    const auto randomFigure = [&](int i) {
        const QvPoint a = randomPoint();
        if (i % 3 == 2)
            return MakeCircle(a, std::round(radius(random)));
        int tool = 0;
        if (i % 10 == 4)
            tool = ID_DRAW_ARC_3P; // arc through three points
        else if (i % 10 == 7)
            tool = ID_DRAW_ELLIPSE_AP; // ellipse on an axis, through a point
        else if (i % 20 == 9)
            tool = ID_DRAW_POINT; // point
        if (tool) {
            std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(tool);
            const QvPoint b = randomPoint();
            const QvPoint c = (a + (b - a) * 0.5) + QvVector(300, 400);
            bool done = false;
            for (const QvPoint& p : {a, b, c}) {
                f->TrackCreatePoint(p, {});
                if ((done = f->CreateClick()))
                    break;
            }
            if (done)
                return f.release();
        }
        return MakeLine(a, randomPoint());
    };
    g_mode = 0;
    for (int i = 0; i < 60; ++i)
        doc.AddFigure(randomFigure(i));
    const auto curved = std::count_if(doc.Figures().begin(), doc.Figures().end(), [](auto* f) {
        return f->GetToolId() == ID_DRAW_ARC_3P || f->GetToolId() == ID_DRAW_ELLIPSE_AP;
    });
    EXPECT_GT(curved, 4);
    // The line under creation starts on a figure end, so perpendiculars,
    // tangents, equal lengths and bisectors all join in.
    std::unique_ptr<QvFigure> drawn = QvFigure::CreateForTool(QvFigLine::ToolId);
    drawn->TrackCreatePoint(doc.Figures()[0]->GetPoint(0), {});
    drawn->CreateClick();

    int compared = 0;
    int onFigure = 0;
    int onGuide = 0;
    int onTangent = 0;
    const auto compare = [&](int mode, bool lineTool) {
        Stored stored;
        Store(doc, lineTool, stored);
        std::vector<QvPoint> pointers;
        for (int i = 0; i < 25; ++i)
            pointers.push_back(randomPoint());
        const QvSnapPointList& crossings = stored.crossings;
        for (int i = 0; i < crossings.GetCount() && i < 20; ++i)
            pointers.emplace_back(std::round(crossings[i].point.x) + 3,
                                  std::round(crossings[i].point.y) - 2);
        // On and beside crossings of the drawn line's construction shapes
        // with the figures.
        QvSnapPointList guided;
        StoreEverything(doc, stored, QvPoint(0, 0), 3, drawn.get(), &guided);
        for (int i = 0; i < guided.GetCount(); i += std::max(1, guided.GetCount() / 30)) {
            const QvPoint& p = guided[i].point;
            pointers.emplace_back(std::round(p.x), std::round(p.y));
            pointers.emplace_back(std::round(p.x) - 60, std::round(p.y) + 45);
        }
        // Near common tangents of circle pairs.
        const QString tangent = QStringLiteral("Tangent to both circles");
        for (int i = 0, taken = 0; i < stored.points.GetCount() && taken < 15; ++i) {
            if (stored.points[i].label != tangent)
                continue;
            pointers.emplace_back(std::round(stored.points[i].point.x) + 20,
                                  std::round(stored.points[i].point.y));
            ++taken;
        }
        for (int i = 0; i < 10; ++i)
            pointers.push_back(doc.Figures()[size_t(i)]->GetPoint(0));
        for (int i = 0; i < 10; ++i)
            pointers.emplace_back(500.0 * i, 500.0 * (i % 4));

        for (QvFigure* exclude : {static_cast<QvFigure*>(nullptr), drawn.get()}) {
            for (int level : {0, 1, 2, 3}) {
                for (const QvPoint& p : pointers) {
                    const int x = int(p.x), y = int(p.y);
                    doc.ClearSnapReferences();
                    const QvSnapResult found = doc.FindSnapPoint(x, y, level, exclude, 1, {});
                    const Result want = StoreEverything(doc, stored, QvPoint(x, y), level, exclude);
                    SCOPED_TRACE(testing::Message()
                                 << "mode " << mode << " line tool " << lineTool << " level "
                                 << level << " exclude " << (exclude != nullptr) << " at " << x
                                 << ", " << y);
                    EXPECT_EQ(found.point.x, want.point.x);
                    EXPECT_EQ(found.point.y, want.point.y);
                    EXPECT_EQ(found.snapped, want.snapped);
                    if (want.label.isEmpty())
                        EXPECT_TRUE(found.label.isEmpty());
                    else
                        EXPECT_EQ(found.label, want.label);
                    EXPECT_EQ(found.figure1, want.figure1);
                    EXPECT_EQ(found.figure2, want.figure2);
                    // The document keeps the figures for the highlight.
                    EXPECT_EQ(doc.SnapFigure1(), want.figure1);
                    EXPECT_EQ(doc.SnapFigure2(), want.figure2);
                    // Frames are only reported with a snap.
                    if (want.snapped) {
                        EXPECT_TRUE(SameFrame(found.frame1, want.frame1));
                        EXPECT_TRUE(SameFrame(found.frame2, want.frame2));
                    }
                    ++compared;
                    if (want.figure1)
                        ++onFigure;
                    if (want.label.startsWith(QStringLiteral("Intersection Of Figure and ")))
                        ++onGuide;
                    if (want.label == tangent)
                        ++onTangent;
                }
            }
        }
    };

    for (int mode : {2, 3}) {
        g_mode = mode;
        doc.RebuildPointCaches();
        for (bool lineTool : {false, true}) {
            // Choosing a tool only tells the caches whether tangents count.
            doc.OnSelectTool(lineTool ? QvFigLine::ToolId : ID_DRAW_SELECT);
            compare(mode, lineTool);
        }
    }
    // Edits the caches follow one figure at a time: figures added, moved
    // (nudged as one undo level) and deleted.
    g_mode = 3;
    doc.RebuildPointCaches();
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 4; ++i)
            doc.AddFigure(randomFigure(i + round));
        doc.ClearSelection();
        doc.AddToSelection(doc.GetFigure(5 + round * 7));
        doc.MoveSelection(QvVector(std::round(coord(random)) / 10, -350));
        doc.ClearSelection();
        doc.AddToSelection(doc.GetFigure(3 + round));
        doc.DeleteSelection();
        for (bool lineTool : {false, true}) {
            doc.OnSelectTool(lineTool ? QvFigLine::ToolId : ID_DRAW_SELECT);
            compare(3, lineTool);
        }
    }
    // The drawing must reach figure snaps, not only the grid.
    EXPECT_GT(onFigure, compared / 10);
    EXPECT_GT(onGuide, 20);
    EXPECT_GT(onTangent, 5);
}

} // namespace
