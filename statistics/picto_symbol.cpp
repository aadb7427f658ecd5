#include "statistics/picto_symbol.h"

#include "figures/copy_map.h"
#include "figures/fig_angle_mark.h"
#include "figures/figure.h"

#include <vector>

std::unique_ptr<QvFigure> QvCopyPictogramSymbol(const QvFigure& source) {
    std::unique_ptr<QvFigure> copy = QvFigure::CreateForTool(source.GetToolId());
    if (!copy || copy->GetRuntimeClass() != source.GetRuntimeClass())
        copy.reset(static_cast<QvFigure*>(source.GetRuntimeClass()->CreateObject()));
    if (!copy || !copy->CopyFrom(&source))
        return nullptr;
    // Copies point back at their sources until paired: members that refer
    // to one another (angle marks) then refer to the copied members.
    QvCopyMap map;
    copy->AddToCopyMap(map);
    copy->RemapReferences(map);
    // A mark whose figures lie outside the symbol would point into the
    // source: it is left out.
    std::vector<QvFigure*> list{copy.release()};
    QvDropStrayAngleMarks(list);
    return std::unique_ptr<QvFigure>(list.empty() ? nullptr : list.front());
}
