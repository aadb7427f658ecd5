// Files of the older format, as old disks and mail folders still hold
// them: read as a drawing (drawn, saved in the current format and read
// back) and as a gallery.
#include "fuzz_document.h"

#include "diagrams/gallery.h"
#include "document/lumbrel2_doc.h"
#include "figures/fig_gallery.h"
#include "figures/figure.h"
#include "platform/archive.h"

#include <QBuffer>

namespace {

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
    FuzzDraw(figures);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Files with the magic are the drawing harness's.
    if (bytes.startsWith(QByteArray("\x04") + Lumbrel2Doc::FileMagic))
        return 0;
    FuzzReadDrawing(bytes);
    ReadAsGallery(bytes);
    return 0;
}
