#pragma once
// Drawing-tool ids and the figure classes they make.
#include "figures/figure.h"

// The tool ids the factory knows, in table order.  Ids whose figure class
// is not built yet are known but still give null.
int QvFactoryToolIdCount();
int QvFactoryToolIdAt(int index);
