#include "shell/property_dialogs.h"

#include "diagrams/fig_grid_dot.h"
#include "diagrams/fig_norm.h"
#include "diagrams/fig_venn.h"
#include "dialogs/angle_properties_dlg.h"
#include "dialogs/arc_properties_dlg.h"
#include "dialogs/dots_grid_dlg.h"
#include "dialogs/graph_properties_dlg.h"
#include "dialogs/line_properties_dlg.h"
#include "dialogs/mark_properties_dlg.h"
#include "dialogs/normal_properties_dlg.h"
#include "dialogs/number_line_properties_dlg.h"
#include "dialogs/round_rect_properties_dlg.h"
#include "dialogs/smooth_line_properties_dlg.h"
#include "dialogs/stat_graph_dlg.h"
#include "dialogs/text_dlg.h"
#include "dialogs/triangle_dlg.h"
#include "dialogs/venn_dlg.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_arc.h"
#include "figures/fig_bezier.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "figures/fig_point.h"
#include "figures/fig_round_rect.h"
#include "figures/fig_text.h"
#include "figures/fig_triangle.h"
#include "graphs/fig_graph.h"
#include "statgraphs/fig_stat.h"

namespace {

// The figure asks in whole millimetres, the dialog in 0.01 mm.
bool RunRoundRectDialogInMillimetres(int& millimetres) {
    LONG radius = LONG(millimetres) * 100;
    if (!RunRoundRectDialog(radius))
        return false;
    millimetres = int(radius / 100);
    return true;
}

// The graph's seam wants to know how the dialog ended, not only whether.
bool RunGraphDialogForFigure(QvGraphDialogValues& values) {
    values.endCode = RunGraphPropertiesDialog(values.settings);
    return values.endCode != IDCANCEL;
}

// One row per figure kind's seam: what fills it and what empties it.
struct DialogRow {
    void (*install)();
    void (*remove)();
};

template <class Seam, auto Dialog> constexpr DialogRow Row() {
    return {[] { Seam::Set(Dialog); }, [] { Seam::Set({}); }};
}

// A new figure kind with a properties dialog adds its row here.
constexpr DialogRow kPropertyDialogs[] = {
    Row<QvFigLine::PropertiesDialog, RunLineDialog>(),
    Row<QvFigText::PropertiesDialog, RunTextDialog>(),
    Row<QvFigGridDot::PropertiesDialog, RunDotsGridDialog>(),
    Row<QvFigNorm::PropertiesDialog, RunNormalDialog>(),
    Row<QvFigVenn2::PropertiesDialog, RunVenn2Dialog>(),
    Row<QvFigVenn3::PropertiesDialog, RunVenn3Dialog>(),
    Row<QvFigPoint::PropertiesDialog, RunPointDialog>(),
    Row<QvFigCircleBase::PropertiesDialog, RunCircleDialog>(),
    Row<QvFigCurveBase::PropertiesDialog, RunSmoothLineDialog>(),
    Row<QvFigRoundRect::PropertiesDialog, RunRoundRectDialogInMillimetres>(),
    Row<QvFigArcBase::PropertiesDialog, RunArcDialog>(),
    Row<QvFigAngleMark::PropertiesDialog, RunAngleDialog>(),
    Row<QvFigTriangle::PropertiesDialog, RunTriangleDialog>(),
    Row<QvFigStat::PropertiesDialog, RunStatGraphDialog>(),
    Row<QvFigGraph::PropertiesDialog, RunGraphDialogForFigure>(),
    Row<QvFigNumberLine::PropertiesDialog, RunNumberLinePropertiesDialog>(),
};

} // namespace

void InstallPropertyDialogs() {
    for (const DialogRow& row : kPropertyDialogs)
        row.install();
}

void RemovePropertyDialogs() {
    for (const DialogRow& row : kPropertyDialogs)
        row.remove();
}
