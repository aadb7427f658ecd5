#include "geometry/snap_kind.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {
int g_builtInMADLevel = 2; // the "MADLevel" setting's default
QvMADLevelReader g_madLevelReader = nullptr;
} // namespace

int QvGetMADLevel() {
    return g_madLevelReader ? g_madLevelReader() : g_builtInMADLevel;
}

QvMADLevelReader QvSetMADLevelReader(QvMADLevelReader reader) {
    return std::exchange(g_madLevelReader, reader);
}

void QvSetMADLevel(int level) {
    g_builtInMADLevel = level;
}

BYTE QvSnapKind::IsEnabled() const {
    return enabled[std::clamp(QvGetMADLevel(), 0, 3)];
}

LONG QvSnapKind::GetRange() const {
    return QvGetMADLevel() >= 3 ? QvSnap::NoCutOff : range;
}

namespace {
struct KindRow {
    int kind;
    const char* name;
    double priority;
    LONG range;
    BYTE enabled[4];
};

// The snap kinds.  Labels exactly as shown, trailing blanks included.
constexpr KindRow kKinds[] = {
    {0, "Grid Point", 1.0, 1000000, {1, 1, 1, 1}},
    {1, "End of line", 3.0, 1000000, {0, 1, 1, 1}},
    {2, "Mid point", 3.0, 1000000, {0, 1, 1, 1}},
    {3, "Quarter", 2.3, 40, {0, 0, 1, 1}},
    {4, "Third", 2.3, 40, {0, 0, 1, 1}},
    {5, "Parallel to line", 1.3, 20, {0, 0, 1, 1}},
    {6, "Perpendicular to line", 1.7, 20, {0, 0, 1, 1}},
    {7, "Point on figure", 0.4, 1000000, {0, 0, 1, 1}},
    {8, "Intersection", 3.01, 15, {0, 0, 1, 1}},
    {9, "Angle Bisector", 1.3, 10, {0, 0, 1, 1}},
    {10, "Intersection of ", 2.2, 15, {0, 0, 0, 0}},
    {11, "Grid Point on Figure", 2.6, 1000000, {0, 1, 1, 1}},
    {12, "Intersection Of Figure and ", 2.99, 15, {0, 0, 1, 1}},
    {13, "Grid Point on ", 2.6, 15, {0, 0, 1, 1}},
    {14, "", 2.5, 15, {0, 0, 1, 1}},
    {15, "Centre", 3.7, 1000000, {0, 1, 1, 1}},
    {16, "Tangent", 2.9, 20, {0, 0, 1, 1}},
    {17, "Line through centre", 2.1, 20, {0, 0, 1, 1}},
    {18, "Tangent to both circles", 3.1, 20, {0, 0, 1, 1}},
    {19, "Vertex", 3.02, 1000000, {0, 1, 1, 1}},
    {20, "Mid point", 3.0, 1000000, {0, 1, 1, 1}},
    {21, "Point", 3.7, 1000000, {0, 1, 1, 1}},
    {22, "Vertex", 3.02, 1000000, {0, 1, 1, 1}},
    {23, "Mid point", 3.0, 1000000, {0, 1, 1, 1}},
    {24, "Centre", 3.7, 1000000, {0, 1, 1, 1}},
    {25, "End of axis", 3.1, 1000000, {0, 1, 1, 1}},
    {26, "Focus", 3.1, 1000000, {0, 1, 1, 1}},
    {27, "Centre of curvature", 3.7, 1000000, {0, 1, 1, 1}},
    {28, "End of arc", 3.0, 1000000, {0, 1, 1, 1}},
    {29, "Mid point of arc", 3.0, 1000000, {0, 1, 1, 1}},
    {30, "Mid point of chord", 3.0, 1000000, {0, 1, 1, 1}},
    {31, "Angle Mark", 3.7, 1000000, {0, 1, 1, 1}},
    {32, "Point on graph paper/dot paper", 3.0, 1000000, {0, 1, 1, 1}},
};
static_assert(std::size(kKinds) == QvSnap::FilledKinds);
} // namespace

QvSnapTable::QvSnapTable() : m_kinds(QvSnap::TableSize) {
    for (const KindRow& row : kKinds) {
        QvSnapKind& kind = m_kinds[size_t(row.kind)];
        kind.name = QString::fromLatin1(row.name);
        kind.priority = row.priority;
        kind.range = row.range;
        std::copy(std::begin(row.enabled), std::end(row.enabled), kind.enabled);
    }
}

const QvSnapTable& QvGetSnapTable() {
    static const QvSnapTable table;
    return table;
}

const QvSnapTable& SnapTable = QvGetSnapTable();

bool QvSnapKindPasses(int kind, int level) {
    const QvSnapKind& k = QvGetSnapTable()[kind];
    return k.IsEnabled() != 0 && level <= k.GetRange();
}
