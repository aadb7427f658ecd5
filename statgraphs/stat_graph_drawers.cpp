// Graph types whose drawers are still to be built draw nothing, so that
// every stored type already has its drawer.  A drawer that is built moves
// into a file of its own.
#include "statgraphs/stat_graph.h"

void QvStatGraphStemLeaf::Draw(CDC*, CRect) {}

void QvStatGraphPictogram::Draw(CDC*, CRect) {}
