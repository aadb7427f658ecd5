#include "platform/bitmap.h"

#include <algorithm>

void BITMAPINFOHEADER::Store(BYTE* out) const {
    StoreDword(out + 0, biSize);
    StoreDword(out + 4, DWORD(biWidth));
    StoreDword(out + 8, DWORD(biHeight));
    StoreWord(out + 12, biPlanes);
    StoreWord(out + 14, biBitCount);
    StoreDword(out + 16, biCompression);
    StoreDword(out + 20, biSizeImage);
    StoreDword(out + 24, DWORD(biXPelsPerMeter));
    StoreDword(out + 28, DWORD(biYPelsPerMeter));
    StoreDword(out + 32, biClrUsed);
    StoreDword(out + 36, biClrImportant);
}

BITMAPINFOHEADER BITMAPINFOHEADER::Read(const BYTE* in) {
    BITMAPINFOHEADER h;
    h.biSize = ReadDword(in + 0);
    h.biWidth = LONG(ReadDword(in + 4));
    h.biHeight = LONG(ReadDword(in + 8));
    h.biPlanes = ReadWord(in + 12);
    h.biBitCount = ReadWord(in + 14);
    h.biCompression = ReadDword(in + 16);
    h.biSizeImage = ReadDword(in + 20);
    h.biXPelsPerMeter = LONG(ReadDword(in + 24));
    h.biYPelsPerMeter = LONG(ReadDword(in + 28));
    h.biClrUsed = ReadDword(in + 32);
    h.biClrImportant = ReadDword(in + 36);
    return h;
}

QvBitField::QvBitField(DWORD m) : mask(m) {
    if (!m)
        return;
    while (!(m & 1)) {
        m >>= 1;
        ++right;
    }
    while (m & 1) {
        m >>= 1;
        ++bits;
    }
}

DWORD QvBitField::Pack(BYTE c) const {
    if (!bits)
        return 0;
    const DWORD v = bits > 8 ? DWORD(c) << (bits - 8) : DWORD(c) >> (8 - bits);
    return (v << right) & mask;
}

// ------------------------------------------------------------------ palette

BOOL CPalette::CreatePalette(const LOGPALETTE* log) {
    if (!log || log->palNumEntries < 1 || log->palNumEntries > 256)
        return FALSE;
    m_entries.assign(log->palPalEntry, log->palPalEntry + log->palNumEntries);
    return TRUE;
}

BOOL CPalette::DeleteObject() {
    BOOL was = IsCreated();
    m_entries.clear();
    return was;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const {
    if (!entries || start >= m_entries.size())
        return 0;
    UINT n = std::min<UINT>(count, UINT(m_entries.size()) - start);
    std::copy_n(m_entries.begin() + start, n, entries);
    return n;
}

// ------------------------------------------------------------------- bitmap

BOOL CBitmap::CreateCompatibleBitmap(int width, int height) {
    m_image = QImage();
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide ||
        qint64(width) * height * 4 > MaxBytes)
        return FALSE;
    m_image = QImage(width, height, QImage::Format_RGB32);
    if (!IsCreated())
        return FALSE;
    m_image.fill(0u); // black, not whatever the memory held
    return TRUE;
}

BOOL CBitmap::DeleteObject() {
    BOOL was = IsCreated();
    m_image = QImage();
    return was;
}

bool GetDIBits32(const CBitmap& bitmap, BITMAPINFOHEADER* header, std::vector<BYTE>* bits) {
    const QImage& image = bitmap.Image();
    if (image.isNull())
        return false;
    const int width = image.width();
    const int height = image.height();
    *header = BITMAPINFOHEADER();
    header->biWidth = width;
    header->biHeight = height;
    header->biBitCount = 32;
    header->biSizeImage = DWORD(width) * DWORD(height) * 4;
    bits->resize(header->biSizeImage);
    // A pixel of Format_RGB32 is 0xFFRRGGBB, stored blue first on this
    // little-endian machine: the DIB's order, but with its top byte clear.
    for (int y = 0; y < height; ++y) {
        const auto* src = reinterpret_cast<const quint32*>(image.constScanLine(height - 1 - y));
        BYTE* dst = bits->data() + size_t(y) * width * 4;
        for (int x = 0; x < width; ++x)
            StoreDword(dst + 4 * x, src[x] & 0x00FFFFFFu);
    }
    return true;
}
