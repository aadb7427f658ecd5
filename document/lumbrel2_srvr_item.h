#pragma once
// A whole drawing as one object for other programs: its picture, drawn by
// the code that draws the clipboard's pictures, its size and its data,
// which are the drawing file's bytes.  Drawing it leaves the document as
// it was.
#include "document/clipboard_picture.h"
#include "platform/gdi_types.h"

class CArchive;
class CDC;
class Lumbrel2Doc;

enum DVASPECT { DVASPECT_CONTENT = 1, DVASPECT_THUMBNAIL = 2, DVASPECT_ICON = 4 };

class CLumbrel2SrvrItem {
public:
    explicit CLumbrel2SrvrItem(Lumbrel2Doc* doc) : m_pDocument(doc) {}

    Lumbrel2Doc* GetDocument() const { return m_pDocument; }
    // Stores or loads the drawing as its file does.
    void Serialize(CArchive& ar);
    // Draws every figure, bottom first, with a margin of
    // QvClipboardPicture::Margin round the drawing, one logical unit per
    // 0.01 mm from the picture's top-left corner; `size` receives the
    // picture's width and height in 0.01 mm.  An empty drawing is a blank
    // 500 by 500.
    BOOL OnDraw(CDC* dc, CSize& size);
    // The content's size, which is the picture's; FALSE for other aspects.
    BOOL OnGetExtent(DVASPECT aspect, CSize& size);

    // The page rectangle the picture shows.
    CRect GetPictureRect() const;
    QvClipboardPicture GetPicture() const;

private:
    Lumbrel2Doc* m_pDocument;
};
