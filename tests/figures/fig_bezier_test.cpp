#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_bezier.h"
#include "platform/command_ids.h"

#include <vector>

namespace {

class CurveTest : public FigureTest {
protected:
    void SetUp() override {
        FigureTest::SetUp();
        ResetDefaults();
    }
    void TearDown() override { ResetDefaults(); }
    static void ResetDefaults() {
        TheSettings().m_BezierDefaults.Init(QStringLiteral("Bezier"));
        TheSettings().m_SmoothlineDefaults.Init(QStringLiteral("Smoothline"));
    }

    static std::unique_ptr<QvFigBezier> Bezier(QvPoint p0, QvPoint p1, QvPoint c0, QvPoint c1) {
        auto f = Make<QvFigBezier>(QvFigBezier::ToolId);
        for (QvPoint p : {p0, p1, c0, c1})
            Click(*f, p);
        f->MapToFrame(QvGRRect());
        f->BuildFromPoints();
        return f;
    }
    // A straight curve along y = 2500 from x0 to x1.
    static std::unique_ptr<QvFigBezier> Straight(double x0, double x1) {
        double third = (x1 - x0) / 3.0;
        return Bezier(QvPoint(x0, 2500), QvPoint(x1, 2500), QvPoint(x0 + third, 2500),
                      QvPoint(x1 - third, 2500));
    }
};

// The view's trace: press, moves, release.
void Trace(QvFigure& f, const std::vector<QvPoint>& path) {
    f.TrackCreatePoint(path.front(), {});
    f.CreateClick();
    for (size_t i = 1; i < path.size(); ++i) {
        f.CreateClick();
        f.TrackCreatePoint(path[i], {});
    }
    f.CreateClick();
    f.TrackCreatePoint(path.back(), {});
    f.MapToFrame(QvGRRect());
    f.BuildFromPoints();
}

std::vector<QvPoint> Row(double x0, double step, int n, double y = 2500) {
    std::vector<QvPoint> points;
    for (int i = 0; i < n; ++i)
        points.push_back(QvPoint(x0 + i * step, y));
    return points;
}

// The rows of column x where runs of ink are, as their middle rows.
std::vector<int> InkRuns(const QImage& image, int x) {
    std::vector<int> runs;
    int start = -1;
    for (int y = 0; y <= image.height(); ++y) {
        bool ink = y < image.height() && image.pixel(x, y) != kPaper;
        if (ink && start < 0)
            start = y;
        if (!ink && start >= 0) {
            runs.push_back((start + y - 1) / 2);
            start = -1;
        }
    }
    return runs;
}

// Bounds of the pixels that differ between two pages inside r.
QRect DiffIn(const QImage& a, const QImage& b, const QRect& r) {
    return DiffBounds(a.copy(r), b.copy(r)).translated(r.topLeft());
}

// ------------------------------------------------------------------ Bezier

TEST_F(CurveTest, BezierCreationByFourClicks) {
    auto f = Make<QvFigBezier>(QvFigBezier::ToolId);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->GetPointCount(), 4);
    f->TrackCreatePoint(QvPoint(100, 200), {}); // all four follow the pointer
    for (int i = 0; i < 4; ++i)
        ExpectPoint(f->DefiningPoints()[i], 100, 200);
    EXPECT_FALSE(f->CreateClick());
    f->TrackCreatePoint(QvPoint(4100, 200), {}); // the chord
    ExpectPoint(f->DefiningPoints()[2], 4100, 200);
    ExpectPoint(f->DefiningPoints()[3], 100, 200);
    EXPECT_EQ(f->GetDescription().toStdString(), "Bezier Curve - Approximate Length 39.60");
    EXPECT_FALSE(f->CreateClick());
    // The second control waits at the middle of the chord until the fourth
    // click.
    f->TrackCreatePoint(QvPoint(1000, 3000), {});
    ExpectPoint(f->DefiningPoints()[2], 1000, 3000);
    ExpectPoint(f->DefiningPoints()[3], 2100, 200);
    EXPECT_FALSE(f->CreateClick());
    ExpectPoint(f->DefiningPoints()[3], 2100, 200);
    f->TrackCreatePoint(QvPoint(3000, -2000), {});
    EXPECT_TRUE(f->CreateClick());
    EXPECT_EQ(f->GetClickCount(), 3);
    EXPECT_EQ(f->GetPointCount(), 4);
    // Start, first control, second control, end.
    ExpectPoint(f->Curve().GetPoint(0), 100, 200);
    ExpectPoint(f->Curve().GetPoint(1), 1000, 3000);
    ExpectPoint(f->Curve().GetPoint(2), 3000, -2000);
    ExpectPoint(f->Curve().GetPoint(3), 4100, 200);
    ExpectPoint(f->GetPoint(0), QV_FAR, QV_FAR);
    // A grip drag moves its own point only.
    f->MoveHandle(3, QvPoint(3000, 0), QvPoint(), {});
    f->MapToFrame(QvGRRect());
    f->BuildFromPoints();
    ExpectPoint(f->Curve().GetPoint(2), 3000, 0);
    ExpectPoint(f->Curve().GetPoint(1), 1000, 3000);
}

TEST_F(CurveTest, ZeroLengthCurveIsDescribedAsNothingLong) {
    auto f = Bezier(QvPoint(500, 500), QvPoint(500, 500), QvPoint(500, 500), QvPoint(500, 500));
    EXPECT_EQ(f->GetDescription(), QStringLiteral("Bezier Curve - Approximate Length 0.00"));
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
    EXPECT_LE(InkBounds(page.image).width(), 2);
}

// Single, double, triple: the lines that cross the middle of a straight
// curve, the side lines 250 (about 9.4 pixels) to either side.
TEST_F(CurveTest, LineTypesDrawOneTwoOrThreeLines) {
    struct Case {
        LONG type;
        std::vector<double> offsets; // in pixels from the curve
    } cases[] = {{0, {0}}, {1, {-9.4, 9.4}}, {2, {-9.4, 0, 9.4}}, {3, {}}};
    for (const Case& c : cases) {
        auto f = Straight(1000, 9000);
        f->CurveData()->m_lineType = c.type;
        HimetricPage page;
        page.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
        QPoint middle = page.Pixel(5000, 2500);
        std::vector<int> runs = InkRuns(page.image, middle.x());
        ASSERT_EQ(runs.size(), c.offsets.size()) << "line type " << c.type;
        for (size_t i = 0; i < runs.size(); ++i)
            EXPECT_NEAR(runs[i], middle.y() + c.offsets[i], 1.5) << "line type " << c.type;
    }
}

// Marks of an open curve, each on its own tip and pointing the right way;
// none on a closed one.  The middle mark of code 10 is no mark.
TEST_F(CurveTest, MarksOnOpenCurvesOnly) {
    struct Case {
        bool smooth;
        BYTE closed;
        LONG start, mid, end;
    } cases[] = {
        {false, 0, 12, 10, 12}, {false, 0, 10, 12, 10}, {false, 1, 12, 12, 12},
        {true, 0, 12, 10, 12},  {true, 0, 10, 12, 19},  {true, 1, 12, 12, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.smooth ? "smooth" : "Bezier") << " closed " << int(c.closed) << " marks "
                     << c.start << " " << c.mid << " " << c.end);
        std::unique_ptr<QvFigCurveBase> f;
        if (c.smooth) {
            f = Make<QvFigSmoothLine>(QvFigSmoothLine::ToolId);
            Trace(*f, Row(2000, 1000, 7));
        } else {
            f = Straight(2000, 8000);
        }
        f->CurveData()->m_closed = c.closed;
        HimetricPage plain;
        plain.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
        f->CurveData()->m_startMark = c.start;
        f->CurveData()->m_midMark = c.mid;
        f->CurveData()->m_endMark = c.end;
        HimetricPage marked;
        marked.Draw([&](CDC& dc) { DrawNormal(*f, dc); });

        // The head's body lies behind its tip, on the curve's side.
        struct Tip {
            double x;
            LONG code;
            int behind; // -1: to the left of the tip, +1: to the right
        } tips[] = {{2000, c.start, +1}, {5000, c.mid, -1}, {8000, c.end, -1}};
        for (const Tip& t : tips) {
            QPoint tip = plain.Pixel(t.x, 2500);
            QRect diff = DiffIn(plain.image, marked.image, Square(tip, 14, 14));
            if (c.closed || t.code == QvEditDataSmoothLine::NoMark) {
                EXPECT_TRUE(diff.isEmpty()) << "at " << t.x;
                continue;
            }
            ASSERT_FALSE(diff.isEmpty()) << "at " << t.x;
            if (t.behind > 0) {
                EXPECT_GE(diff.left(), tip.x() - 1) << "at " << t.x;
            } else if (t.code != 19) { // a slash stands across its point
                EXPECT_LE(diff.right(), tip.x() + 1) << "at " << t.x;
            }
        }
    }
}

// The points' box and 3 units, grown by the marks (none when closed) or by
// the pen and the side lines, whichever is more.
TEST_F(CurveTest, BoundsGrowByMarksOrLines) {
    struct Case {
        BYTE size;
        BYTE closed;
        LONG offset;
        int lineStyle;
        int margin;
    } cases[] = {
        {12, 0, 250, ID_LINE_HAIRLINE, 250}, // the offset counts even for a single line
        {12, 0, 0, ID_LINE_HAIRLINE, 240},   {12, 1, 0, ID_LINE_HAIRLINE, 0},
        {12, 1, 250, ID_LINE_HAIRLINE, 250}, {1, 0, 0, ID_LINE_SOLID2, 50},
        {1, 0, 60, ID_LINE_SOLID2, 60},
    };
    for (const Case& c : cases) {
        auto f = Bezier(QvPoint(1000.7, 1000), QvPoint(5000, 1000), QvPoint(2000, 3000),
                        QvPoint(4000, 3000.5));
        QvEditDataSmoothLine& d = *f->CurveData();
        d.m_startSize = d.m_endSize = d.m_midSize = c.size;
        d.m_closed = c.closed;
        d.m_offset = c.offset;
        d.m_lineStyle = c.lineStyle;
        CRect expected(997, 997, 5004, 3004);
        expected.InflateRect(c.margin, c.margin);
        EXPECT_EQ(f->GetBoundRect(), expected) << c.margin;
    }
}

TEST_F(CurveTest, ControlArmsWhileDraggingAndWithTheGrips) {
    auto f =
        Bezier(QvPoint(2000, 1000), QvPoint(8000, 1000), QvPoint(2000, 4000), QvPoint(8000, 4000));
    auto armInk = [&](auto draw) {
        HimetricPage page;
        page.Draw(draw);
        // Along the arm from point 0 up to point 2, where the curve has
        // turned away.
        return page.InkIn(
            QRect(page.Pixel(2000, 3900), page.Pixel(2000, 3000)).adjusted(-1, 0, 1, 0));
    };
    EXPECT_EQ(armInk([&](CDC& dc) { DrawNormal(*f, dc); }), 0);
    EXPECT_GT(armInk([&](CDC& dc) { f->DrawMapped(&dc, QvDrawMode::Dotted, QvGRRect(), CRect()); }),
              10);
    EXPECT_GT(armInk([&](CDC& dc) { f->DrawHandles(&dc); }), 10);
}

// After the common fields: the word 1 and 38 bytes.  A new Bezier curve
// writes the spacing 750, not whatever the memory held.
TEST_F(CurveTest, RecordLayoutAndOldVersions) {
    auto f = Straight(1000, 4000);
    QvEditDataSmoothLine& d = *f->CurveData();
    EXPECT_EQ(d.m_spacing, 750);
    d.m_startMark = 11;
    d.m_endMark = 12;
    d.m_midMark = 13;
    d.m_startSize = 2;
    d.m_endSize = 4;
    d.m_midSize = 6;
    d.m_midPos = 0.25;
    d.m_lineType = 2;
    d.m_offset = 300;
    QByteArray bytes = Store(f.get());
    EXPECT_EQ(bytes.right(38).toHex(' '),
              Hex("01 00  0B 00 00 00  0C 00 00 00  0D 00 00 00  02 04 06"
                  "00 00 00 00 00 00 D0 3F  EE 02 00 00  00  02 00 00 00  2C 01 00 00")
                  .toHex(' '));
    auto back = Load<QvFigBezier>(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(Store(back.get()), bytes);
    EXPECT_EQ(back->CurveData()->m_midMark, 13);

    // Version 0 (and below): the rest keeps the Bezier defaults.
    TheSettings().m_BezierDefaults.Start.SetValue(15);
    TheSettings().m_BezierDefaults.Width.SetValue(400);
    for (const char* version : {"00 00", "FF FF"}) {
        QByteArray old = bytes.left(bytes.size() - 38) + Hex(version);
        auto loaded = Load<QvFigBezier>(old);
        ASSERT_TRUE(loaded) << version;
        EXPECT_EQ(loaded->CurveData()->m_startMark, 15);
        EXPECT_EQ(loaded->CurveData()->m_offset, 400);
        EXPECT_EQ(loaded->CurveData()->m_lineColor, d.m_lineColor);
    }
}

TEST_F(CurveTest, CopiesTakeTheWholeRecord) {
    auto f = Straight(1000, 4000);
    f->CurveData()->m_midMark = 14;
    f->CurveData()->m_offset = 123;
    std::unique_ptr<QvEditData> snapshot(f->NewEditData());
    auto* copy = dynamic_cast<QvEditDataSmoothLine*>(snapshot.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->m_midMark, 14);
    f->CurveData()->m_offset = 0;
    f->CopyEditData(f->GetEditData(), copy);
    EXPECT_EQ(f->CurveData()->m_offset, 123);
    EXPECT_EQ(f->GetShape(), &f->Curve());
}

// ------------------------------------------------------------- smooth line

TEST_F(CurveTest, SmoothLineKeepsAPointEvery7Point5Millimetres) {
    auto f = Make<QvFigSmoothLine>(QvFigSmoothLine::ToolId);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->GetPointCount(), 0);
    EXPECT_EQ(f->CurveData()->m_spacing, 750);
    // The press leaves points 0 and 1 on it.
    f->TrackCreatePoint(QvPoint(1000, 1000), {});
    EXPECT_FALSE(f->CreateClick());
    EXPECT_EQ(f->GetClickCount(), 1);
    EXPECT_EQ(f->GetPointCount(), 2);
    // Closer than 750 to the last kept point: the moving point follows.
    for (double x : {1500.0, 1700.0, 1749.0}) {
        EXPECT_FALSE(f->CreateClick());
        f->TrackCreatePoint(QvPoint(x, 1000), {});
    }
    EXPECT_EQ(f->GetClickCount(), 1);
    EXPECT_EQ(f->GetPointCount(), 2);
    f->CreateClick(); // 749 from the last kept point
    f->TrackCreatePoint(QvPoint(1750, 1000), {});
    EXPECT_EQ(f->GetPointCount(), 2);
    f->CreateClick(); // 750: kept
    f->TrackCreatePoint(QvPoint(2600, 1000), {});
    EXPECT_EQ(f->GetClickCount(), 2);
    EXPECT_EQ(f->GetPointCount(), 3);
    ExpectPoint(f->DefiningPoints()[1], 1750, 1000);
    ExpectPoint(f->DefiningPoints()[2], 2600, 1000);
    EXPECT_EQ(f->Curve().GetCount(), 3);
    EXPECT_TRUE(f->GetDescription().startsWith(
        QStringLiteral("Multiple Bezier Curve - Approximate Length 15.")));
}

// The curve goes through 66 points at most, so the trace keeps no more,
// with one beep; the end still follows the pointer.
TEST_F(CurveTest, SmoothLineStopsAt66PointsWithABeep) {
    MessageRecorder recorder;
    auto f = Make<QvFigSmoothLine>(QvFigSmoothLine::ToolId);
    std::vector<QvPoint> path = Row(0, 1000, 80, 0);
    path.back() = QvPoint(99999, 5);
    Trace(*f, path);
    EXPECT_EQ(f->GetPointCount(), 66);
    EXPECT_EQ(f->GetClickCount(), 65);
    EXPECT_EQ(recorder.beeps, 1);
    ExpectPoint(f->DefiningPoints()[64], 64000, 0);
    ExpectPoint(f->DefiningPoints()[65], 99999, 5);
    EXPECT_EQ(f->Curve().GetCount(), 66);
}

TEST_F(CurveTest, ClosedSmoothLineIsFilledThenOutlined) {
    auto f = Make<QvFigSmoothLine>(QvFigSmoothLine::ToolId);
    Trace(*f, {QvPoint(2000, 1000), QvPoint(6000, 1000), QvPoint(6000, 4000), QvPoint(2000, 4000)});
    // The release keeps the last point once more.
    ASSERT_EQ(f->GetPointCount(), 5);
    QvEditDataSmoothLine& d = *f->CurveData();
    d.m_closed = 1;
    d.m_startMark = d.m_endMark = d.m_midMark = 12;
    CPen red(PS_SOLID, 0, RGB(255, 0, 0));
    CBrush blue(RGB(0, 0, 255));
    auto redPixels = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qRed(image.pixel(x, y)) > 200 && qBlue(image.pixel(x, y)) < 100)
                    ++n;
        return n;
    };
    HimetricPage page;
    QPoint inside = page.Pixel(4000, 2500);
    page.Draw([&](CDC& dc) {
        dc.SelectObject(&red);
        dc.SelectObject(&blue);
        f->DrawFill(&dc, QvDrawMode::Normal);
    });
    EXPECT_EQ(page.image.pixel(inside), 0xFF0000FF);
    EXPECT_EQ(redPixels(page.image), 0); // no outline with the fill
    page.Draw([&](CDC& dc) {
        dc.SelectObject(&red);
        dc.SelectObject(&blue);
        f->Draw(&dc, QvDrawMode::Normal);
    });
    EXPECT_GT(redPixels(page.image), 200);
    // No marks on a closed line, and its bounds have no mark margin.
    EXPECT_EQ(f->GetBoundRect(), CRect(1747, 747, 6254, 4254));
    // Open, it is not filled.
    d.m_closed = 0;
    HimetricPage open;
    open.Draw([&](CDC& dc) {
        dc.SelectObject(&blue);
        f->DrawFill(&dc, QvDrawMode::Normal);
    });
    EXPECT_EQ(InkBounds(open.image), QRect());
}

TEST_F(CurveTest, SmoothLineClickCountAfterOpening) {
    auto f = Make<QvFigSmoothLine>(QvFigSmoothLine::ToolId);
    Trace(*f, Row(1000, 1000, 5));
    ASSERT_EQ(f->GetPointCount(), 6);
    auto back = Load<QvFigSmoothLine>(Store(f.get()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetPointCount(), 6);
    EXPECT_EQ(back->GetClickCount(), 5);
    back->BuildFromPoints();
    EXPECT_EQ(back->GetDescription(), f->GetDescription());
    // With no points the count is 0, never 255.
    auto empty = Make<QvFigSmoothLine>(QvFigSmoothLine::ToolId);
    auto emptyBack = Load<QvFigSmoothLine>(Store(empty.get()));
    ASSERT_TRUE(emptyBack);
    EXPECT_EQ(emptyBack->GetPointCount(), 0);
    EXPECT_EQ(emptyBack->GetClickCount(), 0);
}

// More points than the curve takes (from a file): every point is a grip,
// the curve and its end mark stop at the 66th.
TEST_F(CurveTest, PointsPastTheCurveAreGripsOnly) {
    auto f = Make<QvFigSmoothLine>(QvFigSmoothLine::ToolId);
    ASSERT_TRUE(f->SetPointCount(70));
    std::vector<QvPoint> points = Row(1000, 100, 70);
    for (int i = 0; i < 70; ++i)
        f->DefiningPoints()[i] = points[size_t(i)];
    f->MapToFrame(QvGRRect());
    f->BuildFromPoints();
    EXPECT_EQ(f->Curve().GetCount(), 66);
    // The length is the first 66 points' curve's.
    auto first66 = Make<QvFigSmoothLine>(QvFigSmoothLine::ToolId);
    ASSERT_TRUE(first66->SetPointCount(66));
    for (int i = 0; i < 66; ++i)
        first66->DefiningPoints()[i] = points[size_t(i)];
    first66->MapToFrame(QvGRRect());
    first66->BuildFromPoints();
    EXPECT_EQ(f->GetDescription(), first66->GetDescription());
    HimetricPage grips;
    grips.Draw([&](CDC& dc) { f->DrawHandles(&dc); });
    EXPECT_EQ(grips.image.pixel(grips.Pixel(7900, 2500)), 0xFFFF0000);

    HimetricPage plain;
    plain.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
    f->CurveData()->m_endMark = 12;
    HimetricPage marked;
    marked.Draw([&](CDC& dc) { DrawNormal(*f, dc); });
    EXPECT_FALSE(
        DiffIn(plain.image, marked.image, Square(plain.Pixel(7500, 2500), 12, 12)).isEmpty());
    EXPECT_EQ(marked.InkIn(Square(marked.Pixel(7900, 2500), 4, 4)), 0);
}

} // namespace
