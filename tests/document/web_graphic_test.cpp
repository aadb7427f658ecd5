// Tools > Web Graphics: pictures of the drawing and of a section of the
// page as PNG and BMP files, their sizes and orientation, the file names
// chosen, failures, and the section tool in the view.
#include "common/test_support.h"
#include "document/lumbrel2_view.h"
#include "document_test_support.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

// A document whose save dialog answers with a set name, or is cancelled.
class ExportDoc : public Lumbrel2Doc {
public:
    QString answer;
    int asked = 0;

protected:
    bool ChooseWebGraphicFile(QString& path) override {
        ++asked;
        path = answer;
        return !answer.isEmpty();
    }
};

class WebGraphicTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        TheSettings().m_MADLevel.SetValue(0);
        doc = std::make_unique<ExportDoc>();
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    QvFigure* Add(QvFigure* f) {
        doc->AddFigure(f);
        return f;
    }
    // The picture's pixels, read by Qt's own decoders.
    static QImage Read(const QString& path) {
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }
    // Rows holding anything but white.
    static std::vector<int> InkRows(const QImage& image) {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    rows.push_back(y);
                    break;
                }
            }
        }
        return rows;
    }

    TempProfile profile;
    Lumbrel2App app;
    QTemporaryDir dir;
    std::unique_ptr<ExportDoc> doc;
};

} // namespace

TEST_F(WebGraphicTest, AnEmptyDrawingIsTwentyWhitePixelsSquare) {
    for (const char* name : {"empty.png", "empty.bmp"}) {
        SCOPED_TRACE(name);
        const QString path = Path(QString::fromLatin1(name));
        ASSERT_TRUE(QString::fromLatin1(name).endsWith(QLatin1String("png"))
                        ? doc->SavePngOfDrawing(path)
                        : doc->SaveBmpOfDrawing(path));
        const QImage image = Read(path);
        ASSERT_EQ(image.size(), QSize(20, 20));
        EXPECT_TRUE(InkRows(image).empty());
    }
    // A BMP from the screen-like surface has 32 bits and no colour table.
    QFile bmp(Path(QStringLiteral("empty.bmp")));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    const QByteArray head = bmp.read(54);
    EXPECT_EQ(head.left(2), QByteArray("BM"));
    EXPECT_EQ(head[10], 54);
    EXPECT_EQ(head[28], 32);
}

TEST_F(WebGraphicTest, TheDrawingKeepsItsTopAtTheTopAndItsScale) {
    // A short line high on the page and a circle low down, 10000 units
    // across with the circle's outline.
    Add(MakeLine(QvPoint(4000, 20000), QvPoint(6000, 20000)));
    Add(MakeCircle(QvPoint(5000, 8000), 5000));
    const CRect bounds = doc->GetDrawingBounds();
    const int width = (bounds.Width() + 500) / 25;
    const int height = (bounds.Height() + 500) / 25;
    for (const char* name : {"drawing.png", "drawing.bmp"}) {
        SCOPED_TRACE(name);
        const QString path = Path(QString::fromLatin1(name));
        ASSERT_TRUE(QString::fromLatin1(name).endsWith(QLatin1String("png"))
                        ? doc->SavePngOfDrawing(path)
                        : doc->SaveBmpOfDrawing(path));
        const QImage image = Read(path);
        ASSERT_EQ(image.size(), QSize(width, height));
        // The line is 250 units (10 pixels) below the top edge, whatever
        // the pen adds to the bounds above it.
        const int lineRow = (bounds.bottom + 250 - 20000) / 25;
        EXPECT_NEAR(InkRows(image).front(), lineRow, 1);
        int darkest = 255;
        for (int y = lineRow - 1; y <= lineRow + 1; ++y)
            darkest = std::min(darkest, qGray(image.pixel(width / 2, y)));
        EXPECT_LT(darkest, 128);
        // The circle's bottom is near the picture's bottom.
        EXPECT_NEAR(InkRows(image).back(), height - 1 - 10, 2);
    }
    // The figures' own points are where they were: the picture drew them
    // offset and put them back.
    EXPECT_EQ(doc->GetDrawingBounds(), bounds);
    // Exactly 10000 units of figure and margin across give 420 pixels.
    doc->DeleteContents();
    Add(MakeLine(QvPoint(10000, 15000), QvPoint(20000, 15000)));
    const int ends = doc->GetDrawingBounds().Width() - 10000; // what the ends add
    doc->DeleteContents();
    Add(MakeLine(QvPoint(10000, 15000), QvPoint(20000 - ends, 15000)));
    ASSERT_EQ(doc->GetDrawingBounds().Width(), 10000);
    ASSERT_TRUE(doc->SavePngOfDrawing(Path(QStringLiteral("wide.png"))));
    EXPECT_EQ(Read(Path(QStringLiteral("wide.png"))).width(), 420);
}

TEST_F(WebGraphicTest, SectionsArePartsOfThePageEitherWayRound) {
    // A horizontal line 100 units below the section's top (page units from
    // the top of the page), inside its left half.
    Add(MakeLine(QvPoint(2000, 30000 - 5100), QvPoint(2400, 30000 - 5100)));
    const CRect section(2000, 5000, 3000, 5490); // 1000 x 490
    doc->answer = Path(QStringLiteral("a.png"));
    doc->SaveSection(section);
    doc->answer = Path(QStringLiteral("b.png"));
    doc->SaveSection(CRect(section.right, section.bottom, section.left, section.top));
    doc->answer = Path(QStringLiteral("c.bmp"));
    doc->SaveSection(section);
    const QImage a = Read(Path(QStringLiteral("a.png")));
    ASSERT_EQ(a.size(), QSize(40, 19));
    EXPECT_EQ(Read(Path(QStringLiteral("b.png"))), a);
    EXPECT_EQ(Read(Path(QStringLiteral("c.bmp"))), a);
    const std::vector<int> rows = InkRows(a);
    ASSERT_FALSE(rows.empty());
    EXPECT_NEAR(rows.front(), 4, 1);
    EXPECT_NE(a.pixel(8, 4), qRgb(255, 255, 255));
    EXPECT_EQ(a.pixel(30, 4), qRgb(255, 255, 255));
}

TEST_F(WebGraphicTest, TheChosenNameDecidesTheKind) {
    struct Case {
        const char* chosen;
        const char* written;
        const char* format;
    };
    const Case cases[] = {
        {"a.png", "a.png", "png"}, {"b.PNG", "b.PNG", "png"},     {"c.Bmp", "c.Bmp", "bmp"},
        {"d", "d.png", "png"},     {"e.jpg", "e.jpg.png", "png"}, {"f.", "f.png", "png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        doc->answer = Path(QString::fromLatin1(c.chosen));
        MessageRecorder messages;
        doc->OnSaveAll();
        EXPECT_TRUE(messages.messages.empty());
        const QString written = Path(QString::fromLatin1(c.written));
        QFile file(written);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray magic = file.read(2);
        EXPECT_EQ(magic, QByteArray(c.format[0] == 'p' ? "\x89P" : "BM"));
    }
    // Cancelling writes nothing and says nothing.
    const int before = int(QDir(dir.path()).entryList(QDir::Files).size());
    doc->answer.clear();
    MessageRecorder messages;
    doc->OnSaveAll();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), before);
}

TEST_F(WebGraphicTest, FailuresAreToldAndLeaveNoFile) {
    MessageRecorder messages;
    // No such folder.
    const QString missing = Path(QStringLiteral("no/such/folder/x.png"));
    EXPECT_FALSE(doc->SavePngOfDrawing(missing));
    EXPECT_FALSE(doc->SaveBmpOfDrawing(Path(QStringLiteral("no/such/folder/x.bmp"))));
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_TRUE(messages.messages[0].text.contains(QStringLiteral("could not be saved")));
    EXPECT_TRUE(messages.messages[0].text.contains(QDir::toNativeSeparators(missing)));
    // A drawing too wide for any picture.
    Add(MakeLine(QvPoint(0, 1000), QvPoint(2000000, 1000)));
    const QString wide = Path(QStringLiteral("wide.png"));
    EXPECT_FALSE(doc->SavePngOfDrawing(wide));
    EXPECT_FALSE(doc->SaveBmpOfDrawing(Path(QStringLiteral("wide.bmp"))));
    ASSERT_EQ(messages.messages.size(), 4u);
    EXPECT_TRUE(messages.messages[2].text.contains(QStringLiteral("could not be made")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(WebGraphicTest, TheSectionToolExportsItsDragAndGoesBackToSelect) {
    auto view = std::make_unique<Lumbrel2View>();
    doc->AddView(view.get());
    view->SetPixelsPerInch(96);
    view->OnInitialUpdate();
    QvFigure* line = Add(MakeLine(QvPoint(2000, 20000), QvPoint(4000, 20000)));
    doc->AddToSelection(line);

    for (const char* answer : {"drag.png", ""}) {
        SCOPED_TRACE(answer);
        doc->answer = *answer ? Path(QString::fromLatin1(answer)) : QString();
        ASSERT_TRUE(doc->OnCmdMsg(ID_WEB_SAVE_SECTION));
        EXPECT_EQ(app.m_nCurrentTool, ID_TOOL_SECTION_SELECT);
        EXPECT_EQ(doc->GetSelectedCount(), 0);
        // Dragged up and left, from page point (5000, 19000) to
        // (1000, 21000) in the view's y-up units.
        view->OnLButtonDown(Qt::NoModifier, CPoint(5000, 19000));
        view->OnMouseMove(Qt::NoModifier, CPoint(3000, 20000));
        view->OnMouseMove(Qt::NoModifier, CPoint(1000, 21000));
        view->OnLButtonUp(Qt::NoModifier, CPoint(1000, 21000));
        EXPECT_EQ(app.m_nCurrentTool, ID_DRAW_SELECT);
    }
    EXPECT_EQ(doc->asked, 2);
    const QImage image = Read(Path(QStringLiteral("drag.png")));
    ASSERT_EQ(image.size(), QSize(160, 80));
    // The line crosses the middle row from x = 40 to 120.
    EXPECT_NE(image.pixel(80, 40), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(20, 40), qRgb(255, 255, 255));
    view.reset();
}
