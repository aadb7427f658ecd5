#include "figures/fig_gallery.h"

#include "figures/figure_factory.h"
#include "geometry/gr_rect.h"
#include "platform/archive.h"

#include <cmath>

IMPLEMENT_SERIAL(QvFigGallery, QvFigGroup, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigGallery::ToolId, "QvFigGallery", &QvMakeFigure<QvFigGallery>},
});

QvFigGallery::QvFigGallery() {
    m_nToolId = ToolId;
}

bool QvFigGallery::IsUsableRatio(double ratio) {
    return std::isfinite(ratio) && ratio > 0.0;
}

bool QvFigGallery::SetAspectRatio(double ratio) {
    if (!IsUsableRatio(ratio))
        return false;
    m_dAspectRatio = ratio;
    return true;
}

void QvFigGallery::Serialize(CArchive& ar) {
    QvFigGroup::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_dAspectRatio;
    } else {
        double ratio = 0.0;
        ar >> ratio;
        // A ratio nothing can divide by places the figure as a square box.
        m_dAspectRatio = IsUsableRatio(ratio) ? ratio : 1.0;
    }
    BuildFromPoints();
}

QvFigure* QvFigGallery::CopyFrom(const QvFigure* src) {
    if (!QvFigGroup::CopyFrom(src))
        return nullptr;
    if (const auto* gallery = dynamic_cast<const QvFigGallery*>(src))
        m_dAspectRatio = gallery->m_dAspectRatio;
    return this;
}

void QvFigGallery::TrackCreatePoint(QvPoint pt, QvKeys keys) {
    const int clicks = GetClickCount();
    if (clicks == 0) {
        for (int i = 0; i < 4; ++i)
            m_points[i] = pt;
    } else if (clicks == 2) {
        const QvPoint c0 = m_points[0];
        double dx = pt.x - c0.x;
        double dy = pt.y - c0.y;
        if (keys.shift) {
            const double r = m_dAspectRatio;
            if (std::fabs(dy) < std::fabs(dx * r))
                dx = std::copysign(std::fabs(dy / r), dx);
            else
                dy = std::copysign(std::fabs(dx * r), dy);
        }
        m_points[1].x = c0.x + dx;
        m_points[2] = QvPoint(c0.x + dx, c0.y + dy);
        m_points[3].y = c0.y + dy;
    }
    // The members follow the frame while it is dragged.
    QvFigGroup::MapToFrame(NullFrame);
    BuildFromPoints();
}

bool QvFigGallery::CreateClick() {
    if (GetClickCount() == 0) {
        SetClickCount(2);
        return false;
    }
    if (GetClickCount() == 2)
        SetClickCount(3);
    return true;
}

QString QvFigGallery::GetDescription() const {
    return QString::asprintf("Gallery Image - %d figures", GetPartCount());
}
