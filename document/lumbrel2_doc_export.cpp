// Tools > Web Graphics: the drawing, or a section of the page, as a PNG or
// BMP picture at 0.25 mm a pixel on white.
#include "document/lumbrel2_doc.h"

#include "document/clipboard_picture.h"
#include "document/editor_state.h"
#include "platform/command_ids.h"
#include "platform/dib_section.h"
#include "platform/message_box.h"
#include "platform/web_image_dc.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kPageSize = 30000;
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool IsBmp(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0;
}

void ReportSurfaceFailure(CSize pixels) {
    AfxMessageBox(QStringLiteral("The picture of %1 by %2 pixels could not be made.")
                      .arg(pixels.cx)
                      .arg(pixels.cy),
                  MB_OK | MB_ICONEXCLAMATION);
}

void ReportWriteFailure(const QString& path, const QString& reason) {
    AfxMessageBox(QStringLiteral("The picture could not be saved as \"%1\".\n\n%2")
                      .arg(QDir::toNativeSeparators(path), reason),
                  MB_OK | MB_ICONEXCLAMATION);
}
} // namespace

// ---------------------------------------------------------------- commands

void Lumbrel2Doc::OnSaveAll() {
    SaveWebGraphic(DrawingPicture());
}

void Lumbrel2Doc::OnSaveSection() {
    if (QvEditorState* editor = QvGetEditorState())
        editor->m_nCurrentTool = ID_TOOL_SECTION_SELECT;
    ClearSelection();
    m_snap.SetLineTool(LineToolChosen());
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::SaveSection(CRect section) {
    SaveWebGraphic(SectionPicture(section));
}

QString Lumbrel2Doc::WebGraphicPath(const QString& chosen) {
    const QString suffix = QFileInfo(chosen).suffix();
    if (suffix.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0 || IsBmp(chosen))
        return chosen;
    return chosen +
           (chosen.endsWith(QLatin1Char('.')) ? QStringLiteral("png") : QStringLiteral(".png"));
}

bool Lumbrel2Doc::ChooseWebGraphicFile(QString& path) {
    const auto& choose = Dialogs().chooseWebGraphicFile;
    return choose && choose(path);
}

void Lumbrel2Doc::SaveWebGraphic(const WebPicture& picture) {
    QString chosen;
    if (!ChooseWebGraphicFile(chosen) || chosen.isEmpty())
        return;
    const QString path = WebGraphicPath(chosen);
    if (IsBmp(path))
        SaveBmp(path, picture);
    else
        SavePng(path, picture);
}

// ---------------------------------------------------------------- pictures

Lumbrel2Doc::WebPicture Lumbrel2Doc::DrawingPicture() const {
    CRect area = GetDrawingBounds();
    area.InflateRect(WebMargin, WebMargin);
    const CSize size(area.Width(), area.Height());
    WebPicture p;
    // The figures' bounds are y-up: offsetting by them turns the drawing
    // over so that its top is the picture's first row.
    p.recorded = area;
    p.pixels = CSize(size.cx / WebUnitsPerPixel, size.cy / WebUnitsPerPixel);
    p.windowExt = size;
    p.viewportExt = p.pixels;
    return p;
}

Lumbrel2Doc::WebPicture Lumbrel2Doc::SectionPicture(CRect section) {
    section.NormalizeRect();
    WebPicture p;
    p.recorded = CRect(0, 0, kPageSize, kPageSize);
    p.pixels = CSize(section.Width() / WebUnitsPerPixel, section.Height() / WebUnitsPerPixel);
    p.windowExt = CSize(kPageSize, kPageSize);
    p.viewportOrg = CPoint(-section.left / WebUnitsPerPixel, -section.top / WebUnitsPerPixel);
    p.viewportExt = CSize(kPageSize / WebUnitsPerPixel, kPageSize / WebUnitsPerPixel);
    return p;
}

void Lumbrel2Doc::DrawWebPicture(CDC* dc, const WebPicture& p) {
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowOrg(0, 0);
    dc->SetWindowExt(p.windowExt);
    dc->SetViewportOrg(p.viewportOrg);
    dc->SetViewportExt(p.viewportExt);
    QvClipboardPicture::DrawFigures(dc, m_figures.View(), p.recorded);
}

bool Lumbrel2Doc::SavePng(const QString& path, const WebPicture& picture) {
    CWebImageDC surface;
    if (!surface.Create(picture.pixels)) {
        ReportSurfaceFailure(picture.pixels);
        return false;
    }
    surface.FillBackground(kWhite);
    DrawWebPicture(&surface, picture);
    QString reason;
    if (!surface.WritePng(path, TRUE, FALSE, kWhite, &reason)) {
        ReportWriteFailure(path, reason);
        return false;
    }
    return true;
}

bool Lumbrel2Doc::SaveBmp(const QString& path, const WebPicture& picture) {
    QvMemDC surface(picture.pixels.cx, picture.pixels.cy, nullptr, kWhite);
    if (!surface.GetBitmap()) {
        ReportSurfaceFailure(picture.pixels);
        return false;
    }
    DrawWebPicture(&surface, picture);
    const std::unique_ptr<CBitmap> bitmap = surface.DetachBitmap();
    QString reason;
    if (!SaveBitmapAsBmp(bitmap.get(), path, &reason)) {
        ReportWriteFailure(path, reason);
        return false;
    }
    return true;
}

bool Lumbrel2Doc::SavePngOfDrawing(const QString& path) {
    return SavePng(path, DrawingPicture());
}

bool Lumbrel2Doc::SaveBmpOfDrawing(const QString& path) {
    return SaveBmp(path, DrawingPicture());
}

bool Lumbrel2Doc::SavePngOfSection(const QString& path, CRect section) {
    return SavePng(path, SectionPicture(section));
}

bool Lumbrel2Doc::SaveBmpOfSection(const QString& path, CRect section) {
    return SaveBmp(path, SectionPicture(section));
}
