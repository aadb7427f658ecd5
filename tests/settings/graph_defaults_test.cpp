// The "Graph" defaults group on its own: what a fresh profile gives, its
// keys, and its part of the definition file.
#include "common/test_support.h"
#include "setting_tables.h"

#include "platform/file.h"
#include "platform/profile.h"
#include "settings/graph_defaults.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const QString kGraph = QStringLiteral("Graph");
const char* const kDefaultFontText = "-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,Arial";

// The group's rows of the hand-written table, as the definition file holds
// them: numbers as 4-byte ints, texts and fonts closed by 0xFF.
QByteArray DefaultGraphBytes() {
    QByteArray bytes;
    for (const SettingGroup& group : StoredGroups()) {
        if (std::strcmp(group.name, "Graph") != 0)
            continue;
        for (const SettingRow& row : group.rows) {
            if (row.kind == 'S' || row.kind == 'F') {
                bytes.append(row.kind == 'F' ? kDefaultFontText : row.value).append('\xFF');
            } else {
                const qint32 v = qint32(strtoll(row.value, nullptr, 10));
                bytes.append(reinterpret_cast<const char*>(&v), 4);
            }
        }
    }
    return bytes;
}

class GraphDefaults : public ::testing::Test {
protected:
    QString FilePath() const { return m_dir.filePath(QStringLiteral("graph.def")); }
    QByteArray Written(QvGraphDefaults& g, BOOL defaults) {
        {
            CFile file(FilePath(), CFile::modeCreate | CFile::modeWrite);
            g.Write(nullptr, &file, defaults);
        }
        QFile f(FilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    TempProfile m_profile;
    QTemporaryDir m_dir;
};

void Change(QvGraphDefaults& g) {
    g.xMaxShowS.SetValue(QStringLiteral("5"));
    g.yMinorS.SetValue(QStringLiteral("1"));
    g.xGridMajorColor.SetValue(0x0000FF);
    g.yGridMinorPen.SetValue(32800);
    g.AngleType.SetValue(1);
    g.xNotate.SetValue(QStringLiteral("t"));
    g.AutoScale.SetValue(1);
    QvLogFont bold;
    bold.m_logFont.lfWeight = 700;
    g.ReportFont.SetValue(bold);
    g.FunctionStyle[9].m_Color.SetValue(0x010203);
    g.FunctionStyle[9].Pen.SetValue(32800);
    g.yLine.SetValue(32807);
    g.ShowOrigin.SetValue(1);
    g.ShowPositiveArrows.SetValue(0);
}

} // namespace

TEST_F(GraphDefaults, FreshProfileGivesTheStartingGraph) {
    QvGraphDefaults g;
    g.Read(nullptr, nullptr);
    // The range [-10, 10] with steps 2 and 0.5, light grey grid lines that
    // are not shown, black axes with arrows and no origin circle.
    EXPECT_EQ(g.xMaxShowS.GetValue(), QStringLiteral("10"));
    EXPECT_EQ(g.yMinShowS.GetValue(), QStringLiteral("-10"));
    EXPECT_EQ(g.yMajorS.GetValue(), QStringLiteral("2"));
    EXPECT_EQ(g.xMinorS.GetValue(), QStringLiteral("0.5"));
    for (const QvSettingColor* c :
         {&g.xGridMajorColor, &g.xGridMinorColor, &g.yGridMajorColor, &g.yGridMinorColor})
        EXPECT_EQ(c->GetValue(), RGB(200, 200, 200)) << qPrintable(c->GetKey());
    for (const QvSettingInt* pen : {&g.xGridMajorPen, &g.xGridMinorPen, &g.yGridMajorPen,
                                    &g.yGridMinorPen, &g.xLine, &g.yLine})
        EXPECT_EQ(pen->GetValue(), 32806) << qPrintable(pen->GetKey());
    EXPECT_EQ(g.ShowGrid.GetValue(), 0);
    EXPECT_EQ(g.xColor.GetValue(), 0u);
    EXPECT_EQ(g.ShowOrigin.GetValue(), 0);
    EXPECT_EQ(g.ShowNegativeArrows.GetValue(), 1);
    EXPECT_EQ(g.ShowPositiveArrows.GetValue(), 1);
    EXPECT_EQ(g.ShowOrigin.GetFlag(), 1);
    EXPECT_EQ(g.xMaxShowS.GetFlag(), 0);

    // Every slot: the style's own switches and line style, the slot's
    // colours; keys with the slot digit straight after the stem.
    const char* const stems[] = {"VAsym",       "HAsym",   "RangeArrows",  "ShowLow",
                                 "ShowHigh",    "m_Color", "m_ShadeColor", "m_ShadeType",
                                 "m_HatchType", "Pen"};
    g.Write(nullptr, nullptr, FALSE);
    for (int i = 0; i < QvGraphDefaults::kFunctionCount; ++i) {
        const QvFunctionStyle& style = g.FunctionStyle[i];
        EXPECT_EQ(style.VAsym.GetValue(), 1);
        EXPECT_EQ(style.HAsym.GetValue(), 0);
        EXPECT_EQ(style.ShowHigh.GetValue(), 1);
        EXPECT_EQ(style.m_ShadeType.GetValue(), 0);
        EXPECT_EQ(style.Pen.GetValue(), 32806);
        EXPECT_EQ(style.m_Color.GetSection(), kGraph);
        for (const char* stem : stems) {
            const QString key = QString::fromLatin1(stem) + QString::number(i);
            EXPECT_NE(GetProfileString(kGraph, key, QStringLiteral("<missing>")),
                      QStringLiteral("<missing>"))
                << qPrintable(key);
        }
    }
    EXPECT_EQ(g.FunctionStyle[0].m_Color.GetKey(), QStringLiteral("m_Color0"));
    EXPECT_EQ(g.FunctionStyle[9].Pen.GetKey(), QStringLiteral("Pen9"));
    EXPECT_EQ(GetProfileString(kGraph, QStringLiteral("Pen10"), QStringLiteral("<missing>")),
              QStringLiteral("<missing>"));
    // Slot colours of the first and last slot.
    EXPECT_EQ(g.FunctionStyle[0].m_Color.GetValue(), RGB(0, 0, 255));
    EXPECT_EQ(g.FunctionStyle[0].m_ShadeColor.GetValue(), RGB(210, 210, 255));
    EXPECT_EQ(g.FunctionStyle[0].m_HatchType.GetValue(), 2);
    EXPECT_EQ(g.FunctionStyle[9].m_Color.GetValue(), RGB(195, 195, 195));
    EXPECT_EQ(g.FunctionStyle[9].m_ShadeColor.GetValue(), RGB(100, 100, 100));
    EXPECT_EQ(g.FunctionStyle[9].m_HatchType.GetValue(), 0);
}

TEST_F(GraphDefaults, DefinitionFileInReadOrderAndTheDefaultsFlag) {
    QvGraphDefaults g;
    const QByteArray fresh = Written(g, FALSE);
    EXPECT_EQ(fresh.toHex(' ').toStdString(), DefaultGraphBytes().toHex(' ').toStdString());
    // ShowPositiveArrows closes the group, after the ten styles.
    EXPECT_EQ(fresh.right(8), QByteArray::fromHex("2680000001000000"));

    Change(g);
    // With the flag the defaults are written, not the values.
    EXPECT_EQ(Written(g, TRUE), fresh);
    const QByteArray changed = Written(g, FALSE);
    EXPECT_NE(changed, fresh);
    EXPECT_EQ(changed.right(8), QByteArray::fromHex("2080000000000000"));

    // Read takes the values back in the order Write put them.
    QvGraphDefaults back;
    {
        CFile file(FilePath(), CFile::modeRead);
        back.Read(nullptr, &file);
        EXPECT_EQ(file.GetPosition(), file.GetLength());
    }
    EXPECT_EQ(back.xMaxShowS.GetValue(), QStringLiteral("5"));
    EXPECT_EQ(back.yMinorS.GetValue(), QStringLiteral("1"));
    EXPECT_EQ(back.xGridMajorColor.GetValue(), 0x0000FFu);
    EXPECT_EQ(back.yGridMinorPen.GetValue(), 32800);
    EXPECT_EQ(back.AngleType.GetValue(), 1);
    EXPECT_EQ(back.xNotate.GetValue(), QStringLiteral("t"));
    EXPECT_EQ(back.AutoScale.GetValue(), 1);
    EXPECT_EQ(back.ReportFont.GetValue().m_logFont.lfWeight, 700);
    EXPECT_EQ(back.FunctionStyle[9].m_Color.GetValue(), 0x010203u);
    EXPECT_EQ(back.FunctionStyle[9].Pen.GetValue(), 32800);
    EXPECT_EQ(back.yLine.GetValue(), 32807);
    EXPECT_EQ(back.ShowOrigin.GetValue(), 1);
    EXPECT_EQ(back.ShowPositiveArrows.GetValue(), 0);
    EXPECT_EQ(Written(back, FALSE), changed);
}

TEST_F(GraphDefaults, OneFunctionStyleOnItsOwn) {
    // A style keyed by itself, without the group's slot colours: light grey
    // curve and shading, line style 32806.
    QvFunctionStyle style;
    style.SetKeys(QStringLiteral("0"));
    struct Row {
        const char* key;
        QString actualKey;
        int value, flag;
        QString section;
    } rows[] = {
        {"VAsym0", style.VAsym.GetKey(), style.VAsym.GetDefault(), style.VAsym.GetFlag(),
         style.VAsym.GetSection()},
        {"HAsym0", style.HAsym.GetKey(), style.HAsym.GetDefault(), style.HAsym.GetFlag(),
         style.HAsym.GetSection()},
        {"RangeArrows0", style.RangeArrows.GetKey(), style.RangeArrows.GetDefault(),
         style.RangeArrows.GetFlag(), style.RangeArrows.GetSection()},
        {"ShowLow0", style.ShowLow.GetKey(), style.ShowLow.GetDefault(), style.ShowLow.GetFlag(),
         style.ShowLow.GetSection()},
        {"ShowHigh0", style.ShowHigh.GetKey(), style.ShowHigh.GetDefault(),
         style.ShowHigh.GetFlag(), style.ShowHigh.GetSection()},
        {"m_Color0", style.m_Color.GetKey(), int(style.m_Color.GetDefault()),
         style.m_Color.GetFlag(), style.m_Color.GetSection()},
        {"m_ShadeColor0", style.m_ShadeColor.GetKey(), int(style.m_ShadeColor.GetDefault()),
         style.m_ShadeColor.GetFlag(), style.m_ShadeColor.GetSection()},
        {"m_ShadeType0", style.m_ShadeType.GetKey(), style.m_ShadeType.GetDefault(),
         style.m_ShadeType.GetFlag(), style.m_ShadeType.GetSection()},
        {"m_HatchType0", style.m_HatchType.GetKey(), style.m_HatchType.GetDefault(),
         style.m_HatchType.GetFlag(), style.m_HatchType.GetSection()},
        {"Pen0", style.Pen.GetKey(), style.Pen.GetDefault(), style.Pen.GetFlag(),
         style.Pen.GetSection()},
    };
    const int expected[] = {1, 0, 1, 1, 1, 0xC8C8C8, 0xC8C8C8, 0, 0, 32806};
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(rows[k].actualKey, QString::fromLatin1(rows[k].key));
        EXPECT_EQ(rows[k].value, expected[k]) << rows[k].key;
        EXPECT_EQ(rows[k].flag, 0) << rows[k].key;
        EXPECT_EQ(rows[k].section, kGraph) << rows[k].key;
    }

    // In the definition file: the five switches, the two colours, the three
    // integers, 4 bytes each in member order; read back the same way.
    style.ShowLow.SetValue(0);
    style.m_ShadeColor.SetValue(0x0A0B0C);
    style.Pen.SetValue(32800);
    {
        CFile file(FilePath(), CFile::modeCreate | CFile::modeWrite);
        style.Write(nullptr, &file, FALSE);
    }
    QFile f(FilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toHex(' ').toStdString(), "01 00 00 00 00 00 00 00 01 00 00 00 "
                                                    "00 00 00 00 01 00 00 00 c8 c8 c8 00 "
                                                    "0c 0b 0a 00 00 00 00 00 00 00 00 00 "
                                                    "20 80 00 00");
    QvFunctionStyle back;
    back.SetKeys(QStringLiteral("0"));
    {
        CFile file(FilePath(), CFile::modeRead);
        back.Read(nullptr, &file);
        EXPECT_EQ(file.GetPosition(), file.GetLength());
    }
    EXPECT_EQ(back.ShowLow.GetValue(), 0);
    EXPECT_EQ(back.VAsym.GetValue(), 1);
    EXPECT_EQ(back.m_ShadeColor.GetValue(), 0x0A0B0Cu);
    EXPECT_EQ(back.Pen.GetValue(), 32800);
}

TEST_F(GraphDefaults, NumberLineDefaultsAndTheirPlaceInTheDefinitionFile) {
    // A fresh profile: the line -5 to 5, steps 1 and 0.5, a black axis and
    // the ten interval colours (COLORREF, blue in the high byte).
    QvNumberLineDefaults g;
    g.Read(nullptr, nullptr);
    EXPECT_EQ(g.xMaxShowS.GetValue(), QStringLiteral("5"));
    EXPECT_EQ(g.xMinShowS.GetValue(), QStringLiteral("-5"));
    EXPECT_EQ(g.xMajorS.GetValue(), QStringLiteral("1"));
    EXPECT_EQ(g.xMinorS.GetValue(), QStringLiteral("0.5"));
    EXPECT_EQ(g.xColor.GetValue(), 0u);
    EXPECT_EQ(g.xLine.GetValue(), 32806);
    EXPECT_EQ(g.AxisFont.GetValue(), QvLogFont());
    const struct {
        const char* name;
        int r, g, b;
    } colours[] = {
        {"blue", 0, 0, 255},       {"red", 255, 0, 0},        {"magenta", 255, 0, 255},
        {"cyan", 0, 255, 255},     {"grey", 127, 127, 127},   {"green", 0, 255, 0},
        {"dark red", 127, 0, 0},   {"dark green", 0, 127, 0}, {"light blue", 165, 203, 247},
        {"light grey", 195, 195, 195},
    };
    const COLORREF values[] = {0xFF0000, 0x0000FF, 0xFF00FF, 0xFFFF00, 0x7F7F7F,
                               0x00FF00, 0x00007F, 0x007F00, 0xF7CBA5, 0xC3C3C3};
    for (int i = 0; i < QvNumberLineDefaults::kGraphColorCount; ++i) {
        EXPECT_EQ(g.GraphColor[i].GetValue(), RGB(colours[i].r, colours[i].g, colours[i].b))
            << colours[i].name;
        EXPECT_EQ(g.GraphColor[i].GetValue(), values[i]) << colours[i].name;
    }

    // The definition file: four texts, the font, the axis line, the axis
    // colour, then the ten colours, 4 bytes each.
    g.xMinorS.SetValue(QStringLiteral("0.25"));
    g.xLine.SetValue(32807);
    g.xColor.SetValue(0x0000FF);
    g.GraphColor[9].SetValue(0x010203);
    {
        CFile file(FilePath(), CFile::modeCreate | CFile::modeWrite);
        g.Write(nullptr, &file, FALSE);
    }
    QByteArray expected = QByteArray("5\xFF-5\xFF" "1\xFF" "0.25\xFF") + kDefaultFontText + '\xFF';
    expected += QByteArray::fromHex("27800000" "ff000000");
    for (int i = 0; i < 9; ++i) {
        const quint32 c = values[i];
        expected.append(reinterpret_cast<const char*>(&c), 4);
    }
    expected += QByteArray::fromHex("03020100");
    QFile f(FilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toHex(' ').toStdString(), expected.toHex(' ').toStdString());

    QvNumberLineDefaults back;
    {
        CFile file(FilePath(), CFile::modeRead);
        back.Read(nullptr, &file);
        EXPECT_EQ(file.GetPosition(), file.GetLength());
    }
    EXPECT_EQ(back.xMinorS.GetValue(), QStringLiteral("0.25"));
    EXPECT_EQ(back.xLine.GetValue(), 32807);
    EXPECT_EQ(back.xColor.GetValue(), 0x0000FFu);
    EXPECT_EQ(back.GraphColor[8].GetValue(), 0xF7CBA5u);
    EXPECT_EQ(back.GraphColor[9].GetValue(), 0x010203u);
}
