#pragma once
// The drawers of the statistics graph types and the dispatcher that picks
// one for a graph's stored type.  A drawer lives for one drawing pass: the
// dispatcher makes it, hands it the data set and the frame, and drops it.
#include "platform/gdi_types.h"

#include <memory>

class CDC;
class QvStatData;

class QvStatGraph {
public:
    virtual ~QvStatGraph() = default;

    // The data set to draw; not owned.  Called once, before Draw.
    virtual void SetData(QvStatData* data) { m_pData = data; }
    // Draws into rect in dc's mapping mode; in MM_HIMETRIC rect's top is
    // the larger y.  The base draws nothing.
    virtual void Draw(CDC* dc, CRect rect);

protected:
    QvStatData* m_pData = nullptr;
};

// One drawer per stored graph type (the dispatcher's table); those built
// have their own files in drawers/.
class QvStatGraphBar : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;
};
class QvStatAxis;
class QvStatGraphBox : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;

private:
    void DrawValueAxis(CDC* dc, CRect& rect, double lo, double hi, QvStatAxis& axis);
    void DrawColumn(CDC* dc, CRect band, int slot, double lo, double hi, QvStatAxis& axis);
    void DrawBoxPlot(CDC* dc, CRect box, int slot, QvStatAxis& axis);
};
class QvStatGraphPie : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;

private:
    void DrawPie(CDC* dc, CRect rect, int valueColumn, int labelColumn);
};
class QvStatGraphLine : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;
};
class QvStatGraphScatter : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;
};
class QvStatGraphDot : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;
};
class QvStatGraphHisto : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;
};
class QvStatGraphCum : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;
};
class QvStatGraphColumn : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;
};
class QvStatGraphFreq : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;
};
class QvStatGraphResidual : public QvStatGraph {
public:
    void Draw(CDC* dc, CRect rect) override;
};

class QvStatGraphDispatcher {
public:
    // Stored graph types; 13 is a valid stored value with no drawer.
    enum {
        Bar = 1,
        Box,
        Pie,
        Line,
        Scatter,
        Dot,
        StemLeaf,
        Histo,
        Cum,
        Column,
        Freq,
        Residual,
        NoGraph,
        Pictogram
    };
    static constexpr const char* NotImplemented = "Graph Type Not Implemented";

    virtual ~QvStatGraphDispatcher() = default;

    // Draws data's stored graph type into rect, its corners in any order;
    // a type without a drawer writes NotImplemented inside the frame.
    // Nothing else: no frame, no background, no clipping.
    void DrawGraph(CDC* dc, CRect rect, QvStatData* data) const;
    // A new drawer for a stored graph type, or null for one without.
    virtual std::unique_ptr<QvStatGraph> NewDrawer(int graphType) const;
};

class QString;

// A column named as the lists show it: "None" -1, "Row" the row-number
// column (26), a letter A to Z 0 to 25, in either case; anything else -1.
int QvColumnIndexFromText(const QString& text);
