#pragma once
// Off-screen contexts: drawing through CDC into a bitmap the context owns,
// like a memory DC with a bitmap selected into it.
#include "platform/bitmap.h"
#include "platform/dc.h"

#include <memory>

class QvBitmapDC : public CDC {
public:
    ~QvBitmapDC();
    // The bitmap drawn into; null when none could be made or it was taken.
    CBitmap* GetBitmap() const { return m_pBitmap.get(); }

protected:
    // Draws into a spare pixel until a bitmap is made, so that a context
    // whose bitmap failed still takes drawing calls.
    QvBitmapDC();
    // A new bitmap of the screen's format to draw into, instead of the one
    // before; false (drawing into the spare pixel) when it cannot be had.
    bool SelectNewBitmap(int width, int height);
    // Stops drawing into the bitmap and hands it over.
    std::unique_ptr<CBitmap> TakeBitmap();

private:
    std::unique_ptr<CBitmap> m_pBitmap;
    QImage m_spare;
};

class QvMemDC : public QvBitmapDC {
public:
    // A width x height bitmap filled with `fill`, in the reference's
    // mapping mode (the screen's, MM_TEXT, without one).
    QvMemDC(int width, int height, CDC* reference = nullptr, COLORREF fill = RGB(255, 255, 255));
    // The bitmap, which the caller owns from here; null when it could not
    // be made.  Drawing afterwards goes nowhere.
    std::unique_ptr<CBitmap> DetachBitmap() { return TakeBitmap(); }
};
