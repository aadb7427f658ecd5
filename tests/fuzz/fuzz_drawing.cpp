// Drawing files as they come from e-mail and the web: read into one
// document (reused, so runs are fast), drawn, saved, and read back.
#include "fuzz_support.h"

#include "document/lumbrel2_doc.h"
#include "figures/figure.h"
#include "geometry/gr_rect.h"
#include "platform/archive.h"
#include "platform/dc.h"

#include <QBuffer>
#include <QImage>

namespace {

QByteArray Save(Lumbrel2Doc& doc) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    doc.Serialize(ar);
    return bytes;
}

// False when the bytes are no drawing this program reads.
bool Load(Lumbrel2Doc& doc, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    doc.DeleteContents();
    try {
        CArchive ar(&buffer, CArchive::load);
        doc.Serialize(ar);
        return true;
    } catch (const CArchiveException&) {
        doc.DeleteContents();
        return false;
    }
}

void Draw(Lumbrel2Doc& doc) {
    static QImage image(48, 48, QImage::Format_RGB32);
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    for (QvFigure* f : doc.Figures())
        f->DrawMapped(&dc, QvDrawMode::Normal, NullFrame, CRect());
    doc.DrawSelection(&dc, QvDrawMode::Dotted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    static Lumbrel2Doc* doc = new Lumbrel2Doc;
    if (!Load(*doc, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;
    doc->GetDrawingBounds();
    doc->SelectAll();
    Draw(*doc);
    doc->ClearSelection();
    // What was read is saved, and the saved file reads back to itself.
    QByteArray saved;
    try {
        saved = Save(*doc);
    } catch (const CArchiveException&) {
        FUZZ_CHECK(!"a drawing that was read cannot be saved");
    }
    FUZZ_CHECK(Load(*doc, saved));
    FUZZ_CHECK(Save(*doc) == saved);
    doc->DeleteContents();
    return 0;
}
