#include "document/clipboard_picture.h"

#include "figures/figure.h"
#include "geometry/gr_rect.h"
#include "platform/dc.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kHimetricInch = 2540.0;

int ToDevice(int himetric, int dpi) {
    return std::max(1, int(std::lround(himetric * double(dpi) / kHimetricInch)));
}
} // namespace

QvClipboardPicture::QvClipboardPicture(std::vector<QvFigure*> figures, const CRect& rect)
    : m_figures(std::move(figures)), m_rect(rect) {
    m_rect.NormalizeRect();
}

CSize QvClipboardPicture::GetSize() const {
    return CSize(m_rect.Width(), m_rect.Height());
}

int QvClipboardPicture::GetPngDpi() const {
    CSize size = GetSize();
    int longer = std::max(1, int(std::max(size.cx, size.cy)));
    int fitting = int(MaxPngSide * kHimetricInch / longer);
    return std::clamp(fitting, 1, PngDpi);
}

void QvClipboardPicture::Draw(CDC* dc, int deviceWidth, int deviceHeight) const {
    CSize size = GetSize();
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowOrg(0, 0);
    dc->SetWindowExt(size.cx, size.cy);
    dc->SetViewportOrg(0, 0);
    dc->SetViewportExt(deviceWidth, deviceHeight);
    DrawFigures(dc, m_figures, m_rect);
}

void QvClipboardPicture::DrawFigures(CDC* dc, const std::vector<QvFigure*>& figures,
                                     const CRect& offset) {
    for (QvFigure* f : figures)
        f->DrawMapped(dc, QvDrawMode::Normal, NullFrame, offset);
    // Drawing left the display points offset into the picture; hit tests,
    // bounds and snapping read them, so they go back onto the page.
    for (QvFigure* f : figures) {
        f->MapToFrame(NullFrame);
        f->BuildFromPoints();
    }
}

QByteArray QvClipboardPicture::ToPdf() const {
    CSize size = GetSize();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(VectorDpi);
        writer.setPageLayout(
            QPageLayout(QPageSize(QSizeF(size.cx / 100.0, size.cy / 100.0), QPageSize::Millimeter,
                                  QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        CDC dc(&writer);
        Draw(&dc, ToDevice(size.cx, VectorDpi), ToDevice(size.cy, VectorDpi));
    }
    return bytes;
}

QByteArray QvClipboardPicture::ToSvg() const {
    CSize size = GetSize();
    int width = ToDevice(size.cx, VectorDpi);
    int height = ToDevice(size.cy, VectorDpi);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(VectorDpi);
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    {
        CDC dc(&generator);
        Draw(&dc, width, height);
    }
    return bytes;
}

QByteArray QvClipboardPicture::ToPng() const {
    CSize size = GetSize();
    int dpi = GetPngDpi();
    // A metafile has no background: what the figures leave is transparent.
    QImage image(ToDevice(size.cx, dpi), ToDevice(size.cy, dpi),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    int dotsPerMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        CDC dc(&image);
        Draw(&dc, image.width(), image.height());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QMimeData* QvClipboardPicture::CreateMimeData() const {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(PdfMime), ToPdf());
    data->setData(QString::fromLatin1(SvgMime), ToSvg());
    data->setData(QString::fromLatin1(PngMime), ToPng());
    return data;
}
