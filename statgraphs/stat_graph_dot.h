#pragma once
// The stacks of a dot plot, worked out apart from any drawing: every
// distinct value of the graph's data columns with how many values of all
// the columns equal it.
#include <array>

class QvStatData;

struct QvDotStacks {
    // Room for every cell of ten columns.
    static constexpr int Capacity = 5000;
    struct Entry {
        double value = 0.0;
        // How many values of all the columns equal `value`.
        long long count = 0;
        // How high the stack has been drawn so far.
        long long drawn = 0;
    };
    // Ascending by value, one entry per distinct value.
    std::array<Entry, Capacity> entries;
    int used = 0;
    double xmin = 0.0;
    double xmax = 1.0;
    long long ymax = 0;
    // Some column holds a value.
    bool hasData = false;

    // The values of the data columns of `data`, equal values (exactly
    // equal: 1.5 and 1.50000001 are two stacks) of all columns merged.
    // Without values x runs 0 to 1.
    void Build(QvStatData& data);
    // The entry of value v, or null.
    Entry* Find(double v);
};
