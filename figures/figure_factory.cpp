#include "figures/figure_factory.h"

#include <map>

namespace {
// Built on first use: registrations run from other files' static
// initialisers, in no order we choose.
std::map<int, QvFigureTool>& Tools() {
    static std::map<int, QvFigureTool> tools;
    return tools;
}
} // namespace

bool QvRegisterFigureTools(std::initializer_list<QvFigureTool> tools) {
    bool all = true;
    for (const QvFigureTool& tool : tools)
        all = Tools().emplace(tool.toolId, tool).second && all;
    return all;
}

int QvFactoryToolIdCount() {
    return int(Tools().size());
}

int QvFactoryToolIdAt(int index) {
    if (index < 0 || index >= QvFactoryToolIdCount())
        return 0;
    return std::next(Tools().begin(), index)->first;
}

const char* QvFactoryClassName(int toolId) {
    auto found = Tools().find(toolId);
    return found == Tools().end() ? nullptr : found->second.className;
}

bool QvFigure::CanCreateForTool(int toolId) {
    auto found = Tools().find(toolId);
    return found != Tools().end() && found->second.make != nullptr;
}

std::unique_ptr<QvFigure> QvFigure::CreateForTool(int toolId) {
    auto found = Tools().find(toolId);
    if (found == Tools().end() || !found->second.make)
        return nullptr;
    std::unique_ptr<QvFigure> figure = found->second.make();
    if (!figure)
        return nullptr;
    if (found->second.prepare)
        found->second.prepare(figure.get(), toolId);
    figure->SetToolId(toolId);
    return figure;
}
