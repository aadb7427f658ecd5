#include "document/undo_actions.h"

#include "document/lumbrel2_doc.h"
#include "figures/figure.h"

// Create and delete take out exactly their own figure, so the lists stay
// right even after the drawing order was changed without a record.

QvCreateAction::QvCreateAction(QvFigure* figure, Lumbrel2Doc* doc)
    : QvUndoAction(figure), m_pDoc(doc) {}

QvCreateAction::~QvCreateAction() = default;

void QvCreateAction::Undo() {
    if (m_pFigure && m_pDoc && !m_pHeld)
        m_pHeld = m_pDoc->TakeFigure(m_pFigure);
}

void QvCreateAction::Redo() {
    if (m_pHeld)
        m_pDoc->PutBackFigure(std::move(m_pHeld));
}

QvDeleteAction::QvDeleteAction(QvFigure* figure, Lumbrel2Doc* doc)
    : QvUndoAction(figure), m_pDoc(doc) {}

QvDeleteAction::~QvDeleteAction() = default;

void QvDeleteAction::Undo() {
    if (!m_pHeld)
        return;
    m_pHeld->SetDeleted(false);
    m_pDoc->PutBackFigure(std::move(m_pHeld));
}

void QvDeleteAction::Redo() {
    if (!m_pFigure || !m_pDoc || m_pHeld)
        return;
    m_pHeld = m_pDoc->TakeFigure(m_pFigure);
    if (m_pHeld)
        m_pHeld->SetDeleted(true);
}

QvChangeAction::QvChangeAction(QvFigure* figure, QvFigureState before)
    : QvUndoAction(figure), m_before(std::move(before)),
      m_after(figure ? QvFigureState(*figure) : QvFigureState()) {}

void QvChangeAction::Undo() {
    if (m_pFigure)
        m_before.ApplyTo(*m_pFigure);
}

void QvChangeAction::Redo() {
    if (m_pFigure)
        m_after.ApplyTo(*m_pFigure);
}
