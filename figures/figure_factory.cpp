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
#include "platform/command_ids.h"

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
    {ID_TOOL_GROUP, &Make<QvFigGroup>},             // group
    {ID_DRAW_LINE, &Make<QvFigLine>},              // line
    {ID_DRAW_CIRCLE_4C, &Make<QvFigCircle>},            // circle in a square
    {ID_DRAW_RECTANGLE, &Make<QvFigRectangle>},         // rectangle
    {ID_DRAW_SELECT, &Make<QvFigSelectRect>},        // select rectangle
    {ID_DRAW_CIRCLE_CR, &Make<QvFigCircleCR>},          // circle: centre and point
    {ID_DRAW_CIRCLE_3P, &Make<QvFigCircle3C>},          // circle: three points
    {ID_DRAW_CIRCLE_D, &Make<QvFigCircleD>},           // circle: diameter
    {ID_DRAW_POINT, &Make<QvFigPoint>},             // point
    {ID_DRAW_SMOOTH_LINE, &Make<QvFigSmoothLine>},        // smooth line
    {ID_DRAW_POLYGON, &Make<QvFigPolygon>},           // polygon
    {ID_DRAW_BEZIER, &Make<QvFigBezier>},            // Bezier curve
    {ID_DRAW_ROUND_RECT, &Make<QvFigRoundRect>},        // rounded rectangle
    {ID_DRAW_ELLIPSE_4C, &Make<QvFigEllipse4C>},         // ellipse: four corners
    {ID_DRAW_ELLIPSE_AP, &Make<QvFigEllipseAP>},         // ellipse: axis and point
    {ID_DRAW_ELLIPSE_FP, &Make<QvFigEllipseFP>},         // ellipse: foci and point
    {ID_DRAW_ELLIPSE_4P, &Make<QvFigEllipse4P>},         // ellipse: four points
    {ID_DRAW_ARC_C2P, &Make<QvFigArcC2P>},            // arc: centre and two points
    {ID_DRAW_ARC_3P, &Make<QvFigArc3P>},             // arc: three points
    {ID_DRAW_ARC_4P, &Make<QvFigArc4P>},             // arc in a box
    {ID_DRAW_ANGLE_MARK, &Make<QvFigAngleMark>},         // angle mark
    {ID_DRAW_TEXT, &Make<QvFigText>},              // text box
    {ID_DRAW_EQUATION, &Make<QvFigText>},              // equation box (a text box, id 32862)
    {ID_DRAW_GRAPH, nullptr},                       // function graph
    {ID_DRAW_STAT_GRAPH, nullptr},                       // statistics graph
    {ID_DRAW_NORMAL_CURVE, &Make<QvFigNorm>},              // normal curve
    {ID_DRAW_VENN2, &Make<QvFigVenn2>},             // Venn diagram, two sets
    {ID_DRAW_VENN3, &Make<QvFigVenn3>},             // Venn diagram, three sets
    {ID_DRAW_NUMBER_LINE, nullptr},                       // number line
    {ID_DRAW_GALLERY_FIGURE, &Make<QvFigGallery>},           // gallery figure
    {ID_DRAW_GRID_DOT, &Make<QvFigGridDot>},           // graph and dot paper
    {ID_DRAW_TRIANGLE, &Make<QvFigTriangle>},          // triangle
    {ID_DRAW_ARROW_LINE, &Make<QvFigLine>},              // line with the default arrowheads
    {ID_TOOL_REGION, &Make<QvFigRegion>},            // region
    {ID_TOOL_SECTION_SELECT, &Make<QvFigSelectRect>},        // select rectangle for image export
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
