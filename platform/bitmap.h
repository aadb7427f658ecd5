#pragma once
// Bitmaps as the drawing code knows them: bitmaps in the screen's format
// (32 bits a pixel, drawn on through CDC), palettes, and the device-
// independent layout that .bmp files and DIB sections share: an info
// header, a colour table or bit-field masks, then the rows, bottom-up
// unless the height is negative, each padded to four bytes.
#include "platform/gdi_types.h"

#include <QImage>

#include <cstddef>
#include <vector>

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;

struct BITMAPINFOHEADER {
    static constexpr DWORD Size = 40; // bytes as stored
    DWORD biSize = Size;
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = BI_RGB;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;

    // Little-endian, as stored in files: 40 bytes.
    void Store(BYTE* out) const;
    static BITMAPINFOHEADER Read(const BYTE* in);
};

struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

// A header with room for the largest colour table.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
};

struct LOGPALETTE {
    WORD palVersion = 0x300;
    WORD palNumEntries = 0;
    PALETTEENTRY palPalEntry[256];
};

// Little-endian access to stored bytes.
inline WORD ReadWord(const BYTE* p) {
    return WORD(p[0] | (p[1] << 8));
}
inline DWORD ReadDword(const BYTE* p) {
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}
inline void StoreWord(BYTE* p, WORD v) {
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}
inline void StoreDword(BYTE* p, DWORD v) {
    for (int i = 0; i < 4; ++i)
        p[i] = BYTE(v >> (8 * i));
}

// A bit-field mask of 16- and 32-bit DIBs as shifts: the right shift
// drops the bits below the mask's run of ones, and the run is then scaled
// to eight bits.
struct QvBitField {
    DWORD mask = 0;
    int right = 0; // trailing zero bits
    int bits = 0;  // length of the run of ones above them

    explicit QvBitField(DWORD m);
    // The component of pixel `p`, as eight bits.
    BYTE Of(DWORD p) const {
        const DWORD v = (p & mask) >> right;
        // A run wider than a byte keeps its top eight bits (a left shift by
        // 8 minus its length would be negative).
        if (bits > 8)
            return BYTE(v >> (bits - 8));
        return BYTE((v & 0xFF) << (8 - bits));
    }
    // An eight-bit component placed in the mask.
    DWORD Pack(BYTE c) const;
};

// A palette: only its colours, since no surface here maps through one.
class CPalette {
public:
    // 1 to 256 entries; false otherwise.
    BOOL CreatePalette(const LOGPALETTE* log);
    BOOL DeleteObject();
    bool IsCreated() const { return !m_entries.empty(); }
    int GetEntryCount() const { return int(m_entries.size()); }
    // Copies up to `count` entries from `start`; returns how many.
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;

private:
    std::vector<PALETTEENTRY> m_entries;
};

// A bitmap in the screen's format.
class CBitmap {
public:
    // Larger bitmaps are refused rather than tried.
    static constexpr int MaxSide = 32767;
    static constexpr qint64 MaxBytes = qint64(256) << 20;

    // A bitmap like the screen's of width x height pixels; false (and no
    // bitmap) when the size is not positive, too large, or not to be had.
    BOOL CreateCompatibleBitmap(int width, int height);
    BOOL DeleteObject();
    bool IsCreated() const { return !m_image.isNull(); }
    CSize GetSize() const { return CSize(m_image.width(), m_image.height()); }
    // The screen's depth.
    static constexpr int GetBitsPixel() { return 32; }
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};

// The bitmap's pixels as a bottom-up 32-bit DIB without compression, the
// way the system hands out a screen bitmap's bits; false without a bitmap.
bool GetDIBits32(const CBitmap& bitmap, BITMAPINFOHEADER* header, std::vector<BYTE>* bits);
