#pragma once
// A device-independent bitmap kept in memory: 1, 4, 8, 16, 24 or 32 bits
// a pixel with its colour table or bit-field masks, a palette for it,
// drawing it onto a context, drawing into it, and .bmp files.
//
// The rows are kept bottom-up whatever order they came in.  Every size in
// a header is checked against the bytes actually given or read, so a short
// or lying file is refused, never read past.
#include "platform/bitmap.h"
#include "platform/object.h"

#include <QString>

#include <memory>
#include <vector>

class CDC;

class QvDIBSection : public CObject {
public:
    QvDIBSection() = default;
    ~QvDIBSection() override;
    QvDIBSection(const QvDIBSection&) = delete;
    QvDIBSection& operator=(const QvDIBSection&) = delete;

    // Colour-table entries (bit-field masks for 16 and 32 bits with
    // BI_BITFIELDS) that a header of this kind is followed by.
    static int NumColorEntries(int bitCount, DWORD compression, DWORD coloursUsed);
    // Bytes of one row, padded to four.
    static size_t BytesPerLine(int width, int bitCount);
    // The 256 colours halftone palettes are taken from.
    static const PALETTEENTRY* StandardPalette();
    // A palette of 2, 16 or 256 of the standard colours: 2 for fewer than
    // 3 colours, 16 for fewer than 17, 256 otherwise and for a count
    // outside 1 to 256.
    static BOOL CreateHalftonePalette(CPalette* palette, int colours);
    // No surface here maps colours through a palette.
    static BOOL IsPaletteDevice(CDC*) { return FALSE; }

    // Empties the section.
    void DeleteObject();
    bool IsEmpty() const { return m_bits.empty(); }
    int GetBitCount() const { return m_info.bmiHeader.biBitCount; }
    CSize GetSize() const { return CSize(m_info.bmiHeader.biWidth, m_info.bmiHeader.biHeight); }
    int GetHeight() const { return m_info.bmiHeader.biHeight; }
    const BYTE* GetBits() const { return m_bits.data(); }
    size_t GetBitsSize() const { return m_bits.size(); }
    const BITMAPINFO* GetBitmapInfo() const { return &m_info; }
    const RGBQUAD* GetColorTable() const { return m_info.bmiColors; }
    int GetColorEntryCount() const { return m_nEntries; }
    const CPalette& GetPalette() const { return m_palette; }

    // Every Set and Load empties the section first and leaves it empty when
    // it fails; `error` (when given) then says why.
    // A section of the header's kind with `bitsBytes` of `bits` (none: all
    // zero) copied in, at most as many as its rows hold.
    BOOL SetBitmapBits(const BITMAPINFO* info, const void* bits, size_t bitsBytes,
                       QString* error = nullptr);
    // A section holding the bitmap's pixels; the palette, when given,
    // becomes the section's.
    BOOL SetBitmap(const CBitmap* bitmap, const CPalette* palette);
    // Reads a .bmp file (a Qt resource path too).
    BOOL Load(const QString& path, QString* error = nullptr);
    // Writes a .bmp file, which appears only once complete.
    BOOL Save(const QString& path, QString* error = nullptr) const;
    BOOL Copy(const QvDIBSection& other);

    // Colour tables and palettes; the table functions need a section of 8
    // bits or fewer.
    BOOL SetColorTable(UINT count, const RGBQUAD* colours);
    BOOL CreateSparePalette();
    BOOL SetPalette(const CPalette* palette);
    BOOL SetLogPalette(const LOGPALETTE* log);
    BOOL FillDIBColorTable(UINT count, const PALETTEENTRY* entries);

    // Smooth drawing of deep pictures; the painter dithers by itself, so
    // this is only remembered.
    void SetDither(BOOL on) { m_bDither = on; }
    BOOL GetDither() const { return m_bDither && GetBitCount() > 8; }

    // Draws the picture with its top-left corner at `at` (logical units),
    // at its size in logical units or stretched to `size`, upright in every
    // mapping mode.
    BOOL Draw(CDC* dc, CPoint at, BOOL forceBackground = FALSE);
    BOOL Stretch(CDC* dc, CPoint at, CSize size, BOOL forceBackground = FALSE);

    // A context (MM_TEXT, pixels) drawing into the picture until
    // ReleaseMemoryDC puts what was drawn into the bits; colours of a
    // palette picture become the nearest table colour.  Null when empty.
    CDC* GetMemoryDC(CDC* reference = nullptr, BOOL selectPalette = FALSE);
    BOOL ReleaseMemoryDC(BOOL force = FALSE);

    // The pixels, top row first.
    QImage ToImage() const;

private:
    DWORD Mask(int i) const;
    void FromImage(const QImage& image);

    BITMAPINFO m_info;
    std::vector<BYTE> m_bits;
    int m_nEntries = 0;
    BOOL m_bDither = FALSE;
    CPalette m_palette;
    QImage m_memImage;
    std::unique_ptr<CDC> m_pMemDC;
};

// Writes the bitmap as a .bmp file of its own depth; false, with the
// reason in `error` when given, when it cannot.
BOOL SaveBitmapAsBmp(const CBitmap* bitmap, const QString& path, QString* error = nullptr);
