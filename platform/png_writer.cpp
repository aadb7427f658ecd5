#include "platform/png_writer.h"

#include "platform/bitmap.h"

#include <QIODevice>

#include <png.h>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <ctime>
#include <new>
#include <vector>

namespace {

// What the library's callbacks reach through its pointers.
struct PngSink {
    QIODevice* file = nullptr;
    void (*row)(unsigned, int) = nullptr;
    char error[200] = {};
};

// Plain values only: RunLibpng may be left by a longjmp.
struct PngJob {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 8;
    int colorType = PNG_COLOR_TYPE_RGB;
    int interlace = 0;
    const png_color* palette = nullptr;
    int paletteSize = 0;
    double gamma = -1.0;
    png_text* texts = nullptr;
    int textCount = 0;
    int writeTime = 0;
    png_const_bytep alpha = nullptr;
    int transparentCount = 0;
    const png_color_16* transparentColor = nullptr;
    bool rowCallback = false;
    bool swap16 = false;
    png_bytep* rows = nullptr;
};

void PngWriteToCFile(png_structp png, png_bytep data, size_t length) {
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    if (sink->file->write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length))
        png_error(png, "The file could not be written.");
}

void PngFlush(png_structp) {}

void PngRowDone(png_structp png, png_uint_32 row, int pass) {
    static_cast<PngSink*>(png_get_io_ptr(png))->row(row, pass);
}

[[noreturn]] void PngError(png_structp png, png_const_charp text) {
    auto* sink = static_cast<PngSink*>(png_get_error_ptr(png));
    std::snprintf(sink->error, sizeof sink->error, "%s", text);
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// Errors in the library come back to the setjmp here, so nothing in this
// function may need destroying.
bool RunLibpng(png_structp png, png_infop info, PngSink* sink, const PngJob* job) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, sink, PngWriteToCFile, PngFlush);
    if (job->rowCallback)
        png_set_write_status_fn(png, PngRowDone);
    png_set_IHDR(png, info, job->width, job->height, job->bitDepth, job->colorType,
                 job->interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (job->paletteSize > 0 && job->colorType != PNG_COLOR_TYPE_GRAY &&
        job->colorType != PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_PLTE(png, info, job->palette, job->paletteSize);
    if (job->gamma > 0)
        png_set_gAMA(png, info, job->gamma);
    if (job->textCount > 0)
        png_set_text(png, info, job->texts, job->textCount);
    if (job->writeTime) {
        std::time_t now = std::time(nullptr);
        std::tm utc;
        png_time stamp;
        gmtime_r(&now, &utc);
        png_convert_from_struct_tm(&stamp, &utc);
        png_set_tIME(png, info, &stamp);
    }
    if (job->transparentColor || (job->transparentCount > 0 && job->alpha))
        png_set_tRNS(png, info, job->alpha, job->transparentCount, job->transparentColor);
    // Pictures of drawings are mostly flat paper: the difference from the
    // pixel to the left at a low zlib level packs them within a few per cent
    // of the library's default (every filter tried on every row, level 6) at
    // a third of the time.  Palette rows stay unfiltered, as is usual.
    png_set_compression_level(png, 3);
    if (job->colorType != PNG_COLOR_TYPE_PALETTE && job->bitDepth >= 8)
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    // DIB samples of 16 bits are stored low byte first.
    if (job->swap16)
        png_set_swap(png);
    int passes = job->interlace ? png_set_interlace_handling(png) : 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 i = 0; i < job->height; ++i)
            png_write_row(png, job->rows[i]);
    }
    png_write_end(png, info);
    return true;
}

size_t Stride(size_t width, int bitCount) {
    return ((width * size_t(bitCount) + 31) / 32) * 4;
}

} // namespace

BOOL WriteDibAsPng(const PngWriteRequest& r, QIODevice* file, QString* message) {
    auto fail = [message](const QString& text) {
        if (message)
            *message = text;
        return FALSE;
    };
    if (!file)
        return fail(QStringLiteral("There is no file to write to."));
    if (!r.header || r.headerBytes < BITMAPINFOHEADER::Size) {
        if (r.header && r.headerBytes >= 4 && ReadDword(r.header) == 12)
            return fail(QStringLiteral("DIB has BITMAPCOREHEADER.\n\rUnsupported DIB type."));
        return fail(QStringLiteral("Invalid DIB BITMAPINFOHEADER"));
    }
    const DWORD headerSize = ReadDword(r.header);
    if (headerSize == 12)
        return fail(QStringLiteral("DIB has BITMAPCOREHEADER.\n\rUnsupported DIB type."));
    if ((headerSize != 40 && headerSize != 108) || r.headerBytes < headerSize)
        return fail(QStringLiteral("Invalid DIB BITMAPINFOHEADER"));
    const BITMAPINFOHEADER h = BITMAPINFOHEADER::Read(r.header);
    if (h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4)
        return fail(
            QString::asprintf("DIB Compression Type: %d, not supported.", int(h.biCompression)));
    if (r.transparentCount < 0 || r.transparentCount > 256)
        return fail(QString::asprintf("Illegal # of transparent entries in palette: %d.",
                                      r.transparentCount));
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT_MIN)
        return fail(
            QString::asprintf("Invalid DIB size: %d by %d.", int(h.biWidth), int(h.biHeight)));
    const size_t width = size_t(h.biWidth);
    const size_t height = size_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    const int bitCount = h.biBitCount;
    auto badDepth = [&] {
        return fail(QString::asprintf("Bit depth of %d is invalid\nfor color type %d.", bitCount,
                                      r.colorType));
    };

    PngJob job;
    job.width = png_uint_32(width);
    job.height = png_uint_32(height);
    job.colorType = r.colorType;
    job.interlace = r.interlace;
    job.gamma = r.gamma;
    job.writeTime = r.writeTime;
    job.rowCallback = r.rowCallback != nullptr;
    int maxColours = 0;
    switch (r.colorType) {
    case PngWriteRequest::Grey:
        if (bitCount != 1 && bitCount != 2 && bitCount != 4 && bitCount != 8 && bitCount != 16)
            return badDepth();
        job.bitDepth = bitCount;
        job.swap16 = bitCount == 16;
        break;
    case PngWriteRequest::Rgb:
        if (bitCount != 16 && bitCount != 24 && bitCount != 32)
            return badDepth();
        job.bitDepth = 8;
        break;
    case PngWriteRequest::Palette:
        if (bitCount != 1 && bitCount != 2 && bitCount != 4 && bitCount != 8)
            return badDepth();
        maxColours = 1 << bitCount;
        if (h.biClrUsed > DWORD(maxColours))
            return fail(QString::asprintf("Invalid biClrUsed field value: %d", int(h.biClrUsed)));
        job.bitDepth = bitCount;
        break;
    default:
        return fail(QString::asprintf("Invalid color type: %d", r.colorType));
    }

    // Every row must be there; the caller's buffer is all that may be read.
    const size_t srcStride = Stride(width, bitCount);
    if (!r.bits || height > r.bitsBytes / srcStride)
        return fail(QStringLiteral("The DIB's bits are shorter than its rows."));
    const bool bitFields = h.biCompression == BI_BITFIELDS;
    const bool convert = r.colorType == PngWriteRequest::Rgb;
    if (convert && bitCount != 24 && h.biCompression != BI_RGB && !bitFields)
        return fail(QString::asprintf("Invalid DIB Compression Type: %d.", int(h.biCompression)));
    // Bit-field masks follow the 40 bytes of the header in both header sizes.
    if (convert && bitCount != 24 && bitFields && r.headerBytes < 40 + 12)
        return fail(QStringLiteral("The DIB's bit-field masks are missing."));

    try {
        std::vector<png_color> palette;
        std::vector<BYTE> alpha;
        png_color_16 transparent{};
        if (r.colorType == PngWriteRequest::Palette) {
            const int n = h.biClrUsed ? int(h.biClrUsed) : maxColours;
            if (n < 1 || n > maxColours)
                return fail(QString::asprintf("Illegal num_colors: %d", n));
            if (r.headerBytes < headerSize + 4 * size_t(n))
                return fail(QStringLiteral("The DIB's colour table is missing."));
            palette.resize(size_t(n));
            const BYTE* table = r.header + headerSize;
            for (int i = 0; i < n; ++i)
                palette[size_t(i)] = {table[4 * i + 2], table[4 * i + 1], table[4 * i]};
            job.palette = palette.data();
            job.paletteSize = n;
            if (r.alpha && r.transparentCount > 0) {
                job.alpha = r.alpha;
                job.transparentCount = std::min(r.transparentCount, n);
            } else if (r.transparentColor) {
                // Only a colour: the entries of that colour become clear.
                const PngColor16& c = *r.transparentColor;
                for (int i = 0; i < n; ++i) {
                    const png_color& e = palette[size_t(i)];
                    if (e.red == c.red && e.green == c.green && e.blue == c.blue) {
                        alpha.resize(size_t(i) + 1, 255);
                        alpha[size_t(i)] = 0;
                    }
                }
                job.alpha = alpha.empty() ? nullptr : alpha.data();
                job.transparentCount = int(alpha.size());
            }
        } else if (r.transparentColor) {
            transparent.red = r.transparentColor->red;
            transparent.green = r.transparentColor->green;
            transparent.blue = r.transparentColor->blue;
            transparent.gray = r.transparentColor->red;
            job.transparentColor = &transparent;
        }

        std::vector<BYTE> converted;
        const BYTE* base = r.bits;
        size_t stride = srcStride;
        if (convert) {
            stride = Stride(width, 24);
            converted.assign(stride * height, 0);
            const QvBitField red(bitFields ? ReadDword(r.header + 40) : 0);
            const QvBitField green(bitFields ? ReadDword(r.header + 44) : 0);
            const QvBitField blue(bitFields ? ReadDword(r.header + 48) : 0);
            for (size_t y = 0; y < height; ++y) {
                const BYTE* s = r.bits + y * srcStride;
                BYTE* d = converted.data() + y * stride;
                for (size_t x = 0; x < width; ++x, d += 3) {
                    if (bitCount == 24) {
                        d[0] = s[3 * x + 2];
                        d[1] = s[3 * x + 1];
                        d[2] = s[3 * x];
                        continue;
                    }
                    const DWORD p = bitCount == 16 ? ReadWord(s + 2 * x) : ReadDword(s + 4 * x);
                    if (bitFields) {
                        d[0] = red.Of(p);
                        d[1] = green.Of(p);
                        d[2] = blue.Of(p);
                    } else if (bitCount == 16) {
                        d[0] = BYTE((p >> 7) & 0xF8);
                        d[1] = BYTE((p >> 2) & 0xF8);
                        d[2] = BYTE((p & 0x1F) << 3);
                    } else {
                        d[0] = BYTE(p >> 16);
                        d[1] = BYTE(p >> 8);
                        d[2] = BYTE(p);
                    }
                }
            }
            base = converted.data();
        }

        // The DIB's last stored row is the picture's top unless it is stored
        // top-down.
        std::vector<png_bytep> rows(height);
        for (size_t i = 0; i < height; ++i) {
            size_t source = h.biHeight < 0 ? i : height - 1 - i;
            rows[i] = const_cast<png_bytep>(base + source * stride);
        }
        job.rows = rows.data();

        std::vector<png_text> texts(r.texts ? size_t(std::max(0, r.textCount)) : 0);
        for (size_t i = 0; i < texts.size(); ++i) {
            texts[i] = png_text{};
            texts[i].compression = r.texts[i].compression;
            texts[i].key = const_cast<png_charp>(r.texts[i].key);
            texts[i].text = const_cast<png_charp>(r.texts[i].text);
        }
        job.texts = texts.data();
        job.textCount = int(texts.size());

        PngSink sink;
        sink.file = file;
        sink.row = r.rowCallback;
        png_structp png =
            png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, PngError, PngWarning);
        if (!png)
            return fail(QStringLiteral("Pnglib couldn't create a write structure."));
        png_infop info = png_create_info_struct(png);
        if (!info) {
            png_destroy_write_struct(&png, nullptr);
            return fail(QStringLiteral("Pnglib couldn't create an info structure."));
        }
        const bool written = RunLibpng(png, info, &sink, &job);
        png_destroy_write_struct(&png, &info);
        if (!written)
            return fail(QStringLiteral("Pnglib error [from setjmp()].\n") +
                        QString::fromLocal8Bit(sink.error));
        return TRUE;
    } catch (const std::bad_alloc&) {
        return fail(QStringLiteral("Couldn't allocate enough memory"));
    }
}
