#include "statgraphs/drawers/stat_graph_pictogram.h"

#include "figures/fig_gallery.h"
#include "platform/dc.h"
#include "statgraphs/drawers/graph_title.h"
#include "statistics/stat_data.h"

#include <cmath>

double QvStatGraphPictogram::PictureValue(double axisMax) {
    // The 1-2-5 series goes on as far as needed, so a picture value always
    // exists; an axis too long for any finite one gets none (0).
    static constexpr double kMantissas[] = {1.0, 2.0, 5.0};
    double decade = 1.0;
    for (;;) {
        for (double m : kMantissas) {
            const double n = m * decade;
            if (!std::isfinite(n))
                return 0.0;
            if (!(axisMax / n > 7.0))
                return n;
        }
        decade *= 10.0;
    }
}

int QvStatGraphPictogram::PictureCount(double v, double pictureValue) {
    if (!(v > 0.0) || !(pictureValue > 0.0))
        return 0;
    const double count = std::ceil(v / pictureValue);
    return count < 1e6 ? int(count) : 1000000;
}

CSize QvStatGraphPictogram::LegendBox(double aspect) {
    if (aspect >= 1.0)
        return CSize(int(1000.0 / aspect), 1000);
    return CSize(1000, int(1000.0 * aspect));
}

double QvStatGraphPictogram::SymbolAspect(const QvFigure* symbol) {
    const auto* gallery = dynamic_cast<const QvFigGallery*>(symbol);
    if (!gallery || !QvFigGallery::IsUsableRatio(gallery->GetAspectRatio()))
        return 1.0;
    return gallery->GetAspectRatio();
}

void QvStatGraphPictogram::Draw(CDC* dc, CRect rect) {
    if (!dc || !m_pData)
        return;
    const int d = dc->GetMapMode() == MM_HIMETRIC ? -1 : 1;
    QvDrawStatTitle(dc, rect, m_pData->properties, d);
}
