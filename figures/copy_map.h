#pragma once
// Source/copy pairs made while figures are copied, pasted, loaded or placed
// from a gallery, so that figures referring to others can be re-linked.
#include "platform/object.h"

#include <vector>

class QvFigure;

struct QvCopyMapEntry {
    QvFigure* source = nullptr;
    QvFigure* copy = nullptr;
};

class QvCopyMap : public CObject {
public:
    QvCopyMap();

    void AddPair(QvFigure* source, QvFigure* copy);
    void Clear() { m_entries.clear(); }
    int GetCount() const { return int(m_entries.size()); }
    const QvCopyMapEntry& operator[](int i) const { return m_entries[size_t(i)]; }
    // The copy paired with `source`, or null; pairs are searched in order.
    QvFigure* CopyOf(const QvFigure* source) const;

private:
    std::vector<QvCopyMapEntry> m_entries;
};
