// The document's side of snapping: it keeps the snap engine told of every
// change and hands the search's result to the view and the editor state.
#include "document/lumbrel2_doc.h"

#include "document/editor_state.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_group.h"
#include "figures/figure.h"
#include "geometry/gr_rect.h"
#include "platform/command_ids.h"

#include <algorithm>

namespace {
constexpr UINT kLineTool = ID_DRAW_LINE;
// Past this share of the drawing an edit rebuilds rather than follows
// figure by figure.
constexpr size_t kRebuildShare = 4;
} // namespace

bool Lumbrel2Doc::LineToolChosen() {
    const QvEditorState* editor = QvGetEditorState();
    return editor && editor->m_nCurrentTool == kLineTool;
}

void Lumbrel2Doc::RebuildPointCaches() {
    // Every figure follows its defining points (as the drawing maps them
    // through the empty frame), so caches, hit tests and bounds never lag
    // behind a change that has not been drawn yet.
    MapAllToDefaultFrame();
    for (QvFigure* f : m_figures)
        f->BuildFromPoints();
    m_snap.Rebuild(m_figures, LineToolChosen());
}

void Lumbrel2Doc::EnsurePointCaches() {
    if (m_snap.NeedsRebuild())
        RebuildPointCaches();
}

std::vector<QvFigure*> Lumbrel2Doc::MarksOf(const std::vector<QvFigure*>& changed) const {
    std::vector<QvFigure*> marks;
    for (QvFigure* f : m_figures) {
        const auto* mark = dynamic_cast<const QvFigAngleMark*>(f);
        if (!mark || std::find(changed.begin(), changed.end(), f) != changed.end())
            continue;
        const QvEditDataAngle& d = *mark->AngleData();
        for (const QvFigure* g : changed) {
            if (QvHolds(g, d.m_pFirst) || QvHolds(g, d.m_pSecond)) {
                marks.push_back(f);
                break;
            }
        }
    }
    return marks;
}

void Lumbrel2Doc::RefreshPointCaches(const std::vector<QvFigure*>& changed) {
    if (changed.size() * kRebuildShare > m_figures.size() || m_snap.NeedsRebuild()) {
        RebuildPointCaches();
        return;
    }
    // An angle mark takes its shape from the figures it marks.
    std::vector<QvFigure*> figures = changed;
    const std::vector<QvFigure*> marks = MarksOf(changed);
    figures.insert(figures.end(), marks.begin(), marks.end());
    for (QvFigure* f : figures) {
        if (std::find(m_figures.begin(), m_figures.end(), f) == m_figures.end())
            continue;
        f->MapToFrame(NullFrame);
        f->BuildFromPoints();
        m_snap.Change(f);
    }
    EnsurePointCaches();
}

QvSnapResult Lumbrel2Doc::FindSnapPoint(int x, int y, int level, QvFigure* exclude, int pointIndex,
                                        QvKeys keys) {
    EnsurePointCaches();

    QvSnapEngine::Query query;
    query.pointer = QvPoint(x, y);
    query.level = level;
    query.exclude = exclude;
    query.pointIndex = pointIndex;
    query.parts = GetTotalPartCount();
    query.ctrl = keys.ctrl;
    query.shift = keys.shift;
    query.grid = &m_grid;
    const QvSnapEngine::Result found = m_snap.Find(query);

    QvSnapResult result;
    result.point = found.point;
    if (found.snapped) {
        result.snapped = true;
        result.label = found.label;
        result.figure1 = found.figure1;
        result.figure2 = found.figure2;
        if (found.frame1)
            result.frame1 = *found.frame1;
        if (found.frame2)
            result.frame2 = *found.frame2;
    }
    KeepSnapFigures(result);
    return result;
}

void Lumbrel2Doc::KeepSnapFigures(const QvSnapResult& found) {
    m_pSnapFigure1 = found.figure1;
    m_pSnapFigure2 = found.figure2;
    if (found.snapped) {
        m_snapFrame1 = found.frame1;
        m_snapFrame2 = found.frame2;
    }
    // The figure under the pointer, for an angle mark being made. A mark
    // refers only to figures of its own list, never to a group's member.
    const bool topLevel = m_pSnapFigure1 && std::find(m_figures.begin(), m_figures.end(),
                                                      m_pSnapFigure1) != m_figures.end();
    QvFigAngleMark::SetSnappedFigure(topLevel ? m_pSnapFigure1 : nullptr);
}
