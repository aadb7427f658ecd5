#include "geometry/gr_base.h"

#include "geometry/snap_kind.h"

#include <utility>

IMPLEMENT_SERIAL(QvGRBase, CObject, 1)

double QvGRBase::DistanceTo(QvPoint) const {
    return QV_FAR;
}

bool QvGRBase::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

bool QvGRBase::HitTestExtended(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

QvPoint QvGRBase::NearestPoint(QvPoint p) const {
    return p;
}

bool QvGRBase::Matches(const QvGRBase&) const {
    return false;
}

QvGRBase& QvGRBase::AssignType(const QvGRBase& other) {
    type = other.type;
    return *this;
}

std::unique_ptr<QvGRBase> QvGRBase::Clone() const {
    auto clone = std::make_unique<QvGRBase>();
    clone->AssignType(*this);
    return clone;
}

bool QvGRBase::IsEmpty() const {
    return true;
}

bool QvGRBase::IsOn(QvPoint p) const {
    return QvIsNear(DistanceTo(p), 0.0, 1e-8);
}

bool QvGRBase::IsOnExtended(QvPoint p) const {
    return QvIsNear(DistanceTo(p), 0.0, 1e-8);
}

void QvGRBase::AddSnapPoints(QvSpecialPointList*, int) const {}

void QvGRBase::AddPointSnapPoints(const QvPoint*, QvSpecialPointList*, int, int) const {}

void QvGRBase::AddGuideShapes(const QvPoint*, QvGuideShapeList*, int) const {}

void QvGRBase::AddGuideShapesWith(const QvGRBase*, QvGuideShapeList*, int) const {}

// ------------------------------------------------------------ QvGuideShape

QvGuideShape::QvGuideShape(const QvGuideShape& other)
    : CObject(other), shape(other.shape ? other.shape->Clone() : nullptr), priority(other.priority),
      label(other.label), data(other.data) {}

QvGuideShape& QvGuideShape::operator=(const QvGuideShape& other) {
    if (this != &other) {
        shape = other.shape ? other.shape->Clone() : nullptr;
        priority = other.priority;
        label = other.label;
        data = other.data;
    }
    return *this;
}

// -------------------------------------------------------- QvGuideShapeList

QvGuideShapeList::QvGuideShapeList() {
    m_shapes.reserve(20);
}

void QvGuideShapeList::Add(QvGuideShape shape) {
    if (m_shapes.size() == m_shapes.capacity())
        m_shapes.reserve(m_shapes.capacity() + 20);
    m_shapes.push_back(std::move(shape));
}

void QvAppendGuideShape(QvGuideShapeList* list, std::unique_ptr<QvGRBase> shape, double priority,
                        const QString& label) {
    QvGuideShape record;
    record.shape = std::move(shape);
    record.priority = priority;
    record.label = label;
    list->Add(std::move(record));
}

void QvAppendGuideShape(QvGuideShapeList* list, std::unique_ptr<QvGRBase> shape, int kind) {
    const QvSnapKind& k = QvGetSnapTable()[kind];
    QvAppendGuideShape(list, std::move(shape), k.priority, k.name);
}
