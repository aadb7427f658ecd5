// The first whole program: draw with the mouse, save, close, open again,
// copy and paste, undo, and save once more, all on the real main window.
#include "app_test_support.h"
#include "common/test_support.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "platform/command_router.h"
#include "settings/settings.h"
#include "shell/child_frame.h"
#include "shell/command_ids.h"
#include "shell/doc_template.h"
#include "shell/lumbrel2_app.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

namespace {

// The line from (2000, 28000) to (6000, 26000) and the circles about
// (15000, 15000) radius 2000 and (22000, 8000) radius 1000, in that order.
void ExpectTheDrawing(Lumbrel2Doc* doc) {
    ASSERT_EQ(doc->GetFigureCount(), 3);
    auto* line = dynamic_cast<QvFigLine*>(doc->GetFigure(0));
    auto* big = dynamic_cast<QvFigCircleCR*>(doc->GetFigure(1));
    auto* small = dynamic_cast<QvFigCircleCR*>(doc->GetFigure(2));
    ASSERT_TRUE(line && big && small);
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(2000, 28000));
    EXPECT_EQ(line->DefiningPoints()[1], QvPoint(6000, 26000));
    EXPECT_EQ(big->Circle().centre, QvPoint(15000, 15000));
    EXPECT_DOUBLE_EQ(big->Circle().radius, 2000.0);
    EXPECT_EQ(small->Circle().centre, QvPoint(22000, 8000));
    EXPECT_DOUBLE_EQ(small->Circle().radius, 1000.0);
}

TEST(FileAndClipboardEndToEnd, DrawSaveCloseOpenCopyPasteUndoSave) {
    TempProfile profile;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shapes.kw2"));
    AnsweringApp app;
    ASSERT_TRUE(app.InitInstance(QString()));
    TheSettings().m_MADLevel.SetValue(1); // grid points
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(view);
    QCoreApplication::processEvents();

    // Draw.
    PickTool(frame, ID_DRAW_LINE);
    DragOnPage(view, QvPoint(2000, 28000), QvPoint(6000, 26000));
    PickTool(frame, ID_DRAW_CIRCLE_CR);
    DragOnPage(view, QvPoint(15000, 15000), QvPoint(17000, 15000));
    DragOnPage(view, QvPoint(22000, 8000), QvPoint(23000, 8000));
    ExpectTheDrawing(ActiveDoc(app));
    ASSERT_TRUE(ActiveDoc(app)->IsModified());

    // Save: the dialog is asked once and the changes are kept.
    app.saveAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_SAVE));
    EXPECT_EQ(app.saveQuestions, 1);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(ActiveDoc(app)->IsModified());

    // Close: nothing to ask about any more.
    {
        MessageRecorder recorder;
        ASSERT_TRUE(frame->GetActiveChild()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(recorder.messages.empty());
    }
    EXPECT_TRUE(app.GetDocTemplate()->Documents().empty());

    // Open: the same figures, unchanged.
    app.openAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_OPEN));
    Lumbrel2Doc* doc = ActiveDoc(app);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetPathName(), path);
    ExpectTheDrawing(doc);
    EXPECT_FALSE(doc->IsModified());
    view = ActiveView(app);
    ASSERT_TRUE(view);
    QCoreApplication::processEvents();

    // Copy the big circle, picked with the mouse; Paste needs a copy first.
    EXPECT_FALSE(Choose(ID_EDIT_PASTE));
    PickTool(frame, ID_DRAW_SELECT);
    ClickOnPage(view, QvPoint(17000, 15000));
    ASSERT_EQ(doc->GetSelectedCount(), 1);
    QvFigure* big = doc->GetFigure(1);
    EXPECT_EQ(doc->GetFirstSelected(), big);
    ASSERT_TRUE(Choose(ID_EDIT_COPY));
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(offered);
    EXPECT_TRUE(offered->hasFormat(QStringLiteral("application/pdf")));

    // Paste: a fourth figure one grid step right and down, selected.
    ASSERT_TRUE(Choose(ID_EDIT_PASTE));
    ASSERT_EQ(doc->GetFigureCount(), 4);
    auto* pasted = dynamic_cast<QvFigCircleCR*>(doc->GetFigure(3));
    ASSERT_TRUE(pasted);
    const double step = doc->Grid().GetSpacing();
    EXPECT_EQ(pasted->Circle().centre, QvPoint(15000 + step, 15000 - step));
    EXPECT_DOUBLE_EQ(pasted->Circle().radius, 2000.0);
    EXPECT_EQ(doc->Selection(), std::vector<QvFigure*>{pasted});
    EXPECT_TRUE(doc->IsModified());

    // Undo takes the copy away again.
    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    ExpectTheDrawing(doc);

    // Save again: to the same file without asking; reopening it after
    // closing gives the three figures.
    ASSERT_TRUE(Choose(ID_FILE_SAVE));
    EXPECT_EQ(app.saveQuestions, 1);
    EXPECT_FALSE(doc->IsModified());
    {
        MessageRecorder recorder;
        ASSERT_TRUE(frame->GetActiveChild()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(recorder.messages.empty());
    }
    ASSERT_TRUE(Choose(ID_FILE_OPEN));
    ASSERT_TRUE(ActiveDoc(app));
    ExpectTheDrawing(ActiveDoc(app));
}

} // namespace
