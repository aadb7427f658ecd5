// Selecting, the edits on the selection, the tool and format commands and
// the background grid's dots.
#include "common/test_support.h"
#include "document/undo_manager.h"
#include "document_test_support.h"
#include "figures/fig_group.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>
#include <optional>

namespace {

class EditingTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        TheSettings().m_MADLevel.SetValue(0);
        doc = std::make_unique<Lumbrel2Doc>();
    }
    QvFigure* Add(QvFigure* f) {
        doc->AddFigure(f);
        return f;
    }
    void Select(std::initializer_list<QvFigure*> figures) {
        doc->ClearSelection();
        for (QvFigure* f : figures)
            doc->AddToSelection(f);
        doc->EndSelectionChange(nullptr);
    }
    static void ExpectNear(QvPoint a, QvPoint b, double tol = 1e-6) {
        EXPECT_NEAR(a.x, b.x, tol);
        EXPECT_NEAR(a.y, b.y, tol);
    }

    TempProfile profile;
    std::unique_ptr<Lumbrel2Doc> doc;
};

TEST_F(EditingTest, RepeatedClicksStepDownThroughStackedFigures) {
    QvFigure* bottom = Add(MakeCircle(QvPoint(10000, 10000), 2000));
    QvFigure* middle = Add(MakeCircle(QvPoint(10000, 10000), 2000));
    QvFigure* top = Add(MakeCircle(QvPoint(10000, 10000), 2000));
    const QvFigure* expected[] = {top, middle, bottom, bottom};
    for (const QvFigure* f : expected) {
        doc->SelectAtPoint(12000, 10000);
        ASSERT_EQ(doc->GetSelectedCount(), 1);
        EXPECT_EQ(doc->GetFirstSelected(), f);
    }
    // One unit away starts again at the top.
    doc->SelectAtPoint(12001, 10000);
    EXPECT_EQ(doc->GetFirstSelected(), top);
    // Nothing there: nothing selected.
    doc->SelectAtPoint(20000, 20000);
    EXPECT_EQ(doc->GetSelectedCount(), 0);
}

TEST_F(EditingTest, ToggleRubberBandAndSelectAll) {
    QvFigure* a = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    QvFigure* b = Add(MakeLine(QvPoint(5000, 5000), QvPoint(7000, 5000)));
    doc->ToggleSelectionAtPoint(2000, 1000);
    doc->ToggleSelectionAtPoint(6000, 5000);
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{a, b}));
    doc->ToggleSelectionAtPoint(2000, 1050);
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{b}));

    struct Band {
        CRect rect;
        size_t count;
    };
    const Band bands[] = {
        {CRect(900, 900, 3100, 1100), 1},  // around the first line
        {CRect(1040, 960, 2962, 1040), 1}, // just inside, with the 40 units of slack
        {CRect(1040, 960, 2961, 1040), 0}, // a corner on the right edge is outside
        {CRect(1041, 960, 2962, 1040), 0}, // the start one unit outside
        {CRect(0, 0, 10000, 10000), 2},
    };
    for (const Band& band : bands) {
        doc->SelectInRect(band.rect);
        EXPECT_EQ(size_t(doc->GetSelectedCount()), band.count)
            << band.rect.left << "," << band.rect.top << "," << band.rect.right;
    }
    doc->ClearSelection();
    doc->OnEditSelectAll();
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{a, b}));
}

TEST_F(EditingTest, DeletedFiguresComeBackOnTop) {
    QvFigure* a = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    QvFigure* b = Add(MakeLine(QvPoint(1000, 2000), QvPoint(3000, 2000)));
    QvFigure* c = Add(MakeLine(QvPoint(1000, 3000), QvPoint(3000, 3000)));
    Select({a, b});
    doc->DeleteSelection();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{c}));
    doc->OnEditUndo();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{c, a, b}));
    doc->OnEditRedo();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{c}));
}

TEST_F(EditingTest, MovesAndGripDragsAreOneUndoLevelEach) {
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    Select({line});
    doc->OffsetSelection(QvVector(500, 0));
    doc->OffsetSelection(QvVector(500, 200));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0); // the drag records nothing
    doc->RecordMove();
    // The moved line is hit where it now is.
    EXPECT_TRUE(line->HitTest(QvPoint(3000, 1200), 1.0));

    Select({line});
    doc->MoveHandleOfSelected(1, QvPoint(6000, 6000), CPoint(6000, 6000), {});
    doc->RecordResize();
    ExpectNear(line->DefiningPoints()[1], QvPoint(6000, 6000));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 2);

    doc->OnEditUndo();
    ExpectNear(line->DefiningPoints()[1], QvPoint(4000, 1200));
    doc->OnEditUndo();
    ExpectNear(line->DefiningPoints()[0], QvPoint(1000, 1000));
    ExpectNear(line->DefiningPoints()[1], QvPoint(3000, 1000));
    EXPECT_TRUE(line->HitTest(QvPoint(2000, 1000), 1.0));
    doc->OnEditRedo();
    ExpectNear(line->DefiningPoints()[0], QvPoint(2000, 1200));
}

TEST_F(EditingTest, RotatingFourTimesEachWayComesBack) {
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    QvFigure* circle = Add(MakeCircle(QvPoint(5000, 3000), 1000));
    Select({line, circle});
    const QvPoint centre = doc->GetRotationCentre();
    doc->OnRotate15CounterClockwise();
    // The line turned about the selection's centre by 15 degrees.
    QvVector v = line->DefiningPoints()[1] - line->DefiningPoints()[0];
    EXPECT_NEAR(std::atan2(v.y, v.x) * 180.0 / M_PI, 15.0, 1e-6);
    for (int i = 0; i < 3; ++i)
        doc->OnRotate15CounterClockwise();
    for (int i = 0; i < 4; ++i)
        doc->OnRotate15Clockwise();
    ExpectNear(line->DefiningPoints()[0], QvPoint(1000, 1000), 1e-6);
    ExpectNear(line->DefiningPoints()[1], QvPoint(3000, 1000), 1e-6);
    ExpectNear(circle->DefiningPoints()[0], QvPoint(5000, 3000), 1e-6);
    ExpectNear(doc->GetRotationCentre(), centre);
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);
}

TEST_F(EditingTest, ReflectionIsUndoable) {
    QvFigure* line = Add(MakeLine(QvPoint(1000, 2000), QvPoint(3000, 2000)));
    Select({line});
    QvGRLine mirror(QvPoint(0, 0), QvPoint(1, 1)); // y = x
    doc->ReflectSelection(mirror);
    doc->RecordReflect();
    ExpectNear(line->DefiningPoints()[0], QvPoint(2000, 1000));
    EXPECT_TRUE(line->HitTest(QvPoint(2000, 2000), 1.0));
    doc->OnEditUndo();
    ExpectNear(line->DefiningPoints()[0], QvPoint(1000, 2000));

    // A single point mirrored in a line of no length stays a number.
    auto* dot = static_cast<DotFigure*>(Add(new DotFigure(QvPoint(500, 700))));
    Select({dot});
    QvGRLine none(QvPoint(500, 700), QvPoint(500, 700));
    doc->ReflectSelection(none);
    ExpectNear(dot->DefiningPoints()[0], QvPoint(500, 700));
}

TEST_F(EditingTest, ReflectCommandsMirrorTheSelectionThroughItsCentre) {
    // The line's bounds are grown alike on every side: the centre is
    // (2000, 2300).
    struct Case {
        UINT id;
        QvPoint a, b;
    };
    const Case cases[] = {
        {ID_EDIT_REFLECT_HORIZONTAL, QvPoint(1000, 2600), QvPoint(3000, 2000)},
        {ID_EDIT_REFLECT_VERTICAL, QvPoint(3000, 2000), QvPoint(1000, 2600)},
        {ID_EDIT_REFLECT_Y_EQUALS_X, QvPoint(1700, 1300), QvPoint(2300, 3300)},
        {ID_EDIT_REFLECT_Y_EQUALS_MINUS_X, QvPoint(2300, 3300), QvPoint(1700, 1300)},
    };
    QvFigure* line = Add(MakeLine(QvPoint(1000, 2000), QvPoint(3000, 2600)));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Select({});
        CCmdUI ui(c.id);
        ASSERT_TRUE(doc->OnUpdateCmdMsg(ui));
        EXPECT_FALSE(ui.m_bEnabled);
        Select({line});
        ASSERT_TRUE(doc->OnUpdateCmdMsg(ui));
        EXPECT_TRUE(ui.m_bEnabled);
        ASSERT_TRUE(doc->OnCmdMsg(c.id));
        ExpectNear(line->DefiningPoints()[0], c.a);
        ExpectNear(line->DefiningPoints()[1], c.b);
        EXPECT_EQ(doc->UndoManager().GetLevel(), 1);
        doc->OnEditUndo();
        EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 2000));
        EXPECT_EQ(doc->UndoManager().GetLevel(), 0);
    }
    // A selection of no size still has a mirror: the point stays put.
    auto* dot = static_cast<DotFigure*>(Add(new DotFigure(QvPoint(500, 700))));
    Select({dot});
    ASSERT_TRUE(doc->OnCmdMsg(ID_EDIT_REFLECT_Y_EQUALS_X));
    ExpectNear(dot->DefiningPoints()[0], QvPoint(500, 700));
}

TEST_F(EditingTest, GroupKeepsMembersInPlaceAndUngroupGivesThemBack) {
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 2000)));
    QvFigure* circle = Add(MakeCircle(QvPoint(6000, 4000), 1000));
    Select({line, circle});
    doc->ApplyLineStyle(ID_LINE_SOLID3);
    ASSERT_EQ(doc->UndoManager().CanUndo(), 1);
    doc->OnEditGroup();
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* group = dynamic_cast<QvFigGroup*>(doc->GetFigure(0));
    ASSERT_TRUE(group);
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{group}));
    EXPECT_EQ(group->Members(), (std::vector<QvFigure*>{line, circle}));
    EXPECT_EQ(line->GetGroupNesting(), 1);
    EXPECT_EQ(group->GetDescription(), QStringLiteral("Group - 2 figures"));
    // Still hit where they were drawn.
    EXPECT_TRUE(doc->IsOnSelection(7000, 4000));
    EXPECT_TRUE(doc->IsOnSelection(2000, 1500));
    {
        MessageRecorder beeps;
        doc->OnEditUndo(); // the history went with the grouping
        EXPECT_EQ(doc->GetFigureCount(), 1);
    }

    // The group moves as one.
    doc->OffsetSelection(QvVector(100, 100));
    doc->OnEditUngroup();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{line, circle}));
    EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{line, circle}));
    EXPECT_EQ(line->GetGroupNesting(), 0);
    ExpectNear(line->DefiningPoints()[0], QvPoint(1100, 1100), 1e-6);
    ExpectNear(line->DefiningPoints()[1], QvPoint(3100, 2100), 1e-6);
    ExpectNear(circle->DefiningPoints()[0], QvPoint(6100, 4100), 1e-6);
    EXPECT_EQ(doc->UndoManager().CanUndo(), 0);
}

TEST_F(EditingTest, GroupingWithoutWidthOrHeightStaysFinite) {
    QvFigure* a = Add(new DotFigure(QvPoint(500, 700)));
    QvFigure* b = Add(new DotFigure(QvPoint(500, 700)));
    Select({a, b});
    doc->GroupSelection();
    ASSERT_EQ(doc->GetFigureCount(), 1);
    for (QvFigure* f : {a, b}) {
        EXPECT_TRUE(std::isfinite(f->DefiningPoints()[0].x));
        EXPECT_TRUE(std::isfinite(f->DefiningPoints()[0].y));
        ExpectNear(f->DisplayPoints()[0], QvPoint(500, 700));
    }
    doc->UngroupSelection();
    ExpectNear(a->DefiningPoints()[0], QvPoint(500, 700));
    ExpectNear(b->DefiningPoints()[0], QvPoint(500, 700));
}

TEST_F(EditingTest, OnlyGroupsAreUngrouped) {
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 2000)));
    Select({line});
    doc->UngroupSelection();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{line}));
    CCmdUI ui(ID_EDIT_GROUP);
    doc->OnUpdateEditGroup(&ui);
    EXPECT_FALSE(ui.m_bEnabled);
    doc->OnUpdateEditUngroup(&ui);
    EXPECT_TRUE(ui.m_bEnabled);
}

// A stretch turns the group's circle into an ellipse; undo puts the circle
// back bit for bit and redo the stretch as it was made, and a Shift stretch
// undone turns nothing into anything.
TEST_F(EditingTest, GroupStretchUndoesToTheSameMembers) {
    auto bytes = [](const QvFigure* f) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        ar.WriteObject(f);
        return out;
    };
    QvFigure* circle = Add(MakeCircle(QvPoint(4000, 4000), 1000));
    QvFigure* line = Add(MakeLine(QvPoint(2000, 2000), QvPoint(9000, 7000)));
    Select({circle, line});
    doc->GroupSelection();
    auto* group = dynamic_cast<QvFigGroup*>(doc->GetFirstSelected());
    ASSERT_TRUE(group);
    const QByteArray start = bytes(group);
    auto memberKind = [&] { return group->Members()[0]->GetRuntimeClass(); };
    const CRuntimeClass* circleKind = memberKind();

    for (bool shift : {false, true}) {
        SCOPED_TRACE(shift ? "Shift" : "free");
        Select({group});
        const QvPoint to = group->DefiningPoints()[2] + QvVector(3000, 1000);
        const QvKeys keys{.shift = shift};
        doc->MoveHandleOfSelected(2, to, CPoint(int(to.x) + 50, int(to.y)), keys);
        doc->MoveHandleOfSelected(2, to, CPoint(int(to.x) + 50, int(to.y)), keys);
        doc->RecordResize();
        EXPECT_EQ(memberKind() == circleKind, shift);
        const QByteArray stretched = bytes(group);
        doc->OnEditUndo();
        EXPECT_EQ(memberKind(), circleKind);
        EXPECT_EQ(bytes(group), start);
        doc->OnEditRedo();
        EXPECT_EQ(bytes(group), stretched);
        doc->OnEditUndo();
        EXPECT_EQ(bytes(group), start);
    }
}

TEST_F(EditingTest, StackingOrderCommands) {
    QvFigure* a = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    QvFigure* b = Add(MakeLine(QvPoint(1000, 2000), QvPoint(3000, 2000)));
    QvFigure* c = Add(MakeLine(QvPoint(1000, 3000), QvPoint(3000, 3000)));
    using Order = std::vector<QvFigure*>;
    struct Case {
        void (Lumbrel2Doc::*command)();
        QvFigure* selected;
        Order expected;
    };
    const Case cases[] = {
        {&Lumbrel2Doc::OnBringForward, c, {a, b, c}}, // already on top
        {&Lumbrel2Doc::OnBringForward, a, {b, a, c}}, {&Lumbrel2Doc::OnSendBackward, a, {a, b, c}},
        {&Lumbrel2Doc::OnSendBackward, a, {a, b, c}}, // already at the bottom
        {&Lumbrel2Doc::OnBringToFront, a, {b, c, a}}, {&Lumbrel2Doc::OnSendToBack, c, {c, b, a}},
    };
    for (const Case& k : cases) {
        Select({k.selected});
        (doc.get()->*k.command)();
        EXPECT_EQ(doc->Figures(), k.expected);
    }
}

// ------------------------------------------------------- tools and formats

class RecordingDoc : public Lumbrel2Doc {
public:
    bool ChooseColour(COLORREF& colour) override {
        ++asked;
        if (!answer)
            return false;
        colour = *answer;
        return true;
    }
    std::optional<COLORREF> answer;
    int asked = 0;
};

class FormatTest : public EditingTest {
protected:
    void SetUp() override {
        // The stored settings, as at start-up, from the fresh profile.
        TheSettings().Load();
        EditingTest::SetUp();
        app = std::make_unique<Lumbrel2App>();
        doc = std::make_unique<RecordingDoc>();
    }
    RecordingDoc& Doc() { return static_cast<RecordingDoc&>(*doc); }
    std::unique_ptr<Lumbrel2App> app;
};

TEST_F(FormatTest, ToolCommandsDropTheSelectionAndCheckTheirButton) {
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    line->SetLineStyle(ID_LINE_DASH);
    doc->SelectAtPoint(2000, 1000);
    ASSERT_EQ(TheSettings().m_nShownLineStyle, int(ID_LINE_DASH));
    ASSERT_TRUE(doc->OnCmdMsg(ID_DRAW_CIRCLE_CR));
    EXPECT_EQ(app->m_nCurrentTool, ID_DRAW_CIRCLE_CR);
    EXPECT_EQ(doc->GetSelectedCount(), 0);
    EXPECT_EQ(TheSettings().m_nShownLineStyle, int(ID_LINE_DASH)); // style kept

    CCmdUI circle(ID_DRAW_CIRCLE_CR), lineTool(ID_DRAW_LINE), mark(ID_DRAW_ANGLE_MARK);
    doc->OnUpdateCmdMsg(circle);
    doc->OnUpdateCmdMsg(lineTool);
    EXPECT_EQ(circle.m_nCheck, 1);
    EXPECT_EQ(lineTool.m_nCheck, 0);
    // The angle mark also needs its figure to exist.
    const bool marks = QvFigure::CreateForTool(ID_DRAW_ANGLE_MARK) != nullptr;
    for (UINT level : {ID_LEVEL_NONE, ID_LEVEL_GRID_POINTS, ID_LEVEL_CUTOFF, ID_LEVEL_UNLIMITED}) {
        doc->OnCmdMsg(level);
        doc->OnUpdateCmdMsg(mark);
        EXPECT_EQ(mark.m_bEnabled,
                  marks && (level == ID_LEVEL_CUTOFF || level == ID_LEVEL_UNLIMITED));
        CCmdUI levelUi(level);
        doc->OnUpdateCmdMsg(levelUi);
        EXPECT_EQ(levelUi.m_nCheck, 1);
    }
    EXPECT_EQ(TheSettings().MADLevel(), 3);
}

TEST_F(FormatTest, StyleOnASelectionIsOneUndoLevel) {
    QvFigure* a = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    QvFigure* b = Add(MakeCircle(QvPoint(6000, 4000), 1000));
    a->SetLineColour(RGB(255, 0, 0));
    b->SetLineColour(RGB(0, 0, 255));
    Select({a, b});
    doc->OnCmdMsg(ID_LINE_DASH);
    EXPECT_EQ(a->GetEditData()->m_lineStyle, LONG(ID_LINE_DASH));
    EXPECT_EQ(b->GetEditData()->m_lineStyle, LONG(ID_LINE_DASH));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 1);
    EXPECT_EQ(TheSettings().m_CurLineType.GetValue(), ID_LINE_HAIRLINE); // the default stays
    doc->OnEditUndo();
    EXPECT_EQ(a->GetEditData()->m_lineStyle, ID_LINE_HAIRLINE);
    EXPECT_EQ(a->GetEditData()->m_lineColor, RGB(255, 0, 0));
    EXPECT_EQ(b->GetEditData()->m_lineColor, RGB(0, 0, 255));
}

TEST_F(FormatTest, StyleWithoutASelectionBecomesTheDefault) {
    doc->OnCmdMsg(ID_FILL_SOLID);
    EXPECT_EQ(TheSettings().m_CurFillType.GetValue(), int(ID_FILL_SOLID));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);
    // It was saved: a fresh read of the profile has it.
    TheSettings().m_CurFillType.SetValue(ID_FILL_NONE);
    TheSettings().ReadFromRegistry();
    EXPECT_EQ(TheSettings().m_CurFillType.GetValue(), int(ID_FILL_SOLID));
    std::unique_ptr<QvFigure> fresh(MakeLine(QvPoint(0, 0), QvPoint(100, 0)));
    EXPECT_EQ(fresh->GetEditData()->m_fillStyle, LONG(ID_FILL_SOLID));
}

TEST_F(FormatTest, CancelledColourDialogChangesNothing) {
    QvFigure* a = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    QvFigure* b = Add(MakeCircle(QvPoint(6000, 4000), 1000));
    a->SetFillColour(RGB(1, 2, 3));
    Select({a, b});
    doc->OnCmdMsg(ID_FORMAT_FILL_COLOUR);
    EXPECT_EQ(Doc().asked, 1);
    EXPECT_EQ(a->GetEditData()->m_fillColor, RGB(1, 2, 3));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);

    Doc().answer = RGB(9, 8, 7);
    doc->OnCmdMsg(ID_FORMAT_FILL_COLOUR);
    EXPECT_EQ(a->GetEditData()->m_fillColor, RGB(9, 8, 7));
    EXPECT_EQ(b->GetEditData()->m_fillColor, RGB(9, 8, 7));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 1);
}

// ------------------------------------------------------------------ grid

int Dots(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != 0xFFFFFFFF;
    return n;
}

TEST(QvBackgroundGridDraw, SquareGridOverThePage) {
    QImage image(1135, 1135, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CDC dc(&painter);
        dc.SetDeviceResolution(96, 96);
        dc.SetMapMode(MM_HIMETRIC);
        dc.SetWindowOrg(0, 30000);
        QvBackgroundGrid grid;
        grid.Draw(&dc, 0, 30000, 30000, 0);
    }
    EXPECT_EQ(Dots(image), 61 * 61);
    EXPECT_NE(image.pixel(0, 0), 0xFFFFFFFF);
    EXPECT_NE(image.pixel(1134, 1134), 0xFFFFFFFF);
}

TEST(QvBackgroundGridDraw, IsometricDotsAndHiddenGrid) {
    // One logical unit per pixel, y down: the dots land where they are.
    QImage image(1001, 601, QImage::Format_RGB32);
    image.fill(Qt::white);
    QvBackgroundGrid grid;
    grid.SetIsometric(true);
    {
        QPainter painter(&image);
        CDC dc(&painter);
        grid.Draw(&dc, 0, 600, 1000, 0);
    }
    for (QPoint p :
         {QPoint(0, 0), QPoint(433, 250), QPoint(0, 500), QPoint(866, 0), QPoint(866, 500)}) {
        EXPECT_NE(image.pixel(p), 0xFFFFFFFF) << p.x() << "," << p.y();
    }
    EXPECT_EQ(image.pixel(433, 0), 0xFFFFFFFF);
    EXPECT_EQ(image.pixel(0, 250), 0xFFFFFFFF);

    image.fill(Qt::white);
    grid.SetShown(false);
    {
        QPainter painter(&image);
        CDC dc(&painter);
        grid.Draw(&dc, 0, 600, 1000, 0);
    }
    EXPECT_EQ(Dots(image), 0);
    EXPECT_EQ(grid.NearestGridPoint(260, 260), QvPoint(433, 250));
}

TEST(QvBackgroundGridDraw, SpacingIsNeverZero) {
    QvBackgroundGrid grid;
    for (int spacing : {0, -5, 1}) {
        grid.SetSpacing(spacing);
        EXPECT_EQ(grid.GetSpacing(), QvBackgroundGrid::MinSpacing);
        for (bool iso : {false, true}) {
            grid.SetIsometric(iso);
            QvPoint p = grid.NearestGridPoint(123, 457);
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
    }
    grid.SetSpacing(501); // odd: the rows are 250 apart
    grid.SetIsometric(true);
    EXPECT_EQ(grid.NearestGridPoint(0, 260).y, 250.0);
}

} // namespace
