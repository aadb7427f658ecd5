// The drawing file: its exact bytes, round trips of every figure kind,
// references between figures, stored versions, damaged files and saves
// that fail.
#include "common/full_disk.h"
#include "common/test_support.h"
#include "document_test_support.h"
#include "figures/copy_map.h"
#include "figures/fig_gallery.h"
#include "figures/fig_group.h"
#include "platform/archive.h"
#include "platform/command_ids.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>

// A figure that points at another, as an angle mark points at its lines.
// It records what the load pass did with it, and can refuse to be stored.
class QvTestLinkFigure : public QvFigure {
    DECLARE_SERIAL(QvTestLinkFigure)
public:
    QvTestLinkFigure() { InitPoints(1); }

    void Serialize(CArchive& ar) override {
        QvFigure::Serialize(ar);
        if (ar.IsStoring()) {
            if (failOnStore)
                throw CArchiveException(CArchiveException::genericException,
                                        QStringLiteral("refused"));
            ar.WriteObject(target);
        } else {
            target = static_cast<QvFigure*>(ar.ReadObject(RUNTIME_CLASS(QvFigure)));
        }
    }
    void RemapReferences(QvCopyMap& map) override {
        targetInMap = target && map.CopyOf(target) == target;
        if (QvFigure* copy = map.CopyOf(target))
            target = copy;
    }
    void BuildFromPoints() override { ++builds; }

    QvFigure* target = nullptr;
    bool failOnStore = false;
    bool targetInMap = false;
    int builds = 0;
};
IMPLEMENT_SERIAL(QvTestLinkFigure, QvFigure, 1)

namespace {

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

// One figure's stored record, copy link and all.
QByteArray FigureBytes(const QvFigure* f) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    ar.WriteObject(f);
    return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DocFileTest : public DocumentTest {
protected:
    static QvFigure* Clicked(int toolId, std::initializer_list<QvPoint> points) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(toolId);
        bool done = false;
        for (const QvPoint& p : points) {
            f->TrackCreatePoint(p, {});
            done = f->CreateClick();
        }
        EXPECT_TRUE(done) << toolId;
        return f.release();
    }

    // A drawing with every figure kind built so far, in several styles.
    void FillWithEveryKind(Lumbrel2Doc& doc) {
        QvFigure* line = MakeLine(QvPoint(100, 200), QvPoint(5100.5, 3200.25));
        line->SetLineColour(RGB(200, 10, 20));
        line->SetLineStyle(ID_LINE_SOLID3);
        doc.AddFigure(line);
        doc.AddFigure(Clicked(ID_DRAW_ARROW_LINE, {QvPoint(0, 0), QvPoint(-2000, 700)}));
        QvFigure* cr = MakeCircle(QvPoint(8000, 8000), 1234.5);
        cr->SetFillColour(RGB(0, 128, 255));
        cr->SetFillStyle(ID_FILL_SOLID);
        doc.AddFigure(cr);
        doc.AddFigure(Clicked(ID_DRAW_CIRCLE_D, {QvPoint(1000, 1000), QvPoint(3000, 2000)}));
        doc.AddFigure(
            Clicked(ID_DRAW_CIRCLE_3P, {QvPoint(0, 0), QvPoint(1000, 0), QvPoint(500, 700)}));
        std::unique_ptr<QvFigure> square = QvFigure::CreateForTool(ID_DRAW_CIRCLE_4C);
        square->TrackCreatePoint(QvPoint(4000, 4000), {});
        square->CreateClick();
        square->TrackCreatePoint(QvPoint(4600, 3000), {});
        EXPECT_TRUE(square->CreateClick());
        doc.AddFigure(square.release());
    }

    static void ExpectSameFigures(Lumbrel2Doc& a, Lumbrel2Doc& b) {
        ASSERT_EQ(a.GetFigureCount(), b.GetFigureCount());
        for (int i = 0; i < a.GetFigureCount(); ++i) {
            QvFigure* fa = a.GetFigure(i);
            QvFigure* fb = b.GetFigure(i);
            SCOPED_TRACE(testing::Message()
                         << "figure " << i << " " << fa->GetRuntimeClass()->m_lpszClassName);
            EXPECT_STREQ(fa->GetRuntimeClass()->m_lpszClassName,
                         fb->GetRuntimeClass()->m_lpszClassName);
            // The stored tool id is not read back: a line drawn with the
            // arrow tool loads as a line, its arrowheads in its record.
            int toolId =
                fa->GetToolId() == QvFigLine::ArrowToolId ? QvFigLine::ToolId : fa->GetToolId();
            EXPECT_EQ(fb->GetToolId(), toolId);
            fa->SetToolId(toolId);
            // Every stored field: points, styles, the kind's own record.
            EXPECT_EQ(FigureBytes(fa), FigureBytes(fb));
            // Display points follow the defining points, and the geometry
            // is rebuilt from them.
            for (int p = 0; p < fb->GetPointCount(); ++p) {
                EXPECT_EQ(fb->DisplayPoints()[p].x, fb->DefiningPoints()[p].x);
                EXPECT_EQ(fb->DisplayPoints()[p].y, fb->DefiningPoints()[p].y);
            }
            EXPECT_EQ(fa->GetBoundRect(), fb->GetBoundRect());
        }
    }

    QTemporaryDir dir;
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(DocFileTest, EmptyDrawingBytes) {
    struct Case {
        int spacing;
        bool isometric;
        const char* bytes;
    };
    const Case cases[] = {
        {500, false, "04 5A 4B 57 32 01 00 F4 01 00 00 00 00 00"},
        {750, true, "04 5A 4B 57 32 01 00 EE 02 00 00 01 00 00"},
        {100000, false, "04 5A 4B 57 32 01 00 A0 86 01 00 00 00 00"},
    };
    for (const Case& c : cases) {
        Lumbrel2Doc doc;
        doc.Grid().SetSpacing(c.spacing);
        doc.Grid().SetIsometric(c.isometric);
        EXPECT_EQ(StoreDoc(doc).toHex(' '), Hex(c.bytes).toHex(' ')) << c.spacing;
        EXPECT_EQ(doc.GetFileVersion(), 1);
    }
    // A new drawing takes the default grid.
    Lumbrel2Doc doc;
    EXPECT_EQ(StoreDoc(doc), Hex("04 5A 4B 57 32 01 00 F4 01 00 00 00 00 00"));
}

TEST_F(DocFileTest, EveryFigureKindSurvivesSaveAndOpen) {
    Lumbrel2Doc doc;
    FillWithEveryKind(doc);
    doc.Grid().SetSpacing(650);
    doc.Grid().SetIsometric(true);
    doc.Grid().SetShown(false);
    ASSERT_TRUE(doc.OnSaveDocument(Path("all.kw2")));
    EXPECT_FALSE(doc.IsModified());

    Lumbrel2Doc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(Path("all.kw2")));
    EXPECT_FALSE(loaded.IsModified());
    // As the drawing stands after any mouse action.
    doc.MapAllToDefaultFrame();
    for (QvFigure* f : doc.Figures())
        f->BuildFromPoints();
    ExpectSameFigures(doc, loaded);
    EXPECT_EQ(loaded.Grid().GetSpacing(), 650);
    EXPECT_TRUE(loaded.Grid().IsIsometric());
    // Whether the grid shows is a setting, not part of the drawing.
    EXPECT_TRUE(loaded.Grid().IsShown());
    // The loaded drawing writes what it was read from.
    EXPECT_EQ(StoreDoc(loaded), StoreDoc(doc));
}

TEST_F(DocFileTest, ReferencesStayAttachedWhicheverComesFirst) {
    for (bool targetFirst : {true, false}) {
        SCOPED_TRACE(targetFirst ? "target first" : "link first");
        Lumbrel2Doc doc;
        QvFigure* line = MakeLine(QvPoint(0, 0), QvPoint(1000, 0));
        auto* link = new QvTestLinkFigure;
        link->target = line;
        if (targetFirst) {
            doc.AddFigure(line);
            doc.AddFigure(link);
        } else {
            doc.AddFigure(link);
            doc.AddFigure(line);
        }
        Lumbrel2Doc loaded;
        LoadDoc(loaded, StoreDoc(doc));
        ASSERT_EQ(loaded.GetFigureCount(), 2);
        auto* loadedLink = dynamic_cast<QvTestLinkFigure*>(loaded.GetFigure(targetFirst ? 1 : 0));
        ASSERT_TRUE(loadedLink);
        EXPECT_EQ(loadedLink->target, loaded.GetFigure(targetFirst ? 0 : 1));
        EXPECT_TRUE(loadedLink->targetInMap);
        EXPECT_GE(loadedLink->builds, 1); // the cache rebuild maps and builds again
        EXPECT_TRUE(loaded.IsModified());
    }
}

TEST_F(DocFileTest, StoredVersions) {
    Lumbrel2Doc source;
    source.AddFigure(MakeLine(QvPoint(0, 0), QvPoint(1000, 0)));
    source.Grid().SetSpacing(900);
    const QByteArray bytes = StoreDoc(source);
    struct Case {
        WORD version;
        bool readsDrawing;
    };
    const Case cases[] = {{0, false}, {0xFFFF, false}, {0x8000, false},
                          {1, true},  {2, true},       {0x7FFF, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        QByteArray patched = bytes;
        patched[5] = char(c.version & 0xFF);
        patched[6] = char(c.version >> 8);
        Lumbrel2Doc doc;
        doc.Grid().SetSpacing(1200);
        doc.Grid().SetIsometric(true);
        LoadDoc(doc, patched);
        EXPECT_EQ(doc.GetFileVersion(), 1);
        EXPECT_EQ(doc.GetFigureCount(), c.readsDrawing ? 1 : 0);
        EXPECT_EQ(doc.Grid().GetSpacing(), c.readsDrawing ? 900 : 1200);
        EXPECT_EQ(doc.Grid().IsIsometric(), !c.readsDrawing);
    }
}

// A drawing whose every prefix is a damaged file.
class DamagedFileTest : public DocFileTest {
protected:
    QByteArray Sample() {
        Lumbrel2Doc doc;
        QvFigure* line = MakeLine(QvPoint(0, 0), QvPoint(1000, 0));
        doc.AddFigure(line);
        doc.AddFigure(MakeCircle(QvPoint(500, 500), 300));
        auto* link = new QvTestLinkFigure;
        link->target = line;
        doc.AddFigure(link);
        doc.AddFigure(MakeLine(QvPoint(10, 10), QvPoint(20, 20)));
        return StoreDoc(doc);
    }
    // Opens the bytes as a file; returns the one message shown.
    QString OpenBytes(const QByteArray& bytes, Lumbrel2Doc& doc) {
        EXPECT_TRUE(WriteFile(Path("damaged.kw2"), bytes));
        MessageRecorder recorder;
        EXPECT_FALSE(doc.OnOpenDocument(Path("damaged.kw2")));
        EXPECT_EQ(doc.GetFigureCount(), 0);
        EXPECT_EQ(recorder.messages.size(), 1u);
        return recorder.messages.empty() ? QString() : recorder.messages.front().text;
    }
};

TEST_F(DamagedFileTest, EveryTruncationIsRefused) {
    const QByteArray whole = Sample();
    for (int n = 0; n < whole.size(); ++n) {
        SCOPED_TRACE(n);
        Lumbrel2Doc doc;
        // Too short for the magic, the file is read as an older drawing,
        // which is cut short as well.
        EXPECT_EQ(OpenBytes(whole.left(n), doc),
                  CDocument::InvalidFormatMessage(Path("damaged.kw2")));
    }
}

TEST_F(DamagedFileTest, MalformedContentsAreRefused) {
    const QByteArray whole = Sample();
    const int name = whole.indexOf("QvFigLine");
    ASSERT_GT(name, 0);
    const int list = 12; // the figure count
    struct Case {
        const char* what;
        QByteArray bytes;
        QString message;
    };
    QByteArray unknownClass = whole;
    unknownClass.replace(name, 9, "QvFigLinX");
    QByteArray zeroSpacing = whole;
    zeroSpacing.replace(7, 4, Hex("00 00 00 00"));
    QByteArray negativeSpacing = whole;
    negativeSpacing.replace(7, 4, Hex("FF FF FF FF"));
    // One more element than written: a back-reference to the first line.
    QByteArray repeated = whole;
    repeated[list] = char(5);
    repeated += Hex("02 00");
    QByteArray nullElement = whole;
    nullElement[list] = char(5);
    nullElement += Hex("00 00");
    QByteArray hugeCount = whole;
    hugeCount.replace(list, 2, Hex("FF FF FF FF FF 7F"));
    const Case cases[] = {
        {"unknown class", unknownClass, CDocument::InvalidFormatMessage(Path("damaged.kw2"))},
        {"zero spacing", zeroSpacing, CDocument::InvalidFormatMessage(Path("damaged.kw2"))},
        {"negative spacing", negativeSpacing, CDocument::InvalidFormatMessage(Path("damaged.kw2"))},
        {"repeated figure", repeated, CDocument::InvalidFormatMessage(Path("damaged.kw2"))},
        {"null figure", nullElement, CDocument::InvalidFormatMessage(Path("damaged.kw2"))},
        {"huge count", hugeCount, CDocument::InvalidFormatMessage(Path("damaged.kw2"))},
        // Without the magic: older drawings, whose records are cut short.
        {"older format", Hex("00 00 00 00 03 00 01 02 03"),
         CDocument::InvalidFormatMessage(Path("damaged.kw2"))},
        {"other magic", Hex("04 5A 4B 57 31 01 00 F4 01 00 00 00 00 00"),
         CDocument::InvalidFormatMessage(Path("damaged.kw2"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lumbrel2Doc doc;
        doc.Grid().SetSpacing(700);
        EXPECT_EQ(OpenBytes(c.bytes, doc), c.message);
    }
}

// Drawings whose figure lists hold what no save writes: a figure twice, a
// group inside itself, a null member.  The writer stores any such structure
// faithfully, as back-references and null tags.
class CraftedFileTest : public DamagedFileTest {
protected:
    static QByteArray Drawing(std::vector<QvFigure*> figures) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        ar << QString::fromLatin1(Lumbrel2Doc::FileMagic) << WORD(1) << LONG(500) << BYTE(0);
        SerializeObjectList<QvFigure>(ar, figures);
        return bytes;
    }
    static std::unique_ptr<QvFigGroup> Group(std::vector<QvFigure*> members) {
        auto group = std::make_unique<QvFigGroup>();
        group->Members() = std::move(members);
        return group;
    }
    // The groups here do not own what they list.
    static void Release(std::initializer_list<QvFigGroup*> groups) {
        for (QvFigGroup* g : groups)
            g->Members().clear();
    }
};

TEST_F(CraftedFileTest, ListsTakeOnlyFiguresMadeForThem) {
    std::unique_ptr<QvFigure> line(MakeLine(QvPoint(0, 0), QvPoint(1000, 0)));
    std::unique_ptr<QvFigure> circle(MakeCircle(QvPoint(0, 0), 500));
    auto self = Group({});
    self->Members().push_back(self.get());
    auto withTopLevel = Group({line.get()});
    auto first = Group({line.get()});
    auto second = Group({line.get()});
    auto thenBad = Group({line.get(), circle.get()});
    // References may name a figure before the list does, but the list
    // still takes it once, and never while it is being read.
    QvTestLinkFigure toLine, toSelf;
    toLine.target = line.get();
    toSelf.target = self.get();
    QByteArray memberThenBad = Drawing({line.get(), thenBad.get()});
    const char* circleClass = circle->GetRuntimeClass()->m_lpszClassName;
    const qsizetype at = memberThenBad.indexOf(circleClass);
    ASSERT_GT(at, 0);
    memberThenBad[at + 2] = 'X'; // an unknown class after the shared member

    // A drawing of one group whose member is the group itself, then the
    // same with a null member.
    const QByteArray selfMember =
        Hex("045a4b57320100f4010000000100ffff01000a00517646696747726f757004000000000000000000000000"
            "000000000000000000408f4000000000000000000000000000408f400000000000408f4000000000000000"
            "000000000000408f40020000000000bc7f00000000000000ffffff00258000002e80000001000200");
    QByteArray nullMember = selfMember;
    nullMember.replace(nullMember.size() - 2, 2, Hex("0000"));
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"group inside itself", selfMember},
        {"null member", nullMember},
        {"group inside itself, written", Drawing({self.get()})},
        {"member shared with the drawing", Drawing({line.get(), withTopLevel.get()})},
        {"member shared by two groups", Drawing({first.get(), second.get()})},
        {"member back-reference, then a bad figure", memberThenBad},
        {"figure named by a reference, then listed twice",
         Drawing({&toLine, line.get(), line.get()})},
        {"group inside itself, read through a reference", Drawing({&toSelf, self.get()})},
        {"figure named by a reference that no list holds", Drawing({&toLine})},
    };
    Release({self.get(), withTopLevel.get(), first.get(), second.get(), thenBad.get()});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lumbrel2Doc doc;
        EXPECT_EQ(OpenBytes(c.bytes, doc), CDocument::InvalidFormatMessage(Path("damaged.kw2")));
    }
}

TEST_F(CraftedFileTest, GroupsNestedBeyondReasonAreRefused) {
    std::unique_ptr<QvFigure> nest(MakeLine(QvPoint(0, 0), QvPoint(1000, 0)));
    for (int i = 0; i < 300; ++i)
        nest = Group({nest.release()});
    Lumbrel2Doc doc;
    LoadDoc(doc, Drawing({nest.get()}));
    EXPECT_EQ(doc.GetFigureCount(), 1);
    // 600 groups, written by hand: this program writes no such file.
    Lumbrel2Doc deep;
    EXPECT_EQ(OpenBytes(ReadFile(QStringLiteral(LUMBREL_SOURCE_DIR
                                                "/tests/fuzz/drawing/nested-600-groups.kw2")),
                        deep),
              CDocument::InvalidFormatMessage(Path("damaged.kw2")));
}

// The Group command never makes a drawing that could be saved but not
// opened again: one level more than the reader takes is refused, with a
// message, and saving refuses what was nested deeper some other way.
TEST_F(CraftedFileTest, GroupingDeeperThanOpeningTakesIsRefused) {
    // A line inside `groups` groups is groups + 1 objects deep.
    for (int groups : {CArchive::MaxObjectDepth - 2, CArchive::MaxObjectDepth - 1}) {
        SCOPED_TRACE(groups);
        std::unique_ptr<QvFigure> nest(MakeLine(QvPoint(0, 0), QvPoint(1000, 0)));
        for (int i = 0; i < groups; ++i)
            nest = Group({nest.release()});
        Lumbrel2Doc doc;
        QvFigure* nested = nest.release();
        QvFigure* line = MakeLine(QvPoint(0, 500), QvPoint(1000, 500));
        doc.AddFigure(nested);
        doc.AddFigure(line);
        doc.SelectAll();
        MessageRecorder recorder;
        doc.OnEditGroup();
        if (groups + 2 <= CArchive::MaxObjectDepth) {
            EXPECT_TRUE(recorder.messages.empty());
            ASSERT_EQ(doc.GetFigureCount(), 1);
            Lumbrel2Doc back;
            LoadDoc(back, StoreDoc(doc));
            EXPECT_EQ(back.GetFigureCount(), 1);
        } else {
            ASSERT_EQ(recorder.messages.size(), 1u);
            EXPECT_EQ(recorder.messages[0].text, Lumbrel2Doc::GroupTooDeepMessage());
            EXPECT_EQ(doc.GetFigureCount(), 2);
            EXPECT_EQ(doc.GetFigure(0), nested);
            // Nested that deep some other way, it is not written either.
            std::unique_ptr<QvFigGroup> deeper = Group({doc.GetFigure(0)});
            Lumbrel2Doc other;
            other.AddFigure(deeper.release());
            EXPECT_THROW(StoreDoc(other), CArchiveException);
            static_cast<QvFigGroup*>(other.GetFigure(0))->Members().clear();
        }
    }
}

TEST_F(CraftedFileTest, CoordinatesFarFromThePageAreRefused) {
    const double marker = 1234.5;
    std::unique_ptr<QvFigure> line(MakeLine(QvPoint(marker, 0), QvPoint(1000, 0)));
    std::unique_ptr<QvFigure> member(MakeLine(QvPoint(marker, 0), QvPoint(1000, 0)));
    auto group = Group({member.release()});
    const QByteArray plain = Drawing({line.get()});
    const QByteArray grouped = Drawing({group.get()});
    const QByteArray stored(reinterpret_cast<const char*>(&marker), sizeof marker);
    auto patched = [&](const QByteArray& bytes, double x) {
        QByteArray out = bytes;
        const qsizetype at = out.indexOf(stored);
        EXPECT_GT(at, 0);
        out.replace(at, sizeof x, QByteArray(reinterpret_cast<const char*>(&x), sizeof x));
        return out;
    };
    struct Case {
        double x;
        bool opens;
    };
    const Case cases[] = {{1e7, true},
                          {-1e7, true},
                          {1.0000001e7, false},
                          {-2147483647.0, false},
                          {1e300, false},
                          {std::numeric_limits<double>::quiet_NaN(), false},
                          {-std::numeric_limits<double>::infinity(), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        for (const QByteArray& bytes : {patched(plain, c.x), patched(grouped, c.x)}) {
            Lumbrel2Doc doc;
            if (c.opens) {
                LoadDoc(doc, bytes);
                EXPECT_EQ(doc.GetFigureCount(), 1);
            } else {
                EXPECT_EQ(OpenBytes(bytes, doc),
                          CDocument::InvalidFormatMessage(Path("damaged.kw2")));
            }
        }
    }
}

// Three points nearly on a line make no circle: a drawing holding such a
// circle opens with every bound inside int range, and its selection makes a
// gallery figure without overflowing.
TEST_F(CraftedFileTest, ACircleThroughNearlyCollinearPointsKeepsItsBoundsInRange) {
    Lumbrel2Doc doc;
    LoadDoc(doc, ReadFile(QStringLiteral(LUMBREL_SOURCE_DIR "/tests/fuzz/drawing/huge-bounds.kw2")));
    ASSERT_GT(doc.GetFigureCount(), 0);
    for (int i = 0; i < doc.GetFigureCount(); ++i) {
        const CRect r = doc.GetFigure(i)->GetBoundRect();
        SCOPED_TRACE(doc.GetFigure(i)->GetRuntimeClass()->m_lpszClassName);
        for (LONG v : {r.left, r.top, r.right, r.bottom})
            EXPECT_LT(std::abs(qint64(v)), qint64(1) << 30);
    }
    doc.SelectAll();
    std::unique_ptr<QvFigGallery> figure = doc.MakeGalleryFigureOfSelection();
    ASSERT_TRUE(figure);
    EXPECT_TRUE(std::isfinite(figure->GetAspectRatio()));
    EXPECT_GT(figure->GetAspectRatio(), 0);
}

TEST_F(CraftedFileTest, LineMarksFarAlongTheLineAreRefused) {
    std::unique_ptr<QvFigure> line(MakeLine(QvPoint(0, 0), QvPoint(1000, 0)));
    QvEditDataLine* record = static_cast<QvFigLine*>(line.get())->LineData();
    record->m_midArrow = 1;
    record->m_midPos = 0.375;
    record->m_label = QStringLiteral("a");
    record->m_labelPos = 0.625;
    const QByteArray bytes = Drawing({line.get()});
    struct Case {
        double position;
        bool opens;
    };
    const Case cases[] = {{0, true},     {-50, true},
                          {50, true},    {50.5, false},
                          {1e13, false}, {std::numeric_limits<double>::quiet_NaN(), false}};
    for (double marker : {0.375, 0.625}) {
        const QByteArray stored(reinterpret_cast<const char*>(&marker), sizeof marker);
        const qsizetype at = bytes.indexOf(stored);
        ASSERT_GT(at, 0);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << marker << " becomes " << c.position);
            QByteArray patched = bytes;
            patched.replace(at, sizeof c.position,
                            QByteArray(reinterpret_cast<const char*>(&c.position), 8));
            Lumbrel2Doc doc;
            if (c.opens) {
                LoadDoc(doc, patched);
                EXPECT_EQ(doc.GetFigureCount(), 1);
            } else {
                EXPECT_EQ(OpenBytes(patched, doc),
                          CDocument::InvalidFormatMessage(Path("damaged.kw2")));
            }
        }
    }
}

TEST_F(DocFileTest, OpeningWhatIsNotThereOrNotReadable) {
    MessageRecorder recorder;
    Lumbrel2Doc doc;
    EXPECT_FALSE(doc.OnOpenDocument(Path("missing.kw2")));
    EXPECT_FALSE(doc.OnOpenDocument(dir.path()));
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].text, CDocument::InvalidPathMessage(Path("missing.kw2")));
    EXPECT_EQ(recorder.messages[1].text, CDocument::UnreadableFileMessage(dir.path()));
}

TEST_F(DocFileTest, FailedSaveLeavesTheOldFileAndNoLeftovers) {
    Lumbrel2Doc doc;
    doc.AddFigure(MakeLine(QvPoint(0, 0), QvPoint(1000, 0)));
    ASSERT_TRUE(doc.OnSaveDocument(Path("keep.kw2")));
    const QByteArray before = ReadFile(Path("keep.kw2"));

    auto* link = new QvTestLinkFigure;
    link->failOnStore = true;
    doc.AddFigure(MakeLine(QvPoint(0, 0), QvPoint(0, 1000)));
    doc.AddFigure(link);
    MessageRecorder recorder;
    EXPECT_FALSE(doc.OnSaveDocument(Path("keep.kw2")));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, CDocument::FailedToSaveMessage(Path("keep.kw2")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadFile(Path("keep.kw2")), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.kw2")});

    // A folder that is not there cannot take the file.
    link->failOnStore = false;
    const QString nowhere = Path("no/such/folder.kw2");
    EXPECT_FALSE(doc.OnSaveDocument(nowhere));
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[1].text, CDocument::AccessWriteMessage(nowhere));
}

class FullDiskTest : public DocFileTest {
protected:
    // Saves a drawing over its small older self at `path` while `fail` makes
    // the last write fail, and checks that neither the old file nor the edit
    // is lost.
    static void ExpectFailedSaveKeepsEverything(const QString& path,
                                                const std::function<void(qint64 newSize)>& fail);
};

void FullDiskTest::ExpectFailedSaveKeepsEverything(
    const QString& path, const std::function<void(qint64 newSize)>& fail) {
    Lumbrel2Doc doc;
    doc.AddFigure(MakeLine(QvPoint(0, 0), QvPoint(1000, 0)));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const QByteArray before = ReadFile(path);
    for (int i = 0; i < 20; ++i)
        doc.AddFigure(MakeLine(QvPoint(0, 100 * i), QvPoint(1000, 100 * i)));
    fail(StoreDoc(doc).size());
    MessageRecorder recorder;
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadFile(path), before);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_TRUE(recorder.messages[0].text.startsWith(CDocument::WriteErrorMessage(path)))
        << recorder.messages[0].text.toStdString();
    const QStringList left = QFileInfo(path).dir().entryList(QDir::Files);
    EXPECT_FALSE(left.join(' ').contains(QFileInfo(path).fileName() + '.')) << "no temporary";
}

TEST_F(FullDiskTest, SaveOnAFullFilesystemKeepsTheOldFile) {
    SmallTmpfs disk;
    if (!disk.IsMounted())
        GTEST_SKIP() << "this process may not mount a tmpfs";
    ExpectFailedSaveKeepsEverything(disk.Path(QStringLiteral("full.kw2")),
                                    [&](qint64) { ASSERT_TRUE(disk.Fill()); });
}

// A drawing too large for the write buffer fails while it is being written:
// the message names the file and the system's reason, not only a failure.
TEST_F(FullDiskTest, AWriteFailingMidwayIsToldWithItsReason) {
    Lumbrel2Doc doc;
    for (int i = 0; i < 2000; ++i)
        doc.AddFigure(MakeLine(QvPoint(0, i), QvPoint(1000, i)));
    const QString path = Path("big.kw2");
    MessageRecorder recorder;
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(doc.OnSaveDocument(path));
    }
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text.toStdString(),
              (CDocument::WriteErrorMessage(path) + QStringLiteral("\nFile too large")).toStdString());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(FullDiskTest, SaveWhoseLastWriteFailsKeepsTheOldFile) {
    std::unique_ptr<FileSizeLimit> limit;
    ExpectFailedSaveKeepsEverything(Path("limited.kw2"), [&](qint64 newSize) {
        limit = std::make_unique<FileSizeLimit>(rlim_t(newSize - 1));
    });
}

} // namespace
