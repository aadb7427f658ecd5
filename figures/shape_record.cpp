#include "figures/shape_record.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace {
constexpr size_t kPrealloc = 200;
constexpr size_t kGrowBy = 100;
} // namespace

// The lists grow by moving their records, never by cloning every primitive.
static_assert(std::is_nothrow_move_constructible_v<QvShapeRecord>);

QvShapeRecord::QvShapeRecord(const QvShapeRecord& other)
    : CObject(other), shape(other.shape ? other.shape->Clone() : nullptr), priority(other.priority),
      label(other.label), figure(other.figure), figure2(other.figure2), index1(other.index1),
      index2(other.index2), frame1(other.frame1), frame2(other.frame2) {}

QvShapeRecord& QvShapeRecord::operator=(const QvShapeRecord& other) {
    if (this != &other)
        *this = QvShapeRecord(other);
    return *this;
}

QvShapeList::QvShapeList() {
    m_records.reserve(kPrealloc);
}

void QvShapeList::Add(const QvShapeRecord& record) {
    Add(QvShapeRecord(record));
}

void QvShapeList::Add(QvShapeRecord&& record) {
    // At least the growth step, and more as the list grows, so that a long
    // list is not copied over and over.
    if (m_records.size() == m_records.capacity())
        m_records.reserve(std::max(m_records.capacity() + kGrowBy, m_records.capacity() * 2));
    m_records.push_back(std::move(record));
}

void QvShapeList::Clear() {
    m_records.clear();
    m_records.shrink_to_fit();
}
