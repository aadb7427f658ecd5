#include "common/test_support.h"
#include "document/lumbrel2_view.h"
#include "document_test_support.h"
#include "platform/dc.h"
#include "shell/doc_template.h"
#include "shell/print_info.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QTemporaryDir>

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
    EXPECT_TRUE(view->OnCmdMsg(32775));
    EXPECT_EQ(doc->GetFigureCount(), 0);
    doc->OnEditUndo();
    EXPECT_EQ(doc->GetFigureCount(), 1);
}

} // namespace

namespace {

TEST(DocumentClasses, FileNewOpensADrawingInADrawingView) {
    CMultiDocTemplate docTemplate(129, LumbrelDocumentClasses());
    CDocument* doc = docTemplate.OpenDocumentFile(QString());
    ASSERT_TRUE(dynamic_cast<Lumbrel2Doc*>(doc));
    ASSERT_EQ(doc->Views().size(), 1u);
    EXPECT_TRUE(dynamic_cast<Lumbrel2View*>(doc->Views().front()));
}

} // namespace
