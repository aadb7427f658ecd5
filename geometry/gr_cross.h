#pragma once
// Where two primitive kinds meet.  Every crossing of two primitives is
// worked out here, by the pair of their kinds (QvGRBase::AddIntersections
// and AddExtendedIntersections are this), and every routine of one kind
// that reads or makes a primitive of another kind is defined in
// gr_cross.cpp, next to the crossings:
//
//   - QvGRCircle::IntersectLine1/2, LineThroughCentre, TangentLineAt and
//     AddGuideShapes (they read or make lines),
//   - QvGRLine::AddGuideShapes (its equal-length guide is a circle),
//   - QvGRBezierCurve::IntersectLine and MakeCircleCurve (they read a line
//     and a circle).
//
// A primitive's own file therefore includes no other kind's header but
// those it is built from (the triangle's, polygon's and rectangle's edges
// are lines, the rounded rectangle's corners curves), and nothing is
// installed at start-up: the crossings are plain calls.
#include "geometry/gr_base.h"

// Appends to `list` an "Intersection" record (snap kind 8) for each point
// where `first` meets `second`, when kind 8 passes at `level`; the far point
// of a pair that does not meet is not stored (QvSpecialPointList::Add).
// `extended` takes a line as the infinite line through it.  This is what
// QvGRBase::AddIntersections (extended false) and AddExtendedIntersections
// (true) do.
//
// The kind of each side is its type code with the class that code stands
// for: a primitive whose class is not its code's (a bare QvGRBase carrying
// a figure's code) meets nothing.  The pairs, `first` before `second`:
//
//   line    x line      the segments' meeting point; extended, the lines'
//   line    x circle    the circle's two points on the line, each kept when
//   circle  x line        on the segment; extended, both.  Alike in both
//                         orders.
//   circle  x circle    the second circle's two points on the first, each
//                         kept when on the first
//   line    x curve     the curve's points on the line, at most 100; none
//                         extended
//   curve   x line      the same, at most 10; none extended
//   circle  x curve     the curve's points on the circle taken as a closed
//                         four-point curve, at most 100, extended too
//   curve   x circle    the same, at most 5; none extended
//   curve   x curve     the first curve's points on the second, at most 5;
//                         none extended
//   line, circle or curve x triangle
//                       each of the triangle's edges AB, BC, CA as a line
//   triangle, polygon, rectangle x anything
//                       each edge as a line (the polygon's sides of non-zero
//                         length, the rectangle's four edge lines)
//   point   x anything  the point when the other's own on-test holds for it;
//                         none extended
//
// Every pair not listed gives nothing.  So the ellipse, the arc, the
// rounded rectangle, the angle mark and the frame rectangle meet nothing but
// a point that comes first, and a polygon or a rectangle second meets only
// a point.
void QvAddCrossings(const QvGRBase& first, const QvGRBase& second, bool extended,
                    QvSpecialPointList* list, int level);
