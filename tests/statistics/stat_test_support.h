#pragma once
// Helpers for the column tests: filling cells, choosing the quartile and
// percentile methods for one test, and a record's stored bytes.
#include "platform/archive.h"
#include "settings/stat_options.h"
#include "statistics/stat_column.h"

#include <QBuffer>

#include <initializer_list>
#include <utility>
#include <vector>

// Sets the two methods and puts the previous ones back at the end.
class StatMethods {
public:
    StatMethods(int quartile, int percentile)
        : m_quartile(g_nQuartileMethod), m_percentile(g_nPercentileMethod) {
        g_nQuartileMethod = quartile;
        g_nPercentileMethod = percentile;
    }
    ~StatMethods() {
        g_nQuartileMethod = m_quartile;
        g_nPercentileMethod = m_percentile;
    }

private:
    int m_quartile;
    int m_percentile;
};

// Rows from 0 on, each value with count 1.
inline void FillValues(QvStatColumn& c, const std::vector<double>& values) {
    c.Clear();
    for (size_t i = 0; i < values.size(); ++i)
        c.cells[i] = {values[i], 1, {}};
    c.MarkDirty();
}

// Rows from 0 on, each {value, count}.
inline void FillCounted(QvStatColumn& c, std::initializer_list<std::pair<double, int>> rows) {
    c.Clear();
    size_t i = 0;
    for (const auto& [value, count] : rows)
        c.cells[i++] = {value, count, {}};
    c.MarkDirty();
}

inline QByteArray Store(CObject& o) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    o.Serialize(ar);
    return buffer.data();
}

inline void Load(CObject& o, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    o.Serialize(ar);
}
