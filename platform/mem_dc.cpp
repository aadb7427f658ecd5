#include "platform/mem_dc.h"

QvBitmapDC::QvBitmapDC() : m_spare(1, 1, QImage::Format_RGB32) {
    AttachDevice(&m_spare);
}

QvBitmapDC::~QvBitmapDC() {
    // The painter must let go before the images it paints on are freed.
    AttachDevice(nullptr);
}

bool QvBitmapDC::SelectNewBitmap(int width, int height) {
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->CreateCompatibleBitmap(width, height)) {
        AttachDevice(&m_spare);
        m_pBitmap.reset();
        return false;
    }
    AttachDevice(&bitmap->Image());
    m_pBitmap = std::move(bitmap);
    return true;
}

std::unique_ptr<CBitmap> QvBitmapDC::TakeBitmap() {
    AttachDevice(&m_spare);
    return std::move(m_pBitmap);
}

QvMemDC::QvMemDC(int width, int height, CDC* reference, COLORREF fill) {
    if (SelectNewBitmap(width, height))
        FillSolidRect(0, 0, width, height, fill);
    if (reference)
        SetMapMode(reference->GetMapMode());
}
