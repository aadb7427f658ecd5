#include "app/document_template.h"
#include "common/test_support.h"
#include "document/lumbrel2_view.h"
#include "document_test_support.h"
#include "figures/fig_text.h"
#include "framework/doc_template.h"
#include "framework/print_info.h"
#include "platform/command_ids.h"
#include "platform/dc.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <set>
#include <vector>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// A view on a document, at 96 pixels per inch: 2540 units are 96 pixels.
class ViewTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc = std::make_unique<Lumbrel2Doc>();
        // The dots would count as ink; the grid has tests of its own.
        doc->Grid().SetShown(false);
        view = std::make_unique<Lumbrel2View>();
        doc->AddView(view.get());
        view->SetPixelsPerInch(96);
        view->OnInitialUpdate();
    }
    void TearDown() override {
        view.reset();
        doc.reset();
    }
    // Ink within one pixel of (x, y).
    static bool InkNear(const QImage& image, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.rect().contains(x + dx, y + dy) && image.pixel(x + dx, y + dy) != kWhite)
                    return true;
        return false;
    }
    static int Ink(const QImage& image, const QRect& r) {
        int n = 0;
        QRect area = r.intersected(image.rect());
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixel(x, y) != kWhite;
        return n;
    }

    std::unique_ptr<Lumbrel2Doc> doc;
    std::unique_ptr<Lumbrel2View> view;
};

TEST_F(ViewTest, PageImageHoldsExactlyTheDrawing) {
    EXPECT_EQ(view->PagePixels(), 1134);
    // One inch down, from one to three inches across.
    doc->AddFigure(MakeLine(QvPoint(2540, 27460), QvPoint(7620, 27460)));
    // Centre three inches in and down, radius half an inch.
    doc->AddFigure(MakeCircle(QvPoint(7620, 22380), 1270));
    view->OnUpdate(nullptr, 0, nullptr);
    const QImage& page = view->PageImage();
    EXPECT_EQ(page.size(), QSize(1135, 1135));

    EXPECT_TRUE(InkNear(page, 96, 96));
    EXPECT_TRUE(InkNear(page, 200, 96));
    EXPECT_FALSE(InkNear(page, 200, 100));
    EXPECT_FALSE(InkNear(page, 300, 96));
    for (QPoint p : {QPoint(336, 288), QPoint(240, 288), QPoint(288, 240), QPoint(288, 336)})
        EXPECT_TRUE(InkNear(page, p.x(), p.y())) << p.x() << "," << p.y();
    EXPECT_FALSE(InkNear(page, 288, 288)); // not filled
    // Nothing else but the page edge.
    int ink = Ink(page, QRect(0, 1, 1134, 1133));
    EXPECT_LT(ink, 192 + 2 * 3 * 48 * 4);
    EXPECT_GT(ink, 192 + 4 * 48);
}

// A page drawn anew is drawn first where the window shows it, the rest when
// the program is idle; a change out of view is drawn with the next paint;
// and the page comes out the same as one drawn whole.
TEST_F(ViewTest, PageIsDrawnWhereItIsShown) {
    const auto drawnWhole = [&] {
        Lumbrel2View fresh;
        doc->AddView(&fresh);
        fresh.SetPixelsPerInch(96);
        fresh.OnInitialUpdate();
        const QImage page = fresh.PageImage().copy();
        doc->RemoveView(&fresh);
        return page;
    };
    doc->AddFigure(MakeLine(QvPoint(2540, 27460), QvPoint(7620, 27460))); // y 96
    doc->AddFigure(MakeCircle(QvPoint(7620, 22380), 1270));               // centre 288, 288
    view->OnUpdate(nullptr, 0, nullptr);

    const QRect top(0, 0, 600, 400), bottom(0, 700, 1135, 435);
    QImage shown(view->Canvas()->size(), QImage::Format_ARGB32_Premultiplied);
    const auto paint = [&](const QRect& area) {
        QPainter painter(&shown);
        view->PaintCanvas(painter, area);
    };
    paint(top);
    EXPECT_EQ(shown.copy(top), drawnWhole().copy(top).convertToFormat(shown.format()));
    // The rest is drawn when the program is next idle, before it is shown.
    QCoreApplication::processEvents();
    EXPECT_EQ(view->PageImage(QRect()), drawnWhole());

    // Added out of view (an inch above the bottom): drawn with the next
    // paint, wherever that is, and shown when scrolled to.
    QvFigure* low = MakeLine(QvPoint(2540, 2540), QvPoint(25400, 2540)); // y 1038
    doc->AddFigure(low);
    view->OnUpdate(nullptr, 0, low);
    paint(top);
    const QImage expected = drawnWhole();
    EXPECT_TRUE(InkNear(expected, 500, 1038));
    EXPECT_EQ(view->PageImage(QRect()), expected);
    paint(bottom);
    EXPECT_EQ(shown.copy(bottom), expected.copy(bottom).convertToFormat(shown.format()));
    EXPECT_EQ(view->PageImage(), expected);
}

TEST_F(ViewTest, PageEdgeOnTheScreenOnly) {
    const QImage& page = view->PageImage();
    EXPECT_NE(page.pixel(1134, 500), kWhite); // right edge
    EXPECT_NE(page.pixel(500, 0), kWhite);    // top edge
    EXPECT_EQ(page.pixel(500, 500), kWhite);

    // An empty drawing drawn as a picture has nothing in it.
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(1200, 1200));
    generator.setResolution(96);
    {
        CDC dc(&generator);
        view->OnPrepareDC(&dc);
        view->OnDraw(&dc);
    }
    EXPECT_FALSE(svg.contains("<path")) << svg.constData();
    EXPECT_FALSE(svg.contains("<polyline"));
    EXPECT_FALSE(svg.contains("<line"));
}

TEST_F(ViewTest, ChangesRepaintOnlyWhatChanged) {
    QvFigure* line = MakeLine(QvPoint(2540, 27460), QvPoint(7620, 27460));
    doc->AddFigure(line);
    view->OnUpdate(nullptr, 0, nullptr);
    view->PageImage();
    // A figure added without telling the view is not in the cached page
    // until its area is named.
    QvFigure* circle = MakeCircle(QvPoint(7620, 22380), 1270);
    doc->AddFigure(circle);
    EXPECT_FALSE(InkNear(view->PageImage(), 336, 288));
    view->OnUpdate(nullptr, 0, circle);
    EXPECT_TRUE(InkNear(view->PageImage(), 336, 288));
    // Selection grips are part of the page.
    doc->AddToSelection(line);
    doc->EndSelectionChange(line);
    EXPECT_EQ(view->PageImage().pixel(95, 94), qRgb(255, 0, 0));
}

// Figures are drawn smoothly; grips, grid dots and the rubber band by whole
// pixels, in their own colours only.
TEST_F(ViewTest, FiguresAreSmoothWhileGripsAndTheRubberBandStaySharp) {
    QvFigure* slanted = MakeLine(QvPoint(2540, 25000), QvPoint(7620, 27460));
    QvFigure* level = MakeLine(QvPoint(2540, 20000), QvPoint(7620, 20000));
    level->SetRoundGripCount(1); // its end has a round grip
    doc->AddFigure(slanted);
    doc->AddFigure(level);
    // The select tool drags a band from (1000,10000) to (3000,8000).
    view->OnLButtonDown(Qt::NoModifier, CPoint(1000, 10000));
    view->OnMouseMove(Qt::NoModifier, CPoint(3000, 8000));
    ASSERT_NE(view->GetNewFigure(), nullptr);
    doc->AddToSelection(level);
    doc->EndSelectionChange(level);
    view->OnUpdate(nullptr, 0, nullptr);
    QImage screen(1135, 1135, QImage::Format_RGB32);
    {
        QPainter painter(&screen);
        view->PaintCanvas(painter, screen.rect());
    }
    auto colours = [&](const QRect& area) {
        std::set<QRgb> seen;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                seen.insert(screen.pixel(x, y));
        return seen;
    };
    // The slanted line has pixels it covers only in part.
    QRect along = view->LogicalToCanvas(CRect(2540, 27460, 7620, 25000));
    EXPECT_GT(colours(along).size(), 4u);
    // The round grip: its grey, its black rim and the white page around.
    QRect grip = view->LogicalToCanvas(CRect(7620, 20000, 7620, 20000)).adjusted(-6, -6, 6, 6);
    EXPECT_EQ(colours(grip), (std::set<QRgb>{kWhite, qRgb(0, 0, 0), qRgb(200, 200, 200)}));
    // The rubber band: black dots on white.
    QRect band = view->LogicalToCanvas(CRect(1000, 10000, 3000, 8000)).adjusted(-2, -2, 2, 2);
    EXPECT_EQ(colours(band), (std::set<QRgb>{kWhite, qRgb(0, 0, 0)}));
}

// A 0.1 mm grid once greyed the page with a dot per pixel and took about a
// second to draw; it now draws every k-th dot and costs about what a 5 mm
// grid does.  Best of several interleaved runs, so that a busy machine does
// not decide.
TEST_F(ViewTest, AFineGridRedrawsAboutAsFastAsACoarseOne) {
    doc->Grid().SetShown(true);
    auto redraw = [&](int spacing) {
        doc->Grid().SetSpacing(spacing);
        view->InvalidatePage();
        QElapsedTimer timer;
        timer.start();
        view->PageImage();
        return timer.nsecsElapsed();
    };
    qint64 coarse = LLONG_MAX, fine = LLONG_MAX;
    for (int i = 0; i < 7; ++i) {
        coarse = std::min(coarse, redraw(500));
        fine = std::min(fine, redraw(10));
    }
    EXPECT_LT(fine, 2 * coarse) << "0.1 mm: " << fine / 1000 << " us, 5 mm: " << coarse / 1000
                                << " us";
}

TEST_F(ViewTest, SelectRectangleIsDrawnOverTheCachedPage) {
    auto paint = [&] {
        QImage screen(400, 400, QImage::Format_RGB32);
        QPainter painter(&screen);
        view->PaintCanvas(painter, QRect(0, 0, 400, 400));
        return screen;
    };
    // The select tool drags from (96,96) to (192,192).
    view->OnLButtonDown(Qt::NoModifier, CPoint(2540, 27460));
    view->OnMouseMove(Qt::NoModifier, CPoint(5080, 24920));
    ASSERT_NE(view->GetNewFigure(), nullptr);
    QImage screen = paint();
    EXPECT_GT(Ink(screen, QRect(95, 96, 3, 96)), 20);
    EXPECT_EQ(Ink(screen, QRect(100, 100, 80, 80)), 0);
    // The cached page never sees it.
    EXPECT_EQ(Ink(view->PageImage(), QRect(90, 90, 110, 110)), 0);
    view->OnLButtonUp(Qt::NoModifier, CPoint(5080, 24920));
    EXPECT_EQ(view->GetNewFigure(), nullptr);
    EXPECT_EQ(doc->GetFigureCount(), 0);
    EXPECT_EQ(Ink(paint(), QRect(90, 90, 110, 110)), 0);
}

// Where the thumb of a scroll bar lies, as its style draws it, and how dark
// it looks against the rest of its groove (mean grey, 0 black to 255 white).
struct Thumb {
    QRect rect;     // the thumb, in the bar's pixels
    QRect groove;   // the track it moves in
    double inside;  // mean grey inside the thumb
    double outside; // mean grey of the track beside it
    double start;   // where it starts along the track, 0..1
};

Thumb ThumbOf(QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    Thumb t;
    QStyle* style = bar->style();
    t.rect = style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    t.groove =
        style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar);
    const QImage image = bar->grab().toImage();
    const bool across = bar->orientation() == Qt::Horizontal;
    // Along the middle of the bar, clear of the thumb's rim.
    const QRect core = t.rect.adjusted(3, 3, -3, -3);
    double in = 0, out = 0;
    int nIn = 0, nOut = 0;
    for (int i = across ? t.groove.left() : t.groove.top();
         i <= (across ? t.groove.right() : t.groove.bottom()); ++i) {
        QPoint p = across ? QPoint(i, t.groove.center().y()) : QPoint(t.groove.center().x(), i);
        int grey = qGray(image.pixel(p));
        if (core.contains(p)) {
            in += grey;
            ++nIn;
        } else if (!t.rect.adjusted(-2, -2, 2, 2).contains(p)) {
            out += grey;
            ++nOut;
        }
    }
    t.inside = nIn ? in / nIn : 0;
    t.outside = nOut ? out / nOut : 255;
    t.start = across ? double(t.rect.left() - t.groove.left()) / t.groove.width()
                     : double(t.rect.top() - t.groove.top()) / t.groove.height();
    return t;
}

// Where the shown part of the page starts, as a share of the page.
double ShownFrom(QScrollBar* bar) {
    return double(bar->value()) / (bar->maximum() - bar->minimum() + bar->pageStep());
}

// The thumbs stand out from their grooves and sit where the window is on
// the page: at the top left at first, lower after a wheel step down, and
// back to the left when the thumb is dragged left.
TEST_F(ViewTest, ScrollThumbsShowWhereTheWindowIsOnThePage) {
    view->resize(500, 400);
    view->show();
    QCoreApplication::processEvents();
    QScrollBar* down = view->ScrollArea()->verticalScrollBar();
    QScrollBar* across = view->ScrollArea()->horizontalScrollBar();
    ASSERT_GT(down->maximum(), 0);
    ASSERT_GT(across->maximum(), 0);
    auto expectThumb = [&](QScrollBar* bar, const char* when) {
        Thumb t = ThumbOf(bar);
        EXPECT_LT(t.inside, t.outside - 40) << when << ": the thumb does not stand out";
        EXPECT_NEAR(t.start, ShownFrom(bar), 0.03) << when;
    };
    // The top-left corner of the page is shown first.
    EXPECT_EQ(down->value(), 0);
    EXPECT_EQ(across->value(), 0);
    EXPECT_EQ(view->Canvas()->pos(), QPoint(0, 0));
    expectThumb(down, "at the start");
    expectThumb(across, "at the start");
    EXPECT_LT(ThumbOf(down).start, 0.01);

    // One wheel step down shows more of the page below, and the thumb
    // follows downward.
    QWidget* viewport = view->ScrollArea()->viewport();
    QPoint middle = viewport->rect().center();
    QWheelEvent wheel(middle, viewport->mapToGlobal(middle), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    QCoreApplication::processEvents();
    EXPECT_GT(down->value(), 0);
    EXPECT_EQ(view->Canvas()->y(), -down->value());
    EXPECT_GT(ThumbOf(down).start, 0.01);
    expectThumb(down, "after a wheel step");

    // Dragging the horizontal thumb from the right end to the left shows
    // the left of the page again.
    across->setValue(across->maximum());
    QCoreApplication::processEvents();
    EXPECT_EQ(view->Canvas()->x(), -across->maximum());
    expectThumb(across, "at the right end");
    const QPoint grip = ThumbOf(across).rect.center();
    QTest::mousePress(across, Qt::LeftButton, Qt::NoModifier, grip);
    QMouseEvent move(QEvent::MouseMove, grip - QPoint(1000, 0), across->mapToGlobal(grip),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(across, &move);
    QTest::mouseRelease(across, Qt::LeftButton, Qt::NoModifier, grip - QPoint(1000, 0));
    EXPECT_EQ(across->value(), 0);
    EXPECT_EQ(view->Canvas()->x(), 0);
    expectThumb(across, "after a drag to the left");
}

// A 100 mm square paper without margins.
void SetPaper(QPrinter& printer) {
    printer.setPageSize(QPageSize(QSizeF(100, 100), QPageSize::Millimeter));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setFullPage(true);
}

int PdfPages(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray pdf = file.readAll();
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0;
         at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s")
            ++pages;
    return pages;
}

TEST_F(ViewTest, ADrawingTwiceThePapersWidthPrintsOnTwoPages) {
    // 180 mm long, with a circle near its right end.
    doc->AddFigure(MakeLine(QvPoint(1000, 20000), QvPoint(19000, 20000)));
    doc->AddFigure(MakeCircle(QvPoint(17000, 18000), 1000));

    CRect before = view->PrintExtent();
    QTemporaryDir dir;
    QString path = dir.filePath("print.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SetPaper(printer);
    EXPECT_EQ(view->PrintTo(&printer), 2);
    EXPECT_EQ(view->GetPagesAcross(), 2);
    EXPECT_EQ(view->GetPagesDown(), 1);
    EXPECT_EQ(PdfPages(path), 2);
    // Printing leaves the figures where they were.
    EXPECT_EQ(view->PrintExtent(), before);

    // Each page shows its own part: the same pages drawn on 100 mm images.
    CRect extent = view->PrintExtent();
    auto page = [&](UINT n) {
        QImage image(378, 378, QImage::Format_RGB32); // 100 mm at 96 dpi
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
        CDC dc(&image);
        CPrintInfo info;
        view->OnBeginPrinting(&dc, &info);
        EXPECT_EQ(info.GetMaxPage(), 2u);
        info.m_nCurPage = n;
        view->OnPrepareDC(&dc, &info);
        view->OnPrint(&dc, &info);
        view->OnEndPrinting(&dc, &info);
        return image;
    };
    auto px = [](double units) { return int(std::lround(units * 96 / 2540)); };
    int width = int(std::lround(378 * 2540.0 / 96));
    int lineRow = px(extent.bottom - 20000);
    int circleRow = px(extent.bottom - 18000);
    QImage first = page(1), second = page(2);
    EXPECT_TRUE(InkNear(first, px(1000 - extent.left) + 5, lineRow));
    EXPECT_TRUE(InkNear(first, 370, lineRow));
    EXPECT_TRUE(InkNear(second, 5, lineRow));
    int lineEnd = px(19000 - extent.left - width);
    EXPECT_TRUE(InkNear(second, lineEnd - 3, lineRow));
    EXPECT_FALSE(InkNear(second, lineEnd + 4, lineRow));
    // The circle's right side, on the second page only.
    EXPECT_TRUE(InkNear(second, px(18000 - extent.left - width), circleRow));
    EXPECT_EQ(Ink(first, QRect(0, circleRow - 2, 378, 5)), 0);
}

// The pages of a PDF file as grey pictures at 100 dpi, drawn by poppler's
// pdftoppm as any viewer would draw them.
std::vector<QImage> RenderPdf(const QString& pdf, const QString& prefix) {
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"),
                                                QStringLiteral("-gray"), pdf, prefix});
    EXPECT_TRUE(pdftoppm.waitForFinished(60000)) << "pdftoppm (poppler-utils) is needed";
    EXPECT_EQ(pdftoppm.exitCode(), 0);
    QFileInfo base(prefix);
    QStringList names =
        base.dir().entryList({base.fileName() + QStringLiteral("-*.pgm")}, QDir::Files, QDir::Name);
    std::vector<QImage> pages;
    for (const QString& name : names)
        pages.push_back(
            QImage(base.dir().filePath(name)).convertToFormat(QImage::Format_Grayscale8));
    return pages;
}

// The darkness of an area of a grey picture, summed.
double Darkness(const QImage& page, const QRect& area) {
    double sum = 0;
    const QRect r = area.intersected(page.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            sum += 255 - qGray(page.pixel(x, y));
    return sum;
}

// A line of text wider than the printable part of the paper is cut at the
// seam: the first page shows what lies left of it and the second page the
// rest, so the text is printed once.  Nothing reaches into the paper's
// margins, which belong to no tile.
TEST_F(ViewTest, TextAcrossThePageSeamIsPrintedOnce) {
    std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(QvFigText::ToolId);
    made->TrackCreatePoint(QvPoint(1000, 20000), {});
    made->CreateClick();
    made->TrackCreatePoint(QvPoint(15000, 17000), {});
    made->CreateClick();
    auto* box = static_cast<QvFigText*>(made.get());
    box->SetText(QStringLiteral("Hello World of printing"));
    box->TextData()->m_font.m_drawHeight = 1000; // 10 mm
    box->TextData()->m_font.m_logFont.lfHeight = -1000;
    doc->AddFigure(made.release());

    QTemporaryDir dir;
    // 100 mm square paper with 10 mm margins: two tiles of 80 mm across;
    // and one paper wide enough for the whole line.
    auto print = [&](const QString& name, double width) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(name + QStringLiteral(".pdf")));
        printer.setPageSize(QPageSize(QSizeF(width, 100), QPageSize::Millimeter));
        printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        view->PrintTo(&printer);
        return RenderPdf(dir.filePath(name + QStringLiteral(".pdf")), dir.filePath(name));
    };
    std::vector<QImage> tiles = print(QStringLiteral("tiles"), 100);
    std::vector<QImage> whole = print(QStringLiteral("whole"), 200);
    ASSERT_EQ(tiles.size(), 2u);
    ASSERT_EQ(whole.size(), 1u);

    const int margin = 38; // 10 mm at 100 dpi, less the pixels the edge blurs
    const QImage& first = tiles[0];
    const QImage& second = tiles[1];
    // Both pages have text, none of it in a margin.
    EXPECT_GT(Darkness(first, first.rect()), 0);
    EXPECT_GT(Darkness(second, second.rect()), 0);
    for (const QImage* page : {&first, &second}) {
        EXPECT_EQ(Darkness(*page, QRect(0, 0, margin, page->height())), 0);
        EXPECT_EQ(Darkness(*page, QRect(page->width() - margin, 0, margin, page->height())), 0);
    }
    // The two tiles hold as much ink as the whole line: nothing twice.
    const double once = Darkness(whole[0], whole[0].rect());
    const double tiled = Darkness(first, first.rect()) + Darkness(second, second.rect());
    EXPECT_NEAR(tiled, once, once * 0.03);
}

// The decompressed content streams of a PDF file.
QByteArray PdfContent(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QByteArray content;
    for (qsizetype at = pdf.indexOf("stream"); at >= 0; at = pdf.indexOf("stream", at + 1)) {
        if (at >= 3 && pdf.mid(at - 3, 3) == "end")
            continue;
        qsizetype from = at + 6;
        while (from < pdf.size() && (pdf[from] == '\r' || pdf[from] == '\n'))
            ++from;
        qsizetype to = pdf.indexOf("endstream", from);
        QByteArray packed = pdf.mid(from, to - from);
        QByteArray unpacked(1 << 22, '\0');
        uLongf size = uLongf(unpacked.size());
        if (uncompress(reinterpret_cast<Bytef*>(unpacked.data()), &size,
                       reinterpret_cast<const Bytef*>(packed.constData()),
                       uLong(packed.size())) == Z_OK)
            content += unpacked.left(qsizetype(size)) + '\n';
        else
            content += packed + '\n';
    }
    return content;
}

// Paper keeps the screen's look: the thinnest line is as wide as a screen
// pixel (0.26 mm), not one printer dot, and a hatch repeats at the same
// distance in millimetres as on the screen instead of every eighth dot.
TEST_F(ViewTest, PrintedHairlinesAndHatchesKeepTheirScreenSize) {
    QvFigure* circle = MakeCircle(QvPoint(5000, 25000), 2000);
    circle->SetFillStyle(ID_FILL_HORIZONTAL); // "Horizontal Fill"
    circle->SetFillColour(RGB(0, 0, 255));
    doc->AddFigure(circle);

    // The screen's hatch period, in millimetres at 96 dpi.
    const QImage& screen = view->PageImage();
    QRect box = view->LogicalToCanvas(CRect(4000, 26000, 6000, 24000));
    std::vector<int> rows;
    for (int y = box.top(); y <= box.bottom(); ++y)
        if (screen.pixel(box.center().x(), y) != kWhite)
            rows.push_back(y);
    ASSERT_GE(rows.size(), 3u);
    const double screenPeriod = (rows[2] - rows[1]) * 25.4 / 96;

    QTemporaryDir dir;
    QString path = dir.filePath("hairline.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    SetPaper(printer);
    ASSERT_EQ(view->PrintTo(&printer), 1);
    const double mmPerUnit = 25.4 / printer.resolution(); // the page is drawn in printer dots
    QList<QByteArray> words = PdfContent(path).simplified().split(' ');
    double thinnest = 1e9;
    std::vector<double> hatchRows;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words[i] == "w" && i >= 1)
            thinnest = std::min(thinnest, words[i - 1].toDouble() * mmPerUnit);
        // "x1 y m x2 y l": a level segment.
        if (words[i] == "l" && i >= 6 && words[i - 3] == "m" && words[i - 4] == words[i - 1])
            hatchRows.push_back(words[i - 1].toDouble());
    }
    EXPECT_GE(thinnest, 0.26);
    EXPECT_LT(thinnest, 0.3);
    std::sort(hatchRows.begin(), hatchRows.end());
    hatchRows.erase(std::unique(hatchRows.begin(), hatchRows.end()), hatchRows.end());
    ASSERT_GE(hatchRows.size(), 3u);
    EXPECT_NEAR((hatchRows[2] - hatchRows[1]) * mmPerUnit, screenPeriod, 0.05);
}

TEST_F(ViewTest, AnEmptyDrawingPrintsNothingAndSaysSo) {
    QTemporaryDir dir;
    QString path = dir.filePath("empty.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    EXPECT_EQ(view->PrintTo(&printer), 0);
    EXPECT_FALSE(QFile::exists(path));

    MessageRecorder recorder;
    view->OnFilePrint();
    view->OnFilePrintPreview();
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].text,
              QStringLiteral("There is nothing to print: the drawing is empty."));
}

TEST_F(ViewTest, DeleteCommandDeletesTheSelectionWithUndo) {
    QvFigure* a = MakeLine(QvPoint(0, 0), QvPoint(100, 0));
    doc->AddFigure(a);
    doc->AddToSelection(a);
    EXPECT_TRUE(view->OnCmdMsg(ID_EDIT_DELETE));
    EXPECT_EQ(doc->GetFigureCount(), 0);
    doc->OnEditUndo();
    EXPECT_EQ(doc->GetFigureCount(), 1);
}

} // namespace

namespace {

TEST(DocumentClasses, FileNewOpensADrawingInADrawingView) {
    std::unique_ptr<CMultiDocTemplate> docTemplate = MakeDrawingTemplate();
    CDocument* doc = docTemplate->OpenDocumentFile(QString());
    ASSERT_TRUE(dynamic_cast<Lumbrel2Doc*>(doc));
    ASSERT_EQ(doc->Views().size(), 1u);
    EXPECT_TRUE(dynamic_cast<Lumbrel2View*>(doc->Views().front()));
}

} // namespace
