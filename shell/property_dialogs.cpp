#include "shell/property_dialogs.h"

#include "figures/fig_bezier.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "figures/fig_point.h"
#include "shell/line_properties_dlg.h"
#include "shell/mark_properties_dlg.h"
#include "shell/smooth_line_properties_dlg.h"

void InstallPropertyDialogs() {
    QvFigLine::SetPropertiesDialog(RunLineDialog);
    QvFigPoint::SetPropertiesDialog(RunPointDialog);
    QvFigCircleBase::SetPropertiesDialog(RunCircleDialog);
    QvFigCurveBase::SetPropertiesDialog(RunSmoothLineDialog);
}

void RemovePropertyDialogs() {
    QvFigLine::SetPropertiesDialog({});
    QvFigPoint::SetPropertiesDialog({});
    QvFigCircleBase::SetPropertiesDialog({});
    QvFigCurveBase::SetPropertiesDialog({});
}
