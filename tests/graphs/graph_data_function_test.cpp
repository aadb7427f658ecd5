// The function display record: defaults, copies and its archive form.
#include "common/test_support.h"
#include "function_test_support.h"
#include "graphs/graph_data_function.h"
#include "settings/figure_defaults.h"

#include <QDataStream>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Every field but dirty and decimalChar; the frame only when asked.
std::string Fields(const QvGraphDataFunction& r, bool frame) {
    QString s = QString::asprintf("%d %g %g %g %g (%d,%d) (%d,%d) ", r.version, r.xMax, r.yMax,
                                  r.xMin, r.yMin, r.plotTopLeft.x, r.plotTopLeft.y,
                                  r.plotBottomRight.x, r.plotBottomRight.y);
    if (frame)
        s += QString::asprintf("(%d,%d) (%d,%d) ", r.frameTopLeft.x, r.frameTopLeft.y,
                               r.frameBottomRight.x, r.frameBottomRight.y);
    s += r.caption + u'|' + r.expression + u'|' + r.rangeText + u'|';
    s += QString::asprintf("%d %d %d %d %d %x %x %d %d %d %d %d %d %d", r.VAsym, r.HAsym,
                           r.RangeArrows, r.ShowLow, r.ShowHigh, r.m_Color, r.m_ShadeColor,
                           r.m_ShadeType, r.m_HatchType, r.lineCommand, r.markFlag, r.shadeAbove,
                           r.kind, r.selectedPoint);
    return s.toStdString();
}

QvGraphDataFunction Filled() {
    QvGraphDataFunction r;
    r.xMax = 10.5;
    r.yMax = 7.25;
    r.xMin = -10;
    r.yMin = -7.25;
    r.plotTopLeft = CPoint(100, 200);
    r.plotBottomRight = CPoint(300, -400);
    r.frameTopLeft = CPoint(1, 2);
    r.frameBottomRight = CPoint(3, 4);
    r.caption = QString::fromLatin1("y=x\xB2");
    r.expression = QStringLiteral("Y=X^2");
    r.rangeText = QString::fromLatin1("-2<x\xA3"
                                      "3");
    r.VAsym = 0;
    r.HAsym = 1;
    r.RangeArrows = 0;
    r.ShowLow = 0;
    r.ShowHigh = 1;
    r.m_Color = 0x0000FF;
    r.m_ShadeColor = 0x00FF00;
    r.m_ShadeType = 2;
    r.m_HatchType = 3;
    r.lineCommand = 32807;
    r.dirty = 1;
    r.markFlag = 1;
    r.decimalChar = ',';
    r.shadeAbove = 1;
    r.kind = 3;
    r.selectedPoint = -2;
    return r;
}

// The stored form of Filled(), written out field by field.
QByteArray FilledBytes() {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    out << quint16(1) << 10.5 << 7.25 << -10.0 << -7.25;
    for (qint32 v : {100, 200, 300, -400, 1, 2, 3, 4})
        out << v;
    for (const char* text : {"y=x\xB2", "Y=X^2",
                             "-2<x\xA3"
                             "3"}) {
        out << quint8(std::strlen(text));
        out.writeRawData(text, int(std::strlen(text)));
    }
    for (qint32 v : {0, 1, 0, 0, 1, 0x0000FF, 0x00FF00, 2, 3})
        out << v;
    for (qint32 v : {32807, 1, 1, 3, -2})
        out << v;
    return bytes;
}

TEST(GraphDataFunction, Defaults) {
    auto old = SetDecimalPointSource([] { return ','; });
    QvGraphDataFunction r;
    SetDecimalPointSource(old);
    EXPECT_EQ(Fields(r, true),
              "0 0 0 0 0 (0,0) (0,0) (0,0) (0,0) |||1 0 1 1 1 0 0 0 0 32806 0 0 0 -1");
    EXPECT_EQ(r.dirty, 0);
    EXPECT_EQ(r.decimalChar, ',');
}

TEST(GraphDataFunction, RoundTripByteForByte) {
    QvGraphDataFunction r = Filled();
    r.version = 0;
    const QByteArray bytes = Stored(r);
    EXPECT_EQ(bytes.toHex(' ').toStdString(), FilledBytes().toHex(' ').toStdString());
    EXPECT_EQ(r.version, 1);

    QvGraphDataFunction back;
    back.decimalChar = '.';
    EXPECT_EQ(Load(back, bytes), bytes.size());
    EXPECT_EQ(Fields(back, true), Fields(Filled(), true).replace(0, 1, "1"));
    EXPECT_EQ(back.dirty, 1);
    EXPECT_EQ(back.decimalChar, '.'); // the loading user's, never stored
    EXPECT_EQ(Stored(back), bytes);

    // A function stores its display record and nothing else.
    QvFunction f;
    f.data = Filled();
    f.data.frameTopLeft = CPoint(1, 2);
    f.data.frameBottomRight = CPoint(3, 4);
    EXPECT_EQ(Stored(f), bytes);
}

TEST(GraphDataFunction, OlderAndShortStreams) {
    // Version 0 holds nothing after the version, yet the record is dirty.
    QvGraphDataFunction r;
    const std::string before = Fields(r, true);
    EXPECT_EQ(Load(r, Hex("00 00 FF FF FF FF")), 2);
    EXPECT_EQ(r.dirty, 1);
    EXPECT_EQ(Fields(r, true), std::string(before).replace(0, 1, "1"));

    // A stream that ends inside the record is an archive error.
    QvGraphDataFunction cut;
    EXPECT_THROW(Load(cut, FilledBytes().left(60)), CArchiveException);
}

TEST(GraphDataFunction, CopyKeepsFrameAndDecimalChar) {
    const QvGraphDataFunction src = Filled();
    QvGraphDataFunction dst;
    dst.frameTopLeft = CPoint(5, 6);
    dst.frameBottomRight = CPoint(7, 8);
    dst.decimalChar = '.';
    dst.Copy(src);
    EXPECT_EQ(Fields(dst, false), Fields(src, false));
    EXPECT_EQ(dst.dirty, 1);
    EXPECT_EQ(dst.frameTopLeft, CPoint(5, 6));
    EXPECT_EQ(dst.frameBottomRight, CPoint(7, 8));
    EXPECT_EQ(dst.decimalChar, '.');

    // Copy construction and assignment follow the same rule.
    auto old = SetDecimalPointSource([] { return '.'; });
    const QvGraphDataFunction copied(src);
    SetDecimalPointSource(old);
    EXPECT_EQ(Fields(copied, false), Fields(src, false));
    EXPECT_EQ(copied.frameTopLeft, CPoint());
    EXPECT_EQ(copied.decimalChar, '.');
    QvGraphDataFunction assigned;
    assigned.frameTopLeft = CPoint(9, 9);
    assigned = src;
    EXPECT_EQ(assigned.frameTopLeft, CPoint(9, 9));
}

} // namespace
