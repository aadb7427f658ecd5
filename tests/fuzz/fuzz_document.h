#pragma once
// What the drawing harnesses share: a drawing read into one document
// (reused, so runs are fast), drawn, saved, and read back to itself.
#include "fuzz_support.h"

#include "document/lumbrel2_doc.h"
#include "figures/figure.h"
#include "geometry/gr_rect.h"
#include "platform/archive.h"
#include "platform/dc.h"

#include <QBuffer>
#include <QImage>

#include <vector>

inline QByteArray FuzzSave(Lumbrel2Doc& doc) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    doc.Serialize(ar);
    return bytes;
}

// False when the bytes are no drawing this program reads; a refused file
// leaves nothing behind.
inline bool FuzzLoad(Lumbrel2Doc& doc, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    doc.DeleteContents();
    try {
        CArchive ar(&buffer, CArchive::load);
        doc.Serialize(ar);
        return true;
    } catch (const CArchiveException&) {
        FUZZ_CHECK(doc.GetFigureCount() == 0);
        doc.DeleteContents();
        return false;
    }
}

inline void FuzzDraw(const std::vector<QvFigure*>& figures, Lumbrel2Doc* selection = nullptr) {
    static QImage image(48, 48, QImage::Format_RGB32);
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    for (QvFigure* f : figures)
        f->DrawMapped(&dc, QvDrawMode::Normal, NullFrame, CRect());
    if (selection)
        selection->DrawSelection(&dc, QvDrawMode::Dotted);
}

// Reads `bytes` as a drawing; what was read is drawn with its selection,
// saved, and the saved file reads back to the same bytes.
inline void FuzzReadDrawing(const QByteArray& bytes) {
    static Lumbrel2Doc* doc = new Lumbrel2Doc;
    if (!FuzzLoad(*doc, bytes))
        return;
    doc->GetDrawingBounds();
    doc->SelectAll();
    FuzzDraw(doc->Figures(), doc);
    doc->ClearSelection();
    QByteArray saved;
    try {
        saved = FuzzSave(*doc);
    } catch (const CArchiveException&) {
        FUZZ_CHECK(!"a drawing that was read cannot be saved");
    }
    FUZZ_CHECK(FuzzLoad(*doc, saved));
    FUZZ_CHECK(FuzzSave(*doc) == saved);
    doc->DeleteContents();
}
