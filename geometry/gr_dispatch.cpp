#include "geometry/gr_dispatch.h"

QvGRCrossHooks& QvGRHooks() {
    // Built on first use, so an installer's static initialiser may run first.
    static QvGRCrossHooks hooks;
    return hooks;
}
