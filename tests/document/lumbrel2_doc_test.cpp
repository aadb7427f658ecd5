#include "common/test_support.h"
#include "document/undo_manager.h"
#include "document_test_support.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

namespace {

using DocTest = DocumentTest;

TEST_F(DocTest, IndexesOutsideTheListsGiveNull) {
    Lumbrel2Doc doc;
    QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(100, 100));
    doc.AddFigure(a);
    doc.AddToSelection(a);
    EXPECT_EQ(doc.GetFigure(0), a);
    EXPECT_EQ(doc.GetFigure(-1), nullptr);
    EXPECT_EQ(doc.GetFigure(doc.GetFigureCount()), nullptr);
    EXPECT_EQ(doc.GetSelected(-1), nullptr);
    EXPECT_EQ(doc.GetSelected(1), nullptr);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocTest, BoundsOfNothing) {
    Lumbrel2Doc doc;
    EXPECT_EQ(doc.GetDrawingBounds(), CRect(0, 0, 0, 0));
    EXPECT_EQ(doc.GetSelectionBounds(), CRect(-1, 0, 0, 0));
    EXPECT_EQ(doc.GetFirstSelected(), nullptr);
    QvPoint probe;
    EXPECT_EQ(doc.FindSelectedDefiningPoint(probe), -1);
    QvPoint p = doc.GetFirstSelectedPoint();
    EXPECT_EQ(p.x, 0.0);
    EXPECT_EQ(p.y, 0.0);
}

TEST_F(DocTest, BoundsAreTheUnionOfTheFigures) {
    Lumbrel2Doc doc;
    QvFigure* a = MakeCircle(QvPoint(1000, 1000), 500);
    QvFigure* b = MakeCircle(QvPoint(5000, 3000), 1000);
    doc.AddFigure(a);
    doc.AddFigure(b);
    CRect ra = a->GetBoundRect(), rb = b->GetBoundRect();
    ra.NormalizeRect();
    rb.NormalizeRect();
    CRect expected(std::min(ra.left, rb.left), std::min(ra.top, rb.top),
                   std::max(ra.right, rb.right), std::max(ra.bottom, rb.bottom));
    EXPECT_EQ(doc.GetDrawingBounds(), expected);
    doc.AddToSelection(b);
    EXPECT_EQ(doc.GetSelectionBounds(), rb);
}

TEST_F(DocTest, OneSelectedFigureShowsItsStyleAndASecondRestoresTheSaved) {
    Lumbrel2Doc doc;
    QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(1000, 0));
    QvFigure* b = MakeLine(QvPoint(0, 500), QvPoint(1000, 500));
    a->SetLineColour(RGB(200, 0, 0));
    a->SetLineStyle(ID_LINE_SOLID3);
    a->SetFillStyle(ID_FILL_SOLID);
    doc.AddFigure(a);
    doc.AddFigure(b);
    QvSettings& s = TheSettings();

    doc.AddToSelection(a);
    doc.EndSelectionChange(a);
    EXPECT_EQ(s.m_nShownLineColor, int(RGB(200, 0, 0)));
    EXPECT_EQ(s.m_nShownLineStyle, ID_LINE_SOLID3);
    EXPECT_EQ(s.m_nShownFillStyle, ID_FILL_SOLID);
    EXPECT_EQ(doc.GetRotationCentre().x, 500.0);

    doc.AddToSelection(b);
    doc.EndSelectionChange(b);
    EXPECT_EQ(s.m_nShownLineColor, 0);
    EXPECT_EQ(s.m_nShownLineStyle, ID_LINE_HAIRLINE);
    EXPECT_EQ(s.m_nShownFillStyle, ID_FILL_NONE);
}

// Moves a figure and records it, as a drag does.
void MoveRecorded(Lumbrel2Doc& doc, QvFigure* f, QvVector v) {
    doc.ClearSelection();
    doc.AddToSelection(f);
    doc.OffsetSelection(v);
    doc.RecordMove();
}

TEST_F(DocTest, TwoMovesUndoneAndRedone) {
    Lumbrel2Doc doc;
    QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(100, 0));
    QvFigure* b = MakeLine(QvPoint(0, 500), QvPoint(100, 500));
    doc.AddFigure(a);
    doc.AddFigure(b);
    MoveRecorded(doc, a, QvVector(10, 0));
    MoveRecorded(doc, b, QvVector(0, 20));
    auto at = [](QvFigure* f) { return f->DefiningPoints()[0]; };

    doc.OnEditUndo();
    EXPECT_EQ(at(b).y, 500.0);
    EXPECT_EQ(at(a).x, 10.0);
    doc.OnEditUndo();
    EXPECT_EQ(at(a).x, 0.0);
    doc.OnEditRedo();
    EXPECT_EQ(at(a).x, 10.0);
    EXPECT_EQ(at(b).y, 500.0);
    doc.OnEditRedo();
    EXPECT_EQ(at(b).y, 520.0);
    // A second round ends in the same place.
    doc.OnEditUndo();
    doc.OnEditRedo();
    EXPECT_EQ(at(b).y, 520.0);
    EXPECT_EQ(at(a).x, 10.0);
}

TEST_F(DocTest, NothingToUndoOrRedoBeeps) {
    MessageRecorder recorder;
    Lumbrel2Doc doc;
    doc.OnEditUndo();
    doc.OnEditRedo();
    EXPECT_EQ(recorder.beeps, 2);
    EXPECT_EQ(doc.UndoManager().GetLevel(), 0);
}

TEST_F(DocTest, UndoingAMultiDeleteRestoresTheOrderOnTop) {
    Lumbrel2Doc doc;
    std::vector<QvFigure*> f;
    for (int i = 0; i < 4; ++i) {
        f.push_back(MakeLine(QvPoint(0, i * 100), QvPoint(100, i * 100)));
        doc.AddFigure(f.back());
    }
    // Selected against the drawing order.
    doc.AddToSelection(f[2]);
    doc.AddToSelection(f[0]);
    doc.DeleteSelection();
    EXPECT_EQ(doc.Figures(), (std::vector<QvFigure*>{f[1], f[3]}));
    EXPECT_EQ(doc.GetSelectedCount(), 0);
    EXPECT_TRUE(f[0]->IsDeleted());

    doc.OnEditUndo();
    EXPECT_EQ(doc.Figures(), (std::vector<QvFigure*>{f[1], f[3], f[0], f[2]}));
    EXPECT_FALSE(f[0]->IsDeleted());

    doc.OnEditRedo();
    EXPECT_EQ(doc.Figures(), (std::vector<QvFigure*>{f[1], f[3]}));
    EXPECT_TRUE(f[2]->IsDeleted());
}

TEST_F(DocTest, UndoingACreationHoldsTheFigureBack) {
    Lumbrel2Doc doc;
    QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(100, 0));
    QvFigure* b = MakeLine(QvPoint(0, 10), QvPoint(100, 10));
    doc.AddFigure(a);
    doc.AddFigure(b);
    doc.RecordCreation(a);
    doc.OnEditUndo();
    EXPECT_EQ(doc.Figures(), std::vector<QvFigure*>{b});
    doc.OnEditRedo();
    EXPECT_EQ(doc.Figures(), (std::vector<QvFigure*>{b, a}));
}

TEST_F(DocTest, DeleteContentsEmptiesTheDrawingAndTheHistoryButNotTheClipboard) {
    Lumbrel2App app;
    Lumbrel2Doc doc;
    QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(100, 0));
    doc.AddFigure(a);
    doc.AddFigure(MakeLine(QvPoint(0, 10), QvPoint(100, 10)));
    doc.AddToSelection(a);
    doc.DeleteSelection();
    app.m_clipboardFigures.emplace_back(MakeLine(QvPoint(0, 0), QvPoint(1, 1)));
    ASSERT_TRUE(doc.UndoManager().CanUndo());

    doc.DeleteContents();
    EXPECT_EQ(doc.GetFigureCount(), 0);
    // Copies go from one drawing to the next.
    EXPECT_EQ(app.m_clipboardFigures.size(), 1u);
    // The history pointed at the figures just deleted.
    EXPECT_EQ(doc.UndoManager().CanUndo(), 0);
    MessageRecorder recorder;
    doc.OnEditUndo();
    EXPECT_EQ(recorder.beeps, 1);
}

// The document works through whatever editor state is installed, an
// application or not, and without one keeps to the defaults.
TEST_F(DocTest, ToolAndClipboardGoThroughTheInstalledEditorState) {
    ASSERT_EQ(QvGetEditorState(), nullptr);
    Lumbrel2Doc doc;
    doc.OnSelectTool(ID_DRAW_LINE); // nowhere to keep it: nothing happens
    {
        QvEditorState state;
        QvSetEditorState(&state);
        doc.OnSelectTool(ID_DRAW_CIRCLE_CR);
        EXPECT_EQ(state.m_nCurrentTool, ID_DRAW_CIRCLE_CR);
        QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(100, 0));
        doc.AddFigure(a);
        SelectFigures(doc, {a});
        doc.CopySelectionToClipboard();
        EXPECT_EQ(state.m_clipboardFigures.size(), 1u);
        // The state frees its copies and uninstalls itself as it goes.
    }
    EXPECT_EQ(QvGetEditorState(), nullptr);
}

// Only an undo record or emptying the drawing takes a figure away: one
// that cannot stand (three points of a circle in a line, as a damaged file
// may hold) stays to be seen and deleted, but offers nothing to snap to.
TEST_F(DocTest, AFigureThatCannotStandStaysButOffersNothingToSnapTo) {
    TempProfile profile;
    TheSettings().m_MADLevel.SetValue(2);
    Lumbrel2Doc doc;
    QvFigure* line = MakeLine(QvPoint(0, 5000), QvPoint(9000, 5000));
    std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigCircle3C::ToolId);
    QvFigure* flat = made.get();
    for (int i = 0; i < 3; ++i)
        flat->DefiningPoints()[i] = QvPoint(1000 * i, 1000 * i);
    ASSERT_FALSE(flat->IsValid());
    doc.AddFigure(line);
    doc.AddFigure(made.release());
    doc.RebuildPointCaches();
    EXPECT_EQ(doc.Figures(), (std::vector<QvFigure*>{line, flat}));
    EXPECT_GT(doc.CharacteristicPoints().GetCount(), 0);
    for (int i = 0; i < doc.CharacteristicPoints().GetCount(); ++i)
        EXPECT_EQ(doc.CharacteristicPoints()[i].figure1, line);
    for (int i = 0; i < doc.FigureShapes().GetCount(); ++i)
        EXPECT_EQ(doc.FigureShapes()[i].figure, line);
    EXPECT_EQ(doc.Crossings().GetCount(), 0);
    doc.AddToSelection(flat);
    doc.DeleteSelection();
    EXPECT_EQ(doc.Figures(), std::vector<QvFigure*>{line});
    TheSettings().m_MADLevel.SetValue(0);
}

TEST_F(DocTest, DeleteTakesTheLastCreatedFigureWhileItIsInTheDrawing) {
    Lumbrel2Doc doc;
    QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(100, 0));
    doc.AddFigure(a);
    doc.SetLastCreated(a);
    EXPECT_EQ(doc.TakeLastCreated(), a);
    EXPECT_EQ(doc.TakeLastCreated(), nullptr);
    doc.SetLastCreated(a);
    doc.AddToSelection(a);
    doc.DeleteSelection();
    EXPECT_EQ(doc.TakeLastCreated(), nullptr);
}

TEST_F(DocTest, NewDocumentTakesTheGridAndTheSavedStyle) {
    QvSettings& s = TheSettings();
    s.m_GridPointsDefaults.Size.SetValue(250);
    s.m_GridPointsDefaults.Isometric.SetValue(1);
    s.m_nShownLineColor = 12345;
    Lumbrel2Doc doc;
    EXPECT_EQ(doc.Grid().GetSpacing(), 250);
    EXPECT_TRUE(doc.Grid().IsIsometric());
    EXPECT_EQ(s.m_nShownLineColor, 0);
    EXPECT_EQ(doc.CustomColors()[0], 0xF0F0F0u);
    EXPECT_EQ(doc.CustomColors()[5], 0x3C3C3Cu);
    EXPECT_EQ(doc.CustomColors()[15], 0xFFFFFFu);
    s.m_GridPointsDefaults.Size.SetValue(500);
    s.m_GridPointsDefaults.Isometric.SetValue(0);
}

TEST_F(DocTest, UndoAndRedoAreAlwaysEnabled) {
    Lumbrel2Doc doc;
    for (UINT id : {UINT(ID_EDIT_UNDO), UINT(ID_EDIT_REDO)}) {
        CCmdUI ui(id);
        ui.m_bEnabled = false;
        EXPECT_TRUE(doc.OnUpdateCmdMsg(ui));
        EXPECT_TRUE(ui.m_bEnabled);
    }
}

} // namespace
