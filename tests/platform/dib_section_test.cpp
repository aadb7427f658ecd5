// DIB sections: .bmp files written and read back, files that lie about
// their sizes, the halftone palette, drawing a section and drawing into
// one, and memory contexts.
#include "platform/dib_section.h"
#include "platform/mem_dc.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

DWORD DwordAt(const QByteArray& bytes, int at) {
    return ReadDword(reinterpret_cast<const BYTE*>(bytes.constData()) + at);
}

BITMAPINFO Header(int width, int height, int bitCount, DWORD clrUsed = 0) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biBitCount = WORD(bitCount);
    info.bmiHeader.biClrUsed = clrUsed;
    return info;
}

// A 3 x 2 24-bit file: the top row red, green, blue; the bottom row white,
// black, grey.  Rows are 12 bytes; stored bottom-up unless `topDown`.
QByteArray Bmp24(bool topDown = false) {
    const QByteArray top = QByteArray::fromHex("0000ff00ff00ff0000000000");
    const QByteArray bottom = QByteArray::fromHex("ffffff000000808080000000");
    QByteArray bytes(54, '\0');
    auto* p = reinterpret_cast<BYTE*>(bytes.data());
    p[0] = 'B';
    p[1] = 'M';
    StoreDword(p + 2, 54 + 24);
    StoreDword(p + 10, 54);
    BITMAPINFOHEADER h;
    h.biWidth = 3;
    h.biHeight = topDown ? -2 : 2;
    h.biBitCount = 24;
    h.Store(p + 14);
    bytes += topDown ? top + bottom : bottom + top;
    return bytes;
}

class DibSectionTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(DibSectionTest, SavedFilesHaveTheirBitsAfterHeaderAndTable) {
    struct Case {
        const char* what;
        int bitCount;
        DWORD clrUsed;
        DWORD offset;
        int paletteEntries;
    };
    const Case cases[] = {
        {"24 bits: no table, halftone palette", 24, 0, 54, 256},
        {"8 bits using 16 colours", 8, 16, 118, 16},
        {"4 bits", 4, 0, 118, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BITMAPINFO info = Header(5, 3, c.bitCount, c.clrUsed);
        for (int i = 0; i < 16; ++i)
            info.bmiColors[i] = RGBQUAD{BYTE(i), BYTE(2 * i), BYTE(3 * i), 0};
        std::vector<BYTE> bits(QvDIBSection::BytesPerLine(5, c.bitCount) * 3);
        for (size_t i = 0; i < bits.size(); ++i)
            bits[i] = BYTE(i * 13 % 16);
        QvDIBSection dib;
        ASSERT_TRUE(dib.SetBitmapBits(&info, bits.data(), bits.size()));
        EXPECT_EQ(dib.GetPalette().GetEntryCount(), c.paletteEntries);
        ASSERT_TRUE(dib.Save(Path("s.bmp")));
        const QByteArray file = ReadAll(Path("s.bmp"));
        EXPECT_EQ(file.left(2), QByteArray("BM"));
        EXPECT_EQ(DwordAt(file, 10), c.offset);
        EXPECT_EQ(DwordAt(file, 2), DWORD(file.size()));
        EXPECT_EQ(file.size(), qsizetype(c.offset + bits.size()));

        QvDIBSection back;
        ASSERT_TRUE(back.Load(Path("s.bmp")));
        EXPECT_EQ(back.GetColorEntryCount(), dib.GetColorEntryCount());
        EXPECT_EQ(std::vector<BYTE>(back.GetBits(), back.GetBits() + back.GetBitsSize()), bits);
        EXPECT_EQ(back.ToImage(), dib.ToImage());
    }
}

TEST_F(DibSectionTest, BottomUpAndTopDownFilesReadTheSame) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        WriteAll(Path("in.bmp"), Bmp24(topDown));
        QvDIBSection dib;
        QString error;
        ASSERT_TRUE(dib.Load(Path("in.bmp"), &error)) << error.toStdString();
        EXPECT_EQ(dib.GetSize(), CSize(3, 2));
        const QImage image = dib.ToImage();
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 255));
        EXPECT_EQ(image.pixel(2, 1), qRgb(128, 128, 128));
        // Written back bottom-up, which another reader agrees with.
        ASSERT_TRUE(dib.Save(Path("out.bmp")));
        EXPECT_EQ(QImage(Path("out.bmp")).convertToFormat(QImage::Format_RGB32),
                  image.convertToFormat(QImage::Format_RGB32));
    }
}

// Run under AddressSanitizer too: every refusal must come before a read
// past the bytes there are.
TEST_F(DibSectionTest, ShortOrLyingFilesAreRefused) {
    auto with = [](std::function<void(QByteArray&)> change) {
        QByteArray b = Bmp24();
        change(b);
        return b;
    };
    auto dword = [](QByteArray& b, int at, DWORD v) {
        StoreDword(reinterpret_cast<BYTE*>(b.data()) + at, v);
    };
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* error;
    };
    const Case cases[] = {
        {"empty", QByteArray(), "not a Windows bitmap"},
        {"not BM", with([](QByteArray& b) { b[0] = 'X'; }), "not a Windows bitmap"},
        {"cut in the file header", Bmp24().left(10), "not a Windows bitmap"},
        {"cut in the info header", Bmp24().left(40), "ends inside the bitmap's header"},
        {"core header", with([&](QByteArray& b) { dword(b, 14, 12); }), "header of 12 bytes"},
        {"V5 header", with([&](QByteArray& b) { dword(b, 14, 124); }), "header of 124 bytes"},
        {"V4 header", with([&](QByteArray& b) { dword(b, 14, 108); }), "header of 108 bytes"},
        {"last row cut", Bmp24().left(54 + 23), "ends before the bitmap's last row"},
        {"height larger than the rows", with([&](QByteArray& b) { dword(b, 22, 3); }),
         "ends before the bitmap's last row"},
        {"bits past the end", with([&](QByteArray& b) { dword(b, 10, 0x7FFFFFF0); }),
         "ends before the bitmap's last row"},
        {"bits inside the header", with([&](QByteArray& b) { dword(b, 10, 20); }),
         "overlap its header"},
        {"huge width", with([&](QByteArray& b) { dword(b, 18, 0x7FFFFFFF); }), "too large"},
        // Sides whose product of row bytes and rows leaves 64 bits.
        {"huge width and height", with([&](QByteArray& b) {
             dword(b, 18, 0x7FFFFFFF);
             dword(b, 22, 0x7FFFFFFF);
         }),
         "too large"},
        {"negative width", with([&](QByteArray& b) { dword(b, 18, DWORD(-3)); }), "not valid"},
        {"lowest height", with([&](QByteArray& b) { dword(b, 22, 0x80000000u); }), "not valid"},
        {"7 bits a pixel", with([&](QByteArray& b) { b[28] = 7; }), "7 bits a pixel"},
        {"run-length", with([&](QByteArray& b) { dword(b, 30, BI_RLE8); }), "Compressed"},
        {"8 bits, table cut", with([&](QByteArray& b) { b[28] = 8; }), "colour table"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAll(Path("bad.bmp"), c.bytes);
        QvDIBSection dib;
        QString error;
        EXPECT_FALSE(dib.Load(Path("bad.bmp"), &error));
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.error))) << error.toStdString();
        EXPECT_TRUE(dib.IsEmpty());
    }

    // The stated file size is no limit either way: only the rows are read.
    for (DWORD stated : {DWORD(0), DWORD(60), DWORD(1000000)}) {
        WriteAll(Path("size.bmp"), with([&](QByteArray& b) {
                     dword(b, 2, stated);
                     b += QByteArray(100, 'x'); // trailing bytes
                 }));
        QvDIBSection dib;
        ASSERT_TRUE(dib.Load(Path("size.bmp")));
        EXPECT_EQ(dib.GetBitsSize(), 24u);
    }

    // Bits handed in memory are copied only as far as they go.
    BITMAPINFO info = Header(3, 2, 24);
    const BYTE few[5] = {1, 2, 3, 4, 5};
    QvDIBSection dib;
    ASSERT_TRUE(dib.SetBitmapBits(&info, few, sizeof few));
    EXPECT_EQ(dib.GetBits()[4], 5);
    EXPECT_EQ(dib.GetBits()[5], 0);
}

// Header fields the bitmap does not use (planes, a colour count past the
// table) are not written back: the file written reads back as it was.
TEST_F(DibSectionTest, OddHeaderFieldsDoNotStopTheWrittenFileReadingBack) {
    QByteArray bytes(14 + 40 + 8 + 4, '\0');
    auto* p = reinterpret_cast<BYTE*>(bytes.data());
    p[0] = 'B';
    p[1] = 'M';
    StoreDword(p + 10, 14 + 40 + 8);
    BITMAPINFOHEADER h;
    h.biWidth = 3;
    h.biHeight = 1;
    h.biPlanes = 776;
    h.biBitCount = 1;
    h.biClrUsed = 2130652416;
    h.biClrImportant = 2130652416;
    h.Store(p + 14);
    p[14 + 40 + 4] = 0xFF; // the second colour is blue
    p[14 + 40 + 8] = 0xA0;
    WriteAll(Path("odd.bmp"), bytes);
    QvDIBSection dib;
    ASSERT_TRUE(dib.Load(Path("odd.bmp")));
    ASSERT_TRUE(dib.Save(Path("first.bmp")));
    QvDIBSection back;
    QString error;
    ASSERT_TRUE(back.Load(Path("first.bmp"), &error)) << error.toStdString();
    ASSERT_TRUE(back.Save(Path("second.bmp")));
    QFile first(Path("first.bmp")), second(Path("second.bmp"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), second.readAll());
    EXPECT_EQ(back.GetBits()[0], 0xA0);
}

TEST(DibSection, HalftonePalettes) {
    // The table's entries are red, green, blue: its named colours (dark red
    // at 1, sky blue at 9, cream at 246) come out as such.
    const PALETTEENTRY* t = QvDIBSection::StandardPalette();
    auto rgb = [](const PALETTEENTRY& e) { return qRgb(e.peRed, e.peGreen, e.peBlue); };
    EXPECT_EQ(rgb(t[1]), qRgb(128, 0, 0));
    EXPECT_EQ(rgb(t[9]), qRgb(166, 202, 240));
    EXPECT_EQ(rgb(t[10]), qRgb(44, 0, 0));       // the cube, red first
    EXPECT_EQ(rgb(t[15]), qRgb(0, 44, 0));       // then green
    EXPECT_EQ(rgb(t[222]), qRgb(255, 255, 255)); // the cube's last
    EXPECT_EQ(rgb(t[223]), qRgb(17, 17, 17));    // the greys
    EXPECT_EQ(rgb(t[246]), qRgb(255, 251, 240));
    EXPECT_EQ(rgb(t[249]), qRgb(255, 0, 0));

    struct Case {
        int asked, entries;
        QRgb first, last, eighth;
    };
    const Case cases[] = {
        {0, 256, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(192, 220, 192)},
        {300, 256, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(192, 220, 192)},
        {2, 2, qRgb(0, 0, 0), qRgb(255, 255, 255), 0},
        {5, 16, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(128, 128, 128)},
        {17, 256, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(192, 220, 192)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        CPalette palette;
        ASSERT_TRUE(QvDIBSection::CreateHalftonePalette(&palette, c.asked));
        ASSERT_EQ(palette.GetEntryCount(), c.entries);
        PALETTEENTRY e[256];
        palette.GetPaletteEntries(0, 256, e);
        EXPECT_EQ(rgb(e[0]), c.first);
        EXPECT_EQ(rgb(e[c.entries - 1]), c.last);
        if (c.entries > 2) {
            EXPECT_EQ(rgb(e[8]), c.eighth);
        }
    }
}

TEST(DibSection, DrawsAndIsDrawnInto) {
    // A 4-bit picture of 2 x 2 with the halftone's first and last 8 colours.
    BITMAPINFO info = Header(2, 2, 4);
    const BYTE bits[8] = {0x9F, 0, 0, 0, 0x10, 0, 0, 0}; // bottom: 9 15; top: 1 0
    QvDIBSection dib;
    ASSERT_TRUE(dib.SetBitmapBits(&info, bits, sizeof bits));
    CPalette halftone;
    QvDIBSection::CreateHalftonePalette(&halftone, 16);
    ASSERT_TRUE(dib.SetPalette(&halftone));
    const QImage picture = dib.ToImage();
    EXPECT_EQ(picture.pixel(0, 0), qRgb(128, 0, 0));
    EXPECT_EQ(picture.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(picture.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(1, 1), qRgb(255, 255, 255));

    // Drawn at its size, then stretched, onto a memory context.
    QvMemDC dc(10, 10, nullptr, RGB(0, 255, 0));
    ASSERT_TRUE(dib.Draw(&dc, CPoint(1, 1)));
    ASSERT_TRUE(dib.Stretch(&dc, CPoint(4, 4), CSize(4, 4)));
    std::unique_ptr<CBitmap> bitmap = dc.DetachBitmap();
    ASSERT_TRUE(bitmap);
    const QImage& page = bitmap->Image();
    EXPECT_EQ(page.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(page.pixel(1, 1), qRgb(128, 0, 0));
    EXPECT_EQ(page.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(3, 3), qRgb(0, 255, 0));
    EXPECT_EQ(page.pixel(5, 5), qRgb(128, 0, 0));
    EXPECT_EQ(page.pixel(7, 6), qRgb(255, 255, 255));
    // Drawing after the bitmap left goes nowhere.
    dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 0));
    EXPECT_EQ(page.pixel(0, 0), qRgb(0, 255, 0));

    // Drawing into it keeps the nearest table colour.
    CDC* into = dib.GetMemoryDC();
    ASSERT_TRUE(into);
    into->FillSolidRect(0, 0, 1, 1, RGB(250, 10, 5));
    ASSERT_TRUE(dib.ReleaseMemoryDC());
    EXPECT_EQ(dib.GetBits()[4] >> 4, 9); // pure red
    EXPECT_EQ(dib.ToImage().pixel(1, 1), qRgb(255, 255, 255));
}

TEST(MemDC, OwnsAFilledBitmapUntilDetached) {
    QvMemDC none(0, 5);
    EXPECT_EQ(none.GetBitmap(), nullptr);
    EXPECT_EQ(none.DetachBitmap(), nullptr);
    none.FillSolidRect(0, 0, 5, 5, 0); // harmless

    CDC* reference = nullptr;
    QvMemDC ref(2, 2);
    ref.SetMapMode(MM_HIMETRIC);
    reference = &ref;
    QvMemDC dc(4, 3, reference, RGB(10, 20, 30));
    EXPECT_EQ(dc.GetMapMode(), MM_HIMETRIC);
    std::unique_ptr<CBitmap> bitmap = dc.DetachBitmap();
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->GetSize(), CSize(4, 3));
    EXPECT_EQ(bitmap->Image().pixel(3, 2), qRgb(10, 20, 30));
    EXPECT_EQ(dc.GetBitmap(), nullptr);
}
