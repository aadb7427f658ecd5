#pragma once
// The drawing document: the figure list, the selection, the background
// grid, the undo manager (whose records own the figures they took out of
// the drawing) and the point caches snapping reads.  Every editing command ends here and every view
// reads from here.
//
// The code is spread over several files by concern: lumbrel2_doc.cpp (the
// lists, lifetime, bounds), lumbrel2_doc_edit.cpp (selection and editing),
// lumbrel2_doc_undo.cpp (Edit>Undo and Edit>Redo), lumbrel2_doc_snap.cpp
// (the point caches and the snap search).
#include "diagrams/gallery_list.h"
#include "document/background_grid.h"
#include "document/figure_state.h"
#include "document/snap_engine.h"
#include "figures/copy_map.h"
#include "figures/figure_list.h"
#include "figures/legacy_losses.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "framework/document.h"
#include "geometry/gr_rect.h"
#include "geometry/point.h"
#include "geometry/special_point.h"
#include "platform/command_ids.h"
#include "platform/gdi_types.h"
#include "platform/keys.h"
#include "settings/color_scheme.h"

#include <functional>
#include <memory>
#include <vector>

class CCmdUI;
class CDC;
class CLumbrel2SrvrItem;
class CView;
class QClipboard;
class QvFigGallery;
class QvFigure;
class QvUndoItem;
class QvUndoManager;

// What the snap search found for one pointer position.  Without a snap the
// point is the pointer's and the rest is empty.  The frames are copies: the
// search's records change with the next edit.
struct QvSnapResult {
    QvPoint point;
    bool snapped = false;
    QString label; // "Centre", "Grid Point", ...: the status text's start
    // The figures the point belongs to (the second for a crossing), for the
    // highlight, and the frames they are drawn through.
    QvFigure* figure1 = nullptr;
    QvFigure* figure2 = nullptr;
    QvGRRect frame1;
    QvGRRect frame2;
};

class Lumbrel2Doc : public CDocument {
    DECLARE_DYNAMIC(Lumbrel2Doc)
    DECLARE_COMMAND_MAP()
public:
    // The drawing file version this program writes.
    static constexpr WORD FileVersion = 1;
    static constexpr int UndoLevels = 200;
    static constexpr int UndoTrimCount = 50;
    static constexpr int AngleMarkToolId = ID_DRAW_ANGLE_MARK;
    static constexpr int GalleryFigureToolId = ID_DRAW_GALLERY_FIGURE;

    Lumbrel2Doc();
    ~Lumbrel2Doc() override;

    // ---- figure list (head drawn first, tail on top)
    // Appends on top, rebuilds the point caches and marks the drawing
    // changed.  The document owns the figure from here.
    void AddFigure(QvFigure* figure);
    // Null for an index outside the list.
    QvFigure* GetFigure(int i) const;
    int GetFigureCount() const { return int(m_figures.size()); }
    const std::vector<QvFigure*>& Figures() const { return m_figures.View(); }
    // Some figure of the list is, or (as a group) contains, `figure`.
    bool ContainsFigure(const QvFigure* figure) const;
    // The parts of every figure, less one.
    int GetTotalPartCount() const;
    // The union of the figures' bounds; (0, 0, 0, 0) for an empty drawing.
    CRect GetDrawingBounds() const;
    // A new figure for a drawing tool; null for a tool without a figure.
    std::unique_ptr<QvFigure> CreateFigureForTool(int toolId);
    bool CanCreateFigureForTool(int toolId) const;
    void DrawGrid(CDC* dc, int left, int top, int right, int bottom);
    // False for a figure that can no longer stand: an angle mark whose lines
    // are gone, a figure (or group member) that reports itself invalid.  The
    // caches leave such a figure out; edits never make one.
    static bool FigureStands(const QvFigure* figure);

    // ---- selection (not owning; in the order selected)
    QvFigure* GetSelected(int i) const;
    int GetSelectedCount() const { return int(m_selection.size()); }
    const std::vector<QvFigure*>& Selection() const { return m_selection; }
    QvFigure* GetFirstSelected() const;
    // Defining point 0 of the first selected figure; (0, 0) with none.
    QvPoint GetFirstSelectedPoint() const;
    // With exactly one figure selected, its defining point near `pt` (moved
    // onto it); -1 otherwise.
    int FindSelectedDefiningPoint(QvPoint& pt) const;
    // The union of the selected figures' bounds; (-1, 0, 0, 0) with none.
    CRect GetSelectionBounds() const;
    bool IsSelected(const QvFigure* figure) const;
    // These two change the list only; the selecting operations end with
    // EndSelectionChange.
    void ClearSelection();
    void AddToSelection(QvFigure* figure);
    // What every selecting operation ends with: an added figure's style
    // becomes the shown style, the rotation centre follows the selection,
    // the saved style comes back unless exactly one figure is selected, and
    // the views are told.
    void EndSelectionChange(QvFigure* added);
    // Deletes the selected figures so that Edit>Undo brings them back.
    void DeleteSelection();
    // The figure just made with a tool, which Delete takes instead of the
    // selection; taking it clears it.  Null once it left the drawing.
    void SetLastCreated(QvFigure* figure) { m_pLastCreated = figure; }
    QvFigure* TakeLastCreated();

    // ---- figures leaving and coming back (for the undo records only)
    // Takes a figure out of the drawing and hands it over; null when it is
    // not in the figure list.
    std::unique_ptr<QvFigure> TakeFigure(QvFigure* figure);
    // Puts a figure taken out back on top of the drawing.
    void PutBackFigure(std::unique_ptr<QvFigure> figure);

    // ---- point caches (snapping)
    // Maps and builds every figure and makes the caches afresh: after
    // opening, pasting, undo and the edits that touch many figures.
    void RebuildPointCaches();
    // The caches follow an edit of these figures only (and of the angle
    // marks on them); the figures are mapped and built again first.
    void RefreshPointCaches(const std::vector<QvFigure*>& changed);
    // The angle marks, outside `changed`, that mark a figure of it.
    std::vector<QvFigure*> MarksOf(const std::vector<QvFigure*>& changed) const;
    // The point the pointer at (x, y) snaps to at the given drawing level,
    // ignoring `exclude` (the figure being made or dragged), with the keys
    // of the mouse message: Ctrl takes the pointer as it is, Shift leaves
    // only the grid.  The snapped figures are also kept for the highlight,
    // selection and angle marks (the m_pSnapFigure fields).
    QvSnapResult FindSnapPoint(int x, int y, int level, QvFigure* exclude, int pointIndex,
                               QvKeys keys);
    // The caches as they stand: every figure's own snap points, the figure
    // shapes, and the construction shapes of the last search.
    const QvSnapPointList& CharacteristicPoints() const { return m_snap.Points(); }
    const QvShapeList& FigureShapes() const { return m_snap.Shapes(); }
    const QvShapeList& ConstructionShapes() const { return m_snap.Guides(); }
    // Every crossing of two figure shapes, made on demand: the search makes
    // only those near the pointer.
    QvSnapPointList Crossings() const { return m_snap.Crossings(); }

    QvUndoManager& UndoManager() { return *m_pUndoManager; }
    QvBackgroundGrid& Grid() { return m_grid; }
    QvColorScheme& CustomColors() { return m_customColors; }
    QvCopyMap& CopyMap() { return m_copyMap; }
    QvPoint GetRotationCentre() const { return m_rotationCentre; }
    // The snap search's figure references; cleared after each repaint.
    void ClearSnapReferences();

    // ---- framework
    void DeleteContents() override;
    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;

    // ---- commands
    void OnEditUndo();
    void OnEditRedo();
    void OnUpdateEditUndo(CCmdUI* ui);
    void OnUpdateEditRedo(CCmdUI* ui);

    // ---- selection and editing: picking, the selection's edits, tool and
    // format commands (lumbrel2_doc_edit.cpp, lumbrel2_doc_format.cpp)
    static constexpr double HitTolerance = 200.0;
    static constexpr int BandMargin = 40;
    // Selecting, each ending with EndSelectionChange.
    void SelectAtPoint(int x, int y);
    void ToggleSelectionAtPoint(int x, int y);
    void SelectInRect(CRect band);
    void SelectAll();
    // The figure under (x, y); repeated calls at one point step down
    // through the figures stacked there.
    QvFigure* HitTestFigures(int x, int y);
    bool IsOnSelection(int x, int y) const;
    // The selected figures, then all their grips above them.
    void DrawSelection(CDC* dc, int mode);
    // Every figure's display points from its defining points.
    void MapAllToDefaultFrame();
    // The edits of the selection: moving, grip dragging and reflecting
    // record nothing while the drag goes on; the first of them keeps each
    // figure's state from before, and the Record calls make the undo level
    // from it (none when nothing changed).  A step that would leave a figure
    // unable to stand is refused: the figures stay where the last step put
    // them.
    void OffsetSelection(QvVector v);
    void RecordMove();
    void MoveHandleOfSelected(int grip, QvPoint target, CPoint companion, QvKeys keys);
    void RecordResize();
    void ReflectSelection(const QvGRLine& mirror);
    void RecordReflect();
    // Puts the selection back as it was before the unrecorded edits.
    void RevertSelectionEdit();
    // One undo level with one create action for a figure just added.
    void RecordCreation(QvFigure* figure);
    // The actions as one undo level, leaving out those that change nothing;
    // with none left no level is opened, so Redo stays.
    void RecordLevel(std::vector<std::unique_ptr<QvUndoItem>> actions);
    // Runs `edit`, which changes some of `figures` (a dialog's OK, a style
    // applied), as one user edit: one undo level with a format action for
    // each figure it changed, their snap points refreshed and the drawing
    // marked modified.  When nothing changed, nothing is recorded or
    // marked.  True when a figure changed.
    bool EditFigures(std::vector<QvFigure*> figures, const std::function<void()>& edit);
    void GroupSelection();
    // Said when grouping would nest groups deeper than a drawing may be read.
    static QString GroupTooDeepMessage();
    void UngroupSelection();
    // Turns the selection about the rotation centre; positive is
    // counter-clockwise.  No undo.
    void RotateSelection(double degrees);
    // Drops the snap search's references to a figure leaving the list.
    void ForgetSnapReference(const QvFigure* figure);

    void OnEditSelectAll();
    void OnEditGroup();
    void OnUpdateEditGroup(CCmdUI* ui);
    void OnEditUngroup();
    void OnUpdateEditUngroup(CCmdUI* ui);
    void OnRotate15Clockwise();
    void OnRotate15CounterClockwise();
    void OnRotate1Clockwise();
    void OnRotate1CounterClockwise();
    void OnBringForward();
    void OnBringToFront();
    void OnSendBackward();
    void OnSendToBack();
    // Edit>Reflect over the horizontal, the vertical, y = x or y = -x
    // through the selection's centre.
    void OnEditReflect(UINT id);
    void OnUpdateEditReflect(CCmdUI* ui);

    void OnSelectTool(UINT id);
    void OnUpdateSelectTool(CCmdUI* ui);
    void OnUpdateAngleMarkTool(CCmdUI* ui);
    void OnFormatLineStyle(UINT id);
    void OnFormatFillStyle(UINT id);
    void OnFormatLineColour();
    void OnFormatFillColour();
    void OnDrawingLevel(UINT id);
    void OnUpdateDrawingLevel(CCmdUI* ui);
    void OnToolsGrid();
    // The style steps of the format commands: undoable on a selection,
    // otherwise the default for new figures.
    void ApplyLineStyle(int style);
    void ApplyFillStyle(int style);
    void ApplyLineColour(COLORREF colour);
    void ApplyFillColour(COLORREF colour);
    // The colour dialog over the document's custom colours, through the
    // command dialogs; false when cancelled or there is none.  Tests replace
    // it.
    virtual bool ChooseColour(COLORREF& colour);
    // ---- end of selection and editing

    // The last snap search's figures (null for none) and the frames they
    // were found in: the highlight draws them.
    QvFigure* SnapFigure1() const { return m_pSnapFigure1; }
    QvFigure* SnapFigure2() const { return m_pSnapFigure2; }
    const QvGRRect& SnapFrame1() const { return m_snapFrame1; }
    const QvGRRect& SnapFrame2() const { return m_snapFrame2; }
    // True when the snap search's figures are not those the view last
    // highlighted; they count as highlighted from now on.
    bool TakeSnapHighlight();

private:
    // The last snap search's figures and frames, taken from its result in
    // one place (KeepSnapFigures) and dropped with a figure that goes: the
    // highlight, SelectAtPoint and the view's repaint check read them.
    QvFigure* m_pSnapFigure1 = nullptr;
    QvFigure* m_pSnapFigure2 = nullptr;
    QvGRRect m_snapFrame1;
    QvGRRect m_snapFrame2;
    // The figures the view last highlighted, and working counters.
    QvFigure* m_pSnapRef1 = nullptr;
    QvFigure* m_pSnapRef2 = nullptr;
    QvGRRect m_snapFrame3;
    QvGRRect m_snapFrame4;
    int m_nSnapWork1 = 0;
    int m_nSnapWork2 = 0;

    // The shown drawing style from the saved settings.
    static void ResetShownStyle();
    static bool AngleMarkLinesPresent(const QvFigure* mark);
    // The Line tool is chosen: circle pairs offer their common tangents.
    static bool LineToolChosen();
    // A rebuild the caches asked for, before they are read.
    void EnsurePointCaches();
    // The snap result's figures as the document's and the angle mark's
    // snapped figures.
    void KeepSnapFigures(const QvSnapResult& found);
    // Takes a figure out of every reference the document keeps besides the
    // lists.
    void ForgetFigure(const QvFigure* figure);
    // Keeps the figure's state from before the selection's unrecorded edit,
    // once per figure.
    // The figures' states and those of the marks on them.
    void KeepStatesBeforeEdit(const std::vector<QvFigure*>& figures);
    void KeepStateBeforeEdit(QvFigure* figure);
    template <class Action> void RecordSelectionEdit();

    QvFigureList m_figures;
    std::vector<QvFigure*> m_selection;
    struct PendingEdit {
        QvFigure* figure;
        QvFigureState before;
    };
    std::vector<PendingEdit> m_pendingEdit;
    QvPoint m_rotationCentre;
    QvFigure* m_pLastCreated = nullptr;

    // The point caches and the snap search.
    QvSnapEngine m_snap;
    QvColorScheme m_customColors;
    QvCopyMap m_copyMap;

    std::unique_ptr<QvUndoManager> m_pUndoManager;
    QvBackgroundGrid m_grid;

    // ---- drawing file (lumbrel2_doc_file.cpp)
public:
    // The string a drawing file begins with.
    static constexpr const char* FileMagic = "ZKW2";
    WORD GetFileVersion() const { return m_nFileVersion; }
    // A file without the magic is an older drawing; once it is open, what
    // it held that could not be kept is said.
    BOOL OnOpenDocument(const QString& path) override;
    static QString OlderFormatLossMessage(const QString& path, const QvLegacyLosses& losses);

private:
    // Every figure of the older file, or nothing.
    void ReadOlderDrawing(CArchive& ar);

    WORD m_nFileVersion = FileVersion;
    QvLegacyLosses m_legacyLosses; // of the last older drawing read

    // ---- clipboard (lumbrel2_doc_clipboard.cpp)
public:
    // Copies the selection into the editor state's figure list, which Paste
    // reads, and offers a picture of it to other programs.
    void CopySelectionToClipboard();
    // Adds copies of the editor state's figures, one grid step further right
    // and down each time, selected, as one undo level.
    void PasteFromClipboard();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditDuplicate();
    void OnUpdateEditCopy(CCmdUI* ui);
    void OnUpdateEditCut(CCmdUI* ui);
    void OnUpdateEditPaste(CCmdUI* ui);

protected:
    // The system clipboard; null when there is none.  Tests replace it.
    virtual QClipboard* OpenClipboard();

    // ---- web graphics (lumbrel2_doc_export.cpp)
public:
    // Pictures for web pages are 25 units (0.25 mm) a pixel; the whole
    // drawing gets a margin of 250 units round its figures.
    static constexpr int WebUnitsPerPixel = 25;
    static constexpr int WebMargin = 250;
    // Tools > Web Graphics > Save All, and Save Section, which only takes
    // up the section tool: the view hands the section over to SaveSection.
    void OnSaveAll();
    void OnSaveSection();
    // Asks for a file and saves the picture of a section of the page, in
    // units from the page's top-left corner, dragged either way round.
    void SaveSection(CRect section);
    // Write the picture; false, after telling the user why, when they
    // cannot.  An earlier file of the name stays until the new one is
    // complete.
    bool SavePngOfDrawing(const QString& path);
    bool SaveBmpOfDrawing(const QString& path);
    bool SavePngOfSection(const QString& path, CRect section);
    bool SaveBmpOfSection(const QString& path, CRect section);
    // The name a picture is written under: a ".png" or ".bmp" name (in any
    // case) as it is, with ".png" added to any other.
    static QString WebGraphicPath(const QString& chosen);

protected:
    // The save dialog for pictures, through the command dialogs; false when
    // cancelled or there is none.  Tests replace it.
    virtual bool ChooseWebGraphicFile(QString& path);

private:
    // What a picture shows and how the page maps onto its pixels.
    struct WebPicture {
        CRect recorded; // the figures' offset rectangle
        CSize pixels;
        CSize windowExt;
        CPoint viewportOrg;
        CSize viewportExt;
    };
    WebPicture DrawingPicture() const;
    static WebPicture SectionPicture(CRect section);
    void DrawWebPicture(CDC* dc, const WebPicture& picture);
    void SaveWebGraphic(const WebPicture& picture);
    bool SavePng(const QString& path, const WebPicture& picture);
    bool SaveBmp(const QString& path, const WebPicture& picture);

    // ---- galleries (lumbrel2_doc_gallery.cpp)
public:
    // The galleries of the gallery folder; its chosen figure is what the
    // gallery tool draws.
    QvGalleryList& Galleries() { return m_galleries; }
    // Opens the gallery browser on a list; the shell fills it.
    using GalleryBrowser = std::function<void(QvGalleryList& galleries)>;
    static GalleryBrowser SetGalleryBrowser(GalleryBrowser browser);
    void OnSelectGalleryFigure();
    void OnUpdateGalleryTool(CCmdUI* ui);

private:
    QvGalleryList m_galleries;

    // ---- document commands (lumbrel2_doc_commands.cpp)
public:
    // The dialogs the document's commands open.  The shell fills them at
    // start-up and tests replace them; an empty hook answers as Cancel.
    struct CommandDialogs {
        // A preference dialog by its command id, with all its OK does.
        std::function<void(UINT id)> preferences;
        // The grid dialog on `grid`; true on OK.
        std::function<bool(GridValues& grid)> grid;
        // The gallery a figure is added to; -1 on Cancel.
        std::function<int(QvGalleryList& galleries)> chooseGallery;
        // The colour dialog starting from `colour`, over the drawing's custom
        // colours, which it may change; true on OK.
        std::function<bool(COLORREF& colour, QvColorScheme& custom)> chooseColour;
        // The save dialog for pictures; true with a path on OK.
        std::function<bool(QString& path)> chooseWebGraphicFile;
    };
    // Returns the hooks in place before.
    static CommandDialogs SetCommandDialogs(CommandDialogs dialogs);

private:
    static CommandDialogs& Dialogs();

public:
    // Moves the selected figures by `offset` as one undo level.
    void MoveSelection(QvVector offset);
    // The line Edit>Reflect mirrors a selection with these bounds in.
    static QvGRLine ReflectionMirror(UINT id, const CRect& bounds);
    // A gallery figure holding copies of the selected figures in its 1000
    // by 1000 frame, with the selection's proportions; null when the
    // selection has no width or no height.  The drawing is not changed.
    std::unique_ptr<QvFigGallery> MakeGalleryFigureOfSelection();
    // Where Save As starts for a drawing: its own file, or for one never
    // saved its name in the default folder (when one is set).
    QString GetSaveProposal() const override;
    static QString SaveProposal(const QString& defaultFolder, const QString& proposal);
    // The whole drawing as one picture with its file's data.
    std::unique_ptr<CLumbrel2SrvrItem> OnGetEmbeddedItem();

    void OnNudge(UINT id);
    void OnFileSaveToGallery();
    void OnUpdateNeedsSelection(CCmdUI* ui);
    void OnPreferences(UINT id);
    // Tools>Preferences>Statistics: the preference dialog of command
    // ID_PREF_STATISTICS; it redraws nothing.
    void OnStatisticsOptions();
    // Copies the "Stat" choices into the program-wide values the
    // statistics read; every new document and the dialog's OK call it.
    static void ApplyStatisticsOptions();
    void OnWriteDefFile();
};
