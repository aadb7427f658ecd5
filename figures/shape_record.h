#pragma once
// One outline piece of a figure (or one construction shape) for the
// intersection caches, and the list that holds them.  A record owns its
// primitive: copying a record clones the primitive, so two records never
// delete the same one.
#include "geometry/gr_base.h"
#include "geometry/gr_rect.h"

#include <QString>

#include <memory>
#include <vector>

class QvFigure;

class QvShapeRecord : public CObject {
public:
    std::unique_ptr<QvGRBase> shape; // empty: no primitive
    double priority = 0.0;
    QString label;
    QvFigure* figure = nullptr;
    QvFigure* figure2 = nullptr;
    int index1 = -1;
    int index2 = -1;
    const QvGRRect* frame1 = nullptr; // not owned, as in QvSnapPoint
    const QvGRRect* frame2 = nullptr;

    QvShapeRecord() = default;
    QvShapeRecord(const QvShapeRecord& other);
    QvShapeRecord& operator=(const QvShapeRecord& other);
    // Moves hand the primitive over; the source is left empty.
    QvShapeRecord(QvShapeRecord&&) noexcept = default;
    QvShapeRecord& operator=(QvShapeRecord&&) noexcept = default;
    ~QvShapeRecord() override = default;

    void SetShape(std::unique_ptr<QvGRBase> primitive) { shape = std::move(primitive); }
};

class QvShapeList : public CObject {
public:
    QvShapeList();
    QvShapeList(const QvShapeList&) = delete;
    QvShapeList& operator=(const QvShapeList&) = delete;

    void Add(const QvShapeRecord& record);
    // Hands the record's primitive over without cloning it.
    void Add(QvShapeRecord&& record);
    // Deletes every record's primitive and empties the list.
    void Clear();
    // The same, keeping the storage for the next filling.
    void RemoveAll() { m_records.clear(); }
    int GetCount() const { return int(m_records.size()); }
    QvShapeRecord& operator[](int i) { return m_records[size_t(i)]; }
    const QvShapeRecord& operator[](int i) const { return m_records[size_t(i)]; }

    // The records in order, for the caches that splice a figure's block.
    std::vector<QvShapeRecord>& Records() { return m_records; }
    const std::vector<QvShapeRecord>& Records() const { return m_records; }

private:
    std::vector<QvShapeRecord> m_records;
};
