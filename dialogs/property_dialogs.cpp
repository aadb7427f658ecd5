#include "dialogs/property_dialogs.h"

#include "diagrams/fig_grid_dot.h"
#include "diagrams/fig_norm.h"
#include "diagrams/fig_venn.h"
#include "dialogs/angle_properties_dlg.h"
#include "dialogs/arc_properties_dlg.h"
#include "dialogs/dots_grid_dlg.h"
#include "dialogs/line_properties_dlg.h"
#include "dialogs/mark_properties_dlg.h"
#include "dialogs/normal_properties_dlg.h"
#include "dialogs/round_rect_properties_dlg.h"
#include "dialogs/smooth_line_properties_dlg.h"
#include "dialogs/stat_graph_dlg.h"
#include "dialogs/triangle_dlg.h"
#include "dialogs/venn_dlg.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_arc.h"
#include "figures/fig_bezier.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "figures/fig_point.h"
#include "figures/fig_round_rect.h"
#include "figures/fig_triangle.h"
#include "statgraphs/fig_stat.h"

void InstallPropertyDialogs() {
    QvFigLine::SetPropertiesDialog(RunLineDialog);
    QvFigGridDot::SetPropertiesDialog(RunDotsGridDialog);
    QvFigNorm::SetPropertiesDialog(RunNormalDialog);
    QvFigVenn2::SetPropertiesDialog(RunVenn2Dialog);
    QvFigVenn3::SetPropertiesDialog(RunVenn3Dialog);
    QvFigPoint::SetPropertiesDialog(RunPointDialog);
    QvFigCircleBase::SetPropertiesDialog(RunCircleDialog);
    QvFigCurveBase::SetPropertiesDialog(RunSmoothLineDialog);
    // The figure asks in whole millimetres, the dialog in 0.01 mm.
    QvFigRoundRect::SetPropertiesDialog([](int& millimetres) {
        LONG radius = LONG(millimetres) * 100;
        if (!RunRoundRectDialog(radius))
            return false;
        millimetres = int(radius / 100);
        return true;
    });
    QvFigArcBase::SetPropertiesDialog(RunArcDialog);
    QvFigAngleMark::SetPropertiesDialog(RunAngleDialog);
    QvFigTriangle::SetPropertiesDialog(RunTriangleDialog);
    QvFigStat::SetPropertiesDialog(RunStatGraphDialog);
}

void RemovePropertyDialogs() {
    QvFigLine::SetPropertiesDialog({});
    QvFigGridDot::SetPropertiesDialog({});
    QvFigNorm::SetPropertiesDialog({});
    QvFigVenn2::SetPropertiesDialog({});
    QvFigVenn3::SetPropertiesDialog({});
    QvFigPoint::SetPropertiesDialog({});
    QvFigCircleBase::SetPropertiesDialog({});
    QvFigCurveBase::SetPropertiesDialog({});
    QvFigRoundRect::SetPropertiesDialog({});
    QvFigArcBase::SetPropertiesDialog({});
    QvFigAngleMark::SetPropertiesDialog({});
    QvFigTriangle::SetPropertiesDialog({});
    QvFigStat::SetPropertiesDialog({});
}
