#include "figures/figure_factory.h"

#include "figures/fig_bezier.h"
#include "figures/fig_circle.h"
#include "figures/fig_gallery.h"
#include "figures/fig_group.h"
#include "figures/fig_line.h"
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
    {32700, &Make<QvFigGroup>},      // group
    {32771, &Make<QvFigLine>},       // line
    {32772, &Make<QvFigCircle>},     // circle in a square
    {32773, nullptr},                // rectangle
    {32774, nullptr},                // select rectangle
    {32789, &Make<QvFigCircleCR>},   // circle: centre and point
    {32790, &Make<QvFigCircle3C>},   // circle: three points
    {32791, &Make<QvFigCircleD>},    // circle: diameter
    {32843, nullptr},                // point
    {32846, &Make<QvFigSmoothLine>}, // smooth line
    {32849, nullptr},                // polygon
    {32850, &Make<QvFigBezier>},     // Bezier curve
    {32852, nullptr},                // rounded rectangle
    {32853, nullptr},                // ellipse: four corners
    {32854, nullptr},                // ellipse: axis and point
    {32855, nullptr},                // ellipse: foci and point
    {32856, nullptr},                // ellipse: four points
    {32857, nullptr},                // arc: centre and two points
    {32859, nullptr},                // arc: three points
    {32860, nullptr},                // arc in a box
    {32861, nullptr},                // angle mark
    {32862, nullptr},                // text box
    {32863, nullptr},                // equation box (a text box, id 32862)
    {32864, nullptr},                // function graph
    {32865, nullptr},                // statistics graph
    {32866, nullptr},                // normal curve
    {32867, nullptr},                // Venn diagram, two sets
    {32868, nullptr},                // Venn diagram, three sets
    {32871, nullptr},                // number line
    {32895, &Make<QvFigGallery>},    // gallery figure
    {32904, nullptr},                // graph and dot paper
    {32906, &Make<QvFigTriangle>},   // triangle
    {33504, &Make<QvFigLine>},       // line with the default arrowheads
    {34024, nullptr},                // region
    {34790, nullptr},                // select rectangle for image export
};
} // namespace

int QvFactoryToolIdCount() {
    return int(std::size(kTools));
}

int QvFactoryToolIdAt(int index) {
    return kTools[index].id;
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
        figure->SetToolId(toolId);
        return figure;
    }
    return nullptr;
}
