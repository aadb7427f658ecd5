#pragma once
// Hooks for the cross-kind cases of the line and the circle whose other side
// is a primitive class built in another file: the Bezier curve (type code 5)
// and the triangle (the line's code 1).
//
// The line and circle switch on the other primitive's type code, but they never treat an object as
// a class it is not: a code-1 object that is no QvGRLine goes to `edgeLines`, a code-5 object to
// the curve hooks. The class that answers installs its hook from a static initialiser in its own
// source file; until one is installed the case appends nothing.
#include "geometry/point.h"

class QvGRBase;
class QvGRCircle;
class QvGRLine;

struct QvGRCrossHooks {
    // Points where the curve meets the infinite line through `line`, at most
    // `limit`, written to `out`; returns how many
    // (QvGRBezierCurve::IntersectLine).
    int (*curveMeetsLine)(const QvGRBase& curve, const QvGRLine& line, QvPoint* out,
                          int limit) = nullptr;
    // Points where the curve meets the circle, the circle taken as a closed
    // four-point curve through its 0, 90, 180 and 270 degree points with
    // tension 0.5522847498, at most `limit`; returns how many.
    int (*curveMeetsCircle)(const QvGRBase& curve, const QvGRCircle& circle, QvPoint* out,
                            int limit) = nullptr;
    // For a primitive that reports the line's code 1 without being a line
    // (the triangle): its edge lines, at most `max`, written to `out`;
    // returns how many.  The line's and circle's line cases then run on each
    // edge, as the triangle's own operations ask its edges.
    int (*edgeLines)(const QvGRBase& shape, QvGRLine* out, int max) = nullptr;
};

// The installed hooks (all empty at first).
QvGRCrossHooks& QvGRHooks();
