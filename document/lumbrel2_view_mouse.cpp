// What the left and right mouse buttons do on the page: making figures,
// selecting, dragging the selection and its grips, the rubber band, and the
// status text under the pointer.
#include "document/lumbrel2_view.h"

#include "document/editor_state.h"
#include "document/lumbrel2_doc.h"
#include "document/undo_actions.h"
#include "document/undo_manager.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_text.h"
#include "figures/figure.h"
#include "graphs/fig_graph.h"
#include "platform/command_ids.h"
#include "settings/settings.h"

#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kPolygonToolId = ID_DRAW_POLYGON;
constexpr int kGraphToolId = ID_DRAW_GRAPH;
constexpr double kFastMovePixels = 20.0;

CPoint Truncated(const QvPoint& p) {
    CPoint c;
    p.ToCPoint(c);
    return c;
}

// The edges count as the page: near them the grid pulls the pointer onto
// them, and a press there must still start a rubber band or a figure.
bool OnPage(const CPoint& p) {
    return p.x >= 0 && p.y >= 0 && p.x <= Lumbrel2View::PageSize && p.y <= Lumbrel2View::PageSize;
}

UINT CurrentTool() {
    QvEditorState* editor = QvGetEditorState();
    return editor ? editor->m_nCurrentTool : ID_DRAW_SELECT;
}

void SetCurrentTool(UINT tool) {
    if (QvEditorState* editor = QvGetEditorState())
        editor->m_nCurrentTool = tool;
}

QString& StatusText() {
    static QString s_spare;
    QvEditorState* editor = QvGetEditorState();
    return editor ? editor->m_strStatusText : s_spare;
}

CRect Grown(CRect r, int by) {
    r.NormalizeRect();
    r.InflateRect(by, by);
    return r;
}

CRect Union(CRect a, CRect b) {
    a.NormalizeRect();
    b.NormalizeRect();
    CRect r;
    r.UnionRect(a, b);
    return r;
}
} // namespace

bool Lumbrel2View::IsSelectTool(UINT tool) const {
    return tool == ID_DRAW_SELECT || tool == ID_TOOL_SECTION_SELECT;
}

CPoint Lumbrel2View::CanvasToPagePoint(const QPoint& p) const {
    // The pointer cannot be held inside the page on every desktop, so the
    // point is: while the button is down, a point off the page counts as
    // its edge.
    QvPoint q = CanvasToLogical(p);
    CPoint c = Truncated(q);
    if (m_bCaptured) {
        c.x = std::clamp(c.x, 0, PageSize - 1);
        c.y = std::clamp(c.y, 0, PageSize - 1);
    }
    return c;
}

QvSnapResult Lumbrel2View::SnapPoint(Qt::KeyboardModifiers keys, CPoint raw, int level,
                                     QvFigure* exclude, int pointIndex) {
    Lumbrel2Doc* doc = GetDocument();
    // Ctrl draws exactly where the pointer is, and leaves the highlight of
    // the last search as it was.
    if ((keys & Qt::ControlModifier) || !doc) {
        QvSnapResult asIs;
        asIs.point = QvPoint(raw.x, raw.y);
        return asIs;
    }
    return doc->FindSnapPoint(raw.x, raw.y, level, exclude, pointIndex, QvKeys::From(keys));
}

QvSnapResult Lumbrel2View::SnapAsMove(Qt::KeyboardModifiers keys, CPoint raw) {
    // Fast movement snaps to grid points only, which keeps up with the hand.
    // A mark being made looks only for the figure under the pointer, which
    // is quick, and must find it however fast the hand went.
    const double pixel = 2540.0 / m_nPixelsPerInch;
    int level = TheSettings().MADLevel();
    if ((QvPoint(raw.x, raw.y) - m_lastPoint).Length() >= kFastMovePixels * pixel &&
        !IsMakingAngleMark())
        level = std::min(level, 1);
    return SnapForState(keys, raw, level);
}

QvSnapResult Lumbrel2View::SnapForState(Qt::KeyboardModifiers keys, CPoint raw, int level) {
    Lumbrel2Doc* doc = GetDocument();
    if (!m_bCaptured || !doc)
        return SnapPoint(keys, raw, level, nullptr, 1);
    switch (m_nState) {
    case StateCreatingBetween:
    case StateCreating:
        return SnapPoint(keys, raw, level, m_pNewFigure.get(), 1);
    case StateDraggingSelection:
    case StatePressedOnSelection:
    case StateStartingDrag:
        return SnapPoint(keys, raw, level, doc->GetFirstSelected(), 1);
    case StateDraggingGrip:
    case StatePressedOnGrip:
        if (doc->GetSelectedCount() != 1)
            m_nState = StateIdle;
        return SnapPoint(keys, raw, level, doc->GetFirstSelected(), m_nHandle);
    default:
        return SnapPoint(keys, raw, level, nullptr, 1);
    }
}

// ------------------------------------------------------------------ press

void Lumbrel2View::OnLButtonDown(Qt::KeyboardModifiers keys, CPoint raw) {
    Lumbrel2Doc* doc = GetDocument();
    if (!doc)
        return;
    const QvSnapResult found = SnapPoint(keys, raw, TheSettings().MADLevel(), nullptr, 1);
    StatusText() = found.label;
    const QvPoint snapped = found.point;
    CPoint snap = Truncated(snapped);
    // Off the page nothing happens, not even the button-down flag, which
    // would otherwise stop the right button until the next release.
    if (!OnPage(snap))
        return;
    m_bButtonDown = 1;
    m_sectionRect.SetRectEmpty();
    EndInPlaceEdit();

    const UINT tool = CurrentTool();
    // A tool change between the clicks of a figure drops the figure, and
    // the press starts afresh.
    if (m_nState == StateCreatingBetween && tool != m_nPressTool) {
        DiscardNewFigure();
        m_nState = StateIdle;
    }
    if (m_nState != StateCreatingBetween) {
        m_pressPoint = raw;
        m_pressSnapPoint = snap;
    }
    m_nPressTool = tool;
    m_lastPoint = snapped;
    m_feedbackRect = CRect(snap, snap);
    m_bCaptured = 1;
    doc->SetLastCreated(nullptr);

    if (doc->GetSelectedCount() == 0) {
        // A Ctrl click is the release's toggle: the press leaves the
        // selection alone.
        if (tool == ID_DRAW_SELECT && !(keys & Qt::ControlModifier))
            doc->SelectAtPoint(raw.x, raw.y);
        if (doc->GetSelectedCount() == 0) {
            if (!(tool == ID_DRAW_SELECT && (keys & Qt::ControlModifier)))
                StartOrContinueCreation(keys, raw, snapped);
            return;
        }
    }
    PressOnSelection(keys, raw);
}

void Lumbrel2View::StartOrContinueCreation(Qt::KeyboardModifiers keys, CPoint raw,
                                           QvPoint snapped) {
    Lumbrel2Doc* doc = GetDocument();
    const UINT tool = CurrentTool();
    if (m_pNewFigure) {
        m_pNewFigure->TrackCreatePoint(snapped, QvKeys::From(keys));
        m_pCanvas->update();
        return;
    }
    // The select and section tools drag out a select rectangle.
    m_pNewFigure = doc->CreateFigureForTool(int(tool));
    if (!m_pNewFigure)
        return;
    // A mark takes the figure under the pointer, which the search for the
    // mark itself finds where the press's search may have settled on a
    // grid point.
    if (IsMakingAngleMark()) {
        const QvSnapResult found =
            SnapPoint(keys, raw, TheSettings().MADLevel(), m_pNewFigure.get(), 1);
        snapped = found.point;
        StatusText() = found.label;
    }
    m_pNewFigure->TrackCreatePoint(IsSelectTool(tool) ? QvPoint(raw.x, raw.y) : snapped,
                                   QvKeys::From(keys));
    m_nState = tool == ID_DRAW_SMOOTH_LINE ? StateFreehand : StateCreating;
    if (m_pNewFigure->CreateClick())
        m_nState = StateCreatedByPress;
    m_pCanvas->update();
}

void Lumbrel2View::PressOnSelection(Qt::KeyboardModifiers keys, CPoint raw) {
    Lumbrel2Doc* doc = GetDocument();
    auto lookUpGrip = [&] {
        QvPoint grip(raw.x, raw.y);
        m_nHandle = doc->FindSelectedDefiningPoint(grip);
        if (m_nHandle < 0)
            return false;
        m_nState = StatePressedOnGrip;
        m_feedbackRect = Grown(Union(doc->GetSelectionBounds(), m_feedbackRect), 100);
        return true;
    };
    if (lookUpGrip())
        return;
    if (doc->IsOnSelection(raw.x, raw.y)) {
        StartSelectionDrag();
        return;
    }
    if (keys & Qt::ControlModifier)
        return;
    doc->SelectAtPoint(raw.x, raw.y);
    if (doc->GetSelectedCount() == 0) {
        StartOrContinueCreation(keys, raw, m_lastPoint);
        return;
    }
    if (!lookUpGrip())
        StartSelectionDrag();
}

void Lumbrel2View::StartSelectionDrag() {
    Lumbrel2Doc* doc = GetDocument();
    m_nState = StatePressedOnSelection;
    m_feedbackRect = Grown(doc->GetSelectionBounds(), 100);
}

// ------------------------------------------------------------------- move

void Lumbrel2View::OnMouseMove(Qt::KeyboardModifiers keys, CPoint raw) {
    Lumbrel2Doc* doc = GetDocument();
    if (!doc)
        return;
    const QvSnapResult found = SnapAsMove(keys, raw);
    const QvPoint snapped = found.point;
    const QString& label = found.label;
    // The text is chosen by the state the move found, and made once the
    // figures followed the pointer, so it never lags one move behind.
    const int state = m_nState;

    // The snap highlight follows the snap search's figures.
    if (doc->TakeSnapHighlight())
        m_pCanvas->update();

    CPoint snap = Truncated(snapped);
    m_feedbackRect.UnionRect(Grown(m_feedbackRect, 0), CRect(snap, snap));

    if (!m_bCaptured) {
        UpdateStatusText(snapped, label, state);
        bool cross = OnPage(snap) && !IsSelectTool(CurrentTool());
        m_pCanvas->setCursor(cross ? Qt::CrossCursor : Qt::ArrowCursor);
        m_lastPoint = QvPoint(raw.x, raw.y);
        return;
    }

    switch (m_nState) {
    case StateCreatingBetween:
    case StateCreating:
        if (m_pNewFigure)
            m_pNewFigure->TrackCreatePoint(snapped, QvKeys::From(keys));
        m_pCanvas->update();
        break;
    case StateFreehand:
        if (m_pNewFigure) {
            m_pNewFigure->CreateClick();
            m_pNewFigure->TrackCreatePoint(snapped, QvKeys::From(keys));
        }
        m_pCanvas->update();
        break;
    case StateCreatedByPress:
        m_pCanvas->update();
        break;
    case StatePressedOnSelection:
    case StateStartingDrag:
    case StateDraggingSelection: {
        if (doc->GetSelectedCount() == 0) {
            m_nState = StateIdle;
            break;
        }
        // The figures follow the pointer from the first move on, so they
        // stay under it.
        CRect before = doc->GetSelectionBounds();
        doc->OffsetSelection(snapped - m_lastPoint);
        InvalidateLogical(Union(before, doc->GetSelectionBounds()));
        m_nState = m_nState == StatePressedOnSelection ? StateStartingDrag : StateDraggingSelection;
        break;
    }
    case StatePressedOnGrip:
    case StateDraggingGrip: {
        if (doc->GetSelectedCount() != 1) {
            m_nState = StateIdle;
            break;
        }
        CRect before = doc->GetSelectionBounds();
        doc->MoveHandleOfSelected(m_nHandle, snapped, snap, QvKeys::From(keys));
        // A group's members were rebuilt: the snap figures may be gone.
        if (QvFigure* f = doc->GetFirstSelected(); f && f->IsGroup())
            doc->ClearSnapReferences();
        InvalidateLogical(Union(before, doc->GetSelectionBounds()));
        m_nState = StateDraggingGrip;
        break;
    }
    default:
        break;
    }
    UpdateStatusText(snapped, label, state);
    // The snapped point while dragging the selection, so each step moves by
    // snapped amounts.
    m_lastPoint = (m_nState == StateDraggingSelection || m_nState == StateStartingDrag)
                      ? snapped
                      : QvPoint(raw.x, raw.y);
}

void Lumbrel2View::UpdateStatusText(QvPoint snapped, const QString& label, int state) {
    Lumbrel2Doc* doc = GetDocument();
    QString& status = StatusText();
    const bool one = doc->GetSelectedCount() == 1;
    const bool gridLabel = label == QLatin1String("Grid Point");
    if (one &&
        (state == StatePressedOnSelection || state == StateStartingDrag || state == StateIdle)) {
        status = doc->GetFirstSelected()->GetDescription();
    } else if (one && (state == StatePressedOnGrip || state == StateDraggingGrip)) {
        status = gridLabel ? doc->GetFirstSelected()->GetDescription() : label;
    } else if (m_pNewFigure && (gridLabel || label == QLatin1String("Point"))) {
        status = m_pNewFigure->GetDescription();
    } else {
        QString readOut =
            QString::asprintf("(%.2f,%.2f)", snapped.x / 100.0, (PageSize - snapped.y) / 100.0);
        status = label.isEmpty() ? readOut : label + QStringLiteral(" - ") + readOut;
    }
}

// ---------------------------------------------------------------- release

void Lumbrel2View::OnLButtonUp(Qt::KeyboardModifiers keys, CPoint raw) {
    Lumbrel2Doc* doc = GetDocument();
    if (!m_bCaptured || !doc) {
        m_bButtonDown = 0;
        return;
    }
    // Still captured: the release snaps exactly as a move here would, with
    // the same figure left out and the same point index, so the figure ends
    // where its last feedback showed it.
    const QvSnapResult found = SnapAsMove(keys, raw);
    const QvPoint snapped = found.point;
    if (found.snapped)
        StatusText() = found.label;
    m_bCaptured = 0;
    if (m_nState == StateDraggingSelection)
        doc->RefreshPointCaches(doc->Selection());
    const double distance =
        (QvPoint(m_pressPoint.x, m_pressPoint.y) - QvPoint(raw.x, raw.y)).Length();
    // A later click of a figure that takes several is a click wherever it
    // lands, also on or near the first point.
    const bool laterClick = m_nState == StateCreatingBetween;
    const bool freehandDone =
        m_nState == StateFreehand && m_pNewFigure && m_pNewFigure->GetClickCount() >= 2;
    // A drag released before its second move is a drag all the same.
    if (m_nState == StateStartingDrag && distance >= DragThreshold)
        m_nState = StateDraggingSelection;
    if (distance >= DragThreshold || laterClick || m_nState == StateCreatedByPress ||
        freehandDone) {
        switch (m_nState) {
        case StateDraggingSelection: {
            m_nState = StateIdle;
            CRect before = doc->GetSelectionBounds();
            doc->OffsetSelection(snapped - m_lastPoint);
            doc->RecordMove();
            InvalidateLogical(Union(Union(m_feedbackRect, before), doc->GetSelectionBounds()));
            doc->RefreshPointCaches(doc->Selection());
            m_nHandle = -1;
            break;
        }
        case StateDraggingGrip: {
            m_nState = StateIdle;
            CRect before = doc->GetSelectionBounds();
            doc->MoveHandleOfSelected(m_nHandle, snapped, raw, QvKeys::From(keys));
            doc->RecordResize();
            InvalidateLogical(Union(Union(m_feedbackRect, before), doc->GetSelectionBounds()));
            doc->RefreshPointCaches(doc->Selection());
            m_nHandle = -1;
            break;
        }
        case StateCreating:
        case StateCreatingBetween:
            m_nState = StateCreatingBetween;
            if (!m_pNewFigure) {
                m_nState = StateIdle;
                break;
            }
            if (IsSelectTool(UINT(m_pNewFigure->GetToolId()))) {
                const bool section = m_pNewFigure->GetToolId() == int(ID_TOOL_SECTION_SELECT);
                DiscardNewFigure();
                m_sectionRect =
                    CRect(m_pressPoint.x, PageSize - m_pressPoint.y, raw.x, PageSize - raw.y);
                if (!section)
                    doc->MapAllToDefaultFrame();
                doc->SelectInRect(CRect(m_pressSnapPoint, raw));
                doc->UpdateAllViews(nullptr);
                if (section) {
                    doc->SaveSection(m_sectionRect);
                    SetCurrentTool(ID_DRAW_SELECT);
                }
                m_nState = StateIdle;
                break;
            }
            m_pNewFigure->TrackCreatePoint(snapped, QvKeys::From(keys));
            if (m_pNewFigure->CreateClick()) {
                if (IsMakingAngleMark() && !MarkMeetsItsFigures())
                    DropFailedAngleMark();
                else
                    FinishCreation(false);
            } else if (IsMakingAngleMark()) {
                // The mark waits for a click on its second figure; nothing
                // stays highlighted meanwhile.
                doc->ClearSnapReferences();
            }
            m_pCanvas->update();
            break;
        case StateCreatedByPress:
            if (m_pNewFigure)
                m_pNewFigure->FinishCreate();
            FinishCreation(true);
            break;
        case StateFreehand:
            m_pNewFigure->CreateClick();
            m_pNewFigure->TrackCreatePoint(snapped, QvKeys::From(keys));
            FinishCreation(true);
            break;
        default:
            break;
        }
    } else {
        if (CurrentTool() == ID_DRAW_SELECT) {
            if (keys & Qt::ControlModifier) {
                doc->ToggleSelectionAtPoint(raw.x, raw.y);
            } else if (keys & Qt::ShiftModifier) {
                doc->SelectAtPoint(raw.x, raw.y);
            } else if (doc->GetSelectedCount() == 1 &&
                       doc->GetFirstSelected()->GetToolId() == kGraphToolId) {
                if (auto* graph = dynamic_cast<QvFigGraph*>(doc->GetFirstSelected()))
                    graph->FindPointsAt(raw.x, raw.y);
                InvalidatePage();
            }
        }
        // A short drag of the selection or a grip is put back exactly as it
        // was, so nothing moved without an undo level.
        if (m_nState == StateDraggingSelection || m_nState == StateStartingDrag ||
            m_nState == StateDraggingGrip) {
            doc->RevertSelectionEdit();
            doc->UpdateAllViews(nullptr);
            m_nState = StateIdle;
        }
        if (m_pNewFigure) {
            DiscardNewFigure();
            m_nState = StateIdle;
        }
    }
    m_bButtonDown = 0;
}

void Lumbrel2View::FinishCreation(bool) {
    Lumbrel2Doc* doc = GetDocument();
    std::unique_ptr<QvFigure> made = std::move(m_pNewFigure);
    m_nState = StateIdle;
    if (!made)
        return;
    QvFigure* f = made.get();
    // Adding maps and builds the figure and brings the caches up to date.
    doc->AddFigure(made.release());
    if (doc->ContainsFigure(f)) {
        doc->SetLastCreated(f);
        doc->RecordCreation(f);
    }
    doc->UpdateAllViews(nullptr, 0, f);
    InvalidatePage();
    // A new text box is typed into straight away.
    if (auto* box = dynamic_cast<QvFigText*>(f); box && f->GetToolId() == TextBoxToolId)
        BeginInPlaceEdit(box);
}

bool Lumbrel2View::IsMakingAngleMark() const {
    return m_pNewFigure && m_pNewFigure->GetToolId() == Lumbrel2Doc::AngleMarkToolId;
}

bool Lumbrel2View::MarkMeetsItsFigures() const {
    const auto* mark = dynamic_cast<const QvFigAngleMark*>(m_pNewFigure.get());
    return mark && mark->IsBuiltValid();
}

void Lumbrel2View::DropFailedAngleMark() {
    // Figures that do not meet give no angle: the attempt leaves nothing,
    // not an invisible mark, and no highlight.
    DiscardNewFigure();
    m_nState = StateIdle;
    if (Lumbrel2Doc* doc = GetDocument())
        doc->ClearSnapReferences();
}

void Lumbrel2View::DiscardNewFigure() {
    m_pNewFigure.reset();
    m_pCanvas->update();
}

// ----------------------------------------------------------------- Escape

void Lumbrel2View::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        (m_pNewFigure || m_nState != StateIdle)) {
        CancelMouseAction();
        return;
    }
    CView::keyPressEvent(event);
}

void Lumbrel2View::CancelMouseAction() {
    Lumbrel2Doc* doc = GetDocument();
    switch (m_nState) {
    case StatePressedOnSelection:
    case StateStartingDrag:
    case StateDraggingSelection:
    case StatePressedOnGrip:
    case StateDraggingGrip:
        if (doc) {
            doc->RevertSelectionEdit();
            doc->UpdateAllViews(nullptr);
        }
        break;
    default:
        break;
    }
    if (m_pNewFigure)
        DiscardNewFigure();
    // The button's release, if it is still held, finds nothing to finish.
    m_bCaptured = 0;
    m_nHandle = -1;
    m_nState = StateIdle;
    m_pCanvas->update();
}

// ---------------------------------------------- double click, right button

void Lumbrel2View::CompletePolygonOrDiscard() {
    if (!m_pNewFigure)
        return;
    if (CurrentTool() != kPolygonToolId) {
        DiscardNewFigure();
        m_nState = StateIdle;
        return;
    }
    // The double click's second press added a point: take it back.
    m_pNewFigure->SetClickCount(m_pNewFigure->GetClickCount() - 1);
    m_pNewFigure->SetPointCount(m_pNewFigure->GetPointCount() - 1);
    m_pNewFigure->BuildFromPoints();
    FinishCreation(true);
}

void Lumbrel2View::OnLButtonDblClk(Qt::KeyboardModifiers, CPoint raw) {
    Lumbrel2Doc* doc = GetDocument();
    if (!doc)
        return;
    EndInPlaceEdit();
    CompletePolygonOrDiscard();
    m_nState = StateIdle;
    doc->SelectAtPoint(raw.x, raw.y);
    if (doc->GetSelectedCount() == 1)
        if (auto* box = dynamic_cast<QvFigText*>(doc->GetFirstSelected()))
            BeginInPlaceEdit(box);
    SetCurrentTool(ID_DRAW_SELECT);
    m_pCanvas->setCursor(Qt::ArrowCursor);
}

void Lumbrel2View::OnRButtonUp(Qt::KeyboardModifiers, CPoint raw) {
    Lumbrel2Doc* doc = GetDocument();
    if (!doc)
        return;
    doc->UpdateAllViews(this);
    if (m_bButtonDown)
        return;
    EndInPlaceEdit();
    doc->SelectAtPoint(raw.x, raw.y);
    CompletePolygonOrDiscard();
    if (doc->GetSelectedCount() == 1 && m_nState != StateDraggingSelection &&
        m_nState != StateDraggingGrip && m_nState != StatePressedOnGrip) {
        QvFigure* f = doc->GetFirstSelected();
        const QRect device = LogicalToCanvas(CRect(raw, raw));
        // A dialog cancelled, or a figure without one, records nothing.
        doc->EditFigures({f}, [&] { f->EditProperties(raw, CPoint(device.left(), device.top())); });
        if (CurrentTool() != ID_DRAW_SELECT)
            doc->ClearSelection();
    }
    m_nState = StateIdle;
    InvalidatePage();
}
