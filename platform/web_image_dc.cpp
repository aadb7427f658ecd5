#include "platform/web_image_dc.h"

#include "platform/png_writer.h"

#include <QSaveFile>

#include <vector>

BOOL CWebImageDC::Create(CSize size) {
    m_size = size;
    return SelectNewBitmap(size.cx, size.cy);
}

void CWebImageDC::FillBackground(COLORREF colour) {
    CRect box;
    GetClipBox(&box);
    FillSolidRect(box, colour);
}

BOOL CWebImageDC::WritePng(QIODevice* file, BOOL interlace, BOOL transparent,
                           COLORREF transparentColour, QString* error) {
    const CBitmap* bitmap = GetBitmap();
    BITMAPINFOHEADER info;
    std::vector<BYTE> bits;
    if (!bitmap || !GetDIBits32(*bitmap, &info, &bits)) {
        if (error)
            *error = QStringLiteral("There is no picture to write.");
        return FALSE;
    }
    // Room for the three bit-field masks a 32-bit screen may report.
    BYTE header[BITMAPINFOHEADER::Size + 12] = {};
    info.Store(header);

    const PngText text{-1, TextKeyword, Text};
    const PngColor16 colour{GetRValue(transparentColour), GetGValue(transparentColour),
                            GetBValue(transparentColour)};
    PngWriteRequest request;
    request.header = header;
    request.headerBytes = sizeof header;
    request.bits = bits.data();
    request.bitsBytes = bits.size();
    request.colorType = info.biBitCount <= 8 ? PngWriteRequest::Palette : PngWriteRequest::Rgb;
    request.interlace = interlace;
    request.gamma = -1.0;
    request.textCount = 1;
    request.texts = &text;
    request.writeTime = 1;
    if (transparent) {
        request.transparentCount = 1;
        request.transparentColor = &colour;
    }
    return WriteDibAsPng(request, file, error);
}

BOOL CWebImageDC::WritePng(const QString& path, BOOL interlace, BOOL transparent,
                           COLORREF transparentColour, QString* error) {
    // Written beside the target and renamed over it once complete, so a
    // failure leaves no partial file and the old one stands.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return FALSE;
    }
    QString reason;
    if (!WritePng(&file, interlace, transparent, transparentColour, &reason)) {
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString() : reason;
        file.cancelWriting();
        return FALSE;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return FALSE;
    }
    return TRUE;
}
