// The graph options record: its defaults and brush table, the stored layout
// against a fixture written from the layout table, older and newer records,
// the pictogram symbols, Copy, and the "Stat" settings named after its fields.
#include "common/test_support.h"
#include "stat_test_support.h"

#include "figures/fig_angle_mark.h"
#include "figures/fig_gallery.h"
#include "figures/fig_line.h"
#include "figures/fig_rectangle.h"
#include "platform/archive.h"
#include "platform/numbers.h"
#include "platform/profile.h"
#include "settings/settings.h"
#include "statistics/stat_data.h"
#include "statistics/stat_properties.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

namespace {

constexpr int kRecordSize = 1415;
// Where item 35 (the pictogram options) begins in a version 2 record with
// empty titles and "None" labels, and so where item 36 begins, 8 bytes on.
constexpr int kItem35 = 1390;
constexpr int kItem36 = kItem35 + 8;

QByteArray Fixture() {
    QFile f(QFileInfo(QStringLiteral(__FILE__))
                .dir()
                .filePath(QStringLiteral("stat_properties_defaults.hex")));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray hex;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (!line.startsWith('#'))
            hex += line;
    return QByteArray::fromHex(hex.replace(' ', ""));
}

// Loads bytes into p and returns how many were left unread.
qint64 LoadRest(QvStatProperties& p, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    p.Serialize(ar);
    return buffer.bytesAvailable();
}

QByteArray Le32(qint32 v) {
    return QByteArray(reinterpret_cast<const char*>(&v), 4);
}

// A gallery symbol of one rectangle, framed (0, 0)-(w, h).
std::unique_ptr<QvFigure> Symbol(double w, double h) {
    std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigGallery::ToolId);
    auto* g = dynamic_cast<QvFigGallery*>(made.get());
    if (!g)
        return nullptr;
    std::unique_ptr<QvFigure> rect = QvFigure::CreateForTool(QvFigRectangle::ToolId);
    rect->TrackCreatePoint(QvPoint(100, 200), {});
    rect->CreateClick();
    rect->TrackCreatePoint(QvPoint(900, 800), {});
    rect->CreateClick();
    rect->SetFillColour(0x0000FF);
    g->MemberList().Add(std::move(rect));
    const QvPoint corners[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    for (int i = 0; i < 4; ++i)
        g->DefiningPoints()[i] = g->DisplayPoints()[i] = corners[i];
    g->SetAspectRatio(h / w);
    return made;
}

QvLogFont Font(const char* face, int height, int colour) {
    QvLogFont f;
    f.m_logFont.lfHeight = height;
    f.m_logFont.lfWidth = 3;
    f.m_logFont.lfEscapement = 900;
    f.m_logFont.lfWeight = 700;
    f.m_logFont.lfItalic = 1;
    f.m_logFont.lfCharSet = 2;
    f.SetFaceName(QString::fromLatin1(face));
    f.m_color = COLORREF(colour);
    f.m_drawHeight = 423;
    return f;
}

// Every stored field away from its default, with doubles whose last bits
// matter, a title long enough for the 0xFF length escape and an en dash.
void FillEveryField(QvStatProperties& p) {
    p.Title = QString(300, QLatin1Char('t'));
    p.GraphStyle = 1;
    p.Label1 = QStringLiteral("C");
    p.Label2 = QStringLiteral("Q");
    p.xAxis = QStringLiteral("Height \u2013 cm");
    p.yAxis = QStringLiteral("Mass");
    p.AutoScale = 0;
    p.dc = {4, 3, 26, 7, -1, 9, -1, 2, 1, 0};
    p.GraphType = 14;
    p.TitleFont = Font("Times New Roman", -20, 0x112233);
    p.LabelFont = Font("Courier New", -11, 0x445566);
    p.AncillaryFont = Font("Symbol", -9, 0x778899);
    p.AxisFont = Font("Arial", -30, 0xAABBCC);
    p.xLogScale = 1;
    p.yLogScale = 1;
    p.PieGraph = 2;
    p.Orientate = 1;
    p.StatType = 3;
    p.BreakScales = 0;
    p.BreakType = 2;
    p.ScaleFont = Font("Verdana", -12, 0x010203);
    p.Bar_Legend = 0;
    p.Back2Back = 1;
    p.Column_Legend = 0;
    p.LineOfReg = 0;
    p.Residuals = 0;
    p.Scatter_PointType = {8, 1, 2, 3, 4};
    p.Dot_Legend = 1;
    p.Dot_PointType = {1, 2, 3, 4, 5, 6, 8, 1, 2, 3};
    p.NumberGroups = 17;
    p.CFPlot_Legend = 1;
    p.CFPlot_Percentage = 0;
    p.FreqPoly_Legend = 1;
    p.FreqPoly_Percentage = 1;
    p.Line_Legend = 1;
    p.DataPoints = 0;
    p.CycleLen = 12;
    p.Line_UseLabels = 1;
    p.Line_FillGaps = 1;
    p.Line_PointType = {6, 5, 4, 3, 2, 1, 8, 6, 5, 4};
    p.Smoothing = {0, 1, 2, 0, 1, 2, 0, 1, 2, 3};
    p.Residuals_UseLabels = 1;
    p.Residuals_FillGaps = 1;
    p.JoinPoints = 0;
    p.Residuals_PointType = {2, 2, 3, 3, 4};
    p.col1 = 5;
    p.col2 = 26;
    p.RegType = 7;
    p.OVType = 8;
    p.OVCol = 25;
    p.OneVar = 0;
    p.xMajor = 0;
    p.xMinor = 2;
    p.yMajor = 1;
    p.yMinor = 0;
    p.xMajorCol = 0x102030;
    p.xMinorCol = 0x405060;
    p.yMajorCol = 0x708090;
    p.yMinorCol = 0xA0B0C0;
    p.FreqPoly_ShowFreq = 1;
    p.CFGraph_ShowFreq = 2;
    p.Histo_ShowFreq = 3;
    p.GraphWidth = 351;
    p.GraphHeight = 201;
    p.xAxisMid = QStringLiteral("middle x");
    p.yAxisMid = QStringLiteral("middle y");
    p.MidAxisFont = Font("Georgia", -15, 0x0A0B0C);
    p.AutoMaxx = 0;
    p.maxx = 0.1 + 0.2;
    p.AutoMaxy = 0;
    p.maxy = std::nextafter(1.0, 2.0);
    p.AutoMinx = 0;
    p.minx = -0.0;
    p.AutoMiny = 0;
    p.miny = std::numeric_limits<double>::denorm_min();
    p.AutoxMajor = 0;
    p.xmajor = 1e300;
    p.AutoxMinor = 0;
    p.xminor = 1.0 / 3;
    p.AutoyMajor = 0;
    p.ymajor = -2.5e-7;
    p.AutoyMinor = 0;
    p.yminor = 0.7;
    p.BoxPlot_ShowOutliers = 0;
    p.Picto_Orientate = 1;
    p.Picto_ShowLegend = 1;
    p.StemLeaf_SortData = 0;
    p.StemLeaf_RoundLeaf = 1;
    p.StemLeaf_AllowSplit = 1;
    p.StemLeaf_High = QStringLiteral("hi");
    p.StemLeaf_Low = QStringLiteral("lo");
    p.StemLeaf_NumStems = 9;
    p.Colors = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    p.InitBrushes();
    p.Brushes[1][4].lbColor = 0x123456;
    p.FreqPoly_ShowEnds = 0;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// ---------------------------------------------------------------- defaults

TEST(StatProperties, DefaultsAndBrushTable) {
    auto p = std::make_unique<QvStatProperties>();
    EXPECT_EQ(p->GraphStyle, 3);
    EXPECT_EQ(p->dc, (std::array<int, 10>{0, 1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(p->GraphType, 4);
    EXPECT_EQ(p->NumberGroups, 10);
    EXPECT_EQ(p->CycleLen, 4);
    EXPECT_EQ(p->StemLeaf_NumStems, 15);
    EXPECT_EQ(p->LabelCol1, -1);
    EXPECT_EQ(p->LabelColActive1, 0);
    EXPECT_FALSE(p->Loaded);
    for (const auto& s : p->Picto_Symbol)
        EXPECT_EQ(s, nullptr);

    const ULONG hatches[6] = {3, 4, 5, 2, 0, 1};
    const COLORREF greys[6] = {0x3C3C3C, 0x646464, 0xF0F0F0, 0x828282, 0xC8C8C8, 0xA0A0A0};
    p->Colors[7] = 0x00ABCDEF;
    p->InitBrushes();
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const auto& b = p->Brushes;
        EXPECT_EQ(b[0][i].lbStyle, 1u); // hollow
        EXPECT_EQ(b[0][i].lbColor, 0u);
        EXPECT_EQ(b[0][i].lbHatch, 0u);
        EXPECT_EQ(b[1][i].lbStyle, 2u); // hatched, black
        EXPECT_EQ(b[1][i].lbColor, 0u);
        EXPECT_EQ(b[1][i].lbHatch, hatches[i % 6]);
        EXPECT_EQ(b[2][i].lbStyle, 0u); // solid grey
        EXPECT_EQ(b[2][i].lbColor, greys[i % 6]);
        EXPECT_EQ(b[2][i].lbHatch, 0u);
        EXPECT_EQ(b[3][i].lbStyle, 0u); // solid series colour
        EXPECT_EQ(b[3][i].lbColor, p->Colors[i]);
        EXPECT_EQ(b[3][i].lbHatch, 0u);
    }
    EXPECT_EQ(p->Brushes[3][7].lbColor, 0x00ABCDEFu);
}

// ------------------------------------------------------------ stored layout

TEST(StatProperties, DefaultRecordIsTheLayoutTableByteForByte) {
    const QByteArray fixture = Fixture();
    ASSERT_EQ(fixture.size(), kRecordSize);
    auto p = std::make_unique<QvStatProperties>();
    const QByteArray bytes = Store(*p);
    ASSERT_EQ(bytes.size(), kRecordSize);
    for (int i = 0; i < kRecordSize; ++i)
        ASSERT_EQ(BYTE(bytes[i]), BYTE(fixture[i])) << "first difference at offset " << i;
    EXPECT_EQ(bytes.left(4), Hex("03 51 76 53"));            // "QvS"
    EXPECT_EQ(bytes.mid(4, 4), Hex("02 00 00 00"));          // version 2
    EXPECT_EQ(bytes.mid(kItem36, 5), Hex("00 00 00 00 00")); // no symbols

    p->Title = QStringLiteral("Heights");
    const QByteArray titled = Store(*p);
    EXPECT_EQ(titled.mid(8, 8), QByteArray("\x07Heights"));
    EXPECT_EQ(titled.size(), kRecordSize + 7);

    // Loading the fixture gives back the defaults, with nothing left over.
    auto back = std::make_unique<QvStatProperties>();
    back->GraphType = 9;
    back->FreqPoly_ShowEnds = 0;
    EXPECT_EQ(LoadRest(*back, fixture), 0);
    EXPECT_EQ(back->GraphType, 4);
    EXPECT_EQ(back->FreqPoly_ShowEnds, 1);
    EXPECT_EQ(Store(*back), fixture);
}

TEST(StatProperties, StoreLoadStoreKeepsEveryField) {
    auto p = std::make_unique<QvStatProperties>();
    FillEveryField(*p);
    const QByteArray bytes = Store(*p);
    // The 300-character title takes the 0xFF escape and a 16-bit length;
    // the en dash is the one byte 0x96.
    EXPECT_EQ(bytes.mid(8, 4), Hex("FF 2C 01 74"));
    EXPECT_TRUE(bytes.contains(QByteArray("Height \x96 cm")));

    auto back = std::make_unique<QvStatProperties>();
    EXPECT_EQ(LoadRest(*back, bytes), 0);
    EXPECT_EQ(Store(*back), bytes);
    EXPECT_EQ(back->Title, p->Title);
    EXPECT_EQ(back->xAxis, QStringLiteral("Height \u2013 cm"));
    EXPECT_TRUE(back->TitleFont == p->TitleFont);
    EXPECT_EQ(back->AncillaryFont.FaceName(), QStringLiteral("Symbol"));
    EXPECT_EQ(back->MidAxisFont.m_color, 0x0A0B0Cu);
    EXPECT_TRUE(SameBits(back->maxx, 0.1 + 0.2));
    EXPECT_TRUE(SameBits(back->minx, -0.0));
    EXPECT_TRUE(SameBits(back->miny, std::numeric_limits<double>::denorm_min()));
    EXPECT_TRUE(SameBits(back->maxy, p->maxy));
    EXPECT_EQ(back->Brushes[1][4].lbColor, 0x123456u);
    EXPECT_EQ(back->StemLeaf_AllowSplit, 1);
    EXPECT_EQ(back->StemLeaf_SortData, 0);
    EXPECT_EQ(back->FreqPoly_ShowEnds, 0);
}

// The label column indexes are not stored: they follow the restored labels,
// not what the record held before.
TEST(StatProperties, LoadingSetsLabelColumnsFromTheLabels) {
    struct Case {
        const char* label;
        int index;
    } cases[] = {{"None", -1}, {"A", 0}, {"C", 2}, {"Z", 25}, {"c", -1}, {"", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto p = std::make_unique<QvStatProperties>();
        p->Label1 = p->Label2 = QString::fromLatin1(c.label);
        const QByteArray bytes = Store(*p);
        auto back = std::make_unique<QvStatProperties>();
        back->LabelCol1 = back->LabelCol2 = 7;
        back->LabelColActive1 = back->LabelColActive2 = 1;
        LoadRest(*back, bytes);
        EXPECT_EQ(back->LabelCol1, c.index);
        EXPECT_EQ(back->LabelCol2, c.index);
        EXPECT_EQ(back->LabelColActive1, c.index >= 0);
        EXPECT_EQ(back->LabelColActive2, c.index >= 0);
    }
}

// Records written before the pictogram (version 0, without the marker, or
// with it), before the polygon ends (1), and by a later program (7).
TEST(StatProperties, OlderAndNewerRecordsLoad) {
    const QByteArray v2 = Fixture();
    const QByteArray items3to34 = v2.mid(8, kItem35 - 8);
    const QByteArray items35to39 = v2.mid(kItem35, kRecordSize - 1 - kItem35);
    const QByteArray item40 = v2.right(1);
    const QByteArray marker = Hex("03 51 76 53");
    QByteArray untitledV0 = items3to34;
    untitledV0[0] = 5;
    untitledV0.insert(1, "Sizes");
    QByteArray v0Titled = marker + Le32(0) + Hex("05") + "Sizes" + items3to34.mid(1);
    struct Case {
        const char* name;
        QByteArray bytes;
        bool hasPictogram;
        bool hasEnds;
        const char* title;
    } cases[] = {
        {"no marker", untitledV0, false, false, "Sizes"},
        {"marker, version 0", v0Titled, false, false, "Sizes"},
        {"version 1", marker + Le32(1) + items3to34 + items35to39, true, false, ""},
        {"version 7 reads as 2", marker + Le32(7) + items3to34 + items35to39 + item40, true, true,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // What the figure's constructor gave the fields an old record lacks.
        auto p = std::make_unique<QvStatProperties>();
        p->Picto_Orientate = 1;
        p->StemLeaf_High = QStringLiteral("X");
        p->StemLeaf_NumStems = 4;
        p->FreqPoly_ShowEnds = 0;
        p->GraphType = 1;
        p->Title = QStringLiteral("old");
        p->Picto_Symbol[2] = Symbol(100, 50);
        EXPECT_EQ(LoadRest(*p, c.bytes), 0) << "read to the end, no further";
        EXPECT_EQ(p->Title, QString::fromLatin1(c.title));
        EXPECT_EQ(p->GraphType, 4);
        EXPECT_EQ(p->Picto_Orientate, c.hasPictogram ? 0 : 1);
        EXPECT_EQ(p->StemLeaf_High, c.hasPictogram ? QStringLiteral("H") : QStringLiteral("X"));
        EXPECT_EQ(p->StemLeaf_NumStems, c.hasPictogram ? 15 : 4);
        EXPECT_EQ(p->FreqPoly_ShowEnds, c.hasEnds ? 1 : 0);
        // A presence byte 0 leaves the slot as it was.
        EXPECT_NE(p->Picto_Symbol[2], nullptr);
        // Stored again, it is a version 2 record.
        EXPECT_EQ(Store(*p).mid(0, 8), marker + Le32(2));
    }
}

// ------------------------------------------------------------------ symbols

TEST(StatProperties, SymbolsAreStoredAsObjectsWithAClassReference) {
    auto one = std::make_unique<QvStatProperties>();
    one->Picto_Symbol[0] = Symbol(1000, 500);
    const int objectSize = int(Store(*one).size()) - kRecordSize;

    auto p = std::make_unique<QvStatProperties>();
    p->Picto_Symbol[0] = Symbol(1000, 500);
    p->Picto_Symbol[1] = Symbol(400, 1200);
    const QByteArray bytes = Store(*p);
    // The first symbol brings its class, the first in this archive.
    const QByteArray name("QvFigGallery");
    EXPECT_EQ(bytes.mid(kItem36, 7 + name.size()), Hex("01 FF FF 01 00 0C 00") + name);
    // The second refers to that class: tag 0x8000 | 1.
    const int second = kItem36 + 1 + objectSize;
    EXPECT_EQ(bytes.mid(second, 3), Hex("01 01 80"));
    EXPECT_EQ(bytes.mid(second + 3).indexOf(name), -1);
    // Slots 2 to 4 are empty; items 37 to 40 take the last 12 bytes.
    EXPECT_EQ(bytes.mid(bytes.size() - 15, 3), Hex("00 00 00"));

    auto back = std::make_unique<QvStatProperties>();
    EXPECT_EQ(LoadRest(*back, bytes), 0);
    for (int i = 0; i < 2; ++i) {
        auto* g = dynamic_cast<QvFigGallery*>(back->Picto_Symbol[i].get());
        ASSERT_NE(g, nullptr) << i;
        EXPECT_EQ(g->Members().size(), 1u);
    }
    EXPECT_DOUBLE_EQ(static_cast<QvFigGallery*>(back->Picto_Symbol[1].get())->GetAspectRatio(),
                     3.0);
    EXPECT_EQ(back->Picto_Symbol[2], nullptr);
    EXPECT_EQ(Store(*back), bytes);
}

// A symbol read over a slot that holds one replaces it; the old one is
// freed (the sanitizer build reports a leak otherwise).
TEST(StatProperties, SymbolReadOverAnOldOneReplacesIt) {
    auto stored = std::make_unique<QvStatProperties>();
    stored->Picto_Symbol[0] = Symbol(300, 600);
    const QByteArray bytes = Store(*stored);
    auto p = std::make_unique<QvStatProperties>();
    p->Picto_Symbol[0] = Symbol(100, 100);
    LoadRest(*p, bytes);
    auto* g = dynamic_cast<QvFigGallery*>(p->Picto_Symbol[0].get());
    ASSERT_NE(g, nullptr);
    EXPECT_DOUBLE_EQ(g->GetAspectRatio(), 2.0);
}

// Item 36 holds figures only; anything else, an unknown class or a cut
// stream refuses the record, and nothing read is left without an owner.
TEST(StatProperties, SymbolThatIsNoFigureIsRefused) {
    const QByteArray head = Fixture().left(kItem36);
    const QByteArray tail = Hex("00 00 00 00") + Fixture().mid(kItem36 + 5);

    QByteArray column;
    {
        QBuffer buffer(&column);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        QvStatColumn c;
        ar.WriteObject(&c);
    }
    auto withSymbol = std::make_unique<QvStatProperties>();
    withSymbol->Picto_Symbol[0] = Symbol(1000, 500);
    const QByteArray good = Store(*withSymbol);
    const QByteArray unknown("QvFigNoSuchKind");

    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"a column", head + Hex("01") + column + tail},
        {"an unknown class",
         head + Hex("01 FF FF 00 00 0F 00") + unknown + QByteArray(64, '\0') + tail},
        {"a null object", head + Hex("01 00 00") + tail},
        {"cut inside the symbol", good.left(kItem36 + 40)},
        {"cut after the symbol", good.left(good.size() - 12)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto p = std::make_unique<QvStatProperties>();
        EXPECT_THROW(LoadRest(*p, c.bytes), CArchiveException);
    }
    auto ok = std::make_unique<QvStatProperties>();
    EXPECT_EQ(LoadRest(*ok, good), 0);
}

// ---------------------------------------------------------------------- copy

TEST(StatProperties, CopyTakesStoredFieldsAndCopiesTheSymbols) {
    auto source = std::make_unique<QvStatProperties>();
    FillEveryField(*source);
    source->Picto_Symbol[0] = Symbol(1000, 500);
    source->Picto_Symbol[3] = Symbol(200, 800);
    source->LabelCol1 = 2;
    source->LabelColActive1 = 1;
    source->CustomColors.fill(0x111111);
    source->DefaultFont = Font("Times New Roman", -40, 0);
    source->Loaded = true;

    auto copy = std::make_unique<QvStatProperties>();
    copy->LabelCol1 = 5;
    copy->LabelCol2 = 6;
    copy->LabelColActive2 = 1;
    copy->CustomColors[4] = 0x222222;
    copy->DefaultFont = Font("Courier New", -8, 0x0000FF);
    copy->Picto_Symbol[1] = Symbol(100, 100); // none in the source's slot
    copy->Copy(*source);

    // Every stored field, the symbols included, as in the source.
    const QByteArray sourceBytes = Store(*source);
    EXPECT_EQ(Store(*copy), sourceBytes);
    EXPECT_TRUE(SameBits(copy->minx, -0.0));
    EXPECT_TRUE(SameBits(copy->miny, std::numeric_limits<double>::denorm_min()));
    // The working fields, custom colours, default font and loaded flag stay.
    EXPECT_EQ(copy->LabelCol1, 5);
    EXPECT_EQ(copy->LabelCol2, 6);
    EXPECT_EQ(copy->LabelColActive1, 0);
    EXPECT_EQ(copy->LabelColActive2, 1);
    EXPECT_EQ(copy->CustomColors[4], 0x222222u);
    EXPECT_EQ(copy->CustomColors[0], 0xFFFFFFu);
    EXPECT_EQ(copy->DefaultFont.FaceName(), QStringLiteral("Courier New"));
    EXPECT_FALSE(copy->Loaded);
    EXPECT_EQ(copy->Picto_Symbol[1], nullptr);

    // The copy's symbols are its own: it outlives its source.
    ASSERT_NE(copy->Picto_Symbol[0], nullptr);
    EXPECT_NE(copy->Picto_Symbol[0].get(), source->Picto_Symbol[0].get());
    auto* member = static_cast<QvFigGallery*>(copy->Picto_Symbol[3].get())->Members().at(0);
    EXPECT_NE(member, static_cast<QvFigGallery*>(source->Picto_Symbol[3].get())->Members()[0]);
    source.reset();
    EXPECT_EQ(member->GetEditData()->m_fillColor, 0x0000FFu);
    EXPECT_EQ(Store(*copy), sourceBytes);

    // Copying from itself changes nothing.
    copy->Copy(*copy);
    EXPECT_EQ(Store(*copy), sourceBytes);
}

// A mark inside a copied symbol marks the copy's own members; one that
// marks a figure outside the symbol is left out, not left pointing at it.
TEST(StatProperties, CopiedSymbolKeepsItsMarksToItself) {
    auto source = std::make_unique<QvStatProperties>();
    source->Picto_Symbol[0] = Symbol(1000, 1000);
    auto* symbol = static_cast<QvFigGallery*>(source->Picto_Symbol[0].get());
    QvFigure* rect = symbol->Members()[0];
    std::unique_ptr<QvFigure> line = QvFigure::CreateForTool(QvFigLine::ToolId);
    std::unique_ptr<QvFigure> outsider = QvFigure::CreateForTool(QvFigLine::ToolId);
    for (QvPoint p : {QvPoint(100, 200), QvPoint(900, 900)}) {
        line->TrackCreatePoint(p, {});
        line->CreateClick();
    }
    const auto mark = [](QvFigure* first, QvFigure* second) {
        std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigAngleMark::ToolId);
        auto* m = static_cast<QvFigAngleMark*>(made.get());
        m->AngleData()->m_pFirst = first;
        m->AngleData()->m_pSecond = second;
        return made.release();
    };
    symbol->MemberList().Add(std::unique_ptr<QvFigure>(line.get()));
    symbol->MemberList().Add(std::unique_ptr<QvFigure>(mark(rect, line.release())));
    symbol->MemberList().Add(std::unique_ptr<QvFigure>(mark(rect, outsider.get())));

    auto copy = std::make_unique<QvStatProperties>();
    copy->Copy(*source);
    source.reset();
    outsider.reset();
    auto* g = dynamic_cast<QvFigGallery*>(copy->Picto_Symbol[0].get());
    ASSERT_NE(g, nullptr);
    const std::vector<QvFigure*>& members = g->Members();
    ASSERT_EQ(members.size(), 3u);
    auto* m = dynamic_cast<QvFigAngleMark*>(members[2]);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->AngleData()->m_pFirst, members[0]);
    EXPECT_EQ(m->AngleData()->m_pSecond, members[1]);
}

TEST(StatProperties, CopyScaleBreakTakesTheGroupOnly) {
    auto a = std::make_unique<QvStatProperties>();
    auto b = std::make_unique<QvStatProperties>();
    b->BreakScales = 0;
    b->BreakType = 3;
    b->ScaleFont = Font("Georgia", -18, 0x808000);
    b->BreakScales = 0;
    b->Title = QStringLiteral("not this");
    a->CopyScaleBreak(*b);
    EXPECT_EQ(a->BreakScales, 0);
    EXPECT_EQ(a->BreakType, 3);
    EXPECT_TRUE(a->ScaleFont == b->ScaleFont);
    EXPECT_TRUE(a->Title.isEmpty());
}

// ------------------------------------------------------------------ settings

// Every field named after a "Stat" setting, with its kind, in the order of
// the record's field table; families are one key a member, "name[i]".
struct StatKey {
    const char* name;
    char kind; // I int, B byte, C colour, D double, S text, F font
    int count;
};
const StatKey kStatKeys[] = {
    {"Title", 'S', 1},
    {"GraphStyle", 'I', 1},
    {"Label1", 'S', 1},
    {"Label2", 'S', 1},
    {"LabelCol1", 'I', 1},
    {"LabelCol2", 'I', 1},
    {"LabelColActive1", 'B', 1},
    {"LabelColActive2", 'B', 1},
    {"xAxis", 'S', 1},
    {"yAxis", 'S', 1},
    {"AutoScale", 'B', 1},
    {"dc", 'I', 10},
    {"GraphType", 'I', 1},
    {"TitleFont", 'F', 1},
    {"LabelFont", 'F', 1},
    {"AncillaryFont", 'F', 1},
    {"AxisFont", 'F', 1},
    {"xLogScale", 'B', 1},
    {"yLogScale", 'B', 1},
    {"PieGraph", 'I', 1},
    {"Orientate", 'I', 1},
    {"StatType", 'I', 1},
    {"BreakScales", 'B', 1},
    {"BreakType", 'I', 1},
    {"ScaleFont", 'F', 1},
    {"Bar_Legend", 'B', 1},
    {"Back2Back", 'B', 1},
    {"Column_Legend", 'B', 1},
    {"LineOfReg", 'B', 1},
    {"Residuals", 'B', 1},
    {"Scatter_PointType", 'I', 5},
    {"Dot_Legend", 'B', 1},
    {"Dot_PointType", 'I', 10},
    {"NumberGroups", 'I', 1},
    {"CFPlot_Legend", 'B', 1},
    {"CFPlot_Percentage", 'B', 1},
    {"FreqPoly_Legend", 'B', 1},
    {"FreqPoly_Percentage", 'B', 1},
    {"Line_Legend", 'B', 1},
    {"DataPoints", 'B', 1},
    {"CycleLen", 'I', 1},
    {"Line_UseLabels", 'B', 1},
    {"Line_FillGaps", 'B', 1},
    {"Line_PointType", 'I', 10},
    {"Smoothing", 'I', 10},
    {"Residuals_UseLabels", 'B', 1},
    {"Residuals_FillGaps", 'B', 1},
    {"JoinPoints", 'B', 1},
    {"Residuals_PointType", 'I', 5},
    {"col1", 'I', 1},
    {"col2", 'I', 1},
    {"RegType", 'I', 1},
    {"OVType", 'I', 1},
    {"OVCol", 'I', 1},
    {"OneVar", 'B', 1},
    {"xMajor", 'I', 1},
    {"xMinor", 'I', 1},
    {"yMajor", 'I', 1},
    {"yMinor", 'I', 1},
    {"xMajorCol", 'C', 1},
    {"xMinorCol", 'C', 1},
    {"yMajorCol", 'C', 1},
    {"yMinorCol", 'C', 1},
    {"FreqPoly_ShowFreq", 'I', 1},
    {"CFGraph_ShowFreq", 'I', 1},
    {"Histo_ShowFreq", 'I', 1},
    {"GraphWidth", 'I', 1},
    {"GraphHeight", 'I', 1},
    {"xAxisMid", 'S', 1},
    {"yAxisMid", 'S', 1},
    {"MidAxisFont", 'F', 1},
    {"AutoMaxx", 'B', 1},
    {"maxx", 'D', 1},
    {"AutoMaxy", 'B', 1},
    {"maxy", 'D', 1},
    {"AutoMinx", 'B', 1},
    {"minx", 'D', 1},
    {"AutoMiny", 'B', 1},
    {"miny", 'D', 1},
    {"AutoxMajor", 'B', 1},
    {"xmajor", 'D', 1},
    {"AutoxMinor", 'B', 1},
    {"xminor", 'D', 1},
    {"AutoyMajor", 'B', 1},
    {"ymajor", 'D', 1},
    {"AutoyMinor", 'B', 1},
    {"yminor", 'D', 1},
    {"BoxPlot_ShowOutliers", 'B', 1},
    {"Picto_Orientate", 'I', 1},
    {"Picto_ShowLegend", 'I', 1},
    {"StemLeaf_SortData", 'B', 1},
    {"StemLeaf_RoundLeaf", 'B', 1},
    {"StemLeaf_AllowSplit", 'B', 1},
    {"StemLeaf_High", 'S', 1},
    {"StemLeaf_Low", 'S', 1},
    {"StemLeaf_NumStems", 'I', 1},
    {"Colors", 'C', 10},
    {"DefaultFont", 'F', 1},
    {"FreqPoly_ShowEnds", 'B', 1},
    // The statistics options kept in the same section.
    {"CalcQuartile", 'I', 1},
    {"ShowSampleSD", 'B', 1},
    {"CalcPercentile", 'I', 1},
    {"CalcSeasonalised", 'I', 1},
};

// A value other than any default, in the profile's text form.
QString ChangedText(const StatKey& k, int i) {
    switch (k.kind) {
    case 'I':
        return QString::number(40 + i);
    case 'B':
        return QStringLiteral("1");
    case 'C':
        return QString::number(0x102030 + i);
    case 'D':
        return FormatC("%f", 3.25 + i);
    case 'S':
        return QStringLiteral("text, of %1").arg(QLatin1String(k.name));
    default:
        return QStringLiteral("-20,0,0,0,700,1,0,0,0,7,48,2,2,255,423,Times New Roman");
    }
}

template <class F> void ForEachStatKey(F f) {
    for (const StatKey& k : kStatKeys) {
        for (int i = 0; i < k.count; ++i) {
            const QString key = k.count == 1 ? QString::fromLatin1(k.name)
                                             : QStringLiteral("%1[%2]").arg(k.name).arg(i);
            f(k, i, key);
        }
    }
}

// Keys are case-sensitive in the profile: each must be the field's own name.
TEST(StatProperties, EveryStatKeyRoundTripsThroughTheProfile) {
    const QString section = QStringLiteral("Stat");
    auto settings = std::make_unique<QvSettings>();
    {
        TempProfile before;
        ForEachStatKey([&](const StatKey& k, int i, const QString& key) {
            WriteProfileString(section, key, ChangedText(k, i));
        });
        settings->Load();
    }
    EXPECT_EQ(settings->m_StatDefaults.xAxisMid.GetValue(), QStringLiteral("text, of xAxisMid"));
    EXPECT_EQ(settings->m_StatDefaults.Smoothing[9].GetValue(), 49);
    EXPECT_DOUBLE_EQ(settings->m_StatDefaults.yminor.GetValue(), 3.25);

    TempProfile after;
    settings->Save(FALSE);
    int keys = 0;
    ForEachStatKey([&](const StatKey& k, int i, const QString& key) {
        EXPECT_EQ(GetProfileString(section, key, QStringLiteral("<missing>")), ChangedText(k, i))
            << key.toStdString();
        ++keys;
    });
    ProfileSettings().beginGroup(section);
    EXPECT_EQ(ProfileSettings().childKeys().size(), keys) << "no key outside the table";
    ProfileSettings().endGroup();
}

// The data set stores its options record in front of its columns.
TEST(StatProperties, DataSetStoresTheRecordFirst) {
    auto d = std::make_unique<QvStatData>();
    d->properties.GraphType = 8;
    d->properties.Label1 = QStringLiteral("B");
    const QByteArray bytes = Store(*d);
    const QByteArray record = Store(d->properties);
    EXPECT_EQ(bytes.left(record.size()), record);
    auto back = std::make_unique<QvStatData>();
    Load(*back, bytes);
    EXPECT_EQ(back->properties.GraphType, 8);
    EXPECT_EQ(back->properties.LabelCol1, 1);
    EXPECT_TRUE(back->properties.Loaded);
}

} // namespace
