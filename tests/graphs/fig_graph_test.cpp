// The function graph and number line figures: made by their tools, drawn
// in each mode, their records in the file, what the graph dialog's end
// codes take, the integral's fill after a paste, and picking on the page.
#include "common/recording_device.h"
#include "common/test_support.h"
#include "document/lumbrel2_doc.h"
#include "document/lumbrel2_view.h"
#include "figures/figure_factory.h"
#include "figures/figure_test_support.h"
#include "graphs/fig_graph.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

namespace {

// The program with one drawing in a view at 96 pixels per inch.
struct Drawing {
    Drawing() {
        doc->AddView(view.get());
        view->SetPixelsPerInch(96);
        view->OnInitialUpdate();
    }
    Lumbrel2App app;
    std::unique_ptr<Lumbrel2Doc> doc = std::make_unique<Lumbrel2Doc>();
    std::unique_ptr<Lumbrel2View> view = std::make_unique<Lumbrel2View>();
};

class FigGraphTest : public FigureTest {
protected:
    template <class T>
    static std::unique_ptr<T> Dragged(QvPoint a = QvPoint(1000, 21000),
                                      QvPoint b = QvPoint(15000, 7000)) {
        auto f = Make<T>(T::ToolId);
        EXPECT_TRUE(f);
        if (!f)
            return nullptr;
        EXPECT_FALSE(Click(*f, a));
        EXPECT_TRUE(Click(*f, b));
        f->BuildFromPoints();
        return f;
    }
    // Fixed window -5..5 both ways and the given functions.
    static void SetUp(QvGraphData& d, std::initializer_list<const char*> texts) {
        d.xMinShowS = d.yMinShowS = QStringLiteral("-5");
        d.xMaxShowS = d.yMaxShowS = QStringLiteral("5");
        d.xMajorS = d.yMajorS = QStringLiteral("1");
        d.xMinorS = d.yMinorS = QStringLiteral("0.5");
        d.AutoScale = 0;
        int i = 0;
        for (QvGraphDataFunction& f : d.functions) {
            f.caption = f.expression =
                i < int(texts.size()) ? QString::fromLatin1(texts.begin()[i]) : QString();
            f.dirty = 1;
            ++i;
        }
    }

    TempProfile profile;
};

QByteArray RecordBytes(CObject& record) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    record.Serialize(ar);
    ar.Close();
    return bytes;
}

// A page of 160 mm at 300 dpi, drawn in MM_HIMETRIC with y up.
struct Paper {
    QImage image{1890, 1890, QImage::Format_RGB32};
    Paper() {
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(11811);
    }
    void Draw(QvFigure& f) {
        image.fill(Qt::white);
        CDC dc(&image);
        dc.SetMapMode(MM_HIMETRIC);
        dc.SetWindowOrg(0, 16000);
        dc.SetBkMode(TRANSPARENT);
        f.Draw(&dc, QvDrawMode::Normal);
    }
    QRgb Pixel(double x, double y) const {
        return image.pixel(int(x * 300 / 2540), int((16000 - y) * 300 / 2540));
    }
};

TEST_F(FigGraphTest, ToolsMakeTheTwoFigures) {
    struct Case {
        int tool;
        const char* figure;
        const char* record;
        const char* description;
    } cases[] = {{32864, "QvFigGraph", "QvEditDataFunction", "Graph"},
                 {32871, "QvFigNumberLine", "QvEditDataNumberLine", "Number Line"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(QvFigure::CanCreateForTool(c.tool));
        EXPECT_STREQ(QvFactoryClassName(c.tool), c.figure);
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(c.tool);
        ASSERT_TRUE(f);
        EXPECT_STREQ(f->GetRuntimeClass()->m_lpszClassName, c.figure);
        EXPECT_STREQ(f->GetEditData()->GetRuntimeClass()->m_lpszClassName, c.record);
        EXPECT_EQ(f->GetToolId(), c.tool);
        EXPECT_EQ(f->GetPointCount(), 4);
        EXPECT_EQ(f->GetPartCount(), 4);
        EXPECT_EQ(f->GetDescription(), QString::fromLatin1(c.description));
    }
}

// No fill and a black fill would hide an integral: a new graph turns them
// into solid light grey.  A number line takes the style as it is.
TEST_F(FigGraphTest, NewFiguresTakeTheDrawingStyle) {
    QvSettings& s = TheSettings();
    struct Case {
        LONG style;
        COLORREF colour;
        LONG graphStyle;
        COLORREF graphColour;
    } cases[] = {{LONG(ID_FILL_NONE), 0, LONG(ID_FILL_SOLID), 0xC0C0C0},
                 {LONG(ID_FILL_VERTICAL), RGB(1, 2, 3), LONG(ID_FILL_VERTICAL), RGB(1, 2, 3)}};
    for (const Case& c : cases) {
        s.m_CurFillType.SetValue(c.style);
        s.m_CurFillColor.SetValue(c.colour);
        QvFigGraph graph;
        EXPECT_EQ(graph.GraphData()->m_fillStyle, c.graphStyle);
        EXPECT_EQ(graph.GraphData()->m_fillColor, c.graphColour);
        EXPECT_EQ(graph.GraphData()->m_lineColor, RGB(10, 20, 30));
        QvFigNumberLine line;
        EXPECT_EQ(line.LineData()->m_fillStyle, c.style);
        EXPECT_EQ(line.LineData()->m_fillColor, c.colour);
    }
}

// Mode 0 draws the graph or line; modes 1 and 2 only the frame's outline;
// 3 to 5 nothing.
TEST_F(FigGraphTest, DrawingModes) {
    auto graph = Dragged<QvFigGraph>(QvPoint(100.7, 600.6), QvPoint(900.9, 80.2));
    auto line = Dragged<QvFigNumberLine>(QvPoint(100.7, 600.6), QvPoint(900.9, 80.2));
    ASSERT_TRUE(graph && line);
    SetUp(graph->GraphData()->m_data, {"Y=X^2"});
    for (QvFigure* f : {static_cast<QvFigure*>(graph.get()), static_cast<QvFigure*>(line.get())}) {
        for (int mode = 0; mode <= 5; ++mode) {
            SCOPED_TRACE(testing::Message() << f->GetDescription().toStdString() << " mode " << mode);
            RecordingDevice device;
            {
                CDC dc(&device);
                f->Draw(&dc, mode);
            }
            const std::vector<DrawnItem>& items = device.Items();
            if (mode == 0) {
                EXPECT_GT(items.size(), 10u);
            } else if (mode <= 2) {
                ASSERT_EQ(items.size(), 4u);
                const QPointF corners[4] = {{100, 600}, {900, 600}, {900, 80}, {100, 80}};
                for (int i = 0; i < 4; ++i) {
                    EXPECT_NEAR(items[size_t(i)].line.x1(), corners[i].x(), 1);
                    EXPECT_NEAR(items[size_t(i)].line.y1(), corners[i].y(), 1);
                }
            } else {
                EXPECT_TRUE(items.empty());
            }
        }
    }
}

// What each end of the dialog takes into the record.
TEST_F(FigGraphTest, EndCodesOfTheGraphDialog) {
    QvGraphData start;
    start.xMaxShowS = QStringLiteral("10");
    start.integral = {QStringLiteral("0"), QStringLiteral("1"), 2, -1, 1, QStringLiteral("I")};
    start.derivative = {QStringLiteral("1"), 3, 1, QStringLiteral("D")};
    start.intersection.state = 9;
    start.functions[4].expression = QStringLiteral("Y=X");

    QvGraphData dialog(start);
    dialog.xMaxShowS = QStringLiteral("20");
    dialog.ShowGrid = 7;
    dialog.AutoScale = 3;
    dialog.functions[4].expression = QStringLiteral("Y=2X");
    dialog.xNotate = QStringLiteral("t");
    dialog.integral = {QStringLiteral("-1"), QStringLiteral("2"), 4, 5, 0, QStringLiteral("J")};
    dialog.derivative = {QStringLiteral("0.5"), 4, 0, QStringLiteral("E")};

    struct Case {
        int code;
        bool takesSettings;
        int functionA, function;
    } cases[] = {{1, true, -1, -1}, {5, false, -1, -1}, {6, true, -1, 4},
                 {7, true, 4, -1},  {2, false, 2, 3},   {0, false, 2, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        QvGraphData r(start);
        r.intersection.state = 9;
        QvApplyGraphDialog(r, dialog, c.code);
        EXPECT_EQ(r.xMaxShowS, c.takesSettings ? QStringLiteral("20") : QStringLiteral("10"));
        EXPECT_EQ(r.xNotate, c.takesSettings ? QStringLiteral("t") : start.xNotate);
        EXPECT_EQ(r.functions[4].expression,
                  c.takesSettings ? QStringLiteral("Y=2X") : QStringLiteral("Y=X"));
        if (c.takesSettings) {
            EXPECT_EQ(r.ShowGrid, 1);
            EXPECT_EQ(r.AutoScale, 1);
            EXPECT_EQ(r.intersection.state, 0);
        } else {
            EXPECT_EQ(r.intersection.state, 9);
        }
        EXPECT_EQ(r.integral.functionA, c.functionA);
        EXPECT_EQ(r.derivative.function, c.function);
        if (c.code == 6) {
            EXPECT_EQ(r.derivative.xText, QStringLiteral("0.5"));
            EXPECT_EQ(r.derivative.showResult, 1);
            EXPECT_EQ(r.derivative.labelText, QStringLiteral("E"));
        }
        if (c.code == 7) {
            EXPECT_EQ(r.integral.lowerText, QStringLiteral("-1"));
            EXPECT_EQ(r.integral.upperText, QStringLiteral("2"));
            EXPECT_EQ(r.integral.functionB, 5);
            EXPECT_EQ(r.integral.showResult, 1);
            EXPECT_EQ(r.integral.labelText, QStringLiteral("J"));
        }
    }
}

// Without a dialog the properties beep and change nothing; one that ends
// with an integral changes the record as one undo level.
TEST_F(FigGraphTest, PropertiesThroughTheSeamAsOneUndoLevel) {
    Drawing drawing;
    auto& doc = drawing.doc;
    auto& view = drawing.view;
    ASSERT_TRUE(doc->OnCmdMsg(ID_DRAW_SELECT));
    auto made = Dragged<QvFigGraph>();
    ASSERT_TRUE(made);
    QvFigGraph* graph = made.release();
    SetUp(graph->GraphData()->m_data, {"Y=X^2"});
    doc->AddFigure(graph);
    const QByteArray before = RecordBytes(*graph->GraphData());
    {
        MessageRecorder recorder;
        graph->EditProperties(CPoint(), CPoint());
        EXPECT_EQ(recorder.beeps, 1);
        EXPECT_EQ(RecordBytes(*graph->GraphData()), before);
    }

    QvFigGraph::PropertiesDialog::Scope dialog([&](QvGraphDialogValues& v) {
        EXPECT_EQ(v.integralFillColor, graph->GraphData()->m_fillColor);
        v.settings.integral = {QStringLiteral("0"), QStringLiteral("1"), 0, -1, 0,
                               QStringLiteral("Area")};
        v.endCode = GraphDialogIntegral;
        return true;
    });
    view->OnRButtonUp(Qt::NoModifier, CPoint(8000, 14000));
    EXPECT_EQ(graph->GraphData()->m_data.integral.functionA, 0);
    EXPECT_EQ(graph->GraphData()->m_data.integral.showResult, 1);
    doc->OnEditUndo();
    EXPECT_EQ(RecordBytes(*graph->GraphData()), before);
    doc->OnEditRedo();
    EXPECT_EQ(graph->GraphData()->m_data.integral.functionA, 0);
}

// The record: common fields, version 1, the settings in their own form.
// One stored below version 1 keeps the defaults and reads nothing more.
TEST_F(FigGraphTest, RecordsInTheFile) {
    auto graph = Dragged<QvFigGraph>();
    auto line = Dragged<QvFigNumberLine>();
    ASSERT_TRUE(graph && line);
    SetUp(graph->GraphData()->m_data, {"Y=X^2", "Y=SIN(X)"});
    line->LineData()->m_data.m_xMaxShow = QStringLiteral("12");
    struct Case {
        QvEditData* record;
        CObject* settings;
    } cases[] = {{graph->GraphData(), &graph->GraphData()->m_data},
                 {line->LineData(), &line->LineData()->m_data}};
    for (const Case& c : cases) {
        const QByteArray bytes = RecordBytes(*c.record);
        QvEditData common;
        common.CopyCommon(*c.record);
        EXPECT_EQ(bytes.left(16), RecordBytes(common));
        EXPECT_EQ(bytes.mid(16, 2), Hex("01 00"));
        EXPECT_EQ(bytes.mid(18), RecordBytes(*c.settings));
    }

    QvEditData common;
    common.m_fillColor = 0x0A0B0C;
    const QByteArray old = RecordBytes(common) + Hex("00 00") + Hex("51 76 53 00");
    QvEditDataFunction back;
    back.m_data.xMaxShowS = QStringLiteral("kept");
    QBuffer buffer;
    buffer.setData(old);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    back.Serialize(ar);
    DWORD next = 0;
    ar >> next;
    EXPECT_EQ(next, 0x00537651u);
    EXPECT_EQ(back.m_fillColor, 0x0A0B0Cu);
    EXPECT_EQ(back.m_data.xMaxShowS, QStringLiteral("kept"));
}

// Save, open, save: a graph with three functions, an integral and a picked
// point, and a number line, come back byte for byte; a file cut short is
// refused with the usual message and opens nothing.
TEST_F(FigGraphTest, DrawingWithAGraphAndANumberLineSavesTheSameTwice) {
    Lumbrel2App app;
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.kw2"));
    const QString second = dir.filePath(QStringLiteral("second.kw2"));
    auto doc = std::make_unique<Lumbrel2Doc>();
    auto graph = Dragged<QvFigGraph>();
    auto line = Dragged<QvFigNumberLine>(QvPoint(1000, 5000), QvPoint(15000, 2000));
    ASSERT_TRUE(graph && line);
    QvGraphData& d = graph->GraphData()->m_data;
    SetUp(d, {"Y=X^2", "Y=SIN(X)", "X=Y^2"});
    d.integral = {QStringLiteral("0"), QStringLiteral("1"), 0, -1, 1, QStringLiteral("Area")};
    d.functions[0].selectedPoint = 1;
    line->LineData()->m_data.m_xMinShow = QStringLiteral("-3");
    line->LineData()->m_data.m_Graphs[0].m_Expression = QStringLiteral("X>1");
    const QByteArray graphRecord = Store(graph.get());
    doc->AddFigure(graph.release());
    doc->AddFigure(line.release());
    ASSERT_TRUE(doc->OnSaveDocument(first));

    auto opened = std::make_unique<Lumbrel2Doc>();
    ASSERT_TRUE(opened->OnOpenDocument(first));
    ASSERT_EQ(opened->GetFigureCount(), 2);
    auto* back = dynamic_cast<QvFigGraph*>(opened->GetFigure(0));
    ASSERT_TRUE(back);
    EXPECT_EQ(Store(back), graphRecord);
    EXPECT_EQ(back->GraphData()->m_data.functions[2].expression, QStringLiteral("X=Y^2"));
    EXPECT_EQ(back->GraphData()->m_data.integral.functionA, 0);
    EXPECT_EQ(back->GraphData()->m_data.functions[0].selectedPoint, 1);
    auto* backLine = dynamic_cast<QvFigNumberLine*>(opened->GetFigure(1));
    ASSERT_TRUE(backLine);
    EXPECT_EQ(backLine->LineData()->m_data.m_Graphs[0].m_Expression, QStringLiteral("X>1"));
    ASSERT_TRUE(opened->OnSaveDocument(second));
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray bytes = a.readAll();
    EXPECT_EQ(bytes, b.readAll());

    const QString cut = dir.filePath(QStringLiteral("cut.kw2"));
    for (qsizetype n : {bytes.size() - 1, bytes.size() / 2, qsizetype(40)}) {
        SCOPED_TRACE(n);
        QFile out(cut);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes.left(n));
        out.close();
        MessageRecorder recorder;
        Lumbrel2Doc broken;
        EXPECT_FALSE(broken.OnOpenDocument(cut));
        EXPECT_EQ(broken.GetFigureCount(), 0);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text, CDocument::InvalidFormatMessage(cut));
    }
}

// A number line figure on paper draws its line, scale and intervals inside
// its frame (a thick interval's arrowhead may reach half a millimetre past
// its end).  Kept as a picture.
TEST_F(FigGraphTest, NumberLineFigureOnPaper) {
    auto line = Dragged<QvFigNumberLine>(QvPoint(1000, 9000), QvPoint(15000, 5000));
    ASSERT_TRUE(line);
    QvNumberLineData& d = line->LineData()->m_data;
    d.m_Graphs[0].m_Expression = QStringLiteral("X<=-3");
    d.m_Graphs[1].m_Expression = QStringLiteral("-1<X<=2");
    Paper paper;
    paper.Draw(*line);
    paper.image.save(QStringLiteral(LUMBREL_BINARY_DIR "/number_line_figure.png"));
    QRect ink;
    for (int y = 0; y < paper.image.height(); ++y)
        for (int x = 0; x < paper.image.width(); ++x)
            if (paper.image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    const QRect frame(QPoint(1000 * 300 / 2540, (16000 - 9000) * 300 / 2540),
                      QPoint(15000 * 300 / 2540, (16000 - 5000) * 300 / 2540));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(frame.adjusted(-8, -2, 8, 2).contains(ink)) << ink.x() << "," << ink.y() << " "
                                                            << ink.width() << "x" << ink.height();
}

// A pasted graph shades its integral with its own fill: changing it leaves
// the source's area as it was.
TEST_F(FigGraphTest, PastedGraphShadesWithItsOwnFill) {
    Lumbrel2App app;
    auto doc = std::make_unique<Lumbrel2Doc>();
    auto made = Dragged<QvFigGraph>(QvPoint(500, 15500), QvPoint(15500, 500));
    ASSERT_TRUE(made);
    QvGraphData& d = made->GraphData()->m_data;
    SetUp(d, {"Y=X^2"});
    d.integral = {QStringLiteral("0"), QStringLiteral("2"), 0, -1, 0, QString()};
    made->GraphData()->m_fillStyle = LONG(ID_FILL_SOLID);
    made->GraphData()->m_fillColor = RGB(255, 0, 0);
    QvFigGraph* graph = made.release();
    doc->AddFigure(graph);
    doc->AddToSelection(graph);
    doc->OnEditCopy();
    doc->OnEditPaste();
    ASSERT_EQ(doc->GetFigureCount(), 2);
    auto* pasted = dynamic_cast<QvFigGraph*>(doc->GetFigure(1));
    ASSERT_TRUE(pasted && pasted != graph);
    pasted->SetFillColour(RGB(0, 0, 255));

    Paper paper;
    auto inside = [&](QvFigGraph& f) {
        paper.Draw(f);
        const QvGraph& g = f.Engine();
        // Under x^2 at x = 1.3, off every grid line.
        return paper.image.pixel(int(g.XToDevice(1.3) * 300 / 2540),
                                 int((16000 - g.YToDevice(0.7)) * 300 / 2540));
    };
    EXPECT_EQ(inside(*graph), qRgb(255, 0, 0));
    EXPECT_EQ(inside(*pasted), qRgb(0, 0, 255));
}

// Redrawing an unchanged graph compiles nothing again, though the record's
// functions stay marked for compiling, and the record's bytes stay as
// they were.
TEST_F(FigGraphTest, RedrawsCompileNothingAgain) {
    for (const BYTE autoScale : {0, 1}) {
        SCOPED_TRACE(autoScale ? "Auto Scale" : "window as typed");
        auto graph = Dragged<QvFigGraph>(QvPoint(500, 15500), QvPoint(15500, 500));
        ASSERT_TRUE(graph);
        SetUp(graph->GraphData()->m_data, {"Y=X^2", "R=2", "X=Y^2", "X=3COS(T);Y=SIN(T)", "Y>X"});
        graph->GraphData()->m_data.AutoScale = autoScale;
        const QByteArray bytes = RecordBytes(*graph->GraphData());
        Paper paper;
        paper.Draw(*graph);
        const QImage first = paper.image;
        int compiles[QvGraph::kFunctionCount];
        for (int i = 0; i < QvGraph::kFunctionCount; ++i) {
            compiles[i] = graph->Engine().functionObjects[i].compileCount;
            EXPECT_GE(compiles[i], 1);
        }
        for (int pass = 0; pass < 2; ++pass) {
            paper.Draw(*graph);
            EXPECT_EQ(paper.image, first);
        }
        for (int i = 0; i < QvGraph::kFunctionCount; ++i) {
            EXPECT_EQ(graph->Engine().functionObjects[i].compileCount, compiles[i]) << i;
            EXPECT_EQ(graph->GraphData()->m_data.functions[i].dirty, 1) << i;
        }
        EXPECT_EQ(RecordBytes(*graph->GraphData()), bytes);
    }
}

// Whatever changes a drawn graph, its next drawing is the one a graph never
// drawn before makes of the changed record.  Run once with the record's
// functions still marked for compiling, and once clean, as a pick leaves
// them.
TEST_F(FigGraphTest, EveryChangeDrawsTheChangedFunctions) {
    Drawing drawing;
    auto& doc = drawing.doc;
    auto& view = drawing.view;
    ASSERT_TRUE(doc->OnCmdMsg(ID_DRAW_SELECT));
    const QvPoint a(500, 15500), b(15500, 500);
    auto made = Dragged<QvFigGraph>(a, b);
    ASSERT_TRUE(made);
    QvFigGraph* graph = made.release();
    SetUp(graph->GraphData()->m_data, {"Y=X^2", "Y=3SIN(X)"});
    doc->AddFigure(graph);

    QByteArray stored; // a record with other functions, to load
    {
        auto other = Dragged<QvFigGraph>(a, b);
        SetUp(other->GraphData()->m_data, {"Y=4-X^2", "Y=2SIN(X)"});
        stored = RecordBytes(*other->GraphData());
    }
    auto dialog = [&](const char* text) {
        QvFigGraph::PropertiesDialog::Scope scope([&](QvGraphDialogValues& v) {
            v.settings.functions[2].expression = QString::fromLatin1(text);
            v.endCode = GraphDialogOk;
            return true;
        });
        view->OnRButtonUp(Qt::NoModifier, CPoint(8000, 8000));
    };
    auto data = [&]() -> QvGraphData& { return graph->GraphData()->m_data; };

    struct Case {
        const char* what;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"edit the text", [&] { data().functions[0].expression = QStringLiteral("Y=2-X"); }},
        {"edit the domain", [&] { data().functions[0].rangeText = QStringLiteral("-1<X<3"); }},
        {"angle mode", [&] { data().AngleType = data().AngleType == 1 ? 0 : 1; }},
        {"window", [&] {
             data().xMaxShowS = data().xMaxShowS == QLatin1String("3") ? QStringLiteral("4")
                                                                       : QStringLiteral("3");
         }},
        {"dialog OK", [&] { dialog("Y=X-1"); }},
        {"dialog OK again", [&] { dialog("Y=1-X/3"); }},
        {"undo", [&] { doc->OnEditUndo(); }},
        {"undo again", [&] { doc->OnEditUndo(); }},
        {"redo", [&] { doc->OnEditRedo(); }},
        {"load", [&] {
             QBuffer buffer(&stored);
             buffer.open(QIODevice::ReadOnly);
             CArchive ar(&buffer, CArchive::load);
             graph->GraphData()->Serialize(ar);
         }},
    };

    Paper paper;
    auto fresh = [&](QvFigGraph* of = nullptr) {
        if (!of)
            of = graph;
        auto reference =
            Dragged<QvFigGraph>(of->DisplayPoints()[0], of->DisplayPoints()[2]);
        reference->GraphData()->CopyFrom(*of->GraphData());
        for (QvGraphDataFunction& f : reference->GraphData()->m_data.functions)
            f.dirty = 1;
        paper.Draw(*reference);
        return paper.image;
    };
    for (const BYTE autoScale : {0, 1})
        for (const bool picked : {false, true}) {
            for (const Case& c : cases) {
                SCOPED_TRACE(testing::Message() << c.what << (picked ? ", clean record" : "")
                                                << (autoScale ? ", Auto Scale" : ""));
                // Auto Scale does not show the window as typed.
                if (autoScale && std::string(c.what) == "window")
                    continue;
                data().AutoScale = autoScale;
                paper.Draw(*graph);
                const QImage before = paper.image;
                if (picked)
                    graph->FindPointsAt(0, 0); // nothing there, but the record comes back clean
                c.change();
                data().AutoScale = autoScale; // a loaded record brings its own
                paper.Draw(*graph);
                const QImage after = paper.image;
                EXPECT_NE(after, before);
                EXPECT_EQ(after, fresh());
            }
        }

    // A pasted graph draws the functions it was copied with.
    doc->AddToSelection(graph);
    doc->OnEditCopy();
    doc->OnEditPaste();
    ASSERT_EQ(doc->GetFigureCount(), 2);
    auto* pasted = dynamic_cast<QvFigGraph*>(doc->GetFigure(1));
    ASSERT_TRUE(pasted);
    paper.Draw(*pasted);
    const QImage copy = paper.image;
    EXPECT_EQ(copy, fresh(pasted));
}

// A click with the select tool on the one selected graph picks there; the
// pick stays in the record.
TEST_F(FigGraphTest, ClickOnTheSelectedGraphPicksAPoint) {
    Drawing drawing;
    auto& doc = drawing.doc;
    auto& view = drawing.view;
    ASSERT_TRUE(doc->OnCmdMsg(ID_DRAW_SELECT));
    auto made = Dragged<QvFigGraph>(QvPoint(1000, 25000), QvPoint(15000, 11000));
    ASSERT_TRUE(made);
    QvFigGraph* graph = made.release();
    SetUp(graph->GraphData()->m_data, {"Y=X^2-2X"});
    doc->AddFigure(graph);
    view->PageImage(); // drawn once, as the window would be
    const QvGraph& g = graph->Engine();
    const CPoint minimum(int(g.XToDevice(1)), int(g.YToDevice(-1)));
    view->OnLButtonDown(Qt::NoModifier, minimum);
    view->OnLButtonUp(Qt::NoModifier, minimum);
    ASSERT_EQ(doc->GetSelectedCount(), 1);
    const QvGraphDataFunction& f = graph->GraphData()->m_data.functions[0];
    ASSERT_GE(f.selectedPoint, 0);
    EXPECT_EQ(graph->Engine().functionObjects[0].analysedPoints[f.selectedPoint].kind, 8);
    EXPECT_EQ(graph->GraphData()->m_data.calcShown, 1);
}

} // namespace
