#include "geometry/point.h"

#include "platform/archive.h"

#include <algorithm>
#include <climits>
#include <cmath>

IMPLEMENT_SERIAL(QvPoint, CObject, 1)
IMPLEMENT_SERIAL(QvVector, CObject, 1)

bool QvIsNear(double a, double b, double tolerance) {
    double difference = a > b ? a - b : b - a;
    return difference <= tolerance;
}

int Round(double x) {
    return int(std::floor(x + 0.5));
}

// ---------------------------------------------------------------- QvVector

double QvVector::Length() const {
    return std::sqrt(x * x + y * y);
}

void QvVector::Normalize() {
    double length = Length();
    if (length == 0.0) {
        SetZero();
        return;
    }
    x /= length;
    y /= length;
}

QvVector QvVector::GetUnit() const {
    QvVector unit(*this);
    unit.Normalize();
    return unit;
}

void QvVector::SetLength(double length) {
    double current = Length();
    if (current == 0.0) {
        SetZero();
        return;
    }
    x = x * length / current;
    y = y * length / current;
}

double QvVector::GetAngle() const {
    if (x == 0.0 && y == 0.0)
        return 1000.0;
    return std::atan2(y, x);
}

double QvVector::CosAngle(QvVector v) const {
    double lengths = v.Length() * Length();
    if (lengths == 0.0)
        return 0.0;
    return Dot(v) / lengths;
}

bool QvVector::IsPerpendicular(QvVector v) const {
    return QvIsNear(Dot(v), 0.0, 0.0001);
}

bool QvVector::IsZero() const {
    return QvIsNear(x, 0.0, 1e-8) && QvIsNear(y, 0.0, 1e-8);
}

void QvVector::Rotate(double c, double s) {
    if (s == 100.0)
        s = std::sqrt(1.0 - c * c);
    double nx = x * c - y * s;
    double ny = x * s + y * c;
    x = nx;
    y = ny;
}

// ----------------------------------------------------------------- QvPoint

QvPoint& QvPoint::operator=(const CPoint& p) {
    x = double(p.x);
    y = double(p.y);
    return *this;
}

namespace {
// Truncation toward zero.  A double outside the integer range (the far
// point) has no integer value at all; it is held at the range's ends rather
// than left to undefined behaviour.
LONG TruncateToLong(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return LONG(v);
}
} // namespace

void QvPoint::ToCPoint(CPoint& p) const {
    p.x = TruncateToLong(x);
    p.y = TruncateToLong(y);
}

bool QvPoint::operator==(const QvPoint& p) const {
    return QvIsNear(x, p.x, 1e-8) && QvIsNear(y, p.y, 1e-8);
}

QvPoint& QvPoint::operator+=(QvVector v) {
    x += v.x;
    y += v.y;
    return *this;
}

QvPoint& QvPoint::operator-=(QvVector v) {
    x -= v.x;
    y -= v.y;
    return *this;
}

void QvPoint::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << x << y;
    else
        ar >> x >> y;
}

// ------------------------------------------------------------ QvPointArray

void QvPointArray::Reserve(int needed) {
    if (needed <= m_allocated)
        return;
    if (m_allocated == 0) {
        // A first allocation is the size asked for, or the grow-by if larger.
        int first = std::max(needed, m_growBy);
        m_data.reserve(size_t(first));
        m_allocated = first;
        return;
    }
    int growBy = m_growBy;
    if (growBy <= 0)
        growBy = std::min(1024, std::max(4, GetSize() / 8));
    int newSize = std::max(needed, m_allocated + growBy);
    m_data.reserve(size_t(newSize));
    m_allocated = newSize;
}

void QvPointArray::SetSize(int size, int growBy) {
    if (growBy != -1)
        m_growBy = growBy > 0 ? growBy : 0;
    if (size <= 0) {
        RemoveAll();
        return;
    }
    Reserve(size);
    m_data.resize(size_t(size));
}

int QvPointArray::Add(const QvPoint& p) {
    Reserve(GetSize() + 1);
    m_data.push_back(p);
    return GetSize() - 1;
}

void QvPointArray::SetAtGrow(int index, const QvPoint& p) {
    if (index < 0)
        return;
    if (index >= GetSize()) {
        Reserve(index + 1);
        m_data.resize(size_t(index) + 1);
    }
    m_data[size_t(index)] = p;
}

void QvPointArray::RemoveAll() {
    m_data.clear();
    m_data.shrink_to_fit();
    m_allocated = 0;
}

// ---------------------------------------------------------- array helpers

namespace {
void RotateRange(QvPoint* points, int count, double degrees, QvPoint centre) {
    double radians = degrees * QV_PI / 180.0;
    double c = std::cos(radians);
    double s = std::sin(radians);
    for (int i = 0; i < count; ++i) {
        QvVector v = points[i] - centre;
        v.Rotate(c, s);
        points[i] = centre + v;
    }
}
} // namespace

void RotatePoints(QvPointArray& points, double degrees, QvPoint centre) {
    RotateRange(points.GetData(), points.GetSize(), degrees, centre);
}

void RotateFourPoints(QvPoint points[4], double degrees, QvPoint centre) {
    RotateRange(points, 4, degrees, centre);
}

void CopyPointArray(const QvPointArray& source, QvPointArray& destination) {
    destination.SetSize(source.GetSize());
    for (int i = 0; i < source.GetSize(); ++i)
        destination[i] = source[i];
}

void CopyFourPoints(const QvPoint source[4], QvPointArray& destination) {
    for (int i = 0; i < 4; ++i)
        destination[i] = source[i];
}
