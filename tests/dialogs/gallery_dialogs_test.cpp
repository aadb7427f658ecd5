// The gallery browser, driven through the modal seam as a user would:
// choosing galleries, scrolling, clicking thumbnails and pressing its
// buttons, with the small dialogs answered on the way.
#include "common/test_support.h"
#include "diagrams/gallery_test_support.h"
#include "dialogs/data_combo_box.h"
#include "dialogs/gallery_dialogs.h"

#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>

namespace {

using Browser = CSelectGalleryFigureDlg;

class GalleryBrowserTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { SetModalDialogHandler(nullptr); }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // Runs the browser on `list`; `act` plays the user, then the browser
    // is closed.  Other dialogs it opens go to `answer`.
    void Browse(QvGalleryList& list, const std::function<void(Browser&)>& act,
                const std::function<void(CDialog&)>& answer = {}) {
        SetModalDialogHandler([&](CDialog& d) {
            if (auto* browser = dynamic_cast<Browser*>(&d)) {
                browser->show();
                act(*browser);
                browser->EndDialog(IDOK);
                return;
            }
            ASSERT_TRUE(answer) << "an unexpected dialog";
            answer(d);
        });
        Browser dlg;
        dlg.m_pGalleryList = &list;
        dlg.DoModal();
        SetModalDialogHandler(nullptr);
    }
    static void Show(Browser& b, const QString& title) {
        int item = b.m_comboGallery->findText(title);
        ASSERT_GE(item, 0) << title.toStdString();
        b.m_comboGallery->setCurrentIndex(item);
    }
    static void ClickCell(Browser& b, int column, int row) {
        QTest::mouseClick(&b, Qt::LeftButton, Qt::NoModifier,
                          Browser::CellRect(column, row).center());
    }
    // Is the red selection frame drawn on the left edge of the cell?
    static bool FramedCell(Browser& b, int column, int row) {
        QImage image = b.grab().toImage();
        QRect cell = Browser::CellRect(column, row);
        return image.pixel(cell.left(), cell.center().y()) == qRgb(255, 0, 0);
    }

    QTemporaryDir dir;
};

TEST_F(GalleryBrowserTest, ScrollRangeFollowsTheShownGallery) {
    const std::map<int, int> rangeByCount = {{9, 0}, {10, 0}, {11, 0}, {12, 1}, {13, 1}, {30, 7}};
    for (auto [count, range] : rangeByCount)
        WriteGallery(Path(QString::number(count) + ".gal"), QStringLiteral("G%1").arg(count, 2),
                     count);
    QvGalleryList list;
    list.Scan(dir.path());
    Browse(list, [&](Browser& b) {
        ASSERT_EQ(b.m_comboGallery->count(), 6);
        for (auto [count, range] : rangeByCount) {
            Show(b, QStringLiteral("G%1").arg(count, 2));
            EXPECT_EQ(b.m_scrollBar->minimum(), 0) << count;
            EXPECT_EQ(b.m_scrollBar->maximum(), range) << count;
            EXPECT_EQ(b.m_scrollBar->value(), 0) << count;
        }
    });
}

TEST_F(GalleryBrowserTest, ClickingCellFiveAtScrollTwoSelectsFigureTen) {
    WriteGallery(Path("a.gal"), QStringLiteral("Thirty"), 30);
    WriteGallery(Path("b.gal"), QStringLiteral("Three"), 3);
    QvGalleryList list;
    list.Scan(dir.path());
    Browse(list, [&](Browser& b) {
        Show(b, QStringLiteral("Thirty"));
        EXPECT_EQ(b.m_strFigureText, Browser::NoImageText());
        EXPECT_FALSE(b.m_btnEditFigure->isEnabled());
        b.m_scrollBar->setValue(2);
        EXPECT_EQ(b.m_nFirstShown, 6);
        ClickCell(b, 1, 1);
        EXPECT_EQ(list.GetSelectedGallery(), 0);
        EXPECT_EQ(list.GetSelectedFigure(), 10);
        EXPECT_EQ(b.m_editFigureText->toPlainText(), "10");
        EXPECT_TRUE(FramedCell(b, 1, 1));
        for (QPushButton* on : {b.m_btnEditFigure, b.m_btnDeleteFigure, b.m_btnMoveUp,
                                b.m_btnMoveDown, b.m_btnChangeTitle, b.m_btnEditGallery})
            EXPECT_TRUE(on->isEnabled()) << on->text().toStdString();

        // An empty cell changes nothing.
        b.m_scrollBar->setValue(7);
        ClickCell(b, 2, 3);
        EXPECT_EQ(list.GetSelectedFigure(), 10);

        // Another gallery shows no choice, and Delete and Move have
        // nothing to act on there.
        Show(b, QStringLiteral("Three"));
        EXPECT_EQ(b.m_editFigureText->toPlainText(), Browser::NoImageText());
        EXPECT_FALSE(FramedCell(b, 1, 1));
        for (QPushButton* off :
             {b.m_btnEditFigure, b.m_btnDeleteFigure, b.m_btnMoveUp, b.m_btnMoveDown})
            EXPECT_FALSE(off->isEnabled()) << off->text().toStdString();
        EXPECT_TRUE(b.m_btnChangeTitle->isEnabled());
    });
    // The choice stands after the browser closed.
    EXPECT_EQ(list.GetSelectedFigure(), 10);
}

TEST_F(GalleryBrowserTest, ThumbnailsFitTheRatioAndLeaveTheStoredFiguresAlone) {
    const QPoint corner(27, 52);
    EXPECT_EQ(Browser::ThumbnailRect(corner, 2.0), QRectF(45, 52, 36, 72));
    EXPECT_EQ(Browser::ThumbnailRect(corner, 0.5), QRectF(27, 70, 72, 36));
    EXPECT_EQ(Browser::ThumbnailRect(corner, 1.0), QRectF(27, 52, 72, 72));

    WriteGallery(Path("a.gal"), QStringLiteral("Two"), 2);
    const QByteArray file = ReadBytes(Path("a.gal"));
    QvGalleryList list;
    list.Scan(dir.path());
    ASSERT_EQ(list.GetFigureCount(0), 2);
    const QByteArray stored = Store(list.GetFigure(0, 0));
    Browse(list, [&](Browser& b) {
        QImage image = b.grab().toImage();
        auto inked = [&](QRect box) {
            int n = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    n += image.pixel(x, y) != qRgb(255, 255, 255);
            return n;
        };
        // Ink in the first thumbnail box, none in the empty third cell.
        EXPECT_GT(inked(Browser::ThumbnailRect(corner, 0.5).toRect()), 100);
        EXPECT_EQ(inked(Browser::CellRect(2, 0).adjusted(4, 4, -4, -4)), 0);
    });
    EXPECT_EQ(Store(list.GetFigure(0, 0)), stored);
    EXPECT_TRUE(list.SetGalleryDescription(QString(), 0));
    EXPECT_EQ(ReadBytes(Path("a.gal")), file);
}

TEST_F(GalleryBrowserTest, AnUnwritableGalleryDisablesDeleteTitleAndMove) {
    WriteGallery(Path("a.gal"), QStringLiteral("Locked"), 3);
    Unwritable lock(Path("a.gal"));
    if (!lock.ok)
        GTEST_SKIP() << "no way to make a file unwritable here";
    QvGalleryList list;
    list.Scan(dir.path());
    Browse(list, [&](Browser& b) {
        ClickCell(b, 1, 0);
        ASSERT_EQ(list.GetSelectedFigure(), 1);
        for (QPushButton* off :
             {b.m_btnDeleteFigure, b.m_btnChangeTitle, b.m_btnMoveUp, b.m_btnMoveDown})
            EXPECT_FALSE(off->isEnabled()) << off->text().toStdString();
        EXPECT_TRUE(b.m_btnEditGallery->isEnabled());
        EXPECT_TRUE(b.m_btnEditFigure->isEnabled());
        EXPECT_TRUE(b.m_btnAddGallery->isEnabled());
    });
}

TEST_F(GalleryBrowserTest, ButtonsChangeTheShownGalleryAndSayWhenItCannotBeWritten) {
    WriteGallery(Path("a.gal"), QStringLiteral("Three"), 3);
    QvGalleryList list;
    list.Scan(dir.path());
    int deleteAsked = 0;
    Browse(
        list,
        [&](Browser& b) {
            ClickCell(b, 0, 0);
            b.m_btnMoveDown->click();
            EXPECT_EQ(list.GetSelectedFigure(), 1);
            EXPECT_FALSE(FramedCell(b, 0, 0));
            EXPECT_TRUE(FramedCell(b, 1, 0));
            b.m_btnEditFigure->click(); // described "first"
            b.m_btnEditGallery->click();
            ClickCell(b, 2, 0);
            b.m_btnDeleteFigure->click();
            EXPECT_EQ(list.GetSelectedFigure(), -1);
            EXPECT_EQ(b.m_strFigureText, Browser::NoImageText());

            // A change that cannot be written is said.
            ClickCell(b, 1, 0);
            Unwritable lock(dir.path());
            if (!lock.ok)
                return;
            MessageRecorder recorder;
            b.m_btnMoveUp->click();
            ASSERT_EQ(recorder.messages.size(), 1u);
            EXPECT_EQ(recorder.messages[0].text, QvGallery::WriteFailedMessage(Path("a.gal")));
        },
        [&](CDialog& d) {
            if (auto* description = dynamic_cast<CGalleryDescriptionDlg*>(&d)) {
                description->m_editText->setPlainText(description->m_strText == "0"
                                                          ? QStringLiteral("first")
                                                          : QStringLiteral("Shapes to reuse"));
            } else if (auto* deleting = dynamic_cast<CDeleteGalleryFigureDlg*>(&d)) {
                ++deleteAsked;
                // A copy is shown, never the figure the gallery keeps.
                EXPECT_TRUE(deleting->m_pFigure);
                EXPECT_NE(deleting->m_pFigure, list.GetFigure(0, 2));
            }
            d.accept();
        });
    EXPECT_EQ(deleteAsked, 1);
    QvGallery back;
    back.Load(Path("a.gal"));
    EXPECT_EQ(back.GetGalleryDescription(), "Shapes to reuse");
    ASSERT_EQ(back.GetFigureCount(), 2);
    EXPECT_EQ(back.GetFigureAt(0)->GetAspectRatio(), 0.625);
    EXPECT_EQ(back.GetDescription(1), "first");
}

TEST_F(GalleryBrowserTest, AddGalleryAsksBeforeReusingATitleAndRetitlingKeepsTheFile) {
    WriteGallery(Path("Shapes.gal"), QStringLiteral("Shapes"), 1);
    const QByteArray shapes = ReadBytes(Path("Shapes.gal"));
    QvGalleryList list;
    list.Scan(dir.path());
    QString newTitle;
    MessageRecorder recorder(IDNO);
    Browse(
        list,
        [&](Browser& b) {
            newTitle = QStringLiteral("Shapes");
            b.m_btnAddGallery->click(); // asked, and answered No
            ASSERT_EQ(recorder.messages.size(), 1u);
            EXPECT_EQ(b.m_comboGallery->count(), 1);
            recorder.answer = IDYES;
            b.m_btnAddGallery->click();
            EXPECT_EQ(b.m_comboGallery->count(), 2);
            newTitle = QStringLiteral("Trees");
            b.m_btnAddGallery->click(); // no question for a new title
            EXPECT_EQ(recorder.messages.size(), 2u);
            EXPECT_EQ(b.m_comboGallery->count(), 3);

            Show(b, QStringLiteral("Trees"));
            newTitle = QStringLiteral("Forests");
            b.m_btnChangeTitle->click();
            EXPECT_GE(b.m_comboGallery->findText(QStringLiteral("Forests")), 0);
        },
        [&](CDialog& d) {
            if (auto* created = dynamic_cast<CNewGalleryDlg*>(&d))
                created->m_editTitle->setText(newTitle);
            if (auto* retitled = dynamic_cast<CGalleryTitleDlg*>(&d)) {
                EXPECT_EQ(retitled->m_strCurrentTitle, "Trees");
                retitled->m_editNewTitle->setText(newTitle);
            }
            d.accept();
        });
    QDir folder(dir.path());
    EXPECT_EQ(folder.entryList({QStringLiteral("*.gal")}, QDir::Files, QDir::Name),
              (QStringList{"Shapes (2).gal", "Shapes.gal", "Trees.gal"}));
    EXPECT_EQ(ReadBytes(Path("Shapes.gal")), shapes);
    QvGallery trees;
    trees.ReadTitle(Path("Trees.gal"));
    EXPECT_EQ(trees.GetTitle(), "Forests");
}

TEST_F(GalleryBrowserTest, SelectGalleryListsTitlesInOrderAndReturnsTheIndex) {
    WriteGallery(Path("1.gal"), QStringLiteral("Trees"), 1);
    WriteGallery(Path("2.gal"), QStringLiteral("animals"), 1);
    QvGalleryList list;
    list.Scan(dir.path());
    auto choose = [&](const std::function<void(CSelectGalleryDlg&)>& act) {
        SetModalDialogHandler([&](CDialog& d) { act(dynamic_cast<CSelectGalleryDlg&>(d)); });
        int chosen = RunSelectGallery(list);
        SetModalDialogHandler(nullptr);
        return chosen;
    };
    // Nothing chosen before: the first title in order is offered.
    EXPECT_EQ(choose([](CSelectGalleryDlg& d) {
                  ASSERT_EQ(d.m_listGalleries->count(), 2);
                  EXPECT_EQ(d.m_listGalleries->item(0)->text(), "animals");
                  d.accept();
              }),
              1);
    // The gallery of the figure chosen in the browser is offered next.
    list.Select(0, 0);
    EXPECT_EQ(choose([](CSelectGalleryDlg& d) { d.accept(); }), 0);
    // A double click chooses as OK does.
    EXPECT_EQ(choose([](CSelectGalleryDlg& d) {
                  d.show();
                  QCoreApplication::processEvents();
                  QListWidget* titles = d.m_listGalleries;
                  QPoint at = titles->visualItemRect(titles->item(0)).center();
                  QTest::mouseClick(titles->viewport(), Qt::LeftButton, Qt::NoModifier, at);
                  QTest::mouseDClick(titles->viewport(), Qt::LeftButton, Qt::NoModifier, at);
              }),
              1);
    EXPECT_EQ(choose([](CSelectGalleryDlg& d) { d.reject(); }), -1);
}

} // namespace
