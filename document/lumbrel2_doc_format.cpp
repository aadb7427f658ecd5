// The drawing tools, line and fill styles and colours, and the drawing
// level.
#include "document/lumbrel2_doc.h"

#include "document/editor_state.h"
#include "document/undo_actions.h"
#include "document/undo_manager.h"
#include "figures/figure.h"
#include "platform/command_ids.h"
#include "platform/command_target.h"
#include "settings/settings.h"

#include <memory>

namespace {
UINT CurrentTool() {
    QvEditorState* editor = QvGetEditorState();
    return editor ? editor->m_nCurrentTool : ID_DRAW_SELECT;
}

int LevelOf(UINT id) {
    switch (id) {
    case ID_LEVEL_GRID_POINTS:
        return 1;
    case ID_LEVEL_CUTOFF:
        return 2;
    case ID_LEVEL_UNLIMITED:
        return 3;
    default:
        return 0;
    }
}

// What one style command changes: the shown style's field, the saved
// default and the figure's own record.
struct StyleField {
    int QvSettings::*shown;
    void (*setDefault)(QvSettings&, int);
    void (*apply)(QvFigure*, int);
};
} // namespace

// ------------------------------------------------------------------ tools

void Lumbrel2Doc::OnSelectTool(UINT id) {
    if (QvEditorState* editor = QvGetEditorState())
        editor->m_nCurrentTool = id;
    m_selection.clear();
    // Only the common tangents of circle pairs depend on the tool.
    m_snap.SetLineTool(LineToolChosen());
    UpdateAllViews(nullptr);
}

namespace {
// A tool whose figure the factory cannot make yet would draw nothing.
// Asked on every idle pass, so nothing is made to find out.
bool ToolMakesAFigure(Lumbrel2Doc& doc, UINT tool) {
    return tool == ID_DRAW_SELECT || doc.CanCreateFigureForTool(int(tool));
}
} // namespace

void Lumbrel2Doc::OnUpdateSelectTool(CCmdUI* ui) {
    ui->SetCheck(CurrentTool() == ui->m_nID ? 1 : 0);
    ui->Enable(ToolMakesAFigure(*this, ui->m_nID));
}

void Lumbrel2Doc::OnUpdateAngleMarkTool(CCmdUI* ui) {
    ui->SetCheck(CurrentTool() == ui->m_nID ? 1 : 0);
    ui->Enable(TheSettings().MADLevel() >= 2 && ToolMakesAFigure(*this, ui->m_nID));
}

// ----------------------------------------------------------------- styles

namespace {
void ApplyStyle(Lumbrel2Doc& doc, const StyleField& field, int value) {
    QvSettings& s = TheSettings();
    if (doc.GetSelectedCount() > 0) {
        s.*field.shown = value;
        const std::vector<QvFigure*> figures = doc.Selection();
        doc.EditFigures(figures, [&] {
            for (QvFigure* f : figures)
                field.apply(f, value);
        });
    } else {
        s.*field.shown = value;
        field.setDefault(s, value);
    }
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr);
    s.Save(FALSE);
}
} // namespace

void Lumbrel2Doc::ApplyLineStyle(int style) {
    static const StyleField field{&QvSettings::m_nShownLineStyle,
                                  [](QvSettings& s, int v) { s.m_CurLineType.SetValue(v); },
                                  [](QvFigure* f, int v) { f->SetLineStyle(v); }};
    ApplyStyle(*this, field, style);
}

void Lumbrel2Doc::ApplyFillStyle(int style) {
    static const StyleField field{&QvSettings::m_nShownFillStyle,
                                  [](QvSettings& s, int v) { s.m_CurFillType.SetValue(v); },
                                  [](QvFigure* f, int v) {
                                      f->SetFillStyle(v);
                                      // Diagonal hatching is worked out from the points.
                                      if (v == int(ID_FILL_DIAGONAL))
                                          f->BuildFromPoints();
                                  }};
    ApplyStyle(*this, field, style);
}

void Lumbrel2Doc::ApplyLineColour(COLORREF colour) {
    static const StyleField field{
        &QvSettings::m_nShownLineColor,
        [](QvSettings& s, int v) { s.m_CurLineColor.SetValue(COLORREF(v)); },
        [](QvFigure* f, int v) { f->SetLineColour(COLORREF(v)); }};
    ApplyStyle(*this, field, int(colour));
}

void Lumbrel2Doc::ApplyFillColour(COLORREF colour) {
    static const StyleField field{
        &QvSettings::m_nShownFillColor,
        [](QvSettings& s, int v) { s.m_CurFillColor.SetValue(COLORREF(v)); },
        [](QvFigure* f, int v) { f->SetFillColour(COLORREF(v)); }};
    ApplyStyle(*this, field, int(colour));
}

void Lumbrel2Doc::OnFormatLineStyle(UINT id) {
    ApplyLineStyle(int(id));
}

void Lumbrel2Doc::OnFormatFillStyle(UINT id) {
    ApplyFillStyle(int(id));
}

bool Lumbrel2Doc::ChooseColour(COLORREF& colour) {
    const auto& choose = Dialogs().chooseColour;
    return choose && choose(colour, m_customColors);
}

// Cancel leaves the figures and the defaults as they were.
void Lumbrel2Doc::OnFormatLineColour() {
    COLORREF colour = COLORREF(TheSettings().m_nShownLineColor);
    if (ChooseColour(colour))
        ApplyLineColour(colour);
}

void Lumbrel2Doc::OnFormatFillColour() {
    COLORREF colour = COLORREF(TheSettings().m_nShownFillColor);
    if (ChooseColour(colour))
        ApplyFillColour(colour);
}

// ----------------------------------------------------------------- levels

void Lumbrel2Doc::OnDrawingLevel(UINT id) {
    int level = LevelOf(id);
    QvSettings& s = TheSettings();
    s.m_MADLevel.SetValue(level);
    if (level >= 2)
        RebuildPointCaches();
    s.Save(FALSE);
}

void Lumbrel2Doc::OnUpdateDrawingLevel(CCmdUI* ui) {
    ui->SetCheck(LevelOf(ui->m_nID) == TheSettings().MADLevel() ? 1 : 0);
}
