// Printing and print preview: the drawing is cut into page-sized tiles,
// its top-left corner on the first page's top-left corner.
#include "document/lumbrel2_view.h"

#include "document/lumbrel2_doc.h"
#include "figures/figure.h"
#include "framework/print_info.h"
#include "geometry/gr_rect.h"
#include "geometry/marker.h"
#include "platform/dc.h"
#include "platform/message_box.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kHimetricInch = 2540;

// Marks measure their size again on the next device they are drawn on.
void ResetMarkerSizes() {
    QvMarkerSizes& sizes = QvMarkerSizeCache();
    std::fill(std::begin(sizes.size), std::end(sizes.size), -1);
}

int CeilDiv(int a, int b) {
    return b > 0 ? (a + b - 1) / b : 0;
}
} // namespace

CRect Lumbrel2View::PrintExtent() const {
    CRect extent;
    if (Lumbrel2Doc* doc = GetDocument())
        for (QvFigure* f : doc->Figures()) {
            CRect r = f->GetBoundRect();
            r.NormalizeRect();
            extent.UnionRect(extent, r);
        }
    return extent;
}

BOOL Lumbrel2View::OnPreparePrinting(CPrintInfo*) {
    return ReportNothingToPrint() ? FALSE : TRUE;
}

void Lumbrel2View::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
    // The printable area in 0.01 mm, from the device itself, so that page
    // counts, tiles and offsets share one unit.
    m_nPageWidth = int(std::lround(double(dc->GetDeviceCaps(HORZRES)) * kHimetricInch /
                                   std::max(1, dc->GetDeviceCaps(LOGPIXELSX))));
    m_nPageHeight = int(std::lround(double(dc->GetDeviceCaps(VERTRES)) * kHimetricInch /
                                    std::max(1, dc->GetDeviceCaps(LOGPIXELSY))));
    CRect extent = PrintExtent();
    if (extent.IsRectEmpty()) {
        m_nPagesAcross = m_nPagesDown = 0;
    } else {
        m_nPagesAcross = CeilDiv(extent.Width(), m_nPageWidth);
        m_nPagesDown = CeilDiv(extent.Height(), m_nPageHeight);
    }
    // Subtracting this puts the drawing's top-left corner on the page's.
    m_printOffset = CRect(extent.left, extent.bottom - PageSize, 0, 0);
    info->SetMinPage(1);
    info->SetMaxPage(UINT(m_nPagesAcross * m_nPagesDown));
    ResetMarkerSizes();
}

void Lumbrel2View::OnPrint(CDC* dc, CPrintInfo*) {
    if (Lumbrel2Doc* doc = GetDocument())
        for (QvFigure* f : doc->Figures())
            f->DrawMapped(dc, QvDrawMode::Normal, NullFrame, m_printOffset);
}

void Lumbrel2View::OnEndPrinting(CDC*, CPrintInfo*) {
    ResetMarkerSizes();
    // Drawing rebuilds a figure from its display points, which printing
    // left shifted by the offset: hit tests and bounds would follow them.
    if (Lumbrel2Doc* doc = GetDocument())
        for (QvFigure* f : doc->Figures()) {
            f->MapToFrame(NullFrame);
            f->BuildFromPoints();
        }
}

bool Lumbrel2View::ReportNothingToPrint() const {
    if (!PrintExtent().IsRectEmpty())
        return false;
    AfxMessageBox(QStringLiteral("There is nothing to print: the drawing is empty."),
                  MB_OK | MB_ICONINFORMATION);
    return true;
}

int Lumbrel2View::PrintTo(QPrinter* printer) {
    // An empty drawing starts no job at all.
    if (!printer || PrintExtent().IsRectEmpty())
        return 0;
    CDC dc(printer);
    if (!dc.Painter()->isActive())
        return 0;
    CPrintInfo info;
    OnBeginPrinting(&dc, &info);
    UINT first = info.GetMinPage();
    UINT last = info.GetMaxPage();
    if (printer->fromPage() > 0) {
        first = std::max(first, UINT(printer->fromPage()));
        last = std::min(last, UINT(std::max(printer->toPage(), printer->fromPage())));
    }
    int printed = 0;
    for (UINT page = first; page <= last; ++page) {
        if (printed > 0)
            printer->newPage();
        info.m_nCurPage = page;
        int saved = dc.SaveDC();
        OnPrepareDC(&dc, &info);
        OnPrint(&dc, &info);
        dc.RestoreDC(saved);
        ++printed;
    }
    OnEndPrinting(&dc, &info);
    return printed;
}

void Lumbrel2View::OnFilePrint() {
    CPrintInfo info;
    if (!OnPreparePrinting(&info))
        return;
    QPrinter& printer = SessionPrinter();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(&printer);
}

void Lumbrel2View::OnFilePrintPreview() {
    CPrintInfo info;
    if (!OnPreparePrinting(&info))
        return;
    QPrintPreviewDialog preview(&SessionPrinter(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(printer); });
    preview.exec();
}
