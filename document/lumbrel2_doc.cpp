#include "document/lumbrel2_doc.h"

#include "document/undo_manager.h"
#include "figures/fig_angle_mark.h"
#include "figures/figure.h"
#include "geometry/gr_rect.h"
#include "platform/command_ids.h"
#include "settings/settings.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(Lumbrel2Doc, CDocument)

BEGIN_COMMAND_MAP(Lumbrel2Doc, CDocument)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
// Selection, editing, tools and formats.
ON_COMMAND_RANGE(ID_DRAW_SELECT, ID_DRAW_SELECT, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_SELECT, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_LINE, ID_DRAW_LINE, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_LINE, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ARROW_LINE, ID_DRAW_ARROW_LINE, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ARROW_LINE, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_CIRCLE_4C, ID_DRAW_CIRCLE_4C, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_CIRCLE_4C, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_CIRCLE_CR, ID_DRAW_CIRCLE_CR, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_CIRCLE_CR, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_CIRCLE_3P, ID_DRAW_CIRCLE_3P, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_CIRCLE_3P, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_CIRCLE_D, ID_DRAW_CIRCLE_D, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_CIRCLE_D, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_RECTANGLE, ID_DRAW_RECTANGLE, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_RECTANGLE, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ROUND_RECT, ID_DRAW_ROUND_RECT, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ROUND_RECT, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_POINT, ID_DRAW_POINT, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_POINT, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_SMOOTH_LINE, ID_DRAW_SMOOTH_LINE, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_SMOOTH_LINE, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_POLYGON, ID_DRAW_POLYGON, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_POLYGON, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_BEZIER, ID_DRAW_BEZIER, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_BEZIER, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ELLIPSE_4C, ID_DRAW_ELLIPSE_4C, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ELLIPSE_4C, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ELLIPSE_AP, ID_DRAW_ELLIPSE_AP, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ELLIPSE_AP, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ELLIPSE_FP, ID_DRAW_ELLIPSE_FP, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ELLIPSE_FP, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ELLIPSE_4P, ID_DRAW_ELLIPSE_4P, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ELLIPSE_4P, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ARC_C2P, ID_DRAW_ARC_C2P, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ARC_C2P, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ARC_3P, ID_DRAW_ARC_3P, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ARC_3P, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ARC_4P, ID_DRAW_ARC_4P, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ARC_4P, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_ANGLE_MARK, ID_DRAW_ANGLE_MARK, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_ANGLE_MARK, OnUpdateAngleMarkTool)
ON_COMMAND_RANGE(ID_DRAW_TEXT, ID_DRAW_TEXT, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_TEXT, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_EQUATION, ID_DRAW_EQUATION, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_EQUATION, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_TRIANGLE, ID_DRAW_TRIANGLE, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_TRIANGLE, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_GRID_DOT, ID_DRAW_GRID_DOT, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_GRID_DOT, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_GALLERY_FIGURE, ID_DRAW_GALLERY_FIGURE, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_GALLERY_FIGURE, OnUpdateGalleryTool)
ON_COMMAND(ID_SELECT_GALLERY_FIGURE, OnSelectGalleryFigure)
ON_COMMAND_RANGE(ID_LINE_DOT, ID_LINE_DOT, OnFormatLineStyle)
ON_COMMAND_RANGE(ID_LINE_DASH, ID_LINE_SOLID6, OnFormatLineStyle)
ON_COMMAND_RANGE(ID_FILL_NONE, ID_FILL_DIAMOND, OnFormatFillStyle)
ON_COMMAND(ID_FORMAT_LINE_COLOUR, OnFormatLineColour)
ON_COMMAND(ID_FORMAT_FILL_COLOUR, OnFormatFillColour)
ON_COMMAND_RANGE(ID_LEVEL_NONE, ID_LEVEL_NONE, OnDrawingLevel)
ON_UPDATE_COMMAND_UI(ID_LEVEL_NONE, OnUpdateDrawingLevel)
ON_COMMAND_RANGE(ID_LEVEL_GRID_POINTS, ID_LEVEL_GRID_POINTS, OnDrawingLevel)
ON_UPDATE_COMMAND_UI(ID_LEVEL_GRID_POINTS, OnUpdateDrawingLevel)
ON_COMMAND_RANGE(ID_LEVEL_CUTOFF, ID_LEVEL_CUTOFF, OnDrawingLevel)
ON_UPDATE_COMMAND_UI(ID_LEVEL_CUTOFF, OnUpdateDrawingLevel)
ON_COMMAND_RANGE(ID_LEVEL_UNLIMITED, ID_LEVEL_UNLIMITED, OnDrawingLevel)
ON_UPDATE_COMMAND_UI(ID_LEVEL_UNLIMITED, OnUpdateDrawingLevel)
ON_COMMAND(ID_TOOLS_GRID, OnToolsGrid)
ON_COMMAND(ID_WEB_SAVE_ALL, OnSaveAll)
ON_COMMAND(ID_WEB_SAVE_SECTION, OnSaveSection)
ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
ON_COMMAND(ID_EDIT_GROUP, OnEditGroup)
ON_UPDATE_COMMAND_UI(ID_EDIT_GROUP, OnUpdateEditGroup)
ON_COMMAND(ID_EDIT_UNGROUP, OnEditUngroup)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNGROUP, OnUpdateEditUngroup)
ON_COMMAND(ID_ROTATE_15_CLOCKWISE, OnRotate15Clockwise)
ON_COMMAND(ID_ROTATE_15_COUNTERCLOCKWISE, OnRotate15CounterClockwise)
ON_COMMAND(ID_ROTATE_1_CLOCKWISE, OnRotate1Clockwise)
ON_COMMAND(ID_ROTATE_1_COUNTERCLOCKWISE, OnRotate1CounterClockwise)
ON_COMMAND(ID_BRING_FORWARD, OnBringForward)
ON_COMMAND(ID_BRING_TO_FRONT, OnBringToFront)
ON_COMMAND(ID_SEND_BACKWARD, OnSendBackward)
ON_COMMAND(ID_SEND_TO_BACK, OnSendToBack)
ON_COMMAND_RANGE(ID_EDIT_REFLECT_HORIZONTAL, ID_EDIT_REFLECT_Y_EQUALS_X, OnEditReflect)
ON_UPDATE_COMMAND_UI_RANGE(ID_EDIT_REFLECT_HORIZONTAL, ID_EDIT_REFLECT_Y_EQUALS_X,
                           OnUpdateEditReflect)
ON_COMMAND_RANGE(ID_EDIT_REFLECT_Y_EQUALS_MINUS_X, ID_EDIT_REFLECT_Y_EQUALS_MINUS_X, OnEditReflect)
ON_UPDATE_COMMAND_UI(ID_EDIT_REFLECT_Y_EQUALS_MINUS_X, OnUpdateEditReflect)
// Nudges, the special tools, Save To Gallery and the preferences.
ON_COMMAND_RANGE(ID_NUDGE_UP, ID_NUDGE_RIGHT, OnNudge)
ON_COMMAND_RANGE(ID_NUDGE_RIGHT_LARGE, ID_NUDGE_LEFT_SMALL, OnNudge)
ON_UPDATE_COMMAND_UI_RANGE(ID_ROTATE_15_CLOCKWISE, ID_ROTATE_1_COUNTERCLOCKWISE,
                           OnUpdateNeedsSelection)
ON_COMMAND_RANGE(ID_DRAW_GRAPH, ID_DRAW_VENN3, OnSelectTool)
ON_UPDATE_COMMAND_UI_RANGE(ID_DRAW_GRAPH, ID_DRAW_VENN3, OnUpdateSelectTool)
ON_COMMAND_RANGE(ID_DRAW_NUMBER_LINE, ID_DRAW_NUMBER_LINE, OnSelectTool)
ON_UPDATE_COMMAND_UI(ID_DRAW_NUMBER_LINE, OnUpdateSelectTool)
ON_COMMAND(ID_FILE_SAVE_TO_GALLERY, OnFileSaveToGallery)
ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_TO_GALLERY, OnUpdateNeedsSelection)
ON_COMMAND_RANGE(ID_PREF_DECIMAL_POINT, ID_PREF_VECTORS, OnPreferences)
ON_COMMAND_RANGE(ID_PREF_GRAPH, ID_PREF_GRAPH, OnPreferences)
ON_COMMAND(ID_PREF_STATISTICS, OnStatisticsOptions)
ON_COMMAND(ID_WRITE_DEF_FILE, OnWriteDefFile)
// Clipboard.
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_COMMAND(ID_EDIT_DUPLICATE, OnEditDuplicate)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
END_COMMAND_MAP()

namespace {
CRect Normalized(CRect r) {
    r.NormalizeRect();
    return r;
}
} // namespace

Lumbrel2Doc::Lumbrel2Doc()
    : m_pUndoManager(std::make_unique<QvUndoManager>(UndoLevels, UndoTrimCount)) {
    ClearSnapReferences();
    m_nSnapWork1 = 0;

    ResetShownStyle();
    QvSettings& s = TheSettings();
    m_grid.SetSpacing(s.m_GridPointsDefaults.Size.GetValue());
    m_grid.SetIsometric(s.m_GridPointsDefaults.Isometric.GetValue() != 0);
    m_grid.SetShown(s.m_GridPointsDefaults.ShowGrid.GetValue() != 0);
    // The galleries are read when first asked for, not with every new
    // drawing: a folder of many galleries would hold up the first window.
    const QString galleries = s.m_GalleryPath.GetValue();
    m_galleries.SetFolder(galleries.isEmpty() ? QvGalleryList::DefaultFolder() : galleries);
    ApplyStatisticsOptions();
}

Lumbrel2Doc::~Lumbrel2Doc() {
    DeleteContents();
}

// ------------------------------------------------------------- figure list

void Lumbrel2Doc::AddFigure(QvFigure* figure) {
    if (!figure)
        return;
    m_figures.Add(std::unique_ptr<QvFigure>(figure));
    // Only the new figure's records are made; the others stay as they are.
    figure->MapToFrame(NullFrame);
    figure->BuildFromPoints();
    m_snap.Add(figure);
    EnsurePointCaches();
    SetModifiedFlag();
}

QvFigure* Lumbrel2Doc::GetFigure(int i) const {
    if (i < 0 || i >= GetFigureCount())
        return nullptr;
    return m_figures[size_t(i)];
}

bool Lumbrel2Doc::ContainsFigure(const QvFigure* figure) const {
    return std::any_of(m_figures.begin(), m_figures.end(),
                       [figure](const QvFigure* f) { return f->IsOrContains(figure); });
}

int Lumbrel2Doc::GetTotalPartCount() const {
    int total = 0;
    for (const QvFigure* f : m_figures)
        total += f->GetPartCount();
    return total - 1;
}

CRect Lumbrel2Doc::GetDrawingBounds() const {
    if (m_figures.empty())
        return CRect(0, 0, 0, 0);
    // Bounds come in y-up, so each is normalised first: a union would
    // otherwise take them for empty.
    CRect bounds = Normalized(m_figures[0]->GetBoundRect());
    for (size_t i = 1; i < m_figures.size(); ++i)
        bounds.UnionRect(bounds, Normalized(m_figures[i]->GetBoundRect()));
    return bounds;
}

bool Lumbrel2Doc::CanCreateFigureForTool(int toolId) const {
    if (toolId == GalleryFigureToolId)
        return m_galleries.HasSelectedFigure();
    return QvFigure::CanCreateForTool(toolId);
}

std::unique_ptr<QvFigure> Lumbrel2Doc::CreateFigureForTool(int toolId) {
    // The gallery tool draws a copy of the figure chosen in the browser.
    if (toolId == GalleryFigureToolId)
        return m_galleries.CreateSelectedFigure();
    return QvFigure::CreateForTool(toolId);
}

void Lumbrel2Doc::DrawGrid(CDC* dc, int left, int top, int right, int bottom) {
    m_grid.Draw(dc, left, top, right, bottom);
}

bool Lumbrel2Doc::FigureStands(const QvFigure* figure) {
    if (!figure)
        return false;
    if (figure->GetToolId() == AngleMarkToolId && !AngleMarkLinesPresent(figure))
        return false;
    return QvFigureStands(*figure);
}

// A mark refers only to figures of its own list, and a figure deleted from
// the drawing takes its marks with it, so the figures it names are alive.
bool Lumbrel2Doc::AngleMarkLinesPresent(const QvFigure* mark) {
    const auto* m = dynamic_cast<const QvFigAngleMark*>(mark);
    if (!m)
        return false;
    const QvEditDataAngle& d = *m->AngleData();
    return d.m_pFirst && d.m_pSecond && d.m_pFirst != mark && d.m_pSecond != mark &&
           !d.m_pFirst->IsDeleted() && !d.m_pSecond->IsDeleted();
}

void Lumbrel2Doc::ResetShownStyle() {
    QvSettings& s = TheSettings();
    s.m_nShownLineStyle = s.m_CurLineType.GetValue();
    s.m_nShownLineColor = int(s.m_CurLineColor.GetValue());
    s.m_nShownFillStyle = s.m_CurFillType.GetValue();
    s.m_nShownFillColor = int(s.m_CurFillColor.GetValue());
}

void Lumbrel2Doc::ForgetFigure(const QvFigure* figure) {
    std::erase(m_selection, figure);
    m_snap.Remove(figure);
    if (QvFigAngleMark::SnappedFigure() == figure)
        QvFigAngleMark::SetSnappedFigure(nullptr);
    if (m_pLastCreated == figure)
        m_pLastCreated = nullptr;
    if (m_pSnapFigure1 == figure) {
        m_pSnapFigure1 = nullptr;
        m_pSnapRef1 = nullptr;
    }
    if (m_pSnapFigure2 == figure) {
        m_pSnapFigure2 = nullptr;
        m_pSnapRef2 = nullptr;
    }
    std::erase_if(m_pendingEdit, [figure](const PendingEdit& p) { return p.figure == figure; });
}

void Lumbrel2Doc::ClearSnapReferences() {
    m_pSnapFigure1 = m_pSnapFigure2 = nullptr;
    m_pSnapRef1 = m_pSnapRef2 = nullptr;
}

std::unique_ptr<QvFigure> Lumbrel2Doc::TakeFigure(QvFigure* figure) {
    std::unique_ptr<QvFigure> taken = m_figures.Take(figure);
    if (taken)
        ForgetFigure(figure);
    return taken;
}

void Lumbrel2Doc::PutBackFigure(std::unique_ptr<QvFigure> figure) {
    if (!figure)
        return;
    QvFigure* f = m_figures.Add(std::move(figure));
    f->MapToFrame(NullFrame);
    f->BuildFromPoints();
    m_snap.Add(f);
}

// -------------------------------------------------------------- selection

QvFigure* Lumbrel2Doc::GetSelected(int i) const {
    if (i < 0 || i >= GetSelectedCount())
        return nullptr;
    return m_selection[size_t(i)];
}

QvFigure* Lumbrel2Doc::GetFirstSelected() const {
    return m_selection.empty() ? nullptr : m_selection.front();
}

QvPoint Lumbrel2Doc::GetFirstSelectedPoint() const {
    QvFigure* f = GetFirstSelected();
    if (!f || f->DefiningPoints().GetSize() == 0)
        return QvPoint();
    return f->DefiningPoints()[0];
}

int Lumbrel2Doc::FindSelectedDefiningPoint(QvPoint& pt) const {
    if (GetSelectedCount() != 1)
        return -1;
    return m_selection.front()->FindDefiningPoint(pt);
}

CRect Lumbrel2Doc::GetSelectionBounds() const {
    CRect bounds(-1, 0, 0, 0);
    for (QvFigure* f : m_selection) {
        CRect r = Normalized(f->GetBoundRect());
        if (bounds.left == -1 && bounds.top == 0 && bounds.right == 0 && bounds.bottom == 0)
            bounds = r;
        else
            bounds.UnionRect(bounds, r);
    }
    return bounds;
}

bool Lumbrel2Doc::IsSelected(const QvFigure* figure) const {
    return std::find(m_selection.begin(), m_selection.end(), figure) != m_selection.end();
}

// -------------------------------------------------------------- framework

void Lumbrel2Doc::DeleteContents() {
    m_selection.clear();
    m_pLastCreated = nullptr;
    ClearSnapReferences();
    m_pendingEdit.clear();
    QvFigAngleMark::SetSnappedFigure(nullptr);
    // The history names the figures about to go, and frees those it holds.
    m_pUndoManager->Clear();
    m_snap.Clear();
    m_figures.Clear();
    // The editor state's figure clipboard stays: it is how figures go from
    // one drawing to another.
    CDocument::DeleteContents();
}

BOOL Lumbrel2Doc::OnNewDocument() {
    return CDocument::OnNewDocument();
}
