// Every figure kind built so far, through the same paths: save and open,
// copy and paste, edits, delete and undo, snapping to its own points.  A new
// figure kind joins with one row in kFigureKinds.
#include "common/test_support.h"
#include "document/undo_manager.h"
#include "document_test_support.h"
#include "geometry/snap_kind.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>

#include <cctype>
#include <vector>

namespace {

struct SnapProbe {
    QvPoint pointer;  // where the pointer is
    QvPoint expected; // the figure's own point it must land on
};

struct FigureKind {
    const char* name;
    int toolId;
    std::vector<QvPoint> clicks;  // creation clicks, the last one completes
    std::vector<SnapProbe> snaps; // probed at drawing level 2, grid 500
    bool traced = false;          // the clicks are a trace: press, moves, release
    // Never complete by itself: the view ends it after the last click.
    bool endedByView = false;
    // A group: these figures, made by their clicks, grouped.
    struct Member {
        int toolId;
        std::vector<QvPoint> clicks;
    };
    std::vector<Member> members = {};
    // Figures the row's figure needs in the drawing first (tool and
    // clicks): an angle mark marks two.
    std::vector<std::pair<int, std::vector<QvPoint>>> before = {};
    // A defining point that holds no position and never moves.
    int placeholder = -1;
};

void PrintTo(const FigureKind& kind, std::ostream* os) {
    *os << kind.name;
}

// Points are kept off the 500 grid so that a snap to the grid never passes
// for a snap to the figure.
const std::vector<FigureKind> kFigureKinds = {
    {"line",
     ID_DRAW_LINE,
     {QvPoint(1130, 1170), QvPoint(6130, 4170)},
     {{QvPoint(1180, 1140), QvPoint(1130, 1170)},   // end
      {QvPoint(3650, 2690), QvPoint(3630, 2670)}}}, // mid point
    {"arrow line", ID_DRAW_ARROW_LINE, {QvPoint(1130, 1170), QvPoint(6130, 4170)}, {}},
    {"circle in a square",
     ID_DRAW_CIRCLE_4C,
     {QvPoint(4130, 4170), QvPoint(6130, 2170)},
     {{QvPoint(5110, 3150), QvPoint(5130, 3170)}}}, // centre
    {"circle: centre and point",
     ID_DRAW_CIRCLE_CR,
     {QvPoint(8130, 8170), QvPoint(9130, 8170)},
     {{QvPoint(8150, 8150), QvPoint(8130, 8170)}}},
    {"circle: diameter",
     ID_DRAW_CIRCLE_D,
     {QvPoint(1130, 1170), QvPoint(3130, 1170)},
     {{QvPoint(2110, 1190), QvPoint(2130, 1170)}}},
    {"circle: three points",
     ID_DRAW_CIRCLE_3P,
     {QvPoint(1130, 1170), QvPoint(3130, 1170), QvPoint(2130, 2170)},
     {{QvPoint(2110, 1190), QvPoint(2130, 1170)}}},
    {"Bezier curve",
     ID_DRAW_BEZIER,
     {QvPoint(1130, 1170), QvPoint(6130, 1170), QvPoint(2130, 3170), QvPoint(5130, 3170)},
     {{QvPoint(1150, 1150), QvPoint(1130, 1170)},   // start
      {QvPoint(6110, 1190), QvPoint(6130, 1170)}}}, // end
    {"smooth line",
     ID_DRAW_SMOOTH_LINE,
     {QvPoint(1130, 1170), QvPoint(2130, 1670), QvPoint(3130, 1170), QvPoint(4130, 1670)},
     {{QvPoint(1150, 1150), QvPoint(1130, 1170)}, {QvPoint(4110, 1690), QvPoint(4130, 1670)}},
     true},
    {"triangle",
     ID_DRAW_TRIANGLE,
     {QvPoint(1130, 1170), QvPoint(4130, 1170), QvPoint(1130, 5170)},
     {{QvPoint(4110, 1190), QvPoint(4130, 1170)},   // vertex B
      {QvPoint(2650, 3190), QvPoint(2630, 3170)}}}, // middle of BC
    {"ellipse: four corners",
     ID_DRAW_ELLIPSE_4C,
     {QvPoint(1130, 1170), QvPoint(5130, 3170)},
     {{QvPoint(3110, 2190), QvPoint(3130, 2170)},   // centre
      {QvPoint(5110, 2150), QvPoint(5130, 2170)}}}, // end of axis
    {"ellipse: axis and point",
     ID_DRAW_ELLIPSE_AP,
     {QvPoint(1130, 1170), QvPoint(5130, 1170), QvPoint(3130, 2170)},
     {{QvPoint(3150, 1190), QvPoint(3130, 1170)}}},
    {"ellipse: foci and point",
     ID_DRAW_ELLIPSE_FP,
     {QvPoint(1130, 1170), QvPoint(2330, 1170), QvPoint(1730, 1970)},
     {{QvPoint(1150, 1190), QvPoint(1130, 1170)}}}, // focus
    {"ellipse: four points",
     ID_DRAW_ELLIPSE_4P,
     {QvPoint(1130, 1170), QvPoint(5130, 1170), QvPoint(3130, 670), QvPoint(3130, 1670)},
     {{QvPoint(3110, 1150), QvPoint(3130, 1170)}}},
    {"arc: centre and two points",
     ID_DRAW_ARC_C2P,
     {QvPoint(3130, 3170), QvPoint(5130, 3170), QvPoint(3130, 5170)},
     {{QvPoint(3150, 3150), QvPoint(3130, 3170)},                   // centre
      {QvPoint(4542, 4588), QvPoint(4544.2135624, 4584.2135624)}}}, // mid point of arc
    {"arc: three points",
     ID_DRAW_ARC_3P,
     {QvPoint(1130, 1170), QvPoint(5130, 1170), QvPoint(3130, 3170)},
     {{QvPoint(3150, 1190), QvPoint(3130, 1170)}, {QvPoint(5110, 1190), QvPoint(5130, 1170)}}},
    // Its ends lie at fractions of the box's sides: this height keeps them
    // exact through a move and back, which the undo compares by the byte.
    {"arc in a box",
     ID_DRAW_ARC_4P,
     {QvPoint(1130, 1170), QvPoint(5130, 2180)},
     {{QvPoint(3150, 1690), QvPoint(3130, 1675)}}},
    {"rectangle",
     ID_DRAW_RECTANGLE,
     {QvPoint(1130, 1170), QvPoint(6130, 4170)},
     {{QvPoint(6150, 4150), QvPoint(6130, 4170)},   // corner
      {QvPoint(3650, 1190), QvPoint(3630, 1170)},   // mid point of an edge
      {QvPoint(2730, 1190), QvPoint(2730, 1170)}}}, // on an edge
    {"point", ID_DRAW_POINT, {QvPoint(2130, 2170)}, {{QvPoint(2150, 2150), QvPoint(2130, 2170)}}},
    // Its lattice: 2 mm minor lines from the bottom-left corner.
    {"graph paper",
     ID_DRAW_GRID_DOT,
     {QvPoint(1130, 4170), QvPoint(6130, 1170)},
     {{QvPoint(1340, 1390), QvPoint(1330, 1370)}, {QvPoint(6110, 4150), QvPoint(6130, 4170)}}},
    {"polygon",
     ID_DRAW_POLYGON,
     {QvPoint(1130, 1170), QvPoint(6130, 1170), QvPoint(6130, 4170), QvPoint(3630, 6170),
      QvPoint(1130, 4170)},
     {{QvPoint(3630, 6190), QvPoint(3630, 6170)},  // vertex
      {QvPoint(3650, 1190), QvPoint(3630, 1170)},  // mid point of an edge
      {QvPoint(2730, 1190), QvPoint(2730, 1170)}}, // on an edge
     false,
     true},
    {"normal curve",
     ID_DRAW_NORMAL_CURVE,
     {QvPoint(1130, 4170), QvPoint(11130, 1170)},
     {{QvPoint(11110, 1190), QvPoint(11130, 1170)}}}, // corner
    // Diagrams of many parts offer no special points below the unlimited
    // level.
    {"two circle Venn diagram", ID_DRAW_VENN2, {QvPoint(1130, 6170), QvPoint(7130, 1170)}, {}},
    {"three circle Venn diagram", ID_DRAW_VENN3, {QvPoint(1130, 7170), QvPoint(7130, 1170)}, {}},
    {"gallery figure", ID_DRAW_GALLERY_FIGURE, {QvPoint(1130, 1170), QvPoint(6130, 4170)}, {}},
    // Boxes of text offer the snap search nothing of their own.
    {"text box", ID_DRAW_TEXT, {QvPoint(1130, 4170), QvPoint(6130, 1170)}, {}},
    {"equation box", ID_DRAW_EQUATION, {QvPoint(1130, 4170), QvPoint(6130, 1170)}, {}},
    {"rounded rectangle",
     ID_DRAW_ROUND_RECT,
     {QvPoint(1130, 1170), QvPoint(6130, 4170)},
     {{QvPoint(3650, 1190), QvPoint(3630, 1170)},   // mid point of a side
      {QvPoint(2630, 1195), QvPoint(2630, 1170)}}}, // where a corner starts
    {"group",
     ID_TOOL_GROUP,
     {},
     {{QvPoint(1150, 1150), QvPoint(1130, 1170)},  // a member's corner
      {QvPoint(6150, 2190), QvPoint(6130, 2170)}}, // a member's centre
     false,
     false,
     {{ID_DRAW_RECTANGLE, {QvPoint(1130, 1170), QvPoint(4130, 3170)}},
      {ID_DRAW_CIRCLE_CR, {QvPoint(6130, 2170), QvPoint(7130, 2170)}},
      {ID_DRAW_ARC_3P, {QvPoint(1130, 5170), QvPoint(5130, 5170), QvPoint(3130, 6170)}}}},
    // The clicks are on the two lines; the snap search names them.
    {"angle mark",
     ID_DRAW_ANGLE_MARK,
     {QvPoint(5130, 2190), QvPoint(4150, 4170)},
     {{QvPoint(2590, 2340), QvPoint(2573.4621756, 2353.6880476)}}, // label point
     false,
     false,
     {},
     {{ID_DRAW_LINE, {QvPoint(2130, 2170), QvPoint(8130, 2170)}},
      {ID_DRAW_LINE, {QvPoint(2130, 2170), QvPoint(5130, 5170)}}},
     2},
};

QByteArray FigureBytes(const QvFigure* f) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    ar.WriteObject(f);
    return bytes;
}

QByteArray StoreDoc(Lumbrel2Doc& doc) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    doc.Serialize(ar);
    return bytes;
}

void LoadDoc(Lumbrel2Doc& doc, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    doc.Serialize(ar);
}

int g_level = 2;

class AllFiguresTest : public DocumentTest, public ::testing::WithParamInterface<FigureKind> {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        m_previousReader = QvSetMADLevelReader([] { return g_level; });
        doc = std::make_unique<Lumbrel2Doc>();
        doc->Grid().SetSpacing(500);
        doc->Grid().SetIsometric(false);
    }
    void TearDown() override {
        doc.reset();
        QvSetMADLevelReader(m_previousReader);
    }

    // A figure made by its clicks as the view makes it: the snap search
    // runs at each point, which names the figure under it.
    QvFigure* Make() { return Make(GetParam().toolId, GetParam().clicks); }
    QvFigure* Make(int toolId, const std::vector<QvPoint>& clicks) {
        const FigureKind& kind = GetParam();
        std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(toolId);
        QvFigure* f = made.get();
        const auto track = [&](QvPoint p) {
            doc->FindSnapPoint(int(p.x), int(p.y), g_level, f, 1, {});
            f->TrackCreatePoint(p, {});
        };
        EXPECT_NE(f, nullptr) << kind.name;
        if (!f)
            return nullptr;
        if (kind.traced && toolId == kind.toolId) {
            // As the view traces: the press, each move, the release.
            track(clicks.front());
            f->CreateClick();
            for (size_t i = 1; i < clicks.size(); ++i) {
                f->CreateClick();
                track(clicks[i]);
            }
            f->CreateClick();
            track(clicks.back());
            return made.release();
        }
        bool done = false;
        for (const QvPoint& p : clicks) {
            EXPECT_FALSE(done) << kind.name << ": completed before its last click";
            track(p);
            done = f->CreateClick();
        }
        if (kind.endedByView && toolId == kind.toolId) {
            EXPECT_FALSE(done) << kind.name;
            // The point under the pointer goes, as when the view ends it.
            f->SetClickCount(f->GetClickCount() - 1);
            f->SetPointCount(f->GetPointCount() - 1);
            f->BuildFromPoints();
            done = true;
        }
        EXPECT_TRUE(done) << kind.name;
        return made.release();
    }
    // The figures the row needs, then its own, which is returned.
    QvFigure* Add() {
        const FigureKind& kind = GetParam();
        if (!kind.members.empty()) {
            // As the user groups: the members drawn first, then grouped.
            doc->ClearSelection();
            for (const FigureKind::Member& m : kind.members) {
                std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(m.toolId);
                QvFigure* member = made.get();
                for (const QvPoint& p : m.clicks) {
                    member->TrackCreatePoint(p, {});
                    member->CreateClick();
                }
                doc->AddFigure(made.release());
                doc->AddToSelection(member);
            }
            doc->GroupSelection();
            EXPECT_EQ(doc->GetFigureCount(), 1);
            prior = 0;
            return doc->GetFirstSelected();
        }
        for (const auto& [tool, clicks] : GetParam().before)
            doc->AddFigure(Make(tool, clicks));
        prior = doc->GetFigureCount();
        QvFigure* f = Make();
        if (f)
            doc->AddFigure(f);
        return f;
    }
    void Select(QvFigure* f) {
        doc->ClearSelection();
        doc->AddToSelection(f);
        doc->EndSelectionChange(nullptr);
    }
    // The row's figure with the figures it needs.
    void SelectAll() { doc->SelectAll(); }

    TempProfile profile;
    Lumbrel2App app;
    std::unique_ptr<Lumbrel2Doc> doc;
    int prior = 0; // figures added before the row's own
    QvMADLevelReader m_previousReader = nullptr;
};

TEST_P(AllFiguresTest, SavesAndOpensBackEqual) {
    QvFigure* f = Add();
    ASSERT_TRUE(f);
    f->SetLineColour(RGB(200, 10, 20));
    f->SetFillColour(RGB(0, 128, 255));
    QByteArray stored = StoreDoc(*doc);

    Lumbrel2Doc loaded;
    LoadDoc(loaded, stored);
    ASSERT_EQ(loaded.GetFigureCount(), prior + 1);
    QvFigure* back = loaded.GetFigure(prior);
    // Tool ids are not stored: a line drawn with the arrow tool loads as a
    // line, its arrowheads in its record.
    if (f->GetToolId() == QvFigLine::ArrowToolId)
        f->SetToolId(QvFigLine::ToolId);
    EXPECT_STREQ(back->GetRuntimeClass()->m_lpszClassName, f->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(FigureBytes(back), FigureBytes(f));
    EXPECT_EQ(back->GetBoundRect(), f->GetBoundRect());
    EXPECT_EQ(back->GetDescription(), f->GetDescription());
    // And it writes what it was read from.
    EXPECT_EQ(StoreDoc(loaded), StoreDoc(*doc));
}

TEST_P(AllFiguresTest, CopiesPastesAndUndoes) {
    QvFigure* f = Add();
    ASSERT_TRUE(f);
    SelectAll();
    doc->OnEditCopy();
    doc->OnEditPaste();
    ASSERT_EQ(doc->GetFigureCount(), 2 * (prior + 1));
    QvFigure* pasted = doc->GetFigure(2 * prior + 1);
    // A figure placed from a gallery is copied as a plain group.
    EXPECT_STREQ(pasted->GetRuntimeClass()->m_lpszClassName,
                 GetParam().toolId == Lumbrel2Doc::GalleryFigureToolId
                     ? "QvFigGroup"
                     : f->GetRuntimeClass()->m_lpszClassName);
    ASSERT_EQ(pasted->GetPointCount(), f->GetPointCount());
    for (int i = 0; i < f->GetPointCount(); ++i)
        EXPECT_EQ(pasted->DefiningPoints()[i],
                  f->DefiningPoints()[i] +
                      (i == GetParam().placeholder ? QvVector() : QvVector(500, -500)));

    doc->OnEditUndo();
    EXPECT_EQ(doc->GetFigureCount(), prior + 1);
    doc->OnEditRedo();
    EXPECT_EQ(doc->GetFigureCount(), 2 * (prior + 1));
}

TEST_P(AllFiguresTest, EditsAndDeleteUndoBackToTheSameBytes) {
    QvFigure* f = Add();
    ASSERT_TRUE(f);
    doc->RebuildPointCaches();
    const QByteArray before = FigureBytes(f);
    const CRect bounds = f->GetBoundRect();

    SelectAll();
    doc->OffsetSelection(QvVector(1000, 2000));
    doc->RecordMove();
    doc->RebuildPointCaches();
    CRect moved = f->GetBoundRect();
    EXPECT_EQ(moved.left, bounds.left + 1000);
    EXPECT_EQ(moved.top, bounds.top + 2000);
    doc->OnEditUndo();
    EXPECT_EQ(FigureBytes(f), before);
    EXPECT_EQ(f->GetBoundRect(), bounds);

    // A grip drag, a reflection and a colour: undone to the same bytes,
    // redone to the same bytes again.
    Select(f);
    const QvPoint grip = f->DefiningPoints()[0] + QvVector(123.25, -77.5);
    doc->MoveHandleOfSelected(0, grip, CPoint(int(grip.x), int(grip.y)), {});
    doc->RecordResize();
    SelectAll();
    doc->OnCmdMsg(ID_EDIT_REFLECT_Y_EQUALS_X);
    SelectAll();
    doc->ApplyLineColour(RGB(10, 200, 30));
    const QByteArray after = FigureBytes(f);
    while (doc->UndoManager().CanUndo())
        doc->OnEditUndo();
    EXPECT_EQ(FigureBytes(f), before);
    while (doc->UndoManager().CanRedo())
        doc->OnEditRedo();
    EXPECT_EQ(FigureBytes(f), after);
    while (doc->UndoManager().CanUndo())
        doc->OnEditUndo();

    Select(f);
    doc->DeleteSelection();
    EXPECT_EQ(doc->GetFigureCount(), prior);
    doc->OnEditUndo();
    ASSERT_EQ(doc->GetFigureCount(), prior + 1);
    EXPECT_EQ(FigureBytes(doc->GetFigure(prior)), before);
}

TEST_P(AllFiguresTest, SnapsToItsOwnPoints) {
    Add();
    doc->RebuildPointCaches();
    for (const SnapProbe& probe : GetParam().snaps) {
        QvPoint p =
            doc->FindSnapPoint(int(probe.pointer.x), int(probe.pointer.y), 2, nullptr, 1, {}).point;
        EXPECT_NEAR(p.x, probe.expected.x, 1e-6) << GetParam().name;
        EXPECT_NEAR(p.y, probe.expected.y, 1e-6) << GetParam().name;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, AllFiguresTest, ::testing::ValuesIn(kFigureKinds),
                         [](const ::testing::TestParamInfo<FigureKind>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name;
                         });

} // namespace
