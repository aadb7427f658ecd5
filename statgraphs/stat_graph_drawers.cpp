// Graph types whose drawers are still to be built draw nothing, so that
// every stored type already has its drawer.  A drawer that is built moves
// into a file of its own.
#include "statgraphs/stat_graph.h"

void QvStatGraphBox::Draw(CDC*, CRect) {}

void QvStatGraphPie::Draw(CDC*, CRect) {}

void QvStatGraphLine::Draw(CDC*, CRect) {}

void QvStatGraphScatter::Draw(CDC*, CRect) {}

void QvStatGraphDot::Draw(CDC*, CRect) {}

void QvStatGraphHisto::Draw(CDC*, CRect) {}

void QvStatGraphCum::Draw(CDC*, CRect) {}

void QvStatGraphFreq::Draw(CDC*, CRect) {}

void QvStatGraphResidual::Draw(CDC*, CRect) {}
