// A figure edit through the document: one undo level for what changed.
#include "document/undo_manager.h"
#include "document_test_support.h"

namespace {

class EditFiguresTest : public DocumentTest {
protected:
    static COLORREF Colour(const QvFigure* f) { return f->GetEditData()->m_lineColor; }
};

TEST_F(EditFiguresTest, OneLevelWithAnActionPerChangedFigure) {
    Lumbrel2Doc doc;
    QvFigure* a = MakeLine(QvPoint(1000, 1000), QvPoint(5000, 1000));
    QvFigure* b = MakeCircle(QvPoint(8000, 8000), 1000);
    QvFigure* c = MakeLine(QvPoint(1000, 3000), QvPoint(5000, 3000));
    for (QvFigure* f : {a, b, c})
        doc.AddFigure(f);
    doc.SetModifiedFlag(FALSE);
    QvUndoManager& undo = doc.UndoManager();
    const int level = undo.GetLevel();
    const int count = undo.GetUndoCount();

    // c is handed to the edit but left as it was.
    EXPECT_TRUE(doc.EditFigures({a, b, c}, [&] {
        a->SetLineColour(RGB(255, 0, 0));
        b->SetLineColour(RGB(0, 0, 255));
    }));
    EXPECT_EQ(undo.GetLevel(), level + 1);
    EXPECT_EQ(undo.GetUndoCount(), count + 2);
    EXPECT_TRUE(doc.IsModified());

    doc.OnEditUndo(); // both at once
    EXPECT_EQ(Colour(a), RGB(0, 0, 0));
    EXPECT_EQ(Colour(b), RGB(0, 0, 0));
    EXPECT_EQ(undo.GetLevel(), level);
    doc.OnEditRedo();
    EXPECT_EQ(Colour(a), RGB(255, 0, 0));
    EXPECT_EQ(Colour(b), RGB(0, 0, 255));
}

TEST_F(EditFiguresTest, AnEditThatChangesNothingRecordsNothing) {
    Lumbrel2Doc doc;
    QvFigure* a = MakeLine(QvPoint(1000, 1000), QvPoint(5000, 1000));
    doc.AddFigure(a);
    ASSERT_TRUE(doc.EditFigures({a}, [&] { a->SetLineColour(RGB(255, 0, 0)); }));
    doc.OnEditUndo();
    doc.SetModifiedFlag(FALSE);
    QvUndoManager& undo = doc.UndoManager();
    const int level = undo.GetLevel();
    const int redo = undo.GetRedoCount();

    // Set to what it already is, or not touched at all (a dialog cancelled).
    EXPECT_FALSE(doc.EditFigures({a}, [&] { a->SetLineColour(RGB(0, 0, 0)); }));
    EXPECT_FALSE(doc.EditFigures({a}, [] {}));
    EXPECT_FALSE(doc.EditFigures({}, [] {}));
    EXPECT_EQ(undo.GetLevel(), level);
    EXPECT_EQ(undo.GetRedoCount(), redo); // Redo is still there
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
