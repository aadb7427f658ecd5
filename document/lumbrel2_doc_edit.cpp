// Selection and the edits that act on the selected figures.
#include "document/lumbrel2_doc.h"

#include "document/undo_actions.h"
#include "document/undo_manager.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_group.h"
#include "figures/figure.h"
#include "geometry/gr_rect.h"
#include "platform/command_ids.h"
#include "platform/archive.h"
#include "platform/command_target.h"
#include "platform/message_box.h"
#include "settings/settings.h"

#include <QBuffer>

#include <algorithm>
#include <cmath>

void Lumbrel2Doc::ClearSelection() {
    m_selection.clear();
}

void Lumbrel2Doc::AddToSelection(QvFigure* figure) {
    if (figure)
        m_selection.push_back(figure);
}

void Lumbrel2Doc::EndSelectionChange(QvFigure* added) {
    if (added) {
        if (const QvEditData* d = added->GetEditData()) {
            QvSettings& s = TheSettings();
            s.m_nShownLineStyle = d->m_lineStyle;
            s.m_nShownLineColor = int(d->m_lineColor);
            s.m_nShownFillStyle = d->m_fillStyle;
            s.m_nShownFillColor = int(d->m_fillColor);
        }
    }
    CPoint centre = GetSelectionBounds().CenterPoint();
    m_rotationCentre = QvPoint(centre.x, centre.y);
    if (GetSelectedCount() != 1)
        ResetShownStyle();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

QvFigure* Lumbrel2Doc::TakeLastCreated() {
    QvFigure* figure = m_pLastCreated;
    m_pLastCreated = nullptr;
    // An undone creation is held by its undo record: nothing to take.
    if (std::find(m_figures.begin(), m_figures.end(), figure) == m_figures.end())
        return nullptr;
    return figure;
}

void Lumbrel2Doc::DeleteSelection() {
    if (m_selection.empty())
        return;
    // Angle marks go with the figures they mark, in the same undo level.
    const auto goes = [this](const QvFigure* f) {
        if (IsSelected(f))
            return true;
        const auto* mark = dynamic_cast<const QvFigAngleMark*>(f);
        return mark && (IsSelected(mark->AngleData()->m_pFirst) ||
                        IsSelected(mark->AngleData()->m_pSecond));
    };
    // Top figure first: undo restores newest first, each on top, so the
    // figures come back in the order they were drawn in.
    std::vector<QvFigure*> doomed;
    for (auto it = m_figures.rbegin(); it != m_figures.rend(); ++it)
        if (goes(*it))
            doomed.push_back(*it);
    QvUndoManager& undo = UndoManager();
    undo.BeginRecord();
    for (QvFigure* f : doomed) {
        // The action takes the figure out and owns it from here.
        auto action = std::make_unique<QvDeleteAction>(f, this);
        action->Redo();
        undo.AddAction(std::move(action));
    }
    undo.EndRecord();
    m_selection.clear();
    // Taking the figures out took their records with them.
    EnsurePointCaches();
    ResetShownStyle();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

// ---------------------------------------------------------------- picking

QvFigure* Lumbrel2Doc::HitTestFigures(int x, int y) {
    // Kept for the whole run, so repeated clicks at one spot step down
    // through the figures there.  The figure is only compared, never used.
    static CPoint s_lastPoint(0, 0);
    static const QvFigure* s_lastFigure = nullptr;
    if (x != s_lastPoint.x || y != s_lastPoint.y)
        s_lastFigure = nullptr;
    const QvPoint pt(x, y);
    QvFigure* lastHit = nullptr;
    for (auto it = m_figures.rbegin(); it != m_figures.rend(); ++it) {
        QvFigure* f = *it;
        if (!f->HitTest(pt, HitTolerance))
            continue;
        lastHit = f;
        if (!s_lastFigure) {
            s_lastFigure = f;
            s_lastPoint = CPoint(x, y);
            return f;
        }
        if (f == s_lastFigure)
            s_lastFigure = nullptr;
    }
    if (lastHit) {
        s_lastFigure = lastHit;
        s_lastPoint = CPoint(x, y);
    }
    return lastHit;
}

void Lumbrel2Doc::SelectAtPoint(int x, int y) {
    m_selection.clear();
    QvFigure* f =
        m_pSnapFigure1 && m_pSnapFigure1->GetGroupNesting() == 0 &&
                std::find(m_figures.begin(), m_figures.end(), m_pSnapFigure1) != m_figures.end()
            ? m_pSnapFigure1
            : HitTestFigures(x, y);
    if (f)
        m_selection.push_back(f);
    EndSelectionChange(f);
}

void Lumbrel2Doc::ToggleSelectionAtPoint(int x, int y) {
    QvFigure* f = HitTestFigures(x, y);
    QvFigure* added = nullptr;
    if (f) {
        if (IsSelected(f)) {
            std::erase(m_selection, f);
        } else {
            m_selection.push_back(f);
            added = f;
        }
    }
    EndSelectionChange(added);
}

void Lumbrel2Doc::SelectInRect(CRect band) {
    m_selection.clear();
    band.NormalizeRect();
    band.InflateRect(BandMargin, BandMargin);
    QvFigure* added = nullptr;
    for (QvFigure* f : m_figures) {
        CRect r = f->GetPointsRect();
        if (band.PtInRect(r.TopLeft()) && band.PtInRect(r.BottomRight())) {
            m_selection.push_back(f);
            added = f;
        }
    }
    EndSelectionChange(added);
}

void Lumbrel2Doc::SelectAll() {
    m_selection.clear();
    m_nSnapWork1 = 0;
    m_selection = m_figures;
    EndSelectionChange(m_selection.empty() ? nullptr : m_selection.back());
}

void Lumbrel2Doc::OnEditSelectAll() {
    SelectAll();
}

bool Lumbrel2Doc::IsOnSelection(int x, int y) const {
    const QvPoint pt(x, y);
    return std::any_of(m_selection.begin(), m_selection.end(),
                       [&](QvFigure* f) { return f->HitTest(pt, HitTolerance); });
}

void Lumbrel2Doc::DrawSelection(CDC* dc, int mode) {
    for (QvFigure* f : m_selection)
        f->DrawMapped(dc, mode, NullFrame, CRect());
    for (QvFigure* f : m_selection)
        f->DrawHandles(dc);
}

void Lumbrel2Doc::MapAllToDefaultFrame() {
    for (QvFigure* f : m_figures)
        f->MapToFrame(NullFrame);
}

void Lumbrel2Doc::ForgetSnapReference(const QvFigure* figure) {
    if (m_pSnapFigure1 == figure || m_pSnapRef1 == figure) {
        m_pSnapFigure1 = nullptr;
        m_pSnapRef1 = nullptr;
    }
    if (m_pSnapFigure2 == figure || m_pSnapRef2 == figure) {
        m_pSnapFigure2 = nullptr;
        m_pSnapRef2 = nullptr;
    }
}

// ------------------------------------------------------------ mouse edits

void Lumbrel2Doc::KeepStateBeforeEdit(QvFigure* figure) {
    for (const PendingEdit& p : m_pendingEdit)
        if (p.figure == figure)
            return;
    m_pendingEdit.push_back({figure, QvFigureState(*figure)});
}

namespace {
// Applies `step` to every figure and rebuilds each; when any of them could
// no longer stand, all are put back as they were before the step.
template <class Step> bool EditFigures(const std::vector<QvFigure*>& figures, Step step) {
    std::vector<QvFigureState> before;
    before.reserve(figures.size());
    for (QvFigure* f : figures)
        before.push_back(QvFigureState::PointsOf(*f));
    for (QvFigure* f : figures)
        step(f);
    // Built once every figure has taken its step: a mark takes its corners
    // from the figures it marks as they now are, whatever the order.
    bool stands = true;
    for (bool marks : {false, true})
        for (QvFigure* f : figures) {
            if ((dynamic_cast<QvFigAngleMark*>(f) != nullptr) != marks)
                continue;
            f->MapToFrame(NullFrame);
            f->BuildFromPoints();
            stands = stands && Lumbrel2Doc::FigureStands(f);
        }
    if (!stands)
        for (size_t i = 0; i < figures.size(); ++i)
            before[i].ApplyTo(*figures[i]);
    return stands;
}
} // namespace

void Lumbrel2Doc::KeepStatesBeforeEdit(const std::vector<QvFigure*>& figures) {
    for (QvFigure* f : figures)
        KeepStateBeforeEdit(f);
    // The marks on them change with them, and go into the same undo level:
    // what a mark shows can depend on every step of a drag, which redo
    // does not repeat.
    for (QvFigure* mark : MarksOf(figures))
        KeepStateBeforeEdit(mark);
}

void Lumbrel2Doc::OffsetSelection(QvVector v) {
    KeepStatesBeforeEdit(m_selection);
    // The geometry follows at once, so the dragged figure is hit and drawn
    // where it now is.
    EditFigures(m_selection, [v](QvFigure* f) { f->Move(v); });
    // A mark left behind follows the figures it marks, so its stored corners
    // are those the drawing shows (and those redo comes back to).
    for (QvFigure* mark : MarksOf(m_selection)) {
        mark->MapToFrame(NullFrame);
        mark->BuildFromPoints();
    }
    // The caches follow at the end of the drag.
    m_snap.Touch();
}

void Lumbrel2Doc::MoveHandleOfSelected(int grip, QvPoint target, CPoint companion, QvKeys keys) {
    QvFigure* f = GetFirstSelected();
    if (!f)
        return;
    KeepStatesBeforeEdit({f});
    // A grip that would make the figure invalid (three points of a circle
    // in a line) stops at the last place where it was valid.
    EditFigures({f}, [&](QvFigure* g) {
        g->MoveHandle(grip, target, QvPoint(companion.x, companion.y), keys);
    });
    // A group's stretch may have replaced the members the pointer snapped to.
    if (f->IsGroup())
        ClearSnapReferences();
    RefreshPointCaches({f});
}

void Lumbrel2Doc::ReflectSelection(const QvGRLine& mirror) {
    KeepStatesBeforeEdit(m_selection);
    EditFigures(m_selection, [&](QvFigure* f) { f->Reflect(mirror); });
    RefreshPointCaches(m_selection);
}

template <class Action> void Lumbrel2Doc::RecordSelectionEdit() {
    std::vector<std::unique_ptr<QvUndoItem>> actions;
    // The selection's figures and the marks on them, in the order kept.
    for (PendingEdit& p : m_pendingEdit)
        actions.push_back(std::make_unique<Action>(p.figure, std::move(p.before)));
    m_pendingEdit.clear();
    RecordLevel(std::move(actions));
}

void Lumbrel2Doc::RecordMove() {
    RecordSelectionEdit<QvMoveAction>();
}

void Lumbrel2Doc::RecordResize() {
    RecordSelectionEdit<QvResizeAction>();
}

void Lumbrel2Doc::RecordReflect() {
    RecordSelectionEdit<QvReflectAction>();
}

void Lumbrel2Doc::RevertSelectionEdit() {
    std::vector<QvFigure*> reverted;
    for (const PendingEdit& p : m_pendingEdit) {
        p.before.ApplyTo(*p.figure);
        reverted.push_back(p.figure);
    }
    m_pendingEdit.clear();
    ClearSnapReferences();
    RefreshPointCaches(reverted);
}

void Lumbrel2Doc::RecordCreation(QvFigure* figure) {
    std::vector<std::unique_ptr<QvUndoItem>> actions;
    actions.push_back(std::make_unique<QvCreateAction>(figure, this));
    RecordLevel(std::move(actions));
}

void Lumbrel2Doc::RecordLevel(std::vector<std::unique_ptr<QvUndoItem>> actions) {
    std::erase_if(actions, [](const std::unique_ptr<QvUndoItem>& item) {
        auto* change = dynamic_cast<const QvChangeAction*>(item.get());
        return !item || (change && change->ChangesNothing());
    });
    if (actions.empty())
        return;
    QvUndoManager& undo = UndoManager();
    undo.BeginRecord();
    for (std::unique_ptr<QvUndoItem>& item : actions)
        undo.AddAction(std::move(item));
    undo.EndRecord();
}

// -------------------------------------------------------- command edits

void Lumbrel2Doc::RotateSelection(double degrees) {
    EditFigures(m_selection, [&](QvFigure* f) { f->Rotate(degrees, m_rotationCentre); });
    RefreshPointCaches(m_selection);
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnRotate15Clockwise() {
    RotateSelection(-15.0);
}
void Lumbrel2Doc::OnRotate15CounterClockwise() {
    RotateSelection(15.0);
}
void Lumbrel2Doc::OnRotate1Clockwise() {
    RotateSelection(-1.0);
}
void Lumbrel2Doc::OnRotate1CounterClockwise() {
    RotateSelection(1.0);
}

namespace {
// The figures to group with the angle marks sorted: a mark joins the group
// with both its figures and stays out with neither.  `parted` gets the
// marks that would have a figure on each side.
std::vector<QvFigure*> WithTheirMarks(const std::vector<QvFigure*>& figures,
                                      const std::vector<QvFigure*>& selection,
                                      std::vector<QvFigure*>& parted) {
    const auto grouped = [&](const QvFigure* f) {
        return f && !dynamic_cast<const QvFigAngleMark*>(f) &&
               std::find(selection.begin(), selection.end(), f) != selection.end();
    };
    // -1 for a figure that is no mark, else how many of its figures go.
    const auto going = [&](const QvFigure* f) {
        const auto* mark = dynamic_cast<const QvFigAngleMark*>(f);
        const QvEditDataAngle* d = mark ? mark->AngleData() : nullptr;
        return d ? int(grouped(d->m_pFirst)) + int(grouped(d->m_pSecond)) : -1;
    };
    std::vector<QvFigure*> members;
    for (QvFigure* f : selection)
        if (const int n = going(f); n == -1 || n == 2)
            members.push_back(f);
    for (QvFigure* f : figures) {
        const int n = going(f);
        if (n == 2 && std::find(members.begin(), members.end(), f) == members.end())
            members.push_back(f);
        else if (n == 1)
            parted.push_back(f);
    }
    return members;
}
} // namespace

namespace {
// True when a group of `members` would be written nested deeper than a
// drawing may be read.
bool NestsTooDeep(const std::vector<QvFigure*>& members) {
    QvFigGroup trial;
    trial.Members() = members;
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    CArchive ar(&sink, CArchive::store);
    try {
        ar.WriteObject(&trial);
    } catch (const CArchiveException&) {
    }
    trial.Members().clear(); // they stay the drawing's
    return ar.DeepestStored() > CArchive::MaxObjectDepth;
}
} // namespace

QString Lumbrel2Doc::GroupTooDeepMessage() {
    return QStringLiteral("These figures cannot be grouped: groups may be nested at most %1 deep.")
        .arg(CArchive::MaxObjectDepth - 1);
}

void Lumbrel2Doc::GroupSelection() {
    if (m_selection.empty())
        return;
    // A drawing that could be saved but not opened again is refused here.
    if (NestsTooDeep(m_selection)) {
        AfxMessageBox(GroupTooDeepMessage(), MB_ICONEXCLAMATION);
        return;
    }
    // A mark refers only to figures of its own list.  One that grouping
    // would part from a figure goes; grouping clears the history, so
    // nothing can name it afterwards.
    std::vector<QvFigure*> parted;
    m_selection = WithTheirMarks(m_figures, m_selection, parted);
    if (!parted.empty())
        UndoManager().Clear();
    for (QvFigure* mark : parted) {
        std::erase(m_figures, mark);
        ForgetFigure(mark);
        delete mark;
    }
    if (m_selection.empty())
        return;
    std::unique_ptr<QvFigure> made = CreateFigureForTool(QvFigGroup::ToolId);
    auto* group = dynamic_cast<QvFigGroup*>(made.get());
    if (!group)
        return;
    CRect b = GetSelectionBounds();
    // A frame needs some width and height to hold its members: a single
    // point or one upright line would otherwise divide by zero.
    if (b.right == b.left)
        b.right = b.left + 1;
    if (b.bottom == b.top)
        b.bottom = b.top + 1;
    QvGRRect frame;
    frame.SetFromRect(b);
    QvPointArray& g = group->DefiningPoints();
    g[0] = QvPoint(b.left, b.top);
    g[1] = QvPoint(b.right, b.top);
    g[2] = QvPoint(b.right, b.bottom);
    g[3] = QvPoint(b.left, b.bottom);
    for (int i = 0; i < 4; ++i)
        group->DisplayPoints()[i] = g[i];

    UndoManager().Clear();
    const double width = std::fabs(g[1].x - g[0].x);
    const double height = std::fabs(g[3].y - g[0].y);
    const std::vector<QvFigure*> members = m_selection;
    for (QvFigure* f : members) {
        std::erase(m_figures, f);
        QvPointArray& p = f->DefiningPoints();
        QvPointArray& d = f->DisplayPoints();
        for (int i = 0; i < p.GetSize(); ++i) {
            p[i] = QvPoint((p[i].x - g[0].x) / width * QvFigGroup::FrameUnits,
                           (p[i].y - g[0].y) / height * QvFigGroup::FrameUnits);
            if (i < d.GetSize())
                d[i] = frame.FrameToDocument(p[i]);
        }
        group->Members().push_back(f);
        f->SetGroupNesting(f->GetGroupNesting() + 1);
        ForgetSnapReference(f);
    }
    m_selection.clear();
    // The members left the list for the group: the caches start afresh.
    m_figures.push_back(made.release());
    RebuildPointCaches();
    SetModifiedFlag();
    m_selection.push_back(group);
    ResetShownStyle();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::UngroupSelection() {
    // Only a real group has members to give back; other figures that call
    // themselves groups are left whole.
    auto* group = GetSelectedCount() == 1 ? dynamic_cast<QvFigGroup*>(GetFirstSelected()) : nullptr;
    if (group && group->IsGroup()) {
        UndoManager().Clear();
        m_selection.clear();
        group->MapToFrame(NullFrame);
        for (QvFigure* f : group->Members()) {
            QvPointArray& p = f->DefiningPoints();
            const QvPointArray& d = f->DisplayPoints();
            for (int i = 0; i < std::min(p.GetSize(), d.GetSize()); ++i)
                p[i] = d[i];
            f->MapToFrame(NullFrame);
            f->BuildFromPoints();
            f->SetGroupNesting(f->GetGroupNesting() - 1);
            m_figures.push_back(f);
            m_selection.push_back(f);
            ForgetSnapReference(f);
        }
        group->Members().clear();
        std::erase(m_figures, group);
        ForgetFigure(group);
        delete group;
    }
    ResetShownStyle();
    RebuildPointCaches();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnEditGroup() {
    GroupSelection();
}

void Lumbrel2Doc::OnUpdateEditGroup(CCmdUI* ui) {
    ui->Enable(GetSelectedCount() > 1);
}

void Lumbrel2Doc::OnEditUngroup() {
    UngroupSelection();
}

void Lumbrel2Doc::OnUpdateEditUngroup(CCmdUI* ui) {
    ui->Enable(GetSelectedCount() == 1);
}

// ---------------------------------------------------------------- z-order

void Lumbrel2Doc::OnBringForward() {
    for (auto s = m_selection.rbegin(); s != m_selection.rend(); ++s) {
        auto it = std::find(m_figures.begin(), m_figures.end(), *s);
        if (it != m_figures.end() && it + 1 != m_figures.end())
            std::iter_swap(it, it + 1);
    }
    // The snap search meets the figures in drawing order.
    RebuildPointCaches();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnSendBackward() {
    for (auto s = m_selection.rbegin(); s != m_selection.rend(); ++s) {
        auto it = std::find(m_figures.begin(), m_figures.end(), *s);
        if (it != m_figures.end() && it != m_figures.begin())
            std::iter_swap(it, it - 1);
    }
    // The snap search meets the figures in drawing order.
    RebuildPointCaches();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnBringToFront() {
    for (auto s = m_selection.rbegin(); s != m_selection.rend(); ++s) {
        auto it = std::find(m_figures.begin(), m_figures.end(), *s);
        if (it == m_figures.end())
            continue;
        m_figures.erase(it);
        m_figures.push_back(*s);
    }
    // The snap search meets the figures in drawing order.
    RebuildPointCaches();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnSendToBack() {
    for (auto s = m_selection.rbegin(); s != m_selection.rend(); ++s) {
        auto it = std::find(m_figures.begin(), m_figures.end(), *s);
        if (it == m_figures.end())
            continue;
        m_figures.erase(it);
        m_figures.insert(m_figures.begin(), *s);
    }
    // The snap search meets the figures in drawing order.
    RebuildPointCaches();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

// ------------------------------------------------------------- reflection

QvGRLine Lumbrel2Doc::ReflectionMirror(UINT id, const CRect& b) {
    const CPoint c((b.left + b.right) / 2, (b.top + b.bottom) / 2);
    // A mirror of no length would turn the figures about a point: a
    // selection with no width or height still gets a mirror one unit long.
    const int m = std::max({b.right - b.left, b.bottom - b.top, 1});
    const int left = b.right > b.left ? b.left : c.x - 1;
    const int right = b.right > b.left ? b.right : c.x + 1;
    const int top = b.bottom > b.top ? b.top : c.y - 1;
    const int bottom = b.bottom > b.top ? b.bottom : c.y + 1;
    switch (id) {
    case ID_EDIT_REFLECT_HORIZONTAL:
        return QvGRLine(QvPoint(left, c.y), QvPoint(right, c.y));
    case ID_EDIT_REFLECT_VERTICAL:
        return QvGRLine(QvPoint(c.x, top), QvPoint(c.x, bottom));
    case ID_EDIT_REFLECT_Y_EQUALS_X:
        return QvGRLine(QvPoint(c.x - m, c.y - m), QvPoint(c.x + m, c.y + m));
    default: // y = -x
        return QvGRLine(QvPoint(c.x - m, c.y + m), QvPoint(c.x + m, c.y - m));
    }
}

void Lumbrel2Doc::OnEditReflect(UINT id) {
    if (m_selection.empty())
        return;
    ReflectSelection(ReflectionMirror(id, GetSelectionBounds()));
    RecordReflect();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnUpdateEditReflect(CCmdUI* ui) {
    ui->Enable(!m_selection.empty());
}
