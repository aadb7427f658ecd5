// Copy, cut, paste and duplicate, and the picture other programs get.
#include "common/test_support.h"
#include "document/clipboard_picture.h"
#include "document/undo_manager.h"
#include "document_test_support.h"
#include "figures/fig_group.h"
#include "platform/command_target.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <cmath>
#include <optional>

namespace {

// A document whose system clipboard cannot be opened.
class NoClipboardDoc : public Lumbrel2Doc {
protected:
    QClipboard* OpenClipboard() override { return nullptr; }
};

class ClipboardTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        TheSettings().m_MADLevel.SetValue(0);
        doc = std::make_unique<Lumbrel2Doc>();
        doc->Grid().SetSpacing(500);
    }
    QvFigure* Add(QvFigure* f) {
        doc->AddFigure(f);
        return f;
    }
    void Select(std::initializer_list<QvFigure*> figures) {
        doc->ClearSelection();
        for (QvFigure* f : figures)
            doc->AddToSelection(f);
        doc->EndSelectionChange(nullptr);
    }
    bool PasteEnabled() {
        CCmdUI ui;
        doc->OnUpdateEditPaste(&ui);
        return ui.m_bEnabled;
    }
    static QvPoint Start(const QvFigure* f) { return f->DefiningPoints()[0]; }

    TempProfile profile;
    Lumbrel2App app;
    std::unique_ptr<Lumbrel2Doc> doc;
};

TEST_F(ClipboardTest, EachPasteLandsOneGridStepFurtherInTheOrderSelected) {
    QvFigure* line = Add(MakeLine(QvPoint(1000, 5000), QvPoint(3000, 5000)));
    QvFigure* circle = Add(MakeCircle(QvPoint(8000, 8000), 1000));
    EXPECT_FALSE(PasteEnabled());
    Select({circle, line});
    doc->OnEditCopy();
    EXPECT_TRUE(PasteEnabled());
    // Copying changes nothing in the drawing.
    EXPECT_EQ(doc->GetFigureCount(), 2);
    EXPECT_EQ(doc->UndoManager().CanUndo(), 0);

    for (int n = 1; n <= 3; ++n) {
        doc->OnEditPaste();
        ASSERT_EQ(doc->GetFigureCount(), 2 + 2 * n);
        QvFigure* pastedCircle = doc->GetFigure(2 * n);
        QvFigure* pastedLine = doc->GetFigure(2 * n + 1);
        EXPECT_EQ(pastedCircle->GetToolId(), circle->GetToolId());
        EXPECT_EQ(pastedLine->GetToolId(), line->GetToolId());
        const QvVector step(500.0 * n, -500.0 * n);
        EXPECT_EQ(Start(pastedCircle), Start(circle) + step);
        EXPECT_EQ(Start(pastedLine), Start(line) + step);
        EXPECT_EQ(pastedLine->DefiningPoints()[1], line->DefiningPoints()[1] + step);
        // Display points follow, so the copies can be picked where they are.
        EXPECT_EQ(pastedLine->DisplayPoints()[1], pastedLine->DefiningPoints()[1]);
        EXPECT_EQ(doc->Selection(), (std::vector<QvFigure*>{pastedCircle, pastedLine}));
        EXPECT_EQ(doc->UndoManager().CanUndo(), n);
    }
    // The originals stayed where they were.
    EXPECT_EQ(Start(line), QvPoint(1000, 5000));

    // One undo takes back one paste.
    doc->OnEditUndo();
    EXPECT_EQ(doc->GetFigureCount(), 6);

    // The copies outlive the drawing they came from: with it closed, a new
    // drawing pastes them.  The system clipboard is never read.
    QGuiApplication::clipboard()->setText(QStringLiteral("text from another program"));
    doc.reset();
    Lumbrel2Doc other;
    other.DeleteContents();
    other.OnEditPaste();
    ASSERT_EQ(other.GetFigureCount(), 2);
    EXPECT_EQ(other.GetFigure(0)->GetToolId(), QvFigCircleCR::ToolId);
    EXPECT_EQ(other.GetFigure(1)->GetToolId(), QvFigLine::ToolId);
}

TEST_F(ClipboardTest, DuplicateIsOneUndoLevelAndCutThenPasteBringsTheFiguresBack) {
    QvFigure* a = Add(MakeLine(QvPoint(1000, 1000), QvPoint(2000, 2000)));
    QvFigure* b = Add(MakeCircle(QvPoint(5000, 5000), 700));
    Select({a, b});
    doc->OnEditDuplicate();
    ASSERT_EQ(doc->GetFigureCount(), 4);
    EXPECT_EQ(Start(doc->GetFigure(2)), Start(a) + QvVector(500, -500));
    EXPECT_EQ(doc->GetSelectedCount(), 2);
    EXPECT_EQ(doc->UndoManager().CanUndo(), 1);
    EXPECT_TRUE(doc->IsModified());
    doc->OnEditUndo();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{a, b}));
    EXPECT_EQ(doc->UndoManager().CanUndo(), 0);

    // Cut: gone with one undo level; Paste brings them back, a grid step on.
    Select({a, b});
    doc->OnEditCut();
    EXPECT_EQ(doc->GetFigureCount(), 0);
    EXPECT_EQ(doc->UndoManager().CanUndo(), 1);
    doc->OnEditPaste();
    ASSERT_EQ(doc->GetFigureCount(), 2);
    EXPECT_EQ(Start(doc->GetFigure(0)), QvPoint(1500, 500));
    EXPECT_EQ(doc->GetFigure(1)->GetBoundRect().Width(), b->GetBoundRect().Width());
    EXPECT_EQ(doc->UndoManager().CanUndo(), 2);
    // Undoing both steps gives the drawing as it was.
    doc->OnEditUndo();
    doc->OnEditUndo();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{a, b}));
}

TEST_F(ClipboardTest, DuplicateWithNothingSelectedEmptiesTheListAndDropsRedo) {
    QvFigure* a = Add(MakeLine(QvPoint(1000, 1000), QvPoint(2000, 2000)));
    Select({a});
    doc->OnEditDuplicate();
    doc->OnEditUndo();
    ASSERT_TRUE(doc->UndoManager().CanRedo());
    Select({});
    doc->OnEditDuplicate();
    EXPECT_TRUE(app.m_clipboardFigures.empty());
    EXPECT_EQ(doc->GetFigureCount(), 1);
    EXPECT_EQ(doc->UndoManager().CanUndo(), 0);
    EXPECT_FALSE(doc->UndoManager().CanRedo());
    // An empty picture of the empty bounds grown by the margin.
    QImage png = QImage::fromData(
        QGuiApplication::clipboard()->mimeData()->data(QvClipboardPicture::PngMime), "PNG");
    EXPECT_EQ(png.width(), std::lround(501 * 300 / 2540.0));
    EXPECT_EQ(png.height(), std::lround(500 * 300 / 2540.0));
}

TEST_F(ClipboardTest, CopyingAGalleryFigureMakesItAGroup) {
    QvFigure* a = Add(MakeLine(QvPoint(1000, 1000), QvPoint(2000, 2000)));
    QvFigure* b = Add(MakeLine(QvPoint(1000, 2000), QvPoint(2000, 1000)));
    Select({a, b});
    doc->GroupSelection();
    ASSERT_EQ(doc->GetFigureCount(), 1);
    QvFigure* placed = doc->GetFigure(0);
    placed->SetToolId(Lumbrel2Doc::GalleryFigureToolId);
    Select({placed});
    doc->OnEditDuplicate();
    EXPECT_EQ(placed->GetToolId(), QvFigGroup::ToolId);
    ASSERT_EQ(doc->GetFigureCount(), 2);
    auto* copy = dynamic_cast<QvFigGroup*>(doc->GetFigure(1));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetPartCount(), placed->GetPartCount());
}

TEST_F(ClipboardTest, AClosedClipboardIsReportedAndTheFiguresAreStillCopied) {
    NoClipboardDoc closed;
    QvFigure* a = MakeLine(QvPoint(1000, 1000), QvPoint(2000, 2000));
    closed.AddFigure(a);
    closed.AddToSelection(a);
    MessageRecorder recorder;
    closed.OnEditCopy();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "Cannot open the Clipboard");
    EXPECT_EQ(app.m_clipboardFigures.size(), 1u);
}

// ------------------------------------------------------------ the picture

// The number after `key` in a PDF's text, e.g. the MediaBox's corners.
std::optional<std::vector<double>> PdfNumbers(const QByteArray& pdf, const char* key) {
    QRegularExpression re(QStringLiteral("/%1\\s*\\[([^\\]]*)\\]").arg(QLatin1String(key)));
    auto m = re.match(QString::fromLatin1(pdf));
    if (!m.hasMatch())
        return std::nullopt;
    std::vector<double> out;
    for (const QString& part : m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out.push_back(part.toDouble());
    return out;
}

// The pHYs chunk's pixels per unit and unit, read from the PNG's bytes.
std::optional<std::tuple<quint32, quint32, int>> PngPhys(const QByteArray& png) {
    int at = png.indexOf("pHYs");
    if (at < 0 || at + 13 > png.size())
        return std::nullopt;
    auto be32 = [&](int i) {
        return (quint32(quint8(png[i])) << 24) | (quint32(quint8(png[i + 1])) << 16) |
               (quint32(quint8(png[i + 2])) << 8) | quint32(quint8(png[i + 3]));
    };
    return std::make_tuple(be32(at + 4), be32(at + 8), int(quint8(png[at + 12])));
}

bool InkNear(const QImage& image, QPoint p) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            QPoint q = p + QPoint(dx, dy);
            if (image.rect().contains(q) && qAlpha(image.pixel(q)) > 0 &&
                qGray(image.pixel(q)) < 128)
                return true;
        }
    return false;
}

TEST_F(ClipboardTest, TheClipboardOffersPdfSvgAndPngAtThePicturesTrueSize) {
    // A wide selection, so that a picture on its side would show.
    QvFigure* line = Add(MakeLine(QvPoint(2000, 10000), QvPoint(12000, 14000)));
    QvFigure* circle = Add(MakeCircle(QvPoint(20000, 20000), 500));
    CRect picture = line->GetBoundRect();
    picture.NormalizeRect();
    picture.InflateRect(250, 250);
    const double widthMm = picture.Width() / 100.0, heightMm = picture.Height() / 100.0;
    // Where a page point lands, at `perMm` pixels a millimetre.
    auto at = [&](QvPoint p, double perMm) {
        return QPoint(int(std::lround((p.x - picture.left) * perMm / 100.0)),
                      int(std::lround((picture.bottom - p.y) * perMm / 100.0)));
    };
    const QvPoint start(2000, 10000), middle(7000, 12000), end(12000, 14000);
    const QvPoint off(2000, 14000);

    const CRect before = line->GetBoundRect();
    Select({line});
    doc->OnEditCopy();
    // Drawing the picture leaves the figure where it was on the page.
    EXPECT_EQ(line->GetBoundRect(), before);
    EXPECT_TRUE(line->HitTest(middle, 10));
    EXPECT_FALSE(circle->HitTest(middle, 10));

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->hasFormat("application/pdf"));
    EXPECT_TRUE(data->hasFormat("image/svg+xml"));
    EXPECT_TRUE(data->hasFormat("image/png"));

    // PDF: a whole file whose page is the picture's size (1 pt = 25.4/72 mm,
    // the box is kept in whole points).
    QByteArray pdf = data->data("application/pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF-1."));
    EXPECT_TRUE(pdf.contains("trailer"));
    EXPECT_TRUE(pdf.contains("startxref"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    auto box = PdfNumbers(pdf, "MediaBox");
    ASSERT_TRUE(box);
    ASSERT_EQ(box->size(), 4u);
    const double pt = 25.4 / 72.0;
    EXPECT_NEAR(((*box)[2] - (*box)[0]) * pt, widthMm, pt);
    EXPECT_NEAR(((*box)[3] - (*box)[1]) * pt, heightMm, pt);

    // SVG: its size in millimetres, and the line where it belongs.
    QByteArray svg = data->data("image/svg+xml");
    QRegularExpression size(QStringLiteral("width=\"([0-9.]+)mm\" height=\"([0-9.]+)mm\""));
    auto m = size.match(QString::fromUtf8(svg));
    ASSERT_TRUE(m.hasMatch()) << svg.left(400).constData();
    EXPECT_NEAR(m.captured(1).toDouble(), widthMm, 0.05);
    EXPECT_NEAR(m.captured(2).toDouble(), heightMm, 0.05);
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(int(widthMm * 10), int(heightMm * 10), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter p(&drawn);
        renderer.render(&p);
    }
    for (QvPoint p : {start, middle, end})
        EXPECT_TRUE(InkNear(drawn, at(p, 10)));
    EXPECT_FALSE(InkNear(drawn, at(off, 10)));
    // The line's hairline pen is a screen pixel wide (12.5 of the picture's
    // 1200-dpi units), not one unit.
    QString beforeLine = QString::fromUtf8(svg.left(svg.indexOf("<polyline")));
    QRegularExpression stroke(QStringLiteral("stroke-width=\"([0-9.]+)\""));
    QString lastWidth;
    for (auto it = stroke.globalMatch(beforeLine); it.hasNext();)
        lastWidth = it.next().captured(1);
    EXPECT_EQ(lastWidth, QStringLiteral("12.5"));

    // PNG: its resolution recorded, its pixels the picture's size at it.
    QByteArray pngBytes = data->data("image/png");
    auto phys = PngPhys(pngBytes);
    ASSERT_TRUE(phys);
    EXPECT_EQ(std::get<0>(*phys), 11811u); // 300 dots per inch
    EXPECT_EQ(std::get<1>(*phys), 11811u);
    EXPECT_EQ(std::get<2>(*phys), 1); // per metre
    QImage png = QImage::fromData(pngBytes, "PNG");
    ASSERT_FALSE(png.isNull());
    const double perMm = 300 / 25.4;
    EXPECT_EQ(png.size(),
              QSize(int(std::lround(widthMm * perMm)), int(std::lround(heightMm * perMm))));
    for (QvPoint p : {start, middle, end})
        EXPECT_TRUE(InkNear(png, at(p, perMm)));
    EXPECT_FALSE(InkNear(png, at(off, perMm)));
    // Across the line, as much ink as a 0.26 mm line leaves (3.1 pixels at
    // 300 dpi, more down a slanted line's column).
    double ink = 0;
    QPoint across = at(middle, perMm);
    for (int y = across.y() - 10; y <= across.y() + 10; ++y)
        ink += qAlpha(png.pixel(across.x(), y)) / 255.0;
    EXPECT_GT(ink, 3.0);
    EXPECT_LT(ink, 4.5);
}

TEST(ClipboardPicture, ALargePictureKeepsItsPngWithinBounds) {
    // The whole page: the resolution comes down so the PNG stays in bounds,
    // and the pHYs chunk says what it became.
    QvClipboardPicture picture({}, CRect(-250, -250, 30250, 30250));
    EXPECT_EQ(picture.GetSize(), CSize(30500, 30500));
    int dpi = picture.GetPngDpi();
    EXPECT_LT(dpi, QvClipboardPicture::PngDpi);
    QByteArray bytes = picture.ToPng();
    QImage png = QImage::fromData(bytes, "PNG");
    EXPECT_LE(png.width(), QvClipboardPicture::MaxPngSide);
    EXPECT_NEAR(png.dotsPerMeterX(), dpi / 0.0254, 1.0);
    auto phys = PngPhys(bytes);
    ASSERT_TRUE(phys);
    EXPECT_NEAR(double(std::get<0>(*phys)), dpi / 0.0254, 1.0);
}

} // namespace
