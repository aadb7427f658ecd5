#pragma once
// One interval of a number line: an inequality in one variable, as typed
// ("X>2", "-1<X<=3", "X=2", "X<>4"), read into its two ends and drawn on
// the axis as a thick segment with a filled dot at a closed end, a hollow
// dot at an open one, an arrow head where it runs on past the view, and a
// hollow dot at a value a not-equal relation leaves out.  It reuses the
// function tokeniser and never compiles or evaluates the text.
#include "graphs/function.h"
#include "graphs/number_line_data.h"

class CDC;

class QvNumberLineFunction : public QvFunction {
    DECLARE_SERIAL(QvNumberLineFunction)
public:
    // End kinds.
    static constexpr int kNoEnd = 0;
    static constexpr int kArrow = 1;
    static constexpr int kClosed = 6;
    static constexpr int kOpen = 7;
    // A bound no relation sets, and "no value left out".
    static constexpr double kUnbounded = 100000.0;
    static constexpr double kNoExclusion = -100000.0;

    QvNumberLineFunction();

    // Takes the record with its Copy, which keeps the own frame rectangle.
    void SetData(const QvGraphDataNumberLineFunction& record) { m_Record.Copy(record); }
    // Only the x window is kept.
    void SetRange(double xmin, double xmax, double ymin, double ymax, int mode) override;
    // Sets the bounds, their kinds and the excluded value from the text.
    // Returns 0.
    int ParseInterval();
    // On the record's window and plot rectangle; an x off the window maps
    // to the left edge.
    double XToDevice(double x) const override;
    // The axis: the vertical middle of the plot rectangle.
    double YToDevice(double y) const override;
    virtual void Draw(CDC* dc);
    // The record only, in both directions.
    void Serialize(CArchive& ar) override;

    double m_Lower = -1000.0, m_Upper = 1000.0;
    int m_LowerKind = kArrow, m_UpperKind = kArrow;
    double m_DrawFrom = 0.0, m_DrawTo = 0.0; // world x of the drawn segment's ends
    double m_Excluded = kNoExclusion;
    // Set by ParseInterval when the text holds a relation from which no
    // bound and no excluded value could be read ("2X>4").
    bool m_Unreadable = false;
    QvGraphDataNumberLineFunction m_Record;
};
