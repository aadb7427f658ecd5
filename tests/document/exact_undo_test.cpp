// Undo is exact: seeded random sequences of edits (add, move, grip drag,
// reflect, delete, format, paste), on a drawing with groups and a figure of
// every kind (an angle mark on two lines among them), undone to the
// starting bytes and redone to the final bytes.
#include "common/test_support.h"
#include "document/lumbrel2_view.h"
#include "document/undo_manager.h"
#include "document_test_support.h"
#include "figures/fig_group.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>
#include <random>
#include <set>

namespace {

// Copies go to the application's list only: no picture for other programs,
// which would make the test slow.
class NoPictureDoc : public Lumbrel2Doc {
protected:
    QClipboard* OpenClipboard() override { return nullptr; }
};

QByteArray DrawingBytes(Lumbrel2Doc& doc) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    doc.Serialize(ar);
    return bytes;
}

// Each figure stored on its own, in sorted order: the drawing less the
// order of its figures.
std::vector<QByteArray> SortedFigureBytes(const Lumbrel2Doc& doc) {
    std::vector<QByteArray> all;
    for (const QvFigure* f : doc.Figures()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        ar.WriteObject(f);
        all.push_back(bytes);
    }
    std::sort(all.begin(), all.end());
    return all;
}

// Every format command saves the settings, and each save waits for the
// disk: while alive, temporary files (the test's profile) go to memory where
// the system has such a place.
class TempFilesInMemory {
public:
    TempFilesInMemory() : m_old(qgetenv("TMPDIR")), m_had(qEnvironmentVariableIsSet("TMPDIR")) {
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    ~TempFilesInMemory() {
        if (m_had)
            qputenv("TMPDIR", m_old);
        else
            qunsetenv("TMPDIR");
    }

private:
    QByteArray m_old;
    bool m_had;
};

class ExactUndoTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        TheSettings().m_MADLevel.SetValue(0); // the pointer as it is
    }

    double Coord() { return std::uniform_real_distribution<double>(2000.0, 28000.0)(random); }
    // Drawn one after the other: the order of arguments is not fixed.
    QvPoint Point() {
        const double x = Coord();
        return QvPoint(x, Coord());
    }
    QvFigure* Line() {
        const QvPoint a = Point();
        return MakeLine(a, Point());
    }
    COLORREF Colour() {
        const int r = Pick(256), g = Pick(256);
        return RGB(r, g, Pick(256));
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    // Lines and circles of every kind, and a group holding a group.
    void StartDrawing() {
        for (int i = 0; i < 3; ++i)
            doc->AddFigure(Line());
        doc->AddFigure(MakeCircle(Point(), 1500.0));
        QvFigure* inner[2];
        inner[0] = Line();
        inner[1] = MakeCircle(Point(), 700.0);
        for (QvFigure* f : inner)
            doc->AddFigure(f);
        SelectOnly({inner[0], inner[1]});
        doc->GroupSelection();
        QvFigure* group = doc->GetFirstSelected();
        QvFigure* outer[4] = {group};
        outer[1] = Made(QvFigCircle3C::ToolId, 3);
        outer[2] = Made(QvFigCircleD::ToolId, 2);
        outer[3] = Made(QvFigCircle::ToolId, 2);
        for (size_t i = 1; i < std::size(outer); ++i)
            doc->AddFigure(outer[i]);
        SelectOnly({outer[0], outer[1], outer[2], outer[3]});
        doc->GroupSelection();
        doc->AddFigure(Made(QvFigCircle3C::ToolId, 3));
        // One of every other kind, each made by its clicks.
        struct Kind {
            int tool;
            std::vector<QvPoint> clicks; // from a random point
        };
        const Kind kinds[] = {
            {ID_DRAW_ELLIPSE_4C, {{0, 0}, {4000, -2000}}},
            {ID_DRAW_ELLIPSE_AP, {{0, 0}, {4000, 0}, {2000, 1000}}},
            {ID_DRAW_ELLIPSE_FP, {{0, 0}, {1200, 0}, {600, 800}}},
            {ID_DRAW_ELLIPSE_4P, {{0, 0}, {4000, 0}, {2000, -500}, {2000, 500}}},
            {ID_DRAW_ARC_C2P, {{0, 0}, {2000, 0}, {0, 2000}}},
            {ID_DRAW_ARC_3P, {{0, 0}, {4000, 0}, {2000, 2000}}},
            {ID_DRAW_ARC_4P, {{0, 0}, {4000, 1010}}},
            {ID_DRAW_BEZIER, {{0, 0}, {5000, 0}, {1000, 2000}, {4000, 2000}}},
            {ID_DRAW_TRIANGLE, {{0, 0}, {3000, 0}, {0, 4000}}},
            {ID_DRAW_TEXT, {{0, 3000}, {5000, 0}}},
            {ID_DRAW_GRID_DOT, {{0, 3000}, {5000, 0}}},
            {ID_DRAW_VENN2, {{0, 5000}, {6000, 0}}},
            {ID_DRAW_VENN3, {{0, 6000}, {6000, 0}}},
            {ID_DRAW_NORMAL_CURVE, {{0, 3000}, {10000, 0}}},
        };
        for (const Kind& k : kinds) {
            std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(k.tool);
            const QvPoint at = Point();
            for (const QvPoint& c : k.clicks) {
                f->TrackCreatePoint(QvPoint(at.x + c.x, at.y + c.y), {});
                f->CreateClick();
            }
            doc->AddFigure(f.release());
        }
        doc->AddFigure(SmoothLine());
        AddAngleMark();
        doc->ClearSelection();
        doc->UndoManager().Clear();
    }
    // Traced as the view traces it: the press, each move, the release.
    QvFigure* SmoothLine() {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(ID_DRAW_SMOOTH_LINE);
        const QvPoint at = Point();
        const QvPoint trace[] = {at, at + QvVector(1000, 500), at + QvVector(2000, 0),
                                 at + QvVector(3000, 500)};
        f->TrackCreatePoint(trace[0], {});
        f->CreateClick();
        for (size_t i = 1; i < std::size(trace); ++i) {
            f->CreateClick();
            f->TrackCreatePoint(trace[i], {});
        }
        f->CreateClick();
        f->TrackCreatePoint(trace[std::size(trace) - 1], {});
        return f.release();
    }
    // Two lines from a point and the mark between them, its clicks named
    // by the snap search.
    void AddAngleMark() {
        const QvPoint v = Point();
        doc->AddFigure(MakeLine(v, v + QvVector(6000, 0)));
        doc->AddFigure(MakeLine(v, v + QvVector(3000, 3000)));
        doc->RebuildPointCaches();
        std::unique_ptr<QvFigure> mark = doc->CreateFigureForTool(ID_DRAW_ANGLE_MARK);
        bool done = false;
        for (const QvVector& c : {QvVector(3000, 20), QvVector(2000, 2020)}) {
            const QvPoint p = v + c;
            mark->TrackCreatePoint(
                doc->FindSnapPoint(int(p.x), int(p.y), 2, mark.get(), 1, {}).point, {});
            done = mark->CreateClick();
        }
        ASSERT_TRUE(done);
        doc->AddFigure(mark.release());
    }
    QvFigure* Made(int tool, int clicks) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(tool);
        const QvPoint at = Point();
        const QvPoint offsets[] = {QvPoint(0, 0), QvPoint(1800, 300), QvPoint(700, 1900)};
        for (int i = 0; i < clicks; ++i) {
            f->TrackCreatePoint(QvPoint(at.x + offsets[i].x, at.y + offsets[i].y), {});
            f->CreateClick();
        }
        return f.release();
    }
    void SelectOnly(std::initializer_list<QvFigure*> figures) {
        doc->ClearSelection();
        for (QvFigure* f : figures)
            doc->AddToSelection(f);
    }
    // A random non-empty part of the drawing, or one figure.
    void SelectSome(bool one = false) {
        doc->ClearSelection();
        const std::vector<QvFigure*> all = doc->Figures();
        if (one) {
            doc->AddToSelection(all[size_t(Pick(int(all.size())))]);
            return;
        }
        for (QvFigure* f : all)
            if (Pick(3) == 0)
                doc->AddToSelection(f);
        if (doc->GetSelectedCount() == 0)
            doc->AddToSelection(all.front());
    }
    QvVector Offset() {
        std::uniform_real_distribution<double> d(-2500.0, 2500.0);
        const double x = d(random);
        return QvVector(x, d(random));
    }

    // One random edit; true when it deleted a figure of the start.
    bool Edit(const std::set<QvFigure*>& start) {
        const int what = doc->GetFigureCount() == 0 ? 0 : Pick(7);
        switch (what) {
        case 0: { // drawn with the mouse
            const UINT tools[] = {ID_DRAW_LINE, ID_DRAW_CIRCLE_CR, ID_DRAW_CIRCLE_D};
            EXPECT_TRUE(doc->OnCmdMsg(tools[Pick(3)]));
            const QvPoint p = Point();
            const CPoint a(int(p.x), int(p.y));
            const CPoint b(a.x + 1500, a.y - 800);
            view->OnLButtonDown(Qt::NoModifier, a);
            view->OnMouseMove(Qt::NoModifier, b);
            view->OnLButtonUp(Qt::NoModifier, b);
            return false;
        }
        case 1:
            SelectSome();
            doc->OffsetSelection(Offset());
            doc->OffsetSelection(Offset());
            doc->RecordMove();
            return false;
        case 2: {
            SelectSome(true);
            QvFigure* f = doc->GetFirstSelected();
            const int grip = Pick(f->GetPointCount());
            const QvPoint to = f->DefiningPoints()[grip] + Offset();
            doc->MoveHandleOfSelected(grip, to, CPoint(int(to.x), int(to.y)), {});
            doc->RecordResize();
            return false;
        }
        case 3: {
            SelectSome();
            const UINT ids[] = {ID_EDIT_REFLECT_HORIZONTAL, ID_EDIT_REFLECT_VERTICAL,
                                ID_EDIT_REFLECT_Y_EQUALS_X, ID_EDIT_REFLECT_Y_EQUALS_MINUS_X};
            doc->OnCmdMsg(ids[Pick(4)]);
            return false;
        }
        case 4: {
            SelectSome();
            bool ofStart = false;
            for (QvFigure* f : doc->Selection())
                ofStart = ofStart || start.count(f);
            doc->DeleteSelection();
            return ofStart;
        }
        case 5:
            SelectSome();
            switch (Pick(4)) {
            case 0:
                doc->ApplyLineColour(Colour());
                break;
            case 1:
                doc->ApplyFillColour(Colour());
                break;
            case 2:
                doc->ApplyLineStyle(int(ID_LINE_DASH) + Pick(4));
                break;
            default:
                doc->ApplyFillStyle(int(ID_FILL_NONE) + Pick(4));
                break;
            }
            return false;
        default:
            SelectSome();
            doc->CopySelectionToClipboard();
            doc->PasteFromClipboard();
            return false;
        }
    }

    TempFilesInMemory memory;
    TempProfile profile;
    MessageRecorder messages; // "Cannot open the Clipboard"
    std::mt19937 random{20240917};
    std::unique_ptr<Lumbrel2App> app;
    std::unique_ptr<NoPictureDoc> doc;
    std::unique_ptr<Lumbrel2View> view;
};

TEST_F(ExactUndoTest, UndoAllGivesTheStartingBytesAndRedoAllTheFinal) {
    int exact = 0;
    int reordered = 0;
    for (int sequence = 0; sequence < 300; ++sequence) {
        SCOPED_TRACE(sequence);
        app = std::make_unique<Lumbrel2App>();
        doc = std::make_unique<NoPictureDoc>();
        view = std::make_unique<Lumbrel2View>();
        doc->AddView(view.get());
        view->SetPixelsPerInch(96);
        view->OnInitialUpdate();
        doc->Grid().SetSpacing(500);
        StartDrawing();
        const QByteArray startBytes = DrawingBytes(*doc);
        const std::set<QvFigure*> start(doc->Figures().begin(), doc->Figures().end());

        bool deletedFromStart = false;
        const int edits = 3 + Pick(12);
        for (int i = 0; i < edits; ++i)
            deletedFromStart = Edit(start) || deletedFromStart;
        const QByteArray finalBytes = DrawingBytes(*doc);

        while (doc->UndoManager().CanUndo())
            doc->OnEditUndo();
        const QByteArray undone = DrawingBytes(*doc);
        if (undone == startBytes) {
            ++exact;
        } else {
            // Undoing a delete puts the figure back on top, not where it
            // was: then only the order of the figures may differ.
            ASSERT_TRUE(deletedFromStart);
            ASSERT_EQ(undone.size(), startBytes.size());
            ++reordered;
        }
        while (doc->UndoManager().CanRedo())
            doc->OnEditRedo();
        ASSERT_EQ(DrawingBytes(*doc), finalBytes);

        if (undone != startBytes) {
            while (doc->UndoManager().CanUndo())
                doc->OnEditUndo();
            Lumbrel2Doc reference;
            QByteArray bytes = startBytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            CArchive ar(&buffer, CArchive::load);
            reference.Serialize(ar);
            ASSERT_EQ(SortedFigureBytes(*doc), SortedFigureBytes(reference));
        }
        view.reset();
        doc.reset();
        app.reset();
    }
    EXPECT_GT(exact, 0);
    EXPECT_GT(reordered, 0);
}

} // namespace
