#pragma once
// The changes the undo manager can reverse and repeat, one figure each.
#include "document/figure_state.h"
#include "document/undo_manager.h"

#include <memory>
#include <vector>

class Lumbrel2Doc;
class QvFigure;

// An action on one figure; with no figure it does nothing.
class QvUndoAction : public QvUndoItem {
public:
    explicit QvUndoAction(QvFigure* figure = nullptr) : m_pFigure(figure) {}

    QvFigure* m_pFigure; // not owned
};

// A figure added to the drawing.  Undone, the figure is out of the drawing
// and the action owns it, so it goes when the action leaves the history.
class QvCreateAction : public QvUndoAction {
public:
    QvCreateAction(QvFigure* figure, Lumbrel2Doc* doc);
    ~QvCreateAction() override;
    void Undo() override;
    void Redo() override;

    Lumbrel2Doc* m_pDoc;

private:
    std::unique_ptr<QvFigure> m_pHeld;
};

// A figure taken out of the drawing; undoing brings it back on top.  Done,
// the action owns the figure.
class QvDeleteAction : public QvUndoAction {
public:
    QvDeleteAction(QvFigure* figure, Lumbrel2Doc* doc);
    ~QvDeleteAction() override;
    void Undo() override;
    // Also what deleting does the first time.
    void Redo() override;

    Lumbrel2Doc* m_pDoc;

private:
    std::unique_ptr<QvFigure> m_pHeld;
};

// A figure's state before and after an edit of it: undo and redo put the
// one or the other back exactly.
class QvChangeAction : public QvUndoAction {
public:
    // The state after is the figure's state now.
    QvChangeAction(QvFigure* figure, QvFigureState before);
    void Undo() override;
    void Redo() override;
    bool ChangesNothing() const { return m_before.IsSameAs(m_after); }

    QvFigureState m_before;
    QvFigureState m_after;
};

// The edits, named for what they record.
class QvMoveAction : public QvChangeAction {
    using QvChangeAction::QvChangeAction;
};
class QvReflectAction : public QvChangeAction {
    using QvChangeAction::QvChangeAction;
};
class QvResizeAction : public QvChangeAction {
    using QvChangeAction::QvChangeAction;
};
class QvFormatAction : public QvChangeAction {
    using QvChangeAction::QvChangeAction;
};
