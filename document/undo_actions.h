#pragma once
// The changes the undo manager can reverse and repeat, one figure each.
#include "document/undo_manager.h"
#include "geometry/gr_line.h"
#include "geometry/point.h"

#include <memory>
#include <vector>

class Lumbrel2Doc;
class QvEditData;
class QvFigure;

// An action on one figure; with no figure it does nothing.
class QvUndoAction : public QvUndoItem {
public:
    explicit QvUndoAction(QvFigure* figure = nullptr) : m_pFigure(figure) {}
    virtual void Undo() {}
    virtual void Redo() {}

    QvFigure* m_pFigure; // not owned
};

// A figure added to the drawing.
class QvCreateAction : public QvUndoAction {
public:
    QvCreateAction(QvFigure* figure, Lumbrel2Doc* doc) : QvUndoAction(figure), m_pDoc(doc) {}
    void Undo() override;
    void Redo() override;

    Lumbrel2Doc* m_pDoc;
};

// A figure taken out of the drawing; undoing brings it back on top.
class QvDeleteAction : public QvUndoAction {
public:
    QvDeleteAction(QvFigure* figure, Lumbrel2Doc* doc) : QvUndoAction(figure), m_pDoc(doc) {}
    void Undo() override;
    void Redo() override;

    Lumbrel2Doc* m_pDoc;
};

// A figure moved by an offset.  Each step turns the offset round and moves
// by it, so undo and redo may alternate any number of times.
class QvMoveAction : public QvUndoAction {
public:
    QvMoveAction(QvFigure* figure, QvVector offset) : QvUndoAction(figure), m_offset(offset) {}
    void Undo() override;
    void Redo() override;

    QvVector m_offset;
};

// A figure mirrored in a line; mirroring again undoes it.
class QvReflectAction : public QvUndoAction {
public:
    QvReflectAction(QvFigure* figure, const QvGRLine& mirror)
        : QvUndoAction(figure), m_mirror(mirror) {}
    void Undo() override;
    void Redo() override;

    QvGRLine m_mirror;
};

// A grip dragged from one place to another.
class QvResizeAction : public QvUndoAction {
public:
    explicit QvResizeAction(QvFigure* figure, int grip = -1)
        : QvUndoAction(figure), m_nGrip(grip) {}
    void Undo() override;
    void Redo() override;

    int m_nGrip;
    QvPoint m_redoTarget;
    QvPoint m_undoTarget;
    QvPoint m_redoCompanion;
    QvPoint m_undoCompanion;
};

// A figure's attributes before and after a change; owns both records.
class QvFormatAction : public QvUndoAction {
public:
    explicit QvFormatAction(QvFigure* figure = nullptr);
    ~QvFormatAction() override;
    void Undo() override;
    void Redo() override;

    std::unique_ptr<QvEditData> m_pBefore;
    std::unique_ptr<QvEditData> m_pAfter;
};

// A figure's points before and after an edit that adds, removes or moves
// them, such as vertex editing at a right-click.  Made before the edit.
class QvPointsAction : public QvUndoAction {
public:
    explicit QvPointsAction(QvFigure* figure);
    // Takes the points after the edit.
    void TakeAfter();
    // The edit changed the points.
    bool Changed() const;
    void Undo() override;
    void Redo() override;

private:
    struct Snapshot {
        int points = 0;
        int clicks = 0;
        std::vector<QvPoint> defining;
        bool operator==(const Snapshot&) const = default;
    };
    static Snapshot Take(const QvFigure* figure);
    void Put(const Snapshot& snapshot);

    Snapshot m_before;
    Snapshot m_after;
};
