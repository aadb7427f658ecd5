// Files of the older format, as old disks and mail folders still hold
// them: read as a drawing (drawn, saved in the current format and read
// back) and as a gallery.
#include "fuzz_support.h"

#include "diagrams/gallery.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_gallery.h"
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

bool Load(Lumbrel2Doc& doc, QByteArray bytes) {
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

void Draw(const std::vector<QvFigure*>& figures) {
    static QImage image(48, 48, QImage::Format_RGB32);
    CDC dc(&image);
    dc.SetMapMode(MM_HIMETRIC);
    for (QvFigure* f : figures)
        f->DrawMapped(&dc, QvDrawMode::Normal, NullFrame, CRect());
}

void ReadAsDrawing(const QByteArray& bytes) {
    static Lumbrel2Doc* doc = new Lumbrel2Doc;
    if (!Load(*doc, bytes))
        return;
    doc->GetDrawingBounds();
    doc->SelectAll();
    Draw(doc->Figures());
    doc->ClearSelection();
    // What was read is a drawing like any other: saved, it reads back to
    // itself.
    QByteArray saved;
    try {
        saved = Save(*doc);
    } catch (const CArchiveException&) {
        FUZZ_CHECK(!"an older drawing that was read cannot be saved");
    }
    FUZZ_CHECK(Load(*doc, saved));
    FUZZ_CHECK(Save(*doc) == saved);
    doc->DeleteContents();
}

void ReadAsGallery(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QvGallery gallery;
    try {
        CArchive ar(&buffer, CArchive::load);
        gallery.Serialize(ar);
    } catch (const CArchiveException&) {
        return;
    }
    std::vector<QvFigure*> figures;
    for (int i = 0; i < gallery.GetFigureCount(); ++i) {
        QvFigGallery* f = gallery.GetFigureAt(i);
        FUZZ_CHECK(f && f->HasSaneCoordinates());
        figures.push_back(f);
    }
    Draw(figures);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Files with the magic are the drawing harness's.
    if (bytes.startsWith(QByteArray("\x04") + Lumbrel2Doc::FileMagic))
        return 0;
    ReadAsDrawing(bytes);
    ReadAsGallery(bytes);
    return 0;
}
