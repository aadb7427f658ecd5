// A user picks a figure in the gallery browser, places it twice with the
// mouse (freely, and with Shift to keep its proportions), saves the drawing
// and opens it again.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "diagrams/gallery_test_support.h"
#include "dialogs/gallery_dialogs.h"
#include "document/lumbrel2_doc.h"
#include "framework/child_frame.h"
#include "framework/doc_template.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "platform/profile.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

void ExpectBox(const QvFigure* f, QvPoint c0, QvPoint c2) {
    const QvPointArray& p = f->DefiningPoints();
    EXPECT_EQ(p[0], c0);
    EXPECT_EQ(p[1], QvPoint(c2.x, c0.y));
    EXPECT_EQ(p[2], c2);
    EXPECT_EQ(p[3], QvPoint(c0.x, c2.y));
}

TEST(GalleryEndToEnd, PickPlaceWithAndWithoutShiftSaveAndOpen) {
    TempProfile profile;
    QTemporaryDir galleries, drawings;
    WriteGallery(galleries.filePath(QStringLiteral("shapes.gal")), QStringLiteral("Shapes"), 2);
    WriteProfileString("System", "GalleryPath", galleries.path());
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(1); // grid points
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2Doc* doc = ActiveDoc(app);
    ASSERT_TRUE(doc);
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(view);
    QCoreApplication::processEvents();

    // Nothing chosen yet: the gallery tool is off, and closing the browser
    // without a choice leaves the tool alone.
    EXPECT_FALSE(Enabled(ID_DRAW_GALLERY_FIGURE));
    SetModalDialogHandler([](CDialog& d) { d.reject(); });
    ASSERT_TRUE(Choose(ID_SELECT_GALLERY_FIGURE));
    EXPECT_NE(app.m_nCurrentTool, ID_DRAW_GALLERY_FIGURE);

    // Choosing the first thumbnail and closing selects the gallery tool.
    SetModalDialogHandler([](CDialog& d) {
        auto* browser = dynamic_cast<CSelectGalleryFigureDlg*>(&d);
        ASSERT_TRUE(browser);
        browser->show();
        QTest::mouseClick(browser, Qt::LeftButton, Qt::NoModifier,
                          CSelectGalleryFigureDlg::CellRect(0, 0).center());
        browser->reject();
    });
    ASSERT_TRUE(Choose(ID_SELECT_GALLERY_FIGURE));
    SetModalDialogHandler(nullptr);
    EXPECT_EQ(app.m_nCurrentTool, ID_DRAW_GALLERY_FIGURE);
    EXPECT_TRUE(Enabled(ID_DRAW_GALLERY_FIGURE));

    DragOnPage(view, QvPoint(4000, 24000), QvPoint(8000, 20000));
    DragOnPage(view, QvPoint(12000, 24000), QvPoint(20000, 14000), Qt::ShiftModifier);

    ASSERT_EQ(doc->GetFigureCount(), 2);
    std::vector<QByteArray> placed;
    for (int i = 0; i < 2; ++i) {
        auto* g = dynamic_cast<QvFigGallery*>(doc->GetFigure(i));
        ASSERT_TRUE(g);
        EXPECT_EQ(g->GetAspectRatio(), 0.5);
        EXPECT_EQ(g->Members().size(), 2u);
        placed.push_back(Store(g));
    }
    ExpectBox(doc->GetFigure(0), QvPoint(4000, 24000), QvPoint(8000, 20000));
    // Shift: the width limits the box, half as high as wide.
    ExpectBox(doc->GetFigure(1), QvPoint(12000, 24000), QvPoint(20000, 20000));

    // Both placed figures go back into the gallery as one figure.
    doc->SelectAll();
    {
        MessageRecorder recorder;
        SetModalDialogHandler([](CDialog& d) {
            ASSERT_TRUE(dynamic_cast<CSelectGalleryDlg*>(&d));
            d.accept();
        });
        ASSERT_TRUE(Choose(ID_FILE_SAVE_TO_GALLERY));
        SetModalDialogHandler(nullptr);
        EXPECT_EQ(recorder.beeps, 1);
        EXPECT_TRUE(recorder.messages.empty());
    }
    QvGallery stored;
    stored.Load(galleries.filePath(QStringLiteral("shapes.gal")));
    ASSERT_EQ(stored.GetFigureCount(), 3);
    EXPECT_EQ(stored.GetFigureAt(2)->Members().size(), 2u);
    EXPECT_EQ(doc->GetFigureCount(), 2);

    const QString path = drawings.filePath(QStringLiteral("placed.kw2"));
    app.saveAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_SAVE));
    {
        MessageRecorder recorder;
        ASSERT_TRUE(frame->GetActiveChild()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(recorder.messages.empty());
    }
    app.openAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_OPEN));
    Lumbrel2Doc* opened = ActiveDoc(app);
    ASSERT_TRUE(opened);
    ASSERT_EQ(opened->GetFigureCount(), 2);
    for (int i = 0; i < 2; ++i) {
        auto* g = dynamic_cast<QvFigGallery*>(opened->GetFigure(i));
        ASSERT_TRUE(g);
        EXPECT_EQ(Store(g), placed[size_t(i)]) << i;
    }
}

// A dialog's button by its text, as the user finds it.
QPushButton* Button(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text().remove(QLatin1Char('&')) == text)
            return button;
    return nullptr;
}

// The first Save To Gallery, with no gallery yet: the dialog makes one as
// the browser's Add Gallery does, and the figure goes into it.
TEST(GalleryEndToEnd, SaveToGalleryWithNoGalleryMakesOneFirst) {
    TempProfile profile;
    QTemporaryDir galleries;
    WriteProfileString("System", "GalleryPath", galleries.path());
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    Lumbrel2Doc* doc = ActiveDoc(app);
    ASSERT_TRUE(doc);
    Lumbrel2View* view = ActiveView(app);
    QCoreApplication::processEvents();
    PickTool(app.GetMainFrame(), ID_DRAW_LINE);
    DragOnPage(view, QvPoint(4000, 24000), QvPoint(8000, 20000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    doc->SelectAll();

    MessageRecorder recorder;
    int listed = -1;
    bool okAtFirst = true;
    SetModalDialogHandler([&](CDialog& d) {
        if (auto* created = dynamic_cast<CNewGalleryDlg*>(&d)) {
            created->m_editTitle->setText(QStringLiteral("Worksheets"));
            created->accept();
            return;
        }
        auto* choose = dynamic_cast<CSelectGalleryDlg*>(&d);
        ASSERT_TRUE(choose);
        choose->show();
        ASSERT_EQ(choose->m_listGalleries->count(), 0);
        QPushButton* ok = Button(choose, QStringLiteral("OK"));
        QPushButton* add = Button(choose, QStringLiteral("Add Gallery"));
        ASSERT_TRUE(ok && add);
        okAtFirst = ok->isEnabled();
        ASSERT_TRUE(add->isEnabled());
        add->click();
        listed = choose->m_listGalleries->count();
        ASSERT_NE(choose->m_listGalleries->currentItem(), nullptr);
        EXPECT_EQ(choose->m_listGalleries->currentItem()->text(), QStringLiteral("Worksheets"));
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    });
    ASSERT_TRUE(Choose(ID_FILE_SAVE_TO_GALLERY));
    SetModalDialogHandler(nullptr);
    EXPECT_FALSE(okAtFirst); // nothing to choose yet
    EXPECT_EQ(listed, 1);
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(recorder.beeps, 1);

    QvGallery stored;
    stored.Load(galleries.filePath(QStringLiteral("Worksheets.gal")));
    EXPECT_EQ(stored.GetTitle(), QStringLiteral("Worksheets"));
    ASSERT_EQ(stored.GetFigureCount(), 1);
    EXPECT_EQ(stored.GetFigureAt(0)->Members().size(), 1u);
}

} // namespace
