#pragma once
// The drawing window: the 300 mm page at true size, scrolled, with the
// grid, the figures and the grips of the selection; printing and print
// preview; the edit commands the view answers itself.
//
// The page is drawn once into an off-screen image and only drawn again
// where the document changed.  Rubber bands, creation outlines and snap
// highlights are drawn over that image in each repaint, so taking them away
// is a repaint of their area and never touches the figures.
#include "framework/doc_template.h"
#include "framework/view.h"
#include "geometry/point.h"
#include "platform/command_ids.h"
#include "platform/gdi_types.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <memory>
#include <vector>

class CCmdUI;
class CDC;
class CPrintInfo;
class Lumbrel2Doc;
class QPainter;
class QPrinter;
class QScrollArea;
class QvFigText;
class QvFigure;
struct QvSnapResult;
class QvFigureState;

class Lumbrel2View : public CView {
    DECLARE_DYNAMIC(Lumbrel2View)
    DECLARE_COMMAND_MAP()
public:
    // The page in 0.01 mm, square.
    static constexpr int PageSize = 30000;
    // Mouse states: what the left button is doing.
    static constexpr int StateCreatingBetween = 121;
    static constexpr int StateDraggingSelection = 122;
    static constexpr int StateDraggingGrip = 123;
    static constexpr int StateIdle = 124;
    static constexpr int StatePressedOnSelection = 125;
    static constexpr int StatePressedOnGrip = 126;
    static constexpr int StateCreating = 127;
    static constexpr int StateCreatedByPress = 128;
    static constexpr int StateFreehand = 129;
    static constexpr int StateStartingDrag = 130;
    // A release this far (0.01 mm) from the press is a drag, not a click.
    static constexpr double DragThreshold = 100.0;
    static constexpr int TextBoxToolId = ID_DRAW_TEXT;

    explicit Lumbrel2View(QWidget* parent = nullptr);
    ~Lumbrel2View() override;

    Lumbrel2Doc* GetDocument() const;

    void OnInitialUpdate() override;
    // MM_HIMETRIC with the page's top-left corner at the device origin;
    // while printing, moved on to the tile of the current page.
    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    void OnDraw(CDC* dc);
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;

    // ---- the screen page
    // Screen pixels per inch the page is shown at.
    int PixelsPerInch() const { return m_nPixelsPerInch; }
    void SetPixelsPerInch(int ppi);
    // The page's side in canvas pixels.
    int PagePixels() const;
    QWidget* Canvas() const { return m_pCanvas; }
    QScrollArea* ScrollArea() const { return m_pScrollArea; }
    // A logical rectangle as canvas pixels, and back.
    QRect LogicalToCanvas(const CRect& r) const;
    QvPoint CanvasToLogical(const QPoint& p) const;
    // The cached page brought up to date: all of it, or the part that
    // `area` (canvas pixels) shows.
    const QImage& PageImage();
    const QImage& PageImage(const QRect& area);
    // Marks part (or all) of the cached page to be drawn again and repaints.
    void InvalidateLogical(const CRect& r);
    void InvalidatePage();
    // What the canvas shows in `area`: the cached page, then the overlay.
    void PaintCanvas(QPainter& painter, const QRect& area);

    // ---- the overlay
    // Draws the overlay over the page; the canvas's DC is prepared.
    virtual void DrawOverlay(CDC* dc);

    // ---- the mouse (lumbrel2_view_mouse.cpp), in logical page units;
    // the modifiers are those of the event.
    void OnLButtonDown(Qt::KeyboardModifiers keys, CPoint point);
    void OnMouseMove(Qt::KeyboardModifiers keys, CPoint point);
    void OnLButtonUp(Qt::KeyboardModifiers keys, CPoint point);
    void OnLButtonDblClk(Qt::KeyboardModifiers keys, CPoint point);
    void OnRButtonUp(Qt::KeyboardModifiers keys, CPoint point);
    // Escape: a figure being made is dropped, a selection or grip being
    // dragged goes back to where it was; nothing is recorded.
    void CancelMouseAction();
    int GetState() const { return m_nState; }
    QvFigure* GetNewFigure() const { return m_pNewFigure.get(); }
    // A canvas pixel as the logical point under it, held to the page.
    CPoint CanvasToPagePoint(const QPoint& p) const;

    // ---- printing
    BOOL OnPreparePrinting(CPrintInfo* info);
    void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    void OnPrint(CDC* dc, CPrintInfo* info);
    void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // Prints the drawing's pages (all, or the printer's range) on the
    // printer; returns how many were printed.  The preview uses it too.
    int PrintTo(QPrinter* printer);
    // The union of every figure's normalised bounds; empty with no figure.
    CRect PrintExtent() const;
    int GetPagesAcross() const { return m_nPagesAcross; }
    int GetPagesDown() const { return m_nPagesDown; }

    // ---- in-place text editing (lumbrel2_view_text.cpp)
    // A text box is being edited in place in its own control.
    bool IsEditingInPlace() const;
    // Lays an editor over the text box, at its place and size on the page,
    // in its font, and gives it the focus.  Escape or a press elsewhere on
    // the page ends it.
    void BeginInPlaceEdit(QvFigText* box);
    // Hands the text back to the text box and removes the control; a
    // changed text is one undo level.
    void EndInPlaceEdit();
    QWidget* InPlaceEditor() const { return m_pInPlaceEdit; }
    bool eventFilter(QObject* watched, QEvent* event) override;

    // ---- commands
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnEditDelete();
    // In a text box's control these edit its text; otherwise the drawing's
    // figures.
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnUpdateEditCopy(CCmdUI* ui);
    void OnUpdateEditCut(CCmdUI* ui);
    void OnUpdateEditPaste(CCmdUI* ui);
    // A text being edited is handed back first, so that the step taken
    // back is the typing.
    void OnEditUndo();
    void OnEditRedo();
    void OnRecalcLayout();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Draws the stale part of the cached page.
    void RenderPage(const QRect& area);
    // A screen DC on `painter` at the page's resolution.
    void PrepareScreenDC(CDC* dc) const;
    // Nothing to print: tells the user and answers true.
    bool ReportNothingToPrint() const;

    // The view's state; the mouse handling fills most of it.
    BYTE m_bButtonDown = 0;
    int m_bCaptured = 0;
    int m_nPagesAcross = 0;
    int m_nPagesDown = 0;
    // One printer page in 0.01 mm (the paper's printable area).
    int m_nPageHeight = 0;
    int m_nPageWidth = 0;
    QvPoint m_lastPoint;
    CPoint m_pressPoint;
    CPoint m_pressSnapPoint;
    CRect m_feedbackRect;
    CRect m_sectionRect;
    CRect m_printOffset;
    std::unique_ptr<QvFigure> m_pNewFigure; // until handed to the document
    int m_nHandle = -1;
    int m_nState = StateIdle;
    UINT m_nPressTool = 0;
    QWidget* m_pInPlaceEdit = nullptr;
    QvFigText* m_pEditedTextBox = nullptr;
    std::unique_ptr<QvFigureState> m_pEditBefore; // the box as editing began

    // Mouse helpers.  The snaps hand back the search's whole result; with
    // Ctrl held it is the pointer as it is, and no search is made.
    QvSnapResult SnapPoint(Qt::KeyboardModifiers keys, CPoint raw, int level, QvFigure* exclude,
                           int pointIndex);
    // Snaps with the exclusion and index the current state calls for.
    QvSnapResult SnapForState(Qt::KeyboardModifiers keys, CPoint raw, int level);
    // As a move does: the state's snap at the level the pointer's speed
    // allows.
    QvSnapResult SnapAsMove(Qt::KeyboardModifiers keys, CPoint raw);
    void StartOrContinueCreation(Qt::KeyboardModifiers keys, CPoint raw, QvPoint snapped);
    void PressOnSelection(Qt::KeyboardModifiers keys, CPoint raw);
    void StartSelectionDrag();
    void FinishCreation(bool finish);
    void CompletePolygonOrDiscard();
    void DiscardNewFigure();
    // An angle mark is being made; its last build found the corner of its
    // figures; a mark on figures that do not meet is dropped.
    bool IsMakingAngleMark() const;
    bool MarkMeetsItsFigures() const;
    void DropFailedAngleMark();
    // The status text for a move that found the view in `state`.
    void UpdateStatusText(QvPoint snapped, const QString& label, int state);
    bool IsSelectTool(UINT tool) const;

private:
    QScrollArea* m_pScrollArea = nullptr;
    QWidget* m_pCanvas = nullptr;
    int m_nPixelsPerInch = 96;
    QImage m_page;
    qreal m_dpr = 1.0; // device pixels per canvas pixel of m_page
    QRegion m_staleArea;        // canvas pixels still to draw in m_page
    bool m_bRestQueued = false; // the part not shown is to be drawn when idle
};

// The document and view the program opens drawings with.
DocumentClasses LumbrelDocumentClasses();
