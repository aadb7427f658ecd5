#include "document/lumbrel2_srvr_item.h"

#include "document/lumbrel2_doc.h"
#include "platform/archive.h"

void CLumbrel2SrvrItem::Serialize(CArchive& ar) {
    m_pDocument->Serialize(ar);
}

CRect CLumbrel2SrvrItem::GetPictureRect() const {
    CRect r = m_pDocument->GetDrawingBounds();
    r.InflateRect(QvClipboardPicture::Margin, QvClipboardPicture::Margin);
    return r;
}

QvClipboardPicture CLumbrel2SrvrItem::GetPicture() const {
    return QvClipboardPicture(m_pDocument->Figures(), GetPictureRect());
}

BOOL CLumbrel2SrvrItem::OnDraw(CDC* dc, CSize& size) {
    const QvClipboardPicture picture = GetPicture();
    size = picture.GetSize();
    picture.Draw(dc, size.cx, size.cy);
    return TRUE;
}

BOOL CLumbrel2SrvrItem::OnGetExtent(DVASPECT aspect, CSize& size) {
    if (aspect != DVASPECT_CONTENT)
        return FALSE;
    size = GetPicture().GetSize();
    return TRUE;
}
