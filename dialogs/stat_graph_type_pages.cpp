#include "dialogs/stat_graph_type_pages.h"

std::unique_ptr<CGOptTypePage> NewGraphTypeOptionsPage(int /*graphType*/) {
    // No graph type has a page of its own yet.
    return nullptr;
}
