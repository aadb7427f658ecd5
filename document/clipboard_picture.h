#pragma once
// The picture Copy offers other programs on the system clipboard: the
// selected figures drawn through CDC as a PDF page at their true size, as
// SVG and as PNG with its resolution recorded, so that office programs,
// vector editors and the rest each find a form they take.
#include "platform/gdi_types.h"

#include <QByteArray>

#include <vector>

class CDC;
class QMimeData;
class QvFigure;

class QvClipboardPicture {
public:
    // Space left round the figures, in 0.01 mm.
    static constexpr int Margin = 250;
    // Resolution of the vector surfaces (PDF, SVG).
    static constexpr int VectorDpi = 1200;
    // Resolution of the PNG; lowered for large pictures so that the longer
    // side stays within MaxPngSide pixels.
    static constexpr int PngDpi = 300;
    static constexpr int MaxPngSide = 2048;

    static constexpr const char* PdfMime = "application/pdf";
    static constexpr const char* SvgMime = "image/svg+xml";
    static constexpr const char* PngMime = "image/png";

    // `rect` is the picture rectangle in 0.01 mm, y up; the figures are
    // drawn relative to its top-left corner.  The figures are not owned.
    QvClipboardPicture(std::vector<QvFigure*> figures, const CRect& rect);

    // Width and height in 0.01 mm.
    CSize GetSize() const;
    int GetPngDpi() const;

    QByteArray ToPdf() const;
    QByteArray ToSvg() const;
    QByteArray ToPng() const;
    // All three forms; the caller owns it.
    QMimeData* CreateMimeData() const;

    // Draws the figures through the context's mapping, offset by `offset`
    // (its top-left corner at the origin, y turned over within it), and
    // puts their display points back onto the page.
    static void DrawFigures(CDC* dc, const std::vector<QvFigure*>& figures, const CRect& offset);
    // Draws the figures filling a device area of the given size.
    void Draw(CDC* dc, int deviceWidth, int deviceHeight) const;

private:
    std::vector<QvFigure*> m_figures;
    CRect m_rect;
};
