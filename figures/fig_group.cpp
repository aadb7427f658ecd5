#include "figures/fig_group.h"

#include "platform/archive.h"
#include "platform/dc.h"
#include "settings/step_tables.h"

#include <QGuiApplication>

#include <algorithm>

IMPLEMENT_SERIAL(QvFigGroup, QvFigure, 1)

QvFigGroup::QvFigGroup() {
    InitPoints(4);
    m_nToolId = ToolId;
    m_bGroup = true;
    auto* record = new QvEditData;
    record->SetFromCurrentStyle();
    SetEditData(record);
}

QvFigGroup::~QvFigGroup() {
    for (QvFigure* f : m_members)
        delete f;
    m_members.clear();
}

void QvFigGroup::Serialize(CArchive& ar) {
    QvFigure::Serialize(ar);
    if (ar.IsStoring()) {
        SerializeObjectList<QvFigure>(ar, m_members);
        return;
    }
    std::vector<QvFigure*> read;
    SerializeObjectList<QvFigure>(ar, read);
    m_members.insert(m_members.end(), read.begin(), read.end());
    MapToFrame(NullFrame);
}

QvGRRect QvFigGroup::DisplayFrame() const {
    return QvGRRect(m_display[0], m_display[1], m_display[2], m_display[3]);
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
    return f && std::find(m_members.begin(), m_members.end(), f) != m_members.end();
}

QvFigure* QvFigGroup::CopyFrom(const QvFigure* src) {
    QvFigure::CopyFrom(src);
    m_pCopyLink = nullptr;
    auto* group = dynamic_cast<const QvFigGroup*>(src);
    if (!group)
        return this;
    for (const QvFigure* member : group->m_members) {
        QvFigure* copy = CreateForTool(member->GetToolId());
        if (!copy)
            continue;
        copy->CopyFrom(member);
        m_members.push_back(copy);
    }
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

CRect QvFigGroup::GetBoundRect() {
    CRect r = DisplayFrame().GetBounds();
    r.NormalizeRect();
    int w = LineStyleWidth();
    r.InflateRect(w, w);
    return r;
}

bool QvFigGroup::HitTest(QvPoint pt, double tolerance) {
    for (QvFigure* f : m_members)
        if (f->HitTest(pt, tolerance))
            return true;
    return false;
}

void QvFigGroup::MoveHandle(int n, QvPoint, QvPoint second) {
    QvGRRect frame(m_points[0], m_points[1], m_points[2], m_points[3]);
    if (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier)
        frame.MoveCornerKeepAspect(n, second);
    else
        frame.MoveCorner(n, second);
    for (int i = 0; i < 4; ++i)
        m_points[i] = frame.corner[i];
    BuildFromPoints();
}

void QvFigGroup::BuildFromPoints() {
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
