#pragma once
// The engine behind a number line: one horizontal axis across the
// figure's frame, ticks at whole multiples of the two steps counted from 0,
// scale labels that add up the major step text exactly ("pi/2", "pi",
// "3pi/2"), and the ten intervals drawn onto the axis.  Everything is
// worked out again from the texts on every drawing.
#include "graphs/graph.h"
#include "graphs/number_line_data.h"
#include "graphs/number_line_function.h"

class CDC;

class QvNumberLine : public QvGraph {
    DECLARE_SERIAL(QvNumberLine)
public:
    static constexpr int kIntervalCount = QvNumberLineData::kIntervalCount;

    QvNumberLine();

    // The line's record, then its ten interval records once more.
    void Serialize(CArchive& ar) override;
    // The whole line; noTicks leaves out ticks and scale labels.  Writes
    // the padded range and the axis area into the line's record and clears
    // each interval's m_Changed there.
    void Draw(CDC* dc, BOOL noTicks) override;

    // World x to device on the padded range and the axis area, and back;
    // an x off the range maps to the left edge.  Every y is the axis.
    double XToDevice(double x) const override;
    double YToDevice(double y) const override;
    double DeviceToX(double dx) const override;
    double DeviceToY(double dy) const override;

    QvNumberLineData lineData;
    QvNumberLineFunction intervals[kIntervalCount];
};
