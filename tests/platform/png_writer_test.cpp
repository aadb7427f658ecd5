// The DIB to PNG converter and the web-picture surface: pixels and their
// order after decoding, the chunks written, and DIBs that must be refused
// without reading past what was given.
#include "platform/bitmap.h"
#include "platform/png_writer.h"
#include "platform/web_image_dc.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A DIB in memory: the header block (40 bytes, then masks or colours) and
// exactly the bytes of its rows.
struct Dib {
    std::vector<BYTE> header;
    std::vector<BYTE> bits;

    Dib(int width, int height, int bitCount, DWORD compression = BI_RGB, DWORD clrUsed = 0) {
        BITMAPINFOHEADER h;
        h.biWidth = width;
        h.biHeight = height;
        h.biBitCount = WORD(bitCount);
        h.biCompression = compression;
        h.biClrUsed = clrUsed;
        header.resize(BITMAPINFOHEADER::Size);
        h.Store(header.data());
        const size_t stride = ((size_t(width) * bitCount + 31) / 32) * 4;
        bits.assign(stride * size_t(std::abs(height)), 0);
    }
    void AddDword(DWORD v) {
        header.resize(header.size() + 4);
        StoreDword(header.data() + header.size() - 4, v);
    }
    PngWriteRequest Request(int colorType) const {
        PngWriteRequest r;
        r.header = header.data();
        r.headerBytes = header.size();
        r.bits = bits.data();
        r.bitsBytes = bits.size();
        r.colorType = colorType;
        return r;
    }
};

struct Written {
    BOOL ok = FALSE;
    QByteArray bytes;
    QString message;
};

Written Write(const PngWriteRequest& r) {
    Written w;
    QBuffer buffer(&w.bytes);
    buffer.open(QIODevice::WriteOnly);
    w.ok = WriteDibAsPng(r, &buffer, &w.message);
    return w;
}

// The chunks of a PNG in order, by type.
std::vector<QByteArray> Chunks(const QByteArray& png) {
    std::vector<QByteArray> types;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const auto* p = reinterpret_cast<const uchar*>(png.constData() + at);
        const qsizetype length = (qsizetype(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
        types.push_back(png.mid(at + 4, 4));
        at += 12 + length;
    }
    return types;
}

QByteArray ChunkData(const QByteArray& png, const char* type) {
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const auto* p = reinterpret_cast<const uchar*>(png.constData() + at);
        const qsizetype length = (qsizetype(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
        if (png.mid(at + 4, 4) == type)
            return png.mid(at + 8, length);
        at += 12 + length;
    }
    return {};
}

QRgb Px(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST(PngWriter, ColourDibsBecomeRgbRowsTopFirst) {
    // Each DIB is two pixels wide and two rows high; its first stored row
    // is the bottom of the picture unless the height is negative.
    struct Case {
        const char* what;
        int bitCount;
        DWORD compression;
        std::vector<DWORD> masks;
        bool topDown;
        std::vector<DWORD> firstStored; // two pixels
        std::vector<DWORD> lastStored;
        QRgb top0, top1, bottom0;
    };
    const Case cases[] = {
        {"24-bit",
         24,
         BI_RGB,
         {},
         false,
         {0x0000FF, 0x00FF00},
         {0xFF0000, 0x123456},
         0xFF0000,
         0x123456,
         0x0000FF},
        {"24-bit top-down",
         24,
         BI_RGB,
         {},
         true,
         {0xFF0000, 0x123456},
         {0x0000FF, 0x00FF00},
         0xFF0000,
         0x123456,
         0x0000FF},
        {"32-bit, top byte dropped",
         32,
         BI_RGB,
         {},
         false,
         {0xFF000080, 0},
         {0xAA102030, 0},
         0x102030,
         0,
         0x000080},
        {"16-bit 5-5-5",
         16,
         BI_RGB,
         {},
         false,
         {0x7C00, 0},
         {0x7FFF, 0x001F},
         0xF8F8F8,
         0x0000F8,
         0xF80000},
        // Red in bits 11-15: right shift 11, left shift 3.
        {"16-bit 5-6-5 bit fields",
         16,
         BI_BITFIELDS,
         {0xF800, 0x07E0, 0x001F},
         false,
         {0x07E0, 0},
         {0xF800, 0x001F},
         0xF80000,
         0x0000F8,
         0x00FC00},
        // Ten bits a component keep their top eight.
        {"32-bit 10-10-10 bit fields",
         32,
         BI_BITFIELDS,
         {0x3FF00000, 0x000FFC00, 0x000003FF},
         false,
         {0x000FFC00, 0},
         {0x3FF00000, 0x00000200},
         0xFF0000,
         0x000080,
         0x00FF00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Dib dib(2, c.topDown ? -2 : 2, c.bitCount, c.compression);
        for (DWORD m : c.masks)
            dib.AddDword(m);
        const size_t stride = dib.bits.size() / 2;
        const int bytes = c.bitCount / 8;
        for (int x = 0; x < 2; ++x) {
            for (int b = 0; b < bytes; ++b) {
                dib.bits[x * bytes + b] = BYTE(c.firstStored[x] >> (8 * b));
                dib.bits[stride + x * bytes + b] = BYTE(c.lastStored[x] >> (8 * b));
            }
        }
        const Written w = Write(dib.Request(PngWriteRequest::Rgb));
        ASSERT_TRUE(w.ok) << w.message.toStdString();
        const QByteArray ihdr = ChunkData(w.bytes, "IHDR");
        EXPECT_EQ(ihdr[8], 8); // bit depth
        EXPECT_EQ(ihdr[9], 2); // RGB
        const QImage image = QImage::fromData(w.bytes, "PNG");
        ASSERT_EQ(image.size(), QSize(2, 2));
        EXPECT_EQ(Px(image, 0, 0), c.top0);
        EXPECT_EQ(Px(image, 1, 0), c.top1);
        EXPECT_EQ(Px(image, 0, 1), c.bottom0);
    }
}

TEST(PngWriter, PalettesAndGreyKeepTheirDepth) {
    // 1 bit, no colours-used: a two-entry palette.
    Dib mono(9, 1, 1);
    const BYTE table[] = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0}; // red, then blue
    mono.header.insert(mono.header.end(), table, table + sizeof table);
    mono.bits[0] = 0x80; // the first pixel is entry 1
    mono.bits[1] = 0x80; // so is the ninth
    Written w = Write(mono.Request(PngWriteRequest::Palette));
    ASSERT_TRUE(w.ok) << w.message.toStdString();
    EXPECT_EQ(ChunkData(w.bytes, "PLTE"), QByteArray("\xFF\x00\x00\x00\x00\xFF", 6));
    QImage image = QImage::fromData(w.bytes, "PNG");
    EXPECT_EQ(Px(image, 0, 0), 0x0000FFu);
    EXPECT_EQ(Px(image, 1, 0), 0xFF0000u);
    EXPECT_EQ(Px(image, 8, 0), 0x0000FFu);
    // A transparent colour clears the palette entries of that colour.
    PngWriteRequest clear = mono.Request(PngWriteRequest::Palette);
    const PngColor16 blue{0, 0, 255};
    clear.transparentColor = &blue;
    EXPECT_EQ(ChunkData(Write(clear).bytes, "tRNS"), QByteArray("\xFF\x00", 2));

    // 16-bit grey, three pixels wide: rows of 8 bytes, not the 12 a 24-bit
    // row would take, and samples stored low byte first.
    Dib grey(3, 2, 16);
    ASSERT_EQ(grey.bits.size(), 16u);
    StoreWord(grey.bits.data() + 8, 0x1234); // top row, first pixel
    StoreWord(grey.bits.data() + 4, 0xFFFF); // bottom row, last pixel
    w = Write(grey.Request(PngWriteRequest::Grey));
    ASSERT_TRUE(w.ok) << w.message.toStdString();
    image = QImage::fromData(w.bytes, "PNG");
    ASSERT_EQ(image.format(), QImage::Format_Grayscale16);
    EXPECT_EQ(reinterpret_cast<const quint16*>(image.constScanLine(0))[0], 0x1234);
    EXPECT_EQ(reinterpret_cast<const quint16*>(image.constScanLine(1))[2], 0xFFFF);
}

TEST(PngWriter, RefusedDibsWriteNothing) {
    struct Case {
        const char* what;
        Dib dib;
        int colorType;
        size_t headerBytes; // 0: all of it
        size_t bitsBytes;   // 0: all of them
        int transparent;
        const char* message;
    };
    auto core = [] {
        Dib d(2, 2, 24);
        StoreDword(d.header.data(), 12);
        return d;
    };
    auto headerSize = [](DWORD size) {
        Dib d(2, 2, 24);
        StoreDword(d.header.data(), size);
        return d;
    };
    const Case cases[] = {
        {"core header", core(), 2, 0, 0, 0, "DIB has BITMAPCOREHEADER.\n\rUnsupported DIB type."},
        {"odd header", headerSize(64), 2, 0, 0, 0, "Invalid DIB BITMAPINFOHEADER"},
        {"V4 header cut short", headerSize(108), 2, 0, 0, 0, "Invalid DIB BITMAPINFOHEADER"},
        {"run-length", Dib(2, 2, 8, BI_RLE8), 3, 0, 0, 0,
         "DIB Compression Type: 1, not supported."},
        {"transparent entries", Dib(2, 2, 24), 2, 0, 0, 300,
         "Illegal # of transparent entries in palette: 300."},
        {"24 bits as palette", Dib(2, 2, 24), 3, 0, 0, 0,
         "Bit depth of 24 is invalid\nfor color type 3."},
        {"8 bits as RGB", Dib(2, 2, 8), 2, 0, 0, 0, "Bit depth of 8 is invalid\nfor color type 2."},
        {"colours used above 2", Dib(2, 2, 1, BI_RGB, 3), 3, 0, 0, 0,
         "Invalid biClrUsed field value: 3"},
        {"colour type", Dib(2, 2, 24), 5, 0, 0, 0, "Invalid color type: 5"},
        {"32-bit compression", Dib(2, 2, 32, 7), 2, 0, 0, 0, "Invalid DIB Compression Type: 7."},
        {"rows cut short", Dib(3, 2, 24), 2, 0, 23, 0, "shorter than its rows"},
        {"masks missing", Dib(2, 2, 16, BI_BITFIELDS), 2, 0, 0, 0, "masks are missing"},
        {"colour table missing", Dib(2, 2, 8), 3, 0, 0, 0, "colour table is missing"},
        {"no width", Dib(0, 2, 24), 2, 0, 0, 0, "Invalid DIB size"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PngWriteRequest r = c.dib.Request(c.colorType);
        if (c.headerBytes)
            r.headerBytes = c.headerBytes;
        if (c.bitsBytes)
            r.bitsBytes = c.bitsBytes;
        r.transparentCount = c.transparent;
        const Written w = Write(r);
        EXPECT_FALSE(w.ok);
        EXPECT_TRUE(w.message.contains(QString::fromLatin1(c.message))) << w.message.toStdString();
        EXPECT_TRUE(w.bytes.isEmpty());
    }
}

namespace {
int g_rows = 0;
void CountRow(unsigned, int) {
    ++g_rows;
}
} // namespace

TEST(PngWriter, InterlacedRowsGoThroughSevenPasses) {
    Dib dib(8, 8, 24);
    for (size_t i = 0; i < dib.bits.size(); ++i)
        dib.bits[i] = BYTE(i * 7);
    PngWriteRequest r = dib.Request(PngWriteRequest::Rgb);
    r.interlace = 1;
    r.rowCallback = CountRow;
    g_rows = 0;
    const Written w = Write(r);
    ASSERT_TRUE(w.ok);
    // Eight rows of eight pixels hold 1 + 1 + 1 + 2 + 2 + 4 + 4 rows of
    // the seven passes.
    EXPECT_EQ(g_rows, 15);
    EXPECT_EQ(ChunkData(w.bytes, "IHDR")[12], 1); // Adam7
    r.interlace = 0;
    g_rows = 0;
    const Written plain = Write(r);
    EXPECT_EQ(g_rows, 8);
    EXPECT_EQ(QImage::fromData(w.bytes, "PNG"), QImage::fromData(plain.bytes, "PNG"));
}

TEST(PngWriter, AFailingFileEndsTheWriteWithFalse) {
    // Writing into a buffer opened for reading fails on the first bytes;
    // the library's error must come back as false, not end the program.
    Dib dib(4, 4, 24);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QString message;
    EXPECT_FALSE(WriteDibAsPng(dib.Request(PngWriteRequest::Rgb), &buffer, &message));
    EXPECT_TRUE(message.startsWith(QStringLiteral("Pnglib error"))) << message.toStdString();
}

TEST(WebImageDC, WritesTheSurfaceWithItsTextAndTime) {
    CWebImageDC dc;
    ASSERT_TRUE(dc.Create(CSize(30, 20)));
    dc.FillBackground(RGB(255, 255, 255));
    dc.FillSolidRect(0, 0, 30, 5, RGB(0, 0, 255)); // the top rows
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(dc.WritePng(&buffer, TRUE, FALSE, RGB(255, 255, 255)));

    const std::vector<QByteArray> chunks = Chunks(bytes);
    auto has = [&](const char* type) {
        return std::find(chunks.begin(), chunks.end(), QByteArray(type)) != chunks.end();
    };
    EXPECT_TRUE(has("tIME"));
    EXPECT_FALSE(has("gAMA"));
    EXPECT_FALSE(has("tRNS"));
    EXPECT_EQ(ChunkData(bytes, "tEXt"), QByteArray("Software\0CWebImageDC / PNG", 26));
    const QImage image = QImage::fromData(bytes, "PNG");
    ASSERT_EQ(image.size(), QSize(30, 20));
    EXPECT_EQ(Px(image, 3, 0), 0x0000FFu);
    EXPECT_EQ(Px(image, 3, 19), 0xFFFFFFu);

    // With the transparent option the colour is named in a tRNS chunk.
    bytes.clear();
    buffer.seek(0);
    ASSERT_TRUE(dc.WritePng(&buffer, FALSE, TRUE, RGB(255, 255, 255)));
    EXPECT_EQ(ChunkData(bytes, "tRNS"), QByteArray("\0\xFF\0\xFF\0\xFF", 6));
}

TEST(WebImageDC, FailuresLeaveNoFile) {
    CWebImageDC none;
    EXPECT_FALSE(none.Create(CSize(0, 10)));
    none.FillBackground(RGB(255, 255, 255)); // goes nowhere, harmlessly
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none.png"));
    QString error;
    EXPECT_FALSE(none.WritePng(path, TRUE, FALSE, 0, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    CWebImageDC dc;
    ASSERT_TRUE(dc.Create(CSize(4, 4)));
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/x.png"));
    EXPECT_FALSE(dc.WritePng(missing, TRUE, FALSE, 0, &error));
    EXPECT_FALSE(QFile::exists(missing));
}
