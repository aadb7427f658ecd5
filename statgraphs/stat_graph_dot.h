#pragma once
// The stacks of a dot plot, worked out apart from any drawing: every
// distinct value of the graph's data columns with how many values of all
// the columns equal it.
#include <array>

class QvStatData;

struct QvDotStacks {
    // Ten columns of at most 500 distinct values each.
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

    // Builds the frequency table of each data column of `data` (no
    // tolerance: 1.5 and 1.50000001 are two stacks), which the drawing
    // reads afterwards.  Without values x runs 0 to 1.
    void Build(QvStatData& data);
    // The entry of value v, or null.
    Entry* Find(double v);
};
