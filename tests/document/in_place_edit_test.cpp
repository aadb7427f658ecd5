// Typing into a text box on the page: the editor the view lays over the
// box, what ending it records, and the commands that reach it meanwhile.
#include "common/test_support.h"
#include "document/lumbrel2_view.h"
#include "document/undo_manager.h"
#include "document_test_support.h"
#include "figures/fig_text.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>

namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;

class InPlaceEditTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        TheSettings().m_MADLevel.SetValue(0);
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
    void Drag(CPoint from, CPoint to) {
        view->OnLButtonDown(kNone, from);
        view->OnMouseMove(kNone, to);
        view->OnLButtonUp(kNone, to);
    }
    // A text box dragged out with the text tool; editing starts on it.
    QvFigText* NewBox() {
        EXPECT_TRUE(doc->OnCmdMsg(ID_DRAW_TEXT));
        Drag(CPoint(2000, 20000), CPoint(12000, 15000));
        EXPECT_EQ(doc->GetFigureCount(), 1);
        return dynamic_cast<QvFigText*>(doc->GetFigure(0));
    }
    QPlainTextEdit* Editor() const { return qobject_cast<QPlainTextEdit*>(view->InPlaceEditor()); }
    int Levels() {
        int n = 0;
        while (doc->UndoManager().CanUndo()) {
            doc->OnEditUndo();
            ++n;
        }
        while (doc->UndoManager().CanRedo())
            doc->OnEditRedo();
        return n;
    }

    TempProfile profile;
    std::unique_ptr<Lumbrel2App> app;
    std::unique_ptr<Lumbrel2Doc> doc;
    std::unique_ptr<Lumbrel2View> view;
};

TEST_F(InPlaceEditTest, NewBoxIsTypedIntoAndTheTypingIsOneStep) {
    TheSettings().m_TextDefaults.Justify.SetValue(1);
    QvFigText* box = NewBox();
    TheSettings().m_TextDefaults.Justify.SetValue(0);
    ASSERT_TRUE(box);
    QPlainTextEdit* editor = Editor();
    ASSERT_TRUE(editor);
    EXPECT_TRUE(view->IsEditingInPlace());
    EXPECT_TRUE(box->IsEditingInPlace());
    // Over the box, at the page's zoom: 10 mm are 38 pixels.
    EXPECT_EQ(editor->geometry(), view->LogicalToCanvas(CRect(2000, 20000, 12001, 15001)));
    EXPECT_EQ(editor->tabStopDistance(), 30.0);
    EXPECT_EQ(editor->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    EXPECT_NEAR(QFontInfo(editor->font()).pixelSize(), 13, 1); // a 4 mm cell

    QTest::keyClicks(editor, QStringLiteral("ab"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, QStringLiteral("cd"));
    // What is typed is in the box at once, so a save keeps it.
    EXPECT_EQ(box->GetText(), QStringLiteral("ab\r\ncd"));
    EXPECT_TRUE(doc->IsModified());

    // A press elsewhere ends it: creation and typing are two steps.
    EXPECT_TRUE(doc->OnCmdMsg(ID_DRAW_SELECT));
    view->OnLButtonDown(kNone, CPoint(25000, 5000));
    view->OnLButtonUp(kNone, CPoint(25000, 5000));
    EXPECT_FALSE(view->IsEditingInPlace());
    EXPECT_FALSE(box->IsEditingInPlace());
    EXPECT_EQ(view->InPlaceEditor(), nullptr);
    EXPECT_EQ(box->GetText(), QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(Levels(), 2);
    doc->OnEditUndo();
    EXPECT_EQ(box->GetText(), QString());
    doc->OnEditRedo();
    EXPECT_EQ(box->GetText(), QStringLiteral("ab\r\ncd"));

    // A double click edits it again; ending without a change records
    // nothing.
    view->OnLButtonDblClk(kNone, CPoint(5000, 17000));
    ASSERT_TRUE(Editor());
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("ab\ncd"));
    view->EndInPlaceEdit();
    EXPECT_EQ(Levels(), 2);
}

TEST_F(InPlaceEditTest, EscapeEndsItAndUndoTakesBackTheTyping) {
    QvFigText* box = NewBox();
    ASSERT_TRUE(box && Editor());
    QTest::keyClicks(Editor(), QStringLiteral("old"));
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_FALSE(view->IsEditingInPlace());
    EXPECT_EQ(box->GetText(), QStringLiteral("old"));

    view->OnLButtonDblClk(kNone, CPoint(5000, 17000));
    ASSERT_TRUE(Editor());
    QTest::keyClicks(Editor(), QStringLiteral(" new"));
    // Edit>Undo while typing takes back the typing, not the step before.
    ASSERT_TRUE(view->OnCmdMsg(ID_EDIT_UNDO));
    EXPECT_FALSE(view->IsEditingInPlace());
    EXPECT_EQ(box->GetText(), QStringLiteral("old"));
    EXPECT_EQ(doc->GetFigureCount(), 1);
    ASSERT_TRUE(view->OnCmdMsg(ID_EDIT_REDO));
    EXPECT_EQ(box->GetText(), QStringLiteral("old new"));
}

TEST_F(InPlaceEditTest, CopyCutAndPasteWorkOnTheTextThroughTheClipboard) {
    QvFigText* box = NewBox();
    ASSERT_TRUE(box && Editor());
    QTest::keyClicks(Editor(), QStringLiteral("one two"));
    Editor()->selectAll();
    view->OnEditCopy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("one two"));
    view->OnEditCut();
    EXPECT_EQ(box->GetText(), QString());
    view->OnEditPaste();
    view->OnEditPaste();
    EXPECT_EQ(box->GetText(), QStringLiteral("one twoone two"));
    // Edit>Delete deletes the character after the caret, or the selection.
    Editor()->moveCursor(QTextCursor::Start);
    view->OnEditDelete();
    EXPECT_EQ(box->GetText(), QStringLiteral("ne twoone two"));
    Editor()->selectAll();
    view->OnEditDelete();
    EXPECT_EQ(box->GetText(), QString());
    // The drawing's own clipboard was not touched: no figure was copied.
    EXPECT_EQ(doc->GetFigureCount(), 1);
}

TEST_F(InPlaceEditTest, BoxTakenAwayWhileEditedIsLeftAlone) {
    QvFigText* box = NewBox();
    ASSERT_TRUE(box && Editor());
    QTest::keyClicks(Editor(), QStringLiteral("x"));
    // The document takes back the box's creation behind the editor's back.
    doc->OnEditUndo();
    EXPECT_EQ(doc->GetFigureCount(), 0);
    EXPECT_FALSE(view->IsEditingInPlace());
    EXPECT_FALSE(doc->UndoManager().CanUndo());
    doc->OnEditRedo();
    ASSERT_EQ(doc->GetFigureCount(), 1);
    EXPECT_FALSE(box->IsEditingInPlace());
}

} // namespace
