#include "document/undo_actions.h"

#include "document/lumbrel2_doc.h"
#include "figures/edit_data.h"
#include "figures/figure.h"
#include "settings/step_tables.h"

// Create and delete take out exactly their own figure, so the lists stay
// right even after the drawing order was changed without a record.

void QvCreateAction::Undo() {
    if (m_pFigure && m_pDoc)
        m_pDoc->MoveToDeleted(m_pFigure);
}

void QvCreateAction::Redo() {
    if (m_pFigure && m_pDoc)
        m_pDoc->RestoreFromDeleted(m_pFigure);
}

void QvDeleteAction::Undo() {
    if (m_pFigure && m_pDoc && m_pDoc->RestoreFromDeleted(m_pFigure))
        m_pFigure->SetDeleted(false);
}

void QvDeleteAction::Redo() {
    if (m_pFigure && m_pDoc && m_pDoc->MoveToDeleted(m_pFigure))
        m_pFigure->SetDeleted(true);
}

void QvMoveAction::Undo() {
    if (!m_pFigure)
        return;
    m_offset = m_offset * -1.0;
    m_pFigure->Move(m_offset);
}

void QvMoveAction::Redo() {
    Undo();
}

void QvReflectAction::Undo() {
    if (m_pFigure)
        m_pFigure->Reflect(m_mirror);
}

void QvReflectAction::Redo() {
    Undo();
}

void QvResizeAction::Undo() {
    if (m_pFigure)
        m_pFigure->MoveHandle(m_nGrip, m_undoTarget, m_undoCompanion);
}

void QvResizeAction::Redo() {
    if (m_pFigure)
        m_pFigure->MoveHandle(m_nGrip, m_redoTarget, m_redoCompanion);
}

QvFormatAction::QvFormatAction(QvFigure* figure) : QvUndoAction(figure) {}

QvFormatAction::~QvFormatAction() = default;

void QvFormatAction::Undo() {
    if (m_pFigure && m_pBefore && m_pFigure->GetEditData())
        m_pFigure->CopyEditData(m_pFigure->GetEditData(), m_pBefore.get());
}

void QvFormatAction::Redo() {
    if (m_pFigure && m_pAfter && m_pFigure->GetEditData())
        m_pFigure->CopyEditData(m_pFigure->GetEditData(), m_pAfter.get());
}

QvPointsAction::QvPointsAction(QvFigure* figure) : QvUndoAction(figure) {
    m_before = m_after = Take(figure);
}

QvPointsAction::Snapshot QvPointsAction::Take(const QvFigure* figure) {
    Snapshot s;
    if (!figure)
        return s;
    s.points = figure->GetPointCount();
    s.clicks = figure->GetClickCount();
    const QvPointArray& points = figure->DefiningPoints();
    for (int i = 0; i < s.points; ++i)
        s.defining.push_back(points[i]);
    return s;
}

void QvPointsAction::Put(const Snapshot& s) {
    if (!m_pFigure || !m_pFigure->SetPointCount(s.points))
        return;
    m_pFigure->SetClickCount(s.clicks);
    QvPointArray& points = m_pFigure->DefiningPoints();
    for (int i = 0; i < s.points; ++i)
        points[i] = s.defining[size_t(i)];
    m_pFigure->MapToFrame(NullFrame);
    m_pFigure->BuildFromPoints();
}

void QvPointsAction::TakeAfter() {
    m_after = Take(m_pFigure);
}

bool QvPointsAction::Changed() const {
    return !(m_before == m_after);
}

void QvPointsAction::Undo() {
    Put(m_before);
}

void QvPointsAction::Redo() {
    Put(m_after);
}
