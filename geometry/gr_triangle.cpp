#include "geometry/gr_triangle.h"

#include "platform/archive.h"

#include "geometry/snap_kind.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

IMPLEMENT_SERIAL(QvGRTriangle, QvGRBase, 1)

using namespace QvTri;

namespace {
constexpr double kNoEdge = 100000000.0;
constexpr double kEdgeReach = 200.0;
constexpr double kModelPerMillimetre = 100.0;
constexpr WORD kVersion = 1;
constexpr double kLeastAngle = 1e-6; // degrees

const char kCannotSolve[] = "I am not able to solve that selection of three measurements";
const char kTooFew[] = "Not enough information to define a triangle.  You require 3 pieces of "
                       "information to define a triangle";
const char kTooMany[] = "Too much information.  Only three pieces needed.";
const char kThreeAngles[] = "Three angles do not define a triangle.";
const char kNot180[] = " The angles also do not add to 180 degrees.";
const char kNotATriangle[] =
    "Not a triangle.  The three sides you have given cannot be formed into a triangle.";
const char kThreeSides[] = "Unique triangle found (Three sides)";
const char kIncludedAngle[] = "Unique triangle found (Two sides and included angle)";
const char kTwoAnglesSide[] = "Unique triangle found (Two angles and a side)";
const char kSidesAndAngle[] = "Unique triangle found (Unambiguous two sides and an angle)";
const char kAmbiguous[] = "Ambigous case.  Two triangles fit your data";
const char kAnglesArea[] = "Unique triangle found (Two angles and the area)";
const char kSidesPerimeter[] = "Unique triangle found (Two sides and the perimeter)";

double Sin(double degrees) {
    return std::sin(degrees / QV_DEGREES_PER_RADIAN);
}

double Cos(double degrees) {
    return std::cos(degrees / QV_DEGREES_PER_RADIAN);
}

// Rounding may carry a cosine of a very flat triangle just past +-1.
double Acos(double c) {
    return std::acos(std::clamp(c, -1.0, 1.0)) * QV_DEGREES_PER_RADIAN;
}

bool IsOneOf(const QString& pattern, std::initializer_list<const char*> cases) {
    for (const char* c : cases) {
        if (pattern == QLatin1String(c))
            return true;
    }
    return false;
}

QvPoint NearestOnSegment(const QvGRLine& line, QvPoint p) {
    QvVector d = line.p2 - line.p1;
    double lengthSquared = d.Dot(d);
    if (lengthSquared == 0.0)
        return line.p1;
    double f = std::clamp((p - line.p1).Dot(d) / lengthSquared, 0.0, 1.0);
    return line.p1 + d * f;
}
} // namespace

QvGRTriangle::QvGRTriangle() {
    type = QvGRType::Triangle;
}

// ------------------------------------------------------------------ solving

void QvGRTriangle::BuildPattern() {
    givenCount = 0;
    pattern.clear();
    for (int i = 0; i < Count; ++i) {
        if (given[i] > 0.0) {
            pattern += QLatin1Char('1');
            ++givenCount;
            solved[i] = given[i];
        } else {
            pattern += QLatin1Char('0');
        }
        if (i == AngleC || i == SideC || i == HeightC)
            pattern += QLatin1Char('-');
    }
}

bool QvGRTriangle::IsTriangle(double a, double b, double c) const {
    double m = b <= c ? c : b;
    if (a > m)
        m = a;
    if (m == a)
        return b + c > a;
    if (m == b)
        return a + c > b;
    return a + b > c;
}

void QvGRTriangle::Complete() {
    double a = solved[SideA], b = solved[SideB], c = solved[SideC];
    solved[Area] = Sin(solved[AngleC]) * (a * 0.5 * b);
    solved[HeightA] = Sin(solved[AngleC]) * b;
    solved[HeightB] = Sin(solved[AngleC]) * a;
    solved[HeightC] = Sin(solved[AngleA]) * b;
    solved[Perimeter] = a + b + c;
}

void QvGRTriangle::AnglesFromSides() {
    double a = solved[SideA], b = solved[SideB], c = solved[SideC];
    solved[AngleA] = Acos((c * c + b * b - a * a) / (2.0 * b * c));
    solved[AngleB] = Acos((a * a + c * c - b * b) / (2.0 * a * c));
    solved[AngleC] = Acos((b * b + a * a - c * c) / (2.0 * b * a));
    Complete();
}

void QvGRTriangle::CompleteAngles() {
    if (given[AngleA] > 0.0 && given[AngleB] > 0.0) {
        solved[AngleA] = given[AngleA];
        solved[AngleB] = given[AngleB];
        solved[AngleC] = 180.0 - solved[AngleA] - solved[AngleB];
    }
    if (given[AngleA] > 0.0 && given[AngleC] > 0.0) {
        solved[AngleA] = given[AngleA];
        solved[AngleC] = given[AngleC];
        solved[AngleB] = 180.0 - solved[AngleA] - solved[AngleC];
    }
    if (given[AngleC] > 0.0 && given[AngleB] > 0.0) {
        solved[AngleC] = given[AngleC];
        solved[AngleB] = given[AngleB];
        solved[AngleA] = 180.0 - solved[AngleC] - solved[AngleB];
    }
}

void QvGRTriangle::SidesFromAngles(int which) {
    double sa = Sin(solved[AngleA]), sb = Sin(solved[AngleB]), sc = Sin(solved[AngleC]);
    if (which == 1) {
        double a = solved[SideA];
        solved[SideB] = sb * a / sa;
        solved[SideC] = sc * a / sa;
    } else if (which == 2) {
        solved[SideB] = given[SideB];
        double b = solved[SideB];
        solved[SideA] = sa * b / sb;
        solved[SideC] = sc * b / sb;
    } else if (which == 3) {
        solved[SideC] = given[SideC];
        double c = solved[SideC];
        solved[SideB] = sb * c / sc;
        solved[SideA] = sa * c / sc;
    }
    Complete();
}

double QvGRTriangle::AngleFromSine(double theta, double p, double q) {
    double s = Sin(theta) * q / p;
    // Past 1 the side opposite theta is too short to reach: no triangle at
    // all, which is not the ambiguous case.  The degree constant alone puts
    // a right angle some 5e-11 past 1.
    if (!(s <= 1.0 + 1e-9))
        return NoAngle;
    double x = std::asin(std::min(s, 1.0)) * QV_DEGREES_PER_RADIAN;
    // The obtuse alternative 180 - x leaves x - theta for the third angle:
    // a second triangle only when that is above 0.  With p = q it is 0 (up
    // to rounding), and the isosceles triangle is the only one.
    if (QvIsNear(x, 90.0, 1e-8) || (180.0 - x) + theta > 180.0 - 1e-9)
        return x;
    return AmbiguousAngle;
}

void QvGRTriangle::SidesFromArea() {
    CompleteAngles();
    double area = solved[Area];
    double sa = Sin(solved[AngleA]), sb = Sin(solved[AngleB]), sc = Sin(solved[AngleC]);
    solved[SideA] = std::sqrt(2.0 * area * sa / (sc * sb));
    solved[SideB] = std::sqrt(2.0 * area * sb / (sc * sa));
    solved[SideC] = std::sqrt(2.0 * area * sc / (sb * sa));
    solved[HeightA] = sc * solved[SideB];
    solved[HeightB] = sc * solved[SideA];
    solved[HeightC] = sa * solved[SideB];
    solved[Perimeter] = solved[SideA] + solved[SideB] + solved[SideC];
}

bool QvGRTriangle::SolvedIsTriangle() const {
    for (double v : solved) {
        if (!std::isfinite(v) || v <= 0.0)
            return false;
    }
    // An angle left at rounding noise is a flattened triangle, not a thin one.
    for (int i = AngleA; i <= AngleC; ++i) {
        if (solved[i] < kLeastAngle || solved[i] >= 180.0 || given[i] >= 180.0)
            return false;
    }
    return IsTriangle(solved[SideA], solved[SideB], solved[SideC]);
}

QString QvGRTriangle::Solve() {
    QString message = QLatin1String(kCannotSolve);
    isSolved = 0;
    BuildPattern();
    if (givenCount < 3)
        message = QLatin1String(kTooFew);
    else if (givenCount > 3)
        message = QLatin1String(kTooMany);

    // Each working case ends here: data that makes no triangle (angles of
    // 180 or more, a perimeter too short, ...) is refused rather than
    // reported as a triangle with values that are not numbers.
    auto found = [&](const char* text) {
        if (SolvedIsTriangle()) {
            message = QLatin1String(text);
            isSolved = 1;
        } else {
            message = QLatin1String(kCannotSolve);
        }
    };

    if (pattern == QLatin1String("111-000-000-00")) {
        message = QLatin1String(kThreeAngles);
        if (std::fabs(given[AngleA] + given[AngleB] + given[AngleC] - 180.0) > 0.0001)
            message += QLatin1String(kNot180);
    } else if (pattern == QLatin1String("000-111-000-00")) {
        if (IsTriangle(given[SideA], given[SideB], given[SideC])) {
            AnglesFromSides();
            found(kThreeSides);
        } else {
            message = QLatin1String(kNotATriangle);
        }
    } else if (IsOneOf(pattern, {"100-011-000-00", "010-101-000-00", "001-110-000-00"})) {
        // Two sides and the angle between them: the third side by the cosine rule.
        int angle = pattern[0] == QLatin1Char('1')   ? AngleA
                    : pattern[1] == QLatin1Char('1') ? AngleB
                                                     : AngleC;
        int side = SideA + angle;
        double p = solved[SideA + (angle + 1) % 3];
        double q = solved[SideA + (angle + 2) % 3];
        solved[side] = std::sqrt(p * p + q * q - 2.0 * p * q * Cos(solved[angle]));
        AnglesFromSides();
        found(kIncludedAngle);
    } else if (IsOneOf(pattern, {"011-100-000-00", "101-100-000-00", "110-100-000-00"})) {
        CompleteAngles();
        SidesFromAngles(1);
        found(kTwoAnglesSide);
    } else if (IsOneOf(pattern, {"011-010-000-00", "101-010-000-00", "110-010-000-00"})) {
        CompleteAngles();
        SidesFromAngles(2);
        found(kTwoAnglesSide);
    } else if (IsOneOf(pattern, {"011-001-000-00", "101-001-000-00", "110-001-000-00"})) {
        CompleteAngles();
        SidesFromAngles(3);
        found(kTwoAnglesSide);
    } else if (pattern.endsWith(QLatin1String("-000-00")) && pattern.count(QLatin1Char('1')) == 3 &&
               pattern.left(3).count(QLatin1Char('1')) == 1) {
        // One angle and two sides, not the angle between them (that case is
        // above): the angle opposite the second side by the sine rule.
        int known = pattern.indexOf(QLatin1Char('1'));
        int other =
            pattern[4 + (known + 1) % 3] == QLatin1Char('1') ? (known + 1) % 3 : (known + 2) % 3;
        int third = 3 - known - other;
        double angle = AngleFromSine(solved[known], solved[SideA + known], solved[SideA + other]);
        if (angle == AmbiguousAngle) {
            message = QLatin1String(kAmbiguous);
        } else if (angle == NoAngle) {
            message = QLatin1String(kCannotSolve);
        } else {
            solved[other] = angle;
            solved[third] = 180.0 - solved[known] - solved[other];
            // From b when a is not given.
            SidesFromAngles(given[SideA] > 0.0 ? 1 : 2);
            found(kSidesAndAngle);
        }
    } else if (IsOneOf(pattern, {"110-000-000-10", "101-000-000-10", "011-000-000-10"})) {
        SidesFromArea();
        found(kAnglesArea);
    } else if (IsOneOf(pattern, {"000-110-000-10", "000-101-000-10", "000-011-000-10"})) {
        message = QLatin1String(kAmbiguous);
    } else if (IsOneOf(pattern, {"000-110-000-01", "000-101-000-01", "000-011-000-01"})) {
        int missing = pattern[4] == QLatin1Char('0')   ? SideA
                      : pattern[5] == QLatin1Char('0') ? SideB
                                                       : SideC;
        solved[missing] = solved[Perimeter];
        for (int side = SideA; side <= SideC; ++side) {
            if (side != missing)
                solved[missing] -= solved[side];
        }
        AnglesFromSides();
        found(kSidesPerimeter);
    }
    return message;
}

// ------------------------------------------------------------------ layout

void QvGRTriangle::PlaceVertices(QvPoint start) {
    QvVector u = vertices[2] - vertices[0];
    QvVector w = vertices[1] - vertices[0];
    if (u.Length() <= 0.0)
        u = QvVector(1.0, 0.0);
    vertices[0] = start;
    QvVector ac = u;
    ac.SetLength(solved[SideB] * kModelPerMillimetre);
    vertices[2] = start + ac;
    QvVector up = u;
    up.SetLength(solved[SideC] * kModelPerMillimetre);
    QvVector down = up;
    up.Rotate(Cos(solved[AngleA]), Sin(solved[AngleA]));
    down.Rotate(Cos(solved[AngleA]), Sin(-solved[AngleA]));
    vertices[1] = start + (w.CosAngle(up) > w.CosAngle(down) ? up : down);
}

void QvGRTriangle::RotateLabels() {
    for (double* m : {given, solved}) {
        for (int first : {AngleA, SideA, HeightA}) {
            double old = m[first];
            m[first] = m[first + 1];
            m[first + 1] = m[first + 2];
            m[first + 2] = old;
        }
    }
}

void QvGRTriangle::ClearGiven() {
    std::fill(std::begin(given), std::end(given), 0.0);
    std::fill(std::begin(vertices), std::end(vertices), QvPoint(0, 0));
    measureFromVertices = 0;
}

// ----------------------------------------------------------------- storage

void QvGRTriangle::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        version = kVersion;
        ar << version;
        for (int i = AngleA; i <= SideB; ++i)
            ar << given[i];
        // The record has only a 32-bit field where given c belongs, which
        // older files leave 0: c goes there as a float, and 0 reads back as
        // not given.
        ar << float(given[SideC]);
        for (int i = HeightA; i <= Perimeter; ++i)
            ar << given[i];
        for (double v : solved)
            ar << v;
        ar << measureFromVertices;
        for (const QvPoint& p : vertices)
            ar << p.x << p.y;
        return;
    }
    WORD stored = 0;
    ar >> stored;
    version = kVersion;
    if (stored < kVersion)
        return;
    // Read everything before keeping any of it.
    double g[Count];
    double s[Count];
    float c = 0.0f;
    BYTE flag = 0;
    QvPoint v[3];
    for (int i = AngleA; i <= SideB; ++i)
        ar >> g[i];
    ar >> c;
    g[SideC] = double(c);
    for (int i = HeightA; i <= Perimeter; ++i)
        ar >> g[i];
    for (double& x : s)
        ar >> x;
    ar >> flag;
    for (QvPoint& p : v)
        ar >> p.x >> p.y;
    std::copy(std::begin(g), std::end(g), std::begin(given));
    std::copy(std::begin(s), std::end(s), std::begin(solved));
    measureFromVertices = flag;
    std::copy(std::begin(v), std::end(v), std::begin(vertices));
}

// ------------------------------------------------------ QvGRBase interface

QvGRLine QvGRTriangle::GetEdge(int i) const {
    return QvGRLine(vertices[i], vertices[(i + 1) % 3]);
}

double QvGRTriangle::DistanceTo(QvPoint p) const {
    nearestEdge = -1;
    double best = kNoEdge;
    for (int i = 0; i < 3; ++i) {
        QvGRLine edge = GetEdge(i);
        double d = edge.DistanceTo(p);
        if (edge.HitTest(p, kEdgeReach) && d < best) {
            best = d;
            nearestEdge = i;
        }
    }
    return best;
}

bool QvGRTriangle::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

QvPoint QvGRTriangle::NearestPoint(QvPoint p) const {
    // Asks afresh rather than trusting an edge recorded for another point.
    DistanceTo(p);
    if (nearestEdge >= 0)
        return GetEdge(nearestEdge).NearestPoint(p);
    // No edge within reach: the nearest point of the outline.
    QvPoint best = NearestOnSegment(GetEdge(0), p);
    for (int i = 1; i < 3; ++i) {
        QvPoint q = NearestOnSegment(GetEdge(i), p);
        if ((p - q).Length() < (p - best).Length())
            best = q;
    }
    return best;
}

std::unique_ptr<QvGRBase> QvGRTriangle::Clone() const {
    return std::make_unique<QvGRTriangle>(*this);
}

bool QvGRTriangle::IsEmpty() const {
    return std::all_of(std::begin(vertices), std::end(vertices),
                       [](const QvPoint& p) { return p.x == 0.0 && p.y == 0.0; });
}

void QvGRTriangle::AddSnapPoints(QvSpecialPointList* list, int level) const {
    for (int i = 0; i < 3; ++i) {
        const QvPoint& here = vertices[i];
        const QvPoint& next = vertices[(i + 1) % 3];
        if (QvSnapKindPasses(QvSnap::PolygonVertex, level))
            QvAppendSnapPoint(list, QvSnap::PolygonVertex, here);
        if (QvSnapKindPasses(QvSnap::PolygonMidPoint, level))
            QvAppendSnapPoint(list, QvSnap::PolygonMidPoint, here + (next - here) * 0.5);
    }
}

void QvGRTriangle::AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                                      int level) const {
    for (int i = 0; i < 3; ++i)
        GetEdge(i).QvGRLine::AddPointSnapPoints(from, list, flag, level);
}

void QvGRTriangle::AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const {
    for (int i = 0; i < 3; ++i)
        GetEdge(i).QvGRLine::AddGuideShapes(from, list, level);
}
