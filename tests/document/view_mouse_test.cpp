// The drawing view's mouse state machine with real figures, driven through
// its handlers in page units.
#include "common/test_support.h"
#include "document/lumbrel2_view.h"
#include "document/undo_manager.h"
#include "document_test_support.h"
#include "figures/fig_point.h"
#include "geometry/gr_line.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>
#include <QTest>

namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;

class MouseTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        TheSettings().m_MADLevel.SetValue(0); // the pointer as it is
        app = std::make_unique<Lumbrel2App>();
        doc = std::make_unique<Lumbrel2Doc>();
        view = std::make_unique<Lumbrel2View>();
        doc->AddView(view.get());
        view->SetPixelsPerInch(96);
        view->OnInitialUpdate();
    }
    void TearDown() override {
        view.reset();
        doc.reset();
    }
    void Tool(UINT id) { ASSERT_TRUE(doc->OnCmdMsg(id)); }
    void Drag(CPoint from, CPoint to, Qt::KeyboardModifiers keys = kNone) {
        view->OnLButtonDown(keys, from);
        view->OnMouseMove(keys, CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
        view->OnMouseMove(keys, to);
        view->OnLButtonUp(keys, to);
    }
    void Click(CPoint at, Qt::KeyboardModifiers keys = kNone) { Drag(at, at, keys); }
    // Moves in steps of a few pixels, so that no move counts as fast.
    void SlowMoves(CPoint from, CPoint to) {
        const int steps = 20;
        for (int i = 1; i <= steps; ++i)
            view->OnMouseMove(kNone, CPoint(from.x + (to.x - from.x) * i / steps,
                                            from.y + (to.y - from.y) * i / steps));
    }
    static void ExpectSame(QvPoint a, QvPoint b) {
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
    }

    TempProfile profile;
    std::unique_ptr<Lumbrel2App> app;
    std::unique_ptr<Lumbrel2Doc> doc;
    std::unique_ptr<Lumbrel2View> view;
};

TEST_F(MouseTest, FiguresAreMadeByTheirGestures) {
    struct Gesture {
        CPoint from, to;
    };
    struct Case {
        UINT tool;
        std::vector<Gesture> gestures;
        int figures;
        const char* what;
    };
    const Case cases[] = {
        {ID_DRAW_LINE, {{{1000, 1000}, {5000, 1000}}}, 1, "line by press-drag-release"},
        {ID_DRAW_LINE, {{{1000, 1000}, {1000, 1000}}}, 0, "a click leaves no line"},
        {ID_DRAW_LINE, {{{1000, 1000}, {1050, 1050}}}, 0, "under 1 mm is a click"},
        {ID_DRAW_CIRCLE_CR, {{{8000, 8000}, {9000, 8000}}}, 1, "centre and point"},
        {ID_DRAW_CIRCLE_D, {{{8000, 8000}, {9000, 8000}}}, 1, "diameter"},
        {ID_DRAW_CIRCLE_4C, {{{8000, 8000}, {9000, 9000}}}, 1, "square"},
        {ID_DRAW_CIRCLE_3P,
         {{{8000, 8000}, {10000, 8000}}, {{9000, 9000}, {9000, 9000}}},
         1,
         "three points"},
        // The third click on the first point closes the circle, it does not
        // throw it away.
        {ID_DRAW_CIRCLE_3P,
         {{{8000, 8000}, {10000, 8000}}, {{8030, 8060}, {8030, 8060}}},
         1,
         "three points, closed near the first"},
        {ID_DRAW_CIRCLE_3P, {{{8000, 8000}, {10000, 8000}}}, 0, "two of three clicks"},
        {ID_DRAW_BEZIER,
         {{{1000, 1000}, {5000, 1000}}, {{2000, 3000}, {2000, 3000}}, {{4000, 3000}, {4000, 3000}}},
         1,
         "Bezier curve"},
        {ID_DRAW_TRIANGLE,
         {{{1000, 1000}, {5000, 1000}}, {{2000, 3000}, {2000, 3000}}},
         1,
         "triangle"},
        {ID_DRAW_SMOOTH_LINE, {{{1000, 1000}, {5000, 1000}}}, 1, "smooth line by a trace"},
        {ID_DRAW_SMOOTH_LINE, {{{1000, 1000}, {1050, 1000}}}, 0, "a click leaves no smooth line"},
        {ID_DRAW_RECTANGLE, {{{8000, 8000}, {9000, 9500}}}, 1, "rectangle"},
        {ID_DRAW_RECTANGLE, {{{8000, 8000}, {8000, 8000}}}, 0, "a click leaves no rectangle"},
        {ID_DRAW_ROUND_RECT, {{{8000, 8000}, {9000, 9500}}}, 1, "rounded rectangle"},
        {ID_DRAW_ROUND_RECT, {{{8000, 8000}, {8000, 8000}}}, 0, "a click leaves none"},
        {ID_DRAW_POINT, {{{8000, 8000}, {8000, 8000}}}, 1, "point by a click"},
        {ID_DRAW_POINT, {{{8000, 8000}, {9000, 8000}}}, 1, "point at the press"},
        {ID_DRAW_POLYGON,
         {{{8000, 8000}, {10000, 8000}}, {{9000, 9000}, {9000, 9000}}},
         0,
         "a polygon is still open after its clicks"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc->DeleteContents();
        Tool(c.tool);
        for (const Gesture& g : c.gestures)
            Drag(g.from, g.to);
        EXPECT_EQ(doc->GetFigureCount(), c.figures);
        if (c.figures) {
            EXPECT_EQ(view->GetState(), Lumbrel2View::StateIdle);
            EXPECT_EQ(view->GetNewFigure(), nullptr);
            EXPECT_EQ(doc->GetFigure(0)->GetToolId(), int(c.tool));
            EXPECT_EQ(doc->UndoManager().GetLevel(), 1);
        }
        // Whatever was left unfinished goes with the next tool.
        Tool(ID_DRAW_SELECT);
        Click(CPoint(20000, 20000));
        EXPECT_EQ(view->GetNewFigure(), nullptr);
    }
}

TEST_F(MouseTest, LineEndsWhereThePointerWent) {
    Tool(ID_DRAW_LINE);
    Drag(CPoint(1000, 1000), CPoint(5000, 3000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    QvFigure* line = doc->GetFigure(0);
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 1000));
    EXPECT_EQ(line->DefiningPoints()[1], QvPoint(5000, 3000));
    // Grid snapping moves the ends onto grid points; Ctrl keeps them raw.
    TheSettings().m_MADLevel.SetValue(1);
    Drag(CPoint(1010, 6020), CPoint(5040, 5990));
    EXPECT_EQ(doc->GetFigure(1)->DefiningPoints()[0], QvPoint(1000, 6000));
    EXPECT_EQ(doc->GetFigure(1)->DefiningPoints()[1], QvPoint(5000, 6000));
    Drag(CPoint(1010, 8020), CPoint(5040, 7990), Qt::ControlModifier);
    EXPECT_EQ(doc->GetFigure(2)->DefiningPoints()[1], QvPoint(5040, 7990));
}

TEST_F(MouseTest, SelectingWithTheMouse) {
    QvFigure* line = MakeLine(QvPoint(1000, 1000), QvPoint(5000, 1000));
    QvFigure* circle = MakeCircle(QvPoint(10000, 10000), 1000);
    doc->AddFigure(line);
    doc->AddFigure(circle);
    Tool(ID_DRAW_SELECT);

    Click(CPoint(3000, 1000));
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{line}));
    // Ctrl: a press outside the selection neither selects nor creates; the
    // release toggles what is under the pointer.
    view->OnLButtonDown(Qt::ControlModifier, CPoint(11000, 10000));
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{line}));
    EXPECT_EQ(view->GetNewFigure(), nullptr);
    view->OnLButtonUp(Qt::ControlModifier, CPoint(11000, 10000));
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{line, circle}));
    Click(CPoint(11000, 10000), Qt::ControlModifier);
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{line}));
    // With a drawing tool too, Ctrl on empty paper makes nothing.
    Tool(ID_DRAW_LINE);
    doc->AddToSelection(line);
    Drag(CPoint(20000, 20000), CPoint(25000, 20000), Qt::ControlModifier);
    EXPECT_EQ(doc->GetFigureCount(), 2);
    Tool(ID_DRAW_SELECT);

    // A rubber band selects what lies inside it.
    Drag(CPoint(500, 500), CPoint(6000, 1500));
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{line}));
    Drag(CPoint(500, 500), CPoint(12000, 12000));
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{line, circle}));
    EXPECT_EQ(view->GetNewFigure(), nullptr);
    EXPECT_EQ(doc->GetFigureCount(), 2);
    // A click on empty paper selects nothing.
    Click(CPoint(20000, 20000));
    EXPECT_EQ(doc->GetSelectedCount(), 0);
}

// The grid pulls a press near the page's edge onto the edge itself; a band
// started there, or at any edge, still selects what it encloses.
TEST_F(MouseTest, ARubberBandMayStartAtThePagesEdges) {
    TheSettings().m_MADLevel.SetValue(1); // grid points, 5 mm apart
    const int top = Lumbrel2View::PageSize;
    QvFigure* line = MakeLine(QvPoint(3000, 28000), QvPoint(5000, 28000));
    doc->AddFigure(line);
    Tool(ID_DRAW_SELECT);
    struct Case {
        const char* edge;
        CPoint from, to;
    };
    const Case cases[] = {
        {"top", CPoint(2100, top - 100), CPoint(6100, 26100)},
        {"right", CPoint(top - 100, 26100), CPoint(2100, top - 600)},
        {"top right", CPoint(top - 100, top - 100), CPoint(2100, 26100)},
    };
    for (const Case& c : cases) {
        doc->ClearSelection();
        Drag(c.from, c.to);
        EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{line})) << c.edge;
        EXPECT_EQ(view->GetState(), Lumbrel2View::StateIdle) << c.edge;
    }
}

TEST_F(MouseTest, ShiftClicksStepDownThroughStackedFigures) {
    QvFigure* bottom = MakeCircle(QvPoint(15000, 15000), 2000);
    QvFigure* middle = MakeCircle(QvPoint(15000, 15000), 2000);
    QvFigure* top = MakeCircle(QvPoint(15000, 15000), 2000);
    for (QvFigure* f : {bottom, middle, top})
        doc->AddFigure(f);
    Tool(ID_DRAW_SELECT);
    const CPoint at(15000, 17000);
    Click(at);
    EXPECT_EQ(doc->GetFirstSelected(), top);
    for (QvFigure* expected : {middle, bottom, bottom}) {
        Click(at, Qt::ShiftModifier);
        ASSERT_EQ(doc->GetSelectedCount(), 1);
        EXPECT_EQ(doc->GetFirstSelected(), expected);
    }
}

TEST_F(MouseTest, DragsAreOneUndoLevel) {
    QvFigure* line = MakeLine(QvPoint(1000, 1000), QvPoint(5000, 1000));
    QvFigure* circle = MakeCircle(QvPoint(10000, 10000), 1000);
    doc->AddFigure(line);
    doc->AddFigure(circle);
    Tool(ID_DRAW_SELECT);
    doc->SelectAll();

    // The whole selection moves with the pointer, as one undo level.
    Drag(CPoint(3000, 1000), CPoint(5000, 2000));
    EXPECT_EQ(view->GetState(), Lumbrel2View::StateIdle);
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(3000, 2000));
    EXPECT_EQ(circle->DefiningPoints()[0], QvPoint(12000, 11000));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 1);
    doc->OnEditUndo();
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 1000));
    EXPECT_EQ(circle->DefiningPoints()[0], QvPoint(10000, 10000));

    // A drag shorter than 1 mm puts the figures back and records nothing.
    doc->SelectAll();
    Drag(CPoint(3000, 1000), CPoint(3050, 1000));
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 1000));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);

    // A grip drag reshapes the one selected figure.
    Click(CPoint(20000, 20000));
    Click(CPoint(3000, 1000));
    ASSERT_EQ(doc->Selection(), (std::vector<QvFigure*>{line}));
    Drag(CPoint(5100, 1050), CPoint(8000, 4000));
    EXPECT_EQ(line->DefiningPoints()[1], QvPoint(8000, 4000));
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 1000));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 1);
    doc->OnEditUndo();
    EXPECT_EQ(line->DefiningPoints()[1], QvPoint(5000, 1000));
}

TEST_F(MouseTest, StatusReadOutAndDescriptions) {
    // The snap search's winner labels the read-out: at level 0 that is the
    // pointer itself, "Point".
    view->OnMouseMove(kNone, CPoint(0, Lumbrel2View::PageSize));
    EXPECT_EQ(app->m_strStatusText, QStringLiteral("Point - (0.00,0.00)"));
    view->OnMouseMove(kNone, CPoint(1234, 20000));
    EXPECT_EQ(app->m_strStatusText, QStringLiteral("Point - (12.34,100.00)"));

    QvFigure* circle = MakeCircle(QvPoint(10000, 10000), 1000);
    doc->AddFigure(circle);
    Tool(ID_DRAW_SELECT);
    Click(CPoint(11000, 10000));
    ASSERT_EQ(doc->GetSelectedCount(), 1);
    view->OnMouseMove(kNone, CPoint(11000, 10000));
    EXPECT_EQ(app->m_strStatusText, circle->GetDescription());
    EXPECT_TRUE(app->m_strStatusText.startsWith(QStringLiteral("Circle - Centre (100.00,200.00)")));
}

TEST_F(MouseTest, CommandsOnTheMouseSelection) {
    QvFigure* a = MakeLine(QvPoint(1000, 1000), QvPoint(5000, 1000));
    QvFigure* b = MakeLine(QvPoint(1000, 3000), QvPoint(5000, 3000));
    doc->AddFigure(a);
    doc->AddFigure(b);
    Tool(ID_DRAW_SELECT);
    Drag(CPoint(500, 500), CPoint(6000, 4000));
    ASSERT_EQ(doc->GetSelectedCount(), 2);
    doc->OnCmdMsg(ID_EDIT_GROUP);
    ASSERT_EQ(doc->GetFigureCount(), 1);
    QvFigure* group = doc->GetFigure(0);
    // The group drags as one.
    Drag(CPoint(3000, 1000), CPoint(3000, 2000));
    EXPECT_EQ(doc->GetFigure(0), group);
    doc->OnCmdMsg(ID_EDIT_UNGROUP);
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{a, b}));
    EXPECT_NEAR(a->DefiningPoints()[0].y, 2000, 1e-6);
    EXPECT_NEAR(b->DefiningPoints()[1].y, 4000, 1e-6);

    Click(CPoint(20000, 20000));
    Click(CPoint(3000, 2000));
    ASSERT_EQ(doc->Selection(), (std::vector<QvFigure*>{a}));
    doc->OnCmdMsg(ID_BRING_TO_FRONT);
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{b, a}));
    doc->OnCmdMsg(ID_SEND_BACKWARD);
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{a, b}));
    view->OnCmdMsg(ID_EDIT_DELETE);
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{b}));
    doc->OnEditUndo();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{b, a}));
}

TEST_F(MouseTest, DoubleClickEndsWithTheSelectTool) {
    Tool(ID_DRAW_CIRCLE_3P);
    Drag(CPoint(8000, 8000), CPoint(10000, 8000));
    ASSERT_NE(view->GetNewFigure(), nullptr);
    view->OnLButtonDblClk(kNone, CPoint(9000, 9000));
    EXPECT_EQ(view->GetNewFigure(), nullptr);
    EXPECT_EQ(doc->GetFigureCount(), 0);
    EXPECT_EQ(app->m_nCurrentTool, ID_DRAW_SELECT);
    // A press off the page is ignored.
    view->OnLButtonDown(kNone, CPoint(-10, 5000));
    EXPECT_EQ(view->GetState(), Lumbrel2View::StateIdle);
}

TEST_F(MouseTest, ShiftDragMakesASquareRectangle) {
    Tool(ID_DRAW_RECTANGLE);
    Drag(CPoint(8000, 8000), CPoint(9000, 5000), Qt::ShiftModifier);
    ASSERT_EQ(doc->GetFigureCount(), 1);
    const QvPointArray& c = doc->GetFigure(0)->DefiningPoints();
    EXPECT_EQ(c[2], QvPoint(9000, 7000));
    EXPECT_EQ(c[1], QvPoint(9000, 8000));
    EXPECT_EQ(c[3], QvPoint(8000, 7000));
}

// Shift held with a grip drag reaches the rectangle: its sides keep their
// proportion, where a free drag changes it.
TEST_F(MouseTest, AShiftGripDragKeepsTheRectanglesProportion) {
    for (Qt::KeyboardModifiers keys : {kNone, Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        SCOPED_TRACE(keys == kNone ? "free" : "Shift");
        doc->DeleteContents();
        Tool(ID_DRAW_RECTANGLE);
        Drag(CPoint(8000, 8000), CPoint(12000, 6000));
        ASSERT_EQ(doc->GetFigureCount(), 1);
        QvFigure* r = doc->GetFigure(0);
        Tool(ID_DRAW_SELECT);
        Click(CPoint(10000, 8000));
        ASSERT_EQ(doc->Selection(), std::vector<QvFigure*>{r});
        Drag(CPoint(12000, 6000), CPoint(16000, 5500), keys);
        const QvPointArray& c = r->DefiningPoints();
        EXPECT_EQ(c[0], QvPoint(8000, 8000));
        const double ratio = (c[1] - c[0]).Length() / (c[3] - c[0]).Length();
        if (keys == kNone)
            EXPECT_NEAR(ratio, 8000.0 / 2500.0, 1e-9);
        else
            EXPECT_NEAR(ratio, 2.0, 1e-9);
    }
}

// The keys come with the move, not from the keyboard: Shift leaves only the
// grid to snap to, Ctrl takes the pointer as it is.
TEST_F(MouseTest, TheKeysOfTheMoveChooseTheSnap) {
    TheSettings().m_MADLevel.SetValue(2);
    doc->Grid().SetSpacing(500);
    doc->Grid().SetIsometric(false);
    doc->AddFigure(MakeCircle(QvPoint(9000, 8100), 3100));
    struct Case {
        Qt::KeyboardModifiers keys;
        const char* status;
    };
    const Case cases[] = {
        {kNone, "Centre - (90.00,219.00)"},
        {Qt::ShiftModifier, "Grid Point - (90.00,220.00)"},
        {Qt::ControlModifier, "(90.40,218.70)"},
        {kNone, "Centre - (90.00,219.00)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        // The second move is a slow one, which may snap to figures.
        view->OnMouseMove(c.keys, CPoint(9040, 8130));
        view->OnMouseMove(c.keys, CPoint(9040, 8130));
        EXPECT_EQ(app->m_strStatusText, QString::fromLatin1(c.status));
    }
}

TEST_F(MouseTest, PolygonEndsByRightClickOrDoubleClick) {
    const std::vector<QvPoint> v = {QvPoint(8000, 8000), QvPoint(12000, 8000),
                                    QvPoint(12000, 11000), QvPoint(8000, 11000)};
    auto vertices = [](const QvFigure* f) {
        std::vector<QvPoint> out;
        for (int i = 0; i < f->GetPointCount(); ++i)
            out.push_back(f->DefiningPoints()[i]);
        return out;
    };
    auto at = [](QvPoint p) { return CPoint(int(p.x), int(p.y)); };
    // Press, drag and release make the first edge; each click adds a
    // vertex; a right-click on empty paper ends it without the point under
    // the pointer.
    Tool(ID_DRAW_POLYGON);
    Drag(at(v[0]), at(v[1]));
    Click(at(v[2]));
    Click(at(v[3]));
    view->OnMouseMove(kNone, CPoint(5000, 5000));
    ASSERT_EQ(doc->GetFigureCount(), 0);
    view->OnRButtonUp(kNone, CPoint(20000, 20000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    EXPECT_EQ(vertices(doc->GetFigure(0)), v);
    EXPECT_EQ(view->GetState(), Lumbrel2View::StateIdle);
    EXPECT_EQ(doc->UndoManager().GetLevel(), 1);

    // A double click's first click is the last vertex.
    doc->DeleteContents();
    Tool(ID_DRAW_POLYGON);
    Drag(at(v[0]), at(v[1]));
    Click(at(v[2]));
    Click(at(v[3]));
    view->OnLButtonDblClk(kNone, at(v[3]));
    view->OnLButtonUp(kNone, at(v[3]));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    EXPECT_EQ(vertices(doc->GetFigure(0)), v);
    EXPECT_EQ(app->m_nCurrentTool, ID_DRAW_SELECT);
}

// Escape drops a figure being made and puts back a selection or a grip
// being dragged, with no undo level; the button's release then does
// nothing more.
TEST_F(MouseTest, EscapeCancelsWhatTheMouseIsDoing) {
    auto escape = [&] { QTest::keyClick(view.get(), Qt::Key_Escape); };

    // A polygon after its first side and a third point.
    Tool(ID_DRAW_POLYGON);
    Drag(CPoint(8000, 8000), CPoint(12000, 8000));
    Click(CPoint(12000, 11000));
    ASSERT_NE(view->GetNewFigure(), nullptr);
    escape();
    EXPECT_EQ(view->GetNewFigure(), nullptr);
    EXPECT_EQ(view->GetState(), Lumbrel2View::StateIdle);
    // The next double click elsewhere makes no polygon.
    view->OnLButtonDown(kNone, CPoint(20000, 20000));
    view->OnLButtonUp(kNone, CPoint(20000, 20000));
    view->OnLButtonDblClk(kNone, CPoint(20000, 20000));
    view->OnLButtonUp(kNone, CPoint(20000, 20000));
    EXPECT_EQ(doc->GetFigureCount(), 0);
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);

    // A line with the button still held.
    Tool(ID_DRAW_LINE);
    view->OnLButtonDown(kNone, CPoint(1000, 1000));
    view->OnMouseMove(kNone, CPoint(3000, 2000));
    escape();
    view->OnMouseMove(kNone, CPoint(5000, 3000));
    view->OnLButtonUp(kNone, CPoint(5000, 3000));
    EXPECT_EQ(doc->GetFigureCount(), 0);
    EXPECT_EQ(view->GetNewFigure(), nullptr);
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);

    // A grip and then the whole selection, each dragged and let go.
    QvFigure* line = MakeLine(QvPoint(1000, 1000), QvPoint(5000, 1000));
    doc->AddFigure(line);
    Tool(ID_DRAW_SELECT);
    Click(CPoint(3000, 1000));
    ASSERT_EQ(doc->Selection(), (std::vector<QvFigure*>{line}));
    const int level = doc->UndoManager().GetLevel();
    struct Case {
        const char* what;
        CPoint press;
    };
    for (const Case& c :
         {Case{"grip", CPoint(5000, 1000)}, Case{"selection", CPoint(3000, 1000)}}) {
        view->OnLButtonDown(kNone, c.press);
        SlowMoves(c.press, CPoint(9000, 6000));
        ASSERT_NE(line->DefiningPoints()[1], QvPoint(5000, 1000)) << c.what;
        escape();
        EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 1000)) << c.what;
        EXPECT_EQ(line->DefiningPoints()[1], QvPoint(5000, 1000)) << c.what;
        EXPECT_EQ(view->GetState(), Lumbrel2View::StateIdle) << c.what;
        view->OnMouseMove(kNone, CPoint(9500, 6500));
        view->OnLButtonUp(kNone, CPoint(9500, 6500));
        EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 1000)) << c.what;
        EXPECT_EQ(line->DefiningPoints()[1], QvPoint(5000, 1000)) << c.what;
        EXPECT_EQ(doc->UndoManager().GetLevel(), level) << c.what;
        EXPECT_EQ(doc->GetFigureCount(), 1) << c.what;
    }
}

TEST_F(MouseTest, RightClickVertexEditsUndoAndRedo) {
    std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(ID_DRAW_POLYGON);
    QvFigure* polygon = made.get();
    const std::vector<QvPoint> v = {QvPoint(8000, 8000), QvPoint(12000, 8000),
                                    QvPoint(13000, 10000), QvPoint(10000, 12000),
                                    QvPoint(7000, 10000)};
    for (const QvPoint& p : v) {
        polygon->TrackCreatePoint(p, {});
        polygon->CreateClick();
    }
    polygon->SetClickCount(polygon->GetClickCount() - 1);
    polygon->SetPointCount(polygon->GetPointCount() - 1);
    doc->AddFigure(made.release());
    Tool(ID_DRAW_SELECT);

    view->OnRButtonUp(kNone, CPoint(13100, 10100)); // on vertex 2
    ASSERT_EQ(polygon->GetPointCount(), 4);
    EXPECT_EQ(polygon->DefiningPoints()[2], v[3]);
    EXPECT_FALSE(polygon->HitTest(v[2], 1));
    doc->OnEditUndo();
    ASSERT_EQ(polygon->GetPointCount(), 5);
    EXPECT_EQ(polygon->DefiningPoints()[2], v[2]);
    EXPECT_TRUE(polygon->HitTest(v[2], 1));
    doc->OnEditRedo();
    EXPECT_EQ(polygon->GetPointCount(), 4);
    // A right-click on a figure without vertex editing records nothing, so
    // the next undo is the vertex edit again.
    QvFigure* line = MakeLine(QvPoint(1000, 1000), QvPoint(5000, 1000));
    doc->AddFigure(line);
    const int levels = doc->UndoManager().GetLevel();
    MessageRecorder recorder;
    view->OnRButtonUp(kNone, CPoint(3000, 1000));
    EXPECT_EQ(doc->UndoManager().GetLevel(), levels);
}

// A grip drag that would put a three-point circle's points in a line stops
// where the circle was last valid; undo and redo then find the figure
// alive (run under AddressSanitizer: nothing freed is read).
TEST_F(MouseTest, AGripStopsWhereTheFigureWouldBecomeInvalid) {
    Tool(ID_DRAW_CIRCLE_3P);
    Drag(CPoint(8000, 8000), CPoint(10000, 8000));
    Click(CPoint(9000, 9000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    QvFigure* circle = doc->GetFigure(0);
    Tool(ID_DRAW_SELECT);
    Click(CPoint(9000, 7000)); // the circle's lowest point
    ASSERT_EQ(doc->Selection(), std::vector<QvFigure*>{circle});

    // Through (9000, 8500), still a circle, on to (9000, 8000): a line.
    Drag(CPoint(9000, 9000), CPoint(9000, 8000));
    ASSERT_EQ(doc->Figures(), std::vector<QvFigure*>{circle});
    EXPECT_TRUE(circle->IsValid());
    EXPECT_EQ(circle->DefiningPoints()[2], QvPoint(9000, 8500));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 2);
    doc->OnEditUndo();
    EXPECT_EQ(circle->DefiningPoints()[2], QvPoint(9000, 9000));
    doc->OnEditRedo();
    EXPECT_EQ(circle->DefiningPoints()[2], QvPoint(9000, 8500));
    doc->OnEditUndo();
    doc->OnEditUndo();
    EXPECT_EQ(doc->GetFigureCount(), 0);
    doc->OnEditRedo();
    EXPECT_EQ(doc->Figures(), std::vector<QvFigure*>{circle});
}

// The release snaps as the last move did: with the figure under creation
// or being dragged left out of the search.
TEST_F(MouseTest, TheReleaseSnapsAsTheLastMoveDid) {
    TheSettings().m_MADLevel.SetValue(2);
    doc->Grid().SetSpacing(500);
    QvFigure* first = MakeLine(QvPoint(1000, 1000), QvPoint(9000, 5000));
    doc->AddFigure(first);
    Tool(ID_DRAW_LINE);
    // From a grid point to the foot of the perpendicular on the first line.
    const QvPoint foot = QvGRLine(QvPoint(1000, 1000), QvPoint(9000, 5000))
                             .PerpendicularThrough(QvPoint(3000, 6000))
                             .NearestPoint(QvPoint(3610, 4800));
    view->OnLButtonDown(kNone, CPoint(3000, 6000));
    SlowMoves(CPoint(3000, 6000), CPoint(3610, 4800));
    ASSERT_NE(view->GetNewFigure(), nullptr);
    const QvPoint shown = view->GetNewFigure()->DefiningPoints()[1];
    EXPECT_NEAR(shown.x, foot.x, 1e-6);
    EXPECT_NEAR(shown.y, foot.y, 1e-6);
    EXPECT_TRUE(app->m_strStatusText.startsWith(QStringLiteral("Perpendicular to line")));
    view->OnLButtonUp(kNone, CPoint(3610, 4800));
    ASSERT_EQ(doc->GetFigureCount(), 2);
    ExpectSame(doc->GetFigure(1)->DefiningPoints()[1], shown);
    // And so it is saved.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        doc->Serialize(ar);
    }
    Lumbrel2Doc reread;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(&buffer, CArchive::load);
        reread.Serialize(ar);
    }
    ASSERT_EQ(reread.GetFigureCount(), 2);
    ExpectSame(reread.GetFigure(1)->DefiningPoints()[1], shown);

    // A dragged line ends where the last move put it, not on its own
    // points as they were before the drag.
    Tool(ID_DRAW_SELECT);
    Click(CPoint(5000, 3000));
    ASSERT_EQ(doc->Selection(), std::vector<QvFigure*>{first});
    view->OnLButtonDown(kNone, CPoint(5000, 3000));
    SlowMoves(CPoint(5000, 3000), CPoint(5640, 3210));
    const QvPoint dragged = first->DefiningPoints()[0];
    view->OnLButtonUp(kNone, CPoint(5640, 3210));
    ExpectSame(first->DefiningPoints()[0], dragged);
}

// A click on a figure whose pointer moved a pixel on the way leaves the
// figure's crossings to snap to, as before the click.
TEST_F(MouseTest, CrossingsStillSnapAfterAClickThatMovedAPixel) {
    TheSettings().m_MADLevel.SetValue(2);
    doc->Grid().SetSpacing(500);
    QvFigure* a = MakeLine(QvPoint(1000, 1000), QvPoint(9000, 5000));
    QvFigure* b = MakeLine(QvPoint(2000, 6000), QvPoint(6000, 0));
    doc->AddFigure(a);
    doc->AddFigure(b);
    Tool(ID_DRAW_SELECT);
    // The pointer beside the crossing snaps to it: both lines light up.
    auto snapsToTheCrossing = [&] {
        SlowMoves(CPoint(4000, 2400), CPoint(4250, 2525));
        return doc->SnapFigure1() == a && doc->SnapFigure2() == b;
    };
    ASSERT_TRUE(snapsToTheCrossing());
    view->OnLButtonDown(kNone, CPoint(7000, 4000));
    view->OnMouseMove(kNone, CPoint(7026, 4000));
    view->OnLButtonUp(kNone, CPoint(7026, 4000));
    ASSERT_EQ(doc->Selection(), std::vector<QvFigure*>{a});
    EXPECT_TRUE(snapsToTheCrossing());
}

// A right click on a figure that has no dialog yet changes nothing, so it
// records nothing and Redo stays.
TEST_F(MouseTest, ARightClickThatChangesNothingKeepsRedo) {
    QvFigure* line = MakeLine(QvPoint(1000, 1000), QvPoint(5000, 1000));
    doc->AddFigure(line);
    Tool(ID_DRAW_SELECT);
    Click(CPoint(3000, 1000));
    Drag(CPoint(3000, 1000), CPoint(3000, 3000));
    doc->OnEditUndo();
    ASSERT_EQ(doc->UndoManager().CanRedo(), 1);
    MessageRecorder beeps;
    view->OnRButtonUp(kNone, CPoint(3000, 1000));
    EXPECT_EQ(doc->GetSelectedCount(), 1);
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);
    EXPECT_EQ(doc->UndoManager().CanRedo(), 1);
    doc->OnEditRedo();
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 3000));
}

// The first move after a press already describes the figure as it now is.
TEST_F(MouseTest, TheStatusTextFollowsTheFigureUnderCreation) {
    Tool(ID_DRAW_CIRCLE_CR);
    view->OnLButtonDown(kNone, CPoint(10000, 10000));
    view->OnMouseMove(kNone, CPoint(11000, 10000));
    ASSERT_NE(view->GetNewFigure(), nullptr);
    EXPECT_EQ(app->m_strStatusText, view->GetNewFigure()->GetDescription());
    EXPECT_TRUE(app->m_strStatusText.endsWith(QStringLiteral("Radius 10.00")));
    view->OnMouseMove(kNone, CPoint(12000, 10000));
    EXPECT_TRUE(app->m_strStatusText.endsWith(QStringLiteral("Radius 20.00")));
}

} // namespace

// A properties dialog's OK through a right-click is one undo level;
// Cancel records none.
TEST_F(MouseTest, ARightClickDialogEditIsOneUndoLevel) {
    std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigPoint::ToolId);
    auto* point = static_cast<QvFigPoint*>(made.get());
    point->TrackCreatePoint(QvPoint(3000, 3000), {});
    point->CreateClick();
    doc->AddFigure(made.release());
    Tool(ID_DRAW_SELECT);
    const LONG mark = point->PointData()->m_markType;
    const int levels = doc->UndoManager().GetLevel();

    bool ok = false;
    QvFigPoint::PropertiesDialog::Scope dialog([&](LONG& m) {
        m = mark == 1 ? 2 : 1;
        return ok;
    });
    view->OnRButtonUp(kNone, CPoint(3000, 3000));
    EXPECT_EQ(point->PointData()->m_markType, mark);
    EXPECT_EQ(doc->UndoManager().GetLevel(), levels);

    ok = true;
    view->OnRButtonUp(kNone, CPoint(3000, 3000));
    EXPECT_NE(point->PointData()->m_markType, mark);
    EXPECT_EQ(doc->UndoManager().GetLevel(), levels + 1);
    doc->OnEditUndo();
    EXPECT_EQ(point->PointData()->m_markType, mark);
}
