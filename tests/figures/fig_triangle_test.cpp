#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_triangle.h"
#include "figures/shape_record.h"
#include "platform/command_ids.h"

#include <cmath>
#include <vector>

using namespace QvTri;

namespace {

// A (1000, 1000), B (4000, 1000), C (1000, 5000): sides a 50, b 40, c 30 mm.
const QvPoint kA(1000, 1000), kB(4000, 1000), kC(1000, 5000);

class TriangleTest : public FigureTest {
protected:
    void TearDown() override { QvFigTriangle::PropertiesDialog::Set(nullptr); }

    static std::unique_ptr<QvFigTriangle> Clicked(QvPoint p0, QvPoint p1, QvPoint p2) {
        auto f = Make<QvFigTriangle>(QvFigTriangle::ToolId);
        EXPECT_TRUE(f);
        EXPECT_FALSE(Click(*f, p0));
        EXPECT_FALSE(Click(*f, p1));
        EXPECT_TRUE(Click(*f, p2));
        return f;
    }
    static void ExpectPoints(const QvFigTriangle& f, QvPoint a, QvPoint b, QvPoint c,
                             double tol = 1e-6) {
        const QvPoint expected[3] = {a, b, c};
        for (int i = 0; i < 3; ++i) {
            ExpectPoint(f.DefiningPoints()[i], expected[i].x, expected[i].y, tol);
            ExpectPoint(f.DisplayPoints()[i], expected[i].x, expected[i].y, tol);
        }
    }
};

// A is always the first click: the same clicks in another order give the
// same measurements under other names.
TEST_F(TriangleTest, ThreeClicksMeasureAndSolve) {
    struct Case {
        QvPoint clicks[3];
        const char* description;
    } cases[] = {
        {{kA, kB, kC}, "Triangle Sides 50.00, 40.00, 30.00 - Angles 90.00°, 53.13°, 36.87°"},
        {{kB, kC, kA}, "Triangle Sides 40.00, 30.00, 50.00 - Angles 53.13°, 36.87°, 90.00°"},
        {{kA, kC, kB}, "Triangle Sides 50.00, 30.00, 40.00 - Angles 90.00°, 36.87°, 53.13°"},
    };
    for (const Case& c : cases) {
        auto f = Clicked(c.clicks[0], c.clicks[1], c.clicks[2]);
        EXPECT_EQ(f->GetDescription(), QString::fromUtf8(c.description));
        QvGRTriangle& s = f->Solver();
        EXPECT_TRUE(s.isSolved);
        EXPECT_EQ(s.measureFromVertices, 0);
        // Given by its three sides.
        for (int i = 0; i < Count; ++i)
            EXPECT_EQ(s.given[i] > 0, i >= SideA && i <= SideC) << i;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(s.vertices[i], c.clicks[i]);
        EXPECT_EQ(f->GetShape(), &s);
        ExpectPoint(f->GetPoint(0), QV_FAR, QV_FAR);
    }
}

TEST_F(TriangleTest, RubberBandAndThreeClicksAtOnePoint) {
    MessageRecorder recorder;
    auto f = Make<QvFigTriangle>(QvFigTriangle::ToolId);
    f->TrackCreatePoint(kB, {}); // all three follow the pointer
    for (int i = 0; i < 3; ++i)
        ExpectPoint(f->DefiningPoints()[i], kB.x, kB.y);
    EXPECT_FALSE(f->CreateClick());
    EXPECT_FALSE(Click(*f, kB));
    EXPECT_TRUE(Click(*f, kB));
    EXPECT_FALSE(f->Solver().isSolved);
    EXPECT_EQ(f->GetDescription(),
              QString::fromUtf8("Triangle Sides 0.00, 0.00, 0.00 - Angles 0.00°, 0.00°, 0.00°"));
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(recorder.beeps, 0);
}

// Whatever three measurements were given, a dragged vertex measures the
// triangle again by its sides, from where the vertex now is.
TEST_F(TriangleTest, GripDragMeasuresTheThreeSides) {
    auto f = Clicked(kA, kB, kC);
    QvGRTriangle& s = f->Solver();
    std::fill(std::begin(s.given), std::end(s.given), 0.0);
    s.given[AngleA] = 90;
    s.given[AngleB] = 53.13;
    s.given[SideC] = 30;
    f->MoveHandle(2, QvPoint(1000, 4000), QvPoint(), {});
    EXPECT_TRUE(s.isSolved);
    for (int i = 0; i < Count; ++i)
        EXPECT_EQ(s.given[i] > 0, i >= SideA && i <= SideC) << i;
    EXPECT_NEAR(s.given[SideA], std::sqrt(2.0) * 30, 1e-9);
    EXPECT_DOUBLE_EQ(s.given[SideB], 30);
    EXPECT_NEAR(s.solved[AngleB], 45, 1e-6);
    // The document maps and rebuilds afterwards: the measurements stay.
    f->MapToFrame(QvGRRect());
    f->BuildFromPoints();
    EXPECT_NEAR(s.solved[AngleB], 45, 1e-6);
    EXPECT_EQ(s.vertices[2], QvPoint(1000, 4000));
    // A move keeps them as well.
    f->Move(QvVector(500, 0));
    f->MapToFrame(QvGRRect());
    f->BuildFromPoints();
    EXPECT_NEAR(s.solved[AngleB], 45, 1e-6);
    EXPECT_EQ(s.vertices[0], QvPoint(1500, 1000));
}

// After the common fields: the word 1 and the solver's 223 bytes, with the
// given side c in the spare word, so it comes back.
TEST_F(TriangleTest, SavedAndOpenedWithItsMeasurements) {
    auto f = Clicked(kA, kB, kC);
    f->SetFillColour(RGB(1, 2, 3));
    QByteArray bytes = Store(f.get());
    QByteArray record = bytes.right(225);
    EXPECT_EQ(record.left(4).toHex(' '), QByteArray("01 00 01 00"));
    EXPECT_EQ(record.mid(2 + 2 + 40, 4).toHex(' '), QByteArray("00 00 f0 41")); // 30.0f
    EXPECT_EQ(bytes.mid(bytes.size() - 225 - 12, 4).toHex(' '), QByteArray("01 02 03 00"));

    auto back = Load<QvFigTriangle>(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetShape(), &back->Solver());
    for (int i = 0; i < Count; ++i) {
        EXPECT_DOUBLE_EQ(back->Solver().solved[i], f->Solver().solved[i]) << i;
        EXPECT_FLOAT_EQ(float(back->Solver().given[i]), float(f->Solver().given[i])) << i;
    }
    EXPECT_EQ(back->GetDescription(), f->GetDescription());
    back->BuildFromPoints();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(back->Solver().vertices[i], f->Solver().vertices[i]);
    EXPECT_EQ(back->GetDescription(), f->GetDescription());
    EXPECT_EQ(Store(back.get()), bytes);

    // A version word of 0 reads no solver: the triangle measures itself
    // from its points on the next rebuild.
    auto old = Load<QvFigTriangle>(bytes.left(bytes.size() - 225) + Hex("00 00"));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->Solver().measureFromVertices, 1);
    old->BuildFromPoints();
    EXPECT_EQ(old->GetDescription(), f->GetDescription());
}

// What the dialog is given, and what its OK does.
TEST_F(TriangleTest, PropertiesLayOutOnlyASolvedTriangle) {
    struct Case {
        const char* name;
        bool dialog;
        bool ok;
        std::vector<std::pair<int, double>> given; // replaces the dialog's given values
        bool laidOut;
        int beeps;
    } cases[] = {
        {"no dialog", false, false, {}, false, 1},
        {"cancel", true, false, {{AngleA, 60}, {AngleB, 60}, {SideC, 20}}, false, 0},
        {"two angles and a side", true, true, {{AngleA, 60}, {AngleB, 60}, {SideC, 20}}, true, 0},
        {"three angles", true, true, {{AngleA, 60}, {AngleB, 60}, {AngleC, 60}}, false, 1},
        {"no triangle", true, true, {{SideA, 1}, {SideB, 2}, {SideC, 5}}, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MessageRecorder recorder;
        auto f = Clicked(kA, kB, kC);
        const QString before = f->GetDescription();
        QvGRTriangle seen;
        QvFigTriangle::PropertiesDialog::Set(nullptr);
        if (c.dialog) {
            QvFigTriangle::PropertiesDialog::Set([&](QvGRTriangle& t) {
                seen = t;
                std::fill(std::begin(t.given), std::end(t.given), 0.0);
                for (auto [i, v] : c.given)
                    t.given[i] = v;
                t.Solve();
                return c.ok;
            });
        }
        f->EditProperties(CPoint(), CPoint());
        EXPECT_EQ(recorder.beeps, c.beeps);
        if (c.dialog) {
            // The click-made triangle, given by its sides.
            EXPECT_DOUBLE_EQ(seen.given[SideA], 50);
            EXPECT_DOUBLE_EQ(seen.given[SideC], 30);
            EXPECT_EQ(seen.vertices[2], kC);
        }
        if (!c.laidOut) {
            ExpectPoints(*f, kA, kB, kC);
            EXPECT_EQ(f->GetDescription(), before);
            EXPECT_DOUBLE_EQ(f->Solver().given[SideA], 50);
            continue;
        }
        // A stays; C keeps the direction of AC, B its side of it.
        ExpectPoints(*f, kA, QvPoint(1000 + 1000 * std::sqrt(3.0), 2000), QvPoint(1000, 3000),
                     1e-6);
        EXPECT_EQ(f->Solver().measureFromVertices, 0);
        EXPECT_EQ(f->GetDescription(),
                  QString::fromUtf8(
                      "Triangle Sides 20.00, 20.00, 20.00 - Angles 60.00°, 60.00°, 60.00°"));
        EXPECT_DOUBLE_EQ(f->Solver().given[AngleA], 60);
    }
}

// Restoring an undo snapshot or copying a figure copies values: each
// figure's primitive stays the solver in its own record.
TEST_F(TriangleTest, SnapshotsAndCopiesKeepTheirOwnSolver) {
    auto f = Clicked(kA, kB, kC);
    f->SetLineColour(RGB(9, 8, 7));
    std::unique_ptr<QvEditData> snapshot(f->NewEditData());
    ASSERT_TRUE(dynamic_cast<QvEditDataTriangle*>(snapshot.get()));
    f->MoveHandle(1, QvPoint(7000, 1000), QvPoint(), {});
    EXPECT_DOUBLE_EQ(f->Solver().solved[SideC], 60);
    f->CopyEditData(f->GetEditData(), snapshot.get());
    EXPECT_EQ(f->GetShape(), &f->TriangleData()->m_solver);
    EXPECT_DOUBLE_EQ(f->Solver().solved[SideC], 30);
    EXPECT_DOUBLE_EQ(static_cast<QvEditDataTriangle*>(snapshot.get())->m_solver.solved[SideC], 30);

    QvFigTriangle copy;
    copy.CopyFrom(f.get());
    EXPECT_EQ(copy.GetShape(), &copy.Solver());
    EXPECT_EQ(copy.GetEditData()->m_lineColor, RGB(9, 8, 7));
    EXPECT_EQ(copy.GetEditData()->m_fillColor, RGB(40, 50, 60));
    EXPECT_EQ(copy.GetDescription(), f->GetDescription());
    EXPECT_DOUBLE_EQ(copy.Solver().given[SideC], 30);
}

TEST_F(TriangleTest, ThreeSidesForIntersections) {
    auto f = Clicked(kA, kB, kC);
    struct Case {
        int part;
        std::vector<int> sides;
    } cases[] = {{-1, {0, 1, 2}}, {1, {1}}, {2, {2}}, {3, {}}};
    for (const Case& c : cases) {
        QvShapeList list;
        f->AddShapes(list, c.part);
        ASSERT_EQ(list.GetCount(), int(c.sides.size())) << c.part;
        for (int i = 0; i < list.GetCount(); ++i) {
            int side = c.sides[size_t(i)];
            auto* line = dynamic_cast<QvGRLine*>(list[i].shape.get());
            ASSERT_TRUE(line);
            EXPECT_EQ(list[i].index1, side);
            EXPECT_EQ(list[i].figure, f.get());
            EXPECT_EQ(line->p1, f->DisplayPoints()[side]);
            EXPECT_EQ(line->p2, f->DisplayPoints()[(side + 1) % 3]);
        }
    }
    f->SetDeleted(true);
    QvShapeList none;
    f->AddShapes(none, -1);
    EXPECT_EQ(none.GetCount(), 0);
}

TEST_F(TriangleTest, BoundsHitTestAndDrawing) {
    auto f = Clicked(QvPoint(1000.7, 1000), QvPoint(4000, 1000), QvPoint(1000, 5000.2));
    EXPECT_EQ(f->GetBoundRect(), CRect(997, 997, 4004, 5004));
    f->SetLineStyle(ID_LINE_SOLID2); // width 50
    EXPECT_EQ(f->GetBoundRect(), CRect(947, 947, 4054, 5054));
    EXPECT_TRUE(f->HitTest(QvPoint(2500, 1050), 60));
    EXPECT_FALSE(f->HitTest(QvPoint(2000, 2000), 60));

    f->SetLineStyle(ID_LINE_HAIRLINE);
    f->SetLineColour(RGB(255, 0, 0));
    f->SetFillColour(RGB(0, 0, 255));
    f->SetFillStyle(ID_FILL_SOLID);
    HimetricPage page(400, 220);
    page.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
    EXPECT_EQ(page.image.pixel(page.Pixel(1800, 2000)), 0xFF0000FF);
    EXPECT_EQ(page.image.pixel(page.Pixel(3500, 4000)), kPaper);
    QRect ink = InkBounds(page.image);
    QRect expected(page.Pixel(1000, 5000), page.Pixel(4000, 1000));
    EXPECT_NEAR(ink.left(), expected.left(), 1);
    EXPECT_NEAR(ink.right(), expected.right(), 1);
    EXPECT_NEAR(ink.top(), expected.top(), 1);
    EXPECT_NEAR(ink.bottom(), expected.bottom(), 1);
    // The edge in the line colour.
    QRgb edge = page.image.pixel(page.Pixel(2500, 1000));
    EXPECT_GT(qRed(edge), 150);
}

} // namespace
