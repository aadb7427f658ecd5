#include "document/figure_state.h"

#include "figures/copy_map.h"
#include "figures/fig_group.h"
#include "figures/figure.h"
#include "geometry/gr_rect.h"
#include "platform/archive.h"

#include <QBuffer>

#include <algorithm>

namespace {
// The attribute record as it is saved: records differ exactly when these
// bytes do.
QByteArray RecordBytes(QvEditData* record) {
    QByteArray bytes;
    if (!record)
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    record->Serialize(ar);
    ar.Close();
    return bytes;
}

bool SamePoints(const QvPointArray& a, const QvPointArray& b) {
    if (a.GetSize() != b.GetSize())
        return false;
    for (int i = 0; i < a.GetSize(); ++i)
        if (a[i].x != b[i].x || a[i].y != b[i].y)
            return false;
    return true;
}
} // namespace

QvFigureState::QvFigureState(const QvFigure& figure) : QvFigureState(figure, true) {}

QvFigureState QvFigureState::PointsOf(const QvFigure& figure) {
    return QvFigureState(figure, false);
}

QvFigureState::QvFigureState(const QvFigure& figure, bool attributes)
    : m_points(figure.DefiningPoints()), m_nPoints(figure.GetPointCount()),
      m_nRoundGrips(figure.GetRoundGripCount()),
      m_pEditData(attributes ? figure.NewEditData() : nullptr), m_pClass(figure.GetRuntimeClass()),
      m_nToolId(figure.GetToolId()) {
    auto* group = dynamic_cast<const QvFigGroup*>(&figure);
    if (!group)
        return;
    for (const QvFigure* member : group->Members()) {
        QvFigureState state(*member, attributes);
        state.m_pSource = member;
        state.m_pCopy = QvFigure::CreateForTool(member->GetToolId());
        if (state.m_pCopy && !state.m_pCopy->CopyFrom(member))
            state.m_pCopy.reset();
        m_members.push_back(std::move(state));
    }
}

QvFigureState::~QvFigureState() = default;

void QvFigureState::RestoreInto(QvFigure& figure) const {
    figure.DefiningPoints() = m_points;
    figure.SetPointCount(m_nPoints);
    figure.SetRoundGripCount(m_nRoundGrips);
    // A state of the points alone leaves the attributes as they are.
    if (m_pEditData && figure.GetEditData())
        figure.CopyEditData(figure.GetEditData(), m_pEditData.get());
    // Only grouping changes a member list, and it clears the history; a
    // stretch may change a member's kind, which puts back one of the kind
    // it was.
    if (auto* group = dynamic_cast<QvFigGroup*>(&figure)) {
        QvFigureList& members = group->MemberList();
        const size_t n = std::min(m_members.size(), members.size());
        // Records put back name the members as they were when the state
        // was taken; records left alone name the members as they are now.
        QvCopyMap relink;
        for (size_t i = 0; i < n; ++i) {
            const QvFigureState& state = m_members[i];
            QvFigure* const now = members[i];
            if (!state.IsKindOf(*now)) {
                std::unique_ptr<QvFigure> made(state.MakeFigure());
                if (!made)
                    continue;
                members.Replace(i, std::move(made)); // now is freed here
            }
            state.RestoreInto(*members[i]);
            const QvFigure* named = m_pEditData ? state.m_pSource : now;
            if (named != members[i])
                relink.AddPair(const_cast<QvFigure*>(named), members[i]);
        }
        if (relink.GetCount() > 0)
            group->RemapReferences(relink);
    }
}

bool QvFigureState::IsKindOf(const QvFigure& figure) const {
    return figure.GetRuntimeClass() == m_pClass && figure.GetToolId() == m_nToolId;
}

QvFigure* QvFigureState::MakeFigure() const {
    if (!m_pCopy)
        return nullptr;
    std::unique_ptr<QvFigure> made = QvFigure::CreateForTool(m_pCopy->GetToolId());
    if (!made || !made->CopyFrom(m_pCopy.get()) || !IsKindOf(*made))
        return nullptr;
    return made.release();
}

void QvFigureState::ApplyTo(QvFigure& figure) const {
    RestoreInto(figure);
    // A group maps its members through its own frame.
    figure.MapToFrame(NullFrame);
    figure.BuildFromPoints();
}

bool QvFigureState::IsSameAs(const QvFigureState& other) const {
    if (m_pClass != other.m_pClass || m_nToolId != other.m_nToolId ||
        m_nPoints != other.m_nPoints || m_nRoundGrips != other.m_nRoundGrips ||
        !SamePoints(m_points, other.m_points) || m_members.size() != other.m_members.size())
        return false;
    if (RecordBytes(m_pEditData.get()) != RecordBytes(other.m_pEditData.get()))
        return false;
    for (size_t i = 0; i < m_members.size(); ++i)
        if (!m_members[i].IsSameAs(other.m_members[i]))
            return false;
    return true;
}

bool QvFigureStands(const QvFigure& figure) {
    if (!figure.IsValid())
        return false;
    if (auto* group = dynamic_cast<const QvFigGroup*>(&figure))
        for (const QvFigure* member : group->Members())
            if (!member || !QvFigureStands(*member))
                return false;
    return true;
}
