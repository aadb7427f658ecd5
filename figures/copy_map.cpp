#include "figures/copy_map.h"

QvCopyMap::QvCopyMap() {
    m_entries.reserve(200);
}

void QvCopyMap::AddPair(QvFigure* source, QvFigure* copy) {
    if (m_entries.size() == m_entries.capacity())
        m_entries.reserve(m_entries.capacity() + 100);
    m_entries.push_back({source, copy});
}

QvFigure* QvCopyMap::CopyOf(const QvFigure* source) const {
    for (const QvCopyMapEntry& e : m_entries) {
        if (e.source == source)
            return e.copy;
    }
    return nullptr;
}
