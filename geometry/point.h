#pragma once
// Points and vectors of the model (0.01 mm, y upwards), the kernel's one
// tolerance compare, rounding, and the point array with its rotations.
#include "platform/gdi_types.h"
#include "platform/object.h"

#include <vector>

class CArchive;

// The kernel's constants.  pi is the rounded value the program always used,
// not M_PI: rotations and angles must come out exactly as they did.
constexpr double QV_FAR = 1000000000001.2; // no distance, and no point in both coordinates
constexpr double QV_PI = 3.141592654;
constexpr double QV_TWO_PI = 6.283185307;
constexpr double QV_DEGREES_PER_RADIAN = 57.29577951;

// |a - b| <= tolerance, made as larger minus smaller so that it is symmetric.
bool QvIsNear(double a, double b, double tolerance);

// floor(x + 0.5): halves go up, so -2.5 gives -2.
int Round(double x);

class QvVector : public CObject {
    DECLARE_SERIAL(QvVector)
public:
    double x = 0.0;
    double y = 0.0;

    QvVector() = default;
    QvVector(double px, double py) : x(px), y(py) {}
    QvVector(const QvVector&) = default;
    QvVector& operator=(const QvVector&) = default;

    double Length() const;
    QvVector operator*(double s) const { return QvVector(x * s, y * s); }
    QvVector operator+(QvVector v) const { return QvVector(x + v.x, y + v.y); }
    QvVector Negate() const { return QvVector(-x, -y); }
    double Dot(QvVector v) const { return x * v.x + y * v.y; }
    // Scales to length 1; a vector of length exactly 0 stays (0, 0).
    void Normalize();
    QvVector GetUnit() const;
    // Scales to length L (a negative L reverses); the zero vector stays (0, 0).
    void SetLength(double length);
    // atan2(y, x) in (-pi, pi]; 1000.0 for the zero vector.
    double GetAngle() const;
    // Cosine of the angle to v; 0 when either vector has length 0.
    double CosAngle(QvVector v) const;
    bool IsPerpendicular(QvVector v) const;
    // The quarter turn counter-clockwise: (-y, x).
    QvVector Perpendicular() const { return QvVector(-y, x); }
    bool IsZero() const;
    void SetZero() { x = y = 0.0; }
    // Turns counter-clockwise by the angle with cosine c and sine s.  s of
    // exactly 100.0 means: take the sine from the cosine, sqrt(1 - c*c).
    void Rotate(double c, double s);
};

class QvPoint : public CObject {
    DECLARE_SERIAL(QvPoint)
public:
    double x = 0.0;
    double y = 0.0;

    QvPoint() = default;
    QvPoint(double px, double py) : x(px), y(py) {}
    QvPoint(const QvPoint&) = default;
    QvPoint& operator=(const QvPoint&) = default;
    QvPoint& operator=(const CPoint& p);

    // Truncates toward zero (2.9 -> 2, -2.9 -> -2).
    void ToCPoint(CPoint& p) const;

    // Equal within 1e-8 in each coordinate separately.
    bool operator==(const QvPoint& p) const;
    bool operator!=(const QvPoint& p) const { return !(*this == p); }

    QvPoint& operator+=(QvVector v);
    QvPoint& operator-=(QvVector v);
    QvPoint operator+(const QvVector& v) const { return QvPoint(x + v.x, y + v.y); }
    QvPoint operator-(const QvVector& v) const { return QvPoint(x - v.x, y - v.y); }
    QvVector operator-(const QvPoint& p) const { return QvVector(x - p.x, y - p.y); }

    QvPoint Offset(int dx, int dy) const { return QvPoint(x + dx, y + dy); }
    QvPoint OffsetBack(int dx, int dy) const { return QvPoint(x - dx, y - dy); }

    // Both coordinates exactly the far value: the geometry's "no point".
    bool IsFar() const { return x == QV_FAR && y == QV_FAR; }
    void SetZero() { x = y = 0.0; }

    // x then y as little-endian doubles; no version word.
    void Serialize(CArchive& ar) override;

    static QvPoint Far() { return QvPoint(QV_FAR, QV_FAR); }
};

// The class library's growable array of points.  Without a grow-by it grows
// by min(1024, max(4, size / 8)) elements at a time.
class QvPointArray {
public:
    QvPointArray() = default;

    int GetSize() const { return int(m_data.size()); }
    int GetUpperBound() const { return GetSize() - 1; }
    // The number of elements room is kept for.
    int GetAllocSize() const { return m_allocated; }
    // growBy -1 keeps the current grow-by; 0 or less than -1 means automatic.
    void SetSize(int size, int growBy = -1);
    int Add(const QvPoint& p);
    void SetAtGrow(int index, const QvPoint& p);
    void RemoveAll();
    int GetGrowBy() const { return m_growBy; }

    QvPoint& operator[](int i) { return m_data[size_t(i)]; }
    const QvPoint& operator[](int i) const { return m_data[size_t(i)]; }
    QvPoint& ElementAt(int i) { return m_data[size_t(i)]; }
    QvPoint GetAt(int i) const { return m_data[size_t(i)]; }
    void SetAt(int i, const QvPoint& p) { m_data[size_t(i)] = p; }
    QvPoint* GetData() { return m_data.data(); }
    const QvPoint* GetData() const { return m_data.data(); }

private:
    void Reserve(int needed);

    std::vector<QvPoint> m_data;
    int m_allocated = 0;
    int m_growBy = 0; // 0: automatic
};

// Rotate every point about the centre, counter-clockwise for positive degrees
// (radians = degrees * 3.141592654 / 180).
void RotatePoints(QvPointArray& points, double degrees, QvPoint centre);
void RotateFourPoints(QvPoint points[4], double degrees, QvPoint centre);
// The destination takes the source's size (keeping its grow-by) and points.
void CopyPointArray(const QvPointArray& source, QvPointArray& destination);
// Elements 0-3 of the destination, which must already hold four.
void CopyFourPoints(const QvPoint source[4], QvPointArray& destination);
