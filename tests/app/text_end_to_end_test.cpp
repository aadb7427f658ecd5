// A user writes in a text box on the real main window: drags it out, types
// two lines, takes the typing back and forward, saves and opens the
// drawing, and turns the text into equations in the Text dialog.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "dialogs/text_dlg.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_text.h"
#include "framework/child_frame.h"
#include "framework/doc_template.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "platform/dialog.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

// The file dialogs answer with a set name.
class AnsweringApp : public Lumbrel2App {
public:
    QString answer;
    QString PromptSaveFileName(const QString&) override { return answer; }

protected:
    QString PromptOpenFileName(const QString&) override { return answer; }
};

void Choose(UINT id) {
    QAction* action = CommandAction(id);
    ASSERT_TRUE(action);
    TheApp()->Router().UpdateAction(action);
    ASSERT_TRUE(action->isEnabled());
    action->trigger();
}

QByteArray FigureBytes(const QvFigure* f) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    ar.WriteObject(f);
    return bytes;
}

TEST(TextEndToEnd, TypeUndoSaveOpenThenEquations) {
    TempProfile profile;
    QTemporaryDir dir;
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(1); // grid points
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2Doc* doc = ActiveDoc(app);
    ASSERT_TRUE(doc);
    auto* view = dynamic_cast<Lumbrel2View*>(doc->Views().front());
    ASSERT_TRUE(view);
    QCoreApplication::processEvents();

    // Drag out a box; the editor opens on it with the focus.
    PickTool(frame, ID_DRAW_TEXT);
    DragOnPage(view, QvPoint(3000, 27000), QvPoint(15000, 22000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* box = dynamic_cast<QvFigText*>(doc->GetFigure(0));
    ASSERT_TRUE(box);
    auto* editor = qobject_cast<QPlainTextEdit*>(view->InPlaceEditor());
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("x^2 + 1"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, QStringLiteral("y = 3/44"));
    // The arrows and Delete edit the text; they do not nudge or delete
    // figures, even with the box selected.
    doc->AddToSelection(box);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    ASSERT_TRUE(editor->hasFocus());
    const QvPoint corner = box->DefiningPoints()[0];
    QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_EQ(box->DefiningPoints()[0], corner);

    // A click away ends it; Undo takes the typing back, Redo brings it.
    ClickOnPage(view, QvPoint(25000, 5000));
    EXPECT_EQ(view->InPlaceEditor(), nullptr);
    ASSERT_EQ(doc->GetFigureCount(), 1);
    const QString typed = QStringLiteral("x^2 + 1\r\ny = 3/4");
    EXPECT_EQ(box->GetText(), typed);
    Choose(ID_EDIT_UNDO);
    EXPECT_EQ(box->GetText(), QString());
    Choose(ID_EDIT_REDO);
    EXPECT_EQ(box->GetText(), typed);

    // Saved, closed and opened again: the same box, byte for byte.
    const QByteArray saved = FigureBytes(box);
    app.answer = dir.filePath(QStringLiteral("text.kw2"));
    Choose(ID_FILE_SAVE);
    {
        MessageRecorder recorder;
        ASSERT_TRUE(frame->GetActiveChild()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(recorder.messages.empty());
    }
    Choose(ID_FILE_OPEN);
    doc = ActiveDoc(app);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->GetFigureCount(), 1);
    box = dynamic_cast<QvFigText*>(doc->GetFigure(0));
    ASSERT_TRUE(box);
    EXPECT_EQ(FigureBytes(box), saved);
    view = dynamic_cast<Lumbrel2View*>(doc->Views().front());
    ASSERT_TRUE(view);
    QCoreApplication::processEvents();

    // The Text dialog from a right-click: Equation, OK.  The box now shows
    // a typeset formula, which differs from the plain text.
    // Inside the box, clear of its outline and grips.
    const QRect area = view->LogicalToCanvas(CRect(3100, 26900, 14000, 23000));
    const QImage plain = view->PageImage().copy(area);
    SetModalDialogHandler([](CDialog& dialog) {
        auto* text = dynamic_cast<CTextDlg*>(&dialog);
        ASSERT_TRUE(text);
        EXPECT_TRUE(text->m_radioKind[0]->isChecked());
        text->m_radioKind[1]->click();
        text->accept();
    });
    PickTool(frame, ID_DRAW_SELECT);
    const QPoint inside = view->LogicalToCanvas(CRect(9000, 24000, 9000, 24000)).topLeft();
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, inside);
    SetModalDialogHandler({});
    EXPECT_TRUE(box->IsEquation());
    EXPECT_EQ(box->GetText(), typed);
    const QImage typeset = view->PageImage().copy(area);
    EXPECT_NE(typeset, plain);
    // Black text in both: it is drawn either way.
    auto dark = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += qGray(image.pixel(x, y)) < 60;
        return n;
    };
    EXPECT_GT(dark(plain), 50);
    EXPECT_GT(dark(typeset), 50);

    // One step: Undo brings the plain text back.
    Choose(ID_EDIT_UNDO);
    EXPECT_FALSE(box->IsEquation());
    EXPECT_EQ(view->PageImage().copy(area), plain);

    MessageRecorder recorder(IDNO);
    frame->close();
}

} // namespace
