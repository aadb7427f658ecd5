#include "platform/dib_section.h"

#include "platform/dc.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <climits>
#include <cstring>

namespace {
constexpr int kFileHeaderSize = 14;

bool Fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

// Why a header cannot make a section; empty when it can.
QString HeaderProblem(const BITMAPINFOHEADER& h) {
    const int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return QStringLiteral("Bitmaps of %1 bits a pixel are not supported.").arg(bpp);
    if (h.biCompression == BI_BITFIELDS ? bpp != 16 && bpp != 32 : h.biCompression != BI_RGB)
        return QStringLiteral("Compressed bitmaps are not supported.");
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT_MIN)
        return QStringLiteral("The bitmap's size (%1 by %2) is not valid.")
            .arg(h.biWidth)
            .arg(h.biHeight);
    // The sides are checked before they are multiplied.
    if (h.biWidth > CBitmap::MaxSide || std::abs(qint64(h.biHeight)) > CBitmap::MaxSide ||
        qint64(QvDIBSection::BytesPerLine(h.biWidth, bpp)) * std::abs(qint64(h.biHeight)) >
            CBitmap::MaxBytes)
        return QStringLiteral("The bitmap is too large (%1 by %2 pixels).")
            .arg(h.biWidth)
            .arg(std::abs(h.biHeight));
    return {};
}

RGBQUAD Quad(QRgb c) {
    return RGBQUAD{BYTE(qBlue(c)), BYTE(qGreen(c)), BYTE(qRed(c)), 0};
}
} // namespace

QvDIBSection::~QvDIBSection() {
    ReleaseMemoryDC(TRUE);
}

int QvDIBSection::NumColorEntries(int bitCount, DWORD compression, DWORD coloursUsed) {
    int entries = 0;
    switch (bitCount) {
    case 1:
        entries = 2;
        break;
    case 4:
        entries = 16;
        break;
    case 8:
        entries = 256;
        break;
    case 16:
    case 32:
        entries = compression == BI_BITFIELDS ? 3 : 0;
        break;
    default:
        break;
    }
    if (coloursUsed != 0 && coloursUsed <= DWORD(entries))
        entries = int(coloursUsed);
    return entries;
}

size_t QvDIBSection::BytesPerLine(int width, int bitCount) {
    return size_t(((qint64(std::max(0, width)) * std::max(0, bitCount) + 31) & ~qint64(31)) / 8);
}

const PALETTEENTRY* QvDIBSection::StandardPalette() {
    static const auto table = [] {
        std::vector<PALETTEENTRY> t;
        auto add = [&t](int r, int g, int b) { t.push_back({BYTE(r), BYTE(g), BYTE(b), 0}); };
        add(0, 0, 0);
        add(128, 0, 0);
        add(0, 128, 0);
        add(128, 128, 0);
        add(0, 0, 128);
        add(128, 0, 128);
        add(0, 128, 128);
        add(192, 192, 192);
        add(192, 220, 192);
        add(166, 202, 240);
        const int levels[] = {0, 44, 86, 135, 192, 255};
        for (int b : levels) {
            for (int g : levels) {
                for (int r : levels) {
                    const bool taken = (r == 0 && g == 0 && b == 0) ||
                                       (r == 192 && g == 192 && b == 192) ||
                                       (r == 0 && g == 255 && b == 255);
                    if (!taken)
                        add(r, g, b);
                }
            }
        }
        for (int v : {17,  24,  30,  37,  44,  52,  60,  68,  77,  86,  95, 105,
                      114, 125, 146, 157, 168, 180, 204, 216, 229, 242, 255})
            add(v, v, v);
        add(255, 251, 240);
        add(160, 160, 164);
        add(128, 128, 128);
        add(255, 0, 0);
        add(0, 255, 0);
        add(255, 255, 0);
        add(0, 0, 255);
        add(255, 0, 255);
        add(0, 255, 255);
        add(255, 255, 255);
        return t;
    }();
    return table.data();
}

BOOL QvDIBSection::CreateHalftonePalette(CPalette* palette, int colours) {
    if (!palette)
        return FALSE;
    int n = 256;
    if (colours >= 1 && colours <= 256)
        n = colours < 3 ? 2 : colours < 17 ? 16 : 256;
    const PALETTEENTRY* table = StandardPalette();
    LOGPALETTE log;
    log.palNumEntries = WORD(n);
    // The first and last halves of the table: black to white for 2, the
    // dark and bright system colours for 16.
    for (int i = 0; i < n / 2; ++i) {
        log.palPalEntry[i] = table[i];
        log.palPalEntry[n - 1 - i] = table[255 - i];
    }
    for (PALETTEENTRY& e : log.palPalEntry)
        e.peFlags = 0;
    palette->DeleteObject();
    return palette->CreatePalette(&log);
}

// ------------------------------------------------------------- the section

void QvDIBSection::DeleteObject() {
    ReleaseMemoryDC(TRUE);
    m_bits.clear();
    m_bits.shrink_to_fit();
    m_info = BITMAPINFO();
    m_nEntries = 0;
    m_palette.DeleteObject();
}

DWORD QvDIBSection::Mask(int i) const {
    const RGBQUAD& q = m_info.bmiColors[i];
    return DWORD(q.rgbBlue) | (DWORD(q.rgbGreen) << 8) | (DWORD(q.rgbRed) << 16) |
           (DWORD(q.rgbReserved) << 24);
}

BOOL QvDIBSection::SetBitmapBits(const BITMAPINFO* info, const void* bits, size_t bitsBytes,
                                 QString* error) {
    DeleteObject();
    if (!info)
        return Fail(error, QStringLiteral("There is no bitmap."));
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (QString problem = HeaderProblem(h); !problem.isEmpty())
        return Fail(error, problem);
    const size_t stride = BytesPerLine(h.biWidth, h.biBitCount);
    const int height = std::abs(h.biHeight);
    m_info.bmiHeader = h;
    m_info.bmiHeader.biSize = BITMAPINFOHEADER::Size;
    m_info.bmiHeader.biPlanes = 1;
    m_info.bmiHeader.biHeight = height;
    m_info.bmiHeader.biSizeImage = DWORD(stride * height);
    m_nEntries = NumColorEntries(h.biBitCount, h.biCompression, h.biClrUsed);
    // The header states what is kept, so that the bitmap written reads back.
    m_info.bmiHeader.biClrUsed = h.biBitCount <= 8 ? DWORD(m_nEntries) : 0;
    m_info.bmiHeader.biClrImportant = 0;
    std::copy_n(info->bmiColors, m_nEntries, m_info.bmiColors);
    m_bits.assign(stride * height, 0);
    if (bits) {
        // Rows stored top-down are turned over; only whole given bytes count.
        const auto* src = static_cast<const BYTE*>(bits);
        const size_t given = std::min(bitsBytes, m_bits.size());
        for (int y = 0; y < height; ++y) {
            const size_t from = size_t(y) * stride;
            if (from >= given)
                break;
            const size_t to = size_t(h.biHeight < 0 ? height - 1 - y : y) * stride;
            std::memcpy(m_bits.data() + to, src + from, std::min(stride, given - from));
        }
    }
    CreateSparePalette();
    return TRUE;
}

BOOL QvDIBSection::SetBitmap(const CBitmap* bitmap, const CPalette* palette) {
    DeleteObject();
    BITMAPINFO info;
    std::vector<BYTE> bits;
    if (!bitmap || !GetDIBits32(*bitmap, &info.bmiHeader, &bits))
        return FALSE;
    if (!SetBitmapBits(&info, bits.data(), bits.size()))
        return FALSE;
    if (palette)
        SetPalette(palette);
    return TRUE;
}

BOOL QvDIBSection::Copy(const QvDIBSection& other) {
    if (&other == this)
        return TRUE;
    if (other.IsEmpty()) {
        DeleteObject();
        return FALSE;
    }
    if (!SetBitmapBits(&other.m_info, other.m_bits.data(), other.m_bits.size()))
        return FALSE;
    if (GetBitCount() <= 8)
        SetColorTable(UINT(other.m_nEntries), other.m_info.bmiColors);
    CreateSparePalette();
    m_bDither = other.m_bDither;
    return TRUE;
}

// ------------------------------------------------------------------- files

BOOL QvDIBSection::Load(const QString& path, QString* error) {
    DeleteObject();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, file.errorString());
    BYTE fileHeader[kFileHeaderSize];
    if (file.read(reinterpret_cast<char*>(fileHeader), kFileHeaderSize) != kFileHeaderSize ||
        fileHeader[0] != 'B' || fileHeader[1] != 'M')
        return Fail(error, QStringLiteral("The file is not a Windows bitmap."));
    BYTE infoBytes[BITMAPINFOHEADER::Size];
    if (file.read(reinterpret_cast<char*>(infoBytes), sizeof infoBytes) != qint64(sizeof infoBytes))
        return Fail(error, QStringLiteral("The file ends inside the bitmap's header."));
    BITMAPINFO info;
    info.bmiHeader = BITMAPINFOHEADER::Read(infoBytes);
    const BITMAPINFOHEADER& h = info.bmiHeader;
    if (h.biSize != BITMAPINFOHEADER::Size)
        return Fail(
            error,
            QStringLiteral("Bitmaps with a header of %1 bytes are not supported.").arg(h.biSize));
    if (QString problem = HeaderProblem(h); !problem.isEmpty())
        return Fail(error, problem);

    const int entries = NumColorEntries(h.biBitCount, h.biCompression, h.biClrUsed);
    const qint64 tableBytes = 4 * qint64(entries);
    BYTE table[4 * 256];
    if (file.read(reinterpret_cast<char*>(table), tableBytes) != tableBytes)
        return Fail(error, QStringLiteral("The file ends inside the bitmap's colour table."));
    for (int i = 0; i < entries; ++i)
        info.bmiColors[i] =
            RGBQUAD{table[4 * i], table[4 * i + 1], table[4 * i + 2], table[4 * i + 3]};

    // The rows' own size is what is read; a larger stated file size is
    // ignored and a smaller one is not trusted.
    const DWORD offset = ReadDword(fileHeader + 10);
    const qint64 rowBytes =
        qint64(BytesPerLine(h.biWidth, h.biBitCount)) * std::abs(qint64(h.biHeight));
    if (qint64(offset) < kFileHeaderSize + BITMAPINFOHEADER::Size + tableBytes)
        return Fail(error, QStringLiteral("The bitmap's pixels overlap its header."));
    if (qint64(offset) > file.size() || file.size() - qint64(offset) < rowBytes)
        return Fail(error, QStringLiteral("The file ends before the bitmap's last row."));
    std::vector<BYTE> bits;
    try {
        bits.resize(size_t(rowBytes));
    } catch (const std::bad_alloc&) {
        return Fail(error, QStringLiteral("There is not enough memory for the bitmap."));
    }
    if (!file.seek(offset) || file.read(reinterpret_cast<char*>(bits.data()), rowBytes) != rowBytes)
        return Fail(error, QStringLiteral("The file ends before the bitmap's last row."));
    return SetBitmapBits(&info, bits.data(), bits.size(), error);
}

BOOL QvDIBSection::Save(const QString& path, QString* error) const {
    if (IsEmpty())
        return Fail(error, QStringLiteral("There is no bitmap to write."));
    const DWORD headerBytes = BITMAPINFOHEADER::Size + 4 * DWORD(m_nEntries);
    const DWORD offset = kFileHeaderSize + headerBytes;
    std::vector<BYTE> head(offset, 0);
    head[0] = 'B';
    head[1] = 'M';
    StoreDword(head.data() + 2, offset + DWORD(m_bits.size()));
    StoreDword(head.data() + 10, offset);
    m_info.bmiHeader.Store(head.data() + kFileHeaderSize);
    BYTE* table = head.data() + kFileHeaderSize + BITMAPINFOHEADER::Size;
    for (int i = 0; i < m_nEntries; ++i) {
        const RGBQUAD& q = m_info.bmiColors[i];
        table[4 * i] = q.rgbBlue;
        table[4 * i + 1] = q.rgbGreen;
        table[4 * i + 2] = q.rgbRed;
        table[4 * i + 3] = q.rgbReserved;
    }
    // Written beside the target and renamed over it once complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, file.errorString());
    const qint64 bitsBytes = qint64(m_bits.size());
    if (file.write(reinterpret_cast<const char*>(head.data()), offset) != qint64(offset) ||
        file.write(reinterpret_cast<const char*>(m_bits.data()), bitsBytes) != bitsBytes ||
        !file.commit())
        return Fail(error, file.errorString());
    return TRUE;
}

// --------------------------------------------------------------- palettes

BOOL QvDIBSection::SetColorTable(UINT count, const RGBQUAD* colours) {
    if (IsEmpty() || !colours || count < 1 || count > 256 || GetBitCount() > 8 || !m_nEntries)
        return FALSE;
    std::copy_n(colours, std::min<UINT>(count, UINT(m_nEntries)), m_info.bmiColors);
    return TRUE;
}

BOOL QvDIBSection::CreateSparePalette() {
    m_palette.DeleteObject();
    if (IsEmpty())
        return FALSE;
    if (m_nEntries > 0 && GetBitCount() <= 8) {
        LOGPALETTE log;
        log.palNumEntries = WORD(m_nEntries);
        for (int i = 0; i < m_nEntries; ++i) {
            const RGBQUAD& q = m_info.bmiColors[i];
            log.palPalEntry[i] = PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
        }
        return m_palette.CreatePalette(&log);
    }
    // Masks are no colours: deeper pictures get a halftone palette.
    return CreateHalftonePalette(&m_palette, m_nEntries > 0 ? m_nEntries : 256);
}

BOOL QvDIBSection::SetPalette(const CPalette* palette) {
    if (!palette || palette->GetEntryCount() < 1 || palette->GetEntryCount() > 256)
        return FALSE;
    LOGPALETTE log;
    log.palNumEntries = WORD(palette->GetEntryCount());
    palette->GetPaletteEntries(0, log.palNumEntries, log.palPalEntry);
    return SetLogPalette(&log);
}

BOOL QvDIBSection::SetLogPalette(const LOGPALETTE* log) {
    if (!log || log->palNumEntries < 1 || log->palNumEntries > 256)
        return FALSE;
    if (!m_palette.CreatePalette(log)) {
        CreateSparePalette();
        return FALSE;
    }
    if (m_nEntries > 0 && GetBitCount() <= 8)
        FillDIBColorTable(log->palNumEntries, log->palPalEntry);
    return TRUE;
}

BOOL QvDIBSection::FillDIBColorTable(UINT count, const PALETTEENTRY* entries) {
    if (IsEmpty() || !entries || !m_nEntries || GetBitCount() > 8)
        return FALSE;
    const BITMAPINFOHEADER& h = m_info.bmiHeader;
    const UINT allowed = h.biClrUsed ? h.biClrUsed : 1u << (h.biBitCount * h.biPlanes);
    const UINT n = std::min({count, allowed, UINT(m_nEntries)});
    for (UINT i = 0; i < n; ++i)
        m_info.bmiColors[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return TRUE;
}

// ---------------------------------------------------------------- drawing

QImage QvDIBSection::ToImage() const {
    if (IsEmpty())
        return {};
    const int width = m_info.bmiHeader.biWidth;
    const int height = m_info.bmiHeader.biHeight;
    const int bpp = GetBitCount();
    const size_t stride = BytesPerLine(width, bpp);
    const bool fields = m_info.bmiHeader.biCompression == BI_BITFIELDS;
    const QvBitField red(fields ? Mask(0) : 0), green(fields ? Mask(1) : 0),
        blue(fields ? Mask(2) : 0);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = m_bits.data() + size_t(height - 1 - y) * stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb c = qRgb(0, 0, 0);
            if (bpp <= 8) {
                const int shift = 8 - bpp - (x * bpp) % 8;
                const int index = (row[x * bpp / 8] >> shift) & ((1 << bpp) - 1);
                if (index < m_nEntries) {
                    const RGBQUAD& q = m_info.bmiColors[index];
                    c = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
                }
            } else if (bpp == 24) {
                c = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
            } else {
                const DWORD p = bpp == 16 ? ReadWord(row + 2 * x) : ReadDword(row + 4 * x);
                if (fields)
                    c = qRgb(red.Of(p), green.Of(p), blue.Of(p));
                else if (bpp == 16)
                    c = qRgb((p >> 7) & 0xF8, (p >> 2) & 0xF8, (p & 0x1F) << 3);
                else
                    c = qRgb((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
            }
            out[x] = c;
        }
    }
    return image;
}

void QvDIBSection::FromImage(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = m_info.bmiHeader.biWidth;
    const int height = m_info.bmiHeader.biHeight;
    const int bpp = GetBitCount();
    const size_t stride = BytesPerLine(width, bpp);
    const bool fields = m_info.bmiHeader.biCompression == BI_BITFIELDS;
    const QvBitField red(fields ? Mask(0) : 0), green(fields ? Mask(1) : 0),
        blue(fields ? Mask(2) : 0);
    // Palette pictures take the nearest table colour, found once a colour.
    QHash<QRgb, int> nearest;
    auto indexOf = [&](QRgb c) {
        if (auto it = nearest.constFind(c); it != nearest.constEnd())
            return *it;
        int best = 0;
        int bestDistance = INT_MAX;
        for (int i = 0; i < m_nEntries; ++i) {
            const RGBQUAD& q = m_info.bmiColors[i];
            const int dr = qRed(c) - q.rgbRed, dg = qGreen(c) - q.rgbGreen,
                      db = qBlue(c) - q.rgbBlue;
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        nearest.insert(c, best);
        return best;
    };
    for (int y = 0; y < height && y < image.height(); ++y) {
        BYTE* row = m_bits.data() + size_t(height - 1 - y) * stride;
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width && x < image.width(); ++x) {
            const QRgb c = in[x];
            if (bpp <= 8) {
                const int shift = 8 - bpp - (x * bpp) % 8;
                BYTE& b = row[x * bpp / 8];
                b = BYTE((b & ~(((1 << bpp) - 1) << shift)) | (indexOf(c) << shift));
            } else if (bpp == 24) {
                const RGBQUAD q = Quad(c);
                row[3 * x] = q.rgbBlue;
                row[3 * x + 1] = q.rgbGreen;
                row[3 * x + 2] = q.rgbRed;
            } else {
                DWORD p;
                if (fields)
                    p = red.Pack(BYTE(qRed(c))) | green.Pack(BYTE(qGreen(c))) |
                        blue.Pack(BYTE(qBlue(c)));
                else if (bpp == 16)
                    p = DWORD(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
                else
                    p = DWORD(c & 0x00FFFFFFu);
                if (bpp == 16)
                    StoreWord(row + 2 * x, WORD(p));
                else
                    StoreDword(row + 4 * x, p);
            }
        }
    }
}

BOOL QvDIBSection::Stretch(CDC* dc, CPoint at, CSize size, BOOL) {
    if (IsEmpty() || !dc || !dc->Painter())
        return FALSE;
    CRect target(at.x, at.y, at.x + size.cx, at.y + size.cy);
    dc->LPtoDP(&target);
    target.NormalizeRect();
    QPainter* painter = dc->Painter();
    painter->save();
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(QRect(target.left, target.top, target.Width(), target.Height()), ToImage());
    painter->restore();
    return TRUE;
}

BOOL QvDIBSection::Draw(CDC* dc, CPoint at, BOOL forceBackground) {
    const CSize size = GetSize();
    return Stretch(dc, at, size, forceBackground);
}

CDC* QvDIBSection::GetMemoryDC(CDC*, BOOL) {
    ReleaseMemoryDC(TRUE);
    if (IsEmpty())
        return nullptr;
    m_memImage = ToImage();
    m_pMemDC = std::make_unique<CDC>(&m_memImage);
    return m_pMemDC.get();
}

BOOL QvDIBSection::ReleaseMemoryDC(BOOL) {
    if (!m_pMemDC)
        return FALSE;
    m_pMemDC.reset();
    FromImage(m_memImage);
    m_memImage = QImage();
    return TRUE;
}

BOOL SaveBitmapAsBmp(const CBitmap* bitmap, const QString& path, QString* error) {
    QvDIBSection section;
    if (!section.SetBitmap(bitmap, nullptr))
        return Fail(error, QStringLiteral("There is no picture to write."));
    return section.Save(path, error);
}
