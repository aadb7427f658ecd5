// The drawing's own commands besides editing: nudges, Save To Gallery,
// where Save As starts, the grid and preference dialogs, the definition
// file, and the whole drawing as one object for other programs.
#include "document/lumbrel2_doc.h"

#include "document/lumbrel2_srvr_item.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_gallery.h"
#include "figures/figure.h"
#include "geometry/gr_rect.h"
#include "platform/command_ids.h"
#include "platform/command_target.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "settings/stat_options.h"

#include <QFileInfo>

#include <cmath>
#include <utility>

Lumbrel2Doc::CommandDialogs& Lumbrel2Doc::Dialogs() {
    static CommandDialogs dialogs;
    return dialogs;
}

namespace {

// Steps in 0.01 mm, y up: 0.25 mm, with Ctrl 1 mm, with Shift 0.05 mm.
struct Nudge {
    UINT id;
    double dx, dy;
};
constexpr Nudge kNudges[] = {
    {ID_NUDGE_UP, 0, 25},           {ID_NUDGE_DOWN, 0, -25},        {ID_NUDGE_LEFT, -25, 0},
    {ID_NUDGE_RIGHT, 25, 0},        {ID_NUDGE_UP_LARGE, 0, 100},    {ID_NUDGE_DOWN_LARGE, 0, -100},
    {ID_NUDGE_LEFT_LARGE, -100, 0}, {ID_NUDGE_RIGHT_LARGE, 100, 0}, {ID_NUDGE_UP_SMALL, 0, 5},
    {ID_NUDGE_DOWN_SMALL, 0, -5},   {ID_NUDGE_LEFT_SMALL, -5, 0},   {ID_NUDGE_RIGHT_SMALL, 5, 0},
};

QString NoSizeMessage() {
    return QStringLiteral("The selected figures have no width or no height, so they cannot be "
                          "saved to a gallery.");
}
} // namespace

Lumbrel2Doc::CommandDialogs Lumbrel2Doc::SetCommandDialogs(CommandDialogs dialogs) {
    return std::exchange(Dialogs(), std::move(dialogs));
}

void Lumbrel2Doc::OnUpdateNeedsSelection(CCmdUI* ui) {
    ui->Enable(!m_selection.empty());
}

// ----------------------------------------------------------------- nudges

void Lumbrel2Doc::MoveSelection(QvVector offset) {
    if (m_selection.empty())
        return;
    OffsetSelection(offset);
    RecordMove();
    RefreshPointCaches(m_selection);
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnNudge(UINT id) {
    for (const Nudge& n : kNudges)
        if (n.id == id)
            MoveSelection(QvVector(n.dx, n.dy));
}

// -------------------------------------------------------- Save To Gallery

std::unique_ptr<QvFigGallery> Lumbrel2Doc::MakeGalleryFigureOfSelection() {
    const CRect b = GetSelectionBounds();
    const double width = std::abs(double(b.right) - b.left);
    const double height = std::abs(double(b.bottom) - b.top);
    if (m_selection.empty() || width == 0 || height == 0)
        return nullptr;
    auto gallery = std::make_unique<QvFigGallery>();
    QvGRRect frame;
    frame.SetFromRect(b);
    const QvPoint corners[4] = {{double(b.left), double(b.top)},
                                {double(b.right), double(b.top)},
                                {double(b.right), double(b.bottom)},
                                {double(b.left), double(b.bottom)}};
    for (int i = 0; i < 4; ++i)
        gallery->DefiningPoints()[i] = gallery->DisplayPoints()[i] = corners[i];
    gallery->SetAspectRatio(height / width);

    constexpr double units = QvFigGroup::FrameUnits;
    QvFigureList& members = gallery->MemberList();
    for (const QvFigure* s : m_selection) {
        // The factory, not CreateFigureForTool: a selected gallery figure is
        // copied from itself, not from the figure chosen in the browser.
        std::unique_ptr<QvFigure> copy = QvFigure::CreateForTool(s->GetToolId());
        // A copy that cannot be made whole is left out.
        if (!copy || !copy->CopyFrom(s))
            continue;
        QvPointArray& p = copy->DefiningPoints();
        QvPointArray& d = copy->DisplayPoints();
        // Into the 1000 by 1000 box, the selection's lowest y at the top of
        // the box as a placing drag lays it out.
        for (int i = 0; i < p.GetSize(); ++i) {
            p[i] = QvPoint((p[i].x - b.left) / width * units,
                           units - (p[i].y - b.top) / height * units);
            if (i < d.GetSize())
                d[i] = frame.FrameToDocument(p[i]);
        }
        copy->SetGroupNesting(copy->GetGroupNesting() + 1);
        members.Add(std::move(copy));
    }
    // Members that refer to figures copied with them refer to those copies.
    m_copyMap.Clear();
    for (QvFigure* f : members)
        f->AddToCopyMap(m_copyMap);
    for (QvFigure* f : members)
        f->RemapReferences(m_copyMap);
    // A mark whose figures were not selected would still point into the
    // drawing.
    QvDropStrayAngleMarks(members);
    for (QvFigure* f : members) {
        f->MapToFrame(NullFrame);
        f->BuildFromPoints();
    }
    return gallery;
}

void Lumbrel2Doc::OnFileSaveToGallery() {
    if (m_selection.empty())
        return;
    std::unique_ptr<QvFigGallery> figure = MakeGalleryFigureOfSelection();
    if (!figure) {
        AfxMessageBox(NoSizeMessage(), MB_ICONEXCLAMATION);
        return;
    }
    const int g = Dialogs().chooseGallery ? Dialogs().chooseGallery(m_galleries) : -1;
    if (g < 0)
        return;
    const QvGallery* gallery = m_galleries.GetGallery(g);
    const QString where = gallery ? gallery->GetPath() : m_galleries.GetFolder();
    if (m_galleries.AddFigureToGallery(figure.release(), g))
        MessageBeep(0);
    else
        AfxMessageBox(QvGallery::WriteFailedMessage(where), MB_ICONEXCLAMATION);
}

// ------------------------------------------------------------ Save paths

QString Lumbrel2Doc::SaveProposal(const QString& defaultFolder, const QString& proposal) {
    // A drawing with a file of its own stays where it is.
    if (defaultFolder.isEmpty() || QFileInfo(proposal).isAbsolute())
        return proposal;
    if (defaultFolder.endsWith(QLatin1Char('/')))
        return defaultFolder + proposal;
    return defaultFolder + QLatin1Char('/') + proposal;
}

QString Lumbrel2Doc::GetSaveProposal() const {
    return SaveProposal(TheSettings().m_DefaultPath.GetValue(), CDocument::GetSaveProposal());
}

// -------------------------------------------------------------- dialogs

void Lumbrel2Doc::OnToolsGrid() {
    GridValues values;
    values.spacing = m_grid.GetSpacing();
    values.type = m_grid.IsIsometric() ? 1 : 0;
    values.shown = m_grid.IsShown() ? TRUE : FALSE;
    // The grid is the drawing's look, not its content: no undo level and
    // no modified flag.
    if (Dialogs().grid && Dialogs().grid(values)) {
        m_grid.SetSpacing(values.spacing);
        m_grid.SetIsometric(values.type == 1);
        m_grid.SetShown(values.shown != FALSE);
    }
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnPreferences(UINT id) {
    if (Dialogs().preferences)
        Dialogs().preferences(id);
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnStatisticsOptions() {
    if (Dialogs().preferences)
        Dialogs().preferences(ID_PREF_STATISTICS);
}

void Lumbrel2Doc::ApplyStatisticsOptions() {
    QvRefreshStatisticsOptions();
}

void Lumbrel2Doc::OnWriteDefFile() {
    TheSettings().WriteDefFileAndReport();
}

// ------------------------------------------------------ for other programs

std::unique_ptr<CLumbrel2SrvrItem> Lumbrel2Doc::OnGetEmbeddedItem() {
    return std::make_unique<CLumbrel2SrvrItem>(this);
}
