#pragma once
// Helpers for the column tests: filling cells and choosing the quartile and
// percentile methods for one test.
#include "settings/stat_options.h"
#include "statistics/stat_column.h"

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
