// The older file format: records written here byte by byte from their
// layout, read one at a time; the extended reals; and whole older drawings
// opened, cut short and saved again.
#include "common/test_support.h"
#include "diagrams/fig_norm.h"
#include "diagrams/fig_venn.h"
#include "diagrams/gallery.h"
#include "document/legacy_reader.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_arc.h"
#include "figures/fig_bezier.h"
#include "figures/fig_gallery.h"
#include "figures/fig_group.h"
#include "figures/fig_line.h"
#include "figures/fig_point.h"
#include "figures/fig_polygon.h"
#include "figures/fig_round_rect.h"
#include "figures/fig_text.h"
#include "graphs/fig_graph.h"
#include "platform/archive.h"
#include "platform/command_ids.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the records' reals are written as the compiler's 80-bit long double");

// ---------------------------------------------------------------- writing

QByteArray W(int v) {
    QByteArray b(2, '\0');
    b[0] = char(v & 0xFF);
    b[1] = char((v >> 8) & 0xFF);
    return b;
}

QByteArray D(DWORD v) {
    return W(int(v & 0xFFFF)) + W(int(v >> 16));
}

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b += char(v);
    return b;
}

QByteArray Ext(long double v) {
    char bytes[sizeof(long double)];
    std::memcpy(bytes, &v, sizeof v);
    return QByteArray(bytes, 10);
}

// A NUL-padded text field.
QByteArray Field(const QByteArray& text, int width) {
    QByteArray b = text.left(width);
    b.resize(width, '\0');
    return b;
}

constexpr COLORREF kPen = 0x00030201;
constexpr COLORREF kBrush = 0x00060504;

// Pixel corners that convert to whole units at 96 dpi: 96 px are 2540.
struct Header {
    int type = 0;
    int x1 = 96, y1 = 192, x2 = 288, y2 = 48;
    int pen = 0;
    COLORREF penColour = kPen;
    int brush = 1;
    COLORREF brushColour = kBrush;
    int hatch = 0;
    long double r[4] = {0, 0, 0, 0};
};

QByteArray Record(const Header& h) {
    QByteArray b = W(h.type) + W(h.x1) + W(h.y1) + W(h.x2) + W(h.y2) + W(h.pen) + W(3) + W(3) +
                   D(h.penColour) + W(h.brush) + D(h.brushColour) + W(h.hatch) +
                   QByteArray(8, '\x5A');
    for (long double r : h.r)
        b += Ext(r);
    EXPECT_EQ(b.size(), QvLegacyReader::HeaderBytes);
    return b;
}

Header Type(int type) {
    Header h;
    h.type = type;
    return h;
}

// A 16-bit LOGFONT: five words, eight bytes, a 32-byte face.
QByteArray Font(int height = -48, const QByteArray& face = "Courier New", int italic = 0) {
    return W(height) + W(7) + W(0) + W(0) + W(700) + Bytes({italic, 1, 0, 0, 3, 2, 1, 0x22}) +
           Field(face, 32);
}

// Record 12: n functions, then the graph's own fields.
QByteArray GraphBlock(int functions, int textLength = 3) {
    QByteArray b = W(functions);
    for (int i = 0; i < functions; ++i)
        b += QByteArray(80, '\x11') + W(textLength) + QByteArray(textLength, 'x') + W(2) + "ab" +
             Bytes({0}) + Bytes({1, 0, 1, 0, 1});
    for (int i = 0; i < 8; ++i)
        b += Ext(i);
    return b + Field("x axis", 21) + Field("y axis", 21) + QByteArray(8, '\1') + Font() + W(0);
}

// Converted corners of the default header.
const QvPoint kP1(2540, 24920); // (x1, y1)
const QvPoint kP2(7620, 28730); // (x2, y2)
std::vector<QvPoint> Corners(QvPoint a = kP1, QvPoint b = kP2) {
    return {a, QvPoint(b.x, a.y), b, QvPoint(a.x, b.y)};
}

// ---------------------------------------------------------------- reading

struct Read {
    std::unique_ptr<QvFigure> figure;
    qint64 consumed = 0;
    QvLegacyLosses losses;
};

Read ReadRecord(QByteArray bytes, bool convert = true, bool gallery = false) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QvLegacyReader reader;
    Read r;
    r.figure = reader.ReadFigure(buffer, convert, gallery);
    r.consumed = buffer.pos();
    r.losses = reader.Losses();
    return r;
}

template <class T> T* As(const Read& r) {
    return dynamic_cast<T*>(r.figure.get());
}

void ExpectPoints(const QvFigure& f, const std::vector<QvPoint>& points) {
    ASSERT_GE(f.DefiningPoints().GetSize(), int(points.size()));
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_DOUBLE_EQ(f.DefiningPoints()[int(i)].x, points[i].x) << "point " << i;
        EXPECT_DOUBLE_EQ(f.DefiningPoints()[int(i)].y, points[i].y) << "point " << i;
    }
}

void ExpectRefused(const QByteArray& bytes, bool convert = true) {
    EXPECT_THROW(ReadRecord(bytes, convert), CArchiveException);
}

class LegacyReaderTest : public ::testing::Test {
protected:
    MessageRecorder recorder; // smooth lines beep at their point cap
};

// ----------------------------------------------------------------- reals

TEST(ExtendedToDoubleTest, ConvertsByTruncatingTheMantissa) {
    // A double rounded to nearest, stepped back where that rounded away
    // from zero: the truncated value.
    auto truncated = [](long double v) {
        double d = double(v);
        if (std::fabs((long double)d) > std::fabs(v))
            d = std::nextafter(d, 0.0);
        return d;
    };
    const long double pi = 3.14159265358979323846264338327950288L;
    for (long double v : {0.0L, 1.0L, -2.5L, 0.1L, pi, -1e300L, 1e-300L}) {
        SCOPED_TRACE(double(v));
        const QByteArray b = Ext(v);
        const double d = ExtendedToDouble(reinterpret_cast<const BYTE*>(b.constData()));
        const double want = truncated(v);
        EXPECT_EQ(std::memcmp(&d, &want, sizeof d), 0) << d << " for " << want;
    }
    // 0.1 is one step below the double nearest to it.
    const QByteArray tenth = Ext(0.1L);
    EXPECT_EQ(ExtendedToDouble(reinterpret_cast<const BYTE*>(tenth.constData())),
              std::nextafter(0.1, 0.0));
}

TEST(ExtendedToDoubleTest, WhatADoubleCannotHoldReadsAsZero) {
    for (long double v : {1e400L, -1e400L, 1e-400L, std::numeric_limits<long double>::infinity(),
                          std::numeric_limits<long double>::quiet_NaN(),
                          std::numeric_limits<long double>::denorm_min()}) {
        const QByteArray b = Ext(v);
        EXPECT_EQ(ExtendedToDouble(reinterpret_cast<const BYTE*>(b.constData())), 0.0);
    }
}

// ---------------------------------------------------------------- records

struct RecordCase {
    const char* what;
    QByteArray bytes;
    int toolId; // 0: no figure
    std::vector<QvPoint> points;
    int lineStyle = 0; // 0: not checked (or not applied)
    int fillStyle = 0;
    bool gallery = false;
};

TEST_F(LegacyReaderTest, EveryRecordTypeMakesItsFigureAndTakesItsBytes) {
    Header dashed = Type(2);
    dashed.pen = 1;
    Header dotted = Type(3);
    dotted.pen = 2;
    Header solidFill = Type(5);
    solidFill.brush = 0;
    Header reversed = Type(6); // x1 > x2
    reversed.x1 = 288;
    reversed.x2 = 96;
    reversed.pen = 3;
    reversed.brush = 2;
    reversed.hatch = 0;
    Header round = Type(7);
    round.pen = 4;
    round.brush = 2;
    round.hatch = 5;
    Header oddStyles = Type(6); // unknown pen style and hatch keep the factory's
    oddStyles.pen = 9;
    oddStyles.brush = 2;
    oddStyles.hatch = 6;
    const std::unique_ptr<QvFigure> factory = QvFigure::CreateForTool(ID_DRAW_RECTANGLE);
    const int factoryLine = int(factory->GetEditData()->m_lineStyle);
    const int factoryFill = int(factory->GetEditData()->m_fillStyle);

    const QByteArray lineTail =
        W(1) + W(2) + W(3) + W(4) + W(8) + Field("AB", 20) + Font(); // arrows, size, option
    const QByteArray member = Record(Type(6));
    const QvPoint boxLow(2540, 28730); // (x1, y2): where record points count from

    const RecordCase cases[] = {
        {"1 smooth line",
         Record(Type(1)) + W(3) + Bytes({1}) + W(0) + W(1) + W(5) + W(0) + W(0) + W(500) + W(0) +
             W(1000) + W(1000),
         ID_DRAW_SMOOTH_LINE,
         {boxLow, QvPoint(5080, 28730), QvPoint(7620, 24920)},
         ID_LINE_SOLID1,
         ID_FILL_NONE},
        {"2 line, dashed",
         Record(dashed) + lineTail,
         ID_DRAW_LINE,
         {kP1, kP2},
         ID_LINE_DASH,
         ID_FILL_NONE},
        {"3 line, dotted",
         Record(dotted) + lineTail,
         ID_DRAW_LINE,
         {kP1, kP2},
         ID_LINE_DOT,
         ID_FILL_NONE},
        {"4 point", Record(Type(4)) + W(3), ID_DRAW_POINT, {kP1}, ID_LINE_SOLID1, ID_FILL_NONE},
        {"5 ellipse, solid fill", Record(solidFill) + W(2), ID_DRAW_ELLIPSE_4C, Corners(),
         ID_LINE_SOLID1, ID_FILL_SOLID},
        {"6 rectangle, x1 > x2 kept", Record(reversed), ID_DRAW_RECTANGLE,
         Corners(QvPoint(7620, 24920), QvPoint(2540, 28730)), ID_LINE_DASHDOT, ID_FILL_HORIZONTAL},
        {"6 rectangle, unknown styles", Record(oddStyles), ID_DRAW_RECTANGLE, Corners(),
         factoryLine, factoryFill},
        {"7 rounded rectangle", Record(round), ID_DRAW_ROUND_RECT, Corners(), ID_LINE_DASHDOTDOT,
         ID_FILL_DIAMOND},
        {"8 text box",
         Record(Type(8)) + W(3) + "Hi!" + "xyz" + Font(),
         ID_DRAW_TEXT,
         {kP1, QvPoint(9540, 24920), QvPoint(9540, 22920), QvPoint(2540, 22920)},
         ID_LINE_SOLID1,
         ID_FILL_NONE},
        {"9 arc", Record(Type(9)) + W(0) + W(1) + W(2) + W(4), ID_DRAW_ARC_4P, Corners(),
         ID_LINE_SOLID1, ID_FILL_NONE},
        {"10 polygon",
         Record(Type(10)) + W(3) + W(0) + W(0) + W(1000) + W(0) + W(1000) + W(1000),
         ID_DRAW_POLYGON,
         {boxLow, kP2, QvPoint(7620, 24920)},
         ID_LINE_SOLID1,
         ID_FILL_NONE},
        {"11 nothing", Record(Type(11)) + "abc", 0, {}},
        {"12 function graph", Record(Type(12)) + GraphBlock(2), ID_DRAW_GRAPH, Corners()},
        {"12 function graph without functions", Record(Type(12)) + GraphBlock(0), ID_DRAW_GRAPH,
         Corners()},
        {"13 normal curve", Record(Type(13)) + W(2) + W(0) + Bytes({1, 0, 1, 0}),
         ID_DRAW_NORMAL_CURVE, Corners(), ID_LINE_SOLID1, ID_FILL_NONE},
        {"14 Venn, two sets",
         Record(Type(14)) + QByteArray(234, '\x7F') + Bytes({1, 0, 1, 0}) +
             QByteArray(7 * 11, '\0') + Font(),
         ID_DRAW_VENN2, Corners()},
        {"15 Venn, three sets",
         Record(Type(15)) + QByteArray(312, '\x7F') + QByteArray(8, '\1') +
             QByteArray(15 * 11, '\0') + Font(),
         ID_DRAW_VENN3, Corners()},
        {"16 nothing", Record(Type(16)) + "abcde", 0, {}},
        {"17 nothing", Record(Type(17)), 0, {}},
        {"18 group", Record(Type(18)) + W(1) + member + "xyz", ID_TOOL_GROUP, Corners()},
        {"18 group, read for a gallery", Record(Type(18)) + W(1) + member + "xyz", ID_TOOL_GROUP,
         Corners(), 0, 0, true},
        {"1000 container", Record(Type(1000)) + W(1) + member, ID_TOOL_GROUP, Corners()},
        {"1003 container, read for a gallery", Record(Type(1003)) + W(1) + member,
         ID_DRAW_GALLERY_FIGURE, Corners(), 0, 0, true},
        {"1004 container, read for a gallery", Record(Type(1004)) + W(0), ID_DRAW_GALLERY_FIGURE,
         Corners(), 0, 0, true},
        {"1005 line", Record(Type(1005)), ID_DRAW_LINE, {kP1, kP2}, ID_LINE_SOLID1, ID_FILL_NONE},
        {"19 unknown", Record(Type(19)), 0, {}},
        {"999 unknown", Record(Type(999)), 0, {}},
        {"1001 unknown", Record(Type(1001)), 0, {}},
        {"-1 unknown", Record(Type(-1)), 0, {}},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.what);
        // A sentinel after the record shows where its bytes end.
        const Read r = ReadRecord(c.bytes + "SENTINEL", true, c.gallery);
        EXPECT_EQ(r.consumed, c.bytes.size());
        if (c.toolId == 0) {
            EXPECT_EQ(r.figure, nullptr);
            continue;
        }
        ASSERT_NE(r.figure, nullptr);
        EXPECT_EQ(r.figure->GetToolId(), c.toolId);
        ExpectPoints(*r.figure, c.points);
        if (c.lineStyle != 0) {
            const QvEditData& d = *r.figure->GetEditData();
            EXPECT_EQ(d.m_lineColor, kPen);
            EXPECT_EQ(d.m_fillColor, kBrush);
            EXPECT_EQ(d.m_lineStyle, c.lineStyle);
            EXPECT_EQ(d.m_fillStyle, c.fillStyle);
        }
        if (auto* group = As<QvFigGroup>(r)) {
            if (c.toolId != ID_DRAW_VENN2 && c.toolId != ID_DRAW_VENN3) {
                // Containers keep the factory's styles and leave their
                // members' alone.
                EXPECT_NE(group->GetEditData()->m_lineColor, kPen);
                for (const QvFigure* m : group->Members())
                    EXPECT_EQ(m->GetEditData()->m_lineColor, kPen);
            }
        }
    }
}

// A function graph keeps its functions, range, axis names, switches and
// fonts; its style stays the factory's.
TEST_F(LegacyReaderTest, GraphKeepsItsFunctionsAndSettings) {
    auto function = [](const QByteArray& typed, const QByteArray& range,
                       std::initializer_list<int> flags) {
        return QByteArray(80, '\x11') + W(int(typed.size())) + typed + W(int(range.size())) +
               range + Bytes({9}) + Bytes(flags);
    };
    QByteArray block = W(2) + function("Y=X^2", "", {1, 0, 1, 0, 1}) +
                       function(QByteArray("Y=2X+1\0junk", 11), "X>0", {0, 1, 0, 1, 0});
    for (long double v : {10.0L, 8.0L, -10.0L, -8.0L, 2.0L, 2.0L, 1.0L, 0.5L})
        block += Ext(v);
    block += Field("t", 21) + Field("s", 21) + Bytes({1, 1, 0, 1, 0, 1, 0, 1}) +
             Font(-48, "Courier New") + W(0);
    const Read r = ReadRecord(Record(Type(12)) + block + "SENTINEL");
    EXPECT_EQ(r.consumed, QvLegacyReader::HeaderBytes + block.size());
    QvFigGraph* graph = As<QvFigGraph>(r);
    ASSERT_NE(graph, nullptr);
    ExpectPoints(*graph, Corners());
    EXPECT_NE(graph->GetEditData()->m_lineColor, kPen);
    const QvGraphData& d = graph->GraphData()->m_data;
    const QvGraphDataFunction& f = d.functions[0];
    const QvGraphDataFunction& g = d.functions[1];
    EXPECT_EQ(f.caption, QStringLiteral("Y=X^2"));
    EXPECT_EQ(f.expression, QStringLiteral("Y=X^2"));
    EXPECT_EQ(f.rangeText, QString());
    EXPECT_EQ(g.caption, QStringLiteral("Y=2X+1"));
    EXPECT_EQ(g.rangeText, QStringLiteral("X>0"));
    // Flags stored in the order RangeArrows, VAsym, HAsym, ShowHigh, ShowLow.
    EXPECT_EQ((std::vector<int>{f.RangeArrows, f.VAsym, f.HAsym, f.ShowHigh, f.ShowLow}),
              (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ((std::vector<int>{g.RangeArrows, g.VAsym, g.HAsym, g.ShowHigh, g.ShowLow}),
              (std::vector<int>{0, 1, 0, 1, 0}));
    EXPECT_EQ(f.dirty, 1);
    EXPECT_EQ(g.dirty, 1);
    EXPECT_TRUE(d.functions[2].caption.isEmpty());
    EXPECT_EQ((QStringList{d.xMaxShowS, d.yMaxShowS, d.xMinShowS, d.yMinShowS, d.xMajorS,
                           d.yMajorS, d.xMinorS, d.yMinorS}),
              (QStringList{"10", "8", "-10", "-8", "2", "2", "1", "0.5"}));
    EXPECT_EQ(d.xNotate, QStringLiteral("t"));
    EXPECT_EQ(d.yNotate, QStringLiteral("s"));
    EXPECT_EQ((std::vector<int>{d.ShowGrid, d.showXAxis, d.showYAxis, d.showXTicks, d.showYTicks,
                                d.showXLabels, d.showYLabels}),
              (std::vector<int>{1, 0, 1, 0, 1, 0, 1}));
    for (const QvLogFont* font : {&d.AxisFont, &d.NotateFont, &d.ReportFont}) {
        EXPECT_EQ(font->m_logFont.lfHeight, -48);
        EXPECT_STREQ(font->m_logFont.lfFaceName, "Courier New");
        EXPECT_EQ(font->m_drawHeight, 1270);
        EXPECT_EQ(font->m_logFont.lfItalic, font == &d.NotateFont ? 1 : 0);
    }
}

TEST_F(LegacyReaderTest, LineTakesArrowsLabelAndFont) {
    Header h = Type(2);
    h.r[0] = 0.25L;
    const Read r =
        ReadRecord(Record(h) + W(1) + W(2) + W(3) + W(0x0106) + W(8) +
                   Field(QByteArray("Label\0junk", 10), 20) + Font(-48, "Courier New", 1));
    QvFigLine* line = As<QvFigLine>(r);
    ASSERT_NE(line, nullptr);
    const QvEditDataLine& d = *line->LineData();
    EXPECT_EQ(d.m_startArrow, 11);
    EXPECT_EQ(d.m_endArrow, 12);
    EXPECT_EQ(d.m_midArrow, 13);
    EXPECT_EQ(d.m_startSize, 6); // the low byte of the size word
    EXPECT_EQ(d.m_endSize, 6);
    EXPECT_EQ(d.m_midSize, 6);
    EXPECT_DOUBLE_EQ(d.m_midPos, 0.25);
    EXPECT_DOUBLE_EQ(d.m_labelPos, 0.25);
    EXPECT_EQ(d.m_labelSide, 8);
    EXPECT_EQ(d.m_label, "Label");
    EXPECT_EQ(d.m_font.FaceName(), "Courier New");
    EXPECT_EQ(d.m_font.m_logFont.lfHeight, -48);
    EXPECT_EQ(d.m_font.m_logFont.lfWeight, 700);
    EXPECT_EQ(d.m_font.m_logFont.lfItalic, 1);
    EXPECT_EQ(d.m_font.m_drawHeight, 1270); // 48 px at 96 dpi

    // A mark far beyond the line is refused, as a drawing file refuses it.
    h.r[0] = 60.0L;
    ExpectRefused(Record(h) + W(1) + W(2) + W(3) + W(4) + W(8) + Field("", 20) + Font());
}

TEST_F(LegacyReaderTest, TextBoxTakesItsTextAndAFixedSize) {
    const QByteArray tail = W(6) + QByteArray("Hi\0xyz", 6) + "skipme" + Font(96);
    const Read converted = ReadRecord(Record(Type(8)) + tail);
    QvFigText* text = As<QvFigText>(converted);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetText(), "Hi");
    EXPECT_EQ(text->TextData()->m_font.m_drawHeight, 2540);
    const QvPointArray& p = text->DefiningPoints();
    EXPECT_DOUBLE_EQ(p[1].x - p[0].x, 7000.0);
    EXPECT_DOUBLE_EQ(p[0].y - p[3].y, 2000.0);

    // As a member: stored units, 100 by 50.
    Header raw = Type(8);
    raw.x1 = 10;
    raw.y1 = 20;
    const Read member = ReadRecord(Record(raw) + tail, false);
    ExpectPoints(*member.figure, {{10, 20}, {110, 20}, {110, 70}, {10, 70}});

    // Lengths below zero or beyond the file end the read.
    ExpectRefused(Record(Type(8)) + W(-1) + Font());
    ExpectRefused(Record(Type(8)) + W(30000) + "short");
}

TEST_F(LegacyReaderTest, ArcAnglesMajorFlagAndFill) {
    struct Case {
        long double r0, r1;
        int brush;
        int major;
        int closing;
    };
    const std::unique_ptr<QvFigArc4P> made(
        static_cast<QvFigArc4P*>(QvFigure::CreateForTool(QvFigArc4P::ToolId).release()));
    const int constructed = made->ArcData()->m_closeType;
    const Case cases[] = {
        {0.0L, 0.5L, 1, 0, constructed},         // b = pi: not major
        {0.0L, 0.25L, 0, 1, 1},                  // b = 1.5 pi, filled: a sector
        {0.25L, 0.75L, 2, 0, 1},                 // hatched is filled too
        {0.0L, 0.5L - 1e-9L, 1, 0, constructed}, // within 1e-7 of pi
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(double(c.r1));
        Header h = Type(9);
        h.r[0] = c.r0;
        h.r[1] = c.r1;
        h.brush = c.brush;
        const Read r = ReadRecord(Record(h) + W(0) + W(0) + W(0) + W(3));
        QvFigArc4P* arc = As<QvFigArc4P>(r);
        ASSERT_NE(arc, nullptr);
        EXPECT_EQ(arc->ArcData()->m_major, c.major);
        EXPECT_EQ(arc->ArcData()->m_closeType, c.closing);
        EXPECT_EQ(arc->ArcData()->m_startArrow, 10);
        EXPECT_EQ(arc->ArcData()->m_midArrow, 10);
        EXPECT_EQ(arc->ArcData()->m_startSize, 3);
        // Both ends lie on the ellipse in the box.
        const QvPoint centre(5080, 26825);
        for (int i : {4, 5}) {
            const QvPoint p = arc->DefiningPoints()[i];
            const double u = (p.x - centre.x) / 2540.0, v = (p.y - centre.y) / 1905.0;
            EXPECT_NEAR(u * u + v * v, 1.0, 1e-6) << "point " << i;
        }
    }
    // r0 = 0 starts at pi: left of the centre; r0 = 0.25 at pi / 2, which
    // on the page (y up) is above it.
    Header left = Type(9);
    const QvPoint start =
        ReadRecord(Record(left) + W(0) + W(0) + W(0) + W(3)).figure->DefiningPoints()[4];
    EXPECT_NEAR(start.x, 2540.0, 1e-3);
    EXPECT_NEAR(start.y, 26825.0, 1e-3);
    left.r[0] = 0.25L;
    const QvPoint up =
        ReadRecord(Record(left) + W(0) + W(0) + W(0) + W(3)).figure->DefiningPoints()[4];
    EXPECT_NEAR(up.x, 5080.0, 1e-3);
    EXPECT_NEAR(up.y, 28730.0, 1e-3);
}

TEST_F(LegacyReaderTest, PolygonKeepsItsFirst255PointsAndSaysSo) {
    QByteArray points;
    for (int i = 0; i < 300; ++i)
        points += W(i) + W(1000 - i);
    const Read r = ReadRecord(Record(Type(10)) + W(300) + points + "SENTINEL");
    QvFigPolygon* polygon = As<QvFigPolygon>(r);
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(r.consumed, QvLegacyReader::HeaderBytes + 2 + 300 * 4);
    EXPECT_EQ(polygon->GetPointCount(), 255);
    EXPECT_EQ(polygon->GetClickCount(), 254);
    EXPECT_EQ(r.losses.polygons, 1);
    // Point 254 is the pair (254, 746) in the box.
    EXPECT_DOUBLE_EQ(polygon->DefiningPoints()[254].x, 2540 + 5080 * 0.254);
    EXPECT_DOUBLE_EQ(polygon->DefiningPoints()[254].y, 28730 - 3810 * 0.746);

    const Read small = ReadRecord(Record(Type(10)) + W(2) + W(0) + W(0) + W(5) + W(5));
    EXPECT_EQ(small.figure->GetPointCount(), 2);
    EXPECT_EQ(small.losses.polygons, 0);
    ExpectRefused(Record(Type(10)) + W(-3));
}

TEST_F(LegacyReaderTest, SmoothLineIsTracedThroughItsPoints) {
    QByteArray points;
    for (int i = 0; i < 1200; ++i)
        points += W(i % 1000) + W(0);
    const QByteArray head = Record(Type(1)) + W(1200) + Bytes({2}) + W(3) + W(4) + W(0x0207);
    const Read r = ReadRecord(head + points + "SENTINEL");
    QvFigSmoothLine* line = As<QvFigSmoothLine>(r);
    ASSERT_NE(line, nullptr);
    // Every pair is read, however many the curve keeps.
    EXPECT_EQ(r.consumed, head.size() + 1200 * 4);
    const QvEditDataSmoothLine& d = *line->CurveData();
    EXPECT_EQ(d.m_closed, 1);
    EXPECT_EQ(d.m_startMark, 13);
    EXPECT_EQ(d.m_endMark, 14);
    EXPECT_EQ(d.m_midMark, 10);
    EXPECT_EQ(d.m_midSize, 7);
    EXPECT_EQ(d.m_spacing, 300);
    EXPECT_LE(line->GetPointCount(), QvFigSmoothLine::MaxPoints);

    // As a member the spacing is 50 stored units; points nearer than that
    // to the last one kept are passed over, and the last point ends the line.
    Header raw = Type(1);
    raw.x1 = 0;
    raw.y1 = 1000;
    raw.x2 = 1000;
    raw.y2 = 0;
    const Read member = ReadRecord(Record(raw) + W(4) + Bytes({0}) + W(0) + W(0) + W(4) + W(0) +
                                       W(0) + W(10) + W(0) + W(100) + W(0) + W(120) + W(0),
                                   false);
    ASSERT_NE(member.figure, nullptr);
    EXPECT_EQ(static_cast<QvFigSmoothLine&>(*member.figure).CurveData()->m_spacing, 50);
    EXPECT_EQ(member.figure->GetPointCount(), 3);
    ExpectPoints(*member.figure, {{0, 0}, {100, 0}, {120, 0}});
}

TEST_F(LegacyReaderTest, NormalCurveTakesItsBoundsAndFlags) {
    Header h = Type(13);
    h.x1 = 288; // the bounds count from the left edge whichever corner is first
    h.x2 = 96;
    h.r[0] = 0.25L;
    h.r[2] = 0.75L;
    const Read r = ReadRecord(Record(h) + W(3) + W(99) + Bytes({0, 2, 1, 0}));
    QvFigNorm* norm = As<QvFigNorm>(r);
    ASSERT_NE(norm, nullptr);
    const QvEditDataNorm& d = *norm->NormData();
    EXPECT_EQ(d.m_nArrow, 13);
    EXPECT_EQ(d.m_nArrowSize, 4);
    EXPECT_EQ(d.m_bInverse, 0);
    EXPECT_EQ(d.m_bBaseline, 1);
    EXPECT_EQ(d.m_byAxis, 1);
    EXPECT_EQ(d.m_bShade, 0);
    ExpectPoints(*norm, {{7620, 24920},
                         {2540, 24920},
                         {2540, 28730},
                         {7620, 28730},
                         {2540 + 5080 * 0.25, 24920},
                         {2540 + 5080 * 0.75, 24920}});
}

TEST_F(LegacyReaderTest, VennDiagramsTakeShadesTextsAndFont) {
    QByteArray texts2;
    for (int i = 0; i < 7; ++i)
        texts2 += Field("t" + QByteArray::number(i), 11);
    const Read two = ReadRecord(Record(Type(14)) + QByteArray(234, '\x7F') + Bytes({1, 0, 0, 1}) +
                                texts2 + Font(-24, "Arial"));
    QvFigVenn2* venn2 = As<QvFigVenn2>(two);
    ASSERT_NE(venn2, nullptr);
    const QvEditDataVenn2& d2 = *venn2->VennData();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(d2.m_shade), 4), Bytes({1, 0, 0, 1}));
    // Stored: name A, name B, A only, B only, A and B, outside, universe.
    const char* expected2[] = {"t4", "t2", "t3", "t5", "t6", "t0", "t1"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(d2.m_text[i], expected2[i]) << i;
    EXPECT_EQ(d2.m_font.m_drawHeight, 635);
    EXPECT_EQ(d2.m_font.FaceName(), "Arial");

    QByteArray texts3;
    for (int i = 0; i < 15; ++i)
        texts3 += Field("s" + QByteArray::number(i), 11);
    const Read three = ReadRecord(Record(Type(15)) + QByteArray(312, '\x7F') +
                                  Bytes({1, 2, 3, 4, 5, 6, 7, 8}) + texts3 + Font());
    QvFigVenn3* venn3 = As<QvFigVenn3>(three);
    ASSERT_NE(venn3, nullptr);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(venn3->VennData()->m_text[i], "s" + QString::number(i)) << i;
    EXPECT_EQ(venn3->VennData()->m_shade[7], 8);
    // The eleven bytes of a text field are all its own.
    const Read full = ReadRecord(Record(Type(15)) + QByteArray(312, '\0') + QByteArray(8, '\0') +
                                 QByteArray(15 * 11, 'z') + Font());
    EXPECT_EQ(As<QvFigVenn3>(full)->VennData()->m_text[14], QString(11, 'z'));
}

TEST_F(LegacyReaderTest, ContainersHoldTheirMembersUnconverted) {
    Header inner = Type(6);
    inner.x1 = 100;
    inner.y1 = 200;
    inner.x2 = 900;
    inner.y2 = 800;
    const QByteArray nested = Record(Type(1000)) + W(2) + Record(Type(17)) + Record(inner);
    const Read r = ReadRecord(Record(Type(18)) + W(2) + Record(inner) + nested + "xyz");
    QvFigGroup* group = As<QvFigGroup>(r);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->Members().size(), 2u);
    const QvFigure* first = group->Members()[0];
    EXPECT_EQ(first->GetGroupNesting(), 1);
    ExpectPoints(*first, Corners(QvPoint(100, 200), QvPoint(900, 800)));
    // The member that makes nothing is left out of the inner container.
    auto* second = dynamic_cast<QvFigGroup*>(group->Members()[1]);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetGroupNesting(), 1);
    ASSERT_EQ(second->Members().size(), 1u);
    ExpectPoints(*second->Members()[0], Corners(QvPoint(100, 200), QvPoint(900, 800)));
    // Mapped through the group's frame, the members land inside it.
    const QvPoint shown = first->DisplayPoints()[0];
    EXPECT_NEAR(shown.x, 2540 + 5080 * 0.1, 1e-6);

    const Read gallery = ReadRecord(nested, true, true);
    auto* figure = As<QvFigGallery>(gallery);
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(figure->GetAspectRatio(), 1.0);
    // Nested containers are plain groups, even in a gallery.
    const Read deeper = ReadRecord(Record(Type(1003)) + W(1) + nested, true, true);
    EXPECT_EQ(As<QvFigGallery>(deeper)->Members()[0]->GetToolId(), ID_TOOL_GROUP);
}

TEST_F(LegacyReaderTest, MalformedRecordsAreRefused) {
    // Containers inside containers, the innermost empty.
    auto nested = [](int depth) {
        QByteArray b = Record(Type(1000)) + W(0);
        for (int i = 1; i < depth; ++i)
            b = Record(Type(1000)) + W(1) + b;
        return b;
    };
    const QByteArray deep = nested(QvLegacyReader::MaxNesting + 1);
    const QByteArray deepEnough = nested(QvLegacyReader::MaxNesting);
    EXPECT_NE(ReadRecord(deepEnough).figure, nullptr);

    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"containers too deep", deep},
        {"negative member count", Record(Type(18)) + W(-1)},
        {"negative smooth line count", Record(Type(1)) + W(-1) + Bytes({0}) + W(0) + W(0) + W(0)},
        {"eleven graph functions", Record(Type(12)) + GraphBlock(11)},
        {"negative graph text", Record(Type(12)) + GraphBlock(1, -2)},
        {"a member cut short", Record(Type(18)) + W(2) + Record(Type(6)) + Record(Type(4))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectRefused(c.bytes);
    }
}

// ---------------------------------------------------------------- drawings

QByteArray OlderDrawing(const QList<QByteArray>& records) {
    QByteArray b = "\1\2\3\4" + W(int(records.size()));
    for (const QByteArray& r : records)
        b += r;
    return b;
}

class OlderDrawingTest : public LegacyReaderTest {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A small drawing with one record of most kinds.
    static QByteArray Small() {
        Header line = Type(2);
        line.r[0] = 0.5L;
        return OlderDrawing({
            Record(line) + W(0) + W(1) + W(0) + W(4) + W(0) + Field("L", 20) + Font(),
            Record(Type(17)),
            Record(Type(8)) + W(2) + "Tx" + "--" + Font(),
            Record(Type(10)) + W(3) + W(0) + W(0) + W(1000) + W(0) + W(500) + W(1000),
            Record(Type(18)) + W(1) + Record(Type(5)) + W(1) + "xyz",
        });
    }

    TempProfile profile;
    QTemporaryDir dir;
};

TEST_F(OlderDrawingTest, OpensAndSavesInTheCurrentFormat) {
    Write(Path("old.kw2"), Small());
    Lumbrel2Doc doc;
    ASSERT_TRUE(doc.OnOpenDocument(Path("old.kw2")));
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(doc.GetFigureCount(), 4);
    const int tools[] = {ID_DRAW_LINE, ID_DRAW_TEXT, ID_DRAW_POLYGON, ID_TOOL_GROUP};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(doc.GetFigure(i)->GetToolId(), tools[i]);
    EXPECT_EQ(doc.GetFigure(0)->DisplayPoints()[0], kP1);

    ASSERT_TRUE(doc.OnSaveDocument(Path("new.kw2")));
    Lumbrel2Doc again;
    ASSERT_TRUE(again.OnOpenDocument(Path("new.kw2")));
    ASSERT_EQ(again.GetFigureCount(), 4);
    EXPECT_EQ(static_cast<QvFigText*>(again.GetFigure(1))->GetText(), "Tx");
    EXPECT_EQ(again.GetFigure(2)->GetPointCount(), 3);
}

TEST_F(OlderDrawingTest, NoRecordsIsAnEmptyDrawing) {
    Write(Path("empty.kw2"), OlderDrawing({}));
    Lumbrel2Doc doc;
    EXPECT_TRUE(doc.OnOpenDocument(Path("empty.kw2")));
    EXPECT_EQ(doc.GetFigureCount(), 0);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(OlderDrawingTest, EveryTruncationEndsCleanly) {
    const QByteArray whole = Small();
    for (int n = 0; n < whole.size(); ++n) {
        SCOPED_TRACE(n);
        Write(Path("cut.kw2"), whole.left(n));
        Lumbrel2Doc doc;
        recorder.messages.clear();
        EXPECT_FALSE(doc.OnOpenDocument(Path("cut.kw2")));
        EXPECT_EQ(doc.GetFigureCount(), 0);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text, CDocument::InvalidFormatMessage(Path("cut.kw2")));
    }
}

TEST_F(OlderDrawingTest, WhatCouldNotBeKeptIsSaid) {
    QByteArray points;
    for (int i = 0; i < 256; ++i)
        points += W(i) + W(i);
    Write(Path("lossy.kw2"),
          OlderDrawing({Record(Type(12)) + GraphBlock(1), Record(Type(10)) + W(256) + points,
                        Record(Type(1000)) + W(1) + Record(Type(12)) + GraphBlock(0)}));
    Lumbrel2Doc doc;
    ASSERT_TRUE(doc.OnOpenDocument(Path("lossy.kw2")));
    EXPECT_EQ(doc.GetFigureCount(), 3);
    ASSERT_EQ(recorder.messages.size(), 1u);
    QvLegacyLosses losses;
    losses.polygons = 1;
    EXPECT_EQ(recorder.messages[0].text,
              Lumbrel2Doc::OlderFormatLossMessage(Path("lossy.kw2"), losses));
    EXPECT_FALSE(recorder.messages[0].text.contains("graph"));
    EXPECT_TRUE(recorder.messages[0].text.contains("only its first 255 were kept"));
}

TEST_F(OlderDrawingTest, FiguresFarOffThePageAreRefused) {
    // A normal curve's bounds far beyond its box.
    Header h = Type(13);
    h.r[0] = 1e12L;
    Write(Path("far.kw2"), OlderDrawing({Record(h) + W(0) + W(0) + Bytes({0, 0, 0, 0})}));
    Lumbrel2Doc doc;
    EXPECT_FALSE(doc.OnOpenDocument(Path("far.kw2")));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, CDocument::InvalidFormatMessage(Path("far.kw2")));
}

// Older galleries: a 50-byte title, the count and the same records, of
// which the containers become gallery figures.
TEST_F(OlderDrawingTest, GalleryKeepsItsContainers) {
    const QByteArray records[] = {
        Record(Type(1000)) + W(2) + Record(Type(6)) + Record(Type(12)) + GraphBlock(0),
        Record(Type(18)) + W(0) + "xyz", // a group is no gallery figure
        Record(Type(6)),
        Record(Type(1004)) + W(0),
    };
    QByteArray bytes = Field("Old shapes", 50) + W(4);
    for (const QByteArray& r : records)
        bytes += r;
    Write(Path("old.gal"), bytes);
    QvGallery gallery;
    gallery.Load(Path("old.gal"));
    EXPECT_TRUE(gallery.IsReadable());
    EXPECT_EQ(gallery.GetTitle(), "Old shapes");
    ASSERT_EQ(gallery.GetFigureCount(), 2);
    EXPECT_EQ(gallery.GetFigureAt(0)->Members().size(), 2u);
    EXPECT_EQ(gallery.GetFigureAt(1)->GetToolId(), QvFigGallery::ToolId);
    EXPECT_TRUE(recorder.messages.empty());

    // Cut short anywhere, it stays unreadable and untouched.
    for (int n : {10, 52, 60, int(bytes.size()) - 1}) {
        SCOPED_TRACE(n);
        Write(Path("cut.gal"), bytes.left(n));
        QvGallery cut;
        cut.Load(Path("cut.gal"));
        EXPECT_FALSE(cut.IsReadable());
        EXPECT_EQ(cut.GetFigureCount(), 0);
    }
}

} // namespace
