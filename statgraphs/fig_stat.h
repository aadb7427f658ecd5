#pragma once
// A statistics graph on the page: an upright frame that carries a whole
// data set with its graph options and draws the stored graph type into
// itself.
#include "figures/dialog_seam.h"
#include "figures/edit_data.h"
#include "figures/fig_rect_base.h"
#include "platform/command_ids.h"
#include "statgraphs/stat_graph.h"
#include "statistics/stat_data.h"


// The graph's record: the four common fields, a 16-bit version, then the
// data set (its options first, then the 27 columns).
class QvEditDataStat : public QvEditData {
    DECLARE_SERIAL(QvEditDataStat)
public:
    short m_version = 1;
    QvStatData m_data;

    // Writes version 1; a record stored below version 1 has no data set
    // and keeps this one's.
    void Serialize(CArchive& ar) override;
    // The four common fields, then the data set's Copy.
    QvEditData& CopyFrom(const QvEditData& src) override;
};

class QvFigStat : public QvFigNoRotateRectBase {
    DECLARE_SERIAL(QvFigStat)
public:
    static constexpr int ToolId = ID_DRAW_STAT_GRAPH;

    // The dialog that edits the data set in place; its answer is not used.
    using PropertiesDialog = QvDialogSeam<QvFigStat, bool(QvStatData& data)>;

    // The current drawing style and the options of the "Stat" defaults.
    QvFigStat();

    void DrawFill(CDC*, int) override {}
    // Modes 1 and 2, and mode 0 in MM_TEXT: the frame's outline.  Mode 0
    // otherwise: the graph, filling the frame.  Other modes: nothing.
    void Draw(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    void EditProperties(CPoint, CPoint) override;
    QString GetDescription() const override;

    QvEditDataStat* StatData() const { return m_pStatData; }

private:
    QvEditDataStat* m_pStatData; // the record the figure owns, typed
    QvStatGraphDispatcher m_dispatcher;
};
