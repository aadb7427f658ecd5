// The dot plot: each value one mark over a numeric x axis, equal values
// stacked upwards, all columns sharing the stacks.
#include "statgraphs/stat_graph_dot.h"

#include "statgraphs/stat_graph.h"
#include "statistics/stat_data.h"

#include <algorithm>

void QvDotStacks::Build(QvStatData& data) {
    const QvStatProperties& p = data.properties;
    used = 0;
    ymax = 0;
    hasData = false;
    bool anyRange = false;
    for (int slot = 0; slot < QvStatProperties::Series; ++slot) {
        QvStatColumn* column = p.dc[size_t(slot)] == -1 ? nullptr : data.Column(p.dc[size_t(slot)]);
        if (!column)
            continue;
        column->Recalc();
        const int groups = column->BuildFrequencyTable(0.0);
        if (column->n <= 0)
            continue;
        hasData = true;
        xmin = anyRange ? std::min(xmin, column->min) : column->min;
        xmax = anyRange ? std::max(xmax, column->max) : column->max;
        anyRange = true;
        for (int g = 0; g < groups && used < Capacity; ++g) {
            const QvStatCell& row = column->classes[size_t(g)];
            if (row.value != QvStatEmpty)
                entries[size_t(used++)] = {row.value, row.count, 0};
        }
    }
    if (!anyRange) {
        xmin = 0.0;
        xmax = 1.0;
    }
    // Equal values of different columns meet, then merge into one stack.
    std::stable_sort(entries.begin(), entries.begin() + used,
                     [](const Entry& a, const Entry& b) { return a.value < b.value; });
    int stacks = 0;
    for (int i = 0; i < used; ++i) {
        if (stacks > 0 && entries[size_t(stacks - 1)].value == entries[size_t(i)].value)
            entries[size_t(stacks - 1)].count += entries[size_t(i)].count;
        else
            entries[size_t(stacks++)] = entries[size_t(i)];
    }
    used = stacks;
    for (int i = 0; i < used; ++i)
        ymax = std::max(ymax, entries[size_t(i)].count);
}

QvDotStacks::Entry* QvDotStacks::Find(double v) {
    Entry* end = entries.begin() + used;
    Entry* e = std::lower_bound(entries.begin(), end, v,
                                [](const Entry& a, double value) { return a.value < value; });
    return e != end && e->value == v ? e : nullptr;
}
