#include "statgraphs/stat_graph.h"

#include "platform/dc.h"
#include "statgraphs/drawers/stat_graph_pictogram.h"
#include "statgraphs/drawers/stat_graph_stem_leaf.h"
#include "statistics/stat_data.h"

#include <QString>

#include <utility>

void QvStatGraph::Draw(CDC*, CRect) {}

std::unique_ptr<QvStatGraph> QvStatGraphDispatcher::NewDrawer(int graphType) const {
    switch (graphType) {
    case Bar:
        return std::make_unique<QvStatGraphBar>();
    case Box:
        return std::make_unique<QvStatGraphBox>();
    case Pie:
        return std::make_unique<QvStatGraphPie>();
    case Line:
        return std::make_unique<QvStatGraphLine>();
    case Scatter:
        return std::make_unique<QvStatGraphScatter>();
    case Dot:
        return std::make_unique<QvStatGraphDot>();
    case StemLeaf:
        return std::make_unique<QvStatGraphStemLeaf>();
    case Histo:
        return std::make_unique<QvStatGraphHisto>();
    case Cum:
        return std::make_unique<QvStatGraphCum>();
    case Column:
        return std::make_unique<QvStatGraphColumn>();
    case Freq:
        return std::make_unique<QvStatGraphFreq>();
    case Residual:
        return std::make_unique<QvStatGraphResidual>();
    case Pictogram:
        return std::make_unique<QvStatGraphPictogram>();
    default:
        return nullptr;
    }
}

void QvStatGraphDispatcher::DrawGraph(CDC* dc, CRect rect, QvStatData* data) const {
    if (!dc || !data)
        return;
    rect.NormalizeRect();
    // Logical y grows upwards there: the drawers' top is the larger y.
    const bool yUp = dc->GetMapMode() == MM_HIMETRIC;
    if (yUp)
        std::swap(rect.top, rect.bottom);
    if (std::unique_ptr<QvStatGraph> drawer = NewDrawer(data->properties.GraphType)) {
        drawer->SetData(data);
        drawer->Draw(dc, rect);
        return;
    }
    // In the graph's own frame, where the user looks for the graph, not at
    // the page origin.
    const int d = yUp ? -1 : 1;
    dc->TextOut(rect.left + 10, rect.top + 50 * d, QString::fromLatin1(NotImplemented));
}

int QvColumnIndexFromText(const QString& text) {
    const QString upper = text.toUpper();
    if (upper == QLatin1String("NONE"))
        return -1;
    if (upper == QLatin1String("ROW"))
        return 26;
    if (upper.isEmpty())
        return -1;
    // Only a letter names a column: "[" follows "Z" but is not "Row".
    const int index = upper.at(0).unicode() - 'A';
    return index >= 0 && index < 26 ? index : -1;
}
