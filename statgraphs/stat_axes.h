#pragma once
// The chart frames of the statistics graphs.  A frame lays the axes of one
// graph out inside the rectangle its drawer is given and draws them; the
// drawer then draws its marks at the positions the frame reports.
//
//   QvStatBarAxes     categories down a vertical axis, values along the bottom
//   QvStatColumnAxes  categories along the bottom, values up the left
//   QvStatXYAxes      two numeric axes
//
// A frame lives for one drawing pass: construct, Layout, then ask for
// positions and Draw in either order.  Coordinates are logical units of the
// context; in MM_HIMETRIC y grows upwards and the given top is the larger y.
#include "platform/gdi_types.h"
#include "statgraphs/stat_axis.h"

#include <QString>

#include <array>

class CDC;
class QvStatData;

// A category is a row holding a value in at least one of the graph's data
// columns; its label comes from the label column.
inline constexpr int QvStatMaxCategories = 500;

class QvStatBarAxes {
public:
    virtual ~QvStatBarAxes() = default;

    // Always 0.  With no data column in use it stops after counting the
    // categories: the value axis is not set up and Draw draws nothing.
    int Layout(int x0, int y0, int x1, int y1, QvStatData* data, CDC* dc, bool plain);
    void Draw(CDC* dc);
    // Stores the label of the next category, at index count, and counts
    // that category; past the last label it does nothing.
    void AddLabel(const QString& label);
    // The x of a value; -1 off the axis or before the axis is set up.
    int ValueToPos(double v);
    // The y of the centre of category k, counted from 1 at the top; 0
    // without categories.
    int CategoryPos(int k) const;
    // The category spacing; 0 without categories.
    int CategoryWidth() const;
    // Whether Layout set the value axis up (a data column is in use).
    bool IsSetUp() const { return setUp; }

    QvStatData* data = nullptr;
    int labelWidth = 0;
    int midTitleHeight = 0;
    CRect plotRect;
    QvStatAxis axis;
    CRect givenRect;
    // From the value axis up to the given top, and up to the plot's top,
    // at the x of value 0.
    CPoint categoryLine[2];
    CPoint categorySpan[2];
    int count = 0;
    std::array<QString, QvStatMaxCategories> labels;

private:
    bool setUp = false;
};

class QvStatColumnAxes {
public:
    enum { Level = 0, Slanted = 1, Upright = 2 };

    virtual ~QvStatColumnAxes() = default;

    // Always 0.  Rows 0 to rows - 1 count as categories even when empty.
    // With no data column in use it stops after counting the categories.
    int Layout(int x0, int y0, int x1, int y1, int rows, QvStatData* data, CDC* dc, bool plain);
    void Draw(CDC* dc);
    void AddLabel(const QString& label);
    // The y of a value; -1 off the axis or before the axis is set up.
    int ValueToPos(double v);
    // The x of the centre of category k, counted from 1 at the left; 0
    // without categories.
    int CategoryPos(int k) const;
    // The category spacing, at least 1.
    int CategoryWidth() const;
    bool IsSetUp() const { return setUp; }

    QvStatData* data = nullptr;
    // Every labelStep-th category label is drawn.
    int labelStep = 1;
    int labelMode = Level;
    int maxLabelWidth = 0;
    int maxLabelHeight = 0;
    // Room below the category axis for the labels, signed like y downwards.
    int labelBand = 0;
    CRect plotRect;
    QvStatAxis axis;
    CRect givenRect;
    // Along the category axis from the value axis to the given right edge,
    // and to the plot's right edge.
    CPoint categoryLine[2];
    CPoint categorySpan[2];
    int count = 0;
    std::array<QString, QvStatMaxCategories> labels;

private:
    bool setUp = false;
};

class QvStatXYAxes {
public:
    virtual ~QvStatXYAxes() = default;

    // Always 0.  The axes cross at 0, or at an axis's origin when 0 lies
    // outside its range.
    int Layout(int x0, int y0, int x1, int y1, double xmin, double xmax, double ymin, double ymax,
               QvStatData* data, CDC* dc);
    // The x grid, the y grid, the x axis, then the y axis.
    void Draw(CDC* dc);
    void DrawGrid(CDC* dc);
    void DrawAxes(CDC* dc);
    // Either coordinate is -1 where its value has no position.
    CPoint ValueToPoint(double x, double y);
    void FillSamples(QvStatCurveTable* t);
    bool IsSetUp() const { return setUp; }

    QvStatData* data = nullptr;
    QvStatAxis axisX;
    QvStatAxis axisY;
    CRect givenRect;

private:
    bool setUp = false;
};
