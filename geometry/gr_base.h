#pragma once
// The base of every geometric primitive, the records of construction shapes
// that primitives offer the snap search, and the type codes.
#include "geometry/point.h"
#include "geometry/special_point.h"

#include <QString>

#include <memory>
#include <vector>

class QvGuideShapeList;

// Type codes.  Two are shared: the arc reports the ellipse's 7 and the
// triangle the line's 1.  Code that needs the class behind a shared code
// asks for the class itself (dynamic_cast), never reinterprets by code.
namespace QvGRType {
constexpr int Line = 1;
constexpr int Circle = 2;
constexpr int Point = 3;
constexpr int Polygon = 4;
constexpr int BezierCurve = 5;
constexpr int RoundRect = 6;
constexpr int Ellipse = 7; // and QvGRArc
constexpr int Angle = 9;
constexpr int Rect = 10; // and QvGRFrameRect
constexpr int Triangle = Line;
} // namespace QvGRType

class QvGRBase : public CObject {
    DECLARE_SERIAL(QvGRBase)
public:
    // Set by each concrete class's constructor; copies take it over.
    int type = 0;

    QvGRBase() = default;
    QvGRBase(const QvGRBase&) = default;
    QvGRBase& operator=(const QvGRBase&) = default;
    ~QvGRBase() override = default;

    int GetType() const { return type; }

    // The far value when there is no distance.
    virtual double DistanceTo(QvPoint p) const;
    // DistanceTo <= tolerance, through the virtual DistanceTo.
    virtual bool HitTest(QvPoint p, double tolerance) const;
    virtual bool HitTestExtended(QvPoint p, double tolerance) const;
    virtual QvPoint NearestPoint(QvPoint p) const;
    virtual bool Matches(const QvGRBase& other) const;
    virtual QvGRBase& AssignType(const QvGRBase& other);
    // A new, equal primitive of the same class.
    virtual std::unique_ptr<QvGRBase> Clone() const;
    virtual bool IsEmpty() const;
    // DistanceTo within 1e-8 of 0.
    virtual bool IsOn(QvPoint p) const;
    virtual bool IsOnExtended(QvPoint p) const;

    // Snap operations.  Each appends to the caller's list, each record gated
    // by its snap kind at the given level (QvSnapKindPasses).
    virtual void AddSnapPoints(QvSpecialPointList* list, int level) const;
    // The crossings with another primitive, as drawn and with lines taken as
    // infinite: QvAddCrossings (gr_cross.h, where these are defined), which
    // works every pair of kinds out in one place.  Not virtual: no kind
    // answers for itself.
    void AddIntersections(const QvGRBase* other, QvSpecialPointList* list, int level) const;
    void AddExtendedIntersections(const QvGRBase* other, QvSpecialPointList* list, int level) const;
    // flag: the type code of the primitive of the figure being drawn.
    virtual void AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                                    int level) const;
    virtual void AddSnapPointsReserved(int, int, int) const {}
    virtual void AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const;
    virtual void AddGuideShapesWith(const QvGRBase* other, QvGuideShapeList* list, int level) const;
};

// A construction shape offered to the snap search; it owns its shape.
class QvGuideShape : public CObject {
public:
    std::unique_ptr<QvGRBase> shape;
    double priority = 0.0;
    QString label;
    LONG data = 0; // for the document; the geometry neither sets nor reads it

    QvGuideShape() = default;
    // Copies hold a clone of the source's shape.
    QvGuideShape(const QvGuideShape& other);
    QvGuideShape& operator=(const QvGuideShape& other);
    QvGuideShape(QvGuideShape&& other) noexcept = default;
    QvGuideShape& operator=(QvGuideShape&& other) noexcept = default;
    ~QvGuideShape() override = default;
};

class QvGuideShapeList : public CObject {
public:
    QvGuideShapeList();
    QvGuideShapeList(const QvGuideShapeList&) = delete;
    QvGuideShapeList& operator=(const QvGuideShapeList&) = delete;

    // Takes the record, shape and all.
    void Add(QvGuideShape shape);
    // Deletes every record and its shape.
    void DeleteAll() { m_shapes.clear(); }

    int GetCount() const { return int(m_shapes.size()); }
    QvGuideShape& operator[](int i) { return m_shapes[size_t(i)]; }
    const QvGuideShape& operator[](int i) const { return m_shapes[size_t(i)]; }

private:
    std::vector<QvGuideShape> m_shapes;
};

// Appends a guide shape of the given priority and label.
void QvAppendGuideShape(QvGuideShapeList* list, std::unique_ptr<QvGRBase> shape, double priority,
                        const QString& label);
// The same with the kind's priority and name.
void QvAppendGuideShape(QvGuideShapeList* list, std::unique_ptr<QvGRBase> shape, int kind);
