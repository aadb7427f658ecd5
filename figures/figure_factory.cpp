#include "figures/figure_factory.h"

#include "diagrams/fig_grid_dot.h"
#include "diagrams/fig_norm.h"
#include "diagrams/fig_venn.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_arc.h"
#include "figures/fig_bezier.h"
#include "figures/fig_circle.h"
#include "figures/fig_ellipse.h"
#include "figures/fig_gallery.h"
#include "figures/fig_group.h"
#include "figures/fig_line.h"
#include "figures/fig_point.h"
#include "figures/fig_polygon.h"
#include "figures/fig_rectangle.h"
#include "figures/fig_round_rect.h"
#include "figures/fig_text.h"
#include "figures/fig_triangle.h"

#include <new>

namespace {
template <class T> QvFigure* Make() {
    return new (std::nothrow) T;
}

struct ToolRow {
    int id;
    QvFigure* (*make)(); // null while the class is still to come
};

// Every drawing tool.  Rows without a maker are figures still to come.
constexpr ToolRow kTools[] = {
    // clang-format off
    {32700, &Make<QvFigGroup>},             // group
    {32771, &Make<QvFigLine>},              // line
    {32772, &Make<QvFigCircle>},            // circle in a square
    {32773, &Make<QvFigRectangle>},         // rectangle
    {32774, &Make<QvFigSelectRect>},        // select rectangle
    {32789, &Make<QvFigCircleCR>},          // circle: centre and point
    {32790, &Make<QvFigCircle3C>},          // circle: three points
    {32791, &Make<QvFigCircleD>},           // circle: diameter
    {32843, &Make<QvFigPoint>},             // point
    {32846, &Make<QvFigSmoothLine>},        // smooth line
    {32849, &Make<QvFigPolygon>},           // polygon
    {32850, &Make<QvFigBezier>},            // Bezier curve
    {32852, &Make<QvFigRoundRect>},        // rounded rectangle
    {32853, &Make<QvFigEllipse4C>},         // ellipse: four corners
    {32854, &Make<QvFigEllipseAP>},         // ellipse: axis and point
    {32855, &Make<QvFigEllipseFP>},         // ellipse: foci and point
    {32856, &Make<QvFigEllipse4P>},         // ellipse: four points
    {32857, &Make<QvFigArcC2P>},            // arc: centre and two points
    {32859, &Make<QvFigArc3P>},             // arc: three points
    {32860, &Make<QvFigArc4P>},             // arc in a box
    {32861, &Make<QvFigAngleMark>},         // angle mark
    {32862, &Make<QvFigText>},              // text box
    {32863, &Make<QvFigText>},              // equation box (a text box, id 32862)
    {32864, nullptr},                       // function graph
    {32865, nullptr},                       // statistics graph
    {32866, &Make<QvFigNorm>},              // normal curve
    {32867, &Make<QvFigVenn2>},             // Venn diagram, two sets
    {32868, &Make<QvFigVenn3>},             // Venn diagram, three sets
    {32871, nullptr},                       // number line
    {32895, &Make<QvFigGallery>},           // gallery figure
    {32904, &Make<QvFigGridDot>},           // graph and dot paper
    {32906, &Make<QvFigTriangle>},          // triangle
    {33504, &Make<QvFigLine>},              // line with the default arrowheads
    {34024, &Make<QvFigRegion>},            // region
    {34790, &Make<QvFigSelectRect>},        // select rectangle for image export
    // clang-format on
};
} // namespace

int QvFactoryToolIdCount() {
    return int(std::size(kTools));
}

int QvFactoryToolIdAt(int index) {
    return kTools[index].id;
}

bool QvFigure::CanCreateForTool(int toolId) {
    for (const ToolRow& row : kTools)
        if (row.id == toolId)
            return row.make != nullptr;
    return false;
}

QvFigure* QvFigure::CreateForTool(int toolId) {
    for (const ToolRow& row : kTools) {
        if (row.id != toolId)
            continue;
        QvFigure* figure = row.make ? row.make() : nullptr;
        if (!figure)
            return nullptr;
        if (toolId == QvFigLine::ArrowToolId)
            static_cast<QvFigLine*>(figure)->ApplyArrowDefaults();
        if (toolId == QvFigText::EquationToolId) {
            static_cast<QvFigText*>(figure)->SetEquation(true);
            toolId = QvFigText::ToolId;
        }
        figure->SetToolId(toolId);
        return figure;
    }
    return nullptr;
}
