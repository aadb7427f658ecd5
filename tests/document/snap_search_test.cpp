// The point caches and the snap search, through the document.
#include "document_test_support.h"
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry/snap_kind.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <cmath>

namespace {

int g_mode = 2;

class SnapTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        m_previousReader = QvSetMADLevelReader([] { return g_mode; });
        g_mode = 2;
        doc.Grid().SetSpacing(500);
        doc.Grid().SetIsometric(false);
    }
    void TearDown() override { QvSetMADLevelReader(m_previousReader); }

    void SetMode(int mode) {
        g_mode = mode;
        doc.RebuildPointCaches();
    }

    using Snap = QvSnapResult;
    Snap SnapAt(double x, double y, int level, QvFigure* exclude = nullptr, int index = 1,
                QvKeys keys = {}) {
        return doc.FindSnapPoint(int(x), int(y), level, exclude, index, keys);
    }

    // Two crossing lines, a circle through the end of the first, a second
    // circle apart from everything.
    void AddFixedDrawing() {
        l1 = MakeLine(QvPoint(1000, 1000), QvPoint(9000, 5000));
        l2 = MakeLine(QvPoint(2000, 6000), QvPoint(6000, 0));
        c1 = MakeCircle(QvPoint(9000, 8100), 3100);
        c2 = MakeCircle(QvPoint(15000, 3000), 1500);
        for (QvFigure* f : {l1, l2, c1, c2})
            doc.AddFigure(f);
    }

    // A line under creation whose first click was at `from`.
    static std::unique_ptr<QvFigure> LineFrom(QvPoint from) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(QvFigLine::ToolId);
        f->TrackCreatePoint(from, {});
        f->CreateClick();
        return f;
    }

    static void ExpectPoint(QvPoint actual, QvPoint expected) {
        EXPECT_NEAR(actual.x, expected.x, 1e-6);
        EXPECT_NEAR(actual.y, expected.y, 1e-6);
    }

    Lumbrel2App app;
    Lumbrel2Doc doc;
    QvFigure* l1 = nullptr;
    QvFigure* l2 = nullptr;
    QvFigure* c1 = nullptr;
    QvFigure* c2 = nullptr;
    QvMADLevelReader m_previousReader = nullptr;
};

// ----------------------------------------------------------------- scoring

TEST(SnapScoring, AttractionAndFirstOfEqualScoresWins) {
    QvSnapPoint centre;
    centre.point = QvPoint(100, 100);
    centre.priority = 3.7;
    EXPECT_NEAR(centre.GetAttraction(QvPoint(100, 100)), 273.8, 1e-9);
    EXPECT_NEAR(centre.GetAttraction(QvPoint(103, 104)), 13.69 / 25.05, 1e-12);

    // Real figures: leaving one out asks whether it holds the other.
    std::unique_ptr<QvFigure> lineA = QvFigure::CreateForTool(QvFigLine::ToolId);
    std::unique_ptr<QvFigure> lineB = QvFigure::CreateForTool(QvFigLine::ToolId);
    QvFigure* a = lineA.get();
    QvFigure* b = lineB.get();
    QvSnapPointList list;
    QvSnapPoint first = centre, second = centre, third = centre;
    first.figure1 = a;
    first.label = QStringLiteral("first");
    second.figure1 = b;
    second.label = QStringLiteral("second");
    third.point = QvPoint(101, 100); // weaker
    list.Add(third);
    list.Add(first);
    list.Add(second);

    QvSnapPoint best;
    double score = 0.0;
    list.FindBest(QvPoint(100, 100), best, score, nullptr);
    EXPECT_EQ(best.label, QStringLiteral("first"));
    EXPECT_NEAR(score, 273.8, 1e-9);

    // The excluded figure's records never win; a score already reached is
    // kept unless beaten.
    best = QvSnapPoint();
    score = 0.0;
    list.FindBest(QvPoint(100, 100), best, score, a);
    EXPECT_EQ(best.label, QStringLiteral("second"));
    best.label = QStringLiteral("kept");
    list.FindBest(QvPoint(100, 100), best, score, nullptr);
    EXPECT_EQ(best.label, QStringLiteral("kept"));
}

// ------------------------------------------------------------------ caches

TEST_F(SnapTest, CachesAreEmptyBelowModeTwo) {
    AddFixedDrawing();
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        SetMode(mode);
        EXPECT_EQ(doc.CharacteristicPoints().GetCount(), 0);
        EXPECT_EQ(doc.Crossings().GetCount(), 0);
        EXPECT_EQ(doc.FigureShapes().GetCount(), 0);
    }
    SetMode(2);
    EXPECT_GT(doc.CharacteristicPoints().GetCount(), 0);
    EXPECT_GT(doc.Crossings().GetCount(), 0);
    EXPECT_EQ(doc.FigureShapes().GetCount(), 4);
}

TEST_F(SnapTest, CachesFollowAddingMovingAndDeleting) {
    QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(4000, 4000));
    QvFigure* b = MakeLine(QvPoint(0, 4000), QvPoint(4000, 0));
    doc.AddFigure(a);
    EXPECT_EQ(doc.Crossings().GetCount(), 0);
    // Ends, mid point, two thirds, two quarters.
    EXPECT_EQ(doc.CharacteristicPoints().GetCount(), 7);
    doc.AddFigure(b);
    EXPECT_EQ(doc.CharacteristicPoints().GetCount(), 14);
    const QvSnapPointList crossings = doc.Crossings();
    ASSERT_EQ(crossings.GetCount(), 1);
    const QvSnapPoint& x = crossings[0];
    ExpectPoint(x.point, QvPoint(2000, 2000));
    EXPECT_EQ(x.label, QStringLiteral("Intersection"));
    EXPECT_EQ(x.priority, 3.01);
    EXPECT_EQ(x.figure1, a);
    EXPECT_EQ(x.figure2, b);
    EXPECT_EQ(doc.CharacteristicPoints()[0].figure1, a);

    b->Move(QvVector(1000, 0));
    doc.RebuildPointCaches();
    ASSERT_EQ(doc.Crossings().GetCount(), 1);
    ExpectPoint(doc.Crossings()[0].point, QvPoint(2500, 2500));

    b->Move(QvVector(10000, 0)); // apart: no intersection
    doc.RebuildPointCaches();
    EXPECT_EQ(doc.Crossings().GetCount(), 0);
    b->Move(QvVector(-11000, 0));

    doc.AddToSelection(a);
    doc.DeleteSelection();
    EXPECT_EQ(doc.Crossings().GetCount(), 0);
    EXPECT_EQ(doc.FigureShapes().GetCount(), 1);
    EXPECT_EQ(doc.FigureShapes()[0].figure, b);
    for (int i = 0; i < doc.CharacteristicPoints().GetCount(); ++i)
        EXPECT_EQ(doc.CharacteristicPoints()[i].figure1, b);
}

TEST_F(SnapTest, IntersectionsDropOutPastTheirRangeUnlessUnlimited) {
    // 17 parallel lines crossed by one: 18 parts, level 17 > 15.
    doc.AddFigure(MakeLine(QvPoint(500, 0), QvPoint(500, 20000)));
    for (int i = 0; i < 17; ++i)
        doc.AddFigure(MakeLine(QvPoint(0, 1000 * (i + 1)), QvPoint(1000, 1000 * (i + 1))));
    SetMode(2);
    EXPECT_EQ(doc.Crossings().GetCount(), 0);
    SetMode(3);
    EXPECT_EQ(doc.Crossings().GetCount(), 17);
    // Two lines fewer: level 15 is still in range.
    doc.AddToSelection(doc.GetFigure(17));
    doc.AddToSelection(doc.GetFigure(16));
    doc.DeleteSelection();
    SetMode(2);
    EXPECT_EQ(doc.Crossings().GetCount(), 15);
}

// The tangent points are made near the pointer during the search, so the
// search itself is asked at each of them.
TEST_F(SnapTest, CommonTangentPointsOnlyUnderTheLineTool) {
    AddFixedDrawing();
    const QString label = QStringLiteral("Tangent to both circles");
    // Two circles apart: four tangents, touching each circle once each.
    struct Touch {
        QvPoint point;
        QvFigure* on;
        QvFigure* with;
    };
    std::vector<Touch> touches;
    for (auto [on, with] : {std::pair{c1, c2}, std::pair{c2, c1}}) {
        QvSpecialPointList points;
        QvAddCommonTangentPoints(*dynamic_cast<const QvGRCircle*>(on->GetShape()),
                                 *dynamic_cast<const QvGRCircle*>(with->GetShape()), &points, 0);
        for (int i = 0; i < points.GetCount(); ++i)
            touches.push_back({points[i].point, on, with});
    }
    ASSERT_EQ(touches.size(), 8u);
    for (UINT tool : {UINT(QvFigLine::ToolId), UINT(ID_DRAW_SELECT)}) {
        app.m_nCurrentTool = tool;
        doc.RebuildPointCaches();
        for (const Touch& t : touches) {
            SCOPED_TRACE(::testing::Message() << tool << " at " << t.point.x << ", " << t.point.y);
            EXPECT_LT(t.on->GetShape()->DistanceTo(t.point), 1e-6);
            const Snap s = SnapAt(std::round(t.point.x), std::round(t.point.y), 2);
            if (tool != QvFigLine::ToolId) {
                EXPECT_NE(s.label, label);
                continue;
            }
            EXPECT_EQ(s.label, label);
            ExpectPoint(s.point, t.point);
            EXPECT_EQ(s.figure1, t.on);
            EXPECT_EQ(s.figure2, t.with);
        }
    }
}

// ------------------------------------------------------------------ search

TEST_F(SnapTest, FixedDrawingAtEachLevel) {
    AddFixedDrawing();
    const QvPoint crossing(4250, 2625);
    const QvPoint reference(3000, 6000); // start of a line being drawn
    const QvPoint tangentStart(15000, 6000);
    // The perpendicular from the reference onto the first line, at the
    // pointer.
    const QvGRLine first(QvPoint(1000, 1000), QvPoint(9000, 5000));
    const QvPoint onPerpendicular =
        first.PerpendicularThrough(reference).NearestPoint(QvPoint(3610, 4800));

    struct Row {
        double x, y;
        int from; // 0 none, 1 reference, 2 tangentStart
        const char* label[4];
        QvPoint point[4];
    } rows[] = {
        {4250,
         2525,
         0,
         {"Point", "Grid Point", "Intersection", "Intersection"},
         {QvPoint(4250, 2525), QvPoint(4500, 2500), crossing, crossing}},
        {9040,
         8130,
         0,
         {"Point", "Grid Point", "Centre", "Centre"},
         {QvPoint(9040, 8130), QvPoint(9000, 8000), QvPoint(9000, 8100), QvPoint(9000, 8100)}},
        {4040,
         3030,
         0,
         {"Point", "Grid Point", "Mid point", "Mid point"},
         {QvPoint(4040, 3030), QvPoint(4000, 3000), QvPoint(4000, 3000), QvPoint(4000, 3000)}},
        // The first line's end, where the circle passes: the intersection
        // outranks the end.
        {9020,
         4980,
         0,
         {"Point", "Grid Point", "Intersection", "Intersection"},
         {QvPoint(9020, 4980), QvPoint(9000, 5000), QvPoint(9000, 5000), QvPoint(9000, 5000)}},
        {12020,
         510,
         0,
         {"Point", "Grid Point", "Grid Point", "Grid Point"},
         {QvPoint(12020, 510), QvPoint(12000, 500), QvPoint(12000, 500), QvPoint(12000, 500)}},
        {3610,
         4800,
         1,
         {"Point", "Grid Point", "Perpendicular to line", "Perpendicular to line"},
         {QvPoint(3610, 4800), QvPoint(3500, 5000), onPerpendicular, onPerpendicular}},
        {16300,
         3760,
         2,
         {"Point", "Grid Point", "Tangent", "Tangent"},
         {QvPoint(16300, 3760), QvPoint(16500, 4000), QvPoint(15000 + 750 * std::sqrt(3.0), 3750),
          QvPoint(15000 + 750 * std::sqrt(3.0), 3750)}},
    };
    for (int level = 0; level < 4; ++level) {
        SetMode(level);
        for (const Row& r : rows) {
            SCOPED_TRACE(::testing::Message() << "level " << level << " at " << r.x << ", " << r.y);
            std::unique_ptr<QvFigure> drawn;
            if (r.from)
                drawn = LineFrom(r.from == 1 ? reference : tangentStart);
            Snap s = SnapAt(r.x, r.y, level, drawn.get());
            EXPECT_EQ(s.label.toStdString(), r.label[level]);
            ExpectPoint(s.point, r.point[level]);
        }
    }
}

TEST_F(SnapTest, ConstructionLinesCrossingFiguresWin) {
    // A line drawn on from the lower end of a vertical one: the
    // perpendiculars through that end run along y = 1000, the equal length
    // circle has radius 4000.
    doc.AddFigure(MakeLine(QvPoint(1000, 1000), QvPoint(1000, 5000)));
    doc.AddFigure(MakeLine(QvPoint(3400, -2000), QvPoint(3400, 5000)));
    doc.AddFigure(MakeCircle(QvPoint(7250, 3000), 2500));
    SetMode(3);
    std::unique_ptr<QvFigure> drawn = LineFrom(QvPoint(1000, 1000));
    const QString perpendicular =
        QStringLiteral("Intersection Of Figure and Perpendicular to line");
    struct Row {
        int x, y;
        QvPoint point;
        QString label;
    } rows[] = {
        {3400, 1000, QvPoint(3400, 1000), perpendicular},
        {5750, 1000, QvPoint(5750, 1000), perpendicular},
        {8750, 1000, QvPoint(8750, 1000), perpendicular},
        {3400, 4200, QvPoint(3400, 4200),
         QStringLiteral("Intersection Of Figure and Equal length")},
        // Beside the second line and off the perpendicular: the crossing
        // only just beats the point on the perpendicular.
        {3300, 1090, QvPoint(3400, 1000), perpendicular},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        Snap s = SnapAt(r.x, r.y, 3, drawn.get());
        EXPECT_EQ(s.label, r.label);
        ExpectPoint(s.point, r.point);
    }
}

TEST_F(SnapTest, CtrlTurnsSnappingOffAndShiftLeavesTheGrid) {
    AddFixedDrawing();
    for (int level = 0; level < 4; ++level) {
        SCOPED_TRACE(level);
        SetMode(level);
        Snap s = SnapAt(9040, 8130, level, nullptr, 1, QvKeys{.ctrl = true});
        ExpectPoint(s.point, QvPoint(9040, 8130));
        EXPECT_FALSE(s.snapped);
        EXPECT_TRUE(s.label.isEmpty());
        EXPECT_EQ(s.figure1, nullptr);
        EXPECT_EQ(doc.SnapFigure1(), nullptr);
    }
    for (int level = 2; level < 4; ++level) {
        SetMode(level);
        Snap s = SnapAt(9040, 8130, level, nullptr, 1, QvKeys{.shift = true});
        ExpectPoint(s.point, QvPoint(9000, 8000));
        EXPECT_EQ(s.label, QStringLiteral("Grid Point"));
    }
    Snap s = SnapAt(9040, 8130, 3);
    EXPECT_EQ(s.label, QStringLiteral("Centre"));
}

TEST_F(SnapTest, WinnerNamesItsFiguresForTheHighlight) {
    AddFixedDrawing();
    struct Row {
        double x, y;
        QvFigure* first;
        QvFigure* second;
    };
    const Row rows[] = {
        {4250, 2525, l1, l2},
        {9040, 8130, c1, nullptr},
        {12020, 510, nullptr, nullptr}, // a grid point belongs to no figure
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        const Snap s = SnapAt(r.x, r.y, 2);
        EXPECT_EQ(s.figure1, r.first);
        EXPECT_EQ(s.figure2, r.second);
        // The document keeps them for the highlight.
        EXPECT_EQ(doc.SnapFigure1(), r.first);
        EXPECT_EQ(doc.SnapFigure2(), r.second);
    }
}

TEST_F(SnapTest, SelectLikeFiguresTakeThePointerAsItIs) {
    AddFixedDrawing();
    for (int tool : {ID_DRAW_SELECT, ID_TOOL_SECTION_SELECT}) {
        std::unique_ptr<QvFigure> band = LineFrom(QvPoint(0, 0));
        band->SetToolId(tool);
        Snap s = SnapAt(9040, 8130, 2, band.get());
        ExpectPoint(s.point, QvPoint(9040, 8130));
        EXPECT_TRUE(s.label.isEmpty());
    }
}

TEST_F(SnapTest, ADraggedFigureNeverSnapsToItselfAndTheNextSearchSeesItAgain) {
    AddFixedDrawing();
    // Dragging the second line's grip: the crossing belongs to it.
    Snap s = SnapAt(4250, 2525, 2, l2, 0);
    EXPECT_NE(s.label, QStringLiteral("Intersection"));
    // The caches are left as they were: every crossing keeps its priority
    // and its primitives.
    const QvSnapPointList crossings = doc.Crossings();
    for (int i = 0; i < crossings.GetCount(); ++i) {
        const QvSnapPoint& p = crossings[i];
        ASSERT_NE(p.primitive1, nullptr);
        ASSERT_NE(p.primitive2, nullptr);
        EXPECT_GT(p.priority, 0.0);
    }
    // A line started at the crossing walks the intersections again
    // (bisectors) and all shapes (crossings with construction lines).
    std::unique_ptr<QvFigure> drawn = LineFrom(QvPoint(4250, 2625));
    SnapAt(4400, 2400, 3, drawn.get());
    // Without a rebuild, a search that excludes nothing takes the crossing.
    s = SnapAt(4250, 2525, 2);
    EXPECT_EQ(s.label, QStringLiteral("Intersection"));
}

TEST_F(SnapTest, ALineFromACrossingOffersItsBisectors) {
    QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(4000, 0));
    QvFigure* b = MakeLine(QvPoint(2000, -2000), QvPoint(2000, 2000));
    doc.AddFigure(a);
    doc.AddFigure(b);
    std::unique_ptr<QvFigure> drawn = LineFrom(QvPoint(2000, 0));
    Snap s = SnapAt(2710, 690, 2, drawn.get());
    int bisectors = 0;
    for (int i = 0; i < doc.ConstructionShapes().GetCount(); ++i) {
        const QvShapeRecord& r = doc.ConstructionShapes()[i];
        if (r.label != QStringLiteral("Angle Bisector"))
            continue;
        ++bisectors;
        EXPECT_EQ(r.priority, 1.3);
        EXPECT_EQ(r.figure, a);
        EXPECT_EQ(r.figure2, b);
    }
    EXPECT_EQ(bisectors, 2);
    // On the 45 degree bisector, away from the grid and the lines.
    EXPECT_EQ(s.label, QStringLiteral("Angle Bisector"));
    ExpectPoint(s.point, QvPoint(2700, 700));
}

TEST_F(SnapTest, ASpacingOfZeroStillSnapsWithoutDividingByZero) {
    // The grid never takes a spacing below 0.1 mm, so the search always has
    // rows to snap to.
    struct Row {
        int spacing;
        bool isometric;
    } rows[] = {{0, false}, {-500, false}, {0, true}, {1, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.spacing << (r.isometric ? " isometric" : ""));
        doc.Grid().SetSpacing(r.spacing);
        doc.Grid().SetIsometric(r.isometric);
        Snap s = SnapAt(1234, 5678, 1);
        EXPECT_TRUE(std::isfinite(s.point.x) && std::isfinite(s.point.y));
        EXPECT_NEAR(s.point.x, 1234, 10);
        EXPECT_NEAR(s.point.y, 5678, 10);
        EXPECT_EQ(s.label, QStringLiteral("Grid Point"));
    }
}

// A group offers its members' points, except to a drag of the group
// itself: its corner grip would otherwise stick to its own members.
TEST_F(SnapTest, ADraggedGroupDoesNotSnapToItsOwnMembers) {
    QvFigure* inner = MakeLine(QvPoint(1130, 1170), QvPoint(4130, 1170));
    QvFigure* outer = MakeLine(QvPoint(2130, 3170), QvPoint(6130, 4170));
    QvFigure* other = MakeLine(QvPoint(1130, 1170), QvPoint(1130, 5170));
    for (QvFigure* f : {inner, outer, other})
        doc.AddFigure(f);
    doc.AddToSelection(inner);
    doc.GroupSelection();
    QvFigure* nested = doc.GetFirstSelected();
    doc.ClearSelection();
    doc.AddToSelection(nested);
    doc.AddToSelection(outer);
    doc.GroupSelection();
    QvFigure* group = doc.GetFirstSelected();
    doc.RebuildPointCaches();

    struct Case {
        QvPoint pointer;
        QvFigure* exclude;
        QvPoint end; // the nearest end of a line
        bool snapsToIt;
    };
    const Case cases[] = {
        {QvPoint(6110, 4150), nullptr, QvPoint(6130, 4170), true},
        {QvPoint(6110, 4150), group, QvPoint(6130, 4170), false},
        {QvPoint(4110, 1150), group, QvPoint(4130, 1170), false}, // a nested member's
        {QvPoint(1150, 5150), group, QvPoint(1130, 5170), true},  // a line outside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        const Snap s = SnapAt(c.pointer.x, c.pointer.y, 2, c.exclude, 2);
        EXPECT_EQ((s.point - c.end).Length() < 1e-6, c.snapsToIt) << s.label.toStdString();
    }
}

} // namespace
