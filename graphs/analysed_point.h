#pragma once
// A special point of a curve (an intercept, a turning point, an inflection)
// and the list of candidates that a click on a graph offers.
#include <cstdint>

struct QvAnalysedPoint {
    double x = 0.0;
    double y = 0.0;
    int32_t confirmed = 0; // 1 once refined within tolerance; 1 for an intersection in a pick list
    int16_t kind = 0;      // 6: rejected, never offered for picking; 9: an intersection
};

// The candidates of one click, with the function and that function's own
// index of each point.
struct QvPickedPointList {
    static constexpr int kCapacity = 100;
    struct Owner {
        int32_t function = -1; // -1 for an intersection
        int32_t point = -1;
    };
    int32_t count = 0;
    QvAnalysedPoint points[kCapacity];
    Owner owners[kCapacity];
};
