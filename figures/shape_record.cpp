#include "figures/shape_record.h"

#include <algorithm>
#include <utility>

namespace {
constexpr size_t kPrealloc = 200;
constexpr size_t kGrowBy = 100;
} // namespace

QvShapeRecord::QvShapeRecord(const QvShapeRecord& other) : CObject(other) {
    CopyFields(other);
}

QvShapeRecord& QvShapeRecord::operator=(const QvShapeRecord& other) {
    if (this != &other) {
        ReleaseShape();
        CopyFields(other);
    }
    return *this;
}

QvShapeRecord::QvShapeRecord(QvShapeRecord&& other) noexcept : CObject(other) {
    TakeFields(other);
}

QvShapeRecord& QvShapeRecord::operator=(QvShapeRecord&& other) noexcept {
    if (this != &other) {
        ReleaseShape();
        TakeFields(other);
    }
    return *this;
}

QvShapeRecord::~QvShapeRecord() {
    ReleaseShape();
}

void QvShapeRecord::CopyFields(const QvShapeRecord& other) {
    bool clone = other.shape && !other.released;
    shape = clone ? other.shape->Clone().release() : nullptr;
    released = clone ? 0 : 1;
    priority = other.priority;
    label = other.label;
    figure = other.figure;
    figure2 = other.figure2;
    index1 = other.index1;
    index2 = other.index2;
    frame1 = other.frame1;
    frame2 = other.frame2;
}

void QvShapeRecord::TakeFields(QvShapeRecord& other) noexcept {
    shape = std::exchange(other.shape, nullptr);
    released = std::exchange(other.released, BYTE(1));
    priority = other.priority;
    label = std::move(other.label);
    figure = other.figure;
    figure2 = other.figure2;
    index1 = other.index1;
    index2 = other.index2;
    frame1 = other.frame1;
    frame2 = other.frame2;
}

void QvShapeRecord::SetShape(std::unique_ptr<QvGRBase> primitive) {
    ReleaseShape();
    shape = primitive.release();
    released = 0;
}

void QvShapeRecord::ReleaseShape() {
    if (!released)
        delete shape;
    shape = nullptr;
    released = 1;
}

QvShapeList::QvShapeList() {
    m_records.reserve(kPrealloc);
}

QvShapeList::~QvShapeList() {
    Clear();
}

void QvShapeList::Add(const QvShapeRecord& record) {
    // At least the growth step, and more as the list grows, so that a long
    // list is not copied over and over.
    if (m_records.size() == m_records.capacity())
        m_records.reserve(std::max(m_records.capacity() + kGrowBy, m_records.capacity() * 2));
    m_records.push_back(record);
}

void QvShapeList::Add(QvShapeRecord&& record) {
    if (m_records.size() == m_records.capacity())
        m_records.reserve(std::max(m_records.capacity() + kGrowBy, m_records.capacity() * 2));
    m_records.push_back(std::move(record));
}

void QvShapeList::RemoveAll() {
    for (QvShapeRecord& record : m_records)
        record.ReleaseShape();
    m_records.clear();
}

void QvShapeList::Clear() {
    for (QvShapeRecord& record : m_records)
        record.ReleaseShape();
    m_records.clear();
    m_records.shrink_to_fit();
}
