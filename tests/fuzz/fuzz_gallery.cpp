// Gallery files as they are shared between machines: read, every figure
// drawn, written, and the written file read back to the same bytes.
#include "fuzz_document.h"

#include "diagrams/gallery.h"
#include "figures/fig_gallery.h"

namespace {

QByteArray Store(QvGallery& gallery) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    gallery.Serialize(ar);
    return bytes;
}

bool Read(QvGallery& gallery, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        CArchive ar(&buffer, CArchive::load);
        gallery.Serialize(ar);
        return true;
    } catch (const CArchiveException&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    QvGallery gallery;
    if (!Read(gallery, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))))
        return 0;
    std::vector<QvFigure*> figures;
    for (int i = 0; i < gallery.GetFigureCount(); ++i)
        figures.push_back(gallery.GetFigureAt(i));
    FuzzDraw(figures);
    for (QvFigure* f : figures)
        f->GetBoundRect();
    QByteArray saved;
    try {
        saved = Store(gallery);
    } catch (const CArchiveException&) {
        FUZZ_CHECK(!"a gallery that was read cannot be written");
    }
    QvGallery back;
    FUZZ_CHECK(Read(back, saved));
    FUZZ_CHECK(Store(back) == saved);
    return 0;
}
