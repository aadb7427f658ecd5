// Angle marks in the drawing: made through the snap search and the view,
// kept with the figures they mark through files, the clipboard, deleting,
// undo, grouping and pictures.
#include "common/test_support.h"
#include "document/clipboard_picture.h"
#include "document/lumbrel2_view.h"
#include "document/undo_manager.h"
#include "document_test_support.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_arc.h"
#include "figures/fig_gallery.h"
#include "figures/fig_group.h"
#include "geometry/drawing_test_support.h"
#include "geometry/gr_rect.h"
#include "geometry/snap_kind.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>

#include <algorithm>

namespace {

const QvPoint kV(10000, 10000);

QByteArray Save(Lumbrel2Doc& doc) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    doc.Serialize(ar);
    return bytes;
}

void Open(Lumbrel2Doc& doc, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    doc.Serialize(ar);
}

QvFigAngleMark* MarkOf(const std::vector<QvFigure*>& figures) {
    for (QvFigure* f : figures)
        if (auto* m = dynamic_cast<QvFigAngleMark*>(f))
            return m;
    return nullptr;
}

bool Holds(const std::vector<QvFigure*>& figures, const QvFigure* f) {
    return std::find(figures.begin(), figures.end(), f) != figures.end();
}

class AngleMarkDocTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        m_reader = QvSetMADLevelReader([] { return 2; });
        TheSettings().m_MADLevel.SetValue(2);
        TheSettings().m_AngleDefaults.MarkType.SetValue(QvEditDataAngle::SingleArc);
        TheSettings().m_AngleDefaults.Size.SetValue(6);
        doc = std::make_unique<Lumbrel2Doc>();
        doc->Grid().SetSpacing(500);
        doc->Grid().SetIsometric(false);
    }
    void TearDown() override {
        view.reset();
        doc.reset();
        QvSetMADLevelReader(m_reader);
        QvFigAngleMark::SetSnappedFigure(nullptr);
    }

    // Two lines from kV along the x axis and at 45 degrees, and the mark
    // between them made through the snap search.
    void Draw() {
        l1 = MakeLine(kV, kV + QvVector(6000, 0));
        l2 = MakeLine(kV, kV + QvVector(6000, 6000));
        doc->AddFigure(l1);
        doc->AddFigure(l2);
        mark = Snapped({QvPoint(13260, 10040), QvPoint(13260, 13220)});
        ASSERT_TRUE(mark);
        doc->AddFigure(mark);
        doc->RebuildPointCaches();
    }
    // A mark from clicks as the view gives them: each point snapped with
    // the mark left out of the search.
    QvFigAngleMark* Snapped(const std::vector<QvPoint>& clicks) {
        std::unique_ptr<QvFigure> made = doc->CreateFigureForTool(QvFigAngleMark::ToolId);
        auto* m = static_cast<QvFigAngleMark*>(made.get());
        bool done = false;
        for (const QvPoint& c : clicks) {
            m->TrackCreatePoint(doc->FindSnapPoint(int(c.x), int(c.y), 2, m, 1, {}).point, {});
            done = m->CreateClick();
        }
        if (!done)
            return nullptr;
        return static_cast<QvFigAngleMark*>(made.release());
    }
    void Select(std::initializer_list<QvFigure*> figures) {
        doc->ClearSelection();
        for (QvFigure* f : figures)
            doc->AddToSelection(f);
        doc->EndSelectionChange(nullptr);
    }
    static void ExpectMarks(const QvFigAngleMark* m, const QvFigure* first, const QvFigure* second,
                            QvPoint vertex) {
        ASSERT_TRUE(m);
        EXPECT_EQ(m->AngleData()->m_pFirst, first);
        EXPECT_EQ(m->AngleData()->m_pSecond, second);
        EXPECT_TRUE(m->IsBuiltValid());
        EXPECT_NEAR(m->Vertex().x, vertex.x, 1e-6);
        EXPECT_NEAR(m->Vertex().y, vertex.y, 1e-6);
    }

    TempProfile profile;
    Lumbrel2App app;
    std::unique_ptr<Lumbrel2Doc> doc;
    std::unique_ptr<Lumbrel2View> view;
    QvFigure* l1 = nullptr;
    QvFigure* l2 = nullptr;
    QvFigAngleMark* mark = nullptr;
    QvMADLevelReader m_reader = nullptr;
};

TEST_F(AngleMarkDocTest, TheSnapSearchNamesTheFiguresClicked) {
    Draw();
    ExpectMarks(mark, l1, l2, kV);
    // A click away from every figure does not count.
    EXPECT_EQ(Snapped({QvPoint(3000, 25000), QvPoint(13260, 10040)}), nullptr);
    std::unique_ptr<QvFigAngleMark> late(
        Snapped({QvPoint(3000, 25000), QvPoint(13260, 10040), QvPoint(13260, 13220)}));
    ExpectMarks(late.get(), l1, l2, kV);
    // The mark offers its arm ends and label point to the snap search.
    const QvPoint label = mark->LabelPoint();
    const QvSnapResult found =
        doc->FindSnapPoint(int(label.x) + 30, int(label.y) - 20, 2, nullptr, 1, {});
    EXPECT_NEAR(found.point.x, label.x, 1e-6);
    EXPECT_NEAR(found.point.y, label.y, 1e-6);
    EXPECT_EQ(found.figure1, mark);
}

// A free stretch turns a grouped arc into a box arc, and undo and redo
// put back members of the kind they were: a mark on the sector's radii
// follows each new member and never keeps a freed one.
TEST_F(AngleMarkDocTest, AMarkFollowsTheMembersAStretchReplaces) {
    std::unique_ptr<QvFigure> madeArc = doc->CreateFigureForTool(QvFigArcC2P::ToolId);
    auto* arc = static_cast<QvFigArcBase*>(madeArc.get());
    for (QvPoint p : {kV, kV + QvVector(6000, 0), kV + QvVector(0, 6000)}) {
        arc->TrackCreatePoint(p, {});
        arc->CreateClick();
    }
    arc->ArcData()->m_closeType = QvArcClosing::Sector;
    doc->AddFigure(madeArc.release());
    doc->RebuildPointCaches();
    // Clicks on the two radii, the arc under the pointer each time.
    std::unique_ptr<QvFigure> madeMark = doc->CreateFigureForTool(QvFigAngleMark::ToolId);
    mark = static_cast<QvFigAngleMark*>(madeMark.get());
    for (QvPoint c : {QvPoint(12260, 10000), QvPoint(10000, 12260)}) {
        QvFigAngleMark::SetSnappedFigure(arc);
        mark->TrackCreatePoint(c, {});
        mark->CreateClick();
    }
    ASSERT_TRUE(mark);
    doc->AddFigure(madeMark.release());
    ExpectMarks(mark, arc, arc, kV);
    Select({arc, mark});
    doc->GroupSelection();
    auto* group = dynamic_cast<QvFigGroup*>(doc->GetFirstSelected());
    ASSERT_TRUE(group);
    ASSERT_EQ(group->Members().size(), 2u);
    const auto marksFirstMember = [&] {
        const QvFigure* member = group->Members()[0];
        EXPECT_EQ(mark->AngleData()->m_pFirst, member);
        EXPECT_EQ(mark->AngleData()->m_pSecond, member);
        return member->GetRuntimeClass();
    };
    const CRuntimeClass* arcKind = marksFirstMember();

    Select({group});
    const QvPoint to = group->DefiningPoints()[2] + QvVector(3000, 1000);
    doc->MoveHandleOfSelected(2, to, CPoint(int(to.x) + 50, int(to.y)), {});
    doc->MoveHandleOfSelected(2, to, CPoint(int(to.x) + 50, int(to.y)), {});
    doc->RecordResize();
    EXPECT_NE(marksFirstMember(), arcKind);
    doc->OnEditUndo();
    EXPECT_EQ(marksFirstMember(), arcKind);
    doc->OnEditRedo();
    EXPECT_NE(marksFirstMember(), arcKind);
    doc->OnEditUndo();
    EXPECT_EQ(marksFirstMember(), arcKind);
    doc->RebuildPointCaches();
    EXPECT_TRUE(mark->IsBuiltValid());
}

// The view maps every figure before a rubber band selects: the mark is
// still found by its arms and vertex, not by its placeholder point.
TEST_F(AngleMarkDocTest, ARubberBandAroundTheMarkSelectsIt) {
    Draw();
    doc->MapAllToDefaultFrame();
    doc->SelectInRect(CRect(9900, 9900, 10600, 10500));
    ASSERT_EQ(doc->GetSelectedCount(), 1);
    EXPECT_EQ(doc->GetFirstSelected(), mark);
}

// A mark refers to figures of its own list: lines inside a group are not
// taken, however well the search snaps to them.
TEST_F(AngleMarkDocTest, LinesInsideAGroupAreNotTaken) {
    l1 = MakeLine(kV, kV + QvVector(6000, 0));
    l2 = MakeLine(kV, kV + QvVector(6000, 6000));
    doc->AddFigure(l1);
    doc->AddFigure(l2);
    Select({l1, l2});
    doc->GroupSelection();
    doc->RebuildPointCaches();
    const QvPoint p = doc->FindSnapPoint(13260, 10040, 2, nullptr, 1, {}).point;
    EXPECT_NEAR(p.y, 10000, 1e-6);
    EXPECT_EQ(QvFigAngleMark::SnappedFigure(), nullptr);
    EXPECT_EQ(Snapped({QvPoint(13260, 10040), QvPoint(13260, 13220)}), nullptr);
}

TEST_F(AngleMarkDocTest, FilesKeepTheMarkOnItsFiguresWhereverItStands) {
    Draw();
    for (bool first : {false, true}) {
        SCOPED_TRACE(first ? "the mark before its lines" : "the mark after its lines");
        if (first) {
            // Its lines are then written inside it, and the list refers back.
            Select({mark});
            doc->OnSendToBack();
            ASSERT_EQ(doc->GetFigure(0), mark);
        }
        const QByteArray bytes = Save(*doc);
        Lumbrel2Doc loaded;
        Open(loaded, bytes);
        ASSERT_EQ(loaded.GetFigureCount(), 3);
        QvFigAngleMark* m = MarkOf(loaded.Figures());
        ASSERT_TRUE(m);
        EXPECT_EQ(loaded.GetFigure(first ? 0 : 2), m);
        const QvEditDataAngle& d = *m->AngleData();
        EXPECT_TRUE(Holds(loaded.Figures(), d.m_pFirst) && d.m_pFirst != m);
        EXPECT_TRUE(Holds(loaded.Figures(), d.m_pSecond) && d.m_pSecond != m);
        ExpectMarks(m, d.m_pFirst, d.m_pSecond, kV);
        EXPECT_EQ(m->DefiningPoints()[0], mark->DefiningPoints()[0]);
        EXPECT_EQ(Save(loaded), bytes);
    }
}

TEST_F(AngleMarkDocTest, FilesWithAMarkOutsideItsListAreRefusedOrLoseIt) {
    Draw();
    // A file whose mark names a figure no list holds (written inside the
    // mark) is no drawing.
    std::unique_ptr<QvFigure> taken = doc->TakeFigure(l2);
    const QByteArray outside = Save(*doc);
    doc->PutBackFigure(std::move(taken));
    Lumbrel2Doc refused;
    EXPECT_THROW(Open(refused, outside), CArchiveException);
    EXPECT_EQ(refused.GetFigureCount(), 0);

    // A mark naming itself, or another mark, is left out; the rest loads.
    QvFigAngleMark* second = Snapped({QvPoint(13260, 10040), QvPoint(13260, 13220)});
    doc->AddFigure(second);
    second->AngleData()->m_pFirst = mark;
    mark->AngleData()->m_pSecond = mark;
    const QByteArray self = Save(*doc);
    Lumbrel2Doc loaded;
    Open(loaded, self);
    ASSERT_EQ(loaded.GetFigureCount(), 2);
    EXPECT_EQ(MarkOf(loaded.Figures()), nullptr);
    mark->AngleData()->m_pSecond = l2;
}

TEST_F(AngleMarkDocTest, CopiesKeepAMarkOnlyWithItsFigures) {
    Draw();
    auto& stored = app.m_clipboardFigures;

    // Alone, or with one of its lines, the mark is not copied.
    Select({mark});
    doc->OnEditCopy();
    EXPECT_TRUE(stored.empty());
    Select({l1, mark});
    doc->OnEditCopy();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(MarkOf({stored[0].get()}), nullptr);

    // With both it marks the copies, also once this drawing is gone.
    Select({mark, l1, l2});
    doc->OnEditCopy();
    ASSERT_EQ(stored.size(), 3u);
    doc->OnEditPaste();
    ASSERT_EQ(doc->GetFigureCount(), 6);
    const std::vector<QvFigure*> pasted(doc->Figures().begin() + 3, doc->Figures().end());
    QvFigAngleMark* copy = MarkOf(pasted);
    ASSERT_TRUE(copy);
    ExpectMarks(copy, copy->AngleData()->m_pFirst, copy->AngleData()->m_pSecond,
                kV + QvVector(500, -500));
    EXPECT_TRUE(Holds(pasted, copy->AngleData()->m_pFirst));
    EXPECT_TRUE(Holds(pasted, copy->AngleData()->m_pSecond));

    doc = std::make_unique<Lumbrel2Doc>();
    doc->Grid().SetSpacing(500);
    doc->OnEditPaste();
    ASSERT_EQ(doc->GetFigureCount(), 3);
    copy = MarkOf(doc->Figures());
    ASSERT_TRUE(copy);
    EXPECT_TRUE(Holds(doc->Figures(), copy->AngleData()->m_pFirst));
    ExpectMarks(copy, copy->AngleData()->m_pFirst, copy->AngleData()->m_pSecond,
                kV + QvVector(1000, -1000));
    doc->OnEditUndo();
    EXPECT_EQ(doc->GetFigureCount(), 0);
}

TEST_F(AngleMarkDocTest, SaveToGalleryKeepsAMarkOnlyWithItsFigures) {
    Draw();
    Select({l1, mark});
    std::unique_ptr<QvFigGallery> g = doc->MakeGalleryFigureOfSelection();
    ASSERT_TRUE(g);
    ASSERT_EQ(g->Members().size(), 1u);
    EXPECT_EQ(MarkOf(g->Members()), nullptr);

    Select({mark, l1, l2});
    g = doc->MakeGalleryFigureOfSelection();
    ASSERT_TRUE(g);
    ASSERT_EQ(g->Members().size(), 3u);
    const QvFigAngleMark* copy = MarkOf(g->Members());
    ASSERT_TRUE(copy);
    EXPECT_TRUE(Holds(g->Members(), copy->AngleData()->m_pFirst));
    EXPECT_TRUE(Holds(g->Members(), copy->AngleData()->m_pSecond));
    EXPECT_TRUE(copy->IsBuiltValid());
    // The drawing's mark still marks the drawing's lines.
    ExpectMarks(mark, l1, l2, kV);
}

TEST_F(AngleMarkDocTest, DeletingAFigureTakesItsMarksInTheSameLevel) {
    Draw();
    Select({l1});
    doc->DeleteSelection();
    EXPECT_EQ(doc->GetFigureCount(), 1);
    EXPECT_EQ(doc->UndoManager().GetLevel(), 1);
    doc->OnEditUndo();
    ASSERT_EQ(doc->GetFigureCount(), 3);
    EXPECT_TRUE(Lumbrel2Doc::FigureStands(mark));
    ExpectMarks(mark, l1, l2, kV);
    doc->OnEditRedo();
    EXPECT_EQ(doc->GetFigureCount(), 1);
    // The history frees both together: the drawing keeps no mark on a
    // freed line.
    doc->UndoManager().Clear();
    doc->RebuildPointCaches();
    QImage image = Page(96, 100, 100);
    {
        CDC dc(&image);
        Prepare(dc, MM_HIMETRIC);
        for (QvFigure* f : doc->Figures())
            f->DrawMapped(&dc, QvDrawMode::Normal, NullFrame, CRect());
    }
    // Cut is a copy and a delete.
    Lumbrel2Doc& d = *doc;
    QvFigure* a = MakeLine(kV, kV + QvVector(0, 3000));
    d.AddFigure(a);
    QvFigAngleMark* m = Snapped({QvPoint(10040, 12260), QvPoint(13260, 13220)});
    d.AddFigure(m);
    Select({a});
    d.OnEditCut();
    EXPECT_EQ(d.GetFigureCount(), 1);
    EXPECT_EQ(app.m_clipboardFigures.size(), 1u);
}

// A drag that takes a line past the end of the other: on the way the mark
// follows, at the end the lines no longer meet and the mark keeps its last
// corners.  Redo comes back to those corners byte for byte, though it does
// not repeat the drag's steps.
TEST_F(AngleMarkDocTest, RedoAllGivesTheFinalDrawingByteForByte) {
    for (bool withMark : {false, true}) {
        SCOPED_TRACE(withMark);
        SetUp();
        Draw();
        doc->UndoManager().Clear();
        const QByteArray start = Save(*doc);
        if (withMark)
            Select({mark, l2});
        else
            Select({l2});
        doc->OffsetSelection(QvVector(1000, 0));
        doc->OffsetSelection(QvVector(6000, 0));
        doc->RecordMove();
        EXPECT_FALSE(mark->IsBuiltValid());
        const QByteArray final = Save(*doc);
        doc->OnEditUndo();
        EXPECT_EQ(Save(*doc), start);
        doc->OnEditRedo();
        EXPECT_EQ(Save(*doc), final);
        TearDown();
    }
}

TEST_F(AngleMarkDocTest, GroupingKeepsAMarkInTheListOfItsFigures) {
    Draw();
    // Grouping the lines takes their mark into the group.
    Select({l1, l2});
    doc->GroupSelection();
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* group = dynamic_cast<QvFigGroup*>(doc->GetFigure(0));
    ASSERT_TRUE(group);
    ASSERT_EQ(group->Members().size(), 3u);
    EXPECT_EQ(group->Members()[2], mark);
    EXPECT_EQ(mark->GetGroupNesting(), 1);
    EXPECT_TRUE(Lumbrel2Doc::FigureStands(group));
    ExpectMarks(mark, l1, l2, kV);
    // It moves with the group, and the group saves and opens whole.
    Select({group});
    doc->OffsetSelection(QvVector(1000, 2000));
    doc->RecordMove();
    doc->RebuildPointCaches();
    ExpectMarks(mark, l1, l2, kV + QvVector(1000, 2000));
    Lumbrel2Doc loaded;
    Open(loaded, Save(*doc));
    auto* back = dynamic_cast<QvFigGroup*>(loaded.GetFigure(0));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Members().size(), 3u);
    QvFigAngleMark* m = MarkOf(back->Members());
    ExpectMarks(m, back->Members()[0], back->Members()[1], kV + QvVector(1000, 2000));
    // A copy of the group marks its own members.
    doc->OnEditCopy();
    doc->OnEditPaste();
    auto* pasted = dynamic_cast<QvFigGroup*>(doc->Figures().back());
    ASSERT_TRUE(pasted && pasted != group);
    ExpectMarks(MarkOf(pasted->Members()), pasted->Members()[0], pasted->Members()[1],
                kV + QvVector(1500, 1500));
    doc->OnEditUndo();
    Select({group});

    doc->UngroupSelection();
    ASSERT_EQ(doc->GetFigureCount(), 3);
    ExpectMarks(mark, l1, l2, kV + QvVector(1000, 2000));
    EXPECT_EQ(mark->GetGroupNesting(), 0);

    // A mark that grouping would part from one of its lines goes.
    Select({l1, mark});
    doc->GroupSelection();
    EXPECT_EQ(doc->GetFigureCount(), 2);
    EXPECT_EQ(MarkOf(doc->Figures()), nullptr);
    group = dynamic_cast<QvFigGroup*>(doc->Figures().back());
    ASSERT_TRUE(group);
    EXPECT_EQ(group->Members().size(), 1u);
}

// Pictures, prints and exports draw with an offset: the mark lands on its
// lines wherever it stands in the list, and its saved points stay.
TEST_F(AngleMarkDocTest, OffsetDrawingsPutTheMarkOnItsLines) {
    Draw();
    mark->SetLineColour(RGB(255, 0, 0));
    const QvPoint arm = mark->DefiningPoints()[0];
    // The bounds of the mark's red in a picture offset by (8000, 8000).
    auto markInk = [&] {
        QImage image = Page(96, 300, 300);
        {
            CDC dc(&image);
            Prepare(dc, MM_HIMETRIC);
            dc.SetViewportOrg(0, image.height());
            QvClipboardPicture::DrawFigures(&dc, doc->Figures(), CRect(8000, 8000, 0, 0));
        }
        QRect red;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 100)
                    red |= QRect(x, y, 1, 1);
        return red;
    };
    const QRect after = markInk();
    Select({mark});
    doc->OnSendToBack();
    const QRect before = markInk();
    // The vertex (10000, 10000) is drawn at (2000, 2000), pixel (76, 224),
    // and the arc 480 units (18 pixels) from it.
    ASSERT_FALSE(after.isEmpty());
    EXPECT_TRUE(QRect(76 - 20, 224 - 20, 41, 41).contains(after));
    EXPECT_TRUE(before.adjusted(-1, -1, 1, 1).contains(after));
    EXPECT_TRUE(after.adjusted(-1, -1, 1, 1).contains(before));
    EXPECT_EQ(mark->DefiningPoints()[0], arm);
}

// A mark being made in the view starts again when a figure it took leaves
// the drawing, before the history can free that figure.
TEST_F(AngleMarkDocTest, AMarkBeingMadeLetsGoOfAFigureThatLeaves) {
    view = std::make_unique<Lumbrel2View>();
    doc->AddView(view.get());
    view->SetPixelsPerInch(96);
    view->OnInitialUpdate();
    QvFigure* first = MakeLine(kV, kV + QvVector(6000, 0));
    doc->AddFigure(first);
    doc->RecordCreation(first);
    ASSERT_TRUE(doc->OnCmdMsg(ID_DRAW_ANGLE_MARK));
    const auto click = [&](CPoint p) {
        view->OnLButtonDown(Qt::NoModifier, p);
        view->OnLButtonUp(Qt::NoModifier, p);
    };
    view->OnLButtonDown(Qt::NoModifier, CPoint(13260, 10040));
    view->OnLButtonUp(Qt::NoModifier, CPoint(3000, 25000));
    auto* made = dynamic_cast<QvFigAngleMark*>(view->GetNewFigure());
    ASSERT_TRUE(made);
    ASSERT_EQ(made->AngleData()->m_pFirst, first);

    doc->OnEditUndo();
    EXPECT_EQ(made->AngleData()->m_pFirst, nullptr);
    EXPECT_EQ(made->GetClickCount(), 0);
    // A new level drops the redo, which frees the line.
    l1 = MakeLine(kV, kV + QvVector(6000, 0));
    l2 = MakeLine(kV, kV + QvVector(6000, 6000));
    doc->AddFigure(l1);
    doc->RecordCreation(l1);
    doc->AddFigure(l2);
    click(CPoint(13260, 10040));
    click(CPoint(13260, 13220));
    ASSERT_EQ(doc->GetFigureCount(), 3);
    ExpectMarks(MarkOf(doc->Figures()), l1, l2, kV);
}

// A press on one line and a release on the other makes the mark whatever
// the hand did between: a press on a grid point of the line, moves too
// fast for the full search, a release past the last move.
TEST_F(AngleMarkDocTest, APressOnOneLineAndAReleaseOnTheOtherMakeTheMark) {
    view = std::make_unique<Lumbrel2View>();
    doc->AddView(view.get());
    view->SetPixelsPerInch(96);
    view->OnInitialUpdate();
    struct Case {
        const char* what;
        CPoint press;
        std::vector<CPoint> moves;
        CPoint release;
    } cases[] = {
        {"two moves, the release where the last one was",
         {13260, 10030},
         {{13300, 11600}, {13250, 13230}},
         {13250, 13230}},
        {"two fast moves, the release past the last",
         {13260, 10030},
         {{13300, 11000}, {13280, 12000}},
         {13250, 13230}},
        // A grid point of the first line lies under the press.
        {"pressed on a grid point of the line",
         {13010, 10010},
         {{13100, 11600}, {13040, 12980}},
         {13040, 12980}},
    };
    // The two lines again, and the mark's tool.
    const auto start = [&] {
        doc->DeleteContents();
        l1 = MakeLine(kV, kV + QvVector(6000, 0));
        l2 = MakeLine(kV, kV + QvVector(6000, 6000));
        doc->AddFigure(l1);
        doc->AddFigure(l2);
        ASSERT_TRUE(doc->OnCmdMsg(ID_DRAW_ANGLE_MARK));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start();
        view->OnLButtonDown(Qt::NoModifier, c.press);
        for (const CPoint& p : c.moves)
            view->OnMouseMove(Qt::NoModifier, p);
        view->OnLButtonUp(Qt::NoModifier, c.release);
        EXPECT_EQ(doc->GetFigureCount(), 3);
        ExpectMarks(MarkOf(doc->Figures()), l1, l2, kV);
        EXPECT_EQ(view->GetNewFigure(), nullptr);
        EXPECT_EQ(view->GetState(), Lumbrel2View::StateIdle);
    }

    // A release on no figure, or on the pressed line itself, makes nothing
    // and leaves nothing highlighted.
    for (CPoint release : {CPoint(3000, 25000), CPoint(15000, 10030)}) {
        start();
        view->OnLButtonDown(Qt::NoModifier, CPoint(13260, 10030));
        view->OnMouseMove(Qt::NoModifier, CPoint(14000, 10030));
        view->OnMouseMove(Qt::NoModifier, release);
        view->OnLButtonUp(Qt::NoModifier, release);
        EXPECT_EQ(doc->GetFigureCount(), 2);
        EXPECT_EQ(doc->m_pSnapFigure1, nullptr);
        EXPECT_EQ(doc->m_pSnapFigure2, nullptr);
    }
}

} // namespace
