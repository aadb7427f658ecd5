// The drawing's own commands: nudges, the reflection mirrors, the special
// tools, Save To Gallery, where Save As starts, the grid, the definition
// file, and the whole drawing as one object for other programs.
#include "common/test_support.h"
#include "diagrams/gallery_test_support.h"
#include "document/lumbrel2_srvr_item.h"
#include "document/undo_manager.h"
#include "document_test_support.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/command_target.h"
#include "platform/dc.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <vector>

namespace {

class DocumentCommandsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        TheSettings().m_MADLevel.SetValue(0);
        galleryPath = TheSettings().m_GalleryPath.GetValue();
        TheSettings().m_GalleryPath.SetValue(galleries.path());
        WriteGallery(galleries.filePath(QStringLiteral("shapes.gal")), QStringLiteral("Shapes"), 1);
        saved = Lumbrel2Doc::SetCommandDialogs({});
        doc = std::make_unique<Lumbrel2Doc>();
    }
    void TearDown() override {
        Lumbrel2Doc::SetCommandDialogs(saved);
        TheSettings().m_GalleryPath.SetValue(galleryPath);
    }

    QvFigure* Add(QvFigure* f) {
        doc->AddFigure(f);
        return f;
    }
    void Select(std::initializer_list<QvFigure*> figures) { SelectFigures(*doc, figures); }
    bool Enabled(UINT id) {
        CCmdUI ui(id);
        EXPECT_TRUE(doc->OnUpdateCmdMsg(ui)) << id;
        return ui.m_bEnabled;
    }
    static void ExpectNear(QvPoint a, QvPoint b, double tol = 1e-6) {
        EXPECT_NEAR(a.x, b.x, tol);
        EXPECT_NEAR(a.y, b.y, tol);
    }

    TempProfile profile;
    QTemporaryDir galleries;
    Lumbrel2Doc::CommandDialogs saved;
    QString galleryPath;
    std::unique_ptr<Lumbrel2Doc> doc;
};

// ----------------------------------------------------------------- nudges

TEST_F(DocumentCommandsTest, EachNudgeMovesByItsStepAsOneUndoLevel) {
    struct Case {
        UINT id;
        double dx, dy;
    };
    const Case cases[] = {
        {ID_NUDGE_UP, 0, 25},           {ID_NUDGE_DOWN, 0, -25},
        {ID_NUDGE_LEFT, -25, 0},        {ID_NUDGE_RIGHT, 25, 0},
        {ID_NUDGE_UP_LARGE, 0, 100},    {ID_NUDGE_DOWN_LARGE, 0, -100},
        {ID_NUDGE_LEFT_LARGE, -100, 0}, {ID_NUDGE_RIGHT_LARGE, 100, 0},
        {ID_NUDGE_UP_SMALL, 0, 5},      {ID_NUDGE_DOWN_SMALL, 0, -5},
        {ID_NUDGE_LEFT_SMALL, -5, 0},   {ID_NUDGE_RIGHT_SMALL, 5, 0},
    };
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    QvFigure* circle = Add(MakeCircle(QvPoint(6000, 4000), 1000));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Select({line, circle});
        doc->SetModifiedFlag(FALSE);
        ASSERT_TRUE(doc->OnCmdMsg(c.id));
        ExpectNear(line->DefiningPoints()[0], QvPoint(1000 + c.dx, 1000 + c.dy));
        ExpectNear(circle->DefiningPoints()[0], QvPoint(6000 + c.dx, 4000 + c.dy));
        // Hit where it now is.
        EXPECT_TRUE(line->HitTest(QvPoint(2000 + c.dx, 1000 + c.dy), 1e-6));
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(doc->UndoManager().GetLevel(), 1);
        doc->OnEditUndo();
        EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 1000));
        EXPECT_EQ(circle->DefiningPoints()[0], QvPoint(6000, 4000));
        EXPECT_EQ(doc->UndoManager().GetLevel(), 0);
    }
    // Nothing selected: nothing moves, nothing to undo, nothing changed.
    Select({});
    doc->SetModifiedFlag(FALSE);
    doc->OnCmdMsg(ID_NUDGE_RIGHT_SMALL);
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 1000));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);
    EXPECT_FALSE(doc->IsModified());
}

// ------------------------------------------------------------- reflections

TEST_F(DocumentCommandsTest, ReflectionMirrorsRunThroughTheSelectionsCentre) {
    struct Case {
        UINT id;
        CRect bounds;
        QvPoint p1, p2;
    };
    const CRect wide(1000, 2000, 1400, 2200); // 400 by 200, centre (1200, 2100)
    const CRect upright(500, 700, 500, 900);  // no width
    const CRect flat(500, 700, 900, 700);     // no height
    const Case cases[] = {
        {ID_EDIT_REFLECT_HORIZONTAL, wide, {1000, 2100}, {1400, 2100}},
        {ID_EDIT_REFLECT_VERTICAL, wide, {1200, 2000}, {1200, 2200}},
        {ID_EDIT_REFLECT_Y_EQUALS_X, wide, {800, 1700}, {1600, 2500}},
        {ID_EDIT_REFLECT_Y_EQUALS_MINUS_X, wide, {800, 2500}, {1600, 1700}},
        // Still a mirror of some length across a selection of no size.
        {ID_EDIT_REFLECT_HORIZONTAL, upright, {499, 800}, {501, 800}},
        {ID_EDIT_REFLECT_VERTICAL, upright, {500, 700}, {500, 900}},
        {ID_EDIT_REFLECT_VERTICAL, flat, {700, 699}, {700, 701}},
        {ID_EDIT_REFLECT_Y_EQUALS_X, CRect(5, 5, 5, 5), {4, 4}, {6, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const QvGRLine mirror = Lumbrel2Doc::ReflectionMirror(c.id, c.bounds);
        EXPECT_EQ(mirror.p1, c.p1);
        EXPECT_EQ(mirror.p2, c.p2);
    }
}

// ------------------------------------------------------------------ tools

TEST_F(DocumentCommandsTest, SpecialToolsTakeOverAndCommandsOnTheSelectionWaitForOne) {
    auto app = std::make_unique<Lumbrel2App>();
    doc = std::make_unique<Lumbrel2Doc>();
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 1000)));
    for (UINT id : {ID_DRAW_GRAPH, ID_DRAW_STAT_GRAPH, ID_DRAW_NORMAL_CURVE, ID_DRAW_VENN2,
                    ID_DRAW_VENN3, ID_DRAW_NUMBER_LINE, ID_DRAW_GRID_DOT, ID_DRAW_TRIANGLE}) {
        SCOPED_TRACE(id);
        Select({line});
        ASSERT_TRUE(doc->OnCmdMsg(id));
        EXPECT_EQ(app->m_nCurrentTool, id);
        EXPECT_EQ(doc->GetSelectedCount(), 0);
        CCmdUI ui(id);
        ASSERT_TRUE(doc->OnUpdateCmdMsg(ui));
        EXPECT_EQ(ui.m_nCheck, 1);
        // Greyed while no figure of the kind can be made.
        EXPECT_EQ(ui.m_bEnabled, QvFigure::CanCreateForTool(int(id)));
    }
    const UINT needSelection[] = {
        ID_FILE_SAVE_TO_GALLERY,          ID_EDIT_REFLECT_HORIZONTAL,
        ID_EDIT_REFLECT_VERTICAL,         ID_EDIT_REFLECT_Y_EQUALS_X,
        ID_EDIT_REFLECT_Y_EQUALS_MINUS_X, ID_ROTATE_15_CLOCKWISE,
        ID_ROTATE_15_COUNTERCLOCKWISE,    ID_ROTATE_1_CLOCKWISE,
        ID_ROTATE_1_COUNTERCLOCKWISE,
    };
    for (UINT id : needSelection) {
        Select({});
        EXPECT_FALSE(Enabled(id)) << id;
        Select({line});
        EXPECT_TRUE(Enabled(id)) << id;
    }
}

// -------------------------------------------------------- Save To Gallery

// A new drawing reads no gallery: the folder set in the options is listed
// when the galleries are first asked for.
TEST_F(DocumentCommandsTest, GalleriesAreReadWhenFirstAskedFor) {
    WriteGallery(galleries.filePath(QStringLiteral("zebras.gal")), QStringLiteral("Zebras"), 1);
    QvGalleryList& list = doc->Galleries();
    EXPECT_EQ(list.GetFolder(), galleries.path() + QLatin1Char('/'));
    ASSERT_EQ(list.GetGalleryCount(), 2);
    EXPECT_EQ(list.GetGalleryTitle(0), QStringLiteral("Shapes"));
    EXPECT_EQ(list.GetGalleryTitle(1), QStringLiteral("Zebras"));
}

TEST_F(DocumentCommandsTest, GalleryFigureKeepsTheSelectionsProportionsInItsBox) {
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(5000, 3000)));
    QvFigure* circle = Add(MakeCircle(QvPoint(7000, 2000), 500));
    Select({line, circle});
    const CRect b = doc->GetSelectionBounds();
    std::unique_ptr<QvFigGallery> g = doc->MakeGalleryFigureOfSelection();
    ASSERT_TRUE(g);
    EXPECT_DOUBLE_EQ(g->GetAspectRatio(), double(b.Height()) / b.Width());
    EXPECT_EQ(g->DefiningPoints()[0], QvPoint(b.left, b.top));
    EXPECT_EQ(g->DefiningPoints()[2], QvPoint(b.right, b.bottom));
    ASSERT_EQ(g->Members().size(), 2u);
    for (const QvFigure* m : g->Members()) {
        EXPECT_EQ(m->GetGroupNesting(), 1);
        for (int i = 0; i < m->DefiningPoints().GetSize(); ++i) {
            const QvPoint p = m->DefiningPoints()[i];
            EXPECT_TRUE(p.x >= 0 && p.x <= 1000 && p.y >= 0 && p.y <= 1000) << p.x << "," << p.y;
        }
    }
    // The drawing is as it was.
    EXPECT_EQ(line->GetGroupNesting(), 0);
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(1000, 1000));
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);

    // Placed over the same box by a drag from its top-left corner, the
    // members lie where the figures were.
    QvFigGallery placed;
    placed.CopyGalleryFigure(g.get());
    const QvPoint corners[4] = {{double(b.left), double(b.bottom)},
                                {double(b.right), double(b.bottom)},
                                {double(b.right), double(b.top)},
                                {double(b.left), double(b.top)}};
    for (int i = 0; i < 4; ++i)
        placed.DefiningPoints()[i] = corners[i];
    placed.MapToFrame(NullFrame);
    const QvFigure* originals[2] = {line, circle};
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 2; ++i)
            ExpectNear(placed.Members()[size_t(k)]->DisplayPoints()[i],
                       originals[k]->DefiningPoints()[i], 1e-6);
}

TEST_F(DocumentCommandsTest, SelectedGalleryFigureIsCopiedFromItself) {
    // Nothing is chosen in the browser: the copy cannot come from there.
    ASSERT_FALSE(doc->Galleries().HasSelectedFigure());
    QvFigure* placed = Add(MakeGalleryFigure(0.5).release());
    Select({placed});
    std::unique_ptr<QvFigGallery> g = doc->MakeGalleryFigureOfSelection();
    ASSERT_TRUE(g);
    ASSERT_EQ(g->Members().size(), 1u);
    auto* copy = dynamic_cast<const QvFigGallery*>(g->Members()[0]);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Members().size(), 2u);
    EXPECT_EQ(copy->GetAspectRatio(), 0.5);
}

TEST_F(DocumentCommandsTest, SaveToGalleryWritesTheGalleryOrSaysWhyNot) {
    const QString path = galleries.filePath(QStringLiteral("shapes.gal"));
    int asked = 0;
    int answer = -1;
    Lumbrel2Doc::CommandDialogs dialogs;
    dialogs.chooseGallery = [&](QvGalleryList& list) {
        EXPECT_EQ(&list, &doc->Galleries());
        ++asked;
        return answer;
    };
    Lumbrel2Doc::SetCommandDialogs(dialogs);
    auto storedCount = [&] {
        QvGallery stored;
        stored.Load(path);
        return stored.GetFigureCount();
    };
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(5000, 3000)));
    Select({line});
    MessageRecorder recorder;

    // Cancel writes nothing.
    doc->OnCmdMsg(ID_FILE_SAVE_TO_GALLERY);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(storedCount(), 1);
    EXPECT_EQ(recorder.beeps, 0);

    answer = 0;
    doc->OnCmdMsg(ID_FILE_SAVE_TO_GALLERY);
    EXPECT_EQ(storedCount(), 2);
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);

    // A gallery that cannot be written is reported, not beeped at.
    ASSERT_TRUE(QDir(galleries.path()).removeRecursively());
    doc->OnCmdMsg(ID_FILE_SAVE_TO_GALLERY);
    EXPECT_EQ(recorder.beeps, 1);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, QvGallery::WriteFailedMessage(path));

    // A selection without width or height is refused before anything is
    // asked.
    recorder.messages.clear();
    asked = 0;
    QvFigure* dot = Add(new DotFigure(QvPoint(500, 700)));
    Select({dot});
    EXPECT_FALSE(doc->MakeGalleryFigureOfSelection());
    doc->OnCmdMsg(ID_FILE_SAVE_TO_GALLERY);
    EXPECT_EQ(asked, 0);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_TRUE(recorder.messages[0].text.contains(QStringLiteral("no width or no height")));
}

// -------------------------------------------------------------- Save paths

TEST_F(DocumentCommandsTest, SaveProposalTable) {
    struct Case {
        const char* folder;
        const char* proposal;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/u/Docs", "T.kw2", "/home/u/Docs/T.kw2"},          // never saved
        {"/home/u/Docs/", "T.kw2", "/home/u/Docs/T.kw2"},         // one separator
        {"/home/u/Docs", "/srv/other/T.kw2", "/srv/other/T.kw2"}, // opened elsewhere
        {"", "T.kw2", "T.kw2"},                                   // no default folder
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lumbrel2Doc::SaveProposal(QString::fromLatin1(c.folder),
                                            QString::fromLatin1(c.proposal)),
                  QString::fromLatin1(c.expected))
            << c.folder << " " << c.proposal;
}

// ------------------------------------------------------ grid and DEF file

TEST_F(DocumentCommandsTest, GridDialogSetsTheGridWithoutMarkingTheDrawing) {
    std::optional<GridValues> answer;
    GridValues shown;
    Lumbrel2Doc::CommandDialogs dialogs;
    dialogs.grid = [&](GridValues& grid) {
        shown = grid;
        if (answer)
            grid = *answer;
        return answer.has_value();
    };
    Lumbrel2Doc::SetCommandDialogs(dialogs);
    doc->Grid().SetSpacing(500);
    doc->SetModifiedFlag(FALSE);
    doc->OnCmdMsg(ID_TOOLS_GRID); // cancelled
    EXPECT_EQ(shown.spacing, 500);
    EXPECT_EQ(doc->Grid().GetSpacing(), 500);
    answer = GridValues{750, 1, FALSE};
    doc->OnCmdMsg(ID_TOOLS_GRID);
    EXPECT_EQ(doc->Grid().GetSpacing(), 750);
    EXPECT_TRUE(doc->Grid().IsIsometric());
    EXPECT_FALSE(doc->Grid().IsShown());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->UndoManager().GetLevel(), 0);
}

TEST_F(DocumentCommandsTest, WriteDefinitionFileNamesTheFolderItWentTo) {
    QTemporaryDir folder;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    MessageRecorder recorder;
    EXPECT_TRUE(doc->OnCmdMsg(ID_WRITE_DEF_FILE));
    QDir::setCurrent(before);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("Lumbrel2.def"))));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Definition File"));
    EXPECT_TRUE(recorder.messages[0].text.contains(folder.path()));
}

// ------------------------------------------------- the drawing as an object

// Pixels with any ink: a transparent picture has none.
int Ink(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(line[x]) != 0;
    }
    return n;
}

QImage Render(CLumbrel2SrvrItem& item, CSize& size) {
    CSize extent;
    EXPECT_TRUE(item.OnGetExtent(DVASPECT_CONTENT, extent));
    QImage image(int(extent.cx), int(extent.cy), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    CDC dc(&image);
    EXPECT_TRUE(item.OnDraw(&dc, size));
    EXPECT_EQ(size, extent);
    return image;
}

TEST_F(DocumentCommandsTest, EmptyDrawingIsABlank500By500) {
    std::unique_ptr<CLumbrel2SrvrItem> item = doc->OnGetEmbeddedItem();
    CSize size;
    const QImage image = Render(*item, size);
    EXPECT_EQ(size, CSize(500, 500));
    EXPECT_EQ(Ink(image), 0);
    CSize icon;
    EXPECT_FALSE(item->OnGetExtent(DVASPECT_ICON, icon));
}

TEST_F(DocumentCommandsTest, DrawingIsDrawnAtItsSizeAndLeftAsItWas) {
    QvFigure* line = Add(MakeLine(QvPoint(1000, 1000), QvPoint(1600, 1400)));
    Add(MakeCircle(QvPoint(2200, 1500), 300));
    doc->SetModifiedFlag(FALSE);
    const CRect bounds = doc->GetDrawingBounds();
    const int points = doc->CharacteristicPoints().GetCount();
    std::unique_ptr<CLumbrel2SrvrItem> item = doc->OnGetEmbeddedItem();
    CSize size;
    const QImage image = Render(*item, size);
    EXPECT_EQ(size, CSize(bounds.Width() + 500, bounds.Height() + 500));
    // Ink, all of it inside the margin.
    EXPECT_GT(Ink(image), 0);
    EXPECT_EQ(Ink(image.copy(240, 240, int(size.cx) - 480, int(size.cy) - 480)), Ink(image));
    // The figures are where they were, the drawing unchanged.
    EXPECT_EQ(line->DisplayPoints()[0], QvPoint(1000, 1000));
    EXPECT_TRUE(line->HitTest(QvPoint(1300, 1200), 1e-6));
    EXPECT_EQ(doc->GetDrawingBounds(), bounds);
    EXPECT_EQ(doc->CharacteristicPoints().GetCount(), points);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocumentCommandsTest, ObjectDataIsTheDrawingFile) {
    Add(MakeLine(QvPoint(1000, 1000), QvPoint(3000, 2000)));
    Add(MakeCircle(QvPoint(6000, 4000), 1000));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.kw2"));
    ASSERT_TRUE(doc->OnSaveDocument(path));
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        doc->OnGetEmbeddedItem()->Serialize(ar);
    }
    EXPECT_EQ(bytes, ReadBytes(path));
    // And it loads as the file does.
    Lumbrel2Doc loaded;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    loaded.OnGetEmbeddedItem()->Serialize(ar);
    EXPECT_EQ(loaded.GetFigureCount(), 2);
}

// The colour and picture-file choices go through the dialogs the shell
// installs; with none installed the commands change nothing.
TEST_F(DocumentCommandsTest, ColourAndPictureChoicesAskTheInstalledDialogs) {
    QvFigure* line = Add(MakeLine(QvPoint(0, 0), QvPoint(1000, 0)));
    Select({line});
    doc->OnCmdMsg(ID_FORMAT_LINE_COLOUR);
    EXPECT_EQ(line->GetEditData()->m_lineColor, RGB(0, 0, 0));

    COLORREF offered = 0;
    std::vector<COLORREF> offeredCustom;
    Lumbrel2Doc::CommandDialogs dialogs;
    dialogs.chooseColour = [&](COLORREF& colour, QvColorScheme& custom) {
        offered = colour;
        offeredCustom.assign(custom.Data(), custom.Data() + QvColorScheme::Count);
        custom[15] = RGB(1, 2, 3);
        colour = RGB(200, 0, 0);
        return true;
    };
    int fileAsked = 0;
    dialogs.chooseWebGraphicFile = [&](QString&) {
        ++fileAsked;
        return false; // cancelled: nothing is written
    };
    Lumbrel2Doc::SetCommandDialogs(dialogs);
    doc->OnCmdMsg(ID_FORMAT_LINE_COLOUR);
    EXPECT_EQ(offered, RGB(0, 0, 0));
    // A new document offers six greys, light to dark, as its first custom
    // colours, and white for the rest.
    const std::vector<COLORREF> greys = {0xF0F0F0, 0xC8C8C8, 0xA0A0A0, 0x828282, 0x646464, 0x3C3C3C,
                                         0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                         0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    EXPECT_EQ(offeredCustom, greys);
    EXPECT_EQ(line->GetEditData()->m_lineColor, RGB(200, 0, 0));
    EXPECT_EQ(doc->CustomColors()[15], RGB(1, 2, 3));
    doc->OnCmdMsg(ID_WEB_SAVE_ALL);
    EXPECT_EQ(fileAsked, 1);
}

} // namespace
