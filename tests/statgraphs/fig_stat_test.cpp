// The statistics graph figure: made by its tool with the "Stat" defaults,
// its outline and graph in each drawing mode, its record in the file, and
// copies, pastes and undo keeping the data set and options whole.
#include "common/recording_device.h"
#include "common/test_support.h"
#include "document/lumbrel2_doc.h"
#include "document/lumbrel2_view.h"
#include "figures/fig_gallery.h"
#include "figures/fig_rectangle.h"
#include "figures/figure_factory.h"
#include "figures/figure_test_support.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"
#include "statgraphs/fig_stat.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FigStatTest : public FigureTest {
protected:
    // A graph dragged from corner a to corner b.
    static std::unique_ptr<QvFigStat> Graph(QvPoint a = QvPoint(1000, 1000),
                                            QvPoint b = QvPoint(25000, 20000)) {
        auto f = Make<QvFigStat>(QvFigStat::ToolId);
        EXPECT_TRUE(f);
        if (!f)
            return nullptr;
        EXPECT_FALSE(Click(*f, a));
        EXPECT_TRUE(Click(*f, b));
        return f;
    }
    static QvStatProperties& Options(QvFigStat& f) { return f.StatData()->m_data.properties; }

    TempProfile profile;
};

// The record as the figure writes it into the file.
QByteArray RecordBytes(CObject& record) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    record.Serialize(ar);
    ar.Close();
    return bytes;
}

// A gallery symbol of one rectangle, framed (0, 0)-(w, h).
std::unique_ptr<QvFigure> Symbol(double w, double h) {
    std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigGallery::ToolId);
    auto* g = dynamic_cast<QvFigGallery*>(made.get());
    if (!g)
        return nullptr;
    std::unique_ptr<QvFigure> rect = QvFigure::CreateForTool(QvFigRectangle::ToolId);
    Click(*rect, QvPoint(100, 200));
    Click(*rect, QvPoint(900, 800));
    g->MemberList().Add(std::move(rect));
    const QvPoint corners[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    for (int i = 0; i < 4; ++i)
        g->DefiningPoints()[i] = g->DisplayPoints()[i] = corners[i];
    g->SetAspectRatio(h / w);
    return made;
}

// Every column filled to its last row, C a group column and D a label
// column, names with an en dash; options away from their defaults and one
// pictogram symbol.
void Fill(QvStatData& d) {
    for (int c = 0; c < QvStatData::ColumnCount; ++c) {
        QvStatColumn& col = d.columns[size_t(c)];
        col.name = QStringLiteral("Height \u2013 %1").arg(c);
        col.symbol = QStringLiteral("h%1").arg(c);
        for (int r = 0; r < QvStatColumn::Rows; ++r)
            col.cells[size_t(r)] = {((r * 37 + c * 11) % 1000) / 8.0, 1 + r % 3, {}};
        col.MarkDirty();
    }
    QvStatColumn& group = d.columns[2];
    group.type = QvStatColumn::Group;
    for (int r = 0; r < QvStatColumn::Rows; ++r)
        group.cells[size_t(r)] = {r * 10.0, r % 4, QString::number(r * 10 + 10)};
    QvStatColumn& labels = d.columns[3];
    labels.type = QvStatColumn::Label;
    for (int r = 0; r < QvStatColumn::Rows; ++r)
        labels.cells[size_t(r)].text = QStringLiteral("Pupil \u2013 %1").arg(r);
    QvStatProperties& p = d.properties;
    p.Title = QStringLiteral("Heights \u2013 Year 9");
    p.GraphType = 14;
    p.dc = {3, 4, 26, -1, 7, -1, -1, -1, -1, 25};
    p.Label1 = QStringLiteral("D");
    p.AutoMaxx = 0;
    p.maxx = 12.5;
    p.yminor = 0.125;
    p.Colors[2] = 0x123456;
    p.InitBrushes();
    p.TitleFont.m_logFont.lfHeight = -19;
    p.StemLeaf_High = QStringLiteral("Hi");
    p.FreqPoly_ShowEnds = 0;
    p.Picto_Symbol[1] = Symbol(1000, 500);
}

TEST_F(FigStatTest, ToolMakesAGraphRegisteredUnderItsClassName) {
    EXPECT_TRUE(QvFigure::CanCreateForTool(ID_DRAW_STAT_GRAPH));
    EXPECT_STREQ(QvFactoryClassName(ID_DRAW_STAT_GRAPH), "QvFigStat");
    auto f = Graph();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->GetToolId(), 32865);
    EXPECT_EQ(f->GetPointCount(), 4);
    EXPECT_EQ(f->GetEditData(), f->StatData());
    EXPECT_STREQ(f->GetRuntimeClass()->m_lpszClassName, "QvFigStat");
    EXPECT_STREQ(f->StatData()->GetRuntimeClass()->m_lpszClassName, "QvEditDataStat");
}

// A new graph takes the drawing style and every "Stat" default, the
// custom colours and the default font; the colour row of its brushes
// follows the colours it took.
TEST_F(FigStatTest, NewGraphTakesTheStatDefaults) {
    QvSettings& s = TheSettings();
    QvStatDefaults& d = s.m_StatDefaults;
    d.Title.SetValue(QStringLiteral("Marks \u2013 term 1"));
    d.GraphType.SetValue(10);
    d.dc[9].SetValue(12);
    d.Label2.SetValue(QStringLiteral("E"));
    d.LabelCol2.SetValue(4);
    d.LabelColActive2.SetValue(1);
    d.AutoScale.SetValue(0);
    d.yMajorCol.SetValue(0x010203);
    d.maxy.SetValue(37.25);
    d.Smoothing[3].SetValue(2);
    d.Scatter_PointType[4].SetValue(8);
    QvLogFont font;
    font.m_logFont.lfHeight = -31;
    d.MidAxisFont.SetValue(font);
    d.Colors[3].SetValue(0x00ABCDEF);
    d.StemLeaf_Low.SetValue(QStringLiteral("Lo"));
    d.Picto_ShowLegend.SetValue(1);
    d.FreqPoly_ShowEnds.SetValue(0);
    QvLogFont defaultFont;
    defaultFont.m_logFont.lfWeight = 700;
    d.DefaultFont.SetValue(defaultFont);
    s.m_CustomColors[15].SetValue(0x00FEDCBA);

    auto f = Graph();
    ASSERT_TRUE(f);
    const QvEditDataStat& r = *f->StatData();
    EXPECT_EQ(r.m_lineColor, RGB(10, 20, 30));
    EXPECT_EQ(r.m_fillColor, RGB(40, 50, 60));
    EXPECT_EQ(r.m_lineStyle, LONG(ID_LINE_HAIRLINE));
    EXPECT_EQ(r.m_fillStyle, LONG(ID_FILL_NONE));
    const QvStatProperties& p = r.m_data.properties;
    EXPECT_EQ(p.Title, QStringLiteral("Marks \u2013 term 1"));
    EXPECT_EQ(p.GraphType, 10);
    EXPECT_EQ(p.dc[9], 12);
    EXPECT_EQ(p.Label2, QStringLiteral("E"));
    EXPECT_EQ(p.LabelCol2, 4);
    EXPECT_EQ(p.LabelColActive2, 1);
    EXPECT_EQ(p.AutoScale, 0);
    EXPECT_EQ(p.yMajorCol, 0x010203u);
    EXPECT_EQ(p.maxy, 37.25);
    EXPECT_EQ(p.Smoothing[3], 2);
    EXPECT_EQ(p.Scatter_PointType[4], 8);
    EXPECT_EQ(p.MidAxisFont.m_logFont.lfHeight, -31);
    EXPECT_EQ(p.Colors[3], 0x00ABCDEFu);
    EXPECT_EQ(p.Brushes[3][3].lbColor, 0x00ABCDEFu);
    EXPECT_EQ(p.StemLeaf_Low, QStringLiteral("Lo"));
    EXPECT_EQ(p.Picto_ShowLegend, 1);
    EXPECT_EQ(p.FreqPoly_ShowEnds, 0);
    EXPECT_EQ(p.DefaultFont.m_logFont.lfWeight, 700);
    EXPECT_EQ(p.CustomColors[15], 0x00FEDCBAu);
    for (const auto& symbol : p.Picto_Symbol)
        EXPECT_EQ(symbol, nullptr);
    // The columns start as a new data set's: A to Z empty, rows numbered.
    EXPECT_EQ(r.m_data.columns[0].cells[0].count, 0);
    EXPECT_EQ(r.m_data.columns[26].cells[499].value, 500.0);
}

// Modes 1 and 2 outline the frame in any mapping mode; mode 0 outlines it
// in MM_TEXT and draws the graph elsewhere (type 13 writes its text);
// other modes draw nothing.
TEST_F(FigStatTest, EachDrawingModeDrawsTheOutlineOrTheGraphOrNothing) {
    auto f = Graph(QvPoint(100.7, 80.2), QvPoint(900.9, 600.6));
    ASSERT_TRUE(f);
    Options(*f).GraphType = 13;
    const CPoint corners[4] = {{100, 80}, {900, 80}, {900, 600}, {100, 600}};
    for (int mapMode : {MM_TEXT, MM_HIMETRIC}) {
        for (int mode = 0; mode <= 5; ++mode) {
            SCOPED_TRACE(testing::Message() << "map mode " << mapMode << " mode " << mode);
            RecordingDevice device;
            CPoint expected[4];
            {
                CDC dc(&device);
                dc.SetMapMode(mapMode);
                dc.SetViewportOrg(0, mapMode == MM_HIMETRIC ? 1000 : 0);
                f->DrawMapped(&dc, mode, QvGRRect(), CRect());
                for (int i = 0; i < 4; ++i)
                    expected[i] = corners[i];
                dc.LPtoDP(expected, 4);
            }
            const std::vector<DrawnItem>& items = device.Items();
            const bool outline = mode == 1 || mode == 2 || (mode == 0 && mapMode == MM_TEXT);
            if (outline && mode == QvDrawMode::Dotted) {
                // Dots are stroked as paths: they cover the outline.
                QRectF covered;
                for (const DrawnItem& item : items) {
                    EXPECT_TRUE(item.kind == DrawnItem::Path || item.kind == DrawnItem::Line);
                    covered |= item.rect;
                }
                EXPECT_NEAR(covered.left(), expected[0].x, 1);
                EXPECT_NEAR(covered.top(), std::min(expected[0].y, expected[2].y), 1);
                EXPECT_NEAR(covered.right(), expected[2].x, 1);
                EXPECT_NEAR(covered.bottom(), std::max(expected[0].y, expected[2].y), 1);
            } else if (outline) {
                ASSERT_EQ(items.size(), 4u);
                for (int i = 0; i < 4; ++i) {
                    ASSERT_EQ(items[size_t(i)].kind, DrawnItem::Line);
                    const QLineF& line = items[size_t(i)].line;
                    const CPoint& from = expected[i];
                    const CPoint& to = expected[(i + 1) % 4];
                    EXPECT_NEAR(line.x1(), from.x, 1);
                    EXPECT_NEAR(line.y1(), from.y, 1);
                    EXPECT_NEAR(line.x2(), to.x, 1);
                    EXPECT_NEAR(line.y2(), to.y, 1);
                }
            } else if (mode == 0) {
                ASSERT_FALSE(items.empty());
                EXPECT_EQ(items.back().kind, DrawnItem::Text);
            } else {
                EXPECT_TRUE(items.empty());
            }
        }
    }
}

// On the page (MM_HIMETRIC, y up) a type without a drawer writes its text
// just inside the frame's top-left corner, however the frame was dragged,
// and nothing else; a type changed between two paints is drawn by its own
// drawer at the next one.
TEST_F(FigStatTest, TypeWithoutDrawerWritesItsTextInsideTheFrameOnThePage) {
    const QvPoint a(3000, 4000), b(27000, 22000);
    const QvPoint drags[4][2] = {
        {a, b}, {b, a}, {{a.x, b.y}, {b.x, a.y}}, {{b.x, a.y}, {a.x, b.y}}};
    // 2540 dots per inch: one device pixel per 0.01 mm.
    auto paint = [](QvFigure& f, QRectF& frame, QPointF& start) {
        auto device = std::make_unique<RecordingDevice>(30000, 30000, 2540);
        {
            CDC dc(device.get());
            dc.SetMapMode(MM_HIMETRIC);
            dc.SetViewportOrg(0, 30000);
            f.DrawMapped(&dc, QvDrawMode::Normal, QvGRRect(), CRect());
            CRect r(3000, 22000, 27000, 4000);
            dc.LPtoDP(&r);
            frame = QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)).normalized();
            CPoint p(3000 + 10, 22000 - 50);
            dc.LPtoDP(&p);
            start = QPointF(p.x, p.y);
        }
        return device;
    };
    for (const auto& drag : drags) {
        auto f = Graph(drag[0], drag[1]);
        ASSERT_TRUE(f);
        for (int type : {13, 0, -1, 15}) {
            SCOPED_TRACE(testing::Message()
                         << "type " << type << " from " << drag[0].x << "," << drag[0].y);
            Options(*f).GraphType = type;
            QRectF frame;
            QPointF start;
            auto device = paint(*f, frame, start);
            // The text, and its cell in the background colour: nothing else.
            const std::vector<DrawnItem>& items = device->Items();
            ASSERT_FALSE(items.empty());
            const DrawnItem& text = items.back();
            ASSERT_EQ(text.kind, DrawnItem::Text);
            for (const DrawnItem& item : items) {
                EXPECT_TRUE(&item == &text || item.kind == DrawnItem::Rect);
                EXPECT_TRUE(frame.contains(item.rect));
            }
            EXPECT_EQ(text.text, QStringLiteral("Graph Type Not Implemented"));
            EXPECT_NEAR(text.rect.left(), start.x(), 1);
            EXPECT_NEAR(text.rect.top(), start.y(), 1);
        }
        // A type with a drawer writes no such text, then none again does.
        QRectF frame;
        QPointF start;
        Options(*f).GraphType = 4;
        // The device must outlive the loop over its items.
        const auto drawn = paint(*f, frame, start);
        for (const DrawnItem& item : drawn->Items())
            EXPECT_NE(item.text, QStringLiteral("Graph Type Not Implemented"));
        Options(*f).GraphType = 13;
        EXPECT_EQ(paint(*f, frame, start)->Items().back().kind, DrawnItem::Text);
    }
}

TEST_F(FigStatTest, StatusTextIsGraphForEveryType) {
    auto f = Graph();
    ASSERT_TRUE(f);
    for (int type = -1; type <= 15; ++type) {
        Options(*f).GraphType = type;
        EXPECT_EQ(f->GetDescription(), QStringLiteral("Graph")) << type;
    }
}

// Four common fields, the word 1, then the data set as it stores itself:
// its options (marker "QvS", version 2) before its columns.
TEST_F(FigStatTest, RecordHoldsCommonFieldsVersionThenTheDataSet) {
    auto f = Graph();
    ASSERT_TRUE(f);
    Fill(f->StatData()->m_data);
    const QByteArray bytes = RecordBytes(*f->StatData());
    QvEditData plain;
    plain.CopyCommon(*f->StatData());
    const QByteArray common = RecordBytes(plain);
    ASSERT_EQ(common.size(), 16);
    EXPECT_EQ(bytes.left(16), common.left(16));
    EXPECT_EQ(bytes.mid(16, 2), Hex("01 00"));
    EXPECT_EQ(bytes.mid(18, 8), Hex("03 51 76 53 02 00 00 00"));
    EXPECT_EQ(bytes.mid(18), RecordBytes(f->StatData()->m_data));
    EXPECT_TRUE(bytes.mid(18).startsWith(RecordBytes(f->StatData()->m_data.properties)));

    QvEditDataStat back;
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(&buffer, CArchive::load);
        back.Serialize(ar);
        EXPECT_TRUE(buffer.atEnd());
    }
    EXPECT_EQ(RecordBytes(back), bytes);
    EXPECT_TRUE(back.m_data.properties.Loaded);
}

// A record stored below version 1 has no data set: loading reads the
// common fields and the word and keeps the graph's own data set, so the
// next record in the file is read where it begins.
TEST_F(FigStatTest, RecordOfVersionZeroLoadsWithoutADataSet) {
    QvEditData common;
    common.m_lineColor = 0x0A0B0C;
    const QByteArray bytes = RecordBytes(common) + Hex("00 00") + Hex("51 76 53 00");
    QvEditDataStat back;
    back.m_data.properties.Title = QStringLiteral("kept");
    back.m_data.columns[0].cells[3] = {4.5, 1, {}};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    back.Serialize(ar);
    DWORD next = 0;
    ar >> next;
    EXPECT_EQ(next, 0x00537651u);
    EXPECT_EQ(back.m_lineColor, 0x0A0B0Cu);
    EXPECT_EQ(back.m_data.properties.Title, QStringLiteral("kept"));
    EXPECT_EQ(back.m_data.columns[0].cells[3].value, 4.5);
    EXPECT_FALSE(back.m_data.properties.Loaded);
}

// Save, open, save: the graph's figure record and the whole file come back
// byte for byte, with every column, the group and label columns, the
// names and the options.
TEST_F(FigStatTest, DrawingFileRoundTripKeepsTheGraphByteForByte) {
    Lumbrel2App app;
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.kw2"));
    const QString second = dir.filePath(QStringLiteral("second.kw2"));
    auto doc = std::make_unique<Lumbrel2Doc>();
    auto made = Graph();
    ASSERT_TRUE(made);
    Fill(made->StatData()->m_data);
    QvFigStat* graph = made.release();
    doc->AddFigure(graph);
    const QByteArray record = Store(graph);
    ASSERT_TRUE(doc->OnSaveDocument(first));

    auto opened = std::make_unique<Lumbrel2Doc>();
    ASSERT_TRUE(opened->OnOpenDocument(first));
    ASSERT_EQ(opened->GetFigureCount(), 1);
    auto* back = dynamic_cast<QvFigStat*>(opened->GetFigure(0));
    ASSERT_TRUE(back);
    EXPECT_EQ(Store(back), record);
    ASSERT_TRUE(opened->OnSaveDocument(second));
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());

    const QvStatData& d = back->StatData()->m_data;
    EXPECT_EQ(d.properties.Title, QStringLiteral("Heights \u2013 Year 9"));
    EXPECT_EQ(d.properties.maxx, 12.5);
    EXPECT_EQ(d.properties.LabelCol1, 3);
    ASSERT_NE(d.properties.Picto_Symbol[1], nullptr);
    EXPECT_EQ(d.columns[26].name, QStringLiteral("Height \u2013 26"));
    EXPECT_EQ(d.columns[2].type, int(QvStatColumn::Group));
    EXPECT_EQ(d.columns[2].cells[499].text, QStringLiteral("5000"));
    EXPECT_EQ(d.columns[3].cells[7].text, QStringLiteral("Pupil \u2013 7"));
    EXPECT_EQ(d.columns[25].cells[499].value, ((499 * 37 + 25 * 11) % 1000) / 8.0);
    EXPECT_EQ(d.columns[25].cells[499].count, 1 + 499 % 3);
}

// A pasted pictogram graph has symbols of its own, equal to the source's.
TEST_F(FigStatTest, PastedPictogramGraphKeepsItsSymbols) {
    Lumbrel2App app;
    auto doc = std::make_unique<Lumbrel2Doc>();
    auto made = Graph();
    ASSERT_TRUE(made);
    Fill(made->StatData()->m_data);
    Options(*made).Picto_Symbol[4] = Symbol(300, 900);
    QvFigStat* graph = made.release();
    doc->AddFigure(graph);
    doc->AddToSelection(graph);
    doc->OnEditCopy();
    doc->OnEditPaste();
    ASSERT_EQ(doc->GetFigureCount(), 2);
    auto* pasted = dynamic_cast<QvFigStat*>(doc->GetFigure(1));
    ASSERT_TRUE(pasted);
    ASSERT_NE(pasted, graph);
    for (int i : {1, 4}) {
        SCOPED_TRACE(i);
        const QvFigure* mine = Options(*pasted).Picto_Symbol[size_t(i)].get();
        const QvFigure* theirs = Options(*graph).Picto_Symbol[size_t(i)].get();
        ASSERT_NE(mine, nullptr);
        EXPECT_NE(mine, theirs);
        EXPECT_EQ(Store(mine), Store(theirs));
    }
    EXPECT_EQ(Options(*pasted).Picto_Symbol[0], nullptr);
    EXPECT_EQ(RecordBytes(pasted->StatData()->m_data), RecordBytes(graph->StatData()->m_data));
}

// The properties operation runs the installed dialog on the graph's data
// set; without one it beeps.  The view records the change, and Undo puts
// back the options and the data, Redo the edit.
TEST_F(FigStatTest, UndoOfAPropertiesChangeRestoresOptionsAndData) {
    Lumbrel2App app;
    auto doc = std::make_unique<Lumbrel2Doc>();
    auto view = std::make_unique<Lumbrel2View>();
    doc->AddView(view.get());
    view->SetPixelsPerInch(96);
    view->OnInitialUpdate();
    ASSERT_TRUE(doc->OnCmdMsg(ID_DRAW_SELECT));
    auto made = Graph();
    ASSERT_TRUE(made);
    Fill(made->StatData()->m_data);
    QvFigStat* graph = made.release();
    doc->AddFigure(graph);
    const QByteArray before = RecordBytes(*graph->StatData());
    const int labelColumnBefore = Options(*graph).LabelCol1;
    const auto coloursBefore = Options(*graph).CustomColors;
    ASSERT_NE(labelColumnBefore, 2);

    {
        MessageRecorder recorder;
        graph->EditProperties(CPoint(), CPoint());
        EXPECT_EQ(recorder.beeps, 1);
    }

    int runs = 0;
    QvFigStat::PropertiesDialog::Set([&](QvStatData& data) {
        ++runs;
        EXPECT_EQ(&data, &graph->StatData()->m_data);
        data.properties.GraphType = 3;
        data.properties.Title = QStringLiteral("Changed");
        data.properties.Picto_Symbol[0] = Symbol(200, 200);
        data.columns[5].cells[10] = {99.5, 2, {}};
        data.columns[5].name = QStringLiteral("Weight");
        // Fields the options' own copy leaves out: undo must bring them back
        // too, or labels would come from a column the graph no longer names.
        data.properties.Label1 = QStringLiteral("C");
        data.properties.LabelCol1 = 2;
        data.properties.LabelColActive1 = 1;
        data.properties.CustomColors[0] = RGB(1, 2, 3);
        return true;
    });
    view->OnRButtonUp(Qt::NoModifier, CPoint(13000, 10000));
    QvFigStat::PropertiesDialog::Set({});
    ASSERT_EQ(runs, 1);
    const QByteArray after = RecordBytes(*graph->StatData());
    ASSERT_NE(after, before);

    doc->OnEditUndo();
    EXPECT_EQ(RecordBytes(*graph->StatData()), before);
    EXPECT_EQ(Options(*graph).Picto_Symbol[0], nullptr);
    EXPECT_EQ(graph->StatData()->m_data.columns[5].name, QStringLiteral("Height \u2013 5"));
    EXPECT_EQ(Options(*graph).LabelCol1, labelColumnBefore);
    EXPECT_EQ(Options(*graph).CustomColors, coloursBefore);
    doc->OnEditRedo();
    EXPECT_EQ(RecordBytes(*graph->StatData()), after);
    EXPECT_EQ(Options(*graph).GraphType, 3);
    EXPECT_EQ(Options(*graph).LabelCol1, 2);
    EXPECT_EQ(Options(*graph).CustomColors[0], RGB(1, 2, 3));
    view.reset();
}

} // namespace
