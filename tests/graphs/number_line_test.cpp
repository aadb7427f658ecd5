// Number lines: the two records and their archive forms, the intervals
// read from typed inequalities and drawn on the axis, and the engine's
// range, ticks, scale labels and label band.
#include "common/recording_device.h"
#include "common/test_support.h"
#include "function_test_support.h"
#include "graphs/number_line.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/qt_convert.h"
#include "settings/settings.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTextItem>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// The recording device, keeping text too: each piece of text with the
// device point it was drawn at.
struct DrawnText {
    QPointF at;
    QString text;
};

class TextRecordingEngine : public RecordingPaintEngine {
public:
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        texts.push_back({painter()->combinedTransform().map(p), item.text()});
    }
    std::vector<DrawnText> texts;
};

class TextRecordingDevice : public RecordingDevice {
public:
    using RecordingDevice::RecordingDevice;
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable TextRecordingEngine engine;
};

QString Latin1(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

// --- the records ---------------------------------------------------------------------

namespace {

// Every stored field of an interval record; the frame only when asked.
std::string Fields(const QvGraphDataNumberLineFunction& r, bool frame = true) {
    QString s = QString::asprintf("%g %g %g %g [%d %d %d %d] ", r.m_xMax, r.reservedE, r.m_xMin,
                                  r.reservedF, int(r.m_PlotRect.left), int(r.m_PlotRect.top),
                                  int(r.m_PlotRect.right), int(r.m_PlotRect.bottom));
    if (frame)
        s += QString::asprintf("[%d %d %d %d] ", int(r.m_FrameRect.left), int(r.m_FrameRect.top),
                               int(r.m_FrameRect.right), int(r.m_FrameRect.bottom));
    s += r.m_Expression + u'|' + r.secondText + u'|';
    s += QString::asprintf("%06x %d changed %d", unsigned(r.m_Color), int(r.m_LineCommand),
                           int(r.m_Changed));
    return s.toStdString();
}

std::string Fields(const QvNumberLineData& d) {
    QString s = QString::asprintf("%g %g [%d %d %d %d] [%d %d %d %d] ", d.m_xMaxPad, d.m_xMinPad,
                                  int(d.m_PlotRect.left), int(d.m_PlotRect.top),
                                  int(d.m_PlotRect.right), int(d.m_PlotRect.bottom),
                                  int(d.m_FrameRect.left), int(d.m_FrameRect.top),
                                  int(d.m_FrameRect.right), int(d.m_FrameRect.bottom));
    s += d.m_xMaxShow + u'|' + d.m_xMinShow + u'|' + d.m_xMajor + u'|' + d.m_xMinor + u'|';
    s += QString::asprintf("%d %d %d %d %d %d %06x %d %d %d %d ", int(d.reservedA),
                           int(d.m_ShowAxis), int(d.m_ShowTicks), int(d.m_ShowScale),
                           int(d.reservedB), int(d.reservedC), unsigned(d.m_AxisColor),
                           int(d.m_AxisLine), int(d.m_ShowOriginCopy), int(d.m_ShowNegArrowsCopy),
                           int(d.reservedD));
    s += d.m_AxisFont.ToText();
    for (const QvGraphDataNumberLineFunction& g : d.m_Graphs)
        s += QString::fromStdString("\n" + Fields(g));
    return s.toStdString();
}

// A record with every field away from its default.
void Fill(QvNumberLineData& d) {
    d.m_xMaxPad = 8.4;
    d.m_xMinPad = -2.4;
    d.m_PlotRect = CRect(10, -20, 3000, -900);
    d.m_FrameRect = CRect(5, -5, 3005, -1005);
    d.m_xMaxShow = QStringLiteral("8");
    d.m_xMinShow = QStringLiteral("-2");
    d.m_xMajor = QStringLiteral("pi/2");
    d.m_xMinor = QStringLiteral("0.25");
    d.m_ShowAxis = 0;
    d.m_ShowTicks = 0;
    d.m_ShowScale = 0;
    d.reservedB = 7;
    d.reservedC = 8;
    d.reservedD = 9;
    d.m_AxisColor = 0x123456;
    d.m_AxisLine = 32809;
    d.m_ShowOriginCopy = 1;
    d.m_ShowNegArrowsCopy = 0;
    QvLogFont font;
    font.m_logFont.lfWeight = 700;
    font.m_logFont.lfItalic = 1;
    font.SetFaceName(QStringLiteral("Times New Roman"));
    font.m_color = 0x00112233;
    font.m_drawHeight = 423;
    d.m_AxisFont = font;
    for (int i = 0; i < QvNumberLineData::kIntervalCount; ++i) {
        QvGraphDataNumberLineFunction& g = d.m_Graphs[i];
        g.m_xMax = 5.5 + i;
        g.reservedE = 0.5 * i;
        g.m_xMin = -5.5 - i;
        g.reservedF = -0.25 * i;
        g.m_PlotRect = CRect(i, 2 * i, 100 + i, 200 + i);
        g.m_FrameRect = CRect(-i, -2 * i, 300 + i, 400 + i);
        g.m_Expression = i == 9 ? Latin1("-1<X\xA3" "3") : QStringLiteral("X>%1").arg(i);
        g.secondText = QStringLiteral("note %1").arg(i);
        g.m_Color = RGB(i, 2 * i, 3 * i);
        g.m_LineCommand = 32800 + i;
        g.m_Changed = 0;
    }
}

} // namespace

TEST(NumberLineRecord, NewRecordTakesTheCurrentDefaults) {
    QvSettings& settings = TheSettings();
    QvNumberLineDefaults& n = settings.m_NumberLineDefaults;
    const QvNumberLineDefaults saved = n;
    const BOOL origin = settings.m_GraphDefaults.ShowOrigin.GetValue();
    n.xMaxShowS.SetValue(QStringLiteral("5"));
    n.xMinShowS.SetValue(QStringLiteral("-5"));
    n.xMajorS.SetValue(QStringLiteral("1"));
    n.xMinorS.SetValue(QStringLiteral("0.5"));
    n.xColor.SetValue(0);
    n.GraphColor[3].SetValue(0x0A0B0C);
    settings.m_GraphDefaults.ShowOrigin.SetValue(1);
    QvNumberLineData d;
    EXPECT_EQ(d.m_xMaxShow, QStringLiteral("5"));
    EXPECT_EQ(d.m_xMinShow, QStringLiteral("-5"));
    EXPECT_EQ(d.m_xMajor, QStringLiteral("1"));
    EXPECT_EQ(d.m_xMinor, QStringLiteral("0.5"));
    EXPECT_EQ(d.m_AxisColor, 0u);
    EXPECT_EQ(d.m_AxisLine, n.xLine.GetValue());
    EXPECT_EQ(d.m_ShowOriginCopy, 1);
    EXPECT_EQ(d.m_ShowAxis + d.m_ShowTicks + d.m_ShowScale, 3);
    EXPECT_EQ(d.m_FrameRect.IsRectNull(), true);
    const COLORREF colours[] = {0xFF0000, 0x0000FF, 0xFF00FF, 0x0A0B0C, 0x7F7F7F,
                                0x00FF00, 0x00007F, 0x007F00, 0xF7CBA5, 0xC3C3C3};
    for (int i = 0; i < QvNumberLineData::kIntervalCount; ++i) {
        EXPECT_EQ(d.m_Graphs[i].m_Color, colours[i]) << i;
        EXPECT_EQ(d.m_Graphs[i].m_Changed, 1) << i;
        EXPECT_EQ(d.m_Graphs[i].m_LineCommand, 32806) << i;
        EXPECT_TRUE(d.m_Graphs[i].m_Expression.isEmpty()) << i;
    }
    n.GraphColor[3].SetValue(saved.GraphColor[3].GetValue());
    settings.m_GraphDefaults.ShowOrigin.SetValue(origin);
}

TEST(NumberLineRecord, RoundTripAndTheFontBlock) {
    QvNumberLineData d;
    Fill(d);
    const QByteArray bytes = Stored(d);
    QvNumberLineData back;
    EXPECT_EQ(Load(back, bytes), bytes.size());
    // Everything comes back, and every interval is marked changed.
    QvNumberLineData expected;
    expected.Copy(d);
    for (QvGraphDataNumberLineFunction& g : expected.m_Graphs) {
        g.m_FrameRect = d.m_Graphs[&g - expected.m_Graphs].m_FrameRect;
        g.m_Changed = 1;
    }
    EXPECT_EQ(Fields(back), Fields(expected));
    EXPECT_EQ(Stored(back), bytes);

    // Written by hand: version 1, the two padded ends, the four corners,
    // the four texts, then A (always 0), the three switches, B and D, the
    // 72-byte font block, C.
    QByteArray head;
    QDataStream out(&head, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    out << quint16(1) << 8.4 << -2.4;
    for (qint32 v : {10, -20, 3000, -900, 5, -5, 3005, -1005})
        out << v;
    for (const char* text : {"8", "-2", "pi/2", "0.25"}) {
        out << quint8(std::strlen(text));
        out.writeRawData(text, int(std::strlen(text)));
    }
    EXPECT_EQ(bytes.left(head.size()).toHex(' ').toStdString(), head.toHex(' ').toStdString());
    const std::string rest = "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 07 00 00 00 "
                             "09 00 00 00 "
                             // the font block: a word of no meaning, then the LOGFONT
                             "00 00 00 00 f2 ff ff ff 00 00 00 00 00 00 00 00 00 00 00 00 "
                             "bc 02 00 00 01 00 00 00 07 30 02 02 "
                             "54 69 6d 65 73 20 4e 65 77 20 52 6f 6d 61 6e 00 "
                             "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                             "33 22 11 00 a7 01 00 00 "
                             // C
                             "08 00 00 00";
    EXPECT_EQ(bytes.mid(head.size(), 24 + 72 + 4).toHex(' ').toStdString(), rest);
    // The last ten bytes: axis colour and line, the two copied switches.
    EXPECT_EQ(bytes.right(10).toHex(' ').toStdString(), "56 34 12 00 29 80 00 00 01 00");

    // The first word of the font block is skipped on reading.
    QByteArray other = bytes;
    other[int(head.size()) + 24] = '\x7F';
    QvNumberLineData skipped;
    Load(skipped, other);
    EXPECT_EQ(Fields(skipped), Fields(back));
}

TEST(NumberLineRecord, VersionsAndShortRecords) {
    // Version 0 (and anything negative as a signed 16-bit value) reads
    // nothing more: the record keeps what it was built with.
    for (const char* version : {"00 00", "00 80", "ff ff"}) {
        SCOPED_TRACE(version);
        QvNumberLineData fresh, d;
        EXPECT_EQ(Load(d, Hex(version) + Stored(fresh).mid(2)), 2);
        EXPECT_EQ(Fields(d), Fields(fresh));
        QvGraphDataNumberLineFunction g, built;
        EXPECT_EQ(Load(g, Hex(version)), 2);
        built.m_Changed = 1;
        EXPECT_EQ(Fields(g), Fields(built));
    }
    // A later version reads as version 1.
    QvNumberLineData d;
    Fill(d);
    QByteArray two = Stored(d);
    two[0] = 2;
    QvNumberLineData back;
    EXPECT_EQ(Load(back, two), two.size());
    EXPECT_EQ(back.m_xMajor, QStringLiteral("pi/2"));
    // A record cut anywhere throws, so the drawing is refused whole.
    const QByteArray bytes = Stored(d);
    for (int cut : {1, 9, 60, 120, 200, int(bytes.size()) - 1}) {
        QvNumberLineData part;
        EXPECT_THROW(Load(part, bytes.left(cut)), CArchiveException) << cut;
    }
    QvGraphDataNumberLineFunction g;
    EXPECT_THROW(Load(g, Stored(d.m_Graphs[0]).left(40)), CArchiveException);
}

TEST(NumberLineRecord, IntervalCopyKeepsTheOwnFrame) {
    QvNumberLineData d;
    Fill(d);
    QvGraphDataNumberLineFunction target;
    target.m_FrameRect = CRect(1, 2, 3, 4);
    target.Copy(d.m_Graphs[9]);
    EXPECT_EQ(Fields(target, false), Fields(d.m_Graphs[9], false));
    EXPECT_EQ(target.m_FrameRect.right, 3);
    QvGraphDataNumberLineFunction copied(d.m_Graphs[9]);
    EXPECT_TRUE(copied.m_FrameRect.IsRectNull());
    // The whole record copies its own frame but not the intervals'.
    QvNumberLineData whole;
    whole.m_Graphs[2].m_FrameRect = CRect(7, 7, 7, 7);
    whole.Copy(d);
    EXPECT_EQ(whole.m_FrameRect.right, 3005);
    EXPECT_EQ(whole.m_Graphs[2].m_FrameRect.left, 7);
    EXPECT_EQ(whole.m_Graphs[2].m_Expression, QStringLiteral("X>2"));
}

TEST(NumberLineRecord, EngineStoresTheIntervalsTwice) {
    QvNumberLine line;
    const char* texts[] = {"X>2", "", "", "X=1", "", "", "", "", "", "X<>4"};
    for (int i = 0; i < 10; ++i)
        line.lineData.m_Graphs[i].m_Expression = Latin1(texts[i]);
    const QByteArray bytes = Stored(line);
    QByteArray ten;
    for (QvGraphDataNumberLineFunction& g : line.lineData.m_Graphs)
        ten += Stored(g);
    const QByteArray record = Stored(line.lineData);
    // 20 interval records: ten inside the line's record, ten after it.
    EXPECT_EQ(bytes, record + ten);
    EXPECT_EQ(record.count(ten), 1);
    auto back = std::make_unique<QvNumberLine>();
    EXPECT_EQ(Load(*back, bytes), bytes.size());
    EXPECT_EQ(back->lineData.m_Graphs[9].m_Expression, QStringLiteral("X<>4"));
    // The second copy is the one that stands.
    QByteArray changed = bytes;
    const qsizetype last = changed.lastIndexOf("X>2");
    changed[int(last) + 2] = '3';
    Load(*back, changed);
    EXPECT_EQ(back->lineData.m_Graphs[0].m_Expression, QStringLiteral("X>3"));
}

// --- intervals -----------------------------------------------------------------------

namespace {

// What one interval draws on the default line, padded to -5.5..5.5, with
// 1000 device units to one unit: the segment, then each end and the
// excluded value, in world units.
std::string Drawn(const QString& text, QvNumberLineFunction& f) {
    QvGraphDataNumberLineFunction record;
    record.m_Expression = text;
    record.m_Color = RGB(0, 0, 255);
    f.SetData(record);
    f.SetRange(-5.5, 5.5, 0.0, 0.0, 0);
    f.m_Record.m_PlotRect = CRect(0, 0, 11000, 200);
    RecordingDevice device(12000, 400);
    {
        CDC dc(&device);
        f.Draw(&dc);
    }
    auto world = [](double px) {
        return QString::number(std::round((std::floor(px) / 1000.0 - 5.5) * 100) / 100);
    };
    QStringList parts;
    const std::vector<DrawnItem>& items = device.Items();
    for (size_t i = 0; i < items.size(); ++i) {
        const DrawnItem& item = items[i];
        if (item.kind == DrawnItem::Ellipse) {
            const bool hollow = item.brush.color() == QColor(Qt::white);
            parts << (hollow ? QStringLiteral("hollow ") : QStringLiteral("filled ")) +
                         world(item.rect.center().x());
        } else if (item.kind == DrawnItem::Line && i == 0) {
            // Pixel coordinates are pixel centres.
            EXPECT_EQ(std::floor(item.line.y1()), 100.0) << "the axis is the middle";
            parts << QStringLiteral("segment ") + world(item.line.x1()) + QStringLiteral("..") +
                         world(item.line.x2());
        } else if (item.kind == DrawnItem::Line) {
            // An arrow head: two strokes meeting at its tip.
            parts << QStringLiteral("arrow ") + world(item.line.x2());
            ++i;
        } else {
            parts << QStringLiteral("?");
        }
    }
    return parts.join(QStringLiteral(" | ")).toStdString();
}

std::string Drawn(const QString& text) {
    QvNumberLineFunction f;
    return Drawn(text, f);
}

} // namespace

TEST(NumberLineInterval, WhatEachInequalityDraws) {
    struct Case {
        const char* text;
        const char* drawn;
    } cases[] = {
        {"X>2", "segment 2..5.5 | hollow 2 | arrow 5.5"},
        {"-1<X<=3", "segment -1..3 | hollow -1 | filled 3"},
        {"-1<X\xA3" "3", "segment -1..3 | hollow -1 | filled 3"},
        {"X=2", "segment 2..2.01 | filled 2 | filled 2.01"},
        {"X<>4", "segment -5.5..5.5 | arrow -5.5 | arrow 5.5 | hollow 4"},
        {"x\xB9" "4", "segment -5.5..5.5 | arrow -5.5 | arrow 5.5 | hollow 4"},
        {"3>X", "segment -5.5..3 | arrow -5.5 | hollow 3"},
        {"X<3", "segment -5.5..3 | arrow -5.5 | hollow 3"},
        {"X>-2", "segment -2..5.5 | hollow -2 | arrow 5.5"},
        {"X<2P", "segment -5.5..5.5 | arrow -5.5 | arrow 5.5"},
        {"X<2pi", "segment -5.5..5.5 | arrow -5.5 | arrow 5.5"},
        {"-3<=X", "segment -3..5.5 | filled -3 | arrow 5.5"},
        {"T>=1", "segment 1..5.5 | filled 1 | arrow 5.5"},
        // A closed or open bound off the view becomes an arrow at its edge.
        {"X>=-9", "segment -5.5..5.5 | arrow -5.5 | arrow 5.5"},
        {"-9<X<1", "segment -5.5..1 | arrow -5.5 | hollow 1"},
        // An excluded value off the view leaves no dot at the left edge.
        {"X<>9", "segment -5.5..5.5 | arrow -5.5 | arrow 5.5"},
        {"X<>-9", "segment -5.5..5.5 | arrow -5.5 | arrow 5.5"},
        // Nothing read from the relation, or nothing typed: nothing drawn.
        {"2X>4", ""},
        {"", ""},
        // Wholly off the view: nothing, rather than a segment from the left edge.
        {"X>9", ""},
        {"X<-9", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawn(Latin1(c.text)), c.drawn) << c.text;
}

TEST(NumberLineInterval, BoundsReadFromTheText) {
    struct Case {
        const char* text;
        double lower;
        int lowerKind;
        double upper;
        int upperKind;
        double excluded;
    } cases[] = {
        {"X>-2", -2.0, 7, 100000.0, 1, -100000.0},
        {"X<2P", -100000.0, 1, 6.283185308, 7, -100000.0},
        {"-1<X<=3", -1.0, 7, 3.0, 6, -100000.0},
        {"3>=X", -100000.0, 1, 3.0, 6, -100000.0},
        {"X=2.5", 2.5, 6, 2.5, 6, -100000.0},
        {"X<>-4", -100000.0, 1, 100000.0, 1, -4.0},
        {"2X>4", -100000.0, 1, 100000.0, 1, -100000.0},
        {"X>1.5", 1.5, 7, 100000.0, 1, -100000.0},
        // Fractions are divided, with pi too, on either side of X.
        {"X<1/2", -100000.0, 1, 0.5, 7, -100000.0},
        {"X<=P/2", -100000.0, 1, 1.570796327, 6, -100000.0},
        {"3P/4<X", 2.3561944905, 7, 100000.0, 1, -100000.0},
        {"-1/4<X<=3/2", -0.25, 7, 1.5, 6, -100000.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QvNumberLineFunction f;
        f.m_Record.m_Expression = Latin1(c.text);
        EXPECT_EQ(f.ParseInterval(), 0);
        EXPECT_DOUBLE_EQ(f.m_Lower, c.lower);
        EXPECT_EQ(f.m_LowerKind, c.lowerKind);
        EXPECT_DOUBLE_EQ(f.m_Upper, c.upper);
        EXPECT_EQ(f.m_UpperKind, c.upperKind);
        EXPECT_DOUBLE_EQ(f.m_Excluded, c.excluded);
    }
    // An empty text draws nothing and leaves the last bounds.
    QvNumberLineFunction f;
    Drawn(QStringLiteral("X>1"), f);
    Drawn(QString(), f);
    EXPECT_EQ(f.m_Lower, 1.0);
}

TEST(NumberLineInterval, PensDotsAndArrowsOnPaper) {
    // On paper the segment is 1 mm thick, the dots 2 mm across and the
    // arrow heads 2 mm long and 2 mm wide, in the interval's colour.
    QvNumberLineFunction f;
    QvGraphDataNumberLineFunction record;
    record.m_Expression = QStringLiteral("X>=0");
    record.m_Color = RGB(200, 0, 0);
    f.SetData(record);
    f.SetRange(-5.5, 5.5, 0.0, 0.0, 0);
    f.m_Record.m_PlotRect = CRect(0, -1000, 11000, 0);
    RecordingDevice device(12000, 2000, 2540);
    {
        CDC dc(&device);
        dc.SetDeviceResolution(2540, 2540);
        dc.SetMapMode(MM_HIMETRIC);
        f.Draw(&dc);
    }
    EXPECT_EQ(f.yUp, 1);
    const std::vector<DrawnItem>& items = device.Items();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].pen.color(), QColor(200, 0, 0));
    EXPECT_NEAR(items[0].pen.widthF(), 100.0, 1.0);
    EXPECT_EQ(items[0].line, QLineF(5500, 500, 11000, 500));
    EXPECT_EQ(items[1].kind, DrawnItem::Ellipse);
    EXPECT_EQ(items[1].brush.color(), QColor(200, 0, 0));
    EXPECT_EQ(items[1].rect.center(), QPointF(5500, 500));
    EXPECT_NEAR(items[1].rect.width(), 200.0, 2.0);
    EXPECT_EQ(items[2].line, QLineF(10800, 400, 11000, 500));
    EXPECT_EQ(items[3].line, QLineF(11000, 500, 10800, 600));
    EXPECT_EQ(items[3].pen.color(), QColor(200, 0, 0));
}

// --- the engine ----------------------------------------------------------------------

namespace {

std::unique_ptr<QvNumberLine> MakeLine(const char* min = "-5", const char* max = "5",
                                       const char* major = "1", const char* minor = "0.5") {
    auto line = std::make_unique<QvNumberLine>();
    QvNumberLineData& d = line->lineData;
    d.m_xMinShow = Latin1(min);
    d.m_xMaxShow = Latin1(max);
    d.m_xMajor = Latin1(major);
    d.m_xMinor = Latin1(minor);
    d.m_AxisColor = 0;
    d.m_AxisLine = 32806;
    d.m_AxisFont = QvLogFont();
    // 110 mm by 20 mm.
    d.m_FrameRect = CRect(0, 0, 11000, -2000);
    return line;
}

// The arrows follow the current defaults; these tests want both.
class NumberLineEngine : public ::testing::Test {
protected:
    void SetUp() override {
        m_negative = m_defaults.ShowNegativeArrows.GetValue();
        m_positive = m_defaults.ShowPositiveArrows.GetValue();
        m_defaults.ShowNegativeArrows.SetValue(1);
        m_defaults.ShowPositiveArrows.SetValue(1);
    }
    void TearDown() override {
        m_defaults.ShowNegativeArrows.SetValue(m_negative);
        m_defaults.ShowPositiveArrows.SetValue(m_positive);
    }
    QvGraphDefaults& m_defaults = TheSettings().m_GraphDefaults;
    BOOL m_negative = 1, m_positive = 1;
};

// A line drawn on paper at 2540 dpi, so that a device unit is 0.01 mm:
// device x is the logical x, device y its negative.
struct Drawing {
    std::vector<DrawnItem> items;
    std::vector<DrawnText> texts;
    // Upright lines by world x, with their length.
    std::map<double, double> Ticks(const QvNumberLine& line) const {
        std::map<double, double> ticks;
        for (const DrawnItem& item : items)
            if (item.kind == DrawnItem::Line && item.line.dx() == 0.0 && item.line.dy() != 0.0)
                ticks[std::round(line.DeviceToX(item.line.x1()) * 100) / 100] =
                    std::fabs(item.line.dy());
        return ticks;
    }
    // The label pieces by the world x of the tick nearest to them, joined
    // in drawing order, minus signs written as '-'.
    std::map<double, QString> Labels(const QvNumberLine& line, double step) const {
        std::map<double, QString> labels;
        for (const DrawnText& t : texts) {
            const double x = std::round(line.DeviceToX(t.at.x()) / step) * step;
            QString text = t.text;
            text.replace(QChar(0x2212), u'-').replace(QChar(0x2013), u'-');
            labels[std::round(x * 1000) / 1000] += text;
        }
        return labels;
    }
};

Drawing DrawOnPaper(QvNumberLine& line, BOOL noTicks = FALSE) {
    TextRecordingDevice device(12000, 3000, 2540);
    {
        CDC dc(&device);
        dc.SetDeviceResolution(2540, 2540);
        dc.SetMapMode(MM_HIMETRIC);
        line.Draw(&dc, noTicks);
    }
    return {device.engine.items, device.engine.texts};
}

} // namespace

TEST_F(NumberLineEngine, DefaultLine) {
    auto line = MakeLine();
    const Drawing drawing = DrawOnPaper(*line);
    const QvNumberLineData& d = line->lineData;
    EXPECT_DOUBLE_EQ(d.m_xMinPad, -5.5);
    EXPECT_DOUBLE_EQ(d.m_xMaxPad, 5.5);
    EXPECT_EQ(line->yUp, 1);
    // The band is taken from the page's lower edge, the smaller y.
    const int band = d.m_PlotRect.top - (-2000);
    EXPECT_GT(band, 300);
    EXPECT_LT(band, 1000);
    EXPECT_EQ(d.m_PlotRect.bottom, 0);
    EXPECT_EQ(d.m_PlotRect.left, 0);
    EXPECT_EQ(d.m_PlotRect.right, 11000);
    EXPECT_DOUBLE_EQ(line->XToDevice(-5.5), 0.0);
    EXPECT_DOUBLE_EQ(line->XToDevice(0.0), 5500.0);
    EXPECT_DOUBLE_EQ(line->XToDevice(5.5), 11000.0);
    EXPECT_EQ(line->YToDevice(123.0), (d.m_PlotRect.top + d.m_PlotRect.bottom) / 2.0);

    // Major ticks 2 mm long at every integer, minor ones 1 mm long at the
    // other multiples of 0.5; none at 0 but the major one.
    std::map<double, double> expected;
    for (int k = -10; k <= 10; ++k)
        expected[k / 2.0] = k % 2 == 0 ? 200.0 : 100.0;
    EXPECT_EQ(drawing.Ticks(*line), expected);
    const std::map<double, QString> labels = drawing.Labels(*line, 1.0);
    std::map<double, QString> expectedLabels;
    for (int k = -5; k <= 5; ++k)
        expectedLabels[k] = QString::number(k);
    EXPECT_EQ(labels, expectedLabels);
    // Labels hang below the axis.
    const double axis = -line->YToDevice(0.0);
    for (const DrawnText& t : drawing.texts)
        EXPECT_GT(t.at.y(), axis + 100) << qPrintable(t.text);

    // The axis across the padded range, with both arrow heads.
    int axisLines = 0;
    for (const DrawnItem& item : drawing.items)
        if (item.kind == DrawnItem::Line && item.line.dx() != 0.0) {
            EXPECT_EQ(item.pen.color(), QColor(Qt::black));
            ++axisLines;
        }
    EXPECT_EQ(axisLines, 5);

    // Every interval handed back as drawn.
    for (const QvGraphDataNumberLineFunction& g : d.m_Graphs)
        EXPECT_EQ(g.m_Changed, 0);
    // Without ticks: the axis and its arrows alone.
    EXPECT_EQ(DrawOnPaper(*line, TRUE).items.size(), 5u);
    EXPECT_TRUE(DrawOnPaper(*line, TRUE).texts.empty());
}

TEST_F(NumberLineEngine, RangesAndSwitches) {
    // A maximum of exactly 0 ends the axis at 0.
    auto zero = MakeLine("-5", "0");
    DrawOnPaper(*zero);
    EXPECT_EQ(zero->lineData.m_xMaxPad, 0.0);
    EXPECT_DOUBLE_EQ(zero->lineData.m_xMinPad, -5.25);
    EXPECT_DOUBLE_EQ(zero->XToDevice(0.0), 11000.0);

    // Equal ends: 2.0 to 3.0.
    auto equal = MakeLine("2", "2");
    DrawOnPaper(*equal);
    EXPECT_EQ(equal->lineData.m_xMinPad, 2.0);
    EXPECT_EQ(equal->lineData.m_xMaxPad, 3.0);

    // Scale off: no labels and no band; ticks stay.
    auto noScale = MakeLine();
    noScale->lineData.m_ShowScale = 0;
    const Drawing plain = DrawOnPaper(*noScale);
    EXPECT_TRUE(plain.texts.empty());
    EXPECT_EQ(noScale->lineData.m_PlotRect.top, -2000);
    EXPECT_EQ(noScale->lineData.m_PlotRect.bottom, 0);
    EXPECT_EQ(plain.Ticks(*noScale).size(), 21u);

    // Ticks off: no ticks, no labels, but the band stays for the scale.
    auto noTicks = MakeLine();
    noTicks->lineData.m_ShowTicks = 0;
    const Drawing bare = DrawOnPaper(*noTicks);
    EXPECT_TRUE(bare.texts.empty());
    EXPECT_TRUE(bare.Ticks(*noTicks).empty());
    EXPECT_GT(noTicks->lineData.m_PlotRect.top, -2000);

    // Axis off: ticks and labels without the line.
    auto noAxis = MakeLine();
    noAxis->lineData.m_ShowAxis = 0;
    const Drawing ticksOnly = DrawOnPaper(*noAxis);
    EXPECT_EQ(ticksOnly.Ticks(*noAxis).size(), 21u);
    EXPECT_EQ(ticksOnly.texts.empty(), false);
    for (const DrawnItem& item : ticksOnly.items)
        EXPECT_LT(item.rect.width(), 1000.0);
}

TEST_F(NumberLineEngine, LabelsAddUpTheStepExactly) {
    auto line = MakeLine("-5", "5", "pi/2", "pi/4");
    const Drawing drawing = DrawOnPaper(*line);
    const double step = 3.141592654 / 2;
    const std::map<double, QString> labels = drawing.Labels(*line, step);
    // Drawn in pieces: the numerator (pi as the Greek letter) and the
    // denominator; never a decimal.
    QStringList texts;
    for (const auto& [x, text] : labels)
        texts << text;
    EXPECT_EQ(texts.join(u' '), QString::fromUtf8("-3π2 -π -π2 0 π2 π 3π2"));
}

TEST_F(NumberLineEngine, StepsThatWouldNeverEnd) {
    struct Case {
        const char *major, *minor;
        size_t ticks;
    } cases[] = {
        {"0.000000001", "0.5", 20}, // minor ticks only
        {"1", "0.000000001", 11},   // major ticks only
        {"0", "-1", 0},
        {"abc", "0.0001", 0},       // 100,000 minor ticks: none
        {"1", "0.0005", 11},        // 20,000 minor ticks: none
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.major << " " << c.minor);
        auto line = MakeLine("-5", "5", c.major, c.minor);
        DrawOnPaper(*line); // fonts made
        QElapsedTimer timer;
        timer.start();
        const Drawing drawing = DrawOnPaper(*line);
        EXPECT_LT(timer.elapsed(), 50);
        EXPECT_EQ(drawing.Ticks(*line).size(), c.ticks);
    }
}

namespace {

// A line drawn at 300 dpi into a picture 120 mm by 20 mm, its frame
// 110 mm by `height` hundredths of a millimetre, 5 mm in from the top left.
QImage Picture(QvNumberLine& line, int height) {
    line.lineData.m_FrameRect = CRect(500, -500, 11500, -500 - height);
    QImage image(1417, 236, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    dc.SetBkMode(TRANSPARENT);
    line.Draw(&dc, FALSE);
    return image;
}

int Pixel(double units) {
    return int(std::lround(units * 300 / 2540));
}

// Non-white pixels outside the frame's pixel rectangle, widened by one
// (and sideways by half a 1 mm pen, for the arrow heads at its ends).
int InkOutside(const QImage& image, const CRect& frame) {
    const int left = Pixel(frame.left) - 7, right = Pixel(frame.right) + 7;
    const int top = Pixel(-frame.top) - 1, bottom = Pixel(-frame.bottom) + 1;
    int outside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != QColor(Qt::white).rgb() &&
                (x < left || x > right || y < top || y > bottom))
                ++outside;
    return outside;
}

} // namespace

TEST_F(NumberLineEngine, LabelsOfANegativeLineStayInTheFrame) {
    // -10 to -1: every label is negative; the band is measured from them.
    auto line = MakeLine("-10", "-1");
    const QImage image = Picture(*line, 800);
    image.save(QStringLiteral(LUMBREL_BINARY_DIR "/number_line_negative.png"));
    EXPECT_GT(line->lineData.m_PlotRect.top, -1300);
    EXPECT_EQ(InkOutside(image, line->lineData.m_FrameRect), 0);
    // The labels are there: ink below the axis, between -10 and -1.
    int ink = 0;
    const int axis = Pixel(-line->YToDevice(0.0));
    for (int y = axis + 3; y < image.height(); ++y)
        for (int x = Pixel(line->XToDevice(-9.5)); x < Pixel(line->XToDevice(-1.5)); ++x)
            ink += image.pixel(x, y) != QColor(Qt::white).rgb();
    EXPECT_GT(ink, 100);
}

TEST_F(NumberLineEngine, ThreeIntervalsOnPaper) {
    auto line = MakeLine();
    QvNumberLineData& d = line->lineData;
    d.m_Graphs[0].m_Expression = QStringLiteral("X<=-3");
    d.m_Graphs[1].m_Expression = QStringLiteral("-1<X<=2");
    d.m_Graphs[2].m_Expression = QStringLiteral("X>3.5");
    const QImage image = Picture(*line, 1500);
    image.save(QStringLiteral(LUMBREL_BINARY_DIR "/number_line_intervals.png"));
    EXPECT_EQ(InkOutside(image, d.m_FrameRect), 0);
    // The colour 0.34 mm below the axis, dx mm right of x (clear of the
    // ticks and of the axis line).
    const int axis = Pixel(-line->YToDevice(0.0));
    auto at = [&](double x, double dx = 0.0) {
        return QColor(image.pixel(Pixel(line->XToDevice(x) + 100 * dx), axis + 4));
    };
    EXPECT_EQ(at(-4.25), ToQColor(d.m_Graphs[0].m_Color)); // blue
    EXPECT_EQ(at(1.25), ToQColor(d.m_Graphs[1].m_Color));  // red
    EXPECT_EQ(at(4.25), ToQColor(d.m_Graphs[2].m_Color));  // magenta
    EXPECT_EQ(at(-2.25), QColor(Qt::white));
    // The hollow dot at -1 is white inside, the filled one at 2 red.
    EXPECT_EQ(at(-1.0, 0.5), QColor(Qt::white));
    EXPECT_EQ(at(2.0, 0.5), ToQColor(d.m_Graphs[1].m_Color));
    // Past the filled dot the axis is bare.
    EXPECT_EQ(at(2.0, 1.5), QColor(Qt::white));
}
