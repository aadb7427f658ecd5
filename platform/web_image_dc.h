#pragma once
// An off-screen surface for pictures on web pages: drawn on through CDC
// like any context, then written out as a PNG file.
#include "platform/mem_dc.h"

#include <QString>

class QIODevice;

class CWebImageDC : public QvBitmapDC {
public:
    // What the tEXt chunk of every picture says, and under which keyword.
    static constexpr const char* TextKeyword = "Software";
    static constexpr const char* Text = "CWebImageDC / PNG";

    CWebImageDC() = default;

    // A bitmap of `size` pixels in the screen's format to draw into; false
    // when it cannot be made (nothing drawn afterwards is kept).
    BOOL Create(CSize size);
    CSize GetSize() const { return m_size; }
    // Fills the whole bitmap with the colour.
    void FillBackground(COLORREF colour);
    // Writes the picture into a new file at `path`, which appears only
    // once it is complete; false, with the reason in `error` when given,
    // when there is no picture or the file cannot be written.
    BOOL WritePng(const QString& path, BOOL interlace, BOOL transparent, COLORREF transparentColour,
                  QString* error = nullptr);
    // The same into an open file.
    BOOL WritePng(QIODevice* file, BOOL interlace, BOOL transparent, COLORREF transparentColour,
                  QString* error = nullptr);

private:
    CSize m_size;
};
