#include "figures/fig_group.h"

#include "figures/copy_map.h"
#include "figures/fig_arc.h"
#include "figures/fig_circle.h"
#include "figures/fig_ellipse.h"
#include "figures/fig_triangle.h"
#include "figures/figure_factory.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "geometry/gr_rect.h"
#include "geometry/snap_kind.h"
#include "platform/archive.h"
#include "platform/dc.h"

#include <algorithm>
#include <memory>

IMPLEMENT_SERIAL(QvFigGroup, QvFigRectBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigGroup::ToolId, "QvFigGroup", &QvMakeFigure<QvFigGroup>},
});

namespace {
// The drawing level at which even large groups offer snap points.
constexpr int kUnlimitedLevel = 3;

// Records a member added from index `from` on carry the group's frame:
// always, or only where the member's own is empty (a nested group keeps
// the frame it stamped).
// A record without a frame of its own (none, or an empty one) takes the
// group's.
template <class List> void StampFrames(List& list, int from, const QvGRRect* frame, bool always) {
    for (int i = from; i < list.GetCount(); ++i)
        if (always || !list[i].frame1 || list[i].frame1->IsEmpty())
            list[i].frame1 = frame;
}

bool IsCircleTool(int id) {
    return id == QvFigCircle3C::ToolId || id == QvFigCircleCR::ToolId ||
           id == QvFigCircleD::ToolId || id == QvFigCircle::ToolId;
}

bool IsCircularArcTool(int id) {
    return id == QvFigArc3P::ToolId || id == QvFigArcC2P::ToolId;
}

// The four corners around c, two half sides u and w from it: 0 at -u-w,
// 1 at -u+w, 2 at +u+w, 3 at +u-w.
void SetBoxAround(QvPointArray& p, QvPoint c, QvVector u, QvVector w) {
    p[0] = c - u - w;
    p[1] = c - u + w;
    p[2] = c + u + w;
    p[3] = c + u - w;
}
} // namespace

QvFigGroup::QvFigGroup() {
    InitPoints(4);
    m_nToolId = ToolId;
    m_bGroup = true;
    // The group's geometry is its members; its own frame is no shape.
    m_pShape = nullptr;
    auto* record = new QvEditData;
    record->SetFromCurrentStyle();
    SetEditData(record);
}

QvFigGroup::~QvFigGroup() = default;

void QvFigGroup::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
    if (ar.IsStoring()) {
        std::vector<QvFigure*> list = m_members.View();
        SerializeObjectList<QvFigure>(ar, list);
        return;
    }
    std::vector<QvFigure*> read;
    SerializeObjectList<QvFigure>(ar, read);
    for (QvFigure* f : read)
        m_members.Add(std::unique_ptr<QvFigure>(f));
    MapToFrame(NullFrame);
}

QvGRRect QvFigGroup::DisplayFrame() const {
    return QvGRRect(m_display[0], m_display[1], m_display[2], m_display[3]);
}

const QvGRRect& QvFigGroup::SnapFrame() {
    m_snapFrame = DisplayFrame();
    return m_snapFrame;
}

void QvFigGroup::Draw(CDC* dc, int mode) {
    if (mode == QvDrawMode::Highlight || mode == QvDrawMode::White2)
        return;
    if (mode == QvDrawMode::Dotted && int(m_members.size()) > MaxOutlinedMembers) {
        CPoint c[5];
        for (int i = 0; i < 5; ++i)
            m_display[i % 4].ToCPoint(c[i]);
        dc->Polyline(c, 5);
        return;
    }
    const QvGRRect frame = DisplayFrame();
    for (QvFigure* f : m_members)
        f->DrawMapped(dc, mode, frame, CRect(0, 0, 0, 0));
}

bool QvFigGroup::HasSaneCoordinates() const {
    if (!QvFigure::HasSaneCoordinates())
        return false;
    return std::all_of(m_members.begin(), m_members.end(),
                       [](const QvFigure* m) { return m->HasSaneCoordinates(); });
}

bool QvFigGroup::IsOrContains(const QvFigure* f) const {
    return f && (f == this || m_members.Contains(f));
}

bool QvHolds(const QvFigure* outer, const QvFigure* f) {
    if (!outer || !f)
        return false;
    if (f == outer)
        return true;
    auto* group = outer->IsGroup() ? dynamic_cast<const QvFigGroup*>(outer) : nullptr;
    return group && std::any_of(group->Members().begin(), group->Members().end(),
                                [f](const QvFigure* m) { return QvHolds(m, f); });
}

QvFigure* QvFigGroup::CopyFrom(const QvFigure* src) {
    QvFigure::CopyFrom(src);
    m_pCopyLink = nullptr;
    auto* group = dynamic_cast<const QvFigGroup*>(src);
    if (!group || !group->IsGroup())
        return this;
    // All members or none: a copy missing a member would pass for whole.
    std::vector<std::unique_ptr<QvFigure>> copies;
    for (const QvFigure* member : group->m_members) {
        std::unique_ptr<QvFigure> copy = member ? CreateForTool(member->GetToolId()) : nullptr;
        if (!copy || !copy->CopyFrom(member))
            return nullptr;
        copies.push_back(std::move(copy));
    }
    for (std::unique_ptr<QvFigure>& copy : copies)
        m_members.Add(std::move(copy));
    return this;
}

void QvFigGroup::AddToCopyMap(QvCopyMap& map) {
    for (QvFigure* f : m_members)
        f->AddToCopyMap(map);
}

void QvFigGroup::RemapReferences(QvCopyMap& map) {
    for (QvFigure* f : m_members)
        f->RemapReferences(map);
}

void QvFigGroup::MapToFrame(const QvGRRect& frame) {
    QvFigure::MapToFrame(frame);
    const QvGRRect own = DisplayFrame();
    for (QvFigure* f : m_members)
        f->MapToFrame(own);
}

// ---------------------------------------------------------------- snapping

bool QvFigGroup::OffersSnapping() const {
    return QvGetMADLevel() == kUnlimitedLevel || GetPartCount() < MaxSnappedParts;
}

void QvFigGroup::AddPointOnFigure(QvPoint pt, QvSnapPointList& list, int level) {
    const QvGRRect* frame = &SnapFrame();
    for (QvFigure* f : m_members) {
        const int from = list.GetCount();
        f->AddPointOnFigure(pt, list, level);
        StampFrames(list, from, frame, false);
    }
}

void QvFigGroup::AddSpecialPoints(QvSnapPointList& list, int level) {
    if (!OffersSnapping())
        return;
    const QvGRRect* frame = &SnapFrame();
    for (QvFigure* f : m_members) {
        const int from = list.GetCount();
        f->AddSpecialPoints(list, level);
        StampFrames(list, from, frame, false);
    }
}

void QvFigGroup::AddGuideShapesWith(QvFigure* other, QvShapeList& list, int level) {
    const QvGRRect* frame = &SnapFrame();
    for (QvFigure* f : m_members) {
        const int from = list.GetCount();
        f->AddGuideShapesWith(other, list, level);
        StampFrames(list, from, frame, true);
    }
}

void QvFigGroup::AddSpecialPointsFrom(QvPoint pt, QvSnapPointList& list, QvFigure* other,
                                      int level) {
    const QvGRRect* frame = &SnapFrame();
    for (QvFigure* f : m_members) {
        const int from = list.GetCount();
        f->AddSpecialPointsFrom(pt, list, other, level);
        StampFrames(list, from, frame, true);
    }
}

void QvFigGroup::AddSpecialPointsWith(QvFigure* other, QvSnapPointList& list, int level) {
    const QvGRRect* frame = &SnapFrame();
    for (QvFigure* f : m_members) {
        const int from = list.GetCount();
        f->AddSpecialPointsWith(other, list, level);
        StampFrames(list, from, frame, true);
    }
}

void QvFigGroup::AddGuideShapesFrom(QvPoint pt, QvShapeList& list, int level) {
    const QvGRRect* frame = &SnapFrame();
    for (QvFigure* f : m_members) {
        const int from = list.GetCount();
        f->AddGuideShapesFrom(pt, list, level);
        StampFrames(list, from, frame, true);
    }
}

void QvFigGroup::AddShapes(QvShapeList& list, int part) {
    if (!OffersSnapping())
        return;
    const QvGRRect* frame = &SnapFrame();
    for (QvFigure* f : m_members) {
        const int from = list.GetCount();
        f->AddShapes(list, part);
        StampFrames(list, from, frame, false);
    }
}

// ----------------------------------------------------------------- editing

bool QvFigGroup::HitTest(QvPoint pt, double tolerance) {
    for (QvFigure* f : m_members)
        if (f->HitTest(pt, tolerance))
            return true;
    return false;
}

void QvFigGroup::MoveHandle(int n, QvPoint to, QvPoint, QvKeys keys) {
    if (n < 0 || n > 3)
        return;
    QvGRRect frame(m_points[0], m_points[1], m_points[2], m_points[3]);
    if (keys.shift) {
        frame.MoveCornerKeepAspect(n, to);
    } else {
        ConvertForStretch();
        frame.MoveCorner(n, to);
    }
    for (int i = 0; i < 4; ++i)
        m_points[i] = frame.corner[i];
    // The display corners follow now: the members are built through them.
    QvFigure::MapToFrame(NullFrame);
    BuildFromPoints();
}

void QvFigGroup::ConvertForStretch() {
    // The members' display points are page points mapped through the
    // group's corners; new members are put back into thousandths of them.
    const QvGRRect frame(m_points[0], m_points[1], m_points[2], m_points[3]);
    QvVector along = frame.side[0];
    if (along.IsZero())
        along = QvVector(1.0, 0.0);
    // Members that mark a replaced member (angle marks) follow it.
    QvCopyMap replaced;
    for (size_t index = 0; index < m_members.size(); ++index) {
        QvFigure* m = m_members[index];
        const int id = m->GetToolId();
        if (auto* triangle = dynamic_cast<QvFigTriangle*>(m);
            triangle && id == QvFigTriangle::ToolId)
            triangle->Solver().measureFromVertices = 1;
        auto* circle = IsCircleTool(id) ? dynamic_cast<QvFigCircleBase*>(m) : nullptr;
        auto* arc = IsCircularArcTool(id) ? dynamic_cast<QvFigArcBase*>(m) : nullptr;
        if (!circle && !arc)
            continue;
        // As last drawn.
        m->MapToFrame(frame);
        m->BuildFromPoints();
        if (arc && !arc->HasArc())
            continue;
        std::unique_ptr<QvFigure> replacement;
        if (circle)
            replacement = std::make_unique<QvFigEllipse4C>();
        else
            replacement = std::make_unique<QvFigArc4P>();
        m->CopyEditData(replacement->GetEditData(), m->GetEditData());
        replacement->SetGroupNesting(m->GetGroupNesting());
        QvPointArray& p = replacement->DefiningPoints();
        if (circle) {
            const QvGRCircle& c = circle->Circle();
            QvVector u = along, w = along.Perpendicular();
            u.SetLength(c.radius);
            w.SetLength(c.radius);
            SetBoxAround(p, c.centre, u, w);
        } else {
            auto* box = static_cast<QvFigArc4P*>(replacement.get());
            QvGRArc a = arc->Arc();
            QvVector u = along, w = along.Perpendicular();
            u.SetLength(a.a);
            w.SetLength(a.b);
            SetBoxAround(p, a.centre, u, w);
            p[4] = a.startPoint;
            p[5] = a.endPoint;
            // The way round as drawn, whatever the record last said.
            a.GetStartAndCentralAngle();
            box->ArcData()->m_major = a.major;
            box->MapToFrame(NullFrame);
            box->BuildFromPoints();
            if (box->Arc().reversed != arc->Arc().reversed) {
                std::swap(p[4], p[5]);
                box->MapToFrame(NullFrame);
                box->BuildFromPoints();
            }
        }
        for (int i = 0; i < replacement->GetPointCount(); ++i)
            p[i] = frame.DocumentToFrame(p[i]);
        replacement->MapToFrame(frame);
        replacement->BuildFromPoints();
        replaced.AddPair(m, replacement.get());
        m_members.Replace(index, std::move(replacement)); // m is freed here
    }
    if (replaced.GetCount() > 0)
        RemapReferences(replaced);
}

void QvFigGroup::BuildFromPoints() {
    // The rectangle base's frame follows the corners, so the group's
    // geometry is its own frame, not one at the origin.
    QvFigRectBase::BuildFromPoints();
    // Members are built from their display points, which follow the frame.
    const QvGRRect own = DisplayFrame();
    for (QvFigure* f : m_members) {
        f->MapToFrame(own);
        f->BuildFromPoints();
    }
}

void QvFigGroup::SetLineColour(COLORREF colour) {
    for (QvFigure* f : m_members)
        f->SetLineColour(colour);
}

void QvFigGroup::SetLineStyle(int style) {
    for (QvFigure* f : m_members)
        f->SetLineStyle(style);
}

void QvFigGroup::SetFillColour(COLORREF colour) {
    QvFigure::SetFillColour(colour);
    for (QvFigure* f : m_members)
        f->SetFillColour(colour);
}

void QvFigGroup::SetFillStyle(int style) {
    QvFigure::SetFillStyle(style);
    for (QvFigure* f : m_members)
        f->SetFillStyle(style);
}

int QvFigGroup::GetPartCount() const {
    int total = 0;
    for (const QvFigure* f : m_members)
        total += f->GetPartCount();
    return total;
}

QString QvFigGroup::GetDescription() const {
    return QString::asprintf("Group - %d figures", GetPartCount());
}
