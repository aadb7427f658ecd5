#pragma once
// A function graph and a number line on the page: upright frames whose
// attribute records hold every setting, drawn by an engine that takes a
// fresh copy of those settings each time.
#include "figures/dialog_seam.h"
#include "figures/edit_data.h"
#include "figures/fig_rect_base.h"
#include "graphs/graph.h"
#include "graphs/number_line.h"
#include "platform/command_ids.h"

// The graph's record: the four common fields, a 16-bit version, then the
// graph settings.  The fill colour and style are also the integral's.
class QvEditDataFunction : public QvEditData {
    DECLARE_SERIAL(QvEditDataFunction)
public:
    short m_version = 1;
    QvGraphData m_data;

    // Writes version 1; a record stored below version 1 has no settings
    // and keeps these.
    void Serialize(CArchive& ar) override;
    // The four common fields, then the settings' Copy; not the version.
    QvEditData& CopyFrom(const QvEditData& src) override;
    // An engine about to draw or pick with these settings fills its
    // integral from this record.
    void LendFill(QvGraph& engine) const;
};

// The number line's record: the four common fields, a 16-bit version, then
// the line's settings.
class QvEditDataNumberLine : public QvEditData {
    DECLARE_SERIAL(QvEditDataNumberLine)
public:
    short m_version = 1;
    QvNumberLineData m_data;

    void Serialize(CArchive& ar) override;
    QvEditData& CopyFrom(const QvEditData& src) override;
};

// How the Graph Properties dialog ended.
enum QvGraphDialogEnd : int {
    GraphDialogOk = 1,         // also "Show All Derivatives"
    GraphDialogCancel = 2,
    GraphDialogClean = 5,      // "Clean Graph"
    GraphDialogDerivative = 6, // a completed "Calculate Derivative"
    GraphDialogIntegral = 7,   // a completed "Calculate Integral"
};

// What the Graph Properties dialog works on: a copy of the settings, the
// fill the integral would show, and how it ended.
struct QvGraphDialogValues {
    QvGraphData settings;
    COLORREF integralFillColor = 0;
    LONG integralFillStyle = 0;
    int endCode = GraphDialogCancel;
};

// Takes into `record` what a dialog that ended with `endCode` changed in
// its copy `dialog`.  Every accepted end clears the integral and the
// derivative first; a derivative or integral end then sets its own.
void QvApplyGraphDialog(QvGraphData& record, const QvGraphData& dialog, int endCode);
// What the Number Line Properties dialog changed, taken on OK.
void QvApplyNumberLineDialog(QvNumberLineData& record, const QvNumberLineData& dialog);

class QvFigGraph : public QvFigNoRotateRectBase {
    DECLARE_SERIAL(QvFigGraph)
public:
    static constexpr int ToolId = ID_DRAW_GRAPH;

    // The dialog sets values.endCode; its answer is not used.
    using PropertiesDialog = QvDialogSeam<QvFigGraph, bool(QvGraphDialogValues& values)>;

    // The current drawing style, except that no fill becomes solid and a
    // black fill light grey, so that an integral shows.
    QvFigGraph();

    void DrawFill(CDC*, int) override {}
    // Mode 0: the graph in the frame.  Modes 1 and 2: the frame's outline.
    // Other modes: nothing.
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    QString GetDescription() const override;

    // A click at (x, y) with the select tool: picks the graph's points there
    // and keeps the pick in the record.
    void FindPointsAt(int x, int y);

    QvEditDataFunction* GraphData() const { return m_pGraphData; }
    QvGraph& Engine() { return m_engine; }

private:
    QvGraph m_engine;
    QvEditDataFunction* m_pGraphData; // the record the figure owns, typed
};

class QvFigNumberLine : public QvFigNoRotateRectBase {
    DECLARE_SERIAL(QvFigNumberLine)
public:
    static constexpr int ToolId = ID_DRAW_NUMBER_LINE;

    // Edits the copy it is given and answers true on OK.
    using PropertiesDialog = QvDialogSeam<QvFigNumberLine, bool(QvNumberLineData& settings)>;

    // The current drawing style, as it is.
    QvFigNumberLine();

    void DrawFill(CDC*, int) override {}
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    QString GetDescription() const override;

    QvEditDataNumberLine* LineData() const { return m_pLineData; }
    QvNumberLine& Engine() { return m_engine; }

private:
    QvNumberLine m_engine;
    QvEditDataNumberLine* m_pLineData;
};
