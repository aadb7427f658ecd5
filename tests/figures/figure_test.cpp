#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/copy_map.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "figures/fig_point.h"
#include "figures/figure_factory.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "geometry/snap_kind.h"
#include "platform/command_ids.h"

#include <QBuffer>

namespace {

// Counts the drawing calls and notes the pen each one saw.
class RecordingFigure : public QvFigLine {
public:
    int fills = 0, draws = 0;
    LONG penWidth = -1;
    COLORREF penColour = 0;
    void DrawFill(CDC*, int) override { ++fills; }
    void Draw(CDC* dc, int) override {
        ++draws;
        penWidth = dc->GetCurrentPen()->Log().lopnWidth.x;
        penColour = dc->GetCurrentPen()->Log().lopnColor;
    }
};

// A figure whose stored count is its own, as long polygons keep it.
class ManyPointFigure : public QvFigLine {
public:
    int stored = 2;

protected:
    int StoredPointCount() const override { return stored; }
};

using FigureBaseTest = FigureTest;

TEST_F(FigureBaseTest, GripSearchTakesTheHighestIndexWithinReach) {
    auto f = Make<QvFigLine>(ID_DRAW_LINE);
    f->DefiningPoints()[0] = QvPoint(0, 0);
    f->DefiningPoints()[1] = QvPoint(200, 0);
    QvPoint pt(100, 0); // within reach of both
    EXPECT_EQ(f->FindDefiningPoint(pt), 1);
    ExpectPoint(pt, 200, 0);
    pt = QvPoint(-200, 100); // exactly 3 mm from point 0
    EXPECT_EQ(f->FindDefiningPoint(pt), 0);
    pt = QvPoint(-200, 100.5);
    EXPECT_EQ(f->FindDefiningPoint(pt), -1);
    ExpectPoint(pt, -200, 100.5);
    // Far grips are not grabbed: a press 1 cm away misses.
    pt = QvPoint(1200, 0);
    EXPECT_EQ(f->FindDefiningPoint(pt), -1);
}

TEST_F(FigureBaseTest, OffsetAndFrameMapping) {
    auto f = Make<QvFigLine>(ID_DRAW_LINE);
    f->DefiningPoints()[0] = QvPoint(500, 500);
    f->DefiningPoints()[1] = QvPoint(1000, 0);
    f->MapToFrame(QvGRRect());
    ExpectPoint(f->DisplayPoints()[0], 500, 500);
    // A real frame whose corner is the page origin maps all the same.
    QvGRRect frame(QvPoint(0, 0), QvPoint(1000, 0), QvPoint(1000, 2000), QvPoint(0, 2000));
    f->MapToFrame(frame);
    ExpectPoint(f->DisplayPoints()[0], 500, 1000);
    ExpectPoint(f->DisplayPoints()[1], 1000, 0);
    QvGRRect moved(QvPoint(0, 0.5), QvPoint(1000, 0.5), QvPoint(1000, 2000.5), QvPoint(0, 2000.5));
    f->MapToFrame(moved);
    ExpectPoint(f->DisplayPoints()[0], 500, 1000.5);

    f->DisplayPoints()[0] = QvPoint(110, 120);
    f->OffsetPoints(0, 0, 0, 0);
    ExpectPoint(f->DisplayPoints()[0], 110, 120);
    f->OffsetPoints(10, 20, 0, 30000);
    ExpectPoint(f->DisplayPoints()[0], 100, 29880);
}

TEST_F(FigureBaseTest, PointsRectIsTheUnionOfUnitSquares) {
    auto f = Make<QvFigLine>(ID_DRAW_LINE);
    f->DisplayPoints()[0] = QvPoint(0.9, 0.9);
    f->DisplayPoints()[1] = QvPoint(-0.9, 5.5);
    EXPECT_EQ(f->GetPointsRect(), CRect(0, 0, 1, 6));
}

TEST_F(FigureBaseTest, CopyAndCopyMap) {
    auto source = Make<QvFigLine>(ID_DRAW_ARROW_LINE);
    Click(*source, QvPoint(1, 2));
    Click(*source, QvPoint(3, 4));
    source->SetGroupNesting(1);
    source->LineData()->m_midArrow = 14;
    auto copy = Make<QvFigLine>(ID_DRAW_LINE);
    EXPECT_EQ(copy->CopyFrom(source.get()), copy.get());
    EXPECT_EQ(copy->GetToolId(), ID_DRAW_ARROW_LINE);
    EXPECT_EQ(copy->GetGroupNesting(), 1);
    EXPECT_EQ(copy->GetClickCount(), 2);
    ExpectPoint(copy->DefiningPoints()[1], 3, 4);
    ExpectPoint(copy->DisplayPoints()[1], 3, 4);
    EXPECT_EQ(copy->LineData()->m_midArrow, 14);
    EXPECT_EQ(copy->GetCopyLink(), source.get());
    QvCopyMap map;
    copy->AddToCopyMap(map);
    copy->AddToCopyMap(map);
    ASSERT_EQ(map.GetCount(), 1);
    EXPECT_EQ(map[0].source, source.get());
    EXPECT_EQ(map[0].copy, copy.get());
    EXPECT_EQ(copy->GetCopyLink(), nullptr);
}

TEST_F(FigureBaseTest, DrawMappedChoosesToolsByMode) {
    RecordingFigure f;
    f.SetLineStyle(ID_LINE_SOLID2); // Solid 2, width 50
    f.SetLineColour(RGB(1, 2, 3));
    struct Case {
        int mode;
        int fills, draws;
        COLORREF colour;
    } cases[] = {
        {0, 1, 1, RGB(1, 2, 3)},
        {1, 0, 1, 0},
        {2, 0, 1, 0xFAFA00},
        {3, 0, 1, 0xFFFFFF},
        {4, 0, 1, 0xFFFFFF},
        {5, 0, 1, RGB(1, 2, 3)},
        {6, 0, 0, 0},
        {-1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        f.fills = f.draws = 0;
        HimetricPage page;
        page.Draw([&](CDC& dc) { f.DrawMapped(&dc, c.mode, QvGRRect(), CRect()); });
        EXPECT_EQ(f.fills, c.fills) << c.mode;
        EXPECT_EQ(f.draws, c.draws) << c.mode;
        if (c.draws) {
            EXPECT_EQ(f.penColour, c.colour) << c.mode;
        }
    }
    // The width is kept in 0.01 mm, and divided into pixels elsewhere.
    QImage image = Page(96, 50, 50);
    for (int mapMode : {MM_HIMETRIC, MM_TEXT}) {
        CDC dc(&image);
        dc.SetMapMode(mapMode);
        f.DrawMapped(&dc, 0, QvGRRect(), CRect());
        EXPECT_EQ(f.penWidth, mapMode == MM_HIMETRIC ? 50 : 50 / 26) << mapMode;
    }
}

TEST_F(FigureBaseTest, GripsSquareAndRound) {
    auto f = Make<QvFigCircle3C>(ID_DRAW_CIRCLE_3P);
    f->DefiningPoints()[0] = QvPoint(2000, 2500);
    f->DefiningPoints()[1] = QvPoint(5000, 2500);
    f->DefiningPoints()[2] = QvPoint(8000, 2500);
    for (int round : {1, 99}) { // 99: as a damaged file might say
        f->SetRoundGripCount(round);
        HimetricPage page;
        page.Draw([&](CDC& dc) { f->DrawHandles(&dc); });
        for (int i = 0; i < 3; ++i) {
            QPoint at = page.Pixel(f->DefiningPoints()[i].x, 2500);
            bool grey = round == 99 || i == 2;
            EXPECT_EQ(page.image.pixel(at), grey ? 0xFFC8C8C8 : 0xFFFF0000) << round << i;
        }
    }
}

TEST_F(FigureBaseTest, SnapContributions) {
    auto line = Make<QvFigLine>(ID_DRAW_LINE);
    Click(*line, QvPoint(0, 0));
    Click(*line, QvPoint(1000, 0));
    QvSnapPointList points;
    line->AddPointOnFigure(QvPoint(400, 300), points, 0);
    ASSERT_EQ(points.GetCount(), 1);
    ExpectPoint(points[0].point, 400, 0);
    EXPECT_EQ(points[0].figure1, line.get());
    EXPECT_EQ(points[0].label, QvGetSnapTable()[QvSnap::PointOnFigure].name);
    points.Clear();
    line->AddSpecialPoints(points, 0);
    EXPECT_GE(points.GetCount(), 2); // the ends at least
    for (int i = 0; i < points.GetCount(); ++i)
        EXPECT_EQ(points[i].figure1, line.get());

    QvShapeList shapes;
    line->AddShapes(shapes, -1);
    ASSERT_EQ(shapes.GetCount(), 1);
    EXPECT_EQ(shapes[0].figure, line.get());
    auto* clone = dynamic_cast<QvGRLine*>(shapes[0].shape.get());
    ASSERT_TRUE(clone);
    EXPECT_NE(clone, &line->Line());
    ExpectPoint(clone->p2, 1000, 0);
    line->SetDeleted(true);
    line->AddShapes(shapes, -1);
    EXPECT_EQ(shapes.GetCount(), 1);
}

TEST_F(FigureBaseTest, BaseAnswersAndBeep) {
    MessageRecorder recorder;
    QvFigure bare;
    EXPECT_EQ(bare.GetDescription(), QStringLiteral("GENERIC Figure report"));
    EXPECT_EQ(bare.GetBoundRect(), CRect());
    EXPECT_FALSE(bare.HitTest(QvPoint(), 10));
    EXPECT_FALSE(bare.CreateClick());
    EXPECT_EQ(bare.GetPartCount(), 1);
    ExpectPoint(bare.GetPoint(0), QV_FAR, QV_FAR);
    bare.EditProperties(CPoint(), CPoint());
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_TRUE(bare.IsOrContains(&bare));
    EXPECT_FALSE(bare.IsOrContains(nullptr));
}

TEST_F(FigureBaseTest, FactoryKnowsEveryToolId) {
    struct Row {
        int id;
        const char* className; // null: the class is still to come
    } rows[] = {
        {ID_DRAW_LINE, "QvFigLine"},          {ID_DRAW_ARROW_LINE, "QvFigLine"},
        {ID_DRAW_CIRCLE_4C, "QvFigCircle"},   {ID_DRAW_CIRCLE_CR, "QvFigCircleCR"},
        {ID_DRAW_CIRCLE_3P, "QvFigCircle3C"}, {ID_DRAW_CIRCLE_D, "QvFigCircleD"},
    };
    for (const Row& r : rows) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(r.id);
        ASSERT_TRUE(f) << r.id;
        EXPECT_STREQ(f->GetRuntimeClass()->m_lpszClassName, r.className);
        EXPECT_EQ(f->GetToolId(), r.id);
    }
    EXPECT_EQ(QvFactoryToolIdCount(), 35);
    // Every registered tool makes the class it was registered with, and
    // keeps its own id (the equation box keeps the text box's).
    int pending = 0;
    for (int i = 0; i < QvFactoryToolIdCount(); ++i) {
        const int id = QvFactoryToolIdAt(i);
        if (i > 0) {
            EXPECT_LT(QvFactoryToolIdAt(i - 1), id);
        }
        const char* className = QvFactoryClassName(id);
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(id);
        EXPECT_EQ(QvFigure::CanCreateForTool(id), f != nullptr) << id;
        if (!className) {
            EXPECT_FALSE(f) << id;
            ++pending;
            continue;
        }
        ASSERT_TRUE(f) << id;
        EXPECT_STREQ(f->GetRuntimeClass()->m_lpszClassName, className) << id;
        EXPECT_EQ(f->GetToolId(), id == int(ID_DRAW_EQUATION) ? int(ID_DRAW_TEXT) : id);
    }
    EXPECT_EQ(pending, 0); // every palette tool makes its figure
    EXPECT_EQ(QvFactoryClassName(40000), nullptr);
    // A second registration of a known id is refused and changes nothing.
    EXPECT_FALSE(QvRegisterFigureTools({{ID_DRAW_LINE, "QvFigPoint", &QvMakeFigure<QvFigPoint>}}));
    EXPECT_STREQ(QvFactoryClassName(ID_DRAW_LINE), "QvFigLine");
    for (int id : {32851, 32858, 32869, int(ID_TOOLS_DIRECTORIES), 0, -1, 40000})
        EXPECT_EQ(QvFigure::CreateForTool(id), nullptr) << id;
}

// ------------------------------------------------------------ the record

TEST_F(FigureBaseTest, RecordWithNoPoints) {
    ManyPointFigure f;
    f.stored = 0;
    QByteArray bytes = Store(&f);
    int start = 6 + 9; // the class tag and name "QvFigLine"
    EXPECT_EQ(bytes.mid(start, 3).toHex(' '), QByteArray("00 02 00"));
}

TEST_F(FigureBaseTest, MorePointsThanAByteIsRefusedOnSave) {
    ManyPointFigure f;
    f.stored = 256;
    EXPECT_THROW(Store(&f), CArchiveException);
}

TEST_F(FigureBaseTest, MalformedRecordsAreRefused) {
    auto line = Make<QvFigLine>(ID_DRAW_LINE);
    Click(*line, QvPoint(1, 2));
    Click(*line, QvPoint(3, 4));
    const QByteArray good = Store(line.get());
    const int count = 15; // the point count byte, after the class tag
    const int link = count + 1 + 32;
    const int grips = link + 2;

    QByteArray tooMany = good;
    tooMany[count] = 3; // a line holds two points
    EXPECT_THROW(Load<QvFigLine>(tooMany), CArchiveException);

    QByteArray grip = good;
    grip[grips] = 3;
    EXPECT_THROW(Load<QvFigLine>(grip), CArchiveException);

    QByteArray otherLink = good;
    otherLink[link] = char(0xFF); // a new class where the back-reference goes
    otherLink[link + 1] = char(0xFF);
    EXPECT_THROW(Load<QvFigLine>(otherLink), CArchiveException);

    for (int cut : {count, count + 10, link + 1, grips + 3, int(good.size()) - 1})
        EXPECT_THROW(Load<QvFigLine>(good.left(cut)), CArchiveException) << cut;
}

} // namespace
