// Whole programs on the real main window: draw with the mouse, save, close,
// open again, copy and paste, undo, and save once more.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "document/lumbrel2_doc.h"
#include "document/undo_manager.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "figures/fig_point.h"
#include "figures/fig_polygon.h"
#include "figures/fig_rectangle.h"
#include "framework/child_frame.h"
#include "framework/doc_template.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>
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

// The program started on a new drawing that snaps to grid points, with a
// file name for the dialogs to answer.
class FileAndClipboardEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartProgram(app, QString()));
        TheSettings().m_MADLevel.SetValue(1);
        frame = app.GetMainFrame();
        view = ActiveView(app);
        ASSERT_TRUE(view);
        QCoreApplication::processEvents();
    }

    TempProfile profile;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shapes.kw2"));
    AnsweringApp app;
    CMainFrame* frame = nullptr;
    Lumbrel2View* view = nullptr;
};

TEST_F(FileAndClipboardEndToEnd, DrawSaveCloseOpenCopyPasteUndoSave) {

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

// The whole drawing as the file holds it.
QByteArray DrawingBytes(Lumbrel2Doc* doc) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    doc->Serialize(ar);
    return bytes;
}

std::vector<QvPoint> Points(const QvFigure* f) {
    std::vector<QvPoint> points;
    for (int i = 0; i < f->GetPointCount(); ++i)
        points.push_back(f->DefiningPoints()[i]);
    return points;
}

TEST_F(FileAndClipboardEndToEnd, SquarePointAndPolygonEditedUndoneSavedAndOpened) {
    Lumbrel2Doc* doc = ActiveDoc(app);
    ASSERT_TRUE(doc);
    MessageRecorder recorder;

    // A rectangle dragged with Shift held is a square in the pointer's
    // quadrant.
    PickTool(frame, ID_DRAW_RECTANGLE);
    DragOnPage(view, QvPoint(3000, 27000), QvPoint(5000, 24000), Qt::ShiftModifier);
    ASSERT_EQ(doc->GetFigureCount(), 1);
    ASSERT_TRUE(dynamic_cast<QvFigRectangle*>(doc->GetFigure(0)));
    const std::vector<QvPoint> square = {QvPoint(3000, 27000), QvPoint(5000, 27000),
                                         QvPoint(5000, 25000), QvPoint(3000, 25000)};
    EXPECT_EQ(Points(doc->GetFigure(0)), square);

    // A point by one click.
    PickTool(frame, ID_DRAW_POINT);
    ClickOnPage(view, QvPoint(10000, 24000));
    ASSERT_EQ(doc->GetFigureCount(), 2);
    ASSERT_TRUE(dynamic_cast<QvFigPoint*>(doc->GetFigure(1)));
    EXPECT_EQ(Points(doc->GetFigure(1)), std::vector<QvPoint>{QvPoint(10000, 24000)});

    // A polygon: the first edge dragged, three clicks, a double click on
    // the last of them.
    const std::vector<QvPoint> five = {QvPoint(14000, 27000), QvPoint(20000, 27000),
                                       QvPoint(21000, 23000), QvPoint(17000, 21000),
                                       QvPoint(13000, 23000)};
    PickTool(frame, ID_DRAW_POLYGON);
    DragOnPage(view, five[0], five[1]);
    ClickOnPage(view, five[2]);
    ClickOnPage(view, five[3]);
    ClickOnPage(view, five[4]);
    EXPECT_EQ(doc->GetFigureCount(), 2);
    const QPoint last = view->LogicalToCanvas(CRect(13000, 23000, 13000, 23000)).topLeft();
    QTest::mouseDClick(view->Canvas(), Qt::LeftButton, Qt::NoModifier, last);
    QTest::mouseRelease(view->Canvas(), Qt::LeftButton, Qt::NoModifier, last);
    ASSERT_EQ(doc->GetFigureCount(), 3);
    QvFigure* polygon = doc->GetFigure(2);
    ASSERT_TRUE(dynamic_cast<QvFigPolygon*>(polygon));
    EXPECT_EQ(Points(polygon), five);
    EXPECT_EQ(app.m_nCurrentTool, ID_DRAW_SELECT);

    // A right-click on vertex 2 deletes it; Undo brings it back.
    const QPoint onVertex = view->LogicalToCanvas(CRect(21100, 23100, 21100, 23100)).topLeft();
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, onVertex);
    EXPECT_EQ(Points(polygon), (std::vector<QvPoint>{five[0], five[1], five[3], five[4]}));
    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    EXPECT_EQ(Points(polygon), five);

    // Saved, closed and opened again: the same drawing, byte for byte.
    const QByteArray drawn = DrawingBytes(doc);
    app.saveAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_SAVE));
    ASSERT_TRUE(frame->GetActiveChild()->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app.openAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_OPEN));
    Lumbrel2Doc* opened = ActiveDoc(app);
    ASSERT_TRUE(opened);
    EXPECT_EQ(DrawingBytes(opened), drawn);
    ASSERT_EQ(opened->GetFigureCount(), 3);
    EXPECT_EQ(Points(opened->GetFigure(0)), square);
    EXPECT_EQ(Points(opened->GetFigure(2)), five);
    // The opened polygon still edits its vertices.
    view = ActiveView(app);
    ASSERT_TRUE(view);
    QCoreApplication::processEvents();
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier,
                      view->LogicalToCanvas(CRect(21100, 23100, 21100, 23100)).topLeft());
    EXPECT_EQ(opened->GetFigure(2)->GetPointCount(), 4);
    EXPECT_TRUE(recorder.messages.empty());
}

// Figures copied in one drawing paste into a new one, also once the first
// is closed.
TEST(EditMenuEndToEnd, CopyInOneDrawingPasteInANewOne) {
    TempProfile profile;
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(1);
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(view);
    QCoreApplication::processEvents();
    PickTool(frame, ID_DRAW_LINE);
    DragOnPage(view, QvPoint(2000, 28000), QvPoint(6000, 26000));
    Lumbrel2Doc* first = ActiveDoc(app);
    ASSERT_EQ(first->GetFigureCount(), 1);
    ASSERT_TRUE(Choose(ID_EDIT_SELECT_ALL));
    ASSERT_TRUE(Choose(ID_EDIT_COPY));

    ASSERT_TRUE(Choose(ID_FILE_NEW));
    Lumbrel2Doc* second = ActiveDoc(app);
    ASSERT_TRUE(second);
    ASSERT_NE(second, first);
    {
        MessageRecorder recorder(IDNO); // the first drawing is not kept
        for (CChildFrame* child : frame->findChildren<CChildFrame*>()) {
            if (child->GetActiveView() && child->GetActiveView()->GetDocument() == first) {
                ASSERT_TRUE(child->close());
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ASSERT_EQ(app.GetDocTemplate()->Documents().size(), 1u);
    ASSERT_TRUE(Choose(ID_EDIT_PASTE));
    ASSERT_EQ(second->GetFigureCount(), 1);
    auto* pasted = dynamic_cast<QvFigLine*>(second->GetFigure(0));
    ASSERT_TRUE(pasted);
    const double step = second->Grid().GetSpacing();
    EXPECT_EQ(pasted->DefiningPoints()[0], QvPoint(2000 + step, 28000 - step));
}

// Edit>Reflect acts on the selected figures of the drawing, one undo level
// each time; with nothing selected it is off.
TEST(EditMenuEndToEnd, ReflectFromTheMenu) {
    TempProfile profile;
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(1);
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(view);
    QCoreApplication::processEvents();
    PickTool(frame, ID_DRAW_LINE);
    DragOnPage(view, QvPoint(2000, 28000), QvPoint(6000, 26000));
    Lumbrel2Doc* doc = ActiveDoc(app);
    ASSERT_EQ(doc->GetFigureCount(), 1);
    QvFigure* line = doc->GetFigure(0);
    EXPECT_FALSE(Choose(ID_EDIT_REFLECT_HORIZONTAL));

    PickTool(frame, ID_DRAW_SELECT);
    ClickOnPage(view, QvPoint(4000, 27000));
    ASSERT_EQ(doc->GetSelectedCount(), 1);
    const int levels = doc->UndoManager().GetLevel();
    ASSERT_TRUE(Choose(ID_EDIT_REFLECT_HORIZONTAL));
    EXPECT_NEAR(line->DefiningPoints()[0].y, 26000, 1e-6);
    EXPECT_NEAR(line->DefiningPoints()[1].y, 28000, 1e-6);
    EXPECT_EQ(doc->UndoManager().GetLevel(), levels + 1);
    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(2000, 28000));
}

} // namespace
