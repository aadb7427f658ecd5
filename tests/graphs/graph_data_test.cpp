// The graph settings record: construction from the defaults, copies and its
// archive form byte for byte.
#include "common/test_support.h"
#include "function_test_support.h"
#include "graphs/graph_data.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Little-endian bytes written by hand.
struct Bytes {
    QByteArray data;
    Bytes& Raw(const void* p, int n) {
        data.append(static_cast<const char*>(p), n);
        return *this;
    }
    Bytes& I32(qint32 v) { return Raw(&v, 4); }
    Bytes& U16(quint16 v) { return Raw(&v, 2); }
    Bytes& F64(double v) { return Raw(&v, 8); }
    Bytes& Byte(int v) {
        data.append(char(v));
        return *this;
    }
    Bytes& Hex(const char* hex) {
        data.append(::Hex(hex));
        return *this;
    }
    Bytes& Text(const char* latin1) { // shorter than 255
        Byte(int(std::strlen(latin1)));
        return Raw(latin1, int(std::strlen(latin1)));
    }
};

QString Font(const QvLogFont& f) {
    return f.ToText();
}

// Every field of the record but those the caller leaves out, as one text.
std::string Fields(const QvGraphData& r, bool withVersion = true) {
    QString s;
    if (withVersion)
        s += QString::asprintf("v%d ", r.version);
    s += QString::asprintf("%g %g %g %g (%d,%d) (%d,%d) (%d,%d) (%d,%d)\n", r.xMax, r.yMax, r.xMin,
                           r.yMin, r.plotTopLeft.x, r.plotTopLeft.y, r.plotBottomRight.x,
                           r.plotBottomRight.y, r.frameTopLeft.x, r.frameTopLeft.y,
                           r.frameBottomRight.x, r.frameBottomRight.y);
    for (const QString* t : {&r.xMaxShowS, &r.yMaxShowS, &r.xMinShowS, &r.yMinShowS, &r.xMajorS,
                             &r.yMajorS, &r.xMinorS, &r.yMinorS, &r.xNotate, &r.yNotate})
        s += *t + u'|';
    s += QString::asprintf("\n%x %x %x %x %d %d %d %d %d\n", r.xGridMajorColor, r.xGridMinorColor,
                           r.yGridMajorColor, r.yGridMinorColor, r.xGridMajorPen, r.xGridMinorPen,
                           r.yGridMajorPen, r.yGridMinorPen, r.AngleType);
    for (BYTE flag : {r.ShowGrid, r.AutoScale, r.showXAxis, r.showYAxis, r.showXTicks, r.showYTicks,
                      r.showXLabels, r.showYLabels, r.flag8, r.forceMarks, r.ShadeAbove,
                      r.showReport, r.calcShown})
        s += QString::number(flag);
    s += QString::asprintf("\n%x %x %d %d %d %d %d %d\n", r.xColor, r.yColor, r.xLine, r.yLine,
                           r.ShowOrigin, r.ShowNegativeArrows, r.ShowPositiveArrows, r.formatWord);
    s += Font(r.AxisFont) + u'|' + Font(r.NotateFont) + u'|' + Font(r.ReportFont) + u'\n';
    const QvIntersectionRecord& i = r.intersection;
    s += QString::asprintf("%g %g %d %d %d %d\n", i.x, i.y, i.picked, i.state, i.first, i.second);
    const QvIntegralRecord& a = r.integral;
    s += a.lowerText + u'|' + a.upperText + u'|' + a.labelText +
         QString::asprintf("|%d %d %d\n", a.functionA, a.functionB, a.showResult);
    const QvDerivativeRecord& d = r.derivative;
    s += d.xText + u'|' + d.labelText + QString::asprintf("|%d %d\n", d.function, d.showResult);
    for (const QvGraphDataFunction& f : r.functions)
        s += f.caption + u'|' + f.expression + u'|' +
             QString::asprintf("%x %x %d %d %d %d (%d,%d)\n", f.m_Color, f.m_ShadeColor,
                               f.m_HatchType, f.lineCommand, f.kind, f.dirty, f.frameTopLeft.x,
                               f.frameTopLeft.y);
    return s.toStdString();
}

QvLogFont FontNamed(const char* face, int weight) {
    QvLogFont f;
    f.SetFaceName(QString::fromLatin1(face));
    f.m_logFont.lfWeight = weight;
    f.m_color = 0x123456;
    f.m_drawHeight = 350;
    return f;
}

// A record with a value of its own in every field.  Flags 0-12 follow the
// pattern 1,0,1,1,0,1,0,1,1,0,1,0,1, unless asked otherwise.
QvGraphData Filled(const BYTE* flags = nullptr) {
    static const BYTE pattern[13] = {1, 0, 1, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1};
    if (!flags)
        flags = pattern;
    QvGraphData r;
    r.version = 0;
    r.xMax = 11.5;
    r.yMax = 7.25;
    r.xMin = -11.5;
    r.yMin = -0.125;
    r.plotTopLeft = CPoint(10, 20);
    r.plotBottomRight = CPoint(30, 40);
    r.frameTopLeft = CPoint(-5, -6);
    r.frameBottomRight = CPoint(70, 80);
    r.xMaxShowS = QStringLiteral("10.5");
    r.yMaxShowS = QStringLiteral("7");
    r.xMinShowS = QStringLiteral("-10.5");
    r.yMinShowS = QStringLiteral("0");
    r.xMajorS = QStringLiteral("pi/2");
    r.yMajorS = QStringLiteral("1");
    r.xMinorS = QStringLiteral("pi/6");
    r.yMinorS = QStringLiteral("0.25");
    r.AngleType = 1;
    r.xNotate = QStringLiteral("t");
    r.yNotate = QStringLiteral("h(t)");
    BYTE* block[] = {&r.ShowGrid,   &r.AutoScale,   &r.showXAxis,   &r.showYAxis, &r.showXTicks,
                     &r.showYTicks, &r.showXLabels, &r.showYLabels, &r.flag8,     &r.forceMarks,
                     &r.ShadeAbove, &r.showReport,  &r.calcShown};
    for (int k = 0; k < 13; ++k)
        *block[k] = flags[k];
    r.formatWord = 77;
    r.AxisFont = FontNamed("Times New Roman", 700);
    r.NotateFont = FontNamed("Courier New", 400);
    r.ReportFont = FontNamed("Arial", 300);
    r.intersection = {1.5, -2.25, 1, 9, 3, 7};
    r.integral = {QStringLiteral("0"), QStringLiteral("2"), 4, 6, 1, QStringLiteral("Area")};
    r.derivative = {QStringLiteral("1.5"), 2, 1, QStringLiteral("Slope")};
    for (int k = 0; k < QvGraphData::kFunctionCount; ++k) {
        QvGraphDataFunction& f = r.functions[k];
        f.caption = QStringLiteral("y=%1x").arg(k);
        f.expression = QStringLiteral("Y=%1X").arg(k);
        f.m_Color = 0x010101u * k;
        f.m_ShadeColor = 0x020202u * k;
        f.m_HatchType = k % 6;
        f.lineCommand = 32806 + k % 3;
        f.kind = 1 + k % 4;
        f.dirty = 0;
    }
    r.xGridMajorColor = 0x111111;
    r.xGridMinorColor = 0x222222;
    r.yGridMajorColor = 0x333333;
    r.yGridMinorColor = 0x444444;
    r.xGridMajorPen = 32800;
    r.xGridMinorPen = 32802;
    r.yGridMajorPen = 32803;
    r.yGridMinorPen = 32804;
    r.xColor = 0x0000FF;
    r.yColor = 0x00FF00;
    r.xLine = 32807;
    r.yLine = 32808;
    r.ShowOrigin = 1;
    r.ShowNegativeArrows = 0;
    r.ShowPositiveArrows = 0;
    return r;
}

// The stored form of Filled(), field by field.  The fonts and function
// records are in their own stored forms, which their own tests check.
QByteArray FilledBytes() {
    QvGraphData r = Filled();
    Bytes b;
    b.U16(2).F64(11.5).F64(7.25).F64(-11.5).F64(-0.125);
    for (int v : {10, 20, 30, 40, -5, -6, 70, 80})
        b.I32(v);
    for (const char* t : {"10.5", "7", "-10.5", "0", "pi/2", "1", "pi/6", "0.25"})
        b.Text(t);
    b.I32(1).Text("t").Text("h(t)");
    // The flag windows, worked out by hand from the block
    // 1 0 1 1 0 1 0 1 1 0 1 0 1 0 0 0, starting at positions
    // 0, 1, 3, 2, 4, 5, 6, 7, 8, 9, 10.
    b.Hex("01 00 01 01"
          " 00 01 01 00"
          " 01 00 01 00"
          " 01 01 00 01"
          " 00 01 00 01"
          " 01 00 01 01"
          " 00 01 01 00"
          " 01 01 00 01"
          " 01 00 01 00"
          " 00 01 00 01"
          " 01 00 01 00");
    b.I32(77);
    b.data += Stored(r.AxisFont) + Stored(r.NotateFont) + Stored(r.ReportFont);
    b.F64(1.5).F64(-2.25).I32(1).U16(9).U16(0).I32(3).I32(7);
    b.Text("0").Text("2").I32(4).I32(6).I32(4).Text("Area"); // functionA twice
    b.Text("Slope").I32(1).I32(2).Text("1.5");
    b.Hex("01 00 00 00"); // calcShown and the filler
    for (QvGraphDataFunction& f : r.functions)
        b.data += Stored(f);
    for (int v : {0x111111, 0x222222, 0x333333, 0x444444, 32800, 32802, 32803, 32804})
        b.I32(v);
    b.I32(0x0000FF).I32(0x00FF00).I32(32807).I32(32808);
    b.Byte(1).Byte(0).Byte(0);
    return b.data;
}

TEST(GraphData, ConstructionTakesTheCurrentDefaults) {
    TempProfile profile;
    QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    const QvGraphDefaults saved = g;
    g.xMaxShowS.SetValue(QStringLiteral("5"));
    g.yMinorS.SetValue(QStringLiteral("0.2"));
    g.yGridMinorColor.SetValue(0x0000FF);
    g.xGridMajorPen.SetValue(32800);
    g.AngleType.SetValue(2);
    g.yNotate.SetValue(QStringLiteral("f"));
    g.ShowGrid.SetValue(1);
    g.yColor.SetValue(0x00FF00);
    g.xLine.SetValue(32807);
    g.ShowOrigin.SetValue(1);
    g.ShowPositiveArrows.SetValue(0);
    g.ShadeAbove.SetValue(0);
    QvFunctionStyle& style = g.FunctionStyle[3];
    style.HAsym.SetValue(1);
    style.ShowLow.SetValue(0);
    style.m_Color.SetValue(0x123456);
    style.m_ShadeType.SetValue(1); // neither the shading kind ...
    style.Pen.SetValue(32800);     // ... nor the line style is taken
    const QvGraphData r;
    g = saved;

    EXPECT_EQ(r.xMaxShowS, QStringLiteral("5"));
    EXPECT_EQ(r.yMaxShowS, QStringLiteral("10"));
    EXPECT_EQ(r.xMinShowS, QStringLiteral("-10"));
    EXPECT_EQ(r.xMajorS, QStringLiteral("2"));
    EXPECT_EQ(r.yMinorS, QStringLiteral("0.2"));
    EXPECT_EQ(r.yGridMinorColor, 0x0000FFu);
    EXPECT_EQ(r.xGridMinorColor, RGB(200, 200, 200));
    EXPECT_EQ(r.xGridMajorPen, 32800);
    EXPECT_EQ(r.yGridMajorPen, 32806);
    EXPECT_EQ(r.AngleType, 2);
    EXPECT_EQ(r.xNotate, QStringLiteral("x"));
    EXPECT_EQ(r.yNotate, QStringLiteral("f"));
    EXPECT_EQ(r.xColor, 0u);
    EXPECT_EQ(r.yColor, 0x00FF00u);
    EXPECT_EQ(r.xLine, 32807);
    EXPECT_EQ(r.yLine, 32806);
    EXPECT_EQ(r.ShowOrigin, 1);
    EXPECT_EQ(r.ShowNegativeArrows, 1);
    EXPECT_EQ(r.ShowPositiveArrows, 0);
    // The flags, in block order: the defaults' ShowGrid, AutoScale and
    // ShadeAbove among the record's own starting values.
    const BYTE flags[] = {r.ShowGrid,   r.AutoScale,   r.showXAxis,   r.showYAxis, r.showXTicks,
                          r.showYTicks, r.showXLabels, r.showYLabels, r.flag8,     r.forceMarks,
                          r.ShadeAbove, r.showReport,  r.calcShown};
    const BYTE expected[] = {1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1, 0};
    EXPECT_TRUE(std::equal(std::begin(flags), std::end(flags), std::begin(expected)));
    EXPECT_EQ(r.formatWord, 1);
    EXPECT_TRUE(r.AxisFont == QvLogFont());
    EXPECT_EQ(r.intersection.state, 0);
    EXPECT_EQ(r.integral.functionA, -1);
    EXPECT_EQ(r.integral.functionB, -1);
    EXPECT_EQ(r.integral.showResult, 0);
    EXPECT_EQ(r.derivative.function, -1);
    EXPECT_EQ(r.derivative.showResult, 0);
    EXPECT_EQ(r.frameTopLeft, CPoint());
    EXPECT_EQ(r.frameBottomRight, CPoint());

    // Slot 0 in the slot colours of the defaults (blue, shaded 210,210,255,
    // hatch 2); slot 3 as changed above.
    const QvGraphDataFunction& f0 = r.functions[0];
    EXPECT_EQ(f0.m_Color, RGB(0, 0, 255));
    EXPECT_EQ(f0.m_ShadeColor, RGB(210, 210, 255));
    EXPECT_EQ(f0.m_HatchType, 2);
    EXPECT_EQ(f0.VAsym, 1);
    EXPECT_EQ(f0.HAsym, 0);
    const QvGraphDataFunction& f3 = r.functions[3];
    EXPECT_EQ(f3.HAsym, 1);
    EXPECT_EQ(f3.ShowLow, 0);
    EXPECT_EQ(f3.m_Color, 0x123456u);
    EXPECT_EQ(f3.m_ShadeType, 0);
    EXPECT_EQ(f3.lineCommand, 32806);
    for (const QvGraphDataFunction& f : r.functions)
        EXPECT_EQ(f.dirty, 1);
}

TEST(GraphData, StoredByteForByteAndLoadedBack) {
    QvGraphData r = Filled();
    const QByteArray bytes = Stored(r);
    EXPECT_EQ(bytes.toHex(' ').toStdString(), FilledBytes().toHex(' ').toStdString());
    EXPECT_EQ(r.version, 2);

    QvGraphData back;
    EXPECT_EQ(Load(back, bytes), bytes.size());
    // Everything comes back, except that loaded functions are dirty.
    QvGraphData expected = Filled();
    expected.version = 2;
    for (QvGraphDataFunction& f : expected.functions)
        f.dirty = 1;
    EXPECT_EQ(Fields(back), Fields(expected));
    EXPECT_EQ(Stored(back), bytes);

    // The x axis and y axis windows come in the other order: flags that
    // differ there come back in place too.
    const BYTE apart[13] = {0, 1, 0, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0};
    QvGraphData other = Filled(apart);
    QvGraphData otherBack;
    Load(otherBack, Stored(other));
    other.version = 2;
    for (QvGraphDataFunction& f : other.functions)
        f.dirty = 1;
    EXPECT_EQ(Fields(otherBack), Fields(other));
}

TEST(GraphData, LoadingAppliesWindowsInFileOrderAndDerivesTheIntegralSwitch) {
    QByteArray bytes = FilledBytes();
    // After the version (2), the range (32), the rectangles (32), the eight
    // texts (32), AngleType (4) and the notation texts (2 + 5).
    const int windows = 109;
    ASSERT_EQ(bytes.mid(windows, 4), ::Hex("01 00 01 01"));
    // The first window says AutoScale 1; the second, which starts at
    // AutoScale, says 0 and wins.
    bytes[windows + 1] = 1;
    QvGraphData r;
    Load(r, bytes);
    EXPECT_EQ(r.AutoScale, 0);
    EXPECT_EQ(r.ShowGrid, 1);

    // The third int of the integral is the one kept; without a function the
    // integral has no result to show.
    bytes = FilledBytes();
    const qsizetype integral = bytes.indexOf(Bytes().Text("2").I32(4).I32(6).I32(4).data);
    ASSERT_GT(integral, 0);
    for (int k = 0; k < 4; ++k)
        bytes[integral + 10 + k] = char(0xFF); // the second 4 becomes -1
    QvGraphData none;
    Load(none, bytes);
    EXPECT_EQ(none.integral.functionA, -1);
    EXPECT_EQ(none.integral.functionB, 6);
    EXPECT_EQ(none.integral.showResult, 0);
}

TEST(GraphData, OlderVersions) {
    // Version 1 ends before ShowPositiveArrows, which keeps its value.
    QByteArray v1 = FilledBytes();
    v1[0] = 1;
    v1.chop(1);
    QvGraphData r;
    ASSERT_EQ(r.ShowPositiveArrows, 1);
    EXPECT_EQ(Load(r, v1), v1.size());
    EXPECT_EQ(r.ShowPositiveArrows, 1);
    EXPECT_EQ(r.ShowOrigin, 1);
    EXPECT_EQ(r.xMaxShowS, QStringLiteral("10.5"));
    EXPECT_EQ(r.version, 1);

    // Version 0 holds nothing after the version.
    QvGraphData zero;
    const std::string before = Fields(zero, false);
    EXPECT_EQ(Load(zero, ::Hex("00 00 FF FF FF FF")), 2);
    EXPECT_EQ(Fields(zero, false), before);

    // A stream that ends inside the record is an archive error.
    QvGraphData cut;
    EXPECT_THROW(Load(cut, FilledBytes().left(150)), CArchiveException);
}

TEST(GraphData, CopyLeavesTheReportSwitchAndTheIntersection) {
    const QvGraphData source = Filled();
    QvGraphData target;
    target.showReport = 1;
    target.intersection = {9.0, 8.0, 0, 0, 1, 2};
    target.version = 5;
    for (QvGraphDataFunction& f : target.functions)
        f.frameTopLeft = CPoint(4, 4);
    target.Copy(source);

    QvGraphData expected = Filled();
    expected.showReport = 1;
    expected.intersection = {9.0, 8.0, 0, 0, 1, 2};
    expected.version = 5;
    for (QvGraphDataFunction& f : expected.functions)
        f.frameTopLeft = CPoint(4, 4); // each function record by its own copy
    EXPECT_EQ(Fields(target), Fields(expected));

    // Copy construction: the same, the rest as constructed.
    const QvGraphData copied(source);
    EXPECT_EQ(copied.showReport, 1);
    EXPECT_EQ(copied.intersection.state, 0);
    EXPECT_EQ(copied.intersection.first, 0);
    EXPECT_EQ(copied.xMajorS, QStringLiteral("pi/2"));
    EXPECT_EQ(copied.calcShown, 1);
    EXPECT_TRUE(copied.ReportFont == source.ReportFont);
}

} // namespace
