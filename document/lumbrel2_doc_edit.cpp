// Selection and the edits that act on the selected figures.
#include "document/lumbrel2_doc.h"

#include "document/undo_actions.h"
#include "document/undo_manager.h"
#include "figures/figure.h"
#include "settings/settings.h"

#include <algorithm>

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
    // An undone creation sits in the deleted list: nothing to take.
    if (std::find(m_figures.begin(), m_figures.end(), figure) == m_figures.end())
        return nullptr;
    return figure;
}

void Lumbrel2Doc::DeleteSelection() {
    if (m_selection.empty())
        return;
    // Top figure first: undo restores newest first, each on top, so the
    // figures come back in the order they were drawn in.
    std::vector<QvFigure*> doomed;
    for (auto it = m_figures.rbegin(); it != m_figures.rend(); ++it)
        if (IsSelected(*it))
            doomed.push_back(*it);
    QvUndoManager& undo = UndoManager();
    undo.BeginRecord();
    for (QvFigure* f : doomed) {
        if (!MoveToDeleted(f))
            continue;
        f->SetDeleted(true);
        auto* action = new QvDeleteAction(f, this);
        if (!undo.AddAction(action))
            delete action;
    }
    undo.EndRecord();
    m_selection.clear();
    RebuildPointCaches();
    ResetShownStyle();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}
